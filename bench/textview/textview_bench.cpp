// The text view against its rich edit control driven by hand, in one run, on 1 MB of text:
// appending it in 64 KB pieces (EM_REPLACESEL at the end), reading it whole (WM_GETTEXT) and
// extracting a 1 MB range (EM_GETTEXTRANGE). The run ends with the ratios.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <GUITextView.h>
#include <QvTextView.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const size_t kPiece = 64 * 1024;
const size_t kPieces = 16;  // 1 MB of characters
const long kTotal = static_cast<long>(kPiece * kPieces);

const std::wstring& WidePiece() {
  static const std::wstring piece = [] {
    std::wstring s;
    while (s.size() < kPiece) s += L"the quick brown fox jumps over the lazy dog; ";
    s.resize(kPiece);
    return s;
  }();
  return piece;
}

const QvString& Utf8Piece() {
  static const QvString piece(WidePiece().c_str(), WidePiece().size());
  return piece;
}

// A text view window in a hidden popup; the popup deletes it when it goes.
struct Pane {
  CWnd parent;
  QvTextView* view = nullptr;
  CGUITextView* window = nullptr;
  HWND edit = NULL;
  Pane() {
    if (!parent.CreateEx(0, AfxRegisterWndClass(0), _T("bench"), WS_POPUP, 0, 0, 400, 300, NULL, NULL)) return;
    view = new QvTextView(nullptr, 0);
    window = new CGUITextView;
    const RECT r = {0, 0, 400, 300};
    if (!window->Create(view, WS_CHILD | WS_VISIBLE, r, &parent, 1)) {
      delete window;
      delete view;
      view = nullptr;
      return;
    }
    window->OnInitialUpdate();
    edit = window->GetEdit() ? window->GetEdit()->m_hWnd : NULL;
    if (edit) SendMessageW(edit, EM_EXLIMITTEXT, 0, 4 * kTotal);
  }
  ~Pane() {
    if (parent.m_hWnd) parent.DestroyWindow();
  }
  bool ok() const { return edit != NULL; }
  void Empty() { SetWindowTextW(edit, L""); }
  void FillRaw() {
    for (size_t i = 0; i < kPieces; ++i) {
      SendMessageW(edit, EM_SETSEL, -1, -1);
      SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(WidePiece().c_str()));
    }
  }
};

// Each iteration fills an emptied pane; the emptying is not timed.
template <class Fill>
void TimeFilling(benchmark::State& state, Fill fill) {
  Pane p;
  if (!p.ok()) return state.SkipWithError("no text view");
  for (auto _ : state) {
    state.PauseTiming();
    p.Empty();
    state.ResumeTiming();
    fill(p);
  }
}

void BM_Append_View(benchmark::State& state) {
  TimeFilling(state, [](Pane& p) {
    for (size_t i = 0; i < kPieces; ++i) p.view->AppendText(Utf8Piece(), false, false);
  });
}

void BM_Append_Raw(benchmark::State& state) {
  TimeFilling(state, [](Pane& p) { p.FillRaw(); });
}

void BM_Get_View(benchmark::State& state) {
  Pane p;
  if (!p.ok()) return state.SkipWithError("no text view");
  p.FillRaw();
  QvString text;
  for (auto _ : state) benchmark::DoNotOptimize(p.view->GetText(text));
  if (text.GetLength() != static_cast<size_t>(kTotal)) state.SkipWithError("short text");
}

void BM_Get_Raw(benchmark::State& state) {
  Pane p;
  if (!p.ok()) return state.SkipWithError("no text view");
  p.FillRaw();
  std::vector<wchar_t> buffer;
  for (auto _ : state) {
    const LRESULT n = SendMessageW(p.edit, WM_GETTEXTLENGTH, 0, 0);
    buffer.resize(static_cast<size_t>(n) + 1);
    benchmark::DoNotOptimize(SendMessageW(p.edit, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  }
}

void BM_Extract_View(benchmark::State& state) {
  Pane p;
  if (!p.ok()) return state.SkipWithError("no text view");
  p.FillRaw();
  QvString text;
  for (auto _ : state) benchmark::DoNotOptimize(p.view->ExtractText(text, 0, kTotal));
  if (text.GetLength() != static_cast<size_t>(kTotal)) state.SkipWithError("short range");
}

void BM_Extract_Raw(benchmark::State& state) {
  Pane p;
  if (!p.ok()) return state.SkipWithError("no text view");
  p.FillRaw();
  std::vector<wchar_t> buffer(static_cast<size_t>(kTotal) + 1);
  for (auto _ : state) {
    TEXTRANGEW range = {{0, kTotal}, buffer.data()};
    benchmark::DoNotOptimize(SendMessageW(p.edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  }
}

BENCHMARK(BM_Append_View)->Name("textview/Append/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Append_Raw)->Name("textview/Append/Raw")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Get_View)->Name("textview/Get/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Get_Raw)->Name("textview/Get/Raw")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract_View)->Name("textview/Extract/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract_Raw)->Name("textview/Extract/Raw")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* const kinds[] = {"Append", "Get", "Extract"};
  for (const char* kind : kinds) {
    const std::string view = std::string("textview/") + kind + "/View", raw = std::string("textview/") + kind + "/Raw";
    if (reporter.Has(view, raw)) printf("%s 1 MB: text view / raw control = %.2fx\n", kind, reporter.Ratio(view, raw));
  }
  benchmark::Shutdown();
  return 0;
}
