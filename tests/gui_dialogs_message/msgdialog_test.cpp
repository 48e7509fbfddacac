// The portable message boxes: answers when dialogs are bypassed, the breaking of long lines,
// the answers of the keys and buttons of real runs, the details box and the window's place.
#include <GUIInitialisations.h>
#include <MFCMsgDialog.h>
#include <QvMsgDialog.h>
#include <UIHandles.h>
#include <UIUtilities.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dialog_driver.h"
#include "language_scope.h"
#include "recorder.h"
#include "test_support.h"

using testing_support::DialogDriver;
using testing_support::LanguageScope;

namespace {

// Dialogs bypassed for the scope, the scripting text emptied.
struct Bypassed {
  Bypassed() {
    SetBypassDialogs(true);
    GUIGetScriptingErrorText()->Empty();
  }
  ~Bypassed() { SetBypassDialogs(false); }
};

TEST(MsgDialogBypass, EachVariantAnswersItsValueAndGathersItsText) {
  struct Case {
    const char* name;
    std::function<QvMsgButton()> call;
    int answer;
    const char* gathered;
  };
  const Case cases[] = {
      {"message", [] { return QvMsgDialog().Process("plain", "C", 0); }, 1, "plain\n"},
      {"info without detail", [] { return QvInfoDialog().Process("note", "C", 0, nullptr); }, 0, "note\n"},
      {"info with detail", [] { return QvInfoDialog().Process("note", "C", 0, "more"); }, 0, "note: [more]\n"},
      {"info with empty detail", [] { return QvInfoDialog().Process("note", "C", 0, ""); }, 0, "note: []\n"},
      {"action", [] { return QvActionDialog().Process("act?", "Go", "C", 0, "Stay"); }, 1, "act?\n"},
      {"yes/no", [] { return QvYesNoDialog().Process("sure?", "C", 0); }, 4, "sure?\n"},
      {"ok/cancel", [] { return QvOKCancelDialog().Process("proceed?", "C", 0); }, 0, "proceed?\n"},
      {"action/no action", [] { return QvActionNoActionDialog().Process("which?", "A", "B", "C", 0); }, 4, "which?\n"},
      {"save changes", [] { return QvSaveChangesDialog().Process("save?", "C", 0); }, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bypassed bypassed;
    EXPECT_EQ(c.answer, c.call());
    EXPECT_STREQ(c.gathered, GUIGetScriptingErrorText()->c_str());
    EXPECT_EQ(NULL, testing_support::ThreadWindowWithControl(IDCANCEL));
  }
  // The texts accumulate.
  Bypassed bypassed;
  QvYesNoDialog().Process("one", "C", 0);
  QvOKCancelDialog().Process("two", "C", 0);
  EXPECT_STREQ("one\ntwo\n", GUIGetScriptingErrorText()->c_str());
}

// A memory DC with the message font selected.
struct FontDC {
  uih::MemoryDC dc;
  uih::Selection font{dc.Get(), UIGetDefaultGUIFont()};
  int Width(const std::wstring& s) {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(dc.Get(), s.c_str(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
};

TEST(MsgDialogText, LongLinesBreakAtTheLastBlankAtOrBeforeTheMiddle) {
  FontDC f;
  ASSERT_NE(nullptr, f.dc.Get());
  // Words of uneven length until the line is 600 pixels wide.
  std::wstring line;
  const wchar_t* words[] = {L"alpha", L"be", L"gamma", L"delta", L"epsilonic", L"zeta"};
  for (int i = 0; f.Width(line) < 600; ++i) line += std::wstring(line.empty() ? L"" : L" ") + words[i % 6];
  ASSERT_LT(f.Width(line), 1000);  // each half stays under the limit: one break
  const size_t middle = line.size() / 2;
  const size_t blank = line.rfind(L' ', middle);
  ASSERT_NE(std::wstring::npos, blank);
  std::wstring expected = line;
  expected[blank] = L'\n';
  std::wstring text = line;
  const SIZE size = MeasureAndBreakMessage(f.dc.Get(), text);
  EXPECT_EQ(expected, text);
  EXPECT_EQ(std::max(f.Width(line.substr(0, blank)), f.Width(line.substr(blank + 1))), size.cx);
}

TEST(MsgDialogText, BreaksKeepEveryCharacterAndCountCrLfOnce) {
  FontDC f;
  ASSERT_NE(nullptr, f.dc.Get());
  SIZE blank = {0, 0};
  ::GetTextExtentPoint32W(f.dc.Get(), L" ", 1, &blank);
  const int lineHeight = blank.cy;
  // A path with no blank, 600 pixels or more and under 1000.
  std::wstring path = L"C:\\";
  while (f.Width(path) < 600) path += L"folder\\";
  ASSERT_LT(f.Width(path), 1000);
  // Blanks only after the middle: the last one in the next quarter takes the break.
  std::wstring late = path.substr(0, path.size() / 2 + 3) + L" " + path.substr(path.size() / 2 + 3);
  const size_t lateBlank = path.size() / 2 + 3;

  struct Case {
    const char* name;
    std::wstring text;
    std::wstring broken;
    int lines;
  };
  const Case cases[] = {
      {"no blank: a break goes in, nothing is lost", path,
       path.substr(0, path.size() / 2) + L"\n" + path.substr(path.size() / 2), 2},
      {"a blank after the middle", late, late.substr(0, lateBlank) + L"\n" + late.substr(lateBlank + 1), 2},
      {"CR LF is one break", L"first\r\nsecond", L"first\r\nsecond", 2},
      {"a lone CR and a lone LF", L"a\rb\nc", L"a\rb\nc", 3},
      {"two CR LF pairs make an empty line", L"a\r\n\r\nb", L"a\r\n\r\nb", 3},
      {"short text stays", L"short", L"short", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring text = c.text;
    const SIZE size = MeasureAndBreakMessage(f.dc.Get(), text);
    EXPECT_EQ(c.broken, text);
    EXPECT_EQ(c.lines * lineHeight, size.cy);
  }
}

// Japanese words parted by ideographic spaces (U+3000), no ASCII blank: the earlier edition
// breaks there while the double-byte switch is on; otherwise the line breaks in its middle.
TEST(MsgDialogText, TheEarlierEditionBreaksAtTheIdeographicSpaceOfTheLanguage) {
  FontDC f;
  ASSERT_NE(nullptr, f.dc.Get());
  const wchar_t* words[] = {L"\x65E5\x672C\x8A9E", L"\x306E", L"\x6587\x7AE0\x3092", L"\x6539\x884C"};
  std::wstring line;
  for (int i = 0; f.Width(line) < 600; ++i) line += std::wstring(line.empty() ? L"" : L"\x3000") + words[i % 4];
  ASSERT_LT(f.Width(line), 1000);  // each half stays under the limit: one break
  const size_t middle = line.size() / 2;
  const size_t space = line.rfind(L'\x3000', middle);
  ASSERT_NE(std::wstring::npos, space);
  ASSERT_NE(space, middle) << "the middle must not fall on a space";
  std::wstring atSpace = line, atMiddle = line;
  atSpace[space] = L'\n';
  atMiddle.insert(middle, 1, L'\n');
  struct Case {
    const char* what;
    const char* language;
    unsigned char dbcs;
    bool earlierBreaksAtSpace;
  } const cases[] = {
      {"ja, switch on", "ja", 1, true},
      {"ko, switch on", "ko", 1, true},
      {"ja, switch off", "ja", 0, false},
      {"a language without ideographic space", "fr", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LanguageScope scope(c.language, c.dbcs);
    std::wstring text = line;
    MeasureAndBreakMessage(f.dc.Get(), text);
#ifdef UNICODE
    EXPECT_EQ(atMiddle, text) << "the current edition breaks at ASCII blanks only";
#else
    EXPECT_EQ(c.earlierBreaksAtSpace ? atSpace : atMiddle, text);
#endif
  }
}

// A line of characters beyond the basic plane (surrogate pairs) and no blank: the break in the
// middle goes between two characters, never inside one.
TEST(MsgDialogText, ABreakWithoutBlankKeepsSurrogatePairsWhole) {
  FontDC f;
  ASSERT_NE(nullptr, f.dc.Get());
  const std::wstring pair = L"\xD840\xDC0B";  // U+2000B
  std::wstring line = L"x";
  while (f.Width(line) < 600 || (line.size() / 2) % 2 == 1) line += pair;  // the middle on a low surrogate
  ASSERT_LT(f.Width(line), 1000);
  ASSERT_TRUE(IS_LOW_SURROGATE(line[line.size() / 2]));
  std::wstring text = line;
  MeasureAndBreakMessage(f.dc.Get(), text);
  const size_t at = text.find(L'\n');
  ASSERT_NE(std::wstring::npos, at);
  EXPECT_EQ(text.find(L'\n', at + 1), std::wstring::npos) << "one break";
  EXPECT_FALSE(IS_HIGH_SURROGATE(text[at - 1])) << "a character parted before the break";
  EXPECT_FALSE(IS_LOW_SURROGATE(text[at + 1])) << "a character parted after the break";
  text.erase(at, 1);
  EXPECT_EQ(line, text) << "nothing lost";
}

// Runs `run` while a driver hands the message dialog (known by `control`) to `act`.
template <class Run>
int RunDriven(int control, std::function<void(HWND)> act, Run run) {
  DialogDriver driver({{control, std::move(act)}});
  const int answer = run();
  EXPECT_EQ(1u, driver.done());
  return answer;
}

void PressEscape(HWND dlg) {
  HWND focus = ::GetFocus();
  ASSERT_TRUE(focus == dlg || ::IsChild(dlg, focus));
  ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ::PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void CloseBox(HWND dlg) { ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }

TEST(MsgDialogRun, OkCancelAnswers) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    int answer;
  };
  const Case cases[] = {
      {"OK", [](HWND d) { DialogDriver::Press(d, IDOK); }, 0},
      {"Cancel", [](HWND d) { DialogDriver::Press(d, IDCANCEL); }, 1},
      {"Escape", PressEscape, 1},
      {"close box", CloseBox, 1},
      {"Enter presses the default OK", [](HWND d) {
         ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
         (void)d;
       }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvOKCancelDialog dialog;
    EXPECT_EQ(c.answer, RunDriven(IDOK, c.act, [&] { return dialog.Process("Proceed?", "Question", 0); }));
  }
}

TEST(MsgDialogRun, SaveChangesMapsItsAnswers) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    int answer;
  };
  const Case cases[] = {
      {"Yes", [](HWND d) { DialogDriver::Press(d, IDYES); }, 5},
      {"No", [](HWND d) { DialogDriver::Press(d, IDNO); }, 6},
      {"Cancel", [](HWND d) { DialogDriver::Press(d, IDCANCEL); }, 1},
      {"Escape", PressEscape, 1},
      {"close box", CloseBox, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvSaveChangesDialog dialog;
    EXPECT_EQ(c.answer, RunDriven(IDYES, c.act, [&] { return dialog.Process("Save the changes?", "Saving", 0); }));
  }
}

TEST(MsgDialogRun, ButtonsCarryTheKindsTextsAndTheDefault) {
  QvYesNoDialog dialog;
  std::wstring yes, no;
  HWND focus = NULL, yesButton = NULL;
  bool hiddenFirst = true;
  const int answer = RunDriven(
      IDYES,
      [&](HWND d) {
        wchar_t buf[64];
        ::GetDlgItemTextW(d, IDYES, buf, 64);
        yes = buf;
        ::GetDlgItemTextW(d, IDNO, buf, 64);
        no = buf;
        focus = ::GetFocus();
        yesButton = ::GetDlgItem(d, IDYES);
        hiddenFirst = !::IsWindowVisible(::GetDlgItem(d, 1)) && !::IsWindowVisible(::GetDlgItem(d, 2));
        DialogDriver::Press(d, IDNO);
      },
      [&] { return dialog.Process("Go on?", "Question", 0); });
  EXPECT_EQ(4, answer);
  EXPECT_EQ(QvGetMyLabel(31200).ToWide(), yes);
  EXPECT_EQ(QvGetMyLabel(31202).ToWide(), no);
  EXPECT_EQ(yesButton, focus);  // the default has the focus
  EXPECT_TRUE(hiddenFirst);
}

TEST(MsgDialogRun, DetailsGrowTheWindowBy150Once) {
  QvInfoDialog dialog;
  int heights[3] = {0, 0, 0};
  bool detailsDisabled = false, editShown = false, okFocused = false;
  std::wstring detailText;
  const int answer = RunDriven(
      QV_ID_MSGHELP,
      [&](HWND d) {
        RECT r;
        ::GetWindowRect(d, &r);
        heights[0] = r.bottom - r.top;
        HWND details = ::GetDlgItem(d, QV_ID_MSGHELP);
        for (int i = 1; i <= 2; ++i) {
          ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(QV_ID_MSGHELP, BN_CLICKED), reinterpret_cast<LPARAM>(details));
          ::GetWindowRect(d, &r);
          heights[i] = r.bottom - r.top;
        }
        detailsDisabled = !::IsWindowEnabled(details);
        okFocused = ::GetFocus() == ::GetDlgItem(d, IDOK);
        HWND edit = ::FindWindowExW(d, NULL, L"Edit", NULL);
        editShown = edit != NULL && ::IsWindowVisible(edit) &&
                    (::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
        wchar_t buf[64] = L"";
        if (edit != NULL) ::GetWindowTextW(edit, buf, 64);
        detailText = buf;
        DialogDriver::Press(d, IDOK);
      },
      [&] { return dialog.Process("Something happened.", "Info", 0, "The details"); });
  EXPECT_EQ(0, answer);
  EXPECT_EQ(heights[0] + 150, heights[1]);
  EXPECT_EQ(heights[1], heights[2]);
  EXPECT_TRUE(detailsDisabled);
  EXPECT_TRUE(okFocused);
  EXPECT_TRUE(editShown);
  EXPECT_EQ(L"The details", detailText);
}

// A shown top-level window to own the dialogs.
struct Owner {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, NULL,
                               NULL, NULL, NULL);
  ~Owner() { ::DestroyWindow(wnd); }
};

TEST(MsgDialogRun, OnlyTheOwnerThisRunDisabledIsEnabledAgain) {
  for (bool disabledBefore : {false, true}) {
    SCOPED_TRACE(disabledBefore ? "owner disabled by an outer run" : "owner enabled");
    Owner owner;
    ASSERT_NE(nullptr, owner.wnd);
    ::EnableWindow(owner.wnd, disabledBefore ? FALSE : TRUE);
    bool disabledDuring = false;
    QvOKCancelDialog dialog(CWnd::FromHandle(owner.wnd));
    RunDriven(
        IDOK,
        [&](HWND d) {
          disabledDuring = !::IsWindowEnabled(owner.wnd);
          DialogDriver::Press(d, IDOK);
        },
        [&] { return dialog.Process("Proceed?", "Question", 0); });
    EXPECT_TRUE(disabledDuring);
    EXPECT_EQ(!disabledBefore, ::IsWindowEnabled(owner.wnd) != FALSE);
  }
}

// The WM_ENABLE messages the window got, in order, as their wParam.
std::vector<WPARAM> EnableMessages(HWND wnd) {
  std::vector<WPARAM> seen;
  for (const testing_support::RecordedMsg& m : testing_support::Recorder().Messages())
    if (m.hwnd == wnd && m.message == WM_ENABLE) seen.push_back(m.wParam);
  return seen;
}

TEST(MsgDialogRun, OwnerHearsOnlyTheEnablingOfItsOwnRun) {
  struct Case {
    const char* name;
    bool disabledBefore;
    std::vector<WPARAM> enables;
  };
  const Case cases[] = {
      // An enabled owner: disabled when the run starts, enabled when it ends.
      {"owner enabled", false, {FALSE, TRUE}},
      // An owner an outer run disabled: it stays disabled throughout, not even enabled for a
      // moment when the dialog ends.
      {"owner disabled by an outer run", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Owner owner;
    ASSERT_NE(nullptr, owner.wnd);
    ::EnableWindow(owner.wnd, c.disabledBefore ? FALSE : TRUE);
    testing_support::SubclassedControl logged(owner.wnd);
    QvOKCancelDialog dialog(CWnd::FromHandle(owner.wnd));
    testing_support::Recorder().Reset();
    RunDriven(IDOK, [](HWND d) { DialogDriver::Press(d, IDOK); },
              [&] { return dialog.Process("Proceed?", "Question", 0); });
    testing_support::Recorder().Pump();
    EXPECT_EQ(c.enables, EnableMessages(owner.wnd));
  }
}

TEST(MsgDialogRun, TallMessagesStayInsideTheWorkArea) {
  QvString text;
  for (int i = 0; i < 400; ++i) text += "A line of a very long report\n";
  RECT window = {0, 0, 0, 0}, button = {0, 0, 0, 0}, work = {0, 0, 0, 0};
  QvInfoDialog dialog;
  RunDriven(
      IDOK,
      [&](HWND d) {
        ::GetWindowRect(d, &window);
        ::GetWindowRect(::GetDlgItem(d, IDOK), &button);
        MONITORINFO mi;
  ::ZeroMemory(&mi, sizeof(mi));
  mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromWindow(d, MONITOR_DEFAULTTONEAREST), &mi);
        work = mi.rcWork;
        DialogDriver::Press(d, IDOK);
      },
      [&] { return dialog.Process(text, "Report", 0, nullptr); });
  ASSERT_GT(work.bottom, work.top);
  EXPECT_GE(window.top, work.top);
  EXPECT_LE(window.bottom, work.bottom);
  EXPECT_LE(button.bottom, work.bottom);
  EXPECT_GT(button.top, window.top);
}

TEST(MsgDialogRun, StoredMessageKeepsTheBreaksItMade) {
  std::wstring path = L"\\\\server\\share";
  for (int i = 0; i < 40; ++i) path += L"\\directory";
  QvMsgDialog dialog;
  dialog.SetButtonDefaultText(QvButtonPos3, QvOKButton);
  RunDriven(IDOK, [](HWND d) { DialogDriver::Press(d, IDOK); },
            [&] { return dialog.Process(QvString(path.c_str()), "Path", 0); });
  std::wstring stored = dialog.Window().Message();
  std::wstring joined;
  for (wchar_t c : stored)
    if (c != L'\n') joined += c;
  EXPECT_NE(stored, path);  // broken
  EXPECT_EQ(path, joined);  // and nothing lost
}

}  // namespace
