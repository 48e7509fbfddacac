// The tool table under real mouse and keyboard input (SendInput).
#include "../ui_tooltable/table_fixture.h"

using namespace tooltable_test;

namespace {

void Keys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (const auto& k : keys) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k.first;
    in.ki.dwFlags = k.second ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Recorder().Pump();
}

size_t CountOf(UINT code, HWND from_parent) {
  size_t n = 0;
  for (const auto& m : Recorder().Messages())
    n += m.hwnd == from_parent && m.message == WM_NOTIFY && m.wParam == code;
  return n;
}

class Input : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    SetWindowPos(table, NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(table, TTBLM_SETNUMCOLS, 0, 4);
    for (DWORD id = 1; id <= 4; ++id) Add(table, Rec(TTBL_BITMAP, id));
    SetForegroundWindow(parent.hwnd());
    MouseAt(Outside());
    Recorder().Reset();
  }
  void TearDown() override {
    MouseAt(Outside());
    TableTest::TearDown();
  }
  // The centre of item `pos` on the screen.
  POINT Centre(HWND t, DWORD pos) {
    RECT c = Cell(t, pos);
    POINT p = {(c.left + c.right) / 2, (c.top + c.bottom) / 2};
    ClientToScreen(t, &p);
    return p;
  }
  POINT Outside() {
    POINT p = {300, 250};
    ClientToScreen(parent.hwnd(), &p);
    return p;
  }
};

TEST_F(Input, AClickOnAnItemClicksIt) {
  MouseAt(Centre(table, 2));
  MouseAt(Centre(table, 2), MOUSEEVENTF_LEFTDOWN);
  MouseAt(Centre(table, 2), MOUSEEVENTF_LEFTUP);
  // Moved onto item 2, pressed (the table takes the keyboard focus), released.
  const ExpectedMsg expected[] = {Note(TTBLN_HOVERENTER, MAKELONG(2, TTBLHT_ITEM)),
                                  NoteOptional(TTBLN_SETFOCUS),
                                  Note(TTBLN_RELAY, MAKELONG(WM_LBUTTONUP, TTBLR_MOUSE)),
                                  Note(NM_CLICK, MAKELONG(2, TTBLHT_ITEM)), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 2);
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 2);
  // The table follows the mouse while it is over it; away from it, it holds no capture.
  MouseAt(Outside());
  EXPECT_NE(GetCapture(), table);
}

TEST_F(Input, APressReleasedOutsideStillClicksOutside) {
  MouseAt(Centre(table, 1));
  MouseAt(Centre(table, 1), MOUSEEVENTF_LEFTDOWN);
  MouseAt(Outside());
  MouseAt(Outside(), MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_CLICK), parent.hwnd()), 1u);
  const auto& log = Recorder().Messages();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().wParam, static_cast<WPARAM>(NM_CLICK));
  EXPECT_EQ(static_cast<DWORD>(HIWORD(log.back().lParam)), static_cast<DWORD>(TTBLHT_OUTSIDE));
  EXPECT_NE(GetCapture(), table);
}

TEST_F(Input, HoverEntersAndLeavesItems) {
  MouseAt(Centre(table, 1));
  MouseAt(Centre(table, 3));
  MouseAt(Outside());
  const ExpectedMsg expected[] = {Note(TTBLN_HOVERENTER, MAKELONG(1, TTBLHT_ITEM)),
                                  Note(TTBLN_HOVERLEAVE, MAKELONG(1, TTBLHT_ITEM)),
                                  Note(TTBLN_HOVERENTER, MAKELONG(3, TTBLHT_ITEM)),
                                  Note(TTBLN_HOVERLEAVE, MAKELONG(3, TTBLHT_ITEM)), kEnd};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(SendMessageW(table, TTBLM_GETHILITE, 0, 0), 0);
  EXPECT_NE(GetCapture(), table);
}

TEST_F(Input, ARightPressInOneTableIsNotARightClickInTheNext) {
  NotifyParent otherParent(WS_CHILD | WS_VISIBLE, RECT{200, 0, 400, 200}, parent.hwnd());
  HWND other = MakeTable(otherParent.hwnd(), 8);
  SendMessageW(other, TTBLM_SETNUMCOLS, 0, 4);
  for (DWORD id = 1; id <= 4; ++id) Add(other, Rec(TTBL_BITMAP, id));
  Recorder().Reset();
  // Pressed on item 1 of the first table, released on item 1 of the second.
  MouseAt(Centre(table, 1));
  MouseAt(Centre(table, 1), MOUSEEVENTF_RIGHTDOWN);
  MouseAt(Centre(other, 1));
  MouseAt(Centre(other, 1), MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_RCLICK), parent.hwnd()), 0u);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_RCLICK), otherParent.hwnd()), 0u);
  // Pressed and released on the same item of the second table: a right click there only.
  MouseAt(Centre(other, 1), MOUSEEVENTF_RIGHTDOWN);
  MouseAt(Centre(other, 1), MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_RCLICK), otherParent.hwnd()), 1u);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_RCLICK), parent.hwnd()), 0u);
  MouseAt(Outside());
  DestroyWindow(other);
}

TEST_F(Input, ADoubleClickIsFollowedByAClick) {
  SetState(table, 3, TTBLS_DISABLED);
  MouseAt(Centre(table, 2));
  for (int i = 0; i < 2; ++i) {
    MouseAt(Centre(table, 2), MOUSEEVENTF_LEFTDOWN);
    MouseAt(Centre(table, 2), MOUSEEVENTF_LEFTUP);
  }
  // Clicks after the double-click: the second press came as WM_LBUTTONDBLCLK.
  const auto& log = Recorder().Messages();
  size_t dbl = log.size();
  for (size_t i = 0; i < log.size(); ++i)
    if (log[i].wParam == static_cast<WPARAM>(NM_DBLCLK)) dbl = i;
  ASSERT_LT(dbl, log.size());
  EXPECT_EQ(LOWORD(log[dbl].lParam), 2);
  // The first click, the synthetic one after the double-click, and the second release.
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_CLICK), parent.hwnd()), 3u);
  ASSERT_LT(dbl + 1, log.size());
  size_t next = dbl + 1;
  while (next < log.size() && log[next].wParam != static_cast<WPARAM>(NM_CLICK)) ++next;
  EXPECT_LT(next, log.size()) << "a click follows the double-click";
  // On a disabled item a double-click does nothing.
  Recorder().Clear();
  MouseAt(Centre(table, 3));
  for (int i = 0; i < 2; ++i) {
    MouseAt(Centre(table, 3), MOUSEEVENTF_LEFTDOWN);
    MouseAt(Centre(table, 3), MOUSEEVENTF_LEFTUP);
  }
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_DBLCLK), parent.hwnd()), 0u);
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_CLICK), parent.hwnd()), 0u);
}

TEST_F(Input, ShiftTabFromTheFirstItemWrapsToTheLastThatCanTakeTheFocus) {
  SetState(table, 4, TTBLS_DISABLED);
  SetFocus(table);
  SetState(table, 1, TTBLS_FOCUSED);
  Keys({{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}});
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 3);
  Keys({{VK_TAB, false}, {VK_TAB, true}});
  EXPECT_EQ(SendMessageW(table, TTBLM_GETFOCUS, 0, 0), 1) << "forward from 3 passes the disabled 4";
  Keys({{VK_SPACE, false}, {VK_SPACE, true}});
  EXPECT_EQ(CountOf(static_cast<UINT>(NM_CLICK), parent.hwnd()), 1u);
}

}  // namespace

#include "../ui_tooltable/container_fixture.h"

namespace {

TEST(ContainerToolTips, TheTextIsTheOneOfTheItemUnderTheCursor) {
  NotifyParent owner;
  owner.deletesPosted = false;
  TestContainer container;
  ASSERT_TRUE(container.Make(CWnd::FromHandle(owner.hwnd()), 12));
  for (DWORD id = 1; id <= 3; ++id) container.AddBitmap(NULL, id, 0, FALSE, FALSE, FALSE, FALSE);
  container.SetItemToolTip(L"second", 2, TRUE);
  tagTT_ITEMINFO item = {};
  item.how = TTBL_BYPOSITION;
  item.posOrId = 2;
  ASSERT_EQ(container.GetItem(&item), 2);
  POINT centre = {(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2};
  ClientToScreen(container.TableWindow(), &centre);
  ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
  tagTT_CLICKSTRUCT hit = {};
  container.HitTest(hit, NULL);
  EXPECT_EQ(hit.where, static_cast<DWORD>(TTBLHT_ITEM));
  EXPECT_EQ(hit.pos, 2u);
  // The request comes from a tooltip window.
  HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, NULL, WS_POPUP, 0, 0, 0, 0, owner.hwnd(), NULL, NULL, NULL);
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = tip;
  info.hdr.idFrom = 0;
  info.hdr.code = TTN_NEEDTEXTW;
  container.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(info.szText, L"second");
  // The first item has no text.
  centre.x -= item.rect.right - item.rect.left + 4;
  SetCursorPos(centre.x, centre.y);
  NMTTDISPINFOW none = {};
  none.hdr.hwndFrom = tip;
  none.hdr.code = TTN_NEEDTEXTW;
  container.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&none));
  EXPECT_STREQ(none.szText, L"");
  DestroyWindow(tip);
}

}  // namespace
