// CWnd members beyond dispatch: text, styles, relations and owners, layout of control bars,
// idle update of child controls, the modal loop, and window class registration.
#include "fw_app.h"

#include <shellapi.h>
#include <stdio.h>

void CWnd::GetWindowText(CString& rString) const {
  int n = ::GetWindowTextLength(m_hWnd);
  LPTSTR buf = rString.GetBufferSetLength(n);
  int got = ::GetWindowText(m_hWnd, buf, n + 1);
  rString.ReleaseBuffer(got);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWnd = ::GetDlgItem(m_hWnd, nID);
  if (hWnd == NULL) return 0;
  CWnd::FromHandle(hWnd)->GetWindowText(rString);
  return rString.GetLength();
}

namespace {
// FALSE when the style does not change; nFlags: SetWindowPos flags that apply the change.
BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, nIndex));
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle) return FALSE;
  ::SetWindowLong(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}
}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2); }

namespace {
// The parent of a child window, the owner of any other.
HWND ParentOrOwner(HWND hWnd) {
  return (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}
}  // namespace

CWnd* CWnd::GetOwner() const { return m_hWndOwner != NULL ? CWnd::FromHandle(m_hWndOwner) : GetParent(); }

CWnd* CWnd::GetTopLevelParent() const {
  if (m_hWnd == NULL) return NULL;
  HWND hWnd = m_hWnd;
  for (HWND next; (next = ParentOrOwner(hWnd)) != NULL;) hWnd = next;
  return CWnd::FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
  if (m_hWnd == NULL) return NULL;
  HWND hWnd = m_hWnd;
  for (HWND next; (next = ::GetWindow(hWnd, GW_OWNER)) != NULL;) hWnd = next;
  return CWnd::FromHandle(hWnd);
}

CWnd* CWnd::GetParentOwner() const {
  if (m_hWnd == NULL) return NULL;
  HWND hWnd = m_hWnd;
  for (HWND next; (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && (next = ::GetParent(hWnd)) != NULL;)
    hWnd = next;
  return CWnd::FromHandle(hWnd);
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop) {
  HWND hWnd = hParent;
  if (hWnd == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    hWnd = pMain != NULL ? pMain->m_hWnd : NULL;
  }
  while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  HWND hWndTop = hWnd;
  if (hParent == NULL && hWnd != NULL) hWnd = ::GetLastActivePopup(hWnd);
  // The caller disables the top-level window for the time of its modal window.
  if (pWndTop != NULL) {
    if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
      *pWndTop = hWndTop;
      ::EnableWindow(hWndTop, FALSE);
    } else {
      *pWndTop = NULL;
    }
  }
  return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  return CWnd::FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  RECT rcArea;
  RECT rcCenter;
  HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd : NULL;
  DWORD style = GetStyle();
  if (hWndCenter == NULL) hWndCenter = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
  if (style & WS_CHILD) {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
  } else {
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    HMONITOR mon = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    ::GetMonitorInfo(mon, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
      ::GetWindowRect(hWndCenter, &rcCenter);
    else
      rcCenter = rcArea;
  }
  RECT rcDlg;
  ::GetWindowRect(m_hWnd, &rcDlg);
  int w = rcDlg.right - rcDlg.left, h = rcDlg.bottom - rcDlg.top;
  int x = (rcCenter.left + rcCenter.right) / 2 - w / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - h / 2;
  // Keep the window inside the area.
  if (x + w > rcArea.right) x = rcArea.right - w;
  if (x < rcArea.left) x = rcArea.left;
  if (y + h > rcArea.bottom) y = rcArea.bottom - h;
  if (y < rcArea.top) y = rcArea.top;
  ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
  for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    if (::IsDlgButtonChecked(m_hWnd, nID)) return nID;
  return 0;
}

int CWnd::GetScrollLimit(int nBar) const {
  SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(m_hWnd, nBar, &info)) return 0;
  int limit = info.nMax;
  if (info.nPage > 1) limit -= static_cast<int>(info.nPage) - 1;
  return limit;
}

void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (lpszCaption == NULL) lpszCaption = AfxGetAppName();
  return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD dwExStyle = GetExStyle();
  if (nAdjustType == 0) dwExStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp(dwData, nCmd);
}

void CWnd::DoDataExchange(CDataExchange*) {}

// Sending to children.

namespace {
void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
       hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
        AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
    } else {
      ::SendMessage(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != NULL)
      SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

// The update probe of a child control: enables, checks and labels the control.
class ControlCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    HWND hWnd = m_pOther->GetSafeHwnd();
    if (!bOn && ::GetFocus() == hWnd) {
      // Do not leave the focus on a disabled control.
      HWND hWndParent = ::GetParent(hWnd);
      ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    ::EnableWindow(hWnd, bOn);
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int nCheck) override {
    HWND hWnd = m_pOther->GetSafeHwnd();
    if (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) ::SendMessage(hWnd, BM_SETCHECK, nCheck, 0);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR lpszText) override {
    HWND hWnd = m_pOther->GetSafeHwnd();
    TCHAR current[256];
    // Only a changed text is set, to avoid flicker.
    if (::GetWindowText(hWnd, current, _countof(current)) >= static_cast<int>(_countof(current)) - 1 ||
        lstrcmp(current, lpszText) != 0)
      ::SetWindowText(hWnd, lpszText);
  }
};

// Only push buttons are disabled for lack of a handler; automatic check boxes and radio
// buttons work by themselves, and other controls are not commands.
BOOL DisablesWithoutHandler(HWND hWnd) {
  if (!(::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) return FALSE;
  UINT style = static_cast<UINT>(::GetWindowLong(hWnd, GWL_STYLE) & 0x0F);
  return style != BS_AUTOCHECKBOX && style != BS_AUTO3STATE && style != BS_GROUPBOX && style != BS_AUTORADIOBUTTON;
}
}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  ControlCmdUI state;
  CWnd wndTemp;  // borrows each child for the time of its probe
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild)) & 0xFFFF;
    if (nID == 0 || nID == 0xFFFF) continue;
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    wndTemp.m_hWnd = hWndChild;
    state.m_pOther = pChild != NULL ? pChild : &wndTemp;
    state.m_nID = nID;
    state.m_bEnableChanged = FALSE;
    // Handlers of this window first, then the target's.
    if (CCmdTarget::OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL)) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler && DisablesWithoutHandler(hWndChild));
  }
  wndTemp.m_hWnd = NULL;
}

// Layout of control bars.

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  if (lpLayout != NULL && lpLayout->hDWP == NULL) return;  // only measuring
  RECT rcOld;
  ::GetWindowRect(hWnd, &rcOld);
  ::MapWindowPoints(NULL, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rcOld), 2);
  if (::EqualRect(&rcOld, lpRect)) return;
  int w = lpRect->right - lpRect->left, h = lpRect->bottom - lpRect->top;
  if (lpLayout != NULL)
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, w, h,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  else
    ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, w, h, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.bStretch = bStretch;
  if (lpRectClient != NULL)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  layout.hDWP = (nFlags & reposQuery) ? NULL : ::BeginDeferWindowPos(8);
  HWND hWndLeftOver = NULL;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild)) & 0xFFFF;
    if (nID == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nID >= nIDFirst && nID <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
      ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (nFlags & reposQuery) {
    // The caller wants the rectangle that is left (or, with bStretch FALSE, the bars' size).
    if (lpRectParam != NULL) {
      if (bStretch)
        ::CopyRect(lpRectParam, &layout.rect);
      else
        ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }
  if (nIDLeftOver != 0 && hWndLeftOver != NULL) {
    RECT rc = layout.rect;
    if ((nFlags & reposExtra) && lpRectParam != NULL) {
      rc.left += lpRectParam->left;
      rc.top += lpRectParam->top;
      rc.right -= lpRectParam->right;
      rc.bottom -= lpRectParam->bottom;
    }
    if (CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver)) pLeftOver->CalcWindowRect(&rc);
    AfxRepositionWindow(&layout, hWndLeftOver, &rc);
  }
  if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
}

// The modal loop.

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWnd = m_hWnd;
  HWND hWndParent = ::GetParent(hWnd);
  m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
  MSG* pMsg = &AfxGetThreadState()->m_msgCur;
  CWinThread* pThread = AfxGetThread();
  for (;;) {
    while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
        ::UpdateWindow(hWnd);
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
        ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hWnd));
      if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessage(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        // WM_QUIT ends the modal loop and goes on to end the outer one.
        AfxPostQuitMessage(static_cast<int>(pMsg->wParam));
        return -1;
      }
      if (!::IsWindow(hWnd)) return -1;  // the window went away without ending the loop
      if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
        ::UpdateWindow(hWnd);
        bShowIdle = FALSE;
      }
      if (!ContinueModal()) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return m_nModalResult;
      }
      BOOL idleMessage = pThread != NULL ? pThread->IsIdleMessage(pMsg)
                                         : (pMsg->message != WM_PAINT && pMsg->message != 0x0118);
      if (idleMessage) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
  }
}

// Window classes.

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  LPTSTR name = AfxGetThreadState()->m_szTempClassName;
  const size_t size = _countof(AfxGetThreadState()->m_szTempClassName);
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
    _sntprintf(name, size, _T("Afx:%p:%x"), static_cast<void*>(hInst), nClassStyle);
  else
    _sntprintf(name, size, _T("Afx:%p:%x:%p:%p:%p"), static_cast<void*>(hInst), nClassStyle,
               static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  name[size - 1] = 0;
  WNDCLASS wc = {};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = hInst;
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = name;
  return AfxRegisterClass(&wc) ? name : NULL;
}
