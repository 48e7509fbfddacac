// Filling the font-name list (the faces of the default printer and the screen, each once,
// with their TrueType marks, in an owner-drawn combo box) beside the raw equivalent: the same
// contexts enumerated and each distinct face added with CB_ADDSTRING to a plain combo box,
// in one run. Each iteration makes its combo box anew.
#include <benchmark/benchmark.h>

#include <GUIControls.h>
#include <commdlg.h>
#include <framework.h>
#include <stdio.h>

#include <set>
#include <string>

#include "bench_frame.h"
#include "ratio_reporter.h"

namespace {

const DWORD kStyle = WS_CHILD | WS_VSCROLL | CBS_DROPDOWN;

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  reinterpret_cast<std::set<std::wstring>*>(faces)->insert(font->lfFaceName);
  return 1;
}

void AddFacesOf(HDC dc, std::set<std::wstring>& faces) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(dc, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
}

void BM_FontListFill(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  if (!frame) {
    state.SkipWithError("no frame");
    return;
  }
  long faces = 0;
  for (auto _ : state) {
    CGUIComboBox combo;
    if (!combo.Create(kStyle, CRect(0, 0, 160, 200), frame, 1) || !combo.FillFonts()) {
      state.SkipWithError("the font list was not filled");
      return;
    }
    faces = combo.GetCount();
  }
  state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(BM_FontListFill)->Unit(benchmark::kMillisecond);

void BM_RawFaceAddString(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  if (!frame) {
    state.SkipWithError("no frame");
    return;
  }
  long faces = 0;
  for (auto _ : state) {
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", kStyle, 0, 0, 160, 200, frame->m_hWnd, NULL, NULL, NULL);
    std::set<std::wstring> names;
    PRINTDLGW setup = {};
    setup.lStructSize = sizeof setup;
    setup.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (::PrintDlgW(&setup) && setup.hDC) {
      AddFacesOf(setup.hDC, names);
      ::DeleteDC(setup.hDC);
    }
    if (setup.hDevMode) ::GlobalFree(setup.hDevMode);
    if (setup.hDevNames) ::GlobalFree(setup.hDevNames);
    HDC screen = ::GetDC(combo);
    AddFacesOf(screen, names);
    ::ReleaseDC(combo, screen);
    for (const std::wstring& name : names)
      if (name[0] != L'@') ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    faces = static_cast<long>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    ::DestroyWindow(combo);
  }
  state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(BM_RawFaceAddString)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_FontListFill", "BM_RawFaceAddString"))
    printf("font list of the printer's and the screen's faces: ours / raw CB_ADDSTRING = %.2fx\n",
           reporter.Ratio("BM_FontListFill", "BM_RawFaceAddString"));
  benchmark::Shutdown();
  return 0;
}
