// The icon pane control ("QvIconPaneControl32").
#include "ControlClasses.h"
#include "ControlClass.h"

namespace {
const wchar_t kClassName[] = L"QvIconPaneControl32";

LRESULT CALLBACK IconPaneWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterIconPaneControlClass(HINSTANCE hModule) {
  return quarnel::RegisterControlClass(hModule, kClassName, IconPaneWndProc, NULL);
}

BOOL UnregisterIconPaneControlClass(HINSTANCE hModule) {
  return quarnel::UnregisterControlClass(hModule, kClassName);
}
