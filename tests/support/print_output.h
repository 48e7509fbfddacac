// What a print job wrote to its output file.
#pragma once
#include <ctype.h>

#include <string>
#include <vector>

namespace testing_support {

// The pages of a PostScript print file, by their page comments.
inline int PostScriptPages(const std::string& ps) {
  int n = 0;
  for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 1)) ++n;
  return n;
}

// The glyph a PostScript glyph name stands for: letters and digits, a few marks; 0 for a
// blank (left out of texts), '?' for any other.
inline char GlyphCharacter(const std::string& name) {
  static const char* const kDigits[] = {"zero", "one", "two", "three", "four",
                                        "five", "six", "seven", "eight", "nine"};
  if (name.size() == 1 && isalnum(static_cast<unsigned char>(name[0]))) return name[0];
  for (int d = 0; d < 10; ++d)
    if (name == kDigits[d]) return static_cast<char>('0' + d);
  if (name == "space" || name == "uni00A0" || name == "nbspace") return 0;
  if (name == "period") return '.';
  if (name == "comma") return ',';
  if (name == "hyphen") return '-';
  return '?';
}

// The text of each page of a PostScript print file whose fonts show their glyphs by name
// ("/P glyphshow", as the printer driver writes TrueType text), blanks left out.
inline std::vector<std::string> PostScriptPageTexts(const std::string& ps) {
  std::vector<std::string> pages;
  size_t at = ps.find("%%Page:");
  while (at != std::string::npos) {
    const size_t next = ps.find("%%Page:", at + 1);
    const std::string page = ps.substr(at, next == std::string::npos ? std::string::npos : next - at);
    std::string text;
    for (size_t g = page.find(" glyphshow"); g != std::string::npos; g = page.find(" glyphshow", g + 1)) {
      const size_t slash = page.rfind('/', g);
      if (slash == std::string::npos) continue;
      const char c = GlyphCharacter(page.substr(slash + 1, g - slash - 1));
      if (c != 0) text += c;
    }
    pages.push_back(text);
    at = next;
  }
  return pages;
}

}  // namespace testing_support
