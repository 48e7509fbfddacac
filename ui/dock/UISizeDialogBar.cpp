// CUISizeDialogBar, its floating frame CSizableMiniDockFrameWnd, and the dock context
// CDragDockContext.
#include "UISizeDialogBar.h"

#include <fw_app.h>

#include "UICustToolBar.h"
#include "UISizeDockFrame.h"

// ---------------------------------------------------------------------------------------------
// CUISizeDialogBar

IMPLEMENT_DYNAMIC(CUISizeDialogBar, CDialogBar)

CUISizeDialogBar::CUISizeDialogBar() = default;
CUISizeDialogBar::~CUISizeDialogBar() = default;

BOOL CUISizeDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID) {
  if (!CDialogBar::Create(pParentWnd, lpszTemplateName, nStyle, nID)) return FALSE;
  m_sizeFloat = m_sizeHorz = m_sizeVert = m_sizeDefault;
  return TRUE;
}

BOOL CUISizeDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
  return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

CSize CUISizeDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CDialogBar::CalcFixedLayout(bStretch, bHorz);
  if (IsFloating()) return m_sizeFloat;
  return bHorz ? m_sizeHorz : m_sizeVert;
}

void CUISizeDialogBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockContext == NULL) m_pDockContext = new CDragDockContext(this);
  if (m_hWnd != NULL && m_hWndOwner == NULL) SetOwner(GetParent());
}

// ---------------------------------------------------------------------------------------------
// CSizableMiniDockFrameWnd

IMPLEMENT_DYNCREATE(CSizableMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CSizableMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_NCHITTEST()
  ON_WM_SHOWWINDOW()
  ON_WM_SYSCOMMAND()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CSizableMiniDockFrameWnd::CSizableMiniDockFrameWnd() = default;

BOOL CSizableMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CMiniDockFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style &= ~static_cast<LONG>(MFS_4THICKFRAME | MFS_MOVEFRAME);
  cs.style |= MFS_THICKFRAME | WS_THICKFRAME;
  return TRUE;
}

int CSizableMiniDockFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  const int result = CMiniDockFrameWnd::OnCreate(lpcs);
  m_nSetup = notSetUp;
  return result;
}

void CSizableMiniDockFrameWnd::SetUp() {
  if (m_nSetup != notSetUp) return;
  m_nSetup = ordinary;
  CControlBar* bar = FirstBar();
  if (!(m_wndDockBar.GetBarStyle() & CBRS_FLOAT_MULTI) && DYNAMIC_DOWNCAST(CUISizeDialogBar, bar) != NULL) {
    m_nSetup = sizableBar;
    GetSystemMenu(TRUE);  // the system's own menu again
    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
      ::DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
      CString close;
      if (close.LoadString(0xF011)) ::ModifyMenu(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, close);
    }
  } else if (bar != NULL && (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC)) {
    ModifyStyle(0, MFS_4THICKFRAME);
  } else {
    ModifyStyle(WS_THICKFRAME, MFS_MOVEFRAME, SWP_FRAMECHANGED);
  }
}

CUISizeDialogBar* CSizableMiniDockFrameWnd::SoleSizableBar() const {
  if (m_wndDockBar.GetDockedVisibleCount() != 1) return NULL;
  CUISizeDialogBar* bar = DYNAMIC_DOWNCAST(CUISizeDialogBar, FirstBar());
  return bar != NULL && bar->IsVisible() ? bar : NULL;
}

void CSizableMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CMiniDockFrameWnd::OnSize(nType, cx, cy);
  if (m_bInLayout || cx == 0 || cy == 0) return;
  CUISizeDialogBar* bar = SoleSizableBar();
  if (bar == NULL) return;
  // The floating layout gives the bar its floating size as the whole client: the client is
  // that size (adding the bar's borders here would grow the frame at each sizing).
  bar->SetFloatSize(CSize(cx, cy));
  RecalcLayout(TRUE);
}

LRESULT CSizableMiniDockFrameWnd::OnNcHitTest(CPoint point) {
  SetUp();
  return CMiniDockFrameWnd::OnNcHitTest(point);
}

int CSizableMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  SetUp();
  if (m_nSetup == sizableBar && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    return static_cast<int>(Default());
  return CMiniDockFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CSizableMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  SetUp();
  if (m_nSetup == sizableBar && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
    if (CWnd* top = GetParent() != NULL ? GetParent()->GetTopLevelParent() : NULL) ::SetActiveWindow(top->m_hWnd);
    Default();  // the system's sizing
    return;
  }
  if (m_nSetup == sizableBar && nHitTest == HTSYSMENU) {
    CRect window;
    GetWindowRect(&window);
    const int captionBottom = window.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION);
    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
      const UINT cmd = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, window.left,
                                                            captionBottom, 0, m_hWnd, NULL));
      if (cmd != 0) SendMessage(WM_SYSCOMMAND, cmd, 0);
    }
    return;
  }
  CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CSizableMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

void CSizableMiniDockFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CMiniDockFrameWnd::OnShowWindow(bShow, nStatus);
}

void CSizableMiniDockFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == SC_CLOSE) {
    CControlBar* bar = FirstBar();
    if (CCustToolBar* tool = DYNAMIC_DOWNCAST(CCustToolBar, bar))
      if (!tool->CanClose()) return;
    if (CUISizeDialogBar* sizable = DYNAMIC_DOWNCAST(CUISizeDialogBar, bar))
      if (!sizable->CanClose()) return;
  }
  CMiniDockFrameWnd::OnSysCommand(nID, lParam);
}

// ---------------------------------------------------------------------------------------------
// CDragDockContext

CWnd* CDragDockContext::PromptWindow() const {
  CWnd* main = AfxGetMainWnd();
  if (main == NULL && m_pDockSite != NULL) main = m_pDockSite->GetTopLevelParent();
  return main;
}

void CDragDockContext::StartDrag(CPoint pt) {
  m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  if (m_pDockSite == NULL) return;
  m_bDragging = TRUE;
  if ((m_dwDockStyle & 0xFFFF) >= 0x1000)
    if (CWnd* main = PromptWindow()) main->SendMessage(WM_SETMESSAGESTRING, kDragPrompt);
  InitLoop();
  m_dwStyle = m_pBar->GetBarStyle();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  CSize horz, vert, floating;
  CUISizeDialogBar* sizable = DYNAMIC_DOWNCAST(CUISizeDialogBar, m_pBar);
  const BOOL dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
  if (dynamic && sizable != NULL) {
    horz = sizable->GetHorzSize();
    vert = sizable->GetVertSize();
    floating = sizable->GetFloatSize();
    if (CWnd* left = m_pDockSite->GetDlgItem(AFX_IDW_DOCKBAR_LEFT)) {
      CRect client;
      left->GetClientRect(&client);
      vert.cy = client.Height();
    }
  } else {
    DragSizes(horz, vert, floating);
  }
  m_rectDragHorz = CRect(rect.TopLeft(), horz);
  m_rectDragVert = CRect(rect.TopLeft(), vert);
  if (dynamic) {
    m_rectFrameDragHorz = m_rectFrameDragVert = CRect(rect.TopLeft(), floating);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME | WS_CAPTION);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, WS_THICKFRAME | WS_CAPTION);
    const int bx = fw::DoubleBorderX(), by = fw::DoubleBorderY();
    m_rectFrameDragHorz.DeflateRect(bx, by);
    m_rectFrameDragVert.DeflateRect(bx, by);
  } else {
    m_rectFrameDragHorz = CRect(rect.TopLeft(), horz);
    m_rectFrameDragVert = CRect(rect.TopLeft(), vert);
    AdjustWindowForFloat(m_rectFrameDragHorz);
    AdjustWindowForFloat(m_rectFrameDragVert);
  }
  TrackFrom(pt);
}

void CDragDockContext::EndLoop() {
  if (CWnd* main = PromptWindow()) main->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  CDockContext::EndLoop();
}

void CDragDockContext::EndDrag() {
  EndLoop();
  if (m_pDockSite == NULL) return;
  if (m_dwOverDockStyle != 0) {
    CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
    if (dockBar == NULL) return;
    CRect rect = (dockBar->GetBarStyle() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? m_rectDragVert : m_rectDragHorz;
    const UINT id = static_cast<UINT>(dockBar->GetDlgCtrlID());
    if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) {
      m_uMRUDockID = id;
      m_rectMRUDockPos = rect;
      dockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    if (CUIMDIFrameWndSizeDock* sizeFrame = DYNAMIC_DOWNCAST(CUIMDIFrameWndSizeDock, m_pDockSite))
      sizeFrame->DockControlBarEx(m_pBar, dockBar, &rect);
    else
      m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
    m_pDockSite->RecalcLayout(TRUE);
    return;
  }
  const BOOL dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
  const BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const BOOL vertical = !dynamic && !(horz && !m_bFlip) && !(!horz && m_bFlip);
  const CRect rect = vertical ? m_rectFrameDragVert : m_rectFrameDragHorz;
  m_dwMRUFloatStyle = vertical ? (CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI)) : CBRS_ALIGN_TOP;
  m_ptMRUFloatPos = rect.TopLeft();
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  m_pDockSite->RecalcLayout(TRUE);
}
