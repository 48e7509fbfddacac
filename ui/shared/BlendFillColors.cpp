// Solid stand-ins for the shading fill patterns.
#include "QvFillColors.h"

#include "UITrace.h"

namespace {
UlmLogger s_log("BlendFillColors");
}  // namespace

int BlendFillColors(COLORREF back, COLORREF fore, int level, COLORREF* out) {
  // Weight of the back colour for levels 3 to 8.
  static const double kBackWeight[] = {0.25, 0.5, 0.75, 0.875, 0.9375, 0.96875};
  if (out == NULL) {
    UI_TRACE_REFUSED(s_log, "no place for the colour");
    return 0;
  }
  if (level == 1) {
    *out = back;
  } else if (level == 2) {
    *out = fore;
  } else if (level >= 3 && level <= 8) {
    const double w = kBackWeight[level - 3];
    auto mix = [w](BYTE b, BYTE f) { return static_cast<BYTE>(b * w + f * (1.0 - w)); };
    *out = RGB(mix(GetRValue(back), GetRValue(fore)), mix(GetGValue(back), GetGValue(fore)),
               mix(GetBValue(back), GetBValue(fore)));
  } else {
    UI_TRACE_REFUSED(s_log, "level outside 1 to 8");
    return 0;
  }
  return 1;
}

COLORREF ColorToGray(COLORREF c) {
  if (c == 0xFFFFFF) return c;
  const int grey = static_cast<int>(0.30 * GetRValue(c) + 0.59 * GetGValue(c) + 0.11 * GetBValue(c)) & 0xFF;
  return static_cast<COLORREF>(grey) * 0x010101;
}
