// Status texts: 10,000 changes of a template bar's text item beside 10,000 SB_SETTEXT on a raw
// status control, both in a shown frame; neither paints until the window's next WM_PAINT.
#include <benchmark/benchmark.h>

#include <UIStatusBar.h>

#include <commctrl.h>
#include <stdio.h>
#include <tchar.h>

#include "ratio_reporter.h"

namespace {

const int kChanges = 10000;

// The texts a progress counter would show, made once.
const TCHAR* Text(int i) {
  static TCHAR texts[16][32];
  static bool made = false;
  if (!made) {
    for (int k = 0; k < 16; ++k) _stprintf(texts[k], _T("Row %d of 10000"), k * 611);
    made = true;
  }
  return texts[i & 15];
}

void BM_TemplateBarText(benchmark::State& state) {
  CFrameWnd* frame = new CFrameWnd;
  CUIStatusBar bar;
  if (!frame->Create(NULL, _T("bench"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 200)) || !bar.Create(frame)) {
    state.SkipWithError("the frame or the status bar were not made");
    return;
  }
  frame->RecalcLayout();
  frame->ShowWindow(SW_SHOWNA);
  QvTemplateBar* t = new QvTemplateBar(&bar);
  const WORD id = t->AddTextItem(20, TA_LEFT, 0);
  t->Show();
  for (auto _ : state)
    for (int i = 0; i < kChanges; ++i) t->SetItemText(static_cast<short>(id), Text(i), TA_LEFT);
  state.SetItemsProcessed(state.iterations() * kChanges);
  frame->DestroyWindow();
}
BENCHMARK(BM_TemplateBarText)->Unit(benchmark::kMillisecond);

void BM_RawStatusText(benchmark::State& state) {
  HWND frame = ::CreateWindowEx(0, _T("STATIC"), _T(""), WS_OVERLAPPEDWINDOW, 0, 0, 640, 200, NULL, NULL, NULL, NULL);
  HWND status = ::CreateWindowEx(0, STATUSCLASSNAME, NULL, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame, NULL, NULL, NULL);
  if (frame == NULL || status == NULL) {
    state.SkipWithError("the raw status control was not made");
    return;
  }
  ::ShowWindow(frame, SW_SHOWNA);
  int parts[] = {200, -1};
  ::SendMessage(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  for (auto _ : state)
    for (int i = 0; i < kChanges; ++i) ::SendMessage(status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>(Text(i)));
  state.SetItemsProcessed(state.iterations() * kChanges);
  ::DestroyWindow(frame);
}
BENCHMARK(BM_RawStatusText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_TemplateBarText", "BM_RawStatusText"))
    printf("10,000 status texts: template bar item / SB_SETTEXT on a raw status control = %.2fx\n",
           reporter.Ratio("BM_TemplateBarText", "BM_RawStatusText"));
  benchmark::Shutdown();
  return 0;
}
