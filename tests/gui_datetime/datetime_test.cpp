// The date/time field: the locale's formats, dates and their days, years and pivots, the
// 12-hour clock, typing, pasting, the arrows, tabbing, the change notification, painting and
// the control's lifetime.
#include "datetime_test.h"

#include <commctrl.h>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "recorder.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The locales' formats as the system gives them, and the fields they lay out.
TEST_F(DateTimeTest, LocaleFormatsOrderTheFields) {
  struct Case {
    const wchar_t* locale;
    int order;
    const wchar_t* separator;
    bool twentyFour;
    const wchar_t* shown[3];  // positions 0, 2, 4 for 7 March 2031
  } cases[] = {
      {L"de-DE", 1, L".", true, {L"07", L"03", L"2031"}},
      {L"en_US", 0, L"/", false, {L"03", L"07", L"2031"}},
      {L"ja-JP", 2, L"/", true, {L"2031", L"03", L"07"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.locale)));
    QvDateTimeFormat format;
    ASSERT_TRUE(format.ReadFrom(c.locale));
    EXPECT_EQ(format.dateOrder, c.order);
    EXPECT_EQ(format.dateSeparator.ToWide(), c.separator);
    EXPECT_EQ(format.twentyFourHours, c.twentyFour);
    EXPECT_FALSE(format.amText.IsEmpty()) << "a locale without texts keeps AM";
    UseLocale(c.locale);
    ASSERT_TRUE(control->SetDate(QvDate(2031, 3, 7)));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(TextAt(i * 2), c.shown[i]) << "position " << i * 2;
    EXPECT_EQ(FieldAt(5), nullptr);
    // The four-character year field is wider than the others.
    const int yearAt = c.order == 2 ? 0 : 4;
    const RECT year = platform->GetItemRect(yearAt), other = platform->GetItemRect(2);
    EXPECT_GT(year.right - year.left, other.right - other.left);
    QvDate back;
    EXPECT_TRUE(control->GetDate(back));
    EXPECT_EQ(back, QvDate(2031, 3, 7));
  }
  // A name the system does not know changes nothing.
  QvDateTimeFormat format;
  format.dateOrder = 2;
  EXPECT_FALSE(format.ReadFrom(L"xx-Nowhere"));
  EXPECT_EQ(format.dateOrder, 2);
}

// 31 January moved to February keeps a day of February: February's length follows the
// pivoted year and the Gregorian rule; the change is told once.
TEST_F(DateTimeTest, DayFollowsTheMonthAndTheYear) {
  struct Case {
    unsigned short year;
    bool fourDigits;
    int day;
  } cases[] = {
      {1999, false, 28},
      {2000, false, 29},  // shown as 00
      {2028, false, 29},
      {1930, false, 28},
      {1900, true, 28},  // divisible by 100, not by 400
      {2000, true, 29},
      {2400, true, 29},
      {2100, true, 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << (c.fourDigits ? " four digits" : " two digits"));
    UseLocale(L"de-DE", c.fourDigits);
    ASSERT_TRUE(control->SetDate(QvDate(c.year, 1, 31)));
    container->seen.clear();
    TypeInto(2, L"2");  // the month, while the day is not the field being typed
    EXPECT_EQ(ChangeCount(), 1);
    QvDate date;
    ASSERT_TRUE(control->GetDate(date));
    EXPECT_EQ(date, QvDate(c.year, 2, static_cast<unsigned short>(c.day)));
    EXPECT_EQ(TextAt(0), std::to_wstring(c.day));
  }
}

// Two-digit years pivot at 30; four-digit years take 1601 to 9999, and one or two digits
// typed into them pivot when the focus leaves.
TEST_F(DateTimeTest, YearsAndPivots) {
  UseLocale(L"de-DE", false);
  ASSERT_TRUE(control->SetDate(QvDate(1999, 1, 31)));
  EXPECT_EQ(TextAt(4), L"99");
  struct Typed {
    const wchar_t* text;
    unsigned short year;
  } twoDigits[] = {{L"29", 2029}, {L"30", 1930}, {L"00", 2000}, {L"99", 1999}, {L"123", 2012}};  // two characters taken
  for (const Typed& t : twoDigits) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(t.text)));
    TypeInto(4, t.text);
    QvDate date;
    ASSERT_TRUE(control->GetDate(date));
    EXPECT_EQ(date.GetYear(), t.year);
  }

  UseLocale(L"de-DE", true);
  ASSERT_TRUE(control->SetDate(QvDate(1999, 1, 31)));
  EXPECT_EQ(TextAt(4), L"1999");
  struct Wide {
    const wchar_t* text;
    unsigned short year;  // after the focus has left
    int changes;
  } fourDigits[] = {
      {L"2037", 2037, 1},  // past 2036
      {L"9999", 9999, 1},
      {L"1601", 1601, 1},
      {L"1600", 1601, 0},  // refused
      {L"29", 2029, 1},    // pivoted when the focus leaves
      {L"45", 1945, 1},
      {L"123", 1945, 0},   // three digits make no year
  };
  for (const Wide& w : fourDigits) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(w.text)));
    Focus(4);
    container->seen.clear();
    TypeInto(4, w.text);
    Focus(0);
    EXPECT_EQ(ChangeCount(), w.changes);
    QvDate date;
    ASSERT_TRUE(control->GetDate(date));
    EXPECT_EQ(date.GetYear(), w.year);
    EXPECT_EQ(TextAt(4), std::to_wstring(w.year));
  }
}

// GetDate answers false, leaving its date alone, in time mode and for fields that make no
// date; SetDate refuses no date.
TEST_F(DateTimeTest, RefusedDates) {
  UseLocale(L"de-DE");
  QvDate date(2001, 2, 3);
  EXPECT_FALSE(control->GetDate(date)) << "time mode before any date";
  ASSERT_TRUE(control->SetDate(QvDate(1999, 2, 28)));
  platform->m_values[CGUIDateTimeCtrl::kFirstValue] = 29;  // 29 February 1999
  EXPECT_FALSE(control->GetDate(date));
  EXPECT_EQ(date, QvDate(2001, 2, 3));
  EXPECT_FALSE(control->SetDate(QvDate()));
  EXPECT_EQ(TextAt(0), L"28") << "the refused date changed nothing";
  QvTime time;
  QvZone zone;
  EXPECT_FALSE(control->GetTime(date, time, zone)) << "date mode";
}

// The 12-hour clock: midnight and noon, AM and PM, with and without seconds; the 24-hour
// clock of de-DE.
TEST_F(DateTimeTest, TwelveHourClock) {
  struct Case {
    const wchar_t* locale;
    unsigned short style;
    QvTime time;
    const wchar_t* shown[4];  // positions 0, 2, 4, 5; null: no field
  } cases[] = {
      {L"en-US", 0, QvTime(0, 15, 0), {L"12", L"15", nullptr, L"AM"}},
      {L"en-US", 0, QvTime(12, 0, 0), {L"12", L"00", nullptr, L"PM"}},
      {L"en-US", 1, QvTime(23, 59, 58), {L"11", L"59", L"58", L"PM"}},
      {L"en-US", 1, QvTime(1, 2, 3), {L"01", L"02", L"03", L"AM"}},
      {L"de-DE", 1, QvTime(23, 5, 0), {L"23", L"05", L"00", nullptr}},
      {L"de-DE", 0, QvTime(0, 15, 0), {L"00", L"15", nullptr, nullptr}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.time.GetHour() << ":" << c.time.GetMinute() << " style " << c.style);
    UseLocale(c.locale);
    QvZone zone;
    control->SetTime(c.time, zone);
    control->SetStyle(c.style);
    const int positions[4] = {0, 2, 4, 5};
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(positions[i]);
      if (c.shown[i]) {
        EXPECT_EQ(TextAt(positions[i]), c.shown[i]);
      } else {
        EXPECT_EQ(FieldAt(positions[i]), nullptr);
      }
    }
    QvTime back;
    EXPECT_TRUE(control->GetTime(QvDate(2020, 1, 1), back, zone));
    EXPECT_EQ(back, c.time);
    QvDate date;
    EXPECT_FALSE(control->GetDate(date)) << "time mode";
  }
  // SetStyle takes only the low bits: the mode and the year width stay.
  control->SetStyle(0xC000);
  QvDate date;
  EXPECT_FALSE(control->GetDate(date));
  EXPECT_EQ(platform->GetStyle(), 0);
  EXPECT_EQ(FieldAt(4), nullptr) << "no seconds";
  UseLocale(L"de-DE", false);
  ASSERT_TRUE(control->SetDate(QvDate(1999, 1, 31)));
  control->SetStyle(0x0001);
  EXPECT_EQ(platform->GetStyle(), CGUIDateTimeCtrl::kDateMode | CGUIDateTimeCtrl::kShowSeconds);
  EXPECT_EQ(TextAt(4), L"99");
}

// Typed and pasted texts: what a field refuses never reaches the values, what it takes is
// told once.
TEST_F(DateTimeTest, TypingAndPastingAreChecked) {
  UseLocale(L"de-DE");
  ASSERT_TRUE(control->SetDate(QvDate(2024, 1, 15)));
  struct Typed {
    int position;
    const wchar_t* text;
    const wchar_t* shown;
    int changes;
  } typed[] = {
      {2, L"13", L"1", 0},   // the month 13 is refused: the month 1 shows again
      {2, L"x5", L"5", 1},   // letters are dropped
      {2, L"0", L"5", 0},    // month 0: refused, shown unpadded
      {0, L"31", L"31", 2},  // 3, then 31
      {0, L"32", L"3", 1},   // 3 is taken, 32 refused
  };
  for (const Typed& t : typed) {
    SCOPED_TRACE(testing::Message() << t.position << " " << testing::PrintToString(std::wstring(t.text)));
    container->seen.clear();
    TypeInto(t.position, t.text);
    EXPECT_EQ(TextAt(t.position), t.shown);
    EXPECT_EQ(ChangeCount(), t.changes);
  }
  QvDate date;
  ASSERT_TRUE(control->GetDate(date));
  EXPECT_EQ(date, QvDate(2024, 5, 3));

  struct Pasted {
    int position;
    const wchar_t* clipboard;
    const wchar_t* shown;
    int changes;
  } pastes[] = {
      {2, L"123", L"5", 0},     // three digits into a two-character field: the text stays
      {2, L"1a", L"5", 0},      // a letter
      {2, L"7", L"7", 1},
      {2, L"99", L"7", 0},      // pasted, out of range: put back
      {4, L"2037", L"2037", 1},
  };
  for (const Pasted& p : pastes) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(p.clipboard)));
    PutTextOnClipboard(parent.m_hWnd, p.clipboard);
    container->seen.clear();
    SendMessageW(FieldAt(p.position), EM_SETSEL, 0, -1);
    SendMessageW(FieldAt(p.position), WM_PASTE, 0, 0);
    PumpMessages();
    EXPECT_EQ(TextAt(p.position), p.shown);
    EXPECT_EQ(ChangeCount(), p.changes);
  }
  ASSERT_TRUE(control->GetDate(date));
  EXPECT_EQ(date, QvDate(2037, 7, 3));

  // The 12-hour hour refuses 13; the AM/PM field takes no characters and no paste.
  UseLocale(L"en-US");
  QvZone zone;
  control->SetTime(QvTime(1, 30, 0), zone);
  TypeInto(0, L"13");
  EXPECT_EQ(TextAt(0), L"1");
  TypeInto(5, L"P1");
  EXPECT_EQ(TextAt(5), L"AM");
  PutTextOnClipboard(parent.m_hWnd, L"1");
  SendMessageW(FieldAt(5), WM_PASTE, 0, 0);
  EXPECT_EQ(TextAt(5), L"AM");
  QvTime time;
  ASSERT_TRUE(control->GetTime(QvDate(), time, zone));
  EXPECT_EQ(time, QvTime(1, 30, 0));
}

// The arrows step the focused field and wrap: month 12 -> 1, hour 12 -> 1, AM <-> PM; each
// step is told once, as WM_NOTIFY -84 to the parent and 1800 to the container.
TEST_F(DateTimeTest, ArrowsWrapAndTellEachStep) {
  struct Case {
    const wchar_t* locale;
    bool date;
    int position;
    WORD key;
    const wchar_t* before;
    const wchar_t* after;
  } cases[] = {
      {L"de-DE", true, 2, VK_UP, L"12", L"01"},
      {L"de-DE", true, 2, VK_DOWN, L"01", L"12"},
      {L"de-DE", true, 0, VK_UP, L"31", L"01"},  // 31 December: the last day of the month
      {L"en-US", false, 0, VK_UP, L"12", L"01"},
      {L"en-US", false, 5, VK_UP, L"PM", L"AM"},
      {L"en-US", false, 5, VK_DOWN, L"AM", L"PM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << " " << testing::PrintToString(std::wstring(c.before)));
    UseLocale(c.locale);
    QvZone zone;
    if (c.date)
      ASSERT_TRUE(control->SetDate(QvDate(2023, 12, 31)));
    else
      control->SetTime(QvTime(12, 40, 0), zone);
    Focus(c.position);
    if (TextAt(c.position) != c.before) {
      SendMessageW(FieldAt(c.position), WM_KEYDOWN, c.key == VK_UP ? VK_DOWN : VK_UP, 0);  // step back first
      PumpMessages();
    }
    ASSERT_EQ(TextAt(c.position), c.before);
    ASSERT_EQ(platform->GetCurrentEdit()->m_hWnd, FieldAt(c.position));
    container->seen.clear();
    Recorder().Reset();
    // A step by the arrow key in the focused field: the control tells its parent once.
    SendMessageW(FieldAt(c.position), WM_KEYDOWN, c.key, 0);
    Recorder().Pump();
    const ExpectedMsg told[] = {{WM_NOTIFY, kSent | kParent | kWparam, kField, 0}, {0, 0, 0, 0}};
    EXPECT_TRUE(Recorder().Matches(told));
    EXPECT_EQ(TextAt(c.position), c.after);
    EXPECT_EQ(ChangeCount(), 1);
  }
}

// A click on the arrows while the focus is elsewhere steps the field they serve, gives it the
// focus back and tells the change once.
TEST_F(DateTimeTest, ArrowClickRefocusesTheField) {
  UseLocale(L"de-DE");
  ASSERT_TRUE(control->SetDate(QvDate(2023, 11, 30)));
  Focus(2);  // the month serves the arrows
  HWND button = GetDlgItem(parent.m_hWnd, kAfter);
  SetFocus(button);
  ASSERT_EQ(GetFocus(), button);
  HWND arrows = GetDlgItem(field, CGUIDateTimeCtrl::kArrowsId);
  ASSERT_TRUE(arrows);
  RECT rc;
  GetClientRect(arrows, &rc);
  const LPARAM upper = MAKELPARAM((rc.right - rc.left) / 2, (rc.bottom - rc.top) / 4);
  container->seen.clear();
  SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  SendMessageW(arrows, WM_LBUTTONUP, 0, upper);
  PumpMessages();
  EXPECT_EQ(GetFocus(), FieldAt(2));
  EXPECT_EQ(TextAt(2), L"12");
  EXPECT_EQ(ChangeCount(), 1);
  QvDate date;
  ASSERT_TRUE(control->GetDate(date));
  EXPECT_EQ(date, QvDate(2023, 12, 30));
}

// Tab and Shift+Tab go through the fields and out to the neighbours; the focus coming back
// from behind lands on the last field, from before on the first.
TEST_F(DateTimeTest, TabbingThroughTheFields) {
  UseLocale(L"en-US");
  QvZone zone;
  control->SetTime(QvTime(9, 41, 7), zone);
  control->SetStyle(1);
  HWND before = GetDlgItem(parent.m_hWnd, kBefore), after = GetDlgItem(parent.m_hWnd, kAfter);
  Focus(0);
  struct Step {
    bool shift;
    HWND expected;
  };
  const Step steps[] = {{false, FieldAt(2)}, {false, FieldAt(4)}, {false, FieldAt(5)}, {false, after}};
  for (const Step& s : steps) {
    HWND from = GetFocus();
    SendMessageW(from, WM_CHAR, '\t', 0);
    PumpMessages();
    EXPECT_EQ(GetFocus(), s.expected);
  }
  EXPECT_EQ(platform->GetCurrentEdit(), nullptr) << "leaving clears the current field";
  // Back from the next item: the last field; from the previous one: the first.
  SetFocus(field);
  EXPECT_EQ(GetFocus(), FieldAt(5));
  SetFocus(before);
  SetFocus(field);
  EXPECT_EQ(GetFocus(), FieldAt(0));
  // Shift+Tab from the first field leaves backwards.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(FieldAt(2), WM_CHAR, '\t', 0);  // not focused: the field before it
  SendMessageW(FieldAt(0), WM_CHAR, '\t', 0);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), before);
}

// The frame, the background and the separators in pixels; disabled on the button face in
// the grey text colour; the portable text colour for the separators.
TEST_F(DateTimeTest, PaintsFrameAndSeparators) {
  UseLocale(L"de-DE");
  ASSERT_TRUE(control->SetDate(QvDate(2024, 6, 1)));
  RECT client;
  GetClientRect(field, &client);
  EXPECT_GT(client.right, 60) << "sized to its fields";
  const RECT separator = platform->GetItemRect(1);
  ASSERT_GT(separator.right, separator.left);
  struct Case {
    bool enabled;
    bool coloured;
    COLORREF background, ink;
  } cases[] = {
      {true, false, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)},
      {true, true, GetSysColor(COLOR_WINDOW), RGB(0, 128, 0)},
      {false, false, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.enabled << c.coloured);
    control->Enable(c.enabled);
    if (c.coloured)
      control->SetTextColor(QvColor(0, 128 << 8, 0));
    else
      control->SetDefaultTextColor();
    EXPECT_EQ(IsWindowEnabled(FieldAt(0)) != FALSE, c.enabled);
    DibCanvas canvas(client.right, client.bottom, RGB(1, 2, 3));
    SendMessageW(field, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.CountOf(RGB(1, 2, 3)), 0);
    EXPECT_NE(canvas.At(0, 0), c.background) << "the sunken edge";
    EXPECT_EQ(canvas.At(3, client.bottom / 2), c.background);
    EXPECT_GT(canvas.CountOf(c.ink, separator), 0) << "the separator";
    EXPECT_EQ(canvas.CountOf(c.ink, separator) + canvas.CountOf(c.background, separator),
              (separator.right - separator.left) * (separator.bottom - separator.top))
        << "drawn transparently in one colour";
  }
}

// Font messages: the field keeps what WM_SETFONT gives and lays itself out with it.
TEST_F(DateTimeTest, FontIsKept) {
  UseLocale(L"de-DE");
  ASSERT_TRUE(control->SetDate(QvDate(2024, 6, 1)));
  RECT small;
  GetClientRect(field, &small);
  LOGFONTW big = {};
  big.lfHeight = -32;
  wcscpy(big.lfFaceName, L"Tahoma");
  HFONT font = CreateFontIndirectW(&big);
  SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(FieldAt(0), WM_GETFONT, 0, 0)), font);
  RECT large;
  GetClientRect(field, &large);
  EXPECT_GT(large.right, small.right);
  EXPECT_GT(large.bottom, small.bottom);
  SendMessageW(field, WM_SETFONT, 0, FALSE);
  DeleteObject(font);
}

// A parent that destroys the field while it is told of a change: the field stops there.
TEST_F(DateTimeTest, ParentDestroysTheFieldWhileTold) {
  UseLocale(L"de-DE");
  ASSERT_TRUE(control->SetDate(QvDate(2024, 1, 31)));
  HWND edit = FieldAt(2);
  container->onNotify = [this](QvControlNotification&) { DestroyWindow(field); };
  TypeInto(2, L"2");
  EXPECT_FALSE(IsWindow(field));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(ChangeCount(), 1);
}

// Fields made, rebuilt in other modes and destroyed give back every window and GDI object.
TEST_F(DateTimeTest, LeavesNothingBehind) {
  auto round = [this]() {
    CGUIDateTimeCtrl* made = new CGUIDateTimeCtrl;
    ASSERT_TRUE(made->Create(WS_CHILD | WS_VISIBLE, CRect(0, 90, 100, 110), &parent, 40));
    UseLocale(L"en-US");
    made->SetTime(QvTime(13, 0, 0));
    made->SetStyle(1);
    UseLocale(L"de-DE", false);
    made->SetDate(QvDate(1999, 1, 31));
    DibCanvas canvas(200, 40);
    SendMessageW(made->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    delete made;
  };
  round();
  PumpMessages();
  const GuiCounts before = GuiCounts::Now();
  round();
  PumpMessages();
  EXPECT_EQ(GuiCounts::Now(), before);
}

}  // namespace
