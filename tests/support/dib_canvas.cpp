#include "dib_canvas.h"

namespace testing_support {

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = NULL;
  m_bitmap = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
  m_dc = CreateCompatibleDC(NULL);
  if (m_bitmap == NULL || bits == NULL || m_dc == NULL) return;
  m_old = SelectObject(m_dc, m_bitmap);
  if (m_old == NULL || m_old == HGDI_ERROR) {
    m_old = NULL;
    return;
  }
  m_bits = static_cast<DWORD*>(bits);
  Fill(fill);
}

DibCanvas::~DibCanvas() {
  if (m_old != NULL) SelectObject(m_dc, m_old);
  if (m_dc != NULL) DeleteDC(m_dc);
  if (m_bitmap != NULL) DeleteObject(m_bitmap);
}

COLORREF DibCanvas::At(int x, int y) const {
  GdiFlush();
  return ColorOf(Raw(x, y));
}

void DibCanvas::Fill(COLORREF c) {
  GdiFlush();
  const DWORD p = PixelOf(c);
  for (size_t i = 0, n = static_cast<size_t>(m_width) * m_height; i < n; ++i) m_bits[i] = p;
}

int DibCanvas::CountOf(COLORREF c) const {
  const RECT all = {0, 0, m_width, m_height};
  return CountOf(c, all);
}

int DibCanvas::CountOf(COLORREF c, const RECT& r) const {
  GdiFlush();
  const DWORD p = PixelOf(c);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += Raw(x, y) == p;
  return n;
}

int DibCanvas::CountOtherThan(COLORREF c, const RECT& r) const {
  return (r.right - r.left) * (r.bottom - r.top) - CountOf(c, r);
}

COLORREF PixelOfBitmap(HBITMAP bitmap, int x, int y) {
  HDC mem = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(mem, bitmap);
  const COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteDC(mem);
  return c;
}

HBITMAP SolidScreenBitmap(int w, int h, COLORREF c) {
  DibCanvas source(w, h, c);
  HDC screen = GetDC(NULL);
  HBITMAP copy = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(NULL, screen);
  HDC mem = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(mem, copy);
  BitBlt(mem, 0, 0, w, h, source.dc(), 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return copy;
}

int DifferingPixels(const DibCanvas& a, const DibCanvas& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

}  // namespace testing_support
