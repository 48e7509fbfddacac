// Lines, rectangles, ellipses, arcs, sectors, polygons and the selection outline, pixel by pixel.
#include "draw_fixture.h"

#include <math.h>

namespace {

// Colours of the tests: the pen draws blue, the fill is green.
class ShapeTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    view.QvSetPenForeColor(kBlue);
    view.QvSetFillForeColor(kGreen);
  }
  // Blue within `reach` pixels of (x, y) on both axes.
  bool BlueNear(int x, int y, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx)
        if (At(x + dx, y + dy) == kBlue) return true;
    return false;
  }
  // A point of the circle of radius r round (32, 32) at the angle (degrees, counter-clockwise).
  POINT OnCircle(double degrees, double r) {
    const double a = degrees * 3.14159265358979 / 180;
    return Pt(static_cast<int>(32 + r * cos(a)), static_cast<int>(32 - r * sin(a)));
  }
};

}  // namespace

TEST_F(ShapeTest, ALineOfLengthZeroPaintsNothing) {
  for (unsigned short width : {1, 3}) {
    view.QvSetLineWidth(width);
    view.QvDrawLine(Pt(20, 20), Pt(20, 20));
  }
  EXPECT_EQ(CountNot(kWhite), 0);
}

// Straight lines span the pen width, starting half of it (rounded down) before the line; the
// lower or right end point is left out, whichever way the line is given.
TEST_F(ShapeTest, StraightLinesCoverThePenWidthAroundTheLine) {
  struct Case {
    unsigned short width;
    int first;  // first column (row) covered by a line at 20
  } const cases[] = {{1, 20}, {2, 19}, {3, 19}, {4, 18}, {7, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    Paint(kWhite);
    view.QvSetLineWidth(c.width);
    view.QvDrawLine(Pt(20, 40), Pt(20, 30));  // vertical, given upwards
    EXPECT_EQ(Count(kBlue, Rect(c.first, 30, c.first + c.width, 40)), c.width * 10);
    EXPECT_EQ(CountOutside(Rect(c.first, 30, c.first + c.width, 40), kWhite), 0);
    Paint(kWhite);
    view.QvDrawLine(Pt(50, 20), Pt(30, 20));  // horizontal, given leftwards
    EXPECT_EQ(Count(kBlue, Rect(30, c.first, 50, c.first + c.width)), c.width * 20);
    EXPECT_EQ(CountOutside(Rect(30, c.first, 50, c.first + c.width), kWhite), 0);
  }
}

// While printing in twips a thin solid line is drawn with the pen, shortened by half the pen
// width at both ends so that the pen's round ends stay within the line.
TEST(UIDrawPrintedLine, ThinPrintedLinesArePenLinesShortenedByHalfThePenWidth) {
  DibCanvas canvas(64, 64);
  RECT all = {0, 0, 64, 64};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ProbeView view(UIVIEW_TWIPS);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(canvas.dc(), false));
  view.SetModeFlags(UIVIEW_PRINTING, 0);
  view.SetResolution(1440, 1440);  // one twip a pixel
  view.QvSetLineWidth(8);
  ASSERT_EQ(view.GetPenWidthInPixels(), 8);
  view.QvDrawLine(Pt(10, 30), Pt(50, 30));
  EXPECT_NE(view.m_hDashPen.Get(), static_cast<HPEN>(NULL)) << "drawn with the pen";
  EXPECT_EQ(canvas.At(30, 30), kBlack);
  EXPECT_EQ(canvas.At(14, 30), kBlack);
  EXPECT_EQ(canvas.At(45, 30), kBlack);
  // Unshortened, the round ends would reach 4 pixels beyond the end points.
  EXPECT_EQ(canvas.At(8, 30), kWhite);
  EXPECT_EQ(canvas.At(7, 30), kWhite);
  EXPECT_EQ(canvas.At(52, 30), kWhite);
  view.UnprepareCurrentDC();
}

TEST_F(ShapeTest, RectanglesPaintTheFrameWithThePenAndTheInsideWithTheFill) {
  struct Case {
    unsigned short width;
    int frame, fill;
  } const cases[] = {{1, 1, 1}, {3, 1, 1}, {1, 1, 0}, {2, 0, 1}};
  const RECT r = Rect(10, 10, 40, 30);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << " frame " << c.frame << " fill " << c.fill);
    Paint(kWhite);
    view.QvSetLineWidth(c.width);
    view.QvDrawRect(r, c.frame, c.fill);
    const int w = c.frame ? c.width : 0;
    const RECT inside = Rect(r.left + w, r.top + w, r.right - w, r.bottom - w);
    const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
    EXPECT_EQ(Count(c.fill ? kGreen : kWhite, inside), area);
    EXPECT_EQ(Count(kBlue, r), 30 * 20 - area);
    EXPECT_EQ(CountOutside(r, kWhite), 0);
  }
}

// A frame narrower than twice the pen width: the edges overlap, the top and bottom edges are
// one pixel wide, and there is no fill.
TEST_F(ShapeTest, AFrameNarrowerThanTwiceThePenWidthHasNoFill) {
  view.QvSetLineWidth(3);
  const RECT r = Rect(10, 10, 15, 20);
  view.QvDrawRect(r, 1, 1);
  EXPECT_EQ(Count(kBlue, r), 5 * 10);
  EXPECT_EQ(CountNot(kWhite), 5 * 10);
}

// Rectangles no more than twice the pen width across are all frame: every pixel inside is
// painted once with the pen, none outside, and none twice (the exclusive mode would take a
// pixel painted twice back to white).
TEST_F(ShapeTest, ThinFramesStayInsideTheirRectangleAndPaintEachPixelOnce) {
  struct Case {
    unsigned short width;
    RECT r;
  } const cases[] = {
      {2, Rect(10, 20, 30, 20)},  // no height
      {2, Rect(10, 20, 30, 21)},  // one row
      {2, Rect(10, 20, 30, 23)},  // three rows: the bottom edge keeps its last row
      {2, Rect(10, 20, 30, 24)},  // exactly twice the pen width
      {3, Rect(10, 20, 11, 40)},  // one column
      {3, Rect(10, 20, 14, 40)},  // four columns
      {3, Rect(10, 20, 15, 25)},  // thin both ways
      {4, Rect(20, 20, 20, 30)},  // no width
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << " rect " << c.r.left << "," << c.r.top << ","
                                    << c.r.right << "," << c.r.bottom);
    const int area = (c.r.right - c.r.left) * (c.r.bottom - c.r.top);
    view.QvSetLineWidth(c.width);
    view.QvSetDrawMode(QvCopyMode);
    Paint(kWhite);
    view.QvDrawRect(c.r, 1, 1);
    EXPECT_EQ(Count(kBlue, c.r), area);
    EXPECT_EQ(CountOutside(c.r, kWhite), 0);

    view.QvSetDrawMode(QvXorMode);
    Paint(kWhite);
    view.QvDrawRect(c.r, 1, 1);
    EXPECT_EQ(Count(kWhite, c.r), 0) << "pixels painted twice";
    EXPECT_EQ(CountOutside(c.r, kWhite), 0);
  }
}

TEST_F(ShapeTest, NoFillPatternLeavesTheInsideAlone) {
  view.QvSetFillPattern(QvNoPattern);
  view.QvDrawRect(Rect(10, 10, 40, 30), 1, 1);
  EXPECT_EQ(Count(kWhite, Rect(11, 11, 39, 29)), 28 * 18);
  EXPECT_EQ(CountNot(kWhite), 30 * 20 - 28 * 18);
  view.QvDrawRect(Rect(10, 10, 40, 30), 0, 1);
  EXPECT_EQ(Count(kWhite, Rect(11, 11, 39, 29)), 28 * 18);
}

// A pattern beyond the set is refused: fills go on with the pattern set before, not with
// whatever brush the DC holds from the last line.
TEST_F(ShapeTest, AFillPatternBeyondTheSetKeepsThePreviousPattern) {
  for (int pattern : {QvLastPattern + 1, 1000, -2}) {
    SCOPED_TRACE(pattern);
    Paint(kWhite);
    view.QvSetFillPattern(QvSolidPattern);
    view.QvDrawLine(Pt(0, 5), Pt(40, 5));  // leaves the pen's brush selected
    view.QvSetFillPattern(static_cast<QvGUIPattern>(pattern));
    EXPECT_EQ(view.QvGetFillPattern(), QvSolidPattern);
    view.QvDrawRect(Rect(10, 10, 30, 30), 0, 1);
    EXPECT_EQ(Count(kGreen, Rect(10, 10, 30, 30)), 20 * 20);
  }
}

TEST_F(ShapeTest, OvalsFillInsideAndFrameOnTheOutline) {
  const RECT r = Rect(8, 8, 56, 40);
  struct Case {
    int frame, fill;
  } const cases[] = {{1, 1}, {1, 0}, {0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "frame " << c.frame << " fill " << c.fill);
    for (QvDashLine dash : {QvSolidLine, QvLongDashLine}) {
      Paint(kWhite);
      view.QvSetDashLine(dash);
      view.QvDrawOval(r, c.frame, c.fill);
      EXPECT_EQ(At(32, 24), c.fill ? kGreen : kWhite);
      if (dash == QvSolidLine) {
        EXPECT_EQ(At(32, 8) == kBlue, c.frame != 0);
        EXPECT_EQ(At(8, 24) == kBlue, c.frame != 0);
      } else {
        EXPECT_EQ(Count(kBlue, r) > 0, c.frame != 0);
      }
      EXPECT_EQ(At(9, 9), kWhite) << "the corner is outside";
      EXPECT_EQ(CountOutside(r, kWhite), 0);
    }
  }
}

// Angles run counter-clockwise from the positive x axis; a negative sweep runs clockwise
// from the start. Quadrant 0 is the upper right, then counter-clockwise.
TEST_F(ShapeTest, SectorsAndArcsCoverTheQuadrantsTheirSweepPasses) {
  struct Case {
    short start, sweep;
    unsigned quadrants;  // bit q: quadrant q is covered
  } const cases[] = {
      {0, 90, 1},   {90, 90, 2},   {180, 90, 4},  {270, 90, 8},    {90, -90, 1},
      {180, -90, 2}, {270, -90, 4}, {0, -90, 8},  {360, -90, 8},   {-90, 90, 8},
      {0, 270, 7},  {0, -270, 14}, {180, 270, 13}, {180, -180, 3},
  };
  const RECT r = Rect(0, 0, 64, 64);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " sweep " << c.sweep);
    Paint(kWhite);
    view.QvDrawSector(r, c.start, c.sweep, 1, 1);
    for (int q = 0; q < 4; ++q) {
      const bool covered = (c.quadrants >> q) & 1;
      const POINT inner = OnCircle(90 * q + 45, 16), rim = OnCircle(90 * q + 45, 31);
      EXPECT_EQ(At(inner.x, inner.y), covered ? kGreen : kWhite) << "sector, quadrant " << q;
      EXPECT_EQ(BlueNear(rim.x, rim.y), covered) << "sector outline, quadrant " << q;
    }

    Paint(kWhite);
    view.QvDrawArc(r, c.start, c.sweep);
    for (int q = 0; q < 4; ++q) {
      const POINT rim = OnCircle(90 * q + 45, 31);
      EXPECT_EQ(BlueNear(rim.x, rim.y), ((c.quadrants >> q) & 1) != 0) << "arc, quadrant " << q;
    }
    EXPECT_EQ(Count(kBlue, Rect(24, 24, 40, 40)), 0) << "an arc has no radii";
  }
}

// The caller's DC may run arcs clockwise; the view's angles keep their meaning, and the
// caller gets its direction back.
TEST_F(ShapeTest, ArcsIgnoreTheArcDirectionOfTheCallersDC) {
  view.UnprepareCurrentDC();
  SetArcDirection(dc(), AD_CLOCKWISE);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
  view.QvSetFillForeColor(kGreen);
  view.QvDrawSector(Rect(0, 0, 64, 64), 0, 90, 0, 1);
  const POINT first = OnCircle(45, 16), fourth = OnCircle(315, 16);
  EXPECT_EQ(At(first.x, first.y), kGreen);
  EXPECT_EQ(At(fourth.x, fourth.y), kWhite);
  view.UnprepareCurrentDC();
  EXPECT_EQ(GetArcDirection(dc()), AD_CLOCKWISE);
  SetArcDirection(dc(), AD_COUNTERCLOCKWISE);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
}

// Equal end points would make GDI draw the whole ellipse: a sweep of 0 grows until the end
// point moves, and a short arc is drawn. (A large circle, whose arc at 30 degrees crosses the
// surface: one degree is more than three pixels there.)
TEST_F(ShapeTest, AnArcWithASweepOfZeroStillDrawsAShortArc) {
  view.QvDrawArc(Rect(-350, -50, 50, 350), 30, 0);
  const int drawn = Count(kBlue, Rect(0, 0, kSize, kSize));
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, 8);
  EXPECT_TRUE(BlueNear(23, 50, 2));
}

// A whole turn is the whole ellipse, not the sliver of one degree that a grown sweep would give.
TEST_F(ShapeTest, ASectorOfAWholeTurnFillsTheWholeEllipse) {
  for (short sweep : {360, -360, 720}) {
    SCOPED_TRACE(sweep);
    Paint(kWhite);
    view.QvDrawSector(Rect(0, 0, 64, 64), 30, sweep, 1, 1);
    for (int q = 0; q < 4; ++q) {
      const POINT p = OnCircle(90 * q + 45, 16);
      EXPECT_EQ(At(p.x, p.y), kGreen) << "quadrant " << q;
    }
  }
}

TEST_F(ShapeTest, AFlatRectangleDrawsNoArcOrSector) {
  view.QvDrawArc(Rect(10, 10, 50, 11), 0, 180);
  view.QvDrawSector(Rect(10, 10, 11, 50), 0, 180, 1, 1);
  EXPECT_EQ(CountNot(kWhite), 0);
}

TEST_F(ShapeTest, PolygonsFillAndFrameClosedOrOpen) {
  CArray<POINT, POINT> triangle;
  triangle.Add(Pt(10, 10));
  triangle.Add(Pt(50, 10));
  triangle.Add(Pt(30, 50));
  struct Case {
    int closed, frame, fill;
  } const cases[] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "closed " << c.closed << " frame " << c.frame << " fill " << c.fill);
    for (QvDashLine dash : {QvSolidLine, QvShortDashLine}) {
      Paint(kWhite);
      view.QvSetDashLine(dash);
      view.QvDrawPoly(triangle, c.closed, c.frame, c.fill);
      EXPECT_EQ(At(30, 20), c.fill ? kGreen : kWhite);
      EXPECT_EQ(BlueNear(30, 10, 4), c.frame != 0) << "first edge";
      EXPECT_EQ(BlueNear(20, 30, 4), c.frame && c.closed) << "closing edge";
      EXPECT_EQ(CountOutside(Rect(10, 10, 51, 51), kWhite), 0);
    }
  }
}

TEST_F(ShapeTest, PolygonsWithoutPointsDrawNothing) {
  CArray<POINT, POINT> none;
  view.QvDrawPoly(none, 1, 1, 1);
  view.QvDrawPoly(none, 0, 1, 1);
  CArray<POINT, POINT> one;
  one.Add(Pt(20, 20));
  view.QvDrawPoly(one, 1, 1, 1);
  EXPECT_EQ(CountNot(kWhite), 0);
}

// A background or solid pattern in equal fill colours fills with a plain brush of that colour.
TEST_F(ShapeTest, PolygonsAndSectorsInOneFillColourAreFilledPlain) {
  CArray<POINT, POINT> square;
  for (POINT p : {Pt(10, 10), Pt(30, 10), Pt(30, 30), Pt(10, 30)}) square.Add(p);
  view.QvSetFillForeColor(kRed);
  view.QvSetFillBackColor(kRed);
  view.QvSetFillPattern(QvBackPattern);
  view.QvDrawPoly(square, 1, 0, 1);
  EXPECT_EQ(Count(kRed, Rect(11, 11, 29, 29)), 18 * 18);
  view.QvDrawSector(Rect(32, 32, 64, 64), 0, 90, 0, 1);
  EXPECT_EQ(At(52, 44), kRed);
  HBRUSH plain = view.m_hFillBrush;
  ASSERT_NE(plain, static_cast<HBRUSH>(NULL));
  view.QvDrawPoly(square, 1, 0, 1);
  EXPECT_EQ(view.m_hFillBrush, plain) << "the plain brush is kept for the next fill";
}

TEST_F(ShapeTest, EraseInvertThreeDAndBlockMove) {
  view.QvDrawRect(Rect(0, 0, 10, 10), 0, 1);
  view.QvInvertRectForSelection(Rect(5, 0, 15, 10));
  EXPECT_EQ(At(2, 2), kGreen);
  EXPECT_EQ(At(7, 2), RGB(255, 95, 255));
  EXPECT_EQ(At(12, 2), kBlack);
  view.QvBlockMove(Rect(0, 0, 15, 10), 20, 30);
  EXPECT_EQ(At(22, 32), kGreen);
  EXPECT_EQ(At(32, 32), kBlack);
  view.QvEraseRect(Rect(0, 0, 15, 10));
  EXPECT_EQ(Count(GetSysColor(COLOR_WINDOW), Rect(0, 0, 15, 10)), 150);
  Paint(kWhite);
  view.QvDraw3DRect(Rect(10, 10, 30, 30), 1);
  EXPECT_EQ(At(10, 10), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(At(29, 29), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(20, 20), GetSysColor(COLOR_BTNFACE));
  view.QvDraw3DRect(Rect(10, 10, 30, 30), 0);
  EXPECT_EQ(At(10, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(29, 29), GetSysColor(COLOR_BTNHIGHLIGHT));
}

// The selection outline is one pixel of the checker pattern in the fill colours along each
// edge of the rectangle; in exclusive mode a second outline takes the first back exactly.
TEST_F(ShapeTest, SelectionRectIsACheckerOutlineInsideTheRectangle) {
  const auto fills = StripPatterns(260);
  ASSERT_EQ(fills.size(), 20u);
  view.QvSetFillForeColor(kBlack);
  Paint(kGrey);
  const RECT r = Rect(10, 10, 21, 17);
  view.QvDrawSelectionRect(r);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const bool outline = x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
                           (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
      const COLORREF expected = !outline ? kGrey : fills[3][y % 8][x % 8] == '0' ? kBlack : kWhite;
      ASSERT_EQ(At(x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(view.QvGetFillPattern(), QvSolidPattern) << "the fill pattern is kept";

  Paint(kGrey);
  const std::vector<COLORREF> before = Pixels();
  view.QvSetDrawMode(QvXorMode);
  for (RECT s : {r, Rect(30, 30, 31, 40), Rect(30, 50, 40, 51), Rect(40, 40, 42, 42)}) {
    view.QvDrawSelectionRect(s);
    EXPECT_NE(Pixels(), before);
    view.QvDrawSelectionRect(s);
    EXPECT_EQ(Pixels(), before) << s.left << "," << s.top;
  }
}

TEST_F(ShapeTest, ExclusiveModeTakesBackASecondIdenticalDrawing) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; x += 4) {
      RECT cell = Rect(x, y, x + 4, y + 1);
      HBRUSH b = CreateSolidBrush(RGB(x * 4, y * 4, (x + y) * 2));
      FillRect(dc(), &cell, b);
      DeleteObject(b);
    }
  const std::vector<COLORREF> before = Pixels();
  EXPECT_EQ(view.QvGetDrawMode(), QvCopyMode);
  view.QvSetDrawMode(QvXorMode);
  EXPECT_EQ(view.QvGetDrawMode(), QvXorMode);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(13));
  view.QvSetLineWidth(2);
  view.QvDrawRect(Rect(5, 5, 50, 40), 1, 1);
  EXPECT_NE(Pixels(), before);
  view.QvDrawRect(Rect(5, 5, 50, 40), 1, 1);
  EXPECT_EQ(Pixels(), before);
  view.QvSetDrawMode(QvCopyMode);
  EXPECT_EQ(view.QvGetDrawMode(), QvCopyMode);
}
