// The parent window and fixture of the list tests.
#include "lists_test.h"

#include <commctrl.h>

#include "test_support.h"

using testing_support::Recorder;

bool ListParent::Make(int width, int height) {
  RECT rc = {0, 0, width, height};
  ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
  return CreateEx(0, AfxRegisterWndClass(0), _T("Lists"), WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10,
                  rc.right - rc.left, rc.bottom - rc.top, NULL, NULL) != FALSE;
}

LRESULT ListParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFYFORMAT) return NFR_UNICODE;
  if (message == WM_NOTIFY) {
    Recorder().Record(m_hWnd, message, wParam, lParam, testing_support::kParent);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    codes.push_back(static_cast<int>(header->code));
    if (header->code == LVN_ITEMCHANGED) changes.push_back(*reinterpret_cast<const NMLISTVIEW*>(lParam));
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL ListParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != LVN_GETDISPINFOW || !text) return FALSE;
  NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
  if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
    const std::wstring t = text(info->item.iItem, info->item.iSubItem);
    lstrcpynW(info->item.pszText, t.c_str(), info->item.cchTextMax);
  }
  return TRUE;
}

void ListViewTest::SetUp() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  ASSERT_TRUE(parent.Make(600, 400));
  Recorder().Reset();
}

void ListViewTest::TearDown() {
  if (view.m_hWnd) view.DestroyWindow();
  if (parent.m_hWnd) parent.DestroyWindow();
  testing_support::PumpMessages();
}

void ListViewTest::MakeList(int width, int height, std::vector<int> columns, int rows, DWORD style) {
  HWND window = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent.m_hWnd,
                                reinterpret_cast<HMENU>(42), NULL, NULL);
  ASSERT_TRUE(window);
  ASSERT_TRUE(view.SubclassWindow(window));
  for (size_t c = 0; c < columns.size(); ++c) {
    CGUIListViewColumn column;
    column.SetWidth(columns[c]);
    column.SetText(L"Column", TRUE);
    ASSERT_EQ(view.InsertColumn(static_cast<int>(c), column), static_cast<int>(c));
  }
  for (int r = 0; r < rows; ++r) {
    for (size_t c = 0; c < columns.size(); ++c) {
      const std::wstring t = L"r" + std::to_wstring(r) + L"c" + std::to_wstring(c);
      CGUIListViewItem item;
      item.SetItem(r);
      item.SetSubItem(static_cast<int>(c));
      item.SetText(t.c_str(), FALSE);
      if (c == 0)
        ASSERT_EQ(view.InsertItem(item), r);
      else
        ASSERT_TRUE(view.SetItem(item));
    }
  }
}

int ListViewTest::ColumnWidth(int column) const {
  return static_cast<int>(SendMessageW(list(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

std::vector<int> ListViewTest::Widths() const {
  std::vector<int> out;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list(), LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) out.push_back(ColumnWidth(i));
  return out;
}

std::vector<int> ListViewTest::SelectedRows() const {
  std::vector<int> out;
  for (int i = -1; (i = static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
    out.push_back(i);
  return out;
}

int ListViewTest::FocusedRow() const {
  return static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListViewTest::Click(int x, int y) {
  // The list waits for the button to come up (or the mouse to move) before it takes the
  // click: the release is already waiting in the queue.
  PostMessageW(list(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  testing_support::PumpMessages();
}
