#include "screens.h"

#include <string>

namespace host {
namespace {
std::wstring s_folder;

// What the menu capture in progress presses and captures.
HWND s_menuWindow = NULL;
std::wstring s_menuName;
std::vector<WORD> s_menuKeys;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  std::vector<INPUT> inputs;
  for (WORD key : s_menuKeys) {
    INPUT press = {};
    press.type = INPUT_KEYBOARD;
    press.ki.wVk = key;
    inputs.push_back(press);
    press.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(press);
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void CALLBACK CaptureMenuAndClose(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  CaptureWindow(s_menuWindow, s_menuName.c_str());
  EndMenu();
}
}  // namespace

MenuCapture::MenuCapture(HWND window, const wchar_t* name, std::vector<WORD> keys) {
  if (!ScreenshotMode()) return;
  s_menuWindow = window;
  s_menuName = name;
  s_menuKeys = std::move(keys);
  m_keys = SetTimer(NULL, 0, 300, PressMenuKeys);
  m_capture = SetTimer(NULL, 0, 1200, CaptureMenuAndClose);
}

MenuCapture::~MenuCapture() {
  if (m_keys) KillTimer(NULL, m_keys);
  if (m_capture) KillTimer(NULL, m_capture);
}

void SetScreenshotFolder(const wchar_t* folder) { s_folder = folder ? folder : L""; }
bool ScreenshotMode() { return !s_folder.empty(); }

// Brings the window's visible owned frames (floating bars) over it: the display has no window
// manager to keep them above their owner, so each is activated in turn.
BOOL CALLBACK ActivateOwnedFrame(HWND hwnd, LPARAM owner) {
  if (GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner) && IsWindowVisible(hwnd) &&
      (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
    SetForegroundWindow(hwnd);
  return TRUE;
}

bool CaptureWindow(HWND hwnd, const wchar_t* name, int margin, bool ownedOnTop) {
  if (!ScreenshotMode()) return false;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  if (ownedOnTop) EnumThreadWindows(GetCurrentThreadId(), ActivateOwnedFrame, reinterpret_cast<LPARAM>(hwnd));
  UpdateWindow(hwnd);
  Pump();
  std::wstring ready = s_folder + L"\\" + name + L".ready";
  std::wstring done = s_folder + L"\\" + name + L".done";
  // The marker tells the capturing script where the window is.
  RECT rc;
  GetWindowRect(hwnd, &rc);
  rc.right += margin;
  rc.bottom += margin;
  char geometry[64];
  int len = wsprintfA(geometry, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  std::wstring tmp = ready + L".tmp";
  HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (f != INVALID_HANDLE_VALUE) {
    DWORD written;
    WriteFile(f, geometry, len, &written, NULL);
    CloseHandle(f);
    MoveFileW(tmp.c_str(), ready.c_str());
  }
  // The capturing script answers within a second or two; give up after 30 s.
  for (int i = 0; i < 600 && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    Pump();
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
  return true;
}

}  // namespace host
