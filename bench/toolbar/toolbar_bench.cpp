// Loading a customisable toolbar of command-centre commands from its button list, and
// rebuilding it after a colour change, beside a raw toolbar control given the same images
// and buttons with TB_ADDBUTTONS; 125, 250 and 500 buttons show how the cost grows.
#include <benchmark/benchmark.h>

#include <UICommandCenter.h>
#include <UICustToolBar.h>
#include <framework.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_frame.h"
#include "ratio_reporter.h"

namespace {

const int kFirst = 3000;
const int kSizes[] = {125, 250, 500};
UINT ListOf(int count) { return count == 125 ? 401 : count == 250 ? 402 : 403; }

bool CommandsLoaded() {
  static bool loaded = CUICommandCenter::GetCommandCenter().Init(NULL, 0) &&
                       CUICommandCenter::GetCommandCenter().GetCommand(kFirst + 499) != NULL;
  return loaded;
}

CFrameWnd* Frame() { return bench_support::HiddenFrame(); }

// The bar loaded from the list of `count` commands; false (the run skipped) when it cannot be.
bool LoadedBar(benchmark::State& state, CCustToolBar& bar, int count) {
  if (!CommandsLoaded() || Frame() == NULL) {
    state.SkipWithError("no commands or no frame");
    return false;
  }
  if (!bar.CreateAndLoad(Frame(), AFX_IDW_TOOLBAR, ListOf(count), 0) || bar.GetCount() != count) {
    state.SkipWithError("the bar was not loaded");
    return false;
  }
  return true;
}

void OursLoad(benchmark::State& state, int count) {
  CCustToolBar bar;
  if (!LoadedBar(state, bar, count)) return;
  for (auto _ : state) bar.Reload(1);
  state.SetItemsProcessed(state.iterations() * count);
}

void OursColourChange(benchmark::State& state, int count) {
  CCustToolBar bar;
  if (!LoadedBar(state, bar, count)) return;
  for (auto _ : state) bar.SendMessage(WM_SYSCOLORCHANGE);
  state.SetItemsProcessed(state.iterations() * count);
}

// The raw control: the same images (the command's image of the bitmap, grey made the face),
// one image list, the buttons added at once.
struct RawBar {
  HWND hwnd = NULL;
  HBITMAP source = NULL;
  HIMAGELIST images = NULL;
  RawBar() {
    hwnd = CreateWindowEx(0, TOOLBARCLASSNAME, NULL, WS_CHILD | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                          800, 30, Frame()->m_hWnd, NULL, NULL, NULL);
    SendMessage(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    source = static_cast<HBITMAP>(LoadImage(GetModuleHandle(NULL), MAKEINTRESOURCE(300), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION));
  }
  ~RawBar() {
    if (images != NULL) ImageList_Destroy(images);
    if (source != NULL) DeleteObject(source);
    if (hwnd != NULL) DestroyWindow(hwnd);
  }
  void Images(int count) {
    CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
    HDC screen = GetDC(NULL);
    HBITMAP strip = CreateCompatibleBitmap(screen, 16 * count, 15);
    HDC to = CreateCompatibleDC(screen), from = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HGDIOBJ oldTo = SelectObject(to, strip), oldFrom = SelectObject(from, source);
    for (int i = 0; i < count; ++i)
      BitBlt(to, 16 * i, 0, 16, 15, from, 16 * center.GetCommand(static_cast<WORD>(kFirst + i))->m_wImageIndex, 0,
             SRCCOPY);
    SelectObject(to, oldTo);
    SelectObject(from, oldFrom);
    DeleteDC(to);
    DeleteDC(from);
    if (images != NULL) ImageList_Destroy(images);
    images = ImageList_Create(16, 15, ILC_COLOR24 | ILC_MASK, count, 0);
    ImageList_AddMasked(images, strip, RGB(192, 192, 192));
    DeleteObject(strip);
    SendMessage(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  }
  void Buttons(int count) {
    for (int i = static_cast<int>(SendMessage(hwnd, TB_BUTTONCOUNT, 0, 0)); i-- > 0;)
      SendMessage(hwnd, TB_DELETEBUTTON, i, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) buttons[static_cast<size_t>(i)] = {i, kFirst + i, TBSTATE_ENABLED, 0, {}, 0, 0};
    SendMessage(hwnd, TB_ADDBUTTONS, count, reinterpret_cast<LPARAM>(buttons.data()));
  }
};

void RawLoad(benchmark::State& state, int count) {
  if (!CommandsLoaded() || Frame() == NULL) {
    state.SkipWithError("no commands or no frame");
    return;
  }
  RawBar raw;
  for (auto _ : state) {
    raw.Images(count);
    raw.Buttons(count);
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void RawColourChange(benchmark::State& state, int count) {
  if (!CommandsLoaded() || Frame() == NULL) {
    state.SkipWithError("no commands or no frame");
    return;
  }
  RawBar raw;
  raw.Images(count);
  raw.Buttons(count);
  for (auto _ : state) raw.Images(count);  // the images again in the new colours
  state.SetItemsProcessed(state.iterations() * count);
}

std::string Name(const char* what, const char* side, int count) {
  return std::string("toolbar/") + what + "/" + side + "/" + std::to_string(count);
}

}  // namespace

int main(int argc, char** argv) {
  // Window work: the first runs of a process pay for the control's and the caches' first use.
  const struct {
    const char* what;
    const char* side;
    void (*run)(benchmark::State&, int);
  } runs[] = {{"Load", "Ours", OursLoad},
              {"Load", "Raw", RawLoad},
              {"ColourChange", "Ours", OursColourChange},
              {"ColourChange", "Raw", RawColourChange}};
  for (int count : kSizes)
    for (const auto& r : runs)
      benchmark::RegisterBenchmark(Name(r.what, r.side, count).c_str(), r.run, count)
          ->Unit(benchmark::kMicrosecond)
          ->MinWarmUpTime(0.2);
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    for (const char* what : {"Load", "ColourChange"}) {
      for (int count : kSizes) {
        const std::string ours = Name(what, "Ours", count), raw = Name(what, "Raw", count);
        if (!reporter.Has(ours, raw)) continue;
        reporter.Print(std::string(what) + ", " + std::to_string(count) + " buttons, ours / raw", ours, raw);
        printf("  %.2f us a button\n", reporter.times.at(ours) / 1000 / count);
      }
    }
  });
}
