// The earlier edition's crash log: blind-mode faults appended to halvan.log when "LogGPF" is 1.
#include <gtest/gtest.h>

#include <string>

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
  // The temporary directory as GetTempPathA gives it: near, at and past its 260-character buffer.
  for (size_t length : {200u, 255u, 259u, 300u}) {
    SCOPED_TRACE(length);
    std::string directory = "C:\\";
    while (directory.size() + 1 < length) directory += directory.size() % 50 == 49 ? '\\' : 'q';
    directory += '\\';
    ASSERT_EQ(directory.size(), length);
    for (const char* name : names) SetEnvironmentVariableA(name, directory.c_str());
    const size_t before = TraceLines();
    Crash("long-temp");
    for (int i = 0; i < 2; ++i) SetEnvironmentVariableA(names[i], saved[i][0] ? saved[i] : NULL);
    EXPECT_EQ(TraceLines(), before + 1);
    // The directory does not exist: no log anywhere, least of all in the usual place.
    EXPECT_EQ(GetFileAttributesA(m_log.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace

#endif
