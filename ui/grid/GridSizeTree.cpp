#include "GridSizeTree.h"

namespace {
inline size_t LowBit(size_t i) { return i & (~i + 1); }
}  // namespace

void CGridSizeTree::Rebuild() {
  const size_t n = m_sizes.size();
  m_tree.assign(n + 1, 0);
  for (size_t i = 1; i <= n; ++i) {
    m_tree[i] += m_sizes[i - 1];
    const size_t parent = i + LowBit(i);
    if (parent <= n) m_tree[parent] += m_tree[i];
  }
}

void CGridSizeTree::Set(int i, UINT size) {
  const long long delta = static_cast<long long>(size) - m_sizes[static_cast<size_t>(i)];
  m_sizes[static_cast<size_t>(i)] = size;
  for (size_t k = static_cast<size_t>(i) + 1; k < m_tree.size(); k += LowBit(k)) m_tree[k] += delta;
}

void CGridSizeTree::Append(UINT size) {
  m_sizes.push_back(size);
  if (m_tree.empty()) m_tree.push_back(0);
  const size_t i = m_sizes.size();
  // Node i covers (i - lowbit(i), i]: the new size plus the items before it in that span.
  m_tree.push_back(static_cast<long long>(size) + Prefix(static_cast<int>(i - 1)) -
                   Prefix(static_cast<int>(i - LowBit(i))));
}

void CGridSizeTree::Resize(int count, UINT size) {
  const size_t n = static_cast<size_t>(count < 0 ? 0 : count);
  const size_t old = m_sizes.size();
  if (n <= old) {
    m_sizes.resize(n);
    m_tree.resize(n + 1);  // a prefix of a Fenwick tree is the tree of the prefix
    return;
  }
  m_sizes.reserve(n);  // both may throw before anything changes
  m_tree.reserve(n + 1);
  if ((n - old) * 16 >= n) {  // many new items: one linear build
    m_sizes.resize(n, size);
    Rebuild();
    return;
  }
  for (size_t i = old; i < n; ++i) Append(size);
}

void CGridSizeTree::Insert(int i, UINT size) {
  if (i == GetCount()) {
    Append(size);
    return;
  }
  m_sizes.insert(m_sizes.begin() + i, size);
  Rebuild();
}

void CGridSizeTree::Erase(int i) {
  m_sizes.erase(m_sizes.begin() + i);
  Rebuild();
}

void CGridSizeTree::Clear() {
  m_sizes.clear();
  m_tree.clear();
}

long long CGridSizeTree::Prefix(int i) const {
  long long sum = 0;
  for (size_t k = static_cast<size_t>(i < 0 ? 0 : i); k > 0; k -= LowBit(k)) sum += m_tree[k];
  return sum;
}

size_t CGridSizeTree::LastPrefixBelow(long long target, bool inclusive) const {
  const size_t n = m_sizes.size();
  size_t step = 1;
  while (step * 2 <= n) step *= 2;
  size_t pos = 0;
  long long sum = 0;
  for (; step > 0; step /= 2) {
    if (pos + step > n) continue;
    const long long next = sum + m_tree[pos + step];
    if (next < target || (inclusive && next == target)) {
      pos += step;
      sum = next;
    }
  }
  return pos;
}

int CGridSizeTree::ItemAt(int from, long long offset) const {
  const int item = static_cast<int>(LastPrefixBelow(Prefix(from) + offset, true));
  return item < from ? from : item;
}

int CGridSizeTree::FirstAtOrAfter(int from, long long offset) const {
  if (offset <= 0) return from;
  const size_t pos = LastPrefixBelow(Prefix(from) + offset, false);
  return pos + 1 > m_sizes.size() ? static_cast<int>(m_sizes.size()) : static_cast<int>(pos + 1);
}
