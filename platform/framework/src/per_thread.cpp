// The per-thread objects' teardown and the framework DLL's entry point that runs it.
#include <windows.h>

#include <vector>

#include "per_thread.h"

namespace {

struct ExitEntry {
  void (*destroy)(void*);
  void* slot;
};
using ExitList = std::vector<ExitEntry>;

// A TLS slot of the system, not a thread_local: reading it never allocates, so a thread that
// never used the framework costs nothing at its end.
DWORD g_exitSlot = TLS_OUT_OF_INDEXES;

// Destructors that keep making new objects are cut off after this many rounds (the rest leaks
// rather than looping in DllMain).
const int kMaxRounds = 4;

}  // namespace

DWORD fw::g_threadDataSlot = TLS_OUT_OF_INDEXES;

bool fw::EnsureThreadDataSlot() {
  if (g_threadDataSlot != TLS_OUT_OF_INDEXES) return true;
  DWORD made = ::TlsAlloc();
  if (made == TLS_OUT_OF_INDEXES) return false;
  LONG prev = ::InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&g_threadDataSlot),
                                           static_cast<LONG>(made), static_cast<LONG>(TLS_OUT_OF_INDEXES));
  if (static_cast<DWORD>(prev) != TLS_OUT_OF_INDEXES) ::TlsFree(made);
  return true;
}

void* fw::ReadThreadSlotSlow(DWORD slot) {
  DWORD error = ::GetLastError();
  void* value = ::TlsGetValue(slot);
  ::SetLastError(error);
  return value;
}

void fw::AtThreadExit(void (*destroy)(void*), void* slot) {
  if (g_exitSlot == TLS_OUT_OF_INDEXES) return;
  DWORD error = ::GetLastError();  // callers may be between a call and its GetLastError
  auto* list = static_cast<ExitList*>(::TlsGetValue(g_exitSlot));
  if (list == nullptr) {
    list = new ExitList;
    ::TlsSetValue(g_exitSlot, list);
  }
  list->push_back({destroy, slot});
  ::SetLastError(error);
}

void fw::DestroyThreadObjects() {
  if (g_exitSlot == TLS_OUT_OF_INDEXES) return;
  auto* list = static_cast<ExitList*>(::TlsGetValue(g_exitSlot));
  if (list == nullptr) return;
  for (int round = 0; round < kMaxRounds && !list->empty(); ++round) {
    ExitList now;
    now.swap(*list);
    for (auto it = now.rbegin(); it != now.rend(); ++it) it->destroy(it->slot);
  }
  ::TlsSetValue(g_exitSlot, nullptr);
  delete list;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_exitSlot = ::TlsAlloc();
      return g_exitSlot != TLS_OUT_OF_INDEXES && fw::EnsureThreadDataSlot();
    case DLL_THREAD_DETACH:
      fw::DestroyThreadObjects();
      break;
    case DLL_PROCESS_DETACH:
      // When the process ends, its other threads were stopped wherever they were (perhaps
      // inside the heap): the system takes the memory back, nothing is freed here.
      if (reserved == nullptr) {
        fw::DestroyThreadObjects();
        ::TlsFree(g_exitSlot);
        g_exitSlot = TLS_OUT_OF_INDEXES;
        ::TlsFree(fw::g_threadDataSlot);
        fw::g_threadDataSlot = TLS_OUT_OF_INDEXES;
      }
      break;
    default:
      break;
  }
  return TRUE;
}
