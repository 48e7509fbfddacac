// Real faults in child processes, and the filter and VerboseAssert in this process.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "UIStackTrace.h"
#include "child_process.h"
#include "crash_scenarios.h"
#include "test_support.h"

namespace {

const char kSeparator[] = "------------------------------------------------------------------\r\n";

std::string FunctionLine(const char* function, int line) {
  return std::string("    function: ") + function + "  line: " + std::to_string(line) + "\r\n";
}

// Checks what every filter report holds; `name` is the description line's text.
void ExpectFilterReport(const std::string& report, DWORD code, const char* name) {
  EXPECT_LE(report.size(), 32000u);
  char codeLine[64];
  snprintf(codeLine, sizeof codeLine, "Unhandled Exception\r\n  Code: %lx\r\n", static_cast<unsigned long>(code));
  EXPECT_NE(report.find(codeLine), std::string::npos) << report;
  if (name != NULL)
    EXPECT_NE(report.find(std::string("  Description: ") + name + "\r\n"), std::string::npos);
  else
    EXPECT_NE(report.find("  Description unavailable\r\n"), std::string::npos);
  EXPECT_NE(report.find(" processor "), std::string::npos);
  EXPECT_NE(report.find("Physical Total/Avail: "), std::string::npos);
  EXPECT_NE(report.find("Temp directory "), std::string::npos);
  EXPECT_NE(report.find(" video card\r\n"), std::string::npos);
  EXPECT_EQ(report.find("Unknown Windows"), std::string::npos);
  EXPECT_NE(report.find(std::string("Call stack:\r\n") + kSeparator), std::string::npos);
  EXPECT_NE(report.find(std::string("Application: \r\n") + kSeparator), std::string::npos);
  EXPECT_NE(report.find("  current thread 0x"), std::string::npos);
  EXPECT_NE(report.find("Loaded modules: \r\n"), std::string::npos);
}

void ExpectModuleListed(const std::string& report, const char* module) {
  size_t list = report.find("Loaded modules: \r\n");
  ASSERT_NE(list, std::string::npos);
  EXPECT_NE(report.find(module, list), std::string::npos) << module;
}

// The first frame: the faulting address in the test's own function, with file and line.
void ExpectFaultFrame(const std::string& report, const char* function, int line) {
  size_t stack = report.find("Call stack:\r\n");
  ASSERT_NE(stack, std::string::npos);
  size_t module = report.find("Module  at   0x", stack);
  ASSERT_NE(module, std::string::npos) << report;
  EXPECT_NE(report.find("crash_child.exe", module), std::string::npos);
  size_t address = report.find("    address: 0x", module);
  EXPECT_NE(address, std::string::npos);
  EXPECT_NE(report.find("  file: ", stack), std::string::npos);
  EXPECT_NE(report.find("crash_child.cpp\r\n", stack), std::string::npos) << report;
  EXPECT_NE(report.find(FunctionLine(function, line), stack), std::string::npos) << report;
}

struct CrashCase {
  const char* scenario;
  DWORD code;
  const char* name;
  const char* function;  // the test's function the call stack must name
  const int* faultLine;  // when given: the first frame names the function at this line
};

const CrashCase kCrashCases[] = {
    {"access-violation", 0xC0000005, "EXCEPTION_ACCESS_VIOLATION", "CrashWithAccessViolation", &kAccessViolationLine},
    {"divide-by-zero", 0xC0000094, "EXCEPTION_INT_DIVIDE_BY_ZERO", "CrashWithDivideByZero", &kDivideByZeroLine},
    {"stack-overflow", 0xC00000FD, "EXCEPTION_STACK_OVERFLOW", "RecurseWithoutEnd", NULL},
    {"cxx-exception", 0xE0435058, NULL, "ThrowWithoutCatch", NULL},
};

// The children crash side by side; each test waits for its own.
class ChildCrash : public testing::TestWithParam<CrashCase> {
 public:
  static void SetUpTestSuite() {
    for (const CrashCase& c : kCrashCases) s_children[c.scenario] = new CrashChild(c.scenario);
  }
  static void TearDownTestSuite() {
    for (auto& entry : s_children) delete entry.second;
    s_children.clear();
    s_results.clear();
  }
  static const ChildResult& Result(const char* scenario) {
    auto done = s_results.find(scenario);
    if (done == s_results.end()) done = s_results.emplace(scenario, s_children[scenario]->Wait()).first;
    return done->second;
  }

 private:
  static std::map<std::string, CrashChild*> s_children;
  static std::map<std::string, ChildResult> s_results;
};
std::map<std::string, CrashChild*> ChildCrash::s_children;
std::map<std::string, ChildResult> ChildCrash::s_results;

TEST_P(ChildCrash, ReportsAndEndsTheProcess) {
  const CrashCase& c = GetParam();
  const ChildResult& r = Result(c.scenario);
  ASSERT_TRUE(r.finished);
  // The filter answered "handled": the process ends with the fault's code, without a dialog.
  EXPECT_EQ(r.exitCode, c.code);
  ExpectFilterReport(r.report, c.code, c.name);
  size_t stack = r.report.find("Call stack:\r\n");
  EXPECT_NE(r.report.find(std::string("    function: ") + c.function, stack), std::string::npos) << r.report;
  EXPECT_NE(r.report.find("crash_child.cpp", stack), std::string::npos);
  ExpectModuleListed(r.report, "quarnel.dll");
  ExpectModuleListed(r.report, "crash_child.exe");
  if (c.faultLine != NULL) ExpectFaultFrame(r.report, c.function, *c.faultLine);
  // The caller's frame shows at the line of its call.
  if (c.faultLine == &kAccessViolationLine) {
    EXPECT_NE(r.report.find(FunctionLine("RunCrashScenario", kScenarioCallLine)), std::string::npos) << r.report;
  }
}

// A host that runs unattended (blind mode) and faults, as its supervisor sees it: the
// process ends with the fault's code, whichever thread faulted.
int* volatile g_nowhere = nullptr;
volatile int g_zero = 0;
DWORD WINAPI FaultOnAThread(LPVOID) {
  *g_nowhere = 1;
  return 0;
}

// Run only as children of the test below; each one faults and never passes.
TEST(DISABLED_BlindFaultChild, AccessViolation) {
  SetGPFBlindMode(1);
  *g_nowhere = 1;
}
TEST(DISABLED_BlindFaultChild, DivideByZero) {
  SetGPFBlindMode(1);
  g_zero = 100 / g_zero;
}
TEST(DISABLED_BlindFaultChild, AccessViolationOnAThread) {
  SetGPFBlindMode(1);
  HANDLE thread = CreateThread(NULL, 0, FaultOnAThread, NULL, 0, NULL);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
}

// A C runtime that takes faults in a handler of its own around main, as the x86-64 start-up
// code does: it asks the process's filter and, told that the process ends, ends it normally.
LONG CALLBACK RuntimeHandler(EXCEPTION_POINTERS* pointers) {
  if (pointers->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION) return EXCEPTION_CONTINUE_SEARCH;
  if (UnhandledExceptionFilter(pointers) == EXCEPTION_EXECUTE_HANDLER) exit(0);
  return EXCEPTION_CONTINUE_SEARCH;
}
TEST(DISABLED_BlindFaultChild, AccessViolationUnderARuntimesHandler) {
  SetGPFBlindMode(1);
  ASSERT_NE(AddVectoredExceptionHandler(1, RuntimeHandler), nullptr);
  *g_nowhere = 1;
}

TEST(BlindFault, TheProcessEndsWithTheFaultsCode) {
  const struct {
    const wchar_t* child;
    DWORD code;
  } cases[] = {
      {L"AccessViolation", 0xC0000005},
      {L"DivideByZero", 0xC0000094},
      {L"AccessViolationOnAThread", 0xC0000005},
      {L"AccessViolationUnderARuntimesHandler", 0xC0000005},
  };
  for (const auto& c : cases) {
    const int exit = testing_support::RunThisProgram(
        std::wstring(L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_BlindFaultChild.") + c.child);
    EXPECT_EQ(static_cast<DWORD>(exit), c.code) << std::string(c.child, c.child + wcslen(c.child));
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, ChildCrash, testing::ValuesIn(kCrashCases),
                         [](const testing::TestParamInfo<CrashCase>& info) {
                           std::string n;
                           for (const char* p = info.param.scenario; *p; ++p) n += *p == '-' ? '_' : *p;
                           return n;
                         });

}  // namespace
