// What the framework keeps for each thread on the path of every message: the thread state,
// the window map and the caches of message-map lookups, in one block reached with one read
// of a system TLS slot (per_thread.h).
#pragma once
#include "fw_wnd.h"
#include "handle_map.h"
#include "per_thread.h"

namespace fw {

// The entries found in message-map chains, keyed by (class, message, code, id); a miss is
// cached as NULL too. Maps are constant, so an answer never goes stale.
template <size_t N>
class EntryCache {
  static_assert((N & (N - 1)) == 0, "a power of two");

 public:
  // The entry of the key; find() searches the chain when the key is not cached.
  template <class Find>
  const AFX_MSGMAP_ENTRY* Get(const void* key, UINT message, UINT code, UINT id, Find find) {
    Slot& slot = m_slots[Index(key, message, code, id)];
    if (slot.key == key && slot.message == message && slot.code == code && slot.id == id) return slot.entry;
    const AFX_MSGMAP_ENTRY* entry = find();
    slot = Slot{key, message, code, id, entry};
    return entry;
  }

 private:
  struct Slot {
    const void* key;
    UINT message;
    UINT code;
    UINT id;
    const AFX_MSGMAP_ENTRY* entry;
  };
  static size_t Index(const void* key, UINT message, UINT code, UINT id) {
    UINT k = message * 2654435761u ^ code * 0x85EBCA6Bu ^ id * 0xC2B2AE35u;
    k ^= k >> 15;
    return (static_cast<size_t>(reinterpret_cast<UINT_PTR>(key) >> 3) ^ k) & (N - 1);
  }
  Slot m_slots[N] = {};
};

// The class of a command target as the caches know it: its virtual table. Every object of a
// class answers the same map (GetMessageMap), so a cached lookup calls no virtual function.
inline const void* ClassKey(const CCmdTarget* target) { return *reinterpret_cast<const void* const*>(target); }

struct ThreadData {
  ThreadData();

  _AFX_THREAD_STATE state;
  AFX_MODULE_STATE* moduleState = NULL;  // set by AfxSetModuleState; NULL: the application's
  HandleMap<CWnd, HWND> windows;
  EntryCache<512> messages;  // window messages (code and id 0)
  EntryCache<256> commands;  // commands, update probes, notifications
};

ThreadData& MakeThreadData();

// The calling thread's block, made on first use and destroyed when the thread ends.
inline ThreadData& CurrentThread() {
  void* p = ReadThreadSlot(g_threadDataSlot);
  return p != nullptr ? *static_cast<ThreadData*>(p) : MakeThreadData();
}

}  // namespace fw
