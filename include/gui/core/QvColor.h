// QvColor: a colour of three 16-bit channels (an 8-bit channel value sits in the high byte).
//
// Arithmetic gives new colours; each channel is computed without overflow and then clamped
// to 0..65535, so it never wraps. Division by a zero channel gives 65535 (0 when the dividend
// channel is 0 too); a product or quotient with a double is truncated toward zero.
#pragma once
#include <vekkel.h>

#include "quarnel_api.h"

// A colour of the system by its portable number; any other number is a system colour index
// (COLOR_...).
typedef int QvSystemColor;
enum { QvSysButtonFace = 0, QvSysWindow = 1, QvSysButtonText = 2, QvSysHighlight = 3, QvSysHighlightText = 4 };

class QUARNEL_API QvColor {
 public:
  QvColor() : red(0), green(0), blue(0) {}
  QvColor(unsigned short r, unsigned short g, unsigned short b) : red(r), green(g), blue(b) {}
  QvColor(const QvColor& other) = default;
  QvColor& operator=(const QvColor& other) = default;
  bool operator==(const QvColor& o) const { return red == o.red && green == o.green && blue == o.blue; }
  bool operator!=(const QvColor& o) const { return !(*this == o); }

  QvColor operator+(const QvColor& o) const;
  QvColor operator-(const QvColor& o) const;
  QvColor operator*(const QvColor& o) const;
  QvColor operator/(const QvColor& o) const;  // integer division
  QvColor operator+(long n) const;
  QvColor operator-(long n) const;
  QvColor operator*(double f) const;
  QvColor operator/(double f) const;

  // The system's colour of that kind (each 8-bit channel in the high byte); true.
  static bool GetSystemColor(QvSystemColor which, QvColor& color);

  unsigned short red;
  unsigned short green;
  unsigned short blue;
};

// Red, green and blue, each as an unsigned short. A read that fails leaves the colour as it
// was.
QUARNEL_API QvVirtualOutputStream& operator<<(QvVirtualOutputStream& out, const QvColor& c);
QUARNEL_API QvVirtualInputStream& operator>>(QvVirtualInputStream& in, QvColor& c);
