// Helpers of the image tests: 32-bit canvases whose pixels are read directly.
#pragma once
#include <windows.h>

#include <string>

namespace imagetest {

// COLORREF to the 0x00RRGGBB value of a 32-bit DIB pixel.
inline DWORD Px(COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); }

// A top-down 32-bit DIB section selected into a memory DC.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255));
  ~Canvas();
  HDC dc() const { return m_dc; }
  HBITMAP bitmap() const { return m_bmp; }
  int width() const { return m_w; }
  int height() const { return m_h; }
  DWORD At(int x, int y) const;
  void Fill(COLORREF c);
  // Number of pixels in the rectangle [x0, x1) x [y0, y1) that differ from c.
  int CountOtherThan(int x0, int y0, int x1, int y1, COLORREF c) const;

 private:
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC m_dc;
  HBITMAP m_bmp;
  HGDIOBJ m_old;
  DWORD* m_bits;
  int m_w, m_h;
};

// Reads all pixels of any bitmap as 0x00RRGGBB, top row first.
std::basic_string<DWORD> PixelsOf(HBITMAP bmp, int* width = nullptr, int* height = nullptr);

// Writes bytes to a new file; returns its path.
std::string WriteTempFile(const char* stem, const std::string& bytes);

}  // namespace imagetest
