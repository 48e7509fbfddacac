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
  return quarnel::RegisterControlClass(hModule, kClassName, TileWndProc, NULL);
}

BOOL UnregisterTileControlClass(HINSTANCE hModule) {
  return quarnel::UnregisterControlClass(hModule, kClassName);
}
