// The frames the host derives its windows from: the MDI main frame and its document frames,
// the in-place frame of an OLE document server, and the drop target that lets a frame take
// toolbar commands dragged onto it.
//
// The main frame sends menu and accelerator commands through the command centre's rights
// (GlobalOnCommand), disables update probes of commands the rights refuse, builds its
// accelerators from the hot keys of its menus' commands and of its toolbars' buttons, and
// answers tooltips, status prompts and context help from the command centre. The exported
// g_exp_bQATest, or a frame's own standard-menu flag, keeps the plain Windows menu (set them
// before the frame is made); otherwise a frame with a menu bar shows its menus there.
#pragma once
#include <fw_frames.h>
#include <fw_mdi.h>
#include <fw_oledata.h>

#include "UISizeDockFrame.h"
#include "quarnel_api.h"

class CCoolMenu;
class CMenuToolBar;
class CUIMenu;

// Nonzero: every main frame keeps the plain Windows menu (a mode for automated tests).
QUARNEL_API extern int g_exp_bQATest;
// The clipboard format of a dragged toolbar command ("DragQvCommand"), 0 until registered.
QUARNEL_API extern UINT icfDragCommand;

// The id of the window menu's overflow item and its text.
#define UI_ID_MORE_WINDOWS 0xFF09

class QUARNEL_API CUIMDIFrameWnd : public CUIMDIFrameWndSizeDock {
  DECLARE_DYNAMIC(CUIMDIFrameWnd)

 public:
  CUIMDIFrameWnd();
  ~CUIMDIFrameWnd() override;

  using CMDIFrameWnd::MDISetMenu;
  // The menus of the active document: through the client; with the Windows menu in QA mode the
  // rights and accelerators follow (UpdateMenusFromSecurity).
  virtual void MDISetMenu(HWND hClient, HMENU hFrameMenu, HMENU hWindowMenu);
  virtual void MDIRefreshMenu(HWND hClient);
  // The menu bar's system menu of a maximised document frame; nothing with the Windows menu.
  virtual void RefreshSysMenu();
  // Lists the visible document frames in pMenu from position nFirst on (NULL: the menu bar's
  // window menu): a separator, "&1 <title>" ... "&9 <title>" (the active frame checked and
  // always among them), then UI_ID_MORE_WINDOWS when there are more. Nothing is rebuilt while
  // the frames, their titles and the active one stay the same.
  virtual void BuildWindowMenu(CCoolMenu* pMenu, int nFirst);
  // The frame's toolbars (CToolBar windows among its descendants outside the MDI client),
  // the menu bar only with bWithMenuBar. Returns TRUE.
  virtual int GetToolbars(CPtrArray& bars, BOOL bWithMenuBar);
  // The toolbar context menu is about to run; FALSE keeps it from running.
  virtual int OnToolbarContextMenu(CUIMenu& menu);
  // Help mode as the framework's, where a press on the menu bar drops its menu down (the command
  // chosen there is the one explained).
  BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext) override;
  // Rights changed: the menus' items and the accelerators follow.
  virtual void UpdateMenusFromSecurity();
  // The menu shown without a document menu; supplied by the host's frame.
  virtual HMENU GetFrameMenu(BOOL bCreate) = 0;
  // Restores a bar layout (floating frames made anew, the bars placed by their records); a
  // layout that does not fit the frame's bars (a bar listed twice, a side that is not one)
  // changes nothing. The sides forget their hidden bars, so that the layout shows as saved.
  virtual void SetDockState(const CDockState& state);
  // A new accelerator table: the live items' keys of hMenu's cool popups, then the hot keys of
  // the toolbars' commands that may be accelerators and that the rights allow.
  virtual void CreateAccelerators(HMENU hMenu);
  // Makes the status bar; the host's frame may keep it in m_pOwnedObject.
  virtual void CreateStatusBar();
  // Document frames in the MDI client's child order from the child id `index` on; a `limit`
  // other than -1 restarts the count. NULL after the last one; index is the next id to ask.
  virtual CFrameWnd* GetNextDescendant(int& index, int limit);
  // The visible document frames (framework frames) of the MDI client.
  virtual int GetDescendantCount();

  // The active document frame, NULL without one or when it is only pseudo-active and hidden.
  CMDIChildWnd* MDIGetSafeActive(BOOL* pbMaximized = NULL) const;
  // The help id is the default one of the tracked item or of the frame.
  BOOL IsDefaultHelpID(DWORD dwHelpID) const;
  // Menu-bar mode: neither QA mode nor the standard-menu flag, and a menu bar to show menus.
  BOOL IsMenuBarMode() const;
  // The menu bar docked at the top; NULL in QA mode or with the standard-menu flag, where the
  // Windows menu stays.
  virtual CWnd* GetMenuBar() const;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
  // The command's prompt (through the effective command); the text stays as it is for a
  // command the centre does not know.
  void GetMessageString(UINT nID, CString& rMessage) const override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  int m_bStandardMenu = 0;  // set before creation: this frame keeps the Windows menu
  CObject* m_pOwnedObject = NULL;  // deleted with the frame
  HMENU m_hDefaultFrameMenu = NULL;  // GetFrameMenu(TRUE) at creation
  HMENU m_hInitialMenu = NULL;       // the frame's menu at creation; destroyed with the frame

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnControlBarRClick(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

  // Makes the menu bar, docks it at the top and shows the initial menu in it; FALSE when the
  // bar cannot be made (the Windows menu stays then).
  BOOL CreateMenuBar();
  // Keys for the menu bar: Alt alone or F10 give it the focus, Escape gives the focus back;
  // TRUE when the key was the bar's.
  BOOL PreTranslateMenuBarKey(MSG* pMsg);

  CMenuToolBar* m_pMenuBar = NULL;  // owned
  HMENU m_hMenuBarWindowMenu = NULL;  // the window menu shown in the menu bar
  HWND m_hWndFocusBeforeMenuBar = NULL;  // where Escape sends the focus back to
  int m_bAltAlone = 0;  // Alt went down and no other key since

  int m_nDescendantLimit = 0;
  int m_nDescendantsFound = 0;
  CString m_strWindowMenuState;  // what BuildWindowMenu listed last

  DECLARE_MESSAGE_MAP()
};

class QUARNEL_API CUIMDIChildWnd : public CMDIChildWnd {
  DECLARE_DYNCREATE(CUIMDIChildWnd)

 public:
  CUIMDIChildWnd();
  ~CUIMDIChildWnd() override;

  virtual void OnInitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  // As the framework's, through the main frame's MDISetMenu and MDIRefreshMenu.
  void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
  // Keys: the main frame's accelerators (the menu bar's first in menu-bar mode).
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  CUIMDIFrameWnd* GetUIFrame() const;

  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()
};

// A document frame that docks its own bars on sizable dock bars, floats them in sizable frames
// and saves their layout, with the sizes of its sizable bars, in the application profile, as the
// main frame does (the host calls EnableDocking after creating the frame).
class QUARNEL_API CUIMDIChildWndSizeDock : public CUIMDIChildWnd {
  DECLARE_DYNCREATE(CUIMDIChildWndSizeDock)

 public:
  CUIMDIChildWndSizeDock();
  ~CUIMDIChildWndSizeDock() override;

  virtual void EnableDocking(DWORD dwDockStyle);
  virtual void LoadBarState(LPCTSTR lpszSection);
  virtual void SaveBarState(LPCTSTR lpszSection);
  virtual void SaveBarSizes(LPCTSTR lpszSection, BOOL bSave);
  virtual void GetDockState(CDockState& state);
  virtual BOOL DockControlBarEx(CControlBar* pBar, CDockBar* pDockBar, const RECT* lpRect);
};

class QUARNEL_API CUIOleDocIPFrameWnd : public COleDocIPFrameWnd {
  DECLARE_DYNCREATE(CUIOleDocIPFrameWnd)

 public:
  CUIOleDocIPFrameWnd();
  ~CUIOleDocIPFrameWnd() override;
};

// Accepts a toolbar command dragged onto the frame (move, or copy with Ctrl); nothing else.
class QUARNEL_API CFrameDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
};
