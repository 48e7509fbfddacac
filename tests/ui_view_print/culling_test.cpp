// Culling: with the culling flag and a culling rectangle (client pixels), rectangles that lie
// wholly outside are not converted further and not drawn; the others are drawn whole.
#include <gtest/gtest.h>

#include <memory>

#include "view_canvas.h"

namespace {

const int kSide = 300;
const RECT kCull = {100, 100, 200, 200};
const COLORREF kGrey = RGB(128, 128, 128);

// Where a rectangle (pixel units, no scroll) stands against kCull.
struct Placement {
  const char* name;
  RECT rect;
  bool visible;
};
const Placement kPlacements[] = {
    {"inside", {120, 120, 180, 180}, true},
    {"around", {50, 50, 250, 250}, true},
    {"left of it", {40, 120, 99, 180}, false},
    {"right edge on its left", {40, 120, 100, 180}, true},
    {"right of it", {201, 120, 260, 180}, false},
    {"left edge on its right", {200, 120, 260, 180}, true},
    {"above it", {120, 40, 180, 99}, false},
    {"bottom on its top", {120, 40, 180, 100}, false},
    {"bottom just below its top", {120, 40, 180, 101}, true},
    {"below it", {120, 201, 180, 260}, false},
    {"top on its bottom", {120, 200, 180, 260}, true},
};

class Culling : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(canvas.valid());
    ASSERT_TRUE(UIViewPrepareSharedResources());
    canvas.Fill(kGrey);
    prepared.reset(new PreparedView(view, canvas.dc()));
    ASSERT_TRUE(prepared->ok());
    view.SetModeFlags(UIVIEW_CULLING, 0);
    view.SetCullingRect(kCull);
  }
  void TearDown() override { prepared.reset(); }

  DibCanvas canvas{kSide, kSide};
  TestDrawView view;  // pixel units: image and client coincide
  std::unique_ptr<PreparedView> prepared;
};

TEST_F(Culling, OutsideRectanglesPaintNothingAndVisibleOnesArePaintedWhole) {
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    canvas.Fill(kGrey);
    RECT client = {};
    EXPECT_EQ(view.ImageToClientRect(p.rect, client) != FALSE, p.visible);
    view.QvDrawRect(p.rect, 1, 1);  // black frame, black fill
    const RECT& r = p.rect;
    int area = (r.right - r.left) * (r.bottom - r.top);
    if (p.visible) {
      EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), area) << "culling does not clip";
    } else {
      EXPECT_EQ(canvas.CountOf(kGrey), kSide * kSide);
    }
  }
}

TEST_F(Culling, EveryRectanglePrimitiveSkipsOutsideRectangles) {
  const RECT outside = {120, 201, 180, 260};
  const RECT inside = {120, 120, 180, 180};
  struct Primitive {
    const char* name;
    void (*draw)(TestDrawView&, const RECT&);
  } primitives[] = {
      {"QvDrawRect", [](TestDrawView& v, const RECT& r) { v.QvDrawRect(r, 1, 0); }},
      {"QvDraw3DRect", [](TestDrawView& v, const RECT& r) { v.QvDraw3DRect(r, 1); }},
      {"QvDrawSelectionRect", [](TestDrawView& v, const RECT& r) { v.QvDrawSelectionRect(r); }},
      {"QvEraseRect", [](TestDrawView& v, const RECT& r) { v.QvEraseRect(r); }},
      {"QvInvertRectForSelection", [](TestDrawView& v, const RECT& r) { v.QvInvertRectForSelection(r); }},
      {"QvDrawOval", [](TestDrawView& v, const RECT& r) { v.QvDrawOval(r, 1, 1); }},
      {"QvDrawSector", [](TestDrawView& v, const RECT& r) { v.QvDrawSector(r, 0, 90, 1, 1); }},
      {"QvDrawArc", [](TestDrawView& v, const RECT& r) { v.QvDrawArc(r, 0, 90); }},
  };
  for (const Primitive& p : primitives) {
    SCOPED_TRACE(p.name);
    canvas.Fill(kGrey);
    p.draw(view, outside);
    EXPECT_EQ(canvas.CountOf(kGrey), kSide * kSide);
    p.draw(view, inside);
    EXPECT_LT(canvas.CountOf(kGrey), kSide * kSide);
  }
}

}  // namespace
