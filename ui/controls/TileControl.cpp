// The tile control ("QvTileControl32").
#include "ControlClasses.h"
#include "ControlClass.h"
#include "UITrace.h"

#include <fw_defs.h>

namespace {
UlmLogger s_log("TileControl");
const wchar_t kClassName[] = L"QvTileControl32";

LRESULT CALLBACK TileWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterTileControlClass(HINSTANCE hModule) {
  ASSERT(hModule != NULL);
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, TileWndProc,
                                         static_cast<int>(sizeof(LONG_PTR)), NULL};
  if (quarnel::RegisterWindowClass(hModule, spec)) return TRUE;
  UI_TRACE_FAILED(s_log, "RegisterClassW");
  return FALSE;
}

BOOL UnregisterTileControlClass(HINSTANCE hModule) {
  if (quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName)) return TRUE;
  UI_TRACE_FAILED(s_log, "UnregisterClassW");
  return FALSE;
}
