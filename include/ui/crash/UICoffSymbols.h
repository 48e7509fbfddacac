// COFF symbols and line numbers of a module file, for naming the frames of a call stack.
// The tables are found through the image's debug directory entry of type COFF.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

#include <string>

class QUARNEL_API CCoffSymbols {
 public:
  CCoffSymbols();
  ~CCoffSymbols();

  // Opens a module file read-only (shared for reading) and maps it; closes the previous one.
  // False when the file cannot be opened or mapped. A file that is no valid image, or has no
  // COFF tables, opens with HasSymbols() false.
  bool Open(const wchar_t* path);
  void Close();
  bool IsOpen() const { return m_view != NULL; }
  bool HasSymbols() const { return m_symbols != NULL; }
  bool HasLines() const { return m_lines != NULL; }

  // For an offset from the module base: the source file (the last file record before the code
  // section record whose range holds the offset), the function (the function symbol with the
  // greatest value not above it) and the line (the line record with the greatest address not
  // above it and a line other than 0). Each is empty, or 0, when not found.
  std::string FindFile(DWORD offset) const;
  std::string FindFunction(DWORD offset) const;
  int FindLine(DWORD offset) const;

 private:
  CCoffSymbols(const CCoffSymbols&) = delete;
  CCoffSymbols& operator=(const CCoffSymbols&) = delete;
  void FindTables();
  std::string SymbolName(const BYTE* record) const;
  const BYTE* At(ULONGLONG offset, ULONGLONG size) const;

  HANDLE m_file;
  HANDLE m_mapping;
  const BYTE* m_view;
  ULONGLONG m_size;
  const BYTE* m_symbols;  // 18-byte records
  DWORD m_symbolCount;
  const BYTE* m_strings;  // string table after the symbols (its first 4 bytes are its size)
  DWORD m_stringsSize;
  const BYTE* m_lines;  // 6-byte records: 32-bit address, 16-bit line
  DWORD m_lineCount;
};
