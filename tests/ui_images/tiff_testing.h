// TIFF fixtures written with libtiff, and the reading of converted DIBs.
#pragma once
#include <windows.h>

#include <UIImages.h>

#include <tiffio.h>

#include <string>

namespace tifftest {

// What a fixture holds.
struct Fixture {
  const char* name;
  uint32_t width, height;
  uint16_t bps, spp, photometric;
  uint16_t compression = COMPRESSION_NONE;
  uint32_t rowsPerStrip = 0;  // 0: one strip
  bool eightBitMap = false;   // palette values written as 0 to 255
  uint16_t planar = PLANARCONFIG_CONTIG;
  bool tiled = false;
  uint32_t group3Options = 0;  // with COMPRESSION_CCITTFAX3
};

// Sample s of pixel (x, y), in 0 to 2^bps - 1.
unsigned Sample(const Fixture& s, uint32_t x, uint32_t y, unsigned k);

// Colour map entry i of palette fixtures: distinct colours.
void MapEntry(unsigned i, BYTE* r, BYTE* g, BYTE* b);

// Writes the fixture with libtiff to a new temporary file; returns its path.
std::string WriteFixture(const Fixture& s);

// A converted DIB, read and freed.
class DibReader {
 public:
  explicit DibReader(HGLOBAL h) : m_h(h) {
    m_p = static_cast<const BYTE*>(GlobalLock(h));
    m_size = GlobalSize(h);
  }
  ~DibReader() {
    GlobalUnlock(m_h);
    GlobalFree(m_h);
  }
  const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(m_p); }
  const RGBQUAD* Table() const { return reinterpret_cast<const RGBQUAD*>(m_p + 40); }
  size_t Stride() const { return ((size_t(Header().biBitCount) * Header().biWidth + 31) / 32) * 4; }
  const BYTE* Row(uint32_t y) const {  // y from the top
    return m_p + 40 + 4 * DIBColorCount(&Header()) + Stride() * (Header().biHeight - 1 - y);
  }
  SIZE_T Size() const { return m_size; }
  COLORREF At(uint32_t x, uint32_t y) const {
    const BYTE* row = Row(y);
    unsigned index;
    switch (Header().biBitCount) {
      case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
      case 4: index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15; break;
      default: index = row[x]; break;
    }
    const RGBQUAD q = Table()[index];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }

 private:
  DibReader(const DibReader&) = delete;
  DibReader& operator=(const DibReader&) = delete;
  HGLOBAL m_h;
  const BYTE* m_p;
  SIZE_T m_size;
};

}  // namespace tifftest
