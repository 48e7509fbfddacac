// The auto-complete edit: what typing completes, what the parent hears, what deleting and
// disabling stop.
#include <gtest/gtest.h>

#include <AutoComEdit.h>
#include <framework.h>

#include "smallctrls_test.h"

#include <string>
#include <utility>
#include <vector>

namespace {

class AutoComplete : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(parent.m_hWnd, nullptr);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 200, 24), &parent, 11));
    EXPECT_TRUE(edit.AddEntry(_T("abcde")));
    EXPECT_TRUE(edit.AddEntry(_T("abxyz")));
    EXPECT_TRUE(edit.AddEntry(_T("Abc")));
  }
  // A key as the keyboard gives it: the key-down, then its character.
  void Type(UINT key, TCHAR ch) {
    parent.commands.clear();
    edit.SendMessage(WM_KEYDOWN, key, 1);
    if (ch != 0) edit.SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1);
    edit.SendMessage(WM_KEYUP, key, 0xC0000001);
  }
  CString Text() {
    CString t;
    edit.GetText(t);
    return t;
  }
  std::pair<int, int> Selection() {
    int s = 0, e = 0;
    edit.GetSel(s, e);
    return {s, e};
  }
  // The EN_UPDATE notifications the parent heard: the edit's text and selection then. The
  // edit completes before the parent hears the user's update (reflection runs first); an
  // update of the completion itself would arrive while the text is being set, with the
  // selection not yet made.
  std::vector<std::pair<std::basic_string<TCHAR>, std::pair<int, int>>> UpdatesHeard() {
    std::vector<std::pair<std::basic_string<TCHAR>, std::pair<int, int>>> heard;
    for (const auto& c : parent.commands)
      if (HIWORD(c.wParam) == EN_UPDATE && LOWORD(c.wParam) == 11)
        heard.push_back({std::basic_string<TCHAR>(c.text), {LOWORD(c.selection), HIWORD(c.selection)}});
    return heard;
  }
  using Heard = std::pair<std::basic_string<TCHAR>, std::pair<int, int>>;

  smallctrls::FrameworkParent parent;
  AutoComEdit edit;
};

TEST_F(AutoComplete, OneCharacterEntriesAreRefused) {
  EXPECT_FALSE(edit.AddEntry(_T("a")));
  EXPECT_FALSE(edit.AddEntry(_T("")));
  EXPECT_FALSE(edit.AddEntry(NULL));
  EXPECT_EQ(edit.GetEntryCount(), 3);
}

// "a" then "b": completes to the first entry added that begins so, case-sensitively, with the
// part not typed selected; the parent hears the user's update (the typed text), not the
// completion's own.
TEST_F(AutoComplete, TypingCompletesToTheFirstEntryWithTheRestSelected) {
  Type('A', _T('a'));
  EXPECT_EQ(Text(), CString(_T("abcde")));
  EXPECT_EQ(Selection(), std::make_pair(1, 5));
  EXPECT_EQ(UpdatesHeard(), std::vector<Heard>({{_T("abcde"), {1, 5}}}));

  Type('B', _T('b'));
  EXPECT_EQ(Text(), CString(_T("abcde")));
  EXPECT_EQ(Selection(), std::make_pair(2, 5));
  EXPECT_EQ(UpdatesHeard(), std::vector<Heard>({{_T("abcde"), {2, 5}}}));

  Type('X', _T('x'));
  EXPECT_EQ(Text(), CString(_T("abxyz")));
  EXPECT_EQ(Selection(), std::make_pair(3, 5));

  // Nothing begins so: the text stays as typed, and the parent hears the user's update.
  Type('Q', _T('q'));
  EXPECT_EQ(Text(), CString(_T("abxq")));
  EXPECT_EQ(Selection(), std::make_pair(4, 4));
  EXPECT_EQ(UpdatesHeard(), std::vector<Heard>({{_T("abxq"), {4, 4}}}));
}

TEST_F(AutoComplete, BackspaceRemovesTheCompletionAndNoneFollowsUntilAnotherKey) {
  Type('A', _T('a'));
  Type('B', _T('b'));
  ASSERT_EQ(Text(), CString(_T("abcde")));
  Type(VK_BACK, _T('\b'));  // removes the selected "cde"
  EXPECT_EQ(Text(), CString(_T("ab")));
  EXPECT_TRUE(edit.IsSuspended());
  Type(VK_BACK, _T('\b'));
  EXPECT_EQ(Text(), CString(_T("a")));
  EXPECT_EQ(UpdatesHeard(), std::vector<Heard>({{_T("a"), {1, 1}}}));  // the user's deletion is heard
  // Another key lifts the suspension and completes again.
  Type('B', _T('b'));
  EXPECT_FALSE(edit.IsSuspended());
  EXPECT_EQ(Text(), CString(_T("abcde")));
  EXPECT_EQ(Selection(), std::make_pair(2, 5));
}

TEST_F(AutoComplete, DisableAutoStopsCompletingUntilEnabledAgain) {
  edit.DisableAuto(true);
  Type('A', _T('a'));
  EXPECT_EQ(Text(), CString(_T("a")));
  Type('B', _T('b'));  // a key does not lift a suspension asked for
  EXPECT_EQ(Text(), CString(_T("ab")));
  EXPECT_EQ(UpdatesHeard().size(), 1u);
  edit.DisableAuto(false);
  Type('C', _T('c'));
  EXPECT_EQ(Text(), CString(_T("abcde")));
  EXPECT_EQ(Selection(), std::make_pair(3, 5));
}

}  // namespace
