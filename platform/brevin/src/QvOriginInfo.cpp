#include "QvOriginInfo.h"

#include <windows.h>
#include <string.h>

namespace {

struct FarEast {
  const char* code;
  unsigned int codePage;
  const char* uiFont;
};
const FarEast kFarEast[] = {
    {"ja", 932, "MS UI Gothic"},
    {"ko", 949, "Gulim"},
    {"zh_CN", 936, "SimSun"},
    {"zh_TW", 950, "PMingLiU"},
};

// Fonts whose names are translated on the Far-East code pages.
struct FontName {
  unsigned int codePage;
  const char* face;
  const char* local;  // UTF-8
};
const FontName kFontNames[] = {
    {932, "MS Gothic", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"},
    {932, "MS PGothic", "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"},
    {932, "MS Mincho", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D"},
    {932, "MS PMincho", "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D"},
    {936, "SimSun", "\xE5\xAE\x8B\xE4\xBD\x93"},
    {936, "SimHei", "\xE9\xBB\x91\xE4\xBD\x93"},
    {950, "MingLiU", "\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94"},
    {950, "PMingLiU", "\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94"},
    {949, "Gulim", "\xEA\xB5\xB4\xEB\xA6\xBC"},
    {949, "Dotum", "\xEB\x8F\x8B\xEC\x9B\x80"},
    {949, "Batang", "\xEB\xB0\x94\xED\x83\x95"},
};

// Codes compare without regard to letter case, '-' standing for '_'.
bool SameCode(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a == '-' ? '_' : *a, y = *b == '-' ? '_' : *b;
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
    if (!x) return true;
  }
}

const FarEast* FindFarEast(const char* code) {
  for (const FarEast& f : kFarEast)
    if (SameCode(f.code, code)) return &f;
  return nullptr;
}

// The ANSI code page of a language's default locale; 1252 when Windows does not know it.
unsigned int AnsiCodePage(const char* code) {
  wchar_t name[16];
  int i = 0;
  for (; code[i] && i < 15; ++i) name[i] = static_cast<wchar_t>(code[i] == '_' ? '-' : code[i]);
  name[i] = 0;
  LCID lcid = LocaleNameToLCID(name, 0);
  wchar_t cp[8];
  if (lcid && GetLocaleInfoW(lcid, LOCALE_IDEFAULTANSICODEPAGE, cp, 8) > 0) {
    unsigned int n = 0;
    for (const wchar_t* p = cp; *p >= L'0' && *p <= L'9'; ++p) n = n * 10 + (*p - L'0');
    if (n != 0) return n;  // 0: a Unicode-only locale
  }
  return 1252;
}

// The code of the user's default UI language.
void UserLanguage(char* code, size_t size) {
  LANGID lang = GetUserDefaultUILanguage();
  const char* farEast = nullptr;
  switch (PRIMARYLANGID(lang)) {
    case LANG_JAPANESE: farEast = "ja"; break;
    case LANG_KOREAN: farEast = "ko"; break;
    case LANG_CHINESE:
      farEast = SUBLANGID(lang) == SUBLANG_CHINESE_SIMPLIFIED || SUBLANGID(lang) == SUBLANG_CHINESE_SINGAPORE
                    ? "zh_CN" : "zh_TW";
      break;
  }
  wchar_t iso[9];
  if (farEast) {
    lstrcpynA(code, farEast, static_cast<int>(size));
  } else if (GetLocaleInfoW(MAKELCID(lang, SORT_DEFAULT), LOCALE_SISO639LANGNAME, iso, 9) > 1) {
    size_t i = 0;
    for (; iso[i] && i + 1 < size; ++i) code[i] = static_cast<char>(iso[i]);
    code[i] = 0;
  } else {
    lstrcpynA(code, "en", static_cast<int>(size));
  }
}

}  // namespace

CQvOriginInfo gOrgInfo;

CQvOriginInfo::CQvOriginInfo() : m_codePage(1252), m_dbcs(0) {
  char code[kLanguageSize];
  UserLanguage(code, sizeof code);
  *this = CQvOriginInfo(code);
}

CQvOriginInfo::CQvOriginInfo(const char* language) : m_codePage(1252), m_dbcs(0) {
  memset(m_language, 0, sizeof m_language);
  memset(m_longName, 0, sizeof m_longName);
  if (!language || !*language || strlen(language) >= kLanguageSize) language = "en";
  if (const FarEast* f = FindFarEast(language)) {
    strcpy(m_language, f->code);
    m_codePage = f->codePage;
    m_dbcs = 1;
    return;
  }
  for (int i = 0; language[i]; ++i) {
    char c = language[i] == '-' ? '_' : language[i];
    m_language[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  m_codePage = AnsiCodePage(m_language);
}

bool CQvOriginInfo::QvLanguageIs(const char* code) const { return code && SameCode(m_language, code); }

const char* CQvOriginInfo::GetFontName(unsigned int codePage, const char* face) const {
  if (!face) return "";
  for (const FontName& f : kFontNames)
    if (f.codePage == codePage && lstrcmpiA(f.face, face) == 0) return f.local;
  return "";
}

const char* CQvOriginInfo::GetUIFontName() const {
  const FarEast* f = FindFarEast(m_language);
  return f ? f->uiFont : "MS Sans Serif";
}

const char* CQvOriginInfo::GetRDBMSAllowedChars() const {
  // Far-East names are checked by their own character tests; these are the characters
  // every database accepts.
  return "a-zA-Z0-9_";
}

unsigned int QvGetCodePage() { return gOrgInfo.GetCodePage(); }
