// Real popup menus: tracked, drawn owner-drawn while shown, driven by keyboard input sent from
// a timer inside the menu's modal loop, and back in string mode afterwards.
#include "menu_fixture.h"

#include <UICommandRouting.h>
#include <test_support.h>

using namespace menus_test;

namespace {

// Keys typed once the menu loop runs; a later timer ends any menu still open.
std::vector<WORD> s_keys;

void CALLBACK TypeKeys(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  testing_support::TypeKeys(s_keys);
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  EndMenu();
}

// Types the keys inside the next modal loop; ends the loop after 5 s in any case.
class Typist {
 public:
  explicit Typist(std::vector<WORD> keys) {
    s_keys = std::move(keys);
    m_type = SetTimer(NULL, 0, 50, TypeKeys);
    m_end = SetTimer(NULL, 0, 5000, EndAnyMenu);
  }
  ~Typist() {
    KillTimer(NULL, m_type);
    KillTimer(NULL, m_end);
  }
  Typist(const Typist&) = delete;
  Typist& operator=(const Typist&) = delete;

 private:
  UINT_PTR m_type, m_end;
};

// The owner: records the commands it receives.
class Owner : public CWnd {
 public:
  std::vector<UINT> commands;
  // What the update pass saw: whether the first item was owner-drawn then. It checks Close.
  std::vector<bool> ownerDrawnInUpdate;
  BOOL Make() {
    LPCTSTR cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CreateEx(0, cls, _T("menu owner"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, NULL, NULL))
      return FALSE;
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    return TRUE;
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam == 0) commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
    ownerDrawnInUpdate.push_back((::GetMenuState(popup->m_hMenu, 0, MF_BYPOSITION) & MF_OWNERDRAW) != 0);
    ::CheckMenuItem(popup->m_hMenu, ID_CLOSE, MF_BYCOMMAND | MF_CHECKED);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Owner, CWnd)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

// A popup that counts what the system asked of it.
class CountingMenu : public CUIMenu {
 public:
  CountingMenu() : CUIMenu(0, 0) {}
  int measured = 0, drawn = 0;
  UINT closeState = 0;  // the item state Close was last drawn with
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    ++measured;
    CUIMenu::MeasureItem(mis);
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++drawn;
    if (dis->itemID == ID_CLOSE) closeState = dis->itemState;
    CUIMenu::DrawItem(dis);
  }
};

class CoolMenuTrack : public MenuTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make());
    menu = new CountingMenu;
    for (unsigned short id : {ID_OPEN, ID_MACROS, ID_PRINT, ID_CLOSE}) menu->InsertMenuW(id, -1, 0, NULL);
    testing_support::PumpMessages();
  }
  void TearDown() override {
    CCoolMenu::DeleteAllCoolMenus();
    owner.DestroyWindow();
  }
  Owner owner;
  CountingMenu* menu = nullptr;
};

TEST_F(CoolMenuTrack, ChosenItemRunsItsCommandAndTheMenuReturnsToStringMode) {
  struct Case {
    const char* name;
    std::vector<WORD> keys;
    std::vector<UINT> commands;
  } cases[] = {
      {"arrow and enter", {VK_DOWN, VK_RETURN}, {ID_OPEN}},
      // Owner-drawn items have no text for the system: the mnemonic goes through WM_MENUCHAR.
      {"mnemonic", {'P'}, {ID_PRINT}},
      {"escape", {VK_ESCAPE, VK_ESCAPE}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    owner.commands.clear();
    menu->measured = menu->drawn = 0;
    {
      Typist typist(c.keys);
      menu->Run(120, 120, &owner);
    }
    testing_support::PumpMessages();
    EXPECT_EQ(owner.commands, c.commands);
    EXPECT_GT(menu->measured, 0);
    EXPECT_GT(menu->drawn, 0);
    // The update pass ran on the string menu; what it did shows in the owner-drawn items.
    EXPECT_EQ(owner.ownerDrawnInUpdate, std::vector<bool>{false});
    owner.ownerDrawnInUpdate.clear();
    EXPECT_TRUE(menu->closeState & ODS_CHECKED);
    EXPECT_FALSE(menu->IsOwnerDraw());
    std::vector<LiveItem> live = Live(menu->m_hMenu);
    ASSERT_EQ(live.size(), 3u);
    EXPECT_FALSE(live[0].type & MFT_OWNERDRAW);
    EXPECT_EQ(live[0].text, "&Open...\tCtrl+O");
  }
}

TEST_F(CoolMenuTrack, StaticTrackingTakesNegativeCoordinates) {
  // Positions left of and above the primary monitor belong to other monitors.
  Typist typist({VK_DOWN, VK_DOWN, VK_RETURN});
  BOOL chosen = CCoolMenu::TrackPopupMenu(menu->m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, -40, -30, &owner, NULL);
  EXPECT_EQ(chosen, ID_PRINT);
  EXPECT_GT(menu->drawn, 0);
  EXPECT_FALSE(CCoolMenu::TrackPopupMenu(NULL, 0, 0, 0, &owner, NULL));
}

}  // namespace

namespace {

TEST_F(CoolMenuTrack, RedirectedPopupShowsTheItemsOfThePopupItIsRedirectedTo) {
  HMENU bar = LoadMenu(GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_TEST_MENU));
  ASSERT_NE(CCoolMenu::FromHandle(bar), nullptr);
  HMENU numbered = NULL;
  ASSERT_TRUE(CCoolMenu::FindMenuFromId(TEST_NUMBERED_POPUP, numbered));
  // The host redirects popup 42 to popup 43 (the update pass records it).
  smapEffCmd.SetAt(TEST_NUMBERED_POPUP, TEST_NUMBERED_POPUP + 1);
  {
    Typist typist({VK_DOWN, VK_RETURN});
    EXPECT_EQ(CCoolMenu::TrackPopupMenu(numbered, TPM_RETURNCMD, 100, 100, &owner, NULL), ID_MERGE);
  }
  smapEffCmd.RemoveAll();
  // Without the redirection it shows its own item again.
  Typist typist({VK_DOWN, VK_RETURN});
  EXPECT_EQ(CCoolMenu::TrackPopupMenu(numbered, TPM_RETURNCMD, 100, 100, &owner, NULL), ID_CLOSE);
}

}  // namespace
