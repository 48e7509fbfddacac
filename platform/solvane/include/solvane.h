// solvane: Unicode strings of the maker's libraries (UCS-2 and UTF-8) and their conversions.
#pragma once
#include <stddef.h>
#include <string>

#ifdef SOLVANE_BUILD
#define SOLVANE_API __declspec(dllexport)
#else
#define SOLVANE_API __declspec(dllimport)
#endif

namespace solvane {
// Conversions between UTF-8 and UTF-16. Invalid input never fails: an ill-formed UTF-8
// sequence becomes U+FFFD, an unpaired surrogate becomes U+FFFD.
SOLVANE_API std::wstring Utf8ToUtf16(const char* s, size_t n);
SOLVANE_API std::wstring Utf8ToUtf16(const std::string& s);
SOLVANE_API std::string Utf16ToUtf8(const wchar_t* s, size_t n);
SOLVANE_API std::string Utf16ToUtf8(const std::wstring& s);
}  // namespace solvane

// A UCS-2 string. Its buffer is one of two static shared buffers (nil: the empty string;
// null: no string at all) or a buffer of its own. The text starts 4 bytes into the buffer;
// the first 4 bytes hold the length in characters.
class SOLVANE_API ucs2string {
 public:
  static char* NilBuffer();
  static char* NullBuffer();

  ucs2string() : m_buffer(NilBuffer()) {}
  ucs2string(const wchar_t* text) : m_buffer(NilBuffer()) { assign(text); }
  ucs2string(const ucs2string& other) : m_buffer(NilBuffer()) { assign(other); }
  ~ucs2string() {
    if (OwnsBuffer()) delete[] m_buffer;
  }
  ucs2string& operator=(const ucs2string& other) { return assign(other); }
  ucs2string& operator=(const wchar_t* text) { return assign(text); }

  // A null pointer makes the null string; anything else is copied.
  ucs2string& assign(const wchar_t* text);
  ucs2string& assign(const wchar_t* text, size_t length);
  ucs2string& assign(const ucs2string& other);
  static ucs2string FromUtf8(const char* utf8);

  bool OwnsBuffer() const { return m_buffer != NilBuffer() && m_buffer != NullBuffer(); }
  bool is_null() const { return m_buffer == NullBuffer(); }
  size_t length() const { return *reinterpret_cast<const unsigned*>(m_buffer); }
  const wchar_t* c_str() const { return reinterpret_cast<const wchar_t*>(m_buffer + 4); }
  operator const wchar_t*() const { return c_str(); }

 private:
  char* m_buffer;
};

// A UTF-8 string made from a wide string; c_str gives the UTF-8 bytes.
class SOLVANE_API qv_utf8string {
 public:
  qv_utf8string() = default;
  explicit qv_utf8string(const wchar_t* text);
  explicit qv_utf8string(const ucs2string& text);
  qv_utf8string(const char* utf8, bool /*alreadyUtf8*/) : m_text(utf8 ? utf8 : "") {}
  const char* c_str() const { return m_text.c_str(); }
  size_t length() const { return m_text.size(); }
  ucs2string to_ucs2() const { return ucs2string::FromUtf8(m_text.c_str()); }

 private:
  std::string m_text;
};
