// Conversions of the GDI view between image coordinates and its client, screen and regions,
// and the zoom that drives them.
#include <UIUtilities.h>
#include <UIView.h>
#include <math.h>

namespace {
int SaturateToInt(double v) {
  if (v >= 2147483647.0) return 0x7FFFFFFF;
  if (v <= -2147483648.0) return -0x7FFFFFFF - 1;
  return static_cast<int>(v);
}

// Client bottom of an image rectangle: the client top plus the rounded height, so that a
// rectangle keeps its height wherever rounding moves its top. A height beyond the int range
// (a rectangle meaning "everything") is added unrounded, so the bottom saturates instead of
// turning back.
int ClientBottom(int clientTop, RECT const& image, float factorY) {
  const double height = (static_cast<double>(image.bottom) - image.top) / factorY;
  if (isnan(height)) return clientTop;
  const double rounded = fabs(height) < 2147483647.0 ? RoundToNearestInt(height) : height;
  return SaturateToInt(clientTop + rounded);
}
}  // namespace

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

void CMFCUIView::ClientToImageRect(RECT in, RECT& out) {
  out.left = ClientToImageX(in.left);
  out.top = ClientToImageY(in.top);
  out.right = ClientToImageX(in.right);
  out.bottom = ClientToImageY(in.bottom);
}

BOOL CMFCUIView::ImageToClientRect(RECT in, RECT& out) {
  // With culling, each edge is tested as soon as it is known and the rest is not computed.
  const bool cull = (m_flags & UIVIEW_CULLING) != 0;
  out.left = ImageToClientX(in.left);
  if (cull && out.left > m_cullRect.right) return FALSE;
  out.top = ImageToClientY(in.top);
  if (cull && out.top > m_cullRect.bottom) return FALSE;
  out.right = ImageToClientX(in.right);
  if (cull && out.right < m_cullRect.left) return FALSE;
  out.bottom = ClientBottom(out.top, in, m_factorY);
  if (cull && out.bottom <= m_cullRect.top) return FALSE;
  return TRUE;
}

HRGN CMFCUIView::ImageRectToClientRgn(RECT r) {
  // A clip rectangle is converted whole, culled or not.
  RECT c;
  c.left = ImageToClientX(r.left);
  c.top = ImageToClientY(r.top);
  c.right = ImageToClientX(r.right);
  c.bottom = ClientBottom(c.top, r, m_factorY);
  if ((m_flags & UIVIEW_PRINT_FLAGS) != 0) ::OffsetRect(&c, m_printOffset.x, m_printOffset.y);
  return ::CreateRectRgnIndirect(&c);
}

void CMFCUIView::SetZoomFactor(long num, long den) {
  if (num == m_zoomNum && den == m_zoomDen) return;
  CUIView::SetZoomFactor(num, den);
  if (num != m_zoomNum || den != m_zoomDen) return;  // refused
  PrepareConversionFactors();
  ComputePenWidthInPixels();
  DropPreparedFonts();
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, TRUE);
}
