// Column and item records of the list view.
#include "GUIListViewRecords.h"

#include <algorithm>
#include <cwchar>
#include <new>

CGUIListViewText::CGUIListViewText(const CGUIListViewText& other) { *this = other; }

CGUIListViewText& CGUIListViewText::operator=(const CGUIListViewText& other) {
  if (this == &other) return *this;
  Free();
  if (other.m_ownsText && other.m_text) {
    Allocate(other.m_capacity);
    if (m_text) wmemcpy(m_text, other.m_text, static_cast<size_t>(other.m_capacity));
  } else {
    m_text = other.m_text;
    m_capacity = other.m_capacity;
  }
  return *this;
}

CGUIListViewText::~CGUIListViewText() { Free(); }

void CGUIListViewText::Free() {
  if (m_ownsText) delete[] m_text;
  m_text = nullptr;
  m_capacity = 0;
  m_ownsText = false;
}

bool CGUIListViewText::Set(const wchar_t* text, BOOL copy) {
  if (!text) return false;
  // The text may be this record's own: copy it before freeing.
  const int capacity = static_cast<int>(wcslen(text)) + 1;
  if (copy) {
    wchar_t* buffer = new wchar_t[static_cast<size_t>(capacity)];
    wmemcpy(buffer, text, static_cast<size_t>(capacity));
    Free();
    m_text = buffer;
    m_ownsText = true;
  } else {
    if (text != m_text) Free();
    m_text = const_cast<wchar_t*>(text);
    m_ownsText = false;
  }
  m_capacity = capacity;
  return true;
}

void CGUIListViewText::Borrow(wchar_t* buffer, int capacity) {
  if (buffer && buffer == m_text && m_ownsText) {  // its own buffer: still its own
    m_capacity = std::min(capacity, m_capacity);
    return;
  }
  if (buffer != m_text) Free();
  m_text = buffer;
  m_capacity = buffer ? capacity : 0;
  m_ownsText = false;
}

bool CGUIListViewText::Get(CString& text) const {
  if (!m_text) return false;
  text = CString(m_text, static_cast<int>(wcsnlen(m_text, static_cast<size_t>(m_capacity))));
  return true;
}

void CGUIListViewText::Allocate(int capacity) {
  Free();
  if (capacity <= 0) return;
  m_text = new wchar_t[static_cast<size_t>(capacity)]();
  m_capacity = capacity;
  m_ownsText = true;
}

// ---------------------------------------------------------------------------------------
// Column

void CGUIListViewColumn::SetAlignment(tagAlignment alignment) {
  m_format = static_cast<int>(alignment);
  m_mask |= LVCF_FMT;
}

void CGUIListViewColumn::SetWidth(int width) {
  m_width = width;
  m_mask |= LVCF_WIDTH;
}

void CGUIListViewColumn::SetSubItem(int subItem) {
  m_subItem = subItem;
  m_mask |= LVCF_SUBITEM;
}

void CGUIListViewColumn::SetText(const wchar_t* text, BOOL copy) {
  if (m_text.Set(text, copy)) m_mask |= LVCF_TEXT;
}

void CGUIListViewColumn::SetText(wchar_t* buffer, int capacity) {
  m_text.Borrow(buffer, capacity);
  m_mask |= LVCF_TEXT;
}

BOOL CGUIListViewColumn::GetAlignment(tagAlignment& alignment) const {
  if (!(m_mask & LVCF_FMT)) return FALSE;
  alignment = static_cast<tagAlignment>(m_format & LVCFMT_JUSTIFYMASK);
  return TRUE;
}

BOOL CGUIListViewColumn::GetWidth(int& width) const {
  if (!(m_mask & LVCF_WIDTH)) return FALSE;
  width = m_width;
  return TRUE;
}

BOOL CGUIListViewColumn::GetSubItem(int& subItem) const {
  if (!(m_mask & LVCF_SUBITEM)) return FALSE;
  subItem = m_subItem;
  return TRUE;
}

BOOL CGUIListViewColumn::GetText(CString& text) const { return (m_mask & LVCF_TEXT) && m_text.Get(text); }

void CGUIListViewColumn::Reset() {
  m_text.Free();
  m_mask = 0;
}

LVCOLUMNW CGUIListViewColumn::ToColumn() const {
  LVCOLUMNW column = {};
  column.mask = m_mask;
  column.fmt = m_format;
  column.cx = m_width;
  column.pszText = m_text.m_text;
  column.cchTextMax = m_text.m_capacity;
  column.iSubItem = m_subItem;
  return column;
}

// ---------------------------------------------------------------------------------------
// Item

CGUIListViewItem::CGUIListViewItem(int bufferChars) { m_text.Allocate(bufferChars); }

void CGUIListViewItem::SetText(const wchar_t* text, BOOL copy) {
  if (m_text.Set(text, copy)) m_mask |= LVIF_TEXT;
}

void CGUIListViewItem::SetText(wchar_t* buffer, int capacity) {
  m_text.Borrow(buffer, capacity);
  m_mask |= LVIF_TEXT;
}

void CGUIListViewItem::SetImage(int image) {
  m_image = image;
  m_mask |= LVIF_IMAGE;
}

void CGUIListViewItem::SetData(LPARAM data) {
  m_data = data;
  m_mask |= LVIF_PARAM;
}

void CGUIListViewItem::SetState(UINT state, UINT stateMask) {
  m_state = state;
  m_stateMask = stateMask;
  m_mask |= LVIF_STATE;
}

BOOL CGUIListViewItem::GetItem(int& item) const {
  item = m_item;
  return TRUE;
}

BOOL CGUIListViewItem::GetSubItem(int& subItem) const {
  subItem = m_subItem;
  return TRUE;
}

BOOL CGUIListViewItem::GetText(CString& text) const { return (m_mask & LVIF_TEXT) && m_text.Get(text); }

BOOL CGUIListViewItem::GetImage(int& image) const {
  if (!(m_mask & LVIF_IMAGE)) return FALSE;
  image = m_image;
  return TRUE;
}

BOOL CGUIListViewItem::GetData(LPARAM& data) const {
  if (!(m_mask & LVIF_PARAM)) return FALSE;
  data = m_data;
  return TRUE;
}

BOOL CGUIListViewItem::GetState(UINT& state, UINT& stateMask) const {
  if (!(m_mask & LVIF_STATE)) return FALSE;
  state = m_state;
  stateMask = m_stateMask;
  return TRUE;
}

void CGUIListViewItem::Reset() {
  m_text.Free();
  m_mask = 0;
}

LVITEMW CGUIListViewItem::ToItem() const {
  LVITEMW item = {};
  item.mask = m_mask;
  item.iItem = m_item;
  item.iSubItem = m_subItem;
  item.state = m_state;
  item.stateMask = m_stateMask;
  item.pszText = m_text.m_text;
  item.cchTextMax = m_text.m_capacity;
  item.iImage = m_image;
  item.lParam = m_data;
  return item;
}
