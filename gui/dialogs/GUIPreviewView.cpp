#include "GUIPreviewView.h"

#include <algorithm>

#include "UIUtilities.h"

namespace {
// The widest page range the vertical bar follows page by page.
const UINT kBarRange = 32768;
}  // namespace

IMPLEMENT_DYNCREATE(CGUIPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CGUIPreviewView, CPreviewView)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CGUIPreviewView::OnZoomIn)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CGUIPreviewView::OnZoomOut)
  ON_WM_LBUTTONDOWN()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CGUIPreviewView::CGUIPreviewView() {}
CGUIPreviewView::~CGUIPreviewView() {}

void CGUIPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point) {
  if (nNewState > ZOOM_IN || nNewState == m_nZoomState) return;
  if (nNewState != ZOOM_OUT) {
    // The chosen page becomes the first shown before it is enlarged.
    if (nPage != m_nCurrentPage) SetCurrentPage(nPage, TRUE);
    CPreviewView::SetZoomState(nNewState, m_nCurrentPage, point);
    return;
  }
  CPreviewView::SetZoomState(nNewState, nPage, point);
  ShowPageBar();
}

void CGUIPreviewView::ShowPageBar() {
  if (m_hWnd == NULL || m_pPreviewInfo == NULL) return;
  ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
  const UINT first = MinPage(), last = MaxPage();
  if (last - first >= kBarRange || last >= kBarRange || last <= first) {
    ::ShowScrollBar(m_hWnd, SB_VERT, FALSE);
    return;
  }
  ::ShowScrollBar(m_hWnd, SB_VERT, TRUE);
  ::EnableScrollBar(m_hWnd, SB_VERT, ESB_ENABLE_BOTH);
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, static_cast<int>(first), static_cast<int>(last), 1,
                   static_cast<int>(m_nCurrentPage), 0};
  if (!::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE)) {
    ::SetScrollRange(m_hWnd, SB_VERT, si.nMin, si.nMax, FALSE);
    ::SetScrollPos(m_hWnd, SB_VERT, si.nPos, TRUE);
  }
}

void CGUIPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) {
  if (m_pPreviewInfo == NULL) return;
  const CString text = UIPreviewPageText(m_pPreviewInfo->m_strPageDesc, nPage, nPagesDisplayed, MaxPage());
  if (CWnd* main = AfxGetMainWnd())
    main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

void CGUIPreviewView::OnZoomIn() {
  SetZoomState(std::min<UINT>(m_nZoomState + 1, ZOOM_IN), m_nCurrentPage, m_rectPage[0].CenterPoint());
}

void CGUIPreviewView::OnZoomOut() {
  SetZoomState(m_nZoomState > ZOOM_OUT ? m_nZoomState - 1 : static_cast<UINT>(ZOOM_OUT), m_nCurrentPage, m_rectPage[0].CenterPoint());
}

void CGUIPreviewView::OnLButtonDown(UINT, CPoint point) {
  // A click on a page steps the zoom 0 -> 1 -> 2 -> 0, centred on the click.
  const UINT shown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
  const CPoint at = point + GetDeviceScrollPosition();
  for (UINT i = 0; i < shown; ++i) {
    if (!m_rectPage[i].PtInRect(at)) continue;
    SetZoomState((m_nZoomState + 1) % 3, m_nCurrentPage + i, at);
    return;
  }
}

void CGUIPreviewView::OnSize(UINT nType, int cx, int cy) {
  CPreviewView::OnSize(nType, cx, cy);
  if (m_nZoomState == ZOOM_OUT) ShowPageBar();
}
