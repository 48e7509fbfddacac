// The one drawing surface of the tests: a 32-bit top-down DIB section selected into a memory
// DC, whose pixels are read in place.
#pragma once
#include <windows.h>

#include <ostream>

namespace testing_support {

class DibCanvas {
 public:
  // Every pixel `fill` at first.
  DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // FALSE when the section or the DC could not be made; nothing else may then be asked.
  bool valid() const { return m_bits != NULL && m_dc != NULL; }
  HDC dc() const { return m_dc; }
  HBITMAP bitmap() const { return m_bitmap; }
  int width() const { return m_width; }
  int height() const { return m_height; }

  // The pixel as a COLORREF, after what GDI still has to draw.
  COLORREF At(int x, int y) const;
  void Fill(COLORREF c);
  // Pixels of colour c, on the whole surface or inside r.
  int CountOf(COLORREF c) const;
  int CountOf(COLORREF c, const RECT& r) const;
  // Pixels other than c inside r.
  int CountOtherThan(COLORREF c, const RECT& r) const;

 private:
  DWORD Raw(int x, int y) const { return m_bits[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF; }
  int m_width, m_height;
  HDC m_dc = NULL;
  HBITMAP m_bitmap = NULL;
  HGDIOBJ m_old = NULL;
  DWORD* m_bits = NULL;
};

// The pixel of any bitmap (not selected into a DC meanwhile), read through a memory DC.
COLORREF PixelOfBitmap(HBITMAP bitmap, int x, int y);
// A screen-compatible bitmap of w x h in one colour (the caller deletes it).
HBITMAP SolidScreenBitmap(int w, int h, COLORREF c);
// The number of pixels in which two canvases of the same size differ.
int DifferingPixels(const DibCanvas& a, const DibCanvas& b);

// What a routine given a DC to draw on must leave as it found it: the selected pen, brush,
// font and bitmap, the text and background colours and the background mode.
struct DcState {
  HGDIOBJ pen, brush, font, bitmap;
  COLORREF text, back;
  int mode;
  static DcState Of(HDC dc) {
    return DcState{GetCurrentObject(dc, OBJ_PEN),  GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_FONT),
                   GetCurrentObject(dc, OBJ_BITMAP), GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)};
  }
  bool operator==(const DcState& o) const {
    return pen == o.pen && brush == o.brush && font == o.font && bitmap == o.bitmap && text == o.text &&
           back == o.back && mode == o.mode;
  }
};
inline void PrintTo(const DcState& s, std::ostream* out) {
  *out << "{pen " << s.pen << ", brush " << s.brush << ", font " << s.font << ", bitmap " << s.bitmap << ", text "
       << std::hex << s.text << ", back " << s.back << std::dec << ", mode " << s.mode << "}";
}

// COLORREF to the 0x00RRGGBB value of a 32-bit DIB pixel, and back.
inline DWORD PixelOf(COLORREF c) {
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF ColorOf(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

}  // namespace testing_support
