// Solid colours that stand in for the shading fill patterns where patterns cannot be used
// (printers and metafiles).
#pragma once
#include "quarnel_api.h"

#include <windows.h>

// The colour of fill pattern `level` (a QvGUIPattern value) drawn with the given back and fore
// colours: level 1 the back colour, 2 the fore colour, 3 to 8 the per-channel mix
// back * w + fore * (1 - w), w = 1/4, 1/2, 3/4, 7/8, 15/16, 31/32 (each channel truncated).
// Answers 1 with the colour in *out; any other level (or a NULL out) answers 0 and leaves *out
// unchanged.
QUARNEL_API int BlendFillColors(COLORREF back, COLORREF fore, int level, COLORREF* out);

// White stays white; any other colour becomes its grey level 0.30 R + 0.59 G + 0.11 B (used for
// output to devices of fewer than three colours).
QUARNEL_API COLORREF ColorToGray(COLORREF c);
