// A window of the sample host with the small framework controls: three hyperlinks (plain,
// visited, hovered), a tab control of shared width with owner-drawn tabs and images, an
// auto-complete edit showing a completion, a text with clickable zones, one hovered, and an
// HTML control with a report summary in place of a static.
#pragma once
#include <windows.h>

namespace host {
// A captioned popup owned by `owner`, at `rc` (screen coordinates), not yet shown; NULL when
// it cannot be made. The window frees what it holds when it is destroyed.
HWND CreateWebControlsWindow(HWND owner, const RECT& rc);
// Shows it in its pictured state (the hover and the completion) and has it captured.
void CaptureWebControls(HWND window);
}  // namespace host
