// Counts of live GUI objects for leak tests. The system's own counts (GetGuiResources) are not
// used: Wine answers them with 0.
#pragma once
#include <windows.h>

#include <ostream>
#include <string>

namespace testing_support {

// GDI objects of the process: every slot of the GDI handle table is asked for an object.
int GdiObjectCount();

// The GDI objects of the process by kind ("brush 20 font 5 ..."): what a failed leak check
// prints, so that the kind of the object left behind can be named.
std::string GdiObjectKinds();

// Windows of this thread: its top-level and message-only windows and all their descendants
// (not the system's IME window).
int ThreadWindowCount();

// The class names of the windows ThreadWindowCount counts, in enumeration order: what a failed
// leak check prints, so that the window left behind can be named.
std::string ThreadWindowClasses();

// Menus of the process: every slot of the USER handle table is asked whether it is a menu.
int MenuCount();

// The three counts taken together; equal when nothing was leaked in between.
struct GuiCounts {
  int gdi, windows, menus;
  std::string windowClasses;  // not compared; printed
  std::string gdiKinds;       // not compared; printed
  static GuiCounts Now() {
    return GuiCounts{GdiObjectCount(), ThreadWindowCount(), MenuCount(), ThreadWindowClasses(), GdiObjectKinds()};
  }
  bool operator==(const GuiCounts& o) const { return gdi == o.gdi && windows == o.windows && menus == o.menus; }
};
inline void PrintTo(const GuiCounts& c, std::ostream* out) {
  *out << "{gdi " << c.gdi << " [" << c.gdiKinds << "], windows " << c.windows << " [" << c.windowClasses << "], menus " << c.menus << "}";
}

}  // namespace testing_support
