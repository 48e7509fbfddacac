// The tool table control ("QvToolTable32").
#include "ControlClasses.h"

namespace {
LRESULT CALLBACK ToolTableWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

BOOL RegisterToolTableClass(HINSTANCE hModule) {
  WNDCLASS wc = {};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ToolTableWndProc;
  wc.cbWndExtra = 4;
  wc.hInstance = hModule;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = _T("QvToolTable32");
  return AfxRegisterClass(&wc);
}
