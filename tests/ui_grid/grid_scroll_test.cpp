// Scrolling and hit testing: the scroll codes over hidden rows and at the ends, 32-bit thumb
// positions, ranges beyond 32 bits, EnsureVisible, the wheel's partial notches, points outside
// the cells, and expand-to-fit with hidden or narrow columns.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "grid_fixture.h"
#include "recorder.h"

using grid_testing::GridFixture;
using testing_support::ExpectedMsg;
using testing_support::Recorder;
using testing_support::kLparam;
using testing_support::kOptional;
using testing_support::kParent;
using testing_support::kPosted;
using testing_support::kSent;
using testing_support::kWparam;

namespace {

// A virtual grid of `rows` rows of `height` pixels and 4 columns of 60, one fixed row and
// column, in a 300 x 200 window (9 body rows of 20 fit under the fixed row).
class GridScroll : public GridFixture {
 protected:
  void Fill(int rows, int height = 20) {
    Make(300, 200);
    grid.SetVirtualMode(TRUE);
    grid.SetDefCellHeight(height);
    grid.SetRowCount(rows);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 4; ++c) grid.SetColumnWidth(c, 60);
    grid.SetRowHeight(0, 20);  // the fixed row
    grid.ResetScrollBars();
  }
  void Scroll(UINT code) { grid.SendMessage(WM_VSCROLL, code, 0); }
  int TopRow() { return grid.GetTopleftNonFixedCell().row; }
};

TEST_F(GridScroll, LineDownSkipsHiddenRowsAndStopsAtTheEnd) {
  Fill(1000);
  ASSERT_EQ(grid.GetRowHeight(5), 20);  // new rows take the default height
  grid.SetRowHeight(1, 0);
  grid.SetRowHeight(2, 0);
  ASSERT_EQ(TopRow(), 1);
  Scroll(SB_LINEDOWN);  // moves by the first visible row's height
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), 20);
  EXPECT_EQ(TopRow(), 4);
  Scroll(SB_LINEUP);
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), 0);
  Scroll(SB_BOTTOM);
  const long long end = grid.GetScrollOffset(SB_VERT);
  EXPECT_EQ(end, 997 * 20 - 180);  // the body's height less one page
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), end);
  EXPECT_TRUE(grid.IsCellVisible(999, 1));
}

TEST_F(GridScroll, PagesAreClampedToTheRange) {
  Fill(30);
  const long long maxOffset = 29 * 20 - 180;
  const struct {
    UINT code;
    long long from, to;
  } cases[] = {{SB_PAGEDOWN, 0, 180}, {SB_PAGEDOWN, 300, maxOffset}, {SB_PAGEUP, 100, 0}, {SB_PAGEUP, maxOffset, maxOffset - 180},
               {SB_TOP, 200, 0}, {SB_BOTTOM, 0, maxOffset}};
  for (const auto& c : cases) {
    grid.SetScrollPos32(SB_VERT, static_cast<int>(c.from));
    Scroll(c.code);
    EXPECT_EQ(grid.GetScrollOffset(SB_VERT), c.to) << c.code << " from " << c.from;
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT), static_cast<int>(c.to));
  }
}

TEST_F(GridScroll, ThumbPositionsPastSixteenBits) {
  Fill(1000000);
  SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, 1000000, 0};
  ::SetScrollInfo(grid.m_hWnd, SB_VERT, &si, FALSE);  // where a drag leaves the thumb
  Scroll(MAKEWPARAM(SB_THUMBTRACK, 1000000 & 0xFFFF));
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), 1000000);
  EXPECT_EQ(TopRow(), 1 + 1000000 / 20);
  CRect rect;
  ASSERT_TRUE(grid.GetCellRect(TopRow(), 1, rect));
  EXPECT_EQ(rect.top, 20);
}

TEST_F(GridScroll, ATallerGridThanThirtyTwoBitsScalesTheBar) {
  Fill(2000000, 2000);  // 4e9 pixels
  EXPECT_GT(grid.GetVirtualHeight(), 0x7FFFFFFFLL);
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  ASSERT_TRUE(::GetScrollInfo(grid.m_hWnd, SB_VERT, &si));
  EXPECT_GT(si.nMax, 0);
  Scroll(SB_BOTTOM);
  EXPECT_TRUE(grid.IsCellVisible(1999999, 1));
  EXPECT_EQ(TopRow(), 1999999);  // one 2000-pixel row fills the page
  si.fMask = SIF_POS;
  ::SetScrollInfo(grid.m_hWnd, SB_VERT, &si, FALSE);
  si.nPos = si.nMax / 2;
  ::SetScrollInfo(grid.m_hWnd, SB_VERT, &si, FALSE);
  Scroll(SB_THUMBPOSITION);
  EXPECT_NEAR(static_cast<double>(TopRow()), 1000000.0, 2.0);
}

TEST_F(GridScroll, EnsureVisibleBringsTheCellIn) {
  Fill(1000000);
  grid.EnsureVisible(500000, 2);
  EXPECT_TRUE(grid.IsCellVisible(500000, 2));
  CRect rect;
  ASSERT_TRUE(grid.GetCellRect(500000, 2, rect));
  EXPECT_EQ(rect.bottom, 199);  // at the bottom edge, as line moves would bring it
  grid.EnsureVisible(10, 1);  // above: to the top edge
  ASSERT_TRUE(grid.GetCellRect(10, 1, rect));
  EXPECT_EQ(rect.top, 20);
  const long long before = grid.GetScrollOffset(SB_VERT);
  grid.EnsureVisible(12, 1);  // already in: nothing moves
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), before);
}

TEST_F(GridScroll, PointsOutsideTheCells) {
  Fill(5);
  const struct {
    int x, y;
    BOOL fixedToo;
    int row, col;
  } cases[] = {
      {250, 30, TRUE, 1, -1},  // right of the last column
      {70, 150, TRUE, -1, 1},  // below the last row
      {70, 10, FALSE, -1, 1},  // the fixed row without fixed cells
      {10, 30, FALSE, 1, -1},  // the fixed column without fixed cells
      {10, 10, TRUE, 0, 0},    {130, 90, TRUE, 4, 2},
  };
  for (const auto& c : cases) {
    const CCellID cell = grid.GetCellFromPt(CPoint(c.x, c.y), c.fixedToo);
    EXPECT_EQ(cell.row, c.row) << c.x << "," << c.y;
    EXPECT_EQ(cell.col, c.col) << c.x << "," << c.y;
  }
}

TEST_F(GridScroll, AFineWheelAddsUpItsPartialNotches) {
  Fill(100);
  const int lines = static_cast<int>(grid.GetWheelScrollLines());
  ASSERT_GT(lines, 0);
  ASSERT_LT(lines, 40);
  for (int i = 0; i < 4; ++i) {
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-30)), MAKELPARAM(100, 100));
    Recorder().Pump();
  }
  EXPECT_EQ(grid.GetScrollOffset(SB_VERT), 20LL * (4 * 30 * lines / 120));
}

TEST_F(GridScroll, ScrollingInvalidatesTheBodyAndAsksForTheVisibleCells) {
  Fill(1000);
  grid.UpdateWindow();
  testing_support::SubclassedControl watched(grid.m_hWnd);
  Recorder().Reset();
  Recorder().Ignore(WM_NCPAINT);
  Recorder().Ignore(WM_ERASEBKGND);
  Scroll(SB_LINEDOWN);
  grid.UpdateWindow();
  // WM_VSCROLL SB_LINEDOWN on a grid at the top: one paint of the body below the fixed row, in
  // which the owner gets a cache hint, one display request for the corner and one for each
  // visible cell of the fixed column and the body (9 rows x 4 columns), and the closing hint.
  std::vector<ExpectedMsg> expected;
  expected.push_back({WM_VSCROLL, kSent | kWparam, SB_LINEDOWN, 0});
  expected.push_back({WM_PAINT, kSent, 0, 0});
  expected.push_back({WM_NOTIFY, kSent | kParent | kWparam, grid_testing::kGridId, 0});
  for (int i = 0; i < 1 + 9 * 4; ++i) expected.push_back({WM_NOTIFY, kSent | kParent | kWparam, grid_testing::kGridId, 0});
  expected.push_back({WM_NOTIFY, kSent | kParent | kWparam, grid_testing::kGridId, 0});
  expected.push_back({0, 0, 0, 0});
  EXPECT_TRUE(Recorder().Matches(expected.data()));
  EXPECT_EQ(TopRow(), 2);
}

TEST_F(GridFixture, ExpandToFitWithHiddenOrNarrowColumns) {
  Make(100, 100);
  grid.SetRowCount(3);
  grid.SetColumnCount(3);
  grid.SetFixedColumnCount(1);
  grid.SetColumnWidth(1, 0);
  grid.SetColumnWidth(2, 0);
  grid.ExpandColumnsToFit(FALSE);  // every expandable column hidden: nothing to do
  EXPECT_EQ(grid.GetColumnWidth(1), 0);
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
  grid.SetColumnWidth(1, 1);
  grid.SetColumnWidth(2, 300);
  grid.ExpandColumnsToFit(FALSE);  // far too wide: shrunk, but never below one pixel
  EXPECT_GE(grid.GetColumnWidth(1), 1);
  EXPECT_GE(grid.GetColumnWidth(2), 1);
  EXPECT_LT(grid.GetColumnWidth(2), 300);
  grid.SetColumnWidth(1, 0);
  grid.ExpandColumnsToFit(FALSE);
  EXPECT_EQ(grid.GetColumnWidth(1), 0);  // hidden stays hidden
  grid.SetRowHeight(0, 0), grid.SetRowHeight(1, 0), grid.SetRowHeight(2, 0);
  grid.ExpandRowsToFit(TRUE);
  EXPECT_EQ(grid.GetVirtualHeight(), 0);
}

}  // namespace

namespace {

TEST_F(GridFixture, GeometryEdges) {
  Make(300, 200);
  grid.SetRowCount(20);
  grid.SetColumnCount(5);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (int c = 0; c < 5; ++c) grid.SetColumnWidth(c, 80);
  for (int r = 0; r < 20; ++r) grid.SetRowHeight(r, 20);
  // A cell that starts inside the client area but ends outside it is visible.
  EXPECT_TRUE(grid.IsCellVisible(1, 3));  // x 240..319 in a 300-wide (less the bar) client
  EXPECT_FALSE(grid.IsCellVisible(1, 4));
  // A row's height is capped.
  EXPECT_TRUE(grid.SetRowHeight(2, 0x7FFFFFFF));
  EXPECT_EQ(grid.GetRowHeight(2), static_cast<int>(CGridCtrl::kMaxCellSize));
  grid.SetRowHeight(2, 20);
  // A hidden column is not auto-sized and stays hidden.
  grid.SetColumnWidth(2, 0);
  EXPECT_FALSE(grid.AutoSizeColumn(2));
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
  grid.SetItemText(0, 3, _T("A much longer heading"));
  EXPECT_TRUE(grid.AutoSizeColumn(3));
  {
    CClientDC dc(&grid);
    EXPECT_EQ(grid.GetColumnWidth(3), grid.GetCell(0, 3)->GetCellExtent(&dc).cx);
  }
  // A range's rectangle runs from its first cell's origin to its last cell's far corner.
  CRect range;
  ASSERT_TRUE(grid.GetCellRangeRect(CCellRange(1, 1, 2, 1), range));
  EXPECT_EQ(range, CRect(80, 20, 159, 59));
  // Changing a cell's class keeps its attributes.
  grid.SetItemText(3, 1, _T("kept"));
  grid.SetItemBkColour(3, 1, RGB(1, 2, 3));
  ASSERT_TRUE(grid.SetCellType(3, 1, RUNTIME_CLASS(CGridCell)));
  EXPECT_EQ(grid.GetItemText(3, 1), CString(_T("kept")));
  EXPECT_EQ(grid.GetItemBkColour(3, 1), RGB(1, 2, 3));
  EXPECT_FALSE(grid.SetCellType(3, 1, RUNTIME_CLASS(CWnd)));
}

TEST_F(GridFixture, AClientInsideTheFixedRowsShowsNoScrollBars) {
  Make(200, 100);
  grid.SetRowCount(50);
  grid.SetColumnCount(30);
  grid.ResetScrollBars();
  EXPECT_TRUE(grid.GetStyle() & WS_VSCROLL);
  grid.SetFixedRowCount(10);  // 10 fixed rows are taller than the client
  grid.ResetScrollBars();
  EXPECT_FALSE(grid.GetStyle() & WS_VSCROLL);
  EXPECT_FALSE(grid.GetStyle() & WS_HSCROLL);
}

}  // namespace
