// Opening a 60-item menu: our owner-drawn menu (records rebuilt into the live menu, every item
// measured and drawn with its icon, text and hot key) beside a plain string menu of the same
// texts that the system would measure and draw (the same font, DrawText per item).
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UICommandCenter.h>
#include <UICoolMenu.h>
#include <UIUtilities.h>

#include <vector>

#include "../uiview/bench_surface.h"

namespace {

const unsigned short kFirst = 2000, kCount = 60;
const int kWidth = 240, kHeight = 22;

// The items are drawn into a DIB section one item high.
class Surface : public Dib {
 public:
  Surface() : Dib(kWidth, kHeight) {}
};

bool CommandsLoaded() {
  static bool loaded = CUICommandCenter::GetCommandCenter().Init(NULL, 0) &&
                       CUICommandCenter::GetCommandCenter().GetCommand(kFirst + kCount - 1) != NULL;
  return loaded;
}

void BM_OwnerDrawnMenuOpen(benchmark::State& state) {
  if (!CommandsLoaded()) {
    state.SkipWithError("the command tables were not loaded");
    return;
  }
  Surface surface;
  for (auto _ : state) {
    CUIMenu* menu = new CUIMenu(0, 0);
    for (unsigned short id = kFirst; id < kFirst + kCount; ++id) menu->InsertMenuW(id, -1, 0, NULL);
    menu->EnableOwnerDraw(1);
    const int count = GetMenuItemCount(menu->m_hMenu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii = {};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_ID | MIIM_DATA;
      GetMenuItemInfo(menu->m_hMenu, i, TRUE, &mii);
      MEASUREITEMSTRUCT mis = {ODT_MENU, 0, mii.wID, 0, 0, mii.dwItemData};
      menu->MeasureItem(&mis);
      DRAWITEMSTRUCT dis = {ODT_MENU, 0, mii.wID, ODA_DRAWENTIRE, i == 3 ? static_cast<UINT>(ODS_SELECTED) : 0,
                            reinterpret_cast<HWND>(menu->m_hMenu), surface.dc(), {0, 0, kWidth, kHeight},
                            mii.dwItemData};
      menu->DrawItem(&dis);
    }
    delete menu;
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_OwnerDrawnMenuOpen);

// The same items as a string menu; the text of each is measured and drawn once, as the system
// does for string items.
void BM_PlainStringMenuOpen(benchmark::State& state) {
  if (!CommandsLoaded()) {
    state.SkipWithError("the command tables were not loaded");
    return;
  }
  std::vector<CString> texts;
  for (unsigned short id = kFirst; id < kFirst + kCount; ++id) {
    CString text;
    CUICommandCenter::GetCommandCenter().GetCommand(id)->GetMenuStringW(text, 0);
    texts.push_back(text);
  }
  Surface surface;
  LOGFONTW lf;
  GetDefaultLogFont(lf);
  HFONT font = CreateFontIndirectW(&lf);
  for (auto _ : state) {
    HMENU menu = CreatePopupMenu();
    for (unsigned short i = 0; i < kCount; ++i) AppendMenu(menu, MF_STRING, kFirst + i, texts[i]);
    HGDIOBJ old = SelectObject(surface.dc(), font);
    SetBkMode(surface.dc(), TRANSPARENT);
    for (unsigned short i = 0; i < kCount; ++i) {
      RECT item = {0, 0, kWidth, kHeight};
      FillRect(surface.dc(), &item, GetSysColorBrush(i == 3 ? COLOR_HIGHLIGHT : COLOR_MENU));
      RECT measure = {0, 0, 0, 0};
      DrawText(surface.dc(), texts[i], texts[i].GetLength(), &measure, DT_CALCRECT | DT_SINGLELINE);
      RECT text = {23, 0, kWidth - 20, kHeight};
      DrawText(surface.dc(), texts[i], texts[i].GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    }
    SelectObject(surface.dc(), old);
    DestroyMenu(menu);
  }
  DeleteObject(font);
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_PlainStringMenuOpen);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("opening a 60-item menu: owner-drawn / plain string menu", "BM_OwnerDrawnMenuOpen",
                   "BM_PlainStringMenuOpen");
  });
}
