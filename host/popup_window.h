// The captioned popups of the sample host that stand over its main window.
#pragma once
#include <windows.h>

namespace host {
// Registers the class (once; later registrations fail harmlessly) and creates a popup of it
// owned by `owner`, at `rc` (screen coordinates), not yet shown.
inline HWND CreatePopupWindow(const wchar_t* className, WNDPROC proc, const wchar_t* title, HWND owner, const RECT& rc,
                              LPCTSTR cursor, HBRUSH background) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.hCursor = LoadCursor(NULL, cursor);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassW(&wc);
  return CreateWindowExW(0, className, title, WS_POPUP | WS_CAPTION | WS_SYSMENU, rc.left, rc.top, rc.right - rc.left,
                         rc.bottom - rc.top, owner, NULL, wc.hInstance, NULL);
}
}  // namespace host
