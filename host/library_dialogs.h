// The library's dialogs in the sample host: a resizable three-page property sheet, the message
// dialog and the server-timeout dialog.
#pragma once
#include <windows.h>

namespace host {
// In screenshot mode: pictures the sheet as it opened and enlarged with its grip, the message
// dialog (Yes, No, Cancel with the question icon) and the timeout dialog, closing each.
void CaptureLibraryDialogs();
}  // namespace host
