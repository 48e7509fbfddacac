// The character set of a font face: the code page's, else the face's own, kept per face.
#include <gtest/gtest.h>

#include <QvHourGlass.h>

#include <map>
#include <set>
#include <string>

namespace {

// The charsets of every face on the screen.
std::map<std::wstring, std::set<BYTE>> FacesAndCharsets(HDC dc) {
  std::map<std::wstring, std::set<BYTE>> faces;
  LOGFONTW all = {};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(
      dc, &all,
      [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
        (*reinterpret_cast<std::map<std::wstring, std::set<BYTE>>*>(p))[lf->lfFaceName].insert(lf->lfCharSet);
        return 1;
      },
      reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

BYTE AnsiCharset() {
  CHARSETINFO info = {};
  return TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE)
             ? static_cast<BYTE>(info.ciCharset)
             : 0;
}

LOGFONTW Font(const std::wstring& face) {
  LOGFONTW lf = {};
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  lf.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
  lf.lfCharSet = 77;
  return lf;
}

TEST(CharSetFromFaceName, TakesTheCodePagesCharsetOrTheFacesFirstAndCaches) {
  HDC dc = GetDC(NULL);
  ASSERT_NE(dc, nullptr);
  const BYTE ansi = AnsiCharset();
  auto faces = FacesAndCharsets(dc);
  std::wstring withAnsi, withoutAnsi;
  for (const auto& f : faces) {
    if (f.first.empty() || f.first[0] == L'@') continue;
    if (f.second.count(ansi)) {
      if (withAnsi.empty()) withAnsi = f.first;
    } else if (withoutAnsi.empty()) {
      withoutAnsi = f.first;
    }
  }
  ASSERT_FALSE(withAnsi.empty());

  LOGFONTW lf = Font(withAnsi);
  SetCharSetFromFaceName(dc, lf, 1);
  EXPECT_EQ(lf.lfCharSet, ansi);
  EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS | VARIABLE_PITCH);

  // A face that no font has keeps the code page's charset.
  lf = Font(L"No Such Face Anywhere");
  SetCharSetFromFaceName(dc, lf, 0);
  EXPECT_EQ(lf.lfCharSet, ansi);

  if (withoutAnsi.empty()) {
    ReleaseDC(NULL, dc);
    GTEST_SKIP() << "every face has the code page's charset here";
  }
  // Without cache: nothing is written, so a later cached call without a device finds no
  // font and answers the code page's charset.
  lf = Font(withoutAnsi);
  SetCharSetFromFaceName(dc, lf, 1);
  EXPECT_TRUE(faces[withoutAnsi].count(lf.lfCharSet)) << static_cast<int>(lf.lfCharSet);
  lf = Font(withoutAnsi);
  SetCharSetFromFaceName(NULL, lf, 0);
  EXPECT_EQ(lf.lfCharSet, ansi);
  // That answer is now cached; it stays without enumerating again, even with a device that
  // has the font. With noCache the device is asked.
  lf = Font(withoutAnsi);
  SetCharSetFromFaceName(dc, lf, 0);
  EXPECT_EQ(lf.lfCharSet, ansi);
  lf = Font(withoutAnsi);
  SetCharSetFromFaceName(dc, lf, 1);
  EXPECT_NE(lf.lfCharSet, ansi);
  ReleaseDC(NULL, dc);
}

}  // namespace
