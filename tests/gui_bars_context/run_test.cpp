// Context menus shown for real: tracked by the system, looked at while open and ended by keys
// sent from a timer inside the menu's modal loop.
#include <functional>
#include <string>
#include <vector>

#include <dib_canvas.h>
#include <handle_counts.h>
#include <test_support.h>

#include <GUIView.h>
#include <QvView.h>
#include <brevin.h>

#include "contextmenu_test.h"

using namespace ctxmenu_test;

namespace {

// One live item as the system holds it while the menu is open.
struct LiveItem {
  UINT id;
  UINT type, state;
  int subItems;  // -1 when the item opens no popup
};

std::vector<LiveItem> Live(HMENU menu) {
  std::vector<LiveItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    items.push_back({mii.wID, mii.fType, mii.fState, mii.hSubMenu ? GetMenuItemCount(mii.hSubMenu) : -1});
  }
  return items;
}

BOOL CALLBACK FindContextWindow(HWND hwnd, LPARAM out) {
  wchar_t title[32] = {};
  GetWindowTextW(hwnd, title, 32);
  if (wcscmp(title, L"MenuWindow") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}

// The hidden window that owns the open context menu.
HWND ContextWindow() {
  HWND found = NULL;
  EnumThreadWindows(GetCurrentThreadId(), FindContextWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// What the next menu loop does: once it runs, `look` sees the open menu, then the keys are
// typed. A later timer ends any menu still open, so that a failing test cannot hang.
struct Script {
  QvContextMenu* menu = nullptr;
  std::function<void(HMENU)> look;
  std::vector<WORD> keys;
  int ticks = 0;
  RECT shownAt = {-1, -1, -1, -1};  // the menu window seen by the first tick, if any
};
Script s_script;

// The system's visible popup-menu window of this thread.
BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}
HWND MenuWindow() {
  HWND found = NULL;
  EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  ++s_script.ticks;
  if (HWND shown = MenuWindow()) GetWindowRect(shown, &s_script.shownAt);
  if (s_script.look) s_script.look(s_script.menu->GetPopup().GetSafeHmenu());
  testing_support::TypeKeys(s_script.keys);
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  EndMenu();
}

// The thread's main window: visible and in front (so that the typed keys reach this thread);
// it records the commands it receives and answers the update probe of command 100 (checked,
// renamed).
class MainWindow : public CWnd {
 public:
  std::vector<UINT> commands;
  int posted = 0;
  BOOL Make() {
    if (!CreateEx(0, NULL, _T("context menu host"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, NULL, NULL))
      return FALSE;
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    return TRUE;
  }
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override {
    if (code == static_cast<int>(CN_UPDATE_COMMAND_UI) && id == 100 && extra) {
      static_cast<CCmdUI*>(extra)->SetCheck(1);
      static_cast<CCmdUI*>(extra)->SetText(_T("Opened"));
      return TRUE;
    }
    return CWnd::OnCmdMsg(id, code, extra, info);
  }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP + 1) ++posted;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ContextMenuRun : public ContextMenuTest {
 protected:
  void SetUp() override {
    ContextMenuTest::SetUp();
    ASSERT_TRUE(main.Make());
    app.m_pMainWnd = &main;
  }
  void TearDown() override {
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
    ContextMenuTest::TearDown();
  }
  // Runs the menu at a screen point (or a view's point) with the script; answers Run's result.
  long RunWith(QvContextMenu& menu, std::vector<WORD> keys, std::function<void(HMENU)> look = nullptr,
               POINT at = POINT{150, 150}) {
    s_script = Script();
    s_script.menu = &menu;
    s_script.look = std::move(look);
    s_script.keys = std::move(keys);
    UINT_PTR tick = SetTimer(NULL, 0, 50, Tick);
    UINT_PTR end = SetTimer(NULL, 0, 5000, EndAnyMenu);
    long result = menu.Run(at.x, at.y);
    KillTimer(NULL, tick);
    KillTimer(NULL, end);
    return result;
  }
  CWinApp app{_T("contextmenu")};
  MainWindow main;
};

TEST_F(ContextMenuRun, EscapeAnswersNothingAndEnterTheSelectedItem) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("First"), -1, nullptr);
  menu.AddSuccessor(QvString("Second"), -1, nullptr);
  EXPECT_EQ(RunWith(menu, {VK_ESCAPE}), -1);
  EXPECT_EQ(s_script.ticks, 1);
  // The same menu runs again.
  EXPECT_EQ(RunWith(menu, {VK_DOWN, VK_RETURN}), 0);
  EXPECT_EQ(s_script.ticks, 1);
  EXPECT_EQ(RunWith(menu, {VK_DOWN, VK_DOWN, VK_RETURN}), 1);
  // The choice comes from the menu: the main window received no command for it.
  EXPECT_TRUE(main.commands.empty());
}

TEST_F(ContextMenuRun, ChoiceIsKeptWhileOtherMessagesArrive) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("First"), -1, nullptr);
  HWND host = main.GetSafeHwnd();
  long result = RunWith(menu, {VK_DOWN, VK_RETURN}, [host](HMENU) { PostMessage(host, WM_APP + 1, 0, 0); });
  EXPECT_EQ(result, 0);
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(main.posted, 1);  // delivered once, not swallowed by the menu's wait
  EXPECT_TRUE(main.commands.empty());
}

TEST_F(ContextMenuRun, LiveMenuSkipsHiddenItemsAndRedundantSeparators) {
  QvContextMenu menu;
  menu.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr);  // 0: a first separator
  menu.AddSuccessorByCmd(100, -1, nullptr);                         // 1: Open
  menu.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr);  // 2, 3: two in a row
  menu.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr);
  long hidden = menu.AddSuccessorByCmd(102, -1, nullptr);           // 4: hidden, with a child
  ASSERT_EQ(hidden, 4);
  menu.AddDescendant(QvString("Child of hidden"), hidden, nullptr);  // 5
  long popup = menu.AddSuccessor(QvString("Popup"), -1, nullptr);   // 6: all its children hidden
  menu.AddDescendantByCmd(102, popup, nullptr);                     // 7
  long checked = menu.AddSuccessor(QvString("Checked"), -1, nullptr);     // 8
  long disabled = menu.AddSuccessor(QvString("Disabled"), -1, nullptr);   // 9
  menu.AddSuccessorByCmd(101, -1, nullptr);                              // 10: rights 2
  menu.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr);        // 11: a last separator
  menu.CheckItem(checked, true);
  menu.EnableItem(disabled, false);

  std::vector<LiveItem> live;
  EXPECT_EQ(RunWith(menu, {VK_ESCAPE}, [&live](HMENU m) { live = Live(m); }), -1);
  ASSERT_EQ(live.size(), 6u);
  // Ids are the item indexes plus one; items are owner-drawn, separators the system's.
  EXPECT_EQ(live[0].id, 2u);
  EXPECT_TRUE(live[0].type & MFT_OWNERDRAW);
  EXPECT_TRUE(live[0].state & MFS_CHECKED);  // the update probe of the main window checked it
  EXPECT_TRUE(live[1].type & MFT_SEPARATOR);
  EXPECT_EQ(live[2].subItems, 0);            // an empty popup still shows
  EXPECT_TRUE(live[2].type & MFT_OWNERDRAW);
  EXPECT_EQ(live[3].id, 9u);
  EXPECT_TRUE(live[3].state & MFS_CHECKED);
  EXPECT_EQ(live[4].id, 10u);
  EXPECT_TRUE(live[4].state & MFS_DISABLED);
  EXPECT_EQ(live[5].id, 11u);
  EXPECT_TRUE(live[5].state & MFS_DISABLED);  // the rights disabled it
}

TEST_F(ContextMenuRun, MnemonicsChooseAndRepeatedOnesAreDropped) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("&Copy"), -1, nullptr);
  menu.AddSuccessor(QvString("&Cut"), -1, nullptr);
  menu.AddSuccessorByCmd(104, -1, nullptr);  // &Print
  menu.AddSuccessor(QvString("Fish && &chips"), -1, nullptr);
  EXPECT_EQ(RunWith(menu, {'P'}), 2);
  EXPECT_EQ(*menu.GetItemText(0), "&Copy");
  EXPECT_EQ(*menu.GetItemText(1), "Cut");              // the letter was taken: for good
  EXPECT_EQ(*menu.GetItemText(3), "Fish && chips");    // c again (a written && is no mnemonic)
  EXPECT_EQ(RunWith(menu, {'C'}), 0);

  // On a double-byte user interface the texts are left as they are.
  const unsigned char dbcs = gOrgInfo.GetOrgDBCS();
  gOrgInfo.SetOrgDBCS(1);
  QvContextMenu farEast;
  farEast.AddSuccessor(QvString("&Copy"), -1, nullptr);
  farEast.AddSuccessor(QvString("&Cut"), -1, nullptr);
  RunWith(farEast, {VK_ESCAPE});
  gOrgInfo.SetOrgDBCS(dbcs);
  EXPECT_EQ(*farEast.GetItemText(1), "&Cut");
}

TEST_F(ContextMenuRun, CommandsSentToTheMenuWindow) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("First"), -1, nullptr);
  // The window list's commands go on to the main window; any other is the choice.
  EXPECT_EQ(RunWith(menu, {VK_ESCAPE},
                    [](HMENU) {
                      SendMessage(ContextWindow(), WM_COMMAND, 0xE211, 0);
                      SendMessage(ContextWindow(), WM_COMMAND, 4, 0);
                    }),
            3);
  EXPECT_EQ(main.commands, std::vector<UINT>{0xE211});
}

TEST_F(ContextMenuRun, RunsLeaveNoWindowsMenusOrGdiObjects) {
  auto twoRuns = [this] {
    QvContextMenu menu;
    long popup = menu.AddSuccessor(QvString("Popup"), -1, nullptr);
    menu.CheckItem(menu.AddDescendant(QvString("Inner"), popup, nullptr), true);
    menu.AddSuccessor(QvString("Outer"), -1, nullptr);
    EXPECT_EQ(RunWith(menu, {VK_DOWN, VK_RIGHT, VK_RETURN}), 1);  // through the popup
    EXPECT_EQ(RunWith(menu, {VK_ESCAPE}), -1);
  };
  twoRuns();  // (the system keeps what it makes for the first popup it opens: arrows, windows)
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  twoRuns();
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

TEST_F(ContextMenuRun, RenamedCommandItemStillAnswersItsIndex) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("Other"), -1, nullptr);
  menu.AddSuccessorByCmd(100, -1, nullptr);  // renamed "Opened" by the update probe
  EXPECT_EQ(RunWith(menu, {VK_DOWN, VK_DOWN, VK_RETURN}), 1);
  EXPECT_EQ(menu.GetCommandID(1), 100);
}

// Not shown: no menu loop ran (its timer never ticked) and no menu window appeared.
TEST_F(ContextMenuRun, AMenuWithoutVisibleItemsIsNotShown) {
  QvContextMenu empty;
  EXPECT_EQ(RunWith(empty, {VK_ESCAPE}), -1);
  EXPECT_EQ(s_script.ticks, 0);
  EXPECT_EQ(s_script.shownAt.left, -1);
  QvContextMenu hiddenOnly;
  hiddenOnly.AddSuccessorByCmd(102, -1, nullptr);
  hiddenOnly.AddSuccessor(static_cast<QvString*>(nullptr), -1, nullptr);
  EXPECT_EQ(RunWith(hiddenOnly, {VK_ESCAPE}), -1);
  EXPECT_EQ(s_script.ticks, 0);
  EXPECT_EQ(s_script.shownAt.left, -1);
  // A visible item: the same checks see the menu.
  QvContextMenu shown;
  shown.AddSuccessor(QvString("Shown"), -1, nullptr);
  EXPECT_EQ(RunWith(shown, {VK_ESCAPE}), -1);
  EXPECT_EQ(s_script.ticks, 1);
  EXPECT_EQ(s_script.shownAt.left, 150);
  EXPECT_EQ(s_script.shownAt.top, 150);
}

// A menu made for a view shows at a point of the view's document: with the view zoomed and
// scrolled, the image point lands where the view shows it on the screen.
TEST_F(ContextMenuRun, MenuOfAViewShowsAtADocumentPoint) {
  QvView* view = new QvView(nullptr, false);
  CGUIView* window = new CGUIView;
  ASSERT_TRUE(window->Create(view, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(10, 20, 210, 170), &main, 1));
  view->SetImageSize(QvSize(2000, 2000), false);
  view->SetZoomFactor(2, 1);
  view->ScrollBy(QvSize(15, 5), true);
  QvContextMenu menu(view);
  menu.AddSuccessor(QvString("First"), -1, nullptr);
  menu.AddSuccessor(QvString("Second"), -1, nullptr);
  EXPECT_EQ(RunWith(menu, {VK_DOWN, VK_DOWN, VK_RETURN}, nullptr, POINT{40, 30}), 1);
  POINT expected = {(40 - 15) * 2, (30 - 5) * 2};  // image point less the scroll, zoomed
  ::ClientToScreen(window->m_hWnd, &expected);
  EXPECT_EQ(s_script.shownAt.left, expected.x);
  EXPECT_EQ(s_script.shownAt.top, expected.y);
  window->DestroyWindow();
}

// What one item looks like when its owner draws it into a canvas.
struct Drawn {
  COLORREF at[2];  // the pixels at (1, 1), the image box's edge, and (30, 1), the text area
  int menuText, grayText, highlight, highlightText, hilight;
  UINT width, height;
};

Drawn DrawItem(HWND owner, HMENU menu, int position, UINT state) {
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_DATA;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii);
  MEASUREITEMSTRUCT mis = {ODT_MENU, 0, mii.wID, 0, 0, mii.dwItemData};
  SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  testing_support::DibCanvas canvas(200, 30, RGB(1, 2, 3));
  DRAWITEMSTRUCT dis = {ODT_MENU, 0, mii.wID, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(menu), canvas.dc(),
                        {0, 0, 200, 20}, mii.dwItemData};
  SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  GdiFlush();
  const RECT all = {0, 0, 200, 20};
  return Drawn{{canvas.At(1, 1), canvas.At(30, 1)},
               canvas.CountOf(GetSysColor(COLOR_MENUTEXT), all),
               canvas.CountOf(GetSysColor(COLOR_GRAYTEXT), all),
               canvas.CountOf(GetSysColor(COLOR_HIGHLIGHT), all),
               canvas.CountOf(GetSysColor(COLOR_HIGHLIGHTTEXT), all),
               canvas.CountOf(GetSysColor(COLOR_3DHILIGHT), all),
               mis.itemWidth,
               mis.itemHeight};
}

TEST_F(ContextMenuRun, ItemsAreDrawnInTheLookOfTheLibrarysMenus) {
  QvContextMenu menu;
  menu.AddSuccessor(QvString("Plain item"), -1, nullptr);
  menu.CheckItem(menu.AddSuccessor(QvString("Checked item"), -1, nullptr), true);
  menu.EnableItem(menu.AddSuccessor(QvString("Disabled item"), -1, nullptr), false);
  std::vector<Drawn> drawn;
  const int gdi = testing_support::GdiObjectCount();
  RunWith(menu, {VK_ESCAPE}, [&drawn](HMENU m) {
    HWND owner = ContextWindow();
    ASSERT_NE(owner, nullptr);
    drawn.push_back(DrawItem(owner, m, 0, 0));
    drawn.push_back(DrawItem(owner, m, 0, ODS_SELECTED));
    drawn.push_back(DrawItem(owner, m, 1, ODS_CHECKED));
    drawn.push_back(DrawItem(owner, m, 2, ODS_DISABLED | ODS_GRAYED));
  });
  EXPECT_EQ(testing_support::GdiObjectCount(), gdi);  // the run's font and brush are gone
  ASSERT_EQ(drawn.size(), 4u);
  // Measured to fit the text, at least a menu line high.
  EXPECT_GT(drawn[0].width, 40u);
  EXPECT_GE(drawn[0].height, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)));
  // Plain: menu background, menu text.
  EXPECT_EQ(drawn[0].at[1], GetSysColor(COLOR_MENU));
  EXPECT_GT(drawn[0].menuText, 20);
  // Selected: the highlight behind highlight text.
  EXPECT_EQ(drawn[1].at[1], GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_GT(drawn[1].highlightText, 20);
  // Checked: the sunken image box (its top-left edge in shadow) with the mark inside.
  EXPECT_EQ(drawn[2].at[0], GetSysColor(COLOR_3DSHADOW));
  EXPECT_GT(drawn[2].menuText, drawn[0].menuText);
  // Disabled: grey text over its light embossing.
  EXPECT_GT(drawn[3].grayText, 20);
  EXPECT_EQ(drawn[3].menuText, 0);
}

}  // namespace
