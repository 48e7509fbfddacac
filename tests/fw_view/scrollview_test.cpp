// The scroll view: bars only where the window is smaller than the total size, scrolling by
// line, page and thumb inside the range, the position kept in range when the window grows,
// and the viewport origin of the DC it prepares.
#include <gtest/gtest.h>

#include <framework.h>

#include "test_support.h"

using testing_support::PumpMessages;

namespace {

class Scrolled : public CScrollView {
 public:
  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}  // the test owns the object
  using CScrollView::GetDeviceScrollPosition;
};

class ScrollHost : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Scroll"), WS_POPUP | WS_VISIBLE, 0, 0, 600, 500, NULL, 0));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1));
  }
  void TearDown() override {
    if (view.m_hWnd) view.DestroyWindow();
    if (parent.m_hWnd) parent.DestroyWindow();
  }
  bool Bar(DWORD bit) { return (view.GetStyle() & bit) != 0; }
  CWnd parent;
  Scrolled view;
};

TEST_F(ScrollHost, BarsAppearOnlyWhereTheTotalSizeDoesNotFit) {
  struct Case {
    CSize total;
    bool h, v;
  };
  const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
  const Case cases[] = {
      {{100, 100}, false, false},
      {{1000, 100}, true, false},
      {{100, 1000}, false, true},
      {{1000, 1000}, true, true},
      // Fits without bars; needs both once one of them takes its room.
      {{300, 200}, false, false},
      {{300 - cx / 2, 400}, true, true},
  };
  for (const Case& c : cases) {
    view.SetScrollSizes(MM_TEXT, c.total);
    EXPECT_EQ(Bar(WS_HSCROLL), c.h) << c.total.cx << "x" << c.total.cy;
    EXPECT_EQ(Bar(WS_VSCROLL), c.v) << c.total.cx << "x" << c.total.cy;
  }
}

TEST_F(ScrollHost, ScrollingStaysInsideTheRangeAndMovesTheViewport) {
  view.SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(150, 100), CSize(10, 8));
  CRect client;
  view.GetClientRect(&client);
  struct Step {
    UINT message, code;
    CPoint expected;
  };
  const Step steps[] = {
      {WM_VSCROLL, SB_LINEDOWN, {0, 8}},
      {WM_VSCROLL, SB_PAGEDOWN, {0, 108}},
      {WM_HSCROLL, SB_PAGEDOWN, {150, 108}},
      {WM_HSCROLL, SB_LINEUP, {140, 108}},
      {WM_VSCROLL, SB_BOTTOM, {140, 800 - client.Height()}},
      {WM_HSCROLL, SB_BOTTOM, {1000 - client.Width(), 800 - client.Height()}},
      {WM_VSCROLL, SB_PAGEDOWN, {1000 - client.Width(), 800 - client.Height()}},
      {WM_VSCROLL, SB_TOP, {1000 - client.Width(), 0}},
      {WM_VSCROLL, SB_LINEUP, {1000 - client.Width(), 0}},
  };
  for (const Step& s : steps) {
    view.SendMessage(s.message, s.code, 0);
    EXPECT_EQ(view.GetScrollPosition(), s.expected) << s.message << "/" << s.code;
  }
  CClientDC dc(&view);
  view.OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-(1000 - client.Width()), 0));

  // Grown beyond the total width, the view shows it from its left edge.
  view.ScrollToPosition(CPoint(500, 300));
  EXPECT_EQ(view.GetScrollPosition(), CPoint(500, 300));
  view.MoveWindow(0, 0, 1100, 450);
  PumpMessages();
  EXPECT_FALSE(Bar(WS_HSCROLL));
  EXPECT_EQ(view.GetScrollPosition().x, 0);
  view.GetClientRect(&client);
  EXPECT_EQ(view.GetScrollPosition().y, std::min(300, 800 - client.Height()));
}

}  // namespace
