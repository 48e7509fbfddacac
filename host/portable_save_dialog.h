// The sample host's portable save dialog with its option check box.
#pragma once
#include <windows.h>

namespace host {
// In screenshot mode: the portable save dialog of the report (reports, results and every file)
// with its option box, pictured as "portable_save_dialog" and cancelled.
void CapturePortableSaveDialog();
}  // namespace host
