// Private links between the OLE data-transfer classes and the window code.
#pragma once
#include <windows.h>

#include "fw_except.h"

namespace fw {
// Revokes the drop target registered for the window through a COleDropTarget, if any: run as
// the window is destroyed, so that the system never keeps a target past its window.
void RevokeDropTargetOf(HWND hWnd);

// Runs the body of an interface method (returning its HRESULT); an exception is turned into
// a status instead of unwinding through the system's code.
template <class F>
HRESULT GuardedCall(F f) {
  try {
    return f();
  } catch (CException* e) {
    HRESULT hr = COleException::Process(e);
    e->Delete();
    return hr;
  } catch (...) {
    return E_UNEXPECTED;
  }
}
}  // namespace fw
