// UCS-2 and UTF-8 strings.
#include <gtest/gtest.h>

#include <solvane.h>

namespace {

TEST(Ucs2String, BufferOwnership) {
  ucs2string empty(L"");
  EXPECT_FALSE(empty.OwnsBuffer());
  EXPECT_STREQ(empty.c_str(), L"");
  ucs2string none(static_cast<const wchar_t*>(nullptr));
  EXPECT_FALSE(none.OwnsBuffer());
  EXPECT_TRUE(none.is_null());
  ucs2string text(L"abc");
  EXPECT_TRUE(text.OwnsBuffer());
  EXPECT_STREQ(text.c_str(), L"abc");
  EXPECT_EQ(text.length(), 3u);
  ucs2string copy(text);
  EXPECT_STREQ(copy.c_str(), L"abc");
  EXPECT_NE(copy.c_str(), text.c_str());
  copy = copy;  // self-assignment keeps the text
  EXPECT_STREQ(copy.c_str(), L"abc");
  copy.assign(copy.c_str() + 1);  // from its own buffer
  EXPECT_STREQ(copy.c_str(), L"bc");
}

TEST(Utf8, RoundTripsAndReplacesIllFormedInput) {
  struct { const char* utf8; const wchar_t* wide; } cases[] = {
      {"", L""},
      {"plain", L"plain"},
      {"\xc3\xa9", L"\u00e9"},
      {"\xe2\x82\xac", L"\u20ac"},
      {"\xf0\x9f\x98\x80", L"\xd83d\xde00"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(solvane::Utf8ToUtf16(c.utf8), std::wstring(c.wide));
    EXPECT_STREQ(qv_utf8string(c.wide).c_str(), c.utf8);
  }
  struct { const char* bad; const wchar_t* want; } bad[] = {
      {"\xc3", L"\xfffd"},                  // truncated
      {"a\x80" "b", L"a\xfffd" L"b"},       // stray continuation
      {"\xc0\xaf", L"\xfffd\xfffd"},        // overlong
      {"\xed\xa0\x80", L"\xfffd\xfffd\xfffd"},  // encoded surrogate
      {"\xf5\x80\x80\x80", L"\xfffd\xfffd\xfffd\xfffd"},
  };
  for (auto& b : bad) EXPECT_EQ(solvane::Utf8ToUtf16(b.bad), std::wstring(b.want));
  EXPECT_EQ(solvane::Utf16ToUtf8(std::wstring(1, wchar_t(0xD800))), "\xef\xbf\xbd");
}

}  // namespace
