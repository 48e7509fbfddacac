// The portable drawing view: each operation goes to its window; without one, drawing does
// nothing and questions answer 0.
#include "QvView.h"

#include "GUIView.h"

QV_IMPLEMENT_CLASS(QvView, QV_RUNTIME_CLASS(QvRootView))

QvView::QvView(QvCommandHandler* parent, bool noScrollBars) : QvRootView(parent, noScrollBars), m_platformView(nullptr) {}

QvView::~QvView() {
  if (m_platformView) m_platformView->m_view = nullptr;
}

void QvView::SetFocus() {
  if (m_platformView && m_platformView->GetSafeHwnd()) ::SetFocus(m_platformView->GetSafeHwnd());
}

void QvView::SetUnitType(QvImageUnitType type) {
  if (type == m_unitType) return;
  QvRootView::SetUnitType(type);
  if (m_platformView) m_platformView->SetUnitType(type);
}

void QvView::SetZoomFactor(long num, long den) {
  if (num == m_zoomNum && den == m_zoomDen) return;
  if (!m_platformView) return;  // the zoom lives in the window
  // The window takes the new zoom first, so that the image size and the scroll positions set
  // again below are measured at it.
  if (num > 0 && den > 0) m_platformView->SetZoomFactor(num, den);
  QvRootView::SetZoomFactor(num, den);  // refuses terms that are no ratio
}

void QvView::SetImageSize(QvSize size, bool stopAtFarEdge) {
  HWND window = m_platformView ? m_platformView->GetSafeHwnd() : NULL;
  if (window && !IsCurrentMainThread() && !InSendMessage() &&
      ::GetWindowThreadProcessId(window, NULL) != ::GetCurrentThreadId()) {
    ::SendMessage(window, WM_QV_SETIMAGESIZE, stopAtFarEdge ? 1 : 0, reinterpret_cast<LPARAM>(&size));
    return;
  }
  QvRootView::SetImageSize(size, stopAtFarEdge);
  if (m_platformView) m_platformView->SetImageSize(size, stopAtFarEdge ? 1 : 0);
}

void QvView::GetViewRect(QvRect& rect) {
  if (m_platformView) m_platformView->GetViewRect(rect);
}
void QvView::SetHScroll(unsigned long pos) {
  if (m_platformView) m_platformView->SetHScroll(pos);
}
void QvView::SetVScroll(unsigned long pos) {
  if (m_platformView) m_platformView->SetVScroll(pos);
}
unsigned long QvView::GetHScroll() { return m_platformView ? m_platformView->GetHScroll() : 0; }
unsigned long QvView::GetVScroll() { return m_platformView ? m_platformView->GetVScroll() : 0; }
void QvView::SetHScrollIncrement(unsigned long inc) {
  if (m_platformView) m_platformView->SetHScrollIncrement(inc);
}
void QvView::SetVScrollIncrement(unsigned long inc) {
  if (m_platformView) m_platformView->SetVScrollIncrement(inc);
}
unsigned long QvView::GetHScrollIncrement() { return m_platformView ? m_platformView->GetHScrollIncrement() : 0; }
unsigned long QvView::GetVScrollIncrement() { return m_platformView ? m_platformView->GetVScrollIncrement() : 0; }
bool QvView::ScrollBy(const QvSize& delta, bool doScroll) {
  return m_platformView && m_platformView->ScrollBy(delta, doScroll ? 1 : 0) != 0;
}

void QvView::QvSetCursor(QvCursorType type) { GUISetCursor(type, GUIGetWindowsVersion()); }

void QvView::QvSetUserCursor(unsigned short id) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR);
  if (HCURSOR cursor = module ? ::LoadCursor(module, MAKEINTRESOURCE(id)) : NULL) ::SetCursor(cursor);
}

// Drawing: one to one to the window.
#define QV_FORWARD(call) \
  if (m_platformView) m_platformView->call
#define QV_ANSWER(call, none) return m_platformView ? m_platformView->call : none

void QvView::QvDrawPoly(const QvArrayQvPoint& points, bool closed, bool frame, bool fill) {
  QV_FORWARD(QvDrawPoly(points, closed, frame, fill));
}
void QvView::QvDrawRect(const QvRect& r, bool frame, bool fill) { QV_FORWARD(QvDrawRect(r, frame, fill)); }
void QvView::QvDraw3DRect(const QvRect& r, bool raised) { QV_FORWARD(QvDraw3DRect(r, raised)); }
void QvView::QvDrawSelectionRect(const QvRect& r) { QV_FORWARD(QvDrawSelectionRect(r)); }
void QvView::QvInvertRectForSelection(const QvRect& r) { QV_FORWARD(QvInvertRectForSelection(r)); }
void QvView::QvDrawOval(const QvRect& r, bool frame, bool fill) { QV_FORWARD(QvDrawOval(r, frame, fill)); }
void QvView::QvDrawSector(const QvRect& r, short start, short sweep, bool frame, bool fill) {
  QV_FORWARD(QvDrawSector(r, start, sweep, frame, fill));
}
void QvView::QvDrawLine(const QvPoint& a, const QvPoint& b) { QV_FORWARD(QvDrawLine(a, b)); }
void QvView::QvDrawArc(const QvRect& r, short start, short sweep) { QV_FORWARD(QvDrawArc(r, start, sweep)); }
void QvView::QvMoveTo(const QvPoint& p) { QV_FORWARD(QvMoveTo(p)); }
unsigned long QvView::QvTextWidth(const QvString& text) { QV_ANSWER(QvTextWidth(text), 0); }
unsigned long QvView::QvTextHeight(const QvString& text, unsigned long width, unsigned short unused) {
  QV_ANSWER(QvTextHeight(text, width, unused), 0);
}
QvFontInfo QvView::QvGetFontInfo() { QV_ANSWER(QvGetFontInfo(), (QvFontInfo{0, 0, 0, 0})); }
void QvView::QvGetVertTextRect(QvRect& r, const QvString& text, QvVertDrawStyle style) {
  QV_FORWARD(QvGetVertTextRect(r, text, style));
}
void QvView::QvDrawText(const QvString& text) { QV_FORWARD(QvDrawText(text)); }
void QvView::QvDrawTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                              bool flag, short value) {
  QV_FORWARD(QvDrawTextInRect(text, r, va, ha, flag, value));
}
void QvView::QvDrawVertTextInRect(const QvString& text, const QvRect& r, QvVerticalAlign va, QvHorizontalAlign ha,
                                  QvVertDrawStyle style) {
  QV_FORWARD(QvDrawVertTextInRect(text, r, va, ha, style));
}
void QvView::QvDrawImageList(const QvPoint& p, QvImageList* list, unsigned short index) {
  QV_FORWARD(QvDrawImageList(p, list, index));
}
void QvView::QvDrawImage(const QvRect& r, QvImage* image, QvImageDisplay mode) {
  QV_FORWARD(QvDrawImage(r, image, mode));
}
void QvView::QvSetPenForeColor(const QvColor& c) { QV_FORWARD(QvSetPenForeColor(c)); }
QvColor QvView::QvGetPenForeColor() { QV_ANSWER(QvGetPenForeColor(), QvColor()); }
void QvView::QvSetPenBackColor(const QvColor& c) { QV_FORWARD(QvSetPenBackColor(c)); }
QvColor QvView::QvGetPenBackColor() { QV_ANSWER(QvGetPenBackColor(), QvColor()); }
void QvView::QvSetFillForeColor(const QvColor& c) { QV_FORWARD(QvSetFillForeColor(c)); }
QvColor QvView::QvGetFillForeColor() { QV_ANSWER(QvGetFillForeColor(), QvColor()); }
void QvView::QvSetFillBackColor(const QvColor& c) { QV_FORWARD(QvSetFillBackColor(c)); }
QvColor QvView::QvGetFillBackColor() { QV_ANSWER(QvGetFillBackColor(), QvColor()); }
void QvView::QvSetBackgroundColor(const QvColor& c) { QV_FORWARD(QvSetBackgroundColor(c)); }
QvColor QvView::QvGetBackgroundColor() { QV_ANSWER(QvGetBackgroundColor(), QvColor()); }
void QvView::QvSetDashLine(QvDashLine dash) { QV_FORWARD(QvSetDashLine(dash)); }
QvDashLine QvView::QvGetDashLine() { QV_ANSWER(QvGetDashLine(), QvSolidLine); }
void QvView::QvSetLineWidth(unsigned short width) { QV_FORWARD(QvSetLineWidth(width)); }
unsigned short QvView::QvGetLineWidth() { QV_ANSWER(QvGetLineWidth(), 0); }
void QvView::QvSetDrawMode(QvDrawMode mode) { QV_FORWARD(QvSetDrawMode(mode)); }
QvDrawMode QvView::QvGetDrawMode() { QV_ANSWER(QvGetDrawMode(), QvCopyMode); }
void QvView::QvSetFont(const QvFont& font) { QV_FORWARD(QvSetFont(font)); }
void QvView::QvGetFont(QvFont& font) { font = m_font; }
void QvView::QvSetFillPattern(QvGUIPattern pattern) { QV_FORWARD(QvSetFillPattern(pattern)); }
QvGUIPattern QvView::QvGetFillPattern() { QV_ANSWER(QvGetFillPattern(), QvNoPattern); }
void QvView::QvSetClipRect(const QvRect& r) { QV_FORWARD(QvSetClipRect(r)); }
void QvView::QvResetClipRect() { QV_FORWARD(QvResetClipRect()); }
QvClippingRegion* QvView::QvGetClipRegion() { QV_ANSWER(QvGetClipRegion(), nullptr); }
void QvView::QvSetClipRegion(QvClippingRegion* region) { QV_FORWARD(QvSetClipRegion(region)); }
void QvView::QvFreeRegion(QvClippingRegion* region) { delete region; }
void QvView::QvUnionRectToClip(QvRect& r) { QV_FORWARD(QvUnionRectToClip(r)); }
void QvView::QvIntersectionRectToClip(QvRect& r) { QV_FORWARD(QvIntersectionRectToClip(r)); }
void QvView::QvExcludeRectToClip(QvRect& r) { QV_FORWARD(QvExcludeRectToClip(r)); }
QvDevType QvView::QvGetTypeView() { return QvScreenDevice; }
void QvView::QvBlockMove(const QvRect& r, long dx, long dy) { QV_FORWARD(QvBlockMove(r, dx, dy)); }
void QvView::QvInvalRect(const QvRect& r, bool erase) { QV_FORWARD(QvInvalRect(r, erase)); }
void QvView::QvInvalAll(bool erase) { QV_FORWARD(QvInvalAll(erase)); }
void QvView::QvEraseRect(const QvRect& r) { QV_FORWARD(QvEraseRect(r)); }
void QvView::QvUpdateNow() { QV_FORWARD(QvUpdateNow()); }
QvImage* QvView::QvTakeSnapshot(const QvRect& image, const QvRect& target, bool screen, unsigned short bitsPerPixel) {
  QV_ANSWER(QvTakeSnapshot(image, target, screen, bitsPerPixel), nullptr);
}
void QvView::QvSetOrigin(const QvPoint& origin) { QV_FORWARD(QvSetOrigin(origin)); }
QvPoint QvView::QvGetOrigin() { QV_ANSWER(QvGetOrigin(), QvPoint()); }
void QvView::QvBeginUse() { QV_FORWARD(QvBeginUse()); }
void QvView::QvEndUse() {}
void QvView::QvImageToScreenPoint(QvPoint& p) { QV_FORWARD(QvImageToScreenPoint(p)); }
void QvView::QvClientToImagePoint(QvPoint& p) { QV_FORWARD(QvClientToImagePoint(p)); }
void QvView::QvImageToClientPoint(QvPoint& p) { QV_FORWARD(QvImageToClientPoint(p)); }
void QvView::QvDrawOLEItem(CQvOleClientItem* item, const QvRect& r) { QV_FORWARD(QvDrawOLEItem(item, r)); }
void QvView::QvDrawInMetafileDC(const QvRect& image, const QvRect& target, CDC* dc) {
  QV_FORWARD(QvDrawInMetafileDC(image, target, dc));
}
