// The virtual list view: the thumb mapping, the page of items over many rows, the selection
// kept through scrolling, size changes that never ask for a row past the end, columns as
// wide as they are, and the header's tracking.
#include <GUIVirtualListView.h>

#include <algorithm>
#include <string>

#include "dib_canvas.h"
#include "lists_test.h"
#include <commctrl.h>
#include "test_support.h"

using namespace testing_support;

namespace {

// Every cell asked of the callback.
struct Asked {
  std::vector<std::pair<int, int>> cells;
  int maxRow() const {
    int m = -1;
    for (const auto& c : cells) m = std::max(m, c.first);
    return m;
  }
};

int TextOf(int row, int column, wchar_t* buffer, int capacity, LONG_PTR user) {
  reinterpret_cast<Asked*>(user)->cells.push_back({row, column});
  const std::wstring text = L"row " + std::to_wstring(row) + L" col " + std::to_wstring(column);
  lstrcpynW(buffer, text.c_str(), capacity);
  return 0;
}

class VirtualList : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(parent.Make(700, 700));
    const RECT rc = {0, 0, 300, 300};
    ASSERT_TRUE(view.Create(WS_VISIBLE, rc, &parent, 77));
    view.SetTextCallback(&TextOf, reinterpret_cast<LONG_PTR>(&asked));
    ASSERT_EQ(view.AddColumn(L"Name"), 0);
    // The height of a row, read from a page with items.
    view.SetItemsCount(3);
    RECT item = {};
  item.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)));
    rowHeight = item.bottom - item.top;
    ASSERT_GT(rowHeight, 0);
  }
  void TearDown() override {
    if (view.m_hWnd) view.DestroyWindow();
    parent.DestroyWindow();
    PumpMessages();
  }
  HWND List() { return view.GetList().m_hWnd; }
  HWND Header() { return view.GetHeader().m_hWnd; }
  // Sizes the view so that its page holds exactly `rows` rows.
  void SizeForRows(int rows) {
    RECT header = {};
    GetWindowRect(Header(), &header);
    RECT outer = {}, client = {};
    GetWindowRect(view.m_hWnd, &outer);
    GetClientRect(view.m_hWnd, &client);
    const int frame = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(view.m_hWnd, NULL, 0, 0, outer.right - outer.left,
                 frame + (header.bottom - header.top) + rows * rowHeight + rowHeight / 2, SWP_NOMOVE | SWP_NOZORDER);
  }
  void Scroll(int code, int thumb = 0) { SendMessageW(view.m_hWnd, WM_VSCROLL, MAKEWPARAM(code, thumb), 0); }
  int ListCount() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
  std::wstring ItemText(int item, int column = 0) {
    wchar_t text[64] = L"";
    LVITEMW read = {};
    read.iSubItem = column;
    read.pszText = text;
    read.cchTextMax = 64;
    SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&read));
    return text;
  }
  // Reads every item's text, as a paint would.
  void ReadPage() {
    for (int i = 0, n = ListCount(); i < n; ++i) ItemText(i);
  }
  int SelectedItem() {
    return static_cast<int>(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  bool HasVerticalBar() { return (GetWindowLongW(view.m_hWnd, GWL_STYLE) & WS_VSCROLL) != 0; }

  ListParent parent;
  CGUIVirtualListView view;
  Asked asked;
  int rowHeight = 0;
};

TEST_F(VirtualList, ThumbMapsToRowsBothWaysWithTheEndsKept) {
  struct Case {
    int total;
    int thumb;
    int first;
  } const cases[] = {
      {30, 0, 0},           {30, 32767, 10},           {30, 16384, 5},
      {1000000, 0, 0},      {1000000, 32767, 999980},  {1000000, 16383, 499975},
      {20, 16384, 0},  // every row on view: one place
  };
  SizeForRows(20);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.total) + " rows, thumb " + std::to_string(c.thumb));
    view.SetItemsCount(c.total);
    ASSERT_EQ(view.GetVisibleCount(), 20);
    EXPECT_EQ(view.FirstFromThumb(c.thumb), c.first);
    // Released there, the rows follow and the thumb stays where that row maps to.
    Scroll(SB_THUMBPOSITION, c.thumb);
    EXPECT_EQ(view.GetFirstVisibleRow(), c.first);
    EXPECT_EQ(GetScrollPos(view.m_hWnd, SB_VERT), view.ThumbFromFirst(c.first));
    if (c.total > 20) {
      EXPECT_EQ(view.ThumbFromFirst(c.first), c.thumb);
    }
    ReadPage();
    EXPECT_EQ(ItemText(0), L"row " + std::to_wstring(c.first) + L" col 0");
  }
  // 30 rows: every first row maps to a thumb that maps back to it, so a line's step never
  // jumps when the thumb is released where it was.
  view.SetItemsCount(30);
  for (int first = 0; first <= 10; ++first) EXPECT_EQ(view.FirstFromThumb(view.ThumbFromFirst(first)), first);
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(view.GetFirstVisibleRow(), 1);
  Scroll(SB_THUMBPOSITION, GetScrollPos(view.m_hWnd, SB_VERT));
  EXPECT_EQ(view.GetFirstVisibleRow(), 1);
}

TEST_F(VirtualList, ScrollOperations) {
  SizeForRows(20);
  view.SetItemsCount(100);
  struct Case {
    int code;
    int first;
  } const cases[] = {
      {SB_LINEUP, 0},   {SB_LINEDOWN, 1},  {SB_PAGEDOWN, 21}, {SB_PAGEDOWN, 41}, {SB_BOTTOM, 80},
      {SB_LINEDOWN, 80}, {SB_PAGEDOWN, 80}, {SB_PAGEUP, 60},   {SB_LINEUP, 59},   {SB_TOP, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    Scroll(c.code);
    EXPECT_EQ(view.GetFirstVisibleRow(), c.first);
    EXPECT_EQ(ListCount(), 20);
    EXPECT_EQ(GetScrollPos(view.m_hWnd, SB_VERT), view.ThumbFromFirst(c.first));
    EXPECT_EQ(ItemText(19), L"row " + std::to_wstring(c.first + 19) + L" col 0");
  }
  EXPECT_LT(asked.maxRow(), 100);
}

TEST_F(VirtualList, FewerRowsThanAPageShowNoBar) {
  SizeForRows(20);
  view.SetItemsCount(100);
  EXPECT_TRUE(HasVerticalBar());
  asked.cells.clear();
  view.SetItemsCount(5);
  EXPECT_FALSE(HasVerticalBar());
  EXPECT_EQ(view.GetVisibleCount(), 5);
  EXPECT_EQ(ListCount(), 5);
  ReadPage();
  EXPECT_EQ(asked.maxRow(), 4);
  Scroll(SB_PAGEDOWN);
  Scroll(SB_BOTTOM);
  EXPECT_EQ(view.GetFirstVisibleRow(), 0);
  view.SetItemsCount(0);
  EXPECT_EQ(ListCount(), 0);
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(view.GetFirstVisibleRow(), 0);
}

TEST_F(VirtualList, SelectionIsKeptThroughScrolling) {
  SizeForRows(20);
  view.SetItemsCount(100);
  // The user selects item 5 of the first page.
  LVITEMW state = {};
  state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(List(), LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(view.GetSelectedRow(), 5);
  Scroll(SB_PAGEDOWN);
  EXPECT_EQ(view.GetSelectedRow(), 5);
  EXPECT_EQ(SelectedItem(), -1) << "row 5 is not on view";
  Scroll(SB_PAGEUP);
  EXPECT_EQ(view.GetSelectedRow(), 5);
  EXPECT_EQ(SelectedItem(), 5);
  // Lines: the selected row moves up the page.
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(SelectedItem(), 4);
  Scroll(SB_LINEUP);
  EXPECT_EQ(SelectedItem(), 5);
  // A row brought into view: at the bottom of the page when it lies below, at the top when above.
  view.EnsureRowVisible(50);
  EXPECT_EQ(view.GetFirstVisibleRow(), 31);
  view.EnsureRowVisible(40);
  EXPECT_EQ(view.GetFirstVisibleRow(), 31) << "already on view";
  view.EnsureRowVisible(10);
  EXPECT_EQ(view.GetFirstVisibleRow(), 10);
  EXPECT_EQ(GetScrollPos(view.m_hWnd, SB_VERT), view.ThumbFromFirst(10));
  // A new count forgets the selection.
  view.SetItemsCount(50);
  EXPECT_EQ(view.GetSelectedRow(), -1);
  EXPECT_EQ(SelectedItem(), -1);
}

TEST_F(VirtualList, KeysAtThePageEdgesScroll) {
  SizeForRows(20);
  view.SetItemsCount(100);
  view.SelectRow(19);
  SetFocus(List());
  SendMessageW(List(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(view.GetFirstVisibleRow(), 1);
  EXPECT_EQ(view.GetSelectedRow(), 20);
  EXPECT_EQ(SelectedItem(), 19);
  view.SelectRow(1);
  SendMessageW(List(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(view.GetFirstVisibleRow(), 0);
  EXPECT_EQ(view.GetSelectedRow(), 0);
}

TEST_F(VirtualList, SizeChangesNeverAskPastTheEnd) {
  SizeForRows(20);
  view.SetItemsCount(100);
  Scroll(SB_BOTTOM);
  ASSERT_EQ(view.GetFirstVisibleRow(), 80);
  asked.cells.clear();
  // Grown at the bottom: the page holds 30 rows, the last of which is the last row.
  SizeForRows(30);
  EXPECT_EQ(view.GetVisibleCount(), 30);
  EXPECT_EQ(ListCount(), 30);
  EXPECT_EQ(view.GetFirstVisibleRow(), 70);
  UpdateWindow(List());
  ReadPage();
  EXPECT_EQ(ItemText(29), L"row 99 col 0");
  EXPECT_EQ(asked.maxRow(), 99);
  EXPECT_EQ(GetScrollPos(view.m_hWnd, SB_VERT), 32767);
  // Shrunk: the lines go on from where the page is and stop at the end.
  SizeForRows(10);
  EXPECT_EQ(ListCount(), 10);
  for (int i = 0; i < 40; ++i) Scroll(SB_LINEDOWN);
  EXPECT_EQ(view.GetFirstVisibleRow(), 90);
  ReadPage();
  EXPECT_EQ(ItemText(9), L"row 99 col 0");
  EXPECT_EQ(asked.maxRow(), 99);
  // Grown past every row: all rows on view, no bar.
  SizeForRows(120);
  EXPECT_EQ(view.GetVisibleCount(), 100);
  EXPECT_EQ(view.GetFirstVisibleRow(), 0);
  EXPECT_FALSE(HasVerticalBar());
  ReadPage();
  EXPECT_EQ(asked.maxRow(), 99);
}

TEST_F(VirtualList, ColumnsSetTheWidthOfHeaderAndList) {
  EXPECT_EQ(view.AddColumn(L"Size"), 1);
  EXPECT_EQ(view.InsertColumn(1, L"Kind"), 1);
  EXPECT_EQ(view.GetColumnsCount(), 3);
  EXPECT_EQ(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0), 3);
  view.SetItemsCount(5);
  // 300 pixels of columns in a view narrower than that: both as wide as the columns.
  SetWindowPos(view.m_hWnd, NULL, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT header = {}, list = {};
  GetWindowRect(Header(), &header);
  GetWindowRect(List(), &list);
  EXPECT_GE(header.right - header.left, 300);
  EXPECT_LT(header.right - header.left, 400);
  EXPECT_EQ(list.right - list.left, header.right - header.left);
  // Scrolled to the right end: header and list move left by the offset.
  RECT client = {};
  GetClientRect(view.m_hWnd, &client);
  SendMessageW(view.m_hWnd, WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(view.GetHorizontalOffset(), 300 - client.right);
  SendMessageW(view.m_hWnd, WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(view.GetHorizontalOffset(), 300 - client.right - 16);
  SendMessageW(view.m_hWnd, WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(view.GetHorizontalOffset(), 0);
  SendMessageW(view.m_hWnd, WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(view.GetHorizontalOffset(), std::min(static_cast<int>(client.right), 300 - static_cast<int>(client.right)));
  // Wide enough again: back at 0.
  SetWindowPos(view.m_hWnd, NULL, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(view.GetHorizontalOffset(), 0);
  view.DeleteAllColumns();
  EXPECT_EQ(view.GetColumnsCount(), 0);
  EXPECT_EQ(SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(VirtualList, DraggedHeaderEdgeSetsTheColumnWidth) {
  view.SetItemsCount(5);
  // The edge of the first column (100) dragged to 160.
  SendMessageW(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(99, 5));
  SendMessageW(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 5));
  SendMessageW(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(159, 5));
  SendMessageW(Header(), WM_LBUTTONUP, 0, MAKELPARAM(159, 5));
  PumpMessages();
  EXPECT_EQ(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 0, 0), 160);
  EXPECT_EQ(view.GetColumnsWidth(), 160);
}

TEST_F(VirtualList, FontGoesToHeaderAndList) {
  HFONT own = reinterpret_cast<HFONT>(SendMessageW(view.m_hWnd, WM_GETFONT, 0, 0));
  EXPECT_TRUE(own);
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SendMessageW(view.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(view.m_hWnd, WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(List(), WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Header(), WM_GETFONT, 0, 0)), font);
  SendMessageW(view.m_hWnd, WM_SETFONT, 0, FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(view.m_hWnd, WM_GETFONT, 0, 0)), own);
}

}  // namespace

namespace {

TEST_F(VirtualList, PrintsHeaderAndRowsIntoADC) {
  SizeForRows(10);
  view.SetItemsCount(1000);
  Scroll(SB_THUMBPOSITION, 16384);
  view.SelectRow(view.GetFirstVisibleRow() + 2);
  SetFocus(view.m_hWnd);  // the list shows its selection in the highlight colour
  ASSERT_EQ(GetFocus(), List());
  RECT client = {};
  GetClientRect(view.m_hWnd, &client);
  DibCanvas canvas(client.right, client.bottom, RGB(1, 2, 3));
  ASSERT_TRUE(canvas.valid());
  SendMessageW(view.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0) << "every pixel drawn";
  RECT header = {};
  GetWindowRect(Header(), &header);
  const int headerHeight = header.bottom - header.top;
  const RECT headerBand = {0, 0, client.right, headerHeight};
  EXPECT_GT(canvas.CountOtherThan(GetSysColor(COLOR_WINDOW), headerBand), 0) << "the header's titles";
  // The selected row in the highlight colour, the rows above it with their texts.
  const RECT selected = {0, headerHeight + 2 * rowHeight, client.right, headerHeight + 3 * rowHeight};
  EXPECT_GT(canvas.CountOf(GetSysColor(COLOR_HIGHLIGHT), selected), 0);
  const RECT first = {0, headerHeight, client.right, headerHeight + rowHeight};
  EXPECT_GT(canvas.CountOtherThan(GetSysColor(COLOR_WINDOW), first), 0) << "the first row's text";
}

}  // namespace
