// Packed DIBs: reading .bmp files of every header kind, hostile files, conversions both ways.
#include <gtest/gtest.h>

#include <UIImages.h>

#include "dib_canvas.h"
#include "image_testing.h"
#include "test_support.h"

#include <string.h>

#include <string>
#include <vector>

using testing_support::DibCanvas;
using testing_support::PixelOf;

namespace {

std::string U16(unsigned v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string U32(unsigned long v) { return U16(v & 0xFFFF) + U16((v >> 16) & 0xFFFF); }

// Info-family header of `size` bytes (40, 108 or 124); masks (when given) at offset 40.
std::string InfoHeader(unsigned size, long w, long h, unsigned bits, unsigned compression,
                       unsigned long clrUsed = 0, std::vector<unsigned long> masks = {},
                       unsigned long sizeImage = 0) {
  std::string s = U32(size) + U32(w) + U32(h) + U16(1) + U16(bits) + U32(compression) + U32(sizeImage) +
                  U32(2834) + U32(2834) + U32(clrUsed) + U32(0);
  for (unsigned long m : masks) s += U32(m);
  s.resize(size, '\0');
  return s;
}

std::string CoreHeader(unsigned w, unsigned h, unsigned bits) {
  return U32(12) + U16(w) + U16(h) + U16(1) + U16(bits);
}

// A whole file: file header, header, `afterHeader` (masks and colour table), a gap, the bits.
// offBits: the file header's offset to the bits; -1 puts the true one.
std::string BmpFile(const std::string& header, const std::string& afterHeader, const std::string& bits,
                    size_t gap = 0, long offBits = -1) {
  const size_t off = 14 + header.size() + afterHeader.size() + gap;
  std::string body = header + afterHeader + std::string(gap, '\x5A') + bits;
  return U16(0x4D42) + U32(14 + body.size()) + U32(0) + U32(offBits < 0 ? off : size_t(offBits)) + body;
}

// Rows of 24-bit pixels, each padded to 4 bytes; rows[0] is stored first.
std::string Rows24(const std::vector<std::vector<COLORREF>>& rows) {
  std::string s;
  for (auto& r : rows) {
    std::string line;
    for (COLORREF c : r) line += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))};
    line.resize((line.size() + 3) / 4 * 4, '\0');
    s += line;
  }
  return s;
}

// The locked contents of a packed DIB.
struct Dib {
  explicit Dib(HGLOBAL h) : handle(h) {
    if (h) {
      size = GlobalSize(h);
      data = static_cast<const BYTE*>(GlobalLock(h));
    }
  }
  ~Dib() {
    if (handle) {
      GlobalUnlock(handle);
      GlobalFree(handle);
    }
  }
  const BITMAPINFOHEADER& header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(data); }
  const RGBQUAD* colours() const { return reinterpret_cast<const RGBQUAD*>(data + 40); }
  HGLOBAL handle;
  SIZE_T size = 0;
  const BYTE* data = nullptr;
};

HGLOBAL Load(const std::string& bytes) {
  std::string path = imagetest::WriteTempFile("dib", bytes);
#ifdef UNICODE
  std::wstring wpath(path.begin(), path.end());
  HGLOBAL h = LoadDIB(wpath.c_str());
#else
  HGLOBAL h = LoadDIB(path.c_str());
#endif
  DeleteFileA(path.c_str());
  return h;
}

// Pixels of a packed DIB as the screen shows them, top row first.
std::basic_string<DWORD> Render(HGLOBAL dib) {
  HBITMAP bmp = DIB2BMP(NULL, dib);
  if (!bmp) return {};
  auto px = imagetest::PixelsOf(bmp);
  DeleteObject(bmp);
  return px;
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128);

TEST(LoadDIB, InfoHeader24BitKeepsRowsAndPadding) {
  // 3 x 2: bottom row stored first.
  std::string bits = Rows24({{kRed, kGreen, kBlue}, {kWhite, kBlack, kGrey}});
  Dib dib(Load(BmpFile(InfoHeader(40, 3, 2, 24, BI_RGB), "", bits)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biSize, 40u);
  EXPECT_EQ(dib.header().biHeight, 2);
  EXPECT_EQ(dib.header().biSizeImage, 24u);
  EXPECT_EQ(dib.size, 40u + 24u);
  EXPECT_EQ(0, memcmp(dib.data + 40, bits.data(), bits.size()));
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 6u);
  EXPECT_EQ(px[0], PixelOf(kWhite));  // top row is the last stored
  EXPECT_EQ(px[5], PixelOf(kBlue));
}

TEST(LoadDIB, CoreHeaderWidensHeaderAndColourTable) {
  // 4-bit, 2 x 1, 16 three-byte entries: entry 1 red, entry 2 blue.
  std::string table(16 * 3, '\0');
  table[3 + 2] = char(0xFF);  // entry 1: b, g, r = 0, 0, 255
  table[6 + 0] = char(0xFF);  // entry 2: blue
  std::string bits = std::string{char(0x12), 0, 0, 0};
  Dib dib(Load(BmpFile(CoreHeader(2, 1, 4), table, bits)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biSize, 40u);
  EXPECT_EQ(dib.header().biWidth, 2);
  EXPECT_EQ(dib.header().biBitCount, 4);
  EXPECT_EQ(dib.size, 40u + 16 * 4 + 4);
  EXPECT_EQ(dib.colours()[1].rgbRed, 255);
  EXPECT_EQ(dib.colours()[1].rgbBlue, 0);
  EXPECT_EQ(dib.colours()[2].rgbBlue, 255);
  EXPECT_EQ(dib.colours()[15].rgbRed, 0);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[1], PixelOf(kBlue));
}

TEST(LoadDIB, TopDownRowsAreStoredBottomUp) {
  std::string bits = Rows24({{kRed, kRed}, {kGreen, kGreen}, {kBlue, kBlue}});  // top row first
  Dib dib(Load(BmpFile(InfoHeader(40, 2, -3, 24, BI_RGB), "", bits)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biHeight, 3);
  EXPECT_EQ(0, memcmp(dib.data + 40, Rows24({{kBlue, kBlue}, {kGreen, kGreen}, {kRed, kRed}}).data(), 24));
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 6u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[4], PixelOf(kBlue));
}

TEST(LoadDIB, V5HeaderWithBitfieldsBecomesInfoHeaderWithMasks) {
  // 16-bit 5-6-5, 2 x 1: pure red and pure green.
  std::string header = InfoHeader(124, 2, 1, 16, BI_BITFIELDS, 0, {0xF800, 0x07E0, 0x001F});
  std::string bits = U16(0xF800) + U16(0x07E0);
  Dib dib(Load(BmpFile(header, "", bits)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biSize, 40u);
  EXPECT_EQ(dib.header().biCompression, DWORD(BI_BITFIELDS));
  const DWORD* masks = reinterpret_cast<const DWORD*>(dib.data + 40);
  EXPECT_EQ(masks[0], 0xF800u);
  EXPECT_EQ(masks[1], 0x07E0u);
  EXPECT_EQ(masks[2], 0x001Fu);
  EXPECT_EQ(dib.size, 40u + 12 + 4);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[1], PixelOf(kGreen));
}

TEST(LoadDIB, InfoHeaderWithMasksAfterIt) {
  // 32-bit with the masks following a 40-byte header: red in the low byte.
  std::string masks = U32(0x000000FF) + U32(0x0000FF00) + U32(0x00FF0000);
  Dib dib(Load(BmpFile(InfoHeader(40, 1, 1, 32, BI_BITFIELDS), masks, U32(0x000000FF))));
  ASSERT_NE(dib.handle, nullptr);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 1u);
  EXPECT_EQ(px[0], PixelOf(kRed));
}

TEST(LoadDIB, BitsAreReadFromTheFileHeadersOffset) {
  // 8-bit with 2 colours used and 6 unrelated bytes before the bits.
  std::string table = U32(0x000000FF) + U32(0x0000FF00);  // blue, green
  Dib dib(Load(BmpFile(InfoHeader(40, 2, 1, 8, BI_RGB, 2), table, std::string{1, 0, 0, 0}, 6)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biClrUsed, 2u);
  EXPECT_EQ(dib.size, 40u + 2 * 4 + 4);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kGreen));
  EXPECT_EQ(px[1], PixelOf(kBlue));
}

TEST(LoadDIB, ColourTableCutShortByTheOffsetKeepsWhatIsThere) {
  // clrUsed 0 says 256 entries, the offset leaves room for 2.
  std::string table = U32(0x00FF0000) + U32(0x000000FF);  // red, blue
  std::string header = InfoHeader(40, 2, 1, 8, BI_RGB);
  Dib dib(Load(BmpFile(header, table, std::string{1, 0, 0, 0}, 0, 14 + 40 + 8)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biClrUsed, 2u);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kBlue));
  EXPECT_EQ(px[1], PixelOf(kRed));
}

TEST(LoadDIB, Rle8ImageKeepsItsCompressedBytes) {
  // 4 x 2: bottom row two runs, top row one run, then end of bitmap.
  std::string table = U32(0x00FF0000) + U32(0x0000FF00);  // red, green
  std::string rle = std::string{2, 0, 2, 1, 0, 0, 4, 1, 0, 1};
  Dib dib(Load(BmpFile(InfoHeader(40, 4, 2, 8, BI_RLE8, 2, {}, rle.size()), table, rle)));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(dib.header().biCompression, DWORD(BI_RLE8));
  EXPECT_EQ(dib.header().biSizeImage, rle.size());
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 8u);
  EXPECT_EQ(px[0], PixelOf(kGreen));
  EXPECT_EQ(px[4], PixelOf(kRed));
  EXPECT_EQ(px[7], PixelOf(kGreen));
}

TEST(LoadDIB, RefusesHostileAndDamagedFiles) {
  const std::string good = BmpFile(InfoHeader(40, 2, 2, 24, BI_RGB), "", Rows24({{kRed, kRed}, {kRed, kRed}}));
  std::string wrongMagic = good;
  wrongMagic[0] = 'X';
  std::string pngPayload = BmpFile(InfoHeader(40, 2, 2, 0, 5 /* BI_PNG */), "", std::string(16, '\0'));
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"wrong magic", wrongMagic},
      {"empty", ""},
      {"file header only", good.substr(0, 14)},
      {"header cut", good.substr(0, 14 + 20)},
      {"bits cut", good.substr(0, good.size() - 1)},
      {"unknown header size", BmpFile(InfoHeader(40, 2, 2, 24, BI_RGB).replace(0, 4, U32(20)), "", std::string(16, 0))},
      {"zero width", BmpFile(InfoHeader(40, 0, 2, 24, BI_RGB), "", "")},
      {"zero height", BmpFile(InfoHeader(40, 2, 0, 24, BI_RGB), "", "")},
      {"huge size", BmpFile(InfoHeader(40, 0x7FFFFFFF, 0x7FFFFFFF, 32, BI_RGB), "", std::string(64, 0))},
      {"bad bit count", BmpFile(InfoHeader(40, 2, 2, 7, BI_RGB), "", std::string(16, 0))},
      {"png payload", pngPayload},
      {"bitfields at 8 bits", BmpFile(InfoHeader(40, 2, 2, 8, BI_BITFIELDS), std::string(12 + 1024, 0), std::string(8, 0))},
      {"top-down RLE", BmpFile(InfoHeader(40, 2, -2, 8, BI_RLE8), std::string(1024, 0), std::string(8, 0))},
      {"offset inside the header", BmpFile(InfoHeader(40, 2, 2, 24, BI_RGB), "", std::string(16, 0), 0, 20)},
      {"offset past the end", BmpFile(InfoHeader(40, 2, 2, 24, BI_RGB), "", std::string(16, 0), 0, 4096)},
      {"RLE size past the end", BmpFile(InfoHeader(40, 2, 2, 8, BI_RLE8, 0, {}, 999), std::string(1024, 0), std::string(8, 0))},
      {"palette image without table", BmpFile(InfoHeader(40, 2, 2, 8, BI_RGB), "", std::string(8, 0), 0, 54)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    HGLOBAL h = Load(c.bytes);
    EXPECT_EQ(h, nullptr);
    if (h) GlobalFree(h);
  }
#ifdef UNICODE
  EXPECT_EQ(LoadDIB(L"C:\\no\\such\\file.bmp"), nullptr);
#else
  EXPECT_EQ(LoadDIB("C:\\no\\such\\file.bmp"), nullptr);
#endif
  EXPECT_EQ(LoadDIB(nullptr), nullptr);
}

TEST(LoadDIB, RestoresTheCursor) {
  HCURSOR arrow = LoadCursor(NULL, IDC_ARROW);
  SetCursor(arrow);
  HGLOBAL h = Load("not a bitmap");
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(GetCursor(), arrow);
}

// A packed DIB made by hand in a block of exactly `bytes`.
HGLOBAL Block(const std::string& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  return h;
}

TEST(DIB2BMP, ReadsEveryHeaderKindAndRefusesShortBlocks) {
  // Core header with a 3-byte table; V4 header top-down; V5 with bitfields.
  std::string coreTable = std::string{0, 0, char(0xFF)} + std::string{char(0xFF), 0, 0};  // red, blue
  HGLOBAL core = Block(CoreHeader(2, 1, 1) + coreTable + std::string{char(0x40), 0, 0, 0});
  auto px = Render(core);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[1], PixelOf(kBlue));
  GlobalFree(core);

  HGLOBAL v4 = Block(InfoHeader(108, 1, -2, 24, BI_RGB) + Rows24({{kRed}, {kBlue}}));
  px = Render(v4);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[1], PixelOf(kBlue));
  GlobalFree(v4);

  std::string v5 = InfoHeader(124, 1, 1, 32, BI_BITFIELDS, 0, {0xFF0000, 0xFF00, 0xFF}) + U32(0x00FF00);
  HGLOBAL full = Block(v5);
  px = Render(full);
  ASSERT_EQ(px.size(), 1u);
  EXPECT_EQ(px[0], PixelOf(kGreen));
  GlobalFree(full);

  for (size_t cut : {size_t(1), size_t(4), v5.size() - 4}) {
    HGLOBAL shortBlock = Block(v5.substr(0, v5.size() - cut));
    HBITMAP bmp = DIB2BMP(NULL, shortBlock);
    EXPECT_EQ(bmp, nullptr) << "cut " << cut;
    if (bmp) DeleteObject(bmp);
    GlobalFree(shortBlock);
  }
  HGLOBAL tooManyColours = Block(InfoHeader(40, 1, 1, 1, BI_RGB, 3) + std::string(16, 0));
  EXPECT_EQ(DIB2BMP(NULL, tooManyColours), nullptr);
  GlobalFree(tooManyColours);
  EXPECT_EQ(DIB2BMP(NULL, NULL), nullptr);
}

TEST(BMP2DIB, RoundTripsABitmapAtItsOwnDepth) {
  DibCanvas canvas(5, 3, kWhite);
  SetPixel(canvas.dc(), 0, 0, kRed);
  SetPixel(canvas.dc(), 4, 2, kBlue);
  DWORD size = 123;
  // The bitmap must not be selected in a DC while it is read: copy it out first.
  HBITMAP bmp = static_cast<HBITMAP>(CopyImage(canvas.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(bmp, nullptr);
  Dib dib(BMP2DIB(NULL, bmp, &size));
  ASSERT_NE(dib.handle, nullptr);
  EXPECT_EQ(size, dib.size);
  EXPECT_EQ(dib.header().biBitCount, 32);
  EXPECT_EQ(dib.header().biHeight, 3);
  EXPECT_EQ(dib.header().biSizeImage, 5u * 3 * 4);
  EXPECT_EQ(size, 40u + 60u);
  auto px = Render(dib.handle);
  ASSERT_EQ(px.size(), 15u);
  EXPECT_EQ(px[0], PixelOf(kRed));
  EXPECT_EQ(px[14], PixelOf(kBlue));
  EXPECT_EQ(px[7], PixelOf(kWhite));
  DeleteObject(bmp);

  HBITMAP mono = CreateBitmap(9, 2, 1, 1, nullptr);
  Dib monoDib(BMP2DIB(NULL, mono, &size));
  ASSERT_NE(monoDib.handle, nullptr);
  EXPECT_EQ(monoDib.header().biBitCount, 1);
  EXPECT_EQ(size, 40u + 2 * 4 + 2 * 4);
  DeleteObject(mono);

  size = 77;
  EXPECT_EQ(BMP2DIB(NULL, NULL, &size), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST(DIBColorCount, FollowsHeaderKindBitCountAndColoursUsed) {
  BITMAPCOREHEADER core = {sizeof(BITMAPCOREHEADER), 1, 1, 1, 4};
  EXPECT_EQ(DIBColorCount(reinterpret_cast<BITMAPINFOHEADER*>(&core)), 16u);
  BITMAPV5HEADER v5 = {};
  v5.bV5Size = sizeof(v5);
  v5.bV5BitCount = 8;
  BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(&v5);
  EXPECT_EQ(DIBColorCount(h), 256u);
  v5.bV5ClrUsed = 20;
  EXPECT_EQ(DIBColorCount(h), 20u);
  v5.bV5ClrUsed = 5000;
  EXPECT_EQ(DIBColorCount(h), 256u);
  v5.bV5BitCount = 24;
  v5.bV5ClrUsed = 0;
  EXPECT_EQ(DIBColorCount(h), 0u);
  v5.bV5Size = 20;
  EXPECT_EQ(DIBColorCount(h), 0u);
  EXPECT_EQ(DIBColorCount(nullptr), 0u);
}

}  // namespace
