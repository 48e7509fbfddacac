// Encoding and decoding of link texts, by tables; hostile texts round-trip unchanged.
#include <gtest/gtest.h>

#include <QvUrlParam.h>

#include <string>

namespace {

QvString Bytes(const std::string& s) { return QvString(s); }

struct Case {
  std::string in, out;
};

TEST(HyperlinkStrings, EncodeEscapesLinkSyntax) {
  const Case cases[] = {
      {"a b&c=d:e", "a%20b%26c%3dd%3ae"},
      {"", ""},
      {"plain", "plain"},
      {"50%", "50%25"},             // a percent sign could be read as an escape
      {"%20", "%2520"},
      {"c:\\dir", "c%3a%5cdir"},    // and a backslash as a link escape
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    QvString text = Bytes(c.in);
    HyperlinkEncodeString(text);
    EXPECT_EQ(text.str(), c.out) << c.in;
  }
}

TEST(HyperlinkStrings, UrlEncodeWritesEveryOtherByteInHex) {
  const Case cases[] = {
      {"a-b", "a%2Db"},
      {"\xC3", "%C3"},  // a byte, not a sign-extended char ("%FFFFFFC3")
      {"\xFF\x80", "%FF%80"},
      {"AZaz09", "AZaz09"},
      {"", ""},
      {std::string("\0", 1), "%00"},
      {" /?", "%20%2F%3F"},
  };
  for (const Case& c : cases) {
    QvString text = Bytes(c.in);
    EXPECT_EQ(HyperlinkUrlEncodeString(text).str(), c.out) << c.in;
  }
}

TEST(HyperlinkStrings, DecodeUndoesEscapesAndKeepsMalformedOnes) {
  const Case cases[] = {
      {"x\\&y", "x&y"},
      {"\\ \\\"\\#\\?", " \"#?"},
      {"a\\nb", "a\\nb"},        // any other character keeps its backslash
      {"end\\", "end\\"},        // a backslash at the very end stays
      {"\\", "\\"},
      {"\\%20", "\\%20"},        // an escaped percent sign is taken literally
      {"a%20b%26c%3dd%3ae", "a b&c=d:e"},
      {"%3D%3A%2f", "=:/"},      // either case of hex digits
      {"%", "%"},                // lone, truncated and malformed escapes stay as written
      {"abc%", "abc%"},
      {"%4", "%4"},
      {"%G1", "%G1"},
      {"%1G", "%1G"},
      {"%%41", "%A"},
      {"%00", std::string("\0", 1)},
      {std::string("a\0%41", 5), std::string("a\0A", 3)},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HyperlinkDecodeString(Bytes(c.in)).str(), c.out) << c.in;
}

TEST(HyperlinkStrings, EveryTextRoundTripsThroughBothEncodings) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const std::string texts[] = {
      "", "a b&c=d:e", "%", "%G1", "%4", "%%", "%2", "50% off", "\\", "\\ \\&\\?", "a\\nb", "c:\\dir\\x y",
      std::string("a\0b", 3), "\xC3\xA9t\xC3\xA9", allBytes, std::string(100000, '&') + std::string(100000, '%'),
  };
  for (const std::string& t : texts) {
    QvString encoded = Bytes(t);
    HyperlinkEncodeString(encoded);
    EXPECT_EQ(HyperlinkDecodeString(encoded).str(), t) << t.substr(0, 40);
    QvString source = Bytes(t);
    QvString urlEncoded = HyperlinkUrlEncodeString(source);
    EXPECT_EQ(HyperlinkDecodeString(urlEncoded).str(), t) << t.substr(0, 40);
  }
}

}  // namespace
