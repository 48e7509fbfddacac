// The start-up mode read from the command line.
#include "UIProcessMode.h"

#include <windows.h>
#include <shellapi.h>

#include <wchar.h>

bool IsServiceOnlyProcess() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return false;
  bool service = false;
  for (int i = 1; i < count && !service; ++i)
    service = (args[i][0] == L'-' || args[i][0] == L'/') && wcscmp(args[i] + 1, L"serviceonly") == 0;
  LocalFree(args);
  return service;
}
