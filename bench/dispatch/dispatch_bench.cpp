// Cost of one message through a message-mapped framework window against a raw window
// procedure doing the same work; the run ends with the cost each adds per message, in
// nanoseconds and as a ratio.
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

// A window procedure in the style of the lightest frameworks: the object is found in a map
// under a lock and its virtual procedure called. A reference for what dispatch through an
// object costs at the least.
class LockedMapWnd {
 public:
  virtual ~LockedMapWnd() = default;
  virtual LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RawProc(hWnd, message, wParam, lParam);
  }
};

struct LockedMap {
  CRITICAL_SECTION lock;
  std::map<HWND, LockedMapWnd*> windows;
  LockedMap() { InitializeCriticalSection(&lock); }
  ~LockedMap() { DeleteCriticalSection(&lock); }
};

LockedMap& Windows() {
  static LockedMap map;
  return map;
}

LRESULT CALLBACK LockedMapProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LockedMap& map = Windows();
  EnterCriticalSection(&map.lock);
  auto it = map.windows.find(hWnd);
  LockedMapWnd* wnd = it == map.windows.end() ? NULL : it->second;
  LeaveCriticalSection(&map.lock);
  return wnd != NULL ? wnd->WndProc(hWnd, message, wParam, lParam) : DefWindowProc(hWnd, message, wParam, lParam);
}

// Sends the message once per iteration; a window that was not created fails the run rather
// than timing calls that do nothing.
void SendLoop(benchmark::State& state, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hWnd == NULL) {
    state.SkipWithError("window not created");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hWnd, message, wParam, lParam));
}

void Raw(benchmark::State& state, UINT message, WPARAM wParam) {
  HWND hWnd = CreateRawWindow();
  SendLoop(state, hWnd, message, wParam, message == kPing ? 2 : 0);
  DestroyWindow(hWnd);
}

void Mapped(benchmark::State& state, UINT message, WPARAM wParam) {
  MappedWnd wnd;
  wnd.CreateEx(0, NULL, _T("mapped"), WS_POPUP, 0, 0, 10, 10, NULL, NULL);
  SendLoop(state, wnd.m_hWnd, message, wParam, message == kPing ? 2 : 0);
}

void LockedMapVirtual(benchmark::State& state, UINT message, WPARAM wParam) {
  WNDCLASS wc = {};
  wc.lpfnWndProc = LockedMapProc;
  wc.hInstance = GetModuleHandle(NULL);
  wc.lpszClassName = _T("DispatchBenchLockedMap");
  RegisterClass(&wc);
  LockedMapWnd wnd;
  HWND hWnd = CreateWindow(wc.lpszClassName, _T("map"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
  Windows().windows[hWnd] = &wnd;
  SendLoop(state, hWnd, message, wParam, message == kPing ? 2 : 0);
  Windows().windows.erase(hWnd);
  DestroyWindow(hWnd);
}

// Prints the usual table and keeps the least time per iteration seen for each name: the
// repetitions are interleaved, and the least time is the one that other load disturbed least.
// Real time: the process CPU time that Wine reports is too coarse for runs this short.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& r : reports) {
      if (r.error_occurred) continue;
      double ns = r.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
      const std::string& name = r.run_name.function_name;
      auto it = times.find(name);
      if (it == times.end() || ns < it->second) times[name] = ns;
    }
    ConsoleReporter::ReportRuns(reports);
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Each kind of send is measured several times, the kinds taking turns.
  const int kRounds = 5;
  for (int round = 0; round < kRounds; ++round) {
    benchmark::RegisterBenchmark("dispatch/Message/Raw", Raw, kPing, 1)->MinTime(0.2);
    benchmark::RegisterBenchmark("dispatch/Message/Mapped", Mapped, kPing, 1)->MinTime(0.2);
    benchmark::RegisterBenchmark("dispatch/Message/LockedMapVirtual", LockedMapVirtual, kPing, 1)->MinTime(0.2);
    // A menu command: the framework first probes that the command is enabled, then runs it.
    benchmark::RegisterBenchmark("dispatch/Command/Raw", Raw, WM_COMMAND, kCommandId)->MinTime(0.2);
    benchmark::RegisterBenchmark("dispatch/Command/Mapped", Mapped, WM_COMMAND, kCommandId)->MinTime(0.2);
    benchmark::RegisterBenchmark("dispatch/Command/LockedMapVirtual", LockedMapVirtual, WM_COMMAND, kCommandId)
        ->MinTime(0.2);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* kinds[][2] = {
      {"Message", "Mapped"}, {"Message", "LockedMapVirtual"}, {"Command", "Mapped"}, {"Command", "LockedMapVirtual"}};
  for (auto& kind : kinds) {
    std::string raw = std::string("dispatch/") + kind[0] + "/Raw";
    std::string other = std::string("dispatch/") + kind[0] + "/" + kind[1];
    if (!reporter.times.count(raw) || !reporter.times.count(other) || reporter.times[raw] <= 0) continue;
    double r = reporter.times[raw], o = reporter.times[other];
    printf("%s, %s: %.1f ns against %.1f ns for the raw window procedure: %+.1f ns, %.2fx\n", kind[0], kind[1], o, r,
           o - r, o / r);
  }
  benchmark::Shutdown();
  return 0;
}
