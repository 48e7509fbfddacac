#include "lists_demo.h"

#include <GUIDialog.h>
#include <GUIVirtualListView.h>
#include <QvDialog.h>
#include <QvMCListBox.h>
#include <framework.h>

#include <cwchar>

#include "lists_demo_ids.h"
#include "popup_window.h"
#include "screens.h"

namespace host {
namespace {

// Sales by region as the host's portable code fills them: columns by percentage, then kept
// in proportion as the dialog grows; a click on a header sorts by that column, numbers as
// numbers.
class SalesListDialog : public QvDialog {
 public:
  SalesListDialog() : QvDialog(nullptr, nullptr, false, true) { SetDialogID(IDD_SALES_LIST); }

  CWnd* OnCreatePlatform() override { return GetMFCCWnd() ? GetMFCCWnd() : new CGUIResizeDialog; }

  bool OnInit() override {
    if (GetControlFromID(m_list, IDC_SL_LIST, 0)) {
      for (const char* title : {"Region", "Quarter", "Units", "Revenue"}) m_list->AddColumn(QvString(title), -1);
      static const struct {
        const char* region;
        const char* quarter;
        long units;
        long revenue;
      } rows[] = {
          {"North", "Q1", 1250, 48200}, {"North", "Q2", 1410, 53900}, {"South", "Q1", 980, 35100},
          {"South", "Q2", 1105, 40250}, {"East", "Q1", 2210, 90400},  {"East", "Q2", 2380, 97150},
          {"West", "Q1", 760, 27300},   {"West", "Q2", 845, 31020},   {"Central", "Q1", 1530, 61800},
      };
      for (const auto& row : rows) {
        const long at = m_list->AddItem(-1);
        m_list->SetCellText(0, at, QvString(row.region));
        m_list->SetCellText(1, at, QvString(row.quarter));
        m_list->SetCellText(2, at, QvString(row.units));
        m_list->SetCellText(3, at, QvString(row.revenue));
      }
      QvArrayUShort percents;
      for (unsigned short p : {40, 16, 20, 24}) percents.Add(p);
      m_list->DistribPercentWidths(percents);
      m_list->SetAutoResizeColumns(true);
      m_list->Select(4L, true);
    }
    SetCancelPushButton(IDCANCEL);
    auto* window = static_cast<CGUIResizeDialog*>(GetMFCCWnd());
    window->AddAnchor(IDC_SL_LIST, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    window->AddAnchor(IDOK, ANCHOR_BOTTOM_RIGHT);
    window->AddAnchor(IDCANCEL, ANCHOR_BOTTOM_RIGHT);
    return true;
  }

  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code == 300 && (n.m_controlID == IDOK || n.m_controlID == IDCANCEL)) {
      Terminate(n.m_controlID == IDOK ? 1 : 0);
      return true;
    }
    if (n.m_code == 1004 && n.m_controlID == IDC_SL_LIST && m_list) {
      m_list->SortOnColumnHit(static_cast<long>(n.m_value), n.m_value >= 2);
      return true;
    }
    return false;
  }

 private:
  QvMCListBox* m_list = nullptr;
};

HWND OpenSalesListDialog(int x, int y) {
  auto* dialog = new SalesListDialog;
  if (dialog->Run() != 0) {
    delete dialog;
    return NULL;
  }
  HWND window = dialog->GetMFCCWnd()->m_hWnd;
  ::SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

// The million rows of the virtual list: each cell's text made when it is shown.
const int kRows = 1000000;

int OrderText(int row, int column, wchar_t* buffer, int capacity, LONG_PTR) {
  static const wchar_t* const regions[] = {L"North", L"South", L"East", L"West", L"Central"};
  switch (column) {
    case 0: return swprintf(buffer, static_cast<size_t>(capacity), L"Order %07d", row + 1);
    case 1: return swprintf(buffer, static_cast<size_t>(capacity), L"%ls", regions[row % 5]);
    case 2: return swprintf(buffer, static_cast<size_t>(capacity), L"%d", static_cast<int>((row * 37LL) % 500 + 1));
    default:
      return swprintf(buffer, static_cast<size_t>(capacity), L"%d.%02d", static_cast<int>((row * 7919LL) % 10000),
                      row % 100);
  }
}

LRESULT CALLBACK OrdersProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* list = reinterpret_cast<CGUIVirtualListView*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (list && list->m_hWnd) ::MoveWindow(list->m_hWnd, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (list && list->m_hWnd) ::SetFocus(list->m_hWnd);
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      delete list;  // its window went with this one
      break;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND OpenOrdersWindow(HWND owner, const RECT& rc) {
  HWND window = CreatePopupWindow(L"QuarnelHostOrders", &OrdersProc, L"Orders (1,000,000 rows)", owner, rc, IDC_ARROW,
                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  if (!window) return NULL;
  ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) | WS_THICKFRAME);
  auto* list = new CGUIVirtualListView;
  RECT client = {};
  ::GetClientRect(window, &client);
  if (!list->Create(WS_VISIBLE | WS_TABSTOP, client, CWnd::FromHandle(window), 1)) {
    delete list;
    ::DestroyWindow(window);
    return NULL;
  }
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
  for (const wchar_t* title : {L"Order", L"Region", L"Units", L"Amount"}) list->AddColumn(title);
  list->SetTextCallback(&OrderText, 0);
  list->SetItemsCount(kRows);
  // The thumb to the middle of its track, and a row there selected.
  ::SendMessageW(list->m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, CGUIVirtualListView::kThumbRange / 2 + 1), 0);
  list->SelectRow(list->GetFirstVisibleRow() + 3);
  return window;
}

}  // namespace

void OpenListsDemo(HWND owner) {
  HWND dialog = OpenSalesListDialog(180, 140);
  HWND orders = OpenOrdersWindow(owner, RECT{520, 160, 960, 480});
  if (!ScreenshotMode()) {
    if (dialog) ::ShowWindow(dialog, SW_SHOWNOACTIVATE);
    if (orders) ::ShowWindow(orders, SW_SHOWNOACTIVATE);
    return;
  }
  if (dialog) {
    // Widened: the list grows with the dialog and its columns keep their shares.
    RECT rc = {};
    ::GetWindowRect(dialog, &rc);
    ::SetWindowPos(dialog, NULL, 0, 0, rc.right - rc.left + 240, rc.bottom - rc.top + 60,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CaptureWindow(dialog, L"lists_dialog");
    ::DestroyWindow(dialog);  // the dialog goes with its window
  }
  if (orders) {
    CaptureWindow(orders, L"virtual_list");
    ::DestroyWindow(orders);
  }
}

}  // namespace host
