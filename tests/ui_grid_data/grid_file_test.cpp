// Save and Load of delimited text: texts that hold the separator, line feeds, quotes, long
// lines and text beyond the ANSI code page come back as they were; plain files stay what a
// plain join of the texts gives; failures tell the user and answer FALSE.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

typedef std::vector<std::vector<std::wstring>> Table;

std::vector<std::wstring> g_messages;
int CALLBACK RecordMessage(LPCTSTR text, UINT, UINT) {
  g_messages.push_back(CStringW(text).GetString());
  return IDOK;
}

class GridFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = testing_support::TempPath("gridfile");
    g_messages.clear();
    oldHook = AfxSetMessageBoxHook(RecordMessage);
  }
  void TearDown() override {
    AfxSetMessageBoxHook(oldHook);
    DeleteFileA(path.c_str());
  }
  CString WPath() const { return CString(path.c_str()); }
  void WriteBytes(const std::string& bytes) const {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  std::string path;
  AFX_MESSAGEBOX_HOOK oldHook = NULL;
};

void Fill(CGridCtrl& grid, const Table& table) {
  ASSERT_TRUE(grid.SetRowCount(static_cast<int>(table.size())));
  ASSERT_TRUE(grid.SetColumnCount(static_cast<int>(table[0].size())));
  for (size_t r = 0; r < table.size(); ++r)
    for (size_t c = 0; c < table[r].size(); ++c)
      ASSERT_TRUE(grid.SetItemText(static_cast<int>(r), static_cast<int>(c), CString(table[r][c].c_str())));
}

Table Contents(const CGridCtrl& grid) {
  Table table(static_cast<size_t>(grid.GetRowCount()));
  for (int r = 0; r < grid.GetRowCount(); ++r)
    for (int c = 0; c < grid.GetColumnCount(); ++c) table[static_cast<size_t>(r)].push_back(CStringW(grid.GetItemText(r, c)).GetString());
  return table;
}

TEST_F(GridFile, TextsRoundTripThroughSaveAndLoad) {
  const std::wstring longLine(3000, L'x');
  const struct Case {
    const char* what;
    wchar_t separator;
    Table table;
  } cases[] = {
      {"separator in a cell", L',', {{L"a", L"b"}, {L"1,234", L"x"}}},
      {"line feed in a cell", L',', {{L"a", L"b"}, {L"two\nlines", L"y"}, {L"z", L"w"}}},
      {"carriage returns in a cell", L',', {{L"a", L"b"}, {L"cr\rlf\r\n", L"y"}}},
      {"quotes in cells", L',', {{L"a", L"b"}, {L"\"quoted\"", L"in \"the\" middle"}, {L"\"", L"\"\""}}},
      {"empty last heading", L',', {{L"a", L"b", L""}, {L"1", L"2", L"3"}}},
      {"empty cells at the ends", L',', {{L"", L"b", L""}, {L"", L"", L""}, {L"1", L"", L"3"}}},
      {"a 3,000-character line", L',', {{L"a", L"b"}, {longLine, L"after"}, {L"next", L"row"}}},
#ifdef _UNICODE  // texts beyond the ANSI code page are the Unicode edition's
      // A letter the code page would only approximate ("a" for "\u0101") is not approximated.
      {"a letter with only a best fit", L',', {{L"\u0101", L"b"}}},
      {"Greek and CJK", L',', {{L"\u0391\u03bb\u03c6\u03b1", L"\u6f22\u5b57"}, {L"\u03b2\u03ae\u03c4\u03b1", L"\u4e2d\u6587,\u6587"}}},
#endif
      {"an empty row", L',', {{L"a", L"b"}, {L"", L""}, {L"c", L"d"}}},
      {"an empty row of one column", L',', {{L"a"}, {L""}, {L"b"}}},
      {"tab separator", L'\t', {{L"a", L"b"}, {L"1,2", L"tab\there"}}},
      {"headings only", L';', {{L"x;y", L"z"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGridCtrl saved;
    Fill(saved, c.table);
    ASSERT_TRUE(saved.Save(WPath(), c.separator));
    CGridCtrl loaded;
    ASSERT_TRUE(loaded.Load(WPath(), c.separator));
    EXPECT_EQ(c.table, Contents(loaded));
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(GridFile, PlainAndNonAnsiTextsAreWrittenAsExpected) {
  const struct Case {
    const char* what;
    Table table;
    std::string bytes;
  } cases[] = {
      // Nothing to quote: the texts joined by the separator, lines ending in CR LF.
      {"plain", {{L"Name", L"Qty"}, {L"bolt", L"12"}, {L"it's", L"a \"b\""}}, "Name,Qty\r\nbolt,12\r\nit's,a \"b\"\r\n"},
      {"quoted", {{L"a,b", L"\"c"}}, "\"a,b\",\"\"\"c\"\r\n"},
#ifdef _UNICODE
      // Greek has no form in the ANSI code page: UTF-8 after its byte-order mark.
      {"Greek", {{L"\u03b1", L"b"}}, "\xEF\xBB\xBF\xCE\xB1,b\r\n"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGridCtrl grid;
    Fill(grid, c.table);
    ASSERT_TRUE(grid.Save(WPath()));
    EXPECT_EQ(c.bytes, testing_support::ReadFile(path));
  }
}

TEST_F(GridFile, FilesOfOtherWritersLoad) {
  const struct Case {
    const char* what;
    std::string bytes;
    Table table;
  } cases[] = {
      {"LF line ends, empty lines add no row", "h1,h2\n\nx,y\n\n\nz,w\n", {{L"h1", L"h2"}, {L"x", L"y"}, {L"z", L"w"}}},
      {"no final line end", "h1,h2\r\nx,y", {{L"h1", L"h2"}, {L"x", L"y"}}},
      {"fewer fields than headings", "a,b,c\r\n1\r\n", {{L"a", L"b", L"c"}, {L"1", L"", L""}}},
      {"more fields than headings are dropped", "a,b\r\n1,2,3\r\n", {{L"a", L"b"}, {L"1", L"2"}}},
      {"an unterminated quote runs to the end", "a,b\r\n\"open,x\r\ny", {{L"a", L"b"}, {L"open,x\r\ny", L""}}},
      {"zero bytes end a cell's text", std::string("a\0b,c\r\nx,\0\r\n", 12), {{L"a", L"c"}, {L"x", L""}}},
      {"a quote inside plain text is text", "a,b\r\nx\"y,z\r\n", {{L"a", L"b"}, {L"x\"y", L"z"}}},
      {"UTF-8 with its mark", "\xEF\xBB\xBF\xC3\xA9,b\r\n", {{L"\u00e9", L"b"}}},
#ifdef _UNICODE
      {"UTF-8 beyond the ANSI code page", "\xEF\xBB\xBF\xE6\xBC\xA2,b\r\n", {{L"\u6f22", L"b"}}},
      {"broken UTF-8 after the mark", "\xEF\xBB\xBF\xE6\xBC,b\r\n", {{L"\xFFFD", L"b"}}},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(c.bytes);
    CGridCtrl grid;
    ASSERT_TRUE(grid.Load(WPath()));
    EXPECT_EQ(c.table, Contents(grid));
  }
  WriteBytes("");
  CGridCtrl empty(3, 3);
  EXPECT_TRUE(empty.Load(WPath()));
  EXPECT_EQ(0, empty.GetRowCount());
  EXPECT_EQ(0, empty.GetColumnCount());
}

TEST_F(GridFile, LoadFillsTheGridOnceWithHeadingsInRowZero) {
  WriteBytes("Item,Count\r\nbolt,12\r\nnut,7\r\n");
  testing_support::PumpMessages();
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("grid file"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
                              NULL, 0));
  CGridCtrl grid;
  ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &parent, 7));
  ASSERT_TRUE(grid.Load(WPath()));
  EXPECT_EQ(3, grid.GetRowCount());
  EXPECT_EQ(2, grid.GetColumnCount());
  EXPECT_EQ(CString(_T("Count")), grid.GetItemText(0, 1));
  EXPECT_EQ(CString(_T("nut")), grid.GetItemText(2, 0));
  EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE), grid.GetItemFormat(0, 1));
  for (int r = 0; r < 3; ++r) EXPECT_GT(grid.GetRowHeight(r), 0) << r;
  // Auto-sized: the longer heading gets the wider column.
  EXPECT_GT(grid.GetColumnWidth(1), 0);
  EXPECT_GE(grid.GetColumnWidth(1), grid.GetColumnWidth(0));
  grid.DestroyWindow();
  parent.DestroyWindow();
}

TEST_F(GridFile, LoadInVirtualModeAnswersFalseAndChangesNothing) {
  WriteBytes("a,b\r\n1,2\r\n");
  CGridCtrl grid;
  grid.SetVirtualMode(TRUE);
  ASSERT_TRUE(grid.SetRowCount(5));
  ASSERT_TRUE(grid.SetColumnCount(4));
  EXPECT_FALSE(grid.Load(WPath()));
  EXPECT_EQ(5, grid.GetRowCount());
  EXPECT_EQ(4, grid.GetColumnCount());
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(GridFile, FileErrorsTellTheUserAndAnswerFalse) {
  const CString missing = _T("C:\\no such folder\\grid.csv");
  CGridCtrl grid;
  Fill(grid, {{L"keep", L"me"}});
  EXPECT_FALSE(grid.Save(missing));
  ASSERT_EQ(1u, g_messages.size());
  EXPECT_NE(std::wstring::npos, g_messages[0].find(L"grid.csv")) << g_messages[0];
  g_messages.clear();
  EXPECT_FALSE(grid.Load(missing));
  ASSERT_EQ(1u, g_messages.size());
  // A load that cannot read keeps the grid as it was.
  EXPECT_EQ((Table{{L"keep", L"me"}}), Contents(grid));
}

}  // namespace
