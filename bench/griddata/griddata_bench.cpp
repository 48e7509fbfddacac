// The grid's whole-grid services beside plain code doing the same work: sorting 100,000 rows
// beside LVM_SORTITEMS on a list view of 100,000 items; saving and loading 100,000 x 10 cells
// as delimited text beside writing and reading the same text line by line with the C
// library; copying 100,000 x 10 selected cells beside building the same text in a loop.
#include <benchmark/benchmark.h>

#include <GridCtrl.h>
#include <framework.h>
#include <fw_oledata.h>

#include <commctrl.h>
#include <stdio.h>
#include <tchar.h>

#include <string>

#include "ratio_reporter.h"

namespace {

const int kRows = 100000, kCols = 10;
const int kSortRows = 100000;

// The number a row's sort key shows: a fixed shuffle of 0..n-1.
int Key(int row, int n) { return static_cast<int>((static_cast<long long>(row) * 7919) % n); }

void CellText(int row, int col, TCHAR* out, size_t size) { _sntprintf(out, size, _T("r%dc%d"), row, col); }

std::string TempFile(const char* stem) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, stem, 0, path);
  return path;
}

void Fill(CGridCtrl& grid) {
  grid.SetRedraw(FALSE);
  grid.SetRowCount(kRows);
  grid.SetColumnCount(kCols);
  TCHAR text[32];
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      CellText(r, c, text, 32);
      grid.SetItemText(r, c, text);
    }
}

// ---- Sorting ----

void BM_GridSort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    CGridCtrl grid(kSortRows + 1, 2, 1);
    TCHAR text[16];
    for (int r = 1; r <= kSortRows; ++r) {
      _sntprintf(text, 16, _T("%d"), Key(r, kSortRows));
      grid.SetItemText(r, 0, text);
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(grid.SortItems(CGridCtrl::pfnCellNumericCompare, 0, TRUE));
  }
}
BENCHMARK(BM_GridSort)->Unit(benchmark::kMillisecond);

int CALLBACK ListCompare(LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : a > b ? 1 : 0; }

void BM_ListSort(benchmark::State& state) {
  HWND list = CreateWindowEx(0, WC_LISTVIEW, _T(""), WS_POPUP | LVS_REPORT, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
  LVCOLUMN col = {};
  col.mask = LVCF_WIDTH;
  col.cx = 100;
  ListView_InsertColumn(list, 0, &col);
  for (auto _ : state) {
    state.PauseTiming();
    ListView_DeleteAllItems(list);
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    for (int r = 0; r < kSortRows; ++r) {
      LVITEM item = {};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = r;
      item.pszText = const_cast<LPTSTR>(_T("x"));
      item.lParam = Key(r + 1, kSortRows);
      ListView_InsertItem(list, &item);
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(ListView_SortItems(list, ListCompare, 0));
  }
  DestroyWindow(list);
}
BENCHMARK(BM_ListSort)->Unit(benchmark::kMillisecond);

// ---- Save and load ----

void BM_GridSave(benchmark::State& state) {
  CGridCtrl grid;
  Fill(grid);
  const std::string path = TempFile("gsv");
  const std::wstring wpath(path.begin(), path.end());
  for (auto _ : state) benchmark::DoNotOptimize(grid.Save(wpath.c_str()));
  DeleteFileA(path.c_str());
}
BENCHMARK(BM_GridSave)->Unit(benchmark::kMillisecond);

void BM_RawSave(benchmark::State& state) {
  const std::string path = TempFile("rsv");
  for (auto _ : state) {
    FILE* f = fopen(path.c_str(), "w");
    char text[32];
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        snprintf(text, sizeof text, "r%dc%d", r, c);
        fputs(text, f);
        fputc(c + 1 < kCols ? ',' : '\n', f);
      }
    }
    fclose(f);
  }
  DeleteFileA(path.c_str());
}
BENCHMARK(BM_RawSave)->Unit(benchmark::kMillisecond);

std::string SavedFile() {
  CGridCtrl grid;
  Fill(grid);
  const std::string path = TempFile("gld");
  const std::wstring wpath(path.begin(), path.end());
  grid.Save(wpath.c_str());
  return path;
}

// Load ends by auto-sizing the columns with the grid's auto-size style: measuring every text
// (GVS_BOTH, the default) or the headings only (GVS_HEADER), the load's own work.
void BM_GridLoad(benchmark::State& state) {
  const std::string path = SavedFile();
  const std::wstring wpath(path.begin(), path.end());
  for (auto _ : state) {
    CGridCtrl grid;
    grid.SetAutoSizeStyle(static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(grid.Load(wpath.c_str()));
  }
  DeleteFileA(path.c_str());
}
BENCHMARK(BM_GridLoad)->Arg(GVS_BOTH)->Arg(GVS_HEADER)->Unit(benchmark::kMillisecond);

// Reads the same file line by line and splits each line into its fields.
void BM_RawLoad(benchmark::State& state) {
  const std::string path = SavedFile();
  for (auto _ : state) {
    FILE* f = fopen(path.c_str(), "r");
    std::vector<std::vector<std::string>> rows;
    char line[4096];
    while (fgets(line, sizeof line, f) != NULL) {
      rows.emplace_back();
      char* start = line;
      for (char* p = line;; ++p)
        if (*p == ',' || *p == '\n' || *p == 0) {
          rows.back().emplace_back(start, p);
          if (*p != ',') break;
          start = p + 1;
        }
    }
    fclose(f);
    benchmark::DoNotOptimize(rows.size());
  }
  DeleteFileA(path.c_str());
}
BENCHMARK(BM_RawLoad)->Unit(benchmark::kMillisecond);

// ---- Copy ----

void BM_GridCopy(benchmark::State& state) {
  CGridCtrl grid;
  Fill(grid);
  grid.SetSelectedRange(0, 0, kRows - 1, kCols - 1);
  for (auto _ : state) {
    COleDataSource* source = grid.CopyTextFromGrid();
    benchmark::DoNotOptimize(source);
    if (source != NULL) source->InternalRelease();
  }
}
BENCHMARK(BM_GridCopy)->Unit(benchmark::kMillisecond);

// The same text, tabs and line feeds, built from the same texts in a loop and put in a block.
void BM_LoopCopy(benchmark::State& state) {
  CGridCtrl grid;
  Fill(grid);
  for (auto _ : state) {
    CString text;
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        text += grid.GetCell(r, c)->GetText();
        if (c + 1 < kCols) text += _T('\t');
      }
      if (r + 1 < kRows) text += _T('\n');
    }
    const SIZE_T bytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(TCHAR);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text.GetString(), bytes);
    GlobalUnlock(block);
    GlobalFree(block);
  }
}
BENCHMARK(BM_LoopCopy)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("sorting 100,000 rows: grid / LVM_SORTITEMS", "BM_GridSort", "BM_ListSort");
  reporter.PrintRatio("saving 100,000 x 10: grid / line-by-line write", "BM_GridSave", "BM_RawSave");
  reporter.PrintRatio("loading 100,000 x 10, every text measured: grid / line-by-line read", "BM_GridLoad/3",
                      "BM_RawLoad");
  reporter.PrintRatio("loading 100,000 x 10, headings measured: grid / line-by-line read", "BM_GridLoad/1",
                      "BM_RawLoad");
  reporter.PrintRatio("copying 100,000 x 10: grid / plain loop", "BM_GridCopy", "BM_LoopCopy");
  benchmark::Shutdown();
  return 0;
}
