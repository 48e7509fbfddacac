// The document rendered into other targets: bitmaps and portable images (snapshots) and
// metafile DCs. The host's own OnDraw draws, with the view redirected to the target and its
// coordinate model set up for it; the model is saved before and given back after.
#include "DrawingResources.h"
#include "QvImage.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <UITrace.h>

#include <math.h>
#include <string.h>

namespace {

UlmLogger s_log("UIViewSnapshot");

// Twips per hundredth of a millimetre.
const float kTwipsPerHundredthMm = 0.56692916f;


}  // namespace

void CMFCUIView::RawSave(SavedState& s, bool save) {
  if (save) {
    s.flags = m_flags;
    s.origin = m_origin;
    s.zoomNum = m_zoomNum;
    s.zoomDen = m_zoomDen;
    s.printZoom = m_printZoom;
    s.twipsPerPixelX = m_twipsPerPixelX;
    s.twipsPerPixelY = m_twipsPerPixelY;
    s.zoomRatio = m_zoomRatio;
    s.penFore = m_penFore;
    s.penBack = m_penBack;
    s.fillFore = m_fillFore;
    s.fillBack = m_fillBack;
    s.background = m_background;
    s.dash = static_cast<QvDashLine>(m_dash);
    s.lineWidth = m_lineWidth;
    s.fillCharacter = m_fillCharacter;
    s.font = m_font;
    s.fillPattern = m_fillPattern;
    s.scroll = m_scroll;
    s.displayHyperlinks = m_displayHyperlinks;
    s.scrollDivisorX = m_scrollDivisorX;
    s.scrollDivisorY = m_scrollDivisorY;
    s.drawRect = m_drawRect;
    s.resolutionX = m_resolutionX;
    s.resolutionY = m_resolutionY;
    s.factorX = m_factorX;
    s.factorY = m_factorY;
    s.cullRect = m_cullRect;
    s.attribDC = m_hAttribDC;
    return;
  }
  m_flags = s.flags;
  m_origin = s.origin;
  m_zoomNum = s.zoomNum;
  m_zoomDen = s.zoomDen;
  m_printZoom = s.printZoom;
  m_twipsPerPixelX = s.twipsPerPixelX;
  m_twipsPerPixelY = s.twipsPerPixelY;
  m_zoomRatio = s.zoomRatio;
  m_penFore = s.penFore;
  m_penBack = s.penBack;
  m_fillFore = s.fillFore;
  m_fillBack = s.fillBack;
  m_background = s.background;
  m_dash = s.dash;
  m_lineWidth = s.lineWidth;
  m_fillCharacter = s.fillCharacter;
  QvSetFont(s.font);  // the saved font, and no prepared font of another one kept
  m_fillPattern = s.fillPattern;
  m_scroll = s.scroll;
  m_displayHyperlinks = s.displayHyperlinks;
  m_scrollDivisorX = s.scrollDivisorX;
  m_scrollDivisorY = s.scrollDivisorY;
  m_drawRect = s.drawRect;
  m_resolutionX = s.resolutionX;
  m_resolutionY = s.resolutionY;
  m_factorX = s.factorX;
  m_factorY = s.factorY;
  m_cullRect = s.cullRect;
  m_hAttribDC = s.attribDC;
}

double CMFCUIView::ImageUnitsPerPixel() const {
  return (m_flags & UIVIEW_TWIPS) != 0 && m_twipsPerPixelX > 0.0f ? m_twipsPerPixelX : 1.0;
}

void CMFCUIView::EndRendering(SavedState& state, bool hadWindowDC) {
  UnprepareCurrentDC();
  // The window DC first: preparing it resets the attributes, which the saved state then
  // gives back; the flags that describe the prepared DC stay the DC's.
  if (hadWindowDC && m_hWnd != NULL) {
    uih::WindowDC dc(m_hWnd);
    if (dc && PrepareNewDCForDrawing(dc.Get(), true)) dc.Release();
  }
  const unsigned long dcFlags = m_flags & (UIVIEW_RASTER_DISPLAY | UIVIEW_PALETTE);
  RawSave(state, false);
  m_flags = (m_flags & ~(UIVIEW_RASTER_DISPLAY | UIVIEW_PALETTE | UIVIEW_PEN_COLORS)) | dcFlags;
  m_penWidth = 0;
  ComputePenWidthInPixels();
  DropPen();
  DropPreparedFonts();
  PrepareColors(true);
}

CBitmap* CMFCUIView::RenderSnapshot(RECT const& image, RECT const& target, int screenCompatible,
                                    unsigned short bitsPerPixel, RenderCall call, bool exactScale) {
  const int w = target.right - target.left, h = target.bottom - target.top;
  if (w <= 0 || h <= 0) {
    UI_TRACE_REFUSED(s_log, "empty bitmap rectangle");
    return nullptr;
  }
  uih::MemoryDC memory(NULL);
  if (memory.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleDC");
    return nullptr;
  }
  uih::WindowDC screen(NULL);
  HDC reference = screenCompatible ? screen.Get() : memory.Get();
  // A bitmap compatible with a memory DC would be monochrome: the colour one is the screen's.
  uih::OwnedBitmap bitmap(bitsPerPixel != 0 && bitsPerPixel != GetDeviceCaps(reference, BITSPIXEL)
                              ? quarnel::PaletteSection(memory.Get(), w, h, bitsPerPixel)
                              : CreateCompatibleBitmap(screen.Get(), w, h));
  if (!bitmap || !memory.Select(bitmap.Get())) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return nullptr;
  }
  RECT all = {0, 0, w, h};
  FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  const bool hadWindowDC = m_hDC != NULL;
  UnprepareCurrentDC();
  SavedState state;
  RawSave(state, true);

  m_cullRect = all;
  m_flags &= ~UIVIEW_ZOOMED;
  const double u = ImageUnitsPerPixel();
  const double sx = ((image.right - image.left) / u) / w, sy = ((image.bottom - image.top) / u) / h;
  const double larger = sx > sy ? sx : sy;
  float ratio = larger > 0.0 ? static_cast<float>(1.0 / larger) : 1.0f;
  if (exactScale && ratio > 0.99f && ratio < 1.001f) ratio = 1.0f;

  CBitmap* result = nullptr;
  m_hAttribDC = NULL;
  if (!PrepareNewDCForDrawing(memory.Get(), false)) {
    UI_TRACE_REFUSED(s_log, "snapshot DC not prepared");
  } else {
    m_zoomRatio = ratio;  // for font sizes only: the zoom bit stays clear
    m_flags |= UIVIEW_TWIPS | UIVIEW_ZOOM_FONTS;
    m_twipsPerPixelX = static_cast<float>(image.right - image.left) / static_cast<float>(w);
    m_twipsPerPixelY = static_cast<float>(image.bottom - image.top) / static_cast<float>(h);
    PrepareConversionFactors();
    ComputePenWidthInPixels();
    // The image rectangle's top-left corner at the bitmap's origin.
    m_scroll = POINT{0, 0};
    m_scroll = POINT{ImageToClientX(image.left), ImageToClientY(image.top)};
    m_drawRect = image;
    if (call == kRenderOnDrawDC) {
      LentDCScope lent(*this);  // the host draws on the DC too
      OnDraw(CDC::FromHandle(memory.Get()));
    } else if (call == kRenderOnDrawNull)
      OnDraw(nullptr);
    else
      OnDrawRCT(nullptr);
    UnprepareCurrentDC();
    GdiFlush();
    result = new CBitmap;
    result->Attach(bitmap.Release());
  }
  EndRendering(state, hadWindowDC);
  return result;
}

CBitmap* CMFCUIView::QvTakeSnapshot(RECT const& image, RECT const& target, int screenCompatible,
                                    unsigned short bitsPerPixel) {
  return RenderSnapshot(image, target, screenCompatible, bitsPerPixel, kRenderOnDrawDC, false);
}

QvImage* CMFCUIView::QvTakeSnapshotToQvImage(RECT const& image, RECT const& target, int screenCompatible,
                                             unsigned short bitsPerPixel) {
  CBitmap* bitmap = RenderSnapshot(image, target, screenCompatible, bitsPerPixel, kRenderOnDrawNull, true);
  return bitmap != nullptr ? new QvImage(bitmap, false) : nullptr;
}

QvImage* CMFCUIView::QvTakeSnapshotToQvImageRCT(RECT const& image, RECT const& target, int screenCompatible,
                                                unsigned short bitsPerPixel) {
  CBitmap* bitmap = RenderSnapshot(image, target, screenCompatible, bitsPerPixel, kRenderOnDrawRCTNull, true);
  return bitmap != nullptr ? new QvImage(bitmap, false) : nullptr;
}

void CMFCUIView::QvDrawInMetafileDC(RECT const& frame, RECT const& target, CDC* dc) {
  if (dc == nullptr || dc->m_hDC == NULL) {
    UI_TRACE_REFUSED(s_log, "no metafile DC");
    return;
  }
  const bool hadWindowDC = m_hDC != NULL;
  UnprepareCurrentDC();
  SavedState state;
  RawSave(state, true);
  m_flags &= ~UIVIEW_ZOOMED;
  const double u = ImageUnitsPerPixel();

  HDC attrib = dc->m_hAttribDC;
  if (m_optimActiveXMetafile && attrib != NULL && GetDeviceCaps(attrib, TECHNOLOGY) != DT_RASDISPLAY) {
    // The frame in hundredths of a millimetre on both DCs.
    m_cullRect = frame;
    m_hAttribDC = attrib;
    if (PrepareNewDCForDrawing(dc->m_hDC, false)) {
      // The drawing selects the view's fonts into the DC; its own goes back before the view lets go.
      uih::Selection ownFont = uih::Selection::Adopt(attrib, GetCurrentObject(attrib, OBJ_FONT));
      for (HDC d : {dc->m_hDC, attrib}) {
        SetMapMode(d, MM_ANISOTROPIC);
        SetWindowExtEx(d, frame.right, frame.bottom, NULL);
        const int hs = GetDeviceCaps(d, HORZSIZE), vs = GetDeviceCaps(d, VERTSIZE);
        if (hs > 0 && vs > 0)
          SetViewportExtEx(d, static_cast<int>(static_cast<double>(GetDeviceCaps(d, HORZRES)) * frame.right / 100 / hs),
                           static_cast<int>(static_cast<double>(GetDeviceCaps(d, VERTRES)) * frame.bottom / 100 / vs),
                           NULL);
      }
      m_factorX = kTwipsPerHundredthMm;
      m_factorY = kTwipsPerHundredthMm;
      ComputePenWidthInPixels();
      m_drawRect = frame;
      {
        LentDCScope lent(*this);  // the host draws on the DC too
        OnDraw(dc);
      }
      ownFont.Restore();
      UnprepareCurrentDC();
    }
  } else {
    uih::WindowDC window(m_hWnd);
    const int w = static_cast<int>((frame.right - frame.left) / u), h = static_cast<int>((frame.bottom - frame.top) / u);
    m_cullRect = RECT{0, 0, w, h};
    m_hAttribDC = window.Get();
    if (window && w > 0 && h > 0 && PrepareNewDCForDrawing(dc->m_hDC, false)) {
      uih::Selection ownFont = uih::Selection::Adopt(window.Get(), GetCurrentObject(window.Get(), OBJ_FONT));
      SetMapMode(dc->m_hDC, MM_ANISOTROPIC);
      SetWindowOrgEx(dc->m_hDC, 0, 0, NULL);
      SetWindowExtEx(dc->m_hDC, w, h, NULL);
      if (GetObjectType(dc->m_hDC) == OBJ_ENHMETADC) SetViewportExtEx(dc->m_hDC, target.right, target.bottom, NULL);
      SetMapMode(window.Get(), MM_ANISOTROPIC);
      SetWindowExtEx(window.Get(), w, h, NULL);
      SetViewportExtEx(window.Get(), target.right, target.bottom, NULL);
      // The frame's top-left corner at the metafile's origin, whatever the view's scroll.
      m_scroll = POINT{0, 0};
      m_scroll = POINT{ImageToClientX(frame.left), ImageToClientY(frame.top)};
      m_drawRect = frame;
      {
        LentDCScope lent(*this);  // the host draws on the DC too
        OnDraw(dc);
      }
      ownFont.Restore();
      UnprepareCurrentDC();
      SetMapMode(window.Get(), MM_TEXT);
    } else {
      UI_TRACE_REFUSED(s_log, "metafile DC not prepared");
    }
  }
  EndRendering(state, hadWindowDC);
}
