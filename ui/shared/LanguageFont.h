// The font rule of the small controls (tool-table buttons, nail strips) for the Far-East
// user-interface languages.
#pragma once
#include <windows.h>

namespace quarnel {
// The label whose text is the face of those controls' fonts in those languages.
enum : DWORD { kFarEastFaceLabel = 32885 };

// For a Far-East user-interface language of the origin information ("ja", "zh_CN", "zh_TW",
// and "ko" when withKorean): 9 points at the DC's resolution, the language's character set
// (128, 134, 136; Korean 129) and the face from the label (kept as it is when the label has no
// text), upright; true then. False for any other language, with lf untouched.
bool FarEastLogFont(LOGFONTW& lf, HDC dc, bool withKorean);
}  // namespace quarnel
