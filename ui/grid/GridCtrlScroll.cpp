// Scrolling: exact 64-bit pixel offsets of the body, shown on the 32-bit scroll bars (scaled
// when the grid is taller or wider than their range), line, page and thumb moves, the wheel,
// and EnsureVisible.
#include "GridCtrl.h"

#include <algorithm>
#include <climits>

namespace {

// The largest scroll-bar maximum used before the range is scaled.
const long long kBarRange = 0x7FFF0000LL;

long long ScaleFor(long long range) { return range <= kBarRange ? 1 : (range + kBarRange - 1) / kBarRange; }

}  // namespace

long long CGridCtrl::MaxScrollOffset(int nBar) const {
  if (GetSafeHwnd() == NULL) return 0;
  CRect client;
  ::GetClientRect(m_hWnd, client);
  if (nBar == SB_VERT) {
    const long long page = client.bottom - GetFixedRowHeight();
    return std::max<long long>(0, (GetVirtualHeight() - GetFixedRowHeight()) - std::max<long long>(page, 0));
  }
  const long long page = client.right - GetFixedColumnWidth();
  return std::max<long long>(0, (GetVirtualWidth() - GetFixedColumnWidth()) - std::max<long long>(page, 0));
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable) {
  if (GetSafeHwnd() == NULL) return;
  const int bits = nBar == SB_HORZ ? 1 : nBar == SB_VERT ? 2 : 3;
  const int wanted = bEnable ? (m_nBarState | bits) : (m_nBarState & ~bits);
  if (wanted == m_nBarState) return;
  const int changed = wanted ^ m_nBarState;
  if ((changed & 3) == 3 && (wanted & 3) == (bEnable ? 3 : 0))
    ShowScrollBar(SB_BOTH, bEnable);
  else {
    if (changed & 1) ShowScrollBar(SB_HORZ, (wanted & 1) != 0);
    if (changed & 2) ShowScrollBar(SB_VERT, (wanted & 2) != 0);
  }
  m_nBarState = wanted;
}

void CGridCtrl::ResetScrollBars() {
  m_idTopLeftCell = CCellID();
  if (!m_bAllowDraw || GetSafeHwnd() == NULL) return;
  CRect rect;
  GetClientRect(rect);
  if (rect.IsRectEmpty()) return;
  if (IsVisibleVScroll()) rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
  if (IsVisibleHScroll()) rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
  const int fixedHeight = GetFixedRowHeight(), fixedWidth = GetFixedColumnWidth();
  if (rect.left >= rect.right - fixedWidth || rect.top >= rect.bottom - fixedHeight) {
    ShowScrollBar(SB_BOTH, FALSE);
    return;
  }
  const long long virtualHeight = GetVirtualHeight() - fixedHeight;
  const long long virtualWidth = GetVirtualWidth() - fixedWidth;
  if (rect.bottom - fixedHeight < virtualHeight) rect.right -= GetSystemMetrics(SM_CXVSCROLL);
  if (rect.right - fixedWidth < virtualWidth) rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  const long long visibleHeight = rect.bottom - fixedHeight, visibleWidth = rect.right - fixedWidth;
  EnableScrollBars(SB_VERT, visibleHeight < virtualHeight);
  EnableScrollBars(SB_HORZ, visibleWidth < virtualWidth);
  const long long vRange = visibleHeight < virtualHeight ? virtualHeight - 1 : 0;
  const long long hRange = visibleWidth < virtualWidth ? virtualWidth - 1 : 0;
  m_vScale = ScaleFor(vRange);
  m_hScale = ScaleFor(hRange);
  // Keep the offsets inside the new ranges.
  m_vPos = std::min(m_vPos, std::max<long long>(0, virtualHeight - visibleHeight));
  m_hPos = std::min(m_hPos, std::max<long long>(0, virtualWidth - visibleWidth));
  if (vRange == 0) m_vPos = 0;
  if (hRange == 0) m_hPos = 0;

  SetBarInfo(SB_HORZ, static_cast<int>(hRange / m_hScale), static_cast<UINT>(visibleWidth / m_hScale),
             static_cast<int>(m_hPos / m_hScale), 0);
  SetBarInfo(SB_VERT, static_cast<int>(vRange / m_vScale), static_cast<UINT>(visibleHeight / m_vScale),
             static_cast<int>(m_vPos / m_vScale), SIF_DISABLENOSCROLL);
}

void CGridCtrl::SetBarInfo(int nBar, int nMax, UINT nPage, int nPos, UINT extraMask) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
  if (::GetScrollInfo(m_hWnd, nBar, &si) && si.nMin == 0 && si.nMax == nMax && si.nPage == (nMax > 0 ? nPage : 0) &&
      si.nPos == nPos)
    return;  // unchanged: no redraw of the bar
  si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS | extraMask;
  si.nMin = 0;
  si.nMax = nMax;
  si.nPage = nMax > 0 ? nPage : 0;
  si.nPos = nPos;
  SetScrollInfo(nBar, &si, TRUE);
}

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
  if (GetSafeHwnd() == NULL || !::GetScrollInfo(m_hWnd, nBar, &si)) return 0;
  return bGetTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw) {
  m_idTopLeftCell = CCellID();
  const long long scale = nBar == SB_VERT ? m_vScale : m_hScale;
  const long long offset = std::min<long long>(static_cast<long long>(std::max(nPos, 0)) * scale, MaxScrollOffset(nBar));
  (nBar == SB_VERT ? m_vPos : m_hPos) = offset;
  if (GetSafeHwnd() == NULL) return FALSE;
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS;
  si.nPos = static_cast<int>(offset / scale);
  return ::SetScrollInfo(m_hWnd, nBar, &si, bRedraw) != 0 || si.nPos == 0;
}

BOOL CGridCtrl::ScrollTo(int nBar, long long offset) {
  offset = std::max<long long>(0, std::min(offset, MaxScrollOffset(nBar)));
  long long& pos = nBar == SB_VERT ? m_vPos : m_hPos;
  if (offset == pos) return FALSE;
  pos = offset;
  m_idTopLeftCell = CCellID();
  const long long scale = nBar == SB_VERT ? m_vScale : m_hScale;
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS;
  si.nPos = static_cast<int>(offset / scale);
  ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
  return TRUE;
}

void CGridCtrl::DoScroll(int nBar, UINT nSBCode) {
  const bool vert = nBar == SB_VERT;
  CGridSizeTree& sizes = vert ? m_rowHeights : m_colWidths;
  const int fixed = vert ? m_nFixedRows : m_nFixedCols;
  const int count = vert ? m_nRows : m_nCols;
  const long long pos = vert ? m_vPos : m_hPos;
  const long long maxPos = MaxScrollOffset(nBar);
  const CCellID top = GetTopleftNonFixedCell();
  const int topIndex = vert ? top.row : top.col;
  CRect client;
  GetClientRect(client);
  const int fixedSize = vert ? GetFixedRowHeight() : GetFixedColumnWidth();
  const long long page = (vert ? client.bottom : client.right) - fixedSize;
  CRect body = client;
  (vert ? body.top : body.left) = fixedSize;
  bool moved = false;
  switch (nSBCode) {
    case SB_LINEDOWN: {
      if (pos >= maxPos) return;
      int i = topIndex;
      while (i < count - 1 && sizes.Get(i) == 0) ++i;  // hidden rows add nothing
      if (i >= count) return;
      moved = ScrollTo(nBar, sizes.Sum(fixed, i + 1)) != FALSE;
      break;
    }
    case SB_LINEUP: {
      if (pos <= 0 || topIndex <= fixed) {
        if (pos > 0) moved = ScrollTo(nBar, 0) != FALSE;
        break;
      }
      int i = topIndex - 1;
      while (i > fixed && sizes.Get(i) == 0) --i;
      moved = ScrollTo(nBar, sizes.Sum(fixed, i)) != FALSE;
      break;
    }
    case SB_PAGEDOWN:
      if (pos >= maxPos) return;
      moved = ScrollTo(nBar, pos + std::max<long long>(page, 1)) != FALSE;
      break;
    case SB_PAGEUP:
      if (pos <= 0) return;
      moved = ScrollTo(nBar, pos - std::max<long long>(page, 1)) != FALSE;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      const long long scale = vert ? m_vScale : m_hScale;
      const long long target = static_cast<long long>(GetScrollPos32(nBar, TRUE)) * scale;
      const CCellID before = top;
      ScrollTo(nBar, target);
      const CCellID after = GetTopleftNonFixedCell(TRUE);
      moved = after != before;
      break;
    }
    case SB_TOP:
      if (ScrollTo(nBar, 0)) Invalidate();
      return;
    case SB_BOTTOM:
      if (ScrollTo(nBar, maxPos)) Invalidate();
      return;
    default:
      return;
  }
  if (moved) InvalidateRect(body, TRUE);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*) {
  EndEditing();
  DoScroll(SB_VERT, nSBCode);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar*) {
  EndEditing();
  DoScroll(SB_HORZ, nSBCode);
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  if (m_nRowsPerWheelNotch == WHEEL_PAGESCROLL) {
    m_nWheelRemainder += zDelta;
    const int pages = m_nWheelRemainder / WHEEL_DELTA;
    m_nWheelRemainder -= pages * WHEEL_DELTA;
    for (int i = 0; i < (pages < 0 ? -pages : pages); ++i)
      PostMessage(WM_VSCROLL, pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
  } else {
    // Partial notches of a fine wheel add up until they make a whole line.
    m_nWheelRemainder += zDelta * static_cast<int>(m_nRowsPerWheelNotch);
    const int lines = m_nWheelRemainder / WHEEL_DELTA;
    m_nWheelRemainder -= lines * WHEEL_DELTA;
    for (int i = 0; i < (lines < 0 ? -lines : lines); ++i)
      PostMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  }
  return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy) {
  if (m_bInSize) return;
  m_bInSize = TRUE;
  EndEditing();
  CWnd::OnSize(nType, cx, cy);
  if (!m_bDropTargetTried) {  // the first size: the grid becomes a drop target (OLE permitting)
    m_bDropTargetTried = TRUE;
    m_DropTarget.Register(this);
  }
  ResetScrollBars();
  m_bInSize = FALSE;
}

long long CGridCtrl::OffsetShowing(const CGridSizeTree& sizes, int fixed, int i, long long current, long long page) {
  const long long start = sizes.Sum(fixed, i);
  const long long end = start + sizes.Get(i);
  if (start < current) return start;
  if (end <= current + page) return current;
  // The first item boundary that brings the end in, but not past the item's own start.
  return std::min(sizes.Sum(fixed, sizes.FirstAtOrAfter(fixed, end - page)), start);
}

void CGridCtrl::EnsureVisible(int nRow, int nCol) {
  if (!m_bAllowDraw || GetSafeHwnd() == NULL || !IsValid(nRow, nCol)) return;
  CRect client;
  GetClientRect(client);
  // Straight to the offsets that bring the cell in, as line moves would: a cell above or left
  // comes to the top or left edge, one below or right to the bottom or right edge.
  bool moved = false;
  if (nRow >= m_nFixedRows)
    moved |= ScrollTo(SB_VERT, OffsetShowing(m_rowHeights, m_nFixedRows, nRow, m_vPos, client.bottom - GetFixedRowHeight())) != FALSE;
  if (nCol >= m_nFixedCols)
    moved |= ScrollTo(SB_HORZ, OffsetShowing(m_colWidths, m_nFixedCols, nCol, m_hPos, client.right - GetFixedColumnWidth())) != FALSE;
  if (moved) Invalidate();
}
