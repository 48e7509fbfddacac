// The tile control's geometry, double-buffered painting, both animations, hot tracking, the
// cursor, the mouse and the facet menu.
#include "TileControl.h"

#include "TileControlShared.h"
#include "UIBitmapUtilities.h"

#include <UIHandles.h>

using namespace tilelook;

namespace {

const UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
const int kImageSide = 16;
const int kArrowWidth = 8;
const double kSlideSeconds = 0.1;
const int kAnimationStep = 2;

// Paints the chosen sides of the rectangle one pixel wide in brush `b`: 1 top, 2 left, 4
// bottom, 8 right.
void DrawSides(HDC dc, const RECT& r, int sides, int b) {
  HBRUSH brush = s_brushes[b].Get();
  if (brush == NULL) return;
  if (sides & 1) {
    RECT s = {r.left, r.top, r.right - 1, r.top + 1};
    ::FillRect(dc, &s, brush);
  }
  if (sides & 2) {
    RECT s = {r.left, r.top, r.left + 1, r.bottom - 1};
    ::FillRect(dc, &s, brush);
  }
  if (sides & 4) {
    RECT s = {r.left, r.bottom - 1, r.right, r.bottom};
    ::FillRect(dc, &s, brush);
  }
  if (sides & 8) {
    RECT s = {r.right - 1, r.top, r.right, r.bottom};
    ::FillRect(dc, &s, brush);
  }
}

bool IsPressCode(int code) { return code == TLHT_ACTIVEHEADER || code == TLHT_MASTER || code == TLHT_CAPTION; }

// Text colour, background and font of the headers, put back on destruction.
class HeaderLook {
 public:
  HeaderLook(HDC dc, int enabled, HFONT font)
      : m_dc(dc), m_text(::SetTextColor(dc, s_colours[enabled ? 4 : 5])), m_back(::SetBkColor(dc, s_colours[1])),
        m_mode(::SetBkMode(dc, TRANSPARENT)), m_font(dc, font) {}
  ~HeaderLook() {
    ::SetTextColor(m_dc, m_text);
    ::SetBkColor(m_dc, m_back);
    ::SetBkMode(m_dc, m_mode);
  }
  HeaderLook(const HeaderLook&) = delete;
  HeaderLook& operator=(const HeaderLook&) = delete;

 private:
  HDC m_dc;
  COLORREF m_text, m_back;
  int m_mode;
  uih::Selection m_font;
};

}  // namespace

// ---------------------------------------------------------------------------------------
// Geometry

CRect TileControl::MasterRect(int index) const {
  CRect r(0, 0, 0, 0);
  if (!ValidMaster(index) || m_hWnd == NULL) return r;
  CRect c(0, 0, 0, 0);
  ::GetClientRect(m_hWnd, &c);
  r.left = c.left;
  r.right = c.right;
  if (m_active >= 0 && index <= m_active) {
    r.top = c.top + kHeaderStep * index;
    r.bottom = r.top + kHeaderHeight;
  } else {
    r.bottom = c.bottom - kHeaderStep * (m_count - 1 - index);
    r.top = r.bottom - kHeaderHeight;
  }
  r.DeflateRect(1, 1);
  if (m_scrollInfo.m_animating && (index == m_scrollInfo.m_from || index == m_scrollInfo.m_to))
    r.OffsetRect(0, m_scrollInfo.m_offset);
  return r;
}

CRect TileControl::AreaRect(const CRect& r, int part) {
  const CRect image(r.left + 3, r.top + 3, r.left + 3 + kImageSide, r.top + 3 + kImageSide);
  CRect left(image.left + 18, image.top, image.left + 18 + kArrowWidth, image.bottom);
  const int rightAt = image.left + r.Width() - kImageSide;
  CRect right(rightAt, image.top, rightAt + kArrowWidth, image.bottom);
  const int dy = (r.top - r.bottom + kHeaderHeight) / 2;
  switch (part) {
    case 0: return image;
    case 1: return left;
    case 2: return right;
    case 3: left.OffsetRect(2, dy); return left;
    case 4: right.OffsetRect(2, dy); return right;
    case 5: return CRect(left.right + 2, r.top + 1, right.left - 2, r.bottom - 1);
    default: return CRect(0, 0, 0, 0);
  }
}

void TileControl::RecomputeClientArea(const CRect* rect) {
  CRect c(0, 0, 0, 0);
  if (rect != NULL)
    c = *rect;
  else if (m_hWnd != NULL)
    ::GetClientRect(m_hWnd, &c);
  c.DeflateRect(1, 1);
  if (m_active < 0) {
    c.bottom -= kHeaderStep * m_count;
  } else {
    c.top += kHeaderStep * (m_active + 1);
    c.bottom -= kHeaderStep * (m_count - m_active - 1);
  }
  c.DeflateRect(1, 1);
  m_clientArea = c;
  if (EMBEDDED_OBJECT* object = ActiveObject()) object->Show(m_clientArea);
}

void TileControl::Resize(UINT, const CRect& rect) {
  RecomputeClientArea(&rect);
  Repaint();
}

void TileControl::GetMinMaxInfo(MINMAXINFO* info) const {
  if (info == NULL) return;
  info->ptMinTrackSize.y = m_count * kHeaderHeight;
  if (ValidMaster(0)) info->ptMinTrackSize.x = AreaRect(MasterRect(0), 3).right + 18;
}

int TileControl::HitTest(CPoint point, int& master) const {
  master = -1;
  CRect c(0, 0, 0, 0);
  if (m_hWnd != NULL) ::GetClientRect(m_hWnd, &c);
  if (!c.PtInRect(point)) return TLHT_OUTSIDE;
  if (m_clientArea.PtInRect(point)) return TLHT_CONTENT;
  if (m_masters == NULL) return TLHT_NOMASTER;
  for (int i = 0; i <= m_active && i < m_count; ++i) {
    const CRect r = MasterRect(i);
    if (!r.PtInRect(point)) continue;
    master = i;
    if (i != m_active) return TLHT_MASTER;
    if (AreaRect(r, 0).PtInRect(point)) return TLHT_FACETMENU;
    if (AreaRect(r, 1).PtInRect(point)) return TLHT_LEFTARROW;
    if (AreaRect(r, 2).PtInRect(point)) return TLHT_RIGHTARROW;
    if (AreaRect(r, 5).PtInRect(point)) return TLHT_CAPTION;
    return TLHT_ACTIVEHEADER;
  }
  for (int i = m_count - 1; i > m_active; --i) {
    if (!MasterRect(i).PtInRect(point)) continue;
    master = i;
    return TLHT_MASTER;
  }
  return TLHT_NOMASTER;
}

// ---------------------------------------------------------------------------------------
// Painting

void TileControl::Draw(HDC dc) {
  if (!::GetUpdateRect(m_hWnd, NULL, FALSE)) return;
  PAINTSTRUCT ps;
  HDC paint = ::BeginPaint(m_hWnd, &ps);
  HDC target = dc != NULL ? dc : paint;
  if (target != NULL) {
    if (m_scrollInfo.m_animating)
      DrawAnimated(target);
    else
      DrawAll(target);
  }
  ::EndPaint(m_hWnd, &ps);
}

void TileControl::DrawAll(HDC target) {
  CRect c(0, 0, 0, 0);
  ::GetClientRect(m_hWnd, &c);
  if (c.IsRectEmpty() || target == NULL) return;
  uih::MemoryDC mem(target);
  uih::OwnedBitmap buffer(::CreateCompatibleBitmap(target, c.Width(), c.Height()));
  if (mem.Get() == NULL || !buffer || !mem.Select(buffer.Get())) return;
  DrawMasters(mem.Get(), c);
  ::BitBlt(target, 0, 0, c.Width(), c.Height(), mem.Get(), 0, 0, SRCCOPY);
}

void TileControl::DrawMasters(HDC dc, const CRect& c) {
  ::FillRect(dc, &c, s_brushes[0].Get());
  if (m_masters == NULL) return;
  {
    HeaderLook look(dc, m_enabled, GetFont());
    uih::SavedDC saved(dc);
    ::IntersectClipRect(dc, c.left, c.top, c.right, c.bottom);
    // Each drawn header is taken out of the clip, so the headers drawn later never cover it.
    for (int i = 0; i <= m_active && i < m_count; ++i) {
      DrawMasterTile(dc, i);
      const CRect r = MasterRect(i);
      ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    if (EMBEDDED_OBJECT* object = ActiveObject()) object->Update();
    for (int i = m_count - 1; i > m_active; --i) {
      DrawMasterTile(dc, i);
      const CRect r = MasterRect(i);
      ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
  }
  // The sunken border of the control.
  DrawSides(dc, CRect(c.left, c.top, c.right - 1, c.bottom - 1), 1 | 2, 9);
  DrawSides(dc, c, 4 | 8, 8);
}

void TileControl::DrawMasterTile(HDC dc, int index) {
  if (!ValidMaster(index)) return;
  const CRect r = MasterRect(index);
  ::FillRect(dc, &r, s_brushes[1].Get());
  DrawFocus(dc, index, index == m_hotMaster);
  if (index == m_active) DrawArrows(dc, index, r);
  DrawImage(dc, index, r);
  DrawCaption(dc, index, r);
  if (index == m_active) {
    const RECT line = {r.left, r.bottom, r.right, r.bottom + 1};
    ::FillRect(dc, &line, s_brushes[10].Get());
  }
}

void TileControl::DrawFocus(HDC dc, int index, int hot) {
  if (!ValidMaster(index)) return;
  const CRect r = MasterRect(index);
  CRect inner = r;
  inner.DeflateRect(1, 1);
  const bool enabled = m_enabled && m_masters[index].IsTileEnabled();
  const bool pressed = m_clickLoc.m_item == index && IsPressCode(m_clickLoc.m_code);
  if (hot && enabled && !pressed) {
    if (index == m_active) {
      DrawSides(dc, r, 4, 3);
      DrawSides(dc, CRect(r.left, r.top, r.right, r.bottom + 1), 8, 7);
    } else {
      DrawSides(dc, r, 4 | 8, 7);
    }
    DrawSides(dc, r, 1 | 2, 2);
    DrawSides(dc, inner, 4 | 8, 3);
  } else if (hot && enabled) {
    DrawSides(dc, r, 1 | 2, 7);
    DrawSides(dc, r, 4 | 8, 2);
    DrawSides(dc, inner, 4 | 8, 1);
  } else {
    DrawSides(dc, r, 4 | 8, 3);
    DrawSides(dc, r, 1 | 2, 2);
    DrawSides(dc, inner, 4 | 8, 1);
  }
}

void TileControl::DrawArrows(HDC dc, int index, const CRect& r) {
  if (!ValidMaster(index) || m_masters[index].GetCount() < 2) return;
  CDC* cdc = CDC::FromHandle(dc);
  const CRect left = AreaRect(r, 3), right = AreaRect(r, 4);
  if (m_hotLeft != NULL)
    Utilities::DrawMaskedBitmap(cdc, left.TopLeft(), m_hotLeft, 0, kArrowWidth, 1, 1);
  else if (s_bitmapsList)
    Utilities::DrawMaskedBitmap(cdc, left.TopLeft(), s_bitmapsList.Get(), 0, kArrowWidth, 1, 1);
  if (m_hotRight != NULL)
    Utilities::DrawMaskedBitmap(cdc, right.TopLeft(), m_hotRight, 0, kArrowWidth, 1, 1);
  else if (s_bitmapsList)
    Utilities::DrawMaskedBitmap(cdc, right.TopLeft(), s_bitmapsList.Get(), 1, kArrowWidth, 1, 1);
}

void TileControl::DrawImage(HDC dc, int index, const CRect& r) {
  const MasterTile& master = m_masters[index];
  const int active = master.GetActiveTile();
  HBITMAP bitmap = active >= 0 ? master.TileAt(active)->GetBitmap(NULL, NULL) : NULL;
  if (bitmap == NULL) bitmap = master.GetBitmap(NULL, NULL);
  if (bitmap == NULL) return;
  const CRect at = AreaRect(r, 0);
  const bool enabledLook = m_enabled && master.IsTileEnabled();
  if (m_styles & TLS_MASKEDIMAGES) {
    Utilities::DrawMaskedBitmap(CDC::FromHandle(dc), at.TopLeft(), bitmap, 0, kImageSide, 1, enabledLook ? 1 : 0);
  } else if (enabledLook) {
    Utilities::DrawMaskedBitmap(CDC::FromHandle(dc), at.TopLeft(), bitmap, 0, kImageSide, 1, 1);
  } else {
    Utilities::DitherBlt(dc, at.left, at.top, kImageSide, kImageSide, bitmap, 0, 0, kImageSide, kImageSide, 0, 0, 0);
  }
}

void TileControl::DrawCaption(HDC dc, int index, const CRect& r) {
  MasterTile& master = m_masters[index];
  CRect at = AreaRect(r, 5);
  const CString caption = master.GetActiveCaption();
  SIZE extent = {0, 0};
  ::GetTextExtentPoint32(dc, caption, caption.GetLength(), &extent);
  master.SetTruncation(extent.cx > at.Width() ? 1 : 0);
  if (at.Width() <= 19) return;
  if (m_enabled && master.IsTileEnabled()) {
    ::DrawText(dc, caption, caption.GetLength(), &at, kCaptionFormat);
    return;
  }
  // Embossed: the highlight one pixel down and right, the shadow in place.
  const COLORREF old = ::GetTextColor(dc);
  if (m_enabled) ::SetTextColor(dc, s_colours[5]);
  CRect moved = at;
  moved.OffsetRect(1, 1);
  ::DrawText(dc, caption, caption.GetLength(), &moved, kCaptionFormat);
  ::SetTextColor(dc, s_colours[6]);
  ::DrawText(dc, caption, caption.GetLength(), &at, kCaptionFormat);
  ::SetTextColor(dc, old);
}

void TileControl::DrawMasterTileEx(int index, bool frameOnly, int hot) {
  if (!ValidMaster(index) || m_hWnd == NULL || !::IsWindowVisible(m_hWnd)) return;
  uih::WindowDC dc(m_hWnd);
  if (dc.Get() == NULL) return;
  HeaderLook look(dc.Get(), m_enabled, GetFont());
  if (frameOnly)
    DrawFocus(dc.Get(), index, hot);
  else
    DrawMasterTile(dc.Get(), index);
}

// The master change: the band between the two headers travels about half the content
// height, 2 pixels a step, on the picture of the old layout; then the new layout is painted.
void TileControl::DrawAnimated(HDC target) {
  CRect c(0, 0, 0, 0);
  ::GetClientRect(m_hWnd, &c);
  if (c.IsRectEmpty()) return;
  uih::MemoryDC mem(target);
  uih::OwnedBitmap buffer(::CreateCompatibleBitmap(target, c.Width(), c.Height()));
  if (mem.Get() == NULL || !buffer || !mem.Select(buffer.Get())) return;
  const int from = m_scrollInfo.m_from, to = m_scrollInfo.m_to;
  // The picture as it stands: the old layout.
  m_scrollInfo.m_animating = 0;
  DrawMasters(mem.Get(), c);
  m_scrollInfo.m_animating = 1;
  if (EMBEDDED_OBJECT* object = ActiveObject()) object->Hide();
  CRect band = c;
  int dy;
  if (from < to) {
    band.top = from >= 0 ? MasterRect(from).bottom : c.top;
    band.bottom = MasterRect(to).bottom;
    dy = -kAnimationStep;
  } else {
    band.top = MasterRect(to).bottom;
    band.bottom = from + 1 < m_count ? MasterRect(from + 1).top : c.bottom;
    dy = kAnimationStep;
  }
  if (band.Height() <= kAnimationStep) return;
  const int steps = ((m_clientArea.Height() / 2) + 1) / 2;
  for (int s = 0; s < steps; ++s) {
    ::ScrollDC(mem.Get(), 0, dy, &band, &band, NULL, NULL);
    const RECT strip = dy < 0 ? RECT{band.left, band.bottom + dy, band.right, band.bottom}
                              : RECT{band.left, band.top, band.right, band.top + dy};
    ::FillRect(mem.Get(), &strip, s_brushes[0].Get());
    ::BitBlt(target, 0, 0, c.Width(), c.Height(), mem.Get(), 0, 0, SRCCOPY);
  }
}

// ---------------------------------------------------------------------------------------
// Facets

bool TileControl::ReactsToMouse(int master) const {
  return ValidMaster(master) && (m_masters[master].IsTileEnabled() || Allowed(TCFI_DISABLEDREACTS));
}

void TileControl::IncrementFacet(int delta) {
  if (!Allowed(TCFI_ALLOWFACETCHANGE) || !ReactsToMouse(m_active)) return;
  MasterTile& master = m_masters[m_active];
  const int count = master.GetCount();
  if (count < 1) return;
  const int old = master.GetActiveTile();
  int now = old + delta;
  if (delta > 0 && now >= count) now = 0;
  if (delta < 0 && now < 0) now = count - 1;
  if (now < 0 || now >= count || now == old) return;
  EMBEDDED_OBJECT* shown = master.GetActiveObject();
  master.SetActiveTileIndex(now);
  SlideFacet(m_active, old, now, delta);
  EMBEDDED_OBJECT* object = master.GetActiveObject();
  if (object != NULL) object->Show(m_clientArea);
  if (shown != NULL && shown != object) shown->Hide();
}

// The header slides from one facet to the next over about 100 ms: a picture twice its width
// holds both, and is copied one pixel further each step.
void TileControl::SlideFacet(int index, int from, int to, int delta) {
  if (!ValidMaster(index) || m_hWnd == NULL || !::IsWindowVisible(m_hWnd)) return;
  const CRect r = MasterRect(index);
  const int w = r.Width(), h = r.bottom + 1;
  if (w <= 0 || r.Height() <= 0) return;
  uih::WindowDC dc(m_hWnd);
  if (dc.Get() == NULL) return;
  uih::MemoryDC mem(dc.Get());
  uih::OwnedBitmap picture(::CreateCompatibleBitmap(dc.Get(), 2 * w, h));
  if (mem.Get() == NULL || !picture || !mem.Select(picture.Get())) return;
  MasterTile& master = m_masters[index];
  const int leftFacet = delta >= 1 ? from : to, rightFacet = delta >= 1 ? to : from;
  {
    HeaderLook look(mem.Get(), m_enabled, GetFont());
    const RECT all = {0, 0, 2 * w, h};
    ::FillRect(mem.Get(), &all, s_brushes[0].Get());
    POINT old;
    master.SetActiveTileIndex(leftFacet);
    ::SetViewportOrgEx(mem.Get(), -r.left, 0, &old);
    DrawMasterTile(mem.Get(), index);
    master.SetActiveTileIndex(rightFacet);
    ::SetViewportOrgEx(mem.Get(), w - r.left, 0, NULL);
    DrawMasterTile(mem.Get(), index);
    ::SetViewportOrgEx(mem.Get(), old.x, old.y, NULL);
    master.SetActiveTileIndex(to);
  }
  LARGE_INTEGER frequency, start;
  const bool timed = ::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
  if (timed) ::QueryPerformanceCounter(&start);
  const LONGLONG total = timed ? static_cast<LONGLONG>(frequency.QuadPart * kSlideSeconds) : 0;
  // Each step has its time on the clock: ahead of it the slide waits, behind it (a slow or busy
  // machine) it skips to the step the clock has reached, so the slide ends after about 100 ms
  // however long a copy takes.
  for (int step = 1; step <= w; ++step) {
    if (timed) {
      LARGE_INTEGER now;
      ::QueryPerformanceCounter(&now);
      const LONGLONG elapsed = now.QuadPart - start.QuadPart;
      const int due = elapsed >= total ? w : static_cast<int>(elapsed * w / total);
      if (due > step) {
        step = due;
      } else {
        const LONGLONG at = total * step / w;
        while (now.QuadPart - start.QuadPart < at) ::QueryPerformanceCounter(&now);
      }
    }
    const int x = delta >= 1 ? step : w - step;
    ::BitBlt(dc.Get(), r.left, r.top, w, r.Height(), mem.Get(), x, r.top, SRCCOPY);
  }
  DrawMasterTileEx(index, false, index == m_hotMaster);
}

void TileControl::ChooseFacet() {
  if (!Allowed(TCFI_ALLOWFACETCHANGE) || !ValidMaster(m_active) || m_masters[m_active].GetCount() < 2) return;
  if (m_facetMenu.m_hMenu != NULL) m_facetMenu.DestroyMenu();
  HMENU menu = ::CreatePopupMenu();
  if (menu == NULL || !m_facetMenu.Attach(menu)) {
    if (menu != NULL) ::DestroyMenu(menu);
    return;
  }
  const MasterTile& master = m_masters[m_active];
  const int active = master.GetActiveTile();
  for (int i = 0; i < master.GetCount(); ++i)
    ::AppendMenuW(menu, MF_OWNERDRAW | (i == active ? MF_CHECKED : 0), static_cast<UINT_PTR>(i),
                  reinterpret_cast<LPCWSTR>(this));
  if (::GetMenuItemCount(menu) > 0) {
    const CRect at = AreaRect(MasterRect(m_active), 0);
    POINT p = {at.left, at.top};
    ::ClientToScreen(m_hWnd, &p);
    m_menuOpen = 1;
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, m_hWnd, NULL);
    m_menuOpen = 0;
  }
  m_facetMenu.DestroyMenu();
}

void TileControl::HandleCommandFromMenu(int id, int) {
  if (!Allowed(TCFI_ALLOWFACETCHANGE) || !ValidMaster(m_active)) return;
  const MasterTile& master = m_masters[m_active];
  if (id < 0 || id >= master.GetCount()) return;
  IncrementFacet(id - master.GetActiveTile());
}

// ---------------------------------------------------------------------------------------
// Cursor, hot tracking, mouse

int TileControl::SetCursor(int hitCode) {
  if (hitCode != HTCLIENT) return 0;
  POINT p;
  ::GetCursorPos(&p);
  ::ScreenToClient(m_hWnd, &p);
  int master = -1;
  const int code = HitTest(CPoint(p.x, p.y), master);
  const bool facetPart = code == TLHT_FACETMENU || code == TLHT_LEFTARROW || code == TLHT_RIGHTARROW;
  if (facetPart) {
    if (ValidMaster(m_active) && m_masters[m_active].GetCount() >= 2) {
      HCURSOR hand = ::LoadCursor(AfxFindResourceHandle(_T("HAND_CURSOR"), RT_GROUP_CURSOR), _T("HAND_CURSOR"));
      if (hand == NULL) hand = ::LoadCursor(NULL, IDC_HAND);
      ::SetCursor(hand);
    }
  } else {
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  }
  return 1;
}

void TileControl::TrackHotSpot() {
  if (m_timer == 0 && m_hWnd != NULL) m_timer = ::SetTimer(m_hWnd, kTimerId, 100, NULL);
}

void TileControl::DropHotArrows() {
  if (m_hotLeft != NULL) ::DeleteObject(m_hotLeft);
  if (m_hotRight != NULL) ::DeleteObject(m_hotRight);
  m_hotLeft = m_hotRight = NULL;
}

void TileControl::HandleHilite(CPoint point) {
  if (m_menuOpen) return;
  tcHotItem hot;
  hot.m_code = HitTest(point, hot.m_item);
  if (hot == m_hotItem) return;
  const bool away = hot.m_code == TLHT_OUTSIDE || hot.m_code == TLHT_CONTENT;
  if (away) {
    m_clickLoc.Reset();
    if (m_hotMaster >= 0) {
      const int old = m_hotMaster;
      m_hotMaster = -1;
      DrawMasterTileEx(old, true, 0);
    }
  } else if (hot.m_item >= 0 && hot.m_item != m_hotMaster && Allowed(TCFI_ALLOWMASTERCHANGE)) {
    const int old = m_hotMaster;
    m_hotMaster = hot.m_item;
    if (old >= 0) DrawMasterTileEx(old, true, 0);
    DrawMasterTileEx(m_hotMaster, true, 1);
  }
  m_hotItem = hot;
  const bool arrowsLive = ValidMaster(m_active) && hot.m_item == m_active && m_masters[m_active].GetCount() >= 2 &&
                          ReactsToMouse(m_active) && Allowed(TCFI_ALLOWFACETCHANGE);
  if (arrowsLive && (hot.m_code == TLHT_LEFTARROW || hot.m_code == TLHT_RIGHTARROW)) {
    const bool left = hot.m_code == TLHT_LEFTARROW;
    HBITMAP& mine = left ? m_hotLeft : m_hotRight;
    HBITMAP& other = left ? m_hotRight : m_hotLeft;
    if (other != NULL) {
      ::DeleteObject(other);
      other = NULL;
    }
    if (mine == NULL)
      mine = Utilities::RemapMaskedBitmapEx(L"IDB_BITMAPSLIST", left ? 0 : 1, kArrowWidth, RGB(0, 128, 128),
                                            s_colours[12], 1);
    DrawMasterTileEx(m_active, false, m_active == m_hotMaster);
    return;
  }
  if (m_hotLeft != NULL || m_hotRight != NULL) {
    DropHotArrows();
    DrawMasterTileEx(m_active, false, m_active == m_hotMaster);
  }
  if (away && m_timer != 0) {
    ::KillTimer(m_hWnd, m_timer);
    m_timer = 0;
  }
}

void TileControl::HandleMouseDown(int x, int y) {
  m_clickLoc.m_x = x;
  m_clickLoc.m_y = y;
  m_clickLoc.m_code = HitTest(CPoint(x, y), m_clickLoc.m_item);
  if (IsPressCode(m_clickLoc.m_code)) DrawMasterTileEx(m_clickLoc.m_item, true, 1);
}

void TileControl::HandleMouseUp(int x, int y) {
  tcHotItem up;
  up.m_code = HitTest(CPoint(x, y), up.m_item);
  tcClickLoc down = m_clickLoc;
  m_clickLoc.Reset();
  if (up.m_code != down.m_code || up.m_item != down.m_item) {
    if (down.m_item >= 0) DrawMasterTileEx(down.m_item, true, up.m_item == down.m_item);
    return;
  }
  const int master = down.m_item;
  if (master >= 0 && !ReactsToMouse(master)) return;
  switch (down.m_code) {
    case TLHT_MASTER:
      DrawMasterTileEx(master, true, master == m_hotMaster);
      if (Allowed(TCFI_ALLOWMASTERCHANGE)) SetActiveMasterTile(master, 0);
      break;
    case TLHT_FACETMENU: ChooseFacet(); break;
    case TLHT_LEFTARROW: IncrementFacet(-1); break;
    case TLHT_RIGHTARROW: IncrementFacet(+1); break;
    case TLHT_ACTIVEHEADER:
    case TLHT_CAPTION: DrawMasterTileEx(master, true, 1); break;
    default: break;
  }
}
