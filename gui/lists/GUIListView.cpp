// The list control of the portable multi-column list.
#include "GUIListView.h"

#include <GUIPlatformUtilities.h>

#include <algorithm>
#include <cwchar>

#include "GUIControls.h"

IMPLEMENT_DYNCREATE(CGUIListView, CListCtrl)

namespace {
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(window, message, wParam, lParam);
}

bool IsUserInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      return true;
  }
  return false;
}

// The list gives its own buffer back for some texts instead of filling the caller's.
void KeepText(const wchar_t* given, const CGUIListViewText& text) {
  if (!given || given == text.m_text || given == LPSTR_TEXTCALLBACKW || !text.m_text || text.m_capacity <= 0) return;
  wcsncpy(text.m_text, given, static_cast<size_t>(text.m_capacity - 1));
  text.m_text[text.m_capacity - 1] = 0;
}
}  // namespace

void CGUIListView::EnableSelection(BOOL enable) {
  m_flags = static_cast<unsigned short>(enable ? m_flags | kSelectionEnabled : m_flags & ~kSelectionEnabled);
}

void CGUIListView::EnableProcessTabKey(BOOL enable) {
  m_flags = static_cast<unsigned short>(enable ? m_flags | kProcessTab : m_flags & ~kProcessTab);
}

void CGUIListView::UnselectAll() {
  HWND window = GetSafeHwnd();
  if (!window) return;
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED;
  Send(window, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void CGUIListView::PutFocusOnSel() {
  HWND window = GetSafeHwnd();
  if (!window) return;
  const int focused = static_cast<int>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused >= 0 && (Send(window, LVM_GETITEMSTATE, static_cast<WPARAM>(focused), LVIS_SELECTED) & LVIS_SELECTED))
    return;
  const int selected = static_cast<int>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected < 0) return;
  LVITEMW state = {};
  state.state = LVIS_FOCUSED;
  state.stateMask = LVIS_FOCUSED;
  Send(window, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
}

BOOL CGUIListView::GetCellAt(POINT client, POINT& cell) const {
  HWND window = GetSafeHwnd();
  if (!window) return FALSE;
  LVHITTESTINFO hit = {};
  hit.pt = client;
  Send(window, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iSubItem < 0) return FALSE;
  int row = (hit.flags & LVHT_ONITEM) ? hit.iItem : -1;
  if (row < 0) {
    // Beside the first column's label (columns in another order, no full-row selection) the
    // list names the column but no row: the row is the one whose band holds the point.
    const int top = static_cast<int>(Send(window, LVM_GETTOPINDEX));
    RECT band = {};
    band.left = LVIR_BOUNDS;
    if (top < 0 || !Send(window, LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&band))) return FALSE;
    const int height = band.bottom - band.top;
    if (height <= 0 || client.y < band.top) return FALSE;
    row = top + (client.y - band.top) / height;
    if (row >= static_cast<int>(Send(window, LVM_GETITEMCOUNT))) return FALSE;
  }
  cell.x = hit.iSubItem;
  cell.y = row;
  return TRUE;
}

BOOL CGUIListView::GetCellUnderCursor(POINT& pt) {
  HWND window = GetSafeHwnd();
  POINT cursor = {};
  if (!window || !::GetCursorPos(&cursor) || !::ScreenToClient(window, &cursor)) return FALSE;
  return GetCellAt(cursor, pt);
}

int CGUIListView::InsertColumn(int index, const CGUIListViewColumn& column) {
  HWND window = GetSafeHwnd();
  if (!window) return -1;
  LVCOLUMNW record = column.ToColumn();
  return static_cast<int>(Send(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record)));
}

BOOL CGUIListView::SetColumn(int index, const CGUIListViewColumn& column) {
  HWND window = GetSafeHwnd();
  if (!window) return FALSE;
  LVCOLUMNW record = column.ToColumn();
  return Send(window, LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record)) != 0;
}

BOOL CGUIListView::GetColumn(int index, CGUIListViewColumn& column) const {
  HWND window = GetSafeHwnd();
  if (!window) return FALSE;
  LVCOLUMNW record = column.ToColumn();
  if (!Send(window, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record))) return FALSE;
  column.m_format = record.fmt;
  column.m_width = record.cx;
  column.m_subItem = record.iSubItem;
  if (column.m_mask & LVCF_TEXT) KeepText(record.pszText, column.m_text);
  return TRUE;
}

int CGUIListView::InsertItem(const CGUIListViewItem& item) {
  HWND window = GetSafeHwnd();
  if (!window) return -1;
  LVITEMW record = item.ToItem();
  return static_cast<int>(Send(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&record)));
}

BOOL CGUIListView::SetItem(const CGUIListViewItem& item) {
  HWND window = GetSafeHwnd();
  if (!window) return FALSE;
  LVITEMW record = item.ToItem();
  return Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&record)) != 0;
}

BOOL CGUIListView::GetItem(CGUIListViewItem& item) const {
  HWND window = GetSafeHwnd();
  if (!window) return FALSE;
  LVITEMW record = item.ToItem();
  if (!Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record))) return FALSE;
  item.m_state = record.state;
  item.m_image = record.iImage;
  item.m_data = record.lParam;
  if (item.m_mask & LVIF_TEXT) KeepText(record.pszText, item.m_text);
  return TRUE;
}

void CGUIListView::SaveColumnWeights() {
  const bool hadWeights = !m_weights.empty();
  m_weights.clear();
  HWND window = GetSafeHwnd();
  HWND header = window ? reinterpret_cast<HWND>(Send(window, LVM_GETHEADER)) : NULL;
  if (!header) return;
  const int count = static_cast<int>(Send(header, HDM_GETITEMCOUNT));
  int sum = 0;
  for (int i = 0; i < count; ++i) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    Send(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    m_weights.push_back(item.cxy);
    sum += item.cxy;
  }
  RECT outer = {};
  ::GetWindowRect(window, &outer);
  m_weights.push_back(hadWeights ? outer.right - outer.left : sum);
}

void CGUIListView::ResizeColumns(int cx) {
  HWND window = GetSafeHwnd();
  HWND header = window ? reinterpret_cast<HWND>(Send(window, LVM_GETHEADER)) : NULL;
  if (!header || m_weights.size() < 2) return;
  const int total = m_weights.back();
  if (total <= 0) {  // nothing to share out (every column 0 wide, or a 0-wide window): taken anew next time
    m_weights.clear();
    return;
  }
  // Each column's edge is placed by the weights up to it, so that the roundings do not add
  // up: the columns of weights summing to the total fill the width exactly.
  const int count = static_cast<int>(Send(header, HDM_GETITEMCOUNT));
  int before = 0, edge = 0;
  for (int i = 0; i < count && static_cast<size_t>(i) + 1 < m_weights.size(); ++i) {
    before += m_weights[i];
    const int next = ::MulDiv(before, cx, total);
    Send(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(std::max(0, next - edge), 0));
    edge = next;
  }
}

void CGUIListView::MoveFocusOnly(int item) {
  HWND window = GetSafeHwnd();
  if (!window || item < 0) return;
  LVITEMW state = {};
  state.state = LVIS_FOCUSED;
  state.stateMask = LVIS_FOCUSED;
  Send(window, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

BOOL CGUIListView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_NOTIFY && lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_ITEMCHANGING && !(m_flags & kSelectionEnabled) && m_userInput > 0) {
      const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
        if (result) *result = 1;
        // The user's click or key moved the focus with the selection: the focus still moves.
        if ((change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED)) MoveFocusOnly(change->iItem);
        return TRUE;
      }
    }
  }
  return CListCtrl::OnChildNotify(message, wParam, lParam, result);
}

BOOL CGUIListView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const BOOL handled = CListCtrl::OnNotify(wParam, lParam, result);
  const NMHEADERW* change = reinterpret_cast<const NMHEADERW*>(lParam);
  if (m_autoResize && change && (change->hdr.code == HDN_ENDTRACKW || change->hdr.code == HDN_ENDTRACKA)) {
    SaveColumnWeights();
    // The header tells the new width before it takes it.
    if (change->pitem && (change->pitem->mask & HDI_WIDTH) && change->iItem >= 0 &&
        static_cast<size_t>(change->iItem) + 1 < m_weights.size())
      m_weights[static_cast<size_t>(change->iItem)] = change->pitem->cxy;
  }
  return handled;
}

LRESULT CGUIListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND self = m_hWnd;
  switch (message) {
    case WM_CONTEXTMENU: {
      NMHDR header = {};
      header.hwndFrom = self;
      header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(self));
      header.code = static_cast<UINT>(kGUIListContextMenu);
      Send(::GetParent(self), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
      return 0;
    }
    case WM_GETDLGCODE: {
      LRESULT code = CListCtrl::WindowProc(message, wParam, lParam);
      if (m_flags & kProcessTab) code |= DLGC_WANTTAB;
      return code;
    }
    case WM_SETFOCUS: {
      const LRESULT r = CListCtrl::WindowProc(message, wParam, lParam);
      if (::IsWindow(self) && Send(self, LVM_GETITEMCOUNT) > 0 &&
          Send(self, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0 &&
          Send(self, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) < 0)
        MoveFocusOnly(0);
      return r;
    }
    case WM_SIZE: {
      if (m_autoResize && m_weights.empty()) SaveColumnWeights();
      const LRESULT r = CListCtrl::WindowProc(message, wParam, lParam);
      if (m_autoResize && ::IsWindow(self)) ResizeColumns(static_cast<short>(LOWORD(lParam)));
      return r;
    }
    case WM_NCDESTROY:
      m_userInput = 0;
      m_weights.clear();
      m_weights.shrink_to_fit();
      return CListCtrl::WindowProc(message, wParam, lParam);
  }
  if (!IsUserInput(message)) return CListCtrl::WindowProc(message, wParam, lParam);
  // The handling may destroy the window, and with it this object: the count is touched
  // again only while both are still there (WM_NCDESTROY clears it).
  ++m_userInput;
  LRESULT r = 0;
  try {
    r = CListCtrl::WindowProc(message, wParam, lParam);
  } catch (...) {
    if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this) --m_userInput;
    throw;
  }
  if (!::IsWindow(self) || CWnd::FromHandlePermanent(self) != this) return r;
  --m_userInput;
  if (message == WM_KEYDOWN) {
    QvKeyCode code = 0;
    if (GUIVirtualKeyToQvKeyCode(static_cast<UINT>(wParam), code)) GUINotifyParent(self, kGUINotifyPortableKey, code);
  }
  return r;
}
