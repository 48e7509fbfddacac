#include "GridSelection.h"

#include <algorithm>
#include <climits>

namespace {

long long Area(const CCellRange& r) {
  return static_cast<long long>(r.GetRowSpan()) * static_cast<long long>(r.GetColSpan());
}

bool Overlap(const CCellRange& a, const CCellRange& b) {
  return a.GetMinRow() <= b.GetMaxRow() && b.GetMinRow() <= a.GetMaxRow() && a.GetMinCol() <= b.GetMaxCol() &&
         b.GetMinCol() <= a.GetMaxCol();
}

// Appends the parts of `piece` outside `cut` (at most four).
void Subtract(const CCellRange& piece, const CCellRange& cut, std::vector<CCellRange>& out) {
  if (!Overlap(piece, cut)) {
    out.push_back(piece);
    return;
  }
  const int top = std::max(piece.GetMinRow(), cut.GetMinRow());
  const int bottom = std::min(piece.GetMaxRow(), cut.GetMaxRow());
  if (piece.GetMinRow() < top) out.push_back(CCellRange(piece.GetMinRow(), piece.GetMinCol(), top - 1, piece.GetMaxCol()));
  if (bottom < piece.GetMaxRow())
    out.push_back(CCellRange(bottom + 1, piece.GetMinCol(), piece.GetMaxRow(), piece.GetMaxCol()));
  if (piece.GetMinCol() < cut.GetMinCol()) out.push_back(CCellRange(top, piece.GetMinCol(), bottom, cut.GetMinCol() - 1));
  if (cut.GetMaxCol() < piece.GetMaxCol()) out.push_back(CCellRange(top, cut.GetMaxCol() + 1, bottom, piece.GetMaxCol()));
}

}  // namespace

bool CGridSelection::InRanges(int row, int col) const { return RangeOf(row, col) >= 0; }

int CGridSelection::RangeOf(int row, int col) const {
  for (size_t i = 0; i < m_ranges.size(); ++i)
    if (m_ranges[i].InRange(row, col)) return static_cast<int>(i);
  return -1;
}

namespace {

int CountIn(const std::map<int, int>& counts, int key) {
  auto it = counts.find(key);
  return it == counts.end() ? 0 : it->second;
}

void Decrement(std::map<int, int>& counts, int key) {
  auto it = counts.find(key);
  if (it != counts.end() && --it->second == 0) counts.erase(it);
}

}  // namespace

bool CGridSelection::RowRemoved(int row, int minCol, int maxCol) const {
  // The counts tell cheaply when a row cannot be complete, so that deselecting cell after cell
  // along an edge costs no scan of what was deselected before.
  if (CountIn(m_removedRows, row) < maxCol - minCol + 1) return false;
  // Deselected cells of one row lie together in the set, in column order.
  auto it = m_removed.lower_bound(Key(row, minCol));
  for (int c = minCol; c <= maxCol; ++c, ++it)
    if (it == m_removed.end() || *it != Key(row, c)) return false;
  return true;
}

bool CGridSelection::ColumnRemoved(int col, int minRow, int maxRow) const {
  if (CountIn(m_removedCols, col) < maxRow - minRow + 1) return false;
  for (int r = minRow; r <= maxRow; ++r)
    if (m_removed.find(Key(r, col)) == m_removed.end()) return false;
  return true;
}

void CGridSelection::Trim(int index) {
  CCellRange& r = m_ranges[static_cast<size_t>(index)];
  for (;;) {
    if (!r.IsValid()) break;
    if (RowRemoved(r.GetMinRow(), r.GetMinCol(), r.GetMaxCol())) {
      EraseRemoved(CCellRange(r.GetMinRow(), r.GetMinCol(), r.GetMinRow(), r.GetMaxCol()));
      r.SetMinRow(r.GetMinRow() + 1);
    } else if (RowRemoved(r.GetMaxRow(), r.GetMinCol(), r.GetMaxCol())) {
      EraseRemoved(CCellRange(r.GetMaxRow(), r.GetMinCol(), r.GetMaxRow(), r.GetMaxCol()));
      r.SetMaxRow(r.GetMaxRow() - 1);
    } else if (ColumnRemoved(r.GetMinCol(), r.GetMinRow(), r.GetMaxRow())) {
      EraseRemoved(CCellRange(r.GetMinRow(), r.GetMinCol(), r.GetMaxRow(), r.GetMinCol()));
      r.SetMinCol(r.GetMinCol() + 1);
    } else if (ColumnRemoved(r.GetMaxCol(), r.GetMinRow(), r.GetMaxRow())) {
      EraseRemoved(CCellRange(r.GetMinRow(), r.GetMaxCol(), r.GetMaxRow(), r.GetMaxCol()));
      r.SetMaxCol(r.GetMaxCol() - 1);
    } else {
      return;
    }
  }
  m_ranges.erase(m_ranges.begin() + index);
}

bool CGridSelection::IsSelected(int row, int col) const {
  if (InRanges(row, col)) return m_removed.find(Key(row, col)) == m_removed.end();
  return m_added.find(Key(row, col)) != m_added.end();
}

void CGridSelection::AddColumn(int col) { ++m_addedColumns[col]; }

void CGridSelection::DropColumn(int col) {
  auto it = m_addedColumns.find(col);
  if (it != m_addedColumns.end() && --it->second == 0) m_addedColumns.erase(it);
}

void CGridSelection::Select(int row, int col, bool selected) {
  if (row < 0 || col < 0) return;
  const Key key(row, col);
  const int index = RangeOf(row, col);
  if (index >= 0) {
    if (selected) {
      auto it = m_removed.find(key);
      if (it != m_removed.end()) DropRemoved(it);
    } else if (m_removed.insert(key).second) {
      ++m_removedRows[row];
      ++m_removedCols[col];
      // A row or column of the range's edge wholly deselected leaves the range, so that the
      // ranges' bounds stay the bounds of what is selected.
      Trim(index);
    }
    return;
  }
  if (selected) {
    if (m_added.insert(key).second) AddColumn(col);
  } else if (m_added.erase(key) != 0) {
    DropColumn(col);
  }
}

std::set<CGridSelection::Key>::iterator CGridSelection::DropRemoved(std::set<Key>::iterator it) {
  Decrement(m_removedRows, it->first);
  Decrement(m_removedCols, it->second);
  return m_removed.erase(it);
}

void CGridSelection::EraseRemoved(const CCellRange& range) {
  auto it = m_removed.lower_bound(Key(range.GetMinRow(), INT_MIN));
  while (it != m_removed.end() && it->first <= range.GetMaxRow()) {
    if (range.InRange(it->first, it->second))
      it = DropRemoved(it);
    else
      ++it;
  }
}

void CGridSelection::EraseAdded(const CCellRange& range) {
  auto it = m_added.lower_bound(Key(range.GetMinRow(), INT_MIN));
  const auto end = m_added.upper_bound(Key(range.GetMaxRow(), INT_MAX));
  while (it != end) {
    if (range.InRange(it->first, it->second)) {
      DropColumn(it->second);
      it = m_added.erase(it);
    } else {
      ++it;
    }
  }
}

void CGridSelection::AddRange(const CCellRange& range) {
  if (!range.IsValid()) return;
  std::vector<CCellRange> pieces(1, range);
  for (const CCellRange& existing : m_ranges) {
    std::vector<CCellRange> rest;
    for (const CCellRange& p : pieces) Subtract(p, existing, rest);
    pieces.swap(rest);
    if (pieces.empty()) break;
  }
  m_ranges.reserve(m_ranges.size() + pieces.size());
  // Cells selected one by one inside the range are now covered by it; cells deselected inside
  // the range are selected again.
  EraseAdded(range);
  EraseRemoved(range);
  m_ranges.insert(m_ranges.end(), pieces.begin(), pieces.end());
}

void CGridSelection::RemoveRange(const CCellRange& range) {
  if (!range.IsValid()) return;
  // A few cells (a Ctrl-click, a row of a list) become exceptions: cutting the rectangles for
  // each would leave ever more of them after many such clicks.
  if (Area(range) <= kFewCells) {
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
      for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) Select(r, c, false);
    return;
  }
  std::vector<CCellRange> kept;
  kept.reserve(m_ranges.size());
  for (const CCellRange& r : m_ranges) Subtract(r, range, kept);
  m_ranges.swap(kept);
  EraseAdded(range);
  // Cells deselected inside the range now lie outside every range.
  EraseRemoved(range);
  // The pieces left beside the range may have wholly deselected edges now.
  for (size_t i = m_ranges.size(); i-- > 0;) Trim(static_cast<int>(i));
}

void CGridSelection::Clear() {
  m_ranges.clear();
  m_added.clear();
  m_removed.clear();
  m_removedRows.clear();
  m_removedCols.clear();
  m_addedColumns.clear();
}

long long CGridSelection::GetCount() const {
  long long count = 0;
  for (const CCellRange& r : m_ranges) count += Area(r);
  return count - static_cast<long long>(m_removed.size()) + static_cast<long long>(m_added.size());
}

CCellRange CGridSelection::GetBounds() const {
  if (IsEmpty()) return CCellRange();
  int minRow = INT_MAX, minCol = INT_MAX, maxRow = INT_MIN, maxCol = INT_MIN;
  for (const CCellRange& r : m_ranges) {
    minRow = std::min(minRow, r.GetMinRow());
    minCol = std::min(minCol, r.GetMinCol());
    maxRow = std::max(maxRow, r.GetMaxRow());
    maxCol = std::max(maxCol, r.GetMaxCol());
  }
  if (!m_added.empty()) {
    minRow = std::min(minRow, m_added.begin()->first);
    maxRow = std::max(maxRow, m_added.rbegin()->first);
    minCol = std::min(minCol, m_addedColumns.begin()->first);
    maxCol = std::max(maxCol, m_addedColumns.rbegin()->first);
  }
  return CCellRange(minRow, minCol, maxRow, maxCol);
}

void CGridSelection::Clip(int rows, int cols) {
  if (rows <= 0 || cols <= 0) {
    Clear();
    return;
  }
  const CCellRange all(0, 0, rows - 1, cols - 1);
  std::vector<CCellRange> kept;
  for (const CCellRange& r : m_ranges) {
    const CCellRange cut(r.GetMinRow(), r.GetMinCol(), std::min(r.GetMaxRow(), rows - 1), std::min(r.GetMaxCol(), cols - 1));
    if (cut.IsValid()) kept.push_back(cut);
  }
  m_ranges.swap(kept);
  for (auto it = m_added.begin(); it != m_added.end();) {
    if (!all.InRange(it->first, it->second)) {
      DropColumn(it->second);
      it = m_added.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = m_removed.begin(); it != m_removed.end();)
    it = all.InRange(it->first, it->second) ? std::next(it) : DropRemoved(it);
  // A cut edge may be a wholly deselected row or column.
  for (size_t i = m_ranges.size(); i-- > 0;) Trim(static_cast<int>(i));
}

std::vector<CCellID> CGridSelection::CellsIn(const CCellRange& range) const {
  std::vector<CCellID> cells;
  for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
    for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
      if (IsSelected(r, c)) cells.push_back(CCellID(r, c));
  return cells;
}
