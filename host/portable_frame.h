// The sample host's portable frame: a report window of the portable layer in its own frame,
// whose menu items take their state from the portable window, whose status bar shows the
// prompts of the portable command definitions, and whose client is a portable view.
#pragma once
#include <windows.h>

namespace host {
// A hidden frame owned by `owner` at `rect` (screen coordinates), placed through its portable
// window; NULL when it cannot be made. The portable window ends with the frame.
HWND CreatePortableFrame(HWND owner, const RECT& rect);
// In screenshot mode: shows the frame with its View menu open and the prompt of one of the
// menu's commands in its status bar, has it captured as "portable_frame" and hides it.
void CapturePortableFrame(HWND frame);
}  // namespace host
