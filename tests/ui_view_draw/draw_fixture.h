// A drawing view prepared on a 32-bit DIB section, with helpers that read the pixels back.
#pragma once
#include <UIView.h>
#include <gtest/gtest.h>
#include <test_view.h>

#include <string>
#include <vector>

#include "dib_canvas.h"
#include "handle_counts.h"

using testing_support::DibCanvas;
using testing_support::GdiObjectCount;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 200);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kGrey = RGB(128, 128, 128);

// The view's own GDI state, readable by the tests.
class ProbeView : public TestDrawView {
 public:
  using TestDrawView::TestDrawView;
  using CMFCUIView::m_hClipRgn;
  using CMFCUIView::m_hDashPen;
  using CMFCUIView::m_hFillBrush;
  using CMFCUIView::m_hMeasureFont;
  using CMFCUIView::m_hTextFont;
  using CMFCUIView::m_hVertFont270;
  using CMFCUIView::m_hVertFont90;
};

inline RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
inline POINT Pt(int x, int y) { return POINT{x, y}; }

// The rows of each 8 x 8 pattern of one of the library's strips, '0' for a pixel in the text
// colour and '1' for one in the background colour.
std::vector<std::vector<std::string>> StripPatterns(int bitmapId);

class DrawTest : public ::testing::Test {
 protected:
  static const int kSize = 64;
  DibCanvas canvas{kSize, kSize};
  ProbeView view;

  void SetUp() override {
    ASSERT_TRUE(canvas.valid());
    Paint(kWhite);
    ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  }
  void TearDown() override { view.UnprepareCurrentDC(); }

  HDC dc() { return canvas.dc(); }
  void Paint(COLORREF c);
  COLORREF At(int x, int y) { return canvas.At(x, y); }
  // The whole surface, row by row.
  std::vector<COLORREF> Pixels();
  // Pixels of colour c inside r.
  int Count(COLORREF c, RECT r) { return canvas.CountOf(c, r); }
  // Pixels that differ from c anywhere.
  int CountNot(COLORREF c) { return kSize * kSize - canvas.CountOf(c); }
  // Pixels other than c outside r.
  int CountOutside(RECT r, COLORREF c);
};
