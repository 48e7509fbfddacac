// Sorting rows: the two compare functions (ordinal text, 64-bit leading numbers), whole rows
// moving with their heights, the answers for bad columns and virtual grids, header clicks,
// and a shallow stack on data chosen to make quicksort go as deep as it can.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "../ui_grid/grid_fixture.h"

namespace {

using grid_testing::GridFixture;

// Cells of two texts compared by a compare function.
int Compare(PFNLVCOMPARE compare, LPCTSTR a, LPCTSTR b) {
  CGridCell x, y;
  x.SetText(a);
  y.SetText(b);
  return compare(reinterpret_cast<LPARAM>(&x), reinterpret_cast<LPARAM>(&y), 0);
}

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

TEST(GridCompare, TextAndNumericComparesOrderAsTheirNamesSay) {
  const PFNLVCOMPARE text = CGridCtrl::pfnCellTextCompare, number = CGridCtrl::pfnCellNumericCompare;
  const struct Case {
    PFNLVCOMPARE compare;
    LPCTSTR a, b;
    int sign;
  } cases[] = {
      {number, _T("9"), _T("10"), -1},
      {number, _T("10"), _T("9"), 1},
      {text, _T("10"), _T("9"), -1},
      {text, _T("9"), _T("10"), 1},
      {text, _T("abc"), _T("abc"), 0},
      {text, _T("B"), _T("a"), -1},  // ordinal: capitals first
      {number, _T("  42 apples"), _T("42"), 0},
      {number, _T("-7"), _T("3"), -1},
      {number, _T("x"), _T("0"), 0},
      // Beyond 32 bits the numbers still order by value.
      {number, _T("3000000000"), _T("2147483648"), 1},
      {number, _T("-3000000000"), _T("-2147483649"), -1},
      {number, _T("9223372036854775807"), _T("9223372036854775806"), 1},
      {number, _T("99999999999999999999"), _T("9223372036854775807"), 0},  // saturates at 64 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.sign, Sign(Compare(c.compare, c.a, c.b))) << c.a << " vs " << c.b;
  CGridCell cell;
  EXPECT_EQ(0, text(0, reinterpret_cast<LPARAM>(&cell), 0));
  EXPECT_EQ(0, number(reinterpret_cast<LPARAM>(&cell), 0, 0));
}

// A grid of one fixed row: column 0 the numbers, column 1 a tag naming the row.
void FillNumbers(CGridCtrl& grid, const std::vector<int>& numbers) {
  ASSERT_TRUE(grid.SetColumnCount(2));
  ASSERT_TRUE(grid.SetRowCount(static_cast<int>(numbers.size()) + 1));
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  grid.SetItemText(0, 0, _T("N"));
  grid.SetItemText(0, 1, _T("Tag"));
  for (size_t i = 0; i < numbers.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    grid.SetItemTextFmt(row, 0, _T("%d"), numbers[i]);
    grid.SetItemTextFmt(row, 1, _T("t%d"), numbers[i]);
    grid.SetRowHeight(row, 10 + numbers[i]);
  }
}

std::vector<int> Column0(CGridCtrl& grid) {
  std::vector<int> out;
  for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
    out.push_back(_ttoi(grid.GetItemText(r, 0)));
    // The whole row moved: its tag and its height.
    EXPECT_EQ(CString(_T("t")) + grid.GetItemText(r, 0), grid.GetItemText(r, 1)) << r;
    EXPECT_EQ(10 + out.back(), grid.GetRowHeight(r)) << r;
  }
  return out;
}

TEST(GridSort, RowsMoveWholeInEitherDirection) {
  const struct Case {
    PFNLVCOMPARE compare;
    BOOL ascending;
    std::vector<int> expected;
  } cases[] = {
      {CGridCtrl::pfnCellNumericCompare, TRUE, {1, 2, 9, 10, 10, 33}},
      {CGridCtrl::pfnCellNumericCompare, FALSE, {33, 10, 10, 9, 2, 1}},
      {CGridCtrl::pfnCellTextCompare, TRUE, {1, 10, 10, 2, 33, 9}},
      {CGridCtrl::pfnCellTextCompare, FALSE, {9, 33, 2, 10, 10, 1}},
  };
  for (const auto& c : cases) {
    CGridCtrl grid;
    FillNumbers(grid, {10, 9, 33, 1, 10, 2});
    grid.SetFocusCell(2, 1);
    grid.SetSelectedRange(1, 0, 3, 1);
    EXPECT_TRUE(grid.SortItems(c.compare, 0, c.ascending));
    EXPECT_EQ(c.expected, Column0(grid));
    EXPECT_EQ(CString(_T("N")), grid.GetItemText(0, 0));  // the fixed row stays
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(0, grid.GetSortColumn());
    EXPECT_EQ(c.ascending, grid.GetSortAscending());
  }
}

TEST(GridSort, TheGridsCompareFunctionOrTextOrder) {
  CGridCtrl grid;
  FillNumbers(grid, {10, 9, 100});
  EXPECT_TRUE(grid.SortItems(0, TRUE));
  EXPECT_EQ((std::vector<int>{10, 100, 9}), Column0(grid));
  grid.SetCompareFunction(CGridCtrl::pfnCellNumericCompare);
  EXPECT_TRUE(grid.SortItems(0, TRUE));
  EXPECT_EQ((std::vector<int>{9, 10, 100}), Column0(grid));
  EXPECT_TRUE(grid.SortTextItems(0, FALSE));  // text order whatever the grid's function
  EXPECT_EQ((std::vector<int>{9, 100, 10}), Column0(grid));
}

int g_compares = 0;
int CALLBACK CountingCompare(LPARAM a, LPARAM b, LPARAM data) {
  ++g_compares;
  return CGridCtrl::pfnCellTextCompare(a, b, data);
}

TEST(GridSort, RefusalsLeaveTheRowsButTakeTheSortColumn) {
  CGridCtrl grid;
  FillNumbers(grid, {3, 1, 2});
  g_compares = 0;
  EXPECT_FALSE(grid.SortItems(CountingCompare, 2, TRUE));  // no column 2
  EXPECT_EQ(2, grid.GetSortColumn());
  EXPECT_FALSE(grid.SortItems(CountingCompare, -1, TRUE));
  CGridCtrl one;
  FillNumbers(one, {5});
  EXPECT_FALSE(one.SortItems(CountingCompare, 0, FALSE));  // fewer than two rows
  EXPECT_EQ(0, one.GetSortColumn());
  EXPECT_FALSE(one.GetSortAscending());
  EXPECT_EQ(0, g_compares);
  EXPECT_EQ((std::vector<int>{3, 1, 2}), Column0(grid));
}

TEST(GridSort, AVirtualGridAnswersFalseWithoutComparing) {
  CGridCtrl grid;
  grid.SetVirtualMode(TRUE);
  ASSERT_TRUE(grid.SetColumnCount(2));
  ASSERT_TRUE(grid.SetRowCount(1000));
  g_compares = 0;
  EXPECT_FALSE(grid.SortItems(CountingCompare, 1, TRUE));
  EXPECT_EQ(0, g_compares);
  EXPECT_EQ(1, grid.GetSortColumn());
}

class GridHeaderSort : public GridFixture {};

TEST_F(GridHeaderSort, HeaderClicksSortAndToggleTheDirection) {
  Make();
  FillNumbers(grid, {2, 3, 1});
  grid.SetCompareFunction(CGridCtrl::pfnCellNumericCompare);
  grid.SetHeaderSort(TRUE);
  CRect heading;
  ASSERT_TRUE(grid.GetCellRect(0, 0, heading));
  const LPARAM at = MAKELPARAM(heading.CenterPoint().x, heading.CenterPoint().y);
  const struct Step {
    BOOL ascending;
    std::vector<int> rows;
  } steps[] = {{TRUE, {1, 2, 3}}, {FALSE, {3, 2, 1}}, {TRUE, {1, 2, 3}}};
  for (const Step& s : steps) {
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    grid.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(0, grid.GetSortColumn());
    EXPECT_EQ(s.ascending, grid.GetSortAscending());
    EXPECT_EQ(s.rows, Column0(grid));
  }
}

// An adversary for quicksort (after McIlroy): values are settled only when compared, each
// time so that the pivot is as small as can be, and every partition as lopsided as it gets.
struct Adversary {
  std::vector<int> value;
  int solid = 0, candidate = -1;
  int gas() const { return static_cast<int>(value.size()); }
  static Adversary* current;
  static int CALLBACK Compare(LPARAM a, LPARAM b, LPARAM) {
    Adversary& s = *current;
    const int x = static_cast<int>(reinterpret_cast<CGridCellBase*>(a)->GetData());
    const int y = static_cast<int>(reinterpret_cast<CGridCellBase*>(b)->GetData());
    if (s.value[x] == s.gas() && s.value[y] == s.gas()) s.value[x == s.candidate ? x : y] = s.solid++;
    if (s.value[x] == s.gas())
      s.candidate = x;
    else if (s.value[y] == s.gas())
      s.candidate = y;
    return s.value[x] - s.value[y];
  }
};
Adversary* Adversary::current = nullptr;

// The lowest stack address a compare call saw.
const char* g_deepest = nullptr;
int CALLBACK DepthProbingCompare(LPARAM a, LPARAM b, LPARAM data) {
  char here = 0;
  if (g_deepest == nullptr || &here < g_deepest) g_deepest = &here;
  return Adversary::Compare(a, b, data);
}

TEST(GridSort, AdversarialDataKeepsTheStackShallow) {
  const int rows = 10000;
  CGridCtrl grid(rows, 1);
  Adversary adversary;
  adversary.value.assign(rows, rows);
  Adversary::current = &adversary;
  for (int r = 0; r < rows; ++r) grid.SetItemData(r, 0, r);
  char top = 0;
  g_deepest = nullptr;
  ASSERT_TRUE(grid.SortItems(DepthProbingCompare, 0, TRUE));
  ASSERT_NE(g_deepest, nullptr);
  // Recursing into both sides would go about rows / 2 calls deep here (hundreds of KB); into
  // the smaller side only, a few calls.
  EXPECT_LT(&top - g_deepest, 16 * 1024);
  for (int r = 1; r < rows; ++r)
    ASSERT_LE(adversary.value[static_cast<size_t>(grid.GetItemData(r - 1, 0))],
              adversary.value[static_cast<size_t>(grid.GetItemData(r, 0))]) << r;
}

}  // namespace
