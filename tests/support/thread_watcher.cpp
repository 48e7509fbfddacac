#include "thread_watcher.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

namespace {

// Set by every thread of the program once it runs its own code.
HANDLE ThreadRunning() {
  static const HANDLE running = ::CreateEventW(NULL, TRUE, FALSE, NULL);
  return running;
}

void NTAPI OnThreadEvent(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_ATTACH) ::SetEvent(ThreadRunning());
}

// The loader calls the program's thread callbacks in each new thread before its start routine.
__attribute__((section(".CRT$XLF"), used)) PIMAGE_TLS_CALLBACK s_threadEvent = OnThreadEvent;

}  // namespace

namespace testing_support {

int ThreadsOfThisProcess() {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  ::CloseHandle(snapshot);
  return count;
}

bool StartThreadWatcher() {
  const HANDLE running = ThreadRunning();
  if (running == NULL) return false;
  ::ResetEvent(running);
  const int before = ThreadsOfThisProcess();
  { SCOPED_TRACE("the watcher of the main thread"); }  // the first per-thread value
  const int after = ThreadsOfThisProcess();
  if (before < 0 || after < 0) return false;
  if (after <= before) return true;  // no watcher made: nothing is starting
  return ::WaitForSingleObject(running, INFINITE) == WAIT_OBJECT_0;
}

}  // namespace testing_support
