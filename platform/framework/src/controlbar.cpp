// CControlBar: a bar takes its side of the parent's remaining rectangle in WM_SIZEPARENT.
#include "fw_bars.h"
#include "fw_dock.h"
#include "fw_internal.h"



#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_HELPHITTEST, &CControlBar::OnHelpHitTest)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const INT_PTR id = OnToolHitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), NULL);
  return id > 0 ? static_cast<LRESULT>(HID_BASE_COMMAND + static_cast<UINT>(id)) : 0;
}

CControlBar::~CControlBar() {
  // A bar whose object goes before its window leaves no stale entry behind.
  if (m_hWnd != NULL) LeaveDockSite();
  delete m_pDockContext;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
  if (frame != NULL) {
    if (m_pDockSite == NULL) m_pDockSite = frame;
    frame->AddControlBar(this);
  }
  return 0;
}

void CControlBar::OnDestroy() {
  LeaveDockSite();
  CWnd::OnDestroy();
}

void CControlBar::LeaveDockSite() {
  if (m_pDockBar != NULL) {
    CDockBar* dockBar = m_pDockBar;
    m_pDockBar = NULL;
    dockBar->RemoveControlBar(this);
  }
  if (m_pFrameListed != NULL) m_pFrameListed->RemoveControlBar(this);
  if (m_pDockContext != NULL && m_pDockContext->m_bDragging) m_pDockContext->CancelLoop();
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);  // the bar may be elsewhere now
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockContext == NULL) m_pDockContext = new CDockContext(this);
  if (m_hWndOwner == NULL) m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  if (bShow && (GetStyle() & WS_VISIBLE) == 0)
    m_nStateFlags |= delayShow;
  else if (!bShow && (GetStyle() & WS_VISIBLE) != 0)
    m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  if ((m_nStateFlags & (delayHide | delayShow)) == 0) return;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     ((m_nStateFlags & delayShow) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  m_nStateFlags &= ~(delayHide | delayShow);
  if (lpLayout != NULL && lpLayout->hDWP != NULL)
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0, flags);
  else
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, flags);
}

CRect CControlBar::BorderRect() const {
  const int edge = (m_dwStyle & CBRS_BORDER_3D) ? 2 : 1;
  return CRect((m_dwStyle & CBRS_BORDER_LEFT) ? edge : 0, (m_dwStyle & CBRS_BORDER_TOP) ? edge : 0,
               (m_dwStyle & CBRS_BORDER_RIGHT) ? edge : 0, (m_dwStyle & CBRS_BORDER_BOTTOM) ? edge : 0);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) { return OuterSize(m_sizeDefault, bStretch, bHorz); }

CSize CControlBar::OuterSize(CSize inside, BOOL bStretch, BOOL bHorz) const {
  const CRect border = BorderRect();
  CSize size(inside.cx + border.left + border.right, inside.cy + border.top + border.bottom);
  // A stretched bar spans its side; the caller clips the length to the room that is left.
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (layout->hDWP != NULL) RecalcDelayShow(layout);
  if ((GetStyle() & WS_VISIBLE) == 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0) return 0;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC)
                   ? CalcDynamicLayout(-1, (layout->bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK
                                                                                          : LM_VERTDOCK))
                   : CalcFixedLayout(layout->bStretch, bHorz);
  CRect room(layout->rect);
  size.cx = std::min<LONG>(size.cx, std::max<LONG>(room.Width(), 0));
  size.cy = std::min<LONG>(size.cy, std::max<LONG>(room.Height(), 0));
  CRect place = room;
  switch (m_dwStyle & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
      place.bottom = place.top + size.cy;
      layout->rect.top += size.cy;
      break;
    case CBRS_ALIGN_BOTTOM:
      place.top = place.bottom - size.cy;
      layout->rect.bottom -= size.cy;
      break;
    case CBRS_ALIGN_LEFT:
      place.right = place.left + size.cx;
      layout->rect.left += size.cx;
      break;
    case CBRS_ALIGN_RIGHT:
      place.left = place.right - size.cx;
      layout->rect.right -= size.cx;
      break;
    default:
      return 0;
  }
  if (bHorz) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
  }
  if (layout->hDWP != NULL) AfxRepositionWindow(layout, m_hWnd, &place);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if ((GetStyle() & WS_VISIBLE) == 0) return 0;
  CFrameWnd* target = m_pDockSite != NULL ? m_pDockSite : DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
  if (target != NULL) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  HWND hWnd = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
  if (hWnd != NULL) return DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hWnd));
  // Docked and floating bars are the children of dock bars.
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_hWnd != NULL && static_cast<UINT>(::GetDlgCtrlID(bar->m_hWnd)) == nID) return bar;
  }
  return NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == NULL) return;
  pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
  // A floating bar's frame shows and hides with it.
  if (pBar->m_pDockBar != NULL && pBar->m_pDockBar->m_bFloating)
    if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, pBar->m_pDockBar->GetParent())) {
      frame->RecalcLayout();
      if (bShow) frame->ShowWindow(SW_SHOWNA);
    }
  if (!bDelay) RecalcLayout();
}

CFrameWnd* CControlBar::GetPromptFrame() const {
  if (m_pDockSite != NULL) return m_pDockSite;
  CWnd* pOwner = GetOwner();
  return pOwner != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, pOwner) : NULL;
}

BOOL CControlBar::GetFlyByText(UINT, CString&) { return FALSE; }

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
  if (m_dwStyle & CBRS_TOOLTIPS) FilterToolTipMessage(pMsg);
  // Flyby: the status prompt follows the item under the mouse while no button is held.
  if ((m_dwStyle & CBRS_FLYBY) && pMsg->hwnd == m_hWnd &&
      (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) && ::GetKeyState(VK_LBUTTON) >= 0) {
    if (CFrameWnd* pFrame = GetPromptFrame()) {
      CPoint point(pMsg->pt);
      ScreenToClient(&point);
      CRect client;
      GetClientRect(&client);
      INT_PTR nHit = client.PtInRect(point) ? OnToolHitTest(point, NULL) : -1;
      if (nHit != m_nFlyByHit) {
        CString text;
        if (nHit <= 0)
          pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        else if (GetFlyByText(static_cast<UINT>(nHit), text))
          pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
        else
          pFrame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
        m_nFlyByHit = nHit;
      }
    }
  }
  return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
      LRESULT lResult = 0;
      if (OnWndMsg(message, wParam, lParam, &lResult)) return lResult;
      CWnd* pOwner = GetOwner();
      if (pOwner != NULL && pOwner->m_hWnd != NULL) return pOwner->SendMessage(message, wParam, lParam);
      break;
    }
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
