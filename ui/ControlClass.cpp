#include "ControlClass.h"

#include <vector>

namespace quarnel {

BOOL RegisterControlClass(HINSTANCE hModule, LPCWSTR name, WNDPROC proc, HBRUSH background) {
  WNDCLASSW existing;
  if (GetClassInfoW(hModule, name, &existing)) return TRUE;
  WNDCLASSW wc = {};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = 4;
  wc.hInstance = hModule;
  wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassW(&wc) != 0;
}

namespace {
struct Collect {
  LPCWSTR name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProc(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<Collect*>(lp);
  wchar_t cls[64];
  if (GetClassNameW(hwnd, cls, 64) && lstrcmpiW(cls, c->name) == 0 &&
      GetWindowThreadProcessId(hwnd, NULL) == GetCurrentThreadId())
    c->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

BOOL UnregisterControlClass(HINSTANCE hModule, LPCWSTR name) {
  Collect c{name, {}};
  EnumWindows(CollectProc, reinterpret_cast<LPARAM>(&c));
  for (HWND h : c.found)
    if (IsWindow(h)) DestroyWindow(h);
  return UnregisterClassW(name, hModule);
}

}  // namespace quarnel
