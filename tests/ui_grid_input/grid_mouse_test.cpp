// The grid under real input: clicks with Shift and Ctrl, Ctrl-drags, divider drags and the
// capture lost during one, the start of an edit on release over the focus cell, and the
// notifications each sends to the owner in order.
#include <GridCtrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../ui_grid/grid_fixture.h"
#include "input_script.h"
#include "recorder.h"
#include "test_support.h"

using grid_testing::GridFixture;
using testing_support::ExpectedMsg;
using testing_support::InputScript;
using testing_support::MouseTo;
using testing_support::Recorder;
using testing_support::kOptional;
using testing_support::kParent;
using testing_support::kSent;

namespace {

const int kClick = static_cast<int>(NM_CLICK);

struct Note {
  int code, row, col;
  bool operator==(const Note& o) const { return code == o.code && row == o.row && col == o.col; }
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
  return os << "{" << n.code << "," << n.row << "," << n.col << "}";
}

void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// A 6 x 5 grid (one fixed row and column), columns 50 wide and rows 20 high, in the top-left
// corner of the logging popup; the owner's notifications are kept in `notes` and answered by
// `reply` (0 unless set).
class GridInput : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    grid.SetRowCount(6);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < 5; ++c) grid.SetColumnWidth(c, 50);
    for (int r = 0; r < 6; ++r) grid.SetRowHeight(r, 20);
    grid.ResetScrollBars();
    for (int r = 1; r < 6; ++r)
      for (int c = 1; c < 5; ++c) grid.SetItemText(r, c, _T("x"));
    parent.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      const NM_GRIDVIEW* nm = reinterpret_cast<const NM_GRIDVIEW*>(lp);
      const int code = static_cast<int>(nm->hdr.code);
      notes.push_back({code, nm->iRow, nm->iColumn});
      *result = reply ? reply(code) : 0;
      return true;
    };
    ::SetForegroundWindow(parent.hwnd());
    grid.SetFocus();
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
    // No earlier click may make the first one a double click.
    Run({[=] { ClickElsewhere(); }});
    // Noise of the pointer, and the right clicks on the popup that keep clicks apart.
    for (UINT m : {WM_SETCURSOR, WM_MOUSEACTIVATE, WM_PARENTNOTIFY, WM_NCHITTEST, WM_MOUSEMOVE, WM_GETICON,
                   WM_IME_SETCONTEXT, WM_IME_NOTIFY, WM_CTLCOLORSCROLLBAR, WM_RBUTTONDOWN, WM_RBUTTONUP,
                   WM_CONTEXTMENU})
      Recorder().Ignore(m);
    Recorder().Reset();
    notes.clear();
  }
  // A right click on the popup beside the grid: the next left click is not a double click.
  void ClickElsewhere() {
    CPoint pt(400, 300);
    ::ClientToScreen(parent.hwnd(), &pt);
    MouseTo(pt, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
  }
  // The screen point at (dx, dy) inside cell (row, col).
  CPoint At(int row, int col, int dx = 25, int dy = 10) {
    CPoint origin;
    EXPECT_TRUE(grid.GetCellOrigin(row, col, &origin));
    CPoint pt(origin.x + dx, origin.y + dy);
    grid.ClientToScreen(&pt);
    return pt;
  }
  void Run(std::vector<std::function<void()>> steps) {
    InputScript script(std::move(steps));
    ASSERT_TRUE(script.Run());
  }
  // A click at pt with the modifier key (0: none) held around it.
  void Click(CPoint pt, WORD modifier = 0) {
    Run({[=] {
           if (modifier) Key(modifier, false);
           MouseTo(pt);
         },
         [=] { MouseTo(pt, MOUSEEVENTF_LEFTDOWN); },
         [=] {
           MouseTo(pt, MOUSEEVENTF_LEFTUP);
           if (modifier) Key(modifier, true);
         },
         [=] { ClickElsewhere(); }});
  }
  std::vector<CCellID> Selected() {
    std::vector<CCellID> cells;
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 5; ++c)
        if (grid.IsCellSelected(r, c)) cells.push_back(CCellID(r, c));
    return cells;
  }
  static std::vector<CCellID> Block(int r0, int c0, int r1, int c1) {
    std::vector<CCellID> cells;
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) cells.push_back(CCellID(r, c));
    return cells;
  }
  std::vector<Note> notes;
  std::function<LRESULT(int)> reply;
};

bool Same(const std::vector<CCellID>& a, const std::vector<CCellID>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// What the owner sees of a click that selects: the changing and changed notifications and the
// click, sent, then the posted command of the release.
const ExpectedMsg kClickSequence[] = {
    {WM_NOTIFY, kParent | kSent, 0, 0},  // selection changing, from the press
    {WM_NOTIFY, kParent | kSent, 0, 0},  // selection changed, from the release
    {WM_NOTIFY, kParent | kSent, 0, 0},  // click, from the release
    // posted by the release, but dispatched by the input script's own loop, which the
    // recorder cannot tell from a send
    {WM_COMMAND, kParent | kSent, 0, 0},
    {0, 0, 0, 0}};

TEST_F(GridInput, ClickShiftClickAndCtrlClickSelectAndNotifyInOrder) {
  Click(At(2, 2));
  EXPECT_TRUE(Recorder().Matches(kClickSequence));
  EXPECT_EQ(notes, (std::vector<Note>{{GVN_SELCHANGING, 2, 2}, {GVN_SELCHANGED, 2, 2}, {kClick, 2, 2}}));
  EXPECT_TRUE(Same(Selected(), Block(2, 2, 2, 2)));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));

  // Shift+click extends the block from the start cell (2,2); the focus follows the click.
  Recorder().Reset();
  notes.clear();
  Click(At(4, 3), VK_SHIFT);
  EXPECT_TRUE(Recorder().Matches(kClickSequence));
  EXPECT_EQ(notes, (std::vector<Note>{{GVN_SELCHANGING, 4, 3}, {GVN_SELCHANGED, 4, 3}, {kClick, 4, 3}}));
  EXPECT_TRUE(Same(Selected(), Block(2, 2, 4, 3)));
  EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 3));

  // Ctrl+click on an unselected cell keeps the block and adds the cell.
  notes.clear();
  Click(At(1, 4), VK_CONTROL);
  std::vector<CCellID> expected = Block(1, 4, 1, 4);
  for (const CCellID& c : Block(2, 2, 4, 3)) expected.push_back(c);
  EXPECT_TRUE(Same(Selected(), expected));
  EXPECT_EQ(grid.GetSelectedCount(), 7);

  // Ctrl+click on a selected cell deselects that cell alone: no selection-changing notice.
  notes.clear();
  Click(At(3, 3), VK_CONTROL);
  EXPECT_EQ(notes, (std::vector<Note>{{GVN_SELCHANGED, 3, 3}, {kClick, 3, 3}}));
  EXPECT_FALSE(grid.IsCellSelected(3, 3));
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 3));
}

TEST_F(GridInput, ShiftClickWithoutAStartCellExtendsFromTheFocus) {
  grid.SetFocusCell(2, 2);
  ASSERT_FALSE(grid.IsValid(grid.GetSelectionStartCell()));
  Click(At(4, 4), VK_SHIFT);
  EXPECT_TRUE(Same(Selected(), Block(2, 2, 4, 4)));
}

TEST_F(GridInput, CtrlDragKeepsTheSelectionAndAddsTheBlock) {
  Click(At(1, 1));
  const CCellID from(3, 3), to(5, 4);
  Run({[=] {
         Key(VK_CONTROL, false);
         MouseTo(At(from.row, from.col));
       },
       [=] { MouseTo(At(from.row, from.col), MOUSEEVENTF_LEFTDOWN); },
       [=] { MouseTo(At(4, 4)); },
       [=] { MouseTo(At(to.row, to.col)); },
       [=] {
         MouseTo(At(to.row, to.col), MOUSEEVENTF_LEFTUP);
         Key(VK_CONTROL, true);
       }});
  std::vector<CCellID> expected = Block(1, 1, 1, 1);
  for (const CCellID& c : Block(3, 3, 5, 4)) expected.push_back(c);
  EXPECT_TRUE(Same(Selected(), expected));
  EXPECT_EQ(grid.GetFocusCell(), to);
}

// Held below the grid, the button scrolls the grid a row per timer tick and extends the block
// with it; the release ends the scrolling.
TEST_F(GridInput, ADragBelowTheGridScrollsAndExtendsTheBlock) {
  grid.SetRowCount(60);
  for (int r = 0; r < 60; ++r) grid.SetRowHeight(r, 20);
  grid.ResetScrollBars();
  const CPoint start = At(2, 2);
  CRect client;
  grid.GetClientRect(client);
  CPoint below(start.x, client.bottom + 30);
  grid.ClientToScreen(&below);
  std::vector<std::function<void()>> steps = {[=] { MouseTo(start); }, [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); }};
  for (int i = 0; i < 12; ++i) steps.push_back([=] { MouseTo(below); });
  steps.push_back([=] { MouseTo(below, MOUSEEVENTF_LEFTUP); });
  Run(steps);
  const CCellID focus = grid.GetFocusCell();
  EXPECT_GT(focus.row, 9);  // past the rows shown at first
  EXPECT_EQ(focus.col, 2);
  EXPECT_GT(grid.GetTopleftNonFixedCell().row, 1);
  EXPECT_TRUE(grid.IsCellVisible(focus));
  // Each tick moves the focus a row down and selects to the cell under the bottom edge, which
  // after the scroll is the focus row or the part-shown row below it.
  const CCellRange block = grid.GetSelectedCellRange();
  EXPECT_EQ(block.GetTopLeft(), CCellID(2, 2));
  EXPECT_EQ(block.GetMaxCol(), 2);
  EXPECT_GE(block.GetMaxRow(), focus.row);
  EXPECT_LE(block.GetMaxRow(), focus.row + 1);
  EXPECT_EQ(grid.GetSelectedCount(), block.GetMaxRow() - 1);
  // released: no more ticks move the focus
  testing_support::PumpMessages();
  EXPECT_EQ(grid.GetFocusCell(), focus);
}

TEST_F(GridInput, EditingStartsOnReleaseOverTheFocusCellsTextAndTheOwnerMayRefuse) {
  grid.SetEditable(TRUE);
  Click(At(2, 2));  // makes (2,2) the focus: no edit yet
  for (const Note& n : notes) EXPECT_NE(n.code, GVN_BEGINLABELEDIT);
  notes.clear();
  reply = [](int code) -> LRESULT { return code == GVN_BEGINLABELEDIT ? -1 : 0; };
  Click(At(2, 2));  // the second click asks the owner to begin an edit, and is refused
  EXPECT_EQ(notes, (std::vector<Note>{{GVN_BEGINLABELEDIT, 2, 2}}));
  EXPECT_FALSE(grid.IsItemEditing(2, 2));
}

// A column divider dragged in the fixed row: the width is the release x less the column's
// origin, at least 1; a release where the drag began changes nothing.
TEST_F(GridInput, ColumnDividerDragSetsTheWidthFromTheColumnsOrigin) {
  struct Case {
    int releaseDx;  // release point, relative to the divider between columns 1 and 2
    int width;      // column 1's width after
  } cases[] = {{+30, 79}, {-45, 4}, {-60, 1}, {0, 50}};
  for (const Case& c : cases) {
    grid.SetColumnWidth(1, 50);
    grid.ResetScrollBars();
    const CPoint start = At(0, 1, 49, 10);  // on the divider at the column's right edge
    const CPoint end(start.x + c.releaseDx, start.y);
    Run({[=] { MouseTo(start); },
         [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
         [=] { MouseTo(end); },
         [=] { MouseTo(end, MOUSEEVENTF_LEFTUP); },
         [=] { ClickElsewhere(); }});
    EXPECT_EQ(grid.GetColumnWidth(1), c.width) << "release at " << c.releaseDx;
    EXPECT_NE(grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);  // over the divider it may be 8
  }
}

// A double click on a column divider sizes the column before it to its contents; one on a
// body cell's text edits that cell and tells the owner of the double click.
TEST_F(GridInput, DoubleClicksSizeAColumnOrEditACell) {
  grid.SetItemText(2, 1, _T("a text much wider than fifty pixels"));
  grid.SetEditable(TRUE);
  const CPoint divider = At(0, 1, 49, 10);
  Run({[=] { MouseTo(divider); },
       [=] { MouseTo(divider, MOUSEEVENTF_LEFTDOWN); },
       [=] { MouseTo(divider, MOUSEEVENTF_LEFTUP); },
       [=] { MouseTo(divider, MOUSEEVENTF_LEFTDOWN); },
       [=] { MouseTo(divider, MOUSEEVENTF_LEFTUP); },
       [=] { ClickElsewhere(); }});
  const int width = grid.GetColumnWidth(1);
  EXPECT_GT(width, 100);
  grid.SetColumnWidth(1, 50);
  ASSERT_TRUE(grid.AutoSizeColumn(1, grid.GetAutoSizeStyle()));
  EXPECT_EQ(width, grid.GetColumnWidth(1));  // what sizing to the contents gives
  // On a body cell: the first click selects and focuses it, the second arrives as a double click.
  notes.clear();
  const CPoint cell = At(3, 2, 10, 10);
  Run({[=] { MouseTo(cell); },
       [=] { MouseTo(cell, MOUSEEVENTF_LEFTDOWN); },
       [=] { MouseTo(cell, MOUSEEVENTF_LEFTUP); },
       [=] { MouseTo(cell, MOUSEEVENTF_LEFTDOWN); },
       [=] { MouseTo(cell, MOUSEEVENTF_LEFTUP); }});
  EXPECT_TRUE(grid.IsItemEditing(3, 2));
  std::vector<int> codes;
  for (const Note& n : notes) codes.push_back(n.code);
  // (the second release goes to the editor, now over the cell)
  EXPECT_EQ(codes, (std::vector<int>{GVN_SELCHANGING, GVN_SELCHANGED, kClick, GVN_BEGINLABELEDIT,
                                      static_cast<int>(NM_DBLCLK)}));
  grid.SetFocus();
  testing_support::PumpMessages();
}

// However the drag loses the mouse (another window takes the capture, as a message box would,
// or the system cancels the mode), the cursor goes free, the drag ends and nothing is sized.
TEST_F(GridInput, CaptureLostDuringADividerDragFreesTheCursorAndEndsTheDrag) {
  RECT screen;
  ASSERT_TRUE(GetClipCursor(&screen));
  const struct Case {
    const char* what;
    std::function<void()> lose;
  } cases[] = {
      {"capture taken", [this] { ::SetCapture(parent.hwnd()); }},
      {"mode cancelled", [this] { grid.SendMessage(WM_CANCELMODE); }},
  };
  for (const Case& c : cases) {
    const CPoint start = At(0, 1, 49, 10);
    RECT confined = {}, after = {};
    int modeDuring = -1;
    Run({[=] { MouseTo(start); },
         [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
         [&] {
           MouseTo(CPoint(start.x + 20, start.y));
           GetClipCursor(&confined);
           modeDuring = grid.GetMouseMode();
           c.lose();
           GetClipCursor(&after);
         },
         [=] { MouseTo(CPoint(start.x + 20, start.y), MOUSEEVENTF_LEFTUP); },
         [] { ::ReleaseCapture(); },
         [=] { ClickElsewhere(); }});
    EXPECT_EQ(modeDuring, CGridCtrl::MOUSE_SIZING_COL) << c.what;
    EXPECT_NE(testing_support::RectText(confined), testing_support::RectText(screen)) << c.what;  // the drag confined it
    EXPECT_EQ(testing_support::RectText(after), testing_support::RectText(screen)) << c.what;
    EXPECT_EQ(grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING) << c.what;
    EXPECT_EQ(grid.GetColumnWidth(1), 50) << c.what;
  }
}

}  // namespace
