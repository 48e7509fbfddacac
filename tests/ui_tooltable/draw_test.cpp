// Cells of the tool table in pixels, printed with WM_PRINTCLIENT into a DIB section.
#include "table_fixture.h"

#include <dib_canvas.h>
#include <handle_counts.h>

using namespace tooltable_test;
using testing_support::DibCanvas;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

COLORREF Sys(int index) { return GetSysColor(index); }

class Drawing : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    // Cells of 16 x 16 with separation 4, four columns.
    SendMessageW(table, TTBLM_SETNUMCOLS, 0, 4);
  }
  // The table printed into a canvas of its size.
  void Print(DibCanvas& canvas) {
    ASSERT_TRUE(canvas.valid());
    SendMessageW(table, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
  }
};

TEST_F(Drawing, BitmapsAreDrawnThroughTheirMaskAtTheCornerOrCentred) {
  // Item 1: a 16 x 16 image with a transparent border of 4; item 2: an 8 x 8 image centred;
  // item 3: the same at the corner.
  Add(table, Rec(TTBL_BITMAP, 1, MaskedStrip(16, 16, kRed, 4), TTBLF_AUTODISPOSE));
  Add(table, Rec(TTBL_BITMAP, 2, MaskedStrip(8, 8, kRed), TTBLF_AUTODISPOSE | TTBLF_CENTER));
  Add(table, Rec(TTBL_BITMAP, 3, MaskedStrip(8, 8, kRed), TTBLF_AUTODISPOSE));
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const RECT c1 = Cell(table, 1), c2 = Cell(table, 2), c3 = Cell(table, 3);
  EXPECT_EQ(canvas.At(c1.left + 8, c1.top + 8), kRed);
  EXPECT_EQ(canvas.At(c1.left + 1, c1.top + 1), Sys(COLOR_BTNFACE)) << "the mask keeps the border";
  EXPECT_EQ(canvas.CountOf(kRed, c1), 8 * 8);
  EXPECT_EQ(canvas.At(c2.left + 4, c2.top + 4), kRed);
  EXPECT_EQ(canvas.At(c2.left + 1, c2.top + 1), Sys(COLOR_BTNFACE));
  EXPECT_EQ(canvas.At(c3.left, c3.top), kRed);
  EXPECT_EQ(canvas.At(c3.left + 12, c3.top + 12), Sys(COLOR_BTNFACE));
}

// A 32 x 32 image: red top-left quadrant, blue elsewhere, opaque.
HBITMAP Quadrants() {
  HBITMAP strip = MaskedStrip(32, 32, kBlue);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT q = {0, 0, 16, 16};
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(dc, &q, red);
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

TEST_F(Drawing, LargerBitmapsStartAtTheCornerUnlessFitted) {
  Add(table, Rec(TTBL_BITMAP, 1, Quadrants(), TTBLF_AUTODISPOSE | TTBLF_CENTER));
  Add(table, Rec(TTBL_BITMAP, 2, Quadrants(), TTBLF_AUTODISPOSE | TTBLF_FIT));
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const RECT c1 = Cell(table, 1), c2 = Cell(table, 2);
  // Not centred although asked: the cell shows the red quadrant only, and nothing spills.
  EXPECT_EQ(canvas.CountOf(kRed, c1), 16 * 16);
  EXPECT_EQ(canvas.CountOf(kBlue), canvas.CountOf(kBlue, c2)) << "nothing outside the fitted cell";
  // Fitted: the whole image shrunk into the cell, a quarter red.
  EXPECT_EQ(canvas.At(c2.left + 2, c2.top + 2), kRed);
  EXPECT_EQ(canvas.At(c2.left + 13, c2.top + 13), kBlue);
}

TEST_F(Drawing, DisabledBitmapsAreEmbossed) {
  Add(table, Rec(TTBL_BITMAP, 1, MaskedStrip(16, 16, kRed, 4), TTBLF_AUTODISPOSE, TTBLS_DISABLED));
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const RECT c = Cell(table, 1);
  EXPECT_EQ(canvas.CountOf(kRed), 0);
  EXPECT_EQ(canvas.At(c.left + 8, c.top + 8), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(c.left + 12, c.top + 12), Sys(COLOR_3DHILIGHT)) << "the highlight one pixel down and right";
  EXPECT_EQ(canvas.At(c.left + 1, c.top + 1), Sys(COLOR_BTNFACE));
}

TEST_F(Drawing, IconsAreDrawnAsIcons) {
  // A 16 x 16 icon: red with a transparent left half.
  HDC screen = GetDC(NULL);
  HBITMAP color = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(NULL, screen);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, NULL);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, color);
  RECT all = {0, 0, 16, 16}, left = {0, 0, 8, 16};
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(dc, &all, red);
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, mask);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(red);
  ICONINFO info = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  ASSERT_NE(icon, static_cast<HICON>(NULL));
  Add(table, Rec(TTBL_ICON, 1, icon, TTBLF_AUTODISPOSE));
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const RECT c = Cell(table, 1);
  EXPECT_EQ(canvas.At(c.left + 12, c.top + 8), kRed);
  EXPECT_EQ(canvas.At(c.left + 3, c.top + 8), Sys(COLOR_BTNFACE)) << "the icon's mask is honoured";
}

TEST_F(Drawing, SelectedHotAndSeparatorLooks) {
  AddOwnerDraw(table, 1, 0, TTBLS_SELECTED);
  AddOwnerDraw(table, 2, 0, TTBLS_HILITED);
  Add(table, Rec(TTBL_SEPARATOR, 3, NULL, TTBLF_SPAN | TTBLF_NEUTRAL));
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  // Frames are the cells inflated by half the separation.
  const RECT s = Cell(table, 1), h = Cell(table, 2), sep = Cell(table, 3);
  EXPECT_EQ(canvas.At(s.left - 2, s.top - 2), Sys(COLOR_BTNSHADOW)) << "sunken: shadow top-left";
  EXPECT_EQ(canvas.At(s.right, s.bottom), Sys(COLOR_3DHILIGHT)) << "sunken: highlight inside bottom-right";
  EXPECT_EQ(canvas.At(h.left - 2, h.top - 2), Sys(COLOR_3DHILIGHT)) << "raised: highlight top-left";
  EXPECT_EQ(canvas.At(h.right + 1, h.bottom + 1), Sys(COLOR_BTNSHADOW)) << "raised: shadow bottom-right";
  const int mid = (sep.top + sep.bottom) / 2;
  EXPECT_EQ(canvas.At(sep.left + 5, mid - 1), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(sep.left + 5, mid), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(sep.left + 5, mid - 4), Sys(COLOR_BTNFACE));
}

TEST_F(Drawing, HalftoneMarksSelectedItemsInThatStyle) {
  SendMessageW(table, TTBLM_SETTABLESTYLE, TTBLT_HALFTONE, 0);
  AddOwnerDraw(table, 1, 0, TTBLS_SELECTED);
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const RECT c = Cell(table, 1);
  // Neighbouring pixels alternate between highlight and face.
  const COLORREF a = canvas.At(c.left + 4, c.top + 4), b = canvas.At(c.left + 5, c.top + 4);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a == Sys(COLOR_3DHILIGHT) || b == Sys(COLOR_3DHILIGHT));
  EXPECT_TRUE(a == Sys(COLOR_BTNFACE) || b == Sys(COLOR_BTNFACE));
}

TEST_F(Drawing, OwnerDrawnItemsAreDrawnByTheParentOnTheGivenDC) {
  AddOwnerDraw(table, 1);
  AddOwnerDraw(table, 2);
  parent.onNotify = [](const tagNM_TOOLTABLE* nm) -> LRESULT {
    if (nm->hdr.code != TTBLN_DRAWITEM) return 0;
    const TT_DRAWSTRUCT* ds = reinterpret_cast<const TT_DRAWSTRUCT*>(nm->value);
    if (ds->id != 2) return 0;
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(ds->dc, &ds->rect, green);
    DeleteObject(green);
    return 0;
  };
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Recorder().Clear();
  Print(canvas);
  const ExpectedMsg expected[] = {Note(TTBLN_DRAWITEM, 1), Note(TTBLN_DRAWITEM, 2), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(canvas.CountOf(kGreen), 16 * 16);
  EXPECT_EQ(canvas.CountOf(kGreen, Cell(table, 2)), 16 * 16);
}

TEST_F(Drawing, PaintingLeavesNoObjectsBehind) {
  Add(table, Rec(TTBL_BITMAP, 1, MaskedStrip(16, 16, kRed, 4), TTBLF_AUTODISPOSE, TTBLS_SELECTED));
  Add(table, Rec(TTBL_BITMAP, 2, MaskedStrip(16, 16, kRed, 4), TTBLF_AUTODISPOSE, TTBLS_DISABLED));
  Add(table, Rec(TTBL_SEPARATOR, 3, NULL, TTBLF_NEUTRAL));
  SendMessageW(table, TTBLM_SETTABLESTYLE, TTBLT_HALFTONE, 0);
  SetState(table, 3, TTBLS_HILITED);
  DibCanvas canvas(WindowSize(table).cx, WindowSize(table).cy);
  Print(canvas);
  const int before = testing_support::GdiObjectCount();
  for (int i = 0; i < 5; ++i) {
    Print(canvas);
    InvalidateRect(table, NULL, TRUE);
    UpdateWindow(table);
  }
  EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
