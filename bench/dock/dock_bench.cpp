// Layout of a frame with 20 docked bars in 4 rows on its sizable top side (RecalcLayout)
// against the same 20 bars placed by hand with one DeferWindowPos pass, in two cases:
//   Moving     every bar changes its width between two layouts, so each layout moves and
//              sizes the bars (the hand-placed reference moves them all too);
//   Unchanged  nothing changed since the last layout: the framework leaves bars already in
//              place, the reference checks each window's place the same way and moves none.
// The same frame with 80 bars in 16 rows shows that the layout grows linearly with the bars.
#include <benchmark/benchmark.h>

#include <SizeDockBar.h>
#include <UISizeDockFrame.h>
#include <ratio_reporter.h>

#include <memory>
#include <stdio.h>
#include <vector>

namespace {

// The bars' width beyond 60 pixels: the moving case switches it between 0 and 4.
int g_wider = 0;

class Bar : public CControlBar {
 public:
  Bar() { m_dwStyle = CBRS_ALIGN_TOP; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    return bHorz ? CSize(60 + g_wider, 22) : CSize(22, 60 + g_wider);
  }
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

void BM_RecalcLayout(benchmark::State& state, bool moving) {
  g_wider = 0;
  Docked d(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (moving) g_wider ^= 4;
    d.frame->RecalcLayout();
  }
  g_wider = 0;
  state.counters["bars"] = static_cast<double>(d.bars.size());
}
BENCHMARK_CAPTURE(BM_RecalcLayout, Moving, true)->Arg(4)->Arg(16)->Name("dock/RecalcLayout/Moving");
BENCHMARK_CAPTURE(BM_RecalcLayout, Unchanged, false)->Arg(4)->Arg(16)->Name("dock/RecalcLayout/Unchanged");

// The bars placed by hand, five a row, overlapping by their 2-pixel borders as the dock bar
// lays them out; with `skip`, a window already at its place is left alone.
void BM_DeferWindowPos(benchmark::State& state, bool moving) {
  g_wider = 0;
  Docked d(4);
  std::vector<HWND> windows;
  for (auto& bar : d.bars) windows.push_back(bar->m_hWnd);
  for (auto _ : state) {
    if (moving) g_wider ^= 4;
    const int width = 60 + g_wider;
    HDWP dwp = BeginDeferWindowPos(static_cast<int>(windows.size()));
    for (size_t i = 0; i < windows.size(); ++i) {
      const int row = static_cast<int>(i / 5), col = static_cast<int>(i % 5);
      RECT want = {col * (width - 2) - 2, row * 20 - 2, col * (width - 2) - 2 + width, row * 20 - 2 + 22}, now;
      ::GetWindowRect(windows[i], &now);
      ::MapWindowPoints(NULL, ::GetParent(windows[i]), reinterpret_cast<POINT*>(&now), 2);
      if (!moving && EqualRect(&want, &now)) continue;
      dwp = DeferWindowPos(dwp, windows[i], NULL, want.left, want.top, width, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(dwp);
  }
  g_wider = 0;
}
BENCHMARK_CAPTURE(BM_DeferWindowPos, Moving, true)->Name("dock/DeferWindowPos/Moving");
BENCHMARK_CAPTURE(BM_DeferWindowPos, Unchanged, false)->Name("dock/DeferWindowPos/Unchanged");

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("20 bars in 4 rows, all moving: RecalcLayout / DeferWindowPos by hand", "dock/RecalcLayout/Moving/4",
                   "dock/DeferWindowPos/Moving");
    reporter.Print("20 bars in 4 rows, none moving: RecalcLayout / the same check by hand",
                   "dock/RecalcLayout/Unchanged/4", "dock/DeferWindowPos/Unchanged");
    reporter.Print("all moving, 80 bars / 20 bars (linear would be 4)", "dock/RecalcLayout/Moving/16",
                   "dock/RecalcLayout/Moving/4");
  });
}
