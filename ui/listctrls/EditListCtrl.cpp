#include "EditListCtrl.h"

#include <framework.h>

#include <vector>

#include "InPlaceEdit.h"

namespace {
// The first buffer a text question offers, and the largest it grows to for a parent that
// keeps filling it.
const int kFirstTextCapacity = 2048;
const int kLargestTextCapacity = 1 << 20;
}  // namespace

BEGIN_MESSAGE_MAP(CEditListCtrl, CListCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CEditListCtrl::CEditListCtrl() {}

CEditListCtrl::~CEditListCtrl() {}

LRESULT CEditListCtrl::AskParent(UINT code, LV_DISPINFO& info) {
  CWnd* parent = GetParent();
  if (parent == NULL) return 0;
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = code;
  return parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

BOOL CEditListCtrl::CanEdit(int nRow, int nColumn) {
  LV_DISPINFO info = {};
  info.item.iItem = nRow;
  info.item.iSubItem = nColumn;
  return AskParent(ELN_CANEDIT, info) != 0;
}

BOOL CEditListCtrl::CanResize(int nColumn) {
  LV_DISPINFO info = {};
  info.item.iItem = -1;
  info.item.iSubItem = nColumn;
  return AskParent(ELN_CANRESIZE, info) != 0;
}

BOOL CEditListCtrl::AskText(UINT code, int nRow, int nColumn, CString& text) {
  for (int capacity = kFirstTextCapacity;; capacity *= 2) {
    std::vector<TCHAR> buffer(static_cast<size_t>(capacity), 0);
    LV_DISPINFO info = {};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nRow;
    info.item.iSubItem = nColumn;
    info.item.pszText = buffer.data();
    info.item.cchTextMax = capacity;
    if (AskParent(code, info) == 0) return FALSE;
    // A parent may answer with a text of its own instead of filling the buffer.
    const TCHAR* answer = info.item.pszText != NULL ? info.item.pszText : buffer.data();
    if (answer != buffer.data()) {
      text = answer;
      return TRUE;
    }
    buffer[static_cast<size_t>(capacity) - 1] = 0;
    const int length = lstrlen(buffer.data());
    // A full buffer may hold a cut text: ask again with a larger one.
    if (length < capacity - 1 || capacity >= kLargestTextCapacity) {
      text = buffer.data();
      return TRUE;
    }
  }
}

CString CEditListCtrl::GetEditText(int nRow, int nColumn) {
  CString text;
  if (!AskText(ELN_GETEDITTEXT, nRow, nColumn, text)) text = GetItemText(nRow, nColumn);
  return text;
}

CString CEditListCtrl::GetDisplayText(int nRow, int nColumn) {
  CString text;
  if (!AskText(ELN_GETDISPLAYTEXT, nRow, nColumn, text)) text = GetItemText(nRow, nColumn);
  return text;
}

void CEditListCtrl::SetEditText(int nRow, int nColumn, LPCTSTR lpszText) {
  LV_DISPINFO info = {};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = nRow;
  info.item.iSubItem = nColumn;
  info.item.pszText = const_cast<LPTSTR>(lpszText);
  info.item.cchTextMax = 0;
  AskParent(ELN_SETEDITTEXT, info);
}

int CEditListCtrl::HitTestEx(CPoint& point, int* pColumn) const { return HitTestList(this, point, pColumn); }

int CEditListCtrl::HitTestList(const CListCtrl* pList, CPoint& point, int* pColumn) {
  if (pColumn != NULL) *pColumn = 0;
  const int plain = pList->HitTest(point, NULL);
  if ((pList->GetStyle() & LVS_TYPEMASK) != LVS_REPORT) return plain;
  const int count = pList->GetItemCount();
  int row = pList->GetTopIndex();
  int last = row + pList->GetCountPerPage();
  if (last > count - 1) last = count - 1;
  CHeaderCtrl* header = pList->GetHeaderCtrl();
  const int columns = header != NULL ? header->GetItemCount() : 0;
  for (; row <= last; ++row) {
    CRect bounds;
    pList->GetItemRect(row, bounds, LVIR_BOUNDS);
    if (!bounds.PtInRect(point) && !(point.x == bounds.right && point.y >= bounds.top && point.y < bounds.bottom))
      continue;
    int left = bounds.left;
    for (int column = 0; column < columns; ++column) {
      const int width = pList->GetColumnWidth(column);
      if (point.x >= left && point.x <= left + width) {
        if (pColumn != NULL) *pColumn = column;
        return row;
      }
      left += width;
    }
    return -1;
  }
  return -1;
}

CInPlaceEdit* CEditListCtrl::GetInPlaceEdit() const {
  HWND edit = ::GetDlgItem(m_hWnd, INPLACE_EDIT_ID);
  return edit != NULL ? dynamic_cast<CInPlaceEdit*>(CWnd::FromHandlePermanent(edit)) : NULL;
}

CEdit* CEditListCtrl::EditSubLabel(int nRow, int nColumn) {
  if (nRow < 0 || nRow >= GetItemCount()) return NULL;
  if (!EnsureVisible(nRow, FALSE)) return NULL;
  HWND self = m_hWnd;
  if (!CanEdit(nRow, nColumn) || !::IsWindow(self)) return NULL;
  CRect rect;
  DWORD align = ES_LEFT;
  if (!CInPlaceEdit::PlaceOverCell(this, nRow, nColumn, rect, align)) return NULL;
  const CString text = GetEditText(nRow, nColumn);
  if (!::IsWindow(self)) return NULL;
  return CInPlaceEdit::OpenOverCell(this, nRow, nColumn, text, INPLACE_EDIT_ID);
}

void CEditListCtrl::OnPress(UINT nFlags, CPoint point, BOOL bDouble) {
  int column = 0;
  const int row = HitTestEx(point, &column);
  const BOOL editable = (GetStyle() & LVS_EDITLABELS) != 0;
  const BOOL wasSelected = row >= 0 && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  HWND self = m_hWnd;
  if (bDouble)
    CListCtrl::OnLButtonDblClk(nFlags, point);
  else
    CListCtrl::OnLButtonDown(nFlags, point);
  if (!::IsWindow(self) || row < 0) return;
  // The row stays selected whichever cell was hit (a list without full-row select takes a
  // click on a sub-item for a click beside the rows).
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (column > 0 && wasSelected && editable) EditSubLabel(row, column);
}

void CEditListCtrl::OnLButtonDown(UINT nFlags, CPoint point) { OnPress(nFlags, point, FALSE); }

void CEditListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) { OnPress(nFlags, point, TRUE); }

void CEditListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (GetFocus() != this) SetFocus();
  CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CEditListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (GetFocus() != this) SetFocus();
  CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CEditListCtrl::OnParentNotify(UINT message, LPARAM lParam) {
  CListCtrl::OnParentNotify(message, lParam);
  if (LOWORD(message) != WM_LBUTTONDOWN) return;
  CInPlaceEdit* edit = GetInPlaceEdit();
  if (edit == NULL) return;
  CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  CRect rect;
  edit->GetWindowRect(rect);
  ScreenToClient(rect);
  if (!rect.PtInRect(point)) SetFocus();
}

BOOL CEditListCtrl::RefuseResize(const NMHDR* pHeader) {
  const NMHEADER* header = reinterpret_cast<const NMHEADER*>(pHeader);
  return !CanResize(header->iItem);
}

BOOL CEditListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header != NULL && hdr->hwndFrom == header->GetSafeHwnd()) {
    switch (hdr->code) {
      case HDN_BEGINTRACKW:
      case HDN_BEGINTRACKA:
        // TRUE refuses the tracking; the notice is handled either way.
        *pResult = RefuseResize(hdr);
        if (*pResult) return TRUE;
        break;
      case HDN_DIVIDERDBLCLICKW:
      case HDN_DIVIDERDBLCLICKA:
        // The list fits the column to its contents unless the parent refuses.
        if (RefuseResize(hdr)) {
          *pResult = 0;
          return TRUE;
        }
        break;
      default:
        break;
    }
  }
  if (hdr->idFrom == INPLACE_EDIT_ID && hdr->code == static_cast<UINT>(LVN_ENDLABELEDIT)) {
    const LV_DISPINFO* info = reinterpret_cast<const LV_DISPINFO*>(lParam);
    if (info->item.pszText != NULL) {
      const int row = info->item.iItem;
      const int column = info->item.iSubItem;
      HWND self = m_hWnd;
      SetEditText(row, column, info->item.pszText);
      if (::IsWindow(self)) {
        const CString shown = GetDisplayText(row, column);
        if (::IsWindow(self)) SetItemText(row, column, shown);
      }
    }
    *pResult = 0;
    return TRUE;
  }
  return CListCtrl::OnNotify(wParam, lParam, pResult);
}
