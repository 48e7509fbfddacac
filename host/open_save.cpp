#include "open_save.h"

#include <QvOpenSaveDlg.h>
#include <framework.h>
#include <shlobj.h>
#include <vekkel.h>

#include <string>

#include "screens.h"

namespace host {

// The host's report folders under the user's documents, made when missing and given to the
// file master, which the dialog's shortcut bar asks for them.
std::wstring ReportFolders() {
  wchar_t documents[MAX_PATH] = L"";
  if (FAILED(::SHGetFolderPathW(NULL, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, NULL, 0, documents))) return L"";
  const std::wstring root = std::wstring(documents) + L"\\Quarnel Sample Host";
  ::CreateDirectoryW(root.c_str(), NULL);
  const struct {
    int id;
    const wchar_t* name;
  } folders[] = {{QvDirReports, L"Reports"}, {QvDirResults, L"Results"}, {QvDirTemplates, L"Templates"}};
  for (const auto& f : folders) {
    const std::wstring path = root + L"\\" + f.name;
    ::CreateDirectoryW(path.c_str(), NULL);
    Get_GlobalFileMaster()->SetInternalDirectory(f.id, QvString(path.c_str()));
  }
  return root + L"\\Reports";
}

namespace {

const TCHAR kFilter[] = _T("Reports (*.rep)|*.rep|Report results (*.rea)|*.rea|Report templates (*.ret)|*.ret|");

void ShowChoice(HWND owner, CQvOpenSaveDlg& dlg, const wchar_t* verb) {
  if (dlg.DoModal() != IDOK || owner == NULL) return;
  const std::wstring title =
      std::wstring(L"Quarnel Sample Host - ") + verb + L" " + CStringW(dlg.GetPathName()).GetString();
  ::SetWindowTextW(owner, title.c_str());
}

}  // namespace

void OpenReport(HWND owner) {
  ReportFolders();
  CQvOpenSaveDlg dlg(TRUE, _T("rep"), NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kFilter, CWnd::FromHandle(owner));
  ShowChoice(owner, dlg, L"opened");
}

void SaveReportAs(HWND owner) {
  ReportFolders();
  CQvOpenSaveDlg dlg(FALSE, _T("rep"), _T("Quarterly sales"), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter,
                     CWnd::FromHandle(owner));
  ShowChoice(owner, dlg, L"saved as");
}

namespace {
CQvOpenSaveDlg* s_pictured = NULL;

bool InDetails(HWND common) {
  HWND view = ::FindWindowExW(common, NULL, L"SHELLDLL_DefView", NULL);
  HWND list = view != NULL ? ::FindWindowExW(view, NULL, L"SysListView32", NULL) : NULL;
  return list != NULL && (::GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void CALLBACK PictureWhenReady(HWND, UINT, UINT_PTR id, DWORD) {
  CQvOpenSaveDlg* dlg = s_pictured;
  HWND common = dlg != NULL ? dlg->GetCommonDialog() : NULL;
  if (common == NULL || !::IsWindowVisible(common) || dlg->GetTileControl().m_hWnd == NULL || !InDetails(common))
    return;
  ::KillTimer(NULL, id);
#ifdef UNICODE
  CaptureWindow(common, L"save_dialog");
#else
  CaptureWindow(common, L"save_dialog_ansi");
#endif
  ::PostMessageW(common, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

void CaptureSaveDialog(HWND owner) {
  if (!ScreenshotMode()) return;
  const std::wstring reports = ReportFolders();
  for (const wchar_t* name : {L"Quarterly sales.rep", L"Regional costs.rep", L"Budget 2027.rep"}) {
    HANDLE file = ::CreateFileW((reports + L"\\" + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
  const BOOL details = CQvOpenSaveDlg::bShowDetails;
  CQvOpenSaveDlg::bShowDetails = TRUE;
  CQvOpenSaveDlg dlg(FALSE, _T("rep"), _T("Quarterly sales"), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter,
                     CWnd::FromHandle(owner), NULL, CString(reports.c_str()));
  s_pictured = &dlg;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 50, PictureWhenReady);
  dlg.DoModal();
  ::KillTimer(NULL, timer);
  s_pictured = NULL;
  CQvOpenSaveDlg::bShowDetails = details;
}

}  // namespace host

