// The end of an edit: the owner's end-edit notice carries the new text, so a virtual grid's
// owner (which holds the data) keeps what was typed; a refusal restores the old text; an owner
// that destroys the grid during a notice stops what the notice announced.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <vector>

#include "grid_fixture.h"

using grid_testing::GridFixture;

namespace {

class GridEdit : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
      const int code = static_cast<int>(hdr->code);
      codes.push_back(code);
      *result = 0;
      if (code == GVN_ENDLABELEDIT) {
        const GV_DISPINFO* info = reinterpret_cast<const GV_DISPINFO*>(lp);
        const NM_GRIDVIEW* plain = reinterpret_cast<const NM_GRIDVIEW*>(lp);
        cells.push_back(CCellID(plain->iRow, plain->iColumn));
        texts.push_back(info->item.strText);
        *result = endAnswer;
      } else if (code == GVN_GETDISPINFO) {
        GV_DISPINFO* info = reinterpret_cast<GV_DISPINFO*>(lp);
        info->item.strText = stored;
      }
      return true;
    };
  }
  std::vector<int> codes;
  std::vector<CCellID> cells;
  std::vector<CString> texts;
  LRESULT endAnswer = 0;
  CString stored = _T("old");
};

TEST_F(GridEdit, AVirtualGridsOwnerGetsTheTypedText) {
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(5);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetEditable(TRUE);
  grid.OnEndEditCell(2, 3, _T("typed"));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], CString(_T("typed")));
  EXPECT_EQ(cells[0], CCellID(2, 3));  // where a plain notice has row and column
}

TEST_F(GridEdit, ARefusedEndRestoresTheOldTextAndTheModifiedFlag) {
  grid.SetRowCount(5);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetEditable(TRUE);
  grid.SetItemText(2, 2, _T("old"));
  grid.SetModified(FALSE, 2, 2);
  struct Case {
    LRESULT answer;
    const TCHAR* text;  // the cell's text after
    BOOL modified;
  } cases[] = {{-1, _T("old"), FALSE}, {0, _T("new"), TRUE}};
  for (const Case& c : cases) {
    endAnswer = c.answer;
    texts.clear();
    grid.OnEndEditCell(2, 2, _T("new"));
    EXPECT_EQ(texts.size(), 1u);
    EXPECT_EQ(grid.GetItemText(2, 2), CString(c.text));
    EXPECT_EQ(grid.GetModified(2, 2), c.modified);
  }
}

}  // namespace

namespace {

// An owner that destroys the grid while it hears one of its notices: the grid goes no further
// (no selection, no mouse mode or timer left running, no text changed).
TEST_F(GridFixture, AnOwnerThatDestroysTheGridStopsWhatTheNoticeAnnounced) {
  const struct Case {
    const char* what;
    int code;  // the notice during which the owner destroys the grid
    UINT message;
    WPARAM wParam;
  } cases[] = {
      {"a click, at the selection-changing notice", GVN_SELCHANGING, WM_LBUTTONDOWN, MK_LBUTTON},
      {"select all, at the selection-changing notice", GVN_SELCHANGING, WM_COMMAND, CGridCtrl::ID_SELECT_ALL},
      {"Delete, at the begin-edit notice", GVN_BEGINLABELEDIT, WM_KEYDOWN, VK_DELETE},
  };
  for (const Case& c : cases) {
    if (grid.GetSafeHwnd() != NULL) grid.DestroyWindow();
    Make(300, 200);
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetEditable(TRUE);
    grid.SetItemText(2, 2, _T("kept"));
    grid.SetFocusCell(2, 2);
    parent.answer = [&](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      if (static_cast<int>(reinterpret_cast<const NMHDR*>(lp)->code) == c.code) grid.DestroyWindow();
      *result = 0;
      return true;
    };
    CPoint inCell;  // a click away from the focus cell (one on it would begin an edit)
    ASSERT_TRUE(grid.GetCellOrigin(3, 2, &inCell));
    inCell.Offset(5, 5);
    grid.SendMessage(c.message, c.wParam, c.message == WM_LBUTTONDOWN ? MAKELPARAM(inCell.x, inCell.y) : 0);
    parent.answer = nullptr;
    EXPECT_EQ(grid.GetSafeHwnd(), static_cast<HWND>(NULL)) << c.what;
    EXPECT_EQ(grid.GetSelectedCount(), 0) << c.what;
    EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING) << c.what;
    EXPECT_EQ(grid.GetItemText(2, 2), CString(_T("kept"))) << c.what;
    EXPECT_EQ(::GetCapture(), static_cast<HWND>(NULL)) << c.what;
  }
}

}  // namespace
