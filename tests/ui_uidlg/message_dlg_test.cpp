// The message dialog: every button set with every default button (shown buttons, texts,
// focus, the answer of the button pressed, Escape), texts replaced by position and by the
// answer a button gives, and its icons.
#include <QvMessageDlg.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "while_shown.h"
#include "window_text.h"

using testing_support::WhileShown;

namespace {

const int kButtons[3] = {CQvMessageDlg::kButton1, CQvMessageDlg::kButton2, CQvMessageDlg::kButton3};

struct SetCase {
  UINT set;
  const wchar_t* texts[3];  // button 1 (rightmost), 2, 3; NULL: hidden
  int answers[3];
  int focus[3];  // the focused button for the default flags 0, 0x100, 0x200
};
const SetCase kSets[] = {
    {0, {L"OK", NULL, NULL}, {IDOK, 0, 0}, {1, 1, 1}},
    {1, {L"Cancel", L"OK", NULL}, {IDCANCEL, IDOK, 0}, {1, 2, 1}},
    {2, {L"Ignore", L"Retry", L"Abort"}, {IDIGNORE, IDRETRY, IDABORT}, {1, 2, 3}},
    {3, {L"Cancel", L"No", L"Yes"}, {IDCANCEL, IDNO, IDYES}, {1, 2, 3}},
    {4, {L"No", L"Yes", NULL}, {IDNO, IDYES, 0}, {1, 2, 1}},
    {5, {L"Cancel", L"Retry", NULL}, {IDCANCEL, IDRETRY, 0}, {1, 2, 1}},
};
const UINT kDefaults[3] = {0, 0x100, 0x200};

TEST(QvMessageDlg, EachSetShowsItsButtonsFocusesTheDefaultAndAnswersThePressedButtonsId) {
  for (const SetCase& c : kSets) {
    for (int d = 0; d < 3; ++d) {
      const std::string what = "set " + std::to_string(c.set) + " default " + std::to_string(kDefaults[d]);
      CQvMessageDlg dlg(NULL, _T("Save the changes?"), _T("Report"), c.set | kDefaults[d], 0);
      WhileShown run(dlg, [&] {
        HWND h = dlg.m_hWnd;
        for (int i = 0; i < 3; ++i) {
          HWND button = ::GetDlgItem(h, kButtons[i]);
          EXPECT_EQ(::IsWindowVisible(button) != FALSE, c.texts[i] != NULL) << what << " button " << i + 1;
          if (c.texts[i] != NULL) {
            EXPECT_EQ(TextOf(button), c.texts[i]) << what;
          }
        }
        EXPECT_EQ(TextOf(h), L"Report") << what;
        EXPECT_EQ(TextOf(::GetDlgItem(h, CQvMessageDlg::kTextId)), L"Save the changes?") << what;
        HWND focused = ::GetDlgItem(h, kButtons[c.focus[d] - 1]);
        EXPECT_EQ(::GetFocus(), focused) << what;
        EXPECT_EQ(LOWORD(::SendMessage(h, DM_GETDEFID, 0, 0)), kButtons[c.focus[d] - 1]) << what;
        ::PostMessage(focused, BM_CLICK, 0, 0);
      });
      EXPECT_EQ(dlg.DoModal(), c.answers[c.focus[d] - 1]) << what;
      EXPECT_TRUE(run.ran) << what;
    }
    // Escape ends every set with IDCANCEL.
    CQvMessageDlg dlg(NULL, _T("Text"), _T("Report"), c.set, 0);
    WhileShown run(dlg, [&] {
      HWND focus = ::GetFocus();
      ::PostMessage(focus != NULL ? focus : dlg.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "escape, set " << c.set;
  }
}

TEST(QvMessageDlg, ButtonIdAnswersPerSetAndMinusOneAboveFive) {
  for (const SetCase& c : kSets) {
    CQvMessageDlg dlg(NULL, NULL, NULL, c.set, 0);
    for (UINT pos = 1; pos <= 3; ++pos)
      if (c.texts[pos - 1] != NULL) {
        EXPECT_EQ(dlg.ButtonID(pos), c.answers[pos - 1]) << c.set << "/" << pos;
      }
  }
  for (UINT set : {6u, 9u, 15u}) {
    CQvMessageDlg dlg(NULL, NULL, NULL, set, 0);
    EXPECT_EQ(dlg.ButtonID(1), -1) << set;
  }
}

// A text given for an answer goes on the button that gives that answer in the set.
TEST(QvMessageDlg, TextsForAnAnswerGoOnTheButtonThatGivesIt) {
  struct Case {
    UINT set;
    UINT id;
    int button;  // 0: no button shows the text
  };
  const Case cases[] = {
      {0, IDOK, 1},     {1, IDOK, 2},      {1, IDCANCEL, 1}, {2, IDRETRY, 2}, {2, IDABORT, 3},
      {2, IDIGNORE, 1}, {3, IDYES, 3},     {3, IDNO, 2},     {4, IDYES, 2},   {4, IDNO, 1},
      {5, IDRETRY, 2},  {5, IDCANCEL, 1},  {4, IDCANCEL, 0}, {0, IDNO, 0},
  };
  for (const Case& c : cases) {
    CQvMessageDlg dlg(NULL, NULL, NULL, c.set, 0);
    dlg.SetButtonTextFromID(c.id, _T("Mine"));
    dlg.SetButtonTextFromID(c.id, _T(""));  // an empty text changes nothing
    WhileShown run(dlg, [&] {
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kButtons[i])) == L"Mine", c.button == i + 1)
            << "set " << c.set << " id " << c.id << " button " << i + 1;
      dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_TRUE(run.ran);
  }
  // By position: out-of-range positions are ignored.
  CQvMessageDlg dlg(NULL, NULL, NULL, 3, 0);
  dlg.SetButtonTextFromPos(3, _T("Always"));
  dlg.SetButtonTextFromPos(4, _T("Never"));
  dlg.SetButtonTextFromPos(0, _T("Never"));
  WhileShown run(dlg, [&] {
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kButtons[2])), L"Always");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kButtons[1])), L"No");
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, kButtons[0])), L"Cancel");
    dlg.EndDialog(IDCANCEL);
  });
  dlg.DoModal();
}

TEST(QvMessageDlg, IconsComeFromTheSystemOrTheHostsModules) {
  struct Case {
    UINT kind;
    UINT userIcon;
    bool shown;
  };
  const Case cases[] = {
      {0x10, 0, true},  {0x20, 0, true},  {0x30, 0, true},   {0x40, 0, true},
      {0x80, 77, true},  // the host's icon, not a system one
      {0x80, 78, false}, {0x80, 0, false}, {0x00, 77, false}, {0x50, 77, false},
  };
  for (const Case& c : cases) {
    CQvMessageDlg dlg(NULL, _T("Text"), _T("Icons"), c.kind, c.userIcon);
    WhileShown run(dlg, [&] {
      const LRESULT icon = ::SendDlgItemMessage(dlg.m_hWnd, CQvMessageDlg::kIconId, STM_GETICON, 0, 0);
      EXPECT_EQ(icon != 0, c.shown) << std::hex << c.kind << " " << std::dec << c.userIcon;
      dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
  }
}

}  // namespace
