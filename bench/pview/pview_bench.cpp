// The portable view against plain GDI on the same 32-bit DIB section, in one run: 100,000
// framed and filled rectangles given to the view in twips at 96 dpi (every coordinate goes
// through the conversions), and drawn straight with Rectangle and the same pen and brush.
// The run ends with the ratio.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <GUIView.h>
#include <QvView.h>

#include "../uiview/bench_surface.h"

#include <cstdio>
#include <random>
#include <vector>

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const int kTwipsPerPixel = 15;
const int kShapes = 100000;
const COLORREF kFill = RGB(0x30, 0x80, 0xC0);

struct Shape {
  RECT px;
  QvRect image;
};

const std::vector<Shape>& Rectangles() {
  static const std::vector<Shape> shapes = [] {
    std::vector<Shape> v(kShapes);
    std::mt19937 rng(11);
    for (Shape& s : v) {
      const int w = 6 + static_cast<int>(rng() % 75), h = 6 + static_cast<int>(rng() % 25);
      const int x = static_cast<int>(rng() % (kWidth - w)), y = static_cast<int>(rng() % (kHeight - h));
      s.px = RECT{x, y, x + w, y + h};
      s.image = QvRect(x * kTwipsPerPixel, y * kTwipsPerPixel, (x + w) * kTwipsPerPixel, (y + h) * kTwipsPerPixel);
    }
    return v;
  }();
  return shapes;
}

void BM_Rects_PortableView(benchmark::State& state) {
  Dib dib(kWidth, kHeight);
  CGUIView view;
  if (!dib.valid() || !view.PrepareNewDCForDrawing(dib.dc())) {
    state.SkipWithError("no surface");
    return;
  }
  view.SetUnitType(QvTwipsUnit);
  view.QvSetFillForeColor(QvColor(0x3000, 0x8000, 0xC000));
  const std::vector<Shape>& shapes = Rectangles();
  for (auto _ : state) {
    for (const Shape& s : shapes) view.QvDrawRect(s.image, true, true);
    GdiFlush();
  }
  view.UnprepareCurrentDC();
}

void BM_Rects_Raw(benchmark::State& state) {
  Dib dib(kWidth, kHeight);
  if (!dib.valid()) {
    state.SkipWithError("no surface");
    return;
  }
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH brush = CreateSolidBrush(kFill);
  HGDIOBJ oldPen = SelectObject(dib.dc(), pen), oldBrush = SelectObject(dib.dc(), brush);
  const std::vector<Shape>& shapes = Rectangles();
  for (auto _ : state) {
    for (const Shape& s : shapes) Rectangle(dib.dc(), s.px.left, s.px.top, s.px.right, s.px.bottom);
    GdiFlush();
  }
  SelectObject(dib.dc(), oldPen);
  SelectObject(dib.dc(), oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

BENCHMARK(BM_Rects_PortableView)->Name("pview/Rects/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rects_Raw)->Name("pview/Rects/Raw")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("pview/Rects/View", "pview/Rects/Raw"))
    printf("Rects: portable view / raw GDI = %.2fx (%.0f ns against %.0f ns of CPU a rectangle)\n",
           reporter.Ratio("pview/Rects/View", "pview/Rects/Raw"), reporter.times["pview/Rects/View"] / kShapes,
           reporter.times["pview/Rects/Raw"] / kShapes);
  benchmark::Shutdown();
  return 0;
}
