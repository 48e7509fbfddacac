// A registered popup of 60 commands: opened when nothing changed (the case of almost every
// opening), and opened after each change of the rights (asked for every command, the popup
// rebuilt), beside the raw Win32 refill of the same 60 items (deleted, then appended with
// their texts), in one run.
#include <benchmark/benchmark.h>

#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvDynamicMenu.h>
#include <framework.h>

#include <stdio.h>

#include "ratio_reporter.h"

namespace {

const UINT kFirst = 1000, kCount = 60, kPopupId = 1100;

unsigned long AllowAll(unsigned long, bool) { return 1; }

struct Target : QvCommandHandler {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    status.Enable(true);
    return true;
  }
};

// The portable layer started and a bar with the popup registered; undone when it goes.
class RegisteredPopup {
 public:
  RegisteredPopup() {
    if (GUIInitialisations(&AllowAll).Failed() || !GUIIsValidCommandID(kFirst + kCount - 1) ||
        InitDynamicMenu().Failed() || !m_bar.CreateMenu())
      return;
    QvCommandHandler::SetActiveTarget(&m_target);
    m_popup = CreatePopupMenu();
    for (UINT i = 0; i < kCount; ++i) AppendMenuW(m_popup, MF_STRING, kFirst + i, L"item");
    wchar_t caption[8];
    wsprintfW(caption, L"%u", kPopupId);
    AppendMenuW(m_bar.m_hMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m_popup), caption);
    m_ok = RegisterMenuBar(&m_bar, 0).Succeeded();
  }
  ~RegisteredPopup() {
    ReleaseDynamicMenu();
    QvCommandHandler::SetActiveTarget(nullptr);
    GUIRelease();
  }
  bool ok() const { return m_ok; }
  CMenu* popup() { return CMenu::FromHandle(m_popup); }

 private:
  Target m_target;
  CMenu m_bar;
  HMENU m_popup = NULL;
  bool m_ok = false;
};

void BM_OpenUnchangedPopup(benchmark::State& state) {
  RegisteredPopup menus;
  if (!menus.ok()) {
    state.SkipWithError("the command tables or the menu were not made");
    return;
  }
  UpdateDynamicMenuForSecurity(menus.popup());  // built at its first opening
  for (auto _ : state) UpdateDynamicMenuForSecurity(menus.popup());
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_OpenUnchangedPopup);

void BM_OpenAfterRightsChange(benchmark::State& state) {
  RegisteredPopup menus;
  if (!menus.ok()) {
    state.SkipWithError("the command tables or the menu were not made");
    return;
  }
  for (auto _ : state) {
    UpdateMenusFromSecurity();
    UpdateDynamicMenuForSecurity(menus.popup());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_OpenAfterRightsChange);

void BM_RawRefill(benchmark::State& state) {
  HMENU popup = CreatePopupMenu();
  wchar_t texts[kCount][16];
  for (UINT i = 0; i < kCount; ++i) wsprintfW(texts[i], L"Command %u", kFirst + i);
  for (auto _ : state) {
    while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
    for (UINT i = 0; i < kCount; ++i) AppendMenuW(popup, MF_STRING, kFirst + i, texts[i]);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  DestroyMenu(popup);
}
BENCHMARK(BM_RawRefill);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_OpenUnchangedPopup", "BM_RawRefill"))
    printf("opening an unchanged 60-item popup / raw refill = %.3fx\n",
           reporter.Ratio("BM_OpenUnchangedPopup", "BM_RawRefill"));
  if (reporter.Has("BM_OpenAfterRightsChange", "BM_RawRefill"))
    printf("opening after a change of the rights / raw refill = %.2fx\n",
           reporter.Ratio("BM_OpenAfterRightsChange", "BM_RawRefill"));
  benchmark::Shutdown();
  return 0;
}
