// The tree list's items beside the system tree view (SysTreeView32, without redraw) doing the
// same work in one run: n items inserted flat and nested (ten children per container), every
// item found by its id (TVM_GETITEM by handle on the system side), and 10,000 children of one
// container sorted (TVM_SORTCHILDRENCB); then the tree list window doing the same through its
// operations, and opening a container of 10,000 children (TVM_EXPAND). Each insert iteration
// starts from an empty list.
#include <benchmark/benchmark.h>

#include <GUIInitialisations.h>
#include <GUITreeList.h>
#include <TreeListItems.h>
#include <framework.h>
#include <commctrl.h>
#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_frame.h"
#include "ratio_reporter.h"

namespace {

std::wstring Name(int i) { return L"item " + std::to_wstring((i * 7919) % 100003); }

void FillItems(TreeListItems& items, int n, bool nested) {
  size_t parent = TreeListItems::kNone;
  for (int i = 0; i < n; ++i) {
    const size_t row = items.AddChild(nested && i % 10 ? parent : TreeListItems::kNone, Name(i));
    if (nested && i % 10 == 0) parent = row;  // a root item with the next nine under it
  }
}

HWND MakeTree() {
  CFrameWnd* frame = bench_support::HiddenFrame();
  if (!frame) return NULL;
  HWND tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 300, 200,
                                frame->m_hWnd, NULL, NULL, NULL);
  if (tree) ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  return tree;
}

std::vector<HTREEITEM> FillTree(HWND tree, int n, bool nested, HTREEITEM under = TVI_ROOT) {
  std::vector<HTREEITEM> handles;
  handles.reserve(static_cast<size_t>(n));
  HTREEITEM parent = under;
  for (int i = 0; i < n; ++i) {
    std::wstring text = Name(i);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = nested && i % 10 ? parent : under;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = &text[0];
    HTREEITEM item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    handles.push_back(item);
    if (nested && i % 10 == 0) parent = item;
  }
  return handles;
}

void BM_ItemsInsert(benchmark::State& state) {
  for (auto _ : state) {
    TreeListItems items;
    FillItems(items, static_cast<int>(state.range(0)), state.range(1) != 0);
    benchmark::DoNotOptimize(items.Count());
  }
}
BENCHMARK(BM_ItemsInsert)->Args({10000, 0})->Args({100000, 0})->Args({10000, 1})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_TreeViewInsert(benchmark::State& state) {
  for (auto _ : state) {
    HWND tree = MakeTree();
    if (!tree) {
      state.SkipWithError("no tree view");
      return;
    }
    FillTree(tree, static_cast<int>(state.range(0)), state.range(1) != 0);
    ::DestroyWindow(tree);
  }
}
BENCHMARK(BM_TreeViewInsert)->Args({10000, 0})->Args({100000, 0})->Args({10000, 1})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_ItemsWalkById(benchmark::State& state) {
  TreeListItems items;
  FillItems(items, 100000, true);
  for (auto _ : state) {
    size_t sum = 0;
    for (long id = 0; id < 100000; ++id) sum += items.IndexOf(id);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ItemsWalkById)->Unit(benchmark::kMillisecond);

void BM_TreeViewWalkByHandle(benchmark::State& state) {
  HWND tree = MakeTree();
  if (!tree) {
    state.SkipWithError("no tree view");
    return;
  }
  const std::vector<HTREEITEM> handles = FillTree(tree, 100000, true);
  for (auto _ : state) {
    size_t sum = 0;
    for (HTREEITEM h : handles) {
      TVITEMW item = {};
      item.mask = TVIF_STATE;
      item.hItem = h;
      sum += static_cast<size_t>(::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    benchmark::DoNotOptimize(sum);
  }
  ::DestroyWindow(tree);
}
BENCHMARK(BM_TreeViewWalkByHandle)->Unit(benchmark::kMillisecond);

void BM_ItemsSortChildren(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TreeListItems items;
    const size_t root = items.AddChild(TreeListItems::kNone, L"root");
    for (int i = 0; i < 10000; ++i) items.AddChild(root, Name(i));
    state.ResumeTiming();
    items.SortChildren(root, [](const TreeListItem& a, const TreeListItem& b) { return a.text < b.text; });
  }
}
BENCHMARK(BM_ItemsSortChildren)->Unit(benchmark::kMillisecond);

int CALLBACK CompareTexts(LPARAM a, LPARAM b, LPARAM) { return a < b ? -1 : a > b ? 1 : 0; }

void BM_TreeViewSortChildren(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HWND tree = MakeTree();
    if (!tree) {
      state.SkipWithError("no tree view");
      return;
    }
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(L"root");
    HTREEITEM root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    const std::vector<HTREEITEM> children = FillTree(tree, 10000, false, root);
    // The compared values are the items' names' ranks, set as their lParam.
    for (size_t i = 0; i < children.size(); ++i) {
      TVITEMW item = {};
      item.mask = TVIF_PARAM;
      item.hItem = children[i];
      item.lParam = static_cast<LPARAM>((i * 7919) % 100003);
      ::SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    state.ResumeTiming();
    TVSORTCB sort = {root, CompareTexts, 0};
    ::SendMessageW(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    state.PauseTiming();
    ::DestroyWindow(tree);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TreeViewSortChildren)->Unit(benchmark::kMillisecond);

// The same work through the tree list window (a child of the hidden frame, its redraw off like
// the system tree's): the operations a host calls, addressed by id.
std::unique_ptr<CGUITreeList> MakeList() {
  CFrameWnd* frame = bench_support::HiddenFrame();
  std::unique_ptr<CGUITreeList> list(new CGUITreeList);
  if (!frame || !list->Create(WS_CHILD, CRect(0, 0, 300, 200), frame, 1)) return nullptr;
  list->SendMessage(WM_SETREDRAW, FALSE, 0);
  list->SetFlags(list->GetFlags() | CGUITreeList::kByID);
  return list;
}

void FillList(CGUITreeList& list, int n, bool nested, long under = -1) {
  long parent = under;
  for (int i = 0; i < n; ++i) {
    const std::wstring text = Name(i);
    const long item = nested && i % 10 ? list.AddDescendant(parent, text.c_str())
                      : under >= 0     ? list.AddDescendant(under, text.c_str())
                                       : list.AddSuccessor(-1, text.c_str());
    if (nested && i % 10 == 0) parent = item;
  }
}

void BM_ListInsert(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<CGUITreeList> list = MakeList();
    if (!list) {
      state.SkipWithError("no tree list");
      return;
    }
    FillList(*list, static_cast<int>(state.range(0)), state.range(1) != 0);
    list->DestroyWindow();
  }
}
BENCHMARK(BM_ListInsert)->Args({10000, 0})->Args({100000, 0})->Args({10000, 1})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_ListWalkById(benchmark::State& state) {
  std::unique_ptr<CGUITreeList> list = MakeList();
  if (!list) {
    state.SkipWithError("no tree list");
    return;
  }
  FillList(*list, 100000, true);
  for (auto _ : state) {
    size_t sum = 0;
    for (long id = 0; id < 100000; ++id) sum += static_cast<size_t>(list->GetItemType(id));
    benchmark::DoNotOptimize(sum);
  }
  list->DestroyWindow();
}
BENCHMARK(BM_ListWalkById)->Unit(benchmark::kMillisecond);

int CompareRanks(CGUITreeList* list, long a, long b, void*) {
  const LONG_PTR x = reinterpret_cast<LONG_PTR>(list->GetItemData(a)), y = reinterpret_cast<LONG_PTR>(list->GetItemData(b));
  return x < y ? -1 : x > y ? 1 : 0;
}

void BM_ListSortChildren(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<CGUITreeList> list = MakeList();
    if (!list) {
      state.SkipWithError("no tree list");
      return;
    }
    const long root = list->AddSuccessor(-1, L"root");
    FillList(*list, 10000, false, root);
    // The compared values are the same ranks the system tree's items get.
    for (long i = 0; i < 10000; ++i)
      list->SetItemData(root + 1 + i, reinterpret_cast<void*>(static_cast<LONG_PTR>((i * 7919) % 100003)));
    state.ResumeTiming();
    list->SortDescendants(&CompareRanks, root, nullptr);
    state.PauseTiming();
    list->DestroyWindow();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ListSortChildren)->Unit(benchmark::kMillisecond);

void BM_ListExpand(benchmark::State& state) {
  std::unique_ptr<CGUITreeList> list = MakeList();
  if (!list) {
    state.SkipWithError("no tree list");
    return;
  }
  const long root = list->AddSuccessor(-1, L"root");
  FillList(*list, 10000, false, root);
  for (auto _ : state) {
    list->Expand(root);
    state.PauseTiming();
    list->Collapse(root);
    state.ResumeTiming();
  }
  list->DestroyWindow();
}
BENCHMARK(BM_ListExpand)->Unit(benchmark::kMillisecond);

void BM_TreeViewExpand(benchmark::State& state) {
  HWND tree = MakeTree();
  if (!tree) {
    state.SkipWithError("no tree view");
    return;
  }
  TVINSERTSTRUCTW insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(L"root");
  HTREEITEM root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  FillTree(tree, 10000, false, root);
  for (auto _ : state) {
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    state.PauseTiming();
    ::SendMessageW(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(root));
    state.ResumeTiming();
  }
  ::DestroyWindow(tree);
}
BENCHMARK(BM_TreeViewExpand)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!PlatformGUIInitialisations().Succeeded()) {
    fprintf(stderr, "the portable layer did not start\n");
    return 1;
  }
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* pairs[][3] = {
      {"BM_ItemsInsert/10000/0", "BM_TreeViewInsert/10000/0", "insert 10,000 flat"},
      {"BM_ItemsInsert/100000/0", "BM_TreeViewInsert/100000/0", "insert 100,000 flat"},
      {"BM_ItemsInsert/10000/1", "BM_TreeViewInsert/10000/1", "insert 10,000 nested"},
      {"BM_ItemsInsert/100000/1", "BM_TreeViewInsert/100000/1", "insert 100,000 nested"},
      {"BM_ItemsWalkById", "BM_TreeViewWalkByHandle", "walk 100,000 by id"},
      {"BM_ItemsSortChildren", "BM_TreeViewSortChildren", "sort 10,000 children"},
      {"BM_ListInsert/10000/0", "BM_TreeViewInsert/10000/0", "list window: insert 10,000 flat"},
      {"BM_ListInsert/100000/0", "BM_TreeViewInsert/100000/0", "list window: insert 100,000 flat"},
      {"BM_ListInsert/10000/1", "BM_TreeViewInsert/10000/1", "list window: insert 10,000 nested"},
      {"BM_ListInsert/100000/1", "BM_TreeViewInsert/100000/1", "list window: insert 100,000 nested"},
      {"BM_ListWalkById", "BM_TreeViewWalkByHandle", "list window: walk 100,000 by id"},
      {"BM_ListSortChildren", "BM_TreeViewSortChildren", "list window: sort 10,000 children"},
      {"BM_ListExpand", "BM_TreeViewExpand", "list window: expand a container of 10,000"},
  };
  for (const auto& p : pairs)
    if (reporter.Has(p[0], p[1])) printf("%s: ours / SysTreeView32 = %.2fx\n", p[2], reporter.Ratio(p[0], p[1]));
  benchmark::Shutdown();
  return 0;
}
