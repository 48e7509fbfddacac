#include "skip_is_failure.h"

namespace testing_support {

void SkipIsFailure::OnTestPartResult(const testing::TestPartResult& result) {
  if (result.skipped()) ++skips_;
}

void SkipIsFailure::OnTestEnd(const testing::TestInfo& info) {
  const testing::TestResult* result = info.result();
  if (result == nullptr || !result->Skipped()) return;
  for (int i = 0; i < result->total_part_count(); ++i) {
    const testing::TestPartResult& part = result->GetTestPartResult(i);
    if (!part.skipped()) continue;
    // The failure is recorded on the test still running, at the place of the skip.
    const char* file = part.file_name() != nullptr ? part.file_name() : info.file();
    int line = part.line_number() >= 0 ? part.line_number() : info.line();
    ADD_FAILURE_AT(file, line) << "a test may not skip; it was skipped: " << part.message();
    return;
  }
}

}  // namespace testing_support
