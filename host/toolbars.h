// The main window's toolbars: a standard bar and a report bar of the host's commands.
#pragma once
#include <framework.h>

namespace host {
// Makes both bars on the main window's top from their button lists; false when either
// could not be made.
bool CreateToolbars(CWnd* main);
// Lays the bars out on the main window's top; the height they take.
int LayoutToolbars(CWnd* main);
// The height the bars take on the main window's top, without moving them.
int ToolbarsHeight(CWnd* main);
// Whether the window is one of the bars (their buttons' commands take the command road).
bool IsToolbar(HWND hwnd);
}  // namespace host
