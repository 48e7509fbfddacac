// CDocument: the title, the modified flag and the list of views.
#include "fw_view.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_bModified(FALSE) {}

CDocument::~CDocument() {
  // Views that outlive their document must not point at it.
  while (!m_viewList.IsEmpty()) static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = NULL;
}

void CDocument::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle != NULL ? lpszTitle : _T(""); }

void CDocument::AddView(CView* pView) {
  if (pView == NULL || pView->m_pDocument != NULL) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  if (pView == NULL || pView->m_pDocument != this) return;
  POSITION pos = m_viewList.Find(pView);
  if (pos != NULL) m_viewList.RemoveAt(pos);
  pView->m_pDocument = NULL;
  OnChangedViewList();  // may delete this
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  POSITION pos = GetFirstViewPosition();
  while (pos != NULL) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::OnChangedViewList() {
  if (m_bAutoDelete && m_viewList.IsEmpty()) {
    DeleteContents();
    delete this;
  }
}
