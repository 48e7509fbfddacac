// What both drawing views share: the device they draw on with its state saved and given back,
// the document/device coordinate model (units, zoom, origin, scroll, rounding), culling, the
// drawing attributes made into pens, brushes and colours, the shapes, and clipping. The
// framework's drawing view and the portable view each derive from it and keep their own
// public interface; the same calls through either give the same pixels.
//
// Image coordinates are document units (twips or pixels) from the document's origin; client
// coordinates are device pixels of the surface drawn on. A client coordinate is
// nearest((image + origin) / factor) - scroll, where factor is image units per pixel (twips per
// pixel for a twips document, divided by the zoom ratio).
#pragma once
#include <windows.h>

#include "UIHandles.h"
#include "quarnel_api.h"

// Mode flags the core reads and keeps; each view's own flags use the same bits for these and
// the others for what only it knows.
enum : unsigned long {
  DRAWCORE_TWIPS = 0x0001,          // image unit is twips (clear: pixels)
  DRAWCORE_ZOOMED = 0x0002,         // the zoom ratio applies
  DRAWCORE_RASTER_DISPLAY = 0x0004, // the DC is a raster display
  DRAWCORE_PREVIEW = 0x0008,        // print preview
  DRAWCORE_PRINTING = 0x0010,       // printing
  DRAWCORE_PALETTE = 0x0100,        // the library palette is selected and realised
  DRAWCORE_CULLING = 0x0200,        // rectangles outside the culling rectangle are skipped
  DRAWCORE_PEN_COLORS = 0x0800,     // the DC's text/background colours are the pen's (else the fill's)
  DRAWCORE_SOLID_PEN = 0x1000,      // the prepared pen is solid
  DRAWCORE_PRINT_FLAGS = DRAWCORE_PREVIEW | DRAWCORE_PRINTING,
};

// Whether a view's flags give the core's bits their meaning (in the order of the list above).
constexpr bool DrawCoreFlagsMatch(unsigned long twips, unsigned long zoomed, unsigned long raster, unsigned long preview,
                                  unsigned long printing, unsigned long palette, unsigned long culling,
                                  unsigned long penColors, unsigned long solidPen) {
  return twips == DRAWCORE_TWIPS && zoomed == DRAWCORE_ZOOMED && raster == DRAWCORE_RASTER_DISPLAY &&
         preview == DRAWCORE_PREVIEW && printing == DRAWCORE_PRINTING && palette == DRAWCORE_PALETTE &&
         culling == DRAWCORE_CULLING && penColors == DRAWCORE_PEN_COLORS && solidPen == DRAWCORE_SOLID_PEN;
}

class QUARNEL_API CDrawingCore {
 public:
  // Client pixels and image units (rounded half away from zero; sums and products in double,
  // results saturated to the int range).
  int ClientToImageX(int x) const;
  int ClientToImageY(int y) const;
  int ImageToClientX(int x) const;
  int ImageToClientY(int y) const;
  int ClientToImageWidth(int w) const;
  int ClientToImageHeight(int h) const;
  int ImageToClientWidth(int w) const;
  int ImageToClientHeight(int h) const;
  unsigned short GetPenWidthInPixels() const { return m_penWidth; }

 protected:
  // How a view's surfaces differ where the two views' users rely on it.
  enum Option : unsigned {
    // While printing or previewing without a colour reference DC, colours are grey.
    kGreyWithoutColorReference = 0x1,
    // Printing, previewing and drawing for a reference DC (printer or metafile) fill with the
    // blended solid colour of a pattern instead of the pattern.
    kSolidFillsForPrinting = 0x2,
  };
  // Dash kinds and patterns as the drawing types number them.
  enum { kSolidDash = 0, kDottedDash = 1, kShortDash = 2, kLongDash = 3, kDashDot = 4 };
  enum { kNoFill = -1, kBackFill = 0, kSolidFill = 1, kCheckerFill = 3 };

  CDrawingCore(unsigned long flags, unsigned options);
  ~CDrawingCore();
  CDrawingCore(const CDrawingCore&) = delete;
  CDrawingCore& operator=(const CDrawingCore&) = delete;

  // --- Coordinate model ---
  // The factors from the twips per pixel (a value never set from a device counts as the
  // fallback resolution's) and the zoom.
  void ComputeConversionFactors(int fallbackDpiX, int fallbackDpiY);
  // Sets or clears the twips unit. While printing the factors carry the print scaling: they are
  // converted in place, and only on a real switch; otherwise they are computed again.
  void SwitchUnit(bool twips, int fallbackDpiX, int fallbackDpiY);
  // Whether the rectangle can be visible; with culling each edge is tested as soon as it is
  // known. The bottom is the top plus the rounded height, so that a rectangle keeps its height
  // wherever rounding moves its top.
  BOOL ImageToClientRectCulled(RECT const& image, RECT& client) const;
  void ClientToImageRectCore(RECT const& client, RECT& image) const;
  // The rectangle as a client region (never culled; offset by the print offset while printing).
  HRGN ImageRectToClientRgnCore(RECT const& image) const;
  // An image distance in client pixels on one axis.
  int ImageToClientDistance(long v, bool horizontal) const;

  // --- Device ---
  // Makes dc the one drawn on: its state is saved (given back by EndDevice), arcs run
  // counter-clockwise, the background mode is transparent, the library palette is selected
  // where the device has one. The caller then sets the resolution and calls FinishDevice.
  void BeginDevice(HDC dc);
  // The raster-display flag and the default drawing attributes.
  void FinishDevice();
  // Gives the DC its objects and state back; the DC is no longer drawn on.
  void EndDevice();
  // Number of colours of the colour reference device; -1 many, 0 none known.
  int ReferenceColorCount() const;
  // The colour as drawn on this surface: grey on a grey print surface, a palette index where
  // the palette is selected.
  COLORREF DeviceColor(COLORREF c) const;

  // --- Attributes ---
  void ResetDrawingAttributes();
  void ApplyPenForeColor(COLORREF c);
  void ApplyPenBackColor(COLORREF c);
  void ApplyFillForeColor(COLORREF c);
  void ApplyFillBackColor(COLORREF c);
  void ApplyBackgroundColor(COLORREF c);
  COLORREF EffectiveBackgroundColor() const;
  void ApplyDashLine(int dash);
  void ApplyLineWidth(unsigned short width);
  // A pattern outside no-fill to the last pattern is refused.
  void ApplyFillPattern(int pattern, int lastPattern);
  void ApplyDrawMode(bool exclusive);
  bool IsExclusiveDrawMode() const;
  void ComputePenWidthInPixels();

  // --- Shapes (image coordinates; nothing without a DC or outside the culling rectangle) ---
  void MoveToCore(POINT p);
  void DrawLineCore(POINT a, POINT b);
  void DrawRectCore(RECT const& r, bool frame, bool fill);
  void Draw3DRectCore(RECT const& r, bool raised);
  void DrawSelectionRectCore(RECT const& r);
  void EraseRectCore(RECT const& r);
  void InvertRectCore(RECT const& r);
  void DrawOvalCore(RECT const& r, bool frame, bool fill);
  // Arcs and sectors from `start` degrees counter-clockwise by `sweep` (negative: clockwise).
  void DrawArcOrSectorCore(bool arc, RECT const& r, int start, int sweep, bool frame, bool fill);
  void DrawPolyCore(POINT const* image, int count, bool closed, bool frame, bool fill);
  void BlockMoveCore(RECT const& r, long dx, long dy);
  // The list's image with its top-left corner at the point, scaled by the zoom.
  void DrawImageListCore(HIMAGELIST list, int index, POINT image);

  // --- Clipping ---
  void CombineClip(RECT const& image, int mode);
  void ResetClip();
  // Copies the clip region into `into` (left empty when there is none).
  void CopyClip(HRGN into) const;
  void SetClipFrom(HRGN source);

  // --- Text measurement ---
  // The metrics of the font selected in dc, in image units.
  struct FontMetrics {
    long ascent, descent, externalLeading, maxCharWidth;
  };
  FontMetrics MeasureFont(HDC dc) const;
  // The width of the text in dc's font, in image units.
  unsigned long MeasureTextWidth(HDC dc, wchar_t const* text, int len) const;

  // --- Scrolling ---
  // The divisor that brings a scroll range into the 16-bit range of a scroll bar, at most
  // `largest`.
  static long ScrollBarDivisor(long range, long largest);
  // After the document scrolled: the selected pattern brush takes the new origin, so that
  // hatches stay on the image.
  void RealignPatternBrush();

  // --- Panning ---
  // The scroll, in image units, of `passes` panning passes (see CPanPacer) for the pointer's
  // offset from the anchor in pixels.
  SIZE PanStep(int dx, int dy, unsigned passes) const;
  // What a view does with one panning pass's scroll (image units, see PanStep).
  typedef void (*PanScroll)(CDrawingCore& core, SIZE step);
  // Middle-button panning of `window` from the client point, modal: the 28 x 28 popup of the
  // "PanningWindow" class (never activated) at the point, the mouse captured, the cursor
  // showing the direction, and the view scrolled through `scroll` by PanStep on the pacer's
  // clock (the loop sleeps between passes). It ends with another button, the wheel or a key,
  // with the middle button's release once the pointer moved, when the capture goes elsewhere,
  // or with WM_QUIT, which is posted again with its exit code.
  void RunPanning(HWND window, POINT client, PanScroll scroll);

  // --- Palette messages ---
  // WM_QUERYNEWPALETTE: with the library palette selected in the DC, the palette realised, the
  // window repainted at once and the DC's palette put back; the entries realised, else 0.
  UINT RealizeLibraryPalette(HWND window, HPALETTE palette);

  // --- Printing pages and other surfaces ---
  // What drawing a page (or another surface) changes in the core, given back afterwards.
  struct CoreState {
    unsigned long flags;
    POINT scroll;
    long zoomNum, zoomDen;
    float zoomRatio, twipsPerPixelX, twipsPerPixelY, factorX, factorY;
    RECT cullRect;
    POINT printOffset;
    HDC attribDC, colorRefDC;
  };
  CoreState SaveCoreState() const;
  // The fields back and the pen width computed again (with no DC prepared).
  void RestoreCoreState(const CoreState& state);
  // Once the page's DC is prepared at the printer's resolution: a preview's viewport and window
  // extents scale the zoom ratio of the fonts and the factors, clip regions are offset by the
  // viewport origin, the whole page is the clip region, and image coordinates are measured from
  // the paper's edge rather than from the printable area. The printer tells how far its
  // printable area lies from the paper's edge through PHYSICALOFFSETX/Y, or with
  // offsetByEscape (Win32s, which has neither) through its GETPRINTINGOFFSET escape; a printer
  // that does not answer the escape is taken to print from the paper's edge.
  void SetUpPrintPage(HDC out, HDC printer, bool preview, bool offsetByEscape = false);

  // --- Selected pen and brush ---
  // The core remembers the pen and brush it selected into the DC, so that a shape asks the DC
  // nothing and selects only a change (each question is a call into the system). What it
  // remembers is forgotten, and asked of the DC again once, where the DC could have changed
  // behind it: a new preparation, a paint, drawing that is not the core's own (edges, images,
  // OLE items). Once the DC is lent out (LendDC: the holder may select its own objects
  // between two shapes) every shape asks the DC, until the DC is prepared again.
  HGDIOBJ SelectedPen();
  HGDIOBJ SelectedBrush();
  // Select the object unless it is the DC's already.
  void UsePen(HGDIOBJ pen);
  void UseBrush(HGDIOBJ brush);
  void ForgetSelection() {
    m_knownPen = NULL;
    m_knownBrush = NULL;
  }
  // The DC, for code that may draw on it by itself.
  HDC LendDC() const {
    m_dcLent = true;
    return m_hDC;
  }
  // Lends the DC for a callback's time: what it selected is not known afterwards.
  class LentDCScope {
   public:
    explicit LentDCScope(CDrawingCore& core) : m_core(core), m_wasLent(core.m_dcLent) { core.m_dcLent = true; }
    ~LentDCScope() {
      m_core.m_dcLent = m_wasLent;
      m_core.ForgetSelection();
    }
    LentDCScope(const LentDCScope&) = delete;
    LentDCScope& operator=(const LentDCScope&) = delete;

   private:
    CDrawingCore& m_core;
    bool m_wasLent;
  };

  // --- Pens and brushes ---
  void PrepareColors(bool pen);
  void PreparePen(bool none);
  void DropPen();
  void PrepareLineBrush(bool vertical);
  void PrepareFillBrush(bool none);
  // Polygons and sectors: the solid colour where the pattern shows both colours equal.
  void PrepareShapeFillBrush();
  void AlignPatternOrigin();
  HBRUSH SolidBrush(bool line, COLORREF c);

  unsigned m_coreOptions;
  unsigned long m_flags;
  POINT m_origin;       // image origin
  POINT m_scroll;       // client pixels the document is scrolled by
  long m_zoomNum;
  long m_zoomDen;
  float m_zoomRatio;
  float m_twipsPerPixelX;
  float m_twipsPerPixelY;
  float m_factorX;      // image units per client pixel
  float m_factorY;
  RECT m_cullRect;
  POINT m_printOffset;  // added to clip regions while printing
  COLORREF m_penFore;
  COLORREF m_penBack;
  COLORREF m_fillFore;
  COLORREF m_fillBack;
  COLORREF m_background;  // 0x01000000 and above: the system's window colour
  int m_dash;
  unsigned m_lineWidth;
  int m_fillPattern;  // pattern - 1; negative: no fill
  DWORD m_patternRop;
  unsigned short m_penWidth;

  uih::BorrowedDC m_hDC;
  uih::BorrowedDC m_hAttribDC;    // reference DC for resolution and fonts, or NULL
  uih::BorrowedDC m_hColorRefDC;  // DC whose colour count decides grey output while printing
  uih::BorrowedRgn m_hBaseRgn;    // the region painted, the clip region's start
  uih::OwnedRgn m_hClipRgn;
  uih::OwnedBrush m_hBackBrush;
  uih::BorrowedPen m_hSavedPen;
  uih::BorrowedBrush m_hSavedBrush;
  uih::BorrowedPalette m_hSavedPalette;
  uih::OwnedPen m_hDashPen;
  uih::BorrowedBrush m_hFillBrush;  // one of m_fillBrushes, or NULL
  uih::OwnedBrush m_hLineBrush;     // solid brush of solid straight lines and frames, or NULL
  COLORREF m_lineBrushColor;        // its colour while it exists
  // The last few solid fill brushes by colour, so that drawings that alternate between a few
  // fill colours make no brush per shape; m_hFillBrush is the one in use.
  struct SolidBrushSlot {
    COLORREF color;
    uih::OwnedBrush brush;
  };
  enum { kSolidFillBrushes = 8 };
  SolidBrushSlot m_fillBrushes[kSolidFillBrushes];
  int m_nextFillBrush;
  // The DC's state before BeginDevice, all of it given back by EndDevice.
  uih::SavedDC m_dcState;
  // The pen and brush selected in m_hDC as far as the core knows; NULL: not known.
  HGDIOBJ m_knownPen;
  HGDIOBJ m_knownBrush;
  // The DC was lent out: the DC is asked before every shape.
  mutable bool m_dcLent;
};
