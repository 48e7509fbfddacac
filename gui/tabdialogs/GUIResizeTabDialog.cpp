// The resizable tab dialog and page: the buttons keep to the bottom-right corner, the tab
// control and the pages follow the dialog's size.
#include <ulmora.h>

#include "GUITabDialog.h"

IMPLEMENT_DYNAMIC(CGUIResizeTabDialog, CGUITabDialog)

BEGIN_MESSAGE_MAP(CGUIResizeTabDialog, CGUITabDialog)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CGUIResizeTabDialog::OnInitDialog() {
  const BOOL result = CGUITabDialog::OnInitDialog();
  if (!m_hWnd || !CGUITabDialog::IsInitialised()) return result;  // closed while initialising
  LayoutBeforeInit();
  for (UINT id : {UINT{kApplyButton}, UINT{IDOK}, UINT{IDCANCEL}, UINT{kHelpButton}})
    if (GetDlgItem(id)) AddAnchor(id, ANCHOR_BOTTOM_RIGHT);
  AddAnchor(kTabControlID, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
  EnableSaveRestore(m_saveSection.IsEmpty() ? _T("Dsgn Edit Objects") : static_cast<LPCTSTR>(m_saveSection), TRUE);
  LayoutAfterInit();
  ResizePages();
  return result;
}

void CGUIResizeTabDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { LayoutMinMax(lpMMI); }

void CGUIResizeTabDialog::OnSize(UINT nType, int cx, int cy) {
  CGUITabDialog::OnSize(nType, cx, cy);
  if (nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE || !CResizeDialogLayout::IsInitialised()) return;
  LayoutSize(nType);
  ResizePages();
}

int CGUIResizeTabDialog::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  return LayoutCreate(CGUITabDialog::OnCreate(lpCreateStruct));
}

void CGUIResizeTabDialog::OnDestroy() {
  LayoutDestroy();
  CGUITabDialog::OnDestroy();
}

BOOL CGUIResizeTabDialog::OnEraseBkgnd(CDC* pDC) {
  LayoutEraseBkgnd(pDC);
  return CGUITabDialog::OnEraseBkgnd(pDC);
}

IMPLEMENT_DYNAMIC(CGUIResizeTab, CGUITab)

BEGIN_MESSAGE_MAP(CGUIResizeTab, CGUITab)
  ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CGUIResizeTab::OnInitDialog() {
  const BOOL result = CGUITab::OnInitDialog();
  m_initialised = TRUE;
  return result;
}

void CGUIResizeTab::OnSize(UINT nType, int cx, int cy) {
  CGUITab::OnSize(nType, cx, cy);
  if (m_initialised) ArrangeLayout();
}
