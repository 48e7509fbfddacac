// File Open and Save As of the sample host: the library's open/save dialog with the host's
// report folders.
#pragma once
#include <windows.h>

#include <string>

namespace host {
// The host's report folders under the user's documents, made when missing and given to the
// file master; answers the reports folder ("" when the documents folder is unknown).
std::wstring ReportFolders();
// Runs the dialog; the chosen name shows in the owner's title.
void OpenReport(HWND owner);
void SaveReportAs(HWND owner);
// In screenshot mode: pictures the save dialog in its details view while it runs.
void CaptureSaveDialog(HWND owner);
}  // namespace host
