// Measuring and breaking a message for the message dialog against DrawTextW(DT_CALCRECT |
// DT_WORDBREAK) at the same width (500 pixels) in the same font, on messages of 25, 50 and
// 100 KB of words in one paragraph. The run ends with the ratio at 100 KB.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <MFCMsgDialog.h>
#include <UIUtilities.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

const int kLimit = 500;

std::wstring Message(size_t size) {
  const wchar_t* words[] = {L"the", L"file", L"could", L"not", L"be", L"saved", L"because", L"the", L"folder",
                            L"C:\\Reports\\Quarterly\\Northern", L"is", L"read-only", L"for", L"this", L"user"};
  std::mt19937 rng(11);
  std::wstring text;
  while (text.size() < size) {
    if (!text.empty()) text += L' ';
    text += words[rng() % (sizeof(words) / sizeof(words[0]))];
  }
  return text;
}

struct FontDC {
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, UIGetDefaultGUIFont());
  ~FontDC() {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
};

void BM_Measure(benchmark::State& state) {
  FontDC f;
  const std::wstring message = Message(static_cast<size_t>(state.range(0)) * 1024);
  for (auto _ : state) {
    std::wstring text = message;
    SIZE size = MeasureAndBreakMessage(f.dc, text, kLimit);
    benchmark::DoNotOptimize(size);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(message.size()));
}
BENCHMARK(BM_Measure)->Name("msgdialog/Message/Measure")->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_DrawText(benchmark::State& state) {
  FontDC f;
  const std::wstring message = Message(static_cast<size_t>(state.range(0)) * 1024);
  for (auto _ : state) {
    RECT r = {0, 0, kLimit, 0};
    DrawTextW(f.dc, message.c_str(), static_cast<int>(message.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(message.size()));
}
BENCHMARK(BM_DrawText)->Name("msgdialog/Message/DrawTextW")->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string ours = "msgdialog/Message/Measure/100", raw = "msgdialog/Message/DrawTextW/100";
  if (reporter.Has(ours, raw)) printf("100 KB message: measure / DrawTextW = %.2fx\n", reporter.Ratio(ours, raw));
  benchmark::Shutdown();
  return 0;
}
