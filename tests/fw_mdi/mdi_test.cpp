// MDI frames: the main frame from its resources with its client, document frames made and
// activated through the client, the menu of the active document frame with the window list,
// commands and keys that reach the active document frame first, titles, help contexts, the
// modal state, and no handle left over after many documents.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_dock.h>
#include <fw_mdi.h>

#include <string>
#include <vector>

#include "fwmdi_ids.h"
#include "handle_counts.h"
#include "mdi_fixture.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::ExpectedMsg;
using testing_support::kOptional;
using testing_support::kLparam;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::PumpMessages;
using testing_support::Recorder;

namespace {

std::vector<std::string> g_handled;

class MainFrame : public CMDIFrameWnd {
 public:
  DWORD_PTR helpContext = 0;
  void WinHelp(DWORD_PTR dwData, UINT) override { helpContext = dwData; }
  afx_msg void OnAbout() { g_handled.push_back("main about"); }
  afx_msg void OnRefresh() { g_handled.push_back("main refresh"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainFrame, CMDIFrameWnd)
  ON_COMMAND(ID_TEST_ABOUT, &MainFrame::OnAbout)
  ON_COMMAND(ID_TEST_REFRESH, &MainFrame::OnRefresh)
END_MESSAGE_MAP()

class DocFrame : public CMDIChildWnd {
 public:
  static int live;
  DocFrame() { ++live; }
  ~DocFrame() override { --live; }
  CDocument* doc = nullptr;
  CDocument* GetActiveDocument() override { return doc; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    Recorder().Record(m_hWnd, message, wParam, lParam);
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
  }
  afx_msg void OnRefresh() { g_handled.push_back("doc refresh"); }
  afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateRefresh(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DocFrame, CMDIChildWnd)
  ON_COMMAND(ID_TEST_REFRESH, &DocFrame::OnRefresh)
  ON_UPDATE_COMMAND_UI(ID_TEST_LOCKED, &DocFrame::OnUpdateLocked)
  ON_UPDATE_COMMAND_UI(ID_TEST_REFRESH, &DocFrame::OnUpdateRefresh)
END_MESSAGE_MAP()
int DocFrame::live = 0;

// Main frame loaded from IDR_MAINFRAME; the frame deletes itself when destroyed.
MainFrame* NewMainFrame() { return testing_support::LoadShownMainFrame(new MainFrame, IDR_MAINFRAME, 640, 480); }

DocFrame* NewDocFrame(MainFrame* main, LPCTSTR title = NULL) {
  return testing_support::OpenDocFrame<DocFrame>(main, IDR_DOCFRAME, title);
}

std::wstring ItemText(HMENU menu, int pos) {
  wchar_t text[128] = {};
  ::GetMenuStringW(menu, static_cast<UINT>(pos), text, 128, MF_BYPOSITION);
  return text;
}

std::wstring Text(CWnd* wnd) {
  wchar_t text[256] = {};
  ::GetWindowTextW(wnd->m_hWnd, text, 256);
  return text;
}

TEST(MdiFrame, LoadsMenuTitleAndAcceleratorsAndMakesItsClient) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  EXPECT_NE(main->m_hWndMDIClient, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(main->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(::GetMenu(main->m_hWnd), main->m_hMenuDefault);
  EXPECT_NE(main->m_hAccelTable, nullptr);
  EXPECT_EQ(Text(main), L"Reports");
  // The window popup is the one with the window commands.
  EXPECT_EQ(main->GetWindowMenuPopup(main->m_hMenuDefault), ::GetSubMenu(main->m_hMenuDefault, 1));
  // The client fills the frame's client area (no bars).
  CRect client, pane;
  main->GetClientRect(&client);
  ::GetWindowRect(main->m_hWndMDIClient, &pane);
  main->ScreenToClient(&pane);
  EXPECT_EQ(pane, client);
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(main->GetActiveFrame(), main);
  main->DestroyWindow();
}

TEST(MdiFrame, ActiveDocumentFrameShowsItsMenuAndIsListedInTheWindowMenu) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  DocFrame* first = NewDocFrame(main, _T("North"));
  ASSERT_NE(first, nullptr);
  DocFrame* second = NewDocFrame(main, _T("South"));
  ASSERT_NE(second, nullptr);
  PumpMessages();

  BOOL maximized = TRUE;
  EXPECT_EQ(main->MDIGetActive(&maximized), second);
  EXPECT_FALSE(maximized);
  EXPECT_EQ(main->GetActiveFrame(), second);
  HMENU shown = ::GetMenu(main->m_hWnd);
  EXPECT_EQ(shown, second->m_hMenuShared);
  // The window popup of the document menu lists both frames after a separator, the active one
  // checked, with ids from the first child id.
  HMENU window = ::GetSubMenu(shown, 2);
  ASSERT_EQ(::GetMenuItemCount(window), 5);
  EXPECT_EQ(ItemText(window, 3), L"&1 North");
  EXPECT_EQ(ItemText(window, 4), L"&2 South");
  EXPECT_EQ(::GetMenuItemID(window, 3), AFX_IDM_FIRST_MDICHILD);
  EXPECT_EQ(::GetMenuState(window, 4, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

  // Activating the first through the client (MDIActivate, the second active, both shown and
  // restored): the first comes to the top, the second's caption turns inactive and it is told
  // it loses the activation, then the first's caption turns active and it is told it gains it
  // (WM_MDIACTIVATE: wParam the frame losing, lParam the frame gaining). Painting and caption
  // texts are left out.
  const LPARAM gaining = reinterpret_cast<LPARAM>(first->m_hWnd);
  const ExpectedMsg kActivateFirst[] = {
      {WM_WINDOWPOSCHANGING, kSent, 0, 0},                  // first: to the top
      {WM_CHILDACTIVATE, kSent, 0, 0},                      // first
      {WM_NCACTIVATE, kSent | kWparam, FALSE, 0},           // second
      {WM_MDIACTIVATE, kSent | kLparam, 0, gaining},        // second: losing
      {WM_WINDOWPOSCHANGING, kSent | kOptional, 0, 0},      // first: again, when the system repeats it
      {WM_NCACTIVATE, kSent | kWparam | kOptional, TRUE, 0},  // first: only while the main frame is active
      {WM_KILLFOCUS, kSent | kOptional, 0, 0},              // second: only while the main frame is active
      {WM_SETFOCUS, kSent | kOptional, 0, 0},               // first: the same
      {WM_MDIACTIVATE, kSent | kLparam, 0, gaining},        // first: gaining
      {WM_WINDOWPOSCHANGED, kSent, 0, 0},                   // first
      {WM_NCACTIVATE, kSent | kWparam | kOptional, TRUE, 0},  // first: when the main frame turns active only now
      {WM_SETFOCUS, kSent | kOptional, 0, 0},               // first: the same
      {0, 0, 0, 0},
  };
  for (UINT noise : {WM_GETTEXT, WM_GETTEXTLENGTH, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}) Recorder().Ignore(noise);
  Recorder().Reset();
  Recorder().Watch(first->m_hWnd);
  Recorder().Watch(second->m_hWnd);
  main->MDIActivate(first);
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kActivateFirst));
  for (UINT noise : {WM_GETTEXT, WM_GETTEXTLENGTH, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}) Recorder().Unignore(noise);
  Recorder().UnwatchAll();
  EXPECT_EQ(main->MDIGetActive(), first);

  // A window list item activates its frame (through the main frame's commands).
  main->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1, 0);
  EXPECT_EQ(main->MDIGetActive(), second);

  // Closing both: the main frame's own menu comes back.
  second->MDIDestroy();
  EXPECT_EQ(main->MDIGetActive(), first);
  EXPECT_EQ(::GetMenu(main->m_hWnd), first->m_hMenuShared);
  first->MDIDestroy();
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(::GetMenu(main->m_hWnd), main->m_hMenuDefault);
  EXPECT_EQ(DocFrame::live, 0);
  main->DestroyWindow();
}

TEST(MdiFrame, CommandsAndKeysReachTheActiveDocumentFrameFirst) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  // Without a document frame, the main frame's handler runs.
  g_handled.clear();
  main->SendMessage(WM_COMMAND, ID_TEST_REFRESH, 0);
  DocFrame* doc = NewDocFrame(main);
  ASSERT_NE(doc, nullptr);
  main->SendMessage(WM_COMMAND, ID_TEST_REFRESH, 0);  // the document frame's handler
  main->SendMessage(WM_COMMAND, ID_TEST_ABOUT, 0);    // only the main frame has one
  main->SendMessage(WM_COMMAND, ID_TEST_LOCKED, 0);   // disabled by its update handler: not run
  EXPECT_EQ(g_handled, (std::vector<std::string>{"main refresh", "doc refresh", "main about"}));

  // Keys: F5 is the document frame's accelerator, F2 the main frame's; both are translated
  // for the main frame whatever window has the focus.
  g_handled.clear();
  for (UINT key : {VK_F5, VK_F2, VK_F7}) {
    MSG msg = {doc->m_hWnd, WM_KEYDOWN, key, 1, 0, {0, 0}};
    BOOL translated = CWnd::WalkPreTranslateTree(main->m_hWnd, &msg);
    EXPECT_EQ(translated != FALSE, key != VK_F7) << key;
  }
  PumpMessages();
  EXPECT_EQ(g_handled, (std::vector<std::string>{"doc refresh", "main about"}));

  // Update probes of a popup come from the active document frame's handlers.
  HMENU edit = ::GetSubMenu(::GetMenu(main->m_hWnd), 1);
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(::GetMenuState(edit, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(::GetMenuState(edit, 1, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  main->DestroyWindow();
  EXPECT_EQ(DocFrame::live, 0);
}

TEST(MdiFrame, TitlesCarryTheDocumentAndItsWindowNumber) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  DocFrame* doc = NewDocFrame(main);
  ASSERT_NE(doc, nullptr);
  CDocument document;
  document.SetTitle(_T("Sales"));
  doc->doc = &document;
  doc->m_nWindow = 2;
  doc->OnUpdateFrameTitle(TRUE);
  EXPECT_EQ(Text(doc), L"Sales:2");
  EXPECT_EQ(Text(main), L"Reports - Sales:2");
  // Maximised, the system shows the document in brackets: once, not after our own.
  doc->MDIMaximize();
  EXPECT_EQ(Text(main), L"Reports - [Sales:2]");
  doc->MDIRestore();
  EXPECT_EQ(Text(main), L"Reports - Sales:2");
  // Without FWS_ADDTOTITLE the document frame keeps its own title.
  doc->ModifyStyle(FWS_ADDTOTITLE, 0);
  doc->OnUpdateFrameTitle(TRUE);
  EXPECT_EQ(Text(doc), L"Report");
  doc->doc = nullptr;
  main->DestroyWindow();
}

TEST(MdiFrame, HelpContextOfTheTrackedItemOrOfTheActiveDocumentFrame) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  // No document frame, nothing tracked: the main frame's own context.
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpContext, HID_BASE_RESOURCE + IDR_MAINFRAME);
  DocFrame* doc = NewDocFrame(main);
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpContext, HID_BASE_RESOURCE + IDR_DOCFRAME);
  // A tracked menu item (WM_MENUSELECT) gives its command's context.
  HMENU edit = ::GetSubMenu(::GetMenu(main->m_hWnd), 1);
  main->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_REFRESH, MF_HILITE), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(main->m_nIDTracking, static_cast<UINT>(ID_TEST_REFRESH));
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 0));
  EXPECT_EQ(main->helpContext, HID_BASE_COMMAND + ID_TEST_REFRESH);
  // The menu closes: nothing tracked. A given context is used as it is.
  main->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(main->m_nIDTracking, 0u);
  EXPECT_TRUE(main->SendMessage(WM_COMMANDHELP, 0, 1234));
  EXPECT_EQ(main->helpContext, 1234u);
  main->DestroyWindow();
}

TEST(MdiFrame, ModalStateDisablesTheFrameAndItsOwnedWindowsAndNests) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  auto* mini = new CMiniFrameWnd;
  ASSERT_TRUE(mini->CreateEx(0, NULL, _T("Tools"), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                             CRect(10, 10, 200, 100), main));
  EXPECT_TRUE(mini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(::GetWindow(mini->m_hWnd, GW_OWNER), main->m_hWnd);
  main->BeginModalState();
  main->BeginModalState();
  EXPECT_FALSE(main->IsWindowEnabled());
  EXPECT_FALSE(mini->IsWindowEnabled());
  main->EndModalState();
  EXPECT_TRUE(main->InModalState());
  EXPECT_FALSE(main->IsWindowEnabled());
  main->EndModalState();
  EXPECT_TRUE(main->IsWindowEnabled());
  EXPECT_TRUE(mini->IsWindowEnabled());
  main->DestroyWindow();
}

TEST(MdiFrame, NoHandleLeftAfterAHundredDocuments) {
  MainFrame* main = NewMainFrame();
  ASSERT_NE(main, nullptr);
  testing_support::ExpectNoHandleLeftAfterDocuments<DocFrame>(main, [main]() { return NewDocFrame(main); });
  main->DestroyWindow();
}

}  // namespace
