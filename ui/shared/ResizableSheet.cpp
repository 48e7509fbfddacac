#include <ResizableSheet.h>

namespace {

const UINT kPageEntry = 1;  // callback entry of the active page
const TCHAR kActivePageEntry[] = _T("ActivePage");
const UINT kCommandButtons[] = {IDOK, IDCANCEL, RESIZABLE_ID_APPLY, IDHELP, RESIZABLE_ID_BACK, RESIZABLE_ID_NEXT,
                                RESIZABLE_ID_FINISH};

// The margins of `inner` (client coordinates of hWnd) from the client rectangle's corners.
void MarginsOf(HWND hWnd, const CRect& inner, CSize& tl, CSize& br) {
  CRect client;
  ::GetClientRect(hWnd, &client);
  tl = CSize(inner.left - client.left, inner.top - client.top);
  br = CSize(inner.right - client.right, inner.bottom - client.bottom);
}

CRect ChildRectInClient(HWND parent, HWND child) {
  CRect rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<LPPOINT>(&rc), 2);
  return rc;
}

}  // namespace

IMPLEMENT_DYNAMIC(CResizableSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CResizableSheet, CPropertySheet)
  ON_WM_GETMINMAXINFO()
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_CREATE()
  ON_WM_ERASEBKGND()
  ON_CONTROL(BN_CLICKED, RESIZABLE_ID_BACK, &CResizableSheet::OnPageChanged)
  ON_CONTROL(BN_CLICKED, RESIZABLE_ID_NEXT, &CResizableSheet::OnPageChanged)
END_MESSAGE_MAP()

CResizableSheet::CResizableSheet() {}
CResizableSheet::CResizableSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}
CResizableSheet::CResizableSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}
CResizableSheet::CResizableSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                 HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader) {}
CResizableSheet::CResizableSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                 HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader) {}
CResizableSheet::~CResizableSheet() {}

int CResizableSheet::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CPropertySheet::OnCreate(lpCreateStruct) == -1) return -1;
  ModifyStyle(DS_MODALFRAME, WS_THICKFRAME, SWP_FRAMECHANGED);
  return InitGrip() ? 0 : -1;
}

BOOL CResizableSheet::OnInitDialog() {
  const BOOL result = CPropertySheet::OnInitDialog();
  CRect rc;
  GetWindowRect(&rc);
  SetMinTrackSize(rc.Size());
  UpdateGripPos();
  PresetLayout();
  if (HWND tab = ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL)) ModifyStyle(tab, 0, WS_CLIPSIBLINGS, 0);
  m_bInitDone = TRUE;
  return result;
}

void CResizableSheet::PresetLayout() {
  HWND tab = ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL);
  if (UsesWizardLayout()) {
    if (tab != NULL) ::ShowWindow(tab, SW_HIDE);
    AnchorWizardLines();
  } else {
    AddAnchor(RESIZABLE_ID_TABCTRL, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
  }
  AddAnchorCallback(kPageEntry);
  if (HWND page = PropSheet_GetCurrentPageHwnd(m_hWnd))
    MarginsOf(m_hWnd, ChildRectInClient(m_hWnd, page), m_sizePageTL, m_sizePageBR);
  for (UINT id : kCommandButtons) AddAnchor(id, ANCHOR_BOTTOM_RIGHT);
}

void CResizableSheet::AnchorWizardLines() { AddAnchor(RESIZABLE_ID_LINE, ANCHOR_BOTTOM_LEFT, ANCHOR_BOTTOM_RIGHT); }

BOOL CResizableSheet::ArrangeLayoutCallback(LayoutInfo& layout) {
  if (layout.nCallbackID != kPageEntry) return CResizableLayout::ArrangeLayoutCallback(layout);
  layout.hWnd = PropSheet_GetCurrentPageHwnd(m_hWnd);
  layout.sizeTypeTL = ANCHOR_TOP_LEFT;
  layout.sizeTypeBR = ANCHOR_BOTTOM_RIGHT;
  if (IsWizard()) {
    layout.sizeMarginTL = m_sizePageTL;
    layout.sizeMarginBR = m_sizePageBR;
  } else if (!Wizard97PageMargins(layout.sizeMarginTL, layout.sizeMarginBR)) {
    HWND tab = ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL);
    CRect rc;
    if (tab != NULL) {
      ::GetWindowRect(tab, &rc);
      ::SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
      ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
    }
    MarginsOf(m_hWnd, rc, layout.sizeMarginTL, layout.sizeMarginBR);
  }
  return TRUE;
}

void CResizableSheet::OnSize(UINT nType, int cx, int cy) {
  CPropertySheet::OnSize(nType, cx, cy);
  // Another window maximised or restored: nothing of this one changed.
  if (nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE || !m_bInitDone) return;
  UpdateGripPos();
  ArrangeLayout();
}

void CResizableSheet::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  if (m_bInitDone) MinMaxInfo(lpMMI);
}

void CResizableSheet::OnPageChanged() {
  Default();
  ArrangeLayout();
}

BOOL CResizableSheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // A page chosen on the tab is shown at the size it was made with: it is placed again.
  const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
  if (m_bInitDone && nm != NULL && nm->code == static_cast<UINT>(TCN_SELCHANGE) &&
      nm->hwndFrom == ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL)) {
    *pResult = Default();
    if (m_hWnd != NULL) ArrangeLayout();
    return TRUE;
  }
  return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

BOOL CResizableSheet::OnEraseBkgnd(CDC* pDC) {
  ClipChildren(pDC, FALSE);
  return CPropertySheet::OnEraseBkgnd(pDC);
}

void CResizableSheet::OnDestroy() {
  if (m_bEnableSaveRestore) {
    SaveWindowRect(m_sSection, m_bRectOnly);
    SavePage();
  }
  RemoveAllAnchors();
  CPropertySheet::OnDestroy();
}

void CResizableSheet::EnableSaveRestore(LPCTSTR pszSection, BOOL bRectOnly, BOOL bSavePage) {
  m_sSection = pszSection;
  m_bSavePage = bSavePage;
  m_bEnableSaveRestore = TRUE;
  m_bRectOnly = bRectOnly;
  LoadWindowRect(pszSection, bRectOnly);
  LoadPage();
}

void CResizableSheet::SavePage() {
  if (!m_bSavePage) return;
  CWinApp* app = AfxGetApp();
  if (app == NULL) return;
  HWND tab = ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL);
  int page = tab != NULL ? TabCtrl_GetCurSel(tab) : 0;
  if (page < 0) page = 0;
  app->WriteProfileInt(m_sSection, kActivePageEntry, page);
}

void CResizableSheet::LoadPage() {
  CWinApp* app = AfxGetApp();
  if (app == NULL || !m_bSavePage) return;
  // The profile can be edited by hand: a page the sheet does not have is ignored.
  const int page = static_cast<int>(app->GetProfileInt(m_sSection, kActivePageEntry, 0));
  if (page < 0 || page >= GetPageCount()) return;
  SetActivePage(page);
  ArrangeLayout();
}

int CResizableSheet::GetMinWidth() {
  CRect client;
  GetTotalClientRect(&client);
  int max = 0, min = client.Width();
  for (UINT id : kCommandButtons) {
    HWND button = ::GetDlgItem(m_hWnd, id);
    if (button == NULL || !(::GetWindowLong(button, GWL_STYLE) & WS_VISIBLE)) continue;
    const CRect rc = ChildRectInClient(m_hWnd, button);
    max = std::max(max, static_cast<int>(client.right - rc.left));
    min = std::min(min, static_cast<int>(client.right - rc.right));
  }
  return max + min + 2 * ::GetSystemMetrics(SM_CXFRAME);
}

// --- CResizableSheetEx ---

IMPLEMENT_DYNAMIC(CResizableSheetEx, CResizableSheet)

CResizableSheetEx::CResizableSheetEx() {}
CResizableSheetEx::CResizableSheetEx(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CResizableSheet(nIDCaption, pParentWnd, iSelectPage) {}
CResizableSheetEx::CResizableSheetEx(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CResizableSheet(pszCaption, pParentWnd, iSelectPage) {}
CResizableSheetEx::CResizableSheetEx(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                     HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CResizableSheet(nIDCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader) {}
CResizableSheetEx::CResizableSheetEx(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                     HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CResizableSheet(pszCaption, pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader) {}
CResizableSheetEx::~CResizableSheetEx() {}

BOOL CResizableSheetEx::OnInitDialog() {
  const BOOL result = CPropertySheet::OnInitDialog();
  CRect rc;
  GetWindowRect(&rc);
  SetMinTrackSize(rc.Size());
  PresetLayout();
  UpdateGripPos();
  if (HWND tab = ::GetDlgItem(m_hWnd, RESIZABLE_ID_TABCTRL)) ModifyStyle(tab, 0, WS_CLIPSIBLINGS, 0);
  m_bInitDone = TRUE;
  ArrangeLayout();
  return result;
}

void CResizableSheetEx::AnchorWizardLines() {
  CResizableSheet::AnchorWizardLines();
  if (IsWizard97()) AddAnchor(RESIZABLE_ID_HEADERLINE, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT);
}

BOOL CResizableSheetEx::Wizard97PageMargins(CSize& tl, CSize& br) {
  if (!IsWizard97()) return FALSE;
  tl = m_sizePageTL;
  br = m_sizePageBR;
  CPropertyPage* page = GetActivePage();
  HWND header = ::GetDlgItem(m_hWnd, RESIZABLE_ID_HEADERLINE);
  if (page != NULL && !(page->m_psp.dwFlags & PSP_HIDEHEADER) && header != NULL) {
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    tl.cy = ChildRectInClient(m_hWnd, header).bottom - client.top;
  }
  return TRUE;
}
