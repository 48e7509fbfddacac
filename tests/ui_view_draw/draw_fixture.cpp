#include "draw_fixture.h"

std::vector<std::vector<std::string>> StripPatterns(int bitmapId) {
  std::vector<std::vector<std::string>> patterns;
  HBITMAP strip = LoadBitmap(GetModuleHandle(_T("quarnel.dll")), MAKEINTRESOURCE(bitmapId));
  BITMAP bm = {};
  if (strip == NULL || !GetObject(strip, sizeof bm, &bm) || bm.bmHeight % 8 != 0) {
    if (strip != NULL) DeleteObject(strip);
    return patterns;
  }
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = bm.bmWidth;
  info.header.biHeight = -bm.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
  const int stride = (bm.bmWidth + 31) / 32 * 4;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * bm.bmHeight);
  HDC screen = GetDC(NULL);
  const int rows = GetDIBits(screen, strip, 0, bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                             DIB_RGB_COLORS);
  ReleaseDC(NULL, screen);
  DeleteObject(strip);
  if (rows != bm.bmHeight) return patterns;
  for (int p = 0; p < bm.bmHeight / 8; ++p) {
    std::vector<std::string> pattern;
    for (int r = 0; r < 8; ++r) {
      std::string row;
      for (int x = 0; x < 8; ++x) row += (bits[(p * 8 + r) * stride] >> (7 - x)) & 1 ? '1' : '0';
      pattern.push_back(row);
    }
    patterns.push_back(pattern);
  }
  return patterns;
}

void DrawTest::Paint(COLORREF c) {
  // The whole surface, whatever the view's clipping.
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  const bool clipped = GetClipRgn(dc(), clip) == 1;
  SelectClipRgn(dc(), NULL);
  HBRUSH brush = CreateSolidBrush(c);
  RECT all = {0, 0, kSize, kSize};
  FillRect(dc(), &all, brush);
  DeleteObject(brush);
  SelectClipRgn(dc(), clipped ? clip : NULL);
  DeleteObject(clip);
}

std::vector<COLORREF> DrawTest::Pixels() {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) pixels.push_back(At(x, y));
  return pixels;
}

int DrawTest::CountOutside(RECT r, COLORREF c) {
  int n = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const POINT p = {x, y};
      n += !PtInRect(&r, p) && At(x, y) != c;
    }
  return n;
}
