// The application and thread objects: accessors, profile, wait cursor, message boxes and
// help, the message pump with pre-translation and idle processing, the modal loop, idle
// update of dialog controls, tooltips and user-interface threads.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>

#include "test_support.h"

namespace {

const UINT kIdUpdated = 200, kIdNoHandler = 201, kIdAutoCheck = 202, kIdEdit = 203;

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(_T("FwwndTest")) {}
  int helpCalls = 0;
  DWORD_PTR lastHelp = 0;
  int boxes = 0;
  CString lastBox;
  int threadMessages = 0;
  void WinHelp(DWORD_PTR dwData, UINT) override {
    ++helpCalls;
    lastHelp = dwData;
  }
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    ++boxes;
    lastBox = lpszPrompt;
    return IDRETRY;
  }
  afx_msg void OnThreadPing(WPARAM w, LPARAM) { threadMessages += static_cast<int>(w); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
  ON_THREAD_MESSAGE(WM_APP + 1, &TestApp::OnThreadPing)
END_MESSAGE_MAP()

DWORD WINAPI ReadModuleState(LPVOID p) {
  *static_cast<AFX_MODULE_STATE**>(p) = AfxGetModuleState();
  return 0;
}

TEST(Application, AccessorsAndState) {
  EXPECT_EQ(AfxGetApp(), nullptr);
  {
    TestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_STREQ(AfxGetAppName(), _T("FwwndTest"));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, NULL, _T("main"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    app.m_pMainWnd = &main;
    EXPECT_EQ(AfxGetMainWnd(), &main);
    main.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);  // the main window's end clears it (and posts WM_QUIT)
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    // In the executable, the static module state is the application's; a DLL has its own,
    // with its own instance and no application object until it makes one.
    EXPECT_EQ(AfxGetStaticModuleState(), AfxGetAppModuleState());
    HMODULE dll = GetModuleHandle(_T("framework.dll"));
    AFX_MODULE_STATE* dllState = AfxGetModuleStateOf(dll);
    EXPECT_EQ(AfxGetModuleStateOf(dll), dllState);
    EXPECT_TRUE(dllState->m_bDLL);
    {
      AFX_MANAGE_STATE(dllState);
      EXPECT_EQ(AfxGetInstanceHandle(), dll);
      EXPECT_EQ(AfxGetApp(), nullptr);
      // The switch is this thread's own: another thread still runs in the application's.
      AFX_MODULE_STATE* seen = NULL;
      HANDLE other = CreateThread(NULL, 0, ReadModuleState, &seen, 0, NULL);
      ASSERT_NE(other, nullptr);
      WaitForSingleObject(other, INFINITE);
      CloseHandle(other);
      EXPECT_EQ(seen, AfxGetAppModuleState());
    }
    EXPECT_EQ(AfxGetApp(), &app);
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  EXPECT_EQ(AfxGetThread(), nullptr);
}

TEST(Application, WaitCursorNeverBelowZero) {
  TestApp app;
  HCURSOR arrow = LoadCursor(NULL, IDC_ARROW);
  SetCursor(arrow);
  app.DoWaitCursor(1);
  app.DoWaitCursor(1);
  EXPECT_EQ(app.m_nWaitCursorCount, 2);
  for (int i = 0; i < 20; ++i) app.DoWaitCursor(-1);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  app.DoWaitCursor(1);  // one level again after too many restores
  EXPECT_EQ(app.m_nWaitCursorCount, 1);
  app.DoWaitCursor(-1);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  CCmdTarget target;
  target.BeginWaitCursor();
  EXPECT_EQ(app.m_nWaitCursorCount, 1);
  target.EndWaitCursor();
  target.EndWaitCursor();
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
}

int CALLBACK AnswerNo(LPCTSTR, UINT, UINT) { return IDNO; }

TEST(Application, MessageBoxesAndHelp) {
  // Without an application, the hook answers.
  AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&AnswerNo);
  EXPECT_EQ(AfxMessageBox(_T("question"), MB_YESNO), IDNO);
  {
    // The application's DoMessageBox is used when there is one.
    TestApp app;
    EXPECT_EQ(AfxMessageBox(_T("hello"), MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(app.boxes, 1);
    EXPECT_EQ(app.lastBox, CString(_T("hello")));
    // A window's help goes to the application's WinHelp.
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, NULL, _T("w"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    w.WinHelp(301, HELP_CONTEXT);
    EXPECT_EQ(app.helpCalls, 1);
    EXPECT_EQ(app.lastHelp, 301u);
  }
  AfxSetMessageBoxHook(old);
}

// Profile.

class ProfileTest : public testing::Test {
 protected:
  void TearDown() override { RegDeleteTree(HKEY_CURRENT_USER, _T("Software\\QuarnelFwwndTests")); }
};

TEST_F(ProfileTest, RegistryRoundTrips) {
  TestApp app;
  EXPECT_EQ(app.GetProfileInt(_T("S"), _T("n"), 5), 5u);  // no key yet: defaults
  app.SetRegistryKey(_T("QuarnelFwwndTests"));
  EXPECT_STREQ(app.m_pszProfileName, _T("FwwndTest"));
  EXPECT_EQ(app.GetProfileInt(_T("S"), _T("n"), 5), 5u);
  EXPECT_TRUE(app.WriteProfileInt(_T("S"), _T("n"), -3));
  EXPECT_EQ(static_cast<int>(app.GetProfileInt(_T("S"), _T("n"), 5)), -3);
  EXPECT_TRUE(app.WriteProfileString(_T("S"), _T("text"), _T("a value")));
  EXPECT_EQ(app.GetProfileString(_T("S"), _T("text")), CString(_T("a value")));
  BYTE data[] = {0, 1, 0xFE, 0x7F};
  EXPECT_TRUE(app.WriteProfileBinary(_T("S"), _T("bin"), data, sizeof data));
  LPBYTE got = NULL;
  UINT n = 0;
  ASSERT_TRUE(app.GetProfileBinary(_T("S"), _T("bin"), &got, &n));
  ASSERT_EQ(n, sizeof data);
  EXPECT_EQ(memcmp(got, data, n), 0);
  delete[] got;
  // Wrong types answer the default or FALSE.
  EXPECT_EQ(app.GetProfileInt(_T("S"), _T("text"), 9), 9u);
  EXPECT_FALSE(app.GetProfileBinary(_T("S"), _T("text"), &got, &n));
  EXPECT_EQ(got, nullptr);
  EXPECT_EQ(app.GetProfileString(_T("S"), _T("n"), _T("dflt")), CString(_T("dflt")));
  // Deleting an entry, then the section.
  EXPECT_TRUE(app.WriteProfileString(_T("S"), _T("text"), NULL));
  EXPECT_EQ(app.GetProfileString(_T("S"), _T("text"), _T("gone")), CString(_T("gone")));
  EXPECT_TRUE(app.WriteProfileString(_T("S"), NULL, NULL));
  EXPECT_EQ(app.GetProfileInt(_T("S"), _T("n"), 11), 11u);
}

TEST_F(ProfileTest, IniFileRoundTrips) {
  TestApp app;
  std::string path = testing_support::TempPath("fwwnd_profile");
  free(const_cast<LPTSTR>(app.m_pszProfileName));
  app.m_pszProfileName = _tcsdup(CString(path.c_str()));
  EXPECT_TRUE(app.WriteProfileInt(_T("S"), _T("n"), 12));
  EXPECT_EQ(app.GetProfileInt(_T("S"), _T("n"), 0), 12u);
  CString longText(_T('x'), 3000);  // longer than the first read buffer
  EXPECT_TRUE(app.WriteProfileString(_T("S"), _T("long"), longText));
  EXPECT_EQ(app.GetProfileString(_T("S"), _T("long")), longText);
  BYTE data[] = {0xAB, 0x00, 0x10};
  EXPECT_TRUE(app.WriteProfileBinary(_T("S"), _T("bin"), data, sizeof data));
  LPBYTE got = NULL;
  UINT n = 0;
  ASSERT_TRUE(app.GetProfileBinary(_T("S"), _T("bin"), &got, &n));
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(memcmp(got, data, 3), 0);
  delete[] got;
  // Damaged binary texts are not values.
  for (LPCTSTR bad : {_T("ABC"), _T("zz"), _T("")}) {
    app.WriteProfileString(_T("S"), _T("bad"), bad);
    EXPECT_FALSE(app.GetProfileBinary(_T("S"), _T("bad"), &got, &n));
    EXPECT_EQ(n, 0u);
  }
  DeleteFileA(path.c_str());
}

// The pump.

class MainWnd : public CWnd {
 public:
  int idleUpdates = 0;
  int userMessages = 0;
  UINT swallow = 0;
  // The closing timer starts at the first idle update, so a loaded machine cannot fire it
  // before the queue has once run empty.
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    if (++idleUpdates == 1) SetTimer(1, 20, NULL);
    return 0;
  }
  afx_msg LRESULT OnUser(WPARAM, LPARAM) {
    ++userMessages;
    return 0;
  }
  BOOL PreTranslateMessage(MSG* pMsg) override { return pMsg->message == swallow; }
  afx_msg void OnTimer(UINT_PTR) {
    KillTimer(1);
    PostMessage(WM_CLOSE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainWnd, CWnd)
  ON_WM_TIMER()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &MainWnd::OnIdleUpdate)
  ON_MESSAGE(WM_USER + 5, &MainWnd::OnUser)
  ON_MESSAGE(WM_USER + 6, &MainWnd::OnUser)
END_MESSAGE_MAP()

TEST(MessagePump, RunsUntilTheMainWindowCloses) {
  TestApp app;
  MainWnd main;
  ASSERT_TRUE(main.CreateEx(0, NULL, _T("main"), WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, NULL, NULL));
  app.m_pMainWnd = &main;
  main.swallow = WM_USER + 6;
  main.PostMessage(WM_USER + 5);
  main.PostMessage(WM_USER + 6);  // taken by PreTranslateMessage, never dispatched
  app.PostThreadMessage(WM_APP + 1, 4, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(main.userMessages, 1);
  EXPECT_EQ(app.threadMessages, 4);
  EXPECT_GE(main.idleUpdates, 1);  // idle processing ran before the queue filled
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(main.m_hWnd, nullptr);
}

// The modal loop, ended from a timer.

class ModalWnd : public CWnd {
 public:
  int kicks = 0;
  afx_msg LRESULT OnKickIdle(WPARAM, LPARAM count) {
    ++kicks;
    return count < 2;  // more idle time twice, then wait for messages
  }
  afx_msg void OnTimer(UINT_PTR) {
    KillTimer(1);
    EndModalLoop(42);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ModalWnd, CWnd)
  ON_MESSAGE(WM_KICKIDLE, &ModalWnd::OnKickIdle)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalLoop, EndedFromATimer) {
  ModalWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("modal"), WS_POPUP, 0, 0, 20, 20, NULL, NULL));
  w.SetTimer(1, 10);
  EXPECT_EQ(w.RunModalLoop(MLF_SHOWONIDLE), 42);
  EXPECT_GE(w.kicks, 1);  // idle kicks reached the window (how many depends on the timer)
  EXPECT_TRUE(w.IsWindowVisible());  // shown when the queue first ran empty
  EXPECT_FALSE(w.ContinueModal());
  EXPECT_EQ(w.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL), 0u);
}

// Idle update of dialog controls.

class UpdateTarget : public CCmdTarget {
 public:
  afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(1);
    pCmdUI->SetText(_T("updated"));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateTarget, CCmdTarget)
  ON_UPDATE_COMMAND_UI(kIdUpdated, &UpdateTarget::OnUpdateChecked)
END_MESSAGE_MAP()

TEST(IdleUpdate, UpdateDialogControls) {
  CWnd dlg;
  ASSERT_TRUE(dlg.CreateEx(0, NULL, _T("dlg"), WS_POPUP, 0, 0, 200, 200, NULL, NULL));
  CWnd updated, noHandler, autoCheck, edit;
  ASSERT_TRUE(updated.Create(_T("BUTTON"), _T("u"), WS_VISIBLE | BS_CHECKBOX, CRect(0, 0, 50, 20), &dlg, kIdUpdated));
  ASSERT_TRUE(noHandler.Create(_T("BUTTON"), _T("n"), WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 20, 50, 40), &dlg,
                               kIdNoHandler));
  ASSERT_TRUE(autoCheck.Create(_T("BUTTON"), _T("a"), WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 40, 50, 60), &dlg,
                               kIdAutoCheck));
  ASSERT_TRUE(edit.Create(_T("EDIT"), _T("e"), WS_VISIBLE, CRect(0, 60, 50, 80), &dlg, kIdEdit));
  UpdateTarget target;
  dlg.UpdateDialogControls(&target, TRUE);
  EXPECT_EQ(updated.SendMessage(BM_GETCHECK), BST_CHECKED);
  TCHAR text[32];
  updated.GetWindowText(text, 32);
  EXPECT_STREQ(text, _T("updated"));
  EXPECT_TRUE(updated.IsWindowEnabled());
  EXPECT_FALSE(noHandler.IsWindowEnabled());  // a push button without a handler
  EXPECT_TRUE(autoCheck.IsWindowEnabled());   // works by itself
  EXPECT_TRUE(edit.IsWindowEnabled());        // not a command
}

TEST(ThreadState, MenuTracking) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, NULL, _T("w"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HMENU popup = CreatePopupMenu();
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  w.SendMessage(WM_ENTERMENULOOP, TRUE);
  w.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_EQ(ts->m_hTrackingWindow, w.m_hWnd);
  EXPECT_EQ(ts->m_hTrackingMenu, popup);
  w.SendMessage(WM_EXITMENULOOP, TRUE);
  EXPECT_EQ(ts->m_hTrackingWindow, nullptr);
  EXPECT_EQ(ts->m_hTrackingMenu, nullptr);
  DestroyMenu(popup);
}

// Layout of bars through WM_SIZEPARENT.

class TopBar : public CWnd {
 public:
  int height = 20;
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    RECT rc = layout->rect;
    rc.bottom = rc.top + height;
    layout->rect.top += height;
    layout->sizeTotal.cy += height;
    AfxRepositionWindow(layout, m_hWnd, &rc);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TopBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, &TopBar::OnSizeParent)
END_MESSAGE_MAP()

TEST(Layout, RepositionBars) {
  CWnd frame, view;
  TopBar bar;
  ASSERT_TRUE(frame.CreateEx(0, NULL, _T("frame"), WS_POPUP, 0, 0, 200, 150, NULL, NULL));
  ASSERT_TRUE(bar.Create(NULL, _T("bar"), WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 0xE800));
  ASSERT_TRUE(view.Create(NULL, _T("view"), WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 0xE900));
  CRect client;
  frame.GetClientRect(&client);
  CRect left;
  frame.RepositionBars(0, 0xFFFF, 0xE900, reposQuery, &left);
  EXPECT_EQ(left, CRect(0, 20, client.right, client.bottom));  // a query moves nothing
  CRect rc;
  bar.GetWindowRect(&rc);
  EXPECT_EQ(rc.Height(), 10);
  frame.RepositionBars(0, 0xFFFF, 0xE900);
  bar.GetWindowRect(&rc);
  frame.ScreenToClient(&rc);
  EXPECT_EQ(rc, CRect(0, 0, client.right, 20));
  view.GetWindowRect(&rc);
  frame.ScreenToClient(&rc);
  EXPECT_EQ(rc, CRect(0, 20, client.right, client.bottom));  // the rest goes to the view
}

// Window classes and tooltips.

TEST(WindowClasses, RegisterWndClass) {
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  CString first = AfxRegisterWndClass(CS_DBLCLKS, NULL, brush);
  CString again = AfxRegisterWndClass(CS_DBLCLKS, NULL, brush);
  CString other = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, NULL, brush);
  EXPECT_FALSE(first.IsEmpty());
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
  WNDCLASS wc;
  ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), first, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(wc.hbrBackground, brush);
  CWnd w;
  EXPECT_TRUE(w.CreateEx(0, first, _T("w"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
}

TEST(ToolTips, HitTestAndTheThreadControl) {
  CWnd top, child;
  ASSERT_TRUE(top.CreateEx(0, NULL, _T("top"), WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
  ASSERT_TRUE(child.Create(_T("BUTTON"), _T("b"), WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 40, 30), &top, 77));
  EXPECT_FALSE(top.EnableToolTips(TRUE));
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  ASSERT_NE(ts->m_pToolTip, nullptr);
  EXPECT_EQ(GetWindow(ts->m_pToolTip->m_hWnd, GW_OWNER), top.m_hWnd);

  TOOLINFO ti = {};
  ti.cbSize = sizeof ti;
  EXPECT_EQ(top.OnToolHitTest(CPoint(20, 20), &ti), 77);
  EXPECT_EQ(ti.hwnd, top.m_hWnd);
  EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(child.m_hWnd));
  EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
  EXPECT_FALSE(ti.uFlags & TTF_NOTBUTTON);  // a button
  EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
  EXPECT_EQ(top.OnToolHitTest(CPoint(90, 90), &ti), -1);

  // A mouse move over the child registers it as the tool.
  MSG msg = {child.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {20, 20}};
  top.ClientToScreen(&msg.pt);
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(top.m_hWnd, &msg));
  EXPECT_EQ(ts->m_pLastHit, &top);
  EXPECT_EQ(ts->m_nLastHit, 77);
  EXPECT_EQ(ts->m_pToolTip->SendMessage(TTM_GETTOOLCOUNT), 1);

  // The control goes with its top-level window.
  top.DestroyWindow();
  EXPECT_EQ(ts->m_pToolTip, nullptr);
  EXPECT_EQ(ts->m_pLastHit, nullptr);
}

// User-interface threads.

class UiThread : public CWinThread {
  DECLARE_DYNCREATE(UiThread)
 public:
  static LONG ran;
  static DWORD threadId;
  BOOL InitInstance() override {
    threadId = GetCurrentThreadId();
    InterlockedIncrement(&ran);
    return FALSE;  // nothing to pump
  }
};
IMPLEMENT_DYNCREATE(UiThread, CWinThread)
LONG UiThread::ran = 0;
DWORD UiThread::threadId = 0;

TEST(Threads, UserInterfaceThreadRunsItsInstance) {
  CWinThread* t = AfxBeginThread(RUNTIME_CLASS(UiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(t, nullptr);
  t->m_bAutoDelete = FALSE;
  t->ResumeThread();
  WaitForSingleObject(t->m_hThread, 5000);
  EXPECT_EQ(UiThread::ran, 1);
  EXPECT_NE(UiThread::threadId, GetCurrentThreadId());
  delete t;
  EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), nullptr);  // not a thread class
}

}  // namespace
