// The portable multi-column list.
#include "QvMCListBox.h"

#include <QvDialog.h>
#include <QvImage.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "GUIListView.h"
#include "UIUtilities.h"

QV_IMPLEMENT_CLASS(QvMCListBoxNeedTextNotification, QV_RUNTIME_CLASS(QvControlNotification))
QV_IMPLEMENT_CREATABLE(QvMCListBox, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvMCListBoxNeedTextNotification)
QV_CLASSINIT(QvMCListBox)

QvMCListBoxNeedTextNotification::~QvMCListBoxNeedTextNotification() = default;

namespace {
const char kLayoutKey[] = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\MCListForTabs";
const char kLayoutValue[] = "MultiColumn List";
const int kColumnWidth = 100;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(window, message, wParam, lParam);
}

// The whole text of a cell (or a header when `header`), whatever its length; false when the
// list refuses the cell.
bool ReadText(HWND window, long column, long row, std::wstring& text) {
  text.clear();
  if (!window || column < 0 || row < 0) return false;
  for (int capacity = 256;; capacity *= 2) {
    std::vector<wchar_t> buffer(static_cast<size_t>(capacity));
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.iSubItem = static_cast<int>(column);
    item.pszText = buffer.data();
    item.cchTextMax = capacity;
    if (!Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return false;
    const wchar_t* got = item.pszText && item.pszText != LPSTR_TEXTCALLBACKW ? item.pszText : L"";
    const size_t length = wcsnlen(got, static_cast<size_t>(capacity));
    if (got != buffer.data() || static_cast<int>(length) < capacity - 1) {
      text.assign(got, length);
      return true;
    }
  }
}

int RowCount(HWND window) { return window ? static_cast<int>(Send(window, LVM_GETITEMCOUNT)) : 0; }

// Case folded for comparing texts ignoring case.
std::wstring Folded(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// The first row whose cell equals the text ignoring case; -1 when none.
long FindRow(HWND window, long column, const QvString& text) {
  const std::wstring wanted = Folded(text.ToWide());
  std::wstring cell;
  for (int row = 0, count = RowCount(window); row < count; ++row)
    if (ReadText(window, column, row, cell) && cell.size() == wanted.size() && Folded(cell) == wanted) return row;
  return -1;
}

bool SetState(HWND window, long row, UINT state, UINT mask) {
  LVITEMW item = {};
  item.state = state;
  item.stateMask = mask;
  return Send(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

int CompareNumbers(const QvString& a, const QvString& b, bool ascending) {
  double x = 0, y = 0;
  a.GetNumber(x);
  b.GetNumber(y);
  const int order = x < y ? -1 : (x > y ? 1 : 0);
  return ascending ? order : -order;
}

int CompareTexts(const QvString& a, const QvString& b, bool ascending) {
  return ascending ? QvString::CompareAlphaUI(a, b) : QvString::CompareAlphaUI(b, a);
}

struct SortContext {
  const std::vector<QvString>* texts;
  QvMCListCompare compare;
  bool ascending;
};

int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM context) {
  const SortContext* sort = reinterpret_cast<const SortContext*>(context);
  const auto& texts = *sort->texts;
  if (a < 0 || b < 0 || static_cast<size_t>(a) >= texts.size() || static_cast<size_t>(b) >= texts.size()) return 0;
  return sort->compare(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)], sort->ascending);
}
}  // namespace

CGUIListView* QvMCListBox::List() const {
  CWnd* platform = m_platformControl;
  return platform && platform->IsKindOf(RUNTIME_CLASS(CGUIListView)) ? static_cast<CGUIListView*>(platform) : nullptr;
}

void QvMCListBox::ApplyFontOnce() {
  HWND window = Window();
  if (!window || m_extra) return;
  Send(window, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  m_extra = 1;
}

// ---------------------------------------------------------------------------------------
// Selection

void QvMCListBox::EnableProcessTabKey(bool enable) {
  if (CGUIListView* list = List()) list->EnableProcessTabKey(enable);
}

void QvMCListBox::EnableSelection(bool enable) {
  if (CGUIListView* list = List()) list->EnableSelection(enable);
}

bool QvMCListBox::IsSingleSelection() const {
  HWND window = Window();
  return window && (::GetWindowLongW(window, GWL_STYLE) & LVS_SINGLESEL);
}

bool QvMCListBox::SetSelected(long row, bool select) {
  HWND window = Window();
  if (!window || row < 0 || row >= RowCount(window)) return false;
  if (select && IsSingleSelection() && Send(window, LVM_GETSELECTEDCOUNT) > 0) {
    if (CGUIListView* list = List()) list->UnselectAll();
  }
  return SetState(window, row, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool QvMCListBox::Select(long row, bool select) {
  const bool done = SetSelected(row, select);
  if (CGUIListView* list = List()) list->PutFocusOnSel();
  return done;
}

bool QvMCListBox::Select(const QvArraySLong& rows, bool select) {
  bool all = true;
  for (long i = 0; i < rows.GetSize(); ++i) all &= SetSelected(rows[i], select);
  if (CGUIListView* list = List()) list->PutFocusOnSel();
  return all && Window();
}

bool QvMCListBox::Select(const QvString& text, long column, bool select) {
  HWND window = Window();
  const long row = window ? FindRow(window, column, text) : -1;
  return row >= 0 && Select(row, select);
}

bool QvMCListBox::Select(const QvArrayQvString& texts, long column, bool select) {
  HWND window = Window();
  if (!window) return false;
  // One pass over the rows: each row's cell looked up among the texts.
  std::unordered_map<std::wstring, bool> wanted;  // folded text -> matched a row
  for (long i = 0; i < texts.GetSize(); ++i) wanted.emplace(Folded(texts[i].ToWide()), false);
  std::wstring cell;
  for (int row = 0, count = RowCount(window); row < count; ++row) {
    if (!ReadText(window, column, row, cell)) continue;
    auto it = wanted.find(Folded(cell));
    if (it == wanted.end()) continue;
    it->second = true;
    SetSelected(row, select);
  }
  if (CGUIListView* list = List()) list->PutFocusOnSel();
  return std::all_of(wanted.begin(), wanted.end(), [](const auto& w) { return w.second; });
}

bool QvMCListBox::GetSelected(long& row) {
  HWND window = Window();
  row = window ? static_cast<long>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
  if (row < 0) row = -1;
  return row >= 0;
}

bool QvMCListBox::GetSelected(QvArraySLong& rows) {
  rows.RemoveAll();
  HWND window = Window();
  if (!window) return false;
  for (int i = -1; (i = static_cast<int>(Send(window, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
    rows.Add(i);
  return true;
}

bool QvMCListBox::GetSelected(QvString& text, long column) {
  text.Empty();
  long row = -1;
  return GetSelected(row) && GetCellText(column, row, text);
}

bool QvMCListBox::GetSelected(QvArrayQvString& texts, long column) {
  texts.RemoveAll();
  QvArraySLong rows;
  if (!GetSelected(rows)) return false;
  for (long i = 0; i < rows.GetSize(); ++i) {
    QvString text;
    GetCellText(column, rows[i], text);
    texts.Add(text);
  }
  return true;
}

void QvMCListBox::DeselectAll() {
  if (HWND window = Window()) SetState(window, -1, 0, LVIS_SELECTED);
}

void QvMCListBox::SelectAll() {
  if (HWND window = Window()) SetState(window, -1, LVIS_SELECTED, LVIS_SELECTED);
}

bool QvMCListBox::IsSelected(long row) {
  HWND window = Window();
  return window && row >= 0 && (Send(window, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED);
}

bool QvMCListBox::IsSelected(const QvString& text, long column, bool caseSensitive) {
  HWND window = Window();
  if (!window || Send(window, LVM_GETSELECTEDCOUNT) == 0) return false;
  const std::wstring wanted = caseSensitive ? text.ToWide() : Folded(text.ToWide());
  std::wstring cell;
  for (int row = 0, count = RowCount(window); row < count; ++row) {
    if (!ReadText(window, column, row, cell)) continue;
    if ((caseSensitive ? cell : Folded(cell)) == wanted) return IsSelected(row);
  }
  return false;
}

long QvMCListBox::GetCount() { return RowCount(Window()); }

long QvMCListBox::GetSelectedCount() {
  HWND window = Window();
  return window ? static_cast<long>(Send(window, LVM_GETSELECTEDCOUNT)) : 0;
}

void QvMCListBox::EnableMultipleSel(bool enable) {
  HWND window = Window();
  if (!window) return;
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  ::SetWindowLongW(window, GWL_STYLE, enable ? style & ~LVS_SINGLESEL : style | LVS_SINGLESEL);
}

bool QvMCListBox::IsMultipleSelEnabled() {
  HWND window = Window();
  return window && !(::GetWindowLongW(window, GWL_STYLE) & LVS_SINGLESEL);
}

// ---------------------------------------------------------------------------------------
// Sorting

void QvMCListBox::Sort(const QvArraySLong&, bool) {}
void QvMCListBox::Sort(bool) {}
bool QvMCListBox::IsSorted() { return false; }

void QvMCListBox::SortByColumn(long column, bool ascending, QvMCListCompare compare) {
  HWND window = Window();
  const int count = RowCount(window);
  if (!window || column < 0 || column >= GetColumnsCount() || count < 2) return;
  // Each row's item data is kept aside and replaced by its row number, through which the
  // comparison finds its text; afterwards each row takes back the data of the row it was.
  std::vector<LPARAM> data(static_cast<size_t>(count));
  std::vector<QvString> texts(static_cast<size_t>(count));
  std::wstring text;
  for (int row = 0; row < count; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    data[static_cast<size_t>(row)] = item.lParam;
    ReadText(window, column, row, text);
    texts[static_cast<size_t>(row)] = QvString(text.c_str(), text.size());
    item.lParam = row;
    Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SortContext context = {&texts, compare ? compare : &CompareTexts, ascending};
  Send(window, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(&CompareRows));
  for (int row = 0; row < count; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (item.lParam < 0 || item.lParam >= count) continue;
    item.lParam = data[static_cast<size_t>(item.lParam)];
    Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

bool QvMCListBox::IsNextSortAscending() {
  CGUIListView* list = List();
  return !list || !list->m_nextSortDescending;
}

void QvMCListBox::SortOnColumnHit(long column, bool numeric) {
  CGUIListView* list = List();
  if (!list) return;
  const bool ascending = IsNextSortAscending();
  SortByColumn(column, ascending, numeric ? &CompareNumbers : &CompareTexts);
  list->m_nextSortDescending = ascending;
}

// ---------------------------------------------------------------------------------------
// Rows and cells

long QvMCListBox::AddItem(long row) {
  HWND window = Window();
  if (!window) return -1;
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row < 0 ? RowCount(window) : static_cast<int>(row);
  item.pszText = const_cast<wchar_t*>(L"");
  return static_cast<long>(Send(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool QvMCListBox::DeleteItem(long row) {
  HWND window = Window();
  return window && row >= 0 && Send(window, LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0;
}

bool QvMCListBox::DeleteItem(const QvString& text, long column) {
  HWND window = Window();
  const long row = window ? FindRow(window, column, text) : -1;
  return row >= 0 && DeleteItem(row);
}

void QvMCListBox::DeleteAllItems() {
  if (HWND window = Window()) Send(window, LVM_DELETEALLITEMS);
}

bool QvMCListBox::FindItem(long column, const QvString& text, long& row) {
  HWND window = Window();
  row = window ? FindRow(window, column, text) : -1;
  return row >= 0;
}

bool QvMCListBox::FindItem(long column, long row, QvString& text) {
  std::wstring cell;
  const bool got = ReadText(Window(), column, row, cell);
  text = QvString(cell.c_str(), cell.size());
  return got;
}

bool QvMCListBox::SetCell(long column, long row, const QvListCell& cell) {
  HWND window = Window();
  if (!window) return false;
  LVITEMW item = {};
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  QvString text;
  std::wstring wide;
  if (cell.GetText(text)) {
    ApplyFontOnce();
    wide = text.ToWide();
    item.mask |= LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(wide.c_str());
  }
  if (cell.GetPictureIndex() >= 0) {
    item.mask |= LVIF_IMAGE;
    item.iImage = cell.GetPictureIndex();
  }
  void* data = nullptr;
  if (cell.GetItemData(data)) {
    item.mask |= LVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(data);
  }
  return Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool QvMCListBox::GetCell(long column, long row, QvListCell& cell) {
  cell.Reset();
  HWND window = Window();
  if (!window) return false;
  LVITEMW item = {};
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  if (!Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return false;
  std::wstring text;
  ReadText(window, column, row, text);
  cell.SetText(QvString(text.c_str(), text.size()));
  cell.SetPictureIndex(static_cast<short>(item.iImage));
  cell.SetItemData(reinterpret_cast<void*>(item.lParam));
  return true;
}

bool QvMCListBox::SetCellText(long column, long row, const QvString& text) {
  HWND window = Window();
  if (!window) return false;
  ApplyFontOnce();
  const std::wstring wide = text.ToWide();
  LVITEMW item = {};
  item.iSubItem = static_cast<int>(column);
  item.pszText = const_cast<wchar_t*>(wide.c_str());
  return Send(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool QvMCListBox::SetCellTextAsCallback(long column, long row) {
  HWND window = Window();
  if (!window) return false;
  LVITEMW item = {};
  item.iSubItem = static_cast<int>(column);
  item.pszText = LPSTR_TEXTCALLBACKW;
  return Send(window, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool QvMCListBox::GetCellText(long column, long row, QvString& text) {
  std::wstring cell;
  const bool got = ReadText(Window(), column, row, cell);
  text = QvString(cell.c_str(), cell.size());
  return got && !cell.empty();
}

bool QvMCListBox::SetCellPictureIndex(long column, long row, short index) {
  HWND window = Window();
  if (!window) return false;
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  item.iImage = index;
  return Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

short QvMCListBox::GetCellPictureIndex(long column, long row) {
  HWND window = Window();
  if (!window) return -1;
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  return Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<short>(item.iImage) : -1;
}

bool QvMCListBox::SetItemVisible(long row) {
  HWND window = Window();
  return window && row >= 0 && Send(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE) != 0;
}

bool QvMCListBox::SetItemVisible(const QvString& text, long column) {
  HWND window = Window();
  const long row = window ? FindRow(window, column, text) : -1;
  return row >= 0 && SetItemVisible(row);
}

void QvMCListBox::FreezeRedraw(bool freeze) {
  HWND window = Window();
  if (!window) return;
  Send(window, WM_SETREDRAW, !freeze);
  if (!freeze) ::RedrawWindow(window, NULL, NULL, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool QvMCListBox::SetImageList(QvImageList* list, long kind) {
  HWND window = Window();
  if (!window || kind != 0) return true;
  HIMAGELIST images = list ? list->GetImageList().GetSafeHandle() : NULL;
  // A list that does not share its image lists destroys them with itself: it gets a copy.
  const bool shares = (::GetWindowLongW(window, GWL_STYLE) & LVS_SHAREIMAGELISTS) != 0;
  HIMAGELIST given = images && !shares ? ImageList_Duplicate(images) : images;
  HIMAGELIST previous =
      reinterpret_cast<HIMAGELIST>(Send(window, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(given)));
  if (previous && previous != given && !shares) ImageList_Destroy(previous);
  return true;
}


// ---------------------------------------------------------------------------------------
// Columns

long QvMCListBox::AddColumn(const QvString& title, long index) {
  HWND window = Window();
  if (!window) return -1;
  Send(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const int at = index < 0 ? GetColumnsCount() : static_cast<int>(index);
  const std::wstring wide = title.ToWide();
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(wide.c_str());
  column.cx = kColumnWidth;
  column.iSubItem = at;
  ApplyFontOnce();
  return static_cast<long>(Send(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column)));
}

long QvMCListBox::AddColumn(const QvArrayQvString& titles, long index) {
  long last = -1;
  for (long i = 0; i < titles.GetSize(); ++i) {
    last = AddColumn(titles[i], index < 0 ? -1 : index + i);
    if (last < 0) return -1;
  }
  return last;
}

bool QvMCListBox::DeleteColumn(long column) {
  HWND window = Window();
  return window && column >= 0 && Send(window, LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0;
}

bool QvMCListBox::DeleteColumn(const QvString& title) {
  const long column = FindHeader(title);
  return column >= 0 && DeleteColumn(column);
}

void QvMCListBox::DeleteAllColumns() {
  HWND window = Window();
  if (!window) return;
  while (Send(window, LVM_DELETECOLUMN, 0)) {
  }
}

unsigned short QvMCListBox::GetColumnsCount() {
  HWND window = Window();
  if (!window) return 0;
  HWND header = reinterpret_cast<HWND>(Send(window, LVM_GETHEADER));
  if (header) return static_cast<unsigned short>(std::max<LRESULT>(0, Send(header, HDM_GETITEMCOUNT)));
  unsigned short count = 0;
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH;
  while (Send(window, LVM_GETCOLUMNW, count, reinterpret_cast<LPARAM>(&column))) ++count;
  return count;
}

short QvMCListBox::GetColumnWidth(long column) {
  HWND window = Window();
  if (!window || column < 0) return -1;
  LVCOLUMNW record = {};
  record.mask = LVCF_WIDTH;
  if (!Send(window, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record))) return -1;
  return static_cast<short>(record.cx);
}

bool QvMCListBox::SetColumnWidth(long column, unsigned short width) {
  HWND window = Window();
  return window && column >= 0 && column < GetColumnsCount() &&
         Send(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0;
}

void QvMCListBox::DistribPercentWidths(const QvArrayUShort& percents) {
  HWND window = Window();
  if (!window) return;
  RECT client = {};
  ::GetClientRect(window, &client);
  const int width = client.right - client.left;
  const long columns = GetColumnsCount();
  // Only the columns that have a percentage: a short array leaves the others as they are.
  const long given = std::min<long>(columns, percents.GetSize());
  int left = width;
  for (long i = 0; i < given; ++i) {
    int share = static_cast<int>(percents[i]) * width / 100;
    // The last column takes what is left when the rounding of the others left a small gap.
    if (i == columns - 1 && percents.GetSize() == columns && share < left && share * 11 > left * 10) share = left;
    Send(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(share, 0));
    left -= share;
  }
}

bool QvMCListBox::SetHeaderText(long column, const QvString& text) {
  HWND window = Window();
  if (!window || column < 0) return false;
  const std::wstring wide = text.ToWide();
  LVCOLUMNW record = {};
  record.mask = LVCF_TEXT;
  record.pszText = const_cast<wchar_t*>(wide.c_str());
  return Send(window, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record)) != 0;
}

bool QvMCListBox::GetHeaderText(long column, QvString& text) {
  text.Empty();
  HWND window = Window();
  if (!window || column < 0) return false;
  for (int capacity = 256;; capacity *= 2) {
    std::vector<wchar_t> buffer(static_cast<size_t>(capacity));
    LVCOLUMNW record = {};
    record.mask = LVCF_TEXT;
    record.pszText = buffer.data();
    record.cchTextMax = capacity;
    if (!Send(window, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record))) return false;
    const wchar_t* got = record.pszText ? record.pszText : L"";
    const size_t length = wcsnlen(got, static_cast<size_t>(capacity));
    if (got != buffer.data() || static_cast<int>(length) < capacity - 1) {
      text = QvString(got, length);
      return true;
    }
  }
}

long QvMCListBox::FindHeader(const QvString& text) {
  QvString title;
  for (long column = static_cast<long>(GetColumnsCount()) - 1; column >= 0; --column)
    if (GetHeaderText(column, title) && title == text) return column;
  return -1;
}

bool QvMCListBox::SetItemData(long column, long row, void* data) {
  HWND window = Window();
  if (!window) return false;
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  item.lParam = reinterpret_cast<LPARAM>(data);
  return Send(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

void* QvMCListBox::GetItemData(long column, long row) {
  HWND window = Window();
  if (!window) return nullptr;
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = static_cast<int>(row);
  item.iSubItem = static_cast<int>(column);
  return Send(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? reinterpret_cast<void*>(item.lParam) : nullptr;
}

void QvMCListBox::SetReadOnly(bool readOnly) {
  HWND window = Window();
  if (!window) return;
  const COLORREF back = ::GetSysColor(readOnly ? COLOR_BTNFACE : COLOR_WINDOW);
  Send(window, LVM_SETBKCOLOR, 0, back);
  Send(window, LVM_SETTEXTBKCOLOR, 0, back);
  ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) | LVS_NOSORTHEADER);
  ::RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void QvMCListBox::SetAutoResizeColumns(bool on) {
  if (CGUIListView* list = List()) list->SetAutoResizeColumns(on);
}

bool QvMCListBox::GetAutoResizeColumns() {
  CGUIListView* list = List();
  return list && list->GetAutoResizeColumns();
}

// ---------------------------------------------------------------------------------------
// Column layout per user

QvString QvMCListBox::GetOldLayoutValueName() const {
  HWND window = Window();
  QvString name(kLayoutValue);
  name += QvString(static_cast<long>(window ? ::GetDlgCtrlID(window) : 0));
  return name;
}

QvString QvMCListBox::GetLayoutValueName() const {
  // Qualified by the dialog the list lives in (its dialog id), else by the preferences
  // name of its container: lists of the same id in two dialogs keep layouts of their own.
  QvString name = GetOldLayoutValueName();
  for (QvCommandHandler* handler = const_cast<QvMCListBox*>(this)->GetParentCommandHandler(); handler;
       handler = handler->GetParentCommandHandler()) {
    if (QvDialog* dialog = dynamic_cast<QvDialog*>(handler)) {
      if (dialog->GetDialogID() != 0) {
        name += " dialog ";
        name += QvString(static_cast<unsigned long>(dialog->GetDialogID()));
        return name;
      }
    }
    if (QvRootGUIContainer* container = dynamic_cast<QvRootGUIContainer*>(handler)) {
      if (!container->GetUserPrefsRegistryName().IsEmpty()) {
        name += " in ";
        name += container->GetUserPrefsRegistryName();
        return name;
      }
    }
  }
  return name;
}

bool QvMCListBox::SaveColumnsLayout(IQvConfKey*) {
  const long columns = GetColumnsCount();
  if (!Window() || columns == 0) return false;
  QvString widths;
  for (long i = 0; i < columns; ++i) {
    if (i > 0) widths += ",";
    widths += QvString(static_cast<long>(GetColumnWidth(i)));
  }
  return SetUserKeyStringValue(kLayoutKey, GetLayoutValueName().c_str(), widths.c_str()) >= 0;
}

namespace {
// A stored string of any length; false when it is missing or not a string.
bool ReadStoredText(const char* value, QvString& text) {
  for (unsigned long size = 521;; size *= 2) {
    std::vector<char> buffer(size);
    const long read = GetKeyStringValue(kLayoutKey, value, buffer.data(), size);
    if (read >= 0) {
      text = QvString(buffer.data(), static_cast<size_t>(read));
      return true;
    }
    if (read != QVKEY_E_TOOLARGE || size > (1u << 24)) return false;
  }
}
}  // namespace

bool QvMCListBox::RestoreColumnsLayout(IQvConfKey*) {
  HWND window = Window();
  if (!window) return false;
  QvString stored;
  if (!ReadStoredText(GetLayoutValueName().c_str(), stored) && !ReadStoredText(GetOldLayoutValueName().c_str(), stored))
    return false;
  long column = 0;
  size_t start = 0;
  while (start <= stored.GetLength()) {
    long comma = stored.Find(',', start);
    const size_t end = comma < 0 ? stored.GetLength() : static_cast<size_t>(comma);
    long width = 0;
    if (!stored.Mid(start, end - start).GetNumber(width) || width < 0 || width > 0xFFFF) return false;
    if (!SetColumnWidth(column, static_cast<unsigned short>(width))) return false;
    ++column;
    if (comma < 0) break;
    start = end + 1;
  }
  return true;
}
