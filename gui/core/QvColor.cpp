// Colour arithmetic and the colour's stream operators.
#include "QvColor.h"

#include <windows.h>


namespace {

unsigned short Clamp(long long v) {
  return static_cast<unsigned short>(v < 0 ? 0 : v > 65535 ? 65535 : v);
}

// A double result truncated toward zero and clamped; NaN (0 / 0) gives 0.
unsigned short Clamp(double v) {
  if (!(v > 0)) return 0;
  if (v >= 65535.0) return 65535;
  return static_cast<unsigned short>(v);
}

template <class Op>
QvColor Channels(const QvColor& a, const QvColor& b, Op op) {
  return QvColor(Clamp(op(a.red, b.red)), Clamp(op(a.green, b.green)), Clamp(op(a.blue, b.blue)));
}

long long Quotient(long long a, long long b) {
  if (b == 0) return a == 0 ? 0 : 65535;
  return a / b;
}

}  // namespace

QvColor QvColor::operator+(const QvColor& o) const {
  return Channels(*this, o, [](long long a, long long b) { return a + b; });
}
QvColor QvColor::operator-(const QvColor& o) const {
  return Channels(*this, o, [](long long a, long long b) { return a - b; });
}
QvColor QvColor::operator*(const QvColor& o) const {
  return Channels(*this, o, [](long long a, long long b) { return a * b; });
}
QvColor QvColor::operator/(const QvColor& o) const { return Channels(*this, o, Quotient); }

QvColor QvColor::operator+(long n) const {
  return QvColor(Clamp(static_cast<long long>(red) + n), Clamp(static_cast<long long>(green) + n),
                 Clamp(static_cast<long long>(blue) + n));
}
QvColor QvColor::operator-(long n) const {
  return QvColor(Clamp(static_cast<long long>(red) - n), Clamp(static_cast<long long>(green) - n),
                 Clamp(static_cast<long long>(blue) - n));
}
QvColor QvColor::operator*(double f) const { return QvColor(Clamp(red * f), Clamp(green * f), Clamp(blue * f)); }
QvColor QvColor::operator/(double f) const { return QvColor(Clamp(red / f), Clamp(green / f), Clamp(blue / f)); }

QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvColor& c) {
  return out << c.red << c.green << c.blue;
}

QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvColor& c) {
  QvColor read;
  in >> read.red >> read.green >> read.blue;
  if (!in.Failed()) c = read;
  return in;
}

bool QvColor::GetSystemColor(QvSystemColor which, QvColor& color) {
  static const int kIndices[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_BTNTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
  const int index = which >= 0 && which < 5 ? kIndices[which] : which;
  const COLORREF c = ::GetSysColor(index);
  color = QvColor(static_cast<unsigned short>(GetRValue(c) << 8), static_cast<unsigned short>(GetGValue(c) << 8),
                  static_cast<unsigned short>(GetBValue(c) << 8));
  return true;
}
