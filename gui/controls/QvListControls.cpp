// Portable list boxes and combo boxes.
#include <string>
#include <vector>

#include "GUIControlText.h"
#include "GUIControls.h"
#include "QvControls.h"
#include "QvImage.h"
#include "UIUtilities.h"

QV_IMPLEMENT_CREATABLE(QvListBox, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvComboBox, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvEditComboBox, QV_RUNTIME_CLASS(QvComboBox))
QV_CLASSINIT(QvListBox)
QV_CLASSINIT(QvComboBox)
QV_CLASSINIT(QvEditComboBox)

namespace {
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(window, message, wParam, lParam);
}

void SetDefaultFont(HWND window) {
  Send(window, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
}

// The text of a list item of any length; false (and empty) for a bad index.
bool ListItemText(HWND window, long index, QvString& text) {
  std::wstring wide;
  const bool got = gui_widgets::ItemText(window, LB_GETTEXTLEN, LB_GETTEXT, index, wide);
  text = QvString(wide.c_str());
  return got;
}

long FindExact(HWND window, UINT message, const QvString& text) {
  const std::wstring wide = text.ToWide();
  return static_cast<long>(Send(window, message, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
}

void ChangeStyle(HWND window, LONG bit, bool on) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const LONG changed = on ? style | bit : style & ~bit;
  if (changed == style) return;
  ::SetWindowLongW(window, GWL_STYLE, changed);
  ::InvalidateRect(window, NULL, TRUE);
  ::UpdateWindow(window);
}
}  // namespace

// ---------------------------------------------------------------------------------------
// List box

bool QvListBox::IsMultiSelection() const {
  HWND window = GetPlatformWindow();
  return window && (::GetWindowLongW(window, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool QvListBox::Select(long index, bool select) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  if (IsMultiSelection()) return Send(window, LB_SETSEL, select, index) != LB_ERR;
  const LRESULT r = Send(window, LB_SETCURSEL, static_cast<WPARAM>(select ? index : -1));
  return !(select && r == LB_ERR);
}

bool QvListBox::Select(const QvArraySLong& indices, bool select) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  bool all = true;
  for (long i = 0; i < indices.GetSize(); ++i) all &= Send(window, LB_SETSEL, select, indices[i]) != LB_ERR;
  return all;
}

bool QvListBox::Select(const QvString& text, bool select) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  const bool multi = IsMultiSelection();
  if (!multi && !select) {
    Send(window, LB_SETCURSEL, static_cast<WPARAM>(-1));
    return true;
  }
  const long index = FindExact(window, LB_FINDSTRINGEXACT, text);
  if (index < 0) return false;
  return multi ? Send(window, LB_SETSEL, select, index) != LB_ERR
               : Send(window, LB_SETCURSEL, static_cast<WPARAM>(index)) != LB_ERR;
}

bool QvListBox::Select(const QvArrayQvString& texts, bool select) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  bool all = true;
  for (long i = 0; i < texts.GetSize(); ++i) {
    const long index = FindExact(window, LB_FINDSTRINGEXACT, texts[i]);
    if (index < 0)
      all = false;
    else
      all &= Send(window, LB_SETSEL, select, index) != LB_ERR;
  }
  return all;
}

bool QvListBox::GetSelected(long& index) {
  index = -1;
  HWND window = GetPlatformWindow();
  if (!window) return false;
  if (IsMultiSelection()) {
    // LB_GETCURSEL of a multi-selection list answers the caret, selected or not.
    int first = -1;
    if (Send(window, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) == 1) index = first;
  } else {
    index = static_cast<long>(Send(window, LB_GETCURSEL));
  }
  if (index < 0) index = -1;
  return index >= 0;
}

bool QvListBox::GetSelected(QvArraySLong& indices) {
  indices.RemoveAll();
  HWND window = GetPlatformWindow();
  if (!window) return false;
  if (!IsMultiSelection()) {
    const long current = static_cast<long>(Send(window, LB_GETCURSEL));
    if (current >= 0) indices.Add(current);
    return true;
  }
  const LRESULT count = Send(window, LB_GETSELCOUNT);
  if (count == LB_ERR) return false;
  std::vector<int> selected(static_cast<size_t>(count) + 1);
  const LRESULT got = Send(window, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(selected.data()));
  for (LRESULT i = 0; i < got; ++i) indices.Add(selected[static_cast<size_t>(i)]);
  return true;
}

bool QvListBox::GetSelected(QvString& text) {
  text.Empty();
  HWND window = GetPlatformWindow();
  long index;
  return window && GetSelected(index) && ListItemText(window, index, text);
}

bool QvListBox::GetSelected(QvArrayQvString& texts) {
  texts.RemoveAll();
  QvArraySLong indices;
  if (!GetSelected(indices)) return false;
  HWND window = GetPlatformWindow();
  for (long i = 0; i < indices.GetSize(); ++i) {
    QvString text;
    ListItemText(window, indices[i], text);
    texts.Add(text);
  }
  return true;
}

void QvListBox::DeselectAll() {
  if (HWND window = GetPlatformWindow()) {
    if (IsMultiSelection())
      Send(window, LB_SETSEL, FALSE, -1);
    else
      Send(window, LB_SETCURSEL, static_cast<WPARAM>(-1));
  }
}

void QvListBox::SelectAll() {
  if (HWND window = GetPlatformWindow()) Send(window, LB_SETSEL, TRUE, -1);
}

bool QvListBox::IsSelected(long index) {
  HWND window = GetPlatformWindow();
  return window && Send(window, LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

bool QvListBox::IsSelected(const QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  const long index = FindExact(window, LB_FINDSTRINGEXACT, text);
  return index >= 0 && IsSelected(index);
}

long QvListBox::GetCount() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<long>(Send(window, LB_GETCOUNT)) : 0;
}

long QvListBox::GetSelectedCount() {
  HWND window = GetPlatformWindow();
  if (!window) return 0;
  if (!IsMultiSelection()) return Send(window, LB_GETCURSEL) >= 0 ? 1 : 0;
  return static_cast<long>(Send(window, LB_GETSELCOUNT));
}

void QvListBox::EnableMultipleSel(bool) {}

bool QvListBox::IsMultipleSelEnabled() {
  HWND window = GetPlatformWindow();
  return window && (::GetWindowLongW(window, GWL_STYLE) & LBS_MULTIPLESEL) != 0;
}

void QvListBox::Sort(bool sort) {
  if (HWND window = GetPlatformWindow()) ChangeStyle(window, LBS_SORT, sort);
}

bool QvListBox::IsSorted() {
  HWND window = GetPlatformWindow();
  return window && (::GetWindowLongW(window, GWL_STYLE) & LBS_SORT) != 0;
}

long QvListBox::AddItem(const QvString& text, long index) {
  HWND window = GetPlatformWindow();
  if (!window) return -1;
  SetDefaultFont(window);
  const std::wstring wide = text.ToWide();
  const LRESULT at = index != -1 && !IsSorted()
                         ? Send(window, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()))
                         : Send(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  return at < 0 ? -1 : static_cast<long>(at);
}

void QvListBox::AddItem(const QvArrayQvString& texts) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  SetDefaultFont(window);
  for (long i = 0; i < texts.GetSize(); ++i)
    Send(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i].ToWide().c_str()));
}

bool QvListBox::DeleteItem(long index) {
  HWND window = GetPlatformWindow();
  return window && index >= 0 && Send(window, LB_DELETESTRING, static_cast<WPARAM>(index)) != LB_ERR;
}

bool QvListBox::DeleteItem(const QvString& text) {
  HWND window = GetPlatformWindow();
  return window && DeleteItem(FindExact(window, LB_FINDSTRINGEXACT, text));
}

void QvListBox::DeleteAllItems() {
  if (HWND window = GetPlatformWindow()) Send(window, LB_RESETCONTENT);
}

bool QvListBox::FindItem(const void* data, long& index) {
  index = -1;
  HWND window = GetPlatformWindow();
  if (!window) return false;
  const long count = static_cast<long>(Send(window, LB_GETCOUNT));
  for (long i = 0; i < count; ++i)
    if (Send(window, LB_GETITEMDATA, static_cast<WPARAM>(i)) == reinterpret_cast<LRESULT>(data)) {
      index = i;
      return true;
    }
  return false;
}

bool QvListBox::FindItem(const QvString& text, long& index) {
  HWND window = GetPlatformWindow();
  index = window ? FindExact(window, LB_FINDSTRINGEXACT, text) : -1;
  if (index < 0) index = -1;
  return index >= 0;
}

bool QvListBox::FindItem(long index, QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window) {
    text.Empty();
    return false;
  }
  return ListItemText(window, index, text);
}

void QvListBox::SetItemVisible(long index) {
  if (HWND window = GetPlatformWindow()) Send(window, LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

void QvListBox::SetItemVisible(const QvString& text) {
  long index;
  if (FindItem(text, index)) SetItemVisible(index);
}

void QvListBox::SetItemData(long index, void* data) {
  if (HWND window = GetPlatformWindow())
    Send(window, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data));
}

void* QvListBox::GetItemData(long index) {
  HWND window = GetPlatformWindow();
  const LRESULT data = window ? Send(window, LB_GETITEMDATA, static_cast<WPARAM>(index)) : LB_ERR;
  return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

void QvListBox::FreezeRedraw(bool freeze) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  Send(window, WM_SETREDRAW, freeze ? FALSE : TRUE);
  if (!freeze) ::RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------------------------------
// Combo box

CGUIComboBox* QvComboBox::Combo() const {
  return GetPlatformWindow() ? dynamic_cast<CGUIComboBox*>(m_platformControl) : nullptr;
}

bool QvComboBox::Select(long index) {
  HWND window = GetPlatformWindow();
  return window && Send(window, CB_SETCURSEL, static_cast<WPARAM>(index)) != CB_ERR;
}

bool QvComboBox::Select(const QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  const long index = FindExact(window, CB_FINDSTRINGEXACT, text);
  return index >= 0 && Select(index);
}

bool QvComboBox::GetSelected(long& index) {
  HWND window = GetPlatformWindow();
  index = window ? static_cast<long>(Send(window, CB_GETCURSEL)) : -1;
  if (index < 0) index = -1;
  return index >= 0;
}

bool QvComboBox::GetSelected(QvString& text) {
  text.Empty();
  long index;
  return GetSelected(index) && FindItem(index, text);
}

void QvComboBox::DeselectAll() {
  if (HWND window = GetPlatformWindow()) Send(window, CB_SETCURSEL, static_cast<WPARAM>(-1));
}

long QvComboBox::GetCount() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<long>(Send(window, CB_GETCOUNT)) : 0;
}

long QvComboBox::GetSelectedCount() {
  long index;
  return GetSelected(index) ? 1 : 0;
}

void QvComboBox::Sort(bool sort) {
  if (HWND window = GetPlatformWindow()) ChangeStyle(window, CBS_SORT, sort);
}

bool QvComboBox::IsSorted() {
  HWND window = GetPlatformWindow();
  return window && (::GetWindowLongW(window, GWL_STYLE) & CBS_SORT) != 0;
}

long QvComboBox::AddItem(const QvString& text, long index) {
  HWND window = GetPlatformWindow();
  if (!window) return -1;
  SetDefaultFont(window);
  const std::wstring wide = text.ToWide();
  if (CGUIComboBox* combo = Combo()) return combo->InsertItem(wide.c_str(), static_cast<int>(index));
  const LRESULT at = index < 0 ? Send(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()))
                               : Send(window, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
  return at < 0 ? -1 : static_cast<long>(at);
}

long QvComboBox::AddItem(const QvString& text) { return AddItem(text, -1); }

void QvComboBox::AddItem(const QvArrayQvString& texts) {
  for (long i = 0; i < texts.GetSize(); ++i) AddItem(texts[i], -1);
}

bool QvComboBox::DeleteItem(long index) {
  if (CGUIComboBox* combo = Combo()) return combo->DeleteItem(static_cast<int>(index));
  HWND window = GetPlatformWindow();
  return window && index >= 0 && Send(window, CB_DELETESTRING, static_cast<WPARAM>(index)) != CB_ERR;
}

bool QvComboBox::DeleteItem(const QvString& text) {
  long index;
  return FindItem(text, index) && DeleteItem(index);
}

void QvComboBox::DeleteAllItems() {
  if (CGUIComboBox* combo = Combo())
    combo->DeleteAllItems();
  else if (HWND window = GetPlatformWindow())
    Send(window, CB_RESETCONTENT);
}

bool QvComboBox::FindItem(const void* data, long& index) {
  index = -1;
  HWND window = GetPlatformWindow();
  if (!window) return false;
  for (long i = static_cast<long>(Send(window, CB_GETCOUNT)) - 1; i >= 0; --i)
    if (Send(window, CB_GETITEMDATA, static_cast<WPARAM>(i)) == reinterpret_cast<LRESULT>(data)) {
      index = i;
      return true;
    }
  return false;
}

bool QvComboBox::FindItem(const QvString& text, long& index) {
  HWND window = GetPlatformWindow();
  index = window ? FindExact(window, CB_FINDSTRINGEXACT, text) : -1;
  if (index < 0) index = -1;
  return index >= 0;
}

bool QvComboBox::FindItem(long index, QvString& text) {
  text.Empty();
  HWND window = GetPlatformWindow();
  if (!window) return false;
  // Of any length (its length is asked first).
  std::wstring wide;
  const bool got = gui_widgets::ItemText(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, wide);
  text = QvString(wide.c_str());
  return got;
}

bool QvComboBox::FindItemCaseSens(const QvString& text, long& index) {
  index = -1;
  for (long i = GetCount() - 1; i >= 0; --i) {
    QvString item;
    if (FindItem(i, item) && item.CompareAlphaUI(text) == 0) {
      index = i;
      return true;
    }
  }
  return false;
}

void QvComboBox::SetItemData(long index, void* data) {
  if (HWND window = GetPlatformWindow())
    Send(window, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data));
}

void* QvComboBox::GetItemData(long index) {
  HWND window = GetPlatformWindow();
  const LRESULT data = window ? Send(window, CB_GETITEMDATA, static_cast<WPARAM>(index)) : CB_ERR;
  return data == CB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

bool QvComboBox::SetItemText(long index, const QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window || index < 0 || index >= GetCount()) return false;
  const LRESULT data = Send(window, CB_GETITEMDATA, static_cast<WPARAM>(index));
  const short image = GetItemImage(index);
  const long selected = static_cast<long>(Send(window, CB_GETCURSEL));
  if (AddItem(text, index) != index) return false;
  DeleteItem(index + 1);
  // The item keeps its data, image and selection.
  Send(window, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
  if (image >= 0) SetItemImage(index, image);
  if (selected == index) Send(window, CB_SETCURSEL, static_cast<WPARAM>(index));
  return true;
}

void QvComboBox::SetImageList(QvImageList* list, bool showInField) {
  if (CGUIComboBox* combo = Combo()) combo->SetImageList(list ? &list->GetImageList() : nullptr, showInField);
}

bool QvComboBox::SetItemImage(long index, short image) {
  CGUIComboBox* combo = Combo();
  return combo && combo->SetItemImage(static_cast<int>(index), image);
}

short QvComboBox::GetItemImage(long index) {
  CGUIComboBox* combo = Combo();
  return combo ? static_cast<short>(combo->GetItemImage(static_cast<int>(index))) : -1;
}

void QvComboBox::AdjustDroppedWidth() {
  if (CGUIComboBox* combo = Combo()) combo->AdjustDroppedWidth();
}

void QvComboBox::SetReadOnly(bool readOnly) {
  if (CGUIComboBox* combo = Combo()) combo->SetReadOnly(readOnly);
}

void QvComboBox::SetDefaultTextColor() {
  if (CGUIComboBox* combo = Combo()) combo->SetDefaultItemTextColor();
  QvControl::SetDefaultTextColor();
}

void QvComboBox::SetTextColor(QvColor color) {
  if (CGUIComboBox* combo = Combo()) combo->SetItemTextColor(RGB(color.red >> 8, color.green >> 8, color.blue >> 8));
  QvControl::SetTextColor(color);
}

long QvEditComboBox::GetMaxCharLimit() {
  CGUIComboBox* combo = Combo();
  return combo ? combo->m_maxCharLimit : 0;
}

void QvEditComboBox::SetMaxCharLimit(long limit) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  if (CGUIComboBox* combo = Combo()) combo->m_maxCharLimit = limit;
  Send(window, CB_LIMITTEXT, limit == -1 ? 0 : static_cast<WPARAM>(limit));
}

void QvEditComboBox::SetAuthorizedChar(const QvString& chars) {
  if (CGUIComboBox* combo = Combo()) combo->m_authorizedChars = chars;
}

void QvEditComboBox::SetFilteredChar(const QvString& chars) {
  if (CGUIComboBox* combo = Combo()) combo->m_filteredChars = chars;
}
