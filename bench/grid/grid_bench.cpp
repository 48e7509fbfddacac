// The grid control beside a report-view list with LVS_OWNERDATA doing the same work: 1,000,000
// rows of three columns whose texts come from a callback, painted into the same DIB section
// (WM_PRINTCLIENT); scrolling by lines and thumb jumps, bringing a far row into view, selecting
// everything, a drag selection growing over 4,000 and 40,000 rows of ten columns (also with
// Ctrl, keeping 100 cells), cells deselected one by one, the selected range a command update
// asks for at idle, hit tests near the bottom; and a stored 100,000 x 10 grid filled cell by
// cell beside LVM_INSERTITEM/LVM_SETITEMTEXT.
#include <benchmark/benchmark.h>

#include <GridCtrl.h>
#include <framework.h>

#include <commctrl.h>
#include <stdio.h>
#include <tchar.h>

#include "ratio_reporter.h"

namespace {

const int kRows = 1000000, kCols = 3, kWidth = 400, kHeight = 300;
const TCHAR kParentClass[] = _T("QuarnelGridBenchParent");

// The text of a cell, as both controls show it.
void CellText(int row, int col, TCHAR* out, size_t size) {
  if (col == 0)
    _sntprintf(out, size, _T("%d"), row);
  else if (col == 1)
    _sntprintf(out, size, _T("ORD-%07d"), row * 7 % 9999991);
  else
    _sntprintf(out, size, _T("%d.%02d"), row % 9973, row % 100);
}

BOOL CALLBACK GridText(GV_DISPINFO* info, LPARAM) {
  TCHAR text[32];
  CellText(info->item.row, info->item.col, text, 32);
  info->item.strText = text;
  return TRUE;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    NMLVDISPINFO* info = reinterpret_cast<NMLVDISPINFO*>(lp);
    if (info->hdr.code == LVN_GETDISPINFO && (info->item.mask & LVIF_TEXT))
      CellText(info->item.iItem, info->item.iSubItem, info->item.pszText, static_cast<size_t>(info->item.cchTextMax));
    return 0;
  }
  return DefWindowProc(hwnd, msg, wp, lp);
}

HWND MakeParent() {
  WNDCLASS wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = GetModuleHandle(NULL);
  wc.lpszClassName = kParentClass;
  RegisterClass(&wc);
  HWND parent = CreateWindowEx(0, kParentClass, _T("bench"), WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 20, kHeight + 20,
                               NULL, NULL, wc.hInstance, NULL);
  return parent;
}

// The DIB both controls paint into.
class Canvas {
 public:
  Canvas() {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    m_dc = CreateCompatibleDC(NULL);
    m_bitmap = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    m_old = SelectObject(m_dc, m_bitmap);
  }
  ~Canvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  void Print(HWND hwnd) { SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT | PRF_ERASEBKGND); }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

// A virtual grid of kRows x kCols (one fixed row of headings) on a shown parent.
struct Grid {
  HWND parent = MakeParent();
  CGridCtrl grid;
  Grid() {
    grid.SetVirtualMode(TRUE);
    grid.SetCallbackFunc(GridText, 0);
    grid.SetRowCount(kRows + 1);
    grid.SetColumnCount(kCols);
    grid.SetFixedRowCount(1);
    grid.Create(CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(parent), 1);
    for (int c = 0; c < kCols; ++c) grid.SetColumnWidth(c, 110);
  }
  ~Grid() {
    grid.DestroyWindow();
    DestroyWindow(parent);
  }
  bool Ok() const { return grid.GetSafeHwnd() != NULL; }
};

// The same as an owner-data report list.
struct List {
  HWND parent = MakeParent();
  HWND list = NULL;
  explicit List(DWORD extra = LVS_OWNERDATA, int rows = kRows, int cols = kCols) {
    list = CreateWindowEx(0, WC_LISTVIEW, _T(""), WS_CHILD | WS_VISIBLE | LVS_REPORT | extra, 0, 0, kWidth, kHeight,
                          parent, NULL, NULL, NULL);
    for (int c = 0; c < cols; ++c) {
      LVCOLUMN col = {};
      col.mask = LVCF_WIDTH;
      col.cx = 110;
      ListView_InsertColumn(list, c, &col);
    }
    if (extra & LVS_OWNERDATA) ListView_SetItemCountEx(list, rows, LVSICF_NOINVALIDATEALL);
  }
  ~List() { DestroyWindow(parent); }
  bool Ok() const { return list != NULL; }
};

void BM_GridSetUp(benchmark::State& state) {
  for (auto _ : state) {
    Grid g;
    if (!g.Ok()) state.SkipWithError("the grid was not made");
  }
}
BENCHMARK(BM_GridSetUp)->Unit(benchmark::kMillisecond);

void BM_ListSetUp(benchmark::State& state) {
  for (auto _ : state) {
    List l;
    if (!l.Ok()) state.SkipWithError("the list was not made");
  }
}
BENCHMARK(BM_ListSetUp)->Unit(benchmark::kMillisecond);

// Full paints with the top at row `top`.
void BM_GridPaint(benchmark::State& state) {
  Grid g;
  Canvas canvas;
  g.grid.EnsureVisible(static_cast<int>(state.range(0)), 0);
  for (auto _ : state) canvas.Print(g.grid.m_hWnd);
}
BENCHMARK(BM_GridPaint)->Arg(1)->Arg(999990)->Unit(benchmark::kMillisecond);

void BM_ListPaint(benchmark::State& state) {
  List l;
  Canvas canvas;
  ListView_EnsureVisible(l.list, static_cast<int>(state.range(0)), FALSE);
  for (auto _ : state) canvas.Print(l.list);
}
BENCHMARK(BM_ListPaint)->Arg(1)->Arg(999990)->Unit(benchmark::kMillisecond);

void BM_GridLineDowns(benchmark::State& state) {
  Grid g;
  for (auto _ : state) {
    g.grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    for (int i = 0; i < 1000; ++i) g.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  }
}
BENCHMARK(BM_GridLineDowns)->Unit(benchmark::kMillisecond);

void BM_ListLineDowns(benchmark::State& state) {
  List l;
  for (auto _ : state) {
    SendMessage(l.list, WM_VSCROLL, SB_TOP, 0);
    for (int i = 0; i < 1000; ++i) SendMessage(l.list, WM_VSCROLL, SB_LINEDOWN, 0);
  }
}
BENCHMARK(BM_ListLineDowns)->Unit(benchmark::kMillisecond);

void BM_GridThumbJumps(benchmark::State& state) {
  Grid g;
  for (auto _ : state)
    for (int i = 0; i < 200; ++i) {
      SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, (i * 7919 % 200) * 90000, 0};
      ::SetScrollInfo(g.grid.m_hWnd, SB_VERT, &si, FALSE);
      g.grid.SendMessage(WM_VSCROLL, SB_THUMBPOSITION, 0);
    }
}
BENCHMARK(BM_GridThumbJumps)->Unit(benchmark::kMillisecond);

void BM_ListThumbJumps(benchmark::State& state) {
  List l;
  for (auto _ : state)
    for (int i = 0; i < 200; ++i) ListView_EnsureVisible(l.list, (i * 7919 % 200) * 4500, FALSE);
}
BENCHMARK(BM_ListThumbJumps)->Unit(benchmark::kMillisecond);

void BM_GridEnsureVisible(benchmark::State& state) {
  Grid g;
  for (auto _ : state) {
    g.grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    g.grid.EnsureVisible(500000, 0);
  }
}
BENCHMARK(BM_GridEnsureVisible)->Unit(benchmark::kMicrosecond);

void BM_ListEnsureVisible(benchmark::State& state) {
  List l;
  for (auto _ : state) {
    ListView_EnsureVisible(l.list, 0, FALSE);
    ListView_EnsureVisible(l.list, 500000, FALSE);
  }
}
BENCHMARK(BM_ListEnsureVisible)->Unit(benchmark::kMicrosecond);

void BM_GridSelectAll(benchmark::State& state) {
  Grid g;
  for (auto _ : state) {
    g.grid.SelectAllCells();
    benchmark::DoNotOptimize(g.grid.GetSelectedCount());
    g.grid.ResetSelectedRange();
  }
}
BENCHMARK(BM_GridSelectAll)->Unit(benchmark::kMicrosecond);

void BM_ListSelectAll(benchmark::State& state) {
  List l;
  for (auto _ : state) {
    ListView_SetItemState(l.list, -1, LVIS_SELECTED, LVIS_SELECTED);
    benchmark::DoNotOptimize(ListView_GetSelectedCount(l.list));
    ListView_SetItemState(l.list, -1, 0, LVIS_SELECTED);
  }
}
BENCHMARK(BM_ListSelectAll)->Unit(benchmark::kMicrosecond);

void BM_GridHitTests(benchmark::State& state) {
  Grid g;
  g.grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  for (auto _ : state)
    for (int i = 0; i < 10000; ++i) benchmark::DoNotOptimize(g.grid.GetCellFromPt(CPoint(i % 330, 20 + i % 260)));
}
BENCHMARK(BM_GridHitTests)->Unit(benchmark::kMillisecond);

void BM_ListHitTests(benchmark::State& state) {
  List l;
  ListView_EnsureVisible(l.list, kRows - 1, FALSE);
  for (auto _ : state)
    for (int i = 0; i < 10000; ++i) {
      LVHITTESTINFO hit = {};
      hit.pt.x = i % 330;
      hit.pt.y = 20 + i % 260;
      benchmark::DoNotOptimize(ListView_SubItemHitTest(l.list, &hit));
    }
}
BENCHMARK(BM_ListHitTests)->Unit(benchmark::kMillisecond);

// A stored grid of 100,000 x 10, filled cell by cell.
void BM_GridFill(benchmark::State& state) {
  for (auto _ : state) {
    CGridCtrl grid;
    grid.SetRedraw(FALSE);
    grid.SetRowCount(100000);
    grid.SetColumnCount(10);
    TCHAR text[32];
    for (int r = 0; r < 100000; ++r)
      for (int c = 0; c < 10; ++c) {
        CellText(r, c % 3, text, 32);
        grid.SetItemText(r, c, text);
      }
  }
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ListFill(benchmark::State& state) {
  for (auto _ : state) {
    List l(0, 0, 10);
    SendMessage(l.list, WM_SETREDRAW, FALSE, 0);
    TCHAR text[32];
    for (int r = 0; r < 100000; ++r) {
      LVITEM item = {};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      CellText(r, 0, text, 32);
      item.pszText = text;
      ListView_InsertItem(l.list, &item);
      for (int c = 1; c < 10; ++c) {
        CellText(r, c % 3, text, 32);
        ListView_SetItemText(l.list, r, c, text);
      }
    }
  }
}
BENCHMARK(BM_ListFill)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// A mouse drag selecting from the first body row down to row n, one row per move (what each
// mouse move and auto-scroll tick asks of the grid), over 10 columns; beside the list view
// adding each crossed row to its selection.
void BM_GridDragSelect(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Grid g;
  g.grid.SetRowCount(rows + 1);
  g.grid.SetColumnCount(10);
  for (auto _ : state) {
    for (int r = 1; r <= rows; ++r) g.grid.SetSelectedRange(1, 0, r, 9);
    benchmark::DoNotOptimize(g.grid.GetSelectedCount());
    g.grid.ResetSelectedRange();
  }
}
BENCHMARK(BM_GridDragSelect)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond);

// The same drag begun with Ctrl held after 100 cells were selected one by one: each step is the
// kept cells plus the new block.
void BM_GridCtrlDragSelect(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Grid g;
  g.grid.SetRowCount(rows + 1);
  g.grid.SetColumnCount(10);
  CRect cell;
  g.grid.GetCellRect(1, 0, cell);
  const LPARAM at = MAKELPARAM(cell.left + 2, cell.top + 2);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 100; ++i) g.grid.SetItemState(2 + i * 7 % rows, i % 10, GVIS_SELECTED);
    g.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);  // keeps the 100 cells
    state.ResumeTiming();
    for (int r = 1; r <= rows; ++r) g.grid.SetSelectedRange(1, 0, r, 9);
    benchmark::DoNotOptimize(g.grid.GetSelectedCount());
    state.PauseTiming();
    g.grid.SendMessage(WM_LBUTTONUP, 0, at);
    g.grid.ResetSelectedRange();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GridCtrlDragSelect)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond);

void BM_ListDragSelect(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  List l(LVS_OWNERDATA, rows, 10);
  for (auto _ : state) {
    for (int r = 0; r < rows; ++r) ListView_SetItemState(l.list, r, LVIS_SELECTED, LVIS_SELECTED);
    benchmark::DoNotOptimize(ListView_GetSelectedCount(l.list));
    ListView_SetItemState(l.list, -1, 0, LVIS_SELECTED);
  }
}
BENCHMARK(BM_ListDragSelect)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond);

// Ctrl-clicks deselecting 100,000 cells one by one down the first column of a selected grid,
// beside the list view deselecting 100,000 selected items one by one (selecting everything
// first is not timed).
void BM_GridDeselectCells(benchmark::State& state) {
  Grid g;
  for (auto _ : state) {
    state.PauseTiming();
    g.grid.SelectAllCells();
    state.ResumeTiming();
    for (int r = 1; r <= 100000; ++r) g.grid.SetSelectedRange(r, 0, r, 0, FALSE, FALSE);
    benchmark::DoNotOptimize(g.grid.GetSelectedCellRange());
    state.PauseTiming();
    g.grid.ResetSelectedRange();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GridDeselectCells)->Unit(benchmark::kMillisecond);

void BM_ListDeselectItems(benchmark::State& state) {
  List l(LVS_OWNERDATA, 100000);
  for (auto _ : state) {
    state.PauseTiming();
    ListView_SetItemState(l.list, -1, LVIS_SELECTED, LVIS_SELECTED);
    state.ResumeTiming();
    for (int r = 0; r < 100000; ++r) ListView_SetItemState(l.list, r, 0, LVIS_SELECTED);
    benchmark::DoNotOptimize(ListView_GetSelectedCount(l.list));
  }
}
BENCHMARK(BM_ListDeselectItems)->Unit(benchmark::kMillisecond);

// What a command update asks at every idle: the selected range, once everything was selected
// and 100 cells deselected one by one; beside the list view's selected count and first
// selected item.
void BM_GridSelectedRangeAtIdle(benchmark::State& state) {
  Grid g;
  g.grid.SelectAllCells();
  for (int i = 0; i < 100; ++i) g.grid.SetSelectedRange(1 + i * 9973, 1, 1 + i * 9973, 1, FALSE, FALSE);
  for (auto _ : state) benchmark::DoNotOptimize(g.grid.GetSelectedCellRange());
}
BENCHMARK(BM_GridSelectedRangeAtIdle)->Unit(benchmark::kMicrosecond);

void BM_ListSelectedAtIdle(benchmark::State& state) {
  List l;
  ListView_SetItemState(l.list, -1, LVIS_SELECTED, LVIS_SELECTED);
  for (int i = 0; i < 100; ++i) ListView_SetItemState(l.list, 1 + i * 9973, 0, LVIS_SELECTED);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ListView_GetSelectedCount(l.list));
    benchmark::DoNotOptimize(ListView_GetNextItem(l.list, -1, LVNI_SELECTED));
  }
}
BENCHMARK(BM_ListSelectedAtIdle)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const struct {
    const char* ours;
    const char* list;
    const char* what;
  } pairs[] = {
      {"BM_GridSetUp", "BM_ListSetUp", "set-up of 1,000,000 rows"},
      {"BM_GridPaint/1", "BM_ListPaint/1", "full paint at the top"},
      {"BM_GridPaint/999990", "BM_ListPaint/999990", "full paint at row 999,990"},
      {"BM_GridLineDowns", "BM_ListLineDowns", "1,000 line-downs"},
      {"BM_GridThumbJumps", "BM_ListThumbJumps", "200 thumb jumps"},
      {"BM_GridEnsureVisible", "BM_ListEnsureVisible", "EnsureVisible(500000) from the top"},
      {"BM_GridSelectAll", "BM_ListSelectAll", "select all"},
      {"BM_GridDragSelect/4000", "BM_ListDragSelect/4000", "a drag over 4,000 rows"},
      {"BM_GridDragSelect/40000", "BM_ListDragSelect/40000", "a drag over 40,000 rows"},
      {"BM_GridCtrlDragSelect/4000", "BM_ListDragSelect/4000", "a Ctrl-drag over 4,000 rows, 100 cells kept"},
      {"BM_GridCtrlDragSelect/40000", "BM_ListDragSelect/40000", "a Ctrl-drag over 40,000 rows, 100 cells kept"},
      {"BM_GridDeselectCells", "BM_ListDeselectItems", "100,000 cells deselected one by one"},
      {"BM_GridSelectedRangeAtIdle", "BM_ListSelectedAtIdle", "the selected range at idle"},
      {"BM_GridHitTests", "BM_ListHitTests", "10,000 hit tests near the bottom"},
      {"BM_GridFill/iterations:1", "BM_ListFill/iterations:1", "100,000 x 10 filled"},
  };
  for (const auto& p : pairs)
    if (reporter.Has(p.ours, p.list))
      printf("%s: grid / owner-data list view = %.2fx\n", p.what, reporter.Ratio(p.ours, p.list));
  benchmark::Shutdown();
  return 0;
}

