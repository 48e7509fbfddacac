// A program that crashes as its first argument says, with the report written to the file its
// second argument names: each scenario ends in the library's exception filter or its
// assertion dialog; a filter in front of the library's writes the report. Small on purpose:
// the report reads the debug information of every module on the call stack.
// The #line directives pin the lines the crash test expects (see crash_scenarios.h).
#include <windows.h>

#include <stdexcept>
#include <string>

#include "UIStackTrace.h"

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

#line 1000
__attribute__((noinline)) void CrashWithAccessViolation() {
  *s_nowhere = 1;
  s_sink = 1;
}

#line 2000
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

#line 3000
__attribute__((noinline)) void FailAnAssertion() {
  VerboseAssert("scenario.cpp", 77);
  s_sink = 3;
}

// Each call is followed by a statement so that it stays a call (no tail jump): the caller's
// frame must show in the call stack.
#line 4000
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

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string name = argv[1];
  SetEnvironmentVariableA("CRASH_REPORT", argv[2]);
  bool withDialog = name == "exception-dialog" || name == "assert-dialog";
  SetGPFBlindMode(withDialog ? 0 : 1);
  s_next = SetUnhandledExceptionFilter(DumpingFilter);
  // On a thread of its own: the program's main thread runs inside the C runtime's exception
  // handler, which would take the fault before the process-wide filter.
  HANDLE thread = CreateThread(NULL, 0, ScenarioThread, &name, 0, NULL);
  if (thread == NULL) return 3;
  WaitForSingleObject(thread, INFINITE);
  return 0xBAD;  // a scenario that comes back is a failure the parent sees
}
