// Encoding and decoding of link texts.
#include <stdio.h>

#include "QvUrlParam.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsAsciiAlnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

void HyperlinkEncodeString(QvString& text) {
  // The escape characters first: what is written after them must stay as it is.
  text.Replace("%", "%25");
  text.Replace("\\", "%5c");
  text.Replace(" ", "%20");
  text.Replace("&", "%26");
  text.Replace("=", "%3d");
  text.Replace(":", "%3a");
}

QvString HyperlinkUrlEncodeString(QvString& text) {
  const std::string& in = text.str();
  std::string out;
  out.reserve(in.size() * 3);
  for (char c : in) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (IsAsciiAlnum(byte)) {
      out += c;
    } else {
      char escape[4];
      snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned>(byte));
      out += escape;
    }
  }
  return QvString(std::move(out));
}

QvString HyperlinkDecodeString(QvString text) {
  const std::string& in = text.str();
  const size_t n = in.size();
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    char c = in[i];
    if (c == '\\') {
      if (i + 1 >= n) {  // a backslash at the very end stays
        out += c;
        break;
      }
      char next = in[++i];
      if (next != ' ' && next != '"' && next != '#' && next != '&' && next != '?') out += c;
      out += next;
    } else if (c == '%' && i + 2 < n && HexValue(in[i + 1]) >= 0 && HexValue(in[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(in[i + 1]) * 16 + HexValue(in[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return QvString(std::move(out));
}
