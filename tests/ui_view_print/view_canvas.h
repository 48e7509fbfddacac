// A drawing view prepared on a DC for the length of a scope, and the canvas to draw on.
#pragma once
#include <UIView.h>
#include <test_view.h>

#include "dib_canvas.h"

using testing_support::DibCanvas;

// Prepares the view on `dc` (not owned) and gives the DC back at the end of the scope.
class PreparedView {
 public:
  PreparedView(CMFCUIView& view, HDC dc) : m_view(view), m_ok(view.PrepareNewDCForDrawing(dc, false) != FALSE) {}
  ~PreparedView() { Release(); }
  PreparedView(const PreparedView&) = delete;
  PreparedView& operator=(const PreparedView&) = delete;

  bool ok() const { return m_ok; }
  void Release() {
    if (m_ok) m_view.UnprepareCurrentDC();
    m_ok = false;
  }

 private:
  CMFCUIView& m_view;
  bool m_ok;
};
