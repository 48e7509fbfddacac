// Geometry of the portable layer: points, sizes and rectangles of 32-bit values, their stream
// operators, and growable arrays of points and of rectangles.
//
// Rectangles are taken as stored: nothing normalises them, so a rectangle whose right lies
// left of its left is not empty.
#pragma once
#include <new>

#include <vekkel.h>

#include "quarnel_api.h"

class QUARNEL_API QvPoint {
 public:
  QvPoint() : x(0), y(0) {}
  QvPoint(long px, long py) : x(px), y(py) {}
  QvPoint(const QvPoint& other) = default;
  QvPoint& operator=(const QvPoint& other) = default;
  bool operator==(const QvPoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const QvPoint& o) const { return !(*this == o); }

  long x;
  long y;
};

class QUARNEL_API QvSize {
 public:
  QvSize() : cx(0), cy(0) {}
  QvSize(long w, long h) : cx(w), cy(h) {}
  QvSize operator+(const QvSize& o) const { return QvSize(cx + o.cx, cy + o.cy); }
  QvSize operator-(const QvSize& o) const { return QvSize(cx - o.cx, cy - o.cy); }
  QvSize operator-() const { return QvSize(-cx, -cy); }
  bool operator==(const QvSize& o) const { return cx == o.cx && cy == o.cy; }

  long cx;
  long cy;
};

class QUARNEL_API QvRect {
 public:
  QvRect() : left(0), top(0), right(0), bottom(0) {}
  QvRect(long l, long t, long r, long b) : left(l), top(t), right(r), bottom(b) {}
  QvRect(const QvPoint& topLeft, const QvPoint& bottomRight)
      : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}

  void Set(long l, long t, long r, long b);
  void SetRect(long l, long t, long r, long b) { Set(l, t, r, b); }
  void Set(const QvPoint& topLeft, const QvPoint& bottomRight);
  void CopyRect(const QvRect& r) { *this = r; }
  void SetRectEmpty() { Set(0, 0, 0, 0); }

  void Offset(long dx, long dy);
  void Offset(const QvPoint& d) { Offset(d.x, d.y); }
  // Moves the edges inwards (Inset) or outwards (InflateRect) by dx and dy.
  void Inset(long dx, long dy);
  void InflateRect(long dx, long dy) { Inset(-dx, -dy); }

  // Empty when top equals bottom or left equals right.
  bool isEmpty() const { return top == bottom || left == right; }
  bool IsRectEmpty() const { return isEmpty(); }
  bool operator==(const QvRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const QvRect& o) const { return !(*this == o); }

  // Left and top edges inside, right and bottom edges outside.
  bool PointInRect(const QvPoint& p) const;
  // True when this rectangle contains r.
  bool Inside(const QvRect& r) const;

  // The smallest rectangle holding both; an empty one of the two gives the other.
  void Union(const QvRect& a, const QvRect& b);
  // The same with this rectangle as a; an empty b leaves this rectangle unchanged.
  void Union(const QvRect& b);
  // The overlap of a and b and true; rectangles that only touch or do not meet give
  // (0, 0, 0, 0) and false.
  bool Intersection(const QvRect& a, const QvRect& b);
  bool IntersectRect(const QvRect& a, const QvRect& b) { return Intersection(a, b); }
  bool Intersection(const QvRect& b);

  // The corners, each its own value.
  QvPoint TopLeft() const { return QvPoint(left, top); }
  QvPoint TopRight() const { return QvPoint(right, top); }
  QvPoint BottomLeft() const { return QvPoint(left, bottom); }
  QvPoint BottomRight() const { return QvPoint(right, bottom); }

  // The rectangle moved by s.
  QvRect operator+(const QvSize& s) const;

  long left;
  long top;
  long right;
  long bottom;
};

// True when a and b overlap (strictly) and neither is empty.
QUARNEL_API bool QvIntersectRect(const QvRect& a, const QvRect& b);

// Stream operators: each coordinate as a long. A read that fails leaves the value as it was
// (the stream tells the failure).
QUARNEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvPoint& p);
QUARNEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvPoint& p);
QUARNEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvRect& r);
QUARNEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvRect& r);

// Growable arrays of points and of rectangles. The growth step is the one given, or, when it
// is 0, half the current size (4 when that half is below 5). Element access by index gives a
// copy; a bad index throws QvException(IndexOutOfRange).
template <class T>
class QvValueArray : public QvArrayOf<T> {
 public:
  T operator[](long index) const { return this->GetAt(index); }
  // growBy -1 keeps the growth step. newSize 0 frees the buffer. New elements are
  // default values whether or not `construct` asks for it (this layer never leaves them
  // undefined). A failed allocation leaves the array as it was.
  void SetSizeWithOptionnalInit(long newSize, long growBy, bool /*construct*/) {
    try {
      this->SetSize(newSize, growBy);
    } catch (const std::bad_alloc&) {
    }
  }
};

class QUARNEL_API QvArrayQvPoint : public QvValueArray<QvPoint> {
  QV_DECLARE_CLASS(QvArrayQvPoint)
};

class QUARNEL_API QvArrayQvRect : public QvValueArray<QvRect> {
  QV_DECLARE_CLASS(QvArrayQvRect)
};
