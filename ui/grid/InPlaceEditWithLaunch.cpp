#include "InPlaceEditWithLaunch.h"

#include <UIHandles.h>
#include <commctrl.h>

#include <utility>

BEGIN_MESSAGE_MAP(CInPlaceEditWithLaunch, CEdit)
  ON_CONTROL_REFLECT_EX(EN_CHANGE, &CInPlaceEditWithLaunch::OnChange)
  ON_MESSAGE(EM_SETREADONLY, &CInPlaceEditWithLaunch::OnSetReadOnly)
  ON_MESSAGE(WM_SETTEXT, &CInPlaceEditWithLaunch::OnSetText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CInPlaceEditWithLaunch::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CInPlaceEditWithLaunch::OnToolTipText)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCCALCSIZE()
  ON_WM_SIZE()
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_NCMOUSEMOVE()
  ON_WM_NCPAINT()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

// The three dots of a button w x h, shifted by d, in colour.
void DrawDots(CDC* pDC, int w, int h, int d, COLORREF colour) {
  const int q = w / 4, r = w % 4, s = w / 10;
  const int x = w / 2 - (r == 0 ? 1 : 0) - q + d;
  const int y = h / 2 - s / 2 + d;
  if (s < 2) {
    for (int i = 0; i < 3; ++i) pDC->SetPixel(x + i * q, y, colour);
    return;
  }
  CPen pen(PS_SOLID, 1, colour);
  CBrush brush(colour);
  const uih::Selection penSel(pDC->m_hDC, static_cast<HPEN>(pen.GetSafeHandle()));
  const uih::Selection brushSel(pDC->m_hDC, static_cast<HBRUSH>(brush.GetSafeHandle()));
  for (int i = 0; i < 3; ++i) pDC->Ellipse(x + i * q, y, x + i * q + s, y + s);
}

}  // namespace

CInPlaceEditWithLaunch::CInPlaceEditWithLaunch(int nItem, int nSubItem, CString sInitText, PFNLAUNCHCALLBACK pfnLaunch,
                                               DWORD_PTR userValue, BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete),
      m_nItem(nItem),
      m_nSubItem(nSubItem),
      m_bEscape(FALSE),
      m_sInitText(std::move(sInitText)),
      m_nButtonSide(-1),
      m_bButtonPressed(FALSE),
      m_bTextChanged(TRUE),
      m_dwLaunchStyle(0),
      m_nButtonState(kNormal),
      m_nButtonWidth(-1),
      m_pfnLaunch(pfnLaunch),
      m_userValue(userValue),
      m_bLaunching(FALSE) {}

CInPlaceEditWithLaunch::~CInPlaceEditWithLaunch() {}

void CInPlaceEditWithLaunch::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

BOOL CInPlaceEditWithLaunch::Create(DWORD dwLaunchStyle, DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle,
                                    const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!CreateEx(dwExStyle, _T("EDIT"), lpszWindowName, dwStyle, rect, pParentWnd, nID)) return FALSE;
  if (!SetLaunchStyle(dwLaunchStyle)) {
    DestroyWindow();
    return FALSE;
  }
  if (pParentWnd != NULL) SetFont(pParentWnd->GetFont());
  return TRUE;
}

void CInPlaceEditWithLaunch::RecalcFrame() {
  SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CInPlaceEditWithLaunch::SetLaunchStyle(DWORD dwStyle) {
  m_bTextChanged = TRUE;
  const int side = static_cast<int>(dwStyle & LAUNCH_BUTTON_LEFT);
  const BOOL flatChanged = ((dwStyle ^ m_dwLaunchStyle) & LAUNCH_FLAT) != 0;
  m_dwLaunchStyle = dwStyle;
  if (side != m_nButtonSide) {
    m_nButtonSide = side;
    if (GetSafeHwnd() != NULL) RecalcFrame();
  }
  if (flatChanged) UpdateFlatLook((dwStyle & LAUNCH_FLAT) != 0);
  return TRUE;
}

int CInPlaceEditWithLaunch::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
  CWnd* parent = GetParent();
  if (parent != NULL) SetFont(parent->GetFont());
  SetWindowText(m_sInitText);
  SetFocus();
  SetSel(0, -1);
  return 0;
}

// The tips' window is owned by the top-level window (a child cannot own a pop-up), so it does
// not go with the edit by itself.
void CInPlaceEditWithLaunch::OnDestroy() {
  if (m_toolTip.GetSafeHwnd() != NULL) m_toolTip.DestroyWindow();
  CEdit::OnDestroy();
}

void CInPlaceEditWithLaunch::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
  RECT& client = lpncsp->rgrc[0];
  const int width = m_nButtonWidth != -1 ? m_nButtonWidth : (client.bottom - client.top) * 8 / 10;
  m_rcButton = client;
  if (m_nButtonSide == LAUNCH_BUTTON_LEFT) {
    m_rcButton.right = client.left + width;
    client.left += width;
  } else {
    client.right -= width;
    m_rcButton.left = client.right;
  }
  // Window-relative: less the window's top-left (the second rectangle when valid rects are asked).
  if (bCalcValidRects) m_rcButton.OffsetRect(-lpncsp->rgrc[1].left, -lpncsp->rgrc[1].top);
  // The tools' rectangles are stale now: the tips are made again on the next message.
  if (m_toolTip.GetSafeHwnd() != NULL) m_toolTip.DestroyWindow();
}

void CInPlaceEditWithLaunch::OnSize(UINT nType, int cx, int cy) {
  CEdit::OnSize(nType, cx, cy);
  RecalcFrame();
}

BOOL CInPlaceEditWithLaunch::InButton(CPoint screen) const {
  CRect window;
  GetWindowRect(window);
  return m_rcButton.PtInRect(CPoint(screen.x - window.left, screen.y - window.top));
}

LRESULT CInPlaceEditWithLaunch::OnNcHitTest(CPoint point) {
  const LRESULT hit = CEdit::OnNcHitTest(point);
  return hit == HTNOWHERE && InButton(point) ? HTBORDER : hit;
}

void CInPlaceEditWithLaunch::PressButton() {
  SetFocus();
  SetCapture();
  m_bButtonPressed = TRUE;
  RedrawButton(kPressed);
}

void CInPlaceEditWithLaunch::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (InButton(point) && (m_nButtonState & kDisabled) == 0)
    PressButton();
  else
    CEdit::OnNcLButtonDown(nHitTest, point);
}

void CInPlaceEditWithLaunch::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (InButton(point) && (m_nButtonState & kDisabled) == 0)
    PressButton();
  else
    Default();
  (void)nHitTest;
}

void CInPlaceEditWithLaunch::HoverOn() {
  if (::GetCapture() != m_hWnd) SetCapture();
  if ((m_nButtonState & kFlat) != 0) UpdateFlatLook(FALSE);
}

void CInPlaceEditWithLaunch::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bButtonPressed) {
    CPoint screen(point);
    ClientToScreen(&screen);
    const int state = InButton(screen) ? kPressed : kNormal;
    if ((m_nButtonState & ~kFlat) != state) RedrawButton(state);
    return;
  }
  CEdit::OnMouseMove(nFlags, point);
  if ((m_dwLaunchStyle & LAUNCH_FLAT) == 0 || ::GetFocus() == m_hWnd || GetSafeHwnd() == NULL) return;
  // Without the focus the edit follows the mouse itself: raised while over it, flat once it left.
  CPoint screen(point);
  ClientToScreen(&screen);
  CRect window, client;
  GetWindowRect(window);
  if (window.PtInRect(screen)) {
    HoverOn();
    GetClientRect(client);
    ::SetCursor(::LoadCursor(NULL, client.PtInRect(point) ? IDC_IBEAM : IDC_ARROW));
  } else {
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    UpdateFlatLook(TRUE);
  }
}

void CInPlaceEditWithLaunch::OnNcMouseMove(UINT nHitTest, CPoint point) {
  CEdit::OnNcMouseMove(nHitTest, point);
  if ((m_dwLaunchStyle & LAUNCH_FLAT) != 0 && ::GetFocus() != m_hWnd) HoverOn();
}

// With the flat look the edit may hold the capture for the hover, so a press on the button
// arrives here in client coordinates rather than as a non-client press.
void CInPlaceEditWithLaunch::OnLButtonDown(UINT nFlags, CPoint point) {
  CPoint screen(point);
  ClientToScreen(&screen);
  if ((m_dwLaunchStyle & LAUNCH_FLAT) != 0 && InButton(screen) && (m_nButtonState & kDisabled) == 0) {
    PressButton();
    return;
  }
  CEdit::OnLButtonDown(nFlags, point);
}

void CInPlaceEditWithLaunch::OnLButtonUp(UINT nFlags, CPoint point) {
  CEdit::OnLButtonUp(nFlags, point);
  if (!m_bButtonPressed) return;
  ReleaseCapture();
  m_bButtonPressed = FALSE;
  if ((m_nButtonState & ~kFlat) != kNormal) RedrawButton(kNormal);
  ClientToScreen(&point);
  if (InButton(point)) Launch();
}

void CInPlaceEditWithLaunch::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if ((nChar == VK_OEM_PERIOD || nChar == VK_DECIMAL) && GetKeyState(VK_CONTROL) < 0) {
    Launch();
    return;
  }
  CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEditWithLaunch::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_ESCAPE) {
    m_bEscape = TRUE;
    if (GetParent() != NULL) GetParent()->SetFocus();
    return;
  }
  if (nChar == VK_RETURN) {
    if (GetParent() != NULL) GetParent()->SetFocus();
    return;
  }
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CInPlaceEditWithLaunch::OnChange() {
  m_bTextChanged = TRUE;
  return FALSE;  // the parent sees the change too
}

LRESULT CInPlaceEditWithLaunch::OnSetReadOnly(WPARAM, LPARAM) {
  const LRESULT result = Default();
  UpdateFlatLook(TRUE);
  return result;
}

LRESULT CInPlaceEditWithLaunch::OnSetText(WPARAM, LPARAM) {
  m_bTextChanged = TRUE;
  return Default();
}

void CInPlaceEditWithLaunch::MakeToolTips() {
  if (m_toolTip.GetSafeHwnd() != NULL || GetSafeHwnd() == NULL) return;
  if (!m_toolTip.Create(this)) return;
  m_toolTip.Activate(TRUE);
  m_toolTip.SetFont(GetFont());
  // The button in client coordinates (it lies outside the client area).
  CRect window, client;
  GetWindowRect(window);
  CPoint clientOrigin(0, 0);
  ClientToScreen(&clientOrigin);
  CRect button(m_rcButton);
  button.OffsetRect(window.left - clientOrigin.x, window.top - clientOrigin.y);
  GetClientRect(client);
  m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, button, kToolButton);
  m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, client, kToolText);
}

BOOL CInPlaceEditWithLaunch::PreTranslateMessage(MSG* pMsg) {
  if ((m_dwLaunchStyle & (LAUNCH_TIP_BUTTON | LAUNCH_TIP_TEXT)) != 0) {
    MakeToolTips();
    if (m_toolTip.GetSafeHwnd() != NULL) m_toolTip.RelayEvent(pMsg);
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd &&
      (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE ||
       GetKeyState(VK_CONTROL) < 0)) {
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  return CEdit::PreTranslateMessage(pMsg);
}

BOOL CInPlaceEditWithLaunch::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (pNMHDR->hwndFrom != m_toolTip.GetSafeHwnd()) return FALSE;
  const UINT_PTR tool = pNMHDR->idFrom;
  CString text;
  if (tool == kToolButton && (m_dwLaunchStyle & LAUNCH_TIP_BUTTON) != 0)
    text = _T("Launch");
  else if (tool == kToolText && (m_dwLaunchStyle & LAUNCH_TIP_TEXT) != 0)
    text = m_sToolTipText;
  // The text lives in this edit until the next request (it may exceed the record's own buffer).
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
#ifdef UNICODE
    m_tipTextW.assign(text.GetString());
#else
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
    m_tipTextW.assign(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, &m_tipTextW[0], n);
#endif
    info->hinst = NULL;
    info->lpszText = const_cast<LPWSTR>(m_tipTextW.c_str());
  } else {
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
#ifdef UNICODE
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    m_tipTextA.assign(n > 0 ? n : 1, '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, -1, &m_tipTextA[0], n, NULL, NULL);
#else
    m_tipTextA.assign(text.GetString());
#endif
    info->hinst = NULL;
    info->lpszText = const_cast<LPSTR>(m_tipTextA.c_str());
  }
  return TRUE;
}

void CInPlaceEditWithLaunch::OnSetFocus(CWnd* pOldWnd) {
  CEdit::OnSetFocus(pOldWnd);
  UpdateFlatLook(FALSE);
  SetSel(0, -1);
}

void CInPlaceEditWithLaunch::OnEnable(BOOL bEnable) {
  CEdit::OnEnable(bEnable);
  UpdateFlatLook(TRUE);
  RedrawButton(kNormal);
}

void CInPlaceEditWithLaunch::OnKillFocus(CWnd* pNewWnd) {
  if (m_bLaunching) {
    CEdit::OnKillFocus(pNewWnd);
    return;
  }
  if (m_bButtonPressed) {
    ReleaseCapture();
    m_bButtonPressed = FALSE;
    if ((m_nButtonState & ~kFlat) != kNormal) RedrawButton(kNormal);
  }
  CString text;
  GetWindowText(text);
  CEdit::OnKillFocus(pNewWnd);
  CWnd* parent = GetParent();
  CWnd* notified = parent != NULL ? parent->GetParent() : NULL;
  if (notified != NULL) {
    NMLVDISPINFO info = {};
    info.hdr.hwndFrom = parent->GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = m_nItem;
    info.item.iSubItem = m_nSubItem;
    info.item.pszText = m_bEscape ? NULL : text.GetBuffer();
    info.item.cchTextMax = m_bEscape ? 0 : text.GetLength();
    HWND self = m_hWnd;
    notified->SendMessage(WM_NOTIFY, static_cast<WPARAM>(parent->GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
    if (!::IsWindow(self)) return;
  }
  DestroyWindow();
}

void CInPlaceEditWithLaunch::Launch() {
  // The parent and the callback may destroy the edit (and with auto-delete, this object): each
  // step after them first checks that the window is still there.
  const HWND self = m_hWnd;
  CWnd* parent = GetParent();
  if (parent != NULL) {
    // The parent may take the launch itself: {this edit, its id, code 1, the object, 0}.
    struct {
      NMHDR hdr;
      CInPlaceEditWithLaunch* edit;
      LPARAM reserved;
    } nm = {{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), 1}, this, 0};
    if (parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) != 0 || !::IsWindow(self))
      return;
  }
  if (m_pfnLaunch == NULL) return;
  m_bLaunching = TRUE;
  CString text;
  GetWindowText(text);
  m_pfnLaunch(m_userValue, m_nItem, m_nSubItem, text);
  if (!::IsWindow(self)) return;
  SetWindowText(text);
  m_bLaunching = FALSE;
  if (parent != NULL) parent->SetFocus();
}

void CInPlaceEditWithLaunch::UpdateFlatLook(BOOL bOn) {
  if (GetSafeHwnd() == NULL || (m_dwLaunchStyle & LAUNCH_FLAT) == 0) {
    m_nButtonState &= ~kFlat;
    return;
  }
  if (bOn && ::GetFocus() != m_hWnd) {
    m_nButtonState |= kFlat;
    CRect window;
    GetWindowRect(window);
    if (GetParent() != NULL) {
      GetParent()->ScreenToClient(window);
      GetParent()->RedrawWindow(window, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
  } else {
    m_nButtonState &= ~kFlat;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  }
}

void CInPlaceEditWithLaunch::OnNcPaint() {
  if ((m_nButtonState & kFlat) != 0) {
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(window);
    GetClientRect(client);
    ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_WINDOW));
    const uih::Selection penSel(dc.m_hDC, static_cast<HPEN>(pen.GetSafeHandle()));
    const uih::Selection brushSel(dc.m_hDC, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    CRect outline(0, 0, window.Width(), window.Height());
    dc.Rectangle(outline);
    outline.DeflateRect(1, 1);
    dc.Rectangle(outline);
  } else {
    Default();
  }
  RedrawButton(m_nButtonState & ~kFlat);
}

void CInPlaceEditWithLaunch::RedrawButton(int nState) {
  if (GetSafeHwnd() == NULL) return;
  CWindowDC dc(this);
  DrawButton(&dc, nState);
}

void CInPlaceEditWithLaunch::DrawButton(CDC* pDC, int nState) {
  const int w = m_rcButton.Width(), h = m_rcButton.Height();
  if (w < 3 || h < 3) return;
  if (GetSafeHwnd() != NULL && !IsWindowEnabled()) nState = kDisabled;
  const BOOL flat = (m_nButtonState & kFlat) != 0;
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC)) return;
  CBitmap bitmap;
  if (!bitmap.CreateCompatibleBitmap(pDC, w, h)) return;
  const uih::Selection bitmapSel(mem.m_hDC, static_cast<HBITMAP>(bitmap.GetSafeHandle()));
  CBrush face(GetSysColor(COLOR_BTNFACE));
  mem.SetBrushOrg(-(m_rcButton.left % 8), -(m_rcButton.top % 8));
  mem.FillRect(CRect(0, 0, w, h), &face);
  CRect rc(0, 0, w, h);
  if (nState == kPressed) {
    CBrush shadow(GetSysColor(COLOR_3DSHADOW));
    mem.FrameRect(rc, &shadow);
    DrawDots(&mem, w, h, 1, GetSysColor(COLOR_BTNTEXT));
  } else {
    if (!flat) {
      mem.DrawEdge(rc, EDGE_RAISED, BF_RECT);
    } else {
      CRect cover(rc);
      if (m_rcButton.left < 4)
        cover.right++;
      else
        cover.left--;
      cover.InflateRect(0, 1);
      CBrush window(GetSysColor(COLOR_WINDOW));
      mem.FrameRect(cover, &window);
    }
    if (nState == kDisabled) {
      DrawDots(&mem, w, h, 1, GetSysColor(COLOR_3DHIGHLIGHT));
      DrawDots(&mem, w, h, 0, GetSysColor(COLOR_3DSHADOW));
    } else {
      COLORREF colour = GetSysColor(COLOR_BTNTEXT);
      if (flat && (m_dwLaunchStyle & LAUNCH_FLAT_GREY_DOTS) != 0) {
        const int l = (GetGValue(colour) * 59 + GetBValue(colour) * 11 + GetRValue(colour) * 30) / 100;
        colour = RGB(l, l, l);
      }
      DrawDots(&mem, w, h, 0, colour);
    }
  }
  pDC->BitBlt(m_rcButton.left, m_rcButton.top, w, h, &mem, 0, 0, SRCCOPY);
  m_nButtonState = nState | (m_nButtonState & kFlat);
}
