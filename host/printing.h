// The sample host's printing: its two-page report printed through the library's drawing view
// on the application's printer, and its portable chart through the portable printer.
#pragma once
#include <windows.h>

namespace host {
// File > Print: the print dialog, then the report's pages. `blind` prints both pages on the
// default printer without any dialog. True when the job was printed.
bool PrintReport(HWND main, bool blind);
// The portable chart on a page of its own, printed through the portable printer on the
// default printer's page format (the job is named "Portable chart"). True when it was printed.
bool PrintPortableChart(HWND main);
// The report in the library's print preview, two pages side by side, in a frame of its own
// (on the default printer's pages); in screenshot mode pictured as "print_preview" and closed.
void PreviewReport(HWND main);
}  // namespace host
