// QvString: construction, substrings, search, comparison, numbers, formatting, editing.
#include <gtest/gtest.h>

#include "throw_check.h"

#include <string.h>

#include <QvString.h>

namespace {

using vekkel_testing::ThrownCode;
const unsigned long kOut = vekkel_testing::kIndexOutOfRange;

TEST(QvString, Construction) {
  EXPECT_STREQ(QvString().c_str(), "");
  EXPECT_STREQ(QvString(static_cast<const char*>(nullptr)).c_str(), "");
  EXPECT_STREQ(QvString(static_cast<const wchar_t*>(nullptr)).c_str(), "");
  EXPECT_STREQ(QvString(L"\u00e9t\u00e9 \u20ac").c_str(), "\xc3\xa9t\xc3\xa9 \xe2\x82\xac");
  EXPECT_STREQ(QvString(L"\xd83d\xde00").c_str(), "\xf0\x9f\x98\x80");
  EXPECT_STREQ(QvString("abcdef", 3).c_str(), "abc");
  EXPECT_STREQ(QvString('x', 3).c_str(), "xxx");
  EXPECT_STREQ(QvString(-42).c_str(), "-42");
  EXPECT_STREQ(QvString(4000000000UL).c_str(), "4000000000");
  EXPECT_STREQ(QvString(2.5).c_str(), "2.5");
  EXPECT_EQ(QvString(L"\u00e9t\u00e9").ToWide(), std::wstring(L"\u00e9t\u00e9"));
  QvString s("abc");
  s = s.c_str() + 1;  // from its own buffer
  EXPECT_STREQ(s.c_str(), "bc");
}

TEST(QvString, SubstringsAndBounds) {
  const QvString s("hello world");
  struct { size_t start, count; const char* want; } mids[] = {
      {0, 5, "hello"}, {6, 100, "world"}, {11, 3, ""}, {3, 0, ""},
  };
  for (auto& m : mids) EXPECT_STREQ(s.Mid(m.start, m.count).c_str(), m.want) << m.start;
  EXPECT_STREQ(s.Mid(6).c_str(), "world");
  EXPECT_STREQ(s.Left(5).c_str(), "hello");
  EXPECT_STREQ(s.Left(99).c_str(), "hello world");
  EXPECT_STREQ(s.Right(5).c_str(), "world");
  EXPECT_STREQ(s.Right(99).c_str(), "hello world");
  EXPECT_EQ(s.GetAt(4), 'o');
  EXPECT_EQ(s[0], 'h');

  EXPECT_EQ(ThrownCode([&] { s.Mid(12); }), kOut);
  EXPECT_EQ(ThrownCode([&] { s.Mid(12, 1); }), kOut);
  EXPECT_EQ(ThrownCode([&] { s.GetAt(11); }), kOut);
  EXPECT_EQ(ThrownCode([&] { s.Find('o', 12); }), kOut);
  EXPECT_EQ(ThrownCode([&] { QvString t(s); t.SetAt(11, 'x'); }), kOut);
  EXPECT_EQ(ThrownCode([&] { QvString t(s); t.Insert(12, "x"); }), kOut);
  EXPECT_EQ(ThrownCode([&] { QvString t(s); t.Delete(12); }), kOut);
  EXPECT_EQ(ThrownCode([&] { QvString().GetAt(0); }), kOut);
  EXPECT_EQ(ThrownCode([&] { s.Find('o', 11); }), 0u);
}

TEST(QvString, Search) {
  const QvString s("a=1&b=2&C=3");
  EXPECT_EQ(s.Find('&'), 3);
  EXPECT_EQ(s.Find('&', 4), 7);
  EXPECT_EQ(s.Find('#'), -1);
  EXPECT_EQ(s.Find("b=2"), 4);
  EXPECT_EQ(s.Find("b=2", 5), -1);
  EXPECT_EQ(s.Find(""), 0);
  EXPECT_EQ(s.FindNoCase("c="), 8);
  EXPECT_EQ(s.FindOneOf("=&", 2), 3);
  EXPECT_EQ(s.ReverseFind('='), 9);
  EXPECT_TRUE(s.StartsWith("A=", true));
  EXPECT_FALSE(s.StartsWith("A="));
  EXPECT_TRUE(s.EndsWith("=3"));
  EXPECT_FALSE(QvString("a").EndsWith("ba"));
}

TEST(QvString, Comparison) {
  struct { const char* a; const char* b; int ordinal; int noCase; } cases[] = {
      {"abc", "abc", 0, 0},
      {"abc", "abd", -1, -1},
      {"abc", "ABC", 1, 0},
      {"\xc3\xa9t\xc3\xa9", "\xc3\x89T\xc3\x89", 1, 0},
      {"", "a", -1, -1},
      {"b", "", 1, 1},
  };
  for (auto& c : cases) {
    QvString a(c.a);
    EXPECT_EQ(a.Compare(c.b), c.ordinal) << c.a << " " << c.b;
    int r = a.CompareNoCase(c.b);
    EXPECT_EQ(r < 0 ? -1 : (r > 0 ? 1 : 0), c.noCase) << c.a << " " << c.b;
  }
  EXPECT_TRUE(QvString("x") == "x");
  const char* literal = "x";
  EXPECT_TRUE(std::string(literal) == "x" && literal == QvString("x"));  // text, not pointers
  EXPECT_FALSE("y" == QvString("x"));
  EXPECT_TRUE(QvString("x") != QvString("y"));
  EXPECT_TRUE(QvString("a") < QvString("b"));
}

TEST(QvString, CompareAlphaUIIsZeroOnlyForIdenticalTexts) {
  EXPECT_EQ(QvString("Total").CompareAlphaUI(QvString("Total")), 0);
  EXPECT_NE(QvString("Total").CompareAlphaUI(QvString("total")), 0);
  EXPECT_NE(QvString("co-op").CompareAlphaUI(QvString("coop")), 0);
  EXPECT_LT(QvString::CompareAlphaUI(QvString("apple"), QvString("Banana")), 0);
  EXPECT_GT(QvString("banana").CompareAlphaUI(QvString("Apple")), 0);
  EXPECT_LT(QvString("\xc3\xa9").CompareAlphaUI(QvString("f")), 0);  // e-acute sorts with e
  EXPECT_NE(QvString("a\xff").CompareAlphaUI(QvString("a\xfe")), 0);  // ill-formed bytes differ
}

TEST(QvString, Numbers) {
  QvString s;
  s.SetNumber(-2147483647L - 1);
  EXPECT_STREQ(s.c_str(), "-2147483648");
  s.SetNumber(0x7FFFFFFFL);
  EXPECT_STREQ(s.c_str(), "2147483647");
  s.SetNumber(3.14159, 2);
  EXPECT_STREQ(s.c_str(), "3.14");
  s.SetNumber(0.1);
  EXPECT_STREQ(s.c_str(), "0.1");

  struct { const char* text; bool ok; long value; } longs[] = {
      {"42", true, 42}, {"  -17 ", true, -17}, {"+5", true, 5},
      {"", false, 0}, {"  ", false, 0}, {"12abc", false, 0}, {"abc", false, 0},
      {"99999999999999999999", false, 0}, {"1.5", false, 0},
  };
  for (auto& c : longs) {
    long v = 99;
    EXPECT_EQ(QvString(c.text).GetNumber(v), c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  double d = 0;
  EXPECT_TRUE(QvString(" 2.5e3 ").GetNumber(d));
  EXPECT_DOUBLE_EQ(d, 2500.0);
  EXPECT_FALSE(QvString("nan").GetNumber(d));
  EXPECT_FALSE(QvString("1e999").GetNumber(d));
  unsigned long u = 0;
  EXPECT_TRUE(QvString("4000000000").GetNumber(u));
  EXPECT_EQ(u, 4000000000UL);
  EXPECT_FALSE(QvString("-1").GetNumber(u));
  long embedded = 0;
  EXPECT_FALSE(QvString(std::string("12\0" "3", 4)).GetNumber(embedded));
}

TEST(QvString, Formatting) {
  QvString s;
  s.Format("%s: %s", "Document", "Sales");
  EXPECT_STREQ(s.c_str(), "Document: Sales");
  s.AppendFormat(" (%d/%ld)", 3, 40L);
  EXPECT_STREQ(s.c_str(), "Document: Sales (3/40)");
  s.Format("%%%02X", 0xAB);
  EXPECT_STREQ(s.c_str(), "%AB");
  std::string longText(5000, 'q');
  s.Format("<%s>", longText.c_str());
  EXPECT_EQ(s.GetLength(), 5002u);
  EXPECT_EQ(s.Left(2), QvString("<q"));
}

TEST(QvString, EditingAndCase) {
  QvString s("a b&c=d");
  EXPECT_EQ(s.Replace(" ", "%20"), 1u);
  EXPECT_EQ(s.Replace("&", "%26"), 1u);
  EXPECT_STREQ(s.c_str(), "a%20b%26c=d");
  EXPECT_EQ(s.Replace("", "x"), 0u);
  EXPECT_EQ(s.Replace("zz", "x"), 0u);
  QvString r("aaa");
  EXPECT_EQ(r.Replace("a", "aa"), 3u);
  EXPECT_STREQ(r.c_str(), "aaaaaa");
  EXPECT_EQ(r.Remove('a'), 6u);
  EXPECT_TRUE(r.IsEmpty());

  QvString e("held");
  e.Insert(2, "llo wor");
  EXPECT_STREQ(e.c_str(), "hello world");
  e.Delete(5, 100);
  EXPECT_STREQ(e.c_str(), "hello");
  e += '!';
  e += QvString("?");
  EXPECT_EQ(e + "x", QvString("hello!?x"));
  EXPECT_EQ("<" + e, QvString("<hello!?"));
  EXPECT_EQ(e + '.', QvString("hello!?."));

  QvString c("Stra\xc3\x9f" "e \xc3\xa9t\xc3\xa9 abc");
  c.MakeUpper();
  EXPECT_STREQ(c.c_str(), "STRA\xc3\x9f" "E \xc3\x89T\xc3\x89 ABC");
  c.MakeLower();
  EXPECT_STREQ(c.c_str(), "stra\xc3\x9f" "e \xc3\xa9t\xc3\xa9 abc");

  struct { const char* in; const char* both; const char* left; const char* right; } trims[] = {
      {"  x y \t\r\n", "x y", "x y \t\r\n", "  x y"},
      {"", "", "", ""},
      {" \t ", "", "", ""},
  };
  for (auto& t : trims) {
    QvString a(t.in), b(t.in), c2(t.in);
    a.Trim();
    b.TrimLeft();
    c2.TrimRight();
    EXPECT_STREQ(a.c_str(), t.both);
    EXPECT_STREQ(b.c_str(), t.left);
    EXPECT_STREQ(c2.c_str(), t.right);
  }
  QvString set("\xc2\xa0*x*\xc2\xa0");
  set.TrimLeft("*\xc2\xa0");
  set.TrimRight("\xc2\xa0*");
  EXPECT_STREQ(set.c_str(), "x");
}

// Ill-formed UTF-8 is kept byte for byte and shows as U+FFFD in UTF-16.
TEST(QvString, InvalidUtf8NeverFailsAndIsKept) {
  struct { const char* bytes; size_t chars; const wchar_t* wide; } cases[] = {
      {"\xff", 1, L"\xfffd"},
      {"a\xc3", 2, L"a\xfffd"},                    // truncated sequence
      {"\xe2\x82", 2, L"\xfffd\xfffd"},            // truncated three-byte sequence
      {"\xc0\xaf", 2, L"\xfffd\xfffd"},            // overlong
      {"\xed\xa0\x80", 3, L"\xfffd\xfffd\xfffd"},  // encoded surrogate
      {"\xf4\x90\x80\x80", 4, nullptr},            // beyond U+10FFFF
      {"\x80x", 2, L"\xfffdx"},                    // lone continuation byte
  };
  for (auto& c : cases) {
    QvString s(c.bytes);
    EXPECT_EQ(s.GetLength(), strlen(c.bytes));
    EXPECT_EQ(s.GetCharCount(), c.chars) << c.bytes;
    std::wstring w = s.ToWide();
    if (c.wide) {
      EXPECT_EQ(w.find(L'\xfffd') != std::wstring::npos, true) << c.bytes;
    }
    QvString upper(s);
    upper.MakeUpper();
    upper.MakeLower();
    QvString lower(c.bytes);
    lower.MakeLower();
    EXPECT_EQ(upper, lower);
    EXPECT_EQ(upper.GetLength(), s.GetLength());
    s.Trim();
    s.CompareNoCase("x");
    s.CompareAlphaUI(QvString("x"));
    long n;
    EXPECT_FALSE(s.GetNumber(n));
  }
  EXPECT_EQ(QvString("a\xc3").ToWide(), std::wstring(L"a\xfffd"));
}

}  // namespace
