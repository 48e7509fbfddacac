// Conversions of the GDI view between image coordinates and its client, screen and regions (the
// drawing core's coordinate model), and the zoom that drives them.
#include <UIView.h>

void CMFCUIView::QvClientToImagePoint(POINT& p) {
  p.x = ClientToImageX(p.x);
  p.y = ClientToImageY(p.y);
}

void CMFCUIView::QvImageToClientPoint(POINT& p) {
  p.x = ImageToClientX(p.x);
  p.y = ImageToClientY(p.y);
}

void CMFCUIView::QvImageToScreenPoint(POINT& p) {
  QvImageToClientPoint(p);
  if (m_hWnd != NULL) ::ClientToScreen(m_hWnd, &p);
}

void CMFCUIView::ClientToImageRect(RECT in, RECT& out) { ClientToImageRectCore(in, out); }
BOOL CMFCUIView::ImageToClientRect(RECT in, RECT& out) { return ImageToClientRectCulled(in, out); }
HRGN CMFCUIView::ImageRectToClientRgn(RECT r) { return ImageRectToClientRgnCore(r); }

void CMFCUIView::SetZoomFactor(long num, long den) {
  if (num == m_zoomNum && den == m_zoomDen) return;
  CUIView::SetZoomFactor(num, den);
  if (num != m_zoomNum || den != m_zoomDen) return;  // refused
  PrepareConversionFactors();
  ComputePenWidthInPixels();
  DropPreparedFonts();
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, TRUE);
}
