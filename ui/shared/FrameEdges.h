// The edges of a frame drawn inside a rectangle with bars of a pen width: each edge is at most
// as thick as what the edges before it left of the rectangle, so the frame never paints
// outside the rectangle and no pixel twice (an exclusive draw mode would take it back). Both
// drawing views frame their rectangles by it.
#pragma once

struct FrameEdges {
  int left, right, top, bottom;  // thickness of each bar (0: no bar)
  int innerWidth, innerHeight;   // what the bars leave inside (0 or less: no inside to fill)
};

// Width and height of the rectangle in pixels, pen the bar thickness asked for.
inline FrameEdges FrameEdgesInside(int pen, int width, int height) {
  auto clamped = [pen](int room) { return room <= 0 ? 0 : pen < room ? pen : room; };
  FrameEdges e;
  e.left = clamped(width);
  e.right = clamped(width - e.left);
  e.top = clamped(height);
  e.bottom = clamped(height - e.top);
  e.innerWidth = width - e.left - e.right;
  e.innerHeight = height - e.top - e.bottom;
  return e;
}
