// Tracking cool menus: the hook on the owner window and the TrackPopupMenu forms.
#include "UICommandRouting.h"
#include "UICoolMenu.h"

#include <framework.h>

namespace {

// The cool menu in the tree of `menu` that holds the owner-drawn item with this id and data.
CCoolMenu* HolderOf(HMENU menu, UINT id, ULONG_PTR data, int depth = 0) {
  if (menu == NULL || depth > 16) return NULL;
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    if (!::GetMenuItemInfo(menu, i, TRUE, &mii)) continue;
    if ((mii.fType & MFT_OWNERDRAW) && mii.wID == id && mii.dwItemData == data) {
      CMenu* object = CMenu::FromHandlePermanent(menu);
      if (object != NULL && object->IsKindOf(RUNTIME_CLASS(CCoolMenu))) return static_cast<CCoolMenu*>(object);
    }
    if (mii.hSubMenu != NULL)
      if (CCoolMenu* found = HolderOf(mii.hSubMenu, id, data, depth + 1)) return found;
  }
  return NULL;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMenuHook, CMsgHook)

CMenuHook::~CMenuHook() {
  if (IsHooked()) HookWindow(NULL);
}

LRESULT CMenuHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Handle(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CMenuHook::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM: {
      MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (mis == NULL || mis->CtlType != ODT_MENU || m_pMenu == NULL) break;
      CCoolMenu* holder = HolderOf(m_pMenu->m_hMenu, mis->itemID, mis->itemData);
      (holder ? holder : m_pMenu)->MeasureItem(mis);
      return TRUE;
    }
    case WM_INITMENUPOPUP: {
      HMENU popup = reinterpret_cast<HMENU>(wParam);
      CMenu* object = CMenu::FromHandlePermanent(popup);
      if (object == NULL || !object->IsKindOf(RUNTIME_CLASS(CCoolMenu))) break;
      CCoolMenu* menu = static_cast<CCoolMenu*>(object);
      unsigned short id = 0;
      if (CCoolMenu::FindIdFromMenu(popup, id)) {
        // The host may redirect the popup's command: the redirected popup lends its items.
        if (CWnd* main = AfxGetMainWnd()) {
          CTestCmdUI probe(id);
          main->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, NULL);
        }
        WORD effective = 0;
        HMENU lender = NULL;
        if (smapEffCmd.Lookup(id, effective) && CCoolMenu::FindMenuFromId(effective, lender) && lender != popup)
          menu->SetEffectiveMenu(&CCoolMenu::FromHandle(lender)->Items());
        else
          menu->SetEffectiveMenu(NULL);
      }
      // The framework's update pass works on the string menu.
      menu->EnableOwnerDraw(0);
      LRESULT result = CMsgHook::WindowProc(message, wParam, lParam);
      menu->EnableOwnerDraw(1);
      return result;
    }
    case WM_MENUSELECT:
      if (lParam == 0 && HIWORD(wParam) == 0xFFFF && m_pMenu != NULL) m_pMenu->EnableOwnerDraw(0);
      break;
    case WM_MENUCHAR: {
      CMenu* object = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lParam));
      if (object != NULL && object->IsKindOf(RUNTIME_CLASS(CCoolMenu))) {
        LRESULT answer = static_cast<CCoolMenu*>(object)->OnMenuChar(LOWORD(wParam), HIWORD(wParam));
        if (answer != 0) return answer;
      }
      break;
    }
    default:
      break;
  }
  return CMsgHook::WindowProc(message, wParam, lParam);
}

BOOL CCoolMenu::TrackPopupMenu(unsigned flags, int x, int y, CWnd* owner, const RECT* rect) {
  if (owner == NULL || owner->GetSafeHwnd() == NULL) return FALSE;
  CMenuHook hook(this);
  hook.HookWindow(owner);
  BOOL result = CMenu::TrackPopupMenu(flags, x, y, owner, rect);
  hook.HookWindow(NULL);
  EnableOwnerDraw(0);
  return result;
}

BOOL CCoolMenu::TrackPopupMenu(HMENU menu, unsigned flags, int x, int y, CWnd* owner, const RECT* rect) {
  CCoolMenu* cool = FromHandle(menu);
  if (cool == NULL) return 0;
  return cool->TrackPopupMenu(flags, x, y, owner, rect);
}

BOOL CCoolMenu::TrackPopupMenuEx(HMENU menu, unsigned flags, int x, int y, CWnd* owner, TPMPARAMS* params) {
  HWND window = owner->GetSafeHwnd();
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  HWND oldWindow = state->m_hTrackingWindow;
  HMENU oldMenu = state->m_hTrackingMenu;
  state->m_hTrackingWindow = window;
  state->m_hTrackingMenu = menu;
  BOOL result = ::TrackPopupMenuEx(menu, flags, x, y, window, params);
  state->m_hTrackingWindow = oldWindow;
  state->m_hTrackingMenu = oldMenu;
  return result;
}
