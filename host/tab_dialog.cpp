#include "tab_dialog.h"

#include <GUITabDialog.h>
#include <QvTabDialog.h>
#include <framework.h>

#include <memory>
#include <vector>

#include "screens.h"
#include "tab_dialog_ids.h"

namespace host {
namespace {

class SettingsPage : public QvTab {
 public:
  SettingsPage(QvTabDialog* dialog, unsigned short id) : QvTab(nullptr, dialog) { SetTabID(id); }
  bool OnInit() override {
    CWnd* page = GetMFCCWnd();
    if (GetTabID() == IDD_TAB_GENERAL) {
      page->SetDlgItemText(IDC_TD_TITLE, _T("Quarterly sales by region"));
      page->SetDlgItemText(IDC_TD_AUTHOR, _T("Reporting team"));
    } else if (GetTabID() == IDD_TAB_LAYOUT) {
      page->CheckDlgButton(IDC_TD_ORIENTATION + 20, BST_CHECKED);
      page->SetDlgItemText(IDC_TD_MARGINS, _T("15"));
      page->CheckDlgButton(IDC_TD_GRID, BST_CHECKED);
    } else {
      page->SendDlgItemMessage(IDC_TD_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("PDF")));
      page->SendDlgItemMessage(IDC_TD_FORMAT, CB_SETCURSEL, 0, 0);
      page->SetDlgItemText(IDC_TD_FOLDER, _T("C:\\Reports"));
    }
    return true;
  }
};

// The pages live as long as the dialog: they go with it.
class ReportSettingsTabs : public QvStdTabDialog {
 public:
  ReportSettingsTabs() : QvStdTabDialog("Report settings", false, 0, nullptr, nullptr, false, true) {}
  void AddPages() {
    for (unsigned short id : {IDD_TAB_GENERAL, IDD_TAB_LAYOUT, IDD_TAB_EXPORT}) {
      m_pages.push_back(std::make_unique<SettingsPage>(this, id));
      m_pages.back()->Init();
    }
    SetCurrentTabByIndex(1);  // chosen before the window exists: the page to start with
  }
  bool OnInit() override {
    ShowApplyButton(false);
    return true;
  }
  ~ReportSettingsTabs() override { m_pages.clear(); }

 private:
  std::vector<std::unique_ptr<SettingsPage>> m_pages;
};

}  // namespace

HWND OpenReportSettingsTabs(int x, int y) {
  auto* dialog = new ReportSettingsTabs;
  if (!dialog->CreatePlatform(false)) {
    delete dialog;
    return NULL;
  }
  dialog->AddPages();
  if (dialog->Run() != 0) {
    delete dialog;
    return NULL;
  }
  HWND window = dialog->GetMFCCWnd()->m_hWnd;
  ::SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

void CaptureReportSettingsTabs(HWND dialog) {
  if (dialog == NULL) return;
  CaptureWindow(dialog, L"tab_dialog");
  ::DestroyWindow(dialog);  // the dialog goes with its window
}

}  // namespace host
