// CCmdUI: the update probe of a menu item or a control.
#include "fw_app.h"
#include "fw_menu.h"

namespace {
// Moves the focus on before its control is disabled.
void EnableControl(HWND hWnd, BOOL bOn) {
  if (!bOn && ::GetFocus() == hWnd) ::SendMessage(::GetParent(hWnd), WM_NEXTDLGCTL, 0, FALSE);
  ::EnableWindow(hWnd, bOn);
}
}  // namespace

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;  // a popup item is not a command
    ::EnableMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != NULL) {
    EnableControl(m_pOther->GetSafeHwnd(), bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    ::CheckMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != NULL) {
    HWND hWnd = m_pOther->GetSafeHwnd();
    if (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) ::SendMessage(hWnd, BM_SETCHECK, nCheck, 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != NULL && m_pSubMenu == NULL) {
    // A radio item shows a bullet instead of a check mark.
    MENUITEMINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    HMENU hMenu = m_pMenu->GetSafeHmenu();
    if (::GetMenuItemInfo(hMenu, m_nIndex, TRUE, &info) && !(info.fType & MFT_RADIOCHECK)) {
      info.fType |= MFT_RADIOCHECK;
      ::SetMenuItemInfo(hMenu, m_nIndex, TRUE, &info);
    }
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (lpszText == NULL) lpszText = _T("");
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    MENUITEMINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPTSTR>(lpszText);
    ::SetMenuItemInfo(m_pMenu->GetSafeHmenu(), m_nIndex, TRUE, &info);
  } else if (m_pOther != NULL) {
    HWND hWnd = m_pOther->GetSafeHwnd();
    CString current;
    CWnd::FromHandle(hWnd)->GetWindowText(current);
    if (current != lpszText) ::SetWindowText(hWnd, lpszText);  // unchanged text: no flicker
  }
}

void CCmdUI::ContinueRouting() { m_bContinueRouting = TRUE; }

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || pTarget == NULL) return;
  m_bEnableChanged = FALSE;
  if (pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, NULL)) return;
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
}
