// The earlier edition's check of names typed in the save dialog.
#if !defined(UNICODE)
#include <GUIInitialisations.h>
#include <GUISaveNameCheck.h>
#include <QvMsgDialog.h>
#include <QvOriginInfo.h>
#include <QvRDBMSChars.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// The UI language for the scope.
struct Language {
  std::string before = gOrgInfo.GetLanguage();
  explicit Language(const char* code) { gOrgInfo.DoQvChangeLang(code); }
  ~Language() { gOrgInfo.DoQvChangeLang(before.c_str()); }
};

TEST(SaveName, UnvNamesAreJudgedByLengthBlanksAndCharacters) {
  Language english("en");
  struct Case {
    const char* name;
    bool unv;
    int refuse;
    unsigned long label;
  };
  const Case cases[] = {
      {"abcdefgh.unv", true, 0, 0},
      {"C:\\Data\\ABCDEFGH.UNV", true, 0, 0},  // the folder and letter case do not count
      {"abcdefghi.unv", true, 1, IDL_QV_SAVENAME_TOO_LONG},
      {"abcdefghi", true, 1, IDL_QV_SAVENAME_TOO_LONG},
      {"abcdefgh", true, 0, 0},
      {"ab cd.unv", true, 1, 0},   // a blank after the first character: no message
      {" abc.unv", true, 1, IDL_QV_SAVENAME_BAD_CHARS},  // a leading blank passes that rule only
      {"\xE9.unv", true, 1, IDL_QV_SAVENAME_BAD_CHARS},  // "é"
      {"a-b.unv", true, 1, IDL_QV_SAVENAME_BAD_CHARS},
      {"a_b9.unv", true, 0, 0},
      {"C:", true, 1, 0},
      {"C:", false, 1, 0},
      {"abcdefghijkl mn\xE9.txt", false, 0, 0},  // other file types are not checked
      {"", true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    unsigned long label = 99;
    EXPECT_EQ(c.refuse, QvJudgeSaveName(c.name, c.unv, &label));
    EXPECT_EQ(c.label, label);
  }
}

TEST(SaveName, RefusalsShowTheirLabel) {
  SetBypassDialogs(true);
  GUIGetScriptingErrorText()->Empty();
  EXPECT_EQ(1, QvCheckSaveName("abcdefghi.unv", true));
  EXPECT_EQ(1, QvCheckSaveName("\xE9.unv", true));
  EXPECT_EQ(0, QvCheckSaveName("abc.unv", true));
  SetBypassDialogs(false);
  QvString expected = QvGetMyLabel(31255);
  expected += "\n";
  expected += QvGetMyLabel(31256);
  expected += "\n";
  EXPECT_FALSE(QvGetMyLabel(31255).IsEmpty());
  EXPECT_STREQ(expected.c_str(), GUIGetScriptingErrorText()->c_str());
}

TEST(SaveName, DoubleByteNamesKeepTheirTrailBytes) {
  // Katakana "a" (0x83 0x41) and "ra" (0x83 0x89) in code page 932: the trail byte 0x41 is an
  // upper-case letter's byte and must stay.
  char name[] = "\x83\x41\x83\x89X.UNV";
  QvLowerSingleByte(name, 932);
  EXPECT_STREQ("\x83\x41\x83\x89x.unv", name);
  Language japanese("ja");
  unsigned long label = 0;
  EXPECT_EQ(0, QvJudgeSaveName("\x83\x41\x83\x89.unv", true, &label));
  EXPECT_EQ(1, QvJudgeSaveName("\xB1.unv", true, &label));  // a half-width katakana
  EXPECT_EQ(static_cast<unsigned long>(IDL_QV_SAVENAME_BAD_CHARS), label);
}

TEST(SaveName, DatabaseCharacterTestsPerLanguage) {
  struct Case {
    const char* name;
    bool (*test)(const char*);
    const char* text;
    bool ok;
  };
  const Case cases[] = {
      {"ja kanji", IsEnabledShiftJISRDBMSChars, "\x93\xfa\x96\x7b_1", true},
      {"ja lead byte alone", IsEnabledShiftJISRDBMSChars, "ab\x93", false},
      {"ja blank", IsEnabledShiftJISRDBMSChars, "a b", false},
      {"ko hangul", IsEnabledKSC5601RDBMSChars, "\xb0\xa1x", true},
      {"ko bad trail", IsEnabledKSC5601RDBMSChars, "\xb0\x30", false},
      {"zh_CN", IsEnabledSimplifiedChineseRDBMSChars, "\xd6\xd0\xce\xc4", true},
      {"zh_TW", IsEnabledTraditionalChineseRDBMSChars, "\xa4\xa4", true},
      {"zh_TW bad trail", IsEnabledTraditionalChineseRDBMSChars, "\xa4\x90", false},
      {"null", IsEnabledShiftJISRDBMSChars, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.ok, c.test(c.text));
  }
}

TEST(SaveName, CharacterClassReadsRangesAndEscapes) {
  struct Case {
    const char* body;
    unsigned char c;
    bool in;
  };
  const Case cases[] = {
      {"a-zA-Z0-9_", 'q', true}, {"a-zA-Z0-9_", '_', true}, {"a-zA-Z0-9_", '-', false},
      {"\\]x", ']', true},       {"\\\\", '\\', true},       {"^a", '^', true},
      {"^a", 'b', false},        {"a-", '-', true},          {"", 'a', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.body) + " / " + static_cast<char>(c.c));
    EXPECT_EQ(c.in, QvCharClassHas(c.body, c.c));
  }
}

}  // namespace
#endif
