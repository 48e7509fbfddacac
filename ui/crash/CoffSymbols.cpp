// COFF symbols and line numbers of a module file. Every offset read from the file is checked
// against the file's size: a damaged image gives "not found", never a read outside the view.
#include "UICoffSymbols.h"

#include <string.h>

namespace {

const size_t kSymbolSize = 18;
const size_t kLineSize = 6;
const BYTE kClassExternal = 2;
const BYTE kClassStatic = 3;
const BYTE kClassFile = 0x67;

DWORD Dword(const BYTE* p) {
  DWORD v;
  memcpy(&v, p, sizeof v);
  return v;
}

WORD Word(const BYTE* p) {
  WORD v;
  memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

CCoffSymbols::CCoffSymbols()
    : m_file(INVALID_HANDLE_VALUE), m_mapping(NULL), m_view(NULL), m_size(0), m_symbols(NULL),
      m_symbolCount(0), m_strings(NULL), m_stringsSize(0), m_lines(NULL), m_lineCount(0) {}

CCoffSymbols::~CCoffSymbols() { Close(); }

void CCoffSymbols::Close() {
  if (m_view != NULL) UnmapViewOfFile(m_view);
  if (m_mapping != NULL) CloseHandle(m_mapping);
  if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
  m_mapping = NULL;
  m_view = NULL;
  m_size = 0;
  m_symbols = m_strings = m_lines = NULL;
  m_symbolCount = m_stringsSize = m_lineCount = 0;
}

bool CCoffSymbols::Open(const wchar_t* path) {
  Close();
  m_file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
  if (m_file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_file, &size) || size.QuadPart <= 0) {
    Close();
    return false;
  }
  m_mapping = CreateFileMappingW(m_file, NULL, PAGE_READONLY, 0, 0, NULL);
  if (m_mapping != NULL) m_view = static_cast<const BYTE*>(MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0));
  if (m_view == NULL) {
    Close();
    return false;
  }
  m_size = static_cast<ULONGLONG>(size.QuadPart);
  FindTables();
  return true;
}

const BYTE* CCoffSymbols::At(ULONGLONG offset, ULONGLONG size) const {
  if (offset > m_size || size > m_size - offset) return NULL;
  return m_view + offset;
}

void CCoffSymbols::FindTables() {
  const BYTE* dos = At(0, 0x40);
  if (dos == NULL || dos[0] != 'M' || dos[1] != 'Z') return;
  ULONGLONG nt = Dword(dos + 0x3C);
  const BYTE* sig = At(nt, 4 + 20 + 2);
  if (sig == NULL || memcmp(sig, "PE\0\0", 4) != 0) return;
  const BYTE* fileHeader = sig + 4;
  WORD sectionCount = Word(fileHeader + 2);
  WORD optionalSize = Word(fileHeader + 16);
  ULONGLONG optional = nt + 4 + 20;
  const BYTE* opt = At(optional, optionalSize);
  if (opt == NULL || optionalSize < 2) return;
  WORD magic = Word(opt);
  ULONGLONG dirCountAt, dirsAt;
  if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    dirCountAt = 92;
    dirsAt = 96;
  } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    dirCountAt = 108;
    dirsAt = 112;
  } else {
    return;
  }
  if (optionalSize < dirsAt + 8 * (IMAGE_DIRECTORY_ENTRY_DEBUG + 1)) return;
  if (Dword(opt + dirCountAt) <= IMAGE_DIRECTORY_ENTRY_DEBUG) return;
  DWORD debugRva = Dword(opt + dirsAt + 8 * IMAGE_DIRECTORY_ENTRY_DEBUG);
  DWORD debugSize = Dword(opt + dirsAt + 8 * IMAGE_DIRECTORY_ENTRY_DEBUG + 4);
  if (debugRva == 0 || debugSize == 0) return;

  // The debug directory lies in a section (".debug", or ".rdata" in later linkers).
  const BYTE* sections = At(optional + optionalSize, static_cast<ULONGLONG>(sectionCount) * 40);
  if (sections == NULL) return;
  const BYTE* directory = NULL;
  for (WORD i = 0; i < sectionCount && directory == NULL; ++i) {
    const BYTE* s = sections + i * 40;
    DWORD virtualSize = Dword(s + 8), virtualAddress = Dword(s + 12);
    DWORD rawSize = Dword(s + 16), rawPointer = Dword(s + 20);
    DWORD extent = virtualSize > rawSize ? virtualSize : rawSize;
    if (debugRva < virtualAddress || debugRva - virtualAddress >= extent) continue;
    ULONGLONG into = debugRva - virtualAddress;
    if (into + debugSize > rawSize) return;
    directory = At(static_cast<ULONGLONG>(rawPointer) + into, debugSize);
  }
  if (directory == NULL) return;

  const size_t kEntrySize = 28;
  for (DWORD at = 0; at + kEntrySize <= debugSize; at += kEntrySize) {
    const BYTE* entry = directory + at;
    if (Dword(entry + 12) != IMAGE_DEBUG_TYPE_COFF) continue;
    DWORD dataSize = Dword(entry + 16);
    ULONGLONG headerAt = Dword(entry + 24);
    const BYTE* header = At(headerAt, 32);
    if (header == NULL || dataSize < 32) return;
    DWORD symbolCount = Dword(header), symbolsLva = Dword(header + 4);
    DWORD lineCount = Dword(header + 8), linesLva = Dword(header + 12);
    if (symbolCount != 0) {
      ULONGLONG symbolsAt = headerAt + symbolsLva;
      const BYTE* symbols = At(symbolsAt, static_cast<ULONGLONG>(symbolCount) * kSymbolSize);
      if (symbols != NULL) {
        m_symbols = symbols;
        m_symbolCount = symbolCount;
        ULONGLONG stringsAt = symbolsAt + static_cast<ULONGLONG>(symbolCount) * kSymbolSize;
        const BYTE* strings = At(stringsAt, 4);
        if (strings != NULL) {
          DWORD stringsSize = Dword(strings);
          if (stringsSize >= 4 && At(stringsAt, stringsSize) != NULL) {
            m_strings = strings;
            m_stringsSize = stringsSize;
          }
        }
      }
    }
    if (lineCount != 0) {
      const BYTE* lines = At(headerAt + linesLva, static_cast<ULONGLONG>(lineCount) * kLineSize);
      if (lines != NULL) {
        m_lines = lines;
        m_lineCount = lineCount;
      }
    }
    return;
  }
}

std::string CCoffSymbols::SymbolName(const BYTE* record) const {
  if (Dword(record) != 0) {
    size_t n = 0;
    while (n < 8 && record[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(record), n);
  }
  DWORD offset = Dword(record + 4);
  if (m_strings == NULL || offset < 4 || offset >= m_stringsSize) return std::string();
  const char* text = reinterpret_cast<const char*>(m_strings + offset);
  size_t n = 0;
  while (offset + n < m_stringsSize && text[n] != 0) ++n;
  return std::string(text, n);
}

std::string CCoffSymbols::FindFile(DWORD offset) const {
  std::string file;
  for (DWORD i = 0; i < m_symbolCount;) {
    const BYTE* record = m_symbols + i * kSymbolSize;
    DWORD aux = record[17];
    DWORD auxAvailable = m_symbolCount - i - 1;
    if (aux > auxAvailable) aux = auxAvailable;
    if (record[16] == kClassFile) {
      // The name fills the auxiliary records, padded with NULs.
      const char* name = reinterpret_cast<const char*>(record + kSymbolSize);
      size_t limit = aux * kSymbolSize, n = 0;
      while (n < limit && name[n] != 0) ++n;
      file.assign(name, n);
    } else if (aux >= 1) {
      std::string name = SymbolName(record);
      if (name == ".text" || name == "CODE") {
        DWORD start = Dword(record + 8);
        DWORD length = Dword(record + kSymbolSize);
        if (offset >= start && offset - start < length) return file;
      }
    }
    i += 1 + aux;
  }
  return std::string();
}

std::string CCoffSymbols::FindFunction(DWORD offset) const {
  const BYTE* best = NULL;
  DWORD bestValue = 0;
  for (DWORD i = 0; i < m_symbolCount;) {
    const BYTE* record = m_symbols + i * kSymbolSize;
    WORD type = Word(record + 14);
    BYTE storage = record[16];
    DWORD value = Dword(record + 8);
    if ((type & 0x30) == 0x20 && (storage == kClassExternal || storage == kClassStatic) &&
        value <= offset && (best == NULL || value > bestValue)) {
      best = record;
      bestValue = value;
    }
    i += 1 + record[17];
  }
  return best != NULL ? SymbolName(best) : std::string();
}

int CCoffSymbols::FindLine(DWORD offset) const {
  int line = 0;
  DWORD bestAddress = 0;
  for (DWORD i = 0; i < m_lineCount; ++i) {
    const BYTE* record = m_lines + i * kLineSize;
    DWORD address = Dword(record);
    WORD number = Word(record + 4);
    if (number != 0 && address <= offset && (line == 0 || address > bestAddress)) {
      line = number;
      bestAddress = address;
    }
  }
  return line;
}
