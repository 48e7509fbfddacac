// A magnified picture of part of a window's client area, for details one pixel wide (the grid's
// focus frame, the sunken edges of the fixed cells of the focus row and column).
#pragma once
#include <windows.h>

namespace host {
// In screenshot mode, draws the client area of `window` (WM_PRINTCLIENT), shows `area` of it
// magnified `scale` times in a popup owned by `owner` and has the popup captured as `name`.
void CaptureCloseUp(HWND owner, HWND window, const RECT& area, int scale, const wchar_t* name);
}  // namespace host
