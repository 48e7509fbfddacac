// The drawing resources that the portable start-up makes for the views: two sets of 8 x 8
// pattern brushes cut from the library's monochrome bitmap strips, and a palette for
// palette-index colours.
#pragma once
#include "UIUtilities.h"

// Resources of the library: the strips of fill patterns and of line patterns.
enum { IDB_GUI_FILL_PATTERNS = 260, IDB_GUI_LINE_PATTERNS = 261 };

// The fill patterns, the line patterns and the palette while the platform part is started;
// null otherwise.
BrushArrayRec* GUIGetFillPatterns();
BrushArrayRec* GUIGetLinePatterns();
CPalette* GUIGetPalette();

// A new palette of the library's fixed colours (the caller owns it); NULL when it cannot be
// made.
CPalette* MakeLibraryPalette();
