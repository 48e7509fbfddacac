// The check tree page: the report's data sources as a portable check tree (lines, three check
// states, images, bold, italic and greyed items, the focused selection and a label being edited).
#pragma once
#include <windows.h>

namespace host {

// Hidden until captured; null when it cannot be made.
HWND CreateCheckTreePage(HWND owner, int x, int y);
// Screenshot mode: shows the page with the tree focused ("check_tree"), then with an item's label
// open in its editor ("check_tree_editor"), and hides it again.
void CaptureCheckTreePage(HWND page);

}  // namespace host
