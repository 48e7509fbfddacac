// The records in which columns and items go to and from a CGUIListView: the fields of the
// common control's column and item records with a mask of the fields that are set, and a
// text that the record either owns (a copy it frees) or borrows (the caller's buffer).
//
// Copying a record copies an owned text into a new buffer of the copy's own, so that each
// record frees only what it owns; a borrowed text stays borrowed by both.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

// Column alignment: the list view's column formats.
enum tagAlignment { kAlignLeft = LVCFMT_LEFT, kAlignRight = LVCFMT_RIGHT, kAlignCenter = LVCFMT_CENTER };

// The text both records share.
class QUARNEL_API CGUIListViewText {
 public:
  CGUIListViewText() = default;
  CGUIListViewText(const CGUIListViewText& other);
  CGUIListViewText& operator=(const CGUIListViewText& other);
  ~CGUIListViewText();

  // Frees an owned text; the record has no text afterwards.
  void Free();
  // A null text does nothing and answers false. With copy the record owns a copy of the
  // text, without it the record points at the caller's text (which must outlive the use).
  bool Set(const wchar_t* text, BOOL copy);
  // Borrows a caller's buffer of `capacity` characters (to be filled by a read). The
  // record's own buffer stays its own.
  void Borrow(wchar_t* buffer, int capacity);
  // The text up to its capacity; false when there is none.
  bool Get(CString& text) const;
  // A new owned buffer of `capacity` characters (none for 0 or less), empty.
  void Allocate(int capacity);

  wchar_t* m_text = nullptr;
  int m_capacity = 0;
  bool m_ownsText = false;
};

class QUARNEL_API CGUIListViewColumn {
 public:
  CGUIListViewColumn() = default;
  CGUIListViewColumn(const CGUIListViewColumn& other) = default;
  CGUIListViewColumn& operator=(const CGUIListViewColumn& other) = default;
  ~CGUIListViewColumn() { Reset(); }

  void SetAlignment(tagAlignment alignment);
  void SetWidth(int width);
  void SetSubItem(int subItem);
  // See CGUIListViewText::Set; sets the text bit.
  void SetText(const wchar_t* text, BOOL copy);
  // Borrows a buffer for a read; sets the text bit. A non-constant text with a BOOL comes
  // here (BOOL is an int): give a constant text to copy one.
  void SetText(wchar_t* buffer, int capacity);
  // FALSE when the field is not set; else the value.
  BOOL GetAlignment(tagAlignment& alignment) const;
  BOOL GetWidth(int& width) const;
  BOOL GetSubItem(int& subItem) const;
  BOOL GetText(CString& text) const;
  // Frees an owned text and clears the mask.
  void Reset();

  // The common control's record with the set fields (text pointing at this record's text).
  LVCOLUMNW ToColumn() const;

  UINT m_mask = 0;  // LVCF_FMT, LVCF_WIDTH, LVCF_TEXT, LVCF_SUBITEM
  int m_format = 0;
  int m_width = 0;
  CGUIListViewText m_text;
  int m_subItem = 0;
};

class QUARNEL_API CGUIListViewItem {
 public:
  // A buffer of that many characters for reading texts (none for 0).
  explicit CGUIListViewItem(int bufferChars = 0);
  CGUIListViewItem(const CGUIListViewItem& other) = default;
  CGUIListViewItem& operator=(const CGUIListViewItem& other) = default;
  ~CGUIListViewItem() { Reset(); }

  void SetItem(int item) { m_item = item; }
  void SetSubItem(int subItem) { m_subItem = subItem; }
  void SetText(const wchar_t* text, BOOL copy);
  void SetText(wchar_t* buffer, int capacity);
  void SetImage(int image);
  void SetData(LPARAM data);
  void SetState(UINT state, UINT stateMask);
  BOOL GetItem(int& item) const;        // always TRUE
  BOOL GetSubItem(int& subItem) const;  // always TRUE
  BOOL GetText(CString& text) const;
  BOOL GetImage(int& image) const;
  BOOL GetData(LPARAM& data) const;
  BOOL GetState(UINT& state, UINT& stateMask) const;
  // Frees an owned text and clears the mask (the buffer given at construction included).
  void Reset();

  // The common control's record with the set fields.
  LVITEMW ToItem() const;

  UINT m_mask = 0;  // LVIF_TEXT, LVIF_IMAGE, LVIF_PARAM, LVIF_STATE
  int m_item = 0;
  int m_subItem = 0;
  UINT m_state = 0;
  UINT m_stateMask = 0;
  CGUIListViewText m_text;
  int m_image = 0;
  LPARAM m_data = 0;  // pointer-sized
};
