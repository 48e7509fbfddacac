// A portable dialog page of the sample host: the portable controls of quarnel (texts, edit
// fields, buttons, lists, combo boxes with images, spinner, slider, progress bar) bound to
// the children of a dialog, with the page's container answering their notifications.
#pragma once
#include <windows.h>

namespace host {
// The page as a captioned popup owned by `owner`, at (x, y) of the screen, not yet shown.
HWND CreateControlsPage(HWND owner, int x, int y);
}  // namespace host
