// The root view's zoom: the factor a mouse zoom moves to, the scroll state a zoom change
// keeps, and the terms it refuses.
#include "pview_fixture.h"

#include <string>

namespace {

std::string Zoom(QvRootView& v) {
  long n = 0, d = 0;
  v.GetZoomFactor(n, d);
  return std::to_string(n) + "/" + std::to_string(d);
}

struct ZoomStep {
  long num, den;
  bool in;
  const char* expected;
};

// In: the first fraction at or above 120 % of the present one, lowering the denominator while
// it is the larger term, else raising the numerator. Out: the first at or below 80 %,
// lowering the numerator while it is the larger term, else raising the denominator. The
// fractions are compared as ratios, not as truncated quotients.
TEST(PortableViewZoom, MouseZoomMovesToTheNextFractionByTable) {
  const ZoomStep cases[] = {
      {1, 1, true, "2/1"},       {10, 10, true, "12/10"},  {1, 1, false, "1/2"},
      {1, 2, true, "1/1"},       // 0.5 to 0.6: the denominator comes down to 1
      {5, 6, true, "5/5"},       // exactly 120 %: 1/1 is reached and not passed
      {3, 2, true, "4/2"},       {3, 2, false, "2/2"},     {2, 3, false, "2/4"},
      {100, 100, false, "100/125"},  // exactly 80 %
      {5, 10, true, "5/8"},      {7, 4, false, "5/4"},
  };
  for (const ZoomStep& c : cases) {
    ViewWindow w;
    ASSERT_TRUE(w.ok());
    w.view->SetZoomFactor(c.num, c.den);
    ASSERT_EQ(Zoom(*w.view), std::to_string(c.num) + "/" + std::to_string(c.den));
    w.view->onMouseZooming(QvPoint(5, 5), c.in);
    EXPECT_EQ(Zoom(*w.view), c.expected) << c.num << "/" << c.den << (c.in ? " in" : " out");
  }
}

// A zoom change converts the scroll increments so that they keep their length on screen
// (integer steps, each division truncating), keeps the image size and the scroll positions,
// and passes the zoom to the window.
TEST(PortableViewZoom, ZoomKeepsTheScrollStateAndScalesTheIncrements) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  w.view->SetImageSize(QvSize(4000, 3000), false);
  w.view->SetHScrollIncrement(100);
  w.view->SetVScrollIncrement(90);
  w.view->SetHScroll(400);
  w.view->SetVScroll(300);

  const struct {
    long num, den;
    unsigned long h, v;  // the increments after the change
  } steps[] = {
      {2, 1, 50, 45},   // 100 * 1/1 * 1/2
      {3, 2, 66, 60},   // 50 * 2/1 = 100, * 2/3 = 66; 45 * 2 = 90, * 2/3 = 60
      {1, 1, 99, 90},   // 66 * 3/2 = 99; 60 * 3/2 = 90
  };
  for (const auto& s : steps) {
    w.view->SetZoomFactor(s.num, s.den);
    EXPECT_EQ(Zoom(*w.view), std::to_string(s.num) + "/" + std::to_string(s.den));
    EXPECT_EQ(w.view->GetHScrollIncrement(), s.h);
    EXPECT_EQ(w.view->GetVScrollIncrement(), s.v);
    EXPECT_TRUE(w.view->GetImageSize() == QvSize(4000, 3000));
    EXPECT_EQ(w.view->GetHScroll(), 400u);
    EXPECT_EQ(w.view->GetVScroll(), 300u);
    // The window converts at the new zoom: an image point 10 right of the scroll position
    // lies 10 * zoom pixels into the client.
    EXPECT_EQ(w.window->ImageToClientX(410), static_cast<int>(10 * s.num / s.den));
  }
}

// Terms that are no ratio are refused before anything divides by them: zoom, increments and
// the window stay as they were.
TEST(PortableViewZoom, ZoomTermsThatAreNoRatioAreRefused) {
  const long terms[][2] = {{0, 1}, {1, 0}, {0, 0}, {-2, 1}, {2, -1}};
  for (const auto& t : terms) {
    ViewWindow w;
    ASSERT_TRUE(w.ok());
    w.view->SetZoomFactor(3, 2);
    w.view->SetHScrollIncrement(60);
    w.view->SetZoomFactor(t[0], t[1]);
    EXPECT_EQ(Zoom(*w.view), "3/2") << t[0] << "/" << t[1];
    EXPECT_EQ(w.view->GetHScrollIncrement(), 60u) << t[0] << "/" << t[1];
    EXPECT_FLOAT_EQ(w.window->FactorX(), 2.0f / 3.0f) << t[0] << "/" << t[1];
  }
}

}  // namespace
