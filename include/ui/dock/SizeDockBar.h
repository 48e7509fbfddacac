// The sizable dock bar: a side of the frame whose rows of sizable bars have 8-pixel splitters
// that change a row's depth, whose rows share their length among their sizable bars when the
// frame is resized, and which inserts a dropped bar at the row and place under the drop point.
// CQvRectTracker moves a splitter.
#pragma once
#include "quarnel_api.h"

#include <fw_dock.h>

// What a bar lets the sizable dock bar ask and set: its docked sizes and its row rules. A bar
// that is not sizable (no such base) is laid out at its own size.
class QUARNEL_API CSizableDockedBar {
 public:
  virtual ~CSizableDockedBar();
  // Sizes when docked on a horizontal (top, bottom) or a vertical (left, right) side.
  virtual CSize GetHorzSize() const = 0;
  virtual CSize GetVertSize() const = 0;
  virtual void SetHorzSize(CSize size) = 0;
  virtual void SetVertSize(CSize size) = 0;
  // Size when floating.
  virtual CSize GetFloatSize() const = 0;
  virtual void SetFloatSize(CSize size) = 0;
  // The bar starts a row of a horizontal side.
  virtual BOOL MustBeFirstOnLeft() const { return FALSE; }
  // The bar has a column of its own on a vertical side.
  virtual BOOL MustBeAloneVertically() const { return TRUE; }
  // A bar whose length the row shares out; FALSE for bars that only follow the row rules.
  virtual BOOL IsSizable() const { return TRUE; }
};

// One splitter of a sizable dock bar.
class QUARNEL_API CSplitterRect {
 public:
  enum Kind : BYTE { vertical = 1, horizontal = 2 };  // 8 pixels wide (left, right) / high (top, bottom)
  CSplitterRect(Kind kind, const RECT& rect, int nRow) : m_rect(rect), m_type(kind), m_nRow(nRow) {}
  virtual ~CSplitterRect();

  CRect m_rect;  // dock-bar client coordinates
  BYTE m_type;
  int m_nRow;  // the entry of the dock bar's bar array the splitter belongs to
};

// Moves or sizes a rectangle inside a limit; 0x100 keeps its top and bottom, 0x200 its left and right.
class QUARNEL_API CQvRectTracker : public CRectTracker {
 public:
  enum { keepTopBottom = 0x100, keepLeftRight = 0x200 };

  CQvRectTracker(LPCRECT lpSrcRect, UINT nStyle);

  // Tracks from a window hit-test code (HTLEFT ... HTBOTTOMRIGHT, anything else moves).
  BOOL TrackFromHitTest(int nHitTest, CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo = NULL);
  // The tracker handle of a window hit-test code.
  static int HandleOfHitTest(int nHitTest);

  void AdjustRect(int nHandle, LPRECT lpRect) override;
  void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;

  CRect m_rectLimit;  // empty: no limit
  CRect m_rectStart;
};

class QUARNEL_API CSizeDockBar : public CDockBar {
  DECLARE_DYNCREATE(CSizeDockBar)

 public:
  static const int kSplitter = 8;  // thickness of a splitter

  CSizeDockBar();
  ~CSizeDockBar() override;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  // Docks the bar at the row and place under lpRect (screen), or as a new last row.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL) override;
  // Shares the length of the row starting at nRow among its sizable bars, for a row of nLength.
  void ShareRow(int nRow, int nLength, const CPtrArray* pExclude = NULL);
  // Moves splitter nSplitter by nMove pixels (right or down positive), as a drag does.
  void MoveSplitter(int nSplitter, int nMove);
  // The limit of a splitter's drag (dock-bar client coordinates), and its row's depth and
  // smallest depth.
  CRect SplitterLimit(int nSplitter, int* pRowDepth = NULL, int* pMinDepth = NULL);
  // The splitter under the point, -1 when none.
  int SplitterAt(CPoint point) const;
  // The splitter cursors (resource cursors 30980 and 30981, or the system's).
  static HCURSOR SplitterCursor(BYTE kind);
  static CSizableDockedBar* Sizable(CControlBar* pBar);

  CPtrArray m_arrSplitters;  // CSplitterRect*, owned
  CSplitterRect* m_pSplitCapture = NULL;
  int m_nLastWidth = 65535;
  int m_nLastHeight = 65535;
  CPtrArray m_arrHiddenBars;  // docked bars that were hidden at the last parent layout

 protected:
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
  void DeleteSplitters();
  // The entries [first, end) of the row containing nPos (end is its NULL).
  void RowBounds(int nPos, int& first, int& end) const;
  int Insert(CControlBar* pBar, LPCRECT lpRect) override;

  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
