// QvString: the text type of the maker's libraries.
//
// The text is UTF-8. Positions and lengths count bytes of that text; GetCharCount counts
// characters. Bytes that are not well-formed UTF-8 are kept as given: they are never lost
// and never make an operation fail; conversions to UTF-16 show each of them as U+FFFD.
// A position outside the text throws QvException(QvException::IndexOutOfRange); a count
// that runs past the end is cut at the end.
#pragma once
#include <stdarg.h>
#include <stddef.h>

#include <string>
#include <utility>

#include "vekkel_api.h"

class VEKKEL_API QvString {
 public:
  QvString() = default;
  QvString(const char* utf8);  // null gives the empty text
  QvString(const char* utf8, size_t length);
  QvString(const wchar_t* text);  // UTF-16; null gives the empty text
  QvString(const wchar_t* text, size_t length);
  QvString(char c, size_t count);
  explicit QvString(const std::string& utf8) : m_text(utf8) {}
  explicit QvString(std::string&& utf8) noexcept : m_text(std::move(utf8)) {}
  // Decimal text of a number.
  explicit QvString(int n);
  explicit QvString(unsigned int n);
  explicit QvString(long n);
  explicit QvString(unsigned long n);
  explicit QvString(double n);
  QvString(const QvString&) = default;
  QvString(QvString&&) noexcept = default;
  QvString& operator=(const QvString&) = default;
  QvString& operator=(QvString&&) noexcept = default;
  QvString& operator=(const char* utf8);
  QvString& operator=(const wchar_t* text);
  ~QvString() = default;

  // Size and access.
  size_t GetLength() const { return m_text.size(); }
  size_t GetCharCount() const;  // characters; each ill-formed byte counts as one
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  const char* c_str() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }
  // Moves the UTF-8 bytes out (their storage with them), leaving the text empty: a reader
  // fills them again without allocating anew.
  std::string TakeUtf8() noexcept {
    std::string out(std::move(m_text));
    m_text.clear();
    return out;
  }
  char GetAt(size_t index) const;  // throws past the last byte
  void SetAt(size_t index, char c);
  char operator[](size_t index) const { return GetAt(index); }
  // An int index would otherwise tie with the built-in subscript of the const char* conversion
  // where ptrdiff_t is int (32-bit targets); a negative index throws like any index past the end.
  char operator[](int index) const { return GetAt(static_cast<size_t>(index)); }
  std::wstring ToWide() const;  // UTF-16

  // Substrings (start may equal the length: the result is then empty).
  QvString Mid(size_t start) const;
  QvString Mid(size_t start, size_t count) const;
  QvString Left(size_t count) const;
  QvString Right(size_t count) const;

  // Search: the byte position of the first match at or after start, or -1.
  long Find(char c, size_t start = 0) const;
  long Find(const char* text, size_t start = 0) const;
  long FindNoCase(const char* text, size_t start = 0) const;  // ASCII letters fold
  long FindOneOf(const char* chars, size_t start = 0) const;
  long ReverseFind(char c) const;
  bool StartsWith(const char* text, bool ignoreCase = false) const;
  bool EndsWith(const char* text, bool ignoreCase = false) const;

  // Comparison: negative, zero or positive.
  int Compare(const char* other) const;  // byte order
  int CompareNoCase(const char* other) const;  // Unicode case-insensitive
  // The order users expect (user locale, case-sensitive). Zero only for identical texts,
  // so that a non-zero answer reliably means "the text changed".
  int CompareAlphaUI(const QvString& other) const;
  static int CompareAlphaUI(const QvString& a, const QvString& b) { return a.CompareAlphaUI(b); }

  // Numbers.
  void SetNumber(int n);
  void SetNumber(long n);
  void SetNumber(unsigned long n);
  void SetNumber(double n, int decimals = -1);  // -1: shortest exact-looking form
  // The whole text (blanks around it allowed) read as a decimal number. False, and n = 0,
  // when it is not one or does not fit.
  bool GetNumber(long& n) const;
  bool GetNumber(unsigned long& n) const;
  bool GetNumber(double& n) const;

  // Formatting, printf style; %s takes UTF-8 text.
  void Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
  void AppendFormat(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
  void FormatV(const char* format, va_list args) __attribute__((format(gnu_printf, 2, 0)));

  // Editing.
  QvString& Append(const char* text, size_t length);
  QvString& operator+=(const QvString& text);
  QvString& operator+=(const char* text);
  QvString& operator+=(char c);
  void Insert(size_t index, const char* text);
  void Delete(size_t index, size_t count = 1);
  size_t Replace(const char* from, const char* to);  // every occurrence; answers how many
  size_t Remove(char c);
  void MakeUpper();
  void MakeLower();
  void TrimLeft();  // blanks: space, tab, carriage return, line feed
  void TrimRight();
  void Trim();
  void TrimLeft(const char* chars);
  void TrimRight(const char* chars);

  size_t Hash() const;

 private:
  void CheckIndex(size_t index, size_t limit) const;
  std::string m_text;
};

VEKKEL_API QvString operator+(const QvString& a, const QvString& b);
VEKKEL_API QvString operator+(const QvString& a, const char* b);
VEKKEL_API QvString operator+(const char* a, const QvString& b);
VEKKEL_API QvString operator+(const QvString& a, char b);  // not pointer arithmetic
inline bool operator==(const QvString& a, const QvString& b) { return a.str() == b.str(); }
inline bool operator!=(const QvString& a, const QvString& b) { return !(a == b); }
inline bool operator==(const QvString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator!=(const QvString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator==(const char* a, const QvString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const char* a, const QvString& b) { return b.Compare(a) != 0; }
inline bool operator<(const QvString& a, const QvString& b) { return a.str() < b.str(); }
inline bool operator>(const QvString& a, const QvString& b) { return b < a; }
inline bool operator<=(const QvString& a, const QvString& b) { return !(b < a); }
inline bool operator>=(const QvString& a, const QvString& b) { return !(a < b); }
