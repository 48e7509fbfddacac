// A 32-bit top-down DIB section selected into a memory CDC, with its pixels readable.
#pragma once
#include <framework.h>

class DibCanvas {
 public:
  DibCanvas(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_bitmap.Attach(::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), NULL, 0));
    m_dc.CreateCompatibleDC(NULL);
    m_old = m_dc.SelectObject(&m_bitmap);
  }
  ~DibCanvas() {
    if (m_old != NULL) m_dc.SelectObject(m_old);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  CDC& dc() { return m_dc; }
  bool valid() const { return m_bits != NULL && m_dc.m_hDC != NULL; }
  // The pixel as a COLORREF (0x00BBGGRR).
  COLORREF At(int x, int y) {
    ::GdiFlush();
    DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int CountOf(COLORREF c) {
    ::GdiFlush();
    int n = 0;
    for (int i = 0; i < m_width * m_height; ++i) {
      DWORD p = m_bits[i];
      if (RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == c) ++n;
    }
    return n;
  }

 private:
  int m_width, m_height;
  DWORD* m_bits = NULL;
  CBitmap m_bitmap;
  CDC m_dc;
  CBitmap* m_old = NULL;
};
