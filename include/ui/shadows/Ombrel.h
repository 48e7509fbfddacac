// Drop shadows: every top-level window of the thread that started them gets a soft shadow
// along its right and bottom edges, drawn by two layered, click-through popups that it owns
// and that follow it. Plain functions for any host.
#pragma once
#include "quarnel_api.h"

#include <windows.h>

extern "C" {
// Starts shadows for the calling thread (1 when already started); 0 without layered windows
// or when the thread cannot be hooked.
QUARNEL_API int WINAPI OmbrelBegin(HINSTANCE instance);
// Stops them: every shadow destroyed, the tables emptied.
QUARNEL_API void WINAPI OmbrelEnd();
// No shadow for this window (its shadows go now); 0 when no more exclusions fit. The
// exclusion lasts until the window is destroyed or unexcluded.
QUARNEL_API int WINAPI OmbrelExcludeWindow(HWND window);
QUARNEL_API void WINAPI OmbrelUnexcludeWindow(HWND window);
// No shadow for windows of a class given by name or by atom (MAKEINTATOM); 0 when full.
QUARNEL_API int WINAPI OmbrelExcludeClass(LPCWSTR classNameOrAtom);
// The opacity of the window's shadows (0 draws as 1), kept while the window is hidden.
QUARNEL_API void WINAPI OmbrelSetWindowShadowAlpha(HWND window, BYTE alpha);
// The system's text for the error in an error box; the box's answer.
QUARNEL_API int WINAPI OmbrelDisplayWinError(DWORD error, LPCWSTR caption);
}

// Messages of a shadow window.
const UINT OMBREL_SETALPHA = WM_USER + 1;  // WPARAM: opacity 0 to 255
const UINT OMBREL_SETSIDE = WM_USER + 2;   // WPARAM: non-zero for the right shadow
const int OMBREL_THICKNESS = 7;            // of a shadow, in pixels
