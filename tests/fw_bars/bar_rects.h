// Rectangles as text, so that a failed layout assertion shows all four sides.
#pragma once
#include <framework.h>

#include <string>

#include "test_support.h"

inline std::string Text(const RECT& r) { return testing_support::RectText(r); }

// The child's window rectangle in the parent's client coordinates.
inline std::string RectIn(CWnd* parent, CWnd* child) {
  return testing_support::RectInParent(parent->m_hWnd, child->m_hWnd);
}
