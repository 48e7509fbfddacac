#include "ControlClass.h"

#include <fw_defs.h>

namespace quarnel {

namespace {

// The class atom of `name`, 0 when no such class is registered.
ATOM ClassAtom(HINSTANCE module, LPCWSTR name, WNDCLASSEXW* info) {
  info->cbSize = sizeof(*info);
  return static_cast<ATOM>(GetClassInfoExW(module, name, info));
}

struct Search {
  ATOM atom;
  DWORD process;
  std::vector<HWND>* found;
};

void Consider(HWND hwnd, const Search& s) {
  if (static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM)) == s.atom) s.found->push_back(hwnd);
}

BOOL CALLBACK ConsiderDescendant(HWND hwnd, LPARAM lp) {
  Consider(hwnd, *reinterpret_cast<const Search*>(lp));
  return TRUE;
}

// A top-level or message-only window of the process, then all its descendants.
void ConsiderTree(HWND top, const Search& s) {
  DWORD process = 0;
  GetWindowThreadProcessId(top, &process);
  if (process != s.process) return;
  Consider(top, s);
  EnumChildWindows(top, ConsiderDescendant, reinterpret_cast<LPARAM>(&s));
}

BOOL CALLBACK ConsiderTopLevel(HWND hwnd, LPARAM lp) {
  ConsiderTree(hwnd, *reinterpret_cast<const Search*>(lp));
  return TRUE;
}

std::vector<HWND> WindowsOfAtom(ATOM atom) {
  std::vector<HWND> found;
  Search s{atom, GetCurrentProcessId(), &found};
  EnumWindows(ConsiderTopLevel, reinterpret_cast<LPARAM>(&s));
  // Message-only windows are not among the top-level windows.
  for (HWND h = FindWindowExW(HWND_MESSAGE, NULL, NULL, NULL); h != NULL;
       h = FindWindowExW(HWND_MESSAGE, h, NULL, NULL))
    ConsiderTree(h, s);
  return found;
}

BOOL Register(HINSTANCE module, const WindowClassSpec& spec) {
  WNDCLASSW wc = {};
  wc.style = spec.style;
  wc.lpfnWndProc = spec.proc;
  wc.cbWndExtra = spec.windowExtra;
  wc.hInstance = module;
  wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = spec.background;
  wc.lpszClassName = spec.name;
  return RegisterClassW(&wc) != 0;
}

}  // namespace

HINSTANCE LibraryInstance() {
  HMODULE module = NULL;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&LibraryInstance), &module);
  return module;
}

BOOL RegisterWindowClass(HINSTANCE module, const WindowClassSpec& spec) {
  ASSERT(spec.name != NULL && spec.proc != NULL);
  WNDCLASSEXW existing;
  const ATOM atom = ClassAtom(module, spec.name, &existing);
  if (atom == 0) return Register(module, spec);
  if (existing.lpfnWndProc == spec.proc) return TRUE;
  // Unregistered under the instance it reports, which need not be this module's.
  if (UnregisterClassW(spec.name, existing.hInstance) || UnregisterClassW(spec.name, module))
    return Register(module, spec);
  // Windows of it remain. New windows must not run the old procedure: a class of our
  // description is pointed at ours through one of its windows.
  if (existing.style != spec.style || existing.cbWndExtra != spec.windowExtra) return FALSE;
  const std::vector<HWND> windows = WindowsOfAtom(atom);
  if (windows.empty()) return FALSE;
  SetClassLongPtrW(windows.front(), GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(spec.proc));
  return ClassAtom(module, spec.name, &existing) != 0 && existing.lpfnWndProc == spec.proc;
}

BOOL UnregisterWindowClass(HINSTANCE module, LPCWSTR name) { return UnregisterClassW(name, module); }

BOOL DestroyWindowsAndUnregisterClass(HINSTANCE module, LPCWSTR name) {
  const DWORD thread = GetCurrentThreadId();
  for (HWND h : WindowsOfClass(module, name))
    // A window found under another one of the class is gone with it.
    if (IsWindow(h) && GetWindowThreadProcessId(h, NULL) == thread) DestroyWindow(h);
  return UnregisterWindowClass(module, name);
}

std::vector<HWND> WindowsOfClass(HINSTANCE module, LPCWSTR name) {
  WNDCLASSEXW info;
  const ATOM atom = ClassAtom(module, name, &info);
  return atom != 0 ? WindowsOfAtom(atom) : std::vector<HWND>();
}

}  // namespace quarnel
