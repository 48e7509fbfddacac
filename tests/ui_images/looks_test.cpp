// Bitmap looks: masks on the fly, colour replacement, darkened, shaded and disabled images.
#include <gtest/gtest.h>

#include <UIImages.h>

#include "dib_canvas.h"
#include "image_testing.h"

#include <math.h>

using testing_support::DibCanvas;
using testing_support::PixelOf;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kTeal = RGB(0, 128, 128), kWhite = RGB(255, 255, 255),
               kBlack = RGB(0, 0, 0), kPink = RGB(255, 0, 255);

// A 4 x 2 DDB of the screen's format: teal background, red at (1, 0) and white at (2, 1).
HBITMAP SampleBitmap() {
  HDC screen = GetDC(NULL);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 2);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all = {0, 0, 4, 2};
  HBRUSH teal = CreateSolidBrush(kTeal);
  FillRect(dc, &all, teal);
  DeleteObject(teal);
  SetPixel(dc, 1, 0, kRed);
  SetPixel(dc, 2, 1, kWhite);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(NULL, screen);
  return bmp;
}

TEST(DarkenColor, ScalesEachChannelOnlyForFactorsInRange) {
  const COLORREF c = RGB(200, 100, 51);
  EXPECT_EQ(DarkenColor(c, 0.0), c);
  EXPECT_EQ(DarkenColor(c, 1.5), c);
  EXPECT_EQ(DarkenColor(c, -0.5), c);
  EXPECT_EQ(DarkenColor(c, nan("")), c);
  EXPECT_EQ(DarkenColor(c, 0.25), RGB(150, 75, 39));  // 51 - 12.75 truncated is 39
  EXPECT_EQ(DarkenColor(c, 1.0), RGB(0, 0, 0));
}

TEST(CreateMaskOnTheFly, PutsTheMaskBesideTheImage) {
  HBITMAP image = SampleBitmap();
  HBITMAP both = CreateMaskOnTheFly(NULL, image, kTeal);
  ASSERT_NE(both, nullptr);
  int w = 0, h = 0;
  auto px = imagetest::PixelsOf(both, &w, &h);
  ASSERT_EQ(w, 8);
  ASSERT_EQ(h, 2);
  EXPECT_EQ(px[1], PixelOf(kRed));        // image kept
  EXPECT_EQ(px[0], PixelOf(kTeal));
  EXPECT_EQ(px[4 + 1], PixelOf(kBlack));  // mask: black under the image's own pixels
  EXPECT_EQ(px[4 + 0], PixelOf(kWhite));  // white where it is transparent
  EXPECT_EQ(px[8 + 4 + 2], PixelOf(kBlack));
  EXPECT_EQ(px[8 + 4 + 3], PixelOf(kWhite));
  DeleteObject(both);
  EXPECT_EQ(CreateMaskOnTheFly(NULL, NULL, kTeal), nullptr);
  DeleteObject(image);
}

TEST(ReplaceBitmapColor, ChangesExactMatchesInTheChosenColumns) {
  HBITMAP image = SampleBitmap();
  HBITMAP all = ReplaceBitmapColor(image, kTeal, kPink, FALSE);
  HBITMAP left = ReplaceBitmapColor(image, kTeal, kPink, TRUE);
  ASSERT_NE(all, nullptr);
  ASSERT_NE(left, nullptr);
  auto a = imagetest::PixelsOf(all), l = imagetest::PixelsOf(left);
  EXPECT_EQ(a[0], PixelOf(kPink));
  EXPECT_EQ(a[3], PixelOf(kPink));
  EXPECT_EQ(a[1], PixelOf(kRed));
  EXPECT_EQ(l[1 * 4 + 1], PixelOf(kPink));  // column 1 is in the left half
  EXPECT_EQ(l[3], PixelOf(kTeal));          // column 3 is not
  EXPECT_EQ(l[2], PixelOf(kTeal));
  // The source is untouched.
  EXPECT_EQ(imagetest::PixelsOf(image)[0], PixelOf(kTeal));
  BITMAP bm;
  ASSERT_TRUE(GetObject(all, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(all);
  DeleteObject(left);
  DeleteObject(image);
}

TEST(CreateShadedBitmap, DarkensAllButTheFaceColour) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  DibCanvas src(3, 1, face);
  SetPixel(src.dc(), 1, 0, RGB(200, 100, 4));
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(src.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  HBITMAP shaded = CreateShadedBitmap(copy);
  ASSERT_NE(shaded, nullptr);
  auto px = imagetest::PixelsOf(shaded);
  EXPECT_EQ(px[0], PixelOf(face));
  EXPECT_EQ(px[1], PixelOf(RGB(150, 75, 3)));
  DeleteObject(shaded);
  DeleteObject(copy);
}

// A strip of two 3 x 2 images in a 32-bit section: face background, image 1 has black at
// (0, 0) and white at (2, 1).
HBITMAP DisabledStrip() {
  DibCanvas c(6, 2, GetSysColor(COLOR_3DFACE));
  SetPixel(c.dc(), 3, 0, kBlack);
  SetPixel(c.dc(), 5, 1, kWhite);
  SetPixel(c.dc(), 0, 0, kRed);  // image 0
  return static_cast<HBITMAP>(CopyImage(c.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

TEST(DrawDisabledBitmap, RampsImagePixelsAndLeavesTheRestOfTheDC) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  const COLORREF dark = DarkenColor(face, 0.35);
  HBITMAP strip = DisabledStrip();
  for (bool askDC : {false, true}) {
    SCOPED_TRACE(askDC ? "ask DC" : "face colour");
    DibCanvas canvas(10, 6, kPink);
    SetPixel(canvas.dc(), 0, 0, kTeal);
    ASSERT_TRUE(DrawDisabledBitmap(canvas.dc(), 4, 3, strip, 3, 1, askDC));
    EXPECT_EQ(canvas.At(4, 3), dark);  // black: ramp entry 0
    EXPECT_EQ(canvas.At(6, 4), face);  // white: ramp entry 255
    EXPECT_EQ(canvas.At(5, 3), kPink);  // face-coloured: transparent
    EXPECT_EQ(canvas.At(0, 0), kTeal);  // no stray pixel
    EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 10, 3}), 1);  // only (0, 0) above the image
    EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{7, 0, 10, 6}), 0);  // nothing right of it
  }
  DibCanvas canvas(4, 4, kPink);
  EXPECT_FALSE(DrawDisabledBitmap(canvas.dc(), 0, 0, strip, 3, 2, false));  // past the strip
  EXPECT_FALSE(DrawDisabledBitmap(canvas.dc(), 0, 0, strip, 0, 0, false));
  EXPECT_FALSE(DrawDisabledBitmap(canvas.dc(), 0, 0, NULL, 3, 0, false));
  EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 4, 4}), 0);
  DeleteObject(strip);
}

TEST(DrawDisabledBitmap, GreyPixelsTakeTheRampEntryOfTheirBrightness) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  const COLORREF dark = DarkenColor(face, 0.35);
  DibCanvas src(1, 1, RGB(100, 150, 200));
  HBITMAP strip = static_cast<HBITMAP>(CopyImage(src.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  DibCanvas canvas(1, 1, kPink);
  ASSERT_TRUE(DrawDisabledBitmap(canvas.dc(), 0, 0, strip, 1, 0, false));
  const int i = (299 * 100 + 587 * 150 + 114 * 200) / 1000;  // 140
  auto ramp = [&](int d, int f) { return d + i * (f - d) / 255; };
  EXPECT_EQ(canvas.At(0, 0), RGB(ramp(GetRValue(dark), GetRValue(face)), ramp(GetGValue(dark), GetGValue(face)),
                                 ramp(GetBValue(dark), GetBValue(face))));
  DeleteObject(strip);
}

}  // namespace
