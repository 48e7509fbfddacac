// The splitter window: panes in rows and columns, separated by bars the user drags, with
// scroll bars of its own that the panes of a column (horizontal) or a row (vertical) share.
// A static splitter has the panes it was made with; a dynamic one starts with one pane and
// splits (up to its maximum) when the user drags a split box at the start of a scroll bar,
// making a pane of the first pane's class for the same document, and joins again when a bar
// is dragged below a pane's minimum size.
//
// Layout (RecalcLayout), in the splitter's client area:
// - with vertical scroll bars, one per row at the right edge, m_cxVScroll wide; with
//   horizontal ones, one per column at the bottom edge, m_cyHScroll high; a dynamic splitter
//   that may still split rows (columns) keeps a split box of m_cySplitter (m_cxSplitter) at
//   the top (left) of its first vertical (horizontal) scroll bar;
// - columns left to right: each but the last takes its ideal width (no more than is left
//   before the bar after it), a bar of m_cxSplitter follows; the last takes the rest. Rows
//   alike, top to bottom, with bars of m_cySplitter.
// Pane ids: IdFromRowCol (AFX_IDW_PANE_FIRST + 16 * row + column); scroll bar ids
// AFX_IDW_HSCROLL_FIRST + column and AFX_IDW_VSCROLL_FIRST + row.
#pragma once
#include "fw_view.h"

#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20
// Style of a dynamic splitter (in the low word of the window style).
#define SPLS_DYNAMIC_SPLIT 0x0001

class FW_API CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)

 public:
  CSplitterWnd();
  ~CSplitterWnd() override;

  // A dynamic splitter of at most nMaxRows x nMaxCols (each 1 or 2) panes of
  // pContext->m_pNewViewClass, starting with one; sizeMin is the smallest pane kept.
  BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
              UINT nID = AFX_IDW_PANE_FIRST);
  // A static splitter of nRows x nCols panes (1 to 16 each); the caller makes the panes with
  // CreateView before the splitter is shown.
  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = AFX_IDW_PANE_FIRST);
  // Makes the pane (row, col) of pViewClass; sizeInit gives the column's and row's ideal sizes.
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetMaxRowCount() const { return m_nMaxRows; }
  int GetMaxColumnCount() const { return m_nMaxCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);

  CWnd* GetPane(int row, int col) const;
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  // The scroll bar a pane uses (SB_HORZ: its column's, SB_VERT: its row's), NULL when none.
  HWND GetPaneScrollBar(CWnd* pPane, int nBar);

  // Scrolls by scroll-bar units from a pane: the horizontal part every pane of its column,
  // the vertical part every pane of its row (each pane's OnScrollBy). With bDoScroll FALSE
  // only asks. TRUE when any pane moved (would move); FALSE when pViewFrom is no pane.
  virtual BOOL DoScrollBy(CView* pViewFrom, CSize sizeScroll, BOOL bDoScroll = TRUE);
  // The splitter whose pane the window is; NULL when its parent is no splitter.
  static CSplitterWnd* GetParentSplitter(const CWnd* pWnd);

  virtual void RecalcLayout();
  // Dynamic splitters: a second row (column) whose first has cyBefore (cxBefore) pixels.
  virtual BOOL SplitRow(int cyBefore);
  virtual BOOL SplitColumn(int cxBefore);
  virtual void DeleteRow(int rowDelete);
  virtual void DeleteColumn(int colDelete);

  // What a point of the client area is over (HitTest).
  enum HitCode { noHit = 0, vSplitterBox = 1, hSplitterBox = 2, vSplitterBar1 = 101, hSplitterBar1 = 201 };
  int HitTest(CPoint pt) const;
  // The bar between row/column i and i + 1 (hSplitterBar1 + i: between rows), in client pixels.
  CRect GetBarRect(int ht) const;

  int m_cxSplitter = 6, m_cySplitter = 6;
  int m_cxVScroll, m_cyHScroll;
  BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;

 protected:
  struct CRowColInfo {
    int nMinSize;
    int nIdealSize;
    int nCurSize;
  };

  BOOL IsDynamic() const { return (GetStyle() & SPLS_DYNAMIC_SPLIT) != 0; }
  BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
  BOOL CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
  // Lays out one direction; returns the sizes. extent: the room without scroll bars.
  static void LayoutRowCol(CRowColInfo* pInfo, int nMax, int extent, int splitter);
  // The client rectangle less the scroll bars (and the split boxes).
  CRect InsideRect() const;
  // Tracking a bar or a split box with the mouse.
  void StartTracking(int ht, CPoint pt);
  void StopTracking(BOOL bAccept);
  void InvertTracker(const CRect& rect);
  void ScrollPanes(int nBar, int index, UINT message, WPARAM wParam);
  // Rows (bRows) or columns alike: a bar dropped at offset from the inside's start, a split,
  // a deletion, and the id of the pane at (along, across).
  void DropBar(BOOL bRows, int index, int offset);
  BOOL SplitRowCol(BOOL bRows, int before);
  void DeleteRowCol(BOOL bRows, int indexDelete);
  int PaneId(BOOL bRows, int along, int across) const;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  // A second press soon after the first is a press too (the class has double clicks).
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

  int m_nMaxRows = 1, m_nMaxCols = 1;
  int m_nRows = 0, m_nCols = 0;
  CRowColInfo* m_pRowInfo = NULL;
  CRowColInfo* m_pColInfo = NULL;
  CRuntimeClass* m_pDynamicViewClass = NULL;
  CDocument* m_pDynamicDoc = NULL;

  BOOL m_bTracking = FALSE;
  int m_htTrack = noHit;
  CRect m_rectTracker;
  CRect m_rectLimit;  // where the tracker may go
  CPoint m_ptTrackOffset;

  DECLARE_MESSAGE_MAP()
};
