// CUIMDIFrameWnd: creation, commands through the rights, accelerators from the command
// centre, tooltips, prompts and help from the command centre, and the toolbar context menu.
#include "UIMDIFrame.h"

#include <fw_app.h>
#include <fw_bars.h>

#include "UICommandCenter.h"
#include "UICommandRouting.h"
#include "UICoolMenu.h"
#include "UICustToolBar.h"
#include "UIHotKey.h"
#include "UIUtilities.h"

int g_exp_bQATest = 0;

IMPLEMENT_DYNAMIC(CUIMDIFrameWnd, CUIMDIFrameWndSizeDock)

BEGIN_MESSAGE_MAP(CUIMDIFrameWnd, CUIMDIFrameWndSizeDock)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_NOTIFY_RANGE(NM_RCLICK, 0, 0xFFFF, &CUIMDIFrameWnd::OnControlBarRClick)
  ON_MESSAGE(WM_COMMANDHELP, &CUIMDIFrameWnd::OnCommandHelp)
  ON_WM_INITMENUPOPUP()
  ON_WM_PALETTECHANGED()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_DRAWITEM()
  ON_WM_SYSCOLORCHANGE()
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CUIMDIFrameWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CUIMDIFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

namespace {
// The command a menu item or button really runs.
WORD Effective(UINT id) {
  WORD effective = static_cast<WORD>(id);
  if (smapEffCmd.Lookup(static_cast<WORD>(id), effective)) return effective;
  return static_cast<WORD>(id);
}

bool RefusedByRights(CUICommand* command) {
  if (command == NULL) return false;
  DWORD status = CUICommandCenter::GetCommandCenter().GetSecurityCommandStatus(command);
  return status == UI_SECURITY_DISABLED || status == UI_SECURITY_HIDDEN;
}
}  // namespace

CUIMDIFrameWnd::CUIMDIFrameWnd() = default;

CUIMDIFrameWnd::~CUIMDIFrameWnd() {
  if (m_hInitialMenu != NULL) ::DestroyMenu(m_hInitialMenu);
  m_hInitialMenu = NULL;
  delete m_pOwnedObject;
  m_pOwnedObject = NULL;
  if (m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_hAccelTable);
  m_hAccelTable = NULL;
}

BOOL CUIMDIFrameWnd::IsMenuBarMode() const {
  return !g_exp_bQATest && !m_bStandardMenu && GetMenuBar() != NULL;
}

BOOL CUIMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  static LPCTSTR className = AfxRegisterWndClass(0);
  if (cs.lpszClass == NULL) cs.lpszClass = className;
  return CMDIFrameWnd::PreCreateWindow(cs);
}

int CUIMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  CreateStatusBar();
  m_hInitialMenu = ::GetMenu(m_hWnd);
  m_hDefaultFrameMenu = GetFrameMenu(TRUE);
  EnableDocking(CBRS_ALIGN_ANY);  // sizable dock bars on all four sides
  // Without a menu bar (or in QA mode, or with the standard-menu flag) the Windows menu stays.
  if (IsMenuBarMode()) ::SetMenu(m_hWnd, NULL);
  return 0;
}

void CUIMDIFrameWnd::OnDestroy() {
  CMDIFrameWnd::OnDestroy();
  // The window would destroy the menu it shows with itself; the initial menu is destroyed once,
  // by the destructor.
  if (m_hInitialMenu != NULL && ::GetMenu(m_hWnd) == m_hInitialMenu) ::SetMenu(m_hWnd, NULL);
}

void CUIMDIFrameWnd::CreateStatusBar() {}

BOOL CUIMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (!g_exp_bQATest) CreateAccelerators(IsMenuBarMode() ? NULL : ::GetMenu(m_hWnd));
  return TRUE;
}

BOOL CUIMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The window list activates its frame as the client does it.
  if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) return CMDIFrameWnd::OnCommand(wParam, lParam);
  if (lParam == 0) {
    GlobalOnCommand(this, static_cast<UINT>(wParam), lParam);
    return TRUE;  // asked everywhere already: the default frame procedure must not ask again
  }
  return CMDIFrameWnd::OnCommand(wParam, lParam);
}

BOOL CUIMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != NULL) {
    CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(static_cast<WORD>(nID));
    if (RefusedByRights(command)) {
      static_cast<CCmdUI*>(pExtra)->Enable(FALSE);
      return TRUE;
    }
  }
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != NULL && ::IsWindow(pActive->m_hWnd)) return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CUIMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CMDIFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  return m_hAccelTable != NULL && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
}

void CUIMDIFrameWnd::CreateAccelerators(HMENU hMenu) {
  if (m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_hAccelTable);
  m_hAccelTable = NULL;
  CArray<ACCEL, const ACCEL&> accels;
  if (hMenu != NULL && ::IsMenu(hMenu)) {
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
      TCHAR text[256] = {};
      if (::GetMenuString(hMenu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) <= 0 || text[0] == 0) continue;
      HMENU hPopup = ::GetSubMenu(hMenu, i);
      if (hPopup == NULL) continue;
      CCoolMenu* popup = CCoolMenu::FromHandle(hPopup);
      if (popup == NULL) continue;
      popup->Rebuild(TRUE);
      if (::GetMenuItemCount(hPopup) <= 0) continue;
      int n = 0;
      HACCEL hTable = popup->GetAccelTable(&n);
      if (hTable == NULL) continue;
      if (n > 0) {
        CArray<ACCEL, const ACCEL&> part;
        part.SetSize(n);
        n = ::CopyAcceleratorTable(hTable, part.GetData(), n);
        for (int k = 0; k < n; ++k) accels.Add(part[k]);
      }
      ::DestroyAcceleratorTable(hTable);
    }
  }
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  CPtrArray bars;
  GetToolbars(bars, FALSE);
  for (INT_PTR b = 0; b < bars.GetSize(); ++b) {
    HWND hBar = static_cast<CWnd*>(bars[b])->m_hWnd;
    const int buttons = static_cast<int>(::SendMessage(hBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i) {
      TBBUTTON button = {};
      if (!::SendMessage(hBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) || button.idCommand <= 0) continue;
      CUICommand* command = center.GetCommand(static_cast<WORD>(button.idCommand));
      if (command == NULL || command->m_wHotKey == 0) continue;
      if (!CanBeAccelerator(command->m_wHotKey, command->m_wHotKeyFlags) || RefusedByRights(command)) continue;
      ACCEL accel;
      accel.fVirt = static_cast<BYTE>(command->m_wHotKeyFlags);
      accel.key = command->m_wHotKey;
      accel.cmd = command->m_wID;
      accels.Add(accel);
    }
  }
  if (accels.GetSize() > 0) m_hAccelTable = ::CreateAcceleratorTable(accels.GetData(), static_cast<int>(accels.GetSize()));
}

int CUIMDIFrameWnd::GetToolbars(CPtrArray& bars, BOOL bWithMenuBar) {
  struct Walk {
    CUIMDIFrameWnd* frame;
    CPtrArray* bars;
    BOOL withMenuBar;
    static BOOL CALLBACK Proc(HWND hWnd, LPARAM lParam) {
      Walk* self = reinterpret_cast<Walk*>(lParam);
      // Document frames' own bars are theirs.
      if (::IsChild(self->frame->m_hWndMDIClient, hWnd)) return TRUE;
      CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
      if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CToolBar))) return TRUE;
      if (!self->withMenuBar && pWnd == self->frame->GetMenuBar()) return TRUE;
      self->bars->Add(pWnd);
      return TRUE;
    }
  } walk = {this, &bars, bWithMenuBar};
  ::EnumChildWindows(m_hWnd, &Walk::Proc, reinterpret_cast<LPARAM>(&walk));
  return TRUE;
}

int CUIMDIFrameWnd::OnToolbarContextMenu(CUIMenu&) { return TRUE; }

void CUIMDIFrameWnd::UpdateMenusFromSecurity() {
  HMENU hMenu = ::GetMenu(m_hWnd);
  CCoolMenu* menu = hMenu != NULL ? CCoolMenu::FromHandle(hMenu) : NULL;
  if (menu != NULL) {
    menu->UpdateStatus();
    menu->Rebuild(TRUE);
  }
  CreateAccelerators(hMenu);
  DrawMenuBar();
}

void CUIMDIFrameWnd::RefreshSysMenu() {}

void CUIMDIFrameWnd::MDISetMenu(HWND hClient, HMENU hFrameMenu, HMENU hWindowMenu) {
  ::SendMessage(hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hFrameMenu), reinterpret_cast<LPARAM>(hWindowMenu));
  ::DrawMenuBar(m_hWnd);
  if (g_exp_bQATest || !IsMenuBarMode()) UpdateMenusFromSecurity();
}

void CUIMDIFrameWnd::MDIRefreshMenu(HWND hClient) {
  ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
  ::DrawMenuBar(m_hWnd);
}

CMDIChildWnd* CUIMDIFrameWnd::MDIGetSafeActive(BOOL* pbMaximized) const {
  if (m_hWndMDIClient == NULL) {
    if (pbMaximized != NULL) *pbMaximized = FALSE;
    return NULL;
  }
  CMDIChildWnd* pActive = MDIGetActive(pbMaximized);
  if (pActive != NULL && pActive->m_bPseudoInactive && !pActive->IsWindowVisible()) {
    if (pbMaximized != NULL) *pbMaximized = FALSE;
    return NULL;
  }
  return pActive;
}

BOOL CUIMDIFrameWnd::IsDefaultHelpID(DWORD dwHelpID) const {
  return dwHelpID == HID_BASE_COMMAND + m_nIDTracking || dwHelpID == HID_BASE_RESOURCE + m_nIDHelp;
}

void CUIMDIFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(Effective(nID));
  if (command != NULL) command->GetMessageString(rMessage);
}

void CUIMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
  BuildWindowMenu(NULL, 5);
}

void CUIMDIFrameWnd::OnControlBarRClick(UINT, NMHDR*, LRESULT* pResult) {
  if (pResult != NULL) *pResult = 0;
  CUIMenu menu(1, 1);
  CPtrArray bars;
  GetToolbars(bars, FALSE);
  for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
    CWnd* bar = static_cast<CWnd*>(bars[i]);
    CCustToolBar* cust = DYNAMIC_DOWNCAST(CCustToolBar, bar);
    if (cust != NULL && !cust->AppearInToolbarDialog()) continue;
    CString title;
    bar->GetWindowText(title);
#ifdef UNICODE
    menu.InsertMenuW(static_cast<unsigned short>(bar->GetDlgCtrlID()), -1, MF_STRING, title);
#else
    CStringW wide(title);
    menu.InsertMenuW(static_cast<unsigned short>(bar->GetDlgCtrlID()), -1, MF_STRING, wide);
#endif
  }
  if (OnToolbarContextMenu(menu)) menu.Run(this);
}

LRESULT CUIMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 && m_nIDTracking == 0) {
    WinHelp(0, HELP_FINDER);
    return TRUE;
  }
  if (m_nIDTracking != 0) {
    CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(Effective(m_nIDTracking));
    if (command != NULL && command->m_dwHelpID != 0) {
      WinHelp(command->m_dwHelpID, HELP_CONTEXT);
      return TRUE;
    }
  }
  return CMDIFrameWnd::OnCommandHelp(wParam, lParam);
}

void CUIMDIFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  if (g_exp_bQATest && pPopupMenu != NULL && !bSysMenu) {
    HMENU hPopup = pPopupMenu->GetSafeHmenu();
    unsigned short id = 0;
    if (CCoolMenu::FindIdFromMenu(hPopup, id) && id != 0) {
      CTestCmdUI probe(id);
      if (CWnd* pMain = AfxGetMainWnd()) pMain->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, NULL);
      CCoolMenu* popup = CCoolMenu::FromHandle(hPopup);
      WORD effective = 0;
      HMENU hEffective = NULL;
      if (popup != NULL) {
        if (smapEffCmd.Lookup(id, effective) && CCoolMenu::FindMenuFromId(effective, hEffective) && hEffective != NULL)
          popup->SetEffectiveMenu(&CCoolMenu::FromHandle(hEffective)->Items());
        else
          popup->SetEffectiveMenu(NULL);
      }
      gbDontChangeCommand = 0;
    }
  }
  CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CUIMDIFrameWnd::OnPaletteChanged(CWnd* pFocusWnd) {
  SendMessageToDescendants(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(pFocusWnd->GetSafeHwnd()), 0, TRUE, TRUE);
}

BOOL CUIMDIFrameWnd::OnQueryNewPalette() {
  SendMessageToDescendants(WM_QUERYNEWPALETTE, 0, 0, TRUE, TRUE);
  return TRUE;
}

void CUIMDIFrameWnd::OnSysColorChange() {
  // The toolbars make their recoloured images again in the new face colour.
  CMDIFrameWnd::OnSysColorChange();
  SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
}

void CUIMDIFrameWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (nIDCtl == AFX_IDW_STATUS_BAR && lpDrawItemStruct != NULL && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
  CMDIFrameWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

BOOL CUIMDIFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  UINT_PTR nID = pNMHDR->idFrom;
  const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
  const UINT flags = wide ? reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags : reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags;
  if (flags & TTF_IDISHWND) nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)) & 0xFFFF);
  CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(Effective(static_cast<UINT>(nID)));
  if (wide && command != NULL) {
    // The record points into this buffer until the next request.
    static CStringW tip;
    CString text;
    command->GetTooltipString(text, FALSE);
    tip = CStringW(text);
    reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(tip));
  }
  if (pResult != NULL) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  if (HFONT hFont = UIGetDefaultGUIFont()) ::SendMessage(pNMHDR->hwndFrom, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), 0);
  return TRUE;
}
