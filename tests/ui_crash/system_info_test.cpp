// System description for the report: Windows kinds and names, versions of modules.
#include <gtest/gtest.h>

#include "UIModuleVersion.h"
#include "UIOSVersion.h"

namespace {

TEST(COSVersion, ClassifiesEveryWindows) {
  struct {
    DWORD platform, major, minor, build;
    COSVersion::OSVersion kind;
  } cases[] = {
      {VER_PLATFORM_WIN32s, 3, 10, 0, COSVersion::osWin32s},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, COSVersion::osWin95},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, COSVersion::osWin98},
      {VER_PLATFORM_WIN32_NT, 3, 10, 511, COSVersion::osNT31},
      {VER_PLATFORM_WIN32_NT, 3, 50, 807, COSVersion::osNT35},
      {VER_PLATFORM_WIN32_NT, 3, 51, 1057, COSVersion::osNT351},
      {VER_PLATFORM_WIN32_NT, 4, 0, 1381, COSVersion::osNT4},
      {VER_PLATFORM_WIN32_NT, 5, 1, 2600, COSVersion::osWin2000},
      {VER_PLATFORM_WIN32_NT, 6, 0, 6002, COSVersion::osVista},
      {VER_PLATFORM_WIN32_NT, 6, 1, 7601, COSVersion::osWin7},
      {VER_PLATFORM_WIN32_NT, 6, 2, 9200, COSVersion::osWin8},
      {VER_PLATFORM_WIN32_NT, 6, 3, 9600, COSVersion::osWin81},
      {VER_PLATFORM_WIN32_NT, 10, 0, 19045, COSVersion::osWin10},
      {VER_PLATFORM_WIN32_NT, 10, 0, 22631, COSVersion::osWin11},
      {7, 1, 0, 0, COSVersion::osOther},
  };
  for (const auto& c : cases)
    EXPECT_EQ(COSVersion::Classify(c.platform, c.major, c.minor, c.build), c.kind)
        << c.major << "." << c.minor << " build " << c.build;
}

TEST(COSVersion, NamesKinds) {
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osWin2000, true, true), "Windows 2000 Server (Terminal Server)");
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osNT4, false, false), "Windows NT Workstation ");
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osWin7, false, false), "Windows 7 Workstation ");
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osWin10, true, false), "Windows 10 Server ");
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osWin95, true, true), "Windows 95");
  EXPECT_EQ(COSVersion::NameOf(COSVersion::osOther, false, false), "Unknown Windows");
}

TEST(COSVersion, DescribesThisSystem) {
  COSVersion os;
  EXPECT_TRUE(os.IsNT());
  EXPECT_FALSE(os.Is9x());
  EXPECT_NE(os.GetSystemName(), "Unknown Windows");
  EXPECT_GE(os.GetMajor(), 5u);
  EXPECT_GT(os.GetTotalPhysicalKb(), 0u);
  EXPECT_LE(os.GetAvailPhysicalKb(), os.GetTotalPhysicalKb());
  EXPECT_FALSE(os.GetProcessorName().empty());
  DWORD width, height, colors;
  os.GetDisplayMode(&width, &height, &colors);
  EXPECT_GT(width, 0u);
  EXPECT_GT(height, 0u);
}

TEST(UIGroupDigits, GroupsByThreeWithFullStops) {
  EXPECT_EQ(UIGroupDigits(0), "0");
  EXPECT_EQ(UIGroupDigits(999), "999");
  EXPECT_EQ(UIGroupDigits(1000), "1.000");
  EXPECT_EQ(UIGroupDigits(1234567), "1.234.567");
  EXPECT_EQ(UIGroupDigits(18446744073709551615ull), "18.446.744.073.709.551.615");
}

TEST(CModuleVersion, ReadsVersionAndLanguage) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  CModuleVersion v;
  ASSERT_TRUE(v.GetFileVersionInfo((std::wstring(system) + L"\\kernel32.dll").c_str()));
  EXPECT_TRUE(v.IsValid());
  EXPECT_GT(HIWORD(v.GetVersionMS()), 0u);
  EXPECT_FALSE(v.GetLanguageName().empty());
  // A module without a version resource, and no file at all.
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(NULL, program, MAX_PATH);
  EXPECT_FALSE(v.GetFileVersionInfo(program));
  EXPECT_FALSE(v.IsValid());
  EXPECT_EQ(v.GetVersionMS(), 0u);
  EXPECT_FALSE(v.GetFileVersionInfo(L"C:\\no\\such.dll"));
}

TEST(QueryDllVersion, AsksDllGetVersion) {
  DLLVERSIONINFO info;
  ASSERT_EQ(QueryDllVersion(L"comctl32.dll", &info), S_OK);
  EXPECT_EQ(info.cbSize, 20u);
  EXPECT_GE(info.dwMajorVersion, 5u);
  EXPECT_EQ(QueryDllVersion(L"version.dll", &info), E_NOTIMPL);
  EXPECT_EQ(QueryDllVersion(L"no_such_library.dll", &info), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(QueryDllVersion(NULL, &info), E_INVALIDARG);
  EXPECT_EQ(QueryDllVersion(L"comctl32.dll", NULL), E_INVALIDARG);
}

}  // namespace
