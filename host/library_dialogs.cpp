#include "library_dialogs.h"

#include <QvMessageDlg.h>
#include <ResizablePage.h>
#include <ResizableSheet.h>
#include <TrelTimeoutDlg.h>
#include <framework.h>

#include "library_dialogs_ids.h"
#include "screens.h"

namespace host {
namespace {

// A page whose controls follow its size.
class SheetPage : public CResizablePage {
 public:
  explicit SheetPage(UINT id) : CResizablePage(id) {}
  BOOL OnInitDialog() override {
    CResizablePage::OnInitDialog();
    AddAnchor(IDC_SHEET_NAME, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT);
    AddAnchor(IDC_SHEET_NOTES, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    AddAnchor(IDC_SHEET_DEFAULTS, ANCHOR_BOTTOM_RIGHT);
    AddAnchor(IDC_SHEET_LIST, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    SetDlgItemText(IDC_SHEET_NAME, _T("Quarterly sales"));
    SetDlgItemText(IDC_SHEET_NOTES, _T("Sales per region and quarter, with the year's totals."));
    return TRUE;
  }
};

// Pictures a modal dialog once it shows, then ends it.
CDialog* s_modal = NULL;
const wchar_t* s_modalName = NULL;
void CALLBACK CaptureModal(HWND, UINT, UINT_PTR id, DWORD) {
  if (s_modal == NULL || s_modal->m_hWnd == NULL || !::IsWindowVisible(s_modal->m_hWnd)) return;
  ::KillTimer(NULL, id);
  CaptureWindow(s_modal->m_hWnd, s_modalName);
  s_modal->EndDialog(IDCANCEL);
}

void RunAndCapture(CDialog& dlg, const wchar_t* name) {
  s_modal = &dlg;
  s_modalName = name;
  UINT_PTR timer = ::SetTimer(NULL, 0, 50, CaptureModal);
  dlg.DoModal();
  ::KillTimer(NULL, timer);
  s_modal = NULL;
}

}  // namespace

void CaptureLibraryDialogs() {
  if (!ScreenshotMode()) return;
  SheetPage general(IDD_SHEET_GENERAL), columns(IDD_SHEET_COLUMNS), printing(IDD_SHEET_PRINTING);
  CResizableSheet sheet(_T("Report Properties"));
  sheet.AddPage(&general);
  sheet.AddPage(&columns);
  sheet.AddPage(&printing);
  if (sheet.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) {
    sheet.SetWindowPos(NULL, 160, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CaptureWindow(sheet.m_hWnd, L"resizable_sheet");
    // Enlarged as a drag of its grip would.
    CRect rc;
    sheet.GetWindowRect(&rc);
    sheet.SetWindowPos(NULL, 0, 0, rc.Width() + 180, rc.Height() + 110, SWP_NOMOVE | SWP_NOZORDER);
    CaptureWindow(sheet.m_hWnd, L"resizable_sheet_large");
    sheet.DestroyWindow();
  }

  CQvMessageDlg message(NULL, _T("The report has changed. Save the changes before closing?"), _T("Quarnel Sample Host"),
                        MB_YESNOCANCEL | MB_ICONQUESTION, 0);
  RunAndCapture(message, L"message_dialog");
  CTrelTimeoutDlg timeout(_T("reports.example.com"));
  RunAndCapture(timeout, L"timeout_dialog");
}

}  // namespace host
