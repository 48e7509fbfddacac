#include <ResizableFormView.h>

IMPLEMENT_DYNAMIC(CResizableFormView, CFormView)

BEGIN_MESSAGE_MAP(CResizableFormView, CFormView)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CResizableFormView::CResizableFormView(UINT nIDTemplate) : CFormView(nIDTemplate) {}
CResizableFormView::CResizableFormView(LPCTSTR lpszTemplateName) : CFormView(lpszTemplateName) {}
CResizableFormView::~CResizableFormView() {}

void CResizableFormView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  m_bInitDone = TRUE;
  ArrangeLayout();
}

void CResizableFormView::GetTotalClientRect(LPRECT lpRect) {
  const CSize total = GetTotalSize();
  if (!m_bInitDone) {
    ::SetRect(lpRect, 0, 0, total.cx, total.cy);
    return;
  }
  GetClientRect(lpRect);
  if (lpRect->right - lpRect->left < total.cx) lpRect->right = lpRect->left + total.cx;
  if (lpRect->bottom - lpRect->top < total.cy) lpRect->bottom = lpRect->top + total.cy;
}

void CResizableFormView::OnSize(UINT nType, int cx, int cy) {
  CFormView::OnSize(nType, cx, cy);
  if (m_bInitDone) ArrangeLayout();
}

BOOL CResizableFormView::OnEraseBkgnd(CDC* pDC) {
  ClipChildren(pDC, FALSE);
  return CFormView::OnEraseBkgnd(pDC);
}
