// Notifications of the tool table to its parent, told by message sequences; keys and relayed
// child messages delivered as messages.
#include "table_fixture.h"

using namespace tooltable_test;

namespace {

// Bitmap items without a bitmap draw nothing and send nothing while drawn.
LRESULT AddPlain(HWND table, DWORD id, DWORD flags = 0, DWORD state = 0) {
  return Add(table, Rec(TTBL_BITMAP, id, NULL, flags, state));
}

class Notifications : public TableTest {
 protected:
  void AddFour() {
    for (DWORD id = 1; id <= 4; ++id) ASSERT_EQ(AddPlain(table, id), static_cast<LRESULT>(id));
    Recorder().Reset();
  }
};

TEST_F(Notifications, FirstItemSizesTheTable) {
  // Empty table, window 10 x 10: the first item lays it out to one cell.
  AddPlain(table, 1);
  const ExpectedMsg expected[] = {Note(TTBLN_RESIZED, MAKELONG(28, 28)), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(WindowSize(table).cx, 28);
}

TEST_F(Notifications, SingleSelectionDeselectsBeforeSelecting) {
  AddFour();
  SetState(table, 1, TTBLS_SELECTED);
  SetState(table, 3, TTBLS_SELECTED);
  // Selecting the selected item again changes nothing.
  SetState(table, 3, TTBLS_SELECTED);
  const ExpectedMsg expected[] = {Note(TTBLN_SELCHANGE, MAKELONG(1, 1)), Note(TTBLN_SELCHANGE, MAKELONG(0, 1)),
                                  Note(TTBLN_SELCHANGE, MAKELONG(1, 3)), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(State(table, 1), 0u);
  EXPECT_EQ(State(table, 3), static_cast<DWORD>(TTBLS_SELECTED));
}

TEST_F(Notifications, ClearReportsTheLostSelectionThenTheNewSize) {
  AddFour();
  SetState(table, 2, TTBLS_SELECTED);
  Recorder().Clear();
  // Selected item 2 of four in one column: cleared to an empty table of 28 x 8.
  SendMessageW(table, TTBLM_CLEAR, 0, 0);
  const ExpectedMsg expected[] = {Note(TTBLN_SELCHANGE, 0), Note(TTBLN_RESIZED, MAKELONG(28, 8)),
                                  Note(TTBLN_REDRAWN, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETNUMITEMS, 0, 0), 0);
}

TEST_F(Notifications, NewColumnsResizeThenReportTheMetrics) {
  AddFour();
  // Four items in one column, set to two columns: 2 x 2 cells.
  EXPECT_EQ(SendMessageW(table, TTBLM_SETNUMCOLS, 0, 2), 1);
  const ExpectedMsg expected[] = {Note(TTBLN_RESIZED, MAKELONG(48, 48)),
                                  Note(TTBLN_METRICSCHANGED, MAKELONG(48, 48)), Note(TTBLN_REDRAWN, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  // The same value again: nothing.
  Recorder().Clear();
  EXPECT_EQ(SendMessageW(table, TTBLM_SETNUMCOLS, 0, 2), 2);
  EXPECT_EQ(Recorder().Messages().size(), 0u);
}

TEST_F(Notifications, AParentThatDestroysTheTableInANotificationIsSurvived) {
  AddFour();
  // Item 1 selected; selecting 2 deselects 1 first, whose notification destroys the table.
  SetState(table, 1, TTBLS_SELECTED);
  parent.onNotify = [this](const tagNM_TOOLTABLE* nm) -> LRESULT {
    if (nm->hdr.code == TTBLN_SELCHANGE) DestroyWindow(table);
    return 0;
  };
  Recorder().Clear();
  SetState(table, 2, TTBLS_SELECTED | TTBLS_HILITED | TTBLS_FOCUSED);
  EXPECT_FALSE(IsWindow(table));
  const ExpectedMsg expected[] = {Note(TTBLN_SELCHANGE, MAKELONG(0, 1)), Note(TTBLN_DESTROYED, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST_F(Notifications, ArrowKeysStepTheFocusAndGoOnToTheParent) {
  AddFour();
  SetState(table, 3, TTBLS_DISABLED);
  Recorder().Clear();
  // Focus on none: Right focuses item 1; Left wraps backward to 4; Left again passes the
  // disabled item 3 backward to 2.
  SendMessageW(table, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 1);
  SendMessageW(table, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 4);
  SendMessageW(table, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 2);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 2);
  EXPECT_EQ(State(table, 2), static_cast<DWORD>(TTBLS_FOCUSED | TTBLS_HILITED));
  // Stepping by message moves the focus without telling the parent of a key.
  EXPECT_EQ(SendMessageW(table, TTBLM_STEPFOCUS, 1, 0), 1);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 4);
  SendMessageW(table, WM_KEYDOWN, 'A', 0);
  SendMessageW(table, WM_KEYDOWN, VK_TAB, 0);
  const ExpectedMsg expected[] = {Note(TTBLN_KEY, VK_RIGHT), Note(TTBLN_KEY, VK_LEFT), Note(TTBLN_KEY, VK_UP),
                                  Note(TTBLN_KEY, 'A'), Note(TTBLN_TABKEY, VK_TAB), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST_F(Notifications, SpaceReleasedOnTheFocusItemClicksIt) {
  AddFour();
  SetState(table, 2, TTBLS_FOCUSED);
  Recorder().Clear();
  SendMessageW(table, WM_KEYUP, VK_SPACE, 0);
  SendMessageW(table, WM_CHAR, ' ', 0);
  const ExpectedMsg expected[] = {Note(NM_CLICK, MAKELONG(2, TTBLHT_ITEM)), Note(TTBLN_KEY, VK_SPACE),
                                  Note(TTBLN_KEY, ' '), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST_F(Notifications, ChildMessagesAreRelayedOnlyInRelayStyle) {
  HWND button = CreateWindowW(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.hwnd(),
                              reinterpret_cast<HMENU>(33), NULL, NULL);
  AddPlain(table, 1);
  ASSERT_EQ(Add(table, Rec(TTBL_WINDOW, 2, button)), 2);
  Recorder().Reset();
  NMHDR click = {button, 33, static_cast<UINT>(NM_CLICK)};
  NMHDR other = {button, 33, 1234};
  NMHDR stranger = {parent.hwnd(), 1, static_cast<UINT>(NM_CLICK)};
  auto deliver = [&] {
    SendMessageW(table, WM_COMMAND, MAKEWPARAM(33, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    SendMessageW(table, WM_NOTIFY, 33, reinterpret_cast<LPARAM>(&click));
    SendMessageW(table, WM_NOTIFY, 33, reinterpret_cast<LPARAM>(&other));
    SendMessageW(table, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&stranger));
  };
  deliver();
  EXPECT_EQ(Recorder().Messages().size(), 0u) << "no relay without the relay style";
  SendMessageW(table, TTBLM_SETRELAY, 1, 0);
  deliver();
  // The button's command, its click as the table's own click on item 2, its other
  // notification relayed; the stranger's record is dropped.
  const ExpectedMsg expected[] = {Note(TTBLN_RELAY, MAKELONG(BN_CLICKED, TTBLR_COMMAND)),
                                  Note(NM_CLICK, MAKELONG(2, TTBLHT_ITEM)),
                                  Note(TTBLN_RELAY, MAKELONG(33, TTBLR_NOTIFY)), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST_F(Notifications, AChildThatGoesLeavesNoHandleInItsItem) {
  HWND button = CreateWindowW(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
  ASSERT_EQ(Add(table, Rec(TTBL_WINDOW, 1, button, TTBLF_AUTODISPOSE)), 1);
  DestroyWindow(button);
  tagTT_ITEMINFO got = At(1);
  ASSERT_EQ(SendMessageW(table, TTBLM_GETITEM, 0, reinterpret_cast<LPARAM>(&got)), 1);
  EXPECT_EQ(got.object, static_cast<HANDLE>(NULL));
  // A new window that may take the old handle is never destroyed by the table.
  HWND next = CreateWindowW(L"BUTTON", L"n", WS_CHILD, 0, 0, 10, 10, parent.hwnd(), NULL, NULL, NULL);
  DestroyWindow(table);
  EXPECT_TRUE(IsWindow(next));
  DestroyWindow(next);
}

TEST_F(Notifications, CloseAndFocusAreReported) {
  AddFour();
  EXPECT_EQ(SendMessageW(table, TTBLM_CLOSE, 0, 0), 1);
  SetFocus(table);
  SetFocus(parent.hwnd());
  const ExpectedMsg expected[] = {Note(TTBLN_CLOSE, 0), Note(TTBLN_SETFOCUS, 0), Note(TTBLN_KILLFOCUS, 0), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

}  // namespace

namespace {

// A press on a neutral window item goes to the child under it, and so does its release.
TEST_F(Notifications, APressPassedToAChildIsFollowedByItsRelease) {
  HWND label = CreateWindowW(L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 0, 0, 16, 16, parent.hwnd(),
                             reinterpret_cast<HMENU>(44), NULL, NULL);
  ASSERT_EQ(Add(table, Rec(TTBL_WINDOW, 1, label, TTBLF_NEUTRAL)), 1);
  testing_support::SubclassedControl spy(label);
  Recorder().Reset();
  Recorder().Watch(label);
  const RECT c = Cell(table, 1);
  const LPARAM at = MAKELPARAM(c.left + 3, c.top + 3);
  SendMessageW(table, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(table, WM_LBUTTONUP, 0, at);
  // The label gets the focus on the way (optional: a static may not take it), then the
  // press and the release at the same point of its own.
  const ExpectedMsg expected[] = {{WM_SETFOCUS, testing_support::kSent | testing_support::kOptional, 0, 0},
                                  {WM_LBUTTONDOWN, testing_support::kSent | testing_support::kLparam, 0,
                                   MAKELPARAM(3, 3)},
                                  {WM_LBUTTONUP, testing_support::kSent | testing_support::kLparam, 0,
                                   MAKELPARAM(3, 3)},
                                  kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  Recorder().UnwatchAll();
}

}  // namespace

namespace {

// The table follows the mouse under capture; a capture taken by another window is not taken
// back, and a release gives the capture to the window that had it only while that one lives.
TEST_F(Notifications, CaptureIsNeitherStolenBackNorGivenToAWindowThatIsGone) {
  AddFour();
  HWND other = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 200, 0, 20, 20, parent.hwnd(), NULL, NULL, NULL);
  // Moves with the button down: the press is followed wherever the pointer is.
  SendMessageW(table, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
  ASSERT_EQ(GetCapture(), table);
  SetCapture(other);
  EXPECT_EQ(GetCapture(), other) << "not taken back";
  // Captured again while `other` holds the capture; `other` goes before the release.
  SendMessageW(table, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
  ASSERT_EQ(GetCapture(), table);
  DestroyWindow(other);
  SendMessageW(table, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
}

}  // namespace
