// A simple grid on an owner-drawn report-view list: a number of columns, one row per list
// item, each cell a DrawItemInfo (text, icon, indent), a current row and column (the current
// cell), per-column back colours and enabled flags, keyboard navigation between enabled
// columns, and in-place editing of one cell with the edit-list's CInPlaceEdit. The list must
// be created with LVS_REPORT | LVS_OWNERDRAWFIXED; its parent must be a framework window (the
// drawing and measuring messages come back reflected).
//
// Messages to the parent (WM_NOTIFY unless said otherwise, wParam = the list's id):
//   LVN_BEGINLABELEDIT  an NMLVDISPINFO: mask LVIF_TEXT | LVIF_PARAM, item = current row,
//                       sub-item = current column, the cell's text (or the one character
//                       typed); the parent opens its editor at getEditPosition
//   LVN_ITEMACTIVATE    after the keyboard moved the current row: item = current row, new
//                       state LVIS_SELECTED | LVIS_FOCUSED, changed LVIF_STATE
//   SGN_DELETEROW       (WM_USER + 1, a plain message) the Delete key: wParam = the list's id,
//                       lParam = MAKELPARAM(row, current column); a row or column that does
//                       not fit in 16 bits sends SGN_ROW_NOT_PACKED as the row (ask
//                       getCurrentItem)
#pragma once
#include <framework.h>

#include <vector>

#include "quarnel_api.h"

// One cell: its text, icon (-1 = none) and indent (levels of 8 pixels, at least 0).
class QUARNEL_API DrawItemInfo {
 public:
  explicit DrawItemInfo(const CString& text = CString(), int icon = -1, int indent = 0);
  virtual ~DrawItemInfo();
  virtual CString GetText() const;
  virtual BOOL HasIcon() const;
  // The icon, but -1 whenever the text is empty.
  virtual int GetIcon() const;
  virtual void SetIcon(int icon);
  // Negative values become 0; returns the value stored.
  virtual int SetIndent(int indent);
  virtual int GetIndent() const;

 protected:
  CString m_text;
  int m_icon;
  int m_indent;
};

class QUARNEL_API CSGridCtrl : public CListCtrl {
 public:
  enum { INPLACE_EDIT_ID = 3000, SGN_DELETEROW = WM_USER + 1, SGN_ROW_NOT_PACKED = 0xFFFF };

  explicit CSGridCtrl(int nColumns);
  ~CSGridCtrl() override;

  void addColumn(const CString& title);
  void setColumnHeaders(const std::vector<CString>& titles);
  // Colours and flags beyond the vectors' ends keep their defaults (the window colour,
  // enabled).
  void setColumnColours(const std::vector<COLORREF>& colours);
  void enableColumn(int column, bool enable);
  void setColumnEnabled(const std::vector<bool>& enabled);
  void setImageList(CImageList* pImageList);
  void setAllowInplaceTyping(bool allow) { m_allowTyping = allow; }
  void setHeightOfInPlaceControl(int height);

  // The new row's index; -1 when its cells cannot be allocated or the list refuses it.
  int insertRow(int row);
  // -1 when the vector is shorter than the column count, there are no columns, or a text
  // cannot be set; else the row's index.
  int insertRowWTextItems(int row, const std::vector<CString>& texts);
  BOOL setCellWText(int row, int column, const CString& text);
  CString getCellText(int row, int column) const;
  BOOL setCellIcon(int row, int column, int icon);
  BOOL setCellIndent(int row, int column, int indent);
  int getCellIndent(int row, int column) const;
  // Ownership of the cell passes to the grid.
  BOOL setDrawItem(int row, int column, DrawItemInfo* pInfo);
  DrawItemInfo* getDrawItem(int row, int column) const;
  // The row's cells, one pointer per column (NULL = empty); NULL for a row without cells.
  DrawItemInfo** getDrawRowInfo(int row);
  // Gives the row a cell array of one pointer per column, made with new[] (ownership
  // passes); TRUE when the row already has it.
  BOOL setDrawRowInfo(int row, DrawItemInfo** cells);
  BOOL deleteRow(int row);
  void deleteAllRows();

  int getColumnCount() const { return m_columns; }
  int getCurrentItem() const { return m_currentRow; }
  int getCurrentColumn() const { return m_currentColumn; }
  void setCurrentItem(int row, int column);
  BOOL getEditPosition(int row, int column, CRect& rect);
  void setColumnWidthToFitContents(int column);
  void setColumnWidthsToFitContents();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  // One row's cells and how many there are (a column added later grows the row on use).
  struct Row {
    int count;
    DrawItemInfo** cells;
  };

  void PreSubclassWindow() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg BOOL OnHeaderDividerDblClick(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  Row* RowOf(int row) const;
  // The cell slot, growing the row to the column count; NULL out of range.
  DrawItemInfo** Slot(int row, int column);
  static void FreeRow(Row* pRow);
  BOOL HandleKey(UINT nChar);
  void MoveColumn(int step);
  void MoveRow(int step);
  void BeginEdit(const CString& text);
  void Activate();
  void SendDeleteRow();
  void EditCell(int row, int column);
  void FitColumns(int first, int last);
  void InsertListColumn(int index, const CString& title);
  BOOL ColumnEnabled(int column) const;
  void FirstEnabledIfDisabled();

  int m_indentUnit;
  int m_columns;
  std::vector<COLORREF> m_colours;
  std::vector<bool> m_enabled;
  int m_currentRow;
  int m_currentColumn;
  int m_lastWidth;
  int m_inPlaceHeight;
  CImageList m_images;
  bool m_inSize;
  bool m_allowTyping;
};
