// The earlier edition's crash log: blind-mode faults appended to halvan.log when "LogGPF" is 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crash_scenarios.h"
#include "test_support.h"

#if !defined(UNICODE)

namespace {

// The configuration key "%APPCONFIG%" of the crash program.
const char kConfigKey[] = "Software\\Qv\\crash_child\\Configuration";
const char kBanner[] = "\r\n<<<<<<<<<<<<<<< UNHANDLED EXCEPTION OCCURED >>>>>>>>>>>>>\r\n\r\n";

class CrashLog : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_log = std::string(temp) + "halvan.log";
    DeleteFileA(m_log.c_str());
    m_trace = testing_support::TempPath("crash_trace");
    SetEnvironmentVariableA("ULMORA_LOG", m_trace.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("ULMORA_LOG", NULL);
    RegDeleteKeyA(HKEY_CURRENT_USER, kConfigKey);
    DeleteFileA(m_log.c_str());
    DeleteFileA(m_trace.c_str());
  }
  void SetLogGPF(DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL), ERROR_SUCCESS);
    RegSetValueExA(key, "LogGPF", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  static std::string Crash(const char* extra) {
    CrashChild child("access-violation", extra);
    ChildResult r = child.Wait();
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0xC0000005u);
    return r.report;
  }
  size_t TraceLines() {
    std::string trace = testing_support::ReadFile(m_trace);
    size_t n = 0;
    for (size_t at = 0, end; (end = trace.find('\n', at)) != std::string::npos; at = end + 1) {
      std::string line = trace.substr(at, end - at);
      if (line.rfind("1|GPF|", 0) == 0 && line.size() >= 28 &&
          line.compare(line.size() - 28, 28, "|Unhandled exception occured") == 0)
        ++n;
    }
    return n;
  }
  std::string m_log, m_trace;
};

TEST_F(CrashLog, AppendsEveryBlindFaultWhenLogGPFIs1) {
  SetLogGPF(1);
  // The command line, and so the report, holds format characters: written as they stand.
  std::string first = Crash("%s%n%d");
  std::string second = Crash("100%");
  ASSERT_NE(first.find("%s%n%d"), std::string::npos);
  EXPECT_EQ(testing_support::ReadFile(m_log), kBanner + first + "\r\n" + kBanner + second + "\r\n");
  EXPECT_EQ(TraceLines(), 2u);
}

TEST_F(CrashLog, OtherValuesWriteNoFileButTheTraceLine) {
  SetLogGPF(2);
  Crash("");
  EXPECT_EQ(GetFileAttributesA(m_log.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TraceLines(), 1u);
}

TEST_F(CrashLog, AVeryLongTemporaryPathOverflowsNothingAndTheTraceLineIsWritten) {
  SetLogGPF(1);
  char saved[2][MAX_PATH] = {};
  const char* names[2] = {"TMP", "TEMP"};
  for (int i = 0; i < 2; ++i) GetEnvironmentVariableA(names[i], saved[i], MAX_PATH);
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  // The temporary directory as GetTempPathA gives it: long enough for the log's name to fit or
  // not, near, at and past its 260-character buffer. Only the first one exists.
  struct Case {
    size_t length;
    bool exists;
  };
  for (const Case& c : {Case{240, true}, Case{200, false}, Case{255, false}, Case{259, false}, Case{300, false}}) {
    SCOPED_TRACE(c.length);
    std::string directory = c.exists ? temp : "C:\\";
    std::vector<std::string> made;
    while (directory.size() + 1 < c.length) {
      directory += directory.size() % 50 == 49 ? '\\' : 'q';
      if (c.exists && directory.back() == '\\') {
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
        made.push_back(directory);
      }
    }
    directory += '\\';
    ASSERT_EQ(directory.size(), c.length);
    if (c.exists) {
      ASSERT_TRUE(CreateDirectoryA(directory.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
      made.push_back(directory);
    }
    const std::string log = directory + "halvan.log";
    for (const char* name : names) SetEnvironmentVariableA(name, directory.c_str());
    const size_t before = TraceLines();
    Crash("long-temp");  // its report file would not fit in that directory: read from the log
    for (int i = 0; i < 2; ++i) SetEnvironmentVariableA(names[i], saved[i][0] ? saved[i] : NULL);
    EXPECT_EQ(TraceLines(), before + 1);
    if (c.exists) {
      const std::string written = testing_support::ReadFile(log);
      EXPECT_EQ(written.rfind(kBanner, 0), 0u);
      EXPECT_NE(written.find("Unhandled Exception\r\n  Code: c0000005"), std::string::npos);
      EXPECT_NE(written.find(directory), std::string::npos);  // the report names its directory
      DeleteFileA(log.c_str());
    } else {
      EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // Never in the usual place instead.
    EXPECT_EQ(GetFileAttributesA(m_log.c_str()), INVALID_FILE_ATTRIBUTES);
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryA(it->c_str());
  }
}

}  // namespace

#endif
