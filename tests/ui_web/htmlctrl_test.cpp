// The HTML control: its place taken from a static, its body set and read as text in any
// script (through the fake browser and document of tests/support: there is no HTML engine
// here), the failures of each step, the end of its window giving the browser back, and its
// mouse activation that leaves the frame's active view alone.
#include <gtest/gtest.h>

#include <QvHtmlCtrl.h>
#include <framework.h>

#include <string>

#include "fake_html_browser.h"
#include "handle_counts.h"

using webtest::FakeHtmlBody;
using webtest::FakeHtmlDocument;
using webtest::FakeWebBrowser;

namespace {

const UINT kStaticId = 1001, kEditId = 1002;
const CRect kStaticRect(20, 30, 220, 130);

class HtmlCtrl : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL)));
    previous_ = CHtmlView::SetBrowserFactory(&webtest::MakeFakeBrowser);
    Arrange();
  }
  void TearDown() override {
    Dismantle();
    CHtmlView::SetBrowserFactory(previous_);
    OleUninitialize();
  }
  // The parent with a static and an edit after it; the fake browser with its document.
  void Arrange() {
    webtest::g_nextBrowser = &browser_;
    document_.body = &body_;
    browser_.document = &document_;
    ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(0), _T("html parent"), WS_POPUP | WS_VISIBLE, 0, 0, 400,
                                 300, NULL, NULL));
    placeholder_ = ::CreateWindowEx(0, _T("STATIC"), _T("page"), WS_CHILD | WS_VISIBLE, kStaticRect.left,
                                    kStaticRect.top, kStaticRect.Width(), kStaticRect.Height(), parent_.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStaticId)), NULL, NULL);
    edit_ = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE, 20, 150, 100, 20, parent_.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), NULL, NULL);
    ASSERT_NE(placeholder_, nullptr);
    ASSERT_NE(edit_, nullptr);
  }
  void Dismantle() {
    if (ctrl_.m_hWnd != NULL) ctrl_.DestroyWindow();
    if (parent_.m_hWnd != NULL) parent_.DestroyWindow();
    webtest::g_nextBrowser = NULL;
  }

  FakeHtmlBody body_;
  FakeHtmlDocument document_;
  FakeWebBrowser browser_;
  CWnd parent_;
  HWND placeholder_ = NULL;
  HWND edit_ = NULL;
  CQvHtmlCtrl ctrl_;
  CHtmlView::BrowserFactory previous_ = NULL;
};

struct PlaceCase {
  const char* name;
  UINT id;
  bool browserMade;
  BOOL expected;
};

TEST_F(HtmlCtrl, TakesThePlaceOfItsStaticOrFailsLeavingItAlone) {
  const PlaceCase cases[] = {
      {"static present", kStaticId, true, TRUE},
      {"no child with that id", 4242, true, FALSE},
      {"the child is not a static", kEditId, true, FALSE},
      {"no browser", kStaticId, false, FALSE},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    Dismantle();
    Arrange();
    webtest::g_nextBrowser = c.browserMade ? &browser_ : NULL;
    const HWND before = ::GetDlgItem(parent_.m_hWnd, static_cast<int>(c.id));
    EXPECT_EQ(ctrl_.CreateFromStatic(c.id, &parent_), c.expected);
    if (c.expected) {
      // Same rectangle in the parent's client area, same id, visible child; the static gone
      // and the view in its place in the z-order (before the edit made after it).
      ASSERT_NE(ctrl_.m_hWnd, nullptr);
      CRect rect;
      ctrl_.GetWindowRect(&rect);
      parent_.ScreenToClient(&rect);
      EXPECT_EQ(rect, kStaticRect);
      EXPECT_EQ(ctrl_.GetDlgCtrlID(), int(kStaticId));
      EXPECT_EQ(ctrl_.GetStyle() & (WS_CHILD | WS_VISIBLE), DWORD(WS_CHILD | WS_VISIBLE));
      EXPECT_FALSE(::IsWindow(placeholder_));
      EXPECT_EQ(::GetDlgItem(parent_.m_hWnd, kStaticId), ctrl_.m_hWnd);
      EXPECT_EQ(::GetWindow(ctrl_.m_hWnd, GW_HWNDNEXT), edit_);
      // Only once.
      EXPECT_FALSE(ctrl_.CreateFromStatic(kStaticId, &parent_));
    } else {
      EXPECT_EQ(ctrl_.m_hWnd, nullptr);
      EXPECT_EQ(::GetDlgItem(parent_.m_hWnd, static_cast<int>(c.id)), before);
      EXPECT_TRUE(::IsWindow(placeholder_));
      EXPECT_EQ(browser_.refs(), 1);
    }
  }
  Dismantle();
  EXPECT_FALSE(ctrl_.CreateFromStatic(kStaticId, NULL));
}

TEST_F(HtmlCtrl, TheBodyRoundTripsTextInAnyScript) {
  ASSERT_TRUE(ctrl_.CreateFromStatic(kStaticId, &parent_));
  const char* utf8 = u8"Grüße — 日本語 <b>Ελληνικά</b> 😀";
  const std::wstring wide = L"Grüße — 日本語 <b>Ελληνικά</b> 😀";
  ASSERT_TRUE(ctrl_.SetBody(utf8));
  EXPECT_EQ(body_.inner, wide);
  std::optional<CStringW> got = ctrl_.GetBody();
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(std::wstring(*got), L"<BODY>" + wide + L"</BODY>");

  // An empty body is a body, not a failure.
  ASSERT_TRUE(ctrl_.SetBody(""));
  got = ctrl_.GetBody();
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(std::wstring(*got), L"<BODY></BODY>");
  // Nothing kept: document and body have their references back.
  EXPECT_EQ(document_.refs(), 1);
  EXPECT_EQ(body_.refs(), 1);
}

struct BodyFailure {
  const char* name;
  const char* text;
  void (*arrange)(FakeWebBrowser&, FakeHtmlDocument&, FakeHtmlBody&);
  bool getFails;
};

TEST_F(HtmlCtrl, AFailingStepIsAFailureAndChangesNothing) {
  const BodyFailure cases[] = {
      {"no document", "x", [](FakeWebBrowser& b, FakeHtmlDocument&, FakeHtmlBody&) { b.document = NULL; }, true},
      {"no body", "x", [](FakeWebBrowser&, FakeHtmlDocument& d, FakeHtmlBody&) { d.body = NULL; }, true},
      {"the body refuses", "x", [](FakeWebBrowser&, FakeHtmlDocument&, FakeHtmlBody& y) { y.refuseWrites = true; },
       false},
      {"not UTF-8", "caf\xE9 \xC3\x28", [](FakeWebBrowser&, FakeHtmlDocument&, FakeHtmlBody&) {}, false},
      {"no text", NULL, [](FakeWebBrowser&, FakeHtmlDocument&, FakeHtmlBody&) {}, false},
  };
  ASSERT_TRUE(ctrl_.CreateFromStatic(kStaticId, &parent_));
  for (const BodyFailure& c : cases) {
    SCOPED_TRACE(c.name);
    browser_.document = &document_;
    document_.body = &body_;
    body_.refuseWrites = false;
    body_.inner = L"kept";
    c.arrange(browser_, document_, body_);
    EXPECT_FALSE(ctrl_.SetBody(c.text));
    EXPECT_EQ(body_.inner, L"kept");
    EXPECT_EQ(ctrl_.GetBody().has_value(), !c.getFails);
    EXPECT_EQ(document_.refs(), 1);
    EXPECT_EQ(body_.refs(), 1);
  }
  // Before creation and after the end there is no browser at all.
  CQvHtmlCtrl unmade;
  EXPECT_FALSE(unmade.SetBody("x"));
  EXPECT_FALSE(unmade.GetBody().has_value());
  ctrl_.DestroyWindow();
  EXPECT_FALSE(ctrl_.SetBody("x"));
  EXPECT_FALSE(ctrl_.GetBody().has_value());
}

TEST_F(HtmlCtrl, TheEndOfItsWindowGivesTheBrowserBackAndKeepsTheObject) {
  const int windows = testing_support::ThreadWindowCount();
  ASSERT_TRUE(ctrl_.CreateFromStatic(kStaticId, &parent_));
  EXPECT_GT(browser_.refs(), 1);
  EXPECT_EQ(browser_.SinkCount(), 1u);
  // The parent's end takes the control's window with it; the object (a member) stays.
  parent_.DestroyWindow();
  EXPECT_EQ(ctrl_.m_hWnd, nullptr);
  EXPECT_EQ(browser_.refs(), 1);
  EXPECT_EQ(browser_.site(), nullptr);
  EXPECT_EQ(browser_.SinkCount(), 0u);
  EXPECT_EQ(testing_support::ThreadWindowCount(), windows - 3);  // parent, static's place, edit
  EXPECT_TRUE(ctrl_.IsKindOf(RUNTIME_CLASS(CQvHtmlCtrl)));
}

// A plain view, the frame's active one.
class PaneView : public CHtmlView {
 protected:
  void PostNcDestroy() override {}
};

TEST_F(HtmlCtrl, AClickActivatesNoViewOfTheFrame) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 400)));
  FakeWebBrowser paneBrowser, plainBrowser;
  webtest::g_nextBrowser = &paneBrowser;
  PaneView pane;
  ASSERT_TRUE(pane.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame, AFX_IDW_PANE_FIRST));
  frame->SetActiveView(&pane);
  ASSERT_EQ(frame->GetActiveView(), &pane);

  ::SetParent(placeholder_, frame->m_hWnd);
  webtest::g_nextBrowser = &browser_;
  ASSERT_TRUE(ctrl_.CreateFromStatic(kStaticId, frame));
  const LPARAM click = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
  EXPECT_EQ(ctrl_.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd), click), MA_ACTIVATE);
  EXPECT_EQ(frame->GetActiveView(), &pane);

  // A plain HTML view in the same place does become the active view.
  webtest::g_nextBrowser = &plainBrowser;
  PaneView plain;
  ASSERT_TRUE(plain.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 200, 100, 300), frame, 2000));
  plain.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd), click);
  EXPECT_EQ(frame->GetActiveView(), &plain);
  frame->DestroyWindow();
  EXPECT_EQ(browser_.refs(), 1);
  EXPECT_EQ(paneBrowser.refs(), 1);
  EXPECT_EQ(plainBrowser.refs(), 1);
}

}  // namespace
