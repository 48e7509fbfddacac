// Running this test program as a child process.
#include "child_process.h"

#include <windows.h>

namespace testing_support {

namespace {

int Run(const std::wstring& arguments, bool pump) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(NULL, exe, MAX_PATH);
  std::wstring line = std::wstring(L"\"") + exe + L"\" " + arguments;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(exe, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return -1;
  const DWORD deadline = GetTickCount() + 60000;
  for (;;) {
    DWORD now = GetTickCount();
    DWORD left = static_cast<int>(deadline - now) > 0 ? deadline - now : 0;
    DWORD r = pump ? MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, left, QS_ALLINPUT)
                   : WaitForSingleObject(pi.hProcess, left);
    if (r != WAIT_OBJECT_0 + 1) break;  // ended, or out of time
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DWORD code = 99;
  // A child out of time is ended here: left running it would keep this program's output open
  // (it shares it), and ctest would wait for it long after this program ended.
  if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, WAIT_TIMEOUT);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int RunThisProgram(const std::wstring& arguments) { return Run(arguments, false); }

int RunThisProgramPumping(const std::wstring& arguments) { return Run(arguments, true); }

}  // namespace testing_support
