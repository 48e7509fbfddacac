// Inserting items one by one into a tool table and laying it out, beside a raw toolbar
// (TB_INSERTBUTTON) of the same count, at two counts to show how inserting grows; and
// painting a large table beside plain GDI drawing the same cells.
#include <benchmark/benchmark.h>

#include <ControlClasses.h>
#include <ToolTable.h>
#include <ratio_reporter.h>

#include <commctrl.h>
#include <cstdio>
#include <vector>

#include "../uiview/bench_surface.h"

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

// Drawing: a table of 40 x 25 cells of 16-pixel masked images, printed into a DIB section,
// beside the same cells drawn with plain GDI calls (face fill, then the image through its
// mask).
const int kColumns = 40, kRows = 25, kCell = 16, kSep = 4;

HBITMAP Strip() {
  HDC screen = GetDC(NULL);
  HBITMAP strip = CreateCompatibleBitmap(screen, 2 * kCell, kCell);
  ReleaseDC(NULL, screen);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT image = {0, 0, kCell, kCell}, mask = {kCell, 0, 2 * kCell, kCell}, hole = {kCell + 4, 4, 2 * kCell - 4, kCell - 4};
  HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
  FillRect(dc, &image, red);
  FillRect(dc, &mask, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &hole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

const int kWidth = kColumns * (kCell + kSep) + 2 * kSep, kHeight = kRows * (kCell + kSep) + 2 * kSep;

void BM_ToolTablePaint(benchmark::State& state) {
  RegisterToolTableClass(GetModuleHandleW(L"quarnel.dll"));
  HWND table = CreateWindowExW(0, L"QvToolTable32", L"", WS_CHILD, 0, 0, 10, 10, Parent(), NULL, NULL, NULL);
  SendMessageW(table, TTBLM_SETNUMCOLS, 0, kColumns);
  HBITMAP strip = Strip();
  for (int i = 0; i < kColumns * kRows; ++i) {
    tagTT_ITEMINFO item = {};
    item.type = TTBL_BITMAP;
    item.object = strip;
    item.id = static_cast<DWORD>(i);
    item.mask = TTBLMASK_ALL;
    SendMessageW(table, TTBLM_ADDITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  Dib surface(kWidth, kHeight);
  for (auto _ : state) {
    SendMessageW(table, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
  }
  DestroyWindow(table);
  DeleteObject(strip);
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}
BENCHMARK(BM_ToolTablePaint)->Unit(benchmark::kMillisecond);

void BM_RawGdiCells(benchmark::State& state) {
  HBITMAP strip = Strip();
  Dib surface(kWidth, kHeight);
  HDC src = CreateCompatibleDC(surface.dc());
  HGDIOBJ old = SelectObject(src, strip);
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  for (auto _ : state) {
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(surface.dc(), &all, face);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kColumns; ++c) {
        const int x = kSep * (c + 1) + kCell * c, y = kSep * (r + 1) + kCell * r;
        RECT frame = {x - kSep / 2, y - kSep / 2, x + kCell + kSep / 2, y + kCell + kSep / 2};
        FillRect(surface.dc(), &frame, face);
        BitBlt(surface.dc(), x, y, kCell, kCell, src, kCell, 0, SRCAND);
        BitBlt(surface.dc(), x, y, kCell, kCell, src, 0, 0, SRCPAINT);
      }
    GdiFlush();
  }
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(strip);
  state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}
BENCHMARK(BM_RawGdiCells)->Unit(benchmark::kMillisecond);

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
  if (reporter.Has("BM_ToolTablePaint", "BM_RawGdiCells"))
    printf("1,000 cells painted: tool table (WM_PRINTCLIENT) / plain GDI = %.2fx\n",
           reporter.Ratio("BM_ToolTablePaint", "BM_RawGdiCells"));
  benchmark::Shutdown();
  return 0;
}
