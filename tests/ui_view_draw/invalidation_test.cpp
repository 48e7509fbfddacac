// Invalidation and immediate update of a view window: what QvInvalRect, QvInvalAll and
// QvUpdateNow leave in the window's update region, and what the update then paints.
#include "draw_fixture.h"
#include "recorder.h"

#include <functional>

using testing_support::ExpectedMsg;
using testing_support::Recorder;

namespace {

// A visible view window of 100 x 80 pixels in a visible parent.
class ViewWindowTest : public ::testing::Test {
 protected:
  HWND parent = NULL;
  ProbeView view;

  void SetUp() override {
    parent = CreateWindowEx(0, _T("STATIC"), _T(""), WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
    ASSERT_NE(parent, static_cast<HWND>(NULL));
    ASSERT_TRUE(view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, Rect(10, 10, 110, 90), CWnd::FromHandle(parent), 1));
    Validate();
  }
  void TearDown() override {
    if (view.m_hWnd != NULL) view.DestroyWindow();
    if (parent != NULL) DestroyWindow(parent);
  }
  void Validate() {
    ValidateRect(view.m_hWnd, NULL);
    Recorder().Reset();
  }
  // The update region's box, or the empty rectangle when nothing is to be painted.
  RECT UpdateBox() {
    RECT box = {};
    if (!GetUpdateRect(view.m_hWnd, &box, FALSE)) SetRectEmpty(&box);
    return box;
  }
  int UpdateRegionType() {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int type = GetUpdateRgn(view.m_hWnd, rgn, FALSE);
    DeleteObject(rgn);
    return type;
  }
};

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "{" << actual.left << "," << actual.top << "," << actual.right << ","
                                       << actual.bottom << "} instead of {" << expected.left << "," << expected.top
                                       << "," << expected.right << "," << expected.bottom << "}";
}

// UpdateWindow paints at once; BeginPaint erases the background only when the invalidation
// asked for it. WM_NCPAINT is optional: whether the system repaints a frame the window does
// not have is its own affair.
const ExpectedMsg kPaintErasing[] = {
    {WM_PAINT, testing_support::kSent, 0, 0},
    {WM_NCPAINT, testing_support::kSent | testing_support::kOptional, 0, 0},
    {WM_ERASEBKGND, testing_support::kSent, 0, 0},
    {0, 0, 0, 0}};
const ExpectedMsg kPaintKeepingTheBackground[] = {
    {WM_PAINT, testing_support::kSent, 0, 0},
    {WM_NCPAINT, testing_support::kSent | testing_support::kOptional, 0, 0},
    {0, 0, 0, 0}};

}  // namespace

// The image rectangle is invalidated where it lies on the client area after zoom and scroll,
// clipped to the client area; a rectangle that culling leaves out invalidates nothing.
TEST_F(ViewWindowTest, InvalRectInvalidatesTheConvertedRectangle) {
  struct Case {
    const char* what;
    long zoomNum, zoomDen;
    int scrollX, scrollY;
    bool culling;
    RECT image, client;  // client: the expected update box (empty for none)
  } const cases[] = {
      {"one to one", 1, 1, 0, 0, false, Rect(10, 10, 40, 30), Rect(10, 10, 40, 30)},
      {"zoomed in and scrolled", 2, 1, 3, 5, false, Rect(10, 10, 20, 30), Rect(17, 15, 37, 55)},
      {"zoomed out", 1, 2, 0, 0, false, Rect(10, 10, 40, 30), Rect(5, 5, 20, 15)},
      {"beyond the client area", 1, 1, 0, 0, false, Rect(90, 70, 150, 120), Rect(90, 70, 100, 80)},
      {"culled", 1, 1, 0, 0, true, Rect(120, 10, 140, 30), Rect(0, 0, 0, 0)},
      {"inside the culling rectangle", 1, 1, 0, 0, true, Rect(10, 10, 20, 20), Rect(10, 10, 20, 20)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    view.SetZoomFactor(c.zoomNum, c.zoomDen);
    view.SetScroll(c.scrollX, c.scrollY);
    view.SetCullingRect(Rect(0, 0, 100, 80));
    const unsigned long culling = UIVIEW_CULLING;
    view.SetModeFlags(c.culling ? culling : 0, c.culling ? 0 : culling);
    Validate();
    view.QvInvalRect(c.image, 0);
    EXPECT_TRUE(SameRect(UpdateBox(), c.client));
    EXPECT_EQ(UpdateRegionType(), IsRectEmpty(&c.client) ? NULLREGION : SIMPLEREGION);
  }
}

// Invalidation marks the region only; QvUpdateNow paints it at once (the view draws once),
// erasing the background as the invalidation asked, and leaves nothing to paint.
TEST_F(ViewWindowTest, UpdateNowPaintsWhatWasInvalidated) {
  const RECT client = Rect(0, 0, 100, 80);
  struct Case {
    const char* what;
    std::function<void()> invalidate;
    RECT box;
    const ExpectedMsg* paint;
  } const cases[] = {
      {"all, erasing", [&] { view.QvInvalAll(1); }, client, kPaintErasing},
      {"all, keeping the background", [&] { view.QvInvalAll(0); }, client, kPaintKeepingTheBackground},
      // The second argument has no effect: a rectangle is always erased.
      {"a rectangle", [&] { view.QvInvalRect(Rect(5, 6, 25, 36), 0); }, Rect(5, 6, 25, 36), kPaintErasing},
  };
  testing_support::SubclassedControl logged(view.m_hWnd);
  Recorder().Watch(view.m_hWnd);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Validate();
    // Not pumped: the queue would hand out the WM_PAINT the update region makes.
    c.invalidate();
    EXPECT_TRUE(SameRect(UpdateBox(), c.box));
    EXPECT_EQ(Recorder().Count(WM_PAINT), 0u) << "nothing painted before the update";

    const int draws = view.draws;
    view.QvUpdateNow();
    Recorder().Pump();
    EXPECT_TRUE(Recorder().Matches(c.paint));
    EXPECT_EQ(view.draws, draws + 1);
    EXPECT_EQ(UpdateRegionType(), NULLREGION);
  }
  // With nothing invalid the update paints nothing.
  Recorder().Clear();
  view.QvUpdateNow();
  Recorder().Pump();
  EXPECT_EQ(Recorder().Messages().size(), 0u);
  Recorder().UnwatchAll();
}
