// The parent window and the fixture of the date/time field tests.
#include "datetime_test.h"

#include <commctrl.h>

#include "recorder.h"
#include "test_support.h"

BOOL FieldParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  testing_support::Recorder().Record(m_hWnd, WM_NOTIFY, wParam, lParam, testing_support::kParent);
  return GUIOnNotify(this, wParam, lParam, result);
}

void DateTimeTest::SetUp() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());  // registers "QvDateTimeCtrl"
  saved = Get_GlobalLocale()->GetDateTimeFormat();
  ASSERT_TRUE(parent.CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0), _T("Field"),
                              WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 400, 160, NULL, NULL));
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  ASSERT_TRUE(CreateWindowExW(0, L"EDIT", L"", child | WS_BORDER, 4, 4, 80, 20, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBefore)), NULL, NULL));
  field = CreateWindowExW(0, L"QvDateTimeCtrl", L"", child, 4, 30, 60, 20, parent.m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kField)), NULL, NULL);
  ASSERT_TRUE(field);
  ASSERT_TRUE(CreateWindowExW(0, L"BUTTON", L"OK", child | BS_PUSHBUTTON, 4, 60, 60, 20, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAfter)), NULL, NULL));
  container = new NotedContainer;
  container->SetMFCCWnd(&parent);
  GUISetQvGUIContainer(&parent, container);
  ASSERT_TRUE(container->GetControlFromID(control, kField, 0));
  platform = dynamic_cast<CGUIDateTimeCtrl*>(control->GetPlatformControl());
  ASSERT_TRUE(platform);
  testing_support::Recorder().Reset();
}

void DateTimeTest::TearDown() {
  delete container;
  if (parent.m_hWnd) parent.DestroyWindow();
  testing_support::PumpMessages();
  Get_GlobalLocale()->SetDateTimeFormat(saved);
  PlatformGUIRelease();
}

void DateTimeTest::UseLocale(const wchar_t* name, bool fourDigitYears) {
  QvDateTimeFormat format;
  ASSERT_TRUE(format.ReadFrom(name)) << "the system does not know the locale";
  format.fourDigitYears = fourDigitYears;
  Get_GlobalLocale()->SetDateTimeFormat(format);
}

HWND DateTimeTest::FieldAt(int position) const { return GetDlgItem(field, position + 1); }

std::wstring DateTimeTest::TextAt(int position) const {
  wchar_t text[64] = {};
  GetWindowTextW(FieldAt(position), text, 64);
  return text;
}

void DateTimeTest::TypeInto(int position, const std::wstring& text) {
  HWND edit = FieldAt(position);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text)
    if (IsWindow(edit)) SendMessageW(edit, WM_CHAR, c, 1);
  testing_support::PumpMessages();
}

void DateTimeTest::Focus(int position) {
  SetForegroundWindow(parent.m_hWnd);
  SetActiveWindow(parent.m_hWnd);
  SetFocus(FieldAt(position));
  testing_support::PumpMessages();
}

int DateTimeTest::ChangeCount() const {
  int count = 0;
  for (const auto& s : container->seen)
    if (s.first == kField && s.second == 1800) ++count;
  return count;
}

void PutTextOnClipboard(HWND owner, const wchar_t* text) {
  if (!testing_support::PutUnicodeOnClipboard(owner, text)) ADD_FAILURE() << "the clipboard cannot be opened";
}
