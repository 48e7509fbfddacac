// The frames of the portable windows on the portable command road.
#include "GUIFrameWnd.h"

#include <solvane.h>

#include "GUIPlatformGlue.h"
#include "QvCommandCenter.h"
#include "QvDynamicMenu.h"
#include "QvEffectiveCommands.h"
#include "QvGUIContainer.h"
#include "QvHotKeyText.h"

IMPLEMENT_DYNCREATE(CGUIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CGUIMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CGUIFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_COMMANDHELP, &CGUIFrameWnd::OnCommandHelp)
  ON_WM_INITMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_SYSCOMMAND()
  ON_WM_DESTROY()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CGUIFrameWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CGUIFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CGUIMDIFrameWnd, CMDIFrameWnd)
  ON_MESSAGE(WM_COMMANDHELP, &CGUIMDIFrameWnd::OnCommandHelp)
  ON_WM_INITMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_SYSCOMMAND()
  ON_WM_DESTROY()
  ON_WM_ACTIVATEAPP()
  ON_WM_WINDOWPOSCHANGING()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CGUIMDIFrameWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CGUIMDIFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

namespace {

QvGUIContainer* ContainerOf(const CWnd* frame) { return GUIGetQvGUIContainer(const_cast<CWnd*>(frame)); }

// The portable road serves the frame's probes while its container is the active target, or
// while there is neither a container nor a target.
bool PortableRoadServes(const CWnd* frame) {
  QvGUIContainer* container = ContainerOf(frame);
  QvCommandHandler* target = QvCommandHandler::Get_Target();
  return container ? target == static_cast<QvCommandHandler*>(container) : target == nullptr;
}

QvCommandDef* EffectiveDefinition(UINT id) {
  return GUIGetCommandDefFromID(GetEffectiveCmdFromCmdMap(static_cast<unsigned short>(id)));
}

void MessageString(UINT id, CString& text) {
  QvCommandDef* def = EffectiveDefinition(id);
  QvString prompt;
  if (!def || !def->GetMessageBarText(prompt)) return;
  text = CString(ucs2string::FromUtf8(prompt.c_str()).c_str());
}

// The help of a request without a context: the tracked menu item's help id, else (outside a
// menu) the container's help. False leaves the request to the framework.
bool PortableHelp(CFrameWnd* frame, LPARAM context) {
  if (context != 0) return false;
  if (frame->m_nIDTracking != 0) {
    QvCommandDef* def = EffectiveDefinition(frame->m_nIDTracking);
    if (!def || def->m_helpID == 0) return false;
    frame->WinHelp(def->m_helpID, HELP_CONTEXT);
    return true;
  }
  return GUIOnCommandHelp(frame);
}

// False when the container refuses a close from the system menu.
bool SystemCommandAllowed(CWnd* frame, UINT id) {
  if ((id & 0xFFF0) != SC_CLOSE) return true;
  QvGUIContainer* container = ContainerOf(frame);
  return !container || container->OnSystemClose();
}

void TerminateContainer(CWnd* frame) {
  if (QvGUIContainer* container = ContainerOf(frame)) container->OnTerminate();
}

// A container still entered when the frame object goes goes with it.
void DeleteContainer(CWnd* frame) {
  QvGUIContainer* container = ContainerOf(frame);
  if (!container) return;
  GUISetQvGUIContainer(frame, nullptr);
  if (container->GetMFCCWnd() == frame) container->SetMFCCWnd(nullptr);
  delete container;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CGUIFrameWnd

CGUIFrameWnd::CGUIFrameWnd() = default;
CGUIFrameWnd::~CGUIFrameWnd() { DeleteContainer(this); }

BOOL CGUIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (PortableRoadServes(this) && GUIOnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CGUIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam); }

BOOL CGUIFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return GUIOnNotify(this, wParam, lParam, pResult);
}

void CGUIFrameWnd::GetMessageString(UINT nID, CString& rMessage) const { MessageString(nID, rMessage); }

void CGUIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (GetStyle() & FWS_ADDTOTITLE) CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
}

LRESULT CGUIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
  if (PortableHelp(this, lParam)) return TRUE;
  return CFrameWnd::OnCommandHelp(wParam, lParam);
}

void CGUIFrameWnd::OnInitMenu(CMenu* pMenu) { CFrameWnd::OnInitMenu(pMenu); }

void CGUIFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  UpdateDynamicMenuForSecurity(pPopupMenu);
  CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CGUIFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  if (SystemCommandAllowed(this, nID)) CFrameWnd::OnSysCommand(nID, lParam);
}

void CGUIFrameWnd::OnDestroy() {
  TerminateContainer(this);
  CFrameWnd::OnDestroy();
}

BOOL CGUIFrameWnd::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
  return QvGlobalOnToolTipText(nID, pNMHDR, pResult);
}

// ---------------------------------------------------------------------------------------------
// CGUIMDIFrameWnd

CGUIMDIFrameWnd::CGUIMDIFrameWnd() = default;
CGUIMDIFrameWnd::~CGUIMDIFrameWnd() { DeleteContainer(this); }

BOOL CGUIMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (PortableRoadServes(this) && GUIOnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CGUIMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam); }

BOOL CGUIMDIFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return GUIOnNotify(this, wParam, lParam, pResult);
}

void CGUIMDIFrameWnd::GetMessageString(UINT nID, CString& rMessage) const { MessageString(nID, rMessage); }

void CGUIMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (GetStyle() & FWS_ADDTOTITLE) CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
}

LRESULT CGUIMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
  if (PortableHelp(this, lParam)) return TRUE;
  return CMDIFrameWnd::OnCommandHelp(wParam, lParam);
}

void CGUIMDIFrameWnd::OnInitMenu(CMenu* pMenu) { CMDIFrameWnd::OnInitMenu(pMenu); }

void CGUIMDIFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  UpdateDynamicMenuForSecurity(pPopupMenu);
  CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CGUIMDIFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  if (SystemCommandAllowed(this, nID)) CMDIFrameWnd::OnSysCommand(nID, lParam);
}

void CGUIMDIFrameWnd::OnDestroy() {
  TerminateContainer(this);
  CMDIFrameWnd::OnDestroy();
}

void CGUIMDIFrameWnd::OnActivateApp(BOOL, DWORD) { Default(); }

void CGUIMDIFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  RECT present;
  if (lpwndpos != NULL && lpwndpos->flags != 0 && !(lpwndpos->flags & SWP_NOSIZE) && m_hWndMDIClient != NULL &&
      ::GetWindowRect(m_hWnd, &present)) {
    const int d = lpwndpos->cy - (present.bottom - present.top);
    for (UINT id = AFX_IDM_FIRST_MDICHILD; d != 0; ++id) {
      HWND child = ::GetDlgItem(m_hWndMDIClient, static_cast<int>(id));
      if (child == NULL) break;
      if (!::IsIconic(child)) continue;
      RECT r;
      ::GetWindowRect(child, &r);
      ::MapWindowPoints(NULL, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
      WINDOWPLACEMENT placement = {};
      placement.length = sizeof placement;
      ::GetWindowPlacement(child, &placement);
      placement.flags = WPF_SETMINPOSITION;
      placement.showCmd = SW_MINIMIZE;
      placement.ptMinPosition.x = r.left;
      placement.ptMinPosition.y = r.top + d;
      ::SetWindowPlacement(child, &placement);
    }
  }
  Default();
}

BOOL CGUIMDIFrameWnd::OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
  return QvGlobalOnToolTipText(nID, pNMHDR, pResult);
}
