// TIFF to DIB on damaged files: valid files written with libtiff, then mutated by a seeded
// mutator (sizes, strip offsets and byte counts, cut files, flipped data bits). Whatever the
// converter returns must be what libtiff's own RGBA reader makes of the file, or NULL where
// that reader fails. Freed heap blocks are filled with a pattern before each conversion, so a
// buffer the converter leaves partly unwritten shows in the result.
#include <gtest/gtest.h>

#include <UITiff.h>

#include <tiffio.h>

#include "dib_canvas.h"
#include "image_testing.h"
#include "test_support.h"
#include "tiff_testing.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tifftest;

uint32_t GetLE(const std::string& b, size_t at, size_t n) {
  uint32_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= uint32_t(BYTE(b[at + i])) << (8 * i);
  return v;
}

void PutLE(std::string* b, size_t at, uint32_t v, size_t n) {
  for (size_t i = 0; i < n; ++i) (*b)[at + i] = char((v >> (8 * i)) & 0xFF);
}

size_t TypeSize(uint16_t type) {
  switch (type) {
    case TIFF_SHORT: case TIFF_SSHORT: return 2;
    case TIFF_LONG: case TIFF_SLONG: case TIFF_FLOAT: case TIFF_IFD: return 4;
    case TIFF_RATIONAL: case TIFF_SRATIONAL: case TIFF_DOUBLE: return 8;
    default: return 1;
  }
}

// The first directory of a little-endian classic TIFF and its strips.
struct TiffParts {
  struct Field {
    uint16_t tag, type;
    uint32_t count;
    std::string value;
  };
  std::vector<Field> fields;
  std::vector<std::string> strips;
};

bool Parse(const std::string& file, TiffParts* parts) {
  if (file.size() < 8 || file.compare(0, 4, std::string("II*\0", 4)) != 0) return false;
  const size_t dir = GetLE(file, 4, 4);
  if (dir + 2 > file.size()) return false;
  const size_t n = GetLE(file, dir, 2);
  const TiffParts::Field *offsets = nullptr, *counts = nullptr;
  parts->fields.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const size_t e = dir + 2 + 12 * i;
    if (e + 12 > file.size()) return false;
    TiffParts::Field f{uint16_t(GetLE(file, e, 2)), uint16_t(GetLE(file, e + 2, 2)), GetLE(file, e + 4, 4), {}};
    const size_t bytes = TypeSize(f.type) * f.count;
    const size_t at = bytes <= 4 ? e + 8 : GetLE(file, e + 8, 4);
    if (at + bytes > file.size()) return false;
    f.value = file.substr(at, bytes);
    parts->fields.push_back(f);
    if (f.tag == TIFFTAG_STRIPOFFSETS) offsets = &parts->fields.back();
    if (f.tag == TIFFTAG_STRIPBYTECOUNTS) counts = &parts->fields.back();
  }
  if (!offsets || !counts || offsets->count != counts->count) return false;
  for (uint32_t i = 0; i < offsets->count; ++i) {
    const size_t offsetSize = TypeSize(offsets->type), countSize = TypeSize(counts->type);
    const size_t at = GetLE(offsets->value, i * offsetSize, offsetSize);
    const size_t bytes = GetLE(counts->value, i * countSize, countSize);
    if (at + bytes > file.size()) return false;
    parts->strips.push_back(file.substr(at, bytes));
  }
  return true;
}

// A file laid out as header, directory, the values too long for the directory, then the strips
// in order: cutting it cuts strips, never the directory.
struct LaidOut {
  std::string bytes;
  std::map<uint16_t, size_t> valueAt;  // where each field's value starts
  std::map<uint16_t, size_t> valueSize;
  size_t stripsStart = 0;
  uint32_t strips = 0;

  bool Has(uint16_t tag) const { return valueAt.count(tag) != 0; }
  uint32_t Get(uint16_t tag, size_t i = 0) const {
    return GetLE(bytes, valueAt.at(tag) + i * valueSize.at(tag), valueSize.at(tag));
  }
  void Set(uint16_t tag, size_t i, uint32_t v) {
    PutLE(&bytes, valueAt.at(tag) + i * valueSize.at(tag), v, valueSize.at(tag));
  }
};

LaidOut LayOut(TiffParts parts) {
  const uint32_t strips = uint32_t(parts.strips.size());
  for (TiffParts::Field& f : parts.fields)
    if (f.tag == TIFFTAG_STRIPOFFSETS || f.tag == TIFFTAG_STRIPBYTECOUNTS) {
      f.type = TIFF_LONG;
      f.count = strips;
      f.value.assign(4 * size_t(strips), '\0');
    }
  LaidOut out;
  const size_t n = parts.fields.size();
  out.bytes.assign(8 + 2 + 12 * n + 4, '\0');
  out.bytes.replace(0, 4, std::string("II*\0", 4));
  PutLE(&out.bytes, 4, 8, 4);
  PutLE(&out.bytes, 8, uint32_t(n), 2);
  for (size_t i = 0; i < n; ++i) {
    const TiffParts::Field& f = parts.fields[i];
    const size_t e = 10 + 12 * i;
    PutLE(&out.bytes, e, f.tag, 2);
    PutLE(&out.bytes, e + 2, f.type, 2);
    PutLE(&out.bytes, e + 4, f.count, 4);
    size_t at = e + 8;
    if (f.value.size() > 4) {
      if (out.bytes.size() % 2) out.bytes += '\0';
      at = out.bytes.size();
      PutLE(&out.bytes, e + 8, uint32_t(at), 4);
      out.bytes += f.value;
    } else {
      out.bytes.replace(at, f.value.size(), f.value);
    }
    out.valueAt[f.tag] = at;
    out.valueSize[f.tag] = TypeSize(f.type);
  }
  out.stripsStart = out.bytes.size();
  out.strips = strips;
  for (uint32_t i = 0; i < strips; ++i) {
    out.Set(TIFFTAG_STRIPOFFSETS, i, uint32_t(out.bytes.size()));
    out.Set(TIFFTAG_STRIPBYTECOUNTS, i, uint32_t(parts.strips[i].size()));
    out.bytes += parts.strips[i];
  }
  return out;
}

TiffParts PartsOf(const Fixture& f) {
  const std::string path = WriteFixture(f);
  const std::string file = testing_support::ReadFile(path);
  DeleteFileA(path.c_str());
  TiffParts parts;
  EXPECT_TRUE(Parse(file, &parts)) << f.name;
  return parts;
}

// A picture as 0x00RRGGBB values, top row first.
struct Picture {
  uint32_t width = 0, height = 0;
  std::vector<DWORD> pixels;
};

// libtiff's own reading, strip by strip through its RGBA reader (each strip decoded into a
// cleared buffer, the first error ending the reading). False where libtiff cannot read it.
// `stripBuffer` gets the bytes of one strip's decoded rows, 0 when unknown.
bool ReadWithLibtiff(const std::string& path, Picture* out, size_t* stripBuffer) {
  *stripBuffer = 0;
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (tif == NULL) return false;
  uint32_t w = 0, h = 0, rows = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows);
  if (rows == 0 || rows > h) rows = h;
  // The mutated sizes stay small: a picture of every pixel is made.
  EXPECT_LE(uint64_t(w) * h, 1u << 24);
  bool ok = w != 0 && h != 0 && uint64_t(w) * h <= (1u << 24);
  if (ok) {
    *stripBuffer = size_t(TIFFScanlineSize64(tif) * rows);
    out->width = w;
    out->height = h;
    out->pixels.assign(size_t(w) * h, 0);
    std::vector<uint32_t> raster(size_t(w) * rows);
    for (uint32_t row = 0; row < h && ok; row += rows) {
      ok = TIFFReadRGBAStripExt(tif, row, raster.data(), 1) != 0;
      const uint32_t n = h - row < rows ? h - row : rows;
      for (uint32_t r = 0; r < n && ok; ++r)
        for (uint32_t x = 0; x < w; ++x) {
          const uint32_t abgr = raster[size_t(n - 1 - r) * w + x];  // the strip's rows bottom-up
          out->pixels[size_t(row + r) * w + x] =
              (DWORD(TIFFGetR(abgr)) << 16) | (DWORD(TIFFGetG(abgr)) << 8) | TIFFGetB(abgr);
        }
    }
  }
  TIFFClose(tif);
  return ok;
}

Picture PictureOf(HGLOBAL dib) {
  DibReader reader(dib);
  Picture p;
  p.width = uint32_t(reader.Header().biWidth);
  p.height = uint32_t(reader.Header().biHeight);
  for (uint32_t y = 0; y < p.height; ++y)
    for (uint32_t x = 0; x < p.width; ++x) p.pixels.push_back(testing_support::PixelOf(reader.At(x, y)));
  return p;
}

// Freed heap blocks of one size filled with a pattern, kept apart by live ones so that each
// stays a block of its own, for the duration of the scope.
class LitteredHeap {
 public:
  explicit LitteredHeap(size_t bytes) {
    if (bytes == 0 || bytes > (1u << 24)) return;
    for (int i = 0; i < 64; ++i) {
      void* p = malloc(bytes);
      if (p == nullptr) break;
      memset(p, 0xA5, bytes);
      m_blocks.push_back(p);
    }
    for (size_t i = 0; i < m_blocks.size(); i += 2) {
      free(m_blocks[i]);
      m_blocks[i] = nullptr;
    }
  }
  ~LitteredHeap() {
    for (void* p : m_blocks) free(p);
  }

 private:
  LitteredHeap(const LitteredHeap&) = delete;
  LitteredHeap& operator=(const LitteredHeap&) = delete;
  std::vector<void*> m_blocks;
};

// libtiff's messages off for the scope (the converter silences its own calls only).
class QuietTiff {
 public:
  QuietTiff() : m_error(TIFFSetErrorHandler(NULL)), m_warning(TIFFSetWarningHandler(NULL)) {}
  ~QuietTiff() {
    TIFFSetErrorHandler(m_error);
    TIFFSetWarningHandler(m_warning);
  }

 private:
  TIFFErrorHandler m_error, m_warning;
};

// Converts the file and compares with libtiff's reading; "" when they agree, else what differs.
// `libtiffRead` tells whether libtiff could read the file.
std::string CompareWithLibtiff(const std::string& bytes, bool* libtiffRead = nullptr) {
  const std::string path = imagetest::WriteTempFile("tif", bytes);
  Picture expected;
  size_t stripBuffer = 0;
  const bool readable = ReadWithLibtiff(path, &expected, &stripBuffer);
  if (libtiffRead) *libtiffRead = readable;
  HGLOBAL dib = NULL;
  {
    LitteredHeap litter(stripBuffer);
    dib = UITiffConvertToDIB(path.c_str());
  }
  DeleteFileA(path.c_str());
  if (!readable) {
    if (dib == NULL) return "";
    GlobalFree(dib);
    return "converted what libtiff cannot read";
  }
  if (dib == NULL) return "NULL for what libtiff reads";
  const Picture got = PictureOf(dib);
  std::ostringstream what;
  if (got.width != expected.width || got.height != expected.height) {
    what << "size " << got.width << "x" << got.height << ", libtiff " << expected.width << "x" << expected.height;
    return what.str();
  }
  for (size_t i = 0; i < got.pixels.size(); ++i)
    if (got.pixels[i] != expected.pixels[i]) {
      what << std::hex << "pixel " << std::dec << i % got.width << "," << i / got.width << ": " << std::hex
           << got.pixels[i] << ", libtiff " << expected.pixels[i];
      return what.str();
    }
  return "";
}

// Base images: each layout the converter takes, in one or several strips.
const Fixture kBases[] = {
    {"g3_1d", 45, 30, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX3, 8},
    {"g3_2d", 45, 30, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX3, 30, false, PLANARCONFIG_CONTIG, false,
     GROUP3OPT_2DENCODING},
    {"g4", 64, 40, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4},
    {"g4_strips", 50, 33, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, 10},
    {"bilevel", 37, 12, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_NONE, 5},
    {"palette8_lzw", 23, 17, 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_LZW, 5},
    {"palette4", 21, 9, 4, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, 4},
    {"rgb", 19, 13, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, 3},
    {"rgb_packbits", 19, 13, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_PACKBITS},
    {"grey_deflate", 27, 11, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE, 4},
};

// A badly terminated fax strip: libtiff decodes the rows it can and reports success.
TEST(TiffDamage, RowsAFaxStripDoesNotReachAreBlank) {
  QuietTiff quiet;
  struct Case {
    const char* base;
    size_t strip;  // the strip cut to half its bytes
  } cases[] = {{"g4", 0}, {"g4_strips", 1}, {"g4_strips", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.base << ", strip " << c.strip);
    const Fixture* base = nullptr;
    for (const Fixture& f : kBases)
      if (strcmp(f.name, c.base) == 0) base = &f;
    ASSERT_NE(base, nullptr);
    TiffParts parts = PartsOf(*base);
    ASSERT_LT(c.strip, parts.strips.size());
    parts.strips[c.strip].resize(parts.strips[c.strip].size() / 2);
    const std::string bytes = LayOut(parts).bytes;
    bool read = false;
    EXPECT_EQ(CompareWithLibtiff(bytes, &read), "");
    ASSERT_TRUE(read) << "libtiff no longer reads a badly terminated strip";

    // The last row of the cut strip is blank, while the image itself has black there.
    const std::string path = imagetest::WriteTempFile("tif", bytes);
    HGLOBAL dib = UITiffConvertToDIB(path.c_str());
    DeleteFileA(path.c_str());
    ASSERT_NE(dib, nullptr);
    const Picture got = PictureOf(dib);
    const uint32_t rows = base->rowsPerStrip ? base->rowsPerStrip : base->height;
    const uint32_t last = std::min(uint32_t(c.strip + 1) * rows, base->height) - 1;
    int notWhite = 0, black = 0;
    for (uint32_t x = 0; x < base->width; ++x) {
      notWhite += got.pixels[size_t(last) * base->width + x] != 0xFFFFFFu;
      black += Sample(*base, x, last, 0) != 0;
    }
    EXPECT_EQ(notWhite, 0);
    EXPECT_GT(black, 0);
  }
}

// splitmix64: the same cases on every run.
class Random {
 public:
  explicit Random(uint64_t seed) : m_state(seed) {}
  uint32_t Next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }

 private:
  uint64_t m_state;
};

// A size near the original one, or anything up to four times it.
uint32_t MutatedSize(uint32_t v, Random& r) {
  const uint32_t choices[] = {0, 1, v - 1, v + 1, v * 2, v / 2, v + 1 + r.Below(16), r.Below(4 * v + 16)};
  return choices[r.Below(8)];
}

// Applies one to three mutations to a copy of `original`; returns what was done.
std::string Mutate(const LaidOut& original, LaidOut* f, Random& r) {
  std::ostringstream what;
  for (uint32_t n = 1 + r.Below(3); n > 0; --n) {
    const uint32_t size = uint32_t(f->bytes.size());
    const uint32_t strip = r.Below(f->strips);
    switch (r.Below(6)) {
      case 0:
      case 1: {
        const uint16_t tag = uint16_t(r.Below(2) ? TIFFTAG_IMAGEWIDTH : TIFFTAG_IMAGELENGTH);
        const uint32_t v = MutatedSize(original.Get(tag), r);
        f->Set(tag, 0, v);
        what << (tag == TIFFTAG_IMAGEWIDTH ? "width " : "length ") << v << "; ";
        break;
      }
      case 2: {
        const uint32_t v = f->Get(TIFFTAG_STRIPOFFSETS, strip);
        const uint32_t choices[] = {v - 1 - r.Below(8), v + 1 + r.Below(8), r.Below(size + 64), size, 0};
        f->Set(TIFFTAG_STRIPOFFSETS, strip, choices[r.Below(5)]);
        what << "strip " << strip << " at " << f->Get(TIFFTAG_STRIPOFFSETS, strip) << "; ";
        break;
      }
      case 3: {
        const uint32_t v = f->Get(TIFFTAG_STRIPBYTECOUNTS, strip);
        const uint32_t choices[] = {0, v / 2, v - 1, v + 1, r.Below(2 * v + 1), 4 * v + 100};
        f->Set(TIFFTAG_STRIPBYTECOUNTS, strip, choices[r.Below(6)]);
        what << "strip " << strip << " of " << f->Get(TIFFTAG_STRIPBYTECOUNTS, strip) << " bytes; ";
        break;
      }
      case 4:
        if (size > f->stripsStart) {
          f->bytes.resize(f->stripsStart + r.Below(uint32_t(size - f->stripsStart)));
          what << "cut to " << f->bytes.size() << "; ";
        }
        break;
      default:
        for (uint32_t k = 1 + r.Below(4); k > 0 && size > f->stripsStart; --k) {
          const size_t at = f->stripsStart + r.Below(uint32_t(size - f->stripsStart));
          f->bytes[at] = char(f->bytes[at] ^ (1 << r.Below(8)));
          what << "bit flipped at " << at << "; ";
        }
        break;
    }
  }
  return what.str();
}

TEST(TiffDamage, MutatedFilesConvertAsLibtiffReadsThem) {
  QuietTiff quiet;
  for (const Fixture& base : kBases) {
    SCOPED_TRACE(base.name);
    const LaidOut original = LayOut(PartsOf(base));
    ASSERT_EQ(CompareWithLibtiff(original.bytes), "");
    uint64_t seed = 0x5EED;
    for (const char* c = base.name; *c; ++c) seed = seed * 131 + BYTE(*c);
    Random random(seed);
    int read = 0, refused = 0, failures = 0;
    for (int i = 0; i < 120 && failures < 5; ++i) {
      LaidOut mutated = original;
      const std::string what = Mutate(original, &mutated, random);
      bool libtiffRead = false;
      const std::string differs = CompareWithLibtiff(mutated.bytes, &libtiffRead);
      (libtiffRead ? read : refused)++;
      if (!differs.empty()) {
        ++failures;
        ADD_FAILURE() << "case " << i << " (" << what << "): " << differs;
      }
    }
    // The mutations reach both sides: files libtiff still reads and files it refuses.
    EXPECT_GT(read, 0);
    EXPECT_GT(refused, 0);
  }
}

}  // namespace
