// A window of the sample host whose menu bar is a dynamic menu of the portable layer: its
// popups are named by command ids, their items take texts and hot keys from the command
// definitions, and what the user's rights hide is left out (a popup with nothing left goes).
#pragma once
#include <windows.h>

namespace host {
// A captioned window owned by `owner`, at `rc` (screen coordinates), not yet shown; NULL when
// the portable layer cannot start. The dynamic menus go with the window.
HWND CreatePortableMenuWindow(HWND owner, const RECT& rc);
// In screenshot mode: opens the View popup and its Zoom popup, has the window captured with
// them as "portable_menu" and closes them.
void CapturePortableMenu(HWND window);
}  // namespace host
