// Points, rectangles, their streams, and the point and rectangle arrays.
#include "QvGeometry.h"

QV_IMPLEMENT_CREATABLE(QvArrayQvPoint, nullptr)
QV_IMPLEMENT_CREATABLE(QvArrayQvRect, nullptr)
QV_CLASSINIT(QvArrayQvPoint)
QV_CLASSINIT(QvArrayQvRect)

void QvRect::Set(long l, long t, long r, long b) {
  left = l;
  top = t;
  right = r;
  bottom = b;
}

void QvRect::Set(const QvPoint& topLeft, const QvPoint& bottomRight) {
  Set(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void QvRect::Offset(long dx, long dy) {
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;
}

void QvRect::Inset(long dx, long dy) {
  left += dx;
  top += dy;
  right -= dx;
  bottom -= dy;
}

bool QvRect::PointInRect(const QvPoint& p) const {
  return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
}

bool QvRect::Inside(const QvRect& r) const {
  return left <= r.left && right >= r.right && top <= r.top && bottom >= r.bottom;
}

void QvRect::Union(const QvRect& a, const QvRect& b) {
  if (a.isEmpty()) {
    *this = b;
  } else if (b.isEmpty()) {
    *this = a;
  } else {
    Set(a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
        a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom);
  }
}

void QvRect::Union(const QvRect& b) {
  if (b.isEmpty()) return;
  QvRect a(*this);
  Union(a, b);
}

bool QvRect::Intersection(const QvRect& a, const QvRect& b) {
  if (a.left < b.right && a.right > b.left && a.top < b.bottom && a.bottom > b.top) {
    Set(a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
        a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom);
    return !isEmpty();
  }
  SetRectEmpty();
  return false;
}

bool QvRect::Intersection(const QvRect& b) {
  QvRect a(*this);
  return Intersection(a, b);
}

QvRect QvRect::operator+(const QvSize& s) const {
  QvRect r(*this);
  r.Offset(s.cx, s.cy);
  return r;
}

bool QvIntersectRect(const QvRect& a, const QvRect& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  return a.left < b.right && a.right > b.left && a.top < b.bottom && a.bottom > b.top;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvPoint& p) {
  return out << p.x << p.y;
}

QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvPoint& p) {
  QvPoint read;
  in >> read.x >> read.y;
  if (!in.Failed()) p = read;
  return in;
}

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvRect& r) {
  return out << r.left << r.top << r.right << r.bottom;
}

QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvRect& r) {
  QvRect read;
  in >> read.left >> read.top >> read.right >> read.bottom;
  if (!in.Failed()) r = read;
  return in;
}
