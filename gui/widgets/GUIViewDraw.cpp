// The portable view's drawing: attributes, shapes and clipping through the drawing core, images,
// snapshots, invalidation and metafiles.
#include "DrawingResources.h"
#include "FrameEdges.h"
#include "GUIImageCtrl.h"
#include "GUIView.h"
#include "UIHandles.h"
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
COLORREF ToColorRef(const QvColor& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); }
QvColor ToQvColor(COLORREF c) {
  return QvColor(static_cast<unsigned short>(GetRValue(c) << 8), static_cast<unsigned short>(GetGValue(c) << 8),
                 static_cast<unsigned short>(GetBValue(c) << 8));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Attributes

void CGUIView::QvBeginUse() {
  ResetDrawingAttributes();
  DropFonts();
}

void CGUIView::QvSetPenForeColor(const QvColor& c) { ApplyPenForeColor(ToColorRef(c)); }
QvColor CGUIView::QvGetPenForeColor() const { return ToQvColor(m_penFore); }
void CGUIView::QvSetPenBackColor(const QvColor& c) { ApplyPenBackColor(ToColorRef(c)); }
QvColor CGUIView::QvGetPenBackColor() const { return ToQvColor(m_penBack); }
void CGUIView::QvSetFillForeColor(const QvColor& c) { ApplyFillForeColor(ToColorRef(c)); }
QvColor CGUIView::QvGetFillForeColor() const { return ToQvColor(m_fillFore); }
void CGUIView::QvSetFillBackColor(const QvColor& c) { ApplyFillBackColor(ToColorRef(c)); }
QvColor CGUIView::QvGetFillBackColor() const { return ToQvColor(m_fillBack); }
void CGUIView::QvSetBackgroundColor(const QvColor& c) { ApplyBackgroundColor(ToColorRef(c)); }
QvColor CGUIView::QvGetBackgroundColor() const { return ToQvColor(EffectiveBackgroundColor()); }
void CGUIView::QvSetLineWidth(unsigned short width) { ApplyLineWidth(width); }
void CGUIView::QvSetDashLine(QvDashLine dash) { ApplyDashLine(dash); }
void CGUIView::QvSetDrawMode(QvDrawMode mode) { ApplyDrawMode(mode != QvCopyMode); }
QvDrawMode CGUIView::QvGetDrawMode() const { return IsExclusiveDrawMode() ? QvXorMode : QvCopyMode; }
void CGUIView::QvSetFillPattern(QvGUIPattern pattern) { ApplyFillPattern(pattern, QvLastPattern); }

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
// Shapes

namespace {
POINT ToPoint(const QvPoint& p) { return POINT{p.x, p.y}; }
RECT ToRect(const QvRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
}  // namespace

void CGUIView::QvMoveTo(const QvPoint& p) { MoveToCore(ToPoint(p)); }
void CGUIView::QvDrawLine(const QvPoint& from, const QvPoint& to) { DrawLineCore(ToPoint(from), ToPoint(to)); }
void CGUIView::QvDrawRect(const QvRect& r, bool frame, bool fill) { DrawRectCore(ToRect(r), frame, fill); }
void CGUIView::QvDrawSelectionRect(const QvRect& r) { DrawSelectionRectCore(ToRect(r)); }
void CGUIView::QvDrawOval(const QvRect& r, bool frame, bool fill) { DrawOvalCore(ToRect(r), frame, fill); }

void CGUIView::QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill) {
  DrawArcOrSectorCore(false, ToRect(r), start, sweep, frame, fill);
}

void CGUIView::QvDrawArc(const QvRect& r, short start, short sweep) {
  DrawArcOrSectorCore(true, ToRect(r), start, sweep, true, false);
}

void CGUIView::QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill) {
  const long n = points.GetSize();
  if (n <= 0 || n > INT_MAX - 1) return;
  std::vector<POINT> image(static_cast<size_t>(n));
  for (long i = 0; i < n; ++i) image[static_cast<size_t>(i)] = ToPoint(points[i]);
  DrawPolyCore(image.data(), static_cast<int>(n), closed, frame, fill);
}

void CGUIView::QvDraw3DRect(const QvRect& r, bool raised) { Draw3DRectCore(ToRect(r), raised); }
void CGUIView::QvEraseRect(const QvRect& r) { EraseRectCore(ToRect(r)); }
void CGUIView::QvInvertRectForSelection(const QvRect& r) { InvertRectCore(ToRect(r)); }
void CGUIView::QvBlockMove(const QvRect& r, long dx, long dy) { BlockMoveCore(ToRect(r), dx, dy); }

// ---------------------------------------------------------------------------------------------
// Images and OLE items

void CGUIView::QvDrawImageList(const QvPoint& at, QvImageList* list, unsigned short index) {
  if (list != nullptr) DrawImageListCore(list->GetImageList().GetSafeHandle(), index, ToPoint(at));
}

void CGUIView::QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode) {
  RECT c;
  if (m_hDC == NULL || image == nullptr || !ImageToClientRect(r, c)) return;
  CDC* dc = CDC::FromHandle(m_hDC);
  if (!image->DrawDIBImage(dc, &c, NULL)) DrawImageInState(dc, &c, image, static_cast<int>(mode), 0);
  ForgetSelection();  // drawing that is not the core's
}

void CGUIView::QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r) {
  RECT c;
  if (m_hDC == NULL || item == nullptr || !ImageToClientRect(r, c)) return;
  item->Draw(CDC::FromHandle(m_hDC), &c, static_cast<DVASPECT>(-1));
  ForgetSelection();  // the item's own drawing
  RealizePalette(m_hDC);
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
  m_hAttribDC = NULL;

  QvImage* result = nullptr;
  if (PrepareNewDCForDrawing(memory.Get())) {
    m_cullRect = all;
    m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED | GUIVIEW_PAINTING);
    const double unitsX = (flags & GUIVIEW_TWIPS) ? m_twipsPerPixelX : 1.0;
    const double unitsY = (flags & GUIVIEW_TWIPS) ? m_twipsPerPixelY : 1.0;
    const double sx = (iw / unitsX) / w, sy = (ih / unitsY) / h;
    const double larger = sx > sy ? sx : sy;
    m_zoomRatio = larger > 0.0 ? static_cast<float>(1.0 / larger) : 1.0f;  // font sizes only
    m_twipsPerPixelX = static_cast<float>(iw) / static_cast<float>(w);
    m_twipsPerPixelY = static_cast<float>(ih) / static_cast<float>(h);
    m_flags |= GUIVIEW_OFFSCREEN | GUIVIEW_TWIPS;
    PrepareConversionFactors();
    ComputePenWidthInPixels();
    DropFonts();
    // The image rectangle's top-left corner at the bitmap's origin.
    m_scroll = POINT{0, 0};
    m_scroll = POINT{ImageToClientX(image.left), ImageToClientY(image.top)};
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

void CGUIView::QvSetClipRect(const QvRect& r) { CombineClip(ToRect(r), RGN_COPY); }
void CGUIView::QvUnionRectToClip(const QvRect& r) { CombineClip(ToRect(r), RGN_OR); }
void CGUIView::QvIntersectionRectToClip(const QvRect& r) { CombineClip(ToRect(r), RGN_AND); }
void CGUIView::QvExcludeRectToClip(const QvRect& r) { CombineClip(ToRect(r), RGN_DIFF); }
void CGUIView::QvResetClipRect() { ResetClip(); }

QvClippingRegion* CGUIView::QvGetClipRegion() {
  QvClippingRegion* copy = new QvClippingRegion;
  copy->CreateRectRgn(0, 0, 0, 0);
  CopyClip(static_cast<HRGN>(copy->GetSafeHandle()));
  return copy;
}

void CGUIView::QvSetClipRegion(QvClippingRegion* region) {
  SetClipFrom(region != nullptr ? static_cast<HRGN>(region->GetSafeHandle()) : NULL);
}

void CGUIView::QvFreeRegion(QvClippingRegion* region) { delete region; }

// ---------------------------------------------------------------------------------------------
// Metafiles

void CGUIView::QvDrawInMetafileDC(const QvRect& image, const QvRect& target, CDC* dc) {
  if (dc == NULL || dc->m_hDC == NULL || m_hWnd == NULL || m_view == NULL) return;
  const unsigned long flags = m_flags;
  const float zoom = m_zoomRatio;
  const POINT offset = m_scroll;
  const bool ownDC = m_ownDC;
  // The window's own DC measures; the metafile records.
  const uih::WindowDC window(m_hWnd);
  m_ownDC = false;
  UnprepareCurrentDC();
  m_flags &= ~static_cast<unsigned long>(GUIVIEW_ZOOMED);
  m_hAttribDC = window.Get();
  PrepareNewDCForDrawing(dc->m_hDC);
  // The image size in pixels: a twips image through its twips per pixel, a pixel image as it is.
  const long w = image.right - image.left, h = image.bottom - image.top;
  const int extentX = (m_flags & GUIVIEW_TWIPS) ? static_cast<int>(w / m_twipsPerPixelX) : static_cast<int>(w);
  const int extentY = (m_flags & GUIVIEW_TWIPS) ? static_cast<int>(h / m_twipsPerPixelY) : static_cast<int>(h);
  SetMapMode(dc->m_hDC, MM_ANISOTROPIC);
  SetWindowExtEx(dc->m_hDC, extentX, extentY, NULL);
  SetViewportExtEx(dc->m_hDC, target.right - target.left, target.bottom - target.top, NULL);
  SetMapMode(window.Get(), MM_ANISOTROPIC);
  SetWindowExtEx(window.Get(), extentX, extentY, NULL);
  SetViewportExtEx(window.Get(), target.right - target.left, target.bottom - target.top, NULL);
  m_scroll = POINT{ClientScroll(image.left, true), ClientScroll(image.top, false)};
  m_view->Draw(image);
  SetMapMode(dc->m_hDC, MM_TEXT);
  SetMapMode(window.Get(), MM_TEXT);
  UnprepareCurrentDC();
  m_hAttribDC = NULL;
  m_flags = flags;
  m_zoomRatio = zoom;
  m_scroll = offset;
  PrepareConversionFactors();
  uih::WindowDC own(m_hWnd);
  if (ownDC && own && PrepareNewDCForDrawing(own.Get())) {
    own.Release();
    m_ownDC = true;
  }
}
