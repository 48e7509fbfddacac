// The sample host's printing: its two-page report printed through the library's drawing view
// on the application's printer.
#pragma once
#include <windows.h>

namespace host {
// File > Print: the print dialog, then the report's pages. `blind` prints both pages on the
// default printer without any dialog. True when the job was printed.
bool PrintReport(HWND main, bool blind);
}  // namespace host
