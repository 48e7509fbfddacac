// CFrameWnd: the top-level window that makes its client view from a creation context, keeps
// it in the room its bars leave and knows which of its views is active.
#include "fw_view.h"
#include "fw_app.h"
#include "fw_bars.h"
#include "fw_internal.h"

// The window class of frames and views made without a class name.
LPCTSTR fw::FrameOrViewClass() {
  return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
}

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_COMMANDHELP, &CFrameWnd::OnCommandHelp)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_MESSAGE(WM_NCACTIVATE, &CFrameWnd::OnNcActivateSync)
  ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, &CFrameWnd::OnUpdateControlBarMenu)
  ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, &CFrameWnd::OnBarCheck)
  ON_COMMAND(ID_CONTEXT_HELP, &CFrameWnd::OnContextHelp)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() : m_pViewActive(NULL) {}

CFrameWnd::~CFrameWnd() {
  if (m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_hAccelTable);
  m_hAccelTable = NULL;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = NULL;
  if (lpszMenuName != NULL) {
    hMenu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    if (hMenu == NULL) {
      PostNcDestroy();  // as a failed creation of the window does
      return FALSE;
    }
  }
  int x = rect.left, y = rect.top, cx, cy;
  if (::EqualRect(&rect, &rectDefault)) {
    x = y = cx = cy = CW_USEDEFAULT;
  } else {
    cx = rect.right - rect.left;
    cy = rect.bottom - rect.top;
  }
  // The window owns the menu once created; a failed creation leaves it to us.
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu,
                static_cast<LPVOID>(pContext))) {
    if (hMenu != NULL) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    cs.lpszClass = fw::FrameOrViewClass();
    if (cs.lpszClass == NULL) return FALSE;
  }
  return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (!OnCreateClient(lpcs, pContext)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != NULL && pContext->m_pNewViewClass != NULL)
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (pContext == NULL || pContext->m_pNewViewClass == NULL) return NULL;
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  if (pObject == NULL) return NULL;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete pObject;
    return NULL;
  }
  CWnd* pView = static_cast<CWnd*>(pObject);
  // A view that fails to be made deletes itself (PostNcDestroy).
  if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext)) return NULL;
  return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible) {
  CView* pView = NULL;
  if (GetActiveView() == NULL) {
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);  // told below, once the frame is shown
    }
  }
  HWND hWnd = m_hWnd;
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  if (!::IsWindow(hWnd)) return;  // a view closed the frame (and this object is gone)
  if (bMakeVisible) {
    if (pView != NULL) pView->OnActivateFrame(WA_INACTIVE, this);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    if (pView != NULL && GetActiveView() == pView) pView->OnActivateView(TRUE, pView, pView);
  }
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = NULL;  // no active view while the old one is told
  if (pViewOld != NULL && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (pViewNew != NULL && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout) return;  // a bar that moves may size the frame again
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CView* pView = GetActiveView())
    if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnDestroy() {
  m_pViewActive = NULL;  // the views go with the frame
  while (m_cModalStack > 0) EndModalState();
  // The window destroys the menu it shows: let that be the frame's own, not a document's.
  if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  ForgetControlBars();
  CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  // Where the caption message did not name the window becoming active, this one does.
  if (nState == WA_INACTIVE && pWndOther != NULL && !m_bCaptionActive && KeepsCaptionActiveFor(pWndOther->m_hWnd))
    SendMessage(WM_NCACTIVATE, TRUE, 0);
  if (m_pViewActive != NULL) m_pViewActive->OnActivateFrame(nState, this);
}
