// Hot-key texts in menu and tooltip form, and the accelerator filter.
#include <gtest/gtest.h>

#include <UIHotKey.h>

namespace {

std::string Text(UINT key, UINT flags, int tooltip) {
  CString text(_T("unchanged"));
  if (!UIGetHotKeyString(text, key, flags, tooltip)) return "<none>";
  std::string out;
  for (int i = 0; i < text.GetLength(); ++i) out += static_cast<char>(text[i]);
  return out;
}

TEST(HotKeyText, KeysAndModifiersInMenuForm) {
  const UINT A = FALT, C = FCONTROL, S = FSHIFT;
  struct {
    UINT key, flags;
    const char* text;
  } cases[] = {
      {'S', C, "\tCtrl+S"},
      {'Q', A | C | S, "\tAlt+Ctrl+Shift+Q"},
      {'7', 0, "\t7"},
      {VK_F5, C | S, "\tCtrl+Shift+F5"},
      {VK_F24, 0, "\tF24"},
      {VK_RETURN, A, "\tAlt+Enter"},
      {VK_SPACE, C, "\tCtrl+Space"},
      {VK_PRIOR, 0, "\tPgUp"},
      {VK_LEFT, 0, "\tLft"},
      {VK_DELETE, S, "\tShift+Del"},
      {VK_HELP, 0, "\tHelp"},
      {VK_NUMPAD0, 0, "\tNum 0"},
      {VK_MULTIPLY, 0, "\tNum *"},
      {VK_DIVIDE, C, "\tCtrl+Num /"},
      // Keys without a printable character of their own get names.
      {VK_TAB, C, "\tCtrl+Tab"},
      {VK_ESCAPE, 0, "\tEsc"},
      {VK_BACK, A, "\tAlt+Backspace"},
      {VK_PAUSE, 0, "\tPause"},
      {VK_NUMLOCK, 0, "\tNum Lock"},
      {VK_SCROLL, 0, "\tScroll Lock"},
      {VK_APPS, S, "\tShift+Menu"},
      {0xE8, 0, "\t#E8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Text(c.key, c.flags | FVIRTKEY, FALSE), c.text);
  }
}

TEST(HotKeyText, TooltipFormWrapsTheSameText) {
  EXPECT_EQ(Text(VK_F5, FCONTROL | FSHIFT, TRUE), " (Ctrl+Shift+F5)");
  EXPECT_EQ(Text('N', FCONTROL, TRUE), " (Ctrl+N)");
  EXPECT_EQ(Text(VK_ESCAPE, 0, TRUE), " (Esc)");
}

TEST(HotKeyText, KeyZeroGivesNothingAndLeavesTheText) {
  EXPECT_EQ(Text(0, FCONTROL, FALSE), "<none>");
  CString text(_T("kept"));
  EXPECT_EQ(UIGetHotKeyString(text, 0, 0, TRUE), 0);
  EXPECT_EQ(text, CString(_T("kept")));
}

// The punctuation keys show a visible character, never a control character.
TEST(HotKeyText, OemKeysShowAVisibleCharacter) {
  for (UINT key : {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3,
                   VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7}) {
    std::string text = Text(key, FCONTROL, FALSE);
    SCOPED_TRACE(text);
    ASSERT_EQ(text.substr(0, 6), "\tCtrl+");
    ASSERT_EQ(text.size(), 7u);
    EXPECT_GT(static_cast<unsigned char>(text[6]), 0x20);
  }
}

TEST(CanBeAccelerator, RefusesWhatEditControlsNeed) {
  const UINT A = FALT, C = FCONTROL, S = FSHIFT;
  struct {
    UINT key, flags;
    BOOL allowed;
  } cases[] = {
      {0, C, FALSE},
      {VK_BACK, A, FALSE},       {VK_BACK, A | S, TRUE},   {VK_BACK, 0, TRUE},
      {VK_INSERT, S, FALSE},     {VK_INSERT, C, FALSE},    {VK_INSERT, C | S, TRUE},
      {VK_INSERT, 0, TRUE},      {VK_INSERT, A | S, TRUE},
      {VK_DELETE, 0, FALSE},     {VK_DELETE, C, FALSE},    {VK_DELETE, S, TRUE},
      {VK_DELETE, A, TRUE},      {VK_DELETE, A | C, TRUE},
      {'C', C, FALSE},           {'V', C, FALSE},          {'X', C, FALSE},
      {'Z', C, FALSE},           {'C', C | S, TRUE},       {'C', A | C, TRUE},
      {'C', 0, TRUE},            {'A', C, TRUE},           {VK_F5, 0, TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " flags " << c.flags);
    EXPECT_EQ(CanBeAccelerator(c.key, c.flags | FVIRTKEY), c.allowed);
  }
}

}  // namespace
