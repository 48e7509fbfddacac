// Drag and drop of cell text through the system's OLE: the grid's drop target (registered at
// the grid's first size) answers copy with Ctrl and move otherwise, refuses read-only and
// fixed cells and data without text, and moves the drop highlight; a drag started by the
// grid pastes at the drop cell and, for a move, then clears the cells it took.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid_clipboard_fixture.h"

namespace {

using grid_testing::DataOf;
using grid_testing::ExactBlock;
using grid_testing::OleGridFixture;
using grid_testing::TextSource;

class GridDrop : public OleGridFixture {
 protected:
  void SetUp() override {
    OleGridFixture::SetUp();
    MakeFilled();
    grid.EnableDragAndDrop(TRUE);
    for (int c = 0; c < 5; ++c) grid.SetColumnWidth(c, 50);
    for (int r = 0; r < 5; ++r) grid.SetRowHeight(r, 20);
    grid.ResetScrollBars();
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT*) {
      if (msg != WM_NOTIFY) return false;
      const NM_GRIDVIEW* nm = reinterpret_cast<const NM_GRIDVIEW*>(lp);
      notes.push_back({static_cast<int>(nm->hdr.code), nm->iRow, nm->iColumn});
      if (onNote) onNote(static_cast<int>(nm->hdr.code));
      return false;
    };
  }
  // The screen point in the middle of a cell of a grid.
  static POINTL ScreenPoint(CGridCtrl& g, int row, int col) {
    CRect rect;
    EXPECT_TRUE(g.GetCellRect(row, col, rect));
    CPoint pt = rect.CenterPoint();
    g.ClientToScreen(&pt);
    return POINTL{pt.x, pt.y};
  }
  static IDropTarget* TargetOf(CGridCtrl& g) {
    return static_cast<IDropTarget*>(g.GetDropTarget().GetInterface(&IID_IDropTarget));
  }
  // The effect answered when data enters the grid over a cell with the keys held.
  DWORD Enter(COleDataSource* source, DWORD keys, int row, int col) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, TargetOf(grid)->DragEnter(DataOf(source), keys, ScreenPoint(grid, row, col), &effect));
    return effect;
  }
  bool Highlighted(int row, int col) { return (grid.GetItemState(row, col) & GVIS_DROPHILITED) != 0; }
  struct Note {
    int code, row, col;
  };
  std::vector<Note> notes;
  std::function<void(int)> onNote;
};

TEST_F(GridDrop, TheGridIsADropTargetFromItsFirstSize) {
  EXPECT_TRUE(grid.GetDropTarget().IsRegistered());
  EXPECT_EQ(&grid, grid.GetDropTarget().GetGridCtrl());
  EXPECT_FALSE(grid.GetDropTarget().Register(&grid));  // once per target
  grid.GetDropTarget().Revoke();
  EXPECT_FALSE(grid.GetDropTarget().IsRegistered());
  EXPECT_EQ(nullptr, grid.GetDropTarget().GetGridCtrl());
  EXPECT_TRUE(grid.GetDropTarget().Register(&grid));
  // The framework revokes a window's target as the window goes, through the target's own
  // Revoke: the grid's target forgets its grid.
  grid.DestroyWindow();
  EXPECT_FALSE(grid.GetDropTarget().IsRegistered());
  EXPECT_EQ(nullptr, grid.GetDropTarget().GetGridCtrl());
}

TEST_F(GridDrop, EffectsFollowTheKeysTheCellAndTheData) {
  const struct Case {
    const char* what;
    DWORD keys;
    int row, col;
    bool text, readOnly, enabled;
    DWORD effect;
  } cases[] = {
      {"no key moves", MK_LBUTTON, 2, 2, true, false, true, DROPEFFECT_MOVE},
      {"Ctrl copies", MK_LBUTTON | MK_CONTROL, 2, 2, true, false, true, DROPEFFECT_COPY},
      {"a read-only cell refuses", MK_LBUTTON, 2, 2, true, true, true, DROPEFFECT_NONE},
      {"a fixed cell refuses", MK_LBUTTON, 0, 2, true, false, true, DROPEFFECT_NONE},
      {"data without text is refused", MK_LBUTTON, 2, 2, false, false, true, DROPEFFECT_NONE},
      {"drag and drop off refuses", MK_LBUTTON, 2, 2, true, false, false, DROPEFFECT_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    grid.SetItemState(2, 2, c.readOnly ? GVIS_READONLY : 0);
    grid.EnableDragAndDrop(c.enabled);
    COleDataSource* source = new COleDataSource;
    if (c.text)
      source->CacheGlobalData(CF_TEXT, ExactBlock("x", 2));
    else
      source->CacheGlobalData(CF_DIB, ExactBlock("xx", 2));
    EXPECT_EQ(c.effect, Enter(source, c.keys, c.row, c.col));
    EXPECT_EQ(c.effect != DROPEFFECT_NONE, Highlighted(c.row, c.col));
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, TargetOf(grid)->DragOver(c.keys, ScreenPoint(grid, c.row, c.col), &effect));
    EXPECT_EQ(c.effect, effect);
    EXPECT_EQ(S_OK, TargetOf(grid)->DragLeave());
    EXPECT_FALSE(Highlighted(c.row, c.col));
    EXPECT_EQ(CString(_T("22")), grid.GetItemText(2, 2));
    source->InternalRelease();
  }
}

TEST_F(GridDrop, TheHighlightFollowsTheDragOverEditableCells) {
  COleDataSource* source = TextSource("x");
  ASSERT_EQ(DROPEFFECT_MOVE, Enter(source, MK_LBUTTON, 1, 1));
  EXPECT_TRUE(Highlighted(1, 1));
  grid.SetItemState(3, 3, GVIS_READONLY);
  const struct Step {
    int row, col;
    DWORD effect;
    CCellID lit;  // the one cell highlighted after the step
  } steps[] = {
      {2, 3, DROPEFFECT_MOVE, CCellID(2, 3)},
      {3, 3, DROPEFFECT_NONE, CCellID(2, 3)},  // a read-only cell leaves the highlight where it was
      {4, 1, DROPEFFECT_MOVE, CCellID(4, 1)},
  };
  for (const Step& s : steps) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, TargetOf(grid)->DragOver(MK_LBUTTON, ScreenPoint(grid, s.row, s.col), &effect));
    EXPECT_EQ(s.effect, effect);
    for (int r = 1; r < 5; ++r)
      for (int c = 1; c < 5; ++c) EXPECT_EQ(CCellID(r, c) == s.lit, Highlighted(r, c)) << r << "," << c;
    EXPECT_EQ(s.lit, grid.GetDragOverCell());
  }
  // Past the last cell: nothing is highlighted.
  CRect client;
  grid.GetClientRect(client);
  CPoint beyond(client.right - 2, client.bottom - 2);
  grid.ClientToScreen(&beyond);
  DWORD effect = DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, TargetOf(grid)->DragOver(MK_LBUTTON, POINTL{beyond.x, beyond.y}, &effect));
  EXPECT_EQ(DROPEFFECT_NONE, effect);
  EXPECT_FALSE(Highlighted(4, 1));
  TargetOf(grid)->DragLeave();
  source->InternalRelease();
}

TEST_F(GridDrop, ADropPastesAtTheDropCell) {
  COleDataSource* source = TextSource("a\tb\nc\td");
  ASSERT_EQ(DROPEFFECT_COPY, Enter(source, MK_CONTROL, 3, 3));
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(S_OK, TargetOf(grid)->Drop(DataOf(source), MK_CONTROL, ScreenPoint(grid, 3, 3), &effect));
  EXPECT_EQ(DROPEFFECT_COPY, effect);
  EXPECT_EQ(CString(_T("a")), grid.GetItemText(3, 3));
  EXPECT_EQ(CString(_T("b")), grid.GetItemText(3, 4));
  EXPECT_EQ(CString(_T("c")), grid.GetItemText(4, 3));
  EXPECT_EQ(CString(_T("d")), grid.GetItemText(4, 4));
  EXPECT_FALSE(Highlighted(3, 3));
  source->InternalRelease();
}

// A drag started by the grid itself, dropped where the cursor is (no button is down, so the
// system's drag loop drops at once).
TEST_F(GridDrop, AnOverlappingMoveWithinTheGridKeepsEveryText) {
  // A1:A3 of the body (cells (1,1) to (3,1)) moved one row down, onto (2,1).
  grid.SetSelectedRange(1, 1, 3, 1);
  const POINTL drop = ScreenPoint(grid, 2, 1);
  ASSERT_TRUE(::SetCursorPos(drop.x, drop.y));
  grid.OnBeginDrag();
  EXPECT_EQ(CString(), grid.GetItemText(1, 1));
  EXPECT_EQ(CString(_T("11")), grid.GetItemText(2, 1));
  EXPECT_EQ(CString(_T("21")), grid.GetItemText(3, 1));
  EXPECT_EQ(CString(_T("31")), grid.GetItemText(4, 1));
  EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, grid.GetMouseMode());
  // The owner hears of the drag from the range's top-left cell, then of each cell pasted at
  // the drop cell, then of the one cell the move cleared.
  const int kBegin = GVN_BEGINLABELEDIT, kEnd = GVN_ENDLABELEDIT;
  const struct {
    int code, row, col;
  } expected[] = {{GVN_BEGINDRAG, 1, 1}, {kBegin, 2, 1}, {kEnd, 2, 1}, {kBegin, 3, 1}, {kEnd, 3, 1},
                  {kBegin, 4, 1},        {kEnd, 4, 1},   {kBegin, 1, 1}, {kEnd, 1, 1}};
  ASSERT_EQ(sizeof expected / sizeof expected[0], notes.size());
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(expected[i].code, notes[i].code) << i;
    EXPECT_EQ(expected[i].row, notes[i].row) << i;
    EXPECT_EQ(expected[i].col, notes[i].col) << i;
  }
}

TEST_F(GridDrop, AMoveToAnotherGridClearsTheSourceAndARefusedDropClearsNothing) {
  CGridCtrl other;
  ASSERT_TRUE(other.Create(CRect(310, 0, 490, 200), CWnd::FromHandle(parent.hwnd()), grid_testing::kGridId + 1));
  other.SetRowCount(4);
  other.SetColumnCount(4);
  other.SetEditable(TRUE);
  other.EnableDragAndDrop(TRUE);
  for (int c = 0; c < 4; ++c) other.SetColumnWidth(c, 40);
  other.ResetScrollBars();
  ASSERT_TRUE(other.GetDropTarget().IsRegistered());

  grid.SetSelectedRange(1, 1, 1, 2);
  POINTL drop = ScreenPoint(other, 1, 1);
  ASSERT_TRUE(::SetCursorPos(drop.x, drop.y));
  grid.OnBeginDrag();
  EXPECT_EQ(CString(_T("11")), other.GetItemText(1, 1));
  EXPECT_EQ(CString(_T("12")), other.GetItemText(1, 2));
  EXPECT_EQ(CString(), grid.GetItemText(1, 1));
  EXPECT_EQ(CString(), grid.GetItemText(1, 2));

  other.SetItemState(2, 2, GVIS_READONLY);
  grid.SetSelectedRange(2, 1, 2, 1);
  drop = ScreenPoint(other, 2, 2);
  ASSERT_TRUE(::SetCursorPos(drop.x, drop.y));
  grid.OnBeginDrag();
  EXPECT_EQ(CString(), other.GetItemText(2, 2));
  EXPECT_EQ(CString(_T("21")), grid.GetItemText(2, 1));
  other.DestroyWindow();
}

TEST_F(GridDrop, AnOwnerThatDestroysTheGridAtTheDragNoticeEndsTheDrag) {
  grid.SetSelectedRange(1, 1, 1, 1);
  onNote = [this](int code) {
    if (code == GVN_BEGINDRAG) grid.DestroyWindow();
  };
  const POINTL drop = ScreenPoint(grid, 2, 2);
  ASSERT_TRUE(::SetCursorPos(drop.x, drop.y));
  grid.OnBeginDrag();
  EXPECT_EQ(nullptr, grid.GetSafeHwnd());
  onNote = nullptr;
}

}  // namespace
