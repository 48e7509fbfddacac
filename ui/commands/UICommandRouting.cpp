// Framework command routing: probes, rights and running commands.
#include "UICommandRouting.h"

#include "UICommandCenter.h"

#include <framework.h>

int gbDontChangeCommand = 0;

CMap<WORD, WORD, WORD, WORD> smapEffCmd;

namespace {
struct EffCmdInit {
  EffCmdInit() { smapEffCmd.InitHashTable(10); }
} s_effCmdInit;

// The given target, else the thread's main window, else the application.
CCmdTarget* ChooseTarget(CCmdTarget* target) {
  if (target) return target;
  if (CWnd* main = AfxGetMainWnd()) return main;
  return AfxGetApp();
}
}  // namespace

CTestCmdUI::CTestCmdUI(UINT id) : m_bEnabled(TRUE), m_nCheck(0) {
  m_nID = id;
  gbDontChangeCommand = 1;
}

CTestCmdUI::~CTestCmdUI() { gbDontChangeCommand = 0; }

void CTestCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}

void CTestCmdUI::SetCheck(int nCheck) { m_nCheck = nCheck; }
void CTestCmdUI::SetRadio(BOOL) {}
void CTestCmdUI::SetText(LPCTSTR) {}

CWndCmdUI::CWndCmdUI() {}
CWndCmdUI::CWndCmdUI(const CWndCmdUI& other) : CCmdUI(other) {}
CWndCmdUI& CWndCmdUI::operator=(const CWndCmdUI& other) {
  CCmdUI::operator=(other);
  return *this;
}
CWndCmdUI::~CWndCmdUI() {}

void CWndCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  HWND hwnd = m_pOther ? m_pOther->GetSafeHwnd() : NULL;
  if (hwnd && !IsWindowEnabled(hwnd) != !bOn) EnableWindow(hwnd, bOn);
}

void CWndCmdUI::SetText(LPCTSTR lpszText) {
  m_bEnableChanged = TRUE;
  HWND hwnd = m_pOther ? m_pOther->GetSafeHwnd() : NULL;
  if (hwnd == NULL) return;
  if (lpszText == NULL) lpszText = _T("");
  int length = GetWindowTextLength(hwnd);
  CString current;
  if (length > 0) {
    GetWindowText(hwnd, current.GetBuffer(length + 1), length + 1);
    current.ReleaseBuffer();
  }
  if (current.Compare(lpszText) != 0) SetWindowText(hwnd, lpszText);
}

int GlobalOnCommand(CWnd* target, UINT wParam, LPARAM) {
  UINT id = LOWORD(wParam);
  if (target == NULL || id == 0) return 0;
  CTestCmdUI probe(id);
  target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, NULL);
  gbDontChangeCommand = 0;
  if (!probe.m_bEnabled) return 1;
  return target->OnCmdMsg(id, CN_COMMAND, NULL, NULL);
}

int ExecuteCommand(WORD id, CCmdTarget* target) {
  target = ChooseTarget(target);
  if (target == NULL) return 0;
  return target->OnCmdMsg(id, CN_COMMAND, NULL, NULL);
}

int CheckAndExecuteCommand(WORD id, CCmdTarget* target) {
  target = ChooseTarget(target);
  if (target == NULL) return 0;
  CTestCmdUI probe(id);
  probe.DoUpdate(target, TRUE);
  gbDontChangeCommand = 0;
  if (!probe.m_bEnabled) return 0;
  WORD effective = id;
  if (smapEffCmd.Lookup(id, effective)) id = effective;
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  DWORD status = center.GetSecurityCommandStatus(center.GetCommand(id));
  if (status != UI_SECURITY_ALLOWED && status != UI_SECURITY_ALLOWED_TOO) return 0;
  return ExecuteCommand(id, target);
}
