// The list controls window of the sample host: a list-view grid of orders with its current
// row and focus cell, an edit-list of report fields whose values the window keeps, a sortable
// list of regions sorted with its arrow, a rich list of columns to print (check boxes, a
// drop-down choice, a bold cell) and a tree of report sections with tri-state check boxes and
// several items selected.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateListControlsWindow(HWND owner, const RECT& rc);
// Pictures it with the grid focused ("listctrls"), with an editor open on an edit-list cell
// ("listctrls_editlist") and with the rich list's drop-down open ("listctrls_richlist").
void CaptureListControls(HWND window);
}  // namespace host
