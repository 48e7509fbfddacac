// Report text through the drawing view against DrawTextW with DT_WORDBREAK, on the same DIB
// section and in the same font, in one run: 1,000 paragraphs laid out (broken into lines) and
// drawn, each in a column of the page. The run ends with the ratio.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UIView.h>

#include "../../tests/support/test_view.h"
#include "../uiview/bench_surface.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const int kParagraphs = 1000;
const int kColumn = 240;

const std::vector<std::wstring>& Paragraphs() {
  static const std::vector<std::wstring> paragraphs = [] {
    const wchar_t* words[] = {L"revenue", L"rose", L"in", L"the", L"northern", L"region", L"while", L"costs",
                              L"fell", L"by", L"four", L"percent", L"against", L"last", L"quarter", L"and",
                              L"margins", L"improved", L"across", L"every", L"product", L"line"};
    std::mt19937 rng(7);
    std::vector<std::wstring> v;
    for (int p = 0; p < kParagraphs; ++p) {
      std::wstring text;
      const int n = 20 + static_cast<int>(rng() % 40);
      for (int w = 0; w < n; ++w) {
        if (w) text += L' ';
        text += words[rng() % (sizeof(words) / sizeof(words[0]))];
      }
      text += L'.';
      v.push_back(text);
    }
    return v;
  }();
  return paragraphs;
}

RECT Cell(int i) {
  const int columns = kWidth / kColumn;
  const int x = (i % columns) * kColumn, y = (i / columns * 37) % (kHeight - 120);
  return RECT{x, y, x + kColumn - 8, y + 120};
}

void BM_View(benchmark::State& state) {
  Dib dib(kWidth, kHeight);
  TestDrawView view;
  if (!dib.valid() || !view.PrepareNewDCForDrawing(dib.dc(), false)) {
    state.SkipWithError("no DIB");
    return;
  }
  UIFont font;
  font.size = 9;
  font.face = L"Arial";
  view.QvSetFont(font);
  const auto& paragraphs = Paragraphs();
  for (auto _ : state) {
    for (int i = 0; i < kParagraphs; ++i)
      view.QvDrawTextInRect(paragraphs[i].c_str(), static_cast<int>(paragraphs[i].size()), Cell(i), QvAlignTop,
                            QvAlignLeft, 1, 0);
    GdiFlush();
  }
  view.UnprepareCurrentDC();
}
BENCHMARK(BM_View)->Name("uiviewtext/Paragraphs/View")->Unit(benchmark::kMillisecond);

void BM_DrawText(benchmark::State& state) {
  Dib dib(kWidth, kHeight);
  HFONT font = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, CLIP_LH_ANGLES, 0, 0, L"Arial");
  HGDIOBJ old = SelectObject(dib.dc(), font);
  SetBkMode(dib.dc(), TRANSPARENT);
  const auto& paragraphs = Paragraphs();
  for (auto _ : state) {
    for (int i = 0; i < kParagraphs; ++i) {
      RECT r = Cell(i);
      DrawTextW(dib.dc(), paragraphs[i].c_str(), static_cast<int>(paragraphs[i].size()), &r,
                DT_WORDBREAK | DT_NOPREFIX | DT_EXTERNALLEADING);
    }
    GdiFlush();
  }
  SelectObject(dib.dc(), old);
  DeleteObject(font);
}
BENCHMARK(BM_DrawText)->Name("uiviewtext/Paragraphs/DrawTextW")->Unit(benchmark::kMillisecond);


}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string view = "uiviewtext/Paragraphs/View", raw = "uiviewtext/Paragraphs/DrawTextW";
  if (reporter.Has(view, raw)) printf("Paragraphs: view / DrawTextW = %.2fx\n", reporter.Ratio(view, raw));
  benchmark::Shutdown();
  return 0;
}
