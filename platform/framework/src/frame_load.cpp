// CFrameWnd from resources and its life round menus: LoadFrame, the title kept in step with
// the active document, the frame's menu and accelerators, update probes for popup menus, the
// tracked menu item and its help context, and the modal state over a frame.
#include "fw_view.h"
#include "fw_menu.h"
#include "fw_internal.h"

CString fw::FrameTitleFromString(UINT nIDResource) {
  CString full;
  if (!full.LoadString(nIDResource)) return CString();
  int feed = full.Find(_T('\n'));
  return feed < 0 ? full : full.Left(feed);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  LPCTSTR name = MAKEINTRESOURCE(nIDResource);
  m_strTitle = fw::FrameTitleFromString(nIDResource);
  // The menu is there while the window is made (an MDI client lists its frames in it).
  HINSTANCE hInst = AfxFindResourceHandle(name, RT_MENU);
  const BOOL hasMenu = hInst != NULL && ::FindResource(hInst, name, RT_MENU) != NULL;
  if (!Create(NULL, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, hasMenu ? name : NULL, 0, pContext))
    return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(name);
  if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) {
    ShowWindow(nCmdShow);
    BringWindowToTop();
  }
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CString text = m_strTitle;
  if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && GetActiveDocument() != NULL) {
    CString doc = GetDocumentTitlePart();
    if (m_strTitle.IsEmpty())
      text = doc;
    else if (GetStyle() & FWS_PREFIXTITLE)
      text = doc + _T(" - ") + m_strTitle;
    else
      text = m_strTitle + _T(" - ") + doc;
  }
  CString current;
  GetWindowText(current);
  if (current != text) SetWindowText(text);  // no repaint of the caption when nothing changed
}

CString CFrameWnd::GetDocumentTitlePart() {
  CDocument* pDoc = GetActiveDocument();
  if (pDoc == NULL) return CString();
  CString doc = pDoc->GetTitle();
  if (m_nWindow > 0) {
    TCHAR number[16];
    wsprintf(number, _T(":%d"), m_nWindow);
    doc += number;
  }
  return doc;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable != NULL) return TRUE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
  if (hInst == NULL || ::FindResource(hInst, lpszResourceName, RT_ACCELERATOR) == NULL) return FALSE;
  m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
  return m_hAccelTable != NULL;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU hMenu = hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault;
  if (hMenu != NULL && ::GetMenu(m_hWnd) != hMenu) ::SetMenu(m_hWnd, hMenu);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  HACCEL hAccel = GetDefaultAccelerator();
  return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  Default();
  if (bSysMenu || pPopupMenu == NULL) return;
  HMENU hMenu = pPopupMenu->GetSafeHmenu();
  CCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(hMenu));
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = ::GetMenuItemID(hMenu, static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // a separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      // A popup: probed through its first item, the popup's item as a whole.
      HMENU hSub = ::GetSubMenu(hMenu, static_cast<int>(state.m_nIndex));
      if (hSub == NULL) continue;
      state.m_nID = ::GetMenuItemID(hSub, 0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.m_pSubMenu = CMenu::FromHandle(hSub);
      state.DoUpdate(this, FALSE);
      state.m_pSubMenu = NULL;
    } else if (state.m_nID < 0xF000) {  // MDI window list ids and system ids are not probed
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xFF00);
    }
    // A handler may have removed or added items: walk what is there now.
    state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(hMenu));
  }
  (void)nIndex;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && hSysMenu == NULL)
    m_nIDTracking = 0;  // the menu closed
  else if (nFlags & (MF_POPUP | MF_SEPARATOR))
    m_nIDTracking = 0;
  else
    m_nIDTracking = nItemID;
  Default();
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
  if (lParam == 0) {
    if (m_nIDTracking != 0)
      lParam = static_cast<LPARAM>(HID_BASE_COMMAND + m_nIDTracking);
    else if (m_nIDHelp != 0)
      lParam = static_cast<LPARAM>(HID_BASE_RESOURCE + m_nIDHelp);
  }
  if (lParam == 0) return FALSE;
  WinHelp(static_cast<DWORD_PTR>(lParam), HELP_CONTEXT);
  return TRUE;
}

void CFrameWnd::BeginModalState() {
  if (m_cModalStack++ > 0) return;
  // The frame and the top-level windows of this thread that it owns.
  struct Collect {
    HWND frame;
    CPtrArray* list;
    static BOOL CALLBACK Proc(HWND hWnd, LPARAM lParam) {
      Collect* self = reinterpret_cast<Collect*>(lParam);
      if (hWnd != self->frame && ::GetWindow(hWnd, GW_OWNER) != self->frame) return TRUE;
      if (::IsWindowEnabled(hWnd)) self->list->Add(hWnd);
      return TRUE;
    }
  } collect = {m_hWnd, &m_modalDisabled};
  ::EnumThreadWindows(::GetCurrentThreadId(), &Collect::Proc, reinterpret_cast<LPARAM>(&collect));
  for (INT_PTR i = 0; i < m_modalDisabled.GetSize(); ++i)
    ::EnableWindow(static_cast<HWND>(m_modalDisabled[i]), FALSE);
}

void CFrameWnd::EndModalState() {
  if (m_cModalStack == 0 || --m_cModalStack > 0) return;
  for (INT_PTR i = m_modalDisabled.GetSize(); i-- > 0;) {
    HWND hWnd = static_cast<HWND>(m_modalDisabled[i]);
    if (::IsWindow(hWnd)) ::EnableWindow(hWnd, TRUE);
  }
  m_modalDisabled.RemoveAll();
}
