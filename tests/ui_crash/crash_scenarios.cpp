// Starting the crash program (child/crash_child.cpp) and watching for its windows.
#include "crash_scenarios.h"

#include <string.h>

#include <string>

#include "test_support.h"

std::wstring ChildProgram() {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(NULL, program, MAX_PATH);
  std::wstring path = program;
  path.erase(path.rfind(L'\\') + 1);
  return path + L"crash_child.exe";
}

CrashChild::CrashChild(const char* scenario, const char* extra) : m_process(NULL), m_pid(0) {
  m_reportPath = testing_support::TempPath("crash_report");
  std::wstring program = ChildProgram();
  std::wstring command = L"\"" + program + L"\" " + std::wstring(scenario, scenario + strlen(scenario)) + L" \"" +
                         std::wstring(m_reportPath.begin(), m_reportPath.end()) + L"\" " +
                         std::wstring(extra, extra + strlen(extra));
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessW(program.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
  }
}

CrashChild::~CrashChild() {
  if (m_process != NULL) {
    TerminateProcess(m_process, 1);
    CloseHandle(m_process);
  }
  DeleteFileA(m_reportPath.c_str());
}

ChildResult CrashChild::Wait() {
  ChildResult r = {false, 0, std::string()};
  if (m_process == NULL) return r;
  r.finished = WaitForSingleObject(m_process, 60000) == WAIT_OBJECT_0;
  if (!r.finished) TerminateProcess(m_process, 1);
  GetExitCodeProcess(m_process, &r.exitCode);
  r.report = testing_support::ReadFile(m_reportPath);
  return r;
}

namespace {

struct WindowQuery {
  DWORD pid;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM param) {
  WindowQuery* q = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t title[128];
  if (pid == q->pid && IsWindowVisible(window) && GetWindowTextW(window, title, 128) > 0 &&
      wcscmp(title, q->title) == 0) {
    q->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND WaitForWindow(DWORD pid, const wchar_t* title, HANDLE process) {
  HANDLE never = CreateEventW(NULL, TRUE, FALSE, NULL);
  HANDLE waitOn = process != NULL ? process : never;
  for (int tries = 0; tries < 2000; ++tries) {
    WindowQuery q = {pid, title, NULL};
    EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&q));
    if (q.found != NULL) {
      CloseHandle(never);
      return q.found;
    }
    if (WaitForSingleObject(waitOn, 10) == WAIT_OBJECT_0) break;
  }
  CloseHandle(never);
  return NULL;
}
