// Far-East line-breaking tables and rules.
#include "FarEastRules.h"

#include <windows.h>

#include <QvOriginInfo.h>

#include <string.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// A range of double-byte characters (lead byte high, trail byte low), both ends included.
struct Range {
  unsigned short lo, hi;
};

struct Tables {
  const char* language;
  const char* beginSingle;  // may not begin a line, single-byte
  const char* endSingle;    // may not end a line, single-byte
  const Range* beginDouble;
  size_t beginCount;
  const Range* endDouble;
  size_t endCount;
  unsigned char blankLead, blankTrail;  // the ideographic space
};

const Range kJaBegin[] = {
    {0x8141, 0x814B}, {0x8152, 0x8155}, {0x8158, 0x8158}, {0x815B, 0x815B}, {0x8166, 0x8166}, {0x8168, 0x8168},
    {0x816A, 0x816A}, {0x816C, 0x816C}, {0x816E, 0x816E}, {0x8170, 0x8170}, {0x8172, 0x8172}, {0x8174, 0x8174},
    {0x8176, 0x8176}, {0x8178, 0x8178}, {0x817A, 0x817A}, {0x818B, 0x818E}, {0x8191, 0x8191}, {0x8193, 0x8193},
    {0x81F1, 0x81F1}, {0x829F, 0x829F}, {0x82A1, 0x82A1}, {0x82A3, 0x82A3}, {0x82A5, 0x82A5}, {0x82A7, 0x82A7},
    {0x82C1, 0x82C1}, {0x82E1, 0x82E1}, {0x82E3, 0x82E3}, {0x82E5, 0x82E5}, {0x82EC, 0x82EC}, {0x8340, 0x8340},
    {0x8342, 0x8342}, {0x8344, 0x8344}, {0x8346, 0x8346}, {0x8348, 0x8348}, {0x8362, 0x8362}, {0x8383, 0x8383},
    {0x8385, 0x8385}, {0x8387, 0x8387}, {0x838E, 0x838E}, {0x8395, 0x8396}};
const Range kJaEnd[] = {{0x8165, 0x8165}, {0x8167, 0x8167}, {0x8169, 0x8169}, {0x816B, 0x816B}, {0x816D, 0x816D},
                        {0x816F, 0x816F}, {0x8171, 0x8171}, {0x8173, 0x8173}, {0x8175, 0x8175}, {0x8177, 0x8177},
                        {0x8179, 0x8179}, {0x818F, 0x8190}, {0x8192, 0x8192}};
const Range kKoBegin[] = {{0xA1A2, 0xA1A2}, {0xA1AF, 0xA1AF}, {0xA1B1, 0xA1B1}, {0xA1B3, 0xA1B3}, {0xA1B5, 0xA1B5},
                          {0xA1B7, 0xA1B7}, {0xA1B9, 0xA1B9}, {0xA1BB, 0xA1BB}, {0xA1BD, 0xA1BD}, {0xA1C6, 0xA1C9},
                          {0xA1CB, 0xA1CB}, {0xA3A1, 0xA3A1}, {0xA3A5, 0xA3A5}, {0xA3A9, 0xA3A9}, {0xA3AC, 0xA3AC},
                          {0xA3AE, 0xA3AE}, {0xA3BA, 0xA3BB}, {0xA3BF, 0xA3BF}, {0xA3DC, 0xA3DD}, {0xA3FD, 0xA3FD}};
const Range kKoEnd[] = {{0xA1AE, 0xA1AE}, {0xA1B0, 0xA1B0}, {0xA1B2, 0xA1B2}, {0xA1B4, 0xA1B4}, {0xA1B6, 0xA1B6},
                        {0xA1B8, 0xA1B8}, {0xA1BA, 0xA1BA}, {0xA1BC, 0xA1BC}, {0xA3A4, 0xA3A4}, {0xA3A8, 0xA3A8},
                        {0xA3DB, 0xA3DC}, {0xA3FB, 0xA3FB}};
const Range kCnBegin[] = {{0xA1A2, 0xA1AD}, {0xA1AF, 0xA1AF}, {0xA1B1, 0xA1B1}, {0xA1B3, 0xA1B3}, {0xA1B5, 0xA1B5},
                          {0xA1B7, 0xA1B7}, {0xA1B9, 0xA1B9}, {0xA1BB, 0xA1BB}, {0xA1BD, 0xA1BD}, {0xA1BF, 0xA1BF},
                          {0xA1C3, 0xA1C3}, {0xA3A1, 0xA3A2}, {0xA3A7, 0xA3A7}, {0xA3A9, 0xA3A9}, {0xA3AC, 0xA3AC},
                          {0xA3AE, 0xA3AE}, {0xA3BA, 0xA3BB}, {0xA3BF, 0xA3BF}, {0xA3DD, 0xA3DD}, {0xA3E0, 0xA3E0},
                          {0xA3FC, 0xA3FD}};
const Range kCnEnd[] = {{0xA1AE, 0xA1AE}, {0xA1B0, 0xA1B0}, {0xA1B2, 0xA1B2}, {0xA1B4, 0xA1B4}, {0xA1B6, 0xA1B6},
                        {0xA1B8, 0xA1B8}, {0xA1BA, 0xA1BA}, {0xA1BC, 0xA1BC}, {0xA1BE, 0xA1BE}, {0xA3A8, 0xA3A8},
                        {0xA3AE, 0xA3AE}, {0xA3B0, 0xA3B9}, {0xA3DB, 0xA3DB}, {0xA3FB, 0xA3FB}};
const Range kTwBegin[] = {{0xA141, 0xA15C}, {0xA15E, 0xA15E}, {0xA160, 0xA160}, {0xA162, 0xA162}, {0xA164, 0xA164},
                          {0xA166, 0xA166}, {0xA168, 0xA168}, {0xA16A, 0xA16A}, {0xA16C, 0xA16C}, {0xA16E, 0xA16E},
                          {0xA170, 0xA170}, {0xA172, 0xA172}, {0xA174, 0xA174}, {0xA176, 0xA176}, {0xA178, 0xA178},
                          {0xA17A, 0xA17A}, {0xA17C, 0xA17C}, {0xA17E, 0xA17E}, {0xA1A2, 0xA1A2}, {0xA1A4, 0xA1A4},
                          {0xA1A6, 0xA1A6}, {0xA1A8, 0xA1A8}, {0xA1AA, 0xA1AA}, {0xA1AC, 0xA1AC}};
const Range kTwEnd[] = {{0xA15D, 0xA15D}, {0xA15F, 0xA15F}, {0xA161, 0xA161}, {0xA163, 0xA163}, {0xA165, 0xA165},
                        {0xA167, 0xA167}, {0xA169, 0xA169}, {0xA16B, 0xA16B}, {0xA16D, 0xA16D}, {0xA16F, 0xA16F},
                        {0xA171, 0xA171}, {0xA173, 0xA173}, {0xA175, 0xA175}, {0xA177, 0xA177}, {0xA179, 0xA179},
                        {0xA17B, 0xA17B}, {0xA17D, 0xA17D}, {0xA1A1, 0xA1A1}, {0xA1A3, 0xA1A3}, {0xA1A5, 0xA1A5},
                        {0xA1A7, 0xA1A7}, {0xA1A9, 0xA1A9}, {0xA1AB, 0xA1AB}};

#define QV_RANGES(a) a, sizeof(a) / sizeof(a[0])
const Tables kTables[] = {
    {"ja", "!%),.?]}\xA1\xA3\xA4\xA5\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xDE\xDF", "$([\\{\xA2",
     QV_RANGES(kJaBegin), QV_RANGES(kJaEnd), 0x81, 0x40},
    {"ko", "!%),.:;?]}", "([\\{", QV_RANGES(kKoBegin), QV_RANGES(kKoEnd), 0xA1, 0xA1},
    {"zh_CN", "!),.:;?]}", "([{", QV_RANGES(kCnBegin), QV_RANGES(kCnEnd), 0xA1, 0xA1},
    {"zh_TW", "!),.:;?]}", "([{", QV_RANGES(kTwBegin), QV_RANGES(kTwEnd), 0xA1, 0x40},
};
#undef QV_RANGES

// The tables of the UI language, or null for a language without them.
const Tables* LanguageTables() {
  for (const Tables& t : kTables)
    if (gOrgInfo.QvLanguageIs(t.language)) return &t;
  return nullptr;
}

bool Switched() { return gOrgInfo.GetOrgDBCS() == 1; }

bool InRanges(const Range* r, size_t n, unsigned short v) {
  for (size_t i = 0; i < n; ++i)
    if (v >= r[i].lo && v <= r[i].hi) return true;
  return false;
}

bool InSingle(const char* table, unsigned char c) {
  for (const char* s = table; *s; ++s)
    if (static_cast<unsigned char>(*s) == c) return true;
  return false;
}

bool LeadByteOf(const Tables& t, unsigned char c) {
  // cp936 reports these as lead bytes, yet GB2312 text never uses them so.
  if (strcmp(t.language, "zh_CN") == 0 && ((c >= 0xAA && c <= 0xAF) || (c >= 0xF8 && c <= 0xFE)))
    return false;
  return IsDBCSLeadByteEx(gOrgInfo.GetCodePage(), c) != 0;
}

bool ByteRule(const char* p, bool begin) {
  const Tables* t = LanguageTables();
  if (!Switched() || !t || !p || !*p) return false;
  const unsigned char c = static_cast<unsigned char>(p[0]);
  if (p[1] && LeadByteOf(*t, c)) {
    const unsigned short v = static_cast<unsigned short>(c << 8 | static_cast<unsigned char>(p[1]));
    return begin ? InRanges(t->beginDouble, t->beginCount, v) : InRanges(t->endDouble, t->endCount, v);
  }
  return InSingle(begin ? t->beginSingle : t->endSingle, c);
}

// The tables of one language as sorted UTF-16 code points.
struct WideTables {
  const Tables* source = nullptr;
  std::vector<wchar_t> begin, end;
  wchar_t blank = 0;  // the ideographic space
};

void AddSingle(std::vector<wchar_t>& out, const char* table, unsigned int codePage) {
  for (const char* s = table; *s; ++s) {
    wchar_t w = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, s, 1, &w, 1) == 1) out.push_back(w);
  }
}

void AddDouble(std::vector<wchar_t>& out, const Range* r, size_t n, unsigned int codePage) {
  for (size_t i = 0; i < n; ++i)
    for (unsigned v = r[i].lo; v <= r[i].hi; ++v) {
      const char bytes[2] = {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
      wchar_t w = 0;
      if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, 2, &w, 1) == 1) out.push_back(w);
    }
}

void Sort(std::vector<wchar_t>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
}

// Built when first asked for a language, again only when the language changes.
const WideTables* CurrentWideTables() {
  static std::mutex lock;
  static WideTables cache[sizeof(kTables) / sizeof(kTables[0])];
  const Tables* t = LanguageTables();
  if (!t) return nullptr;
  WideTables& w = cache[t - kTables];
  std::lock_guard<std::mutex> hold(lock);
  if (!w.source) {
    const unsigned int cp = gOrgInfo.GetCodePage();
    AddSingle(w.begin, t->beginSingle, cp);
    AddDouble(w.begin, t->beginDouble, t->beginCount, cp);
    AddSingle(w.end, t->endSingle, cp);
    AddDouble(w.end, t->endDouble, t->endCount, cp);
    Sort(w.begin);
    Sort(w.end);
    const char space[2] = {static_cast<char>(t->blankLead), static_cast<char>(t->blankTrail)};
    if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, space, 2, &w.blank, 1) != 1) w.blank = 0;
    w.source = t;
  }
  return &w;
}

bool WideRule(wchar_t c, bool begin) {
  if (!Switched()) return false;
  const WideTables* w = CurrentWideTables();
  if (!w) return false;
  const std::vector<wchar_t>& v = begin ? w->begin : w->end;
  return std::binary_search(v.begin(), v.end(), c);
}

}  // namespace

bool IsFarEastLeadByte(unsigned char c) {
  const Tables* t = LanguageTables();
  return t && LeadByteOf(*t, c);
}

bool IsLanguageLeadByte(unsigned char c) { return Switched() && IsFarEastLeadByte(c); }

bool IsLanguageBlank(const char* p) {
  if (!Switched() || !p || !*p) return false;
  if (*p == ' ') return true;
  const Tables* t = LanguageTables();
  return t && static_cast<unsigned char>(p[0]) == t->blankLead && static_cast<unsigned char>(p[1]) == t->blankTrail;
}

bool FarEastMayNotBegin(const char* p) { return ByteRule(p, true); }
bool FarEastMayNotEnd(const char* p) { return ByteRule(p, false); }

int FarEastCharLength(const char* p) {
  if (!p || !*p) return 0;
  return p[1] && IsLanguageLeadByte(static_cast<unsigned char>(p[0])) ? 2 : 1;
}

bool FarEastRulesActive() { return Switched() && LanguageTables() != nullptr; }
bool FarEastMayNotBeginW(wchar_t c) { return WideRule(c, true); }
bool FarEastMayNotEndW(wchar_t c) { return WideRule(c, false); }

bool IsLanguageBlankW(wchar_t c) {
  if (!Switched() || c == 0) return false;
  if (c == L' ') return true;
  const WideTables* w = CurrentWideTables();
  return w && w->blank == c;
}

bool FarEastSingleByteW(wchar_t c) {
  if (c < 0x80) return true;
  return c >= 0xFF61 && c <= 0xFF9F && gOrgInfo.QvLanguageIs("ja");
}
