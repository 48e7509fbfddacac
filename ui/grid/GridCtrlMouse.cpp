// CGridCtrl: the mouse. Selecting by click, Shift, Ctrl and drag (with auto-scroll from a
// timer), dragging and double-clicking row and column dividers, and the start of edits.
#include <framework.h>

#include <algorithm>

#include "GridCtrl.h"

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point) {
  if (point.y >= GetFixedRowHeight() && !m_bForceResize) return FALSE;
  const CCellID cell = GetCellFromPt(point);
  CPoint start;
  if (!IsValid(cell) || !GetCellOrigin(cell, &start)) return FALSE;
  const int end = start.x + GetColumnWidth(cell.col);
  return (point.x - start.x < m_nResizeCaptureRange && cell.col != 0) || end - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point) {
  if (point.x >= GetFixedColumnWidth()) return FALSE;
  const CCellID cell = GetCellFromPt(point);
  CPoint start;
  if (!IsValid(cell) || !GetCellOrigin(cell, &start)) return FALSE;
  const int end = start.y + GetRowHeight(cell.row);
  return (point.y - start.y < m_nResizeCaptureRange && cell.row != 0) || end - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::InvertBand(CPoint point, BOOL bColumn) {
  CRect client;
  GetClientRect(client);
  CRect band = bColumn ? CRect(point.x, client.top, point.x + 2, client.bottom)
                       : CRect(client.left, point.y, client.right, point.y + 2);
  CClientDC dc(this);
  dc.InvertRect(&band);
}

void CGridCtrl::CancelDividerDrag() {
  ClipCursor(NULL);
  if (m_bBandShown) InvertBand(m_LastMousePoint, m_MouseMode == MOUSE_SIZING_COL);
  m_bBandShown = FALSE;
  m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  m_LeftClickDownPoint = point;
  m_bLMouseButtonDown = TRUE;
  m_LeftClickDownCell = GetCellFromPt(point);
  if (!IsValid(m_LeftClickDownCell)) return;
  const BOOL shift = (nFlags & MK_SHIFT) != 0, ctrl = (nFlags & MK_CONTROL) != 0;
  if (!shift)
    m_SelectionStartCell = m_LeftClickDownCell;
  else if (!IsValid(m_SelectionStartCell))
    m_SelectionStartCell = m_idCurrentCell;

  EndEditing();
  const CCellID down = m_LeftClickDownCell;
  CGridCellBase* cell = GetCell(down.row, down.col);
  CPoint origin;
  BOOL inText = FALSE;
  if (GetCellOrigin(down, &origin)) {
    if (cell != NULL) cell->OnClickDown(point - origin);
    CRect text;
    inText = GetTextRect(down, text) && text.PtInRect(point);
  }

  if (down == m_idCurrentCell && !ctrl && inText && IsCellEditable(down.row, down.col)) {
    m_MouseMode = MOUSE_PREPARE_EDIT;
    return;
  }
  if (!IsCellSelected(down.row, down.col)) {
    if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
      SetFocusCell(-1, -1);
      if (m_nRows > m_nFixedRows && m_nCols > m_nFixedCols)
        SetFocusCell(std::max(down.row, m_nFixedRows), std::max(down.col, m_nFixedCols));
    }
  } else if (ctrl) {
    SetFocusCell(down);
    if (m_bListMode)
      SelectRows(down, TRUE, FALSE);
    else
      SelectCells(down, TRUE, FALSE);
    return;
  } else if (m_bAllowDragAndDrop) {
    m_MouseMode = MOUSE_PREPARE_DRAG;
  }

  SetCapture();
  if (m_MouseMode == MOUSE_NOTHING) {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      SetCursor(LoadCursor(NULL, IDC_SIZEWE));
      m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      SetCursor(LoadCursor(NULL, IDC_SIZENS));
      m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    }
  }

  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    const BOOL column = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
    m_MouseMode = column ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;
    CRect client;
    GetClientRect(client);
    const int count = column ? m_nCols : m_nRows;
    int item = column ? down.col : down.row;
    const int coord = column ? point.x : point.y;
    const int edge = column ? client.right : client.bottom;
    auto size = [&](int i) { return column ? GetColumnWidth(i) : GetRowHeight(i); };
    if (size(count - 1) < m_nResizeCaptureRange && coord > edge - m_nResizeCaptureRange) item = count - 1;
    CPoint start;
    if (!GetCellOrigin(column ? 0 : item, column ? item : 0, &start)) {
      m_MouseMode = MOUSE_NOTHING;
      return;
    }
    int itemStart = column ? start.x : start.y;
    const BOOL unhide = column ? m_bHiddenColUnhide : m_bHiddenRowUnhide;
    if (!unhide) {
      const int k = coord - itemStart >= m_nResizeCaptureRange ? 0 : 1;
      if (!(k == 0 && item == count - 1)) {
        while (item - k >= 0 && size(item - k) == 0) --item;
        if (item - k < 0) {
          m_MouseMode = MOUSE_NOTHING;
          return;
        }
      }
    }
    InvertBand(point, column);
    m_bBandShown = TRUE;
    // Near the left (top) edge the divider dragged is the one before.
    if (coord - itemStart < m_nResizeCaptureRange && item > 0 &&
        (item != count - 1 || size(count - 1) >= m_nResizeCaptureRange)) {
      --item;
      if (!GetCellOrigin(column ? 0 : item, column ? item : 0, &start)) start = CPoint(0, 0);
      itemStart = column ? start.x : start.y;
    }
    if (column)
      m_LeftClickDownCell.col = item;
    else
      m_LeftClickDownCell.row = item;
    CRect confine = client;
    if (column) {
      confine.left = itemStart + 1;
      confine.right = confine.left + std::max<int>(1, client.Width() - GetFixedColumnWidth());
    } else {
      confine.top = itemStart + 1;
      confine.bottom = confine.top + std::max<int>(1, client.Height() - GetFixedRowHeight());
    }
    ClientToScreen(confine);
    ClipCursor(confine);
    m_LastMousePoint = point;
    return;
  }

  if (m_MouseMode != MOUSE_PREPARE_DRAG) {
    // The owner may destroy the grid while it hears of the change: then nothing more is done.
    const HWND self = m_hWnd;
    SendMessageToParent(down.row, down.col, GVN_SELCHANGING);
    if (!::IsWindow(self)) return;
    m_prevSelection.Clear();
    if (ctrl) m_prevSelection = m_selection;
    if (down.row >= m_nFixedRows && down.col >= m_nFixedCols) {
      m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      OnSelecting(down);
      m_nTimerID = SetTimer(kAutoScrollTimer, kAutoScrollInterval, NULL);
    } else if (down.row >= m_nFixedRows) {
      OnFixedColumnClick(m_LeftClickDownCell);
    } else {
      OnFixedRowClick(m_LeftClickDownCell);
    }
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnFixedRowClick(CCellID& cell) {
  if (!IsValid(cell)) return;
  if (m_bSortOnClick) {
    SortOnHeaderClick(cell.col);
  } else if (m_bFixedRowSelection) {
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    OnSelecting(cell);
  }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell) {
  if (!IsValid(cell)) return;
  if (m_bFixedColumnSelection) {
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
  }
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(client);
  if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING) return;
  if (m_bLMouseButtonDown && (nFlags & MK_LBUTTON) != 0 && m_MouseMode != MOUSE_NOTHING) {
    if (!IsValid(m_LeftClickDownCell) || m_MouseMode == MOUSE_SELECT_ALL) {
      m_LastMousePoint = point;
      return;
    }
    switch (m_MouseMode) {
      case MOUSE_SELECT_COL:
      case MOUSE_SELECT_ROW:
      case MOUSE_SELECT_CELLS: {
        const CCellID cell = GetCellFromPt(point);
        if (IsValid(cell) && cell != m_idCurrentCell) {
          OnSelecting(cell);
          const BOOL fixed = cell.row < m_nFixedRows || cell.col < m_nFixedCols;
          if (!fixed || m_MouseMode == MOUSE_SELECT_COL || m_MouseMode == MOUSE_SELECT_ROW) SetFocusCell(cell);
        }
        break;
      }
      case MOUSE_SIZING_ROW:
      case MOUSE_SIZING_COL: {
        const BOOL column = m_MouseMode == MOUSE_SIZING_COL;
        if (m_bBandShown) InvertBand(m_LastMousePoint, column);
        InvertBand(point, column);
        m_bBandShown = TRUE;
        break;
      }
      case MOUSE_PREPARE_EDIT:
      case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        OnBeginDrag();
        break;
      default:
        break;
    }
  } else {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) SetCursor(LoadCursor(NULL, IDC_SIZEWE));
      m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) SetCursor(LoadCursor(NULL, IDC_SIZENS));
      m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    } else if (m_MouseMode != MOUSE_NOTHING) {
      SetCursor(LoadCursor(NULL, IDC_ARROW));
      m_MouseMode = MOUSE_NOTHING;
    }
    if (m_MouseMode == MOUSE_NOTHING && !(m_bVirtualMode && !m_bTitleTips)) {
      const CCellID over = GetCellFromPt(point);
      CGridCellBase* cell = IsValid(over) ? GetCell(over.row, over.col) : NULL;
      if (cell != NULL) {
        cell->OnMouseOver();
        LPCTSTR tip = m_bTitleTips && !m_bRMouseButtonDown ? cell->GetTipText() : NULL;
        CRect cellRect, tipRect;
        if (tip != NULL && tip[0] != 0 && !cell->IsEditing() && GetCellRect(over, cellRect)) tipRect = cellRect;
        if (!tipRect.IsRectEmpty() && cell->GetTipTextRect(tipRect)) {
          if (m_TitleTip.GetSafeHwnd() == NULL) m_TitleTip.Create(this);
          m_TitleTip.Show(tipRect, tip, 0, cellRect, cell->GetFont(), m_crTTipTextClr == CLR_DEFAULT ? 0xFF000000 : m_crTTipTextClr,
                          m_crTTipBackClr == CLR_DEFAULT ? 0xFF000000 : m_crTTipBackClr);
        }
      }
    }
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  Default();
  m_bLMouseButtonDown = FALSE;
  ClipCursor(NULL);
  if (GetCapture() == this) {
    ReleaseCapture();
    KillTimer(kAutoScrollTimer);
    m_nTimerID = 0;
  }
  (void)nFlags;
  CPoint origin;
  // Each notice may end with the grid destroyed by its owner: then nothing more is done.
  const HWND self = m_hWnd;
  switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
      if (GetCellOrigin(m_idCurrentCell, &origin))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, point - origin, VK_LBUTTON);
      break;
    case MOUSE_PREPARE_DRAG: {
      CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
      if (cell != NULL && GetCellOrigin(m_idCurrentCell, &origin)) cell->OnClick(point - origin);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
      if (!::IsWindow(self)) return;
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
      if (!::IsWindow(self)) return;
      ResetSelectedRange();
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
      if (!::IsWindow(self)) return;
      break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
      const BOOL column = m_MouseMode == MOUSE_SIZING_COL;
      if (m_bBandShown) InvertBand(m_LastMousePoint, column);
      m_bBandShown = FALSE;
      if (point != m_LeftClickDownPoint && (point.x != 0 || point.y != 0) && IsValid(m_LeftClickDownCell) &&
          GetCellOrigin(m_LeftClickDownCell, &origin)) {
        const BOOL hide = column ? m_bAllowColHide : m_bAllowRowHide;
        const int size = std::max<int>(column ? point.x - origin.x : point.y - origin.y, hide ? 0 : 1);
        if (column)
          SetColumnWidth(m_LeftClickDownCell.col, size);
        else
          SetRowHeight(m_LeftClickDownCell.row, size);
        ResetScrollBars();
        Invalidate();
      }
      break;
    }
    default: {
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
      if (!::IsWindow(self)) return;
      CGridCellBase* cell = IsValid(m_idCurrentCell) ? GetCell(m_idCurrentCell.row, m_idCurrentCell.col) : NULL;
      if (cell != NULL && GetCellOrigin(m_idCurrentCell, &origin)) cell->OnClick(point - origin);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
      if (!::IsWindow(self)) return;
      break;
    }
  }
  if (!::IsWindow(self)) return;
  m_MouseMode = MOUSE_NOTHING;
  SetCursor(LoadCursor(NULL, IDC_ARROW));
  if (IsValid(m_LeftClickDownCell) && GetSafeHwnd() != NULL) {
    CWnd* owner = GetOwner();
    if (owner != NULL && owner->GetSafeHwnd() != NULL)
      owner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
  }
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const CCellID cell = GetCellFromPt(point);
  if (!IsValid(cell)) {
    Default();
    return;
  }
  CPoint origin;
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    const BOOL column = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
    int item = column ? cell.col : cell.row;
    if (GetCellOrigin(cell, &origin)) {
      if ((column ? point.x - origin.x : point.y - origin.y) < m_nResizeCaptureRange) --item;
      while (item >= 0 && (column ? GetColumnWidth(item) : GetRowHeight(item)) == 0) --item;
      if (item >= 0) {
        if (column)
          AutoSizeColumn(item, m_nAutoSizeColumnStyle, TRUE);
        else
          AutoSizeRow(item, TRUE);
        Invalidate();
      }
    }
  } else if (m_MouseMode == MOUSE_NOTHING && GetCellOrigin(cell, &origin)) {
    const HWND self = m_hWnd;
    CRect text;
    if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols && GetTextRect(cell, text) && text.PtInRect(point) &&
        (IsValid(m_LeftClickDownCell) || m_bListMode))
      OnEditCell(cell.row, cell.col, point - origin, VK_LBUTTON);
    if (!::IsWindow(self)) return;
    CGridCellBase* c = GetCell(cell.row, cell.col);
    if (c != NULL) c->OnDblClick(point - origin);
    SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    if (!::IsWindow(self)) return;
  }
  (void)nFlags;
  Default();
}

void CGridCtrl::OnRButtonUp(UINT, CPoint point) {
  Default();
  m_bRMouseButtonDown = FALSE;
  EndEditing();
  const CCellID cell = GetCellFromPt(point);
  if (!IsValid(cell)) {
    SendMessageToParent(-1, -1, NM_RCLICK);
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
  CPoint origin;
  CGridCellBase* c = GetCell(cell.row, cell.col);
  if (c != NULL && GetCellOrigin(cell, &origin)) c->OnRClick(point - origin);
  SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAutoScrollTimer) {
    Default();
    return;
  }
  CPoint pt;
  if (!GetCursorPos(&pt)) return;
  ScreenToClient(&pt);
  CRect client;
  GetClientRect(client);
  const int fixedHeight = GetFixedRowHeight(), fixedWidth = GetFixedColumnWidth();
  const int x = std::min(std::max(pt.x, client.left), client.right);
  const int y = std::min(std::max(pt.y, client.top), client.bottom);
  if (pt.y > client.bottom) {
    SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    OnSelecting(GetCellFromPt(CPoint(x, client.bottom)));
  } else if (pt.y < fixedHeight) {
    SendMessage(WM_KEYDOWN, VK_UP, 0);
    OnSelecting(GetCellFromPt(CPoint(x, fixedHeight + 1)));
  }
  if (pt.x > client.right) {
    SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    OnSelecting(GetCellFromPt(CPoint(client.right, y)));
  } else if (pt.x < fixedWidth) {
    SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    OnSelecting(GetCellFromPt(CPoint(fixedWidth + 1, y)));
  }
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest != HTCLIENT) return CWnd::OnSetCursor(pWnd, nHitTest, message);
  switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE: SetCursor(LoadCursor(NULL, IDC_SIZENS)); break;
    case MOUSE_OVER_COL_DIVIDE: SetCursor(LoadCursor(NULL, IDC_SIZEWE)); break;
    case MOUSE_DRAGGING: break;
    default: {
      CGridCellBase* cell = NULL;
      if (!m_bVirtualMode) {
        const DWORD pos = GetMessagePos();
        CPoint pt(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        ScreenToClient(&pt);
        const CCellID id = GetCellFromPt(pt);
        if (IsValid(id)) cell = GetCell(id.row, id.col);
      }
      if (cell == NULL || !cell->OnSetCursor()) SetCursor(LoadCursor(NULL, IDC_ARROW));
      break;
    }
  }
  return TRUE;
}

// Losing the capture (Alt+Tab, a message box) ends whatever the button was doing: the timer
// stops, and a divider drag lets the cursor go and takes its band off the screen.
// (The release of the button lets the capture go itself, with the button flag already off.)
void CGridCtrl::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd == this || !m_bLMouseButtonDown) return;
  m_bLMouseButtonDown = FALSE;
  KillTimer(kAutoScrollTimer);
  m_nTimerID = 0;
  if (m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW)
    CancelDividerDrag();
  else if (m_MouseMode == MOUSE_DRAGGING)
    m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnCancelMode() {
  Default();
  if (m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW) CancelDividerDrag();
  if (GetCapture() == this) ReleaseCapture();
}
