// Pieces of the multi-modal dialog tests.
#include "multimodal_test.h"

using testing_support::Recorder;

bool Logged(UINT message) {
  return message == WM_CANCELMODE || message == WM_ENABLE ||
         message == CMultiModalDialog::c_uEnableChildrenMessage ||
         message == CMultiModalDialog::c_uGetModalTypeMessage;
}

DialogTemplate SmallTemplate() {
  DialogTemplate t(L"Modal", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 120, 60);
  t.Add(0x0080, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14);
  return t;
}

BEGIN_MESSAGE_MAP(TestDialog, CMultiModalDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL TestDialog::OnInitDialog() {
  ++initCalls;
  CMultiModalDialog::OnInitDialog();
  if (timed) SetTimer(1, 1, NULL);
  return TRUE;
}

void TestDialog::EnsureShown() {
  if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
}

void TestDialog::OnTimer(UINT_PTR id) {
  KillTimer(id);
  if (onTimer) onTimer(*this);
  if (m_hWnd != NULL && ContinueModal()) EndDialog(result);
}

LRESULT TestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Logged(message)) Recorder().Record(m_hWnd, message, wParam, lParam);
  return CMultiModalDialog::WindowProc(message, wParam, lParam);
}

TestFrame::TestFrame(LPCTSTR title) {
  CreateEx(0, AfxRegisterWndClass(0), title, WS_OVERLAPPEDWINDOW, 20, 20, 200, 150, NULL, NULL);
  ShowWindow(SW_SHOWNOACTIVATE);
}

TestFrame::~TestFrame() {
  if (m_hWnd != NULL) DestroyWindow();
}

LRESULT TestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Logged(message)) Recorder().Record(m_hWnd, message, wParam, lParam);
  if (message == WM_APP && onApp) {
    onApp();
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

namespace {

DWORD WINAPI ThreadBody(LPVOID p) {
  (*static_cast<const std::function<void()>*>(p))();
  return 0;
}

}  // namespace

void PumpUntil(HANDLE event) {
  for (;;) {
    DWORD r = ::MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 + 1) return;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
}

HANDLE StartThread(const std::function<void()>& body, DWORD* id) {
  HANDLE thread = ::CreateThread(NULL, 0, ThreadBody, const_cast<std::function<void()>*>(&body), 0, id);
  EXPECT_NE(thread, nullptr);
  return thread;
}

DWORD RunOnThread(const std::function<void()>& body) {
  DWORD id = 0;
  HANDLE thread = StartThread(body, &id);
  if (thread == NULL) return 0;
  PumpUntil(thread);
  ::CloseHandle(thread);
  return id;
}

CWnd* EntryOf(DWORD threadId, bool* found) {
  void* value = nullptr;
  bool has = CMultiModalDialog::c_mappedModalDialogs.Lookup(reinterpret_cast<void*>(static_cast<ULONG_PTR>(threadId)),
                                                            value) != FALSE;
  if (found != nullptr) *found = has;
  return static_cast<CWnd*>(value);
}
