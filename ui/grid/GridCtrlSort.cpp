// CGridCtrl: sorting the non-fixed rows by one column with a compare function.
#include <framework.h>

#include <string.h>
#include <wchar.h>

#include <utility>

#include "GridCtrl.h"
#include "GridText.h"

namespace {

// The leading decimal integer of a text (blanks, a sign, digits), saturated at the ends of
// 64 bits: texts beyond long's range still order by value.
long long LeadingNumber(LPCTSTR text) {
  while (*text == _T(' ') || (*text >= _T('\t') && *text <= _T('\r'))) ++text;
  bool negative = false;
  if (*text == _T('+') || *text == _T('-')) negative = *text++ == _T('-');
  unsigned long long value = 0;
  const unsigned long long limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
  for (; *text >= _T('0') && *text <= _T('9'); ++text) {
    const unsigned digit = static_cast<unsigned>(*text - _T('0'));
    value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
  }
  if (!negative) return static_cast<long long>(value);
  return value == 9223372036854775808ULL ? (-9223372036854775807LL - 1) : -static_cast<long long>(value);
}

LPCTSTR TextOf(LPARAM cell) {
  LPCTSTR text = reinterpret_cast<CGridCellBase*>(cell)->GetText();
  return text != NULL ? text : _T("");
}

}  // namespace

int CALLBACK CGridCtrl::pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM) {
  if (lParam1 == 0 || lParam2 == 0) return 0;
#ifdef _UNICODE
  return wcscmp(TextOf(lParam1), TextOf(lParam2));
#else
  return strcmp(TextOf(lParam1), TextOf(lParam2));
#endif
}

int CALLBACK CGridCtrl::pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM) {
  if (lParam1 == 0 || lParam2 == 0) return 0;
  const long long a = LeadingNumber(TextOf(lParam1)), b = LeadingNumber(TextOf(lParam2));
  return a < b ? -1 : a > b ? 1 : 0;
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending, LPARAM data) {
  return SortItems(pfnCellTextCompare, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data) {
  return SortItems(m_pfnCompare != NULL ? m_pfnCompare : pfnCellTextCompare, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data) {
  SetSortColumn(nCol);
  SetSortAscending(bAscending);
  ResetSelectedRange();
  SetFocusCell(-1, -1);
  // A virtual grid holds no rows to move: the owner sorts its data.
  if (m_bVirtualMode || pfnCompare == NULL) return FALSE;
  const BOOL sorted = SortItems(pfnCompare, nCol, bAscending, data, GetFixedRowCount(), -1);
  if (GetSafeHwnd() != NULL) Invalidate();
  return sorted;
}

void CGridCtrl::SwapRows(int a, int b) {
  std::swap(m_rows[static_cast<size_t>(a)], m_rows[static_cast<size_t>(b)]);
  for (int c = 0; c < m_nCols; ++c) {
    SetCell(a, c, m_rows[static_cast<size_t>(a)][static_cast<size_t>(c)]);
    SetCell(b, c, m_rows[static_cast<size_t>(b)][static_cast<size_t>(c)]);
  }
  const int height = m_rowHeights.Get(a);
  m_rowHeights.Set(a, m_rowHeights.Get(b));
  m_rowHeights.Set(b, height);
}

// Quicksort on whole rows. It loops on the larger side and recurses only into the smaller
// one, so the depth stays below log2(rows) whatever the data.
BOOL CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high) {
  if (nCol < 0 || nCol >= m_nCols || m_bVirtualMode) return FALSE;
  if (high == -1) high = m_nRows - 1;
  if (low < 0 || high >= m_nRows || high <= low) return FALSE;
  auto cell = [&](int row) {
    return reinterpret_cast<LPARAM>(m_rows[static_cast<size_t>(row)][static_cast<size_t>(nCol)]);
  };
  while (low < high) {
    // The pivot is the cell object, which travels with its row while rows are swapped.
    const LPARAM pivot = cell(low + (high - low) / 2);
    int lo = low, hi = high;
    while (lo <= hi) {
      if (bAscending) {
        while (lo < high && pfnCompare(cell(lo), pivot, data) < 0) ++lo;
        while (hi > low && pfnCompare(cell(hi), pivot, data) > 0) --hi;
      } else {
        while (lo < high && pfnCompare(cell(lo), pivot, data) > 0) ++lo;
        while (hi > low && pfnCompare(cell(hi), pivot, data) < 0) --hi;
      }
      if (lo <= hi) {
        if (pfnCompare(cell(lo), cell(hi), data) != 0) SwapRows(lo, hi);
        ++lo;
        --hi;
      }
    }
    // (low, hi) and (lo, high) are left: recurse into the smaller, loop on the larger.
    if (hi - low < high - lo) {
      if (low < hi) SortItems(pfnCompare, nCol, bAscending, data, low, hi);
      low = lo;
    } else {
      if (lo < high) SortItems(pfnCompare, nCol, bAscending, data, lo, high);
      high = hi;
    }
  }
  return TRUE;
}

void CGridCtrl::SortOnHeaderClick(int nCol) {
  if (!m_bSortOnClick || nCol < 0 || nCol >= m_nCols) return;
  const BOOL ascending = nCol == m_nSortColumn ? !m_bAscending : TRUE;
  SortItems(nCol, ascending, 0);
  if (GetSafeHwnd() != NULL) Invalidate();
}
