#include "tiff_testing.h"

#include "test_support.h"

#include <vector>

namespace tifftest {

unsigned Sample(const Fixture& s, uint32_t x, uint32_t y, unsigned k) {
  const unsigned max = s.bps >= 16 ? 0xFFFF : (1u << s.bps) - 1;
  return (x * 7 + y * 13 + k * 5 + (x * y) / 3) % (max + 1);
}

void MapEntry(unsigned i, BYTE* r, BYTE* g, BYTE* b) {
  *r = BYTE(i * 37 + 11);
  *g = BYTE(255 - i * 19);
  *b = BYTE(i * 101 + 3);
}

std::string WriteFixture(const Fixture& s) {
  std::string path = testing_support::TempPath("tif");
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return path;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bps);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.spp);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
  if (s.compression == COMPRESSION_CCITTFAX3) TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, s.group3Options);
  if ((s.spp == 2 || s.spp == 4) && s.photometric != PHOTOMETRIC_SEPARATED) {
    uint16_t extra = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
  }
  if (s.photometric == PHOTOMETRIC_PALETTE) {
    const unsigned n = 1u << s.bps;
    std::vector<uint16_t> r(n), g(n), b(n);
    for (unsigned i = 0; i < n; ++i) {
      BYTE r8, g8, b8;
      MapEntry(i, &r8, &g8, &b8);
      r[i] = s.eightBitMap ? r8 : r8 * 257;
      g[i] = s.eightBitMap ? g8 : g8 * 257;
      b[i] = s.eightBitMap ? b8 : b8 * 257;
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
  }
  const unsigned planes = s.planar == PLANARCONFIG_SEPARATE ? s.spp : 1;
  const unsigned perRow = s.planar == PLANARCONFIG_SEPARATE ? 1 : s.spp;
  auto packRow = [&](uint32_t y, unsigned plane, uint32_t x0, uint32_t count) {
    std::string row((size_t(count) * perRow * s.bps + 7) / 8, '\0');
    for (uint32_t x = 0; x < count; ++x)
      for (unsigned k = 0; k < perRow; ++k) {
        const unsigned v = Sample(s, x0 + x, y, plane + k);
        const size_t bit = (size_t(x) * perRow + k) * s.bps;
        if (s.bps == 16) {
          row[bit / 8] = char(v & 0xFF);
          row[bit / 8 + 1] = char(v >> 8);
        } else if (s.bps == 8) {
          row[bit / 8] = char(v);
        } else {
          row[bit / 8] = char(row[bit / 8] | (v << (8 - s.bps - bit % 8)));
        }
      }
    return row;
  };
  if (s.tiled) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
    for (uint32_t ty = 0; ty < s.height; ty += 16)
      for (uint32_t tx = 0; tx < s.width; tx += 16) {
        std::string tile;
        for (uint32_t y = ty; y < ty + 16; ++y) {
          std::string r = y < s.height ? packRow(y, 0, tx, 16) : std::string();
          r.resize((16 * s.spp * s.bps + 7) / 8, '\0');
          tile += r;
        }
        TIFFWriteEncodedTile(tif, TIFFComputeTile(tif, tx, ty, 0, 0), &tile[0], tile.size());
      }
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, s.rowsPerStrip ? s.rowsPerStrip : s.height);
    for (unsigned plane = 0; plane < planes; ++plane)
      for (uint32_t y = 0; y < s.height; ++y) {
        std::string row = packRow(y, plane, 0, s.width);
        TIFFWriteScanline(tif, &row[0], y, uint16_t(plane));
      }
  }
  TIFFClose(tif);
  return path;
}

}  // namespace tifftest
