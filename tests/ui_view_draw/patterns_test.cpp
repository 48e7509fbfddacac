// Fill and dash patterns: the strips hold the documented layouts, and fills and straight lines
// paint them pixel for pixel, aligned to the document.
#include "draw_fixture.h"

#include <algorithm>
#include <set>

namespace {

int ForegroundPixels(const std::vector<std::string>& pattern) {
  int n = 0;
  for (const std::string& row : pattern) n += static_cast<int>(std::count(row.begin(), row.end(), '0'));
  return n;
}

std::vector<std::string> Horizontal(const char* row) { return std::vector<std::string>(8, row); }

std::vector<std::string> Vertical(const char* column) {
  std::vector<std::string> rows;
  for (int r = 0; r < 8; ++r) rows.push_back(std::string(8, column[r]));
  return rows;
}

}  // namespace

TEST(UIDrawPatterns, FillStripHoldsBackgroundForegroundShadingsThenTextures) {
  const auto fills = StripPatterns(260);
  ASSERT_EQ(fills.size(), 20u);
  // Pattern n (1-based) against its share of foreground pixels, in 64ths.
  const int foreground[8] = {0, 64, 48, 32, 16, 8, 4, 2};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ForegroundPixels(fills[i]), foreground[i]) << "pattern " << i + 1;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(fills[3][y][x], (x + y) % 2 ? '1' : '0') << "the half pattern is a checker";
  std::set<std::vector<std::string>> textures;
  for (int i = 8; i < 20; ++i) {
    const int n = ForegroundPixels(fills[i]);
    EXPECT_TRUE(n > 0 && n < 64) << "pattern " << i + 1 << " is a texture";
    textures.insert(fills[i]);
  }
  EXPECT_EQ(textures.size(), 12u);
}

TEST(UIDrawPatterns, DashStripHoldsFourHorizontalThenTheSameFourVertical) {
  const auto dashes = StripPatterns(259);
  ASSERT_EQ(dashes.size(), 8u);
  const char* sequences[4] = {"01010101", "00110011", "00001111", "00000101"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(dashes[i], Horizontal(sequences[i])) << "horizontal " << i;
    EXPECT_EQ(dashes[i + 4], Vertical(sequences[i])) << "vertical " << i;
  }
}

class FillPatternTest : public DrawTest, public ::testing::WithParamInterface<int> {};

// Each fill pattern paints its bits: the text colour (fill fore) where a bit is 0, the
// background colour (fill back) where it is 1; nothing outside the rectangle.
TEST_P(FillPatternTest, PaintsThePatternBitsInTheFillColours) {
  const int pattern = GetParam();
  const auto fills = StripPatterns(260);
  ASSERT_EQ(fills.size(), 20u);
  view.QvSetFillForeColor(kRed);
  view.QvSetFillBackColor(kBlue);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(pattern));
  const RECT r = Rect(5, 6, 45, 40);
  view.QvDrawRect(r, 0, 1);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      ASSERT_EQ(At(x, y), fills[pattern - 1][y % 8][x % 8] == '0' ? kRed : kBlue) << x << "," << y;
  EXPECT_EQ(CountOutside(r, kWhite), 0);
}

INSTANTIATE_TEST_SUITE_P(AllPatterns, FillPatternTest, ::testing::Range(1, 21));

// The patterns follow the document, not the window: scrolled by (3, 5) pixels, client pixel
// (x, y) shows the pattern bit of document pixel (x + 3, y + 5).
TEST_F(DrawTest, FillPatternsStayAlignedToTheDocumentWhenScrolled) {
  const auto fills = StripPatterns(260);
  ASSERT_EQ(fills.size(), 20u);
  view.SetScroll(3, 5);
  view.QvSetFillPattern(static_cast<QvGUIPattern>(11));
  view.QvDrawRect(Rect(0, 0, 40, 40), 0, 1);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(At(x, y), fills[10][(y + 5) % 8][(x + 3) % 8] == '0' ? kBlack : kWhite) << x << "," << y;
}

// Straight lines are blits of the dash patterns in the pen colours: the gaps show the pen
// back colour, and the end point is left out.
TEST_F(DrawTest, StraightLinesBlitEachDashPatternInThePenColours) {
  const auto dashes = StripPatterns(259);
  ASSERT_EQ(dashes.size(), 8u);
  view.QvSetPenForeColor(kRed);
  view.QvSetPenBackColor(kYellow);
  for (int dash = 1; dash <= 4; ++dash) {
    SCOPED_TRACE(dash);
    Paint(kWhite);
    view.QvSetDashLine(static_cast<QvDashLine>(dash));
    view.QvDrawLine(Pt(3, 10), Pt(60, 10));
    view.QvDrawLine(Pt(20, 60), Pt(20, 13));
    for (int x = 3; x < 60; ++x)
      ASSERT_EQ(At(x, 10), dashes[dash - 1][10 % 8][x % 8] == '0' ? kRed : kYellow) << "x " << x;
    for (int y = 13; y < 60; ++y)
      ASSERT_EQ(At(20, y), dashes[dash + 3][y % 8][20 % 8] == '0' ? kRed : kYellow) << "y " << y;
    EXPECT_EQ(At(60, 10), kWhite);
    EXPECT_EQ(At(20, 60), kWhite);
    EXPECT_EQ(CountNot(kWhite), 57 + 47);
  }
}

// Slanted lines use a pen: solid for dashes 0 and 1, dotted, dashed and dash-dotted for 2 to
// 4, whose gaps leave the surface as it was (transparent background).
TEST_F(DrawTest, SlantedLinesUseAPenOfEachDashStyle) {
  view.QvSetPenForeColor(kRed);
  view.QvSetPenBackColor(kYellow);
  std::set<std::string> dashedRuns;
  for (int dash = 0; dash <= 4; ++dash) {
    SCOPED_TRACE(dash);
    Paint(kWhite);
    view.QvSetDashLine(static_cast<QvDashLine>(dash));
    view.QvDrawLine(Pt(2, 2), Pt(62, 62));
    std::string run;
    for (int i = 2; i < 62; ++i) {
      const COLORREF c = At(i, i);
      ASSERT_TRUE(c == kRed || c == kWhite) << "pixel " << i;
      run += c == kRed ? 'x' : '.';
    }
    EXPECT_EQ(Count(kYellow, Rect(0, 0, kSize, kSize)), 0);
    if (dash < 2) {
      EXPECT_EQ(run, std::string(60, 'x'));
    } else {
      EXPECT_NE(run.find('x'), std::string::npos);
      EXPECT_NE(run.find('.'), std::string::npos);
      dashedRuns.insert(run);
    }
  }
  EXPECT_EQ(dashedRuns.size(), 3u) << "dot, dash and dash-dot differ";
}
