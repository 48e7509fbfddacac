// The GDI view as a window: painting, image size and scroll bars, scrolling by bar, key and
// wheel, middle-button panning and the background.
#include "SplitterScroll.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <UIHandles.h>
#include <windowsx.h>

#include <stdlib.h>

namespace {

const int kMaxBarPosition = 32767;

long Clamp(long v, long lo, long hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

int CMFCUIView::DocToClient(long v, bool horizontal) const {
  return RoundToNearestInt(static_cast<double>(v) / (horizontal ? m_factorX : m_factorY));
}

// ---------------------------------------------------------------------------------------------
// Painting and background

void CMFCUIView::OnPaint() {
  uih::OwnedRgn base(CreateRectRgn(0, 0, 0, 0));
  const int type = base ? ::GetUpdateRgn(m_hWnd, base.Get(), FALSE) : ERROR;
  RECT box = {};
  if (base) GetRgnBox(base.Get(), &box);
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  const bool hadOwnDC = m_hDC != NULL && m_ownsDC;
  bool preparedHere = false;
  if (dc != NULL && type != NULLREGION) {
    m_flags |= UIVIEW_CULLING;
    ::GetClientRect(m_hWnd, &m_cullRect);
    if (dc == m_hDC) {
      // The window's own DC may have been drawn on by others since it was prepared.
      ForgetSelection();
      SelectClipRgn(dc, base.Get());
    } else {
      preparedHere = PrepareNewDCForDrawing(dc, false) != FALSE;
    }
    m_hBaseRgn = base.Get();
    RECT image;
    ClientToImageRect(ps.rcPaint, image);
    bool draw = true;
    if (image.right <= image.left || image.bottom <= image.top) {
      draw = type != ERROR;
      if (draw) {
        ClientToImageRect(box, image);
        draw = image.right > image.left && image.bottom > image.top;
      }
    }
    if (draw) {
      m_drawRect = image;
      CDC* paintDC = CDC::FromHandle(dc);
      LentDCScope lent(*this);  // the host draws on the DC too
      OnDraw(paintDC);
      SelectClipRgn(dc, NULL);
    }
    m_hBaseRgn = NULL;
  }
  ::EndPaint(m_hWnd, &ps);
  // The paint DC is gone with EndPaint: the view must not keep drawing on it. The window's own
  // DC it had before comes back.
  if (preparedHere) {
    UnprepareCurrentDC();
    if (hadOwnDC) {
      uih::WindowDC own(m_hWnd);
      if (own && PrepareNewDCForDrawing(own.Get(), true)) own.Release();
    }
  }
}

BOOL CMFCUIView::OnEraseBkgnd(CDC* dc) {
  if (m_background >= 0x01000000 || !m_hBackBrush || dc == NULL) return static_cast<BOOL>(Default());
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::FillRect(dc->m_hDC, &client, m_hBackBrush.Get());
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Image size and scroll bars

void CMFCUIView::GetViewRect(RECT* rect) {
  if (rect == NULL) return;
  RECT client = {};
  if (m_hWnd != NULL) ::GetClientRect(m_hWnd, &client);
  ClientToImageRect(client, *rect);
}

void CMFCUIView::SetImageSize(CSize size, int flag) {
  if (size == m_imageSize && static_cast<unsigned long>(flag) == (m_flags & UIVIEW_RESIZE_SCROLLS)) return;
  const CSize old = m_imageSize;
  m_imageSize = size;
  UpdateScrollers(FALSE);
  const long maxX = old.cx > size.cx ? old.cx : size.cx, maxY = old.cy > size.cy ? old.cy : size.cy;
  const RECT right = {old.cx < size.cx ? old.cx : size.cx, 0, maxX, maxY};
  const RECT bottom = {0, old.cy < size.cy ? old.cy : size.cy, maxX, maxY};
  QvInvalRect(right, TRUE);
  QvInvalRect(bottom, TRUE);
}

void CMFCUIView::UpdateScrollers(BOOL force) {
  RECT view;
  GetViewRect(&view);
  const bool follow = (m_flags & UIVIEW_RESIZE_SCROLLS) != 0;
  long rx = m_imageSize.cx - (follow ? view.right - view.left : 0);
  long ry = m_imageSize.cy - (follow ? view.bottom - view.top : 0);
  m_scrollRange.cx = rx < 0 ? 0 : rx;
  m_scrollRange.cy = ry < 0 ? 0 : ry;

  bool divisorChanged[2] = {false, false};
  const DWORD style = m_hWnd != NULL ? static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)) : 0;
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const int bar = h ? SB_HORZ : SB_VERT;
    unsigned short& divisor = h ? m_scrollDivisorX : m_scrollDivisorY;
    if (!(m_flags & UIVIEW_NO_SCROLLBARS)) {
      const long pixels = DocToClient(h ? m_scrollRange.cx : m_scrollRange.cy, h);
      const unsigned short d = static_cast<unsigned short>(ScrollBarDivisor(pixels, 0xFFFF));
      divisorChanged[axis] = d != divisor;
      divisor = d;
      if (m_hWnd != NULL) ::SetScrollRange(m_hWnd, bar, 0, pixels / d, TRUE);
    } else if (m_hWnd != NULL && (style & (h ? WS_HSCROLL : WS_VSCROLL))) {
      ::SetScrollRange(m_hWnd, bar, 0, 0, TRUE);
      ::ShowScrollBar(m_hWnd, bar, FALSE);
    }
  }
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    LONG& doc = h ? m_docScroll.x : m_docScroll.y;
    const long range = h ? m_scrollRange.cx : m_scrollRange.cy;
    bool forced = force != FALSE;
    if (range < doc) {
      doc = range;
      forced = true;
    }
    if (!forced && !divisorChanged[axis]) continue;
    LONG& client = h ? m_scroll.x : m_scroll.y;
    client = DocToClient(doc, h);
    if (m_hWnd != NULL && (h || forced)) ::InvalidateRect(m_hWnd, NULL, TRUE);
    if (divisorChanged[axis] && m_hWnd != NULL)
      ::SetScrollPos(m_hWnd, h ? SB_HORZ : SB_VERT, client / (h ? m_scrollDivisorX : m_scrollDivisorY), TRUE);
  }
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void CMFCUIView::SetHScroll(unsigned long v) {
  ScrollBy(CSize(m_origin.x - m_docScroll.x + static_cast<long>(v), 0), TRUE);
}

void CMFCUIView::SetVScroll(unsigned long v) {
  ScrollBy(CSize(0, m_origin.y - m_docScroll.y + static_cast<long>(v)), TRUE);
}

int CMFCUIView::ScrollBy(CSize by, int doScroll) {
  int steps[2] = {0, 0};
  bool moved = false;
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const long delta = h ? by.cx : by.cy;
    if (delta == 0) continue;
    LONG& doc = h ? m_docScroll.x : m_docScroll.y;
    const long range = h ? m_scrollRange.cx : m_scrollRange.cy;
    const long n = Clamp(static_cast<long>(static_cast<long long>(doc) + delta > 0x7FFFFFFF ? 0x7FFFFFFF
                                           : static_cast<long long>(doc) + delta < -0x7FFFFFFF
                                               ? -0x7FFFFFFF
                                               : doc + delta),
                         0, range);
    if (n == doc) continue;
    if (!doScroll) {
      if (!h) return TRUE;
      moved = true;
      continue;
    }
    doc = n;
    const unsigned short d = h ? m_scrollDivisorX : m_scrollDivisorY;
    const int bar = h ? SB_HORZ : SB_VERT;
    const int position = DocToClient(n, h);
    if (!(m_flags & UIVIEW_NO_SCROLLBARS) && m_hWnd != NULL) ::SetScrollPos(m_hWnd, bar, position / d, TRUE);
    const LONG client = h ? m_scroll.x : m_scroll.y;
    const int rangePixels = DocToClient(range, h);
    int s = position - client;
    int barMin = 0, barMax = 0;
    if (m_hWnd != NULL && !(m_flags & UIVIEW_NO_SCROLLBARS)) ::GetScrollRange(m_hWnd, bar, &barMin, &barMax);
    if (n == 0 || client + s < 0)
      s = -client;
    else if ((barMax > 0 && position == d * barMax) || rangePixels < client + s)
      s = rangePixels - client;
    steps[axis] = s;
  }
  if (!doScroll) return moved ? TRUE : FALSE;
  m_scroll.x += steps[0];
  m_scroll.y += steps[1];
  if ((steps[0] != 0 || steps[1] != 0) && m_hWnd != NULL) ::ScrollWindow(m_hWnd, -steps[0], -steps[1], NULL, NULL);
  if (steps[0] != 0 || steps[1] != 0) RealignPatternBrush();
  return steps[0] != 0 || steps[1] != 0;
}

BOOL CMFCUIView::OnScroll(UINT code, UINT pos, BOOL doScroll) {
  RECT view;
  GetViewRect(&view);
  long step[2] = {0, 0};
  for (int axis = 0; axis < 2; ++axis) {
    const bool h = axis == 0;
    const UINT c = h ? (code & 0xFF) : ((code >> 8) & 0xFF);
    const long doc = h ? m_docScroll.x : m_docScroll.y;
    const long inc = static_cast<long>(h ? m_hScrollIncrement : m_vScrollIncrement);
    const long page = h ? view.right - view.left : view.bottom - view.top;
    switch (c) {
      case SB_LINEUP: step[axis] = -inc; break;
      case SB_LINEDOWN: step[axis] = inc; break;
      case SB_PAGEUP: step[axis] = -page; break;
      case SB_PAGEDOWN: step[axis] = page; break;
      case SB_THUMBPOSITION:
        step[axis] = RoundToNearestInt(static_cast<double>(pos) * (h ? m_scrollDivisorX : m_scrollDivisorY) *
                                       (h ? m_factorX : m_factorY)) -
                     doc;
        break;
      case SB_TOP: step[axis] = -doc; break;
      case SB_BOTTOM: step[axis] = (h ? m_scrollRange.cx : m_scrollRange.cy) - doc; break;
      default: break;  // SB_THUMBTRACK and the rest do not scroll
    }
  }
  if (step[0] == 0 && step[1] == 0) return FALSE;
  return ScrollBy(CSize(step[0], step[1]), doScroll);
}

BOOL CMFCUIView::OnScrollBy(CSize size, BOOL doScroll) {
  return ScrollBy(CSize(RoundToNearestInt(static_cast<double>(m_scrollDivisorX) * size.cx * m_factorX),
                        RoundToNearestInt(static_cast<double>(m_scrollDivisorY) * size.cy * m_factorY)),
                  doScroll);
}

BOOL CMFCUIView::KeyboardScroll(UINT key) {
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const long h = static_cast<long>(GetHScroll()), v = static_cast<long>(GetVScroll());
  long dx = 0, dy = 0;
  if (!ctrl) {
    RECT view;
    GetViewRect(&view);
    const long inc = static_cast<long>(m_vScrollIncrement);
    long page = (view.bottom - view.top) - inc;
    if (inc > 0) page = page / inc * inc;
    switch (key) {
      case VK_PRIOR: dy = v < kMaxBarPosition && page > v ? -v : -page; break;
      case VK_NEXT: dy = page; break;
      case VK_END: dx = m_imageSize.cx - h; break;
      case VK_HOME: dx = -h; break;
      default: return FALSE;
    }
  } else {
    switch (key) {
      case VK_PRIOR: dy = -v; break;
      case VK_NEXT: dy = m_imageSize.cy - v; break;
      case VK_END:
        dx = m_imageSize.cx - h;
        dy = m_imageSize.cy - v;
        break;
      case VK_HOME:
        dx = -h;
        dy = -v;
        break;
      case VK_LEFT: dx = -static_cast<long>(m_hScrollIncrement); break;
      case VK_UP: dy = -static_cast<long>(m_vScrollIncrement); break;
      case VK_RIGHT: dx = static_cast<long>(m_hScrollIncrement); break;
      case VK_DOWN: dy = static_cast<long>(m_vScrollIncrement); break;
      default: return FALSE;
    }
  }
  if (!ScrollPanesOfParentSplitter(this, dx, dy, static_cast<double>(m_scrollDivisorX) * m_factorX,
                                   static_cast<double>(m_scrollDivisorY) * m_factorY))
    ScrollBy(CSize(dx, dy), TRUE);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Input

void CMFCUIView::OnHScroll(UINT code, UINT pos, CScrollBar*) { OnScroll((code & 0xFF) | 0xFF00, pos, TRUE); }

void CMFCUIView::OnVScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(0xFF | ((code & 0xFF) << 8), pos, TRUE); }

void CMFCUIView::OnKeyDown(UINT key, UINT, UINT) {
  if (!KeyboardScroll(key)) Default();
}

LRESULT CMFCUIView::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
  const UINT keys = GET_KEYSTATE_WPARAM(wParam);
  const short delta = GET_WHEEL_DELTA_WPARAM(wParam);
  // Screen coordinates left or above the primary monitor are negative.
  POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_hWnd, &p);
  QvClientToImagePoint(p);
  if (keys & MK_SHIFT)
    OnMouseZooming(p, delta > 0);
  else if (keys & MK_CONTROL)
    OnMouseDatazoom(p, delta > 0);
  else
    OnScroll(0xFF | ((delta > 0 ? SB_LINEUP : SB_LINEDOWN) << 8), 0, TRUE);
  return 0;
}

void CMFCUIView::OnSize(UINT, int, int) {
  Default();
  if (m_flags & UIVIEW_RESIZE_SCROLLS) UpdateScrollers(FALSE);
}

LRESULT CMFCUIView::OnDefaultHandling(WPARAM, LPARAM) { return Default(); }

void CMFCUIView::OnMButtonDown(UINT, CPoint point) {
  RunPanning(m_hWnd, POINT{point.x, point.y},
             [](CDrawingCore& core, SIZE step) { static_cast<CMFCUIView&>(core).ScrollBy(CSize(step.cx, step.cy), TRUE); });
}
