// A toolbar button being dragged in customisation mode, as the user sees it part-way: the
// dragged button framed, and the insertion point where it would land.
#pragma once

class CCustToolBar;

namespace host {
// Puts the bar into customisation mode with button `dragged` selected and the insertion point
// before button `over` (after it when `after`), as the bar's drop target sets it while the
// cursor passes; EndToolbarDrag leaves that state again.
void ShowToolbarDrag(CCustToolBar* bar, int dragged, int over, bool after);
void EndToolbarDrag(CCustToolBar* bar);
}  // namespace host
