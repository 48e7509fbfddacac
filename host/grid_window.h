// The reports grid window of the sample host: a 30 x 6 grid of report figures (headings in a
// fixed row and column, cells with their own colours and font, an image, wrapped text, vertical
// text and text cut with an ellipsis) beside a virtual grid of 1,000,000 rows.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown.
HWND CreateGridWindow(HWND owner, const RECT& rc);
// Pictures the focus cell of the report grid's selected block magnified ("grid_focus"), the
// grid with an editor open on a cell ("grid_editing"), the title tip over a cut cell
// ("grid_titletip") and edits with a launch button, flat and raised ("grid_launch").
void CaptureGridEditing(HWND grids);
}  // namespace host
