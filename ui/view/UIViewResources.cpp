// Drawing resources shared by every GDI view of the process: the fill patterns, the dash
// patterns and the palette. Made by the first view that needs them, freed at unload.
#include "UIModule.h"
#include "UIUtilities.h"
#include "UIView.h"
#include "GUIPatterns.h"

namespace {

enum { kFillPatternsBitmap = 260, kDashPatternsBitmap = 259 };

BrushArrayRec* s_fillPatterns = NULL;
BrushArrayRec* s_dashPatterns = NULL;
CPalette* s_palette = NULL;

}  // namespace

// The library's own strips, even when the host has bitmaps of the same ids.
BOOL UIViewPrepareSharedResources() {
  if (s_fillPatterns == NULL) s_fillPatterns = LoadPatterns(UIViewDLL.hModule, kFillPatternsBitmap);
  if (s_dashPatterns == NULL) s_dashPatterns = LoadPatterns(UIViewDLL.hModule, kDashPatternsBitmap);
  if (s_palette == NULL) s_palette = MakeLibraryPalette();
  return s_fillPatterns != NULL && s_fillPatterns->nBrushes > 0 && s_dashPatterns != NULL &&
         s_dashPatterns->nBrushes > 0 && s_palette != NULL;
}

void UIViewReleaseSharedResources() {
  DeletePatterns(s_fillPatterns);
  s_fillPatterns = NULL;
  DeletePatterns(s_dashPatterns);
  s_dashPatterns = NULL;
  delete s_palette;
  s_palette = NULL;
}

BrushArrayRec* UIViewFillPatterns() { return s_fillPatterns; }
BrushArrayRec* UIViewDashPatterns() { return s_dashPatterns; }
CPalette* UIViewPalette() { return s_palette; }
