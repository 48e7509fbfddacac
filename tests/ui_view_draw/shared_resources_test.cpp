// The pattern sets and the palette are one set of objects for the whole process, shared by
// the framework's drawing views and the portable layer: either side letting go leaves them
// whole for the other.
#include <GUIInitialisations.h>
#include <UIUtilities.h>
#include <UIView.h>
#include <gtest/gtest.h>

namespace {

// What a view draws with is there and usable.
void ExpectViewResourcesUsable() {
  BrushArrayRec* fills = UIViewFillPatterns();
  BrushArrayRec* dashes = UIViewDashPatterns();
  ASSERT_NE(fills, nullptr);
  ASSERT_NE(dashes, nullptr);
  EXPECT_EQ(fills->nBrushes, 20);
  EXPECT_EQ(dashes->nBrushes, 8);
  EXPECT_EQ(GetObjectType(fills->brushes[3]), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(dashes->brushes[7]), static_cast<DWORD>(OBJ_BRUSH));
  ASSERT_NE(UIViewPalette(), nullptr);
  EXPECT_EQ(GetObjectType(UIViewPalette()->GetSafeHandle()), static_cast<DWORD>(OBJ_PAL));
}

}  // namespace

TEST(SharedDrawingResources, ThePortableLayerLettingGoLeavesTheViewsTheirPatterns) {
  ASSERT_TRUE(UIViewPrepareSharedResources());
  BrushArrayRec* fills = UIViewFillPatterns();
  CPalette* palette = UIViewPalette();
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  // The portable layer holds the very same objects.
  EXPECT_EQ(UIViewFillPatterns(), fills);
  EXPECT_EQ(UIViewPalette(), palette);
  PlatformGUIRelease();
  EXPECT_EQ(UIViewFillPatterns(), fills);
  ExpectViewResourcesUsable();
}

TEST(SharedDrawingResources, ViewsPreparedWhileThePortableLayerRunsKeepThemAfterIt) {
  ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
  ASSERT_TRUE(UIViewPrepareSharedResources());
  PlatformGUIRelease();
  ExpectViewResourcesUsable();
  // A second preparation finds them made.
  BrushArrayRec* fills = UIViewFillPatterns();
  ASSERT_TRUE(UIViewPrepareSharedResources());
  EXPECT_EQ(UIViewFillPatterns(), fills);
}
