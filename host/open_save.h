// File Open and Save As of the sample host: the library's open/save dialog with the host's
// report folders.
#pragma once
#include <windows.h>

namespace host {
// Runs the dialog; the chosen name shows in the owner's title.
void OpenReport(HWND owner);
void SaveReportAs(HWND owner);
// In screenshot mode: pictures the save dialog in its details view while it runs.
void CaptureSaveDialog(HWND owner);
}  // namespace host
