// Pieces of Tessvik on their own: the per-thread structured-exception translator (installed
// for a scope, the previous one back on every way out; the translation copies what dies with
// the exception's dispatch) and the registry form of a class id.
#include <gtest/gtest.h>

#include <SehTranslator.h>
#include <WexModule.h>

#include <stdexcept>
#include <thread>

namespace tessvik {
unsigned char g_traceSwitch = 1;  // the library's own is in its application object
}

namespace {

void __cdecl Other(unsigned, EXCEPTION_POINTERS*) {}

TEST(SehTranslator, ScopeGivesBackThePreviousTranslatorOnEveryExit) {
  ASSERT_EQ(GetSeTranslator(), nullptr);
  SetSeTranslator(&Other);
  {
    SeTranslatorScope scope(&TranslateSeh);
    EXPECT_EQ(GetSeTranslator(), &TranslateSeh);
  }
  EXPECT_EQ(GetSeTranslator(), &Other);
  try {
    SeTranslatorScope scope(&TranslateSeh);
    throw std::runtime_error("leaves the scope");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(GetSeTranslator(), &Other);
  // Per thread: another thread starts without one.
  SeTranslatorFn seen = &Other;
  std::thread([&] { seen = GetSeTranslator(); }).join();
  EXPECT_EQ(seen, nullptr);
  SetSeTranslator(NULL);
}

TEST(SehTranslator, TranslationCarriesCopiesOfRecordAndContext) {
  EXCEPTION_RECORD chained = {};
  EXCEPTION_RECORD record = {};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  record.NumberParameters = 2;
  record.ExceptionInformation[1] = 0x1234;
  record.ExceptionRecord = &chained;
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_CONTROL;
  EXCEPTION_POINTERS info = {&record, &context};
  try {
    TranslateSeh(EXCEPTION_ACCESS_VIOLATION, &info);
    FAIL() << "no exception";
  } catch (const CSEHException& e) {
    record.ExceptionCode = 0;  // the originals may change or die afterwards
    context.ContextFlags = 0;
    EXPECT_EQ(e.GetCode(), static_cast<unsigned>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(e.GetRecord().ExceptionCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(e.GetRecord().ExceptionInformation[1], 0x1234u);
    EXPECT_EQ(e.GetRecord().ExceptionRecord, nullptr);
    EXPECT_EQ(e.GetContext().ContextFlags, static_cast<DWORD>(CONTEXT_CONTROL));
  }
  CSEHException empty(5, NULL);  // no pointers at all
  EXPECT_EQ(empty.GetCode(), 5u);
  EXPECT_EQ(empty.GetRecord().ExceptionCode, 0u);
}

TEST(ClsidText, UpperCaseHexInBraces) {
  const GUID cases[] = {{0x8b2db6af, 0x5d3b, 0x4946, {0x87, 0x52, 0x46, 0xdf, 0x22, 0x52, 0xc7, 0x4f}},
                        {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
                        {0xffffffff, 0xffff, 0xffff, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}}};
  const wchar_t* expected[] = {L"{8B2DB6AF-5D3B-4946-8752-46DF2252C74F}", L"{00000000-0000-0000-0000-000000000000}",
                               L"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"};
  for (int i = 0; i < 3; ++i) {
    wchar_t buffer[40];
    wmemset(buffer, L'#', 40);
    StringFromCLSID(buffer, &cases[i]);
    EXPECT_STREQ(buffer, expected[i]);
    EXPECT_EQ(buffer[39], L'#');  // 39 characters with the end, no more
  }
}

}  // namespace
