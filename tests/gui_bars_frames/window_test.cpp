// Portable windows on their frames: position and size round trips, window states, bringing to
// the front, closing, and the minimised document frames that follow the frame's height.
#include <string>

#include "pframes_test.h"

namespace {

RECT Placed(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) MapWindowPoints(NULL, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A shown multiple-document frame at (0, 0, 500, 400) with `count` document frames.
MdiFrame* ShownMdiFrame(CMDIChildWnd** docs, int count) {
  CFrameWnd* made = MakeFrame(kMdi, NULL, RECT{0, 0, 500, 400});
  EXPECT_NE(made, nullptr);
  if (!made) return nullptr;
  MdiFrame* frame = static_cast<MdiFrame*>(made);
  frame->ShowWindow(SW_SHOW);
  for (int i = 0; i < count; ++i) {
    docs[i] = new CMDIChildWnd;
    EXPECT_TRUE(docs[i]->Create(NULL, _T("document"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                CRect(0, 0, 200, 150), frame));
  }
  return frame;
}

// The rectangle as the portable window gives it: x, y, width, height.
bool Same(const QvRect& q, const RECT& r) {
  return q.left == r.left && q.top == r.top && q.right == r.right - r.left && q.bottom == r.bottom - r.top;
}

std::string Text(const QvRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

struct PosCase {
  const char* what;
  QvRect set;
  QvRect expected;  // from the start at (40, 30), 400 x 300
};

// What GetWindowPosAndSize answers, SetWindowPosAndSize takes back unchanged (x, y, width,
// height, in the parent's client coordinates for a child frame); -1 keeps a field.
TEST_F(FrameTest, WindowPositionsRoundTrip) {
  const PosCase cases[] = {
      {"its own rectangle back: unchanged", QvRect(40, 30, 400, 300), QvRect(40, 30, 400, 300)},
      {"all -1: unchanged", QvRect(-1, -1, -1, -1), QvRect(40, 30, 400, 300)},
      {"moved, -1 for the size: the size is kept", QvRect(10, 20, -1, -1), QvRect(10, 20, 400, 300)},
      {"only the size", QvRect(-1, -1, 300, 250), QvRect(40, 30, 300, 250)},
      {"moved and sized", QvRect(5, 6, 200, 150), QvRect(5, 6, 200, 150)},
      {"a size smaller than the position", QvRect(300, 200, 150, 120), QvRect(300, 200, 150, 120)},
  };
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 700, 500, NULL, NULL, NULL, NULL);
  ASSERT_TRUE(host);
  for (FrameKind kind : {kSdi, kMdi}) {
    for (bool child : {false, true}) {
      for (const PosCase& c : cases) {
        SCOPED_TRACE(std::string(KindName(kind)) + (child ? ", child: " : ", top-level: ") + c.what);
        CFrameWnd* frame = MakeFrame(kind, child ? host : NULL);
        ASSERT_NE(frame, nullptr);
        TestWindow* window = new TestWindow(&log);
        Bind(window, frame);
        QvRect got;
        ASSERT_TRUE(window->GetWindowPosAndSize(got));
        EXPECT_EQ(Text(got), Text(QvRect(40, 30, 400, 300))) << "where it was made";

        EXPECT_TRUE(window->SetWindowPosAndSize(c.set));
        ASSERT_TRUE(window->GetWindowPosAndSize(got));
        EXPECT_EQ(Text(got), Text(c.expected));
        EXPECT_TRUE(Same(got, Placed(frame->m_hWnd)));

        // And back where it was from what it answered before.
        EXPECT_TRUE(window->SetWindowPosAndSize(QvRect(40, 30, 400, 300)));
        ASSERT_TRUE(window->GetWindowPosAndSize(got));
        EXPECT_EQ(Text(got), Text(QvRect(40, 30, 400, 300)));
        frame->DestroyWindow();
      }
    }
  }
  DestroyWindow(host);
  // A window without a frame has no position.
  TestWindow alone(&log);
  QvRect r;
  EXPECT_FALSE(alone.GetWindowPosAndSize(r));
  EXPECT_FALSE(alone.SetWindowPosAndSize(QvRect(1, 2, 3, 4)));
}

// A small size at a position beyond it is a size, not a far corner: never a negative width.
// A negative size other than -1 is refused and moves nothing.
TEST_F(FrameTest, SmallSizesAreSizes) {
  CFrameWnd* frame = MakeFrame(kSdi);
  ASSERT_NE(frame, nullptr);
  TestWindow* window = new TestWindow(&log);
  Bind(window, frame);
  EXPECT_TRUE(window->SetWindowPosAndSize(QvRect(10, 20, 5, 5)));
  const RECT placed = Placed(frame->m_hWnd);
  EXPECT_EQ(placed.left, 10);
  EXPECT_EQ(placed.top, 20);
  EXPECT_GE(placed.right - placed.left, 5);  // (the system may keep a frame larger)
  EXPECT_GE(placed.bottom - placed.top, 5);
  QvRect got;
  ASSERT_TRUE(window->GetWindowPosAndSize(got));
  EXPECT_TRUE(Same(got, placed));
  EXPECT_FALSE(window->SetWindowPosAndSize(QvRect(0, 0, -5, 100)));
  EXPECT_TRUE(Same(got, Placed(frame->m_hWnd)));
  frame->DestroyWindow();
}

// States: maximised before minimised, restored by 0 from either; the rectangle is not touched.
TEST_F(FrameTest, WindowStatesFollowShowWindow) {
  for (FrameKind kind : {kSdi, kMdi}) {
    SCOPED_TRACE(KindName(kind));
    CFrameWnd* frame = MakeFrame(kind);
    ASSERT_NE(frame, nullptr);
    TestWindow* window = new TestWindow(&log);
    Bind(window, frame);
    QvRect untouched(1, 2, 3, 4);
    EXPECT_EQ(window->GetWindowState(untouched), QvWindowNormal);
    const struct {
      QvWindowState set;
      QvWindowState expected;
    } steps[] = {
        {QvWindowMaximised, QvWindowMaximised}, {QvWindowNormal, QvWindowNormal},
        {QvWindowMinimised, QvWindowMinimised}, {QvWindowNormal, QvWindowNormal},
        {QvWindowMaximised, QvWindowMaximised}, {QvWindowMinimised, QvWindowMinimised},
        {QvWindowNormal, QvWindowMaximised},  // restoring a window minimised from maximised
        {QvWindowNormal, QvWindowNormal},
    };
    for (const auto& step : steps) {
      EXPECT_TRUE(window->SetWindowState(step.set));
      EXPECT_EQ(window->GetWindowState(untouched), step.expected) << "after " << static_cast<int>(step.set);
    }
    EXPECT_EQ(Text(untouched), "1,2,3,4");
    // Any other value goes to ShowWindow as it is.
    EXPECT_TRUE(window->SetWindowState(static_cast<QvWindowState>(SW_SHOWMINNOACTIVE)));
    EXPECT_TRUE(IsIconic(frame->m_hWnd));
    frame->DestroyWindow();
  }
}

// A frame is activated (shown when hidden, keeping the caption the portable window gave it);
// a window that is no frame is raised above its siblings.
TEST_F(FrameTest, BringToFrontActivatesAFrameAndRaisesAnyOtherWindow) {
  CFrameWnd* frame = MakeFrame(kSdi);
  ASSERT_NE(frame, nullptr);
  TestWindow* window = new TestWindow(&log);
  Bind(window, frame);
  ASSERT_FALSE(IsWindowVisible(frame->m_hWnd));
  window->SetCaption("Sales by region");
  window->BringToFront();
  EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
  QvString caption;
  EXPECT_EQ(window->GetCaption(caption), 15);
  EXPECT_STREQ(caption.c_str(), "Sales by region") << "the activation keeps the portable caption";

  // Two child windows of the frame; the portable window's is the lower one.
  CWnd lower, upper;
  ASSERT_TRUE(lower.CreateEx(0, AfxRegisterWndClass(0), _T("lower"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50),
                             frame, 1));
  ASSERT_TRUE(upper.CreateEx(0, AfxRegisterWndClass(0), _T("upper"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50),
                             frame, 2));
  TestWindow plain(&log);
  plain.SetMFCCWnd(&lower);
  ::BringWindowToTop(upper.m_hWnd);
  ASSERT_EQ(GetWindow(frame->m_hWnd, GW_CHILD), upper.m_hWnd);
  plain.BringToFront();
  EXPECT_EQ(GetWindow(frame->m_hWnd, GW_CHILD), lower.m_hWnd);
  plain.SetMFCCWnd(nullptr);
  lower.DestroyWindow();
  upper.DestroyWindow();
  frame->DestroyWindow();
}

// Close sends WM_CLOSE (always success), and the window ends with its frame; DestroyPlatform
// destroys the frame, which ends the window too.
TEST_F(FrameTest, CloseAndDestroyPlatformEndTheWindowWithItsFrame) {
  for (bool close : {true, false}) {
    SCOPED_TRACE(close ? "Close" : "DestroyPlatform");
    CFrameWnd* frame = MakeFrame(kSdi);
    ASSERT_NE(frame, nullptr);
    const HWND hwnd = frame->m_hWnd;
    TestWindow* window = new TestWindow(&log);
    Bind(window, frame);
    if (close)
      EXPECT_TRUE(window->Close().Succeeded());
    else
      window->DestroyPlatform();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(log.terminated, 1);
    EXPECT_EQ(log.destroyed, 1);
    log = WindowLog();
  }
  // A window without a frame: Close still answers success.
  TestWindow alone(&log);
  EXPECT_TRUE(alone.Close().Succeeded());
  alone.DestroyPlatform();
}

// When the multiple-document frame grows or shrinks in height, its minimised document frames
// move by as much, so that they stay at the bottom of its client.
TEST_F(FrameTest, MinimisedDocumentFramesFollowTheFramesHeight) {
  CMDIChildWnd* docs[3];
  MdiFrame* frame = ShownMdiFrame(docs, 3);
  ASSERT_TRUE(frame != nullptr && !HasFailure());
  // The first two minimised, the third open.
  docs[0]->ShowWindow(SW_MINIMIZE);
  docs[1]->ShowWindow(SW_MINIMIZE);
  RECT before[3];
  for (int i = 0; i < 3; ++i) before[i] = Placed(docs[i]->m_hWnd);

  for (int d : {60, -30}) {
    SCOPED_TRACE(d);
    RECT frameRect;
    GetWindowRect(frame->m_hWnd, &frameRect);
    SetWindowPos(frame->m_hWnd, NULL, 0, 0, frameRect.right - frameRect.left, frameRect.bottom - frameRect.top + d,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 2; ++i) {
      const RECT now = Placed(docs[i]->m_hWnd);
      EXPECT_TRUE(IsIconic(docs[i]->m_hWnd));
      EXPECT_EQ(now.top, before[i].top + d) << "minimised document " << i;
      EXPECT_EQ(now.left, before[i].left) << "minimised document " << i;
      before[i] = now;
    }
    const RECT open = Placed(docs[2]->m_hWnd);
    EXPECT_EQ(open.top, before[2].top) << "an open document stays";
  }
  // A move without a change of size moves nothing.
  SetWindowPos(frame->m_hWnd, NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Placed(docs[0]->m_hWnd).top, before[0].top);
  frame->DestroyWindow();
}

// The scaling reference is kept as it was given.
TEST(PortableWindows, ScalingReferenceIsKept) {
  EXPECT_EQ(Text(QvRootWindow::GetScalingReference()), Text(QvRect(-1, -1, -1, -1)));
  QvRootWindow::SetScalingReference(QvRect(0, 0, 1024, 768));
  EXPECT_EQ(Text(QvRootWindow::GetScalingReference()), Text(QvRect(0, 0, 1024, 768)));
  QvRootWindow::SetScalingReference(QvRect(-1, -1, -1, -1));
}

}  // namespace

namespace {

// The window list of the multiple-document frame's menu still activates its document frame:
// the portable road leaves the framework's ids to the default frame procedure.
TEST_F(FrameTest, WindowListCommandsActivateTheirDocumentFrame) {
  CMDIChildWnd* docs[2];
  MdiFrame* frame = ShownMdiFrame(docs, 2);
  ASSERT_TRUE(frame != nullptr && !HasFailure());
  TestWindow* window = new TestWindow(&log);
  Bind(window, frame);
  QvCommandHandler::SetActiveTarget(window);
  ASSERT_EQ(frame->MDIGetActive(), docs[1]);
  const UINT first = static_cast<UINT>(GetDlgCtrlID(docs[0]->m_hWnd));
  ASSERT_EQ(first, static_cast<UINT>(AFX_IDM_FIRST_MDICHILD));
  PostMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(first, 0), 0);
  testing_support::Recorder().Pump();
  EXPECT_EQ(frame->MDIGetActive(), docs[0]);
  EXPECT_TRUE(window->executed.empty());
  frame->DestroyWindow();
  EXPECT_EQ(log.destroyed, 1);
}

}  // namespace
