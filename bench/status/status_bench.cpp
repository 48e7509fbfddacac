// 10,000 text changes in a pane of the portable status bar (a pane of an owner-drawn part,
// as most layouts have) beside 10,000 SB_SETTEXT to a part of a raw status control, each
// burst followed by one paint, in one run.
//
// Wine's status control paints synchronously on every SB_SETTEXT while it is shown (one
// WM_PAINT a call), where the portable pane only invalidates. The raw control is therefore
// also measured hidden and with its drawing off (WM_SETREDRAW) during the burst: those are
// the references that do the same work as the pane.
#include <QvStatusBar.h>
#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <framework.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "ratio_reporter.h"

namespace {

const int kChanges = 10000;
const int kTexts = 16;

void BM_StatusPaneText(benchmark::State& state) {
  CFrameWnd* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("bench"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 200))) {
    state.SkipWithError("the frame was not made");
    return;
  }
  frame->ShowWindow(SW_SHOWNA);
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
  auto* bar = new QvStatusBar(nullptr);
  if (!bar->CreatePlatform(false)) {
    state.SkipWithError("the status bar was not made");
    delete bar;
    frame->DestroyWindow();
    return;
  }
  frame->RecalcLayout();
  QvStatusModel* model = bar->AddModel();
  QvStatusBorder* border = bar->AddBorder(model, QvPaneSunken, true);
  QvTextPane* pane = bar->AddTextPane(model, border, true, 40);
  bar->AddTextPane(model, border, true, 20);
  bar->ActivateModel(model);
  std::vector<QvString> texts;
  for (int i = 0; i < kTexts; ++i) texts.emplace_back(("Row " + std::to_string(i * 137) + " of 2,000").c_str());
  HWND window = bar->GetMFCCWnd()->GetSafeHwnd();
  for (auto _ : state) {
    for (int i = 0; i < kChanges; ++i) pane->SetText(texts[i % kTexts]);
    ::UpdateWindow(window);
  }
  state.SetItemsProcessed(state.iterations() * kChanges);
  delete bar;
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  frame->DestroyWindow();
}
BENCHMARK(BM_StatusPaneText)->Unit(benchmark::kMillisecond);

// How the raw control is left while the texts change.
enum RawMode { kShown, kHidden, kRedrawOff };

void BM_RawStatusSetText(benchmark::State& state) {
  const RawMode mode = static_cast<RawMode>(state.range(0));
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&init);
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 200, NULL, NULL, NULL, NULL);
  HWND status = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | (mode == kHidden ? 0 : WS_VISIBLE), 0, 0, 0, 0,
                                  parent, NULL, NULL, NULL);
  if (!parent || !status) {
    state.SkipWithError("the status control was not made");
    if (parent) ::DestroyWindow(parent);
    return;
  }
  ::ShowWindow(parent, SW_SHOWNA);
  int edges[2] = {400, -1};
  ::SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  std::vector<std::wstring> texts;
  for (int i = 0; i < kTexts; ++i) texts.push_back(L"Row " + std::to_wstring(i * 137) + L" of 2,000");
  for (auto _ : state) {
    if (mode == kRedrawOff) ::SendMessageW(status, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kChanges; ++i)
      ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(texts[i % kTexts].c_str()));
    if (mode == kRedrawOff) {
      ::SendMessageW(status, WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(status, NULL, TRUE);
    }
    ::UpdateWindow(status);
  }
  state.SetItemsProcessed(state.iterations() * kChanges);
  ::DestroyWindow(parent);
}
BENCHMARK(BM_RawStatusSetText)->Arg(kShown)->Arg(kHidden)->Arg(kRedrawOff)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    const char* ours = "BM_StatusPaneText";
    // The hidden and redraw-off controls do the pane's work; the shown one also paints each text.
    reporter.Print("10,000 status texts and a paint: portable pane / raw control hidden", ours,
                   "BM_RawStatusSetText/1");
    reporter.Print("10,000 status texts and a paint: portable pane / raw control, drawing off", ours,
                   "BM_RawStatusSetText/2");
    reporter.Print("(not the same work) portable pane / raw control shown, painting each text", ours,
                   "BM_RawStatusSetText/0");
  });
}
