// The edit-list: which clicks open an editor, the parent's answers (read-only cells, fixed
// widths, texts of any length), what an edit reports, and the hit test at the boundaries.
#include <EditListCtrl.h>
#include <InPlaceEdit.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "listctrls_test.h"

using listctrls_testing::kListId;
using listctrls_testing::ListTest;
using testing_support::ExpectedMsg;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::Recorder;

namespace {

const int kRows = 4;
const int kWidths[] = {80, 100, 120};

class EditList : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    parent.answer = [this](NMHDR* hdr, LRESULT* result) { return Answer(hdr, result); };
  }
  void Make(DWORD style = LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS) {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, 400, 200), &parent, kListId));
    for (int c = 0; c < 3; ++c) list.InsertColumn(c, _T("Column"), LVCFMT_LEFT, kWidths[c]);
    for (int r = 0; r < kRows; ++r) {
      list.InsertItem(r, _T("row"));
      for (int c = 1; c < 3; ++c) list.SetItemText(r, c, _T("own"));
    }
    list.SetFocus();
    Recorder().Reset();
    parent.codes.clear();
  }
  // The parent's side: texts by cell, and its answers.
  bool Answer(NMHDR* hdr, LRESULT* result) {
    if (hdr->hwndFrom != list.m_hWnd) return false;
    LV_DISPINFO* info = reinterpret_cast<LV_DISPINFO*>(hdr);
    const std::pair<int, int> cell(info->item.iItem, info->item.iSubItem);
    switch (hdr->code) {
      case CEditListCtrl::ELN_GETEDITTEXT:
      case CEditListCtrl::ELN_GETDISPLAYTEXT: {
        asked.push_back(info->item.cchTextMax);
        const bool display = hdr->code == CEditListCtrl::ELN_GETDISPLAYTEXT;
        if (display && !answerDisplay) {
          *result = 0;
          return true;
        }
        if (fill) {
          fill(info->item.pszText, info->item.cchTextMax);
        } else {
          const CString text = texts.count(cell) ? texts[cell] : CString(_T("parent"));
          lstrcpyn(info->item.pszText, display ? CString(_T("shown:") + text) : text, info->item.cchTextMax);
        }
        *result = 1;
        return true;
      }
      case CEditListCtrl::ELN_SETEDITTEXT:
        texts[cell] = info->item.pszText;
        *result = 0;
        return true;
      case CEditListCtrl::ELN_CANEDIT:
        *result = canEdit;
        return true;
      case CEditListCtrl::ELN_CANRESIZE:
        *result = canResize;
        return true;
      default:
        return false;
    }
  }
  // The client point in the middle of a cell.
  CPoint Middle(int row, int column) {
    CRect bounds;
    list.GetItemRect(row, bounds, LVIR_BOUNDS);
    int x = bounds.left;
    for (int c = 0; c < column; ++c) x += kWidths[c];
    return CPoint(x + kWidths[column] / 2, (bounds.top + bounds.bottom) / 2);
  }
  CString EditorText() {
    CInPlaceEdit* edit = list.GetInPlaceEdit();
    CString text;
    if (edit != NULL) edit->GetWindowText(text);
    return text;
  }

  CEditListCtrl list;
  std::map<std::pair<int, int>, CString> texts;
  std::function<void(LPTSTR, int)> fill;  // fills the offered buffer in place of the texts
  std::vector<int> asked;                // the capacities offered, in order
  LRESULT canEdit = 1, canResize = 1;
  bool answerDisplay = true;
};

TEST_F(EditList, OnlyALaterColumnOfASelectedRowOpensAnEditor) {
  Make();
  struct Case {
    const char* what;
    bool selectedBefore;
    int column;
    bool editor;
  } cases[] = {
      {"column 0 of a selected row", true, 0, false},
      {"column 0 of an unselected row", false, 0, false},
      {"column 1 of an unselected row", false, 1, false},
      {"column 2 of a selected row", true, 2, true},
  };
  for (const Case& c : cases) {
    list.SetFocus();
    Pump();
    for (int r = 0; r < kRows; ++r) list.SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (c.selectedBefore) list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const CPoint at = Middle(1, c.column);
    Click(list, at.x, at.y);
    EXPECT_EQ(list.GetInPlaceEdit() != NULL, c.editor) << c.what;
    // Every click leaves the row selected.
    EXPECT_TRUE(list.GetItemState(1, LVIS_SELECTED) & LVIS_SELECTED) << c.what;
    if (CInPlaceEdit* edit = list.GetInPlaceEdit()) {
      EXPECT_EQ(edit->GetRow(), 1) << c.what;
      EXPECT_EQ(edit->GetColumn(), c.column) << c.what;
      EXPECT_EQ(EditorText(), CString(_T("parent"))) << c.what;
      list.SetFocus();
      Pump();
    }
  }
}

TEST_F(EditList, WithoutEditLabelsNoClickEdits) {
  Make(LVS_REPORT | LVS_SHOWSELALWAYS);
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const CPoint at = Middle(1, 2);
  Click(list, at.x, at.y);
  EXPECT_EQ(list.GetInPlaceEdit(), nullptr);
}

TEST_F(EditList, TheParentDecidesWhichCellsOpen) {
  Make();
  struct Case {
    const char* what;
    LRESULT canEdit;
    int column;
    int width;
    bool opens;
  } cases[] = {
      {"allowed", 1, 1, 100, true},
      {"refused by the parent", 0, 1, 100, false},
      {"a column 4 pixels wide", 1, 1, 4, false},
      {"a column 5 pixels wide", 1, 1, 5, true},
      {"a column that does not exist", 1, 3, 100, false},
  };
  for (const Case& c : cases) {
    canEdit = c.canEdit;
    if (c.column < 3) list.SetColumnWidth(c.column, c.width);
    CEdit* edit = list.EditSubLabel(2, c.column);
    EXPECT_EQ(edit != NULL, c.opens) << c.what;
    EXPECT_EQ(list.GetInPlaceEdit() != NULL, c.opens) << c.what;
    list.SetFocus();
    Pump();
    EXPECT_EQ(list.GetInPlaceEdit(), nullptr) << c.what;
  }
}

TEST_F(EditList, ReturnHandsTheTextToTheParentAndShowsItsDisplayText) {
  Make();
  ASSERT_NE(list.EditSubLabel(1, 2), nullptr);
  CInPlaceEdit* edit = list.GetInPlaceEdit();
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(_T("typed"));
  Recorder().Reset();
  parent.codes.clear();
  // Return in the open editor: the list takes the focus, the editor reports and goes.
  ::PostMessage(edit->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  static const ExpectedMsg kReturn[] = {
      {WM_NOTIFY, kParent | kSent, 0, 0},  // ELN_SETEDITTEXT with the editor's text
      {WM_NOTIFY, kParent | kSent, 0, 0},  // ELN_GETDISPLAYTEXT for the cell
      {WM_NOTIFY, kParent | kSent, 0, 0},  // NM_SETFOCUS: the list has the focus again
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kReturn));
  EXPECT_EQ(parent.codes,
            (std::vector<int>{CEditListCtrl::ELN_SETEDITTEXT, CEditListCtrl::ELN_GETDISPLAYTEXT, int(NM_SETFOCUS)}));
  EXPECT_EQ(list.GetInPlaceEdit(), nullptr);
  EXPECT_EQ((texts[{1, 2}]), CString(_T("typed")));
  EXPECT_EQ(list.GetItemText(1, 2), CString(_T("shown:typed")));
}

TEST_F(EditList, EscapeLeavesTheCellAndSendsNothing) {
  Make();
  ASSERT_NE(list.EditSubLabel(1, 1), nullptr);
  CInPlaceEdit* edit = list.GetInPlaceEdit();
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText(_T("typed"));
  Recorder().Reset();
  parent.codes.clear();
  // Escape in the open editor: the edit ends without a text.
  ::PostMessage(edit->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  static const ExpectedMsg kFocusOnly[] = {
      {WM_NOTIFY, kParent | kSent, 0, 0},  // NM_SETFOCUS: the list has the focus again
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kFocusOnly));
  EXPECT_EQ(parent.codes, (std::vector<int>{int(NM_SETFOCUS)}));
  EXPECT_EQ(list.GetInPlaceEdit(), nullptr);
  EXPECT_EQ(texts.count({1, 1}), 0u);
  EXPECT_EQ(list.GetItemText(1, 1), CString(_T("own")));
}

TEST_F(EditList, AParentWithoutADisplayTextLeavesTheListsOwn) {
  Make();
  answerDisplay = false;
  ASSERT_NE(list.EditSubLabel(0, 1), nullptr);
  list.GetInPlaceEdit()->SetWindowText(_T("typed"));
  list.SetFocus();
  Pump();
  EXPECT_EQ((texts[{0, 1}]), CString(_T("typed")));
  EXPECT_EQ(list.GetItemText(0, 1), CString(_T("own")));
}

TEST_F(EditList, TextsOfAnyLengthComeWhole) {
  Make();
  const CString longText(_T('w'), 3000);
  struct Case {
    const char* what;
    std::function<void(LPTSTR, int)> fill;
    CString expected;
    std::vector<int> asked;
  } cases[] = {
      {"a short text", [](LPTSTR b, int n) { lstrcpyn(b, _T("short"), n); }, _T("short"), {2048}},
      {"a text of 3000 characters", [&](LPTSTR b, int n) { lstrcpyn(b, longText, n); }, longText, {2048, 4096}},
      {"2047 characters fill the first buffer", [](LPTSTR b, int n) { lstrcpyn(b, CString(_T('v'), 2047), n); },
       CString(_T('v'), 2047), {2048, 4096}},
      // A parent that fills every character of the first buffer and then answers properly.
      {"no terminator in the first buffer",
       [](LPTSTR b, int n) {
         if (n == 2048)
           for (int i = 0; i < n; ++i) b[i] = _T('x');
         else
           lstrcpyn(b, _T("second"), n);
       },
       _T("second"), {2048, 4096}},
  };
  for (Case& c : cases) {
    fill = c.fill;
    asked.clear();
    EXPECT_EQ(list.GetEditText(0, 1), c.expected) << c.what;
    EXPECT_EQ(asked, c.asked) << c.what;
  }
  // A parent that always fills the whole buffer gets terminated texts of growing length, up to
  // a limit.
  fill = [](LPTSTR b, int n) {
    for (int i = 0; i < n; ++i) b[i] = _T('y');
  };
  asked.clear();
  const CString bounded = list.GetEditText(0, 1);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(bounded.GetLength(), asked.back() - 1);
  EXPECT_EQ(bounded.Find(_T('\0')), -1);
  // The editor opens with the whole long text.
  fill = [&](LPTSTR b, int n) { lstrcpyn(b, longText, n); };
  ASSERT_NE(list.EditSubLabel(0, 1), nullptr);
  EXPECT_EQ(EditorText(), longText);
}

// Drags a header divider by 40 pixels, then double-clicks it.
struct ResizeResult {
  int afterDrag, afterDoubleClick;
};
ResizeResult DragAndDoubleClickDivider(CEditListCtrl& list, int column, int width) {
  CHeaderCtrl* header = list.GetHeaderCtrl();
  CRect item;
  header->GetItemRect(column, item);
  const int x = item.right - 1, y = item.Height() / 2;
  ::SendMessage(header->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessage(header->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40, y));
  ::SendMessage(header->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 40, y));
  ResizeResult r;
  r.afterDrag = list.GetColumnWidth(column);
  list.SetColumnWidth(column, width);
  ::SendMessage(header->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessage(header->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  r.afterDoubleClick = list.GetColumnWidth(column);
  return r;
}

TEST_F(EditList, AColumnTheParentFixesKeepsItsWidthUnderDragAndDoubleClick) {
  Make();
  canResize = 0;
  for (int c = 0; c < 3; ++c) {
    const ResizeResult r = DragAndDoubleClickDivider(list, c, kWidths[c]);
    EXPECT_EQ(r.afterDrag, kWidths[c]) << "column " << c;
    EXPECT_EQ(r.afterDoubleClick, kWidths[c]) << "column " << c;
  }
  // Allowed, both change the width.
  canResize = 1;
  list.SetColumnWidth(1, kWidths[1]);
  const ResizeResult r = DragAndDoubleClickDivider(list, 1, kWidths[1]);
  EXPECT_EQ(r.afterDrag, kWidths[1] + 40);
  EXPECT_NE(r.afterDoubleClick, kWidths[1]);
}

TEST_F(EditList, HitTestingAtTheBoundaryPixels) {
  Make();
  CRect row0, row1;
  list.GetItemRect(0, row0, LVIR_BOUNDS);
  list.GetItemRect(1, row1, LVIR_BOUNDS);
  const int y0 = row0.top + 1, x0 = row0.left;
  struct Case {
    const char* what;
    int x, y;
    int row, column;
  } cases[] = {
      {"left edge of the first column", x0, y0, 0, 0},
      {"right edge of the first column", x0 + 80, y0, 0, 0},
      {"one past it", x0 + 81, y0, 0, 1},
      {"right edge of the last column", x0 + 300, y0, 0, 2},
      {"one past the last column", x0 + 301, y0, -1, 0},
      {"last pixel of row 0", x0 + 10, row0.bottom - 1, 0, 0},
      {"first pixel of row 1", x0 + 10, row1.top, 1, 0},
      {"below the last row", x0 + 10, row1.top + kRows * row1.Height(), -1, 0},
  };
  for (const Case& c : cases) {
    CPoint at(c.x, c.y);
    int column = 99;
    EXPECT_EQ(list.HitTestEx(at, &column), c.row) << c.what;
    EXPECT_EQ(column, c.column) << c.what;
  }
}

}  // namespace
