#include <QvPreviewView.h>

#include <algorithm>

#include <UIUtilities.h>

namespace {

const int kLabelMax = 259;  // characters kept of a button label

// The button texts of the process's previews.
struct PageLabels {
  CString one, two;
};
PageLabels& Labels() {
  static PageLabels labels;
  return labels;
}

CString Bounded(LPCTSTR text) {
  CString s(text != NULL ? text : _T(""));
  return s.GetLength() > kLabelMax ? s.Left(kLabelMax) : s;
}

}  // namespace

IMPLEMENT_DYNCREATE(CQvPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CQvPreviewView, CPreviewView)
  ON_WM_VSCROLL()
  ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CQvPreviewView::OnUpdateNumPageChange)
  ON_COMMAND(ID_QV_PREVIEW_PAGESETUP, &CQvPreviewView::OnPageSetup)
  ON_UPDATE_COMMAND_UI(ID_QV_PREVIEW_PAGESETUP, &CQvPreviewView::OnUpdatePageSetup)
END_MESSAGE_MAP()

CQvPreviewView::CQvPreviewView() {}
CQvPreviewView::~CQvPreviewView() {}

void CQvPreviewView::SetPageButtonLabels(LPCTSTR onePage, LPCTSTR twoPages) {
  Labels().one = Bounded(onePage);
  Labels().two = Bounded(twoPages);
}

CString CQvPreviewView::GetPageButtonLabel(BOOL bTwoPages) {
  const CString& label = bTwoPages ? Labels().two : Labels().one;
  if (!label.IsEmpty()) return label;
  CString text;
  text.LoadString(bTwoPages ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE);
  return text;
}

void CQvPreviewView::SetZoomState(UINT nNewState, UINT nPage, CPoint point) {
  if (nNewState != m_nZoomState) CPreviewView::SetZoomState(nNewState, nPage, point);
}

void CQvPreviewView::PositionPage(UINT nPage) { CPreviewView::PositionPage(nPage); }

CSize CQvPreviewView::GetPaperScreenSize() {
  CSize size = CPreviewView::GetPaperScreenSize();
  // A printer set to landscape whose DC still reports the upright paper.
  bool landscape = false;
  if (m_pPreviewInfo != NULL) {
    if (LPDEVMODE dm = m_pPreviewInfo->m_pPD->GetDevMode()) {
      landscape = (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE;
      ::GlobalUnlock(m_pPreviewInfo->m_pPD->m_pd.hDevMode);
    }
  }
  if (landscape && size.cx < size.cy) std::swap(size.cx, size.cy);
  return size;
}

void CQvPreviewView::DoZoom(UINT nPage, CPoint point) { CPreviewView::DoZoom(nPage, point); }

void CQvPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) {
  if (m_pPreviewInfo == NULL) return;
  const CString text = UIPreviewPageText(m_pPreviewInfo->m_strPageDesc, nPage, nPagesDisplayed, MaxPage());
  if (CWnd* main = AfxGetMainWnd())
    main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

void CQvPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (m_nZoomState == ZOOM_OUT && nSBCode == SB_PAGEUP) {
    // A tenth of the document back, never before the first page (signed: 3 - 10 is -7).
    const long step = (static_cast<long>(MaxPage()) - static_cast<long>(MinPage()) + 9) / 10;
    const long page = std::max(static_cast<long>(m_nCurrentPage) - step, static_cast<long>(MinPage()));
    SetCurrentPage(static_cast<UINT>(page), TRUE);
    return;
  }
  CPreviewView::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CQvPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
  // The button offers the other mode.
  pCmdUI->SetText(GetPageButtonLabel(m_nPages == 1));
  pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_nMaxPages != 1 && (MaxPage() > MinPage() || m_nPages > 1));
}

void CQvPreviewView::OnPageSetup() {
  CWnd* main = AfxGetMainWnd();
  ClosePreview();  // this object is gone now
  if (main != NULL) main->PostMessage(WM_COMMAND, ID_QV_PAGESETUP);
}

void CQvPreviewView::OnUpdatePageSetup(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
