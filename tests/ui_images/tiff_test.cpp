// TIFF to DIB: files of every supported layout written with libtiff, layouts a DIB cannot
// hold, and damaged files.
#include <gtest/gtest.h>

#include <UIImages.h>
#include <UITiff.h>

#include <tiffio.h>

#include "image_testing.h"
#include "test_support.h"
#include "tiff_testing.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tifftest;

// The colour a correct conversion shows at (x, y).
COLORREF Expected(const Fixture& s, uint32_t x, uint32_t y) {
  const unsigned max = (1u << s.bps) - 1;
  auto widen = [&](unsigned v) { return BYTE(v * 255 / max); };
  switch (s.photometric) {
    case PHOTOMETRIC_MINISBLACK: {
      BYTE v = widen(Sample(s, x, y, 0));
      return RGB(v, v, v);
    }
    case PHOTOMETRIC_MINISWHITE: {
      BYTE v = BYTE(255 - widen(Sample(s, x, y, 0)));
      return RGB(v, v, v);
    }
    case PHOTOMETRIC_PALETTE: {
      BYTE r, g, b;
      MapEntry(Sample(s, x, y, 0), &r, &g, &b);
      return RGB(r, g, b);
    }
    default:
      return RGB(widen(Sample(s, x, y, 0)), widen(Sample(s, x, y, 1)), widen(Sample(s, x, y, 2)));
  }
}

HGLOBAL Convert(const std::string& path) { return UITiffConvertToDIB(path.c_str()); }

// Runs f with the process's standard error going to a file; returns what was written.
std::string CaptureStderr(const std::function<void()>& f) {
  std::string path = testing_support::TempPath("stderr");
  fflush(stderr);
  const int saved = _dup(2);
  const int fd = _open(path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
  _dup2(fd, 2);
  f();
  fflush(stderr);
  _dup2(saved, 2);
  _close(saved);
  _close(fd);
  std::string out = testing_support::ReadFile(path);
  DeleteFileA(path.c_str());
  return out;
}

class Converts : public testing::TestWithParam<Fixture> {};

TEST_P(Converts, EveryPixelAndTheLayout) {
  const Fixture& s = GetParam();
  std::string path = WriteFixture(s);
  HGLOBAL h = Convert(path);
  DeleteFileA(path.c_str());
  ASSERT_NE(h, nullptr);
  DibReader dib(h);
  const BITMAPINFOHEADER& hd = dib.Header();
  EXPECT_EQ(hd.biSize, 40u);
  EXPECT_EQ(hd.biWidth, LONG(s.width));
  EXPECT_EQ(hd.biHeight, LONG(s.height));  // bottom-up
  EXPECT_EQ(hd.biPlanes, 1);
  EXPECT_EQ(hd.biBitCount, s.spp == 3 ? 24 : s.bps);
  EXPECT_EQ(hd.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(hd.biSizeImage, dib.Stride() * s.height);
  EXPECT_EQ(hd.biXPelsPerMeter, 2834);
  EXPECT_GE(dib.Size(), 40 + 4 * DIBColorCount(&hd) + hd.biSizeImage);
  int wrong = 0;
  for (uint32_t y = 0; y < s.height; ++y)
    for (uint32_t x = 0; x < s.width; ++x)
      if (dib.At(x, y) != Expected(s, x, y) && ++wrong < 5)
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << dib.At(x, y) << " not "
                      << Expected(s, x, y);
  EXPECT_EQ(wrong, 0);
  // Row padding stays zero.
  const size_t used = (size_t(hd.biBitCount) * s.width + 7) / 8;
  for (uint32_t y = 0; y < s.height; ++y)
    for (size_t i = used; i < dib.Stride(); ++i) ASSERT_EQ(dib.Row(y)[i], 0) << "row " << y;
}

INSTANTIATE_TEST_SUITE_P(
    TiffToDib, Converts,
    testing::Values(Fixture{"bilevel_white_is_zero", 13, 5, 1, 1, PHOTOMETRIC_MINISWHITE},
                    Fixture{"bilevel_black_is_zero", 13, 5, 1, 1, PHOTOMETRIC_MINISBLACK},
                    Fixture{"grey4", 7, 4, 4, 1, PHOTOMETRIC_MINISBLACK},
                    Fixture{"grey4_white_is_zero", 7, 4, 4, 1, PHOTOMETRIC_MINISWHITE},
                    Fixture{"grey8", 3, 3, 8, 1, PHOTOMETRIC_MINISBLACK},
                    Fixture{"palette4_8bit_map", 5, 3, 4, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, 0, true},
                    Fixture{"palette8_16bit_map", 9, 4, 8, 1, PHOTOMETRIC_PALETTE},
                    Fixture{"palette8_8bit_map", 9, 4, 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_NONE, 0, true},
                    Fixture{"palette1", 10, 2, 1, 1, PHOTOMETRIC_PALETTE},
                    Fixture{"rgb8", 16, 8, 8, 3, PHOTOMETRIC_RGB},
                    Fixture{"rgb8_odd_width", 5, 3, 8, 3, PHOTOMETRIC_RGB},
                    Fixture{"rgb4", 5, 3, 4, 3, PHOTOMETRIC_RGB},
                    Fixture{"rgb1", 11, 3, 1, 3, PHOTOMETRIC_RGB},
                    Fixture{"rgb_multi_strip", 7, 10, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, 3},
                    Fixture{"grey_multi_strip_lzw", 9, 11, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW, 4},
                    Fixture{"rgb_deflate", 31, 17, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_ADOBE_DEFLATE, 5},
                    Fixture{"rgb_lzw", 31, 17, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW},
                    Fixture{"palette_packbits", 33, 6, 8, 1, PHOTOMETRIC_PALETTE, COMPRESSION_PACKBITS, 2},
                    Fixture{"bilevel_packbits", 70, 9, 1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_PACKBITS, 4}),
    [](const testing::TestParamInfo<Fixture>& info) { return std::string(info.param.name); });

TEST(TiffToDib, BilevelColourTablesFollowThePhotometric) {
  for (uint16_t photometric : {uint16_t(PHOTOMETRIC_MINISWHITE), uint16_t(PHOTOMETRIC_MINISBLACK)}) {
    std::string path = WriteFixture(Fixture{"b", 8, 1, 1, 1, photometric});
    HGLOBAL h = Convert(path);
    DeleteFileA(path.c_str());
    ASSERT_NE(h, nullptr);
    DibReader dib(h);
    const BYTE zero = photometric == PHOTOMETRIC_MINISWHITE ? 255 : 0;
    EXPECT_EQ(dib.Table()[0].rgbRed, zero);
    EXPECT_EQ(dib.Table()[1].rgbRed, BYTE(255 - zero));
  }
}

TEST(TiffToDib, GreyImagesGetAFullRamp) {
  std::string path = WriteFixture(Fixture{"g", 4, 1, 8, 1, PHOTOMETRIC_MINISBLACK});
  HGLOBAL h = Convert(path);
  DeleteFileA(path.c_str());
  ASSERT_NE(h, nullptr);
  DibReader dib(h);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(dib.Table()[i].rgbGreen, i);
}

TEST(TiffToDib, LayoutsADibCannotHoldGiveNull) {
  const Fixture specs[] = {
      {"grey16", 4, 4, 16, 1, PHOTOMETRIC_MINISBLACK},
      {"rgb16", 4, 4, 16, 3, PHOTOMETRIC_RGB},
      {"rgba", 4, 4, 8, 4, PHOTOMETRIC_RGB},
      {"grey_alpha", 4, 4, 8, 2, PHOTOMETRIC_MINISBLACK},
      {"grey2", 4, 4, 2, 1, PHOTOMETRIC_MINISBLACK},
      {"planar_rgb", 4, 4, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_NONE, 0, false, PLANARCONFIG_SEPARATE},
      {"tiled", 20, 20, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, 0, false, PLANARCONFIG_CONTIG, true},
      {"separated", 4, 4, 8, 4, PHOTOMETRIC_SEPARATED},
  };
  for (const Fixture& s : specs) {
    SCOPED_TRACE(s.name);
    std::string path = WriteFixture(s);
    HGLOBAL h = Convert(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(h, nullptr);
    if (h) GlobalFree(h);
  }
}

// A little-endian TIFF with one uncompressed strip of `data` right after its directory.
// rowsPerStrip 0 leaves the tag out.
std::string MiniTiff(uint32_t w, uint32_t h, uint16_t bps, uint16_t photometric, const std::string& data,
                     uint32_t rowsPerStrip) {
  struct Entry {
    uint16_t tag, type;
    uint32_t value;
  };
  std::vector<Entry> e = {{256, 4, w}, {257, 4, h}, {258, 3, bps}, {259, 3, 1}, {262, 3, photometric},
                          {273, 4, 0}, {277, 3, 1}};
  if (rowsPerStrip) e.push_back({278, 4, rowsPerStrip});
  e.push_back({279, 4, uint32_t(data.size())});
  const uint32_t dataOffset = 8 + 2 + 12 * uint32_t(e.size()) + 4;
  e[5].value = dataOffset;
  std::string s = "II*";
  s += '\0';
  auto put = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s += char((v >> (8 * i)) & 0xFF);
  };
  put(8, 4);
  put(uint32_t(e.size()), 2);
  for (auto& x : e) {
    put(x.tag, 2);
    put(x.type, 2);
    put(1, 4);
    put(x.value, 4);
  }
  put(0, 4);
  return s + data;
}

TEST(TiffToDib, RowsPerStripMayBeAbsent) {
  std::string data;
  for (int i = 0; i < 12; ++i) data += char(i * 20);
  std::string path = imagetest::WriteTempFile("tif", MiniTiff(4, 3, 8, PHOTOMETRIC_MINISBLACK, data, 0));
  HGLOBAL h = Convert(path);
  DeleteFileA(path.c_str());
  ASSERT_NE(h, nullptr);
  DibReader dib(h);
  EXPECT_EQ(dib.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(dib.At(3, 2), RGB(220, 220, 220));
}

TEST(TiffToDib, DamagedAndForeignFilesGiveNullWithoutAMessage) {
  std::string good = MiniTiff(4, 3, 8, PHOTOMETRIC_MINISBLACK, std::string(12, 'x'), 3);
  const std::string rgbPath = WriteFixture(Fixture{"r", 40, 30, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW});
  const std::string rgb = testing_support::ReadFile(rgbPath);
  DeleteFileA(rgbPath.c_str());
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"wrong magic", "XX*" + good.substr(3)},
      {"text", "This is not an image at all."},
      {"empty", ""},
      {"strip cut short", good.substr(0, good.size() - 5)},
      {"strip smaller than its rows", MiniTiff(4, 3, 8, PHOTOMETRIC_MINISBLACK, std::string(6, 'x'), 3)},
      {"huge image", MiniTiff(200000, 200000, 8, PHOTOMETRIC_MINISBLACK, std::string(16, 'x'), 1)},
      {"compressed file cut in half", rgb.substr(0, rgb.size() / 2)},
      {"zero width", MiniTiff(0, 3, 8, PHOTOMETRIC_MINISBLACK, std::string(12, 'x'), 3)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = imagetest::WriteTempFile("tif", c.bytes);
    HGLOBAL h = NULL;
    std::string said = CaptureStderr([&] { h = Convert(path); });
    DeleteFileA(path.c_str());
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(said, "");
    if (h) GlobalFree(h);
  }
  std::string said = CaptureStderr([] { EXPECT_EQ(UITiffConvertToDIB("C:\\no\\such\\image.tif"), nullptr); });
  EXPECT_EQ(said, "");
  EXPECT_EQ(UITiffConvertToDIB(nullptr), nullptr);
}

TEST(TiffToDib, OpensUtf8Paths) {
  std::string path = WriteFixture(Fixture{"u", 2, 2, 8, 1, PHOTOMETRIC_MINISBLACK});
  // A copy under a name with a character outside every ANSI code page.
  std::wstring wide(path.begin(), path.end());
  wide += L"\x263A.tif";
  ASSERT_TRUE(CopyFileW(std::wstring(path.begin(), path.end()).c_str(), wide.c_str(), FALSE));
  char utf8[MAX_PATH * 3];
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8, sizeof(utf8), NULL, NULL);
  HGLOBAL h = UITiffConvertToDIB(utf8);
  EXPECT_NE(h, nullptr);
  if (h) GlobalFree(h);
  DeleteFileW(wide.c_str());
  DeleteFileA(path.c_str());
}

TEST(AllocDibHeader, FillsTheHeaderAndRoundsTheBitCount) {
  struct Case {
    int asked;
    WORD bits;
    DWORD colours;
  } cases[] = {{0, 1, 2}, {1, 1, 2}, {3, 4, 16}, {4, 4, 16}, {8, 8, 256}, {12, 24, 0}, {24, 24, 0}, {32, 32, 0}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.asked);
    HGLOBAL h = AllocDibHeader(c.asked, 3, 5);
    ASSERT_NE(h, nullptr);
    const BITMAPINFOHEADER* hd = static_cast<const BITMAPINFOHEADER*>(GlobalLock(h));
    EXPECT_EQ(hd->biSize, 40u);
    EXPECT_EQ(hd->biBitCount, c.bits);
    EXPECT_EQ(hd->biWidth, 5);
    EXPECT_EQ(hd->biHeight, 3);
    const DWORD stride = ((c.bits * 5 + 31) / 32) * 4;
    EXPECT_EQ(hd->biSizeImage, stride * 3);
    EXPECT_EQ(hd->biXPelsPerMeter, 2834);
    EXPECT_EQ(hd->biYPelsPerMeter, 2834);
    EXPECT_GE(GlobalSize(h), 40 + 4 * c.colours + stride * 3);
    GlobalUnlock(h);
    GlobalFree(h);
  }
  EXPECT_EQ(AllocDibHeader(33, 3, 5), nullptr);
  EXPECT_EQ(AllocDibHeader(-1, 3, 5), nullptr);
  EXPECT_EQ(AllocDibHeader(8, 0, 5), nullptr);
  EXPECT_EQ(AllocDibHeader(8, 3, -5), nullptr);
  EXPECT_EQ(AllocDibHeader(24, 100000, 100000), nullptr);
}

}  // namespace
