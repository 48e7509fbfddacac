// A small frame of the sample host whose status bar shows a template bar: the message pane,
// a text, an indicator, a progress bar and an image.
#pragma once
#include <windows.h>

namespace host {
// A frame owned by `owner`, at `rc` (screen coordinates), not yet shown; NULL when it cannot
// be made. It deletes itself when destroyed.
HWND CreateStatusWindow(HWND owner, const RECT& rc);
}  // namespace host
