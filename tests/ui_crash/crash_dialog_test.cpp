// The assertion and exception dialogs, answered from a watcher; the filter's installation.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "UIStackTrace.h"
#include "crash_scenarios.h"
#include "test_support.h"

namespace {

const int kReport = 1000, kAbort = 1001, kIgnore = 1002, kAssertDebug = 1003, kSave = 1003;
const int kExceptionDebug = 1004, kGrip = 150;

std::wstring Text(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring s(n + 1, L'\0');
  s.resize(GetWindowTextW(window, &s[0], n + 1));
  return s;
}

std::wstring Widen(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, NULL, 0);
  std::wstring s(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &s[0], n);
  s.resize(n > 0 ? n - 1 : 0);
  return s;
}

void Press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

RECT ChildRect(HWND dialog, int id) {
  RECT rc;
  GetWindowRect(GetDlgItem(dialog, id), &rc);
  MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

__attribute__((noinline)) void AssertHere(const char* file, long line) {
  VerboseAssert(file, line);
  SetLastError(0);  // keeps the call a call
}

struct BlindMode {
  explicit BlindMode(int on) : previous(SetGPFBlindMode(on)) {}
  ~BlindMode() { SetGPFBlindMode(previous); }
  int previous;
};

TEST(VerboseAssert, BlindModeBuildsTheReportAndGoesOn) {
  BlindMode blind(1);
  AssertHere("C:\\src\\widget.cpp", 1234);
  std::string report = GetStackTraceReport();
  EXPECT_EQ(report.rfind("ASSERTION FAILED\r\n  File: C:\\src\\widget.cpp\r\n  Line: 1234\r\n\r\nCall stack:\r\n"
                         "------------------------------------------------------------------\r\n", 0),
            0u)
      << report;
  // The walk starts in the caller: the first frame is our helper, not VerboseAssert.
  size_t first = report.find("    function: ");
  ASSERT_NE(first, std::string::npos) << report;
  EXPECT_EQ(report.compare(first, 24, "    function: AssertHere"), 0) << report;
  EXPECT_NE(report.find("crash_dialog_test.cpp"), std::string::npos);
}

TEST(VerboseAssert, ReportIsCutAt32000CharactersOnACharacterBoundary) {
  BlindMode blind(1);
  // "ASSERTION FAILED\r\n  File: " is 26 bytes; one more byte puts the cut inside a two-byte
  // character, which must go whole.
  std::string file = "x";
  while (file.size() < 40000) file += "\xC3\xA9";
  AssertHere(file.c_str(), 1);
  std::string report = GetStackTraceReport();
  EXPECT_EQ(report.size(), 31999u);
  EXPECT_EQ(report.compare(report.size() - 2, 2, "\xC3\xA9"), 0);
  AssertHere(std::string(50000, 'a').c_str(), 1);
  EXPECT_EQ(strlen(GetStackTraceReport()), 32000u);
}

TEST(VerboseAssert, IgnoreFromTheDialogReturns) {
  BlindMode withDialog(0);
  struct Seen {
    bool shown = false;
    std::wstring report, abort, ignore, debug;
    bool fixedFont = false, topmost = false;
  } seen_;
  std::thread watcher([&] {
    HWND dialog = WaitForWindow(GetCurrentProcessId(), L"Assertion failed", NULL);
    if (dialog == NULL) return;
    seen_.shown = true;
    seen_.report = Text(GetDlgItem(dialog, kReport));
    seen_.abort = Text(GetDlgItem(dialog, kAbort));
    seen_.ignore = Text(GetDlgItem(dialog, kIgnore));
    seen_.debug = Text(GetDlgItem(dialog, kAssertDebug));
    seen_.fixedFont = reinterpret_cast<HGDIOBJ>(SendMessageW(GetDlgItem(dialog, kReport), WM_GETFONT, 0, 0)) ==
                      GetStockObject(ANSI_FIXED_FONT);
    seen_.topmost = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    Press(dialog, kIgnore);
  });
  AssertHere("ignored.cpp", 5);
  watcher.join();
  ASSERT_TRUE(seen_.shown);
  EXPECT_EQ(seen_.report.rfind(L"ASSERTION FAILED\r\n  File: ignored.cpp\r\n  Line: 5\r\n", 0), 0u);
  EXPECT_EQ(seen_.report, Widen(GetStackTraceReport()));
  EXPECT_EQ(seen_.abort, L"&Abort");
  EXPECT_EQ(seen_.ignore, L"&Ignore");
  EXPECT_EQ(seen_.debug, L"&Debug");
  EXPECT_TRUE(seen_.fixedFont);
  EXPECT_TRUE(seen_.topmost);
}

// The children that wait in a dialog start together; each test answers its own.
class DialogChild : public testing::Test {
 public:
  static void SetUpTestSuite() {
    s_assertAbort = new CrashChild("assert-dialog");
    s_assertDebug = new CrashChild("assert-dialog");
    s_exception = new CrashChild("exception-dialog");
  }
  static void TearDownTestSuite() {
    delete s_assertAbort;
    delete s_assertDebug;
    delete s_exception;
  }
  static CrashChild* s_assertAbort;
  static CrashChild* s_assertDebug;
  static CrashChild* s_exception;
};
CrashChild* DialogChild::s_assertAbort;
CrashChild* DialogChild::s_assertDebug;
CrashChild* DialogChild::s_exception;

TEST_F(DialogChild, AssertAbortEndsTheProcessWithExitCode1) {
  CrashChild& child = *s_assertAbort;
  ASSERT_TRUE(child.Started());
  HWND dialog = WaitForWindow(child.ProcessId(), L"Assertion failed", child.Process());
  ASSERT_NE(dialog, nullptr);
  Press(dialog, kAbort);
  ChildResult r = child.Wait();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 1u);
}

TEST_F(DialogChild, AssertDebugBreaksIntoTheFilter) {
  CrashChild& child = *s_assertDebug;
  HWND dialog = WaitForWindow(child.ProcessId(), L"Assertion failed", child.Process());
  ASSERT_NE(dialog, nullptr);
  Press(dialog, kAssertDebug);
  // No debugger: the breakpoint is an unhandled exception, shown once; Abort ends the process.
  HWND crash = WaitForWindow(child.ProcessId(), L"Unhandled Exception", child.Process());
  ASSERT_NE(crash, nullptr);
  Press(crash, kAbort);
  ChildResult r = child.Wait();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0x80000003u);
  EXPECT_NE(r.report.find("  Description: EXCEPTION_BREAKPOINT\r\n"), std::string::npos) << r.report;
  EXPECT_NE(r.report.find("    function: FailAnAssertion  line: " + std::to_string(kAssertLine)), std::string::npos)
      << r.report;
}

TEST_F(DialogChild, ExceptionDialogResizesSavesTheWholeReportAndAborts) {
  std::wstring saved = ChildProgram();
  saved.erase(saved.rfind(L'.'));  // ...\crash_child
  DeleteFileW(saved.c_str());

  CrashChild& child = *s_exception;
  ASSERT_TRUE(child.Started());
  HWND dialog = WaitForWindow(child.ProcessId(), L"Unhandled Exception", child.Process());
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kExceptionDebug)));
  EXPECT_NE(GetDlgItem(dialog, kGrip), nullptr);
  EXPECT_EQ(Text(GetDlgItem(dialog, kSave)), L"&Save");

  // Never smaller than 516 x 372 pixels.
  SetWindowPos(dialog, NULL, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT rc;
  GetWindowRect(dialog, &rc);
  EXPECT_GE(rc.right - rc.left, 516);
  EXPECT_GE(rc.bottom - rc.top, 372);
  // Buttons along the bottom, Save at the right, the report box filling the rest.
  SetWindowPos(dialog, NULL, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(dialog, &client);
  RECT abort = ChildRect(dialog, kAbort), save = ChildRect(dialog, kSave), box = ChildRect(dialog, kReport);
  RECT grip = ChildRect(dialog, kGrip);
  int w = abort.right - abort.left, h = abort.bottom - abort.top;
  EXPECT_EQ(abort.top, client.bottom - 3 * h / 2);
  EXPECT_EQ(save.top, abort.top);
  EXPECT_EQ(save.left, client.right - h / 2 - w);
  EXPECT_EQ(box.left, h / 2);
  EXPECT_EQ(box.right - box.left, client.right - h);
  EXPECT_EQ(box.bottom, client.bottom - 2 * h);
  EXPECT_EQ(grip.right, client.right);
  EXPECT_EQ(grip.bottom, client.bottom);

  Press(dialog, kSave);
  HWND done = WaitForWindow(child.ProcessId(), L"Dump complete", child.Process());
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(Text(GetDlgItem(done, 0xFFFF)), L"Data has been dumped to the file " + saved);
  PostMessageW(done, WM_COMMAND, IDOK, 0);
  Press(dialog, kAbort);
  ChildResult r = child.Wait();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0xC0000005u);

  // UTF-16 without a byte-order mark: the whole report as the box showed it.
  std::string bytes = testing_support::ReadFile(std::string(saved.begin(), saved.end()));
  std::wstring file(bytes.size() / 2, L'\0');
  memcpy(&file[0], bytes.data(), file.size() * 2);
  EXPECT_GT(file.size(), 1000u);
  EXPECT_EQ(file, Widen(r.report));
  DeleteFileW(saved.c_str());
}

#if !defined(_WIN64)
// The 32-bit RtlCaptureContext describes its caller's caller (from its caller's frame
// record): called from here, it gives the context of this function's caller at the return.
__attribute__((noinline)) void CaptureCallersContext(CONTEXT* context) {
  RtlCaptureContext(context);
  SetLastError(0);  // keeps the call a call
}
#endif

// Calls the filter as the system would, with this thread's context and a given code.
__attribute__((noinline)) LONG CallFilter(DWORD code) {
  EXCEPTION_RECORD record = {};
  record.ExceptionCode = code;
  CONTEXT context;
#if defined(_WIN64)
  RtlCaptureContext(&context);
#else
  CaptureCallersContext(&context);
#endif
  EXCEPTION_POINTERS pointers = {&record, &context};
  return StackTraceExceptionFilter(&pointers);
}

LONG WINAPI MarkerFilter(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }

// The current top-level filter, left in place.
LPTOP_LEVEL_EXCEPTION_FILTER CurrentFilter() {
  LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(NULL);
  SetUnhandledExceptionFilter(current);
  return current;
}

// Puts the filter chain back as the test found it.
class FilterState : public testing::Test {
 protected:
  void SetUp() override {
    DisableStackTraceLibrary();
    m_found = CurrentFilter();
    m_mode = SetErrorMode(0);
  }
  void TearDown() override {
    DisableStackTraceLibrary();
    SetUnhandledExceptionFilter(m_found);
    SetErrorMode(m_mode);
    InitStackTraceLibrary();
  }
  LPTOP_LEVEL_EXCEPTION_FILTER m_found;
  UINT m_mode;
};

TEST_F(FilterState, InstallAndDisablePutBackFilterAndErrorMode) {
  SetUnhandledExceptionFilter(MarkerFilter);
  InitStackTraceLibrary();
  EXPECT_EQ(CurrentFilter(), StackTraceExceptionFilter);
  EXPECT_EQ(GetErrorMode(), UINT(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX));
  InitStackTraceLibrary();  // once until disabled: the saved filter stays MarkerFilter
  DisableStackTraceLibrary();
  EXPECT_EQ(CurrentFilter(), MarkerFilter);
  EXPECT_EQ(GetErrorMode(), 0u);

  // No filter before: none after.
  SetUnhandledExceptionFilter(NULL);
  InitStackTraceLibrary();
  DisableStackTraceLibrary();
  EXPECT_EQ(CurrentFilter(), nullptr);
}

TEST_F(FilterState, UnloadingTheLibraryRemovesItsFilter) {
  // A second copy of the library, loaded and unloaded while its filter is installed.
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(NULL, program, MAX_PATH);
  std::wstring dir = program;
  dir.erase(dir.rfind(L'\\') + 1);
  std::string temp = testing_support::TempPath("quarnel_copy");
  std::wstring copy(temp.begin(), temp.end());
  copy += L".dll";
  ASSERT_TRUE(CopyFileW((dir + L"quarnel.dll").c_str(), copy.c_str(), FALSE));
  SetUnhandledExceptionFilter(NULL);
  HMODULE library = LoadLibraryW(copy.c_str());
  ASSERT_NE(library, nullptr);
  auto filter = reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(
      reinterpret_cast<void*>(GetProcAddress(library, "StackTraceExceptionFilter")));
  EXPECT_EQ(CurrentFilter(), filter);
  EXPECT_TRUE(FreeLibrary(library));
  EXPECT_EQ(CurrentFilter(), nullptr);
  DeleteFileW(copy.c_str());
}

TEST_F(FilterState, DialogOnceThenSilent) {
  SetUnhandledExceptionFilter(MarkerFilter);
  InitStackTraceLibrary();
  BlindMode blind(1);
  // Blind: no dialog, "handled"; a code outside the table has no description.
  EXPECT_EQ(CallFilter(0xE0001234), EXCEPTION_EXECUTE_HANDLER);
  std::string report = GetStackTraceReport();
  EXPECT_NE(report.find("  Code: e0001234\r\n  Description unavailable\r\n"), std::string::npos);
  EXPECT_NE(report.find("    function: CallFilter"), std::string::npos) << report;
  EXPECT_NE(report.find("crash_dialog_test.cpp"), std::string::npos);

  // With the dialog: Debug puts back the previous filter and lets a debugger take the fault.
  SetGPFBlindMode(0);
  bool shown = false;
  std::thread watcher([&] {
    HWND dialog = WaitForWindow(GetCurrentProcessId(), L"Unhandled Exception", NULL);
    if (dialog == NULL) return;
    shown = true;
    ShowWindow(GetDlgItem(dialog, kExceptionDebug), SW_SHOW);
    Press(dialog, kExceptionDebug);
  });
  EXPECT_EQ(CallFilter(0xC0000005), EXCEPTION_CONTINUE_SEARCH);
  watcher.join();
  EXPECT_TRUE(shown);
  EXPECT_EQ(CurrentFilter(), MarkerFilter);

  // The dialog shows once per process: a later fault is "handled" at once.
  InitStackTraceLibrary();
  EXPECT_EQ(CallFilter(0xC0000005), EXCEPTION_EXECUTE_HANDLER);
}

}  // namespace
