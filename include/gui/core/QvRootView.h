// QvRootView: the abstract portable drawing view. It keeps what the platform view reads and
// writes (view style, image size and unit, device resolution, zoom, the create callback and
// the current font) and lays out the view's operations: the application's hooks (Draw, pages,
// OnInit), the model and scroll operations, the input hooks and the drawing interface, which
// the concrete view fills.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "GUIInitialisations.h"
#include "GUIPlatformUtilities.h"
#include "QvColor.h"
#include "QvDrawingTypes.h"
#include "QvFont.h"
#include "QvGUIContainer.h"
#include "QvGeometry.h"
#include "quarnel_api.h"

class CQvOleClientItem;
class QvClippingRegion;
class QvImage;
class QvImageList;
class QvModifier;

// Values of the view-style word.
enum : unsigned long {
  QVVIEW_STOP_AT_FAR_EDGE = 2,  // the scroll range ends where the window's far edge shows the image's end
  QVVIEW_NO_SCROLLBARS = 4,
};

// Metrics of the current font in image units.
struct QvFontInfo {
  long ascent;
  long descent;
  long externalLeading;
  long maxCharWidth;
};

class QUARNEL_API QvRootView : public QvGUIContainer {
  QV_DECLARE_CLASS(QvRootView)
 public:
  // Image 0 x 0 in pixels, resolution 72 x 72, zoom 1/1; style QVVIEW_NO_SCROLLBARS when
  // noScrollBars, else 0.
  QvRootView(QvCommandHandler* parent, bool noScrollBars);
  ~QvRootView() override;

  // The application's hooks.
  virtual void Draw(const QvRect& /*image*/) {}
  virtual bool HasCustomPageManagement() { return false; }
  virtual void PrintOnePage(long /*page*/) {}
  virtual long GetNumberOfPages() { return 0; }
  virtual void OnInit() {}

  // Model and scrolling.
  virtual void SetFocus() = 0;
  virtual void SetUnitType(QvImageUnitType type) { m_unitType = type; }
  virtual QvImageUnitType GetUnitType() { return m_unitType; }
  // Takes the zoom num / den: the scroll increments are converted so that they keep their
  // length on screen, the image size and the scroll positions are set again and the view is
  // invalidated. Terms that are not both positive are refused (nothing changes).
  virtual void SetZoomFactor(long num, long den);
  // Stores the size; the style bit QVVIEW_STOP_AT_FAR_EDGE follows stopAtFarEdge.
  virtual void SetImageSize(QvSize size, bool stopAtFarEdge);
  virtual void GetViewRect(QvRect& rect) = 0;
  virtual void SetHScroll(unsigned long pos) = 0;
  virtual void SetVScroll(unsigned long pos) = 0;
  virtual unsigned long GetHScroll() = 0;
  virtual unsigned long GetVScroll() = 0;
  virtual void SetHScrollIncrement(unsigned long inc) = 0;
  virtual void SetVScrollIncrement(unsigned long inc) = 0;
  virtual unsigned long GetHScrollIncrement() = 0;
  virtual unsigned long GetVScrollIncrement() = 0;
  virtual bool ScrollBy(const QvSize& delta, bool doScroll) = 0;
  // With bringIntoView, scrolls as little as brings the point into the view, plus the margin
  // beyond it on the side it came in from; the last argument is not used.
  virtual void ScrollTo(const QvPoint& point, const QvSize& margin, bool bringIntoView, bool unused);

  // Input hooks.
  virtual void onMouseEnter() {}
  virtual void onMouseLeave() {}
  virtual bool onMouseAdjustCursor(const QvPoint&) { return false; }
  virtual void QvSetCursor(QvCursorType type) = 0;
  virtual void QvSetUserCursor(unsigned short id) = 0;
  virtual void onRightMouseDown(const QvPoint&, const QvModifier&) {}
  virtual void onMouseDown(const QvPoint&, const QvModifier&) {}
  virtual void onMouseMove(const QvPoint& /*down*/, const QvPoint& /*previous*/, const QvPoint& /*current*/,
                           const QvModifier&, bool /*leftButton*/) {}
  virtual void onMouseUp(const QvPoint& /*down*/, const QvPoint& /*current*/, const QvModifier&) {}
  virtual void onMouseDblClick(const QvPoint&, const QvModifier&) {}
  virtual void onMouseDatazoom(const QvPoint&, bool /*up*/) {}
  // Zooms in (up) to the first factor at or above 120 % of the present one, or out to the
  // first at or below 80 %, one unit step at a time: zooming in lowers the denominator while
  // it is the larger term, else raises the numerator; zooming out lowers the numerator while
  // it is the larger term, else raises the denominator. The point is not used.
  virtual void onMouseZooming(const QvPoint& point, bool up);
  virtual bool onKeyboardChar(char) { return false; }
  virtual bool onKeyboardSpecial(QvKeyCode) { return false; }

  // The drawing interface (image coordinates).
  virtual void QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill) = 0;
  virtual void QvDrawRect(const QvRect& r, bool frame, bool fill) = 0;
  virtual void QvDraw3DRect(const QvRect& r, bool raised) = 0;
  virtual void QvDrawSelectionRect(const QvRect& r) = 0;
  virtual void QvInvertRectForSelection(const QvRect& r) = 0;
  virtual void QvDrawOval(const QvRect& r, bool frame, bool fill) = 0;
  virtual void QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill) = 0;
  virtual void QvDrawLine(const QvPoint& a, const QvPoint& b) = 0;
  virtual void QvDrawArc(const QvRect& r, short start, short sweep) = 0;
  virtual void QvMoveTo(const QvPoint& p) = 0;
  virtual unsigned long QvTextWidth(const QvString& text) = 0;
  virtual unsigned long QvTextHeight(const QvString& text, unsigned long width, unsigned short unused) = 0;
  virtual QvFontInfo QvGetFontInfo() = 0;
  virtual void QvGetVertTextRect(QvRect& r, const QvString& text, QvVertDrawStyle style) = 0;
  virtual void QvDrawText(const QvString& text) = 0;
  virtual void QvDrawTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                                bool flag, short value) = 0;
  virtual void QvDrawVertTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                                    QvVertDrawStyle style) = 0;
  virtual void QvDrawImageList(const QvPoint& p, QvImageList* list, unsigned short index) = 0;
  virtual void QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode) = 0;
  virtual void QvSetPenForeColor(const QvColor& c) = 0;
  virtual QvColor QvGetPenForeColor() = 0;
  virtual void QvSetPenBackColor(const QvColor& c) = 0;
  virtual QvColor QvGetPenBackColor() = 0;
  virtual void QvSetFillForeColor(const QvColor& c) = 0;
  virtual QvColor QvGetFillForeColor() = 0;
  virtual void QvSetFillBackColor(const QvColor& c) = 0;
  virtual QvColor QvGetFillBackColor() = 0;
  virtual void QvSetBackgroundColor(const QvColor& c) = 0;
  virtual QvColor QvGetBackgroundColor() = 0;
  virtual void QvSetDashLine(QvDashLine dash) = 0;
  virtual QvDashLine QvGetDashLine() = 0;
  virtual void QvSetLineWidth(unsigned short width) = 0;
  virtual unsigned short QvGetLineWidth() = 0;
  virtual void QvSetDrawMode(QvDrawMode mode) = 0;
  virtual QvDrawMode QvGetDrawMode() = 0;
  virtual void QvSetFont(const QvFont& font) = 0;
  virtual void QvGetFont(QvFont& font) = 0;
  virtual void QvSetFillPattern(QvGUIPattern pattern) = 0;
  virtual QvGUIPattern QvGetFillPattern() = 0;
  virtual void QvSetClipRect(const QvRect& r) = 0;
  virtual void QvResetClipRect() = 0;
  virtual QvClippingRegion* QvGetClipRegion() = 0;
  virtual void QvSetClipRegion(QvClippingRegion* region) = 0;
  virtual void QvFreeRegion(QvClippingRegion* region) = 0;
  virtual void QvUnionRectToClip(QvRect& r) = 0;
  virtual void QvIntersectionRectToClip(QvRect& r) = 0;
  virtual void QvExcludeRectToClip(QvRect& r) = 0;
  virtual QvDevType QvGetTypeView() = 0;
  virtual void QvBlockMove(const QvRect& r, long dx, long dy) = 0;
  virtual void QvInvalRect(const QvRect& r, bool erase) = 0;
  virtual void QvInvalAll(bool erase) = 0;
  virtual void QvEraseRect(const QvRect& r) = 0;
  virtual void QvUpdateNow() = 0;
  virtual QvImage* QvTakeSnapshot(const QvRect& image, const QvRect& target, bool screen,
                                  unsigned short bitsPerPixel) = 0;
  virtual void QvSetOrigin(const QvPoint& origin) = 0;
  virtual QvPoint QvGetOrigin() = 0;
  virtual void QvBeginUse() = 0;
  virtual void QvEndUse() = 0;
  virtual void QvImageToScreenPoint(QvPoint& p) = 0;
  virtual void QvClientToImagePoint(QvPoint& p) = 0;
  virtual void QvImageToClientPoint(QvPoint& p) = 0;
  virtual void QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r) = 0;

  // What the platform view reads and writes.
  unsigned long GetViewStyle() const { return m_viewStyle; }
  QvSize GetImageSize() const { return m_imageSize; }
  void GetZoomFactor(long& num, long& den) const {
    num = m_zoomNum;
    den = m_zoomDen;
  }
  long GetResolutionX() const { return m_resolutionX; }
  long GetResolutionY() const { return m_resolutionY; }
  void SetResolution(long x, long y) {
    m_resolutionX = x;
    m_resolutionY = y;
  }
  const QvFont& GetCurrentFont() const { return m_font; }
  void SetCurrentFont(const QvFont& font) { m_font = font; }
  typedef void (*CreateCallback)();
  CreateCallback GetCreateCBack() const { return m_createCallback; }

 protected:
  unsigned long m_viewStyle;
  QvSize m_imageSize;
  QvImageUnitType m_unitType;
  long m_resolutionX;
  long m_resolutionY;
  long m_zoomNum;
  long m_zoomDen;
  CreateCallback m_createCallback;
  QvFont m_font;
};
