// The heights of a grid's rows (or the widths of its columns) with their running totals in 64
// bits (a Fenwick tree): a size changes, a total is summed and the item at an offset is found
// in O(log n); resizing and appending are linear in the items added, inserting or erasing in
// the middle linear in the count.
#pragma once
#include <windows.h>

#include <vector>

#include "quarnel_api.h"

class QUARNEL_API CGridSizeTree {
 public:
  int GetCount() const { return static_cast<int>(m_sizes.size()); }
  UINT Get(int i) const { return m_sizes[static_cast<size_t>(i)]; }
  void Set(int i, UINT size);
  // New items take `size`. Throws std::bad_alloc and leaves the sizes as they were.
  void Resize(int count, UINT size);
  // Inserting at the end costs O(log n), elsewhere O(n).
  void Insert(int i, UINT size);
  void Erase(int i);
  void Clear();

  // The sum of the sizes of [0, i).
  long long Prefix(int i) const;
  // The sum of the sizes of [first, last).
  long long Sum(int first, int last) const { return Prefix(last) - Prefix(first); }
  long long Total() const { return Prefix(GetCount()); }
  // The item under `offset` (measured from the start of item `from`): the i >= from with
  // Sum(from, i) <= offset < Sum(from, i + 1); GetCount() when the offset lies past the end.
  int ItemAt(int from, long long offset) const;
  // The first i >= from with Sum(from, i) >= offset (GetCount() when none).
  int FirstAtOrAfter(int from, long long offset) const;

 private:
  void Rebuild();
  void Append(UINT size);
  // The largest p with Prefix(p) < target (<= target when inclusive).
  size_t LastPrefixBelow(long long target, bool inclusive) const;
  std::vector<UINT> m_sizes;
  std::vector<long long> m_tree;  // 1-based: m_tree[i] sums (i - lowbit(i), i]
};
