// The reports window of the sample host: the library's MDI main frame with the host's toolbars
// and a status bar, its document frames showing the report in a splitter of two drawing views
// with command buttons beside the scroll bar.
#pragma once
#include <windows.h>

namespace host {
// Opens the reports window with two documents (the plain Windows menu in QA mode); NULL when
// it cannot be made. Its bars come back as they were when it was last closed (the layout is in
// the application's profile). It deletes itself when closed.
HWND CreateReportsWindow(bool qaMode);
// In screenshot mode: the reports window with two documents, with a maximised document, with
// the bar layout that an earlier start saved (sizable docking), and in QA mode; each window is
// closed after its pictures.
void CaptureReportsWindows();
}  // namespace host
