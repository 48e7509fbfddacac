#include "DrawingResources.h"

#include "SharedBitmaps.h"
#include "UITrace.h"

#include <new>
#include <vector>

namespace quarnel {

namespace {

UlmLogger s_log("DrawingResources");
unsigned s_holders = 0;
BrushArrayRec* s_fillPatterns = NULL;
BrushArrayRec* s_dashPatterns = NULL;
BrushArrayRec* s_lineWidthPatterns = NULL;
CPalette* s_palette = NULL;

// The module holding this code: its strips are used even when the host or another extension
// module has bitmaps of the same ids.
HMODULE LibraryModule() {
  HMODULE module = NULL;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&LibraryModule), &module);
  return module;
}

// 230 entries: eight dark reds and browns, the 6 x 6 x 6 colour cube without its black and
// white corners, six greys, then black and white. NULL when it cannot be made.
CPalette* MakeLibraryPalette() {
  const int kEntries = 230;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY));
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(memory.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = kEntries;
  PALETTEENTRY* e = lp->palPalEntry;
  static const BYTE kFirst[8][3] = {{221, 0, 0},  {170, 0, 0},   {119, 0, 0},   {68, 0, 0},
                                    {102, 0, 0}, {102, 51, 0}, {153, 102, 0}, {153, 102, 51}};
  int n = 0;
  for (const auto& c : kFirst) e[n++] = {c[0], c[1], c[2], 0};
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        if (!(r == g && g == b && (r == 0 || r == 5)))
          e[n++] = {static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51), 0};
  for (BYTE grey : {32, 64, 96, 160, 192, 224}) e[n++] = {grey, grey, grey, 0};
  e[n++] = {0, 0, 0, 0};
  e[n++] = {255, 255, 255, 0};
  CPalette* palette = new (std::nothrow) CPalette;
  if (!palette) {
    UI_TRACE_FAILED(s_log, "new");
  } else if (!palette->CreatePalette(lp)) {
    UI_TRACE_FAILED(s_log, "CreatePalette");
    delete palette;
    palette = NULL;
  }
  return palette;
}

bool Usable(const BrushArrayRec* set) { return set != NULL && set->nBrushes > 0; }

void Free(BrushArrayRec*& set) {
  DeletePatterns(set);
  set = NULL;
}

}  // namespace

bool HoldDrawingResources(DrawingResourceHolder holder) {
  s_holders |= holder;
  const HMODULE module = LibraryModule();
  if (s_fillPatterns == NULL) s_fillPatterns = LoadPatterns(module, IDB_FILL_PATTERNS);
  if (s_dashPatterns == NULL) s_dashPatterns = LoadPatterns(module, IDB_DASH_PATTERNS);
  if (s_lineWidthPatterns == NULL) s_lineWidthPatterns = LoadPatterns(module, IDB_LINE_WIDTH_PATTERNS);
  if (s_palette == NULL) s_palette = MakeLibraryPalette();
  return Usable(s_fillPatterns) && Usable(s_dashPatterns) && Usable(s_lineWidthPatterns) && s_palette != NULL;
}

void ReleaseDrawingResources(DrawingResourceHolder holder) {
  s_holders &= ~static_cast<unsigned>(holder);
  if (s_holders != 0) return;
  Free(s_fillPatterns);
  Free(s_dashPatterns);
  Free(s_lineWidthPatterns);
  delete s_palette;
  s_palette = NULL;
}

BrushArrayRec* FillPatterns() { return s_fillPatterns; }
BrushArrayRec* DashPatterns() { return s_dashPatterns; }
BrushArrayRec* LineWidthPatterns() { return s_lineWidthPatterns; }
CPalette* LibraryPalette() { return s_palette; }

HBITMAP PaletteSection(HDC dc, int w, int h, unsigned short bits) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = w;
  info.header.biHeight = h;
  info.header.biPlanes = 1;
  info.header.biBitCount = bits;
  info.header.biCompression = BI_RGB;
  info.header.biSizeImage = ((static_cast<DWORD>(bits) * w + 31) >> 5) * h * 4;
  if (bits <= 8) {
    PALETTEENTRY entries[256] = {};
    CPalette* palette = LibraryPalette();
    const UINT got = palette != NULL ? palette->GetPaletteEntries(0, 1u << bits, entries) : 0;
    for (UINT i = 0; i < got; ++i) info.colours[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  void* pixels = NULL;
  return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, NULL, 0);
}

}  // namespace quarnel
