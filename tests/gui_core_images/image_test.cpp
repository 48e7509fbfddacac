// Portable images and image lists: sizes, .bmp files (sound and hostile), DIB drawing, the
// image's archive record (sound and damaged), image lists and picked images.
#include <gtest/gtest.h>

#include <QvImage.h>

#include "bitmaps.h"
#include "dib_canvas.h"
#include "guiimages_ids.h"
#include "handle_counts.h"
#include "test_support.h"

#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

using testing_support::DibCanvas;
using testing_support::PixelOfBitmap;
using testing_support::GuiCounts;
using testing_support::PixelOf;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kLight = RGB(192, 192, 192),
               kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

std::string U16(unsigned v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string U32(unsigned long v) { return U16(v & 0xFFFF) + U16((v >> 16) & 0xFFFF); }

// A 24-bit bottom-up file w x h: the top half red, the bottom half blue. gap bytes lie between
// the header and the bits (the file header's offset says where the bits are).
std::string TwoBandFile(long w, long h, size_t gap = 0, long recordedHeight = 0) {
  std::string bits;
  for (long row = 0; row < h; ++row) {  // stored bottom row first
    const COLORREF c = row < h / 2 ? kBlue : kRed;
    std::string line;
    for (long x = 0; x < w; ++x) line += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))};
    line.resize((line.size() + 3) / 4 * 4, '\0');
    bits += line;
  }
  const std::string header = U32(40) + U32(w) + U32(recordedHeight ? recordedHeight : h) + U16(1) + U16(24) +
                             U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0);
  const size_t off = 14 + header.size() + gap;
  return U16(0x4D42) + U32(off + bits.size()) + U32(0) + U32(off) + header + std::string(gap, '\x33') + bits;
}

// A core-header (12-byte) file, 1 bit, 8 x 2: colour table green, white; top row green.
std::string CoreFile() {
  const std::string header = U32(12) + U16(8) + U16(2) + U16(1) + U16(1);
  const std::string table = std::string{0, char(255), 0} + std::string{char(255), char(255), char(255)};
  const std::string bits = U32(0xFF) + U32(0x00);  // bottom row white, top row green
  const size_t off = 14 + header.size() + table.size();
  return U16(0x4D42) + U32(off + bits.size()) + U32(0) + U32(off) + header + table + bits;
}

// Writes the bytes to a file named by the UTF-8 stem (which may hold any character).
std::string WriteFileUtf8(const char* stemUtf8, const std::string& bytes) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  wchar_t stem[MAX_PATH];
  MultiByteToWideChar(CP_UTF8, 0, stemUtf8, -1, stem, MAX_PATH);
  std::wstring path = std::wstring(dir) + stem + L".bmp";
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written = 0;
  if (f != INVALID_HANDLE_VALUE) {
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(f);
  }
  char utf8[MAX_PATH * 3];
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof utf8, NULL, NULL);
  return utf8;
}

CBitmap* BitmapOf(int w, int h, COLORREF left, COLORREF right) {
  DibCanvas canvas(w, h, left);
  RECT r = {w / 2, 0, w, h};
  HBRUSH b = CreateSolidBrush(right);
  FillRect(canvas.dc(), &r, b);
  DeleteObject(b);
  return imagetest::CopyToBitmap(canvas);
}

TEST(QvImage, SizesComeFromTheDibTheBitmapOrTheResource) {
  QvImage none;
  EXPECT_EQ(none.GetWidth(), 0);
  EXPECT_EQ(none.GetHeight(), 0);

  QvImage pair(BitmapOf(20, 6, kRed, kBlue), true);
  EXPECT_EQ(pair.GetWidth(), 10);  // half the bitmap
  EXPECT_EQ(pair.GetHeight(), 6);

  QvImage resource(IDB_STRIP, false);
  EXPECT_EQ(resource.GetWidth(), 32);
  EXPECT_EQ(resource.GetHeight(), 8);
  QvImage resourcePair(IDB_STRIP, true);
  EXPECT_EQ(resourcePair.GetWidth(), 16);
  QvImage missing(999, false);
  EXPECT_EQ(missing.GetWidth(), 0);

  // A DIB gives its full width, even for a pair image.
  QvImage dib(BitmapOf(4, 4, kRed, kRed), true);
  ASSERT_TRUE(dib.LoadDIBImage(WriteFileUtf8("qvimage_size", TwoBandFile(12, 6)).c_str()));
  EXPECT_EQ(dib.GetWidth(), 12);
  EXPECT_EQ(dib.GetHeight(), 6);
}

TEST(QvImage, LoadsFilesAndDrawsThemCopiedOrStretched) {
  QvImage image;
  // A UTF-8 path outside the ANSI code page, a gap before the bits.
  const std::string path = WriteFileUtf8("qvimage_\xC3\xA6\xE2\x82\xAC", TwoBandFile(8, 4, 6));
  ASSERT_TRUE(image.LoadDIBImage(path.c_str()));
  DibCanvas canvas(20, 20, kWhite);
  CDC* dc = CDC::FromHandle(canvas.dc());

  RECT same = {2, 2, 10, 6};
  ASSERT_TRUE(image.DrawDIBImage(dc, &same, nullptr));
  EXPECT_EQ(canvas.At(2, 2), kRed);    // top row first
  EXPECT_EQ(canvas.At(9, 5), kBlue);
  EXPECT_EQ(canvas.At(10, 2), kWhite);  // nothing outside

  canvas.Fill(kWhite);
  RECT big = {0, 0, 16, 16};
  ASSERT_TRUE(image.DrawDIBImage(dc, &big, nullptr));
  EXPECT_EQ(canvas.At(15, 0), kRed);
  EXPECT_EQ(canvas.At(15, 15), kBlue);
  EXPECT_EQ(canvas.CountOf(kRed) + canvas.CountOf(kBlue), 256);

  // The source's y counts from the top: rows 2..3 are the blue half.
  canvas.Fill(kWhite);
  RECT src = {0, 2, 8, 4}, dst = {0, 0, 8, 2};
  ASSERT_TRUE(image.DrawDIBImage(dc, &dst, &src));
  EXPECT_EQ(canvas.CountOf(kBlue), 16);
  EXPECT_EQ(canvas.CountOf(kRed), 0);
  canvas.Fill(kWhite);
  src = RECT{0, 0, 8, 2};
  RECT dst2 = {0, 0, 16, 4};
  ASSERT_TRUE(image.DrawDIBImage(dc, &dst2, &src));
  EXPECT_EQ(canvas.CountOf(kRed), 64);

  RECT empty = {5, 5, 5, 9};
  EXPECT_FALSE(image.DrawDIBImage(dc, &empty, nullptr));
  QvImage noDib(BitmapOf(4, 4, kRed, kRed), false);
  EXPECT_FALSE(noDib.DrawDIBImage(dc, &same, nullptr));
}

TEST(QvImage, ACoreHeaderFileHasItsColourTableWidened) {
  QvImage image;
  ASSERT_TRUE(image.LoadDIBImage(WriteFileUtf8("qvimage_core", CoreFile()).c_str()));
  DibCanvas canvas(8, 2, kBlack);
  RECT r = {0, 0, 8, 2};
  ASSERT_TRUE(image.DrawDIBImage(CDC::FromHandle(canvas.dc()), &r, nullptr));
  EXPECT_EQ(canvas.At(0, 0), kGreen);
  EXPECT_EQ(canvas.At(0, 1), kWhite);
}

TEST(QvImage, HostileFilesLoadNothingAndLeakNothing) {
  const std::string good = TwoBandFile(8, 4);
  std::string notBm = good;
  notBm[0] = 'X';
  std::string offsetPastEnd = good;
  offsetPastEnd.replace(10, 4, U32(0x7FFFFFF0));
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"not starting with BM", notBm},
      {"truncated in the header", good.substr(0, 30)},
      {"truncated in the bits", good.substr(0, good.size() - 5)},
      {"huge dimensions", TwoBandFile(8, 4, 0, 0x7FFFFF)},
      {"bits offset past the end", offsetPastEnd},
      {"empty file", std::string()},
  };
  const GuiCounts before = GuiCounts::Now();
  for (const Case& c : cases) {
    QvImage image;
    ASSERT_TRUE(image.LoadDIBImage(WriteFileUtf8("qvimage_good", good).c_str()));
    EXPECT_FALSE(image.LoadDIBImage(WriteFileUtf8("qvimage_bad", c.bytes).c_str())) << c.what;
    // The earlier DIB is gone with the failed load.
    EXPECT_EQ(image.GetDIB(), HGLOBAL(NULL)) << c.what;
    EXPECT_EQ(image.GetWidth(), 0) << c.what;
  }
  QvImage image;
  EXPECT_FALSE(image.LoadDIBImage("C:\\no\\such\\file.bmp"));
  EXPECT_FALSE(image.LoadDIBImage(nullptr));
  EXPECT_FALSE(image.LoadDIBImage("\xFF\xFE not UTF-8"));
  EXPECT_EQ(GuiCounts::Now(), before);
}

// --- archives ----------------------------------------------------------------------------

const QvVersionDescriptor kVersion("V1", "Image test", 1.0);

// The archive's bytes after writing the images, then the marker text "end".
std::string Archive(const std::vector<QvImage*>& images) {
  QvMemoryOutputStream out;
  QvArchiveOut archive(out, kVersion);
  for (QvImage* image : images) archive.WriteObject(image);
  archive << QvString("end");
  EXPECT_TRUE(archive.IsValid());
  return out.GetBytes();
}

TEST(QvImageArchive, RoundTripsBitmapImagesAndStaysInStep) {
  QvImage bitmap(BitmapOf(10, 4, kRed, kBlue), true);
  QvImage resource(IDB_STRIP, true);  // its DIB is written, and read past
  QvImage nothing(999, false);        // neither bitmap nor resource: a record all the same
  const std::string bytes = Archive({&bitmap, &resource, &nothing});

  const GuiCounts before = GuiCounts::Now();
  {
    QvMemoryInputStream in(bytes);
    QvArchiveIn archive(in);
    QvImage *a = nullptr, *b = nullptr, *c = nullptr;
    archive >> a >> b >> c;
    std::unique_ptr<QvImage> ua(a), ub(b), uc(c);
    QvString end;
    archive >> end;
    ASSERT_TRUE(archive.IsValid());
    EXPECT_EQ(end, QvString("end"));
    ASSERT_TRUE(a && b && c);
    EXPECT_TRUE(a->IsPair());
    EXPECT_EQ(a->GetResourceId(), 0);
    ASSERT_NE(a->GetBitmap(), nullptr);
    EXPECT_EQ(a->GetWidth(), 5);
    HBITMAP h = static_cast<HBITMAP>(a->GetBitmap()->GetSafeHandle());
    EXPECT_EQ(PixelOfBitmap(h, 0, 0), kRed);
    EXPECT_EQ(PixelOfBitmap(h, 9, 3), kBlue);

    EXPECT_EQ(b->GetResourceId(), IDB_STRIP);
    EXPECT_EQ(b->GetBitmap(), nullptr);  // known by its resource, as written
    EXPECT_EQ(b->GetWidth(), 16);
    EXPECT_EQ(c->GetResourceId(), 999);
    EXPECT_EQ(c->GetBitmap(), nullptr);
  }
  EXPECT_EQ(GuiCounts::Now(), before);
}

TEST(QvImageArchive, DamagedRecordsAreRefusedCleanly) {
  QvImage bitmap(BitmapOf(6, 3, kRed, kBlue), false);
  const std::string good = Archive({&bitmap});
  // Where the record's fields lie: after the header and the class name.
  const size_t name = good.find("QvImage");
  ASSERT_NE(name, std::string::npos);
  const size_t sizeAt = name + 7 + 2 + 2;  // id, pair
  const size_t dibAt = sizeAt + 4 + 4;     // size, block count

  std::string hugeSize = good;
  hugeSize.replace(sizeAt, 4, U32(0xFFFFFFF0));
  hugeSize.replace(sizeAt + 4, 4, U32(0xFFFFFFF0));
  std::string otherSize = good;
  otherSize.replace(sizeAt, 4, U32(12));  // the block holds more
  std::string badHeader = good;
  badHeader.replace(dibAt, 4, U32(0x7777));  // no header has that size
  std::string hugeWidth = good;
  hugeWidth.replace(dibAt + 4, 4, U32(0x7FFFFFFF));

  struct Case {
    const char* what;
    std::string bytes;
    bool archiveValid;
  } cases[] = {
      {"truncated in the record", good.substr(0, sizeAt + 2), false},
      {"truncated in the DIB", good.substr(0, dibAt + 20), false},
      {"huge sizes", hugeSize, false},
      {"size other than the block's", otherSize, false},
      {"malformed DIB header", badHeader, true},
      {"huge DIB width", hugeWidth, true},
  };
  const GuiCounts before = GuiCounts::Now();
  for (const Case& c : cases) {
    QvMemoryInputStream in(c.bytes);
    QvArchiveIn archive(in);
    QvImage* image = nullptr;
    archive >> image;
    std::unique_ptr<QvImage> owned(image);
    QvString end;
    archive >> end;
    EXPECT_EQ(archive.IsValid(), c.archiveValid) << c.what;
    if (c.archiveValid) {
      // The DIB is refused, the record read past: what follows is read in step.
      ASSERT_NE(image, nullptr) << c.what;
      EXPECT_EQ(image->GetBitmap(), nullptr) << c.what;
      EXPECT_EQ(end, QvString("end")) << c.what;
    }
  }
  EXPECT_EQ(GuiCounts::Now(), before);
}

// --- image lists ---------------------------------------------------------------------------

TEST(QvImageList, CutsStripsAndPicksImagesWithTheirCompanions) {
  QvImageList list(IDB_STRIP, 8);
  EXPECT_EQ(list.GetImageList().GetImageCount(), 2);
  EXPECT_EQ(list.GetHeight(), 8);
  EXPECT_EQ(list.PickImage(2, false), nullptr);  // the count itself

  std::unique_ptr<QvImage> one(list.PickImage(1, false));
  ASSERT_NE(one, nullptr);
  EXPECT_FALSE(one->IsPair());
  EXPECT_EQ(one->GetWidth(), 8);
  HBITMAP h = static_cast<HBITMAP>(one->GetBitmap()->GetSafeHandle());
  EXPECT_EQ(PixelOfBitmap(h, 1, 1), kBlue);
  EXPECT_EQ(PixelOfBitmap(h, 0, 0), kLight);

  std::unique_ptr<QvImage> pair(list.PickImage(0, true));
  ASSERT_NE(pair, nullptr);
  EXPECT_TRUE(pair->IsPair());
  EXPECT_EQ(pair->GetWidth(), 8);
  h = static_cast<HBITMAP>(pair->GetBitmap()->GetSafeHandle());
  EXPECT_EQ(PixelOfBitmap(h, 2, 2), kRed);
  EXPECT_EQ(PixelOfBitmap(h, 8 + 2, 2), kBlack);  // the mask: opaque under the square
  EXPECT_EQ(PixelOfBitmap(h, 8, 0), kWhite);

  QvImageList missing(999, 8);
  EXPECT_EQ(missing.GetHeight(), 0);
  EXPECT_EQ(missing.PickImage(0, false), nullptr);
}

TEST(QvImageList, TheStandardListHoldsSixteenByFifteenImages) {
  QvImageList list(IDB_STANDARD_STRIP, QvImageList::kStandardWidth);
  EXPECT_EQ(list.GetImageList().GetImageCount(), 2);
  EXPECT_EQ(list.GetHeight(), 15);
  CSize size(0, 0);
  ASSERT_TRUE(list.GetImageList().GetImageSize(size));
  EXPECT_EQ(size.cx, 16);
  // Light grey is transparent.
  DibCanvas canvas(16, 15, kGreen);
  ASSERT_TRUE(ImageList_Draw(list.GetImageList().GetSafeHandle(), 1, canvas.dc(), 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(0, 0), kGreen);
  EXPECT_EQ(canvas.At(5, 5), kBlue);
}

TEST(QvImageList, LeaksNothing) {
  const GuiCounts before = GuiCounts::Now();
  {
    QvImageList list(IDB_STRIP, 8);
    for (int i = 0; i < 3; ++i) delete list.PickImage(static_cast<unsigned short>(i % 2), i == 1);
    QvImageList standard(IDB_STANDARD_STRIP, QvImageList::kStandardWidth);
    QvImage resource(IDB_STRIP, false);
    resource.GetWidth();
    Archive({&resource});
  }
  EXPECT_EQ(GuiCounts::Now(), before);
}

}  // namespace
