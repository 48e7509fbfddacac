// The earlier edition's quarnel.dll carries the inline members of the character-set, URI-coding
// and origin-info classes in its export table; the current edition does not. A few are called
// through their exports to show that they are the members they name.
#include <windows.h>

#include <QvCharsets.h>
#include <QvOriginInfo.h>
#include <QvUriCoding.h>
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

#if defined(__i386__)
#define QV_MEMBER __attribute__((thiscall))
#else
#define QV_MEMBER
#endif

const char* const kExports[] = {
#define QV_INLINE_EXPORT(symbol) symbol,
#include "../../edition/CharsetInlineExports.inc"
#undef QV_INLINE_EXPORT
};

// Loaded once and kept: nothing else in this program calls into it.
HMODULE Quarnel() {
  static const HMODULE module = LoadLibraryA("quarnel.dll");
  return module;
}

template <class F>
F Member(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Quarnel(), name)));
}

TEST(CharsetExports, EveryInlineMemberIsExportedByTheEarlierEditionOnly) {
  ASSERT_NE(Quarnel(), nullptr);
  for (const char* name : kExports) {
#ifdef UNICODE
    EXPECT_EQ(GetProcAddress(Quarnel(), name), nullptr) << name;
#else
    EXPECT_NE(GetProcAddress(Quarnel(), name), nullptr) << name;
#endif
  }
  // The members the classes of the list need most, each by name.
  for (const char* name : {"_ZN9QvCharsetC2Ev", "_ZN9QvCharsetaSERKS_", "_ZN13QvCharsetImpl13IncUsageCountEv",
                           "_ZN16QvUriDecoderImplcvPKcEv", "_ZNK15QvPCharIterator19QuickGetUnicodeCharERPKc",
                           "_ZN18DATA_DLL_LOAD_FAILC1EPKc", "_ZN13CQvOriginInfo14DoQvChangeLangEPKc"}) {
    bool listed = false;
    for (const char* e : kExports) listed = listed || std::string(e) == name;
    EXPECT_TRUE(listed) << name;
  }
}

#ifndef UNICODE

TEST(CharsetExports, QuickLookupTakesOneByteCharactersFromTheTableAndAsksForTheRest) {
  const QvCharsetImpl* sjis = QvCharsetCatalog().FromCodePage(932);
  ASSERT_NE(sjis, nullptr);
  QvPCharIteratorImpl it(*sjis);
  auto quick = Member<unsigned long(QV_MEMBER*)(const QvPCharIterator*, const char**)>(
      "_ZNK15QvPCharIterator19QuickGetUnicodeCharERPKc");
  ASSERT_NE(quick, nullptr);
  struct Case {
    const char* text;
    unsigned long code;
    int advance;
  };
  const Case cases[] = {
      {"A", 0x41, 1},             // one byte: straight from the table
      {"\xB1", 0xFF71, 1},        // half-width katakana: one byte too
      {"\x82\xA0", 0x3042, 2},    // a lead byte: the implementation reads both
      {"", 0, 0},                 // the terminator stays where it is
  };
  for (const Case& c : cases) {
    const char* p = c.text;
    EXPECT_EQ(quick(&it, &p), c.code) << c.text;
    EXPECT_EQ(p - c.text, c.advance) << c.text;
  }
}

TEST(CharsetExports, DecoderMakesItsBufferAndEndsItWithAZero) {
  auto construct = Member<void(QV_MEMBER*)(void*)>("_ZN16QvUriDecoderImplC1Ev");
  auto text = Member<const char*(QV_MEMBER*)(QvUriDecoderImpl*)>("_ZN16QvUriDecoderImplcvPKcEv");
  auto size = Member<size_t(QV_MEMBER*)(const QvUriDecoderImpl*)>("_ZNK16QvUriDecoderImpl4sizeEv");
  ASSERT_TRUE(construct && text && size);
  alignas(QvUriDecoderImpl) unsigned char storage[sizeof(QvUriDecoderImpl)];
  construct(storage);
  auto* decoder = reinterpret_cast<QvUriDecoderImpl*>(storage);
  // No buffer yet: one is made for the terminator.
  EXPECT_EQ(size(decoder), 0u);
  const char* empty = text(decoder);
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  // Longer than the first capacity: the buffer grows and still ends after the decoded bytes.
  std::string encoded, plain;
  for (int i = 0; i < 300; ++i) {
    encoded += i % 3 ? "%41" : "z";
    plain += i % 3 ? 'A' : 'z';
  }
  ASSERT_TRUE(decoder->DecodeText(encoded.c_str()));
  EXPECT_EQ(size(decoder), plain.size());
  EXPECT_EQ(std::string(text(decoder)), plain);
  decoder->~QvUriDecoderImpl();
}

TEST(CharsetExports, CharsetUsageCountsStartAtOneAndAnswerTheNewCount) {
  auto construct = Member<void(QV_MEMBER*)(void*, const char*, unsigned, unsigned)>("_ZN13QvCharsetImplC1EPKcjj");
  auto inc = Member<long(QV_MEMBER*)(QvCharsetImpl*)>("_ZN13QvCharsetImpl13IncUsageCountEv");
  auto dec = Member<long(QV_MEMBER*)(QvCharsetImpl*)>("_ZN13QvCharsetImpl13DecUsageCountEv");
  auto assign = Member<QvCharsetImpl&(QV_MEMBER*)(QvCharsetImpl*, const QvCharsetImpl&)>("_ZN13QvCharsetImplaSERKS_");
  ASSERT_TRUE(construct && inc && dec && assign);
  alignas(QvCharsetImpl) unsigned char storage[sizeof(QvCharsetImpl)];
  construct(storage, "Shift_JIS", 932, 2);
  auto* charset = reinterpret_cast<QvCharsetImpl*>(storage);
  EXPECT_EQ(charset->GetUsageCount(), 1);
  EXPECT_STREQ(charset->GetName(), "Shift_JIS");  // through brevin's dispatch table
  EXPECT_EQ(charset->GetCodePage(), 932u);
  EXPECT_EQ(inc(charset), 2);
  EXPECT_EQ(inc(charset), 3);
  EXPECT_EQ(dec(charset), 2);
  QvCharsetImpl other("UTF-8", 65001, 4);
  EXPECT_EQ(&assign(&other, *charset), &other);
  EXPECT_EQ(other.GetUsageCount(), 2);
  EXPECT_EQ(other.GetCodePage(), 932u);
  charset->~QvCharsetImpl();
}

TEST(CharsetExports, OriginInfoMembersReadAndChangeTheObject) {
  auto get = Member<unsigned char(QV_MEMBER*)(const CQvOriginInfo*)>("_ZNK13CQvOriginInfo10GetOrgDBCSEv");
  auto set = Member<void(QV_MEMBER*)(CQvOriginInfo*, unsigned char)>("_ZN13CQvOriginInfo10SetOrgDBCSEh");
  auto change = Member<void(QV_MEMBER*)(CQvOriginInfo*, const char*)>("_ZN13CQvOriginInfo14DoQvChangeLangEPKc");
  auto fail = Member<void(QV_MEMBER*)(void*, const char*)>("_ZN18DATA_DLL_LOAD_FAILC1EPKc");
  ASSERT_TRUE(get && set && change && fail);
  CQvOriginInfo info("fr");
  EXPECT_EQ(get(&info), 0);
  change(&info, "ja");
  EXPECT_TRUE(info.QvLanguageIs("ja"));
  EXPECT_EQ(info.GetCodePage(), 932u);
  EXPECT_EQ(get(&info), 1);
  set(&info, 0);
  EXPECT_EQ(info.GetOrgDBCS(), 0);
  const char* message = "no data library";
  alignas(DATA_DLL_LOAD_FAIL) unsigned char storage[sizeof(DATA_DLL_LOAD_FAIL)];
  fail(storage, message);
  EXPECT_EQ(reinterpret_cast<DATA_DLL_LOAD_FAIL*>(storage)->Text(), message);
}

#endif

}  // namespace
