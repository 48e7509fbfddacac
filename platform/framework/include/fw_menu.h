// CMenu: a Windows menu handle with the framework's per-thread permanent map.
//
// A CMenu that created, loaded or attached its handle is the permanent object of that handle
// on its thread and destroys the menu when it is destroyed (Detach first to keep the menu,
// for instance after giving it to a window with SetMenu). FromHandle answers the permanent
// object, else a borrowing temporary one (see fw_gdi.h).
//
// Owner-drawn items: WM_MEASUREITEM and WM_DRAWITEM of a menu item reach the permanent CMenu
// of the menu that holds the item, through FwMenuMeasureItem and FwMenuDrawItem, which the
// window's default OnMeasureItem/OnDrawItem call.
#pragma once
#include "fw_gdi.h"
#include "fw_string.h"

class CWnd;

class FW_API CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
 public:
  CMenu() = default;
  ~CMenu() override;

  HMENU m_hMenu = NULL;

  operator HMENU() const { return m_hMenu; }
  // NULL also when called through a NULL pointer.
  HMENU GetSafeHmenu() const;
  BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
  BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

  static CMenu* PASCAL FromHandle(HMENU hMenu);
  // The permanent object of the handle on this thread, NULL when there is none.
  static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
  static void PASCAL DeleteTempMap();

  // Takes ownership and becomes the handle's permanent object. FALSE for NULL, for a
  // handle that already has a permanent object, or when this object holds a menu.
  BOOL Attach(HMENU hNewMenu);
  // Gives up the handle without destroying it; returns it.
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // From the module chain (AfxFindResourceHandle with RT_MENU).
  BOOL LoadMenu(LPCTSTR lpszResourceName);
  BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadMenuIndirect(const void* lpMenuTemplate);
  // Destroys the owned menu (and its sub-menus).
  BOOL DestroyMenu();

  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);
  UINT GetMenuItemCount() const;  // (UINT)-1 when the handle is not a menu
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  CMenu* GetSubMenu(int nPos) const;
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);
  BOOL SetMenuContextHelpId(DWORD dwContextHelpId);
  DWORD GetMenuContextHelpId() const;
  BOOL GetMenuInfo(LPMENUINFO lpcmi) const;
  BOOL SetMenuInfo(LPCMENUINFO lpcmi);

  // Tracks the popup for pWnd (which receives its messages); FALSE without a window.
  // While it runs, owner-drawn items of this menu are measured by this object.
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);
  BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

  // Owner-drawn items; the defaults do nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

// Lets the permanent CMenu of the menu that holds the owner-drawn item measure it. The menu
// is looked for in the popups being tracked by CMenu, the window's menu bar and system menu,
// then in every permanent menu of the thread.
// TRUE when a CMenu took it.
FW_API BOOL AFXAPI FwMenuMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMIS);
// Lets the permanent CMenu of the item's menu (lpDIS->hwndItem) draw it. TRUE when a CMenu
// took it.
FW_API BOOL AFXAPI FwMenuDrawItem(LPDRAWITEMSTRUCT lpDIS);
