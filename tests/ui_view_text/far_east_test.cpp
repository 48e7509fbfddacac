// Far-East line breaking: the tables of each language as the byte tests and the UTF-16 rules see
// them, the lead-byte and blank tests, and the breaks the view's text layout makes with them.
#include <FarEastRules.h>
#include <QvOriginInfo.h>
#include <UITextLines.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "language_scope.h"
#include "text_fixture.h"

namespace {

using testing_support::LanguageScope;

// A language's tables as published: double-byte entries as hexadecimal values and ranges.
struct LanguageTables {
  const char* language;
  unsigned int codePage;
  const char* beginSingle;
  const char* endSingle;
  const char* beginDouble;
  size_t beginCount;
  const char* endDouble;
  size_t endCount;
};

const LanguageTables kLanguages[] = {
    {"ja", 932, "!%),.?]}\xA1\xA3\xA4\xA5\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xDE\xDF", "$([\\{\xA2",
     "8141-814B 8152-8155 8158 815B 8166 8168 816A 816C 816E 8170 8172 8174 8176 8178 817A 818B-818E 8191 8193 "
     "81F1 829F 82A1 82A3 82A5 82A7 82C1 82E1 82E3 82E5 82EC 8340 8342 8344 8346 8348 8362 8383 8385 8387 838E "
     "8395 8396",
     57, "8165 8167 8169 816B 816D 816F 8171 8173 8175 8177 8179 818F 8190 8192", 14},
    {"ko", 949, "!%),.:;?]}", "([\\{",
     "A1A2 A1AF A1B1 A1B3 A1B5 A1B7 A1B9 A1BB A1BD A1C6-A1C9 A1CB A3A1 A3A5 A3A9 A3AC A3AE A3BA A3BB A3BF A3DC "
     "A3DD A3FD",
     25, "A1AE A1B0 A1B2 A1B4 A1B6 A1B8 A1BA A1BC A3A4 A3A8 A3DB A3DC A3FB", 13},
    {"zh_CN", 936, "!),.:;?]}", "([{",
     "A1A2-A1AD A1AF A1B1 A1B3 A1B5 A1B7 A1B9 A1BB A1BD A1BF A1C3 A3A1 A3A2 A3A7 A3A9 A3AC A3AE A3BA A3BB A3BF "
     "A3DD A3E0 A3FC A3FD",
     35, "A1AE A1B0 A1B2 A1B4 A1B6 A1B8 A1BA A1BC A1BE A3A8 A3AE A3B0-A3B9 A3DB A3FB", 23},
    {"zh_TW", 950, "!),.:;?]}", "([{",
     "A141-A15C A15E A160 A162 A164 A166 A168 A16A A16C A16E A170 A172 A174 A176 A178 A17A A17C A17E A1A2 A1A4 "
     "A1A6 A1A8 A1AA A1AC",
     51, "A15D A15F A161 A163 A165 A167 A169 A16B A16D A16F A171 A173 A175 A177 A179 A17B A17D A1A1 A1A3 A1A5 "
     "A1A7 A1A9 A1AB",
     23},
};

std::set<unsigned> Expand(const char* list) {
  std::set<unsigned> out;
  std::istringstream in(list);
  std::string item;
  while (in >> item) {
    const size_t dash = item.find('-');
    const unsigned lo = std::stoul(item.substr(0, dash), nullptr, 16);
    const unsigned hi = dash == std::string::npos ? lo : std::stoul(item.substr(dash + 1), nullptr, 16);
    for (unsigned v = lo; v <= hi; ++v) out.insert(v);
  }
  return out;
}

std::string Bytes(unsigned v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; }

wchar_t Wide(const std::string& bytes, unsigned int codePage) {
  wchar_t w[2] = {};
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), w, 2) == 1
             ? w[0]
             : 0;
}

// What the exported byte tests answer: the rules in the earlier edition, 0 in the current one.
int ExpectedExport(bool rule) {
#ifdef UNICODE
  (void)rule;
  return 0;
#else
  return rule ? 1 : 0;
#endif
}

void CheckTable(const LanguageTables& t, const char* list, size_t count, bool begin) {
  SCOPED_TRACE(std::string(t.language) + (begin ? " may not begin" : " may not end"));
  const std::set<unsigned> entries = Expand(list);
  EXPECT_EQ(entries.size(), count);
  auto rule = [begin](const char* p) { return begin ? FarEastMayNotBegin(p) : FarEastMayNotEnd(p); };
  auto ruleW = [begin](wchar_t c) { return begin ? FarEastMayNotBeginW(c) : FarEastMayNotEndW(c); };
  auto exported = [begin](std::string s) {
    auto* p = reinterpret_cast<unsigned char*>(&s[0]);
    return begin ? IsFarEastFollowingChars(p) : IsFarEastLeadingChars(p);
  };
  for (unsigned v : entries) {
    const std::string s = Bytes(v);
    EXPECT_TRUE(rule(s.c_str())) << std::hex << v;
    EXPECT_EQ(exported(s), ExpectedExport(true)) << std::hex << v;
    const wchar_t w = Wide(s, t.codePage);
    ASSERT_NE(w, 0) << std::hex << v;
    EXPECT_TRUE(ruleW(w)) << std::hex << v;
    for (unsigned n : {v - 1, v + 1})
      if (!entries.count(n)) {
        const std::string ns = Bytes(n);
        EXPECT_FALSE(rule(ns.c_str())) << std::hex << n;
        EXPECT_EQ(exported(ns), 0) << std::hex << n;
        const wchar_t nw = Wide(ns, t.codePage);
        if (nw) {
          EXPECT_FALSE(ruleW(nw)) << std::hex << n;
        }
      }
  }
  // One-byte entries, and every other byte that is not a lead byte.
  const char* single = begin ? t.beginSingle : t.endSingle;
  for (unsigned c = 1; c < 256; ++c) {
    if (IsFarEastLeadByte(static_cast<unsigned char>(c))) continue;
    const bool listed = strchr(single, static_cast<int>(c)) != nullptr;
    const char s[2] = {static_cast<char>(c), 0};
    EXPECT_EQ(rule(s), listed) << std::hex << c;
    EXPECT_EQ(exported(s), ExpectedExport(listed)) << std::hex << c;
    const wchar_t w = Wide(std::string(s, 1), t.codePage);
    if (w) {
      EXPECT_EQ(ruleW(w), listed) << std::hex << c;
    }
  }
}

TEST(FarEastRules, EveryTableEntryHoldsAndItsNeighboursDoNot) {
  for (const LanguageTables& t : kLanguages) {
    LanguageScope scope(t.language, 1);
    ASSERT_TRUE(FarEastRulesActive()) << t.language;
    CheckTable(t, t.beginDouble, t.beginCount, true);
    CheckTable(t, t.endDouble, t.endCount, false);
  }
}

TEST(FarEastRules, EveryRuleAnswersNoWhileTheDoubleByteSwitchIsOff) {
  std::vector<const char*> languages = {"ja", "ko", "zh_CN", "zh_TW"};
  for (const char* language : languages) {
    SCOPED_TRACE(language);
    LanguageScope scope(language, 0);
    EXPECT_FALSE(FarEastRulesActive());
    for (unsigned c = 1; c < 256; ++c) {
      const char one[2] = {static_cast<char>(c), 0};
      EXPECT_FALSE(IsLanguageLeadByte(static_cast<unsigned char>(c)));
      EXPECT_FALSE(IsLanguageBlank(one));
      for (unsigned trail : {0x40u, 0x41u, 0x65u, 0xA1u, 0xA2u}) {
        std::string s = {static_cast<char>(c), static_cast<char>(trail)};
        EXPECT_FALSE(FarEastMayNotBegin(s.c_str()));
        EXPECT_FALSE(FarEastMayNotEnd(s.c_str()));
        EXPECT_EQ(IsFarEastFollowingChars(reinterpret_cast<unsigned char*>(&s[0])), 0);
        EXPECT_EQ(IsFarEastLeadingChars(reinterpret_cast<unsigned char*>(&s[0])), 0);
      }
    }
    for (wchar_t w : {L')', L'\x3001', L'\x3002', L'\xFF09', L'\xFF08', L'\x300C'}) {
      EXPECT_FALSE(FarEastMayNotBeginW(w));
      EXPECT_FALSE(FarEastMayNotEndW(w));
    }
  }
  // Languages without tables answer no even with the switch on.
  LanguageScope scope("fr", 1);
  EXPECT_FALSE(FarEastRulesActive());
  EXPECT_FALSE(FarEastMayNotBegin(")"));
  EXPECT_FALSE(FarEastMayNotBeginW(L')'));
  EXPECT_FALSE(IsFarEastLeadByte(0x81));
}

// Lead bytes follow the UI language's code page, not the process's (1252 here).
TEST(FarEastRules, LeadBytesComeFromTheLanguagesCodePage) {
  struct Case {
    const char* language;
    unsigned char byte;
    bool lead;
  };
  const Case cases[] = {
      {"ja", 0x81, true},     {"ja", 0x9F, true},     {"ja", 0xE0, true},     {"ja", 0xA1, false},
      {"ja", 0x41, false},    {"ko", 0xA1, true},     {"ko", 0x41, false},    {"zh_TW", 0xA1, true},
      {"zh_TW", 0x80, false}, {"zh_CN", 0xA1, true},  {"zh_CN", 0xB0, true},  {"zh_CN", 0xF7, true},
      {"zh_CN", 0xAA, false}, {"zh_CN", 0xAF, false}, {"zh_CN", 0xF8, false}, {"zh_CN", 0xFE, false},
  };
  for (const Case& c : cases) {
    LanguageScope scope(c.language, 1);
    EXPECT_EQ(IsFarEastLeadByte(c.byte), c.lead) << c.language << " " << std::hex << int(c.byte);
    EXPECT_EQ(IsLanguageLeadByte(c.byte), c.lead) << c.language << " " << std::hex << int(c.byte);
  }
}

TEST(FarEastRules, ALeadByteBeforeTheEndIsOneCharacter) {
  LanguageScope scope("ja", 1);
  EXPECT_EQ(FarEastCharLength("\x81"), 1);
  EXPECT_EQ(FarEastCharLength("\x81\x41"), 2);
  EXPECT_EQ(FarEastCharLength(""), 0);
  // A lone lead byte is looked up as the one byte it is: not in the one-byte table.
  EXPECT_FALSE(FarEastMayNotBegin("\x81"));
  // The half-width katakana full stop is no lead byte and may not begin a line.
  EXPECT_TRUE(FarEastMayNotBegin("\xA1"));
}

TEST(FarEastRules, BlanksAreAsciiOrTheLanguagesIdeographicSpace) {
  struct Case {
    const char* language;
    const char* text;
    bool blank;
  };
  const Case cases[] = {
      {"ja", " ", true},           {"ja", "\x81\x40", true},    {"ja", "\xA1\xA1", false}, {"ja", "a", false},
      {"ko", "\xA1\xA1", true},    {"ko", "\x81\x40", false},   {"zh_CN", "\xA1\xA1", true},
      {"zh_CN", "\xA1\x40", false}, {"zh_TW", "\xA1\x40", true}, {"zh_TW", "\xA1\xA1", false},
      {"zh_TW", "", false},        {"fr", " ", true},          {"fr", "\xA1\xA1", false},
  };
  for (const Case& c : cases) {
    LanguageScope scope(c.language, 1);
    EXPECT_EQ(IsLanguageBlank(c.text), c.blank) << c.language << " '" << c.text << "'";
  }
  // The same for UTF-16 text: every language's ideographic space is U+3000.
  struct WideCase {
    const char* language;
    unsigned char rules;
    wchar_t c;
    bool blank;
  };
  const WideCase wide[] = {
      {"ja", 1, L'\x3000', true}, {"ko", 1, L'\x3000', true}, {"zh_CN", 1, L'\x3000', true},
      {"zh_TW", 1, L'\x3000', true}, {"ja", 1, L' ', true},     {"ja", 1, L'a', false},
      {"ja", 1, L'\x3001', false}, {"ja", 0, L'\x3000', false}, {"ja", 0, L' ', false},
      {"fr", 1, L'\x3000', false}, {"fr", 1, L' ', true},       {"ja", 1, L'\0', false},
  };
  for (const WideCase& c : wide) {
    LanguageScope scope(c.language, c.rules);
    EXPECT_EQ(IsLanguageBlankW(c.c), c.blank) << c.language << " " << int(c.rules) << " U+" << std::hex << int(c.c);
  }
}

// The view's layout: the width lets exactly `fit` characters of the text fit on a line.
class FarEastLayoutTest : public TextTest {
 protected:
  std::vector<std::wstring> Lines(const std::wstring& text, int fit, bool rules, int height = 0x7FFFFFFF) {
    LanguageScope scope("ja", rules ? 1 : 0);
    TextLineInfoArray lines;
    view.CallCalcTextLines(L"x", QvSize(1000, 1000), true, lines);  // selects the text font
    std::vector<int> ext(text.size());
    SIZE whole = {};
    GetTextExtentExPointW(view.MeasureDC(), text.c_str(), static_cast<int>(text.size()), 0, NULL, ext.data(), &whole);
    EXPECT_LT(ext[fit - 1], ext[fit]) << "characters without width";
    lines.RemoveAll();
    view.CallCalcTextLines(text.c_str(), QvSize(ext[fit - 1], height), true, lines);
    std::vector<std::wstring> out;
    for (long i = 0; i < lines.GetSize(); ++i) out.emplace_back(lines.Line(i).text, lines.Line(i).length);
    return out;
  }
};

TEST_F(FarEastLayoutTest, PunctuationKeepsToItsSideOfTheBreak) {
  struct Case {
    const wchar_t* text;
    int fit;
    bool rules;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      // A closing full-width parenthesis stays at the end of the line it would have begun.
      {L"\x3042\x3042\x3042\x3042\xFF09\x3042", 4, true, {L"\x3042\x3042\x3042\x3042\xFF09", L"\x3042"}},
      {L"\x3042\x3042\x3042\x3042\xFF09\x3042", 4, false, {L"\x3042\x3042\x3042\x3042", L"\xFF09\x3042"}},
      // An opening one that would end a line moves down to the next.
      {L"\x3042\x3042\x3042\xFF08\x3042\x3042", 4, true, {L"\x3042\x3042\x3042", L"\xFF08\x3042\x3042"}},
      {L"\x3042\x3042\x3042\xFF08\x3042\x3042", 4, false, {L"\x3042\x3042\x3042\xFF08", L"\x3042\x3042"}},
      // A full stop that may not begin a line, last on it: the character before it moves down too.
      {L"\x3042\x3042\x3042\x3002\x3042\x3042", 4, true, {L"\x3042\x3042", L"\x3042\x3002\x3042\x3042"}},
      // Japanese breaks between any two ideographs, ASCII words only at blanks.
      {L"\x3042\x3042\x3042\x3042\x3042\x3042", 4, true, {L"\x3042\x3042\x3042\x3042", L"\x3042\x3042"}},
      {L"ab cd", 4, true, {L"ab", L"cd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.rules ? "rules on: " : "rules off: ") << c.lines[0].size());
    const std::vector<std::wstring> got = Lines(c.text, c.fit, c.rules);
    ASSERT_EQ(got.size(), c.lines.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(got[i] == c.lines[i]) << "line " << i;
  }
}

TEST_F(FarEastLayoutTest, ARunOfForbiddenCharactersLongerThanALineEnds) {
  struct Case {
    std::wstring text;
    int fit;
  };
  const Case cases[] = {
      {std::wstring(40, L'\xFF09'), 4},  // none may begin a line
      {std::wstring(40, L'\xFF08'), 4},  // none may end one
      // Every break would move before the character ahead of a full stop: back to the line start.
      {[] {
         std::wstring s;
         for (int i = 0; i < 20; ++i) s += L"\x3042\x3002";
         return s;
       }(),
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fit " << c.fit << ", first " << int(c.text[0]));
    const std::vector<std::wstring> got = Lines(c.text, c.fit, true, 1000);
    size_t total = 0;
    for (const std::wstring& line : got) {
      EXPECT_FALSE(line.empty());
      total += line.size();
    }
    EXPECT_EQ(total, c.text.size());
  }
}

}  // namespace
