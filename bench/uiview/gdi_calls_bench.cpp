// What single GDI calls cost on a 32-bit DIB section: state calls (GdiFlush, colours,
// selection) and PatBlt with a solid brush against a monochrome 8 x 8 pattern brush, the
// prices a drawing path pays per shape for each of them.
#include <benchmark/benchmark.h>

#include "bench_surface.h"

namespace {

void BM_Call_GdiFlush(benchmark::State& state) {
  for (auto _ : state) GdiFlush();
}
BENCHMARK(BM_Call_GdiFlush)->Name("uiview/Call/GdiFlush");

void BM_Call_SetTextColor(benchmark::State& state) {
  Dib s(1024, 768);
  COLORREF c = 0;
  for (auto _ : state) SetTextColor(s.dc(), c ^= 0xFF);
}
BENCHMARK(BM_Call_SetTextColor)->Name("uiview/Call/SetTextColor");

void BM_Call_GetCurrentObject(benchmark::State& state) {
  Dib s(1024, 768);
  for (auto _ : state) benchmark::DoNotOptimize(GetCurrentObject(s.dc(), OBJ_BRUSH));
}
BENCHMARK(BM_Call_GetCurrentObject)->Name("uiview/Call/GetCurrentObject");

void BM_Call_SelectSelectedBrush(benchmark::State& state) {
  Dib s(1024, 768);
  HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
  SelectObject(s.dc(), brush);
  for (auto _ : state) SelectObject(s.dc(), brush);
}
BENCHMARK(BM_Call_SelectSelectedBrush)->Name("uiview/Call/SelectSelectedBrush");

// PatBlt of a w x h rectangle (the arguments) with the brush; with `recolour` the DC's text
// colour changes before each call, as the view switches between pen and fill colours.
void PatBltWith(benchmark::State& state, HBRUSH brush, bool recolour) {
  Dib s(1024, 768);
  SelectObject(s.dc(), brush);
  COLORREF c = RGB(0x30, 0x80, 0xC0);
  SetTextColor(s.dc(), c);
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  for (auto _ : state) {
    if (recolour) SetTextColor(s.dc(), c ^= 0xFF);
    PatBlt(s.dc(), 100, 100, w, h, PATCOPY);
  }
  SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
}

void BM_PatBlt_SolidBrush(benchmark::State& state) {
  HBRUSH brush = CreateSolidBrush(RGB(0x30, 0x80, 0xC0));
  PatBltWith(state, brush, false);
  DeleteObject(brush);
}
BENCHMARK(BM_PatBlt_SolidBrush)->Name("uiview/PatBlt/SolidBrush")->Args({1, 20})->Args({40, 1})->Args({40, 20});

void BM_PatBlt_PatternBrush(benchmark::State& state) {
  MonoPatternBrush brush;
  PatBltWith(state, brush.get(), false);
}
BENCHMARK(BM_PatBlt_PatternBrush)->Name("uiview/PatBlt/PatternBrush")->Args({1, 20})->Args({40, 1})->Args({40, 20});

void BM_PatBlt_PatternBrushNewColours(benchmark::State& state) {
  MonoPatternBrush brush;
  PatBltWith(state, brush.get(), true);
}
BENCHMARK(BM_PatBlt_PatternBrushNewColours)->Name("uiview/PatBlt/PatternBrushNewColours")->Args({40, 20});

}  // namespace
