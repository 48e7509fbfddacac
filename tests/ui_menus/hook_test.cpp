// The hook on the owner window of a tracked cool menu, message by message: what it answers
// itself and what it passes on to the window (logged by the window as kParent).
#include "menu_fixture.h"

#include <recorder.h>

using namespace menus_test;
using testing_support::ExpectedMsg;
using testing_support::kLparam;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;

namespace {

class MenuHookTest : public MenuTest {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.hwnd(), nullptr);
    ASSERT_TRUE(window.Attach(parent.hwnd()));
    menu = new CUIMenu(0, 0);
    for (unsigned short id : {ID_OPEN, ID_PRINT, ID_CLOSE}) menu->InsertMenuW(id, -1, 0, NULL);
    hook = new CMenuHook(menu);
    ASSERT_TRUE(hook->HookWindow(&window));
    Recorder().Watch(parent.hwnd());
  }
  void TearDown() override {
    delete hook;
    window.Detach();
    Recorder().UnwatchAll();
    CCoolMenu::DeleteAllCoolMenus();
  }
  // One message at a time: drain, clear, send, pump; the answer.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder().Reset();
    LRESULT answer = SendMessage(parent.hwnd(), message, wParam, lParam);
    Recorder().Pump();
    return answer;
  }

  testing_support::LoggingParent parent;
  CWnd window;
  CUIMenu* menu = nullptr;
  CMenuHook* hook = nullptr;
};

TEST_F(MenuHookTest, OpeningUpdatesTheStringMenuThenDrawsItsItems) {
  // WM_INITMENUPOPUP for the cool menu (string mode): the window's update pass gets it,
  // then the menu is owner-drawn.
  const ExpectedMsg init[] = {{WM_INITMENUPOPUP, kSent | kParent | kWparam, reinterpret_cast<WPARAM>(menu->m_hMenu), 0},
                              {0, 0, 0, 0}};
  Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->m_hMenu), 0);
  EXPECT_TRUE(Recorder().Matches(init));
  EXPECT_TRUE(menu->IsOwnerDraw());
  EXPECT_TRUE(GetMenuState(menu->m_hMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW);

  // WM_MEASUREITEM of an owner-drawn item: the menu answers, the window sees nothing.
  MENUITEMINFO mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_DATA;
  GetMenuItemInfo(menu->m_hMenu, 1, TRUE, &mii);
  MEASUREITEMSTRUCT mis = {ODT_MENU, 0, ID_PRINT, 0, 0, mii.dwItemData};
  const ExpectedMsg none[] = {{0, 0, 0, 0}};
  EXPECT_EQ(Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
  EXPECT_TRUE(Recorder().Matches(none));
  EXPECT_GE(mis.itemHeight, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
  EXPECT_GT(mis.itemWidth, 0u);

  // The menu closes (WM_MENUSELECT with 0xFFFF and no menu): back to string mode, and the
  // window hears of it.
  const ExpectedMsg closed[] = {{WM_MENUSELECT, kSent | kParent | kWparam | kLparam, MAKEWPARAM(0, 0xFFFF), 0},
                                {0, 0, 0, 0}};
  Send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_TRUE(Recorder().Matches(closed));
  EXPECT_FALSE(menu->IsOwnerDraw());
  EXPECT_FALSE(GetMenuState(menu->m_hMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW);
}

TEST_F(MenuHookTest, MnemonicsAreAnsweredByTheMenuElseByTheWindow) {
  const LPARAM popup = reinterpret_cast<LPARAM>(menu->m_hMenu);
  // A letter the menu knows: answered here (Print at position 1, run).
  const ExpectedMsg none[] = {{0, 0, 0, 0}};
  EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('p', MF_POPUP), popup), MAKELRESULT(1, MNC_EXECUTE));
  EXPECT_TRUE(Recorder().Matches(none));
  // A letter it does not know, and a menu that is no cool menu: the window answers.
  const ExpectedMsg passed[] = {{WM_MENUCHAR, kSent | kParent, 0, 0}, {0, 0, 0, 0}};
  Send(WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), popup);
  EXPECT_TRUE(Recorder().Matches(passed));
  HMENU plain = CreatePopupMenu();
  AppendMenu(plain, MF_STRING, 1, _T("&Plain"));
  Send(WM_MENUCHAR, MAKEWPARAM('p', MF_POPUP), reinterpret_cast<LPARAM>(plain));
  EXPECT_TRUE(Recorder().Matches(passed));
  DestroyMenu(plain);
}

}  // namespace
