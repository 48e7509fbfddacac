// The drawing primitives of the GDI view. Every primitive takes image coordinates; nothing is
// drawn without a prepared DC or for a rectangle outside the culling rectangle.
#include "FrameEdges.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <math.h>
#include <stdlib.h>

#include <memory>
#include <utility>

namespace {

const double kRadiansPerDegree = 0.01745329277778;

POINT PointOnEllipse(POINT centre, int rx, int ry, int degrees) {
  const double a = degrees * kRadiansPerDegree;
  return POINT{centre.x + RoundToNearestInt(cos(a) * rx), centre.y - RoundToNearestInt(sin(a) * ry)};
}

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

}  // namespace

void CMFCUIView::QvMoveTo(POINT p) {
  if (m_hDC == NULL) return;
  QvImageToClientPoint(p);
  MoveToEx(m_hDC, p.x, p.y, NULL);
}

void CMFCUIView::QvDrawLine(POINT a, POINT b) {
  if (m_hDC == NULL) return;
  QvImageToClientPoint(a);
  QvImageToClientPoint(b);
  const int w = m_penWidth;
  const bool slanted = a.x != b.x && a.y != b.y;
  // Slanted lines, and thin solid lines printed or previewed in twips, are drawn with the pen
  // (a pen line keeps at least one pixel when the previewed page is scaled down).
  const bool thinPrintedLine = m_dash == QvSolidLine && (m_flags & UIVIEW_TWIPS) && (m_flags & UIVIEW_PRINT_FLAGS) &&
                               m_lineWidth <= 20;
  if (!slanted && !thinPrintedLine) {
    // Straight lines are pattern blits: the dash patterns need no pen, and the end point is
    // left out.
    if (a.x == b.x) {
      PrepareBrushForLine(true);
      PatBlt(m_hDC, a.x - w / 2, a.y < b.y ? a.y : b.y, w, abs(b.y - a.y), m_patternRop);
    } else {
      PrepareBrushForLine(false);
      PatBlt(m_hDC, a.x < b.x ? a.x : b.x, a.y - w / 2, abs(b.x - a.x), w, m_patternRop);
    }
    return;
  }
  PreparePenNullOrDash(false);
  if (!slanted) PullInLineEnds(a, b, w);
  MoveToEx(m_hDC, a.x, a.y, NULL);
  LineTo(m_hDC, b.x, b.y);
}

void CMFCUIView::QvDrawRect(RECT const& r, int frame, int fill) {
  RECT c;
  if (m_hDC != NULL && ImageToClientRect(r, c)) {
    const int w = m_penWidth;
    const int h = c.bottom - c.top;
    if (frame) {
      // The frame stays inside the rectangle; one the edges fill has no inside to fill.
      const FrameEdges e = FrameEdgesInside(w, c.right - c.left, h);
      const int left = e.left, right = e.right, top = e.top, bottom = e.bottom;
      const int innerWidth = e.innerWidth, innerHeight = e.innerHeight;
      PrepareBrushForLine(true);
      if (left > 0 && h > 0) PatBlt(m_hDC, c.left, c.top, left, h, m_patternRop);
      if (right > 0 && h > 0) PatBlt(m_hDC, c.right - right, c.top, right, h, m_patternRop);
      PrepareBrushForLine(false);
      if (innerWidth > 0 && top > 0) PatBlt(m_hDC, c.left + left, c.top, innerWidth, top, m_patternRop);
      if (innerWidth > 0 && bottom > 0)
        PatBlt(m_hDC, c.left + left, c.bottom - bottom, innerWidth, bottom, m_patternRop);
      if (fill && innerWidth > 0 && innerHeight > 0) {
        PrepareBrushForFill(false);
        PatBlt(m_hDC, c.left + left, c.top + top, innerWidth, innerHeight, m_patternRop);
      }
    } else if (fill) {
      PrepareBrushForFill(false);
      // Some printer drivers paint a null brush black.
      const bool nullBrush = GetCurrentObject(m_hDC, OBJ_BRUSH) == GetStockObject(NULL_BRUSH);
      if (!((m_flags & UIVIEW_PRINTING) && m_patternRop == PATCOPY && nullBrush))
        PatBlt(m_hDC, c.left, c.top, c.right - c.left, h, m_patternRop);
    }
  }
}

void CMFCUIView::QvDraw3DRect(RECT const& r, int style) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  DrawEdge(m_hDC, &c, style == 1 ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
}

void CMFCUIView::QvDrawSelectionRect(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  const int pattern = m_fillPattern;
  m_fillPattern = 3;  // the checker
  PrepareBrushForFill(false);
  m_fillPattern = pattern;
  const int width = c.right - c.left, h = c.bottom - c.top;
  if (width <= 0 || h <= 0) return;
  // Every pixel of the outline is drawn once, and none outside the rectangle: an exclusive
  // draw mode would take back a pixel drawn twice.
  PatBlt(m_hDC, c.left, c.top, 1, h, m_patternRop);
  if (width > 1) PatBlt(m_hDC, c.right - 1, c.top, 1, h, m_patternRop);
  if (width > 2) {
    PatBlt(m_hDC, c.left + 1, c.top, width - 2, 1, m_patternRop);
    if (h > 1) PatBlt(m_hDC, c.left + 1, c.bottom - 1, width - 2, 1, m_patternRop);
  }
}

void CMFCUIView::QvEraseRect(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  FillRect(m_hDC, &c, GetSysColorBrush(COLOR_WINDOW));
}

void CMFCUIView::QvInvertRectForSelection(RECT const& r) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  InvertRect(m_hDC, &c);
}

void CMFCUIView::QvDrawOval(RECT const& r, int frame, int fill) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  if (fill) {
    // A solid pen draws the frame with the fill in one go.
    const bool together = frame && (m_flags & UIVIEW_SOLID_PEN);
    PreparePenNullOrDash(!together);
    PrepareBrushForFill(false);
    Ellipse(m_hDC, c.left, c.top, c.right, c.bottom);
    if (together) frame = 0;
  }
  if (frame) {
    PreparePenNullOrDash(false);
    PrepareBrushForFill(true);
    Ellipse(m_hDC, c.left, c.top, c.right, c.bottom);
  }
}

void CMFCUIView::QvDrawSector(RECT const& r, short start, short sweep, int frame, int fill) {
  DrawArcOrPie(false, r, start, sweep, frame, fill);
}

void CMFCUIView::QvDrawArc(RECT const& r, short start, short sweep) { DrawArcOrPie(true, r, start, sweep, 1, 0); }

void CMFCUIView::PrepareShapeFillBrush() {
  if (m_fillPattern >= 0 && m_fillPattern < 2 && m_fillFore == m_fillBack) {
    HBRUSH brush = SolidBrush(false, SetColor(m_fillBack));
    if (brush != NULL) SelectObject(m_hDC, brush);
  } else {
    PrepareBrushForFill(false);
  }
}

void CMFCUIView::DrawArcOrPie(bool arc, RECT r, short start, short sweep, int frame, int fill) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  const int rx = (c.right - c.left) >> 1, ry = (c.bottom - c.top) >> 1;
  if (rx == 0 || ry == 0) return;
  const POINT centre = {c.left + rx, c.top + ry};
  POINT from = PointOnEllipse(centre, rx, ry, start);
  int end = start + sweep;
  POINT to = PointOnEllipse(centre, rx, ry, end);
  // GDI draws the whole ellipse for equal end points: right for a whole turn, but a shorter
  // sweep (0, or too small to move the point) grows in its own direction until the points part.
  const bool wholeTurn = sweep != 0 && sweep % 360 == 0;
  const int step = sweep < 0 ? -1 : 1;
  for (int grown = 0; !wholeTurn && SamePoint(to, from) && grown < 360; ++grown)
    to = PointOnEllipse(centre, rx, ry, end += step);
  // GDI always runs counter-clockwise from the first point to the second: a clockwise
  // (negative) sweep is the counter-clockwise one from its end back to its start.
  if (sweep < 0) std::swap(from, to);

  if (arc) {
    PreparePenNullOrDash(false);
    Arc(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    return;
  }
  if (fill) {
    const bool together = frame && (m_flags & UIVIEW_SOLID_PEN);
    PreparePenNullOrDash(!together);
    PrepareShapeFillBrush();
    Pie(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
    if (together) frame = 0;
  }
  if (frame) {
    PreparePenNullOrDash(false);
    PrepareBrushForFill(true);
    Pie(m_hDC, c.left, c.top, c.right, c.bottom, from.x, from.y, to.x, to.y);
  }
}

void CMFCUIView::QvDrawPoly(CArray<POINT, POINT> const& pts, int closed, int frame, int fill) {
  const INT_PTR n = pts.GetSize();
  if (m_hDC == NULL || n <= 0 || n > INT_MAX - 1) return;
  const int count = static_cast<int>(n) + (closed ? 1 : 0);
  POINT small[64];
  std::unique_ptr<POINT[]> large;
  POINT* client = small;
  if (count > 64) {
    large.reset(new POINT[count]);
    client = large.get();
  }
  const POINT* source = pts.GetData();
  for (int i = 0; i < n; ++i) {
    client[i] = source[i];
    QvImageToClientPoint(client[i]);
  }
  if (closed) client[n] = client[0];

  if (fill) {
    const bool together = frame && closed && (m_flags & UIVIEW_SOLID_PEN);
    PreparePenNullOrDash(!together);
    PrepareShapeFillBrush();
    const int mode = SetBkMode(m_hDC, OPAQUE);
    Polygon(m_hDC, client, count);
    SetBkMode(m_hDC, mode);
    if (together) frame = 0;
  }
  if (frame) {
    PreparePenNullOrDash(false);
    Polyline(m_hDC, client, count);
  }
}

void CMFCUIView::QvBlockMove(RECT const& r, long dx, long dy) {
  RECT c;
  if (m_hDC == NULL || !ImageToClientRect(r, c)) return;
  const int x = c.left + RoundToNearestInt(dx / m_factorX);
  const int y = c.top + RoundToNearestInt(dy / m_factorY);
  BitBlt(m_hDC, x, y, c.right - c.left, c.bottom - c.top, m_hDC, c.left, c.top, SRCCOPY);
}
