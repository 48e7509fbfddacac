// A pixel-unit drawing view prepared on a DIB section with a 10-point Arial text font, and the
// same font made directly for comparisons with plain GDI.
#pragma once
#include <UILinks.h>
#include <UIView.h>
#include <gtest/gtest.h>
#include <test_view.h>

#include <string>
#include <vector>

#include "dib_canvas.h"
using testing_support::DibCanvas;

class TextView : public TestDrawView {
 public:
  using TestDrawView::TestDrawView;
  HDC MeasureDC() const { return m_hMeasureDC.Get(); }
};

class TextTest : public ::testing::Test {
 protected:
  static const int kW = 240, kH = 120;
  DibCanvas canvas{kW, kH};
  TextView view;

  void SetUp() override {
    ASSERT_TRUE(canvas.valid());
    Clear(canvas.dc());
    ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
    UIFont font;
    font.size = 10;
    font.face = L"Arial";
    view.QvSetFont(font);
  }
  void TearDown() override { view.UnprepareCurrentDC(); }

  static void Clear(HDC dc) {
    RECT all = {0, 0, kW, kH};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  // The view's font as GDI makes it on a 96-dpi DC.
  static HFONT SameFont(int escapement = 0) {
    return CreateFontW(-13, 0, escapement, escapement, 0, 0, 0, 0, DEFAULT_CHARSET, 0, CLIP_LH_ANGLES, 0, 0,
                       L"Arial");
  }
  // Width of the text in that font.
  static int Width(const wchar_t* text) {
    HDC dc = CreateCompatibleDC(NULL);
    HFONT f = SameFont();
    HGDIOBJ old = SelectObject(dc, f);
    SIZE s = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &s);
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
    return s.cx;
  }
  static std::vector<COLORREF> Pixels(DibCanvas& c) {
    std::vector<COLORREF> p;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) p.push_back(c.At(x, y));
    return p;
  }
  // Draws with plain GDI on a fresh canvas of the same size, in the same font, black, transparent.
  template <class Draw>
  static std::vector<COLORREF> Reference(Draw draw, int escapement = 0) {
    DibCanvas ref(kW, kH);
    HDC dc = ref.dc();
    Clear(dc);
    HFONT f = SameFont(escapement);
    HGDIOBJ old = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    draw(dc);
    SelectObject(dc, old);
    DeleteObject(f);
    return Pixels(ref);
  }
  static int Inked(const std::vector<COLORREF>& p) {
    int n = 0;
    for (COLORREF c : p) n += c != RGB(255, 255, 255);
    return n;
  }
};
