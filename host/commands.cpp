#include "commands.h"

#include <framework.h>
#include <UICommandCenter.h>
#include <UICommandRouting.h>

#include <set>

#include "open_save.h"
#include "printing.h"
#include "resource.h"

namespace host {
namespace {

HWND s_main = NULL;

}  // namespace

DWORD HostRights(DWORD id) {
  if (id & UI_SECURITY_COMMAND_BIT) {
    UINT command = id & 0xFFFF;
    return command == ID_FILE_SEND_MAIL ? UI_SECURITY_DISABLED : UI_SECURITY_ALLOWED;
  }
  switch (id) {
    case 1009: return UI_SECURITY_DISABLED;
    case 1008: return UI_SECURITY_HIDDEN;
    case 1006: return UI_SECURITY_ALLOWED_TOO;
  }
  return UI_SECURITY_ALLOWED;
}

namespace {

// The host's handlers: a few real ones, the toggles of the View menu, and every other command
// of the tables, which shows its name in the title bar.
class CHostCommands : public CCmdTarget {
 public:
  std::set<UINT> checked = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_HINTS};

 protected:
  void OnExit() { DestroyWindow(s_main); }
  void OnRefresh() { InvalidateRect(s_main, NULL, TRUE); }
  void OnPrint() { PrintReport(s_main, false); }
  void OnOpen() { OpenReport(s_main); }
  void OnSaveAs() { SaveReportAs(s_main); }
  void OnAbout() { MessageBox(s_main, _T("Quarnel sample host"), _T("About"), MB_OK | MB_ICONINFORMATION); }
  void OnToggle(UINT id) {
    if (!checked.erase(id)) checked.insert(id);
  }
  void OnUpdateToggle(CCmdUI* ui) { ui->SetCheck(checked.count(ui->m_nID) ? 1 : 0); }
  void OnAnyCommand(UINT id) {
    CString name(_T("Quarnel Sample Host"));
    if (CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(id))) {
      CString text;
      command->GetTooltipString(text, TRUE);
      name += _T(" - ");
      name += text;
    }
    SetWindowText(s_main, name);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostCommands, CCmdTarget)
  ON_COMMAND(ID_FILE_EXIT, &CHostCommands::OnExit)
  ON_COMMAND(ID_VIEW_REFRESH, &CHostCommands::OnRefresh)
  ON_COMMAND(ID_FILE_PRINT, &CHostCommands::OnPrint)
  ON_COMMAND(ID_FILE_OPEN, &CHostCommands::OnOpen)
  ON_COMMAND(ID_FILE_SAVE_AS, &CHostCommands::OnSaveAs)
  ON_COMMAND(ID_HELP_ABOUT, &CHostCommands::OnAbout)
  ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_FORMULA_BAR, &CHostCommands::OnToggle)
  ON_COMMAND_RANGE(ID_VIEW_GRID, ID_VIEW_PAGE_MODE, &CHostCommands::OnToggle)
  ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_FORMULA_BAR, &CHostCommands::OnUpdateToggle)
  ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_GRID, ID_VIEW_PAGE_MODE, &CHostCommands::OnUpdateToggle)
  ON_COMMAND_RANGE(ID_VIEW_HINTS, ID_VIEW_HINTS, &CHostCommands::OnToggle)
  ON_UPDATE_COMMAND_UI(ID_VIEW_HINTS, &CHostCommands::OnUpdateToggle)
  ON_COMMAND_RANGE(HOST_FIRST_COMMAND, HOST_FIRST_COMMAND + HOST_COMMAND_COUNT - 1, &CHostCommands::OnAnyCommand)
END_MESSAGE_MAP()

CHostCommands& Commands() {
  static CHostCommands commands;
  return commands;
}

}  // namespace

void InitCommands(HWND main) {
  s_main = main;
  CUICommandCenter::GetCommandCenter().Init(HostRights, IDR_MAINACCEL);
}

bool RunCommand(UINT id) { return CheckAndExecuteCommand(static_cast<WORD>(id), &Commands()) != 0; }

void UpdatePopup(HMENU popup) {
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  UINT count = GetMenuItemCount(popup);
  for (UINT i = 0; i < count; ++i) {
    UINT id = GetMenuItemID(popup, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and popups
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = i;
    ui.m_nIndexMax = count;
    ui.m_pMenu = CMenu::FromHandle(popup);
    ui.DoUpdate(&Commands(), TRUE);
    CUICommand* command = center.GetCommand(static_cast<WORD>(id));
    DWORD status = center.GetSecurityCommandStatus(command);
    if (status != UI_SECURITY_ALLOWED && status != UI_SECURITY_ALLOWED_TOO) ui.Enable(FALSE);
    if (command) {
      CString text;
      command->GetMenuStringW(text, FALSE);
      if (!text.IsEmpty()) ui.SetText(text);
    }
  }
}

}  // namespace host
