// The drawing view's model: attributes, zoom, units and every conversion between client
// pixels, image units, twips, points and device pixels. Views need no window to convert.
#include <UIView.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <math.h>
#include <test_support.h>
#include <test_view.h>

namespace {

constexpr int kMin = INT_MIN;
constexpr int kMax = INT_MAX;

unsigned long StyleOf(QvImageUnitType unit) {
  return unit == QvTwipsUnit ? static_cast<unsigned long>(UIVIEW_TWIPS) : 0ul;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult RectIs(const RECT& r, LONG l, LONG t, LONG rt, LONG b) {
  if (SameRect(r, RECT{l, t, rt, b})) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                                       << "} instead of {" << l << "," << t << "," << rt << "," << b << "}";
}

TEST(ViewModel, DefaultViewIsPixelsOneToOne) {
  TestDrawView v;
  EXPECT_EQ(v.GetModeFlags(), 0u);
  EXPECT_EQ(v.GetUnitType(), QvPixelUnit);
  long num = 0, den = 0;
  v.GetZoomFactor(num, den);
  EXPECT_EQ(num, 1);
  EXPECT_EQ(den, 1);
  EXPECT_EQ(v.FactorX(), 1.0f);
  EXPECT_EQ(v.FactorY(), 1.0f);
  EXPECT_EQ(v.ResolutionX(), 96);
  EXPECT_EQ(v.ResolutionY(), 96);
  EXPECT_EQ(v.GetPrintZoom(), 1.0f);
  EXPECT_EQ(v.QvGetOrigin().x, 0);
  EXPECT_EQ(v.QvGetOrigin().y, 0);
  for (int x : {kMin, -1001, -1, 0, 1, 7, 32767, kMax}) {
    EXPECT_EQ(v.ClientToImageX(x), x);
    EXPECT_EQ(v.ImageToClientY(x), x);
    EXPECT_EQ(v.ClientToImageWidth(x), x);
    EXPECT_EQ(v.ImageToClientHeight(x), x);
    EXPECT_EQ(v.QvXPixelToImage(x), x);
  }
  EXPECT_EQ(v.CanDisplayHyperlinks(), 1);
  EXPECT_EQ(v.QvGetPenForeColor(), 0u);
  EXPECT_EQ(v.QvGetFillBackColor(), 0u);
  EXPECT_EQ(v.QvGetDashLine(), QvSolidLine);
  EXPECT_EQ(v.QvGetLineWidth(), 0);
  EXPECT_EQ(v.QvGetFillPattern(), QvSolidPattern);
  EXPECT_TRUE(v.QvGetFillCharacter().IsEmpty());
  UIFont f;
  f.size = 9;
  v.QvGetFont(f);
  EXPECT_EQ(f.style, 0);
  EXPECT_EQ(f.size, 0);
  EXPECT_EQ(f.face.length(), 0u);
}

TEST(ViewModel, ConstructorKeepsOnlyTheHostFlags) {
  TestDrawView v(0xFFFFFFFFul);
  EXPECT_EQ(v.GetModeFlags(), static_cast<unsigned long>(UIVIEW_TWIPS | UIVIEW_RESIZE_SCROLLS | UIVIEW_NO_SCROLLBARS));
  EXPECT_EQ(v.GetUnitType(), QvTwipsUnit);
  // A twips view converts at the default screen resolution before any DC: 15 twips a pixel.
  EXPECT_EQ(v.FactorX(), 15.0f);
  EXPECT_EQ(v.ClientToImageX(10), 150);
  EXPECT_EQ(v.ImageToClientX(157), 10);
}

// One row: a view of that unit, zoom and resolution, scrolled and offset by the same amount on
// both axes; the four client/image conversions of one value each.
struct ConversionCase {
  QvImageUnitType unit;
  long num, den;
  int dpi;
  int scroll, origin;
  int client, imageOfClient, widthOfClient;  // ClientToImageX/Y, ClientToImageWidth/Height
  int image, clientOfImage, widthOfImage;    // ImageToClientX/Y, ImageToClientWidth/Height
};

const ConversionCase kConversions[] = {
    // unit         zoom   dpi  scroll orig  client -> image, width   image -> client, width
    {QvPixelUnit, 1, 1, 96, 0, 0, -37, -37, -37, 12, 12, 12},
    {QvTwipsUnit, 1, 1, 96, 0, 0, 10, 150, 150, 157, 10, 10},  // factor 15
    {QvTwipsUnit, 1, 1, 96, 0, 0, -10, -150, -150, -157, -10, -10},
    {QvTwipsUnit, 2, 1, 96, 0, 0, -1, -8, -8, 11, 1, 1},  // factor 7.5: -7.5 goes to -8
    {QvTwipsUnit, 2, 1, 96, 0, 0, 3, 23, 23, -11, -1, -1},
    {QvTwipsUnit, 8, 1, 96, 0, 0, 4, 8, 8, 16, 9, 9},  // factor 1.875
    {QvTwipsUnit, 8, 1, 96, 0, 0, -4, -8, -8, -15, -8, -8},
    {QvTwipsUnit, 1, 4, 96, 0, 0, 2, 120, 120, 90, 2, 2},  // factor 60
    {QvTwipsUnit, 1, 4, 96, 0, 0, -3, -180, -180, -90, -2, -2},
    {QvTwipsUnit, 3, 1, 96, 0, 0, 7, 35, 35, 13, 3, 3},  // factor 5
    {QvTwipsUnit, 1, 3, 96, 0, 0, 2, 90, 90, 67, 1, 1},  // factor 45
    {QvPixelUnit, 1, 4, 96, 0, 0, 3, 12, 12, 10, 3, 3},  // factor 4
    {QvPixelUnit, 1, 4, 96, 0, 0, -3, -12, -12, -10, -3, -3},
    {QvPixelUnit, 8, 1, 96, 0, 0, 12, 2, 2, 3, 24, 24},  // factor 0.125
    {QvPixelUnit, 8, 1, 96, 0, 0, -4, -1, -1, -3, -24, -24},
    {QvPixelUnit, 1, 1, 300, 0, 0, 5, 5, 5, -5, -5, -5},   // pixels ignore the resolution
    {QvTwipsUnit, 1, 1, 72, 0, 0, 5, 100, 100, 30, 2, 2},  // factor 20
    {QvTwipsUnit, 1, 1, 72, 0, 0, -5, -100, -100, -30, -2, -2},
    {QvTwipsUnit, 1, 1, 72, 0, 0, 1, 20, 20, 29, 1, 1},
    {QvTwipsUnit, 1, 1, 300, 0, 0, 5, 24, 24, 100, 21, 21},  // factor 4.8
    {QvTwipsUnit, 1, 1, 300, 0, 0, 1, 5, 5, 7, 1, 1},
    {QvTwipsUnit, 2, 1, 300, 0, 0, 3, 7, 7, -12, -5, -5},     // factor 2.4
    {QvTwipsUnit, 1, 1, 600, 0, 0, 5, 12, 12, 7, 3, 3},       // factor 2.4
    {QvTwipsUnit, 1, 4, 600, 0, 0, 10, 96, 96, 100, 10, 10},  // factor 9.6
    {QvTwipsUnit, 1, 4, 600, 0, 0, -1, -10, -10, 5, 1, 1},
    // Scrolled and offset: scroll is added on the client side, the origin on the image side.
    {QvTwipsUnit, 1, 1, 96, 100, 0, 10, 1650, 150, 1650, 10, 110},
    {QvTwipsUnit, 1, 1, 96, 100, -30, 10, 1680, 150, 1680, 10, 112},
    {QvPixelUnit, 2, 1, 96, 5, 3, -4, -2, -2, -2, -3, -4},  // factor 0.5
    {QvPixelUnit, 1, 1, 96, -20, 7, 0, -27, 0, -27, 0, -27},
    {QvTwipsUnit, 2, 1, 96, -3, 0, 2, -8, 15, -8, 2, -1},
    {QvTwipsUnit, 1, 4, 72, -2, 40, -1, -280, -80, -100, 1, -1},  // factor 80
};

TEST(ViewModel, ClientAndImageConversionsByTable) {
  for (const ConversionCase& c : kConversions) {
    SCOPED_TRACE(::testing::Message() << "unit " << c.unit << " zoom " << c.num << "/" << c.den << " dpi " << c.dpi
                                      << " scroll " << c.scroll << " origin " << c.origin);
    TestDrawView v(StyleOf(c.unit));
    v.SetResolution(c.dpi, c.dpi);
    v.SetZoomFactor(c.num, c.den);
    v.SetScroll(c.scroll, c.scroll);
    v.QvSetOrigin(POINT{c.origin, c.origin});

    EXPECT_EQ(v.ClientToImageX(c.client), c.imageOfClient);
    EXPECT_EQ(v.ClientToImageY(c.client), c.imageOfClient);
    EXPECT_EQ(v.ClientToImageWidth(c.client), c.widthOfClient);
    EXPECT_EQ(v.ClientToImageHeight(c.client), c.widthOfClient);
    EXPECT_EQ(v.ImageToClientX(c.image), c.clientOfImage);
    EXPECT_EQ(v.ImageToClientY(c.image), c.clientOfImage);
    EXPECT_EQ(v.ImageToClientWidth(c.image), c.widthOfImage);
    EXPECT_EQ(v.ImageToClientHeight(c.image), c.widthOfImage);

    POINT p{c.client, c.client};
    v.QvClientToImagePoint(p);
    EXPECT_EQ(p.x, c.imageOfClient);
    EXPECT_EQ(p.y, c.imageOfClient);
    p = POINT{c.image, c.image};
    v.QvImageToClientPoint(p);
    EXPECT_EQ(p.x, c.clientOfImage);
    EXPECT_EQ(p.y, c.clientOfImage);
  }
}

TEST(ViewModel, AxesUseTheirOwnResolution) {
  TestDrawView v(UIVIEW_TWIPS);
  v.SetResolution(96, 72);
  EXPECT_EQ(v.FactorX(), 15.0f);
  EXPECT_EQ(v.FactorY(), 20.0f);
  EXPECT_EQ(v.ClientToImageX(10), 150);
  EXPECT_EQ(v.ClientToImageY(10), 200);
  EXPECT_EQ(v.ImageToClientX(30), 2);
  EXPECT_EQ(v.ImageToClientY(30), 2);  // 1.5 away from zero
  EXPECT_EQ(v.ImageToClientY(-29), -1);
  EXPECT_EQ(v.ClientToImageHeight(3), 60);
  EXPECT_EQ(v.ImageToClientHeight(-30), -2);
  v.SetScroll(1, 2);
  v.QvSetOrigin(POINT{-10, -20});
  EXPECT_EQ(v.ClientToImageX(0), 25);
  EXPECT_EQ(v.ClientToImageY(0), 60);

  RECT in{0, 0, 10, 10}, out{};
  v.ClientToImageRect(in, out);
  EXPECT_TRUE(RectIs(out, 25, 60, 175, 260));
}

TEST(ViewModel, ClientRoundTripIsExactAtFactorOne) {
  TestDrawView v;
  v.SetScroll(13, -9);
  v.QvSetOrigin(POINT{-7, 250});
  for (int x = -300; x <= 300; ++x) {
    EXPECT_EQ(v.ImageToClientX(v.ClientToImageX(x)), x);
    EXPECT_EQ(v.ImageToClientY(v.ClientToImageY(x)), x);
  }
}

// One row: an integer conversion of the X and of the Y axis, both at the same resolution.
struct UnitCase {
  QvImageUnitType unit;
  int dpi;
  long (CUIView::*x)(long);
  long (CUIView::*y)(long);
  long in, out;
};

#define UNIT_PAIR(name) &CUIView::QvX##name, &CUIView::QvY##name
const UnitCase kUnits[] = {
    {QvPixelUnit, 96, UNIT_PAIR(ImageToQvUnit), 100, 1500},
    {QvPixelUnit, 96, UNIT_PAIR(ImageToQvUnit), -7, -105},
    {QvPixelUnit, 300, UNIT_PAIR(ImageToQvUnit), 7, 33},    // 33.6 truncates
    {QvPixelUnit, 300, UNIT_PAIR(ImageToQvUnit), -7, -33},  // toward zero
    {QvPixelUnit, 600, UNIT_PAIR(ImageToQvUnit), 1, 2},
    {QvPixelUnit, 72, UNIT_PAIR(ImageToQvUnit), 3, 60},
    {QvPixelUnit, 96, UNIT_PAIR(QvUnitToImage), 1500, 100},
    {QvPixelUnit, 96, UNIT_PAIR(QvUnitToImage), 14, 0},
    {QvPixelUnit, 96, UNIT_PAIR(QvUnitToImage), -14, 0},
    {QvPixelUnit, 96, UNIT_PAIR(QvUnitToImage), -30, -2},
    {QvPixelUnit, 300, UNIT_PAIR(QvUnitToImage), 100, 20},
    {QvPixelUnit, 600, UNIT_PAIR(QvUnitToImage), 1441, 600},
    {QvPixelUnit, 72, UNIT_PAIR(ImageToPoint), 50, 50},
    {QvPixelUnit, 96, UNIT_PAIR(ImageToPoint), 100, 75},
    {QvPixelUnit, 96, UNIT_PAIR(ImageToPoint), -50, -37},
    {QvPixelUnit, 300, UNIT_PAIR(ImageToPoint), 7, 1},
    {QvPixelUnit, 96, UNIT_PAIR(PointToImage), 10, 13},
    {QvPixelUnit, 96, UNIT_PAIR(PointToImage), -10, -13},
    {QvPixelUnit, 300, UNIT_PAIR(PointToImage), 7, 29},
    {QvPixelUnit, 72, UNIT_PAIR(PointToImage), -9, -9},
    {QvPixelUnit, 96, UNIT_PAIR(ImageToPixel), 123, 123},
    {QvPixelUnit, 600, UNIT_PAIR(ImageToPixel), -5, -5},
    {QvPixelUnit, 300, UNIT_PAIR(PixelToImage), -5, -5},
    {QvTwipsUnit, 96, UNIT_PAIR(ImageToQvUnit), -77, -77},
    {QvTwipsUnit, 300, UNIT_PAIR(QvUnitToImage), 77, 77},
    {QvTwipsUnit, 96, UNIT_PAIR(ImageToPoint), 35, 1},
    {QvTwipsUnit, 96, UNIT_PAIR(ImageToPoint), -35, -1},
    {QvTwipsUnit, 600, UNIT_PAIR(ImageToPoint), 19, 0},
    {QvTwipsUnit, 96, UNIT_PAIR(PointToImage), 12, 240},
    {QvTwipsUnit, 72, UNIT_PAIR(PointToImage), -3, -60},
    {QvTwipsUnit, 96, UNIT_PAIR(ImageToPixel), 100, 6},
    {QvTwipsUnit, 96, UNIT_PAIR(ImageToPixel), -100, -6},
    {QvTwipsUnit, 300, UNIT_PAIR(ImageToPixel), 100, 20},
    {QvTwipsUnit, 600, UNIT_PAIR(ImageToPixel), 1440, 600},
    {QvTwipsUnit, 96, UNIT_PAIR(PixelToImage), 7, 105},
    {QvTwipsUnit, 96, UNIT_PAIR(PixelToImage), -7, -105},
    {QvTwipsUnit, 300, UNIT_PAIR(PixelToImage), 7, 33},
    {QvTwipsUnit, 600, UNIT_PAIR(PixelToImage), 1, 2},
    // Products beyond 32 bits still give the true quotient; results beyond it saturate.
    {QvPixelUnit, 96, UNIT_PAIR(ImageToQvUnit), 3000000, 45000000},
    {QvPixelUnit, 600, UNIT_PAIR(QvUnitToImage), 2000000000, 833333333},
    {QvTwipsUnit, 300, UNIT_PAIR(ImageToPixel), -2000000000, -416666666},
    {QvPixelUnit, 96, UNIT_PAIR(ImageToQvUnit), 2000000000, kMax},
    {QvTwipsUnit, 96, UNIT_PAIR(PointToImage), -200000000, kMin},
};
#undef UNIT_PAIR

TEST(ViewModel, UnitConversionsTruncateByTable) {
  for (const UnitCase& c : kUnits) {
    TestDrawView v(StyleOf(c.unit));
    v.SetResolution(c.dpi, c.dpi);
    // Zoom, scroll and origin play no part in unit conversions.
    v.SetZoomFactor(3, 2);
    v.SetScroll(11, 12);
    v.QvSetOrigin(POINT{13, 14});
    EXPECT_EQ((v.*c.x)(c.in), c.out) << "unit " << c.unit << " dpi " << c.dpi << " in " << c.in;
    EXPECT_EQ((v.*c.y)(c.in), c.out) << "unit " << c.unit << " dpi " << c.dpi << " in " << c.in;
  }
}

TEST(ViewModel, PointToPixelByTable) {
  const struct {
    int dpi;
    short in;
    long out;
  } cases[] = {{96, 12, 16}, {300, 12, 50}, {96, -5, -6}, {600, 12, 100}, {72, -32768, -32768}, {600, 32767, 273058}};
  for (auto& c : cases) {
    for (auto unit : {0ul, static_cast<unsigned long>(UIVIEW_TWIPS)}) {
      TestDrawView v(unit);
      v.SetResolution(c.dpi, c.dpi);
      EXPECT_EQ(v.QvXPointToPixel(c.in), c.out) << c.dpi << " " << c.in;
      EXPECT_EQ(v.QvYPointToPixel(c.in), c.out) << c.dpi << " " << c.in;
    }
  }
}

TEST(ViewModel, PointAndRectFormsConvertEveryCoordinateOnItsAxis) {
  TestDrawView pixels;
  pixels.SetResolution(96, 300);
  RECT r{96, 300, -192, 600};
  pixels.QvImageToQvUnit(r);
  EXPECT_TRUE(RectIs(r, 1440, 1440, -2880, 2880));
  pixels.QvQvUnitToImage(r);
  EXPECT_TRUE(RectIs(r, 96, 300, -192, 600));
  POINT p{96, 300};
  pixels.QvImageToQvUnit(p);
  EXPECT_EQ(p.x, 1440);
  EXPECT_EQ(p.y, 1440);
  pixels.QvQvUnitToImage(p);
  EXPECT_EQ(p.x, 96);
  EXPECT_EQ(p.y, 300);
  r = RECT{96, 300, 192, 600};
  pixels.QvImageToPoint(r);
  EXPECT_TRUE(RectIs(r, 72, 72, 144, 144));
  pixels.QvPointToImage(r);
  EXPECT_TRUE(RectIs(r, 96, 300, 192, 600));
  p = POINT{-96, -300};
  pixels.QvImageToPoint(p);
  EXPECT_EQ(p.x, -72);
  EXPECT_EQ(p.y, -72);
  pixels.QvPointToImage(p);
  EXPECT_EQ(p.x, -96);
  EXPECT_EQ(p.y, -300);
  r = RECT{5, 6, 7, 8};
  pixels.QvImageToPixel(r);
  EXPECT_TRUE(RectIs(r, 5, 6, 7, 8));

  TestDrawView twips(UIVIEW_TWIPS);
  twips.SetResolution(96, 300);
  r = RECT{1440, 1440, -2880, 144};
  twips.QvImageToPixel(r);
  EXPECT_TRUE(RectIs(r, 96, 300, -192, 30));
  twips.QvPixelToImage(r);
  EXPECT_TRUE(RectIs(r, 1440, 1440, -2880, 144));
  p = POINT{96, 300};
  twips.QvPixelToImage(p);
  EXPECT_EQ(p.x, 1440);
  EXPECT_EQ(p.y, 1440);
  twips.QvImageToPixel(p);
  EXPECT_EQ(p.x, 96);
  EXPECT_EQ(p.y, 300);
  r = RECT{20, 40, -60, 2};
  twips.QvImageToPoint(r);
  EXPECT_TRUE(RectIs(r, 1, 2, -3, 0));
  twips.QvPointToImage(r);
  EXPECT_TRUE(RectIs(r, 20, 40, -60, 0));
  twips.QvImageToQvUnit(r);
  EXPECT_TRUE(RectIs(r, 20, 40, -60, 0));
}

TEST(ViewModel, ZoomSetsTheFlagAndRatio) {
  TestDrawView v(UIVIEW_TWIPS);
  v.SetZoomFactor(2, 1);
  EXPECT_NE(v.GetModeFlags() & UIVIEW_ZOOMED, 0u);
  EXPECT_EQ(v.ZoomRatio(), 2.0f);
  EXPECT_EQ(v.FactorX(), 7.5f);
  long num = 0, den = 0;
  v.GetZoomFactor(num, den);
  EXPECT_EQ(num, 2);
  EXPECT_EQ(den, 1);

  // An equal pair clears the flag, keeps the old ratio, and the factors ignore it.
  v.SetZoomFactor(3, 3);
  v.GetZoomFactor(num, den);
  EXPECT_EQ(num, 3);
  EXPECT_EQ(den, 3);
  EXPECT_EQ(v.GetModeFlags() & UIVIEW_ZOOMED, 0u);
  EXPECT_EQ(v.ZoomRatio(), 2.0f);
  EXPECT_EQ(v.FactorX(), 15.0f);
  v.PrepareConversionFactors();
  EXPECT_EQ(v.FactorY(), 15.0f);
}

TEST(ViewModel, BaseZoomStoresWithoutRecomputingFactors) {
  TestDrawView v(UIVIEW_TWIPS);
  v.CUIView::SetZoomFactor(4, 1);
  EXPECT_EQ(v.ZoomRatio(), 4.0f);
  EXPECT_EQ(v.FactorX(), 15.0f);
  v.PrepareConversionFactors();
  EXPECT_EQ(v.FactorX(), 3.75f);
  v.CUIView::SetZoomFactor(3, 3);
  EXPECT_EQ(v.ZoomRatio(), 4.0f);
  v.PrepareConversionFactors();
  EXPECT_EQ(v.FactorX(), 15.0f);
}

TEST(ViewModel, ZoomWithoutAPositiveRatioIsRefused) {
  const long bad[][2] = {{0, 1}, {1, 0}, {0, 0}, {-2, 1}, {2, -1}, {-1, -1}};
  for (auto& z : bad) {
    TestDrawView v(UIVIEW_TWIPS);
    v.SetZoomFactor(1, 2);
    v.SetZoomFactor(z[0], z[1]);
    v.CUIView::SetZoomFactor(z[0], z[1]);
    long num = 0, den = 0;
    v.GetZoomFactor(num, den);
    EXPECT_EQ(num, 1) << z[0] << "/" << z[1];
    EXPECT_EQ(den, 2) << z[0] << "/" << z[1];
    EXPECT_NE(v.GetModeFlags() & UIVIEW_ZOOMED, 0u);
    EXPECT_EQ(v.ZoomRatio(), 0.5f);
    EXPECT_EQ(v.FactorX(), 30.0f);
    EXPECT_EQ(v.ImageToClientX(300), 10);
  }
  TestDrawView v;
  v.SetPrintZoomFactor(3, 4);
  EXPECT_EQ(v.GetPrintZoom(), 0.75f);
  v.SetPrintZoomFactor(1, 0);
  v.SetPrintZoomFactor(0, 5);
  v.SetPrintZoomFactor(-1, 5);
  EXPECT_EQ(v.GetPrintZoom(), 0.75f);
}

TEST(ViewModel, NoFactorIsZeroWithoutADevice) {
  // Twips chosen before any DC: the default screen resolution applies.
  TestDrawView v;
  v.SetUnitType(QvTwipsUnit);
  EXPECT_EQ(v.GetUnitType(), QvTwipsUnit);
  EXPECT_EQ(v.FactorX(), 15.0f);
  EXPECT_EQ(v.FactorY(), 15.0f);
  EXPECT_EQ(v.ImageToClientX(150), 10);
  EXPECT_EQ(v.ImageToClientWidth(157), 10);
  v.SetUnitType(QvPixelUnit);
  EXPECT_EQ(v.FactorX(), 1.0f);
  v.SetUnitType(static_cast<QvImageUnitType>(7));  // any other value means pixels
  EXPECT_EQ(v.GetUnitType(), QvPixelUnit);

  // A device that answers no resolution (or a negative one) counts as the default screen.
  const int bad[][2] = {{0, 0}, {-300, 0}, {0, -1}};
  for (auto& r : bad) {
    TestDrawView t(UIVIEW_TWIPS);
    t.SetResolution(r[0], r[1]);
    EXPECT_EQ(t.FactorX(), 15.0f);
    EXPECT_EQ(t.FactorY(), 15.0f);
    EXPECT_EQ(t.ImageToClientX(150), 10);
    EXPECT_EQ(t.ImageToClientY(-150), -10);
    EXPECT_EQ(t.ClientToImageY(2), 30);
    EXPECT_EQ(t.QvXImageToPixel(1440), 96);
    EXPECT_EQ(t.QvYPixelToImage(96), 1440);
    EXPECT_EQ(t.QvXPointToPixel(72), 96);
    TestDrawView p;
    p.SetResolution(r[0], r[1]);
    EXPECT_EQ(p.FactorX(), 1.0f);
    EXPECT_EQ(p.QvXImageToQvUnit(96), 1440);
    EXPECT_EQ(p.QvYQvUnitToImage(1440), 96);
    EXPECT_EQ(p.QvYImageToPoint(96), 72);
    EXPECT_EQ(p.QvXPointToImage(72), 96);
  }
}

TEST(ViewModel, ConversionsSaturateInsteadOfWrapping) {
  TestDrawView v;
  v.SetScroll(100, -100);
  v.QvSetOrigin(POINT{-100, 100});
  EXPECT_EQ(v.ClientToImageX(kMax), kMax);
  EXPECT_EQ(v.ClientToImageY(kMin), kMin);
  EXPECT_EQ(v.ImageToClientX(kMin), kMin);
  EXPECT_EQ(v.ImageToClientY(kMax), kMax);
  v.SetZoomFactor(1, 1000);
  EXPECT_EQ(v.ClientToImageX(kMax), kMax);
  EXPECT_EQ(v.ClientToImageWidth(kMin), kMin);
  v.SetZoomFactor(1000, 1);
  EXPECT_EQ(v.ImageToClientY(kMax), kMax);
  EXPECT_EQ(v.ImageToClientHeight(kMin), kMin);
}

TEST(ViewModel, UnitSwitchWhilePrintingConvertsTheFactorsInPlace) {
  TestDrawView v;
  v.SetResolution(300, 600);
  v.SetModeFlags(UIVIEW_PRINTING, 0);
  EXPECT_EQ(v.FactorX(), 1.0f);
  v.SetUnitType(QvTwipsUnit);
  EXPECT_EQ(v.FactorX(), 4.8f);
  EXPECT_EQ(v.FactorY(), 2.4f);
  v.SetUnitType(QvTwipsUnit);  // no switch: no second scaling
  EXPECT_EQ(v.FactorX(), 4.8f);
  v.SetUnitType(QvPixelUnit);
  EXPECT_FLOAT_EQ(v.FactorX(), 1.0f);
  EXPECT_FLOAT_EQ(v.FactorY(), 1.0f);

  // In preview too; the print scaling already in the factors is kept.
  TestDrawView p(UIVIEW_TWIPS);
  p.SetZoomFactor(2, 1);
  p.SetModeFlags(UIVIEW_PREVIEW, 0);
  p.SetUnitType(QvPixelUnit);
  EXPECT_EQ(p.FactorX(), 0.5f);
  p.SetModeFlags(0, UIVIEW_PREVIEW);
  p.SetUnitType(QvPixelUnit);  // not printing: recomputed from the zoom
  EXPECT_EQ(p.FactorX(), 0.5f);
  p.SetUnitType(QvTwipsUnit);
  EXPECT_EQ(p.FactorX(), 7.5f);
}

TEST(ViewModel, AttributesStoreAndLoad) {
  TestDrawView v;
  v.CUIView::QvSetPenForeColor(0x112233);
  v.CUIView::QvSetPenBackColor(0x445566);
  v.CUIView::QvSetFillForeColor(0x778899);
  v.CUIView::QvSetFillBackColor(0xAABBCC);
  v.CUIView::QvSetBackgroundColor(0x00DDEEFF);
  v.CUIView::QvSetDashLine(QvDashDotLine);
  EXPECT_EQ(v.QvGetPenForeColor(), 0x112233u);
  EXPECT_EQ(v.QvGetPenBackColor(), 0x445566u);
  EXPECT_EQ(v.QvGetFillForeColor(), 0x778899u);
  EXPECT_EQ(v.QvGetFillBackColor(), 0xAABBCCu);
  EXPECT_EQ(v.CUIView::QvGetBackgroundColor(), 0x00DDEEFFu);
  EXPECT_EQ(v.QvGetDashLine(), QvDashDotLine);

  v.CUIView::QvSetLineWidth(25);
  v.CUIView::QvSetLineWidth(0);  // refused
  EXPECT_EQ(v.QvGetLineWidth(), 25);
  v.CUIView::QvSetLineWidth(65535);
  EXPECT_EQ(v.QvGetLineWidth(), 65535);

  for (int p = QvNoPattern; p <= QvLastPattern; ++p) {
    v.QvSetFillPattern(static_cast<QvGUIPattern>(p));
    EXPECT_EQ(v.QvGetFillPattern(), p);
  }
  // Values outside the pattern set are refused: the last pattern stays.
  for (int p : {QvLastPattern + 1, 255, kMax, -1, kMin}) {
    v.QvSetFillPattern(static_cast<QvGUIPattern>(p));
    EXPECT_EQ(v.QvGetFillPattern(), QvLastPattern) << p;
  }

  v.QvSetFillCharacter(QvString(L"."));
  EXPECT_EQ(v.QvGetFillCharacter(), QvString("."));
  v.QvSetFillCharacter(QvString());
  EXPECT_TRUE(v.QvGetFillCharacter().IsEmpty());
}

TEST(ViewModel, FontsAreEqualByStyleSizeAndFace) {
  UIFont a;
  a.style = 1 | 4;
  a.size = 12;
  a.face = L"Arial";
  UIFont b = a;
  EXPECT_TRUE(a == b);
  b.face = L"arial";
  EXPECT_TRUE(a != b);
  b.face = L"Arial";
  b.size = -12;
  EXPECT_TRUE(a != b);
  b.size = 12;
  b.style = 1;
  EXPECT_TRUE(a != b);
  b.style = a.style;
  b.face = L"Arial ";
  EXPECT_TRUE(a != b);

  UIFont nullFace, emptyFace;
  nullFace.face.assign(static_cast<const wchar_t*>(nullptr));
  EXPECT_TRUE(nullFace.face.is_null());
  EXPECT_TRUE(nullFace == emptyFace);
  UIFont wide = a, wide2 = a;
  wide.face = L"\x5B8B\x4F53 \xD83D\xDE00";
  wide2.face = L"\x5B8B\x4F53 \xD83D\xDE00";
  EXPECT_TRUE(wide == wide2);
  wide2.face = L"\x5B8B\x4F53 \xD83D\xDE01";
  EXPECT_TRUE(wide != wide2);

  TestDrawView v;
  v.CUIView::QvSetFont(a);
  UIFont out;
  v.QvGetFont(out);
  EXPECT_TRUE(out == a);
  EXPECT_EQ(std::wstring(out.face.c_str()), L"Arial");
}

TEST(ViewModel, HyperlinksAreNotShownWhilePrinting) {
  TestDrawView v;
  EXPECT_EQ(v.CanDisplayHyperlinks(), 1);
  for (unsigned long bit : {UIVIEW_PRINTING, UIVIEW_PREVIEW}) {
    v.SetModeFlags(bit, 0);
    EXPECT_EQ(v.CanDisplayHyperlinks(), 0);
    v.SetModeFlags(0, bit);
  }
  EXPECT_EQ(v.SetDisplayHyperlinks(0), 1);
  EXPECT_EQ(v.CanDisplayHyperlinks(), 0);
  EXPECT_EQ(v.SetDisplayHyperlinks(5), 0);
  EXPECT_EQ(v.CanDisplayHyperlinks(), 1);
  EXPECT_EQ(v.SetDisplayHyperlinks(1), 5);
}

TEST(ViewModel, PrintOldFontIsOneSwitchForAllViews) {
  const int before = CUIView::GetPrintOldFont();
  CUIView::SetPrintOldFont(1);
  EXPECT_EQ(CMFCUIView::GetPrintOldFont(), 1);
  CUIView::SetPrintOldFont(0);
  EXPECT_EQ(CUIView::GetPrintOldFont(), 0);
  CUIView::SetPrintOldFont(before);
}

TEST(ViewModel, BaseViewNeitherScrollsNorDestroys) {
  TestDrawView v;
  EXPECT_FALSE(v.CUIView::OnScroll(SB_LINEDOWN, 0, TRUE));
  EXPECT_FALSE(v.CUIView::OnScrollBy(CSize(5, 5), TRUE));
  EXPECT_TRUE(v.CUIView::DestroyWindow());
  EXPECT_EQ(v.QvGetTypeView(), QvScreenDevice);
}

// --- Client rectangles, culling and regions ---

TEST(ViewRects, BottomFollowsTheRoundedHeight) {
  TestDrawView v(UIVIEW_TWIPS);  // factor 15
  RECT out{};
  ASSERT_TRUE(v.ImageToClientRect(RECT{0, 8, 30, 22}, out));
  // Top 8 / 15 = 0.53 -> 1; height 14 / 15 = 0.93 -> 1; the converted bottom edge would be 1.
  EXPECT_TRUE(RectIs(out, 0, 1, 2, 2));
  EXPECT_EQ(v.ImageToClientY(22), 1);

  v.SetZoomFactor(2, 1);  // factor 7.5
  v.SetScroll(0, 3);
  ASSERT_TRUE(v.ImageToClientRect(RECT{-11, -4, 4, 11}, out));
  // top nearest(-0.53) - 3 = -4; height 15 / 7.5 = 2
  EXPECT_TRUE(RectIs(out, -1, -4, 1, -2));

  RECT back{};
  v.ClientToImageRect(RECT{-1, -4, 1, -2}, back);
  EXPECT_TRUE(RectIs(back, -8, -8, 8, 8));  // -7.5 -> -8, 7.5 -> 8
}

TEST(ViewRects, EmptyAndInvertedRectanglesStayThatWay) {
  TestDrawView v(UIVIEW_TWIPS);
  RECT out{};
  EXPECT_TRUE(v.ImageToClientRect(RECT{150, 150, 150, 150}, out));
  EXPECT_TRUE(RectIs(out, 10, 10, 10, 10));
  EXPECT_TRUE(v.ImageToClientRect(RECT{300, 300, 150, 150}, out));
  EXPECT_TRUE(RectIs(out, 20, 20, 10, 10));
  HRGN rgn = v.ImageRectToClientRgn(RECT{150, 150, 150, 300});
  ASSERT_NE(rgn, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
  DeleteObject(rgn);

  // The whole plane: the bottom saturates instead of wrapping round.
  TestDrawView p;
  EXPECT_TRUE(p.ImageToClientRect(RECT{kMin, kMin, kMax, kMax}, out));
  EXPECT_TRUE(RectIs(out, kMin, kMin, kMax, kMax));
  p.SetScroll(0, 50);
  EXPECT_TRUE(p.ImageToClientRect(RECT{0, kMin, 0, kMax}, out));
  EXPECT_EQ(out.bottom, kMax);
}

TEST(ViewRects, CullingTestsEachEdgeAsSoonAsItIsKnown) {
  // Sentinel fields show where the conversion stopped.
  constexpr LONG S = 0x5EED;
  const struct {
    RECT image;
    BOOL visible;
    RECT client;
  } cases[] = {
      {{10, 10, 20, 20}, TRUE, {10, 10, 20, 20}},
      {{101, 10, 120, 20}, FALSE, {101, S, S, S}},         // left beyond the right edge
      {{101, 101, 120, 120}, FALSE, {101, S, S, S}},       // the left edge is tested first
      {{100, 100, 120, 120}, TRUE, {100, 100, 120, 120}},  // touching edges are visible
      {{10, 101, 20, 120}, FALSE, {10, 101, S, S}},        // top beyond the bottom edge
      {{-20, -20, -1, -1}, FALSE, {-20, -20, -1, S}},      // right before the left edge
      {{-20, -20, 0, 5}, TRUE, {-20, -20, 0, 5}},
      {{10, -20, 20, 0}, FALSE, {10, -20, 20, 0}},  // a bottom on the top edge is out
      {{10, -20, 20, 1}, TRUE, {10, -20, 20, 1}},
      {{10, 10, 10, 10}, TRUE, {10, 10, 10, 10}},  // empty, inside
  };
  TestDrawView v;
  v.SetModeFlags(UIVIEW_CULLING, 0);
  v.SetCullingRect(RECT{0, 0, 100, 100});
  for (auto& c : cases) {
    RECT out{S, S, S, S};
    EXPECT_EQ(v.ImageToClientRect(c.image, out), c.visible) << c.image.left << "," << c.image.top;
    EXPECT_TRUE(SameRect(out, c.client)) << c.image.left << "," << c.image.top << ": " << out.left << "," << out.top
                                         << "," << out.right << "," << out.bottom;
  }

  // Culling follows the converted coordinates: scrolled twips at zoom 2 (factor 7.5).
  TestDrawView t(UIVIEW_TWIPS);
  t.SetZoomFactor(2, 1);
  t.SetScroll(10, 10);
  t.SetModeFlags(UIVIEW_CULLING, 0);
  t.SetCullingRect(RECT{0, 0, 50, 50});
  RECT out{};
  EXPECT_TRUE(t.ImageToClientRect(RECT{450, 450, 600, 600}, out));  // left 60 - 10 = 50
  EXPECT_TRUE(RectIs(out, 50, 50, 70, 70));
  EXPECT_FALSE(t.ImageToClientRect(RECT{458, 0, 600, 600}, out));  // 61.07 -> 61 - 10 = 51
  EXPECT_TRUE(t.ImageToClientRect(RECT{0, 0, 75, 83}, out));       // bottom -10 + 11 = 1
  EXPECT_FALSE(t.ImageToClientRect(RECT{0, 0, 75, 75}, out));      // bottom -10 + 10 = 0

  // Without culling every rectangle is visible and converted whole.
  v.SetModeFlags(0, UIVIEW_CULLING);
  RECT whole{S, S, S, S};
  EXPECT_TRUE(v.ImageToClientRect(RECT{500, 500, 600, 600}, whole));
  EXPECT_TRUE(RectIs(whole, 500, 500, 600, 600));
}

TEST(ViewRects, RegionsAreConvertedWholeAndOffsetWhilePrinting) {
  TestDrawView v(UIVIEW_TWIPS);
  v.SetScroll(2, 3);
  v.SetModeFlags(UIVIEW_CULLING, 0);
  v.SetCullingRect(RECT{0, 0, 10, 10});
  v.SetPrintOffset(40, 50);
  RECT box{};
  // Far outside the culling rectangle: still a region of the whole rectangle.
  HRGN rgn = v.ImageRectToClientRgn(RECT{1500, 1500, 3000, 1800});
  ASSERT_NE(rgn, nullptr);
  EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
  EXPECT_TRUE(RectIs(box, 98, 97, 198, 117));
  DeleteObject(rgn);

  for (unsigned long bit : {UIVIEW_PRINTING, UIVIEW_PREVIEW}) {
    v.SetModeFlags(bit, 0);
    rgn = v.ImageRectToClientRgn(RECT{1500, 1500, 3000, 1800});
    ASSERT_NE(rgn, nullptr);
    EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
    EXPECT_TRUE(RectIs(box, 138, 147, 238, 167));
    DeleteObject(rgn);
    v.SetModeFlags(0, bit);
  }
}

// --- Window effects: a plain window attached to the view ---

int g_erases = 0;
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    ++g_erases;
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class AttachedView : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UIViewModelTestWindow";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 30, 40, 200, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(m_hwnd, nullptr);
    ASSERT_TRUE(view.Attach(m_hwnd));
    Settle();
  }
  void TearDown() override {
    view.Detach();
    if (m_hwnd) DestroyWindow(m_hwnd);
  }
  // Paints whatever is pending, then forgets the erases counted so far.
  void Settle() {
    UpdateWindow(m_hwnd);
    testing_support::PumpMessages();
    ValidateRect(m_hwnd, nullptr);
    g_erases = 0;
  }
  bool Pending(RECT& r) { return GetUpdateRect(m_hwnd, &r, FALSE) != FALSE; }

  TestDrawView view{UIVIEW_TWIPS};
  HWND m_hwnd = nullptr;
};

TEST_F(AttachedView, ZoomInvalidatesTheWholeWindowWithErasing) {
  view.CUIView::QvSetLineWidth(30);
  view.PrepareConversionFactors();
  view.SetZoomFactor(2, 1);
  RECT r{};
  ASSERT_TRUE(Pending(r));
  EXPECT_TRUE(RectIs(r, 0, 0, 200, 100));
  UpdateWindow(m_hwnd);
  EXPECT_EQ(g_erases, 1);
  EXPECT_EQ(view.FactorX(), 7.5f);
  EXPECT_EQ(view.GetPenWidthInPixels(), 4);  // 30 twips at 7.5 twips a pixel

  Settle();
  view.SetZoomFactor(2, 1);  // unchanged pair: nothing happens
  EXPECT_FALSE(Pending(r));
  view.SetZoomFactor(0, 1);  // refused: nothing happens
  EXPECT_FALSE(Pending(r));
  EXPECT_EQ(view.FactorX(), 7.5f);

  view.SetZoomFactor(4, 4);
  EXPECT_TRUE(Pending(r));
  EXPECT_EQ(view.FactorX(), 15.0f);
  EXPECT_EQ(view.GetPenWidthInPixels(), 2);
}

TEST_F(AttachedView, ImageToScreenGoesThroughTheClientOfTheWindow) {
  view.SetScroll(1, 2);
  POINT p{150, 300};
  view.QvImageToScreenPoint(p);
  POINT expected{10 - 1, 20 - 2};
  ClientToScreen(m_hwnd, &expected);
  EXPECT_EQ(p.x, expected.x);
  EXPECT_EQ(p.y, expected.y);
}

TEST(ViewModel, ImageToScreenWithoutWindowStaysInTheClient) {
  TestDrawView v(UIVIEW_TWIPS);
  POINT p{150, -300};
  v.QvImageToScreenPoint(p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, -20);
}

}  // namespace
