#include "smallctrls_test.h"

#include "recorder.h"

namespace smallctrls {

FrameworkParent::FrameworkParent(int w, int h) {
  RECT r = {0, 0, w, h};
  ::AdjustWindowRectEx(&r, WS_POPUP | WS_VISIBLE, FALSE, 0);
  CreateEx(0, NULL, _T("parent"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, r.right - r.left, r.bottom - r.top,
           NULL, NULL);
}

FrameworkParent::~FrameworkParent() {
  if (m_hWnd != NULL) DestroyWindow();
}

BOOL FrameworkParent::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Reflection runs first: what a child keeps for itself never reaches the list.
  if (ReflectLastMsg(reinterpret_cast<HWND>(lParam))) return TRUE;
  Command c = {wParam, lParam, CString(), 0};
  if (lParam != 0) {
    CWnd::FromHandle(reinterpret_cast<HWND>(lParam))->GetWindowText(c.text);
    c.selection = static_cast<DWORD>(::SendMessage(reinterpret_cast<HWND>(lParam), EM_GETSEL, 0, 0));
  }
  commands.push_back(c);
  testing_support::Recorder().Record(m_hWnd, WM_COMMAND, wParam, lParam, testing_support::kParent);
  return TRUE;
}

}  // namespace smallctrls
