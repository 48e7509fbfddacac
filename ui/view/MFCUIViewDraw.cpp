// The drawing primitives of the GDI view, drawn by the drawing core. Every primitive takes image
// coordinates; nothing is drawn without a prepared DC or for a rectangle outside the culling
// rectangle.
#include "UIView.h"

void CMFCUIView::QvMoveTo(POINT p) { MoveToCore(p); }
void CMFCUIView::QvDrawLine(POINT a, POINT b) { DrawLineCore(a, b); }
void CMFCUIView::QvDrawRect(RECT const& r, int frame, int fill) { DrawRectCore(r, frame != 0, fill != 0); }
void CMFCUIView::QvDraw3DRect(RECT const& r, int style) { Draw3DRectCore(r, style == 1); }
void CMFCUIView::QvDrawSelectionRect(RECT const& r) { DrawSelectionRectCore(r); }
void CMFCUIView::QvEraseRect(RECT const& r) { EraseRectCore(r); }
void CMFCUIView::QvInvertRectForSelection(RECT const& r) { InvertRectCore(r); }
void CMFCUIView::QvDrawOval(RECT const& r, int frame, int fill) { DrawOvalCore(r, frame != 0, fill != 0); }

void CMFCUIView::QvDrawSector(RECT const& r, short start, short sweep, int frame, int fill) {
  DrawArcOrSectorCore(false, r, start, sweep, frame != 0, fill != 0);
}

void CMFCUIView::QvDrawArc(RECT const& r, short start, short sweep) {
  DrawArcOrSectorCore(true, r, start, sweep, true, false);
}

void CMFCUIView::QvDrawPoly(CArray<POINT, POINT> const& pts, int closed, int frame, int fill) {
  const INT_PTR n = pts.GetSize();
  if (n <= 0 || n > INT_MAX - 1) return;
  DrawPolyCore(pts.GetData(), static_cast<int>(n), closed != 0, frame != 0, fill != 0);
}

void CMFCUIView::QvBlockMove(RECT const& r, long dx, long dy) { BlockMoveCore(r, dx, dy); }
