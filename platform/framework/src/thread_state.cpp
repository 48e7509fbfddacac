// The framework's per-thread state and the module states of DLLs.
#include "fw_thread_state.h"

#include <stdlib.h>
#include <string.h>

#include <map>

#include "fw_internal.h"
#include "thread_data.h"

_AFX_THREAD_STATE::_AFX_THREAD_STATE()
    : m_lastSentMsg(), m_msgCur(), m_ptCursorLast{-1, -1}, m_nMsgLast(0), m_pWndInit(NULL),
      m_hHookOldCbtFilter(NULL), m_hLockoutNotifyWindow(NULL), m_hTrackingWindow(NULL), m_hTrackingMenu(NULL),
      m_pToolTip(NULL), m_pLastHit(NULL), m_nLastHit(-1), m_lastInfo(), m_pCurrentWinThread(NULL),
      m_szTempClassName() {}

_AFX_THREAD_STATE::~_AFX_THREAD_STATE() {
  if (m_hHookOldCbtFilter) UnhookWindowsHookEx(m_hHookOldCbtFilter);
}

namespace {

void DestroyThreadData(void*) {
  auto* data = static_cast<fw::ThreadData*>(fw::ReadThreadSlot(fw::g_threadDataSlot));
  ::TlsSetValue(fw::g_threadDataSlot, nullptr);
  delete data;
}

}  // namespace

fw::ThreadData::ThreadData()
    : windows(&MakeBorrowing<CWnd, HWND, &CWnd::m_hWnd>, &ReleaseBorrowing<CWnd, HWND, &CWnd::m_hWnd>) {}

fw::ThreadData& fw::MakeThreadData() {
  DWORD error = ::GetLastError();  // callers may be between a call and its GetLastError
  // Before the framework's own attach (a static constructor) the slot may not exist yet.
  if (!EnsureThreadDataSlot()) std::abort();
  ThreadData* data = new ThreadData;
  ::TlsSetValue(g_threadDataSlot, data);
  AtThreadExit(&DestroyThreadData, nullptr);
  ::SetLastError(error);
  return *data;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState() { return &fw::CurrentThread().state; }

namespace {

// One state per DLL that asked for its own, made on first use and kept for the process.
struct DllStates {
  CRITICAL_SECTION lock;
  std::map<HMODULE, AFX_MODULE_STATE*> states;
  DllStates() { InitializeCriticalSection(&lock); }
  ~DllStates() {
    for (auto& e : states) delete e.second;
    DeleteCriticalSection(&lock);
  }
};

DllStates& States() {
  static DllStates s;
  return s;
}

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleStateOf(HMODULE hModule) {
  if (hModule == NULL || hModule == GetModuleHandle(NULL)) return AfxGetAppModuleState();
  DllStates& s = States();
  EnterCriticalSection(&s.lock);
  AFX_MODULE_STATE*& st = s.states[hModule];
  if (st == NULL) {
    st = new AFX_MODULE_STATE(TRUE);
    st->m_hCurrentInstanceHandle = hModule;
    st->m_hCurrentResourceHandle = hModule;
  }
  AFX_MODULE_STATE* result = st;
  LeaveCriticalSection(&s.lock);
  return result;
}
