// The release-notes page of the sample host: portable rich-text labels (a title, wrapped
// body text, bullet items, an emphasised line and a coloured line) stacked at their fitted
// heights in a narrow window.
#pragma once
#include <windows.h>

namespace host {
// A popup window owned by `owner` at (x, y) of the screen; NULL when it cannot be made.
HWND CreateNotesPage(HWND owner, int x, int y);
// In screenshot mode: the page ("rich_text"), hidden afterwards.
void CaptureNotesPage(HWND page);
}  // namespace host
