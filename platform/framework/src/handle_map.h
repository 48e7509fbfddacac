// Per-thread maps from Windows handles to framework objects.
//
// A permanent entry is an object that owns (or was explicitly attached to) its handle; it
// lives until it detaches. A temporary entry is a borrowing object made on demand by
// FromHandle for a handle that has no permanent object; it never frees the handle and is
// deleted when the thread's temporary objects are cleaned (at idle, or by FwDeleteTempMaps),
// and at the latest when the thread ends (each map is a per-thread object, per_thread.h).
#pragma once
#include "fw_defs.h"
#include "per_thread.h"

#include <unordered_map>
#include <vector>

namespace fw {

// A map that holds temporary objects; every live map of a thread is cleaned together.
class TempMapOwner {
 public:
  virtual void DeleteTemp() = 0;
 protected:
  ~TempMapOwner() = default;
};

// Registration of this thread's maps (handle_map.cpp).
void RegisterThreadTempMap(TempMapOwner* map);
void UnregisterThreadTempMap(TempMapOwner* map);
// Deletes the temporary objects of every map of this thread.
void DeleteThreadTempMaps();

// The usual factory and release of a temporary object that keeps its handle in one member.
template <class T, class H, H T::*Field>
T* MakeBorrowing(H h) {
  T* p = new T;
  p->*Field = h;
  return p;
}
template <class T, class H, H T::*Field>
void ReleaseBorrowing(T* p) {
  p->*Field = NULL;
}

template <class T, class H>
class HandleMap final : public TempMapOwner {
 public:
  using Factory = T* (*)(H);       // a new borrowing object for the handle
  using Release = void (*)(T*);    // clears the object's handles so that deleting it frees nothing
  using Fits = bool (*)(T*, H);    // whether a cached temporary object still suits the handle

  HandleMap(Factory make, Release release, Fits fits = nullptr)
      : m_make(make), m_release(release), m_fits(fits) {
    RegisterThreadTempMap(this);
  }
  ~HandleMap() {
    DeleteTemp();
    UnregisterThreadTempMap(this);
  }
  HandleMap(const HandleMap&) = delete;
  HandleMap& operator=(const HandleMap&) = delete;

  // The permanent object of the handle, else its temporary one, made when missing.
  T* FromHandle(H h) {
    if (h == NULL) return NULL;
    if (T* p = LookupPermanent(h)) return p;
    auto it = m_temporary.find(h);
    if (it != m_temporary.end()) {
      if (m_fits == nullptr || m_fits(it->second, h)) return it->second;
      // The handle was reused for an object of another kind: the stale object stays valid
      // for whoever still holds it until the next cleaning.
      m_retired.push_back(it->second);
      m_temporary.erase(it);
    }
    T* p = m_make(h);
    if (p != NULL) m_temporary.emplace(h, p);
    return p;
  }

  T* LookupPermanent(H h) const {
    Front& front = m_front[FrontIndex(h)];
    if (front.handle == h && h != NULL) return front.object;
    auto it = m_permanent.find(h);
    if (it == m_permanent.end()) return NULL;
    front = Front{h, it->second};
    return it->second;
  }
  T* LookupTemporary(H h) const {
    auto it = m_temporary.find(h);
    return it == m_temporary.end() ? NULL : it->second;
  }

  void SetPermanent(H h, T* p) {
    m_permanent[h] = p;
    m_front[FrontIndex(h)] = Front{h, p};
  }
  // Removes the permanent entry of h when it is p.
  void RemovePermanent(H h, T* p) {
    auto it = m_permanent.find(h);
    if (it == m_permanent.end() || it->second != p) return;
    m_permanent.erase(it);
    Front& front = m_front[FrontIndex(h)];
    if (front.handle == h) front = Front{};
  }

  template <class F>
  void ForEachPermanent(F f) const {
    for (auto& e : m_permanent) f(e.first, e.second);
  }

  void DeleteTemp() override {
    // Swap first: a destructor may ask the map for a handle again.
    std::unordered_map<H, T*> temporary;
    temporary.swap(m_temporary);
    std::vector<T*> retired;
    retired.swap(m_retired);
    for (auto& e : temporary) Dispose(e.second);
    for (T* p : retired) Dispose(p);
  }

  size_t TemporaryCount() const { return m_temporary.size() + m_retired.size(); }

 private:
  void Dispose(T* p) {
    m_release(p);
    delete p;
  }

  // Permanent entries looked up lately, one per slot: the window of a message being
  // dispatched is found without a search of the map. Each holds what the map holds.
  struct Front {
    H handle;
    T* object;
  };
  static const size_t kFrontSize = 16;
  static size_t FrontIndex(H h) {
    UINT_PTR v = reinterpret_cast<UINT_PTR>(h);
    return ((v >> 1) ^ (v >> 16)) & (kFrontSize - 1);
  }

  mutable Front m_front[kFrontSize] = {};
  Factory m_make;
  Release m_release;
  Fits m_fits;
  std::unordered_map<H, T*> m_permanent;
  std::unordered_map<H, T*> m_temporary;
  std::vector<T*> m_retired;
};

}  // namespace fw
