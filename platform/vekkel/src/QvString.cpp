#include "QvString.h"

#include <windows.h>
#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <solvane.h>
#include <tamrick.h>

namespace {

// Length of the well-formed UTF-8 sequence at p (at most avail bytes), 0 when ill-formed.
size_t SequenceLength(const unsigned char* p, size_t avail) {
  unsigned char c = p[0];
  if (c < 0x80) return 1;
  size_t n;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (avail < n) return 0;
  if (p[1] < lo || p[1] > hi) return 0;
  for (size_t i = 2; i < n; ++i)
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCaseAscii(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// Maps each well-formed character through CharUpperBuffW or CharLowerBuffW; ill-formed
// bytes are kept as they are.
std::string MapCase(const std::string& in, bool upper) {
  std::string out;
  out.reserve(in.size());
  const unsigned char* p = reinterpret_cast<const unsigned char*>(in.data());
  size_t i = 0, n = in.size();
  while (i < n) {
    size_t len = SequenceLength(p + i, n - i);
    if (len == 1) {
      char c = static_cast<char>(p[i]);
      if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (!upper) c = AsciiLower(c);
      out += c;
      ++i;
    } else if (len == 0) {
      out += static_cast<char>(p[i]);
      ++i;
    } else {
      std::wstring w = solvane::Utf8ToUtf16(reinterpret_cast<const char*>(p + i), len);
      if (upper)
        CharUpperBuffW(&w[0], static_cast<DWORD>(w.size()));
      else
        CharLowerBuffW(&w[0], static_cast<DWORD>(w.size()));
      out += solvane::Utf16ToUtf8(w);
      i += len;
    }
  }
  return out;
}

// Splits a set of characters given as UTF-8 into its characters (ill-formed bytes alone).
std::string NextChar(const char* s, size_t n, size_t i) {
  size_t len = SequenceLength(reinterpret_cast<const unsigned char*>(s) + i, n - i);
  return std::string(s + i, len ? len : 1);
}

[[noreturn]] void ThrowOutOfRange() {
  throw QvException(QvException::IndexOutOfRange, "QvString index out of range");
}

// The digits of a number start at s (blanks skipped) when the text has no embedded zero.
const char* NumberStart(const std::string& text) {
  if (text.find('\0') != std::string::npos) return nullptr;
  const char* s = text.c_str();
  while (IsBlank(*s)) ++s;
  return *s ? s : nullptr;
}

bool ParseTail(const char* end) {
  while (IsBlank(*end)) ++end;
  return *end == 0;
}

}  // namespace

QvString::QvString(const char* utf8) {
  if (utf8) m_text = utf8;
}
QvString::QvString(const char* utf8, size_t length) {
  if (utf8) m_text.assign(utf8, length);
}
QvString::QvString(const wchar_t* text) {
  if (text) m_text = solvane::Utf16ToUtf8(text, wcslen(text));
}
QvString::QvString(const wchar_t* text, size_t length) {
  if (text) m_text = solvane::Utf16ToUtf8(text, length);
}
QvString::QvString(char c, size_t count) : m_text(count, c) {}
QvString::QvString(int n) { SetNumber(static_cast<long>(n)); }
QvString::QvString(unsigned int n) { SetNumber(static_cast<unsigned long>(n)); }
QvString::QvString(long n) { SetNumber(n); }
QvString::QvString(unsigned long n) { SetNumber(n); }
QvString::QvString(double n) { SetNumber(n); }

QvString& QvString::operator=(const char* utf8) {
  if (utf8)
    m_text = utf8;  // std::string copes with a pointer into its own buffer
  else
    m_text.clear();
  return *this;
}
QvString& QvString::operator=(const wchar_t* text) {
  if (text)
    m_text = solvane::Utf16ToUtf8(text, wcslen(text));
  else
    m_text.clear();
  return *this;
}

void QvString::CheckIndex(size_t index, size_t limit) const {
  if (index > limit) ThrowOutOfRange();
}

size_t QvString::GetCharCount() const {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(m_text.data());
  size_t n = m_text.size(), count = 0;
  for (size_t i = 0; i < n; ++count) {
    size_t len = SequenceLength(p + i, n - i);
    i += len ? len : 1;
  }
  return count;
}

char QvString::GetAt(size_t index) const {
  if (index >= m_text.size()) ThrowOutOfRange();
  return m_text[index];
}

void QvString::SetAt(size_t index, char c) {
  if (index >= m_text.size()) ThrowOutOfRange();
  m_text[index] = c;
}

std::wstring QvString::ToWide() const { return solvane::Utf8ToUtf16(m_text); }

QvString QvString::Mid(size_t start) const {
  CheckIndex(start, m_text.size());
  return QvString(m_text.substr(start));
}
QvString QvString::Mid(size_t start, size_t count) const {
  CheckIndex(start, m_text.size());
  return QvString(m_text.substr(start, count));
}
QvString QvString::Left(size_t count) const { return QvString(m_text.substr(0, count)); }
QvString QvString::Right(size_t count) const {
  if (count >= m_text.size()) return *this;
  return QvString(m_text.substr(m_text.size() - count));
}

long QvString::Find(char c, size_t start) const {
  CheckIndex(start, m_text.size());
  size_t pos = m_text.find(c, start);
  return pos == std::string::npos ? -1 : static_cast<long>(pos);
}
long QvString::Find(const char* text, size_t start) const {
  CheckIndex(start, m_text.size());
  if (!text) return -1;
  size_t pos = m_text.find(text, start);
  return pos == std::string::npos ? -1 : static_cast<long>(pos);
}
long QvString::FindNoCase(const char* text, size_t start) const {
  CheckIndex(start, m_text.size());
  if (!text) return -1;
  size_t n = strlen(text);
  if (n > m_text.size()) return -1;
  for (size_t i = start; i + n <= m_text.size(); ++i)
    if (EqualNoCaseAscii(m_text.data() + i, text, n)) return static_cast<long>(i);
  return -1;
}
long QvString::FindOneOf(const char* chars, size_t start) const {
  CheckIndex(start, m_text.size());
  if (!chars || !*chars) return -1;
  size_t pos = m_text.find_first_of(chars, start);
  return pos == std::string::npos ? -1 : static_cast<long>(pos);
}
long QvString::ReverseFind(char c) const {
  size_t pos = m_text.rfind(c);
  return pos == std::string::npos ? -1 : static_cast<long>(pos);
}
bool QvString::StartsWith(const char* text, bool ignoreCase) const {
  if (!text) return true;
  size_t n = strlen(text);
  if (n > m_text.size()) return false;
  return ignoreCase ? EqualNoCaseAscii(m_text.data(), text, n) : m_text.compare(0, n, text) == 0;
}
bool QvString::EndsWith(const char* text, bool ignoreCase) const {
  if (!text) return true;
  size_t n = strlen(text);
  if (n > m_text.size()) return false;
  const char* tail = m_text.data() + m_text.size() - n;
  return ignoreCase ? EqualNoCaseAscii(tail, text, n) : memcmp(tail, text, n) == 0;
}

int QvString::Compare(const char* other) const {
  int r = m_text.compare(other ? other : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int QvString::CompareNoCase(const char* other) const {
  std::wstring a = ToWide();
  std::wstring b = solvane::Utf8ToUtf16(other ? other : "");
  int r = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE);
  return r == 0 ? Compare(other) : r - CSTR_EQUAL;
}

int QvString::CompareAlphaUI(const QvString& other) const {
  std::wstring a = ToWide();
  std::wstring b = other.ToWide();
  int r = CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                         static_cast<int>(b.size()));
  if (r != 0 && r != CSTR_EQUAL) return r - CSTR_EQUAL;
  // The locale sees them as equal (or cannot compare): only identical texts answer 0.
  return Compare(other.c_str());
}

void QvString::SetNumber(int n) { SetNumber(static_cast<long>(n)); }
void QvString::SetNumber(long n) {
  char buf[32];
  snprintf(buf, sizeof buf, "%ld", n);
  m_text = buf;
}
void QvString::SetNumber(unsigned long n) {
  char buf[32];
  snprintf(buf, sizeof buf, "%lu", n);
  m_text = buf;
}
void QvString::SetNumber(double n, int decimals) {
  char buf[512];
  if (decimals < 0)
    snprintf(buf, sizeof buf, "%.15g", n);
  else
    snprintf(buf, sizeof buf, "%.*f", decimals > 100 ? 100 : decimals, n);
  m_text = buf;
}

bool QvString::GetNumber(long& n) const {
  n = 0;
  const char* s = NumberStart(m_text);
  if (!s) return false;
  char* end = nullptr;
  errno = 0;
  long v = strtol(s, &end, 10);
  if (end == s || errno == ERANGE || !ParseTail(end)) return false;
  n = v;
  return true;
}
bool QvString::GetNumber(unsigned long& n) const {
  n = 0;
  const char* s = NumberStart(m_text);
  if (!s || *s == '-') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long v = strtoul(s, &end, 10);
  if (end == s || errno == ERANGE || !ParseTail(end)) return false;
  n = v;
  return true;
}
bool QvString::GetNumber(double& n) const {
  n = 0;
  const char* s = NumberStart(m_text);
  if (!s) return false;
  char* end = nullptr;
  errno = 0;
  double v = strtod(s, &end);
  if (end == s || errno == ERANGE || !ParseTail(end) || !isfinite(v)) return false;
  n = v;
  return true;
}

void QvString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void QvString::AppendFormat(const char* format, ...) {
  QvString tail;
  va_list args;
  va_start(args, format);
  tail.FormatV(format, args);
  va_end(args);
  m_text += tail.m_text;
}

void QvString::FormatV(const char* format, va_list args) {
  if (!format) {
    m_text.clear();
    return;
  }
  char small[256];
  va_list copy;
  va_copy(copy, args);
  int n = vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) {
    m_text.clear();
    return;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    m_text.assign(small, static_cast<size_t>(n));
    return;
  }
  std::string big(static_cast<size_t>(n) + 1, '\0');
  vsnprintf(&big[0], big.size(), format, args);
  big.resize(static_cast<size_t>(n));
  m_text.swap(big);
}

QvString& QvString::Append(const char* text, size_t length) {
  if (text) m_text.append(text, length);
  return *this;
}
QvString& QvString::operator+=(const QvString& text) {
  m_text += text.m_text;
  return *this;
}
QvString& QvString::operator+=(const char* text) {
  if (text) m_text += text;
  return *this;
}
QvString& QvString::operator+=(char c) {
  m_text += c;
  return *this;
}

void QvString::Insert(size_t index, const char* text) {
  CheckIndex(index, m_text.size());
  if (text) m_text.insert(index, text);
}
void QvString::Delete(size_t index, size_t count) {
  CheckIndex(index, m_text.size());
  m_text.erase(index, count);
}

size_t QvString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  if (!to) to = "";
  size_t fromLen = strlen(from), toLen = strlen(to), count = 0;
  std::string out;
  size_t pos = 0, hit;
  while ((hit = m_text.find(from, pos, fromLen)) != std::string::npos) {
    out.append(m_text, pos, hit - pos);
    out.append(to, toLen);
    pos = hit + fromLen;
    ++count;
  }
  if (count) {
    out.append(m_text, pos, std::string::npos);
    m_text.swap(out);
  }
  return count;
}

size_t QvString::Remove(char c) {
  size_t before = m_text.size();
  std::string out;
  out.reserve(before);
  for (char x : m_text)
    if (x != c) out += x;
  m_text.swap(out);
  return before - m_text.size();
}

void QvString::MakeUpper() { m_text = MapCase(m_text, true); }
void QvString::MakeLower() { m_text = MapCase(m_text, false); }

void QvString::TrimLeft() {
  size_t i = 0;
  while (i < m_text.size() && IsBlank(m_text[i])) ++i;
  m_text.erase(0, i);
}
void QvString::TrimRight() {
  size_t n = m_text.size();
  while (n > 0 && IsBlank(m_text[n - 1])) --n;
  m_text.resize(n);
}
void QvString::Trim() {
  TrimRight();
  TrimLeft();
}

void QvString::TrimLeft(const char* chars) {
  if (!chars) return;
  size_t setLen = strlen(chars), i = 0;
  for (bool again = true; again && i < m_text.size();) {
    again = false;
    for (size_t k = 0; k < setLen;) {
      std::string c = NextChar(chars, setLen, k);
      k += c.size();
      if (m_text.compare(i, c.size(), c) == 0) {
        i += c.size();
        again = true;
        break;
      }
    }
  }
  m_text.erase(0, i);
}
void QvString::TrimRight(const char* chars) {
  if (!chars) return;
  size_t setLen = strlen(chars), n = m_text.size();
  for (bool again = true; again && n > 0;) {
    again = false;
    for (size_t k = 0; k < setLen;) {
      std::string c = NextChar(chars, setLen, k);
      k += c.size();
      if (c.size() <= n && m_text.compare(n - c.size(), c.size(), c) == 0) {
        n -= c.size();
        again = true;
        break;
      }
    }
  }
  m_text.resize(n);
}

size_t QvString::Hash() const {
  size_t h = static_cast<size_t>(2166136261u);
  for (unsigned char c : m_text) h = (h ^ c) * static_cast<size_t>(16777619u);
  return h;
}

QvString operator+(const QvString& a, const QvString& b) {
  QvString r(a);
  r += b;
  return r;
}
QvString operator+(const QvString& a, const char* b) {
  QvString r(a);
  r += b;
  return r;
}
QvString operator+(const char* a, const QvString& b) {
  QvString r(a);
  r += b;
  return r;
}
QvString operator+(const QvString& a, char b) {
  QvString r(a);
  r += b;
  return r;
}
