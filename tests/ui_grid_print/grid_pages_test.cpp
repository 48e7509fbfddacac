// A grid printed on the real "PDF" printer, each job written to a PostScript file whose
// pages' texts are read back: the footer's "Page n of m", rows taller than a page printed on
// pages of their own, every row and column printed exactly once, and WYSIWYG column pages.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "handle_counts.h"
#include "print_output.h"
#include "test_support.h"

namespace {

// A print dialog whose printer DC writes the job to `path` (the caller's DC, deleted here).
class FilePrintDialog : public CPrintDialog {
 public:
  explicit FilePrintDialog(const std::string& path) : CPrintDialog(FALSE) {
    m_pd.hDC = ::CreateDC(_T("WINSPOOL"), _T("PDF"), CString(path.c_str()), NULL);
  }
  ~FilePrintDialog() override {
    if (m_pd.hDC != NULL) ::DeleteDC(m_pd.hDC);
  }
};

class GridPages : public ::testing::Test {
 protected:
  void SetUp() override {
    path = testing_support::TempPath("gridpages");
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Stock list"), WS_POPUP | WS_VISIBLE,
                                CRect(0, 0, 400, 300), NULL, 0));
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 5));
  }
  void TearDown() override {
    grid.DestroyWindow();
    parent.DestroyWindow();
    DeleteFileA(path.c_str());
  }
  // Prints the grid to the file; the texts of its pages.
  std::vector<std::string> PrintPages() {
    DeleteFileA(path.c_str());
    FilePrintDialog dialog(path);
    EXPECT_NE(dialog.m_pd.hDC, nullptr) << "no \"PDF\" printer in the Wine prefix";
    EXPECT_TRUE(grid.Print(&dialog));
    const std::string ps = testing_support::ReadFile(path);
    EXPECT_FALSE(ps.empty()) << "the job wrote nothing to " << path;
    return testing_support::PostScriptPageTexts(ps);
  }
  // Rows and columns with one fixed row and column; body cell (r, c) reads "XcYrZ", the
  // fixed cells "Hc" and "Vr".
  void Fill(int rows, int cols, int rowHeight, int colWidth) {
    ASSERT_TRUE(grid.SetRowCount(rows));
    ASSERT_TRUE(grid.SetColumnCount(cols));
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    ASSERT_TRUE(grid.SetFixedColumnCount(1));
    for (int r = 0; r < rows; ++r) {
      grid.SetRowHeight(r, r == 0 ? 20 : rowHeight);
      for (int c = 0; c < cols; ++c) {
        if (r == 0) grid.SetColumnWidth(c, colWidth);
        if (r == 0)
          grid.SetItemTextFmt(r, c, _T("H%d"), c);
        else if (c == 0)
          grid.SetItemTextFmt(r, c, _T("V%d"), r);
        else
          grid.SetItemTextFmt(r, c, _T("X%dY%dZ"), c, r);
      }
    }
  }
  // The body cells a page shows, as (row, column).
  static std::set<std::pair<int, int>> CellsOf(const std::string& page) {
    std::set<std::pair<int, int>> cells;
    static const std::regex cell("X([0-9]+)Y([0-9]+)Z");
    for (std::sregex_iterator it(page.begin(), page.end(), cell), end; it != end; ++it)
      cells.insert({std::stoi((*it)[2]), std::stoi((*it)[1])});
    return cells;
  }
  std::string path;
  CWnd parent;
  CGridCtrl grid;
};

TEST_F(GridPages, RowsTallerThanAPagePrintClippedOnPagesOfTheirOwn) {
  // Seven body rows, each far taller than a page: seven pages, one row on each.
  Fill(8, 3, 100000, 80);
  const std::vector<std::string> pages = PrintPages();
  ASSERT_EQ(7u, pages.size());
  for (int p = 1; p <= 7; ++p) {
    SCOPED_TRACE(p);
    const std::string& text = pages[static_cast<size_t>(p - 1)];
    EXPECT_NE(std::string::npos, text.find("Page" + std::to_string(p) + "of7")) << text;
    const std::set<std::pair<int, int>> expected = {{p, 1}, {p, 2}};
    EXPECT_EQ(expected, CellsOf(text));
    // The headings and the row's heading on every page, and the parent's title.
    EXPECT_NE(std::string::npos, text.find("H1")) << text;
    EXPECT_NE(std::string::npos, text.find("V" + std::to_string(p))) << text;
    EXPECT_NE(std::string::npos, text.find("Stocklist")) << text;
  }
}

TEST_F(GridPages, EveryRowPrintsOnceOnConsecutivePages) {
  Fill(200, 3, 20, 80);
  PrintPages();  // the fonts the job makes are the system's from now on
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  const std::vector<std::string> pages = PrintPages();
  EXPECT_EQ(before, testing_support::GuiCounts::Now());  // the job left nothing behind
  ASSERT_GT(pages.size(), 1u);
  int next = 1;
  for (size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE(p + 1);
    const std::string footer = "Page" + std::to_string(p + 1) + "of" + std::to_string(pages.size());
    EXPECT_NE(std::string::npos, pages[p].find(footer));
    for (const auto& cell : CellsOf(pages[p])) {
      if (cell.second != 1) continue;
      EXPECT_EQ(next, cell.first);
      ++next;
    }
  }
  EXPECT_EQ(200, next);
}

TEST_F(GridPages, WysiwygPagesShowTheirRowPageAndColumnPage) {
  grid.EnableWysiwygPrinting(TRUE);
  Fill(120, 40, 20, 70);
  const std::vector<std::string> pages = PrintPages();
  const int multiplier = grid.GetPrintPageMultiplier();
  ASSERT_GT(multiplier, 1) << "the grid is narrower than a page";
  ASSERT_EQ(0u, pages.size() % static_cast<size_t>(multiplier));
  ASSERT_GT(pages.size(), static_cast<size_t>(multiplier)) << "the grid is shorter than a page";
  // Page p shows row page ceil(p / multiplier) and column page (p - 1) mod multiplier: the
  // pages of one row page show the same rows, the pages of one column page the same
  // columns, and row pages and column pages follow each other in order without a gap.
  std::map<int, std::set<int>> rowsOfRowPage, colsOfColPage;
  for (size_t i = 0; i < pages.size(); ++i) {
    const int p = static_cast<int>(i) + 1;
    const int rowPage = (p + multiplier - 1) / multiplier, colPage = (p - 1) % multiplier;
    std::set<int> rows, cols;
    for (const auto& cell : CellsOf(pages[i])) rows.insert(cell.first), cols.insert(cell.second);
    ASSERT_FALSE(rows.empty()) << p;
    if (rowsOfRowPage.count(rowPage)) {
      EXPECT_EQ(rowsOfRowPage[rowPage], rows) << p;
    }
    if (colsOfColPage.count(colPage)) {
      EXPECT_EQ(colsOfColPage[colPage], cols) << p;
    }
    rowsOfRowPage[rowPage] = rows;
    colsOfColPage[colPage] = cols;
    EXPECT_EQ(static_cast<size_t>(rows.size() * cols.size()), CellsOf(pages[i]).size()) << p;
  }
  int nextRow = 1, nextCol = 1;
  for (const auto& page : rowsOfRowPage)
    for (int row : page.second) EXPECT_EQ(nextRow++, row);
  for (const auto& page : colsOfColPage)
    for (int col : page.second) EXPECT_EQ(nextCol++, col);
  EXPECT_EQ(120, nextRow);
  EXPECT_EQ(40, nextCol);
}

TEST_F(GridPages, APrintDialogCancelledPrintsNothing) {
  Fill(3, 3, 20, 80);
  const int kAllPages = 0x420;  // the print dialog's "All" button
  testing_support::DialogDriver driver({{kAllPages, [](HWND dlg) { testing_support::DialogDriver::Press(dlg, IDCANCEL); }}});
  EXPECT_FALSE(grid.Print());
  EXPECT_EQ(1u, driver.done());
}

TEST_F(GridPages, MarginsKeepWhatIsNotNegative) {
  grid.SetPrintMarginInfo(3, -1, 5, -2, 0, 7, -3);
  int v[7];
  grid.GetPrintMarginInfo(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  const int expected[7] = {3, 2, 5, 4, 0, 7, 1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(expected[i], v[i]) << i;
}

}  // namespace
