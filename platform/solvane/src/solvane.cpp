#include "solvane.h"

#include <string.h>
#include <wchar.h>

namespace {
// Header (length 0) followed by an empty text.
alignas(4) char s_nil[8] = {0};
alignas(4) char s_null[8] = {0};
}  // namespace

namespace solvane {

std::wstring Utf8ToUtf16(const char* s, size_t n) {
  std::wstring out;
  out.reserve(n);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  size_t i = 0;
  while (i < n) {
    unsigned c = p[i];
    unsigned cp;
    size_t len;
    if (c < 0x80) { cp = c; len = 1; }
    else if (c >= 0xC2 && c <= 0xDF) { cp = c & 0x1F; len = 2; }
    else if (c >= 0xE0 && c <= 0xEF) { cp = c & 0x0F; len = 3; }
    else if (c >= 0xF0 && c <= 0xF4) { cp = c & 0x07; len = 4; }
    else { out.push_back(0xFFFD); ++i; continue; }
    if (i + len > n) { out.push_back(0xFFFD); ++i; continue; }
    bool ok = true;
    for (size_t k = 1; k < len; ++k) {
      unsigned cc = p[i + k];
      if ((cc & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are ill-formed.
    if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
               (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
      ok = false;
    if (!ok) { out.push_back(0xFFFD); ++i; continue; }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
    i += len;
  }
  return out;
}

std::wstring Utf8ToUtf16(const std::string& s) { return Utf8ToUtf16(s.data(), s.size()); }

std::string Utf16ToUtf8(const wchar_t* s, size_t n) {
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    unsigned cp = static_cast<unsigned short>(s[i]);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n) {
      unsigned lo = static_cast<unsigned short>(s[i + 1]);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
        ++i;
      } else {
        cp = 0xFFFD;
      }
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::wstring& s) { return Utf16ToUtf8(s.data(), s.size()); }

}  // namespace solvane

char* ucs2string::NilBuffer() { return s_nil; }
char* ucs2string::NullBuffer() { return s_null; }

ucs2string& ucs2string::assign(const wchar_t* text) {
  if (text == nullptr) {
    if (OwnsBuffer()) delete[] m_buffer;
    m_buffer = NullBuffer();
    return *this;
  }
  return assign(text, wcslen(text));
}

ucs2string& ucs2string::assign(const wchar_t* text, size_t length) {
  char* old = m_buffer;
  if (length == 0) {
    m_buffer = NilBuffer();
  } else {
    // Copy before freeing: the text may live in our own buffer.
    char* buf = new char[4 + (length + 1) * sizeof(wchar_t)];
    *reinterpret_cast<unsigned*>(buf) = static_cast<unsigned>(length);
    memcpy(buf + 4, text, length * sizeof(wchar_t));
    reinterpret_cast<wchar_t*>(buf + 4)[length] = 0;
    m_buffer = buf;
  }
  if (old != NilBuffer() && old != NullBuffer()) delete[] old;
  return *this;
}

ucs2string& ucs2string::assign(const ucs2string& other) {
  if (&other == this) return *this;
  if (other.is_null()) return assign(static_cast<const wchar_t*>(nullptr));
  return assign(other.c_str(), other.length());
}

ucs2string ucs2string::FromUtf8(const char* utf8) {
  ucs2string s;
  if (utf8 == nullptr) {
    s.assign(static_cast<const wchar_t*>(nullptr));
  } else {
    std::wstring w = solvane::Utf8ToUtf16(utf8, strlen(utf8));
    s.assign(w.data(), w.size());
  }
  return s;
}

qv_utf8string::qv_utf8string(const wchar_t* text)
    : m_text(text ? solvane::Utf16ToUtf8(text, wcslen(text)) : std::string()) {}

qv_utf8string::qv_utf8string(const ucs2string& text)
    : m_text(solvane::Utf16ToUtf8(text.c_str(), text.length())) {}
