#include "test_support.h"

#include <gtest/gtest.h>

namespace testing_support {

namespace {

void FailRunningTest(const char* file, int line, const char* expression) {
  ADD_FAILURE_AT(file != nullptr ? file : "?", line) << "assertion failed: " << (expression ? expression : "?");
}

}  // namespace

void ReportAssertionsAsFailures() {
  // Programs that do not load the framework have no assertions to report.
  HMODULE framework = GetModuleHandleW(L"framework.dll");
  if (framework == NULL) return;
  using SetHandler = void* (*)(void (*)(const char*, int, const char*));
  if (auto set = reinterpret_cast<SetHandler>(reinterpret_cast<void*>(GetProcAddress(framework, "FwSetAssertHandler"))))
    set(FailRunningTest);
}

}  // namespace testing_support
