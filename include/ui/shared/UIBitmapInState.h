// A bitmap drawn in a rectangle in a display mode and with state bits; both sides of the
// library draw images this way (the portable image control, the drawing view).
#pragma once
#include <fw_gdi.h>

#include "quarnel_api.h"

// Display modes.
enum QvImageDisplayMode {
  QvImageClip = 1,     // drawn at the top-left corner, clipped to the rectangle
  QvImageStretch = 2,  // stretched to the rectangle
  QvImageFit = 3,      // natural size; the control is sized to the image
  QvImageCentre = 4,   // natural size, centred
};

// State bits of DrawBitmapInState (and of DrawImageInState).
const unsigned int QvDrawPair = 0x01;       // left half image, right half mask
const unsigned int QvDrawHighlight = 0x04;  // 2-pixel highlight frame inside the rectangle
const unsigned int QvDrawDisabled = 0x10;   // embossed disabled look (pair images only)
const unsigned int QvDrawFillFace = 0x20;   // fill the rectangle with the button face first

// Draws the bitmap in the rectangle by the display mode and state bits (the DC's own bitmap may
// not be passed). Nothing for a null DC, rectangle or bitmap.
QUARNEL_API void DrawBitmapInState(CDC* dc, RECT* rect, HBITMAP bitmap, int display, unsigned int state);
