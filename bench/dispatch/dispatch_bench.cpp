// Cost of one message through a message-mapped framework window against a raw window
// procedure doing the same work; the run ends with the ratios.
#include <benchmark/benchmark.h>

#include <framework.h>

#include <map>
#include <string>

namespace {

const UINT kPing = WM_USER + 1;
const UINT kCommandId = 1234;

LRESULT CALLBACK RawProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kPing:
      return static_cast<LRESULT>(wParam + lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kCommandId) return 1;
      break;
  }
  return DefWindowProc(hWnd, message, wParam, lParam);
}

HWND CreateRawWindow() {
  WNDCLASS wc = {};
  wc.lpfnWndProc = RawProc;
  wc.hInstance = GetModuleHandle(NULL);
  wc.lpszClassName = _T("DispatchBenchRaw");
  RegisterClass(&wc);
  return CreateWindow(wc.lpszClassName, _T("raw"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
}

// A window with a map of a realistic size, its handlers spread over two classes.
class BaseWnd : public CWnd {
 public:
  afx_msg void OnPaint() { Default(); }
  afx_msg void OnSize(UINT, int, int) {}
  afx_msg void OnLButtonDown(UINT, CPoint) {}
  afx_msg void OnLButtonUp(UINT, CPoint) {}
  afx_msg void OnMouseMove(UINT, CPoint) {}
  afx_msg void OnTimer(UINT_PTR) {}
  afx_msg void OnSetFocus(CWnd*) {}
  afx_msg void OnKillFocus(CWnd*) {}
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

class MappedWnd : public BaseWnd {
 public:
  int commands = 0;
  afx_msg void OnKeyDown(UINT, UINT, UINT) {}
  afx_msg void OnChar(UINT, UINT, UINT) {}
  afx_msg void OnHScroll(UINT, UINT, CScrollBar*) {}
  afx_msg void OnVScroll(UINT, UINT, CScrollBar*) {}
  afx_msg UINT OnGetDlgCode() { return 0; }
  afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
  afx_msg void OnCommandHit() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MappedWnd, BaseWnd)
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_GETDLGCODE()
  ON_COMMAND(kCommandId, &MappedWnd::OnCommandHit)
  ON_MESSAGE(kPing, &MappedWnd::OnPing)
END_MESSAGE_MAP()

void BM_Message_Raw(benchmark::State& state) {
  HWND hWnd = CreateRawWindow();
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hWnd, kPing, 1, 2));
  DestroyWindow(hWnd);
}

void BM_Message_Mapped(benchmark::State& state) {
  MappedWnd wnd;
  wnd.CreateEx(0, NULL, _T("mapped"), WS_POPUP, 0, 0, 10, 10, NULL, NULL);
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(wnd.m_hWnd, kPing, 1, 2));
}

// A menu command: the framework first probes that the command is enabled, then runs it.
void BM_Command_Raw(benchmark::State& state) {
  HWND hWnd = CreateRawWindow();
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hWnd, WM_COMMAND, kCommandId, 0));
  DestroyWindow(hWnd);
}

void BM_Command_Mapped(benchmark::State& state) {
  MappedWnd wnd;
  wnd.CreateEx(0, NULL, _T("mapped"), WS_POPUP, 0, 0, 10, 10, NULL, NULL);
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(wnd.m_hWnd, WM_COMMAND, kCommandId, 0));
}

BENCHMARK(BM_Message_Raw);
BENCHMARK(BM_Message_Mapped);
BENCHMARK(BM_Command_Raw);
BENCHMARK(BM_Command_Mapped);

// Prints the usual table and remembers the time per iteration of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& r : reports) times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(reports);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* kind : {"Message", "Command"}) {
    std::string raw = std::string("BM_") + kind + "_Raw", mapped = std::string("BM_") + kind + "_Mapped";
    if (reporter.times.count(raw) && reporter.times.count(mapped) && reporter.times[raw] > 0)
      printf("%s: message-mapped / raw window procedure = %.2fx\n", kind, reporter.times[mapped] / reporter.times[raw]);
  }
  benchmark::Shutdown();
  return 0;
}
