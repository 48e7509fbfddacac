// Property sheets and pages on the system's property sheet.
#include "fw_propsheet.h"

#include "fw_app.h"

namespace {

// The sheet whose window the system is making on this thread (its creation styles go into
// the template at PSCB_PRECREATE).
thread_local CPropertySheet* t_pCreating = NULL;

CString LoadText(UINT nID) {
  CString s;
  if (nID != 0) s.LoadString(nID);
  return s;
}

// Gives a dialog template in memory (plain or extended) the window styles asked for; its
// DS_ styles stay (DS_SETFONT decides how the rest of the template reads).
void SetTemplateStyle(LPARAM lParam, DWORD style, DWORD exStyle) {
  BYTE* bytes = reinterpret_cast<BYTE*>(lParam);
  if (bytes == NULL) return;
  const bool extended = reinterpret_cast<const WORD*>(bytes)[1] == 0xFFFF;
  BYTE* at = bytes + (extended ? 12 : 0);  // DLGTEMPLATEEX: version, signature, help id, ex style, style
  BYTE* exAt = bytes + (extended ? 8 : 4);
  DWORD old;
  memcpy(&old, at, sizeof old);
  style = (old & 0xFFFF) | (style & 0xFFFF0000);
  memcpy(at, &style, sizeof style);
  memcpy(exAt, &exStyle, sizeof exStyle);
}

}  // namespace

// --- CPropertyPage ---

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() { Construct(NULL, 0, 0, 0); }
CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) {
  Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption, 0, 0);
}
CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) {
  Construct(lpszTemplateName, nIDCaption, 0, 0);
}
CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle) {
  Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle);
}
CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle,
                             UINT nIDHeaderSubTitle) {
  Construct(lpszTemplateName, nIDCaption, nIDHeaderTitle, nIDHeaderSubTitle);
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption, UINT nIDHeaderTitle,
                              UINT nIDHeaderSubTitle) {
  memset(&m_psp, 0, sizeof(m_psp));
  m_psp.dwSize = sizeof(m_psp);
  m_psp.pszTemplate = lpszTemplateName;
  m_psp.pfnDlgProc = PageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  m_lpszTemplateName = lpszTemplateName;
  m_strCaption = LoadText(nIDCaption);
  if (!m_strCaption.IsEmpty()) m_psp.dwFlags |= PSP_USETITLE;
  m_strHeaderTitle = LoadText(nIDHeaderTitle);
  if (!m_strHeaderTitle.IsEmpty()) m_psp.dwFlags |= PSP_USEHEADERTITLE;
  m_strHeaderSubTitle = LoadText(nIDHeaderSubTitle);
  if (!m_strHeaderSubTitle.IsEmpty()) m_psp.dwFlags |= PSP_USEHEADERSUBTITLE;
}

HPROPSHEETPAGE CPropertyPage::MakeHandle() {
  if (m_psp.pszTemplate == NULL && !(m_psp.dwFlags & PSP_DLGINDIRECT)) return NULL;
  // The texts live in this object; the system copies the description.
  m_psp.pszTitle = m_strCaption;
  m_psp.pszHeaderTitle = m_strHeaderTitle;
  m_psp.pszHeaderSubTitle = m_strHeaderSubTitle;
  m_psp.pfnDlgProc = PageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (!(m_psp.dwFlags & PSP_DLGINDIRECT)) m_psp.hInstance = AfxFindResourceHandle(m_psp.pszTemplate, RT_DIALOG);
  return ::CreatePropertySheetPage(&m_psp);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // lParam: the system's copy of the page description, holding the object.
  const PROPSHEETPAGE* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
  CPropertyPage* pPage = psp != NULL ? reinterpret_cast<CPropertyPage*>(psp->lParam) : NULL;
  if (pPage == NULL || pPage->m_hWnd != NULL || !pPage->SubclassWindow(hWnd)) return TRUE;
  try {
    return pPage->OnInitDialog();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const {
  return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged) {
  HWND sheet = ::GetParent(m_hWnd);
  if (sheet == NULL) return;
  if (bChanged)
    PropSheet_Changed(sheet, m_hWnd);
  else
    PropSheet_UnChanged(sheet, m_hWnd);
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}
void CPropertyPage::OnReset() { OnCancel(); }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
  if (nm == NULL || nm->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, pResult);
  LRESULT r = 0;
  switch (nm->code) {
    case PSN_SETACTIVE: r = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: r = OnKillActive() ? FALSE : TRUE; break;
    case PSN_APPLY: r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: r = OnQueryCancel() ? FALSE : TRUE; break;
    case PSN_WIZBACK: r = OnWizardBack(); break;
    case PSN_WIZNEXT: r = OnWizardNext(); break;
    case PSN_WIZFINISH: r = OnWizardFinish() ? FALSE : TRUE; break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // The page's window procedure answers directly; the dialog result is kept alike for a
  // sheet that reads it from there.
  if (m_hWnd != NULL) ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, r);
  *pResult = r;
  return TRUE;
}

// --- CPropertySheet ---

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { CommonConstruct(NULL, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption = LoadText(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption = pszCaption;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                               HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
  m_psh.dwFlags |= PSH_WIZARD97;
  if (hbmWatermark != NULL) {
    m_psh.dwFlags |= PSH_WATERMARK | PSH_USEHBMWATERMARK;
    m_psh.hbmWatermark = hbmWatermark;
  }
  if (hpalWatermark != NULL) {
    m_psh.dwFlags |= PSH_USEHPLWATERMARK;
    m_psh.hplWatermark = hpalWatermark;
  }
  if (hbmHeader != NULL) {
    m_psh.dwFlags |= PSH_HEADER | PSH_USEHBMHEADER;
    m_psh.hbmHeader = hbmHeader;
  }
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                               HPALETTE hpalWatermark, HBITMAP hbmHeader)
    : CPropertySheet(static_cast<UINT>(0), pParentWnd, iSelectPage, hbmWatermark, hpalWatermark, hbmHeader) {
  m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet() {}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage) {
  memset(&m_psh, 0, sizeof(m_psh));
  m_psh.dwSize = sizeof(m_psh);
  m_psh.nStartPage = iSelectPage;
  m_pParentWnd = pParentWnd;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == NULL) return;
  m_pages.push_back(pPage);
  if (m_hWnd == NULL) return;
  HPROPSHEETPAGE h = pPage->MakeHandle();
  if (h == NULL || !PropSheet_AddPage(m_hWnd, h)) {
    if (h != NULL) ::DestroyPropertySheetPage(h);
    m_pages.pop_back();
  }
}

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  if (m_hWnd != NULL) PropSheet_RemovePage(m_hWnd, nPage, NULL);
  m_pages.erase(m_pages.begin() + nPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[i] == pPage) return i;
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == NULL) return static_cast<int>(m_psh.nStartPage);
  HWND current = PropSheet_GetCurrentPageHwnd(m_hWnd);
  for (int i = 0; i < GetPageCount(); ++i)
    if (current != NULL && m_pages[i]->m_hWnd == current) return i;
  HWND tab = PropSheet_GetTabControl(m_hWnd);
  return tab != NULL ? TabCtrl_GetCurSel(tab) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == NULL) {
    m_psh.nStartPage = nPage;
    return TRUE;
  }
  return PropSheet_SetCurSel(m_hWnd, NULL, nPage) ? TRUE : FALSE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const {
  HWND tab = m_hWnd != NULL ? PropSheet_GetTabControl(m_hWnd) : NULL;
  // A borrowing object of the handle map; CTabCtrl adds no data to CWnd.
  return tab != NULL ? static_cast<CTabCtrl*>(CWnd::FromHandle(tab)) : NULL;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (m_hWnd != NULL) PropSheet_SetTitle(m_hWnd, nStyle, lpszText);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags) {
  if (m_hWnd != NULL) ::SendMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

BOOL CPropertySheet::PressButton(int nButton) {
  if (m_hWnd == NULL) return FALSE;
  ::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
  return TRUE;
}

void CPropertySheet::EndDialog(int nEndID) {
  m_nModalResult = nEndID;
  PressButton(nEndID == IDCANCEL ? PSBTN_CANCEL : PSBTN_OK);
}

BOOL CPropertySheet::BuildPages(CWnd* pParentWnd, std::vector<HPROPSHEETPAGE>& handles) {
  handles.clear();
  for (CPropertyPage* page : m_pages) {
    HPROPSHEETPAGE h = page->MakeHandle();
    if (h == NULL) {
      for (HPROPSHEETPAGE made : handles) ::DestroyPropertySheetPage(made);
      handles.clear();
      return FALSE;
    }
    handles.push_back(h);
  }
  m_psh.dwFlags &= ~(PSH_PROPSHEETPAGE | PSH_USEPSTARTPAGE);
  m_psh.dwFlags |= PSH_USECALLBACK;
  m_psh.pfnCallback = SheetCallback;
  m_psh.nPages = static_cast<UINT>(handles.size());
  m_psh.phpage = handles.data();
  m_psh.pszCaption = m_strCaption;
  m_psh.hwndParent = pParentWnd->GetSafeHwnd();
  m_psh.hInstance = AfxGetResourceHandle();
  if (m_psh.nStartPage >= m_psh.nPages) m_psh.nStartPage = 0;
  return TRUE;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam) {
  CPropertySheet* sheet = t_pCreating;
  if (message == PSCB_PRECREATE && sheet != NULL && sheet->m_dwCreateStyle != (DWORD)-1)
    SetTemplateStyle(lParam, sheet->m_dwCreateStyle, sheet->m_dwCreateExStyle);
  return 0;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_hWnd != NULL || m_pages.empty()) return -1;
  CWnd* pParent = m_pParentWnd;
  if (pParent == NULL && AfxGetApp() != NULL) pParent = AfxGetApp()->m_pMainWnd;
  if (pParent != NULL && !::IsWindow(pParent->GetSafeHwnd())) pParent = NULL;
  std::vector<HPROPSHEETPAGE> handles;
  if (!BuildPages(pParent, handles)) return -1;
  m_psh.dwFlags &= ~PSH_MODELESS;
  m_bModeless = FALSE;
  m_nModalResult = 0;
  m_dwCreateStyle = (DWORD)-1;
  if (AfxGetApp() != NULL) AfxGetApp()->EnableModeless(FALSE);
  CPropertySheet* previous = t_pCreating;
  t_pCreating = this;
  AfxHookWindowCreate(this);
  INT_PTR r = ::PropertySheet(&m_psh);
  AfxUnhookWindowCreate();
  t_pCreating = previous;
  if (AfxGetApp() != NULL) AfxGetApp()->EnableModeless(TRUE);
  m_psh.phpage = NULL;
  if (r < 0) return -1;
  if (m_nModalResult != 0) return m_nModalResult;
  // The system answers a positive value when the sheet was closed with OK.
  return r > 0 ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (m_hWnd != NULL || m_pages.empty()) return FALSE;
  std::vector<HPROPSHEETPAGE> handles;
  if (!BuildPages(pParentWnd, handles)) return FALSE;
  m_psh.dwFlags |= PSH_MODELESS;
  m_bModeless = TRUE;
  m_dwCreateStyle = dwStyle;
  m_dwCreateExStyle = dwExStyle;
  CPropertySheet* previous = t_pCreating;
  t_pCreating = this;
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(::PropertySheet(&m_psh));
  const BOOL bound = AfxUnhookWindowCreate();
  t_pCreating = previous;
  m_psh.phpage = NULL;
  if (!bound) {
    if (hWnd != NULL && ::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    return FALSE;
  }
  return hWnd != NULL && hWnd != reinterpret_cast<HWND>(-1) && m_hWnd == hWnd;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CPropertySheet::OnInitDialog() {
  // The system's own initialisation: tab control, buttons, the first page.
  return static_cast<BOOL>(Default());
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (!m_bModeless || m_hWnd == NULL) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  const BOOL handled = PropSheet_IsDialogMessage(m_hWnd, pMsg);
  // A modeless sheet closed with OK or Cancel has no current page left: it ends here.
  if (m_hWnd != NULL && PropSheet_GetCurrentPageHwnd(m_hWnd) == NULL) DestroyWindow();
  return handled;
}

void CPropertySheet::PostNcDestroy() { m_bModeless = FALSE; }
