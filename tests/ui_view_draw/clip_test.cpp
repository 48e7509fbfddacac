// The clip region: set, combined, reset, read back and replaced.
#include "draw_fixture.h"

namespace {

class ClipTest : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    view.QvSetFillForeColor(kGreen);
  }
  // Fills the whole surface through the clip region; answers the filled pixels.
  int FillAll() {
    Paint(kWhite);
    view.QvDrawRect(Rect(0, 0, kSize, kSize), 0, 1);
    return Count(kGreen, Rect(0, 0, kSize, kSize));
  }
  bool Filled(int x, int y) { return At(x, y) == kGreen; }
};

bool IsEmpty(CRgn* rgn) {
  RECT box;
  return rgn != NULL && rgn->GetRgnBox(&box) == NULLREGION;
}

}  // namespace

TEST_F(ClipTest, SetUnionIntersectAndExcludeCombineIntoTheDC) {
  RECT a = Rect(0, 0, 20, 20), b = Rect(10, 10, 40, 30), c = Rect(5, 15, 25, 25), hole = Rect(15, 15, 18, 18);
  view.QvSetClipRect(a);
  EXPECT_EQ(FillAll(), 20 * 20);
  view.QvUnionRectToClip(b);
  EXPECT_EQ(FillAll(), 20 * 20 + 30 * 20 - 10 * 10);
  view.QvIntersectionRectToClip(c);
  // c within a or b: all of it but its corner (5..10, 20..25), which is in neither.
  EXPECT_EQ(FillAll(), 20 * 10 - 5 * 5);
  EXPECT_FALSE(Filled(7, 22));
  EXPECT_TRUE(Filled(7, 17));
  view.QvExcludeRectToClip(hole);
  EXPECT_EQ(FillAll(), 20 * 10 - 5 * 5 - 3 * 3);
  EXPECT_FALSE(Filled(16, 16));
  EXPECT_TRUE(Filled(18, 18));
}

TEST_F(ClipTest, ResetRemovesClippingAndLeavesAnEmptyRegion) {
  RECT r = Rect(10, 10, 20, 20);
  view.QvSetClipRect(r);
  CRgn* clip = view.QvGetClipRegion();
  ASSERT_NE(clip, nullptr);
  CRgn expected;
  expected.CreateRectRgnIndirect(&r);
  EXPECT_TRUE(clip->EqualRgn(&expected));
  view.QvFreeRegion(clip);

  view.QvResetClipRect();
  EXPECT_EQ(FillAll(), kSize * kSize);
  CRgn* empty = view.QvGetClipRegion();
  EXPECT_TRUE(IsEmpty(empty));
  view.QvFreeRegion(empty);
  view.QvFreeRegion(NULL);
}

TEST_F(ClipTest, SetClipRegionCopiesTheRegionAndAnEmptyOneRemovesClipping) {
  CRgn ellipse;
  ellipse.CreateEllipticRgn(0, 0, 40, 40);
  view.QvSetClipRegion(&ellipse);
  ellipse.SetRectRgn(0, 0, 1, 1);  // the view keeps its own copy
  FillAll();
  EXPECT_TRUE(Filled(20, 20));
  EXPECT_FALSE(Filled(1, 1));
  EXPECT_FALSE(Filled(45, 20));

  view.QvSetClipRegion(NULL);
  EXPECT_LT(FillAll(), kSize * kSize) << "NULL leaves the clip region as it was";

  CRgn none;
  none.CreateRectRgn(0, 0, 0, 0);
  view.QvSetClipRegion(&none);
  EXPECT_EQ(FillAll(), kSize * kSize);
  CRgn* empty = view.QvGetClipRegion();
  EXPECT_TRUE(IsEmpty(empty));
  view.QvFreeRegion(empty);
}

// With an attribute DC (printing, metafiles) the clip region is kept but not given to the DC.
TEST_F(ClipTest, WithAnAttributeDCTheRegionIsKeptButNotSelected) {
  view.UnprepareCurrentDC();
  HDC screen = GetDC(NULL);
  view.SetAttributeDC(screen);
  ASSERT_TRUE(view.PrepareNewDCForDrawing(dc(), false));
  view.QvSetFillForeColor(kGreen);
  RECT r = Rect(10, 10, 20, 20);
  view.QvSetClipRect(r);
  EXPECT_EQ(FillAll(), kSize * kSize);
  CRgn* clip = view.QvGetClipRegion();
  RECT box = {};
  clip->GetRgnBox(&box);
  EXPECT_TRUE(EqualRect(&box, &r));
  view.QvFreeRegion(clip);
  view.UnprepareCurrentDC();
  view.SetAttributeDC(NULL);
  ReleaseDC(NULL, screen);
}
