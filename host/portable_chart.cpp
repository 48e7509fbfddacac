#include "portable_chart.h"

#include <GUIView.h>
#include <QvView.h>

#include <stdio.h>

namespace host {
namespace {

QvColor Colour(int r, int g, int b) {
  return QvColor(static_cast<unsigned short>(r << 8), static_cast<unsigned short>(g << 8),
                 static_cast<unsigned short>(b << 8));
}

// Quarterly sales by region, drawn in image pixels.
class ChartView : public QvView {
 public:
  ChartView() : QvView(nullptr, true) {}

  void Draw(const QvRect&) override {
    QvBeginUse();
    DrawPortableChart(*this, 1, true);
  }
};

}  // namespace

void DrawPortableChart(QvView& v, long u, bool patterns) {
  static const char* const kQuarters[] = {"Q1", "Q2", "Q3", "Q4"};
  static const int kNorth[] = {42, 55, 61, 78};
  static const int kSouth[] = {30, 38, 52, 49};
  auto R = [u](long l, long t, long r, long b) { return QvRect(l * u, t * u, r * u, b * u); };
  auto P = [u](long x, long y) { return QvPoint(x * u, y * u); };
  v.QvSetFont(QvFont("Arial", 11, QVFONT_BOLD));
  v.QvDrawTextInRect("Sales by quarter", R(10, 6, 330, 26), QvAlignTop, QvAlignHCenter, false, 0);
  v.QvSetFont(QvFont("Arial", 8, 0));
  // Axes and grid.
  const int left = 40, bottom = 200, top = 40, right = 320;
  v.QvSetPenForeColor(Colour(200, 200, 200));
  if (patterns) v.QvSetDashLine(QvShortDashLine);
  for (int value = 20; value <= 80; value += 20) {
    const int y = bottom - value * 2;
    v.QvDrawLine(P(left, y), P(right, y));
    char label[8];
    snprintf(label, sizeof label, "%d", value);
    v.QvSetPenForeColor(Colour(60, 60, 60));
    v.QvDrawTextInRect(label, R(4, y - 7, left - 4, y + 7), QvAlignVCenter, QvAlignRight, false, 0);
    v.QvSetPenForeColor(Colour(200, 200, 200));
  }
  v.QvSetDashLine(QvSolidLine);
  v.QvSetPenForeColor(Colour(0, 0, 0));
  v.QvSetLineWidth(static_cast<unsigned short>(2 * u));
  v.QvDrawLine(P(left, top), P(left, bottom));
  v.QvDrawLine(P(left, bottom), P(right, bottom));
  v.QvSetLineWidth(static_cast<unsigned short>(u));
  // Bars: north solid, south hatched.
  for (int q = 0; q < 4; ++q) {
    const int x = left + 14 + q * 68;
    v.QvSetFillForeColor(Colour(48, 110, 200));
    v.QvSetFillPattern(QvSolidPattern);
    v.QvDrawRect(R(x, bottom - kNorth[q] * 2, x + 24, bottom), true, true);
    v.QvSetFillForeColor(Colour(230, 120, 40));
    v.QvSetFillBackColor(Colour(255, 240, 220));
    v.QvSetFillPattern(patterns ? static_cast<QvGUIPattern>(12) : QvSolidPattern);
    v.QvDrawRect(R(x + 26, bottom - kSouth[q] * 2, x + 50, bottom), true, true);
    v.QvSetPenForeColor(Colour(0, 0, 0));
    v.QvDrawTextInRect(kQuarters[q], R(x, bottom + 4, x + 50, bottom + 20), QvAlignTop, QvAlignHCenter, false, 0);
  }
  // Share of the year: a pie of two sectors and its legend.
  v.QvSetFillPattern(QvSolidPattern);
  v.QvSetFillForeColor(Colour(48, 110, 200));
  v.QvDrawSector(R(350, 50, 470, 170), 90, 205, true, true);
  v.QvSetFillForeColor(Colour(230, 120, 40));
  v.QvDrawSector(R(350, 50, 470, 170), 295, 155, true, true);
  v.QvDrawTextInRect("Share of the year", R(340, 176, 480, 192), QvAlignTop, QvAlignHCenter, false, 0);
  v.QvSetFillForeColor(Colour(48, 110, 200));
  v.QvDrawOval(R(350, 204, 362, 216), true, true);
  v.QvDrawTextInRect("North", R(366, 203, 420, 219), QvAlignVCenter, QvAlignLeft, false, 0);
  v.QvSetFillForeColor(Colour(230, 120, 40));
  v.QvDrawOval(R(420, 204, 432, 216), true, true);
  v.QvDrawTextInRect("South", R(436, 203, 490, 219), QvAlignVCenter, QvAlignLeft, false, 0);
  v.QvDraw3DRect(R(2, 230, 496, 234), false);
}

HWND CreatePortableChartWindow(HWND owner, RECT rect) {
  HWND frame = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Portable chart", WS_POPUP | WS_CAPTION | WS_BORDER,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, NULL, NULL,
                               NULL);
  if (frame == NULL) return NULL;
  RECT client;
  GetClientRect(frame, &client);
  ChartView* chart = new ChartView;
  CGUIView* view = new CGUIView;
  if (!view->Create(chart, WS_CHILD | WS_VISIBLE, client, CWnd::FromHandle(frame), 1)) {
    delete view;
    delete chart;
    DestroyWindow(frame);
    return NULL;
  }
  chart->SetImageSize(QvSize(client.right, client.bottom), false);
  return frame;
}

}  // namespace host
