// Resizable windows: anchored children, size grip, tracking limits, saved placement.
#include "ResizableLayout.h"

#include <ulmora.h>

#include <tchar.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "UIHandles.h"
#include "UITrace.h"

namespace {

UlmLogger s_log("ResizableLayout");

const TCHAR kGripProperty[] = _T("ResizableGrip");
const TCHAR kPlacementEntry[] = _T("WindowPlacement");
const UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// The window's class name, upper case.
CString UpperClassName(HWND hWnd) {
  TCHAR name[261] = {0};
  ::GetClassName(hWnd, name, 260);
  CharUpperBuff(name, static_cast<DWORD>(lstrlen(name)));
  return CString(name);
}

// The window rectangle of a child in its parent's client coordinates.
CRect RectInClient(HWND parent, HWND child) {
  CRect rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<LPPOINT>(&rc), 2);
  return rc;
}

// The anchor point of `percent` on a side of `length` pixels (truncated toward zero).
int AnchorPoint(int length, int percent) { return length * percent / 100; }

// One pass of moves: batched with DeferWindowPos; when the batch cannot take a window (it was
// destroyed meanwhile, say), the moves batched so far and all later ones are made directly.
class MoveBatch {
 public:
  explicit MoveBatch(int count) { Begin(count); }
  ~MoveBatch() { End(); }

  void Begin(int count) {
    m_pending.clear();
    m_hdwp = m_direct ? NULL : ::BeginDeferWindowPos(count > 0 ? count : 1);
    if (!m_direct && m_hdwp == NULL) {
      UI_TRACE_FAILED(s_log, "BeginDeferWindowPos");
      m_direct = true;
    }
  }

  void Move(HWND hWnd, const CRect& rc, UINT flags) {
    if (!m_direct) {
      HDWP next = ::DeferWindowPos(m_hdwp, hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), flags);
      if (next != NULL) {
        m_hdwp = next;
        m_pending.push_back({hWnd, rc, flags});
        return;
      }
      UI_TRACE_FAILED(s_log, "DeferWindowPos");
      FallBack();
    }
    ::SetWindowPos(hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), flags);
  }

  void End() {
    if (m_direct || m_hdwp == NULL) return;
    if (!::EndDeferWindowPos(m_hdwp)) {
      UI_TRACE_FAILED(s_log, "EndDeferWindowPos");
      m_hdwp = NULL;
      FallBack();
      return;
    }
    m_hdwp = NULL;
    m_pending.clear();
  }

 private:
  struct Pending {
    HWND hWnd;
    CRect rc;
    UINT flags;
  };

  // The batch is no longer trusted: what it held is moved window by window.
  void FallBack() {
    m_direct = true;
    m_hdwp = NULL;
    for (const Pending& p : m_pending)
      if (::IsWindow(p.hWnd))
        ::SetWindowPos(p.hWnd, NULL, p.rc.left, p.rc.top, p.rc.Width(), p.rc.Height(), p.flags);
    m_pending.clear();
  }

  HDWP m_hdwp = NULL;
  bool m_direct = false;
  std::vector<Pending> m_pending;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// CResizableLayout

CResizableLayout::~CResizableLayout() = default;

void CResizableLayout::UpdateArrayLayout(int index, LayoutInfo& layout) {
  LayoutInfo copy = layout;  // layout may be the entry itself
  m_arrLayout.RemoveAt(index);
  m_arrLayout.InsertAt(index, copy);
}

BOOL CResizableLayout::AddAnchor(UINT nID, CSize sizeTypeTL, CSize sizeTypeBR) {
  CWnd* wnd = GetResizableWnd();
  HWND child = wnd != nullptr && wnd->m_hWnd != NULL ? ::GetDlgItem(wnd->m_hWnd, static_cast<int>(nID)) : NULL;
  if (child == NULL) {
    UI_TRACE_REFUSED(s_log, "no child with the control id");
    return FALSE;
  }
  return AddAnchor(child, sizeTypeTL, sizeTypeBR);
}

BOOL CResizableLayout::AddAnchor(HWND hWnd, CSize sizeTypeTL, CSize sizeTypeBR) {
  CWnd* wnd = GetResizableWnd();
  if (wnd == nullptr || wnd->m_hWnd == NULL || hWnd == NULL || !::IsWindow(hWnd) || ::GetParent(hWnd) != wnd->m_hWnd) {
    UI_TRACE_REFUSED(s_log, "not a child of the resizable window");
    return FALSE;
  }
  const CString cls = UpperClassName(hWnd);
  const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
  if (cls == _T("BUTTON") && (style & 0x0F) == BS_GROUPBOX)
    ::SetWindowLong(hWnd, GWL_STYLE, static_cast<LONG>(style | WS_CLIPSIBLINGS));

  LayoutInfo layout;
  layout.hWnd = hWnd;
  layout.bAdjHScroll = cls == _T("LISTBOX");
  layout.bNeedRefresh = NeedsRefresh(hWnd);

  CRect parent;
  GetTotalClientRect(&parent);
  CRect child = RectInClient(wnd->m_hWnd, hWnd);
#ifdef UNICODE
  if (cls == _T("COMBOBOX")) {
    // The dropped-down rectangle, so that the list keeps its height.
    ::SendMessage(hWnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&child));
    ::MapWindowPoints(NULL, wnd->m_hWnd, reinterpret_cast<LPPOINT>(&child), 2);
  }
#endif
  if (sizeTypeBR == ANCHOR_NONE) sizeTypeBR = sizeTypeTL;

  const int w = parent.right - parent.left;
  const int h = parent.bottom - parent.top;
  layout.sizeTypeTL = sizeTypeTL;
  layout.sizeTypeBR = sizeTypeBR;
  layout.sizeMarginTL = CSize(child.left - AnchorPoint(w, sizeTypeTL.cx), child.top - AnchorPoint(h, sizeTypeTL.cy));
  layout.sizeMarginBR =
      CSize(child.right - AnchorPoint(w, sizeTypeBR.cx), child.bottom - AnchorPoint(h, sizeTypeBR.cy));
  m_arrLayout.InsertAt(0, layout);  // anchored children stay ahead of the callback entries
  return TRUE;
}

void CResizableLayout::AddAnchorCallback(UINT nCallbackID) {
  LayoutInfo layout;
  layout.nCallbackID = nCallbackID;
  m_arrLayout.Add(layout);
}

BOOL CResizableLayout::ArrangeLayoutCallback(LayoutInfo&) { return FALSE; }

void CResizableLayout::GetTotalClientRect(LPRECT lpRect) {
  CWnd* wnd = GetResizableWnd();
  if (wnd != nullptr && wnd->m_hWnd != NULL)
    ::GetClientRect(wnd->m_hWnd, lpRect);
  else
    ::SetRectEmpty(lpRect);
}

void CResizableLayout::ArrangeLayout() {
  CWnd* wnd = GetResizableWnd();
  if (wnd == nullptr || wnd->m_hWnd == NULL) return;
  CRect parent;
  GetTotalClientRect(&parent);
  const int w = parent.right - parent.left;
  const int h = parent.bottom - parent.top;
  const int count = static_cast<int>(m_arrLayout.GetSize());

  MoveBatch batch(count);
  // Children the background erase paints over (group boxes, text) must paint again once
  // moved: the copy of their old pixels would be erased.
  std::vector<HWND> repaint;
  bool flushed = false;
  for (int i = 0; i < count; ++i) {
    LayoutInfo layout = m_arrLayout[i];
    if (layout.hWnd == NULL) {
      if (!flushed) {
        // Callbacks see the anchored children already in place.
        batch.End();
        batch.Begin(count - i);
        flushed = true;
      }
      if (!ArrangeLayoutCallback(layout)) continue;
    }
    const CRect old = RectInClient(wnd->m_hWnd, layout.hWnd);
    const CRect rc(AnchorPoint(w, layout.sizeTypeTL.cx) + layout.sizeMarginTL.cx,
                   AnchorPoint(h, layout.sizeTypeTL.cy) + layout.sizeMarginTL.cy,
                   AnchorPoint(w, layout.sizeTypeBR.cx) + layout.sizeMarginBR.cx,
                   AnchorPoint(h, layout.sizeTypeBR.cy) + layout.sizeMarginBR.cy);
    if (rc == old) continue;
    if (layout.bAdjHScroll) {
      // A list box scrolled to its right end would show a gap once wider: redraw it.
      const int diff = rc.Width() - old.Width();
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      int limit = 0;
      if (::GetScrollInfo(layout.hWnd, SB_HORZ, &si)) limit = si.nMax - (si.nPage > 0 ? static_cast<int>(si.nPage) - 1 : 0);
      const int pos = ::GetScrollPos(layout.hWnd, SB_HORZ);
      m_arrLayout[i].bNeedRefresh = limit > 0 && pos > limit - diff;
    }
    UINT flags = kMoveFlags;
    if (rc.TopLeft() == old.TopLeft()) flags |= SWP_NOMOVE;
    if (rc.Size() == old.Size()) flags |= SWP_NOSIZE;
    batch.Move(layout.hWnd, rc, flags);
    if (!m_arrLayout[i].bNeedRefresh && !LikesClipping(layout.hWnd)) repaint.push_back(layout.hWnd);
  }
  batch.End();

  for (int i = 0; i < count; ++i) {
    const LayoutInfo& layout = m_arrLayout[i];
    if (layout.bNeedRefresh && layout.hWnd != NULL) ::RedrawWindow(layout.hWnd, NULL, NULL, RDW_INVALIDATE | RDW_NOFRAME);
  }
  for (HWND hWnd : repaint)
    if (::IsWindow(hWnd)) ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_NOFRAME);
}

BOOL CResizableLayout::NeedsRefresh(HWND hWnd) {
  if (UpperClassName(hWnd) != _T("STATIC")) return FALSE;
  const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
  switch (style & 0x1F) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
      return TRUE;
    case SS_ICON:
    case SS_LEFTNOWORDWRAP:
      return FALSE;
    case SS_ENHMETAFILE:
      return TRUE;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
      return FALSE;
    default:
      return (style & SS_CENTERIMAGE) != 0;
  }
}

BOOL CResizableLayout::LikesClipping(HWND hWnd) {
  const CString cls = UpperClassName(hWnd);
  const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
  if (cls == _T("BUTTON")) return (style & 0x0F) != BS_GROUPBOX;
  if (cls != _T("STATIC")) return TRUE;
  const DWORD t = style & 0x1F;
  if (t <= SS_RIGHT || (t >= 7 && t <= 14) || t >= 18) return FALSE;
  if (t == SS_ICON || t == SS_ENHMETAFILE) return (style & SS_CENTERIMAGE) == 0;
  return TRUE;  // 4, 5, 6 (rectangles), 16, 17 (etched lines)
}

void CResizableLayout::ClipChildren(CDC* pDC, BOOL bOnlyAnchored) {
  CWnd* wnd = GetResizableWnd();
  if (pDC == nullptr || wnd == nullptr || wnd->m_hWnd == NULL) return;
  m_pClippedDC = pDC;
  if (bOnlyAnchored) {
    for (INT_PTR i = 0; i < m_arrLayout.GetSize(); ++i)
      if (m_arrLayout[i].hWnd != NULL) EnumAndClipChildWindow(m_arrLayout[i].hWnd, reinterpret_cast<LPARAM>(this));
  } else {
    ::EnumChildWindows(wnd->m_hWnd, EnumAndClipChildWindow, reinterpret_cast<LPARAM>(this));
  }
  m_pClippedDC = nullptr;
}

BOOL CALLBACK CResizableLayout::EnumAndClipChildWindow(HWND hWnd, LPARAM lParam) {
  CResizableLayout* self = reinterpret_cast<CResizableLayout*>(lParam);
  CWnd* wnd = self->GetResizableWnd();
  if (wnd == nullptr || self->m_pClippedDC == nullptr || ::GetParent(hWnd) != wnd->m_hWnd || !::IsWindowVisible(hWnd) ||
      !self->LikesClipping(hWnd))
    return TRUE;
  const CRect rc = RectInClient(wnd->m_hWnd, hWnd);
  HDC hdc = self->m_pClippedDC->GetSafeHdc();
  const uih::OwnedRgn rgn(::CreateRectRgn(0, 0, 0, 0));
  if (rgn && ::GetWindowRgn(hWnd, rgn.Get()) == COMPLEXREGION) {
    ::OffsetRgn(rgn.Get(), rc.left, rc.top);
    ::ExtSelectClipRgn(hdc, rgn.Get(), RGN_DIFF);
  } else {
    ::ExcludeClipRect(hdc, rc.left, rc.top, rc.right, rc.bottom);
  }
  return TRUE;
}

void CResizableLayout::RemoveAllAnchors() { m_arrLayout.RemoveAll(); }

// ---------------------------------------------------------------------------------------------
// CResizableGrip

CResizableGrip::CResizableGrip()
    : m_sizeGrip(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)) {}

CResizableGrip::~CResizableGrip() {
  if (m_wndGrip.m_hWnd != NULL) m_wndGrip.DestroyWindow();
}

BOOL CResizableGrip::InitGrip() {
  CWnd* wnd = GetResizableWnd();
  if (wnd == nullptr || wnd->m_hWnd == NULL) return FALSE;
  const CRect rc(0, 0, m_sizeGrip.cx, m_sizeGrip.cy);
  if (!m_wndGrip.Create(WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP, rc, wnd, 0)) {
    UI_TRACE_FAILED(s_log, "CScrollBar::Create");
    return FALSE;
  }
  // Only the lower-right triangle belongs to the grip.
  uih::OwnedRgn grip(::CreateRectRgnIndirect(&rc));
  for (int y = 0; y < m_sizeGrip.cy; ++y) {
    const uih::OwnedRgn line(::CreateRectRgn(0, y, m_sizeGrip.cx - y, y + 1));
    ::CombineRgn(grip.Get(), grip.Get(), line.Get(), RGN_DIFF);
  }
  if (::SetWindowRgn(m_wndGrip.m_hWnd, grip.Get(), FALSE)) grip.Release();  // the window owns it now

  const LONG_PTR previous = ::GetWindowLongPtr(m_wndGrip.m_hWnd, GWLP_WNDPROC);
  ::SetProp(m_wndGrip.m_hWnd, kGripProperty, reinterpret_cast<HANDLE>(previous));
  ::SetWindowLongPtr(m_wndGrip.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GripWindowProc));

  UpdateGripPos();
  ShowSizeGrip(TRUE);
  return TRUE;
}

void CResizableGrip::UpdateGripPos() {
  CWnd* wnd = GetResizableWnd();
  if (wnd == nullptr || wnd->m_hWnd == NULL || m_wndGrip.m_hWnd == NULL) return;
  CRect client;
  ::GetClientRect(wnd->m_hWnd, &client);
  ::SetWindowPos(m_wndGrip.m_hWnd, HWND_BOTTOM, client.right - m_sizeGrip.cx, client.bottom - m_sizeGrip.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  ::EnableWindow(m_wndGrip.m_hWnd, !::IsZoomed(wnd->m_hWnd));
}

void CResizableGrip::ShowSizeGrip(BOOL bShow) {
  if (m_wndGrip.m_hWnd != NULL) ::ShowWindow(m_wndGrip.m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}

BOOL CResizableGrip::IsRTL(HWND hWnd) { return (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; }

LRESULT CALLBACK CResizableGrip::GripWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = reinterpret_cast<WNDPROC>(::GetProp(hWnd, kGripProperty));
  if (previous == nullptr) return ::DefWindowProc(hWnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCHITTEST:
      return IsRTL(hWnd) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    case WM_DESTROY:
      ::RemoveProp(hWnd, kGripProperty);
      ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      break;
    default:
      break;
  }
  return ::CallWindowProc(previous, hWnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// CResizableMinMax

CResizableMinMax::CResizableMinMax()
    : m_bUseMaxTrack(FALSE),
      m_bUseMinTrack(FALSE),
      m_bUseMaxRect(FALSE),
      m_ptMinTrackSize{0, 0},
      m_ptMaxTrackSize{0, 0},
      m_ptMaxPos{0, 0},
      m_ptMaxSize{0, 0} {}

CResizableMinMax::~CResizableMinMax() = default;

void CResizableMinMax::MinMaxInfo(LPMINMAXINFO lpMMI) {
  if (lpMMI == nullptr) return;
  if (m_bUseMinTrack) lpMMI->ptMinTrackSize = m_ptMinTrackSize;
  if (m_bUseMaxTrack) lpMMI->ptMaxTrackSize = m_ptMaxTrackSize;
  if (m_bUseMaxRect) {
    lpMMI->ptMaxPosition = m_ptMaxPos;
    lpMMI->ptMaxSize = m_ptMaxSize;
  }
}

void CResizableMinMax::SetMinTrackSize(const CSize& size) {
  m_ptMinTrackSize = {size.cx, size.cy};
  m_bUseMinTrack = TRUE;
}

void CResizableMinMax::SetMaxTrackSize(const CSize& size) {
  m_ptMaxTrackSize = {size.cx, size.cy};
  m_bUseMaxTrack = TRUE;
}

void CResizableMinMax::SetMaximizedRect(const CRect& rc) {
  m_ptMaxPos = {rc.left, rc.top};
  m_ptMaxSize = {rc.right - rc.left, rc.bottom - rc.top};
  m_bUseMaxRect = TRUE;
}

// ---------------------------------------------------------------------------------------------
// CResizableState

CResizableState::~CResizableState() = default;

BOOL CResizableState::SaveWindowRect(LPCTSTR pszSection, BOOL bRectOnly) {
  CWnd* wnd = GetResizableWnd();
  CWinApp* app = AfxGetApp();
  if (wnd == nullptr || wnd->m_hWnd == NULL || app == nullptr) return FALSE;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  if (!::GetWindowPlacement(wnd->m_hWnd, &wp)) {
    UI_TRACE_FAILED(s_log, "GetWindowPlacement");
    return FALSE;
  }
  CRect rc = wp.rcNormalPosition;
  UINT show = wp.showCmd;
  UINT flags = wp.flags;
  if (bRectOnly) {
    ::GetWindowRect(wnd->m_hWnd, &rc);
    show = 1;
    flags = 0;
  }
  CString value;
  value.Format(_T("%d,%d,%d,%d,%d,%d"), rc.left, rc.top, rc.right, rc.bottom, static_cast<int>(show),
               static_cast<int>(flags));
  return app->WriteProfileString(pszSection, kPlacementEntry, value);
}

namespace {

// Six integers separated by commas and nothing else (blanks allowed around them).
bool ParsePlacement(const CString& text, int (&out)[6]) {
  const TCHAR* p = text;
  for (int i = 0; i < 6; ++i) {
    while (*p == ' ' || *p == '\t') ++p;
    TCHAR* end = nullptr;
    errno = 0;
    const long v = _tcstol(p, &end, 10);
    if (end == p || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out[i] = static_cast<int>(v);
    p = end;
    while (*p == ' ' || *p == '\t') ++p;
    if (i < 5) {
      if (*p != ',') return false;
      ++p;
    }
  }
  return *p == 0;
}

// A rectangle a window can take: not empty, not beyond any screen's reach, and on a monitor;
// and a show command that shows the window (SW_SHOWNORMAL to SW_SHOWDEFAULT): a stored
// SW_HIDE would hide the window at the next start, SW_FORCEMINIMIZE is no placement's.
bool UsablePlacement(const CRect& rc, int show) {
  if (show < SW_SHOWNORMAL || show > SW_SHOWDEFAULT) return false;
  const long long w = static_cast<long long>(rc.right) - rc.left;
  const long long h = static_cast<long long>(rc.bottom) - rc.top;
  const int maxW = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int maxH = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w <= 0 || h <= 0 || w > 2LL * maxW || h > 2LL * maxH) return false;
  return ::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != NULL;
}

}  // namespace

BOOL CResizableState::LoadWindowRect(LPCTSTR pszSection, BOOL bRectOnly) {
  CWnd* wnd = GetResizableWnd();
  CWinApp* app = AfxGetApp();
  if (wnd == nullptr || wnd->m_hWnd == NULL || app == nullptr) return FALSE;
  const CString text = app->GetProfileString(pszSection, kPlacementEntry, NULL);
  if (text.IsEmpty()) return FALSE;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  if (!::GetWindowPlacement(wnd->m_hWnd, &wp)) {
    UI_TRACE_FAILED(s_log, "GetWindowPlacement");
    return FALSE;
  }
  int v[6];
  if (!ParsePlacement(text, v)) {
    UI_TRACE_REFUSED(s_log, "WindowPlacement is not six numbers");
    return FALSE;
  }
  const CRect rc(v[0], v[1], v[2], v[3]);
  if (!UsablePlacement(rc, v[4])) {
    UI_TRACE_REFUSED(s_log, "WindowPlacement lies on no monitor or has no usable size");
    return FALSE;
  }
  if (bRectOnly)
    return ::SetWindowPos(wnd->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), kMoveFlags);
  wp.rcNormalPosition = rc;
  wp.showCmd = static_cast<UINT>(v[4]);
  wp.flags = static_cast<UINT>(v[5]) & (WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT);
  return ::SetWindowPlacement(wnd->m_hWnd, &wp);
}
