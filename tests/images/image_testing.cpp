#include "image_testing.h"

#include "test_support.h"

#include <stdio.h>

namespace imagetest {

Canvas::Canvas(int w, int h, COLORREF fill) : m_w(w), m_h(h) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  m_bmp = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
  m_bits = static_cast<DWORD*>(bits);
  m_dc = CreateCompatibleDC(NULL);
  m_old = SelectObject(m_dc, m_bmp);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(m_dc, m_old);
  DeleteDC(m_dc);
  DeleteObject(m_bmp);
}

DWORD Canvas::At(int x, int y) const {
  GdiFlush();
  return m_bits[y * m_w + x] & 0xFFFFFF;
}

void Canvas::Fill(COLORREF c) {
  GdiFlush();
  for (int i = 0; i < m_w * m_h; ++i) m_bits[i] = Px(c);
}

int Canvas::CountOtherThan(int x0, int y0, int x1, int y1, COLORREF c) const {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += At(x, y) != Px(c);
  return n;
}

std::basic_string<DWORD> PixelsOf(HBITMAP bmp, int* width, int* height) {
  BITMAP bm = {};
  if (!GetObject(bmp, sizeof(bm), &bm)) return {};
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = bm.bmWidth;
  bmi.bmiHeader.biHeight = -bm.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  std::basic_string<DWORD> px(size_t(bm.bmWidth) * bm.bmHeight, 0);
  HDC screen = GetDC(NULL);
  int got = GetDIBits(screen, bmp, 0, bm.bmHeight, &px[0], &bmi, DIB_RGB_COLORS);
  ReleaseDC(NULL, screen);
  if (got != bm.bmHeight) return {};
  for (auto& p : px) p &= 0xFFFFFF;
  if (width) *width = bm.bmWidth;
  if (height) *height = bm.bmHeight;
  return px;
}

std::string WriteTempFile(const char* stem, const std::string& bytes) {
  std::string path = testing_support::TempPath(stem);
  FILE* f = fopen(path.c_str(), "wb");
  if (f) {
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  return path;
}

}  // namespace imagetest
