// Entry point of every test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include "skip_is_failure.h"
#include "test_support.h"
#include "thread_watcher.h"

int main(int argc, char** argv) {
  // No error dialogs from the system: a failure must end the test, not wait for a click.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  // A test program that loads quarnel gets its crash filter: keep its report dialog away, so
  // that a crashing test fails at once instead of waiting for a click.
  if (HMODULE q = GetModuleHandleW(L"quarnel.dll")) {
    using SetBlind = int (*)(int);
    // Exported with C linkage.
    if (auto set = reinterpret_cast<SetBlind>(reinterpret_cast<void*>(GetProcAddress(q, "SetGPFBlindMode"))))
      set(1);
  }
  testing::InitGoogleTest(&argc, argv);
  testing_support::ReportAssertionsAsFailures();
  auto* skips = new testing_support::SkipIsFailure;  // owned by googletest from here on
  testing::UnitTest::GetInstance()->listeners().Append(skips);
  // googletest's watcher of this thread starts here rather than in the last moments of a run.
  if (!testing_support::StartThreadWatcher()) {
    fprintf(stderr, "the watcher thread of googletest did not start\n");
    return 1;
  }
  int result = RUN_ALL_TESTS();
  if (skips->skips() > 0) {
    fprintf(stderr, "%d skip(s): no test may skip\n", skips->skips());
    result = 1;
  }
  return result;
}
