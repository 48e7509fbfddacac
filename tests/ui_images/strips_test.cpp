// Image strips and image lists: cutting, loading, drawing, toolbar lists and fitted drawing.
#include <gtest/gtest.h>

#include <UIImages.h>

#include "dib_canvas.h"
#include "image_testing.h"
#include "strip_ids.h"

using testing_support::DibCanvas;
using testing_support::PixelOf;

namespace {

// The test strip (strip.bmp, 32 x 8, 8-bit): two 8-pixel images on light grey, then their
// masks. Image 0: red square at 2..5 with a dark grey pixel at (3, 3). Image 1: blue square
// at 1..6 with a black pixel at (2, 4).
const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kLight = RGB(192, 192, 192),
               kDark = RGB(128, 128, 128), kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0),
               kPink = RGB(255, 0, 255);

HBITMAP LoadTestStrip() { return LoadBitmap(GetModuleHandle(NULL), MAKEINTRESOURCE(IDB_TEST_STRIP)); }

TEST(Extract1Image, CopiesTheImageAndItsMask) {
  HBITMAP image = NULL, mask = NULL;
  ASSERT_TRUE(Extract1Image(IDB_TEST_STRIP, 1, 8, &image, &mask));
  int w = 0, h = 0;
  auto img = imagetest::PixelsOf(image, &w, &h);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 8);
  EXPECT_EQ(img[1 * 8 + 1], PixelOf(kBlue));
  EXPECT_EQ(img[4 * 8 + 2], PixelOf(kBlack));
  EXPECT_EQ(img[0], PixelOf(kLight));
  auto msk = imagetest::PixelsOf(mask);
  EXPECT_EQ(msk[0], PixelOf(kWhite));
  EXPECT_EQ(msk[1 * 8 + 1], PixelOf(kBlack));
  DeleteObject(image);
  DeleteObject(mask);

  for (auto bad : {std::make_pair(2, 8), std::make_pair(-1, 8), std::make_pair(0, 0), std::make_pair(0, 17)}) {
    image = mask = NULL;
    EXPECT_FALSE(Extract1Image(IDB_TEST_STRIP, bad.first, bad.second, &image, &mask))
        << bad.first << " " << bad.second;
    EXPECT_EQ(image, nullptr);
  }
  EXPECT_FALSE(Extract1Image(4242, 0, 8, &image, &mask));
}

TEST(Extract1MaskedImage, PutsImageAndMaskSideBySideAndMapsColours) {
  HBITMAP both = NULL;
  ASSERT_TRUE(Extract1MaskedImage(IDB_TEST_STRIP, 0, 8, &both, FALSE));
  int w = 0;
  auto px = imagetest::PixelsOf(both, &w);
  ASSERT_EQ(w, 16);
  EXPECT_EQ(px[2 * 16 + 2], PixelOf(kRed));
  EXPECT_EQ(px[3 * 16 + 3], PixelOf(kDark));
  EXPECT_EQ(px[0], PixelOf(kLight));
  EXPECT_EQ(px[2 * 16 + 8 + 2], PixelOf(kBlack));
  EXPECT_EQ(px[8], PixelOf(kWhite));
  DeleteObject(both);

  ASSERT_TRUE(Extract1MaskedImage(IDB_TEST_STRIP, 0, 8, &both, TRUE));
  px = imagetest::PixelsOf(both);
  EXPECT_EQ(px[0], PixelOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(px[3 * 16 + 3], PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(px[2 * 16 + 2], PixelOf(kRed));
  // The mask keeps black and white whatever the system colours.
  EXPECT_EQ(px[8], PixelOf(kWhite));
  EXPECT_EQ(px[2 * 16 + 8 + 2], PixelOf(kBlack));
  DeleteObject(both);
  EXPECT_FALSE(Extract1MaskedImage(IDB_TEST_STRIP, 2, 8, &both, FALSE));
}

TEST(LoadMaskedImageList, HoldsEveryImageWithItsMask) {
  HIMAGELIST list = NULL;
  ASSERT_TRUE(LoadMaskedImageList(&list, IDB_TEST_STRIP, 8));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 8);
  EXPECT_EQ(cy, 8);
  DibCanvas canvas(8, 8, kPink);
  ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc(), 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.At(1, 1), kBlue);
  EXPECT_EQ(canvas.At(2, 4), kBlack);
  EXPECT_EQ(canvas.At(0, 0), kPink);
  EXPECT_EQ(canvas.At(7, 7), kPink);
  ImageList_Destroy(list);
  EXPECT_FALSE(LoadMaskedImageList(&list, IDB_TEST_STRIP, 0));
  EXPECT_FALSE(LoadMaskedImageList(&list, IDB_TEST_STRIP, 17));
  EXPECT_FALSE(LoadMaskedImageList(&list, 4242, 8));
}

TEST(DrawImage, CopiesOrDrawsThroughTheMask) {
  HBITMAP strip = LoadTestStrip();
  ASSERT_NE(strip, nullptr);
  DibCanvas canvas(30, 10, kPink);
  EXPECT_EQ(DrawImage(canvas.dc(), POINT{1, 1}, strip, 1, 8, 1), 1);
  EXPECT_EQ(canvas.At(2, 2), kBlue);
  EXPECT_EQ(canvas.At(3, 5), kBlack);
  EXPECT_EQ(canvas.At(1, 1), kPink);  // transparent corner
  EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 30, 1}), 0);

  EXPECT_EQ(DrawImage(canvas.dc(), POINT{12, 1}, strip, 0, 8, 0), 1);
  EXPECT_EQ(canvas.At(12, 1), kLight);  // opaque copy
  EXPECT_EQ(canvas.At(16, 4), kRed);
  // An opaque copy may take any cell of the whole strip; a masked draw only images.
  EXPECT_EQ(DrawImage(canvas.dc(), POINT{20, 1}, strip, 3, 8, 0), 1);
  EXPECT_EQ(canvas.At(20, 1), kWhite);
  EXPECT_EQ(DrawImage(canvas.dc(), POINT{20, 1}, strip, 4, 8, 0), 0);
  EXPECT_EQ(DrawImage(canvas.dc(), POINT{20, 1}, strip, 2, 8, 1), 0);
  EXPECT_EQ(DrawImage(canvas.dc(), POINT{20, 1}, strip, 0, 0, 1), 0);
  DeleteObject(strip);

  // The same through the resource id; a bad handle or id fails.
  DibCanvas other(8, 8, kPink);
  EXPECT_EQ(DrawImage(other.dc(), POINT{0, 0}, UINT(IDB_TEST_STRIP), 0, 8, 1), 1);
  EXPECT_EQ(other.At(2, 2), kRed);
  EXPECT_EQ(other.At(0, 0), kPink);
  EXPECT_EQ(DrawImage(other.dc(), POINT{0, 0}, UINT(4242), 0, 8, 1), 0);
  EXPECT_EQ(DrawImage(other.dc(), POINT{0, 0}, reinterpret_cast<HBITMAP>(0x1234), 0, 8, 1), 0);
}

// A 32 x 16 strip of two 16 x 16 images on the face colour: image 0 has a black pixel at
// (3, 3), image 1 a red one at (16 + 5, 5).
HBITMAP ToolbarStrip() {
  DibCanvas c(32, 16, GetSysColor(COLOR_3DFACE));
  SetPixel(c.dc(), 3, 3, kBlack);
  SetPixel(c.dc(), 21, 5, kRed);
  return static_cast<HBITMAP>(CopyImage(c.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

TEST(CreateToolBarImageList, MakesNormalDisabledAndShadedListsFromACopy) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  HBITMAP strip = ToolbarStrip();
  struct Case {
    int look;
    COLORREF black, red;
  } cases[] = {
      {0, kBlack, kRed},
      {1, DarkenColor(face, 0.35), RGB(0, 0, 0)},  // red: filled in below from the ramp
      {2, kBlack, RGB(192, 0, 0)},
  };
  {
    // Red's brightness is 76: its ramp colour.
    const COLORREF dark = DarkenColor(face, 0.35);
    auto ramp = [&](int d, int f) { return d + 76 * (f - d) / 255; };
    cases[1].red = RGB(ramp(GetRValue(dark), GetRValue(face)), ramp(GetGValue(dark), GetGValue(face)),
                       ramp(GetBValue(dark), GetBValue(face)));
  }
  for (auto& c : cases) {
    SCOPED_TRACE(c.look);
    HIMAGELIST list = CreateToolBarImageList(strip, 16, 16, c.look);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    DibCanvas canvas(32, 16, kPink);
    ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(list, 1, canvas.dc(), 16, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(3, 3), c.black);
    EXPECT_EQ(canvas.At(21, 5), c.red);
    EXPECT_EQ(canvas.At(0, 0), kPink);  // the face colour is transparent
    EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 32, 16}), 2);
    ImageList_Destroy(list);
    // The caller's strip keeps its background.
    EXPECT_EQ(imagetest::PixelsOf(strip)[0], PixelOf(face));
  }
  EXPECT_EQ(CreateToolBarImageList(strip, 16, 16, 3), nullptr);
  EXPECT_EQ(CreateToolBarImageList(strip, 0, 16, 0), nullptr);
  EXPECT_EQ(CreateToolBarImageList(NULL, 16, 16, 0), nullptr);
  DeleteObject(strip);
}

// An image list of one opaque 16 x 15 blue image.
HIMAGELIST BlueList() {
  HIMAGELIST list = ImageList_Create(16, 15, ILC_COLOR24 | ILC_MASK, 1, 1);
  DibCanvas c(16, 15, kBlue);
  HBITMAP bmp = static_cast<HBITMAP>(CopyImage(c.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ImageList_Add(list, bmp, NULL);
  DeleteObject(bmp);
  return list;
}

TEST(DrawImageListInRect, CentresAtFullSizeInALargeRectangle) {
  HIMAGELIST list = BlueList();
  DibCanvas canvas(60, 50, kPink);
  RECT r = {10, 10, 42, 40};
  ASSERT_TRUE(DrawImageListInRect(canvas.dc(), list, 0, &r, 3));
  EXPECT_EQ(canvas.At(18, 17), kBlue);
  EXPECT_EQ(canvas.At(33, 31), kBlue);
  EXPECT_EQ(canvas.At(17, 17), kPink);
  EXPECT_EQ(canvas.At(34, 31), kPink);
  EXPECT_EQ(canvas.At(33, 32), kPink);
  EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 60, 50}), 16 * 15);
  ImageList_Destroy(list);
}

TEST(DrawImageListInRect, ShrinksIntoASmallRectangleAndNeverEnlarges) {
  HIMAGELIST list = BlueList();
  struct Case {
    RECT r;
    DWORD flags;
  } cases[] = {
      {{4, 4, 12, 9}, 2},    // 8 x 5: 50 % by 33 %
      {{4, 4, 12, 9}, 3},    // the same, centred
      {{20, 3, 30, 30}, 3},  // narrow only
      {{2, 30, 40, 36}, 2},  // low only
  };
  for (auto& c : cases) {
    DibCanvas canvas(50, 40, kPink);
    const RECT r = c.r;
    RECT arg = r;
    ASSERT_TRUE(DrawImageListInRect(canvas.dc(), list, 0, &arg, c.flags));
    const int inside = canvas.CountOtherThan(kPink, r);
    const int all = canvas.CountOtherThan(kPink, RECT{0, 0, 50, 40});
    EXPECT_GT(inside, 0) << r.left << "," << r.top;
    EXPECT_EQ(all, inside) << "drawn outside " << r.left << "," << r.top;
    // The DC's mapping is left as it was.
    EXPECT_EQ(GetMapMode(canvas.dc()), MM_TEXT);
    POINT org;
    GetViewportOrgEx(canvas.dc(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
  }
  ImageList_Destroy(list);
}

TEST(DrawImageListInRect, RefusesEmptyRectanglesAndMissingImages) {
  HIMAGELIST list = BlueList();
  DibCanvas canvas(40, 40, kPink);
  RECT empty = {5, 5, 5, 20}, flat = {5, 5, 20, 5}, inverted = {20, 20, 5, 5}, ok = {0, 0, 20, 20};
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), list, 0, &empty, 2));
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), list, 0, &flat, 3));
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), list, 0, &inverted, 0));
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), list, 1, &ok, 0));
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), NULL, 0, &ok, 0));
  EXPECT_FALSE(DrawImageListInRect(canvas.dc(), list, 0, NULL, 0));
  EXPECT_EQ(canvas.CountOtherThan(kPink, RECT{0, 0, 40, 40}), 0);
  ImageList_Destroy(list);
}

TEST(DrawImageListInRect, DrawsTheDisabledLookInsideTheRectangle) {
  HIMAGELIST list = BlueList();
  DibCanvas canvas(40, 40, kPink);
  RECT r = {10, 10, 26, 25};
  ASSERT_TRUE(DrawImageListInRect(canvas.dc(), list, 0, &r, 0x10000));
  EXPECT_GT(canvas.CountOtherThan(kPink, RECT{10, 10, 26, 25}), 0);
  EXPECT_EQ(canvas.CountOtherThan(kBlue, RECT{10, 10, 26, 25}), 16 * 15);  // not the plain image
  ImageList_Destroy(list);
}

TEST(FrameworkForms, TakeAndDrawThroughFrameworkObjects) {
  CBitmap image, mask, both;
  image.Attach(CreateBitmap(2, 2, 1, 1, nullptr));  // replaced
  ASSERT_TRUE(Extract1Image(IDB_TEST_STRIP, 1, 8, image, mask));
  int w = 0;
  auto px = imagetest::PixelsOf(static_cast<HBITMAP>(image.GetSafeHandle()), &w);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(px[1 * 8 + 1], PixelOf(kBlue));
  EXPECT_EQ(imagetest::PixelsOf(static_cast<HBITMAP>(mask.GetSafeHandle()))[0], PixelOf(kWhite));
  ASSERT_TRUE(Extract1MaskedImage(IDB_TEST_STRIP, 0, 8, both, FALSE));
  imagetest::PixelsOf(static_cast<HBITMAP>(both.GetSafeHandle()), &w);
  EXPECT_EQ(w, 16);
  EXPECT_FALSE(Extract1MaskedImage(IDB_TEST_STRIP, 5, 8, both, FALSE));

  CImageList list;
  ASSERT_TRUE(LoadMaskedImageList(list, IDB_TEST_STRIP, 8));
  EXPECT_EQ(ImageList_GetImageCount(list.m_hImageList), 2);

  DibCanvas canvas(40, 20, kPink);
  CDC dc;
  dc.Attach(canvas.dc());
  EXPECT_EQ(DrawImage(&dc, POINT{0, 0}, UINT(IDB_TEST_STRIP), 0, 8, 1), 1);
  EXPECT_EQ(canvas.At(2, 2), kRed);
  EXPECT_EQ(DrawImage(&dc, POINT{10, 0}, static_cast<HBITMAP>(mask.GetSafeHandle()), 0, 8, 0), 1);
  EXPECT_EQ(canvas.At(11, 1), kBlack);
  RECT r = {20, 0, 36, 15};
  EXPECT_TRUE(DrawImageListInRect(&dc, &list, 1, &r, 0));
  EXPECT_EQ(canvas.At(21, 1), kBlue);
  EXPECT_FALSE(DrawImageListInRect(static_cast<CDC*>(nullptr), &list, 1, &r, 0));
  EXPECT_EQ(DrawImage(static_cast<CDC*>(nullptr), POINT{0, 0}, UINT(IDB_TEST_STRIP), 0, 8, 1), 0);
  dc.Detach();
}

}  // namespace
