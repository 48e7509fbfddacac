// The parent window and fixture of the list control tests.
#include <commctrl.h>

#include "fw_pump.h"
#include "listctrls_test.h"
#include "test_support.h"

using testing_support::Recorder;

namespace listctrls_testing {

bool NotifyParent::Make(int width, int height) {
  RECT rc = {0, 0, width, height};
  ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
  return CreateEx(0, AfxRegisterWndClass(0), _T("Lists"), WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10,
                  rc.right - rc.left, rc.bottom - rc.top, NULL, NULL) != FALSE;
}

LRESULT NotifyParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
#ifdef UNICODE
  if (message == WM_NOTIFYFORMAT) return NFR_UNICODE;
#else
  if (message == WM_NOTIFYFORMAT) return NFR_ANSI;
#endif
  // Custom drawing is painting, which no sequence speaks of.
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
    Recorder().Record(m_hWnd, message, wParam, lParam, testing_support::kParent);
    codes.push_back(static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code));
  } else if (message != WM_NOTIFY && other) {
    LRESULT result = 0;
    if (other(message, wParam, lParam, &result)) return result;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL NotifyParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  return answer && answer(reinterpret_cast<NMHDR*>(lParam), result);
}

void ListTest::SetUp() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  ASSERT_TRUE(parent.Make(600, 400));
  parent.SetForegroundWindow();
  Recorder().Reset();
}

void ListTest::TearDown() {
  if (parent.m_hWnd) parent.DestroyWindow();
  testing_support::PumpMessages();
  FwDeleteTempMaps();
}

void ListTest::Click(CWnd& list, int x, int y, bool dbl) {
  ::PostMessage(list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ::SendMessage(list.m_hWnd, dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Pump();
}

void ListTest::Pump() { testing_support::PumpPreTranslated(); }

}  // namespace listctrls_testing
