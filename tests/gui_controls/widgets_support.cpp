// The test dialog from a template in memory, and the fixture.
#include "widgets_test.h"

#include <ostream>

#include "test_support.h"

using testing_support::Recorder;

std::ostream& operator<<(std::ostream& os, const Seen& s) {
  return os << "{" << s.id << " " << s.code << " " << s.value << "}";
}

namespace {

// A DLGTEMPLATE with its items, DWORD aligned, classes by name.
class TemplateWriter {
 public:
  void Word(WORD w) { m_words.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const wchar_t* s) {
    for (; *s; ++s) Word(*s);
    Word(0);
  }
  void Align() {
    if (m_words.size() % 2) Word(0);
  }
  std::vector<WORD> m_words;
};

struct Item {
  const wchar_t* cls;
  const wchar_t* text;
  DWORD style;
  short x, y, cx, cy;
  WORD id;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

const Item kItems[] = {
    {L"STATIC", L"Label", kChild | SS_LEFT, 4, 4, 60, 10, kStatic},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 4, 16, 80, 12, kEdit},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, 4, 30, 80, 12, kPassword},
    {L"BUTTON", L"Push", kChild | WS_TABSTOP | BS_PUSHBUTTON, 4, 44, 50, 14, kPush},
    {L"BUTTON", L"Radio", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, 4, 60, 60, 10, kRadio},
    {L"BUTTON", L"Check", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 4, 72, 60, 10, kCheck},
    {L"BUTTON", L"", kChild | BS_GROUPBOX, 4, 84, 80, 4, kGroup},
    {L"LISTBOX", L"", kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 90, 4, 60, 40, kList},
    {L"LISTBOX", L"", kChild | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL, 90, 46, 60, 40, kExtendedList},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 156, 4, 70, 60, kDropList},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 156, 20, 70, 60, kDropDown},
    {L"EDIT", L"", kChild | WS_BORDER | WS_TABSTOP, 156, 36, 50, 12, kSpinner},
    {L"msctls_trackbar32", L"", kChild | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, 156, 52, 70, 14, kSlider},
    {L"msctls_progress32", L"", kChild, 156, 70, 70, 8, kProgress},
    {L"EDIT", L"", kChild | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 4, 92, 80, 30, kMultiLine},
    {L"BUTTON", L"Three", kChild | WS_TABSTOP | BS_AUTO3STATE, 90, 90, 60, 10, kTriState},
    {L"LISTBOX", L"", kChild | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL, 156, 82, 60, 40, kMultiList},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 4, 128, 90, 80, kFontsCombo},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 98, 128, 30, 80, kSizesCombo},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 132, 128, 40, 80, kZoomCombo},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 4, 144, 90, 80, kPatternCombo},
    {L"COMBOBOX", L"", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 98, 144, 90, 80, kLineCombo},
};

std::vector<WORD> BuildTemplate() {
  TemplateWriter t;
  t.Dword(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME);
  t.Dword(0);
  t.Word(static_cast<WORD>(sizeof kItems / sizeof kItems[0]));
  t.Word(10);
  t.Word(10);
  t.Word(240);
  t.Word(162);
  t.Word(0);  // no menu
  t.Word(0);  // the dialog class
  t.Text(L"Controls");
  t.Word(8);
  t.Text(L"Tahoma");
  for (const Item& item : kItems) {
    t.Align();
    t.Dword(item.style);
    t.Dword(0);
    t.Word(static_cast<WORD>(item.x));
    t.Word(static_cast<WORD>(item.y));
    t.Word(static_cast<WORD>(item.cx));
    t.Word(static_cast<WORD>(item.cy));
    t.Word(item.id);
    t.Text(item.cls);
    t.Text(item.text);
    t.Word(0);  // no creation data
  }
  return t.m_words;
}

}  // namespace

bool ControlsDialog::Make() {
  static const std::vector<WORD> words = BuildTemplate();
  return CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(words.data()), NULL) != FALSE;
}

LRESULT ControlsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_HSCROLL)
    Recorder().Record(m_hWnd, message, wParam, lParam, testing_support::kParent);
  if (message == WM_HSCROLL && lParam) {
    const HWND child = reinterpret_cast<HWND>(lParam);
    GUITranslateControlNotification(GUIGetQvGUIContainer(this), static_cast<unsigned short>(::GetDlgCtrlID(child)),
                                    LOWORD(wParam), NULL);
    return 0;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    const LRESULT brush = CDialog::WindowProc(message, wParam, lParam);
    GUIOnCtlColor(this, CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                  message - WM_CTLCOLORMSGBOX);
    return brush;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL ControlsDialog::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam); }

BOOL ControlsDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return GUIOnNotify(this, wParam, lParam, result);
}

void WidgetsTest::SetUp() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  ASSERT_TRUE(dialog.Make());
  container = new RecordingContainer;
  container->SetMFCCWnd(&dialog);
  GUISetQvGUIContainer(&dialog, container);
  Recorder().Reset();
}

void WidgetsTest::TearDown() {
  delete container;
  if (dialog.m_hWnd) dialog.DestroyWindow();
  testing_support::PumpMessages();
}

std::wstring WidgetsTest::Text(unsigned short id) const {
  HWND child = Child(id);
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(child)) + 1);
  GetWindowTextW(child, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

void WidgetsTest::Focus(unsigned short id) {
  SetForegroundWindow(dialog.m_hWnd);
  SetActiveWindow(dialog.m_hWnd);
  SetFocus(Child(id));
  testing_support::PumpMessages();
}

void ExpectNotifications(WidgetsTest& test, const NotificationCase& c, bool emptyPortableUnchecked) {
  Recorder().Reset();
  test.container->seen.clear();
  c.act(test);
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(c.windows.data()));
  if (!emptyPortableUnchecked || !c.portable.empty()) {
    EXPECT_EQ(test.container->seen, c.portable);
  }
}

void PutOnClipboard(HWND owner, const wchar_t* text) {
  if (!testing_support::PutUnicodeOnClipboard(owner, text)) ADD_FAILURE() << "the clipboard cannot be opened";
}
