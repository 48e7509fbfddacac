#include "SGridCtrl.h"

#include <framework.h>

#include <new>

#include "EditListCtrl.h"
#include "InPlaceEdit.h"

BEGIN_MESSAGE_MAP(CSGridCtrl, CListCtrl)
  ON_WM_CREATE()
  ON_WM_MEASUREITEM_REFLECT()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_WM_LBUTTONDOWN()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CSGridCtrl::CSGridCtrl(int nColumns)
    : m_indentUnit(8),
      m_columns(nColumns < 0 ? 0 : nColumns),
      m_colours(static_cast<size_t>(m_columns), ::GetSysColor(COLOR_WINDOW)),
      m_enabled(static_cast<size_t>(m_columns), true),
      m_currentRow(0),
      m_currentColumn(0),
      m_lastWidth(-1),
      m_inPlaceHeight(0),
      m_inSize(false),
      m_allowTyping(true) {}

CSGridCtrl::~CSGridCtrl() {}

void CSGridCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  // Attached to a list that exists already; a list being created gets it in OnCreate.
  if (::IsWindowVisible(m_hWnd) || GetHeaderCtrl() != NULL)
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES);
}

int CSGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES);
  return 0;
}

// Rows.

CSGridCtrl::Row* CSGridCtrl::RowOf(int row) const {
  if (GetSafeHwnd() == NULL || row < 0 || row >= GetItemCount()) return NULL;
  return reinterpret_cast<Row*>(GetItemData(row));
}

DrawItemInfo** CSGridCtrl::Slot(int row, int column) {
  Row* r = RowOf(row);
  if (r == NULL || column < 0 || column >= m_columns) return NULL;
  if (column >= r->count) {
    DrawItemInfo** grown = new (std::nothrow) DrawItemInfo*[static_cast<size_t>(m_columns)]();
    if (grown == NULL) return NULL;
    for (int c = 0; c < r->count; ++c) grown[c] = r->cells[c];
    delete[] r->cells;
    r->cells = grown;
    r->count = m_columns;
  }
  return &r->cells[column];
}

void CSGridCtrl::FreeRow(Row* pRow) {
  if (pRow == NULL) return;
  for (int c = 0; c < pRow->count; ++c) delete pRow->cells[c];
  delete[] pRow->cells;
  delete pRow;
}

int CSGridCtrl::insertRow(int row) {
  Row* r = new (std::nothrow) Row{m_columns, NULL};
  if (r == NULL) return -1;
  r->cells = new (std::nothrow) DrawItemInfo*[static_cast<size_t>(m_columns > 0 ? m_columns : 1)]();
  if (r->cells == NULL) {
    delete r;
    return -1;
  }
  LVITEM item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = reinterpret_cast<LPARAM>(r);
  const int index = InsertItem(&item);
  if (index < 0) FreeRow(r);
  return index;
}

int CSGridCtrl::insertRowWTextItems(int row, const std::vector<CString>& texts) {
  if (m_columns <= 0 || static_cast<int>(texts.size()) < m_columns) return -1;
  const int index = insertRow(row);
  if (index < 0) return -1;
  for (int c = 0; c < m_columns; ++c)
    if (!setCellWText(index, c, texts[static_cast<size_t>(c)])) return -1;
  return index;
}

BOOL CSGridCtrl::setCellWText(int row, int column, const CString& text) {
  DrawItemInfo** slot = Slot(row, column);
  if (slot == NULL) return FALSE;
  DrawItemInfo* cell = new (std::nothrow) DrawItemInfo(text, -1, 0);
  if (cell == NULL) return FALSE;
  delete *slot;
  *slot = cell;
  return TRUE;
}

DrawItemInfo* CSGridCtrl::getDrawItem(int row, int column) const {
  const Row* r = RowOf(row);
  if (r == NULL || column < 0 || column >= r->count || column >= m_columns) return NULL;
  return r->cells[column];
}

CString CSGridCtrl::getCellText(int row, int column) const {
  const DrawItemInfo* cell = getDrawItem(row, column);
  return cell != NULL ? cell->GetText() : CString();
}

BOOL CSGridCtrl::setCellIcon(int row, int column, int icon) {
  DrawItemInfo* cell = getDrawItem(row, column);
  if (cell == NULL) return FALSE;
  cell->SetIcon(icon);
  return TRUE;
}

BOOL CSGridCtrl::setCellIndent(int row, int column, int indent) {
  DrawItemInfo* cell = getDrawItem(row, column);
  if (cell == NULL) return FALSE;
  cell->SetIndent(indent);
  return TRUE;
}

int CSGridCtrl::getCellIndent(int row, int column) const {
  const DrawItemInfo* cell = getDrawItem(row, column);
  return cell != NULL ? cell->GetIndent() : 0;
}

BOOL CSGridCtrl::setDrawItem(int row, int column, DrawItemInfo* pInfo) {
  DrawItemInfo** slot = Slot(row, column);
  if (slot == NULL) return FALSE;
  if (*slot != pInfo) delete *slot;
  *slot = pInfo;
  return TRUE;
}

DrawItemInfo** CSGridCtrl::getDrawRowInfo(int row) {
  Row* r = RowOf(row);
  if (r == NULL) return NULL;
  if (m_columns > 0 && Slot(row, m_columns - 1) == NULL) return NULL;
  return r->cells;
}

BOOL CSGridCtrl::setDrawRowInfo(int row, DrawItemInfo** cells) {
  if (GetSafeHwnd() == NULL || row < 0 || row >= GetItemCount()) return FALSE;
  Row* r = RowOf(row);
  if (r != NULL && r->cells == cells) return TRUE;
  if (r == NULL) {
    r = new (std::nothrow) Row{0, NULL};
    if (r == NULL) return FALSE;
    if (!SetItemData(row, reinterpret_cast<DWORD_PTR>(r))) {
      delete r;
      return FALSE;
    }
  }
  for (int c = 0; c < r->count; ++c) delete r->cells[c];
  delete[] r->cells;
  r->cells = cells;
  r->count = cells != NULL ? m_columns : 0;
  return TRUE;
}

BOOL CSGridCtrl::deleteRow(int row) {
  Row* r = RowOf(row);
  if (GetSafeHwnd() == NULL || row < 0 || row >= GetItemCount()) return FALSE;
  SetItemData(row, 0);
  FreeRow(r);
  const BOOL done = DeleteItem(row);
  Invalidate();
  return done;
}

void CSGridCtrl::deleteAllRows() {
  if (GetSafeHwnd() == NULL) return;
  const int count = GetItemCount();
  for (int row = 0; row < count; ++row) {
    FreeRow(RowOf(row));
    SetItemData(row, 0);
  }
  DeleteAllItems();
}

void CSGridCtrl::OnDestroy() {
  deleteAllRows();
  CListCtrl::OnDestroy();
}

// Columns.

void CSGridCtrl::InsertListColumn(int index, const CString& title) {
  CRect rect;
  GetWindowRect(rect);
  ScreenToClient(rect);
  const int count = m_columns > 0 ? m_columns : 1;
  const int each = rect.Width() / count - 1;
  int width = each;
  if (index == count - 1) width = rect.right - each * (count - 1) - rect.left - 4;
  LVCOLUMN column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_ORDER;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(title));
  column.iSubItem = index;
  column.iOrder = index;
  InsertColumn(index, &column);
}

void CSGridCtrl::addColumn(const CString& title) {
  ++m_columns;
  m_colours.push_back(::GetSysColor(COLOR_WINDOW));
  m_enabled.push_back(true);
  InsertListColumn(m_columns - 1, title);
}

void CSGridCtrl::setColumnHeaders(const std::vector<CString>& titles) {
  for (int c = 0; c < m_columns; ++c)
    InsertListColumn(c, static_cast<size_t>(c) < titles.size() ? titles[static_cast<size_t>(c)] : CString());
}

void CSGridCtrl::setColumnColours(const std::vector<COLORREF>& colours) {
  for (int c = 0; c < m_columns; ++c)
    m_colours[static_cast<size_t>(c)] =
        static_cast<size_t>(c) < colours.size() ? colours[static_cast<size_t>(c)] : ::GetSysColor(COLOR_WINDOW);
  if (GetSafeHwnd() != NULL) Invalidate();
}

BOOL CSGridCtrl::ColumnEnabled(int column) const {
  return column >= 0 && column < m_columns && m_enabled[static_cast<size_t>(column)];
}

void CSGridCtrl::FirstEnabledIfDisabled() {
  if (ColumnEnabled(m_currentColumn)) return;
  for (int c = 0; c < m_columns; ++c)
    if (ColumnEnabled(c)) {
      m_currentColumn = c;
      return;
    }
}

void CSGridCtrl::enableColumn(int column, bool enable) {
  if (column < 0 || column >= m_columns) return;
  m_enabled[static_cast<size_t>(column)] = enable;
  FirstEnabledIfDisabled();
}

void CSGridCtrl::setColumnEnabled(const std::vector<bool>& enabled) {
  for (int c = 0; c < m_columns; ++c)
    m_enabled[static_cast<size_t>(c)] = static_cast<size_t>(c) < enabled.size() ? enabled[static_cast<size_t>(c)] : true;
  FirstEnabledIfDisabled();
}

void CSGridCtrl::setImageList(CImageList* pImageList) {
  m_images.DeleteImageList();
  if (pImageList != NULL && pImageList->GetSafeHandle() != NULL) m_images.Create(pImageList);
}

void CSGridCtrl::setHeightOfInPlaceControl(int height) {
  m_inPlaceHeight = height;
  if (GetSafeHwnd() == NULL) return;
  // The list asks for its item height again when its size changes.
  CRect rect;
  GetWindowRect(rect);
  GetParent()->ScreenToClient(rect);
  const BOOL visible = IsWindowVisible();
  ShowWindow(SW_HIDE);
  SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (visible) ShowWindow(SW_SHOW);
}

void CSGridCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (m_inPlaceHeight != 0) lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_inPlaceHeight);
}

// Current cell.

void CSGridCtrl::setCurrentItem(int row, int column) {
  if (GetSafeHwnd() == NULL || row < 0 || row >= GetItemCount()) return;
  m_currentRow = row;
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (ColumnEnabled(column)) m_currentColumn = column;
  Invalidate();
}

BOOL CSGridCtrl::getEditPosition(int row, int column, CRect& rect) {
  if (column < 0 || column >= m_columns || row < 0 || row >= GetItemCount()) return FALSE;
  EnsureVisible(row, FALSE);
  CRect cell;
  if (!GetSubItemRect(row, column, LVIR_BOUNDS, cell)) return FALSE;
  // Sub-item 0's bounds are the whole row: narrow them to the first column.
  if (column == 0) cell.right = cell.left + GetColumnWidth(0);
  CRect client;
  GetClientRect(client);
  if (cell.left < client.left || cell.right > client.right) {
    const int by = cell.left < client.left ? cell.left - client.left : cell.right - client.right;
    Scroll(CSize(by, 0));
    GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + GetColumnWidth(0);
  }
  rect.IntersectRect(cell, client);
  return TRUE;
}

// Keys.

BOOL CSGridCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
    switch (pMsg->wParam) {
      case VK_RETURN:
      case VK_SPACE:
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN:
      case VK_DELETE:
      case VK_F2:
        HandleKey(static_cast<UINT>(pMsg->wParam));
        return TRUE;
      default:
        break;
    }
  }
  return CListCtrl::PreTranslateMessage(pMsg);
}

void CSGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!HandleKey(nChar)) CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // Keys act on WM_KEYDOWN only: a character is text, whatever its code. Control characters
  // and the blank (Space begins an edit of the cell's text as a key) start nothing.
  if (nChar > VK_SPACE && m_allowTyping) {
    const TCHAR typed[2] = {static_cast<TCHAR>(nChar), 0};
    BeginEdit(typed);
    return;
  }
  if (nChar <= VK_SPACE) return;
  CListCtrl::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CSGridCtrl::HandleKey(UINT nChar) {
  switch (nChar) {
    case VK_RIGHT:
      MoveColumn(1);
      return TRUE;
    case VK_LEFT:
      MoveColumn(-1);
      return TRUE;
    case VK_UP:
      MoveRow(-1);
      return TRUE;
    case VK_DOWN:
      MoveRow(1);
      return TRUE;
    case VK_RETURN:
    case VK_SPACE:
    case VK_F2:
      BeginEdit(getCellText(m_currentRow, m_currentColumn));
      return TRUE;
    case VK_DELETE:
      SendDeleteRow();
      return TRUE;
    default:
      return FALSE;
  }
}

void CSGridCtrl::MoveColumn(int step) {
  for (int c = m_currentColumn + step; c >= 0 && c < m_columns; c += step)
    if (ColumnEnabled(c)) {
      m_currentColumn = c;
      Invalidate();
      return;
    }
}

void CSGridCtrl::MoveRow(int step) {
  const int count = GetItemCount();
  if (count == 0) return;
  int row = m_currentRow + step;
  if (row < 0) row = 0;
  if (row >= count) row = count - 1;
  m_currentRow = row;
  SetFocus();
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EnsureVisible(row, FALSE);
  Invalidate();
  Activate();
}

void CSGridCtrl::BeginEdit(const CString& text) {
  CWnd* parent = GetParent();
  if (parent == NULL) return;
  CString copy = text;
  NMLVDISPINFO info = {};
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = static_cast<UINT>(LVN_BEGINLABELEDIT);
  info.item.mask = LVIF_TEXT | LVIF_PARAM;
  info.item.iItem = m_currentRow;
  info.item.iSubItem = m_currentColumn;
  info.item.pszText = copy.GetBuffer();
  info.item.cchTextMax = copy.GetLength();
  info.item.lParam = 0;
  parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

void CSGridCtrl::Activate() {
  CWnd* parent = GetParent();
  if (parent == NULL) return;
  NMITEMACTIVATE info = {};
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = static_cast<UINT>(LVN_ITEMACTIVATE);
  info.iItem = m_currentRow;
  info.iSubItem = 0;
  info.uNewState = LVIS_SELECTED | LVIS_FOCUSED;
  info.uOldState = 0;
  info.uChanged = LVIF_STATE;
  parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

void CSGridCtrl::SendDeleteRow() {
  CWnd* parent = GetParent();
  if (parent == NULL || m_currentRow < 0 || m_currentRow >= GetItemCount()) return;
  const bool fits = m_currentRow < SGN_ROW_NOT_PACKED && m_currentColumn >= 0 && m_currentColumn <= 0xFFFF;
  const WORD row = fits ? static_cast<WORD>(m_currentRow) : static_cast<WORD>(SGN_ROW_NOT_PACKED);
  const WORD column = static_cast<WORD>(m_currentColumn <= 0xFFFF ? m_currentColumn : 0xFFFF);
  parent->SendMessage(SGN_DELETEROW, static_cast<WPARAM>(GetDlgCtrlID()), MAKELPARAM(row, column));
}

// Mouse, scrolling, size.

void CSGridCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  int column = 0;
  const int row = CEditListCtrl::HitTestList(this, point, &column);
  if (row < 0) return;
  m_currentRow = row;
  const BOOL hadFocus = (GetItemState(row, LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
  HWND self = m_hWnd;
  CListCtrl::OnLButtonDown(nFlags, point);
  if (!::IsWindow(self)) return;
  if (hadFocus && column > 0) {
    if ((GetStyle() & LVS_EDITLABELS) != 0 && ColumnEnabled(column)) EditCell(row, column);
    return;
  }
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Invalidate();
}

void CSGridCtrl::EditCell(int row, int column) {
  CInPlaceEdit::OpenOverCell(this, row, column, getCellText(row, column), INPLACE_EDIT_ID);
}

void CSGridCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (::GetDlgItem(m_hWnd, INPLACE_EDIT_ID) != NULL) SetFocus();
  CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CSGridCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (::GetDlgItem(m_hWnd, INPLACE_EDIT_ID) != NULL) SetFocus();
  CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CSGridCtrl::OnSize(UINT nType, int cx, int cy) {
  CListCtrl::OnSize(nType, cx, cy);
  if (m_inSize) return;
  m_inSize = true;
  m_lastWidth = cx;
  // An open editor follows its cell.
  if (CWnd* edit = GetDlgItem(INPLACE_EDIT_ID)) {
    CInPlaceEdit* editor = dynamic_cast<CInPlaceEdit*>(CWnd::FromHandlePermanent(edit->m_hWnd));
    CRect rect;
    DWORD align = ES_LEFT;
    if (editor != NULL && CInPlaceEdit::PlaceOverCell(this, editor->GetRow(), editor->GetColumn(), rect, align))
      editor->MoveWindow(rect);
  }
  if (m_currentRow >= 0 && m_currentRow < GetItemCount()) {
    SetItemState(m_currentRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    HWND self = m_hWnd;
    Activate();
    if (!::IsWindow(self)) return;
  }
  m_inSize = false;
}

// Notifications from the header and the editor.

BOOL CSGridCtrl::OnHeaderDividerDblClick(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMHEADER* header = reinterpret_cast<const NMHEADER*>(pNMHDR);
  setColumnWidthToFitContents(header->iItem);
  *pResult = 0;
  return TRUE;
}

BOOL CSGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header != NULL && hdr->hwndFrom == header->GetSafeHwnd() &&
      (hdr->code == HDN_DIVIDERDBLCLICKW || hdr->code == HDN_DIVIDERDBLCLICKA))
    return OnHeaderDividerDblClick(hdr, pResult);
  if (hdr->idFrom == INPLACE_EDIT_ID && hdr->code == static_cast<UINT>(LVN_ENDLABELEDIT)) {
    const NMLVDISPINFO* info = reinterpret_cast<const NMLVDISPINFO*>(lParam);
    if (info->item.pszText != NULL) {
      setCellWText(info->item.iItem, info->item.iSubItem, info->item.pszText);
      Invalidate();
    }
    *pResult = 0;
    return TRUE;
  }
  return CListCtrl::OnNotify(wParam, lParam, pResult);
}

// Widths.

void CSGridCtrl::setColumnWidthToFitContents(int column) {
  if (column >= 0 && column < m_columns) FitColumns(column, column);
}

void CSGridCtrl::setColumnWidthsToFitContents() {
  if (m_columns > 0) FitColumns(0, m_columns - 1);
}

void CSGridCtrl::FitColumns(int first, int last) {
  if (GetSafeHwnd() == NULL) return;
  const int spacing = GetStringWidth(_T("-----"));
  int imageWidth = 0, imageHeight = 0;
  if (m_images.GetSafeHandle() != NULL) m_images.GetIconSize(&imageWidth, &imageHeight);
  std::vector<int> widths;
  const int rows = GetItemCount();
  for (int c = first; c <= last; ++c) {
    TCHAR title[256] = {};
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 255;
    GetColumn(c, &column);
    int width = GetStringWidth(title) + spacing;
    for (int r = 0; r < rows; ++r) {
      const DrawItemInfo* cell = getDrawItem(r, c);
      if (cell == NULL) continue;
      int w = GetStringWidth(cell->GetText()) + spacing;
      if (m_images.GetSafeHandle() != NULL && cell->GetIcon() != -1) w += imageWidth + spacing;
      if (w > width) width = w;
    }
    widths.push_back(width);
  }
  if (first == 0 && last == m_columns - 1) {
    CRect client;
    GetClientRect(client);
    int total = 0;
    for (int w : widths) total += w;
    int excess = total - client.Width();
    const int least = client.Width() / m_columns;
    for (size_t i = 0; i < widths.size() && excess > 0; ++i) {
      int give = widths[i] - least;
      if (give > excess) give = excess;
      if (give > 0) {
        widths[i] -= give;
        excess -= give;
      }
    }
  }
  for (int c = first; c <= last; ++c) SetColumnWidth(c, widths[static_cast<size_t>(c - first)]);
}

// Drawing.

void CSGridCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const int saved = dc->SaveDC();
  const int row = static_cast<int>(lpDrawItemStruct->itemID);
  const bool focus = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0 && ::GetFocus() == m_hWnd;
  const bool current = row == m_currentRow;
  const CRect bounds = lpDrawItemStruct->rcItem;
  const int margin = 2 * dc->GetTextExtent(_T(" ")).cx;
  int imageWidth = 0, imageHeight = 0;
  const bool images = m_images.GetSafeHandle() != NULL;
  if (images) m_images.GetIconSize(&imageWidth, &imageHeight);
  dc->SetBkMode(TRANSPARENT);
  int left = bounds.left;
  for (int c = 0;; ++c) {
    LVCOLUMN column = {};
    column.mask = LVCF_WIDTH;
    if (!GetColumn(c, &column)) break;
    CRect cell(left, bounds.top, left + column.cx, bounds.bottom);
    left = cell.right;
    const bool focusCell = current && focus && c == m_currentColumn;
    COLORREF back;
    if (current)
      back = ::GetSysColor(focusCell ? COLOR_HIGHLIGHT : COLOR_INACTIVECAPTION);
    else
      back = c < m_columns ? m_colours[static_cast<size_t>(c)] : ::GetSysColor(COLOR_WINDOW);
    dc->FillSolidRect(cell, back);
    const DrawItemInfo* info = getDrawItem(row, c);
    CRect text = cell;
    if (info != NULL) {
      text.left += info->GetIndent() * m_indentUnit;
      if (text.left > text.right) text.left = text.right;
      if (info->HasIcon() && images) {
        const int icon = info->GetIcon();
        if (icon != -1)
          m_images.Draw(dc, icon, CPoint(text.left + margin, text.top + (text.Height() - imageHeight) / 2),
                        ILD_TRANSPARENT);
        text.left += imageWidth + margin;
      }
      const CString s = info->GetText();
      if (!s.IsEmpty()) {
        CRect inner = text;
        inner.DeflateRect(margin, 0);
        dc->SetTextColor(::GetSysColor(focusCell ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc->DrawText(s, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      }
    }
    CRect frame = cell;
    frame.left += 1;
    frame.bottom -= 1;
    if (focusCell) dc->DrawFocusRect(frame);
  }
  dc->RestoreDC(saved);
}
