// The sample host's resizable portable dialog: report options (a name, the report's columns,
// two options), whose children follow the dialog's size through anchors; a size grip in its
// corner, and it cannot be made smaller than it opens.
#pragma once
#include <windows.h>

namespace host {
// Opens the dialog modeless, owned by nothing, at (x, y) of the screen, not yet shown; NULL
// when it cannot be made. It deletes itself when its window is closed.
HWND OpenReportOptionsDialog(int x, int y);
// In screenshot mode: pictures the dialog as it opened and grown, then closes it.
void CaptureReportOptionsDialog(HWND dialog);
}  // namespace host
