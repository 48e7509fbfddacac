// The trace logger: line format, clamping, streamed values.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <ulmora.h>

#include "test_support.h"

namespace {

class LogFile : public testing::Test {
 protected:
  void SetUp() override {
    path_ = testing_support::TempPath("ulm");
    _putenv_s("ULMORA_LOG", path_.c_str());
  }
  void TearDown() override {
    _putenv_s("ULMORA_LOG", "");
    DeleteFileA(path_.c_str());
  }
  std::string Text() { return testing_support::ReadFile(path_); }
  std::string path_;
};

TEST_F(LogFile, LineCarriesLevelLoggerPlaceSignatureAndText) {
  UlmLogger log("Grid");
  UlmEvent(log, 1, "ui/grid/Grid.cpp", 42, "void Grid::Save()") << "Grid::Save - failed, n=" << 7;
  EXPECT_EQ(Text(), "1|Grid|ui/grid/Grid.cpp(42)|void Grid::Save()|Grid::Save - failed, n=7\n");
}

TEST_F(LogFile, StreamsEveryKindOfValue) {
  UlmLogger log("x");
  const char* nullText = nullptr;
  const wchar_t* nullWide = nullptr;
  UlmEvent(log, 2, "f", 1, "s") << 'c' << short(-3) << static_cast<unsigned short>(65535) << -70000L
                                << 4000000000UL << nullText << "|" << nullWide << "|" << L"\u00e9t\u00e9";
  EXPECT_EQ(Text(), "2|x|f(1)|s|c-365535-700004000000000[NULL]|[NULL]|\xc3\xa9t\xc3\xa9\n");
}

TEST(LogEvent, ClampsLevelAndSettings) {
  UlmLogger log(nullptr);
  EXPECT_STREQ(log.Name(), "[NULL C STRING]");
  struct { int level, detail, channel; int wantLevel, wantDetail, wantChannel; } cases[] = {
      {0, 0, 0, 0, 0, 0}, {4, 3, 2, 4, 3, 2}, {5, 4, 3, 2, 0, 0}, {-1, -1, -1, 2, 0, 0}, {3, 1, 1, 3, 1, 1},
  };
  for (auto& c : cases) {
    UlmEvent e(log, c.level, "f", 1, "s", c.detail, c.channel);
    EXPECT_EQ(e.Level(), c.wantLevel);
    EXPECT_EQ(e.Detail(), c.wantDetail);
    EXPECT_EQ(e.Channel(), c.wantChannel);
  }
}

}  // namespace
