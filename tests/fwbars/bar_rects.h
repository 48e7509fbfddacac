// Rectangles as text, so that a failed layout assertion shows all four sides.
#pragma once
#include <framework.h>

#include <string>

inline std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// The child's window rectangle in the parent's client coordinates.
inline std::string RectIn(CWnd* parent, CWnd* child) {
  CRect r;
  child->GetWindowRect(&r);
  parent->ScreenToClient(&r);
  return Text(r);
}
