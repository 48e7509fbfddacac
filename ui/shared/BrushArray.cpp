// Pattern brushes cut from a strip of 8 x 8 patterns.
#include "UIUtilities.h"
#include "UIHandles.h"

#include <new>

int CBrushArray::m_Count = 0;

CBrushArray::CBrushArray() : m_nSerial(++m_Count), m_pBrushes(NULL), m_bm(), m_nBrushes(0) {}

CBrushArray::~CBrushArray() { Release(); }

void CBrushArray::Release() {
  for (int i = 0; m_pBrushes != NULL && i < m_nBrushes; ++i) {
    if (m_pBrushes[i] != NULL) DeleteObject(m_pBrushes[i]);
  }
  delete[] m_pBrushes;
  m_pBrushes = NULL;
  m_nBrushes = 0;
  m_bm = BITMAP();
  m_bitmap.DeleteObject();
}

void CBrushArray::TakeStrip() {
  if (!m_bitmap.GetBitmap(&m_bm) || m_bm.bmWidth < 8 || m_bm.bmHeight < 8) return;
  m_pBrushes = new (std::nothrow) HBRUSH[m_bm.bmHeight / 8]();
  if (m_pBrushes != NULL) m_nBrushes = m_bm.bmHeight / 8;
}

void CBrushArray::Init(UINT bitmapId) {
  Release();
  if (m_bitmap.LoadBitmap(bitmapId)) TakeStrip();
}

void CBrushArray::Init(HINSTANCE module, int bitmapId) {
  Release();
  if (HBITMAP strip = ::LoadBitmap(module, MAKEINTRESOURCE(bitmapId))) {
    m_bitmap.Attach(strip);
    TakeStrip();
  }
}

int CBrushArray::GetNumBrushes() { return m_nBrushes; }

HBRUSH CBrushArray::operator[](int i) {
  if (i < 0 || i >= m_nBrushes) return NULL;
  if (m_pBrushes[i] != NULL) return m_pBrushes[i];
  // The strip is read as 1-bit rows (black 0, white 1), top row first, whatever its own
  // depth: pattern i is rows 8i to 8i + 7, its leftmost 8 pixels.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = m_bm.bmWidth;
  info.header.biHeight = -m_bm.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[1].rgbRed = info.colours[1].rgbGreen = info.colours[1].rgbBlue = 0xFF;
  const size_t stride = ((static_cast<size_t>(m_bm.bmWidth) + 31) / 32) * 4;
  BYTE* bits = new (std::nothrow) BYTE[stride * m_bm.bmHeight];
  if (bits == NULL) return NULL;
  int rows = 0;
  {
    uih::WindowDC screen(NULL);
    if (screen)
      rows = GetDIBits(screen.Get(), static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), 0, m_bm.bmHeight, bits,
                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  }
  if (rows == m_bm.bmHeight) {
    // A monochrome bitmap takes rows of whole 16-bit words.
    BYTE pattern[16] = {};
    for (int r = 0; r < 8; ++r) pattern[2 * r] = bits[(static_cast<size_t>(i) * 8 + r) * stride];
    const uih::OwnedBitmap bmp(CreateBitmap(8, 8, 1, 1, pattern));
    if (bmp) m_pBrushes[i] = CreatePatternBrush(bmp.Get());  // the brush keeps its own copy
  }
  delete[] bits;
  return m_pBrushes[i];
}

BrushArrayRec* LoadPatterns(HINSTANCE module, int bitmapId) {
  BrushArrayRec* patterns = new (std::nothrow) BrushArrayRec();
  if (patterns == NULL) return NULL;
  patterns->brushes.Init(module, bitmapId);
  patterns->nBrushes = patterns->brushes.GetNumBrushes();
  return patterns;
}

void DeletePatterns(BrushArrayRec* patterns) { delete patterns; }
