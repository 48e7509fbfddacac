// The drawing resources all tile controls share (made by TileControl::InitControlStatics).
#pragma once
#include <UIHandles.h>
#include <windows.h>

namespace tilelook {
const int kColours = 14;
// "Colour n" and "brush n" of the drawing: system colours by index.
extern COLORREF s_colours[kColours];
extern uih::OwnedBrush s_brushes[kColours];
extern uih::OwnedFont s_controlFont;
// The 8-pixel arrows: image 0 left, image 1 right.
extern uih::OwnedBitmap s_bitmapsList;
}  // namespace tilelook
