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
    static const char* const kQuarters[] = {"Q1", "Q2", "Q3", "Q4"};
    static const int kNorth[] = {42, 55, 61, 78};
    static const int kSouth[] = {30, 38, 52, 49};
    QvBeginUse();
    QvSetFont(QvFont("Arial", 11, QVFONT_BOLD));
    QvDrawTextInRect("Sales by quarter", QvRect(10, 6, 330, 26), QvAlignTop, QvAlignHCenter, false, 0);
    QvSetFont(QvFont("Arial", 8, 0));
    // Axes and grid.
    const int left = 40, bottom = 200, top = 40, right = 320;
    QvSetPenForeColor(Colour(200, 200, 200));
    QvSetDashLine(QvShortDashLine);
    for (int v = 20; v <= 80; v += 20) {
      const int y = bottom - v * 2;
      QvDrawLine(QvPoint(left, y), QvPoint(right, y));
      char label[8];
      snprintf(label, sizeof label, "%d", v);
      QvSetPenForeColor(Colour(60, 60, 60));
      QvDrawTextInRect(label, QvRect(4, y - 7, left - 4, y + 7), QvAlignVCenter, QvAlignRight, false, 0);
      QvSetPenForeColor(Colour(200, 200, 200));
    }
    QvSetDashLine(QvSolidLine);
    QvSetPenForeColor(Colour(0, 0, 0));
    QvSetLineWidth(2);
    QvDrawLine(QvPoint(left, top), QvPoint(left, bottom));
    QvDrawLine(QvPoint(left, bottom), QvPoint(right, bottom));
    QvSetLineWidth(1);
    // Bars: north solid, south hatched.
    for (int q = 0; q < 4; ++q) {
      const int x = left + 14 + q * 68;
      QvSetFillForeColor(Colour(48, 110, 200));
      QvSetFillPattern(QvSolidPattern);
      QvDrawRect(QvRect(x, bottom - kNorth[q] * 2, x + 24, bottom), true, true);
      QvSetFillForeColor(Colour(230, 120, 40));
      QvSetFillBackColor(Colour(255, 240, 220));
      QvSetFillPattern(static_cast<QvGUIPattern>(12));
      QvDrawRect(QvRect(x + 26, bottom - kSouth[q] * 2, x + 50, bottom), true, true);
      QvSetPenForeColor(Colour(0, 0, 0));
      QvDrawTextInRect(kQuarters[q], QvRect(x, bottom + 4, x + 50, bottom + 20), QvAlignTop, QvAlignHCenter, false, 0);
    }
    // Share of the year: a pie of two sectors and its legend.
    QvSetFillPattern(QvSolidPattern);
    QvSetFillForeColor(Colour(48, 110, 200));
    QvDrawSector(QvRect(350, 50, 470, 170), 90, 205, true, true);
    QvSetFillForeColor(Colour(230, 120, 40));
    QvDrawSector(QvRect(350, 50, 470, 170), 295, 155, true, true);
    QvDrawTextInRect("Share of the year", QvRect(340, 176, 480, 192), QvAlignTop, QvAlignHCenter, false, 0);
    QvSetFillForeColor(Colour(48, 110, 200));
    QvDrawOval(QvRect(350, 204, 362, 216), true, true);
    QvDrawTextInRect("North", QvRect(366, 203, 420, 219), QvAlignVCenter, QvAlignLeft, false, 0);
    QvSetFillForeColor(Colour(230, 120, 40));
    QvDrawOval(QvRect(420, 204, 432, 216), true, true);
    QvDrawTextInRect("South", QvRect(436, 203, 490, 219), QvAlignVCenter, QvAlignLeft, false, 0);
    QvDraw3DRect(QvRect(2, 230, 496, 234), false);
  }
};

}  // namespace

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
