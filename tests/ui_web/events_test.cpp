// The browser's event sink and the automation under it: each event in the browser's argument
// shapes, what reaches the owner's window, a sink without an owner, the dispatch errors a
// caller gets, and who holds the sink.
#include <gtest/gtest.h>

#include <IE5Events.h>
#include <framework.h>

#include <string>

#include "fake_browser.h"
#include "recorder.h"

using testing_support::ExpectedMsg;
using testing_support::kLparam;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::LoggingParent;
using testing_support::Recorder;
using namespace webtest;

namespace {

class Events : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_TRUE(owner.Attach(window.hwnd()));
    // The owner hears the address texts while they live.
    window.answer = [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
      if (message != IE5EVENTS_NAVIGATECOMPLETE && message != IE5EVENTS_DOCUMENTCOMPLETE) return false;
      addresses.push_back(lParam != 0 ? reinterpret_cast<LPCTSTR>(lParam) : _T("(null)"));
      *result = 0;
      return true;
    };
    sink = new CIE5Events(&owner);
    ASSERT_TRUE(AfxConnectionAdvise(browser.Unknown(), IID_QuarnelWebBrowserEvents2, sink->GetIDispatch(FALSE), TRUE, &cookie));
    Recorder().Watch(window.hwnd());
  }
  void TearDown() override {
    Recorder().UnwatchAll();
    if (sink != NULL) {
      AfxConnectionUnadvise(browser.Unknown(), IID_QuarnelWebBrowserEvents2, sink->GetIDispatch(FALSE), TRUE, cookie);
      sink->ExternalRelease();
    }
    owner.Detach();
  }
  // One event: drain, clear, fire, pump.
  HRESULT Fire(DISPID id, std::vector<VARIANT> args, UINT* argErr = NULL) {
    Recorder().Reset();
    addresses.clear();
    const HRESULT hr = browser.Fire(id, std::move(args), argErr);
    Recorder().Pump();
    return hr;
  }

  LoggingParent window;
  CWnd owner;
  FakeEventSource browser{IID_QuarnelWebBrowserEvents2};
  CIE5Events* sink = NULL;
  DWORD cookie = 0;
  std::vector<std::basic_string<TCHAR>> addresses;
};

// Every event the map answers, as the browser fires it: only the three that matter reach the
// owner, the address of the two navigation events as text.
TEST_F(Events, EveryEventInTheBrowsersShapes) {
  BSTR url = SysAllocString(L"http://example.org/page");
  VARIANT address = Bstr(url), empty;
  VariantInit(&empty);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  IDispatch* newWindow = NULL;
  BSTR status = SysAllocString(L"Done");
  const std::basic_string<TCHAR> text = _T("http://example.org/page");

  // BeforeNavigate2(pDisp, &url, &flags, &frame, &postData, &headers, &cancel): nothing; the
  // cancel flag stays as it was.
  EXPECT_EQ(Fire(CIE5Events::kBeforeNavigate2, {Dispatch(NULL), ByRef(&address), ByRef(&empty), ByRef(&empty),
                                                ByRef(&empty), ByRef(&empty), BoolRef(&cancel)}),
            S_OK);
  EXPECT_EQ(cancel, VARIANT_FALSE);
  EXPECT_EQ(Recorder().Messages().size(), 0u);

  struct Quiet {
    DISPID id;
    std::vector<VARIANT> args;
  } const quiet[] = {
      {CIE5Events::kCommandStateChange, {I4(1), Bool(true)}},
      {CIE5Events::kDownloadBegin, {}},
      {CIE5Events::kDownloadComplete, {}},
      {CIE5Events::kNewWindow2, {DispatchRef(&newWindow), BoolRef(&cancel)}},
      {CIE5Events::kProgressChange, {I4(50), I4(100)}},
      {CIE5Events::kStatusTextChange, {Bstr(status)}},
      {CIE5Events::kTitleChange, {Bstr(status)}},
  };
  for (const Quiet& q : quiet) {
    EXPECT_EQ(Fire(q.id, q.args), S_OK) << q.id;
    EXPECT_EQ(Recorder().Messages().size(), 0u) << q.id;
  }
  EXPECT_EQ(newWindow, nullptr);
  EXPECT_EQ(cancel, VARIANT_FALSE);

  // NavigateComplete2(pDisp, &url) and DocumentComplete(pDisp, &url): the address text.
  struct Navigation {
    DISPID id;
    UINT message;
  } const navigations[] = {{CIE5Events::kNavigateComplete2, IE5EVENTS_NAVIGATECOMPLETE},
                           {CIE5Events::kDocumentComplete, IE5EVENTS_DOCUMENTCOMPLETE}};
  for (const Navigation& n : navigations) {
    const ExpectedMsg kAddress[] = {{n.message, kSent | kParent | kWparam, 0, 0}, {0, 0, 0, 0}};
    EXPECT_EQ(Fire(n.id, {Dispatch(NULL), ByRef(&address)}), S_OK);
    EXPECT_TRUE(Recorder().Matches(kAddress)) << n.id;
    EXPECT_EQ(addresses, std::vector<std::basic_string<TCHAR>>({text})) << n.id;
  }

  // OnQuit: 0x8102 with both parameters 0.
  const ExpectedMsg kQuit[] = {{IE5EVENTS_QUIT, kSent | kParent | kWparam | kLparam, 0, 0}, {0, 0, 0, 0}};
  EXPECT_EQ(Fire(CIE5Events::kOnQuit, {}), S_OK);
  EXPECT_TRUE(Recorder().Matches(kQuit));
  SysFreeString(url);
  SysFreeString(status);
}

// The address in every shape: a string directly or by reference is sent, anything else not.
TEST_F(Events, TheAddressIsSentOnlyWhenItIsAString) {
  BSTR url = SysAllocString(L"file:///c:/a.htm");
  BSTR null = NULL;
  VARIANT str = Bstr(url), number = I4(5), strRef = BstrRef(&url), nullStr = Bstr(null), empty;
  VariantInit(&empty);
  struct Case {
    const char* what;
    VARIANT arg;
    const TCHAR* sent;  // NULL: nothing is sent
  } const cases[] = {
      {"string by variant reference", ByRef(&str), _T("file:///c:/a.htm")},
      {"string", str, _T("file:///c:/a.htm")},
      {"string reference", strRef, _T("file:///c:/a.htm")},
      {"string reference by variant reference", ByRef(&strRef), _T("file:///c:/a.htm")},
      {"null string", nullStr, _T("")},
      {"number by reference", ByRef(&number), NULL},
      {"number", number, NULL},
      {"empty by reference", ByRef(&empty), NULL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Fire(CIE5Events::kDocumentComplete, {Dispatch(NULL), c.arg}), S_OK);
    if (c.sent == NULL) {
      EXPECT_EQ(Recorder().Count(IE5EVENTS_DOCUMENTCOMPLETE), 0u);
      EXPECT_TRUE(addresses.empty());
    } else {
      EXPECT_EQ(addresses, std::vector<std::basic_string<TCHAR>>({c.sent}));
    }
  }
  SysFreeString(url);
}

// Made through its run-time class: no owner; every event, OnQuit included, sends nothing.
TEST_F(Events, AnOwnerlessSinkSendsNothing) {
  CObject* made = RUNTIME_CLASS(CIE5Events)->CreateObject();
  ASSERT_NE(made, nullptr);
  CIE5Events* ownerless = static_cast<CIE5Events*>(made);
  EXPECT_EQ(ownerless->GetOwner(), nullptr);
  FakeEventSource other(IID_QuarnelWebBrowserEvents2);
  DWORD c = 0;
  ASSERT_TRUE(AfxConnectionAdvise(other.Unknown(), IID_QuarnelWebBrowserEvents2, ownerless->GetIDispatch(FALSE), TRUE, &c));
  BSTR url = SysAllocString(L"http://x/");
  VARIANT address = Bstr(url);
  Recorder().Reset();
  EXPECT_EQ(other.Fire(CIE5Events::kNavigateComplete2, {Dispatch(NULL), ByRef(&address)}), S_OK);
  EXPECT_EQ(other.Fire(CIE5Events::kDocumentComplete, {Dispatch(NULL), ByRef(&address)}), S_OK);
  EXPECT_EQ(other.Fire(CIE5Events::kOnQuit, {}), S_OK);
  Recorder().Pump();
  EXPECT_EQ(Recorder().Messages().size(), 0u);
  // An owner whose window has gone is no owner either.
  sink->Detach();
  EXPECT_EQ(Fire(CIE5Events::kOnQuit, {}), S_OK);
  EXPECT_EQ(Recorder().Messages().size(), 0u);
  EXPECT_TRUE(AfxConnectionUnadvise(other.Unknown(), IID_QuarnelWebBrowserEvents2, ownerless->GetIDispatch(FALSE), TRUE, c));
  ownerless->ExternalRelease();
  SysFreeString(url);
}

// What a caller of the dispatch interface gets for a wrong call.
TEST_F(Events, DispatchErrorsForWrongCalls) {
  UINT argErr = 99;
  BSTR word = SysAllocString(L"not a number");
  struct Case {
    const char* what;
    DISPID id;
    std::vector<VARIANT> args;
    HRESULT expected;
    UINT argErr;  // DISPPARAMS index of the bad argument, 99 when none is named
  } const cases[] = {
      {"unknown DISPID", 9999, {}, DISP_E_MEMBERNOTFOUND, 99},
      {"too few arguments", CIE5Events::kProgressChange, {I4(1)}, DISP_E_BADPARAMCOUNT, 99},
      {"too many arguments", CIE5Events::kOnQuit, {I4(1)}, DISP_E_BADPARAMCOUNT, 99},
      // The second parameter (index 0 in DISPPARAMS, which holds them last first) is no number.
      {"a text for a number", CIE5Events::kProgressChange, {I4(1), Bstr(word)}, DISP_E_TYPEMISMATCH, 0},
      {"a number for a boolean reference", CIE5Events::kNewWindow2, {DispatchRef(NULL), I4(1)}, DISP_E_TYPEMISMATCH, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    argErr = 99;
    EXPECT_EQ(Fire(c.id, c.args, &argErr), c.expected);
    EXPECT_EQ(argErr, c.argErr);
  }
  SysFreeString(word);

  IDispatch* dispatch = sink->GetIDispatch(FALSE);
  DISPPARAMS none = {NULL, NULL, 0, 0};
  EXPECT_EQ(dispatch->Invoke(CIE5Events::kOnQuit, IID_IDispatch, 0, DISPATCH_METHOD, &none, NULL, NULL, NULL),
            DISP_E_UNKNOWNINTERFACE);
  DISPID named = 0;
  DISPPARAMS withNamed = {NULL, &named, 0, 1};
  EXPECT_EQ(dispatch->Invoke(CIE5Events::kOnQuit, IID_NULL, 0, DISPATCH_METHOD, &withNamed, NULL, NULL, NULL),
            DISP_E_NONAMEDARGS);

  // Names, in any case.
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"navigatecomplete2")};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, CIE5Events::kNavigateComplete2);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Refresh")};
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
}

// The interfaces the sink answers, and its references: a browser connected with a counted
// connection keeps the sink alive after its maker let go; ending the connection frees it.
TEST_F(Events, InterfacesAndReferences) {
  IUnknown* unknown = NULL;
  IDispatch* events = NULL;
  IDispatch* dispatch = NULL;
  ASSERT_EQ(sink->ExternalQueryInterface(&IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  ASSERT_EQ(sink->ExternalQueryInterface(&IID_QuarnelWebBrowserEvents2, reinterpret_cast<void**>(&events)), S_OK);
  ASSERT_EQ(sink->ExternalQueryInterface(&IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  EXPECT_EQ(events, sink->GetIDispatch(FALSE));
  EXPECT_EQ(dispatch, sink->GetIDispatch(FALSE));
  unknown->Release();
  events->Release();
  dispatch->Release();
  EXPECT_EQ(sink->m_dwRef, 2);  // the maker's and the browser's

  // The maker lets go while the browser still holds the sink: it lives and still answers.
  CIE5Events* held = sink;
  sink = NULL;
  EXPECT_EQ(held->ExternalRelease(), 1u);
  held->Detach();
  EXPECT_EQ(browser.Fire(CIE5Events::kOnQuit, {}), S_OK);
  // The browser lets go: the last reference frees it.
  EXPECT_EQ(browser.Unadvise(cookie), S_OK);
  EXPECT_EQ(browser.SinkCount(), 0u);

  // An uncounted connection gives the source's reference back at once.
  CIE5Events* plain = new CIE5Events(&owner);
  DWORD c = 0;
  ASSERT_TRUE(AfxConnectionAdvise(browser.Unknown(), IID_QuarnelWebBrowserEvents2, plain->GetIDispatch(FALSE), FALSE, &c));
  EXPECT_EQ(plain->m_dwRef, 1);
  EXPECT_TRUE(AfxConnectionUnadvise(browser.Unknown(), IID_QuarnelWebBrowserEvents2, plain->GetIDispatch(FALSE), FALSE, c));
  EXPECT_EQ(plain->m_dwRef, 1);
  plain->ExternalRelease();

  // A source with no such connection point.
  FakeEventSource other(IID_IPropertyNotifySink);
  CIE5Events* lone = new CIE5Events(NULL);
  EXPECT_FALSE(AfxConnectionAdvise(other.Unknown(), IID_QuarnelWebBrowserEvents2, lone->GetIDispatch(FALSE), TRUE, &c));
  EXPECT_FALSE(AfxConnectionAdvise(NULL, IID_QuarnelWebBrowserEvents2, lone->GetIDispatch(FALSE), TRUE, &c));
  EXPECT_EQ(lone->m_dwRef, 1);
  lone->ExternalRelease();
}

}  // namespace
