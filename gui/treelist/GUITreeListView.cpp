// The tree list's window: geometry, painting, scrolling, hit-testing, mouse and keys, editing
// and tooltips (see GUITreeList.h).
#include <GUIPlatformUtilities.h>
#include <UIHandles.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "GUITreeList.h"
#include "QvTreeList.h"
#include <QvGUIContainer.h>
#include "TooltipWnd.h"
#include "TreeEdit.h"

using namespace uih;

namespace {

unsigned short Clear(unsigned short flags, unsigned short bits) { return static_cast<unsigned short>(flags & ~bits); }

int ClientWidth(HWND wnd) {
  RECT rc = {};
  ::GetClientRect(wnd, &rc);
  return rc.right;
}

int ClientHeight(HWND wnd) {
  RECT rc = {};
  ::GetClientRect(wnd, &rc);
  return rc.bottom;
}

}  // namespace

// Shown rows.

long CGUITreeList::NextShownRow(long row) const {
  if (row < 0) {
    const TreeListItem* first = m_items.At(0);
    return first ? 0 : -1;  // the first row is a root, always shown
  }
  const size_t next = m_items.NextShown(static_cast<size_t>(row));
  return next == TreeListItems::kNone ? -1 : static_cast<long>(next);
}

long CGUITreeList::PreviousShownRow(long row) const {
  const size_t previous = m_items.PreviousShown(static_cast<size_t>(row));
  return previous == TreeListItems::kNone ? -1 : static_cast<long>(previous);
}

long CGUITreeList::LastShownRow() const { return PreviousShownRow(static_cast<long>(m_items.Count())); }

size_t CGUITreeList::TopPos() const {
  if (!m_top) return 0;
  if (!m_topPosKnown) {
    m_items.Refresh();
    const size_t top = m_items.IndexOf(m_top->id);
    size_t count = 0;
    for (size_t i = 0; i < top && i < m_items.Count(); i = m_items.NextShown(i)) {
      if (!(m_items.At(i)->flags & TreeListItem::kShown)) continue;
      ++count;
    }
    m_topPos = count;
    m_topPosKnown = true;
  }
  return m_topPos;
}

void CGUITreeList::SetTop(long row) {
  m_top = Row(row);
  m_topPosKnown = false;
}

int CGUITreeList::RowsPerPage() const {
  return m_hWnd && m_rowHeight > 0 ? std::max(ClientHeight(m_hWnd) / m_rowHeight, 1) : 1;
}

// The top row: the record kept, else the first row; a hidden one gives its nearest shown
// ancestor.
static long TopRow(const TreeListItems& items, const TreeListItem* top) {
  if (!items.Count()) return -1;
  if (!top) return 0;
  items.Refresh();
  size_t row = items.IndexOf(top->id);
  if (row == TreeListItems::kNone) return 0;
  while (row != TreeListItems::kNone && !(items.At(row)->flags & TreeListItem::kShown)) row = items.Parent(row);
  return row == TreeListItems::kNone ? 0 : static_cast<long>(row);
}

int CGUITreeList::RowTop(long row) const {
  const long top = TopRow(m_items, m_top);
  if (row < top || top < 0) return INT_MIN;
  const int height = m_hWnd ? ClientHeight(m_hWnd) : 0;
  int y = 0;
  for (long r = top; r >= 0 && y < height; r = NextShownRow(r), y += m_rowHeight)
    if (r == row) return y;
  return INT_MIN;
}

long CGUITreeList::RowAtY(int y) const {
  if (y < 0) return -1;
  long r = TopRow(m_items, m_top);
  for (int n = y / m_rowHeight; r >= 0 && n > 0; --n) r = NextShownRow(r);
  return r;
}

void CGUITreeList::InvalidateRow(long row) {
  if (RedrawOff()) return;
  const int top = RowTop(row);
  if (top == INT_MIN) return;
  RECT rc = {0, top, ClientWidth(m_hWnd), top + m_rowHeight};
  ::InvalidateRect(m_hWnd, &rc, TRUE);
  if (m_tooltip && m_tooltip->m_hWnd && Row(row) == m_tooltipItem) ::InvalidateRect(m_tooltip->m_hWnd, NULL, TRUE);
}

void CGUITreeList::InvalidateFrom(long row) {
  if (RedrawOff()) return;
  int top = RowTop(row);
  if (top == INT_MIN) {
    // Above the top row: everything on screen moves; below the screen: nothing shows.
    const long first = TopRow(m_items, m_top);
    if (row >= 0 && first >= 0 && row > first) return;
    top = 0;
  }
  RECT rc = {0, top, ClientWidth(m_hWnd), ClientHeight(m_hWnd)};
  ::InvalidateRect(m_hWnd, &rc, TRUE);
}

// Geometry.

void CGUITreeList::RowX(long row, int x[5]) const {
  TreeListItem& item = *Row(row);
  x[0] = m_indent * item.level + 4 - m_hScroll;
  x[1] = x[0] + ((m_flags & (kLines | kButtons)) ? 16 : 0);
  x[2] = x[1] + ((m_flags & kChecks) ? 16 : 0);
  x[3] = x[2] + ImageColumn(item);
  x[4] = x[3] + TextWidth(item) + 2;
}

BOOL CGUITreeList::GetItemXPositions(long item, int x[5]) const {
  const long row = ToRow(item);
  if (row < 0 || !x) return 0;
  RowX(row, x);
  return 1;
}

BOOL CGUITreeList::GetItemRect(long item, RECT* rect) const {
  const long row = ToRow(item);
  if (row < 0 || !rect || !m_hWnd || !m_items.IsShown(static_cast<size_t>(row))) return 0;
  const int top = RowTop(row);
  if (top == INT_MIN) return 0;
  *rect = {0, top, ClientWidth(m_hWnd), top + m_rowHeight};
  return 1;
}

long CGUITreeList::HitTest(POINT pt, int* part) const {
  if (part) *part = kNowhere;
  if (!m_hWnd) return -1;
  RECT rc = {};
  ::GetClientRect(m_hWnd, &rc);
  if (!::PtInRect(&rc, pt)) return -1;
  const long row = RowAtY(pt.y);
  if (row < 0) return -1;
  if (part) {
    int x[5];
    RowX(row, x);
    if (pt.x < x[0] || pt.x >= x[4]) *part = kNowhere;
    else if ((m_flags & (kLines | kButtons)) && pt.x < x[1]) *part = kButtonPart;
    else if ((m_flags & kChecks) && pt.x < x[2]) *part = kCheckPart;
    else if (pt.x < x[3]) *part = kImagePart;
    else *part = kLabelPart;
  }
  return row;
}

long CGUITreeList::GetFirstVisibleItem() const { return ToOuter(TopRow(m_items, m_top)); }

// Scrolling.

void CGUITreeList::UpdateScrollers() {
  if (!m_hWnd) return;
  HWND parent = ::GetParent(m_hWnd);
  if (m_freeze || !::IsWindowVisible(m_hWnd) || (parent && ::IsIconic(parent))) {
    m_flags |= kRangesPending;
    return;
  }
  const bool wasPending = (m_flags & kRangesPending) != 0;
  m_flags &= ~kRangesPending;
  const int page = RowsPerPage();
  const int shown = static_cast<int>(std::min<size_t>(m_items.ShownCount(), INT_MAX));
  const int vmax = std::max(shown - page, 0);
  if (wasPending) {
    // The top row moves up while more shown rows lie before it than the maximum.
    while (m_top && static_cast<int>(TopPos()) > vmax) {
      const long previous = PreviousShownRow(TopRow(m_items, m_top));
      if (previous < 0) break;
      m_top = Row(previous);
      --m_topPos;
    }
  }
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = vmax > 0 ? shown - 1 : 0;
  si.nPage = vmax > 0 ? static_cast<UINT>(page) : 0;
  si.nPos = static_cast<int>(std::min<size_t>(TopPos(), INT_MAX));
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
  if (!m_widestKnown && !m_measuring) {
    // Measured once per batch of changes, when the queue comes round: inserting n rows
    // costs n, not n squared.
    if (!m_measurePosted) m_measurePosted = ::PostMessageW(m_hWnd, kMeasureMessage, 0, 0) != FALSE;
    return;
  }
  if (!m_widestKnown) {
    // The widest shown row; text widths are measured once and cached.
    int widest = 0;
    for (long r = NextShownRow(-1); r >= 0; r = NextShownRow(r)) {
      TreeListItem& item = *Row(r);
      const int width = (r == m_editRow && m_editor && m_editor->m_hWnd) ? [&] {
        RECT er = {};
        ::GetWindowRect(m_editor->m_hWnd, &er);
        return static_cast<int>(er.right - er.left);
      }()
                                                                           : TextWidth(item);
      widest = std::max(widest, 4 + item.level * m_indent + width + ((m_flags & (kLines | kButtons)) ? 16 : 0) +
                                    ((m_flags & kChecks) ? 16 : 0) + ImageColumn(item));
    }
    m_widest = widest;
    m_widestKnown = true;
  }
  m_hMax = std::max(m_widest + 2 - ClientWidth(m_hWnd), 0);
  if (m_hScroll > m_hMax) {
    m_hScroll = m_hMax;
    ::InvalidateRect(m_hWnd, NULL, TRUE);
  }
  SCROLLINFO hi = {};
  hi.cbSize = sizeof hi;
  hi.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  hi.nMin = 0;
  hi.nMax = m_hMax > 0 ? m_hMax + ClientWidth(m_hWnd) - 1 : 0;
  hi.nPage = m_hMax > 0 ? static_cast<UINT>(ClientWidth(m_hWnd)) : 0;
  hi.nPos = m_hScroll;
  ::SetScrollInfo(m_hWnd, SB_HORZ, &hi, TRUE);
}

void CGUITreeList::ScrollBy(int dx, int dy) {
  if (!m_hWnd) return;
  if (m_flags & kRangesPending) UpdateScrollers();
  bool moved = false;
  if (dy) {
    const int page = RowsPerPage();
    const long long shown = static_cast<long long>(m_items.ShownCount());
    const long long vmax = std::max<long long>(shown - page, 0);
    const long long from = static_cast<long long>(TopPos());
    const long long to = std::min(std::max(from + dy, 0LL), vmax);
    long row = TopRow(m_items, m_top);
    for (long long n = from; n < to && row >= 0; ++n) row = NextShownRow(row);
    for (long long n = from; n > to && row >= 0; --n) row = PreviousShownRow(row);
    if (to != from && row >= 0) {
      m_top = Row(row);
      m_topPos = static_cast<size_t>(to);
      m_topPosKnown = true;
      ::SetScrollPos(m_hWnd, SB_VERT, static_cast<int>(to), TRUE);
      moved = true;
    }
  }
  if (dx) {
    const int to = std::min(std::max(m_hScroll + dx, 0), m_hMax);
    if (to != m_hScroll) {
      m_hScroll = to;
      ::SetScrollPos(m_hWnd, SB_HORZ, to, TRUE);
      moved = true;
    }
  }
  if (moved) {
    HideTooltip();
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    ::UpdateWindow(m_hWnd);
  }
}

void CGUITreeList::ScrollRows(int rows) { ScrollBy(0, rows); }

void CGUITreeList::OnVScroll(int code) {
  const int page = RowsPerPage();
  switch (code) {
    case SB_LINEUP: ScrollBy(0, -1); break;
    case SB_LINEDOWN: ScrollBy(0, 1); break;
    case SB_PAGEUP: ScrollBy(0, -page); break;
    case SB_PAGEDOWN: ScrollBy(0, page); break;
    case SB_THUMBTRACK: {
      // The 32-bit track position: a 16-bit message value wraps above 65,535 rows.
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (::GetScrollInfo(m_hWnd, SB_VERT, &si)) ScrollBy(0, si.nTrackPos - static_cast<int>(TopPos()));
      break;
    }
    case SB_TOP: ScrollBy(0, -static_cast<int>(std::min<size_t>(TopPos(), INT_MAX))); break;
    case SB_BOTTOM: ScrollBy(0, static_cast<int>(std::min<size_t>(m_items.Count(), INT_MAX))); break;
  }
}

void CGUITreeList::OnHScroll(int code) {
  const int width = ClientWidth(m_hWnd);
  switch (code) {
    case SB_LINELEFT: ScrollBy(-16, 0); break;
    case SB_LINERIGHT: ScrollBy(16, 0); break;
    case SB_PAGELEFT: ScrollBy(-(width - 5), 0); break;
    case SB_PAGERIGHT: ScrollBy(width - 5, 0); break;
    case SB_THUMBTRACK: {
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (::GetScrollInfo(m_hWnd, SB_HORZ, &si)) ScrollBy(si.nTrackPos - m_hScroll, 0);
      break;
    }
    case SB_LEFT: ScrollBy(-m_hScroll, 0); break;
    case SB_RIGHT: ScrollBy(10000, 0); break;
  }
}

void CGUITreeList::PutRowInView(long row) {
  if (!Row(row) || !m_items.IsShown(static_cast<size_t>(row))) return;
  const long top = TopRow(m_items, m_top);
  if (row < top) {
    int n = 0;
    for (long r = row; r >= 0 && r < top; r = NextShownRow(r)) ++n;
    ScrollBy(0, -n);
    return;
  }
  // Below the last fully visible row: scroll until it is the last.
  const int full = std::max(ClientHeight(m_hWnd) / m_rowHeight, 1);
  int n = 0;
  for (long r = top; r >= 0 && r != row; r = NextShownRow(r)) ++n;
  if (n >= full) ScrollBy(0, n - full + 1);
}

BOOL CGUITreeList::ForceItemInView(long item, bool expandParents, bool asTop) {
  const long row = ToRow(item);
  if (row < 0) return 0;
  if (!m_items.IsShown(static_cast<size_t>(row))) {
    if (!expandParents) return 0;
    // Open every closed ancestor, from the outermost.
    std::vector<long> closed;
    for (size_t p = m_items.Parent(static_cast<size_t>(row)); p != TreeListItems::kNone; p = m_items.Parent(p))
      if (!(m_items.At(p)->flags & TreeListItem::kExpanded)) closed.push_back(static_cast<long>(p));
    std::shared_ptr<bool> alive = m_alive;
    for (size_t i = closed.size(); i-- > 0 && *alive;) ExpandRow(closed[i], false, true);
    if (!*alive) return 0;
  }
  if (m_flags & kRangesPending) {
    SetTop(row);
    return 1;
  }
  const long top = TopRow(m_items, m_top);
  if (row < top || asTop) {
    int n = 0;
    if (row < top)
      for (long r = row; r >= 0 && r < top; r = NextShownRow(r)) --n;
    else
      for (long r = top; r >= 0 && r < row; r = NextShownRow(r)) ++n;
    ScrollBy(0, n);
  } else {
    PutRowInView(row);
  }
  return 1;
}

// Painting.

void CGUITreeList::DrawRows(HDC dc, const RECT& clip) {
  if ((m_flags & kRangesPending) || !m_widestKnown) {
    m_measuring = true;
    UpdateScrollers();
    m_measuring = false;
  }
  const bool enabled = m_hWnd && ::IsWindowEnabled(m_hWnd);
  ::FillRect(dc, &clip, enabled ? m_windowBrush.Get() : m_disabledBrush.Get());
  if (!m_items.Count()) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  Selection font(dc, m_fonts[0].Get());
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  POINT origin = {0, 0};
  ::ClientToScreen(m_hWnd, &origin);
  ::SetBrushOrgEx(dc, origin.x & 7, origin.y & 7, NULL);
  // Whether the item at each level of the current row's path has a following sibling: its
  // line runs on past the rows below it. Walked up once for the top row, then kept in step.
  const long first = TopRow(m_items, m_top);
  std::vector<char> lines;
  if (first >= 0) {
    lines.assign(m_items.At(static_cast<size_t>(first))->level, 0);
    for (size_t p = m_items.Parent(static_cast<size_t>(first)); p != TreeListItems::kNone; p = m_items.Parent(p))
      lines[m_items.At(p)->level] = (m_items.At(p)->flags & TreeListItem::kHasNextSibling) != 0;
  }
  int y = 0;
  for (long row = first; row >= 0 && y < client.bottom; row = NextShownRow(row), y += m_rowHeight) {
    const TreeListItem& item = *Row(row);
    lines.resize(item.level);
    if (y + m_rowHeight > clip.top && y < clip.bottom) DrawRow(dc, row, y, lines);
    lines.push_back((item.flags & TreeListItem::kHasNextSibling) != 0);
  }
  ::SetBkMode(dc, oldMode);
}

void CGUITreeList::DrawRow(HDC dc, long row, int top, const std::vector<char>& lines) {
  TreeListItem& item = *Row(row);
  int x[5];
  RowX(row, x);
  const int h = m_rowHeight / 2;
  if (m_flags & kLines) {
    // Dotted lines: grey text on the window colour.
    Selection brush(dc, m_dotBrush.Get());
    const COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    const COLORREF oldBack = ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    const int lx = x[0] + 6, mid = top + h - 1;
    if (row > 0) ::PatBlt(dc, lx, top, 1, h - 1, PATCOPY);
    if (item.flags & TreeListItem::kHasNextSibling) ::PatBlt(dc, lx, mid, 1, m_rowHeight - (h - 1), PATCOPY);
    ::PatBlt(dc, lx, mid, 10, 1, PATCOPY);
    // The ancestors' lines run on past this row when they have a following sibling.
    for (size_t level = 0; level < lines.size() && level < item.level; ++level)
      if (lines[level]) ::PatBlt(dc, lx - m_indent * static_cast<int>(item.level - level), top, 1, m_rowHeight, PATCOPY);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
  }
  if ((m_flags & kButtons) && (item.flags & TreeListItem::kContainer) &&
      m_items.SubtreeEnd(static_cast<size_t>(row)) > static_cast<size_t>(row) + 1 && m_ownImages) {
    ::ImageList_Draw(m_ownImages.Get(), (item.flags & TreeListItem::kExpanded) ? kOpenButtonImage : kClosedButtonImage,
                     dc, x[0], top + h - 8, ILD_TRANSPARENT);
  }
  if ((m_flags & kChecks) && m_ownImages)
    ::ImageList_Draw(m_ownImages.Get(), kCheckImage + (item.flags & TreeListItem::kCheckMask), dc, x[1], top + 1,
                     ILD_TRANSPARENT);
  if (m_appImages) {
    const int type = !(item.flags & TreeListItem::kContainer) ? 0 : (item.flags & TreeListItem::kExpanded) ? 2 : 1;
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(m_appImages, &cx, &cy);
    const int iy = top + (m_rowHeight - cy) / 2;
    for (int which = 0; which < 2; ++which) {
      const short image = item.images[type][which] >= 0 ? item.images[type][which] : m_defaultImages[type][which];
      if (image >= 0) ::ImageList_Draw(m_appImages, image, dc, x[2], iy, ILD_TRANSPARENT);
    }
  }
  if ((item.flags & TreeListItem::kEditing) || item.text.empty()) return;
  Selection font(dc, GetItemFont(item));
  RECT box = {x[3], top, x[3] + TextWidth(item), top + m_rowHeight};
  const bool focused = (m_flags & kHasFocus) != 0;
  const bool disabled = (item.flags & TreeListItem::kDisabled) != 0;
  COLORREF text = ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  const bool selected = (item.flags & TreeListItem::kSelected) != 0;
  const bool drop = (item.flags & TreeListItem::kDropHighlight) != 0;
  if (selected && !drop && focused) {
    ::FillRect(dc, &box, m_highlightBrush.Get());
    text = ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT);
  } else if (drop || selected) {
    ::FrameRect(dc, &box, m_highlightBrush.Get());
  }
  const COLORREF old = ::SetTextColor(dc, text);
  ::TextOutW(dc, x[3] + 1, top + h - 1 - m_textHeight / 2, item.text.c_str(), static_cast<int>(item.text.size()));
  if (focused && (item.flags & TreeListItem::kFocus)) {
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawFocusRect(dc, &box);
  }
  ::SetTextColor(dc, old);
}

void CGUITreeList::OnPaint(HDC given) {
  if (given) {
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    DrawRows(given, rc);
    return;
  }
  RECT update = {};
  if (!::GetUpdateRect(m_hWnd, &update, FALSE)) {
    ::ValidateRect(m_hWnd, NULL);
    return;
  }
  PAINTSTRUCT ps = {};
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (dc) {
    // Drawn in a memory bitmap and copied once.
    const int w = ps.rcPaint.right - ps.rcPaint.left, hgt = ps.rcPaint.bottom - ps.rcPaint.top;
    MemoryDC memory(dc);
    OwnedBitmap bitmap(::CreateCompatibleBitmap(dc, std::max(w, 1), std::max(hgt, 1)));
    if (bitmap && memory.Select(bitmap.Get())) {
      ::SetWindowOrgEx(memory.Get(), ps.rcPaint.left, ps.rcPaint.top, NULL);
      DrawRows(memory.Get(), ps.rcPaint);
      ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, w, hgt, memory.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    } else {
      DrawRows(dc, ps.rcPaint);
    }
  }
  ::EndPaint(m_hWnd, &ps);
}

// Mouse.

void CGUITreeList::OnLButtonDown(UINT keys, POINT pt) {
  std::shared_ptr<bool> alive = m_alive;
  if (::GetFocus() != m_hWnd) ::SetFocus(m_hWnd);
  if (!*alive) return;
  m_flags &= ~kClickPending;
  int part = kNowhere;
  const long row = HitTest(pt, &part);
  if (!Notify(kNotifyClick, row, part)) return;
  if (row < 0) return;
  m_downPoint = pt;
  HandleClick(row, part, keys);
}

void CGUITreeList::HandleClick(long row, int part, UINT keys) {
  TreeListItem* item = Row(row);
  if (!item) return;
  std::shared_ptr<bool> alive = m_alive;
  if (part == kButtonPart) {
    if (item->flags & TreeListItem::kContainer) {
      if (item->flags & TreeListItem::kExpanded) CollapseRow(row, true);
      else ExpandRow(row, false, true);
    }
    return;
  }
  if (part < kCheckPart || part > kLabelPart) return;
  const bool wasOnlySelection = (item->flags & TreeListItem::kSelected) && GetSelectedCount() == 1;
  bool ctrl = (keys & MK_CONTROL) != 0;
  const bool shift = (keys & MK_SHIFT) != 0;
  if (shift) ctrl = false;
  SetFocusRow(row);
  const bool multiple = (m_flags & kMultipleSel) != 0;
  if (ctrl) {
    if (!(multiple == false && (item->flags & TreeListItem::kSelected))) {
      if (!multiple) DeselectAll();
      if (item->flags & TreeListItem::kSelected) {
        if (LowLevelSelect(row, false)) Notify(kNotifySelection, row);
      } else {
        SelectRow(row, false, false, true);
      }
    }
  } else if (multiple && !shift && (item->flags & TreeListItem::kSelected)) {
    m_flags |= kClickPending;
    m_clickItem = item;
  } else {
    SelectRow(row, !(multiple && shift), multiple && shift, true);
  }
  if (!*alive) return;
  item = Row(row);
  if (!item) return;
  if (part == kCheckPart) {
    CheckRow(row, (item->flags & TreeListItem::kCheckMask) == 1 ? 0 : 1, true, true);
    return;
  }
  if (part == kLabelPart && wasOnlySelection && !shift && !ctrl && (m_flags & kEditEnabled) && !(m_flags & kEditTimer)) {
    // Editing after the double-click time, unless a double click comes first. The record is
    // remembered, not its row: rows move when items come and go meanwhile.
    ::SetTimer(m_hWnd, kEditTimerId, ::GetDoubleClickTime(), NULL);
    m_flags |= kEditTimer;
    m_clickItem = item;
    Notify(kNotifyEditArmed, row, part);
    return;
  }
  if (m_flags & kEditTimer) StopEditTimer();
}

void CGUITreeList::OnLButtonUp(UINT, POINT) {
  if (!(m_flags & kClickPending)) return;
  m_flags &= ~kClickPending;
  const TreeListItem* item = m_clickItem;
  m_clickItem = nullptr;
  const size_t row = item ? m_items.IndexOf(item->id) : TreeListItems::kNone;
  if (row != TreeListItems::kNone && m_items.At(row) == item) SelectRow(static_cast<long>(row), true, false, true);
}

void CGUITreeList::OnLButtonDblClk(UINT keys, POINT pt) {
  StopEditTimer();
  int part = kNowhere;
  const long row = HitTest(pt, &part);
  if (row >= 0 && part == kCheckPart) {
    HandleClick(row, part, keys);  // a double click on a check box toggles it twice
  } else if (row >= 0 && (part == kImagePart || part == kLabelPart)) {
    TreeListItem* item = Row(row);
    if (item->flags & TreeListItem::kContainer) HandleClick(row, kButtonPart, keys);
  }
  if (part != kButtonPart) Notify(kNotifyDoubleClick, row, part);
}

void CGUITreeList::OnMouseMove(UINT keys, POINT pt) {
  if (pt.x == m_lastMouse.x && pt.y == m_lastMouse.y) return;
  m_lastMouse = pt;
  int part = kNowhere;
  const long row = HitTest(pt, &part);
  if (!(keys & MK_LBUTTON)) {
    if ((m_flags & kTooltips) && !(m_flags & kEditing) && !(keys & (MK_SHIFT | MK_RBUTTON)) && row >= 0 &&
        part == kLabelPart && Row(row) != m_tooltipItem)
      ShowTooltip(row);
    return;
  }
  if ((m_flags & kDragEnabled) && (m_flags & kHasFocus) && row >= 0 && (part == kImagePart || part == kLabelPart) &&
      (std::abs(pt.x - m_downPoint.x) >= 3 || std::abs(pt.y - m_downPoint.y) >= 3)) {
    StopEditTimer();
    m_dropItem = nullptr;
    Notify(kNotifyBeginDrag, row, part);
  }
}

void CGUITreeList::OnMouseWheel(UINT keys, short delta, POINT screen) {
  if (keys & MK_CONTROL) return;
  if (keys & MK_SHIFT) {
    POINT pt = screen;
    ::ScreenToClient(m_hWnd, &pt);
    int part = kNowhere;
    const long row = HitTest(pt, &part);
    if (row < 0 || part != kButtonPart || !(Row(row)->flags & TreeListItem::kContainer)) return;
    if (delta > 0 && !(Row(row)->flags & TreeListItem::kExpanded)) ExpandRow(row, false, true);
    else if (delta <= 0 && (Row(row)->flags & TreeListItem::kExpanded)) CollapseRow(row, true);
    return;
  }
  ScrollBy(0, delta <= 0 ? 1 : -1);
}

// Keys.

bool CGUITreeList::OnKeyDown(UINT key) {
  const long focus = FocusRow();
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
  long target = -1;
  TreeListItem* item = Row(focus);
  std::shared_ptr<bool> alive = m_alive;
  if (item) {
    switch (key) {
      case VK_UP: target = PreviousShownRow(focus); break;
      case VK_DOWN: target = NextShownRow(focus); break;
      case VK_LEFT:
        if (item->flags & TreeListItem::kExpanded) CollapseRow(focus, true);
        else target = static_cast<long>(m_items.Parent(static_cast<size_t>(focus)));
        break;
      case VK_RIGHT:
        if ((item->flags & TreeListItem::kContainer) && !(item->flags & TreeListItem::kExpanded)) ExpandRow(focus, false, true);
        else target = GetDescendant(ToOuter(focus)) >= 0 ? focus + 1 : -1;
        break;
      case VK_BACK: target = static_cast<long>(m_items.Parent(static_cast<size_t>(focus))); break;
      case VK_HOME: target = 0; break;
      case VK_END: target = LastShownRow(); break;
      case VK_PRIOR:
      case VK_NEXT:
        if (!ctrl) {
          target = focus;
          for (int n = RowsPerPage(); n > 0; --n) {
            const long next = key == VK_PRIOR ? PreviousShownRow(target) : NextShownRow(target);
            if (next < 0) break;
            target = next;
          }
        }
        break;
      case VK_F2:
        if (m_flags & kEditEnabled) EditRow(focus);
        break;
    }
  } else if (key == VK_DOWN || key == VK_HOME) {
    target = NextShownRow(-1);
  }
  if (!*alive) return true;
  if (target >= 0 && target != focus) {
    HideTooltip();
    if (ctrl && (m_flags & kMultipleSel)) {
      SetFocusRow(target);
    } else {
      SelectRow(target, !(shift && (m_flags & kMultipleSel)), shift && (m_flags & kMultipleSel), true);
      if (!*alive) return true;
      SetFocusRow(target);
    }
    PutRowInView(target);
    if ((m_flags & kTooltips) && !(m_flags & kEditing)) ShowTooltip(target);
  } else if (target < 0 && key != VK_LEFT && key != VK_RIGHT && key != VK_F2) {
    if (!Notify(kNotifyEditCommand, focus, 0, static_cast<long>(key))) return true;
    ::DefWindowProcW(m_hWnd, WM_KEYDOWN, key, 0);
  }
  QvKeyCode code = 0;
  if (*alive && GUIVirtualKeyToQvKeyCode(key, code)) Notify(kNotifyKey, FocusRow(), 0, code);
  return true;
}

bool CGUITreeList::OnChar(wchar_t c) {
  const long focus = FocusRow();
  TreeListItem* item = Row(focus);
  if (item && c == L' ') {
    if (m_flags & kChecks) CheckRow(focus, (item->flags & TreeListItem::kCheckMask) == 1 ? 0 : 1, true, true);
    else if ((m_flags & kMultipleSel) && ::GetKeyState(VK_CONTROL) < 0) HandleClick(focus, kLabelPart, MK_CONTROL);
    return true;
  }
  if (item && c == L'+') {
    if ((item->flags & TreeListItem::kContainer) && !(item->flags & TreeListItem::kExpanded)) ExpandRow(focus, false, true);
    return true;
  }
  if (item && c == L'-') {
    if (item->flags & TreeListItem::kExpanded) CollapseRow(focus, true);
    return true;
  }
  const wchar_t upper = static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
  if (::IsCharAlphaW(c)) {
    // The next shown row after the focus, round to it, whose text begins with the letter.
    long row = focus;
    for (size_t n = 0; n < m_items.Count(); ++n) {
      row = NextShownRow(row);
      if (row < 0) row = NextShownRow(-1);
      if (row < 0 || row == focus) break;
      const std::wstring& text = Row(row)->text;
      if (!text.empty() &&
          static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(text[0]))))) == upper) {
        std::shared_ptr<bool> alive = m_alive;
        SelectRow(row, true, false, true);
        if (!*alive) return true;
        SetFocusRow(row);
        PutRowInView(row);
        return true;
      }
    }
    return true;
  }
  if (!Notify(kNotifyEditCommand, focus, 0, c)) return true;
  ::DefWindowProcW(m_hWnd, WM_CHAR, c, 0);
  return true;
}

// Editing.

void CGUITreeList::EnableOnlineEdit(bool on, int limit, bool allowDisabled) {
  if (!on) {
    CancelOnlineEditIfAny();
    m_flags &= ~(kEditEnabled | kEditDisabled);
    return;
  }
  if (!m_editor) {
    m_editor.reset(new CTreeEdit);
    if (m_hWnd && !m_editor->CreateFor(this)) {
      m_editor.reset();
      return;
    }
  }
  m_editLimit = limit > 0 ? limit : 32000;
  m_flags |= kEditEnabled;
  if (allowDisabled) m_flags |= kEditDisabled;
  else m_flags &= ~kEditDisabled;
}

CTreeEdit* CGUITreeList::GetEditor() const { return m_editor && m_editor->IsAttached() ? m_editor.get() : nullptr; }

bool CGUITreeList::IsEditCallbackRefusing(int phase, LONG_PTR value) {
  // The host's callback, kept by the portable control of this list in its parent's container.
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
  QvGUIContainer* container = parent ? GUIGetQvGUIContainer(CWnd::FromHandle(parent)) : nullptr;
  QvTreeList* control =
      container ? dynamic_cast<QvTreeList*>(container->LookupControl(static_cast<unsigned short>(::GetDlgCtrlID(m_hWnd))))
                : nullptr;
  if (!control || !control->m_editCallback) return false;
  return !control->m_editCallback(control, m_editRow >= 0 ? m_editRow : FocusRow(), phase, value, control->m_editCallbackData);
}

bool CGUITreeList::EditRow(long row) {
  TreeListItem* item = Row(row);
  // An editor enabled before the window existed gets its window now.
  if (m_editor && !m_editor->m_hWnd && m_hWnd && !m_editor->CreateFor(this)) return false;
  if (!item || !(m_flags & kEditEnabled) || !m_editor || !m_editor->m_hWnd) return false;
  CancelOnlineEditIfAny();
  m_editRow = row;
  std::shared_ptr<bool> alive = m_alive;
  const bool refused = IsEditCallbackRefusing(0, 0);
  if (!*alive) return false;
  if (refused || ((item->flags & TreeListItem::kDisabled) && !(m_flags & kEditDisabled))) {
    m_editRow = -1;
    return false;
  }
  HideTooltip();
  PutRowInView(row);
  const int top = RowTop(row);
  if (top == INT_MIN) {
    m_editRow = -1;
    return false;
  }
  int x[5];
  RowX(row, x);
  RECT box = {x[3] + 1 - 2, top - 1, std::max(x[4] + 10, x[3] + 1 + 50), top + m_rowHeight};
  ::InflateRect(&box, 0, 1);
  // Italic labels are edited upright, in the same weight.
  HFONT font = m_fonts[item->fontIndex & 1].Get();
  item->flags |= TreeListItem::kEditing;
  m_flags = (m_flags | kEditing) & ~kEditCancelling;
  InvalidateRow(row);
  m_editor->Attach(row, box, font, item->text, m_editLimit);
  return true;
}

BOOL CGUITreeList::EditItem(long item) {
  const long row = ToRow(item);
  if (row < 0 || !(m_flags & kEditEnabled)) return 0;
  return EditRow(row) ? 1 : 0;
}

bool CGUITreeList::AcceptEditChar(wchar_t c) {
  if (c < L'0' || c > L'z') return true;
  return !IsEditCallbackRefusing(1, c);
}

bool CGUITreeList::StoreEditedText(const std::wstring& text) {
  const long row = m_editRow;
  TreeListItem* item = Row(row);
  if (!item) return true;
  QvString value(text.c_str());
  std::shared_ptr<bool> alive = m_alive;
  if (IsEditCallbackRefusing(2, reinterpret_cast<LONG_PTR>(&value))) return false;
  if (!*alive) return true;
  item->text = text;
  item->textWidth = -1;
  m_widestKnown = false;
  if (!Notify(kNotifyText, row)) return true;
  IsEditCallbackRefusing(3, reinterpret_cast<LONG_PTR>(&value));
  return true;
}

void CGUITreeList::OnEditorClosed(bool changed) {
  TreeListItem* item = Row(m_editRow);
  if (item) {
    item->flags = Clear(item->flags, TreeListItem::kEditing);
    InvalidateRow(m_editRow);
  }
  m_flags &= ~kEditing;
  if (!changed) m_widestKnown = false;
  UpdateScrollers();
  IsEditCallbackRefusing(4, changed ? 1 : 0);
  m_editRow = -1;
}

void CGUITreeList::CancelOnlineEditIfAny() {
  HideTooltip();
  if (m_editor && m_editor->IsAttached()) {
    m_flags |= kEditCancelling;
    m_editor->Detach();
    m_flags &= ~kEditCancelling;
  }
}

// Tooltips.

void CGUITreeList::ShowTooltip(long row) {
  TreeListItem* item = Row(row);
  if (!item || !m_hWnd) return;
  int x[5];
  RowX(row, x);
  const int width = ClientWidth(m_hWnd);
  const int top = RowTop(row);
  // Only a label cut by the client edges.
  if (top == INT_MIN || (x[3] >= 0 && x[4] <= width)) {
    HideTooltip();
    return;
  }
  HideTooltip();
  RECT box = {x[3], top, x[3] + TextWidth(*item) + 4, top + m_rowHeight};
  ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<POINT*>(&box), 2);
  const int sx = ::GetSystemMetrics(SM_CXSCREEN), sy = ::GetSystemMetrics(SM_CYSCREEN);
  if (box.right > sx) ::OffsetRect(&box, sx - box.right, 0);
  if (box.left < 0) ::OffsetRect(&box, -box.left, 0);
  if (box.bottom > sy) ::OffsetRect(&box, 0, sy - box.bottom);
  m_tooltip.reset(new CTooltipWnd(this));
  m_tooltipItem = item;
  if (!m_tooltip->Show(box, item->text, GetItemFont(*item), (item->flags & TreeListItem::kSelected) != 0,
                       (item->flags & TreeListItem::kDisabled) != 0)) {
    m_tooltip.reset();
    m_tooltipItem = nullptr;
  }
}

void CGUITreeList::HideTooltip() {
  if (!m_tooltip) return;
  // The object outlives its window until the next tooltip: this may run inside its own
  // window procedure.
  std::unique_ptr<CTooltipWnd> tip = std::move(m_tooltip);
  m_tooltipItem = nullptr;
  if (tip->m_hWnd) tip->DestroyWindow();
  m_oldTooltip = std::move(tip);
}

void CGUITreeList::OnTooltipGone() { m_tooltipItem = nullptr; }

void CGUITreeList::RelayMouse(UINT message, WPARAM keys, POINT pt) {
  ::SendMessageW(m_hWnd, message, keys, MAKELPARAM(pt.x, pt.y));
}

// Drag feedback.

long CGUITreeList::GetDropItem() const {
  if (!m_dropItem) return -1;
  const size_t row = m_items.IndexOf(m_dropItem->id);
  return row == TreeListItems::kNone ? -1 : ToOuter(static_cast<long>(row));
}

// The message loop.

LRESULT CGUITreeList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing thrown below may leave the window procedure.
  try {
    return Handle(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CGUITreeList::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_CREATE: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      if (result != -1 && !(m_flags & kInitialised)) Initialize();
      return result;
    }
    case WM_PAINT:
      OnPaint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PRINTCLIENT:
      OnPaint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      m_windowFont = reinterpret_cast<HFONT>(wParam);
      CWnd::WindowProc(message, wParam, lParam);
      MakeFonts();
      UpdateScrollers();
      if (lParam) ::InvalidateRect(m_hWnd, NULL, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_windowFont);
    case WM_SETREDRAW: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      if (wParam && (m_flags & kRangesPending) && !m_freeze) UpdateScrollers();
      return result;
    }
    case WM_SIZE:
      CWnd::WindowProc(message, wParam, lParam);
      m_widestKnown = false;
      UpdateScrollers();
      return 0;
    case WM_SHOWWINDOW:
      CWnd::WindowProc(message, wParam, lParam);
      if (wParam) m_flags |= kRangesPending;
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnHScroll(LOWORD(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wParam), pt);
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(static_cast<UINT>(wParam), pt);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(static_cast<UINT>(wParam), pt);
      return 0;
    case WM_RBUTTONDOWN: {
      int part = kNowhere;
      const long row = HitTest(pt, &part);
      Notify(kNotifyRightClick, row, part);
      return 0;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), pt);
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), pt);
      return 0;
    case WM_TIMER:
      if (wParam != kEditTimerId) break;
      {
        const TreeListItem* item = m_clickItem;
        StopEditTimer();
        const size_t row = item ? m_items.IndexOf(item->id) : TreeListItems::kNone;
        if (row != TreeListItems::kNone && m_items.At(row) == item) EditRow(static_cast<long>(row));
      }
      return 0;
    case WM_SETFOCUS: {
      CWnd::WindowProc(message, wParam, lParam);
      m_flags |= kHasFocus;
      if (FocusRow() < 0 && m_items.Count()) SetFocusRow(0);
      ::InvalidateRect(m_hWnd, NULL, FALSE);
      Notify(kNotifyFocus, -1);
      return 0;
    }
    case WM_KILLFOCUS:
      CWnd::WindowProc(message, wParam, lParam);
      m_flags &= ~kHasFocus;
      ::InvalidateRect(m_hWnd, NULL, FALSE);
      Notify(kNotifyKillFocus, -1);
      return 0;
    case WM_GETDLGCODE:
      if (!(m_flags & kHasFocus)) break;
      return DLGC_WANTARROWS | DLGC_WANTCHARS | ((m_flags & kTabKey) ? DLGC_WANTTAB : 0);
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_IME_CHAR:
      return 0;
    case kMeasureMessage:
      m_measurePosted = false;
      if (!m_widestKnown) {
        m_measuring = true;
        UpdateScrollers();
        m_measuring = false;
      }
      return 0;
    case WM_CONTEXTMENU:
      Notify(kNotifyContextMenu, FocusRow());
      return 0;
    case WM_SYSCOLORCHANGE:
      m_windowBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
      m_highlightBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT)));
      m_disabledBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
      ::InvalidateRect(m_hWnd, NULL, TRUE);
      return 0;
    case WM_NCDESTROY: {
      HideTooltip();
      StopEditTimer();
      m_editor.reset();
      m_items.Clear();
      m_top = nullptr;
      m_dropItem = nullptr;
      *m_alive = false;
      m_alive = std::make_shared<bool>(true);
      m_flags &= ~kInitialised;
      return CWnd::WindowProc(message, wParam, lParam);
    }
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CGUITreeList::HandleDragOver(QvDragSel* sel) {
  QvPoint at;
  long row = -1;
  if (sel && sel->GetPosition(at)) {
    const POINT pt = {static_cast<LONG>(at.x), static_cast<LONG>(at.y)};
    row = HitTest(pt, nullptr);
  }
  TreeListItem* item = Row(row);
  if (item != m_dropItem) {
    if (m_dropItem) {
      const size_t old = m_items.IndexOf(m_dropItem->id);
      if (old != TreeListItems::kNone) {
        m_items.At(old)->flags = Clear(m_items.At(old)->flags, TreeListItem::kDropHighlight);
        InvalidateRow(static_cast<long>(old));
      }
    }
    m_dropItem = item;
    if (item) {
      item->flags |= TreeListItem::kDropHighlight;
      InvalidateRow(row);
    }
    if (!(m_flags & kAutoScrolled)) m_dropArrival = static_cast<DWORD>(::GetMessageTime());
    return;
  }
  if (!item) return;
  // Resting on the first or last row in view for 601 ms scrolls one line, then at the rate
  // of the drag-over events.
  if (static_cast<DWORD>(::GetMessageTime()) - m_dropArrival < 601) return;
  const long top = TopRow(m_items, m_top);
  long last = top;
  for (int n = RowsPerPage() - 1; n > 0 && NextShownRow(last) >= 0; --n) last = NextShownRow(last);
  if (row == top && row != 0) {
    OnVScroll(SB_LINEUP);
    m_flags |= kAutoScrolled;
  } else if (row == last && static_cast<long long>(TopPos()) <
                                 static_cast<long long>(m_items.ShownCount()) - RowsPerPage()) {
    OnVScroll(SB_LINEDOWN);
    m_flags |= kAutoScrolled;
  } else {
    m_flags &= ~kAutoScrolled;
  }
}

int CGUITreeList::HandleDrop(QvDragSel*) {
  if (m_dropItem) {
    const size_t row = m_items.IndexOf(m_dropItem->id);
    if (row != TreeListItems::kNone) {
      m_items.At(row)->flags = Clear(m_items.At(row)->flags, TreeListItem::kDropHighlight);
      InvalidateRow(static_cast<long>(row));
    }
  }
  m_flags &= ~kAutoScrolled;
  return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0;
}
