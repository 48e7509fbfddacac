// Small GDI helpers shared by the image routines: 32-bit DIB copies whose pixels are worked
// on directly, masked blits and strip geometry. Handle owners are those of UIHandles.h.
#pragma once
#include <UIHandles.h>
#include <fw_defs.h>
#include <windows.h>

#include "UITrace.h"

namespace uiimg {

// The screen's DC for the scope; a failure to get it is traced.
class ScreenDC : public uih::WindowDC {
 public:
  ScreenDC();
};

// The shared memory DC, with a failure to make it or to select into it traced.
class MemoryDC : public uih::MemoryDC {
 public:
  explicit MemoryDC(HDC like = NULL);
  bool Select(HBITMAP bmp);
};

// A global memory block, locked for the scope; freed unless handed over with Release.
class GlobalBlock {
 public:
  explicit GlobalBlock(HGLOBAL h) : m_h(h), m_p(h != NULL ? static_cast<BYTE*>(GlobalLock(h)) : NULL) {}
  ~GlobalBlock() {
    if (m_p != NULL) GlobalUnlock(m_h);
    if (m_h != NULL) GlobalFree(m_h);
  }
  BYTE* Data() const { return m_p; }
  // Unlocks the block and hands it to the caller.
  HGLOBAL Release() {
    if (m_p != NULL) GlobalUnlock(m_h);
    m_p = NULL;
    HGLOBAL h = m_h;
    m_h = NULL;
    return h;
  }

 private:
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL m_h;
  BYTE* m_p;
};

// A COLORREF as the value of a 32-bit DIB pixel (blue in the low byte), and back.
inline DWORD PixelOf(COLORREF c) {
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF ColorOf(DWORD pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A 32-bit top-down DIB section whose pixels (0x00RRGGBB) are read and written in place.
class Dib32 {
 public:
  Dib32() : m_bits(NULL), m_width(0), m_height(0) {}
  // A new section of the size, all pixels 0.
  bool Create(int width, int height);
  // A new section holding a copy of the bitmap's pixels, whatever its format.
  bool CopyOf(HBITMAP source);

  HBITMAP Handle() const { return m_bmp.Get(); }
  // Hands the section over to the caller.
  HBITMAP Release() {
    m_bits = NULL;
    return m_bmp.Release();
  }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  DWORD* Row(int y) const {
    ASSERT(m_bits != NULL && y >= 0 && y < m_height);
    return m_bits + static_cast<size_t>(y) * m_width;
  }

 private:
  Dib32(const Dib32&) = delete;
  Dib32& operator=(const Dib32&) = delete;
  uih::OwnedBitmap m_bmp;
  DWORD* m_bits;
  int m_width, m_height;
};

// A 1-bit DIB section (palette black, white) used as a mask: bit set = transparent.
class Mask1 {
 public:
  Mask1() : m_bits(NULL), m_stride(0) {}
  bool Create(int width, int height);  // all pixels black (opaque)
  HBITMAP Handle() const { return m_bmp.Get(); }
  void SetTransparent(int x, int y) {
    ASSERT(m_bits != NULL && x >= 0 && y >= 0 && static_cast<size_t>(x >> 3) < m_stride);
    m_bits[static_cast<size_t>(y) * m_stride + (x >> 3)] |= static_cast<BYTE>(0x80 >> (x & 7));
  }

 private:
  Mask1(const Mask1&) = delete;
  Mask1& operator=(const Mask1&) = delete;
  uih::OwnedBitmap m_bmp;
  BYTE* m_bits;
  size_t m_stride;
};

// Draws the w x h area at (sx, sy) of imageDC to (x, y) of dest, leaving dest unchanged where
// the monochrome mask selected in maskDC (at mx, my) is white. The destination is changed with
// one final blit of raster operation `finalRop` (SRCCOPY: no flicker; SRCPAINT ORs the
// composed picture onto what is there). FALSE when a work bitmap cannot be had.
bool MaskedBlit(HDC dest, int x, int y, int w, int h, HDC imageDC, int sx, int sy, HDC maskDC,
                int mx, int my, DWORD finalRop = SRCCOPY);

// A monochrome bitmap of the w x h area at (sx, 0) of the bitmap selected in `from`: white
// pixels become 1 (transparent), all others 0.
HBITMAP MonoMaskOf(HDC from, int sx, int w, int h);

// Image `index` (`width` wide) of the strip and its mask side by side in one new
// screen-compatible bitmap 2 x width wide. NULL when the image does not lie in the strip.
HBITMAP CutMaskedImage(HBITMAP strip, int index, int width);

// A 32-bit copy of the strip in the disabled look: every pixel that is not COLOR_3DFACE
// becomes the ramp colour of its brightness (see DrawDisabledBitmap).
HBITMAP CreateDisabledCopy(HBITMAP strip);

// Copies image `index` (`width` wide) of the strip into *image and its mask into *mask, two
// new screen-compatible bitmaps of width x strip height.
bool SplitStripImage(HBITMAP strip, int index, int width, HBITMAP* image, HBITMAP* mask);

// Draws image `index` (`width` wide) of the strip at the point: mode 1 through its mask, any
// other mode opaque; the final blit uses raster operation `rop`. 1 when drawn, 0 on failure.
int DrawStripImage(HDC dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode, DWORD rop);

// The bitmap resource from the first module of the framework's chain that has it.
HBITMAP LoadStripBitmap(UINT id);
HBITMAP LoadStripBitmap(LPCTSTR name);

// Where image `index` and its mask lie in a strip `stripWidth` wide whose images are `width`
// wide: the images fill the left half, the masks the right half in the same order.
struct StripCell {
  int imageX, maskX;
};
// FALSE when the width is not positive or the image does not lie wholly in the left half.
bool LocateInStrip(int stripWidth, int width, int index, StripCell* cell);

}  // namespace uiimg
