// Layout of a frame with 20 docked bars in 4 rows on its sizable top side (RecalcLayout)
// against the same 20 bars placed by hand with one DeferWindowPos pass; then the same frame
// with 80 bars in 16 rows, which shows that the layout grows linearly with the bars.
#include <benchmark/benchmark.h>

#include <SizeDockBar.h>
#include <UISizeDockFrame.h>
#include <ratio_reporter.h>

#include <memory>
#include <stdio.h>
#include <vector>

namespace {

class Bar : public CControlBar {
 public:
  Bar() { m_dwStyle = CBRS_ALIGN_TOP; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(60, 22) : CSize(22, 60); }
};

struct Docked {
  CUIMDIFrameWndSizeDock* frame = new CUIMDIFrameWndSizeDock;
  std::vector<std::unique_ptr<Bar>> bars;
  explicit Docked(int rows) {
    frame->Create(NULL, _T("bench"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    CDockBar* top = DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    for (int r = 0; r < rows; ++r)
      for (int i = 0; i < 5; ++i) {
        bars.emplace_back(new Bar);
        Bar* bar = bars.back().get();
        bar->Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 22), frame,
                    0xE840 + static_cast<UINT>(bars.size()));
        // Five bars a row: the first opens a row, the others join it.
        if (i == 0) {
          frame->DockControlBarEx(bar, top, NULL);
        } else {
          top->m_arrBars.InsertAt(top->m_arrBars.GetSize() - 1, bar);
          bar->SetParent(top);
          bar->m_pDockBar = top;
        }
      }
    frame->RecalcLayout();
  }
  ~Docked() { frame->DestroyWindow(); }
};

void BM_RecalcLayout(benchmark::State& state) {
  Docked d(static_cast<int>(state.range(0)));
  for (auto _ : state) d.frame->RecalcLayout();
  state.counters["bars"] = static_cast<double>(d.bars.size());
}
BENCHMARK(BM_RecalcLayout)->Arg(4)->Arg(16)->Name("dock/RecalcLayout");

void BM_DeferWindowPos(benchmark::State& state) {
  Docked d(4);
  std::vector<HWND> windows;
  for (auto& bar : d.bars) windows.push_back(bar->m_hWnd);
  for (auto _ : state) {
    HDWP dwp = BeginDeferWindowPos(static_cast<int>(windows.size()));
    for (size_t i = 0; i < windows.size(); ++i) {
      const int row = static_cast<int>(i / 5), col = static_cast<int>(i % 5);
      dwp = DeferWindowPos(dwp, windows[i], NULL, col * 58 - 2, row * 20 - 2, 60, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(dwp);
  }
}
BENCHMARK(BM_DeferWindowPos)->Name("dock/DeferWindowPos");

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("dock/RecalcLayout/4", "dock/DeferWindowPos"))
    printf("20 bars in 4 rows: RecalcLayout / DeferWindowPos by hand = %.2fx\n",
           reporter.Ratio("dock/RecalcLayout/4", "dock/DeferWindowPos"));
  if (reporter.Has("dock/RecalcLayout/16", "dock/RecalcLayout/4"))
    printf("80 bars against 20: %.2fx (linear would be 4)\n",
           reporter.Ratio("dock/RecalcLayout/16", "dock/RecalcLayout/4"));
  benchmark::Shutdown();
  return 0;
}
