// The shadow windows: their class, their drawing, and the layered-window functions of
// user32 they need (looked up at run time).
#pragma once
#include <windows.h>

namespace ombrel {

extern const wchar_t kShadowClass[];

// Looks the layered-window functions up; false when the system has none.
bool LoadLayeredFunctions();
// Registers the shadow class once per process for `instance`; false when it cannot be.
bool RegisterShadowClass(HINSTANCE instance);
// A shadow popup owned by `owner`, with its side and opacity set, shown without activation.
HWND CreateShadow(HINSTANCE instance, HWND owner, bool right, int opacity);

// The shadow's pixels: black, alpha fading outwards (see the gradient square), scaled by
// the opacity (0 counts as 1). `bits` is a top-down w x h 32-bit image.
void FillShadowBits(DWORD* bits, int w, int h, bool right, int opacity);

}  // namespace ombrel
