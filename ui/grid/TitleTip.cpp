#include "TitleTip.h"

#include <ControlClass.h>
#include <UIHandles.h>

#define TITLETIP_CLASSNAME _T("XTitleTip")

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

BOOL CTitleTip::RegisterWindowClass() {
  const quarnel::WindowClassSpec spec = {L"XTitleTip", CS_SAVEBITS, ::DefWindowProcW, 0,
                                         reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1)};
  if (!quarnel::RegisterWindowClass(AfxGetInstanceHandle(), spec)) AfxThrowResourceException();
  return TRUE;
}

CTitleTip::CTitleTip()
    : m_pParentWnd(NULL),
      m_dwLastLButtonDown(static_cast<DWORD>(-1)),
      m_dwDblClickMsecs(GetDoubleClickTime()),
      m_bCreated(FALSE) {
  RegisterWindowClass();
}

CTitleTip::~CTitleTip() {
  if (GetSafeHwnd() != NULL) DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd) {
  if (m_bCreated) return TRUE;
  m_pParentWnd = pParentWnd;
  m_bCreated = CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TITLETIP_CLASSNAME, NULL, WS_POPUP | WS_BORDER, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, NULL);
  return m_bCreated;
}

BOOL CTitleTip::DestroyWindow() {
  m_bCreated = FALSE;
  return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset, LPRECT lpHoverRect, const LOGFONT* lpLogFont,
                     COLORREF crTextClr, COLORREF crBackClr) {
  if (GetSafeHwnd() == NULL && !Create(m_pParentWnd)) return;
  if (rectTitle.IsRectEmpty() || IsWindowVisible() || m_pParentWnd == NULL) return;
  m_rectHover = lpHoverRect != NULL ? CRect(*lpHoverRect) : rectTitle;
  m_rectHover.right++;
  m_rectHover.bottom++;
  m_pParentWnd->ClientToScreen(m_rectHover);
  ScreenToClient(m_rectHover);
  // A tip for a window without the focus would take input from whatever has it.
  if (::GetFocus() == NULL) return;
  m_rectDisplay = CRect(-1 - xoffset, -1, rectTitle.Width() - xoffset, rectTitle.Height() + 1);
  m_pParentWnd->ClientToScreen(rectTitle);

  CString text;
  text.Format(_T(" %s "), lpszTitleText != NULL ? lpszTitleText : _T(""));
  CClientDC dc(this);
  CFont font;
  CFont* pFont = NULL;
  if (lpLogFont != NULL && font.CreateFontIndirect(lpLogFont)) pFont = &font;
  if (pFont == NULL) pFont = m_pParentWnd->GetFont();
  const uih::Selection fontSel(dc.m_hDC, pFont != NULL ? static_cast<HFONT>(pFont->GetSafeHandle()) : HFONT(NULL));
  TEXTMETRIC tm;
  if (!dc.GetTextMetrics(&tm)) tm.tmOverhang = 0;
  const int width = dc.GetTextExtent(text).cx + tm.tmOverhang;
  if (rectTitle.left + xoffset + width + xoffset > rectTitle.right - xoffset) {
    SetWindowPos(&wndTopMost, rectTitle.left + xoffset, rectTitle.top, width, rectTitle.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (crBackClr != 0xFF000000) {
      CBrush brush(crBackClr);
      const uih::Selection brushSel(dc.m_hDC, static_cast<HBRUSH>(brush.GetSafeHandle()));
      CRect clip;
      dc.GetClipBox(clip);
      dc.PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    }
    if (crTextClr != 0xFF000000) dc.SetTextColor(crTextClr);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, text);
    SetCapture();
  }
}

void CTitleTip::Hide() {
  if (GetSafeHwnd() == NULL) return;
  if (GetCapture() == this) ReleaseCapture();
  ShowWindow(SW_HIDE);
}

// The window under a screen point, the parent standing in for the tip itself.
namespace {
CWnd* WindowUnder(CTitleTip* tip, CWnd* parent, POINT screen) {
  CWnd* wnd = CWnd::WindowFromPoint(screen);
  if (wnd == tip) wnd = parent;
  return wnd;
}
}  // namespace

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_rectHover.PtInRect(point)) return;
  Hide();
  ClientToScreen(&point);
  CWnd* wnd = WindowUnder(this, m_pParentWnd, point);
  if (wnd == NULL) return;
  const LRESULT hit = wnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  if (hit != HTCLIENT) {
    wnd->PostMessage(WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(point.x, point.y));
  } else {
    wnd->ScreenToClient(&point);
    wnd->PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
  }
}

BOOL CTitleTip::Forward(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Hide();
      if (m_pParentWnd != NULL) m_pParentWnd->PostMessage(msg.message, msg.wParam, msg.lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      BOOL dblClick = FALSE;
      if (msg.message == WM_LBUTTONDOWN) {
        const DWORD now = GetTickCount();
        const DWORD elapsed = now - m_dwLastLButtonDown;
        m_dwLastLButtonDown = now;
        dblClick = m_dwDblClickMsecs >= elapsed;
      }
      POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ClientToScreen(&pt);
      Hide();
      CWnd* wnd = WindowUnder(this, m_pParentWnd, pt);
      if (wnd == NULL) return FALSE;
      UINT message = msg.message;
      WPARAM wParam = msg.wParam;
      LPARAM lParam;
      const LRESULT hit = wnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
      if (hit != HTCLIENT) {
        message = message == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                  : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                              : WM_NCMBUTTONDOWN;
        wParam = static_cast<WPARAM>(hit);
        lParam = MAKELPARAM(pt.x, pt.y);
      } else {
        wnd->ScreenToClient(&pt);
        lParam = MAKELPARAM(pt.x, pt.y);
      }
      wnd->PostMessage(dblClick ? WM_LBUTTONDBLCLK : message, wParam, lParam);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

LRESULT CTitleTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      MSG msg = {};
      msg.hwnd = m_hWnd;
      msg.message = message;
      msg.wParam = wParam;
      msg.lParam = lParam;
      if (Forward(msg)) return 0;
      break;
    }
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return Forward(*pMsg) ? TRUE : CWnd::PreTranslateMessage(pMsg);
    default:
      break;
  }
  if (::GetFocus() == NULL) {
    Hide();
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}
