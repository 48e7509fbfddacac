// Small GDI helpers shared by the image routines.
#include "UIImageBits.h"

#include <framework.h>

#include <initializer_list>
#include <string.h>

namespace uiimg {

namespace {

// The header of a top-down section of the depth: 1 bit (palette black, white) or 32 bits.
struct SectionInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
  SectionInfo(int width, int height, WORD bitCount) : header(), colours() {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height;  // top-down: row 0 first
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    colours[1].rgbRed = colours[1].rgbGreen = colours[1].rgbBlue = 0xFF;
  }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

HBITMAP CreateSection(int width, int height, WORD bitCount, void** bits) {
  if (width <= 0 || height <= 0) return NULL;
  // Keep a section well inside what a 32-bit process can map.
  if (static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > 0x10000000ULL)
    return NULL;
  SectionInfo info(width, height, bitCount);
  *bits = NULL;
  uih::OwnedBitmap bmp(CreateDIBSection(NULL, info.Info(), DIB_RGB_COLORS, bits, NULL, 0));
  return *bits != NULL ? bmp.Release() : NULL;
}

}  // namespace

bool Dib32::Create(int width, int height) {
  void* bits = NULL;
  HBITMAP bmp = CreateSection(width, height, 32, &bits);
  if (bmp == NULL) return false;
  m_bmp.Reset(bmp);
  m_bits = static_cast<DWORD*>(bits);
  m_width = width;
  m_height = height;
  return true;
}

bool Dib32::CopyOf(HBITMAP source) {
  BITMAP bm;
  if (source == NULL || GetObject(source, sizeof(bm), &bm) == 0) return false;
  if (!Create(bm.bmWidth, bm.bmHeight)) return false;
  SectionInfo info(m_width, m_height, 32);
  uih::WindowDC screen(NULL);
  GdiFlush();  // the section's bits are written directly below
  if (screen.Get() == NULL ||
      GetDIBits(screen.Get(), source, 0, m_height, m_bits, info.Info(), DIB_RGB_COLORS) != m_height) {
    m_bmp.Reset();
    m_bits = NULL;
    return false;
  }
  // GetDIBits leaves the fourth byte undefined for sources without alpha.
  const size_t n = static_cast<size_t>(m_width) * m_height;
  for (size_t i = 0; i < n; ++i) m_bits[i] &= 0x00FFFFFF;
  return true;
}

bool Mask1::Create(int width, int height) {
  void* bits = NULL;
  HBITMAP bmp = CreateSection(width, height, 1, &bits);
  if (bmp == NULL) return false;
  m_bmp.Reset(bmp);
  m_bits = static_cast<BYTE*>(bits);
  m_stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  memset(m_bits, 0, m_stride * height);
  return true;
}

bool MaskedBlit(HDC dest, int x, int y, int w, int h, HDC imageDC, int sx, int sy, HDC maskDC,
                int mx, int my) {
  if (dest == NULL || w <= 0 || h <= 0) return false;
  uih::OwnedBitmap work(CreateCompatibleBitmap(dest, w, h));
  uih::OwnedBitmap image(CreateCompatibleBitmap(dest, w, h));
  uih::MemoryDC workDC(dest), imageWorkDC(dest);
  if (!workDC.Select(work.Get()) || !imageWorkDC.Select(image.Get())) return false;
  // Monochrome sources paint 0 bits in the text colour and 1 bits in the background colour.
  for (HDC dc : {workDC.Get(), imageWorkDC.Get()}) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
  }
  bool ok = BitBlt(workDC.Get(), 0, 0, w, h, dest, x, y, SRCCOPY) &&
            BitBlt(workDC.Get(), 0, 0, w, h, maskDC, mx, my, SRCAND) &&  // clear the image's area
            BitBlt(imageWorkDC.Get(), 0, 0, w, h, imageDC, sx, sy, SRCCOPY) &&
            BitBlt(imageWorkDC.Get(), 0, 0, w, h, maskDC, mx, my, 0x00220326) &&  // image AND NOT mask
            BitBlt(workDC.Get(), 0, 0, w, h, imageWorkDC.Get(), 0, 0, SRCPAINT) &&
            BitBlt(dest, x, y, w, h, workDC.Get(), 0, 0, SRCCOPY);
  return ok;
}

HBITMAP LoadStripBitmap(UINT id) {
  LPCTSTR name = MAKEINTRESOURCE(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  if (module == NULL) return NULL;
  return LoadBitmap(module, name);
}

bool LocateInStrip(int stripWidth, int width, int index, StripCell* cell) {
  if (width <= 0 || index < 0 || stripWidth <= 0) return false;
  const long long half = stripWidth / 2;
  const long long count = half / width;
  if (index >= count) return false;
  cell->imageX = static_cast<int>(static_cast<long long>(index) * width);
  cell->maskX = static_cast<int>((count + index) * width);
  return true;
}

}  // namespace uiimg
