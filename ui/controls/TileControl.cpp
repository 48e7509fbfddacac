// The tile control ("QvTileControl32").
#include "ControlClasses.h"
#include "ControlClass.h"

namespace {
const wchar_t kClassName[] = L"QvTileControl32";

LRESULT CALLBACK TileWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterTileControlClass(HINSTANCE hModule) {
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, TileWndProc, 4, NULL};
  return quarnel::RegisterWindowClass(hModule, spec);
}

BOOL UnregisterTileControlClass(HINSTANCE hModule) {
  return quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName);
}
