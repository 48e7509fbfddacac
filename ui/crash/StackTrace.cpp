// Crash and assertion reporting: installation of the filter, the filter, VerboseAssert, and
// the library's entry routine.
#include "UIStackTrace.h"

#include <ulmora.h>

#include <stdlib.h>
#include <exception>

#include "CrashDialogs.h"
#include "CrashLog.h"
#include "CrashReport.h"
#include "StackWalk.h"

namespace {

const UINT kErrorMode = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
// Raised when std::terminate runs (an uncaught C++ exception, among others). Not the code
// libgcc throws with: its personality routines would take that for a C++ exception object.
const DWORD kTerminateCode = 0xE0435058;

const ULONG kOverflowReserve = 32 * 1024;

UlmLogger s_log("StackTrace");

HINSTANCE s_module = NULL;
CRITICAL_SECTION s_lock;
bool s_lockReady = false;

bool s_installed = false;
LPTOP_LEVEL_EXCEPTION_FILTER s_previousFilter = NULL;
UINT s_previousErrorMode = 0;
std::terminate_handler s_previousTerminate = NULL;

int s_gpfBlindMode = 0;
int s_dialogNotShown = 1;
// The thread building a filter report: a fault inside the filter ends the process at once.
volatile DWORD s_buildingThread = 0;
// The code of the first fault the filter let end the process (0: none). A C runtime may take
// the filter's answer in a handler of its own around main and end the process normally (with
// code 0, as a success); the process then ends with this code instead (see the entry routine).
volatile LONG s_fatalCode = 0;

class ReportLock {
 public:
  ReportLock() : m_lock(StackTraceLock()) {
    if (m_lock != NULL) EnterCriticalSection(m_lock);
  }
  ~ReportLock() { Leave(); }
  void Leave() {
    if (m_lock != NULL) LeaveCriticalSection(m_lock);
    m_lock = NULL;
  }

 private:
  CRITICAL_SECTION* m_lock;
};

// std::terminate (an uncaught C++ exception, among others) hands the fault to the filter.
[[noreturn]] void OnTerminate() {
  RaiseException(kTerminateCode, EXCEPTION_NONCONTINUABLE, 0, NULL);
  abort();
}

struct FilterJob {
  EXCEPTION_POINTERS* pointers;
  crash_report::StackBounds bounds;  // of the faulting thread
  DWORD threadId;                    // the faulting thread
  LONG result;
};

LONG RunFilter(FilterJob* job) {
  using namespace crash_report;
  ReportLock lock;
  s_buildingThread = GetCurrentThreadId();
  Clear();
  AppendSystemInfo();
  const EXCEPTION_RECORD* record = job->pointers != NULL ? job->pointers->ExceptionRecord : NULL;
  AppendExceptionInfo(record);
  Append("\r\n");
  if (job->pointers != NULL && job->pointers->ContextRecord != NULL)
    AppendCallStack(*job->pointers->ContextRecord, true, job->bounds);
  else
    AppendCallStack(CONTEXT(), true, StackBounds());
  AppendApplicationInfo(job->threadId);
  AppendLoadedModules();
  s_buildingThread = 0;

  LONG result = EXCEPTION_EXECUTE_HANDLER;
#if !defined(UNICODE)
  if (s_gpfBlindMode) WriteCrashLog(Text());
#endif
  if (!s_gpfBlindMode && s_dialogNotShown) {
    s_dialogNotShown = 0;
    INT_PTR answer = RunExceptionDialog(s_module, Text());
    if (answer == 0) {
      result = EXCEPTION_EXECUTE_HANDLER;
    } else {
      if (answer != 2) MessageBeep(0);
      result = EXCEPTION_CONTINUE_SEARCH;
    }
  }
  return result;
}

DWORD WINAPI FilterThread(LPVOID param) {
  FilterJob* job = static_cast<FilterJob*>(param);
  job->result = RunFilter(job);
  return 0;
}

struct AutoInstall {
  AutoInstall() { InitStackTraceLibrary(); }
} s_autoInstall;

}  // namespace

void InitStackTraceLibrary() {
  if (s_installed) return;
  s_previousFilter = SetUnhandledExceptionFilter(StackTraceExceptionFilter);
  s_previousErrorMode = SetErrorMode(kErrorMode);
  s_previousTerminate = std::set_terminate(OnTerminate);
  s_installed = true;
}

void DisableStackTraceLibrary() {
  if (!s_installed) return;
  SetUnhandledExceptionFilter(s_previousFilter);
  SetErrorMode(s_previousErrorMode);
  std::set_terminate(s_previousTerminate);
  s_previousFilter = NULL;
  s_previousTerminate = NULL;
  s_installed = false;
}

int SetGPFBlindMode(int blind) {
  int previous = s_gpfBlindMode;
  s_gpfBlindMode = blind;
  return previous;
}

namespace {

// Notes a fault that the filter's answer lets end the process: one that happened (it has an
// address), not a record made up by a caller of the filter.
LONG NoteFatal(const EXCEPTION_POINTERS* pointers, LONG result) {
  const EXCEPTION_RECORD* record = pointers != NULL ? pointers->ExceptionRecord : NULL;
  if (result == EXCEPTION_EXECUTE_HANDLER && record != NULL && record->ExceptionAddress != NULL &&
      record->ExceptionCode != 0)
    InterlockedCompareExchange(&s_fatalCode, static_cast<LONG>(record->ExceptionCode), 0);
  return result;
}

}  // namespace

LONG WINAPI StackTraceExceptionFilter(EXCEPTION_POINTERS* pointers) {
  if (s_buildingThread == GetCurrentThreadId()) return NoteFatal(pointers, EXCEPTION_EXECUTE_HANDLER);
  FilterJob job = {pointers, crash_report::CurrentStackBounds(), GetCurrentThreadId(),
                   EXCEPTION_EXECUTE_HANDLER};
  // What is left of an overflowed stack is too little for the report: build it on a thread
  // of its own while the faulting thread waits.
  if (pointers != NULL && pointers->ExceptionRecord != NULL &&
      pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
    HANDLE thread = CreateThread(NULL, 1 << 20, FilterThread, &job, 0, NULL);
    if (thread != NULL) {
      WaitForSingleObject(thread, INFINITE);
      CloseHandle(thread);
      return NoteFatal(pointers, job.result);
    }
  }
  return NoteFatal(pointers, RunFilter(&job));
}

void VerboseAssert(const char* file, long line) {
  using namespace crash_report;
  CONTEXT context;
  RtlCaptureContext(&context);
  StackBounds bounds = CurrentStackBounds();
  ReportLock lock;
  Clear();
  Append("ASSERTION FAILED\r\n  File: ");
  Append(file != NULL ? file : "");
  AppendF("\r\n  Line: %ld\r\n\r\n", line);
  AppendCallStack(context, false, bounds);
  if (s_gpfBlindMode) {
    // Unattended: no dialog; the failure is logged and the program goes on.
    ULM_LOG(s_log, UlmLogger::Error, "void __cdecl VerboseAssert(const char *,long)")
        << "VerboseAssert - assertion failed, file=" << file << " line=" << line;
    return;
  }
  INT_PTR answer = RunAssertionDialog(s_module, Text());
  switch (answer) {
    case 0:
      lock.Leave();
      ExitProcess(1);
    case 1:
      break;
    case 2:
      DebugBreak();
      break;
    default:
      MessageBeep(0);
      break;
  }
}

BOOL WINAPI StackTraceModuleEntry(HINSTANCE hInstance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH || reason == DLL_THREAD_ATTACH) {
    // Room for the filter when the thread's stack overflows; otherwise the system may not
    // even manage to hand the fault over.
    ULONG guarantee = kOverflowReserve;
    SetThreadStackGuarantee(&guarantee);
  }
  if (reason == DLL_PROCESS_ATTACH) {
    s_module = hInstance;
    if (!s_lockReady) {
      InitializeCriticalSection(&s_lock);
      s_lockReady = true;
    }
  } else if (reason == DLL_PROCESS_DETACH) {
    // The process ends after a fault the filter let end it, yet normally: whoever took the
    // filter's answer must not make it a success. It ends with the fault's code.
    if (reserved != NULL && s_fatalCode != 0) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(s_fatalCode));
    // The filter must not outlive the code it points into; the lock goes last.
    DisableStackTraceLibrary();
    // At process exit the symbol libraries may already be gone; the system frees everything.
    if (reserved == NULL) crash_report::ReleaseSymbols();
    if (s_lockReady) {
      DeleteCriticalSection(&s_lock);
      s_lockReady = false;
    }
  }
  return TRUE;
}

const char* GetStackTraceReport() { return crash_report::Text(); }

CRITICAL_SECTION* StackTraceLock() { return s_lockReady ? &s_lock : NULL; }
HINSTANCE StackTraceModule() { return s_module; }
