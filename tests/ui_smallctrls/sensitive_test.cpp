// The text with clickable zones: what each mouse action tells the parent, how the layout
// places zones and lines, what a rebuild does to the zone under the mouse, hostile texts,
// scrolling, and what the window leaves of the shared window class.
#include <gtest/gtest.h>

#include <SensitiveWnd.h>
#include <UIHandles.h>
#include <framework.h>

#include <string>

#include "dib_canvas.h"
#include "recorder.h"
#include "smallctrls_test.h"

using testing_support::DibCanvas;
using testing_support::ExpectedMsg;
using testing_support::kLparam;
using testing_support::kParent;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;

namespace {

// "Click here now" with the zone "here" of id 42.
const TCHAR kClickHere[] = _T("Click \x0007here\x000C") _T("42\x000C now");

class Sensitive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.m_hWnd, nullptr);
    ASSERT_TRUE(wnd.Create(kClickHere, WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 7));
    // The system sends the window a mouse move of the real pointer when the window changes
    // under it, which would hover or leave zones behind the test's back: the pointer waits
    // outside the window (the program runs alone, so nothing moves it meanwhile).
    const POINT away = {::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1};
    ASSERT_TRUE(::SetCursorPos(away.x, away.y));
    CRect frame;
    parent.GetWindowRect(&frame);
    ASSERT_FALSE(frame.PtInRect(away)) << "the pointer has no place outside the test's window";
    Recorder().Watch(parent.m_hWnd);
  }
  void TearDown() override { Recorder().UnwatchAll(); }
  // One action: drain, clear, act, pump.
  void Act(UINT message, int x, int y) {
    Recorder().Reset();
    wnd.SendMessage(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    Recorder().Pump();
  }
  CPoint ZoneCentre(int index) { return wnd.GetScrolledRect(index).CenterPoint(); }
  LPARAM Self() { return reinterpret_cast<LPARAM>(wnd.m_hWnd); }

  smallctrls::FrameworkParent parent;
  CSensitiveWnd wnd;
};

TEST_F(Sensitive, ClickHereNowMakesOneZoneAndSendsItsIdWithEachAction) {
  ASSERT_EQ(wnd.GetZoneCount(), 1);
  const CSensibleZone* zone = wnd.GetZone(0);
  EXPECT_EQ(zone->m_id, 42);
  EXPECT_EQ(zone->m_line, 0);
  EXPECT_EQ(zone->m_label, CString(_T("here")));
  EXPECT_EQ(wnd.GetLineCount(), 1);
  EXPECT_EQ(wnd.GetLine(0), CString(_T("Click here now")));
  const CPoint in = ZoneCentre(0);

  // Mouse moved onto the zone of a window with nothing hovered: "entered" with id 42.
  const ExpectedMsg kEnter[] = {{WM_COMMAND, kSent | kParent | kWparam | kLparam, MAKEWPARAM(42, 1), Self()}, {0, 0, 0, 0}};
  Act(WM_MOUSEMOVE, in.x, in.y);
  EXPECT_TRUE(Recorder().Matches(kEnter));
  EXPECT_EQ(wnd.GetHoveredZone(), 0);

  // Moved within the hovered zone: nothing.
  const ExpectedMsg kNothing[] = {{0, 0, 0, 0}};
  Act(WM_MOUSEMOVE, in.x + 1, in.y);
  EXPECT_TRUE(Recorder().Matches(kNothing));

  // Pressed and released on the hovered zone: "clicked" with id 42 on the release only.
  Act(WM_LBUTTONDOWN, in.x, in.y);
  EXPECT_TRUE(Recorder().Matches(kNothing));
  const ExpectedMsg kClick[] = {{WM_COMMAND, kSent | kParent | kWparam | kLparam, MAKEWPARAM(42, 3), Self()}, {0, 0, 0, 0}};
  Act(WM_LBUTTONUP, in.x, in.y);
  EXPECT_TRUE(Recorder().Matches(kClick));
  EXPECT_EQ(wnd.GetPressedZone(), -1);

  // Moved off the zone onto plain text: "left" with id 42.
  const ExpectedMsg kLeave[] = {{WM_COMMAND, kSent | kParent | kWparam | kLparam, MAKEWPARAM(42, 2), Self()}, {0, 0, 0, 0}};
  Act(WM_MOUSEMOVE, 2, in.y);
  EXPECT_TRUE(Recorder().Matches(kLeave));
  EXPECT_EQ(wnd.GetHoveredZone(), -1);
}

TEST_F(Sensitive, PressOnOneZoneAndReleaseOnAnotherSendsNoClick) {
  wnd.SetWindowText(_T("\x0007one\x000C") _T("1\x000C \x0007two\x000C") _T("2\x000C"));
  ASSERT_EQ(wnd.GetZoneCount(), 2);
  const CPoint one = ZoneCentre(0), two = ZoneCentre(1);
  Act(WM_LBUTTONDOWN, one.x, one.y);
  Act(WM_LBUTTONUP, two.x, two.y);
  for (const auto& c : parent.commands) EXPECT_NE(HIWORD(c.wParam), 3) << LOWORD(c.wParam);
  EXPECT_EQ(Recorder().Count(WM_COMMAND), 0u);
}

// The zone under the mouse across rebuilds: kept by its id when it is still there (a size
// change), left with code 2 when it is gone (a new text); the next move must not reach a
// zone that no longer exists.
TEST_F(Sensitive, ARebuildWhileHoveringKeepsOrLeavesTheZoneSafely) {
  const CPoint in = ZoneCentre(0);
  Act(WM_MOUSEMOVE, in.x, in.y);
  ASSERT_EQ(wnd.GetHoveredZone(), 0);

  // Resized: the zone is laid out again and is still the hovered one; nothing is sent.
  Recorder().Reset();
  wnd.SetWindowPos(NULL, 0, 0, 280, 190, SWP_NOMOVE | SWP_NOZORDER);
  Recorder().Pump();
  EXPECT_EQ(Recorder().Count(WM_COMMAND), 0u);
  EXPECT_EQ(wnd.GetHoveredZone(), 0);

  // A new font: the same.
  wnd.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_VAR_FONT)), TRUE);
  EXPECT_EQ(wnd.GetHoveredZone(), 0);

  // A text without that zone: "left" with id 42, then no zone is hovered.
  const ExpectedMsg kLeave[] = {{WM_COMMAND, kSent | kParent | kWparam | kLparam, MAKEWPARAM(42, 2), Self()}, {0, 0, 0, 0}};
  Recorder().Reset();
  wnd.SetWindowText(_T("\x0007other\x000C") _T("9\x000C plain words"));
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kLeave));
  EXPECT_EQ(wnd.GetHoveredZone(), -1);

  // The next move, over plain text and then over the new zone, works on the new zones.
  Act(WM_MOUSEMOVE, 290, 150);
  EXPECT_EQ(Recorder().Count(WM_COMMAND), 0u);
  const CPoint other = ZoneCentre(0);
  const ExpectedMsg kEnter[] = {{WM_COMMAND, kSent | kParent | kWparam | kLparam, MAKEWPARAM(9, 1), Self()}, {0, 0, 0, 0}};
  Act(WM_MOUSEMOVE, other.x, other.y);
  EXPECT_TRUE(Recorder().Matches(kEnter));

  // Pressed, then a rebuild without the zone, then released there: no click.
  Act(WM_LBUTTONDOWN, other.x, other.y);
  wnd.SetWindowText(_T("nothing here"));
  Act(WM_LBUTTONUP, other.x, other.y);
  for (const auto& c : parent.commands) EXPECT_NE(HIWORD(c.wParam), 3);
}

// A font whose external leading is not 0: the label drawn on line 5 lies inside its zone's
// rectangle, and the scroll range covers the lines as drawn.
TEST_F(Sensitive, ZoneRectanglesMatchTheLabelPixelsWithALeadingFont) {
  const TCHAR* faces[] = {_T("Times New Roman"), _T("Arial"), _T("Tahoma"), _T("Courier New"), _T("MS Sans Serif"),
                          _T("Liberation Serif"), _T("DejaVu Serif"), _T("Symbol")};
  uih::OwnedFont font;
  TEXTMETRIC tm = {};
  for (const TCHAR* face : faces) {
    LOGFONT lf = {};
    lf.lfHeight = -24;
    lstrcpyn(lf.lfFaceName, face, LF_FACESIZE);
    font.Reset(::CreateFontIndirect(&lf));
    uih::WindowDC screen(NULL);
    uih::Selection sel(screen.Get(), font.Get());
    ::GetTextMetrics(screen.Get(), &tm);
    if (tm.tmExternalLeading > 0) break;
  }
  ASSERT_GT(tm.tmExternalLeading, 0) << "no font with an external leading to lay out with";
  wnd.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  wnd.SetWindowText(_T("zero\none\ntwo\nthree\nfour\nfive \x0007WWWW\x000C") _T("5\x000C end"));
  ASSERT_EQ(wnd.GetZoneCount(), 1);
  ASSERT_EQ(wnd.GetZone(0)->m_line, 5);
  EXPECT_EQ(wnd.GetLinePitch(), tm.tmHeight + tm.tmExternalLeading);

  CRect client;
  wnd.GetClientRect(&client);
  DibCanvas canvas(client.Width(), client.Height());
  ASSERT_TRUE(canvas.valid());
  wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  // The label is drawn in the highlight colour on the window colour.
  const COLORREF label = ::GetSysColor(COLOR_HIGHLIGHT);
  const CRect zone = wnd.GetScrolledRect(0);
  const int inside = canvas.CountOf(label, zone);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(canvas.CountOf(label), inside) << "label pixels outside " << zone.top << ".." << zone.bottom;

  SCROLLINFO si = {sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
  ASSERT_TRUE(::GetScrollInfo(wnd.m_hWnd, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 6 * wnd.GetLinePitch());
}

TEST_F(Sensitive, TheSharedWindowClassKeepsItsBrush) {
  CWnd other;
  ASSERT_TRUE(other.Create(NULL, _T("other"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 8));
  const ULONG_PTR before = ::GetClassLongPtr(other.m_hWnd, GCLP_HBRBACKGROUND);
  CSensitiveWnd second;
  ASSERT_TRUE(second.Create(kClickHere, WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 9));
  ASSERT_EQ(::GetClassLongPtr(second.m_hWnd, GCLP_HBRBACKGROUND), before) << "the same class";
  EXPECT_EQ(::GetClassLongPtr(other.m_hWnd, GCLP_HBRBACKGROUND), before);
  // It paints its own background: the window colour over the whole client area.
  CRect client;
  second.GetClientRect(&client);
  DibCanvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
  EXPECT_TRUE(second.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())));
  EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0);
}

// Texts from outside: unfinished mark-up, long words, empty lines.
TEST_F(Sensitive, HostileTextsLayOutWithoutZonesOrCuts) {
  struct Case {
    const TCHAR* text;
    int zones;
    int lines;
    const TCHAR* line0;
  } const cases[] = {
      {_T("Go \x0007there"), 0, 1, _T("Go there")},                       // no separator at all
      {_T("Go \x0007there\x000C") _T("12"), 0, 1, _T("Go there")},          // no closing separator
      {_T("\x0007\x000C\x000C"), 1, 1, _T("")},                             // empty label, no digits: id 0
      {_T("a\n\nb"), 0, 3, _T("a")},                                       // an empty line
      {_T("\x0007x\x000C") _T("3\x000C"), 1, 1, _T("x")},                   // a zone at the very end
      {_T(""), 0, 0, _T("")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::basic_string<TCHAR>(c.text).size()));
    wnd.SetWindowText(c.text);
    EXPECT_EQ(wnd.GetZoneCount(), c.zones);
    EXPECT_EQ(wnd.GetLineCount(), c.lines);
    EXPECT_EQ(wnd.GetLine(0), CString(c.line0));
  }
  // A word and a label of 5,000 characters stay whole.
  const CString word(_T('w'), 5000), label(_T('l'), 5000);
  wnd.SetWindowText(word + _T(" \x0007") + label + _T("\x000C") _T("77\x000C"));
  ASSERT_EQ(wnd.GetZoneCount(), 1);
  EXPECT_EQ(wnd.GetZone(0)->m_label.GetLength(), 5000);
  EXPECT_EQ(wnd.GetZone(0)->m_id, 77);
  EXPECT_EQ(wnd.GetLine(0).GetLength(), 10001);
}

TEST_F(Sensitive, HorizontalBarOnlyForALineWiderThanTheWindow) {
  auto horizontalEnabled = [&]() {
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ::GetScrollBarInfo(wnd.m_hWnd, OBJID_HSCROLL, &sbi);
    return (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
  };
  wnd.SetWindowText(_T("short line"));
  EXPECT_EQ(wnd.GetLineCount(), 1);
  EXPECT_FALSE(horizontalEnabled());
  wnd.SetWindowText(CString(_T('W'), 200));
  EXPECT_EQ(wnd.GetLineCount(), 1);
  EXPECT_TRUE(horizontalEnabled());
}

TEST_F(Sensitive, ScrollingMovesInPixelsAndRepaintsOnlyOnAChange) {
  CString text;
  for (int i = 0; i < 100; ++i) text += _T("line\n");
  wnd.SetWindowText(text);
  wnd.UpdateWindow();
  // At the top already: nothing to repaint.
  wnd.SendMessage(WM_VSCROLL, SB_TOP);
  CRect pending;
  EXPECT_FALSE(wnd.GetUpdateRect(&pending));
  EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 0);
  struct Step {
    UINT code;
    int expected;
  } const steps[] = {{SB_LINEDOWN, 5}, {SB_LINEDOWN, 10}, {SB_LINEUP, 5}, {SB_TOP, 0}};
  for (const Step& s : steps) {
    wnd.SendMessage(WM_VSCROLL, s.code);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), s.expected) << s.code;
  }
  // The bottom: the last page in view, the zone rectangles moved with it.
  wnd.SetWindowText(text + _T("\x0007last\x000C") _T("5\x000C"));
  wnd.SendMessage(WM_VSCROLL, SB_BOTTOM);
  const int pos = wnd.GetScrollPos(SB_VERT);
  EXPECT_GT(pos, 0);
  EXPECT_EQ(wnd.GetScrolledRect(0).top, wnd.GetZone(0)->m_rect.top - pos);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_LE(wnd.GetScrolledRect(0).bottom, client.bottom + wnd.GetLinePitch());
}

}  // namespace
