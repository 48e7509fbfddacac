// The character set of a font face: the code page's, else the face's own, kept per face.
// The faces without the code page's charset are symbol fonts made by the test (symbol_font.h).
#include <gtest/gtest.h>

#include <QvHourGlass.h>

#include <set>
#include <string>

#include "symbol_font.h"

namespace {

class ScreenDC {
 public:
  ScreenDC() : m_dc(GetDC(NULL)) {}
  ~ScreenDC() {
    if (m_dc) ReleaseDC(NULL, m_dc);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  operator HDC() const { return m_dc; }

 private:
  HDC m_dc;
};

// The charsets GDI enumerates for one face.
std::set<BYTE> CharsetsOf(HDC dc, const std::wstring& face) {
  std::set<BYTE> charsets;
  LOGFONTW query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  EnumFontFamiliesExW(
      dc, &query,
      [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM p) CALLBACK -> int {
        reinterpret_cast<std::set<BYTE>*>(p)->insert(lf->lfCharSet);
        return 1;
      },
      reinterpret_cast<LPARAM>(&charsets), 0);
  return charsets;
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

BYTE CharSetFor(HDC dc, const std::wstring& face, int noCache) {
  LOGFONTW lf = Font(face);
  SetCharSetFromFaceName(dc, lf, noCache);
  EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS | VARIABLE_PITCH) << "kept";
  return lf.lfCharSet;
}

// Each test uses face names of its own: the cache lives as long as the process.
TEST(CharSetFromFaceName, TakesTheCodePagesCharsetOrTheFacesFirstAndCaches) {
  const std::wstring symbol = L"Quarnel Charset Symbol";
  MemoryFont font(symbol);
  ASSERT_TRUE(font.installed());
  ScreenDC dc;
  ASSERT_NE(static_cast<HDC>(dc), nullptr);
  const BYTE ansi = AnsiCharset();
  ASSERT_NE(ansi, SYMBOL_CHARSET);
  ASSERT_EQ(CharsetsOf(dc, symbol), std::set<BYTE>{SYMBOL_CHARSET});
  ASSERT_EQ(CharsetsOf(dc, L"Tahoma").count(ansi), 1u);

  // A face with a font of the code page's charset takes that charset.
  EXPECT_EQ(CharSetFor(dc, L"Tahoma", 1), ansi);
  // A face that no font has keeps the code page's charset.
  EXPECT_EQ(CharSetFor(dc, L"No Such Face Anywhere", 0), ansi);

  // The symbol face has no font of the code page's charset: the first under DEFAULT_CHARSET.
  // Without cache nothing is written, so a later cached call without a device finds no font
  // and answers the code page's charset.
  EXPECT_EQ(CharSetFor(dc, symbol, 1), SYMBOL_CHARSET);
  EXPECT_EQ(CharSetFor(NULL, symbol, 0), ansi);
  // That answer is now cached; it stays without enumerating again, even with a device that
  // has the font. With noCache the device is asked.
  EXPECT_EQ(CharSetFor(dc, symbol, 0), ansi);
  EXPECT_EQ(CharSetFor(dc, symbol, 1), SYMBOL_CHARSET);

  // The other way round: a cached answer of the device holds without one. The key is the
  // name as written, case included (GDI itself matches faces whatever their case).
  const std::wstring lower = L"quarnel charset symbol";
  EXPECT_EQ(CharsetsOf(dc, lower), std::set<BYTE>{SYMBOL_CHARSET});
  EXPECT_EQ(CharSetFor(NULL, lower, 0), ansi);
  const std::wstring upper = L"QUARNEL CHARSET SYMBOL";
  EXPECT_EQ(CharSetFor(dc, upper, 0), SYMBOL_CHARSET);
  EXPECT_EQ(CharSetFor(NULL, upper, 0), SYMBOL_CHARSET);
  EXPECT_EQ(CharSetFor(NULL, upper, 1), ansi);
}

// Two pages, the second one not readable: a face name that fills its array to the end of the
// first page cannot be read past without a fault.
class GuardedFont {
 public:
  GuardedFont() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    m_page = info.dwPageSize;
    m_memory = static_cast<BYTE*>(VirtualAlloc(NULL, 2 * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    if (m_memory && !VirtualProtect(m_memory + m_page, m_page, PAGE_NOACCESS, &old)) {
      VirtualFree(m_memory, 0, MEM_RELEASE);
      m_memory = nullptr;
    }
  }
  ~GuardedFont() {
    if (m_memory) VirtualFree(m_memory, 0, MEM_RELEASE);
  }
  GuardedFont(const GuardedFont&) = delete;
  GuardedFont& operator=(const GuardedFont&) = delete;
  // The LOGFONTW that ends where the readable page ends, its face name the 32 characters
  // given, without a terminating zero.
  LOGFONTW* At(const std::wstring& face32) {
    if (!m_memory || face32.size() != LF_FACESIZE) return nullptr;
    LOGFONTW* lf = reinterpret_cast<LOGFONTW*>(m_memory + m_page - sizeof(LOGFONTW));
    *lf = Font(L"");
    wmemcpy(lf->lfFaceName, face32.data(), LF_FACESIZE);
    return lf;
  }

 private:
  DWORD m_page = 0;
  BYTE* m_memory = nullptr;
};

TEST(CharSetFromFaceName, KeysByTheExactNameWithinTheFaceArray) {
  ScreenDC dc;
  const BYTE ansi = AnsiCharset();
  // Names that differ only in characters outside the ANSI code page are different faces.
  const std::wstring zhe = L"Quarnel Charset \x0416";
  MemoryFont font(zhe);
  ASSERT_TRUE(font.installed());
  ASSERT_EQ(CharsetsOf(dc, zhe), std::set<BYTE>{SYMBOL_CHARSET});
  EXPECT_EQ(CharSetFor(dc, zhe, 0), SYMBOL_CHARSET);
  EXPECT_EQ(CharSetFor(dc, L"Quarnel Charset \x0417", 0), ansi);
  EXPECT_EQ(CharSetFor(NULL, zhe, 0), SYMBOL_CHARSET);  // still its own entry

  // A face name of the array's full length, with no zero after it: read no further, and
  // keyed by all of its characters. GDI sees the name without its last character, here the
  // name of a font.
  const std::wstring longest = L"Quarnel Charset Test Symbol 31c";
  ASSERT_EQ(longest.size(), static_cast<size_t>(LF_FACESIZE - 1));
  MemoryFont longFont(longest);
  ASSERT_TRUE(longFont.installed());
  ASSERT_EQ(CharsetsOf(dc, longest), std::set<BYTE>{SYMBOL_CHARSET});
  GuardedFont guarded;
  LOGFONTW* lf = guarded.At(longest + L"x");
  ASSERT_NE(lf, nullptr);
  SetCharSetFromFaceName(NULL, *lf, 0);
  EXPECT_EQ(lf->lfCharSet, ansi);  // no device: nothing found, cached
  lf = guarded.At(longest + L"y");
  SetCharSetFromFaceName(dc, *lf, 0);
  EXPECT_EQ(lf->lfCharSet, SYMBOL_CHARSET);  // another name: the device is asked
  EXPECT_EQ(lf->lfPitchAndFamily, FF_SWISS | VARIABLE_PITCH);
  lf = guarded.At(longest + L"x");
  SetCharSetFromFaceName(dc, *lf, 0);
  EXPECT_EQ(lf->lfCharSet, ansi);  // the cached answer of the first name
}

}  // namespace
