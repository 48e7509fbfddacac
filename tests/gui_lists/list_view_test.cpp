// The list control of the multi-column list: its column and item records, column shares
// kept through size changes, selection refused to the user only, cells under a point, texts
// asked while hidden, and what it tells its parent.

#include <cwchar>

#include "lists_test.h"
#include <commctrl.h>
#include "test_support.h"

using namespace testing_support;

namespace {

// ---------------------------------------------------------------------------------------
// Records

TEST(ListViewRecords, TextsAreCopiedOwnedOrBorrowed) {
  wchar_t buffer[] = L"borrowed";
  const wchar_t* callers = buffer;  // a constant text: the copying form
  struct Case {
    const char* what;
    bool copy;
  } const cases[] = {{"owned copy", true}, {"borrowed", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* original = new CGUIListViewItem;
    original->SetText(callers, c.copy);
    EXPECT_EQ(original->m_text.m_ownsText, c.copy);
    EXPECT_EQ(original->m_text.m_text == callers, !c.copy);
    EXPECT_EQ(original->m_text.m_capacity, 9);

    CGUIListViewItem assigned(16);  // its own buffer is freed by the assignment
    assigned = *original;
    CGUIListViewItem copied(*original);
    // An owned text is copied into a buffer of the copy's own; a borrowed one stays the caller's.
    EXPECT_EQ(assigned.m_text.m_text == original->m_text.m_text, !c.copy);
    EXPECT_EQ(copied.m_text.m_text == original->m_text.m_text, !c.copy);
    delete original;  // frees only what the original owned
    CString text;
    ASSERT_TRUE(assigned.GetText(text));
    EXPECT_EQ(CStringW(text), CStringW(L"borrowed"));
    ASSERT_TRUE(copied.GetText(text));
    EXPECT_EQ(CStringW(text), CStringW(L"borrowed"));
    EXPECT_EQ(assigned.m_text.m_ownsText, c.copy);
  }
  EXPECT_STREQ(buffer, L"borrowed");
}

TEST(ListViewRecords, ColumnCopiesAndTextOperations) {
  CGUIListViewColumn column;
  column.SetText(L"Name", TRUE);
  column = column;  // assigning a record to itself keeps its text
  CString text;
  ASSERT_TRUE(column.GetText(text));
  EXPECT_EQ(CStringW(text), CStringW(L"Name"));
  // Its own text given again, copied: still the same text.
  column.SetText(static_cast<const wchar_t*>(column.m_text.m_text), TRUE);
  ASSERT_TRUE(column.GetText(text));
  EXPECT_EQ(CStringW(text), CStringW(L"Name"));
  {
    CGUIListViewColumn copy = column;
    EXPECT_NE(copy.m_text.m_text, column.m_text.m_text);
  }
  ASSERT_TRUE(column.GetText(text));
  EXPECT_EQ(CStringW(text), CStringW(L"Name"));
  // A null text changes nothing; a caller's buffer is borrowed with its capacity.
  column.SetText(static_cast<const wchar_t*>(nullptr), TRUE);
  EXPECT_TRUE(column.m_text.m_ownsText);
  wchar_t buffer[40] = L"";
  column.SetText(buffer, 40);
  EXPECT_EQ(column.m_text.m_text, buffer);
  EXPECT_EQ(column.m_text.m_capacity, 40);
  EXPECT_FALSE(column.m_text.m_ownsText);
  column.Reset();
  EXPECT_EQ(column.m_mask, 0u);
  EXPECT_FALSE(column.GetText(text));
}

TEST(ListViewRecords, FieldsAnswerOnlyWhenSet) {
  struct Case {
    tagAlignment set;
  } const cases[] = {{kAlignLeft}, {kAlignRight}, {kAlignCenter}};
  for (const Case& c : cases) {
    CGUIListViewColumn column;
    tagAlignment got = static_cast<tagAlignment>(-1);
    EXPECT_FALSE(column.GetAlignment(got));
    column.SetAlignment(c.set);
    ASSERT_TRUE(column.GetAlignment(got));
    EXPECT_EQ(got, c.set);
  }
  CGUIListViewColumn column;
  int value = -1;
  EXPECT_FALSE(column.GetWidth(value));
  EXPECT_FALSE(column.GetSubItem(value));
  column.SetWidth(120);
  column.SetSubItem(3);
  EXPECT_TRUE(column.GetWidth(value));
  EXPECT_EQ(value, 120);
  EXPECT_TRUE(column.GetSubItem(value));
  EXPECT_EQ(value, 3);
  EXPECT_EQ(column.m_mask, static_cast<UINT>(LVCF_WIDTH | LVCF_SUBITEM));

  CGUIListViewItem item(8);
  EXPECT_EQ(item.m_text.m_capacity, 8);
  EXPECT_TRUE(item.m_text.m_ownsText);
  LPARAM data = 0;
  int image = 0;
  UINT state = 0, mask = 0;
  EXPECT_FALSE(item.GetData(data));
  EXPECT_FALSE(item.GetImage(image));
  EXPECT_FALSE(item.GetState(state, mask));
  EXPECT_TRUE(item.GetItem(value));
  item.SetData(static_cast<LPARAM>(~static_cast<LPARAM>(0) - 5));  // a pointer-sized value
  item.SetImage(4);
  item.SetState(LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_TRUE(item.GetData(data));
  EXPECT_EQ(data, static_cast<LPARAM>(~static_cast<LPARAM>(0) - 5));
  EXPECT_TRUE(item.GetImage(image));
  EXPECT_EQ(image, 4);
  EXPECT_TRUE(item.GetState(state, mask));
  EXPECT_EQ(state, static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(mask, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
}

// ---------------------------------------------------------------------------------------
// The list control

using ListView = ListViewTest;

TEST_F(ListView, RecordsGoToAndFromTheList) {
  MakeList(300, 200, {80, 60}, 3);
  CGUIListViewItem item(64);
  item.SetItem(2);
  item.SetSubItem(1);
  item.SetText(item.m_text.m_text, item.m_text.m_capacity);
  item.SetData(0);
  ASSERT_TRUE(view.GetItem(item));
  CString text;
  ASSERT_TRUE(item.GetText(text));
  EXPECT_EQ(CStringW(text), CStringW(L"r2c1"));

  CGUIListViewColumn column;
  wchar_t buffer[32] = L"";
  column.SetText(buffer, 32);
  column.SetWidth(0);
  ASSERT_TRUE(view.GetColumn(1, column));
  int width = 0;
  EXPECT_TRUE(column.GetWidth(width));
  EXPECT_EQ(width, 60);
  EXPECT_STREQ(buffer, L"Column");
  EXPECT_FALSE(view.GetColumn(7, column));
}

TEST_F(ListView, AutoResizeKeepsTheColumnsShares) {
  // A list 300 wide whose columns are 100, 50, 50.
  MakeList(300, 150, {100, 50, 50}, 2);
  view.SetAutoResizeColumns(true);
  // The first size change to 400: the shares come from the column widths (total 200).
  SetWindowPos(list(), NULL, 0, 0, 400, 150, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(view.GetColumnWeights(), (std::vector<int>{100, 50, 50, 200}));
  EXPECT_EQ(Widths(), (std::vector<int>{200, 100, 100}));

  // The user drags the edge of the first column from 200 to 300: the shares are taken
  // again, this time against the window's width.
  HWND header = reinterpret_cast<HWND>(SendMessageW(list(), LVM_GETHEADER, 0, 0));
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(199, 5));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 5));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(299, 5));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(299, 5));
  PumpMessages();
  EXPECT_EQ(Widths(), (std::vector<int>{300, 100, 100}));
  EXPECT_EQ(view.GetColumnWeights(), (std::vector<int>{300, 100, 100, 400}));
  // Halved: every column halves, the sum (250) is not what counts.
  SetWindowPos(list(), NULL, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Widths(), (std::vector<int>{150, 50, 50}));
  // Off: size changes leave the columns alone.
  view.SetAutoResizeColumns(false);
  SetWindowPos(list(), NULL, 0, 0, 500, 150, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Widths(), (std::vector<int>{150, 50, 50}));
}

TEST_F(ListView, AutoResizeWithNothingToShare) {
  struct Case {
    const char* what;
    std::vector<int> columns;
    int firstWidth;
  } const cases[] = {
      {"every column 0 wide", {0, 0}, 300},
      {"no column", {}, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeList(250, 100, c.columns, 1);
    view.SetAutoResizeColumns(true);
    SetWindowPos(list(), NULL, 0, 0, c.firstWidth, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Widths(), c.columns);
    // Widths given later are shared out at the next size change.
    for (size_t i = 0; i < c.columns.size(); ++i) SendMessageW(list(), LVM_SETCOLUMNWIDTH, i, 30);
    SetWindowPos(list(), NULL, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER);
    if (!c.columns.empty()) {
      EXPECT_EQ(Widths(), (std::vector<int>{60, 60}));
    }
    view.DestroyWindow();
  }
  // Shares taken against a window 0 wide (a column edge dropped while the list had no
  // width): the next size change leaves the widths alone.
  MakeList(300, 100, {40, 20}, 1);
  view.SetAutoResizeColumns(true);
  SetWindowPos(list(), NULL, 0, 0, 0, 100, SWP_NOMOVE | SWP_NOZORDER);  // first shares: 40, 20 of 60
  EXPECT_EQ(Widths(), (std::vector<int>{0, 0}));
  NMHEADERW end = {};
  HDITEMW width = {};
  width.mask = HDI_WIDTH;
  width.cxy = 0;
  end.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(list(), LVM_GETHEADER, 0, 0));
  end.hdr.code = HDN_ENDTRACKW;
  end.iItem = 0;
  end.pitem = &width;
  SendMessageW(list(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(view.GetColumnWeights(), (std::vector<int>{0, 0, 0}));
  SetWindowPos(list(), NULL, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Widths(), (std::vector<int>{0, 0}));
  view.DestroyWindow();
}

TEST_F(ListView, SelectionOffRefusesTheUsersChangesOnly) {
  MakeList(300, 200, {100, 100}, 6);
  view.EnableSelection(FALSE);
  // The program's own changes pass.
  ASSERT_TRUE(view.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(SelectedRows(), (std::vector<int>{1}));
  RECT row3 = {};
  row3.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list(), LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&row3)));

  struct Case {
    const char* what;
    std::function<void()> act;
    int focused;
  } const cases[] = {
      {"click on row 3", [&] { Click(20, (row3.top + row3.bottom) / 2); }, 3},
      {"down arrow", [&] { SendMessageW(list(), WM_KEYDOWN, VK_DOWN, 1); }, 4},
      {"home", [&] { SendMessageW(list(), WM_KEYDOWN, VK_HOME, 1); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    parent.changes.clear();
    c.act();
    EXPECT_EQ(FocusedRow(), c.focused);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1}));
    // The parent hears of the focus moving, never of a selection change.
    bool focusMoved = false;
    for (const NMLISTVIEW& change : parent.changes) {
      EXPECT_EQ((change.uNewState ^ change.uOldState) & LVIS_SELECTED, 0u) << "row " << change.iItem;
      focusMoved |= change.iItem == c.focused && (change.uNewState & LVIS_FOCUSED) != 0;
    }
    EXPECT_TRUE(focusMoved);
  }
  // The program may still clear and set the selection.
  view.UnselectAll();
  EXPECT_TRUE(SelectedRows().empty());
  view.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(SelectedRows(), (std::vector<int>{2}));
  // On again: the user's click selects.
  view.EnableSelection(TRUE);
  Click(20, (row3.top + row3.bottom) / 2);
  EXPECT_EQ(SelectedRows(), (std::vector<int>{3}));
}

TEST_F(ListView, FocusGoesToTheSelection) {
  MakeList(300, 200, {100}, 5, LVS_REPORT | LVS_SHOWSELALWAYS);
  // Focus to a list with neither focus nor selection: row 0 takes the focus.
  SetFocus(list());
  EXPECT_EQ(FocusedRow(), 0);
  EXPECT_TRUE(SelectedRows().empty());
  view.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
  view.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
  view.PutFocusOnSel();
  EXPECT_EQ(FocusedRow(), 3);
  // A selected focused row keeps the focus.
  view.SetItemState(4, LVIS_FOCUSED, LVIS_FOCUSED);
  view.PutFocusOnSel();
  EXPECT_EQ(FocusedRow(), 4);
}

TEST_F(ListView, CellAtCountsScrollingAndColumnOrder) {
  MakeList(200, 150, {100, 100, 100}, 4);
  RECT row2 = {};
  row2.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row2)));
  const int y = (row2.top + row2.bottom) / 2;
  struct Case {
    const char* what;
    std::function<void()> arrange;
    int x;
    POINT cell;  // column, row
  } const cases[] = {
      {"first column", [] {}, 20, {0, 2}},
      {"second column", [] {}, 120, {1, 2}},
      {"scrolled 100 to the right", [&] { SendMessageW(list(), LVM_SCROLL, 100, 0); }, 20, {1, 2}},
      {"third column shown first",
       [&] {
         SendMessageW(list(), LVM_SCROLL, static_cast<WPARAM>(-1000), 0);
         int order[] = {2, 0, 1};
         SendMessageW(list(), LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
       },
       20, {2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    POINT cell = {-1, -1};
    LVHITTESTINFO hit = {};
    hit.pt = {c.x, y};
    SendMessageW(list(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    ASSERT_TRUE(view.GetCellAt({c.x, y}, cell)) << hit.iItem << " " << hit.iSubItem << " " << hit.flags;
    EXPECT_EQ(cell.x, c.cell.x);
    EXPECT_EQ(cell.y, c.cell.y);
  }
  POINT cell = {-1, -1};
  EXPECT_FALSE(view.GetCellAt({20, 140}, cell)) << "below the last row";
  // Under the cursor: the cursor placed over row 2 of the first column shown.
  POINT screen = {20, y};
  ClientToScreen(list(), &screen);
  ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
  ASSERT_TRUE(view.GetCellUnderCursor(cell));
  EXPECT_EQ(cell.x, 2);
  EXPECT_EQ(cell.y, 2);
}

TEST_F(ListView, TextsAreAskedOfTheParentWhileHidden) {
  MakeList(200, 100, {100}, 0, LVS_REPORT);
  parent.text = [](int row, int column) { return L"asked " + std::to_wstring(row) + L"," + std::to_wstring(column); };
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.pszText = LPSTR_TEXTCALLBACKW;
  ASSERT_EQ(SendMessageW(list(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
  ShowWindow(list(), SW_HIDE);
  wchar_t text[32] = L"";
  LVITEMW read = {};
  read.pszText = text;
  read.cchTextMax = 32;
  SendMessageW(list(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&read));
  EXPECT_STREQ(text, L"asked 0,0");
}

TEST_F(ListView, TellsItsParent) {
  MakeList(200, 100, {100}, 3);
  Recorder().Watch(parent.m_hWnd);
  // A context-menu request: one WM_NOTIFY with the list's id (code -96).
  Recorder().Reset();
  parent.codes.clear();
  SendMessageW(list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list()), MAKELPARAM(-1, -1));
  const ExpectedMsg contextMenu[] = {{WM_NOTIFY, kSent | kParent | kWparam, 42, 0}, {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(contextMenu));
  EXPECT_EQ(parent.codes, (std::vector<int>{kGUIListContextMenu}));

  // A key: the list's own notifications, then the portable key (code -98) last.
  parent.codes.clear();
  SendMessageW(list(), WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_FALSE(parent.codes.empty());
  EXPECT_EQ(parent.codes.back(), -98);
  Recorder().UnwatchAll();

  // Tab is asked for only when Tab processing is on.
  EXPECT_FALSE(SendMessageW(list(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  view.EnableProcessTabKey(TRUE);
  EXPECT_TRUE(SendMessageW(list(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  view.EnableProcessTabKey(FALSE);
  EXPECT_FALSE(SendMessageW(list(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
}

}  // namespace

namespace {

TEST_F(ListViewTest, SharesFillTheWidthWithoutRoundingOver) {
  // Three equal shares of 301 pixels: rounded one by one they would take 303.
  MakeList(300, 100, {100, 100, 100}, 1);
  view.SetAutoResizeColumns(true);
  struct Case {
    int width;
    std::vector<int> widths;
  } const cases[] = {{301, {100, 101, 100}}, {302, {101, 100, 101}}, {100, {33, 34, 33}}};
  for (const Case& c : cases) {
    SetWindowPos(list(), NULL, 0, 0, c.width, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Widths(), c.widths) << c.width;
  }
}

}  // namespace
