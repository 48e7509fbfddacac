// Printing 100 pages of report text to the printer DC ("PDF", output to a file): each page
// rendered through the drawing view (OnPrint at the printer's resolution, text laid out in
// rectangles) against the same text drawn with raw GDI calls (a font at the printer's
// resolution and DrawTextW), in one run. The run ends with the ratio.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UIView.h>
#include <framework.h>

#include "../../tests/support/test_view.h"

#include <cstdio>
#include <string>

namespace {

const int kPages = 100;
const int kLines = 40;
const long kInch = 1440;

CWinApp g_app(_T("PrintBench"));

std::wstring Line(int page, int line) {
  return L"Page " + std::to_wstring(page) + L", line " + std::to_wstring(line) +
         L": revenue rose in the northern region while costs fell by four percent against the last quarter.";
}

// Twips: one inch margins, lines 0.2 inch apart.
RECT LineRect(int line) { return RECT{kInch, kInch + line * 288, 7 * kInch, kInch + line * 288 + 288}; }

class PagesView : public TestDrawView {
 public:
  PagesView() : TestDrawView(UIVIEW_TWIPS) {}
  int HasCustomPageManagement() override { return 1; }
  long GetNumberOfPages() override { return kPages; }
  void PrintOnePage(long page) override {
    UIFont font;
    font.size = 10;
    font.face = L"Arial";
    QvSetFont(font);
    for (int l = 0; l < kLines; ++l) {
      const std::wstring text = Line(static_cast<int>(page), l);
      QvDrawTextInRect(text.c_str(), static_cast<int>(text.size()), LineRect(l), QvAlignTop, QvAlignLeft, 1, 0);
    }
  }
  void Render(CDC* dc, CPrintInfo* info) { OnPrint(dc, info); }
};

// The printer's DC and a job writing to a scratch file.
class Job {
 public:
  Job() {
    PRINTDLG pd = {};
    g_app.GetPrinterDeviceDefaults(&pd);
    dc.Attach(AfxCreateDC(g_app.m_hDevNames, g_app.m_hDevMode));
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path = std::string(dir) + "uiviewprint_bench.ps";
  }
  ~Job() { DeleteFileA(path.c_str()); }
  bool Start() {
    std::wstring out(path.begin(), path.end());
    DOCINFOW di = {sizeof(di), L"Print bench", out.c_str(), NULL, 0};
    return dc.GetSafeHdc() != NULL && StartDocW(dc.GetSafeHdc(), &di) > 0;
  }
  CDC dc;
  std::string path;
};

void BM_View(benchmark::State& state) {
  Job job;
  PagesView view;
  CPrintInfo info;
  for (auto _ : state) {
    if (!job.Start()) {
      state.SkipWithError("no printer");
      return;
    }
    for (int p = 1; p <= kPages; ++p) {
      info.m_nCurPage = p;
      job.dc.StartPage();
      view.Render(&job.dc, &info);
      job.dc.EndPage();
    }
    job.dc.EndDoc();
  }
}
BENCHMARK(BM_View)->Name("uiviewprint/Pages/View")->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_Raw(benchmark::State& state) {
  Job job;
  const HDC dc = job.dc.GetSafeHdc();
  const int dpiX = dc != NULL ? GetDeviceCaps(dc, LOGPIXELSX) : 96, dpiY = dc != NULL ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  const int offX = dc != NULL ? GetDeviceCaps(dc, PHYSICALOFFSETX) : 0;
  const int offY = dc != NULL ? GetDeviceCaps(dc, PHYSICALOFFSETY) : 0;
  for (auto _ : state) {
    if (!job.Start()) {
      state.SkipWithError("no printer");
      return;
    }
    for (int p = 1; p <= kPages; ++p) {
      job.dc.StartPage();
      HFONT font = CreateFontW(-MulDiv(10, dpiY, 72), 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
      HGDIOBJ old = SelectObject(dc, font);
      SetBkMode(dc, TRANSPARENT);
      for (int l = 0; l < kLines; ++l) {
        const std::wstring text = Line(p, l);
        RECT r = LineRect(l);
        r = RECT{MulDiv(r.left, dpiX, 1440) - offX, MulDiv(r.top, dpiY, 1440) - offY, MulDiv(r.right, dpiX, 1440) - offX,
                 MulDiv(r.bottom, dpiY, 1440) - offY};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
      }
      SelectObject(dc, old);
      DeleteObject(font);
      job.dc.EndPage();
    }
    job.dc.EndDoc();
  }
}
BENCHMARK(BM_Raw)->Name("uiviewprint/Pages/GDI")->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string view = "uiviewprint/Pages/View", raw = "uiviewprint/Pages/GDI";
  if (reporter.Has(view, raw)) printf("100 pages: view / GDI = %.2fx\n", reporter.Ratio(view, raw));
  benchmark::Shutdown();
  return 0;
}
