// The tree list window: its rows' pixels, focus and selection through deletions, check-box
// propagation, in-place editing armed by a click, the drag threshold, label tooltips, sorting
// that keeps ids and state, scrolling beyond 16 bits, the dump, and the portable tree lists.
#include <GUIInitialisations.h>
#include <GUITreeList.h>
#include <QvGUIContainer.h>
#include <QvTreeList.h>
#include <TooltipWnd.h>
#include <TreeEdit.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dib_canvas.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DibCanvas;
using testing_support::LoggingParent;

namespace {

enum : unsigned short { kListId = 7 };

class TreeListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    parent.reset(new LoggingParent(WS_OVERLAPPEDWINDOW | WS_VISIBLE, NULL, {0, 0, 420, 320}));
    parent->answer = [this](UINT message, WPARAM, LPARAM lParam, LRESULT*) {
      if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == list.m_hWnd) {
          codes.push_back(static_cast<int>(header->code));
          if (onNotify) onNotify(static_cast<int>(header->code));
        }
      }
      return false;
    };
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, {0, 0, 240, 200},
                            CWnd::FromHandle(parent->hwnd()), kListId));
    ASSERT_TRUE(list.GetFlags() & CGUITreeList::kInitialised);
    testing_support::PumpMessages();
  }
  void TearDown() override {
    if (list.m_hWnd) list.DestroyWindow();
    parent.reset();
    testing_support::PumpMessages();
    PlatformGUIRelease();
  }

  // Lines, buttons and check boxes; rows by index.
  void Columns() { list.SetFlags((list.GetFlags() | CGUITreeList::kLines | CGUITreeList::kButtons | CGUITreeList::kChecks) & ~CGUITreeList::kTooltips); }

  RECT RowRect(long item) {
    RECT r = {};
    EXPECT_TRUE(list.GetItemRect(item, &r)) << "item " << item << " is not on screen";
    return r;
  }
  // The centre of an item's label, in client coordinates.
  POINT LabelPoint(long item) {
    int x[5];
    EXPECT_TRUE(list.GetItemXPositions(item, x));
    const RECT r = RowRect(item);
    return {(x[3] + x[4]) / 2, (r.top + r.bottom) / 2};
  }
  void Click(POINT pt, UINT message = WM_LBUTTONDOWN, UINT keys = MK_LBUTTON) {
    list.SendMessage(message, keys, MAKELPARAM(pt.x, pt.y));
  }
  void Paint(DibCanvas& canvas) { list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT); }
  void Focus() {
    ::SetForegroundWindow(parent->hwnd());
    ::SetFocus(list.m_hWnd);
    testing_support::PumpMessages();
    ASSERT_EQ(list.m_hWnd, ::GetFocus());
  }
  // Waits (without sleeping) until the condition holds or five seconds pass.
  bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
      if (::GetTickCount() - start > 5000) return false;
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
      testing_support::PumpMessages();
    }
    return true;
  }
  bool Has(int code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }

  std::unique_ptr<LoggingParent> parent;
  CGUITreeList list;
  std::vector<int> codes;
  std::function<void(int)> onNotify;
};

// --- drawing ---

// A root with two children: the dotted lines, the open button, and each check state's box.
TEST_F(TreeListTest, RowsDrawLinesButtonsAndCheckBoxes) {
  Columns();
  const long root = list.AddSuccessor(-1, L"root");
  const long a = list.AddDescendant(root, L"checked");
  const long b = list.AddDescendant(root, L"third");
  const long c = list.AddDescendant(root, L"unchecked");
  list.AddSuccessor(-1, L"next root");  // the root's line runs on past its children
  ASSERT_TRUE(list.Expand(root));
  list.SetItemCheckBoxState(a, 1, false);
  list.SetItemCheckBoxState(b, 2, false);
  DibCanvas canvas(240, 200);
  ASSERT_TRUE(canvas.valid());
  Paint(canvas);
  const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
  const int h = list.GetRowHeight() / 2;
  int x[5];
  list.GetItemXPositions(root, x);
  const RECT rootRow = RowRect(root);
  // The open button: a minus, no vertical bar.
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(x[0] + 4, rootRow.top + h - 1));
  EXPECT_EQ(RGB(255, 255, 255), canvas.At(x[0] + 6, rootRow.top + h - 3)) << "an open button shows no plus";
  // Each child: its vertical line above and its stub; the last child's line stops at its stub.
  for (long item : {a, b, c}) {
    SCOPED_TRACE(item);
    int cx[5];
    list.GetItemXPositions(item, cx);
    const RECT row = RowRect(item);
    int dots = 0;
    for (int y = row.top; y < row.top + h - 1; ++y) dots += canvas.At(cx[0] + 6, y) == grey;
    EXPECT_GT(dots, 2) << "the upper half of the line is dotted";
    int stub = 0;
    for (int sx = cx[0] + 6; sx < cx[0] + 16; ++sx) stub += canvas.At(sx, row.top + h - 1) == grey;
    EXPECT_GE(stub, 4) << "the horizontal stub";
    int below = 0;
    for (int y = row.top + h + 1; y < row.bottom; ++y) below += canvas.At(cx[0] + 6, y) == grey;
    EXPECT_EQ(item != c, below > 0) << "only a row with a following sibling continues its line";
    int ancestor = 0;
    for (int y = row.top; y < row.bottom; ++y) ancestor += canvas.At(x[0] + 6, y) == grey;
    EXPECT_GE(ancestor, (row.bottom - row.top) / 2 - 1) << "the root's line through its children's rows";
  }
  // The check boxes: a black mark for checked, grey for the third state, none unchecked.
  struct Case {
    long item;
    COLORREF mark;
  } cases[] = {{a, RGB(0, 0, 0)}, {b, RGB(128, 128, 128)}, {c, RGB(255, 255, 255)}};
  for (const Case& k : cases) {
    int cx[5];
    list.GetItemXPositions(k.item, cx);
    const RECT row = RowRect(k.item);
    EXPECT_EQ(k.mark, canvas.At(cx[1] + 6, row.top + 1 + 9)) << "item " << k.item;
    EXPECT_EQ(RGB(64, 64, 64), canvas.At(cx[1] + 1, row.top + 1 + 5)) << "the box's frame, item " << k.item;
  }
  // Closed, the root shows a plus and no children.
  ASSERT_TRUE(list.Collapse(root));
  Paint(canvas);
  EXPECT_EQ(RGB(0, 0, 0), canvas.At(x[0] + 6, rootRow.top + h - 3));
  RECT gone = {};
  EXPECT_FALSE(list.GetItemRect(a, &gone)) << "a hidden row has no rectangle";
}

// The label of a selected item: filled in a focused list, framed in an unfocused one; a
// disabled label is grey.
TEST_F(TreeListTest, LabelsShowSelectionFocusAndDisabledItems) {
  const long a = list.AddSuccessor(-1, L"Selected label");
  const long b = list.AddSuccessor(-1, L"Greyed label");
  list.SetItemStyle(b, CGUITreeList::kGreyed);
  list.Select(a, true, false);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT), window = ::GetSysColor(COLOR_WINDOW);
  int x[5];
  list.GetItemXPositions(a, x);
  const RECT row = RowRect(a);
  RECT label = {x[3] + 1, row.top + 1, x[3] + list.GetItemDataPtr(a)->textWidth - 1, row.bottom - 1};

  DibCanvas unfocused(240, 200);
  Paint(unfocused);
  EXPECT_EQ(highlight, unfocused.At(x[3], row.top + 5)) << "the frame's left edge";
  EXPECT_EQ(0, unfocused.CountOf(highlight, label)) << "an unfocused selection is only framed";

  Focus();
  DibCanvas focused(240, 200);
  Paint(focused);
  EXPECT_GT(focused.CountOf(highlight, label), (label.right - label.left) * (label.bottom - label.top) / 2)
      << "a focused selection is filled";
  EXPECT_GT(focused.CountOf(::GetSysColor(COLOR_HIGHLIGHTTEXT), label), 0);

  int bx[5];
  list.GetItemXPositions(b, bx);
  const RECT brow = RowRect(b);
  RECT greyLabel = {bx[3], brow.top, bx[4], brow.bottom};
  EXPECT_GT(focused.CountOf(::GetSysColor(COLOR_GRAYTEXT), greyLabel), 5);
  EXPECT_EQ(0, focused.CountOf(::GetSysColor(COLOR_WINDOWTEXT), greyLabel)) << "no ordinary text colour";
  EXPECT_EQ(window, focused.At(bx[3] + 1, brow.top + 1));
}

// --- focus and selection ---

// Deleting the focused item: the focus goes to the nearest earlier checked item, else the
// nearest earlier shown one, else the next later checked one, else the next later shown one.
TEST_F(TreeListTest, DeletingTheFocusedItemMovesTheFocus) {
  struct Case {
    const char* what;
    std::vector<int> checked;  // rows checked before the deletion
    long focused;              // row focused and deleted
    const wchar_t* expected;   // the text that then has the focus
  } cases[] = {
      {"earlier shown", {}, 2, L"b"},
      {"earlier checked before the nearer shown", {0}, 2, L"a"},
      {"later checked when nothing is earlier", {3}, 0, L"d"},
      {"later shown when nothing is earlier", {}, 0, L"b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.DeleteDescendants(-1);
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) list.AddSuccessor(-1, text);
    for (int row : c.checked) list.SetItemCheckBoxState(row, 1, false);
    ASSERT_TRUE(list.GiveFocusToItem(c.focused));
    ASSERT_TRUE(list.DeleteItem(c.focused, true));
    std::wstring text;
    ASSERT_TRUE(list.GetItemText(list.GetFocusItem(), text));
    EXPECT_EQ(c.expected, text);
    int flagged = 0;
    for (long i = 0; i < list.GetCount(); ++i) flagged += (list.GetItemDataPtr(i)->flags & TreeListItem::kFocus) != 0;
    EXPECT_EQ(1, flagged) << "one item has the focus";
  }
}

// --- check boxes ---

// Propagation: by the new state, the flags send it down to the children or all descendants,
// and up to a parent whose children now all share it.
TEST_F(TreeListTest, CheckStatesPropagateAsTheFlagsSay) {
  // r (p (x, y), q (z))
  struct Case {
    const char* what;
    WORD flags;
    const wchar_t* item;
    int state;
    std::vector<int> expected;  // r, p, x, y, q, z after the change
    std::vector<int> before;    // the states set first
  } cases[] = {
      {"no propagation", 0, L"p", 1, {0, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
      {"checked to the children", 0x20, L"r", 1, {1, 1, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 0}},
      {"checked to every descendant", 0x40, L"r", 1, {1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0}},
      {"up only when every sibling shares it", 0x80, L"x", 1, {0, 0, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
      {"up when the last sibling follows", 0x80, L"y", 1, {0, 1, 1, 1, 0, 0}, {0, 0, 1, 0, 0, 0}},
      {"up through every level", 0x80, L"z", 1, {1, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 0, 0}},
      {"unchecked down only with 0x400", 0x40, L"r", 0, {0, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}},
      {"unchecked to every descendant", 0x400, L"r", 0, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}},
      {"unchecked to the children", 0x200, L"r", 0, {0, 0, 1, 1, 0, 1}, {1, 1, 1, 1, 1, 1}},
      {"unchecked upwards while the siblings agree", 0x800, L"z", 0, {1, 1, 1, 1, 0, 0}, {1, 1, 1, 1, 1, 1}},
      {"third state down", 0x2000, L"p", 2, {0, 2, 2, 2, 0, 0}, {0, 0, 0, 0, 0, 0}},
      {"third state to the children", 0x1000, L"r", 2, {2, 2, 0, 0, 2, 0}, {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.DeleteDescendants(-1);
    const long r = list.AddSuccessor(-1, L"r");
    const long p = list.AddDescendant(r, L"p");
    list.AddDescendant(p, L"x");
    list.AddDescendant(p, L"y");
    const long q = list.AddDescendant(r, L"q");
    list.AddDescendant(q, L"z");
    list.SetCheckBoxFlags(0);
    for (long i = 0; i < 6; ++i) list.SetItemCheckBoxState(i, c.before[i], false);
    list.SetCheckBoxFlags(c.flags);
    codes.clear();
    ASSERT_TRUE(list.SetItemCheckBoxState(list.FindItem(c.item), c.state, true));
    std::vector<int> states;
    for (long i = 0; i < 6; ++i) states.push_back(list.GetItemCheckBoxState(i));
    EXPECT_EQ(c.expected, states);
    EXPECT_FALSE(Has(CGUITreeList::kNotifyCheck)) << "setting a state by program tells nobody";
  }
  EXPECT_FALSE(list.SetItemCheckBoxState(99, 1, true));
  EXPECT_EQ(-1, list.GetItemCheckBoxState(99));
}

// A click on the check box toggles it with a notification; a double click toggles it twice.
TEST_F(TreeListTest, ClicksOnTheCheckBoxToggleIt) {
  Columns();
  const long a = list.AddSuccessor(-1, L"a");
  int x[5];
  list.GetItemXPositions(a, x);
  const RECT row = RowRect(a);
  const POINT box = {x[1] + 6, (row.top + row.bottom) / 2};
  Click(box);
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  EXPECT_EQ(1, list.GetItemCheckBoxState(a));
  EXPECT_TRUE(Has(CGUITreeList::kNotifyCheck));
  Click(box, WM_LBUTTONDBLCLK);
  EXPECT_EQ(0, list.GetItemCheckBoxState(a)) << "the double click's second press";
  Click(box);
  EXPECT_EQ(1, list.GetItemCheckBoxState(a));
}

// --- editing ---

// A click on the label of the only selected item arms the editor; it opens after the
// double-click time. Enter stores a changed text and tells it; Escape stores nothing.
TEST_F(TreeListTest, EditingArmedByAClickOpensAfterTheDoubleClickTime) {
  list.EnableOnlineEdit(true, 100, false);
  const long a = list.AddSuccessor(-1, L"alpha");
  list.AddSuccessor(-1, L"beta");
  Focus();
  Click(LabelPoint(a));  // selects a
  list.SendMessage(WM_LBUTTONUP, 0, 0);
  codes.clear();
  Click(LabelPoint(a));  // a click on the only selection: armed
  EXPECT_EQ((std::vector<int>{CGUITreeList::kNotifyClick, CGUITreeList::kNotifyEditArmed}), codes);
  EXPECT_TRUE(list.GetFlags() & CGUITreeList::kEditTimer);
  ASSERT_TRUE(PumpUntil([&] { return list.GetEditor() != nullptr; })) << "the editor never opened";
  CTreeEdit* editor = list.GetEditor();
  EXPECT_EQ(a, editor->GetRow());
  EXPECT_EQ(editor->m_hWnd, ::GetFocus());
  EXPECT_TRUE(list.GetItemDataPtr(a)->flags & TreeListItem::kEditing) << "the label is hidden meanwhile";

  // Escape: nothing stored, nothing told.
  ::SetWindowTextW(editor->m_hWnd, L"changed");
  codes.clear();
  editor->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(nullptr, list.GetEditor());
  std::wstring text;
  list.GetItemText(a, text);
  EXPECT_EQ(L"alpha", text);
  EXPECT_FALSE(Has(CGUITreeList::kNotifyText));
  EXPECT_EQ(list.m_hWnd, ::GetFocus());

  // Enter: stored and told.
  ASSERT_TRUE(list.EditItem(a));
  editor = list.GetEditor();
  ASSERT_TRUE(editor);
  ::SetWindowTextW(editor->m_hWnd, L"gamma");
  codes.clear();
  editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  list.GetItemText(a, text);
  EXPECT_EQ(L"gamma", text);
  EXPECT_TRUE(Has(CGUITreeList::kNotifyText));
  EXPECT_EQ(nullptr, list.GetEditor());
}

// A double click before the time is up stops the armed editor.
TEST_F(TreeListTest, ADoubleClickCancelsTheArmedEditor) {
  list.EnableOnlineEdit(true, 100, false);
  const long a = list.AddSuccessor(-1, L"alpha");
  Focus();
  Click(LabelPoint(a));
  list.SendMessage(WM_LBUTTONUP, 0, 0);
  Click(LabelPoint(a));
  ASSERT_TRUE(list.GetFlags() & CGUITreeList::kEditTimer);
  codes.clear();
  Click(LabelPoint(a), WM_LBUTTONDBLCLK);
  EXPECT_FALSE(list.GetFlags() & CGUITreeList::kEditTimer);
  EXPECT_EQ(std::vector<int>{CGUITreeList::kNotifyDoubleClick}, codes);
  list.SendMessage(WM_TIMER, CGUITreeList::kEditTimerId, 0);  // a tick already queued
  EXPECT_EQ(nullptr, list.GetEditor());
}

// The armed editor remembers its item, not its row: an item added or removed meanwhile stops
// it, and a stale tick edits nothing (it used to edit whatever row came to that place).
TEST_F(TreeListTest, TheArmedEditorNeverEditsAnotherItem) {
  struct Case {
    const char* what;
    std::function<void(CGUITreeList&)> change;
  } cases[] = {
      {"an item added above", [](CGUITreeList& l) { l.AddPredecessor(0, L"new"); }},
      {"an item deleted above", [](CGUITreeList& l) { l.DeleteItem(0, true); }},
      {"a sort", [](CGUITreeList& l) { l.SortDescendants(false, -1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.DeleteDescendants(-1);
    list.EnableOnlineEdit(true, 100, false);
    list.AddSuccessor(-1, L"first");
    const long b = list.AddSuccessor(-1, L"second");
    list.AddSuccessor(-1, L"third");
    Focus();
    Click(LabelPoint(b));
    list.SendMessage(WM_LBUTTONUP, 0, 0);
    Click(LabelPoint(b));
    ASSERT_TRUE(list.GetFlags() & CGUITreeList::kEditTimer);
    c.change(list);
    EXPECT_FALSE(list.GetFlags() & CGUITreeList::kEditTimer) << "a structural change stops the timer";
    list.SendMessage(WM_TIMER, CGUITreeList::kEditTimerId, 0);
    EXPECT_EQ(nullptr, list.GetEditor());
  }
}

// --- structure ---

// The texts of the rows, a dot per level (whatever the addressing).
std::vector<std::wstring> Rows(CGUITreeList& list) {
  const DWORD flags = list.GetFlags();
  list.SetFlags(flags & ~CGUITreeList::kByID);
  std::vector<std::wstring> rows;
  for (long i = 0; i < list.GetCount(); ++i) {
    const TreeListItem* item = list.GetItemDataPtr(i);
    rows.push_back(std::wstring(item->level, L'.') + item->text);
  }
  list.SetFlags(flags);
  return rows;
}

// Moves keep ids and state, copies are new items; a container is not moved without its
// descendants, nor into its own subtree. Deleting an item alone lifts its descendants.
TEST_F(TreeListTest, ItemsMoveCopyAndDeleteAsTheTreeAllows) {
  struct Case {
    const char* what;
    const wchar_t* src;
    const wchar_t* dst;
    bool withDescendants, move, asChild;
    bool ok;
    std::vector<std::wstring> rows;
  } cases[] = {
      {"move a branch after another", L"a", L"f", true, true, false, true, {L"f", L"a", L".b", L"..c", L"..d", L".e"}},
      {"move a branch under another", L"b", L"f", true, true, true, true, {L"a", L".e", L"f", L".b", L"..c", L"..d"}},
      {"copy an item alone", L"b", L"f", false, false, false, true,
       {L"a", L".b", L"..c", L"..d", L".e", L"f", L"b"}},
      {"copy a branch under an item", L"b", L"e", true, false, true, true,
       {L"a", L".b", L"..c", L"..d", L".e", L"..b", L"...c", L"...d", L"f"}},
      {"a container moved without its descendants", L"b", L"f", false, true, false, false, {}},
      {"into its own subtree", L"a", L"c", true, true, true, false, {}},
  };
  list.SetFlags(list.GetFlags() | CGUITreeList::kByID);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.DeleteDescendants(-1);
    const long a = list.AddSuccessor(-1, L"a");
    const long b = list.AddDescendant(a, L"b");
    list.AddDescendant(b, L"c");
    list.AddDescendant(b, L"d");
    list.AddDescendant(a, L"e");
    list.AddSuccessor(-1, L"f");
    const std::vector<std::wstring> before = Rows(list);
    const long src = list.FindItem(c.src);
    list.SetItemCheckBoxState(src, 1, false);
    list.Select(src, true, false);
    EXPECT_EQ(c.ok, list.CopyOrMove(src, list.FindItem(c.dst), c.withDescendants, c.move, c.asChild) != 0);
    EXPECT_EQ(c.ok ? c.rows : before, Rows(list));
    if (c.ok && c.move) {
      std::wstring text;
      ASSERT_TRUE(list.GetItemText(src, text)) << "a moved item keeps its id";
      EXPECT_EQ(c.src, text);
      EXPECT_EQ(1, list.GetItemCheckBoxState(src));
      EXPECT_TRUE(list.IsSelected(src));
    }
    if (c.ok && !c.move) {
      EXPECT_EQ(1, list.GetSelectedCount()) << "a copy is not selected";
    }
  }
  // An item deleted alone: its children take its place, one level up.
  list.DeleteDescendants(-1);
  const long a = list.AddSuccessor(-1, L"a");
  const long b = list.AddDescendant(a, L"b");
  list.AddDescendant(b, L"c");
  list.AddDescendant(b, L"d");
  list.AddSuccessor(-1, L"f");
  ASSERT_TRUE(list.DeleteItem(b, false));
  EXPECT_EQ((std::vector<std::wstring>{L"a", L".c", L".d", L"f"}), Rows(list));
  EXPECT_FALSE(list.DeleteItem(99, true));
}

// Keys move the focus and the selection over shown rows; letters find the next row that
// begins with them; plus and minus open and close.
TEST_F(TreeListTest, KeysWalkTheShownRows) {
  const long a = list.AddSuccessor(-1, L"apple");
  list.AddDescendant(a, L"bean");
  list.AddSuccessor(-1, L"cherry");
  list.AddSuccessor(-1, L"avocado");
  Focus();
  struct Step {
    UINT message;
    WPARAM key;
    long focus;
    int type0;  // the type of row 0 after the step
  } steps[] = {
      {WM_KEYDOWN, VK_DOWN, 2, CGUITreeList::kClosedContainer},    // over the closed container's child
      {WM_KEYDOWN, VK_HOME, 0, CGUITreeList::kClosedContainer},
      {WM_CHAR, L'+', 0, CGUITreeList::kOpenContainer},
      {WM_KEYDOWN, VK_DOWN, 1, CGUITreeList::kOpenContainer},      // now into it
      {WM_KEYDOWN, VK_BACK, 0, CGUITreeList::kOpenContainer},      // to the parent
      {WM_KEYDOWN, VK_END, 3, CGUITreeList::kOpenContainer},
      {WM_CHAR, L'a', 0, CGUITreeList::kOpenContainer},            // round to the next 'A'
      {WM_CHAR, L'A', 3, CGUITreeList::kOpenContainer},
      {WM_CHAR, L'c', 2, CGUITreeList::kOpenContainer},
      {WM_KEYDOWN, VK_HOME, 0, CGUITreeList::kOpenContainer},
      {WM_KEYDOWN, VK_LEFT, 0, CGUITreeList::kClosedContainer},    // closes it
      {WM_KEYDOWN, VK_RIGHT, 0, CGUITreeList::kOpenContainer},     // opens it
      {WM_CHAR, L'-', 0, CGUITreeList::kClosedContainer},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "message " << s.message << " key " << s.key);
    list.SendMessage(s.message, s.key, 0);
    EXPECT_EQ(s.focus, list.GetFocusItem());
    EXPECT_EQ(s.focus, list.GetSelected()) << "the selection follows";
    EXPECT_EQ(1, list.GetSelectedCount());
    EXPECT_EQ(s.type0, list.GetItemType(0));
  }
}

// Opened and closed while the redraw is frozen, the rows show as they should once it thaws.
TEST_F(TreeListTest, ContainersOpenedWhileFrozenShowTheirRowsAfterwards) {
  const long a = list.AddSuccessor(-1, L"a");
  const long b = list.AddDescendant(a, L"b");
  const long c = list.AddDescendant(b, L"c");
  const long d = list.AddSuccessor(-1, L"d");
  list.FreezeRedraw(true);
  codes.clear();
  EXPECT_TRUE(list.Expand(a));
  EXPECT_TRUE(list.Expand(b));
  EXPECT_TRUE(list.Collapse(b));
  EXPECT_TRUE(list.Expand(b));
  EXPECT_EQ((std::vector<int>{CGUITreeList::kNotifyExpanded, CGUITreeList::kNotifyExpanded,
                              CGUITreeList::kNotifyCollapsed, CGUITreeList::kNotifyExpanded}),
            codes);
  list.FreezeRedraw(false);
  const RECT rc = RowRect(c), rd = RowRect(d);
  EXPECT_EQ(rc.bottom, rd.top) << "c is the third row, d the fourth";
  EXPECT_EQ(3 * list.GetRowHeight(), rd.top);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(list.m_hWnd, SB_VERT, &si));
  EXPECT_EQ(0, si.nMax) << "four rows fit";
  (void)b;
}

// --- notifications ---

using testing_support::ExpectedMsg;
using testing_support::Recorder;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;

// A click on an unselected label of a focused list: the parent hears of the press, then of the
// selection, each as WM_NOTIFY from the list's id; nothing else reaches it.
TEST_F(TreeListTest, AClickTellsThePressThenTheSelection) {
  const long a = list.AddSuccessor(-1, L"alpha");
  list.AddSuccessor(-1, L"beta");
  Focus();
  Recorder().Watch(parent->hwnd());
  Recorder().Reset();
  codes.clear();
  // WM_LBUTTONDOWN on a's label, the list focused, nothing selected.
  static const ExpectedMsg kClick[] = {
      {WM_NOTIFY, kSent | kParent | kWparam, kListId, 0},  // 102: the press, with the row and part
      {WM_NOTIFY, kSent | kParent | kWparam, kListId, 0},  // 105: the selection changed
      {0, 0, 0, 0}};
  Click(LabelPoint(a));
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kClick));
  EXPECT_EQ((std::vector<int>{CGUITreeList::kNotifyClick, CGUITreeList::kNotifySelection}), codes);
  EXPECT_EQ(a, list.GetLastNotifItem());
  EXPECT_EQ(CGUITreeList::kLabelPart, list.GetLastItemPosition());
  EXPECT_TRUE(list.IsSelected(a));
  EXPECT_EQ(a, list.GetFocusItem());

  // A second press on the same, only selected label of a list without editing: only the press.
  static const ExpectedMsg kPressOnly[] = {{WM_NOTIFY, kSent | kParent | kWparam, kListId, 0},  // 102
                                           {0, 0, 0, 0}};
  list.SendMessage(WM_LBUTTONUP, 0, 0);
  Recorder().Reset();
  codes.clear();
  Click(LabelPoint(a));
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kPressOnly));
  EXPECT_EQ(std::vector<int>{CGUITreeList::kNotifyClick}, codes);
  Recorder().UnwatchAll();
}

// A parent that destroys the list while it is told of the press: the list stops there.
TEST_F(TreeListTest, AListDestroyedByItsParentStopsAtOnce) {
  const long a = list.AddSuccessor(-1, L"alpha");
  Focus();
  const POINT at = LabelPoint(a);
  codes.clear();
  onNotify = [this](int code) {
    if (code == CGUITreeList::kNotifyClick) list.DestroyWindow();
  };
  Click(at);
  EXPECT_EQ(NULL, list.m_hWnd);
  EXPECT_TRUE(Has(CGUITreeList::kNotifyClick));
  EXPECT_FALSE(Has(CGUITreeList::kNotifySelection)) << "nothing is told after the press";
  onNotify = nullptr;
}

// The wheel: Shift over a container's button opens (up) or closes (down) it; no modifier
// scrolls a row; Ctrl does nothing.
TEST_F(TreeListTest, TheWheelScrollsOrOpensAndCloses) {
  const long root = list.AddSuccessor(-1, L"root");
  for (int i = 0; i < 40; ++i) list.AddDescendant(root, L"child");
  int x[5];
  list.GetItemXPositions(root, x);
  const RECT row = RowRect(root);
  POINT button = {x[0] + 6, (row.top + row.bottom) / 2};
  ::ClientToScreen(list.m_hWnd, &button);
  struct Step {
    WORD keys;
    short delta;
    int type;  // of the root afterwards
    long top;  // the first visible item afterwards
  } steps[] = {
      {MK_SHIFT, WHEEL_DELTA, CGUITreeList::kOpenContainer, 0},
      {MK_SHIFT, WHEEL_DELTA, CGUITreeList::kOpenContainer, 0},  // already open
      {0, -WHEEL_DELTA, CGUITreeList::kOpenContainer, 1},
      {MK_CONTROL, -WHEEL_DELTA, CGUITreeList::kOpenContainer, 1},
      {0, WHEEL_DELTA, CGUITreeList::kOpenContainer, 0},
      {MK_SHIFT, -WHEEL_DELTA, CGUITreeList::kClosedContainer, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "keys " << s.keys << " delta " << s.delta);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(s.keys, static_cast<WORD>(s.delta)), MAKELPARAM(button.x, button.y));
    EXPECT_EQ(s.type, list.GetItemType(root));
    EXPECT_EQ(s.top, list.GetFirstVisibleItem());
  }
}

// Focus comes and goes with notifications; a focused list asks for arrows and characters (and
// the Tab key when it processes it); the first item takes the focus flag.
TEST_F(TreeListTest, FocusIsToldAndTheKeysAreAskedFor) {
  list.AddSuccessor(-1, L"a");
  HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 250, 0, 50, 20, parent->hwnd(), NULL, NULL, NULL);
  ASSERT_TRUE(other);
  EXPECT_EQ(0, list.SendMessage(WM_GETDLGCODE, 0, 0)) << "asked while unfocused: the default answer";
  codes.clear();
  Focus();
  EXPECT_EQ(std::vector<int>{CGUITreeList::kNotifyFocus}, codes);
  EXPECT_EQ(0, list.GetFocusItem());
  EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), list.SendMessage(WM_GETDLGCODE, 0, 0));
  list.EnableProcessTabKey(true);
  EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB), list.SendMessage(WM_GETDLGCODE, 0, 0));
  codes.clear();
  ::SetFocus(other);
  EXPECT_EQ(std::vector<int>{CGUITreeList::kNotifyKillFocus}, codes);
  EXPECT_FALSE(list.GetFlags() & CGUITreeList::kHasFocus);
  ::DestroyWindow(other);
}

// Turning multiple selection off keeps only the focused item selected.
TEST_F(TreeListTest, EndingMultipleSelectionKeepsTheFocusedItem) {
  list.SetFlags(list.GetFlags() | CGUITreeList::kMultipleSel);
  for (const wchar_t* text : {L"a", L"b", L"c"}) list.AddSuccessor(-1, text);
  EXPECT_TRUE(list.Select(-1, true, false)) << "all, with multiple selection";
  EXPECT_EQ(3, list.GetSelectedCount());
  list.GiveFocusToItem(1);
  list.SetFlags(list.GetFlags() & ~CGUITreeList::kMultipleSel);
  EXPECT_EQ(1, list.GetSelectedCount());
  EXPECT_TRUE(list.IsSelected(1));
  EXPECT_FALSE(list.Select(-1, true, false)) << "select all needs multiple selection";
}

// Editing switched on before the window exists: the editor gets its window when first needed.
TEST_F(TreeListTest, EditingEnabledBeforeTheWindowWorksAfterwards) {
  CGUITreeList early;
  early.EnableOnlineEdit(true, 20, false);
  ASSERT_TRUE(early.Create(WS_CHILD | WS_VISIBLE, {0, 210, 240, 300}, CWnd::FromHandle(parent->hwnd()), kListId + 1));
  const long a = early.AddSuccessor(-1, L"alpha");
  ::SetForegroundWindow(parent->hwnd());
  ASSERT_TRUE(early.EditItem(a));
  ASSERT_TRUE(early.GetEditor());
  EXPECT_EQ(20, static_cast<int>(early.GetEditor()->SendMessage(EM_GETLIMITTEXT, 0, 0)));
  early.DestroyWindow();
}

// --- drag ---

// A move of 3 pixels from the press over an image or label starts a drag; 2 do not.
TEST_F(TreeListTest, ADragStartsAfterThreePixels) {
  list.SetDragAndDropFlags(1);
  const long a = list.AddSuccessor(-1, L"a long enough label");
  Focus();
  const POINT at = LabelPoint(a);
  struct Case {
    int dx, dy;
    bool drag;
  } cases[] = {{2, 0, false}, {0, 2, false}, {2, 2, false}, {-2, -2, false}, {3, 0, true}, {0, 3, true}, {-3, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    Click(at);
    codes.clear();
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + c.dx, at.y + c.dy));
    EXPECT_EQ(c.drag, Has(CGUITreeList::kNotifyBeginDrag));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
  }
  list.SetDragAndDropFlags(0);
  Click(at);
  codes.clear();
  list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 10, at.y));
  EXPECT_FALSE(Has(CGUITreeList::kNotifyBeginDrag)) << "drag is off";
}

// --- tooltips ---

// Only a label cut by the client edges shows in a tooltip.
TEST_F(TreeListTest, OnlyACutLabelGetsATooltip) {
  list.SetFlags(list.GetFlags() | CGUITreeList::kTooltips);
  const long shortOne = list.AddSuccessor(-1, L"short");
  const long longOne = list.AddSuccessor(
      -1, L"a label far too long for the narrow list to show in full, so that its end is cut off");
  list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(LabelPoint(shortOne).x, LabelPoint(shortOne).y));
  EXPECT_EQ(nullptr, list.GetTooltip()) << "a label that fits";
  RECT row = RowRect(longOne);
  list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, (row.top + row.bottom) / 2));
  CTooltipWnd* tip = list.GetTooltip();
  ASSERT_TRUE(tip && tip->m_hWnd) << "a cut label";
  wchar_t className[32] = {};
  ::GetClassNameW(tip->m_hWnd, className, 32);
  EXPECT_STREQ(L"CTooltipWnd", className);
  EXPECT_EQ(tip->m_hWnd, ::GetCapture());
  RECT box = {};
  ::GetWindowRect(tip->m_hWnd, &box);
  EXPECT_GT(box.right - box.left, 240) << "the whole label";
  EXPECT_NE(tip->m_hWnd, ::GetActiveWindow()) << "never active";
  // Going back to the short label takes it away.
  list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(LabelPoint(shortOne).x, LabelPoint(shortOne).y));
  EXPECT_EQ(nullptr, list.GetTooltip());
}

// The tooltip hands clicks inside it to the list (the row is selected, the tooltip stays), goes
// when the pointer leaves it after having been inside, and goes on a click outside both it and
// the list.
TEST_F(TreeListTest, TheTooltipRelaysClicksAndGoesWhenLeft) {
  list.SetFlags(list.GetFlags() | CGUITreeList::kTooltips);
  list.AddSuccessor(-1, L"first");
  const long cut = list.AddSuccessor(-1, L"a label far too long for the narrow list to show, its end cut off by the edge");
  const RECT row = RowRect(cut);
  auto show = [&]() -> CTooltipWnd* {
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, (row.top + row.bottom) / 2));
    return list.GetTooltip();
  };
  CTooltipWnd* tip = show();
  ASSERT_TRUE(tip && tip->m_hWnd);
  tip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(tip->HasBeenInside());
  codes.clear();
  tip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(list.IsSelected(cut)) << "the click reached the row under the tooltip";
  EXPECT_TRUE(Has(CGUITreeList::kNotifyClick));
  ASSERT_EQ(tip, list.GetTooltip()) << "the tooltip stays";
  EXPECT_EQ(tip->m_hWnd, ::GetCapture());
  tip->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // Out of its box: gone.
  tip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 200));
  EXPECT_EQ(nullptr, list.GetTooltip());
  EXPECT_EQ(NULL, ::GetCapture());

  // A click outside the tooltip and the list: gone too.
  tip = show();
  ASSERT_TRUE(tip && tip->m_hWnd);
  RECT box = {};
  ::GetWindowRect(list.m_hWnd, &box);
  POINT away = {box.left + 10, box.bottom + 40};  // on the parent, below the list
  ::ScreenToClient(tip->m_hWnd, &away);
  tip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(away.x, away.y));
  EXPECT_EQ(nullptr, list.GetTooltip());
  testing_support::PumpMessages();
}

// --- sorting ---

// Ids, check states, selection, focus and user values stay with their items through a sort;
// equal items keep their order; the comparator sees ids.
TEST_F(TreeListTest, IdsChecksAndSelectionSurviveASort) {
  list.SetFlags(list.GetFlags() | CGUITreeList::kByID | CGUITreeList::kMultipleSel);
  const long root = list.AddSuccessor(-1, L"root");
  std::vector<long> ids;
  for (const wchar_t* text : {L"pear", L"apple", L"fig", L"apple", L"date"}) ids.push_back(list.AddDescendant(root, text));
  const long seed = list.AddDescendant(ids[0], L"seed");
  list.SetItemCheckBoxState(ids[1], 1, false);
  list.SetItemCheckBoxState(ids[3], 2, false);
  list.Select(ids[2], true, false);
  list.Select(seed, true, false);
  list.GiveFocusToItem(ids[4]);
  int tag = 0;
  list.SetItemData(ids[0], &tag);
  ASSERT_TRUE(list.SortDescendants(true, root));
  std::vector<std::wstring> order;
  for (long id = list.GetDescendant(root); id >= 0; id = list.GetSuccessor(id)) {
    std::wstring text;
    list.GetItemText(id, text);
    order.push_back(text);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"apple", L"apple", L"date", L"fig", L"pear"}), order);
  EXPECT_EQ(ids[1], list.GetDescendant(root)) << "equal items keep their order and their ids";
  EXPECT_EQ(ids[3], list.GetSuccessor(ids[1]));
  EXPECT_EQ(1, list.GetItemCheckBoxState(ids[1]));
  EXPECT_EQ(2, list.GetItemCheckBoxState(ids[3]));
  EXPECT_TRUE(list.IsSelected(ids[2]));
  EXPECT_TRUE(list.IsSelected(seed));
  EXPECT_EQ(2, list.GetSelectedCount());
  EXPECT_EQ(ids[4], list.GetFocusItem());
  EXPECT_EQ(&tag, list.GetItemData(ids[0]));
  EXPECT_EQ(ids[0], list.GetAncestor(seed)) << "the subtree moved with its item";
  // Descending, by a comparator of the host that receives ids.
  ASSERT_TRUE(list.SortDescendants(
      [](CGUITreeList* l, long a, long b, void*) {
        std::wstring x, y;
        l->GetItemText(a, x);
        l->GetItemText(b, y);
        return y.compare(x);
      },
      root, nullptr));
  EXPECT_EQ(ids[0], list.GetDescendant(root));
  EXPECT_FALSE(list.SortDescendants(false, 999));
}

// --- scrolling and geometry ---

// More rows than 16 bits count: the thumb position is read in 32 bits, not from the message.
TEST_F(TreeListTest, ThumbTrackingReadsTheFullPosition) {
  list.FreezeRedraw(true);
  for (int i = 0; i < 70000; ++i) list.AddSuccessor(-1, L"row");
  list.FreezeRedraw(false);
  list.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(list.m_hWnd, SB_VERT, &si));
  const int bottom = si.nPos;
  EXPECT_GT(bottom, 65535);
  EXPECT_EQ(bottom, list.GetFirstVisibleItem());
  // Not tracking, the track position is the position: the wrapped 16-bit value is not used.
  list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, bottom & 0xFFFF), 0);
  EXPECT_EQ(bottom, list.GetFirstVisibleItem());
  list.SendMessage(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(0, list.GetFirstVisibleItem());
  list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(200 / list.GetRowHeight(), list.GetFirstVisibleItem());
}

// A label wider than 32,767 pixels keeps its width and its horizontal range; SB_LEFT returns
// to the start.
TEST_F(TreeListTest, WideLabelsKeepTheirGeometry) {
  const long a = list.AddSuccessor(-1, std::wstring(6000, L'W').c_str());
  testing_support::PumpMessages();
  int x[5];
  ASSERT_TRUE(list.GetItemXPositions(a, x));
  EXPECT_GT(x[4] - x[3], 40000);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(list.m_hWnd, SB_HORZ, &si));
  EXPECT_GT(si.nMax, 40000);
  list.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
  list.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
  list.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
  list.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
  list.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
  ASSERT_TRUE(list.GetItemXPositions(a, x));
  EXPECT_LT(x[0], -32767) << "scrolled past 16 bits";
  list.SendMessage(WM_HSCROLL, SB_LEFT, 0);
  ASSERT_TRUE(list.GetItemXPositions(a, x));
  EXPECT_EQ(4, x[0]);
}

// --- the dump ---

TEST_F(TreeListTest, DumpWritesTheItemsIndentedByLevel) {
  const std::string path = testing_support::TempPath("treedump");
  const std::wstring wide(path.begin(), path.end());
  CWnd other;
  EXPECT_EQ(1, DumpTreeList(&other, wide.c_str(), false)) << "not a tree list";
  EXPECT_EQ(3, DumpTreeList(&list, wide.c_str(), false)) << "empty";
  const long r = list.AddSuccessor(-1, L"root");
  const long c = list.AddDescendant(r, L"child");
  list.AddDescendant(c, L"grandchild");
  list.AddSuccessor(-1, L"last");
  EXPECT_EQ(4, DumpTreeList(&list, wide.c_str(), true)) << "nothing selected";
  EXPECT_EQ(2, DumpTreeList(&list, L"Z:\\no\\such\\folder\\dump.txt", false));
  EXPECT_EQ(0, DumpTreeList(&list, wide.c_str(), false));
  EXPECT_EQ("root\r\n    child\r\n        grandchild\r\nlast\r\n", testing_support::ReadFile(path));
  list.Select(c, true, false);
  EXPECT_EQ(0, DumpTreeList(&list, wide.c_str(), true));
  EXPECT_EQ("    child\r\n        grandchild\r\nlast\r\n", testing_support::ReadFile(path));
  ::DeleteFileA(path.c_str());
}

// --- the portable tree lists ---

class PortableTreeListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Trees"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                                400, 300, NULL, NULL));
    container = new QvGUIContainer(nullptr, 0);
    container->SetMFCCWnd(&parent);
    GUISetQvGUIContainer(&parent, container);
  }
  void TearDown() override {
    GUISetQvGUIContainer(&parent, nullptr);
    delete container;
    if (parent.m_hWnd) parent.DestroyWindow();
    testing_support::PumpMessages();
    PlatformGUIRelease();
  }
  HWND MakeChild(unsigned short id) {
    return CreateWindowExW(0, L"QvTreeList", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 120, parent.m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
  }
  CWnd parent;
  QvGUIContainer* container = nullptr;
};

// The container makes both kinds for a "QvTreeList" child; a hidden row has no rectangle; a
// check tree answers the third state for an item that does not exist.
TEST_F(PortableTreeListTest, ContainerBindsTreeListsToTheirChildren) {
  ASSERT_TRUE(MakeChild(10));
  ASSERT_TRUE(MakeChild(11));
  QvTreeList* tree = nullptr;
  ASSERT_TRUE(container->GetControlFromID(tree, 10, 0));
  ASSERT_TRUE(tree->List()) << "bound to a CGUITreeList";
  QvCheckTreeList* checks = nullptr;
  ASSERT_TRUE(container->GetControlFromID(checks, 11, 0));
  tree->UsesIndexOrID(false);
  const long root = tree->AddSuccessor(QvString("root"), -1);
  const long child = tree->AddDescendant(QvString("child"), root);
  ASSERT_GE(child, 0);
  RECT rect = {};
  EXPECT_FALSE(tree->GetItemRect(child, &rect)) << "the child of a closed root is hidden";
  EXPECT_FALSE(tree->GetItemRect(99, &rect));
  ASSERT_TRUE(tree->GetItemRect(root, &rect));
  int x[5];
  tree->List()->GetItemXPositions(root, x);
  EXPECT_EQ(x[3], rect.left) << "the label's span";
  EXPECT_EQ(x[4], rect.right);
  QvString text;
  ASSERT_TRUE(tree->GetItemText(child, text));
  EXPECT_EQ(L"child", text.ToWide());
  // The host's comparison sees the portable list and its value.
  for (const char* name : {"b", "c", "a"}) tree->AddDescendant(QvString(name), child);
  QvTreeList* seen = nullptr;
  ASSERT_TRUE(tree->SortDescendants(
      [](QvTreeList* l, long a, long b, void* data) {
        *static_cast<QvTreeList**>(data) = l;
        QvString x, y;
        l->GetItemText(a, x);
        l->GetItemText(b, y);
        return x.ToWide().compare(y.ToWide());
      },
      child, &seen));
  EXPECT_EQ(tree, seen);
  ASSERT_TRUE(tree->GetItemText(tree->GetDescendant(child), text));
  EXPECT_EQ(L"a", text.ToWide());

  // Selections by lists of items and of texts.
  tree->EnableMultipleSel(true);
  const long other = tree->AddSuccessor(QvString("other"), -1);
  QvArraySLong items;
  items.Add(root);
  items.Add(other);
  EXPECT_TRUE(tree->Select(items, true, false));
  items.Add(99);
  EXPECT_FALSE(tree->Select(items, true, false)) << "one item does not exist";
  QvArrayQvString texts;
  ASSERT_TRUE(tree->GetSelected(texts));
  ASSERT_EQ(2, texts.GetSize());
  EXPECT_EQ(L"root", texts[0].ToWide());
  EXPECT_EQ(L"other", texts[1].ToWide());
  tree->DeselectAll();
  texts.RemoveAll();
  texts.Add(QvString("child"));
  EXPECT_TRUE(tree->Select(texts, true, false));
  QvArraySLong selected;
  ASSERT_TRUE(tree->GetSelected(selected));
  ASSERT_EQ(1, selected.GetSize());
  EXPECT_EQ(child, selected[0]);

  const long a = checks->AddSuccessor(QvString("a"), -1);
  EXPECT_TRUE(checks->SetState(a, QvChecked, false));
  EXPECT_EQ(QvChecked, checks->GetState(a));
  EXPECT_EQ(QvIndeterminate, checks->GetState(1234));
}

// The drag entry names a live list of this process by its registration: a list that is gone,
// an entry of another process or one of the wrong size finds none.
TEST_F(PortableTreeListTest, DragEntriesFindOnlyLiveListsOfThisProcess) {
  ASSERT_TRUE(MakeChild(10));
  QvTreeList* tree = nullptr;
  ASSERT_TRUE(container->GetControlFromID(tree, 10, 0));
  QvDragSel sel(static_cast<QvDragSource*>(tree));
  tree->List()->SetDragAndDropFlags(1);
  std::unique_ptr<QvTreeList> other(new QvTreeList);
  QvTreeListDragEntry entry = {::GetCurrentProcessId(), 0, tree->GetRegistration()};
  EXPECT_EQ(tree, QvTreeList::FromDragEntry(&entry, sizeof entry));
  entry.list = other->GetRegistration();
  EXPECT_EQ(other.get(), QvTreeList::FromDragEntry(&entry, sizeof entry));
  other.reset();
  EXPECT_EQ(nullptr, QvTreeList::FromDragEntry(&entry, sizeof entry)) << "a list that is gone";
  entry.process = ::GetCurrentProcessId() + 1;
  EXPECT_EQ(nullptr, QvTreeList::FromDragEntry(&entry, sizeof entry)) << "another process";
  entry.process = ::GetCurrentProcessId();
  EXPECT_EQ(nullptr, QvTreeList::FromDragEntry(&entry, 4)) << "a 4-byte address of old";
  EXPECT_EQ(nullptr, QvTreeList::FromDragEntry(nullptr, sizeof entry));
  // A selection without the entry is refused by the drop side.
  tree->List()->SetDragAndDropFlags(0x40);
  EXPECT_EQ(UIDragNone, tree->DropAreaMove(&sel));
}

// The host's edit callback: phase 0 may refuse editing, phase 1 may swallow a typed character,
// phase 2 may refuse a text (the editor stays open); phases 3 and 4 follow a stored text.
TEST_F(PortableTreeListTest, TheEditCallbackDecidesEachPhase) {
  ASSERT_TRUE(MakeChild(10));
  QvTreeList* tree = nullptr;
  ASSERT_TRUE(container->GetControlFromID(tree, 10, 0));
  CGUITreeList* list = tree->List();
  ASSERT_TRUE(list);
  const long a = tree->AddSuccessor(QvString("alpha"), -1);
  tree->EnableOnlineEdit(true, 50, false);
  struct Log {
    std::vector<int> phases;
    bool allowStart = true, refuseX = true, refuseText = true;
  } log;
  tree->m_editCallbackData = reinterpret_cast<ULONG_PTR>(&log);
  tree->m_editCallback = [](QvTreeList*, long, int phase, LONG_PTR value, ULONG_PTR user) {
    Log& l = *reinterpret_cast<Log*>(user);
    l.phases.push_back(phase);
    if (phase == 0) return l.allowStart;
    if (phase == 1) return !(l.refuseX && value == 'x');
    if (phase == 2) return !l.refuseText;
    return true;
  };
  log.allowStart = false;
  EXPECT_FALSE(tree->EditItem(a));
  EXPECT_EQ(std::vector<int>{0}, log.phases);
  EXPECT_EQ(nullptr, list->GetEditor());

  log.allowStart = true;
  log.phases.clear();
  ::SetForegroundWindow(parent.m_hWnd);
  ASSERT_TRUE(tree->EditItem(a));
  CTreeEdit* editor = list->GetEditor();
  ASSERT_TRUE(editor);
  ::SetWindowTextW(editor->m_hWnd, L"");
  for (wchar_t c : std::wstring(L"box")) editor->SendMessage(WM_CHAR, c, 0);
  std::wstring typed = editor->Text();
  EXPECT_EQ(L"bo", typed) << "the x was swallowed";
  editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(list->GetEditor()) << "the refused text keeps the editor open";
  QvString text;
  tree->GetItemText(a, text);
  EXPECT_EQ(L"alpha", text.ToWide());
  log.refuseText = false;
  editor->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(nullptr, list->GetEditor());
  tree->GetItemText(a, text);
  EXPECT_EQ(L"bo", text.ToWide());
  EXPECT_EQ((std::vector<int>{0, 1, 1, 1, 2, 2, 3, 4}), log.phases);
}

// A drag starts only for a selection the drag flags allow; the host's callback is asked first
// (here it cancels, so no modal drag runs).
TEST_F(PortableTreeListTest, DragsStartOnlyForSelectionsTheFlagsAllow) {
  ASSERT_TRUE(MakeChild(10));
  QvTreeList* tree = nullptr;
  ASSERT_TRUE(container->GetControlFromID(tree, 10, 0));
  tree->EnableMultipleSel(true);
  for (int i = 0; i < 7; ++i) tree->AddSuccessor(QvString("item"), -1);
  int asked = 0;
  tree->m_dragCallbackData = reinterpret_cast<ULONG_PTR>(&asked);
  tree->m_dragCallback = reinterpret_cast<void*>(
      static_cast<QvTreeDragCallback>([](QvTreeList*, int phase, QvDragSel*, long, UIDragAction, ULONG_PTR user) -> LONG_PTR {
        if (phase == 0) ++*reinterpret_cast<int*>(user);
        return 0;  // cancels
      }));
  struct Case {
    unsigned short flags;
    std::vector<long> selected;
    bool reachesTheHost;
  } cases[] = {
      {0x01, {3}, true},        {0x01, {3, 4}, false},   {0x02, {3, 4, 5}, true}, {0x02, {3, 5}, false},
      {0x04, {3, 5}, true},     {0x06, {1, 6}, true},    {0x00, {3}, false},      {0x40, {3}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.flags << ", " << c.selected.size() << " selected");
    tree->DeselectAll();
    for (long item : c.selected) tree->Select(item, true, false);
    tree->SetDragAndDropFlags(c.flags);
    asked = 0;
    EXPECT_FALSE(tree->StartDrag());
    EXPECT_EQ(c.reachesTheHost ? 1 : 0, asked);
    EXPECT_EQ(nullptr, tree->m_dragSel);
  }
}

// Over a list that accepts drops, data of this same list moves and data of another list copies;
// a list without the accepting flag refuses even its own data.
TEST_F(PortableTreeListTest, DropsAreAcceptedByTheFlagAndActedOnBySource) {
  ASSERT_TRUE(MakeChild(10));
  ASSERT_TRUE(MakeChild(11));
  QvTreeList* one = nullptr;
  QvTreeList* two = nullptr;
  ASSERT_TRUE(container->GetControlFromID(one, 10, 0));
  ASSERT_TRUE(container->GetControlFromID(two, 11, 0));
  one->AddSuccessor(QvString("a"), -1);
  QvDragSel sel(static_cast<QvDragSource*>(one));
  QvTreeListDragEntry entry = {::GetCurrentProcessId(), 0, one->GetRegistration()};
  ASSERT_TRUE(sel.AddFormat(kTagTreeList, sizeof entry, &entry));
  EXPECT_EQ(one, QvTreeList::SourceOf(&sel));
  EXPECT_EQ(UIDragNone, one->DropAreaMove(&sel)) << "without the accepting flag";
  one->SetDragAndDropFlags(0x40);
  two->SetDragAndDropFlags(0x40);
  EXPECT_EQ(UIDragMove, one->DropAreaMove(&sel));
  EXPECT_EQ(UIDragCopy, two->DropAreaMove(&sel));
}

// Drag-over feedback: the row under the pointer is highlighted and is the drop item; resting
// on the last row in view for 601 ms scrolls one line, and the rows that come under the pointer
// then keep scrolling; the drop takes the highlight away and answers the list's id.
TEST_F(PortableTreeListTest, DragOverHighlightsAndScrollsAfterAPause) {
  ASSERT_TRUE(MakeChild(10));
  QvTreeList* tree = nullptr;
  ASSERT_TRUE(container->GetControlFromID(tree, 10, 0));
  CGUITreeList* list = tree->List();
  for (int i = 0; i < 50; ++i) tree->AddSuccessor(QvString("row"), -1);
  testing_support::PumpMessages();
  RECT client = {};
  ::GetClientRect(list->m_hWnd, &client);
  const int page = client.bottom / list->GetRowHeight();
  const long last = page - 1;
  QvDragSel sel(static_cast<QvDragSource*>(tree));
  sel.SetPosition(QvPoint(20, last * list->GetRowHeight() + 2));
  // The message time moves on with each message taken from the queue: wait for a timer's.
  auto later = [] {
    ::SetTimer(NULL, 0, 650, NULL);
    MSG msg;
    while (::GetMessageW(&msg, NULL, 0, 0) && msg.message != WM_TIMER) ::DispatchMessageW(&msg);
    ::KillTimer(NULL, msg.wParam);
  };
  list->HandleDragOver(&sel);
  EXPECT_EQ(last, list->GetDropItem());
  EXPECT_TRUE(list->GetItemDataPtr(last)->flags & TreeListItem::kDropHighlight);
  EXPECT_EQ(0, list->GetFirstVisibleItem());
  list->HandleDragOver(&sel);
  EXPECT_EQ(0, list->GetFirstVisibleItem()) << "not yet";
  later();
  list->HandleDragOver(&sel);
  EXPECT_EQ(1, list->GetFirstVisibleItem()) << "one line after the pause";
  list->HandleDragOver(&sel);  // the next row came under the pointer
  EXPECT_EQ(last + 1, list->GetDropItem());
  EXPECT_FALSE(list->GetItemDataPtr(last)->flags & TreeListItem::kDropHighlight);
  list->HandleDragOver(&sel);
  EXPECT_EQ(2, list->GetFirstVisibleItem()) << "and goes on at the drag-over rate";
  const long drop = list->GetDropItem();
  EXPECT_EQ(10, list->HandleDrop(&sel));
  EXPECT_FALSE(list->GetItemDataPtr(drop)->flags & TreeListItem::kDropHighlight);
}

}  // namespace
