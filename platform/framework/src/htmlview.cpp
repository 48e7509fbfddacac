// CHtmlView: the web browser object active in place in a view, its OLE site and its events.
#include "fw_htmlview.h"
#include "fw_disp.h"

extern "C" const IID FW_DIID_DWebBrowserEvents2 = {
    0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

namespace {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kClsidWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

HRESULT SystemBrowser(IUnknown** browser) {
  return ::CoCreateInstance(kClsidWebBrowser, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown,
                            reinterpret_cast<void**>(browser));
}

CHtmlView::BrowserFactory s_factory = &SystemBrowser;

// The VARIANT an event argument stands for, through any chain of VT_BYREF|VT_VARIANT.
const VARIANT* Resolve(const VARIANT* v) {
  for (int depth = 0; v != NULL && V_VT(v) == (VT_BYREF | VT_VARIANT) && depth < 4; ++depth) v = V_VARIANTREF(v);
  return v != NULL && V_VT(v) == (VT_BYREF | VT_VARIANT) ? NULL : v;
}

// The text of a string argument (directly or by reference); empty for any other kind.
CString TextOf(const VARIANT* v) {
  v = Resolve(v);
  if (v == NULL) return CString();
  BSTR text = NULL;
  if (V_VT(v) == VT_BSTR)
    text = V_BSTR(v);
  else if (V_VT(v) == (VT_BYREF | VT_BSTR) && V_BSTRREF(v) != NULL)
    text = *V_BSTRREF(v);
  return text != NULL ? CString(CStringW(text, static_cast<int>(::SysStringLen(text)))) : CString();
}

DWORD NumberOf(const VARIANT* v) {
  v = Resolve(v);
  if (v == NULL) return 0;
  VARIANT n;
  ::VariantInit(&n);
  if (FAILED(::VariantChangeType(&n, const_cast<VARIANT*>(v), 0, VT_I4))) return 0;
  return static_cast<DWORD>(V_I4(&n));
}

// The bytes of a post-data argument (an array of bytes, directly or by reference).
void BytesOf(const VARIANT* v, CByteArray& bytes) {
  bytes.RemoveAll();
  v = Resolve(v);
  if (v == NULL) return;
  SAFEARRAY* array = NULL;
  if (V_VT(v) == (VT_ARRAY | VT_UI1))
    array = V_ARRAY(v);
  else if (V_VT(v) == (VT_BYREF | VT_ARRAY | VT_UI1) && V_ARRAYREF(v) != NULL)
    array = *V_ARRAYREF(v);
  if (array == NULL || ::SafeArrayGetDim(array) != 1) return;
  LONG low = 0, high = -1;
  if (FAILED(::SafeArrayGetLBound(array, 1, &low)) || FAILED(::SafeArrayGetUBound(array, 1, &high)) || high < low)
    return;
  void* data = NULL;
  if (FAILED(::SafeArrayAccessData(array, &data))) return;
  const INT_PTR count = static_cast<INT_PTR>(high) - low + 1;
  bytes.SetSize(count);
  memcpy(bytes.GetData(), data, static_cast<size_t>(count));
  ::SafeArrayUnaccessData(array);
}

template <class I>
I* Query(IUnknown* from, REFIID iid) {
  I* out = NULL;
  if (from == NULL || FAILED(from->QueryInterface(iid, reinterpret_cast<void**>(&out)))) return NULL;
  return out;
}

}  // namespace

// The container side the browser talks to: client site, in-place site and in-place frame of
// the view's window. Reference counted; the view detaches it before letting go, after which it
// answers as a site without a window.
class CHtmlViewSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit CHtmlViewSite(HWND wnd) : m_wnd(wnd) {}

  void Detach() {
    m_wnd = NULL;
    SetActiveObject(NULL, NULL);
  }

  // Offers a key message to the active object; S_OK when it took it.
  HRESULT TranslateKey(MSG* msg) {
    if (m_active == NULL) return S_FALSE;
    // The object may end itself (and let go of the site) while it handles the key.
    IOleInPlaceActiveObject* active = m_active;
    active->AddRef();
    const HRESULT hr = active->TranslateAccelerator(msg);
    active->Release();
    return hr;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == NULL) return E_POINTER;
    *out = NULL;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
      *out = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
      *out = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame))
      *out = static_cast<IOleInPlaceFrame*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  // IOleClientSite: nothing is saved or named; the view is always shown.
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker != NULL) *moniker = NULL;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container != NULL) *container = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (the in-place site's and the frame's): the view's window.
  STDMETHODIMP GetWindow(HWND* wnd) override {
    if (wnd == NULL) return E_POINTER;
    *wnd = m_wnd;
    return m_wnd != NULL ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite: the object lives over the whole client area.
  STDMETHODIMP CanInPlaceActivate() override { return m_wnd != NULL ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (frame == NULL || doc == NULL || pos == NULL || clip == NULL || info == NULL) return E_POINTER;
    *frame = NULL;
    *doc = NULL;
    if (m_wnd == NULL) return E_FAIL;
    *frame = this;
    AddRef();
    ::GetClientRect(m_wnd, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_wnd;
    info->haccel = NULL;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    SetActiveObject(NULL, NULL);
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow: no room for the object's tools; the active object is kept for its
  // keys.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override {
    return widths == NULL ? S_OK : INPLACE_E_NOTOOLSPACE;
  }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
    if (object != NULL) object->AddRef();
    if (m_active != NULL) m_active->Release();
    m_active = object;
    return S_OK;
  }

  // IOleInPlaceFrame: no shared menus, no status line, no frame accelerators.
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override {
    if (widths != NULL) widths->width[0] = widths->width[2] = widths->width[4] = 0;
    return S_OK;
  }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~CHtmlViewSite() {
    if (m_active != NULL) m_active->Release();
  }

  LONG m_refs = 1;
  HWND m_wnd;
  IOleInPlaceActiveObject* m_active = NULL;
};

// The view's receiver of the browser's events; reference counted (the browser holds it while
// connected). Detached from the view before the view lets it go.
class CHtmlViewEvents : public CCmdTarget {
 public:
  explicit CHtmlViewEvents(CHtmlView* view) : m_view(view) { EnableAutomation(); }
  void Detach() { m_view = NULL; }

  enum { kBeforeNavigate2 = 250, kNavigateComplete2 = 252, kDocumentComplete = 259 };

 protected:
  void BeforeNavigate2(LPDISPATCH, VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                       VARIANT* headers, VARIANT_BOOL* cancel) {
    if (m_view == NULL) return;
    CByteArray posted;
    BytesOf(postData, posted);
    BOOL stop = cancel != NULL && *cancel != VARIANT_FALSE;
    m_view->OnBeforeNavigate2(TextOf(url), NumberOf(flags), TextOf(target), posted, TextOf(headers), &stop);
    if (cancel != NULL) *cancel = stop ? VARIANT_TRUE : VARIANT_FALSE;
  }
  void NavigateComplete2(LPDISPATCH, VARIANT* url) {
    if (m_view != NULL) m_view->OnNavigateComplete2(TextOf(url));
  }
  void DocumentComplete(LPDISPATCH, VARIANT* url) {
    if (m_view != NULL) m_view->OnDocumentComplete(TextOf(url));
  }

 private:
  CHtmlView* m_view;

  DECLARE_DISPATCH_MAP()
  DECLARE_INTERFACE_MAP()
};

BEGIN_DISPATCH_MAP(CHtmlViewEvents, CCmdTarget)
  DISP_FUNCTION_ID(CHtmlViewEvents, "BeforeNavigate2", kBeforeNavigate2, BeforeNavigate2, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PBOOL)
  DISP_FUNCTION_ID(CHtmlViewEvents, "NavigateComplete2", kNavigateComplete2, NavigateComplete2, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT)
  DISP_FUNCTION_ID(CHtmlViewEvents, "DocumentComplete", kDocumentComplete, DocumentComplete, VT_EMPTY,
                   VTS_DISPATCH VTS_PVARIANT)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CHtmlViewEvents, CCmdTarget)
  INTERFACE_PART(CHtmlViewEvents, FW_DIID_DWebBrowserEvents2, Dispatch)
END_INTERFACE_MAP()

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHtmlView::BrowserFactory CHtmlView::SetBrowserFactory(BrowserFactory factory) {
  BrowserFactory previous = s_factory;
  s_factory = factory != NULL ? factory : &SystemBrowser;
  return previous;
}

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView() { ReleaseBrowser(); }

BOOL CHtmlView::PreCreateWindow(CREATESTRUCT& cs) {
  // The browser's window covers the view: no painting under it.
  cs.style |= WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

void CHtmlView::OnDraw(CDC*) {}

BOOL CHtmlView::OnEraseBkgnd(CDC* pDC) {
  // Without a browser (or before it shows) the view is an empty window.
  return m_pBrowserObject != NULL ? TRUE : CView::OnEraseBkgnd(pDC);
}

int CHtmlView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  return CreateBrowser() ? 0 : -1;
}

BOOL CHtmlView::CreateBrowser() {
  IUnknown* browser = NULL;
  if (FAILED(s_factory(&browser)) || browser == NULL) return FALSE;
  m_pBrowserObject = Query<IOleObject>(browser, IID_IOleObject);
  m_pBrowserApp = Query<IWebBrowser2>(browser, IID_IWebBrowser2);
  browser->Release();
  if (m_pBrowserObject == NULL || m_pBrowserApp == NULL) {
    ReleaseBrowser();
    return FALSE;
  }
  m_pSite = new CHtmlViewSite(m_hWnd);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (FAILED(m_pBrowserObject->SetClientSite(m_pSite)) ||
      FAILED(m_pBrowserObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, m_pSite, 0, m_hWnd, &client))) {
    ReleaseBrowser();
    return FALSE;
  }
  // The browser holds the receiver while connected; the view keeps its own reference.
  m_pEvents = new CHtmlViewEvents(this);
  if (!AfxConnectionAdvise(m_pBrowserApp, FW_DIID_DWebBrowserEvents2, m_pEvents->GetIDispatch(FALSE), TRUE,
                           &m_dwEventsCookie)) {
    m_dwEventsCookie = 0;
    ReleaseBrowser();
    return FALSE;
  }
  return TRUE;
}

void CHtmlView::ReleaseBrowser() {
  if (m_pEvents != NULL) {
    // No event reaches the view from here on, whatever the browser does while it closes.
    m_pEvents->Detach();
    if (m_dwEventsCookie != 0 && m_pBrowserApp != NULL)
      AfxConnectionUnadvise(m_pBrowserApp, FW_DIID_DWebBrowserEvents2, m_pEvents->GetIDispatch(FALSE), TRUE,
                            m_dwEventsCookie);
    m_dwEventsCookie = 0;
    m_pEvents->ExternalRelease();
    m_pEvents = NULL;
  }
  if (m_pBrowserObject != NULL) {
    if (IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(m_pBrowserObject, IID_IOleInPlaceObject)) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
    m_pBrowserObject->Close(OLECLOSE_NOSAVE);
    m_pBrowserObject->SetClientSite(NULL);
    m_pBrowserObject->Release();
    m_pBrowserObject = NULL;
  }
  if (m_pBrowserApp != NULL) {
    m_pBrowserApp->Release();
    m_pBrowserApp = NULL;
  }
  if (m_pSite != NULL) {
    m_pSite->Detach();
    m_pSite->Release();
    m_pSite = NULL;
  }
}

void CHtmlView::OnDestroy() {
  ReleaseBrowser();
  CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_pBrowserObject == NULL) return;
  if (IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(m_pBrowserObject, IID_IOleInPlaceObject)) {
    RECT client = {0, 0, cx, cy};
    inPlace->SetObjectRects(&client, &client);
    inPlace->Release();
  }
}

BOOL CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
                          LPCVOID lpvPostData, DWORD dwPostDataLen) {
  if (m_pBrowserApp == NULL || lpszURL == NULL) return FALSE;
  VARIANT url, flags, target, postData, headers;
  for (VARIANT* v : {&url, &flags, &target, &postData, &headers}) ::VariantInit(v);
  V_VT(&url) = VT_BSTR;
  V_BSTR(&url) = ::SysAllocString(CStringW(lpszURL));
  V_VT(&flags) = VT_I4;
  V_I4(&flags) = static_cast<LONG>(dwFlags);
  if (lpszTargetFrameName != NULL) {
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = ::SysAllocString(CStringW(lpszTargetFrameName));
  }
  if (lpszHeaders != NULL) {
    V_VT(&headers) = VT_BSTR;
    V_BSTR(&headers) = ::SysAllocString(CStringW(lpszHeaders));
  }
  bool made = V_BSTR(&url) != NULL && (lpszTargetFrameName == NULL || V_BSTR(&target) != NULL) &&
              (lpszHeaders == NULL || V_BSTR(&headers) != NULL);
  if (made && lpvPostData != NULL && dwPostDataLen != 0) {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
    void* data = NULL;
    if (array != NULL && SUCCEEDED(::SafeArrayAccessData(array, &data))) {
      memcpy(data, lpvPostData, dwPostDataLen);
      ::SafeArrayUnaccessData(array);
      V_VT(&postData) = VT_ARRAY | VT_UI1;
      V_ARRAY(&postData) = array;
    } else {
      if (array != NULL) ::SafeArrayDestroy(array);
      made = false;
    }
  }
  const BOOL ok = made && SUCCEEDED(m_pBrowserApp->Navigate2(&url, &flags, &target, &postData, &headers));
  for (VARIANT* v : {&url, &flags, &target, &postData, &headers}) ::VariantClear(v);
  return ok;
}

LPDISPATCH CHtmlView::GetHtmlDocument() const {
  IDispatch* document = NULL;
  if (m_pBrowserApp == NULL || FAILED(m_pBrowserApp->get_Document(&document))) return NULL;
  return document;
}

LPDISPATCH CHtmlView::GetApplication() const {
  IDispatch* application = NULL;
  if (m_pBrowserApp == NULL || FAILED(m_pBrowserApp->get_Application(&application))) return NULL;
  return application;
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg) {
  if (pMsg != NULL && m_pSite != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) && m_pSite->TranslateKey(pMsg) == S_OK)
    return TRUE;
  return CView::PreTranslateMessage(pMsg);
}

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}

void CHtmlView::OnNavigateComplete2(LPCTSTR) {}

void CHtmlView::OnDocumentComplete(LPCTSTR) {}
