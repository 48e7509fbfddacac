#include "QvCharsets.h"

#include <windows.h>
#include <limits.h>
#include <string.h>

namespace {

const unsigned int kUtf8 = 65001, kAscii = 20127;

QvCharsetImpl s_charsets[] = {
    {"UTF-8", kUtf8, 4},           {"US-ASCII", kAscii, 1},       {"ISO-8859-1", 28591, 1},
    {"windows-874", 874, 1},       {"windows-1250", 1250, 1},     {"windows-1251", 1251, 1},
    {"windows-1252", 1252, 1},     {"windows-1253", 1253, 1},     {"windows-1254", 1254, 1},
    {"windows-1255", 1255, 1},     {"windows-1256", 1256, 1},     {"windows-1257", 1257, 1},
    {"windows-1258", 1258, 1},     {"Shift_JIS", 932, 2},         {"GBK", 936, 2},
    {"EUC-KR", 949, 2},            {"Big5", 950, 2},
};
const size_t kCharsetCount = sizeof s_charsets / sizeof s_charsets[0];

struct Alias {
  const char* name;
  unsigned int codePage;
};
const Alias kAliases[] = {
    {"utf8", kUtf8},         {"ascii", kAscii},         {"latin1", 28591},
    {"iso_8859-1", 28591},   {"tis-620", 874},          {"sjis", 932},
    {"ms932", 932},          {"gb2312", 936},           {"ks_c_5601-1987", 949},
};

// "cp1252" and "windows-1252" name code page 1252.
unsigned int NumberedCodePage(const char* name) {
  const char* digits = nullptr;
  if (_strnicmp(name, "cp", 2) == 0) digits = name + 2;
  else if (_strnicmp(name, "windows-", 8) == 0) digits = name + 8;
  if (!digits || !*digits) return 0;
  unsigned int n = 0;
  for (const char* p = digits; *p; ++p) {
    if (*p < '0' || *p > '9' || n > 100000) return 0;
    n = n * 10 + static_cast<unsigned>(*p - '0');
  }
  return n;
}

// Notes the first input that could not be converted; false when the context is strict.
bool Replace(QvTransformCtx* ctx, size_t offset) {
  if (!ctx) return true;
  ++ctx->m_replaced;
  if (ctx->m_firstError == QvTransformCtx::npos) ctx->m_firstError = offset;
  return !ctx->m_strict;
}

void AppendCodePoint(std::wstring& out, unsigned long cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<wchar_t>(cp);
  }
}

// The UTF-8 sequence at p (at most n bytes): its code point and length, or false.
bool Utf8Sequence(const unsigned char* p, size_t n, unsigned long& cp, size_t& len) {
  unsigned c = p[0];
  if (c < 0x80) { cp = c; len = 1; return true; }
  if (c >= 0xC2 && c <= 0xDF) { cp = c & 0x1F; len = 2; }
  else if (c >= 0xE0 && c <= 0xEF) { cp = c & 0x0F; len = 3; }
  else if (c >= 0xF0 && c <= 0xF4) { cp = c & 0x07; len = 4; }
  else return false;
  if (len > n) return false;
  for (size_t k = 1; k < len; ++k) {
    if ((p[k] & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (p[k] & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
      (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
    return false;
  return true;
}

bool Decode(unsigned int codePage, const char* in, size_t n, std::wstring& out, QvTransformCtx* ctx) {
  out.clear();
  if (n == 0) return true;
  if (!in || n > INT_MAX) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
  if (codePage == kUtf8 || codePage == kAscii) {
    out.reserve(n);
    for (size_t i = 0; i < n;) {
      unsigned long cp;
      size_t len;
      if (Utf8Sequence(p + i, n - i, cp, len) && (codePage == kUtf8 || cp < 0x80)) {
        AppendCodePoint(out, cp);
        i += len;
      } else {
        if (!Replace(ctx, i)) return false;
        out += L'\xFFFD';
        ++i;
      }
    }
    return true;
  }
  int count = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, static_cast<int>(n), NULL, 0);
  if (count > 0) {
    out.resize(static_cast<size_t>(count));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, static_cast<int>(n), &out[0], count);
    return true;
  }
  if (GetLastError() != ERROR_NO_UNICODE_TRANSLATION) return false;  // unknown code page
  // Some bytes are invalid: one character at a time.
  for (size_t i = 0; i < n;) {
    int len = IsDBCSLeadByteEx(codePage, p[i]) && i + 1 < n ? 2 : 1;
    wchar_t w[2];
    int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in + i, len, w, 2);
    if (got > 0) {
      out.append(w, static_cast<size_t>(got));
      i += static_cast<size_t>(len);
    } else {
      if (!Replace(ctx, i)) return false;
      out += L'\xFFFD';
      ++i;
    }
  }
  return true;
}

// The UTF-8 character at p in a zero-ended text, p moved past it; U+FFFD for a byte that
// starts none (passed alone), 0 at the end (p stays).
unsigned long NextUtf8(const char*& p) {
  size_t n = 0;
  while (n < 4 && p[n]) ++n;  // the zero ends every sequence
  unsigned long cp;
  size_t len;
  if (n && Utf8Sequence(reinterpret_cast<const unsigned char*>(p), n, cp, len)) {
    p += len;
    return cp;
  }
  if (*p) {
    ++p;
    return 0xFFFD;
  }
  return 0;
}

void AppendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool HtmlMode(QvTransformMode mode) {
  return mode == QvTransformEscapeHtml || mode == QvTransformHtmlRefs;
}

bool Encode(unsigned int codePage, const wchar_t* in, size_t n, std::string& out, QvTransformCtx* ctx,
            QvTransformMode mode) {
  out.clear();
  if (n == 0) return true;
  if (!in || n > INT_MAX / 4) return false;
  const bool native = codePage == kUtf8 || codePage == kAscii;
  if (!native) {
    // Whole text first; character by character only when something did not map.
    BOOL usedDefault = FALSE;
    int count = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, in, static_cast<int>(n), NULL, 0,
                                    NULL, &usedDefault);
    if (count <= 0) return false;  // unknown code page
    if (!usedDefault) {
      out.resize(static_cast<size_t>(count));
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, in, static_cast<int>(n), &out[0], count, NULL,
                          NULL);
      return true;
    }
  }
  out.reserve(n);
  for (size_t i = 0; i < n;) {
    unsigned long cp = in[i];
    size_t len = 1;
    bool valid = true;
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      len = 2;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      valid = false;  // unpaired surrogate
      cp = 0xFFFD;
    }
    bool mapped = valid;
    if (valid && codePage == kUtf8) {
      AppendUtf8(out, cp);
    } else if (valid && codePage == kAscii) {
      mapped = cp < 0x80;
      if (mapped) out += static_cast<char>(cp);
    } else if (valid) {
      char bytes[8];
      BOOL usedDefault = FALSE;
      int got = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, in + i, static_cast<int>(len), bytes,
                                    sizeof bytes, NULL, &usedDefault);
      mapped = got > 0 && !usedDefault;
      if (mapped) out.append(bytes, static_cast<size_t>(got));
    }
    if (!mapped) {
      if (!Replace(ctx, i)) return false;
      if (HtmlMode(mode)) {
        char ref[16];
        wsprintfA(ref, "&#%lu;", cp);
        out += ref;
      } else if (codePage == kUtf8) {
        AppendUtf8(out, 0xFFFD);
      } else {
        out += '?';
      }
    }
    i += len;
  }
  return true;
}

void EscapeHtml(std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      default: out += c;
    }
  }
  text.swap(out);
}

// The entity at text[i] ('&'): its code point and length, or false to keep the '&'.
bool Entity(const std::wstring& text, size_t i, unsigned long& cp, size_t& len) {
  size_t semi = text.find(L';', i + 1);
  if (semi == std::wstring::npos || semi - i > 10) return false;
  std::wstring name = text.substr(i + 1, semi - i - 1);
  len = semi - i + 1;
  static const struct { const wchar_t* name; unsigned long cp; } kNamed[] = {
      {L"amp", '&'}, {L"lt", '<'}, {L"gt", '>'}, {L"quot", '"'}, {L"apos", '\''}, {L"nbsp", 0xA0}};
  for (const auto& e : kNamed)
    if (name == e.name) { cp = e.cp; return true; }
  if (name.size() < 2 || name[0] != L'#') return false;
  bool hex = name[1] == L'x' || name[1] == L'X';
  size_t start = hex ? 2 : 1;
  if (start >= name.size()) return false;
  cp = 0;
  for (size_t k = start; k < name.size(); ++k) {
    wchar_t c = name[k];
    unsigned digit;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (hex && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (hex && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    else return false;
    cp = cp * (hex ? 16 : 10) + digit;
    if (cp > 0x10FFFF) return false;
  }
  return cp != 0 && !(cp >= 0xD800 && cp <= 0xDFFF);
}

void UnescapeHtml(std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned long cp;
    size_t len;
    if (text[i] == L'&' && Entity(text, i, cp, len)) {
      AppendCodePoint(out, cp);
      i += len;
    } else {
      out += text[i++];
    }
  }
  text.swap(out);
}

void ApplyMode(std::wstring& text, QvTransformMode mode) {
  if (mode == QvTransformEscapeHtml) EscapeHtml(text);
  else if (mode == QvTransformUnescapeHtml) UnescapeHtml(text);
}

unsigned int CodePageOf(const QvCharset* charset) { return charset ? charset->GetCodePage() : kUtf8; }

}  // namespace

QvCharset::~QvCharset() = default;
QvCharsetImpl::~QvCharsetImpl() = default;

QvCharsetCatalog::QvCharsetCatalog() : m_table(s_charsets), m_count(kCharsetCount) {}

const QvCharsetImpl* QvCharsetCatalog::GetAt(size_t index) const {
  return index < m_count ? static_cast<const QvCharsetImpl*>(m_table) + index : nullptr;
}

const QvCharsetImpl* QvCharsetCatalog::Find(const char* name) const {
  if (!name) return nullptr;
  for (size_t i = 0; i < m_count; ++i)
    if (_stricmp(GetAt(i)->GetName(), name) == 0) return GetAt(i);
  for (const Alias& a : kAliases)
    if (_stricmp(a.name, name) == 0) return FromCodePage(a.codePage);
  unsigned int numbered = NumberedCodePage(name);
  return numbered ? FromCodePage(numbered) : nullptr;
}

const QvCharsetImpl* QvCharsetCatalog::FromCodePage(unsigned int codePage) const {
  for (size_t i = 0; i < m_count; ++i)
    if (GetAt(i)->GetCodePage() == codePage) return GetAt(i);
  return nullptr;
}

QvCharsetGroup::~QvCharsetGroup() = default;

bool QvCharsetGroup::Contains(unsigned int codePage) const {
  for (size_t i = 0; i < GetCount(); ++i)
    if (GetAt(i)->GetCodePage() == codePage) return true;
  return false;
}

QvCharsetGroupImpl::~QvCharsetGroupImpl() = default;

bool QvCharsetGroupImpl::Add(const QvCharset* charset) {
  if (!charset || m_count == kCapacity || Contains(charset->GetCodePage())) return false;
  m_charsets[m_count++] = charset;
  return true;
}

QvTransform::~QvTransform() = default;
QvFromUnicodeTransform::~QvFromUnicodeTransform() = default;
QvToUnicodeTransform::~QvToUnicodeTransform() = default;

std::string QvTransform::operator()(const std::string& in) const {
  std::string out;
  Transform(in.data(), in.size(), out);
  return out;
}

std::string QvFromUnicodeTransform::operator()(const std::wstring& in) const {
  std::string out;
  Transform(in.data(), in.size(), out);
  return out;
}

std::wstring QvToUnicodeTransform::operator()(const std::string& in) const {
  std::wstring out;
  Transform(in.data(), in.size(), out);
  return out;
}

QvTransformImpl::QvTransformImpl(const QvCharset* from, const QvCharset* to, QvTransformMode mode)
    : m_from(CodePageOf(from)), m_to(CodePageOf(to)), m_mode(mode) {}
QvTransformImpl::~QvTransformImpl() = default;

bool QvTransformImpl::Transform(const char* in, size_t length, std::string& out, QvTransformCtx* ctx) const {
  std::wstring wide;
  std::string result;
  if (!Decode(m_from, in, length, wide, ctx)) return false;
  ApplyMode(wide, m_mode);
  if (!Encode(m_to, wide.data(), wide.size(), result, ctx, m_mode)) return false;
  out.swap(result);
  return true;
}

QvFromUnicodeTransformImpl::QvFromUnicodeTransformImpl(const QvCharset* to, QvTransformMode mode)
    : m_to(CodePageOf(to)), m_mode(mode) {}
QvFromUnicodeTransformImpl::~QvFromUnicodeTransformImpl() = default;

bool QvFromUnicodeTransformImpl::Transform(const wchar_t* in, size_t length, std::string& out,
                                           QvTransformCtx* ctx) const {
  std::string result;
  if (m_mode == QvTransformPlain) {
    if (!Encode(m_to, in, length, result, ctx, m_mode)) return false;
  } else {
    if (!in && length) return false;
    std::wstring wide(in ? in : L"", length);
    ApplyMode(wide, m_mode);
    if (!Encode(m_to, wide.data(), wide.size(), result, ctx, m_mode)) return false;
  }
  out.swap(result);
  return true;
}

QvToUnicodeTransformImpl::QvToUnicodeTransformImpl(const QvCharset* from, QvTransformMode mode)
    : m_from(CodePageOf(from)), m_mode(mode) {}
QvToUnicodeTransformImpl::~QvToUnicodeTransformImpl() = default;

bool QvToUnicodeTransformImpl::Transform(const char* in, size_t length, std::wstring& out,
                                         QvTransformCtx* ctx) const {
  std::wstring result;
  if (!Decode(m_from, in, length, result, ctx)) return false;
  ApplyMode(result, m_mode);
  out.swap(result);
  return true;
}

QvPCharTransformer::~QvPCharTransformer() = default;
QvFromUnicodePCharTransformer::~QvFromUnicodePCharTransformer() = default;
QvToUnicodePCharTransformer::~QvToUnicodePCharTransformer() = default;
QvPCharTransformerImpl::~QvPCharTransformerImpl() = default;
QvFromUnicodePCharTransformerImpl::~QvFromUnicodePCharTransformerImpl() = default;
QvToUnicodePCharTransformerImpl::~QvToUnicodePCharTransformerImpl() = default;

bool QvPCharTransformerImpl::Transform(const char* text, std::string& out, QvTransformCtx* ctx) const {
  return text && m_transform->Transform(text, strlen(text), out, ctx);
}

bool QvFromUnicodePCharTransformerImpl::Transform(const wchar_t* text, std::string& out,
                                                  QvTransformCtx* ctx) const {
  return text && m_transform->Transform(text, wcslen(text), out, ctx);
}

bool QvToUnicodePCharTransformerImpl::Transform(const char* text, std::wstring& out,
                                                QvTransformCtx* ctx) const {
  return text && m_transform->Transform(text, strlen(text), out, ctx);
}

QvPCharIterator::~QvPCharIterator() = default;

QvPCharIteratorImpl::QvPCharIteratorImpl(const QvCharset& charset) : m_codePage(charset.GetCodePage()) {
  m_table = m_entries;
  for (unsigned b = 0; b < 256; ++b) {
    m_entries[b] = 0;
    char c = static_cast<char>(b);
    wchar_t w[2];
    if (b == 0 || (m_codePage != kUtf8 && !IsDBCSLeadByteEx(m_codePage, static_cast<BYTE>(b)) &&
                   MultiByteToWideChar(m_codePage, MB_ERR_INVALID_CHARS, &c, 1, w, 2) == 1))
      m_entries[b] = kSingle | (b == 0 ? 0 : w[0]);
    else if (m_codePage == kUtf8 && b < 0x80)
      m_entries[b] = kSingle | b;
  }
}

QvPCharIteratorImpl::~QvPCharIteratorImpl() = default;

unsigned long QvPCharIteratorImpl::GetUnicodeChar(const char*& p) const {
  if (p[0] && p[1] && IsDBCSLeadByteEx(m_codePage, static_cast<BYTE>(p[0]))) {
    wchar_t w[2];
    if (MultiByteToWideChar(m_codePage, MB_ERR_INVALID_CHARS, p, 2, w, 2) == 1) {
      p += 2;
      return w[0];
    }
  } else if (m_codePage == kUtf8) {
    return NextUtf8(p);
  }
  if (*p) ++p;
  return 0xFFFD;
}

QvPCharIteratorUTF8Impl::QvPCharIteratorUTF8Impl() {
  m_table = m_entries;
  for (unsigned b = 0; b < 256; ++b) m_entries[b] = b < 0x80 ? (kSingle | b) : 0;
}

QvPCharIteratorUTF8Impl::~QvPCharIteratorUTF8Impl() = default;

unsigned long QvPCharIteratorUTF8Impl::GetUnicodeChar(const char*& p) const { return NextUtf8(p); }
