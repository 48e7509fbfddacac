// The smallest TrueType file that GDI takes as a font: two glyphs (an empty .notdef and a
// square), a symbol cmap (platform 3, encoding 0) that maps U+F041 to the square, and an
// OS/2 table whose only code page is the symbol one.
#include "symbol_font.h"

#include <stdint.h>

#include <map>
#include <string>

namespace {

// Big-endian writer.
struct Bytes {
  std::vector<BYTE> data;
  void u8(unsigned v) { data.push_back(static_cast<BYTE>(v)); }
  void u16(unsigned v) {
    u8(v >> 8);
    u8(v);
  }
  void s16(int v) { u16(static_cast<unsigned>(v) & 0xFFFF); }
  void u32(uint32_t v) {
    u16(v >> 16);
    u16(v & 0xFFFF);
  }
  void zeros(size_t n) { data.insert(data.end(), n, 0); }
  void put32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<BYTE>(v >> (24 - 8 * i));
  }
};

uint32_t Checksum(const std::vector<BYTE>& table) {
  uint32_t sum = 0;
  for (size_t i = 0; i < table.size(); i += 4) {
    uint32_t word = 0;
    for (size_t j = 0; j < 4; ++j) word = (word << 8) | (i + j < table.size() ? table[i + j] : 0);
    sum += word;
  }
  return sum;
}

const int kUnitsPerEm = 1000;
const unsigned kSymbolCode = 0xF041;

std::vector<BYTE> Head() {
  Bytes t;
  t.u32(0x00010000);  // version
  t.u32(0x00010000);  // font revision
  t.u32(0);           // checksum adjustment, set when the file is complete
  t.u32(0x5F0F3CF5);  // magic
  t.u16(0x000B);      // baseline and left side bearing at 0, integer scaling
  t.u16(kUnitsPerEm);
  t.zeros(16);  // created, modified
  t.s16(0);
  t.s16(0);
  t.s16(800);
  t.s16(800);  // bounding box
  t.u16(0);    // mac style
  t.u16(8);    // lowest readable size
  t.s16(2);    // direction hint
  t.s16(0);    // short loca offsets
  t.s16(0);    // glyph data format
  return t.data;
}

std::vector<BYTE> Hhea() {
  Bytes t;
  t.u32(0x00010000);
  t.s16(800);   // ascender
  t.s16(-200);  // descender
  t.s16(0);     // line gap
  t.u16(1000);  // advance width max
  t.s16(0);
  t.s16(0);
  t.s16(800);  // min bearings, max extent
  t.s16(1);
  t.s16(0);
  t.s16(0);  // caret
  t.zeros(8);
  t.s16(0);  // metric data format
  t.u16(2);  // horizontal metrics
  return t.data;
}

std::vector<BYTE> Hmtx() {
  Bytes t;
  for (int glyph = 0; glyph < 2; ++glyph) {
    t.u16(1000);
    t.s16(0);
  }
  return t.data;
}

std::vector<BYTE> Maxp() {
  Bytes t;
  t.u32(0x00010000);
  t.u16(2);  // glyphs
  t.u16(4);  // points
  t.u16(1);  // contours
  t.u16(0);
  t.u16(0);  // composite points and contours
  t.u16(2);  // zones
  t.zeros(16);
  return t.data;
}

// Glyph 0 is empty; glyph 1 is a square.
std::vector<BYTE> Glyf() {
  Bytes t;
  t.s16(1);
  t.s16(0);
  t.s16(0);
  t.s16(800);
  t.s16(800);
  t.u16(3);  // last point of the contour
  t.u16(0);  // no instructions
  for (int i = 0; i < 4; ++i) t.u8(0x01);  // on-curve, 16-bit coordinates
  for (int dx : {0, 0, 800, 0}) t.s16(dx);
  for (int dy : {0, 800, 0, -800}) t.s16(dy);
  return t.data;
}

std::vector<BYTE> Loca(size_t glyfSize) {
  Bytes t;
  t.u16(0);
  t.u16(0);
  t.u16(static_cast<unsigned>(glyfSize / 2));
  return t.data;
}

// Format 4: the symbol code to glyph 1, and the closing segment.
std::vector<BYTE> Cmap() {
  Bytes sub;
  const unsigned segments = 2;
  sub.u16(4);
  sub.u16(16 + 8 * segments);
  sub.u16(0);  // language
  sub.u16(segments * 2);
  sub.u16(4);  // search range
  sub.u16(1);  // entry selector
  sub.u16(0);  // range shift
  sub.u16(kSymbolCode);
  sub.u16(0xFFFF);  // end codes
  sub.u16(0);
  sub.u16(kSymbolCode);
  sub.u16(0xFFFF);  // start codes
  sub.u16((1 - kSymbolCode) & 0xFFFF);
  sub.u16(1);  // deltas
  sub.u16(0);
  sub.u16(0);  // range offsets
  Bytes t;
  t.u16(0);
  t.u16(1);
  t.u16(3);
  t.u16(0);  // Windows, symbol
  t.u32(12);
  t.data.insert(t.data.end(), sub.data.begin(), sub.data.end());
  return t.data;
}

std::vector<BYTE> Os2() {
  Bytes t;
  t.u16(1);     // version
  t.s16(1000);  // average width
  t.u16(400);   // weight
  t.u16(5);     // width
  t.u16(0);     // embedding
  t.zeros(20);  // sub- and superscripts, strikeout
  t.s16(0);     // family class
  t.zeros(10);  // panose
  t.zeros(16);  // unicode ranges
  for (char c : {'Q', 'R', 'N', 'L'}) t.u8(static_cast<BYTE>(c));
  t.u16(0x40);  // regular
  t.u16(kSymbolCode);
  t.u16(kSymbolCode);
  t.s16(800);
  t.s16(-200);
  t.s16(0);  // typographic metrics
  t.u16(800);
  t.u16(200);  // Windows metrics
  t.u32(0x80000000);  // code pages: symbol only
  t.u32(0);
  return t.data;
}

std::vector<BYTE> Name(const std::wstring& family) {
  const std::wstring postscript = L"QuarnelTestSymbol";
  const std::map<unsigned, std::wstring> names = {
      {1, family}, {2, L"Regular"}, {3, family}, {4, family}, {6, postscript}};
  Bytes strings;
  Bytes t;
  t.u16(0);
  t.u16(static_cast<unsigned>(names.size()));
  t.u16(static_cast<unsigned>(6 + 12 * names.size()));
  for (const auto& n : names) {
    t.u16(3);
    t.u16(1);
    t.u16(0x409);  // Windows, Unicode, English
    t.u16(n.first);
    t.u16(static_cast<unsigned>(n.second.size() * 2));
    t.u16(static_cast<unsigned>(strings.data.size()));
    for (wchar_t c : n.second) strings.u16(c);
  }
  t.data.insert(t.data.end(), strings.data.begin(), strings.data.end());
  return t.data;
}

std::vector<BYTE> Post() {
  Bytes t;
  t.u32(0x00030000);  // no glyph names
  t.u32(0);           // italic angle
  t.s16(-100);
  t.s16(50);  // underline
  t.zeros(20);
  return t.data;
}

}  // namespace

std::vector<BYTE> MakeSymbolFont(const std::wstring& family) {
  const std::vector<BYTE> glyf = Glyf();
  // In tag order, as the table directory wants them.
  const std::vector<std::pair<const char*, std::vector<BYTE>>> tables = {
      {"OS/2", Os2()}, {"cmap", Cmap()}, {"glyf", glyf},   {"head", Head()}, {"hhea", Hhea()},
      {"hmtx", Hmtx()}, {"loca", Loca(glyf.size())}, {"maxp", Maxp()}, {"name", Name(family)}, {"post", Post()},
  };
  const unsigned count = static_cast<unsigned>(tables.size());
  Bytes file;
  file.u32(0x00010000);
  file.u16(count);
  file.u16(128);  // search range: 16 * the largest power of two <= count (8)
  file.u16(3);
  file.u16(count * 16 - 128);
  size_t offset = 12 + 16 * count;
  size_t headAt = 0;
  for (const auto& table : tables) {
    for (int i = 0; i < 4; ++i) file.u8(static_cast<BYTE>(table.first[i]));
    file.u32(Checksum(table.second));
    file.u32(static_cast<uint32_t>(offset));
    file.u32(static_cast<uint32_t>(table.second.size()));
    if (std::string(table.first) == "head") headAt = offset;
    offset += (table.second.size() + 3) & ~size_t(3);
  }
  for (const auto& table : tables) {
    file.data.insert(file.data.end(), table.second.begin(), table.second.end());
    file.zeros((4 - table.second.size() % 4) % 4);
  }
  file.put32(headAt + 8, 0xB1B0AFBA - Checksum(file.data));
  return file.data;
}

MemoryFont::MemoryFont(const std::wstring& family) {
  std::vector<BYTE> data = MakeSymbolFont(family);
  m_handle = AddFontMemResourceEx(data.data(), static_cast<DWORD>(data.size()), NULL, &m_count);
}

MemoryFont::~MemoryFont() {
  if (m_handle) RemoveFontMemResourceEx(m_handle);
}
