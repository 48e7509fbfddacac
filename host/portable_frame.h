// The sample host's portable frame: a report window of the portable layer in a portable frame
// with everything a host gives it: a dynamic menu bar (popups named by command ids, texts and
// hot keys from the command definitions, what the user's rights hide left out), two toolbars
// made by the toolbar manager from button lists of the host's commands, with a zoom box and a
// font box made by the host's control makers, a status bar with the commands' prompts, and a
// portable view whose zoom and face follow the boxes.
#pragma once
#include <windows.h>

namespace host {
// A hidden frame owned by `owner` at `rect` (screen coordinates), placed through its portable
// window; NULL when it cannot be made. The portable window, the toolbars and the dynamic menus
// end with the frame.
HWND CreatePortableFrame(HWND owner, const RECT& rect);
// In screenshot mode: has the frame captured as "portable_frame", with its View and Zoom
// popups open as "portable_menu", and with a zoom chosen in the zoom box and its list dropped
// down as "portable_toolbar"; then hides it.
void CapturePortableFrame(HWND frame);
}  // namespace host
