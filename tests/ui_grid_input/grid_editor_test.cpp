// The grid's in-place editor: how the first character sets the text and caret, arrows moving
// the caret or ending the edit, Escape putting the text back and reporting 27, widening up to the parent's edge, and an edit begun by typing
// into the grid and ended by Return or Tab.
#include <GridCtrl.h>
#include <GridInPlaceEdit.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <vector>

#include "../ui_grid/grid_fixture.h"
#include "test_support.h"

using grid_testing::GridFixture;
using testing_support::PumpMessages;
using testing_support::TypeChord;
using testing_support::TypeKeys;

namespace {

const TCHAR kEAcute[] = {static_cast<TCHAR>(0xE9), 0};

struct Report {
  int row, col;
  CString text;
  LPARAM key;
};

// Editors opened on the logging popup itself (which gets their reports), and a 6 x 4 grid.
class GridEditor : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 4; ++c) grid.SetColumnWidth(c, 60);
    grid.SetEditable(TRUE);
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (static_cast<int>(hdr->code) == GVN_ENDLABELEDIT) {
        const GV_DISPINFO* info = reinterpret_cast<const GV_DISPINFO*>(lp);
        reports.push_back({info->item.row, info->item.col, info->item.strText,
                           hdr->idFrom == static_cast<UINT_PTR>(CGridCtrl::IDC_INPLACE_CONTROL) ? info->item.lParam : -1});
      }
      *result = 0;
      return true;
    };
    ::SetForegroundWindow(parent.hwnd());
  }
  void TearDown() override {
    if (editor != NULL && ::IsWindow(editorHwnd)) ::DestroyWindow(editorHwnd);
    GridFixture::TearDown();
  }
  // An editor on the popup over (10, 250)-(110, 270), begun with first.
  void Open(UINT first, const TCHAR* text = _T("hello")) {
    editor = new CGridInPlaceEdit(CWnd::FromHandle(parent.hwnd()), CRect(10, 250, 110, 270), 0,
                                  CGridCtrl::IDC_INPLACE_CONTROL, 2, 3, text, first);
    editorHwnd = editor->GetSafeHwnd();
    ASSERT_NE(editorHwnd, nullptr);
  }
  CString Text() {
    TCHAR buf[256];
    ::GetWindowText(editorHwnd, buf, 256);
    return buf;
  }
  std::vector<Report> reports;
  CGridInPlaceEdit* editor = NULL;
  HWND editorHwnd = NULL;
};

TEST_F(GridEditor, TheFirstCharacterSetsTextAndCaret) {
  struct Case {
    UINT first;
    const TCHAR* text;  // after the posted character is handled
    int selStart, selEnd;
    UINT queued;  // the message posted to the editor (0: none)
  } cases[] = {
      {VK_LBUTTON, _T("hello"), 5, 5, 0},  // a click: caret at the end
      {VK_RETURN, _T("hello"), 5, 5, 0},
      {VK_BACK, _T("hell"), 4, 4, WM_CHAR},
      {VK_TAB, _T("hello"), 0, 5, 0},  // all selected, nothing typed
      {VK_SPACE, _T("hello"), 0, 5, 0},
      {'a', _T("a"), 1, 1, WM_CHAR},  // replaces the whole text
      {0xE9, kEAcute, 1, 1, WM_IME_CHAR},  // 128 or more: as a character of the input method
  };
  for (const Case& c : cases) {
    Open(c.first);
    MSG queued = {};
    const BOOL any = ::PeekMessage(&queued, editorHwnd, WM_CHAR, WM_IME_CHAR, PM_NOREMOVE);
    EXPECT_EQ(any ? queued.message : 0u, c.queued) << c.first;
    PumpMessages();
    EXPECT_EQ(Text(), CString(c.text)) << c.first;
    DWORD start = 0, end = 0;
    ::SendMessage(editorHwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(static_cast<int>(start), c.selStart) << c.first;
    EXPECT_EQ(static_cast<int>(end), c.selEnd) << c.first;
    ::SetFocus(parent.hwnd());  // ends the edit: reports, closes, deletes itself
    PumpMessages();
    EXPECT_FALSE(::IsWindow(editorHwnd)) << c.first;
    editor = NULL;
  }
  EXPECT_EQ(reports.size(), sizeof cases / sizeof cases[0]);
}

// An edit begun by a click keeps the arrows for the caret (with Ctrl they end it); one begun
// from the keyboard ends on an arrow or a page key and reports that key.
TEST_F(GridEditor, ArrowsMoveTheCaretOrEndTheEdit) {
  struct Case {
    UINT first;
    WORD modifier, key;
    int caret;  // where the caret is after the key; -1: the edit ended
  } cases[] = {
      {VK_LBUTTON, 0, VK_LEFT, 4},      {VK_LBUTTON, 0, VK_NEXT, 5},   {VK_LBUTTON, VK_CONTROL, VK_LEFT, -1},
      {VK_LBUTTON, VK_CONTROL, VK_UP, -1}, {VK_RETURN, 0, VK_RIGHT, -1}, {VK_RETURN, 0, VK_PRIOR, -1},
  };
  for (const Case& c : cases) {
    reports.clear();
    Open(c.first);
    if (c.modifier != 0)
      TypeChord(c.modifier, c.key);
    else
      TypeKeys({c.key});
    PumpMessages();
    if (c.caret < 0) {
      EXPECT_FALSE(::IsWindow(editorHwnd)) << c.key;
      ASSERT_EQ(reports.size(), 1u) << c.key;
      EXPECT_EQ(reports[0].key, static_cast<LPARAM>(c.key));
      EXPECT_EQ(reports[0].text, CString(_T("hello")));
    } else {
      ASSERT_TRUE(::IsWindow(editorHwnd)) << c.key;
      EXPECT_TRUE(reports.empty()) << c.key;
      DWORD start = 0, end = 0;
      ::SendMessage(editorHwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(static_cast<int>(start), c.caret) << c.key;
      ::SetFocus(parent.hwnd());
      PumpMessages();
    }
    editor = NULL;
  }
}

TEST_F(GridEditor, EscapeRestoresTheTextAndReports27) {
  Open(VK_LBUTTON);
  TypeKeys({'X', 'Y', VK_ESCAPE});
  PumpMessages();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, CString(_T("hello")));
  EXPECT_EQ(reports[0].key, 27);
  EXPECT_EQ(reports[0].row, 2);
  EXPECT_EQ(reports[0].col, 3);
  EXPECT_FALSE(::IsWindow(editorHwnd));
  editor = NULL;
}

// Each editor guards its own report: an editor opened and ended while another one's report is
// under way still reports.
TEST_F(GridEditor, AnEditorEndedDuringAnothersReportStillReports) {
  Open(VK_LBUTTON);
  auto previous = parent.answer;
  HWND otherHwnd = NULL;
  parent.answer = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (msg == WM_NOTIFY && otherHwnd == NULL) {
      // during the first editor's report: another editor opens and is ended
      CGridInPlaceEdit* other = new CGridInPlaceEdit(CWnd::FromHandle(parent.hwnd()), CRect(10, 280, 110, 300), 0,
                                                     CGridCtrl::IDC_INPLACE_CONTROL, 4, 1, _T("other"), VK_LBUTTON);
      otherHwnd = other->GetSafeHwnd();
      if (otherHwnd != NULL) other->EndEdit();
    }
    return previous(msg, wp, lp, result);
  };
  editor->EndEdit();
  PumpMessages();
  ASSERT_NE(otherHwnd, nullptr);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].text, CString(_T("other")));
  EXPECT_EQ(reports[1].text, CString(_T("hello")));
  EXPECT_FALSE(::IsWindow(otherHwnd));
  EXPECT_FALSE(::IsWindow(editorHwnd));
  editor = NULL;
}

TEST_F(GridEditor, TypingWidensTheEditorUpToTheParentsEdge) {
  Open(VK_LBUTTON, _T(""));
  RECT before;
  ::GetWindowRect(editorHwnd, &before);
  TypeKeys(std::vector<WORD>(40, 'W'));
  PumpMessages();
  RECT after, parentClient;
  ::GetWindowRect(editorHwnd, &after);
  ::GetClientRect(parent.hwnd(), &parentClient);
  ::MapWindowPoints(parent.hwnd(), NULL, reinterpret_cast<POINT*>(&parentClient), 2);
  EXPECT_GT(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.left, before.left);
  EXPECT_LE(after.right, parentClient.right);
  TypeKeys(std::vector<WORD>(60, 'W'));
  PumpMessages();
  ::GetWindowRect(editorHwnd, &after);
  EXPECT_EQ(after.right, parentClient.right);  // 100 W's are wider than the popup
}

// Typing into the grid opens the editor with that character; Return stores the text; Tab
// stores it, moves the focus right and edits the next cell.
TEST_F(GridEditor, AnEditBegunByTypingEndsWithReturnOrTab) {
  grid.SetItemText(2, 1, _T("old"));
  grid.SetFocus();
  grid.SetFocusCell(2, 1);
  TypeKeys({'Q'});
  PumpMessages();
  ASSERT_TRUE(grid.IsItemEditing(2, 1));
  TypeKeys({'R', VK_RETURN});
  PumpMessages();
  EXPECT_FALSE(grid.IsItemEditing(2, 1));
  EXPECT_EQ(grid.GetItemText(2, 1), CString(_T("qr")));
  EXPECT_EQ(::GetFocus(), grid.GetSafeHwnd());

  TypeKeys({'S', VK_TAB});
  PumpMessages();
  EXPECT_EQ(grid.GetItemText(2, 1), CString(_T("s")));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
  EXPECT_TRUE(grid.IsItemEditing(2, 2));
  grid.EndEditing();
  PumpMessages();
  EXPECT_FALSE(grid.IsItemEditing(2, 2));
}

}  // namespace
