// The tree list's items and operations (see GUITreeList.h); drawing, scrolling and input are in
// GUITreeListView.cpp.
#include "GUITreeList.h"

#include <GUIPlatformUtilities.h>
#include <UIUtilities.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "TooltipWnd.h"
#include "TreeEdit.h"

IMPLEMENT_DYNCREATE(CGUITreeList, CWnd)

using namespace uih;

namespace {

unsigned short Clear(unsigned short flags, unsigned short bits) { return static_cast<unsigned short>(flags & ~bits); }

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, NULL, NULL);
  return out;
}

}  // namespace

CGUITreeList::CGUITreeList() : m_alive(std::make_shared<bool>(true)) {}

CGUITreeList::~CGUITreeList() {
  *m_alive = false;
  m_tooltip.reset();
  m_editor.reset();
}

BOOL CGUITreeList::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CWnd::Create(_T("QvTreeList"), NULL, style, rect, parent, id)) return FALSE;
  return TRUE;
}

void CGUITreeList::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  if (!(m_flags & kInitialised)) Initialize();
}

bool CGUITreeList::Initialize() {
  if (!m_hWnd) return false;
  ::SetScrollRange(m_hWnd, SB_VERT, 0, 0, FALSE);
  ::SetScrollRange(m_hWnd, SB_HORZ, 0, 0, FALSE);
  m_windowBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
  m_highlightBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT)));
  m_disabledBrush.Reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  if (!m_dotBitmap) {
    // Every other pixel set: the dotted tree lines.
    static const WORD kDots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    m_dotBitmap.Reset(::CreateBitmap(8, 8, 1, 1, kDots));
    m_dotBrush.Reset(::CreatePatternBrush(m_dotBitmap.Get()));
  }
  if (!m_ownImages) {
    CImageList own;
    if (CreateImageListFromBitmap(&own, kOwnBitmap, 16)) m_ownImages.Reset(own.Detach());
  }
  if (!m_measureDC) m_measureDC.Reset(::CreateCompatibleDC(NULL));
  MakeFonts();
  m_indent = 16;
  if (!m_windowBrush || !m_highlightBrush || !m_disabledBrush || !m_dotBrush || !m_fonts[0] || !m_measureDC)
    return false;
  m_flags |= kInitialised;
  return true;
}

void CGUITreeList::MakeFonts() {
  LOGFONTW base = {};
  GetDefaultLogFont(base);
  HFONT source = m_windowFont ? m_windowFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW own = {};
  if (source && ::GetObjectW(source, sizeof own, &own)) {
    base.lfHeight = own.lfHeight;
    base.lfItalic = own.lfItalic;
  }
  for (int i = 0; i < 4; ++i) {
    LOGFONTW lf = base;
    lf.lfWeight = (i & 1) ? FW_BOLD : 401;
    if (i & 2) lf.lfItalic = TRUE;
    m_fonts[i].Reset(::CreateFontIndirectW(&lf));
  }
  TEXTMETRICW tm = {};
  if (m_measureDC) {
    Selection font(m_measureDC.Get(), m_fonts[0].Get());
    if (::GetTextMetricsW(m_measureDC.Get(), &tm)) m_textHeight = tm.tmHeight;
  }
  m_rowHeight = std::max(m_textHeight + 1, 17);
  for (size_t i = 0; i < m_items.Count(); ++i) m_items.At(i)->textWidth = -1;
  m_widestKnown = false;
}

HFONT CGUITreeList::GetItemFont(const TreeListItem& item) const { return m_fonts[item.fontIndex & 3].Get(); }

int CGUITreeList::TextWidth(TreeListItem& item) const {
  if (item.textWidth < 0) {
    SIZE size = {0, 0};
    if (m_measureDC && !item.text.empty()) {
      Selection font(m_measureDC.Get(), GetItemFont(item));
      ::GetTextExtentPoint32W(m_measureDC.Get(), item.text.c_str(), static_cast<int>(item.text.size()), &size);
    }
    item.textWidth = size.cx + 2;
  }
  return item.textWidth;
}

// Addressing.

long CGUITreeList::ToRow(long item) const {
  if (item < 0) return -1;
  if (m_flags & kByID) {
    const size_t row = m_items.IndexOf(item);
    return row == TreeListItems::kNone ? -1 : static_cast<long>(row);
  }
  return ValidRow(item) ? item : -1;
}

long CGUITreeList::ToOuter(long row) const {
  if (!ValidRow(row)) return -1;
  return (m_flags & kByID) ? m_items.At(static_cast<size_t>(row))->id : row;
}

// Notifications.

bool CGUITreeList::Notify(int code, long row, int part, long value) {
  m_lastNotifyRow = row;
  m_lastNotifyPart = part;
  if (m_flags & kHoldNotify) {
    m_flags |= kNotifyHeld;
    return true;
  }
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
  if (!parent) return true;
  TreeListKeyNotify record = {};
  record.hdr.hwndFrom = m_hWnd;
  record.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
  record.hdr.code = static_cast<UINT>(code);
  record.value = value;
  std::shared_ptr<bool> alive = m_alive;
  ::SendMessageW(parent, WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
  return *alive;
}

void CGUITreeList::StopEditTimer() {
  if (m_flags & kEditTimer) {
    if (m_hWnd) ::KillTimer(m_hWnd, kEditTimerId);
    m_flags &= ~kEditTimer;
  }
  m_clickItem = nullptr;
  m_flags &= ~kClickPending;
}

void CGUITreeList::StructureChanged() {
  CancelOnlineEditIfAny();
  // A remembered row would now name another item.
  StopEditTimer();
}

void CGUITreeList::RowsChangedAt(long row) {
  if (!m_top) return;
  const size_t top = m_items.IndexOf(m_top->id);
  if (top == TreeListItems::kNone || static_cast<size_t>(row) <= top) m_topPosKnown = false;
}

// Insertion and deletion.

long CGUITreeList::InsertRow(size_t row, unsigned short level, const wchar_t* text, long appendTo) {
  if (!(m_flags & kInitialised) && !Initialize()) return -1;
  StructureChanged();
  // A last child (or last root) is appended without a walk over its parent's subtree when
  // children come one after the other.
  const size_t at = appendTo != kAtRow ? m_items.AddChild(appendTo < 0 ? TreeListItems::kNone : static_cast<size_t>(appendTo), text ? text : L"")
                                       : m_items.Insert(row, level, text ? text : L"");
  if (at == TreeListItems::kNone) return -1;
  const long r = static_cast<long>(at);
  if (m_anchor >= r) ++m_anchor;
  RowsChangedAt(r);
  TreeListItem* item = m_items.At(at);
  if (item->flags & TreeListItem::kShown) {
    if (m_widestKnown && item->level < 1000) {
      // Wider than the widest so far: the horizontal range follows at the next paint.
      m_widestKnown = false;
    }
    UpdateScrollers();
    InvalidateFrom(r);
  }
  // The predecessor's lines now run on to the new item.
  if ((m_flags & kLines) && m_hWnd && !m_freeze && ::IsWindowVisible(m_hWnd)) {
    const size_t parent = appendTo >= 0 ? static_cast<size_t>(appendTo) : appendTo == -1 ? TreeListItems::kNone : m_items.Parent(at);
    InvalidateFrom(parent == TreeListItems::kNone ? 0 : static_cast<long>(parent));
  }
  return ToOuter(r);
}

long CGUITreeList::AddSuccessor(long item, const wchar_t* text) {
  if (!(m_flags & kInitialised) && !Initialize()) return -1;
  if (item == kNone) return InsertRow(0, 0, text, -1);
  const long row = ToRow(item);
  if (row < 0) return -1;
  return InsertRow(m_items.SubtreeEnd(static_cast<size_t>(row)), Row(row)->level, text);
}

long CGUITreeList::AddDescendant(long item, const wchar_t* text) {
  if (item == kNone) return AddSuccessor(kNone, text);
  const long row = ToRow(item);
  if (row < 0) return -1;
  return InsertRow(0, 0, text, row);
}

long CGUITreeList::AddPredecessor(long item, const wchar_t* text) {
  const long row = ToRow(item);
  if (row < 0) return -1;
  return InsertRow(static_cast<size_t>(row), Row(row)->level, text);
}

void CGUITreeList::DeleteRows(long first, long end) {
  m_items.Refresh();
  StructureChanged();
  HideTooltip();
  if (first == 0 && static_cast<size_t>(end) >= m_items.Count()) {
    m_items.Clear();
    m_focusId = -1;
    m_top = nullptr;
    m_topPos = 0;
    m_topPosKnown = true;
    m_anchor = -1;
    m_dropItem = nullptr;
    m_widestKnown = false;
    if (m_hWnd) {
      ::SetScrollRange(m_hWnd, SB_VERT, 0, 0, TRUE);
      ::SetScrollRange(m_hWnd, SB_HORZ, 0, 0, TRUE);
      m_hScroll = 0;
      ::InvalidateRect(m_hWnd, NULL, TRUE);
    }
    return;
  }
  // The top row moves out of the range: to the next shown row after it, else the one before.
  const long top = m_top ? static_cast<long>(m_items.IndexOf(m_top->id)) : -1;
  if (top >= first && top < end) {
    long next = static_cast<long>(m_items.NextShown(static_cast<size_t>(end - 1)));
    if (next < end) next = -1;
    if (next < 0) next = PreviousShownRow(first);
    m_top = next >= 0 ? Row(next) : nullptr;
  }
  // The focus moves out of the range: the nearest earlier checked item, else the nearest
  // earlier shown one, else the next later checked item, else the next later shown one.
  const long focus = FocusRow();
  if (focus >= first && focus < end) {
    long to = -1;
    for (long i = first; i-- > 0 && to < 0;)
      if (Row(i)->flags & 1) to = i;
    for (long i = first; i-- > 0 && to < 0;)
      if (Row(i)->flags & TreeListItem::kShown) to = i;
    for (long i = end; ValidRow(i) && to < 0; ++i)
      if (Row(i)->flags & 1) to = i;
    for (long i = end; ValidRow(i) && to < 0; ++i)
      if (Row(i)->flags & TreeListItem::kShown) to = i;
    Row(focus)->flags = Clear(Row(focus)->flags, TreeListItem::kFocus);
    m_focusId = -1;
    if (to >= 0) {
      Row(to)->flags |= TreeListItem::kFocus;
      m_focusId = Row(to)->id;
    }
  }
  if (m_dropItem) {
    const long drop = static_cast<long>(m_items.IndexOf(m_dropItem->id));
    if (drop >= first && drop < end) m_dropItem = nullptr;
  }
  const long parent = static_cast<long>(m_items.Parent(static_cast<size_t>(first)));
  RowsChangedAt(first);
  m_items.DeleteRange(static_cast<size_t>(first), static_cast<size_t>(end));
  if (m_anchor >= end) m_anchor -= end - first;
  else if (m_anchor >= first) m_anchor = -1;
  // A parent left without children is no longer open.
  if (parent >= 0 && m_items.SubtreeEnd(static_cast<size_t>(parent)) == static_cast<size_t>(parent) + 1)
    Row(parent)->flags = Clear(Row(parent)->flags, TreeListItem::kExpanded);
  m_widestKnown = false;
  UpdateScrollers();
  InvalidateFrom(parent >= 0 ? parent : 0);
}

BOOL CGUITreeList::DeleteItem(long item, bool withDescendants) {
  const long row = ToRow(item);
  if (row < 0) return 0;
  const long end = static_cast<long>(m_items.SubtreeEnd(static_cast<size_t>(row)));
  if (withDescendants || end == row + 1) {
    DeleteRows(row, end);
    return 1;
  }
  // Only the item goes: its descendants move up a level. Its container is opened first with
  // the redraw frozen.
  StructureChanged();
  HideTooltip();
  FreezeRedraw(true);
  if (!(Row(row)->flags & TreeListItem::kExpanded)) ExpandRow(row, false, false);
  const TreeListItem* focus = Row(FocusRow());
  if (m_top == Row(row)) m_top = Row(row + 1);
  if (m_dropItem == Row(row)) m_dropItem = nullptr;
  RowsChangedAt(row);
  m_items.DeleteKeepingDescendants(static_cast<size_t>(row));
  if (focus == nullptr || m_items.IndexOf(focus->id) == TreeListItems::kNone) {
    m_focusId = -1;
    if (ValidRow(row)) SetFocusRow(row);
  }
  if (m_anchor == row) m_anchor = -1;
  else if (m_anchor > row) --m_anchor;
  m_widestKnown = false;
  UpdateScrollers();
  FreezeRedraw(false);
  return 1;
}

BOOL CGUITreeList::DeleteDescendants(long item) {
  if (item == kNone) {
    if (!m_items.Count()) return 1;
    DeleteRows(0, static_cast<long>(m_items.Count()));
    return 1;
  }
  const long row = ToRow(item);
  if (row < 0) return 0;
  const long end = static_cast<long>(m_items.SubtreeEnd(static_cast<size_t>(row)));
  if (end > row + 1) DeleteRows(row + 1, end);
  return 1;
}

BOOL CGUITreeList::CopyOrMove(long src, long dst, bool withDescendants, bool move, bool asChild) {
  const long from = ToRow(src), to = ToRow(dst);
  if (from < 0 || to < 0) return 0;
  StructureChanged();
  HideTooltip();
  const TreeListItem* anchor = Row(m_anchor);
  const size_t at = m_items.MoveOrCopy(static_cast<size_t>(from), withDescendants, static_cast<size_t>(to), asChild, !move);
  if (at == TreeListItems::kNone) return 0;
  // Records keep their addresses through a move: the anchor and the top row follow them.
  m_anchor = anchor ? static_cast<long>(m_items.IndexOf(anchor->id)) : -1;
  if (m_top && !(m_top->flags & TreeListItem::kShown)) m_top = nullptr;
  m_topPosKnown = false;
  m_widestKnown = false;
  UpdateScrollers();
  if (m_hWnd && !m_freeze) ::InvalidateRect(m_hWnd, NULL, TRUE);
  return 1;
}

// Opening and closing.

bool CGUITreeList::RedrawOff() const { return !m_hWnd || m_freeze || !::IsWindowVisible(m_hWnd); }

void CGUITreeList::ExpandRow(long row, bool recurse, bool notify) {
  TreeListItem* item = Row(row);
  if (!item || !(item->flags & TreeListItem::kContainer)) return;
  StructureChanged();
  if (RedrawOff() && !recurse) {
    // Nothing shows: the rows are counted when somebody next asks, as the system tree does.
    m_items.SetExpandedLater(static_cast<size_t>(row), true);
    m_topPosKnown = false;
    m_widestKnown = false;
    m_flags |= kRangesPending;
    if (notify) Notify(kNotifyExpanded, row);
    return;
  }
  const size_t before = m_items.ShownCount();
  if (recurse) {
    const size_t end = m_items.SubtreeEnd(static_cast<size_t>(row));
    for (size_t i = static_cast<size_t>(row) + 1; i < end; ++i)
      if (m_items.At(i)->flags & TreeListItem::kContainer) m_items.At(i)->flags |= TreeListItem::kExpanded;
  }
  m_items.Expand(static_cast<size_t>(row), true);
  if (m_items.ShownCount() != before) {
    RowsChangedAt(row + 1);
    m_widestKnown = false;
    UpdateScrollers();
  }
  if (item->flags & TreeListItem::kShown) InvalidateFrom(row);
  if (notify) Notify(kNotifyExpanded, row);
}

void CGUITreeList::CollapseRow(long row, bool notify) {
  TreeListItem* item = Row(row);
  if (!item || !(item->flags & TreeListItem::kExpanded)) return;
  StructureChanged();
  HideTooltip();
  const long top = m_top ? static_cast<long>(m_items.IndexOf(m_top->id)) : -1;
  const long end = static_cast<long>(m_items.SubtreeEnd(static_cast<size_t>(row)));
  const bool later = RedrawOff();
  if (later) m_items.SetExpandedLater(static_cast<size_t>(row), false);
  else m_items.Expand(static_cast<size_t>(row), false);
  if (top > row && top < end) m_top = item;
  RowsChangedAt(row + 1);
  // A hidden focused item gives its focus (and, in a single selection, the selection) to
  // the collapsed item.
  const long focus = FocusRow();
  if (focus > row && focus < end) {
    SetFocusRow(row);
    if (!(m_flags & kMultipleSel)) SelectRow(row, true, false, true);
  }
  m_widestKnown = false;
  if (later) {
    m_flags |= kRangesPending;
  } else {
    UpdateScrollers();
    InvalidateFrom(row);
  }
  if (notify) Notify(kNotifyCollapsed, row);
}

BOOL CGUITreeList::Expand(long item, bool notify, bool recurse) {
  const long row = ToRow(item);
  TreeListItem* it = Row(row);
  if (!it || !(it->flags & TreeListItem::kContainer) || (it->flags & TreeListItem::kExpanded)) return 0;
  ExpandRow(row, recurse, notify);
  return 1;
}

BOOL CGUITreeList::ExpandEx(long item, bool recurse, bool notify) { return Expand(item, notify, recurse); }

BOOL CGUITreeList::Collapse(long item) {
  const long row = ToRow(item);
  TreeListItem* it = Row(row);
  if (!it || !(it->flags & TreeListItem::kExpanded)) return 0;
  CollapseRow(row, true);
  return 1;
}

BOOL CGUITreeList::ForceContainer(long item) {
  TreeListItem* it = Row(ToRow(item));
  if (!it) return 0;
  it->flags |= TreeListItem::kContainer;
  InvalidateRow(ToRow(item));
  return 1;
}

BOOL CGUITreeList::ForceTerminal(long item) {
  const long row = ToRow(item);
  if (row < 0) return 0;
  DeleteDescendants(item);
  Row(row)->flags = Clear(Row(row)->flags, TreeListItem::kContainer | TreeListItem::kExpanded);
  InvalidateRow(row);
  return 1;
}

// Selection and focus.

long CGUITreeList::FocusRow() const {
  if (m_focusId < 0) return -1;
  const size_t row = m_items.IndexOf(m_focusId);
  return row == TreeListItems::kNone ? -1 : static_cast<long>(row);
}

long CGUITreeList::GetFocusItem() const { return ToOuter(FocusRow()); }

void CGUITreeList::SetFocusRow(long row) {
  const long old = FocusRow();
  if (old == row) return;
  if (old >= 0) {
    Row(old)->flags = Clear(Row(old)->flags, TreeListItem::kFocus);
    InvalidateRow(old);
  }
  m_focusId = -1;
  if (TreeListItem* item = Row(row)) {
    item->flags |= TreeListItem::kFocus;
    m_focusId = item->id;
    InvalidateRow(row);
  }
}

BOOL CGUITreeList::GiveFocusToItem(long item) {
  const long row = ToRow(item);
  if (row < 0) return 0;
  SetFocusRow(row);
  return 1;
}

bool CGUITreeList::LowLevelSelect(long row, bool on) {
  TreeListItem* item = Row(row);
  if (!item) return false;
  if (on && (item->flags & TreeListItem::kDisabled)) {
    if (m_flags & kNoSelectDisabled) return false;
    if (m_flags & kNotifySelectDisabled) {
      m_lastNotifyRow = row;
      return false;
    }
  }
  const bool was = (item->flags & TreeListItem::kSelected) != 0;
  if (was == on) return false;
  if (on) item->flags |= TreeListItem::kSelected;
  else item->flags = Clear(item->flags, TreeListItem::kSelected);
  m_lastNotifyRow = row;
  InvalidateRow(row);
  return true;
}

void CGUITreeList::SelectRow(long row, bool single, bool range, bool notify) {
  const DWORD held = m_flags & (kHoldNotify | kNotifyHeld);
  if (notify) m_flags = (m_flags | kHoldNotify) & ~kNotifyHeld;
  bool changed = false;
  if (range && GetSelectedCount() > 0) {
    if (!ValidRow(m_anchor) || !(Row(m_anchor)->flags & TreeListItem::kSelected)) m_anchor = ToRow(GetSelected());
    const long lo = std::min(m_anchor, row), hi = std::max(m_anchor, row);
    for (long i = 0; ValidRow(i); ++i) changed |= LowLevelSelect(i, i >= lo && i <= hi);
  } else if (single) {
    for (long i = 0; ValidRow(i); ++i)
      if (i != row) changed |= LowLevelSelect(i, false);
    m_anchor = row;
  }
  changed |= LowLevelSelect(row, true);
  if (notify) {
    m_flags = (m_flags & ~(kHoldNotify | kNotifyHeld)) | held;
    // The part of the click that made the change stays readable (GetLastItemPosition).
    if (changed) Notify(kNotifySelection, m_lastNotifyRow, m_lastNotifyPart);
  }
}

BOOL CGUITreeList::Select(long item, bool on, bool notify) {
  if (item == kNone) {
    if (on && !(m_flags & kMultipleSel)) return 0;
    bool changed = false;
    for (long i = 0; ValidRow(i); ++i) changed |= LowLevelSelect(i, on);
    if (notify && changed) Notify(kNotifySelection, -1);
    return 1;
  }
  const long row = ToRow(item);
  if (row < 0) return 0;
  if (on) {
    SelectRow(row, !(m_flags & kMultipleSel), false, notify);
    if (!(m_flags & kMultipleSel)) SetFocusRow(row);
  } else if (LowLevelSelect(row, false) && notify) {
    Notify(kNotifySelection, row);
  }
  return 1;
}

void CGUITreeList::DeselectAll() {
  for (long i = 0; ValidRow(i); ++i) LowLevelSelect(i, false);
}

BOOL CGUITreeList::IsSelected(long item) const {
  const TreeListItem* it = Row(ToRow(item));
  return it && (it->flags & TreeListItem::kSelected) ? 1 : 0;
}

long CGUITreeList::GetNextSelected(long after) const {
  long row = after == kNone ? 0 : ToRow(after) + 1;
  if (after != kNone && row == 0) return -1;
  for (; ValidRow(row); ++row)
    if (Row(row)->flags & TreeListItem::kSelected) return ToOuter(row);
  return -1;
}

long CGUITreeList::GetSelected() const { return GetNextSelected(kNone); }

int CGUITreeList::GetSelectedCount() const {
  int count = 0;
  for (long i = 0; ValidRow(i); ++i)
    if (Row(i)->flags & TreeListItem::kSelected) ++count;
  return count;
}

// Check boxes.

void CGUITreeList::CheckRow(long row, int state, bool propagate, bool notify) {
  TreeListItem* item = Row(row);
  if (!item || (item->flags & TreeListItem::kCheckMask) == state) return;
  if (item->flags & TreeListItem::kDisabled) {
    if (m_flags & kNoCheckDisabled) return;
    if (m_flags & kNotifyCheckDisabled) {
      if (notify) Notify(kNotifyCheck, row, kCheckPart);
      return;
    }
  }
  item->flags = static_cast<unsigned short>((item->flags & ~TreeListItem::kCheckMask) | (state & 3));
  InvalidateRow(row);
  std::shared_ptr<bool> alive = m_alive;
  if (notify && !Notify(kNotifyCheck, row, kCheckPart)) return;
  if (!propagate || !*alive) return;
  WORD mask = 0;
  switch (state) {
    case 1: mask = m_checkFlags & 0xE0; break;
    case 0:
      if (m_checkFlags & 0x400) mask |= 0x40;
      if (m_checkFlags & 0x200) mask |= 0x20;
      if (m_checkFlags & 0x800) mask |= 0x80;
      break;
    default:
      if (m_checkFlags & 0x2000) mask |= 0x40;
      if (m_checkFlags & 0x1000) mask |= 0x20;
      break;
  }
  if (!mask) return;
  if (mask & 0x60) {
    // Down: the children (0x20) or every descendant (0x40), without going up again.
    const size_t end = m_items.SubtreeEnd(static_cast<size_t>(row));
    for (size_t i = static_cast<size_t>(row) + 1; i < end; ++i) {
      if (!(mask & 0x40) && m_items.At(i)->level != item->level + 1) continue;
      CheckRow(static_cast<long>(i), state, false, notify);
      if (!*alive) return;
    }
  }
  if (mask & 0x80) {
    // Up: a parent whose children now all share the state takes it too.
    const size_t parent = m_items.Parent(static_cast<size_t>(row));
    if (parent == TreeListItems::kNone) return;
    const size_t end = m_items.SubtreeEnd(parent);
    const unsigned short level = static_cast<unsigned short>(m_items.At(parent)->level + 1);
    for (size_t i = parent + 1; i < end; ++i)
      if (m_items.At(i)->level == level && (m_items.At(i)->flags & TreeListItem::kCheckMask) != state) return;
    // The parent goes on upwards, but not down again.
    const WORD saved = m_checkFlags;
    m_checkFlags = static_cast<WORD>(m_checkFlags & ~0x3660);
    CheckRow(static_cast<long>(parent), state, true, notify);
    if (*alive) m_checkFlags = saved;
  }
}

BOOL CGUITreeList::SetItemCheckBoxState(long item, int state, bool propagate, bool redraw) {
  const long row = ToRow(item);
  if (row < 0 || state < 0 || state > 2) return 0;
  if (!redraw) FreezeRedraw(true);
  CheckRow(row, state, propagate, false);
  if (!redraw) FreezeRedraw(false);
  return 1;
}

int CGUITreeList::GetItemCheckBoxState(long item) const {
  const TreeListItem* it = Row(ToRow(item));
  return it ? (it->flags & TreeListItem::kCheckMask) : -1;
}

// Texts, values, styles and images.

BOOL CGUITreeList::GetItemText(long item, std::wstring& text) const {
  const TreeListItem* it = Row(ToRow(item));
  if (!it) return 0;
  text = it->text;
  return 1;
}

BOOL CGUITreeList::SetItemText(long item, const wchar_t* text, bool notify) {
  const long row = ToRow(item);
  TreeListItem* it = Row(row);
  if (!it) return 0;
  it->text = text ? text : L"";
  it->textWidth = -1;
  m_widestKnown = false;
  UpdateScrollers();
  InvalidateRow(row);
  if (notify) Notify(kNotifyText, row);
  return 1;
}

void* CGUITreeList::GetItemData(long item) const {
  const TreeListItem* it = Row(ToRow(item));
  return it ? it->data : nullptr;
}

BOOL CGUITreeList::SetItemData(long item, void* data) {
  TreeListItem* it = Row(ToRow(item));
  if (!it) return 0;
  it->data = data;
  return 1;
}

const TreeListItem* CGUITreeList::GetItemDataPtr(long item) const { return Row(ToRow(item)); }

BOOL CGUITreeList::IsItemShown(long item) const {
  const long row = ToRow(item);
  return row >= 0 && m_items.IsShown(static_cast<size_t>(row)) ? 1 : 0;
}

int CGUITreeList::GetItemType(long item) const {
  const TreeListItem* it = Row(ToRow(item));
  if (!it) return kBadItem;
  if (!(it->flags & TreeListItem::kContainer)) return kTerminal;
  return (it->flags & TreeListItem::kExpanded) ? kOpenContainer : kClosedContainer;
}

int CGUITreeList::GetItemStyle(long item) const {
  const TreeListItem* it = Row(ToRow(item));
  if (!it) return -1;
  return (it->fontIndex & 3) | ((it->flags & TreeListItem::kDisabled) ? kGreyed : 0);
}

BOOL CGUITreeList::SetItemStyle(long item, BYTE style) {
  const long row = ToRow(item);
  TreeListItem* it = Row(row);
  if (!it) return 0;
  it->fontIndex = style & 3;
  if (style & kGreyed) it->flags |= TreeListItem::kDisabled;
  else it->flags = Clear(it->flags, TreeListItem::kDisabled);
  it->textWidth = -1;
  m_widestKnown = false;
  InvalidateRow(row);
  return 1;
}

BOOL CGUITreeList::GetItemImages(int type, long item, short& first, short& second) const {
  if (type < kTerminal || type > kOpenContainer) return 0;
  if (item == kNone) {
    first = m_defaultImages[type - 1][0];
    second = m_defaultImages[type - 1][1];
    return 1;
  }
  const TreeListItem* it = Row(ToRow(item));
  if (!it) return 0;
  first = it->images[type - 1][0];
  second = it->images[type - 1][1];
  return 1;
}

BOOL CGUITreeList::SetItemImages(int type, long item, short first, short second) {
  if (type < kTerminal || type > kOpenContainer) return 0;
  short* pair = nullptr;
  if (item == kNone) {
    pair = m_defaultImages[type - 1];
  } else {
    TreeListItem* it = Row(ToRow(item));
    if (!it) return 0;
    pair = it->images[type - 1];
  }
  pair[0] = first;
  pair[1] = second;
  if (first >= 0 || second >= 0) {
    if (type == kTerminal) m_terminalImages = true;
    else m_containerImages = true;
  }
  m_widestKnown = false;
  if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
  return 1;
}

void CGUITreeList::SetImageList(HIMAGELIST list, int imageWidth) {
  if (list != m_appImages) {
    for (size_t i = 0; i < m_items.Count(); ++i)
      std::fill(&m_items.At(i)->images[0][0], &m_items.At(i)->images[0][0] + 6, static_cast<short>(-1));
    std::fill(&m_defaultImages[0][0], &m_defaultImages[0][0] + 6, static_cast<short>(-1));
    m_terminalImages = m_containerImages = false;
  }
  m_appImages = list;
  m_appImageWidth = imageWidth;
  m_widestKnown = false;
  if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
}

int CGUITreeList::ImageColumn(const TreeListItem& item) const {
  if (!m_appImages) return 0;
  const bool any = (item.flags & TreeListItem::kContainer) ? m_containerImages : m_terminalImages;
  return any ? m_appImageWidth + 3 : 0;
}

// Navigation and search.

long CGUITreeList::GetNextItem(long item) const {
  if (item == kNone) return ToOuter(0);
  const long row = ToRow(item);
  return row < 0 ? -1 : ToOuter(row + 1);
}

long CGUITreeList::GetPreviousItem(long item) const {
  if (item == kNone) return ToOuter(static_cast<long>(m_items.Count()) - 1);
  const long row = ToRow(item);
  return row < 0 ? -1 : ToOuter(row - 1);
}

long CGUITreeList::GetSuccessor(long item) const {
  if (item == kNone) return ToOuter(0);
  const long row = ToRow(item);
  if (row < 0) return -1;
  const size_t next = m_items.SubtreeEnd(static_cast<size_t>(row));
  const TreeListItem* it = m_items.At(next);
  return it && it->level == Row(row)->level ? ToOuter(static_cast<long>(next)) : -1;
}

long CGUITreeList::GetPredecessor(long item) const {
  const long row = ToRow(item);
  if (row < 0) return -1;
  const unsigned short level = Row(row)->level;
  for (long i = row; i-- > 0;) {
    if (Row(i)->level == level) return ToOuter(i);
    if (Row(i)->level < level) break;
  }
  return -1;
}

long CGUITreeList::GetAncestor(long item) const {
  const long row = ToRow(item);
  if (row < 0) return -1;
  const size_t parent = m_items.Parent(static_cast<size_t>(row));
  return parent == TreeListItems::kNone ? -1 : ToOuter(static_cast<long>(parent));
}

long CGUITreeList::GetDescendant(long item) const {
  const long row = ToRow(item);
  if (row < 0 || !ValidRow(row + 1) || Row(row + 1)->level <= Row(row)->level) return -1;
  return ToOuter(row + 1);
}

int CGUITreeList::CountDescendants(long item, bool recursive) const {
  const long row = ToRow(item);
  if (row < 0) return 0;
  const size_t end = m_items.SubtreeEnd(static_cast<size_t>(row));
  if (recursive) return static_cast<int>(end - static_cast<size_t>(row) - 1);
  int count = 0;
  for (size_t i = static_cast<size_t>(row) + 1; i < end; ++i)
    if (m_items.At(i)->level == Row(row)->level + 1) ++count;
  return count;
}

long CGUITreeList::FindItem(const void* data) const {
  for (long i = 0; ValidRow(i); ++i)
    if (Row(i)->data == data) return ToOuter(i);
  return -1;
}

long CGUITreeList::ReverseFindItem(const void* data) const {
  for (long i = static_cast<long>(m_items.Count()); i-- > 0;)
    if (Row(i)->data == data) return ToOuter(i);
  return -1;
}

long CGUITreeList::FindItem(const wchar_t* text) const {
  if (!text) return -1;
  for (long i = 0; ValidRow(i); ++i)
    if (Row(i)->text == text) return ToOuter(i);
  return -1;
}

// Flags.

void CGUITreeList::SetFlags(DWORD flags) {
  const DWORD old = m_flags;
  m_flags = flags;
  if ((old ^ flags) & (kButtons | kLines | kChecks)) {
    m_widestKnown = false;
    UpdateScrollers();
    if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
  }
  if ((old & kMultipleSel) && !(flags & kMultipleSel)) {
    for (long i = 0; ValidRow(i); ++i)
      if (!(Row(i)->flags & TreeListItem::kFocus)) LowLevelSelect(i, false);
  }
  if (!(old & kEditEnabled) && (flags & kEditEnabled)) {
    m_flags &= ~kEditEnabled;
    EnableOnlineEdit(true, 32000, (flags & kEditDisabled) != 0);
  }
}

void CGUITreeList::SetCheckBoxFlags(WORD flags) {
  m_checkFlags = flags;
  SetFlags((flags & 1) ? (m_flags & ~kChecks) : (m_flags | kChecks));
}

void CGUITreeList::SetDragAndDropFlags(WORD flags) {
  m_dragFlags = flags;
  if (flags & 7) m_flags |= kDragEnabled;
  else m_flags &= ~kDragEnabled;
}

void CGUITreeList::EnableProcessTabKey(bool on) {
  if (on) m_flags |= kTabKey;
  else m_flags &= ~kTabKey;
}

void CGUITreeList::FreezeRedraw(bool freeze) {
  if (freeze) {
    if (m_freeze++ == 0 && m_hWnd) ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    return;
  }
  if (m_freeze == 0 || --m_freeze > 0) return;
  if (m_hWnd) {
    ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    if (m_flags & kRangesPending) UpdateScrollers();
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

// Sorting.

BOOL CGUITreeList::SortDescendants(CompareFunc compare, long parent, void* data) {
  if (!compare) return 0;
  const long row = parent == kNone ? -1 : ToRow(parent);
  if (parent != kNone && row < 0) return 0;
  StructureChanged();
  HideTooltip();
  const bool collapsed = row >= 0 && !(Row(row)->flags & TreeListItem::kExpanded);
  if (!collapsed) FreezeRedraw(true);
  const TreeListItem* anchor = Row(m_anchor);
  const bool byId = (m_flags & kByID) != 0;
  // The comparator sees items as the caller addresses them: ids, or rows as they stood.
  if (!byId) {
    for (size_t i = 0; i < m_items.Count(); ++i) m_items.At(i)->row = i;
  }
  m_items.SortChildren(row < 0 ? TreeListItems::kNone : static_cast<size_t>(row),
                       [&](const TreeListItem& a, const TreeListItem& b) {
                         const long x = byId ? a.id : static_cast<long>(a.row);
                         const long y = byId ? b.id : static_cast<long>(b.row);
                         return compare(this, y, x, data) > 0;  // a goes first when b should follow it
                       });
  m_anchor = anchor ? static_cast<long>(m_items.IndexOf(anchor->id)) : -1;
  RowsChangedAt(row + 1);
  if (!collapsed) FreezeRedraw(false);
  return 1;
}

namespace {
int CompareTexts(CGUITreeList* list, long a, long b, void* data) {
  std::wstring x, y;
  list->GetItemText(a, x);
  list->GetItemText(b, y);
  const int order = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.c_str(), -1, y.c_str(), -1) - 2;
  return data ? order : -order;
}
}  // namespace

BOOL CGUITreeList::SortDescendants(bool ascending, long parent) {
  return SortDescendants(&CompareTexts, parent, ascending ? reinterpret_cast<void*>(1) : nullptr);
}

// The dump.

int DumpTreeList(CWnd* window, const wchar_t* path, bool fromSelected) {
  CGUITreeList* list = window ? dynamic_cast<CGUITreeList*>(window) : nullptr;
  if (!list) return 1;
  FILE* file = path ? _wfopen(path, L"wt") : nullptr;
  if (!file) return 2;
  int result = 0;
  const DWORD flags = list->GetFlags();
  list->SetFlags(flags & ~CGUITreeList::kByID);
  long row = 0;
  if (list->GetCount() == 0) result = 3;
  else if (fromSelected && (row = list->GetSelected()) < 0) result = 4;
  for (; result == 0 && row < list->GetCount(); ++row) {
    const TreeListItem* item = list->GetItemDataPtr(row);
    if (!item) {
      result = 5;
      break;
    }
    const int level = item->level >= 1 && item->level <= 999 ? item->level : 0;
    const std::string text = Narrow(item->text);
    if (fprintf(file, "%s%s\n", std::string(static_cast<size_t>(level) * 4, ' ').c_str(), text.c_str()) < 0) {
      result = 6;
    }
  }
  list->SetFlags(flags);
  if (fclose(file) != 0 && result == 0) result = 6;
  if (result == 6) ::MessageBoxW(list->m_hWnd, L"Unable to write tree list", NULL, MB_OK);
  return result;
}
