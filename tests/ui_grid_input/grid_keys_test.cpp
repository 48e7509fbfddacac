// The grid's keys, typed through the system: navigation past hidden rows and columns, Tab
// wrapping, Home/End and their Ctrl forms, Page Down by the rows that scrolled, Shift+arrows
// extending from the anchor, and the keys that start edits.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "../ui_grid/grid_fixture.h"
#include "recorder.h"
#include "test_support.h"

using grid_testing::GridFixture;
using testing_support::PumpMessages;
using testing_support::TypeChord;
using testing_support::TypeKeys;

namespace {

// A 30 x 6 grid (one fixed row and column), rows 20 high and columns 50 wide, in a 300 x 200
// window: rows 1..8 show under the fixed row, columns 1..4 beside the fixed column (the body
// is 180 high with a horizontal bar). Row 3 and column 3 are hidden.
class GridKeys : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(30);
    grid.SetColumnCount(6);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 6; ++c) grid.SetColumnWidth(c, 50);
    for (int r = 0; r < 30; ++r) grid.SetRowHeight(r, 20);
    grid.SetRowHeight(3, 0);
    grid.SetColumnWidth(3, 0);
    grid.ResetScrollBars();
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      const int code = static_cast<int>(reinterpret_cast<const NMHDR*>(lp)->code);
      codes.push_back(code);
      *result = reply ? reply(code) : 0;
      return true;
    };
    ::SetForegroundWindow(parent.hwnd());
    grid.SetFocus();
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
  }
  std::vector<int> codes;
  std::function<LRESULT(int)> reply;  // the owner's answer to a notification (0 when unset)
};

TEST_F(GridKeys, NavigationTable) {
  struct Case {
    const char* what;
    CCellID from;
    std::vector<WORD> keys;
    WORD modifier;  // held around the single key when not 0
    CCellID to;
  } cases[] = {
      {"Down skips the hidden row", CCellID(2, 1), {VK_DOWN}, 0, CCellID(4, 1)},
      {"Up skips it back", CCellID(4, 1), {VK_UP}, 0, CCellID(2, 1)},
      {"Up stops at the first body row", CCellID(1, 1), {VK_UP}, 0, CCellID(1, 1)},
      {"Right skips the hidden column", CCellID(1, 2), {VK_RIGHT}, 0, CCellID(1, 4)},
      {"Left skips it back", CCellID(1, 4), {VK_LEFT}, 0, CCellID(1, 2)},
      {"Left stops at the first body column", CCellID(1, 1), {VK_LEFT}, 0, CCellID(1, 1)},
      {"Tab moves right", CCellID(1, 1), {VK_TAB}, 0, CCellID(1, 2)},
      {"Tab at the last column wraps to the next row", CCellID(1, 5), {VK_TAB}, 0, CCellID(2, 1)},
      {"Tab at the last cell stays", CCellID(29, 5), {VK_TAB}, 0, CCellID(29, 5)},
      {"Shift+Tab at the first column goes back a row", CCellID(2, 1), {VK_TAB}, VK_SHIFT, CCellID(1, 5)},
      {"Home goes to the first body column", CCellID(5, 4), {VK_HOME}, 0, CCellID(5, 1)},
      {"End goes to the last column", CCellID(5, 1), {VK_END}, 0, CCellID(5, 5)},
      {"Ctrl+Home goes to the first body cell", CCellID(9, 4), {VK_HOME}, VK_CONTROL, CCellID(1, 1)},
      {"Ctrl+End goes to the last cell", CCellID(2, 2), {VK_END}, VK_CONTROL, CCellID(29, 5)},
      {"Down at the last row stays", CCellID(29, 2), {VK_DOWN}, 0, CCellID(29, 2)},
  };
  for (const Case& c : cases) {
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    grid.SendMessage(WM_HSCROLL, SB_LEFT, 0);
    grid.SetFocusCell(c.from);
    ASSERT_EQ(grid.GetFocusCell(), c.from) << c.what;
    if (c.modifier)
      TypeChord(c.modifier, c.keys[0]);
    else
      TypeKeys(c.keys);
    PumpMessages();
    EXPECT_EQ(grid.GetFocusCell(), c.to) << c.what;
    if (c.to != c.from) {
      EXPECT_TRUE(grid.IsCellVisible(c.to)) << c.what;
      EXPECT_TRUE(grid.IsCellSelected(c.to.row, c.to.col)) << c.what;
    }
  }
}

TEST_F(GridKeys, PageDownMovesByTheRowsThatScrolledAndStopsAtTheLastRow) {
  grid.SetRowHeight(3, 20);  // every row shown: a page is a whole number of rows
  grid.ResetScrollBars();
  grid.SetFocusCell(2, 1);
  const int topBefore = grid.GetTopleftNonFixedCell().row;
  TypeKeys({VK_NEXT});
  PumpMessages();
  const int moved = grid.GetTopleftNonFixedCell().row - topBefore;
  ASSERT_GT(moved, 0);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2 + moved, 1));
  TypeKeys({VK_NEXT, VK_NEXT, VK_NEXT, VK_NEXT, VK_NEXT});
  PumpMessages();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(29, 1));
  TypeKeys({VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_PRIOR, VK_PRIOR});
  PumpMessages();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
}

TEST_F(GridKeys, ShiftArrowsExtendFromTheAnchorAndAPlainArrowCollapses) {
  grid.SetFocusCell(1, 1);
  TypeKeys({VK_RIGHT});  // anchor (1,2)
  TypeChord(VK_SHIFT, VK_DOWN);
  TypeChord(VK_SHIFT, VK_RIGHT);  // past the hidden column to 4
  PumpMessages();
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 4));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 2, 2, 4));
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  TypeKeys({VK_DOWN});
  PumpMessages();
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(4, 4, 4, 4));
  EXPECT_EQ(grid.GetSelectedCount(), 1);
}

TEST_F(GridKeys, CtrlASelectsAllBetweenTheSelectionNotices) {
  grid.SetFocusCell(2, 2);
  TypeChord(VK_CONTROL, 'A');
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED}));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellRange(1, 1, 29, 5));
}

// Keys that start an edit ask the owner first: a typed character and F2 do, Escape and a
// modifier do not. The owner refuses, so no editor opens.
TEST_F(GridKeys, ACharacterAndF2AskTheOwnerToBeginAnEdit) {
  grid.SetEditable(TRUE);
  grid.SetFocusCell(2, 2);
  reply = [](int code) -> LRESULT { return code == GVN_BEGINLABELEDIT ? -1 : 0; };
  struct Case {
    std::vector<WORD> keys;
    bool asks;
  } cases[] = {{{'A'}, true}, {{VK_F2}, true}, {{VK_ESCAPE}, false}, {{VK_SHIFT}, false}};
  for (const Case& c : cases) {
    codes.clear();
    TypeKeys(c.keys);
    PumpMessages();
    const bool asked = std::find(codes.begin(), codes.end(), GVN_BEGINLABELEDIT) != codes.end();
    EXPECT_EQ(asked, c.asks) << "key " << c.keys[0];
    EXPECT_FALSE(grid.IsItemEditing(2, 2));
    EXPECT_EQ(::GetFocus(), grid.GetSafeHwnd());
  }
}

// Delete clears the focus cell through the owner's begin and end answers; a negative end
// answer puts the old text back.
TEST_F(GridKeys, DeleteClearsTheCellUnlessTheOwnerRefuses) {
  grid.SetEditable(TRUE);
  grid.SetItemText(2, 2, _T("kept"));
  grid.SetModified(FALSE, 2, 2);
  grid.SetFocusCell(2, 2);
  reply = [](int code) -> LRESULT { return code == GVN_ENDLABELEDIT ? -1 : 0; };
  TypeKeys({VK_DELETE});
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<int>{GVN_BEGINLABELEDIT, GVN_ENDLABELEDIT}));
  EXPECT_EQ(grid.GetItemText(2, 2), CString(_T("kept")));
  EXPECT_FALSE(grid.GetModified(2, 2));

  reply = nullptr;
  codes.clear();
  TypeKeys({VK_DELETE});
  PumpMessages();
  EXPECT_EQ(grid.GetItemText(2, 2), CString(_T("")));
  EXPECT_TRUE(grid.GetModified(2, 2));
}

}  // namespace
