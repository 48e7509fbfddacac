// Crash and assertion reporting: module entry and the report lock.
#include "UIStackTrace.h"

namespace {
HINSTANCE s_module = NULL;
CRITICAL_SECTION s_lock;
bool s_lockReady = false;
}  // namespace

extern "C" BOOL WINAPI StackTraceModuleEntry(HINSTANCE hInstance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    s_module = hInstance;
    if (!s_lockReady) {
      InitializeCriticalSection(&s_lock);
      s_lockReady = true;
    }
  } else if (reason == DLL_PROCESS_DETACH) {
    if (s_lockReady) {
      DeleteCriticalSection(&s_lock);
      s_lockReady = false;
    }
  }
  return TRUE;
}

CRITICAL_SECTION* StackTraceLock() { return s_lockReady ? &s_lock : NULL; }
HINSTANCE StackTraceModule() { return s_module; }
