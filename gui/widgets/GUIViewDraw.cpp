// The portable view's drawing: attributes made into pens, brushes, colours and raster
// operations, the shapes, clipping and invalidation.
#include "DrawingResources.h"
#include "FrameEdges.h"
#include "GUIImageCtrl.h"
#include "GUIView.h"
#include "QvFillColors.h"
#include "QvImage.h"
#include "QvView.h"
#include "UIOleItem.h"
#include "UITrace.h"
#include "UIUtilities.h"

#include <math.h>
#include <stdlib.h>

#include <vector>

namespace {
const double kRadiansPerDegree = 0.01745329277778;
const int kClipLimit = 32000;

COLORREF ToColorRef(const QvColor& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); }
QvColor ToQvColor(COLORREF c) {
  return QvColor(static_cast<unsigned short>(GetRValue(c) << 8), static_cast<unsigned short>(GetGValue(c) << 8),
                 static_cast<unsigned short>(GetBValue(c) << 8));
}

HBRUSH PatternBrush(BrushArrayRec* set, int index) { return set != NULL ? set->brushes[index] : NULL; }

POINT PointOnEllipse(POINT centre, int rx, int ry, int degrees) {
  const double a = degrees * kRadiansPerDegree;
  return POINT{centre.x + RoundToNearestInt(cos(a) * rx), centre.y - RoundToNearestInt(sin(a) * ry)};
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Attributes

void CGUIView::QvBeginUse() {
  m_penFore = 0;
  m_penBack = 0xFFFFFF;
  m_fillFore = 0;
  m_fillBack = 0xFFFFFF;
  m_lineWidth = 1;
  m_dash = QvSolidLine;
  m_pattern = 1;
  m_patternRop = PATCOPY;
  m_flags |= GUIVIEW_SOLID_PEN;
  if (m_dc != NULL) SetROP2(m_dc, R2_COPYPEN);
  if (!m_clipRgn) m_clipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (m_clipRgn) {
    if (m_updateRgn != NULL)
      CombineRgn(m_clipRgn.Get(), m_updateRgn, NULL, RGN_COPY);
    else
      SetRectRgn(m_clipRgn.Get(), 0, 0, kClipLimit, kClipLimit);
  }
  ComputePenWidthInPixels();
  DropPen();
  DropFonts();
  SelectPenColors(true);
}

void CGUIView::QvSetPenForeColor(const QvColor& c) {
  m_penFore = ToColorRef(c);
  DropPen();
  if (m_dc != NULL && (m_flags & GUIVIEW_PEN_COLORS)) SetTextColor(m_dc, DeviceColor(m_penFore));
}
QvColor CGUIView::QvGetPenForeColor() const { return ToQvColor(m_penFore); }
void CGUIView::QvSetPenBackColor(const QvColor& c) {
  m_penBack = ToColorRef(c);
  if (m_dc != NULL && (m_flags & GUIVIEW_PEN_COLORS)) SetBkColor(m_dc, DeviceColor(m_penBack));
}
QvColor CGUIView::QvGetPenBackColor() const { return ToQvColor(m_penBack); }
void CGUIView::QvSetFillForeColor(const QvColor& c) {
  m_fillFore = ToColorRef(c);
  if (m_dc != NULL && !(m_flags & GUIVIEW_PEN_COLORS)) SetTextColor(m_dc, DeviceColor(m_fillFore));
}
QvColor CGUIView::QvGetFillForeColor() const { return ToQvColor(m_fillFore); }
void CGUIView::QvSetFillBackColor(const QvColor& c) {
  m_fillBack = ToColorRef(c);
  if (m_dc != NULL && !(m_flags & GUIVIEW_PEN_COLORS)) SetBkColor(m_dc, DeviceColor(m_fillBack));
}
QvColor CGUIView::QvGetFillBackColor() const { return ToQvColor(m_fillBack); }

void CGUIView::QvSetBackgroundColor(const QvColor& c) {
  const COLORREF color = ToColorRef(c);
  if (color == m_background) return;
  m_background = color;
  m_backBrush.Reset(CreateSolidBrush(color));
}
QvColor CGUIView::QvGetBackgroundColor() const {
  return ToQvColor(m_background >= 0x01000000 ? GetSysColor(COLOR_WINDOW) : m_background);
}

void CGUIView::QvSetLineWidth(unsigned short width) {
  if (width == 0 || width == m_lineWidth) return;
  m_lineWidth = width;
  ComputePenWidthInPixels();
}

void CGUIView::ComputePenWidthInPixels() {
  const int pixels = RoundToNearestInt(m_lineWidth / static_cast<double>(m_factorX));
  const unsigned short width = static_cast<unsigned short>(pixels < 1 ? 1 : pixels > 0xFFFF ? 0xFFFF : pixels);
  if (width == m_penWidth) return;
  m_penWidth = width;
  DropPen();
}

void CGUIView::QvSetDashLine(QvDashLine dash) {
  if (dash == m_dash) return;
  m_dash = dash;
  DropPen();
}

void CGUIView::QvSetDrawMode(QvDrawMode mode) {
  m_patternRop = mode != QvCopyMode ? PATINVERT : PATCOPY;
  if (m_dc != NULL) SetROP2(m_dc, mode != QvCopyMode ? R2_NOTXORPEN : R2_COPYPEN);
}
QvDrawMode CGUIView::QvGetDrawMode() const {
  if (m_dc == NULL) return m_patternRop == PATCOPY ? QvCopyMode : QvXorMode;
  return GetROP2(m_dc) != R2_COPYPEN ? QvXorMode : QvCopyMode;
}

void CGUIView::QvSetFillPattern(QvGUIPattern pattern) {
  // A value beyond the pattern set has no brush to fill with.
  if (pattern >= QvNoPattern && pattern <= QvLastPattern) m_pattern = static_cast<short>(pattern - 1);
}

void CGUIView::QvSetFont(const QvFont& font) {
  if (!m_view) return;
  if (m_view->GetCurrentFont() == font) return;
  m_view->SetCurrentFont(font);
  DropFonts();
}
void CGUIView::QvGetFont(QvFont& font) const {
  if (m_view) font = m_view->GetCurrentFont();
}

// ---------------------------------------------------------------------------------------------
// Colours, pens and brushes

COLORREF CGUIView::DeviceColor(COLORREF c) const {
  if ((m_flags & GUIVIEW_PRINT_FLAGS) && m_colorTestDC != NULL) {
    const int colours = GetDeviceCaps(m_colorTestDC, NUMCOLORS);
    if (colours < 3 && colours != -1) c = ColorToGray(c);
  }
  if (m_flags & GUIVIEW_PALETTE) {
    if (CPalette* palette = quarnel::LibraryPalette()) c = PALETTEINDEX(palette->GetNearestPaletteIndex(c));
  }
  return c;
}

void CGUIView::SelectPenColors(bool pen) {
  if (m_dc != NULL) {
    SetTextColor(m_dc, DeviceColor(pen ? m_penFore : m_fillFore));
    SetBkColor(m_dc, DeviceColor(pen ? m_penBack : m_fillBack));
  }
  if (pen)
    m_flags |= GUIVIEW_PEN_COLORS;
  else
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_PEN_COLORS);
}

void CGUIView::DropPen() {
  if (!m_pen) return;
  if (m_dc != NULL && GetCurrentObject(m_dc, OBJ_PEN) == m_pen.Get()) SelectObject(m_dc, GetStockObject(BLACK_PEN));
  m_pen.Reset();
}

void CGUIView::SelectPen(bool none) {
  if (m_dc == NULL) return;
  if (none) {
    SelectObject(m_dc, GetStockObject(NULL_PEN));
    return;
  }
  const int style = m_dash == QvShortDashLine  ? PS_DOT
                    : m_dash == QvLongDashLine ? PS_DASH
                    : m_dash == QvDashDotLine  ? PS_DASHDOT
                                               : PS_SOLID;
  if (!m_pen) m_pen.Reset(CreatePen(style, m_penWidth, DeviceColor(m_penFore)));
  if (style != PS_SOLID) {
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_SOLID_PEN);
    if (!(m_flags & GUIVIEW_PEN_COLORS)) SelectPenColors(true);
  } else {
    m_flags |= GUIVIEW_SOLID_PEN;
  }
  // Selecting an object again is not free on every surface: only a change is selected.
  if (m_pen && GetCurrentObject(m_dc, OBJ_PEN) != m_pen.Get()) SelectObject(m_dc, m_pen.Get());
}

HBRUSH CGUIView::SolidBrush(COLORREF c) {
  if (m_solidBrush && m_solidBrushColor == c) return m_solidBrush.Get();
  if (m_solidBrush && m_dc != NULL && GetCurrentObject(m_dc, OBJ_BRUSH) == m_solidBrush.Get())
    SelectObject(m_dc, GetStockObject(NULL_BRUSH));
  m_solidBrush.Reset(CreateSolidBrush(c));
  m_solidBrushColor = c;
  return m_solidBrush.Get();
}

void CGUIView::SelectLineBrush(bool vertical) {
  if (m_dc == NULL) return;
  // Solid lines are the all-foreground pattern: a solid brush of the pen colour paints the
  // same pixels, faster.
  HBRUSH brush = m_dash > QvSolidLine && m_dash <= QvDashDotLine
                     ? PatternBrush(quarnel::DashPatterns(), vertical ? m_dash + 3 : m_dash - 1)
                     : SolidBrush(DeviceColor(m_penFore));
  if (brush != NULL && GetCurrentObject(m_dc, OBJ_BRUSH) != brush) SelectObject(m_dc, brush);
  if (!(m_flags & GUIVIEW_PEN_COLORS)) SelectPenColors(true);
}

POINT CGUIView::PatternOrigin() const {
  POINT origin = {-m_clientOffset.x, -m_clientOffset.y};
  if ((m_flags & GUIVIEW_PREVIEW) && m_dc != NULL) {
    POINT viewport;
    GetViewportOrgEx(m_dc, &viewport);
    origin.x += viewport.x;
    origin.y += viewport.y;
  }
  return POINT{origin.x & 7, origin.y & 7};
}

void CGUIView::SelectFillBrush(bool none) {
  if (m_dc == NULL) return;
  if (none || m_pattern < 0) {
    SelectObject(m_dc, GetStockObject(NULL_BRUSH));
    return;
  }
  HBRUSH brush = NULL;
  COLORREF mixed = 0;
  const int colours = (m_flags & GUIVIEW_PRINT_FLAGS) && m_colorTestDC != NULL ? GetDeviceCaps(m_colorTestDC, NUMCOLORS) : -1;
  if (colours < 3 && colours != -1 && BlendFillColors(m_fillBack, m_fillFore, m_pattern + 1, &mixed)) {
    brush = SolidBrush(ColorToGray(mixed));
  } else {
    brush = m_pattern == 1 ? SolidBrush(DeviceColor(m_fillFore)) : PatternBrush(quarnel::FillPatterns(), m_pattern);
    if (m_flags & GUIVIEW_PEN_COLORS) SelectPenColors(false);
    if (brush != NULL && m_pattern >= 2 && (m_flags & GUIVIEW_RASTER_DISPLAY)) {
      if (GetCurrentObject(m_dc, OBJ_BRUSH) != brush) UnrealizeObject(brush);
      const POINT origin = PatternOrigin();
      SetBrushOrgEx(m_dc, origin.x, origin.y, NULL);
    }
  }
  if (brush != NULL && GetCurrentObject(m_dc, OBJ_BRUSH) != brush) SelectObject(m_dc, brush);
}

// ---------------------------------------------------------------------------------------------
// Shapes

void CGUIView::QvMoveTo(const QvPoint& p) {
  if (m_dc == NULL) return;
  QvPoint c = p;
  QvImageToClientPoint(c);
  MoveToEx(m_dc, c.x, c.y, NULL);
}

void CGUIView::QvDrawLine(const QvPoint& from, const QvPoint& to) {
  if (m_dc == NULL) return;
  QvPoint a = from, b = to;
  QvImageToClientPoint(a);
  QvImageToClientPoint(b);
  const int w = m_penWidth;
  const bool penOnly = m_dash == QvSolidLine &&
                       (m_flags & (GUIVIEW_PRINTING | GUIVIEW_TWIPS | GUIVIEW_PREVIEW)) ==
                           (GUIVIEW_PRINTING | GUIVIEW_TWIPS) &&
                       m_lineWidth <= 20;
  if (!penOnly && a.x == b.x) {
    SelectLineBrush(true);
    PatBlt(m_dc, a.x - w / 2, a.y < b.y ? a.y : b.y, w, labs(b.y - a.y), m_patternRop);
    return;
  }
  if (!penOnly && a.y == b.y) {
    SelectLineBrush(false);
    PatBlt(m_dc, a.x < b.x ? a.x : b.x, a.y - w / 2, labs(b.x - a.x), w, m_patternRop);
    return;
  }
  SelectPen(false);
  POINT pa = {a.x, a.y}, pb = {b.x, b.y};
  if (a.x == b.x || a.y == b.y) PullInLineEnds(pa, pb, w);
  MoveToEx(m_dc, pa.x, pa.y, NULL);
  LineTo(m_dc, pb.x, pb.y);
}

void CGUIView::QvDrawRect(const QvRect& r, bool frame, bool fill) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  const int w = m_penWidth;
  const int width = c.right - c.left, height = c.bottom - c.top;
  // One GDI rectangle for a thin solid frame, unless the rectangle is thinner than its two
  // edges (they would overlap, and an exclusive draw mode take back what they share).
  if (frame && fill && m_dash == QvSolidLine && w == 1 && width >= 2 && height >= 2) {
    SelectPen(false);
    SelectFillBrush(false);
    Rectangle(m_dc, c.left, c.top, c.right, c.bottom);
    return;
  }
  if (frame) {
    // The bars stay inside the rectangle (a thin one is all bars, and has no inside to fill).
    const FrameEdges e = FrameEdgesInside(w, width, height);
    SelectLineBrush(true);
    if (e.left > 0 && height > 0) PatBlt(m_dc, c.left, c.top, e.left, height, m_patternRop);
    if (e.right > 0 && height > 0) PatBlt(m_dc, c.right - e.right, c.top, e.right, height, m_patternRop);
    if (e.innerWidth > 0 && e.top > 0) PatBlt(m_dc, c.left + e.left, c.top, e.innerWidth, e.top, m_patternRop);
    if (e.innerWidth > 0 && e.bottom > 0)
      PatBlt(m_dc, c.left + e.left, c.bottom - e.bottom, e.innerWidth, e.bottom, m_patternRop);
    if (fill && e.innerWidth > 0 && e.innerHeight > 0) {
      SelectFillBrush(false);
      PatBlt(m_dc, c.left + e.left, c.top + e.top, e.innerWidth, e.innerHeight, m_patternRop);
    }
    return;
  }
  if (fill) {
    SelectFillBrush(false);
    if (GetCurrentObject(m_dc, OBJ_BRUSH) != GetStockObject(NULL_BRUSH)) PatBlt(m_dc, c.left, c.top, width, height, m_patternRop);
  }
}

void CGUIView::QvDrawSelectionRect(const QvRect& r) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  const short pattern = m_pattern;
  m_pattern = 3;
  SelectFillBrush(false);
  m_pattern = pattern;
  const int width = c.right - c.left, height = c.bottom - c.top;
  if (width <= 0 || height <= 0) return;
  PatBlt(m_dc, c.left, c.top, 1, height, m_patternRop);
  if (width > 1) PatBlt(m_dc, c.right - 1, c.top, 1, height, m_patternRop);
  if (width > 2) {
    PatBlt(m_dc, c.left + 1, c.top, width - 2, 1, m_patternRop);
    if (height > 1) PatBlt(m_dc, c.left + 1, c.bottom - 1, width - 2, 1, m_patternRop);
  }
}

void CGUIView::QvDrawOval(const QvRect& r, bool frame, bool fill) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  if (fill) {
    const bool together = frame && m_dash == QvSolidLine;
    SelectPen(!together);
    SelectFillBrush(false);
    Ellipse(m_dc, c.left, c.top, c.right, c.bottom);
    if (together) frame = false;
  }
  if (frame) {
    SelectPen(false);
    SelectFillBrush(true);
    Ellipse(m_dc, c.left, c.top, c.right, c.bottom);
  }
}

void CGUIView::QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill) {
  DrawArcOrSector(false, r, start, sweep, frame, fill);
}

void CGUIView::QvDrawArc(const QvRect& r, short start, short sweep) { DrawArcOrSector(true, r, start, sweep, true, false); }

void CGUIView::DrawArcOrSector(bool arc, const QvRect& r, short start, short sweep, bool frame, bool fill) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  const int rx = (c.right - c.left) / 2, ry = (c.bottom - c.top) / 2;
  // A flat or empty ellipse has no two points to run between.
  if (rx == 0 || ry == 0) return;
  const POINT centre = {c.left + rx, c.top + ry};
  const POINT from = PointOnEllipse(centre, rx, ry, start);
  int end = start + sweep;
  POINT to = PointOnEllipse(centre, rx, ry, end);
  for (int grown = 0; to.x == from.x && to.y == from.y && grown < 360; ++grown) to = PointOnEllipse(centre, rx, ry, ++end);
  if (arc) {
    SelectPen(false);
    Arc(m_dc, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    return;
  }
  if (fill) {
    const bool together = frame && m_dash == QvSolidLine;
    SelectPen(!together);
    SelectFillBrush(false);
    Pie(m_dc, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    if (together) frame = false;
  }
  if (frame) {
    SelectPen(false);
    SelectFillBrush(true);
    Pie(m_dc, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
  }
}

void CGUIView::QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill) {
  const long n = points.GetSize();
  if (m_dc == NULL || n <= 0) return;
  std::vector<POINT> client(static_cast<size_t>(n) + (closed ? 1 : 0));
  for (long i = 0; i < n; ++i) {
    QvPoint p = points[i];
    QvImageToClientPoint(p);
    client[static_cast<size_t>(i)] = POINT{p.x, p.y};
  }
  if (closed) client[static_cast<size_t>(n)] = client[0];
  const int count = static_cast<int>(client.size());
  if (fill) {
    const bool together = frame && closed && m_dash == QvSolidLine;
    SelectPen(!together);
    SelectFillBrush(false);
    const int mode = SetBkMode(m_dc, OPAQUE);
    Polygon(m_dc, client.data(), count);
    SetBkMode(m_dc, mode);
    if (together) frame = false;
  }
  if (frame) {
    SelectPen(false);
    Polyline(m_dc, client.data(), count);
  }
}

void CGUIView::QvDraw3DRect(const QvRect& r, bool raised) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  DrawEdge(m_dc, &c, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
}

void CGUIView::QvEraseRect(const QvRect& r) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  FillRect(m_dc, &c, GetSysColorBrush(COLOR_WINDOW));
}

void CGUIView::QvInvertRectForSelection(const QvRect& r) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  InvertRect(m_dc, &c);
}

void CGUIView::QvBlockMove(const QvRect& r, long dx, long dy) {
  RECT c;
  if (m_dc == NULL || !ImageToClientRect(r, c)) return;
  BitBlt(m_dc, c.left + RoundToNearestInt(dx / m_factorX), c.top + RoundToNearestInt(dy / m_factorY), c.right - c.left,
         c.bottom - c.top, m_dc, c.left, c.top, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Images and OLE items

void CGUIView::QvDrawImageList(const QvPoint& at, QvImageList* list, unsigned short index) {
  if (m_dc == NULL || list == nullptr || list->GetImageList().GetSafeHandle() == NULL) return;
  QvPoint p = at;
  QvImageToClientPoint(p);
  const bool zoomed = (m_flags & GUIVIEW_ZOOMED) != 0 && m_zoomNum > 0 && m_zoomDen > 0;
  // The DC's own mapping (a metafile's, say) is given back afterwards.
  uih::SavedDC mapping;
  if (zoomed) {
    mapping = uih::SavedDC(m_dc);
    SetMapMode(m_dc, MM_ANISOTROPIC);
    SetWindowExtEx(m_dc, m_zoomDen, m_zoomDen, NULL);
    SetViewportExtEx(m_dc, m_zoomNum, m_zoomNum, NULL);
    p.x = RoundToNearestInt(p.x / static_cast<double>(m_zoom));
    p.y = RoundToNearestInt(p.y / static_cast<double>(m_zoom));
  }
  ImageList_Draw(list->GetImageList().GetSafeHandle(), index, m_dc, p.x, p.y, ILD_TRANSPARENT);
}

void CGUIView::QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode) {
  RECT c;
  if (m_dc == NULL || image == nullptr || !ImageToClientRect(r, c)) return;
  CDC* dc = CDC::FromHandle(m_dc);
  if (image->DrawDIBImage(dc, &c, NULL)) return;
  DrawImageInState(dc, &c, image, static_cast<int>(mode), 0);
}

void CGUIView::QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r) {
  RECT c;
  if (m_dc == NULL || item == nullptr || !ImageToClientRect(r, c)) return;
  item->Draw(CDC::FromHandle(m_dc), &c, static_cast<DVASPECT>(-1));
  RealizePalette(m_dc);
}

namespace {
UlmLogger s_snapshotLog("GUIViewSnapshot");

}  // namespace

QvImage* CGUIView::QvTakeSnapshot(const QvRect& image, const QvRect& target, bool screen, unsigned short bitsPerPixel) {
  const int w = target.right - target.left, h = target.bottom - target.top;
  const long iw = image.right - image.left, ih = image.bottom - image.top;
  if (w <= 0 || h <= 0 || iw <= 0 || ih <= 0 || m_view == NULL) {
    UI_TRACE_REFUSED(s_snapshotLog, "empty snapshot rectangle");
    return nullptr;
  }
  uih::MemoryDC memory(NULL);
  if (memory.Get() == NULL) {
    UI_TRACE_FAILED(s_snapshotLog, "CreateCompatibleDC");
    return nullptr;
  }
  uih::WindowDC screenDC(NULL);
  HDC reference = screen ? screenDC.Get() : memory.Get();
  // A bitmap compatible with a memory DC would be monochrome: the colour one is the screen's.
  uih::OwnedBitmap bitmap(bitsPerPixel != 0 && bitsPerPixel != GetDeviceCaps(reference, BITSPIXEL)
                              ? quarnel::PaletteSection(memory.Get(), w, h, bitsPerPixel)
                              : CreateCompatibleBitmap(screenDC.Get(), w, h));
  if (!bitmap || !memory.Select(bitmap.Get())) {
    UI_TRACE_FAILED(s_snapshotLog, "snapshot bitmap");
    return nullptr;
  }
  RECT all = {0, 0, w, h};
  FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  // The view's state, given back in every case.
  const SurfaceState saved = SaveSurfaceState();
  const unsigned long flags = m_flags;
  UnprepareCurrentDC();
  m_attribDC = NULL;

  QvImage* result = nullptr;
  if (PrepareNewDCForDrawing(memory.Get())) {
    m_paintBox = all;
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED | GUIVIEW_PAINTING);
    const double unitsX = (flags & GUIVIEW_TWIPS) ? m_twipsPerPixelX : 1.0;
    const double unitsY = (flags & GUIVIEW_TWIPS) ? m_twipsPerPixelY : 1.0;
    const double sx = (iw / unitsX) / w, sy = (ih / unitsY) / h;
    const double larger = sx > sy ? sx : sy;
    m_zoom = larger > 0.0 ? static_cast<float>(1.0 / larger) : 1.0f;  // font sizes only
    m_twipsPerPixelX = static_cast<float>(iw) / static_cast<float>(w);
    m_twipsPerPixelY = static_cast<float>(ih) / static_cast<float>(h);
    m_flags |= GUIVIEW_OFFSCREEN | GUIVIEW_TWIPS;
    PrepareConversionFactors();
    ComputePenWidthInPixels();
    DropFonts();
    // The image rectangle's top-left corner at the bitmap's origin.
    m_clientOffset = QvPoint(0, 0);
    m_clientOffset = QvPoint(ImageToClientX(image.left), ImageToClientY(image.top));
    m_view->Draw(image);
    UnprepareCurrentDC();
    GdiFlush();
    CBitmap* held = new CBitmap;
    held->Attach(bitmap.Release());
    result = new QvImage(held, false);
  } else {
    UI_TRACE_REFUSED(s_snapshotLog, "snapshot DC not prepared");
  }
  RestoreSurfaceState(saved);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Invalidation

void CGUIView::QvInvalRect(const QvRect& r, bool erase) {
  RECT c;
  if (m_hWnd != NULL && ImageToClientRect(r, c)) ::InvalidateRect(m_hWnd, &c, erase ? TRUE : FALSE);
}

void CGUIView::QvInvalAll(bool erase) {
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, erase ? TRUE : FALSE);
}

void CGUIView::QvUpdateNow() {
  if (m_hWnd != NULL) ::UpdateWindow(m_hWnd);
}

// ---------------------------------------------------------------------------------------------
// Clipping

void CGUIView::SelectClip() {
  if (m_attribDC == NULL && m_dc != NULL && m_clipRgn) SelectClipRgn(m_dc, m_clipRgn.Get());
}

void CGUIView::CombineClip(const QvRect& r, int mode) {
  uih::OwnedRgn rect(ImageRectToClientRgn(r));
  if (!rect) return;
  if (!m_clipRgn) m_clipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (!m_clipRgn) return;
  if (mode == RGN_COPY)
    CombineRgn(m_clipRgn.Get(), rect.Get(), NULL, RGN_COPY);
  else
    CombineRgn(m_clipRgn.Get(), m_clipRgn.Get(), rect.Get(), mode);
  SelectClip();
}

void CGUIView::QvSetClipRect(const QvRect& r) { CombineClip(r, RGN_COPY); }
void CGUIView::QvUnionRectToClip(const QvRect& r) { CombineClip(r, RGN_OR); }
void CGUIView::QvIntersectionRectToClip(const QvRect& r) { CombineClip(r, RGN_AND); }
void CGUIView::QvExcludeRectToClip(const QvRect& r) { CombineClip(r, RGN_DIFF); }

void CGUIView::QvResetClipRect() {
  if (m_clipRgn) SetRectRgn(m_clipRgn.Get(), 0, 0, 0, 0);
  if (m_dc != NULL) SelectClipRgn(m_dc, NULL);
}

QvClippingRegion* CGUIView::QvGetClipRegion() {
  QvClippingRegion* copy = new QvClippingRegion;
  copy->CreateRectRgn(0, 0, 0, 0);
  RECT box;
  if (m_clipRgn && GetRgnBox(m_clipRgn.Get(), &box) > NULLREGION)
    CombineRgn(static_cast<HRGN>(copy->GetSafeHandle()), m_clipRgn.Get(), NULL, RGN_COPY);
  return copy;
}

void CGUIView::QvSetClipRegion(QvClippingRegion* region) {
  HRGN source = region != nullptr ? static_cast<HRGN>(region->GetSafeHandle()) : NULL;
  if (source == NULL) return;
  if (!m_clipRgn) m_clipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (!m_clipRgn || CombineRgn(m_clipRgn.Get(), source, NULL, RGN_COPY) == ERROR) return;
  if (m_attribDC != NULL || m_dc == NULL) return;
  RECT box;
  SelectClipRgn(m_dc, GetRgnBox(m_clipRgn.Get(), &box) > NULLREGION ? m_clipRgn.Get() : NULL);
}

void CGUIView::QvFreeRegion(QvClippingRegion* region) { delete region; }

// ---------------------------------------------------------------------------------------------
// Metafiles

void CGUIView::QvDrawInMetafileDC(const QvRect& image, const QvRect& target, CDC* dc) {
  if (dc == NULL || dc->m_hDC == NULL || m_hWnd == NULL || m_view == NULL) return;
  const unsigned long flags = m_flags;
  const float zoom = m_zoom;
  const QvPoint offset = m_clientOffset;
  const bool ownDC = m_ownDC;
  // The window's own DC measures; the metafile records.
  HDC window = ::GetDC(m_hWnd);
  m_ownDC = false;
  UnprepareCurrentDC();
  m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED);
  m_attribDC = window;
  PrepareNewDCForDrawing(dc->m_hDC);
  // The image size in pixels: a twips image through its twips per pixel, a pixel image as it is.
  const long w = image.right - image.left, h = image.bottom - image.top;
  const int extentX = (m_flags & GUIVIEW_TWIPS) ? static_cast<int>(w / m_twipsPerPixelX) : static_cast<int>(w);
  const int extentY = (m_flags & GUIVIEW_TWIPS) ? static_cast<int>(h / m_twipsPerPixelY) : static_cast<int>(h);
  SetMapMode(dc->m_hDC, MM_ANISOTROPIC);
  SetWindowExtEx(dc->m_hDC, extentX, extentY, NULL);
  SetViewportExtEx(dc->m_hDC, target.right - target.left, target.bottom - target.top, NULL);
  SetMapMode(window, MM_ANISOTROPIC);
  SetWindowExtEx(window, extentX, extentY, NULL);
  SetViewportExtEx(window, target.right - target.left, target.bottom - target.top, NULL);
  m_clientOffset = QvPoint(ClientScroll(image.left, true), ClientScroll(image.top, false));
  m_view->Draw(image);
  SetMapMode(dc->m_hDC, MM_TEXT);
  SetMapMode(window, MM_TEXT);
  UnprepareCurrentDC();
  m_attribDC = NULL;
  ::ReleaseDC(m_hWnd, window);
  m_flags = flags;
  m_zoom = zoom;
  m_clientOffset = offset;
  PrepareConversionFactors();
  uih::WindowDC own(m_hWnd);
  if (ownDC && own && PrepareNewDCForDrawing(own.Get())) {
    own.Release();
    m_ownDC = true;
  }
}
