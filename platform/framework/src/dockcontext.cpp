// CDockContext: dragging a bar to a side of its frame or off it.
#include "fw_dock.h"
#include "fw_internal.h"

#include <windowsx.h>

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

CDockContext::~CDockContext() {
  if (m_hDC != NULL) ::ReleaseDC(NULL, m_hDC);
}

void CDockContext::CoverPoint(CRect& rect, CPoint pt) {
  if (pt.x < rect.left)
    rect.OffsetRect(pt.x - rect.left, 0);
  else if (pt.x >= rect.right)
    rect.OffsetRect(pt.x - rect.right + 1, 0);
  if (pt.y < rect.top)
    rect.OffsetRect(0, pt.y - rect.top);
  else if (pt.y >= rect.bottom)
    rect.OffsetRect(0, pt.y - rect.bottom + 1);
}

void CDockContext::AdjustWindowForFloat(CRect& rect) {
  CMiniFrameWnd::CalcBorders(&rect, WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

void CDockContext::InitLoop() {
  m_bForceFrame = m_bFlip = FALSE;
  m_dwOverDockStyle = 0;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  if (m_hDC == NULL) m_hDC = ::GetDC(NULL);
}

void CDockContext::StartDrag(CPoint pt) {
  m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  if (m_pDockSite == NULL) return;
  m_bDragging = TRUE;
  InitLoop();
  m_dwStyle = m_pBar->m_dwStyle;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  CSize horz, vert, floating;
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
    horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    floating = m_pBar->CalcDynamicLayout(m_pBar->m_nMRUWidth, LM_HORZ | LM_MRUWIDTH);
  } else {
    horz = m_pBar->CalcFixedLayout(FALSE, TRUE);
    vert = m_pBar->CalcFixedLayout(FALSE, FALSE);
    floating = m_pBar->IsHorizontal() ? horz : vert;
  }
  m_rectDragHorz = CRect(rect.TopLeft(), horz);
  m_rectDragVert = CRect(rect.TopLeft(), vert);
  m_rectFrameDragHorz = CRect(rect.TopLeft(), (m_dwStyle & CBRS_SIZE_DYNAMIC) ? floating : horz);
  m_rectFrameDragVert = CRect(rect.TopLeft(), (m_dwStyle & CBRS_SIZE_DYNAMIC) ? floating : vert);
  AdjustWindowForFloat(m_rectFrameDragHorz);
  AdjustWindowForFloat(m_rectFrameDragVert);
  CoverPoint(m_rectDragHorz, pt);
  CoverPoint(m_rectDragVert, pt);
  CoverPoint(m_rectFrameDragHorz, pt);
  CoverPoint(m_rectFrameDragVert, pt);
  m_dwOverDockStyle = CanDock();
  DrawFocusRect();
  if (Track()) EndDrag();
}

BOOL CDockContext::Track() {
  HWND hWndBar = m_pBar->m_hWnd;
  ::SetCapture(hWndBar);
  while (m_bDragging && ::GetCapture() == hWndBar) {
    MSG msg;
    if (!::GetMessage(&msg, NULL, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    switch (msg.message) {
      case WM_LBUTTONUP:
        return m_bDragging;
      case WM_MOUSEMOVE: {
        CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        ::ClientToScreen(msg.hwnd, &pt);
        Move(pt);
        break;
      }
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) {
          CancelLoop();
          return FALSE;
        }
        OnKey(static_cast<int>(msg.wParam), msg.message == WM_KEYDOWN);
        break;
      case WM_RBUTTONDOWN:
        CancelLoop();
        return FALSE;
      default:
        ::DispatchMessage(&msg);
        break;
    }
  }
  CancelLoop();
  return FALSE;
}

void CDockContext::Move(CPoint pt) {
  const CPoint offset = pt - m_ptLast;
  m_rectDragHorz.OffsetRect(offset);
  m_rectDragVert.OffsetRect(offset);
  m_rectFrameDragHorz.OffsetRect(offset);
  m_rectFrameDragVert.OffsetRect(offset);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
  if (nChar == VK_CONTROL) {
    m_bForceFrame = bDown;  // never dock while Ctrl is down
  } else if (nChar == VK_SHIFT) {
    m_bFlip = bDown;
  } else {
    return;
  }
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

DWORD CDockContext::CanDock() {
  if (m_pDockSite == NULL) return 0;
  DWORD style = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & CBRS_ORIENT_HORZ);
  if (style == 0) style = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & CBRS_ORIENT_VERT);
  return style;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  CDockBar* dockBar = NULL;
  if (m_pDockSite == NULL) return NULL;
  if (dwOverDockStyle & CBRS_ORIENT_HORZ)
    m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & CBRS_ORIENT_HORZ, &dockBar);
  if (dockBar == NULL && (dwOverDockStyle & CBRS_ORIENT_VERT))
    m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & CBRS_ORIENT_VERT, &dockBar);
  return dockBar;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (m_hDC == NULL) return;
  CRect rect;
  CSize thickness(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
  if (m_dwOverDockStyle & CBRS_ORIENT_HORZ) {
    rect = m_rectDragHorz;
  } else if (m_dwOverDockStyle & CBRS_ORIENT_VERT) {
    rect = m_rectDragVert;
  } else {
    const BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    rect = (horz != m_bFlip) ? m_rectFrameDragHorz : m_rectFrameDragVert;
    thickness = CSize(3, 3);
  }
  if (!m_rectLast.IsRectEmpty()) fw::InvertDragFrame(m_hDC, m_rectLast, m_sizeLast);
  if (bRemoveRect) {
    m_rectLast.SetRectEmpty();
    return;
  }
  fw::InvertDragFrame(m_hDC, rect, thickness);
  m_rectLast = rect;
  m_sizeLast = thickness;
}

void CDockContext::EndLoop() {
  DrawFocusRect(TRUE);
  if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
  if (m_hDC != NULL) {
    ::ReleaseDC(NULL, m_hDC);
    m_hDC = NULL;
  }
  m_bDragging = FALSE;
}

void CDockContext::CancelLoop() {
  if (!m_bDragging) return;
  EndLoop();
}

void CDockContext::EndDrag() {
  EndLoop();
  if (m_pDockSite == NULL) return;
  if (m_dwOverDockStyle != 0) {
    CDockBar* dockBar = GetDockBar(m_dwOverDockStyle);
    if (dockBar == NULL) return;
    CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
    m_uMRUDockID = static_cast<UINT>(dockBar->GetDlgCtrlID());
    m_rectMRUDockPos = rect;
    dockBar->ScreenToClient(&m_rectMRUDockPos);
    m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
  } else {
    const BOOL horz = ((m_dwStyle & CBRS_ORIENT_HORZ) != 0) != m_bFlip;
    const CRect rect = horz ? m_rectFrameDragHorz : m_rectFrameDragVert;
    m_dwMRUFloatStyle = (horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = rect.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
  }
  m_pDockSite->RecalcLayout();
}

void CDockContext::ToggleDocking() {
  m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite == NULL) return;
  if (m_pBar->IsFloating()) {
    CDockBar* dockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID));
    if (dockBar != NULL && (dockBar->m_dwStyle & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) != 0) {
      CRect rect = m_rectMRUDockPos;
      dockBar->ClientToScreen(&rect);
      m_pDockSite->DockControlBar(m_pBar, dockBar, &rect);
    } else {
      m_pDockSite->DockControlBar(m_pBar, static_cast<UINT>(0));
    }
  } else {
    CPoint pt = m_ptMRUFloatPos;
    if (m_dwMRUFloatStyle == 0) {
      CRect rect;
      m_pBar->GetWindowRect(&rect);
      pt = rect.TopLeft();
      m_dwMRUFloatStyle = (m_pBar->IsHorizontal() ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) |
                          (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
    }
    m_pDockSite->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle);
  }
  m_pDockSite->RecalcLayout();
}
