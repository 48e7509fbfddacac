// Assertions of checked builds: a failed one fails the running test with where and what; the
// release form evaluates nothing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <framework.h>

#include <string>

namespace {

#ifdef FW_CHECKED
const bool kChecked = true;
#else
const bool kChecked = false;
#endif

// Each kind of assertion runs under an interceptor of the current test's results.
TEST(Assertions, FailedAssertionFailsTheRunningTestWithFileLineAndExpression) {
  struct Case {
    const char* name;
    bool verify;  // VERIFY rather than ASSERT
    bool holds;   // the asserted condition
  };
  const Case cases[] = {
      {"ASSERT false", false, false},
      {"ASSERT true", false, true},
      {"VERIFY false", true, false},
      {"VERIFY true", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int evaluated = 0;
    auto condition = [&] {
      ++evaluated;
      return c.holds;
    };
    testing::TestPartResultArray results;
    int line;
    {
      testing::ScopedFakeTestPartResultReporter intercept(
          testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
      if (c.verify) {
        line = __LINE__ + 1;
        VERIFY(condition());
      } else {
        line = __LINE__ + 1;
        ASSERT(condition());
      }
    }
    // VERIFY always evaluates; ASSERT only in checked builds.
    EXPECT_EQ(evaluated, c.verify || kChecked ? 1 : 0);
    const bool reported = kChecked && !c.holds;
    ASSERT_EQ(results.size(), reported ? 1 : 0);
    if (!reported) continue;
    const testing::TestPartResult& r = results.GetTestPartResult(0);
    EXPECT_TRUE(r.nonfatally_failed());  // the test goes on after it
    EXPECT_EQ(std::string(r.file_name()), std::string(__FILE__));
    EXPECT_EQ(r.line_number(), line);
    EXPECT_NE(std::string(r.message()).find("assertion failed: condition()"), std::string::npos) << r.message();
  }
}

TEST(Assertions, HandlerIsReplaceableAndDefaultReturns) {
  static int calls = 0;
  static std::string seen;
  const FwAssertHandler counting = [](const char* file, int line, const char* expression) {
    ++calls;
    seen = std::string(file) + ":" + std::to_string(line) + ":" + expression;
  };
  const FwAssertHandler previous = FwSetAssertHandler(counting);
  EXPECT_NE(previous, nullptr);  // the test program's reporter
  FwAssertFailed("here.cpp", 12, "x != 0");
  EXPECT_EQ(FwSetAssertHandler(NULL), counting);
  // The default handler writes a debugger line and, with no debugger attached, returns.
  FwAssertFailed("there.cpp", 3, "y");
  FwSetAssertHandler(previous);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, "here.cpp:12:x != 0");
}

}  // namespace
