// Bitmap looks: masks made on the fly, colour replacement, darkened, shaded and disabled copies.
#include "UIImages.h"

#include "UIImageBits.h"

#include <ulmora.h>

namespace {

UlmLogger s_log("UIBitmapLooks");

// Brightness 0 to 255 of a 32-bit pixel (0.299 red + 0.587 green + 0.114 blue, truncated).
inline unsigned Brightness(DWORD pixel) {
  return (299u * ((pixel >> 16) & 0xFF) + 587u * ((pixel >> 8) & 0xFF) + 114u * (pixel & 0xFF)) / 1000u;
}

// The disabled look's 256 colours, from the face colour darkened by 0.35 (entry 0) to the face
// colour itself (entry 255), as 32-bit pixels.
void DisabledRamp(COLORREF face, DWORD ramp[256]) {
  const COLORREF dark = DarkenColor(face, 0.35);
  const int dr = GetRValue(dark), dg = GetGValue(dark), db = GetBValue(dark);
  const int fr = GetRValue(face), fg = GetGValue(face), fb = GetBValue(face);
  for (int i = 0; i < 256; ++i) {
    ramp[i] = uiimg::PixelOf(RGB(dr + i * (fr - dr) / 255, dg + i * (fg - dg) / 255, db + i * (fb - db) / 255));
  }
}

}  // namespace

namespace uiimg {

HBITMAP CreateDisabledCopy(HBITMAP strip) {
  Dib32 copy;
  if (!copy.CopyOf(strip)) return NULL;
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  const DWORD facePixel = PixelOf(face);
  DWORD ramp[256];
  DisabledRamp(face, ramp);
  for (int y = 0; y < copy.Height(); ++y) {
    DWORD* row = copy.Row(y);
    for (int x = 0; x < copy.Width(); ++x) {
      if (row[x] != facePixel) row[x] = ramp[Brightness(row[x])];
    }
  }
  return copy.Release();
}

}  // namespace uiimg

COLORREF DarkenColor(COLORREF color, double f) {
  if (!(f > 0.0 && f <= 1.0)) return color;
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  return RGB(r - static_cast<int>(r * f), g - static_cast<int>(g * f), b - static_cast<int>(b * f));
}

HBITMAP CreateMaskOnTheFly(HDC, HBITMAP image, COLORREF transparent) {
  uiimg::Dib32 source, result;
  if (!source.CopyOf(image) || !result.Create(2 * source.Width(), source.Height())) return NULL;
  const DWORD key = uiimg::PixelOf(transparent);
  const int w = source.Width();
  for (int y = 0; y < source.Height(); ++y) {
    const DWORD* in = source.Row(y);
    DWORD* out = result.Row(y);
    for (int x = 0; x < w; ++x) {
      out[x] = in[x];
      out[w + x] = in[x] == key ? 0x00FFFFFF : 0;
    }
  }
  return result.Release();
}

HBITMAP ReplaceBitmapColor(HBITMAP bitmap, COLORREF from, COLORREF to, BOOL leftHalfOnly) {
  uiimg::Dib32 copy;
  if (!copy.CopyOf(bitmap)) return NULL;
  const DWORD key = uiimg::PixelOf(from), value = uiimg::PixelOf(to);
  const int columns = leftHalfOnly ? copy.Width() / 2 : copy.Width();
  for (int y = 0; y < copy.Height(); ++y) {
    DWORD* row = copy.Row(y);
    for (int x = 0; x < columns; ++x) {
      if (row[x] == key) row[x] = value;
    }
  }
  return copy.Release();
}

HBITMAP CreateShadedBitmap(HBITMAP bitmap) {
  uiimg::Dib32 copy;
  if (!copy.CopyOf(bitmap)) return NULL;
  const DWORD face = uiimg::PixelOf(GetSysColor(COLOR_3DFACE));
  // Each channel darkened by a quarter as DarkenColor does it, looked up per channel value.
  DWORD darker[256];
  for (int c = 0; c < 256; ++c) darker[c] = GetRValue(DarkenColor(RGB(c, 0, 0), 0.25));
  for (int y = 0; y < copy.Height(); ++y) {
    DWORD* row = copy.Row(y);
    for (int x = 0; x < copy.Width(); ++x) {
      const DWORD p = row[x];
      if (p != face) row[x] = (darker[(p >> 16) & 0xFF] << 16) | (darker[(p >> 8) & 0xFF] << 8) | darker[p & 0xFF];
    }
  }
  return copy.Release();
}

BOOL DrawDisabledBitmap(HDC dc, int x, int y, HBITMAP strip, int width, int index, bool askDC) {
  static const char kSignature[] =
      "int __cdecl DrawDisabledBitmap(struct HDC__ *,int,int,struct HBITMAP__ *,int,int,bool)";
  BITMAP bm;
  if (dc == NULL || strip == NULL || GetObject(strip, sizeof(bm), &bm) == 0) {
    UI_TRACE_REFUSED(s_log, dc == NULL ? "no DC" : "not a bitmap");
    return FALSE;
  }
  ULM_LOG(s_log, UlmLogger::Debug, kSignature) << "\tDrawDisabledBitmap: bm.bmHeight (dwLoopY)=" << bm.bmHeight;
  ULM_LOG(s_log, UlmLogger::Debug, kSignature) << "\tDrawDisabledBitmap: nImgWidth (dwLoopX)=" << width;
  const long long left = static_cast<long long>(width) * index;
  if (width <= 0 || index < 0 || left >= bm.bmWidth) {
    UI_TRACE_REFUSED(s_log, "image width or index out of range");
    return FALSE;
  }
  const int x0 = static_cast<int>(left);
  const int w = bm.bmWidth - x0 < width ? bm.bmWidth - x0 : width;
  const int h = bm.bmHeight;

  const COLORREF face = GetSysColor(COLOR_3DFACE);
  COLORREF transparent = face;
  if (askDC) {
    // How the DC shows the face colour, found without drawing into it.
    const COLORREF shown = GetNearestColor(dc, face);
    if (shown != CLR_INVALID) transparent = shown;
  }
  const DWORD key = uiimg::PixelOf(transparent);
  DWORD ramp[256];
  DisabledRamp(face, ramp);

  uiimg::Dib32 source, image;
  uiimg::Mask1 mask;
  if (!source.CopyOf(strip) || !image.Create(w, h) || !mask.Create(w, h)) return FALSE;
  for (int row = 0; row < h; ++row) {
    const DWORD* in = source.Row(row) + x0;
    DWORD* out = image.Row(row);
    for (int i = 0; i < w; ++i) {
      if (in[i] == key) {
        mask.SetTransparent(i, row);
      } else {
        out[i] = ramp[Brightness(in[i])];
      }
    }
  }
  uiimg::MemoryDC imageDC(dc), maskDC(dc);
  if (!imageDC.Select(image.Handle()) || !maskDC.Select(mask.Handle())) return FALSE;
  return uiimg::MaskedBlit(dc, x, y, w, h, imageDC.Get(), 0, 0, maskDC.Get(), 0, 0) ? TRUE : FALSE;
}
