// The platform glue of the portable command road: the windows of the portable layer (frames,
// views, dialogs, tab pages) hand their WM_COMMAND to GUIOnCommand, their WM_NOTIFY to
// GUIOnNotify, their command routing (OnCmdMsg) to GUIOnCmdMsg and their help requests to
// GUIOnCommandHelp.
//
// A command from a menu, an accelerator or a toolbar ("ToolbarWindow32") below 0xE000 goes
// to the portable road first (QvCommandHandler::CheckAndExecuteCommand); when that does not
// run it, the window's update routing decides whether the framework's routing may. A
// notification of a control is reflected to the control, then translated for the window's
// portable container (QvGUIContainer.h), then routed by the framework.
#pragma once
#include <framework.h>
#include <vekkel.h>

#include "QvCommandHandler.h"
#include "quarnel_api.h"

// The update probe GUIOnCommand asks the window's routing with: it only keeps whether an
// update handler disabled the command (enabled until one says otherwise).
class QUARNEL_API CStatusCmdUI : public CCmdUI {
 public:
  CStatusCmdUI() = default;
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCTSTR lpszText) override;

  BOOL m_bEnabled = TRUE;
};

// True when the command or notification was handled (by the portable road or the
// framework's routing). A command from a command source that an update handler disabled
// answers false.
QUARNEL_API bool GUIOnCommand(CWnd* window, WPARAM wParam, LPARAM lParam);
QUARNEL_API bool GUIOnNotify(CWnd* window, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Serves update probes only (handlerInfo null, id below 0xE000, CN_UPDATE_COMMAND_UI): fills
// the probe `extra` (a CCmdUI) from the command's portable status and answers true; false
// when the portable road has no status for it (the framework's routing decides).
QUARNEL_API bool GUIOnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);
// The application's help for the window's portable container: its help id (HELP_CONTEXT) or
// the help finder when the id is 0. False when the window has no container.
QUARNEL_API bool GUIOnCommandHelp(CWnd* window);
// Copies a portable status into a framework probe: enabled, check state, and the menu text
// when it has one.
QUARNEL_API void UpdateCommandStatus(QvCommandStatus& status, void* cmdUI);
