// The items of a tree list (see TreeListItems.h).
#include "TreeListItems.h"

#include <algorithm>

TreeListItem* TreeListItems::Find(long id) const {
  auto found = m_byId.find(id);
  return found == m_byId.end() ? nullptr : found->second;
}

size_t TreeListItems::IndexOf(long id) const {
  TreeListItem* item = Find(id);
  if (!item) return kNone;
  if (item->row >= m_cleanUpTo || m_rows[item->row].get() != item) Renumber(m_cleanUpTo);
  return item->row;
}

void TreeListItems::Renumber(size_t from) const {
  for (size_t i = from; i < m_rows.size(); ++i) m_rows[i]->row = i;
  m_cleanUpTo = m_rows.size();
}

size_t TreeListItems::SubtreeEnd(size_t row) const {
  if (row >= m_rows.size()) return m_rows.size();
  const unsigned short level = m_rows[row]->level;
  size_t end = row + 1;
  while (end < m_rows.size() && m_rows[end]->level > level) ++end;
  return end;
}

size_t TreeListItems::Parent(size_t row) const {
  if (row >= m_rows.size()) return kNone;
  const unsigned short level = m_rows[row]->level;
  if (level == 0) return kNone;
  for (size_t i = row; i-- > 0;)
    if (m_rows[i]->level < level) return i;
  return kNone;
}

size_t TreeListItems::AddChild(size_t parent, const std::wstring& text) {
  Refresh();
  if (parent != kNone && parent >= m_rows.size()) return kNone;
  TreeListItem* owner = parent == kNone ? nullptr : m_rows[parent].get();
  // Children added one after the other to the same parent need no walk of its subtree.
  const size_t row = !owner ? m_rows.size() : (owner == m_lastParent ? m_lastParentEnd : SubtreeEnd(parent));
  std::unique_ptr<TreeListItem> item(new TreeListItem);
  item->level = owner ? static_cast<unsigned short>(owner->level + 1) : 0;
  item->text = text;
  item->id = m_nextId++;
  item->row = row;
  if (!owner || ((owner->flags & TreeListItem::kShown) && (owner->flags & TreeListItem::kExpanded)))
    item->flags |= TreeListItem::kShown;
  if (owner) owner->flags |= TreeListItem::kContainer;
  // The previous sibling (the nearest row of the same level before, inside the parent) now
  // has a following sibling.
  for (size_t i = row; i-- > (owner ? parent + 1 : 0);) {
    if (m_rows[i]->level == item->level) {
      m_rows[i]->flags |= TreeListItem::kHasNextSibling;
      break;
    }
    if (m_rows[i]->level < item->level) break;
  }
  TreeListItem* raw = item.get();
  m_byId[raw->id] = raw;
  m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
  if (raw->flags & TreeListItem::kShown) ++m_shown;
  if (row < m_cleanUpTo) m_cleanUpTo = row;
  m_lastParent = owner;
  m_lastParentEnd = row + 1;
  return row;
}

size_t TreeListItems::Insert(size_t row, unsigned short level, const std::wstring& text) {
  Refresh();
  if (row > m_rows.size()) return kNone;
  if (level > 0 && (row == 0 || level > m_rows[row - 1]->level + 1u)) return kNone;
  if (row < m_rows.size() && m_rows[row]->level > level) return kNone;
  size_t owner = kNone;  // the nearest earlier row that is shallower
  for (size_t i = row; level > 0 && i-- > 0;)
    if (m_rows[i]->level < level) {
      owner = i;
      break;
    }
  std::unique_ptr<TreeListItem> item(new TreeListItem);
  item->level = level;
  item->text = text;
  item->id = m_nextId++;
  item->row = row;
  TreeListItem* up = owner == kNone ? nullptr : m_rows[owner].get();
  if (!up || ((up->flags & TreeListItem::kShown) && (up->flags & TreeListItem::kExpanded)))
    item->flags |= TreeListItem::kShown;
  if (up) up->flags |= TreeListItem::kContainer;
  if (row < m_rows.size() && m_rows[row]->level == level) item->flags |= TreeListItem::kHasNextSibling;
  for (size_t i = row; i-- > 0;) {
    if (m_rows[i]->level == level) {
      m_rows[i]->flags |= TreeListItem::kHasNextSibling;
      break;
    }
    if (m_rows[i]->level < level) break;
  }
  TreeListItem* raw = item.get();
  m_byId[raw->id] = raw;
  m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
  if (raw->flags & TreeListItem::kShown) ++m_shown;
  if (row < m_cleanUpTo) m_cleanUpTo = row;
  m_lastParent = nullptr;
  return row;
}

void TreeListItems::Clear() {
  m_stale = false;
  m_rows.clear();
  m_byId.clear();
  m_shown = 0;
  m_cleanUpTo = 0;
  m_lastParent = nullptr;
}

size_t TreeListItems::NextShown(size_t row) const {
  Refresh();
  if (row >= m_rows.size()) return kNone;
  // The rows of a closed container are hidden: its subtree is skipped in one step.
  size_t next = (m_rows[row]->flags & TreeListItem::kExpanded) ? row + 1 : SubtreeEnd(row);
  while (next < m_rows.size() && !(m_rows[next]->flags & TreeListItem::kShown)) next = SubtreeEnd(next);
  return next < m_rows.size() ? next : kNone;
}

size_t TreeListItems::PreviousShown(size_t row) const {
  Refresh();
  for (size_t i = std::min(row, m_rows.size()); i-- > 0;)
    if (m_rows[i]->flags & TreeListItem::kShown) return i;
  return kNone;
}

bool TreeListItems::Delete(size_t row) {
  Refresh();
  if (row >= m_rows.size()) return false;
  const size_t end = SubtreeEnd(row);
  const TreeListItem& item = *m_rows[row];
  if (!(item.flags & TreeListItem::kHasNextSibling)) {
    // The previous sibling becomes the last one.
    for (size_t i = row; i-- > 0;) {
      if (m_rows[i]->level == item.level) {
        m_rows[i]->flags &= static_cast<unsigned short>(~TreeListItem::kHasNextSibling);
        break;
      }
      if (m_rows[i]->level < item.level) break;
    }
  }
  for (size_t i = row; i < end; ++i) {
    if (m_rows[i]->flags & TreeListItem::kShown) --m_shown;
    m_byId.erase(m_rows[i]->id);
  }
  m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row), m_rows.begin() + static_cast<std::ptrdiff_t>(end));
  m_lastParent = nullptr;
  if (row < m_cleanUpTo) m_cleanUpTo = row;
  return true;
}

bool TreeListItems::DeleteRange(size_t first, size_t end) {
  Refresh();
  if (first >= end || end > m_rows.size()) return false;
  if (SubtreeEnd(first) == end) return Delete(first);
  const unsigned short level = m_rows[first]->level;
  size_t parent = kNone;
  for (size_t i = first; i-- > 0;)
    if (m_rows[i]->level < level) {
      parent = i;
      break;
    }
  for (size_t i = first; i < end; ++i) {
    if (m_rows[i]->flags & TreeListItem::kShown) --m_shown;
    m_byId.erase(m_rows[i]->id);
  }
  m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(first), m_rows.begin() + static_cast<std::ptrdiff_t>(end));
  SetSiblingFlags(parent == kNone ? 0 : parent + 1, parent == kNone ? m_rows.size() : SubtreeEnd(parent));
  m_lastParent = nullptr;
  if (first < m_cleanUpTo) m_cleanUpTo = first;
  return true;
}

bool TreeListItems::DeleteKeepingDescendants(size_t row) {
  Refresh();
  if (row >= m_rows.size()) return false;
  if (SubtreeEnd(row) == row + 1) return Delete(row);
  Expand(row, true);
  const size_t end = SubtreeEnd(row);
  for (size_t i = row + 1; i < end; ++i) --m_rows[i]->level;
  const size_t parent = Parent(row);
  TreeListItem* item = m_rows[row].get();
  if (item->flags & TreeListItem::kShown) --m_shown;
  m_byId.erase(item->id);
  m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
  const size_t begin = parent == kNone ? 0 : parent + 1;
  SetSiblingFlags(begin, parent == kNone ? m_rows.size() : SubtreeEnd(parent));
  m_lastParent = nullptr;
  if (row < m_cleanUpTo) m_cleanUpTo = row;
  return true;
}

size_t TreeListItems::MoveOrCopy(size_t row, bool withDescendants, size_t target, bool asChild, bool copy) {
  Refresh();
  if (row >= m_rows.size() || target >= m_rows.size()) return kNone;
  const size_t end = SubtreeEnd(row);
  if (!copy && !withDescendants && end > row + 1) return kNone;
  if (target >= row && target < end) return kNone;
  const size_t last = withDescendants ? end : row + 1;
  const int shift = int(m_rows[target]->level) + (asChild ? 1 : 0) - int(m_rows[row]->level);
  const TreeListItem* targetItem = m_rows[target].get();
  std::vector<std::unique_ptr<TreeListItem>> moving;
  moving.reserve(last - row);
  if (copy) {
    const unsigned short kept = TreeListItem::kExpanded | TreeListItem::kDisabled;
    for (size_t i = row; i < last; ++i) {
      const TreeListItem& from = *m_rows[i];
      std::unique_ptr<TreeListItem> item(new TreeListItem);
      item->flags = static_cast<unsigned short>(from.flags & kept);
      item->textWidth = from.textWidth;
      item->level = from.level;
      item->fontIndex = from.fontIndex;
      item->text = from.text;
      std::copy(&from.images[0][0], &from.images[0][0] + 6, &item->images[0][0]);
      item->data = from.data;
      item->id = m_nextId++;
      m_byId[item->id] = item.get();
      moving.push_back(std::move(item));
    }
  } else {
    for (size_t i = row; i < last; ++i) moving.push_back(std::move(m_rows[i]));
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row), m_rows.begin() + static_cast<std::ptrdiff_t>(last));
    m_cleanUpTo = 0;
  }
  // The target's row now, after the rows taken out before it.
  const size_t newTarget = (!copy && target > row) ? target - (last - row) : target;
  (void)targetItem;
  const size_t at = SubtreeEnd(newTarget);
  for (auto& item : moving) item->level = static_cast<unsigned short>(int(item->level) + shift);
  m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(moving.begin()),
                std::make_move_iterator(moving.end()));
  RecomputeFlags();
  return at;
}

bool TreeListItems::SetExpandedLater(size_t row, bool expand) {
  if (row >= m_rows.size()) return false;
  TreeListItem& item = *m_rows[row];
  if (!(item.flags & TreeListItem::kContainer)) return false;
  if (expand) item.flags |= TreeListItem::kExpanded;
  else item.flags &= static_cast<unsigned short>(~TreeListItem::kExpanded);
  m_stale = true;
  return true;
}

void TreeListItems::RecomputeFlags() {
  m_stale = false;
  // A row is shown when its parent (the latest row one level up) is shown and open.
  std::vector<char> open;
  m_shown = 0;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    TreeListItem& item = *m_rows[i];
    const size_t level = item.level;
    const bool shown = level == 0 || (open.size() >= level && open[level - 1]);
    if (shown) {
      item.flags |= TreeListItem::kShown;
      ++m_shown;
    } else {
      item.flags &= static_cast<unsigned short>(~TreeListItem::kShown);
    }
    if (i + 1 < m_rows.size() && m_rows[i + 1]->level > item.level) item.flags |= TreeListItem::kContainer;
    open.resize(level + 1);
    open[level] = shown && (item.flags & TreeListItem::kExpanded);
  }
  SetSiblingFlags(0, m_rows.size());
  m_cleanUpTo = 0;
  m_lastParent = nullptr;
}

void TreeListItems::SetSiblingFlags(size_t begin, size_t end) {
  // Backwards: a row has a following sibling when a later row of its level came before any
  // shallower one.
  std::vector<char> later;
  for (size_t i = end; i-- > begin;) {
    TreeListItem& item = *m_rows[i];
    const size_t level = item.level;
    if (later.size() > level && later[level]) item.flags |= TreeListItem::kHasNextSibling;
    else item.flags &= static_cast<unsigned short>(~TreeListItem::kHasNextSibling);
    later.resize(level + 1);
    later[level] = 1;
  }
}

bool TreeListItems::Expand(size_t row, bool expand) {
  Refresh();
  if (row >= m_rows.size()) return false;
  TreeListItem& item = *m_rows[row];
  if (!(item.flags & TreeListItem::kContainer)) return false;
  if (expand) item.flags |= TreeListItem::kExpanded;
  else item.flags &= static_cast<unsigned short>(~TreeListItem::kExpanded);
  ShowSubtree(row, (item.flags & TreeListItem::kShown) && expand);
  return true;
}

void TreeListItems::ShowSubtree(size_t row, bool shown) {
  // A descendant is shown when every ancestor up to `row` is expanded: `deepest` is the
  // deepest level shown under the rows seen so far.
  // One pass: the subtree ends at the first row that is not deeper than `row`.
  const unsigned level = m_rows[row]->level;
  unsigned deepest = level + 1u;
  for (size_t i = row + 1; i < m_rows.size() && m_rows[i]->level > level; ++i) {
    TreeListItem& item = *m_rows[i];
    bool now = false;
    if (shown && item.level <= deepest) {
      now = true;
      deepest = (item.flags & TreeListItem::kExpanded) ? item.level + 1u : item.level;
    }
    const bool was = (item.flags & TreeListItem::kShown) != 0;
    if (now == was) continue;
    if (now) {
      item.flags |= TreeListItem::kShown;
      ++m_shown;
    } else {
      item.flags &= static_cast<unsigned short>(~TreeListItem::kShown);
      --m_shown;
    }
  }
}

bool TreeListItems::SortChildren(size_t parent,
                                 const std::function<bool(const TreeListItem&, const TreeListItem&)>& before) {
  if (parent != kNone && parent >= m_rows.size()) return false;
  const size_t start = parent == kNone ? 0 : parent + 1;
  const size_t end = parent == kNone ? m_rows.size() : SubtreeEnd(parent);
  const unsigned short level = parent == kNone ? 0 : static_cast<unsigned short>(m_rows[parent]->level + 1);
  struct Run {
    size_t begin, end;
  };
  std::vector<Run> runs;
  for (size_t i = start; i < end; ++i) {
    if (m_rows[i]->level == level) runs.push_back({i, i + 1});
    else if (!runs.empty()) runs.back().end = i + 1;
  }
  if (runs.size() < 2) return true;
  std::stable_sort(runs.begin(), runs.end(),
                   [&](const Run& a, const Run& b) { return before(*m_rows[a.begin], *m_rows[b.begin]); });
  // The records move; none is copied or renumbered.
  std::vector<std::unique_ptr<TreeListItem>> sorted;
  sorted.reserve(end - start);
  for (const Run& run : runs)
    for (size_t i = run.begin; i < run.end; ++i) sorted.push_back(std::move(m_rows[i]));
  for (size_t i = 0; i < sorted.size(); ++i) m_rows[start + i] = std::move(sorted[i]);
  // Every child but the last has a following sibling.
  TreeListItem* last = nullptr;
  for (size_t i = start; i < end; ++i) {
    if (m_rows[i]->level != level) continue;
    m_rows[i]->flags |= TreeListItem::kHasNextSibling;
    last = m_rows[i].get();
  }
  if (last) last->flags &= static_cast<unsigned short>(~TreeListItem::kHasNextSibling);
  if (start < m_cleanUpTo) m_cleanUpTo = start;
  m_lastParent = nullptr;
  return true;
}
