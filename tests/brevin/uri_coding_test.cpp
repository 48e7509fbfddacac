#include <string>

#include <gtest/gtest.h>

#include "brevin.h"

namespace {

TEST(UriCoding, EncodeTable) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"a b", "a%20b"},
      {"a-b_c.d~e", "a-b_c.d~e"},
      {"Caf\xC3\xA9", "Caf%C3%A9"},
      {"100%", "100%25"},
      {"/path?x=1&y", "%2Fpath%3Fx%3D1%26y"},
      {std::string("a\0b", 3), "a%00b"},
  };
  const QvUriEncoderImpl encoder;
  for (const auto& c : cases) {
    std::string out = "old";
    EXPECT_TRUE(encoder.Encode(c.in.data(), c.in.size(), out));
    EXPECT_EQ(out, c.out) << c.in;
  }
  const QvUriEncoderImpl paths("/%");
  EXPECT_EQ(paths(std::string("/a b/100%")), "/a%20b/100%25");  // '%' is never kept
}

TEST(UriCoding, DecodeTable) {
  const struct {
    std::string in;
    bool ok;
    std::string out;  // "kept" when the decoding fails
  } cases[] = {
      {"a%20b", true, "a b"},
      {"%C3%a9", true, "\xC3\xA9"},
      {"a+b", true, "a+b"},
      {"%00", true, std::string("\0", 1)},
      {"%", false, "kept"},
      {"ab%4", false, "kept"},
      {"%G1", false, "kept"},
      {"x%1z", false, "kept"},
  };
  const QvUriDecoderImpl decoder;
  for (const auto& c : cases) {
    std::string out = "kept";
    EXPECT_EQ(decoder.Decode(c.in.data(), c.in.size(), out), c.ok) << c.in;
    EXPECT_EQ(out, c.out) << c.in;
  }
}

TEST(UriCoding, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  qv_i18n_helper helper;
  std::string encoded, decoded;
  ASSERT_TRUE(helper.uri_encode().Encode(all.data(), all.size(), encoded));
  EXPECT_EQ(encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"),
            std::string::npos);
  ASSERT_TRUE(helper.uri_decode().Decode(encoded.data(), encoded.size(), decoded));
  EXPECT_EQ(decoded, all);
}

TEST(UriCoding, DecoderBufferIsOwnedByEachCopy) {
  QvUriDecoderImpl* first = new QvUriDecoderImpl;
  EXPECT_EQ(first->size(), 0u);
  EXPECT_STREQ(static_cast<const char*>(*first), "");
  ASSERT_TRUE(first->DecodeText("a%20b"));
  QvUriDecoderImpl copy(*first);
  ASSERT_TRUE(first->DecodeText("other"));
  EXPECT_FALSE(first->DecodeText("bad%"));  // keeps what it held
  EXPECT_STREQ(static_cast<const char*>(*first), "other");
  EXPECT_FALSE(first->DecodeText(nullptr));
  delete first;
  EXPECT_EQ(copy.size(), 3u);
  EXPECT_STREQ(static_cast<const char*>(copy), "a b");

  std::string longText(300, 'x');
  longText += "%41";
  QvUriDecoderImpl grown;
  grown = copy;
  ASSERT_TRUE(grown.DecodeText(longText.c_str()));
  EXPECT_EQ(grown.size(), 301u);
  EXPECT_EQ(std::string(static_cast<const char*>(grown)), std::string(300, 'x') + "A");
}

}  // namespace
