// CGridCtrl: cell text to and from the clipboard and OLE drag and drop. The text is rows
// separated by line feeds and cells by tabs; it is offered as Unicode text and as ANSI text.
#include <framework.h>
#include <fw_oledata.h>

#include <UIHandles.h>

#include <algorithm>
#include <string.h>
#include <wchar.h>

#include "GridCtrl.h"
#include "GridText.h"

namespace {

DROPEFFECT ByKeys(DWORD dwKeyState) { return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }

bool OffersText(COleDataObject* data) {
  return data != NULL && (data->IsDataAvailable(CF_UNICODETEXT) || data->IsDataAvailable(CF_TEXT));
}

// A shareable block holding the bytes and a zero terminator of `unit` bytes; NULL on failure.
HGLOBAL TextBlock(const void* bytes, size_t size, size_t unit) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size + unit);
  if (block == NULL) return NULL;
  void* p = ::GlobalLock(block);
  if (p == NULL) {
    ::GlobalFree(block);
    return NULL;
  }
  if (size != 0) memcpy(p, bytes, size);
  ::GlobalUnlock(block);
  return block;
}

// The text of a global block of the format, read no further than the block's size (a block
// without a terminator ends where the block ends); false when the data has none.
bool ReadBlockText(COleDataObject* data, CLIPFORMAT format, std::wstring& text) {
  HGLOBAL block = data->GetGlobalData(format);
  if (block == NULL) return false;
  const SIZE_T size = ::GlobalSize(block);
  const void* p = ::GlobalLock(block);
  bool ok = p != NULL;
  if (ok) {
    if (format == CF_UNICODETEXT) {
      const wchar_t* w = static_cast<const wchar_t*>(p);
      text = grid_text::WideFrom(w, wcsnlen(w, size / sizeof(wchar_t)));
    } else {
      const char* a = static_cast<const char*>(p);
      text = grid_text::WideFrom(a, strnlen(a, size));
    }
    ::GlobalUnlock(block);
  }
  ::GlobalFree(block);
  return ok;
}

// The data's text: its Unicode text when it has it, else its ANSI text.
bool ReadDataText(COleDataObject* data, std::wstring& text) {
  if (data->IsDataAvailable(CF_UNICODETEXT) && ReadBlockText(data, CF_UNICODETEXT, text)) return true;
  return data->IsDataAvailable(CF_TEXT) && ReadBlockText(data, CF_TEXT, text);
}

// Whether a grid's window went away while its owner was told of a change (the owner may
// destroy the grid from a notification).
bool Gone(HWND self) { return self != NULL && !::IsWindow(self); }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

std::wstring Trimmed(const std::wstring& s, size_t from, size_t to) {
  while (from < to && IsBlank(s[from])) ++from;
  while (to > from && IsBlank(s[to - 1])) --to;
  return s.substr(from, to - from);
}

}  // namespace

// ---- Copy ----

CString CGridCtrl::SelectedRangeText() {
  const CCellRange range = GetSelectedCellRange();
  CString text;
  for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
    if (GetRowHeight(r) <= 0) continue;
    for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
      if (GetColumnWidth(c) <= 0) continue;
      if (m_selection.IsSelected(r, c)) {
        CGridCellBase* cell = GetCell(r, c);
        if (cell != NULL && cell->GetText() != NULL) text += cell->GetText();
      }
      if (c != range.GetMaxCol()) text += _T('\t');
    }
    if (r != range.GetMaxRow()) text += _T('\n');
  }
  return text;
}

COleDataSource* CGridCtrl::CopyTextFromGrid() {
  const CCellRange range = GetSelectedCellRange();
  if (!IsValid(range)) return NULL;
  if (m_bVirtualMode) SendCacheHintToParent(range);
  CString text;
  bool built = true;
  try {
    text = SelectedRangeText();
  } catch (CMemoryException* e) {
    e->Delete();
    built = false;
  } catch (std::bad_alloc&) {
    built = false;
  }
  if (m_bVirtualMode) SendCacheHintToParent(CCellRange(-1, -1, -1, -1));
  if (!built) return NULL;
  const std::wstring wide = grid_text::WideOf(text);
  const std::string ansi = grid_text::BytesFrom(wide, CP_ACP);
  HGLOBAL unicodeBlock = TextBlock(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t));
  HGLOBAL ansiBlock = TextBlock(ansi.data(), ansi.size(), 1);
  if (unicodeBlock == NULL || ansiBlock == NULL) {
    if (unicodeBlock != NULL) ::GlobalFree(unicodeBlock);
    if (ansiBlock != NULL) ::GlobalFree(ansiBlock);
    return NULL;
  }
  COleDataSource* source = new COleDataSource;
  source->CacheGlobalData(CF_UNICODETEXT, unicodeBlock);
  source->CacheGlobalData(CF_TEXT, ansiBlock);
  return source;
}

// ---- Cut ----

void CGridCtrl::CutSelectedText() {
  if (!IsEditable()) return;
  const CCellRange range = GetSelectedCellRange();
  if (!IsValid(range)) return;
  // Only the selected cells: the unselected cells between Ctrl-clicked ones keep their text.
  const std::vector<CCellID> cells = m_selection.CellsIn(range);
  const HWND self = m_hWnd;
  for (const CCellID& cell : cells) {
    if (GetRowHeight(cell.row) > 0 && GetColumnWidth(cell.col) > 0 && IsCellEditable(cell.row, cell.col))
      ValidateAndModifyCellContents(cell.row, cell.col, _T(""));
    if (Gone(self)) return;
  }
  Refresh();
}

void CGridCtrl::ClearCells(CCellRange Selection) {
  if (!IsValid(Selection)) return;
  const HWND self = m_hWnd;
  for (int r = Selection.GetMinRow(); r <= Selection.GetMaxRow(); ++r) {
    if (GetRowHeight(r) <= 0) continue;
    for (int c = Selection.GetMinCol(); c <= Selection.GetMaxCol(); ++c) {
      if (GetColumnWidth(c) > 0 && IsCellEditable(r, c)) ValidateAndModifyCellContents(r, c, _T(""));
      if (Gone(self)) return;
    }
  }
  Refresh();
}

// ---- Paste ----

void CGridCtrl::PasteText(CCellID topLeft, const CString& text) {
  const std::wstring all = grid_text::WideOf(text);
  // Cells are split at tabs; at commas only in text without a tab, so that "1,234" in a
  // tab-separated row stays one cell.
  const wchar_t separator = all.find(L'\t') != std::wstring::npos ? L'\t' : L',';
  const HWND self = m_hWnd;
  int rowOffset = 0;
  size_t at = 0;
  while (at <= all.size()) {
    size_t end = all.find(L'\n', at);
    const bool last = end == std::wstring::npos;
    if (last) end = all.size();
    int row = topLeft.row + rowOffset;
    while (row < m_nRows && GetRowHeight(row) == 0) ++row, ++rowOffset;
    if (row >= m_nRows) break;
    size_t lineEnd = end;
    if (lineEnd > at && all[lineEnd - 1] == L'\r') --lineEnd;
    if (lineEnd > at) {
      int colOffset = 0;
      size_t field = at;
      while (field <= lineEnd) {
        size_t fieldEnd = all.find(separator, field);
        if (fieldEnd == std::wstring::npos || fieldEnd > lineEnd) fieldEnd = lineEnd;
        int col = topLeft.col + colOffset;
        while (col < m_nCols && GetColumnWidth(col) == 0) ++col, ++colOffset;
        if (col >= m_nCols) break;
        const CString cellText = grid_text::FromWide(Trimmed(all, field, fieldEnd));
        ValidateAndModifyCellContents(row, col, cellText);
        if (Gone(self)) return;
        if (m_selection.IsSelected(row, col)) {
          m_selection.Select(row, col, false);
          InvalidateCellRect(row, col);
        }
        ++colOffset;
        field = fieldEnd + 1;
      }
    }
    ++rowOffset;
    if (last) break;
    at = end + 1;
  }
  Refresh();
}

BOOL CGridCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject) {
  if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col) || !OffersText(pDataObject)) return FALSE;
  std::wstring text;
  if (!ReadDataText(pDataObject, text)) return FALSE;
  PasteText(cell, grid_text::FromWide(text));
  return TRUE;
}

// ---- Commands and keys ----

void CGridCtrl::OnEditCopy() {
  COleDataSource* source = CopyTextFromGrid();
  if (source == NULL) return;
  try {
    source->SetClipboard();
  } catch (CException* e) {
    e->Delete();
  }
  source->InternalRelease();
}

void CGridCtrl::OnEditCut() {
  if (!IsEditable()) return;
  COleDataSource* source = CopyTextFromGrid();
  if (source == NULL) return;
  bool copied = true;
  try {
    source->SetClipboard();
  } catch (CException* e) {
    e->Delete();
    copied = false;
  }
  source->InternalRelease();
  // Text that did not reach the clipboard is not cleared.
  if (copied) CutSelectedText();
}

void CGridCtrl::OnEditPaste() {
  if (!IsEditable()) return;
  CCellID cell = m_idCurrentCell;
  if (!IsValid(cell)) cell = GetTopleftNonFixedCell();
  if (!IsValid(cell)) return;
  CGridCellBase* target = GetCell(cell.row, cell.col);
  if (target != NULL && target->IsEditing()) {
    CWnd* editor = target->GetEditWnd();
    if (editor != NULL && editor->GetSafeHwnd() != NULL && editor->IsKindOf(RUNTIME_CLASS(CEdit))) {
      editor->SendMessage(WM_PASTE);
      return;
    }
  }
  COleDataObject data;
  if (!data.AttachClipboard()) return;
  PasteTextToGrid(cell, &data);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI) {
  const CCellRange range = GetSelectedCellRange();
  pCmdUI->Enable(IsValid(range) && range.Count() > 0);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI) {
  const CCellRange range = GetSelectedCellRange();
  pCmdUI->Enable(IsEditable() && IsValid(range) && range.Count() > 0);
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI) {
  const CCellID cell = m_idCurrentCell;
  pCmdUI->Enable(IsValid(cell) && IsCellEditable(cell.row, cell.col) &&
                 (::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_UNICODETEXT)));
}

BOOL CGridCtrl::OnClipboardKey(UINT nChar, BOOL ctrl, BOOL shift) {
  if (ctrl && (nChar == 'C' || nChar == VK_INSERT)) {
    OnEditCopy();
  } else if (ctrl && nChar == 'X') {
    OnEditCut();
  } else if ((ctrl && nChar == 'V') || (shift && !ctrl && nChar == VK_INSERT)) {
    OnEditPaste();
  } else {
    return FALSE;
  }
  return TRUE;
}

// ---- Drag source ----

void CGridCtrl::OnBeginDrag() {
  if (!m_bAllowDragAndDrop || GetSafeHwnd() == NULL) return;
  COleDataSource* source = CopyTextFromGrid();
  if (source == NULL) return;
  const HWND self = m_hWnd;
  const CCellRange range = GetSelectedCellRange();
  SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GVN_BEGINDRAG);
  if (Gone(self)) {  // the owner destroyed the grid
    source->InternalRelease();
    return;
  }
  m_bLMouseButtonDown = FALSE;
  m_MouseMode = MOUSE_DRAGGING;
  const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  source->InternalRelease();
  if (Gone(self)) return;
  // The button went up inside the drag loop: no button-up of the grid's own ends the mode.
  if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
  if (GetCapture() == this) ReleaseCapture();
  if ((effect & DROPEFFECT_MOVE) != 0) CutSelectedText();
}

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot) {
  CRect rect;
  if (GetSafeHwnd() == NULL || !GetCellRect(m_idCurrentCell, rect)) return NULL;
  rect.OffsetRect(-rect.left, -rect.top);
  CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
  if (cell == NULL || rect.Width() <= 0 || rect.Height() <= 0) return NULL;
  uih::WindowDC screen(m_hWnd);
  if (!screen) return NULL;
  CImageList* list = new CImageList;
  if (!list->Create(rect.Width(), rect.Height(), ILC_COLOR | ILC_MASK, 1, 1)) {
    delete list;
    return NULL;
  }
  CBitmap bitmap;
  {
    // The memory DC lets go of the bitmap when it goes, before the list takes the bitmap.
    uih::MemoryDC memory(screen.Get());
    if (!bitmap.Attach(::CreateCompatibleBitmap(screen.Get(), rect.Width(), rect.Height())) ||
        !memory.Select(static_cast<HBITMAP>(bitmap.GetSafeHandle()))) {
      delete list;
      return NULL;
    }
    CDC dc;
    dc.Attach(memory.Get());
    cell->Draw(&dc, m_idCurrentCell.row, m_idCurrentCell.col, rect, FALSE);
    dc.Detach();
  }
  list->Add(&bitmap, m_cellDefault.GetBackClr());
  if (pHotSpot != NULL) *pHotSpot = CPoint(rect.Width(), rect.Height());
  return list;
}

// ---- Drop target ----

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!m_bAllowDragAndDrop || !OffersText(pDataObject)) return DROPEFFECT_NONE;
  m_idDragOverCell = GetCellFromPt(point, FALSE);
  if (!IsValid(m_idDragOverCell) || !IsCellEditable(m_idDragOverCell.row, m_idDragOverCell.col))
    return DROPEFFECT_NONE;
  SetItemState(m_idDragOverCell.row, m_idDragOverCell.col,
               GetItemState(m_idDragOverCell.row, m_idDragOverCell.col) | GVIS_DROPHILITED);
  RedrawCell(m_idDragOverCell);
  return ByKeys(dwKeyState);
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!m_bAllowDragAndDrop || !IsEditable() || !OffersText(pDataObject)) return DROPEFFECT_NONE;
  const CCellID cell = GetCellFromPt(point, FALSE);
  if (!IsValid(cell)) {
    OnDragLeave();
    m_idDragOverCell = CCellID();
    return DROPEFFECT_NONE;
  }
  if (!IsCellEditable(cell.row, cell.col)) return DROPEFFECT_NONE;
  if (cell != m_idDragOverCell) {
    if (IsValid(m_idDragOverCell)) {
      SetItemState(m_idDragOverCell.row, m_idDragOverCell.col,
                   GetItemState(m_idDragOverCell.row, m_idDragOverCell.col) & ~GVIS_DROPHILITED);
      RedrawCell(m_idDragOverCell);
    }
    m_idDragOverCell = cell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell);
  }
  return ByKeys(dwKeyState);
}

void CGridCtrl::OnDragLeave() {
  if (!IsValid(m_idDragOverCell)) return;
  SetItemState(m_idDragOverCell.row, m_idDragOverCell.col,
               GetItemState(m_idDragOverCell.row, m_idDragOverCell.col) & ~GVIS_DROPHILITED);
  RedrawCell(m_idDragOverCell);
}

BOOL CGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT, CPoint) {
  m_MouseMode = MOUSE_NOTHING;
  if (!m_bAllowDragAndDrop || !IsValid(m_idDragOverCell) ||
      !IsCellEditable(m_idDragOverCell.row, m_idDragOverCell.col))
    return FALSE;
  OnDragLeave();
  return PasteTextToGrid(m_idDragOverCell, pDataObject);
}
