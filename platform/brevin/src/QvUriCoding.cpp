#include "QvUriCoding.h"

#include <string.h>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

QvUriEncoder::~QvUriEncoder() = default;
QvUriDecoder::~QvUriDecoder() = default;

std::string QvUriEncoder::operator()(const std::string& in) const {
  std::string out;
  Encode(in.data(), in.size(), out);
  return out;
}

QvUriEncoderImpl::QvUriEncoderImpl(const char* safe) {
  memset(m_keep, 0, sizeof m_keep);
  auto keep = [this](unsigned char c) { m_keep[c >> 5] |= 1u << (c & 31); };
  for (unsigned c = 0; c < 128; ++c)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '.' || c == '_' || c == '~')
      keep(static_cast<unsigned char>(c));
  // '%' always escapes itself, else the decoder could not undo the encoding.
  for (const char* p = safe; p && *p; ++p)
    if (*p != '%') keep(static_cast<unsigned char>(*p));
}

QvUriEncoderImpl::~QvUriEncoderImpl() = default;

bool QvUriEncoderImpl::Encode(const char* in, size_t length, std::string& out) const {
  if (!in && length) return false;
  static const char kHex[] = "0123456789ABCDEF";
  std::string result;
  result.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    if (m_keep[c >> 5] & (1u << (c & 31))) {
      result += static_cast<char>(c);
    } else {
      result += '%';
      result += kHex[c >> 4];
      result += kHex[c & 15];
    }
  }
  out.swap(result);
  return true;
}

QvUriDecoderImpl::~QvUriDecoderImpl() { delete[] m_buffer; }

bool QvUriDecoderImpl::Decode(const char* in, size_t length, std::string& out) const {
  if (!in && length) return false;
  std::string result;
  result.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    if (in[i] != '%') {
      result += in[i];
      continue;
    }
    // Two hexadecimal digits must follow.
    if (i + 2 >= length) return false;
    int high = HexValue(in[i + 1]), low = HexValue(in[i + 2]);
    if (high < 0 || low < 0) return false;
    result += static_cast<char>(high * 16 + low);
    i += 2;
  }
  out.swap(result);
  return true;
}

bool QvUriDecoderImpl::DecodeText(const char* text) {
  std::string decoded;
  if (!text || !Decode(text, strlen(text), decoded)) return false;
  Assign(decoded.data(), decoded.size());
  return true;
}

void QvUriDecoderImpl::Reserve(size_t bytes) {
  if (m_buffer && m_capacity >= bytes) return;
  size_t capacity = 128;
  while (capacity < bytes) capacity *= 2;
  char* buffer = new char[capacity];
  if (m_buffer) memcpy(buffer, m_buffer, m_size);
  delete[] m_buffer;
  m_buffer = buffer;
  m_capacity = capacity;
}

void QvUriDecoderImpl::Assign(const char* bytes, size_t size) {
  Reserve(size + 1);
  if (size) memcpy(m_buffer, bytes, size);
  m_size = size;
  m_buffer[size] = 0;
}
