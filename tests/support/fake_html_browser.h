// An in-process stand-in for the web browser object (there is no HTML engine under Wine): a
// real COM object answering IWebBrowser2, IOleObject and IOleInPlaceObject, a connection point
// container that fires the browser's events (DWebBrowserEvents2) with the browser's argument
// shapes, and its document (IHTMLDocument2) with a body element (IHTMLElement).
//
// The objects live in a test's scope: references are counted, never acted on, so a test can
// check that whoever used them gave every reference back.
//
// In-place activation is done as a browser does it: DoVerb asks the site (IOleInPlaceSite)
// whether it may activate, for its window and its window context, then makes a real child
// window of the given parent in the given rectangle and names itself the frame's active object
// (which is offered the keys and takes those of `takenKeys`); the window is an edit, so that
// the keys that reach it leave their characters. Deactivation destroys the window.
#pragma once
#include <ole2.h>
#include <olectl.h>
#include <exdisp.h>
#include <mshtml.h>

#include <map>
#include <string>
#include <vector>

#include "html_document_stub.h"
#include "web_browser_stub.h"

namespace webtest {

// {34A715A0-6587-11D0-924A-0020AFC7AC4D}
inline const IID kBrowserEvents = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

// The DISPIDs of the events the browser fires.
enum BrowserEvent : DISPID { kBeforeNavigate2 = 250, kNavigateComplete2 = 252, kOnQuit = 253, kDocumentComplete = 259 };

#define WEBTEST_COUNTED_REFS                                                              \
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }        \
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }       \
  long refs() const { return m_refs; }

// The body element. Its content is text; its outer HTML is the content in the body's tags.
// Like the browser's, the body refuses to have its outer HTML replaced.
class FakeHtmlBody : public HtmlElementStub {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, IID_IHTMLElement))
      return E_NOINTERFACE;
    *out = static_cast<IHTMLElement*>(this);
    AddRef();
    return S_OK;
  }
  WEBTEST_COUNTED_REFS

  STDMETHODIMP get_tagName(BSTR* p) override { return Out(L"BODY", p); }
  STDMETHODIMP put_innerHTML(BSTR v) override {
    if (refuseWrites) return E_ACCESSDENIED;
    inner.assign(v != NULL ? v : L"", v != NULL ? SysStringLen(v) : 0);
    return S_OK;
  }
  STDMETHODIMP get_innerHTML(BSTR* p) override { return Out(inner, p); }
  STDMETHODIMP get_outerHTML(BSTR* p) override { return Out(L"<BODY>" + inner + L"</BODY>", p); }
  STDMETHODIMP put_outerHTML(BSTR) override { return E_FAIL; }

  std::wstring inner;
  bool refuseWrites = false;

 private:
  static HRESULT Out(const std::wstring& s, BSTR* p) {
    if (p == NULL) return E_POINTER;
    *p = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    return *p != NULL ? S_OK : E_OUTOFMEMORY;
  }
  long m_refs = 1;
};

// The document; `body` NULL is a document that has no body (yet): get_body answers S_OK and
// NULL, as the browser does while a page loads.
class FakeHtmlDocument : public HtmlDocumentStub {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, IID_IHTMLDocument) &&
        !IsEqualIID(iid, IID_IHTMLDocument2))
      return E_NOINTERFACE;
    *out = static_cast<IHTMLDocument2*>(this);
    AddRef();
    return S_OK;
  }
  WEBTEST_COUNTED_REFS

  STDMETHODIMP get_body(IHTMLElement** p) override {
    if (p == NULL) return E_POINTER;
    *p = body;
    if (body != NULL) body->AddRef();
    return S_OK;
  }

  FakeHtmlBody* body = NULL;

 private:
  long m_refs = 1;
};

class FakeWebBrowser : public WebBrowserStub,
                       public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IConnectionPointContainer,
                       public IConnectionPoint {
 public:
  ~FakeWebBrowser() override {
    for (auto& s : m_sinks) s.second->Release();
    if (m_window != NULL && IsWindow(m_window)) DestroyWindow(m_window);
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWebBrowser) ||
        IsEqualIID(iid, IID_IWebBrowserApp) || IsEqualIID(iid, IID_IWebBrowser2))
      *out = static_cast<IWebBrowser2*>(this);
    else if (IsEqualIID(iid, IID_IOleObject))
      *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
      *out = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
      *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer) && !noEvents)
      *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPoint) && !noEvents)
      *out = static_cast<IConnectionPoint*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  WEBTEST_COUNTED_REFS
  IUnknown* Unknown() { return static_cast<IWebBrowser2*>(this); }

  // --- Knobs: how the browser fails.
  bool failDoVerb = false;  // in-place activation refused
  bool noEvents = false;    // not a connection point container
  // Navigate2 fires BeforeNavigate2, then (unless cancelled) NavigateComplete2 and
  // DocumentComplete, as the browser does for a page that loads at once.
  bool fireOnNavigate = true;
  std::vector<WPARAM> takenKeys = {VK_TAB};  // what the active object takes of the keys
  FakeHtmlDocument* document = NULL;

  // --- What happened.
  IOleClientSite* site() const { return m_site; }
  HWND window() const { return m_window; }       // the in-place window while active
  HWND siteWindow = NULL;                        // what the site said its window is
  RECT activeRect = {};                          // the rectangle DoVerb got
  RECT objectRect = {};                          // the last of SetObjectRects
  int closes = 0;
  int deactivations = 0;
  std::wstring lastUrl;
  long lastFlags = 0;
  std::vector<BYTE> lastPostData;
  std::vector<WPARAM> offeredKeys;  // key-downs offered to the active object
  size_t SinkCount() const { return m_sinks.size(); }

  // --- IWebBrowser2
  STDMETHODIMP Navigate2(VARIANT* url, VARIANT* flags, VARIANT*, VARIANT* postData, VARIANT*) override {
    if (url == NULL || V_VT(url) != VT_BSTR) return E_INVALIDARG;
    lastUrl.assign(V_BSTR(url), SysStringLen(V_BSTR(url)));
    lastFlags = flags != NULL && V_VT(flags) == VT_I4 ? V_I4(flags) : 0;
    lastPostData.clear();
    if (postData != NULL && V_VT(postData) == (VT_ARRAY | VT_UI1)) {
      void* data = NULL;
      SafeArrayAccessData(V_ARRAY(postData), &data);
      const BYTE* bytes = static_cast<const BYTE*>(data);
      lastPostData.assign(bytes, bytes + V_ARRAY(postData)->rgsabound[0].cElements);
      SafeArrayUnaccessData(V_ARRAY(postData));
    }
    if (fireOnNavigate && !FireBeforeNavigate2(lastUrl.c_str(), lastPostData)) {
      FireUrlEvent(kNavigateComplete2, lastUrl.c_str());
      FireUrlEvent(kDocumentComplete, lastUrl.c_str());
    }
    return S_OK;
  }
  STDMETHODIMP get_Document(IDispatch** p) override {
    if (p == NULL) return E_POINTER;
    *p = document;
    if (document != NULL) document->AddRef();
    return S_OK;
  }
  STDMETHODIMP get_Application(IDispatch** p) override {
    if (p == NULL) return E_POINTER;
    *p = static_cast<IWebBrowser2*>(this);
    AddRef();
    return S_OK;
  }

  // --- IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    if (site != NULL) site->AddRef();
    if (m_site != NULL) m_site->Release();
    m_site = site;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) override {
    if (site == NULL) return E_POINTER;
    *site = m_site;
    if (m_site != NULL) m_site->AddRef();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override {
    ++closes;
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) override {
    if (failDoVerb) return E_FAIL;
    if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW) return OLEOBJ_E_INVALIDVERB;
    if (site == NULL || rect == NULL || m_inPlaceSite != NULL) return E_INVALIDARG;
    IOleInPlaceSite* inPlace = NULL;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))) || inPlace == NULL)
      return E_NOINTERFACE;
    IOleInPlaceFrame* frame = NULL;
    IOleInPlaceUIWindow* doc = NULL;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {sizeof info, FALSE, NULL, NULL, 0};
    if (inPlace->CanInPlaceActivate() != S_OK || FAILED(inPlace->GetWindow(&siteWindow)) ||
        FAILED(inPlace->OnInPlaceActivate()) || FAILED(inPlace->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
      inPlace->Release();
      return E_FAIL;
    }
    activeRect = *rect;
    m_window = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect->left, rect->top,
                               rect->right - rect->left, rect->bottom - rect->top, parent, NULL, NULL, NULL);
    if (frame != NULL) {
      frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"page");
      frame->Release();
    }
    if (doc != NULL) doc->Release();
    m_inPlaceSite = inPlace;
    return S_OK;
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  // Unadvise(DWORD) is shared with the connection point's (no advise sinks are taken here).
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // --- IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* wnd) override {
    if (wnd == NULL) return E_POINTER;
    *wnd = m_window;
    return m_window != NULL ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override {
    if (m_inPlaceSite == NULL) return S_OK;
    ++deactivations;
    if (m_window != NULL && IsWindow(m_window)) DestroyWindow(m_window);
    m_window = NULL;
    m_inPlaceSite->OnInPlaceDeactivate();
    m_inPlaceSite->Release();
    m_inPlaceSite = NULL;
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override {
    if (pos == NULL) return E_POINTER;
    objectRect = *pos;
    if (m_window != NULL) MoveWindow(m_window, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // --- IOleInPlaceActiveObject (GetWindow and ContextSensitiveHelp are the ones above)
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override {
    if (msg == NULL) return E_INVALIDARG;
    if (msg->message != WM_KEYDOWN) return S_FALSE;
    offeredKeys.push_back(msg->wParam);
    for (WPARAM key : takenKeys)
      if (key == msg->wParam) return S_OK;
    return S_FALSE;
  }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

  // --- IConnectionPointContainer / IConnectionPoint (the browser's events only)
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override {
    if (e != NULL) *e = NULL;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override {
    if (cp == NULL) return E_POINTER;
    *cp = NULL;
    if (!IsEqualIID(iid, kBrowserEvents)) return CONNECT_E_NOCONNECTION;
    *cp = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP GetConnectionInterface(IID* iid) override {
    if (iid == NULL) return E_POINTER;
    *iid = kBrowserEvents;
    return S_OK;
  }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** c) override {
    if (c == NULL) return E_POINTER;
    *c = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
    if (sink == NULL || cookie == NULL) return E_POINTER;
    IDispatch* dispatch = NULL;
    if (FAILED(sink->QueryInterface(kBrowserEvents, reinterpret_cast<void**>(&dispatch))) || dispatch == NULL)
      return CONNECT_E_CANNOTCONNECT;
    *cookie = ++m_lastCookie;
    m_sinks[*cookie] = dispatch;
    return S_OK;
  }
  STDMETHODIMP Unadvise(DWORD cookie) override {
    auto it = m_sinks.find(cookie);
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    IDispatch* sink = it->second;
    m_sinks.erase(it);
    sink->Release();
    return S_OK;
  }
  STDMETHODIMP EnumConnections(IEnumConnections** e) override {
    if (e != NULL) *e = NULL;
    return E_NOTIMPL;
  }

  // --- Events, with the browser's shapes: the frame's IDispatch first, the address as a
  // VARIANT by reference (VT_BYREF|VT_VARIANT) holding a string, the flags likewise holding a
  // number, post data by reference to a VARIANT by reference to an array of bytes, the cancel
  // flag as a VARIANT_BOOL by reference. Each sink is invoked in turn; the last result.
  HRESULT FireUrlEvent(DISPID id, const wchar_t* url) {
    VARIANT text = String(url);
    VARIANT args[2];
    Init(args[1], VT_DISPATCH);
    V_DISPATCH(&args[1]) = static_cast<IWebBrowser2*>(this);
    ByRef(args[0], &text);
    const HRESULT hr = Fire(id, args, 2);
    VariantClear(&text);
    return hr;
  }
  // Answers whether a sink cancelled the navigation.
  bool FireBeforeNavigate2(const wchar_t* url, const std::vector<BYTE>& postData, long flags = 0,
                           const wchar_t* target = L"", const wchar_t* headers = L"") {
    VARIANT vUrl = String(url), vFlags, vTarget = String(target), vHeaders = String(headers), vPost, vPostRef;
    Init(vFlags, VT_I4);
    V_I4(&vFlags) = flags;
    Init(vPost, VT_EMPTY);
    if (!postData.empty()) {
      SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(postData.size()));
      void* data = NULL;
      SafeArrayAccessData(array, &data);
      memcpy(data, postData.data(), postData.size());
      SafeArrayUnaccessData(array);
      V_VT(&vPost) = VT_ARRAY | VT_UI1;
      V_ARRAY(&vPost) = array;
    }
    ByRef(vPostRef, &vPost);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[7];
    Init(args[6], VT_DISPATCH);
    V_DISPATCH(&args[6]) = static_cast<IWebBrowser2*>(this);
    ByRef(args[5], &vUrl);
    ByRef(args[4], &vFlags);
    ByRef(args[3], &vTarget);
    ByRef(args[2], &vPostRef);
    ByRef(args[1], &vHeaders);
    Init(args[0], VT_BYREF | VT_BOOL);
    V_BOOLREF(&args[0]) = &cancel;
    Fire(kBeforeNavigate2, args, 7);
    for (VARIANT* v : {&vUrl, &vTarget, &vHeaders, &vPost}) VariantClear(v);
    return cancel != VARIANT_FALSE;
  }
  HRESULT FireQuit() { return Fire(kOnQuit, NULL, 0); }
  // Any event with any arguments, already in DISPPARAMS order (last parameter first).
  HRESULT Fire(DISPID id, VARIANT* args, UINT count) {
    DISPPARAMS params = {args, NULL, count, 0};
    HRESULT hr = S_OK;
    std::vector<IDispatch*> sinks;
    for (auto& s : m_sinks) sinks.push_back(s.second);
    for (IDispatch* sink : sinks) hr = sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, NULL, NULL, NULL);
    return hr;
  }

 private:
  static void Init(VARIANT& v, VARTYPE vt) {
    VariantInit(&v);
    V_VT(&v) = vt;
  }
  static VARIANT String(const wchar_t* s) {
    VARIANT v;
    Init(v, VT_BSTR);
    V_BSTR(&v) = SysAllocString(s);
    return v;
  }
  static void ByRef(VARIANT& v, VARIANT* inner) {
    Init(v, VT_BYREF | VT_VARIANT);
    V_VARIANTREF(&v) = inner;
  }

  long m_refs = 1;
  IOleClientSite* m_site = NULL;
  IOleInPlaceSite* m_inPlaceSite = NULL;
  HWND m_window = NULL;
  DWORD m_lastCookie = 0;
  std::map<DWORD, IDispatch*> m_sinks;
};

#undef WEBTEST_COUNTED_REFS

// The browser the next view makes (through BrowserFactory); NULL makes the factory fail.
inline FakeWebBrowser* g_nextBrowser = NULL;

inline HRESULT MakeFakeBrowser(IUnknown** out) {
  if (out == NULL) return E_POINTER;
  *out = NULL;
  if (g_nextBrowser == NULL) return REGDB_E_CLASSNOTREG;
  *out = g_nextBrowser->Unknown();
  (*out)->AddRef();
  return S_OK;
}

}  // namespace webtest
