// CMemDC: drawing off-screen is copied to the target's clip box at the end; when the bitmap
// cannot be made (a huge area) or the target prints, drawing goes straight to the target.
#include <framework.h>
#include <fw_memdc.h>
#include <gtest/gtest.h>

#include "fw_canvas.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

void FillBlue(CDC& dc, const RECT& r) {
  CBrush blue;
  blue.CreateSolidBrush(kBlue);
  dc.FillRect(&r, &blue);
}

TEST(MemDC, DrawsOffScreenAndCopiesTheClipBoxAtTheEnd) {
  FwCanvas canvas(60, 40);
  ASSERT_TRUE(canvas.valid());
  canvas.cdc().IntersectClipRect(10, 10, 30, 20);
  {
    CMemDC mem(&canvas.cdc());
    EXPECT_TRUE(mem.IsOffScreen());
    EXPECT_EQ(mem.GetRect(), CRect(10, 10, 30, 20));
    FillBlue(mem, CRect(0, 0, 60, 40));
    EXPECT_EQ(canvas.CountOf(kBlue), 0);  // nothing on the target yet
  }
  EXPECT_EQ(canvas.CountOf(kBlue), 20 * 10);  // the clip box only
  EXPECT_EQ(canvas.At(10, 10), kBlue);
  EXPECT_EQ(canvas.At(9, 10), kWhite);
}

TEST(MemDC, AnAreaTooLargeForABitmapDrawsStraightThrough) {
  FwCanvas canvas(60, 40);
  ASSERT_TRUE(canvas.valid());
  const CRect huge(0, 0, 200000, 200000);
  {
    CMemDC mem(&canvas.cdc(), &huge);
    EXPECT_FALSE(mem.IsOffScreen());
    EXPECT_EQ(mem.m_hDC, canvas.dc());
    FillBlue(mem, CRect(5, 5, 15, 15));
    EXPECT_EQ(canvas.CountOf(kBlue), 100);
  }
  EXPECT_EQ(canvas.CountOf(kBlue), 100);
  EXPECT_NE(GetObjectType(canvas.dc()), 0u);  // the target's DC was not deleted
}

}  // namespace
