#include "QvRDBMSChars.h"

namespace {

struct Range {
  unsigned char low, high;
};

// The lead-byte ranges and trail-byte ranges of one code page.
struct DoubleByteRules {
  Range lead[2];
  Range trail[3];
};

bool In(const Range* ranges, int count, unsigned char c) {
  for (int i = 0; i < count; ++i)
    if (ranges[i].low != 0 && c >= ranges[i].low && c <= ranges[i].high) return true;
  return false;
}

bool AsciiNameChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool Check(const char* name, const DoubleByteRules& rules) {
  if (name == nullptr) return false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != 0; ++p) {
    if (*p < 0x80) {
      if (!AsciiNameChar(*p)) return false;
    } else if (In(rules.lead, 2, *p)) {
      if (p[1] == 0 || !In(rules.trail, 3, p[1])) return false;
      ++p;
    } else {
      return false;
    }
  }
  return true;
}

const DoubleByteRules kShiftJis = {{{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}}};
const DoubleByteRules kKsc5601 = {{{0x81, 0xFE}, {0, 0}}, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}};
const DoubleByteRules kGbk = {{{0x81, 0xFE}, {0, 0}}, {{0x40, 0x7E}, {0x80, 0xFE}, {0, 0}}};
const DoubleByteRules kBig5 = {{{0x81, 0xFE}, {0, 0}}, {{0x40, 0x7E}, {0xA1, 0xFE}, {0, 0}}};

}  // namespace

bool IsEnabledShiftJISRDBMSChars(const char* name) { return Check(name, kShiftJis); }
bool IsEnabledKSC5601RDBMSChars(const char* name) { return Check(name, kKsc5601); }
bool IsEnabledSimplifiedChineseRDBMSChars(const char* name) { return Check(name, kGbk); }
bool IsEnabledTraditionalChineseRDBMSChars(const char* name) { return Check(name, kBig5); }
