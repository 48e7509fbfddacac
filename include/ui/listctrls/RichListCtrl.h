// A sortable report list whose cells can each be plain text, editable text, editable text with
// a launch button (the grid's CInPlaceEditWithLaunch), a drop-down choice or a check box, and
// can be bold. It draws every cell itself (custom draw), opens the cell's editor when a cell of
// an already selected row is clicked, and applies the edit itself. The list must be a child of
// a framework window (its drawing and the editors' reports come back reflected).
#pragma once
#include <framework.h>

#include <vector>

#include "InPlaceEditWithLaunch.h"
#include "SortListCtrl.h"
#include "UIHandles.h"
#include "quarnel_api.h"

// One cell's kind and look. A row keeps one per column (grown when columns are added later);
// column 0's also holds the row's value and data pointer.
class QUARNEL_API CTLRichItem {
 public:
  CTLRichItem();

  DWORD_PTR m_value;  // the row's value (SetItemData), pointer-sized
  BOOL m_bEditable;
  BOOL m_bLaunch;
  PFNLAUNCHCALLBACK m_pfnLaunch;
  DWORD_PTR m_launchValue;  // pointer-sized
  BOOL m_bDropDown;
  std::vector<CString> m_choices;  // a copy of the caller's choices
  int m_nDropStyle;
  int m_nSelection;
  int m_nCheck;  // -1 no check box, 0 clear, 1 checked
  BOOL m_bBold;
  COLORREF m_textColour;
  void* m_pData;
};

class QUARNEL_API CRichListCtrl : public CSortListCtrl {
 public:
  enum { IDC_RICH_EDITOR = 1014 };

  CRichListCtrl();
  ~CRichListCtrl() override;

  using CSortListCtrl::InsertItem;
  // A row with its text, image and data; -1 when its cells cannot be allocated.
  int InsertItem(LPCTSTR lpszText, int nIndex, int nImage, void* pData);
  BOOL DeleteItem(int nRow);
  BOOL DeleteAllItems();
  BOOL SetItemData(int nRow, DWORD_PTR value);
  DWORD_PTR GetItemData(int nRow) const;
  BOOL SetItemText(int nRow, int nColumn, LPCTSTR lpszText);
  CString GetItemText(int nRow, int nColumn) const;
  BOOL SetEditableText(int nRow, int nColumn, LPCTSTR lpszText);
  BOOL SetEditableTextWithLaunch(int nRow, int nColumn, LPCTSTR lpszText, PFNLAUNCHCALLBACK pfnLaunch,
                                 DWORD_PTR userValue);
  CString GetEditableText(int nRow, int nColumn) const { return GetItemText(nRow, nColumn); }
  CString GetComboText(int nRow, int nColumn) const { return GetItemText(nRow, nColumn); }
  // FALSE for a bad row or column, or no (or an empty) array; the choices are copied. A
  // selection outside the choices becomes 0.
  BOOL SetComboBox(int nRow, int nColumn, BOOL bEnable, const CStringArray* pChoices, int nStyle, int nSelection);
  BOOL SetCheckbox(int nRow, int nColumn, int nState);
  // -1 for a bad row or column or a cell without a check box.
  int GetCheckbox(int nRow, int nColumn) const;
  BOOL SetItemBold(int nRow, int nColumn, BOOL bBold);
  void UpdateSubItem(int nRow, int nColumn);
  int GetColumns() const;
  int GetRowCount() const { return m_nRows; }
  // Widens or narrows the columns in proportion so that together they fill the client width.
  void Autofit();
  // The cell's record, or NULL out of range.
  CTLRichItem* GetCell(int nRow, int nColumn) const;

  void OnDeleteItem(DWORD_PTR data) override;

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSysColorChange();
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  struct Row;
  Row* RowOf(int nRow) const;
  void Press(CPoint point);
  LRESULT CustomDraw(NMLVCUSTOMDRAW* pDraw);
  void DrawCell(CDC* dc, int nRow, int nColumn, const CRect& cell);
  void EndEdit(const NMLVDISPINFO* pInfo);
  void DestroyEditor();
  void LoadLook();
  HFONT BoldFont(HFONT normal);

  int m_nRows;
  uih::OwnedBitmap m_dropDown;
  COLORREF m_colours[11];
  uih::OwnedFont m_boldFont;  // the list's font made bold, for the font it was made from
  HFONT m_boldFrom;
};
