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
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, IconPaneWndProc, 4, NULL};
  return quarnel::RegisterWindowClass(hModule, spec);
}

BOOL UnregisterIconPaneControlClass(HINSTANCE hModule) {
  return quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName);
}
