#include <string>

#include <gtest/gtest.h>

#include "brevin.h"

namespace {

const QvCharset* Charset(const char* name) {
  const QvCharset* c = QvCharsetCatalog().Find(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

TEST(Charsets, CatalogFindsByNameAliasAndCodePage) {
  QvCharsetCatalog catalog;
  EXPECT_EQ(catalog.Find("cp1252"), catalog.Find("Windows-1252"));
  ASSERT_NE(catalog.Find("cp1252"), nullptr);
  EXPECT_EQ(catalog.Find("cp1252")->GetCodePage(), 1252u);
  EXPECT_EQ(catalog.Find("sjis")->GetCodePage(), 932u);
  EXPECT_STREQ(catalog.FromCodePage(950)->GetName(), "Big5");
  EXPECT_EQ(catalog.Find("utf8")->GetMaxCharBytes(), 4u);
  EXPECT_EQ(catalog.Find("nope"), nullptr);
  EXPECT_EQ(catalog.Find("cp"), nullptr);
  EXPECT_EQ(catalog.Find(nullptr), nullptr);
  EXPECT_EQ(catalog.FromCodePage(99999), nullptr);
  EXPECT_EQ(catalog.GetAt(catalog.GetCount()), nullptr);

  QvCharsetGroupImpl group;
  EXPECT_TRUE(group.Add(catalog.Find("Shift_JIS")));
  EXPECT_FALSE(group.Add(catalog.Find("cp932")));  // already in
  EXPECT_FALSE(group.Add(nullptr));
  EXPECT_TRUE(group.Contains(932));
  EXPECT_FALSE(group.Contains(1252));
  EXPECT_EQ(group.GetAt(1), nullptr);
}

// Text in UTF-8, to the charset and back, through both kinds of transform.
TEST(Charsets, RoundTrips) {
  const struct {
    const char* charset;
    const char* text;
  } cases[] = {
      {"windows-1252", "Caf\xC3\xA9 \xE2\x82\xAC"},
      {"ISO-8859-1", "\xC3\x84rger"},
      {"windows-1251", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"Shift_JIS", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xEF\xBD\xB1"},
      {"GBK", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"EUC-KR", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
      {"Big5", "\xE4\xB8\xAD\xE6\x96\x87\xE7\xB9\x81\xE9\xAB\x94"},
      {"UTF-8", "\xF0\x9F\x98\x80 smile"},
      {"US-ASCII", "plain text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    const QvCharset* cs = Charset(c.charset);
    QvTransformImpl to(nullptr, cs), back(cs, nullptr);
    QvTransformCtx ctx;
    ctx.m_strict = true;
    std::string bytes, text;
    ASSERT_TRUE(to.Transform(c.text, strlen(c.text), bytes, &ctx));
    ASSERT_TRUE(back.Transform(bytes.data(), bytes.size(), text, &ctx));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(ctx.m_replaced, 0u);

    std::wstring wide;
    QvToUnicodeTransformImpl toWide(cs);
    QvFromUnicodeTransformImpl fromWide(cs);
    ASSERT_TRUE(toWide.Transform(bytes.data(), bytes.size(), wide, &ctx));
    std::string again;
    ASSERT_TRUE(fromWide.Transform(wide.data(), wide.size(), again, &ctx));
    EXPECT_EQ(again, bytes);
  }
  // The code page's bytes are the ones Windows uses.
  std::string sjis;
  ASSERT_TRUE(QvTransformImpl(nullptr, Charset("cp932")).Transform("\xE6\x97\xA5", 3, sjis));
  EXPECT_EQ(sjis, "\x93\xFA");
}

TEST(Charsets, InputThatDoesNotConvert) {
  const struct {
    const char* from;
    const char* to;
    std::string in;
    std::string lenient;  // the result when not strict
    size_t replaced, firstError;
  } cases[] = {
      {"UTF-8", "UTF-8", "a\xFF" "b", "a\xEF\xBF\xBD" "b", 1, 1},
      {"UTF-8", "UTF-8", "\xE6\x97", "\xEF\xBF\xBD\xEF\xBF\xBD", 2, 0},         // truncated
      {"UTF-8", "UTF-8", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD", 2, 0},         // overlong
      {"UTF-8", "UTF-8", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 3, 0},  // surrogate
      {"UTF-8", "windows-1252", "x\xE6\x97\xA5", "x?", 1, 1},                // not in the target
      {"UTF-8", "US-ASCII", "\xC3\xA9", "?", 1, 0},
      {"Shift_JIS", "UTF-8", "A\x81", "A\xEF\xBF\xBD", 1, 1},                // lead byte at the end
      {"US-ASCII", "UTF-8", "a\x80", "a\xEF\xBF\xBD", 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    QvTransformImpl t(Charset(c.from), Charset(c.to));
    QvTransformCtx ctx;
    std::string out = "kept";
    ASSERT_TRUE(t.Transform(c.in.data(), c.in.size(), out, &ctx));
    EXPECT_EQ(out, c.lenient);
    EXPECT_EQ(ctx.m_replaced, c.replaced);
    EXPECT_EQ(ctx.m_firstError, c.firstError);

    QvTransformCtx strict;
    strict.m_strict = true;
    out = "kept";
    EXPECT_FALSE(t.Transform(c.in.data(), c.in.size(), out, &strict));
    EXPECT_EQ(out, "kept");
    EXPECT_NE(strict.m_firstError, QvTransformCtx::npos);
  }
  // Unpaired surrogates of UTF-16 input.
  std::string out;
  QvTransformCtx ctx;
  ASSERT_TRUE(QvFromUnicodeTransformImpl(nullptr).Transform(L"\xD800x\xDC00", 3, out, &ctx));
  EXPECT_EQ(out, "\xEF\xBF\xBDx\xEF\xBF\xBD");
  EXPECT_EQ(ctx.m_replaced, 2u);
}

TEST(Charsets, StandardTransformsOfTheHelper) {
  qv_i18n_helper helper;
  EXPECT_EQ(helper.qv_2_html()(std::string("a<b & \"\xE6\x97\xA5\"")),
            "a&lt;b &amp; &quot;&#26085;&quot;");
  EXPECT_EQ(helper.utf8_2_utf8html()(std::string("<\xE6\x97\xA5>")), "&lt;\xE6\x97\xA5&gt;");
  EXPECT_EQ(helper.qvhtml_2_html()(std::string("<b>\xE6\x97\xA5\xF0\x9F\x98\x80</b>")),
            "<b>&#26085;&#128512;</b>");
  EXPECT_EQ(helper.html_2_qv()(std::string(
                "&lt;p&gt; &amp;amp; &#26085;&#x65E5;&#X1F600; &nbsp;|&bogus; &#0; &#xD800; &#x110000; & x &amp")),
            "<p> &amp; \xE6\x97\xA5\xE6\x97\xA5\xF0\x9F\x98\x80 \xC2\xA0|&bogus; &#0; &#xD800; &#x110000; & x &amp");
  EXPECT_EQ(helper.qv_2_utf8()(std::string("ok\xFF")), "ok\xEF\xBF\xBD");
  EXPECT_EQ(helper.utf8_2_qv()(std::string("\xC3\xA9")), "\xC3\xA9");
  EXPECT_EQ(helper.ucs2_2_qv()(std::wstring(L"\u00e9\U0001F600")), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(helper.qv_2_ucs2()(std::string("\xC3\xA9\xF0\x9F\x98\x80")), std::wstring(L"\u00e9\U0001F600"));
  EXPECT_EQ(helper.ucs2_2_utf8html()(std::wstring(L"<\u00e9>")), "&lt;\xC3\xA9&gt;");

  // The helper keeps what it made; a copy shares it.
  const QvTransform* first = &helper.qv_2_html();
  EXPECT_EQ(&helper.qv_2_html(), first);
  qv_i18n_helper copy;
  copy = helper;
  EXPECT_EQ(&copy.qv_2_html(), first);
  EXPECT_EQ(&qv_i18n_helper().uri_encode(), &helper.uri_encode());
}

TEST(Charsets, PCharTransformers) {
  QvTransformImpl toSjis(nullptr, Charset("Shift_JIS"));
  QvPCharTransformerImpl pchar(toSjis);
  std::string out = "kept";
  EXPECT_FALSE(pchar.Transform(nullptr, out));
  EXPECT_EQ(out, "kept");
  EXPECT_TRUE(pchar.Transform("\xE6\x97\xA5", out));
  EXPECT_EQ(out, "\x93\xFA");

  qv_i18n_helper helper;
  QvFromUnicodePCharTransformerImpl fromWide(helper.ucs2_2_qv());
  QvToUnicodePCharTransformerImpl toWide(helper.qv_2_ucs2());
  EXPECT_TRUE(fromWide.Transform(L"\u00e9t\u00e9", out));
  EXPECT_EQ(out, "\xC3\xA9t\xC3\xA9");
  std::wstring wide;
  EXPECT_TRUE(toWide.Transform(out.c_str(), wide));
  EXPECT_EQ(wide, L"\u00e9t\u00e9");
  EXPECT_FALSE(toWide.Transform(nullptr, wide));
}

std::vector<unsigned long> Iterate(const QvPCharIterator& it, const char* text) {
  std::vector<unsigned long> chars;
  const char* p = text;
  for (unsigned long c; (c = it.QuickGetUnicodeChar(p)) != 0;) chars.push_back(c);
  EXPECT_EQ(*p, '\0');
  EXPECT_EQ(it.QuickGetUnicodeChar(p), 0u);  // stays at the end
  EXPECT_EQ(*p, '\0');
  return chars;
}

TEST(Charsets, Iterators) {
  QvPCharIteratorUTF8Impl utf8;
  EXPECT_EQ(Iterate(utf8, "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\xFF\xE6\x97"),
            (std::vector<unsigned long>{'a', 0xE9, 0x65E5, 0x1F600, 0xFFFD, 0xFFFD, 0xFFFD}));

  QvPCharIteratorImpl* sjis = new QvPCharIteratorImpl(*Charset("Shift_JIS"));
  QvPCharIteratorImpl copy(*sjis);
  delete sjis;  // the copy reads its own table
  EXPECT_EQ(Iterate(copy, "A\x93\xFA\xB1\x81"), (std::vector<unsigned long>{'A', 0x65E5, 0xFF71, 0xFFFD}));

  QvPCharIteratorImpl latin(*Charset("windows-1252"));
  EXPECT_EQ(Iterate(latin, "\xE9\x80"), (std::vector<unsigned long>{0xE9, 0x20AC}));
}

}  // namespace
