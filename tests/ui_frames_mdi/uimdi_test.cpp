// The library's MDI frames as the host makes them: the plain menu in QA mode, commands through
// the rights, accelerators that follow the command centre's hot keys, tooltips, prompts and
// help from the command centre, the window menu, the toolbar context menu, the frame's drop
// target, and no handle left over after many documents.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_bars.h>
#include <fw_dock.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "UICommandCenter.h"
#include "UICommandRouting.h"
#include "UICoolMenu.h"
#include "MenuToolBar.h"
#include "UIMDIFrame.h"
#include "handle_counts.h"
#include "mdi_fixture.h"
#include "fw_pump.h"
#include "test_support.h"
#include "uimdi_ids.h"

using testing_support::MouseTo;
using testing_support::PumpMessages;

namespace {

std::vector<UINT> g_ran;
DWORD Rights(DWORD id) {
  if (id == (ID_CMD_LOCKED | UI_SECURITY_COMMAND_BIT)) return UI_SECURITY_DISABLED;
  return UI_SECURITY_ALLOWED;
}

class MainFrame : public CUIMDIFrameWnd {
 public:
  static int live;
  MainFrame() { ++live; }
  ~MainFrame() override {
    --live;
    if (m_hHostMenu != NULL) ::DestroyMenu(m_hHostMenu);
  }
  HMENU GetFrameMenu(BOOL) override {
    if (m_hHostMenu == NULL) m_hHostMenu = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MAIN));
    return m_hHostMenu;
  }
  DWORD_PTR helpData = 0;
  UINT helpCommand = 0;
  int helpCalls = 0;
  void WinHelp(DWORD_PTR data, UINT command) override {
    helpData = data;
    helpCommand = command;
    ++helpCalls;
  }
  // Help mode: what the user does, once, at the help loop's first message; what showed then.
  std::function<void()> helpAct;
  HCURSOR helpCursorSeen = NULL;
  BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext) override {
    if (helpAct) {
      helpCursorSeen = ::GetCursor();
      auto step = std::move(helpAct);
      helpAct = nullptr;
      step();
    }
    return CUIMDIFrameWnd::ProcessHelpMsg(msg, pContext);
  }
  std::vector<std::wstring> contextItems;
  int OnToolbarContextMenu(CUIMenu& menu) override {
    contextItems.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu.m_hMenu); ++i) {
      wchar_t text[64] = {};
      ::GetMenuStringW(menu.m_hMenu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      contextItems.push_back(text + std::wstring(L"=") + std::to_wstring(::GetMenuItemID(menu.m_hMenu, i)));
    }
    return FALSE;  // not run: it would wait for the user
  }
  // Tests keep the object after its window goes, to look at what the window left.
  bool keepObject = false;
  void PostNcDestroy() override {
    if (!keepObject) delete this;
  }
  afx_msg void OnNew() { g_ran.push_back(ID_CMD_NEW); }
  afx_msg void OnLocked() { g_ran.push_back(ID_CMD_LOCKED); }
  afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  afx_msg void OnPrint() { g_ran.push_back(ID_CMD_PRINT); }
  // The popups that opened, in order.
  std::vector<HMENU> popups;
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    if (!bSysMenu) popups.push_back(pPopupMenu->GetSafeHmenu());
    CUIMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  }
  CMenuToolBar* Bar() const { return static_cast<CMenuToolBar*>(GetMenuBar()); }
  DECLARE_MESSAGE_MAP()

 private:
  HMENU m_hHostMenu = NULL;
};
BEGIN_MESSAGE_MAP(MainFrame, CUIMDIFrameWnd)
  ON_COMMAND(ID_CMD_NEW, &MainFrame::OnNew)
  ON_COMMAND(ID_CMD_LOCKED, &MainFrame::OnLocked)
  ON_UPDATE_COMMAND_UI(ID_CMD_LOCKED, &MainFrame::OnUpdateLocked)
  ON_COMMAND(ID_CMD_PRINT, &MainFrame::OnPrint)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()
int MainFrame::live = 0;

class DocFrame : public CUIMDIChildWnd {
 public:
  static int live;
  DocFrame() { ++live; }
  ~DocFrame() override { --live; }
  CDocument* doc = nullptr;
  CDocument* GetActiveDocument() override { return doc; }
  DWORD_PTR helpData = 0;
  void WinHelp(DWORD_PTR data, UINT) override { helpData = data; }
  afx_msg void OnRefresh() { g_ran.push_back(ID_CMD_REFRESH); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DocFrame, CUIMDIChildWnd)
  ON_COMMAND(ID_CMD_REFRESH, &DocFrame::OnRefresh)
END_MESSAGE_MAP()
int DocFrame::live = 0;

// The command centre knows the test's commands, with the rights of Rights().
class Frames : public ::testing::Test {
 protected:
  void SetUp() override {
    CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
    center.Init(&Rights, 0);
    const struct {
      WORD id;
      WORD key;
      const wchar_t* tip;
      const wchar_t* prompt;
    } commands[] = {
        {ID_CMD_NEW, 0, L"New report", L"Makes a new report"},
        {ID_CMD_REFRESH, VK_F6, L"Refresh", L"Reads the data again"},
        {ID_CMD_LOCKED, VK_F8, L"Locked", L"Not for this user"},
        {ID_CMD_PRINT, VK_F9, L"Print", L"Prints the report"},
    };
    for (const auto& c : commands) {
      CString name(c.tip), menu(c.tip), tip(c.tip), prompt(c.prompt);
      auto* command = new CUICustomCommand(&center, c.id, c.key, FVIRTKEY, name, menu, tip, prompt, NULL);
      command->m_wID = c.id;
      ASSERT_EQ(center.AddCommand(command), 1);
    }
    g_exp_bQATest = 1;
    g_ran.clear();
  }
  void TearDown() override {
    for (WORD id : {ID_CMD_NEW, ID_CMD_REFRESH, ID_CMD_LOCKED, ID_CMD_PRINT})
      delete CUICommandCenter::GetCommandCenter().RemoveCommand(id);
    CUICommandCenter::GetCommandCenter().Init(NULL, 0);
    smapEffCmd.RemoveAll();
    g_exp_bQATest = 0;
  }
  static CUICommand* Command(WORD id) { return CUICommandCenter::GetCommandCenter().GetCommand(id); }

  static MainFrame* NewMain(int standardMenu = 0) {
    auto* main = new MainFrame;
    main->m_bStandardMenu = standardMenu;
    return testing_support::LoadShownMainFrame(main, IDR_MAIN, 800, 600);
  }
  static DocFrame* NewDoc(MainFrame* main, LPCTSTR title) {
    return testing_support::OpenDocFrame<DocFrame>(main, IDR_DOC, title);
  }
  // The frame's accelerators as (key, command) pairs.
  static std::vector<std::pair<WORD, WORD>> Accels(HACCEL table) {
    std::vector<std::pair<WORD, WORD>> out;
    if (table == NULL) return out;
    int n = ::CopyAcceleratorTable(table, NULL, 0);
    std::vector<ACCEL> entries(static_cast<size_t>(n));
    ::CopyAcceleratorTable(table, entries.data(), n);
    for (const ACCEL& a : entries) out.emplace_back(a.key, a.cmd);
    return out;
  }
  // The text a TTN_NEEDTEXTW request for `id` from `tooltip` to `target` ends with ("none" when
  // nobody gave one).
  static std::wstring AskTip(CWnd* target, HWND tooltip, UINT_PTR id) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tooltip;
    info.hdr.idFrom = id;
    info.hdr.code = TTN_NEEDTEXTW;
    wchar_t none[] = L"none";
    info.lpszText = none;
    target->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::wstring(info.lpszText);
  }
  static void Key(CWnd* target, UINT key) {
    MSG msg = {target->m_hWnd, WM_KEYDOWN, key, 1, 0, {0, 0}};
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
    PumpMessages();
  }
};

TEST_F(Frames, QaModeKeepsThePlainMenuAndTheInitialMenuIsDestroyedOnce) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(main->IsMenuBarMode());
  // Sizable dock bars on all four sides.
  for (UINT side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM})
    EXPECT_NE(main->GetControlBar(side), nullptr) << side;
  HMENU initial = main->m_hInitialMenu;
  ASSERT_NE(initial, nullptr);
  EXPECT_EQ(::GetMenu(main->m_hWnd), initial);
  EXPECT_NE(main->m_hDefaultFrameMenu, nullptr);
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  // The document's menu shows as a plain Windows menu, its window popup listing the document.
  EXPECT_EQ(::GetMenu(main->m_hWnd), doc->m_hMenuShared);
  HMENU window = main->GetWindowMenuPopup(doc->m_hMenuShared);
  ASSERT_NE(window, nullptr);
  const int items = ::GetMenuItemCount(window);
  wchar_t last[64] = {};
  ::GetMenuStringW(window, static_cast<UINT>(items - 1), last, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(last), L"&1 North");
  // The window goes: the initial menu is still there (the window did not take it along) and
  // goes with the object, once.
  main->keepObject = true;
  main->DestroyWindow();
  EXPECT_TRUE(::IsMenu(initial));
  delete main;
  EXPECT_FALSE(::IsMenu(initial));
  EXPECT_EQ(DocFrame::live, 0);
}

TEST_F(Frames, CommandsRefusedByRightsDoNotRunAndTheirProbesAreDisabled) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  // A menu command (no sender) goes through the rights; the refused one does not run even
  // though its update handler enables it.
  for (UINT id : {ID_CMD_NEW, ID_CMD_LOCKED, ID_CMD_REFRESH, ID_CMD_PRINT}) main->SendMessage(WM_COMMAND, id, 0);
  // The document frame's own menu command goes the same way.
  doc->SendMessage(WM_COMMAND, ID_CMD_LOCKED, 0);
  EXPECT_EQ(g_ran, (std::vector<UINT>{ID_CMD_NEW, ID_CMD_REFRESH, ID_CMD_PRINT}));
  CTestCmdUI probe(ID_CMD_LOCKED);
  EXPECT_TRUE(main->OnCmdMsg(ID_CMD_LOCKED, CN_UPDATE_COMMAND_UI, &probe, NULL));
  EXPECT_FALSE(probe.m_bEnabled);
  // The menu item shows it when its popup opens.
  HMENU edit = ::GetSubMenu(::GetMenu(main->m_hWnd), 1);
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  UINT locked = ::GetMenuState(edit, ID_CMD_LOCKED, MF_BYCOMMAND);
  EXPECT_NE(locked, static_cast<UINT>(-1));
  EXPECT_EQ(locked & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  main->DestroyWindow();
}

TEST_F(Frames, AcceleratorsFollowTheHotKeysOfTheCommandCentre) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  // A toolbar with Print and Locked: Print's key is collected, Locked's (refused) is not.
  CToolBar bar;
  ASSERT_TRUE(bar.Create(main));
  const UINT buttons[] = {ID_CMD_PRINT, ID_SEPARATOR, ID_CMD_LOCKED};
  ASSERT_TRUE(bar.SetButtons(buttons, 3));
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  // The document menu's items bring Refresh (F6) and Print (F9); the bar Print again.
  auto accels = Accels(main->m_hAccelTable);
  EXPECT_NE(std::find(accels.begin(), accels.end(), std::make_pair(WORD(VK_F6), WORD(ID_CMD_REFRESH))), accels.end());
  EXPECT_NE(std::find(accels.begin(), accels.end(), std::make_pair(WORD(VK_F9), WORD(ID_CMD_PRINT))), accels.end());
  EXPECT_EQ(std::find(accels.begin(), accels.end(), std::make_pair(WORD(VK_F8), WORD(ID_CMD_LOCKED))), accels.end());
  Key(doc, VK_F6);
  Key(doc, VK_F9);
  EXPECT_EQ(g_ran, (std::vector<UINT>{ID_CMD_REFRESH, ID_CMD_PRINT}));

  // Print's hot key becomes F11: after the rights and menus are brought up to date, F11 runs
  // it and F9 no longer does.
  Command(ID_CMD_PRINT)->m_wHotKey = VK_F11;
  main->UpdateMenusFromSecurity();
  g_ran.clear();
  Key(doc, VK_F9);
  Key(doc, VK_F11);
  EXPECT_EQ(g_ran, (std::vector<UINT>{ID_CMD_PRINT}));
  // Only the toolbar's keys without a menu.
  main->CreateAccelerators(NULL);
  EXPECT_EQ(Accels(main->m_hAccelTable), (std::vector<std::pair<WORD, WORD>>{{VK_F11, ID_CMD_PRINT}}));
  main->DestroyWindow();
}

TEST_F(Frames, TooltipsPromptsAndHelpComeFromTheCommandCentre) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  smapEffCmd.SetAt(ID_CMD_REDIRECTED, ID_CMD_PRINT);
  CToolTipCtrl tooltip;
  ASSERT_TRUE(tooltip.Create(main));
  auto tip = [main, &tooltip](UINT_PTR id) { return AskTip(main, tooltip.m_hWnd, id); };
  EXPECT_EQ(tip(ID_CMD_NEW), L"New report");
  EXPECT_EQ(tip(ID_CMD_REDIRECTED), L"Print (F9)");  // through the effective command, with its key
  EXPECT_EQ(tip(42), L"none");                  // unknown: no text
  CString prompt = _T("kept");
  main->GetMessageString(ID_CMD_REDIRECTED, prompt);
  EXPECT_EQ(CStringW(prompt), CStringW(L"Prints the report"));
  prompt = _T("kept");
  main->GetMessageString(42, prompt);
  EXPECT_EQ(CStringW(prompt), CStringW(L"kept"));

  // Help: the index without a tracked item; the tracked command's topic; the framework's
  // default for a command without a topic.
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpCommand, static_cast<UINT>(HELP_FINDER));
  Command(ID_CMD_PRINT)->m_dwHelpID = 777;
  main->m_nIDTracking = ID_CMD_REDIRECTED;
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpData, 777u);
  EXPECT_EQ(main->helpCommand, static_cast<UINT>(HELP_CONTEXT));
  main->m_nIDTracking = ID_CMD_NEW;
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpData, HID_BASE_COMMAND + ID_CMD_NEW);
  EXPECT_TRUE(main->IsDefaultHelpID(HID_BASE_COMMAND + ID_CMD_NEW));
  EXPECT_TRUE(main->IsDefaultHelpID(HID_BASE_RESOURCE + IDR_MAIN));
  EXPECT_FALSE(main->IsDefaultHelpID(777));
  main->m_nIDTracking = 0;
  main->DestroyWindow();
}

TEST_F(Frames, WindowMenuListsNineDocumentsTheActiveOneAndThenMoreWindows) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  std::vector<DocFrame*> docs;
  CDocument numbered;
  numbered.SetTitle(_T("Sales"));
  for (int i = 0; i < 11; ++i) {
    CString title;
    title.Format(_T("Doc %d"), i + 1);
    docs.push_back(NewDoc(main, title));
    ASSERT_NE(docs.back(), nullptr);
  }
  docs[0]->doc = &numbered;
  docs[0]->m_nWindow = 2;
  // The frames of the client, counted and walked alike.
  EXPECT_EQ(main->GetDescendantCount(), 11);
  int index = AFX_IDM_FIRST_MDICHILD, walked = 0;
  for (CFrameWnd* f = main->GetNextDescendant(index, 11); f != NULL; f = main->GetNextDescendant(index, -1)) ++walked;
  EXPECT_EQ(walked, 11);

  HMENU hPopup = ::CreatePopupMenu();
  ::AppendMenu(hPopup, MF_STRING, 0xE132, _T("&Cascade"));
  CCoolMenu* popup = CCoolMenu::FromHandle(hPopup);
  main->BuildWindowMenu(popup, 1);
  // Cascade, a separator, nine documents (the active eleventh in the ninth place), more.
  ASSERT_EQ(::GetMenuItemCount(hPopup), 12);
  auto text = [hPopup](int pos) {
    wchar_t buffer[64] = {};
    ::GetMenuStringW(hPopup, static_cast<UINT>(pos), buffer, 64, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  EXPECT_TRUE(::GetMenuState(hPopup, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(text(2), L"&1 Sales:2");
  EXPECT_EQ(text(3), L"&2 Doc 2");
  EXPECT_EQ(text(10), L"&9 Doc 11");
  EXPECT_EQ(::GetMenuItemID(hPopup, 10), static_cast<UINT>(docs[10]->GetDlgCtrlID()));
  EXPECT_TRUE(::GetMenuState(hPopup, 10, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(::GetMenuItemID(hPopup, 11), static_cast<UINT>(UI_ID_MORE_WINDOWS));
  EXPECT_EQ(text(11), L"&More Windows...");

  // Nothing changed: the menu is left as it is (an item renamed by hand stays renamed).
  ::ModifyMenuW(hPopup, 3, MF_BYPOSITION | MF_STRING, ::GetMenuItemID(hPopup, 3), L"touched");
  main->OnUpdateFrameTitle(TRUE);
  main->BuildWindowMenu(popup, 1);
  EXPECT_EQ(text(3), L"touched");
  // A document closes: the list is made again.
  docs[5]->MDIDestroy();
  main->BuildWindowMenu(popup, 1);
  EXPECT_EQ(text(3), L"&2 Doc 2");
  EXPECT_EQ(::GetMenuItemCount(hPopup), 12);  // ten documents left: still nine and more
  for (DocFrame* d : docs)
    if (d != docs[5]) d->MDIDestroy();
  // No document: no separator either.
  main->BuildWindowMenu(popup, 1);
  EXPECT_EQ(::GetMenuItemCount(hPopup), 1);
  numbered.m_bAutoDelete = FALSE;
  ::DestroyMenu(hPopup);
  main->DestroyWindow();
}

TEST_F(Frames, ToolbarContextMenuListsTheToolbars) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  CToolBar first, second;
  ASSERT_TRUE(first.Create(main, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(second.Create(main, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
  first.SetWindowText(_T("Standard"));
  second.SetWindowText(_T("Drawing"));
  CPtrArray bars;
  main->GetToolbars(bars, FALSE);
  EXPECT_EQ(bars.GetSize(), 2);
  NMHDR hdr = {first.m_hWnd, AFX_IDW_TOOLBAR, static_cast<UINT>(NM_RCLICK)};
  main->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_EQ(main->contextItems,
            (std::vector<std::wstring>{L"Standard=" + std::to_wstring(AFX_IDW_TOOLBAR),
                                       L"Drawing=" + std::to_wstring(AFX_IDW_TOOLBAR + 1)}));
  main->DestroyWindow();
}

TEST_F(Frames, DropTargetTakesOnlyDraggedToolbarCommands) {
  ASSERT_TRUE(AfxOleInit());
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  CFrameDropTarget target;
  auto effect = [&](bool command, DWORD keys) {
    COleDataSource source;
    const UINT format = command ? ::RegisterClipboardFormat(_T("DragQvCommand")) : CF_TEXT;
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 80);
    source.CacheGlobalData(static_cast<CLIPFORMAT>(format), data);
    COleDataObject object;
    object.Attach(static_cast<IDataObject*>(source.GetInterface(&IID_IDataObject)), FALSE);
    return target.OnDragEnter(main, &object, keys, CPoint(10, 10));
  };
  EXPECT_EQ(effect(true, 0), static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
  EXPECT_NE(icfDragCommand, 0u);
  EXPECT_EQ(effect(true, MK_CONTROL), static_cast<DROPEFFECT>(DROPEFFECT_COPY));
  EXPECT_EQ(effect(false, 0), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
  COleDataObject nothing;
  EXPECT_TRUE(target.OnDrop(main, &nothing, DROPEFFECT_MOVE, CPoint(0, 0)));
  main->DestroyWindow();
}

TEST_F(Frames, DocumentFramesKeepTheirSystemMenuAnswerHelpAndGiveNoTips) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  // A style change that drops the system menu is undone at the next move.
  doc->ModifyStyle(WS_SYSMENU, 0);
  doc->SetWindowPos(NULL, 5, 5, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(doc->GetStyle() & WS_SYSMENU);
  // Help: a given context as it is; the main frame's tracked item through the command centre
  // (its own number when the centre gives it no topic); nothing without a tracked item.
  EXPECT_TRUE(doc->SendMessage(WM_COMMANDHELP, 0, 4321));
  EXPECT_EQ(doc->helpData, 4321u);
  doc->helpData = 0;
  EXPECT_EQ(doc->SendMessage(WM_COMMANDHELP, 0, 0), 0);
  main->m_nIDTracking = ID_CMD_NEW;  // known, without a topic
  EXPECT_EQ(doc->SendMessage(WM_COMMANDHELP, 0, 0), 0);
  Command(ID_CMD_PRINT)->m_dwHelpID = 555;
  main->m_nIDTracking = ID_CMD_PRINT;
  EXPECT_TRUE(doc->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(doc->helpData, 555u);
  main->m_nIDTracking = 0x7777;  // unknown to the centre: its own number
  EXPECT_TRUE(doc->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(doc->helpData, 0x7777u);
  main->m_nIDTracking = 0;
  EXPECT_EQ(doc->helpData, 0x7777u);
  // Tooltips are the main frame's business: the document frame leaves the request alone.
  CToolTipCtrl tooltip;
  ASSERT_TRUE(tooltip.Create(doc));
  EXPECT_EQ(AskTip(doc, tooltip.m_hWnd, ID_CMD_PRINT), L"none");
  // The active document frame is the safe active one while it is shown.
  EXPECT_EQ(main->MDIGetSafeActive(), doc);
  doc->m_bPseudoInactive = TRUE;
  doc->ShowWindow(SW_HIDE);
  BOOL maximized = TRUE;
  EXPECT_EQ(main->MDIGetSafeActive(&maximized), nullptr);
  EXPECT_FALSE(maximized);
  main->DestroyWindow();
}

TEST_F(Frames, NoHandleLeftAfterAHundredDocuments) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  int opened = 0;
  testing_support::ExpectNoHandleLeftAfterDocuments<DocFrame>(
      main, [main, &opened]() { return NewDoc(main, ++opened % 2 != 0 ? _T("A") : _T("B")); });
  main->DestroyWindow();
  EXPECT_EQ(MainFrame::live, 0);
}

// Menu-bar mode: the frames as the host makes them outside QA mode.
class MenuBarFrames : public Frames {
 protected:
  void SetUp() override {
    Frames::SetUp();
    g_exp_bQATest = 0;
  }
  // The bar's button texts, in order.
  static std::vector<std::wstring> Buttons(CMenuToolBar* bar) {
    std::vector<std::wstring> out;
    const int count = static_cast<int>(bar->SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button = {};
      bar->SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
      wchar_t text[64] = {};
      ::SendMessageW(bar->m_hWnd, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text));
      out.push_back(text);
    }
    return out;
  }
  // A key message as the application's loop meets it: the pre-translation first.
  static void Send(HWND target, UINT message, UINT key) {
    const LPARAM data = (message == WM_KEYUP || message == WM_SYSKEYUP) ? static_cast<LPARAM>(0xC0000001) : 1;
    MSG msg = {target, message, key, data, 0, {0, 0}};
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
    PumpMessages();
  }
  // The bar sends its popups' notices to the main window.
  CWinApp app{_T("MenuBarFrames")};
};

TEST_F(MenuBarFrames, TheMenuBarReplacesTheWindowsMenuAndFollowsTheActiveDocument) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->IsMenuBarMode());
  CMenuToolBar* bar = main->Bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(::GetMenu(main->m_hWnd), (HMENU)NULL);
  // Docked at the top, showing the frame's menu; the bar is left out of the toolbars unless asked for.
  EXPECT_EQ(::GetDlgCtrlID(::GetParent(bar->m_hWnd)), AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(Buttons(bar), (std::vector<std::wstring>{L"&File", L"&Window"}));
  // Each button is as wide as its text in the bar's font, so that the texts do not overlap.
  {
    HDC dc = ::GetDC(bar->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(bar->SendMessage(WM_GETFONT)));
    const std::vector<std::wstring> texts = Buttons(bar);
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
      SIZE extent = {};
      ::GetTextExtentPoint32W(dc, texts[i].c_str() + 1, static_cast<int>(texts[i].size()) - 1, &extent);
      CRect item;
      bar->GetItemRect(i, &item);
      EXPECT_GT(item.Width(), extent.cx) << i;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(bar->m_hWnd, dc);
  }
  CPtrArray bars;
  main->GetToolbars(bars, FALSE);
  EXPECT_EQ(bars.GetSize(), 0);
  main->GetToolbars(bars, TRUE);
  EXPECT_EQ(bars.GetSize(), 1);
  // A double click floats it in a menu bar's frame (its close greyed) and docks it again; the
  // frame's other bars keep the sizable floating frame.
  CRect empty;
  bar->GetClientRect(&empty);
  const LPARAM atEnd = MAKELPARAM(empty.right - 2, empty.Height() / 2);
  bar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, atEnd);
  PumpMessages();
  auto frameOf = [](CWnd* wnd) -> CWnd* {
    for (HWND up = ::GetParent(wnd->m_hWnd); up != NULL; up = ::GetParent(up)) {
      CWnd* object = CWnd::FromHandlePermanent(up);
      if (object != NULL && object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return object;
    }
    return nullptr;
  };
  CWnd* floating = frameOf(bar);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMenuMiniDockFrameWnd)));
  EXPECT_NE(::GetMenuState(::GetSystemMenu(floating->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_FALSE(main->m_pFloatingFrameClass->IsDerivedFrom(RUNTIME_CLASS(CMenuMiniDockFrameWnd)));
  main->DockControlBar(bar, static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  PumpMessages();
  EXPECT_EQ(frameOf(bar), main);
  // A document activates: its menu goes to the bar, not to the window.
  DocFrame* north = NewDoc(main, _T("North"));
  ASSERT_NE(north, nullptr);
  PumpMessages();
  EXPECT_EQ(::GetMenu(main->m_hWnd), (HMENU)NULL);
  EXPECT_EQ(bar->GetMenu(), north->m_hMenuShared);
  EXPECT_EQ(Buttons(bar), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Window"}));
  // The bar's window menu lists the documents.
  DocFrame* south = NewDoc(main, _T("South"));
  ASSERT_NE(south, nullptr);
  PumpMessages();
  HMENU window = main->GetWindowMenuPopup(bar->GetMenu());
  ASSERT_NE(window, nullptr);
  std::vector<std::wstring> listed;
  for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
    wchar_t text[64] = {};
    ::GetMenuStringW(window, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    if (text[0] == L'&' && text[1] >= L'1' && text[1] <= L'9') listed.push_back(text);
  }
  EXPECT_EQ(listed, (std::vector<std::wstring>{L"&1 North", L"&2 South"}));
  // Maximised, the bar carries the document's system menu; restored, it lets it go.
  south->MDIMaximize();
  PumpMessages();
  EXPECT_EQ(bar->GetSysMenu(), ::GetSystemMenu(south->m_hWnd, FALSE));
  EXPECT_EQ(::GetMenu(main->m_hWnd), (HMENU)NULL);
  south->MDIRestore();
  PumpMessages();
  EXPECT_EQ(bar->GetSysMenu(), (HMENU)NULL);
  // The last document closes: the frame's own menu comes back to the bar.
  south->MDIDestroy();
  north->MDIDestroy();
  PumpMessages();
  EXPECT_EQ(Buttons(bar), (std::vector<std::wstring>{L"&File", L"&Window"}));
  EXPECT_EQ(::GetMenu(main->m_hWnd), (HMENU)NULL);
  main->DestroyWindow();
  EXPECT_EQ(MainFrame::live, 0);
}

TEST_F(MenuBarFrames, QaModeOrTheStandardMenuFlagKeepTheWindowsMenuAndMakeNoBar) {
  const struct {
    int qa;
    int standardMenu;
  } cases[] = {{1, 0}, {0, 1}, {1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "qa " << c.qa << " standard " << c.standardMenu);
    g_exp_bQATest = c.qa;
    MainFrame* main = NewMain(c.standardMenu);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->IsMenuBarMode());
    EXPECT_EQ(main->GetMenuBar(), nullptr);
    EXPECT_EQ(::GetMenu(main->m_hWnd), main->m_hInitialMenu);
    CPtrArray bars;
    main->GetToolbars(bars, TRUE);
    EXPECT_EQ(bars.GetSize(), 0);
    main->DestroyWindow();
  }
}

TEST_F(MenuBarFrames, AltAloneOrF10GiveTheBarTheFocusAndEscapeGivesItBack) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  main->SetForegroundWindow();
  PumpMessages();
  CMenuToolBar* bar = main->Bar();
  ASSERT_NE(bar, nullptr);
  const struct {
    const char* what;
    std::vector<std::pair<UINT, UINT>> in;  // to the bar
    std::vector<std::pair<UINT, UINT>> out;  // back to the document
  } cases[] = {
      {"Alt, Alt", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}, {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}},
      {"Alt, Escape", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}, {{WM_KEYDOWN, VK_ESCAPE}}},
      {"F10, Escape", {{WM_SYSKEYDOWN, VK_F10}}, {{WM_KEYDOWN, VK_ESCAPE}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    doc->SetFocus();
    ASSERT_EQ(::GetFocus(), doc->m_hWnd);
    for (const auto& k : c.in) Send(::GetFocus(), k.first, k.second);
    EXPECT_EQ(::GetFocus(), bar->m_hWnd);
    for (const auto& k : c.out) Send(::GetFocus(), k.first, k.second);
    EXPECT_EQ(::GetFocus(), doc->m_hWnd);
  }
  // Alt with another key between is not Alt alone: the focus stays.
  doc->SetFocus();
  Send(doc->m_hWnd, WM_SYSKEYDOWN, VK_MENU);
  Send(doc->m_hWnd, WM_SYSKEYDOWN, VK_SHIFT);
  Send(doc->m_hWnd, WM_SYSKEYUP, VK_MENU);
  EXPECT_EQ(::GetFocus(), doc->m_hWnd);
  // Escape elsewhere is the document's.
  Send(doc->m_hWnd, WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(::GetFocus(), doc->m_hWnd);
  main->DestroyWindow();
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(NULL, id);
  ::EndMenu();
}

// Alt+F typed for real reaches the bar through the frame's pre-translation and opens File.
TEST_F(MenuBarFrames, AltMnemonicTypedOpensTheDocumentsFilePopup) {
  MainFrame* main = NewMain();
  ASSERT_NE(main, nullptr);
  DocFrame* doc = NewDoc(main, _T("North"));
  ASSERT_NE(doc, nullptr);
  app.m_pMainWnd = main;
  main->SetForegroundWindow();
  doc->SetFocus();
  PumpMessages();
  main->popups.clear();
  const UINT_PTR timer = ::SetTimer(NULL, 0, 100, EndAnyMenu);
  testing_support::TypeChord(VK_MENU, 'F');
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_TIMER && msg.hwnd == NULL) {
      ::DispatchMessage(&msg);
      continue;
    }
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
  ::KillTimer(NULL, timer);
  PumpMessages();
  ASSERT_FALSE(main->popups.empty());
  EXPECT_EQ(main->popups.front(), ::GetSubMenu(doc->m_hMenuShared, 0));
  // Nothing went to the window's system menu, and the focus is the document's again.
  EXPECT_EQ(::GetMenu(main->m_hWnd), (HMENU)NULL);
  app.m_pMainWnd = NULL;
  main->DestroyWindow();
}


void CALLBACK NudgeHelpLoop(HWND, UINT, UINT_PTR id, DWORD) { ::KillTimer(NULL, id); }
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(NULL, id);
  testing_support::TypeKeys({VK_DOWN, VK_RETURN});
}

// Help mode in the main frame with its menu bar: Shift+F1 typed (the hot key of the help
// command on a toolbar), then a click picks a button, or the menu bar drops a menu down and
// the command chosen there is explained; the topic comes from the command centre.
class HelpFrames : public MenuBarFrames {
 protected:
  void SetUp() override {
    MenuBarFrames::SetUp();
    CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
    auto* help = new CUICustomCommand(&center, ID_CONTEXT_HELP, VK_F1, FVIRTKEY | FSHIFT, CString(_T("Help")),
                                      CString(_T("Help")), CString(_T("Help")), CString(_T("What is this?")), NULL);
    help->m_wID = ID_CONTEXT_HELP;
    ASSERT_EQ(center.AddCommand(help), 1);
    Command(ID_CMD_PRINT)->m_dwHelpID = 777;
    Command(ID_CMD_NEW)->m_dwHelpID = 4242;
    smapEffCmd.SetAt(ID_CMD_REDIRECTED, ID_CMD_PRINT);
    MakeMain();
  }
  // The main frame with a toolbar: Print, Refresh, a button redirected to Print, and Help.
  void MakeMain() {
    main = NewMain();
    ASSERT_NE(main, nullptr);
    app.m_pMainWnd = main;
    ASSERT_TRUE(tools.CreateEx(main, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 5));
    const UINT buttons[] = {ID_CMD_PRINT, ID_CMD_REFRESH, ID_CMD_REDIRECTED, ID_CONTEXT_HELP};
    ASSERT_TRUE(tools.SetButtons(buttons, 4));
    tools.CControlBar::EnableDocking(CBRS_ALIGN_ANY);
    main->DockControlBar(&tools, static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
    main->RecalcLayout();
    main->CreateAccelerators(NULL);
    main->SetForegroundWindow();
    main->SetFocus();
    PumpMessages();
  }
  void TearDown() override {
    app.m_pMainWnd = NULL;
    if (main != nullptr && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    PumpMessages();
    delete CUICommandCenter::GetCommandCenter().RemoveCommand(ID_CONTEXT_HELP);
    MenuBarFrames::TearDown();
  }
  static CPoint Centre(CToolBar& bar, int index) {
    CRect r;
    bar.GetItemRect(index, &r);
    bar.ClientToScreen(&r);
    return r.CenterPoint();
  }
  // Shift+F1 typed and the queue run as the application's loop runs it.
  void HelpWith(std::function<void()> step) {
    main->helpAct = std::move(step);
    main->helpCalls = 0;
    main->helpCursorSeen = NULL;
    ::SetTimer(NULL, 0, 1, NudgeHelpLoop);  // the help loop has a message to start from
    testing_support::TypeChord(VK_SHIFT, VK_F1);
    testing_support::PumpPreTranslated();
    PumpMessages();
    EXPECT_EQ(main->helpCursorSeen, ::LoadCursor(NULL, IDC_HELP));
    EXPECT_FALSE(main->IsInHelpMode());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
  }

  MainFrame* main = nullptr;
  CToolBar tools;
};

TEST_F(HelpFrames, AClickedButtonOpensItsCommandsTopicFromTheCommandCentre) {
  const struct {
    const char* what;
    int button;
    DWORD_PTR topic;
  } cases[] = {
      {"the command's own help id", 0, 777},
      {"no help id: the framework's command context", 1, HID_BASE_COMMAND + ID_CMD_REFRESH},
      {"a redirected button: the effective command's topic", 2, 777},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HelpWith([&] { MouseTo(Centre(tools, c.button), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); });
    EXPECT_EQ(main->helpCalls, 1);
    EXPECT_EQ(main->helpData, c.topic);
    EXPECT_EQ(main->helpCommand, static_cast<UINT>(HELP_CONTEXT));
    main->SetForegroundWindow();
    main->SetFocus();
    MouseTo(CPoint(700, 580));
    PumpMessages();
  }
  EXPECT_TRUE(g_ran.empty());
  // Escape: no help, and out of help mode the button's command runs again.
  HelpWith([&] { main->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1); });
  EXPECT_EQ(main->helpCalls, 0);
  main->SendMessage(WM_COMMAND, ID_CMD_PRINT, 0);
  EXPECT_EQ(g_ran, std::vector<UINT>{ID_CMD_PRINT});
}

TEST_F(HelpFrames, InQaModeAPressOnTheWindowsMenuOpensItAndTheChosenCommandIsExplained) {
  main->DestroyWindow();
  PumpMessages();
  g_exp_bQATest = 1;
  MakeMain();
  ASSERT_EQ(main->GetMenuBar(), nullptr);
  HMENU menu = ::GetMenu(main->m_hWnd);
  ASSERT_NE(menu, (HMENU)NULL);
  CRect file;
  ASSERT_TRUE(::GetMenuItemRect(main->m_hWnd, menu, 0, &file));
  main->popups.clear();
  const UINT_PTR guard = ::SetTimer(NULL, 0, 5000, EndAnyMenu);
  HelpWith([&] {
    ::SetTimer(NULL, 0, 100, ChooseFirstItem);
    MouseTo(file.CenterPoint(), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
  });
  ::KillTimer(NULL, guard);
  ASSERT_FALSE(main->popups.empty());
  EXPECT_EQ(main->popups.front(), ::GetSubMenu(menu, 0));
  EXPECT_EQ(main->helpCalls, 1);
  EXPECT_EQ(main->helpData, static_cast<DWORD_PTR>(4242));
  EXPECT_TRUE(g_ran.empty());
}

TEST_F(HelpFrames, APressOnTheMenuBarDropsItsMenuAndTheChosenCommandIsExplained) {
  CMenuToolBar* bar = main->Bar();
  ASSERT_NE(bar, nullptr);
  main->popups.clear();
  const UINT_PTR guard = ::SetTimer(NULL, 0, 5000, EndAnyMenu);
  HelpWith([&] {
    ::SetTimer(NULL, 0, 100, ChooseFirstItem);
    MouseTo(Centre(*bar, 0), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
  });
  ::KillTimer(NULL, guard);
  // File dropped down; New was chosen, explained, not run.
  ASSERT_FALSE(main->popups.empty());
  EXPECT_EQ(main->popups.front(), ::GetSubMenu(main->m_hDefaultFrameMenu, 0));
  EXPECT_EQ(main->helpCalls, 1);
  EXPECT_EQ(main->helpData, static_cast<DWORD_PTR>(4242));
  EXPECT_TRUE(g_ran.empty());
}

}  // namespace
