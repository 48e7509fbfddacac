#include "HyperLink.h"

#include "UILinks.h"
#include "UITrace.h"

#include <QvGlobals.h>
#include <framework.h>

#include <shellapi.h>

namespace {

UlmLogger s_log("HyperLink");

const UINT_PTR kToolId = 1;

}  // namespace

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_NCHITTEST()
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

COLORREF CHyperLink::g_crLinkColor = RGB(0, 0, 255);
COLORREF CHyperLink::g_crActiveColor = RGB(0, 128, 128);
COLORREF CHyperLink::g_crVisitedColor = RGB(128, 0, 128);
COLORREF CHyperLink::g_crHoverColor = RGB(255, 0, 0);
HCURSOR CHyperLink::g_hLinkCursor = NULL;

CHyperLink::CHyperLink() : m_style(StyleUnderline | StyleAutoSize | StyleGetFocusOnClick) {}

CHyperLink::~CHyperLink() = default;

BOOL CHyperLink::SubclassDlgItem(UINT id, CWnd* parent, LPCTSTR url) {
  m_url = url != NULL ? url : _T("");
  return CStatic::SubclassDlgItem(id, parent);
}

void CHyperLink::MakeLinkFont(HFONT from) {
  LOGFONT lf = {};
  if (from == NULL || ::GetObject(from, sizeof(lf), &lf) != sizeof(lf)) return;
  lf.lfUnderline = (m_style & StyleUnderline) ? 1 : 0;
  m_linkFont.Reset(::CreateFontIndirect(&lf));
  if (!m_linkFont) UI_TRACE_FAILED(s_log, "CreateFontIndirect");
}

void CHyperLink::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  // The static must tell its parent of clicks to be a link.
  ModifyStyle(0, SS_NOTIFY);
  CString text;
  GetWindowText(text);
  if (m_url.IsEmpty()) m_url = text;
  if (text.IsEmpty()) ::SetWindowText(m_hWnd, m_url);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (font != NULL) {
    MakeLinkFont(font);
    if (m_linkFont) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), FALSE);
    AdjustWindow();
  } else {
    m_style &= ~StyleAutoSize;
  }
  if (!(m_style & StyleNoHandCursor)) SetDefaultCursor();
  if (m_toolTip.Create(this)) {
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, m_url, &client, kToolId);
  }
}

void CHyperLink::OnNcDestroy() {
  if (m_toolTip.m_hWnd != NULL) m_toolTip.DestroyWindow();
  CStatic::OnNcDestroy();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    m_toolTip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

COLORREF CHyperLink::CurrentColor() const {
  if (m_over && (m_style & StyleUseHover)) return g_crHoverColor;
  if (m_active && !(m_style & StyleNoActiveColor)) return g_crActiveColor;
  if (m_visited) return g_crVisitedColor;
  return g_crLinkColor;
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT) {
  ::SetTextColor(pDC->GetSafeHdc(), CurrentColor());
  ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CHyperLink::AdjustWindow() {
  if (!(m_style & StyleAutoSize) || m_hWnd == NULL) return;
  CString text;
  GetWindowText(text);
  SIZE extent = {0, 0};
  {
    uih::WindowDC dc(m_hWnd);
    uih::Selection font(dc.Get(), m_linkFont ? m_linkFont.Get() : reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    ::GetTextExtentPoint32(dc.Get(), text, text.GetLength(), &extent);
  }
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  const int frameW = window.Width() - client.Width(), frameH = window.Height() - client.Height();
  CWnd* parent = GetParent();
  if (parent != NULL) parent->ScreenToClient(&window);
  CRect r(window.left, window.top, window.left + client.Width(), window.top + client.Height());
  const DWORD style = GetStyle();
  if (style & SS_CENTERIMAGE) {
    const int d = (r.Height() - extent.cy) / 2;
    r.top += d;
    r.bottom = r.top + extent.cy;
  } else {
    r.bottom = r.top + extent.cy;
  }
  const DWORD align = style & SS_TYPEMASK;
  if (align == SS_CENTER) {
    const int d = (r.Width() - extent.cx) / 2;
    r.left += d;
    r.right = r.left + extent.cx;
  } else if (align == SS_RIGHT) {
    r.left = r.right - extent.cx;
  } else {
    r.right = r.left + extent.cx;
  }
  MoveWindow(r.left, r.top, r.Width() + frameW, r.Height() + frameH, TRUE);
  if (m_toolTip.m_hWnd != NULL) {
    CRect tool(0, 0, extent.cx, extent.cy);
    m_toolTip.SetToolRect(this, kToolId, &tool);
  }
}

void CHyperLink::SetURL(CString url) {
  m_url = url;
  if (m_hWnd == NULL) return;
  ShowWindow(SW_HIDE);
  AdjustWindow();
  if (m_toolTip.m_hWnd != NULL) m_toolTip.UpdateTipText(m_url, this, kToolId);
  ShowWindow(SW_SHOW);
}

void CHyperLink::SetWindowText(LPCTSTR text) {
  if (m_hWnd == NULL) return;
  ShowWindow(SW_HIDE);
  ::SetWindowText(m_hWnd, text != NULL ? text : _T(""));
  AdjustWindow();
  ShowWindow(SW_SHOW);
}

void CHyperLink::SetFont(CFont* font) {
  if (m_hWnd == NULL || font == NULL) return;
  ShowWindow(SW_HIDE);
  MakeLinkFont(static_cast<HFONT>(font->GetSafeHandle()));
  if (m_linkFont) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), FALSE);
  AdjustWindow();
  ShowWindow(SW_SHOW);
}

BOOL CHyperLink::ModifyLinkStyle(DWORD remove, DWORD add, BOOL apply) {
  if (remove & add) return FALSE;
  m_style = (m_style & ~remove) | add;
  if (apply && m_hWnd != NULL) {
    if ((remove | add) & StyleUnderline) {
      MakeLinkFont(m_linkFont ? m_linkFont.Get() : reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
      if (m_linkFont) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), TRUE);
    }
    if (add & StyleAutoSize) AdjustWindow();
    if (remove & StyleUseHover) Invalidate();
  }
  return TRUE;
}

void CHyperLink::SetVisited(BOOL visited) {
  m_visited = visited;
  if (m_hWnd != NULL) Invalidate();
}

void CHyperLink::SetColors(COLORREF link, COLORREF active, COLORREF visited, COLORREF hover) {
  g_crLinkColor = link;
  g_crActiveColor = active;
  g_crVisitedColor = visited;
  g_crHoverColor = hover == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
}

void CHyperLink::SetColors(tagHYPERLINKCOLORS& colors) {
  SetColors(colors.crLink, colors.crActive, colors.crVisited, colors.crHover);
}

void CHyperLink::GetColors(tagHYPERLINKCOLORS& colors) {
  colors.crLink = g_crLinkColor;
  colors.crActive = g_crActiveColor;
  colors.crVisited = g_crVisitedColor;
  colors.crHover = g_crHoverColor;
}

void CHyperLink::SetLinkCursor(HICON cursor) {
  if (cursor == NULL) {
    g_hLinkCursor = NULL;
    SetDefaultCursor();
  } else {
    g_hLinkCursor = cursor;
  }
}

HICON CHyperLink::GetLinkCursor() { return g_hLinkCursor; }

// The system's hand: the help viewer that once carried a hand cursor is gone from current
// systems (and from Wine).
void CHyperLink::SetDefaultCursor() {
  if (g_hLinkCursor == NULL) g_hLinkCursor = ::LoadCursor(NULL, IDC_HAND);
}

BOOL CHyperLink::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
  if (g_hLinkCursor != NULL && !(m_style & StyleNoHandCursor)) {
    ::SetCursor(g_hLinkCursor);
    return TRUE;
  }
  return CStatic::OnSetCursor(pWnd, hitTest, message);
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point) {
  CStatic::OnMouseMove(flags, point);
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point)) {
    if (!m_over) {
      m_over = TRUE;
      SetCapture();
      Invalidate();
    }
  } else if (m_over) {
    m_over = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Invalidate();
  }
}

void CHyperLink::OnLButtonDown(UINT flags, CPoint point) {
  if (m_style & StyleGetFocusOnClick) SetFocus();
  const HWND self = m_hWnd;
  if (m_style & StyleDownClick) FollowLink();
  if (!::IsWindow(self)) return;  // the link's opener may have closed its dialog
  m_active = TRUE;
  Invalidate();
  CStatic::OnLButtonDown(flags, point);
}

void CHyperLink::OnLButtonUp(UINT flags, CPoint point) {
  const HWND self = m_hWnd;
  CStatic::OnLButtonUp(flags, point);
  if (!::IsWindow(self)) return;
  if (m_active && !(m_style & StyleDownClick)) FollowLink();
}

void CHyperLink::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE)
    FollowLink();
  else
    CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CHyperLink::OnSetFocus(CWnd* pOld) {
  CStatic::OnSetFocus(pOld);
  m_active = TRUE;
  Invalidate();
}

void CHyperLink::OnKillFocus(CWnd* pNew) {
  CStatic::OnKillFocus(pNew);
  m_active = FALSE;
  m_over = FALSE;
  Invalidate();
}

LRESULT CHyperLink::OnNcHitTest(CPoint) { return HTCLIENT; }

void CHyperLink::FollowLink() {
  const HWND self = m_hWnd;
  const int result = GotoURL(m_url, SW_SHOW);
  if (!::IsWindow(self)) return;
  if (result > 32) {
    SetVisited(TRUE);
  } else {
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportError(result);
  }
}

int CHyperLink::GotoURL(LPCTSTR url, int) {
  QvLinkDef link;
  link.m_target = CStringW(url != NULL ? url : _T("")).GetString();
  if (link.m_target.empty()) return SE_ERR_FNF;
  // The library's opener: the shell, else the registered browser; targets other than web and
  // mail addresses only with the local-link consent.
  return CArrayLinkDefs::OpenLink(link) ? 33 : SE_ERR_NOASSOC;
}

LONG CHyperLink::GetRegKey(HKEY root, LPCTSTR subkey, CString& out) {
  out.Empty();
  HKEY key = NULL;
  LONG result = ::RegOpenKeyEx(root, subkey, 0, KEY_QUERY_VALUE, &key);
  if (result != ERROR_SUCCESS) return result;
  DWORD type = 0, bytes = 0;
  result = ::RegQueryValueEx(key, NULL, NULL, &type, NULL, &bytes);
  if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<BYTE> data(bytes + sizeof(TCHAR) * 2, 0);
    DWORD size = bytes;
    result = ::RegQueryValueEx(key, NULL, NULL, &type, data.data(), &size);
    if (result == ERROR_SUCCESS) out = reinterpret_cast<LPCTSTR>(data.data());
  }
  ::RegCloseKey(key);
  return result;
}

CString CHyperLink::ErrorText(int code) {
  const TCHAR* text = NULL;
  switch (code) {
    case 0: text = _T("The operating system is out\nof memory or resources."); break;
    case SE_ERR_FNF: text = _T("The specified file was not found."); break;
    case SE_ERR_PNF: text = _T("The specified path was not found."); break;
    case SE_ERR_ACCESSDENIED: text = _T("The operating system denied\naccess to the specified file."); break;
    case SE_ERR_OOM: text = _T("There was not enough memory to complete the operation."); break;
    case ERROR_BAD_FORMAT: text = _T("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."); break;
    case SE_ERR_SHARE: text = _T("A sharing violation occurred. "); break;
    case SE_ERR_ASSOCINCOMPLETE: text = _T("The filename association is\nincomplete or invalid."); break;
    case SE_ERR_DDETIMEOUT: text = _T("The DDE transaction could not\nbe completed because the request timed out."); break;
    case SE_ERR_DDEFAIL: text = _T("The DDE transaction failed."); break;
    case SE_ERR_DDEBUSY:
      text = _T("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.");
      break;
    case SE_ERR_NOASSOC: text = _T("There is no application associated\nwith the given filename extension."); break;
    case SE_ERR_DLLNOTFOUND: text = _T("The specified dynamic-link library was not found."); break;
    default: break;
  }
  CString message(_T("Can't open link:\n\n"));
  if (text != NULL) {
    message += text;
  } else {
    CString unknown;
    unknown.Format(_T("Unknown Error (%d) occurred."), code);
    message += unknown;
  }
  return message;
}

void CHyperLink::ReportError(int code) {
  const CString message = ErrorText(code);
  if (BypassDialogs()) {
    UI_TRACE_REFUSED(s_log, CStringA(message).GetString());
    return;
  }
  AfxMessageBox(message, MB_ICONEXCLAMATION);
}
