// How the grid paints: the fixed corner, the fixed strips, the body and its grid lines, the
// background past the cells; a partial clip paints what a full paint paints there, with and
// without the off-screen DC; and how one cell draws itself in each of its states.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "grid_fixture.h"

using grid_testing::GridFixture;
using testing_support::DibCanvas;

namespace {

const COLORREF kFixed = RGB(0, 0, 200), kBody = RGB(255, 255, 255), kLine = RGB(255, 0, 0), kBack = RGB(0, 128, 0);
const COLORREF kMagenta = RGB(255, 0, 255);

// 5 rows x 4 columns, one fixed row and column, every row 20 and every column 50 pixels, no
// text, in a 300 x 200 window: cells cover (0, 0)-(199, 99).
class GridPaint : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < 5; ++r) grid.SetRowHeight(r, 20);
    for (int c = 0; c < 4; ++c) grid.SetColumnWidth(c, 50);
    grid.SetFixedBkColor(kFixed);
    grid.SetTextBkColor(kBody);
    grid.SetGridLineColor(kLine);
    grid.SetGridBkColor(kBack);
  }
  void Print(DibCanvas& canvas) {
    grid.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  }
};

TEST_F(GridPaint, CornerStripsBodyLinesAndBackground) {
  for (BOOL buffered : {TRUE, FALSE}) {
    grid.SetDoubleBuffering(buffered);
    DibCanvas canvas(300, 200, kMagenta);
    ASSERT_TRUE(canvas.valid());
    Print(canvas);
    const struct {
      const char* what;
      int x, y;
      COLORREF colour;
    } pixels[] = {
        {"corner", 25, 10, kFixed},
        {"corner's lit top edge", 25, 0, GetSysColor(COLOR_3DHIGHLIGHT)},
        {"corner's lit left edge", 0, 10, GetSysColor(COLOR_3DHIGHLIGHT)},
        {"corner's dark right edge", 49, 10, GetSysColor(COLOR_3DDKSHADOW)},
        {"corner's dark bottom edge", 25, 19, GetSysColor(COLOR_3DDKSHADOW)},
        {"fixed row", 75, 10, kFixed},
        {"fixed column", 25, 50, kFixed},
        {"body", 75, 30, kBody},
        {"last body cell", 175, 90, kBody},
        {"vertical line at right - 1", 99, 30, kLine},
        {"last vertical line", 199, 50, kLine},
        {"horizontal line at bottom - 1", 75, 39, kLine},
        {"last horizontal line", 150, 99, kLine},
        {"fixed row cell's dark right edge, no line", 99, 10, GetSysColor(COLOR_3DDKSHADOW)},
        {"right of the cells", 250, 50, kBack},
        {"below the cells", 75, 150, kBack},
        {"below and right", 250, 150, kBack},
    };
    for (const auto& p : pixels)
      EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << p.what << (buffered ? " (double-buffered)" : " (direct)");
    EXPECT_EQ(canvas.CountOf(kMagenta), 0);  // every pixel painted
  }
}

TEST_F(GridPaint, APartialClipPaintsWhatAFullPaintPaintsThere) {
  const RECT clips[] = {{60, 25, 130, 70}, {0, 0, 60, 30}, {180, 80, 300, 200}, {40, 0, 260, 15}};
  for (BOOL buffered : {TRUE, FALSE}) {
    grid.SetDoubleBuffering(buffered);
    grid.SetItemState(2, 2, GVIS_SELECTED);
    DibCanvas full(300, 200, kMagenta);
    Print(full);
    for (const RECT& clip : clips) {
      DibCanvas part(300, 200, kMagenta);
      IntersectClipRect(part.dc(), clip.left, clip.top, clip.right, clip.bottom);
      Print(part);
      SelectClipRgn(part.dc(), NULL);
      int differing = 0, outside = 0;
      for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
          const POINT pt = {x, y};
          if (PtInRect(&clip, pt))
            differing += part.At(x, y) != full.At(x, y);
          else
            outside += part.At(x, y) != kMagenta;
        }
      EXPECT_EQ(differing, 0) << (buffered ? "double-buffered " : "direct ") << clip.left << "," << clip.top;
      EXPECT_EQ(outside, 0) << "painted outside the clip " << clip.left << "," << clip.top;
    }
  }
}

TEST_F(GridPaint, ASelectedCellPaintsInTheHighlightWithoutAMapEntryPerCell) {
  grid.SelectAllCells();
  DibCanvas canvas(300, 200, kMagenta);
  Print(canvas);
  EXPECT_EQ(canvas.At(75, 30), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(175, 90), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(25, 30), kFixed);
  grid.ResetSelectedRange();
  DibCanvas after(300, 200, kMagenta);
  Print(after);
  EXPECT_EQ(after.At(75, 30), kBody);
}

TEST_F(GridPaint, SetRedrawMessagesStopAndResumeDrawing) {
  grid.SendMessage(WM_SETREDRAW, FALSE, 0);
  DibCanvas off(300, 200, kMagenta);
  Print(off);
  EXPECT_EQ(off.CountOf(kMagenta), 300 * 200);
  grid.SendMessage(WM_SETREDRAW, TRUE, 0);
  DibCanvas on(300, 200, kMagenta);
  Print(on);
  EXPECT_EQ(on.At(75, 30), kBody);
  EXPECT_TRUE(grid.IsWindowVisible());
}

TEST_F(GridPaint, FontMessagesReachTheDefaultCells) {
  LOGFONT lf = {};
  lf.lfHeight = -30;
  lstrcpy(lf.lfFaceName, _T("Arial"));
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), 0);
  const HFONT answered = reinterpret_cast<HFONT>(grid.SendMessage(WM_GETFONT, 0, 0));
  ASSERT_NE(answered, nullptr);
  LOGFONT back = {};
  GetObject(answered, sizeof(back), &back);
  EXPECT_EQ(back.lfHeight, -30);
  EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE)->GetFont()->lfHeight, -30);
  EXPECT_GT(grid.GetDefaultCell(FALSE, FALSE)->GetTextExtent(_T("Wide text")).cy, 30);
}

// One cell drawn into a 60 x 30 canvas at (5, 5)-(44, 24) (right and bottom inclusive).
class CellPaint : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetTextBkColor(kBody);
    grid.SetFixedBkColor(kFixed);
  }
  DibCanvas& Draw(int row, int col, BOOL erase = TRUE) {
    canvas.Fill(kMagenta);
    CDC* dc = CDC::FromHandle(canvas.dc());
    EXPECT_TRUE(grid.GetCell(row, col)->Draw(dc, row, col, CRect(5, 5, 44, 24), erase));
    return canvas;
  }
  DibCanvas canvas{60, 30, kMagenta};
};

TEST_F(CellPaint, EachStateDrawsItsLook) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF lit = GetSysColor(COLOR_3DHIGHLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW);
  const COLORREF own = RGB(10, 200, 30);
  struct Pixel {
    int x, y;
    COLORREF colour;
  };
  const struct {
    const char* what;
    int row, col;
    DWORD state;
    COLORREF back;
    BOOL erase;
    Pixel pixels[4];
  } cases[] = {
      {"default", 1, 1, 0, CLR_GRID_DEFAULT, TRUE, {{20, 15, kBody}, {44, 24, kBody}, {45, 25, kMagenta}, {4, 4, kMagenta}}},
      {"default, not erased", 1, 1, 0, CLR_GRID_DEFAULT, FALSE, {{20, 15, kMagenta}, {5, 5, kMagenta}, {44, 24, kMagenta}, {4, 4, kMagenta}}},
      {"own colour erases", 1, 1, 0, own, FALSE, {{20, 15, own}, {44, 24, own}, {5, 5, own}, {45, 24, kMagenta}}},
      {"selected", 1, 1, GVIS_SELECTED, CLR_GRID_DEFAULT, FALSE, {{20, 15, highlight}, {44, 24, highlight}, {5, 5, highlight}, {45, 25, kMagenta}}},
      // The frame stays off the cell's last column and row, where the grid lines run.
      {"focused: framed in the text colour", 1, 1, GVIS_FOCUSED, CLR_GRID_DEFAULT, TRUE, {{5, 5, text}, {43, 23, text}, {20, 15, kBody}, {44, 24, kBody}}},
      {"focused and selected", 1, 1, GVIS_FOCUSED | GVIS_SELECTED, CLR_GRID_DEFAULT, FALSE, {{20, 15, highlight}, {5, 5, GetSysColor(COLOR_HIGHLIGHTTEXT)}, {44, 24, highlight}, {4, 4, kMagenta}}},
      {"fixed: lit top and left, dark right and bottom", 0, 1, GVIS_FIXED | GVIS_FIXEDROW, CLR_GRID_DEFAULT, TRUE, {{5, 15, lit}, {20, 5, lit}, {44, 15, dark}, {20, 24, dark}}},
  };
  for (const auto& c : cases) {
    CGridCellBase* cell = grid.GetCell(c.row, c.col);
    cell->SetState(c.state);
    cell->SetBackClr(c.back);
    Draw(c.row, c.col, c.erase);
    for (const Pixel& p : c.pixels) EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
    cell->SetState(c.row < 1 ? GVIS_FIXED | GVIS_FIXEDROW : 0);
    cell->SetBackClr(CLR_GRID_DEFAULT);
  }
}

TEST_F(CellPaint, TheSortArrowIsDrawnOnlyInRowZeroOfTheSortColumn) {
  const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
  grid.SetSortColumn(1);
  const struct {
    int row, col;
    bool arrow;
  } cases[] = {{0, 1, true}, {1, 1, false}, {0, 2, false}};
  for (const auto& c : cases) {
    Draw(c.row, c.col);
    EXPECT_EQ(canvas.CountOf(shadow) > 0, c.arrow) << c.row << "," << c.col;
  }
  grid.SetSortAscending(FALSE);
  Draw(0, 1);
  EXPECT_GT(canvas.CountOf(shadow), 0);
}

TEST_F(CellPaint, AnEmptyRectangleDrawsNothing) {
  CDC* dc = CDC::FromHandle(canvas.dc());
  canvas.Fill(kMagenta);
  EXPECT_FALSE(grid.GetCell(1, 1)->Draw(dc, 1, 1, CRect(5, 5, 5, 20)));
  EXPECT_FALSE(grid.GetCell(1, 1)->Draw(dc, 1, 1, CRect(5, 5, 20, 5)));
  EXPECT_FALSE(grid.GetCell(1, 1)->Draw(NULL, 1, 1, CRect(5, 5, 20, 20)));
  EXPECT_EQ(canvas.CountOf(kMagenta), 60 * 30);
}

}  // namespace
