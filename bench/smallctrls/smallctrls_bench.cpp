// The text window with clickable zones beside DrawTextW(DT_WORDBREAK) laying out and drawing
// the same text (N lines, a zone in each), and the tab control of shared width beside the
// system's tab control, inserting N tabs.
#include <benchmark/benchmark.h>

#include <QvTabCtrl.h>
#include <SensitiveWnd.h>
#include <framework.h>
#include <ratio_reporter.h>

#include <commctrl.h>
#include <cstdio>

#include "../uiview/bench_surface.h"

namespace {

const int kW = 400, kH = 300;

CWnd& Parent() {
  static CWnd parent;
  if (parent.m_hWnd == NULL)
    parent.CreateEx(0, NULL, _T("bench"), WS_POPUP | WS_VISIBLE, 0, 0, kW + 40, kH + 40, NULL, NULL);
  return parent;
}

// N lines of words with one zone each.
CString Text(int lines, bool zones) {
  CString text;
  for (int i = 0; i < lines; ++i) {
    text += _T("Some words before the ");
    if (zones) {
      CString zone;
      zone.Format(_T("\x0007zone %d\x000C%d\x000C"), i, i);
      text += zone;
    } else {
      text += _T("zone 000");
    }
    text += _T(" and a few after it\n");
  }
  return text;
}

void BM_SensitiveLayoutAndPaint(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const CString text = Text(n, true);
  Dib dib(kW, kH);
  CSensitiveWnd wnd;
  wnd.Create(_T(""), 0, CRect(0, 0, kW, kH), &Parent(), 1);
  for (auto _ : state) {
    wnd.SetWindowText(text);  // lays out every line and zone
    wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SensitiveLayoutAndPaint)->Arg(16)->Arg(256)->Arg(4096)->Unit(benchmark::kMicrosecond);

// The same text measured and drawn by the system: wrapped to the width, as one block.
void BM_DrawTextWordBreak(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const CStringW text(Text(n, false));
  Dib dib(kW, kH);
  HGDIOBJ old = SelectObject(dib.dc(), GetStockObject(DEFAULT_GUI_FONT));
  for (auto _ : state) {
    RECT r = {0, 0, kW, 0};
    DrawTextW(dib.dc(), text, text.GetLength(), &r, DT_WORDBREAK | DT_CALCRECT);
    RECT view = {0, 0, kW, kH};
    DrawTextW(dib.dc(), text, text.GetLength(), &view, DT_WORDBREAK);
  }
  SelectObject(dib.dc(), old);
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DrawTextWordBreak)->Arg(16)->Arg(256)->Arg(4096)->Unit(benchmark::kMicrosecond);

void BM_QvTabInsert(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    CQvTabCtrl tabs;
    tabs.Create(WS_CHILD | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED, CRect(0, 0, kW, 40), &Parent(), 2);
    for (int i = 0; i < n; ++i) tabs.InsertItem(i, _T("Documents"));
    tabs.DestroyWindow();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_QvTabInsert)->Arg(16)->Arg(256)->Arg(2048)->Unit(benchmark::kMicrosecond);

void BM_SysTabInsert(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  TCHAR text[] = _T("Documents");
  for (auto _ : state) {
    HWND tab = CreateWindowEx(0, WC_TABCONTROL, _T(""), WS_CHILD | TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED, 0, 0, kW, 40,
                              Parent().m_hWnd, NULL, NULL, NULL);
    for (int i = 0; i < n; ++i) {
      TCITEM item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      SendMessage(tab, TCM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    DestroyWindow(tab);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SysTabInsert)->Arg(16)->Arg(256)->Arg(2048)->Unit(benchmark::kMicrosecond);

void Print(const bench_support::RatioReporter& r, const char* what, const char* a, const char* b) {
  if (r.Has(a, b)) printf("%s: %.2fx\n", what, r.Ratio(a, b));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Print(reporter, "4,096 lines laid out and painted: zones window / DrawTextW", "BM_SensitiveLayoutAndPaint/4096",
        "BM_DrawTextWordBreak/4096");
  Print(reporter, "zones window, 4,096 lines / 256 lines", "BM_SensitiveLayoutAndPaint/4096",
        "BM_SensitiveLayoutAndPaint/256");
  Print(reporter, "2,048 tabs inserted: shared-width tabs / system tabs", "BM_QvTabInsert/2048", "BM_SysTabInsert/2048");
  Print(reporter, "shared-width tabs, 2,048 / 256", "BM_QvTabInsert/2048", "BM_QvTabInsert/256");
  benchmark::Shutdown();
  return 0;
}
