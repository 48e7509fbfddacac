// The drawing resources that the portable start-up holds for the views: the fill patterns,
// the line patterns and the palette of the library's fixed colours (their one owner is the
// shared drawing resources).
#pragma once
#include "UIUtilities.h"

#include <framework.h>

// The fill patterns, the line patterns and the palette while the platform part is started;
// null otherwise.
BrushArrayRec* GUIGetFillPatterns();
BrushArrayRec* GUIGetLinePatterns();
CPalette* GUIGetPalette();
