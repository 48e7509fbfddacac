// CScrollView: the scroll bars of a view larger than its window.
#include "fw_scrollview.h"

#include <algorithm>

#include "fw_dc.h"

namespace {

// A size in logical units of nMapMode as pixels of the screen (positive).
CSize ToDevice(int nMapMode, SIZE size) {
  if (nMapMode == MM_TEXT) return CSize(size);
  HDC dc = ::GetDC(NULL);
  ::SetMapMode(dc, nMapMode);
  POINT pts[2] = {{0, 0}, {size.cx, size.cy}};
  ::LPtoDP(dc, pts, 2);
  ::ReleaseDC(NULL, dc);
  return CSize(std::abs(pts[1].x - pts[0].x), std::abs(pts[1].y - pts[0].y));
}

int Clamp(int pos, int total, int page) { return std::max(0, std::min(pos, total - page)); }

// The new position for one scroll bar code; pos unchanged for codes that do not scroll.
int StepFor(UINT code, int pos, int line, int page, int total, int track) {
  switch (code) {
    case SB_TOP: return 0;
    case SB_BOTTOM: return total;
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return track;
    default: return pos;
  }
}

}  // namespace

const SIZE CScrollView::sizeDefault = {0, 0};

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CScrollView::CScrollView() {}
CScrollView::~CScrollView() {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = CSize(std::max(0L, static_cast<long>(sizeTotal.cx)), std::max(0L, static_cast<long>(sizeTotal.cy)));
  m_totalDev = ToDevice(nMapMode, m_totalLog);
  m_pageDev = ToDevice(nMapMode, sizePage);
  m_lineDev = ToDevice(nMapMode, sizeLine);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = std::max(1L, static_cast<long>(m_pageDev.cx / 10));
  if (m_lineDev.cy == 0) m_lineDev.cy = std::max(1L, static_cast<long>(m_pageDev.cy / 10));
  if (m_hWnd != NULL) UpdateBars();
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  if (m_hWnd == NULL) return CPoint(0, 0);
  return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
    HDC dc = ::GetDC(NULL);
    ::SetMapMode(dc, m_nMapMode);
    POINT pts[2] = {{0, 0}, pt};
    ::DPtoLP(dc, pts, 2);
    ::ReleaseDC(NULL, dc);
    pt = CPoint(pts[1].x - pts[0].x, pts[1].y - pts[0].y);
  }
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  CSize dev = ToDevice(m_nMapMode == 0 ? MM_TEXT : m_nMapMode, CSize(std::abs(pt.x), std::abs(pt.y)));
  ScrollToDevicePosition(CPoint(dev.cx, dev.cy));
}

void CScrollView::ScrollToDevicePosition(CPoint pt) {
  const CPoint old = GetDeviceScrollPosition();
  OnScrollBy(CSize(pt.x - old.x, pt.y - old.y), TRUE);
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || m_hWnd == NULL || m_nMapMode == 0) return;
  m_bInsideUpdate = TRUE;
  // The client size without bars, then the bars each direction needs.
  CRect rc;
  GetClientRect(&rc);
  CSize client = rc.Size();
  const DWORD style = GetStyle();
  if (style & WS_VSCROLL) client.cx += ::GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) client.cy += ::GetSystemMetrics(SM_CYHSCROLL);
  bool needH = m_totalDev.cx > client.cx, needV = m_totalDev.cy > client.cy;
  if (needV && !needH) needH = m_totalDev.cx > client.cx - ::GetSystemMetrics(SM_CXVSCROLL);
  if (needH && !needV) needV = m_totalDev.cy > client.cy - ::GetSystemMetrics(SM_CYHSCROLL);
  if (needV) client.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
  if (needH) client.cy -= ::GetSystemMetrics(SM_CYHSCROLL);

  const CPoint old = GetDeviceScrollPosition();
  const CPoint pos(needH ? Clamp(old.x, m_totalDev.cx, client.cx) : 0, needV ? Clamp(old.y, m_totalDev.cy, client.cy) : 0);
  if (pos != old) ScrollWindow(old.x - pos.x, old.y - pos.y);
  struct Bar {
    int bar;
    bool need;
    int total, page, pos;
  };
  for (const Bar& b : {Bar{SB_HORZ, needH, m_totalDev.cx, client.cx, pos.x}, Bar{SB_VERT, needV, m_totalDev.cy, client.cy, pos.y}}) {
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, b.need ? b.total - 1 : 0, b.need ? static_cast<UINT>(b.page) : 0, b.pos, 0};
    ::SetScrollInfo(m_hWnd, b.bar, &si, TRUE);
    ::ShowScrollBar(m_hWnd, b.bar, b.need);
  }
  m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  if (m_nMapMode == 0) return;
  pDC->SetMapMode(m_nMapMode);
  if (!pDC->IsPrinting()) {
    const CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
  }
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != NULL && pScrollBar->m_hWnd != NULL) return CView::OnHScroll(nSBCode, nPos, pScrollBar);
  OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != NULL && pScrollBar->m_hWnd != NULL) return CView::OnVScroll(nSBCode, nPos, pScrollBar);
  OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT, BOOL bDoScroll) {
  // Low byte: the horizontal bar's code, high byte: the vertical one's (0xFF: none). The
  // thumb's place is read from the bar (32-bit, where the message holds 16 bits).
  const CPoint pos = GetDeviceScrollPosition();
  SCROLLINFO h = {sizeof(h), SIF_TRACKPOS | SIF_PAGE, 0, 0, 0, 0, 0}, v = h;
  ::GetScrollInfo(m_hWnd, SB_HORZ, &h);
  ::GetScrollInfo(m_hWnd, SB_VERT, &v);
  const UINT hCode = LOBYTE(nScrollCode), vCode = HIBYTE(nScrollCode);
  int x = pos.x, y = pos.y;
  if (hCode != 0xFF) x = StepFor(hCode, pos.x, m_lineDev.cx, m_pageDev.cx, m_totalDev.cx, h.nTrackPos);
  if (vCode != 0xFF) y = StepFor(vCode, pos.y, m_lineDev.cy, m_pageDev.cy, m_totalDev.cy, v.nTrackPos);
  return OnScrollBy(CSize(x - pos.x, y - pos.y), bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  if (m_hWnd == NULL) return FALSE;
  const CPoint old = GetDeviceScrollPosition();
  CPoint pos = old + sizeScroll;
  const DWORD style = GetStyle();
  SCROLLINFO h = {sizeof(h), SIF_PAGE, 0, 0, 0, 0, 0}, v = h;
  ::GetScrollInfo(m_hWnd, SB_HORZ, &h);
  ::GetScrollInfo(m_hWnd, SB_VERT, &v);
  pos.x = (style & WS_HSCROLL) ? Clamp(pos.x, m_totalDev.cx, static_cast<int>(h.nPage)) : 0;
  pos.y = (style & WS_VSCROLL) ? Clamp(pos.y, m_totalDev.cy, static_cast<int>(v.nPage)) : 0;
  if (pos == old) return FALSE;
  if (bDoScroll) {
    ScrollWindow(old.x - pos.x, old.y - pos.y);
    ::SetScrollPos(m_hWnd, SB_HORZ, pos.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, pos.y, TRUE);
  }
  return TRUE;
}
