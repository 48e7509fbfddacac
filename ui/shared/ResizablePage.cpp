#include <ResizablePage.h>

IMPLEMENT_DYNCREATE(CResizablePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CResizablePage, CPropertyPage)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CResizablePage::CResizablePage() {}
CResizablePage::CResizablePage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption) {}
CResizablePage::CResizablePage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(lpszTemplateName, nIDCaption) {}
CResizablePage::CResizablePage(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle,
                               UINT nIDHeaderSubTitle)
    : CPropertyPage(lpszTemplateName, nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle) {}
CResizablePage::~CResizablePage() {}

BOOL CResizablePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_bInitDone = TRUE;
  return TRUE;
}

void CResizablePage::OnSize(UINT nType, int cx, int cy) {
  CPropertyPage::OnSize(nType, cx, cy);
  if (m_bInitDone) ArrangeLayout();
}

BOOL CResizablePage::OnEraseBkgnd(CDC* pDC) {
  ClipChildren(pDC, FALSE);
  return CPropertyPage::OnEraseBkgnd(pDC);
}

IMPLEMENT_DYNCREATE(CResizablePageEx, CResizablePage)

CResizablePageEx::CResizablePageEx() {}
CResizablePageEx::CResizablePageEx(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
    : CResizablePage(MAKEINTRESOURCE(nIDTemplate), nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle) {}
CResizablePageEx::CResizablePageEx(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle,
                                   UINT nIDHeaderSubTitle)
    : CResizablePage(lpszTemplateName, nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle) {}
CResizablePageEx::~CResizablePageEx() {}

BOOL CResizablePageEx::NeedsRefresh(HWND hWnd) {
  // Without the header the page shows the watermark behind every child.
  if (m_psp.dwFlags & PSP_HIDEHEADER) return TRUE;
  return CResizableLayout::NeedsRefresh(hWnd);
}
