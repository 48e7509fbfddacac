// The tool table control ("QvToolTable32").
#include "ControlClasses.h"
#include "ControlClass.h"

namespace {
const wchar_t kClassName[] = L"QvToolTable32";

LRESULT CALLBACK ToolTableWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterToolTableClass(HINSTANCE hModule) {
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, ToolTableWndProc, 4,
                                         static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))};
  return quarnel::RegisterWindowClass(hModule, spec);
}

BOOL UnregisterToolTableClass(HINSTANCE hModule) { return quarnel::UnregisterWindowClass(hModule, kClassName); }
