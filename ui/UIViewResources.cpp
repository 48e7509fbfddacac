// Drawing resources shared by every GDI view of the process: the fill patterns, the dash
// patterns and the palette. Made by the first view that needs them, freed at unload.
#include "UIModule.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <new>
#include <vector>

namespace {

enum { kFillPatternsBitmap = 260, kDashPatternsBitmap = 259 };

BrushArrayRec* s_fillPatterns = NULL;
BrushArrayRec* s_dashPatterns = NULL;
CPalette* s_palette = NULL;

// The sixteen standard colours, the 6 x 6 x 6 colour cube without its corners (they are among
// the standard colours) and five more greys: 229 entries.
CPalette* MakeSharedPalette() {
  static const COLORREF kStandard[16] = {
      RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
      RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
      RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
  static const BYTE kGreys[] = {32, 64, 96, 160, 224};
  std::vector<PALETTEENTRY> entries;
  for (COLORREF c : kStandard) entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
  for (int i = 0; i < 216; ++i) {
    const int r = i / 36, g = i / 6 % 6, b = i % 6;
    const bool corner = (r == 0 || r == 5) && (g == 0 || g == 5) && (b == 0 || b == 5);
    if (!corner)
      entries.push_back({static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51), 0});
  }
  for (BYTE grey : kGreys) entries.push_back({grey, grey, grey, 0});

  std::vector<BYTE> memory(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(entries.size());
  std::copy(entries.begin(), entries.end(), lp->palPalEntry);
  CPalette* palette = new (std::nothrow) CPalette;
  if (palette != NULL && !palette->CreatePalette(lp)) {
    delete palette;
    palette = NULL;
  }
  return palette;
}

}  // namespace

// The library's own strips, even when the host has bitmaps of the same ids.
BOOL UIViewPrepareSharedResources() {
  if (s_fillPatterns == NULL) s_fillPatterns = LoadPatterns(UIViewDLL.hModule, kFillPatternsBitmap);
  if (s_dashPatterns == NULL) s_dashPatterns = LoadPatterns(UIViewDLL.hModule, kDashPatternsBitmap);
  if (s_palette == NULL) s_palette = MakeSharedPalette();
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
