// Window messages of the portable windows on the portable command road, and the update
// probes filled from portable command status.
#include "GUIPlatformGlue.h"

#include <solvane.h>

#include "QvCommandCenter.h"
#include "QvEffectiveCommands.h"
#include "QvGUIContainer.h"

namespace {

// Commands from 0xE000 up are the framework's own (window, help, MDI commands).
const UINT kFirstFrameworkCommand = 0xE000;

// A menu or accelerator (no sender window), or a toolbar button.
bool FromCommandSource(HWND sender) {
  if (sender == NULL) return true;
  wchar_t name[256];
  if (!::GetClassNameW(sender, name, 255)) return false;
  return ::lstrcmpiW(name, L"ToolbarWindow32") == 0;
}

void SetProbeText(CCmdUI* probe, const QvString& text) {
  ucs2string wide = ucs2string::FromUtf8(text.c_str());
  CString converted(wide.c_str());
  probe->SetText(converted);
}

bool OwnMenuText(unsigned short id, QvString& text) {
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  return def && def->GetMenuText(text);
}

bool IsLockedOut(CWnd* window) { return AfxGetThreadState()->m_hLockoutNotifyWindow == window->GetSafeHwnd(); }

// The framework object of the sender takes its own notification.
bool ReflectedToSender(HWND sender, LRESULT* result) {
  CWnd* child = CWnd::FromHandlePermanent(sender);
  return child != NULL && child->SendChildNotifyLastMsg(result);
}

}  // namespace

void CStatusCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}
void CStatusCmdUI::SetCheck(int) {}
void CStatusCmdUI::SetRadio(BOOL) {}
void CStatusCmdUI::SetText(LPCTSTR) {}

bool GUIOnCommand(CWnd* window, WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  int code = HIWORD(wParam);
  HWND sender = reinterpret_cast<HWND>(lParam);
  if (id != 0) {
    if (FromCommandSource(sender)) {
      code = CN_COMMAND;
      if (id < kFirstFrameworkCommand) {
        if (QvCommandHandler::CheckAndExecuteCommand(static_cast<unsigned short>(id), false)) return true;
        CStatusCmdUI probe;
        probe.m_nID = id;
        window->OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL);
        if (!probe.m_bEnabled) return false;  // swallowed
      }
    } else {
      if (IsLockedOut(window)) return true;
      if (ReflectedToSender(sender, NULL)) return true;
      QvGUIContainer* container = GUIGetQvGUIContainer(window);
      if (container && GUITranslateControlNotification(container, static_cast<unsigned short>(id), code, NULL))
        return true;
    }
  }
  return window->OnCmdMsg(id, code, NULL, NULL) != FALSE;
}

bool GUIOnNotify(CWnd* window, WPARAM, LPARAM lParam, LRESULT* result) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == NULL) return false;
  UINT id = static_cast<UINT>(::GetDlgCtrlID(header->hwndFrom));
  if (IsLockedOut(window)) return true;
  if (ReflectedToSender(header->hwndFrom, result)) return true;
  AFX_NOTIFY notify = {result, header};
  QvGUIContainer* container = GUIGetQvGUIContainer(window);
  if (container && GUITranslateControlNotification(container, static_cast<unsigned short>(id),
                                                   static_cast<int>(header->code), &notify))
    return true;
  return window->OnCmdMsg(id, static_cast<int>(MAKELONG(header->code, WM_NOTIFY)), &notify, NULL) != FALSE;
}

bool GUIOnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (handlerInfo != NULL || id >= kFirstFrameworkCommand || code != static_cast<int>(CN_UPDATE_COMMAND_UI) ||
      extra == NULL)
    return false;
  CCmdUI* probe = static_cast<CCmdUI*>(extra);
  const unsigned short cmd = static_cast<unsigned short>(id);
  QvCommandStatus status(cmd);
  if (!QvCommandHandler::GetCommandStatus(status)) return false;

  if (status.AsEffectiveCmd()) {
    const unsigned short effective = status.GetEffectiveCmdID();
    QvCommandStatus effectiveStatus(effective);
    QvCommandStatus* shown = &status;
    if (status.m_bCheckEffective) {
      QvCommandHandler::GetCommandStatus(effectiveStatus);  // its answer is not looked at
      shown = &effectiveStatus;
    }
    probe->Enable(shown->IsEnabled());
    probe->SetCheck(shown->GetCheck());
    QvString text;
    if (!shown->GetMenuText().IsEmpty())
      SetProbeText(probe, shown->GetMenuText());
    else if (OwnMenuText(effective, text))
      SetProbeText(probe, text);
    SetEffectiveCmdInCmdMap(cmd, effective);
    return true;
  }

  probe->Enable(status.IsEnabled());
  // Looked up again: the handlers may have redefined the command while they answered.
  QvCommandDef* def = GUIGetCommandDefFromID(cmd);
  if (def && def->m_checkStyle == 2)
    probe->SetRadio(status.GetCheck());
  else
    probe->SetCheck(status.GetCheck());
  if (!status.GetMenuText().IsEmpty()) {
    SetProbeText(probe, status.GetMenuText());
  } else if (GetEffectiveCmdFromCmdMap(cmd) != cmd) {
    // The item was redirected by an earlier probe: it shows its own text again, once.
    QvString text;
    if (OwnMenuText(cmd, text)) SetProbeText(probe, text);
  }
  RemoveEffectiveCmdFromCmdMap(cmd);
  return true;
}

bool GUIOnCommandHelp(CWnd* window) {
  QvGUIContainer* container = GUIGetQvGUIContainer(window);
  if (!container) return false;
  if (CWinApp* app = AfxGetApp()) {
    const unsigned long helpId = container->GetHelpID();
    app->WinHelp(helpId, helpId ? HELP_CONTEXT : HELP_FINDER);
  }
  return true;
}

void UpdateCommandStatus(QvCommandStatus& status, void* cmdUI) {
  CCmdUI* probe = static_cast<CCmdUI*>(cmdUI);
  if (probe == NULL) return;
  probe->Enable(status.IsEnabled());
  probe->SetCheck(status.GetCheck());
  if (!status.GetMenuText().IsEmpty()) SetProbeText(probe, status.GetMenuText());
}
