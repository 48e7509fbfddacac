// The grid control ("MFCGridCtrl"): a table of cells with fixed rows at the top and fixed
// columns at the left that never scroll. The grid owns its cells (or, in virtual mode, asks
// its owner or a callback for each cell), the row heights and column widths, the selection and
// the focus cell, and tells its owner of changes by WM_NOTIFY.
//
// Built for large grids: row heights and column widths are kept with 64-bit running totals
// (origin, hit test and top-left cell in O(log n)); scroll positions are exact 64-bit pixel
// offsets, shown on 32-bit scroll bars scaled down when the grid is taller or wider than they
// reach; the selection is rectangles plus per-cell exceptions keyed by the full (row, column).
#pragma once
#include <framework.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GridCell.h"
#include "GridDropTarget.h"
#include "GridSelection.h"
#include "GridSizeTree.h"
#include "GridTypes.h"
#include "TitleTip.h"
#include "quarnel_api.h"

#define GRIDCTRL_CLASSNAME _T("MFCGridCtrl")

class QUARNEL_API CGridCtrl : public CWnd {
  DECLARE_DYNCREATE(CGridCtrl)
 public:
  // The largest height of a row or width of a column, in pixels (larger sizes are cut to it).
  static const UINT kMaxCellSize = 0x00100000;
  // What the mouse is doing (GetMouseMode).
  enum {
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COL = 2,
    MOUSE_SELECT_ROW = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COL_DIVIDE = 8,
    MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12
  };
  // The in-place editor's control id; the auto-scroll timer's id and interval.
  static const UINT IDC_INPLACE_CONTROL = 8;
  static const UINT_PTR kAutoScrollTimer = 513;
  static const UINT kAutoScrollInterval = 25;
  // The edit commands the grid answers (the framework's standard ids).
  static const UINT kCommandCut = 0xE123, kCommandCopy = 0xE122, kCommandPaste = 0xE125;

  CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
  ~CGridCtrl() override;

  BOOL Create(const RECT& rect, CWnd* parent, UINT nID, DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
  // Registers "MFCGridCtrl" for this library; throws the framework's resource exception when it cannot.
  static BOOL RegisterWindowClass();

  // ---- Dimensions (FALSE, or -1 for the insertions, when refused or out of memory) ----
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  BOOL SetRowCount(int nRows = 10);
  BOOL SetColumnCount(int nCols = 10);
  BOOL SetFixedRowCount(int nFixedRows = 1);
  BOOL SetFixedColumnCount(int nFixedCols = 1);
  int InsertRow(LPCTSTR strHeading, int nRow = -1);
  int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
  BOOL DeleteRow(int nRow);
  BOOL DeleteColumn(int nColumn);
  BOOL DeleteNonFixedRows();
  BOOL DeleteAllItems();

  // ---- Geometry ----
  int GetRowHeight(int nRow) const;
  int GetColumnWidth(int nCol) const;
  BOOL SetRowHeight(int row, int height);
  BOOL SetColumnWidth(int col, int width);
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  long long GetVirtualHeight() const { return m_rowHeights.Total(); }
  long long GetVirtualWidth() const { return m_colWidths.Total(); }
  BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
  BOOL GetCellOrigin(const CCellID& cell, LPPOINT p) { return GetCellOrigin(cell.row, cell.col, p); }
  BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
  BOOL GetCellRect(const CCellID& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
  BOOL GetTextRect(int nRow, int nCol, LPRECT pRect);
  BOOL GetTextRect(const CCellID& cell, LPRECT pRect) { return GetTextRect(cell.row, cell.col, pRect); }
  BOOL GetCellRangeRect(const CCellRange& cellRange, LPRECT lpRect);
  CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
  CCellID GetTopleftNonFixedCell(BOOL bForceRecalculation = FALSE);
  CCellRange GetVisibleNonFixedCellRange(LPRECT pRect = NULL, BOOL bForceRecalculation = FALSE);
  CCellRange GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation = FALSE);
  BOOL IsCellVisible(int nRow, int nCol);
  BOOL IsCellVisible(const CCellID& cell) { return IsCellVisible(cell.row, cell.col); }
  BOOL GetPointClicked(int nRow, int nCol, CPoint& point);
  CSize GetTextExtent(int nRow, int nCol, LPCTSTR str);
  CSize GetCellTextExtent(int nRow, int nCol);

  // ---- Sizing ----
  BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = GVS_DEFAULT, BOOL bResetScroll = TRUE);
  BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
  void AutoSizeColumns(UINT nAutoSizeStyle = GVS_DEFAULT);
  void AutoSizeRows();
  void AutoSize(UINT nAutoSizeStyle = GVS_DEFAULT);
  void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);
  void ExpandRowsToFit(BOOL bExpandFixed = TRUE);
  void ExpandLastColumn();
  void ExpandToFit(BOOL bExpandFixed = TRUE);
  void AutoFill();
  static const UINT GVS_DEFAULT = 0;

  // ---- Cells ----
  CGridCellBase* GetCell(int nRow, int nCol) const;
  BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
  BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
  BOOL SetDefaultCellType(CRuntimeClass* pRuntimeClass);
  CGridCellBase* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
  // The grid's font for a LOGFONT, made once and kept while the grid lives (NULL when it cannot be made).
  CFont* GetFontFor(const LOGFONT& lf);

  BOOL SetItem(const GV_ITEM* pItem);
  BOOL GetItem(GV_ITEM* pItem);
  BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
  BOOL SetItemTextFmt(int nRow, int nCol, LPCTSTR szFmt, ...);
  BOOL SetItemTextFmtID(int nRow, int nCol, UINT nID, ...);
  CString GetItemText(int nRow, int nCol) const;
  BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
  LPARAM GetItemData(int nRow, int nCol) const;
  BOOL SetItemImage(int nRow, int nCol, int iImage);
  int GetItemImage(int nRow, int nCol) const;
  BOOL SetItemState(int nRow, int nCol, UINT state);
  UINT GetItemState(int nRow, int nCol) const;
  BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
  UINT GetItemFormat(int nRow, int nCol) const;
  BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
  COLORREF GetItemBkColour(int nRow, int nCol) const;
  BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
  COLORREF GetItemFgColour(int nRow, int nCol) const;
  BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
  const LOGFONT* GetItemFont(int nRow, int nCol);
  BOOL IsItemEditing(int nRow, int nCol);
  BOOL GetModified(int nRow = -1, int nCol = -1);
  void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
  BOOL IsCellEditable(int nRow, int nCol) const;
  BOOL IsCellFixed(int nRow, int nCol) const { return nRow < m_nFixedRows || nCol < m_nFixedCols; }
  BOOL IsValid(int nRow, int nCol) const { return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols; }
  BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
  BOOL IsValid(const CCellRange& range) const;
  CCellRange GetCellRange() const { return CCellRange(0, 0, m_nRows - 1, m_nCols - 1); }

  // ---- Selection and focus ----
  CCellRange GetSelectedCellRange() const;
  int GetSelectedCount() const;
  BOOL IsCellSelected(int nRow, int nCol) const;
  void SelectAllCells();
  // Makes range the selection (an invalid range clears it).
  void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
  // Selects (or, with bSelectCells FALSE, deselects) the block, keeping the cells a Ctrl-click
  // kept; repaints only the visible cells whose selection changed.
  void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                        BOOL bSelectCells = TRUE);
  void ResetSelectedRange();
  void SelectColumns(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
  void SelectRows(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
  void SelectCells(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
  // Extends the selection from the start cell to cell as the mouse mode says.
  void OnSelecting(const CCellID& cell);
  // The first cell from cell in the flags' direction whose state matches one of the flags'
  // states; (-1,-1) when none does.
  CCellID GetNextItem(CCellID cell, int nFlags) const;
  CCellID GetSelectionStartCell() const { return m_SelectionStartCell; }
  // The "select all" command (also Ctrl+A): the selection-changing notice, all cells, the
  // selection-changed notice. Its command update enables it while selection is on.
  static const UINT ID_SELECT_ALL = 0xE12A;
  virtual void OnEditSelectAll();
  CCellID GetFocusCell() const { return m_idCurrentCell; }
  CCellID SetFocusCell(int nRow, int nCol);
  CCellID SetFocusCell(CCellID cell) { return SetFocusCell(cell.row, cell.col); }

  // ---- Virtual mode ----
  void SetVirtualMode(BOOL bVirtual);
  BOOL GetVirtualMode() const { return m_bVirtualMode; }
  void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam) { m_pfnCallback = pCallback, m_lParam = lParam; }
  GRIDCALLBACK GetCallbackFunc() const { return m_pfnCallback; }

  // ---- Appearance ----
  void SetImageList(CImageList* pList) { m_pImageList = pList; }
  CImageList* GetImageList() const { return m_pImageList; }
  void SetGridLines(int nWhichLines = GVL_BOTH);
  int GetGridLines() const { return m_nGridLines; }
  void SetBkColor(COLORREF clr) { m_crGridBkColour = clr; }
  COLORREF GetBkColor() const { return m_crGridBkColour; }
  void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
  COLORREF GetGridBkColor() const { return m_crGridBkColour; }
  void SetGridColor(COLORREF clr) { m_crGridLineColour = clr; }
  COLORREF GetGridColor() const { return m_crGridLineColour; }
  void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
  COLORREF GetGridLineColor() const { return m_crGridLineColour; }
  void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
  COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
  void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
  COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }
  void SetTextColor(COLORREF clr) { m_cellDefault.SetTextClr(clr); }
  COLORREF GetTextColor() { return m_cellDefault.GetTextClr(); }
  void SetTextBkColor(COLORREF clr) { m_cellDefault.SetBackClr(clr); }
  COLORREF GetTextBkColor() { return m_cellDefault.GetBackClr(); }
  void SetFixedTextColor(COLORREF clr);
  COLORREF GetFixedTextColor() { return m_cellFixedRowDef.GetTextClr(); }
  void SetFixedBkColor(COLORREF clr);
  COLORREF GetFixedBkColor() { return m_cellFixedRowDef.GetBackClr(); }
  void SetDefCellMargin(int nMargin);
  int GetDefCellMargin() const { return m_cellDefault.GetMargin(); }
  void SetDefCellWidth(int nWidth);
  int GetDefCellWidth() const { return m_cellDefault.GetWidth(); }
  void SetDefCellHeight(int nHeight);
  int GetDefCellHeight() const { return m_cellDefault.GetHeight(); }

  // ---- Flags ----
  void SetEditable(BOOL b = TRUE) { m_bEditable = b; }
  BOOL IsEditable() const { return m_bEditable; }
  void SetListMode(BOOL bEnableListMode = TRUE);
  BOOL GetListMode() const { return m_bListMode; }
  void SetSingleRowSelection(BOOL b = TRUE) { m_bSingleRowSelection = b; }
  BOOL GetSingleRowSelection() const { return m_bSingleRowSelection && m_bListMode; }
  void SetSingleColSelection(BOOL b = TRUE) { m_bSingleColSelection = b; }
  BOOL GetSingleColSelection() const { return m_bSingleColSelection; }
  void EnableSelection(BOOL bEnable = TRUE);
  BOOL IsSelectable() const { return m_bEnableSelection; }
  void SetFixedRowSelection(BOOL b) { m_bFixedRowSelection = b; }
  BOOL GetFixedRowSelection() const { return m_bFixedRowSelection; }
  void SetFixedColumnSelection(BOOL b) { m_bFixedColumnSelection = b; }
  BOOL GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
  void EnableDragAndDrop(BOOL b = TRUE) { m_bAllowDragAndDrop = b; }
  BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
  void SetRowResize(BOOL b = TRUE) { m_bAllowRowResize = b; }
  BOOL GetRowResize() const { return m_bAllowRowResize; }
  void SetColumnResize(BOOL b = TRUE) { m_bAllowColumnResize = b; }
  BOOL GetColumnResize() const { return m_bAllowColumnResize; }
  void SetForceResize(BOOL b = TRUE) { m_bForceResize = b; }
  BOOL GetForceResize() const { return m_bForceResize; }
  void SetHeaderSort(BOOL b = TRUE) { m_bSortOnClick = b; }
  BOOL GetHeaderSort() const { return m_bSortOnClick; }
  void SetHandleTabKey(BOOL b = TRUE) { m_bHandleTabKey = b; }
  BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
  void SetDoubleBuffering(BOOL b = TRUE) { m_bDoubleBuffer = b; }
  BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
  void EnableTitleTips(BOOL b = TRUE) { m_bTitleTips = b; }
  BOOL GetTitleTips() const { return m_bTitleTips; }
  void SetSortColumn(int nCol);
  int GetSortColumn() const { return m_nSortColumn; }
  void SetSortAscending(BOOL b) { m_bAscending = b; }
  BOOL GetSortAscending() const { return m_bAscending; }
  void SetTrackFocusCell(BOOL b) { m_bTrackFocusCell = b; }
  BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
  void SetFrameFocusCell(BOOL b) { m_bFrameFocus = b; }
  BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
  void SetAutoSizeStyle(int nStyle = GVS_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
  int GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
  void EnableHiddenColUnhide(BOOL b = TRUE) { m_bHiddenColUnhide = b; }
  BOOL GetHiddenColUnhide() const { return m_bHiddenColUnhide; }
  void EnableHiddenRowUnhide(BOOL b = TRUE) { m_bHiddenRowUnhide = b; }
  BOOL GetHiddenRowUnhide() const { return m_bHiddenRowUnhide; }
  void EnableColumnHide(BOOL b = TRUE) { m_bAllowColHide = b; }
  BOOL GetColumnHide() const { return m_bAllowColHide; }
  void EnableRowHide(BOOL b = TRUE) { m_bAllowRowHide = b; }
  BOOL GetRowHide() const { return m_bAllowRowHide; }
  void EnableWysiwygPrinting(BOOL b = TRUE) { m_bWysiwygPrinting = b; }
  BOOL GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
  void SetShadedPrintOut(BOOL b = TRUE) { m_bShadedPrintOut = b; }
  BOOL GetShadedPrintOut() const { return m_bShadedPrintOut; }
  int SetMouseMode(int nMode) {
    const int old = m_MouseMode;
    m_MouseMode = nMode;
    return old;
  }
  int GetMouseMode() const { return m_MouseMode; }
  BOOL IsVisibleHScroll() const { return (m_nBarState & 1) != 0; }
  BOOL IsVisibleVScroll() const { return (m_nBarState & 2) != 0; }
  void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
  // Lines one wheel notch scrolls (WHEEL_PAGESCROLL: a page).
  UINT GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }

  // ---- Drawing and scrolling ----
  void Refresh();
  void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
  BOOL RedrawCell(int nRow, int nCol, CDC* pDC = NULL);
  BOOL RedrawCell(const CCellID& cell, CDC* pDC = NULL) { return RedrawCell(cell.row, cell.col, pDC); }
  BOOL RedrawRow(int row);
  BOOL RedrawColumn(int col);
  BOOL InvalidateCellRect(int row, int col);
  BOOL InvalidateCellRect(const CCellID& cell) { return InvalidateCellRect(cell.row, cell.col); }
  BOOL InvalidateCellRect(const CCellRange& cellRange);
  void EnsureVisible(int nRow, int nCol);
  void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
  void ResetScrollBars();
  void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
  // The scroll bar's 32-bit position (scaled when the grid outgrows the bar's range).
  int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
  BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
  // The exact pixel offset of the body (SB_VERT or SB_HORZ).
  long long GetScrollOffset(int nBar) const { return nBar == SB_VERT ? m_vPos : m_hPos; }
  virtual void OnDraw(CDC* pDC);

  // The title tip over cut cell texts (a pop-up made on the first show).
  CTitleTip& GetTitleTip() { return m_TitleTip; }

  // ---- Owner notifications ----
  LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
  LRESULT SendDisplayRequestToParent(GV_DISPINFO* pDisplayInfo) const;
  LRESULT SendCacheHintToParent(const CCellRange& range) const;
  // GVN_ENDLABELEDIT as a GV_DISPINFO whose item holds the row, column and new text (row and
  // column are where NM_GRIDVIEW has them).
  LRESULT SendEndEditToParent(int nRow, int nCol, LPCTSTR strText) const;

  // ---- Editing entry points (the editors themselves belong to the cells' classes) ----
  virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
  virtual void OnEndEditCell(int nRow, int nCol, CString str);
  virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);
  virtual void EndEditing();
  virtual void OnFixedRowClick(CCellID& cell);
  virtual void OnFixedColumnClick(CCellID& cell);
  // Sets the text through validation and the owner's end-edit answer (restored when refused).
  BOOL ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText);

 protected:
  BOOL ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText, BOOL bAsked);

 public:

  // ---- Clipboard and drag and drop (text: rows by line feeds, cells by tabs) ----
  // Empties the selected cells (only those: the unselected cells of the bounding range keep
  // their text) when the grid is editable.
  virtual void CutSelectedText();
  // The selected range's text offered as CF_UNICODETEXT and CF_TEXT; NULL when the selected
  // range is not valid or memory fails. The caller owns the source (InternalRelease).
  virtual COleDataSource* CopyTextFromGrid();
  // Pastes the data's text with its top-left at cell (Unicode text preferred over ANSI text);
  // FALSE when the cell is not valid or not editable or there is no text.
  virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject);
  virtual void OnBeginDrag();
  virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  // Empties every editable cell of the range whose row and column are not hidden.
  void ClearCells(CCellRange Selection);
  // An image of the focus cell as drawn (a one-image masked list the caller deletes);
  // *pHotSpot gets the cell's size. NULL when it cannot be made.
  virtual CImageList* CreateDragImage(CPoint* pHotSpot);
  CCellID GetDragOverCell() const { return m_idDragOverCell; }
  CGridDropTarget& GetDropTarget() { return m_DropTarget; }

  // ---- Sorting (rows from the first non-fixed one; FALSE for a bad column or < 2 rows) ----
  BOOL SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
  BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
  BOOL SortTextItems(int nCol, BOOL bAscending, LPARAM data = 0);
  static int CALLBACK pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
  // Leading decimal digits as 64-bit numbers (beyond the range of long they still order).
  static int CALLBACK pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

  // ---- Printing ----
  // Runs a whole print job (pages 1 to the last) on the dialog's printer DC, or asks with a
  // print dialog when pPrntDialog is NULL. FALSE when nothing was printed.
  BOOL Print(CPrintDialog* pPrntDialog = NULL);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                          int nTopMargin, int nBottomMargin, int nGap);
  void GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin, int& nRightMargin,
                          int& nTopMargin, int& nBottomMargin, int& nGap) const;
  // The pages of the job prepared by OnBeginPrinting, and how many pages wide the grid is.
  int GetPrintPageCount() const { return m_nNumPages; }
  int GetPrintPageMultiplier() const { return m_nPageMultiplier; }

  // ---- Delimited text files ----
  // Every cell, fixed ones too, one line per row. Fields holding the separator, a quote at
  // their start, a line feed or a carriage return are quoted (inner quotes doubled); the text
  // is in the ANSI code page, or UTF-8 with a byte-order mark when it holds anything else.
  // FALSE (after telling the user) when the file cannot be written.
  BOOL Save(LPCTSTR strFileName, TCHAR chSeparator = _T(','));
  // The first line gives the column headings, each further line one row; reads what Save
  // writes. FALSE at once in virtual mode; FALSE (after telling the user, grid unchanged) when
  // the file cannot be read.
  BOOL Load(LPCTSTR strFileName, TCHAR chSeparator = _T(','));

  BOOL Initialise();
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  // Reads the lines one wheel notch scrolls (3 when the system cannot say).
  static UINT ReadWheelScrollLines();

 protected:
  virtual CGridCellBase* CreateCell(int nRow, int nCol);
  virtual void DestroyCell(int nRow, int nCol);
  void PreSubclassWindow() override;
  void SetupDefaultCells();
  void EraseBkgnd(CDC* pDC);
  // Draws the cells and lines of the client area that intersect the DC's clip box.
  void DrawCells(CDC* pDC, const CRect& clip);
  // Sets the exact pixel offset (clamped to the range) and moves the scroll bar; TRUE when it changed.
  BOOL ScrollTo(int nBar, long long offset);
  long long MaxScrollOffset(int nBar) const;
  // Sets a bar's range, page and position unless it has them already.
  void SetBarInfo(int nBar, int nMax, UINT nPage, int nPos, UINT extraMask);
  void DoScroll(int nBar, UINT nSBCode);
  // Adds difference pixels over the visible items from first on (expand-to-fit).
  void SpreadOver(CGridSizeTree& sizes, int first, long long difference);
  // The body offset that brings item i of sizes wholly into a page of the given length.
  static long long OffsetShowing(const CGridSizeTree& sizes, int fixed, int i, long long current, long long page);
  // Sets or clears the focused bit of the focus cell (around moves of the cells under it).
  void MarkFocus(BOOL bFocused);
  UINT CapSize(int size) const { return size > static_cast<int>(kMaxCellSize) ? kMaxCellSize : static_cast<UINT>(size); }
  CGridCellBase* GetVirtualCell(int nRow, int nCol) const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnSysColorChange();
  afx_msg LRESULT OnSetFont(WPARAM hFont, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM hFont, LPARAM lParam);
  afx_msg LRESULT OnPrintClient(WPARAM hdc, LPARAM flags);
  afx_msg LRESULT OnSetRedrawMessage(WPARAM bRedraw, LPARAM);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
  // The in-place editor's report: stores the text, and when a navigation key ended the edit,
  // moves the focus with that key and edits the new focus cell.
  afx_msg void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
  // The clipboard and sorting commands and keys.
  afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
  afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
  // Ctrl+C, Ctrl+Insert, Ctrl+X, Ctrl+V, Shift+Insert; TRUE when the key was one of them.
  BOOL OnClipboardKey(UINT nChar, BOOL ctrl, BOOL shift);
  // A header click's sort (header sort on): the clicked column, the direction toggled when it
  // was already the sort column.
  void SortOnHeaderClick(int nCol);
  // Quicksort of rows low..high of column nCol by pfnCompare (recursion on the smaller side).
  BOOL SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high);
  void SwapRows(int a, int b);
  // The text of the selected range (the copy's text).
  CString SelectedRangeText();
  // Pastes text with its top-left at cell.
  void PasteText(CCellID cell, const CString& text);
  // Makes the tables of the first row of each row page and the first column of each column
  // page (once per job, from the measures OnBeginPrinting took).
  void PaginateForPrint();
  virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintRowButtons(CDC* pDC, CPrintInfo* pInfo);
  virtual void PrintFixedRowCells(int nStartColumn, int nStopColumn, int& row, CRect& rect, CDC* pDC, BOOL& bFirst);
  // Reads the whole file; FALSE with the message shown when it cannot.
  BOOL LoadText(LPCTSTR strFileName, CString& text);
  afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
  BOOL MouseOverRowResizeArea(CPoint point);
  BOOL MouseOverColumnResizeArea(CPoint point);
  // Inverts the 2-pixel tracking band of a divider drag at point (x for columns, y for rows).
  void InvertBand(CPoint point, BOOL bColumn);
  // Ends a divider drag without sizing: frees the cursor, erases the band, mode back to none.
  void CancelDividerDrag();
  // Whether each cell of the visible range is selected, row by row (empty for an invalid range).
  std::vector<bool> SelectedIn(const CCellRange& visible) const;
  // Invalidates the visible cells whose selection differs from before (SelectedIn of visible).
  void RepaintChanged(const std::vector<bool>& before, const CCellRange& visible);
  DECLARE_MESSAGE_MAP()

  COLORREF m_crGridBkColour, m_crGridLineColour;
  COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
  COLORREF m_crTTipBackClr, m_crTTipTextClr;
  BOOL m_bVirtualMode;
  LPARAM m_lParam;
  GRIDCALLBACK m_pfnCallback;
  int m_nGridLines;
  BOOL m_bEditable, m_bModified, m_bAllowDragAndDrop, m_bListMode, m_bSingleRowSelection, m_bSingleColSelection;
  BOOL m_bAllowDraw, m_bEnableSelection, m_bFixedRowSelection, m_bFixedColumnSelection, m_bSortOnClick;
  BOOL m_bHandleTabKey, m_bDoubleBuffer, m_bTitleTips;
  int m_nBarState;
  BOOL m_bWysiwygPrinting, m_bHiddenColUnhide, m_bHiddenRowUnhide, m_bAllowColHide, m_bAllowRowHide;
  BOOL m_bTrackFocusCell, m_bFrameFocus;
  UINT m_nAutoSizeColumnStyle;
  BOOL m_bForceResize;
  int m_nRows, m_nFixedRows, m_nCols, m_nFixedCols;
  CGridSizeTree m_rowHeights, m_colWidths;
  CRuntimeClass* m_pRtcDefault;
  CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
  CImageList* m_pImageList;
  std::vector<std::vector<CGridCellBase*>> m_rows;
  int m_MouseMode;
  CCellID m_idCurrentCell, m_idTopLeftCell;
  BOOL m_bAllowRowResize, m_bAllowColumnResize;
  UINT m_nRowsPerWheelNotch;
  int m_nWheelRemainder;  // wheel delta not yet turned into lines
  CGridSelection m_selection;
  CGridSelection m_prevSelection;  // what a Ctrl-click keeps while a new block is dragged
  CCellID m_SelectionStartCell, m_LeftClickDownCell;
  CPoint m_LeftClickDownPoint, m_LastMousePoint;
  BOOL m_bLMouseButtonDown = FALSE, m_bRMouseButtonDown = FALSE;
  int m_nResizeCaptureRange = 3;
  UINT_PTR m_nTimerID = 0;
  BOOL m_bBandShown = FALSE;  // a divider drag's band is on screen at m_LastMousePoint
  CTitleTip m_TitleTip;       // made on first use, destroyed with the grid
  BOOL m_bAscending;
  int m_nSortColumn;
  PFNLVCOMPARE m_pfnCompare;
  BOOL m_bShadedPrintOut;
  long long m_vPos, m_hPos;      // exact pixel offsets of the body
  long long m_vScale, m_hScale;  // pixels per scroll-bar unit (1 until the range outgrows 32 bits)
  BOOL m_bInSize;
  // This grid's own record and cell of virtual mode (one per grid, reused by every GetCell).
  mutable GV_DISPINFO m_dispInfo;
  mutable CGridCell m_virtualCell;
  // Drag and drop.
  CGridDropTarget m_DropTarget;
  CCellID m_idDragOverCell;
  BOOL m_bDropTargetTried = FALSE;  // registration is tried at the first WM_SIZE only
  // Printing: margins (header and footer heights and gap in lines, side margins in average
  // characters), the job's measures, and the page tables made once per job.
  int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4;
  int m_nTopMargin = 1, m_nBottomMargin = 1, m_nGap = 1;
  CFont m_PrinterFont;
  CSize m_CharSize, m_LogicalPageSize, m_PaperSize;
  int m_nPageHeight = 0, m_nPageWidth = 0, m_nNumPages = 0, m_nPageMultiplier = 1;
  int m_nCurrPrintRow = 0, m_nCurrPrintCol = 0;
  std::vector<int> m_rowPageStarts, m_colPageStarts;
  // The fonts of cells with their own LOGFONT, one per distinct LOGFONT.
  std::map<std::string, std::unique_ptr<CFont>> m_fonts;
};
