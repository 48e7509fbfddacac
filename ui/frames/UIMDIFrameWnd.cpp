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
#include "MenuToolBar.h"
#include "UITrace.h"
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
UlmLogger s_log("UIMDIFrameWnd");

// The command a menu item or button really runs.
WORD Effective(UINT id) {
  WORD effective = static_cast<WORD>(id);
  if (smapEffCmd.Lookup(static_cast<WORD>(id), effective)) return effective;
  return static_cast<WORD>(id);
}

// The menu bar's control id and its title label.
const UINT kMenuBarId = 0xE800;
const UINT kMenuBarTitle = 31267;
// The toolbar style that wraps buttons onto more rows.
const DWORD kWrapStyle = 0x0200;

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
  delete m_pMenuBar;
  m_pMenuBar = NULL;
}

CWnd* CUIMDIFrameWnd::GetMenuBar() const { return m_pMenuBar; }

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
  // In QA mode, or with the standard-menu flag, the Windows menu stays.
  if (g_exp_bQATest || m_bStandardMenu) return 0;
  ::SetMenu(m_hWnd, NULL);
  if (!CreateMenuBar()) ::SetMenu(m_hWnd, m_hInitialMenu);  // without a bar the menu must stay reachable
  return 0;
}

BOOL CUIMDIFrameWnd::CreateMenuBar() {
  auto* bar = new CMenuToolBar;
  if (!bar->Create(this, kMenuBarId, kMenuBarTitle, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)) {
    UI_TRACE_FAILED(s_log, "CMenuToolBar::Create");
    delete bar;
    return FALSE;
  }
  m_pMenuBar = bar;
  bar->SetMenu(NULL, m_hDefaultFrameMenu != NULL ? m_hDefaultFrameMenu : m_hInitialMenu, NULL);
  bar->ModifyStyle(kWrapStyle, 0);
  bar->SetBarStyle(bar->GetBarStyle() | CBRS_ALIGN_TOP | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  bar->EnableDocking(CBRS_ORIENT_HORZ);
  // The custom toolbar keeps its docking style apart from the control bar's; the frame docks
  // (and the bar is dragged) by the control bar's.
  bar->CControlBar::EnableDocking(CBRS_ORIENT_HORZ);
  DockControlBar(bar, static_cast<UINT>(0), NULL);
  return TRUE;
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
  // The menu left the window for the menu bar; it is still the one shown without a document.
  if (m_hMenuDefault == NULL) m_hMenuDefault = m_hInitialMenu;
  if (!g_exp_bQATest) CreateAccelerators(IsMenuBarMode() ? NULL : ::GetMenu(m_hWnd));
  return TRUE;
}

BOOL CUIMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The window list activates its frame as the client does it.
  if (lParam == 0 && LOWORD(wParam) >= AFX_IDM_FIRST_MDICHILD) return CMDIFrameWnd::OnCommand(wParam, lParam);
  // The menu bar's own keys (Alt plus a mnemonic) open its popups.
  if (lParam == 0 && m_pMenuBar != NULL && LOWORD(wParam) >= CMenuToolBar::kFirstButtonId &&
      LOWORD(wParam) <= 0xDFFF) {
    // Straight to the bar's handler: its window would pass a sender-less command back here.
    m_pMenuBar->OnCmdMsg(LOWORD(wParam), CN_COMMAND, NULL, NULL);
    return TRUE;
  }
  // In help mode a menu or accelerator command is explained, not run.
  if (lParam == 0 && PickHelpCommand(LOWORD(wParam))) return TRUE;
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
  if (IsMenuBarMode()) {
      if (PreTranslateMenuBarKey(pMsg)) return TRUE;
    HACCEL barKeys = m_pMenuBar->GetAccelTable();
    if (barKeys != NULL && ::TranslateAccelerator(m_hWnd, barKeys, pMsg)) return TRUE;
  }
  return m_hAccelTable != NULL && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CUIMDIFrameWnd::PreTranslateMenuBarKey(MSG* pMsg) {
  const HWND bar = m_pMenuBar->m_hWnd;
  const bool barHasFocus = ::GetFocus() == bar;
  const UINT key = static_cast<UINT>(pMsg->wParam);
  const bool down = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
  // Alt alone: down, then up with no other key between.
  if (down && key == VK_MENU) {
    if ((pMsg->lParam & 0x40000000) == 0) m_bAltAlone = 1;
    return FALSE;
  }
  if (down) m_bAltAlone = 0;
  const bool altAlone = pMsg->message == WM_SYSKEYUP && key == VK_MENU && m_bAltAlone;
  if (pMsg->message == WM_SYSKEYUP && key == VK_MENU) m_bAltAlone = 0;
  const bool f10 = pMsg->message == WM_SYSKEYDOWN && key == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0;
  const bool escape = pMsg->message == WM_KEYDOWN && key == VK_ESCAPE && barHasFocus;
  if (!altAlone && !f10 && !escape) return FALSE;
  if (barHasFocus) {
    // Back to where the focus was; the bar's hot button goes.
    m_pMenuBar->SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    HWND back = m_hWndFocusBeforeMenuBar;
    m_hWndFocusBeforeMenuBar = NULL;
    if (back == NULL || !::IsWindow(back) || (back != m_hWnd && !::IsChild(m_hWnd, back))) back = m_hWnd;
    ::SetFocus(back);
  } else if (!escape) {
    m_hWndFocusBeforeMenuBar = ::GetFocus();
    ::SetFocus(bar);
  }
  return TRUE;
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
  if (IsMenuBarMode()) {
    m_pMenuBar->UpdateFromSecurity();
    CreateAccelerators(NULL);
    return;
  }
  HMENU hMenu = ::GetMenu(m_hWnd);
  CCoolMenu* menu = hMenu != NULL ? CCoolMenu::FromHandle(hMenu) : NULL;
  if (menu != NULL) {
    menu->UpdateStatus();
    menu->Rebuild(TRUE);
  }
  CreateAccelerators(hMenu);
  DrawMenuBar();
}

void CUIMDIFrameWnd::RefreshSysMenu() {
  if (IsMenuBarMode()) m_pMenuBar->RefreshSysMenu();
}

void CUIMDIFrameWnd::MDISetMenu(HWND hClient, HMENU hFrameMenu, HMENU hWindowMenu) {
  if (IsMenuBarMode()) {
    m_pMenuBar->SetMenu(hClient, hFrameMenu != NULL ? hFrameMenu : m_hDefaultFrameMenu, hWindowMenu);
    return;
  }
  ::SendMessage(hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hFrameMenu), reinterpret_cast<LPARAM>(hWindowMenu));
  ::DrawMenuBar(m_hWnd);
  if (g_exp_bQATest || !IsMenuBarMode()) UpdateMenusFromSecurity();
}

void CUIMDIFrameWnd::MDIRefreshMenu(HWND hClient) {
  ::SendMessage(hClient, WM_MDIREFRESHMENU, 0, 0);
  // The client puts a menu back on the window; the menu bar shows the menus.
  if (IsMenuBarMode()) ::SetMenu(m_hWnd, NULL);
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
  // The tracked menu item, or the command that help mode picked: the command's own topic.
  UINT id = m_nIDTracking;
  const DWORD_PTR context = static_cast<DWORD_PTR>(lParam);
  if (id == 0 && context > HID_BASE_COMMAND && context < HID_BASE_COMMAND + 0x10000)
    id = static_cast<UINT>(context - HID_BASE_COMMAND);
  if (id != 0) {
    CUICommand* command = CUICommandCenter::GetCommandCenter().GetCommand(Effective(id));
    if (command != NULL && command->m_dwHelpID != 0) {
      WinHelp(command->m_dwHelpID, HELP_CONTEXT);
      return TRUE;
    }
  }
  return CMDIFrameWnd::OnCommandHelp(wParam, lParam);
}

BOOL CUIMDIFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) {
  if (msg.message == WM_LBUTTONDOWN) {
    CWnd* under = CWnd::FromHandlePermanent(::WindowFromPoint(msg.pt));
    if (under != NULL && under->IsKindOf(RUNTIME_CLASS(CMenuToolBar))) {
      // The bar takes the press as its own; its menu drops down, and the command chosen there
      // comes back as the pick.
      *pContext = 0;
      under->SetCapture();
      CPoint client = msg.pt;
      under->ScreenToClient(&client);
      MSG press = msg;
      press.hwnd = under->m_hWnd;
      press.lParam = MAKELPARAM(client.x, client.y);
      ::DispatchMessage(&press);
      if (::IsWindow(m_hWnd) && m_bHelpMode) SetCapture();
      return FALSE;
    }
  }
  return CMDIFrameWnd::ProcessHelpMsg(msg, pContext);
}

void CUIMDIFrameWnd::SetDockState(const CDockState& state) {
  if (!CFrameWnd::SetDockState(state)) {
    UI_TRACE_REFUSED(s_log, "a bar layout that does not fit the frame's bars");
    return;
  }
  uidock::ForgetHiddenBars(*this);
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
