// The sample host's command road: the framework command centre filled from the host's tables,
// the host's rights callback, and its menus and accelerators run through the routing.
#pragma once
#include <windows.h>

namespace host {
// The user's rights, as a reporting host would answer them: administration is disabled, the
// macros are hidden, editing queries is allowed with a warning, sending mail is forbidden to
// this user; everything else is allowed. Asked with a security id, or with a command id ORed
// with 0x40000000; answers 1 allowed, 2 disabled, 3 hidden, 4 allowed too.
DWORD HostRights(DWORD id);
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
