// The framework command centre: loading 5,000 commands from a module's tables, lookups, and an
// idle update of 200 toolbar buttons and menu items, each beside its plain equivalent.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UICommandCenter.h>
#include <UICommandRouting.h>
#include <commctrl.h>

#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const int kTableCommands = 5000;
const WORD kFirstId = 1000;

// A copy of this program carrying a type-301 table of `count` commands, loaded as a data file.
class TableModule {
 public:
  explicit TableModule(int count) {
    std::vector<tagCOMMAND> records(count + 1);
    for (int i = 0; i < count; ++i) {
      tagCOMMAND& r = records[i];
      r.wID = static_cast<WORD>(kFirstId + i);
      r.dwSecurityID = 1 + i % 50;
      r.dwNameLabel = 20000 + i;
      r.dwMenuLabel = 30000 + i;
      r.wBitmapID = 300;
      r.wImageIndex = static_cast<WORD>(i % 64);
    }
    wchar_t self[MAX_PATH], dir[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    GetTempPathW(MAX_PATH, dir);
    m_path = std::wstring(dir) + L"commands_bench_table.dll";
    CopyFileW(self, m_path.c_str(), FALSE);
    HANDLE update = BeginUpdateResourceW(m_path.c_str(), FALSE);
    if (update) {
      UpdateResourceW(update, MAKEINTRESOURCEW(RT_QVCOMMANDS), MAKEINTRESOURCEW(1),
                      MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), records.data(),
                      static_cast<DWORD>(records.size() * sizeof(tagCOMMAND)));
      EndUpdateResourceW(update, FALSE);
    }
    m_module = LoadLibraryExW(m_path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
  }
  ~TableModule() {
    if (m_module) FreeLibrary(m_module);
    DeleteFileW(m_path.c_str());
  }
  HMODULE get() const { return m_module; }

 private:
  std::wstring m_path;
  HMODULE m_module = NULL;
};

TableModule& Table() {
  static TableModule table(kTableCommands);
  return table;
}

// Loading: the centre reads the module's tables into commands.
void BM_CenterLoad5000(benchmark::State& state) {
  HMODULE module = Table().get();
  if (module == NULL) return state.SkipWithError("no table module");
  for (auto _ : state) {
    auto center = std::make_unique<CUICommandCenter>();
    center->LoadCommands(module);
    if (center->GetCommandCount() != kTableCommands) return state.SkipWithError("commands missing");
    state.PauseTiming();
    center.reset();
    state.ResumeTiming();
  }
  state.counters["commands"] = kTableCommands;
}
BENCHMARK(BM_CenterLoad5000)->Unit(benchmark::kMillisecond);

// The same table read into a std::unordered_map of the same commands.
struct MapSink : CCommandTableSink {
  std::unordered_map<WORD, std::unique_ptr<CUICommand>> map;
  void OnCommand(const tagCOMMAND& r) override {
    tagCOMMAND record = r;
    auto& slot = map[r.wID];
    if (!slot) {
      slot.reset(new CUICommand);
      *slot = record;
    }
  }
};

void BM_UnorderedMapLoad5000(benchmark::State& state) {
  HMODULE module = Table().get();
  if (module == NULL) return state.SkipWithError("no table module");
  for (auto _ : state) {
    auto sink = std::make_unique<MapSink>();
    ReadCommandTables(module, RT_QVCOMMANDS, *sink);
    if (static_cast<int>(sink->map.size()) != kTableCommands) return state.SkipWithError("commands missing");
    state.PauseTiming();
    sink.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UnorderedMapLoad5000)->Unit(benchmark::kMillisecond);

// Lookups of present ids in random order, with as many commands as the argument.
std::vector<WORD> LookupOrder(int count) {
  std::vector<WORD> ids(4096);
  std::mt19937 rng(7);
  for (auto& id : ids) id = static_cast<WORD>(kFirstId + rng() % count);
  return ids;
}

void BM_CenterLookup(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  CUICommandCenter center;
  for (int i = 0; i < count; ++i) {
    CUICommand* c = new CUICommand;
    c->m_wID = static_cast<WORD>(kFirstId + i);
    center.AddCommand(c);
  }
  std::vector<WORD> ids = LookupOrder(count);
  size_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(center.GetCommand(ids[n++ & 4095]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CenterLookup)->Arg(200)->Arg(5000)->Arg(50000);

void BM_UnorderedMapLookup(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::unordered_map<WORD, std::unique_ptr<CUICommand>> map;
  for (int i = 0; i < count; ++i) {
    auto c = std::make_unique<CUICommand>();
    c->m_wID = static_cast<WORD>(kFirstId + i);
    map.emplace(c->m_wID, std::move(c));
  }
  std::vector<WORD> ids = LookupOrder(count);
  size_t n = 0;
  for (auto _ : state) {
    auto it = map.find(ids[n++ & 4095]);
    benchmark::DoNotOptimize(it == map.end() ? nullptr : it->second.get());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnorderedMapLookup)->Arg(200)->Arg(5000)->Arg(50000);

// Idle update: 200 toolbar buttons and 200 menu items asked through the update routing and the
// rights check, their state set only where it changed.
const int kItems = 200;
const UINT kFirstItem = 2000;

class UpdateTarget : public CCmdTarget {
 public:
  void OnUpdate(CCmdUI* ui) {
    ui->Enable((ui->m_nID & 3) != 0);
    ui->SetCheck((ui->m_nID & 7) == 1);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(UpdateTarget, CCmdTarget)
  ON_UPDATE_COMMAND_UI_RANGE(kFirstItem, kFirstItem + kItems - 1, &UpdateTarget::OnUpdate)
END_MESSAGE_MAP()

// Maps a probe's answers onto a toolbar button or a menu item.
class ItemCmdUI : public CCmdUI {
 public:
  HWND toolbar = NULL;
  HMENU menu = NULL;
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    if (toolbar) {
      if (!SendMessage(toolbar, TB_ISBUTTONENABLED, m_nID, 0) != !on) SendMessage(toolbar, TB_ENABLEBUTTON, m_nID, on);
    } else {
      EnableMenuItem(menu, m_nID, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    }
  }
  void SetCheck(int check) override {
    if (toolbar) {
      if (!SendMessage(toolbar, TB_ISBUTTONCHECKED, m_nID, 0) != !check) SendMessage(toolbar, TB_CHECKBUTTON, m_nID, check);
    } else {
      CheckMenuItem(menu, m_nID, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
    }
  }
};

DWORD AllowAll(DWORD) { return 1; }

struct Items {
  HWND owner, toolbar;
  HMENU menu;
  Items() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    owner = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP, 0, 0, 800, 600, NULL, NULL, NULL, NULL);
    toolbar = CreateWindowEx(0, TOOLBARCLASSNAME, NULL, WS_CHILD | TBSTYLE_FLAT, 0, 0, 0, 0, owner, NULL, NULL, NULL);
    SendMessage(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> buttons(kItems);
    menu = CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
      buttons[i] = TBBUTTON{};
      buttons[i].idCommand = kFirstItem + i;
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = BTNS_CHECK;
      buttons[i].iBitmap = I_IMAGENONE;
      AppendMenu(menu, MF_STRING, kFirstItem + i, _T("Item"));
    }
    SendMessage(toolbar, TB_ADDBUTTONS, kItems, reinterpret_cast<LPARAM>(buttons.data()));
  }
  ~Items() {
    DestroyMenu(menu);
    DestroyWindow(owner);
  }
};

void BM_IdleUpdateThroughRouting(benchmark::State& state) {
  Items items;
  CUICommandCenter center;
  center.Init(AllowAll, 0);
  for (int i = 0; i < kItems; ++i) {
    CUICommand* c = new CUICommand;
    c->m_wID = static_cast<WORD>(kFirstItem + i);
    c->m_dwSecurityID = 7;
    center.AddCommand(c);
  }
  UpdateTarget target;
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int i = 0; i < kItems; ++i) {
        ItemCmdUI ui;
        ui.m_nID = kFirstItem + i;
        if (pass == 0) ui.toolbar = items.toolbar; else ui.menu = items.menu;
        ui.DoUpdate(&target, TRUE);
        // The rights decide whether a button of an enabled command stays enabled.
        DWORD status = center.GetSecurityCommandStatus(center.GetCommand(static_cast<WORD>(ui.m_nID)));
        if (status == 2 || status == 3) ui.Enable(FALSE);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 2 * kItems);
}
BENCHMARK(BM_IdleUpdateThroughRouting)->Unit(benchmark::kMicrosecond);

// The same states set straight with Win32, without routing or rights.
void BM_IdleUpdateRawWin32(benchmark::State& state) {
  Items items;
  for (auto _ : state) {
    for (int i = 0; i < kItems; ++i) {
      UINT id = kFirstItem + i;
      BOOL on = (id & 3) != 0, check = (id & 7) == 1;
      if (!SendMessage(items.toolbar, TB_ISBUTTONENABLED, id, 0) != !on) SendMessage(items.toolbar, TB_ENABLEBUTTON, id, on);
      if (!SendMessage(items.toolbar, TB_ISBUTTONCHECKED, id, 0) != !check) SendMessage(items.toolbar, TB_CHECKBUTTON, id, check);
    }
    for (int i = 0; i < kItems; ++i) {
      UINT id = kFirstItem + i;
      EnableMenuItem(items.menu, id, MF_BYCOMMAND | ((id & 3) ? MF_ENABLED : MF_GRAYED));
      CheckMenuItem(items.menu, id, MF_BYCOMMAND | (((id & 7) == 1) ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  state.SetItemsProcessed(state.iterations() * 2 * kItems);
}
BENCHMARK(BM_IdleUpdateRawWin32)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("loading 5,000 commands: centre / unordered_map", "BM_CenterLoad5000", "BM_UnorderedMapLoad5000");
    for (const char* n : {"200", "5000", "50000"})
      reporter.Print(std::string("lookups among ") + n + " commands: centre / unordered_map",
                     std::string("BM_CenterLookup/") + n, std::string("BM_UnorderedMapLookup/") + n);
    reporter.Print("idle update of 200 buttons and 200 items: routing and rights / raw Win32",
                   "BM_IdleUpdateThroughRouting", "BM_IdleUpdateRawWin32");
  });
}
