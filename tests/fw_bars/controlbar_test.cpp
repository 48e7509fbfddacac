// Control bars on a frame: each bar takes its side of what is left, in child order, and the
// frame's pane gets the rest; idle update reaches the bar with its frame as the target.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_bars.h>

#include <string>

#include "bar_rects.h"
#include "test_support.h"

namespace {

class SizedBar : public CControlBar {
 public:
  SizedBar(DWORD barStyle, CSize size) {
    m_dwStyle = barStyle;
    m_sizeDefault = size;
  }
  CFrameWnd* updatedFor = NULL;
  int updates = 0;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override {
    updatedFor = pTarget;
    ++updates;
  }
  BOOL Make(CWnd* parent, UINT id) {
    return Create(NULL, _T("bar"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), parent, id);
  }
};

// A frame of the given outer size; it deletes itself when destroyed.
CFrameWnd* NewFrame(int cx, int cy) {
  auto* frame = new CFrameWnd;
  if (!frame->Create(NULL, _T("bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, cx, cy))) return NULL;
  return frame;
}

TEST(ControlBarLayout, BarsTakeTheirSidesInOrderAndFollowResizes) {
  CFrameWnd* frame = NewFrame(400, 300);
  ASSERT_NE(frame, nullptr);
  // Top first (full width), then bottom, then left and right between them.
  SizedBar top(CBRS_ALIGN_TOP, CSize(0, 20)), bottom(CBRS_BOTTOM, CSize(0, 15)),
      left(CBRS_ALIGN_LEFT, CSize(30, 0)), right(CBRS_ALIGN_RIGHT | CBRS_BORDER_3D | CBRS_BORDER_LEFT, CSize(10, 0));
  ASSERT_TRUE(top.Make(frame, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(bottom.Make(frame, AFX_IDW_STATUS_BAR));
  ASSERT_TRUE(left.Make(frame, AFX_IDW_TOOLBAR + 2));
  ASSERT_TRUE(right.Make(frame, AFX_IDW_TOOLBAR + 3));
  CWnd pane;
  ASSERT_TRUE(pane.Create(NULL, _T("pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST));

  for (const CSize outer : {CSize(420, 310), CSize(520, 260), CSize(300, 400)}) {
    frame->MoveWindow(0, 0, outer.cx, outer.cy);
    CRect c;
    frame->GetClientRect(&c);
    SCOPED_TRACE(testing::Message() << "client " << c.right << "x" << c.bottom);
    EXPECT_EQ(RectIn(frame, &top), Text(CRect(0, 0, c.right, 20)));
    EXPECT_EQ(RectIn(frame, &bottom), Text(CRect(0, c.bottom - 16, c.right, c.bottom)));  // + top border
    EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, 20, 30, c.bottom - 16)));
    EXPECT_EQ(RectIn(frame, &right), Text(CRect(c.right - 12, 20, c.right, c.bottom - 16)));  // + 3-D left border
    EXPECT_EQ(RectIn(frame, &pane), Text(CRect(30, 20, c.right - 12, c.bottom - 16)));
  }

  // A hidden bar gives its side back; the frame finds its bars by id, and only bars.
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_TOOLBAR), &top);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_PANE_FIRST), nullptr);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_TOOLBAR + 9), nullptr);
  const std::string leftBefore = RectIn(frame, &left);
  frame->ShowControlBar(&top, FALSE, TRUE);  // delayed: nothing moves yet
  EXPECT_EQ(RectIn(frame, &left), leftBefore);
  EXPECT_FALSE(top.IsWindowVisible());
  frame->ShowControlBar(&top, FALSE, FALSE);
  CRect c;
  frame->GetClientRect(&c);
  EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, 0, 30, c.bottom - 16)));
  EXPECT_EQ(RectIn(frame, &pane), Text(CRect(30, 0, c.right - 12, c.bottom - 16)));

  // Measuring only: the bars' room is reported and nothing moves.
  CRect rest;
  frame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rest, CRect(0, 0, 100, 80));
  EXPECT_EQ(Text(rest), Text(CRect(30, 0, 88, 64)));
  EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, 0, 30, c.bottom - 16)));

  frame->DestroyWindow();
}

TEST(ControlBarLayout, ARoomTooSmallClipsTheBarsToIt) {
  CFrameWnd* frame = NewFrame(300, 200);
  ASSERT_NE(frame, nullptr);
  SizedBar top(CBRS_ALIGN_TOP, CSize(0, 50)), bottom(CBRS_ALIGN_BOTTOM, CSize(0, 50));
  ASSERT_TRUE(top.Make(frame, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(bottom.Make(frame, AFX_IDW_STATUS_BAR));
  CRect rest;
  frame->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rest, CRect(0, 0, 100, 70));
  EXPECT_EQ(Text(rest), Text(CRect(0, 50, 100, 50)));  // the bottom bar got the 20 left, never a negative rectangle
  frame->DestroyWindow();
}

TEST(ControlBarIdle, UpdateGoesToTheDockSiteOrElseTheParentFrame) {
  CFrameWnd* frame = NewFrame(300, 200);
  ASSERT_NE(frame, nullptr);
  SizedBar bar(CBRS_TOP, CSize(0, 10)), hidden(CBRS_TOP, CSize(0, 10));
  ASSERT_TRUE(bar.Make(frame, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(hidden.Make(frame, AFX_IDW_TOOLBAR + 1));
  hidden.ShowWindow(SW_HIDE);
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  hidden.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(bar.updatedFor, frame);
  EXPECT_EQ(hidden.updates, 0);

  CFrameWnd* site = NewFrame(100, 100);
  ASSERT_NE(site, nullptr);
  bar.m_pDockSite = site;
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(bar.updatedFor, site);
  site->DestroyWindow();
  frame->DestroyWindow();
}

}  // namespace
