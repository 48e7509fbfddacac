// A window of the sample host with the application status bar of the portable layer, showing
// one of its ready-made layouts: a message, a progress with its bounds, and an info picture.
#pragma once
#include <windows.h>

namespace host {
// A captioned window owned by `owner`, at `rc` (screen coordinates), not yet shown. The
// status bar and its layout go with the window.
HWND CreateStatusDemo(HWND owner, const RECT& rc);
}  // namespace host
