// The portable message boxes in the sample host.
#pragma once
#include <windows.h>

namespace host {
// In screenshot mode: runs an information box with its details open and, from a timer while it
// runs, a save-changes box with a long (wrapped) question beside it; pictures both as
// "message_boxes" and closes them. Does nothing outside screenshot mode.
void CaptureMessageBoxes(HWND owner);
}  // namespace host
