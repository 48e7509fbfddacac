// The own user number, limited users, the limit filter and face images.
#include <stdlib.h>

#include <algorithm>
#include <mutex>

#include "Pellix.h"

namespace {
DWORD g_selfUin = 0;
std::mutex g_limitLock;
std::vector<DWORD> g_limited;  // sorted
}  // namespace

DWORD PxUserNumberOf(const VARIANT& id) {
  if (V_VT(&id) != VT_BSTR || V_BSTR(&id) == NULL) return 0;
  const wchar_t* s = V_BSTR(&id);
  wchar_t* end = NULL;
  if (*s < L'0' || *s > L'9') return 0;
  unsigned long long n = wcstoull(s, &end, 10);  // wider than a user number: overflow shows
  if (*end != L'.' || n > 0xFFFFFFFFull) return 0;
  return static_cast<DWORD>(n);
}

BOOL SetSelfUin(DWORD uin) {
  BOOL changed = g_selfUin != uin;
  g_selfUin = uin;
  return changed;
}

DWORD GetSelfUin() { return g_selfUin; }

void SetLimitUsers(const DWORD* uins, int count) {
  std::lock_guard<std::mutex> lock(g_limitLock);
  g_limited.assign(uins, uins + (uins != NULL && count > 0 ? count : 0));
  std::sort(g_limited.begin(), g_limited.end());
}

BOOL IsLimitUser(DWORD uin) {
  std::lock_guard<std::mutex> lock(g_limitLock);
  return std::binary_search(g_limited.begin(), g_limited.end(), uin);
}

HRESULT FilterLimitUser(const VARIANT& in, VARIANT* out, const GUID& context) {
  if (out == NULL || IsEqualGUID(context, GUID_NULL)) return E_INVALIDARG;
  CBoid all;
  if (!all.Input(in)) return E_INVALIDARG;
  CBoid kept(all.GetCapacity());
  for (int i = 0; i < all.GetCount(); ++i) {
    int type = all.GetType(i);
    bool user = type == BOID_USER || type == BOID_USER_ALT;
    if (user && IsLimitUser(PxUserNumberOf(all.GetId(i)))) continue;
    kept.Add(type, all.GetId(i));
  }
  VARIANT result;
  if (!kept.Output(&result)) return E_OUTOFMEMORY;
  *out = result;  // an out parameter: whatever it held is not the callee's to free
  return S_OK;
}

int GetFaceImage(DWORD presence) {
  // Offline, online, away, busy and invisible have faces of their own; anything else shows
  // as offline.
  return presence <= 4 ? static_cast<int>(presence) : 0;
}
