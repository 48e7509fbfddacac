// The drawing views' shared core: coordinate model, device state, attributes, shapes, clipping.
#include "UIDrawingCore.h"

#include "DrawingResources.h"
#include "FrameEdges.h"
#include "QvFillColors.h"
#include "UIPanPacer.h"
#include "UIUtilities.h"

#include <commctrl.h>
#include <math.h>
#include <stdlib.h>

#include <memory>
#include <utility>

namespace {

constexpr int kDefaultResolution = 96;
constexpr float kTwipsPerInch = 1440.0f;
const float kPrinterMinPenWidth = 35.27778f;
const int kClipLimit = 32000;
const double kRadiansPerDegree = 0.01745329277778;
const int kPrintClipLimit = 32000;
const long kMaxScrollBarPosition = 32767;

int SaturateToInt(double v) {
  if (v >= 2147483647.0) return 0x7FFFFFFF;
  if (v <= -2147483648.0) return -0x7FFFFFFF - 1;
  return static_cast<int>(v);
}

int ClampToInt(long long v) {
  if (v > 0x7FFFFFFFLL) return 0x7FFFFFFF;
  if (v < -0x7FFFFFFFLL - 1) return -0x7FFFFFFF - 1;
  return static_cast<int>(v);
}

// Twips per pixel of an axis. A value that was never set from a device (or came from a bad
// resolution) is taken from the fallback resolution, so no factor becomes 0 or infinite.
float UsableTwipsPerPixel(float twipsPerPixel, int dpi) {
  if (isfinite(twipsPerPixel) && twipsPerPixel > 0.0f) return twipsPerPixel;
  return kTwipsPerInch / static_cast<float>(dpi > 0 ? dpi : kDefaultResolution);
}

// Client bottom of an image rectangle: the client top plus the rounded height. A height beyond
// the int range (a rectangle meaning "everything") is added unrounded, so the bottom saturates
// instead of turning back.
int ClientBottom(int clientTop, RECT const& image, float factorY) {
  const double height = (static_cast<double>(image.bottom) - image.top) / factorY;
  if (isnan(height)) return clientTop;
  // Rounded, the sum is one of integers (no conversion of a double, which costs a switch of
  // the x87 control word).
  if (fabs(height) < 2147483647.0) return ClampToInt(static_cast<long long>(clientTop) + RoundToNearestInt(height));
  return SaturateToInt(clientTop + height);
}

// Output is grey on a colour reference device of fewer than 3 colours (NUMCOLORS; -1 means
// more than 256).
bool GreyDevice(int colorCount) { return colorCount < 3 && colorCount != -1; }

// Brush `index` of a pattern set; NULL when the set could not be made.
HBRUSH PatternBrush(BrushArrayRec* set, int index) { return set != NULL ? set->brushes[index] : NULL; }

POINT PointOnEllipse(POINT centre, int rx, int ry, int degrees) {
  const double a = degrees * kRadiansPerDegree;
  return POINT{centre.x + RoundToNearestInt(cos(a) * rx), centre.y - RoundToNearestInt(sin(a) * ry)};
}

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// Stock objects are the process's for its whole life.
HGDIOBJ NullPen() {
  static const HGDIOBJ pen = GetStockObject(NULL_PEN);
  return pen;
}
HGDIOBJ NullBrush() {
  static const HGDIOBJ brush = GetStockObject(NULL_BRUSH);
  return brush;
}

}  // namespace

CDrawingCore::CDrawingCore(unsigned long flags, unsigned options)
    : m_coreOptions(options),
      m_flags(flags),
      m_origin{0, 0},
      m_scroll{0, 0},
      m_zoomNum(1),
      m_zoomDen(1),
      m_zoomRatio(1.0f),
      m_twipsPerPixelX(kTwipsPerInch / kDefaultResolution),
      m_twipsPerPixelY(kTwipsPerInch / kDefaultResolution),
      m_factorX(1.0f),
      m_factorY(1.0f),
      m_cullRect{0, 0, 0, 0},
      m_printOffset{0, 0},
      m_penFore(0),
      m_penBack(0xFFFFFF),
      m_fillFore(0),
      m_fillBack(0xFFFFFF),
      m_background(0x01000000),
      m_dash(kSolidDash),
      m_lineWidth(1),
      m_fillPattern(kSolidFill),
      m_patternRop(PATCOPY),
      m_penWidth(1),
      m_lineBrushColor(0),
      m_fillBrushes(),
      m_nextFillBrush(0),
      m_knownPen(NULL),
      m_knownBrush(NULL),
      m_dcLent(false) {}

// The owners free the brushes and pens; the DC was given back by the view's unpreparation.
CDrawingCore::~CDrawingCore() {}

// ---------------------------------------------------------------------------------------------
// Coordinate model

int CDrawingCore::ClientToImageX(int x) const {
  return ClampToInt(static_cast<long long>(RoundToNearestInt((static_cast<double>(x) + m_scroll.x) * m_factorX)) -
                    m_origin.x);
}
int CDrawingCore::ClientToImageY(int y) const {
  return ClampToInt(static_cast<long long>(RoundToNearestInt((static_cast<double>(y) + m_scroll.y) * m_factorY)) -
                    m_origin.y);
}
int CDrawingCore::ImageToClientX(int x) const {
  return ClampToInt(static_cast<long long>(RoundToNearestInt((static_cast<double>(x) + m_origin.x) / m_factorX)) -
                    m_scroll.x);
}
int CDrawingCore::ImageToClientY(int y) const {
  return ClampToInt(static_cast<long long>(RoundToNearestInt((static_cast<double>(y) + m_origin.y) / m_factorY)) -
                    m_scroll.y);
}
int CDrawingCore::ClientToImageWidth(int w) const { return RoundToNearestInt(static_cast<double>(m_factorX) * w); }
int CDrawingCore::ClientToImageHeight(int h) const { return RoundToNearestInt(static_cast<double>(m_factorY) * h); }
int CDrawingCore::ImageToClientWidth(int w) const { return RoundToNearestInt(w / static_cast<double>(m_factorX)); }
int CDrawingCore::ImageToClientHeight(int h) const { return RoundToNearestInt(h / static_cast<double>(m_factorY)); }

int CDrawingCore::ImageToClientDistance(long v, bool horizontal) const {
  return RoundToNearestInt(static_cast<double>(v) / (horizontal ? m_factorX : m_factorY));
}

void CDrawingCore::ComputeConversionFactors(int fallbackDpiX, int fallbackDpiY) {
  const bool twips = (m_flags & DRAWCORE_TWIPS) != 0;
  float fx = twips ? UsableTwipsPerPixel(m_twipsPerPixelX, fallbackDpiX) : 1.0f;
  float fy = twips ? UsableTwipsPerPixel(m_twipsPerPixelY, fallbackDpiY) : 1.0f;
  if ((m_flags & DRAWCORE_ZOOMED) != 0 && m_zoomRatio > 0.0f) {
    fx /= m_zoomRatio;
    fy /= m_zoomRatio;
  }
  m_factorX = fx;
  m_factorY = fy;
}

void CDrawingCore::SwitchUnit(bool twips, int fallbackDpiX, int fallbackDpiY) {
  const bool wasTwips = (m_flags & DRAWCORE_TWIPS) != 0;
  if (twips)
    m_flags |= DRAWCORE_TWIPS;
  else
    m_flags &= ~static_cast<unsigned long>(DRAWCORE_TWIPS);
  if ((m_flags & DRAWCORE_PRINT_FLAGS) == 0) {
    ComputeConversionFactors(fallbackDpiX, fallbackDpiY);
    return;
  }
  // A repeated call must not scale twice.
  if (twips == wasTwips) return;
  const float tx = UsableTwipsPerPixel(m_twipsPerPixelX, fallbackDpiX);
  const float ty = UsableTwipsPerPixel(m_twipsPerPixelY, fallbackDpiY);
  if (twips) {
    m_factorX *= tx;
    m_factorY *= ty;
  } else {
    m_factorX /= tx;
    m_factorY /= ty;
  }
}

void CDrawingCore::ClientToImageRectCore(RECT const& in, RECT& out) const {
  out.left = ClientToImageX(in.left);
  out.top = ClientToImageY(in.top);
  out.right = ClientToImageX(in.right);
  out.bottom = ClientToImageY(in.bottom);
}

BOOL CDrawingCore::ImageToClientRectCulled(RECT const& in, RECT& out) const {
  const bool cull = (m_flags & DRAWCORE_CULLING) != 0;
  out.left = ImageToClientX(in.left);
  if (cull && out.left > m_cullRect.right) return FALSE;
  out.top = ImageToClientY(in.top);
  if (cull && out.top > m_cullRect.bottom) return FALSE;
  out.right = ImageToClientX(in.right);
  if (cull && out.right < m_cullRect.left) return FALSE;
  out.bottom = ClientBottom(out.top, in, m_factorY);
  if (cull && out.bottom <= m_cullRect.top) return FALSE;
  return TRUE;
}

HRGN CDrawingCore::ImageRectToClientRgnCore(RECT const& r) const {
  RECT c;
  c.left = ImageToClientX(r.left);
  c.top = ImageToClientY(r.top);
  c.right = ImageToClientX(r.right);
  c.bottom = ClientBottom(c.top, r, m_factorY);
  if ((m_flags & DRAWCORE_PRINT_FLAGS) != 0) ::OffsetRect(&c, m_printOffset.x, m_printOffset.y);
  return ::CreateRectRgnIndirect(&c);
}

// ---------------------------------------------------------------------------------------------
// Device

void CDrawingCore::BeginDevice(HDC dc) {
  m_hDC = dc;
  // Whatever the view changes in the DC (clip region, colours, modes, raster operation,
  // selected objects) is the caller's again after EndDevice; a window's own DC keeps its
  // state between preparations otherwise.
  m_dcState = uih::SavedDC(dc);
  SetArcDirection(dc, AD_COUNTERCLOCKWISE);
  m_hSavedPen = static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN));
  m_hSavedBrush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  m_knownPen = m_hSavedPen;
  m_knownBrush = m_hSavedBrush;
  m_dcLent = false;
  SetBkMode(dc, TRANSPARENT);
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  m_flags &= ~static_cast<unsigned long>(DRAWCORE_RASTER_DISPLAY | DRAWCORE_PALETTE | DRAWCORE_PEN_COLORS);
  CPalette* palette = quarnel::LibraryPalette();
  if (palette != NULL && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) &&
      GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) == 8) {
    m_hSavedPalette = SelectPalette(dc, static_cast<HPALETTE>(palette->GetSafeHandle()), FALSE);
    // Drawing for a reference device leaves the palette to that device.
    if (m_hAttribDC == NULL) {
      RealizePalette(dc);
      m_flags |= DRAWCORE_PALETTE;
    }
  }
}

void CDrawingCore::FinishDevice() {
  if (m_hDC != NULL && GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASDISPLAY) m_flags |= DRAWCORE_RASTER_DISPLAY;
  ResetDrawingAttributes();
}

void CDrawingCore::EndDevice() {
  if (m_hDC != NULL) {
    if (m_hSavedPen != NULL) SelectObject(m_hDC, m_hSavedPen);
    if (m_hSavedBrush != NULL) SelectObject(m_hDC, m_hSavedBrush);
    if (m_hSavedPalette != NULL) SelectPalette(m_hDC, m_hSavedPalette, FALSE);
  }
  m_dcState.Restore();
  ForgetSelection();
  m_dcLent = false;
  m_hClipRgn.Reset();
  m_hDashPen.Reset();
  m_hDC = NULL;
  m_hSavedPen = NULL;
  m_hSavedBrush = NULL;
  m_hSavedPalette = NULL;
  m_flags &= ~static_cast<unsigned long>(DRAWCORE_RASTER_DISPLAY | DRAWCORE_PALETTE | DRAWCORE_PEN_COLORS);
}

int CDrawingCore::ReferenceColorCount() const {
  if (m_hColorRefDC != NULL) return GetDeviceCaps(m_hColorRefDC, NUMCOLORS);
  return (m_coreOptions & kGreyWithoutColorReference) ? 0 : -1;
}

COLORREF CDrawingCore::DeviceColor(COLORREF c) const {
  if ((m_flags & DRAWCORE_PRINT_FLAGS) && GreyDevice(ReferenceColorCount())) c = ColorToGray(c);
  if (m_flags & DRAWCORE_PALETTE) {
    if (CPalette* palette = quarnel::LibraryPalette()) c = PALETTEINDEX(palette->GetNearestPaletteIndex(c));
  }
  return c;
}

// ---------------------------------------------------------------------------------------------
// Attributes

void CDrawingCore::ResetDrawingAttributes() {
  m_flags |= DRAWCORE_SOLID_PEN;
  m_penFore = 0;
  m_fillFore = 0;
  m_penBack = 0xFFFFFF;
  m_fillBack = 0xFFFFFF;
  m_lineWidth = 1;
  m_dash = kSolidDash;
  m_fillPattern = kSolidFill;
  if (m_hDC != NULL) SetROP2(m_hDC, R2_COPYPEN);
  m_patternRop = PATCOPY;
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (m_hClipRgn) {
    if (m_hBaseRgn != NULL)
      CombineRgn(m_hClipRgn.Get(), m_hBaseRgn, NULL, RGN_COPY);
    else
      SetRectRgn(m_hClipRgn.Get(), 0, 0, kClipLimit, kClipLimit);
  }
  m_penWidth = 0;
  ComputePenWidthInPixels();
  DropPen();
  PrepareColors(true);
}

void CDrawingCore::ApplyPenForeColor(COLORREF c) {
  if (c == m_penFore) return;
  m_penFore = c;
  if (m_hDC != NULL && (m_flags & DRAWCORE_PEN_COLORS)) SetTextColor(m_hDC, DeviceColor(c));
  DropPen();
}

void CDrawingCore::ApplyPenBackColor(COLORREF c) {
  if (c == m_penBack) return;
  m_penBack = c;
  if (m_hDC != NULL && (m_flags & DRAWCORE_PEN_COLORS)) SetBkColor(m_hDC, DeviceColor(c));
}

void CDrawingCore::ApplyFillForeColor(COLORREF c) {
  if (c == m_fillFore) return;
  m_fillFore = c;
  if (m_hDC != NULL && !(m_flags & DRAWCORE_PEN_COLORS)) SetTextColor(m_hDC, DeviceColor(c));
}

void CDrawingCore::ApplyFillBackColor(COLORREF c) {
  if (c == m_fillBack) return;
  m_fillBack = c;
  if (m_hDC != NULL && !(m_flags & DRAWCORE_PEN_COLORS)) SetBkColor(m_hDC, DeviceColor(c));
}

void CDrawingCore::ApplyBackgroundColor(COLORREF c) {
  if (c == m_background) return;
  m_background = c;
  m_hBackBrush.Reset(CreateSolidBrush(c));
}

COLORREF CDrawingCore::EffectiveBackgroundColor() const {
  return m_background >= 0x01000000 ? GetSysColor(COLOR_WINDOW) : m_background;
}

void CDrawingCore::ApplyDashLine(int dash) {
  if (dash == m_dash) return;
  m_dash = dash;
  DropPen();
}

void CDrawingCore::ApplyLineWidth(unsigned short width) {
  if (width == 0 || width == m_lineWidth) return;
  m_lineWidth = width;
  ComputePenWidthInPixels();
}

void CDrawingCore::ApplyFillPattern(int pattern, int lastPattern) {
  // A value beyond the pattern set has no brush to fill with.
  if (pattern >= 0 && pattern <= lastPattern) m_fillPattern = pattern - 1;
}

void CDrawingCore::ApplyDrawMode(bool exclusive) {
  m_patternRop = exclusive ? PATINVERT : PATCOPY;
  if (m_hDC != NULL) SetROP2(m_hDC, exclusive ? R2_NOTXORPEN : R2_COPYPEN);
}

bool CDrawingCore::IsExclusiveDrawMode() const {
  if (m_hDC == NULL) return m_patternRop != PATCOPY;
  return GetROP2(m_hDC) != R2_COPYPEN;
}

void CDrawingCore::ComputePenWidthInPixels() {
  const float width = static_cast<float>(m_lineWidth) / m_factorX;
  // The printer minimum is one point in hundredths of a millimetre, the unit of the pictures
  // recorded for a printer or metafile reference. A page printed or previewed is drawn in the
  // printer's own pixels, where the printed page's minimum of one pixel holds: the preview is
  // that page scaled.
  const float minimum = m_hAttribDC != NULL && !(m_flags & DRAWCORE_PRINT_FLAGS) &&
                                GetDeviceCaps(m_hAttribDC, TECHNOLOGY) != DT_RASDISPLAY
                            ? kPrinterMinPenWidth
                            : 1.0f;
  int pixels = width >= minimum ? RoundToNearestInt(width) : static_cast<int>(minimum);
  if (pixels > 0xFFFF) pixels = 0xFFFF;
  if (pixels < 1) pixels = 1;
  if (static_cast<unsigned short>(pixels) == m_penWidth) return;
  m_penWidth = static_cast<unsigned short>(pixels);
  DropPen();
}

// ---------------------------------------------------------------------------------------------
// Pens and brushes

void CDrawingCore::PrepareColors(bool pen) {
  if (m_hDC != NULL) {
    SetTextColor(m_hDC, DeviceColor(pen ? m_penFore : m_fillFore));
    SetBkColor(m_hDC, DeviceColor(pen ? m_penBack : m_fillBack));
  }
  if (pen)
    m_flags |= DRAWCORE_PEN_COLORS;
  else
    m_flags &= ~static_cast<unsigned long>(DRAWCORE_PEN_COLORS);
}

void CDrawingCore::PreparePen(bool none) {
  if (m_hDC == NULL) return;
  if (none) {
    UsePen(NullPen());
    return;
  }
  const int style = m_dash == kShortDash  ? PS_DOT
                    : m_dash == kLongDash ? PS_DASH
                    : m_dash == kDashDot  ? PS_DASHDOT
                                          : PS_SOLID;
  if (!m_hDashPen) m_hDashPen.Reset(CreatePen(style, m_penWidth, DeviceColor(m_penFore)));
  if (style != PS_SOLID) {
    if (!(m_flags & DRAWCORE_PEN_COLORS)) PrepareColors(true);
    m_flags &= ~static_cast<unsigned long>(DRAWCORE_SOLID_PEN);
  } else {
    m_flags |= DRAWCORE_SOLID_PEN;
  }
  if (m_hDashPen) UsePen(m_hDashPen.Get());
}

void CDrawingCore::DropPen() {
  if (!m_hDashPen) return;
  // A pen still selected cannot be deleted.
  if (m_hDC != NULL && SelectedPen() == m_hDashPen.Get())
    UsePen(m_hSavedPen != NULL ? m_hSavedPen : GetStockObject(BLACK_PEN));
  m_hDashPen.Reset();
}

// Selecting an object again is not free on every surface, and neither is asking the DC which
// one it holds: the core asks only what it does not know (see UsePen).
HGDIOBJ CDrawingCore::SelectedPen() {
  if (m_hDC == NULL) return NULL;
  if (m_knownPen == NULL || m_dcLent) m_knownPen = GetCurrentObject(m_hDC, OBJ_PEN);
  return m_knownPen;
}

HGDIOBJ CDrawingCore::SelectedBrush() {
  if (m_hDC == NULL) return NULL;
  if (m_knownBrush == NULL || m_dcLent) m_knownBrush = GetCurrentObject(m_hDC, OBJ_BRUSH);
  return m_knownBrush;
}

void CDrawingCore::UsePen(HGDIOBJ pen) {
  if (m_hDC == NULL || pen == NULL || SelectedPen() == pen) return;
  // A refused selection leaves the DC's pen unknown.
  m_knownPen = SelectObject(m_hDC, pen) != NULL ? pen : NULL;
}

void CDrawingCore::UseBrush(HGDIOBJ brush) {
  if (m_hDC == NULL || brush == NULL || SelectedBrush() == brush) return;
  m_knownBrush = SelectObject(m_hDC, brush) != NULL ? brush : NULL;
}

HBRUSH CDrawingCore::SolidBrush(bool line, COLORREF c) {
  // A brush still selected cannot be deleted.
  auto replace = [this](uih::OwnedBrush& brush, HBRUSH by) {
    if (brush && m_hDC != NULL && SelectedBrush() == brush.Get())
      UseBrush(m_hSavedBrush != NULL ? m_hSavedBrush : NullBrush());
    brush.Reset(by);
  };
  if (line) {
    if (m_hLineBrush && m_lineBrushColor == c) return m_hLineBrush.Get();
    replace(m_hLineBrush, CreateSolidBrush(c));
    m_lineBrushColor = c;
    return m_hLineBrush.Get();
  }
  for (const SolidBrushSlot& slot : m_fillBrushes) {
    if (slot.brush && slot.color == c) return m_hFillBrush = slot.brush.Get();
  }
  SolidBrushSlot& slot = m_fillBrushes[m_nextFillBrush];
  m_nextFillBrush = (m_nextFillBrush + 1) % kSolidFillBrushes;
  replace(slot.brush, CreateSolidBrush(c));
  slot.color = c;
  return m_hFillBrush = slot.brush.Get();
}

void CDrawingCore::PrepareLineBrush(bool vertical) {
  if (m_hDC == NULL) return;
  // The all-foreground pattern of solid lines is painted with a solid brush: the same pixels,
  // and GDI paints solid brushes much faster than pattern brushes.
  HBRUSH brush = m_dash > kSolidDash && m_dash <= kDashDot
                     ? PatternBrush(quarnel::DashPatterns(), vertical ? m_dash + 3 : m_dash - 1)
                     : SolidBrush(true, DeviceColor(m_penFore));
  UseBrush(brush);
  if (!(m_flags & DRAWCORE_PEN_COLORS)) PrepareColors(true);
}

void CDrawingCore::PrepareFillBrush(bool none) {
  if (m_hDC == NULL) return;
  if (none || m_fillPattern < 0) {
    UseBrush(NullBrush());
    return;
  }
  COLORREF blend = 0;
  bool blended = false;
  if (m_coreOptions & kSolidFillsForPrinting) {
    if (m_hAttribDC != NULL || (m_flags & DRAWCORE_PRINT_FLAGS)) {
      // Printers and metafiles get a solid colour in place of a pattern.
      blended = BlendFillColors(m_fillBack, m_fillFore, m_fillPattern + 1, &blend) != 0;
      if (!blended && m_hAttribDC != NULL) blended = BlendFillColors(m_fillBack, m_fillFore, 4, &blend) != 0;
      if (blended && m_hAttribDC == NULL && GreyDevice(ReferenceColorCount())) blend = ColorToGray(blend);
    }
  } else if ((m_flags & DRAWCORE_PRINT_FLAGS) && GreyDevice(ReferenceColorCount())) {
    // A grey print surface gets the grey of the blended pattern.
    blended = BlendFillColors(m_fillBack, m_fillFore, m_fillPattern + 1, &blend) != 0;
    if (blended) blend = ColorToGray(blend);
  }
  HBRUSH brush;
  if (!blended) {
    // All foreground: a solid brush paints the same pixels faster than the pattern.
    brush = m_fillPattern == kSolidFill ? SolidBrush(false, DeviceColor(m_fillFore))
                                        : PatternBrush(quarnel::FillPatterns(), m_fillPattern);
    if (m_flags & DRAWCORE_PEN_COLORS) PrepareColors(false);
  } else {
    brush = SolidBrush(false, blend);
  }
  if (brush == NULL) return;
  if ((m_flags & DRAWCORE_RASTER_DISPLAY) && m_fillPattern >= 2) {
    if (SelectedBrush() != brush) UnrealizeObject(brush);
    AlignPatternOrigin();
  }
  UseBrush(brush);
}

void CDrawingCore::PrepareShapeFillBrush() {
  if (m_fillPattern >= 0 && m_fillPattern < 2 && m_fillFore == m_fillBack) {
    HBRUSH brush = SolidBrush(false, DeviceColor(m_fillBack));
    UseBrush(brush);
  } else {
    PrepareFillBrush(false);
  }
}

void CDrawingCore::AlignPatternOrigin() {
  // Patterns stay aligned to the document whatever the scroll position.
  POINT origin = {-m_scroll.x, -m_scroll.y};
  if (m_flags & DRAWCORE_PREVIEW) {
    POINT viewport;
    GetViewportOrgEx(m_hDC, &viewport);
    origin.x += viewport.x;
    origin.y += viewport.y;
  }
  SetBrushOrgEx(m_hDC, origin.x & 7, origin.y & 7, NULL);
}

// ---------------------------------------------------------------------------------------------
// Shapes

void CDrawingCore::MoveToCore(POINT p) {
  if (m_hDC == NULL) return;
  MoveToEx(m_hDC, ImageToClientX(p.x), ImageToClientY(p.y), NULL);
}

void CDrawingCore::DrawLineCore(POINT a, POINT b) {
  if (m_hDC == NULL) return;
  a = POINT{ImageToClientX(a.x), ImageToClientY(a.y)};
  b = POINT{ImageToClientX(b.x), ImageToClientY(b.y)};
  const int w = m_penWidth;
  const bool slanted = a.x != b.x && a.y != b.y;
  // Slanted lines, and thin solid lines printed or previewed in twips, are drawn with the pen
  // (a pen line keeps at least one pixel when the previewed page is scaled down).
  const bool thinPrintedLine = m_dash == kSolidDash && (m_flags & DRAWCORE_TWIPS) &&
                               (m_flags & DRAWCORE_PRINT_FLAGS) && m_lineWidth <= 20;
  if (!slanted && !thinPrintedLine) {
    // Straight lines are pattern blits: the dash patterns need no pen, and the end point is
    // left out.
    if (a.x == b.x) {
      PrepareLineBrush(true);
      PatBlt(m_hDC, a.x - w / 2, a.y < b.y ? a.y : b.y, w, abs(b.y - a.y), m_patternRop);
    } else {
      PrepareLineBrush(false);
      PatBlt(m_hDC, a.x < b.x ? a.x : b.x, a.y - w / 2, abs(b.x - a.x), w, m_patternRop);
    }
    return;
  }
  PreparePen(false);
  if (!slanted) PullInLineEnds(a, b, w);
  MoveToEx(m_hDC, a.x, a.y, NULL);
  LineTo(m_hDC, b.x, b.y);
}

void CDrawingCore::DrawRectCore(RECT const& r, bool frame, bool fill) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  const int w = m_penWidth;
  const int width = c.right - c.left, h = c.bottom - c.top;
  // A thin solid frame with its fill is one GDI rectangle on the screen and in bitmaps: the
  // same pixels as the bars and the inside. Not in an exclusive mode (the pen and the pattern
  // combine differently), nor thinner than its two edges, nor on a printed or previewed page
  // (where a pen keeps one pixel that a scaled bar may lose).
  if (frame && fill && w == 1 && m_dash == kSolidDash && m_patternRop == PATCOPY && width >= 2 && h >= 2 &&
      m_fillPattern >= 0 && !(m_flags & DRAWCORE_PRINT_FLAGS) && m_hAttribDC == NULL) {
    PreparePen(false);
    PrepareFillBrush(false);
    Rectangle(m_hDC, c.left, c.top, c.right, c.bottom);
    return;
  }
  if (frame) {
    // The frame stays inside the rectangle; one the edges fill has no inside to fill.
    const FrameEdges e = FrameEdgesInside(w, width, h);
    PrepareLineBrush(true);
    if (e.left > 0 && h > 0) PatBlt(m_hDC, c.left, c.top, e.left, h, m_patternRop);
    if (e.right > 0 && h > 0) PatBlt(m_hDC, c.right - e.right, c.top, e.right, h, m_patternRop);
    PrepareLineBrush(false);
    if (e.innerWidth > 0 && e.top > 0) PatBlt(m_hDC, c.left + e.left, c.top, e.innerWidth, e.top, m_patternRop);
    if (e.innerWidth > 0 && e.bottom > 0)
      PatBlt(m_hDC, c.left + e.left, c.bottom - e.bottom, e.innerWidth, e.bottom, m_patternRop);
    if (fill && e.innerWidth > 0 && e.innerHeight > 0) {
      PrepareFillBrush(false);
      PatBlt(m_hDC, c.left + e.left, c.top + e.top, e.innerWidth, e.innerHeight, m_patternRop);
    }
  } else if (fill) {
    PrepareFillBrush(false);
    // No fill selects the null brush, which some printer drivers paint black: not sent to a
    // printer.
    const bool nullBrush = SelectedBrush() == NullBrush();
    if (!((m_flags & DRAWCORE_PRINTING) && m_patternRop == PATCOPY && nullBrush))
      PatBlt(m_hDC, c.left, c.top, width, h, m_patternRop);
  }
}

void CDrawingCore::Draw3DRectCore(RECT const& r, bool raised) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  DrawEdge(m_hDC, &c, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  ForgetSelection();  // the system's drawing, not the core's
}

void CDrawingCore::DrawSelectionRectCore(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  const int pattern = m_fillPattern;
  m_fillPattern = kCheckerFill;
  PrepareFillBrush(false);
  m_fillPattern = pattern;
  const int width = c.right - c.left, h = c.bottom - c.top;
  if (width <= 0 || h <= 0) return;
  // Every pixel of the outline is drawn once, and none outside the rectangle: an exclusive
  // draw mode would take back a pixel drawn twice.
  PatBlt(m_hDC, c.left, c.top, 1, h, m_patternRop);
  if (width > 1) PatBlt(m_hDC, c.right - 1, c.top, 1, h, m_patternRop);
  if (width > 2) {
    PatBlt(m_hDC, c.left + 1, c.top, width - 2, 1, m_patternRop);
    if (h > 1) PatBlt(m_hDC, c.left + 1, c.bottom - 1, width - 2, 1, m_patternRop);
  }
}

void CDrawingCore::EraseRectCore(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  FillRect(m_hDC, &c, GetSysColorBrush(COLOR_WINDOW));
}

void CDrawingCore::InvertRectCore(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  InvertRect(m_hDC, &c);
}

void CDrawingCore::DrawOvalCore(RECT const& r, bool frame, bool fill) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  if (fill) {
    // A solid pen draws the frame with the fill in one go.
    const bool together = frame && m_dash == kSolidDash;
    PreparePen(!together);
    PrepareFillBrush(false);
    Ellipse(m_hDC, c.left, c.top, c.right, c.bottom);
    if (together) frame = false;
  }
  if (frame) {
    PreparePen(false);
    PrepareFillBrush(true);
    Ellipse(m_hDC, c.left, c.top, c.right, c.bottom);
  }
}

void CDrawingCore::DrawArcOrSectorCore(bool arc, RECT const& r, int start, int sweep, bool frame, bool fill) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  const int rx = (c.right - c.left) >> 1, ry = (c.bottom - c.top) >> 1;
  // A flat or empty ellipse has no two points to run between.
  if (rx == 0 || ry == 0) return;
  const POINT centre = {c.left + rx, c.top + ry};
  POINT from = PointOnEllipse(centre, rx, ry, start);
  int end = start + sweep;
  POINT to = PointOnEllipse(centre, rx, ry, end);
  // GDI draws the whole ellipse for equal end points: right for a whole turn, but a shorter
  // sweep (0, or too small to move the point) grows in its own direction until the points part.
  const bool wholeTurn = sweep != 0 && sweep % 360 == 0;
  const int step = sweep < 0 ? -1 : 1;
  for (int grown = 0; !wholeTurn && SamePoint(to, from) && grown < 360; ++grown)
    to = PointOnEllipse(centre, rx, ry, end += step);
  // GDI always runs counter-clockwise from the first point to the second: a clockwise
  // (negative) sweep is the counter-clockwise one from its end back to its start.
  if (sweep < 0) std::swap(from, to);

  if (arc) {
    PreparePen(false);
    Arc(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    return;
  }
  if (fill) {
    const bool together = frame && m_dash == kSolidDash;
    PreparePen(!together);
    PrepareShapeFillBrush();
    Pie(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    if (together) frame = false;
  }
  if (frame) {
    PreparePen(false);
    PrepareFillBrush(true);
    Pie(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
  }
}

void CDrawingCore::DrawPolyCore(POINT const* image, int n, bool closed, bool frame, bool fill) {
  if (m_hDC == NULL || image == NULL || n <= 0 || n > INT_MAX - 1) return;
  const int count = n + (closed ? 1 : 0);
  POINT small[64];
  std::unique_ptr<POINT[]> large;
  POINT* client = small;
  if (count > 64) {
    large.reset(new POINT[count]);
    client = large.get();
  }
  for (int i = 0; i < n; ++i) client[i] = POINT{ImageToClientX(image[i].x), ImageToClientY(image[i].y)};
  if (closed) client[n] = client[0];

  if (fill) {
    const bool together = frame && closed && m_dash == kSolidDash;
    PreparePen(!together);
    PrepareShapeFillBrush();
    const int mode = SetBkMode(m_hDC, OPAQUE);
    Polygon(m_hDC, client, count);
    SetBkMode(m_hDC, mode);
    if (together) frame = false;
  }
  if (frame) {
    PreparePen(false);
    Polyline(m_hDC, client, count);
  }
}

void CDrawingCore::BlockMoveCore(RECT const& r, long dx, long dy) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRectCulled(r, c)) return;
  const int x = c.left + RoundToNearestInt(dx / m_factorX);
  const int y = c.top + RoundToNearestInt(dy / m_factorY);
  BitBlt(m_hDC, x, y, c.right - c.left, c.bottom - c.top, m_hDC, c.left, c.top, SRCCOPY);
}

void CDrawingCore::DrawImageListCore(HIMAGELIST list, int index, POINT p) {
  if (m_hDC == NULL || list == NULL) return;
  p = POINT{ImageToClientX(p.x), ImageToClientY(p.y)};
  const bool zoomed = (m_flags & DRAWCORE_ZOOMED) != 0 && m_zoomNum > 0 && m_zoomDen > 0;
  // The DC's own mapping (a metafile's, say) is given back afterwards.
  uih::SavedDC mapping;
  if (zoomed) {
    mapping = uih::SavedDC(m_hDC);
    SetMapMode(m_hDC, MM_ANISOTROPIC);
    SetWindowExtEx(m_hDC, m_zoomDen, m_zoomDen, NULL);
    SetViewportExtEx(m_hDC, m_zoomNum, m_zoomNum, NULL);
    p.x = RoundToNearestInt(p.x / static_cast<double>(m_zoomRatio));
    p.y = RoundToNearestInt(p.y / static_cast<double>(m_zoomRatio));
  }
  ImageList_Draw(list, index, m_hDC, p.x, p.y, ILD_TRANSPARENT);
  mapping.Restore();
  ForgetSelection();  // the image list's drawing, and a restored DC state
}

// ---------------------------------------------------------------------------------------------
// Clipping

void CDrawingCore::CombineClip(RECT const& r, int mode) {
  uih::OwnedRgn rect(ImageRectToClientRgnCore(r));
  if (!rect) return;
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (!m_hClipRgn) return;
  if (mode == RGN_COPY)
    CombineRgn(m_hClipRgn.Get(), rect.Get(), NULL, RGN_COPY);
  else
    CombineRgn(m_hClipRgn.Get(), m_hClipRgn.Get(), rect.Get(), mode);
  // Drawing for a reference DC records no clipping of the view's own.
  if (m_hAttribDC == NULL && m_hDC != NULL) SelectClipRgn(m_hDC, m_hClipRgn.Get());
}

void CDrawingCore::ResetClip() {
  if (m_hClipRgn) SetRectRgn(m_hClipRgn.Get(), 0, 0, 0, 0);
  if (m_hDC != NULL) SelectClipRgn(m_hDC, NULL);
}

void CDrawingCore::CopyClip(HRGN into) const {
  RECT box;
  if (into != NULL && m_hClipRgn && GetRgnBox(m_hClipRgn.Get(), &box) > NULLREGION)
    CombineRgn(into, m_hClipRgn.Get(), NULL, RGN_COPY);
}

void CDrawingCore::SetClipFrom(HRGN source) {
  if (source == NULL) return;
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (!m_hClipRgn || CombineRgn(m_hClipRgn.Get(), source, NULL, RGN_COPY) == ERROR) return;
  if (m_hAttribDC != NULL || m_hDC == NULL) return;
  RECT box;
  SelectClipRgn(m_hDC, GetRgnBox(m_hClipRgn.Get(), &box) > NULLREGION ? m_hClipRgn.Get() : NULL);
}

// ---------------------------------------------------------------------------------------------
// Text measurement

CDrawingCore::FontMetrics CDrawingCore::MeasureFont(HDC dc) const {
  FontMetrics m = {0, 0, 0, 0};
  TEXTMETRICW tm = {};
  if (dc == NULL || !GetTextMetricsW(dc, &tm)) return m;
  m.ascent = RoundToNearestInt(tm.tmAscent * static_cast<double>(m_factorY));
  m.descent = RoundToNearestInt(tm.tmDescent * static_cast<double>(m_factorY));
  m.externalLeading = RoundToNearestInt(tm.tmExternalLeading * static_cast<double>(m_factorY));
  m.maxCharWidth = RoundToNearestInt(tm.tmMaxCharWidth * static_cast<double>(m_factorX));
  return m;
}

unsigned long CDrawingCore::MeasureTextWidth(HDC dc, wchar_t const* text, int len) const {
  SIZE extent = {0, 0};
  if (dc == NULL || text == NULL || len <= 0 || !GetTextExtentPoint32W(dc, text, len, &extent)) return 0;
  return static_cast<unsigned long>(RoundToNearestInt(m_factorX * static_cast<double>(extent.cx)));
}

// ---------------------------------------------------------------------------------------------
// Scrolling

long CDrawingCore::ScrollBarDivisor(long range, long largest) {
  // An empty (or negative) range needs no division; the divisor is never 0.
  if (range <= kMaxScrollBarPosition) return 1;
  const long d = range / (kMaxScrollBarPosition + 1) + 1;
  return d > largest ? largest : d;
}

void CDrawingCore::RealignPatternBrush() {
  if (m_fillPattern < 2 || m_hDC == NULL) return;
  HGDIOBJ brush = SelectedBrush();
  SelectObject(m_hDC, NullBrush());
  UnrealizeObject(brush);
  AlignPatternOrigin();
  SelectObject(m_hDC, brush);
}

// ---------------------------------------------------------------------------------------------
// Panning

SIZE CDrawingCore::PanStep(int dx, int dy, unsigned passes) const {
  long sx = CPanPacer::Speed(dx), sy = CPanPacer::Speed(dy);
  if (m_flags & DRAWCORE_TWIPS) {
    sx = static_cast<long>(sx * m_twipsPerPixelX);
    sy = static_cast<long>(sy * m_twipsPerPixelY);
  }
  return SIZE{sx * static_cast<long>(passes), sy * static_cast<long>(passes)};
}

UINT CDrawingCore::RealizeLibraryPalette(HWND window, HPALETTE palette) {
  if (!(m_flags & DRAWCORE_PALETTE) || palette == NULL || m_hDC == NULL) return 0;
  HPALETTE previous = SelectPalette(m_hDC, palette, FALSE);
  const UINT changed = RealizePalette(m_hDC);
  if (window != NULL) {
    ::InvalidateRect(window, NULL, TRUE);
    ::UpdateWindow(window);
  }
  SelectPalette(m_hDC, previous, FALSE);
  return changed;
}

// ---------------------------------------------------------------------------------------------
// Printing pages

CDrawingCore::CoreState CDrawingCore::SaveCoreState() const {
  CoreState s;
  s.flags = m_flags;
  s.scroll = m_scroll;
  s.zoomNum = m_zoomNum;
  s.zoomDen = m_zoomDen;
  s.zoomRatio = m_zoomRatio;
  s.twipsPerPixelX = m_twipsPerPixelX;
  s.twipsPerPixelY = m_twipsPerPixelY;
  s.factorX = m_factorX;
  s.factorY = m_factorY;
  s.cullRect = m_cullRect;
  s.printOffset = m_printOffset;
  s.attribDC = m_hAttribDC;
  s.colorRefDC = m_hColorRefDC;
  return s;
}

void CDrawingCore::RestoreCoreState(const CoreState& s) {
  m_flags = s.flags;
  m_scroll = s.scroll;
  m_zoomNum = s.zoomNum;
  m_zoomDen = s.zoomDen;
  m_zoomRatio = s.zoomRatio;
  m_twipsPerPixelX = s.twipsPerPixelX;
  m_twipsPerPixelY = s.twipsPerPixelY;
  m_factorX = s.factorX;
  m_factorY = s.factorY;
  m_cullRect = s.cullRect;
  m_printOffset = s.printOffset;
  m_hAttribDC = s.attribDC;
  m_hColorRefDC = s.colorRefDC;
  ComputePenWidthInPixels();
}

void CDrawingCore::SetUpPrintPage(HDC out, HDC printer, bool preview, bool offsetByEscape) {
  SIZE ve = {1, 1}, we = {1, 1};
  if (preview) {
    ::GetViewportExtEx(out, &ve);
    ::GetWindowExtEx(out, &we);
    if (ve.cx != 0 && ve.cy != 0 && we.cx != 0 && we.cy != 0) {
      m_zoomRatio = m_zoomRatio * static_cast<float>(ve.cy) / static_cast<float>(we.cy);
      m_factorX = m_factorX * static_cast<float>(we.cx) / static_cast<float>(ve.cx);
      m_factorY = m_factorY * static_cast<float>(we.cy) / static_cast<float>(ve.cy);
    } else {
      ve = we = SIZE{1, 1};
    }
  }
  ::GetViewportOrgEx(out, &m_printOffset);
  if (m_hClipRgn) {
    ::SetRectRgn(m_hClipRgn.Get(), 0, 0, kPrintClipLimit, kPrintClipLimit);
    ::SelectClipRgn(out, m_hClipRgn.Get());
  }
  POINT offset = {0, 0};
  if (offsetByEscape) {
    if (::Escape(printer, GETPRINTINGOFFSET, 0, NULL, &offset) <= 0) offset = POINT{0, 0};
  } else {
    offset = POINT{::GetDeviceCaps(printer, PHYSICALOFFSETX), ::GetDeviceCaps(printer, PHYSICALOFFSETY)};
  }
  m_scroll.x = RoundToNearestInt(static_cast<double>(offset.x) * ve.cx / we.cx);
  m_scroll.y = RoundToNearestInt(static_cast<double>(offset.y) * ve.cy / we.cy);
}
