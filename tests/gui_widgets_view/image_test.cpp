// Pictures in the portable view: image lists (scaled by the zoom, the DC's mapping given
// back), images through their own drawing or the bitmap drawing, OLE items, and snapshots of
// the view's drawing into new images. Pixels are compared with the framework's drawing view
// where both draw the same thing.
#include "pview_fixture.h"

#include <GUIImageCtrl.h>
#include <QvImage.h>
#include <UIOleItem.h>
#include <dib_canvas.h>
#include <handle_counts.h>
#include <ole_picture.h>
#include <test_view.h>

#include <memory>

using testing_support::DibCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);

// A portable image list of one 4 x 4 blue image.
std::unique_ptr<QvImageList> BlueList() {
  std::unique_ptr<QvImageList> list(new QvImageList(0, 4));
  CImageList& images = list->GetImageList();
  if (images.GetSafeHandle() == NULL && !images.Create(4, 4, ILC_COLOR24, 1, 0)) return nullptr;
  HBITMAP blue = testing_support::SolidScreenBitmap(4, 4, kBlue);
  const int at = ImageList_Add(images.GetSafeHandle(), blue, NULL);
  DeleteObject(blue);
  return at == 0 ? std::move(list) : nullptr;
}

TEST(PortableViewImages, ImageListsScaleWithTheZoomLikeTheFrameworkViewAndGiveTheMappingBack) {
  std::unique_ptr<QvImageList> list = BlueList();
  ASSERT_TRUE(list);
  ASSERT_TRUE(UIViewPrepareSharedResources());
  struct Case {
    const char* what;
    long num, den;
    int blue;     // pixels of the image
    POINT inside; // one of them
  };
  const Case cases[] = {
      {"no zoom", 1, 1, 16, {2, 3}},
      {"twice the size", 2, 1, 64, {4, 6}},
      {"three halves", 3, 2, 36, {3, 5}},
  };
  for (const Case& c : cases) {
    DibCanvas mine(40, 40), theirs(40, 40);
    ModelView portable;
    TestDrawView framework;
    ASSERT_TRUE(portable.PrepareNewDCForDrawing(mine.dc()));
    ASSERT_TRUE(framework.PrepareNewDCForDrawing(theirs.dc(), false));
    portable.SetZoomFactor(c.num, c.den);
    framework.SetZoomFactor(c.num, c.den);
    portable.QvDrawImageList(QvPoint(2, 3), list.get(), 0);
    framework.QvDrawImageList(POINT{2, 3}, &list->GetImageList(), 0);
    GdiFlush();
    EXPECT_EQ(mine.CountOf(kBlue), c.blue) << c.what;
    EXPECT_EQ(mine.At(c.inside.x, c.inside.y), kBlue) << c.what;
    EXPECT_EQ(testing_support::DifferingPixels(mine, theirs), 0) << c.what;
    EXPECT_EQ(GetMapMode(mine.dc()), MM_TEXT) << c.what;
    portable.UnprepareCurrentDC();
    framework.UnprepareCurrentDC();
  }
}

TEST(PortableViewImages, ImageListKeepsADCsOwnMappingAndIgnoresMissingLists) {
  std::unique_ptr<QvImageList> list = BlueList();
  ASSERT_TRUE(list);
  DibCanvas dib(40, 40);
  // A DC already scaled by its owner (as a metafile's would be) keeps its extents.
  SetMapMode(dib.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(dib.dc(), 10, 10, NULL);
  SetViewportExtEx(dib.dc(), 20, 20, NULL);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  v.SetZoomFactor(2, 1);
  v.QvDrawImageList(QvPoint(0, 0), list.get(), 0);
  SIZE window = {}, viewport = {};
  GetWindowExtEx(dib.dc(), &window);
  GetViewportExtEx(dib.dc(), &viewport);
  EXPECT_EQ(GetMapMode(dib.dc()), MM_ANISOTROPIC);
  EXPECT_EQ(window.cx, 10);
  EXPECT_EQ(viewport.cx, 20);
  v.UnprepareCurrentDC();

  DibCanvas empty(20, 20);
  ASSERT_TRUE(v.PrepareNewDCForDrawing(empty.dc()));
  QvImageList none(0, 4);
  v.QvDrawImageList(QvPoint(1, 1), nullptr, 0);
  v.QvDrawImageList(QvPoint(1, 1), &none, 0);
  v.QvDrawImageList(QvPoint(1, 1), list.get(), 5);  // no such image
  GdiFlush();
  EXPECT_EQ(empty.CountOf(kWhite), 400);
  v.UnprepareCurrentDC();
}

TEST(PortableViewImages, ImagesDrawInTheirClientRectangleInTheDisplayMode) {
  ASSERT_TRUE(UIViewPrepareSharedResources());
  CBitmap* bitmap = new CBitmap;
  bitmap->Attach(testing_support::SolidScreenBitmap(10, 10, kRed));
  QvImage image(bitmap, false);
  struct Case {
    const char* what;
    int mode;
    int red;
  };
  const Case cases[] = {
      {"stretched to 20 x 20", QvImageStretch, 400},
      {"clipped at its own size", QvImageClip, 100},
      {"centred at its own size", QvImageCentre, 100},
  };
  for (const Case& c : cases) {
    DibCanvas mine(40, 40), theirs(40, 40);
    ModelView portable;
    TestDrawView framework;
    ASSERT_TRUE(portable.PrepareNewDCForDrawing(mine.dc()));
    ASSERT_TRUE(framework.PrepareNewDCForDrawing(theirs.dc(), false));
    portable.QvDrawImage(QvRect(5, 5, 25, 25), &image, static_cast<QvImageDisplay>(c.mode));
    framework.QvDrawImage(RECT{5, 5, 25, 25}, bitmap, static_cast<QvImageDisplay>(c.mode));
    GdiFlush();
    EXPECT_EQ(mine.CountOf(kRed), c.red) << c.what;
    EXPECT_EQ(mine.CountOf(kRed, RECT{5, 5, 25, 25}), c.red) << c.what;
    EXPECT_EQ(testing_support::DifferingPixels(mine, theirs), 0) << c.what;
    portable.UnprepareCurrentDC();
    framework.UnprepareCurrentDC();
  }
  // Nothing to draw: no image, an image without bitmap.
  DibCanvas dib(40, 40);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  QvImage blank;
  v.QvDrawImage(QvRect(5, 5, 25, 25), nullptr, static_cast<QvImageDisplay>(QvImageStretch));
  v.QvDrawImage(QvRect(5, 5, 25, 25), &blank, static_cast<QvImageDisplay>(QvImageStretch));
  GdiFlush();
  EXPECT_EQ(dib.CountOf(kWhite), 1600);
  v.UnprepareCurrentDC();
}

TEST(PortableViewImages, OleItemsDrawInTheirClientRectangle) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL)));
  {
    testing_support::PictureData data(testing_support::PictureData::Square(40, kBlue));
    CQvOleClientItem item;
    ASSERT_TRUE(item.CreateStaticFromData(&data, CF_DIB));
    DibCanvas canvas(80, 80, kGreen);
    ModelView v;
    ASSERT_TRUE(v.PrepareNewDCForDrawing(canvas.dc()));
    v.SetZoomFactor(2, 1);
    // (5, 5)-(25, 25) at twice the size: (10, 10)-(50, 50), the square in its middle half.
    v.QvDrawOLEItem(&item, QvRect(5, 5, 25, 25));
    GdiFlush();
    EXPECT_EQ(canvas.At(30, 30), kBlue);
    EXPECT_EQ(canvas.At(12, 12), kWhite);
    EXPECT_EQ(canvas.At(55, 55), kGreen);
    // An empty item and no item draw nothing.
    canvas.Fill(kGreen);
    CQvOleClientItem empty;
    v.QvDrawOLEItem(&empty, QvRect(5, 5, 25, 25));
    v.QvDrawOLEItem(nullptr, QvRect(5, 5, 25, 25));
    GdiFlush();
    EXPECT_EQ(canvas.CountOf(kGreen), 6400);
    v.UnprepareCurrentDC();
    item.Release();
  }
  OleUninitialize();
}

TEST(PortableViewSnapshot, DrawsTheImageRectangleScaledIntoANewImage) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  // A red block at (100, 50)-(200, 100) of a pixel image.
  w.view->draw = [](FunctionView& view, const QvRect&) {
    view.QvSetFillForeColor(Qv(kRed));
    view.QvSetFillPattern(static_cast<QvGUIPattern>(2));
    view.QvDrawRect(QvRect(100, 50, 200, 100), false, true);
  };
  const float factorX = w.window->FactorX();
  struct Case {
    const char* what;
    QvRect image;
    QvRect target;
    unsigned short bits;
    POINT red, white;
  };
  const Case cases[] = {
      {"same size, screen depth", QvRect(100, 50, 300, 150), QvRect(0, 0, 200, 100), 0, {50, 20}, {150, 80}},
      {"half size", QvRect(100, 50, 300, 150), QvRect(0, 0, 100, 50), 0, {25, 10}, {75, 40}},
      {"24-bit section", QvRect(0, 0, 200, 100), QvRect(0, 0, 100, 50), 24, {75, 40}, {25, 10}},
      {"8-bit section", QvRect(0, 0, 200, 100), QvRect(0, 0, 100, 50), 8, {75, 40}, {25, 10}},
  };
  for (const Case& c : cases) {
    const int draws = w.view->draws;
    std::unique_ptr<QvImage> shot(w.window->QvTakeSnapshot(c.image, c.target, true, c.bits));
    ASSERT_TRUE(shot) << c.what;
    EXPECT_EQ(w.view->draws, draws + 1) << c.what;
    ASSERT_TRUE(shot->GetBitmap() != nullptr && shot->GetBitmap()->GetSafeHandle() != NULL) << c.what;
    BITMAP info = {};
    GetObject(shot->GetBitmap()->GetSafeHandle(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, c.target.right - c.target.left) << c.what;
    EXPECT_EQ(info.bmHeight, c.target.bottom - c.target.top) << c.what;
    if (c.bits != 0) {
      EXPECT_EQ(info.bmBitsPixel, c.bits) << c.what;
    }
    EXPECT_EQ(testing_support::PixelOfBitmap(static_cast<HBITMAP>(shot->GetBitmap()->GetSafeHandle()), c.red.x, c.red.y), kRed) << c.what;
    EXPECT_EQ(testing_support::PixelOfBitmap(static_cast<HBITMAP>(shot->GetBitmap()->GetSafeHandle()), c.white.x, c.white.y), kWhite) << c.what;
    // The view's model is its own again.
    EXPECT_EQ(w.window->FactorX(), factorX) << c.what;
  }
}

// The scale comes from the two rectangles whatever the unit; the view's attributes and unit
// are its own again afterwards.
TEST(PortableViewSnapshot, TwipsViewsAndAttributesComeBack) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  w.window->SetUnitType(QvTwipsUnit);
  w.view->draw = [](FunctionView& view, const QvRect&) {
    view.QvSetFillForeColor(Qv(kRed));
    view.QvSetFillPattern(static_cast<QvGUIPattern>(2));
    view.QvDrawRect(QvRect(1500, 750, 3000, 1500), false, true);
  };
  w.window->QvSetPenForeColor(Qv(kGreen));
  w.window->QvSetFillForeColor(Qv(kBlue));
  w.window->QvSetLineWidth(3);
  w.window->QvSetFillPattern(static_cast<QvGUIPattern>(5));
  const float factorX = w.window->FactorX();
  std::unique_ptr<QvImage> shot(w.window->QvTakeSnapshot(QvRect(0, 0, 3000, 1500), QvRect(0, 0, 100, 50), true, 24));
  ASSERT_TRUE(shot);
  HBITMAP bitmap = static_cast<HBITMAP>(shot->GetBitmap()->GetSafeHandle());
  EXPECT_EQ(testing_support::PixelOfBitmap(bitmap, 75, 40), kRed);
  EXPECT_EQ(testing_support::PixelOfBitmap(bitmap, 25, 10), kWhite);
  EXPECT_EQ(w.window->FactorX(), factorX);
  EXPECT_EQ(w.window->QvGetPenForeColor(), Qv(kGreen));
  EXPECT_EQ(w.window->QvGetFillForeColor(), Qv(kBlue));
  EXPECT_EQ(w.window->QvGetLineWidth(), 3);
  EXPECT_EQ(w.window->QvGetFillPattern(), static_cast<QvGUIPattern>(5));
  // The portable view answers its window's snapshot.
  std::unique_ptr<QvImage> portable(w.view->QvTakeSnapshot(QvRect(0, 0, 3000, 1500), QvRect(0, 0, 100, 50), true, 24));
  ASSERT_TRUE(portable);
  EXPECT_EQ(testing_support::PixelOfBitmap(static_cast<HBITMAP>(portable->GetBitmap()->GetSafeHandle()), 75, 40), kRed);
}

TEST(PortableViewSnapshot, EmptyRectanglesGiveNoImageAndLeakNothing) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  delete w.window->QvTakeSnapshot(QvRect(0, 0, 100, 100), QvRect(0, 0, 30, 30), false, 24);  // shared resources made
  const int draws = w.view->draws;
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  EXPECT_EQ(w.window->QvTakeSnapshot(QvRect(0, 0, 100, 100), QvRect(0, 0, 0, 10), true, 0), nullptr);
  EXPECT_EQ(w.window->QvTakeSnapshot(QvRect(0, 0, 0, 100), QvRect(0, 0, 10, 10), true, 0), nullptr);
  EXPECT_EQ(w.view->draws, draws);
  for (int i = 0; i < 3; ++i) delete w.window->QvTakeSnapshot(QvRect(0, 0, 100, 100), QvRect(0, 0, 30, 30), false, 24);
  EXPECT_EQ(w.view->draws, draws + 3);
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

}  // namespace
