// A grid's selected cells: disjoint rectangles plus per-cell exceptions (cells selected outside
// them, cells deselected inside them), each keyed by the full (row, column) pair. Selecting a
// range costs the same for ten cells as for ten million. No range has a wholly deselected edge
// row or column, so the bounds of the ranges and added cells are the bounds of the selection.
#pragma once
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "GridTypes.h"
#include "quarnel_api.h"

class QUARNEL_API CGridSelection {
 public:
  bool IsEmpty() const { return m_ranges.empty() && m_added.empty(); }
  bool IsSelected(int row, int col) const;
  void Select(int row, int col, bool selected);
  // Adds every cell of a valid range.
  void AddRange(const CCellRange& range);
  // Removes every cell of a valid range (costing its rectangles, not its cells).
  void RemoveRange(const CCellRange& range);
  void Clear();
  long long GetCount() const;
  // The smallest range holding every selected cell; invalid (all -1) when none is.
  CCellRange GetBounds() const;
  // Forgets every cell at or beyond row `rows` or column `cols`.
  void Clip(int rows, int cols);
  // The selected cells of a range, row by row (for callers that walk a small range).
  std::vector<CCellID> CellsIn(const CCellRange& range) const;

 private:
  typedef std::pair<int, int> Key;  // (row, column)
  // Blocks of at most this many cells are deselected cell by cell, larger ones by cutting ranges.
  static const long long kFewCells = 256;
  bool InRanges(int row, int col) const;
  // The index of the range holding the cell, -1 when none does.
  int RangeOf(int row, int col) const;
  // Whether every cell of the row (column) span is deselected.
  bool RowRemoved(int row, int minCol, int maxCol) const;
  bool ColumnRemoved(int col, int minRow, int maxRow) const;
  // Cuts wholly deselected edge rows and columns off range `index` (dropping it when nothing is left).
  void Trim(int index);
  // Forgets a deselected cell (keeping the row and column counts); the next one.
  std::set<Key>::iterator DropRemoved(std::set<Key>::iterator it);
  // Forgets the deselected cells inside the range.
  void EraseRemoved(const CCellRange& range);
  // Forgets the cells of m_added inside the range.
  void EraseAdded(const CCellRange& range);
  void AddColumn(int col);
  void DropColumn(int col);

  std::vector<CCellRange> m_ranges;  // disjoint
  std::set<Key> m_added;             // selected, outside every range
  std::set<Key> m_removed;           // deselected, inside a range
  std::map<int, int> m_removedRows;  // row -> cells of m_removed in it
  std::map<int, int> m_removedCols;  // column -> cells of m_removed in it
  std::map<int, int> m_addedColumns; // column -> cells of m_added in it (for the bounds)
};
