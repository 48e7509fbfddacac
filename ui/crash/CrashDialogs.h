// The "Assertion failed" (101) and "Unhandled Exception" (102) dialogs showing a report.
#pragma once
#include <windows.h>

#include <string>

namespace crash_report {

// Answers: 0 Abort, 1 Ignore (assertion only), 2 Debug; -1 when the dialog cannot be made.
INT_PTR RunAssertionDialog(HINSTANCE module, const char* report);
INT_PTR RunExceptionDialog(HINSTANCE module, const char* report);

// The file Save writes: the program's path without the extension of its last component
// (C:\App\host.exe gives C:\App\host; C:\My.App\host stays as it is).
std::wstring ReportFilePath(const wchar_t* programPath);

}  // namespace crash_report
