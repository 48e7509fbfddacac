// What a print job wrote to its output file.
#pragma once
#include <string>

namespace testing_support {

// The pages of a PostScript print file, by their page comments.
inline int PostScriptPages(const std::string& ps) {
  int n = 0;
  for (size_t at = ps.find("%%Page:"); at != std::string::npos; at = ps.find("%%Page:", at + 1)) ++n;
  return n;
}

}  // namespace testing_support
