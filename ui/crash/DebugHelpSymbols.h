// Function, file and line of a code address through the system's debug-help library (which
// reads the DWARF information of our modules), loaded on first use.
#pragma once
#include <windows.h>

namespace crash_report {

struct DebugHelpLocation {
  char function[256];
  char file[MAX_PATH * 2];
  DWORD line;  // 0 when unknown
};

// False when the library is missing or knows no function at the address. The module is
// given by its base and path so that modules loaded after the first call are found too.
bool DebugHelpLookup(ULONG_PTR address, ULONG_PTR moduleBase, const wchar_t* modulePath,
                     DebugHelpLocation* out);
void DebugHelpRelease();

}  // namespace crash_report
