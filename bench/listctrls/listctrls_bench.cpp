// The report-view list controls beside the raw controls doing the same work, in one run:
//  - sorting 100,000 rows by a column: the sortable list's SortColumn (through its comparison
//    callback) against LVM_SORTITEMS with the same comparison;
//  - inserting 10,000 items into the tri-state tree against raw TVM_INSERTITEM;
//  - checking, then unchecking, a parent of 10,000 children with the spread to the children
//    against a raw TVM_SETITEM loop over the children.
#include <benchmark/benchmark.h>

#include <QvTreeCtrl.h>
#include <SortListCtrl.h>
#include <framework.h>

#include <commctrl.h>
#include <stdio.h>

#include <vector>

#include "bench_frame.h"
#include "ratio_reporter.h"

namespace {

const int kSortRows = 100000;
const int kTreeItems = 10000;
const int kChildren = 10000;

// The rows' keys: a scrambled order.
std::vector<int>& Keys() {
  static std::vector<int> keys = [] {
    std::vector<int> k(kSortRows);
    for (int i = 0; i < kSortRows; ++i) k[static_cast<size_t>(i)] = static_cast<int>((i * 7919LL) % kSortRows);
    return k;
  }();
  return keys;
}

int Compare(LPARAM a, LPARAM b) {
  const int x = *reinterpret_cast<const int*>(a), y = *reinterpret_cast<const int*>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

long CALLBACK SortCallback(DWORD_PTR, DWORD_PTR a, DWORD_PTR b, int) {
  return Compare(static_cast<LPARAM>(a), static_cast<LPARAM>(b));
}

int CALLBACK RawCompare(LPARAM a, LPARAM b, LPARAM ascending) {
  const int r = Compare(a, b);
  return ascending ? r : -r;
}

void BM_SortColumn(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  CSortListCtrl list;
  if (frame == NULL || !list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 400, 200), frame, 1)) {
    state.SkipWithError("no list");
    return;
  }
  list.SetFreeItemData(FALSE);
  list.InsertColumn(0, _T("Key"), LVCFMT_LEFT, 100);
  list.SetSortItemCallback(&SortCallback);
  list.SetItemCount(kSortRows);
  for (int& key : Keys()) list.InsertItem(&key);
  BOOL ascending = TRUE;
  for (auto _ : state) {
    list.SortColumn(0, ascending);
    ascending = !ascending;
  }
  state.SetItemsProcessed(state.iterations() * kSortRows);
  list.DestroyWindow();
}
BENCHMARK(BM_SortColumn)->Unit(benchmark::kMillisecond);

void BM_RawSortItems(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  HWND list = frame != NULL ? ::CreateWindowEx(0, WC_LISTVIEW, _T(""), WS_CHILD | LVS_REPORT, 0, 0, 400, 200,
                                               frame->m_hWnd, reinterpret_cast<HMENU>(2), NULL, NULL)
                            : NULL;
  if (list == NULL) {
    state.SkipWithError("no list");
    return;
  }
  LVCOLUMN column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  ::SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
  ::SendMessage(list, LVM_SETITEMCOUNT, kSortRows, 0);
  int row = 0;
  for (int& key : Keys()) {
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row++;
    item.pszText = LPSTR_TEXTCALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(&key);
    ::SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  LPARAM ascending = 1;
  for (auto _ : state) {
    ::SendMessage(list, LVM_SORTITEMS, static_cast<WPARAM>(ascending), reinterpret_cast<LPARAM>(&RawCompare));
    ascending = !ascending;
  }
  state.SetItemsProcessed(state.iterations() * kSortRows);
  ::DestroyWindow(list);
}
BENCHMARK(BM_RawSortItems)->Unit(benchmark::kMillisecond);

const DWORD kTreeStyle = WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

void BM_TreeInsert(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  CQvTreeCtrl tree;
  if (frame == NULL || !tree.Create(kTreeStyle, CRect(0, 0, 300, 200), frame, 3)) {
    state.SkipWithError("no tree");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kTreeItems; ++i) tree.InsertItem(_T("Section"));
    state.PauseTiming();
    tree.DeleteAllItems();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTreeItems);
  tree.DestroyWindow();
}
BENCHMARK(BM_TreeInsert)->Unit(benchmark::kMillisecond);

void BM_RawTreeInsert(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  HWND tree = frame != NULL ? ::CreateWindowEx(0, WC_TREEVIEW, _T(""), kTreeStyle, 0, 0, 300, 200, frame->m_hWnd,
                                               reinterpret_cast<HMENU>(4), NULL, NULL)
                            : NULL;
  if (tree == NULL) {
    state.SkipWithError("no tree");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kTreeItems; ++i) {
      TVINSERTSTRUCT insert = {};
      insert.hParent = TVI_ROOT;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT;
      insert.item.pszText = const_cast<LPTSTR>(_T("Section"));
      ::SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert));
    }
    state.PauseTiming();
    ::SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kTreeItems);
  ::DestroyWindow(tree);
}
BENCHMARK(BM_RawTreeInsert)->Unit(benchmark::kMillisecond);

void BM_CheckParent(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  CQvTreeCtrl tree;
  if (frame == NULL || !tree.Create(kTreeStyle, CRect(0, 0, 300, 200), frame, 5)) {
    state.SkipWithError("no tree");
    return;
  }
  tree.SetStyle(QVTS_CHECKBOXES | QVTS_CHECK_CHILDREN | QVTS_UNCHECK_CHILDREN | QVTS_CHECK_PARENT | QVTS_UNCHECK_PARENT,
                0);
  HTREEITEM parent = tree.InsertItem(_T("Parent"));
  for (int i = 0; i < kChildren; ++i) tree.InsertItem(_T("Child"), parent);
  for (auto _ : state) {
    tree.SetItemCheckState(parent, TVCS_CHECKED);
    tree.SetItemCheckState(parent, TVCS_UNCHECKED);
  }
  state.counters["checked"] = tree.GetItemCheckState(tree.GetChildItem(parent));
  state.SetItemsProcessed(state.iterations() * 2 * kChildren);
  tree.DestroyWindow();
}
BENCHMARK(BM_CheckParent)->Unit(benchmark::kMillisecond);

void BM_RawSetItemLoop(benchmark::State& state) {
  CFrameWnd* frame = bench_support::HiddenFrame();
  HWND tree = frame != NULL ? ::CreateWindowEx(0, WC_TREEVIEW, _T(""), kTreeStyle, 0, 0, 300, 200, frame->m_hWnd,
                                               reinterpret_cast<HMENU>(6), NULL, NULL)
                            : NULL;
  if (tree == NULL) {
    state.SkipWithError("no tree");
    return;
  }
  TVINSERTSTRUCT insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPTSTR>(_T("Parent"));
  HTREEITEM parent = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  std::vector<HTREEITEM> children;
  insert.hParent = parent;
  insert.item.pszText = const_cast<LPTSTR>(_T("Child"));
  for (int i = 0; i < kChildren; ++i)
    children.push_back(reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert))));
  for (auto _ : state) {
    for (UINT image : {2u, 1u}) {
      TVITEM item = {};
      item.mask = TVIF_STATE;
      item.stateMask = TVIS_STATEIMAGEMASK;
      item.state = INDEXTOSTATEIMAGEMASK(image);
      item.hItem = parent;
      ::SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
      for (HTREEITEM child : children) {
        item.hItem = child;
        ::SendMessage(tree, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 2 * kChildren);
  ::DestroyWindow(tree);
}
BENCHMARK(BM_RawSetItemLoop)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_SortColumn", "BM_RawSortItems"))
    printf("100,000 rows sorted: SortColumn / LVM_SORTITEMS = %.2fx\n", reporter.Ratio("BM_SortColumn", "BM_RawSortItems"));
  if (reporter.Has("BM_TreeInsert", "BM_RawTreeInsert"))
    printf("10,000 tree inserts: tri-state tree / TVM_INSERTITEM = %.2fx\n",
           reporter.Ratio("BM_TreeInsert", "BM_RawTreeInsert"));
  if (reporter.Has("BM_CheckParent", "BM_RawSetItemLoop"))
    printf("a parent of 10,000 children checked and unchecked: spread / TVM_SETITEM loop = %.2fx\n",
           reporter.Ratio("BM_CheckParent", "BM_RawSetItemLoop"));
  benchmark::Shutdown();
  return 0;
}
