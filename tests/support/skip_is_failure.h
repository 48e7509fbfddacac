// A skipped test fails: a test that cannot set up what it needs must not pass unnoticed.
#pragma once
#include <gtest/gtest.h>

namespace testing_support {

// Turns every skipped test into a failure that carries the skip's reason. Appended after the
// default printer, it sees the end of a test first (ends are reported in reverse order), so
// the test is printed and counted as failed. A skip outside any test (in a suite's or the
// environment's set-up) is counted: the program's exit code then says failure.
class SkipIsFailure : public testing::EmptyTestEventListener {
 public:
  void OnTestPartResult(const testing::TestPartResult& result) override;
  void OnTestEnd(const testing::TestInfo& info) override;
  int skips() const { return skips_; }

 private:
  int skips_ = 0;
};

}  // namespace testing_support
