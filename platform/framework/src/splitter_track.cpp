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
    const int row = ht - hSplitterBar1;
    int top = inside.top;
    for (int i = 0; i < row; ++i) top += m_pRowInfo[i].nCurSize + m_cySplitter;
    const int before = m_rectTracker.top - top;
    const int after = m_pRowInfo[row].nCurSize + m_pRowInfo[row + 1].nCurSize - before;
    // A dynamic splitter joins the rows when either would be smaller than its minimum.
    if (IsDynamic() && before < m_pRowInfo[row].nMinSize) {
      DeleteRow(row);
      return;
    }
    if (IsDynamic() && after < m_pRowInfo[row + 1].nMinSize) {
      DeleteRow(row + 1);
      return;
    }
    m_pRowInfo[row].nIdealSize = before;
    if (row + 2 < m_nRows) m_pRowInfo[row + 1].nIdealSize = after > 0 ? after : 0;
    RecalcLayout();
  } else if (ht >= vSplitterBar1) {
    const int col = ht - vSplitterBar1;
    int left = inside.left;
    for (int i = 0; i < col; ++i) left += m_pColInfo[i].nCurSize + m_cxSplitter;
    const int before = m_rectTracker.left - left;
    const int after = m_pColInfo[col].nCurSize + m_pColInfo[col + 1].nCurSize - before;
    if (IsDynamic() && before < m_pColInfo[col].nMinSize) {
      DeleteColumn(col);
      return;
    }
    if (IsDynamic() && after < m_pColInfo[col + 1].nMinSize) {
      DeleteColumn(col + 1);
      return;
    }
    m_pColInfo[col].nIdealSize = before;
    if (col + 2 < m_nCols) m_pColInfo[col + 1].nIdealSize = after > 0 ? after : 0;
    RecalcLayout();
  }
}

BOOL CSplitterWnd::SplitRow(int cyBefore) {
  if (!IsDynamic() || m_nRows >= m_nMaxRows || cyBefore < m_pRowInfo[0].nMinSize) return FALSE;
  const CRect inside = InsideRect();
  if (inside.Height() - cyBefore - m_cySplitter < m_pRowInfo[0].nMinSize) return FALSE;
  const int row = m_nRows++;
  m_pRowInfo[row - 1].nIdealSize = cyBefore;
  if (m_bHasVScroll && !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST + row)) {
    --m_nRows;
    return FALSE;
  }
  CCreateContext context;
  context.m_pNewViewClass = m_pDynamicViewClass;
  context.m_pCurrentDoc = m_pDynamicDoc;
  for (int col = 0; col < m_nCols; ++col) {
    if (!CreateView(row, col, m_pDynamicViewClass, CSize(m_pColInfo[col].nIdealSize, 0), &context)) {
      DeleteRow(row);
      return FALSE;
    }
    m_pRowInfo[row - 1].nIdealSize = cyBefore;  // CreateView took the new size for both
  }
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore) {
  if (!IsDynamic() || m_nCols >= m_nMaxCols || cxBefore < m_pColInfo[0].nMinSize) return FALSE;
  const CRect inside = InsideRect();
  if (inside.Width() - cxBefore - m_cxSplitter < m_pColInfo[0].nMinSize) return FALSE;
  const int col = m_nCols++;
  m_pColInfo[col - 1].nIdealSize = cxBefore;
  if (m_bHasHScroll && !CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST + col)) {
    --m_nCols;
    return FALSE;
  }
  CCreateContext context;
  context.m_pNewViewClass = m_pDynamicViewClass;
  context.m_pCurrentDoc = m_pDynamicDoc;
  for (int row = 0; row < m_nRows; ++row) {
    if (!CreateView(row, col, m_pDynamicViewClass, CSize(0, m_pRowInfo[row].nIdealSize), &context)) {
      DeleteColumn(col);
      return FALSE;
    }
    m_pColInfo[col - 1].nIdealSize = cxBefore;
  }
  RecalcLayout();
  return TRUE;
}

void CSplitterWnd::DeleteRow(int rowDelete) {
  if (rowDelete < 0 || rowDelete >= m_nRows || m_nRows < 2) return;
  for (int col = 0; col < m_nCols; ++col)
    if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(rowDelete, col))) ::DestroyWindow(hPane);
  // Later rows move up: their panes and scroll bars take the ids of the row before.
  for (int row = rowDelete + 1; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col)
      if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)))
        ::SetWindowLongPtr(hPane, GWLP_ID, IdFromRowCol(row - 1, col));
    m_pRowInfo[row - 1] = m_pRowInfo[row];
  }
  if (HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST + m_nRows - 1)) ::DestroyWindow(hBar);
  --m_nRows;
  RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int colDelete) {
  if (colDelete < 0 || colDelete >= m_nCols || m_nCols < 2) return;
  for (int row = 0; row < m_nRows; ++row)
    if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, colDelete))) ::DestroyWindow(hPane);
  for (int col = colDelete + 1; col < m_nCols; ++col) {
    for (int row = 0; row < m_nRows; ++row)
      if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)))
        ::SetWindowLongPtr(hPane, GWLP_ID, IdFromRowCol(row, col - 1));
    m_pColInfo[col - 1] = m_pColInfo[col];
  }
  if (HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST + m_nCols - 1)) ::DestroyWindow(hBar);
  --m_nCols;
  RecalcLayout();
}
