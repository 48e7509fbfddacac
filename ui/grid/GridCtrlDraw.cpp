// The grid's geometry and drawing: cell rectangles from the running totals of the sizes, hit
// tests, the visible range, painting (through an off-screen DC when asked), auto-size and
// expand-to-fit.
#include "GridCtrl.h"

#include <UIHandles.h>
#include <fw_memdc.h>

#include "GridDrawing.h"

#include <algorithm>
#include <climits>
#include <memory>

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_GETDLGCODE()
  ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
  ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
  ON_MESSAGE(WM_PRINTCLIENT, &CGridCtrl::OnPrintClient)
  ON_MESSAGE(WM_SETREDRAW, &CGridCtrl::OnSetRedrawMessage)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONUP()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_CAPTURECHANGED()
  ON_WM_CANCELMODE()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_MESSAGE(WM_IME_CHAR, &CGridCtrl::OnImeChar)
  ON_COMMAND(CGridCtrl::ID_SELECT_ALL, &CGridCtrl::OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(CGridCtrl::ID_SELECT_ALL, &CGridCtrl::OnUpdateEditSelectAll)
  ON_NOTIFY(GVN_ENDLABELEDIT, CGridCtrl::IDC_INPLACE_CONTROL, &CGridCtrl::OnEndInPlaceEdit)
  ON_COMMAND(CGridCtrl::kCommandCopy, &CGridCtrl::OnEditCopy)
  ON_COMMAND(CGridCtrl::kCommandCut, &CGridCtrl::OnEditCut)
  ON_COMMAND(CGridCtrl::kCommandPaste, &CGridCtrl::OnEditPaste)
  ON_UPDATE_COMMAND_UI(CGridCtrl::kCommandCopy, &CGridCtrl::OnUpdateEditCopy)
  ON_UPDATE_COMMAND_UI(CGridCtrl::kCommandCut, &CGridCtrl::OnUpdateEditCut)
  ON_UPDATE_COMMAND_UI(CGridCtrl::kCommandPaste, &CGridCtrl::OnUpdateEditPaste)
END_MESSAGE_MAP()

namespace {

int ClampInt(long long v) {
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

}  // namespace

// ---- Geometry ----

int CGridCtrl::GetRowHeight(int nRow) const {
  return nRow >= 0 && nRow < m_nRows ? static_cast<int>(m_rowHeights.Get(nRow)) : -1;
}

int CGridCtrl::GetColumnWidth(int nCol) const {
  return nCol >= 0 && nCol < m_nCols ? static_cast<int>(m_colWidths.Get(nCol)) : -1;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height) {
  if (height < 0 || nRow < 0 || nRow >= m_nRows) return FALSE;
  m_rowHeights.Set(nRow, CapSize(height));
  ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width) {
  if (width < 0 || nCol < 0 || nCol >= m_nCols) return FALSE;
  m_colWidths.Set(nCol, CapSize(width));
  ResetScrollBars();
  return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const { return ClampInt(m_rowHeights.Prefix(m_nFixedRows)); }
int CGridCtrl::GetFixedColumnWidth() const { return ClampInt(m_colWidths.Prefix(m_nFixedCols)); }

CCellID CGridCtrl::GetTopleftNonFixedCell(BOOL bForceRecalculation) {
  if (m_idTopLeftCell.IsValid() && !bForceRecalculation) return m_idTopLeftCell;
  int col = m_colWidths.FirstAtOrAfter(m_nFixedCols, m_hPos);
  int row = m_rowHeights.FirstAtOrAfter(m_nFixedRows, m_vPos);
  col = std::min(col, m_nCols - 1);
  row = std::min(row, m_nRows - 1);
  m_idTopLeftCell = CCellID(std::max(row, m_nFixedRows), std::max(col, m_nFixedCols));
  return m_idTopLeftCell;
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p) {
  if (!IsValid(nRow, nCol)) return FALSE;
  const CCellID top = GetTopleftNonFixedCell();
  if ((nCol >= m_nFixedCols && nCol < top.col) || (nRow >= m_nFixedRows && nRow < top.row)) return FALSE;
  const long long x = nCol < m_nFixedCols ? m_colWidths.Prefix(nCol)
                                          : m_colWidths.Prefix(m_nFixedCols) + m_colWidths.Sum(top.col, nCol);
  const long long y = nRow < m_nFixedRows ? m_rowHeights.Prefix(nRow)
                                          : m_rowHeights.Prefix(m_nFixedRows) + m_rowHeights.Sum(top.row, nRow);
  p->x = ClampInt(x);
  p->y = ClampInt(y);
  return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect) {
  POINT origin;
  if (!GetCellOrigin(nRow, nCol, &origin)) return FALSE;
  pRect->left = origin.x;
  pRect->top = origin.y;
  pRect->right = ClampInt(static_cast<long long>(origin.x) + GetColumnWidth(nCol) - 1);
  pRect->bottom = ClampInt(static_cast<long long>(origin.y) + GetRowHeight(nRow) - 1);
  return TRUE;
}

BOOL CGridCtrl::GetTextRect(int nRow, int nCol, LPRECT pRect) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell == NULL || !GetCellRect(nRow, nCol, pRect)) return FALSE;
  return cell->GetTextRect(pRect);
}

BOOL CGridCtrl::GetCellRangeRect(const CCellRange& cellRange, LPRECT lpRect) {
  CPoint minOrigin, maxOrigin;
  if (!GetCellOrigin(cellRange.GetMinRow(), cellRange.GetMinCol(), &minOrigin)) return FALSE;
  if (!GetCellOrigin(cellRange.GetMaxRow(), cellRange.GetMaxCol(), &maxOrigin)) return FALSE;
  lpRect->left = minOrigin.x;
  lpRect->top = minOrigin.y;
  lpRect->right = maxOrigin.x + GetColumnWidth(cellRange.GetMaxCol()) - 1;
  lpRect->bottom = maxOrigin.y + GetRowHeight(cellRange.GetMaxRow()) - 1;
  return TRUE;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck) {
  CCellID cell;
  const CCellID top = GetTopleftNonFixedCell();
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  if (point.x < 0 || (!bAllowFixedCellCheck && point.x < fixedWidth)) {
    cell.col = -1;
  } else if (point.x < fixedWidth) {
    cell.col = m_colWidths.ItemAt(0, point.x);
    if (cell.col >= m_nFixedCols) cell.col = -1;
  } else {
    cell.col = m_colWidths.ItemAt(top.col, static_cast<long long>(point.x) - fixedWidth);
    if (cell.col >= m_nCols || top.col >= m_nCols) cell.col = -1;
  }
  if (point.y < 0 || (!bAllowFixedCellCheck && point.y < fixedHeight)) {
    cell.row = -1;
  } else if (point.y < fixedHeight) {
    cell.row = m_rowHeights.ItemAt(0, point.y);
    if (cell.row >= m_nFixedRows) cell.row = -1;
  } else {
    cell.row = m_rowHeights.ItemAt(top.row, static_cast<long long>(point.y) - fixedHeight);
    if (cell.row >= m_nRows || top.row >= m_nRows) cell.row = -1;
  }
  return cell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect, BOOL bForceRecalculation) {
  CRect client;
  if (GetSafeHwnd() != NULL) GetClientRect(client);
  const CCellID top = GetTopleftNonFixedCell(bForceRecalculation);
  const int fixedHeight = GetFixedRowHeight(), fixedWidth = GetFixedColumnWidth();
  // The row reaching the client bottom (the last row when none does).
  int bottomRow = m_rowHeights.ItemAt(top.row, std::max<long long>(0, client.bottom - fixedHeight - 1));
  bottomRow = std::min(bottomRow, m_nRows - 1);
  int rightCol = m_colWidths.ItemAt(top.col, std::max<long long>(0, client.right - fixedWidth - 1));
  rightCol = std::min(rightCol, m_nCols - 1);
  if (pRect != NULL) {
    const long long bottom = fixedHeight + m_rowHeights.Sum(top.row, bottomRow + 1);
    const long long right = fixedWidth + m_colWidths.Sum(top.col, rightCol + 1);
    pRect->left = pRect->top = 0;
    pRect->right = ClampInt(std::min<long long>(right, client.right));
    pRect->bottom = ClampInt(std::min<long long>(bottom, client.bottom));
  }
  return CCellRange(top.row, top.col, bottomRow, rightCol);
}

CCellRange CGridCtrl::GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation) {
  CRect client;
  if (GetSafeHwnd() != NULL) GetClientRect(client);
  CCellRange range = GetVisibleNonFixedCellRange(NULL, bForceRecalculation);
  const long long bottom = GetFixedRowHeight() + m_rowHeights.Sum(range.GetMinRow(), range.GetMaxRow() + 1);
  const long long right = GetFixedColumnWidth() + m_colWidths.Sum(range.GetMinCol(), range.GetMaxCol() + 1);
  if (bottom > client.bottom && range.GetMaxRow() > 0) range.SetMaxRow(range.GetMaxRow() - 1);
  if (right > client.right && range.GetMaxCol() > 0) range.SetMaxCol(range.GetMaxCol() - 1);
  return range;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol) {
  if (GetSafeHwnd() == NULL || !IsValid(nRow, nCol)) return FALSE;
  POINT origin;
  if (!GetCellOrigin(nRow, nCol, &origin)) return FALSE;
  CRect client;
  GetClientRect(client);
  return origin.x < client.right && origin.y < client.bottom;
}

BOOL CGridCtrl::GetPointClicked(int nRow, int nCol, CPoint& point) {
  CPoint origin;
  if (!GetCellOrigin(nRow, nCol, &origin)) {
    point = CPoint(0, 0);
    return FALSE;
  }
  point -= origin;
  return TRUE;
}

CSize CGridCtrl::GetTextExtent(int nRow, int nCol, LPCTSTR str) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetTextExtent(str, NULL) : CSize(0, 0);
}

CSize CGridCtrl::GetCellTextExtent(int nRow, int nCol) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetTextExtent(cell->GetText(), NULL) : CSize(0, 0);
}

// ---- Painting ----

void CGridCtrl::OnPaint() {
  CPaintDC dc(this);
  if (!m_bAllowDraw) return;  // not even the off-screen DC's fill
  if (m_bDoubleBuffer) {
    CMemDC mem(&dc);
    OnDraw(&mem);
  } else {
    OnDraw(&dc);
  }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CGridCtrl::OnPrintClient(WPARAM hdc, LPARAM) {
  CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(hdc));
  if (dc == NULL || !m_bAllowDraw) return 0;
  if (m_bDoubleBuffer) {
    CMemDC mem(dc);
    OnDraw(&mem);
  } else {
    OnDraw(dc);
  }
  return 0;
}

void CGridCtrl::EraseBkgnd(CDC* pDC) {
  CRect clip, visible;
  if (pDC->GetClipBox(&clip) == ERROR) return;
  GetVisibleNonFixedCellRange(visible);
  const HDC dc = pDC->m_hDC;
  const int fixedWidth = GetFixedColumnWidth(), fixedHeight = GetFixedRowHeight();
  using grid_drawing::FillSolid;
  if (clip.left < fixedWidth) {
    if (clip.top < fixedHeight) {
      CRect r(clip.left, clip.top, fixedWidth, fixedHeight);
      FillSolid(dc, r, m_cellFixedRowColDef.GetBackClr());
    }
    if (clip.top < visible.bottom) {
      CRect r(clip.left, std::max<int>(clip.top, fixedHeight), fixedWidth, visible.bottom);
      FillSolid(dc, r, m_cellFixedColDef.GetBackClr());
    }
  }
  if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visible.right) {
    CRect r(fixedWidth - 1, clip.top, visible.right, fixedHeight);
    FillSolid(dc, r, m_cellFixedRowDef.GetBackClr());
  }
  CRect body;
  CRect cells(fixedWidth, fixedHeight, visible.right, visible.bottom);
  if (body.IntersectRect(clip, cells)) FillSolid(dc, body, m_cellDefault.GetBackClr());
  if (clip.right > visible.right) {
    CRect r(visible.right, clip.top, clip.right, clip.bottom);
    FillSolid(dc, r, m_crGridBkColour);
  }
  if (clip.bottom > visible.bottom && clip.left < visible.right) {
    CRect r(clip.left, visible.bottom, visible.right, clip.bottom);
    FillSolid(dc, r, m_crGridBkColour);
  }
}

void CGridCtrl::OnDraw(CDC* pDC) {
  if (!m_bAllowDraw || pDC == NULL) return;
  CRect clip;
  if (pDC->GetClipBox(&clip) == ERROR) return;
  EraseBkgnd(pDC);
  DrawCells(pDC, clip);
}

void CGridCtrl::DrawCells(CDC* pDC, const CRect& clip) {
  CRect visible;
  const CCellRange range = GetVisibleNonFixedCellRange(visible);
  const int fixedHeight = GetFixedRowHeight(), fixedWidth = GetFixedColumnWidth();
  if (m_bVirtualMode) SendCacheHintToParent(range);

  // The owner answers display requests and may destroy the grid meanwhile: painting stops then.
  const bool windowed = GetSafeHwnd() != NULL;
  bool gone = false;
  auto drawCell = [&](int row, int col, const CRect& rect, BOOL erase) {
    if (gone) return;
    CGridCellBase* cell = GetCell(row, col);
    if (windowed && GetSafeHwnd() == NULL) gone = true;
    if (cell == NULL || gone) return;
    if (!m_bVirtualMode) {
      const DWORD state = cell->GetState();
      const DWORD selected = m_selection.IsSelected(row, col) ? GVIS_SELECTED : 0;
      if ((state & GVIS_SELECTED) != selected) cell->SetState((state & ~GVIS_SELECTED) | selected);
    }
    cell->Draw(pDC, row, col, rect, erase);
  };

  // Fixed corner.
  int y = 0;
  for (int row = 0; row < m_nFixedRows; ++row) {
    const int h = GetRowHeight(row);
    int x = 0;
    for (int col = 0; col < m_nFixedCols; ++col) {
      const int w = GetColumnWidth(col);
      drawCell(row, col, CRect(x, y, x + w - 1, y + h - 1), FALSE);
      x += w;
    }
    y += h;
  }
  if (m_nRows == 0 || m_nCols == 0 || gone) return;

  // Fixed columns of the visible rows, fixed rows of the visible columns, then the body.
  auto pass = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left, BOOL erase) {
    int rowTop = top;
    for (int row = firstRow; row <= lastRow; ++row) {
      const int h = GetRowHeight(row);
      const int rowBottom = rowTop + h - 1;
      if (rowTop > clip.bottom) break;
      if (rowBottom >= clip.top && h > 0) {
        int colLeft = left;
        for (int col = firstCol; col <= lastCol; ++col) {
          const int w = GetColumnWidth(col);
          const int colRight = colLeft + w - 1;
          if (colLeft > clip.right) break;
          if (colRight >= clip.left && w > 0) drawCell(row, col, CRect(colLeft, rowTop, colRight, rowBottom), erase);
          colLeft += w;
        }
      }
      rowTop += h;
    }
  };
  if (m_nFixedCols > 0) pass(range.GetMinRow(), range.GetMaxRow(), fixedHeight, 0, m_nFixedCols - 1, 0, FALSE);
  if (m_nFixedRows > 0) pass(0, m_nFixedRows - 1, 0, range.GetMinCol(), range.GetMaxCol(), fixedWidth, FALSE);
  if (range.GetMinRow() >= m_nFixedRows && range.GetMinCol() >= m_nFixedCols)
    pass(range.GetMinRow(), range.GetMaxRow(), fixedHeight, range.GetMinCol(), range.GetMaxCol(), fixedWidth, FALSE);

  if (gone) return;
  // Grid lines of the body.
  const HDC dc = pDC->m_hDC;
  {  // the DC pen for the lines, restored before the null pen goes in
    grid_drawing::DCPen pen(dc, m_crGridLineColour);
    if (range.GetMinCol() >= m_nFixedCols && (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT)) {
      int x = fixedWidth;
      for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
        x += GetColumnWidth(col);
        if (x - 1 < clip.left) continue;
        if (x - 1 > clip.right) break;
        MoveToEx(dc, x - 1, fixedHeight, NULL);
        LineTo(dc, x - 1, visible.bottom);
      }
    }
    if (range.GetMinRow() >= m_nFixedRows && (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ)) {
      int yy = fixedHeight;
      for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        yy += GetRowHeight(row);
        if (yy - 1 < clip.top) continue;
        if (yy - 1 > clip.bottom) break;
        MoveToEx(dc, fixedWidth, yy - 1, NULL);
        LineTo(dc, visible.right, yy - 1);
      }
    }
  }
  // Left selected on purpose: the grid hands the DC back holding the null pen, no pen of its own.
  SelectObject(dc, GetStockObject(NULL_PEN));
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC) {
  if (!m_bAllowDraw || !IsCellVisible(nRow, nCol)) return FALSE;
  CRect rect;
  if (!GetCellRect(nRow, nCol, rect)) return FALSE;
  std::unique_ptr<CClientDC> own;
  if (pDC == NULL) {
    own.reset(new CClientDC(this));
    if (own->m_hDC == NULL) {
      InvalidateRect(rect, TRUE);
      return TRUE;
    }
    pDC = own.get();
  }
  CGridCellBase* cell = GetCell(nRow, nCol);
  BOOL result = FALSE;
  if (cell != NULL) {
    if (!m_bVirtualMode) {
      const DWORD state = cell->GetState() & ~GVIS_SELECTED;
      cell->SetState(state | (m_selection.IsSelected(nRow, nCol) ? GVIS_SELECTED : 0));
    }
    result = cell->Draw(pDC, nRow, nCol, rect, TRUE);
    if (!IsCellFixed(nRow, nCol)) {
      grid_drawing::DCPen pen(pDC->m_hDC, m_crGridLineColour);
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        MoveToEx(pDC->m_hDC, rect.left, rect.bottom, NULL);
        LineTo(pDC->m_hDC, rect.right + 1, rect.bottom);
      }
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        MoveToEx(pDC->m_hDC, rect.right, rect.top, NULL);
        LineTo(pDC->m_hDC, rect.right, rect.bottom + 1);
      }
    }
  }
  return result;
}

BOOL CGridCtrl::RedrawRow(int row) {
  if (!m_bAllowDraw || GetSafeHwnd() == NULL) return FALSE;
  CClientDC dc(this);
  for (int col = 0; col < m_nCols; ++col) RedrawCell(row, col, &dc);
  return TRUE;
}

BOOL CGridCtrl::RedrawColumn(int col) {
  if (!m_bAllowDraw || GetSafeHwnd() == NULL) return FALSE;
  CClientDC dc(this);
  const CCellRange range = GetVisibleNonFixedCellRange();
  for (int row = 0; row < m_nFixedRows; ++row) RedrawCell(row, col, &dc);
  for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) RedrawCell(row, col, &dc);
  return TRUE;
}

BOOL CGridCtrl::InvalidateCellRect(int row, int col) {
  if (GetSafeHwnd() == NULL || !m_bAllowDraw || !IsValid(row, col) || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetCellRect(row, col, rect)) return FALSE;
  rect.right++;
  rect.bottom++;
  InvalidateRect(rect, TRUE);
  return TRUE;
}

BOOL CGridCtrl::InvalidateCellRect(const CCellRange& cellRange) {
  if (GetSafeHwnd() == NULL || !m_bAllowDraw) return FALSE;
  const CCellRange visible = GetVisibleNonFixedCellRange();
  const CCellRange cut(std::max(cellRange.GetMinRow(), visible.GetMinRow()), std::max(cellRange.GetMinCol(), visible.GetMinCol()),
                       std::min(cellRange.GetMaxRow(), visible.GetMaxRow()), std::min(cellRange.GetMaxCol(), visible.GetMaxCol()));
  CRect rect;
  if (!GetCellRangeRect(cut, rect)) return FALSE;
  rect.right++;
  rect.bottom++;
  InvalidateRect(rect, TRUE);
  return TRUE;
}

void CGridCtrl::Refresh() {
  if (GetSafeHwnd() != NULL && m_bAllowDraw) Invalidate(TRUE);
}

LRESULT CGridCtrl::OnSetRedrawMessage(WPARAM bRedraw, LPARAM) {
  const LRESULT result = Default();
  SetRedraw(bRedraw != 0, bRedraw != 0);
  return result;
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars) {
  if (bAllowDraw && !m_bAllowDraw) {
    m_bAllowDraw = TRUE;
    Refresh();
  }
  m_bAllowDraw = bAllowDraw;
  if (bResetScrollBars) ResetScrollBars();
}

// ---- Fonts and colours ----

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM) {
  LOGFONT lf;
  if (hFont == 0 || GetObject(reinterpret_cast<HGDIOBJ>(hFont), sizeof(lf), &lf) == 0) return 0;
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) c->SetFont(&lf);
  Refresh();
  return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) {
  CFont* font = m_cellDefault.GetFontObject();
  return font != NULL ? reinterpret_cast<LRESULT>(font->m_hObject) : 0;
}

void CGridCtrl::OnSysColorChange() {
  CWnd::OnSysColorChange();
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) {
    if (c->GetTextClr() == m_crWindowText) c->SetTextClr(GetSysColor(COLOR_WINDOWTEXT));
    if (c->GetBackClr() == m_crWindowColour) c->SetBackClr(GetSysColor(COLOR_WINDOW));
  }
  if (m_crGridBkColour == m_crShadow) m_crGridBkColour = GetSysColor(COLOR_3DSHADOW);
  m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_crWindowColour = GetSysColor(COLOR_WINDOW);
  m_cr3DFace = GetSysColor(COLOR_3DFACE);
  m_crShadow = GetSysColor(COLOR_3DSHADOW);
}

void CGridCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CWnd::OnSettingChange(uFlags, lpszSection);
  OnSysColorChange();
  m_nRowsPerWheelNotch = ReadWheelScrollLines();
}

// ---- Sizing ----

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll) {
  if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) == 0) return FALSE;
  if (nAutoSizeStyle == GVS_DEFAULT) nAutoSizeStyle = m_nAutoSizeColumnStyle;
  CClientDC dc(this);
  if (dc.m_hDC == NULL) return FALSE;
  const int first = (nAutoSizeStyle & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (nAutoSizeStyle & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(first, nCol, last, nCol));
  int width = 0;
  for (int row = first; row <= last; ++row) {
    CGridCellBase* cell = GetCell(row, nCol);
    if (cell != NULL) width = std::max<int>(width, cell->GetCellExtent(&dc).cx);
  }
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
  m_colWidths.Set(nCol, CapSize(width));
  if (bResetScroll) ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL bResetScroll) {
  if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) == 0) return FALSE;
  CClientDC dc(this);
  if (dc.m_hDC == NULL) return FALSE;
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(nRow, 0, nRow, m_nCols));
  int height = 0;
  for (int col = 0; col < m_nCols; ++col) {
    CGridCellBase* cell = GetCell(nRow, col);
    if (cell != NULL) height = std::max<int>(height, cell->GetCellExtent(&dc).cy);
  }
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
  m_rowHeights.Set(nRow, CapSize(height));
  if (bResetScroll) ResetScrollBars();
  return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle) {
  for (int col = 0; col < m_nCols; ++col)
    if (GetColumnWidth(col) > 0) AutoSizeColumn(col, nAutoSizeStyle, FALSE);
  ResetScrollBars();
}

void CGridCtrl::AutoSizeRows() {
  for (int row = 0; row < m_nRows; ++row)
    if (GetRowHeight(row) > 0) AutoSizeRow(row, FALSE);
  ResetScrollBars();
}

void CGridCtrl::AutoSize(UINT nAutoSizeStyle) {
  if (nAutoSizeStyle == GVS_DEFAULT) nAutoSizeStyle = m_nAutoSizeColumnStyle;
  CClientDC dc(this);
  if (dc.m_hDC == NULL) return;
  const int first = (nAutoSizeStyle & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (nAutoSizeStyle & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(first, 0, last, m_nCols));
  for (int row = first; row <= last; ++row)
    if (GetRowHeight(row) > 0) m_rowHeights.Set(row, 1);
  for (int col = 0; col < m_nCols; ++col) {
    if (GetColumnWidth(col) <= 0) continue;
    int width = 0;
    for (int row = first; row <= last; ++row) {
      if (GetRowHeight(row) <= 0) continue;
      CGridCellBase* cell = GetCell(row, col);
      if (cell == NULL) continue;
      const CSize size = cell->GetCellExtent(&dc);
      width = std::max<int>(width, size.cx);
      if (size.cy > GetRowHeight(row)) m_rowHeights.Set(row, CapSize(size.cy));
    }
    m_colWidths.Set(col, CapSize(width));
  }
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
  ResetScrollBars();
  Refresh();
}

void CGridCtrl::SpreadOver(CGridSizeTree& sizes, int first, long long difference) {
  const int count = sizes.GetCount();
  int visible = 0;
  for (int i = first; i < count; ++i)
    if (sizes.Get(i) > 0) ++visible;
  // Nothing to spread over when every expandable item is hidden; hidden items stay 0, the others
  // keep at least 1 pixel.
  if (visible == 0) return;
  const long long each = difference / visible;
  for (int i = first; i < count; ++i) {
    const long long size = sizes.Get(i);
    if (size > 0) sizes.Set(i, CapSize(ClampInt(std::max<long long>(1, size + each))));
  }
  const long long rest = (difference < 0 ? -difference : difference) % visible;
  for (int i = first, handed = 0; i < count && handed < rest; ++i, ++handed) {
    const int size = static_cast<int>(sizes.Get(i));
    if (size > 0) sizes.Set(i, static_cast<UINT>(std::max(1, difference > 0 ? size + 1 : size - 1)));
  }
}

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed) {
  const int first = bExpandFixed ? 0 : m_nFixedCols;
  if (GetSafeHwnd() == NULL || m_nCols <= first) return;
  EnableScrollBars(SB_HORZ, FALSE);
  CRect client;
  GetClientRect(client);
  SpreadOver(m_colWidths, first, client.Width() - GetVirtualWidth());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(BOOL bExpandFixed) {
  const int first = bExpandFixed ? 0 : m_nFixedRows;
  if (GetSafeHwnd() == NULL || m_nRows <= first) return;
  EnableScrollBars(SB_VERT, FALSE);
  CRect client;
  GetClientRect(client);
  SpreadOver(m_rowHeights, first, client.Height() - GetVirtualHeight());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandLastColumn() {
  if (GetSafeHwnd() == NULL) return;
  int col = m_nCols - 1;
  while (col > 0 && GetColumnWidth(col) <= 0) --col;
  if (col <= 0) return;
  EnableScrollBars(SB_HORZ, FALSE);
  CRect client;
  GetClientRect(client);
  const long long difference = client.Width() - GetVirtualWidth();
  if (difference > 0) {
    m_colWidths.Set(col, CapSize(ClampInt(GetColumnWidth(col) + difference)));
    Refresh();
  }
  ResetScrollBars();
}

void CGridCtrl::ExpandToFit(BOOL bExpandFixed) {
  ExpandColumnsToFit(bExpandFixed);
  ExpandRowsToFit(bExpandFixed);
  ExpandColumnsToFit(bExpandFixed);
  Refresh();
}

void CGridCtrl::AutoFill() {
  if (GetSafeHwnd() == NULL) return;
  const int w = m_cellDefault.GetWidth(), h = m_cellDefault.GetHeight();
  if (w <= 0 || h <= 0) return;
  CRect client;
  GetClientRect(client);
  SetColumnCount(client.Width() / w + 1);
  SetRowCount(client.Height() / h + 1);
  SetFixedRowCount(1);
  SetFixedColumnCount(1);
  ExpandToFit(TRUE);
}
