// CRectTracker: moving or sizing a rectangle with the mouse.
#include "fw_dock.h"
#include "fw_dc.h"
#include "fw_internal.h"

#include <windowsx.h>

CRectTracker::CRectTracker() = default;

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(lpSrcRect), m_nStyle(nStyle) {}

CRectTracker::~CRectTracker() = default;

int CRectTracker::HitTest(CPoint point) const {
  CRect rect = m_rect;
  rect.NormalizeRect();
  const int h = m_nHandleSize;
  const BOOL inX[3] = {abs(point.x - rect.left) <= h, point.x > rect.left + h && point.x < rect.right - h,
                       abs(point.x - rect.right) <= h};
  const BOOL inY[3] = {abs(point.y - rect.top) <= h, point.y > rect.top + h && point.y < rect.bottom - h,
                       abs(point.y - rect.bottom) <= h};
  static const int handles[3][3] = {{hitTopLeft, hitLeft, hitBottomLeft},
                                    {hitTop, hitMiddle, hitBottom},
                                    {hitTopRight, hitRight, hitBottomRight}};
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y)
      if (inX[x] && inY[y]) return handles[x][y];
  return hitNothing;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  const int handle = HitTest(point);
  if (handle < 0) return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(handle, pWnd, point, pWndClipTo);
}

void CRectTracker::AdjustRect(int, LPRECT lpRect) {
  if (m_bAllowInvert) return;
  if (lpRect->right - lpRect->left < m_sizeMin.cx) lpRect->right = lpRect->left + m_sizeMin.cx;
  if (lpRect->bottom - lpRect->top < m_sizeMin.cy) lpRect->bottom = lpRect->top + m_sizeMin.cy;
}

void CRectTracker::OnChangedRect(const CRect&) {}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
  CRect rect = *lpRect;
  rect.NormalizeRect();
  if (pWndClipTo != NULL && pWnd != NULL) pWnd->MapWindowPoints(pWndClipTo, &rect);
  const CSize thickness = m_bFinalErase ? CSize(0, 0) : CSize(1, 1);
  if (m_bErase && !m_bFinalErase) return;
  HDC hDC = pDC->GetSafeHdc();
  if (!m_rectLast.IsRectEmpty()) fw::InvertDragFrame(hDC, m_rectLast, m_sizeLast);
  if (thickness.cx != 0) fw::InvertDragFrame(hDC, rect, thickness);
  m_rectLast = thickness.cx != 0 ? rect : CRect();
  m_sizeLast = thickness;
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  if (pWnd == NULL || pWnd->m_hWnd == NULL) return FALSE;
  const CRect rectSave = m_rect;
  const CPoint start = point;
  m_bErase = m_bFinalErase = FALSE;
  m_rectLast.SetRectEmpty();
  CWnd* clip = pWndClipTo != NULL ? pWndClipTo : pWnd;
  HDC hDC = ::GetDCEx(clip->m_hWnd, NULL, DCX_CACHE | DCX_CLIPSIBLINGS);
  CDC* pDC = CDC::FromHandle(hDC);
  HWND hWnd = pWnd->m_hWnd;
  ::SetCapture(hWnd);
  BOOL moved = FALSE, done = FALSE, cancelled = FALSE;
  DrawTrackerRect(&m_rect, pWndClipTo, pDC, pWnd);
  while (!done) {
    if (::GetCapture() != hWnd) {
      cancelled = TRUE;
      break;
    }
    MSG msg;
    if (!::GetMessage(&msg, NULL, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      cancelled = TRUE;
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        if (msg.hwnd != hWnd) ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
        const CRect old = m_rect;
        CRect rect = rectSave;
        const int dx = pt.x - start.x, dy = pt.y - start.y;
        switch (nHandle) {
          case hitMiddle: rect.OffsetRect(dx, dy); break;
          case hitTopLeft: rect.left += dx; rect.top += dy; break;
          case hitTopRight: rect.right += dx; rect.top += dy; break;
          case hitBottomRight: rect.right += dx; rect.bottom += dy; break;
          case hitBottomLeft: rect.left += dx; rect.bottom += dy; break;
          case hitTop: rect.top += dy; break;
          case hitRight: rect.right += dx; break;
          case hitBottom: rect.bottom += dy; break;
          case hitLeft: rect.left += dx; break;
          default: break;
        }
        AdjustRect(nHandle, &rect);
        m_rect = rect;
        if (m_rect != old) {
          moved = TRUE;
          DrawTrackerRect(&m_rect, pWndClipTo, pDC, pWnd);
          OnChangedRect(old);
        }
        if (msg.message == WM_LBUTTONUP) done = TRUE;
        break;
      }
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
          cancelled = TRUE;
          done = TRUE;
        }
        break;
      case WM_RBUTTONDOWN:
        cancelled = TRUE;
        done = TRUE;
        break;
      default:
        ::DispatchMessage(&msg);
        break;
    }
  }
  m_bFinalErase = TRUE;
  DrawTrackerRect(&m_rect, pWndClipTo, pDC, pWnd);
  m_bFinalErase = FALSE;
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  ::ReleaseDC(clip->m_hWnd, hDC);
  if (cancelled) {
    m_rect = rectSave;
    return FALSE;
  }
  return moved && m_rect != rectSave;
}
