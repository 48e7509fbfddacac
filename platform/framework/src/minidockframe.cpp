// The frame's docking operations, and the floating frames of bars.
#include "fw_dock.h"
#include "fw_internal.h"

#include <algorithm>

// CFrameWnd docking.

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (pBar == NULL || pBar->m_pFrameListed == this) return;
  if (pBar->m_pFrameListed != NULL) pBar->m_pFrameListed->RemoveControlBar(pBar);
  m_listControlBars.AddTail(pBar);
  pBar->m_pFrameListed = this;
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  if (POSITION pos = m_listControlBars.Find(pBar)) m_listControlBars.RemoveAt(pos);
  if (pBar != NULL && pBar->m_pFrameListed == this) pBar->m_pFrameListed = NULL;
}

void CFrameWnd::ForgetControlBars() {
  // The bars may outlive this frame's object: none keeps a pointer to it.
  while (!m_listControlBars.IsEmpty()) {
    CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.RemoveHead());
    bar->m_pFrameListed = NULL;
    if (bar->m_pDockSite == this) bar->m_pDockSite = NULL;
  }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) {
  m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleLayout) {
    const BOOL notify = (m_nIdleFlags & idleNotify) != 0;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RecalcLayout(notify);
  }
  return 0;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) { EnableDocking(dwDockStyle, RUNTIME_CLASS(CDockBar)); }

void CFrameWnd::EnableDocking(DWORD dwDockStyle, CRuntimeClass* pDockBarClass) {
  m_dwDockStyle = dwDockStyle;
  const fw::DockBarPlace* places = fw::DockBarPlaces();
  for (int i = 0; i < 4; ++i) {
    if ((places[i].style & dwDockStyle & CBRS_ALIGN_ANY) == 0 || GetControlBar(places[i].id) != NULL) continue;
    CObject* object = pDockBarClass != NULL ? pDockBarClass->CreateObject() : NULL;
    CDockBar* dockBar = DYNAMIC_DOWNCAST(CDockBar, object);
    if (dockBar == NULL) {
      delete object;
      AfxThrowResourceException();
    }
    dockBar->m_bAutoDelete = TRUE;
    if (!dockBar->Create(this, places[i].style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                         places[i].id)) {
      delete dockBar;
      AfxThrowResourceException();
    }
    dockBar->m_pDockSite = this;
  }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* dockBar = NULL;
  if (nDockBarID != 0) {
    dockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(nDockBarID));
  } else if (pBar != NULL) {
    // The first side the bar may dock at.
    const fw::DockBarPlace* places = fw::DockBarPlaces();
    for (int i = 0; i < 4 && dockBar == NULL; ++i)
      if (places[i].style & pBar->m_dwDockStyle & CBRS_ALIGN_ANY)
        dockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(places[i].id));
  }
  DockControlBar(pBar, dockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == NULL || pDockBar == NULL || pDockBar->m_hWnd == NULL) return;  // nowhere to dock
  pDockBar->m_pDockSite = this;
  pDockBar->DockControlBar(pBar, lpRect);
  pBar->m_pDockSite = this;
  AddControlBar(pBar);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* cls = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* object = cls->CreateObject();
  if (object == NULL) return NULL;
  CMiniDockFrameWnd* frame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, object);
  if (frame == NULL) {
    delete object;
    return NULL;
  }
  if (!frame->Create(this, dwStyle)) return NULL;  // a failed creation deletes the frame
  return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar == NULL || pBar->m_hWnd == NULL) return;
  CMiniDockFrameWnd* frame = NULL;
  CDockBar* old = pBar->m_pDockBar;
  if (old != NULL && old->m_bFloating && old->GetDockedCount() == 1) {
    // Floats already, alone: its frame moves, and turns when the style says so.
    frame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, old->GetParent());
    if (frame != NULL && (dwStyle & CBRS_ALIGN_ANY) != 0) {
      old->m_dwStyle = (old->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY);
      pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY);
    }
  }
  if (frame == NULL) {
    frame = CreateFloatingFrame(dwStyle);
    if (frame == NULL) return;
    frame->m_wndDockBar.DockControlBar(pBar);
    AddControlBar(pBar);
  }
  pBar->m_pDockSite = this;
  if (pBar->m_pDockContext != NULL) {
    pBar->m_pDockContext->m_ptMRUFloatPos = point;
    pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle;
  }
  frame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  frame->RecalcLayout();
  if (pBar->IsVisible()) frame->ShowWindow(SW_SHOWNA);
  DelayRecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  const fw::DockBarPlace* places = fw::DockBarPlaces();
  for (int i = 0; i < 4; ++i) {
    if ((places[i].style & dwDockStyle & CBRS_ALIGN_ANY) == 0) continue;
    CDockBar* dockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(places[i].id));
    if (dockBar == NULL || !dockBar->IsWindowVisible()) continue;
    CRect bar;
    dockBar->GetWindowRect(&bar);
    // An empty side still catches an outline that reaches the frame's edge.
    if (bar.Width() == 0) bar.right++;
    if (bar.Height() == 0) bar.bottom++;
    if (CRect().IntersectRect(&bar, &rect)) {
      if (ppDockBar != NULL) *ppDockBar = dockBar;
      return places[i].style & CBRS_ALIGN_ANY;
    }
  }
  return 0;
}

// CMiniFrameWnd.

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_NCACTIVATE, &CMiniFrameWnd::OnNcActivateSync)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT) {
  // The mini-frame styles become window styles: a sizing border or none.
  DWORD style = dwStyle & ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
  if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME)) style |= WS_THICKFRAME;
  if (lpClassName == NULL) lpClassName = fw::FrameOrViewClass();
  m_bSyncActive = (dwStyle & MFS_SYNCACTIVE) != 0;
  return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle) {
  ::AdjustWindowRectEx(lpClientRect, dwStyle & ~(WS_CHILD), FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

// CMiniDockFrameWnd.

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_SIZE()
  ON_MESSAGE(WM_FW_FLOATEMPTY, &CMiniDockFrameWnd::OnFloatEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  CFrameWnd* site = DYNAMIC_DOWNCAST(CFrameWnd, pParent);
  if (site == NULL) {
    delete this;
    return FALSE;
  }
  // The caption keeps in step with the frame's activation.
  if (!CreateEx(0, NULL, _T(""), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | MFS_SYNCACTIVE,
                CRect(0, 0, 10, 10), pParent))
    return FALSE;  // the window's end deleted the object
  if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI)),
                           AFX_IDW_DOCKBAR_FLOAT)) {
    DestroyWindow();
    return FALSE;
  }
  // The floating dock bar belongs to the dock site's bars, not to this frame's.
  CFrameWnd::RemoveControlBar(&m_wndDockBar);
  m_wndDockBar.m_pDockSite = site;
  site->AddControlBar(&m_wndDockBar);
  return TRUE;
}

CControlBar* CMiniDockFrameWnd::FirstBar() const {
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    if (m_wndDockBar.m_arrBars[i] != NULL) return static_cast<CControlBar*>(m_wndDockBar.m_arrBars[i]);
  return NULL;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
  if (m_bInLayout || m_wndDockBar.m_hWnd == NULL) return;
  m_bInLayout = TRUE;
  const BOOL horz = (m_wndDockBar.m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size = m_wndDockBar.CalcFixedLayout(FALSE, horz);
  size.cx = std::max<LONG>(size.cx, 1);
  size.cy = std::max<LONG>(size.cy, 1);
  CRect rect(CPoint(0, 0), size);
  ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_wndDockBar.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // The caption is the first bar's title.
  if (CControlBar* first = FirstBar()) {
    CString title, caption;
    first->GetWindowText(title);
    GetWindowText(caption);
    if (title != caption) SetWindowText(title);
  }
  // The frame shows while it holds a visible bar.
  if (m_wndDockBar.GetDockedVisibleCount() == 0 && IsWindowVisible()) ShowWindow(SW_HIDE);
  m_bInLayout = FALSE;
}

void CMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_bInLayout && m_wndDockBar.m_hWnd != NULL)
    m_wndDockBar.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnClose() {
  // Closing hides the bars; the frame shows again with them.
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars[i]))
      bar->ShowWindow(SW_HIDE);
  ShowWindow(SW_HIDE);
}

LRESULT CMiniDockFrameWnd::OnFloatEmpty(WPARAM, LPARAM) {
  if (m_wndDockBar.GetDockedCount() == 0) DestroyWindow();
  return 0;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CControlBar* bar = FirstBar();
  if (nHitTest == HTCAPTION && bar != NULL && bar->m_pDockContext != NULL) {
    bar->m_pDockContext->StartDrag(point);  // this frame may be gone afterwards
    return;
  }
  CWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* bar = FirstBar();
  if (nHitTest == HTCAPTION && bar != NULL && bar->m_pDockContext != NULL) {
    bar->m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnNcLButtonDblClk(nHitTest, point);
}
