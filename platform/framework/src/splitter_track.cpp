// CSplitterWnd: dragging bars and split boxes, and the rows and columns of a dynamic splitter.
#include "fw_splitter.h"
#include "fw_internal.h"

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  if (m_bTracking) return;
  int ht = HitTest(point);
  if (ht != noHit) StartTracking(ht, point);
}

void CSplitterWnd::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CSplitterWnd::StartTracking(int ht, CPoint pt) {
  const CRect inside = InsideRect();
  CRect bar = GetBarRect(ht);
  m_htTrack = ht;
  m_rectLimit = inside;
  // A bar moves across the client area (inside the scroll bars); a split box starts a bar
  // of full length from where the box is.
  if (ht == vSplitterBox) {
    m_rectTracker = CRect(inside.left, bar.top, inside.right, bar.bottom);
  } else if (ht == hSplitterBox) {
    m_rectTracker = CRect(bar.left, inside.top, bar.right, inside.bottom);
  } else {
    m_rectTracker = bar;
  }
  m_ptTrackOffset = CPoint(pt.x - m_rectTracker.left, pt.y - m_rectTracker.top);
  m_bTracking = TRUE;
  SetCapture();
  SetFocus();  // Escape cancels
  InvertTracker(m_rectTracker);
}

void CSplitterWnd::InvertTracker(const CRect& rect) {
  HDC hDC = ::GetDC(m_hWnd);
  ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
  ::ReleaseDC(m_hWnd, hDC);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking) return;
  CRect next = m_rectTracker;
  const bool horizontalBar = m_htTrack == vSplitterBox || m_htTrack >= hSplitterBar1;
  if (horizontalBar) {
    int y = point.y - m_ptTrackOffset.y;
    y = y < m_rectLimit.top ? m_rectLimit.top : y;
    y = y > m_rectLimit.bottom - m_cySplitter ? m_rectLimit.bottom - m_cySplitter : y;
    next.OffsetRect(0, y - next.top);
  } else {
    int x = point.x - m_ptTrackOffset.x;
    x = x < m_rectLimit.left ? m_rectLimit.left : x;
    x = x > m_rectLimit.right - m_cxSplitter ? m_rectLimit.right - m_cxSplitter : x;
    next.OffsetRect(x - next.left, 0);
  }
  if (next == m_rectTracker) return;
  InvertTracker(m_rectTracker);
  m_rectTracker = next;
  InvertTracker(m_rectTracker);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) {
  if (m_bTracking) StopTracking(TRUE);
}

void CSplitterWnd::OnCancelMode() {
  if (m_bTracking) StopTracking(FALSE);
  CWnd::OnCancelMode();
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd) {
  // Another window took the mouse: the drag ends without a change.
  if (m_bTracking && pWnd != this) StopTracking(FALSE);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bTracking && nChar == VK_ESCAPE) {
    StopTracking(FALSE);
    return;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSplitterWnd::StopTracking(BOOL bAccept) {
  if (!m_bTracking) return;
  m_bTracking = FALSE;  // before the capture goes: OnCaptureChanged sees no drag
  InvertTracker(m_rectTracker);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!bAccept) return;
  const CRect inside = InsideRect();
  const int ht = m_htTrack;
  if (ht == vSplitterBox) {
    SplitRow(m_rectTracker.top - inside.top);
  } else if (ht == hSplitterBox) {
    SplitColumn(m_rectTracker.left - inside.left);
  } else if (ht >= hSplitterBar1) {
    DropBar(TRUE, ht - hSplitterBar1, m_rectTracker.top - inside.top);
  } else if (ht >= vSplitterBar1) {
    DropBar(FALSE, ht - vSplitterBar1, m_rectTracker.left - inside.left);
  }
}

void CSplitterWnd::DropBar(BOOL bRows, int index, int offset) {
  CRowColInfo* info = bRows ? m_pRowInfo : m_pColInfo;
  const int count = bRows ? m_nRows : m_nCols;
  const int splitter = bRows ? m_cySplitter : m_cxSplitter;
  int start = 0;
  for (int i = 0; i < index; ++i) start += info[i].nCurSize + splitter;
  const int before = offset - start;
  const int after = info[index].nCurSize + info[index + 1].nCurSize - before;
  // A dynamic splitter joins the two when either would be smaller than its minimum.
  if (IsDynamic() && (before < info[index].nMinSize || after < info[index + 1].nMinSize)) {
    DeleteRowCol(bRows, before < info[index].nMinSize ? index : index + 1);
    return;
  }
  info[index].nIdealSize = before;
  if (index + 2 < count) info[index + 1].nIdealSize = after > 0 ? after : 0;
  RecalcLayout();
}

BOOL CSplitterWnd::SplitRow(int cyBefore) { return SplitRowCol(TRUE, cyBefore); }

BOOL CSplitterWnd::SplitColumn(int cxBefore) { return SplitRowCol(FALSE, cxBefore); }

void CSplitterWnd::DeleteRow(int rowDelete) { DeleteRowCol(TRUE, rowDelete); }

void CSplitterWnd::DeleteColumn(int colDelete) { DeleteRowCol(FALSE, colDelete); }

int CSplitterWnd::PaneId(BOOL bRows, int along, int across) const {
  return bRows ? IdFromRowCol(along, across) : IdFromRowCol(across, along);
}

BOOL CSplitterWnd::SplitRowCol(BOOL bRows, int before) {
  CRowColInfo* info = bRows ? m_pRowInfo : m_pColInfo;
  int& count = bRows ? m_nRows : m_nCols;
  const int across = bRows ? m_nCols : m_nRows;
  const CRect inside = InsideRect();
  const int extent = bRows ? inside.Height() : inside.Width();
  const int splitter = bRows ? m_cySplitter : m_cxSplitter;
  if (!IsDynamic() || count >= (bRows ? m_nMaxRows : m_nMaxCols) || before < info[0].nMinSize) return FALSE;
  if (extent - before - splitter < info[0].nMinSize) return FALSE;
  const int index = count++;
  const BOOL hasBar = bRows ? m_bHasVScroll : m_bHasHScroll;
  if (hasBar && !CreateScrollBarCtrl(bRows ? SBS_VERT : SBS_HORZ,
                                     (bRows ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST) + index)) {
    --count;
    return FALSE;
  }
  CCreateContext context;
  context.m_pNewViewClass = m_pDynamicViewClass;
  context.m_pCurrentDoc = m_pDynamicDoc;
  for (int i = 0; i < across; ++i) {
    CRowColInfo* other = bRows ? m_pColInfo : m_pRowInfo;
    const CSize size = bRows ? CSize(other[i].nIdealSize, 0) : CSize(0, other[i].nIdealSize);
    const int row = bRows ? index : i, col = bRows ? i : index;
    if (!CreateView(row, col, m_pDynamicViewClass, size, &context)) {
      DeleteRowCol(bRows, index);
      return FALSE;
    }
  }
  info[index - 1].nIdealSize = before;
  RecalcLayout();
  return TRUE;
}

void CSplitterWnd::DeleteRowCol(BOOL bRows, int indexDelete) {
  CRowColInfo* info = bRows ? m_pRowInfo : m_pColInfo;
  int& count = bRows ? m_nRows : m_nCols;
  const int across = bRows ? m_nCols : m_nRows;
  if (indexDelete < 0 || indexDelete >= count || count < 2) return;
  for (int i = 0; i < across; ++i)
    if (HWND hPane = ::GetDlgItem(m_hWnd, PaneId(bRows, indexDelete, i))) ::DestroyWindow(hPane);
  // Later rows (columns) move up (left): their panes take the ids of the one before.
  for (int index = indexDelete + 1; index < count; ++index) {
    for (int i = 0; i < across; ++i)
      if (HWND hPane = ::GetDlgItem(m_hWnd, PaneId(bRows, index, i)))
        ::SetWindowLongPtr(hPane, GWLP_ID, PaneId(bRows, index - 1, i));
    info[index - 1] = info[index];
  }
  const int firstBar = bRows ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST;
  if (HWND hBar = ::GetDlgItem(m_hWnd, firstBar + count - 1)) ::DestroyWindow(hBar);
  --count;
  RecalcLayout();
}
