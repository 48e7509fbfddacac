// The sample host's command road: the framework command centre filled from the host's tables,
// the host's rights callback, and its menus and accelerators run through the routing.
#pragma once
#include <windows.h>

namespace host {
// Starts the command centre with the rights callback and the accelerator table; `main` is the
// window the commands act on.
void InitCommands(HWND main);
// A command from a menu or an accelerator: tested (update, rights) and run. False when it did
// not run.
bool RunCommand(UINT id);
// Before a popup opens: each item's state from the update handlers and the rights, its text
// (with the hot key) from the command centre.
void UpdatePopup(HMENU popup);
}  // namespace host
