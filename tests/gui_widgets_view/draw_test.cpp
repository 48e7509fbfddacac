// The portable view's drawing in DIB sections: the same shapes through the portable view and
// through the framework's drawing view give the same pixels; arcs of no radius, text laid out
// in rectangles by table, text where no character fits, measures, invalidation and metafiles.
#include "pview_fixture.h"

#include <dib_canvas.h>
#include <handle_counts.h>
#include <test_view.h>

#include <string>
#include <vector>

using testing_support::DibCanvas;

namespace {

const COLORREF kPen = RGB(200, 20, 40);
const COLORREF kFill = RGB(30, 120, 220);

// One shape drawn the same way through either view: in pixels, or in twips (15 a pixel on the
// DIB) zoomed by zoom / 2.
struct Shape {
  const char* what;
  // 0 frame+fill rect, 1 fill rect, 2 horizontal, 3 vertical, 4 slanted, 5 oval, 6 sector,
  // 7 polygon, 8 arc, 9 frame only
  int kind;
  RECT r;
  int pattern;
  QvDashLine dash = QvSolidLine;
  bool exclusive = false;
  int start = 30, sweep = 100;  // sectors and arcs
  int zoom = 0;                 // 0: pixels
  unsigned short pen = 1;
};

void DrawPortable(ModelView& v, const Shape& s) {
  if (s.zoom != 0) {
    v.SetUnitType(QvTwipsUnit);
    v.SetZoomFactor(s.zoom, 2);
  }
  v.QvSetLineWidth(s.pen);
  v.QvSetDashLine(s.dash);
  v.QvSetDrawMode(s.exclusive ? QvXorMode : QvCopyMode);
  v.QvSetPenForeColor(Qv(kPen));
  v.QvSetFillForeColor(Qv(kFill));
  v.QvSetFillPattern(static_cast<QvGUIPattern>(s.pattern));
  const QvRect r(s.r.left, s.r.top, s.r.right, s.r.bottom);
  switch (s.kind) {
    case 0: v.QvDrawRect(r, true, true); break;
    case 1: v.QvDrawRect(r, false, true); break;
    case 2: v.QvDrawLine(QvPoint(r.left, r.top), QvPoint(r.right, r.top)); break;
    case 3: v.QvDrawLine(QvPoint(r.left, r.top), QvPoint(r.left, r.bottom)); break;
    case 4: v.QvDrawLine(QvPoint(r.left, r.top), QvPoint(r.right, r.bottom)); break;
    case 5: v.QvDrawOval(r, true, true); break;
    case 6: v.QvDrawSector(r, static_cast<short>(s.start), static_cast<short>(s.sweep), true, true); break;
    case 7: {
      QvArrayQvPoint pts;
      pts.Add(QvPoint(r.left, r.bottom));
      pts.Add(QvPoint((r.left + r.right) / 2, r.top));
      pts.Add(QvPoint(r.right, r.bottom));
      v.QvDrawPoly(pts, true, true, true);
      break;
    }
    case 8: v.QvDrawArc(r, static_cast<short>(s.start), static_cast<short>(s.sweep)); break;
    case 9: v.QvDrawRect(r, true, false); break;
  }
}

void DrawFramework(TestDrawView& v, const Shape& s) {
  if (s.zoom != 0) {
    v.SetUnitType(QvTwipsUnit);
    v.SetZoomFactor(s.zoom, 2);
  }
  v.QvSetLineWidth(s.pen);
  v.QvSetDashLine(s.dash);
  v.QvSetDrawMode(s.exclusive ? QvXorMode : QvCopyMode);
  v.QvSetPenForeColor(kPen);
  v.QvSetFillForeColor(kFill);
  v.QvSetFillPattern(static_cast<QvGUIPattern>(s.pattern));
  const RECT& r = s.r;
  switch (s.kind) {
    case 0: v.QvDrawRect(r, 1, 1); break;
    case 1: v.QvDrawRect(r, 0, 1); break;
    case 2: v.QvDrawLine(POINT{r.left, r.top}, POINT{r.right, r.top}); break;
    case 3: v.QvDrawLine(POINT{r.left, r.top}, POINT{r.left, r.bottom}); break;
    case 4: v.QvDrawLine(POINT{r.left, r.top}, POINT{r.right, r.bottom}); break;
    case 5: v.QvDrawOval(r, 1, 1); break;
    case 6: v.QvDrawSector(r, static_cast<short>(s.start), static_cast<short>(s.sweep), 1, 1); break;
    case 7: {
      CArray<POINT, POINT> pts;
      pts.Add(POINT{r.left, r.bottom});
      pts.Add(POINT{(r.left + r.right) / 2, r.top});
      pts.Add(POINT{r.right, r.bottom});
      v.QvDrawPoly(pts, 1, 1, 1);
      break;
    }
    case 8: v.QvDrawArc(r, static_cast<short>(s.start), static_cast<short>(s.sweep)); break;
    case 9: v.QvDrawRect(r, 1, 0); break;
  }
}

// A canvas for each view, each view drawing into its own.
struct BothViews {
  DibCanvas mine{100, 100}, theirs{100, 100};
  ModelView portable;
  TestDrawView framework;
  bool Prepare() {
    prepared = mine.valid() && theirs.valid() && portable.PrepareNewDCForDrawing(mine.dc()) &&
               framework.PrepareNewDCForDrawing(theirs.dc(), false);
    return prepared;
  }
  ~BothViews() {
    if (!prepared) return;
    portable.UnprepareCurrentDC();
    framework.UnprepareCurrentDC();
  }
  bool prepared = false;
};

TEST(PortableViewDrawing, SameShapesGiveTheFrameworkViewsPixels) {
  const Shape shapes[] = {
      {"framed and filled rectangle", 0, {10, 10, 60, 40}, 2},
      {"filled rectangle", 1, {5, 50, 70, 90}, 2},
      {"hatched rectangle", 1, {5, 50, 70, 90}, 12},
      {"shaded rectangle", 1, {3, 4, 77, 66}, 5},
      {"horizontal line", 2, {10, 20, 90, 20}, 2},
      {"vertical line", 3, {30, 5, 30, 70}, 2},
      {"slanted line", 4, {5, 5, 90, 60}, 2},
      {"oval", 5, {10, 10, 80, 60}, 2},
      {"sector", 6, {10, 10, 90, 90}, 2},
      {"triangle", 7, {10, 10, 90, 80}, 2},
      {"arc", 8, {10, 10, 90, 70}, 2, QvSolidLine, false, 10, 200},
      {"dotted horizontal line", 2, {10, 20, 90, 20}, 2, QvDottedLine},
      {"dash-dot vertical line", 3, {30, 5, 30, 70}, 2, QvDashDotLine},
      {"exclusive filled rectangle", 1, {5, 50, 70, 90}, 2, QvSolidLine, true},
      // Each bar of a dashed frame takes the dash pattern of its own direction.
      {"dotted frame, filled", 0, {10, 10, 80, 60}, 2, QvDottedLine},
      {"dash-dot frame", 9, {12, 8, 77, 71}, 2, QvDashDotLine},
      {"thick long-dash frame", 9, {12, 8, 77, 71}, 2, QvLongDashLine, false, 30, 100, 0, 3},
      // A frame and its fill in an exclusive mode: every pixel changed once.
      {"exclusive framed and filled rectangle", 0, {10, 10, 60, 40}, 2, QvSolidLine, true},
      {"exclusive hatched framed rectangle", 0, {10, 10, 60, 40}, 12, QvSolidLine, true},
      {"hatched framed rectangle", 0, {3, 4, 77, 66}, 12},
      {"thick framed rectangle", 0, {10, 10, 60, 40}, 2, QvSolidLine, false, 30, 100, 0, 4},
      // Clockwise (negative) sweeps run from their start the other way round.
      {"clockwise sector", 6, {10, 10, 90, 90}, 2, QvSolidLine, false, 30, -100},
      {"clockwise arc", 8, {10, 10, 90, 70}, 2, QvSolidLine, false, 200, -120},
      {"sector by less than a degree's step", 6, {10, 10, 30, 30}, 2, QvSolidLine, false, 45, 0},
      {"dotted oval", 5, {10, 10, 80, 60}, 2, QvDottedLine},
      {"hatched triangle", 7, {10, 10, 90, 80}, 12},
      {"shaded sector", 6, {10, 10, 90, 90}, 5},
      // In twips and zoomed by 3/2 (10 twips a pixel): a top at 15.5 pixels rounds up, the
      // height of 68.9 pixels to 69, so the bottom is 85 where the edge alone would give 84.
      {"zoomed rectangle whose top rounds up", 1, {155, 155, 705, 844}, 2, QvSolidLine, false, 30, 100, 3},
      {"zoomed framed rectangle", 0, {155, 155, 705, 844}, 12, QvSolidLine, false, 30, 100, 3},
      {"zoomed-out oval", 5, {150, 150, 2400, 2250}, 2, QvSolidLine, false, 30, 100, 1},
      {"zoomed triangle", 7, {100, 100, 900, 800}, 2, QvSolidLine, false, 30, 100, 3},
      {"zoomed lines", 4, {100, 100, 900, 777}, 2, QvSolidLine, false, 30, 100, 3},
  };
  ASSERT_TRUE(UIViewPrepareSharedResources());
  for (const Shape& s : shapes) {
    BothViews b;
    ASSERT_TRUE(b.Prepare());
    DrawPortable(b.portable, s);
    DrawFramework(b.framework, s);
    GdiFlush();
    EXPECT_GT(b.mine.CountOtherThan(RGB(255, 255, 255), RECT{0, 0, 100, 100}), 0) << s.what;
    EXPECT_EQ(testing_support::DifferingPixels(b.mine, b.theirs), 0) << s.what;
  }
}

// The view remembers the pen and brush it selected instead of asking the DC before every
// shape. A DC taken through GetDrawingDC may get other objects between two shapes: the next
// shape, the same as the one before, still draws with the view's pen and brush.
TEST(PortableViewDrawing, ShapesAfterTheDCWasLentDrawWithTheViewsObjects) {
  const Shape shapes[] = {
      {"framed and filled rectangle", 0, {10, 10, 40, 40}, 2},
      {"filled rectangle", 1, {10, 10, 40, 40}, 2},
      {"oval", 5, {10, 10, 40, 40}, 2},
      {"hatched framed rectangle", 0, {10, 10, 40, 40}, 12},
  };
  ASSERT_TRUE(UIViewPrepareSharedResources());
  for (const Shape& first : shapes) {
    DibCanvas dib(100, 100);
    ModelView v;
    ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
    DrawPortable(v, first);
    HDC dc = v.GetDrawingDC();
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    Shape second = first;
    second.r = RECT{50, 50, 80, 80};
    DrawPortable(v, second);
    GdiFlush();
    const RECT a = first.r, b = second.r;
    EXPECT_EQ(dib.CountOf(kFill, b), dib.CountOf(kFill, a)) << first.what;
    EXPECT_EQ(dib.CountOf(kPen, b), dib.CountOf(kPen, a)) << first.what;
    EXPECT_GT(dib.CountOf(kFill, b), 0) << first.what;
    v.UnprepareCurrentDC();
  }
}

TEST(PortableViewDrawing, TwipsAndZoomPlaceShapesInPixels) {
  DibCanvas dib(100, 100);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  v.SetUnitType(QvTwipsUnit);  // the DIB's 96 dpi: 15 twips a pixel
  v.SetZoomFactor(2, 1);
  v.QvSetFillForeColor(Qv(kFill));
  v.QvDrawRect(QvRect(150, 150, 300, 300), false, true);  // 10..20 pixels, zoomed to 20..40
  GdiFlush();
  EXPECT_EQ(dib.At(20, 20), kFill);
  EXPECT_EQ(dib.At(39, 39), kFill);
  EXPECT_EQ(dib.At(40, 40), RGB(255, 255, 255));
  EXPECT_EQ(dib.At(19, 25), RGB(255, 255, 255));
  v.UnprepareCurrentDC();
}

// Frames of rectangles thinner than two pen widths stay inside their rectangle in both views
// (a zero-height rectangle paints nothing), paint no pixel twice (an exclusive frame drawn
// once leaves every pixel of it changed), and give the same pixels in both views.
TEST(PortableViewDrawing, ThinFramesStayInsideTheirRectangleInBothViews) {
  const struct {
    const char* what;
    RECT r;
    unsigned short pen;
    bool fill;
    int painted;  // pixels the frame (and fill) covers: the whole rectangle here
  } cases[] = {
      {"zero height", {10, 20, 50, 20}, 2, false, 0},
      {"zero height, pen 1, filled", {10, 20, 50, 20}, 1, true, 0},
      {"one row, pen 1, filled", {10, 20, 50, 21}, 1, true, 40},
      {"one column, pen 1, filled", {20, 10, 21, 50}, 1, true, 40},
      {"zero width", {20, 10, 20, 50}, 2, true, 0},
      {"one row, pen 2", {10, 20, 50, 21}, 2, false, 40},
      {"three rows, pen 2", {10, 20, 50, 23}, 2, true, 120},
      {"three columns, pen 2", {20, 10, 23, 50}, 2, true, 120},
      {"five by five, pen 3", {30, 30, 35, 35}, 3, true, 25},
      {"two by forty, pen 3", {30, 30, 32, 70}, 3, false, 80},
  };
  ASSERT_TRUE(UIViewPrepareSharedResources());
  const COLORREF white = RGB(255, 255, 255);
  for (bool exclusive : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (exclusive ? ", exclusive" : ""));
      BothViews b;
      ASSERT_TRUE(b.Prepare());
      ModelView& portable = b.portable;
      TestDrawView& framework = b.framework;
      portable.QvSetLineWidth(c.pen);
      framework.QvSetLineWidth(c.pen);
      portable.QvSetDrawMode(exclusive ? QvXorMode : QvCopyMode);
      framework.QvSetDrawMode(exclusive ? QvXorMode : QvCopyMode);
      portable.QvSetPenForeColor(Qv(kPen));
      framework.QvSetPenForeColor(kPen);
      portable.QvSetFillForeColor(Qv(kFill));
      framework.QvSetFillForeColor(kFill);
      portable.QvDrawRect(QvRect(c.r.left, c.r.top, c.r.right, c.r.bottom), true, c.fill);
      framework.QvDrawRect(c.r, 1, c.fill ? 1 : 0);
      GdiFlush();
      for (const DibCanvas* canvas : {&b.mine, &b.theirs}) {
        const char* view = canvas == &b.mine ? "portable view" : "framework view";
        EXPECT_EQ(canvas->CountOtherThan(white, RECT{0, 0, 100, 100}), c.painted) << view;
        EXPECT_EQ(canvas->CountOtherThan(white, c.r), c.painted) << view;
      }
      EXPECT_EQ(testing_support::DifferingPixels(b.mine, b.theirs), 0);
    }
  }
}

TEST(PortableViewDrawing, ThickFrameLeavesNoFill) {
  DibCanvas dib(60, 60);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  v.QvSetLineWidth(8);
  v.QvSetPenForeColor(Qv(kPen));
  v.QvSetFillForeColor(Qv(kFill));
  v.QvSetDashLine(QvShortDashLine);  // not one GDI rectangle
  v.QvSetDashLine(QvSolidLine);
  v.QvDrawRect(QvRect(10, 10, 24, 50), true, true);  // 14 wide: the bars meet
  GdiFlush();
  EXPECT_EQ(dib.CountOf(kFill), 0);
  EXPECT_GT(dib.CountOf(kPen), 0);
  v.QvSetLineWidth(0);
  EXPECT_EQ(v.QvGetLineWidth(), 8) << "a width of 0 is ignored";
  v.UnprepareCurrentDC();
}

// An arc or sector whose ellipse has no radius on an axis has no two points to run between:
// nothing is drawn, and the call returns.
TEST(PortableViewDrawing, ArcWithoutRadiusDrawsNothing) {
  DibCanvas dib(60, 60);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  for (const QvRect& r : {QvRect(20, 20, 20, 20), QvRect(20, 20, 21, 40), QvRect(20, 20, 40, 21)}) {
    v.QvDrawArc(r, 0, 90);
    v.QvDrawSector(r, 45, 0, true, true);
  }
  GdiFlush();
  EXPECT_EQ(dib.CountOtherThan(RGB(255, 255, 255), RECT{0, 0, 60, 60}), 0);
  v.QvDrawArc(QvRect(10, 10, 50, 50), 0, 90);
  GdiFlush();
  EXPECT_GT(dib.CountOtherThan(RGB(255, 255, 255), RECT{0, 0, 60, 60}), 0) << "an arc with radii draws";
  v.UnprepareCurrentDC();
}

TEST(PortableViewDrawing, ClipRectanglesLimitDrawing) {
  DibCanvas dib(60, 60);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  v.QvSetFillForeColor(Qv(kFill));
  v.QvSetClipRect(QvRect(0, 0, 30, 60));
  QvRect hole(10, 10, 20, 20);
  v.QvExcludeRectToClip(hole);
  QvClippingRegion* saved = v.QvGetClipRegion();
  v.QvDrawRect(QvRect(0, 0, 60, 60), false, true);
  GdiFlush();
  EXPECT_EQ(dib.At(5, 5), kFill);
  EXPECT_EQ(dib.At(15, 15), RGB(255, 255, 255));
  EXPECT_EQ(dib.At(45, 5), RGB(255, 255, 255));
  v.QvResetClipRect();
  dib.Fill(RGB(255, 255, 255));
  v.QvSetClipRegion(saved);
  v.QvFreeRegion(saved);
  v.QvDrawRect(QvRect(0, 0, 60, 60), false, true);
  GdiFlush();
  EXPECT_EQ(dib.At(15, 15), RGB(255, 255, 255)) << "the saved region holds the hole";
  EXPECT_EQ(dib.At(5, 5), kFill);
  v.UnprepareCurrentDC();
}

TEST(PortableViewDrawing, SelectionInversionEdgesAndBlockMoves) {
  DibCanvas dib(80, 80);
  ModelView v;
  ASSERT_TRUE(v.PrepareNewDCForDrawing(dib.dc()));
  const COLORREF white = RGB(255, 255, 255);
  v.QvInvertRectForSelection(QvRect(10, 10, 20, 20));
  GdiFlush();
  EXPECT_EQ(dib.CountOf(RGB(0, 0, 0)), 100);
  v.QvInvertRectForSelection(QvRect(10, 10, 20, 20));
  GdiFlush();
  EXPECT_EQ(dib.CountOf(white), 80 * 80) << "inverting twice gives the pixels back";
  v.QvSetDrawMode(QvXorMode);
  v.QvDrawSelectionRect(QvRect(30, 30, 60, 50));
  GdiFlush();
  EXPECT_EQ(dib.CountOtherThan(white, RECT{31, 31, 59, 49}), 0) << "only the outline";
  EXPECT_GT(dib.CountOtherThan(white, RECT{30, 30, 60, 50}), 0);
  v.QvDrawSelectionRect(QvRect(30, 30, 60, 50));
  GdiFlush();
  EXPECT_EQ(dib.CountOf(white), 80 * 80) << "a second exclusive outline takes the first back";
  v.QvSetDrawMode(QvCopyMode);
  v.QvSetFillForeColor(Qv(kFill));
  v.QvDrawRect(QvRect(0, 0, 10, 10), false, true);
  v.QvBlockMove(QvRect(0, 0, 10, 10), 50, 60);
  GdiFlush();
  EXPECT_EQ(dib.CountOf(kFill, RECT{50, 60, 60, 70}), 100);
  v.QvDraw3DRect(QvRect(20, 60, 40, 75), true);
  GdiFlush();
  EXPECT_EQ(dib.At(30, 67), GetSysColor(COLOR_3DFACE)) << "the middle of a raised edge";
  v.UnprepareCurrentDC();
}

// ---------------------------------------------------------------------------------------------
// Text

// A fixed-pitch font selected into a DIB so that widths are whole characters.
struct MonoDC {
  DibCanvas dib{200, 100};
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                           L"Courier New");
  HGDIOBJ old = SelectObject(dib.dc(), font);
  int cw = 0;
  MonoDC() {
    SIZE s;
    GetTextExtentPoint32W(dib.dc(), L"a", 1, &s);
    cw = s.cx;
  }
  ~MonoDC() {
    SelectObject(dib.dc(), old);
    DeleteObject(font);
  }
};

std::vector<std::wstring> Lines(const wchar_t* text, int widthInChars, int cw, HDC dc) {
  std::vector<ModelView::TextLine> lines;
  const std::wstring s(text);
  ModelView::LayOutText(dc, s.c_str(), static_cast<int>(s.size()), widthInChars * cw, false, lines);
  std::vector<std::wstring> out;
  for (const ModelView::TextLine& l : lines) out.push_back(s.substr(static_cast<size_t>(l.start), static_cast<size_t>(l.length)));
  return out;
}

TEST(PortableViewText, LinesByTable) {
  MonoDC mono;
  ASSERT_GT(mono.cw, 0);
  SIZE w;
  GetTextExtentPoint32W(mono.dib.dc(), L"W", 1, &w);
  ASSERT_EQ(w.cx, mono.cw) << "the test font is of fixed pitch";
  struct Case {
    const wchar_t* text;
    int width;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"aaa bbb ccc", 7, {L"aaa bbb", L"ccc"}},
      {L"aaa bbb ccc", 20, {L"aaa bbb ccc"}},
      {L"abcdefghij", 4, {L"abcd", L"efgh", L"ij"}},  // a word wider than the rectangle is cut
      {L"ab\ncd", 10, {L"ab", L"cd"}},
      {L"ab\n\rcd", 10, {L"ab", L"cd"}},         // a line feed and the return after it: one break
      {L"ab\r\ncd", 10, {L"ab\r", L"cd"}},       // a return before the line feed stays in the line
      {L"\n\rab", 10, {L"", L"\rab"}},           // a leading line feed consumes only itself
      {L"ab   cd ef", 4, {L"ab", L"cd", L"ef"}},  // blanks before the break are dropped
      {L"abc", 0, {L"", L"", L""}},              // no character fits: an empty line each
  };
  for (const Case& c : cases) {
    // The spaces skipped after a break leave blank-led lines; only what the rule keeps counts.
    std::vector<std::wstring> got = Lines(c.text, c.width, mono.cw, mono.dib.dc());
    for (std::wstring& l : got)
      while (!l.empty() && l[0] == L' ') l.erase(0, 1);
    EXPECT_EQ(got, c.lines) << std::string(c.text, c.text + wcslen(c.text)).c_str();
  }
}

// Text is drawn through a window view re-prepared on a DIB: the font is the portable view's.
struct WindowOnDib {
  ViewWindow w;
  DibCanvas dib{200, 120};
  WindowOnDib() {
    if (!w.ok()) return;
    w.window->PrepareNewDCForDrawing(dib.dc());
    w.view->QvSetFont(QvFont("Arial", 12, 0));
  }
  int LineHeight() {
    TEXTMETRICW tm = {};
    GetTextMetricsW(dib.dc(), &tm);
    return tm.tmHeight;
  }
};

TEST(PortableViewText, NoCharacterFitsDrawsNothingButTakesItsLines) {
  WindowOnDib t;
  ASSERT_TRUE(t.w.ok());
  t.w.view->QvDrawTextInRect("abc", QvRect(10, 10, 11, 100), QvAlignTop, QvAlignLeft, false, 0);
  GdiFlush();
  EXPECT_EQ(t.dib.CountOtherThan(RGB(255, 255, 255), RECT{0, 0, 200, 120}), 0);
  const int h = t.LineHeight();
  ASSERT_GT(h, 0);
  EXPECT_EQ(t.w.view->QvTextHeight("abc", 1, 0), static_cast<unsigned long>(3 * h));
}

TEST(PortableViewText, TextHeightAnswersTheLaidOutHeight) {
  WindowOnDib t;
  ASSERT_TRUE(t.w.ok());
  t.w.view->QvDrawTextInRect("x", QvRect(0, 0, 10, 10), QvAlignTop, QvAlignLeft, false, 0);
  const int h = t.LineHeight();
  ASSERT_GT(h, 0);
  EXPECT_EQ(t.w.view->QvTextHeight("one line", 1000, 0), static_cast<unsigned long>(h));
  EXPECT_EQ(t.w.view->QvTextHeight("one\ntwo\nthree", 1000, 0), static_cast<unsigned long>(3 * h));
  const unsigned long width = t.w.view->QvTextWidth("alpha");
  EXPECT_GT(width, 0u);
  EXPECT_EQ(t.w.view->QvTextHeight("alpha alpha alpha", width + 2, 0), static_cast<unsigned long>(3 * h));
  const QvFontInfo info = t.w.view->QvGetFontInfo();
  EXPECT_EQ(info.ascent + info.descent, h);
}

TEST(PortableViewText, AlignmentsByTable) {
  struct Case {
    QvVerticalAlign va;
    QvHorizontalAlign ha;
    bool inkLeft, inkRight, inkTop, inkBottom;  // ink in each half of the rectangle
  } cases[] = {
      {QvAlignTop, QvAlignLeft, true, false, true, false},
      {QvAlignBottom, QvAlignRight, false, true, false, true},
      {QvAlignVCenter, QvAlignHCenter, true, true, true, true},
  };
  for (const Case& c : cases) {
    WindowOnDib t;
    ASSERT_TRUE(t.w.ok());
    const RECT r = {10, 10, 190, 110};
    t.w.view->QvSetPenForeColor(Qv(RGB(0, 0, 0)));
    t.w.view->QvDrawTextInRect("Wm", QvRect(r.left, r.top, r.right, r.bottom), c.va, c.ha, false, 0);
    GdiFlush();
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(t.dib.CountOtherThan(white, RECT{r.left, r.top, 100, r.bottom}) > 0, c.inkLeft) << c.va << c.ha;
    EXPECT_EQ(t.dib.CountOtherThan(white, RECT{100, r.top, r.right, r.bottom}) > 0, c.inkRight) << c.va << c.ha;
    EXPECT_EQ(t.dib.CountOtherThan(white, RECT{r.left, r.top, r.right, 60}) > 0, c.inkTop) << c.va << c.ha;
    EXPECT_EQ(t.dib.CountOtherThan(white, RECT{r.left, 60, r.right, r.bottom}) > 0, c.inkBottom) << c.va << c.ha;
    EXPECT_EQ(t.dib.CountOtherThan(white, RECT{0, 0, 200, r.top}), 0) << "nothing outside";
  }
}

// Justification stretches every line to the rectangle's width but the last one and those that
// end at a line feed.
TEST(PortableViewText, JustifiedLinesReachTheRightEdgeButTheLastAndParagraphEnds) {
  WindowOnDib t;
  ASSERT_TRUE(t.w.ok());
  const long width = static_cast<long>(t.w.view->QvTextWidth("mmm") * 3);
  const int h = t.LineHeight();
  t.w.view->QvSetPenForeColor(Qv(RGB(0, 0, 0)));
  // Lines: "mmm m mmm" (stretched), "m" (ends at the line feed), two or three words
  // (stretched), then the last one.
  t.w.view->QvDrawTextInRect("mmm m mmm m\nmm m mmm mm mmm", QvRect(0, 0, width, 120), QvAlignTop, QvAlignJustify,
                             false, 0);
  GdiFlush();
  const COLORREF white = RGB(255, 255, 255);
  auto rightmostInk = [&](int line) {
    for (int x = static_cast<int>(width) - 1; x >= 0; --x)
      if (t.dib.CountOtherThan(white, RECT{x, line * h, x + 1, line * h + h}) > 0) return x;
    return -1;
  };
  EXPECT_GE(rightmostInk(0), width - 3) << "a full line is stretched";
  EXPECT_LT(rightmostInk(1), width / 2) << "a line ending at a line feed is not";
  EXPECT_GE(rightmostInk(2), width - 3);
  EXPECT_LT(rightmostInk(3), width - 8) << "the last line is not";
}

TEST(PortableViewText, VerticalTextRectanglesAndStacks) {
  WindowOnDib t;
  ASSERT_TRUE(t.w.ok());
  QvRect r(5, 5, 50, 50);
  t.w.view->QvGetVertTextRect(r, "Total", QvVertUp);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(static_cast<unsigned long>(r.bottom), t.w.view->QvTextWidth("Total")) << "the extent turned";
  EXPECT_EQ(r.right, t.LineHeight());
  t.w.view->QvGetVertTextRect(r, "abc", QvVertStacked);
  EXPECT_EQ(r.bottom, 3 * t.LineHeight());
  // Stacked characters go down the rectangle one a line.
  t.w.view->QvSetPenForeColor(Qv(RGB(0, 0, 0)));
  t.w.view->QvDrawVertTextInRect("WWW", QvRect(10, 10, 40, 110), QvAlignTop, QvAlignLeft, QvVertStacked);
  GdiFlush();
  const COLORREF white = RGB(255, 255, 255);
  const int h = t.LineHeight();
  for (int i = 0; i < 3; ++i)
    EXPECT_GT(t.dib.CountOtherThan(white, RECT{10, 10 + i * h, 40, 10 + (i + 1) * h}), 0) << i;
  EXPECT_EQ(t.dib.CountOtherThan(white, RECT{10, 10 + 3 * h, 40, 110}), 0);
}

// ---------------------------------------------------------------------------------------------
// Invalidation and metafiles

// Paint and erase messages reaching one window, counted by a thread hook.
struct PaintCounter {
  static HWND s_window;
  static int s_paints, s_erases;
  HHOOK hook;
  explicit PaintCounter(HWND w) {
    s_window = w;
    s_paints = s_erases = 0;
    hook = SetWindowsHookExW(WH_CALLWNDPROC, Proc, NULL, GetCurrentThreadId());
  }
  ~PaintCounter() { UnhookWindowsHookEx(hook); }
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->hwnd == s_window) {
      s_paints += m->message == WM_PAINT;
      s_erases += m->message == WM_ERASEBKGND;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
  }
};
HWND PaintCounter::s_window = NULL;
int PaintCounter::s_paints = 0;
int PaintCounter::s_erases = 0;

// UpdateWindow paints at once; the background is erased only when the invalidation asked.
TEST(PortableViewWindow, InvalRectHonoursItsEraseFlag) {
  for (bool erase : {false, true}) {
    ViewWindow w;
    ASSERT_TRUE(w.ok());
    UpdateWindow(w.hwnd());
    ValidateRect(w.hwnd(), NULL);
    PaintCounter count(w.hwnd());
    w.view->QvInvalRect(QvRect(10, 10, 50, 50), erase);
    UpdateWindow(w.hwnd());
    EXPECT_EQ(PaintCounter::s_paints, 1);
    EXPECT_EQ(PaintCounter::s_erases, erase ? 1 : 0) << erase;
  }
}

TEST(PortableViewWindow, PaintingDrawsTheUpdatedImageRectangle) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  QvRect asked;
  w.view->draw = [&](FunctionView&, const QvRect& r) { asked = r; };
  w.view->SetImageSize(QvSize(1000, 1000), false);
  UpdateWindow(w.hwnd());
  ValidateRect(w.hwnd(), NULL);
  w.view->ScrollBy(QvSize(100, 0), true);
  const int before = w.view->draws;
  w.view->QvInvalRect(QvRect(120, 10, 140, 30), false);
  UpdateWindow(w.hwnd());
  EXPECT_GT(w.view->draws, before);
  EXPECT_LE(asked.left, 120);
  EXPECT_GE(asked.right, 140);
}

// The window's own DC stays prepared between paints, and GetDC gives that same DC to anyone
// meanwhile: a paint after another selected its own brush into it fills with the view's brush.
TEST(PortableViewWindow, APaintFillsWithTheViewsBrushAfterOthersUsedTheOwnDC) {
  ViewWindow w;
  ASSERT_TRUE(w.ok());
  HDC own = GetDC(w.hwnd());
  ASSERT_NE(own, static_cast<HDC>(NULL));
  HGDIOBJ afterFill = NULL;
  w.view->draw = [&](FunctionView& v, const QvRect&) {
    v.QvSetFillForeColor(Qv(kFill));
    v.QvDrawRect(QvRect(5, 5, 60, 40), false, true);
    afterFill = GetCurrentObject(own, OBJ_BRUSH);
  };
  w.view->SetImageSize(QvSize(1000, 1000), false);
  InvalidateRect(w.hwnd(), NULL, FALSE);
  UpdateWindow(w.hwnd());
  const HGDIOBJ viewsBrush = afterFill;
  ASSERT_NE(viewsBrush, static_cast<HGDIOBJ>(NULL)) << "the first paint filled";
  ASSERT_NE(viewsBrush, GetStockObject(WHITE_BRUSH));
  SelectObject(own, GetStockObject(WHITE_BRUSH));
  afterFill = NULL;
  InvalidateRect(w.hwnd(), NULL, FALSE);
  UpdateWindow(w.hwnd());
  EXPECT_EQ(afterFill, viewsBrush);
  ReleaseDC(w.hwnd(), own);
}

// The metafile's window extent is the image in pixels: a twips image through its twips per
// pixel, a pixel image as it is.
TEST(PortableViewWindow, MetafileExtentIsTheImageInPixels) {
  for (bool twips : {false, true}) {
    ViewWindow w;
    ASSERT_TRUE(w.ok());
    SIZE extent = {0, 0};
    w.view->draw = [&](FunctionView& v, const QvRect&) {
      GetWindowExtEx(v.GetPlatformView()->GetDrawingDC(), &extent);
    };
    if (twips) w.view->SetUnitType(QvTwipsUnit);
    const long k = twips ? 15 : 1;
    HDC meta = CreateEnhMetaFileW(NULL, NULL, NULL, NULL);
    ASSERT_NE(meta, static_cast<HDC>(NULL));
    w.view->QvDrawInMetafileDC(QvRect(0, 0, 200 * k, 100 * k), QvRect(0, 0, 400, 200), CDC::FromHandle(meta));
    DeleteEnhMetaFile(CloseEnhMetaFile(meta));
    EXPECT_EQ(extent.cx, 200) << twips;
    EXPECT_EQ(extent.cy, 100) << twips;
    EXPECT_NE(w.window->GetDrawingDC(), static_cast<HDC>(NULL)) << "the window's DC is prepared again";
  }
}

}  // namespace

namespace {

void DrawEverything(FunctionView& v) {
  v.QvBeginUse();
  v.QvSetFillForeColor(Qv(kFill));
  v.QvSetPenForeColor(Qv(kPen));
  for (int pattern : {2, 5, 12}) {
    v.QvSetFillPattern(static_cast<QvGUIPattern>(pattern));
    v.QvDrawRect(QvRect(5, 5, 60, 40), true, true);
    v.QvDrawOval(QvRect(5, 5, 60, 40), true, true);
  }
  for (QvDashLine dash : {QvSolidLine, QvShortDashLine, QvDashDotLine}) {
    v.QvSetDashLine(dash);
    v.QvSetLineWidth(3);
    v.QvDrawLine(QvPoint(0, 0), QvPoint(50, 70));
    v.QvDrawArc(QvRect(10, 10, 80, 60), 0, 120);
  }
  QvRect clip(0, 0, 50, 50);
  v.QvSetClipRect(clip);
  QvClippingRegion* region = v.QvGetClipRegion();
  v.QvSetClipRegion(region);
  v.QvFreeRegion(region);
  v.QvResetClipRect();
  v.QvSetFont(QvFont("Arial", 10, QVFONT_BOLD));
  v.QvDrawTextInRect("Totals by region", QvRect(0, 0, 60, 80), QvAlignTop, QvAlignJustify, false, 0);
  for (QvVertDrawStyle style : {QvVertUp, QvVertDown, QvVertStacked})
    v.QvDrawVertTextInRect("Total", QvRect(0, 0, 80, 80), QvAlignVCenter, QvAlignHCenter, style);
  v.QvSetBackgroundColor(Qv(RGB(250, 250, 240)));
}

}  // namespace

// Views made, drawn in every way, zoomed and destroyed leave no GDI object and no window.
TEST(PortableViewWindow, NothingIsLeftAfterTheWindowGoes) {
  auto round = [] {
    ViewWindow w;
    if (!w.ok()) return false;
    w.view->draw = [](FunctionView& v, const QvRect&) { DrawEverything(v); };
    w.view->SetImageSize(QvSize(500, 500), false);
    UpdateWindow(w.hwnd());
    DrawEverything(*w.view);
    w.view->SetZoomFactor(3, 2);
    DrawEverything(*w.view);
    DibCanvas dib(50, 50);
    w.window->PrepareNewDCForDrawing(dib.dc());
    DrawEverything(*w.view);
    w.window->UnprepareCurrentDC();
    return true;
  };
  // The first round makes what is made once: the window class, the shared patterns and
  // palette, the scroll bars' own objects.
  ASSERT_TRUE(round());
  const testing_support::GuiCounts before = testing_support::GuiCounts::Now();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(round());
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}
