// CMDIChildWnd: a document frame inside the main frame's MDI client.
#include "fw_mdi.h"
#include "fw_app.h"
#include "fw_menu.h"
#include "fw_internal.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_MDIACTIVATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd() {
  if (m_bOwnsSharedMenu && m_hMenuShared != NULL) ::DestroyMenu(m_hMenuShared);
  m_hMenuShared = NULL;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CHILD;
  return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (pParentWnd == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
  }
  if (m_hWnd != NULL || pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL) {
    if (m_hWnd == NULL) PostNcDestroy();  // as any failed creation of a frame
    return FALSE;
  }
  CREATESTRUCT cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  if (::EqualRect(&rect, &rectDefault)) {
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
  } else {
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
  }
  cs.hwndParent = pParentWnd->m_hWndMDIClient;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  MDICREATESTRUCT mcs;
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = cs.lpszName;
  mcs.hOwner = cs.hInstance;
  mcs.x = cs.x;
  mcs.y = cs.y;
  mcs.cx = cs.cx;
  mcs.cy = cs.cy;
  // Shown (and maximised) once it is complete, below.
  mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
  mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(::SendMessage(cs.hwndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  if (hWnd == NULL) return FALSE;
  if (cs.style & WS_MAXIMIZE) pParentWnd->MDIMaximize(this);
  if (cs.style & WS_VISIBLE) {
    ::ShowWindow(hWnd, SW_SHOW);
    MDIActivate();
  }
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  LPCTSTR name = MAKEINTRESOURCE(nIDResource);
  m_strTitle = fw::FrameTitleFromString(nIDResource);
  CMDIFrameWnd* pFrame = NULL;
  if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
  // Created hidden: the caller (or the document's first update) shows it with ActivateFrame.
  if (!Create(NULL, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, pFrame, pContext)) return FALSE;
  if (m_hMenuShared == NULL) {
    HINSTANCE hInst = AfxFindResourceHandle(name, RT_MENU);
    if (hInst != NULL && ::FindResource(hInst, name, RT_MENU) != NULL) {
      m_hMenuShared = ::LoadMenu(hInst, name);
      m_bOwnsSharedMenu = m_hMenuShared != NULL;
    }
  }
  LoadAccelTable(name);
  if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
  const MDICREATESTRUCT* mcs = static_cast<const MDICREATESTRUCT*>(lpcs->lpCreateParams);
  CREATESTRUCT cs = *lpcs;
  cs.lpCreateParams = mcs != NULL ? reinterpret_cast<LPVOID>(mcs->lParam) : NULL;
  return CFrameWnd::OnCreate(&cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND hClient = ::GetParent(m_hWnd);
  CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hClient));
  if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return NULL;
  return static_cast<CMDIFrameWnd*>(pFrame);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == NULL) return FALSE;
  HWND hClient = ::GetParent(m_hWnd);
  // Through the client, which activates the next frame and takes this one off its list.
  ::SendMessage(hClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
  return TRUE;
}

void CMDIChildWnd::MDIActivate() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore() {
  ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pActive = pFrame != NULL ? pFrame->MDIGetActive(&bMaximized) : NULL;
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (bMaximized && pActive != this && nCmdShow != -1) nCmdShow = SW_SHOWMAXIMIZED;
  if (nCmdShow != -1) ShowWindow(nCmdShow);
  MDIActivate();
  // Already the active one (created hidden): the activation above told nobody.
  if (pFrame != NULL && pFrame->MDIGetActive() == this) {
    OnUpdateFrameMenu(TRUE, this, NULL);
    pFrame->DrawMenuBar();
  }
  OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == NULL) return;
  if (hMenuAlt == NULL) hMenuAlt = m_hMenuShared;
  if (hMenuAlt != NULL && bActive) {
    pFrame->MDISetMenu(CMenu::FromHandle(hMenuAlt), CMenu::FromHandle(pFrame->GetWindowMenuPopup(hMenuAlt)));
  } else if (hMenuAlt != NULL && !bActive && pActivateWnd == NULL && pFrame->m_hMenuDefault != NULL) {
    // The last document frame goes: the main frame's own menu comes back.
    pFrame->MDISetMenu(CMenu::FromHandle(pFrame->m_hMenuDefault),
                       CMenu::FromHandle(pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault)));
  } else {
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
  }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  m_bPseudoInactive = FALSE;
  Default();
  OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
  if (CView* pView = GetActiveView()) pView->OnActivateFrame(bActivate ? WA_ACTIVE : WA_INACTIVE, this);
  if (bActivate)
    if (CMDIFrameWnd* pFrame = GetMDIFrame()) pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  CFrameWnd::OnSize(nType, cx, cy);
  // Maximised or back: the main frame's title has the document part, or the system's.
  if (CMDIFrameWnd* pFrame = GetMDIFrame())
    if (pFrame->MDIGetActive() == this) pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnDestroy() {
  // The main frame must not keep showing a menu that goes with this frame.
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL && m_hMenuShared != NULL && ::GetMenu(pFrame->m_hWnd) == m_hMenuShared) {
    HMENU hDefault = pFrame->m_hMenuDefault;
    pFrame->MDISetMenu(CMenu::FromHandle(hDefault), CMenu::FromHandle(pFrame->GetWindowMenuPopup(hDefault)));
    if (::GetMenu(pFrame->m_hWnd) == m_hMenuShared) ::SetMenu(pFrame->m_hWnd, hDefault);
  }
  CFrameWnd::OnDestroy();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CString text = m_strTitle;
  if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && GetActiveDocument() != NULL) text = GetDocumentTitlePart();
  CString current;
  GetWindowText(current);
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (current != text) {
    SetWindowText(text);
    // The client's window list shows the titles it had when it was last refreshed.
    if (pFrame != NULL) ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
  if (pFrame != NULL) pFrame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  CMDIFrameWnd* pFrame = GetMDIFrame();
  HACCEL hAccel = GetDefaultAccelerator();
  return pFrame != NULL && hAccel != NULL && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}
