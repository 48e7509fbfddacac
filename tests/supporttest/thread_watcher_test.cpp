// googletest's watcher of the main thread runs before the first test, so that a program whose
// last test uses its first per-thread value does not end while a thread is still starting.
#include <gtest/gtest.h>

#include "child_process.h"
#include "thread_watcher.h"

namespace {

// Run alone in a child process: the only test's first SCOPED_TRACE starts no thread.
TEST(DISABLED_WatcherChild, FirstTraceStartsNoThread) {
  const int before = testing_support::ThreadsOfThisProcess();
  ASSERT_GT(before, 0);
  { SCOPED_TRACE("the first per-thread value of this program"); }
  EXPECT_EQ(testing_support::ThreadsOfThisProcess(), before);
}

TEST(ThreadWatcher, RunsBeforeTheFirstTest) {
  EXPECT_EQ(testing_support::RunThisProgram(
                L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_WatcherChild.FirstTraceStartsNoThread"),
            0);
}

}  // namespace
