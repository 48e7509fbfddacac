// The menu bar: buttons and accelerators from a frame's menu under the user's rights, the cool
// menus it owns, and the keyboard moves between its popups, tracked for real (keys typed from
// timers inside the menu loop).
#include <gtest/gtest.h>

#include <MenuToolBar.h>
#include <UICommandCenter.h>
#include <UICoolMenu.h>
#include <UISizeDialogBar.h>
#include <dib_canvas.h>
#include <framework.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "input_script.h"
#include "menubar_ids.h"
#include "test_support.h"

namespace {

// Security id 1004 hides; everything else is allowed.
DWORD Rights(DWORD id) { return id == 1004 ? UI_SECURITY_HIDDEN : UI_SECURITY_ALLOWED; }

class MainFrame : public CFrameWnd {
 public:
  std::vector<HMENU> popups;  // in the order they opened
  std::vector<UINT> commands;  // chosen menu commands

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam == 0 && LOWORD(wParam) >= ID_OPEN && LOWORD(wParam) <= ID_MERGE) {
      commands.push_back(LOWORD(wParam));
      return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
  }
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL) { popups.push_back(pPopupMenu->GetSafeHmenu()); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

class MenuBar : public CMenuToolBar {
 public:
  using CMenuToolBar::DrawNcItems;
  using CMenuToolBar::OnMenuCommand;
  bool failMenus = false;  // the menu of a button is asked for, and the host's code throws
  HMENU GetButtonMenu(int nIndex) override {
    if (failMenus) throw std::runtime_error("no menu");
    return CMenuToolBar::GetButtonMenu(nIndex);
  }
  int Hot() { return m_bSysIconHot ? -1 : static_cast<int>(SendMessage(TB_GETHOTITEM)); }
  HICON SmallIcon() const { return m_hIconSmall; }
  HICON LargeIcon() const { return m_hIconLarge; }
};

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

void TypeKey(WORD vk) {
  INPUT keys[2] = {};
  for (int i = 0; i < 2; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = vk;
    keys[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(2, keys, sizeof(INPUT));
}

// A key typed inside the first popup's loop, then the popup that follows is ended.
std::vector<WORD> s_moveKeys;
void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  EndMenu();
}
void CALLBACK TypeMoveKey(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  for (WORD key : s_moveKeys) TypeKey(key);
  SetTimer(NULL, 0, 150, EndAnyMenu);
}

// File (Open, Close), Tools (only a hidden command), an item without text, "&-" Zoom, Edit.
struct TestMenu {
  HMENU top = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU tools = CreatePopupMenu();
  HMENU blank = CreatePopupMenu();
  HMENU zoom = CreatePopupMenu();
  HMENU edit = CreatePopupMenu();
  TestMenu() {
    AppendMenuW(file, MF_STRING, ID_OPEN, L"Open");
    AppendMenuW(file, MF_STRING, ID_CLOSE, L"Close");
    AppendMenuW(tools, MF_STRING, ID_MACROS, L"Macros");
    AppendMenuW(blank, MF_STRING, ID_CLOSE, L"Close");
    AppendMenuW(zoom, MF_STRING, ID_ZOOM, L"Zoom");
    AppendMenuW(edit, MF_STRING, ID_MERGE, L"Merge");
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(blank), L"");
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom), L"&-Zoom");
    AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  }
  ~TestMenu() { DestroyMenu(top); }
};

class MenuBarTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool once = false;
    if (!once) CUICommandCenter::GetCommandCenter().Init(Rights, 0);
    once = true;
  }
  void SetUp() override {
    frame = new MainFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 600, 400)));
    app.m_pMainWnd = frame;
    ::SetForegroundWindow(frame->m_hWnd);
    bar = new MenuBar;
    ASSERT_EQ(bar->Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  }
  void Show() {
    bar->SetMenu(frame->m_hWnd, menu.top, NULL);
    frame->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    if (bar != NULL) {
      bar->DestroyWindow();
      delete bar;
    }
    if (frame != NULL) frame->DestroyWindow();
    app.m_pMainWnd = NULL;
    Pump();
  }

  CWinApp app{_T("MenuBarTest")};
  MainFrame* frame = nullptr;
  MenuBar* bar = nullptr;
  TestMenu menu;
};

std::vector<UINT> ButtonIds(CMenuToolBar& bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
  return ids;
}

std::vector<ACCEL> Accels(HACCEL table) {
  std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableW(table, NULL, 0)));
  if (!keys.empty()) CopyAcceleratorTableW(table, keys.data(), static_cast<int>(keys.size()));
  return keys;
}

TEST_F(MenuBarTest, ButtonsFollowTheMenuAndTheRights) {
  Show();
  // Tools lost its only command to the rights and the blank item has no text: no buttons.
  EXPECT_EQ(ButtonIds(*bar), (std::vector<UINT>{0xDF01, 0xDF04, 0xDF05}));
  const TCHAR* texts[] = {_T("&File"), _T("&-Zoom"), _T("&Edit")};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(bar->GetButtonText(i) == texts[i]) << i;
  EXPECT_EQ(bar->GetButtonMenu(0), menu.file);
  EXPECT_EQ(bar->GetButtonMenu(1), menu.zoom);
  // The popups are cool menus with the commands' own texts.
  WCHAR text[64] = {};
  GetMenuStringW(menu.file, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Open...\tCtrl+O");

  // Building again (the rights may have changed) gives the same buttons, not more.
  bar->UpdateFromSecurity();
  EXPECT_EQ(ButtonIds(*bar), (std::vector<UINT>{0xDF01, 0xDF04, 0xDF05}));
  bar->SetMenu(NULL, NULL, NULL);
  EXPECT_EQ(bar->GetCount(), 0);
  EXPECT_EQ(bar->GetAccelTable(), (HACCEL)NULL);
}

TEST_F(MenuBarTest, AcceleratorsAreAltWithTheMnemonicKeyAndThePopupsKeys) {
  Show();
  std::vector<ACCEL> keys = Accels(bar->GetAccelTable());
  auto find = [&](WORD cmd) -> const ACCEL* {
    for (const ACCEL& k : keys)
      if (k.cmd == cmd) return &k;
    return nullptr;
  };
  struct Case {
    WORD cmd;
    WORD key;
  } cases[] = {
      {0xDF01, 'F'},
      // "&-" is the minus key, not the virtual key of the character's code (VK_INSERT).
      {0xDF04, VK_OEM_MINUS},
      {0xDF05, 'E'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cmd);
    const ACCEL* k = find(c.cmd);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->key, c.key);
    EXPECT_EQ(k->fVirt, FVIRTKEY | FALT);  // no Shift: a mnemonic letter is typed in either case
  }
  EXPECT_EQ(find(0xDF02), nullptr);  // Tools has no button, so no key
  for (const ACCEL& k : keys) EXPECT_NE(k.key, VK_INSERT);
  const ACCEL* open = find(ID_OPEN);  // the File popup's own key
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->key, 'O');
  EXPECT_TRUE(open->fVirt & FCONTROL);
}

TEST_F(MenuBarTest, TheDestructorDeletesOnlyItsOwnCoolMenus) {
  // Another window's cool menu, made before the bar's.
  HMENU other = CreatePopupMenu();
  AppendMenuW(other, MF_STRING, ID_CLOSE, L"Close");
  CCoolMenu* foreign = CCoolMenu::FromHandle(other);
  ASSERT_NE(foreign, nullptr);
  Show();
  ASSERT_NE(CMenu::FromHandlePermanent(menu.file), nullptr);
  bar->DestroyWindow();
  delete bar;
  bar = nullptr;
  EXPECT_EQ(CMenu::FromHandlePermanent(other), foreign);  // still alive and usable
  EXPECT_TRUE(IsMenu(other));
  EXPECT_EQ(GetMenuItemCount(other), 1);
  EXPECT_EQ(CMenu::FromHandlePermanent(menu.file), nullptr);  // the bar's went with it
  EXPECT_EQ(CMenu::FromHandlePermanent(menu.edit), nullptr);
  // The popups themselves stay in the frame's menu, which destroys them with it.
  EXPECT_TRUE(IsMenu(menu.file));
  EXPECT_EQ(GetSubMenu(menu.top, 0), menu.file);
  EXPECT_EQ(GetMenuItemCount(menu.file), 2);
  delete foreign;
}

// Left and Right on the bar without a popup: the hot button moves with wrap-around.
TEST_F(MenuBarTest, ArrowsMoveTheHotButtonWithWrapAround) {
  Show();
  const struct {
    int from;
    WORD key;
    int to;
  } cases[] = {{0, VK_LEFT, 2}, {2, VK_RIGHT, 0}, {0, VK_RIGHT, 1}, {1, VK_LEFT, 0}, {-2, VK_RIGHT, 0}, {-2, VK_LEFT, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
    bar->SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(c.from < 0 ? -1 : c.from));
    bar->SendMessage(WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(bar->Hot(), c.to);
  }
  EXPECT_EQ(bar->SendMessage(WM_GETDLGCODE) & DLGC_WANTARROWS, (LRESULT)DLGC_WANTARROWS);
  // Taking the focus without a hot button makes the first one hot.
  frame->SetFocus();
  bar->SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
  bar->SetFocus();
  EXPECT_EQ(bar->Hot(), 0);
  // Escape gives the focus back to the frame.
  bar->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(GetFocus(), frame->m_hWnd);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcW(hwnd, msg, wp, lp); }

// The frame with a plain MDI client and one maximised child, then the menu bar's menu.
class MaximisedChildTest : public MenuBarTest {
 protected:
  void SetUp() override {
    MenuBarTest::SetUp();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ChildProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"MenuBarTestChild";
    wc.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    RegisterClassW(&wc);
    CLIENTCREATESTRUCT ccs = {NULL, 0xFF00};
    client = CreateWindowExW(0, L"MDICLIENT", NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 40, 400, 200,
                             frame->m_hWnd, reinterpret_cast<HMENU>(0xE900), NULL, &ccs);
    ASSERT_NE(client, (HWND)NULL);
    MDICREATESTRUCTW mcs = {L"MenuBarTestChild", L"report", GetModuleHandleW(NULL), 0, 0, 200, 100, WS_MAXIMIZE, 0};
    child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    ASSERT_NE(child, (HWND)NULL);
  }
  void TearDown() override {
    if (client != NULL) DestroyWindow(client);
    MenuBarTest::TearDown();
  }
  HWND client = NULL;
  HWND child = NULL;
};

// With a maximised MDI child the system icon is a position of its own, before the first button.
TEST_F(MaximisedChildTest, TheSystemIconIsReachedFromTheFirstButton) {
  Show();
  ASSERT_EQ(bar->GetSysMenu(), GetSystemMenu(child, FALSE));
  const struct {
    int from;
    WORD key;
    int to;
  } cases[] = {{0, VK_LEFT, -1}, {-1, VK_LEFT, 2}, {2, VK_RIGHT, -1}, {-1, VK_RIGHT, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
    if (c.from != bar->Hot()) {
      bar->SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(c.from));
      ASSERT_EQ(bar->Hot(), c.from);
    }
    bar->SendMessage(WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(bar->Hot(), c.to);
  }
  // Restored, the child's system menu leaves the bar.
  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  bar->RefreshSysMenu();
  EXPECT_EQ(bar->GetSysMenu(), (HMENU)NULL);
}

// The icon and the caption buttons take room from the client area, answer hit tests, and the
// buttons send their system commands to the child.
TEST_F(MaximisedChildTest, CaptionButtonsHitAndCommandTheChild) {
  bar->SetMenu(frame->m_hWnd, menu.top, NULL);
  frame->RecalcLayout();
  Pump();
  CRect withChild;
  bar->GetClientRect(&withChild);
  CRect window;
  bar->GetWindowRect(&window);
  const UINT hits[] = {HTSYSMENU, HTCLOSE, HTMAXBUTTON, HTMINBUTTON};
  CRect rects[4];
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(hits[i]);
    ASSERT_TRUE(bar->GetNcItemRect(hits[i], rects[i]));
    const CPoint centre = rects[i].CenterPoint() + window.TopLeft();
    EXPECT_EQ(bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), (LRESULT)hits[i]);
  }
  EXPECT_EQ(rects[1].Width(), 15);
  EXPECT_EQ(rects[1].Height(), 14);
  EXPECT_EQ(rects[2].right, rects[1].right - 17);
  EXPECT_EQ(rects[3].right, rects[1].right - 32);

  // Drawn: the icon and the three buttons cover their rectangles on a magenta surface.
  testing_support::DibCanvas canvas(window.Width(), window.Height(), RGB(255, 0, 255));
  ASSERT_TRUE(canvas.valid());
  bar->DrawNcItems(canvas.dc());
  for (int i = 0; i < 4; ++i) EXPECT_GT(canvas.CountOtherThan(RGB(255, 0, 255), rects[i]), 20) << hits[i];
  EXPECT_EQ(canvas.CountOf(RGB(255, 0, 255), rects[1]), 0);

  // Restore: the child is no longer maximised and the bar gives the room back.
  const CPoint restore = rects[2].CenterPoint() + window.TopLeft();
  bar->SendMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON, MAKELPARAM(restore.x, restore.y));
  bar->SendMessage(WM_NCLBUTTONUP, HTMAXBUTTON, MAKELPARAM(restore.x, restore.y));
  EXPECT_FALSE(IsZoomed(child));
  EXPECT_EQ(bar->GetSysMenu(), (HMENU)NULL);
  CRect without;
  bar->GetClientRect(&without);
  EXPECT_EQ(without.Width() - withChild.Width(), 68);
  CRect none;
  EXPECT_FALSE(bar->GetNcItemRect(HTCLOSE, none));

  // Maximised again, a double click on the icon closes the child.
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  bar->RefreshSysMenu();
  ASSERT_NE(bar->GetSysMenu(), (HMENU)NULL);
  bar->SendMessage(WM_NCLBUTTONDBLCLK, HTSYSMENU, 0);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(bar->GetSysMenu(), (HMENU)NULL);
}

// A mnemonic key opens its popup; an arrow typed inside the popup moves to the next one.
TEST_F(MenuBarTest, MnemonicOpensAPopupAndArrowsMoveBetweenPopups) {
  Show();
  const struct {
    WORD mnemonic;
    WORD move;
    HMENU TestMenu::*first;
    HMENU TestMenu::*second;
  } cases[] = {
      {'E', VK_RIGHT, &TestMenu::edit, &TestMenu::file},  // the last wraps to the first
      {'F', VK_LEFT, &TestMenu::file, &TestMenu::edit},   // the first wraps to the last
      {VK_OEM_MINUS, VK_RIGHT, &TestMenu::zoom, &TestMenu::edit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mnemonic);
    frame->popups.clear();
    bar->SetFocus();
    s_moveKeys = {c.move};
    SetTimer(NULL, 0, 100, TypeMoveKey);
    const UINT_PTR guard = SetTimer(NULL, 0, 5000, EndAnyMenu);
    bar->SendMessage(WM_KEYDOWN, c.mnemonic, 0);
    KillTimer(NULL, guard);
    Pump();
    EXPECT_EQ(frame->popups, (std::vector<HMENU>{menu.*c.first, menu.*c.second}));
    for (int i = 0; i < bar->GetCount(); ++i) EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONPRESSED, bar->GetItemID(i)));
  }
}

// Moving the mouse onto another button while a popup is open switches to that button's popup.
POINT s_target = {};
void CALLBACK MoveMouse(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  move.mi.dx = (s_target.x * 65536 + w / 2) / w;
  move.mi.dy = (s_target.y * 65536 + h / 2) / h;
  SendInput(1, &move, sizeof(INPUT));
  SetTimer(NULL, 0, 150, EndAnyMenu);
}

TEST_F(MenuBarTest, TheMouseOverAnotherButtonSwitchesPopups) {
  Show();
  RECT item;
  bar->GetItemRect(2, &item);
  s_target = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  bar->ClientToScreen(&s_target);
  SetCursorPos(0, 0);
  frame->popups.clear();
  SetTimer(NULL, 0, 100, MoveMouse);
  const UINT_PTR guard = SetTimer(NULL, 0, 5000, EndAnyMenu);
  bar->SendMessage(WM_COMMAND, 0xDF01, 0);  // the File button's command opens its popup
  KillTimer(NULL, guard);
  Pump();
  EXPECT_EQ(frame->popups, (std::vector<HMENU>{menu.file, menu.edit}));
}

// Down on the hot button opens its popup.
TEST_F(MenuBarTest, DownOpensTheHotButtonsPopup) {
  Show();
  bar->SendMessage(TB_SETHOTITEM, 1);
  frame->popups.clear();
  SetTimer(NULL, 0, 100, EndAnyMenu);
  bar->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(frame->popups, std::vector<HMENU>{menu.zoom});
  EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONPRESSED, 0xDF04));  // the button is given back
}

// An exception out of the popup loop (from the host's code it runs) ends the loop's tracking
// and takes its hooks away: the next popup opens, and keys typed in it still move between the
// popups through the bar's keyboard hook.
TEST_F(MenuBarTest, AnExceptionOutOfThePopupLoopLeavesLaterPopupsWorking) {
  Show();
  bar->failMenus = true;
  EXPECT_THROW(bar->OnMenuCommand(0xDF01), std::runtime_error);
  bar->failMenus = false;
  frame->popups.clear();
  bar->SetFocus();
  s_moveKeys = {VK_RIGHT};
  SetTimer(NULL, 0, 100, TypeMoveKey);
  const UINT_PTR guard = SetTimer(NULL, 0, 5000, EndAnyMenu);
  bar->SendMessage(WM_COMMAND, 0xDF01, 0);  // the File button's command opens its popup
  KillTimer(NULL, guard);
  Pump();
  EXPECT_EQ(frame->popups, (std::vector<HMENU>{menu.file, menu.zoom}));
}

// Docked, the bar spans its frame; floated, its frame cannot be closed.
TEST_F(MenuBarTest, DockedItSpansTheFrameAndFloatingItCannotBeClosed) {
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->m_pFloatingFrameClass = RUNTIME_CLASS(CMenuMiniDockFrameWnd);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar);
  Show();
  CRect client, docked;
  frame->GetClientRect(&client);
  bar->GetWindowRect(&docked);
  EXPECT_GE(docked.Width(), client.Width() - 4);  // wider than its three buttons need
  EXPECT_GT(docked.Width(), 300);

  frame->FloatControlBar(bar, CPoint(200, 200));
  Pump();
  ASSERT_TRUE(bar->IsFloating());
  auto* floating = DYNAMIC_DOWNCAST(CMenuMiniDockFrameWnd, CWnd::FromHandlePermanent(::GetParent(bar->GetParent()->m_hWnd)));
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(GetMenuState(GetSystemMenu(floating->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  // A floating frame of another bar keeps its close command.
  CCustToolBar other;
  ASSERT_EQ(other.Create(frame, AFX_IDW_TOOLBAR + 1, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  other.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&other, CPoint(300, 300));
  Pump();
  auto* plain = DYNAMIC_DOWNCAST(CMenuMiniDockFrameWnd, CWnd::FromHandlePermanent(::GetParent(other.GetParent()->m_hWnd)));
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->DisableCloseForMenuBar());
  EXPECT_FALSE(GetMenuState(GetSystemMenu(plain->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  other.DestroyWindow();
}

// Numbered items: the number enters the popup-id map, a known command's menu text names the
// button, and 257 stands for the window menu when one is given.
TEST_F(MenuBarTest, NumberedItemsAreFoundByNumberAndTheWindowMenuStandsIn) {
  HMENU top = CreateMenu();
  HMENU numbered = CreatePopupMenu();
  HMENU named = CreatePopupMenu();
  HMENU placeholder = CreatePopupMenu();
  HMENU window = CreatePopupMenu();
  AppendMenuW(numbered, MF_STRING, ID_CLOSE, L"Close");
  AppendMenuW(named, MF_STRING, ID_MERGE, L"Merge");
  AppendMenuW(placeholder, MF_STRING, ID_CLOSE, L"Close");
  AppendMenuW(window, MF_STRING, ID_ZOOM, L"Zoom");
  AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(numbered), L"77");
  AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(named), L"108");  // the Merge command's number
  AppendMenuW(top, MF_POPUP, reinterpret_cast<UINT_PTR>(placeholder), L"257");
  bar->SetMenu(frame->m_hWnd, top, window);
  ASSERT_EQ(bar->GetCount(), 3);
  unsigned short id = 0;
  ASSERT_TRUE(CCoolMenu::FindIdFromMenu(numbered, id));
  EXPECT_EQ(id, 77);
  EXPECT_TRUE(bar->GetButtonText(0) == _T("77"));
  EXPECT_TRUE(bar->GetButtonText(1) == _T("Mer&ge"));
  EXPECT_EQ(bar->GetButtonMenu(2), window);
  std::vector<ACCEL> keys = Accels(bar->GetAccelTable());
  bool merge = false;
  for (const ACCEL& k : keys) merge |= k.cmd == 0xDF02 && k.key == 'G';
  EXPECT_TRUE(merge);
  bar->SetMenu(NULL, NULL, NULL);
  DestroyMenu(top);
  DestroyMenu(window);
}

// Right on an item that opens a sub-menu opens it; it does not move to the next button.
TEST_F(MenuBarTest, RightOnASubMenuItemOpensTheSubMenu) {
  HMENU more = CreatePopupMenu();
  AppendMenuW(more, MF_STRING, ID_CLOSE, L"Close");
  AppendMenuW(menu.edit, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
  Show();
  frame->popups.clear();
  bar->SetFocus();
  s_moveKeys = {VK_DOWN, VK_DOWN, VK_RIGHT};  // Merge, then More, then into it
  SetTimer(NULL, 0, 100, TypeMoveKey);
  const UINT_PTR guard = SetTimer(NULL, 0, 5000, EndAnyMenu);
  bar->SendMessage(WM_KEYDOWN, 'E', 0);
  KillTimer(NULL, guard);
  Pump();
  EXPECT_EQ(frame->popups, (std::vector<HMENU>{menu.edit, more}));
}

// A press on the system icon opens the maximised child's system menu.
TEST_F(MaximisedChildTest, APressOnTheIconOpensTheSystemMenu) {
  Show();
  ASSERT_NE(bar->GetSysMenu(), (HMENU)NULL);
  frame->popups.clear();
  SetTimer(NULL, 0, 100, EndAnyMenu);
  bar->SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, 0);
  Pump();
  EXPECT_EQ(frame->popups, std::vector<HMENU>{GetSystemMenu(child, FALSE)});
}

// Alt+F typed for real goes through the bar's accelerators to the File popup; an item chosen
// there (Down, Return) reaches the frame.
TEST_F(MenuBarTest, AltMnemonicOpensThePopupAndTheChosenCommandReachesTheFrame) {
  Show();
  frame->popups.clear();
  frame->SetFocus();
  s_moveKeys = {VK_DOWN, VK_RETURN};
  SetTimer(NULL, 0, 100, TypeMoveKey);
  const UINT_PTR guard = SetTimer(NULL, 0, 5000, EndAnyMenu);
  INPUT keys[4] = {};
  const WORD vk[4] = {VK_MENU, 'F', 'F', VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = vk[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  // The frame's loop: the bar's table first.
  MSG msg;
  bool translated = false;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (TranslateAcceleratorW(bar->m_hWnd, bar->GetAccelTable(), &msg)) {
      translated = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  KillTimer(NULL, guard);
  Pump();
  EXPECT_TRUE(translated);
  ASSERT_FALSE(frame->popups.empty());
  EXPECT_EQ(frame->popups.front(), menu.file);
  EXPECT_EQ(frame->commands, std::vector<UINT>{ID_OPEN});
}

// The child's icon in the bar: its class's icons, else the window's own, else the program's
// first icon, which the bar then draws.
TEST_F(MaximisedChildTest, TheIconFallsBackToTheWindowsAndThenTheApplicationsIcon) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ChildProc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"MenuBarTestPlainChild";
  RegisterClassW(&wc);
  HICON own = LoadIcon(NULL, IDI_WARNING);
  HICON application = static_cast<HICON>(LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  ASSERT_NE(application, (HICON)NULL);
  Show();
  const struct {
    LPCWSTR cls;
    HICON given;  // WM_SETICON, small
    bool fromClass;
    HICON small, large;
  } cases[] = {
      {L"MenuBarTestChild", NULL, true, NULL, NULL},
      {L"MenuBarTestPlainChild", own, false, own, NULL},
      {L"MenuBarTestPlainChild", NULL, false, application, NULL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.given != NULL ? "window icon" : "no window icon"));
    MDICREATESTRUCTW mcs = {c.cls, L"more", GetModuleHandleW(NULL), 0, 0, 200, 100, WS_MAXIMIZE, 0};
    HWND made = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    ASSERT_NE(made, (HWND)NULL);
    if (c.given != NULL) SendMessageW(made, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(c.given));
    bar->RefreshSysMenu();
    ASSERT_EQ(bar->GetSysMenu(), GetSystemMenu(made, FALSE));
    if (c.fromClass) {
      EXPECT_EQ(bar->LargeIcon(), LoadIcon(NULL, IDI_APPLICATION));
      EXPECT_EQ(bar->SmallIcon(), reinterpret_cast<HICON>(GetClassLongPtrW(made, GCLP_HICONSM)));
    } else {
      EXPECT_EQ(bar->SmallIcon(), c.small);
      EXPECT_EQ(bar->LargeIcon(), c.large);
    }
    if (c.small == application) {
      // Drawn: the header band of the program's icon shows in the icon's place.
      CRect window, icon;
      bar->GetWindowRect(&window);
      ASSERT_TRUE(bar->GetNcItemRect(HTSYSMENU, icon));
      testing_support::DibCanvas canvas(window.Width(), window.Height(), RGB(1, 2, 3));
      bar->DrawNcItems(canvas.dc());
      EXPECT_GT(canvas.CountOf(RGB(0x00, 0x60, 0xC0), icon), 0);
    }
    SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(made), 0);
  }
}

// Dragged off its frame with the mouse, the bar floats in the menu bar's own frame, whose Close
// is disabled, whatever floating frame the frame gives its other bars.
TEST_F(MenuBarTest, DraggedOffItsFrameItFloatsInItsOwnFrameWithoutClose) {
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->m_pFloatingFrameClass = RUNTIME_CLASS(CSizableMiniDockFrameWnd);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  bar->CControlBar::EnableDocking(CBRS_ALIGN_ANY);  // dragged by the framework's dock context
  frame->DockControlBar(bar);
  Show();
  ASSERT_FALSE(bar->IsFloating());
  // Beside the last button, on the bar that spans the frame.
  CRect last, window;
  bar->GetItemRect(bar->GetCount() - 1, &last);
  bar->ClientToScreen(&last);
  bar->GetWindowRect(&window);
  const CPoint start((last.right + window.right) / 2, (window.top + window.bottom) / 2);
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  const CPoint end(start.x, frameRect.bottom + 80);  // below the frame
  ASSERT_LT(end.y, GetSystemMetrics(SM_CYSCREEN));
  const CPoint aside(frameRect.right - 20, frameRect.bottom - 20);
  using testing_support::MouseTo;
  testing_support::InputScript script({[=] { MouseTo(aside, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP); },
                                       [=] { MouseTo(start); },
                                       [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
                                       [=] { MouseTo(CPoint(start.x, start.y + 60)); },
                                       [=] { MouseTo(end); },
                                       [=] { MouseTo(end, MOUSEEVENTF_LEFTUP); }});
  ASSERT_TRUE(script.Run());
  ASSERT_TRUE(bar->IsFloating());
  CWnd* floating = CWnd::FromHandlePermanent(::GetParent(bar->GetParent()->m_hWnd));
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMenuMiniDockFrameWnd)));
  EXPECT_FALSE(floating->IsKindOf(RUNTIME_CLASS(CSizableMiniDockFrameWnd)));
  EXPECT_TRUE(GetMenuState(GetSystemMenu(floating->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  // The frame's other bars still float in its own floating frame.
  EXPECT_EQ(frame->m_pFloatingFrameClass, RUNTIME_CLASS(CSizableMiniDockFrameWnd));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

}  // namespace
