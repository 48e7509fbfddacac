// Routing of framework commands: the enabled test through update probes, the user's rights,
// the remapping of a command to the one that really runs, and running it.
#pragma once
#include "quarnel_api.h"

#include <fw_cmdtarget.h>
#include <fw_coll.h>
#include <fw_wnd.h>

// 1 while a CTestCmdUI probe exists: the host's update handlers read it to know that they are
// only being asked.
QUARNEL_API extern int gbDontChangeCommand;

// Command id to the id of the command that really runs (redirections recorded by the menus).
QUARNEL_API extern CMap<WORD, WORD, WORD, WORD> smapEffCmd;

// An update probe that only records what the handlers answer.
class QUARNEL_API CTestCmdUI : public CCmdUI {
 public:
  explicit CTestCmdUI(UINT id = 0);
  ~CTestCmdUI() override;
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetRadio(BOOL bOn = TRUE) override;
  void SetText(LPCTSTR lpszText) override;

  int m_bEnabled;
  int m_nCheck;

 private:
  CTestCmdUI(const CTestCmdUI&) = delete;
  CTestCmdUI& operator=(const CTestCmdUI&) = delete;
};

// An update probe for a control window that stands for a command (m_pOther): enables it and
// sets its text, touching the window only when its state differs.
class QUARNEL_API CWndCmdUI : public CCmdUI {
 public:
  CWndCmdUI();
  CWndCmdUI(const CWndCmdUI& other);
  CWndCmdUI& operator=(const CWndCmdUI& other);
  ~CWndCmdUI() override;
  void Enable(BOOL bOn = TRUE) override;
  void SetText(LPCTSTR lpszText) override;
};

// A command from a menu or accelerator: runs it through target->OnCmdMsg when the update probe
// leaves it enabled and answers that; a disabled command is swallowed (1). 0 for no target or
// command 0.
QUARNEL_API int GlobalOnCommand(CWnd* target, UINT wParam, LPARAM lParam);

// Runs a command without tests on the target, else the thread's main window, else the
// application; 0 when there is none or nothing handled it.
QUARNEL_API int ExecuteCommand(WORD id, CCmdTarget* target);

// Runs a command when its update leaves it enabled (no handler: disabled) and the user's
// rights allow it (status 1 or 4), after following its redirection in smapEffCmd.
QUARNEL_API int CheckAndExecuteCommand(WORD id, CCmdTarget* target);
