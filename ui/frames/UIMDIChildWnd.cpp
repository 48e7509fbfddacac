// CUIMDIChildWnd: the document frame; CUIOleDocIPFrameWnd: the in-place frame.
#include "UIMDIFrame.h"

#include "UICommandCenter.h"
#include "UICommandRouting.h"

IMPLEMENT_DYNCREATE(CUIMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CUIMDIChildWnd, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
  ON_WM_WINDOWPOSCHANGED()
  ON_MESSAGE(WM_COMMANDHELP, &CUIMDIChildWnd::OnCommandHelp)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CUIMDIChildWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CUIMDIChildWnd::OnToolTipText)
END_MESSAGE_MAP()

CUIMDIChildWnd::CUIMDIChildWnd() = default;

CUIMDIChildWnd::~CUIMDIChildWnd() = default;

void CUIMDIChildWnd::OnInitialUpdateFrame(CDocument*, BOOL) {}

BOOL CUIMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  static LPCTSTR className = AfxRegisterWndClass(0);
  if (cs.lpszClass == NULL) cs.lpszClass = className;
  return CMDIChildWnd::PreCreateWindow(cs);
}

CUIMDIFrameWnd* CUIMDIChildWnd::GetUIFrame() const {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CUIMDIFrameWnd)) ? static_cast<CUIMDIFrameWnd*>(pFrame)
                                                                            : NULL;
}

BOOL CUIMDIChildWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) {
    GlobalOnCommand(this, static_cast<UINT>(wParam), lParam);
    return TRUE;
  }
  return CFrameWnd::OnCommand(wParam, lParam);
}

void CUIMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CUIMDIFrameWnd* pFrame = GetUIFrame();
  if (pFrame == NULL) {
    CMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    return;
  }
  if (hMenuAlt == NULL) hMenuAlt = m_hMenuShared;
  if (hMenuAlt != NULL && bActive)
    pFrame->MDISetMenu(pFrame->m_hWndMDIClient, hMenuAlt, pFrame->GetWindowMenuPopup(hMenuAlt));
  else if (hMenuAlt != NULL && !bActive && pActivateWnd == NULL)
    pFrame->MDISetMenu(pFrame->m_hWndMDIClient, pFrame->m_hMenuDefault, pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
  else
    pFrame->MDIRefreshMenu(pFrame->m_hWndMDIClient);
}

BOOL CUIMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  CUIMDIFrameWnd* pFrame = GetUIFrame();
  if (pFrame == NULL) return CMDIChildWnd::PreTranslateMessage(pMsg);
  return pFrame->m_hAccelTable != NULL && ::TranslateAccelerator(pFrame->m_hWnd, pFrame->m_hAccelTable, pMsg);
}

void CUIMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  if (CUIMDIFrameWnd* pFrame = GetUIFrame()) pFrame->RefreshSysMenu();
}

void CUIMDIChildWnd::OnWindowPosChanged(WINDOWPOS*) {
  Default();
  if (CUIMDIFrameWnd* pFrame = GetUIFrame()) pFrame->RefreshSysMenu();
  if ((GetStyle() & WS_SYSMENU) == 0) ModifyStyle(0, WS_SYSMENU);
}

LRESULT CUIMDIChildWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
  if (lParam != 0) {
    WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
    return TRUE;
  }
  CFrameWnd* pFrame = GetMDIFrame();
  const UINT tracked = pFrame != NULL && pFrame->m_nIDTracking != 0 ? pFrame->m_nIDTracking : m_nIDTracking;
  if (tracked == 0) return 0;
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(tracked));
  const DWORD helpId = command != NULL ? command->m_dwHelpID : tracked;
  if (helpId == 0) return 0;
  WinHelp(helpId, HELP_CONTEXT);
  return TRUE;
}

BOOL CUIMDIChildWnd::OnToolTipText(UINT, NMHDR*, LRESULT*) { return FALSE; }

IMPLEMENT_DYNCREATE(CUIMDIChildWndSizeDock, CUIMDIChildWnd)

CUIMDIChildWndSizeDock::CUIMDIChildWndSizeDock() = default;

CUIMDIChildWndSizeDock::~CUIMDIChildWndSizeDock() = default;

void CUIMDIChildWndSizeDock::EnableDocking(DWORD dwDockStyle) { uidock::EnableDocking(*this, dwDockStyle); }

BOOL CUIMDIChildWndSizeDock::DockControlBarEx(CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect) {
  return uidock::DockControlBarEx(*this, pBar, pDockBar, lpRect);
}

void CUIMDIChildWndSizeDock::GetDockState(CDockState& state) { uidock::GetDockState(*this, state); }

void CUIMDIChildWndSizeDock::SaveBarState(LPCTSTR lpszSection) {
  uidock::SaveBarState(*this, lpszSection, [](CFrameWnd& frame, LPCTSTR section) {
    static_cast<CUIMDIChildWndSizeDock&>(frame).SaveBarSizes(section, TRUE);
  });
}

void CUIMDIChildWndSizeDock::LoadBarState(LPCTSTR lpszSection) {
  uidock::LoadBarState(*this, lpszSection, [](CFrameWnd& frame, LPCTSTR section) {
    static_cast<CUIMDIChildWndSizeDock&>(frame).SaveBarSizes(section, FALSE);
  });
}

void CUIMDIChildWndSizeDock::SaveBarSizes(LPCTSTR lpszSection, BOOL bSave) {
  uidock::SaveBarSizes(*this, lpszSection, bSave);
}

IMPLEMENT_DYNCREATE(CUIOleDocIPFrameWnd, COleDocIPFrameWnd)

CUIOleDocIPFrameWnd::CUIOleDocIPFrameWnd() = default;

CUIOleDocIPFrameWnd::~CUIOleDocIPFrameWnd() = default;
