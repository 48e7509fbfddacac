// The drawing view's model: mode flags, attributes, zoom, origin and the conversions between
// client pixels, image units (twips or pixels), twips, points and device pixels.
#include <UIUtilities.h>
#include <UIView.h>
#include <math.h>
#include <string.h>

#include <utility>

IMPLEMENT_DYNAMIC(CUIView, CView)

namespace {
constexpr int kDefaultResolution = 96;
constexpr long kTwipsPerInch = 1440;
constexpr long kPointsPerInch = 72;
constexpr long kTwipsPerPoint = 20;

int s_printOldFont = 0;

// A device resolution that can be divided by: a non-positive one (no device, or a broken
// driver answer) counts as the default screen.
long UsableResolution(int dpi) { return dpi > 0 ? dpi : kDefaultResolution; }

long ClampToLong(long long v) {
  if (v > 0x7FFFFFFFLL) return 0x7FFFFFFF;
  if (v < -0x7FFFFFFFLL - 1) return -0x7FFFFFFF - 1;
  return static_cast<long>(v);
}

// v * mul / div, truncated toward zero; the product cannot overflow, the result saturates.
long MulDivTruncate(long v, long mul, long div) { return ClampToLong(static_cast<long long>(v) * mul / div); }

long ImageToQvUnit(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? v : MulDivTruncate(v, kTwipsPerInch, UsableResolution(dpi));
}
long QvUnitToImage(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? v : MulDivTruncate(v, UsableResolution(dpi), kTwipsPerInch);
}
long ImageToPoint(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? v / kTwipsPerPoint : MulDivTruncate(v, kPointsPerInch, UsableResolution(dpi));
}
long PointToImage(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? MulDivTruncate(v, kTwipsPerPoint, 1)
                             : MulDivTruncate(v, UsableResolution(dpi), kPointsPerInch);
}
long ImageToPixel(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? MulDivTruncate(v, UsableResolution(dpi), kTwipsPerInch) : v;
}
long PixelToImage(QvImageUnitType unit, long v, int dpi) {
  return unit == QvTwipsUnit ? MulDivTruncate(v, kTwipsPerInch, UsableResolution(dpi)) : v;
}

// The POINT& and RECT& forms: every coordinate through the conversion of its axis.
using AxisConversion = long (CUIView::*)(long);
void ConvertPoint(CUIView& view, POINT& p, AxisConversion x, AxisConversion y) {
  p.x = (view.*x)(p.x);
  p.y = (view.*y)(p.y);
}
void ConvertRect(CUIView& view, RECT& r, AxisConversion x, AxisConversion y) {
  r.left = (view.*x)(r.left);
  r.top = (view.*y)(r.top);
  r.right = (view.*x)(r.right);
  r.bottom = (view.*y)(r.bottom);
}
}  // namespace

bool UIFont::operator==(const UIFont& other) const {
  if (style != other.style || size != other.size) return false;
  qv_utf8string mine(face);
  qv_utf8string theirs(other.face);
  return mine.length() == theirs.length() && memcmp(mine.c_str(), theirs.c_str(), mine.length()) == 0;
}

CUIView::CUIView(unsigned long style)
    : CDrawingCore(style & UIVIEW_HOST_FLAGS, kGreyWithoutColorReference | kSolidFillsForPrinting),
      m_printZoom(1.0f),
      m_displayHyperlinks(TRUE),
      m_scrollDivisorX(1),
      m_scrollDivisorY(1),
      m_drawRect{0, 0, 0, 0},
      m_resolutionX(kDefaultResolution),
      m_resolutionY(kDefaultResolution) {
  // The model's attributes before any DC: all colours black, no line width.
  m_penBack = 0;
  m_fillBack = 0;
  m_lineWidth = 0;
  m_fillPattern = QvSolidPattern - 1;
  // A twips view converts at the default screen resolution until a DC is prepared.
  PrepareConversionFactors();
}

CUIView::~CUIView() {}

BOOL CUIView::DestroyWindow() { return TRUE; }
BOOL CUIView::OnScroll(UINT, UINT, BOOL) { return FALSE; }
BOOL CUIView::OnScrollBy(CSize, BOOL) { return FALSE; }
BOOL CUIView::OnPreparePrinting(CPrintInfo*) { return FALSE; }
void CUIView::OnPrint(CDC*, CPrintInfo*) {}
void CUIView::OnInitialUpdate() {}

// --- Attributes ---

void CUIView::QvSetPenForeColor(COLORREF c) { m_penFore = c; }
COLORREF CUIView::QvGetPenForeColor() { return m_penFore; }
void CUIView::QvSetPenBackColor(COLORREF c) { m_penBack = c; }
COLORREF CUIView::QvGetPenBackColor() { return m_penBack; }
void CUIView::QvSetFillForeColor(COLORREF c) { m_fillFore = c; }
COLORREF CUIView::QvGetFillForeColor() { return m_fillFore; }
void CUIView::QvSetFillBackColor(COLORREF c) { m_fillBack = c; }
COLORREF CUIView::QvGetFillBackColor() { return m_fillBack; }
void CUIView::QvSetBackgroundColor(COLORREF c) { m_background = c; }
COLORREF CUIView::QvGetBackgroundColor() { return m_background; }
void CUIView::QvSetDashLine(QvDashLine dash) { m_dash = dash; }
QvDashLine CUIView::QvGetDashLine() { return static_cast<QvDashLine>(m_dash); }

void CUIView::QvSetLineWidth(unsigned short width) {
  if (width != 0 && width != m_lineWidth) m_lineWidth = width;
}
unsigned short CUIView::QvGetLineWidth() { return static_cast<unsigned short>(m_lineWidth); }

void CUIView::QvSetFillCharacter(QvString fill) { m_fillCharacter = std::move(fill); }
QvString CUIView::QvGetFillCharacter() { return m_fillCharacter; }

void CUIView::QvSetFont(UIFont const& font) {
  if (font != m_font) m_font = font;
}
void CUIView::QvGetFont(UIFont& font) { font = m_font; }

void CUIView::QvSetFillPattern(QvGUIPattern pattern) {
  // A value beyond the pattern set has no brush to fill with.
  if (pattern >= QvNoPattern && pattern <= QvLastPattern) m_fillPattern = static_cast<int>(pattern) - 1;
}
QvGUIPattern CUIView::QvGetFillPattern() { return static_cast<QvGUIPattern>(m_fillPattern + 1); }

// --- Model ---

void CUIView::SetUnitType(QvImageUnitType type) { SwitchUnit(type == QvTwipsUnit, m_resolutionX, m_resolutionY); }

void CUIView::PrepareConversionFactors() { ComputeConversionFactors(m_resolutionX, m_resolutionY); }

void CUIView::QvSetOrigin(POINT origin) { m_origin = origin; }

void CUIView::SetZoomFactor(long num, long den) {
  if (num <= 0 || den <= 0) return;  // no ratio to zoom by
  m_zoomNum = num;
  m_zoomDen = den;
  if (num != den) {
    m_flags |= UIVIEW_ZOOMED;
    m_zoomRatio = static_cast<float>(num) / static_cast<float>(den);
  } else {
    m_flags &= ~UIVIEW_ZOOMED;  // the ratio keeps its old value and is not used
  }
}

void CUIView::GetZoomFactor(long& num, long& den) const {
  num = m_zoomNum;
  den = m_zoomDen;
}

void CUIView::SetPrintZoomFactor(long num, long den) {
  if (num <= 0 || den <= 0) return;
  m_printZoom = static_cast<float>(num) / static_cast<float>(den);
}

int CUIView::SetDisplayHyperlinks(int display) {
  const int previous = m_displayHyperlinks;
  m_displayHyperlinks = display;
  return previous;
}

int CUIView::CanDisplayHyperlinks() {
  if (!m_displayHyperlinks) return 0;
  return (m_flags & UIVIEW_PRINT_FLAGS) != 0 ? 0 : 1;
}

void CUIView::SetPrintOldFont(int value) { s_printOldFont = value; }
int CUIView::GetPrintOldFont() { return s_printOldFont; }

// --- Image units <-> twips, points and device pixels (truncating) ---

long CUIView::QvXImageToQvUnit(long v) { return ImageToQvUnit(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYImageToQvUnit(long v) { return ImageToQvUnit(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXQvUnitToImage(long v) { return QvUnitToImage(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYQvUnitToImage(long v) { return QvUnitToImage(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXImageToPoint(long v) { return ImageToPoint(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYImageToPoint(long v) { return ImageToPoint(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXPointToImage(long v) { return PointToImage(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYPointToImage(long v) { return PointToImage(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXImageToPixel(long v) { return ImageToPixel(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYImageToPixel(long v) { return ImageToPixel(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXPixelToImage(long v) { return PixelToImage(GetUnitType(), v, m_resolutionX); }
long CUIView::QvYPixelToImage(long v) { return PixelToImage(GetUnitType(), v, m_resolutionY); }
long CUIView::QvXPointToPixel(short v) { return MulDivTruncate(v, UsableResolution(m_resolutionX), kPointsPerInch); }
long CUIView::QvYPointToPixel(short v) { return MulDivTruncate(v, UsableResolution(m_resolutionY), kPointsPerInch); }

void CUIView::QvImageToQvUnit(POINT& p) {
  ConvertPoint(*this, p, &CUIView::QvXImageToQvUnit, &CUIView::QvYImageToQvUnit);
}
void CUIView::QvImageToQvUnit(RECT& r) {
  ConvertRect(*this, r, &CUIView::QvXImageToQvUnit, &CUIView::QvYImageToQvUnit);
}
void CUIView::QvQvUnitToImage(POINT& p) {
  ConvertPoint(*this, p, &CUIView::QvXQvUnitToImage, &CUIView::QvYQvUnitToImage);
}
void CUIView::QvQvUnitToImage(RECT& r) {
  ConvertRect(*this, r, &CUIView::QvXQvUnitToImage, &CUIView::QvYQvUnitToImage);
}
void CUIView::QvImageToPoint(POINT& p) { ConvertPoint(*this, p, &CUIView::QvXImageToPoint, &CUIView::QvYImageToPoint); }
void CUIView::QvImageToPoint(RECT& r) { ConvertRect(*this, r, &CUIView::QvXImageToPoint, &CUIView::QvYImageToPoint); }
void CUIView::QvPointToImage(POINT& p) { ConvertPoint(*this, p, &CUIView::QvXPointToImage, &CUIView::QvYPointToImage); }
void CUIView::QvPointToImage(RECT& r) { ConvertRect(*this, r, &CUIView::QvXPointToImage, &CUIView::QvYPointToImage); }
void CUIView::QvImageToPixel(POINT& p) { ConvertPoint(*this, p, &CUIView::QvXImageToPixel, &CUIView::QvYImageToPixel); }
void CUIView::QvImageToPixel(RECT& r) { ConvertRect(*this, r, &CUIView::QvXImageToPixel, &CUIView::QvYImageToPixel); }
void CUIView::QvPixelToImage(POINT& p) { ConvertPoint(*this, p, &CUIView::QvXPixelToImage, &CUIView::QvYPixelToImage); }
void CUIView::QvPixelToImage(RECT& r) { ConvertRect(*this, r, &CUIView::QvXPixelToImage, &CUIView::QvYPixelToImage); }
