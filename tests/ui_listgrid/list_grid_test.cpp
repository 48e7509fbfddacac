// The list-view grid: moving the current cell by keys, what keys and characters tell the
// parent, rows that outlive a column added later, and the pixels of the current row.
#include <SGridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <vector>

#include "dib_canvas.h"
#include "listctrls_test.h"

using listctrls_testing::kListId;
using listctrls_testing::ListTest;
using testing_support::DibCanvas;
using testing_support::ExpectedMsg;
using testing_support::kLparam;
using testing_support::kParent;
using testing_support::kWparam;
using testing_support::kSent;
using testing_support::Recorder;

namespace {

const int kRows = 5;

class ListGrid : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    parent.answer = [this](NMHDR* hdr, LRESULT* result) {
      if (hdr->hwndFrom != grid.m_hWnd) return false;
      if (hdr->code == static_cast<UINT>(LVN_BEGINLABELEDIT)) {
        const NMLVDISPINFO* info = reinterpret_cast<const NMLVDISPINFO*>(hdr);
        begun.push_back({info->item.iItem, info->item.iSubItem, CString(info->item.pszText)});
      }
      if (hdr->code == static_cast<UINT>(LVN_ITEMACTIVATE))
        activated.push_back(reinterpret_cast<const NMITEMACTIVATE*>(hdr)->iItem);
      *result = 0;
      return false;
    };
    parent.other = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
      if (message != CSGridCtrl::SGN_DELETEROW) return false;
      Recorder().Record(parent.m_hWnd, message, wParam, lParam, kParent);
      deletes.push_back(lParam);
      *result = 0;
      return true;
    };
  }
  void TearDown() override {
    if (grid.GetSafeHwnd() != NULL) grid.DestroyWindow();
    ListTest::TearDown();
  }
  void Make(int rows = kRows) {
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            CRect(0, 0, 400, 200), &parent, kListId));
    grid.setColumnHeaders({_T("One"), _T("Two"), _T("Three"), _T("Four")});
    for (int r = 0; r < rows; ++r) {
      CString a, b, c, d;
      a.Format(_T("r%dc0"), r);
      b.Format(_T("r%dc1"), r);
      c.Format(_T("r%dc2"), r);
      d.Format(_T("r%dc3"), r);
      ASSERT_EQ(grid.insertRowWTextItems(r, {a, b, c, d}), r);
    }
    grid.SetFocus();
    grid.setCurrentItem(0, 0);
    Pump();
    Clear();
  }
  void Clear() {
    Recorder().Reset();
    parent.codes.clear();
    begun.clear();
    activated.clear();
    deletes.clear();
  }
  // A key as the application's loop delivers it: WM_KEYDOWN, translated to a character.
  void Key(UINT vk) {
    ::PostMessage(grid.m_hWnd, WM_KEYDOWN, vk, 1);
    Pump();
  }
  void Char(TCHAR ch) {
    ::PostMessage(grid.m_hWnd, WM_CHAR, static_cast<WPARAM>(ch), 1);
    Pump();
  }

  struct Begun {
    int row, column;
    CString text;
  };
  CSGridCtrl grid{4};
  std::vector<Begun> begun;
  std::vector<int> activated;
  std::vector<LPARAM> deletes;
};

TEST_F(ListGrid, RightAndLeftMoveBetweenEnabledColumnsOnly) {
  Make();
  grid.setColumnEnabled({true, false, true, false});
  struct Step {
    UINT key;
    int column;  // the current column after it
  } steps[] = {
      {VK_RIGHT, 2},  // column 1 is disabled: skipped
      {VK_RIGHT, 2},  // column 3 is disabled: column 2 is the last enabled one, nothing moves
      {VK_LEFT, 0},   {VK_LEFT, 0},
  };
  for (const Step& s : steps) {
    Key(s.key);
    EXPECT_EQ(grid.getCurrentColumn(), s.column) << "key " << s.key;
    EXPECT_EQ(grid.getCurrentItem(), 0);
  }
  // Disabling the current column makes the first enabled one current.
  grid.setCurrentItem(0, 2);
  grid.enableColumn(0, false);
  grid.enableColumn(1, true);
  grid.enableColumn(2, false);
  EXPECT_EQ(grid.getCurrentColumn(), 1);
  // With none enabled it stays.
  grid.enableColumn(1, false);
  EXPECT_EQ(grid.getCurrentColumn(), 1);
  // Flags for fewer columns than there are: the rest are enabled.
  grid.setColumnEnabled({false, false});
  EXPECT_EQ(grid.getCurrentColumn(), 2);
  Key(VK_RIGHT);
  EXPECT_EQ(grid.getCurrentColumn(), 3);
  EXPECT_TRUE(begun.empty());
}

TEST_F(ListGrid, UpAndDownMoveTheCurrentRowAndNotify) {
  Make();
  struct Step {
    UINT key;
    int row;
  } steps[] = {{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_UP, 0}, {VK_UP, 0}};
  for (const Step& s : steps) {
    Clear();
    Key(s.key);
    EXPECT_EQ(grid.getCurrentItem(), s.row);
    EXPECT_TRUE(grid.GetItemState(s.row, LVIS_SELECTED | LVIS_FOCUSED) == (LVIS_SELECTED | LVIS_FOCUSED));
    ASSERT_EQ(activated.size(), 1u) << "key " << s.key << " to row " << s.row;
    EXPECT_EQ(activated[0], s.row);
    EXPECT_EQ(parent.codes.back(), int(LVN_ITEMACTIVATE)) << testing::PrintToString(parent.codes);
  }
  Key(VK_DOWN);
  for (int i = 0; i < kRows + 2; ++i) Key(VK_DOWN);
  EXPECT_EQ(grid.getCurrentItem(), kRows - 1);
}

TEST_F(ListGrid, KeysActOnKeyDownAndCharactersAreText) {
  Make();
  grid.setCurrentItem(2, 1);
  struct Case {
    const char* what;
    bool isChar;
    UINT code;
    const TCHAR* begins;  // the text of a begun edit, NULL for none
    bool deletes;
  } cases[] = {
      {"F2", false, VK_F2, _T("r2c1"), false},
      {"Return", false, VK_RETURN, _T("r2c1"), false},
      {"Space", false, VK_SPACE, _T("r2c1"), false},
      {"Delete", false, VK_DELETE, NULL, true},
      // Characters whose codes are those of the keys above are text all the same.
      {"'.' (the code of Delete)", true, _T('.'), _T("."), false},
      {"'q' (the code of F2)", true, _T('q'), _T("q"), false},
      {"'%' (the code of Left)", true, _T('%'), _T("%"), false},
      {"'(' (the code of Down)", true, _T('('), _T("("), false},
  };
  for (const Case& c : cases) {
    Clear();
    if (c.isChar)
      Char(static_cast<TCHAR>(c.code));
    else
      Key(c.code);
    ASSERT_EQ(begun.size(), c.begins != NULL ? 1u : 0u) << c.what;
    if (c.begins != NULL) {
      EXPECT_EQ(begun[0].text, CString(c.begins)) << c.what;
      EXPECT_EQ(begun[0].row, 2) << c.what;
      EXPECT_EQ(begun[0].column, 1) << c.what;
    }
    ASSERT_EQ(deletes.size(), c.deletes ? 1u : 0u) << c.what;
    if (c.deletes) {
      EXPECT_EQ(deletes[0], MAKELPARAM(2, 1)) << c.what;
    }
    // Nothing moved.
    EXPECT_EQ(grid.getCurrentItem(), 2) << c.what;
    EXPECT_EQ(grid.getCurrentColumn(), 1) << c.what;
    EXPECT_EQ(grid.GetItemCount(), kRows) << c.what;
  }
  // Without in-place typing a character begins nothing.
  grid.setAllowInplaceTyping(false);
  Clear();
  Char(_T('x'));
  EXPECT_TRUE(begun.empty());
}

TEST_F(ListGrid, DeleteTellsTheParentTheCurrentCell) {
  Make();
  grid.setCurrentItem(3, 2);
  // Delete with the grid focused: one plain message to the parent, row and column packed.
  static const ExpectedMsg kDelete[] = {
      {CSGridCtrl::SGN_DELETEROW, kSent | kParent | kWparam | kLparam, kListId, MAKELPARAM(3, 2)}, {0, 0, 0, 0}};
  Clear();
  Key(VK_DELETE);
  EXPECT_TRUE(Recorder().Matches(kDelete));
  EXPECT_EQ(grid.GetItemCount(), kRows);  // the parent decides
}

TEST_F(ListGrid, ARowBeyondSixteenBitsIsMarkedInTheDeleteMessage) {
  Make(0);
  const int rows = 0x10001;
  grid.SetRedraw(FALSE);
  for (int r = 0; r < rows; ++r) ASSERT_EQ(grid.insertRow(r), r);
  grid.SetRedraw(TRUE);
  struct Case {
    int row;
    LPARAM sent;
  } cases[] = {
      {0xFFFE, MAKELPARAM(0xFFFE, 1)},
      {0xFFFF, MAKELPARAM(CSGridCtrl::SGN_ROW_NOT_PACKED, 1)},
      {0x10000, MAKELPARAM(CSGridCtrl::SGN_ROW_NOT_PACKED, 1)},
  };
  for (const Case& c : cases) {
    grid.setCurrentItem(c.row, 1);
    Clear();
    Key(VK_DELETE);
    ASSERT_EQ(deletes.size(), 1u) << c.row;
    EXPECT_EQ(deletes[0], c.sent) << c.row;
    EXPECT_EQ(grid.getCurrentItem(), c.row);
  }
}

TEST_F(ListGrid, AClickEditsOnlyALaterEnabledColumnOfTheFocusedRow) {
  // With LVS_EDITLABELS: the grid opens its own editor on the cell.
  ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_EDITLABELS,
                          CRect(0, 0, 400, 200), &parent, kListId));
  grid.setColumnHeaders({_T("One"), _T("Two"), _T("Three"), _T("Four")});
  for (int r = 0; r < 3; ++r) ASSERT_EQ(grid.insertRowWTextItems(r, {_T("a"), _T("b"), _T("c"), _T("d")}), r);
  grid.enableColumn(3, false);
  grid.SetFocus();
  auto middle = [&](int row, int column) {
    CRect bounds;
    grid.GetItemRect(row, bounds, LVIR_BOUNDS);
    int x = bounds.left;
    for (int c = 0; c < column; ++c) x += grid.GetColumnWidth(c);
    return CPoint(x + grid.GetColumnWidth(column) / 2, bounds.CenterPoint().y);
  };
  struct Case {
    const char* what;
    bool focusedBefore;
    int column;
    bool edits;
  } cases[] = {
      {"column 0 of the focused row", true, 0, false},
      {"column 2 of another row", false, 2, false},
      {"column 2 of the focused row", true, 2, true},
      {"a disabled column of the focused row", true, 3, false},
  };
  for (const Case& c : cases) {
    grid.setCurrentItem(c.focusedBefore ? 1 : 0, 0);
    Pump();
    const CPoint at = middle(1, c.column);
    Click(grid, at.x, at.y);
    CWnd* editor = grid.GetDlgItem(CSGridCtrl::INPLACE_EDIT_ID);
    EXPECT_EQ(editor != NULL, c.edits) << c.what;
    EXPECT_EQ(grid.getCurrentItem(), 1) << c.what;
    if (editor != NULL) {
      editor->SetWindowText(_T("typed"));
      grid.SetFocus();
      Pump();
      EXPECT_EQ(grid.getCellText(1, c.column), CString(_T("typed"))) << c.what;
    }
  }
}

TEST_F(ListGrid, FittingAllColumnsKeepsEachAtItsShareWhenItWasWider) {
  Make(2);
  grid.setCellWText(0, 0, CString(_T('m'), 60));
  grid.setCellWText(0, 1, CString(_T('m'), 60));
  grid.setCellWText(0, 2, _T("x"));
  grid.setColumnWidthsToFitContents();
  CRect client;
  grid.GetClientRect(client);
  const int share = client.Width() / 4;
  int total = 0;
  for (int c = 0; c < 4; ++c) total += grid.GetColumnWidth(c);
  EXPECT_LE(total, client.Width());
  EXPECT_GE(grid.GetColumnWidth(0), share);
  EXPECT_GE(grid.GetColumnWidth(1), share);
  EXPECT_LT(grid.GetColumnWidth(2), share);  // narrower by its contents, it gives nothing
  // One column alone fits its contents, whatever the others.
  grid.setColumnWidthToFitContents(1);
  EXPECT_GT(grid.GetColumnWidth(1), share);
}

TEST_F(ListGrid, RowsGrowWithColumnsAddedLater) {
  Make(2);
  grid.addColumn(_T("Five"));
  EXPECT_EQ(grid.getColumnCount(), 5);
  EXPECT_EQ(grid.getCellText(0, 4), CString());
  EXPECT_EQ(grid.getDrawItem(1, 4), nullptr);
  EXPECT_TRUE(grid.setCellWText(1, 4, _T("late")));
  EXPECT_EQ(grid.getCellText(1, 4), CString(_T("late")));
  EXPECT_EQ(grid.getCellText(1, 3), CString(_T("r1c3")));
  EXPECT_TRUE(grid.setDrawItem(0, 4, new DrawItemInfo(_T("cell"), 2, 3)));
  EXPECT_EQ(grid.getCellIndent(0, 4), 3);
  DrawItemInfo** row = grid.getDrawRowInfo(0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row[4]->GetText(), CString(_T("cell")));
  // Out of range on every side.
  EXPECT_FALSE(grid.setCellWText(1, 5, _T("x")));
  EXPECT_FALSE(grid.setCellWText(2, 0, _T("x")));
  EXPECT_FALSE(grid.setCellWText(-1, 0, _T("x")));
  EXPECT_EQ(grid.getDrawItem(0, -1), nullptr);
}

TEST_F(ListGrid, RowsThatCannotBeInsertedLeaveNothing) {
  Make(2);
  EXPECT_EQ(grid.insertRowWTextItems(0, {_T("a"), _T("b"), _T("c")}), -1);  // four columns
  EXPECT_EQ(grid.GetItemCount(), 2);
  EXPECT_EQ(grid.insertRow(-1), -1);  // the list refuses the index
  EXPECT_EQ(grid.GetItemCount(), 2);
  EXPECT_EQ(grid.insertRowWTextItems(1, {_T("a"), _T("b"), _T("c"), _T("d"), _T("e")}), 1);
  EXPECT_EQ(grid.getCellText(1, 3), CString(_T("d")));
}

TEST_F(ListGrid, ACellWithoutTextShowsNoIcon) {
  DrawItemInfo empty(_T(""), 4, -2);
  DrawItemInfo full(_T("x"), 4, 1);
  EXPECT_TRUE(empty.HasIcon());
  EXPECT_EQ(empty.GetIcon(), -1);
  EXPECT_EQ(empty.GetIndent(), 0);
  EXPECT_EQ(full.GetIcon(), 4);
  EXPECT_EQ(full.SetIndent(-5), 0);
}

class ListGridPixels : public ListGrid {
 protected:
  // The grid's client area as drawn into a DIB.
  void Paint(DibCanvas& canvas) {
    grid.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  // A point inside a cell, away from its text.
  CPoint Inside(int row, int column) {
    CRect bounds;
    grid.GetItemRect(row, bounds, LVIR_BOUNDS);
    int x = bounds.left;
    for (int c = 0; c < column; ++c) x += grid.GetColumnWidth(c);
    return CPoint(x + grid.GetColumnWidth(column) - 3, bounds.top + 3);
  }
};

TEST_F(ListGridPixels, TheCurrentRowAndItsFocusCell) {
  Make();
  const COLORREF red = RGB(255, 0, 0);
  grid.setColumnColours({red});  // shorter than the columns: the rest keep the window colour
  grid.setCurrentItem(1, 2);
  grid.SetFocus();
  Pump();
  CRect client;
  grid.GetClientRect(client);
  DibCanvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
  ASSERT_TRUE(canvas.valid());
  Paint(canvas);
  struct Case {
    const char* what;
    int row, column;
    COLORREF colour;
  } cases[] = {
      {"focus cell", 1, 2, ::GetSysColor(COLOR_HIGHLIGHT)},
      {"other cell of the current row", 1, 0, ::GetSysColor(COLOR_INACTIVECAPTION)},
      {"another cell of the current row", 1, 3, ::GetSysColor(COLOR_INACTIVECAPTION)},
      {"coloured column", 2, 0, red},
      {"column past the colours", 2, 1, ::GetSysColor(COLOR_WINDOW)},
      {"last column", 0, 3, ::GetSysColor(COLOR_WINDOW)},
  };
  for (const Case& c : cases) {
    const CPoint at = Inside(c.row, c.column);
    EXPECT_EQ(canvas.At(at.x, at.y), c.colour) << c.what;
  }
  // The focus cell has a focus rectangle and highlighted text; without the focus the whole
  // current row is in the inactive colour.
  CRect cell;
  grid.GetSubItemRect(1, 2, LVIR_BOUNDS, cell);
  EXPECT_GT(canvas.CountOf(::GetSysColor(COLOR_HIGHLIGHTTEXT), cell), 0);
  parent.SetFocus();
  Pump();
  DibCanvas unfocused(client.Width(), client.Height(), RGB(1, 2, 3));
  Paint(unfocused);
  const CPoint at = Inside(1, 2);
  EXPECT_EQ(unfocused.At(at.x, at.y), ::GetSysColor(COLOR_INACTIVECAPTION));
}

}  // namespace
