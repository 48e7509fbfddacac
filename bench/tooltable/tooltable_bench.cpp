// Inserting items one by one into a tool table and laying it out, beside a raw toolbar
// (TB_INSERTBUTTON) of the same count, at two counts to show how inserting grows.
#include <benchmark/benchmark.h>

#include <ControlClasses.h>
#include <ToolTable.h>
#include <ratio_reporter.h>

#include <commctrl.h>
#include <cstdio>

namespace {

// A hidden parent: nothing is painted, what is measured is the insertion and the layout.
HWND Parent() {
  static HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, NULL, NULL, NULL, NULL);
  return parent;
}

void BM_ToolTableInsert(benchmark::State& state) {
  RegisterToolTableClass(GetModuleHandleW(L"quarnel.dll"));
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    HWND table = CreateWindowExW(0, L"QvToolTable32", L"", WS_CHILD, 0, 0, 10, 10, Parent(), NULL, NULL, NULL);
    SendMessageW(table, TTBLM_SETNUMCOLS, 0, 20);
    for (int i = 0; i < n; ++i) {
      tagTT_ITEMINFO item = {};
      item.type = TTBL_BITMAP;
      item.id = static_cast<DWORD>(i);
      item.mask = TTBLMASK_ALL;
      SendMessageW(table, TTBLM_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    benchmark::DoNotOptimize(SendMessageW(table, TTBLM_GETNUMROWS, 0, 0));
    DestroyWindow(table);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ToolTableInsert)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ToolbarInsert(benchmark::State& state) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | TBSTYLE_WRAPABLE | CCS_NORESIZE, 0, 0, 480,
                               600, Parent(), NULL, NULL, NULL);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    for (int i = 0; i < n; ++i) {
      TBBUTTON button = {};
      button.iBitmap = I_IMAGENONE;
      button.idCommand = i;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
      SendMessageW(bar, TB_INSERTBUTTONW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    benchmark::DoNotOptimize(SendMessageW(bar, TB_GETROWS, 0, 0));
    DestroyWindow(bar);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ToolbarInsert)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_ToolTableInsert/10000", "BM_ToolbarInsert/10000"))
    printf("10,000 items inserted and laid out: tool table / TB_INSERTBUTTON toolbar = %.2fx\n",
           reporter.Ratio("BM_ToolTableInsert/10000", "BM_ToolbarInsert/10000"));
  if (reporter.Has("BM_ToolTableInsert/10000", "BM_ToolTableInsert/1000"))
    printf("tool table, 10,000 items / 1,000 items = %.2fx (10x is linear)\n",
           reporter.Ratio("BM_ToolTableInsert/10000", "BM_ToolTableInsert/1000"));
  benchmark::Shutdown();
  return 0;
}
