// An idle update pass over 200 menu items of portable commands (each item's probe filled by
// GUIOnCmdMsg from the portable status) beside raw Win32 doing the same job (each item's
// rights asked, then EnableMenuItem and CheckMenuItem), in one run; the framework's own idle
// update of the same items (an update handler of the window's message map) is shown too.
#include <benchmark/benchmark.h>

#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <framework.h>

#include <stdio.h>

#include "ratio_reporter.h"

namespace {

const UINT kFirst = 1000, kCount = 200;

unsigned long AllowAll(unsigned long, bool) { return 1; }

// The portable target: every command enabled, every tenth checked.
struct Target : QvCommandHandler {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    status.Enable(true);
    status.SetCheck(status.GetID() % 10 == 0 ? QvChecked : QvUnchecked);
    return true;
  }
};

// A portable window: its routing asks the glue first.
class PortableWnd : public CWnd {
 public:
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
    if (GUIOnCmdMsg(id, code, extra, info)) return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, info);
  }
};

// A framework window whose update handler gives the same answers.
class FrameworkWnd : public CWnd {
 protected:
  afx_msg void OnUpdateItem(CCmdUI* probe) {
    probe->Enable(TRUE);
    probe->SetCheck(probe->m_nID % 10 == 0 ? 1 : 0);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FrameworkWnd, CWnd)
  ON_UPDATE_COMMAND_UI_RANGE(kFirst, kFirst + kCount - 1, &FrameworkWnd::OnUpdateItem)
END_MESSAGE_MAP()

// One idle pass over the items of the menu, as the framework updates a menu before showing it.
void UpdateMenu(CMenu& menu, CCmdTarget* target) {
  CCmdUI probe;
  probe.m_pMenu = &menu;
  probe.m_nIndexMax = kCount;
  for (UINT i = 0; i < kCount; ++i) {
    probe.m_nIndex = i;
    probe.m_nID = kFirst + i;
    probe.DoUpdate(target, FALSE);
  }
}

bool MakeMenu(CMenu& menu) {
  if (!menu.CreatePopupMenu()) return false;
  for (UINT i = 0; i < kCount; ++i) menu.AppendMenu(MF_STRING, kFirst + i, CString(_T("item")));
  return true;
}

void BM_PortableIdleUpdate(benchmark::State& state) {
  CMenu menu;
  PortableWnd wnd;
  if (GUIInitialisations(&AllowAll).Failed() || !GUIIsValidCommandID(kFirst + kCount - 1) || !MakeMenu(menu) ||
      !wnd.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL)) {
    state.SkipWithError("the command tables, the menu or the window were not made");
    GUIRelease();
    return;
  }
  Target target;
  QvCommandHandler::SetActiveTarget(&target);
  for (auto _ : state) UpdateMenu(menu, &wnd);
  state.SetItemsProcessed(state.iterations() * kCount);
  QvCommandHandler::SetActiveTarget(nullptr);
  wnd.DestroyWindow();
  GUIRelease();
}
BENCHMARK(BM_PortableIdleUpdate);

void BM_FrameworkIdleUpdate(benchmark::State& state) {
  CMenu menu;
  FrameworkWnd wnd;
  if (!MakeMenu(menu) || !wnd.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL)) {
    state.SkipWithError("the menu or the window were not made");
    return;
  }
  for (auto _ : state) UpdateMenu(menu, &wnd);
  state.SetItemsProcessed(state.iterations() * kCount);
  wnd.DestroyWindow();
}
BENCHMARK(BM_FrameworkIdleUpdate);

// The rights callback as the raw code reaches it: through a pointer it cannot see through.
unsigned long (*volatile g_rights)(unsigned long, bool) = &AllowAll;

void BM_RawIdleUpdate(benchmark::State& state) {
  CMenu menu;
  if (!MakeMenu(menu)) {
    state.SkipWithError("the menu was not made");
    return;
  }
  HMENU handle = menu.m_hMenu;
  for (auto _ : state) {
    for (UINT i = 0; i < kCount; ++i) {
      const UINT id = kFirst + i;
      const bool enabled = g_rights(id | 0x40000000UL, false) == 1;
      ::EnableMenuItem(handle, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
      ::CheckMenuItem(handle, i, MF_BYPOSITION | (id % 10 == 0 ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_RawIdleUpdate);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("idle update of 200 menu items: portable status / raw Win32", "BM_PortableIdleUpdate",
                   "BM_RawIdleUpdate");
    reporter.Print("idle update of 200 menu items: framework update handler / raw Win32", "BM_FrameworkIdleUpdate",
                   "BM_RawIdleUpdate");
  });
}
