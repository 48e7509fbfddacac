// Crash and assertion reporting: the process-wide unhandled-exception filter, its report and
// dialogs, and VerboseAssert. Plain C entry points.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

extern "C" {

// Installs the unhandled-exception filter (saving the previous one) and the error mode
// SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX (saving the previous
// mode), and makes std::terminate (an uncaught C++ exception) raise the exception 0xE0435058
// so that it ends in the filter. Does nothing while installed.
// The library's static initialisation calls it at load.
QUARNEL_API void InitStackTraceLibrary();

// Puts back the previous filter (also when that was none), error mode and terminate handler;
// does nothing when not installed.
QUARNEL_API void DisableStackTraceLibrary();

// Sets GPF blind mode (no dialogs: the filter answers "handled", assertions only log and
// continue) and returns the previous value.
QUARNEL_API int SetGPFBlindMode(int blind);

// A failed assertion: builds the report (file, line, call stack) and shows the "Assertion
// failed" dialog: Abort ends the process with exit code 1, Ignore returns, Debug breaks into
// the debugger.
QUARNEL_API void VerboseAssert(const char* file, long line);

// The filter: builds the report and, once per process and unless blind, shows the
// "Unhandled Exception" dialog. Returns EXCEPTION_EXECUTE_HANDLER (1: the process ends) or
// EXCEPTION_CONTINUE_SEARCH (0: a debugger may take the fault).
QUARNEL_API LONG WINAPI StackTraceExceptionFilter(EXCEPTION_POINTERS* pointers);

// On process attach records the module handle and creates the lock under which crash and
// assertion reports are built; on detach removes the filter if it is still installed, then
// deletes the lock. On process and thread attach it reserves stack for the filter against
// stack overflow (SetThreadStackGuarantee); thread detach does nothing.
QUARNEL_API BOOL WINAPI StackTraceModuleEntry(HINSTANCE hInstance, DWORD reason, LPVOID reserved);

// The last report built (UTF-8, at most 32000 characters, NUL-terminated).
QUARNEL_API const char* GetStackTraceReport();

}  // extern "C"

// The lock of StackTraceModuleEntry; NULL outside attach..detach.
QUARNEL_API CRITICAL_SECTION* StackTraceLock();
QUARNEL_API HINSTANCE StackTraceModule();
