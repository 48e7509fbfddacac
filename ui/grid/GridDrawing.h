// Drawing helpers of the grid and its cells. Lines and frames use the DC's own pen and brush
// (DC_PEN, DC_BRUSH) recoloured, so that painting makes no GDI objects.
#pragma once
#include <windows.h>

#include <UIHandles.h>

namespace grid_drawing {

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, NULL, 0, NULL);
  SetBkColor(dc, old);
}

// The DC pen in a colour for the scope (the previous pen and pen colour come back at its end).
class DCPen {
 public:
  DCPen(HDC dc, COLORREF colour)
      : m_dc(dc), m_selection(dc, static_cast<HPEN>(GetStockObject(DC_PEN))), m_old(SetDCPenColor(dc, colour)) {}
  ~DCPen() { SetDCPenColor(m_dc, m_old); }
  void Colour(COLORREF colour) { SetDCPenColor(m_dc, colour); }
  DCPen(const DCPen&) = delete;
  DCPen& operator=(const DCPen&) = delete;

 private:
  HDC m_dc;
  uih::Selection m_selection;
  COLORREF m_old;
};

// A one-pixel frame inside r in a colour.
inline void Frame(HDC dc, const RECT& r, COLORREF colour) {
  const COLORREF old = SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, old);
}

}  // namespace grid_drawing
