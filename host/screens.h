// Screenshot mode of the sample host: "/screens <folder>".
#pragma once
#include <windows.h>

#include <vector>

namespace host {
// When screenshot mode is on, shows the window, writes "<folder>\<name>.ready" and waits
// (pumping messages) until the capturing script has renamed it to "<name>.done".
// Returns false when screenshot mode is off. The picture reaches `margin` pixels past the
// window's right and bottom edges (for what stands beside it, such as its shadow).
// With ownedOnTop, the visible frames that the window owns (floating bars) show above it, as the
// system keeps them (the last of them is active then).
bool CaptureWindow(HWND hwnd, const wchar_t* name, int margin = 0, bool ownedOnTop = false);
bool ScreenshotMode();

// In screenshot mode, for the menu tracked next while it is in scope: presses `keys` once the
// menu is open (to highlight an item or open a popup), then has `window` captured as `name`
// with the menu showing, and ends the menu. Does nothing outside screenshot mode.
class MenuCapture {
 public:
  MenuCapture(HWND window, const wchar_t* name, std::vector<WORD> keys);
  ~MenuCapture();
  MenuCapture(const MenuCapture&) = delete;
  MenuCapture& operator=(const MenuCapture&) = delete;

 private:
  UINT_PTR m_keys = 0, m_capture = 0;
};
void SetScreenshotFolder(const wchar_t* folder);
}  // namespace host
