// Dragging a docked bar with the mouse (SendInput): to another side, off the frame, or
// cancelled with Escape. The input is sent step by step from a timer, inside the drag loop.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_dock.h>

#include <functional>
#include <vector>

#include "input_script.h"
#include "test_support.h"

namespace {

class Bar : public CControlBar {
 public:
  explicit Bar(CSize size) : m_size(size) { m_dwStyle = CBRS_ALIGN_TOP; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }

 private:
  CSize m_size;
};

using testing_support::MouseTo;

// Wine's null driver leaves keyboard input out while a window holds the mouse capture: the
// key is posted as the input would have queued it.
void Key(HWND hWnd, WORD vk) {
  PostMessage(hWnd, WM_KEYDOWN, vk, 1);
  PostMessage(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// A right click at pt (a window of this thread): the next left press is never taken for the
// second half of a double click.
void ForgetClicks(CPoint pt) { MouseTo(pt, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP); }

using Script = testing_support::InputScript;

struct DragFrame {
  CFrameWnd* frame = new CFrameWnd;
  Bar a{CSize(60, 20)};
  DragFrame() {
    if (!frame->Create(NULL, _T("drag"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 340))) {
      frame = NULL;
      return;
    }
    frame->EnableDocking(CBRS_ALIGN_ANY);
    a.Create(NULL, _T("a"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), frame, 0xE840);
    a.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    frame->SetForegroundWindow();
    frame->RecalcLayout();
    testing_support::PumpMessages();
  }
  ~DragFrame() {
    if (frame != NULL && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
  }
  CPoint BarPoint() {
    CRect r;
    a.GetWindowRect(&r);
    return CPoint(r.left + 10, r.top + 10);
  }
  CPoint ClientPoint(int x, int y) {
    CPoint pt(x, y);
    frame->ClientToScreen(&pt);
    return pt;
  }
};

TEST(DragBar, ToTheLeftSideOffTheFrameAndCancelled) {
  DragFrame f;
  ASSERT_NE(f.frame, nullptr);
  CDockBar* top = DYNAMIC_DOWNCAST(CDockBar, f.frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  CDockBar* left = DYNAMIC_DOWNCAST(CDockBar, f.frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  ASSERT_EQ(f.a.m_pDockBar, top);

  // Pressed on the bar, moved to the left edge of the client, released: docked on the left,
  // turned upright.
  {
    const CPoint start = f.BarPoint(), end = f.ClientPoint(2, 150);
    const CPoint pane = f.ClientPoint(300, 250);
    Script s({[=] { ForgetClicks(pane); },
              [=] { MouseTo(start); },
              [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
              [=] { MouseTo(CPoint(start.x + 5, start.y + 40)); },
              [=] { MouseTo(end); },
              [=] { MouseTo(end, MOUSEEVENTF_LEFTUP); }});
    ASSERT_TRUE(s.Run());
  }
  EXPECT_EQ(f.a.m_pDockBar, left);
  EXPECT_EQ(f.a.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  CRect r;
  f.a.GetWindowRect(&r);
  EXPECT_EQ(r.Size(), CSize(20, 60));
  EXPECT_EQ(top->GetDockedCount(), 0);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);

  // Escape or the right button during a drag: the bar stays where it was.
  const CRect before = r;
  for (int cancel = 0; cancel < 2; ++cancel) {
    SCOPED_TRACE(cancel == 0 ? "escape" : "right button");
    const CPoint start = f.BarPoint(), end = f.ClientPoint(200, 150);
    const HWND bar = f.a.m_hWnd;
    const CPoint pane = f.ClientPoint(300, 250);
    Script s({[=] { ForgetClicks(pane); },
              [=] { MouseTo(start); },
              [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
              [=] { MouseTo(end); },
              [=] {
                if (cancel == 0)
                  Key(bar, VK_ESCAPE);
                else
                  MouseTo(end, MOUSEEVENTF_RIGHTDOWN);
              },
              [=] { MouseTo(end, MOUSEEVENTF_LEFTUP | (cancel == 0 ? 0 : MOUSEEVENTF_RIGHTUP)); }});
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(f.a.m_pDockBar, left);
    f.a.GetWindowRect(&r);
    EXPECT_EQ(r, before);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
  }

  // Released in the middle of the client: the bar floats there, upright as it was.
  const CPoint middle = f.ClientPoint(200, 150);
  {
    const CPoint start = f.BarPoint();
    const CPoint pane = f.ClientPoint(300, 250);
    Script s({[=] { ForgetClicks(pane); },
              [=] { MouseTo(start); },
              [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
              [=] { MouseTo(CPoint(start.x + 60, start.y)); },
              [=] { MouseTo(middle); },
              [=] { MouseTo(middle, MOUSEEVENTF_LEFTUP); }});
    ASSERT_TRUE(s.Run());
  }
  ASSERT_TRUE(f.a.IsFloating());
  CWnd* mini = f.a.m_pDockBar->GetParent();
  mini->GetWindowRect(&r);
  EXPECT_TRUE(r.PtInRect(middle));
  EXPECT_TRUE(mini->IsWindowVisible());
  EXPECT_EQ(left->GetDockedCount(), 0);
  CRect c;
  mini->GetClientRect(&c);
  EXPECT_EQ(c.Size(), CSize(20, 60));

  // Lying along (its caption is long enough to hold it by), dragged by its caption to the top
  // edge: docked at the top, the floating frame gone.
  f.frame->FloatControlBar(&f.a, CPoint(r.left, r.top), CBRS_ALIGN_TOP);
  ASSERT_EQ(f.a.m_pDockBar->GetParent(), mini);  // the same frame, turned
  const HWND miniWnd = mini->m_hWnd;
  {
    // Halfway up the small caption, near its left end (the close box is at the right).
    CPoint clientTop(6, 0);
    mini->ClientToScreen(&clientTop);
    const CPoint start(clientTop.x, clientTop.y - GetSystemMetrics(SM_CYSMCAPTION) / 2), end = f.ClientPoint(30, 0);
    const CPoint pane = f.ClientPoint(300, 250);
    Script s({[=] { ForgetClicks(pane); },
              [=] { MouseTo(start); },
              [=] { MouseTo(start, MOUSEEVENTF_LEFTDOWN); },
              [=] { MouseTo(CPoint(start.x, start.y - 30)); },
              [=] { MouseTo(end); },
              [=] { MouseTo(end, MOUSEEVENTF_LEFTUP); }});
    ASSERT_TRUE(s.Run());
  }
  EXPECT_EQ(f.a.m_pDockBar, top);
  EXPECT_FALSE(::IsWindow(miniWnd));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

}  // namespace
