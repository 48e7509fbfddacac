// Private helpers of the framework layer.
#pragma once
#include "fw_module.h"
#include "fw_string.h"

namespace fw {
HMODULE FrameworkModule();
CRuntimeClass* FirstClassOfModule(HMODULE module);
LPCTSTR FrameOrViewClass();  // registered on demand; NULL when registration fails
// The title part of a frame's string resource (up to the first line feed); empty without one.
CString FrameTitleFromString(UINT nIDResource);
}  // namespace fw

// Scoped AfxLockGlobals/AfxUnlockGlobals.
class FwGlobalLock {
 public:
  explicit FwGlobalLock(int type) : m_type(type) { AfxLockGlobals(type); }
  ~FwGlobalLock() { AfxUnlockGlobals(m_type); }
  FwGlobalLock(const FwGlobalLock&) = delete;
  FwGlobalLock& operator=(const FwGlobalLock&) = delete;
 private:
  int m_type;
};
