// Small GDI helpers shared by the image routines.
#include "UIImageBits.h"

#include <framework.h>

#include <initializer_list>
#include <string.h>

namespace uiimg {

namespace {

UlmLogger s_log("UIImageBits");

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
  ASSERT(bits != NULL);
  if (width <= 0 || height <= 0) {
    UI_TRACE_REFUSED(s_log, "empty size");
    return NULL;
  }
  // Keep a section well inside what a 32-bit process can map.
  if (static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > 0x10000000ULL) {
    UI_TRACE_REFUSED(s_log, "size beyond 2^28 pixels");
    return NULL;
  }
  SectionInfo info(width, height, bitCount);
  *bits = NULL;
  uih::OwnedBitmap bmp(CreateDIBSection(NULL, info.Info(), DIB_RGB_COLORS, bits, NULL, 0));
  if (bmp.Get() == NULL || *bits == NULL) {
    UI_TRACE_FAILED(s_log, "CreateDIBSection");
    return NULL;
  }
  return bmp.Release();
}

}  // namespace

ScreenDC::ScreenDC() : uih::WindowDC(NULL) {
  if (Get() == NULL) UI_TRACE_FAILED(s_log, "GetDC");
}

MemoryDC::MemoryDC(HDC like) : uih::MemoryDC(like) {
  if (Get() == NULL) UI_TRACE_FAILED(s_log, "CreateCompatibleDC");
}

bool MemoryDC::Select(HBITMAP bmp) {
  if (Get() == NULL) return false;  // traced when it was made
  if (bmp == NULL) {
    UI_TRACE_REFUSED(s_log, "no bitmap");
    return false;
  }
  if (!uih::MemoryDC::Select(bmp)) {
    UI_TRACE_FAILED(s_log, "SelectObject");
    return false;
  }
  return true;
}

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
  if (source == NULL || GetObject(source, sizeof(bm), &bm) == 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return false;
  }
  if (!Create(bm.bmWidth, bm.bmHeight)) return false;
  SectionInfo info(m_width, m_height, 32);
  ScreenDC screen;
  GdiFlush();  // the section's bits are written directly below
  if (screen.Get() == NULL ||
      GetDIBits(screen.Get(), source, 0, m_height, m_bits, info.Info(), DIB_RGB_COLORS) != m_height) {
    if (screen.Get() != NULL) UI_TRACE_FAILED(s_log, "GetDIBits");
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
                int mx, int my, DWORD finalRop) {
  ASSERT(imageDC != NULL && maskDC != NULL);
  if (dest == NULL || w <= 0 || h <= 0) {
    UI_TRACE_REFUSED(s_log, dest == NULL ? "no destination DC" : "empty size");
    return false;
  }
  uih::OwnedBitmap work(CreateCompatibleBitmap(dest, w, h));
  uih::OwnedBitmap image(CreateCompatibleBitmap(dest, w, h));
  if (work.Get() == NULL || image.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return false;
  }
  MemoryDC workDC(dest), imageWorkDC(dest);
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
            BitBlt(dest, x, y, w, h, workDC.Get(), 0, 0, finalRop);
  if (!ok) UI_TRACE_FAILED(s_log, "BitBlt");
  return ok;
}

HBITMAP MonoMaskOf(HDC from, int sx, int w, int h) {
  uih::OwnedBitmap bmp(CreateBitmap(w, h, 1, 1, NULL));
  if (bmp.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateBitmap");
    return NULL;
  }
  MemoryDC to(from);
  if (!to.Select(bmp.Get())) return NULL;
  const COLORREF oldBk = SetBkColor(from, RGB(255, 255, 255));
  const BOOL ok = BitBlt(to.Get(), 0, 0, w, h, from, sx, 0, SRCCOPY);
  if (!ok) UI_TRACE_FAILED(s_log, "BitBlt");
  SetBkColor(from, oldBk);
  return ok ? bmp.Release() : NULL;
}

HBITMAP LoadStripBitmap(UINT id) { return LoadStripBitmap(MAKEINTRESOURCE(id)); }

HBITMAP LoadStripBitmap(LPCTSTR name) {
  if (name == NULL) {
    UI_TRACE_REFUSED(s_log, "no resource name");
    return NULL;
  }
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  if (module == NULL) {
    UI_TRACE_REFUSED(s_log, "no module holds the bitmap");
    return NULL;
  }
  HBITMAP bmp = LoadBitmap(module, name);
  if (bmp == NULL) UI_TRACE_FAILED(s_log, "LoadBitmap");
  return bmp;
}

bool LocateInStrip(int stripWidth, int width, int index, StripCell* cell) {
  ASSERT(cell != NULL);
  if (width <= 0 || index < 0 || stripWidth <= 0) {
    UI_TRACE_REFUSED(s_log, "image width or index out of range");
    return false;
  }
  const long long half = stripWidth / 2;
  const long long count = half / width;
  if (index >= count) {
    UI_TRACE_REFUSED(s_log, "image index past the strip");
    return false;
  }
  cell->imageX = static_cast<int>(static_cast<long long>(index) * width);
  cell->maskX = static_cast<int>((count + index) * width);
  return true;
}

}  // namespace uiimg
