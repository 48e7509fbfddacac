#include "portable_save_dialog.h"

#include <QvFileDialog.h>
#include <framework.h>

#include "open_save.h"
#include "screens.h"

namespace host {
namespace {

// The host's file types.
enum : QvInternalFileType { kReportType = 1, kResultType = 2, kAnyType = 3 };

// The system's save dialog: its name box.
const int kNameBox = 1148;

BOOL CALLBACK MatchSaveDialog(HWND w, LPARAM found) {
  if (!::IsWindowVisible(w) || ::GetDlgItem(w, kNameBox) == NULL) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

void CALLBACK OnSaveDialogShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchSaveDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == NULL) return;  // not up yet: the timer comes again
  ::KillTimer(NULL, id);
  ::SetWindowPos(dialog, NULL, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CaptureWindow(dialog, L"portable_save_dialog");
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

void CapturePortableSaveDialog() {
  if (!ScreenshotMode()) return;
  Get_GlobalParameters()->SetTypeLabel(kReportType, "rep");
  Get_GlobalParameters()->SetTypeLabel(kResultType, "rea");
  const std::wstring reports = ReportFolders();
  QvDirectory folder(QvString(reports.c_str()).c_str());
  QvSaveAsFileDialog dialog;
  dialog.AddFilter(kReportType, "Reports (*.rep)", &folder);
  dialog.AddFilter(kResultType, "Report results (*.rea)", nullptr);
  dialog.AddFilter(kAnyType, "All files (*.*)", nullptr);
  ::SetTimer(NULL, 0, 50, &OnSaveDialogShown);
  QvFileDescriptor* chosen = dialog.Process("Quarterly report", &folder, "Save the report as", kReportType,
                                            "Save the layout with the report", 0, true, false, false);
  if (chosen != nullptr) Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
}

}  // namespace host
