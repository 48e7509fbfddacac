// The item list of the context menus and items added by command.
#include <set>

#include "ContextMenuItem.h"
#include "QvCommandCenter.h"
#include "QvCommandHandler.h"

QvRootContextMenu::QvRootContextMenu(QvRootView* view) : m_view(view) {}

QvRootContextMenu::~QvRootContextMenu() {
  for (long i = 0; i < m_items.GetSize(); ++i) {
    Item* item = ItemAt(i);
    delete item->text;
    delete item;
  }
}

QvRootContextMenu::Item* QvRootContextMenu::ItemAt(long index) const {
  return index >= 0 && index < m_items.GetSize() ? static_cast<Item*>(m_items.GetAt(index)) : nullptr;
}

const QvString* QvRootContextMenu::GetItemText(long index) const {
  Item* item = ItemAt(index);
  return item ? item->text : nullptr;
}

short QvRootContextMenu::GetItemLevel(long index) const {
  Item* item = ItemAt(index);
  return item ? item->level : -1;
}

long QvRootContextMenu::GetLastDescendant(long index) {
  Item* item = ItemAt(index);
  if (!item) return -1;
  long last = -1;
  for (long i = index + 1; i < m_items.GetSize() && ItemAt(i)->level > item->level; ++i) last = i;
  return last;
}

long QvRootContextMenu::AddItem(long index, short level, unsigned short flags, QvString* text, void* data) {
  Item* item = new Item;
  item->flags = flags;
  item->level = level;
  item->text = text ? new QvString(*text) : nullptr;
  item->data = data;
  if (index >= 0 && index <= m_items.GetUpperBound()) {
    m_items.InsertAt(index, item);
    return index;
  }
  return m_items.Add(item);
}

long QvRootContextMenu::AddDescendant(QvString* text, long parent, void* data) {
  Item* item = ItemAt(parent);
  if (!item || !item->text) return -1;
  long last = GetLastDescendant(parent);
  return AddItem((last < 0 ? parent : last) + 1, static_cast<short>(item->level + 1),
                 static_cast<unsigned short>(item->flags & QvCtxHidden), text, data);
}

long QvRootContextMenu::AddDescendant(const QvString& text, long parent, void* data) {
  QvString copy(text);
  return AddDescendant(&copy, parent, data);
}

long QvRootContextMenu::AddSuccessor(QvString* text, long after, void* data) {
  if (after == -1) return AddItem(-1, 0, 0, text, data);
  Item* item = ItemAt(after);
  if (!item) return -1;
  long last = GetLastDescendant(after);
  return AddItem((last < 0 ? after : last) + 1, item->level, 0, text, data);
}

long QvRootContextMenu::AddSuccessor(const QvString& text, long after, void* data) {
  QvString copy(text);
  return AddSuccessor(&copy, after, data);
}

long QvRootContextMenu::AddDescendantByCmd(unsigned short command, long parent, void* data) {
  return AddByCmd(command, parent, data, true);
}

long QvRootContextMenu::AddSuccessorByCmd(unsigned short command, long after, void* data) {
  return AddByCmd(command, after, data, false);
}

long QvRootContextMenu::AddByCmd(unsigned short command, long at, void* data, bool descendant) {
  // The command status, following redirections to effective commands as long as the status
  // asks for it; a redirection back to a command already seen ends the walk.
  unsigned short id = command;
  std::set<unsigned short> seen = {id};
  bool enabled;
  for (;;) {
    QvCommandStatus status(id);
    QvCommandHandler::GetCommandStatus(status);
    enabled = status.IsEnabled();
    if (!status.AsEffectiveCmd()) break;
    id = status.GetEffectiveCmdID();
    if (!status.m_bCheckEffective || !seen.insert(id).second) break;
  }
  QvCommandDef* def = GUIGetCommandDefFromID(id);
  if (!def) return -1;
  unsigned short flags = 0;
  switch (GUIGetCmdStatus(def->m_securityID, false, id)) {
    case 0:
      return -1;
    case 2:
      flags = QvCtxDisabled;
      break;
    case 3:
      flags = QvCtxHidden;
      break;
    default:
      flags = enabled ? 0 : QvCtxDisabled;
  }
  QvString text;
  def->GetPopupMenuText(text);
  long index = descendant ? AddDescendant(text, at, data) : AddSuccessor(text, at, data);
  if (Item* item = ItemAt(index)) {
    item->flags |= flags;
    item->commandId = id;
  }
  return index;
}

void* QvRootContextMenu::GetItemData(long index) {
  Item* item = ItemAt(index);
  return item ? item->data : nullptr;
}

unsigned short QvRootContextMenu::GetCommandID(long index) {
  Item* item = ItemAt(index);
  return item ? item->commandId : 0;
}

void QvRootContextMenu::EnableItem(long index, bool enable) {
  if (Item* item = ItemAt(index)) item->flags = static_cast<unsigned short>(enable ? item->flags & ~QvCtxDisabled : item->flags | QvCtxDisabled);
}

bool QvRootContextMenu::IsItemEnabled(long index) {
  Item* item = ItemAt(index);
  return item && !(item->flags & QvCtxDisabled);
}

void QvRootContextMenu::CheckItem(long index, bool check) {
  if (Item* item = ItemAt(index)) item->flags = static_cast<unsigned short>(check ? item->flags | QvCtxChecked : item->flags & ~QvCtxChecked);
}

bool QvRootContextMenu::IsItemChecked(long index) {
  Item* item = ItemAt(index);
  return item && (item->flags & QvCtxChecked);
}
