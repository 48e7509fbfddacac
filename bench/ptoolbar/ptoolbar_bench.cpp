// Making a portable toolbar from its button list of 125, 250 and 500 commands of the portable
// command centre (window, images and buttons), beside a raw toolbar control given the same
// images and buttons with TB_ADDBUTTONS.
#include <benchmark/benchmark.h>

#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvToolBars.h>
#include <framework.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_frame.h"
#include "ratio_reporter.h"

namespace {

const int kFirst = 3000;
const int kSizes[] = {125, 250, 500};
const DWORD kStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;
UINT ListOf(int count) { return count == 125 ? 401 : count == 250 ? 402 : 403; }

bool CommandsLoaded() {
  static bool loaded = GUIInitialisations(nullptr).Succeeded() && GUIGetCommandDefFromID(kFirst + 499) != nullptr;
  return loaded;
}

CFrameWnd* Frame() { return bench_support::HiddenFrame(); }

bool Ready(benchmark::State& state) {
  if (CommandsLoaded() && Frame() != NULL) return true;
  state.SkipWithError("no commands or no frame");
  return false;
}

void Ours(benchmark::State& state, int count) {
  if (!Ready(state)) return;
  {
    CGUIMultipleBitmapToolbar bar(AFX_IDW_TOOLBAR);
    bar.MemorizeToolBar(ListOf(count));
    if (!bar.Create(Frame(), kStyle) || bar.GetCount() != count) {
      state.SkipWithError("the bar was not filled");
      return;
    }
  }
  for (auto _ : state) {
    CGUIMultipleBitmapToolbar bar(AFX_IDW_TOOLBAR);
    bar.MemorizeToolBar(ListOf(count));
    bar.Create(Frame(), kStyle);
  }
  state.SetItemsProcessed(state.iterations() * count);
}

// The raw control: its window, the left half of the bitmap as its images, the buttons at once.
void Raw(benchmark::State& state, int count) {
  if (!Ready(state)) return;
  std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    buttons[static_cast<size_t>(i)] = {GUIGetCommandDefFromID(static_cast<unsigned short>(kFirst + i))->m_imageIndex,
                                       kFirst + i, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0};
  for (auto _ : state) {
    HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, NULL, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                              0, 800, 30, Frame()->m_hWnd, NULL, NULL, NULL);
    SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    HBITMAP source = static_cast<HBITMAP>(LoadImage(GetModuleHandle(NULL), MAKEINTRESOURCE(300), IMAGE_BITMAP, 0, 0, 0));
    BITMAP bm = {};
    GetObject(source, sizeof bm, &bm);
    HDC screen = GetDC(NULL);
    HBITMAP half = CreateCompatibleBitmap(screen, bm.bmWidth / 2, bm.bmHeight);
    HDC to = CreateCompatibleDC(screen), from = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HGDIOBJ oldTo = SelectObject(to, half), oldFrom = SelectObject(from, source);
    BitBlt(to, 0, 0, bm.bmWidth / 2, bm.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(to, oldTo);
    SelectObject(from, oldFrom);
    DeleteDC(to);
    DeleteDC(from);
    DeleteObject(source);
    TBADDBITMAP add = {NULL, reinterpret_cast<UINT_PTR>(half)};
    SendMessage(bar, TB_ADDBITMAP, bm.bmWidth / 32, reinterpret_cast<LPARAM>(&add));
    SendMessage(bar, TB_ADDBUTTONS, count, reinterpret_cast<LPARAM>(buttons.data()));
    DestroyWindow(bar);
    DeleteObject(half);
  }
  state.SetItemsProcessed(state.iterations() * count);
}

std::string Name(const char* side, int count) { return std::string("ptoolbar/Make/") + side + "/" + std::to_string(count); }

}  // namespace

int main(int argc, char** argv) {
  // Window work: the first runs of a process pay for the control's and the caches' first use.
  for (int count : kSizes) {
    benchmark::RegisterBenchmark(Name("Ours", count).c_str(), Ours, count)
        ->Unit(benchmark::kMicrosecond)
        ->MinWarmUpTime(0.2);
    benchmark::RegisterBenchmark(Name("Raw", count).c_str(), Raw, count)
        ->Unit(benchmark::kMicrosecond)
        ->MinWarmUpTime(0.2);
  }
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    for (int count : kSizes) {
      const std::string ours = Name("Ours", count), raw = Name("Raw", count);
      if (!reporter.Has(ours, raw)) continue;
      reporter.Print("Make, " + std::to_string(count) + " buttons, ours / raw", ours, raw);
      printf("  %.2f us a button\n", reporter.times.at(ours) / 1000 / count);
    }
    GUIRelease();
  });
}
