// The tool table's hit test and the drawing of its cells.
#include "ToolTableState.h"

#include <UIHandles.h>
#include <UIImages.h>

#include <algorithm>
#include <optional>

namespace tooltable {

namespace {

using uih::OwnedBitmap;
using uih::OwnedBrush;
using uih::MemoryDC;
using uih::OwnedDC;
using uih::OwnedPen;
using uih::Selection;

// The 8 x 8 halftone pattern (rows alternating 0x55 and 0xAA).
OwnedBrush HalftoneBrush() {
  static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  OwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
  return OwnedBrush(pattern.Get() != NULL ? CreatePatternBrush(pattern.Get()) : NULL);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, NULL);
  LineTo(dc, x1, y1);
}

// A pen of the system colour for the scope of the calls in `draw`.
template <class F>
void WithPen(HDC dc, int sysColor, F draw) {
  OwnedPen pen(CreatePen(PS_SOLID, 1, GetSysColor(sysColor)));
  Selection chosen(dc, pen.Get());
  draw();
}

// The image of a masked strip of one image (left half image, right half mask) drawn in the
// embossed, disabled look into the rectangle, which is first filled with the face colour: the
// mask drawn once in the highlight colour one pixel down and right and once in the shadow
// colour at the place; stretched to the rectangle when `stretch`.
void DitherBlt(HDC dc, const RECT& dst, HBITMAP strip, int imageW, int imageH, bool stretch) {
  FillRect(dc, &dst, GetSysColorBrush(COLOR_BTNFACE));
  OwnedDC src(CreateCompatibleDC(dc)), mono(CreateCompatibleDC(dc));
  OwnedBitmap monoBits(CreateBitmap(imageW, imageH, 1, 1, NULL));
  if (src.Get() == NULL || mono.Get() == NULL || monoBits.Get() == NULL) return;
  Selection s1(src.Get(), strip), s2(mono.Get(), monoBits.Get());
  // The mask half: white where transparent, black on the image.
  SetBkColor(src.Get(), RGB(255, 255, 255));
  BitBlt(mono.Get(), 0, 0, imageW, imageH, src.Get(), imageW, 0, SRCCOPY);
  const int w = stretch ? dst.right - dst.left : imageW;
  const int h = stretch ? dst.bottom - dst.top : imageH;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  const DWORD kPSDPxax = 0x00B8074A;  // the brush where the source is black, the destination elsewhere
  for (int pass = 0; pass < 2; ++pass) {
    const int offset = pass == 0 ? 1 : 0;
    OwnedBrush brush(CreateSolidBrush(GetSysColor(pass == 0 ? COLOR_3DHILIGHT : COLOR_BTNSHADOW)));
    Selection b(dc, brush.Get());
    StretchBlt(dc, dst.left + offset, dst.top + offset, w, h, mono.Get(), 0, 0, imageW, imageH, kPSDPxax);
  }
}

}  // namespace

// What one painting pass shares between its cells: the pointer's state, a memory DC for the
// bitmaps and the monochrome mask of the last bitmap drawn.
struct PaintContext {
  explicit PaintContext(const Table* t) {
    buttonDown = GetAsyncKeyState(VK_LBUTTON) < 0;
    cursorKnown = buttonDown && GetCursorPos(&cursor) && ScreenToClient(t->hwnd, &cursor);
  }
  bool buttonDown = false, cursorKnown = false;
  POINT cursor = {0, 0};
  // The bitmaps before the DCs: each DC takes its first bitmap back as it goes, so that none of
  // ours is still selected when it is freed.
  OwnedBitmap mask, cut;
  std::optional<MemoryDC> source, maskDC, cutDC;
  HBITMAP maskOf = NULL;
  int maskW = 0, maskH = 0;

  // The strip selected into the source DC, its mask half as a monochrome bitmap (1 where
  // transparent) in the mask DC, and its image with black where transparent in the cut DC,
  // made once per strip; false when they cannot be made.
  bool Prepare(HDC target, HBITMAP strip, int imageW, int imageH) {
    for (std::optional<MemoryDC>* memory : {&source, &maskDC, &cutDC})
      if (!*memory || (*memory)->Get() == NULL) memory->emplace(target);
    if (source->Get() == NULL || maskDC->Get() == NULL || cutDC->Get() == NULL) return false;
    if (maskOf == strip && maskW == imageW && maskH == imageH) return true;  // the strip is selected already
    source->Select(strip);
    maskOf = NULL;
    OwnedBitmap freshMask(CreateBitmap(imageW, imageH, 1, 1, NULL));
    OwnedBitmap freshCut(CreateCompatibleBitmap(target, imageW, imageH));
    if (freshMask.Get() == NULL || freshCut.Get() == NULL) return false;
    // The new bitmaps go in (the old ones out) before the old ones are freed.
    maskDC->Select(freshMask.Get());
    cutDC->Select(freshCut.Get());
    SetBkColor(source->Get(), RGB(255, 255, 255));
    BitBlt(maskDC->Get(), 0, 0, imageW, imageH, source->Get(), imageW, 0, SRCCOPY);
    BitBlt(cutDC->Get(), 0, 0, imageW, imageH, source->Get(), 0, 0, SRCCOPY);
    SetTextColor(cutDC->Get(), RGB(0, 0, 0));
    SetBkColor(cutDC->Get(), RGB(255, 255, 255));
    const DWORD kDSna = 0x00220326;  // the destination where the source is black, else black
    BitBlt(cutDC->Get(), 0, 0, imageW, imageH, maskDC->Get(), 0, 0, kDSna);
    mask = std::move(freshMask);
    cut = std::move(freshCut);
    maskOf = strip;
    maskW = imageW;
    maskH = imageH;
    return true;
  }
  // Draws the prepared image through its mask.
  void MaskedDraw(HDC dc, int x, int y, int w, int h) const {
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, w, h, maskDC->Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, cutDC->Get(), 0, 0, SRCPAINT);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  }
};

namespace {

void DrawBitmap(HDC dc, const Item* it, const RECT& cell, PaintContext& ctx) {
  HBITMAP bmp = static_cast<HBITMAP>(it->object);
  BITMAP bm = {};
  if (bmp == NULL || GetObjectW(bmp, sizeof bm, &bm) == 0) return;
  const int imageW = bm.bmWidth / 2, imageH = bm.bmHeight;
  if (imageW <= 0) return;
  const int cellW = cell.right - cell.left, cellH = cell.bottom - cell.top;
  const bool fits = imageW <= cellW && imageH <= cellH;
  const bool fit = !fits && (it->flags & TTBLF_FIT) != 0;
  const bool centre = fits && (it->flags & TTBLF_CENTER) != 0;
  POINT at = {cell.left, cell.top};
  if (centre) {
    at.x += (cellW - imageW) / 2;
    at.y += (cellH - imageH) / 2;
  }
  if (it->Disabled()) {
    const RECT dst = fit ? cell : RECT{at.x, at.y, at.x + std::min(imageW, cellW), at.y + std::min(imageH, cellH)};
    DitherBlt(dc, dst, bmp, imageW, imageH, fit);
    return;
  }
  if (!ctx.Prepare(dc, bmp, imageW, imageH)) return;
  if (fit) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, cell.left, cell.top, cellW, cellH, ctx.source->Get(), 0, 0, imageW, imageH, SRCCOPY);
    return;
  }
  // Through the mask; a larger image starts at the cell's corner and is cut at its edges.
  const int w = std::min(imageW, cellW), h = std::min(imageH, cellH);
  ctx.MaskedDraw(dc, at.x, at.y, w, h);
}

void DrawIcon(HDC dc, const Item* it, const RECT& cell) {
  HICON icon = static_cast<HICON>(it->object);
  ICONINFO info = {};
  if (icon == NULL || !GetIconInfo(icon, &info)) return;
  BITMAP bm = {};
  GetObjectW(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  const int w = bm.bmWidth, h = info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2;
  if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
  if (info.hbmMask != NULL) DeleteObject(info.hbmMask);
  const int cellW = cell.right - cell.left, cellH = cell.bottom - cell.top;
  POINT at = {cell.left, cell.top};
  if ((it->flags & TTBLF_CENTER) && w <= cellW && h <= cellH) {
    at.x += (cellW - w) / 2;
    at.y += (cellH - h) / 2;
  }
  uih::SavedDC saved(dc);
  IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
  if (it->Disabled())
    DrawStateW(dc, NULL, NULL, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, w, h, DST_ICON | DSS_DISABLED);
  else
    DrawIconEx(dc, at.x, at.y, icon, w, h, 0, NULL, DI_NORMAL);
}

void DrawSeparator(HDC dc, const RECT& cell) {
  FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
  const int mid = (cell.top + cell.bottom) / 2;
  RECT etch = {cell.left, mid - 1, cell.right, mid + 1};
  FrameRect(dc, &etch, GetSysColorBrush(COLOR_BTNSHADOW));
  Selection white(dc, static_cast<HPEN>(GetStockObject(WHITE_PEN)));
  Line(dc, cell.left, mid, cell.right, mid);
}

bool Pressed(const Item* it, const PaintContext& ctx) {
  if (it->Disabled() || it->Neutral() || !ctx.buttonDown || !ctx.cursorKnown) return false;
  return PtInRect(&it->rect, ctx.cursor) != FALSE;
}

}  // namespace

void HitTest(const Table* t, POINT pt, tagTT_CLICKSTRUCT* hit) {
  RECT client;
  GetClientRect(t->hwnd, &client);
  *hit = tagTT_CLICKSTRUCT{TTBLHT_OUTSIDE, 0, {0}};
  if (!PtInRect(&client, pt)) return;
  for (int p = 1; p <= t->Count(); ++p) {
    if (PtInRect(&t->At(p)->rect, pt)) {
      hit->where = TTBLHT_ITEM;
      hit->pos = static_cast<DWORD>(p);
      hit->id = t->At(p)->id;
      return;
    }
  }
  hit->where = TTBLHT_EMPTY;
  hit->pt.x = static_cast<short>(pt.x);
  hit->pt.y = static_cast<short>(pt.y);
}

void DrawItem(Table* t, HDC dc, int pos, bool content, PaintContext& ctx) {
  Item* it = t->At(pos);
  if (it == NULL) return;
  const RECT cell = it->rect;
  const bool pressed = Pressed(it, ctx);
  const bool selected = pressed || (it->state & TTBLS_SELECTED) != 0;
  RECT frame = cell;
  InflateRect(&frame, t->sepX / 2, t->sepY / 2);
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  if (selected) {
    RECT inside = frame;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, face);
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    WithPen(dc, COLOR_3DHILIGHT, [&] {
      Line(dc, frame.left + 1, frame.bottom - 2, frame.right - 2, frame.bottom - 2);
      Line(dc, frame.right - 2, frame.bottom - 2, frame.right - 2, frame.top);
    });
    if (!pressed && (t->style & TTBLT_HALFTONE)) {
      RECT inner = frame;
      InflateRect(&inner, -2, -2);
      OwnedBrush halftone = HalftoneBrush();
      const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
      const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      if (halftone.Get() != NULL) FillRect(dc, &inner, halftone.Get());
      SetTextColor(dc, text);
      SetBkColor(dc, back);
    }
  } else {
    FillRect(dc, &frame, face);
  }

  switch (it->type) {
    case TTBL_WINDOW:
      if (content && IsWindow(it->Window())) RedrawWindow(it->Window(), NULL, NULL, RDW_UPDATENOW);
      break;
    case TTBL_BITMAP:
      if (content) DrawBitmap(dc, it, cell, ctx);
      break;
    case TTBL_ICON:
      if (content) DrawIcon(dc, it, cell);
      break;
    case TTBL_OWNERDRAW: {
      TT_DRAWSTRUCT ds = {dc, cell, it->type, it->flags, it->id, it->object, it->state, it->data};
      if (!Notify(t, TTBLN_DRAWITEM, reinterpret_cast<DWORD_PTR>(&ds))) return;
      it = t->At(pos);
      if (it == NULL) return;
      break;
    }
    case TTBL_SEPARATOR:
      DrawSeparator(dc, cell);
      break;
    default:
      break;
  }

  if ((it->state & TTBLS_HILITED) && !selected && !it->Disabled()) {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    WithPen(dc, COLOR_3DHILIGHT, [&] {
      Line(dc, frame.right - 1, frame.top, frame.left, frame.top);
      Line(dc, frame.left, frame.top, frame.left, frame.bottom - 1);
    });
  }
}

void RedrawItem(Table* t, int pos, bool content) {
  if (!t->redraw || !IsWindowVisible(t->hwnd) || t->At(pos) == NULL) return;
  uih::WindowDC dc(t->hwnd);  // holds the window: the table may be gone after drawing
  if (!dc) return;
  PaintContext ctx(t);
  DrawItem(t, dc.Get(), pos, content, ctx);
}

void PaintItems(Table* t, HDC dc, const RECT* clip) {
  HWND hwnd = t->hwnd;
  PaintContext ctx(t);
  for (int p = 1; p <= t->Count(); ++p) {
    RECT frame = t->At(p)->rect, meet;
    InflateRect(&frame, t->sepX / 2, t->sepY / 2);
    if (clip != NULL && !IntersectRect(&meet, &frame, clip)) continue;
    // Only the owner's drawing and a window item's painting run code outside the table.
    const int type = t->At(p)->type;
    DrawItem(t, dc, p, true, ctx);
    if ((type == TTBL_OWNERDRAW || type == TTBL_WINDOW) && !Alive(hwnd, t)) return;
  }
}

}  // namespace tooltable
