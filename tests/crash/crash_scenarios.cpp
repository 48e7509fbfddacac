// The child side of the crash test: each scenario ends in the library's exception filter or
// its assertion dialog; a filter in front of the library's writes the report to a file.
#include "crash_scenarios.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "UIStackTrace.h"
#include "test_support.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER s_next = NULL;
volatile int s_sink = 0;

LONG WINAPI DumpingFilter(EXCEPTION_POINTERS* pointers) {
  LONG result = s_next != NULL ? s_next(pointers) : EXCEPTION_CONTINUE_SEARCH;
  char path[MAX_PATH];
  if (GetEnvironmentVariableA("CRASH_REPORT", path, MAX_PATH) - 1 < MAX_PATH - 1) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
      const char* report = GetStackTraceReport();
      DWORD written;
      WriteFile(file, report, static_cast<DWORD>(strlen(report)), &written, NULL);
      CloseHandle(file);
    }
  }
  return result;
}

}  // namespace

int* volatile s_nowhere = nullptr;

const int kAccessViolationLine = __LINE__ + 2;
__attribute__((noinline)) void CrashWithAccessViolation() {
  *s_nowhere = 1;
  s_sink = 1;
}

const int kDivideByZeroLine = __LINE__ + 3;
__attribute__((noinline)) void CrashWithDivideByZero() {
  volatile int zero = 0;
  s_sink = 100 / zero;
  s_sink = 2;
}

// The bottom of this thread's stack reservation.
ULONG_PTR StackBottom() {
  MEMORY_BASIC_INFORMATION mbi = {};
  VirtualQuery(&mbi, &mbi, sizeof mbi);
  return reinterpret_cast<ULONG_PTR>(mbi.AllocationBase);
}

// The last call: a frame bigger than what is left of the stack. Its stack probe overflows
// while the stack pointer is still well above the bottom, so the system has room to hand the
// fault over (Wine needs more than the last pages when frames are small).
__attribute__((noinline)) int OverflowWithBigFrame() {
  volatile char big[256 * 1024];
  big[0] = 1;
  return big[0];
}

__attribute__((noinline)) int RecurseWithoutEnd(int depth, ULONG_PTR bottom) {
  volatile char pad[256];
  pad[0] = static_cast<char>(depth);
  ULONG_PTR here = reinterpret_cast<ULONG_PTR>(__builtin_frame_address(0));
  if (here - bottom < 160 * 1024) return OverflowWithBigFrame() + pad[0];
  return RecurseWithoutEnd(depth + 1, bottom) + pad[0];
}

__attribute__((noinline)) void ThrowWithoutCatch() {
  throw std::runtime_error("nobody catches this");
}

const int kAssertLine = __LINE__ + 2;
__attribute__((noinline)) void FailAnAssertion() {
  VerboseAssert("scenario.cpp", 77);
  s_sink = 3;
}

// Each call is followed by a statement so that it stays a call (no tail jump): the caller's
// frame must show in the call stack.
const int kScenarioCallLine = __LINE__ + 4;
__attribute__((noinline)) void RunCrashScenario(const std::string& name) {
  if (name == "access-violation" || name == "exception-dialog") {
    s_sink = 0;
    CrashWithAccessViolation();
  } else if (name == "divide-by-zero") {
    CrashWithDivideByZero();
  } else if (name == "stack-overflow") {
    s_sink = RecurseWithoutEnd(0, StackBottom());
  } else if (name == "cxx-exception") {
    ThrowWithoutCatch();
  } else if (name == "assert-dialog") {
    FailAnAssertion();
  }
  s_sink = 4;
}

DWORD WINAPI ScenarioThread(LPVOID name) {
  RunCrashScenario(*static_cast<std::string*>(name));
  return 0;
}

// Runs only in a child (see CrashChild).
TEST(CrashChild, DISABLED_Run) {
  char scenario[64];
  DWORD n = GetEnvironmentVariableA("CRASH_SCENARIO", scenario, sizeof scenario);
  ASSERT_TRUE(n > 0 && n < sizeof scenario);
  std::string name = scenario;
  bool withDialog = name == "exception-dialog" || name == "assert-dialog";
  SetGPFBlindMode(withDialog ? 0 : 1);
  s_next = SetUnhandledExceptionFilter(DumpingFilter);
  // On a thread of its own: the program's main thread runs inside the C runtime's exception
  // handler, which would take the fault before the process-wide filter.
  HANDLE thread = CreateThread(NULL, 0, ScenarioThread, &name, 0, NULL);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  ExitProcess(0xBAD);  // a scenario that comes back is a failure the parent sees
}

CrashChild::CrashChild(const char* scenario) : m_process(NULL), m_pid(0) {
  m_reportPath = testing_support::TempPath("crash_report");
  SetEnvironmentVariableA("CRASH_SCENARIO", scenario);
  SetEnvironmentVariableA("CRASH_REPORT", m_reportPath.c_str());
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(NULL, program, MAX_PATH);
  std::wstring command = std::wstring(L"\"") + program +
                         L"\" --gtest_filter=CrashChild.DISABLED_Run --gtest_also_run_disabled_tests "
                         L"--gtest_catch_exceptions=0";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessW(program, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
  }
  SetEnvironmentVariableA("CRASH_SCENARIO", NULL);
  SetEnvironmentVariableA("CRASH_REPORT", NULL);
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
