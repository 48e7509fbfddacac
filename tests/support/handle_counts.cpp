#include "handle_counts.h"

#include <wchar.h>

#include <string>
#include <vector>

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

using WindowList = std::vector<HWND>;

BOOL CALLBACK ListWindow(HWND hwnd, LPARAM lp) {
  if (GetWindowThreadProcessId(hwnd, NULL) == GetCurrentThreadId() && !IsSystemImeWindow(hwnd))
    reinterpret_cast<WindowList*>(lp)->push_back(hwnd);
  return TRUE;
}

// The window and its descendants of this thread.
void ListTree(HWND root, WindowList* list) {
  ListWindow(root, reinterpret_cast<LPARAM>(list));
  EnumChildWindows(root, ListWindow, reinterpret_cast<LPARAM>(list));
}

BOOL CALLBACK ListTopLevel(HWND hwnd, LPARAM lp) {
  ListTree(hwnd, reinterpret_cast<WindowList*>(lp));
  return TRUE;
}

WindowList ThreadWindows() {
  WindowList list;
  EnumThreadWindows(GetCurrentThreadId(), ListTopLevel, reinterpret_cast<LPARAM>(&list));
  // Message-only windows are not among the thread's top-level windows. They are listed from
  // one snapshot of the children of their root: walking them one after another (FindWindowEx)
  // listed some twice or stopped early when other programs' windows there came, went or moved
  // meanwhile. The first one found may go before its root is asked for: then again.
  for (HWND first = FindWindowExW(HWND_MESSAGE, NULL, NULL, NULL); first != NULL;
       first = FindWindowExW(HWND_MESSAGE, NULL, NULL, NULL)) {
    if (HWND root = GetAncestor(first, GA_PARENT)) {
      EnumChildWindows(root, ListWindow, reinterpret_cast<LPARAM>(&list));
      break;
    }
  }
  return list;
}

}  // namespace

// The system's colour brushes are made on first use and kept by the process. Which ones a
// window uses depends on its state (an inactive frame's border takes COLOR_INACTIVEBORDER's),
// and the state on other programs (the foreground): they are all made before any count, so
// that a count never depends on which ones happened to be used.
static void MakeSystemColourBrushes() {
  static bool made = false;
  if (made) return;
  for (int colour = 0; colour <= COLOR_MENUBAR; ++colour) GetSysColorBrush(colour);
  made = true;
}

int GdiObjectCount() {
  MakeSystemColourBrushes();
  int n = 0;
  for (ULONG_PTR i = 1; i < kSlots; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
  return n;
}

std::string GdiObjectKinds() {
  static const char* const kNames[] = {"?",      "pen",    "brush",  "dc",        "metadc", "palette",  "font",
                                       "bitmap", "region", "metafile", "memdc", "extpen", "enhmetadc", "enhmetafile",
                                       "colorspace"};
  MakeSystemColourBrushes();
  int counts[_countof(kNames)] = {};
  for (ULONG_PTR i = 1; i < kSlots; ++i) {
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(i));
    if (type != 0) ++counts[type < _countof(kNames) ? type : 0];
  }
  std::string kinds;
  for (size_t t = 0; t < _countof(kNames); ++t) {
    if (counts[t] == 0) continue;
    if (!kinds.empty()) kinds += ' ';
    kinds += std::string(kNames[t]) + ' ' + std::to_string(counts[t]);
  }
  return kinds;
}

int ThreadWindowCount() { return static_cast<int>(ThreadWindows().size()); }

std::string ThreadWindowClasses() {
  std::string classes;
  for (HWND h : ThreadWindows()) {
    char name[64] = "?";
    GetClassNameA(h, name, sizeof name);
    if (!classes.empty()) classes += ' ';
    classes += name;
  }
  return classes;
}

int MenuCount() {
  // A USER slot answers to both handle values that differ in the lowest bit: each is asked once.
  int n = 0;
  for (ULONG_PTR i = 2; i < kSlots; i += 2)
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++n;
  return n;
}

}  // namespace testing_support
