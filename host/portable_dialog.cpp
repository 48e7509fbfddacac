#include "portable_dialog.h"

#include <GUIDialog.h>
#include <QvControls.h>
#include <QvDialog.h>
#include <framework.h>

#include "portable_dialog_ids.h"
#include "screens.h"

namespace host {
namespace {

// Report options as the host's portable code writes them: controls by id, anchors for the
// resizable window, OK and Cancel ending the dialog.
class ReportOptionsDialog : public QvDialog {
 public:
  ReportOptionsDialog() : QvDialog(nullptr, nullptr, false, true) { SetDialogID(IDD_REPORT_OPTIONS); }

  CWnd* OnCreatePlatform() override { return GetMFCCWnd() ? GetMFCCWnd() : new CGUIResizeDialog; }

  bool OnInit() override {
    QvEditText* name = nullptr;
    QvListBox* columns = nullptr;
    QvCheckBox* totals = nullptr;
    if (GetControlFromID(name, IDC_RO_NAME, 0)) name->SetText(QvString("Quarterly sales by region"));
    if (GetControlFromID(columns, IDC_RO_COLUMNS, 0)) {
      for (const char* column : {"Region", "Quarter", "Product line", "Units sold", "Revenue", "Margin", "Forecast"})
        columns->AddItem(QvString(column), -1);
      columns->Select(3L, true);
    }
    if (GetControlFromID(totals, IDC_RO_TOTALS, 0)) totals->SetState(1);
    SetCancelPushButton(IDCANCEL);

    auto* window = static_cast<CGUIResizeDialog*>(GetMFCCWnd());
    window->AddAnchor(IDC_RO_NAME, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT);
    window->AddAnchor(IDC_RO_COLUMNS, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    for (UINT id : {IDC_RO_OPTIONS, IDC_RO_TOTALS, IDC_RO_GRID}) window->AddAnchor(id, ANCHOR_TOP_RIGHT);
    window->AddAnchor(IDC_RO_PREVIEW, ANCHOR_BOTTOM_LEFT);
    window->AddAnchor(IDOK, ANCHOR_BOTTOM_RIGHT);
    window->AddAnchor(IDCANCEL, ANCHOR_BOTTOM_RIGHT);
    return true;
  }

  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code == 300 && (n.m_controlID == IDOK || n.m_controlID == IDCANCEL)) {
      Terminate(n.m_controlID == IDOK ? 1 : 0);
      return true;
    }
    return false;
  }
};

}  // namespace

HWND OpenReportOptionsDialog(int x, int y) {
  auto* dialog = new ReportOptionsDialog;
  if (dialog->Run() != 0) {
    delete dialog;
    return NULL;
  }
  HWND window = dialog->GetMFCCWnd()->m_hWnd;
  ::SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

void CaptureReportOptionsDialog(HWND dialog) {
  if (dialog == NULL) return;
  CaptureWindow(dialog, L"portable_dialog_small");
  RECT rc;
  ::GetWindowRect(dialog, &rc);
  ::SetWindowPos(dialog, NULL, 0, 0, rc.right - rc.left + 260, rc.bottom - rc.top + 150,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CaptureWindow(dialog, L"portable_dialog_large");
  ::DestroyWindow(dialog);  // the dialog goes with its window
}

}  // namespace host
