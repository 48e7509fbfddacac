// The icon pane control ("QvIconPaneControl32").
#include "ControlClasses.h"
#include "ControlClass.h"
#include "UITrace.h"

#include <fw_defs.h>

namespace {
UlmLogger s_log("IconPaneControl");
const wchar_t kClassName[] = L"QvIconPaneControl32";

LRESULT CALLBACK IconPaneWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterIconPaneControlClass(HINSTANCE hModule) {
  ASSERT(hModule != NULL);
  const quarnel::WindowClassSpec spec = {kClassName, CS_GLOBALCLASS | CS_DBLCLKS, IconPaneWndProc, 4, NULL};
  if (quarnel::RegisterWindowClass(hModule, spec)) return TRUE;
  UI_TRACE_FAILED(s_log, "RegisterClassW");
  return FALSE;
}

BOOL UnregisterIconPaneControlClass(HINSTANCE hModule) {
  if (quarnel::DestroyWindowsAndUnregisterClass(hModule, kClassName)) return TRUE;
  UI_TRACE_FAILED(s_log, "UnregisterClassW");
  return FALSE;
}
