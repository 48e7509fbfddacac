// The grid's data structures (sizes with running totals, the selection) and its model: counts
// and their refusals, focus through inserts and deletes, virtual mode, memory failures,
// modified flags, fonts and user values.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <new>
#include <random>
#include <vector>

#include "grid_fixture.h"

using grid_testing::GridFixture;

namespace {

// ---- Sizes ----

TEST(GridSizeTree, TotalsAndLookupsAgreeWithPlainSums) {
  std::mt19937 rng(7);
  for (int n : {0, 1, 2, 7, 64, 1000}) {
    CGridSizeTree tree;
    std::vector<UINT> plain;
    tree.Resize(n, 5);
    plain.assign(static_cast<size_t>(n), 5);
    for (int k = 0; k < n; ++k) {  // some hidden, some tall
      const UINT s = rng() % 4 == 0 ? 0 : rng() % 40;
      tree.Set(k, s);
      plain[static_cast<size_t>(k)] = s;
    }
    if (n > 2) {
      tree.Insert(1, 17);
      plain.insert(plain.begin() + 1, 17);
      tree.Erase(n / 2);
      plain.erase(plain.begin() + n / 2);
      tree.Resize(static_cast<int>(plain.size()) + 3, 9);
      plain.resize(plain.size() + 3, 9);
      tree.Insert(tree.GetCount(), 11);  // appended
      plain.push_back(11);
    }
    std::vector<long long> prefix(1, 0);
    for (UINT s : plain) prefix.push_back(prefix.back() + s);
    const int count = static_cast<int>(plain.size());
    ASSERT_EQ(tree.GetCount(), count);
    for (int i = 0; i <= count; ++i) ASSERT_EQ(tree.Prefix(i), prefix[static_cast<size_t>(i)]) << n << " at " << i;
    for (int from : {0, count / 3}) {
      for (long long off = 0; off <= prefix.back() - prefix[static_cast<size_t>(from)] + 2; ++off) {
        int item = from;  // the item under the offset, hidden items skipped
        while (item < count && prefix[static_cast<size_t>(item) + 1] - prefix[static_cast<size_t>(from)] <= off) ++item;
        ASSERT_EQ(tree.ItemAt(from, off), item) << "n " << n << " from " << from << " offset " << off;
        int first = from;
        while (first < count && prefix[static_cast<size_t>(first)] - prefix[static_cast<size_t>(from)] < off) ++first;
        ASSERT_EQ(tree.FirstAtOrAfter(from, off), first) << "n " << n << " from " << from << " offset " << off;
      }
    }
  }
}

TEST(GridSizeTree, TotalsPastThirtyTwoBits) {
  CGridSizeTree tree;
  tree.Resize(3000000, 1000);  // 3e9 pixels
  EXPECT_EQ(tree.Total(), 3000000000LL);
  EXPECT_EQ(tree.ItemAt(0, 2999999999LL), 2999999);
  EXPECT_EQ(tree.ItemAt(0, 3000000000LL), 3000000);
  tree.Set(2999999, 0);
  EXPECT_EQ(tree.Total(), 2999999000LL);
}

// ---- Selection ----

TEST(GridSelection, CellsBeyondSixteenBitsAreTheirOwn) {
  // (row, column) pairs that a 16-bit row field would fold onto each other.
  const struct {
    int row, col, otherRow, otherCol;
  } pairs[] = {{65536, 0, 0, 0}, {70000, 3, 4464, 3}, {0, 65536, 0, 0}, {131072, 1, 65536, 1}};
  for (const auto& p : pairs) {
    CGridSelection sel;
    sel.Select(p.row, p.col, true);
    EXPECT_TRUE(sel.IsSelected(p.row, p.col));
    EXPECT_FALSE(sel.IsSelected(p.otherRow, p.otherCol)) << p.row << "," << p.col;
    EXPECT_EQ(sel.GetCount(), 1);
    sel.Select(p.otherRow, p.otherCol, true);
    sel.Select(p.otherRow, p.otherCol, false);  // deselecting one leaves the other
    EXPECT_TRUE(sel.IsSelected(p.row, p.col));
    EXPECT_EQ(sel.GetCount(), 1);
  }
}

TEST(GridSelection, RangesWithExceptionsCountAndBound) {
  CGridSelection sel;
  sel.AddRange(CCellRange(0, 0, 999999, 9));
  EXPECT_EQ(sel.GetCount(), 10000000);
  EXPECT_TRUE(sel.IsSelected(987504, 9));
  sel.Select(500000, 5, false);
  EXPECT_FALSE(sel.IsSelected(500000, 5));
  EXPECT_EQ(sel.GetCount(), 9999999);
  sel.Select(2000000, 20, true);  // a single cell outside
  EXPECT_EQ(sel.GetCount(), 10000000);
  EXPECT_TRUE(sel.GetBounds() == CCellRange(0, 0, 2000000, 20));
  // An overlapping range counts its new cells once and selects the deselected one again.
  sel.AddRange(CCellRange(499999, 5, 1000001, 11));
  EXPECT_TRUE(sel.IsSelected(500000, 5));
  EXPECT_EQ(sel.GetCount(), 10000000 + (500003 * 7 - 500001 * 5) + 1);
  sel.Clip(1000000, 10);
  EXPECT_EQ(sel.GetCount(), 10000000);
  EXPECT_TRUE(sel.GetBounds() == CCellRange(0, 0, 999999, 9));
  sel.Clear();
  EXPECT_FALSE(sel.GetBounds().IsValid());
}

// The bounds (what the owner's command updates ask for) follow deselection at once: a range
// whose edge row or column is wholly deselected shrinks, and one with nothing left goes.
TEST(GridSelection, DeselectingAnEdgeShrinksTheBounds) {
  struct Cell {
    int row, col;
  };
  const struct Case {
    const char* what;
    CCellRange block;
    std::vector<Cell> deselected;
    CCellRange removed;  // a block removed at once after the cells (invalid: none)
    CCellRange bounds;
    long long count;
  } cases[] = {
      {"the only cell", CCellRange(1, 1, 1, 1), {{1, 1}}, CCellRange(), CCellRange(), 0},
      {"the top row", CCellRange(1, 1, 3, 3), {{1, 3}, {1, 1}, {1, 2}}, CCellRange(), CCellRange(2, 1, 3, 3), 6},
      {"the right column", CCellRange(1, 1, 3, 3), {{2, 3}, {3, 3}, {1, 3}}, CCellRange(), CCellRange(1, 1, 3, 2), 6},
      {"the middle", CCellRange(1, 1, 3, 3), {{2, 2}}, CCellRange(), CCellRange(1, 1, 3, 3), 8},
      {"a column, then the rest of a row", CCellRange(1, 1, 3, 3), {{3, 1}, {3, 2}, {1, 1}, {2, 1}, {3, 3}},
       CCellRange(), CCellRange(1, 2, 2, 3), 4},
      {"a block of rows at once", CCellRange(0, 0, 999999, 9), {}, CCellRange(0, 0, 999998, 9),
       CCellRange(999999, 0, 999999, 9), 10},
      {"a block beside a deselected cell", CCellRange(0, 0, 99, 9), {{99, 0}}, CCellRange(0, 1, 99, 9),
       CCellRange(0, 0, 98, 0), 99},
      {"a few cells, one by one", CCellRange(0, 0, 99, 9), {{99, 0}}, CCellRange(0, 1, 9, 9),
       CCellRange(0, 0, 99, 9), 1000 - 1 - 90},
      {"every cell, one at a time and by block", CCellRange(5, 5, 6, 6), {{5, 5}, {6, 6}}, CCellRange(5, 6, 6, 6),
       CCellRange(6, 5, 6, 5), 1},
  };
  for (const Case& c : cases) {
    CGridSelection sel;
    sel.AddRange(c.block);
    for (const Cell& cell : c.deselected) sel.Select(cell.row, cell.col, false);
    sel.RemoveRange(c.removed);
    EXPECT_EQ(sel.GetCount(), c.count) << c.what;
    EXPECT_EQ(sel.IsEmpty(), c.count == 0) << c.what;
    EXPECT_TRUE(sel.GetBounds() == c.bounds) << c.what;
    for (const Cell& cell : c.deselected) EXPECT_FALSE(sel.IsSelected(cell.row, cell.col)) << c.what;
    if (c.removed.IsValid()) {
      EXPECT_FALSE(sel.IsSelected(c.removed.GetMaxRow(), c.removed.GetMaxCol())) << c.what;
    }
  }
}

// ---- Grid model ----

TEST_F(GridFixture, NegativeAndOutOfRangeCountsAreRefused) {
  CGridCtrl g(3, 4, 1, 1);
  EXPECT_FALSE(g.SetRowCount(-1));
  EXPECT_FALSE(g.SetColumnCount(-5));
  EXPECT_FALSE(g.SetFixedRowCount(-1));
  EXPECT_FALSE(g.SetFixedColumnCount(-1));
  EXPECT_EQ(g.InsertRow(_T("x"), -2), -1);
  EXPECT_EQ(g.InsertRow(_T("x"), 0), -1);  // a fixed row
  EXPECT_EQ(g.InsertRow(_T("x"), 3), -1);  // past the end
  EXPECT_EQ(g.InsertColumn(_T("x"), 0, -2), -1);
  EXPECT_EQ(g.InsertColumn(_T("x"), 0, 5), -1);
  EXPECT_FALSE(g.DeleteRow(3));
  EXPECT_FALSE(g.SetRowHeight(0, -1));
  EXPECT_EQ(g.GetRowCount(), 3);
  EXPECT_EQ(g.GetColumnCount(), 4);
  EXPECT_EQ(g.GetFixedRowCount(), 1);
}

TEST_F(GridFixture, FocusFollowsInsertsAndDeletes) {
  CGridCtrl g(6, 3, 1, 1);
  const struct {
    const char* what;
    int insertAt, deleteAt;  // one of them >= 0 (-9: no insertion)
    int focusRowAfter;
  } cases[] = {
      {"insert above", 2, -1, 5}, {"insert at the focus row", 4, -1, 4}, {"insert below", 5, -1, 4},
      {"append", -1, -1, 4},      {"delete above", -9, 2, 3},            {"delete the focus row", -9, 4, -1},
      {"delete below", -9, 5, 4},
  };
  for (const auto& c : cases) {
    g.SetRowCount(6);
    g.SetFocusCell(4, 1);
    ASSERT_EQ(g.GetFocusCell().row, 4);
    if (c.insertAt != -9) {
      EXPECT_GE(g.InsertRow(_T(""), c.insertAt), 0) << c.what;
    } else {
      EXPECT_TRUE(g.DeleteRow(c.deleteAt)) << c.what;
    }
    EXPECT_EQ(g.GetFocusCell().row, c.focusRowAfter) << c.what;
    if (c.focusRowAfter >= 0) {
      EXPECT_TRUE(g.GetCell(c.focusRowAfter, 1)->IsFocused()) << c.what;
    }
    g.SetFocusCell(-1, -1);
    g.SetRowCount(0);
  }
}

TEST_F(GridFixture, StateSelectionCountAndRanges) {
  CGridCtrl g(70001, 4, 1, 1);
  EXPECT_FALSE(g.GetSelectedCellRange().IsValid());
  EXPECT_EQ(g.GetSelectedCellRange().GetMinRow(), 70001);
  ASSERT_TRUE(g.SetItemState(70000, 3, GVIS_SELECTED));
  EXPECT_TRUE(g.IsCellSelected(70000, 3));
  EXPECT_FALSE(g.IsCellSelected(4464, 3));
  EXPECT_EQ(g.GetItemState(4464, 3) & GVIS_SELECTED, 0u);
  EXPECT_EQ(g.GetSelectedCount(), 1);
  g.SelectAllCells();
  EXPECT_EQ(g.GetSelectedCount(), 70000 * 3);
  EXPECT_NE(g.GetItemState(5, 2) & GVIS_SELECTED, 0u);
  g.SetItemState(5, 2, 0);
  EXPECT_EQ(g.GetSelectedCount(), 70000 * 3 - 1);
  // Shrinking keeps no selection past the new end.
  g.SetRowCount(10);
  EXPECT_EQ(g.GetSelectedCount(), 9 * 3 - 1);
  EXPECT_TRUE(g.GetSelectedCellRange() == CCellRange(1, 1, 9, 3));
}

TEST_F(GridFixture, ShrinkingAVirtualGridDropsTheSelectionPastTheEnd) {
  CGridCtrl g;
  g.SetVirtualMode(TRUE);
  g.SetRowCount(100);
  g.SetColumnCount(3);
  g.SetItemState(90, 1, GVIS_SELECTED);
  g.SetItemState(5, 1, GVIS_SELECTED);
  g.SetRowCount(50);
  EXPECT_EQ(g.GetSelectedCount(), 1);
  g.SetRowCount(100);
  EXPECT_FALSE(g.IsCellSelected(90, 1));
}

TEST_F(GridFixture, VirtualModeRefusesSettersAndKeepsOneCellPerGrid) {
  Make();
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(1000000);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  int requests = 0;
  parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg != WM_NOTIFY) return false;
    GV_DISPINFO* info = reinterpret_cast<GV_DISPINFO*>(lp);
    if (static_cast<int>(info->hdr.code) != GVN_GETDISPINFO) return false;
    ++requests;
    info->item.strText.Format(_T("%d/%d"), info->item.row, info->item.col);
    *result = 0;
    return true;
  };
  EXPECT_FALSE(grid.SetItemText(5, 1, _T("x")));
  EXPECT_FALSE(grid.SetItemData(5, 1, 1));
  EXPECT_FALSE(grid.SetItemImage(5, 1, 0));
  EXPECT_FALSE(grid.SetItemFormat(5, 1, 0));
  EXPECT_FALSE(grid.SetItemBkColour(5, 1, 0));
  EXPECT_FALSE(grid.SetItemFgColour(5, 1, 0));
  EXPECT_FALSE(grid.SetItemFont(5, 1, NULL));
  GV_ITEM item;
  item.row = 5, item.col = 1, item.mask = GVIF_TEXT;
  EXPECT_FALSE(grid.SetItem(&item));
  EXPECT_FALSE(grid.SetCell(5, 1, NULL));
  EXPECT_TRUE(grid.SetItemState(999999, 2, GVIS_SELECTED));  // selection is still kept
  CGridCellBase* a = grid.GetCell(999999, 2);
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->GetText(), _T("999999/2"));
  EXPECT_TRUE(a->IsSelected());
  EXPECT_TRUE(a->IsFixedRow() == FALSE);
  CGridCellBase* b = grid.GetCell(0, 0);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(b->IsFixedRow());
  EXPECT_EQ(requests, 2);
  // Another grid has a cell of its own.
  CGridCtrl other;
  other.SetVirtualMode(TRUE);
  other.SetRowCount(3);
  other.SetColumnCount(3);
  CGridCellBase* c = other.GetCell(1, 1);
  ASSERT_NE(c, nullptr);
  EXPECT_NE(c, a);
  EXPECT_STREQ(grid.GetCell(7, 3)->GetText(), _T("7/3"));
  EXPECT_STREQ(c->GetText(), _T(""));  // untouched by the first grid's request
  parent.answer = nullptr;
}

TEST_F(GridFixture, NotificationsReachTheOwnerWithTheirCell) {
  NM_GRIDVIEW seen = {};
  UINT_PTR id = 0;
  int notes = 0;
  parent.answer = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (msg != WM_NOTIFY) return false;
    ++notes;
    id = wp;
    seen = *reinterpret_cast<NM_GRIDVIEW*>(lp);
    *result = 7;
    return true;
  };
  EXPECT_EQ(grid.SendMessageToParent(3, 2, GVN_SELCHANGED), 0);  // no window yet: nothing sent
  EXPECT_EQ(notes, 0);
  Make();
  grid.SetRowCount(5);
  grid.SetColumnCount(5);
  EXPECT_EQ(grid.SendMessageToParent(3, 2, GVN_SELCHANGED), 7);
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(id, static_cast<UINT_PTR>(grid_testing::kGridId));
  EXPECT_EQ(seen.hdr.hwndFrom, grid.m_hWnd);
  EXPECT_EQ(static_cast<int>(seen.hdr.code), GVN_SELCHANGED);
  EXPECT_EQ(seen.iRow, 3);
  EXPECT_EQ(seen.iColumn, 2);
  GV_CACHEHINT hint = {};
  parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    if (msg == WM_NOTIFY) hint = *reinterpret_cast<GV_CACHEHINT*>(lp);
    return false;
  };
  grid.SendCacheHintToParent(CCellRange(1, 2, 3, 4));
  EXPECT_EQ(static_cast<int>(hint.hdr.code), GVN_ODCACHEHINT);
  EXPECT_TRUE(hint.range == CCellRange(1, 2, 3, 4));
  parent.answer = nullptr;
}

TEST_F(GridFixture, AWindowOfTheClassMadeElsewhereIsTakenOver) {
  CGridCtrl::RegisterWindowClass();
  HWND made = CreateWindowEx(0, GRIDCTRL_CLASSNAME, _T(""), WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent.hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(grid_testing::kGridId)), AfxGetInstanceHandle(),
                             NULL);
  ASSERT_NE(made, nullptr);
  ASSERT_TRUE(grid.SubclassWindow(made));
  EXPECT_TRUE(GetWindowLong(made, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  grid.SetRowCount(3);
  grid.SetColumnCount(2);
  EXPECT_TRUE(grid.IsCellVisible(2, 1));
}

// A cell class whose creation fails after a number of cells (a memory failure part-way).
int g_liveCells = 0;
int g_cellsBeforeFailure = -1;
class CountedCell : public CGridCell {
  DECLARE_DYNCREATE(CountedCell)
 public:
  CountedCell() {
    if (g_cellsBeforeFailure == 0) throw std::bad_alloc();
    if (g_cellsBeforeFailure > 0) --g_cellsBeforeFailure;
    ++g_liveCells;
  }
  ~CountedCell() override { --g_liveCells; }
};
IMPLEMENT_DYNCREATE(CountedCell, CGridCell)

TEST_F(GridFixture, AMemoryFailurePartWayLeavesTheGridAsItWas) {
  const struct {
    const char* what;
    int failAfter;
  } cases[] = {{"rows", 0}, {"rows", 7}, {"columns", 0}, {"columns", 5}, {"insert row", 2}, {"insert column", 1}};
  for (const auto& c : cases) {
    g_liveCells = 0;
    g_cellsBeforeFailure = -1;
    {
      CGridCtrl g;
      g.SetDefaultCellType(RUNTIME_CLASS(CountedCell));
      ASSERT_TRUE(g.SetRowCount(4));
      ASSERT_TRUE(g.SetColumnCount(3));
      g.SetItemText(3, 2, _T("kept"));
      g_cellsBeforeFailure = c.failAfter;
      const std::string what = c.what;
      if (what == "rows") {
        EXPECT_FALSE(g.SetRowCount(40));
      } else if (what == "columns") {
        EXPECT_FALSE(g.SetColumnCount(30));
      } else if (what == "insert row") {
        EXPECT_EQ(g.InsertRow(_T("new"), 1), -1);
      } else {
        EXPECT_EQ(g.InsertColumn(_T("new"), 0, 1), -1);
      }
      g_cellsBeforeFailure = -1;
      EXPECT_EQ(g.GetRowCount(), 4) << c.what;
      EXPECT_EQ(g.GetColumnCount(), 3) << c.what;
      EXPECT_EQ(g_liveCells, 12) << c.what << " after " << c.failAfter;
      EXPECT_EQ(g.GetItemText(3, 2), CString(_T("kept")));
      EXPECT_TRUE(g.SetRowCount(6)) << c.what;  // and the grid goes on working
      EXPECT_EQ(g_liveCells, 18);
    }
    EXPECT_EQ(g_liveCells, 0) << c.what;
  }
}

TEST_F(GridFixture, DeleteNonFixedRowsTruncatesOnce) {
  CGridCtrl g(100000, 3, 2, 1);
  g.SetItemText(1, 2, _T("head"));
  g.SetFocusCell(50000, 1);
  EXPECT_TRUE(g.DeleteNonFixedRows());
  EXPECT_EQ(g.GetRowCount(), 2);
  EXPECT_EQ(g.GetFixedRowCount(), 2);
  EXPECT_EQ(g.GetItemText(1, 2), CString(_T("head")));
  EXPECT_FALSE(g.GetFocusCell().IsValid());
}

TEST_F(GridFixture, ModifiedFlagsAndFixedCounts) {
  CGridCtrl g(3, 3);
  g.SetModified(FALSE);
  g.SetItemText(1, 1, _T("a"));
  EXPECT_TRUE(g.GetModified(1, 1));
  EXPECT_TRUE(g.GetModified());
  g.SetModified(FALSE);
  EXPECT_FALSE(g.GetModified(1, 1));
  EXPECT_TRUE(g.SetFixedRowCount(5));  // grows the rows first
  EXPECT_EQ(g.GetRowCount(), 5);
  EXPECT_TRUE(g.GetCell(4, 2)->IsFixedRow());
  EXPECT_TRUE(g.SetFixedRowCount(1));
  EXPECT_FALSE(g.GetCell(4, 2)->IsFixed());
  EXPECT_EQ(g.InsertRow(NULL), 5);
  EXPECT_EQ(g.GetRowHeight(5), g.GetDefaultCell(TRUE, FALSE)->GetTextExtent(NULL).cy);
}

TEST_F(GridFixture, UserValuesArePointerSized) {
  CGridCtrl g(2, 2);
  int target = 0;
  const LPARAM value = reinterpret_cast<LPARAM>(&target) | (sizeof(LPARAM) > 4 ? (LPARAM(1) << 40) : 0);
  ASSERT_TRUE(g.SetItemData(1, 1, value));
  EXPECT_EQ(g.GetItemData(1, 1), value);
  GV_ITEM item;
  item.row = 1, item.col = 1, item.mask = GVIF_PARAM;
  ASSERT_TRUE(g.GetItem(&item));
  EXPECT_EQ(item.lParam, value);
}

TEST_F(GridFixture, FontsAreMadeOncePerGridAndLogfont) {
  CGridCtrl g(2, 3), h(2, 3);
  LOGFONT lf = {};
  lf.lfHeight = -20;
  lstrcpy(lf.lfFaceName, _T("Arial"));
  g.SetItemFont(1, 1, &lf);
  g.SetItemFont(1, 2, &lf);
  h.SetItemFont(1, 1, &lf);
  CFont* a = g.GetCell(1, 1)->GetFontObject();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(g.GetCell(1, 2)->GetFontObject(), a);       // the same LOGFONT, the same font
  EXPECT_NE(h.GetCell(1, 1)->GetFontObject(), a);       // another grid, its own
  lf.lfHeight = -30;
  g.SetItemFont(1, 2, &lf);
  CFont* b = g.GetCell(1, 2)->GetFontObject();
  EXPECT_NE(b, a);
  LOGFONT back = {};
  ASSERT_NE(GetObject(a->m_hObject, sizeof(back), &back), 0);  // the first is still alive
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(g.GetCell(0, 0)->GetFontObject(), g.GetDefaultCell(FALSE, FALSE)->GetFontObject());
}

TEST(GridDefaultCell, MessageFontFallsBackToTheGuiFont) {
  LOGFONT system = {}, gui = {}, fallback = {};
  CGridDefaultCell::GetSystemMessageFont(&system);
  EXPECT_NE(system.lfFaceName[0], 0);
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  // A record the call cannot take.
  CGridDefaultCell::GetSystemMessageFont(&fallback, sizeof(NONCLIENTMETRICS) + 4);
  EXPECT_EQ(fallback.lfHeight, gui.lfHeight);
  EXPECT_STREQ(fallback.lfFaceName, gui.lfFaceName);
  EXPECT_EQ(memcmp(&fallback, &gui, offsetof(LOGFONT, lfFaceName)), 0);
  CGridDefaultCell cell;
  EXPECT_TRUE(cell.GetState() & GVIS_READONLY);
  EXPECT_FALSE(cell.IsReadOnly());
  EXPECT_GT(cell.GetWidth(), 0);
  EXPECT_GT(cell.GetHeight(), 0);
  EXPECT_EQ(cell.GetFormat(), 0x8824u);
}

TEST(GridCell, ResetKeepsDataAndUnsetAttributesComeFromTheDefault) {
  CGridCtrl g(2, 2, 1, 0);
  CGridCellBase* cell = g.GetCell(1, 1);
  cell->SetData(42);
  cell->SetText(_T("t"));
  cell->SetMargin(7);
  EXPECT_EQ(cell->GetTextClr(), CLR_GRID_DEFAULT);
  EXPECT_EQ(cell->GetMargin(), 7u);
  cell->Reset();
  EXPECT_EQ(cell->GetData(), 42);
  EXPECT_EQ(cell->GetGrid(), nullptr);
  EXPECT_STREQ(cell->GetText(), _T(""));
  cell->SetGrid(&g);
  EXPECT_EQ(cell->GetMargin(), g.GetDefaultCell(FALSE, FALSE)->GetMargin());
}

// A cell whose editor can or cannot be made.
class EditedCell : public CGridCell {
 public:
  CWnd* editor = NULL;

 protected:
  CWnd* CreateEditor(int, int, const CRect&, DWORD, UINT, UINT) override { return editor; }
};

TEST(GridCell, EditWithoutAnEditorLeavesTheCellAsItWas) {
  EditedCell cell;
  EXPECT_FALSE(cell.Edit(1, 1, CRect(0, 0, 10, 10), CPoint(0, 0), 5, 'a'));
  EXPECT_FALSE(cell.IsEditing());
  EXPECT_EQ(cell.GetEditWnd(), nullptr);
  CWnd editor;
  cell.editor = &editor;
  EXPECT_TRUE(cell.Edit(1, 1, CRect(0, 0, 10, 10), CPoint(0, 0), 5, 'a'));
  EXPECT_TRUE(cell.IsEditing());
  cell.OnEndEdit();
  EXPECT_FALSE(cell.IsEditing());
}

TEST(GridCell, ShadedPrintingGreysByLuminance) {
  const struct {
    COLORREF in;
    int grey;
  } cases[] = {{RGB(255, 255, 255), 255}, {RGB(0, 0, 0), 0}, {RGB(255, 0, 0), 76}, {RGB(0, 255, 0), 150},
               {RGB(0, 0, 255), 28}};
  for (const auto& c : cases) {
    const COLORREF out = CGridCellBase::LuminanceOf(c.in);
    EXPECT_EQ(GetRValue(out), c.grey);
    EXPECT_EQ(GetGValue(out), c.grey);
    EXPECT_EQ(GetBValue(out), c.grey);
  }
}

}  // namespace
