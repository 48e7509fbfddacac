// A report-view list whose rows carry a caller's data pointer and whose cell texts are asked
// for on demand through a callback; a click on a column header sorts by that column through a
// second callback, toggling the direction on repeated clicks. Its header is a CSortHeader,
// which shows the sort column's arrow. The list must be a child of a framework window (the
// header clicks and text requests come back reflected).
#pragma once
#include <framework.h>

#include "SortHeader.h"
#include "quarnel_api.h"

// Fills *text with the cell text of a row. userValue is the value given to SetData, rowData
// the row's data pointer; both are pointer-sized.
typedef long(CALLBACK* PFNSORTLISTNEEDTEXT)(DWORD_PTR userValue, DWORD_PTR rowData, CString* text, int column);
// Compares two rows' data: negative, zero or positive.
typedef long(CALLBACK* PFNSORTLISTCOMPARE)(DWORD_PTR userValue, DWORD_PTR rowData1, DWORD_PTR rowData2, int column);

class QUARNEL_API CSortListCtrl : public CListCtrl {
  DECLARE_DYNCREATE(CSortListCtrl)

 public:
  CSortListCtrl();
  ~CSortListCtrl() override;

  void SetNeedTextCallback(PFNSORTLISTNEEDTEXT pfn) { m_pfnNeedText = pfn; }
  void SetSortItemCallback(PFNSORTLISTCOMPARE pfn) { m_pfnCompare = pfn; }
  void SetData(DWORD_PTR userValue) { m_userValue = userValue; }
  // Whether deleting rows (and destroying the window) hands each row's data to OnDeleteItem.
  void SetFreeItemData(BOOL bFree) { m_bFreeItemData = bFree; }

  using CListCtrl::InsertItem;
  // A row at nIndex (-1: after the last) whose text is asked for on demand; the new index, or
  // -1 when the list refuses it.
  int InsertItem(void* pData, int nIndex = -1, int nImage = -1);
  // Sorts by a column and shows the arrow; returns the previous sort column.
  int SortColumn(int nColumn, BOOL bAscending);
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL IsAscending() const { return m_bAscending; }
  CSortHeader& GetSortHeader() { return m_header; }

  // The hooks a derived class may take: the comparison (the callback's answer, 0 without
  // one), the text of a cell (emptied, then the callback's), and the release of a row's data.
  virtual int OnCompareItems(DWORD_PTR data1, DWORD_PTR data2, int column);
  virtual void OnNeedText(DWORD_PTR data, int column, CString& text);
  virtual void OnDeleteItem(DWORD_PTR data);

  // The longest cell text shown; longer texts are cut.
  enum { kMaxShownText = 254 };
  // A cell text as the list shows it: carriage returns removed, line feeds made blanks, at
  // most min(kMaxShownText, cchTextMax - 1) characters copied, always terminated (nothing for a
  // capacity below 1).
  static void CopyShownText(const CString& text, LPTSTR buffer, int cchTextMax);

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  DECLARE_MESSAGE_MAP()

  void AttachHeader();
  void SortRows();
  void DeleteAllData();
  static int CALLBACK CompareRows(LPARAM data1, LPARAM data2, LPARAM sortInfo);

  BOOL m_bFreeItemData;
  int m_nSortColumn;
  BOOL m_bAscending;
  CSortHeader m_header;
  PFNSORTLISTNEEDTEXT m_pfnNeedText;
  PFNSORTLISTCOMPARE m_pfnCompare;
  DWORD_PTR m_userValue;  // pointer-sized
};
