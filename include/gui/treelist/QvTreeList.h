// The portable tree list and check tree list: QvControls bound to a "QvTreeList" child through
// the platform tree list CGUITreeList (GUITreeList.h), items addressed by index or by id as
// UsesIndexOrID sets it. A list that is not bound changes nothing and answers failure.
//
// Drag and drop between tree lists: with drag flags 0x01 (single items), 0x02 (several
// consecutive selected items) or 0x04 (several in any arrangement), the list's begin-drag
// notification starts a drag whose data names the source list; a list with 0x40 accepts
// drops of such data. The host's drag callback (m_dragCallback of the control, with its
// pointer-sized value) is called: phase 0 before a drag (0 cancels), 1 over this list (the
// action), 2 on a drop here (0 stops), 3 on the source list after its items were dropped. The
// data carries a registration number of the source list and its process; a list is found by
// it only while it lives and only in the process that made it.
#pragma once
#include <QvControl.h>
#include <QvDragDrop.h>
#include <vekkel.h>

#include "quarnel_api.h"

class CGUITreeList;
class QvTreeList;
class QvImageList;

enum QvTreeItemType { QvTreeTerminal = 1, QvTreeClosedContainer = 2, QvTreeOpenContainer = 3 };
enum QvTListPos { QvTListNowhere = 0, QvTListButton = 1, QvTListImage = 2, QvTListLabel = 3, QvTListCheck = 4 };

// The host's edit callback: (control, item index, phase 0 to 4, value, user value); false
// refuses at phases 0 to 2.
typedef bool (*QvTreeEditCallback)(QvTreeList* list, long item, int phase, LONG_PTR value, ULONG_PTR user);
// The host's drag callback: (list, phase, selection, item, action, user value).
typedef LONG_PTR (*QvTreeDragCallback)(QvTreeList* list, int phase, QvDragSel* sel, long item, UIDragAction action,
                                       ULONG_PTR user);

// A host comparison of two items (index or id): > 0 when a should follow b.
typedef int (*QvTreeCompare)(QvTreeList* list, long a, long b, void* data);

// The drag data entry of a tree list.
struct QvTreeListDragEntry {
  DWORD process;  // the process that made it
  DWORD reserved;
  ULONGLONG list;  // the source list's registration number
};

class QUARNEL_API QvTreeList : public QvControl, public QvDragSource, public QvDropTarget {
  QV_DECLARE_CREATABLE(QvTreeList)
 public:
  QvTreeList();
  ~QvTreeList() override;

  virtual long AddDescendant(const QvString& text, long item);
  virtual long AddDescendant(long item) { return AddDescendant(QvString(), item); }
  virtual long AddSuccessor(const QvString& text, long item);
  virtual long AddSuccessor(long item) { return AddSuccessor(QvString(), item); }
  virtual long AddPredecessor(const QvString& text, long item);
  virtual long AddPredecessor(long item) { return AddPredecessor(QvString(), item); }
  virtual bool DeleteItem(long item, bool withDescendants);
  virtual bool DeleteChildren(long item);
  virtual bool DeleteAllItems();
  virtual bool Collapse(long item);
  virtual bool Expand(long item, bool unused, bool recurse);
  virtual bool IsVisible(long item);
  virtual bool EditItem(long item);
  virtual bool ForceContainer(long item);
  virtual bool ForceTerminal(long item, bool unused);
  virtual bool ForceItemInView(long item, bool asTop);
  virtual bool SetItemImages(QvTreeItemType type, long item, short first, short second);
  virtual bool SetItemData(long item, void* data);
  virtual bool SetItemStyle(long item, unsigned char style);
  virtual bool SetItemText(long item, const QvString& text);
  virtual long GetDescendant(long item);
  virtual void* GetItemData(long item);
  virtual bool GetItemText(long item, QvString& text);
  virtual int GetItemStyle(long item);
  virtual long GetPredecessor(long item);
  virtual long GetSuccessor(long item);
  virtual long GetAncestor(long item);
  virtual int GetItemType(long item);
  virtual QvTListPos GetClickPosition();
  virtual bool GetItemImages(QvTreeItemType type, long item, short& first, short& second);
  // The row of a shown item on screen, its left and right the label's span; false when the
  // item is hidden, scrolled away or does not exist.
  virtual bool GetItemRect(long item, RECT* rect);
  virtual bool SortDescendants(long item, bool ascending);
  // The item's children (-1: the roots) ordered by the host's comparison, stable; ids and
  // state stay with the items.
  virtual bool SortDescendants(QvTreeCompare compare, long item, void* data);
  virtual bool FindItem(const void* data, long& item);
  virtual long GetFirstVisibleItem();
  virtual bool SetFirstVisibleItem(long item);
  virtual void FreezeRedraw(bool freeze);
  virtual bool SetImageList(QvImageList* list);
  virtual bool GiveFocusToItem(long item);
  // Each item of the list, from the last to the first; false when any failed.
  virtual bool Select(const QvArrayQvString& texts, bool on, bool notify);
  virtual bool Select(const QvString& text, bool on, bool notify);
  virtual bool Select(const QvArraySLong& items, bool on, bool notify);
  virtual bool Select(long item, bool on, bool notify);
  virtual void EnableProcessTabKey(bool on);
  virtual void DontSelectGrayedItems(bool dont, bool notifyOnly);
  // Every selected item (its text), in row order; false when nothing is selected.
  virtual bool GetSelected(QvArrayQvString& texts);
  virtual bool GetSelected(QvString& text);
  virtual bool GetSelected(QvArraySLong& items);
  virtual bool GetSelected(long& item);
  virtual void DeselectAll();
  virtual bool SelectAll();
  virtual bool IsSelected(const QvString& text);  // false
  virtual bool IsSelected(long item);
  virtual long GetCount();
  virtual long GetSelectedCount();
  virtual long CountDescendants(long item, bool recursive);
  virtual void EnableMultipleSel(bool on);
  virtual bool IsMultipleSelEnabled();
  virtual void SetDragAndDropFlags(unsigned short flags);
  virtual unsigned short GetDragAndDropFlags();
  virtual long GetDropItem();
  virtual bool CopyItem(long src, long dst, bool asChild);
  virtual bool CopyBranch(long src, long dst, bool asChild);
  virtual bool MoveItem(long src, long dst, bool asChild);
  virtual bool MoveBranch(long src, long dst, bool asChild);
  virtual void HideActionners(bool hide);
  virtual void EnableOnlineEdit(bool on, unsigned char limit, bool allowDisabled);

  bool ExpandEx(long item, bool recurse, bool notify);
  void EnableTextTooltip(bool on);
  // True: items by index; false: by id.
  void UsesIndexOrID(bool byIndex);
  long GetNextItem(long item);
  long GetPreviousItem(long item);
  long GetLastNotifItem();

  // A begin-drag notification starts a drag; every notification then goes to the parent.
  bool OnControlNotification(QvControlNotification& notification) override;
  UIDragAction DropAreaMove(QvDragSel* sel) override;
  UIDragAction Drop(QvDragSel* sel, UIDragAction action) override;
  void LeaveDropArea(QvDragSel*) override {}

  // Starts a drag of the selected items as the drag flags allow; false when refused.
  bool StartDrag();
  // The live list of a drag entry of this process; null otherwise (or for a malformed entry).
  static QvTreeList* FromDragEntry(const void* data, long size);
  // The list that a drag selection's data names; null when it names none that lives here.
  static QvTreeList* SourceOf(QvDragSel* sel);

  CGUITreeList* List() const;
  // The number a drag entry names this list by.
  ULONGLONG GetRegistration() const { return m_registration; }

  QvTreeEditCallback m_editCallback = nullptr;
  ULONG_PTR m_editCallbackData = 0;
  QvDragSel* m_dragSel = nullptr;

 private:
  ULONGLONG m_registration;
};

class QUARNEL_API QvCheckTreeList : public QvTreeList {
  QV_DECLARE_CREATABLE(QvCheckTreeList)
 public:
  QvCheckTreeList() = default;
  // The window style.
  virtual unsigned long GetStyle();
  // The check-box propagation flags (bit 0 hides the boxes).
  virtual void SetStyle(unsigned short style);
  // The item's check state; QvIndeterminate (2) for an item that does not exist.
  virtual QvTriState GetState(long item);
  virtual bool SetState(long item, QvTriState state, bool noRedraw);
  virtual void DontCheckGrayedItems(bool dont, bool notifyOnly);
};
