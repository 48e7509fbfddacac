// Images in the drawing view, snapshots into bitmaps and portable images, and the view drawn
// into enhanced and Windows metafiles.
#include <GUIImageCtrl.h>
#include <QvFillColors.h>
#include <QvImage.h>
#include <UIImages.h>
#include <UIOleItem.h>
#include <UIView.h>
#include <gtest/gtest.h>
#include <test_support.h>
#include <test_view.h>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "ole_picture.h"

#include <memory>
#include <string>
#include <vector>

using testing_support::DibCanvas;
using testing_support::PixelOfBitmap;
using testing_support::GuiCounts;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kGreen = RGB(0, 255, 0);

// A pixel-unit view whose document is a red block at (10, 10)-(30, 20) and a blue one at
// (30, 20)-(40, 40), with a 12-point Arial text; it notes what each rendering saw.
class PictureView : public TestDrawView {
 public:
  using TestDrawView::TestDrawView;
  int rctDraws = 0;
  CDC* argument = reinterpret_cast<CDC*>(1);
  HDC current = NULL;
  float zoomSeen = 0;
  unsigned long flagsSeen = 0;
  float factorSeen = 0;
  int fillPattern = QvSolidPattern;  // or a shading (3 to 8)
  long unit = 1;                     // image units per document pixel (15 for a twips view)

  void OnDraw(CDC* dc) override {
    ++draws;
    argument = dc;
    Paint();
  }
  void OnDrawRCT(CDC*) override {
    ++rctDraws;
    Paint();
  }
  void Paint() {
    current = GetCurrentDC();
    zoomSeen = ZoomRatio();
    flagsSeen = GetModeFlags();
    factorSeen = FactorX();
    QvSetFillPattern(static_cast<QvGUIPattern>(fillPattern));
    QvSetFillForeColor(kRed);
    QvDrawRect(RECT{10 * unit, 10 * unit, 30 * unit, 20 * unit}, 0, 1);
    QvSetFillPattern(QvSolidPattern);
    QvSetFillForeColor(kBlue);
    QvDrawRect(RECT{30 * unit, 20 * unit, 40 * unit, 40 * unit}, 0, 1);
  }
};

// The view in a visible window of 100 x 80 client pixels, its window DC prepared.
class ViewImages : public ::testing::Test {
 protected:
  HWND parent = NULL;
  PictureView view;
  void SetUp() override {
    parent = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 40, 40, 200, 200, NULL, NULL, NULL, NULL);
    ASSERT_NE(parent, HWND(NULL));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 80), CWnd::FromHandle(parent), 1));
    view.OnInitialUpdate();
    ASSERT_NE(view.GetCurrentDC(), HDC(NULL));
  }
  void TearDown() override {
    if (view.m_hWnd != NULL) view.DestroyWindow();
    DestroyWindow(parent);
  }
};

int CountInBitmap(HBITMAP bmp, COLORREF c) {
  BITMAP bm;
  GetObject(bmp, sizeof bm, &bm);
  int n = 0;
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = 0; x < bm.bmWidth; ++x) n += PixelOfBitmap(bmp, x, y) == c ? 1 : 0;
  return n;
}

// --- drawing images ------------------------------------------------------------------------

TEST_F(ViewImages, BitmapsAreDrawnInTheirRectangleScaledWithTheZoom) {
  DibCanvas source(4, 4, kRed);
  HDC screen = GetDC(NULL);
  CBitmap bitmap;
  bitmap.Attach(CreateCompatibleBitmap(screen, 4, 4));
  ReleaseDC(NULL, screen);
  HDC mem = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(mem, bitmap.GetSafeHandle());
  BitBlt(mem, 0, 0, 4, 4, source.dc(), 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);

  DibCanvas canvas(60, 60, kWhite);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  view.QvDrawImage(RECT{5, 5, 15, 15}, &bitmap, static_cast<QvImageDisplay>(QvImageStretch));
  EXPECT_EQ(canvas.CountOf(kRed), 100);
  EXPECT_EQ(canvas.At(5, 5), kRed);
  view.SetZoomFactor(2, 1);
  canvas.Fill(kWhite);
  view.QvDrawImage(RECT{5, 5, 15, 15}, &bitmap, static_cast<QvImageDisplay>(QvImageStretch));
  EXPECT_EQ(canvas.CountOf(kRed), 400);
  canvas.Fill(kWhite);
  view.QvDrawImage(RECT{5, 5, 15, 15}, &bitmap, static_cast<QvImageDisplay>(0));  // natural size
  EXPECT_EQ(canvas.CountOf(kRed), 16);
  view.QvDrawImage(RECT{5, 5, 15, 15}, nullptr, static_cast<QvImageDisplay>(0));
  view.UnprepareCurrentDC();
}

TEST_F(ViewImages, ImageListsScaleWithTheZoomAndLeaveTheMappingAlone) {
  CImageList list;
  ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24, 1, 0));
  DibCanvas source(4, 4, kBlue);
  HBITMAP copy = CreateCompatibleBitmap(source.dc(), 4, 4);
  HDC mem = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(mem, copy);
  BitBlt(mem, 0, 0, 4, 4, source.dc(), 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  ASSERT_EQ(ImageList_Add(list.GetSafeHandle(), copy, NULL), 0);
  DeleteObject(copy);

  DibCanvas canvas(40, 40, kWhite);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  view.QvDrawImageList(POINT{2, 3}, &list, 0);
  EXPECT_EQ(canvas.CountOf(kBlue), 16);
  EXPECT_EQ(canvas.At(2, 3), kBlue);
  view.SetZoomFactor(2, 1);
  canvas.Fill(kWhite);
  view.QvDrawImageList(POINT{2, 3}, &list, 0);
  EXPECT_EQ(canvas.CountOf(kBlue), 64);
  EXPECT_EQ(canvas.At(4, 6), kBlue);
  EXPECT_EQ(GetMapMode(canvas.dc()), MM_TEXT);
  EXPECT_TRUE(view.GetModeFlags() & UIVIEW_ZOOMED);
  view.QvDrawImageList(POINT{2, 3}, nullptr, 0);
  view.UnprepareCurrentDC();
}

// A packed DIB: header of the size given, optional masks, the bits of 2 x 2 pixels.
HGLOBAL PackedDib(DWORD headerSize, DWORD compression, std::vector<DWORD> masks, WORD bits, DWORD clrUsed,
                  const std::string& pixels, size_t cut = 0) {
  std::string block(headerSize, '\0');
  BITMAPINFOHEADER h = {};
  h.biSize = headerSize;
  h.biWidth = 2;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = bits;
  h.biCompression = compression;
  h.biClrUsed = clrUsed;
  memcpy(&block[0], &h, sizeof h);
  if (headerSize > 40)
    for (size_t i = 0; i < masks.size(); ++i) memcpy(&block[40 + 4 * i], &masks[i], 4);
  else
    for (DWORD m : masks) block.append(reinterpret_cast<const char*>(&m), 4);
  block += pixels;
  block.resize(block.size() - cut);
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, block.size());
  memcpy(GlobalLock(g), block.data(), block.size());
  GlobalUnlock(g);
  return g;
}

TEST_F(ViewImages, PackedDibsOfEveryHeaderAreDrawnAndBadOnesRefused) {
  const DWORD red32 = 0x00FF0000;
  const std::string four32(reinterpret_cast<const char*>(&red32), 4);
  const std::string rows32 = four32 + four32 + four32 + four32;
  // 16-bit 5-6-5 red is 0xF800; rows of 2 pixels are 4 bytes.
  const std::string rows565 = std::string("\x00\xF8\x00\xF8\x00\xF8\x00\xF8", 8);
  // 8 bits, two colours used: index 1 is red.
  const std::string table = std::string("\x00\x00\x00\x00\x00\x00\xFF\x00", 8);
  const std::string rows8 = table + std::string("\x01\x01\x00\x00\x01\x01\x00\x00", 8);
  struct Case {
    const char* what;
    HGLOBAL dib;
    bool drawn;
  } cases[] = {
      {"40-byte header, 32 bits", PackedDib(40, BI_RGB, {}, 32, 0, rows32), true},
      {"bit fields after the header", PackedDib(40, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 16, 0, rows565), true},
      {"V4 header with its masks", PackedDib(sizeof(BITMAPV4HEADER), BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 16, 0,
                                              rows565),
       true},
      {"V5 header", PackedDib(sizeof(BITMAPV5HEADER), BI_RGB, {}, 32, 0, rows32), true},
      {"colours used", PackedDib(40, BI_RGB, {}, 8, 2, rows8), true},
      {"block shorter than its bits", PackedDib(40, BI_RGB, {}, 32, 0, rows32, 3), false},
      {"more colours than the depth", PackedDib(40, BI_RGB, {}, 1, 9, rows8), false},
      {"unknown header size", PackedDib(44, BI_RGB, {}, 32, 0, rows32), false},
  };
  DibCanvas canvas(20, 20, kWhite);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  for (const Case& c : cases) {
    canvas.Fill(kWhite);
    view.DrawDIB(c.dib, CRect(2, 2, 10, 10), nullptr);
    EXPECT_EQ(canvas.CountOf(kRed), c.drawn ? 64 : 0) << c.what;
    GlobalFree(c.dib);
  }
  view.DrawDIB(nullptr, CRect(2, 2, 10, 10), nullptr);
  view.UnprepareCurrentDC();
}

// --- OLE items ------------------------------------------------------------------------------

// An item whose state the test sets, as in-place activation would.
class StateItem : public CQvOleClientItem {
 public:
  void SetState(UINT state) { m_nItemState = state; }
};

TEST_F(ViewImages, OleItemsDrawInTheirClientRectangleUnlessActiveInPlace) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL)));
  {
    testing_support::PictureData data(testing_support::PictureData::Square(40, kBlue));
    StateItem item;
    ASSERT_TRUE(item.CreateStaticFromData(&data, CF_DIB));
    DibCanvas canvas(80, 80, kGreen);
    ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
    view.SetZoomFactor(2, 1);
    // (5, 5)-(25, 25) at twice the size: (10, 10)-(50, 50), the square in its middle half.
    view.QvDrawOLEItem(&item, RECT{5, 5, 25, 25});
    EXPECT_EQ(canvas.At(30, 30), kBlue);
    EXPECT_EQ(canvas.At(12, 12), kWhite);
    EXPECT_EQ(canvas.At(55, 55), kGreen);

    for (UINT state : {UINT(COleClientItem::activeState), UINT(COleClientItem::activeUIState)}) {
      canvas.Fill(kGreen);
      item.SetState(state);
      view.QvDrawOLEItem(&item, RECT{5, 5, 25, 25});
      EXPECT_EQ(canvas.CountOf(kGreen), 80 * 80) << state;
    }
    item.SetState(COleClientItem::loadedState);
    // Outside the culling rectangle: nothing.
    canvas.Fill(kGreen);
    view.SetModeFlags(UIVIEW_CULLING, 0);
    view.SetCullingRect(RECT{0, 0, 5, 5});
    view.QvDrawOLEItem(&item, RECT{5, 5, 25, 25});
    EXPECT_EQ(canvas.CountOf(kGreen), 80 * 80);
    view.SetModeFlags(0, UIVIEW_CULLING);
    view.QvDrawOLEItem(nullptr, RECT{5, 5, 25, 25});
    view.UnprepareCurrentDC();
    item.Release();
  }
  OleUninitialize();
}

// --- snapshots -------------------------------------------------------------------------------

TEST_F(ViewImages, SnapshotsAreColourAndPlaceTheImageRectangleAtTheOrigin) {
  view.SetScroll(7, 9);  // the window is scrolled: the snapshot is not
  std::unique_ptr<CBitmap> shot(view.QvTakeSnapshot(RECT{10, 10, 50, 50}, RECT{0, 0, 20, 20}, 0, 0));
  ASSERT_NE(shot, nullptr);
  HBITMAP h = static_cast<HBITMAP>(shot->GetSafeHandle());
  BITMAP bm;
  ASSERT_NE(GetObject(h, sizeof bm, &bm), 0);
  EXPECT_GT(bm.bmBitsPixel, 1);  // not a monochrome bitmap of the memory DC
  EXPECT_EQ(bm.bmWidth, 20);
  // Half scale: red (10..30, 10..20) at (0..10, 0..5), blue (30..40, 20..40) at (10..15, 5..15).
  EXPECT_EQ(PixelOfBitmap(h, 0, 0), kRed);
  EXPECT_EQ(PixelOfBitmap(h, 9, 4), kRed);
  EXPECT_EQ(PixelOfBitmap(h, 12, 10), kBlue);
  EXPECT_EQ(PixelOfBitmap(h, 19, 19), kWhite);
  EXPECT_EQ(CountInBitmap(h, kRed), 50);
  EXPECT_EQ(view.argument, CDC::FromHandle(view.current));  // OnDraw got the bitmap's DC
  EXPECT_FLOAT_EQ(view.zoomSeen, 0.5f);
}

TEST(ViewSnapshot, ATwipsViewIsScaledByItsTwipsPerPixel) {
  // No window: the view renders all the same, and has no window DC to take back.
  PictureView twips(UIVIEW_TWIPS);
  twips.unit = 15;  // 96 dots per inch
  std::unique_ptr<CBitmap> shot(twips.QvTakeSnapshot(RECT{0, 0, 600, 600}, RECT{0, 0, 20, 20}, 0, 0));
  ASSERT_NE(shot, nullptr);
  // 40 document pixels into 20: half scale, as for the pixel view.
  EXPECT_FLOAT_EQ(twips.zoomSeen, 0.5f);
  EXPECT_EQ(CountInBitmap(static_cast<HBITMAP>(shot->GetSafeHandle()), kRed), 50);
  EXPECT_EQ(PixelOfBitmap(static_cast<HBITMAP>(shot->GetSafeHandle()), 17, 15), kBlue);  // (15..20, 10..20)
  EXPECT_EQ(twips.GetCurrentDC(), HDC(NULL));
  EXPECT_EQ(twips.GetUnitType(), QvImageUnitType(UIVIEW_TWIPS));
}

// OnDraw gets the DC as well: a brush the host selects into it between two shapes of the view
// does not take the place of the view's own in the second shape (the view selected its brush
// for the first and could think it still there).
class HostSelectingView : public TestDrawView {
 public:
  void OnDraw(CDC* dc) override {
    QvSetFillForeColor(kRed);
    QvDrawRect(RECT{0, 0, 10, 10}, 0, 1);
    if (dc != nullptr) SelectObject(dc->m_hDC, GetStockObject(WHITE_BRUSH));
    QvDrawRect(RECT{20, 20, 30, 30}, 0, 1);
  }
};

TEST(ViewSnapshot, TheHostsOwnBrushInOnDrawDoesNotFillTheViewsShapes) {
  HostSelectingView view;
  std::unique_ptr<CBitmap> shot(view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 40, 40}, 0, 0));
  ASSERT_NE(shot, nullptr);
  const HBITMAP h = static_cast<HBITMAP>(shot->GetSafeHandle());
  EXPECT_EQ(PixelOfBitmap(h, 25, 25), kRed);
  EXPECT_EQ(CountInBitmap(h, kRed), 200);
}

TEST_F(ViewImages, SnapshotBitmapsFollowTheDepthAskedFor) {
  HDC screen = GetDC(NULL);
  const int depth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(NULL, screen);
  DIBSECTION ds;
  std::unique_ptr<CBitmap> same(view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 40, 40}, 1, depth));
  ASSERT_NE(same, nullptr);
  EXPECT_NE(GetObject(same->GetSafeHandle(), sizeof ds, &ds), int(sizeof ds));  // compatible, no section
  std::unique_ptr<CBitmap> eight(view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 40, 40}, 1, 8));
  ASSERT_NE(eight, nullptr);
  ASSERT_EQ(GetObject(eight->GetSafeHandle(), sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBmih.biBitCount, 8);
  EXPECT_EQ(PixelOfBitmap(static_cast<HBITMAP>(eight->GetSafeHandle()), 15, 15), kRed);
  std::unique_ptr<CBitmap> none(view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 0, 40}, 1, 0));
  EXPECT_EQ(none, nullptr);
}

TEST_F(ViewImages, FontZoomFollowsTheWiderSideAndSnapsToOneForImages) {
  // Twice as wide as high into a square: the width decides (40 / 20 = 2 per pixel).
  std::unique_ptr<CBitmap> wide(view.QvTakeSnapshot(RECT{0, 0, 40, 20}, RECT{0, 0, 20, 20}, 0, 0));
  ASSERT_NE(wide, nullptr);
  EXPECT_FLOAT_EQ(view.zoomSeen, 0.5f);
  EXPECT_TRUE(view.flagsSeen & UIVIEW_ZOOM_FONTS);
  EXPECT_FALSE(view.flagsSeen & UIVIEW_ZOOMED);

  // 199 image pixels into 200: a scale of 0.995 draws portable images at exactly 100 %.
  std::unique_ptr<CBitmap> plain(view.QvTakeSnapshot(RECT{0, 0, 201, 201}, RECT{0, 0, 200, 200}, 0, 0));
  EXPECT_NEAR(view.zoomSeen, 0.995f, 0.001f);
  std::unique_ptr<QvImage> image(view.QvTakeSnapshotToQvImage(RECT{0, 0, 201, 201}, RECT{0, 0, 200, 200}, 0, 0));
  ASSERT_NE(image, nullptr);
  EXPECT_FLOAT_EQ(view.zoomSeen, 1.0f);
  EXPECT_EQ(view.argument, nullptr);  // OnDraw(NULL): the view's own DC is the image's
  EXPECT_EQ(image->GetWidth(), 200);
  EXPECT_FALSE(image->IsPair());
  EXPECT_EQ(PixelOfBitmap(static_cast<HBITMAP>(image->GetBitmap()->GetSafeHandle()), 15, 15), kRed);

  const int drawsBefore = view.draws;
  std::unique_ptr<QvImage> rct(view.QvTakeSnapshotToQvImageRCT(RECT{0, 0, 40, 40}, RECT{0, 0, 40, 40}, 0, 0));
  ASSERT_NE(rct, nullptr);
  EXPECT_EQ(view.rctDraws, 1);
  EXPECT_EQ(view.draws, drawsBefore);
}

TEST_F(ViewImages, RenderingGivesBackTheViewsStateAndWindowDC) {
  view.SetZoomFactor(3, 2);
  view.QvSetOrigin(POINT{4, 6});
  view.SetScroll(11, 13);
  view.QvSetPenForeColor(kGreen);
  view.QvSetLineWidth(3);
  UIFont font;
  font.size = 14;
  font.style = 1;
  font.face = L"Arial";
  view.QvSetFont(font);
  const unsigned long flags = view.GetModeFlags();
  const float factor = view.FactorX();

  auto check = [&](const char* what) {
    EXPECT_EQ(view.GetModeFlags(), flags) << what;
    long num = 0, den = 0;
    view.GetZoomFactor(num, den);
    EXPECT_EQ(num, 3) << what;
    EXPECT_EQ(view.QvGetOrigin().x, 4) << what;
    EXPECT_EQ(view.GetClientScroll().y, 13) << what;
    EXPECT_FLOAT_EQ(view.FactorX(), factor) << what;
    EXPECT_FLOAT_EQ(view.ZoomRatio(), 1.5f) << what;
    EXPECT_EQ(view.QvGetPenForeColor(), kGreen) << what;
    EXPECT_EQ(view.QvGetLineWidth(), 3) << what;
    UIFont now;
    view.QvGetFont(now);
    EXPECT_TRUE(now == font) << what;
    EXPECT_NE(view.GetCurrentDC(), HDC(NULL)) << what;
    EXPECT_EQ(WindowFromDC(view.GetCurrentDC()), view.m_hWnd) << what;
    EXPECT_EQ(view.GetAttributeDC(), HDC(NULL)) << what;
  };
  // A first rendering makes the view's cached solid brushes of the document's colours.
  delete view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 20, 20}, 1, 0);
  const GuiCounts before = GuiCounts::Now();
  delete view.QvTakeSnapshot(RECT{0, 0, 40, 40}, RECT{0, 0, 20, 20}, 1, 0);
  check("snapshot");
  delete view.QvTakeSnapshotToQvImage(RECT{0, 0, 40, 40}, RECT{0, 0, 20, 20}, 0, 8);
  check("image snapshot");
  HDC screen = GetDC(NULL);
  HDC emf = CreateEnhMetaFile(screen, NULL, NULL, NULL);
  ReleaseDC(NULL, screen);
  view.QvDrawInMetafileDC(RECT{0, 0, 40, 40}, RECT{0, 0, 40, 40}, CDC::FromHandle(emf));
  DeleteEnhMetaFile(CloseEnhMetaFile(emf));
  check("metafile");
  EXPECT_EQ(GuiCounts::Now(), before);
}

// --- metafiles -------------------------------------------------------------------------------

struct EmfRecords {
  std::vector<DWORD> types;
  std::vector<std::vector<BYTE>> data;
  const ENHMETARECORD* Find(DWORD type, size_t from = 0) const {
    for (size_t i = from; i < types.size(); ++i)
      if (types[i] == type) return reinterpret_cast<const ENHMETARECORD*>(data[i].data());
    return nullptr;
  }
};

int CALLBACK CollectEmf(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM lp) {
  auto* out = reinterpret_cast<EmfRecords*>(lp);
  out->types.push_back(r->iType);
  const BYTE* b = reinterpret_cast<const BYTE*>(r);
  out->data.emplace_back(b, b + r->nSize);
  return 1;
}

TEST_F(ViewImages, EnhancedMetafilesCarryTheFrameMappingAndBlendedFills) {
  view.fillPattern = 4;  // a shading: a metafile gets its blended colour
  view.SetScroll(25, 25);
  HDC screen = GetDC(NULL);
  // The frame of the 160 x 80 target, in hundredths of a millimetre of the screen.
  const long frameRight = MulDiv(160, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES));
  const long frameBottom = MulDiv(80, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES));
  RECT frameMm = {0, 0, frameRight, frameBottom};
  HDC emfDC = CreateEnhMetaFile(screen, NULL, &frameMm, NULL);
  ReleaseDC(NULL, screen);
  ASSERT_NE(emfDC, HDC(NULL));
  view.QvDrawInMetafileDC(RECT{0, 0, 80, 40}, RECT{0, 0, 160, 80}, CDC::FromHandle(emfDC));
  HENHMETAFILE emf = CloseEnhMetaFile(emfDC);
  ASSERT_NE(emf, HENHMETAFILE(NULL));
  EXPECT_EQ(view.argument->GetSafeHdc(), emfDC);

  ENHMETAHEADER header;
  ASSERT_EQ(GetEnhMetaFileHeader(emf, sizeof header, &header), sizeof header);
  EXPECT_EQ(header.rclFrame.right, frameRight);
  EXPECT_EQ(header.rclFrame.bottom, frameBottom);
  EmfRecords records;
  EnumEnhMetaFile(NULL, emf, CollectEmf, &records, NULL);
  const auto* mode = reinterpret_cast<const EMRSETMAPMODE*>(records.Find(EMR_SETMAPMODE));
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->iMode, DWORD(MM_ANISOTROPIC));
  const auto* window = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(records.Find(EMR_SETWINDOWEXTEX));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->szlExtent.cx, 80);  // the frame in pixels of the window's DC
  EXPECT_EQ(window->szlExtent.cy, 40);
  const auto* viewport = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(records.Find(EMR_SETVIEWPORTEXTEX));
  ASSERT_NE(viewport, nullptr);
  EXPECT_EQ(viewport->szlExtent.cx, 160);
  EXPECT_EQ(viewport->szlExtent.cy, 80);
  // The shading became its blended solid colour.
  COLORREF blend = 0;
  ASSERT_TRUE(BlendFillColors(RGB(255, 255, 255), kRed, 4, &blend));
  bool blended = false;
  for (size_t i = 0; i < records.types.size(); ++i)
    if (records.types[i] == EMR_CREATEBRUSHINDIRECT) {
      const auto* b = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(records.data[i].data());
      blended = blended || (b->lb.lbStyle == BS_SOLID && b->lb.lbColor == blend);
    }
  EXPECT_TRUE(blended);

  // Played at its own size, the frame's top-left is at the origin whatever the scroll.
  DibCanvas canvas(160, 80, kWhite);
  RECT play = {0, 0, 160, 80};
  SetMapMode(canvas.dc(), MM_TEXT);
  ASSERT_TRUE(PlayEnhMetaFile(canvas.dc(), emf, &play));
  EXPECT_EQ(canvas.At(70, 50), kBlue);  // blue (30..40, 20..40) at twice the size
  EXPECT_EQ(canvas.At(30, 30), blend);
  DeleteEnhMetaFile(emf);
}

// The records of a Windows metafile, read from its bits.
std::vector<std::pair<WORD, std::vector<WORD>>> WmfRecords(HMETAFILE mf) {
  std::vector<std::pair<WORD, std::vector<WORD>>> out;
  const UINT size = GetMetaFileBitsEx(mf, 0, NULL);
  std::vector<BYTE> bits(size);
  GetMetaFileBitsEx(mf, size, bits.data());
  size_t at = sizeof(METAHEADER);
  while (at + 6 <= bits.size()) {
    DWORD words;
    WORD function;
    memcpy(&words, &bits[at], 4);
    memcpy(&function, &bits[at + 4], 2);
    if (words < 3 || at + words * 2 > bits.size()) break;
    std::vector<WORD> params((words - 3));
    memcpy(params.data(), &bits[at + 6], params.size() * 2);
    out.emplace_back(function, params);
    at += words * 2;
  }
  return out;
}

TEST_F(ViewImages, WindowsMetafilesCarryTheWindowButNoViewport) {
  HDC mfDC = CreateMetaFile(NULL);
  ASSERT_NE(mfDC, HDC(NULL));
  view.QvDrawInMetafileDC(RECT{0, 0, 80, 40}, RECT{0, 0, 160, 80}, CDC::FromHandle(mfDC));
  HMETAFILE mf = CloseMetaFile(mfDC);
  ASSERT_NE(mf, HMETAFILE(NULL));
  bool mapMode = false, windowExt = false, windowOrg = false, viewport = false, drawn = false;
  for (const auto& r : WmfRecords(mf)) {
    if (r.first == META_SETMAPMODE) mapMode = mapMode || r.second.at(0) == MM_ANISOTROPIC;
    if (r.first == META_SETWINDOWEXT) windowExt = windowExt || (r.second.at(0) == 40 && r.second.at(1) == 80);
    if (r.first == META_SETWINDOWORG) windowOrg = windowOrg || (r.second.at(0) == 0 && r.second.at(1) == 0);
    if (r.first == META_SETVIEWPORTEXT) viewport = true;
    if (r.first == META_PATBLT) drawn = true;
  }
  EXPECT_TRUE(mapMode);
  EXPECT_TRUE(windowExt);
  EXPECT_TRUE(windowOrg);
  EXPECT_FALSE(viewport);  // the player sets it
  EXPECT_TRUE(drawn);
  DeleteMetaFile(mf);
}

TEST_F(ViewImages, TheActiveXPathTakesTheFrameInHundredthsOfAMillimetre) {
  view.SetOptimForActiveXMetafile(1);
  HDC screen = GetDC(NULL);
  HDC emfDC = CreateEnhMetaFile(screen, NULL, NULL, NULL);
  ReleaseDC(NULL, screen);
  // An attribute DC that is no display (an enhanced metafile answers as its screen reference).
  HDC attrib = CreateMetaFile(NULL);
  CDC dc;
  dc.m_hDC = emfDC;
  dc.m_hAttribDC = attrib;
  view.QvDrawInMetafileDC(RECT{0, 0, 1000, 500}, RECT{0, 0, 100, 50}, &dc);
  EXPECT_FLOAT_EQ(view.factorSeen, 0.56692916f);
  dc.m_hDC = dc.m_hAttribDC = NULL;
  DeleteMetaFile(CloseMetaFile(attrib));
  HENHMETAFILE emf = CloseEnhMetaFile(emfDC);
  EmfRecords records;
  EnumEnhMetaFile(NULL, emf, CollectEmf, &records, NULL);
  const auto* window = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(records.Find(EMR_SETWINDOWEXTEX));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->szlExtent.cx, 1000);
  EXPECT_EQ(window->szlExtent.cy, 500);
  const auto* viewport = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(records.Find(EMR_SETVIEWPORTEXTEX));
  ASSERT_NE(viewport, nullptr);
  HDC ref = GetDC(NULL);
  EXPECT_EQ(viewport->szlExtent.cx,
            int(double(GetDeviceCaps(ref, HORZRES)) * 1000 / 100 / GetDeviceCaps(ref, HORZSIZE)));
  ReleaseDC(NULL, ref);
  DeleteEnhMetaFile(emf);
  view.SetOptimForActiveXMetafile(0);
}

}  // namespace
