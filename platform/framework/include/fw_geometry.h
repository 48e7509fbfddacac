// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with their usual operations.
#pragma once
#include "fw_defs.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
 public:
  CPoint() noexcept { x = y = 0; }
  CPoint(int initX, int initY) noexcept { x = initX, y = initY; }
  CPoint(POINT pt) noexcept { x = pt.x, y = pt.y; }
  CPoint(SIZE size) noexcept { x = size.cx, y = size.cy; }
  // LOWORD is x, HIWORD is y, both signed (as in the lParam of mouse messages).
  explicit CPoint(LPARAM dwPoint) noexcept {
    x = static_cast<short>(LOWORD(dwPoint));
    y = static_cast<short>(HIWORD(dwPoint));
  }

  void Offset(int xOffset, int yOffset) noexcept { x += xOffset, y += yOffset; }
  void Offset(POINT point) noexcept { Offset(point.x, point.y); }
  void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
  void SetPoint(int X, int Y) noexcept { x = X, y = Y; }

  BOOL operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
  BOOL operator!=(POINT point) const noexcept { return !operator==(point); }
  void operator+=(SIZE size) noexcept { Offset(size); }
  void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
  void operator+=(POINT point) noexcept { Offset(point); }
  void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }
  CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
  CPoint operator-() const noexcept { return CPoint(-x, -y); }
  CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
  inline CSize operator-(POINT point) const noexcept;
  inline CRect operator+(const RECT* lpRect) const noexcept;
  inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CSize : public tagSIZE {
 public:
  CSize() noexcept { cx = cy = 0; }
  CSize(int initCX, int initCY) noexcept { cx = initCX, cy = initCY; }
  CSize(SIZE initSize) noexcept { cx = initSize.cx, cy = initSize.cy; }
  CSize(POINT initPt) noexcept { cx = initPt.x, cy = initPt.y; }
  explicit CSize(DWORD dwSize) noexcept {
    cx = static_cast<short>(LOWORD(dwSize));
    cy = static_cast<short>(HIWORD(dwSize));
  }

  void SetSize(int CX, int CY) noexcept { cx = CX, cy = CY; }
  BOOL operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
  BOOL operator!=(SIZE size) const noexcept { return !operator==(size); }
  void operator+=(SIZE size) noexcept { cx += size.cx, cy += size.cy; }
  void operator-=(SIZE size) noexcept { cx -= size.cx, cy -= size.cy; }
  CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const noexcept { return CSize(-cx, -cy); }
  CPoint operator+(POINT point) const noexcept { return CPoint(cx + point.x, cy + point.y); }
  CPoint operator-(POINT point) const noexcept { return CPoint(cx - point.x, cy - point.y); }
  inline CRect operator+(const RECT* lpRect) const noexcept;
  inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CRect : public tagRECT {
 public:
  CRect() noexcept { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) noexcept { left = l, top = t, right = r, bottom = b; }
  CRect(const RECT& srcRect) noexcept { CopyRect(&srcRect); }
  CRect(const RECT* lpSrcRect) noexcept { CopyRect(lpSrcRect); }
  CRect(POINT point, SIZE size) noexcept {
    left = point.x, top = point.y, right = point.x + size.cx, bottom = point.y + size.cy;
  }
  CRect(POINT topLeft, POINT bottomRight) noexcept {
    left = topLeft.x, top = topLeft.y, right = bottomRight.x, bottom = bottomRight.y;
  }

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  CSize Size() const noexcept { return CSize(Width(), Height()); }
  CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
  void SwapLeftRight() noexcept { SwapLeftRight(this); }
  static void SwapLeftRight(LPRECT lpRect) noexcept {
    LONG t = lpRect->left;
    lpRect->left = lpRect->right;
    lpRect->right = t;
  }

  operator LPRECT() noexcept { return this; }
  operator LPCRECT() const noexcept { return this; }

  BOOL IsRectEmpty() const noexcept { return left >= right || top >= bottom; }
  BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const noexcept {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }

  void SetRect(int x1, int y1, int x2, int y2) noexcept { left = x1, top = y1, right = x2, bottom = y2; }
  void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
  void CopyRect(LPCRECT lpSrcRect) noexcept {
    if (lpSrcRect)
      left = lpSrcRect->left, top = lpSrcRect->top, right = lpSrcRect->right, bottom = lpSrcRect->bottom;
    else
      SetRectEmpty();
  }
  BOOL EqualRect(LPCRECT lpRect) const noexcept {
    return lpRect && left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
  }

  void InflateRect(int x, int y) noexcept { left -= x, top -= y, right += x, bottom += y; }
  void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) noexcept {
    left -= lpRect->left, top -= lpRect->top, right += lpRect->right, bottom += lpRect->bottom;
  }
  void InflateRect(int l, int t, int r, int b) noexcept { left -= l, top -= t, right += r, bottom += b; }
  void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) noexcept {
    left += lpRect->left, top += lpRect->top, right -= lpRect->right, bottom -= lpRect->bottom;
  }
  void DeflateRect(int l, int t, int r, int b) noexcept { left += l, top += t, right -= r, bottom -= b; }

  void OffsetRect(int x, int y) noexcept { left += x, top += y, right += x, bottom += y; }
  void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void MoveToY(int y) noexcept { bottom = Height() + y, top = y; }
  void MoveToX(int x) noexcept { right = Width() + x, left = x; }
  void MoveToXY(int x, int y) noexcept { MoveToX(x), MoveToY(y); }
  void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }
  void NormalizeRect() noexcept {
    if (left > right) SwapLeftRight();
    if (top > bottom) {
      LONG t = top;
      top = bottom;
      bottom = t;
    }
  }

  // Intersection and union follow the Win32 rules (empty inputs give an empty result).
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::IntersectRect(this, lpRect1, lpRect2); }
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::UnionRect(this, lpRect1, lpRect2); }
  BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) noexcept {
    return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
  }

  CRect& operator=(const RECT& srcRect) noexcept {
    CopyRect(&srcRect);
    return *this;
  }
  BOOL operator==(const RECT& rect) const noexcept { return EqualRect(&rect); }
  BOOL operator!=(const RECT& rect) const noexcept { return !EqualRect(&rect); }
  void operator+=(POINT point) noexcept { OffsetRect(point); }
  void operator+=(SIZE size) noexcept { OffsetRect(size); }
  void operator+=(LPCRECT lpRect) noexcept { InflateRect(lpRect); }
  void operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT lpRect) noexcept { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) noexcept { IntersectRect(this, &rect); }
  void operator|=(const RECT& rect) noexcept { UnionRect(this, &rect); }
  CRect operator+(POINT pt) const noexcept {
    CRect r(*this);
    r.OffsetRect(pt);
    return r;
  }
  CRect operator-(POINT pt) const noexcept {
    CRect r(*this);
    r.OffsetRect(-pt.x, -pt.y);
    return r;
  }
  CRect operator+(SIZE size) const noexcept {
    CRect r(*this);
    r.OffsetRect(size);
    return r;
  }
  CRect operator-(SIZE size) const noexcept {
    CRect r(*this);
    r.OffsetRect(-size.cx, -size.cy);
    return r;
  }
  CRect operator+(LPCRECT lpRect) const noexcept {
    CRect r(*this);
    r.InflateRect(lpRect);
    return r;
  }
  CRect operator-(LPCRECT lpRect) const noexcept {
    CRect r(*this);
    r.DeflateRect(lpRect);
    return r;
  }
  CRect operator&(const RECT& rect2) const noexcept {
    CRect r;
    r.IntersectRect(this, &rect2);
    return r;
  }
  CRect operator|(const RECT& rect2) const noexcept {
    CRect r;
    r.UnionRect(this, &rect2);
    return r;
  }
  // Scales every edge by nMultiplier / nDivisor (rounded, as MulDiv does).
  CRect MulDiv(int nMultiplier, int nDivisor) const noexcept {
    return CRect(::MulDiv(left, nMultiplier, nDivisor), ::MulDiv(top, nMultiplier, nDivisor),
                 ::MulDiv(right, nMultiplier, nDivisor), ::MulDiv(bottom, nMultiplier, nDivisor));
  }
};

inline CSize CPoint::operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
inline CRect CPoint::operator+(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(x, y);
  return r;
}
inline CRect CPoint::operator-(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(-x, -y);
  return r;
}
inline CRect CSize::operator+(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(cx, cy);
  return r;
}
inline CRect CSize::operator-(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(-cx, -cy);
  return r;
}
