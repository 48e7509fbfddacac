// The pace of a view's panning: the view scrolls by the pointer's speed once per pass, and the
// passes follow the clock rather than the timer's ticks, so that panning keeps its speed when
// ticks come late (a busy machine, a slow paint) and does not speed up when they come early.
// Both drawing views pan with it.
#pragma once
#include <windows.h>

#include "quarnel_api.h"

class QUARNEL_API CPanPacer {
 public:
  enum : unsigned { kPassMilliseconds = 15, kMaxPassesAtOnce = 4 };

  // Starts at `now` (milliseconds of a clock that may wrap, GetTickCount's).
  explicit CPanPacer(DWORD now);
  // The whole passes due at `now` since the last call: the time of a pass not yet complete is
  // kept for the next call; beyond kMaxPassesAtOnce the time is dropped (a stalled loop does
  // not jump the view).
  unsigned PassesDue(DWORD now);
  // Pixels a pass on one axis for the pointer's distance from the anchor: none within 4
  // pixels, one up to 10, then half the distance.
  static int Speed(int distance);

 private:
  DWORD m_last;
};
