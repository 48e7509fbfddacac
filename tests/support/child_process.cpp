// Running this test program as a child process.
#include "child_process.h"

#include <windows.h>

namespace testing_support {

int RunThisProgram(const std::wstring& arguments) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(NULL, exe, MAX_PATH);
  std::wstring line = std::wstring(L"\"") + exe + L"\" " + arguments;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(exe, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

}  // namespace testing_support
