// The list views beside the raw list view doing the same work, in one run:
//  - a virtual list of 1,000,000 rows against a raw LVS_OWNERDATA list: setting the count,
//    10,000 line-downs, 1,000 page-downs (each page painted, the text callbacks counted per
//    page) and 100 thumb drags;
//  - clearing the selection of 100,000 rows: the list view's UnselectAll, one
//    LVM_SETITEMSTATE(-1), and a row-by-row clearing for reference;
//  - filling 10,000 rows of 5 columns and sorting them by a column: the multi-column list
//    against LVM_INSERTITEM / LVM_SETITEMTEXT and LVM_SORTITEMSEX.
#include <benchmark/benchmark.h>

#include <GUIListView.h>
#include <GUIPlatformGlue.h>
#include <GUIVirtualListView.h>
#include <QvGUIContainer.h>
#include <QvMCListBox.h>

#include <commctrl.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "ratio_reporter.h"

namespace {

const int kRows = 1000000;
const int kLines = 10000;
const int kPages = 1000;
const int kDrags = 100;
long s_callbacks = 0;

int CountedText(int row, int column, wchar_t* buffer, int capacity, LONG_PTR) {
  ++s_callbacks;
  swprintf(buffer, static_cast<size_t>(capacity), L"Row %d col %d", row, column);
  return 0;
}

// A shown top-level frame for the lists.
HWND MakeFrame() {
  HWND frame = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 500, 420, NULL, NULL, NULL, NULL);
  if (frame) ::ShowWindow(frame, SW_SHOWNA);
  return frame;
}

void BM_VirtualList(benchmark::State& state) {
  CWnd* frame = new CWnd;
  if (!frame->CreateEx(0, AfxRegisterWndClass(0), _T("bench"), WS_OVERLAPPEDWINDOW, 0, 0, 500, 420, NULL, NULL)) {
    state.SkipWithError("no frame");
    return;
  }
  frame->ShowWindow(SW_SHOWNA);
  CGUIVirtualListView list;
  const RECT rc = {0, 0, 480, 380};
  if (!list.Create(WS_VISIBLE, rc, frame, 1)) {
    state.SkipWithError("no virtual list");
    return;
  }
  for (int c = 0; c < 3; ++c) list.AddColumn(L"Column");
  list.SetTextCallback(&CountedText, 0);
  long pages = 0, pageCallbacks = 0;
  for (auto _ : state) {
    list.SetItemsCount(kRows);
    for (int i = 0; i < kLines; ++i) ::SendMessageW(list.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i < kPages; ++i) {
      ::SendMessageW(list.m_hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
      const long before = s_callbacks;
      ::UpdateWindow(list.GetList().m_hWnd);
      pageCallbacks += s_callbacks - before;
      ++pages;
    }
    for (int i = 0; i < kDrags; ++i)
      ::SendMessageW(list.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, (i * 331) % 32768), 0);
    ::SendMessageW(list.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 16384), 0);
  }
  state.counters["callbacks_per_page"] = pages ? static_cast<double>(pageCallbacks) / pages : 0;
  list.DestroyWindow();
  frame->DestroyWindow();
}
BENCHMARK(BM_VirtualList)->Unit(benchmark::kMillisecond);

// The raw list: its owner answers LVN_GETDISPINFOW.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
    if (item.mask & LVIF_TEXT) CountedText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax, 0);
    return 0;
  }
  if (message == WM_NOTIFYFORMAT) return NFR_UNICODE;
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void BM_RawOwnerDataList(benchmark::State& state) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &OwnerProc;
  wc.lpszClassName = L"BenchListOwner";
  ::RegisterClassW(&wc);
  HWND owner = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 500, 420, NULL, NULL, NULL, NULL);
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL, 0,
                                0, 480, 380, owner, NULL, NULL, NULL);
  if (!owner || !list) {
    state.SkipWithError("no raw list");
    return;
  }
  ::ShowWindow(owner, SW_SHOWNA);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  for (int c = 0; c < 3; ++c) ::SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  long pages = 0, pageCallbacks = 0;
  for (auto _ : state) {
    ::SendMessageW(list, LVM_SETITEMCOUNT, kRows, 0);
    for (int i = 0; i < kLines; ++i) ::SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i < kPages; ++i) {
      ::SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
      // The virtual list repaints a new page whole: so does this one (the scrolled window's
      // invalid region depends on the display driver).
      ::InvalidateRect(list, NULL, TRUE);
      const long before = s_callbacks;
      ::UpdateWindow(list);
      pageCallbacks += s_callbacks - before;
      ++pages;
    }
    // Thumb drags: the list scrolled to the rows the thumb positions stand for.
    for (int i = 0; i < kDrags; ++i)
      ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(::MulDiv((i * 331) % 32768, kRows - 1, 32767)), FALSE);
    ::SendMessageW(list, LVM_ENSUREVISIBLE, kRows / 2, FALSE);
  }
  state.counters["callbacks_per_page"] = pages ? static_cast<double>(pageCallbacks) / pages : 0;
  ::DestroyWindow(owner);
}
BENCHMARK(BM_RawOwnerDataList)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------
// Clearing the selection of 100,000 rows

const int kSelectionRows = 100000;

// Filled while hidden and not redrawn (each insertion into a shown list repaints it), then shown.
HWND MakeFilledList(HWND frame, int rows) {
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 480, 380, frame, NULL,
                                NULL, NULL);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  ::SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"row");
  for (int i = 0; i < rows; ++i) {
    item.iItem = i;
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::ShowWindow(list, SW_SHOWNA);
  return list;
}

void SelectEvery(HWND list) {
  LVITEMW state = {};
  state.state = state.stateMask = LVIS_SELECTED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

enum UnselectWay { kOurs, kRawAll, kRowByRow };

void Unselect(benchmark::State& state, UnselectWay way) {
  HWND frame = MakeFrame();
  HWND list = MakeFilledList(frame, kSelectionRows);
  CGUIListView view;
  if (!list || !view.SubclassWindow(list)) {
    state.SkipWithError("no list");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    SelectEvery(list);
    state.ResumeTiming();
    switch (way) {
      case kOurs: view.UnselectAll(); break;
      case kRawAll: {
        LVITEMW clear = {};
        clear.stateMask = LVIS_SELECTED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        break;
      }
      case kRowByRow:
        for (int i = kSelectionRows - 1; i >= 0; --i) view.SetItemState(i, 0, LVIS_SELECTED);
        break;
    }
  }
  if (::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) != 0) state.SkipWithError("rows still selected");
  view.UnsubclassWindow();
  ::DestroyWindow(frame);
}
void BM_UnselectAll(benchmark::State& state) { Unselect(state, kOurs); }
void BM_RawSetItemStateAll(benchmark::State& state) { Unselect(state, kRawAll); }
void BM_RowByRowUnselect(benchmark::State& state) { Unselect(state, kRowByRow); }
BENCHMARK(BM_UnselectAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSetItemStateAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowByRowUnselect)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---------------------------------------------------------------------------------------
// Filling and sorting 10,000 x 5

const int kFillRows = 10000;
const int kFillColumns = 5;

std::wstring CellText(int row, int column) {
  return L"Cell " + std::to_wstring((row * 7919 + column * 104729) % 100003);
}

class Container : public QvGUIContainer {
 public:
  Container() : QvGUIContainer(nullptr, 0) {}
};

void BM_MultiColumnFillAndSort(benchmark::State& state) {
  CWnd* frame = new CWnd;
  if (!frame->CreateEx(0, AfxRegisterWndClass(0), _T("bench"), WS_OVERLAPPEDWINDOW, 0, 0, 500, 420, NULL, NULL)) {
    state.SkipWithError("no frame");
    return;
  }
  frame->ShowWindow(SW_SHOWNA);
  std::vector<QvString> texts;
  for (int r = 0; r < kFillRows; ++r)
    for (int c = 0; c < kFillColumns; ++c) texts.push_back(QvString(CellText(r, c).c_str()));
  for (auto _ : state) {
    state.PauseTiming();
    HWND child = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 480, 380, frame->m_hWnd,
                                   reinterpret_cast<HMENU>(5), NULL, NULL);
    // A container per list: the list it binds lives as long as it.
    auto* container = new Container;
    container->SetMFCCWnd(frame);
    GUISetQvGUIContainer(frame, container);
    QvMCListBox* list = nullptr;
    if (!child || !container->GetControlFromID(list, 5, 0)) {
      state.SkipWithError("no multi-column list");
      return;
    }
    state.ResumeTiming();
    list->FreezeRedraw(true);  // filled without a repaint per row, as a host fills a list
    for (int c = 0; c < kFillColumns; ++c) list->AddColumn(QvString("Column"), -1);
    for (int r = 0; r < kFillRows; ++r) {
      const long at = list->AddItem(-1);
      for (int c = 0; c < kFillColumns; ++c) list->SetCellText(c, at, texts[static_cast<size_t>(r * kFillColumns + c)]);
    }
    list->SortByColumn(1, true, nullptr);
    list->FreezeRedraw(false);
    state.PauseTiming();
    if (list->GetCount() != kFillRows) state.SkipWithError("rows missing");
    GUISetQvGUIContainer(frame, nullptr);
    delete container;
    ::DestroyWindow(child);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kFillRows);
  frame->DestroyWindow();
}
BENCHMARK(BM_MultiColumnFillAndSort)->Unit(benchmark::kMillisecond);

int CALLBACK CompareByText(LPARAM a, LPARAM b, LPARAM list) {
  wchar_t x[64], y[64];
  LVITEMW item = {};
  item.iSubItem = 1;
  item.cchTextMax = 64;
  item.pszText = x;
  ::SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(a), reinterpret_cast<LPARAM>(&item));
  item.pszText = y;
  ::SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(b), reinterpret_cast<LPARAM>(&item));
  return ::CompareStringW(LOCALE_USER_DEFAULT, 0, x, -1, y, -1) - CSTR_EQUAL;
}

void BM_RawFillAndSort(benchmark::State& state) {
  HWND frame = MakeFrame();
  std::vector<std::wstring> texts;
  for (int r = 0; r < kFillRows; ++r)
    for (int c = 0; c < kFillColumns; ++c) texts.push_back(CellText(r, c));
  for (auto _ : state) {
    state.PauseTiming();
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 480, 380, frame, NULL,
                                  NULL, NULL);
    state.ResumeTiming();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 100;
    column.pszText = const_cast<wchar_t*>(L"Column");
    for (int c = 0; c < kFillColumns; ++c) ::SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    for (int r = 0; r < kFillRows; ++r) {
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      item.pszText = const_cast<wchar_t*>(texts[static_cast<size_t>(r * kFillColumns)].c_str());
      const int at = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      for (int c = 1; c < kFillColumns; ++c) {
        item.iSubItem = c;
        item.pszText = const_cast<wchar_t*>(texts[static_cast<size_t>(r * kFillColumns + c)].c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
      }
    }
    ::SendMessageW(list, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(list), reinterpret_cast<LPARAM>(&CompareByText));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(list, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    state.PauseTiming();
    ::DestroyWindow(list);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kFillRows);
  ::DestroyWindow(frame);
}
BENCHMARK(BM_RawFillAndSort)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.Has("BM_VirtualList", "BM_RawOwnerDataList"))
    printf("1,000,000 rows scrolled: virtual list / raw LVS_OWNERDATA list = %.2fx\n",
           reporter.Ratio("BM_VirtualList", "BM_RawOwnerDataList"));
  if (reporter.Has("BM_UnselectAll", "BM_RawSetItemStateAll"))
    printf("100,000 rows unselected: UnselectAll / one LVM_SETITEMSTATE(-1) = %.2fx\n",
           reporter.Ratio("BM_UnselectAll", "BM_RawSetItemStateAll"));
  if (reporter.Has("BM_RowByRowUnselect", "BM_RawSetItemStateAll"))
    printf("100,000 rows unselected: row by row / one LVM_SETITEMSTATE(-1) = %.2fx\n",
           reporter.Ratio("BM_RowByRowUnselect", "BM_RawSetItemStateAll"));
  if (reporter.Has("BM_MultiColumnFillAndSort", "BM_RawFillAndSort"))
    printf("10,000 x 5 filled and sorted: multi-column list / raw list view = %.2fx\n",
           reporter.Ratio("BM_MultiColumnFillAndSort", "BM_RawFillAndSort"));
  benchmark::Shutdown();
  return 0;
}
