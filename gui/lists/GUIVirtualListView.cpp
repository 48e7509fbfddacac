// The virtual list view: a header and a page of list items over any number of rows.
#include "GUIVirtualListView.h"

#include <algorithm>

#include "DepthScope.h"
#include "UITrace.h"
#include "UIUtilities.h"

IMPLEMENT_DYNCREATE(CGUIVirtualListView, CWnd)

namespace {
UlmLogger s_log("GUIVirtualListView");

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(window, message, wParam, lParam);
}

bool InsertCallbackItem(HWND list, int at) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = at;
  item.pszText = LPSTR_TEXTCALLBACKW;
  return Send(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

void SetStates(HWND list, int item, UINT state) {
  LVITEMW change = {};
  change.state = state;
  change.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}
}  // namespace

CGUIVirtualListView::~CGUIVirtualListView() {
  if (m_hWnd) DestroyWindow();
}

BOOL CGUIVirtualListView::PreCreateWindow(CREATESTRUCT& cs) {
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  cs.style &= ~WS_CLIPCHILDREN;  // the tracking line is drawn over the header and the list
  return CWnd::PreCreateWindow(cs);
}

BOOL CGUIVirtualListView::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
  if (!CWnd::Create(cls, _T(""), style | WS_CHILD, rect, parent, id)) {
    UI_TRACE_FAILED(s_log, "Create");
    return FALSE;
  }
  UpdateScrollBars();
  return TRUE;
}

int CGUIVirtualListView::OnCreate() {
  LOGFONTW logFont = {};
  GetDefaultLogFont(logFont);
  m_ownFont.Reset(::CreateFontIndirectW(&logFont));
  m_font = m_ownFont.Get();
  const RECT none = {0, 0, 0, 0};
  if (!m_header.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ, none, this, kHeaderId) ||
      !m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_NOSCROLL |
                         LVS_NOCOLUMNHEADER,
                     none, this, kListId)) {
    UI_TRACE_FAILED(s_log, "children");
    return -1;
  }
  m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  Send(m_header.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  Send(m_list.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  Layout();
  return 0;
}

// ---------------------------------------------------------------------------------------
// Rows

void CGUIVirtualListView::SetTextCallback(GUIVirtualListTextCallback callback, LONG_PTR userValue) {
  m_callback = callback;
  m_userValue = userValue;
  if (m_list.m_hWnd) ::InvalidateRect(m_list.m_hWnd, NULL, TRUE);
}

int CGUIVirtualListView::PageRows() const {
  if (!m_list.m_hWnd) return 0;
  return std::max(0, static_cast<int>(Send(m_list.m_hWnd, LVM_GETCOUNTPERPAGE)));
}

void CGUIVirtualListView::SetListItemCount(int count) {
  HWND list = m_list.GetSafeHwnd();
  if (!list) return;
  DepthScope changing(m_changing);
  int have = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
  while (have > count) Send(list, LVM_DELETEITEM, static_cast<WPARAM>(--have));
  while (have < count && InsertCallbackItem(list, have)) ++have;
}

void CGUIVirtualListView::SetItemsCount(int count) {
  UpdateScrollBars();
  m_total = std::max(0, count);
  m_visible = std::min(m_total, PageRows());
  m_selected = -1;
  m_first = 0;
  if (HWND list = m_list.GetSafeHwnd()) {
    DepthScope changing(m_changing);
    SetStates(list, -1, 0);
    SetListItemCount(m_visible);
    ::InvalidateRect(list, NULL, TRUE);
  }
  UpdateScrollBars();
}

void CGUIVirtualListView::DeleteAllItems() {
  if (HWND list = m_list.GetSafeHwnd()) {
    DepthScope changing(m_changing);
    Send(list, LVM_DELETEALLITEMS);
  }
  SetItemsCount(0);
}

void CGUIVirtualListView::SelectRow(int row) {
  m_selected = row >= 0 && row < m_total ? row : -1;
  ShowSelection();
}

void CGUIVirtualListView::EnsureRowVisible(int row) {
  if (row < 0 || row >= m_total || (row >= m_first && row < m_first + m_visible)) return;
  MoveTo(row < m_first ? row : row - m_visible + 1, true);
}

int CGUIVirtualListView::ThumbFromFirst(int first) const {
  const int maxFirst = MaxFirst();
  if (maxFirst <= 0) return 0;
  return ::MulDiv(std::min(std::max(first, 0), maxFirst), kThumbRange, maxFirst);
}

int CGUIVirtualListView::FirstFromThumb(int thumb) const {
  const int maxFirst = MaxFirst();
  if (maxFirst <= 0) return 0;
  return ::MulDiv(std::min(std::max(thumb, 0), static_cast<int>(kThumbRange)), maxFirst, kThumbRange);
}

void CGUIVirtualListView::ShowSelection() {
  HWND list = m_list.GetSafeHwnd();
  if (!list) return;
  DepthScope changing(m_changing);
  SetStates(list, -1, 0);
  if (m_selected >= m_first && m_selected < m_first + m_visible && m_selected < m_total)
    SetStates(list, m_selected - m_first, LVIS_SELECTED | LVIS_FOCUSED);
}

void CGUIVirtualListView::MoveTo(int first, bool setThumb) {
  HWND list = m_list.GetSafeHwnd();
  first = std::min(std::max(first, 0), MaxFirst());
  if (list && first != m_first) {
    DepthScope changing(m_changing);
    SetStates(list, -1, 0);
    const int by = first - m_first;
    if (by == -1 && m_visible >= 1) {  // one line up: the last item goes, a new one comes first
      Send(list, LVM_DELETEITEM, static_cast<WPARAM>(m_visible - 1));
      m_first = first;
      InsertCallbackItem(list, 0);
    } else if (by == 1 && m_visible >= 1) {  // one line down
      Send(list, LVM_DELETEITEM, 0);
      m_first = first;
      InsertCallbackItem(list, m_visible - 1);
    } else {
      m_first = first;
      ::InvalidateRect(list, NULL, TRUE);
    }
    ShowSelection();
  }
  if (setThumb && m_hWnd) ::SetScrollPos(m_hWnd, SB_VERT, ThumbFromFirst(m_first), TRUE);
}

// ---------------------------------------------------------------------------------------
// Columns

int CGUIVirtualListView::GetColumnsCount() const {
  HWND list = m_list.GetSafeHwnd();
  if (!list) return 0;
  int count = 0;
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  while (Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column))) ++count;
  return count;
}

int CGUIVirtualListView::GetColumnsWidth() const {
  HWND list = m_list.GetSafeHwnd();
  if (!list) return 0;
  int width = 0;
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  for (int i = 0; Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)); ++i)
    width += column.cx;
  return width;
}

int CGUIVirtualListView::InsertColumn(int index, const wchar_t* title) {
  HWND list = m_list.GetSafeHwnd();
  HWND header = m_header.GetSafeHwnd();
  if (!list || !header) return -1;
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  column.cx = kColumnWidth;
  const int at = static_cast<int>(Send(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
  if (at < 0) return -1;
  HDITEMW item = {};
  item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
  item.fmt = HDF_STRING;
  item.cxy = static_cast<int>(Send(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(at)));
  item.pszText = const_cast<wchar_t*>(title ? title : L"");
  if (Send(header, HDM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item)) < 0) {
    Send(list, LVM_DELETECOLUMN, static_cast<WPARAM>(at));  // header and list keep the same columns
    return -1;
  }
  UpdateScrollBars();
  return at;
}

void CGUIVirtualListView::DeleteAllColumns() {
  HWND list = m_list.GetSafeHwnd();
  HWND header = m_header.GetSafeHwnd();
  if (!list || !header) return;
  while (Send(header, HDM_DELETEITEM, 0) && Send(list, LVM_DELETECOLUMN, 0)) {
  }
  UpdateScrollBars();
}

// ---------------------------------------------------------------------------------------
// Layout and scroll bars

void CGUIVirtualListView::Layout() {
  HWND header = m_header.GetSafeHwnd();
  HWND list = m_list.GetSafeHwnd();
  if (!header || !list || m_inLayout) return;
  m_inLayout = true;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const int width = std::max(static_cast<int>(client.right), GetColumnsWidth() + 1);
  RECT area = {0, 0, width, 32767};
  WINDOWPOS pos = {};
  HDLAYOUT layout = {&area, &pos};
  Send(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  m_headerHeight = pos.cy;
  HDWP defer = ::BeginDeferWindowPos(2);
  if (defer) defer = ::DeferWindowPos(defer, header, NULL, -m_hOffset, 0, width, m_headerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  if (defer)
    defer = ::DeferWindowPos(defer, list, NULL, -m_hOffset, m_headerHeight, width,
                             std::max(0, static_cast<int>(client.bottom) - m_headerHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  if (defer) ::EndDeferWindowPos(defer);
  m_inLayout = false;
}

void CGUIVirtualListView::UpdateScrollBars() {
  if (!m_hWnd || m_updatingBars) return;
  m_updatingBars = true;
  // Showing or hiding a bar changes the client area, and with it the page (its WM_SIZE
  // counts the rows again): the bars are set again until the area stays.
  for (int pass = 0; pass < 3; ++pass) {
    RECT before = {};
    ::GetClientRect(m_hWnd, &before);
    const bool vertical = m_visible < m_total;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (vertical) {
      // The thumb's size shows the page's share of the rows; its positions run from 0 to 32767.
      const int page = std::max(1, ::MulDiv(m_visible, kThumbRange + 1, m_total));
      info.nMax = kThumbRange + page - 1;
      info.nPage = static_cast<UINT>(page);
      info.nPos = ThumbFromFirst(m_first);
    }
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    ::ShowScrollBar(m_hWnd, SB_VERT, vertical);

    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int columns = GetColumnsWidth();
    const bool horizontal = columns > client.right;
    SCROLLINFO across = {};
    across.cbSize = sizeof across;
    across.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (horizontal) {
      across.nMax = columns - 1;
      across.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.right)));
      m_hOffset = std::max(0, std::min(m_hOffset, columns - static_cast<int>(client.right)));
    } else {
      m_hOffset = 0;
    }
    across.nPos = m_hOffset;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &across, TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, horizontal);
    RECT after = {};
    ::GetClientRect(m_hWnd, &after);
    if (::EqualRect(&before, &after)) break;
  }
  m_updatingBars = false;
  Layout();
}

void CGUIVirtualListView::OnSize() {
  Layout();
  // The page may hold more or fewer rows now: the list holds what shows, the first row
  // leaves no empty page end, and the bars follow.
  m_visible = std::min(m_total, PageRows());
  m_first = std::min(m_first, MaxFirst());
  SetListItemCount(m_visible);
  if (m_list.m_hWnd) ::InvalidateRect(m_list.m_hWnd, NULL, TRUE);
  ShowSelection();
  UpdateScrollBars();
}

// ---------------------------------------------------------------------------------------
// Scrolling

void CGUIVirtualListView::OnVScroll(int code, int thumb) {
  switch (code) {
    case SB_LINEUP:
      if (m_first > 0 && m_visible >= 1) MoveTo(m_first - 1, true);
      break;
    case SB_LINEDOWN:
      if (m_visible > 0 && m_first + m_visible < m_total) MoveTo(m_first + 1, true);
      break;
    case SB_PAGEUP:
      MoveTo(m_first - m_visible, true);
      break;
    case SB_PAGEDOWN:
      MoveTo(m_first + m_visible, true);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      // Tracking leaves the thumb where the user holds it; its release puts it where the
      // first row maps to.
      MoveTo(FirstFromThumb(thumb), code == SB_THUMBPOSITION);
      break;
    case SB_TOP:
      MoveTo(0, true);
      break;
    case SB_BOTTOM:
      MoveTo(MaxFirst(), true);
      break;
  }
}

void CGUIVirtualListView::OnHScroll(int code, int thumb) {
  SCROLLINFO info = {};
    info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!::GetScrollInfo(m_hWnd, SB_HORZ, &info)) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const int maximum = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
  const int position = m_hOffset;
  int target = position;
  switch (code) {
    case SB_LINELEFT: target = position - 16; break;
    case SB_LINERIGHT: target = position + 16; break;
    case SB_PAGELEFT: target = position - client.right; break;
    case SB_PAGERIGHT: target = position + client.right; break;
    case SB_THUMBTRACK: target = thumb; break;
    case SB_LEFT: target = 0; break;
    case SB_RIGHT: target = maximum; break;
    default: return;
  }
  target = std::min(std::max(target, 0), maximum);
  if (target == position) return;
  m_hOffset = target;
  Layout();
  ::SetScrollPos(m_hWnd, SB_HORZ, m_hOffset, TRUE);
}

// ---------------------------------------------------------------------------------------
// The children's notifications

bool CGUIVirtualListView::OnListNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return true;
      item.pszText[0] = 0;
      const int row = m_first + item.iItem;
      if (item.iItem < 0 || row >= m_total || !m_callback) return true;
      try {
        m_callback(row, item.iSubItem, item.pszText, item.cchTextMax, m_userValue);
      } catch (...) {
        UI_TRACE_FAILED(s_log, "text callback");
      }
      item.pszText[item.cchTextMax - 1] = 0;
      return true;
    }
    case LVN_ITEMCHANGED: {
      if (m_changing) return true;
      const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE) || change->iItem < 0) return true;
      const int row = m_first + change->iItem;
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
        m_selected = row;
      else if (!(change->uNewState & LVIS_SELECTED) && (change->uOldState & LVIS_SELECTED) && row == m_selected)
        m_selected = -1;
      return true;
    }
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
      const int focused = static_cast<int>(Send(m_list.m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      if (key == VK_UP && focused == 0 && m_first > 0) {
        OnVScroll(SB_LINEUP, 0);
        SelectRow(m_first);
      } else if (key == VK_DOWN && focused == m_visible - 1 && m_first + m_visible < m_total) {
        OnVScroll(SB_LINEDOWN, 0);
        SelectRow(m_first + m_visible - 1);
      }
      return true;
    }
  }
  return false;
}

void CGUIVirtualListView::PrintClient(HDC dc) {
  if (!dc) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  // Header and list drawn where they stand in the client area.
  for (HWND child : {m_header.GetSafeHwnd(), m_list.GetSafeHwnd()}) {
    if (!child || !::IsWindowVisible(child)) continue;
    RECT at = {};
    ::GetWindowRect(child, &at);
    ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&at), 2);
    uih::SavedDC saved(dc);
    POINT origin = {};
    ::GetViewportOrgEx(dc, &origin);
    ::SetViewportOrgEx(dc, origin.x + at.left, origin.y + at.top, NULL);
    ::IntersectClipRect(dc, 0, 0, at.right - at.left, at.bottom - at.top);
    Send(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  }
}

void CGUIVirtualListView::DrawTrackLine(int x) {
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  uih::WindowDC dc(m_hWnd);
  if (dc) ::PatBlt(dc.Get(), x, 0, 1, client.bottom, DSTINVERT);
}

void CGUIVirtualListView::OnHeaderNotify(NMHDR* header) {
  const NMHEADERW* change = reinterpret_cast<const NMHEADERW*>(header);
  switch (header->code) {
    case HDN_BEGINTRACKW:
    case HDN_TRACKW: {
      const DWORD at = ::GetMessagePos();
      POINT cursor = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
      ::ScreenToClient(m_hWnd, &cursor);
      if (m_trackX >= 0) DrawTrackLine(m_trackX);
      m_trackX = cursor.x;
      DrawTrackLine(m_trackX);
      break;
    }
    case HDN_ENDTRACKW:
      if (m_trackX >= 0) DrawTrackLine(m_trackX);
      m_trackX = -1;
      if (change->pitem && (change->pitem->mask & HDI_WIDTH) && change->iItem >= 0) {
        Send(m_list.m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(change->iItem), MAKELPARAM(change->pitem->cxy, 0));
        UpdateScrollBars();
      }
      break;
  }
}

LRESULT CGUIVirtualListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const LRESULT r = CWnd::WindowProc(message, wParam, lParam);
      return r == -1 ? -1 : OnCreate();
    }
    case WM_NOTIFYFORMAT:
      return NFR_UNICODE;
    case WM_SETFONT:
      m_font = wParam ? reinterpret_cast<HFONT>(wParam) : m_ownFont.Get();
      if (m_header.m_hWnd) Send(m_header.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), lParam);
      if (m_list.m_hWnd) Send(m_list.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), lParam);
      OnSize();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case WM_SETREDRAW:
      // Header and list paint themselves: they follow the window.
      if (m_header.m_hWnd) Send(m_header.m_hWnd, WM_SETREDRAW, wParam);
      if (m_list.m_hWnd) Send(m_list.m_hWnd, WM_SETREDRAW, wParam);
      CWnd::WindowProc(message, wParam, lParam);
      if (wParam) ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_PRINTCLIENT:
      PrintClient(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      CWnd::WindowProc(message, wParam, lParam);
      OnSize();
      return 0;
    case WM_VSCROLL:
      if (!lParam) OnVScroll(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (!lParam) OnHScroll(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SETFOCUS:
      if (m_list.m_hWnd) ::SetFocus(m_list.m_hWnd);
      return 0;
    case WM_MOUSEWHEEL: {
      const int lines = -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
      MoveTo(m_first + lines, true);
      return 0;
    }
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      if (header && header->hwndFrom == m_list.m_hWnd) {
        LRESULT result = 0;
        if (OnListNotify(header, result)) return result;
      } else if (header && header->hwndFrom == m_header.m_hWnd) {
        OnHeaderNotify(header);
      }
      break;
    }
    case WM_NCDESTROY:
      m_callback = nullptr;
      m_total = m_visible = m_first = 0;
      m_selected = m_trackX = -1;
      m_font = NULL;
      m_ownFont.Reset();
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
