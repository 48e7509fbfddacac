// CString in both character sets: CStringA (char, multi-byte), CStringW (wchar_t) and
// CString, the TCHAR form of the build.
#pragma once
#include "fw_defs.h"

#include <oleauto.h>
#include <limits.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <new>
#include <type_traits>
#include <utility>

// Thrown on an index out of range and on out-of-memory (defined with the exceptions).
[[noreturn]] FW_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] FW_API void AFXAPI AfxThrowMemoryException();
FW_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// String buffers come from the framework's heap whichever module frees them. AllocBuffer
// throws CMemoryException when out of memory.
namespace fwstr {
FW_API void* AllocBuffer(size_t nBytes);
FW_API void FreeBuffer(void* p) noexcept;
}  // namespace fwstr

// Character-set primitives behind CStringT. The char forms honour multi-byte lead bytes of
// the current code page, so a trail byte is never taken for a character of its own.
namespace fwstr {
FW_API int Length(const char* s);
FW_API int Length(const wchar_t* s);
FW_API int Compare(const char* a, const char* b);
FW_API int Compare(const wchar_t* a, const wchar_t* b);
FW_API int CompareNoCase(const char* a, const char* b);
FW_API int CompareNoCase(const wchar_t* a, const wchar_t* b);
FW_API int Collate(const char* a, const char* b);
FW_API int Collate(const wchar_t* a, const wchar_t* b);
FW_API int CollateNoCase(const char* a, const char* b);
FW_API int CollateNoCase(const wchar_t* a, const wchar_t* b);
// Offsets, or -1 when not found.
FW_API int FindChar(const char* s, int len, int start, unsigned ch);
FW_API int FindChar(const wchar_t* s, int len, int start, unsigned ch);
FW_API int FindString(const char* s, int len, int start, const char* sub);
FW_API int FindString(const wchar_t* s, int len, int start, const wchar_t* sub);
FW_API int ReverseFindChar(const char* s, int len, unsigned ch);
FW_API int ReverseFindChar(const wchar_t* s, int len, unsigned ch);
FW_API int FindOneOf(const char* s, int len, const char* set);
FW_API int FindOneOf(const wchar_t* s, int len, const wchar_t* set);
// Length of the leading run of characters in (bIn) or not in (!bIn) the set.
FW_API int Span(const char* s, int len, const char* set, bool bIn);
FW_API int Span(const wchar_t* s, int len, const wchar_t* set, bool bIn);
// Number of units of the character that starts at s (1, or 2 for a lead byte).
FW_API int CharSize(const char* s);
FW_API int CharSize(const wchar_t* s);
FW_API bool IsSpace(const char* s);
FW_API bool IsSpace(const wchar_t* s);
FW_API void Upper(char* s, int len);
FW_API void Upper(wchar_t* s, int len);
FW_API void Lower(char* s, int len);
FW_API void Lower(wchar_t* s, int len);
FW_API void Reverse(char* s, int len);
FW_API void Reverse(wchar_t* s, int len);
// Length of the formatted text, -1 on a bad format; then the text into buf (cap > length).
FW_API int FormatLength(const char* fmt, va_list args);
FW_API int FormatLength(const wchar_t* fmt, va_list args);
FW_API void FormatInto(char* buf, int cap, const char* fmt, va_list args);
FW_API void FormatInto(wchar_t* buf, int cap, const wchar_t* fmt, va_list args);
// Conversion between the character sets (current ANSI code page); returns units written,
// or the units needed when dst is NULL.
FW_API int Convert(char* dst, int cap, const wchar_t* src, int len);
FW_API int Convert(wchar_t* dst, int cap, const char* src, int len);
// The string resource id of module h, in place in the resource; 0 when it does not exist.
FW_API int FindStringResource(HINSTANCE h, UINT id, const wchar_t** ppText);
// FormatMessage of a format string with %1.. inserts into a LocalAlloc buffer (*out, NULL on
// failure); returns its length.
FW_API int FormatMessageText(const char* fmt, va_list* args, char** out);
FW_API int FormatMessageText(const wchar_t* fmt, va_list* args, wchar_t** out);
}  // namespace fwstr

// The header before each buffer (and the shared empty buffer) defeats GCC's object-size
// tracking after inlining; its bounds warnings on this class are false alarms.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#pragma GCC diagnostic ignored "-Wstringop-overread"

template <typename XCHAR>
class CStringT {
 public:
  typedef XCHAR XCHAR_T;
  typedef XCHAR* PXSTR;
  typedef const XCHAR* PCXSTR;
  typedef typename std::conditional<sizeof(XCHAR) == 1, wchar_t, char>::type YCHAR;
  typedef const YCHAR* PCYSTR;

  CStringT() noexcept : m_pszData(Nil()) {}
  CStringT(const CStringT& s) : m_pszData(Nil()) { SetString(s.m_pszData, s.GetLength()); }
  CStringT(CStringT&& s) noexcept : m_pszData(s.m_pszData) { s.m_pszData = Nil(); }
  CStringT(PCXSTR psz) : m_pszData(Nil()) { AssignOrLoad(psz); }
  CStringT(PCXSTR pch, int nLength) : m_pszData(Nil()) { SetString(pch, nLength); }
  CStringT(PCYSTR psz) : m_pszData(Nil()) { AssignOrLoad(psz); }
  CStringT(PCYSTR pch, int nLength) : m_pszData(Nil()) { AssignOther(pch, nLength); }
  CStringT(const CStringT<YCHAR>& s) : m_pszData(Nil()) { AssignOther(s.GetString(), s.GetLength()); }
  CStringT(const unsigned char* psz) : m_pszData(Nil()) { AssignOrLoad(reinterpret_cast<const char*>(psz)); }
  explicit CStringT(XCHAR ch, int nRepeat = 1) : m_pszData(Nil()) {
    if (nRepeat > 0) {
      XCHAR* p = GetBuffer(nRepeat);
      for (int i = 0; i < nRepeat; ++i) p[i] = ch;
      ReleaseBuffer(nRepeat);
    }
  }
  ~CStringT() { Free(m_pszData); }

  CStringT& operator=(const CStringT& s) {
    if (this != &s) SetString(s.m_pszData, s.GetLength());
    return *this;
  }
  CStringT& operator=(CStringT&& s) noexcept {
    if (this != &s) std::swap(m_pszData, s.m_pszData);
    return *this;
  }
  CStringT& operator=(PCXSTR psz) {
    SetString(psz);
    return *this;
  }
  CStringT& operator=(PCYSTR psz) {
    AssignOther(psz, psz ? fwstr::Length(psz) : 0);
    return *this;
  }
  CStringT& operator=(const CStringT<YCHAR>& s) {
    AssignOther(s.GetString(), s.GetLength());
    return *this;
  }
  CStringT& operator=(const unsigned char* psz) { return operator=(reinterpret_cast<const char*>(psz)); }
  CStringT& operator=(XCHAR ch) {
    SetString(&ch, 1);
    return *this;
  }

  CStringT& operator+=(const CStringT& s) {
    Append(s.m_pszData, s.GetLength());
    return *this;
  }
  CStringT& operator+=(PCXSTR psz) {
    Append(psz);
    return *this;
  }
  CStringT& operator+=(PCYSTR psz) { return operator+=(CStringT(psz)); }
  CStringT& operator+=(const CStringT<YCHAR>& s) { return operator+=(CStringT(s)); }
  CStringT& operator+=(XCHAR ch) {
    AppendChar(ch);
    return *this;
  }

  // Access.
  int GetLength() const noexcept { return Header(m_pszData)->nDataLength; }
  int GetAllocLength() const noexcept { return Header(m_pszData)->nAllocLength; }
  bool IsEmpty() const noexcept { return GetLength() == 0; }
  void Empty() {
    Free(m_pszData);
    m_pszData = Nil();
  }
  PCXSTR GetString() const noexcept { return m_pszData; }
  operator PCXSTR() const noexcept { return m_pszData; }
  XCHAR GetAt(int iChar) const {
    if (iChar < 0 || iChar >= GetLength()) AfxThrowInvalidArgException();
    return m_pszData[iChar];
  }
  XCHAR operator[](int iChar) const {
    // The terminating null may be read, as through the pointer.
    if (iChar < 0 || iChar > GetLength()) AfxThrowInvalidArgException();
    return m_pszData[iChar];
  }
  void SetAt(int iChar, XCHAR ch) {
    if (iChar < 0 || iChar >= GetLength()) AfxThrowInvalidArgException();
    Own(GetLength())[iChar] = ch;
  }

  void SetString(PCXSTR psz) { SetString(psz, psz ? fwstr::Length(psz) : 0); }
  void SetString(PCXSTR pch, int nLength) {
    if (nLength < 0) AfxThrowInvalidArgException();
    if (nLength == 0 || pch == NULL) {
      Truncate(0);
      return;
    }
    // pch may point into this string's own buffer.
    if (pch >= m_pszData && pch <= m_pszData + GetLength() && GetAllocLength() >= nLength) {
      memmove(m_pszData, pch, nLength * sizeof(XCHAR));
      SetLength(nLength);
      return;
    }
    XCHAR* fresh = Alloc(nLength);
    memcpy(fresh, pch, nLength * sizeof(XCHAR));
    fresh[nLength] = 0;
    Header(fresh)->nDataLength = nLength;
    Free(m_pszData);
    m_pszData = fresh;
  }
  void Append(PCXSTR psz) {
    if (psz) Append(psz, fwstr::Length(psz));
  }
  void Append(PCXSTR pch, int nLength) {
    if (nLength <= 0 || pch == NULL) return;
    int old = GetLength();
    // pch may point into this string; keep its offset across reallocation.
    INT_PTR offset = pch - m_pszData;
    bool inside = offset >= 0 && offset <= old;
    XCHAR* p = Own(old + nLength);
    if (inside) pch = p + offset;
    memmove(p + old, pch, nLength * sizeof(XCHAR));
    SetLength(old + nLength);
  }
  void Append(const CStringT& s) { Append(s.m_pszData, s.GetLength()); }
  void AppendChar(XCHAR ch) {
    int old = GetLength();
    Own(old + 1)[old] = ch;
    SetLength(old + 1);
  }

  // Comparison.
  int Compare(PCXSTR psz) const { return fwstr::Compare(m_pszData, Safe(psz)); }
  int CompareNoCase(PCXSTR psz) const { return fwstr::CompareNoCase(m_pszData, Safe(psz)); }
  int Collate(PCXSTR psz) const { return fwstr::Collate(m_pszData, Safe(psz)); }
  int CollateNoCase(PCXSTR psz) const { return fwstr::CollateNoCase(m_pszData, Safe(psz)); }

  // Extraction; counts and starts outside the string are clamped to it.
  CStringT Mid(int iFirst) const { return Mid(iFirst, GetLength() - (iFirst < 0 ? 0 : iFirst)); }
  CStringT Mid(int iFirst, int nCount) const {
    if (iFirst < 0) iFirst = 0;
    if (nCount < 0) nCount = 0;
    int len = GetLength();
    if (iFirst > len) iFirst = len;
    if (nCount > len - iFirst) nCount = len - iFirst;
    return CStringT(m_pszData + iFirst, nCount);
  }
  CStringT Left(int nCount) const { return Mid(0, nCount); }
  CStringT Right(int nCount) const {
    int len = GetLength();
    if (nCount < 0) nCount = 0;
    if (nCount > len) nCount = len;
    return CStringT(m_pszData + len - nCount, nCount);
  }
  CStringT SpanIncluding(PCXSTR pszCharSet) const {
    return Left(fwstr::Span(m_pszData, GetLength(), Safe(pszCharSet), true));
  }
  CStringT SpanExcluding(PCXSTR pszCharSet) const {
    return Left(fwstr::Span(m_pszData, GetLength(), Safe(pszCharSet), false));
  }
  // The next token after iStart, skipping leading delimiters; at the end returns an empty
  // string and sets iStart to -1.
  CStringT Tokenize(PCXSTR pszTokens, int& iStart) const {
    int len = GetLength();
    if (iStart < 0 || iStart > len || pszTokens == NULL || *pszTokens == 0) {
      if (iStart >= 0 && iStart < len && (pszTokens == NULL || *pszTokens == 0)) {
        CStringT rest = Mid(iStart);
        iStart = len + 1;
        return rest;
      }
      iStart = -1;
      return CStringT();
    }
    int from = iStart + fwstr::Span(m_pszData + iStart, len - iStart, pszTokens, true);
    if (from >= len) {
      iStart = -1;
      return CStringT();
    }
    int n = fwstr::Span(m_pszData + from, len - from, pszTokens, false);
    iStart = from + n + 1;
    return CStringT(m_pszData + from, n);
  }

  // Searching; -1 when not found or when iStart lies past the end.
  int Find(XCHAR ch, int iStart = 0) const {
    if (iStart < 0) iStart = 0;
    if (iStart >= GetLength()) return -1;
    return fwstr::FindChar(m_pszData, GetLength(), iStart, static_cast<unsigned>(UnitValue(ch)));
  }
  int Find(PCXSTR pszSub, int iStart = 0) const {
    if (pszSub == NULL) return -1;
    if (iStart < 0) iStart = 0;
    if (iStart > GetLength()) return -1;
    return fwstr::FindString(m_pszData, GetLength(), iStart, pszSub);
  }
  int ReverseFind(XCHAR ch) const {
    return fwstr::ReverseFindChar(m_pszData, GetLength(), static_cast<unsigned>(UnitValue(ch)));
  }
  int FindOneOf(PCXSTR pszCharSet) const {
    return pszCharSet ? fwstr::FindOneOf(m_pszData, GetLength(), pszCharSet) : -1;
  }

  // Editing; each returns what its name says (count replaced or removed, new length).
  int Replace(XCHAR chOld, XCHAR chNew) {
    int n = 0;
    for (int i = fwstr::FindChar(m_pszData, GetLength(), 0, UnitValue(chOld)); i >= 0;
         i = (i + 1 < GetLength()) ? fwstr::FindChar(m_pszData, GetLength(), i + 1, UnitValue(chOld)) : -1) {
      Own(GetLength())[i] = chNew;
      ++n;
    }
    return n;
  }
  int Replace(PCXSTR pszOld, PCXSTR pszNew) {
    int oldLen = pszOld ? fwstr::Length(pszOld) : 0;
    if (oldLen == 0) return 0;
    int newLen = pszNew ? fwstr::Length(pszNew) : 0;
    int len = GetLength();
    int count = 0;
    for (int i = fwstr::FindString(m_pszData, len, 0, pszOld); i >= 0;
         i = fwstr::FindString(m_pszData, len, i + oldLen, pszOld))
      ++count;
    if (count == 0) return 0;
    CStringT out;
    XCHAR* dst = out.GetBuffer(len + count * (newLen - oldLen));
    int from = 0;
    for (int i = fwstr::FindString(m_pszData, len, 0, pszOld); i >= 0;
         i = fwstr::FindString(m_pszData, len, i + oldLen, pszOld)) {
      memcpy(dst, m_pszData + from, (i - from) * sizeof(XCHAR));
      dst += i - from;
      if (newLen) memcpy(dst, pszNew, newLen * sizeof(XCHAR));
      dst += newLen;
      from = i + oldLen;
    }
    memcpy(dst, m_pszData + from, (len - from) * sizeof(XCHAR));
    out.ReleaseBuffer(len + count * (newLen - oldLen));
    *this = std::move(out);
    return count;
  }
  int Remove(XCHAR chRemove) {
    int len = GetLength();
    if (len == 0) return 0;
    XCHAR* p = Own(len);
    int w = 0;
    for (int r = 0; r < len; ++r)
      if (p[r] != chRemove) p[w++] = p[r];
    SetLength(w);
    return len - w;
  }
  int Insert(int iIndex, XCHAR ch) { return Insert(iIndex, &ch, 1); }
  int Insert(int iIndex, PCXSTR psz) { return Insert(iIndex, psz, psz ? fwstr::Length(psz) : 0); }
  int Delete(int iIndex, int nCount = 1) {
    int len = GetLength();
    if (iIndex < 0) iIndex = 0;
    if (nCount <= 0 || iIndex >= len) return len;
    if (nCount > len - iIndex) nCount = len - iIndex;
    XCHAR* p = Own(len);
    memmove(p + iIndex, p + iIndex + nCount, (len - iIndex - nCount) * sizeof(XCHAR));
    SetLength(len - nCount);
    return len - nCount;
  }
  void Truncate(int nNewLength) {
    if (nNewLength < 0 || nNewLength > GetLength()) AfxThrowInvalidArgException();
    if (nNewLength == GetLength()) return;
    Own(nNewLength);
    SetLength(nNewLength);
  }
  CStringT& MakeUpper() {
    if (GetLength()) fwstr::Upper(Own(GetLength()), GetLength());
    return *this;
  }
  CStringT& MakeLower() {
    if (GetLength()) fwstr::Lower(Own(GetLength()), GetLength());
    return *this;
  }
  CStringT& MakeReverse() {
    if (GetLength()) fwstr::Reverse(Own(GetLength()), GetLength());
    return *this;
  }

  // Trimming: white space, one character, or any character of a set.
  CStringT& TrimRight() {
    int keep = 0;
    const XCHAR* p = m_pszData;
    for (int i = 0; i < GetLength(); i += fwstr::CharSize(p + i))
      if (!fwstr::IsSpace(p + i)) keep = i + fwstr::CharSize(p + i);
    if (keep < GetLength()) Truncate(keep);
    return *this;
  }
  CStringT& TrimRight(XCHAR ch) {
    XCHAR set[2] = {ch, 0};
    return TrimRight(set);
  }
  CStringT& TrimRight(PCXSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0) return *this;
    int keep = 0;
    const XCHAR* p = m_pszData;
    for (int i = 0; i < GetLength(); i += fwstr::CharSize(p + i))
      if (fwstr::Span(p + i, fwstr::CharSize(p + i), pszTargets, true) == 0) keep = i + fwstr::CharSize(p + i);
    if (keep < GetLength()) Truncate(keep);
    return *this;
  }
  CStringT& TrimLeft() {
    int i = 0;
    while (i < GetLength() && fwstr::IsSpace(m_pszData + i)) i += fwstr::CharSize(m_pszData + i);
    if (i) Delete(0, i);
    return *this;
  }
  CStringT& TrimLeft(XCHAR ch) {
    XCHAR set[2] = {ch, 0};
    return TrimLeft(set);
  }
  CStringT& TrimLeft(PCXSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0) return *this;
    int n = fwstr::Span(m_pszData, GetLength(), pszTargets, true);
    if (n) Delete(0, n);
    return *this;
  }
  CStringT& Trim() { return TrimRight().TrimLeft(); }
  CStringT& Trim(XCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
  CStringT& Trim(PCXSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

  // Formatting (printf rules of the C runtime: in the wide form %s takes a wide string).
  // A CString argument is passed as its text, as "%s" expects.
  template <typename... Args>
  void Format(PCXSTR pszFormat, const Args&... args) {
    FormatRaw(pszFormat, VarArg(args)...);
  }
  template <typename... Args>
  void Format(UINT nFormatID, const Args&... args) {
    CStringT fmt;
    if (fmt.LoadString(nFormatID)) FormatRaw(fmt.GetString(), VarArg(args)...);
  }
  template <typename... Args>
  void AppendFormat(PCXSTR pszFormat, const Args&... args) {
    AppendFormatRaw(pszFormat, VarArg(args)...);
  }
  void FormatV(PCXSTR pszFormat, va_list args) {
    CStringT out;
    out.AppendFormatV(pszFormat, args);
    *this = std::move(out);
  }
  void AppendFormatV(PCXSTR pszFormat, va_list args) {
    if (pszFormat == NULL) AfxThrowInvalidArgException();
    va_list copy;
    va_copy(copy, args);
    int n = fwstr::FormatLength(pszFormat, copy);
    va_end(copy);
    if (n < 0) AfxThrowInvalidArgException();
    int old = GetLength();
    XCHAR* p = Own(old + n);
    fwstr::FormatInto(p + old, n + 1, pszFormat, args);
    SetLength(old + n);
  }
  // FormatMessage with inserts %1, %2...; the text comes from a string or a string id.
  template <typename... Args>
  void FormatMessage(PCXSTR pszFormat, const Args&... args) {
    FormatMessageRaw(pszFormat, VarArg(args)...);
  }
  template <typename... Args>
  void FormatMessage(UINT nFormatID, const Args&... args) {
    CStringT fmt;
    if (fmt.LoadString(nFormatID)) FormatMessageRaw(fmt.GetString(), VarArg(args)...);
  }
  void FormatMessageV(PCXSTR pszFormat, va_list* pArgList) {
    XCHAR* out = NULL;
    int n = fwstr::FormatMessageText(pszFormat, pArgList, &out);
    if (out == NULL) {
      Empty();
      return;
    }
    SetString(out, n);
    LocalFree(out);
  }

  // Loads string resource nID from the first module of the chain that has it.
  BOOL LoadString(UINT nID) {
    HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
    return LoadString(h, nID);
  }
  BOOL LoadString(HINSTANCE hInstance, UINT nID) {
    const wchar_t* text = NULL;
    int n = fwstr::FindStringResource(hInstance, nID, &text);
    if (n <= 0) return FALSE;
    AssignResource(text, n);
    return TRUE;
  }

  // Direct buffer access. GetBuffer keeps the text; ReleaseBuffer(-1) takes the length up
  // to the first null.
  PXSTR GetBuffer() { return Own(GetLength()); }
  PXSTR GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength < 0) AfxThrowInvalidArgException();
    return Own(nMinBufferLength > GetLength() ? nMinBufferLength : GetLength());
  }
  PXSTR GetBufferSetLength(int nLength) {
    if (nLength < 0) AfxThrowInvalidArgException();
    XCHAR* p = Own(nLength);
    SetLength(nLength);
    return p;
  }
  void ReleaseBuffer(int nNewLength = -1) {
    if (IsNil(m_pszData)) return;
    if (nNewLength < 0) {
      nNewLength = 0;
      int cap = GetAllocLength();
      while (nNewLength < cap && m_pszData[nNewLength]) ++nNewLength;
    }
    if (nNewLength > GetAllocLength()) AfxThrowInvalidArgException();
    SetLength(nNewLength);
  }
  void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
  PXSTR LockBuffer() { return GetBuffer(); }
  void UnlockBuffer() {}
  void Preallocate(int nLength) { GetBuffer(nLength); }
  void FreeExtra() {
    if (GetAllocLength() > GetLength()) {
      CStringT copy(m_pszData, GetLength());
      *this = std::move(copy);
    }
  }

  BSTR AllocSysString() const {
    CStringT<wchar_t> w(*this);
    BSTR b = ::SysAllocStringLen(w.GetString(), w.GetLength());
    if (b == NULL) AfxThrowMemoryException();
    return b;
  }
  BSTR SetSysString(BSTR* pbstr) const {
    CStringT<wchar_t> w(*this);
    if (!::SysReAllocStringLen(pbstr, w.GetString(), w.GetLength())) AfxThrowMemoryException();
    return *pbstr;
  }

  // Concatenation and comparison.
  friend CStringT operator+(const CStringT& a, const CStringT& b) { return Concat(a, a.GetLength(), b, b.GetLength()); }
  friend CStringT operator+(const CStringT& a, PCXSTR b) { return Concat(a, a.GetLength(), b, b ? fwstr::Length(b) : 0); }
  friend CStringT operator+(PCXSTR a, const CStringT& b) { return Concat(a, a ? fwstr::Length(a) : 0, b, b.GetLength()); }
  friend CStringT operator+(const CStringT& a, XCHAR b) { return Concat(a, a.GetLength(), &b, 1); }
  friend CStringT operator+(XCHAR a, const CStringT& b) { return Concat(&a, 1, b, b.GetLength()); }
  friend CStringT operator+(CStringT&& a, const CStringT& b) {
    a.Append(b);
    return std::move(a);
  }
  friend CStringT operator+(CStringT&& a, PCXSTR b) {
    a.Append(b);
    return std::move(a);
  }
  friend CStringT operator+(CStringT&& a, XCHAR b) {
    a.AppendChar(b);
    return std::move(a);
  }

  friend bool operator==(const CStringT& a, const CStringT& b) {
    return a.GetLength() == b.GetLength() && memcmp(a.m_pszData, b.m_pszData, a.GetLength() * sizeof(XCHAR)) == 0;
  }
  friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
  friend bool operator==(const CStringT& a, XCHAR b) { return a.GetLength() == 1 && a.m_pszData[0] == b; }
  friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
  friend bool operator!=(const CStringT& a, PCXSTR b) { return !(a == b); }
  friend bool operator!=(PCXSTR a, const CStringT& b) { return !(b == a); }
  friend bool operator!=(const CStringT& a, XCHAR b) { return !(a == b); }
  friend bool operator<(const CStringT& a, const CStringT& b) { return a.Compare(b) < 0; }
  friend bool operator<(const CStringT& a, PCXSTR b) { return a.Compare(b) < 0; }
  friend bool operator<(PCXSTR a, const CStringT& b) { return b.Compare(a) > 0; }
  friend bool operator>(const CStringT& a, const CStringT& b) { return a.Compare(b) > 0; }
  friend bool operator>(const CStringT& a, PCXSTR b) { return a.Compare(b) > 0; }
  friend bool operator>(PCXSTR a, const CStringT& b) { return b.Compare(a) < 0; }
  friend bool operator<=(const CStringT& a, const CStringT& b) { return a.Compare(b) <= 0; }
  friend bool operator<=(const CStringT& a, PCXSTR b) { return a.Compare(b) <= 0; }
  friend bool operator<=(PCXSTR a, const CStringT& b) { return b.Compare(a) >= 0; }
  friend bool operator>=(const CStringT& a, const CStringT& b) { return a.Compare(b) >= 0; }
  friend bool operator>=(const CStringT& a, PCXSTR b) { return a.Compare(b) >= 0; }
  friend bool operator>=(PCXSTR a, const CStringT& b) { return b.Compare(a) <= 0; }

 private:
  // The buffer is preceded by its header; the shared empty string has nAllocLength 0, is
  // read-only and never freed (each module has its own, so it is told by that field). Every
  // write goes through Own, which replaces it by a heap buffer first.
  struct Data {
    int nDataLength;
    int nAllocLength;
  };
  static XCHAR* Nil() noexcept {
    // Header and terminator in one zeroed block, so that Header(Nil()) stays inside it.
    alignas(Data) static const unsigned char nil[sizeof(Data) + sizeof(XCHAR)] = {};
    XCHAR* p = reinterpret_cast<XCHAR*>(const_cast<unsigned char*>(nil) + sizeof(Data));
    // Hidden from the optimiser: writes only ever reach the pointer after Own replaced it,
    // which the compiler cannot see and would report as writes into this block.
    __asm__("" : "+r"(p));
    return p;
  }
  // Through an integer: the header lies before the characters' own object, which the
  // compiler's bounds analysis would otherwise report as an access outside it.
  static Data* Header(const XCHAR* p) noexcept {
    return reinterpret_cast<Data*>(reinterpret_cast<uintptr_t>(p) - sizeof(Data));
  }
  static bool IsNil(const XCHAR* p) noexcept { return Header(p)->nAllocLength == 0; }
  static PCXSTR Safe(PCXSTR p) noexcept {
    static const XCHAR empty = 0;
    return p ? p : &empty;
  }
  static unsigned UnitValue(XCHAR ch) noexcept {
    return sizeof(XCHAR) == 1 ? static_cast<unsigned char>(ch) : static_cast<unsigned>(static_cast<wchar_t>(ch));
  }
  static XCHAR* Alloc(int nLength) {
    if (nLength < 0 || nLength > (INT_MAX - 64) / static_cast<int>(sizeof(XCHAR)) - 1) AfxThrowMemoryException();
    if (nLength < 1) nLength = 1;  // a heap buffer never looks like the shared empty one
    void* raw = fwstr::AllocBuffer(sizeof(Data) + (static_cast<size_t>(nLength) + 1) * sizeof(XCHAR));
    Data* d = static_cast<Data*>(raw);
    d->nDataLength = 0;
    d->nAllocLength = nLength;
    XCHAR* p = reinterpret_cast<XCHAR*>(d + 1);
    p[0] = 0;
    return p;
  }
  static void Free(XCHAR* p) noexcept {
    if (!IsNil(p)) fwstr::FreeBuffer(Header(p));
  }
  void SetLength(int n) noexcept {
    if (IsNil(m_pszData)) return;
    Header(m_pszData)->nDataLength = n;
    m_pszData[n] = 0;
  }
  // Makes the buffer writable with room for nLength units; the text is kept.
  XCHAR* Own(int nLength) {
    if (!IsNil(m_pszData) && GetAllocLength() >= nLength) return m_pszData;
    int grow = GetAllocLength() + GetAllocLength() / 2;
    XCHAR* fresh = Alloc(nLength > grow ? nLength : grow < 0 ? nLength : grow);
    int keep = GetLength();
    memcpy(fresh, m_pszData, (keep + 1) * sizeof(XCHAR));
    Header(fresh)->nDataLength = keep;
    Free(m_pszData);
    m_pszData = fresh;
    return fresh;
  }
  int Insert(int iIndex, PCXSTR pch, int n) {
    int len = GetLength();
    if (iIndex < 0) iIndex = 0;
    if (iIndex > len) iIndex = len;
    if (n <= 0) return len;
    CStringT add(pch, n);  // pch may point into this string
    XCHAR* p = Own(len + n);
    memmove(p + iIndex + n, p + iIndex, (len - iIndex) * sizeof(XCHAR));
    memcpy(p + iIndex, add.m_pszData, n * sizeof(XCHAR));
    SetLength(len + n);
    return len + n;
  }
  void AssignOther(PCYSTR pch, int nLength) {
    if (pch == NULL || nLength <= 0) {
      Empty();
      return;
    }
    int n = fwstr::Convert(static_cast<XCHAR*>(NULL), 0, pch, nLength);
    CStringT out;
    fwstr::Convert(out.GetBuffer(n), n, pch, nLength);
    out.ReleaseBuffer(n);
    *this = std::move(out);
  }
  // A pointer made with MAKEINTRESOURCE loads that string resource.
  void AssignOrLoad(PCXSTR psz) {
    if (psz != NULL && IS_INTRESOURCE(psz))
      LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else
      SetString(psz);
  }
  void AssignOrLoad(PCYSTR psz) {
    if (psz != NULL && IS_INTRESOURCE(psz))
      LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else
      AssignOther(psz, psz ? fwstr::Length(psz) : 0);
  }
  void AssignResource(const wchar_t* text, int n) {
    if constexpr (sizeof(XCHAR) == sizeof(wchar_t))
      SetString(reinterpret_cast<PCXSTR>(text), n);
    else
      AssignOther(reinterpret_cast<PCYSTR>(text), n);
  }
  template <typename T>
  static const T& VarArg(const T& v) noexcept {
    return v;
  }
  static const char* VarArg(const CStringT<char>& v) noexcept { return v.GetString(); }
  static const wchar_t* VarArg(const CStringT<wchar_t>& v) noexcept { return v.GetString(); }
  void AFX_CDECL FormatRaw(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
  }
  void AFX_CDECL AppendFormatRaw(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
  }
  void AFX_CDECL FormatMessageRaw(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatMessageV(pszFormat, &args);
    va_end(args);
  }
  static CStringT Concat(PCXSTR a, int na, PCXSTR b, int nb) {
    CStringT out;
    if (na + nb == 0) return out;
    XCHAR* p = out.GetBuffer(na + nb);
    if (na) memcpy(p, a, na * sizeof(XCHAR));
    if (nb) memcpy(p + na, b, nb * sizeof(XCHAR));
    out.ReleaseBuffer(na + nb);
    return out;
  }

  XCHAR* m_pszData;  // the only member: a CString passes through "..." as its text pointer
};

#pragma GCC diagnostic pop

typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;
typedef CStringT<TCHAR> CString;

static_assert(sizeof(CString) == sizeof(void*), "CString must stay one pointer wide");
