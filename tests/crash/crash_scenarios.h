// Crash scenarios run in child processes of the crash test (the program re-launches itself).
#pragma once
#include <windows.h>

#include <string>

// Source lines of the faults, for the report's call stack.
extern const int kAccessViolationLine;
extern const int kDivideByZeroLine;
extern const int kScenarioCallLine;
extern const int kAssertLine;

struct ChildResult {
  bool finished;
  DWORD exitCode;
  std::string report;  // what the child's report said when its last fault was handled
};

// A running child: the program itself with the scenario's name in its environment.
class CrashChild {
 public:
  explicit CrashChild(const char* scenario);
  ~CrashChild();
  bool Started() const { return m_process != NULL; }
  HANDLE Process() const { return m_process; }
  DWORD ProcessId() const { return m_pid; }
  // Waits for the end (at most 60 s, then the child is killed and finished is false).
  ChildResult Wait();

 private:
  HANDLE m_process;
  DWORD m_pid;
  std::string m_reportPath;
};

// The first visible top-level window of a process with the given title; NULL when none shows
// within 20 s or the process (when given) has ended.
HWND WaitForWindow(DWORD pid, const wchar_t* title, HANDLE process);
