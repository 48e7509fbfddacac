#include "handle_counts.h"

#include <wchar.h>

namespace testing_support {

namespace {

// Handle values are probed by their slot number alone (the low 16 bits), which the system
// accepts for a live object of that slot whatever its reuse count.
const ULONG_PTR kSlots = 0x10000;

// The system's default IME window of a thread comes with its first window and goes with its
// last: it is not one of the program's.
bool IsSystemImeWindow(HWND hwnd) {
  wchar_t name[8];
  return GetClassNameW(hwnd, name, 8) == 3 && wcscmp(name, L"IME") == 0;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM lp) {
  if (GetWindowThreadProcessId(hwnd, NULL) == GetCurrentThreadId() && !IsSystemImeWindow(hwnd))
    ++*reinterpret_cast<int*>(lp);
  return TRUE;
}

// The window and its descendants of this thread.
int TreeOf(HWND root) {
  int n = 0;
  CountWindow(root, reinterpret_cast<LPARAM>(&n));
  EnumChildWindows(root, CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp) {
  *reinterpret_cast<int*>(lp) += TreeOf(hwnd);
  return TRUE;
}

}  // namespace

int GdiObjectCount() {
  int n = 0;
  for (ULONG_PTR i = 1; i < kSlots; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
  return n;
}

int ThreadWindowCount() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&n));
  // Message-only windows are not among the thread's top-level windows.
  for (HWND h = FindWindowExW(HWND_MESSAGE, NULL, NULL, NULL); h != NULL; h = FindWindowExW(HWND_MESSAGE, h, NULL, NULL))
    n += TreeOf(h);
  return n;
}

int MenuCount() {
  // A USER slot answers to both handle values that differ in the lowest bit: each is asked once.
  int n = 0;
  for (ULONG_PTR i = 2; i < kSlots; i += 2)
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++n;
  return n;
}

}  // namespace testing_support
