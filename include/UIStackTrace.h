// Crash and assertion reporting: the library's entry routine.
#pragma once
#include "quarnel_api.h"

// On process attach records the module handle and creates the lock under which crash and
// assertion reports are built; on detach deletes it; other reasons do nothing.
extern "C" QUARNEL_API BOOL WINAPI StackTraceModuleEntry(HINSTANCE hInstance, DWORD reason, LPVOID reserved);
// The lock of StackTraceModuleEntry; NULL outside attach..detach.
QUARNEL_API CRITICAL_SECTION* StackTraceLock();
QUARNEL_API HINSTANCE StackTraceModule();
