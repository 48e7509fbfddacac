// The sample host's portable chart: a window whose client is a portable view that draws a
// small bar and pie chart through the portable drawing interface.
#pragma once
#include <windows.h>

namespace host {
// A hidden window owned by `owner` at `rect` (screen coordinates); NULL when it cannot be made.
HWND CreatePortableChartWindow(HWND owner, RECT rect);
}  // namespace host
