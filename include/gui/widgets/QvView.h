// QvView: the portable drawing view the application derives from and draws through. Every
// operation goes to its window, a CGUIView (GUIView.h), which converts image coordinates to
// client pixels and draws with GDI on whatever surface it is given.
#pragma once
#include <framework.h>
#include <fw_gdi.h>

#include "QvRootView.h"
#include "quarnel_api.h"

class CGUIView;

// A clipping region handed to the application; freed with QvFreeRegion.
class QUARNEL_API QvClippingRegion : public CRgn {
 public:
  QvClippingRegion() = default;
};

class QUARNEL_API QvView : public QvRootView {
  QV_DECLARE_CLASS(QvView)
 public:
  QvView(QvCommandHandler* parent, bool noScrollBars);
  // The window forgets the view (the window owns its view: deleting the window deletes it).
  ~QvView() override;

  CGUIView* GetPlatformView() const { return m_platformView; }
  // Called by the window once it exists.
  void SetCreateCBack(void (*callback)()) { m_createCallback = callback; }

  void SetFocus() override;
  // Unchanged values do nothing.
  void SetUnitType(QvImageUnitType type) override;
  void SetZoomFactor(long num, long den) override;
  // From another thread than the program's main thread, the call is sent to the window's
  // thread.
  void SetImageSize(QvSize size, bool stopAtFarEdge) override;
  void GetViewRect(QvRect& rect) override;
  void SetHScroll(unsigned long pos) override;
  void SetVScroll(unsigned long pos) override;
  unsigned long GetHScroll() override;
  unsigned long GetVScroll() override;
  void SetHScrollIncrement(unsigned long inc) override;
  void SetVScrollIncrement(unsigned long inc) override;
  unsigned long GetHScrollIncrement() override;
  unsigned long GetVScrollIncrement() override;
  // True when the window moved.
  bool ScrollBy(const QvSize& delta, bool doScroll) override;

  void QvSetCursor(QvCursorType type) override;
  void QvSetUserCursor(unsigned short id) override;

  void QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill) override;
  void QvDrawRect(const QvRect& r, bool frame, bool fill) override;
  void QvDraw3DRect(const QvRect& r, bool raised) override;
  void QvDrawSelectionRect(const QvRect& r) override;
  void QvInvertRectForSelection(const QvRect& r) override;
  void QvDrawOval(const QvRect& r, bool frame, bool fill) override;
  void QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill) override;
  void QvDrawLine(const QvPoint& a, const QvPoint& b) override;
  void QvDrawArc(const QvRect& r, short start, short sweep) override;
  void QvMoveTo(const QvPoint& p) override;
  unsigned long QvTextWidth(const QvString& text) override;
  unsigned long QvTextHeight(const QvString& text, unsigned long width, unsigned short unused) override;
  QvFontInfo QvGetFontInfo() override;
  void QvGetVertTextRect(QvRect& r, const QvString& text, QvVertDrawStyle style) override;
  void QvDrawText(const QvString& text) override;
  void QvDrawTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha, bool flag,
                        short value) override;
  void QvDrawVertTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                            QvVertDrawStyle style) override;
  void QvDrawImageList(const QvPoint& p, QvImageList* list, unsigned short index) override;
  void QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode) override;
  void QvSetPenForeColor(const QvColor& c) override;
  QvColor QvGetPenForeColor() override;
  void QvSetPenBackColor(const QvColor& c) override;
  QvColor QvGetPenBackColor() override;
  void QvSetFillForeColor(const QvColor& c) override;
  QvColor QvGetFillForeColor() override;
  void QvSetFillBackColor(const QvColor& c) override;
  QvColor QvGetFillBackColor() override;
  void QvSetBackgroundColor(const QvColor& c) override;
  QvColor QvGetBackgroundColor() override;
  void QvSetDashLine(QvDashLine dash) override;
  QvDashLine QvGetDashLine() override;
  void QvSetLineWidth(unsigned short width) override;
  unsigned short QvGetLineWidth() override;
  void QvSetDrawMode(QvDrawMode mode) override;
  QvDrawMode QvGetDrawMode() override;
  void QvSetFont(const QvFont& font) override;
  void QvGetFont(QvFont& font) override;
  void QvSetFillPattern(QvGUIPattern pattern) override;
  QvGUIPattern QvGetFillPattern() override;
  void QvSetClipRect(const QvRect& r) override;
  void QvResetClipRect() override;
  QvClippingRegion* QvGetClipRegion() override;
  void QvSetClipRegion(QvClippingRegion* region) override;
  void QvFreeRegion(QvClippingRegion* region) override;
  void QvUnionRectToClip(QvRect& r) override;
  void QvIntersectionRectToClip(QvRect& r) override;
  void QvExcludeRectToClip(QvRect& r) override;
  QvDevType QvGetTypeView() override;
  void QvBlockMove(const QvRect& r, long dx, long dy) override;
  void QvInvalRect(const QvRect& r, bool erase) override;
  void QvInvalAll(bool erase) override;
  void QvEraseRect(const QvRect& r) override;
  void QvUpdateNow() override;
  QvImage* QvTakeSnapshot(const QvRect& image, const QvRect& target, bool screen,
                          unsigned short bitsPerPixel) override;
  void QvSetOrigin(const QvPoint& origin) override;
  QvPoint QvGetOrigin() override;
  void QvBeginUse() override;
  void QvEndUse() override;
  void QvImageToScreenPoint(QvPoint& p) override;
  void QvClientToImagePoint(QvPoint& p) override;
  void QvImageToClientPoint(QvPoint& p) override;
  void QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r) override;
  void QvDrawInMetafileDC(const QvRect& image, const QvRect& target, CDC* dc);

 private:
  friend class CGUIView;
  CGUIView* m_platformView;
};
