// The portable tree lists, their platform class, the containers' lookup of them and their drag
// and drop (see QvTreeList.h).
#include "QvTreeList.h"

#include <QvGUIContainer.h>
#include <QvImage.h>

#include <unordered_map>
#include <vector>

#include "GUITreeList.h"

QV_IMPLEMENT_CREATABLE(QvTreeList, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvTreeList)
QV_IMPLEMENT_CREATABLE(QvCheckTreeList, QV_RUNTIME_CLASS(QvTreeList))
QV_CLASSINIT(QvCheckTreeList)

QV_CONTROL_KIND(QvTreeList, CGUITreeList)
QV_CONTROL_KIND(QvCheckTreeList, CGUITreeList)

namespace {

// The live lists by registration number (the UI thread makes and ends them). A drag entry
// names a list by its number, so an entry of a list that is gone, or a forged one, finds none.
struct Registry {
  ULONGLONG next = 1;
  std::unordered_map<ULONGLONG, QvTreeList*> live;
};
Registry& Lists() {
  static Registry registry;
  return registry;
}

}  // namespace

QvTreeList::QvTreeList() : QvDragSource(static_cast<QvControl*>(this)), QvDropTarget(static_cast<QvControl*>(this)) {
  Registry& r = Lists();
  m_registration = r.next++;
  r.live[m_registration] = this;
}

QvTreeList::~QvTreeList() {
  Lists().live.erase(m_registration);
  delete m_dragSel;
}

CGUITreeList* QvTreeList::List() const {
  return GetPlatformWindow() ? dynamic_cast<CGUITreeList*>(GetPlatformControl()) : nullptr;
}

#define QV_TREE_FORWARD(expr, failure) \
  CGUITreeList* list = List();         \
  return list ? (expr) : (failure)

long QvTreeList::AddDescendant(const QvString& text, long item) { QV_TREE_FORWARD(list->AddDescendant(item, text.ToWide().c_str()), -1); }
long QvTreeList::AddSuccessor(const QvString& text, long item) { QV_TREE_FORWARD(list->AddSuccessor(item, text.ToWide().c_str()), -1); }
long QvTreeList::AddPredecessor(const QvString& text, long item) { QV_TREE_FORWARD(list->AddPredecessor(item, text.ToWide().c_str()), -1); }
bool QvTreeList::DeleteItem(long item, bool withDescendants) { QV_TREE_FORWARD(list->DeleteItem(item, withDescendants) != 0, false); }
bool QvTreeList::DeleteChildren(long item) { QV_TREE_FORWARD(item >= 0 && list->DeleteDescendants(item) != 0, false); }
bool QvTreeList::DeleteAllItems() { QV_TREE_FORWARD(list->DeleteDescendants(CGUITreeList::kNone) != 0, false); }
bool QvTreeList::Collapse(long item) { QV_TREE_FORWARD(list->Collapse(item) != 0, false); }
bool QvTreeList::Expand(long item, bool, bool recurse) { QV_TREE_FORWARD(list->Expand(item, true, recurse) != 0, false); }
bool QvTreeList::ExpandEx(long item, bool recurse, bool notify) { QV_TREE_FORWARD(list->ExpandEx(item, recurse, notify) != 0, false); }
bool QvTreeList::IsVisible(long item) { QV_TREE_FORWARD(list->IsItemShown(item) != 0, false); }
bool QvTreeList::EditItem(long item) { QV_TREE_FORWARD(list->EditItem(item) != 0, false); }
bool QvTreeList::ForceContainer(long item) { QV_TREE_FORWARD(list->ForceContainer(item) != 0, false); }
bool QvTreeList::ForceTerminal(long item, bool) { QV_TREE_FORWARD(list->ForceTerminal(item) != 0, false); }
bool QvTreeList::ForceItemInView(long item, bool asTop) { QV_TREE_FORWARD(list->ForceItemInView(item, true, asTop) != 0, false); }
bool QvTreeList::SetItemImages(QvTreeItemType type, long item, short first, short second) {
  QV_TREE_FORWARD(list->SetItemImages(type, item, first, second) != 0, false);
}
bool QvTreeList::SetItemData(long item, void* data) { QV_TREE_FORWARD(list->SetItemData(item, data) != 0, false); }
bool QvTreeList::SetItemStyle(long item, unsigned char style) { QV_TREE_FORWARD(list->SetItemStyle(item, style) != 0, false); }
bool QvTreeList::SetItemText(long item, const QvString& text) { QV_TREE_FORWARD(list->SetItemText(item, text.ToWide().c_str(), false) != 0, false); }
long QvTreeList::GetDescendant(long item) { QV_TREE_FORWARD(list->GetDescendant(item), -1); }
void* QvTreeList::GetItemData(long item) { QV_TREE_FORWARD(list->GetItemData(item), nullptr); }
bool QvTreeList::GetItemText(long item, QvString& text) {
  std::wstring wide;
  CGUITreeList* list = List();
  if (!list || !list->GetItemText(item, wide)) return false;
  text = QvString(wide.c_str());
  return true;
}
int QvTreeList::GetItemStyle(long item) { QV_TREE_FORWARD(list->GetItemStyle(item), -1); }
long QvTreeList::GetPredecessor(long item) { QV_TREE_FORWARD(list->GetPredecessor(item), -1); }
long QvTreeList::GetSuccessor(long item) { QV_TREE_FORWARD(list->GetSuccessor(item), -1); }
long QvTreeList::GetAncestor(long item) { QV_TREE_FORWARD(list->GetAncestor(item), -1); }
int QvTreeList::GetItemType(long item) { QV_TREE_FORWARD(list->GetItemType(item), 0); }
QvTListPos QvTreeList::GetClickPosition() {
  CGUITreeList* list = List();
  switch (list ? list->GetLastItemPosition() : 0) {
    case CGUITreeList::kButtonPart: return QvTListButton;
    case CGUITreeList::kCheckPart: return QvTListCheck;
    case CGUITreeList::kImagePart: return QvTListImage;
    case CGUITreeList::kLabelPart: return QvTListLabel;
  }
  return QvTListNowhere;
}
bool QvTreeList::GetItemImages(QvTreeItemType type, long item, short& first, short& second) {
  QV_TREE_FORWARD(list->GetItemImages(type, item, first, second) != 0, false);
}
bool QvTreeList::GetItemRect(long item, RECT* rect) {
  CGUITreeList* list = List();
  int x[5];
  // What the list answers: a hidden or scrolled-away row has no rectangle.
  if (!list || !rect || !list->GetItemRect(item, rect) || !list->GetItemXPositions(item, x)) return false;
  rect->left = x[3];
  rect->right = x[4];
  return true;
}
bool QvTreeList::SortDescendants(long item, bool ascending) { QV_TREE_FORWARD(list->SortDescendants(ascending, item) != 0, false); }
bool QvTreeList::SortDescendants(QvTreeCompare compare, long item, void* data) {
  CGUITreeList* list = List();
  if (!list || !compare) return false;
  struct Host {
    QvTreeList* list;
    QvTreeCompare compare;
    void* data;
  } host = {this, compare, data};
  return list->SortDescendants(
             [](CGUITreeList*, long a, long b, void* h) {
               const Host& on = *static_cast<Host*>(h);
               return on.compare(on.list, a, b, on.data);
             },
             item, &host) != 0;
}
bool QvTreeList::FindItem(const void* data, long& item) {
  CGUITreeList* list = List();
  item = list ? list->FindItem(data) : -1;
  return item >= 0;
}
long QvTreeList::GetFirstVisibleItem() { QV_TREE_FORWARD(list->GetFirstVisibleItem(), -1); }
bool QvTreeList::SetFirstVisibleItem(long item) { QV_TREE_FORWARD(list->SetFirstVisibleItem(item) != 0, false); }
void QvTreeList::FreezeRedraw(bool freeze) {
  if (CGUITreeList* list = List()) list->FreezeRedraw(freeze);
}
bool QvTreeList::SetImageList(QvImageList* images) {
  CGUITreeList* list = List();
  if (!list) return false;
  CSize size(0, 0);
  HIMAGELIST handle = images ? images->GetImageList().GetSafeHandle() : NULL;
  if (images) images->GetImageList().GetImageSize(size);
  list->SetImageList(handle, size.cx);
  return true;
}
bool QvTreeList::GiveFocusToItem(long item) { QV_TREE_FORWARD(list->GiveFocusToItem(item) != 0, false); }
bool QvTreeList::Select(const QvString& text, bool on, bool notify) {
  CGUITreeList* list = List();
  const long item = list ? list->FindItem(text.ToWide().c_str()) : -1;
  return item >= 0 && list->Select(item, on, notify) != 0;
}
bool QvTreeList::Select(const QvArrayQvString& texts, bool on, bool notify) {
  bool all = true;
  for (long i = texts.GetSize(); i-- > 0;) all = Select(texts[i], on, notify) && all;
  return all;
}
bool QvTreeList::Select(const QvArraySLong& items, bool on, bool notify) {
  bool all = true;
  for (long i = items.GetSize(); i-- > 0;) all = Select(items[i], on, notify) && all;
  return all;
}
bool QvTreeList::Select(long item, bool on, bool notify) { QV_TREE_FORWARD(list->Select(item, on, notify) != 0, false); }
void QvTreeList::EnableProcessTabKey(bool on) {
  if (CGUITreeList* list = List()) list->EnableProcessTabKey(on);
}
void QvTreeList::DontSelectGrayedItems(bool dont, bool notifyOnly) {
  CGUITreeList* list = List();
  if (!list) return;
  DWORD flags = list->GetFlags() & ~(CGUITreeList::kNoSelectDisabled | CGUITreeList::kNotifySelectDisabled);
  if (dont) flags |= notifyOnly ? CGUITreeList::kNotifySelectDisabled : CGUITreeList::kNoSelectDisabled;
  list->SetFlags(flags);
}
bool QvTreeList::GetSelected(QvString& text) {
  long item = -1;
  return GetSelected(item) && GetItemText(item, text);
}
bool QvTreeList::GetSelected(QvArraySLong& items) {
  CGUITreeList* list = List();
  items.RemoveAll();
  for (long item = list ? list->GetSelected() : -1; item >= 0; item = list->GetNextSelected(item)) items.Add(item);
  return items.GetSize() > 0;
}
bool QvTreeList::GetSelected(QvArrayQvString& texts) {
  QvArraySLong items;
  texts.RemoveAll();
  GetSelected(items);
  for (long i = 0; i < items.GetSize(); ++i) {
    QvString text;
    GetItemText(items[i], text);
    texts.Add(text);
  }
  return texts.GetSize() > 0;
}
bool QvTreeList::GetSelected(long& item) {
  CGUITreeList* list = List();
  item = list ? list->GetSelected() : -1;
  return item >= 0;
}
void QvTreeList::DeselectAll() {
  if (CGUITreeList* list = List()) list->Select(CGUITreeList::kNone, false, false);
}
bool QvTreeList::SelectAll() { QV_TREE_FORWARD(list->Select(CGUITreeList::kNone, true, false) != 0, false); }
bool QvTreeList::IsSelected(const QvString&) { return false; }
bool QvTreeList::IsSelected(long item) { QV_TREE_FORWARD(list->IsSelected(item) != 0, false); }
long QvTreeList::GetCount() { QV_TREE_FORWARD(list->GetCount(), 0); }
long QvTreeList::GetSelectedCount() { QV_TREE_FORWARD(list->GetSelectedCount(), 0); }
long QvTreeList::CountDescendants(long item, bool recursive) { QV_TREE_FORWARD(list->CountDescendants(item, recursive), 0); }
void QvTreeList::EnableMultipleSel(bool on) {
  CGUITreeList* list = List();
  if (list) list->SetFlags(on ? list->GetFlags() | CGUITreeList::kMultipleSel : list->GetFlags() & ~CGUITreeList::kMultipleSel);
}
bool QvTreeList::IsMultipleSelEnabled() { QV_TREE_FORWARD((list->GetFlags() & CGUITreeList::kMultipleSel) != 0, false); }
void QvTreeList::SetDragAndDropFlags(unsigned short flags) {
  if (CGUITreeList* list = List()) list->SetDragAndDropFlags(flags);
}
unsigned short QvTreeList::GetDragAndDropFlags() { QV_TREE_FORWARD(list->GetDragAndDropFlags(), 0); }
long QvTreeList::GetDropItem() { QV_TREE_FORWARD(list->GetDropItem(), -1); }
bool QvTreeList::CopyItem(long src, long dst, bool asChild) { QV_TREE_FORWARD(list->CopyOrMove(src, dst, false, false, asChild) != 0, false); }
bool QvTreeList::CopyBranch(long src, long dst, bool asChild) { QV_TREE_FORWARD(list->CopyOrMove(src, dst, true, false, asChild) != 0, false); }
bool QvTreeList::MoveItem(long src, long dst, bool asChild) { QV_TREE_FORWARD(list->CopyOrMove(src, dst, false, true, asChild) != 0, false); }
bool QvTreeList::MoveBranch(long src, long dst, bool asChild) { QV_TREE_FORWARD(list->CopyOrMove(src, dst, true, true, asChild) != 0, false); }
void QvTreeList::HideActionners(bool hide) {
  CGUITreeList* list = List();
  if (list) list->SetFlags(hide ? list->GetFlags() & ~0x30u : list->GetFlags() | 0x30u);
}
void QvTreeList::EnableOnlineEdit(bool on, unsigned char limit, bool allowDisabled) {
  if (CGUITreeList* list = List()) list->EnableOnlineEdit(on, limit, allowDisabled);
}
void QvTreeList::EnableTextTooltip(bool on) {
  CGUITreeList* list = List();
  if (list) list->SetFlags(on ? list->GetFlags() | CGUITreeList::kTooltips : list->GetFlags() & ~CGUITreeList::kTooltips);
}
void QvTreeList::UsesIndexOrID(bool byIndex) {
  CGUITreeList* list = List();
  if (list) list->SetFlags(byIndex ? list->GetFlags() & ~CGUITreeList::kByID : list->GetFlags() | CGUITreeList::kByID);
}
long QvTreeList::GetNextItem(long item) { QV_TREE_FORWARD(list->GetNextItem(item), -1); }
long QvTreeList::GetPreviousItem(long item) { QV_TREE_FORWARD(list->GetPreviousItem(item), -1); }
long QvTreeList::GetLastNotifItem() { QV_TREE_FORWARD(list->GetLastNotifItem(), -1); }

// Drag and drop.

bool QvTreeList::OnControlNotification(QvControlNotification& notification) {
  if (notification.m_code == 1307) StartDrag();
  return QvCommandHandler::OnControlNotification(notification);
}

bool QvTreeList::StartDrag() {
  CGUITreeList* list = List();
  if (!list || m_dragSel) return false;
  const unsigned short flags = list->GetDragAndDropFlags();
  if (!(flags & 7)) return false;
  std::vector<long> rows;
  const DWORD listFlags = list->GetFlags();
  list->SetFlags(listFlags & ~CGUITreeList::kByID);
  for (long row = list->GetSelected(); row >= 0; row = list->GetNextSelected(row)) rows.push_back(row);
  list->SetFlags(listFlags);
  if (rows.size() > 1) {
    if (!(flags & 6)) return false;
    if (!(flags & 4))
      for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i] != rows[i - 1] + 1) return false;
  }
  m_dragSel = new QvDragSel(static_cast<QvDragSource*>(this));
  QvTreeDragCallback callback = reinterpret_cast<QvTreeDragCallback>(m_dragCallback);
  if (callback && !callback(this, 0, m_dragSel, -1, UIDragNone, m_dragCallbackData)) {
    delete m_dragSel;
    m_dragSel = nullptr;
    return false;
  }
  QvTreeListDragEntry entry = {::GetCurrentProcessId(), 0, m_registration};
  bool dragged = false;
  if (m_dragSel->AddFormat(kTagTreeList, sizeof entry, &entry)) {
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::ScreenToClient(list->m_hWnd, &pt);
    Drag(QvPoint(pt.x, pt.y), m_dragSel);
    dragged = true;
  }
  delete m_dragSel;
  m_dragSel = nullptr;
  return dragged;
}

QvTreeList* QvTreeList::FromDragEntry(const void* data, long size) {
  if (!data || size != static_cast<long>(sizeof(QvTreeListDragEntry))) return nullptr;
  QvTreeListDragEntry entry;
  memcpy(&entry, data, sizeof entry);
  if (entry.process != ::GetCurrentProcessId()) return nullptr;
  auto found = Lists().live.find(entry.list);
  return found == Lists().live.end() ? nullptr : found->second;
}

QvTreeList* QvTreeList::SourceOf(QvDragSel* sel) {
  if (!sel) return nullptr;
  QvTreeListDragEntry entry = {};
  if (sel->GetDataSize(kTagTreeList, 1) != static_cast<long>(sizeof entry)) return nullptr;
  const long got = sel->GetSizeAndData(kTagTreeList, &entry, sizeof entry, 1);
  return FromDragEntry(&entry, got);
}

UIDragAction QvTreeList::DropAreaMove(QvDragSel* sel) {
  CGUITreeList* list = List();
  if (!list || !sel || !(list->GetDragAndDropFlags() & 0x40)) return UIDragNone;
  if (sel->GetDataSize(kTagTreeList, 1) != static_cast<long>(sizeof(QvTreeListDragEntry))) return UIDragNone;
  list->HandleDragOver(sel);
  QvTreeDragCallback callback = reinterpret_cast<QvTreeDragCallback>(m_dragCallback);
  if (callback)
    return static_cast<UIDragAction>(callback(this, 1, sel, list->GetDropItem(), UIDragNone, m_dragCallbackData));
  return SourceOf(sel) == this ? UIDragMove : UIDragCopy;
}

UIDragAction QvTreeList::Drop(QvDragSel* sel, UIDragAction action) {
  CGUITreeList* list = List();
  if (!list || !sel || !(list->GetDragAndDropFlags() & 0x40)) return UIDragNone;
  if (sel->GetDataSize(kTagTreeList, 1) != static_cast<long>(sizeof(QvTreeListDragEntry))) return UIDragNone;
  const long item = list->GetDropItem();
  list->HandleDrop(sel);
  QvTreeDragCallback callback = reinterpret_cast<QvTreeDragCallback>(m_dragCallback);
  if (callback && !callback(this, 2, sel, item, action, m_dragCallbackData)) return action;
  QvTreeList* source = SourceOf(sel);
  QvTreeDragCallback sourceCallback = source ? reinterpret_cast<QvTreeDragCallback>(source->m_dragCallback) : nullptr;
  if (sourceCallback) sourceCallback(source, 3, sel, source->GetDropItem(), action, source->m_dragCallbackData);
  return action;
}

// The check tree list.

unsigned long QvCheckTreeList::GetStyle() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<unsigned long>(::GetWindowLongW(window, GWL_STYLE)) : 0;
}

void QvCheckTreeList::SetStyle(unsigned short style) {
  if (CGUITreeList* list = List()) list->SetCheckBoxFlags(style);
}

QvTriState QvCheckTreeList::GetState(long item) {
  CGUITreeList* list = List();
  const int state = list ? list->GetItemCheckBoxState(item) : -1;
  return state < 0 ? QvIndeterminate : state & 3;
}

bool QvCheckTreeList::SetState(long item, QvTriState state, bool noRedraw) {
  CGUITreeList* list = List();
  return list && list->SetItemCheckBoxState(item, state, true, !noRedraw) != 0;
}

void QvCheckTreeList::DontCheckGrayedItems(bool dont, bool notifyOnly) {
  CGUITreeList* list = List();
  if (!list) return;
  DWORD flags = list->GetFlags() & ~(CGUITreeList::kNoCheckDisabled | CGUITreeList::kNotifyCheckDisabled);
  if (!dont) flags |= notifyOnly ? CGUITreeList::kNotifyCheckDisabled : CGUITreeList::kNoCheckDisabled;
  list->SetFlags(flags);
}
