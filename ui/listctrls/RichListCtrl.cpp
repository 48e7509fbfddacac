#include "RichListCtrl.h"

#include <framework.h>

#include <UIHandles.h>

#include <new>

#include "RichInPlaceEditors.h"
#include "UIBitmapUtilities.h"

namespace {
const int kArrowWidth = 16;
// The drop-down button's face colour in its bitmap.
const COLORREF kDropDownFace = RGB(0, 128, 128);
// The cached system colours, in order.
const int kColourIndexes[11] = {COLOR_BTNFACE, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW,   COLOR_BTNFACE,
                                COLOR_3DSHADOW, COLOR_BTNTEXT,     COLOR_GRAYTEXT,   COLOR_HIGHLIGHT,
                                COLOR_HIGHLIGHTTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
enum { kFace = 0, kHighlight = 7, kHighlightText = 8, kWindow = 9, kWindowText = 10 };
}  // namespace

// A row's cells, one per column; grown to the header's column count when a later column is
// reached.
struct CRichListCtrl::Row {
  std::vector<CTLRichItem> cells;
};

CTLRichItem::CTLRichItem()
    : m_value(0),
      m_bEditable(FALSE),
      m_bLaunch(FALSE),
      m_pfnLaunch(NULL),
      m_launchValue(0),
      m_bDropDown(FALSE),
      m_nDropStyle(0),
      m_nSelection(0),
      m_nCheck(-1),
      m_bBold(FALSE),
      m_textColour(::GetSysColor(COLOR_WINDOWTEXT)),
      m_pData(NULL) {}

BEGIN_MESSAGE_MAP(CRichListCtrl, CSortListCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_SIZE()
  ON_WM_SYSCOLORCHANGE()
  ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CRichListCtrl::CRichListCtrl() : m_nRows(0), m_boldFrom(NULL) { LoadLook(); }

CRichListCtrl::~CRichListCtrl() {}

void CRichListCtrl::LoadLook() {
  for (int i = 0; i < 11; ++i) m_colours[i] = ::GetSysColor(kColourIndexes[i]);
  m_dropDown.Reset(Utilities::RemapMaskedBitmapEx(L"IDB_DROPDOWN", 0, kArrowWidth, kDropDownFace, m_colours[kFace], 1));
}

void CRichListCtrl::OnSysColorChange() {
  CSortListCtrl::OnSysColorChange();
  LoadLook();
  Invalidate();
}

LRESULT CRichListCtrl::OnSetFont(WPARAM, LPARAM) {
  // The bold font is made again from the new one when next needed.
  m_boldFont.Reset();
  m_boldFrom = NULL;
  return Default();
}

HFONT CRichListCtrl::BoldFont(HFONT normal) {
  if (m_boldFont && m_boldFrom == normal) return m_boldFont.Get();
  LOGFONT lf = {};
  if (normal == NULL || ::GetObject(normal, sizeof lf, &lf) == 0) return NULL;
  lf.lfWeight = FW_BOLD;
  m_boldFont.Reset(::CreateFontIndirect(&lf));
  m_boldFrom = normal;
  return m_boldFont.Get();
}

// Rows and cells.

CRichListCtrl::Row* CRichListCtrl::RowOf(int nRow) const {
  if (GetSafeHwnd() == NULL || nRow < 0 || nRow >= CListCtrl::GetItemCount()) return NULL;
  return reinterpret_cast<Row*>(CListCtrl::GetItemData(nRow));
}

CTLRichItem* CRichListCtrl::GetCell(int nRow, int nColumn) const {
  Row* row = RowOf(nRow);
  if (row == NULL || nColumn < 0) return NULL;
  const int columns = GetColumns();
  if (nColumn >= columns && nColumn >= static_cast<int>(row->cells.size())) return NULL;
  if (nColumn >= static_cast<int>(row->cells.size())) {
    try {
      row->cells.resize(static_cast<size_t>(columns));
    } catch (const std::bad_alloc&) {
      return NULL;
    }
  }
  return &row->cells[static_cast<size_t>(nColumn)];
}

int CRichListCtrl::GetColumns() const {
  CHeaderCtrl* header = GetHeaderCtrl();
  return header != NULL ? header->GetItemCount() : 0;
}

int CRichListCtrl::InsertItem(LPCTSTR lpszText, int nIndex, int nImage, void* pData) {
  Row* row = new (std::nothrow) Row;
  if (row == NULL) return -1;
  try {
    row->cells.resize(static_cast<size_t>(GetColumns() > 0 ? GetColumns() : 1));
  } catch (const std::bad_alloc&) {
    delete row;
    return -1;
  }
  row->cells[0].m_pData = pData;
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = nIndex;
  item.pszText = const_cast<LPTSTR>(lpszText);
  item.iImage = nImage;
  item.lParam = reinterpret_cast<LPARAM>(row);
  const int index = CListCtrl::InsertItem(&item);
  if (index < 0) {
    delete row;
    return -1;
  }
  ++m_nRows;
  return index;
}

void CRichListCtrl::OnDeleteItem(DWORD_PTR data) {
  Row* row = reinterpret_cast<Row*>(data);
  if (row == NULL) return;
  delete row;
  if (m_nRows > 0) --m_nRows;
}

BOOL CRichListCtrl::DeleteItem(int nRow) {
  if (RowOf(nRow) == NULL && (nRow < 0 || nRow >= CListCtrl::GetItemCount())) return FALSE;
  // The sortable list hands the row's record to OnDeleteItem once the list let the row go.
  return CListCtrl::DeleteItem(nRow);
}

BOOL CRichListCtrl::DeleteAllItems() {
  BeginWaitCursor();
  SetRedraw(FALSE);
  for (int row = CListCtrl::GetItemCount() - 1; row >= 0; --row) CListCtrl::DeleteItem(row);
  m_nRows = 0;
  SetRedraw(TRUE);
  Invalidate();
  EndWaitCursor();
  return TRUE;
}

BOOL CRichListCtrl::SetItemData(int nRow, DWORD_PTR value) {
  CTLRichItem* cell = GetCell(nRow, 0);
  if (cell == NULL) return FALSE;
  cell->m_value = value;
  return TRUE;
}

DWORD_PTR CRichListCtrl::GetItemData(int nRow) const {
  const CTLRichItem* cell = GetCell(nRow, 0);
  return cell != NULL ? cell->m_value : 0;
}

BOOL CRichListCtrl::SetItemText(int nRow, int nColumn, LPCTSTR lpszText) {
  if (nRow < 0 || nRow >= CListCtrl::GetItemCount()) return FALSE;
  return CListCtrl::SetItemText(nRow, nColumn, lpszText);
}

CString CRichListCtrl::GetItemText(int nRow, int nColumn) const {
  if (nRow < 0 || nRow >= CListCtrl::GetItemCount()) return CString();
  return CListCtrl::GetItemText(nRow, nColumn);
}

BOOL CRichListCtrl::SetEditableText(int nRow, int nColumn, LPCTSTR lpszText) {
  CTLRichItem* cell = GetCell(nRow, nColumn);
  if (cell == NULL) return FALSE;
  cell->m_bEditable = TRUE;
  const BOOL done = SetItemText(nRow, nColumn, lpszText);
  UpdateSubItem(nRow, nColumn);
  return done;
}

BOOL CRichListCtrl::SetEditableTextWithLaunch(int nRow, int nColumn, LPCTSTR lpszText, PFNLAUNCHCALLBACK pfnLaunch,
                                              DWORD_PTR userValue) {
  CTLRichItem* cell = GetCell(nRow, nColumn);
  if (cell == NULL) return FALSE;
  cell->m_bLaunch = TRUE;
  cell->m_pfnLaunch = pfnLaunch;
  cell->m_launchValue = userValue;
  const BOOL done = SetItemText(nRow, nColumn, lpszText);
  UpdateSubItem(nRow, nColumn);
  return done;
}

BOOL CRichListCtrl::SetComboBox(int nRow, int nColumn, BOOL bEnable, const CStringArray* pChoices, int nStyle,
                                int nSelection) {
  CTLRichItem* cell = GetCell(nRow, nColumn);
  if (cell == NULL || pChoices == NULL || pChoices->GetSize() == 0) return FALSE;
  const int count = static_cast<int>(pChoices->GetSize());
  if (nSelection < 0 || nSelection >= count) nSelection = 0;
  cell->m_bDropDown = bEnable;
  if (bEnable) {
    std::vector<CString> choices;
    choices.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) choices.push_back(pChoices->GetAt(i));
    cell->m_choices.swap(choices);
    cell->m_nDropStyle = nStyle;
    cell->m_nSelection = nSelection;
    SetItemText(nRow, nColumn, cell->m_choices[static_cast<size_t>(nSelection)]);
  }
  UpdateSubItem(nRow, nColumn);
  return TRUE;
}

BOOL CRichListCtrl::SetCheckbox(int nRow, int nColumn, int nState) {
  CTLRichItem* cell = GetCell(nRow, nColumn);
  if (cell == NULL) return FALSE;
  cell->m_nCheck = nState;
  UpdateSubItem(nRow, nColumn);
  return TRUE;
}

int CRichListCtrl::GetCheckbox(int nRow, int nColumn) const {
  const CTLRichItem* cell = GetCell(nRow, nColumn);
  return cell != NULL ? cell->m_nCheck : -1;
}

BOOL CRichListCtrl::SetItemBold(int nRow, int nColumn, BOOL bBold) {
  CTLRichItem* cell = GetCell(nRow, nColumn);
  if (cell == NULL) return FALSE;
  cell->m_bBold = bBold;
  return TRUE;
}

void CRichListCtrl::UpdateSubItem(int nRow, int nColumn) {
  CRect rect;
  if (GetSafeHwnd() == NULL || !GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rect)) return;
  InvalidateRect(rect);
  UpdateWindow();
}

void CRichListCtrl::Autofit() {
  CHeaderCtrl* header = GetHeaderCtrl();
  const int columns = GetColumns();
  if (header == NULL || columns <= 0) return;
  header->SetRedraw(FALSE);
  int total = 0;
  for (int c = 0; c < columns; ++c) total += GetColumnWidth(c);
  CRect client;
  GetClientRect(client);
  const int width = client.Width();
  if (total > 0 && total != width) {
    int used = 0;
    for (int c = 0; c < columns - 1; ++c) {
      const int w = static_cast<int>(static_cast<double>(width) * GetColumnWidth(c) / total + 0.5);
      SetColumnWidth(c, w);
      used += w;
    }
    SetColumnWidth(columns - 1, width - used);
  }
  header->SetRedraw(TRUE);
  header->Invalidate();
}

void CRichListCtrl::OnSize(UINT nType, int cx, int cy) {
  CSortListCtrl::OnSize(nType, cx, cy);
  Autofit();
}

// Editing.

void CRichListCtrl::DestroyEditor() {
  if (CWnd* editor = GetDlgItem(IDC_RICH_EDITOR)) editor->DestroyWindow();
}

void CRichListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  DestroyEditor();
  CSortListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CRichListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  DestroyEditor();
  CSortListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CRichListCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const int row = HitTest(point, &flags);
  if (row >= 0 && (flags & LVHT_ONITEM) && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) {
    CRect bounds;
    GetItemRect(row, bounds, LVIR_BOUNDS);
    const int columns = GetColumns();
    int left = bounds.left, column = -1;
    for (int c = 0; c < columns; ++c) {
      const int w = GetColumnWidth(c);
      if (point.x >= left && point.x < left + w) {
        column = c;
        break;
      }
      left += w;
    }
    CTLRichItem* cell = column >= 0 ? GetCell(row, column) : NULL;
    if (cell != NULL && (cell->m_bEditable || cell->m_bLaunch || cell->m_bDropDown || cell->m_nCheck != -1)) {
      CRect rect(left, bounds.top, left + GetColumnWidth(column), bounds.bottom);
      DestroyEditor();
      const CString text = GetItemText(row, column);
      const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
      if (cell->m_bLaunch) {
        CInPlaceEditWithLaunch* edit =
            new CInPlaceEditWithLaunch(row, column, text, cell->m_pfnLaunch, cell->m_launchValue, TRUE);
        // Auto-deleting: the editor's object goes with its window.
        if (!edit->Create(0, 0, _T(""), style, rect, this, IDC_RICH_EDITOR)) delete edit;
      } else if (cell->m_bEditable) {
        CRichInPlaceEdit* edit = new CRichInPlaceEdit(row, column, text);
        if (!edit->Create(style, rect, this, IDC_RICH_EDITOR)) delete edit;
      } else if (cell->m_bDropDown) {
        CRect drop = rect;
        drop.OffsetRect(-1, 0);
        drop.bottom += static_cast<int>(cell->m_choices.size() + 1) * rect.Height();
        CRichInPlaceCombobox* box = new CRichInPlaceCombobox(row, column, cell->m_choices, cell->m_nSelection);
        if (!box->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | CBS_DROPDOWNLIST, drop, this, IDC_RICH_EDITOR)) {
          delete box;
        } else {
          box->SetDroppedWidth(static_cast<UINT>(rect.Width()));
          box->SetItemHeight(0, static_cast<UINT>(rect.Height()));
          box->ShowDropDown(TRUE);
        }
      } else {
        cell->m_nCheck = cell->m_nCheck == 1 ? 0 : 1;
        UpdateSubItem(row, column);
      }
      return;
    }
  }
  HWND self = m_hWnd;
  CSortListCtrl::OnLButtonDown(nFlags, point);
  if (!::IsWindow(self)) return;
  SetFocus();
  // The selection may have changed: a whole list-view record (a parent reads one for this
  // code), item -1 and nothing else.
  if (CWnd* parent = GetParent()) {
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(LVN_ITEMCHANGED);
    nm.iItem = -1;
    parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  }
}

void CRichListCtrl::EndEdit(const NMLVDISPINFO* pInfo) {
  if (pInfo->item.pszText == NULL) return;
  const int row = pInfo->item.iItem, column = pInfo->item.iSubItem;
  CTLRichItem* cell = GetCell(row, column);
  if (cell == NULL) return;
  const CString text = pInfo->item.pszText;
  if (cell->m_bDropDown) {
    int chosen = -1;
    for (size_t i = 0; i < cell->m_choices.size(); ++i)
      if (cell->m_choices[i] == text) chosen = static_cast<int>(i);
    if (GetSelectedCount() > 1) {
      // The choice goes to that column of every selected row.
      for (int r = GetNextItem(-1, LVNI_SELECTED); r >= 0; r = GetNextItem(r, LVNI_SELECTED)) {
        CTLRichItem* other = GetCell(r, column);
        if (other == NULL) continue;
        if (chosen >= 0 && other->m_bDropDown && other->m_choices == cell->m_choices) other->m_nSelection = chosen;
        SetItemText(r, column, text);
      }
      return;
    }
    if (chosen >= 0) cell->m_nSelection = chosen;
  }
  if (cell->m_bEditable || cell->m_bLaunch || cell->m_bDropDown) {
    if (GetItemText(row, column) != text) SetItemText(row, column, text);
  }
}

BOOL CRichListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY) {
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      const LRESULT result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      if (pResult != NULL) *pResult = result;
      return TRUE;
    }
    if (hdr->code == static_cast<UINT>(LVN_ENDLABELEDIT) && hdr->idFrom == IDC_RICH_EDITOR) {
      EndEdit(reinterpret_cast<const NMLVDISPINFO*>(lParam));
      if (pResult != NULL) *pResult = 0;
      return TRUE;
    }
  }
  return CSortListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

// Drawing.

LRESULT CRichListCtrl::CustomDraw(NMLVCUSTOMDRAW* pDraw) {
  switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM: {
      const int row = static_cast<int>(pDraw->nmcd.dwItemSpec), column = pDraw->iSubItem;
      CRect cell;
      if (!GetSubItemRect(row, column, LVIR_BOUNDS, cell)) return CDRF_SKIPDEFAULT;
      // Sub-item 0's bounds are the whole row.
      if (column == 0) cell.right = cell.left + GetColumnWidth(0);
      DrawCell(CDC::FromHandle(pDraw->nmcd.hdc), row, column, cell);
      return CDRF_SKIPDEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void CRichListCtrl::DrawCell(CDC* dc, int nRow, int nColumn, const CRect& cell) {
  const uih::SavedDC saved(dc->m_hDC);  // the DC goes back as it came, on every path
  COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT), back = ::GetSysColor(COLOR_WINDOW);
  const bool selected = (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  if (selected && ((GetExtendedStyle() & LVS_EX_FULLROWSELECT) || nColumn == 0)) {
    if (::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus())) {
      text = m_colours[kHighlightText];
      back = m_colours[kHighlight];
    } else if (GetStyle() & LVS_SHOWSELALWAYS) {
      text = m_colours[kWindowText];
      back = m_colours[kFace];
    }
  }
  const CTLRichItem* item = GetCell(nRow, nColumn);
  const CString s = GetItemText(nRow, nColumn);
  dc->FillSolidRect(cell, back);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(text);
  CFont* listFont = GetFont();
  HFONT normal = listFont != NULL ? static_cast<HFONT>(listFont->GetSafeHandle()) : NULL;
  HFONT font = item != NULL && item->m_bBold ? BoldFont(normal) : normal;
  const uih::Selection fontSel(dc->m_hDC, font);

  if (item != NULL && item->m_nCheck != -1) {
    const int side = cell.Height() - 1;
    CRect box;
    box.left = s.IsEmpty() ? cell.left + cell.Width() / 2 - side / 2 - 1 : cell.left + 9;
    box.top = cell.top;
    box.right = box.left + side;
    box.bottom = box.top + side;
    dc->FillSolidRect(box, m_colours[kWindow]);
    CRect edge = box;
    edge.left += 1;
    dc->DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
    if (item->m_nCheck == 1) {
      // A tick of 3-pixel strokes: four going left and down, three going left and up.
      const uih::Selection pen(dc->m_hDC, static_cast<HPEN>(::GetStockObject(BLACK_PEN)));
      int x = box.left + 9, y = box.top + 3;
      for (int i = 0; i < 7; ++i) {
        dc->MoveTo(x, y);
        dc->LineTo(x, y + 3);
        --x;
        y += i < 3 ? 1 : -1;
      }
    }
    if (!s.IsEmpty()) {
      CRect after = cell;
      after.left = box.right + 4;
      dc->DrawText(s, after, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    return;
  }
  if (!s.IsEmpty()) {
    HDITEM hd = {};
    hd.mask = HDI_FORMAT;
    if (CHeaderCtrl* header = GetHeaderCtrl()) header->GetItem(nColumn, &hd);
    UINT format = DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE;
    if ((hd.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
      format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    else if ((hd.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
      format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    CRect inner = cell;
    dc->DrawText(s, inner, format);
  }
  if (item != NULL && item->m_bDropDown && selected && m_dropDown) {
    const int left = cell.left + GetColumnWidth(nColumn) - kArrowWidth;
    Utilities::DrawMaskedBitmap(dc, CPoint(left, cell.top), m_dropDown.Get(), 0, kArrowWidth, 1, 1);
  }
}
