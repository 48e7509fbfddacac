// Spinners, sliders and progress bars on real dialog children: the spinner's arrows, input
// rules typed with SendInput, clamping and value notifications; ranges and positions beyond
// 16 bits; the slider's scroll notifications.

#include <algorithm>
#include <string>

#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

class NumberControls : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    spinner = Get<QvSpinner>(kSpinner);
    ASSERT_TRUE(spinner);
    arrows = GetDlgItem(dialog.m_hWnd, 100);
    ASSERT_TRUE(arrows);
  }
  // The spinner values that reached the container (205), in order.
  std::vector<LONG_PTR> Values() const {
    std::vector<LONG_PTR> out;
    for (const Seen& s : container->seen)
      if (s.id == kSpinner && s.code == 205) out.push_back(s.value);
    return out;
  }
  long Value() {
    long value = -999;
    EXPECT_TRUE(spinner->GetValue(value));
    return value;
  }
  QvSpinner* spinner = nullptr;
  HWND arrows = NULL;
};

// Binding makes the arrows beside the edit, which gets narrower by their width.
TEST_F(NumberControls, ArrowsBesideTheEdit) {
  RECT edit, arrow;
  GetWindowRect(Child(kSpinner), &edit);
  GetWindowRect(arrows, &arrow);
  EXPECT_EQ(arrow.left, edit.right);
  EXPECT_NEAR(arrow.right - arrow.left, GetSystemMetrics(SM_CXHSCROLL), 1);  // the arrows round their width
  EXPECT_EQ(arrow.top, edit.top);
  EXPECT_EQ(arrow.bottom, edit.bottom);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), Child(kSpinner));
  EXPECT_EQ(GetWindowLongW(arrows, GWL_STYLE) & 0xFFFF, UDS_ARROWKEYS | UDS_SETBUDDYINT);
  double minimum = 1, maximum = 1;
  ASSERT_TRUE(spinner->GetRange(minimum, maximum));
  EXPECT_EQ(minimum, 0.0);
  EXPECT_EQ(maximum, 100.0);
  EXPECT_EQ(spinner->GetStep(), 1.0);
  EXPECT_FALSE(spinner->IsRealInput());

  // Laid out again from where the edit is now.
  MoveWindow(Child(kSpinner), 10, 10, 50, 20, TRUE);
  spinner->Redraw();
  GetWindowRect(Child(kSpinner), &edit);
  GetWindowRect(arrows, &arrow);
  EXPECT_EQ(arrow.left, edit.right);
  EXPECT_EQ(arrow.bottom - arrow.top, 20);
}

// Typing 2, 5, 0 in the range 0 to 100 gives 2, 25 and 100, one notification each; the text
// shows 100 once the focus leaves.
TEST_F(NumberControls, TypedDigitsAreClampedAndReported) {
  spinner->SetRange(0, 100);
  spinner->SetValue(0);
  Focus(kSpinner);
  SendMessageW(Child(kSpinner), EM_SETSEL, 0, -1);
  container->seen.clear();
  TypeKeys({'2', '5', '0'});
  PumpMessages();
  EXPECT_EQ(Values(), (std::vector<LONG_PTR>{2, 25, 100}));
  EXPECT_EQ(Value(), 100);
  EXPECT_EQ(Text(kSpinner), L"250");
  Focus(kPush);
  EXPECT_EQ(Text(kSpinner), L"100");

  // Letters and signs are dropped while the minimum is 0.
  Focus(kSpinner);
  SendMessageW(Child(kSpinner), EM_SETSEL, 0, -1);
  TypeKeys({'A', VK_OEM_MINUS, '7'});
  PumpMessages();
  EXPECT_EQ(Text(kSpinner), L"7");
  EXPECT_EQ(Value(), 7);

  // With a minimum below 0 the minus sign passes.
  spinner->SetRange(-10, 10);
  SendMessageW(Child(kSpinner), EM_SETSEL, 0, -1);
  TypeKeys({VK_OEM_MINUS, '3'});
  PumpMessages();
  EXPECT_EQ(Text(kSpinner), L"-3");
  EXPECT_EQ(Value(), -3);

  // The arrow keys step through the arrows, which set the text: the value follows.
  container->seen.clear();
  TypeKeys({VK_UP});
  PumpMessages();
  EXPECT_EQ(Value(), -2);
  EXPECT_EQ(Values(), (std::vector<LONG_PTR>{-2}));
}

// Texts set through the window keep only digits and minus signs, whatever their length; a
// paste of anything else is refused.
TEST_F(NumberControls, TextsAreFiltered) {
  spinner->SetRange(-100000, 100000);
  SetWindowTextW(Child(kSpinner), L"a1b2c3");
  EXPECT_EQ(Text(kSpinner), L"123");
  EXPECT_EQ(Value(), 123);
  std::wstring longText;
  for (int i = 0; i < 300; ++i) longText += i == 150 ? L"42" : L"x";
  SetWindowTextW(Child(kSpinner), longText.c_str());  // once copied into 88 characters
  EXPECT_EQ(Text(kSpinner), L"42");
  EXPECT_EQ(Value(), 42);

  auto paste = [this](const wchar_t* text) {
    PutOnClipboard(dialog.m_hWnd, text);
    SendMessageW(Child(kSpinner), EM_SETSEL, 0, -1);
    SendMessageW(Child(kSpinner), WM_PASTE, 0, 0);
  };
  paste(L"5x");
  EXPECT_EQ(Text(kSpinner), L"42");
  paste(L"-55");
  EXPECT_EQ(Text(kSpinner), L"-55");
  EXPECT_EQ(Value(), -55);
}

// The range limits the text length: digits plus one for a minus sign.
TEST_F(NumberControls, RangeLimitsTheText) {
  spinner->SetRange(-1000, 50);
  EXPECT_EQ(SendMessageW(Child(kSpinner), EM_GETLIMITTEXT, 0, 0), 5);
  spinner->SetRange(0, 100);
  EXPECT_EQ(SendMessageW(Child(kSpinner), EM_GETLIMITTEXT, 0, 0), 3);
}

// With DisableOnKillFocus an out-of-range text stays when the focus leaves; the value is
// still clamped.
TEST_F(NumberControls, KeepTextOnFocusLoss) {
  spinner->SetRange(0, 100);
  spinner->DisableOnKillFocus();
  Focus(kSpinner);
  SendMessageW(Child(kSpinner), EM_SETSEL, 0, -1);
  TypeKeys({'3', '0', '0'});
  PumpMessages();
  Focus(kPush);
  EXPECT_EQ(Text(kSpinner), L"300");
  EXPECT_EQ(Value(), 100);
}

// Ranges, values and steps beyond 16 bits; read-only, disabled and hidden spinners take
// their arrows with them; the edit filters are not the spinner's.
TEST_F(NumberControls, SpinnerStateTable) {
  spinner->SetRange(-100000, 200000);
  spinner->SetValue(70000);
  EXPECT_EQ(Value(), 70000);
  EXPECT_EQ(SendMessageW(arrows, UDM_GETPOS32, 0, 0), 70000);
  int low = 0, high = 0;
  SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, -100000);
  EXPECT_EQ(high, 200000);
  EXPECT_EQ(Text(kSpinner), L"70000");
  long minimum = 0, maximum = 0;
  ASSERT_TRUE(spinner->GetRange(minimum, maximum));
  EXPECT_EQ(minimum, -100000);
  EXPECT_EQ(maximum, 200000);
  spinner->SetStep(5);
  UDACCEL accel = {};
  SendMessageW(arrows, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  EXPECT_EQ(accel.nInc, 5u);
  EXPECT_EQ(spinner->GetStep(), 5.0);

  spinner->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongW(Child(kSpinner), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(IsWindowEnabled(arrows));
  spinner->SetReadOnly(false);
  EXPECT_TRUE(IsWindowEnabled(arrows));
  spinner->Enable(false);
  EXPECT_FALSE(IsWindowEnabled(arrows));
  spinner->Enable(true);
  EXPECT_TRUE(IsWindowEnabled(arrows));
  spinner->Show(false);
  EXPECT_FALSE(IsWindowVisible(arrows));
  spinner->Show(true);
  EXPECT_TRUE(IsWindowVisible(arrows));

  // The character sets of edit fields have no place in a spinner: it stays whole.
  spinner->SetAuthorizedChar(QvString("abc"));
  spinner->SetFilteredChar(QvString("0123456789"));
  SetWindowTextW(Child(kSpinner), L"12");
  EXPECT_EQ(Value(), 12);
  EXPECT_EQ(SendMessageW(arrows, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(Child(kSpinner)));
  spinner->SetValue(13);
  EXPECT_EQ(Text(kSpinner), L"13");
}

// The slider and the progress bar: ranges and positions beyond 16 bits are answered as set.
TEST_F(NumberControls, SliderAndProgressBar) {
  QvSlider* slider = Get<QvSlider>(kSlider);
  QvProgressBar* progress = Get<QvProgressBar>(kProgress);
  ASSERT_TRUE(slider && progress);
  slider->SetRange(-5, 300000);
  long low = 0, high = 0;
  ASSERT_TRUE(slider->GetRange(low, high));
  EXPECT_EQ(low, -5);
  EXPECT_EQ(high, 300000);
  slider->SetValue(250000);
  EXPECT_EQ(slider->GetValue(), 250000);
  slider->SetRange(0, 100);
  slider->SetStep(50);
  const LRESULT tics = SendMessageW(Child(kSlider), TBM_GETNUMTICS, 0, 0);
  slider->SetStep(10);
  EXPECT_GT(SendMessageW(Child(kSlider), TBM_GETNUMTICS, 0, 0), tics) << "closer tics";
  EXPECT_EQ(slider->GetStep(), 0u);

  progress->SetRange(-10, 100000);
  ASSERT_TRUE(progress->GetRange(low, high));
  EXPECT_EQ(low, -10);
  EXPECT_EQ(high, 100000);
  progress->SetValue(70000);
  EXPECT_EQ(progress->GetValue(), 70000);
  EXPECT_EQ(SendMessageW(Child(kProgress), PBM_GETPOS, 0, 0), 70000);
}

// A key in the slider scrolls it: each scroll code is a portable 1200; the progress bar
// reports nothing.
TEST_F(NumberControls, SliderScrollNotifications) {
  QvSlider* slider = Get<QvSlider>(kSlider);
  slider->SetRange(0, 10);
  slider->SetValue(3);
  Recorder().Reset();
  Recorder().Ignore(WM_NOTIFY);  // the slider's custom-draw notifications while it repaints
  container->seen.clear();
  SendMessageW(Child(kSlider), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(Child(kSlider), WM_KEYUP, VK_RIGHT, 0);
  Recorder().Pump();
  Recorder().Unignore(WM_NOTIFY);
  static const ExpectedMsg kScrolled[] = {
      // TB_LINEDOWN from the key, TB_ENDTRACK when it is released.
      {WM_HSCROLL, kSent | kParent | kWparam, MAKEWPARAM(TB_LINEDOWN, 0), 0},
      {WM_HSCROLL, kSent | kParent | kWparam, MAKEWPARAM(TB_ENDTRACK, 0), 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(kScrolled));
  EXPECT_EQ(container->seen, (std::vector<Seen>{{kSlider, 1200, 0}, {kSlider, 1200, 0}}));
  EXPECT_EQ(slider->GetValue(), 4);
}

}  // namespace
