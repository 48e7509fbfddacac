// Value types and enumerations of the drawing views.
#pragma once
#include "QvDrawingTypes.h"
#include "quarnel_api.h"

#include <solvane.h>

// 0 printed; 1 failed, refused or cancelled during printing; 2 cancelled in the print-to-file
// dialog.
enum UIPrintResult { UIPrinted = 0, UIPrintFailed = 1, UIPrintFileCancelled = 2 };

// A font of the drawing views: style bits (bold 1, italic 2, underline 4, strike-out 8), size
// in points and face name. Equal when all three are equal (faces compared as UTF-8).
struct QUARNEL_API UIFont {
  unsigned short style = 0;
  short size = 0;
  ucs2string face;

  bool operator==(const UIFont& other) const;
  bool operator!=(const UIFont& other) const { return !(*this == other); }
};

// Metrics of the current font, in image units.
struct UIFontInfo {
  unsigned short ascent;
  unsigned short descent;
  unsigned short externalLeading;
  unsigned short maxCharWidth;
};
