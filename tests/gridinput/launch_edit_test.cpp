// The edit with a launch button: the button's place and its dots drawn on a DIB, Ctrl+'.'
// calling the callback with the pointer-sized user value, and the report to the parent's
// parent when the edit ends (a NULL text after Escape).
#include <InPlaceEditWithLaunch.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "dib_canvas.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DibCanvas;
using testing_support::LoggingParent;
using testing_support::PumpMessages;
using testing_support::TypeChord;
using testing_support::TypeKeys;

namespace {

struct Launched {
  DWORD_PTR user;
  int item, subItem;
  CString text;
};
std::vector<Launched> g_launched;

LRESULT CALLBACK Launch(DWORD_PTR user, int item, int subItem, CString& text) {
  g_launched.push_back({user, item, subItem, text});
  text = _T("launched");
  return 0;
}

// An editor 100 x 20 (no border) at (10, 10) in a child container of the logging popup, which
// gets the reports.
class LaunchEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(popup.hwnd(), nullptr);
    ASSERT_NE(container.hwnd(), nullptr);
    popup.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
      if (msg != WM_NOTIFY) return false;
      const NMLVDISPINFO* info = reinterpret_cast<const NMLVDISPINFO*>(lp);
      if (info->hdr.code == static_cast<UINT>(LVN_ENDLABELEDIT)) {
        ended = true;
        endText = info->item.pszText != NULL ? CString(info->item.pszText) : CString(_T("<null>"));
      }
      *result = 0;
      return true;
    };
    ::SetForegroundWindow(popup.hwnd());
    g_launched.clear();
  }
  void TearDown() override {
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    FwDeleteTempMaps();
  }
  void Open(DWORD launchStyle, int buttonWidth = -1) {
    edit.SetButtonWidth(buttonWidth);
    ASSERT_TRUE(edit.Create(launchStyle, 0, NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30),
                            CWnd::FromHandle(container.hwnd()), 77));
    hwnd = edit.GetSafeHwnd();
  }
  LoggingParent popup{WS_POPUP | WS_VISIBLE, NULL, {20, 20, 420, 320}};
  LoggingParent container{WS_CHILD | WS_VISIBLE, popup.hwnd(), {0, 0, 300, 200}};
  int anchor = 0;  // the user value is this object's address
  CInPlaceEditWithLaunch edit{3, 2, _T("start"), Launch, reinterpret_cast<DWORD_PTR>(&anchor), FALSE};
  HWND hwnd = NULL;
  bool ended = false;
  CString endText;
};

TEST_F(LaunchEdit, TheButtonTakesEightTenthsOfTheHeightOnItsSide) {
  struct Case {
    DWORD style;
    int width;
    CRect button;
    int clientWidth;
  } cases[] = {
      {0, -1, CRect(84, 0, 100, 20), 84},                   // 20 high: 16 wide, on the right
      {LAUNCH_BUTTON_LEFT, -1, CRect(0, 0, 16, 20), 84},  // on the left
      {0, 30, CRect(70, 0, 100, 20), 70},                   // a width of its own
  };
  for (const Case& c : cases) {
    Open(c.style, c.width);
    EXPECT_EQ(edit.GetButtonRect(), c.button) << c.style << " " << c.width;
    CRect client;
    edit.GetClientRect(client);
    EXPECT_EQ(client.Width(), c.clientWidth);
    ::DestroyWindow(hwnd);
    PumpMessages();
  }
}

TEST_F(LaunchEdit, TheDotsSitInTheMiddleAndMoveWhenPressed) {
  Open(0);
  DibCanvas canvas(100, 20, RGB(1, 2, 3));
  ASSERT_TRUE(canvas.valid());
  CDC* dc = CDC::FromHandle(canvas.dc());
  const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
  // 16 x 20: dots a quarter apart (4), one pixel each (16 / 10 < 2), at x = 8 - 1 - 4, y = 10
  edit.DrawButton(dc, CInPlaceEditWithLaunch::kNormal);
  for (int x : {87, 91, 95}) EXPECT_EQ(canvas.At(x, 10), text) << x;
  EXPECT_EQ(canvas.At(89, 5), face);
  EXPECT_EQ(canvas.At(83, 10), RGB(1, 2, 3));  // nothing drawn left of the button
  EXPECT_EQ(canvas.CountOf(text, CRect(84, 0, 100, 20)), 3);
  edit.DrawButton(dc, CInPlaceEditWithLaunch::kPressed);
  for (int x : {88, 92, 96}) EXPECT_EQ(canvas.At(x, 11), text) << x;
  EXPECT_EQ(canvas.At(87, 10), face);
  EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kPressed);
}

TEST_F(LaunchEdit, CtrlPeriodLaunchesWithThePointerSizedUserValue) {
  Open(0);
  ASSERT_EQ(::GetFocus(), hwnd);
  TypeChord(VK_CONTROL, VK_OEM_PERIOD);
  PumpMessages();
  ASSERT_EQ(g_launched.size(), 1u);
  EXPECT_EQ(g_launched[0].user, reinterpret_cast<DWORD_PTR>(&anchor));
  EXPECT_EQ(g_launched[0].item, 3);
  EXPECT_EQ(g_launched[0].subItem, 2);
  EXPECT_EQ(g_launched[0].text, CString(_T("start")));
  // the launch gives the focus away, which ends the edit with the callback's text
  EXPECT_TRUE(ended);
  EXPECT_EQ(endText, CString(_T("launched")));
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(LaunchEdit, EscapeReportsANullText) {
  Open(0);
  TypeKeys({'X', VK_ESCAPE});
  PumpMessages();
  EXPECT_TRUE(ended);
  EXPECT_EQ(endText, CString(_T("<null>")));
  EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
