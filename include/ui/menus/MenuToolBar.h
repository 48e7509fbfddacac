// The menu bar: a frame's menu shown as a dockable toolbar whose buttons drop down the menu's
// popups as cool menus. Alt plus a mnemonic opens a popup; the arrow keys and the mouse move
// between the popups while one is open.
#pragma once
#include "UICustToolBar.h"
#include "quarnel_api.h"

#include <fw_dock.h>
#include "quarnel_api.h"

class QUARNEL_API CMenuToolBar : public CCustToolBar {
  DECLARE_DYNAMIC(CMenuToolBar)

 public:
  // The first button's id; a button's id is this plus its item's position in the menu.
  enum : UINT { kFirstButtonId = 0xDF01, kSysMenuId = 0xDF00 };

  CMenuToolBar();
  ~CMenuToolBar() override;

  int Create(CWnd* pParentWnd, UINT nID, UINT nTitleLabel, DWORD dwStyle) override;
  using CCustToolBar::Create;
  // One drop-down button per top-level item with a text whose popup is not empty after the
  // rights pruning; windowMenu stands in for the popup numbered 257 when given. NULL clears.
  virtual void SetMenu(HWND hOwner, HMENU hMenu, HMENU hWindowMenu);
  // Both build the buttons again from the current menu so that they follow the rights.
  virtual void UpdateFromSecurity();
  void DrawMenuBar();
  // Takes the system menu and icons of the active MDI child when it is maximised.
  virtual void RefreshSysMenu();
  HFONT GetDefaultFont(int create) override;

  int Reload(int) override { return 0; }
  void OnInsertDropDownMenu(UINT) override {}
  void DrawDropDownMenu(HDC, CRect&) override {}
  int DropDownIconSize() override { return 0; }
  int CanClose() override { return 0; }

  // The client area between the system icon and the caption buttons (client coordinates).
  int GetRealClientArea(CRect& rect) override;
  // The rectangle of a non-client item (HTSYSMENU, HTMINBUTTON, HTMAXBUTTON for restore,
  // HTCLOSE) in window coordinates; FALSE when there is no maximised child or no such item.
  BOOL GetNcItemRect(UINT nHit, CRect& rect);
  // The non-client item under a screen point; HTNOWHERE for none.
  UINT NcItemFromPoint(CPoint screen);

  // Without the right border; docked, the bar stretches across its frame's client area.
  CSize CalcSize(TBBUTTON* pButtons, int nCount) override;

  HMENU GetMenu() const { return m_hMenu; }
  // Alt plus each mnemonic, and the popups' own keys; the bar owns it.
  HACCEL GetAccelTable() const { return m_hAccel; }
  HMENU GetSysMenu() const { return m_hSysMenu; }

 protected:
  // Opens the popup of the button id (kSysMenuId: the system menu) with the thread's mouse and
  // keyboard hooked, and moves between the popups until one ends the loop.
  afx_msg void OnMenuCommand(UINT nID);
  afx_msg void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcPaint();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnSysColorChange();
  // Floating, the bar's frame offers no Close.
  void DisableCloseWhenFloating();
  // Buttons as high as the default GUI font plus 11.
  void SetButtonHeightFromFont();
  // Draws the system icon and the caption buttons of a maximised child over the toolbar's frame.
  void DrawNcItems(HDC hDC);

  // Asks DoMenu to go on with the button at index (-1: the system menu) and ends this popup.
  void ContinueWith(int nIndex);
  // Opens the first button whose mnemonic is the key's character; FALSE when none has it.
  BOOL OpenByMnemonic(UINT nChar);

  HMENU m_hMenu = NULL;
  HICON m_hIconSmall = NULL;
  HICON m_hIconLarge = NULL;
  HACCEL m_hAccel = NULL;  // owned
  int m_nNcPressed = 0;
  int m_bSysIconHot = 0;  // the keyboard's hot position is the system icon
  // The popup handles whose cool menus this bar made: the destructor deletes these only.
  CArray<HMENU, HMENU> m_ownMenus;
  CPtrArray m_ownObjects;  // the cool menu made for each of m_ownMenus (same index)

  DECLARE_MESSAGE_MAP()

 private:
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
};

// The floating frame of a menu bar: its close command is disabled whenever it is shown with a
// menu bar inside (a menu bar is never closed).
class QUARNEL_API CMenuMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CMenuMiniDockFrameWnd)

 public:
  // Greys SC_CLOSE in the frame's system menu when a menu bar floats in it; TRUE when it did.
  BOOL DisableCloseForMenuBar();

 protected:
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()
};
