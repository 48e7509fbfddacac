#include "IEBrowseButton.h"

#include "IE5Events.h"
#include "QvOpenSaveDlg.h"
#include "UITrace.h"

#include <framework.h>

namespace {

UlmLogger s_log("IEBrowseButton");

HRESULT SystemBrowser(IWebBrowser2** browser) {
  return ::CoCreateInstance(CLSID_InternetExplorer, NULL, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                            reinterpret_cast<void**>(browser));
}

CIEBrowseButton::BrowserFactory s_factory = &SystemBrowser;

}  // namespace

IMPLEMENT_DYNAMIC(CIEBrowseButton, CMaskedBitmapButton)

BEGIN_MESSAGE_MAP(CIEBrowseButton, CMaskedBitmapButton)
  ON_WM_LBUTTONUP()
  ON_WM_KEYUP()
  ON_WM_DESTROY()
  ON_MESSAGE(IE5EVENTS_NAVIGATECOMPLETE, &CIEBrowseButton::OnNavigateComplete)
  ON_MESSAGE(IE5EVENTS_DOCUMENTCOMPLETE, &CIEBrowseButton::OnDocumentComplete)
  ON_MESSAGE(IE5EVENTS_QUIT, &CIEBrowseButton::OnBrowserQuit)
END_MESSAGE_MAP()

CIEBrowseButton::BrowserFactory CIEBrowseButton::SetBrowserFactory(BrowserFactory factory) {
  BrowserFactory previous = s_factory;
  s_factory = factory != NULL ? factory : &SystemBrowser;
  return previous;
}

CIEBrowseButton::CIEBrowseButton() : m_sink(new CIE5Events(this)) {}

CIEBrowseButton::~CIEBrowseButton() {
  EndBrowsing(true);
  // A browser may still hold the sink: it lives on without an owner until it is let go.
  m_sink->Detach();
  m_sink->ExternalRelease();
}

void CIEBrowseButton::SetSibling(DWORD id) {
  HWND parent = ::GetParent(m_hWnd);
  m_sibling = parent != NULL ? ::GetDlgItem(parent, static_cast<int>(id)) : NULL;
}

void CIEBrowseButton::DoBrowse() {
  CString text;
  if (m_sibling != NULL && ::IsWindow(m_sibling)) CWnd::FromHandle(m_sibling)->GetWindowText(text);
  if (!m_useBrowser) {
    // No default extension: a name typed without one is taken as it is.
    CQvOpenSaveDlg dialog(TRUE, NULL, NULL, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                          _T("All Files (*.*)|*.*||"), this);
    const HWND self = m_hWnd;
    const INT_PTR result = dialog.DoModal();
    if (!::IsWindow(self)) return;
    if (result != IDCANCEL && result != -1 && m_sibling != NULL && ::IsWindow(m_sibling))
      ::SetWindowText(m_sibling, dialog.GetPathName());
    return;
  }
  if (m_browser != NULL) return;
  IWebBrowser2* browser = NULL;
  if (FAILED(s_factory(&browser)) || browser == NULL) {
    UI_TRACE_FAILED(s_log, "the browser's creation");
    return;
  }
  m_browser = browser;
  if (!AfxConnectionAdvise(m_browser, IID_QuarnelWebBrowserEvents2, m_sink->GetIDispatch(FALSE), TRUE, &m_cookie)) {
    UI_TRACE_FAILED(s_log, "AfxConnectionAdvise");
    m_cookie = 0;
  }
  EnableWindow(FALSE);
  m_browser->put_Visible(VARIANT_TRUE);
  if (text.IsEmpty()) {
    m_browser->GoHome();
  } else {
    BSTR url = ::SysAllocString(CStringW(text));
    VARIANT none;
    ::VariantInit(&none);
    m_browser->Navigate(url, &none, &none, &none, &none);
    ::SysFreeString(url);
  }
}

void CIEBrowseButton::EndBrowsing(bool quit) {
  IWebBrowser2* browser = m_browser;
  if (browser == NULL) return;
  m_browser = NULL;
  if (m_cookie != 0)
    AfxConnectionUnadvise(browser, IID_QuarnelWebBrowserEvents2, m_sink->GetIDispatch(FALSE), TRUE, m_cookie);
  m_cookie = 0;
  if (quit) browser->Quit();
  browser->Release();
}

void CIEBrowseButton::OnLButtonUp(UINT flags, CPoint point) {
  const HWND self = m_hWnd;
  CMaskedBitmapButton::OnLButtonUp(flags, point);
  if (!::IsWindow(self)) return;
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point)) DoBrowse();
}

void CIEBrowseButton::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const HWND self = m_hWnd;
  CMaskedBitmapButton::OnKeyUp(nChar, nRepCnt, nFlags);
  if (::IsWindow(self) && nChar == VK_SPACE) DoBrowse();
}

void CIEBrowseButton::OnDestroy() {
  EndBrowsing(true);
  CMaskedBitmapButton::OnDestroy();
}

LRESULT CIEBrowseButton::OnNavigateComplete(WPARAM, LPARAM) { return 0; }

LRESULT CIEBrowseButton::OnDocumentComplete(WPARAM, LPARAM address) {
  LPCTSTR text = reinterpret_cast<LPCTSTR>(address);
  if (text == NULL || m_sibling == NULL || !::IsWindow(m_sibling)) return 0;
  if (m_filter != NULL && m_filter(text) == 0) return 0;
  ::SetWindowText(m_sibling, text);
  return 0;
}

LRESULT CIEBrowseButton::OnBrowserQuit(WPARAM, LPARAM) {
  EnableWindow(TRUE);
  EndBrowsing(false);
  return 0;
}
