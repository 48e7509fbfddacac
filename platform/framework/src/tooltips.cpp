// Tooltips of a window's children: the thread's tooltip control, the hit test that finds a
// tool under the mouse, and the filter that feeds mouse messages to the control.
#include "fw_app.h"

namespace {

// The thread's tooltip control; it deletes itself with its window.
class ThreadToolTip : public CWnd {
 protected:
  void PostNcDestroy() override { delete this; }
};

HWND TopLevelOf(HWND hWnd) {
  for (HWND next; hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && (next = ::GetParent(hWnd)) != NULL;)
    hWnd = next;
  return hWnd;
}

void ForgetLastTool(_AFX_THREAD_STATE* ts) {
  if (ts->m_pToolTip != NULL && ts->m_pLastHit != NULL)
    ::SendMessage(ts->m_pToolTip->m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ts->m_lastInfo));
  ts->m_pLastHit = NULL;
  ts->m_nLastHit = -1;
}

}  // namespace

// The tooltip control belongs to the top-level window of the window that uses it, so that it
// goes away with it; another top-level window gets a new one.
BOOL CWnd::FwCreateToolTip() {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  HWND hWndOwner = TopLevelOf(m_hWnd);
  if (ts->m_pToolTip != NULL) {
    if (::GetWindow(ts->m_pToolTip->m_hWnd, GW_OWNER) == hWndOwner) return TRUE;
    ForgetLastTool(ts);
    ts->m_pToolTip->DestroyWindow();  // deletes the object and clears m_pToolTip
    ts->m_pToolTip = NULL;
  }
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&icc);
  ThreadToolTip* pTip = new ThreadToolTip;
  // A failed creation has already deleted the object (PostNcDestroy).
  if (!pTip->CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, hWndOwner, NULL))
    return FALSE;
  ts->m_pToolTip = pTip;
  ::SendMessage(pTip->m_hWnd, TTM_ACTIVATE, TRUE, 0);
  return TRUE;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
  if (!bEnable) {
    m_nFlags &= ~WF_TOOLTIPS;
    _AFX_THREAD_STATE* ts = AfxGetThreadState();
    if (ts->m_pLastHit == this) ForgetLastTool(ts);
    return bOld;
  }
  if (m_hWnd != NULL && !FwCreateToolTip()) return FALSE;
  m_nFlags |= WF_TOOLTIPS;
  return bOld;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable) {
  BOOL bOld = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
  if (bEnable)
    m_nFlags |= WF_TRACKINGTOOLTIPS;
  else
    m_nFlags &= ~WF_TRACKINGTOOLTIPS;
  return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL bKeys) {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (ts->m_pToolTip == NULL) return;
  ::SendMessage(ts->m_pToolTip->m_hWnd, TTM_POP, 0, 0);
  if (!bKeys) ForgetLastTool(ts);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  // The visible child under the point, disabled ones included (they explain themselves too).
  POINT screen = point;
  ::ClientToScreen(m_hWnd, &screen);
  HWND hWndChild = NULL;
  for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetNextWindow(h, GW_HWNDNEXT)) {
    RECT rc;
    if (!(::GetWindowLong(h, GWL_STYLE) & WS_VISIBLE) || !::GetWindowRect(h, &rc) || !::PtInRect(&rc, screen)) continue;
    hWndChild = h;
    break;
  }
  if (hWndChild == NULL) return -1;
  INT_PTR nHit = ::GetDlgCtrlID(hWndChild);
  if (pTI != NULL && pTI->cbSize >= sizeof(AFX_OLDTOOLINFO)) {
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) pTI->uFlags |= TTF_NOTBUTTON;
  }
  return nHit;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  UINT message = pMsg->message;
  bool mouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
               message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  bool cancel = (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
                message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
                message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN;
  if (!mouse && !cancel) return;
  // Only messages of this window and its children concern its tools.
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return;
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (cancel) {
    if (ts->m_pToolTip != NULL) ::SendMessage(ts->m_pToolTip->m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    CancelToolTips(TRUE);
    return;
  }
  if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0) return;
  if (!FwCreateToolTip()) return;
  CWnd* pTip = ts->m_pToolTip;
  POINT point = pMsg->pt;
  ::ScreenToClient(m_hWnd, &point);
  TOOLINFO ti = {};
  ti.cbSize = sizeof ti;
  INT_PTR nHit = OnToolHitTest(point, &ti);
  if (ts->m_pLastHit != this || nHit != ts->m_nLastHit) {
    ForgetLastTool(ts);
    if (nHit != -1) {
      ti.uFlags &= ~TTF_NOTBUTTON;  // the framework's own flag, not the control's
      if (ti.hwnd == NULL) ti.hwnd = m_hWnd;
      if (ti.lpszText == NULL) ti.lpszText = LPSTR_TEXTCALLBACK;
      ::SendMessage(pTip->m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
      ts->m_lastInfo = ti;
      ts->m_pLastHit = this;
      ts->m_nLastHit = nHit;
    }
  }
  ::SendMessage(pTip->m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
