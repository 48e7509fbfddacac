// Per-thread OLE start-up.
#include "fw_oledata.h"

namespace {
// A plain counter per thread: nothing to destroy when the thread ends.
thread_local int t_oleStarts = 0;
}  // namespace

BOOL AFXAPI AfxOleInit() {
  if (t_oleStarts > 0) {
    ++t_oleStarts;
    return TRUE;
  }
  HRESULT hr = ::OleInitialize(NULL);
  if (FAILED(hr)) return FALSE;
  // S_FALSE: OLE was started on this thread by someone else; this start is ours to undo too.
  t_oleStarts = 1;
  return TRUE;
}

void AFXAPI AfxOleTerm() {
  if (t_oleStarts == 0) return;
  if (--t_oleStarts == 0) ::OleUninitialize();
}

BOOL AFXAPI AfxOleIsInitialized() { return t_oleStarts > 0; }
