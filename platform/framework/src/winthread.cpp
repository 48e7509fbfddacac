// CWinThread: the message pump with pre-translation and idle processing, thread start-up,
// and the thread-level answers to a failing window procedure.
#include <process.h>

#include "fw_app.h"
#include "handle_map.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread != NULL) ::CloseHandle(m_hThread);
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (ts->m_pCurrentWinThread == this) ts->m_pCurrentWinThread = NULL;
}

namespace {

unsigned __stdcall ThreadEntry(void* p) {
  CWinThread* pThread = static_cast<CWinThread*>(p);
  AfxGetThreadState()->m_pCurrentWinThread = pThread;
  UINT nResult;
  if (pThread->m_pfnThreadProc != NULL) {
    nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
  } else if (!pThread->InitInstance()) {
    if (pThread->m_pMainWnd != NULL) pThread->m_pMainWnd->DestroyWindow();
    nResult = static_cast<UINT>(pThread->ExitInstance());
  } else {
    nResult = static_cast<UINT>(pThread->Run());
  }
  fw::DeleteThreadTempMaps();
  AfxGetThreadState()->m_pCurrentWinThread = NULL;
  pThread->Delete();
  return nResult;
}

}  // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (m_hThread != NULL) return FALSE;
  unsigned id = 0;
  // Always started suspended so that the handle and id are stored before it runs.
  uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this, CREATE_SUSPENDED, &id);
  if (h == 0) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(h);
  m_nThreadID = id;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
  return TRUE;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd; }

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam); }

int CWinThread::Run() {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    MSG peek;
    while (bIdle && !::PeekMessage(&peek, NULL, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&ts->m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessage(&peek, NULL, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  MSG& msg = AfxGetThreadState()->m_msgCur;
  if (::GetMessage(&msg, NULL, 0, 0) <= 0) return FALSE;
  if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return TRUE;
}

namespace {
HWND TopLevelOf(HWND hWnd) {
  for (HWND next; hWnd != NULL; hWnd = next) {
    next = (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    if (next == NULL) break;
  }
  return hWnd;
}
}  // namespace

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == NULL) return DispatchThreadMessageEx(pMsg);
  CWnd* pMainWnd = GetMainWnd();
  HWND hWndMain = pMainWnd->GetSafeHwnd();
  if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) return TRUE;
  // A window outside the main window's tree (a modeless window of its own): the main
  // window still sees the message (its accelerators).
  if (hWndMain != NULL && ::IsWindow(hWndMain) && TopLevelOf(pMsg->hwnd) != hWndMain)
    return pMainWnd->PreTranslateMessage(pMsg);
  return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != NULL;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      bool match = (e->nMessage == pMsg->message && e->nSig == AfxSig_vwl) ||
                   (e->nMessage == 0xC000 && e->nLastID == 1 && pMsg->message >= 0xC000 &&
                    *reinterpret_cast<const UINT*>(e->nSig) == pMsg->message);
      if (!match) continue;
      (this->*AfxPmsgTo<void (CWinThread::*)(WPARAM, LPARAM)>(e->pfn))(pMsg->wParam, pMsg->lParam);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    // A mouse that did not move does not restart idle processing.
    _AFX_THREAD_STATE* ts = AfxGetThreadState();
    if (ts->m_ptCursorLast.x == pMsg->pt.x && ts->m_ptCursorLast.y == pMsg->pt.y && ts->m_nMsgLast == pMsg->message)
      return FALSE;
    ts->m_ptCursorLast = pMsg->pt;
    ts->m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // nor paints and caret blinks
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    // Update probes of the main window and its framework children.
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::IsWindowVisible(pMainWnd->m_hWnd)) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  fw::DeleteThreadTempMaps();
  return FALSE;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  LRESULT result = 0;
  if (pMsg->message == WM_CREATE) {
    result = -1;  // the window is not created
  } else if (pMsg->message == WM_PAINT) {
    ::ValidateRect(pMsg->hwnd, NULL);  // or WM_PAINT comes again at once
  }
  if (e != NULL) {
    // A user exception has been reported already.
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
    e->Delete();
  }
  return result;
}

// Threads.

namespace {
// Starts pThread with the priority set before it runs; deletes it when it cannot start.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return NULL;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}
}  // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pfnThreadProc == NULL) return NULL;
  return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread))) return NULL;
  CWinThread* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
  if (pThread == NULL) return NULL;
  return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  CWinThread* pThread = ts->m_pCurrentWinThread;
  fw::DeleteThreadTempMaps();
  ts->m_pCurrentWinThread = NULL;
  if (pThread != NULL && bDelete) pThread->Delete();
  _endthreadex(nExitCode);
}

BOOL AFXAPI AfxPumpMessage() {
  if (CWinThread* pThread = AfxGetThread()) return pThread->PumpMessage();
  MSG& msg = AfxGetThreadState()->m_msgCur;
  if (::GetMessage(&msg, NULL, 0, 0) <= 0) return FALSE;
  if (msg.message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(NULL, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return TRUE;
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
