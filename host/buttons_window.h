// A window of the sample host with the library's image buttons, samples of its bitmap
// routines and an icon pane.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateButtonsWindow(HWND owner, const RECT& rc);
}  // namespace host
