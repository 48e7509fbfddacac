// CMDIFrameWnd: the main frame of the document frames, round its MDI client window.
#include "fw_mdi.h"
#include "fw_menu.h"
#include "fw_internal.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_SIZE()
  ON_MESSAGE(WM_COMMANDHELP, &CMDIFrameWnd::OnCommandHelp)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDM_WINDOW_ARRANGE, AFX_IDM_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
  ON_COMMAND_EX_RANGE(AFX_IDM_WINDOW_ARRANGE, AFX_IDM_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  HMENU hMenu = lpcs->hMenu != NULL ? lpcs->hMenu : ::GetMenu(m_hWnd);
  if (m_hMenuDefault == NULL) m_hMenuDefault = hMenu;  // the menu shown without a document
  HMENU hWindowMenu = hMenu != NULL ? GetWindowMenuPopup(hMenu) : NULL;
  return CreateClient(lpcs, CMenu::FromHandle(hWindowMenu));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs;
  ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                      MDIS_ALLCHILDSTYLES;
  m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), NULL, style, 0, 0, 0, 0, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                     AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != NULL;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (hMenuBar == NULL || !::IsMenu(hMenuBar)) return NULL;
  const int count = ::GetMenuItemCount(hMenuBar);
  for (int i = count; i-- > 0;) {
    HMENU hPopup = ::GetSubMenu(hMenuBar, i);
    if (hPopup == NULL) continue;
    for (int j = ::GetMenuItemCount(hPopup); j-- > 0;) {
      UINT id = ::GetMenuItemID(hPopup, j);
      if (id >= AFX_IDM_WINDOW_NEW && id <= AFX_IDM_WINDOW_SPLIT) return hPopup;
    }
  }
  // No window commands: by position, the popup before the last (Window before Help).
  HMENU hPopup = ::GetSubMenu(hMenuBar, count >= 2 ? count - 2 : 0);
  return hPopup;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (pbMaximized != NULL) *pbMaximized = FALSE;
  if (m_hWndMDIClient == NULL) return NULL;
  HWND hWnd = reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                   reinterpret_cast<LPARAM>(pbMaximized)));
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) return NULL;
  return static_cast<CMDIChildWnd*>(pWnd);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }

void CMDIFrameWnd::MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0); }

void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0); }

void CMDIFrameWnd::MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
  HMENU hOld = reinterpret_cast<HMENU>(::SendMessage(m_hWndMDIClient, WM_MDISETMENU,
                                                     reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
                                                     reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu())));
  ::DrawMenuBar(m_hWnd);
  return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pActive = MDIGetActive();
  return pActive != NULL ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (CMDIChildWnd* pActive = MDIGetActive()) {
    pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
    return;
  }
  HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
  if (hMenu == NULL) return;
  MDISetMenu(CMenu::FromHandle(hMenu), CMenu::FromHandle(GetWindowMenuPopup(hMenu)));
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
  // A maximised document frame's title is added by the default frame procedure ("[...]").
  if (!bAddToTitle || (GetStyle() & FWS_ADDTOTITLE) == 0 || pActive == NULL || bMaximized) {
    CFrameWnd::OnUpdateFrameTitle(FALSE);
    return;
  }
  CString child;
  pActive->GetWindowText(child);
  CString text = m_strTitle.IsEmpty() ? child : (child.IsEmpty() ? m_strTitle : m_strTitle + _T(" - ") + child);
  CString current;
  GetWindowText(current);
  if (current != text) SetWindowText(text);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CMDIChildWnd* pActive = MDIGetActive())
    if (pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) {
    DefWindowProc(WM_COMMAND, wParam, lParam);  // the client activates the listed frame
    return TRUE;
  }
  if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
  // The default frame procedure would hand a menu command to the active document frame,
  // which has already been asked.
  return lParam == 0;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  if (CMDIChildWnd* pActive = MDIGetActive())
    if (pActive->PreTranslateMessage(pMsg)) return TRUE;
  if (m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg)) return TRUE;
  HACCEL hAccel = GetDefaultAccelerator();
  return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int) {
  // Not the default frame procedure: it would give the client the whole client area.
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != NULL); }

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case AFX_IDM_WINDOW_ARRANGE:
      MDIIconArrange();
      return TRUE;
    case AFX_IDM_WINDOW_CASCADE:
      MDICascade();
      return TRUE;
    case AFX_IDM_WINDOW_TILE_HORZ:
      MDITile(MDITILE_HORIZONTAL);
      return TRUE;
    case AFX_IDM_WINDOW_TILE_VERT:
      MDITile(MDITILE_VERTICAL);
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 && m_nIDTracking == 0) {
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != NULL && pActive->m_nIDHelp != 0) lParam = static_cast<LPARAM>(HID_BASE_RESOURCE + pActive->m_nIDHelp);
  }
  return CFrameWnd::OnCommandHelp(wParam, lParam);
}
