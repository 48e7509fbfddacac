// The clock-paced passes of a view's panning.
#include "UIPanPacer.h"

#include <stdlib.h>

CPanPacer::CPanPacer(DWORD now) : m_last(now) {}

unsigned CPanPacer::PassesDue(DWORD now) {
  // Unsigned difference: right across the clock's wrap.
  const DWORD elapsed = now - m_last;
  const DWORD passes = elapsed / kPassMilliseconds;
  if (passes == 0) return 0;
  if (passes > kMaxPassesAtOnce) {
    m_last = now;
    return kMaxPassesAtOnce;
  }
  m_last += passes * kPassMilliseconds;
  return static_cast<unsigned>(passes);
}

int CPanPacer::Speed(int d) {
  const int a = abs(d);
  if (a < 5) return 0;
  if (a <= 10) return d < 0 ? -1 : 1;
  return d / 2;
}
