// The schedule page of the sample host: a report date in the German format, a run time on
// the 12-hour clock with seconds, and the fill pattern of the report's header, all portable
// controls.
#pragma once
#include <windows.h>

namespace host {
// A popup window owned by `owner` at (x, y) of the screen; NULL when it cannot be made.
HWND CreateSchedulePage(HWND owner, int x, int y);
// In screenshot mode: the page with the run time's hour focused ("schedule"), then with the
// pattern list dropped down ("schedule_patterns"); the page is hidden afterwards.
void CaptureSchedulePage(HWND page);
}  // namespace host
