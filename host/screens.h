// Screenshot mode of the sample host: "/screens <folder>".
#pragma once
#include <windows.h>

namespace host {
// When screenshot mode is on, shows the window, writes "<folder>\<name>.ready" and waits
// (pumping messages) until the capturing script has renamed it to "<name>.done".
// Returns false when screenshot mode is off. The picture reaches `margin` pixels past the
// window's right and bottom edges (for what stands beside it, such as its shadow).
bool CaptureWindow(HWND hwnd, const wchar_t* name, int margin = 0);
bool ScreenshotMode();
void SetScreenshotFolder(const wchar_t* folder);
}  // namespace host
