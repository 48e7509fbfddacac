// CControlBar: a bar takes its side of the parent's remaining rectangle in WM_SIZEPARENT.
#include "fw_bars.h"
#include "fw_internal.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() = default;

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
  return hWnd != NULL ? DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hWnd)) : NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == NULL) return;
  pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
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
