// The GDI drawing view: the DC it draws on, the attributes made into pens, brushes, colours and
// raster operations, clipping, invalidation and the palette.
#include "QvFillColors.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <fw_printres.h>
#include <stddef.h>

namespace {

const float kPrinterMinPenWidth = 35.27778f;
const int kClipLimit = 32000;

// Output is grey while printing or previewing on a colour reference device of fewer than 3
// colours (NUMCOLORS; -1 means more than 256).
bool GreyDevice(int colorCount) { return colorCount < 3 && colorCount != -1; }

// Brush `index` of a pattern set; NULL when the set could not be made.
HBRUSH PatternBrush(BrushArrayRec* set, int index) { return set != NULL ? set->brushes[index] : NULL; }

}  // namespace

IMPLEMENT_DYNAMIC(CMFCUIView, CUIView)

// Default handling hands a message to the window's default procedure, past CView's handlers.
BEGIN_MESSAGE_MAP(CMFCUIView, CUIView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_KEYUP, OnDefaultHandling)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_RBUTTONDOWN, OnDefaultHandling)
ON_WM_MBUTTONDOWN()
ON_MESSAGE(WM_LBUTTONDOWN, OnDefaultHandling)
ON_MESSAGE(WM_LBUTTONUP, OnDefaultHandling)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnDefaultHandling)
ON_MESSAGE(WM_MOUSEMOVE, OnDefaultHandling)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_MESSAGE(WM_SYSCOMMAND, OnDefaultHandling)
ON_MESSAGE(WM_SETCURSOR, OnDefaultHandling)
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CMFCUIView::OnFilePrintPreview)
END_MESSAGE_MAP()

CMFCUIView::CMFCUIView(unsigned long style)
    : CUIView(style),
      m_hDC(),
      m_hAttribDC(),
      m_hMeasureDC(),
      m_hBaseRgn(),
      m_hClipRgn(),
      m_hBackBrush(),
      m_hSavedPen(),
      m_hDashPen(),
      m_hSavedBrush(),
      m_hSavedFont(),
      m_hTextFont(),
      m_hMeasureSavedFont(),
      m_hMeasureFont(),
      m_hVertFont90(),
      m_hVertFont270(),
      m_hSavedPalette(),
      m_imageSize(0, 0),
      m_hScrollIncrement(100),
      m_vScrollIncrement(100),
      m_docScroll(),
      m_scrollRange(),
      m_ownsDC(0),
      m_patternRop(PATCOPY),
      m_cullRect(),
      m_penWidth(1),
      m_firstPage(0),
      m_lastPage(0),
      m_printOffset(),
      m_hFillBrush(),
      m_hColorRefDC(),
      m_hScreenDC(),
      m_collation(0),
      m_hyperlinkScan(FALSE),
      m_optimActiveXMetafile(FALSE),
      m_hLineBrush(),
      m_lineBrushColor(0),
      m_fillBrushes(),
      m_nextFillBrush(0),
      m_dcState() {
  // The handle members are owners and borrowers laid out as the handles themselves: the
  // view's layout is that of raw handles.
  static_assert(offsetof(CMFCUIView, m_imageSize) - offsetof(CMFCUIView, m_hDC) == 16 * sizeof(HANDLE),
                "the view's handles are laid out as raw handles");
  static_assert(offsetof(CMFCUIView, m_collation) - offsetof(CMFCUIView, m_hFillBrush) == 3 * sizeof(HANDLE),
                "the view's handles are laid out as raw handles");
  m_fillPattern = 1;
}

// The view's own objects go with their owners, once the DC has them no more.
CMFCUIView::~CMFCUIView() { UnprepareCurrentDC(); }

BOOL CMFCUIView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_OWNDC, ::LoadCursor(NULL, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), NULL);
  if (cls == NULL) return FALSE;
  const CString className(cls);  // the registered name lives only until the next registration
  return CUIView::Create(className, _T(""), dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CMFCUIView::DestroyWindow() { return CWnd::DestroyWindow(); }

void CMFCUIView::OnInitialUpdate() {
  UIViewPrepareSharedResources();
  if (m_hDC == NULL && m_hWnd != NULL) {
    // The prepared DC is the view's to release from then on.
    uih::WindowDC dc(m_hWnd);
    if (dc && PrepareNewDCForDrawing(dc.Get(), true)) dc.Release();
  }
  if (!m_hMeasureDC) {
    m_hMeasureDC.Reset(CreateCompatibleDC(m_hDC));
    if (m_hMeasureDC)
      m_hMeasureSavedFont = static_cast<HFONT>(GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT));
  }
  if (m_hWnd != NULL) CView::OnInitialUpdate();
}

// ---------------------------------------------------------------------------------------------
// DC life

BOOL CMFCUIView::PrepareNewDCForDrawing(HDC dc, bool owned) {
  if (dc == NULL) return FALSE;
  // A DC still prepared gets its own objects back first: its saved state would be lost.
  if (m_hDC != NULL) UnprepareCurrentDC();
  UIViewPrepareSharedResources();

  m_hDC = dc;
  m_ownsDC = owned ? 1 : 0;
  // Whatever the view changes in the DC (clip region, colours, modes, raster operation) is
  // the caller's again after the unpreparation; a window's own DC keeps its state between
  // preparations otherwise.
  m_dcState = uih::SavedDC(dc);
  // Arcs and sectors are computed counter-clockwise, whatever direction the caller set.
  SetArcDirection(dc, AD_COUNTERCLOCKWISE);
  m_hSavedPen = static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN));
  m_hSavedBrush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  m_hSavedFont = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  SetBkMode(dc, TRANSPARENT);
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  m_flags &= ~(UIVIEW_RASTER_DISPLAY | UIVIEW_PALETTE | UIVIEW_PEN_COLORS);

  CPalette* palette = UIViewPalette();
  if (palette != NULL && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) &&
      GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) == 8) {
    m_hSavedPalette = SelectPalette(dc, static_cast<HPALETTE>(palette->GetSafeHandle()), FALSE);
    if (m_hAttribDC == NULL) {
      RealizePalette(dc);
      m_flags |= UIVIEW_PALETTE;
    }
  }

  HDC info = m_hAttribDC != NULL ? m_hAttribDC : dc;
  const int resX = GetDeviceCaps(info, LOGPIXELSX), resY = GetDeviceCaps(info, LOGPIXELSY);
  if (resX > 0 && resY > 0) {
    m_resolutionX = resX;
    m_resolutionY = resY;
  }
  m_twipsPerPixelX = 1440.0f / static_cast<float>(m_resolutionX);
  m_twipsPerPixelY = 1440.0f / static_cast<float>(m_resolutionY);
  PrepareConversionFactors();
  if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY) m_flags |= UIVIEW_RASTER_DISPLAY;
  SetDefaultDrawingAttributes();
  return m_hDC == dc;
}

void CMFCUIView::UnprepareCurrentDC() {
  if (m_hDC != NULL) {
    if (m_hSavedPen != NULL) SelectObject(m_hDC, m_hSavedPen);
    if (m_hSavedBrush != NULL) SelectObject(m_hDC, m_hSavedBrush);
    if (m_hSavedFont != NULL) SelectObject(m_hDC, m_hSavedFont);
    if (m_hSavedPalette != NULL) SelectPalette(m_hDC, m_hSavedPalette, FALSE);
  }
  m_dcState.Restore();
  if (m_hMeasureDC && m_hMeasureSavedFont != NULL) SelectObject(m_hMeasureDC.Get(), m_hMeasureSavedFont);
  m_hClipRgn.Reset();
  m_hDashPen.Reset();
  DropPreparedFonts();
  if (m_hDC != NULL && m_ownsDC) ::ReleaseDC(m_hWnd, m_hDC);
  m_hDC = NULL;
  m_ownsDC = 0;
  m_hSavedPen = NULL;
  m_hSavedBrush = NULL;
  m_hSavedFont = NULL;
  m_hSavedPalette = NULL;
  m_flags &= ~(UIVIEW_RASTER_DISPLAY | UIVIEW_PALETTE | UIVIEW_PEN_COLORS);
}

void CMFCUIView::SetDefaultDrawingAttributes() {
  m_flags |= UIVIEW_SOLID_PEN;
  m_penFore = 0;
  m_fillFore = 0;
  m_penBack = 0xFFFFFF;
  m_fillBack = 0xFFFFFF;
  m_lineWidth = 1;
  m_dash = QvSolidLine;
  m_fillPattern = 1;
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
  DropDashPen();
  DropPreparedFonts();
  PrepareColors(true);
}

void CMFCUIView::QvBeginUse() { SetDefaultDrawingAttributes(); }

// ---------------------------------------------------------------------------------------------
// Attributes

void CMFCUIView::QvSetPenForeColor(COLORREF c) {
  if (c == m_penFore) return;
  m_penFore = c;
  if (m_hDC != NULL && (m_flags & UIVIEW_PEN_COLORS)) SetTextColor(m_hDC, SetColor(c));
  DropDashPen();
}

void CMFCUIView::QvSetPenBackColor(COLORREF c) {
  if (c == m_penBack) return;
  m_penBack = c;
  if (m_hDC != NULL && (m_flags & UIVIEW_PEN_COLORS)) SetBkColor(m_hDC, SetColor(c));
}

void CMFCUIView::QvSetFillForeColor(COLORREF c) {
  if (c == m_fillFore) return;
  m_fillFore = c;
  if (m_hDC != NULL && !(m_flags & UIVIEW_PEN_COLORS)) SetTextColor(m_hDC, SetColor(c));
}

void CMFCUIView::QvSetFillBackColor(COLORREF c) {
  if (c == m_fillBack) return;
  m_fillBack = c;
  if (m_hDC != NULL && !(m_flags & UIVIEW_PEN_COLORS)) SetBkColor(m_hDC, SetColor(c));
}

void CMFCUIView::QvSetBackgroundColor(COLORREF c) {
  if (c == m_background) return;
  m_background = c;
  m_hBackBrush.Reset(CreateSolidBrush(c));
}

COLORREF CMFCUIView::QvGetBackgroundColor() {
  return m_background >= 0x01000000 ? GetSysColor(COLOR_WINDOW) : m_background;
}

void CMFCUIView::QvSetDashLine(QvDashLine dash) {
  if (dash == m_dash) return;
  m_dash = dash;
  DropDashPen();
}

void CMFCUIView::QvSetLineWidth(unsigned short width) {
  if (width == 0 || width == m_lineWidth) return;
  m_lineWidth = width;
  ComputePenWidthInPixels();
}

void CMFCUIView::QvSetFont(UIFont const& font) {
  if (font == m_font) return;
  CUIView::QvSetFont(font);
  DropPreparedFonts();
}

void CMFCUIView::QvSetDrawMode(QvDrawMode mode) {
  m_patternRop = mode != QvCopyMode ? PATINVERT : PATCOPY;
  if (m_hDC != NULL) SetROP2(m_hDC, mode != QvCopyMode ? R2_NOTXORPEN : R2_COPYPEN);
}

QvDrawMode CMFCUIView::QvGetDrawMode() {
  if (m_hDC == NULL) return m_patternRop == PATCOPY ? QvCopyMode : QvXorMode;
  return GetROP2(m_hDC) != R2_COPYPEN ? QvXorMode : QvCopyMode;
}

// ---------------------------------------------------------------------------------------------
// Pens, brushes and colours

void CMFCUIView::ComputePenWidthInPixels() {
  const float width = static_cast<float>(m_lineWidth) / m_factorX;
  // The printer minimum is one point in hundredths of a millimetre, the unit of the pictures
  // recorded for a printer or metafile reference. A page printed or previewed is drawn in the
  // printer's own pixels, where the printed page's minimum of one pixel holds: the preview is
  // that page scaled.
  const float minimum = m_hAttribDC != NULL && !(m_flags & UIVIEW_PRINT_FLAGS) &&
                                GetDeviceCaps(m_hAttribDC, TECHNOLOGY) != DT_RASDISPLAY
                            ? kPrinterMinPenWidth
                            : 1.0f;
  int pixels = width >= minimum ? RoundToNearestInt(width) : static_cast<int>(minimum);
  if (pixels > 0xFFFF) pixels = 0xFFFF;
  if (pixels < 1) pixels = 1;
  if (static_cast<unsigned short>(pixels) == m_penWidth) return;
  m_penWidth = static_cast<unsigned short>(pixels);
  DropDashPen();
}

int CMFCUIView::ReferenceColorCount() {
  return m_hColorRefDC != NULL ? GetDeviceCaps(m_hColorRefDC, NUMCOLORS) : 0;
}

COLORREF CMFCUIView::SetColor(COLORREF c) {
  if ((m_flags & UIVIEW_PRINT_FLAGS) && GreyDevice(ReferenceColorCount())) c = ColorToGray(c);
  if (m_flags & UIVIEW_PALETTE) {
    if (CPalette* palette = UIViewPalette()) c = PALETTEINDEX(palette->GetNearestPaletteIndex(c));
  }
  return c;
}

void CMFCUIView::PrepareColors(bool pen) {
  if (m_hDC != NULL) {
    SetTextColor(m_hDC, SetColor(pen ? m_penFore : m_fillFore));
    SetBkColor(m_hDC, SetColor(pen ? m_penBack : m_fillBack));
  }
  if (pen)
    m_flags |= UIVIEW_PEN_COLORS;
  else
    m_flags &= ~UIVIEW_PEN_COLORS;
}

void CMFCUIView::PreparePenNullOrDash(bool null) {
  if (m_hDC == NULL) return;
  if (null) {
    SelectObject(m_hDC, GetStockObject(NULL_PEN));
    return;
  }
  const int style = m_dash == QvShortDashLine  ? PS_DOT
                    : m_dash == QvLongDashLine ? PS_DASH
                    : m_dash == QvDashDotLine  ? PS_DASHDOT
                                               : PS_SOLID;
  if (!m_hDashPen) {
    // SetColor maps to the palette or to grey as the DC's colours are mapped.
    m_hDashPen.Reset(CreatePen(style, m_penWidth, SetColor(m_penFore)));
  }
  if (style != PS_SOLID) {
    if (!(m_flags & UIVIEW_PEN_COLORS)) PrepareColors(true);
    m_flags &= ~UIVIEW_SOLID_PEN;
  } else {
    m_flags |= UIVIEW_SOLID_PEN;
  }
  if (m_hDashPen && GetCurrentObject(m_hDC, OBJ_PEN) != m_hDashPen.Get()) SelectObject(m_hDC, m_hDashPen.Get());
}

void CMFCUIView::DropDashPen() {
  if (!m_hDashPen) return;
  // A pen still selected cannot be deleted.
  if (m_hDC != NULL && GetCurrentObject(m_hDC, OBJ_PEN) == m_hDashPen.Get())
    SelectObject(m_hDC, m_hSavedPen != NULL ? m_hSavedPen : GetStockObject(BLACK_PEN));
  m_hDashPen.Reset();
}

void CMFCUIView::DropPreparedFonts() {
  uih::OwnedFont* fonts[] = {&m_hTextFont, &m_hVertFont90, &m_hVertFont270, &m_hMeasureFont};
  for (uih::OwnedFont* font : fonts) {
    if (!*font) continue;
    // Fonts still selected go back to what the DCs had before.
    if (m_hDC != NULL && GetCurrentObject(m_hDC, OBJ_FONT) == font->Get())
      SelectObject(m_hDC, m_hSavedFont != NULL ? m_hSavedFont : GetStockObject(SYSTEM_FONT));
    if (m_hAttribDC != NULL && GetCurrentObject(m_hAttribDC, OBJ_FONT) == font->Get())
      SelectObject(m_hAttribDC, GetStockObject(SYSTEM_FONT));
    if (m_hMeasureDC && GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT) == font->Get())
      SelectObject(m_hMeasureDC.Get(),
                   m_hMeasureSavedFont != NULL ? m_hMeasureSavedFont : GetStockObject(SYSTEM_FONT));
    font->Reset();
  }
}

void CMFCUIView::PrepareBrushForLine(bool vertical) {
  if (m_hDC == NULL) return;
  // The all-foreground pattern of solid lines is painted with a solid brush: the same pixels,
  // and GDI paints solid brushes much faster than pattern brushes.
  HBRUSH brush = m_dash > QvSolidLine && m_dash <= QvDashDotLine
                     ? PatternBrush(UIViewDashPatterns(), vertical ? m_dash + 3 : m_dash - 1)
                     : SolidBrush(true, SetColor(m_penFore));
  if (brush != NULL) SelectObject(m_hDC, brush);
  if (!(m_flags & UIVIEW_PEN_COLORS)) PrepareColors(true);
}

HBRUSH CMFCUIView::SolidBrush(bool line, COLORREF c) {
  // A brush still selected cannot be deleted.
  auto replace = [this](uih::OwnedBrush& brush, HBRUSH by) {
    if (brush && m_hDC != NULL && GetCurrentObject(m_hDC, OBJ_BRUSH) == brush.Get())
      SelectObject(m_hDC, m_hSavedBrush != NULL ? m_hSavedBrush : GetStockObject(NULL_BRUSH));
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

void CMFCUIView::PrepareBrushForFill(bool none) {
  if (m_hDC == NULL) return;
  if (none || m_fillPattern < 0) {
    SelectObject(m_hDC, GetStockObject(NULL_BRUSH));
    return;
  }
  COLORREF blend = 0;
  bool blended = false;
  if (m_hAttribDC != NULL || (m_flags & UIVIEW_PRINT_FLAGS)) {
    // Printers and metafiles get a solid colour in place of a pattern.
    blended = BlendFillColors(m_fillBack, m_fillFore, m_fillPattern + 1, &blend) != 0;
    if (!blended && m_hAttribDC != NULL) blended = BlendFillColors(m_fillBack, m_fillFore, 4, &blend) != 0;
  }
  HBRUSH brush;
  if (!blended) {
    // All foreground: a solid brush paints the same pixels faster than the pattern.
    brush = m_fillPattern == 1 ? SolidBrush(false, SetColor(m_fillFore))
                               : PatternBrush(UIViewFillPatterns(), m_fillPattern);
    if (m_flags & UIVIEW_PEN_COLORS) PrepareColors(false);
  } else {
    if (m_hAttribDC == NULL && GreyDevice(ReferenceColorCount())) blend = ColorToGray(blend);
    brush = SolidBrush(false, blend);
  }
  if (brush == NULL) return;
  if ((m_flags & UIVIEW_RASTER_DISPLAY) && m_fillPattern >= 2) {
    if (GetCurrentObject(m_hDC, OBJ_BRUSH) != brush) UnrealizeObject(brush);
    AlignPatternOrigin();
  }
  SelectObject(m_hDC, brush);
}

void CMFCUIView::AlignPatternOrigin() {
  // Patterns stay aligned to the document whatever the scroll position.
  POINT origin = {-m_scroll.x, -m_scroll.y};
  if (m_flags & UIVIEW_PREVIEW) {
    POINT viewport;
    GetViewportOrgEx(m_hDC, &viewport);
    origin.x += viewport.x;
    origin.y += viewport.y;
  }
  SetBrushOrgEx(m_hDC, origin.x & 7, origin.y & 7, NULL);
}

// ---------------------------------------------------------------------------------------------
// Clipping

void CMFCUIView::CombineClip(RECT const& r, int mode) {
  uih::OwnedRgn rect(ImageRectToClientRgn(r));
  if (!rect) return;
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (m_hClipRgn) {
    if (mode == RGN_COPY)
      CombineRgn(m_hClipRgn.Get(), rect.Get(), NULL, RGN_COPY);
    else
      CombineRgn(m_hClipRgn.Get(), m_hClipRgn.Get(), rect.Get(), mode);
    if (m_hAttribDC == NULL && m_hDC != NULL) SelectClipRgn(m_hDC, m_hClipRgn.Get());
  }
}

void CMFCUIView::QvSetClipRect(RECT const& r) { CombineClip(r, RGN_COPY); }
void CMFCUIView::QvUnionRectToClip(RECT& r) { CombineClip(r, RGN_OR); }
void CMFCUIView::QvIntersectionRectToClip(RECT& r) { CombineClip(r, RGN_AND); }
void CMFCUIView::QvExcludeRectToClip(RECT& r) { CombineClip(r, RGN_DIFF); }

void CMFCUIView::QvResetClipRect() {
  if (m_hClipRgn) SetRectRgn(m_hClipRgn.Get(), 0, 0, 0, 0);
  if (m_hDC != NULL) SelectClipRgn(m_hDC, NULL);
}

CRgn* CMFCUIView::QvGetClipRegion() {
  CRgn* copy = new CRgn;
  copy->CreateRectRgn(0, 0, 0, 0);
  RECT box;
  if (m_hClipRgn && GetRgnBox(m_hClipRgn.Get(), &box) > NULLREGION)
    CombineRgn(static_cast<HRGN>(copy->GetSafeHandle()), m_hClipRgn.Get(), NULL, RGN_COPY);
  return copy;
}

void CMFCUIView::QvFreeRegion(CRgn* rgn) { delete rgn; }

void CMFCUIView::QvSetClipRegion(CRgn* rgn) {
  HRGN source = rgn != NULL ? static_cast<HRGN>(rgn->GetSafeHandle()) : NULL;
  if (source == NULL) return;
  if (!m_hClipRgn) m_hClipRgn.Reset(CreateRectRgn(0, 0, 0, 0));
  if (!m_hClipRgn || CombineRgn(m_hClipRgn.Get(), source, NULL, RGN_COPY) == ERROR) return;
  if (m_hAttribDC != NULL || m_hDC == NULL) return;
  RECT box;
  SelectClipRgn(m_hDC, GetRgnBox(m_hClipRgn.Get(), &box) > NULLREGION ? m_hClipRgn.Get() : NULL);
}

// ---------------------------------------------------------------------------------------------
// Invalidation and palette

void CMFCUIView::QvInvalRect(RECT const& r, int) {
  RECT client;
  if (m_hWnd != NULL && ImageToClientRect(r, client)) ::InvalidateRect(m_hWnd, &client, TRUE);
}

void CMFCUIView::QvInvalAll(int erase) {
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, erase);
}

void CMFCUIView::QvUpdateNow() {
  if (m_hWnd != NULL) ::UpdateWindow(m_hWnd);
}

BOOL CMFCUIView::OnQueryNewPalette() {
  CPalette* palette = UIViewPalette();
  if (!(m_flags & UIVIEW_PALETTE) || palette == NULL || m_hDC == NULL) return 0;
  HPALETTE previous = SelectPalette(m_hDC, static_cast<HPALETTE>(palette->GetSafeHandle()), FALSE);
  const UINT changed = RealizePalette(m_hDC);
  if (m_hWnd != NULL) {
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    ::UpdateWindow(m_hWnd);
  }
  SelectPalette(m_hDC, previous, FALSE);
  return static_cast<BOOL>(changed);
}

void CMFCUIView::OnPaletteChanged(CWnd* pFocusWnd) {
  HWND focus = pFocusWnd->GetSafeHwnd();
  if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) OnQueryNewPalette();
}
