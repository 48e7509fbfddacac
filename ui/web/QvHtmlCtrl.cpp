#include "QvHtmlCtrl.h"

#include "UITrace.h"

#include <framework.h>

#include <mshtml.h>

namespace {

UlmLogger s_log("QvHtmlCtrl");

// An interface pointer released at the end of its scope.
template <class I>
struct ComRef {
  I* p = NULL;
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p != NULL) p->Release();
  }
  void** out() { return reinterpret_cast<void**>(&p); }
};

// The body element of the browser's document; NULL (traced) when a step fails.
IHTMLElement* BodyOf(const CHtmlView& view) {
  ComRef<IDispatch> dispatch;
  dispatch.p = view.GetHtmlDocument();
  if (dispatch.p == NULL) {
    UI_TRACE_FAILED(s_log, "the browser's document");
    return NULL;
  }
  ComRef<IHTMLDocument2> document;
  if (FAILED(dispatch.p->QueryInterface(IID_IHTMLDocument2, document.out())) || document.p == NULL) {
    UI_TRACE_FAILED(s_log, "the HTML document");
    return NULL;
  }
  IHTMLElement* body = NULL;
  if (FAILED(document.p->get_body(&body)) || body == NULL) {
    UI_TRACE_FAILED(s_log, "the document's body");
    return NULL;
  }
  return body;
}

bool IsStatic(HWND wnd) {
  TCHAR name[16] = {};
  return ::GetClassName(wnd, name, 16) > 0 && ::lstrcmpi(name, _T("Static")) == 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CQvHtmlCtrl, CHtmlView)

BEGIN_MESSAGE_MAP(CQvHtmlCtrl, CHtmlView)
  ON_WM_DESTROY()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CQvHtmlCtrl::CQvHtmlCtrl() = default;

CQvHtmlCtrl::~CQvHtmlCtrl() {
  // A member of a dialog whose window still exists: its window must not outlive the object.
  if (m_hWnd != NULL && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CQvHtmlCtrl::CreateFromStatic(UINT id, CWnd* parent) {
  HWND parentWnd = parent != NULL ? parent->GetSafeHwnd() : NULL;
  if (m_hWnd != NULL || parentWnd == NULL) return FALSE;
  HWND placeholder = ::GetDlgItem(parentWnd, static_cast<int>(id));
  if (placeholder == NULL || !IsStatic(placeholder)) return FALSE;
  RECT rect;
  ::GetWindowRect(placeholder, &rect);
  ::MapWindowPoints(NULL, parentWnd, reinterpret_cast<POINT*>(&rect), 2);
  if (!Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, parent, id, NULL)) {
    UI_TRACE_FAILED(s_log, "the HTML view");
    return FALSE;
  }
  // The static's place in the z-order (and so in the tab order) becomes the view's.
  ::SetWindowPos(m_hWnd, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(placeholder);
  return TRUE;
}

bool CQvHtmlCtrl::SetBody(const char* utf8) {
  if (utf8 == NULL) return false;
  const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, NULL, 0);
  if (length <= 0) {
    UI_TRACE_FAILED(s_log, "the body text (not UTF-8)");
    return false;
  }
  BSTR text = ::SysAllocStringLen(NULL, static_cast<UINT>(length - 1));
  if (text == NULL) return false;
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, text, length);
  bool done = false;
  ComRef<IHTMLElement> body;
  body.p = BodyOf(*this);
  if (body.p != NULL) {
    // The body's content: the browser does not let the body element itself be replaced.
    done = SUCCEEDED(body.p->put_innerHTML(text));
    if (!done) UI_TRACE_FAILED(s_log, "the body's content");
  }
  ::SysFreeString(text);
  return done;
}

std::optional<CStringW> CQvHtmlCtrl::GetBody() const {
  ComRef<IHTMLElement> body;
  body.p = BodyOf(*this);
  if (body.p == NULL) return std::nullopt;
  BSTR html = NULL;
  if (FAILED(body.p->get_outerHTML(&html))) {
    UI_TRACE_FAILED(s_log, "the body's HTML");
    return std::nullopt;
  }
  CStringW result(html != NULL ? html : L"", static_cast<int>(::SysStringLen(html)));
  ::SysFreeString(html);
  return result;
}

void CQvHtmlCtrl::PostNcDestroy() {}

void CQvHtmlCtrl::OnDestroy() { CHtmlView::OnDestroy(); }

int CQvHtmlCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
