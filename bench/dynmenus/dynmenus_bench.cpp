// A registered popup of 60 commands: opened when nothing changed (the case of almost every
// opening) beside the same check written by hand (the popup's record found, its command's
// rights asked, its items counted, its generation compared), and opened after each change of
// the rights (asked for every command, the popup rebuilt) beside the raw Win32 refill of the
// same 60 items (the rights asked for each, the items deleted, then appended with their
// texts), in one run.
#include <benchmark/benchmark.h>

#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvDynamicMenu.h>
#include <framework.h>

#include <stdio.h>

#include <unordered_map>

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

// The rights callback as the raw code reaches it: through a pointer it cannot see through.
unsigned long (*volatile g_rights)(unsigned long, bool) = &AllowAll;

void BM_RawRefill(benchmark::State& state) {
  HMENU popup = CreatePopupMenu();
  wchar_t texts[kCount][16];
  for (UINT i = 0; i < kCount; ++i) wsprintfW(texts[i], L"Command %u", kFirst + i);
  for (auto _ : state) {
    while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
    for (UINT i = 0; i < kCount; ++i)
      if (g_rights(kFirst + i, false) == 1) AppendMenuW(popup, MF_STRING, kFirst + i, texts[i]);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
  DestroyMenu(popup);
}
BENCHMARK(BM_RawRefill);

// What raw code keeps of a popup it fills, and the check it makes when the popup opens.
struct RawPopupRecord {
  UINT command;
  unsigned generation;
};

void BM_RawUnchangedCheck(benchmark::State& state) {
  HMENU popup = CreatePopupMenu();
  for (UINT i = 0; i < kCount; ++i) AppendMenuW(popup, MF_STRING, kFirst + i, L"item");
  std::unordered_map<HMENU, RawPopupRecord> records;
  records[popup] = {kPopupId, 1};
  volatile unsigned generation = 1;
  long rebuilt = 0;
  for (auto _ : state) {
    auto it = records.find(popup);
    if (it == records.end()) continue;
    const bool allowed = g_rights(it->second.command, false) == 1;
    if (!allowed || GetMenuItemCount(popup) == 0 || it->second.generation != generation) ++rebuilt;
  }
  benchmark::DoNotOptimize(rebuilt);
  state.SetItemsProcessed(state.iterations() * kCount);
  DestroyMenu(popup);
}
BENCHMARK(BM_RawUnchangedCheck);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("opening an unchanged 60-item popup / the same check by hand", "BM_OpenUnchangedPopup",
                   "BM_RawUnchangedCheck");
    reporter.Print("opening after a change of the rights / raw refill with the rights", "BM_OpenAfterRightsChange",
                   "BM_RawRefill");
  });
}
