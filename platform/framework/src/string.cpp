// Character-set primitives behind CStringT.
#include "fw_string.h"

#include <ctype.h>
#include <locale.h>
#include <mbstring.h>
#include <stdio.h>
#include <type_traits>
#include <wchar.h>
#include <wctype.h>

namespace {

// Multi-byte characters: a lead byte of the ANSI code page and its trail byte are one
// character; the other units stand alone.
inline int Units(const char* s, int left) {
  return (left > 1 && IsDBCSLeadByte(static_cast<BYTE>(*s))) ? 2 : 1;
}
inline int Units(const wchar_t*, int) { return 1; }

template <typename C>
bool SameChar(const C* a, int na, const C* b, int nb) {
  return na == nb && memcmp(a, b, na * sizeof(C)) == 0;
}

template <typename C>
bool InSet(const C* p, int n, const C* set) {
  int setLen = fwstr::Length(set);
  for (int j = 0; j < setLen;) {
    int m = Units(set + j, setLen - j);
    if (SameChar(p, n, set + j, m)) return true;
    j += m;
  }
  return false;
}

template <typename C>
int FindCharT(const C* s, int len, int start, unsigned ch) {
  for (int i = start; i < len;) {
    int n = Units(s + i, len - i);
    if (n == 1 && static_cast<unsigned>(static_cast<typename std::make_unsigned<C>::type>(s[i])) == ch) return i;
    i += n;
  }
  return -1;
}

template <typename C>
int FindStringT(const C* s, int len, int start, const C* sub) {
  int m = fwstr::Length(sub);
  if (m == 0) return start <= len ? start : -1;
  for (int i = start; i + m <= len;) {
    if (memcmp(s + i, sub, m * sizeof(C)) == 0) return i;
    i += Units(s + i, len - i);
  }
  return -1;
}

template <typename C>
int ReverseFindCharT(const C* s, int len, unsigned ch) {
  int last = -1;
  for (int i = 0; (i = FindCharT(s, len, i, ch)) >= 0; ++i) last = i;
  return last;
}

template <typename C>
int FindOneOfT(const C* s, int len, const C* set) {
  for (int i = 0; i < len;) {
    int n = Units(s + i, len - i);
    if (InSet(s + i, n, set)) return i;
    i += n;
  }
  return -1;
}

template <typename C>
int SpanT(const C* s, int len, const C* set, bool bIn) {
  int i = 0;
  while (i < len) {
    int n = Units(s + i, len - i);
    if (InSet(s + i, n, set) != bIn) break;
    i += n;
  }
  return i;
}

}  // namespace

namespace fwstr {

void* AllocBuffer(size_t nBytes) {
  void* p = malloc(nBytes);
  if (p == NULL) AfxThrowMemoryException();
  return p;
}
__attribute__((noinline)) void FreeBuffer(void* p) noexcept { free(p); }

int Length(const char* s) { return s ? static_cast<int>(strlen(s)) : 0; }
int Length(const wchar_t* s) { return s ? static_cast<int>(wcslen(s)) : 0; }
int Compare(const char* a, const char* b) { return strcmp(a, b); }
int Compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
int CompareNoCase(const char* a, const char* b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}
int CompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
int Collate(const char* a, const char* b) {
  return _mbscoll(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}
int Collate(const wchar_t* a, const wchar_t* b) { return wcscoll(a, b); }
int CollateNoCase(const char* a, const char* b) {
  return _mbsicoll(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}
int CollateNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicoll(a, b); }

int FindChar(const char* s, int len, int start, unsigned ch) { return FindCharT(s, len, start, ch); }
int FindChar(const wchar_t* s, int len, int start, unsigned ch) { return FindCharT(s, len, start, ch); }
int FindString(const char* s, int len, int start, const char* sub) { return FindStringT(s, len, start, sub); }
int FindString(const wchar_t* s, int len, int start, const wchar_t* sub) { return FindStringT(s, len, start, sub); }
int ReverseFindChar(const char* s, int len, unsigned ch) { return ReverseFindCharT(s, len, ch); }
int ReverseFindChar(const wchar_t* s, int len, unsigned ch) { return ReverseFindCharT(s, len, ch); }
int FindOneOf(const char* s, int len, const char* set) { return FindOneOfT(s, len, set); }
int FindOneOf(const wchar_t* s, int len, const wchar_t* set) { return FindOneOfT(s, len, set); }
int Span(const char* s, int len, const char* set, bool bIn) { return SpanT(s, len, set, bIn); }
int Span(const wchar_t* s, int len, const wchar_t* set, bool bIn) { return SpanT(s, len, set, bIn); }
int CharSize(const char* s) { return (s[0] && s[1] && IsDBCSLeadByte(static_cast<BYTE>(s[0]))) ? 2 : 1; }
int CharSize(const wchar_t*) { return 1; }
bool IsSpace(const char* s) { return CharSize(s) == 1 && isspace(static_cast<unsigned char>(*s)); }
bool IsSpace(const wchar_t* s) { return iswspace(*s) != 0; }

void Upper(char* s, int len) { CharUpperBuffA(s, static_cast<DWORD>(len)); }
void Upper(wchar_t* s, int len) { CharUpperBuffW(s, static_cast<DWORD>(len)); }
void Lower(char* s, int len) { CharLowerBuffA(s, static_cast<DWORD>(len)); }
void Lower(wchar_t* s, int len) { CharLowerBuffW(s, static_cast<DWORD>(len)); }

void Reverse(wchar_t* s, int len) {
  for (int i = 0, j = len - 1; i < j; ++i, --j) {
    wchar_t t = s[i];
    s[i] = s[j];
    s[j] = t;
  }
}

// Reverses the characters, keeping each lead byte before its trail byte.
void Reverse(char* s, int len) {
  CStringA copy(s, len);
  const char* src = copy.GetString();
  for (int i = 0; i < len;) {
    int n = Units(src + i, len - i);
    memcpy(s + len - i - n, src + i, n);
    i += n;
  }
}

int FormatLength(const char* fmt, va_list args) { return _vscprintf(fmt, args); }
int FormatLength(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }
void FormatInto(char* buf, int cap, const char* fmt, va_list args) {
  _vsnprintf(buf, static_cast<size_t>(cap), fmt, args);
  buf[cap - 1] = 0;
}
void FormatInto(wchar_t* buf, int cap, const wchar_t* fmt, va_list args) {
  _vsnwprintf(buf, static_cast<size_t>(cap), fmt, args);
  buf[cap - 1] = 0;
}

int Convert(char* dst, int cap, const wchar_t* src, int len) {
  return WideCharToMultiByte(CP_ACP, 0, src, len, dst, dst ? cap : 0, NULL, NULL);
}
int Convert(wchar_t* dst, int cap, const char* src, int len) {
  return MultiByteToWideChar(CP_ACP, 0, src, len, dst, dst ? cap : 0);
}

int FindStringResource(HINSTANCE h, UINT id, const wchar_t** ppText) {
  *ppText = NULL;
  // A zero buffer size returns a read-only pointer to the text in the resource.
  int n = LoadStringW(h, id, reinterpret_cast<LPWSTR>(ppText), 0);
  return (n > 0 && *ppText) ? n : 0;
}

int FormatMessageText(const char* fmt, va_list* args, char** out) {
  *out = NULL;
  if (fmt == NULL) return 0;
  return static_cast<int>(FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt, 0, 0,
                                         reinterpret_cast<LPSTR>(out), 0, args));
}
int FormatMessageText(const wchar_t* fmt, va_list* args, wchar_t** out) {
  *out = NULL;
  if (fmt == NULL) return 0;
  return static_cast<int>(FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt, 0, 0,
                                         reinterpret_cast<LPWSTR>(out), 0, args));
}

}  // namespace fwstr
