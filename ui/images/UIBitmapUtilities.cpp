// Bitmap routines of the stand-alone controls.
#include "UIBitmapUtilities.h"

#include "UIImageBits.h"

#include <framework.h>
#include <ulmora.h>

#include <string.h>
#include <vector>

namespace {

UlmLogger s_log("Utilities");

using uih::OwnedBitmap;
using uiimg::MemoryDC;
using uiimg::ScreenDC;

// A BITMAPINFO with room for a full colour table or the three bit-field masks.
struct FullInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

bool ReadBitmap(HBITMAP bitmap, BITMAP* bm) {
  if (bitmap == NULL || GetObject(bitmap, sizeof(*bm), bm) == 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return false;
  }
  return true;
}

// A new, uninitialised bitmap of the source's description: a DIB section of the same header
// (and colour table) for a DIB section, else a device-dependent bitmap of its planes and depth.
HBITMAP NewBitmapLike(HBITMAP source, const BITMAP& bm) {
  DIBSECTION ds;
  if (GetObject(source, sizeof(ds), &ds) == sizeof(ds)) {
    FullInfo info;
    memset(&info, 0, sizeof(info));
    info.header = ds.dsBmih;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    if (ds.dsBmih.biCompression == BI_BITFIELDS) {
      memcpy(info.colours, ds.dsBitfields, sizeof(ds.dsBitfields));
    } else if (ds.dsBmih.biBitCount <= 8) {
      MemoryDC dc;
      if (!dc.Select(source)) return NULL;
      const UINT n = GetDIBColorTable(dc.Get(), 0, 256, info.colours);
      info.header.biClrUsed = n;
    }
    void* bits = NULL;
    HBITMAP copy = CreateDIBSection(NULL, info.Info(), DIB_RGB_COLORS, &bits, NULL, 0);
    if (copy == NULL) UI_TRACE_FAILED(s_log, "CreateDIBSection");
    return copy;
  }
  BITMAP description = bm;
  description.bmBits = NULL;
  HBITMAP copy = CreateBitmapIndirect(&description);
  if (copy == NULL) UI_TRACE_FAILED(s_log, "CreateBitmapIndirect");
  return copy;
}

// A monochrome bitmap of w x h, white, with the bitmap's pixels other than white painted
// black at (maskX, maskY): from its area (srcX, srcY, srcW, srcH) stretched to w x h, or its
// w x h area at (srcX, srcY).
HBITMAP ShapeMask(HDC like, int w, int h, HBITMAP bitmap, int srcX, int srcY, int srcW, int srcH, int stretch,
                  int maskX, int maskY) {
  OwnedBitmap mask(CreateBitmap(w, h, 1, 1, NULL));
  if (mask.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateBitmap");
    return NULL;
  }
  MemoryDC maskDC(like), sourceDC(like);
  if (!maskDC.Select(mask.Get()) || !sourceDC.Select(bitmap)) return NULL;
  PatBlt(maskDC.Get(), 0, 0, w, h, WHITENESS);
  // Colour to monochrome: the source DC's background colour gives 1 (white), all else 0.
  SetBkColor(sourceDC.Get(), RGB(255, 255, 255));
  BOOL ok;
  if (stretch) {
    SetStretchBltMode(maskDC.Get(), COLORONCOLOR);
    ok = StretchBlt(maskDC.Get(), maskX, maskY, w, h, sourceDC.Get(), srcX, srcY, srcW, srcH, SRCCOPY);
  } else {
    ok = BitBlt(maskDC.Get(), maskX, maskY, w, h, sourceDC.Get(), srcX, srcY, SRCCOPY);
  }
  if (!ok) {
    UI_TRACE_FAILED(s_log, stretch ? "StretchBlt" : "BitBlt");
    return NULL;
  }
  return mask.Release();
}

int GiveTo(CBitmap& out, HBITMAP bitmap) {
  if (bitmap == NULL) return FALSE;
  out.DeleteObject();
  return out.Attach(bitmap) ? TRUE : FALSE;
}

// The bitmap resource of the module chain as a DIB section.
HBITMAP LoadSection(LPCTSTR name) {
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  if (module == NULL) {
    UI_TRACE_REFUSED(s_log, "no module holds the bitmap");
    return NULL;
  }
  HBITMAP bmp = static_cast<HBITMAP>(LoadImage(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bmp == NULL) UI_TRACE_FAILED(s_log, "LoadImage");
  return bmp;
}

// The named strip resource of the module chain; NULL (refusal traced) for no name.
HBITMAP LoadNamedStrip(const wchar_t* name) {
  if (name == NULL) {
    UI_TRACE_REFUSED(s_log, "no resource name");
    return NULL;
  }
  return uiimg::LoadStripBitmap(CString(name));
}

// The 5-5-5 value of a colour (red in the high bits).
WORD Pixel555(COLORREF c) {
  return static_cast<WORD>(((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3));
}

// Replaces `from` by `to` in the pixels of a section of 16, 24 or 32 bits.
void RemapPixels(BYTE* bits, int width, int height, int depth, COLORREF from, COLORREF to, bool stripOnly) {
  const size_t stride = ((static_cast<size_t>(width) * depth + 31) / 32) * 4;
  const int columns = stripOnly ? width / 2 : width;
  for (int y = 0; y < height; ++y) {
    BYTE* row = bits + stride * y;
    switch (depth) {
      case 32: {
        DWORD* p = reinterpret_cast<DWORD*>(row);
        const DWORD f = uiimg::PixelOf(from), t = uiimg::PixelOf(to);
        for (int x = 0; x < columns; ++x)
          if ((p[x] & 0x00FFFFFF) == f) p[x] = t;
        break;
      }
      case 24:
        for (int x = 0; x < columns; ++x) {
          BYTE* p = row + 3 * static_cast<size_t>(x);
          if (p[0] == GetBValue(from) && p[1] == GetGValue(from) && p[2] == GetRValue(from)) {
            p[0] = GetBValue(to);
            p[1] = GetGValue(to);
            p[2] = GetRValue(to);
          }
        }
        break;
      default: {
        WORD* p = reinterpret_cast<WORD*>(row);
        const WORD f = Pixel555(from), t = Pixel555(to);
        for (int x = 0; x < columns; ++x)
          if ((p[x] & 0x7FFF) == f) p[x] = t;
        break;
      }
    }
  }
}

// The colour table of an 8-bit section: the system palette, or a halftone palette where the
// screen has none.
UINT PaletteOfScreen(HDC screen, RGBQUAD* table) {
  PALETTEENTRY entries[256];
  UINT n = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) ? GetSystemPaletteEntries(screen, 0, 256, entries) : 0;
  if (n == 0) {
    uih::OwnedPalette halftone(CreateHalftonePalette(screen));
    if (halftone) n = GetPaletteEntries(halftone.Get(), 0, 256, entries);
  }
  for (UINT i = 0; i < n; ++i) {
    table[i].rgbRed = entries[i].peRed;
    table[i].rgbGreen = entries[i].peGreen;
    table[i].rgbBlue = entries[i].peBlue;
    table[i].rgbReserved = 0;
  }
  return n;
}

}  // namespace

int Utilities::IncludeRect(RECT& outer, RECT& inner) {
  return (inner.right - inner.left) <= (outer.right - outer.left) &&
                 (inner.bottom - inner.top) <= (outer.bottom - outer.top)
             ? TRUE
             : FALSE;
}

HBITMAP Utilities::CopyBitmap(HBITMAP bitmap) {
  BITMAP bm;
  if (!ReadBitmap(bitmap, &bm)) return NULL;
  OwnedBitmap copy(NewBitmapLike(bitmap, bm));
  if (copy.Get() == NULL) return NULL;
  MemoryDC from, to;
  if (!from.Select(bitmap) || !to.Select(copy.Get())) return NULL;
  if (!BitBlt(to.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from.Get(), 0, 0, SRCCOPY)) {
    UI_TRACE_FAILED(s_log, "BitBlt");
    return NULL;
  }
  return copy.Release();
}

HBITMAP Utilities::CopyBitmapNoBlt(HBITMAP bitmap) {
  BITMAP bm;
  if (!ReadBitmap(bitmap, &bm)) return NULL;
  OwnedBitmap copy(NewBitmapLike(bitmap, bm));
  if (copy.Get() == NULL) return NULL;
  // Reading and writing through one header keeps the rows where they were: the bitmap's own
  // colour table at 8 bits or fewer (the indices go across unchanged), 32-bit rows above.
  FullInfo info;
  memset(&info, 0, sizeof(info));
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = bm.bmWidth;
  info.header.biHeight = bm.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = bm.bmBitsPixel <= 8 ? static_cast<WORD>(bm.bmBitsPixel) : 32;
  info.header.biCompression = BI_RGB;
  const size_t stride = ((static_cast<size_t>(bm.bmWidth) * info.header.biBitCount + 31) / 32) * 4;
  std::vector<BYTE> rows(stride * bm.bmHeight);
  ScreenDC screen;
  if (screen.Get() == NULL) return NULL;
  if (GetDIBits(screen.Get(), bitmap, 0, bm.bmHeight, rows.data(), info.Info(), DIB_RGB_COLORS) != bm.bmHeight) {
    UI_TRACE_FAILED(s_log, "GetDIBits");
    return NULL;
  }
  if (SetDIBits(screen.Get(), copy.Get(), 0, bm.bmHeight, rows.data(), info.Info(), DIB_RGB_COLORS) != bm.bmHeight) {
    UI_TRACE_FAILED(s_log, "SetDIBits");
    return NULL;
  }
  return copy.Release();
}

void Utilities::DitherBlt(HDC dc, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY, int srcW,
                          int srcH, int stretch, int maskX, int maskY) {
  DitherBltEx(dc, x, y, w, h, bitmap, srcX, srcY, srcW, srcH, stretch, maskX, maskY, COLOR_BTNFACE,
              COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void Utilities::DitherBltEx(HDC dc, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY, int srcW,
                            int srcH, int stretch, int maskX, int maskY, int face, int shadow, int highlight) {
  if (dc == NULL || bitmap == NULL || w <= 0 || h <= 0) {
    UI_TRACE_REFUSED(s_log, dc == NULL ? "no DC" : bitmap == NULL ? "no bitmap" : "empty size");
    return;
  }
  OwnedBitmap mask(ShapeMask(dc, w, h, bitmap, srcX, srcY, srcW, srcH, stretch, maskX, maskY));
  if (mask.Get() == NULL) return;
  MemoryDC maskDC(dc);
  if (!maskDC.Select(mask.Get())) return;
  const RECT r = {x, y, x + w, y + h};
  FillRect(dc, &r, GetSysColorBrush(face));
  // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour; the
  // operation paints the brush where the mask is black and keeps the target where it is white.
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  {
    uih::Selection brush(dc, GetSysColorBrush(highlight));
    BitBlt(dc, x + 1, y + 1, w, h, maskDC.Get(), 0, 0, 0x00B8074A);
  }
  {
    uih::Selection brush(dc, GetSysColorBrush(shadow));
    BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, 0x00B8074A);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

void Utilities::MaskBlt(HDC source, HDC target, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY,
                        int srcW, int srcH, int stretch, int maskX, int maskY) {
  if (source == NULL || target == NULL || bitmap == NULL || w <= 0 || h <= 0) {
    UI_TRACE_REFUSED(s_log, "no DC, no bitmap or an empty size");
    return;
  }
  OwnedBitmap mask(ShapeMask(target, w, h, bitmap, srcX, srcY, srcW, srcH, stretch, maskX, maskY));
  if (mask.Get() == NULL) return;
  const RECT r = {x, y, x + w, y + h};
  FillRect(target, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (!::MaskBlt(target, x, y, w, h, source, 0, 0, mask.Get(), 0, 0, 0x00CC0020)) UI_TRACE_FAILED(s_log, "MaskBlt");
}

int Utilities::DrawMaskedBitmap(CDC* dc, POINT point, HBITMAP strip, UINT index, UINT w, int masked, int normal) {
  // Refused before anything divides by the width.
  if (dc == NULL || dc->m_hDC == NULL || w == 0) {
    UI_TRACE_REFUSED(s_log, w == 0 ? "image width 0" : "no DC");
    return 0;
  }
  return uiimg::DrawStripImage(dc->m_hDC, point, strip, index, w, masked == 1 ? 1 : 0, normal ? SRCCOPY : SRCPAINT);
}

int Utilities::Extract1MaskedImage(HBITMAP strip, int index, int w, CBitmap& out) {
  return GiveTo(out, uiimg::CutMaskedImage(strip, index, w));
}

int Utilities::Extract1MaskedImage(const wchar_t* name, int index, int w, CBitmap& out) {
  OwnedBitmap strip(LoadNamedStrip(name));
  return strip.Get() != NULL ? Extract1MaskedImage(strip.Get(), index, w, out) : FALSE;
}

int Utilities::Extract1MaskedImage(UINT id, int index, int w, CBitmap& out) {
  OwnedBitmap strip(uiimg::LoadStripBitmap(id));
  return strip.Get() != NULL ? Extract1MaskedImage(strip.Get(), index, w, out) : FALSE;
}

int Utilities::Extract1Image(const wchar_t* name, int index, int w, CBitmap& image, CBitmap& mask) {
  OwnedBitmap strip(LoadNamedStrip(name));
  HBITMAP img = NULL, msk = NULL;
  if (strip.Get() == NULL || !uiimg::SplitStripImage(strip.Get(), index, w, &img, &msk)) return FALSE;
  OwnedBitmap ownedImage(img), ownedMask(msk);
  return GiveTo(image, ownedImage.Release()) && GiveTo(mask, ownedMask.Release()) ? TRUE : FALSE;
}

HBITMAP Utilities::RemapMaskedBitmap(HBITMAP bitmap, COLORREF from, COLORREF to, int stripOnly) {
  return RemapMaskedBitmapAtDepth(bitmap, from, to, stripOnly, 0);
}

HBITMAP Utilities::RemapMaskedBitmapAtDepth(HBITMAP bitmap, COLORREF from, COLORREF to, int stripOnly, int depth) {
  BITMAP bm;
  if (!ReadBitmap(bitmap, &bm)) return NULL;
  ScreenDC screen;
  if (screen.Get() == NULL) return NULL;
  if (depth == 0) depth = GetDeviceCaps(screen.Get(), BITSPIXEL);
  if (depth > 0 && depth <= 8) depth = 8;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    UI_TRACE_REFUSED(s_log, "unknown depth");
    return NULL;
  }
  FullInfo info;
  memset(&info, 0, sizeof(info));
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = bm.bmWidth;
  info.header.biHeight = bm.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth);
  info.header.biCompression = BI_RGB;
  if (depth == 8) {
    info.header.biClrUsed = PaletteOfScreen(screen.Get(), info.colours);
    if (info.header.biClrUsed == 0) {
      UI_TRACE_FAILED(s_log, "GetPaletteEntries");
      return NULL;
    }
  }
  void* bits = NULL;
  OwnedBitmap section(CreateDIBSection(screen.Get(), info.Info(), DIB_RGB_COLORS, &bits, NULL, 0));
  if (section.Get() == NULL || bits == NULL) {
    UI_TRACE_FAILED(s_log, "CreateDIBSection");
    return NULL;
  }
  {
    MemoryDC from_(screen.Get()), to_(screen.Get());
    if (!from_.Select(bitmap) || !to_.Select(section.Get())) return NULL;
    if (!BitBlt(to_.Get(), 0, 0, bm.bmWidth, bm.bmHeight, from_.Get(), 0, 0, SRCCOPY)) {
      UI_TRACE_FAILED(s_log, "BitBlt");
      return NULL;
    }
    if (depth == 8) {
      // The entry nearest to `from` (the first of equal distance) takes `to`.
      RGBQUAD table[256];
      const UINT n = GetDIBColorTable(to_.Get(), 0, 256, table);
      UINT best = 0;
      long long bestDistance = -1;
      for (UINT i = 0; i < n; ++i) {
        const long long dr = table[i].rgbRed - GetRValue(from), dg = table[i].rgbGreen - GetGValue(from),
                        db = table[i].rgbBlue - GetBValue(from);
        const long long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
          bestDistance = d;
          best = i;
        }
      }
      if (n == 0) {
        UI_TRACE_FAILED(s_log, "GetDIBColorTable");
        return NULL;
      }
      RGBQUAD entry = {GetBValue(to), GetGValue(to), GetRValue(to), 0};
      if (SetDIBColorTable(to_.Get(), best, 1, &entry) != 1) {
        UI_TRACE_FAILED(s_log, "SetDIBColorTable");
        return NULL;
      }
    }
  }
  if (depth != 8) {
    GdiFlush();
    RemapPixels(static_cast<BYTE*>(bits), bm.bmWidth, bm.bmHeight, depth, from, to, stripOnly != 0);
  }
  return section.Release();
}

HBITMAP Utilities::RemapMaskedBitmap(UINT id, COLORREF from, COLORREF to, int stripOnly) {
  OwnedBitmap loaded(LoadSection(MAKEINTRESOURCE(id)));
  return loaded.Get() != NULL ? RemapMaskedBitmap(loaded.Get(), from, to, stripOnly) : NULL;
}

HBITMAP Utilities::RemapMaskedBitmap(const wchar_t* name, COLORREF from, COLORREF to, int stripOnly) {
  if (name == NULL) {
    UI_TRACE_REFUSED(s_log, "no resource name");
    return NULL;
  }
  OwnedBitmap loaded(LoadSection(CString(name)));
  return loaded.Get() != NULL ? RemapMaskedBitmap(loaded.Get(), from, to, stripOnly) : NULL;
}

HBITMAP Utilities::RemapMaskedBitmapEx(UINT id, int index, int w, COLORREF from, COLORREF to, int stripOnly) {
  OwnedBitmap strip(uiimg::LoadStripBitmap(id));
  OwnedBitmap image(strip.Get() != NULL ? uiimg::CutMaskedImage(strip.Get(), index, w) : NULL);
  return image.Get() != NULL ? RemapMaskedBitmap(image.Get(), from, to, stripOnly) : NULL;
}

HBITMAP Utilities::RemapMaskedBitmapEx(const wchar_t* name, int index, int w, COLORREF from, COLORREF to,
                                       int stripOnly) {
  OwnedBitmap strip(LoadNamedStrip(name));
  OwnedBitmap image(strip.Get() != NULL ? uiimg::CutMaskedImage(strip.Get(), index, w) : NULL);
  return image.Get() != NULL ? RemapMaskedBitmap(image.Get(), from, to, stripOnly) : NULL;
}
