// Menu bars registered for dynamic menus: what shows after the rights and the effective
// commands, how popups are brought up to date when they open, and the registration itself.
#include "dynmenus_test.h"

#include <GUIFrameWnd.h>
#include <QvEffectiveCommands.h>
#include <fw_mdi.h>

#include "handle_counts.h"

using namespace dynmenus_test;

namespace {

using Texts_ = std::vector<std::string>;

const Texts_ kFullFile = {"&Open\tCtrl+O", "&Save", "-", "&Print\tCtrl+Shift+P", "Send &Mail", "-", "&Recent"};
const Texts_ kBar = {"&File", "&Edit", "&Tools", "&View", "&Help"};

TEST_F(DynamicMenuTest, PopupsShowTheCommandsTextsWithHotKeysAndLeaveForeignPopupsAlone) {
  RegisterOnFrame();
  EXPECT_EQ(Texts(bar.m_hMenu), kBar);
  EXPECT_EQ(Texts(Open("&File")), kFullFile);
  // The leading separator of the resource is gone; Ctrl+X is shown although it is an editing key.
  EXPECT_EQ(Texts(Open("&Edit")), (Texts_{"Cu&t\tCtrl+X", "&Paste", "-", "Op&tions\tF7"}));
  HMENU recent = PopupNamed(Open("&File"), "&Recent");
  ASSERT_TRUE(recent);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), MAKELPARAM(6, FALSE));
  EXPECT_EQ(Texts(recent), Texts_{"&Recent Report"});
  // Help's caption names no command: it is the host's as it stands.
  EXPECT_EQ(Texts(Open("&Help")), Texts_{"About"});
  // The frame's probes asked the portable road: every command is enabled.
  for (const Item& item : Items(PopupNamed(bar.m_hMenu, "&File"))) {
    if (item.id == 0) continue;
    EXPECT_EQ(item.state & MFS_GRAYED, 0u) << item.text;
  }
}

TEST_F(DynamicMenuTest, ItemsFollowTheRightsAndComeBackInTheirPlaces) {
  RegisterOnFrame();
  const struct {
    const char* name;
    std::vector<unsigned long> hidden;  // commands (or popups) whose rights become 3
    Texts_ bar, file;
  } cases[] = {
      {"one command", {ID_PRINT}, kBar, {"&Open\tCtrl+O", "&Save", "-", "Send &Mail", "-", "&Recent"}},
      {"a group between separators", {ID_PRINT, ID_MAIL}, kBar, {"&Open\tCtrl+O", "&Save", "-", "&Recent"}},
      {"the first group", {ID_OPEN, ID_SAVE}, kBar, {"&Print\tCtrl+Shift+P", "Send &Mail", "-", "&Recent"}},
      {"a nested popup's only command", {ID_RECENT}, kBar, {"&Open\tCtrl+O", "&Save", "-", "&Print\tCtrl+Shift+P", "Send &Mail", "-"}},
      {"a popup's only command", {ID_MACRO}, {"&File", "&Edit", "&View", "&Help"}, kFullFile},
      {"the popup itself", {ID_FILE_POPUP}, {"&Edit", "&Tools", "&View", "&Help"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (unsigned long id : c.hidden) Rights::Set(id, 3);
    UpdateMenusFromSecurity();
    EXPECT_EQ(Texts(bar.m_hMenu), c.bar);
    if (!c.file.empty()) {
      EXPECT_EQ(Texts(Open("&File")), c.file);
    }
    // Rights restored: everything is back where the layout has it.
    Rights::status.clear();
    UpdateMenusFromSecurity();
    EXPECT_EQ(Texts(bar.m_hMenu), kBar);
    EXPECT_EQ(Texts(Open("&File")), kFullFile);
  }
}

// A popup that comes back is made empty and filled when it, or the bar, opens.
TEST_F(DynamicMenuTest, PopupThatComesBackIsFilledWhenTheBarOpens) {
  RegisterOnFrame();
  Rights::Set(ID_FILE_POPUP, 3);
  UpdateMenusFromSecurity();
  Rights::status.clear();
  UpdateMenusFromSecurity();
  HMENU file = PopupNamed(bar.m_hMenu, "&File");
  ASSERT_TRUE(file);
  EXPECT_EQ(GetMenuItemCount(file), 0);
  UpdateDynamicMenuForSecurity(&bar);
  EXPECT_EQ(Texts(file), kFullFile);
  // Its nested popup is filled when it opens in turn.
  HMENU recent = PopupNamed(file, "&Recent");
  ASSERT_TRUE(recent);
  EXPECT_EQ(GetMenuItemCount(recent), 0);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), MAKELPARAM(6, FALSE));
  EXPECT_EQ(Texts(recent), Texts_{"&Recent Report"});
}

// A bar destroyed with its window is left alone by later updates.
TEST_F(DynamicMenuTest, BarDestroyedWithItsWindowIsLeftAlone) {
  RegisterOnFrame();
  frame->DestroyWindow();  // takes the bar with it
  frame = nullptr;
  EXPECT_FALSE(IsMenu(bar.m_hMenu));
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  Rights::Set(ID_PRINT, 3);
  UpdateMenusFromSecurity();
  EXPECT_EQ(Rights::AskedFor(ID_PRINT), 1);  // at the registration only
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
  bar.Detach();
}

TEST_F(DynamicMenuTest, RedirectedPopupShowsTheEffectivePopupUntilTheRedirectionEnds) {
  RegisterOnFrame();
  EXPECT_EQ(Texts(Open("&View")), Texts_{"&Zoom"});
  target.redirects[ID_VIEW_POPUP] = ID_ALT_VIEW_POPUP;  // a popup of the extra menu
  EXPECT_EQ(Texts(Open("&View")), (Texts_{"Zoom to &Fit", "&Zoom"}));
  target.redirects.clear();
  EXPECT_EQ(Texts(Open("&View")), Texts_{"&Zoom"});
  // Redirected to a command that has no popup: empty, and its own items come back after.
  target.redirects[ID_VIEW_POPUP] = ID_OPEN;
  EXPECT_TRUE(Texts(Open("&View")).empty());
  target.redirects.clear();
  EXPECT_EQ(Texts(Open("&View")), Texts_{"&Zoom"});
  // A rebuild of the bar while redirected names the popup after the effective one.
  target.redirects[ID_VIEW_POPUP] = ID_ALT_VIEW_POPUP;
  Open("&View");
  UpdateMenusFromSecurity();
  EXPECT_EQ(Texts(bar.m_hMenu), (Texts_{"&File", "&Edit", "&Tools", "&Layout", "&Help"}));
  target.redirects.clear();
  EXPECT_EQ(Texts(Open("&Layout")), Texts_{"&Zoom"});
}

TEST_F(DynamicMenuTest, APopupIsFilledOnceForEachChangeNotAtEveryOpening) {
  CountingDef* paste = Count(ID_PASTE);
  ASSERT_TRUE(paste);
  RegisterOnFrame();
  EXPECT_EQ(paste->menuTexts, 0);  // Edit is built when it first opens
  const struct {
    const char* change;
    int menuTexts;  // after five more openings
  } steps[] = {{"none: the first openings", 1},
               {"rights updated", 2},
               {"redirected to another popup", 2},
               {"redirection ended", 3},
               {"rights updated twice", 4}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    const std::string change = step.change;
    if (change == "rights updated") UpdateMenusFromSecurity();
    if (change == "redirected to another popup") target.redirects[ID_EDIT_POPUP] = ID_ALT_VIEW_POPUP;
    if (change == "redirection ended") target.redirects.clear();
    if (change == "rights updated twice") {
      // The rights are asked once per update, and only then.
      const int asked = Rights::AskedFor(ID_PASTE);
      UpdateMenusFromSecurity();
      UpdateMenusFromSecurity();
      EXPECT_EQ(Rights::AskedFor(ID_PASTE), asked + 2);
    }
    for (int i = 0; i < 5; ++i) Open("&Edit");
    EXPECT_EQ(paste->menuTexts, step.menuTexts);
  }
}

// The menu loop itself sends WM_INITMENUPOPUP: a popup tracked for real shows the rights of now.
TEST_F(DynamicMenuTest, TrackedPopupIsBroughtUpToDateBeforeItShows) {
  RegisterOnFrame();
  HMENU edit = PopupNamed(bar.m_hMenu, "&Edit");
  ASSERT_TRUE(edit);
  Rights::Set(ID_PASTE, 3);
  UpdateMenusFromSecurity();
  struct Ender {
    static void CALLBACK End(HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(NULL, id);
      EndMenu();
    }
  };
  UINT_PTR timer = SetTimer(NULL, 0, 50, &Ender::End);
  ASSERT_TRUE(timer);
  frame->SetForegroundWindow();
  TrackPopupMenu(edit, TPM_LEFTALIGN, 10, 10, 0, frame->m_hWnd, NULL);
  KillTimer(NULL, timer);
  EXPECT_EQ(Texts(edit), (Texts_{"Cu&t\tCtrl+X", "-", "Op&tions\tF7"}));
}

TEST_F(DynamicMenuTest, PopupsWhoseCaptionIsNotAnIdAreLeftAsTheyAre) {
  CMenu made;
  ASSERT_TRUE(made.CreateMenu());
  const wchar_t* captions[] = {L"&Help", L"12x", L"0", L"", L"4294967295", L"5 0", L"-3"};
  std::vector<HMENU> popups;
  for (const wchar_t* caption : captions) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, ID_OPEN, L"raw");
    AppendMenuW(made.m_hMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption);
    popups.push_back(popup);
  }
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, ID_SAVE, L"raw");
  AppendMenuW(made.m_hMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), L" 500 ");
  ASSERT_TRUE(RegisterMenuBar(&made, 0).Succeeded());
  ASSERT_TRUE(GetAcceleratorForUpdateFrameMenu(&made));

  std::vector<std::string> expected;
  for (const wchar_t* caption : captions) expected.push_back(std::string(caption, caption + wcslen(caption)));
  expected.push_back("&File");
  EXPECT_EQ(Texts(made.m_hMenu), expected);
  for (size_t i = 0; i < popups.size(); ++i) {
    SCOPED_TRACE(i);
    UpdateDynamicMenuForSecurity(CMenu::FromHandle(popups[i]));
    EXPECT_EQ(Texts(popups[i]), Texts_{"raw"});
    EXPECT_FALSE(GetAcceleratorForUpdateFrameMenu(CMenu::FromHandle(popups[i])));
  }
  UpdateDynamicMenuForSecurity(CMenu::FromHandle(file));
  EXPECT_EQ(Texts(file), Texts_{"&Save"});
}

TEST_F(DynamicMenuTest, AFailedRegistrationLeavesNothingRegistered) {
  EXPECT_FALSE(RegisterMenuBar(&bar, IDR_MISSING).Succeeded());
  EXPECT_EQ(Get_GlobalArrayDynamicData()->GetSize(), 0);
  EXPECT_EQ(Get_GlobalMapHMENUToInfo()->GetCount(), 0);
  EXPECT_FALSE(GetAcceleratorForUpdateFrameMenu(&bar));
  EXPECT_FALSE(RegisterMenuBar(nullptr, 0).Succeeded());
  // The same bar registers afterwards, once.
  ASSERT_TRUE(RegisterMenuBar(&bar, IDR_EXTRA).Succeeded());
  EXPECT_FALSE(RegisterMenuBar(&bar, 0).Succeeded());
  EXPECT_EQ(Get_GlobalArrayDynamicData()->GetSize(), 1);
  // The extra menu is gone: only the bar and its popups are known by handle.
  EXPECT_EQ(Get_GlobalMapHMENUToInfo()->GetCount(), 6);  // bar, File, Recent, Edit, Tools, View
}

TEST_F(DynamicMenuTest, WithoutDynamicMenusNothingRegistersAndReleaseCanBeRepeated) {
  ReleaseDynamicMenu();
  EXPECT_EQ(Get_GlobalMapCmdToEffectiveCmd(), nullptr);
  EXPECT_FALSE(RegisterMenuBar(&bar, 0).Succeeded());
  UpdateMenusFromSecurity();
  UpdateDynamicMenuForSecurity(&bar);
  EXPECT_EQ(Texts(bar.m_hMenu)[0], "500");
  ReleaseDynamicMenu();
  // Made anew: the effective-command map answers again.
  ASSERT_TRUE(InitDynamicMenu().Succeeded());
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(ID_OPEN), ID_OPEN);
  SetEffectiveCmdInCmdMap(ID_OPEN, ID_SAVE);
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(ID_OPEN), ID_SAVE);
}

TEST_F(DynamicMenuTest, MenusThatAreNotRegisteredAreIgnored) {
  RegisterOnFrame();
  CMenu other;
  ASSERT_TRUE(other.CreatePopupMenu());
  other.AppendMenu(MF_STRING, ID_OPEN, _T("mine"));
  UpdateDynamicMenuForSecurity(&other);
  EXPECT_EQ(Texts(other.m_hMenu), Texts_{"mine"});
  EXPECT_FALSE(GetAcceleratorForUpdateFrameMenu(&other));
  UpdateDynamicMenuForSecurity(nullptr);
}

}  // namespace

namespace {

// The window popup (257) of an MDI main window lists its documents when it opens.
TEST_F(DynamicMenuTest, WindowPopupOfTheMdiMainWindowListsTheDocuments) {
  CWinApp app{_T("dynmenus")};
  CMDIFrameWnd* main = new CMDIFrameWnd;  // deletes itself when destroyed
  ASSERT_TRUE(main->Create(NULL, _T("reports"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
  app.m_pMainWnd = main;
  CMenu mdiBar;
  ASSERT_TRUE(mdiBar.LoadMenu(IDR_MDI_BAR));
  ::SetMenu(main->m_hWnd, mdiBar.m_hMenu);
  ASSERT_TRUE(RegisterMenuBar(&mdiBar, 0).Succeeded());
  CMDIChildWnd* doc = new CMDIChildWnd;
  ASSERT_TRUE(doc->Create(NULL, _T("North"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), main));

  HMENU window = PopupNamed(mdiBar.m_hMenu, "&Window");
  ASSERT_TRUE(window);
  UpdateDynamicMenuForSecurity(CMenu::FromHandle(window));
  std::vector<UINT> ids = Ids(window);
  ASSERT_GE(ids.size(), 2u);
  EXPECT_EQ(ids[0], static_cast<UINT>(ID_WINDOW_CASCADE));
  EXPECT_EQ(ids.back(), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD));
  // Another popup gets no list.
  HMENU file = PopupNamed(mdiBar.m_hMenu, "&File");
  UpdateDynamicMenuForSecurity(CMenu::FromHandle(file));
  EXPECT_EQ(Ids(file), std::vector<UINT>{ID_OPEN});

  app.m_pMainWnd = NULL;
  ::SetMenu(main->m_hWnd, NULL);  // the bar stays the test's
  main->DestroyWindow();
}

}  // namespace

// The portable frames bring a registered popup up to date before it opens, as the test frame does.
TEST_F(DynamicMenuTest, PortableFramesBringTheirPopupsUpToDate) {
  for (bool mdi : {false, true}) {
    SCOPED_TRACE(mdi ? "multiple-document frame" : "single-document frame");
    CFrameWnd* portable = mdi ? static_cast<CFrameWnd*>(new CGUIMDIFrameWnd) : new CGUIFrameWnd;
    ASSERT_TRUE(portable->Create(NULL, _T("portable"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_BAR));
    ASSERT_TRUE(::SetMenu(portable->m_hWnd, menu.m_hMenu));
    ASSERT_TRUE(RegisterMenuBar(&menu, 0).Succeeded());
    Rights::Set(ID_PRINT, 3);
    UpdateMenusFromSecurity();
    HMENU file = PopupNamed(menu.m_hMenu, "&File");
    ASSERT_TRUE(file);
    portable->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
    EXPECT_EQ(Texts(file), (Texts_{"&Open\tCtrl+O", "&Save", "-", "Send &Mail", "-", "&Recent"}));
    Rights::status.clear();
    UpdateMenusFromSecurity();
    ::SetMenu(portable->m_hWnd, NULL);
    portable->DestroyWindow();  // deletes itself
  }
}
