// The sample host's owner-drawn popup menu: command icons, check marks, hot keys and an item
// the user's rights disable.
#pragma once
#include <windows.h>

class CWnd;

namespace host {
// Runs the popup at a point of the owner's client area; in screenshot mode it highlights an
// item, has the open menu captured as "menu" and closes it.
void ShowDemoMenu(CWnd* owner, int x, int y);
}  // namespace host
