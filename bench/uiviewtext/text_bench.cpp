// Report text through the drawing view against DrawTextW with DT_WORDBREAK, on the same DIB
// section and in the same font, in one run: 1,000 paragraphs laid out (broken into lines) and
// drawn, each in a column of the page. Then the view's line breaking of 100 KB of Japanese
// text with the Far-East rules on and off, beside DrawTextW measuring the same text. The run
// ends with the ratios.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QvOriginInfo.h>
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

// About 100 KB of Japanese text (UTF-16): kana and kanji with the punctuation and brackets
// the rules keep to either side of a break, in paragraphs of a few hundred characters.
const std::wstring& JapaneseText() {
  static const std::wstring text = [] {
    const wchar_t* pieces[] = {L"\x65E5\x672C\x8A9E", L"\x306E", L"\x6587\x7AE0", L"\x3092", L"\x6539\x884C",
                               L"\x3057\x307E\x3059", L"\x3001", L"\x3002", L"\x300C", L"\x300D", L"\xFF08",
                               L"\xFF09", L"\x30C6\x30AD\x30B9\x30C8", L"\x3063", L"\x30FC", L"\x898B\x51FA\x3057"};
    std::mt19937 rng(11);
    std::wstring s;
    while (s.size() * sizeof(wchar_t) < 100 * 1024) {
      s += pieces[rng() % (sizeof(pieces) / sizeof(pieces[0]))];
      if (rng() % 300 == 0) s += L'\n';
    }
    return s;
  }();
  return text;
}

// Lays the Japanese text out in a 240-pixel column with the rules of the UI language "ja" on
// or off (the double-byte switch), the process's language put back afterwards.
void JapaneseLines(benchmark::State& state, unsigned char rules) {
  Dib dib(kWidth, kHeight);
  TestDrawView view;
  if (!dib.valid() || !view.PrepareNewDCForDrawing(dib.dc(), false)) {
    state.SkipWithError("no DIB");
    return;
  }
  const CQvOriginInfo saved = gOrgInfo;
  gOrgInfo.DoQvChangeLang("ja");
  gOrgInfo.SetOrgDBCS(rules);
  UIFont font;
  font.size = 9;
  font.face = L"Arial";
  view.QvSetFont(font);
  const std::wstring& text = JapaneseText();
  long lines = 0;
  for (auto _ : state) {
    TextLineInfoArray laid;
    view.CallCalcTextLines(text.c_str(), QvSize(kColumn, 0x7FFFFFFF), true, laid);
    lines = laid.GetSize();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
  view.UnprepareCurrentDC();
  gOrgInfo = saved;
}
BENCHMARK_CAPTURE(JapaneseLines, on, 1)->Name("uiviewtext/JapaneseLines/RulesOn")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(JapaneseLines, off, 0)->Name("uiviewtext/JapaneseLines/RulesOff")->Unit(benchmark::kMillisecond);

void BM_JapaneseDrawTextCalc(benchmark::State& state) {
  Dib dib(kWidth, kHeight);
  HFONT font = CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, CLIP_LH_ANGLES, 0, 0, L"Arial");
  HGDIOBJ old = SelectObject(dib.dc(), font);
  const std::wstring& text = JapaneseText();
  for (auto _ : state) {
    RECT r = {0, 0, kColumn, 0};
    DrawTextW(dib.dc(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXTERNALLEADING);
    benchmark::DoNotOptimize(r);
  }
  SelectObject(dib.dc(), old);
  DeleteObject(font);
}
BENCHMARK(BM_JapaneseDrawTextCalc)->Name("uiviewtext/JapaneseLines/DrawTextW")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string view = "uiviewtext/Paragraphs/View", raw = "uiviewtext/Paragraphs/DrawTextW";
  if (reporter.Has(view, raw)) printf("Paragraphs: view / DrawTextW = %.2fx\n", reporter.Ratio(view, raw));
  const std::string on = "uiviewtext/JapaneseLines/RulesOn", off = "uiviewtext/JapaneseLines/RulesOff",
                    calc = "uiviewtext/JapaneseLines/DrawTextW";
  if (reporter.Has(on, off)) printf("Japanese lines: rules on / off = %.2fx\n", reporter.Ratio(on, off));
  if (reporter.Has(on, calc)) printf("Japanese lines: rules on / DrawTextW = %.2fx\n", reporter.Ratio(on, calc));
  benchmark::Shutdown();
  return 0;
}
