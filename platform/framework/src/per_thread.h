// Objects the framework keeps for each thread (handle maps, the thread state): made on first
// use on a thread and destroyed when that thread ends.
//
// They are not C++ thread_local objects with destructors. With this toolchain such destructors
// run from the threading runtime's own thread-exit step, after the storage of the thread's
// thread_local variables has been freed; the fault that follows is swallowed by the loader but
// leaves the runtime's key lock held, and the process then hangs at exit. Here only a plain
// pointer per thread is thread_local, and the framework DLL destroys the objects from its own
// DLL_THREAD_DETACH, which comes before that of any library it uses. The destructors run under
// the loader lock: they free memory and never message, destroy or wait for anything.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <stddef.h>

#include <utility>

namespace fw {

// Runs destroy(slot) when the calling thread ends, latest registration first.
void AtThreadExit(void (*destroy)(void*), void* slot);

// Destroys the calling thread's objects now (its thread detach; unloading the framework).
// An object made meanwhile by a destructor is destroyed too.
void DestroyThreadObjects();

template <class T>
void DestroyThreadObject(void* slot) {
  T*& p = *static_cast<T**>(slot);
  T* object = p;
  p = nullptr;
  delete object;
}

// The calling thread's object held by `slot` (a thread_local pointer), made from args on first
// use and destroyed when the thread ends.
template <class T, class... Args>
T& ThreadObject(T*& slot, Args&&... args) {
  if (slot == nullptr) {
    T* object = new T(std::forward<Args>(args)...);
    slot = object;
    AtThreadExit(&DestroyThreadObject<T>, &slot);
  }
  return *slot;
}

// A thread_local access costs a call into the runtime's emulated thread-local storage; the
// dispatch of every message reads its per-thread data through a TLS slot of the system
// instead, straight from the thread's environment block (the first 64 slots live there).
static_assert(offsetof(TEB, TlsSlots) == (sizeof(void*) == 8 ? 0x1480 : 0xE10), "TEB layout");

// Beyond the first 64 slots; keeps the thread's last error, which TlsGetValue resets.
void* ReadThreadSlotSlow(DWORD slot);

// The thread's environment block: its own address is kept at a fixed place of the segment
// that the system points at it.
inline TEB* CurrentTeb() {
  TEB* teb;
#if defined(__x86_64__)
  __asm__("movq %%gs:0x30, %0" : "=r"(teb));
#else
  __asm__("movl %%fs:0x18, %0" : "=r"(teb));
#endif
  return teb;
}

inline void* ReadThreadSlot(DWORD slot) {
  if (slot < 64) return CurrentTeb()->TlsSlots[slot];
  return ReadThreadSlotSlow(slot);
}

// The system TLS slot of each thread's dispatch block (thread_data.h). Allocated when the
// framework loads, or earlier by a static constructor's first use; false when none is left.
extern DWORD g_threadDataSlot;
bool EnsureThreadDataSlot();

}  // namespace fw
