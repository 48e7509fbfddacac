// The sample host's portable save dialog with its option check box, and the folder dialog of
// old systems.
#pragma once
#include <windows.h>

namespace host {
// In screenshot mode: the portable save dialog of the report (reports, results and every file)
// with its option box, pictured as "portable_save_dialog" and cancelled.
void CapturePortableSaveDialog();
// In screenshot mode: the library's folder dialog of the systems without a folder browser
// (the library told it runs on Windows NT 3), on the reports' folder, pictured as
// "folder_dialog_old_systems" and cancelled.
void CaptureOldSystemsFolderDialog();
// In screenshot mode: the portable open dialog of reports that must exist refusing a name of
// no file, its information box over it, pictured as "open_missing_file_refused".
void CaptureMissingFileRefusal();
#ifndef UNICODE
// In screenshot mode (earlier edition): the portable save dialog of a database file refusing a
// name of nine characters, its information box over it, pictured as "save_name_refused_ansi".
void CaptureLongNameRefusal();
#endif
}  // namespace host
