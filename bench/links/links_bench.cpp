// Finding the links of a 1 MB text full of '<' and '>' (comparisons, markup, half-made
// anchors, a few addresses and anchors), against one pass of wcschr over the same text that
// counts its '<' characters, in one run. The run ends with the ratio.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UILinks.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

namespace {

const std::wstring& Text() {
  static const std::wstring text = [] {
    const wchar_t* pieces[] = {L"if a < b and c > d then ", L"<b>bold</b> ", L"see www.example.com ",
                               L"<a href=\"http://x.y/z\">cap</a> ", L"x <= y >= z ", L"<a href=\"broken ",
                               L"mail to ann@example.org ", L"1<2<3>2>1 "};
    std::wstring t;
    for (size_t i = 0; t.size() * sizeof(wchar_t) < (1u << 20); ++i) t += pieces[i % (sizeof pieces / sizeof pieces[0])];
    return t;
  }();
  return text;
}

void BM_LocateLinks(benchmark::State& state) {
  const std::wstring& text = Text();
  for (auto _ : state) {
    CArrayLinkDefs links;
    int length = static_cast<int>(text.size());
    links.LocateLinksInString(text.c_str(), length);
    benchmark::DoNotOptimize(links.GetSize());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(wchar_t)));
}
BENCHMARK(BM_LocateLinks)->Name("links/LocateLinks")->Unit(benchmark::kMillisecond);

void BM_Wcschr(benchmark::State& state) {
  const std::wstring& text = Text();
  for (auto _ : state) {
    int count = 0;
    for (const wchar_t* p = std::wcschr(text.c_str(), L'<'); p != nullptr; p = std::wcschr(p + 1, L'<')) ++count;
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(wchar_t)));
}
BENCHMARK(BM_Wcschr)->Name("links/Wcschr")->Unit(benchmark::kMillisecond);


}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("links/LocateLinks", "links/Wcschr"))
    printf("links in 1 MB: LocateLinksInString / one wcschr pass = %.2fx\n",
           reporter.Ratio("links/LocateLinks", "links/Wcschr"));
  benchmark::Shutdown();
  return 0;
}
