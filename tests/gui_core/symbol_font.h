// A TrueType font made in memory for the tests: one family of the symbol character set only
// (symbol code-page range, symbol cmap), under a family name the test chooses, installed
// for this process with AddFontMemResourceEx for the scope.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The bytes of a complete TrueType file whose family is `family` (at most 31 characters).
std::vector<BYTE> MakeSymbolFont(const std::wstring& family);

class MemoryFont {
 public:
  explicit MemoryFont(const std::wstring& family);
  ~MemoryFont();
  MemoryFont(const MemoryFont&) = delete;
  MemoryFont& operator=(const MemoryFont&) = delete;
  // Whether the system took the font (the number of fonts it installed is 1).
  bool installed() const { return m_handle != NULL && m_count == 1; }

 private:
  HANDLE m_handle = NULL;
  DWORD m_count = 0;
};
