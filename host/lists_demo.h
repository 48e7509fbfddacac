// The sample host's lists: a resizable portable dialog with a multi-column list whose
// columns keep their shares of its width, and a window with a virtual list of a million rows.
#pragma once
#include <windows.h>

namespace host {
// Opens both (owned by `owner`, not activated). In screenshot mode it pictures the dialog
// widened with a row selected ("lists_dialog") and the virtual list scrolled to the middle
// ("virtual_list"), then closes both.
void OpenListsDemo(HWND owner);
}  // namespace host
