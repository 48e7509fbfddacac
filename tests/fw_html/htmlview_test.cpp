// The HTML view: its browser made through the factory and active in place in the view through
// the view's own OLE site, navigation and its events, the document and application, creation
// that fails cleanly, and the end that gives every reference back. The browser is the fake of
// tests/support (no HTML engine here); the system's browser is made once through the default
// factory.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_htmlview.h>

#include <string>
#include <vector>

#include "fake_html_browser.h"
#include "fw_pump.h"
#include "handle_counts.h"
#include "test_support.h"

using testing_support::ThreadWindowCount;
using webtest::FakeHtmlDocument;
using webtest::FakeWebBrowser;

namespace {

// A view that writes down its events (and may cancel navigations to one address).
class EventView : public CHtmlView {
 public:
  static int live;
  std::vector<std::string> events;
  std::vector<BYTE> posted;
  CString cancelUrl;

  EventView() { ++live; }
  ~EventView() override { --live; }

  void OnBeforeNavigate2(LPCTSTR url, DWORD flags, LPCTSTR target, CByteArray& postData, LPCTSTR headers,
                         BOOL* cancel) override {
    events.push_back("before " + Narrow(url) + " " + std::to_string(flags) + " [" + Narrow(target) + "] [" +
                     Narrow(headers) + "]");
    posted.assign(postData.GetData(), postData.GetData() + postData.GetSize());
    if (!cancelUrl.IsEmpty() && cancelUrl == url) *cancel = TRUE;
  }
  void OnNavigateComplete2(LPCTSTR url) override { events.push_back("navigated " + Narrow(url)); }
  void OnDocumentComplete(LPCTSTR url) override { events.push_back("document " + Narrow(url)); }

  static std::string Narrow(LPCTSTR s) { return std::string(CStringA(s != NULL ? s : _T(""))); }
};
int EventView::live = 0;

// A stack view: the end of its window does not delete it.
class KeptView : public EventView {
 protected:
  void PostNcDestroy() override {}
};

class HtmlView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL)));
    previous_ = CHtmlView::SetBrowserFactory(&webtest::MakeFakeBrowser);
    webtest::g_nextBrowser = &browser_;
    ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), _T("html parent"), WS_POPUP | WS_VISIBLE, 0, 0, 400,
                                 300, NULL, NULL));
    windowsBefore_ = ThreadWindowCount();
  }
  void TearDown() override {
    if (parent_.m_hWnd != NULL) parent_.DestroyWindow();
    webtest::g_nextBrowser = NULL;
    CHtmlView::SetBrowserFactory(previous_);
    OleUninitialize();
  }
  BOOL CreateView(CHtmlView* view, CRect rect = CRect(10, 20, 210, 170)) {
    return view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, &parent_, 100);
  }

  FakeWebBrowser browser_;
  CWnd parent_;
  int windowsBefore_ = 0;
  CHtmlView::BrowserFactory previous_ = NULL;
};

TEST_F(HtmlView, TheBrowserIsActiveInPlaceOverTheClientAreaAndLetGoWithTheWindow) {
  EventView* view = new EventView;
  ASSERT_TRUE(CreateView(view));
  const HWND wnd = view->m_hWnd;
  // The browser asked the view's site for its window and made its own window inside it,
  // over the whole client area; the view holds the browser and is connected to its events.
  EXPECT_NE(browser_.site(), nullptr);
  EXPECT_EQ(browser_.siteWindow, wnd);
  ASSERT_NE(browser_.window(), nullptr);
  EXPECT_EQ(::GetParent(browser_.window()), wnd);
  EXPECT_EQ(CRect(browser_.activeRect), CRect(0, 0, 200, 150));
  EXPECT_EQ(browser_.SinkCount(), 1u);
  EXPECT_GT(browser_.refs(), 1);
  EXPECT_EQ(view->GetBrowser(), static_cast<IWebBrowser2*>(&browser_));
  EXPECT_TRUE(view->GetStyle() & WS_CLIPCHILDREN);

  // A new size reaches the browser's window.
  view->MoveWindow(0, 0, 300, 120);
  EXPECT_EQ(CRect(browser_.objectRect), CRect(0, 0, 300, 120));
  CRect inner;
  ::GetClientRect(browser_.window(), &inner);
  EXPECT_EQ(inner.Size(), CSize(300, 120));

  // The end: deactivated, closed, site taken back, events disconnected, every reference
  // given back, the browser's window gone, the heap view deleted.
  const HWND browserWnd = browser_.window();
  ASSERT_TRUE(view->DestroyWindow());
  EXPECT_EQ(EventView::live, 0);
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_FALSE(::IsWindow(browserWnd));
  EXPECT_EQ(browser_.deactivations, 1);
  EXPECT_EQ(browser_.closes, 1);
  EXPECT_EQ(browser_.site(), nullptr);
  EXPECT_EQ(browser_.SinkCount(), 0u);
  EXPECT_EQ(browser_.refs(), 1);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore_);
}

struct CreationFailure {
  const char* name;
  void (*arrange)(FakeWebBrowser& browser);
};

TEST_F(HtmlView, ABrowserThatCannotBeMadeOrHostedFailsCreationCleanly) {
  const CreationFailure cases[] = {
      {"no browser", [](FakeWebBrowser&) { webtest::g_nextBrowser = NULL; }},
      {"in-place activation refused", [](FakeWebBrowser& b) { b.failDoVerb = true; }},
      {"no events", [](FakeWebBrowser& b) { b.noEvents = true; }},
  };
  for (const CreationFailure& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWebBrowser browser;
    // A heap view is deleted with its failed window; a kept one stays, without a window.
    for (bool onHeap : {true, false}) {
      webtest::g_nextBrowser = &browser;
      c.arrange(browser);
      if (onHeap) {
        EXPECT_FALSE(CreateView(new EventView));
        EXPECT_EQ(EventView::live, 0);
      } else {
        KeptView kept;
        EXPECT_FALSE(CreateView(&kept));
        EXPECT_EQ(kept.m_hWnd, nullptr);
        EXPECT_EQ(kept.GetBrowser(), nullptr);
      }
    }
    EXPECT_EQ(browser.refs(), 1);
    EXPECT_EQ(browser.site(), nullptr);
    EXPECT_EQ(browser.SinkCount(), 0u);
    EXPECT_EQ(ThreadWindowCount(), windowsBefore_);
  }
}

TEST_F(HtmlView, NavigationEventsReachTheVirtualsWithTheirArguments) {
  KeptView view;
  ASSERT_TRUE(CreateView(&view));
  const char post[] = "a=1&b=2";
  ASSERT_TRUE(view.Navigate2(_T("http://example.test/page"), 4, _T("frame"), _T("X-Test: 1"), post, 7));
  // What the browser got.
  EXPECT_EQ(browser_.lastUrl, L"http://example.test/page");
  EXPECT_EQ(browser_.lastFlags, 4);
  EXPECT_EQ(std::string(browser_.lastPostData.begin(), browser_.lastPostData.end()), "a=1&b=2");
  // What the view heard (the fake fires flags 0, an empty target and empty headers).
  EXPECT_EQ(view.events, (std::vector<std::string>{"before http://example.test/page 0 [] []",
                                                   "navigated http://example.test/page",
                                                   "document http://example.test/page"}));
  EXPECT_EQ(std::string(view.posted.begin(), view.posted.end()), "a=1&b=2");

  // A navigation the view cancels goes no further.
  view.events.clear();
  view.cancelUrl = _T("http://example.test/stop");
  ASSERT_TRUE(view.Navigate2(_T("http://example.test/stop")));
  EXPECT_EQ(view.events, (std::vector<std::string>{"before http://example.test/stop 0 [] []"}));

  // Event arguments of the wrong kind arrive as empty texts, never as a crash.
  view.events.clear();
  VARIANT args[2];
  VariantInit(&args[0]);
  V_VT(&args[0]) = VT_I4;
  V_I4(&args[0]) = 7;
  VariantInit(&args[1]);
  EXPECT_EQ(browser_.Fire(webtest::kNavigateComplete2, args, 2), S_OK);
  EXPECT_EQ(view.events, (std::vector<std::string>{"navigated "}));
  view.DestroyWindow();
  EXPECT_EQ(browser_.refs(), 1);
}

TEST_F(HtmlView, DocumentAndApplicationComeWithAReferenceForTheCaller) {
  KeptView view;
  EXPECT_EQ(view.GetHtmlDocument(), nullptr);  // no browser yet
  EXPECT_FALSE(view.Navigate2(_T("about:blank")));
  ASSERT_TRUE(CreateView(&view));
  EXPECT_EQ(view.GetHtmlDocument(), nullptr);  // the browser has no document

  FakeHtmlDocument document;
  browser_.document = &document;
  LPDISPATCH got = view.GetHtmlDocument();
  EXPECT_EQ(got, static_cast<IDispatch*>(static_cast<IHTMLDocument2*>(&document)));
  EXPECT_EQ(document.refs(), 2);
  if (got != NULL) got->Release();
  EXPECT_EQ(document.refs(), 1);

  LPDISPATCH application = view.GetApplication();
  EXPECT_EQ(application, static_cast<IDispatch*>(static_cast<IWebBrowser2*>(&browser_)));
  if (application != NULL) application->Release();
  view.DestroyWindow();
  EXPECT_EQ(browser_.refs(), 1);
  EXPECT_EQ(view.GetApplication(), nullptr);
}

TEST_F(HtmlView, KeysInsideTheViewAreOfferedToTheBrowsersActiveObjectFirst) {
  KeptView view;
  ASSERT_TRUE(CreateView(&view));
  ASSERT_NE(browser_.window(), nullptr);
  HWND edit = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE, 250, 20, 100, 20, parent_.m_hWnd, NULL,
                               NULL, NULL);
  ASSERT_NE(edit, nullptr);
  testing_support::PumpPreTranslated();
  // A key the page takes goes no further; one it does not take goes on to the window (which
  // shows its character); a key for a window outside the view is not offered.
  browser_.takenKeys = {'T'};
  ::PostMessage(browser_.window(), WM_KEYDOWN, 'T', 1);
  ::PostMessage(browser_.window(), WM_KEYDOWN, 'A', 1);
  ::PostMessage(edit, WM_KEYDOWN, 'B', 1);
  testing_support::PumpPreTranslated();
  EXPECT_EQ(browser_.offeredKeys, (std::vector<WPARAM>{'T', 'A'}));
  TCHAR text[8] = {};
  ::GetWindowText(browser_.window(), text, 8);
  EXPECT_STREQ(text, _T("a"));
  ::GetWindowText(edit, text, 8);
  EXPECT_STREQ(text, _T("b"));
  view.DestroyWindow();
  // The site let go of the active object with the rest.
  EXPECT_EQ(browser_.refs(), 1);
}

// The system's browser, through the default factory: Wine's browser object is made and
// hosted (it renders nothing without an HTML engine); nothing is navigated.
TEST_F(HtmlView, TheSystemBrowserIsMadeThroughTheDefaultFactory) {
  CHtmlView::SetBrowserFactory(NULL);
  KeptView view;
  ASSERT_TRUE(CreateView(&view));
  ASSERT_NE(view.GetBrowser(), nullptr);
  // Its window is inside the view, over the client area.
  HWND inside = ::GetWindow(view.m_hWnd, GW_CHILD);
  ASSERT_NE(inside, nullptr);
  CRect rect;
  ::GetClientRect(inside, &rect);
  EXPECT_EQ(rect.Size(), CSize(200, 150));
  LPDISPATCH application = view.GetApplication();
  EXPECT_NE(application, nullptr);
  if (application != NULL) application->Release();
  view.DestroyWindow();
  EXPECT_EQ(view.GetBrowser(), nullptr);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore_);
}

}  // namespace
