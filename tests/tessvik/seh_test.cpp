// The per-thread structured-exception translator: installed for a scope, the previous one
// back on every way out; the translation copies what dies with the exception's dispatch.
#include <gtest/gtest.h>

#include <SehTranslator.h>

#include <stdexcept>
#include <thread>

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

}  // namespace
