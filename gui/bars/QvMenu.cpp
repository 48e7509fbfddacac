// Portable menus: popups and command items added to a framework menu by command id.
#include <string>

#include "QvCommandCenter.h"
#include "QvDynamicMenu.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootMenu, nullptr)
QV_IMPLEMENT_CLASS(QvMenu, QV_RUNTIME_CLASS(QvRootMenu))
QV_IMPLEMENT_CLASS(QvSubMenu, QV_RUNTIME_CLASS(QvMenu))

namespace {

UlmLogger s_log("QvMenu");

bool MenuText(unsigned short id, std::wstring& text) {
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  if (!def) return false;
  QvString s;
  def->GetMenuText(s);
  text = s.ToWide();
  return true;
}

}  // namespace

QvMenu::QvMenu(CMenu* menu) : m_menu(menu), m_subMenus(10) {}

QvMenu::~QvMenu() { DeleteSubMenus(); }

void QvMenu::DeleteSubMenus() {
  HMENU parent = m_menu ? m_menu->GetSafeHmenu() : NULL;
  POSITION pos = m_subMenus.GetStartPosition();
  while (pos) {
    WORD id;
    void* value;
    m_subMenus.GetNextAssoc(pos, id, value);
    tagMap* record = static_cast<tagMap*>(value);
    // A popup still in this menu belongs to it now (the menu destroys it); one whose menu is
    // gone died with that menu. Only a popup taken out by someone else is destroyed here.
    if (!parent || !IsMenu(parent) || FindPosition(record->subMenu->m_ownMenu.GetSafeHmenu()) >= 0)
      record->subMenu->m_ownMenu.Detach();
    delete record->subMenu;
    delete record;
  }
  m_subMenus.RemoveAll();
}

int QvMenu::FindPosition(HMENU subMenu) const {
  HMENU menu = m_menu ? m_menu->GetSafeHmenu() : NULL;
  if (!menu || !subMenu) return -1;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (::GetSubMenu(menu, i) == subMenu) return i;
  return -1;
}

QvSubMenu* QvMenu::AddSubMenu(unsigned short id, short position) {
  void* existing = nullptr;
  std::wstring text;
  if (!m_menu || !m_menu->GetSafeHmenu() || m_subMenus.Lookup(id, existing) || !MenuText(id, text)) {
    UI_TRACE_REFUSED(s_log, "no menu, a sub-menu already under this id, or no command definition");
    return nullptr;
  }
  QvSubMenu* sub = new QvSubMenu;
  if (!sub->m_ownMenu.CreatePopupMenu()) {
    UI_TRACE_FAILED(s_log, "CreatePopupMenu");
    delete sub;
    return nullptr;
  }
  const UINT where = position < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(position);
  if (!::InsertMenuW(m_menu->GetSafeHmenu(), where, MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(sub->m_ownMenu.GetSafeHmenu()), text.c_str())) {
    UI_TRACE_FAILED(s_log, "InsertMenuW");
    delete sub;
    return nullptr;
  }
  tagMap* record = new tagMap{sub, static_cast<unsigned short>(position < 0 ? m_menu->GetMenuItemCount() - 1 : position)};
  m_subMenus.SetAt(id, record);
  return sub;
}

QvSubMenu* QvMenu::GetSubMenu(unsigned short id) {
  void* value = nullptr;
  return m_subMenus.Lookup(id, value) ? static_cast<tagMap*>(value)->subMenu : nullptr;
}

bool QvMenu::RemoveSubMenu(unsigned short id) {
  void* value = nullptr;
  if (!m_subMenus.Lookup(id, value)) return false;
  tagMap* record = static_cast<tagMap*>(value);
  // Where it stands now: items inserted or removed before it since have moved it.
  const int position = FindPosition(record->subMenu->m_ownMenu.GetSafeHmenu());
  if (position < 0 || !::RemoveMenu(m_menu->GetSafeHmenu(), static_cast<UINT>(position), MF_BYPOSITION)) {
    UI_TRACE_FAILED(s_log, "RemoveMenu");
    return false;
  }
  delete record->subMenu;  // destroys its popup
  delete record;
  return m_subMenus.RemoveKey(id) != FALSE;
}

QvSubMenu::QvSubMenu() : QvMenu(&m_ownMenu) {}

QvSubMenu::~QvSubMenu() { DeleteSubMenus(); }  // while its own menu still exists

bool QvSubMenu::AddItem(unsigned short id, short position) {
  std::wstring text;
  if (!m_ownMenu.GetSafeHmenu() || !MenuText(id, text)) return false;
  const UINT where = position < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(position);
  return ::InsertMenuW(m_ownMenu.GetSafeHmenu(), where, MF_BYPOSITION | MF_STRING, id, text.c_str()) != FALSE;
}

bool QvSubMenu::RemoveItem(unsigned short id) {
  return m_ownMenu.GetSafeHmenu() && ::DeleteMenu(m_ownMenu.GetSafeHmenu(), id, MF_BYCOMMAND) != FALSE;
}
