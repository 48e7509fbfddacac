// The browse button against a stand-in browser: what starting, the browser's events and its
// end do to the button and its edit; who holds the sink; and the open-file dialog.
#include <gtest/gtest.h>

#include <IE5Events.h>
#include <IEBrowseButton.h>
#include <framework.h>

#include <fstream>
#include <string>

#include "dialog_driver.h"
#include "fake_browser.h"
#include "test_support.h"
#include "web_browser_stub.h"

#include <dlgs.h>

using namespace webtest;

namespace {

// The browser: records what it is told; its events go out through its connection point.
class FakeWebBrowser : public WebBrowserStub {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) return events.QueryInterface(iid, out);
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWebBrowser2) ||
        IsEqualIID(iid, IID_IWebBrowserApp) || IsEqualIID(iid, IID_IWebBrowser)) {
      *out = static_cast<IWebBrowser2*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GoHome() override {
    ++homes;
    return S_OK;
  }
  STDMETHODIMP Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    navigated.push_back(url != NULL ? url : L"");
    return S_OK;
  }
  STDMETHODIMP put_Visible(VARIANT_BOOL v) override {
    visible = v != VARIANT_FALSE;
    return S_OK;
  }
  STDMETHODIMP Quit() override {
    ++quits;
    return S_OK;
  }

  // DocumentComplete(pDisp, &url) as the browser fires it.
  void CompleteDocument(const wchar_t* address) {
    BSTR url = SysAllocString(address);
    VARIANT v = Bstr(url);
    events.Fire(CIE5Events::kDocumentComplete, {Dispatch(NULL), ByRef(&v)});
    SysFreeString(url);
  }

  long refs = 1;
  int homes = 0, quits = 0;
  bool visible = false;
  std::vector<std::wstring> navigated;
  FakeEventSource events{IID_QuarnelWebBrowserEvents2};
};

FakeWebBrowser* g_browser = NULL;
int g_made = 0;
HRESULT MakeFake(IWebBrowser2** out) {
  ++g_made;
  if (g_browser == NULL) return E_FAIL;
  g_browser->AddRef();
  *out = g_browser;
  return S_OK;
}
int RefuseFiles(LPCTSTR address) { return _tcsncmp(address, _T("file:"), 5) != 0; }

class Browse : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = CIEBrowseButton::SetBrowserFactory(&MakeFake);
    g_browser = &browser;
    g_made = 0;
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("browse"), WS_POPUP | WS_VISIBLE, 10, 10, 400, 100, NULL, NULL));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 300, 30), &parent, 50));
    button = new CIEBrowseButton;
    ASSERT_TRUE(button->Create(_T("..."), WS_CHILD | WS_VISIBLE, CRect(310, 10, 340, 30), &parent, 51));
    button->SetSibling(50);
    ASSERT_EQ(button->GetSibling(), edit.m_hWnd);
  }
  void TearDown() override {
    delete button;
    parent.DestroyWindow();
    CIEBrowseButton::SetBrowserFactory(previous);
    g_browser = NULL;
  }
  CString EditText() {
    CString t;
    edit.GetWindowText(t);
    return t;
  }

  CIEBrowseButton::BrowserFactory previous = NULL;
  FakeWebBrowser browser;
  CWnd parent;
  CEdit edit;
  CIEBrowseButton* button = NULL;
};

// Idle -> browsing -> idle: the edit's address is navigated to, a second browse starts no
// second browser, each finished page's address reaches the edit (unless the filter refuses
// it), and the browser's end makes the button idle again and lets the browser go.
TEST_F(Browse, BrowsingFromStartToQuit) {
  edit.SetWindowText(_T("http://reports.example.org/"));
  button->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(g_made, 1);
  EXPECT_TRUE(button->IsBrowsing());
  EXPECT_FALSE(button->IsWindowEnabled());
  EXPECT_TRUE(browser.visible);
  EXPECT_EQ(browser.navigated, std::vector<std::wstring>({L"http://reports.example.org/"}));
  EXPECT_EQ(browser.homes, 0);
  EXPECT_EQ(browser.events.SinkCount(), 1u);

  button->DoBrowse();
  EXPECT_EQ(g_made, 1);

  browser.CompleteDocument(L"http://reports.example.org/week");
  EXPECT_EQ(EditText(), CString(_T("http://reports.example.org/week")));
  button->SetCallback(&RefuseFiles);
  browser.CompleteDocument(L"file:///c:/secret.txt");
  EXPECT_EQ(EditText(), CString(_T("http://reports.example.org/week")));

  browser.events.Fire(CIE5Events::kOnQuit, {});
  EXPECT_FALSE(button->IsBrowsing());
  EXPECT_TRUE(button->IsWindowEnabled());
  EXPECT_EQ(browser.events.SinkCount(), 0u);
  EXPECT_EQ(browser.refs, 1);
  EXPECT_EQ(browser.quits, 0);  // it quit by itself

  // Space starts it again; an empty edit sends it home.
  edit.SetWindowText(_T(""));
  button->SendMessage(WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(g_made, 2);
  EXPECT_EQ(browser.homes, 1);
  // Destroyed while browsing: the browser is told to quit and let go.
  button->DestroyWindow();
  EXPECT_EQ(browser.quits, 1);
  EXPECT_EQ(browser.refs, 1);
  EXPECT_EQ(browser.events.SinkCount(), 0u);
}

TEST_F(Browse, NoBrowserLeavesTheButtonIdle) {
  g_browser = NULL;
  button->DoBrowse();
  EXPECT_EQ(g_made, 1);
  EXPECT_FALSE(button->IsBrowsing());
  EXPECT_TRUE(button->IsWindowEnabled());
  // A release outside the button does not browse.
  g_browser = &browser;
  button->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  EXPECT_EQ(g_made, 1);
}

// The sink goes by its references: a browser that still holds it after the button is gone
// fires at a sink that lives on and tells nobody; the browser's last release frees it.
TEST_F(Browse, ABrowserHoldingTheSinkOutlivesTheButton) {
  browser.events.keepSinks = true;
  button->DoBrowse();
  ASSERT_EQ(browser.events.SinkCount(), 1u);
  delete button;
  button = NULL;
  EXPECT_EQ(browser.quits, 1);
  EXPECT_EQ(browser.refs, 1);
  ASSERT_EQ(browser.events.SinkCount(), 1u);
  BSTR url = SysAllocString(L"http://late/");
  VARIANT v = Bstr(url);
  EXPECT_EQ(browser.events.Fire(CIE5Events::kDocumentComplete, {Dispatch(NULL), ByRef(&v)}), S_OK);
  EXPECT_EQ(browser.events.Fire(CIE5Events::kOnQuit, {}), S_OK);
  SysFreeString(url);
  EXPECT_EQ(EditText(), CString(_T("")));
}

// Without the browser: the open-file dialog; the chosen path goes to the edit exactly as
// chosen (a name without an extension gets none); a cancelled dialog changes nothing.
TEST_F(Browse, TheOpenDialogPutsThePathInTheEdit) {
  // A folder without a dot in its name: the file's name is the only place one could go.
  std::string folder = testing_support::TempPath("browse");
  folder.erase(folder.rfind('.'));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
  const std::string file = folder + "\\noext";
  { std::ofstream(file) << "x"; }
  const std::wstring path(file.begin(), file.end());
  button->SetBrowseIE(FALSE);
  edit.SetWindowText(_T("before"));
  {
    using testing_support::DialogDriver;
    DialogDriver driver({{IDOK, [](HWND d) { DialogDriver::Press(d, IDCANCEL); }}});
    button->DoBrowse();
    EXPECT_EQ(driver.done(), 1u);
  }
  EXPECT_EQ(EditText(), CString(_T("before")));
  EXPECT_EQ(g_made, 0);
  {
    using testing_support::DialogDriver;
    DialogDriver driver({{IDOK, [&](HWND d) {
                            DialogDriver::SetText(d, edt1, path);
                            DialogDriver::Press(d, IDOK);
                          }}});
    button->DoBrowse();
    EXPECT_EQ(driver.done(), 1u);
  }
  EXPECT_EQ(std::wstring(CStringW(EditText())), path);
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
