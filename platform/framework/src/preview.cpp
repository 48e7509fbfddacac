// Print preview: the preview view, its pages and its commands, and CView::DoPrintPreview.
#include "fw_preview.h"

#include <algorithm>

#include "fw_app.h"
#include "fw_dc.h"
#include "fw_printres.h"

namespace {

const int kGap = 8;  // pixels around and between the pages shown zoomed out

HDC PrinterOf(const CPrintInfo* info) { return info != NULL ? info->m_pPD->m_pd.hDC : NULL; }

}  // namespace

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
  ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
  ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
  ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
  ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
  ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() {}

CPreviewView::~CPreviewView() {
  if (m_pToolBar != NULL) {
    if (m_pToolBar->m_hWnd != NULL) m_pToolBar->DestroyWindow();
    delete m_pToolBar;
  }
  delete m_pPreviewInfo;
}

void CPreviewView::SetPrintView(CView* pPrintView, CPrintInfo* pInfo) {
  m_pPrintView = pPrintView;
  if (m_pPreviewInfo != pInfo) delete m_pPreviewInfo;
  m_pPreviewInfo = pInfo;
  if (pInfo != NULL) {
    m_nPages = std::min<UINT>(std::max<UINT>(pInfo->m_nNumPreviewPages, 1), 2);
    m_nCurrentPage = std::max(pInfo->GetMinPage(), 1u);
  }
}

UINT CPreviewView::MinPage() const { return m_pPreviewInfo != NULL ? std::max(m_pPreviewInfo->GetMinPage(), 1u) : 1; }
UINT CPreviewView::MaxPage() const {
  return m_pPreviewInfo != NULL ? std::max(m_pPreviewInfo->GetMaxPage(), MinPage()) : 1;
}

CSize CPreviewView::GetPaperScreenSize() {
  HDC printer = PrinterOf(m_pPreviewInfo);
  if (printer == NULL) return CSize(850, 1100);
  HDC screen = ::GetDC(NULL);
  const int sx = ::GetDeviceCaps(screen, LOGPIXELSX), sy = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(NULL, screen);
  const int px = std::max(::GetDeviceCaps(printer, LOGPIXELSX), 1), py = std::max(::GetDeviceCaps(printer, LOGPIXELSY), 1);
  int w = ::GetDeviceCaps(printer, PHYSICALWIDTH), h = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
  if (w <= 0 || h <= 0) {
    w = ::GetDeviceCaps(printer, HORZRES);
    h = ::GetDeviceCaps(printer, VERTRES);
  }
  return CSize(::MulDiv(w, sx, px), ::MulDiv(h, sy, py));
}

void CPreviewView::PositionPage(UINT) {
  CRect client;
  GetClientRect(&client);
  const CSize paper = GetPaperScreenSize();
  if (paper.cx <= 0 || paper.cy <= 0) return;
  if (m_nZoomState == ZOOM_OUT) {
    // Whole pages side by side, as large as the window lets them be.
    const int n = static_cast<int>(m_nPages);
    const int availW = std::max(1, (client.Width() - kGap * (n + 1)) / n);
    const int availH = std::max(1, client.Height() - 2 * kGap);
    int w = availW, h = ::MulDiv(availW, paper.cy, paper.cx);
    if (h > availH) {
      h = availH;
      w = ::MulDiv(availH, paper.cx, paper.cy);
    }
    const int left = (client.Width() - (w * n + kGap * (n - 1))) / 2;
    for (int i = 0; i < 2; ++i) m_rectPage[i].SetRect(left + i * (w + kGap), kGap, left + i * (w + kGap) + w, kGap + h);
  } else {
    const CSize size = m_nZoomState == ZOOM_IN ? paper : CSize(paper.cx / 2, paper.cy / 2);
    const int left = std::max(kGap, static_cast<int>(client.Width() - size.cx) / 2);
    m_rectPage[0].SetRect(left, kGap, left + size.cx, kGap + size.cy);
    m_rectPage[1].SetRectEmpty();
  }
}

void CPreviewView::UpdatePageBar() {
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, static_cast<int>(MinPage()), static_cast<int>(MaxPage()),
                   1, static_cast<int>(m_nCurrentPage), 0};
  ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
  if (MaxPage() > MinPage() && MaxPage() < 32768 && MaxPage() - MinPage() < 32768) {
    ::ShowScrollBar(m_hWnd, SB_VERT, TRUE);
    if (!::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE)) {
      ::SetScrollRange(m_hWnd, SB_VERT, si.nMin, si.nMax, FALSE);
      ::SetScrollPos(m_hWnd, SB_VERT, si.nPos, TRUE);
    }
  } else {
    ::ShowScrollBar(m_hWnd, SB_VERT, FALSE);
  }
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point) {
  if (nNewState > ZOOM_IN || nNewState == m_nZoomState) return;
  m_nZoomState = nNewState;
  DoZoom(nPage, point);
}

void CPreviewView::DoZoom(UINT, CPoint point) {
  if (m_nZoomState == ZOOM_OUT) {
    m_nMapMode = 0;  // the scroll view's bars are the page bar's now
    ::SetScrollPos(m_hWnd, SB_HORZ, 0, FALSE);
    PositionPage(m_nCurrentPage);
    UpdatePageBar();
  } else {
    // The point clicked, as a fraction of the page, stays in view.
    const CRect old = m_rectPage[0];
    PositionPage(m_nCurrentPage);
    const CRect& page = m_rectPage[0];
    SetScrollSizes(MM_TEXT, CSize(page.right + kGap, page.bottom + kGap));
    if (!old.IsRectEmpty()) {
      CRect client;
      GetClientRect(&client);
      const int x = page.left + ::MulDiv(point.x - old.left, page.Width(), std::max(1, old.Width()));
      const int y = page.top + ::MulDiv(point.y - old.top, page.Height(), std::max(1, old.Height()));
      ScrollToPosition(CPoint(std::max(0, x - client.Width() / 2), std::max(0, y - client.Height() / 2)));
    }
  }
  Invalidate();
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL) {
  nPage = std::max(MinPage(), std::min(nPage, MaxPage()));
  m_nCurrentPage = nPage;
  if (m_nZoomState == ZOOM_OUT && m_hWnd != NULL) UpdatePageBar();
  OnDisplayPageNumber(m_nCurrentPage, m_nPages);
  if (m_hWnd != NULL) Invalidate();
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) {
  if (m_pPreviewInfo == NULL) return;
  // The page description: its first line for one page, its second for two.
  CString desc = m_pPreviewInfo->m_strPageDesc;
  const int nl = desc.Find(_T('\n'));
  CString line = nl < 0 ? desc : (nPagesDisplayed == 1 ? desc.Left(nl) : desc.Mid(nl + 1));
  CString text;
  const UINT last = std::min(nPage + nPagesDisplayed - 1, MaxPage());
  if (nPagesDisplayed == 1 || last == nPage)
    text.Format(nl < 0 || nPagesDisplayed == 1 ? line : desc.Left(nl), nPage);
  else
    text.Format(line, nPage, last);
  if (CFrameWnd* frame = GetParentFrame()) frame->SetMessageText(text);
}

void CPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) { CScrollView::OnPrepareDC(pDC, pInfo); }

void CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& rect) {
  HDC printer = PrinterOf(m_pPreviewInfo);
  if (printer == NULL || m_pPrintView == NULL || rect.IsRectEmpty()) return;
  const int pw = ::GetDeviceCaps(printer, HORZRES), ph = ::GetDeviceCaps(printer, VERTRES);
  const int lx = std::max(::GetDeviceCaps(printer, LOGPIXELSX), 1), ly = std::max(::GetDeviceCaps(printer, LOGPIXELSY), 1);
  int paperW = ::GetDeviceCaps(printer, PHYSICALWIDTH), paperH = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
  int offX = ::GetDeviceCaps(printer, PHYSICALOFFSETX), offY = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
  if (paperW <= 0 || paperH <= 0) {
    paperW = pw;
    paperH = ph;
    offX = offY = 0;
  }
  // The printable part in .01 mm, the picture's frame.
  const RECT frame = {0, 0, ::MulDiv(pw, 2540, lx), ::MulDiv(ph, 2540, ly)};
  HDC meta = ::CreateEnhMetaFile(printer, NULL, &frame, NULL);
  if (meta == NULL) return;
  CDC dc;
  dc.m_hDC = meta;
  dc.m_hAttribDC = printer;
  dc.m_bPrinting = TRUE;
  const UINT saved = m_pPreviewInfo->m_nCurPage;
  m_pPreviewInfo->m_nCurPage = nPage;
  m_pPreviewInfo->m_bContinuePrinting = TRUE;
  const int state = ::SaveDC(printer);
  m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, pw, ph);
  dc.DPtoLP(&m_pPreviewInfo->m_rectDraw);
  if (m_pPreviewInfo->m_bContinuePrinting) m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
  ::RestoreDC(printer, state);
  m_pPreviewInfo->m_nCurPage = saved;
  dc.m_hDC = dc.m_hAttribDC = NULL;
  HENHMETAFILE picture = ::CloseEnhMetaFile(meta);
  if (picture == NULL) return;
  const CRect printable(rect.left + ::MulDiv(offX, rect.Width(), paperW), rect.top + ::MulDiv(offY, rect.Height(), paperH),
                        rect.left + ::MulDiv(offX + pw, rect.Width(), paperW),
                        rect.top + ::MulDiv(offY + ph, rect.Height(), paperH));
  ::PlayEnhMetaFile(pDC->m_hDC, picture, &printable);
  ::DeleteEnhMetaFile(picture);
}

void CPreviewView::OnDraw(CDC* pDC) {
  const UINT shown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
  for (UINT i = 0; i < shown; ++i) {
    const UINT page = m_nCurrentPage + i;
    if (page > MaxPage()) break;
    CRect rc = m_rectPage[i];
    CRect shadow = rc;
    shadow.OffsetRect(3, 3);
    ::FillRect(pDC->m_hDC, &shadow, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(pDC->m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::FrameRect(pDC->m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const int state = ::SaveDC(pDC->m_hDC);
    ::IntersectClipRect(pDC->m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    DrawPage(pDC, page, rc);
    ::RestoreDC(pDC->m_hDC, state);
  }
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC) {
  CRect rc;
  GetClientRect(&rc);
  ::FillRect(pDC->m_hDC, &rc, ::GetSysColorBrush(COLOR_APPWORKSPACE));
  return TRUE;
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  if (m_nZoomState == ZOOM_OUT) {
    CView::OnSize(nType, cx, cy);
    PositionPage(m_nCurrentPage);
    if (m_pPreviewInfo != NULL) UpdatePageBar();
  } else {
    CScrollView::OnSize(nType, cx, cy);
  }
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (m_nZoomState != ZOOM_OUT) return CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
  switch (nSBCode) {
    case SB_LINEDOWN:
    case SB_PAGEDOWN: SetCurrentPage(m_nCurrentPage + 1, TRUE); break;
    case SB_LINEUP:
    case SB_PAGEUP: SetCurrentPage(m_nCurrentPage > MinPage() ? m_nCurrentPage - 1 : MinPage(), TRUE); break;
    case SB_TOP: SetCurrentPage(MinPage(), TRUE); break;
    case SB_BOTTOM: SetCurrentPage(MaxPage(), TRUE); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si = {sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      ::GetScrollInfo(m_hWnd, SB_VERT, &si);
      SetCurrentPage(static_cast<UINT>(std::max(si.nTrackPos, 1)), TRUE);
      break;
    }
    default: break;
  }
}

void CPreviewView::OnLButtonDown(UINT, CPoint point) {
  // A click on a page steps the zoom: 0 -> 1 -> 2 -> 0.
  const UINT shown = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
  const CPoint at = point + GetDeviceScrollPosition();
  for (UINT i = 0; i < shown; ++i) {
    if (!m_rectPage[i].PtInRect(at)) continue;
    if (m_nZoomState == ZOOM_OUT && i == 1) SetCurrentPage(m_nCurrentPage + 1, TRUE);
    SetZoomState((m_nZoomState + 1) % 3, m_nCurrentPage, at);
    return;
  }
}

void CPreviewView::OnZoomIn() { SetZoomState(std::min<UINT>(m_nZoomState + 1, ZOOM_IN), m_nCurrentPage, m_rectPage[0].CenterPoint()); }
void CPreviewView::OnZoomOut() {
  SetZoomState(m_nZoomState > 0 ? m_nZoomState - 1 : 0, m_nCurrentPage, m_rectPage[0].CenterPoint());
}
void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1, TRUE); }
void CPreviewView::OnPrevPage() { SetCurrentPage(m_nCurrentPage > MinPage() ? m_nCurrentPage - 1 : MinPage(), TRUE); }

void CPreviewView::OnNumPageChange() {
  m_nPages = m_nPages == 1 ? 2 : 1;
  if (m_pPreviewInfo != NULL) m_pPreviewInfo->m_nNumPreviewPages = m_nPages;
  PositionPage(m_nCurrentPage);
  OnDisplayPageNumber(m_nCurrentPage, m_nPages);
  Invalidate();
}

void CPreviewView::OnPreviewPrint() {
  CView* view = m_pPrintView;
  ClosePreview();  // this object is gone now
  if (view != NULL) view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnPreviewClose() { ClosePreview(); }

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
  CString text;
  text.LoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE);
  pCmdUI->SetText(text);
  pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_nMaxPages != 1 && (MaxPage() > MinPage() || m_nPages > 1));
}
void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_nCurrentPage + (m_nZoomState == ZOOM_OUT ? m_nPages : 1) - 1 < MaxPage());
}
void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage > MinPage()); }
void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState < ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState > ZOOM_OUT); }

void CPreviewView::ClosePreview() {
  CFrameWnd* frame = GetParentFrame();
  CView* view = m_pPrintView;
  if (m_pToolBar != NULL) {
    m_pToolBar->DestroyWindow();
    delete m_pToolBar;
    m_pToolBar = NULL;
  }
  if (view != NULL && m_pPreviewInfo != NULL) {
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = PrinterOf(m_pPreviewInfo);
    dc.m_bPrinting = TRUE;
    view->OnEndPrinting(&dc, m_pPreviewInfo);
    dc.m_hDC = dc.m_hAttribDC = NULL;
  }
  if (view != NULL && ::IsWindow(view->m_hWnd)) {
    ::SetWindowLongPtr(view->m_hWnd, GWLP_ID, AFX_IDW_PANE_FIRST);
    ::SetWindowLongPtr(m_hWnd, GWLP_ID, 0);
    view->ShowWindow(SW_SHOW);
    if (frame != NULL) frame->SetActiveView(view);
  }
  DestroyWindow();  // the view deletes itself
  if (frame != NULL) frame->RecalcLayout();
}

void CPreviewView::PostNcDestroy() { CScrollView::PostNcDestroy(); }

// --- CView ---

BOOL CView::DoPrintPreview(CRuntimeClass* pPreviewViewClass) {
  CFrameWnd* frame = GetParentFrame();
  if (frame == NULL || m_hWnd == NULL) return FALSE;
  CPrintInfo* info = new CPrintInfo;
  info->m_bPreview = TRUE;
  if (!OnPreparePrinting(info) || (PrinterOf(info) == NULL && info->m_pPD->CreatePrinterDC() == NULL)) {
    delete info;
    return FALSE;
  }
  CObject* made = pPreviewViewClass != NULL ? pPreviewViewClass->CreateObject() : new CPreviewView;
  CPreviewView* preview = DYNAMIC_DOWNCAST(CPreviewView, made);
  if (preview == NULL) {
    delete made;
    delete info;
    return FALSE;
  }
  preview->SetPrintView(this, info);
  {
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = PrinterOf(info);
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, info);
    dc.m_hDC = dc.m_hAttribDC = NULL;
  }
  preview->m_pToolBar = new CDialogBar;
  if (!preview->m_pToolBar->Create(frame, AFX_IDD_PREVIEW_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
    delete preview->m_pToolBar;
    preview->m_pToolBar = NULL;
  }
  // The preview takes the view's place in the frame.
  ::SetWindowLongPtr(m_hWnd, GWLP_ID, AFX_IDW_PANE_FIRST + 250);
  ShowWindow(SW_HIDE);
  CRect rc;
  GetWindowRect(&rc);
  frame->ScreenToClient(&rc);
  if (!preview->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rc, frame, AFX_IDW_PANE_FIRST, NULL)) {
    // A view that could not be made has deleted itself (and its job).
    ::SetWindowLongPtr(m_hWnd, GWLP_ID, AFX_IDW_PANE_FIRST);
    ShowWindow(SW_SHOW);
    return FALSE;
  }
  frame->SetActiveView(preview);
  frame->RecalcLayout();
  preview->PositionPage(preview->m_nCurrentPage);
  preview->UpdatePageBar();
  preview->OnDisplayPageNumber(preview->m_nCurrentPage, preview->m_nPages);
  preview->Invalidate();
  return TRUE;
}
