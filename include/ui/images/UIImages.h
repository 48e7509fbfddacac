// DIB, bitmap and image-list routines.
//
// A packed DIB is one movable global block: a 40-byte BITMAPINFOHEADER, for BI_BITFIELDS the
// three colour masks, the colour table, then the rows (bottom-up, each padded to 4 bytes).
// An image strip is a bitmap whose left half holds images of equal width side by side and
// whose right half holds their masks in the same order (white where the image is
// transparent). The caller owns every handle these routines return; failures give NULL,
// 0 or FALSE and show nothing.
#pragma once
#include "quarnel_api.h"

#include <fw_dc.h>
#include <fw_gdi.h>
#include <fw_imagelist.h>

#include <commctrl.h>

// Number of colour-table entries that a packed DIB with this header carries: for a core
// (12-byte) header 2, 16 or 256 by bit count; for an info, V4 or V5 header its "colours
// used" when non-zero (at most 2^bits for 8 bits or fewer), else 2, 16 or 256 for 1, 4 or 8
// bits; 0 for other depths and unknown header sizes.
QUARNEL_API UINT DIBColorCount(const BITMAPINFOHEADER* header);

// Reads a .bmp file (core, info, V4 or V5 header; palette, RGB, BI_BITFIELDS or RLE data;
// bottom-up or top-down) into a packed DIB with bottom-up rows. NULL when the file cannot
// be read, is not a bitmap, or is shorter than its headers say.
QUARNEL_API HGLOBAL LoadDIB(LPCTSTR path);

// A device-dependent bitmap of the packed DIB, made for the DC (the screen when NULL). A DIB
// with a colour table has its palette realised in the DC meanwhile. NULL when the block is
// not a well-formed packed DIB or is shorter than its header says.
QUARNEL_API HBITMAP DIB2BMP(HDC dc, HGLOBAL dib);

// A packed DIB of the bitmap at its own colour depth, read through the DC (the screen when
// NULL). *size receives the block's size, or 0 on failure.
QUARNEL_API HGLOBAL BMP2DIB(HDC dc, HBITMAP bitmap, DWORD* size);

// A new bitmap twice as wide as the image: the image on the left, its mask on the right
// (white where the image has the transparent colour, black elsewhere).
QUARNEL_API HBITMAP CreateMaskOnTheFly(HDC dc, HBITMAP image, COLORREF transparent);

// A 32-bit DIB-section copy of the bitmap in which every pixel of colour `from` becomes `to`;
// with leftHalfOnly only the columns below width / 2 change.
QUARNEL_API HBITMAP ReplaceBitmapColor(HBITMAP bitmap, COLORREF from, COLORREF to, BOOL leftHalfOnly);

// Each channel c becomes c - c * f (truncated) for 0 < f <= 1; any other f leaves the colour.
QUARNEL_API COLORREF DarkenColor(COLORREF color, double f);

// A copy of the bitmap in which every pixel that is not COLOR_3DFACE keeps three quarters of
// each channel.
QUARNEL_API HBITMAP CreateShadedBitmap(HBITMAP bitmap);

// Draws image `index` (`width` pixels wide) of the strip in the disabled look at (x, y): each
// pixel that is not the face colour (COLOR_3DFACE; with askDC the colour the DC shows for it)
// becomes a colour of the ramp from the darkened face colour to the face colour, picked by its
// brightness; face-coloured pixels leave the DC as it was. FALSE when nothing was drawn.
QUARNEL_API BOOL DrawDisabledBitmap(HDC dc, int x, int y, HBITMAP strip, int width, int index,
                                    bool askDC);

// Copies image `index` of the strip resource and its mask into two new screen-compatible
// bitmaps of width x strip height. TRUE on success.
QUARNEL_API int Extract1Image(UINT stripId, int index, int width, HBITMAP* image, HBITMAP* mask);

// Image `index` of the strip resource and its mask side by side in one new bitmap 2 x width
// wide; with mapColours the strip's black, dark grey, light grey and white are first mapped
// to the system colours of button text, shadow, face and highlight. TRUE on success.
QUARNEL_API int Extract1MaskedImage(UINT stripId, int index, int width, HBITMAP* result,
                                    BOOL mapColours);

// A new image list of imageWidth x strip height with masks, holding every image of the strip
// resource with its mask. TRUE on success (*list then owned by the caller).
QUARNEL_API int LoadMaskedImageList(HIMAGELIST* list, UINT stripId, int imageWidth);

// Image list of cx x cy images (24-bit colour with masks, COLOR_3DFACE transparent) holding
// the strip as is (look 0), in the disabled look (1) or shaded (2). NULL on failure.
QUARNEL_API HIMAGELIST CreateToolBarImageList(HBITMAP strip, int cx, int cy, int look);

// Draws image `index` of the list in the rectangle. Flags: 1 centres the image, 2 shrinks it
// to fit a rectangle smaller than it, 0x10000 draws it in the embossed, disabled look. FALSE
// when nothing was drawn: no list, no such image, or an empty rectangle.
QUARNEL_API BOOL DrawImageListInRect(HDC dc, HIMAGELIST list, int index, RECT* rect, DWORD flags);

// Draws image `index` (`width` pixels wide) of the strip at the point: mode 1 transparently
// through its mask, any other mode as an opaque copy. 1 when drawn, 0 on failure (the
// strip's description unreadable, the image outside the strip, no GDI resources).
QUARNEL_API int DrawImage(HDC dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode);
// The same with the strip loaded from the resource for the call.
QUARNEL_API int DrawImage(HDC dc, POINT point, UINT stripId, UINT index, UINT width, int mode);

// The same routines on the framework's objects. Output objects give up what they held and
// take the new bitmap or list; the DC and list arguments may be NULL (nothing is drawn).
QUARNEL_API int Extract1Image(UINT stripId, int index, int width, CBitmap& image, CBitmap& mask);
QUARNEL_API int Extract1MaskedImage(UINT stripId, int index, int width, CBitmap& result, BOOL mapColours);
QUARNEL_API int LoadMaskedImageList(CImageList& list, UINT stripId, int imageWidth);
QUARNEL_API BOOL DrawImageListInRect(CDC* dc, CImageList* list, int index, RECT* rect, DWORD flags);
QUARNEL_API int DrawImage(CDC* dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode);
QUARNEL_API int DrawImage(CDC* dc, POINT point, UINT stripId, UINT index, UINT width, int mode);

// Draws the packed DIB (any header UIImages reads: core, info, V4 or V5; colour table,
// bit fields, RLE; bottom-up or top-down) into the destination rectangle of the DC. source
// is the part of the image to draw, its y counted from the top row; NULL means the whole
// image. A source of the destination's size is copied (SetDIBitsToDevice), any other is
// stretched (StretchDIBits, SRCCOPY). Every read is bounded by the block's size. FALSE when
// nothing was drawn: no DC or block, an empty rectangle, a malformed or short block.
QUARNEL_API BOOL DrawPackedDIB(HDC dc, HGLOBAL dib, const RECT& destination, const RECT* source);
// The width and the height (in rows) of the packed DIB; FALSE when its header is malformed.
QUARNEL_API BOOL GetPackedDIBSize(HGLOBAL dib, SIZE* size);
