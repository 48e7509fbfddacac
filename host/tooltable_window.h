// A window of the sample host with a tool table of drawing tools, a button that drops down
// a table of colours, and the drawing's layers as a nail strip.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown. The
// window keeps its objects until it is destroyed.
HWND CreateToolTableWindow(HWND owner, const RECT& rc);
// Drops the colour table down (show) or dismisses it; the table's window.
HWND ShowColourTable(HWND toolWindow, bool show);
}  // namespace host
