// Bitmap routines of the stand-alone controls: cutting images out of masked strips, drawing
// them transparently or in the embossed disabled look, recolouring, copying.
//
// A masked strip is one bitmap whose left half holds N images of equal width side by side and
// whose right half holds their N masks in the same order (black = image pixel, white =
// transparent). A single extracted image is a strip of one image: 2w wide, image then mask.
// Bitmap resources are looked for in the framework's module chain (this library included).
// The caller owns every bitmap returned; failures give NULL or 0 and draw nothing.
#pragma once
#include "quarnel_api.h"

#include <fw_dc.h>
#include <fw_gdi.h>

class QUARNEL_API Utilities {
 public:
  // Compares sizes only: TRUE when inner's width and height are each no larger than outer's.
  static int IncludeRect(RECT& outer, RECT& inner);

  // A new bitmap of the same description (a DIB section for a DIB section) with the pixels
  // copied by BitBlt. NULL for a bitmap that cannot be read or made.
  static HBITMAP CopyBitmap(HBITMAP bitmap);
  // The same, with the pixels read with GetDIBits and written with SetDIBits through one
  // 32-bit header: the copy keeps the row order at every depth.
  static HBITMAP CopyBitmapNoBlt(HBITMAP bitmap);

  // Fills the w x h rectangle at (x, y) with COLOR_BTNFACE and draws the bitmap's shape in
  // the embossed look: its pixels other than white, once in COLOR_BTNHIGHLIGHT one pixel down
  // and right, then in COLOR_BTNSHADOW in place. The shape is the bitmap's area (srcX, srcY,
  // srcW, srcH) stretched to w x h when `stretch` is non-zero, else its w x h area at
  // (srcX, srcY), placed at (maskX, maskY) of the rectangle.
  static void DitherBlt(HDC dc, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY, int srcW,
                        int srcH, int stretch, int maskX, int maskY);
  // The same with the face, shadow and highlight colours given as system colour indices.
  static void DitherBltEx(HDC dc, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY, int srcW,
                          int srcH, int stretch, int maskX, int maskY, int face, int shadow, int highlight);
  // Makes the shape mask as DitherBlt does, fills the target rectangle with COLOR_BTNFACE,
  // then copies the source DC's pixels from (0, 0) where the mask is black.
  static void MaskBlt(HDC source, HDC target, int x, int y, int w, int h, HBITMAP bitmap, int srcX, int srcY,
                      int srcW, int srcH, int stretch, int maskX, int maskY);

  // Draws image `index` (w pixels wide) of the strip at the point: through its mask when
  // `masked` is 1, else opaque; the picture is copied (normal non-zero) or ORed (0) onto the
  // DC. 1 when drawn; 0 for no DC, an unreadable strip, a width of 0 or an image outside it.
  static int DrawMaskedBitmap(CDC* dc, POINT point, HBITMAP strip, UINT index, UINT w, int masked, int normal);

  // `out` gives up what it held and takes image `index` (w wide) of the strip as a strip of
  // one image. TRUE on success (out is left alone on failure).
  static int Extract1MaskedImage(HBITMAP strip, int index, int w, CBitmap& out);
  static int Extract1MaskedImage(const wchar_t* name, int index, int w, CBitmap& out);
  static int Extract1MaskedImage(UINT id, int index, int w, CBitmap& out);
  // Image `index` of the named strip resource into `image` and its mask into `mask`.
  static int Extract1Image(const wchar_t* name, int index, int w, CBitmap& image, CBitmap& mask);

  // A new DIB section of the screen's colour depth holding the bitmap with colour `from`
  // replaced by `to`. At 8 bits or fewer its colour table is the system palette (a halftone
  // palette on screens without one) and the entry nearest to `from` becomes `to`; above,
  // every pixel equal to `from` at that depth becomes `to`. With stripOnly only the left
  // half of each row (the images of a strip, not their masks) changes. NULL for a null or
  // unreadable bitmap.
  static HBITMAP RemapMaskedBitmap(HBITMAP bitmap, COLORREF from, COLORREF to, int stripOnly);
  // The bitmap resource, loaded as a DIB section for the call and freed after it.
  static HBITMAP RemapMaskedBitmap(UINT id, COLORREF from, COLORREF to, int stripOnly);
  static HBITMAP RemapMaskedBitmap(const wchar_t* name, COLORREF from, COLORREF to, int stripOnly);
  // Image `index` (w wide) cut out of the strip resource as a one-image strip, remapped.
  static HBITMAP RemapMaskedBitmapEx(UINT id, int index, int w, COLORREF from, COLORREF to, int stripOnly);
  static HBITMAP RemapMaskedBitmapEx(const wchar_t* name, int index, int w, COLORREF from, COLORREF to,
                                     int stripOnly);
  // RemapMaskedBitmap at a depth of 8 (palette), 16 (5-5-5), 24 or 32 bits instead of the
  // screen's; 0 = the screen's, other depths NULL.
  static HBITMAP RemapMaskedBitmapAtDepth(HBITMAP bitmap, COLORREF from, COLORREF to, int stripOnly, int depth);
};
