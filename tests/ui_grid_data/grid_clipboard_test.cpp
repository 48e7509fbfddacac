// Copy, cut and paste of cell text: the text of a selection (gaps of a Ctrl selection as
// empty fields, hidden rows and columns left out, one terminator, Unicode and ANSI forms),
// pasting blocks of every shape (line ends, excess columns, read-only cells, blocks without a
// terminator, numbers with commas), cutting only the selected cells, and the keys.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_clipboard_fixture.h"
#include "recording_cmd_ui.h"
#include "test_support.h"

namespace {

using grid_testing::BlockBytes;
using grid_testing::DataOf;
using grid_testing::ExactBlock;
using grid_testing::OleGridFixture;
using grid_testing::TextSource;
using grid_testing::Utf16Bytes;

class GridClipboard : public OleGridFixture {
 protected:
  // The texts of rows 1..3, columns 1..4, row by row, cells joined by '|'.
  std::wstring Body() {
    std::wstring out;
    for (int r = 1; r < grid.GetRowCount(); ++r) {
      for (int c = 1; c < grid.GetColumnCount(); ++c) out += std::wstring(CStringW(grid.GetItemText(r, c))) + L"|";
      out += L"\n";
    }
    return out;
  }
  // Pastes what the source offers at (row, col); the answer.
  BOOL Paste(COleDataSource* source, int row, int col) {
    COleDataObject data;
    data.Attach(DataOf(source), FALSE);
    const BOOL answer = grid.PasteTextToGrid(CCellID(row, col), &data);
    source->InternalRelease();
    return answer;
  }
};

TEST_F(GridClipboard, CopiedTextFollowsTheSelection) {
  const struct Case {
    const char* what;
    std::vector<CCellID> cells;  // selected one by one (a Ctrl selection)
    int hiddenRow, hiddenCol;     // made 0 high / wide (-1: none)
    const wchar_t* text;
  } cases[] = {
      {"a block", {CCellID(1, 1), CCellID(1, 2), CCellID(2, 1), CCellID(2, 2)}, -1, -1, L"11\t12\n21\t22"},
      {"gaps of a Ctrl selection are empty fields",
       {CCellID(1, 1), CCellID(1, 3), CCellID(2, 2)}, -1, -1, L"11\t\t13\n\t22\t"},
      {"hidden rows and columns are left out", {CCellID(1, 1), CCellID(2, 2), CCellID(3, 3)}, 2, 2, L"11\t\n\t33"},
      {"one cell", {CCellID(3, 4)}, -1, -1, L"34"},
  };
  MakeFilled();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    grid.ResetSelectedRange();
    for (int i = 1; i < grid.GetRowCount(); ++i) grid.SetRowHeight(i, 20);
    for (int i = 1; i < grid.GetColumnCount(); ++i) grid.SetColumnWidth(i, 40);
    for (const CCellID& cell : c.cells) grid.SetItemState(cell.row, cell.col, grid.GetItemState(cell.row, cell.col) | GVIS_SELECTED);
    if (c.hiddenRow >= 0) grid.SetRowHeight(c.hiddenRow, 0);
    if (c.hiddenCol >= 0) grid.SetColumnWidth(c.hiddenCol, 0);
    COleDataSource* source = grid.CopyTextFromGrid();
    ASSERT_NE(source, nullptr);
    // Exactly one terminator, no line feed after the last row, in both forms.
    const std::wstring wide = c.text;
    EXPECT_EQ(Utf16Bytes(wide.c_str(), wide.size() + 1), BlockBytes(DataOf(source), CF_UNICODETEXT));
    EXPECT_EQ(std::string(wide.begin(), wide.end()) + '\0', BlockBytes(DataOf(source), CF_TEXT));
    source->InternalRelease();
  }
}

#ifdef _UNICODE  // texts beyond the ANSI code page are the Unicode edition's
TEST_F(GridClipboard, TextBeyondTheAnsiCodePageIsCopiedAsUnicode) {
  MakeFilled();
  grid.SetItemText(1, 1, L"\u03a9\u6f22");
  grid.SetSelectedRange(1, 1, 1, 1);
  COleDataSource* source = grid.CopyTextFromGrid();
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(Utf16Bytes(L"\u03a9\u6f22", 3), BlockBytes(DataOf(source), CF_UNICODETEXT));
  source->InternalRelease();
  grid.ResetSelectedRange();
  EXPECT_EQ(nullptr, grid.CopyTextFromGrid());  // nothing selected
}
#endif

TEST_F(GridClipboard, PastedBlocksLandCellByCell) {
  const struct Case {
    const char* what;
    const char* ansi;
    const wchar_t* wide;
    int row, col;
    const wchar_t* body;  // rows 1..4 after the paste
  } cases[] = {
      {"tabs and a final line feed that adds no row", "a\tb\nc\td\n", nullptr, 1, 1,
       L"a|b|13|14|\nc|d|23|24|\n31|32|33|34|\n41|42|43|44|\n"},
      {"CR LF line ends, cells trimmed", " a \r\nb\t c\r\n", nullptr, 2, 2,
       L"11|12|13|14|\n21|a|23|24|\n31|b|c|34|\n41|42|43|44|\n"},
      {"excess columns and rows are dropped", "a\tb\tc\nd\te\tf", nullptr, 4, 3,
       L"11|12|13|14|\n21|22|23|24|\n31|32|33|34|\n41|42|a|b|\n"},
      {"numbers with commas stay whole when the text has tabs", "1,234\t5", nullptr, 1, 1,
       L"1,234|5|13|14|\n21|22|23|24|\n31|32|33|34|\n41|42|43|44|\n"},
      {"commas split text without a tab", "x,y", nullptr, 1, 1,
       L"x|y|13|14|\n21|22|23|24|\n31|32|33|34|\n41|42|43|44|\n"},
      // A line of three fields separated by a comma and a tab fills two cells: the tab wins.
      {"commas and tabs together", "p,q\tr", nullptr, 1, 1,
       L"p,q|r|13|14|\n21|22|23|24|\n31|32|33|34|\n41|42|43|44|\n"},
#ifdef _UNICODE
      {"Unicode text preferred over ANSI text", "?", L"\u03a9", 1, 1,
       L"\u03a9|12|13|14|\n21|22|23|24|\n31|32|33|34|\n41|42|43|44|\n"},
      {"Unicode text only", nullptr, L"\u6f22\t\u5b57", 3, 1,
       L"11|12|13|14|\n21|22|23|24|\n\u6f22|\u5b57|33|34|\n41|42|43|44|\n"},
#endif
      {"Unicode text preferred, in either edition", "?", L"yz", 2, 4,
       L"11|12|13|14|\n21|22|23|yz|\n31|32|33|34|\n41|42|43|44|\n"},
      {"an empty line leaves its row", "a\n\nb", nullptr, 1, 4,
       L"11|12|13|a|\n21|22|23|24|\n31|32|33|b|\n41|42|43|44|\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFilled();
    EXPECT_TRUE(Paste(TextSource(c.ansi, c.wide), c.row, c.col));
    EXPECT_EQ(std::wstring(c.body), Body());
    grid.DestroyWindow();
  }
}

TEST_F(GridClipboard, PasteSkipsReadOnlyAndHiddenCellsAndUnselectsWhatItFills) {
  MakeFilled();
  grid.SetItemState(1, 2, grid.GetItemState(1, 2) | GVIS_READONLY);
  grid.SetRowHeight(2, 0);
  grid.SetSelectedRange(1, 1, 3, 3);
  EXPECT_TRUE(Paste(TextSource("a\tb\tc\nd\te\tf"), 1, 1));
  // The read-only cell keeps its text and the next cell takes the next field; the hidden
  // row is passed over.
  EXPECT_EQ(std::wstring(L"a|12|c|14|\n21|22|23|24|\nd|e|f|34|\n41|42|43|44|\n"), Body());
  // Every cell the block covers loses its selection, the read-only one too; the hidden row's
  // cells were not covered.
  EXPECT_FALSE(grid.IsCellSelected(1, 1));
  EXPECT_FALSE(grid.IsCellSelected(1, 2));
  EXPECT_FALSE(grid.IsCellSelected(3, 3));
  EXPECT_TRUE(grid.IsCellSelected(2, 2));
}

TEST_F(GridClipboard, ABlockWithoutTerminatorIsReadNoFurtherThanItsSize) {
  MakeFilled();
  // Exactly three bytes, no zero after them, in a block of that size.
  COleDataSource* source = new COleDataSource;
  source->CacheGlobalData(CF_TEXT, ExactBlock("abc", 3));
  EXPECT_TRUE(Paste(source, 1, 1));
  EXPECT_EQ(CString(_T("abc")), grid.GetItemText(1, 1));
  COleDataSource* wide = new COleDataSource;
  wide->CacheGlobalData(CF_UNICODETEXT, ExactBlock(L"yz", 2 * sizeof(wchar_t)));
  EXPECT_TRUE(Paste(wide, 2, 2));
  EXPECT_EQ(CString(_T("yz")), grid.GetItemText(2, 2));
}

TEST_F(GridClipboard, RefusedPastesChangeNothing) {
  MakeFilled();
  const std::wstring before = Body();
  grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GVIS_READONLY);
  EXPECT_FALSE(Paste(TextSource("x"), 2, 2));   // read-only target
  EXPECT_FALSE(Paste(TextSource("x"), 9, 1));   // no such cell
  COleDataSource* noText = new COleDataSource;
  noText->CacheGlobalData(CF_DIB, ExactBlock("xx", 2));
  EXPECT_FALSE(Paste(noText, 1, 1));
  grid.SetEditable(FALSE);
  EXPECT_FALSE(Paste(TextSource("x"), 1, 1));
  EXPECT_EQ(before, Body());
}

TEST_F(GridClipboard, CutClearsOnlyTheSelectedCells) {
  MakeFilled();
  // A Ctrl selection of (1,1) and (2,3): the cells between them are not selected.
  grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GVIS_SELECTED);
  grid.SetItemState(2, 3, grid.GetItemState(2, 3) | GVIS_SELECTED);
  grid.CutSelectedText();
  EXPECT_EQ(std::wstring(L"|12|13|14|\n21|22||24|\n31|32|33|34|\n41|42|43|44|\n"), Body());
  grid.SetSelectedRange(3, 1, 3, 4);
  grid.SetEditable(FALSE);
  grid.CutSelectedText();
  EXPECT_EQ(CString(_T("31")), grid.GetItemText(3, 1));
}

TEST_F(GridClipboard, AnOwnerThatDestroysTheGridMidPasteEndsThePaste) {
  MakeFilled();
  int edits = 0;
  parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    if (msg == WM_NOTIFY && static_cast<int>(reinterpret_cast<NMHDR*>(lp)->code) == GVN_ENDLABELEDIT && ++edits == 2)
      grid.DestroyWindow();
    return false;
  };
  EXPECT_TRUE(Paste(TextSource("a\tb\tc\nd\te"), 1, 1));
  EXPECT_EQ(nullptr, grid.GetSafeHwnd());
  EXPECT_EQ(2, edits);  // nothing was pasted after the grid went
  EXPECT_EQ(CString(_T("a")), grid.GetItemText(1, 1));
  EXPECT_EQ(CString(_T("13")), grid.GetItemText(1, 3));
  parent.answer = nullptr;
}

TEST_F(GridClipboard, EditCommandsAreEnabledByTheSelectionTheFocusAndTheClipboard) {
  MakeFilled();
  auto enabled = [&](UINT id) {
    testing_support::RecordingCmdUI ui(id);
    EXPECT_TRUE(grid.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, NULL)) << id;
    return ui.enabled;
  };
  const struct Case {
    const char* what;
    bool selection, editable, focus, text;
    bool copy, cut, paste;
  } cases[] = {
      {"nothing selected", false, true, true, true, false, false, true},
      {"a selection", true, true, true, true, true, true, true},
      {"a read-only grid", true, false, true, true, true, false, false},
      {"no focus cell", true, true, false, true, true, true, false},
      {"no text on the clipboard", true, true, true, false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    grid.ResetSelectedRange();
    if (c.selection) grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetEditable(c.editable);
    grid.SetFocusCell(c.focus ? 2 : -1, c.focus ? 2 : -1);
    if (c.text) {
      ASSERT_TRUE(testing_support::PutUnicodeOnClipboard(parent.hwnd(), L"x"));
    } else {
      ASSERT_TRUE(::OpenClipboard(parent.hwnd()));
      ::EmptyClipboard();
      ::CloseClipboard();
    }
    EXPECT_EQ(c.copy, enabled(CGridCtrl::kCommandCopy));
    EXPECT_EQ(c.cut, enabled(CGridCtrl::kCommandCut));
    EXPECT_EQ(c.paste, enabled(CGridCtrl::kCommandPaste));
  }
}

TEST_F(GridClipboard, PasteGoesToTheEditorOfACellBeingEdited) {
  MakeFilled();
  grid.SetFocusCell(2, 2);
  grid.OnEditCell(2, 2, CPoint(-1, -1), VK_RETURN);
  ASSERT_TRUE(grid.IsItemEditing(2, 2));
  CWnd* editor = grid.GetCell(2, 2)->GetEditWnd();
  ASSERT_NE(editor, nullptr);
  editor->SetWindowText(_T(""));
  ASSERT_TRUE(testing_support::PutUnicodeOnClipboard(parent.hwnd(), L"p\tq"));
  grid.OnEditPaste();
  CString typed;
  editor->GetWindowText(typed);
  EXPECT_EQ(CString(_T("p\tq")), typed);
  EXPECT_EQ(CString(_T("22")), grid.GetItemText(2, 2));  // the cell takes it when the edit ends
  EXPECT_EQ(CString(_T("23")), grid.GetItemText(2, 3));
  grid.EndEditing();
}

std::wstring ClipboardUnicode() {
  std::wstring text = L"<none>";
  if (!::OpenClipboard(NULL)) return L"<closed>";
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(h));
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  return text;
}

TEST_F(GridClipboard, KeysCopyCutAndPaste) {
  MakeFilled();
  grid.SetFocusCell(1, 1);
  struct Key {
    WORD modifier, key;
  };
  auto press = [&](Key k) {
    testing_support::HoldKey(k.modifier, true);
    grid.SendMessage(WM_KEYDOWN, k.key, 0);
    testing_support::HoldKey(k.modifier, false);
  };
  const Key copies[] = {{VK_CONTROL, 'C'}, {VK_CONTROL, VK_INSERT}};
  for (const Key& k : copies) {
    ::OleSetClipboard(NULL);
    grid.SetSelectedRange(1, 1, 1, 2);
    press(k);
    EXPECT_EQ(std::wstring(L"11\t12"), ClipboardUnicode()) << k.key;
  }
  // With Alt as well (AltGr) the keys are characters: nothing is copied.
  ::OleSetClipboard(NULL);
  testing_support::HoldKey(VK_MENU, true);
  press({VK_CONTROL, 'C'});
  testing_support::HoldKey(VK_MENU, false);
  EXPECT_EQ(std::wstring(L"<none>"), ClipboardUnicode());
  grid.SetSelectedRange(2, 1, 2, 2);
  press({VK_CONTROL, 'X'});
  EXPECT_EQ(std::wstring(L"21\t22"), ClipboardUnicode());
  EXPECT_EQ(CString(), grid.GetItemText(2, 1));
  const Key pastes[] = {{VK_CONTROL, 'V'}, {VK_SHIFT, VK_INSERT}};
  int row = 3;
  for (const Key& k : pastes) {
    ASSERT_TRUE(testing_support::PutUnicodeOnClipboard(parent.hwnd(), L"p\tq"));
    grid.SetFocusCell(row, 2);
    press(k);
    EXPECT_EQ(CString(_T("p")), grid.GetItemText(row, 2)) << k.key;
    EXPECT_EQ(CString(_T("q")), grid.GetItemText(row, 3)) << k.key;
    ++row;
  }
}

}  // namespace
