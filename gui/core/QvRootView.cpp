// The abstract portable drawing view: its state and the scrolling that brings a point into view.
#include "QvRootView.h"

#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootView, QV_RUNTIME_CLASS(QvGUIContainer))

QvRootView::QvRootView(QvCommandHandler* parent, bool noScrollBars)
    : QvGUIContainer(parent, 0),
      m_viewStyle(noScrollBars ? static_cast<unsigned long>(QVVIEW_NO_SCROLLBARS) : 0UL),
      m_imageSize(0, 0),
      m_unitType(QvPixelUnit),
      m_resolutionX(72),
      m_resolutionY(72),
      m_zoomNum(1),
      m_zoomDen(1),
      m_createCallback(nullptr) {}

QvRootView::~QvRootView() = default;

void QvRootView::SetImageSize(QvSize size, bool stopAtFarEdge) {
  m_imageSize = size;
  if (stopAtFarEdge)
    m_viewStyle |= QVVIEW_STOP_AT_FAR_EDGE;
  else
    m_viewStyle &= ~static_cast<unsigned long>(QVVIEW_STOP_AT_FAR_EDGE);
}

namespace {
UlmLogger s_log("QvRootView");

// An increment of image units that keeps its length on screen from zoom a/b to zoom n/d.
unsigned long ConvertedIncrement(unsigned long increment, long a, long b, long n, long d) {
  const unsigned long long kept = static_cast<unsigned long long>(increment) * static_cast<unsigned long long>(a) /
                                  static_cast<unsigned long long>(b);
  return static_cast<unsigned long>(kept * static_cast<unsigned long long>(d) / static_cast<unsigned long long>(n));
}

// n/d compared with (num/den) * (ratioNum/ratioDen), cross-multiplied in floating point so
// that no term is truncated: negative below, 0 equal, positive above.
int CompareWithScaled(long n, long d, long num, long den, int ratioNum, int ratioDen) {
  const double left = static_cast<double>(n) * static_cast<double>(den) * ratioDen;
  const double right = static_cast<double>(num) * static_cast<double>(d) * ratioNum;
  return left < right ? -1 : left > right ? 1 : 0;
}

// The move along one axis that brings p (seen from scroll position `scroll` through a view
// `extent` wide) into view, with the margin beyond it; 0 when it is already in view.
long AxisMove(long p, long scroll, long extent, long margin) {
  const long e = p - scroll;
  if (e < 0) return e - margin;
  const long beyond = e - extent;
  return beyond > 0 ? margin + beyond : 0;
}
}  // namespace

void QvRootView::SetZoomFactor(long num, long den) {
  if (num <= 0 || den <= 0) {
    UI_TRACE_REFUSED(s_log, "zoom terms that are not both positive");
    return;
  }
  const long oldNum = m_zoomNum, oldDen = m_zoomDen;
  const QvSize size = m_imageSize;
  const unsigned long h = GetHScroll(), v = GetVScroll();
  const unsigned long hIncrement = GetHScrollIncrement(), vIncrement = GetVScrollIncrement();
  m_zoomNum = num;
  m_zoomDen = den;
  SetHScrollIncrement(ConvertedIncrement(hIncrement, oldNum, oldDen, num, den));
  SetVScrollIncrement(ConvertedIncrement(vIncrement, oldNum, oldDen, num, den));
  SetImageSize(size, (m_viewStyle & QVVIEW_STOP_AT_FAR_EDGE) != 0);
  SetHScroll(h);
  SetVScroll(v);
  QvInvalAll(true);
}

void QvRootView::onMouseZooming(const QvPoint&, bool up) {
  const long num = m_zoomNum, den = m_zoomDen;
  if (num <= 0 || den <= 0) return;
  long n = num, d = den;
  if (up) {
    // To the first fraction at or above 6/5 of the present one.
    while (CompareWithScaled(n, d, num, den, 6, 5) < 0) {
      if (d > n)
        --d;
      else
        ++n;
    }
  } else {
    // To the first fraction at or below 4/5 of the present one.
    while (CompareWithScaled(n, d, num, den, 4, 5) > 0) {
      if (n > d)
        --n;
      else
        ++d;
    }
  }
  SetZoomFactor(n, d);
}

void QvRootView::ScrollTo(const QvPoint& point, const QvSize& margin, bool bringIntoView, bool) {
  if (!bringIntoView) return;
  QvRect view;
  GetViewRect(view);
  const QvSize delta(AxisMove(point.x, static_cast<long>(GetHScroll()), view.right - view.left, margin.cx),
                     AxisMove(point.y, static_cast<long>(GetVScroll()), view.bottom - view.top, margin.cy));
  if (delta.cx != 0 || delta.cy != 0) ScrollBy(delta, true);
}
