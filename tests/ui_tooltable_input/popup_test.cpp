// Popup tool tables: selection and closing, and tearing off into a floating frame, driven
// from timers while the popup's own loop and the system's move loop run.
#include "../ui_tooltable/table_fixture.h"

#include <PopupToolTable.h>
#include <handle_counts.h>

using namespace tooltable_test;

namespace {

class Popup : public testing::Test {
 protected:
  void Make(long style) {
    // The pointer stays where the program before left it. Over the popup's strip it would
    // start the strip's hover capture when the popup shows, so it goes outside every window
    // of the test first.
    ASSERT_TRUE(SetCursorPos(0, 0));
    popup = new CPopupToolTable(style);
    ASSERT_TRUE(popup->Create(L"Tools", CWnd::FromHandle(owner.hwnd()), 40, 100, 100, 3, 16, 16, 4, 4));
    for (DWORD id = 1; id <= 6; ++id) ASSERT_EQ(popup->AddBitmap(NULL, id, 0, FALSE, FALSE, FALSE, FALSE), int(id));
    popup->SetItemState(5, TRUE, TTBLS_DISABLED, CToolTable::Replace);
    popup->ShowWindow(SW_SHOW);
    table = ::GetWindow(popup->m_hWnd, GW_CHILD);
    ASSERT_NE(table, static_cast<HWND>(NULL));
    Recorder().Reset();
  }
  void TearDown() override { delete popup; }
  // A left click on item pos, as the table gets it.
  void Click(DWORD pos) {
    RECT c = Cell(table, pos);
    SendMessageW(table, WM_LBUTTONUP, 0, MAKELPARAM(c.left + 2, c.top + 2));
  }
  NotifyParent owner;
  CPopupToolTable* popup = NULL;
  HWND table = NULL;
};

TEST_F(Popup, CreationMakesAHiddenPopupSizedToItsTable) {
  CPopupToolTable orphan(PTT_TEAROFF);
  EXPECT_FALSE(orphan.Create(L"x", NULL, 1, 0, 0, 1, 16, 16, 4, 4)) << "no owner";
  Make(PTT_TEAROFF | PTT_CLOSEONSELECT);
  EXPECT_EQ(GetParent(table), popup->m_hWnd);
  RECT client, rt;
  popup->GetClientRect(&client);
  GetWindowRect(table, &rt);
  EXPECT_EQ(client.right, rt.right - rt.left);
  EXPECT_EQ(client.bottom, rt.bottom - rt.top + 8) << "the strip above the table";
  EXPECT_EQ(SendMessageW(table, TTBLM_GETTABLESTYLE, 0, 0) & 0x38, 0x38);
  // A second popup registers the class again harmlessly.
  CPopupToolTable second(0);
  EXPECT_TRUE(second.Create(NULL, CWnd::FromHandle(owner.hwnd()), 41, 0, 0, 1, 16, 16, 4, 4));
}

TEST_F(Popup, AClickSelectsAndClosesButNotOnADisabledItem) {
  Make(PTT_TEAROFF | PTT_CLOSEONSELECT);
  Click(5);
  EXPECT_EQ(popup->GetItemState(5, TRUE) & TTBLS_SELECTED, 0);
  EXPECT_TRUE(popup->IsWindowVisible()) << "a disabled item neither selects nor closes";
  Click(2);
  EXPECT_EQ(popup->GetItemState(2, TRUE) & TTBLS_SELECTED, TTBLS_SELECTED);
  EXPECT_FALSE(popup->IsWindowVisible());
  // The owner hears everything under the popup's name: the release on the disabled item;
  // then the release on item 2, its selection and the close (both while the popup handles
  // the click), and last the click itself.
  const ExpectedMsg expected[] = {Note(TTBLN_RELAY, MAKELONG(WM_LBUTTONUP, TTBLR_MOUSE)),
                                  Note(TTBLN_RELAY, MAKELONG(WM_LBUTTONUP, TTBLR_MOUSE)),
                                  Note(TTBLN_SELCHANGE, MAKELONG(1, 2)),
                                  Note(TTBLN_KILLFOCUS, 0),  // hiding takes the focus from the table
                                  Note(TTBLN_CLOSE, 0),
                                  Note(NM_CLICK, MAKELONG(2, TTBLHT_ITEM)),
                                  kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
}

TEST_F(Popup, TheToggleStyleDeselectsOnTheSecondClick) {
  Make(PTT_TEAROFF | PTT_TOGGLE);
  Click(3);
  EXPECT_EQ(popup->GetItemState(3, TRUE) & TTBLS_SELECTED, TTBLS_SELECTED);
  Click(3);
  EXPECT_EQ(popup->GetItemState(3, TRUE) & TTBLS_SELECTED, 0);
  EXPECT_TRUE(popup->IsWindowVisible());
}

TEST_F(Popup, EscapeClosesADroppedDownTable) {
  Make(PTT_TEAROFF);
  SendMessageW(table, WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_FALSE(popup->IsWindowVisible());
}

TEST_F(Popup, LosingActivationClosesItWhenClicksOutsideClose) {
  Make(PTT_TEAROFF | PTT_CLICKOUTCLOSES);
  // The popup was shown; another window taking the activation closes it and says why.
  SendMessageW(popup->m_hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(popup->IsWindowVisible());
  std::vector<LPARAM> clickOut;
  for (const auto& m : Recorder().Messages())
    if (m.message == WM_NOTIFY && m.wParam == TTBLN_CLICKOUT) clickOut.push_back(m.lParam);
  EXPECT_EQ(clickOut, (std::vector<LPARAM>{1}));
  // Without the style it stays.
  popup->SetClickOutExits(FALSE);
  popup->ShowWindow(SW_SHOW);
  SendMessageW(popup->m_hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(popup->IsWindowVisible());
}

// Timers that act inside the loops of a tear-off.
CPopupToolTable* g_popup = NULL;
UINT g_stripEvent = 0;  // what the first timer posts to the popup while its strip is pressed

void CALLBACK StripEvent(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  HWND w = g_popup->GetPopupWindow();
  if (g_stripEvent == WM_MOUSEMOVE)
    PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 40));  // below the strip
  else
    PostMessageW(w, g_stripEvent, MK_RBUTTON, MAKELPARAM(5, 3));
}

void CALLBACK EndMove(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  if (HWND frame = g_popup->GetFloatingFrame()) PostMessageW(frame, WM_LBUTTONUP, 0, 0);
}

class TearOff : public Popup {
 protected:
  // Presses the strip; the timers move out of it (or press the right button) and end the move.
  int Press(UINT event) {
    g_popup = popup;
    g_stripEvent = event;
    SetTimer(NULL, 0, 30, StripEvent);
    const UINT_PTR end = SetTimer(NULL, 0, 200, EndMove);
    const int torn = popup->HandleTearOff(CPoint(5, 3));
    KillTimer(NULL, end);
    testing_support::PumpMessages();
    return torn;
  }
};

TEST_F(TearOff, DraggingTheStripMakesAFloatingFrameAndDockingReturns) {
  Make(PTT_TEAROFF | PTT_CLOSEONSELECT);
  const HWND own = popup->m_hWnd;
  ASSERT_EQ(Press(WM_MOUSEMOVE), 1);
  HWND frame = popup->GetFloatingFrame();
  ASSERT_NE(frame, static_cast<HWND>(NULL));
  EXPECT_EQ(popup->m_hWnd, frame);
  EXPECT_TRUE(popup->TornOff());
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_FALSE(IsWindowVisible(own));
  EXPECT_EQ(GetParent(table), frame);
  EXPECT_NE(GetWindowLongW(frame, GWL_STYLE) & WS_CAPTION, 0);
  // Torn off, a selection and Escape leave it open.
  Click(1);
  SendMessageW(table, WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_TRUE(IsWindowVisible(frame));
  popup->TearOff(0);
  EXPECT_EQ(popup->m_hWnd, own);
  EXPECT_EQ(GetParent(table), own);
  EXPECT_FALSE(IsWindowVisible(frame));
  EXPECT_FALSE(popup->TornOff());
  // The owner saw the tear-off and the docking.
  std::vector<LPARAM> tears;
  for (const auto& m : Recorder().Messages())
    if (m.message == WM_NOTIFY && m.wParam == TTBLN_TORNOFF) tears.push_back(m.lParam);
  EXPECT_EQ(tears, (std::vector<LPARAM>{1, 0}));
}

TEST_F(TearOff, TheRightButtonCancels) {
  Make(PTT_TEAROFF);
  EXPECT_EQ(Press(WM_RBUTTONDOWN), 0);
  EXPECT_FALSE(popup->TornOff());
  EXPECT_EQ(popup->GetFloatingFrame(), static_cast<HWND>(NULL));
  EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
}

TEST_F(TearOff, APopupWithoutAStripDoesNotTearOff) {
  Make(PTT_CLOSEONSELECT);
  EXPECT_EQ(popup->HandleTearOff(CPoint(2, 2)), 0);
}

TEST_F(TearOff, ClosingAndDeletingLeavesNoWindowBehind) {
  const int before = testing_support::ThreadWindowCount();
  Make(PTT_TEAROFF | PTT_STAYHIDDEN);
  ASSERT_EQ(Press(WM_MOUSEMOVE), 1);
  EXPECT_FALSE(IsWindowVisible(popup->GetFloatingFrame())) << "stays hidden in that style";
  SendMessageW(popup->GetFloatingFrame(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(popup->GetFloatingFrame())) << "closing hides";
  delete popup;
  popup = NULL;
  EXPECT_EQ(testing_support::ThreadWindowCount(), before);
}

}  // namespace
