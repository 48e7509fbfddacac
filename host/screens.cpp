#include "screens.h"

#include <string>

namespace host {
namespace {
std::wstring s_folder;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
}  // namespace

void SetScreenshotFolder(const wchar_t* folder) { s_folder = folder ? folder : L""; }
bool ScreenshotMode() { return !s_folder.empty(); }

bool CaptureWindow(HWND hwnd, const wchar_t* name, int margin) {
  if (!ScreenshotMode()) return false;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
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
