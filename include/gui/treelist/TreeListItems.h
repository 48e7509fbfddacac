// The items of a tree list: one array of rows in display order, the tree carried by each
// item's level (a child follows its parent, a subtree is the run of deeper rows after it).
// Items are owned here and keep their id for life; an id finds its item in constant time
// (a map from id to item, and each item's row cached and renumbered once after a change).
// Sorting a container's children moves whole subtrees, stable, in n log n; every item keeps
// its id, check state, selection and focus. The count of shown rows (every ancestor
// expanded) is kept as rows come, go, open and close.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "quarnel_api.h"

struct QUARNEL_API TreeListItem {
  enum : unsigned short {
    kCheckMask = 0x3,  // 0 unchecked, 1 checked, 2 third state
    kShown = 0x4,      // every ancestor is expanded
    kSelected = 0x8,
    kDropHighlight = 0x10,
    kDisabled = 0x20,
    kFocus = 0x40,
    kContainer = 0x80,
    kExpanded = 0x100,
    kHasNextSibling = 0x200,
    kEditing = 0x400,
  };
  unsigned short flags = 0;
  int textWidth = -1;  // text extent + 2 pixels; -1 unknown
  unsigned short level = 0;
  unsigned short fontIndex = 0;
  std::wstring text;
  short images[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};  // terminal, closed, open: first and second
  long id = 0;
  void* data = nullptr;  // the user's value, pointer-sized
  size_t row = 0;        // cached; see TreeListItems::IndexOf
};

class QUARNEL_API TreeListItems {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  TreeListItems() = default;
  TreeListItems(const TreeListItems&) = delete;
  TreeListItems& operator=(const TreeListItems&) = delete;

  size_t Count() const { return m_rows.size(); }
  size_t ShownCount() const {
    Refresh();
    return m_shown;
  }
  // Whether every ancestor of the row is open (false for a bad row).
  bool IsShown(size_t row) const {
    Refresh();
    return row < m_rows.size() && (m_rows[row]->flags & TreeListItem::kShown);
  }
  TreeListItem* At(size_t row) const { return row < m_rows.size() ? m_rows[row].get() : nullptr; }
  // The item of an id; null when there is none.
  TreeListItem* Find(long id) const;
  // The row of an id; kNone when there is none.
  size_t IndexOf(long id) const;

  // A new last child of `parent` (kNone: a new last root item), made a container when it was
  // not; its id is the next of the list. Shown when its parent is shown and expanded. Its row.
  size_t AddChild(size_t parent, const std::wstring& text);
  // A new item of `level` at `row` (0 to Count): its parent is the nearest earlier row one level
  // up (made a container), none for level 0. The next row must not be deeper than `level`.
  // Shown when its parent is shown and expanded. Its row; kNone for a bad place.
  size_t Insert(size_t row, unsigned short level, const std::wstring& text);
  // Removes every item; ids keep growing.
  void Clear();
  // The next / previous shown row; kNone when there is none.
  size_t NextShown(size_t row) const;
  size_t PreviousShown(size_t row) const;
  // The row after the subtree of `row`.
  size_t SubtreeEnd(size_t row) const;
  // The parent's row; kNone for a root item or a bad row.
  size_t Parent(size_t row) const;
  // Removes the item and its subtree; false for a bad row.
  bool Delete(size_t row);
  // Removes the rows [first, end), whole subtrees of siblings; false for a bad range.
  bool DeleteRange(size_t first, size_t end);
  // Removes only the item: its container is opened first and its descendants move up one
  // level, in place. False for a bad row.
  bool DeleteKeepingDescendants(size_t row);
  // Moves the item at `row` with its subtree (or alone) after `target`'s subtree at target's
  // level, or as target's last child; the moved items keep their ids and state. A copy makes
  // new items (new ids) that keep the open and disabled flags, font, text width, images and
  // user value, but not the check state, selection or focus. The first row placed; kNone for a
  // bad row, a target inside the moved subtree, or a move that would leave descendants behind.
  size_t MoveOrCopy(size_t row, bool withDescendants, size_t target, bool asChild, bool copy);
  // Opens or closes a container: its children (and their open subtrees) are shown or hidden.
  // False for a bad row or a terminal.
  bool Expand(size_t row, bool expand);
  // Opens or closes a container and leaves the shown rows to be brought up to date, for the
  // whole list at once, by the next question about them (ShownCount, IsShown, NextShown, ...)
  // or change: while nobody looks, opening and closing cost nothing per child. Read the shown
  // flag of a record only after such a question. False for a bad row or a terminal.
  bool SetExpandedLater(size_t row, bool expand);
  // Brings the shown rows up to date after SetExpandedLater.
  void Refresh() const {
    if (m_stale) const_cast<TreeListItems*>(this)->RecomputeFlags();
  }
  // Orders the children of `parent` (kNone: the root items) by `before`, stable, each with its
  // subtree. False for a bad row.
  bool SortChildren(size_t parent, const std::function<bool(const TreeListItem&, const TreeListItem&)>& before);

 private:
  void Renumber(size_t from) const;
  void ShowSubtree(size_t row, bool shown);
  // Sets each row's following-sibling flag anew in [begin, end), a run that starts at a row
  // whose earlier siblings, if any, lie before `begin` and whose later ones inside the run.
  void SetSiblingFlags(size_t begin, size_t end);
  // Shown, container and sibling flags and the shown count, anew for every row.
  void RecomputeFlags();

  std::vector<std::unique_ptr<TreeListItem>> m_rows;
  std::unordered_map<long, TreeListItem*> m_byId;
  long m_nextId = 0;
  size_t m_shown = 0;
  bool m_stale = false;  // opened or closed containers wait for RecomputeFlags
  mutable size_t m_cleanUpTo = 0;  // rows below this have a correct cached row
  // The parent of the last child added and the row after its subtree; forgotten by any other
  // change of the rows.
  const TreeListItem* m_lastParent = nullptr;
  size_t m_lastParentEnd = 0;
};
