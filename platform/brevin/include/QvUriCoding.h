// URI coding of byte texts (RFC 3986 percent-encoding).
//
// The encoder keeps the unreserved characters (ASCII letters and digits, '-', '.', '_' and
// '~') and the characters the caller names as safe, and writes every other byte as '%'
// and two upper-case hexadecimal digits. The decoder turns each "%hh" back into its byte
// and keeps every other character; a '%' not followed by two hexadecimal digits makes it
// fail, leaving its output as it was.
#pragma once
#include <stddef.h>

#include <string>

#include "brevin_api.h"

class BREVIN_API QvUriEncoder {
 public:
  QvUriEncoder() {}
  QvUriEncoder(const QvUriEncoder&) {}
  virtual ~QvUriEncoder();
  virtual bool Encode(const char* in, size_t length, std::string& out) const = 0;
  std::string operator()(const std::string& in) const;
};

class BREVIN_API QvUriDecoder {
 public:
  QvUriDecoder() {}
  QvUriDecoder(const QvUriDecoder&) {}
  virtual ~QvUriDecoder();
  virtual bool Decode(const char* in, size_t length, std::string& out) const = 0;
};

class BREVIN_API QvUriEncoderImpl : public QvUriEncoder {
 public:
  // safe: more characters to keep as they are, e.g. "/" for paths; null for none.
  explicit QvUriEncoderImpl(const char* safe = nullptr);
  QvUriEncoderImpl(const QvUriEncoderImpl& other) : QvUriEncoder(other) { *this = other; }
  QvUriEncoderImpl& operator=(const QvUriEncoderImpl& other) {
    for (int i = 0; i < 8; ++i) m_keep[i] = other.m_keep[i];
    return *this;
  }
  ~QvUriEncoderImpl() override;
  bool Encode(const char* in, size_t length, std::string& out) const override;

 private:
  unsigned int m_keep[8];  // one bit per byte value
};

// Besides the interface, the decoder keeps the bytes of its last DecodeText in a buffer of
// its own, readable as a zero-ended text (the decoded bytes may hold zeros: size() counts
// them all).
class BREVIN_API QvUriDecoderImpl : public QvUriDecoder {
 public:
  QvUriDecoderImpl() : m_buffer(nullptr), m_size(0), m_capacity(0) {}
  // Copies own their buffer.
  QvUriDecoderImpl(const QvUriDecoderImpl& other)
      : QvUriDecoder(other), m_buffer(nullptr), m_size(0), m_capacity(0) {
    *this = other;
  }
  QvUriDecoderImpl& operator=(const QvUriDecoderImpl& other) {
    if (this != &other) Assign(other.m_buffer, other.m_size);
    return *this;
  }
  ~QvUriDecoderImpl() override;

  bool Decode(const char* in, size_t length, std::string& out) const override;
  // Decodes a zero-ended text into the buffer; on failure the buffer keeps what it held.
  bool DecodeText(const char* text);

  size_t size() const { return m_size; }
  operator const char*() {
    if (!m_buffer) Reserve(m_size + 1);
    m_buffer[m_size] = 0;
    return m_buffer;
  }

 private:
  void Assign(const char* bytes, size_t size);
  // Capacity 128, doubled until it holds the bytes.
  void Reserve(size_t bytes);
  char* m_buffer;
  size_t m_size;
  size_t m_capacity;
};
