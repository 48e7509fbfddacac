// Pieces of Tessvik on their own: the per-thread structured-exception translator (installed
// for a scope, the previous one back on every way out; the translation copies what dies with
// the exception's dispatch) and the registry form of a class id.
#include <gtest/gtest.h>

#include <SehTranslator.h>
#include <WexModule.h>
#include <child_process.h>

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

// Faults of every kind the scope translates, made where the compiler cannot see them coming.
int* volatile g_nowhere = NULL;
volatile int g_zero = 0;
int g_destroyed = 0;
struct Counts {
  ~Counts() { ++g_destroyed; }
};
__attribute__((noinline)) int WriteNowhere() {
  *g_nowhere = 1;
  return 0;
}
__attribute__((noinline)) int DivideByZero() { return 7 / g_zero; }
// Frames with destructors between the fault and the catch.
__attribute__((noinline)) int Nested(int (*fault)(), int depth) {
  Counts counts;
  return depth == 0 ? fault() : Nested(fault, depth - 1) + 1;
}
// A fault that a handler inside the scope takes: the system's probe of memory.
__attribute__((noinline)) int Probe() { return IsBadWritePtr(g_nowhere, sizeof(int)) ? 0 : -1; }

// Run by the test below in a process of its own: a fault that is not translated ends it.
TEST(DISABLED_SehScopeChild, FaultsInsideAScopeBecomeCSEHExceptions) {
  struct Case {
    const char* what;
    int (*fault)();
    unsigned code;  // 0: nothing translated
  } cases[] = {
      {"write through NULL", &WriteNowhere, EXCEPTION_ACCESS_VIOLATION},
      {"division by zero", &DivideByZero, EXCEPTION_INT_DIVIDE_BY_ZERO},
      {"probe that handles its own fault", &Probe, 0},
  };
  for (const Case& c : cases) {
    g_destroyed = 0;
    unsigned caught = 0;
    bool faulted = false;
    {
      SeTranslatorScope scope(&TranslateSeh);
      try {
        Nested(c.fault, 3);
      } catch (const CSEHException& e) {
        caught = e.GetCode();
        EXPECT_EQ(e.GetRecord().ExceptionCode, c.code) << c.what;
      }
      faulted = scope.Faulted();
      EXPECT_EQ(scope.FaultCode(), c.code) << c.what;
    }
    EXPECT_EQ(caught, c.code) << c.what;
    EXPECT_EQ(faulted, c.code != 0) << c.what;
    EXPECT_EQ(g_destroyed, 4) << c.what;  // every frame on the way was cleaned up
    EXPECT_EQ(GetSeTranslator(), nullptr) << c.what;
  }
  // A scope inside another: the inner one takes the fault; both are gone afterwards.
  SeTranslatorScope outer(&TranslateSeh);
  {
    SeTranslatorScope inner(&TranslateSeh);
    EXPECT_THROW(WriteNowhere(), CSEHException);
    EXPECT_TRUE(inner.Faulted());
  }
  EXPECT_FALSE(outer.Faulted());
  EXPECT_THROW(DivideByZero(), CSEHException);
  EXPECT_EQ(outer.FaultCode(), static_cast<unsigned>(EXCEPTION_INT_DIVIDE_BY_ZERO));
}

TEST(SehTranslator, FaultsInsideAScopeBecomeCSEHExceptionsAndTheProcessLives) {
  EXPECT_EQ(testing_support::RunThisProgram(L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_SehScopeChild.*"), 0);
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
