// The grid's model: construction, dimensions, cells, attributes, selection and virtual mode.
#include "GridCtrl.h"

#include <ControlClass.h>
#include <UIHandles.h>

#include <algorithm>
#include <climits>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

namespace {

// Runs f; a memory failure answers false (nothing escapes to the caller).
template <class F>
bool WithoutMemoryFailure(F f) {
  try {
    f();
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (CMemoryException* e) {
    e->Delete();
    return false;
  }
}

}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_crGridLineColour(RGB(0xC0, 0xC0, 0xC0)),
      m_crTTipBackClr(CLR_DEFAULT),
      m_crTTipTextClr(CLR_DEFAULT),
      m_bVirtualMode(FALSE),
      m_lParam(0),
      m_pfnCallback(NULL),
      m_nGridLines(GVL_BOTH),
      m_bEditable(TRUE),
      m_bModified(FALSE),
      m_bAllowDragAndDrop(FALSE),
      m_bListMode(FALSE),
      m_bSingleRowSelection(FALSE),
      m_bSingleColSelection(FALSE),
      m_bAllowDraw(TRUE),
      m_bEnableSelection(TRUE),
      m_bFixedRowSelection(TRUE),
      m_bFixedColumnSelection(TRUE),
      m_bSortOnClick(FALSE),
      m_bHandleTabKey(TRUE),
      m_bDoubleBuffer(TRUE),
      m_bTitleTips(TRUE),
      m_nBarState(0),
      m_bWysiwygPrinting(FALSE),
      m_bHiddenColUnhide(TRUE),
      m_bHiddenRowUnhide(TRUE),
      m_bAllowColHide(TRUE),
      m_bAllowRowHide(TRUE),
      m_bTrackFocusCell(TRUE),
      m_bFrameFocus(TRUE),
      m_nAutoSizeColumnStyle(GVS_BOTH),
      m_bForceResize(FALSE),
      m_nRows(0),
      m_nFixedRows(0),
      m_nCols(0),
      m_nFixedCols(0),
      m_pRtcDefault(RUNTIME_CLASS(CGridCell)),
      m_pImageList(NULL),
      m_MouseMode(0),
      m_bAllowRowResize(TRUE),
      m_bAllowColumnResize(TRUE),
      m_nWheelRemainder(0),
      m_bAscending(TRUE),
      m_nSortColumn(-1),
      m_pfnCompare(NULL),
      m_bShadedPrintOut(TRUE),
      m_vPos(0),
      m_hPos(0),
      m_vScale(1),
      m_hScale(1),
      m_bInSize(FALSE) {
  RegisterWindowClass();
  m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_crWindowColour = GetSysColor(COLOR_WINDOW);
  m_cr3DFace = GetSysColor(COLOR_3DFACE);
  m_crShadow = GetSysColor(COLOR_3DSHADOW);
  m_crGridBkColour = m_crShadow;
  m_nRowsPerWheelNotch = ReadWheelScrollLines();
  SetupDefaultCells();
  m_dispInfo.hdr.hwndFrom = NULL;
  m_dispInfo.hdr.idFrom = 0;
  m_dispInfo.hdr.code = 0;
  SetRowCount(nRows);
  SetColumnCount(nCols);
  SetFixedRowCount(nFixedRows);
  SetFixedColumnCount(nFixedCols);
  m_selection.Clear();
}

CGridCtrl::~CGridCtrl() {
  DeleteAllItems();
  if (GetSafeHwnd() != NULL) DestroyWindow();
}

BOOL CGridCtrl::RegisterWindowClass() {
  const quarnel::WindowClassSpec spec = {L"MFCGridCtrl", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::DefWindowProcW, 0,
                                         reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1)};
  if (!quarnel::RegisterWindowClass(AfxGetInstanceHandle(), spec)) AfxThrowResourceException();
  return TRUE;
}

UINT CGridCtrl::ReadWheelScrollLines() {
  UINT lines = 3;
  if (!SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
  return lines;
}

void CGridCtrl::SetupDefaultCells() {
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) {
    c->SetGrid(this);
    c->SetTextClr(GetSysColor(COLOR_WINDOWTEXT));
    c->SetBackClr(GetSysColor(c == &m_cellDefault ? COLOR_WINDOW : COLOR_3DFACE));
  }
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle) {
  if (!CWnd::Create(GRIDCTRL_CLASSNAME, NULL, dwStyle, rect, parent, nID)) return FALSE;
  // The sizes were kept through the counts; a window now exists to show them.
  ResetScrollBars();
  return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  Initialise();
}

BOOL CGridCtrl::Initialise() {
  if (GetSafeHwnd() != NULL) ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  return TRUE;
}

// ---- Dimensions ----

BOOL CGridCtrl::SetRowCount(int nRows) {
  if (nRows < 0) return FALSE;
  if (nRows == m_nRows) return TRUE;
  m_idTopLeftCell = CCellID();
  const int oldRows = m_nRows;
  bool ok = true;
  if (nRows < oldRows) {
    if (m_nFixedRows > nRows) m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows) m_idCurrentCell = CCellID();
    if (!m_bVirtualMode) {
      for (int r = nRows; r < oldRows; ++r)
        for (int c = 0; c < m_nCols; ++c) DestroyCell(r, c);
      m_rows.resize(static_cast<size_t>(nRows));
    }
    m_rowHeights.Resize(nRows, 0);
    m_nRows = nRows;
    m_selection.Clip(m_nRows, m_nCols);
    m_prevSelection.Clip(m_nRows, m_nCols);
  } else {
    // Everything is made first; only a complete set of new rows is taken.
    std::vector<std::vector<CGridCellBase*>> fresh;
    ok = WithoutMemoryFailure([&] {
      m_rowHeights.Resize(nRows, CapSize(m_cellDefault.GetHeight()));
      if (!m_bVirtualMode) {
        m_rows.reserve(static_cast<size_t>(nRows));
        fresh.reserve(static_cast<size_t>(nRows - oldRows));
        for (int r = oldRows; r < nRows; ++r) {
          fresh.push_back(std::vector<CGridCellBase*>());
          fresh.back().reserve(static_cast<size_t>(m_nCols));
          for (int c = 0; c < m_nCols; ++c) fresh.back().push_back(CreateCell(r, c));
        }
      }
    });
    if (!ok) {
      for (auto& row : fresh)
        for (CGridCellBase* cell : row) delete cell;
      m_rowHeights.Resize(oldRows, 0);
    } else {
      for (auto& row : fresh) m_rows.push_back(std::move(row));
      m_nRows = nRows;
    }
  }
  SetModified(TRUE, -1, -1);
  ResetScrollBars();
  Refresh();
  return ok ? TRUE : FALSE;
}

BOOL CGridCtrl::SetColumnCount(int nCols) {
  if (nCols < 0) return FALSE;
  if (nCols == m_nCols) return TRUE;
  m_idTopLeftCell = CCellID();
  const int oldCols = m_nCols;
  bool ok = true;
  if (nCols < oldCols) {
    if (m_nFixedCols > nCols) m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols) m_idCurrentCell = CCellID();
    if (!m_bVirtualMode) {
      for (int r = 0; r < m_nRows; ++r) {
        for (int c = nCols; c < oldCols; ++c) DestroyCell(r, c);
        m_rows[static_cast<size_t>(r)].resize(static_cast<size_t>(nCols));
      }
    }
    m_colWidths.Resize(nCols, 0);
    m_nCols = nCols;
    m_selection.Clip(m_nRows, m_nCols);
    m_prevSelection.Clip(m_nRows, m_nCols);
  } else {
    std::vector<std::vector<CGridCellBase*>> fresh;
    ok = WithoutMemoryFailure([&] {
      m_colWidths.Resize(nCols, CapSize(m_cellFixedColDef.GetWidth()));
      if (!m_bVirtualMode) {
        for (auto& row : m_rows) row.reserve(static_cast<size_t>(nCols));
        fresh.reserve(static_cast<size_t>(m_nRows));
        for (int r = 0; r < m_nRows; ++r) {
          fresh.push_back(std::vector<CGridCellBase*>());
          fresh.back().reserve(static_cast<size_t>(nCols - oldCols));
          for (int c = oldCols; c < nCols; ++c) fresh.back().push_back(CreateCell(r, c));
        }
      }
    });
    if (!ok) {
      for (auto& row : fresh)
        for (CGridCellBase* cell : row) delete cell;
      m_colWidths.Resize(oldCols, 0);
    } else {
      if (!m_bVirtualMode)
        for (int r = 0; r < m_nRows; ++r)  // capacity was reserved: no allocation here
          m_rows[static_cast<size_t>(r)].insert(m_rows[static_cast<size_t>(r)].end(), fresh[static_cast<size_t>(r)].begin(),
                                                fresh[static_cast<size_t>(r)].end());
      m_nCols = nCols;
    }
  }
  SetModified(TRUE, -1, -1);
  ResetScrollBars();
  Refresh();
  return ok ? TRUE : FALSE;
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows) {
  if (nFixedRows < 0) return FALSE;
  if (m_nFixedRows == nFixedRows) return TRUE;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (nFixedRows > m_nRows && !SetRowCount(nFixedRows)) return FALSE;
  if (m_idCurrentCell.row < nFixedRows) SetFocusCell(-1, -1);
  if (!m_bVirtualMode) {
    if (nFixedRows > m_nFixedRows) {
      for (int r = m_nFixedRows; r < nFixedRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
          SetItemState(r, c, GetItemState(r, c) | GVIS_FIXED | GVIS_FIXEDROW);
          SetItemBkColour(r, c, CLR_DEFAULT);
          SetItemFgColour(r, c, CLR_DEFAULT);
        }
    } else {
      for (int r = nFixedRows; r < m_nFixedRows; ++r) {
        for (int c = 0; c < m_nFixedCols; ++c) SetItemState(r, c, GetItemState(r, c) & ~GVIS_FIXEDROW);
        for (int c = m_nFixedCols; c < m_nCols; ++c) {
          SetItemState(r, c, GetItemState(r, c) & ~(GVIS_FIXED | GVIS_FIXEDROW));
          SetItemBkColour(r, c, CLR_DEFAULT);
          SetItemFgColour(r, c, CLR_DEFAULT);
        }
      }
    }
  }
  m_nFixedRows = nFixedRows;
  Refresh();
  return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols) {
  if (nFixedCols < 0) return FALSE;
  if (m_nFixedCols == nFixedCols) return TRUE;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols)) return FALSE;
  if (m_idCurrentCell.col < nFixedCols) SetFocusCell(-1, -1);
  if (!m_bVirtualMode) {
    if (nFixedCols > m_nFixedCols) {
      for (int r = 0; r < m_nRows; ++r)
        for (int c = m_nFixedCols; c < nFixedCols; ++c) {
          SetItemState(r, c, GetItemState(r, c) | GVIS_FIXED | GVIS_FIXEDCOL);
          SetItemBkColour(r, c, CLR_DEFAULT);
          SetItemFgColour(r, c, CLR_DEFAULT);
        }
    } else {
      for (int c = nFixedCols; c < m_nFixedCols; ++c) {
        for (int r = 0; r < m_nFixedRows; ++r) SetItemState(r, c, GetItemState(r, c) & ~GVIS_FIXEDCOL);
        for (int r = m_nFixedRows; r < m_nRows; ++r) {
          SetItemState(r, c, GetItemState(r, c) & ~(GVIS_FIXED | GVIS_FIXEDCOL));
          SetItemBkColour(r, c, CLR_DEFAULT);
          SetItemFgColour(r, c, CLR_DEFAULT);
        }
      }
    }
  }
  m_nFixedCols = nFixedCols;
  Refresh();
  return TRUE;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow) {
  if (nRow < -1 || nRow >= m_nRows || (nRow >= 0 && nRow < m_nFixedRows)) return -1;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (m_nCols == 0 && !SetColumnCount(1)) return -1;
  const int at = nRow < 0 ? m_nRows : nRow;
  std::vector<CGridCellBase*> fresh;
  const bool ok = WithoutMemoryFailure([&] {
    if (!m_bVirtualMode) {
      m_rows.reserve(m_rows.size() + 1);
      fresh.reserve(static_cast<size_t>(m_nCols));
      for (int c = 0; c < m_nCols; ++c) fresh.push_back(CreateCell(at, c));
    }
    m_rowHeights.Insert(at, CapSize(m_cellDefault.GetHeight()));
  });
  if (!ok) {
    for (CGridCellBase* cell : fresh) delete cell;
    return -1;
  }
  MarkFocus(FALSE);
  if (!m_bVirtualMode) m_rows.insert(m_rows.begin() + at, std::move(fresh));
  m_nRows++;
  SetItemText(at, 0, strHeading);
  const bool heading = strHeading != NULL && strHeading[0] != 0;
  m_rowHeights.Set(at, CapSize(heading ? GetTextExtent(at, 0, strHeading).cy : m_cellFixedRowDef.GetHeight()));
  if (m_idCurrentCell.IsValid() && m_idCurrentCell.row > at) m_idCurrentCell.row++;
  MarkFocus(TRUE);
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return at;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn) {
  if (nColumn < -1 || nColumn > m_nCols || (nColumn >= 0 && nColumn < m_nFixedCols)) return -1;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (m_nRows == 0 && !SetRowCount(1)) return -1;
  const int at = nColumn < 0 ? m_nCols : nColumn;
  std::vector<CGridCellBase*> fresh;
  const bool ok = WithoutMemoryFailure([&] {
    if (!m_bVirtualMode) {
      for (auto& row : m_rows) row.reserve(row.size() + 1);
      fresh.reserve(static_cast<size_t>(m_nRows));
      for (int r = 0; r < m_nRows; ++r) fresh.push_back(CreateCell(r, at));
    }
    m_colWidths.Insert(at, CapSize(m_cellFixedColDef.GetWidth()));
  });
  if (!ok) {
    for (CGridCellBase* cell : fresh) delete cell;
    return -1;
  }
  MarkFocus(FALSE);
  if (!m_bVirtualMode)
    for (int r = 0; r < m_nRows; ++r)
      m_rows[static_cast<size_t>(r)].insert(m_rows[static_cast<size_t>(r)].begin() + at, fresh[static_cast<size_t>(r)]);
  m_nCols++;
  SetItemText(0, at, strHeading);
  for (int r = 0; r < m_nRows && !m_bVirtualMode; ++r) SetItemFormat(r, at, nFormat);
  m_colWidths.Set(at, CapSize(GetTextExtent(0, at, strHeading).cx));
  if (m_idCurrentCell.IsValid() && m_idCurrentCell.col > at) m_idCurrentCell.col++;
  MarkFocus(TRUE);
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return at;
}

BOOL CGridCtrl::DeleteRow(int nRow) {
  if (nRow < 0 || nRow >= m_nRows) return FALSE;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (!m_bVirtualMode) {
    for (int c = 0; c < m_nCols; ++c) DestroyCell(nRow, c);
    m_rows.erase(m_rows.begin() + nRow);
  }
  m_rowHeights.Erase(nRow);
  m_nRows--;
  if (nRow < m_nFixedRows) m_nFixedRows--;
  if (m_idCurrentCell.row == nRow)
    m_idCurrentCell = CCellID();
  else if (m_idCurrentCell.row > nRow)
    m_idCurrentCell.row--;
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return TRUE;
}

BOOL CGridCtrl::DeleteColumn(int nCol) {
  if (nCol < 0 || nCol >= m_nCols) return FALSE;
  ResetSelectedRange();
  m_idTopLeftCell = CCellID();
  if (!m_bVirtualMode)
    for (int r = 0; r < m_nRows; ++r) {
      DestroyCell(r, nCol);
      m_rows[static_cast<size_t>(r)].erase(m_rows[static_cast<size_t>(r)].begin() + nCol);
    }
  m_colWidths.Erase(nCol);
  m_nCols--;
  if (nCol < m_nFixedCols) m_nFixedCols--;
  if (m_idCurrentCell.col == nCol)
    m_idCurrentCell = CCellID();
  else if (m_idCurrentCell.col > nCol)
    m_idCurrentCell.col--;
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows() {
  ResetSelectedRange();
  // One truncation, not one deletion (and one reset) per row.
  const BOOL ok = SetRowCount(m_nFixedRows);
  return ok;
}

BOOL CGridCtrl::DeleteAllItems() {
  ResetSelectedRange();
  for (int r = 0; r < static_cast<int>(m_rows.size()); ++r)
    for (CGridCellBase* cell : m_rows[static_cast<size_t>(r)]) delete cell;
  m_rows.clear();
  m_rowHeights.Clear();
  m_colWidths.Clear();
  m_idCurrentCell = CCellID();
  m_idTopLeftCell = CCellID();
  m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
  m_vPos = m_hPos = 0;
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return TRUE;
}

// ---- Cells ----

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol) {
  if (m_pRtcDefault == NULL || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return NULL;
  CGridCellBase* cell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
  if (cell == NULL) return NULL;
  cell->SetGrid(this);
  cell->SetCoords(nRow, nCol);
  if (nCol < m_nFixedCols) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
  if (nRow < m_nFixedRows) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
  cell->SetFormat(cell->GetDefaultCell()->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol) {
  if (!IsValid(nRow, nCol) || m_bVirtualMode) return;
  m_selection.Select(nRow, nCol, false);
  std::vector<CGridCellBase*>& row = m_rows[static_cast<size_t>(nRow)];
  delete row[static_cast<size_t>(nCol)];
  row[static_cast<size_t>(nCol)] = NULL;
}

CGridCellBase* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const {
  CGridCtrl* self = const_cast<CGridCtrl*>(this);
  if (bFixedRow && bFixedCol) return &self->m_cellFixedRowColDef;
  if (bFixedRow) return &self->m_cellFixedRowDef;
  if (bFixedCol) return &self->m_cellFixedColDef;
  return &self->m_cellDefault;
}

CFont* CGridCtrl::GetFontFor(const LOGFONT& lf) {
  // The key is the font's fields up to the end of its face name.
  const size_t nameLength = _tcsnlen(lf.lfFaceName, LF_FACESIZE);
  const std::string key(reinterpret_cast<const char*>(&lf),
                        offsetof(LOGFONT, lfFaceName) + nameLength * sizeof(TCHAR));
  auto it = m_fonts.find(key);
  if (it != m_fonts.end()) return it->second.get();
  std::unique_ptr<CFont> font(new CFont);
  if (!font->CreateFontIndirect(&lf)) return NULL;
  CFont* made = font.get();
  m_fonts[key] = std::move(font);
  return made;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const {
  if (!IsValid(nRow, nCol)) return NULL;
  if (!m_bVirtualMode) return m_rows[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];
  return GetVirtualCell(nRow, nCol);
}

CGridCellBase* CGridCtrl::GetVirtualCell(int nRow, int nCol) const {
  const bool fixedRow = nRow < m_nFixedRows, fixedCol = nCol < m_nFixedCols;
  CGridCellBase* def = GetDefaultCell(fixedRow, fixedCol);
  // A fresh record each time: a callback that asks again overwrites only what it asked for.
  GV_ITEM& item = m_dispInfo.item;
  item.row = nRow;
  item.col = nCol;
  item.mask = GVIF_ALL;
  item.nState = 0;
  item.nFormat = def->GetFormat();
  item.iImage = def->GetImage();
  item.crBkClr = def->GetBackClr();
  item.crFgClr = def->GetTextClr();
  item.lParam = def->GetData();
  const LOGFONT* lf = def->GetFont();
  if (lf != NULL) item.lfFont = *lf;
  item.nMargin = def->GetMargin();
  item.strText.Empty();
  if (m_selection.IsSelected(nRow, nCol)) item.nState |= GVIS_SELECTED;
  if (fixedRow) item.nState |= GVIS_FIXED | GVIS_FIXEDROW;
  if (fixedCol) item.nState |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (CCellID(nRow, nCol) == m_idCurrentCell) item.nState |= GVIS_FOCUSED;
  if (m_pfnCallback != NULL)
    m_pfnCallback(&m_dispInfo, m_lParam);
  else
    SendDisplayRequestToParent(&m_dispInfo);
  CGridCell& cell = m_virtualCell;
  cell.SetState(item.nState);
  cell.SetFormat(item.nFormat);
  cell.SetImage(item.iImage);
  cell.SetBackClr(item.crBkClr);
  cell.SetTextClr(item.crFgClr);
  cell.SetData(item.lParam);
  cell.SetFont(lf != NULL && memcmp(lf, &item.lfFont, sizeof(LOGFONT)) == 0 ? NULL : &item.lfFont);
  cell.SetMargin(item.nMargin);
  cell.SetText(item.strText);
  cell.SetGrid(const_cast<CGridCtrl*>(this));
  return &cell;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell) {
  if (m_bVirtualMode || !IsValid(nRow, nCol)) return FALSE;
  pCell->SetCoords(nRow, nCol);
  m_rows[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)] = pCell;
  return TRUE;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass) {
  if (m_bVirtualMode || !IsValid(nRow, nCol) || pRuntimeClass == NULL ||
      !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
    return FALSE;
  CGridCellBase* fresh = static_cast<CGridCellBase*>(pRuntimeClass->CreateObject());
  if (fresh == NULL) return FALSE;
  CGridCellBase* old = GetCell(nRow, nCol);
  if (old != NULL) *fresh = *old;
  SetCell(nRow, nCol, fresh);
  delete old;
  return TRUE;
}

BOOL CGridCtrl::SetDefaultCellType(CRuntimeClass* pRuntimeClass) {
  if (pRuntimeClass == NULL || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return FALSE;
  m_pRtcDefault = pRuntimeClass;
  return TRUE;
}

// ---- Attributes ----

#define GRID_CELL_OR(fail)                        \
  if (m_bVirtualMode) return fail;                \
  CGridCellBase* cell = GetCell(nRow, nCol);      \
  if (cell == NULL) return fail

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str) {
  GRID_CELL_OR(FALSE);
  cell->SetText(str);
  SetModified(TRUE, nRow, nCol);
  return TRUE;
}

BOOL CGridCtrl::SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...) {
  GRID_CELL_OR(FALSE);
  CString text;
  va_list args;
  va_start(args, szFmt);
  text.FormatV(szFmt, args);
  va_end(args);
  cell->SetText(text);
  SetModified(TRUE, nRow, nCol);
  return TRUE;
}

BOOL CGridCtrl::SetItemTextFmtID(int nRow, int nCol, UINT nID, ...) {
  GRID_CELL_OR(FALSE);
  CString format;
  if (!format.LoadString(nID)) return FALSE;
  CString text;
  va_list args;
  va_start(args, nID);
  text.FormatV(format, args);
  va_end(args);
  cell->SetText(text);
  SetModified(TRUE, nRow, nCol);
  return TRUE;
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam) {
  GRID_CELL_OR(FALSE);
  cell->SetData(lParam);
  SetModified(TRUE, nRow, nCol);
  return TRUE;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int iImage) {
  GRID_CELL_OR(FALSE);
  cell->SetImage(iImage);
  SetModified(TRUE, nRow, nCol);
  return TRUE;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat) {
  GRID_CELL_OR(FALSE);
  cell->SetFormat(nFormat);
  return TRUE;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr) {
  GRID_CELL_OR(FALSE);
  cell->SetBackClr(cr);
  return TRUE;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr) {
  GRID_CELL_OR(FALSE);
  cell->SetTextClr(cr);
  return TRUE;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* lf) {
  GRID_CELL_OR(FALSE);
  cell->SetFont(lf);
  return TRUE;
}

#undef GRID_CELL_OR

CString CGridCtrl::GetItemText(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL && cell->GetText() != NULL ? CString(cell->GetText()) : CString();
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetData() : 0;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetImage() : -1;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetFormat() : 0;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetBackClr() : 0;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL ? cell->GetTextClr() : 0;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell == NULL) return GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols)->GetFont();
  return cell->GetFont();
}

BOOL CGridCtrl::IsItemEditing(int nRow, int nCol) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell != NULL && cell->IsEditing();
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state) {
  if (!IsValid(nRow, nCol)) return FALSE;
  m_selection.Select(nRow, nCol, (state & GVIS_SELECTED) != 0);
  if (m_bVirtualMode) return TRUE;
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell == NULL) return FALSE;
  cell->SetState(state);
  return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const {
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell == NULL) return 0;
  // The selection is kept by the grid: the cell's own bit follows it.
  UINT state = cell->GetState() & ~GVIS_SELECTED;
  if (m_selection.IsSelected(nRow, nCol)) state |= GVIS_SELECTED;
  return state;
}

BOOL CGridCtrl::GetItem(GV_ITEM* pItem) {
  if (pItem == NULL) return FALSE;
  CGridCellBase* cell = GetCell(pItem->row, pItem->col);
  if (cell == NULL) return FALSE;
  const UINT mask = pItem->mask;
  if (mask & GVIF_TEXT) pItem->strText = GetItemText(pItem->row, pItem->col);
  if (mask & GVIF_IMAGE) pItem->iImage = cell->GetImage();
  if (mask & GVIF_PARAM) pItem->lParam = cell->GetData();
  if (mask & GVIF_STATE) pItem->nState = GetItemState(pItem->row, pItem->col);
  if (mask & GVIF_FORMAT) pItem->nFormat = cell->GetFormat();
  if (mask & GVIF_BKCLR) pItem->crBkClr = cell->GetBackClr();
  if (mask & GVIF_FGCLR) pItem->crFgClr = cell->GetTextClr();
  if ((mask & GVIF_FONT) && cell->GetFont() != NULL) pItem->lfFont = *cell->GetFont();
  if (mask & GVIF_MARGIN) pItem->nMargin = cell->GetMargin();
  return TRUE;
}

BOOL CGridCtrl::SetItem(const GV_ITEM* pItem) {
  if (pItem == NULL || m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(pItem->row, pItem->col);
  if (cell == NULL) return FALSE;
  SetModified(TRUE, pItem->row, pItem->col);
  const UINT mask = pItem->mask;
  if (mask & GVIF_TEXT) cell->SetText(pItem->strText);
  if (mask & GVIF_PARAM) cell->SetData(pItem->lParam);
  if (mask & GVIF_IMAGE) cell->SetImage(pItem->iImage);
  if (mask & GVIF_STATE) SetItemState(pItem->row, pItem->col, pItem->nState);
  if (mask & GVIF_FORMAT) cell->SetFormat(pItem->nFormat);
  if (mask & GVIF_BKCLR) cell->SetBackClr(pItem->crBkClr);
  if (mask & GVIF_FGCLR) cell->SetTextClr(pItem->crFgClr);
  if (mask & GVIF_FONT) cell->SetFont(&pItem->lfFont);
  if (mask & GVIF_MARGIN) cell->SetMargin(pItem->nMargin);
  return TRUE;
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) {
  if (nRow < 0 || nCol < 0) return m_bModified;
  return (GetItemState(nRow, nCol) & GVIS_MODIFIED) != 0;
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol) {
  if (nCol < 0 || nCol == m_nSortColumn) SetSortColumn(-1);
  if (nRow >= 0 && nCol >= 0) {
    CGridCellBase* cell = m_bVirtualMode ? NULL : GetCell(nRow, nCol);
    if (cell != NULL)
      cell->SetState(bModified ? (cell->GetState() | GVIS_MODIFIED) : (cell->GetState() & ~GVIS_MODIFIED));
    if (bModified) m_bModified = TRUE;
  } else {
    m_bModified = bModified;
  }
  if (!m_bModified && !m_bVirtualMode)
    for (auto& row : m_rows)
      for (CGridCellBase* cell : row)
        if (cell != NULL) cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const {
  return IsEditable() && (GetItemState(nRow, nCol) & GVIS_READONLY) == 0;
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const {
  return range.IsValid() && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols;
}

// ---- Selection and focus ----

CCellRange CGridCtrl::GetSelectedCellRange() const {
  if (m_selection.IsEmpty()) return CCellRange(m_nRows, m_nCols, -1, -1);
  return m_selection.GetBounds();
}

int CGridCtrl::GetSelectedCount() const {
  const long long count = m_selection.GetCount();
  return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const { return m_selection.IsSelected(nRow, nCol); }

void CGridCtrl::SelectAllCells() {
  if (!m_bEnableSelection) return;
  SetSelectedRange(CCellRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1));
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint, BOOL bSelectCells) {
  SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                   bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL, BOOL bSelectCells) {
  if (!m_bEnableSelection) return;
  if (nMinRow >= 0 && nMinRow < m_nFixedRows) nMinRow = m_nFixedRows;
  if (nMaxRow >= 0 && nMaxRow < m_nFixedRows) nMaxRow = m_nFixedRows;
  if (nMinCol >= 0 && nMinCol < m_nFixedCols) nMinCol = m_nFixedCols;
  if (nMaxCol >= 0 && nMaxCol < m_nFixedCols) nMaxCol = m_nFixedCols;
  const CCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);
  // The selection is rectangles, so the new one costs what its rectangles cost, not its
  // cells; only the visible cells are compared, to repaint those that changed.
  const CCellRange visible = GetSafeHwnd() != NULL ? GetVisibleNonFixedCellRange() : CCellRange();
  const std::vector<bool> before = SelectedIn(visible);
  if (bSelectCells) {
    if (nMinRow < 0) {
      m_selection.Clear();
    } else {
      if (GetSingleRowSelection())
        m_selection.Clear();
      else
        m_selection = m_prevSelection;
      if (IsValid(range)) m_selection.AddRange(range);
    }
  } else if (IsValid(range)) {
    m_selection.RemoveRange(range);
  }
  RepaintChanged(before, visible);
}

std::vector<bool> CGridCtrl::SelectedIn(const CCellRange& visible) const {
  std::vector<bool> selected;
  if (!visible.IsValid()) return selected;
  for (int r = visible.GetMinRow(); r <= visible.GetMaxRow(); ++r)
    for (int c = visible.GetMinCol(); c <= visible.GetMaxCol(); ++c)
      selected.push_back(r < m_nRows && c < m_nCols && m_selection.IsSelected(r, c));
  return selected;
}

void CGridCtrl::RepaintChanged(const std::vector<bool>& before, const CCellRange& visible) {
  if (!visible.IsValid()) return;
  size_t i = 0;
  for (int r = visible.GetMinRow(); r <= visible.GetMaxRow(); ++r)
    for (int c = visible.GetMinCol(); c <= visible.GetMaxCol(); ++c, ++i)
      if (r < m_nRows && c < m_nCols && before[i] != m_selection.IsSelected(r, c)) InvalidateCellRect(r, c);
}

void CGridCtrl::ResetSelectedRange() {
  m_prevSelection.Clear();
  if (!m_selection.IsEmpty()) SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  m_selection.Clear();
}

void CGridCtrl::SelectColumns(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
  if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell)) return;
  if (m_bSingleColSelection)
    SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw, bSelectCells);
  else
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                     std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRows(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
  if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell)) return;
  if (GetSingleRowSelection())
    SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw, bSelectCells);
  else
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                     std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectCells(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells) {
  if (!m_bEnableSelection || currentCell.row < m_nFixedRows || currentCell.col < m_nFixedCols ||
      !IsValid(currentCell))
    return;
  CCellID start = m_SelectionStartCell;
  if (!IsValid(start)) start = currentCell;
  SetSelectedRange(std::min(start.row, currentCell.row), std::min(start.col, currentCell.col),
                   std::max(start.row, currentCell.row), std::max(start.col, currentCell.col), bForceRedraw,
                   bSelectCells);
}

void CGridCtrl::OnSelecting(const CCellID& cell) {
  if (!m_bEnableSelection) return;
  switch (m_MouseMode) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell, FALSE, TRUE); break;
    case MOUSE_SELECT_ROW: SelectRows(cell, FALSE, TRUE); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell, FALSE, TRUE); break;
    default: break;
  }
}

void CGridCtrl::OnEditSelectAll() {
  const HWND self = m_hWnd;
  SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GVN_SELCHANGING);
  if (self != NULL && !::IsWindow(self)) return;  // the owner destroyed the grid
  SelectAllCells();
  SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GVN_SELCHANGED);
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableSelection); }

CCellID CGridCtrl::GetNextItem(CCellID cell, int nFlags) const {
  static const struct { int flag; UINT state; } kMatch[] = {{GVNI_FOCUSED, GVIS_FOCUSED},   {GVNI_SELECTED, GVIS_SELECTED},
                                                           {GVNI_DROPHILITED, GVIS_DROPHILITED}, {GVNI_READONLY, GVIS_READONLY},
                                                           {GVNI_FIXED, GVIS_FIXED},       {GVNI_MODIFIED, GVIS_MODIFIED}};
  auto matches = [&](int r, int c) {
    const UINT state = GetItemState(r, c);
    for (const auto& m : kMatch)
      if ((nFlags & m.flag) != 0 && (state & m.state) != 0) return true;
    return false;
  };
  const int firstRow = cell.row <= 0 ? m_nFixedRows : cell.row;
  const int firstCol = cell.col <= 0 ? m_nFixedCols : cell.col + 1;
  if ((nFlags & (GVNI_BELOW | GVNI_TOLEFT | GVNI_TORIGHT)) == (GVNI_BELOW | GVNI_TOLEFT | GVNI_TORIGHT)) {
    for (int r = firstRow; r < m_nRows; ++r)
      for (int c = r == firstRow ? firstCol : m_nFixedCols; c < m_nCols; ++c)
        if (matches(r, c)) return CCellID(r, c);
  } else if ((nFlags & (GVNI_BELOW | GVNI_TORIGHT)) == (GVNI_BELOW | GVNI_TORIGHT)) {
    for (int r = firstRow; r < m_nRows; ++r)
      for (int c = firstCol; c < m_nCols; ++c)
        if (matches(r, c)) return CCellID(r, c);
  } else if (nFlags & GVNI_ABOVE) {
    for (int r = cell.row - 1; r >= m_nFixedRows; --r)
      if (matches(r, cell.col)) return CCellID(r, cell.col);
  } else if (nFlags & GVNI_BELOW) {
    for (int r = cell.row + 1; r < m_nRows; ++r)
      if (matches(r, cell.col)) return CCellID(r, cell.col);
  } else if (nFlags & GVNI_TOLEFT) {
    for (int c = cell.col - 1; c >= m_nFixedCols; --c)
      if (matches(cell.row, c)) return CCellID(cell.row, c);
  } else if (nFlags & GVNI_TORIGHT) {
    for (int c = cell.col + 1; c < m_nCols; ++c)
      if (matches(cell.row, c)) return CCellID(cell.row, c);
  }
  return CCellID();
}

void CGridCtrl::MarkFocus(BOOL bFocused) {
  if (m_bVirtualMode || !IsValid(m_idCurrentCell)) return;
  CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
  if (cell != NULL) cell->SetState(bFocused ? (cell->GetState() | GVIS_FOCUSED) : (cell->GetState() & ~GVIS_FOCUSED));
}

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol) {
  const CCellID old = m_idCurrentCell;
  if (nRow != -1 && nRow < m_nFixedRows) nRow = m_nFixedRows;
  if (nCol != -1 && nCol < m_nFixedCols) nCol = m_nFixedCols;
  const CCellID cell(nRow, nCol);
  if (cell == old) return old;
  MarkFocus(FALSE);
  m_idCurrentCell = IsValid(cell) ? cell : CCellID();
  MarkFocus(TRUE);
  if (GetSafeHwnd() != NULL) {
    // The old and the new focus cell, and with focus tracking the fixed cells that mark them.
    const CCellID ends[] = {old, m_idCurrentCell};
    for (const CCellID& c : ends) {
      if (!IsValid(c)) continue;
      InvalidateCellRect(c.row, c.col);
      if (!m_bTrackFocusCell) continue;
      const CCellID& other = c == old ? m_idCurrentCell : old;
      if (other.col != c.col)
        for (int r = 0; r < m_nFixedRows; ++r) InvalidateCellRect(r, c.col);
      if (other.row != c.row)
        for (int k = 0; k < m_nFixedCols; ++k) InvalidateCellRect(c.row, k);
    }
  }
  return old;
}

// ---- Modes and settings ----

void CGridCtrl::SetVirtualMode(BOOL bVirtual) {
  DeleteAllItems();
  m_bVirtualMode = bVirtual;
  if (bVirtual) {
    m_bEditable = FALSE;
    m_bSortOnClick = FALSE;
    m_bFixedRowSelection = FALSE;
    m_bFixedColumnSelection = FALSE;
    m_nAutoSizeColumnStyle = GVS_HEADER;
  }
}

void CGridCtrl::SetListMode(BOOL bEnableListMode) {
  ResetSelectedRange();
  SetSortColumn(-1);
  m_bFixedRowSelection = FALSE;
  m_bListMode = bEnableListMode;
  Refresh();
}

void CGridCtrl::EnableSelection(BOOL bEnable) {
  ResetSelectedRange();
  m_bEnableSelection = bEnable;
  ResetSelectedRange();
}

void CGridCtrl::SetGridLines(int nWhichLines) {
  m_nGridLines = nWhichLines;
  Refresh();
}

void CGridCtrl::SetSortColumn(int nCol) {
  if (m_nSortColumn >= 0) InvalidateCellRect(0, m_nSortColumn);
  m_nSortColumn = nCol;
  if (nCol >= 0) InvalidateCellRect(0, nCol);
}

void CGridCtrl::SetFixedTextColor(COLORREF clr) {
  m_cellFixedRowDef.SetTextClr(clr);
  m_cellFixedColDef.SetTextClr(clr);
  m_cellFixedRowColDef.SetTextClr(clr);
}

void CGridCtrl::SetFixedBkColor(COLORREF clr) {
  m_cellFixedRowDef.SetBackClr(clr);
  m_cellFixedColDef.SetBackClr(clr);
  m_cellFixedRowColDef.SetBackClr(clr);
}

void CGridCtrl::SetDefCellMargin(int nMargin) {
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) c->SetMargin(static_cast<UINT>(nMargin));
}

void CGridCtrl::SetDefCellWidth(int nWidth) {
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) c->SetWidth(nWidth);
}

void CGridCtrl::SetDefCellHeight(int nHeight) {
  CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
  for (CGridDefaultCell* c : cells) c->SetHeight(nHeight);
}

// ---- Owner notifications ----

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const {
  if (GetSafeHwnd() == NULL) return 0;
  CWnd* owner = GetOwner();
  if (owner == NULL || owner->GetSafeHwnd() == NULL) return 0;
  NM_GRIDVIEW nm;
  nm.iRow = nRow;
  nm.iColumn = nCol;
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  nm.hdr.code = static_cast<UINT>(nMessage);
  return owner->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GV_DISPINFO* pDisplayInfo) const {
  if (GetSafeHwnd() == NULL) return 0;
  CWnd* owner = GetOwner();
  if (owner == NULL || owner->GetSafeHwnd() == NULL) return 0;
  pDisplayInfo->hdr.hwndFrom = m_hWnd;
  pDisplayInfo->hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  pDisplayInfo->hdr.code = static_cast<UINT>(GVN_GETDISPINFO);
  return owner->SendMessage(WM_NOTIFY, pDisplayInfo->hdr.idFrom, reinterpret_cast<LPARAM>(pDisplayInfo));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CCellRange& range) const {
  if (GetSafeHwnd() == NULL) return 0;
  CWnd* owner = GetOwner();
  if (owner == NULL || owner->GetSafeHwnd() == NULL) return 0;
  GV_CACHEHINT hint;
  hint.hdr.hwndFrom = m_hWnd;
  hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  hint.hdr.code = static_cast<UINT>(GVN_ODCACHEHINT);
  hint.range = range;
  return owner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}

// ---- Editing entry points ----

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar) {
  m_TitleTip.Hide();
  if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol)) return;
  EnsureVisible(nRow, nCol);
  if (!IsCellVisible(nRow, nCol)) return;
  CRect rect;
  if (!GetCellRect(nRow, nCol, rect)) return;
  const HWND self = m_hWnd;
  if (SendMessageToParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0 || !::IsWindow(self)) return;
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell != NULL) cell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str) {
  if (!IsValid(nRow, nCol)) return;
  ValidateAndModifyCellContents(nRow, nCol, str, FALSE);
  CGridCellBase* cell = GetCell(nRow, nCol);
  if (cell != NULL) cell->OnEndEdit();
}

BOOL CGridCtrl::ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText) {
  if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol)) return FALSE;
  const HWND self = m_hWnd;
  if (SendMessageToParent(nRow, nCol, GVN_BEGINLABELEDIT) < 0) return FALSE;
  if (self != NULL && !::IsWindow(self)) return FALSE;  // the owner destroyed the grid
  return ValidateAndModifyCellContents(nRow, nCol, strText, FALSE);
}

// Sets the new text, then asks the validation and the owner; a refusal puts the old text back.
// The owner's end-edit notice carries the text (a display record whose row and column sit
// where a plain notice has them), so a virtual grid's owner, which holds the data, gets it.
BOOL CGridCtrl::ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText, BOOL) {
  const CString old = GetItemText(nRow, nCol);
  if (old == strText) return TRUE;
  const BOOL wasModified = GetModified(nRow, nCol);
  if (!m_bVirtualMode) SetItemText(nRow, nCol, strText);
  const HWND self = m_hWnd;
  const BOOL accepted = ValidateEdit(nRow, nCol, strText) && SendEndEditToParent(nRow, nCol, strText) >= 0;
  if (self != NULL && !::IsWindow(self)) return accepted;  // the owner destroyed the grid
  if (accepted) {
    SetModified(TRUE, nRow, nCol);
    RedrawCell(nRow, nCol);
    return TRUE;
  }
  if (!m_bVirtualMode) {
    SetItemText(nRow, nCol, old);
    SetModified(wasModified, nRow, nCol);
  }
  RedrawCell(nRow, nCol);
  return FALSE;
}

LRESULT CGridCtrl::SendEndEditToParent(int nRow, int nCol, LPCTSTR strText) const {
  if (GetSafeHwnd() == NULL) return 0;
  CWnd* owner = GetOwner();
  if (owner == NULL || owner->GetSafeHwnd() == NULL) return 0;
  GV_DISPINFO info;
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = static_cast<UINT>(GVN_ENDLABELEDIT);
  info.item.row = nRow;
  info.item.col = nCol;
  info.item.mask = GVIF_TEXT;
  info.item.strText = strText;
  return owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str) {
  CGridCellBase* cell = GetCell(nRow, nCol);
  return cell == NULL || cell->ValidateEdit(str);
}

void CGridCtrl::EndEditing() {
  const CCellID cell = m_idCurrentCell;
  if (!IsValid(cell)) return;
  CGridCellBase* c = GetCell(cell.row, cell.col);
  if (c != NULL) c->EndEdit();
}
