// Cool menus built from their records: string and owner-drawn forms, rights, separators, hot-key
// texts, insertion, removal, reading the live menu back, mnemonics and accelerators.
#include "menu_fixture.h"

using namespace menus_test;

namespace {

class CoolMenuBuild : public MenuTest {
 protected:
  void TearDown() override { CCoolMenu::DeleteAllCoolMenus(); }

  // The test menu resource wrapped as cool menus.
  CCoolMenu* LoadTestMenu() {
    HMENU h = LoadMenu(GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_TEST_MENU));
    return CCoolMenu::FromHandle(h);
  }
  // A popup menu filled with commands by InsertMenuW at the end.
  CUIMenu* Popup(std::initializer_list<unsigned short> ids) {
    CUIMenu* menu = new CUIMenu(0, 0);
    for (unsigned short id : ids) menu->InsertMenuW(id, -1, 0, NULL);
    return menu;
  }
};

TEST_F(CoolMenuBuild, StringMenuFromRecordsKeepsWhatRightsAllowAndDropsRedundantSeparators) {
  CCoolMenu* bar = LoadTestMenu();
  ASSERT_NE(bar, nullptr);
  // Tools holds only a hidden command: it is left out; the numbered popup stays.
  std::vector<LiveItem> top = Live(bar->m_hMenu);
  ASSERT_EQ(top.size(), 4u);
  EXPECT_EQ(top[0].text, "&File");
  EXPECT_EQ(top[1].text, "&Edit");
  EXPECT_EQ(top[2].text, "42");
  EXPECT_EQ(top[3].text, "43");

  struct Expected {
    UINT id;
    const char* text;
    UINT state;
  };
  // File: the double separator is one, Macros (hidden) is absent, Mail (rights 2) is disabled,
  // the trailing separator is gone; texts are the commands' with their hot keys.
  const Expected file[] = {{ID_OPEN, "&Open...\tCtrl+O", 0},
                           {ID_PRINT, "&Print\tCtrl+Shift+P", 0},
                           {0, "", 0},
                           {ID_MAIL, "Send &Mail\tCtrl+L", MF_DISABLED}};
  // Edit: the leading separator is gone.
  const Expected edit[] = {{ID_PASTE, "Pa&ste\tCtrl+V", 0}, {ID_OPTIONS, "Op&tions", 0}};
  const struct {
    int position;
    const Expected* items;
    size_t count;
  } popups[] = {{0, file, 4}, {1, edit, 2}};
  for (const auto& p : popups) {
    SCOPED_TRACE(p.position);
    std::vector<LiveItem> live = Live(top[p.position].sub);
    ASSERT_EQ(live.size(), p.count);
    for (size_t i = 0; i < p.count; ++i) {
      EXPECT_EQ(live[i].id, p.items[i].id) << i;
      EXPECT_EQ(live[i].text, p.items[i].text) << i;
      if (live[i].id != 0) {
        EXPECT_EQ(live[i].state & MF_DISABLED, p.items[i].state) << i;
      }
      EXPECT_FALSE(live[i].type & MFT_OWNERDRAW) << i;
    }
  }
  // The hidden command keeps its record.
  _COOLMENUITEM* macros = bar->GetMenuItem(ID_MACROS);
  ASSERT_NE(macros, nullptr);
  EXPECT_EQ(macros->nPosition, -1);
}

TEST_F(CoolMenuBuild, OwnerDrawnMenuCarriesEachItemsRecordIndex) {
  CCoolMenu* bar = LoadTestMenu();
  CCoolMenu* file = CCoolMenu::FromHandle(GetSubMenu(bar->m_hMenu, 0));
  ASSERT_NE(file, nullptr);
  file->EnableOwnerDraw(1);
  std::vector<LiveItem> live = Live(file->m_hMenu);
  ASSERT_EQ(live.size(), 4u);
  for (size_t i = 0; i < live.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(live[i].type & MFT_OWNERDRAW);
    _COOLMENUITEM* record = file->Item(static_cast<int>(live[i].data));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(static_cast<UINT>(record->nID), live[i].id);
    EXPECT_EQ(record->nPosition, static_cast<int>(i));
  }
  EXPECT_TRUE(live[2].type & MFT_SEPARATOR);
  EXPECT_TRUE(live[3].state & MFS_DISABLED);
  // Back to string mode: the same items as strings.
  file->EnableOwnerDraw(0);
  live = Live(file->m_hMenu);
  ASSERT_EQ(live.size(), 4u);
  EXPECT_EQ(live[0].text, "&Open...\tCtrl+O");
  EXPECT_FALSE(live[0].type & MFT_OWNERDRAW);
}

TEST_F(CoolMenuBuild, NumberedPopupIsFoundByItsNumber) {
  CCoolMenu* bar = LoadTestMenu();
  HMENU numbered = GetSubMenu(bar->m_hMenu, 2);
  HMENU found = NULL;
  ASSERT_TRUE(CCoolMenu::FindMenuFromId(TEST_NUMBERED_POPUP, found));
  EXPECT_EQ(found, numbered);
  unsigned short id = 0;
  ASSERT_TRUE(CCoolMenu::FindIdFromMenu(numbered, id));
  EXPECT_EQ(id, TEST_NUMBERED_POPUP);
  EXPECT_FALSE(CCoolMenu::FindMenuFromId(44, found));
  int position = -5;
  EXPECT_EQ(bar->FindMenuItem(ID_CLOSE, position), CCoolMenu::FromHandle(numbered));
  EXPECT_EQ(position, 0);
}

TEST_F(CoolMenuBuild, DynamicMenuIsLoadedFromTheModuleChain) {
  EXPECT_EQ(RegisterDynamicMenu(IDR_TEST_MENU), 1);
  HMENU numbered = NULL;
  ASSERT_TRUE(CCoolMenu::FindMenuFromId(TEST_NUMBERED_POPUP, numbered));
  EXPECT_EQ(LiveIds(numbered), std::vector<UINT>{ID_CLOSE});
  EXPECT_EQ(RegisterDynamicMenu(999), 0);
}

TEST_F(CoolMenuBuild, InsertionPlacesTheRecordByLivePositionPastHiddenRecords) {
  struct Case {
    const char* name;
    std::vector<unsigned short> before;  // appended first
    unsigned short id;
    int position;
    int result;
    std::vector<UINT> live;  // after the insertion and after a rebuild
  } cases[] = {
      // A hidden record first: the new item still goes between Open and Print.
      {"after hidden", {ID_MACROS, ID_OPEN, ID_PRINT}, ID_CLOSE, 1, 2, {ID_OPEN, ID_CLOSE, ID_PRINT}},
      {"at the front", {ID_MACROS, ID_OPEN}, ID_CLOSE, 0, 1, {ID_CLOSE, ID_OPEN}},
      {"at the end", {ID_OPEN, ID_MACROS}, ID_CLOSE, -1, 2, {ID_OPEN, ID_CLOSE}},
      {"past the end", {ID_OPEN}, ID_CLOSE, 9, 2, {ID_OPEN, ID_CLOSE}},
      // A hidden command keeps out of the live menu; the answer is the position asked for.
      {"hidden", {ID_OPEN, ID_PRINT}, ID_MACROS, 1, 1, {ID_OPEN, ID_PRINT}},
      // 65535 is a separator.
      {"separator", {ID_OPEN, ID_PRINT}, 65535, 1, 2, {ID_OPEN, 0, ID_PRINT}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CUIMenu* menu = Popup({});
    for (unsigned short id : c.before) menu->InsertMenuW(id, -1, 0, NULL);
    EXPECT_EQ(menu->InsertMenuW(c.id, c.position, 0, NULL), c.result);
    EXPECT_EQ(LiveIds(menu->m_hMenu), c.live);
    menu->Rebuild(1);
    EXPECT_EQ(LiveIds(menu->m_hMenu), c.live);
    delete menu;
  }
}

TEST_F(CoolMenuBuild, InsertionKeepsSeparatorRunsAndTextsRight) {
  CUIMenu* menu = Popup({ID_OPEN});
  EXPECT_EQ(menu->InsertMenuW(0, -1, 0, NULL), 2);
  // A separator after a separator stays out.
  EXPECT_EQ(menu->InsertMenuW(0, -1, 0, NULL), 2);
  EXPECT_EQ(menu->InsertMenuW(900, -1, 0, L"No command"), 3);
  std::vector<LiveItem> live = Live(menu->m_hMenu);
  ASSERT_EQ(live.size(), 3u);
  EXPECT_EQ(live[0].text, "&Open...\tCtrl+O");
  EXPECT_TRUE(live[1].type & MFT_SEPARATOR);
  EXPECT_EQ(live[2].text, "No command");
}

TEST_F(CoolMenuBuild, RemovalByCommandShiftsTheFollowingRecords) {
  CUIMenu* menu = Popup({ID_OPEN, ID_PRINT, ID_CLOSE});
  CUIMenu* sub = Popup({ID_OPTIONS, ID_MERGE});
  menu->InsertPopupMenu(0, sub->m_hMenu, -1);
  EXPECT_EQ(menu->RemoveMenuWithUpdateStatus(ID_PRINT, 0), 1);
  EXPECT_EQ(LiveIds(menu->m_hMenu).size(), 3u);
  EXPECT_EQ(menu->GetMenuItem(ID_PRINT), nullptr);
  EXPECT_EQ(menu->GetMenuItem(ID_CLOSE)->nPosition, 1);
  // Found in the sub-menu, removed there.
  EXPECT_EQ(menu->RemoveMenuWithUpdateStatus(ID_OPTIONS, 0), 1);
  EXPECT_EQ(LiveIds(sub->m_hMenu), std::vector<UINT>{ID_MERGE});
  EXPECT_EQ(sub->GetMenuItem(ID_MERGE)->nPosition, 0);
  // By position; then an unknown command and a bad position fail.
  EXPECT_EQ(menu->RemoveMenuWithUpdateStatus(0, MF_BYPOSITION), 1);
  EXPECT_EQ(menu->GetMenuItem(ID_CLOSE)->nPosition, 0);
  EXPECT_EQ(menu->RemoveMenuWithUpdateStatus(ID_PRINT, 0), 0);
  EXPECT_EQ(menu->RemoveMenuWithUpdateStatus(7, MF_BYPOSITION), 0);
  menu->Rebuild(1);
  EXPECT_EQ(LiveIds(menu->m_hMenu).size(), 2u);
}

TEST_F(CoolMenuBuild, UpdateStatusReadsBackWhatOthersDidToTheLiveMenu) {
  CUIMenu* menu = Popup({ID_OPEN, ID_PRINT, ID_CLOSE});
  HMENU h = menu->m_hMenu;
  // The framework's update pass checks Open, removes Print and adds a window-list entry.
  CheckMenuItem(h, ID_OPEN, MF_BYCOMMAND | MF_CHECKED);
  RemoveMenu(h, ID_PRINT, MF_BYCOMMAND);
  AppendMenu(h, MF_STRING, 0xFF00, _T("&1 Report"));
  menu->EnableOwnerDraw(1);
  std::vector<LiveItem> live = Live(h);
  ASSERT_EQ(live.size(), 3u);
  EXPECT_EQ(live[0].id, static_cast<UINT>(ID_OPEN));
  EXPECT_TRUE(live[0].state & MFS_CHECKED);
  EXPECT_EQ(live[1].id, static_cast<UINT>(ID_CLOSE));
  EXPECT_EQ(live[2].id, 0xFF00u);
  EXPECT_EQ(menu->GetMenuItem(ID_PRINT), nullptr);
  ASSERT_NE(menu->GetMenuItem(0xFF00), nullptr);
  EXPECT_EQ(Narrow(menu->GetMenuItem(0xFF00)->strText), "&1 Report");
  // The window list shrinks again: its stale record goes, the matched ones stay.
  menu->EnableOwnerDraw(0);
  RemoveMenu(h, 0xFF00, MF_BYCOMMAND);
  AppendMenu(h, MF_STRING, 0xFF01, _T("&2 Chart"));
  menu->EnableOwnerDraw(1);
  EXPECT_EQ(LiveIds(h), (std::vector<UINT>{ID_OPEN, ID_CLOSE, 0xFF01}));
  EXPECT_EQ(menu->GetMenuItem(0xFF00), nullptr);
}

TEST_F(CoolMenuBuild, MenuCharAnswersFromLiveItemsOnly) {
  // Live: Open(0) Print(1) Mail(2, disabled) Merge(3) Options(4); Macros' record is hidden.
  CUIMenu* menu = Popup({ID_OPEN, ID_PRINT, ID_MACROS, ID_MAIL, ID_MERGE, ID_OPTIONS});
  CUIMenu* twins = Popup({ID_OPEN, ID_CLOSE});
  twins->InsertMenuW(901, -1, 0, L"&Overview");
  twins->InsertMenuW(902, -1, 0, L"Fish && &Chips");
  twins->InsertMenuW(903, -1, 0, L"Salt && vinegar");
  struct Case {
    CUIMenu* menu;
    unsigned ch;
    int highlighted;  // live position highlighted first, -1 none
    LRESULT answer;
  } cases[] = {
      {menu, 'p', -1, MAKELRESULT(1, MNC_EXECUTE)},
      {menu, 'P', -1, MAKELRESULT(1, MNC_EXECUTE)},
      // Only Mail has M live: the hidden Macros does not count.
      {menu, 'm', -1, MAKELRESULT(2, MNC_EXECUTE)},
      {menu, 'g', -1, MAKELRESULT(3, MNC_EXECUTE)},
      {menu, 'z', -1, 0},
      // Two O's: the first, or the one after the highlighted item.
      {twins, 'o', -1, MAKELRESULT(0, MNC_SELECT)},
      {twins, 'o', 0, MAKELRESULT(2, MNC_SELECT)},
      {twins, 'o', 2, MAKELRESULT(0, MNC_SELECT)},
      // An escaped ampersand is no mnemonic.
      {twins, 'c', -1, MAKELRESULT(1, MNC_SELECT)},
      {twins, 'v', -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<char>(c.ch) << " " << c.highlighted);
    for (int i = 0; i < GetMenuItemCount(c.menu->m_hMenu); ++i) {
      MENUITEMINFO mii = {};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_STATE;
      GetMenuItemInfo(c.menu->m_hMenu, i, TRUE, &mii);
      mii.fState = i == c.highlighted ? (mii.fState | MFS_HILITE) : (mii.fState & ~MFS_HILITE);
      SetMenuItemInfo(c.menu->m_hMenu, i, TRUE, &mii);
    }
    EXPECT_EQ(c.menu->OnMenuChar(c.ch, MF_POPUP), c.answer);
  }
}

TEST_F(CoolMenuBuild, AcceleratorTableHoldsTheAllowedKeysOfLiveItems) {
  CUIMenu* menu = Popup({ID_OPEN, ID_MACROS, ID_MAIL, ID_PASTE, ID_CLOSE});
  CUIMenu* sub = Popup({ID_PRINT});
  menu->InsertPopupMenu(0, sub->m_hMenu, -1);
  int count = -1;
  HACCEL table = menu->GetAccelTable(&count);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(count, 2);
  ACCEL entries[2];
  ASSERT_EQ(CopyAcceleratorTable(table, entries, 2), 2);
  DestroyAcceleratorTable(table);
  // Open's Ctrl+O and, from the sub-menu, Print's Ctrl+Shift+P; Macros is hidden, Mail
  // disabled, Ctrl+V belongs to edit controls, Close has no key.
  EXPECT_EQ(entries[0].cmd, ID_OPEN);
  EXPECT_EQ(entries[0].key, 'O');
  EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(entries[1].cmd, ID_PRINT);
  EXPECT_EQ(entries[1].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
  CUIMenu* none = Popup({ID_CLOSE});
  EXPECT_EQ(none->GetAccelTable(&count), nullptr);
  EXPECT_EQ(count, 0);
}

TEST_F(CoolMenuBuild, EffectiveCommandChangesTheItemsText) {
  CUIMenu* menu = Popup({ID_OPEN, ID_CLOSE});
  menu->SetEffectiveCmdID(ID_OPEN, ID_PRINT);
  EXPECT_EQ(Live(menu->m_hMenu)[0].text, "&Print\tCtrl+Shift+P");
  menu->EnableOwnerDraw(1);
  menu->SetEffectiveCmdID(ID_CLOSE, ID_OPTIONS);
  _COOLMENUITEM* close = menu->GetMenuItem(ID_CLOSE);
  EXPECT_EQ(close->nEffectiveID, ID_OPTIONS);
  EXPECT_EQ(Narrow(close->strText), "Op&tions");
}

}  // namespace
