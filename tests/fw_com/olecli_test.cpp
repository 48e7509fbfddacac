// Embedded OLE items: a static picture item made from data on real OLE, drawn, released.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_olecli.h>

#include "dib_canvas.h"
#include "handle_counts.h"
#include "ole_picture.h"

using testing_support::DibCanvas;
using testing_support::PictureData;

namespace {

class OleItem : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(NULL))); }
  void TearDown() override { OleUninitialize(); }
};

TEST_F(OleItem, AStaticPictureDrawsItselfInItsBounds) {
  PictureData data(PictureData::Square(40, RGB(255, 0, 0)));
  COleClientItem item;
  EXPECT_EQ(item.GetItemState(), UINT(COleClientItem::emptyState));
  ASSERT_TRUE(item.CreateStaticFromData(&data, CF_DIB));
  EXPECT_EQ(item.GetItemState(), UINT(COleClientItem::loadedState));
  ASSERT_NE(item.m_lpObject, nullptr);
  CLSID clsid;
  ASSERT_TRUE(SUCCEEDED(item.m_lpObject->GetUserClassID(&clsid)));
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Picture_Dib));

  DibCanvas canvas(60, 60, RGB(0, 255, 0));
  RECT bounds = {10, 10, 50, 50};
  CDC* dc = CDC::FromHandle(canvas.dc());
  ASSERT_TRUE(item.Draw(dc, &bounds));
  // The square fills the middle half of the bounds; nothing outside them changes.
  EXPECT_EQ(canvas.At(30, 30), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(12, 12), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(5, 5), RGB(0, 255, 0));
  EXPECT_EQ(canvas.At(55, 55), RGB(0, 255, 0));

  item.Release();
  EXPECT_EQ(item.GetItemState(), UINT(COleClientItem::emptyState));
  EXPECT_FALSE(item.Draw(dc, &bounds));
  EXPECT_EQ(data.refs(), 1u);  // the data object was not kept
}

TEST_F(OleItem, DataWithoutThePictureMakesNoItem) {
  PictureData data(PictureData::Square(10, RGB(0, 0, 255)));
  COleClientItem item;
  EXPECT_FALSE(item.CreateStaticFromData(&data, CF_ENHMETAFILE));
  EXPECT_FALSE(item.CreateStaticFromData(nullptr, CF_DIB));
  EXPECT_EQ(item.GetItemState(), UINT(COleClientItem::emptyState));
  EXPECT_EQ(item.m_lpObject, nullptr);
}

TEST_F(OleItem, ItemsLeakNothing) {
  PictureData data(PictureData::Square(20, RGB(0, 0, 255)));
  DibCanvas canvas(20, 20);
  RECT bounds = {0, 0, 20, 20};
  {
    COleClientItem warm;  // OLE's own first-use objects
    warm.CreateStaticFromData(&data, CF_DIB);
    warm.Draw(CDC::FromHandle(canvas.dc()), &bounds);
  }
  const int before = testing_support::GdiObjectCount();
  for (int i = 0; i < 3; ++i) {
    COleClientItem item;
    ASSERT_TRUE(item.CreateStaticFromData(&data, CF_DIB));
    item.Draw(CDC::FromHandle(canvas.dc()), &bounds);
  }
  EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
