// Drawing surfaces of the view benchmarks.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>

// A 32-bit top-down DIB section selected into a memory DC, white at first.
class Dib {
 public:
  Dib(int width, int height) : m_count(static_cast<size_t>(width) * height) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(NULL);
    m_bitmap = CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), NULL, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    Clear();
  }
  ~Dib() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  HDC dc() const { return m_dc; }
  bool valid() const { return m_bits != NULL; }
  void Clear() {
    GdiFlush();
    if (m_bits != NULL) std::fill(m_bits, m_bits + m_count, 0x00FFFFFFu);
  }
  size_t DifferingPixels(const Dib& other) const {
    GdiFlush();
    size_t n = 0;
    for (size_t i = 0; i < m_count; ++i) n += (m_bits[i] & 0xFFFFFF) != (other.m_bits[i] & 0xFFFFFF);
    return n;
  }

 private:
  size_t m_count;
  HDC m_dc = NULL;
  HBITMAP m_bitmap = NULL;
  HGDIOBJ m_old = NULL;
  DWORD* m_bits = NULL;
};

// A monochrome 8 x 8 pattern brush of zero bits, painted in the DC's text colour: the kind of
// brush the view paints solid lines and solid fills with.
class MonoPatternBrush {
 public:
  MonoPatternBrush() {
    static const WORD zeros[8] = {};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, zeros);
    m_brush = CreatePatternBrush(bits);
    DeleteObject(bits);
  }
  ~MonoPatternBrush() { DeleteObject(m_brush); }
  MonoPatternBrush(const MonoPatternBrush&) = delete;
  MonoPatternBrush& operator=(const MonoPatternBrush&) = delete;
  HBRUSH get() const { return m_brush; }

 private:
  HBRUSH m_brush;
};
