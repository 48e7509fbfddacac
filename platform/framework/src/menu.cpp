// CMenu, its per-thread permanent map and the dispatch of owner-drawn menu items.
#include "fw_menu.h"
#include "fw_module.h"
#include "handle_map.h"
#include "fw_wnd.h"

#include <vector>

namespace {

fw::HandleMap<CMenu, HMENU>& MenuMap() {
  thread_local fw::HandleMap<CMenu, HMENU>* map = nullptr;
  return fw::ThreadObject(map, &fw::MakeBorrowing<CMenu, HMENU, &CMenu::m_hMenu>,
                          &fw::ReleaseBorrowing<CMenu, HMENU, &CMenu::m_hMenu>);
}

// The popups this thread is tracking through CMenu, innermost last.
std::vector<HMENU>& TrackedMenus() {
  thread_local std::vector<HMENU>* menus = nullptr;
  return fw::ThreadObject(menus);
}

class TrackScope {
 public:
  explicit TrackScope(HMENU h) { TrackedMenus().push_back(h); }
  ~TrackScope() { TrackedMenus().pop_back(); }
  TrackScope(const TrackScope&) = delete;
  TrackScope& operator=(const TrackScope&) = delete;
};

// The permanent CMenu of the menu in the tree of hMenu that holds an owner-drawn item with
// this id and item data (depth first, the innermost menu wins).
CMenu* FindOwnerDrawMenu(HMENU hMenu, UINT id, ULONG_PTR data, int depth = 0) {
  if (hMenu == NULL || !::IsMenu(hMenu) || depth > 16) return NULL;
  int count = ::GetMenuItemCount(hMenu);
  bool here = false;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    if (!::GetMenuItemInfo(hMenu, i, TRUE, &mii)) continue;
    if (mii.hSubMenu != NULL) {
      if (CMenu* p = FindOwnerDrawMenu(mii.hSubMenu, id, data, depth + 1)) return p;
    }
    if ((mii.fType & MFT_OWNERDRAW) && mii.wID == id && mii.dwItemData == data) here = true;
  }
  return here ? CMenu::FromHandlePermanent(hMenu) : NULL;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

HMENU CMenu::GetSafeHmenu() const {
  const CMenu* self = this;
  __asm__("" : "+r"(self));  // keep the NULL test: callers use it through NULL pointers
  return self == NULL ? NULL : self->m_hMenu;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) { return MenuMap().FromHandle(hMenu); }
CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) {
  return hMenu != NULL ? MenuMap().LookupPermanent(hMenu) : NULL;
}
void PASCAL CMenu::DeleteTempMap() { MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hNewMenu) {
  if (hNewMenu == NULL || m_hMenu != NULL || MenuMap().LookupPermanent(hNewMenu) != NULL) return FALSE;
  m_hMenu = hNewMenu;
  MenuMap().SetPermanent(hNewMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (h != NULL) MenuMap().RemovePermanent(h, this);
  m_hMenu = NULL;
  return h;
}

BOOL CMenu::CreateMenu() {
  if (m_hMenu != NULL) return FALSE;
  return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
  if (m_hMenu != NULL) return FALSE;
  return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  if (m_hMenu != NULL) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  HMENU h = ::LoadMenu(hInst, lpszResourceName);
  if (h != NULL && !Attach(h)) {
    ::DestroyMenu(h);
    return FALSE;
  }
  return h != NULL;
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) {
  if (m_hMenu != NULL || lpMenuTemplate == NULL) return FALSE;
  HMENU h = ::LoadMenuIndirect((const MENUTEMPLATE*)lpMenuTemplate);
  if (h != NULL && !Attach(h)) {
    ::DestroyMenu(h);
    return FALSE;
  }
  return h != NULL;
}

BOOL CMenu::DestroyMenu() {
  HMENU h = Detach();
  return h != NULL && ::DestroyMenu(h);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
  if (pBmp == NULL) return FALSE;
  return ::AppendMenu(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, (LPCTSTR)pBmp->m_hObject);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
  return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }
UINT CMenu::GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
  if (n <= 0) {
    rString.Empty();
    return 0;
  }
  n = ::GetMenuString(m_hMenu, nIDItem, rString.GetBuffer(n + 1), n + 1, nFlags);
  rString.ReleaseBuffer(n > 0 ? n : 0);
  return n;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
  return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
  return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
  return ::InsertMenuItem(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

CMenu* CMenu::GetSubMenu(int nPos) const {
  HMENU h = ::GetSubMenu(m_hMenu, nPos);
  return h != NULL ? FromHandle(h) : NULL;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
  if (pBmp == NULL) return FALSE;
  return ::InsertMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, (LPCTSTR)pBmp->m_hObject);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp) {
  if (pBmp == NULL) return FALSE;
  return ::ModifyMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem, (LPCTSTR)pBmp->m_hObject);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
                               const CBitmap* pBmpChecked) {
  return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
                              pBmpUnchecked ? (HBITMAP)pBmpUnchecked->m_hObject : NULL,
                              pBmpChecked ? (HBITMAP)pBmpChecked->m_hObject : NULL);
}

BOOL CMenu::SetMenuContextHelpId(DWORD dwContextHelpId) { return ::SetMenuContextHelpId(m_hMenu, dwContextHelpId); }
DWORD CMenu::GetMenuContextHelpId() const { return ::GetMenuContextHelpId(m_hMenu); }
BOOL CMenu::GetMenuInfo(LPMENUINFO lpcmi) const { return ::GetMenuInfo(m_hMenu, lpcmi); }
BOOL CMenu::SetMenuInfo(LPCMENUINFO lpcmi) { return ::SetMenuInfo(m_hMenu, lpcmi); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == NULL || m_hMenu == NULL) return FALSE;
  TrackScope scope(m_hMenu);
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd == NULL || m_hMenu == NULL) return FALSE;
  TrackScope scope(m_hMenu);
  return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, hWnd, lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL AFXAPI FwMenuMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS == NULL || lpMIS->CtlType != ODT_MENU) return FALSE;
  UINT id = lpMIS->itemID;
  ULONG_PTR data = lpMIS->itemData;
  CMenu* menu = NULL;
  auto& tracked = TrackedMenus();
  for (auto it = tracked.rbegin(); menu == NULL && it != tracked.rend(); ++it)
    menu = FindOwnerDrawMenu(*it, id, data);
  if (menu == NULL && hWndOwner != NULL && ::IsWindow(hWndOwner)) {
    if (!(::GetWindowLongPtr(hWndOwner, GWL_STYLE) & WS_CHILD))
      menu = FindOwnerDrawMenu(::GetMenu(hWndOwner), id, data);
    // Only a window that has a system menu: asking others would make them one.
    if (menu == NULL && (::GetWindowLongPtr(hWndOwner, GWL_STYLE) & WS_SYSMENU))
      menu = FindOwnerDrawMenu(::GetSystemMenu(hWndOwner, FALSE), id, data);
  }
  if (menu == NULL) {
    // A popup tracked without CMenu::TrackPopupMenu: any permanent menu that holds the item.
    std::vector<HMENU> handles;
    MenuMap().ForEachPermanent([&](HMENU h, CMenu*) { handles.push_back(h); });
    for (size_t i = 0; menu == NULL && i < handles.size(); ++i) menu = FindOwnerDrawMenu(handles[i], id, data);
  }
  if (menu == NULL) return FALSE;
  menu->MeasureItem(lpMIS);
  return TRUE;
}

BOOL AFXAPI FwMenuDrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS == NULL || lpDIS->CtlType != ODT_MENU) return FALSE;
  CMenu* menu = CMenu::FromHandlePermanent((HMENU)lpDIS->hwndItem);
  if (menu == NULL) return FALSE;
  menu->DrawItem(lpDIS);
  return TRUE;
}
