// Screenshot mode of the sample host: "/screens <folder>".
#pragma once
#include <windows.h>

namespace host {
// When screenshot mode is on, shows the window, writes "<folder>\<name>.ready" and waits
// (pumping messages) until the capturing script has renamed it to "<name>.done".
// Returns false when screenshot mode is off.
bool CaptureWindow(HWND hwnd, const wchar_t* name);
bool ScreenshotMode();
void SetScreenshotFolder(const wchar_t* folder);
}  // namespace host
