// The drawing view against plain GDI on the same 32-bit DIB section, in one run:
// - 100,000 framed and filled rectangles and 100,000 lines (horizontal, vertical, slanted),
//   given to the view in twips at 96 dpi so that every coordinate goes through its
//   conversions, and drawn straight with PatBlt / LineTo and the equivalent brushes and pen;
// - a document of 1,000,000 rectangles drawn through a small culling rectangle, against
//   drawing only its visible rectangles.
// The run ends with the ratios.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UIView.h>

#include "../../tests/support/test_view.h"
#include "bench_surface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const int kTwipsPerPixel = 15;  // twips units at 96 dpi
const int kShapes = 100000;
const COLORREF kFill = RGB(0x30, 0x80, 0xC0);
const COLORREF kFills[8] = {RGB(0xFF, 0xE0, 0xE0), RGB(0xE0, 0xFF, 0xE0), RGB(0xE0, 0xE0, 0xFF), RGB(0xFF, 0xFF, 0xC0),
                            RGB(0xC0, 0xFF, 0xFF), RGB(0xFF, 0xC0, 0xFF), RGB(0xD0, 0xD0, 0xD0), kFill};

// A view prepared on a DIB: twips units, the DIB's 96 dpi, default attributes.
struct ViewOnDib {
  Dib dib{kWidth, kHeight};
  TestDrawView view{UIVIEW_TWIPS};
  bool ready = false;
  ViewOnDib() { ready = dib.valid() && UIViewPrepareSharedResources() && view.PrepareNewDCForDrawing(dib.dc(), false); }
  ~ViewOnDib() {
    if (ready) view.UnprepareCurrentDC();
  }
};

RECT ToImage(const RECT& px) {
  return RECT{px.left * kTwipsPerPixel, px.top * kTwipsPerPixel, px.right * kTwipsPerPixel,
              px.bottom * kTwipsPerPixel};
}
POINT ToImage(POINT px) { return POINT{px.x * kTwipsPerPixel, px.y * kTwipsPerPixel}; }

struct Shape {
  RECT px;     // what raw GDI draws
  RECT image;  // what the view is given
  COLORREF fill;
};

// Cells of a report: 6 to 80 pixels wide, 6 to 30 high, anywhere on the canvas.
const std::vector<Shape>& Rectangles() {
  static const std::vector<Shape> shapes = [] {
    std::vector<Shape> v(kShapes);
    std::mt19937 rng(11);
    for (int i = 0; i < kShapes; ++i) {
      int w = 6 + static_cast<int>(rng() % 75), h = 6 + static_cast<int>(rng() % 25);
      int x = static_cast<int>(rng() % (kWidth - w)), y = static_cast<int>(rng() % (kHeight - h));
      v[i].px = RECT{x, y, x + w, y + h};
      v[i].image = ToImage(v[i].px);
      v[i].fill = kFills[rng() % 8];
    }
    return v;
  }();
  return shapes;
}

struct Segment {
  POINT a, b;    // pixels
  POINT ia, ib;  // twips
};

// Two fifths horizontal, two fifths vertical, one fifth slanted; 10 to 200 pixels long.
const std::vector<Segment>& Lines() {
  static const std::vector<Segment> lines = [] {
    std::vector<Segment> v(kShapes);
    std::mt19937 rng(23);
    for (int i = 0; i < kShapes; ++i) {
      int len = 10 + static_cast<int>(rng() % 191);
      int x = static_cast<int>(rng() % (kWidth - len)), y = static_cast<int>(rng() % (kHeight - 200));
      Segment& s = v[i];
      s.a = POINT{x, y};
      switch (i % 5) {
        case 0: case 1: s.b = POINT{x + len, y}; break;
        case 2: case 3: s.b = POINT{x, y + len}; break;
        default: s.b = POINT{x + len, y + static_cast<int>(rng() % 200)}; break;
      }
      if (rng() & 1) std::swap(s.a, s.b);  // both directions
      s.ia = ToImage(s.a);
      s.ib = ToImage(s.b);
    }
    return v;
  }();
  return lines;
}

// Raw GDI: the frame (one pixel) and the inside as the view paints them.
void RawRect(HDC dc, const RECT& r, HBRUSH frame, HBRUSH fill) {
  int h = r.bottom - r.top, inner = r.right - r.left - 2;
  SelectObject(dc, frame);
  PatBlt(dc, r.left, r.top, 1, h, PATCOPY);
  PatBlt(dc, r.right - 1, r.top, 1, h, PATCOPY);
  PatBlt(dc, r.left + 1, r.top, inner, 1, PATCOPY);
  PatBlt(dc, r.left + 1, r.bottom - 1, inner, 1, PATCOPY);
  SelectObject(dc, fill);
  PatBlt(dc, r.left + 1, r.top + 1, inner, h - 2, PATCOPY);
}

// Raw GDI: one-pixel lines with the black brush (straight) and the black pen (slanted), both
// selected by the caller; the lower or right end point is excluded, as with a pen.
void RawLine(HDC dc, const Segment& s) {
  if (s.a.y == s.b.y) {
    PatBlt(dc, std::min(s.a.x, s.b.x), s.a.y, std::abs(s.b.x - s.a.x), 1, PATCOPY);
  } else if (s.a.x == s.b.x) {
    PatBlt(dc, s.a.x, std::min(s.a.y, s.b.y), 1, std::abs(s.b.y - s.a.y), PATCOPY);
  } else {
    MoveToEx(dc, s.a.x, s.a.y, NULL);
    LineTo(dc, s.b.x, s.b.y);
  }
}

void DrawRectsRaw(HDC dc, size_t count, bool colours, HBRUSH const* fills) {
  const std::vector<Shape>& shapes = Rectangles();
  HBRUSH frame = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  HGDIOBJ old = GetCurrentObject(dc, OBJ_BRUSH);
  for (size_t i = 0; i < count; ++i) {
    const Shape& s = shapes[i];
    RawRect(dc, s.px, frame, colours ? fills[std::find(kFills, kFills + 8, s.fill) - kFills] : fills[7]);
  }
  SelectObject(dc, old);
}

void DrawRectsView(CMFCUIView& view, size_t count, bool colours) {
  const std::vector<Shape>& shapes = Rectangles();
  view.QvSetFillForeColor(kFill);
  for (size_t i = 0; i < count; ++i) {
    const Shape& s = shapes[i];
    if (colours) view.QvSetFillForeColor(s.fill);
    view.QvDrawRect(s.image, 1, 1);
  }
}

void DrawLinesRaw(HDC dc, size_t count) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  const std::vector<Segment>& lines = Lines();
  for (size_t i = 0; i < count; ++i) RawLine(dc, lines[i]);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawLinesView(CMFCUIView& view, size_t count) {
  const std::vector<Segment>& lines = Lines();
  for (size_t i = 0; i < count; ++i) view.QvDrawLine(lines[i].ia, lines[i].ib);
}

// The eight solid brushes of the fill colours, as a careful GDI program keeps them.
struct FillBrushes {
  HBRUSH brushes[8];
  FillBrushes() {
    for (int i = 0; i < 8; ++i) brushes[i] = CreateSolidBrush(kFills[i]);
  }
  ~FillBrushes() {
    for (HBRUSH b : brushes) DeleteObject(b);
  }
};

enum class Scene { Rects, ColourRects, Lines };

// The first `count` shapes of the scene, through the view when there is one, else with raw GDI.
void DrawScene(Scene scene, size_t count, CMFCUIView* view, HDC raw, HBRUSH const* fills) {
  switch (scene) {
    case Scene::Rects:
    case Scene::ColourRects:
      if (view) DrawRectsView(*view, count, scene == Scene::ColourRects);
      else DrawRectsRaw(raw, count, scene == Scene::ColourRects, fills);
      break;
    case Scene::Lines:
      if (view) DrawLinesView(*view, count);
      else DrawLinesRaw(raw, count);
      break;
  }
}

// Pixels that differ between the view's drawing and the raw drawing of the first shapes.
size_t PixelDifferences(Scene scene) {
  const size_t sample = 5000;
  ViewOnDib v;
  Dib raw(kWidth, kHeight);
  FillBrushes fills;
  if (!v.ready || !raw.valid()) return static_cast<size_t>(-1);
  DrawScene(scene, sample, &v.view, NULL, fills.brushes);
  DrawScene(scene, sample, nullptr, raw.dc(), fills.brushes);
  return v.dib.DifferingPixels(raw);
}

// The scene's 100,000 shapes each iteration; the view's row also counts the pixels in which
// its drawing differs from the raw one.
void RunScene(benchmark::State& state, Scene scene, bool throughView) {
  ViewOnDib v;
  if (!v.ready) return state.SkipWithError("the view could not be prepared on the DIB");
  Dib raw(kWidth, kHeight);
  FillBrushes fills;
  for (auto _ : state) DrawScene(scene, kShapes, throughView ? &v.view : nullptr, raw.dc(), fills.brushes);
  state.SetItemsProcessed(state.iterations() * kShapes);
  if (throughView) state.counters["differing_px"] = static_cast<double>(PixelDifferences(scene));
}

void BM_Rects_View(benchmark::State& state) { RunScene(state, Scene::Rects, true); }
void BM_Rects_Raw(benchmark::State& state) { RunScene(state, Scene::Rects, false); }
// Every rectangle with its own fill colour out of eight.
void BM_ColourRects_View(benchmark::State& state) { RunScene(state, Scene::ColourRects, true); }
void BM_ColourRects_Raw(benchmark::State& state) { RunScene(state, Scene::ColourRects, false); }
void BM_Lines_View(benchmark::State& state) { RunScene(state, Scene::Lines, true); }
void BM_Lines_Raw(benchmark::State& state) { RunScene(state, Scene::Lines, false); }

BENCHMARK(BM_Rects_View)->Name("uiview/Rects/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rects_Raw)->Name("uiview/Rects/Raw")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourRects_View)->Name("uiview/ColourRects/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourRects_Raw)->Name("uiview/ColourRects/Raw")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines_View)->Name("uiview/Lines/View")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines_Raw)->Name("uiview/Lines/Raw")->Unit(benchmark::kMillisecond);

// Culling: a grid of 1,000 x 1,000 cells of 96 x 24 pixels (90 x 20 drawn), scrolled to its
// middle and seen through a culling rectangle of the argument's width (three quarters as high).
const int kGridSide = 1000;
const int kCellWidth = 96;
const int kCellHeight = 24;
const POINT kGridScroll = {kGridSide * kCellWidth / 2, kGridSide * kCellHeight / 2};

const std::vector<RECT>& Grid() {
  static const std::vector<RECT> cells = [] {
    std::vector<RECT> v;
    v.reserve(static_cast<size_t>(kGridSide) * kGridSide);
    for (int row = 0; row < kGridSide; ++row)
      for (int col = 0; col < kGridSide; ++col)
        v.push_back(ToImage(RECT{col * kCellWidth, row * kCellHeight, col * kCellWidth + 90, row * kCellHeight + 20}));
    return v;
  }();
  return cells;
}

// The cells that meet the culling rectangle, worked out in pixels without the view.
std::vector<RECT> VisibleCells(const RECT& cull) {
  std::vector<RECT> visible;
  for (const RECT& image : Grid()) {
    RECT px{image.left / kTwipsPerPixel - kGridScroll.x, image.top / kTwipsPerPixel - kGridScroll.y,
            image.right / kTwipsPerPixel - kGridScroll.x, image.bottom / kTwipsPerPixel - kGridScroll.y};
    if (px.left > cull.right || px.top > cull.bottom || px.right < cull.left || px.bottom <= cull.top) continue;
    visible.push_back(image);
  }
  return visible;
}

RECT CullingRect(benchmark::State& state) {
  int width = static_cast<int>(state.range(0));
  return RECT{0, 0, width, width * 3 / 4};
}

// Draws the rectangles (all of the document, or only its visible ones) through the view with
// culling on.
void DrawThroughCulling(benchmark::State& state, bool wholeDocument) {
  ViewOnDib v;
  if (!v.ready) return state.SkipWithError("the view could not be prepared on the DIB");
  RECT cull = CullingRect(state);
  v.view.SetScroll(kGridScroll.x, kGridScroll.y);
  v.view.SetModeFlags(UIVIEW_CULLING, 0);
  v.view.SetCullingRect(cull);
  std::vector<RECT> visible = VisibleCells(cull);
  const std::vector<RECT>& rects = wholeDocument ? Grid() : visible;
  for (auto _ : state)
    for (const RECT& r : rects) v.view.QvDrawRect(r, 1, 1);
  state.counters["rects"] = static_cast<double>(rects.size());
  state.counters["visible"] = static_cast<double>(visible.size());
}

void BM_Culling_WholeDocument(benchmark::State& state) { DrawThroughCulling(state, true); }
void BM_Culling_VisibleOnly(benchmark::State& state) { DrawThroughCulling(state, false); }

BENCHMARK(BM_Culling_WholeDocument)
    ->Name("uiview/Culling/WholeDocument")
    ->Arg(1024)
    ->Arg(256)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Culling_VisibleOnly)
    ->Name("uiview/Culling/VisibleOnly")
    ->Arg(1024)
    ->Arg(256)
    ->Unit(benchmark::kMillisecond);

// Prints the usual table and remembers each benchmark's CPU time per iteration (steadier than
// wall time on a shared machine; everything here runs on the one thread) and counters.

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* kind : {"Rects", "ColourRects", "Lines"}) {
    std::string view = std::string("uiview/") + kind + "/View", raw = std::string("uiview/") + kind + "/Raw";
    if (!reporter.Has(view, raw)) continue;
    printf("%s: view / raw GDI = %.2fx (%.0f ns against %.0f ns of CPU a shape)\n", kind,
           reporter.times[view] / reporter.times[raw], reporter.times[view] / kShapes, reporter.times[raw] / kShapes);
  }
  for (const char* width : {"1024", "256"}) {
    std::string all = std::string("uiview/Culling/WholeDocument/") + width,
                visible = std::string("uiview/Culling/VisibleOnly/") + width;
    if (!reporter.Has(all, visible)) continue;
    double rects = reporter.counters[all]["rects"], shown = reporter.counters[visible]["rects"];
    double perShown = reporter.times[visible] / shown;
    double perCulled = (reporter.times[all] - reporter.times[visible]) / (rects - shown);
    printf("Culling %s px wide: %.0f of %.0f rectangles visible; whole document / visible only = %.2fx "
           "(%.1f ns a culled rectangle, %.0f ns a drawn one)\n",
           width, shown, rects, reporter.times[all] / reporter.times[visible], perCulled, perShown);
  }
  benchmark::Shutdown();
  return 0;
}
