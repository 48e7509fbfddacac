// The sample host's portable tab dialog: report settings on three pages (General, Layout,
// Export) in the library's standard tab dialog, with the Apply and Help buttons hidden so that
// OK and Cancel close up to the right.
#pragma once
#include <windows.h>

namespace host {
// Opens the dialog modeless at (x, y) of the screen with its second page current; NULL when
// it cannot be made. It deletes itself (and its pages) when its window is closed.
HWND OpenReportSettingsTabs(int x, int y);
// In screenshot mode: pictures the dialog, then closes it.
void CaptureReportSettingsTabs(HWND dialog);
}  // namespace host
