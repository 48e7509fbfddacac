// The document's context menu: a portable context menu of the report's commands, opened by a
// right click on the document view.
#pragma once
#include <windows.h>

class CWnd;

namespace host {
// Starts and ends the portable layer the context menu takes its commands from.
bool StartPortableCommands();
void EndPortableCommands();
// Shows the menu at a screen point over `window` and runs the chosen command. In screenshot
// mode it opens the Zoom popup, has the window captured with the menu as "contextmenu" and
// closes the menu.
void ShowDocumentContextMenu(CWnd* window, POINT screenPoint);
}  // namespace host
