// Floating frames keep their captions in step with their frame: while the frame or one of its
// floating frames is the active window, all of their captions are drawn active; when another
// window takes the activation, all of them turn inactive together.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_dock.h>


namespace {

// The state each caption was last drawn in, and how often it was drawn inactive: what reaches
// the default processing of WM_NCACTIVATE.
struct CaptionLog {
  int active = -1;
  int inactiveDraws = 0;
  void Note(UINT message, WPARAM wParam) {
    if (message != WM_NCACTIVATE) return;
    active = wParam != 0;
    if (!wParam) ++inactiveDraws;
  }
};

class MainFrame : public CFrameWnd {
 public:
  CaptionLog log;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    log.Note(message, wParam);
    return CFrameWnd::DefWindowProc(message, wParam, lParam);
  }
};

class FloatFrame : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(FloatFrame)

 public:
  CaptionLog log;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    log.Note(message, wParam);
    return CMiniDockFrameWnd::DefWindowProc(message, wParam, lParam);
  }
};
IMPLEMENT_DYNCREATE(FloatFrame, CMiniDockFrameWnd)

class Bar : public CControlBar {
 public:
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(80, 20); }
};

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

TEST(FloatingCaption, FollowsTheFramesActivation) {
  auto* main = new MainFrame;
  ASSERT_TRUE(main->Create(NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340)));
  main->EnableDocking(CBRS_ALIGN_ANY);
  main->m_pFloatingFrameClass = RUNTIME_CLASS(FloatFrame);
  Bar a, b;
  FloatFrame* floats[2] = {};
  Bar* bars[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(bars[i]->Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), main, 0xE840 + i));
    bars[i]->EnableDocking(CBRS_ALIGN_ANY);
    main->FloatControlBar(bars[i], CPoint(100 + 150 * i, 400));
    floats[i] = DYNAMIC_DOWNCAST(FloatFrame, CWnd::FromHandlePermanent(::GetParent(::GetParent(bars[i]->m_hWnd))));
    ASSERT_NE(floats[i], nullptr);
    EXPECT_TRUE(floats[i]->m_bSyncActive);
  }
  ASSERT_NE(floats[0], floats[1]);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 500, 40, 200, 100,
                               NULL, NULL, NULL, NULL);
  ASSERT_NE(other, (HWND)NULL);
  Pump();

  const HWND mainWnd = main->m_hWnd, float0 = floats[0]->m_hWnd, float1 = floats[1]->m_hWnd;
  struct Step {
    const char* name;
    HWND activate;
    int active;  // expected for the frame and both floating frames
  } steps[] = {
      {"frame", mainWnd, 1},      {"first floating", float0, 1}, {"second floating", float1, 1},
      {"other window", other, 0}, {"first floating", float0, 1}, {"frame", mainWnd, 1},
      {"other window", other, 0}, {"frame", mainWnd, 1},
  };
  HWND before = NULL;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    // Drawn inactive on the way from one window of the family to another: a flicker.
    main->log.inactiveDraws = floats[0]->log.inactiveDraws = floats[1]->log.inactiveDraws = 0;
    ::SetActiveWindow(s.activate);
    Pump();
    ASSERT_EQ(::GetActiveWindow(), s.activate);
    EXPECT_EQ(main->log.active, s.active);
    EXPECT_EQ(floats[0]->log.active, s.active);
    EXPECT_EQ(floats[1]->log.active, s.active);
    EXPECT_EQ(main->IsCaptionActive(), s.active);
    const bool withinFamily = s.active == 1 && before != NULL && before != other;
    if (withinFamily) {
      EXPECT_EQ(main->log.inactiveDraws, 0);
      EXPECT_EQ(floats[0]->log.inactiveDraws, 0);
      EXPECT_EQ(floats[1]->log.inactiveDraws, 0);
    }
    before = s.activate;
  }
  DestroyWindow(other);
  main->DestroyWindow();
}

// A mini frame made without MFS_SYNCACTIVE shows only its own activation.
TEST(FloatingCaption, AMiniFrameNotInStepShowsItsOwnActivation) {
  auto* main = new MainFrame;
  ASSERT_TRUE(main->Create(NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 340)));
  auto* mini = new CMiniFrameWnd;
  ASSERT_TRUE(mini->CreateEx(0, NULL, _T("tool"), WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(100, 400, 250, 480), main));
  EXPECT_FALSE(mini->m_bSyncActive);
  ::SetActiveWindow(main->m_hWnd);
  Pump();
  ::SetActiveWindow(mini->m_hWnd);
  Pump();
  ASSERT_EQ(::GetActiveWindow(), mini->m_hWnd);
  EXPECT_EQ(main->log.active, 0);
  mini->DestroyWindow();
  main->DestroyWindow();
}

}  // namespace
