#include "image_testing.h"

#include "test_support.h"

#include <stdio.h>

namespace imagetest {

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
