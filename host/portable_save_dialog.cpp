#include "portable_save_dialog.h"

#include <GUIPlatformUtilities.h>
#include <QvFileDialog.h>
#include <QvGetDirectoryDialog.h>
#include <dlgs.h>
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

// A refusal's information box over the dialog that stays open.
HWND s_refusingDialog = NULL;
const wchar_t* s_refusalPicture = L"";
const wchar_t* s_refusedName = L"";

BOOL CALLBACK MatchInformationBox(HWND w, LPARAM found) {
  if (!::IsWindowVisible(w) || w == s_refusingDialog || ::GetWindow(w, GW_OWNER) != s_refusingDialog) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// Once the information box is up: the box over the dialog is pictured, then both close.
void CALLBACK OnRefusalShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchInformationBox, reinterpret_cast<LPARAM>(&box));
  if (box == NULL) return;  // not up yet: the timer comes again
  ::KillTimer(NULL, id);
  RECT d, b;
  ::GetWindowRect(s_refusingDialog, &d);
  ::GetWindowRect(box, &b);
  ::SetWindowPos(box, NULL, d.left + ((d.right - d.left) - (b.right - b.left)) / 2,
                 d.top + ((d.bottom - d.top) - (b.bottom - b.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CaptureWindow(s_refusingDialog, s_refusalPicture, 0, true);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ::PostMessageW(s_refusingDialog, WM_COMMAND, IDCANCEL, 0);
}

// Once the dialog is up: the refused name is typed and OK pressed.
void CALLBACK OnRefusingDialogShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchSaveDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == NULL) return;
  ::KillTimer(NULL, id);
  ::SetWindowPos(dialog, NULL, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  s_refusingDialog = dialog;
  ::SetWindowTextW(::GetDlgItem(dialog, kNameBox), s_refusedName);
  ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  ::SetTimer(NULL, 0, 50, &OnRefusalShown);
}

#ifndef UNICODE
// The earlier edition's database files refuse a name longer than eight characters.
const QvInternalFileType kDatabaseType = 4;
#endif

BOOL CALLBACK MatchFolderDialog(HWND w, LPARAM found) {
  if (!::IsWindowVisible(w) || ::GetDlgItem(w, lst2) == NULL) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

void CALLBACK OnFolderDialogShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), &MatchFolderDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == NULL) return;  // not up yet: the timer comes again
  ::KillTimer(NULL, id);
  ::SetWindowPos(dialog, NULL, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CaptureWindow(dialog, L"folder_dialog_old_systems");
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

void CaptureMissingFileRefusal() {
  if (!ScreenshotMode()) return;
  Get_GlobalParameters()->SetTypeLabel(kReportType, "rep");
  const std::wstring reports = ReportFolders();
  QvDirectory folder(QvString(reports.c_str()).c_str());
  QvOpenFileDialog dialog;
  dialog.AddFilter(kReportType, "Reports (*.rep)", &folder);
  s_refusalPicture = L"open_missing_file_refused";
  s_refusedName = L"no such report";
  ::SetTimer(NULL, 0, 50, &OnRefusingDialogShown);
  QvFileDescriptor* chosen = dialog.Process(&folder, "Open a report", nullptr, 0, true);
  if (chosen != nullptr) Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  s_refusingDialog = NULL;
}

void CaptureOldSystemsFolderDialog() {
  if (!ScreenshotMode()) return;
  // The host runs on a current system: the library is told it runs on Windows NT 3.
  const WindowsVersion running = GUISetWindowsVersion(QvWinNT3);
  const std::wstring reports = ReportFolders();
  QvDirectory folder(QvString(reports.c_str()).c_str());
  ::SetTimer(NULL, 0, 50, &OnFolderDialogShown);
  QvDirectory* chosen = QvGetDirectoryDialog().Process(&folder, "Choose the reports' folder", 0);
  if (chosen != nullptr) Get_GlobalFileMaster()->DestroyQvDirectory(chosen);
  GUISetWindowsVersion(running);
}

#ifndef UNICODE
void CaptureLongNameRefusal() {
  if (!ScreenshotMode()) return;
  Get_GlobalParameters()->SetTypeLabel(kDatabaseType, "unv");
  const std::wstring reports = ReportFolders();
  QvDirectory folder(QvString(reports.c_str()).c_str());
  QvSaveAsFileDialog dialog;
  dialog.AddFilter(kDatabaseType, "Database files (*.unv)", &folder);
  s_refusalPicture = L"save_name_refused_ansi";
  s_refusedName = L"quarterly";
  ::SetTimer(NULL, 0, 50, &OnRefusingDialogShown);
  QvFileDescriptor* chosen =
      dialog.Process(nullptr, &folder, "Save the database as", kDatabaseType, nullptr, 0, false, false, false);
  if (chosen != nullptr) Get_GlobalFileMaster()->DestroyQvFileDescriptor(chosen);
  s_refusingDialog = NULL;
}
#endif

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
