// The rich list: which click opens which editor, what an edit writes back (to every selected
// row for a drop-down), check boxes, proportional column widths, and cells of columns added
// after the rows.
#include <RichInPlaceEditors.h>
#include <RichListCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dib_canvas.h"
#include "listctrls_test.h"

using listctrls_testing::kListId;
using listctrls_testing::ListTest;
using testing_support::DibCanvas;

namespace {

const int kRows = 4;

class RichList : public ListTest {
 protected:
  void TearDown() override {
    if (list.GetSafeHwnd() != NULL) list.DestroyWindow();
    ListTest::TearDown();
  }
  void Make(int width = 400) {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, width, 200), &parent,
                            kListId));
    list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 100);
    list.InsertColumn(1, _T("Value"), LVCFMT_LEFT, 120);
    list.InsertColumn(2, _T("Kind"), LVCFMT_LEFT, 120);
    for (int r = 0; r < kRows; ++r) {
      CString name;
      name.Format(_T("row %d"), r);
      ASSERT_EQ(list.InsertItem(name, r, -1, NULL), r);
      list.SetEditableText(r, 1, _T("old"));
      CStringArray kinds;
      kinds.Add(_T("alpha"));
      kinds.Add(_T("beta"));
      kinds.Add(_T("gamma"));
      ASSERT_TRUE(list.SetComboBox(r, 2, TRUE, &kinds, 0, 0));
    }
    list.SetFocus();
    Pump();
  }
  CPoint Middle(int row, int column) {
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
    return cell.CenterPoint();
  }
  CWnd* Editor() { return list.GetDlgItem(CRichListCtrl::IDC_RICH_EDITOR); }
  void SelectOnly(std::initializer_list<int> rows) {
    for (int r = 0; r < kRows; ++r) list.SetItemState(r, 0, LVIS_SELECTED);
    for (int r : rows) list.SetItemState(r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }

  CRichListCtrl list;
};

TEST_F(RichList, TheFirstClickSelectsTheSecondEdits) {
  Make();
  SelectOnly({});
  // The list's own notices of the first click end with the list's: item -1, no change named,
  // in a whole list-view record.
  std::vector<NMLISTVIEW> changes;
  parent.answer = [&](NMHDR* hdr, LRESULT*) {
    if (hdr->hwndFrom == list.m_hWnd && hdr->code == static_cast<UINT>(LVN_ITEMCHANGED))
      changes.push_back(*reinterpret_cast<NMLISTVIEW*>(hdr));
    return false;
  };
  const CPoint at = Middle(1, 1);
  Click(list, at.x, at.y);
  EXPECT_TRUE(list.GetItemState(1, LVIS_SELECTED) & LVIS_SELECTED);
  EXPECT_EQ(Editor(), nullptr);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().iItem, -1);
  EXPECT_EQ(changes.back().uChanged, 0u);
  EXPECT_EQ(changes.back().uNewState, 0u);
  Click(list, at.x, at.y);
  CWnd* editor = Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_NE(dynamic_cast<CRichInPlaceEdit*>(CWnd::FromHandlePermanent(editor->m_hWnd)), nullptr);
  CString text;
  editor->GetWindowText(text);
  EXPECT_EQ(text, CString(_T("old")));
  // Return writes the text back.
  editor->SetWindowText(_T("new"));
  ::PostMessage(editor->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(list.GetItemText(1, 1), CString(_T("new")));
}

TEST_F(RichList, ALaunchCellOpensTheLaunchEditor) {
  Make();
  ASSERT_TRUE(list.SetEditableTextWithLaunch(0, 1, _T("path"), NULL, static_cast<DWORD_PTR>(~0u) + 1));
  EXPECT_EQ(list.GetCell(0, 1)->m_launchValue, static_cast<DWORD_PTR>(~0u) + 1);
  SelectOnly({0});
  const CPoint at = Middle(0, 1);
  Click(list, at.x, at.y);
  CWnd* editor = Editor();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(dynamic_cast<CInPlaceEditWithLaunch*>(CWnd::FromHandlePermanent(editor->m_hWnd)), nullptr);
  editor->SetWindowText(_T("other"));
  list.SetFocus();
  Pump();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(list.GetItemText(0, 1), CString(_T("other")));
}

TEST_F(RichList, EscapeLeavesTheCell) {
  Make();
  SelectOnly({2});
  const CPoint at = Middle(2, 1);
  Click(list, at.x, at.y);
  CWnd* editor = Editor();
  ASSERT_NE(editor, nullptr);
  editor->SetWindowText(_T("typed"));
  ::PostMessage(editor->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(list.GetItemText(2, 1), CString(_T("old")));
}

TEST_F(RichList, ADropDownChoiceGoesToEverySelectedRow) {
  Make();
  struct Case {
    const char* what;
    std::initializer_list<int> selected;
    std::vector<CString> after;  // column 2 of rows 0..3
  } cases[] = {
      {"one row", {1}, {_T("alpha"), _T("gamma"), _T("alpha"), _T("alpha")}},
      {"three rows", {0, 1, 3}, {_T("gamma"), _T("gamma"), _T("alpha"), _T("gamma")}},
  };
  for (const Case& c : cases) {
    for (int r = 0; r < kRows; ++r) list.SetItemText(r, 2, _T("alpha"));
    SelectOnly(c.selected);
    const CPoint at = Middle(1, 2);
    Click(list, at.x, at.y);
    CWnd* editor = Editor();
    ASSERT_NE(editor, nullptr) << c.what;
    CComboBox* box = dynamic_cast<CComboBox*>(CWnd::FromHandlePermanent(editor->m_hWnd));
    ASSERT_NE(box, nullptr) << c.what;
    EXPECT_EQ(box->GetCount(), 3) << c.what;
    box->SetCurSel(2);
    list.SetFocus();
    Pump();
    EXPECT_EQ(Editor(), nullptr) << c.what;
    for (int r = 0; r < kRows; ++r) EXPECT_EQ(list.GetItemText(r, 2), c.after[static_cast<size_t>(r)]) << c.what << " row " << r;
  }
}

TEST_F(RichList, TheChoicesAreTheListsOwnCopy) {
  Make();
  {
    auto kinds = std::make_unique<CStringArray>();
    kinds->Add(_T("one"));
    kinds->Add(_T("two"));
    ASSERT_TRUE(list.SetComboBox(0, 2, TRUE, kinds.get(), 0, 5));  // a selection outside becomes 0
  }  // the caller's array is gone
  EXPECT_EQ(list.GetItemText(0, 2), CString(_T("one")));
  SelectOnly({0});
  const CPoint at = Middle(0, 2);
  Click(list, at.x, at.y);
  CComboBox* box = dynamic_cast<CComboBox*>(CWnd::FromHandlePermanent(Editor()->m_hWnd));
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->GetCount(), 2);
  CString second;
  box->GetLBText(1, second);
  EXPECT_EQ(second, CString(_T("two")));
  list.SetFocus();
  Pump();
  // An empty array or none is refused and changes nothing.
  CStringArray empty;
  EXPECT_FALSE(list.SetComboBox(1, 2, TRUE, &empty, 0, 0));
  EXPECT_FALSE(list.SetComboBox(1, 2, TRUE, NULL, 0, 0));
  EXPECT_EQ(list.GetItemText(1, 2), CString(_T("alpha")));
  EXPECT_EQ(list.GetCell(1, 2)->m_choices.size(), 3u);
}

TEST_F(RichList, ACheckBoxCellTogglesOnAClickOfItsSelectedRow) {
  Make();
  ASSERT_TRUE(list.SetCheckbox(3, 0, 0));
  EXPECT_EQ(list.GetCheckbox(3, 0), 0);
  EXPECT_EQ(list.GetCheckbox(3, 1), -1);
  EXPECT_EQ(list.GetCheckbox(kRows, 0), -1);
  SelectOnly({3});
  const CPoint at = Middle(3, 0);
  Click(list, at.x, at.y);
  EXPECT_EQ(list.GetCheckbox(3, 0), 1);
  Click(list, at.x, at.y);
  EXPECT_EQ(list.GetCheckbox(3, 0), 0);
  EXPECT_EQ(Editor(), nullptr);
}

TEST_F(RichList, CellsOfAColumnAddedAfterTheRows) {
  Make();
  list.InsertColumn(3, _T("Late"), LVCFMT_LEFT, 60);
  EXPECT_TRUE(list.SetCheckbox(0, 3, 1));
  EXPECT_EQ(list.GetCheckbox(0, 3), 1);
  EXPECT_TRUE(list.SetEditableText(1, 3, _T("x")));
  EXPECT_TRUE(list.GetCell(1, 3)->m_bEditable);
  EXPECT_EQ(list.GetCell(0, 4), nullptr);
  EXPECT_EQ(list.GetCell(-1, 0), nullptr);
}

TEST_F(RichList, RowValuesArePointerSized) {
  Make();
  const DWORD_PTR value = static_cast<DWORD_PTR>(reinterpret_cast<UINT_PTR>(&list));
  EXPECT_TRUE(list.SetItemData(2, value));
  EXPECT_EQ(list.GetItemData(2), value);
  EXPECT_FALSE(list.SetItemData(kRows, 1));
  EXPECT_EQ(list.GetItemData(kRows), 0u);
  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemData(1), value);
  EXPECT_EQ(list.GetRowCount(), kRows - 1);
  EXPECT_FALSE(list.DeleteItem(kRows));
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetRowCount(), 0);
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(RichList, AutofitSharesTheClientWidthInProportion) {
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOSCROLL, CRect(0, 0, 200, 100), &parent, kListId));
  CRect client;
  list.GetClientRect(client);
  ASSERT_EQ(client.Width(), 200);
  list.Autofit();  // no columns: nothing to do
  list.InsertColumn(0, _T("a"), LVCFMT_LEFT, 100);
  list.InsertColumn(1, _T("b"), LVCFMT_LEFT, 300);
  list.Autofit();
  EXPECT_EQ(list.GetColumnWidth(0), 50);
  EXPECT_EQ(list.GetColumnWidth(1), 150);
  // Columns of no width at all stay so.
  list.SetColumnWidth(0, 0);
  list.SetColumnWidth(1, 0);
  list.Autofit();
  EXPECT_EQ(list.GetColumnWidth(0), 0);
  EXPECT_EQ(list.GetColumnWidth(1), 0);
}

class RichListPixels : public RichList {
 protected:
  void Paint(DibCanvas& canvas) {
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  CRect Cell(int row, int column) {
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
    return cell;
  }
};

TEST_F(RichListPixels, BoldCellsCheckBoxesAndTheDropDownButton) {
  Make();
  SelectOnly({});
  list.SetItemText(0, 1, _T("Weight"));
  list.SetItemText(1, 1, _T("Weight"));
  list.SetItemBold(1, 1, TRUE);
  list.SetCheckbox(2, 1, 1);
  list.SetItemText(2, 1, _T(""));
  CRect client;
  list.GetClientRect(client);
  DibCanvas canvas(client.Width(), client.Height());
  ASSERT_TRUE(canvas.valid());
  Paint(canvas);
  const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
  // The bold cell's text has more ink than the same text in the normal weight.
  const int normal = canvas.CountOf(ink, Cell(0, 1)), bold = canvas.CountOf(ink, Cell(1, 1));
  EXPECT_GT(normal, 0);
  EXPECT_GT(bold, normal);
  // A check box without text sits in the middle of its cell: its white face spans the middle.
  const CRect box = Cell(2, 1);
  const int middle = box.CenterPoint().x;
  EXPECT_EQ(canvas.At(middle, box.top + 2), ::GetSysColor(COLOR_WINDOW));
  EXPECT_GT(canvas.CountOf(RGB(0, 0, 0), box), 0);  // the tick
  // The drop-down button shows only in a selected row.
  SelectOnly({3});
  DibCanvas selected(client.Width(), client.Height());
  Paint(selected);
  const CRect drop = Cell(3, 2);
  const CRect button(drop.right - 16, drop.top, drop.right, drop.top + 16);
  const CRect unselectedButton(Cell(0, 2).right - 16, Cell(0, 2).top, Cell(0, 2).right, Cell(0, 2).top + 16);
  EXPECT_GT(selected.CountOf(::GetSysColor(COLOR_BTNFACE), button), 40);
  EXPECT_EQ(selected.CountOf(::GetSysColor(COLOR_BTNFACE), unselectedButton), 0);
}

}  // namespace
