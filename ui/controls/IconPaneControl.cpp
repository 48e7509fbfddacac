// The icon pane control ("QvIconPaneControl32"): its window procedure, its object, its items.
#include "IconPaneControl.h"

#include "ControlClass.h"
#include "ControlClasses.h"
#include "UIBitmapUtilities.h"
#include "UILabelText.h"
#include "UITrace.h"
#include "UIUtilities.h"

#include <framework.h>
#include <fw_oledata.h>

#include <string.h>
#include <new>

namespace {

UlmLogger s_log("IconPaneControl");
const wchar_t kClassName[] = L"QvIconPaneControl32";

// Shared resources of all panes (see InitControlStatics).
const int kColourIndices[15] = {COLOR_BTNSHADOW,    COLOR_BTNFACE,     COLOR_BTNFACE,      COLOR_BTNHIGHLIGHT,
                                COLOR_3DDKSHADOW,   COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,  COLOR_BTNHIGHLIGHT,
                                COLOR_BTNSHADOW,    COLOR_WINDOWTEXT,  COLOR_BTNFACE,      COLOR_BTNHIGHLIGHT,
                                COLOR_BTNSHADOW,    COLOR_3DDKSHADOW,  COLOR_3DDKSHADOW};
COLORREF s_colours[15];
uih::OwnedBrush s_brushes[15];
uih::OwnedBrush s_halftone;  // 8 x 8 checker: text colour on 0 bits, background colour on 1 bits
uih::OwnedFont s_controlFont;
uih::OwnedBitmap s_bitmapsList;
UINT s_format = 0;
int s_count = 0;

// The drawing rectangle of an item is the absolute one narrowed under a 3D border.
const UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

// Paints the chosen sides of the rectangle one pixel wide: 1 top, 2 left, 4 bottom, 8 right.
void DrawSides(HDC dc, const RECT& r, int sides, HBRUSH brush) {
  if (sides & 1) {
    RECT s = {r.left, r.top, r.right - 1, r.top + 1};
    FillRect(dc, &s, brush);
  }
  if (sides & 2) {
    RECT s = {r.left, r.top, r.left + 1, r.bottom - 1};
    FillRect(dc, &s, brush);
  }
  if (sides & 4) {
    RECT s = {r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(dc, &s, brush);
  }
  if (sides & 8) {
    RECT s = {r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &s, brush);
  }
}

void FrameWith(HDC dc, const RECT& r, HBRUSH brush) { DrawSides(dc, r, 1 | 2 | 4 | 8, brush); }

}  // namespace

// ---------------------------------------------------------------------------------------
// Items

IconPaneItem::IconPaneItem() : m_caption(_T("Item")), m_bitmap(NULL), m_ownsBitmap(0), m_flags(0) {}

IconPaneItem::IconPaneItem(const wchar_t* caption, HBITMAP bitmap, int ownsBitmap)
    : m_caption(caption != NULL ? CString(caption) : CString()), m_bitmap(bitmap), m_ownsBitmap(ownsBitmap), m_flags(0) {}

// As assignment: two items never own one bitmap.
IconPaneItem::IconPaneItem(const IconPaneItem& other) : m_bitmap(NULL), m_ownsBitmap(0), m_flags(0) { *this = other; }

IconPaneItem& IconPaneItem::operator=(const IconPaneItem& other) {
  if (this == &other) return *this;
  m_caption = other.m_caption;
  m_flags = other.m_flags;
  if (other.m_ownsBitmap && other.m_bitmap != NULL) {
    HBITMAP copy = Utilities::CopyBitmap(other.m_bitmap);
    SetBitmap(copy, copy != NULL);
  } else {
    SetBitmap(other.m_bitmap, 0);
  }
  return *this;
}

IconPaneItem::~IconPaneItem() {
  SetBitmap(NULL, 0);
  m_caption.Empty();
  m_flags = 0;
}

void IconPaneItem::SetBitmap(HBITMAP bitmap, int owns) {
  if (m_ownsBitmap && m_bitmap != NULL && m_bitmap != bitmap) DeleteObject(m_bitmap);
  m_bitmap = bitmap;
  m_ownsBitmap = bitmap != NULL ? owns : 0;
}

int IconPaneItem::Enable(int enable) {
  const int was = IsEnabled();
  if (enable)
    m_flags &= ~1u;
  else
    m_flags |= 1u;
  return was;
}

int IconPaneItem::Check(int check) {
  const int was = IsChecked();
  if (check)
    m_flags |= 2u;
  else
    m_flags &= ~2u;
  return was;
}

// ---------------------------------------------------------------------------------------
// Shared resources

void IconPaneControl::InitArrays() {
  for (int i = 0; i < 15; ++i) {
    s_colours[i] = GetSysColor(kColourIndices[i]);
    s_brushes[i].Reset(CreateSolidBrush(s_colours[i]));
  }
  static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  uih::OwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, kChecker));
  s_halftone.Reset(pattern ? CreatePatternBrush(pattern.Get()) : NULL);
}

void IconPaneControl::ReleaseArrays() {
  for (auto& b : s_brushes) b.Reset();
  s_halftone.Reset();
}

void IconPaneControl::InitControlStatics(HWND hwnd, int force) {
  if (s_count != 0 && !force) {
    ++s_count;
    return;
  }
  InitArrays();
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  uih::WindowDC dc(hwnd);
  lf.lfHeight = -MulDiv(8, dc.Get() != NULL ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96, 72);
  // Upright text: escapement and orientation 0.
  lf.lfEscapement = lf.lfOrientation = 0;
  lf.lfOutPrecision = lf.lfClipPrecision = lf.lfQuality = lf.lfPitchAndFamily = 0;
  s_controlFont.Reset(CreateFontIndirectW(&lf));
  if (!s_controlFont) UI_TRACE_FAILED(s_log, "CreateFontIndirectW");
  s_bitmapsList.Reset(Utilities::RemapMaskedBitmap(L"IDB_BITMAPSLIST", RGB(0, 128, 128), s_colours[13], 1));
  if (s_format == 0) s_format = RegisterClipboardFormat(_T("IconPaneControl Format"));
  ++s_count;
}

void IconPaneControl::ReleaseControlStatics(int force) {
  const int was = s_count;
  if (s_count > 0) --s_count;
  if (was == 1 || force) {
    s_controlFont.Reset();
    s_bitmapsList.Reset();
    ReleaseArrays();
  }
}

UINT IconPaneControl::GetDragDropFormat() { return s_format; }

int IconPaneControl::GetControlCount() { return s_count; }

// ---------------------------------------------------------------------------------------
// The object

IconPaneControl::IconPaneControl(HWND hwnd)
    : m_hwnd(hwnd), m_enabled(1), m_hasFocus(0), m_nAllocated(-1), m_nItems(-1), m_items(NULL), m_imageWidth(0),
      m_imageHeight(0), m_firstVisible(-1), m_lastVisible(-1), m_timer(0), m_scrollPos(0), m_animOffset(0),
      m_drawStyle(IPDS_LARGEICONS), m_scrollDir(0), m_dragPending(0), m_3DStyle(IP3D_FLAT), m_dragDrop(1),
      m_checkedItem(-1), m_owner(NULL), m_font(NULL), m_dropSource(NULL) {}

IconPaneControl::~IconPaneControl() {
  delete[] m_items;
  m_items = NULL;
  if (m_timer != 0 && IsWindow(m_hwnd)) KillTimer(m_hwnd, m_timer);
  m_timer = 0;
  m_nItems = m_nAllocated = -1;
}

IconPaneControl* IconPaneControl::FromWindow(HWND hwnd) {
  if (hwnd == NULL || !IsWindow(hwnd)) return NULL;
  wchar_t name[32] = L"";
  if (GetClassNameW(hwnd, name, 32) == 0 || lstrcmpiW(name, kClassName) != 0) return NULL;
  return reinterpret_cast<IconPaneControl*>(GetWindowLongPtrW(hwnd, 0));
}

int IconPaneControl::Create(const IPCREATESTRUCT* create) {
  if (create == NULL || m_nAllocated != -1 || m_items != NULL) return -1;
  if (create->nItems < 1 || create->nItems > kMaxItems || create->pLabelIds == NULL || create->nImageWidth <= 0 ||
      create->nImageHeight <= 0 || create->nImageWidth > kMaxImageSide || create->nImageHeight > kMaxImageSide) {
    UI_TRACE_REFUSED(s_log, "item count, image size or labels out of range");
    return -1;
  }
  IconPaneItem* items = new (std::nothrow) IconPaneItem[create->nItems];
  if (items == NULL) return -1;
  m_imageWidth = create->nImageWidth;
  m_imageHeight = create->nImageHeight;
  for (int i = 0; i < create->nItems; ++i) {
    UILabelText(create->pLabelIds[i], items[i].m_caption);
    CBitmap image;
    if (Utilities::Extract1MaskedImage(create->nBitmapId, i, m_imageWidth, image))
      items[i].SetBitmap(static_cast<HBITMAP>(image.Detach()), 1);
  }
  m_items = items;
  m_nAllocated = m_nItems = create->nItems;
  Repaint();
  return m_nItems;
}

void IconPaneControl::Repaint() {
  if (IsWindow(m_hwnd)) RedrawWindow(m_hwnd, NULL, NULL, kRepaint);
}

int IconPaneControl::SetDrawStyle(int style) {
  if (style != m_drawStyle) {
    m_drawStyle = style;
    m_scrollPos = 0;
    Repaint();
  }
  return 1;
}

int IconPaneControl::Set3DStyle(int style) {
  const int old = m_3DStyle;
  m_3DStyle = style;
  Repaint();
  return old;
}

int IconPaneControl::SetDragDrop(int flag) {
  const int old = m_dragDrop;
  m_dragDrop = flag;
  return old;
}

int IconPaneControl::EnableItem(int item, int enable) {
  if (!Valid(item)) return -1;
  return m_items[item].Enable(enable);
}

int IconPaneControl::CheckItem(int item, int check) {
  if (!Valid(item) || !m_items[item].IsEnabled()) return -1;
  const int was = m_items[item].IsChecked();
  if (was == (check ? 1 : 0)) return was;
  if (check) {
    const int previous = m_checkedItem;
    if (Valid(previous) && previous != item) {
      m_items[previous].Check(0);
      DrawItemEx(previous, false);
    }
    m_checkedItem = item;
  } else if (m_checkedItem == item) {
    m_checkedItem = -1;  // nothing is checked any more
  }
  m_items[item].Check(check);
  DrawItemEx(item, false);
  return was;
}

int IconPaneControl::IsEnabledItem(int item) const { return Valid(item) ? m_items[item].IsEnabled() : -1; }

int IconPaneControl::IsCheckedItem(int item) const { return Valid(item) ? m_items[item].IsChecked() : -1; }

const IconPaneItem* IconPaneControl::GetItem(int item) const { return Valid(item) ? &m_items[item] : NULL; }

HWND IconPaneControl::SetOwner(HWND owner) {
  HWND old = m_owner;
  m_owner = owner;
  return old;
}

HWND IconPaneControl::GetOwner() const { return m_owner != NULL ? m_owner : ::GetParent(m_hwnd); }

void IconPaneControl::Enable(int enable) {
  m_enabled = enable ? 1 : 0;
  Repaint();
}

HFONT IconPaneControl::GetFont() const { return m_font != NULL ? m_font : s_controlFont.Get(); }

void IconPaneControl::SetFont(HFONT font, BOOL redraw) {
  m_font = font;
  if (redraw) Repaint();
}

// ---------------------------------------------------------------------------------------
// Geometry

int IconPaneControl::ItemHeight() const {
  if (m_drawStyle == IPDS_LARGEICONS) return m_imageHeight + 21;
  return (m_imageHeight > 15 ? m_imageHeight : 15) + 4;
}

RECT IconPaneControl::ItemRect(int item) const {
  RECT c;
  GetClientRect(m_hwnd, &c);
  const int h = ItemHeight();
  RECT r = {c.left, c.top + 2 + (m_scrollPos + item) * h, c.right, 0};
  if (m_scrollDir == 1) r.top += m_animOffset;
  if (m_scrollDir == 2) r.top -= m_animOffset;
  r.bottom = r.top + h;
  return r;
}

RECT IconPaneControl::ImageRect(const RECT& item) const {
  RECT r;
  if (m_drawStyle == IPDS_LARGEICONS) {
    r.left = item.left + (item.right - item.left - m_imageWidth) / 2;
    r.top = item.top + 2;
  } else {
    r.left = item.left + 2;
    r.top = item.top + 2;
  }
  r.right = r.left + m_imageWidth;
  r.bottom = r.top + m_imageHeight;
  return r;
}

RECT IconPaneControl::CaptionRect(const RECT& item) const {
  RECT r;
  if (m_drawStyle == IPDS_LARGEICONS) {
    r.left = item.left + 1;
    r.right = item.right - 1;
    r.top = item.top + m_imageHeight + 4;
    r.bottom = r.top + 15;
  } else {
    r.left = item.left + 2 + m_imageWidth + 5;
    r.right = item.right + 2 - 1;
    r.top = item.top + 2;
    r.bottom = r.top + m_imageHeight;
  }
  return r;
}

int IconPaneControl::HitTest(CPoint point, int& item) const {
  item = -1;
  RECT window;
  GetWindowRect(m_hwnd, &window);
  POINT screen = point;
  ClientToScreen(m_hwnd, &screen);
  if (!PtInRect(&window, screen)) return IPHT_OUTSIDE;
  RECT client;
  GetClientRect(m_hwnd, &client);
  if (!PtInRect(&client, point)) return IPHT_NONCLIENT;
  if (m_items == NULL || m_nItems <= 0) return IPHT_NOWHERE;
  // Items lie in index order at a fixed height: only the one at the point's row can hold it.
  const int h = ItemHeight();
  const int top = client.top + 2 + m_scrollPos * h + (m_scrollDir == 1 ? m_animOffset : m_scrollDir == 2 ? -m_animOffset : 0);
  if (point.y < top || h <= 0) return IPHT_NOWHERE;
  const int i = (point.y - top) / h;
  if (i < 0 || i >= m_nItems) return IPHT_NOWHERE;
  const RECT r = ItemRect(i);
  if (!PtInRect(&r, point)) return IPHT_NOWHERE;
  item = i;
  const RECT image = ImageRect(r), caption = CaptionRect(r);
  if (PtInRect(&image, point)) return IPHT_IMAGE;
  if (PtInRect(&caption, point)) return IPHT_CAPTION;
  return IPHT_ITEM;
}

// ---------------------------------------------------------------------------------------
// Mouse

void IconPaneControl::TrackHotSpot() {
  if (m_timer == 0) m_timer = SetTimer(m_hwnd, kTimerId, 50, NULL);
}

void IconPaneControl::HandleMouseDown(int x, int y) {
  m_dragPending = 0;
  int item = -1;
  const int code = HitTest(CPoint(x, y), item);
  m_clickLoc.m_code = code;
  m_clickLoc.m_item = item;
  m_clickLoc.m_x = x;
  m_clickLoc.m_y = y;
  // The pressed spot is the hot spot: a tick that has not yet seen the pointer arrive there
  // must not take the press for a move away and cancel the click.
  ipcHotItem pressed;
  pressed.m_code = code;
  pressed.m_item = item;
  if (!(pressed == m_hotItem)) {
    const ipcHotItem old = m_hotItem;
    m_hotItem = pressed;
    if (IsItemPart(old.m_code) && old.m_item != item) DrawItemEx(old.m_item, true);
    TrackHotSpot();
  }
  if (!IsItemPart(code) || !Valid(item) || !m_items[item].IsEnabled()) return;
  m_dragPending = m_drawStyle == IPDS_SMALLICONS ? m_dragDrop : (m_dragDrop && code == IPHT_IMAGE);
  DrawItemEx(item, true);
  if (m_dragPending) {
    HWND hwnd = m_hwnd;
    HandleDragDrop();
    if (FromWindow(hwnd) != this) return;  // destroyed during the drag
    m_dragPending = 0;
  }
}

void IconPaneControl::HandleMouseUp(int x, int y) {
  int item = -1;
  const int code = HitTest(CPoint(x, y), item);
  ipcClickLoc press = m_clickLoc;
  m_clickLoc.Reset();
  if (code == press.m_code && item == press.m_item) {
    if (code == IPHT_SCROLLUP) {
      DoScrollUp();
    } else if (code == IPHT_SCROLLDOWN) {
      DoScrollDown();
    } else if (IsItemPart(code)) {
      CheckItem(item, 1);
      DoItemClick(item);
    }
  } else if (Valid(press.m_item)) {
    DrawItemEx(press.m_item, true);
  }
}

void IconPaneControl::HandleRMouseDown(int x, int y) {
  int item = -1;
  const int code = HitTest(CPoint(x, y), item);
  if (IsItemPart(code)) Notify(IPN_ITEMRBUTTONDOWN, item);
}

void IconPaneControl::HandleHilite(CPoint point) {
  if (m_dragPending) return;
  ipcHotItem hot;
  hot.m_code = HitTest(point, hot.m_item);
  if (hot == m_hotItem) return;
  m_clickLoc.Reset();
  if (hot.m_code == IPHT_OUTSIDE && m_timer != 0) {
    KillTimer(m_hwnd, m_timer);
    m_timer = 0;
  }
  const ipcHotItem old = m_hotItem;
  m_hotItem = hot;
  if (IsItemPart(old.m_code)) DrawItemEx(old.m_item, true);
  if (IsItemPart(hot.m_code)) DrawItemEx(hot.m_item, true);
}

BOOL IconPaneControl::Notify(int code, int item) {
  HWND hwnd = m_hwnd, owner = GetOwner();
  if (owner == NULL) return TRUE;
  NMICONPANE nm = {};
  nm.hdr.hwndFrom = hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  nm.hdr.code = static_cast<UINT>(code);
  nm.nItem = item;
  SendMessage(owner, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  return FromWindow(hwnd) == this;
}

BOOL IconPaneControl::DoItemClick(int item) { return Notify(IPN_ITEMCLICKED, item); }

void IconPaneControl::HandleDragDrop() {
  const int item = m_clickLoc.m_item;
  if (!Valid(item)) return;
  // The caption whole with its terminator, in the build's character type.
  const CString caption = m_items[item].m_caption;
  const size_t bytes = (static_cast<size_t>(caption.GetLength()) + 1) * sizeof(TCHAR);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (block == NULL) return;
  void* p = GlobalLock(block);
  if (p == NULL) {
    GlobalFree(block);
    return;
  }
  memcpy(p, static_cast<LPCTSTR>(caption), bytes);
  GlobalUnlock(block);
  COleDataSource* source = new COleDataSource;
  source->CacheGlobalData(static_cast<CLIPFORMAT>(s_format), block);
  RECT start = ImageRect(ItemRect(item));
  MapWindowPoints(m_hwnd, NULL, reinterpret_cast<POINT*>(&start), 2);
  HWND hwnd = m_hwnd;
  const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_MOVE, &start, m_dropSource);
  source->InternalRelease();
  if (FromWindow(hwnd) != this) return;
  if (effect != DROPEFFECT_NONE) m_clickLoc.Reset();
  // A press and release inside the image still counts as a click.
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(hwnd, &pt);
  HandleMouseUp(pt.x, pt.y);
}

// ---------------------------------------------------------------------------------------
// Scrolling

int IconPaneControl::CanScrollUp() const { return m_scrollPos < 0 && m_firstVisible > 0; }

int IconPaneControl::CanScrollDown() const { return -m_scrollPos < m_nItems - 1 && m_lastVisible < m_nItems - 1; }

void IconPaneControl::DoScrollUp() {
  if (!CanScrollUp()) return;
  m_scrollDir = 1;
  Repaint();
  ++m_scrollPos;
}

void IconPaneControl::DoScrollDown() {
  if (!CanScrollDown()) return;
  m_scrollDir = 2;
  Repaint();
  --m_scrollPos;
}

// ---------------------------------------------------------------------------------------
// Painting

// Draws one-image strips (image, then mask) transparently into a memory DC through two work
// bitmaps made once for a whole paint: the mask in monochrome and the image blackened where
// it is transparent, then target AND mask, OR image. No flicker concern: the target is the
// paint's own buffer.
class IconPaneControl::ImagePainter {
 public:
  ImagePainter(HDC like, int w, int h)
      : m_w(w), m_h(h), m_source(like), m_maskDC(like), m_workDC(like), m_mask(CreateBitmap(w, h, 1, 1, NULL)),
        m_work(CreateCompatibleBitmap(like, w, h)) {
    m_ok = m_mask && m_work && m_maskDC.Select(m_mask.Get()) && m_workDC.Select(m_work.Get());
    if (m_ok) {
      SetTextColor(m_workDC.Get(), RGB(0, 0, 0));
      SetBkColor(m_workDC.Get(), RGB(255, 255, 255));
      SetBkColor(m_source.Get(), RGB(255, 255, 255));
    }
  }
  // FALSE when the work bitmaps could not be made or the strip not selected: draw otherwise.
  bool Draw(HDC dc, int x, int y, HBITMAP strip) {
    BITMAP bm;
    if (!m_ok || GetObject(strip, sizeof(bm), &bm) == 0 || bm.bmWidth / 2 < m_w) return false;
    // Image 0 and its mask, after the strip's images as DrawMaskedBitmap finds it.
    const int maskX = (bm.bmWidth / 2 / m_w) * m_w, h = bm.bmHeight < m_h ? bm.bmHeight : m_h;
    uih::Selection selected(m_source.Get(), strip);
    if (!selected) return false;
    BitBlt(m_maskDC.Get(), 0, 0, m_w, h, m_source.Get(), maskX, 0, SRCCOPY);  // white -> 1
    BitBlt(m_workDC.Get(), 0, 0, m_w, h, m_source.Get(), 0, 0, SRCCOPY);
    BitBlt(m_workDC.Get(), 0, 0, m_w, h, m_maskDC.Get(), 0, 0, 0x00220326);  // image AND NOT mask
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0)), oldBk = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, m_w, h, m_maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, m_w, h, m_workDC.Get(), 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    return true;
  }

 private:
  int m_w, m_h;
  uih::MemoryDC m_source, m_maskDC, m_workDC;
  uih::OwnedBitmap m_mask, m_work;
  bool m_ok;
};

void IconPaneControl::Draw(HDC dc) {
  if (!GetUpdateRect(m_hwnd, NULL, FALSE)) return;
  PAINTSTRUCT ps;
  HDC paint = BeginPaint(m_hwnd, &ps);
  HDC target = dc != NULL ? dc : paint;
  if (target != NULL) {
    if (m_scrollDir != 0) {
      // The animation: one picture per offset, then the picture one step on.
      for (m_animOffset = 0; m_animOffset < ItemHeight(); ++m_animOffset) DrawItems(target);
      const int dir = m_scrollDir;
      m_animOffset = 0;
      m_scrollDir = 0;
      const int step = dir == 1 ? 1 : -1;
      m_scrollPos += step;
      DrawItems(target);
      m_scrollPos -= step;
    } else {
      DrawItems(target);
    }
  }
  EndPaint(m_hwnd, &ps);
}

void IconPaneControl::DrawItems(HDC target) {
  RECT c;
  GetClientRect(m_hwnd, &c);
  const int w = c.right - c.left, h = c.bottom - c.top;
  if (w <= 0 || h <= 0 || target == NULL) return;
  uih::MemoryDC mem(target);
  uih::OwnedBitmap buffer(CreateCompatibleBitmap(target, w, h));
  if (mem.Get() == NULL || !buffer || !mem.Select(buffer.Get())) {
    UI_TRACE_FAILED(s_log, "double buffer");
    return;
  }
  HDC dc = mem.Get();
  FillRect(dc, &c, s_brushes[m_enabled ? 0 : 1].Get());
  if (m_items != NULL && m_nItems > 0) {
    const COLORREF oldText = SetTextColor(dc, s_colours[m_enabled ? 9 : 11]);
    const COLORREF oldBk = SetBkColor(dc, s_colours[2]);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    uih::Selection font;
    if (GetFont() != NULL) font = uih::Selection(dc, GetFont());
    if (m_scrollDir == 0) {
      m_firstVisible = m_nItems;
      m_lastVisible = -1;
    }
    ImagePainter painter(dc, m_imageWidth, m_imageHeight);
    // Outside an animation only the items about the visible band can show (one more on each
    // side for safety); DrawItem skips the others itself.
    int from = 0, to = m_nItems;
    const int h = ItemHeight();
    if (m_scrollDir == 0 && h > 0) {
      const long long top0 = c.top + 2 + static_cast<long long>(m_scrollPos) * h;
      const long long first = (c.top + 2 - top0) / h - 1, last = (c.bottom - 2 - top0) / h + 2;
      from = static_cast<int>(first < 0 ? 0 : first > m_nItems ? m_nItems : first);
      to = static_cast<int>(last < 0 ? 0 : last > m_nItems ? m_nItems : last);
    }
    for (int i = from; i < to; ++i) DrawItem(dc, i, false, &painter);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    SetBkMode(dc, oldMode);
  }
  if (m_3DStyle == IP3D_SUNKEN || m_3DStyle == IP3D_RAISED) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    DrawSides(dc, c, 1 | 2, m_3DStyle == IP3D_SUNKEN ? black : white);
    DrawSides(dc, c, 4 | 8, m_3DStyle == IP3D_SUNKEN ? white : black);
  }
  BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void IconPaneControl::DrawItemFrame(HDC dc, int item, const RECT& image) {
  RECT frame = image;
  InflateRect(&frame, 2, 2);
  const IconPaneItem& it = m_items[item];
  HBRUSH background = s_brushes[m_enabled ? 0 : 1].Get();
  const bool hot = m_hotItem.m_item == item && IsItemPart(m_hotItem.m_code);
  const bool pressed = m_clickLoc.m_item == item && IsItemPart(m_clickLoc.m_code);
  bool sunken = false, raised = false;
  if (it.IsEnabled() && m_enabled) {
    if (it.IsChecked())
      sunken = true;
    else if (hot)
      (pressed ? sunken : raised) = true;
  }
  if (sunken) {
    DrawSides(dc, frame, 4 | 8, s_brushes[3].Get());
    DrawSides(dc, frame, 1 | 2, s_brushes[4].Get());
  } else if (raised) {
    DrawSides(dc, frame, 4 | 8, s_brushes[4].Get());
    DrawSides(dc, frame, 1 | 2, s_brushes[3].Get());
  } else {
    FrameWith(dc, frame, background);
  }
}

void IconPaneControl::DrawItem(HDC dc, int item, bool frameOnly, ImagePainter* painter) {
  RECT c;
  GetClientRect(m_hwnd, &c);
  RECT band = {c.left, c.top + 2, c.right, c.bottom - 2};
  RECT r = ItemRect(item), overlap;
  if (m_scrollDir == 0) {
    if (!IntersectRect(&overlap, &r, &band)) return;
    if (r.top >= band.top && r.bottom <= band.bottom) {
      if (item < m_firstVisible) m_firstVisible = item;
      if (item > m_lastVisible) m_lastVisible = item;
    }
  }
  if (m_3DStyle != IP3D_FLAT) InflateRect(&r, -1, 0);
  const IconPaneItem& it = m_items[item];
  const RECT image = ImageRect(r);
  const bool enabled = m_enabled && it.IsEnabled();
  if (frameOnly) {
    DrawItemFrame(dc, item, image);
    return;
  }
  RECT back = image;
  InflateRect(&back, 2, 2);
  if (it.IsChecked() && enabled && s_halftone) {
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    const COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &back, s_halftone.Get());
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
  } else {
    FillRect(dc, &back, s_brushes[m_enabled ? 0 : 1].Get());
  }
  if (it.m_bitmap != NULL) {
    if (enabled) {
      if (painter == NULL || !painter->Draw(dc, image.left, image.top, it.m_bitmap))
        Utilities::DrawMaskedBitmap(CDC::FromHandle(dc), CPoint(image.left, image.top), it.m_bitmap, 0,
                                  static_cast<UINT>(m_imageWidth), 1, 1);
    } else {
      Utilities::DitherBltEx(dc, image.left, image.top, m_imageWidth, m_imageHeight, it.m_bitmap, 0, 0, m_imageWidth,
                             m_imageHeight, 0, 0, 0, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_3DDKSHADOW);
    }
  }
  DrawItemFrame(dc, item, image);
  RECT caption = CaptionRect(r);
  if (caption.right - caption.left <= 2) return;
  UINT flags = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
  if (m_drawStyle == IPDS_LARGEICONS) flags |= DT_CENTER;
  if (m_enabled) {
    COLORREF old = 0;
    if (!it.IsEnabled()) old = SetTextColor(dc, s_colours[10]);
    DrawText(dc, it.m_caption, it.m_caption.GetLength(), &caption, flags);
    if (!it.IsEnabled()) SetTextColor(dc, old);
  } else {
    // Embossed: the current colour one pixel down and right, then the shadow in place.
    RECT moved = caption;
    OffsetRect(&moved, 1, 1);
    DrawText(dc, it.m_caption, it.m_caption.GetLength(), &moved, flags);
    const COLORREF old = SetTextColor(dc, s_colours[12]);
    DrawText(dc, it.m_caption, it.m_caption.GetLength(), &caption, flags);
    SetTextColor(dc, old);
  }
}

void IconPaneControl::DrawItemEx(int item, bool frameOnly) {
  if (!Valid(item) || !IsWindow(m_hwnd) || !IsWindowVisible(m_hwnd)) return;
  uih::WindowDC dc(m_hwnd);
  if (dc.Get() == NULL) return;
  RECT c;
  GetClientRect(m_hwnd, &c);
  if (CanScrollUp()) c.top += 2;
  if (CanScrollDown()) c.bottom -= 2;
  uih::SavedDC saved(dc.Get());
  IntersectClipRect(dc.Get(), c.left, c.top, c.right, c.bottom);
  const COLORREF oldText = SetTextColor(dc.Get(), s_colours[m_enabled ? 9 : 11]);
  SetBkColor(dc.Get(), s_colours[2]);
  SetBkMode(dc.Get(), TRANSPARENT);
  uih::Selection font;
  if (GetFont() != NULL) font = uih::Selection(dc.Get(), GetFont());
  DrawItem(dc.Get(), item, frameOnly);
  SetTextColor(dc.Get(), oldText);
}

// ---------------------------------------------------------------------------------------
// The window procedure

namespace {

UINT DumpWindowMessage() {
  static const UINT m = RegisterWindowMessageW(L"_UIM_DUMPWND");
  return m;
}

UINT DumpStyleMessage() {
  static const UINT m = RegisterWindowMessageW(L"_UIM_DUMPSTYLE");
  return m;
}

LRESULT PrivateMessage(IconPaneControl* o, UINT msg, WPARAM wp, LPARAM lp) {
  const int item = static_cast<int>(lp);
  switch (msg) {
    case IPM_SETDRAWSTYLE: return o->SetDrawStyle(static_cast<int>(wp));
    case IPM_CREATE: return o->Create(reinterpret_cast<const IPCREATESTRUCT*>(wp));
    case IPM_GET3DSTYLE: return o->Get3DStyle();
    case IPM_GETDRAGDROP: return o->GetDragDrop();
    case IPM_SET3DSTYLE: return o->Set3DStyle(static_cast<int>(wp));
    case IPM_SETDRAGDROP: return o->SetDragDrop(static_cast<int>(wp));
    case IPM_ENABLEITEM: return o->EnableItem(item, static_cast<int>(wp));
    case IPM_CHECKITEM: return o->CheckItem(item, static_cast<int>(wp));
    case IPM_ISITEMENABLED: return o->IsEnabledItem(item);
    case IPM_ISITEMCHECKED: return o->IsCheckedItem(item);
    case IPM_SETOWNER: return reinterpret_cast<LRESULT>(o->SetOwner(reinterpret_cast<HWND>(wp)));
    case IPM_GETCHECKEDITEM: return o->GetCheckedItem();
    default: return -1;
  }
}

LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  IconPaneControl* o = reinterpret_cast<IconPaneControl*>(GetWindowLongPtrW(hwnd, 0));
  if (msg == WM_CREATE) {
    if (o == NULL) {
      IconPaneControl::InitControlStatics(hwnd, 0);
      o = new (std::nothrow) IconPaneControl(hwnd);
      if (o == NULL) {
        IconPaneControl::ReleaseControlStatics(0);
        return -1;
      }
      // A pane created disabled draws disabled.
      if (GetWindowLongW(hwnd, GWL_STYLE) & WS_DISABLED) o->Enable(0);
      SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(o));
    }
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    if (o != NULL) {
      SetWindowLongPtrW(hwnd, 0, 0);
      delete o;
      IconPaneControl::ReleaseControlStatics(0);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg >= WM_USER && msg < 0xC000) return o != NULL ? PrivateMessage(o, msg, wp, lp) : -1;
  if (msg == DumpWindowMessage()) return 3;
  if (msg == DumpStyleMessage()) return 1;
  const int x = LOWORD(lp), y = HIWORD(lp);
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (o != NULL) o->SetFocus(msg == WM_SETFOCUS);
      return 0;
    case WM_ENABLE:
      if (o != NULL) o->Enable(static_cast<int>(wp));
      return 0;
    case WM_PAINT:
      if (o != NULL) {
        o->Draw(reinterpret_cast<HDC>(wp));
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (o != NULL) o->DrawItems(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_SETFONT:
      if (o != NULL) o->SetFont(reinterpret_cast<HFONT>(wp), LOWORD(lp));
      return 0;
    case WM_GETFONT:
      return o != NULL ? reinterpret_cast<LRESULT>(o->GetFont()) : 0;
    case WM_SYSCOLORCHANGE:
      if (o != NULL) {
        IconPaneControl::ReleaseControlStatics(1);
        IconPaneControl::InitControlStatics(hwnd, 1);
      }
      return 0;
    case WM_HELP:
      return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (o != NULL) o->TrackHotSpot();
      if (msg == WM_NCMOUSEMOVE) break;
      return 0;
    case WM_TIMER:
      if (o != NULL && wp == static_cast<WPARAM>(IconPaneControl::kTimerId)) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd, &pt);
        o->HandleHilite(CPoint(pt.x, pt.y));
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (o != NULL) o->HandleMouseDown(x, y);
      return 0;
    case WM_LBUTTONUP:
      if (o != NULL) o->HandleMouseUp(x, y);
      return 0;
    case WM_RBUTTONDOWN:
      if (o != NULL) o->HandleRMouseDown(x, y);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK IconPaneWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // No exception leaves the procedure: a failed private message answers -1, others 0.
  try {
    return Dispatch(hwnd, msg, wp, lp);
  } catch (...) {
    UI_TRACE_FAILED(s_log, "message handling");
    return msg >= WM_USER && msg < 0xC000 ? -1 : 0;
  }
}

}  // namespace

BOOL RegisterIconPaneControlClass(HINSTANCE hModule) {
  ASSERT(hModule != NULL);
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, IconPaneWndProc,
                                         static_cast<int>(sizeof(LONG_PTR)), NULL};
  if (quarnel::RegisterWindowClass(hModule, spec)) return TRUE;
  UI_TRACE_FAILED(s_log, "RegisterClassW");
  return FALSE;
}

BOOL UnregisterIconPaneControlClass(HINSTANCE hModule) {
  if (quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName)) return TRUE;
  UI_TRACE_FAILED(s_log, "UnregisterClassW");
  return FALSE;
}
