// Pattern brush sets cut from bitmap strips.
#include "GUIPatterns.h"

GUIPatternSet::~GUIPatternSet() {
  for (HBRUSH b : m_brushes)
    if (b) DeleteObject(b);
  if (m_strip) DeleteObject(m_strip);
}

bool GUIPatternSet::Init(UINT bitmapId) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(bitmapId), RT_BITMAP);
  HBITMAP strip = module ? LoadBitmap(module, MAKEINTRESOURCE(bitmapId)) : NULL;
  if (!strip) return false;
  BITMAP info = {};
  if (!GetObject(strip, sizeof info, &info) || info.bmWidth != 8 || info.bmBitsPixel != 1 || info.bmHeight < 8) {
    DeleteObject(strip);
    return false;
  }
  m_strip = strip;
  m_count = info.bmHeight / 8;
  m_brushes.assign(static_cast<size_t>(m_count), NULL);
  return true;
}

HBRUSH GUIPatternSet::operator[](int i) {
  if (i < 0 || i >= m_count) return NULL;
  if (!m_brushes[i]) {
    // Rows of a monochrome bitmap are word-aligned: 2 bytes a row, 16 bytes a pattern.
    const LONG bytes = 16L * m_count;
    std::vector<BYTE> bits(static_cast<size_t>(bytes));
    if (GetBitmapBits(m_strip, bytes, bits.data()) != bytes) return NULL;
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits.data() + 16 * i);
    if (!pattern) return NULL;
    m_brushes[i] = CreatePatternBrush(pattern);
    DeleteObject(pattern);
  }
  return m_brushes[i];
}
