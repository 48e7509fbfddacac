// The sample host's portable report in the portable view's print preview.
#pragma once
#include <windows.h>

namespace host {
// The three-page portable report in a frame of its own with a status bar, in the portable
// preview zoomed once (on the default printer's pages), the page text in the frame's status;
// in screenshot mode pictured as "portable_preview" and closed.
void PreviewPortableReport(HWND main);
}  // namespace host
