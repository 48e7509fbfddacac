// Selecting by range: only the visible cells whose selection changed are repainted, a range
// kept by Ctrl stays under a new block, fixed bounds are raised to the body, deselecting
// a cell, GetNextItem's directions and states, and the focus cell's repaint.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <vector>

#include "grid_fixture.h"
#include "recording_cmd_ui.h"
#include "test_support.h"

using grid_testing::GridFixture;

namespace {

// A 2,000 x 6 grid (one fixed row and column), rows 20 high and columns 40 wide, in a
// 300 x 200 window.
class GridSelect : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(2000);
    grid.SetColumnCount(6);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 6; ++c) grid.SetColumnWidth(c, 40);
    grid.ResetScrollBars();
    grid.UpdateWindow();
  }
  // The bounds of what is waiting to be painted, as text ("0,0,0,0" for nothing).
  std::string Pending() {
    CRect r;
    if (!grid.GetUpdateRect(r, FALSE)) r.SetRectEmpty();
    return testing_support::RectText(r);
  }
  std::string CellsRect(int r0, int c0, int r1, int c1) {
    CRect a, b;
    EXPECT_TRUE(grid.GetCellRect(r0, c0, a));
    EXPECT_TRUE(grid.GetCellRect(r1, c1, b));
    a.UnionRect(a, b);
    a.InflateRect(0, 0, 1, 1);  // a cell is repainted with its right and bottom grid line
    return testing_support::RectText(a);
  }
};

TEST_F(GridSelect, GrowingABlockRepaintsOnlyTheCellsThatChanged) {
  struct Case {
    const char* what;
    CCellRange before, after;
    CCellRange changed;  // the visible cells that change (invalid: none)
  } cases[] = {
      {"one more row", CCellRange(1, 1, 3, 2), CCellRange(1, 1, 4, 2), CCellRange(4, 1, 4, 2)},
      {"one row less", CCellRange(1, 1, 4, 2), CCellRange(1, 1, 3, 2), CCellRange(4, 1, 4, 2)},
      {"one more column", CCellRange(2, 1, 3, 2), CCellRange(2, 1, 3, 3), CCellRange(2, 3, 3, 3)},
      {"the same block", CCellRange(2, 2, 3, 3), CCellRange(2, 2, 3, 3), CCellRange()},
      {"growing out of sight", CCellRange(1, 1, 500, 2), CCellRange(1, 1, 1500, 2), CCellRange()},
  };
  for (const Case& c : cases) {
    grid.SetSelectedRange(c.before);
    grid.ValidateRect(NULL);
    grid.SetSelectedRange(c.after);
    const std::string expected = c.changed.IsValid()
                                     ? CellsRect(c.changed.GetMinRow(), c.changed.GetMinCol(), c.changed.GetMaxRow(),
                                                 c.changed.GetMaxCol())
                                     : std::string("0,0,0,0");
    EXPECT_EQ(Pending(), expected) << c.what;
    EXPECT_EQ(grid.GetSelectedCellRange(), c.after) << c.what;
  }
}

TEST_F(GridSelect, BoundsInTheFixedCellsAreRaisedToTheBody) {
  grid.SetSelectedRange(0, 0, 2, 2);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 4);
}

TEST_F(GridSelect, DeselectingACellKeepsTheRest) {
  grid.SetSelectedRange(1, 1, 3, 3);
  grid.SetSelectedRange(2, 2, 2, 2, FALSE, FALSE);
  EXPECT_FALSE(grid.IsCellSelected(2, 2));
  EXPECT_TRUE(grid.IsCellSelected(2, 1));
  EXPECT_EQ(grid.GetSelectedCount(), 8);
}

// A Ctrl-click that deselects the last selected cell leaves no selected range behind (copy
// and the other commands that ask for the range see nothing selected).
TEST_F(GridSelect, DeselectingTheLastCellLeavesNoRange) {
  grid.SetSelectedRange(4, 2, 4, 2);
  grid.SetSelectedRange(4, 2, 4, 2, FALSE, FALSE);
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_FALSE(grid.GetSelectedCellRange().IsValid());
  // A wide block deselected at once keeps the cells beside it.
  grid.SelectAllCells();
  grid.SetSelectedRange(1, 1, 1998, 5, FALSE, FALSE);
  EXPECT_EQ(grid.GetSelectedCount(), 5);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1999, 1, 1999, 5));
}

// The "select all" command selects the body between the selection notices; its update
// enables it only while selection is on.
TEST_F(GridSelect, TheSelectAllCommandAndItsUpdate) {
  std::vector<int> codes;
  parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg != WM_NOTIFY) return false;
    codes.push_back(static_cast<int>(reinterpret_cast<const NMHDR*>(lp)->code));
    *result = 0;
    return true;
  };
  grid.SendMessage(WM_COMMAND, CGridCtrl::ID_SELECT_ALL, 0);
  EXPECT_EQ(codes, (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED}));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 1999, 5));
  for (BOOL on : {TRUE, FALSE}) {
    grid.EnableSelection(on);
    testing_support::RecordingCmdUI ui(CGridCtrl::ID_SELECT_ALL);
    ui.enabled = !on;
    EXPECT_TRUE(grid.OnCmdMsg(CGridCtrl::ID_SELECT_ALL, CN_UPDATE_COMMAND_UI, &ui, NULL));
    EXPECT_EQ(ui.enabled, on != FALSE);
  }
  parent.answer = nullptr;
}

TEST_F(GridSelect, ResetClearsTheSelectionAndRepaintsIt) {
  grid.SetSelectedRange(1, 1, 2, 2);
  grid.ValidateRect(NULL);
  grid.ResetSelectedRange();
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_EQ(Pending(), CellsRect(1, 1, 2, 2));
}

TEST_F(GridSelect, MovingTheFocusRepaintsTheOldAndTheNewCell) {
  grid.SetFocusCell(2, 2);
  grid.ValidateRect(NULL);
  EXPECT_EQ(grid.SetFocusCell(2, 3), CCellID(2, 2));
  // the two cells, and (focus tracking is on) the fixed-row cells of both columns
  EXPECT_EQ(Pending(), CellsRect(0, 2, 2, 3));
  EXPECT_EQ(grid.GetItemState(2, 3) & GVIS_FOCUSED, static_cast<UINT>(GVIS_FOCUSED));
  EXPECT_EQ(grid.GetItemState(2, 2) & GVIS_FOCUSED, 0u);
  // A fixed cell asked for is raised to the body.
  grid.SetFocusCell(0, 0);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
}

TEST_F(GridSelect, GetNextItemSearchesEachDirectionForTheState) {
  grid.SetItemState(4, 2, GVIS_MODIFIED);
  grid.SetItemState(2, 4, GVIS_READONLY);
  grid.SetSelectedRange(1, 1, 1, 1);
  struct Case {
    CCellID from;
    int flags;
    CCellID found;
  } cases[] = {
      {CCellID(1, 2), GVNI_MODIFIED | GVNI_BELOW, CCellID(4, 2)},
      {CCellID(5, 2), GVNI_MODIFIED | GVNI_ABOVE, CCellID(4, 2)},
      {CCellID(4, 1), GVNI_MODIFIED | GVNI_TORIGHT, CCellID(4, 2)},
      {CCellID(4, 5), GVNI_MODIFIED | GVNI_TOLEFT, CCellID(4, 2)},
      {CCellID(4, 2), GVNI_MODIFIED | GVNI_BELOW, CCellID(-1, -1)},  // not the start cell itself
      {CCellID(0, 0), GVNI_READONLY | GVNI_ALL, CCellID(2, 4)},
      {CCellID(0, 0), GVNI_SELECTED | GVNI_ALL, CCellID(1, 1)},       // 0 means the first body row and column
      {CCellID(1, 1), GVNI_SELECTED | GVNI_ALL, CCellID(-1, -1)},     // the search starts after the column given
      {CCellID(1, 1), GVNI_MODIFIED, CCellID(-1, -1)},               // no direction
  };
  for (const Case& c : cases)
    EXPECT_EQ(grid.GetNextItem(c.from, c.flags), c.found) << c.from.row << "," << c.from.col << " " << c.flags;
}

}  // namespace
