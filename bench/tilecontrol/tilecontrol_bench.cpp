// The tile control beside the system's tab control: adding N masters (tabs) and painting them
// (WM_PRINTCLIENT), from 4 to 1,024; and the facet slide beside AnimateWindow's 100 ms slide.
#include <benchmark/benchmark.h>

#include <TileControl.h>
#include <framework.h>
#include <ratio_reporter.h>

#include <commctrl.h>
#include <cstdio>
#include <string>

#include "../uiview/bench_surface.h"

namespace {

const int kW = 160, kH = 400;

HWND Parent() {
  static HWND parent =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 500, NULL, NULL, NULL, NULL);
  return parent;
}

void BM_TileAddAndPaint(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Dib dib(kW, kH);
  MasterTile master;
  Tile facet(L"Documents", NULL, NULL, 0), other(L"Places", NULL, NULL, 0);
  master.AddTile(facet);
  master.AddTile(other);
  for (auto _ : state) {
    HWND tile = CreateWindowExW(0, L"QvTileControl32", L"", WS_CHILD, 0, 0, kW, kH, Parent(), NULL, NULL, NULL);
    SendMessageW(tile, TLM_SETNUMMASTERS, static_cast<WPARAM>(n), 0);
    for (int i = 0; i < n; ++i) SendMessageW(tile, TLM_ADDMASTER, reinterpret_cast<WPARAM>(&master), 0);
    SendMessageW(tile, TLM_SETACTIVEMASTER, 0, 0);
    SendMessageW(tile, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    DestroyWindow(tile);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TileAddAndPaint)->Arg(4)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_TabAddAndPaint(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  Dib dib(kW, kH);
  wchar_t text[] = L"Documents";
  for (auto _ : state) {
    HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | TCS_MULTILINE, 0, 0, kW, kH, Parent(), NULL, NULL, NULL);
    for (int i = 0; i < n; ++i) {
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tab, TCM_SETCURSEL, 0, 0);
    SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    DestroyWindow(tab);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TabAddAndPaint)->Arg(4)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

// One facet slide (the arrow's work) on a visible control.
void BM_FacetSlide(benchmark::State& state) {
  HWND tile = CreateWindowExW(0, L"QvTileControl32", L"", WS_CHILD | WS_VISIBLE, 0, 0, kW, kH, Parent(), NULL, NULL, NULL);
  SendMessageW(tile, TLM_SETNUMMASTERS, 2, 0);
  MasterTile master;
  Tile a(L"Documents", NULL, NULL, 0), b(L"Templates", NULL, NULL, 0);
  master.AddTile(a);
  master.AddTile(b);
  SendMessageW(tile, TLM_ADDMASTER, reinterpret_cast<WPARAM>(&master), 0);
  SendMessageW(tile, TLM_SETACTIVEMASTER, 0, 0);
  TileControl* o = TileControl::FromWindow(tile);
  for (auto _ : state) o->IncrementFacet(+1);
  DestroyWindow(tile);
}
BENCHMARK(BM_FacetSlide)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// The system's 100 ms slide of a window of the same size.
void BM_AnimateWindowSlide(benchmark::State& state) {
  HWND pane = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, kW, 25, Parent(), NULL, NULL, NULL);
  for (auto _ : state) {
    AnimateWindow(pane, 100, AW_SLIDE | AW_HOR_NEGATIVE);
    ShowWindow(pane, SW_HIDE);
  }
  DestroyWindow(pane);
}
BENCHMARK(BM_AnimateWindowSlide)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

void Print(const bench_support::RatioReporter& r, const char* what, const char* a, const char* b) {
  if (r.Has(a, b)) printf("%s: %.2fx\n", what, r.Ratio(a, b));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Print(reporter, "4 masters added and painted: tile control / tab control", "BM_TileAddAndPaint/4", "BM_TabAddAndPaint/4");
  Print(reporter, "1,024 masters added and painted: tile control / tab control", "BM_TileAddAndPaint/1024",
        "BM_TabAddAndPaint/1024");
  Print(reporter, "tile control, 1,024 masters / 64 masters", "BM_TileAddAndPaint/1024", "BM_TileAddAndPaint/64");
  // The slides are compared by their wall times in the table: a slide spends its 100 ms
  // waiting, and where AnimateWindow does not animate (Wine) it takes no CPU time at all.
  benchmark::Shutdown();
  return 0;
}
