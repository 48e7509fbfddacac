#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "brevin.h"

namespace {

TEST(OriginInfo, LanguagesTable) {
  const struct {
    const char* language;
    const char* code;
    unsigned int codePage;
    unsigned char dbcs;
    const char* uiFont;
  } cases[] = {
      {"ja", "ja", 932, 1, "MS UI Gothic"},
      {"ko", "ko", 949, 1, "Gulim"},
      {"zh_CN", "zh_CN", 936, 1, "SimSun"},
      {"zh-tw", "zh_TW", 950, 1, "PMingLiU"},
      {"fr", "fr", 1252, 0, "MS Sans Serif"},
      {"ru", "ru", 1251, 0, "MS Sans Serif"},
      {"", "en", 1252, 0, "MS Sans Serif"},
      {nullptr, "en", 1252, 0, "MS Sans Serif"},
      {"far-too-long", "en", 1252, 0, "MS Sans Serif"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language ? c.language : "(null)");
    CQvOriginInfo info(c.language);
    EXPECT_TRUE(info.QvLanguageIs(c.code));
    EXPECT_EQ(info.GetCodePage(), c.codePage);
    EXPECT_EQ(info.GetOrgDBCS(), c.dbcs);
    EXPECT_STREQ(info.GetUIFontName(), c.uiFont);
  }
  CQvOriginInfo ja("ja");
  EXPECT_TRUE(ja.QvLanguageIs("JA"));
  EXPECT_FALSE(ja.QvLanguageIs("j"));
  EXPECT_FALSE(ja.QvLanguageIs(nullptr));
  EXPECT_TRUE(CQvOriginInfo("zh_CN").QvLanguageIs("zh-cn"));
  EXPECT_FALSE(CQvOriginInfo("zh_CN").QvLanguageIs("zh_TW"));
}

TEST(OriginInfo, FlagsNamesAndCopies) {
  CQvOriginInfo info("fr");
  info.SetOrgDBCS(1);
  EXPECT_EQ(info.GetOrgDBCS(), 1);
  info.SetLongName("Fran\xC3\xA7" "ais");
  CQvOriginInfo copy(info);
  EXPECT_STREQ(copy.GetLongName(), "Fran\xC3\xA7" "ais");
  EXPECT_EQ(copy.GetOrgDBCS(), 1);

  // A language change keeps the long name; the rest follows the language.
  copy.DoQvChangeLang("ko");
  EXPECT_TRUE(copy.QvLanguageIs("ko"));
  EXPECT_EQ(copy.GetCodePage(), 949u);
  EXPECT_STREQ(copy.GetLongName(), "Fran\xC3\xA7" "ais");
  EXPECT_TRUE(info.QvLanguageIs("fr"));

  // Cut to 63 bytes, never inside a character.
  std::string name(62, 'x');
  name += "\xC3\xA9tail";
  info.SetLongName(name.c_str());
  EXPECT_EQ(std::string(info.GetLongName()), std::string(62, 'x'));
  info.SetLongName(nullptr);
  EXPECT_STREQ(info.GetLongName(), "");
}

TEST(OriginInfo, FontNamesAndDatabaseCharacters) {
  CQvOriginInfo info("ja");
  EXPECT_STREQ(info.GetFontName(932, "ms gothic"),
               "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
  EXPECT_STREQ(info.GetFontName(936, "SimSun"), "\xE5\xAE\x8B\xE4\xBD\x93");
  EXPECT_STREQ(info.GetFontName(1252, "MS Gothic"), "");
  EXPECT_STREQ(info.GetFontName(932, "Arial"), "");
  EXPECT_STREQ(info.GetFontName(932, nullptr), "");
  EXPECT_STREQ(info.GetRDBMSAllowedChars(), "a-zA-Z0-9_");
}

TEST(OriginInfo, GlobalObjectAndCodePage) {
  CQvOriginInfo saved(gOrgInfo);
  EXPECT_EQ(QvGetCodePage(), gOrgInfo.GetCodePage());
  gOrgInfo.DoQvChangeLang("ja");
  EXPECT_EQ(QvGetCodePage(), 932u);
  EXPECT_EQ(gOrgInfo.GetOrgDBCS(), 1);
  gOrgInfo = saved;
  EXPECT_EQ(QvGetCodePage(), saved.GetCodePage());
}

}  // namespace
