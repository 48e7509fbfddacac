// The bitmap routines of the stand-alone controls: size comparison, copies, the embossed
// look, masked drawing over a busy background, cutting strips and recolouring per depth.
#include <gtest/gtest.h>

#include <UIBitmapUtilities.h>
#include <UIHandles.h>
#include <framework.h>

#include <string.h>
#include <vector>

#include "../ui_images/image_testing.h"
#include "bitmaptools_ids.h"
#include "dib_canvas.h"
#include "handle_counts.h"

using testing_support::ColorOf;
using testing_support::DibCanvas;
using testing_support::GdiObjectCount;
using testing_support::PixelOf;
using imagetest::PixelsOf;

namespace {

// The test strip (32 x 8): two 8-pixel images on light grey, then their masks. Image 0: a red
// square at 2..5 with a dark grey pixel at (3, 3); image 1: a blue square at 1..6.
const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kLight = RGB(192, 192, 192), kWhite = RGB(255, 255, 255),
               kBlack = RGB(0, 0, 0), kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0);

// A DIB section of the depth (8 bits with a grey-scale colour table) filled by `paint`.
HBITMAP Section(int w, int h, int depth, void (*paint)(HDC, int, int)) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = w;
  info.header.biHeight = h;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth);
  for (int i = 0; i < 256; ++i) info.colours[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
  info.colours[1] = {0, 0, 255, 0};  // red
  info.colours[2] = {255, 0, 0, 0};  // blue
  void* bits = NULL;
  HBITMAP bmp = CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, NULL, 0);
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, bmp);
  paint(dc, w, h);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
  uih::OwnedBrush b(CreateSolidBrush(c));
  FillRect(dc, &r, b.Get());
}

// Red top half, blue bottom half, with a white left column: a flip or a garble shows.
void PaintQuarters(HDC dc, int w, int h) {
  Fill(dc, {0, 0, w, h / 2}, kRed);
  Fill(dc, {0, h / 2, w, h}, kBlue);
  Fill(dc, {0, 0, 1, h}, kWhite);
}

// A checkerboard of two colours: the busy background transparency must leave alone.
void Hatch(DibCanvas& c) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) SetPixelV(c.dc(), x, y, ((x + y) & 1) ? kGreen : kYellow);
}

TEST(IncludeRect, ComparesSizesWhereverTheRectanglesLie) {
  struct Case {
    RECT outer, inner;
    int included;
  } cases[] = {
      {{0, 0, 10, 10}, {500, 500, 510, 510}, TRUE},
      {{-40, 7, -30, 17}, {0, 0, 10, 10}, TRUE},
      {{0, 0, 20, 12}, {3, 3, 13, 13}, TRUE},
      {{0, 0, 10, 10}, {0, 0, 11, 10}, FALSE},
      {{0, 0, 10, 10}, {0, 0, 10, 11}, FALSE},
  };
  for (Case& c : cases) EXPECT_EQ(Utilities::IncludeRect(c.outer, c.inner), c.included) << c.inner.left;
}

// Both copies keep description and pixels at every depth; the copy without blits used to
// write 32-bit rows with SetBitmapBits (flipped, and garbled below 32 bits).
TEST(CopyBitmap, BothCopiesKeepDescriptionAndPixelsAtEveryDepth) {
  HDC screen = GetDC(NULL);
  std::vector<HBITMAP> sources = {CreateCompatibleBitmap(screen, 9, 6), Section(9, 6, 32, PaintQuarters),
                                  Section(9, 6, 24, PaintQuarters), Section(9, 6, 16, PaintQuarters),
                                  Section(9, 6, 8, PaintQuarters)};
  ReleaseDC(NULL, screen);
  {
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, sources[0]);
    PaintQuarters(dc, 9, 6);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  for (HBITMAP (*copy)(HBITMAP) : {&Utilities::CopyBitmap, &Utilities::CopyBitmapNoBlt}) {
    for (HBITMAP source : sources) {
      BITMAP a = {}, b = {};
      GetObject(source, sizeof(a), &a);
      uih::OwnedBitmap result(copy(source));
      ASSERT_TRUE(result) << a.bmBitsPixel;
      GetObject(result.Get(), sizeof(b), &b);
      EXPECT_EQ(b.bmWidth, a.bmWidth);
      EXPECT_EQ(b.bmHeight, a.bmHeight);
      EXPECT_EQ(b.bmBitsPixel, a.bmBitsPixel);
      EXPECT_EQ(PixelsOf(result.Get()), PixelsOf(source)) << "depth " << a.bmBitsPixel << (copy == &Utilities::CopyBitmap ? " blit" : " no blit");
      EXPECT_EQ(PixelsOf(result.Get())[1], PixelOf(kRed)) << "depth " << a.bmBitsPixel;
    }
    EXPECT_EQ(copy(NULL), nullptr);
  }
  for (HBITMAP s : sources) DeleteObject(s);
}

// A white bitmap with a black 4 x 4 square at (2, 2).
void PaintShape(HDC dc, int w, int h) {
  Fill(dc, {0, 0, w, h}, kWhite);
  Fill(dc, {2, 2, 6, 6}, kBlack);
}

TEST(DitherBlt, FillsWithTheFaceAndEmbossesTheShapeOnly) {
  uih::OwnedBitmap shape(Section(8, 8, 32, PaintShape));
  DibCanvas canvas(20, 20);
  ASSERT_TRUE(canvas.valid());
  Hatch(canvas);
  const COLORREF before = canvas.At(15, 15);
  Utilities::DitherBlt(canvas.dc(), 4, 4, 8, 8, shape.Get(), 0, 0, 8, 8, 0, 0, 0);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(canvas.At(4, 4), face);        // white part of the bitmap
  EXPECT_EQ(canvas.At(6, 6), shadow);      // the shape in place
  EXPECT_EQ(canvas.At(9, 9), shadow);
  EXPECT_EQ(canvas.At(10, 10), light);     // one pixel down and right of the shape
  EXPECT_EQ(canvas.At(10, 7), light);
  EXPECT_EQ(canvas.At(15, 15), before);    // outside the rectangle
  EXPECT_EQ(canvas.At(3, 3), ((3 + 3) & 1) ? kGreen : kYellow);

  // Stretched: the 8 x 8 bitmap drawn at 16 x 16 doubles the shape.
  Hatch(canvas);
  Utilities::DitherBltEx(canvas.dc(), 0, 0, 16, 16, shape.Get(), 0, 0, 8, 8, 1, 0, 0, COLOR_WINDOW,
                         COLOR_WINDOWTEXT, COLOR_HIGHLIGHT);
  EXPECT_EQ(canvas.At(4, 4), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(canvas.At(11, 11), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(canvas.At(12, 12), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_WINDOW));
}

TEST(DrawMaskedBitmap, LeavesTransparentPixelsOfABusyBackgroundUntouched) {
  uih::OwnedBitmap strip(LoadBitmap(GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_TOOLS_STRIP)));
  ASSERT_TRUE(strip);
  DibCanvas canvas(20, 20), reference(20, 20);
  ASSERT_TRUE(canvas.valid() && reference.valid());
  Hatch(canvas);
  Hatch(reference);
  CDC* dc = CDC::FromHandle(canvas.dc());
  ASSERT_EQ(Utilities::DrawMaskedBitmap(dc, {5, 5}, strip.Get(), 1, 8, 1, 1), 1);
  int changed = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool image = x >= 6 && x <= 11 && y >= 6 && y <= 11;  // blue square at 1..6
      if (image) {
        // Image 1's black pixel at (2, 4) is the image's own.
        EXPECT_EQ(canvas.At(x, y), x == 7 && y == 9 ? kBlack : kBlue) << x << "," << y;
      } else if (canvas.At(x, y) != reference.At(x, y)) {
        ++changed;
      }
    }
  EXPECT_EQ(changed, 0);

  // Unmasked: the whole cell, background included.
  ASSERT_EQ(Utilities::DrawMaskedBitmap(dc, {0, 0}, strip.Get(), 0, 8, 0, 1), 1);
  EXPECT_EQ(canvas.At(0, 0), kLight);
  EXPECT_EQ(canvas.At(2, 2), kRed);
  // ORed onto the target: red over a blue pixel gives magenta.
  SetPixelV(canvas.dc(), 2, 2, kBlue);
  ASSERT_EQ(Utilities::DrawMaskedBitmap(dc, {0, 0}, strip.Get(), 0, 8, 1, 0), 1);
  EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 255));
}

// Failures draw nothing and answer 0 (a width of 0 used to divide by zero).
TEST(DrawMaskedBitmap, RefusesWhatItCannotDraw) {
  uih::OwnedBitmap strip(LoadBitmap(GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_TOOLS_STRIP)));
  DibCanvas canvas(20, 20, kGreen);
  CDC* dc = CDC::FromHandle(canvas.dc());
  struct Case {
    const char* what;
    CDC* dc;
    HBITMAP strip;
    UINT index, width;
  } cases[] = {
      {"width 0", dc, strip.Get(), 0, 0},
      {"no strip", dc, NULL, 0, 8},
      {"deleted strip", dc, reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x7777)), 0, 8},
      {"index past the images", dc, strip.Get(), 2, 8},
      {"width beyond the strip", dc, strip.Get(), 0, 40},
      {"no DC", NULL, strip.Get(), 0, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utilities::DrawMaskedBitmap(c.dc, {0, 0}, c.strip, c.index, c.width, 1, 1), 0) << c.what;
    EXPECT_EQ(canvas.CountOf(kGreen), 400) << c.what;
  }
}

TEST(Extract1MaskedImage, CutsByHandleIdAndNameAndLeavesTheOutputOnFailure) {
  uih::OwnedBitmap strip(LoadBitmap(GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_TOOLS_STRIP)));
  CBitmap byHandle, byId, byName;
  ASSERT_TRUE(Utilities::Extract1MaskedImage(strip.Get(), 1, 8, byHandle));
  ASSERT_TRUE(Utilities::Extract1MaskedImage(static_cast<UINT>(IDB_TOOLS_STRIP), 1, 8, byId));
  ASSERT_TRUE(Utilities::Extract1MaskedImage(L"TOOLSSTRIP", 1, 8, byName));
  for (CBitmap* b : {&byHandle, &byId, &byName}) {
    int w = 0;
    auto px = PixelsOf(*b, &w);
    ASSERT_EQ(w, 16);
    EXPECT_EQ(px[1 * 16 + 1], PixelOf(kBlue));
    EXPECT_EQ(px[0], PixelOf(kLight));
    EXPECT_EQ(px[1 * 16 + 8 + 1], PixelOf(kBlack));  // its mask
    EXPECT_EQ(px[8], PixelOf(kWhite));
  }
  HBITMAP kept = byHandle;
  EXPECT_FALSE(Utilities::Extract1MaskedImage(strip.Get(), 2, 8, byHandle));
  EXPECT_FALSE(Utilities::Extract1MaskedImage(L"NOSUCHSTRIP", 0, 8, byHandle));
  EXPECT_FALSE(Utilities::Extract1MaskedImage(static_cast<const wchar_t*>(NULL), 0, 8, byHandle));
  EXPECT_EQ(static_cast<HBITMAP>(byHandle), kept);

  CBitmap image, mask;
  ASSERT_TRUE(Utilities::Extract1Image(L"TOOLSSTRIP", 0, 8, image, mask));
  auto img = PixelsOf(image), msk = PixelsOf(mask);
  ASSERT_EQ(img.size(), 64u);
  EXPECT_EQ(img[2 * 8 + 2], PixelOf(kRed));
  EXPECT_EQ(msk[2 * 8 + 2], PixelOf(kBlack));
  EXPECT_EQ(msk[0], PixelOf(kWhite));
}

// Left half: `from` at x 0..1 and a neighbour colour at x 2; right half: `from` everywhere.
const COLORREF kFrom = RGB(0, 128, 128), kTo = RGB(248, 0, 0), kNeighbour = RGB(0, 136, 128);
void PaintRemapSource(HDC dc, int w, int h) {
  Fill(dc, {0, 0, w, h}, kFrom);
  Fill(dc, {2, 0, 3, h}, kNeighbour);
}

// The colour a pixel of `c` written at the depth reads back as (5-5-5 loses the low bits).
COLORREF Stored(COLORREF c, int depth) {
  if (depth != 16) return c;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  void* bits = NULL;
  uih::OwnedBitmap one(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
  *static_cast<WORD*>(bits) = static_cast<WORD>(((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3));
  return ColorOf(PixelsOf(one.Get())[0]);
}

// Above 8 bits only exact matches change (per depth), in the left half only with stripOnly.
TEST(RemapMaskedBitmap, ChangesExactMatchesPerDepthAndKeepsTheMasksWhenAsked) {
  uih::OwnedBitmap source(Section(8, 4, 32, PaintRemapSource));
  for (int depth : {16, 24, 32}) {
    for (int stripOnly : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "depth " << depth << " stripOnly " << stripOnly);
      uih::OwnedBitmap out(Utilities::RemapMaskedBitmapAtDepth(source.Get(), kFrom, kTo, stripOnly, depth));
      ASSERT_TRUE(out);
      DIBSECTION ds = {};
      ASSERT_EQ(GetObject(out.Get(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
      EXPECT_EQ(ds.dsBmih.biBitCount, depth);
      auto px = PixelsOf(out.Get());
      const COLORREF to = Stored(kTo, depth), from = Stored(kFrom, depth);
      for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(ColorOf(px[y * 8 + 0]), to);
        EXPECT_EQ(ColorOf(px[y * 8 + 1]), to);
        EXPECT_EQ(ColorOf(px[y * 8 + 2]), Stored(kNeighbour, depth));  // near is not exact
        EXPECT_EQ(ColorOf(px[y * 8 + 3]), to);
        for (int x = 4; x < 8; ++x) EXPECT_EQ(ColorOf(px[y * 8 + x]), stripOnly ? from : to) << x;
      }
    }
  }
}

// At 8 bits the palette entry nearest to `from` takes `to`, whatever the pixels; the rest of
// the table stays.
TEST(RemapMaskedBitmap, ChangesTheNearestPaletteEntryAtEightBits) {
  uih::OwnedBitmap source(Section(8, 4, 32, PaintRemapSource));
  // Black for black changes no entry: the table as the section gets it.
  uih::OwnedBitmap plain(Utilities::RemapMaskedBitmapAtDepth(source.Get(), kBlack, kBlack, 0, 8));
  ASSERT_TRUE(plain);
  RGBQUAD before[256], after[256];
  auto table = [](HBITMAP b, RGBQUAD* t) {
    uih::MemoryDC dc;
    return dc.Select(b) ? GetDIBColorTable(dc.Get(), 0, 256, t) : 0u;
  };
  const UINT n = table(plain.Get(), before);
  ASSERT_GT(n, 2u);
  // A colour near the one the source's pixels took: its nearest entry is that one.
  const COLORREF taken = ColorOf(PixelsOf(plain.Get())[0]);
  const COLORREF from = RGB(GetRValue(taken) + 1, GetGValue(taken), GetBValue(taken) > 0 ? GetBValue(taken) - 1 : 1);
  uih::OwnedBitmap out(Utilities::RemapMaskedBitmapAtDepth(source.Get(), from, kTo, 1, 8));
  ASSERT_TRUE(out);
  ASSERT_EQ(table(out.Get(), after), n);
  UINT nearest = 0;
  long best = -1;
  for (UINT i = 0; i < n; ++i) {
    const long dr = before[i].rgbRed - GetRValue(from), dg = before[i].rgbGreen - GetGValue(from),
               db = before[i].rgbBlue - GetBValue(from);
    const long d = dr * dr + dg * dg + db * db;
    if (best < 0 || d < best) best = d, nearest = i;
  }
  EXPECT_EQ(RGB(before[nearest].rgbRed, before[nearest].rgbGreen, before[nearest].rgbBlue), taken);
  int changedEntries = 0;
  for (UINT i = 0; i < n; ++i)
    if (memcmp(&before[i], &after[i], sizeof(RGBQUAD)) != 0) ++changedEntries;
  EXPECT_EQ(changedEntries, 1);
  EXPECT_EQ(RGB(after[nearest].rgbRed, after[nearest].rgbGreen, after[nearest].rgbBlue), kTo);
  // The pixels of that entry show the new colour in both halves: a palette knows no halves.
  auto px = PixelsOf(out.Get());
  EXPECT_EQ(ColorOf(px[0]), kTo);
  EXPECT_EQ(ColorOf(px[7]), kTo);
}

TEST(RemapMaskedBitmap, ScreenDepthResourcesAndRefusals) {
  uih::OwnedBitmap source(Section(8, 4, 32, PaintRemapSource));
  HDC screen = GetDC(NULL);
  const int screenDepth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(NULL, screen);
  uih::OwnedBitmap out(Utilities::RemapMaskedBitmap(source.Get(), kFrom, kTo, 0));
  ASSERT_TRUE(out);
  DIBSECTION ds = {};
  GetObject(out.Get(), sizeof(ds), &ds);
  EXPECT_EQ(ds.dsBmih.biBitCount, screenDepth <= 8 ? 8 : screenDepth);
  EXPECT_EQ(Utilities::RemapMaskedBitmap(static_cast<HBITMAP>(NULL), kFrom, kTo, 0), nullptr);
  EXPECT_EQ(Utilities::RemapMaskedBitmapAtDepth(source.Get(), kFrom, kTo, 0, 12), nullptr);

  // The strip's light grey becomes green in the images only.
  uih::OwnedBitmap byId(Utilities::RemapMaskedBitmap(static_cast<UINT>(IDB_TOOLS_STRIP), kLight, kGreen, 1));
  uih::OwnedBitmap byName(Utilities::RemapMaskedBitmap(L"TOOLSSTRIP", kLight, kGreen, 1));
  uih::OwnedBitmap one(Utilities::RemapMaskedBitmapEx(static_cast<UINT>(IDB_TOOLS_STRIP), 0, 8, kLight, kGreen, 1));
  uih::OwnedBitmap oneByName(Utilities::RemapMaskedBitmapEx(L"TOOLSSTRIP", 1, 8, kWhite, kGreen, 0));
  ASSERT_TRUE(byId && byName && one && oneByName);
  for (HBITMAP b : {byId.Get(), byName.Get()}) {
    int w = 0;
    auto px = PixelsOf(b, &w);
    ASSERT_EQ(w, 32);
    EXPECT_EQ(ColorOf(px[0]), kGreen);
    EXPECT_EQ(ColorOf(px[2 * 32 + 2]), kRed);
    EXPECT_EQ(ColorOf(px[16]), kWhite);  // a mask pixel
  }
  int w = 0;
  auto px = PixelsOf(one.Get(), &w);
  ASSERT_EQ(w, 16);
  EXPECT_EQ(ColorOf(px[0]), kGreen);
  EXPECT_EQ(ColorOf(px[8]), kWhite);
  EXPECT_EQ(ColorOf(PixelsOf(oneByName.Get())[8]), kGreen);  // not strip-only: the mask too
  EXPECT_EQ(Utilities::RemapMaskedBitmap(L"NOSUCHSTRIP", kLight, kGreen, 1), nullptr);
  EXPECT_EQ(Utilities::RemapMaskedBitmapEx(static_cast<UINT>(IDB_TOOLS_STRIP), 5, 8, kLight, kGreen, 1), nullptr);
}

// Loading by id or name used to keep the loaded source.
TEST(RemapMaskedBitmap, FreesTheBitmapItLoaded) {
  HBITMAP warm = Utilities::RemapMaskedBitmap(static_cast<UINT>(IDB_TOOLS_STRIP), kLight, kGreen, 1);
  DeleteObject(warm);
  const int before = GdiObjectCount();
  for (int i = 0; i < 20; ++i) {
    DeleteObject(Utilities::RemapMaskedBitmap(static_cast<UINT>(IDB_TOOLS_STRIP), kLight, kGreen, 1));
    DeleteObject(Utilities::RemapMaskedBitmap(L"TOOLSSTRIP", kLight, kGreen, 1));
    DeleteObject(Utilities::RemapMaskedBitmapEx(L"TOOLSSTRIP", 0, 8, kLight, kGreen, 1));
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
