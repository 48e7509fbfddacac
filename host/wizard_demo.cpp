#include "wizard_demo.h"

#include <GUIRichText.h>
#include <QvControls.h>
#include <QvRichText.h>
#include <QvWizard.h>
#include <framework.h>

#include <memory>
#include <vector>

#include "screens.h"
#include "wizard_demo_ids.h"

namespace host {
namespace {

// A page whose labels take the wizard's look: the title, then a body text or bullet points,
// each below the one before; the page's fields stay where its template puts them.
class ExportPage : public QvWizardPage {
 public:
  explicit ExportPage(unsigned short id) : QvWizardPage(id) {}

  bool OnInit() override {
    QvRichText* title = Label(IDC_WIZ_TITLE, CGUIRichText::kTitle);
    SetLook(nullptr);
    SetLook(title);
    if (GetTemplateID() == IDD_WIZ_FORMAT) {
      SetLook(Label(IDC_WIZ_POINT1, CGUIRichText::kBullet));
      SetLook(Label(IDC_WIZ_POINT2, CGUIRichText::kBullet));
      QvComboBox* formats = nullptr;
      QvEditText* path = nullptr;
      if (GetControlFromID(formats, IDC_WIZ_FORMAT, 0)) {
        for (const char* name : {"PDF document", "CSV figures", "Web page"}) formats->AddItem(QvString(name), -1);
        formats->Select(0L);
      }
      if (GetControlFromID(path, IDC_WIZ_FOLDER, 0)) path->SetText(QvString("C:\\Reports\\2026"));
    } else {
      SetLook(Label(IDC_WIZ_BODY, CGUIRichText::kBody));
    }
    return true;
  }

  void OnActivate(QvWizardActivation) override {
    // The format page offers to open the file afterwards.
    ShowCheckBox(GetTemplateID() == IDD_WIZ_FORMAT, true, "Open the file afterwards");
  }

 private:
  QvRichText* Label(unsigned short id, unsigned short style) {
    QvRichText* label = nullptr;
    if (GetControlFromID(label, id, 0)) label->SetStyle(style);
    return label;
  }
};

// Goes to the second page once the wizard shows, pictures it and cancels.
QvWizard* s_wizard = nullptr;
void CALLBACK CaptureSecondPage(HWND, UINT, UINT_PTR id, DWORD) {
  CWnd* window = s_wizard ? s_wizard->GetMFCCWnd() : nullptr;
  if (window == nullptr || window->m_hWnd == NULL || !::IsWindowVisible(window->m_hWnd)) return;
  ::KillTimer(NULL, id);
  HWND dlg = window->m_hWnd;
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(QvWizard::kNextButton, BN_CLICKED),
                reinterpret_cast<LPARAM>(::GetDlgItem(dlg, QvWizard::kNextButton)));
  CaptureWindow(dlg, L"wizard");
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDCANCEL)));
}

}  // namespace

void CaptureReportWizard() {
  if (!ScreenshotMode()) return;
  QvWizard wizard;
  wizard.SetTitle("Export the report");
  std::vector<std::unique_ptr<ExportPage>> pages;
  for (unsigned short id : {IDD_WIZ_WELCOME, IDD_WIZ_FORMAT, IDD_WIZ_READY}) {
    pages.push_back(std::make_unique<ExportPage>(id));
    wizard.AddPage(pages.back().get(), IDB_WIZ_STRIP);
  }
  s_wizard = &wizard;
  const UINT_PTR timer = ::SetTimer(NULL, 0, 50, CaptureSecondPage);
  wizard.Run();
  ::KillTimer(NULL, timer);
  s_wizard = nullptr;
}

}  // namespace host
