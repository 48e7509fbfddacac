// Cool menus: item records, the live menu rebuilt from them, and reading it back.
#include "UICoolMenu.h"

#include "UICommandCenter.h"
#include "UIHotKey.h"

#include <framework.h>
#include <wchar.h>

#include <vector>

namespace {

// Every cool menu, and the popups whose caption is a number.
CPtrList& AllMenus() {
  static CPtrList menus;
  return menus;
}
CMap<HMENU, HMENU, WORD, WORD>& PopupIds() {
  static CMap<HMENU, HMENU, WORD, WORD> ids;
  return ids;
}

CUICommandCenter& Center() { return CUICommandCenter::GetCommandCenter(); }

DWORD RightsOf(CUICommand* command) {
  return command ? Center().GetSecurityCommandStatus(command) : static_cast<DWORD>(UI_SECURITY_ALLOWED);
}

const int kMaxItemText = 1024;

CString LiveText(HMENU menu, int position) {
  TCHAR text[kMaxItemText + 1] = {};
  ::GetMenuString(menu, position, text, kMaxItemText + 1, MF_BYPOSITION);
  return CString(text);
}

// A popup caption read as a decimal number; 0 when it is not one.
int CaptionNumber(const CString& caption) {
  CStringW wide(caption);
  const wchar_t* s = wide.GetString();
  if (*s < L'0' || *s > L'9') return 0;
  wchar_t* end = NULL;
  long n = wcstol(s, &end, 10);
  return (*end == 0 && n > 0 && n <= 0xFFFF) ? static_cast<int>(n) : 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CCoolMenu, CMenu)

CCoolMenu::CCoolMenu(int alternativeText)
    : m_bCustomMenu(0), m_bAlternativeText(alternativeText), m_bOwnerDraw(0), m_pEffectiveList(NULL) {
  m_bitmapCache.InitHashTable(10);
  Join();
}

CCoolMenu::CCoolMenu(HMENU menu) : m_bCustomMenu(0), m_bAlternativeText(0), m_bOwnerDraw(0), m_pEffectiveList(NULL) {
  m_bitmapCache.InitHashTable(10);
  Attach(menu);
  Join();
  Prepare();
}

void CCoolMenu::Join() { AllMenus().AddTail(this); }

CCoolMenu::~CCoolMenu() {
  CleanBitmapCache();
  DetachSubMenus();
  Clean();
  if (POSITION pos = AllMenus().Find(this)) AllMenus().RemoveAt(pos);
  if (m_hMenu != NULL) PopupIds().RemoveKey(m_hMenu);
  if (m_hMenu != NULL && !::IsMenu(m_hMenu)) Detach();
  DestroyMenu();
}

// Each cool menu owns its own handle only: sub-menus that have cool menus of their own are
// taken out of the live menu before it is destroyed, so that their objects keep them.
void CCoolMenu::DetachSubMenus() {
  if (m_hMenu == NULL || !::IsMenu(m_hMenu)) return;
  for (int i = ::GetMenuItemCount(m_hMenu) - 1; i >= 0; --i) {
    HMENU sub = ::GetSubMenu(m_hMenu, i);
    if (sub == NULL) continue;
    CMenu* object = CMenu::FromHandlePermanent(sub);
    if (object != NULL && object != this) ::RemoveMenu(m_hMenu, i, MF_BYPOSITION);
  }
}

_COOLMENUITEM* CCoolMenu::Item(int index) {
  CPtrArray& items = Items();
  if (index < 0 || index >= items.GetSize()) return NULL;
  return static_cast<_COOLMENUITEM*>(items[index]);
}

void CCoolMenu::DeleteItem(int index) {
  CPtrArray& items = Items();
  if (index < 0 || index >= items.GetSize()) return;
  delete static_cast<_COOLMENUITEM*>(items[index]);
  items.RemoveAt(index);
}

void CCoolMenu::Clean() {
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) delete static_cast<_COOLMENUITEM*>(m_items[i]);
  m_items.RemoveAll();
}

void CCoolMenu::CleanBitmapCache() {
  for (POSITION pos = m_bitmapCache.GetStartPosition(); pos;) {
    WORD id;
    HBITMAP bitmap;
    m_bitmapCache.GetNextAssoc(pos, id, bitmap);
    if (bitmap) ::DeleteObject(bitmap);
  }
  m_bitmapCache.RemoveAll();
}

CCoolMenu* CCoolMenu::FromHandle(HMENU menu) {
  if (menu == NULL) return NULL;
  if (CMenu* object = CMenu::FromHandlePermanent(menu)) {
    if (object->IsKindOf(RUNTIME_CLASS(CCoolMenu))) return static_cast<CCoolMenu*>(object);
    object->Detach();
  }
  return new CCoolMenu(menu);
}

void CCoolMenu::Prepare() {
  Clean();
  int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
  for (int i = 0; i < count; ++i) PrepareItem(i, -1);
  Rebuild(1);
}

_COOLMENUITEM* CCoolMenu::PrepareItem(int position, int listIndex) {
  _COOLMENUITEM* item = new (std::nothrow) _COOLMENUITEM();
  if (item == NULL) return NULL;
  item->strText = LiveText(m_hMenu, position);
  item->nPosition = -1;
  item->nID = static_cast<int>(::GetMenuItemID(m_hMenu, position));
  item->nState = ::GetMenuState(m_hMenu, position, MF_BYPOSITION);
  HMENU sub = ::GetSubMenu(m_hMenu, position);
  if (sub != NULL) {
    int number = CaptionNumber(item->strText);
    if (number != 0) PopupIds().SetAt(sub, static_cast<WORD>(number));
    item->nID = number != 0 ? number : -1;
  }
  item->pCommand = Center().GetCommand(static_cast<WORD>(item->nID & 0xFFFF));
  if (item->pCommand) item->pCommand->GetMenuStringW(item->strText, m_bAlternativeText);
  if (sub != NULL) {
    FromHandle(sub);
    item->hSubMenu = sub;
  }
  CPtrArray& items = Items();
  if (listIndex < 0 || listIndex > items.GetSize())
    items.Add(item);
  else
    items.InsertAt(listIndex, item);
  return item;
}

int CCoolMenu::InsertMenuW(unsigned short id, int position, unsigned flags, const wchar_t* text) {
  if (m_hMenu == NULL) return -1;
  const int liveCount = ::GetMenuItemCount(m_hMenu);
  const bool append = position < 0;
  if (append || position > liveCount) position = liveCount;
  int nid = id > 65534 ? 0 : id;
  const bool popup = (flags & MF_POPUP) != 0;
  CUICommand* command = nid != 0 ? Center().GetCommand(static_cast<WORD>(nid)) : NULL;

  _COOLMENUITEM* item = new (std::nothrow) _COOLMENUITEM();
  if (item == NULL) return -1;
  item->nID = popup && nid == 0 ? -1 : nid;
  item->pCommand = command;
  item->nPosition = -1;
  item->hSubMenu = popup ? reinterpret_cast<HMENU>(const_cast<wchar_t*>(text)) : NULL;
  if (command)
    command->GetMenuStringW(item->strText, m_bAlternativeText);
  else if (!popup && text != NULL)
    item->strText = CString(text);

  // The record goes before the first record shown at or after the position (its list index,
  // whatever hidden records precede it), else at the end.
  CPtrArray& items = Items();
  INT_PTR at = items.GetSize();
  if (!append) {
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
      if (static_cast<_COOLMENUITEM*>(items[i])->nPosition >= position) {
        at = i;
        break;
      }
    }
  }
  items.InsertAt(at, item);

  if (nid != 0 && RightsOf(command) == UI_SECURITY_HIDDEN) return position;
  if (nid == 0 && !popup && position > 0) {
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
      _COOLMENUITEM* other = static_cast<_COOLMENUITEM*>(items[i]);
      if (other->nPosition == position - 1 && other->nID == 0 && other->hSubMenu == NULL) return position;
    }
  }

  BOOL done;
  if (popup)
    done = ::InsertMenu(m_hMenu, position, MF_BYPOSITION | MF_POPUP | (flags & ~MF_POPUP),
                        reinterpret_cast<UINT_PTR>(item->hSubMenu), item->strText);
  else if (nid == 0)
    done = ::InsertMenu(m_hMenu, position, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
  else
    done = ::InsertMenu(m_hMenu, position, flags | MF_BYPOSITION, nid, item->strText);
  if (!done) return position;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* other = static_cast<_COOLMENUITEM*>(items[i]);
    if (other != item && other->nPosition >= position) ++other->nPosition;
  }
  item->nPosition = position;
  return position + 1;
}

int CCoolMenu::InsertPopupMenu(unsigned short id, HMENU subMenu, int position) {
  return InsertMenuW(id, position, MF_POPUP, reinterpret_cast<const wchar_t*>(subMenu));
}

int CCoolMenu::Rebuild(int dropSeparators) {
  if (m_hMenu == NULL) return 1;
  if (m_bOwnerDraw) RefreshMetrics();
  for (int i = ::GetMenuItemCount(m_hMenu) - 1; i >= 0; --i) ::RemoveMenu(m_hMenu, i, MF_BYPOSITION);
  bool afterSeparator = dropSeparators != 0;
  int appended = 0;
  _COOLMENUITEM* lastSeparator = NULL;
  CPtrArray& items = Items();
  for (INT_PTR index = 0; index < items.GetSize(); ++index) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[index]);
    item->nPosition = -1;
    const DWORD rights = RightsOf(item->pCommand);
    if (rights == UI_SECURITY_HIDDEN) continue;
    // Disabled by rights: grey as well, since some systems draw a merely disabled item as enabled.
    UINT flags = rights == UI_SECURITY_DISABLED ? MF_DISABLED | MF_GRAYED
                                                : item->nState & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    const bool separator = item->nID == 0 && item->hSubMenu == NULL;
    if (separator && (afterSeparator || appended == 0)) continue;
    const LPCTSTR data = reinterpret_cast<LPCTSTR>(index);
    if (m_bOwnerDraw) {
      if (item->hSubMenu) {
        CCoolMenu* sub = FromHandle(item->hSubMenu);
        sub->Rebuild(1);
        if (::GetMenuItemCount(item->hSubMenu) <= 0) continue;
        ::AppendMenu(m_hMenu, flags | MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(item->hSubMenu), data);
      } else if (separator) {
        ::AppendMenu(m_hMenu, MF_SEPARATOR | MF_OWNERDRAW | MF_DISABLED, 0, data);
      } else {
        ::AppendMenu(m_hMenu, flags | MF_OWNERDRAW, static_cast<UINT>(item->nID), data);
      }
    } else {
      if (item->pCommand) item->pCommand->GetMenuStringW(item->strText, m_bAlternativeText);
      if (item->hSubMenu) {
        CCoolMenu* sub = FromHandle(item->hSubMenu);
        if (sub->m_bOwnerDraw)
          sub->EnableOwnerDraw(0);
        else
          sub->Rebuild(1);
        if (::GetMenuItemCount(item->hSubMenu) <= 0 && !(item->pCommand && item->pCommand->IsCustomCommand()))
          continue;
        ::AppendMenu(m_hMenu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item->hSubMenu), item->strText);
      } else if (separator) {
        ::AppendMenu(m_hMenu, MF_SEPARATOR | MF_DISABLED, 0, NULL);
      } else {
        ::AppendMenu(m_hMenu, flags | MF_STRING, static_cast<UINT>(item->nID), item->strText);
      }
    }
    item->nPosition = appended++;
    afterSeparator = separator ? dropSeparators != 0 : false;
    lastSeparator = separator ? item : NULL;
  }
  if (dropSeparators && lastSeparator != NULL) {
    ::DeleteMenu(m_hMenu, lastSeparator->nPosition, MF_BYPOSITION);
    lastSeparator->nPosition = -1;
  }
  return 1;
}

void CCoolMenu::UpdateStatus() {
  if (m_hMenu == NULL) return;
  CPtrArray& items = Items();
  std::vector<const void*> matched;
  bool windowList = false;
  INT_PTR next = 0;
  const int count = ::GetMenuItemCount(m_hMenu);
  for (int position = 0; position < count; ++position) {
    const UINT state = ::GetMenuState(m_hMenu, position, MF_BYPOSITION);
    if (state & MF_BITMAP) continue;
    const int liveId = static_cast<int>(::GetMenuItemID(m_hMenu, position));
    if (liveId >= 0xFF00) windowList = true;
    while (next < items.GetSize() && static_cast<_COOLMENUITEM*>(items[next])->nPosition < 0) ++next;
    if (next >= items.GetSize()) {
      if (PrepareItem(position, -1) == NULL) return;
      next = items.GetSize() - 1;
    } else {
      _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[next]);
      if (liveId != -1 && item->nID != liveId) {
        bool later = false;
        for (int p = position + 1; p < count && !later; ++p)
          later = static_cast<int>(::GetMenuItemID(m_hMenu, p)) == item->nID;
        if (!later) {
          DeleteItem(static_cast<int>(next));
          --position;
          continue;
        }
        if (PrepareItem(position, static_cast<int>(next)) == NULL) return;
      }
    }
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[next]);
    item->strText = LiveText(m_hMenu, position);
    item->nPosition = position;
    item->nState = state;
    item->nEffectiveID = 0;
    if (HMENU sub = ::GetSubMenu(m_hMenu, position)) {
      item->hSubMenu = sub;
      FromHandle(sub)->UpdateStatus();
    }
    matched.push_back(item);
    ++next;
  }
  if (!windowList) return;
  // The framework's window list changed under us: records that still claim a live position
  // but matched no live item are gone from the menu.
  for (INT_PTR i = items.GetSize() - 1; i >= 0; --i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (item->nPosition < 0) continue;
    bool seen = false;
    for (const void* m : matched) seen = seen || m == item;
    if (!seen) DeleteItem(static_cast<int>(i));
  }
}

void CCoolMenu::EnableOwnerDraw(int on) {
  on = on ? 1 : 0;
  if (m_bOwnerDraw == on) return;
  m_bOwnerDraw = on;
  if (on) UpdateStatus();
  Rebuild(1);
}

void CCoolMenu::SetEffectiveMenu(CPtrArray* list) {
  m_pEffectiveList = list == &m_items ? NULL : list;
  Rebuild(1);
}

void CCoolMenu::SetEffectiveCmdID(unsigned short id, unsigned short effectiveId) {
  CString text;
  if (CUICommand* command = Center().GetCommand(effectiveId)) command->GetMenuStringW(text, m_bAlternativeText);
  if (m_bOwnerDraw) {
    if (_COOLMENUITEM* item = GetMenuItem(id)) {
      item->nEffectiveID = effectiveId;
      item->strText = text;
    }
  } else if (m_hMenu != NULL) {
    UINT state = ::GetMenuState(m_hMenu, id, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1))
      ::ModifyMenu(m_hMenu, id, MF_BYCOMMAND | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), id, text);
  }
}

int CCoolMenu::RemoveMenuWithUpdateStatus(unsigned idOrPosition, unsigned flags) {
  CCoolMenu* menu = this;
  int position = static_cast<int>(idOrPosition);
  if (flags == 0) {
    position = 0;
    menu = FindMenuItem(idOrPosition, position);
    if (menu == NULL || position < 0) return 0;
  }
  if (!::RemoveMenu(menu->m_hMenu, position, MF_BYPOSITION)) return 0;
  CPtrArray& items = menu->Items();
  bool removed = false;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (!removed && item->nPosition == position) {
      menu->DeleteItem(static_cast<int>(i--));
      removed = true;
    } else if (item->nPosition > position) {
      --item->nPosition;
    }
  }
  return 1;
}

_COOLMENUITEM* CCoolMenu::GetMenuItem(unsigned id) {
  CPtrArray& items = Items();
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (item->nID == static_cast<int>(id)) return item;
    if (item->hSubMenu)
      if (CCoolMenu* sub = FromHandle(item->hSubMenu))
        if (sub != this)
          if (_COOLMENUITEM* found = sub->GetMenuItem(id)) return found;
  }
  return NULL;
}

CCoolMenu* CCoolMenu::FindMenuItem(unsigned id, int& position) {
  CPtrArray& items = Items();
  const int asked = position;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (item->nID == static_cast<int>(id) && (id != 57872 || item->hSubMenu == NULL || asked != 0)) {
      position = item->nPosition;
      return this;
    }
    if (item->hSubMenu) {
      CCoolMenu* sub = FromHandle(item->hSubMenu);
      if (sub != NULL && sub != this) {
        position = asked;
        if (CCoolMenu* found = sub->FindMenuItem(id, position)) return found;
        position = asked;
      }
    }
  }
  return NULL;
}

int CCoolMenu::GetMenuItemIDFromIndex(int listIndex) {
  _COOLMENUITEM* item = Item(listIndex);
  return item ? item->nID : -1;
}

LRESULT CCoolMenu::OnMenuChar(unsigned character, unsigned) {
  TCHAR typed[2] = {static_cast<TCHAR>(character), 0};
  ::CharUpper(typed);
  std::vector<int> positions;
  int highlighted = -1;
  CPtrArray& items = Items();
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (item->nPosition < 0) continue;  // not in the live menu
    if (m_hMenu && (::GetMenuState(m_hMenu, item->nPosition, MF_BYPOSITION) & MF_HILITE)) highlighted = item->nPosition;
    const CString& text = item->strText;
    int amp = -1;
    for (int k = 0; k + 1 < text.GetLength(); ++k) {
      if (text[k] != _T('&')) continue;
      if (text[k + 1] == _T('&')) {  // an escaped ampersand
        ++k;
        continue;
      }
      amp = k;
      break;
    }
    if (amp < 0) continue;
    TCHAR mnemonic[2] = {text[amp + 1], 0};
    ::CharUpper(mnemonic);
    if (mnemonic[0] == typed[0]) positions.push_back(item->nPosition);
  }
  if (positions.empty()) return 0;
  if (positions.size() == 1) return MAKELRESULT(positions[0], MNC_EXECUTE);
  int chosen = positions[0];
  for (int p : positions) {
    if (p > highlighted) {
      chosen = p;
      break;
    }
  }
  return MAKELRESULT(chosen, MNC_SELECT);
}

HACCEL CCoolMenu::GetAccelTable(int* count) {
  std::vector<ACCEL> entries;
  CPtrArray& items = Items();
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    _COOLMENUITEM* item = static_cast<_COOLMENUITEM*>(items[i]);
    if (item->nPosition < 0) continue;
    if (item->hSubMenu) {
      CCoolMenu* sub = FromHandle(item->hSubMenu);
      int n = 0;
      HACCEL table = sub && sub != this ? sub->GetAccelTable(&n) : NULL;
      if (table) {
        std::vector<ACCEL> more(n);
        n = ::CopyAcceleratorTable(table, more.data(), n);
        entries.insert(entries.end(), more.begin(), more.begin() + n);
        ::DestroyAcceleratorTable(table);
      }
      continue;
    }
    CUICommand* command = item->pCommand;
    if (command == NULL || command->m_wHotKey == 0) continue;
    if (!CanBeAccelerator(command->m_wHotKey, command->m_wHotKeyFlags)) continue;
    const DWORD rights = RightsOf(command);
    if (rights == UI_SECURITY_DISABLED || rights == UI_SECURITY_HIDDEN) continue;
    ACCEL entry = {static_cast<BYTE>(command->m_wHotKeyFlags | FVIRTKEY), command->m_wHotKey, command->m_wID};
    entries.push_back(entry);
  }
  HACCEL table = entries.empty() ? NULL : ::CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
  if (count) *count = table ? static_cast<int>(entries.size()) : 0;
  return table;
}

int CCoolMenu::FindIdFromMenu(HMENU menu, unsigned short& id) {
  WORD found = 0;
  if (!PopupIds().Lookup(menu, found)) return 0;
  id = found;
  return 1;
}

void CCoolMenu::SetMenuId(HMENU menu, unsigned short id) {
  if (menu != NULL && id != 0) PopupIds().SetAt(menu, id);
}

int CCoolMenu::FindMenuFromId(unsigned short id, HMENU& menu) {
  for (POSITION pos = PopupIds().GetStartPosition(); pos;) {
    HMENU key;
    WORD value;
    PopupIds().GetNextAssoc(pos, key, value);
    if (value == id) {
      menu = key;
      return 1;
    }
  }
  return 0;
}

void CCoolMenu::DeleteAllCoolMenus() {
  CPtrList& menus = AllMenus();
  while (!menus.IsEmpty()) {
    CCoolMenu* menu = static_cast<CCoolMenu*>(menus.GetHead());
    delete menu;  // leaves the list
  }
  PopupIds().RemoveAll();
}

void CCoolMenu::ReloadMenus() {
  for (POSITION pos = AllMenus().GetHeadPosition(); pos;) static_cast<CCoolMenu*>(AllMenus().GetNext(pos))->CleanBitmapCache();
}

IMPLEMENT_DYNAMIC(CUIMenu, CCoolMenu)

CUIMenu::CUIMenu(int alternativeText, int extra) : CCoolMenu(alternativeText), m_nExtra(extra) { CreatePopupMenu(); }
CUIMenu::~CUIMenu() {}

BOOL CUIMenu::Run(CWnd* owner) {
  POINT pt = {};
  ::GetCursorPos(&pt);
  return Run(pt.x, pt.y, owner);
}

BOOL CUIMenu::Run(int x, int y, CWnd* owner) {
  if (owner == NULL) owner = AfxGetMainWnd();
  return TrackPopupMenu(TPM_RIGHTBUTTON, x, y, owner, NULL);
}

int RegisterDynamicMenu(unsigned menuId) {
  LPCTSTR name = MAKEINTRESOURCE(menuId);
  HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
  HMENU menu = module ? ::LoadMenu(module, name) : NULL;
  if (menu == NULL) return 0;
  return CCoolMenu::FromHandle(menu) != NULL ? 1 : 0;
}
