// A small window of the sample host that shows pictures in the library's image controls.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateImagesWindow(HWND owner, const RECT& rc);
}  // namespace host
