// A window of the sample host with two drawing views: a selection dragged from the left view
// is dropped on the right one, and Ctrl+C copies it to the clipboard.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown; NULL when
// it cannot be made.
HWND CreateDragDropWindow(HWND owner, const RECT& rc);
// In screenshot mode: drags the left view's selection onto the right view as a user would,
// then has the window captured as "dragdrop".
void CaptureDragDrop(HWND window);
}  // namespace host
