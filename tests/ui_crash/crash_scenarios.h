// The crash program run as a child process of the crash test, and the lines where its
// scenarios fault (pinned there by #line).
#pragma once
#include <windows.h>

#include <string>

const int kAccessViolationLine = 1001;  // in CrashWithAccessViolation
const int kDivideByZeroLine = 2002;     // in CrashWithDivideByZero
const int kAssertLine = 3001;           // FailAnAssertion's call of VerboseAssert
const int kScenarioCallLine = 4003;     // RunCrashScenario's call of CrashWithAccessViolation

// crash_child.exe beside the test program.
std::wstring ChildProgram();

struct ChildResult {
  bool finished;
  DWORD exitCode;
  std::string report;  // what the child's report said when its last fault was handled
};

// A running crash program with a scenario's name: "access-violation", "divide-by-zero",
// "stack-overflow", "cxx-exception" (all in GPF blind mode), "exception-dialog",
// "assert-dialog".
class CrashChild {
 public:
  // `extra` goes on the command line after the report's path (the program ignores it).
  explicit CrashChild(const char* scenario, const char* extra = "");
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
