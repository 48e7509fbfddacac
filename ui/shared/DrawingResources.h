// The drawing resources both sides share: the pattern sets cut from the library's own strips
// and the palette of the library's fixed colours. They have one owner in the process; each
// side holds them while it draws, and the last side to let go frees them.
#pragma once
#include "UIUtilities.h"

#include <framework.h>

namespace quarnel {

// Who holds the resources; each holder counts once however often it asks.
enum DrawingResourceHolder : unsigned {
  kFrameworkViews = 0x1,  // the GDI drawing views, from their first preparation to unload
  kPortableLayer = 0x2,   // the portable layer's platform part while it is started
  kPortableViews = 0x4,   // the portable drawing views, from their first preparation to unload
};

// Records the holder and makes whatever is still missing (an earlier failure is tried
// again). True when every pattern set has patterns and the palette is made.
bool HoldDrawingResources(DrawingResourceHolder holder);
// Drops the holder; when no holder is left everything is freed.
void ReleaseDrawingResources(DrawingResourceHolder holder);

// The sets and the palette while held and made; null otherwise. Owned here: callers never
// free them.
BrushArrayRec* FillPatterns();
BrushArrayRec* DashPatterns();
BrushArrayRec* LineWidthPatterns();
CPalette* LibraryPalette();
// A DIB section of w x h at the depth (bottom-up), the colour table of a depth of 8 bits or
// less taken from the library palette; NULL when it cannot be made.
HBITMAP PaletteSection(HDC dc, int w, int h, unsigned short bits);

}  // namespace quarnel
