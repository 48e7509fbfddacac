// CWnd: binding objects to windows, the creation hook, the framework's window procedure,
// default processing, destruction, pre-translation and the routing of WM_COMMAND/WM_NOTIFY.
#include <exception>

#include "ole_internal.h"
#include "fw_app.h"
#include "thread_data.h"

namespace {

// Set while the object is the permanent object of its window.
const UINT kWndBound = 0x80000000u;

fw::HandleMap<CWnd, HWND>& WndMap() { return fw::CurrentThread().windows; }

bool IsImeWindow(HWND hWnd) {
  TCHAR name[32];
  if (!::GetClassName(hWnd, name, _countof(name))) return false;
  return lstrcmpi(name, _T("IME")) == 0 || lstrcmpi(name, _T("MSCTFIME UI")) == 0;
}

// The answer of a window procedure whose handler threw, when no thread object decides.
LRESULT WndProcFailure(const MSG* pMsg) {
  if (pMsg->message == WM_CREATE) return -1;
  if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, NULL);
  return 0;
}

LRESULT HandleWndProcException(CException* e, const MSG* pMsg) {
  if (CWinThread* pThread = AfxGetThread()) return pThread->ProcessWndProcException(e, pMsg);
  LRESULT result = WndProcFailure(pMsg);
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
  e->Delete();
  return result;
}

LRESULT HandleForeignException(const char* what, const MSG* pMsg) {
  LRESULT result = WndProcFailure(pMsg);
  CString text(_T("An unexpected error occurred"));
  if (what != NULL && *what != 0) {
    text += _T(":\n");
    text += CString(what);
  }
  text += _T(".");
  AfxMessageBox(text, MB_ICONSTOP);
  return result;
}

}  // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
  if ((m_nFlags & kWndBound) && m_hWnd != NULL) {
    // The window dies with its object; WM_NCDESTROY unbinds it.
    ::DestroyWindow(m_hWnd);
    if (m_nFlags & kWndBound) Detach();  // a window of another thread cannot be destroyed here
  }
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return WndMap().FromHandle(hWnd); }

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd != NULL ? WndMap().LookupPermanent(hWnd) : NULL;
}

void PASCAL CWnd::DeleteTempMap() { WndMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == NULL || m_hWnd != NULL) return FALSE;
  fw::HandleMap<CWnd, HWND>& map = WndMap();
  if (map.LookupPermanent(hWndNew) != NULL) return FALSE;
  map.SetPermanent(hWndNew, this);
  m_hWnd = hWndNew;
  m_nFlags |= kWndBound;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL && (m_nFlags & kWndBound)) {
    WndMap().RemovePermanent(hWnd, this);
    _AFX_THREAD_STATE* ts = AfxGetThreadState();
    if (ts->m_pLastHit == this) {
      ts->m_pLastHit = NULL;
      ts->m_nLastHit = -1;
    }
    if (ts->m_pToolTip == this) ts->m_pToolTip = NULL;
  }
  m_hWnd = NULL;
  m_nFlags &= ~kWndBound;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  ::SetLastError(0);
  WNDPROC old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old == NULL && ::GetLastError() != 0) {  // not a window of this process
    Detach();
    return FALSE;
  }
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
  return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == NULL) return NULL;
  if (m_pfnSuper != NULL) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = NULL;
  return Detach();
}

void CWnd::PreSubclassWindow() {}

// Creation hook.

LRESULT CALLBACK FwCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (code == HCBT_CREATEWND && ts->m_pWndInit != NULL) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hWnd)) {
      CWnd* pWndInit = ts->m_pWndInit;
      ts->m_pWndInit = NULL;
      pWndInit->SubclassWindow(hWnd);
    }
  }
  return ::CallNextHookEx(ts->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd) {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (ts->m_hHookOldCbtFilter == NULL)
    ts->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, &FwCbtFilterHook, NULL, ::GetCurrentThreadId());
  ts->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate() {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  BOOL bound = ts->m_pWndInit == NULL;
  ts->m_pWndInit = NULL;
  if (ts->m_hHookOldCbtFilter != NULL) {
    ::UnhookWindowsHookEx(ts->m_hHookOldCbtFilter);
    ts->m_hHookOldCbtFilter = NULL;
  }
  return bound;
}

// Creation.

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    WNDCLASS wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = AFX_WND;
    if (!AfxRegisterClass(&wc)) return FALSE;
    cs.lpszClass = AFX_WND;
  }
  return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  // A child window: its id is its menu handle.
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), static_cast<LPVOID>(pContext));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd != NULL) return FALSE;  // already has a window
  CREATESTRUCT cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                               cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // When the hook never bound the object, no WM_NCDESTROY will clean it up: do it here.
  // Otherwise a failed creation has already run PostNcDestroy (which may delete this).
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  return hWnd != NULL;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == NULL) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::FwNcDestroyCleanup() {
  fw::RevokeDropTargetOf(m_hWnd);
  // Put the previous procedure back so that nothing more reaches this object.
  if (m_pfnSuper != NULL &&
      reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  Detach();
  PostNcDestroy();  // may delete this
}

void CWnd::OnNcDestroy() {
  if (CWinThread* pThread = AfxGetThread()) {
    if (pThread->m_pMainWnd == this) {
      // The main window is gone: the thread's pump ends (not in a DLL's own state).
      if (!AfxGetModuleState()->m_bDLL) AfxPostQuitMessage(0);
      pThread->m_pMainWnd = NULL;
    }
    if (pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = NULL;
  }
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (ts->m_pLastHit == this) CancelToolTips();
  Default();
  FwNcDestroyCleanup();
}

// The window procedure.

WNDPROC AFXAPI AfxGetAfxWndProc() { return &AfxWndProc; }

// Inline: the window procedure runs it for every message.
inline LRESULT CWnd::FwCallWndProc(_AFX_THREAD_STATE* ts, CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam,
                                   LPARAM lParam) {
  MSG oldState = ts->m_lastSentMsg;
  ts->m_lastSentMsg.hwnd = hWnd;
  ts->m_lastSentMsg.message = nMsg;
  ts->m_lastSentMsg.wParam = wParam;
  ts->m_lastSentMsg.lParam = lParam;
  LRESULT lResult;
  // No exception leaves a window procedure: the system's code between our frames cannot
  // unwind, and the caller of SendMessage must get an answer.
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    lResult = HandleWndProcException(e, &ts->m_lastSentMsg);
  } catch (const std::exception& e) {
    lResult = HandleForeignException(e.what(), &ts->m_lastSentMsg);
  } catch (...) {
    lResult = HandleForeignException(NULL, &ts->m_lastSentMsg);
  }
  // A handler of WM_NCDESTROY that did not run the base's: unbind the object anyway.
  if (nMsg == WM_NCDESTROY) {
    if (CWnd* still = CWnd::FromHandlePermanent(hWnd)) still->FwNcDestroyCleanup();
  }
  ts->m_lastSentMsg = oldState;
  return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_QUERYAFXWNDPROC) return 1;
  fw::ThreadData& td = fw::CurrentThread();
  CWnd* pWnd = td.windows.LookupPermanent(hWnd);
  if (pWnd == NULL) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return CWnd::FwCallWndProc(&td.state, pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  return CWnd::FwCallWndProc(AfxGetThreadState(), pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != NULL) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage() {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  ts->m_lastSentMsg.time = ::GetMessageTime();
  DWORD pos = ::GetMessagePos();
  ts->m_lastSentMsg.pt.x = static_cast<short>(LOWORD(pos));
  ts->m_lastSentMsg.pt.y = static_cast<short>(HIWORD(pos));
  return &ts->m_lastSentMsg;
}

// Pre-translation.

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) FilterToolTipMessage(pMsg);
  return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd)) {
      if (pWnd->PreTranslateMessage(pMsg)) return TRUE;
    }
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

// Commands and notifications.

namespace {
// Records only whether the command is enabled.
class EnabledProbe : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCTSTR) override {}
};
}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == NULL) {
    // A menu item or an accelerator: a command that became disabled is not run.
    if (nID == 0) return FALSE;
    EnabledProbe probe;
    probe.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL);
    if (!probe.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
    if (ReflectLastMsg(hWndCtrl)) return TRUE;
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  int nCode = static_cast<int>(pNMHDR->code);
  if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
  // Reflected first: frequent notifications (custom draw) that the control takes cost no
  // question to the system.
  if (ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
  UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndCtrl));
  AFX_NOTIFY notify;
  notify.pResult = pResult;
  notify.pNMHDR = pNMHDR;
  return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

// Reflection.

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
      return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
        if (pResult != NULL) *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify;
      notify.pResult = pResult;
      notify.pNMHDR = pNMHDR;
      return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  NULL);
    }
    default:
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl;
        ctl.hDC = reinterpret_cast<HDC>(wParam);
        ctl.hWnd = reinterpret_cast<HWND>(lParam);
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), pResult);
      }
      return FALSE;
  }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
  return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}
