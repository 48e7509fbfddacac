// Docking: dock bars at the frame's sides hold control bars in rows, a dock context drags a
// bar to another side or off the frame into a floating mini frame, the frame saves and
// restores where its bars are (CDockState in the application profile), and a rectangle
// tracker moves or sizes a rectangle with the mouse.
#pragma once

#include "fw_bars.h"

// Child ids of the dock bars (top, left, right, bottom, and the floating frames' own).
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F

// Idle message id of the frame's prompt.
#define AFX_IDS_IDLEMESSAGE 0xE001

// Posted to a floating frame whose last bar left; it goes when it is still empty.
#define WM_FW_FLOATEMPTY 0x037F

// Mini-frame styles.
#define MFS_SYNCACTIVE 0x0100L
#define MFS_4THICKFRAME 0x0200L
#define MFS_THICKFRAME 0x0400L
#define MFS_MOVEFRAME 0x0800L
#define MFS_BLOCKSYSMENU 0x1000L

class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

namespace fw {
// Twice the system border: the overlap of neighbouring bars.
FW_API int DoubleBorderX();
FW_API int DoubleBorderY();
// Inverts a frame of the given thickness on the DC (a drag outline); drawing it twice erases it.
FW_API void InvertDragFrame(HDC hDC, const RECT& rect, SIZE thickness);
// The dock bars a frame can have, in the order they are made: id and bar style.
struct DockBarPlace {
  UINT id;
  DWORD style;
};
FW_API const DockBarPlace* DockBarPlaces();  // four entries
}  // namespace fw

// A side of the frame holding bars in rows: m_arrBars lists the bars, each row ended by NULL;
// entry 0 is always NULL. A bar that is hidden keeps its place. Floating frames have one too.
class FW_API CDockBar : public CControlBar {
  DECLARE_DYNCREATE(CDockBar)

 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  // Docks the bar: with a rectangle (screen) at the row and place under it, else as a new
  // last row. The bar leaves the dock bar it was on.
  virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
  // Takes the bar out; the row it leaves keeps its other bars. FALSE when it was not here.
  BOOL RemoveControlBar(CControlBar* pBar);
  int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  CControlBar* GetDockedControlBar(int nPos) const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

  BOOL m_bFloating;
  BOOL m_bAutoDelete = FALSE;  // the object deletes itself with its window
  CPtrArray m_arrBars;
  BOOL m_bLayoutQuery = FALSE;
  CRect m_rectLayout;

 protected:
  // Where a bar dropped at lpRect (screen) goes: the index to insert at, after making a new
  // row when needed.
  virtual int Insert(CControlBar* pBar, LPCRECT lpRect);
  void PostNcDestroy() override;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};

// Drags a bar: the outline follows the mouse, over a side it takes the side's shape, and the
// release docks the bar there or floats it. Escape, the right button or a lost capture cancel.
class FW_API CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();

  virtual void StartDrag(CPoint pt);  // pt in screen coordinates
  // Docks a floating bar at its most recent side, floats a docked one at its most recent place.
  void ToggleDocking();
  // The tracking loop; FALSE when cancelled.
  BOOL Track();
  void CancelLoop();

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  DWORD m_dwDockStyle = 0;      // the sides the bar may dock at
  DWORD m_dwOverDockStyle = 0;  // the side under the outline, 0 when floating
  DWORD m_dwStyle = 0;          // the bar's style at the start
  BOOL m_bFlip = FALSE;
  BOOL m_bForceFrame = FALSE;   // Ctrl: never dock
  BOOL m_bDragging = FALSE;
  CPoint m_ptLast;
  CRect m_rectLast;
  CSize m_sizeLast;
  HDC m_hDC = NULL;

  CRect m_rectDragHorz, m_rectDragVert;            // screen: the outline docked at a side
  CRect m_rectFrameDragHorz, m_rectFrameDragVert;  // screen: the outline of the floating frame

  // Most recent places.
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;

 protected:
  virtual void Move(CPoint pt);
  virtual void EndDrag();
  virtual void OnKey(int nChar, BOOL bDown);
  virtual void InitLoop();
  virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
  // Called at the end of the loop, also on cancel.
  virtual void EndLoop();
  DWORD CanDock();
  CDockBar* GetDockBar(DWORD dwOverDockStyle);
  void AdjustWindowForFloat(CRect& rect);
  // The outline sizes at the start: docked horizontally, vertically, and floating.
  void DragSizes(CSize& horz, CSize& vert, CSize& floating);
  // Puts each outline under pt, draws it and runs the loop; a drop ends the drag.
  void TrackFrom(CPoint pt);
  // Moves each outline the least distance that puts pt inside it.
  static void CoverPoint(CRect& rect, CPoint pt);
};

// A small tool frame.
class FW_API CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)

 public:
  CMiniFrameWnd();
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
  // The borders the window style puts round a client rectangle.
  static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                 DWORD dwExStyle = 0);

  // Made with MFS_SYNCACTIVE: the caption is active while the frame that owns this one is
  // active, or this one or another floating frame of it in step.
  BOOL m_bSyncActive = FALSE;

 protected:
  BOOL KeepsCaptionActiveFor(HWND hWndNext) const override;
  // In step, the caption state also reaches the owning frame when it changes here first.
  afx_msg LRESULT OnNcActivateSync(WPARAM wParam, LPARAM lParam);
  CFrameWnd* SyncOwner() const;

  DECLARE_MESSAGE_MAP()
};

// The floating frame of one or more bars: a floating dock bar fills it.
class FW_API CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)

 public:
  CMiniDockFrameWnd();
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // The frame's client fits its dock bar's layout; its caption is the first bar's title.
  void RecalcLayout(BOOL bNotify = TRUE) override;

  CDockBar m_wndDockBar;

 protected:
  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnFloatEmpty(WPARAM, LPARAM);
  CControlBar* FirstBar() const;

  BOOL m_bInLayout = FALSE;

  DECLARE_MESSAGE_MAP()
};

// One record of the saved layout: a bar, or a dock bar with the ids of its bars (0 ends a row).
class FW_API CControlBarInfo {
 public:
  CControlBarInfo();

  // Reads record nIndex of the section; FALSE (and nothing kept) when it is missing or damaged.
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);

  UINT m_nBarID = 0;
  BOOL m_bVisible = FALSE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = FALSE;
  BOOL m_bDockBar = FALSE;
  CPoint m_pointPos;  // docked: in the dock bar; floating frame: screen
  UINT m_nMRUWidth = 32767;
  BOOL m_bDocking = FALSE;  // the bar has a dock context: the MRU places below are kept
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;
  CDWordArray m_arrBarID;  // dock bars only
  CControlBar* m_pBar = NULL;
};

// The saved layout of a frame's bars.
class FW_API CDockState : public CObject {
  DECLARE_DYNAMIC(CDockState)

 public:
  CDockState();
  ~CDockState() override;

  // Reads the records; FALSE (the state left empty) when any record is missing or damaged.
  virtual BOOL LoadState(LPCTSTR lpszProfileName);
  virtual void SaveState(LPCTSTR lpszProfileName);
  void Clear();
  CSize GetScreenSize() const;
  // Most records a state may hold.
  static const int kMaxBars = 512;

  CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned
  CSize m_sizeSaved;       // screen size the state was saved at
};

// Moves or sizes a rectangle with the mouse, drawing its outline inverted.
class FW_API CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32
  };
  enum TrackerHit {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8
  };

  CRectTracker();
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
  virtual ~CRectTracker();

  // Tracks from point (client of pWnd) until the button is released (TRUE when the rectangle
  // changed) or Escape, the right button or a lost capture cancel (FALSE, m_rect restored).
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
  int HitTest(CPoint point) const;

  virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
  // Keeps the rectangle at least m_sizeMin; derived trackers clamp further.
  virtual void AdjustRect(int nHandle, LPRECT lpRect);
  virtual void OnChangedRect(const CRect& rectOld);

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 4;
  CSize m_sizeMin;

 protected:
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

  BOOL m_bAllowInvert = FALSE;
  BOOL m_bErase = FALSE;       // an outline is drawn and must be erased
  BOOL m_bFinalErase = FALSE;  // the erase at the end of tracking
  CRect m_rectLast;
  CSize m_sizeLast;
};
