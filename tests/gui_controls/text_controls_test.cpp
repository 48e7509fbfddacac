// Static texts, edit fields, password fields and buttons on real dialog children: their
// notifications as portable notifications, edit operations and long texts, input filters
// and clipboard rules with real input, read-only boxes and their drawing in pixels.
#include <functional>
#include <string>

#include "dib_canvas.h"
#include "test_support.h"
#include "widgets_test.h"

using namespace testing_support;

namespace {

using TextControls = WidgetsTest;

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void KeyChord(WORD modifier, WORD key) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = modifier;
  in[1].ki.wVk = key;
  in[2].ki.wVk = key;
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = modifier;
  in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
}

void ClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

const int kF2Code = 256 + VK_F2;  // the portable code of F2 without modifiers

TEST_F(TextControls, NotificationsArriveAsPortableNotifications) {
  const NotificationCase cases[] = {
      // SetText with notify: the window's own change (EN_UPDATE) is dropped, one 200 raised.
      {"edit SetText notify",
       [](WidgetsTest& t) { t.Get<QvEditText>(kEdit)->SetText(QvString("abc"), true); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_UPDATE), 0},
        {WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_CHANGE), 0},
        {0, 0, 0, 0}},
       {{kEdit, 200, 0}}},
      // SetText without notify: nothing reaches the container.
      {"edit SetText quiet",
       [](WidgetsTest& t) { t.Get<QvEditText>(kEdit)->SetText(QvString("abc"), false); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_UPDATE), 0},
        {WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_CHANGE), 0},
        {0, 0, 0, 0}},
       {}},
      // A text typed by the program through the window: its change is a 200.
      {"edit text set through the window",
       [](WidgetsTest& t) { SetWindowTextW(t.Child(kEdit), L"xyz"); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_UPDATE), 0},
        {WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, EN_CHANGE), 0},
        {0, 0, 0, 0}},
       {{kEdit, 200, 0}}},
      // Left button released over the edit: 206 before the edit's own handling.
      {"edit button up",
       [](WidgetsTest& t) { SendMessageW(t.Child(kEdit), WM_LBUTTONUP, 0, MAKELPARAM(2, 2)); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, 206), 0}, {0, 0, 0, 0}},
       {{kEdit, 206, 0}}},
      // A key: 204 first, then the portable key after the edit handled it.
      {"edit key down",
       [](WidgetsTest& t) { SendMessageW(t.Child(kEdit), WM_KEYDOWN, VK_F2, 0); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, 204), 0},
        {WM_NOTIFY, kParentSent | kWparam, kEdit, 0},
        {0, 0, 0, 0}},
       {{kEdit, 204, 0}, {kEdit, 205, kF2Code}}},
      // Double click: 203, then the edit selects the word.
      {"edit double click",
       [](WidgetsTest& t) { SendMessageW(t.Child(kEdit), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kEdit, 203), 0}, {0, 0, 0, 0}},
       {{kEdit, 203, 0}}},
      // Clicks by kind: push 300, check box 500, radio button 400.
      {"push button", [](WidgetsTest& t) { SendMessageW(t.Child(kPush), BM_CLICK, 0, 0); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kPush, BN_CLICKED), 0}, {0, 0, 0, 0}},
       {{kPush, 300, 0}}},
      {"check box", [](WidgetsTest& t) { SendMessageW(t.Child(kCheck), BM_CLICK, 0, 0); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kCheck, BN_CLICKED), 0}, {0, 0, 0, 0}},
       {{kCheck, 500, 0}}},
      {"three-state box", [](WidgetsTest& t) { SendMessageW(t.Child(kTriState), BM_CLICK, 0, 0); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kTriState, BN_CLICKED), 0}, {0, 0, 0, 0}},
       {{kTriState, 500, 0}}},
      {"radio button", [](WidgetsTest& t) { SendMessageW(t.Child(kRadio), BM_CLICK, 0, 0); },
       {{WM_COMMAND, kParentSent | kWparam, Cmd(kRadio, BN_CLICKED), 0}, {0, 0, 0, 0}},
       {{kRadio, 400, 0}}},
  };
  for (const NotificationCase& c : cases) {
    SCOPED_TRACE(c.what);
    // Bound before the log starts (binding sets the font, which notifies nothing); the focus
    // on the push button, which tells nobody when it loses it.
    Get<QvEditText>(kEdit);
    Focus(kPush);
    ExpectNotifications(*this, c);
  }
  // The states after the clicks.
  EXPECT_EQ(SendMessageW(Child(kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Child(kRadio), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// A double click whose handler chose a selection keeps it (the edit does not select the
// word); otherwise the edit selects the word clicked.
TEST_F(TextControls, DoubleClickLeavesTheParentsSelection) {
  QvEditText* edit = Get<QvEditText>(kEdit);
  edit->SetText(QvString("alpha beta"), false);
  container->onNotify = [edit](QvControlNotification& n) {
    if (n.m_code == 203) edit->SetSelection(1, 3, false);
  };
  SendMessageW(Child(kEdit), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 3));
  SendMessageW(Child(kEdit), WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
  long s = 0, e = 0;
  ASSERT_TRUE(edit->GetSelection(s, e));
  EXPECT_EQ(std::make_pair(s, e), std::make_pair(1L, 3L));
  container->onNotify = nullptr;
  edit->SetSelection(0, 0, false);
  SendMessageW(Child(kEdit), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 3));
  SendMessageW(Child(kEdit), WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
  ASSERT_TRUE(edit->GetSelection(s, e));
  EXPECT_EQ(s, 0);
  EXPECT_GE(e, 5) << "the word";
}

// A static text and a group box raise nothing.
TEST_F(TextControls, StaticAndGroupRaiseNothing) {
  Focus(kPush);
  container->seen.clear();
  Get<QvStaticText>(kStatic)->SetText(QvString("new"));
  Get<QvGroupBox>(kGroup)->SetText(QvString("Group"));
  SendMessageW(Child(kGroup), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_TRUE(container->seen.empty());
  EXPECT_EQ(Text(kStatic), L"new");
}

// Edit operations and the window state they leave.
TEST_F(TextControls, EditOperations) {
  QvEditText* edit = Get<QvEditText>(kMultiLine);
  ASSERT_TRUE(edit);
  HWND w = Child(kMultiLine);
  auto sel = [w]() {
    DWORD s = 0, e = 0;
    SendMessageW(w, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return std::make_pair(static_cast<long>(s), static_cast<long>(e));
  };
  edit->SetText(QvString("first"), false);
  edit->AddText(QvString("second"));  // appended with a line break after it
  EXPECT_EQ(Text(kMultiLine), L"firstsecond\r\n");
  EXPECT_EQ(edit->GetTextLength(), 13u);
  EXPECT_TRUE(edit->IsMultilineMode());
  EXPECT_FALSE(Get<QvEditText>(kEdit)->IsMultilineMode());

  edit->SetSelection(-1, -1, false);  // the whole text
  EXPECT_EQ(sel(), std::make_pair(0L, 13L));
  edit->SetSelection(2, 4, true);
  long s = 0, e = 0;
  ASSERT_TRUE(edit->GetSelection(s, e));
  EXPECT_EQ(std::make_pair(s, e), std::make_pair(2L, 4L));
  edit->ReplaceSelection(QvString("XY"));
  EXPECT_EQ(Text(kMultiLine), L"fiXYtsecond\r\n");
  edit->SetSelection(3, 8, false);
  edit->ResetSelection();  // nothing selected (it once selected everything)
  ASSERT_TRUE(edit->GetSelection(s, e));
  EXPECT_EQ(s, e);
  EXPECT_EQ(e, 8);
  edit->SetCaretPos(5);
  EXPECT_EQ(sel(), std::make_pair(5L, 5L));
  EXPECT_EQ(edit->GetCaretPos(), 5);
  EXPECT_FALSE(SendMessageW(w, EM_CANUNDO, 0, 0)) << "replacements are not undoable";

  edit->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & ES_READONLY);
  edit->EnableInput(true);
  EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & ES_READONLY);
  edit->EnableInput(false);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & ES_READONLY);

  EXPECT_EQ(edit->GetMaxCharLimit(), 65535);
  edit->SetMaxCharLimit(5);
  EXPECT_EQ(edit->GetMaxCharLimit(), 5);
  EXPECT_EQ(SendMessageW(w, EM_GETLIMITTEXT, 0, 0), 5);
  edit->SetMaxCharLimit(-1);  // the system's maximum
  EXPECT_GT(static_cast<DWORD>(SendMessageW(w, EM_GETLIMITTEXT, 0, 0)), 65535u);

  edit->FreezeRedraw(true);
  edit->FreezeRedraw(false);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_FALSE(GetUpdateRect(w, NULL, FALSE)) << "painted at once";
}

// Texts over 1,000 and over 65,535 characters round trip; selections beyond 16 bits hold.
TEST_F(TextControls, LongTextsRoundTrip) {
  QvEditText* edit = Get<QvEditText>(kEdit);
  ASSERT_TRUE(edit);
  edit->SetMaxCharLimit(-1);
  for (size_t length : {1500u, 70000u}) {
    std::string utf8;
    for (size_t i = 0; i < length; ++i) utf8 += static_cast<char>('a' + i % 26);
    utf8 += "\xC3\xA9";  // a two-byte character at the end
    edit->SetText(QvString(utf8.c_str()), false);
    EXPECT_EQ(edit->GetTextLength(), length + 1);
    QvString back;
    const unsigned short got = edit->GetText(back);
    EXPECT_EQ(back.str(), utf8) << length;
    EXPECT_EQ(got, length + 2 > 65535 ? 65535u : length + 2) << "bytes, at most 65535";
  }
  edit->SetSelection(66000, 67500, false);
  long s = 0, e = 0;
  ASSERT_TRUE(edit->GetSelection(s, e));
  EXPECT_EQ(s, 66000);
  EXPECT_EQ(e, 67500);
  edit->SetCaretPos(69999);
  EXPECT_EQ(edit->GetCaretPos(), 69999);
}

// Typed characters pass the authorised set and not the filtered one; pastes likewise; Ctrl
// characters go through.
TEST_F(TextControls, InputFiltersWithRealInput) {
  QvEditText* edit = Get<QvEditText>(kEdit);
  ASSERT_TRUE(edit);
  edit->SetAuthorizedChar(QvString("0123456789"));
  Focus(kEdit);
  ASSERT_EQ(GetFocus(), Child(kEdit));
  TypeKeys({'1', 'A', '2', VK_SPACE, '3'});
  PumpMessages();
  EXPECT_EQ(Text(kEdit), L"123");
  TypeKeys({VK_BACK});
  PumpMessages();
  EXPECT_EQ(Text(kEdit), L"12") << "backspace always passes";

  PutOnClipboard(dialog.m_hWnd, L"45x6");
  KeyChord(VK_CONTROL, 'V');  // Ctrl+V reaches the edit; the paste is refused
  PumpMessages();
  EXPECT_EQ(Text(kEdit), L"12");
  PutOnClipboard(dialog.m_hWnd, L"456");
  KeyChord(VK_CONTROL, 'V');
  PumpMessages();
  EXPECT_EQ(Text(kEdit), L"12456");

  // A filtered character cannot be typed or pasted, even with no authorised set.
  edit->SetAuthorizedChar(QvString(""));
  edit->SetFilteredChar(QvString("x"));
  SetWindowTextW(Child(kEdit), L"");
  TypeKeys({'A', 'X', 'B'});
  PumpMessages();
  EXPECT_EQ(Text(kEdit), L"ab");
  PutOnClipboard(dialog.m_hWnd, L"cxd");
  SendMessageW(Child(kEdit), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(kEdit), L"ab");
  PutOnClipboard(dialog.m_hWnd, L"cd");
  SendMessageW(Child(kEdit), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(kEdit), L"abcd");
}

// A password field never gives its text to the clipboard; a plain edit does.
TEST_F(TextControls, PasswordKeepsTheClipboard) {
  QvPassEditText* password = Get<QvPassEditText>(kPassword);
  ASSERT_TRUE(password);
  password->SetText(QvString("secret"), false);
  PutOnClipboard(dialog.m_hWnd, L"before");
  password->SetSelection(-1, -1, false);
  SendMessageW(Child(kPassword), WM_COPY, 0, 0);
  SendMessageW(Child(kPassword), WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(dialog.m_hWnd), L"before");
  EXPECT_EQ(Text(kPassword), L"secret");
  Get<QvEditText>(kEdit)->SetText(QvString("open"), false);
  Get<QvEditText>(kEdit)->SetSelection(-1, -1, false);
  SendMessageW(Child(kEdit), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(dialog.m_hWnd), L"open");
}

// Buttons: checks, states, the three-state switch.
TEST_F(TextControls, ButtonOperations) {
  QvRadioButton* radio = Get<QvRadioButton>(kRadio);
  QvCheckBox* check = Get<QvCheckBox>(kCheck);
  ASSERT_TRUE(radio && check);
  radio->Check(true);
  EXPECT_TRUE(radio->IsChecked());
  radio->Check(false);
  EXPECT_FALSE(radio->IsChecked());
  const struct {
    QvTriState set;
    QvTriState expected;
  } states[] = {{QvChecked, QvChecked}, {QvUnchecked, QvUnchecked}, {9, QvUnchecked}, {-1, QvUnchecked}};
  for (const auto& s : states) {
    check->SetState(s.set);
    EXPECT_EQ(check->GetState(), s.expected) << s.set;
  }
  check->EnableTriState(true);
  EXPECT_EQ(GetWindowLongW(Child(kCheck), GWL_STYLE) & BS_TYPEMASK, BS_AUTO3STATE);
  check->SetState(QvIndeterminate);
  EXPECT_EQ(check->GetState(), QvIndeterminate);
  check->EnableTriState(false);
  EXPECT_EQ(GetWindowLongW(Child(kCheck), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
}

// A read-only check box ignores mouse and keyboard but keeps its state and text; switched
// back it has its type and tab stop again. A push button cannot be made read-only.
TEST_F(TextControls, ReadOnlyBoxesWithRealInput) {
  QvCheckBox* check = Get<QvCheckBox>(kCheck);
  ASSERT_TRUE(check);
  HWND w = Child(kCheck);
  check->SetState(QvChecked);
  check->SetReadOnly(true);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP);
  Focus(kCheck);
  container->seen.clear();
  ClickAt(w, 8, 6);
  TypeKeys({VK_SPACE});
  PumpMessages();
  EXPECT_EQ(check->GetState(), QvChecked);
  EXPECT_TRUE(container->seen.empty());
  check->SetState(QvUnchecked);  // the program still sets it
  EXPECT_EQ(check->GetState(), QvUnchecked);
  check->SetState(QvChecked);
  check->SetReadOnly(false);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) << "its tab stop is back";
  EXPECT_EQ(check->GetState(), QvChecked);
  ClickAt(w, 8, 6);
  PumpMessages();
  EXPECT_EQ(check->GetState(), QvUnchecked);
  EXPECT_EQ(container->seen, (std::vector<Seen>{{kCheck, 500, 0}}));

  // A push button stays a push button and keeps taking clicks.
  CGUIButton* push = dynamic_cast<CGUIButton*>(Get<QvPushButton>(kPush)->GetPlatformControl());
  ASSERT_TRUE(push);
  push->SetReadOnly(true);
  EXPECT_FALSE(push->IsReadOnly());
  container->seen.clear();
  ClickAt(Child(kPush), 5, 5);
  PumpMessages();
  EXPECT_EQ(container->seen, (std::vector<Seen>{{kPush, 300, 0}}));
}

// The drawing of read-only boxes: a tick in the text colour when checked, greyed when
// indeterminate, none when unchecked; a radio dot when checked; the text beside.
TEST_F(TextControls, ReadOnlyBoxesDrawTheirState) {
  QvCheckBox* check = Get<QvCheckBox>(kTriState);
  QvRadioButton* radio = Get<QvRadioButton>(kRadio);
  ASSERT_TRUE(check && radio);
  check->SetReadOnly(true);
  radio->SetReadOnly(true);
  CGUIButton* box = dynamic_cast<CGUIButton*>(check->GetPlatformControl());
  CGUIButton* round = dynamic_cast<CGUIButton*>(radio->GetPlatformControl());
  ASSERT_TRUE(box && round);
  const COLORREF ink = RGB(200, 0, 0), paper = RGB(250, 250, 210);
  auto draw = [&](CGUIButton* button, DibCanvas& canvas) {
    SetTextColor(canvas.dc(), ink);
    SetBkColor(canvas.dc(), paper);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button->m_hWnd;
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 80, 20};
    button->DrawItem(&item);
  };
  const RECT tickBox = {5 + 2, 3 + 2, 5 + 11, 3 + 11};  // inside the 13 x 13 box at (5, 3)
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const struct {
    QvTriState state;
    int inked, greyed;
  } cases[] = {{QvUnchecked, 0, 0}, {QvChecked, 1, 0}, {QvIndeterminate, 0, 1}};
  for (const auto& c : cases) {
    check->SetState(c.state);
    DibCanvas canvas(80, 20, RGB(0, 0, 255));
    ASSERT_TRUE(canvas.valid());
    draw(box, canvas);
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255)), 0) << "the whole item is painted";
    EXPECT_GT(canvas.CountOf(paper), 0);
    EXPECT_EQ(canvas.CountOf(ink, tickBox) >= 15, c.inked == 1) << c.state;
    EXPECT_EQ(canvas.CountOf(grey, tickBox) >= 15, c.greyed == 1) << c.state;
    EXPECT_GT(canvas.CountOf(ink, RECT{22, 0, 80, 20}), 0) << "the text";
  }
  for (bool checked : {false, true}) {
    radio->Check(checked);
    DibCanvas canvas(80, 20, RGB(0, 0, 255));
    draw(round, canvas);
    EXPECT_EQ(canvas.CountOf(ink, RECT{5, 8, 9, 12}) > 0, checked);
  }
}

// A group box without text paints a separator line: low ones horizontal, narrow ones
// vertical; with text it is a plain group box.
TEST_F(TextControls, GroupBoxWithoutTextIsASeparator) {
  Get<QvGroupBox>(kGroup);
  HWND w = Child(kGroup);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  auto paint = [w](DibCanvas& canvas) {
    SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  };
  MoveWindow(w, 0, 0, 60, 10, FALSE);
  {
    DibCanvas canvas(60, 10, RGB(0, 0, 255));
    paint(canvas);
    EXPECT_EQ(canvas.CountOtherThan(RGB(0, 0, 255), RECT{0, 2, 60, 10}), 0) << "2 pixels high";
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255), RECT{0, 0, 60, 2}), 0);
    EXPECT_GT(canvas.CountOf(light) + canvas.CountOf(dark), 0);
  }
  MoveWindow(w, 0, 0, 8, 40, FALSE);
  {
    DibCanvas canvas(8, 40, RGB(0, 0, 255));
    paint(canvas);
    EXPECT_EQ(canvas.CountOtherThan(RGB(0, 0, 255), RECT{2, 0, 8, 40}), 0) << "2 pixels wide";
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255), RECT{0, 0, 2, 40}), 0);
  }
}

}  // namespace
