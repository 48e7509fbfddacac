// The title tip: none for a text that fits, placed over the title and as wide as the padded
// text for one that is cut; keys and clicks that reach it go on to the window below, two quick
// clicks as a double click.
#include <GridCtrl.h>
#include <TitleTip.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "../ui_grid/grid_fixture.h"
#include "recorder.h"
#include "test_support.h"

using grid_testing::GridFixture;
using testing_support::ExpectedMsg;
using testing_support::Recorder;
using testing_support::SubclassedControl;
using testing_support::kLparam;
using testing_support::kPosted;
using testing_support::kWparam;

namespace {

class TitleTipTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    Make(300, 200);
    // The pointer away from the windows: showing and hiding the tip under it would make the
    // system post mouse moves to the window below.
    ::SetCursorPos(1000, 740);
    testing_support::PumpMessages();
    ::SetForegroundWindow(parent.hwnd());
    grid.SetFocus();
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
    ASSERT_TRUE(tip.Create(&grid));
  }
  void TearDown() override {
    tip.DestroyWindow();
    GridFixture::TearDown();
  }
  // The width Show gives the tip for text: the text with a blank each side, in the grid's font.
  int PaddedWidth(const TCHAR* text) {
    CClientDC dc(&grid);
    CFont* old = dc.SelectObject(grid.GetFont());
    CString padded;
    padded.Format(_T(" %s "), text);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int width = dc.GetTextExtent(padded).cx + tm.tmOverhang;
    dc.SelectObject(old);
    return width;
  }
  MSG At(UINT message, CPoint client, WPARAM wParam = 0) {
    MSG msg = {};
    msg.hwnd = tip.GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = MAKELPARAM(client.x, client.y);
    return msg;
  }
  CTitleTip tip;
};

TEST_F(TitleTipTest, NoneForATextThatFits) {
  tip.Show(CRect(10, 30, 290, 50), _T("short"));
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(TitleTipTest, ACutTextIsShownOverTheTitleAsWideAsThePaddedText) {
  const TCHAR* text = _T("a text far too long for its cell");
  const CRect title(10, 30, 60, 50);
  tip.Show(title, text);
  ASSERT_TRUE(tip.IsWindowVisible());
  CRect shown;
  tip.GetWindowRect(shown);
  CPoint topLeft = title.TopLeft();
  grid.ClientToScreen(&topLeft);
  EXPECT_EQ(shown.TopLeft(), topLeft);
  EXPECT_EQ(shown.Width(), PaddedWidth(text));
  EXPECT_EQ(shown.Height(), title.Height());
  EXPECT_EQ(::GetCapture(), tip.GetSafeHwnd());
  EXPECT_NE(::GetWindowLongPtr(tip.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  tip.Hide();
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(TitleTipTest, TwoQuickClicksReachTheCellAsADoubleClickAndKeysReachTheGridUnchanged) {
  const CRect title(10, 30, 60, 50);
  SubclassedControl watch(grid.GetSafeHwnd());
  Recorder().Reset();
  Recorder().Watch(grid.GetSafeHwnd());
  // The tip asks the grid its hit-test code and font; painting and the capture are not compared here.
  for (UINT m : {WM_NCHITTEST, WM_GETFONT, WM_SETCURSOR, WM_CAPTURECHANGED, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT})
    Recorder().Ignore(m);
  // Each click hides the tip; the grid's mouse-over shows it again before the next one.
  for (int i = 0; i < 2; ++i) {
    tip.Show(title, _T("a text far too long for its cell"));
    ASSERT_TRUE(tip.IsWindowVisible());
    MSG down = At(WM_LBUTTONDOWN, CPoint(5, 5), MK_LBUTTON);
    EXPECT_TRUE(tip.PreTranslateMessage(&down));
    EXPECT_FALSE(tip.IsWindowVisible());
  }
  tip.Show(title, _T("a text far too long for its cell"));
  MSG key = {};
  key.hwnd = tip.GetSafeHwnd();
  key.message = WM_KEYDOWN;
  key.wParam = VK_DOWN;
  key.lParam = 0x01500001;
  EXPECT_TRUE(tip.PreTranslateMessage(&key));
  // grid point (16, 36): the tip's client (5, 5), inside its one-pixel border, at the title's (10, 30)
  const ExpectedMsg expected[] = {
      {WM_LBUTTONDOWN, kPosted | kWparam | kLparam, MK_LBUTTON, MAKELPARAM(16, 36)},
      {WM_LBUTTONDBLCLK, kPosted | kWparam | kLparam, MK_LBUTTON, MAKELPARAM(16, 36)},
      {WM_KEYDOWN, kPosted | kWparam | kLparam, VK_DOWN, 0x01500001},
      {0, 0, 0, 0}};
  Recorder().Pump();
  Recorder().UnwatchAll();
  EXPECT_TRUE(Recorder().Matches(expected));
}

// A loop that dispatches without pre-translating still hands the tip's clicks and keys on.
TEST_F(TitleTipTest, ClicksAndKeysDispatchedToTheTipReachTheGrid) {
  const CRect title(10, 30, 60, 50);
  tip.Show(title, _T("a text far too long for its cell"));
  ASSERT_TRUE(tip.IsWindowVisible());
  SubclassedControl watch(grid.GetSafeHwnd());
  Recorder().Reset();
  Recorder().Watch(grid.GetSafeHwnd());
  for (UINT m : {WM_NCHITTEST, WM_GETFONT, WM_SETCURSOR, WM_CAPTURECHANGED, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT})
    Recorder().Ignore(m);
  tip.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(tip.IsWindowVisible());
  tip.Show(title, _T("a text far too long for its cell"));
  tip.SendMessage(WM_KEYDOWN, VK_RIGHT, 0x014D0001);
  const ExpectedMsg expected[] = {{WM_RBUTTONDOWN, kPosted | kWparam | kLparam, MK_RBUTTON, MAKELPARAM(16, 36)},
                                  {WM_KEYDOWN, kPosted | kWparam | kLparam, VK_RIGHT, 0x014D0001},
                                  {0, 0, 0, 0}};
  Recorder().Pump();
  Recorder().UnwatchAll();
  EXPECT_TRUE(Recorder().Matches(expected));
}

}  // namespace
