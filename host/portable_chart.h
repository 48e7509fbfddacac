// The sample host's portable chart: a window whose client is a portable view that draws a
// small bar and pie chart through the portable drawing interface.
#pragma once
#include <windows.h>

class QvView;

namespace host {
// The chart drawn on the view in image units of `unit` each: 1 for pixels on screen, 15 for
// the same size in twips on paper. Without patterns the grid is solid and the hatched bars
// plain: the PDF printer's conversion loses pattern fills and what follows them on a page.
void DrawPortableChart(QvView& view, long unit, bool patterns);

// A hidden window owned by `owner` at `rect` (screen coordinates); NULL when it cannot be made.
HWND CreatePortableChartWindow(HWND owner, RECT rect);
}  // namespace host
