// The edit with a launch button: the button's place and its looks drawn on a DIB, Ctrl+'.'
// calling the callback with the pointer-sized user value, and the report to the parent's
// parent when the edit ends (a NULL text after Escape); the flat look following the mouse and
// the focus, read-only, the tool tips, and keys kept from the windows above.
#include <InPlaceEditWithLaunch.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include "dib_canvas.h"
#include "fw_pump.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DibCanvas;
using testing_support::LoggingParent;
using testing_support::MouseTo;
using testing_support::PumpPreTranslated;
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
    ::SetCursorPos(1000, 740);  // the pointer starts away from the windows
    PumpMessages();
    g_launched.clear();
  }
  void TearDown() override {
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    FwDeleteTempMaps();
  }
  void Open(DWORD launchStyle, int buttonWidth = -1, DWORD extraStyle = 0) {
    edit.SetButtonWidth(buttonWidth);
    ASSERT_TRUE(edit.Create(launchStyle, 0, NULL, WS_CHILD | WS_VISIBLE | extraStyle, CRect(10, 10, 110, 30),
                            CWnd::FromHandle(container.hwnd()), 77));
    hwnd = edit.GetSafeHwnd();
  }
  // An editor that never had the focus: made disabled (which keeps the focus away), then enabled.
  void OpenUnfocused(DWORD launchStyle) {
    Open(launchStyle, -1, WS_DISABLED);
    ASSERT_NE(::GetFocus(), hwnd);
    edit.EnableWindow(TRUE);
    PumpMessages();
    ASSERT_NE(::GetFocus(), hwnd);
  }
  // The screen point (x, y) of the editor's window.
  CPoint OnEdit(int x, int y) {
    CRect window;
    edit.GetWindowRect(window);
    return CPoint(window.left + x, window.top + y);
  }
  void MoveAndPump(CPoint pt) {
    MouseTo(pt);
    PumpMessages();
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

// A parent that destroys the edit when told of the launch ends it there: the callback is not
// called on a window that is gone.
TEST_F(LaunchEdit, AParentThatDestroysTheEditEndsTheLaunch) {
  container.answer = [this](UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
    if (msg != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lp)->code != 1) return false;
    ::DestroyWindow(hwnd);
    *result = 0;
    return true;
  };
  Open(0);
  TypeChord(VK_CONTROL, VK_OEM_PERIOD);
  PumpMessages();
  container.answer = nullptr;
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(g_launched.empty());
}

TEST_F(LaunchEdit, EscapeReportsANullText) {
  Open(0);
  TypeKeys({'X', VK_ESCAPE});
  PumpMessages();
  EXPECT_TRUE(ended);
  EXPECT_EQ(endText, CString(_T("<null>")));
  EXPECT_FALSE(::IsWindow(hwnd));
}

// The button's looks, state by state: raised with black dots, flat (no edge, the right column
// in the window colour) while the edit has neither the focus nor the mouse, and disabled.
TEST_F(LaunchEdit, TheButtonLooksFlatRaisedOrDisabled) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(GetSysColor(COLOR_3DLIGHT), face);
  ASSERT_NE(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_WINDOW));
  OpenUnfocused(LAUNCH_FLAT);
  const struct Case {
    const char* what;
    std::function<void()> act;
    int state;
    COLORREF topLeft, rightEdge, dot;  // at (84, 0), (99, 10) and the middle dot (91, 10)
    COLORREF shiftedDot;               // at (92, 11)
  } cases[] = {
      {"flat", [] {}, CInPlaceEditWithLaunch::kNormal | CInPlaceEditWithLaunch::kFlat, face, GetSysColor(COLOR_WINDOW),
       GetSysColor(COLOR_BTNTEXT), face},
      {"disabled", [&] { edit.EnableWindow(FALSE); }, CInPlaceEditWithLaunch::kDisabled | CInPlaceEditWithLaunch::kFlat,
       face, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT)},
      {"raised by the focus", [&] { edit.EnableWindow(TRUE), edit.SetFocus(); }, CInPlaceEditWithLaunch::kNormal,
       GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNTEXT), face},
  };
  for (const Case& c : cases) {
    c.act();
    PumpMessages();
    DibCanvas canvas(100, 20, RGB(1, 2, 3));
    ASSERT_TRUE(canvas.valid());
    edit.DrawButton(CDC::FromHandle(canvas.dc()), CInPlaceEditWithLaunch::kNormal);
    EXPECT_EQ(edit.GetButtonState(), c.state) << c.what;
    EXPECT_EQ(canvas.At(84, 0), c.topLeft) << c.what;
    EXPECT_EQ(canvas.At(99, 10), c.rightEdge) << c.what;
    EXPECT_EQ(canvas.At(91, 10), c.dot) << c.what;
    EXPECT_EQ(canvas.At(92, 11), c.shiftedDot) << c.what;
  }
}

// Without the focus the flat editor rises while the mouse is over it (holding the capture to
// see it leave) and lies flat again when it leaves; a press on the button then arrives as a
// client press and launches on release.
TEST_F(LaunchEdit, TheMouseRaisesAFlatEditorAndItsButtonLaunches) {
  OpenUnfocused(LAUNCH_FLAT);
  const int flat = CInPlaceEditWithLaunch::kNormal | CInPlaceEditWithLaunch::kFlat;
  ASSERT_EQ(edit.GetButtonState(), flat);
  MoveAndPump(OnEdit(40, 10));
  EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kNormal);
  EXPECT_EQ(::GetCapture(), hwnd);
  MoveAndPump(OnEdit(40, 60));  // below the editor, inside the container
  EXPECT_EQ(edit.GetButtonState(), flat);
  EXPECT_EQ(::GetCapture(), static_cast<HWND>(NULL));
  // Over the button (captured, so a client message), pressed and released there.
  MoveAndPump(OnEdit(92, 10));
  ASSERT_EQ(::GetCapture(), hwnd);
  MouseTo(OnEdit(92, 10), MOUSEEVENTF_LEFTDOWN);
  PumpMessages();
  EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kPressed);
  EXPECT_EQ(::GetFocus(), hwnd);
  MouseTo(OnEdit(92, 10), MOUSEEVENTF_LEFTUP);
  PumpMessages();
  ASSERT_EQ(g_launched.size(), 1u);
  EXPECT_EQ(endText, CString(_T("launched")));
  EXPECT_FALSE(::IsWindow(hwnd));
}

// On a focused editor the button is pressed through its frame (a non-client press): it shows
// pressed while the mouse stays on it and normal off it, and launches only on a release over it.
TEST_F(LaunchEdit, TheButtonLaunchesOnlyOnAReleaseOverIt) {
  for (bool releaseOver : {false, true}) {
    Open(0);
    ASSERT_EQ(::GetFocus(), hwnd);
    MoveAndPump(OnEdit(92, 10));
    MouseTo(OnEdit(92, 10), MOUSEEVENTF_LEFTDOWN);
    PumpMessages();
    EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kPressed);
    EXPECT_EQ(::GetCapture(), hwnd);
    MoveAndPump(OnEdit(40, 10));  // off the button
    EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kNormal);
    if (releaseOver) MoveAndPump(OnEdit(92, 10));
    EXPECT_EQ(edit.GetButtonState(), releaseOver ? CInPlaceEditWithLaunch::kPressed : CInPlaceEditWithLaunch::kNormal);
    MouseTo(releaseOver ? OnEdit(92, 10) : OnEdit(40, 10), MOUSEEVENTF_LEFTUP);
    PumpMessages();
    EXPECT_EQ(::GetCapture(), static_cast<HWND>(NULL));
    EXPECT_EQ(g_launched.size(), releaseOver ? 1u : 0u);
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    PumpMessages();
    MoveAndPump(CPoint(1000, 740));
  }
}

// Read-only passes to the edit and lays an unfocused editor flat again; the button still
// launches (the callback is the way to change a read-only value).
TEST_F(LaunchEdit, ReadOnlyKeepsTheLookAndTheLaunch) {
  OpenUnfocused(LAUNCH_FLAT);
  MoveAndPump(OnEdit(40, 10));
  ASSERT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kNormal);
  edit.SetReadOnly(TRUE);
  EXPECT_NE(edit.GetStyle() & ES_READONLY, 0u);
  EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kNormal | CInPlaceEditWithLaunch::kFlat);
  MoveAndPump(OnEdit(40, 60));
  edit.SetFocus();
  edit.SetReadOnly(TRUE);
  EXPECT_EQ(edit.GetButtonState(), CInPlaceEditWithLaunch::kNormal);
  TypeKeys({'Z'});
  PumpMessages();
  TypeChord(VK_CONTROL, VK_OEM_PERIOD);
  PumpMessages();
  ASSERT_EQ(g_launched.size(), 1u);
  EXPECT_EQ(g_launched[0].text, CString(_T("start")));  // the typed Z did not reach the text
  EXPECT_EQ(endText, CString(_T("launched")));
}

// The tips are made by the first message pre-translated: a tool over the button (in client
// coordinates: it lies right of the client area) and one over the text, each answering with
// its text only when its style is on. A new frame makes them again with the new places.
TEST_F(LaunchEdit, ToolTipsOverTheButtonAndTheText) {
  const struct Case {
    DWORD style;
    const TCHAR* buttonTip;
    const TCHAR* textTip;
  } cases[] = {
      {LAUNCH_TIP_BUTTON, _T("Launch"), _T("")},
      {LAUNCH_TIP_TEXT, _T(""), _T("Pick a colour")},
      {LAUNCH_TIP_BUTTON | LAUNCH_TIP_TEXT, _T("Launch"), _T("Pick a colour")},
  };
  for (const Case& c : cases) {
    edit.SetToolTipText(_T("Pick a colour"));
    Open(c.style);
    ASSERT_EQ(edit.GetToolTip().GetSafeHwnd(), static_cast<HWND>(NULL));
    MSG msg = {};
    msg.hwnd = hwnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(5, 5);
    edit.PreTranslateMessage(&msg);
    CToolTipCtrl& tips = edit.GetToolTip();
    ASSERT_NE(tips.GetSafeHwnd(), static_cast<HWND>(NULL)) << c.style;
    EXPECT_EQ(tips.GetToolCount(), 2);
    TOOLINFO info;
    ASSERT_TRUE(tips.GetToolInfo(info, &edit, CInPlaceEditWithLaunch::kToolButton));
    EXPECT_EQ(CRect(info.rect), CRect(84, 0, 100, 20));
    ASSERT_TRUE(tips.GetToolInfo(info, &edit, CInPlaceEditWithLaunch::kToolText));
    EXPECT_EQ(CRect(info.rect), CRect(0, 0, 84, 20));
    CString text;
    tips.GetText(text, &edit, CInPlaceEditWithLaunch::kToolButton);
    EXPECT_EQ(text, CString(c.buttonTip)) << c.style;
    tips.GetText(text, &edit, CInPlaceEditWithLaunch::kToolText);
    EXPECT_EQ(text, CString(c.textTip)) << c.style;
    // The button moves to the left: the tips go, and come back with the new places.
    edit.SetLaunchStyle(c.style | LAUNCH_BUTTON_LEFT);
    EXPECT_EQ(tips.GetSafeHwnd(), static_cast<HWND>(NULL));
    edit.PreTranslateMessage(&msg);
    ASSERT_TRUE(tips.GetToolInfo(info, &edit, CInPlaceEditWithLaunch::kToolButton));
    EXPECT_EQ(CRect(info.rect), CRect(-16, 0, 0, 20));
    ::DestroyWindow(hwnd);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(tips.GetSafeHwnd()));
  }
}

// A window above the editor that takes every key, as a dialog's keyboard handling does.
class KeyTaker : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return FALSE;
    taken.push_back(static_cast<UINT>(msg->wParam));
    return TRUE;
  }
  std::vector<UINT> taken;
};

// Return, Delete, Escape and Ctrl+key reach the editor before the windows above it see them;
// other keys take the usual way.
TEST_F(LaunchEdit, EditingKeysAreKeptFromTheWindowsAbove) {
  KeyTaker taker;
  ASSERT_TRUE(taker.CreateEx(0, _T("STATIC"), NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
                             CWnd::FromHandle(popup.hwnd()), 5));
  edit.SetButtonWidth(-1);
  ASSERT_TRUE(edit.Create(0, 0, NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &taker, 77));
  hwnd = edit.GetSafeHwnd();
  TypeKeys({VK_TAB, VK_END});
  PumpPreTranslated();
  EXPECT_EQ(taker.taken, (std::vector<UINT>{VK_TAB, VK_END}));
  edit.SetSel(0, 0);
  TypeKeys({VK_DELETE});  // reaches the edit: the first letter goes
  PumpPreTranslated();
  TypeChord(VK_CONTROL, VK_OEM_PERIOD);
  PumpPreTranslated();
  ASSERT_EQ(g_launched.size(), 1u);
  EXPECT_EQ(g_launched[0].text, CString(_T("tart")));
  EXPECT_EQ(taker.taken, (std::vector<UINT>{VK_TAB, VK_END}));
  taker.DestroyWindow();
}

}  // namespace
