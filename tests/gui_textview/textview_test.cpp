// The portable text view on its rich edit control: inserting, appending, reading and
// extracting text (line breaks, non-Latin letters, long ranges), searching, the selection,
// undo, the right button, and the image control's text view set twice.
#include <GUIImageCtrl.h>
#include <GUIInitialisations.h>
#include <GUITextView.h>
#include <QvGUIContainer.h>
#include <QvImageCtrl.h>
#include <QvModifier.h>
#include <QvTextView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>

#include "recorder.h"
#include "test_support.h"

namespace {

// Text views that remember the right button.
class RecordingTextView : public QvTextView {
 public:
  explicit RecordingTextView(unsigned short style = 0) : QvTextView(nullptr, style) {}
  int rightDowns = 0;
  bool lastShift = false;
  void onRightMouseDown(const QvModifier& m) override {
    ++rightDowns;
    lastShift = m.IsShift();
  }
};

class TextViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Text"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                                400, 300, NULL, NULL));
    view = new RecordingTextView;
    window = new CGUITextView;
    const RECT r = {0, 0, 300, 200};
    ASSERT_TRUE(window->Create(view, WS_CHILD | WS_VISIBLE, r, &parent, 1));
    window->OnInitialUpdate();
    ASSERT_TRUE(window->GetEdit() != nullptr);
    edit = window->GetEdit()->m_hWnd;
    ASSERT_TRUE(edit != NULL);
  }
  void TearDown() override {
    if (parent.m_hWnd) parent.DestroyWindow();  // the view window deletes itself and the view
    testing_support::PumpMessages();
  }
  void Fill(const wchar_t* text) {
    view->SetSelection(0, -1);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    view->SetText(QvString(text));
  }
  CWnd parent;
  RecordingTextView* view = nullptr;
  CGUITextView* window = nullptr;
  HWND edit = NULL;
};

TEST_F(TextViewTest, TheEditFillsTheViewWithItsStyle) {
  EXPECT_EQ(GetDlgCtrlID(edit), CGUITextView::kEditId);
  EXPECT_EQ(GetParent(edit), window->m_hWnd);
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);  // lines do not wrap
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_FALSE(style & ES_READONLY);
  RECT v, e;
  GetClientRect(window->m_hWnd, &v);
  GetWindowRect(edit, &e);
  EXPECT_EQ(e.right - e.left, v.right);
  EXPECT_EQ(e.bottom - e.top, v.bottom);
  window->SetWindowPos(NULL, 0, 0, 250, 120, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(edit, &e);
  EXPECT_EQ(e.right - e.left, 250);
  EXPECT_EQ(e.bottom - e.top, 120);
  EXPECT_TRUE(window->GetKernelView() == view);
  EXPECT_TRUE(view->GetPlatformView() == window);
}

TEST_F(TextViewTest, TextGoesInAndComesOutWithoutLosingLetters) {
  view->SetText(QvString(L"Zażółć\r\nгусь"));
  QvString all;
  EXPECT_EQ(view->GetText(all), 12);  // the line break as "\r\n"
  EXPECT_STREQ(all.c_str(), QvString(L"Zażółć\r\nгусь").c_str());
  // Inserted at the caret (after the text), not over it.
  view->SetSelection(0, 0);
  view->SetText(QvString(L"[ "));
  view->GetText(all);
  EXPECT_STREQ(all.c_str(), QvString(L"[ Zażółć\r\nгусь").c_str());
  EXPECT_EQ(view->GetTextLength(), 14);
}

TEST_F(TextViewTest, AnEmptyViewGivesAnEmptyText) {
  QvString all("left over");
  EXPECT_EQ(view->GetText(all), 0);
  EXPECT_TRUE(all.IsEmpty());
  EXPECT_FALSE(view->CanUndo());
  EXPECT_FALSE(view->Undo());
}

TEST_F(TextViewTest, AppendingKeepsTheSelectionWhenAsked) {
  Fill(L"first");
  view->SetSelection(1, 3);
  view->AppendText(QvString("second"), true, true);
  long s = 0, e = 0;
  EXPECT_TRUE(view->GetSelection(s, e));
  EXPECT_EQ(s, 1);
  EXPECT_EQ(e, 3);
  view->AppendText(QvString("third"), false, false);
  EXPECT_FALSE(view->GetSelection(s, e));
  EXPECT_EQ(s, 17);  // the caret after the text: "first" CR "secondthird"
  QvString all;
  view->GetText(all);
  EXPECT_STREQ(all.c_str(), "first\r\nsecondthird");
}

TEST_F(TextViewTest, SelectionsAreKeptWithinTheText) {
  Fill(L"0123456789");
  struct Case {
    const char* what;
    long start, end;
    long wantStart, wantEnd;
  } const cases[] = {
      {"a range", 2, 5, 2, 5},
      {"start below zero: the caret at the end", -1, 3, 10, 10},
      {"end before start: nothing at start", 5, 2, 5, 5},
      {"start past the end", 40, 50, 10, 10},
      {"end past the end", 8, 50, 8, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    view->SetSelection(c.start, c.end);
    long s = -7, e = -7;
    EXPECT_EQ(view->GetSelection(s, e), c.wantStart != c.wantEnd);
    EXPECT_EQ(s, c.wantStart);
    EXPECT_EQ(e, c.wantEnd);
  }
}

TEST_F(TextViewTest, SearchingGoesForwardFromTheStart) {
  Fill(L"abc xx abc yy ABCD");
  struct Case {
    const char* what;
    const char* text;
    bool matchCase, wholeWord;
    long start;
    long found;
  } const cases[] = {
      {"from the start", "abc", false, false, 0, 0},
      {"after the first match", "abc", false, false, 1, 7},
      {"without case: the capitals", "abc", false, false, 8, 14},
      {"with case: none after the second", "abc", true, false, 8, -1},
      {"with case from the start", "ABC", true, false, 0, 14},
      {"whole word skips ABCD", "abc", false, true, 8, -1},
      {"whole word finds xx", "xx", false, true, 0, 4},
      {"a part of a word is not a whole word", "bc", false, true, 0, -1},
      {"past the end", "yy", false, false, 30, -1},
      {"a negative start is the beginning", "abc", true, false, -5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(view->SearchText(QvString(c.text), c.matchCase, c.wholeWord, c.start), c.found);
  }
}

std::wstring ClipboardText(HWND owner) {
  std::wstring out;
  if (!OpenClipboard(owner)) return L"<clipboard not opened>";
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      out = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return out;
}

TEST_F(TextViewTest, ExtractingReadsTheRangeAcrossLinesAndScripts) {
  Fill(L"Привет\r\nmir ł");  // 6 letters, the break (one character), 5 more
  view->SetSelection(1, 2);
  struct Case {
    const char* what;
    long start, end;
    const wchar_t* text;
  } const cases[] = {
      {"across the break", 3, 9, L"вет\rmi"},
      {"the last letter", 11, 12, L"ł"},
      {"the end beyond the text", 7, 99, L"mir ł"},
      {"empty", 4, 4, L""},
      {"backwards", 5, 2, L""},
      {"past the end", 12, 20, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QvString got("left over");
    EXPECT_EQ(view->ExtractText(got, c.start, c.end), static_cast<long>(wcslen(c.text)));
    EXPECT_STREQ(got.c_str(), QvString(c.text).c_str());
    long s = 0, e = 0;
    view->GetSelection(s, e);
    EXPECT_EQ(s, 1);  // the user's selection stays
    EXPECT_EQ(e, 2);
  }
  // The clipboard keeps the last range extracted, line breaks as "\r\n".
  QvString got;
  view->ExtractText(got, 0, 6);
  EXPECT_EQ(ClipboardText(parent.m_hWnd), L"Привет");
  view->ExtractText(got, 4, 9);
  EXPECT_EQ(ClipboardText(parent.m_hWnd), L"ет\r\nmi");
  // A negative start takes the selection.
  EXPECT_EQ(view->ExtractText(got, -1, 0), 1);
  EXPECT_STREQ(got.c_str(), QvString(L"р").c_str());
}

TEST_F(TextViewTest, ExtractingALongRangeReadsAllOfIt) {
  // Beyond 65535 characters, where a 16-bit count wraps.
  std::wstring text(70001, L'x');
  text[0] = L'a';
  text[70000] = L'z';
  Fill(text.c_str());
  QvString got;
  ASSERT_EQ(view->ExtractText(got, 0, 70001), 70001);
  EXPECT_EQ(got.GetLength(), 70001u);
  EXPECT_EQ(got[0], 'a');
  EXPECT_EQ(got[70000], 'z');
}

TEST_F(TextViewTest, UndoAndInputSwitch) {
  Fill(L"kept");
  view->SetSelection(-1, 0);
  view->SetText(QvString(" typed"));
  ASSERT_TRUE(view->CanUndo());
  EXPECT_TRUE(view->Undo());
  QvString all;
  view->GetText(all);
  EXPECT_STREQ(all.c_str(), "kept");
  view->EnableInput(false);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  view->EnableInput(true);
  EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
}

TEST_F(TextViewTest, TheRightButtonReachesTheViewWithItsModifiers) {
  SendMessageW(edit, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
  SendMessageW(edit, WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(5, 5));
  EXPECT_EQ(view->rightDowns, 1);
  EXPECT_TRUE(view->lastShift);
}

TEST_F(TextViewTest, FreezingStopsPaintingAndThawingRepaintsAtOnce) {
  testing_support::PumpMessages();
  view->FreezeRedraw(true);
  EXPECT_FALSE(GetWindowLongW(window->m_hWnd, GWL_STYLE) & WS_VISIBLE);  // WM_SETREDRAW off
  view->FreezeRedraw(false);
  EXPECT_TRUE(GetWindowLongW(window->m_hWnd, GWL_STYLE) & WS_VISIBLE);
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(window->m_hWnd, &dirty, FALSE));  // painted already
}

TEST(TextViewStyle, ReadOnlyAndWrappingComeFromTheStyleWord) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Text"), WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
  RecordingTextView* view = new RecordingTextView(QVTEXT_READONLY | QVTEXT_NO_HSCROLL | QVTEXT_FIXED_PITCH);
  CGUITextView* window = new CGUITextView;
  const RECT r = {0, 0, 200, 100};
  ASSERT_TRUE(window->Create(view, WS_CHILD | WS_VISIBLE, r, &parent, 1));
  window->OnInitialUpdate();
  HWND edit = window->GetEdit()->m_hWnd;
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);
  // The view's font: 12 pixels high, fixed pitch.
  CHARFORMATW cf = {};
  cf.cbSize = sizeof cf;
  SendMessageW(edit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  HDC screen = GetDC(NULL);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(NULL, screen);
  EXPECT_EQ(cf.yHeight, 12 * 1440 / dpi);
  EXPECT_EQ(cf.bPitchAndFamily & 3, FIXED_PITCH);
  parent.DestroyWindow();
  testing_support::PumpMessages();
}

// --- The image control's text view ---------------------------------------------------------------

enum : unsigned short { kImageId = 12 };

TEST(ImageCtrlTextView, SettingTheSameTextViewTwiceKeepsIt) {
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Images"), WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300,
                              NULL, NULL));
  QvGUIContainer* container = new QvGUIContainer(nullptr, 0);
  container->SetMFCCWnd(&parent);
  GUISetQvGUIContainer(&parent, container);
  ASSERT_TRUE(CreateWindowExW(0, L"QvImageCtrl", L"", WS_CHILD | WS_VISIBLE, 20, 30, 120, 80, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImageId)), NULL, NULL));
  QvImageCtrl* control = nullptr;
  ASSERT_TRUE(container->GetControlFromID(control, kImageId, 0));
  RecordingTextView* view = new RecordingTextView;
  ASSERT_TRUE(control->SetTextView(view));
  HWND first = control->GetPlatformWindow();
  ASSERT_TRUE(first);
  EXPECT_EQ(first, GetDlgItem(parent.m_hWnd, kImageId));
  view->SetText(QvString("survives"));
  // Again with the same view: the first window lets go of it before it goes.
  ASSERT_TRUE(control->SetTextView(view));
  HWND second = control->GetPlatformWindow();
  EXPECT_FALSE(IsWindow(first));
  ASSERT_TRUE(view->GetPlatformView() != nullptr);
  EXPECT_EQ(view->GetPlatformView()->m_hWnd, second);
  EXPECT_EQ(GetDlgCtrlID(second), kImageId);
  RECT r = {};
  GetWindowRect(second, &r);
  MapWindowPoints(NULL, parent.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 120);
  view->AppendText(QvString("still"), false, false);  // a deleted view would fail here
  QvString all;
  view->GetText(all);
  EXPECT_STREQ(all.c_str(), "still");  // a new edit control
  EXPECT_FALSE(control->SetTextView(nullptr));
  GUISetQvGUIContainer(&parent, nullptr);
  delete container;
  parent.DestroyWindow();
  testing_support::PumpMessages();
  PlatformGUIRelease();
}

}  // namespace
