// The abstract portable drawing view: its state and the scrolling that brings a point into view.
#include "QvRootView.h"

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
// The move along one axis that brings p (seen from scroll position `scroll` through a view
// `extent` wide) into view, with the margin beyond it; 0 when it is already in view.
long AxisMove(long p, long scroll, long extent, long margin) {
  const long e = p - scroll;
  if (e < 0) return e - margin;
  const long beyond = e - extent;
  return beyond > 0 ? margin + beyond : 0;
}
}  // namespace

void QvRootView::ScrollTo(const QvPoint& point, const QvSize& margin, bool bringIntoView, bool) {
  if (!bringIntoView) return;
  QvRect view;
  GetViewRect(view);
  const QvSize delta(AxisMove(point.x, static_cast<long>(GetHScroll()), view.right - view.left, margin.cx),
                     AxisMove(point.y, static_cast<long>(GetVScroll()), view.bottom - view.top, margin.cy));
  if (delta.cx != 0 || delta.cy != 0) ScrollBy(delta, true);
}
