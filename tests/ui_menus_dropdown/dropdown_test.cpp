// The drop-down menus of toolbar buttons, tracked for real: keys typed from a timer inside the
// menu's loop choose an item, whose command reaches the main window first.
#include <gtest/gtest.h>

#include <UICustToolBar.h>
#include <framework.h>

#include <vector>

namespace {

const UINT kRun = 4242;

void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  INPUT keys[4] = {};
  const WORD vk[2] = {VK_DOWN, VK_RETURN};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = vk[i / 2];
    keys[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  EndMenu();
}

class MainFrame : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  std::vector<HMENU> popups;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam == 0 && LOWORD(wParam) == kRun) {
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

class MenuBar : public CCustToolBar {
 public:
  using CCustToolBar::InsertMenuButton;
  int ownCommands = 0;

 protected:
  afx_msg void OnRun() { ++ownCommands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuBar, CCustToolBar)
  ON_COMMAND(kRun, &MenuBar::OnRun)
END_MESSAGE_MAP()

TEST(ToolBarDropDown, AChosenItemReachesTheMainWindowFirst) {
  CWinApp app(_T("ToolbarMenus"));
  auto* frame = new MainFrame;
  ASSERT_TRUE(frame->Create(NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 300)));
  app.m_pMainWnd = frame;
  ::SetForegroundWindow(frame->m_hWnd);
  MenuBar bar;
  ASSERT_EQ(bar.Create(frame, AFX_IDW_TOOLBAR, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP), 1);
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenu(menu, MF_STRING, kRun, _T("Run"));
  ASSERT_EQ(bar.InsertMenuButton(0, menu, _T("File")), 1);
  frame->RecalcLayout();
  const UINT button = bar.GetItemID(0);

  const UINT_PTR choose = SetTimer(NULL, 0, 50, ChooseFirstItem);
  const UINT_PTR end = SetTimer(NULL, 0, 5000, EndAnyMenu);
  bar.DoMenu(static_cast<int>(button));
  KillTimer(NULL, choose);
  KillTimer(NULL, end);
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);

  EXPECT_EQ(frame->commands, std::vector<UINT>{kRun});  // the main window took it
  EXPECT_EQ(bar.ownCommands, 0);
  ASSERT_FALSE(frame->popups.empty());  // the popup's opening was told to the main window
  EXPECT_EQ(frame->popups.front(), menu);
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONPRESSED, button));  // the button is given back

  bar.DestroyWindow();
  ::DestroyMenu(menu);
  frame->DestroyWindow();
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
