// Character sets and the transforms between them.
//
// The interface classes (QvCharset, QvTransform, ...) carry no data: they are the
// dispatch tables through which callers reach an implementation (the …Impl classes), which
// holds the data of one charset or transform. The charsets known here are UTF-8, US-ASCII,
// ISO-8859-1, the Windows code pages 874 and 1250 to 1258 and the Far-East code pages 932
// (Shift_JIS), 936 (GBK), 949 (EUC-KR) and 950 (Big5). The text of the portable layer
// ("qv" text, QvString) is UTF-8; "ucs2" text is UTF-16.
//
// Every transform replaces its output only when it succeeds. Input that cannot be
// converted (an ill-formed byte sequence, an unpaired surrogate, a character the target
// charset lacks) is replaced by U+FFFD or, in a single-byte target, by '?' — or, for the
// HTML transforms, by a numeric character reference such as "&#26085;" — and counted in
// the context; a strict context makes the transform fail at the first such input instead.
#pragma once
#include <stddef.h>

#include <string>

#include "brevin_api.h"

// What a transform met. A context may be reused: the counts add up.
class QvTransformCtx {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);
  bool m_strict = false;       // fail at the first input that cannot be converted
  size_t m_replaced = 0;       // how many characters were replaced
  size_t m_firstError = npos;  // offset (in input units) of the first of them
  QvTransformCtx& operator=(const QvTransformCtx& other) = default;
};

class BREVIN_API QvCharset {
 public:
  QvCharset() {}
  QvCharset(const QvCharset&) {}
  QvCharset& operator=(const QvCharset&) { return *this; }
  virtual ~QvCharset();
  virtual const char* GetName() const = 0;  // the preferred MIME name, e.g. "Shift_JIS"
  virtual unsigned int GetCodePage() const = 0;
  virtual unsigned int GetMaxCharBytes() const = 0;  // bytes of the longest character
};

// One charset; the catalog holds one usage of each of its charsets for the whole process.
class BREVIN_API QvCharsetImpl : public QvCharset {
 public:
  QvCharsetImpl(const char* name, unsigned int codePage, unsigned int maxCharBytes)
      : m_name(name), m_codePage(codePage), m_maxCharBytes(maxCharBytes), m_usageCount(1) {}
  QvCharsetImpl(const QvCharsetImpl& other)
      : QvCharset(other), m_name(other.m_name), m_codePage(other.m_codePage),
        m_maxCharBytes(other.m_maxCharBytes), m_usageCount(other.m_usageCount) {}
  QvCharsetImpl& operator=(const QvCharsetImpl& other) {
    m_name = other.m_name;
    m_codePage = other.m_codePage;
    m_maxCharBytes = other.m_maxCharBytes;
    m_usageCount = other.m_usageCount;
    return *this;
  }
  ~QvCharsetImpl() override;
  long IncUsageCount() { return ++m_usageCount; }
  long DecUsageCount() { return --m_usageCount; }
  long GetUsageCount() const { return m_usageCount; }
  const char* GetName() const override { return m_name; }
  unsigned int GetCodePage() const override { return m_codePage; }
  unsigned int GetMaxCharBytes() const override { return m_maxCharBytes; }

 private:
  const char* m_name;
  unsigned int m_codePage;
  unsigned int m_maxCharBytes;
  long m_usageCount;
};

// Finds the charsets by name (case-insensitive; "cp1252" and "windows-1252" alike) or by
// code page; null when unknown. The charsets live as long as the process.
class BREVIN_API QvCharsetCatalog {
 public:
  QvCharsetCatalog();
  QvCharsetCatalog& operator=(const QvCharsetCatalog& other) {
    m_table = other.m_table;
    m_count = other.m_count;
    return *this;
  }
  const QvCharsetImpl* Find(const char* name) const;
  const QvCharsetImpl* FromCodePage(unsigned int codePage) const;
  size_t GetCount() const { return m_count; }
  const QvCharsetImpl* GetAt(size_t index) const;

 private:
  const void* m_table;
  size_t m_count;
};

// A small set of charsets.
class BREVIN_API QvCharsetGroup {
 public:
  QvCharsetGroup() {}
  QvCharsetGroup(const QvCharsetGroup&) {}
  virtual ~QvCharsetGroup();
  virtual size_t GetCount() const = 0;
  virtual const QvCharset* GetAt(size_t index) const = 0;  // null past the end
  bool Contains(unsigned int codePage) const;
};

class BREVIN_API QvCharsetGroupImpl : public QvCharsetGroup {
 public:
  enum { kCapacity = 8 };
  QvCharsetGroupImpl() : m_count(0) {}
  QvCharsetGroupImpl(const QvCharsetGroupImpl& other) : QvCharsetGroup(other) { *this = other; }
  QvCharsetGroupImpl& operator=(const QvCharsetGroupImpl& other) {
    m_count = other.m_count;
    for (size_t i = 0; i < kCapacity; ++i) m_charsets[i] = other.m_charsets[i];
    return *this;
  }
  ~QvCharsetGroupImpl() override;
  bool Add(const QvCharset* charset);  // false when full, null or already in
  size_t GetCount() const override { return m_count; }
  const QvCharset* GetAt(size_t index) const override {
    return index < m_count ? m_charsets[index] : nullptr;
  }

 private:
  size_t m_count;
  const QvCharset* m_charsets[kCapacity] = {};
};

// How the transforms treat the text besides changing its charset.
enum QvTransformMode {
  QvTransformPlain = 0,
  QvTransformEscapeHtml = 1,    // text to HTML: & < > " become entities
  QvTransformUnescapeHtml = 2,  // HTML to text: entities and character references decoded
  QvTransformHtmlRefs = 3       // HTML stays HTML; only the charset changes
};

// Bytes of one charset to bytes of another.
class BREVIN_API QvTransform {
 public:
  QvTransform() {}
  QvTransform(const QvTransform&) {}
  virtual ~QvTransform();
  virtual bool Transform(const char* in, size_t length, std::string& out,
                         QvTransformCtx* ctx = nullptr) const = 0;
  std::string operator()(const std::string& in) const;  // not strict
};

// UTF-16 to bytes of a charset.
class BREVIN_API QvFromUnicodeTransform {
 public:
  QvFromUnicodeTransform() {}
  QvFromUnicodeTransform(const QvFromUnicodeTransform&) {}
  virtual ~QvFromUnicodeTransform();
  virtual bool Transform(const wchar_t* in, size_t length, std::string& out,
                         QvTransformCtx* ctx = nullptr) const = 0;
  std::string operator()(const std::wstring& in) const;
};

// Bytes of a charset to UTF-16.
class BREVIN_API QvToUnicodeTransform {
 public:
  QvToUnicodeTransform() {}
  QvToUnicodeTransform(const QvToUnicodeTransform&) {}
  virtual ~QvToUnicodeTransform();
  virtual bool Transform(const char* in, size_t length, std::wstring& out,
                         QvTransformCtx* ctx = nullptr) const = 0;
  std::wstring operator()(const std::string& in) const;
};

class BREVIN_API QvTransformImpl : public QvTransform {
 public:
  // Null charsets stand for UTF-8.
  QvTransformImpl(const QvCharset* from, const QvCharset* to, QvTransformMode mode = QvTransformPlain);
  QvTransformImpl(const QvTransformImpl& other)
      : QvTransform(other), m_from(other.m_from), m_to(other.m_to), m_mode(other.m_mode) {}
  QvTransformImpl& operator=(const QvTransformImpl& other) {
    m_from = other.m_from;
    m_to = other.m_to;
    m_mode = other.m_mode;
    return *this;
  }
  ~QvTransformImpl() override;
  bool Transform(const char* in, size_t length, std::string& out,
                 QvTransformCtx* ctx = nullptr) const override;

 private:
  unsigned int m_from, m_to;  // code pages
  QvTransformMode m_mode;
};

class BREVIN_API QvFromUnicodeTransformImpl : public QvFromUnicodeTransform {
 public:
  QvFromUnicodeTransformImpl(const QvCharset* to, QvTransformMode mode = QvTransformPlain);
  QvFromUnicodeTransformImpl(const QvFromUnicodeTransformImpl& other)
      : QvFromUnicodeTransform(other), m_to(other.m_to), m_mode(other.m_mode) {}
  QvFromUnicodeTransformImpl& operator=(const QvFromUnicodeTransformImpl& other) {
    m_to = other.m_to;
    m_mode = other.m_mode;
    return *this;
  }
  ~QvFromUnicodeTransformImpl() override;
  bool Transform(const wchar_t* in, size_t length, std::string& out,
                 QvTransformCtx* ctx = nullptr) const override;

 private:
  unsigned int m_to;
  QvTransformMode m_mode;
};

class BREVIN_API QvToUnicodeTransformImpl : public QvToUnicodeTransform {
 public:
  QvToUnicodeTransformImpl(const QvCharset* from, QvTransformMode mode = QvTransformPlain);
  QvToUnicodeTransformImpl(const QvToUnicodeTransformImpl& other)
      : QvToUnicodeTransform(other), m_from(other.m_from), m_mode(other.m_mode) {}
  QvToUnicodeTransformImpl& operator=(const QvToUnicodeTransformImpl& other) {
    m_from = other.m_from;
    m_mode = other.m_mode;
    return *this;
  }
  ~QvToUnicodeTransformImpl() override;
  bool Transform(const char* in, size_t length, std::wstring& out,
                 QvTransformCtx* ctx = nullptr) const override;

 private:
  unsigned int m_from;
  QvTransformMode m_mode;
};

// The transforms on zero-ended texts; a null text fails.
class BREVIN_API QvPCharTransformer {
 public:
  QvPCharTransformer() {}
  QvPCharTransformer(const QvPCharTransformer&) {}
  virtual ~QvPCharTransformer();
  virtual bool Transform(const char* text, std::string& out, QvTransformCtx* ctx = nullptr) const = 0;
};

class BREVIN_API QvFromUnicodePCharTransformer {
 public:
  QvFromUnicodePCharTransformer() {}
  QvFromUnicodePCharTransformer(const QvFromUnicodePCharTransformer&) {}
  virtual ~QvFromUnicodePCharTransformer();
  virtual bool Transform(const wchar_t* text, std::string& out, QvTransformCtx* ctx = nullptr) const = 0;
};

class BREVIN_API QvToUnicodePCharTransformer {
 public:
  QvToUnicodePCharTransformer() {}
  QvToUnicodePCharTransformer(const QvToUnicodePCharTransformer&) {}
  virtual ~QvToUnicodePCharTransformer();
  virtual bool Transform(const char* text, std::wstring& out, QvTransformCtx* ctx = nullptr) const = 0;
};

// Each runs a transform that it borrows (which must outlive it).
class BREVIN_API QvPCharTransformerImpl : public QvPCharTransformer {
 public:
  explicit QvPCharTransformerImpl(const QvTransform& transform) : m_transform(&transform) {}
  QvPCharTransformerImpl(const QvPCharTransformerImpl& other)
      : QvPCharTransformer(other), m_transform(other.m_transform) {}
  QvPCharTransformerImpl& operator=(const QvPCharTransformerImpl& other) {
    m_transform = other.m_transform;
    return *this;
  }
  ~QvPCharTransformerImpl() override;
  bool Transform(const char* text, std::string& out, QvTransformCtx* ctx = nullptr) const override;

 private:
  const QvTransform* m_transform;
};

class BREVIN_API QvFromUnicodePCharTransformerImpl : public QvFromUnicodePCharTransformer {
 public:
  explicit QvFromUnicodePCharTransformerImpl(const QvFromUnicodeTransform& transform)
      : m_transform(&transform) {}
  QvFromUnicodePCharTransformerImpl(const QvFromUnicodePCharTransformerImpl& other)
      : QvFromUnicodePCharTransformer(other), m_transform(other.m_transform) {}
  QvFromUnicodePCharTransformerImpl& operator=(const QvFromUnicodePCharTransformerImpl& other) {
    m_transform = other.m_transform;
    return *this;
  }
  ~QvFromUnicodePCharTransformerImpl() override;
  bool Transform(const wchar_t* text, std::string& out, QvTransformCtx* ctx = nullptr) const override;

 private:
  const QvFromUnicodeTransform* m_transform;
};

class BREVIN_API QvToUnicodePCharTransformerImpl : public QvToUnicodePCharTransformer {
 public:
  explicit QvToUnicodePCharTransformerImpl(const QvToUnicodeTransform& transform)
      : m_transform(&transform) {}
  QvToUnicodePCharTransformerImpl(const QvToUnicodePCharTransformerImpl& other)
      : QvToUnicodePCharTransformer(other), m_transform(other.m_transform) {}
  QvToUnicodePCharTransformerImpl& operator=(const QvToUnicodePCharTransformerImpl& other) {
    m_transform = other.m_transform;
    return *this;
  }
  ~QvToUnicodePCharTransformerImpl() override;
  bool Transform(const char* text, std::wstring& out, QvTransformCtx* ctx = nullptr) const override;

 private:
  const QvToUnicodeTransform* m_transform;
};

// Steps through a zero-ended text of a charset one character at a time. The lookup table
// has an entry per byte: bit 28 set marks a byte that is a whole character by itself, the
// low bits giving its code point; any other byte is read by the implementation.
class BREVIN_API QvPCharIterator {
 public:
  enum : unsigned long { kSingle = 0x10000000UL, kCodeMask = 0x001FFFFFUL };
  QvPCharIterator() : m_table(nullptr) {}
  explicit QvPCharIterator(const unsigned long* table) : m_table(table) {}
  QvPCharIterator(const QvPCharIterator& other) : m_table(other.m_table) {}
  virtual ~QvPCharIterator();
  // The code point at p, p moved past its bytes. At the terminating zero it answers 0 and
  // leaves p there. A byte that starts no valid character gives U+FFFD and is passed alone.
  unsigned long QuickGetUnicodeChar(const char*& p) const {
    unsigned long entry = m_table[static_cast<unsigned char>(*p)];
    if (entry & kSingle) {
      if (*p) ++p;
      return entry & kCodeMask;
    }
    return GetUnicodeChar(p);
  }
  virtual unsigned long GetUnicodeChar(const char*& p) const = 0;

 protected:
  const unsigned long* m_table;
};

// The iterator of a code page (single- or double-byte).
class BREVIN_API QvPCharIteratorImpl : public QvPCharIterator {
 public:
  explicit QvPCharIteratorImpl(const QvCharset& charset);
  // A copy reads its own table, not the one of the object it was copied from.
  QvPCharIteratorImpl(const QvPCharIteratorImpl& other) : QvPCharIterator(other) { *this = other; }
  QvPCharIteratorImpl& operator=(const QvPCharIteratorImpl& other) {
    m_codePage = other.m_codePage;
    for (int i = 0; i < 256; ++i) m_entries[i] = other.m_entries[i];
    m_table = m_entries;
    return *this;
  }
  ~QvPCharIteratorImpl() override;
  unsigned long GetUnicodeChar(const char*& p) const override;

 private:
  unsigned int m_codePage;
  unsigned long m_entries[256];
};

// The iterator of UTF-8 text.
class BREVIN_API QvPCharIteratorUTF8Impl : public QvPCharIterator {
 public:
  QvPCharIteratorUTF8Impl();
  QvPCharIteratorUTF8Impl(const QvPCharIteratorUTF8Impl& other) : QvPCharIterator(other) { *this = other; }
  QvPCharIteratorUTF8Impl& operator=(const QvPCharIteratorUTF8Impl& other) {
    for (int i = 0; i < 256; ++i) m_entries[i] = other.m_entries[i];
    m_table = m_entries;
    return *this;
  }
  ~QvPCharIteratorUTF8Impl() override;
  unsigned long GetUnicodeChar(const char*& p) const override;

 private:
  unsigned long m_entries[256];
};

// Thrown when a data library cannot be loaded.
class DATA_DLL_LOAD_FAIL {
 public:
  explicit DATA_DLL_LOAD_FAIL(const char* message) : m_message(message) {}
  const char* Text() const { return m_message ? m_message : ""; }

 private:
  const char* m_message;
};
