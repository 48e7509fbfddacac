// Resizable windows: four mix-ins that a framework window (dialog, property sheet, page, form
// view) derives from beside its framework class, supplying GetResizableWnd (the window itself)
// and calling them from its message handlers.
//
//   CResizableLayout  keeps each anchored child at a place given by anchors in percent of the
//                     parent's client area plus pixel margins (ArrangeLayout on WM_SIZE);
//   CResizableGrip    a size grip in the bottom-right corner (a scroll bar with SBS_SIZEGRIP);
//   CResizableMinMax  the answer to WM_GETMINMAXINFO (minimum and maximum tracking sizes, the
//                     maximised rectangle);
//   CResizableState   the window's placement in the application's profile ("WindowPlacement").
#pragma once
#include <framework.h>

#include "quarnel_api.h"

// Anchors: percent of the parent's client width and height.
const CSize ANCHOR_TOP_LEFT(0, 0);
const CSize ANCHOR_TOP_CENTER(50, 0);
const CSize ANCHOR_TOP_RIGHT(100, 0);
const CSize ANCHOR_MIDDLE_LEFT(0, 50);
const CSize ANCHOR_MIDDLE_CENTER(50, 50);
const CSize ANCHOR_MIDDLE_RIGHT(100, 50);
const CSize ANCHOR_BOTTOM_LEFT(0, 100);
const CSize ANCHOR_BOTTOM_CENTER(50, 100);
const CSize ANCHOR_BOTTOM_RIGHT(100, 100);
const CSize ANCHOR_NONE(-1, -1);  // as second corner: the child moves and keeps its size

class QUARNEL_API CResizableLayout {
 public:
  // One anchored child, or a callback entry (no window, non-zero callback id) whose place
  // ArrangeLayoutCallback computes.
  struct LayoutInfo {
    HWND hWnd = NULL;
    UINT nCallbackID = 0;
    BOOL bAdjHScroll = FALSE;   // a list box: its horizontal scrolling is watched
    BOOL bNeedRefresh = FALSE;  // redrawn after each arrangement
    CSize sizeTypeTL;           // top-left anchor, percent
    CSize sizeMarginTL;         // pixels added to it
    CSize sizeTypeBR;           // bottom-right anchor, percent
    CSize sizeMarginBR;
  };

  CResizableLayout() = default;
  virtual ~CResizableLayout();

  // The enumeration callback of ClipChildren (lParam: the layout); always continues.
  static BOOL CALLBACK EnumAndClipChildWindow(HWND hWnd, LPARAM lParam);

  // Entry `index` (the framework's invalid-argument exception outside the array), and its
  // replacement.
  LayoutInfo& ArrayLayout(int index) { return m_arrLayout[index]; }
  void UpdateArrayLayout(int index, LayoutInfo& layout);
  int GetAnchorCount() const { return static_cast<int>(m_arrLayout.GetSize()); }

 protected:
  // Whether erasing the background may leave the child out; whether the child is redrawn
  // after each arrangement (text statics and the like).
  virtual BOOL LikesClipping(HWND hWnd);
  virtual BOOL NeedsRefresh(HWND hWnd);
  // The area the anchors refer to: the client rectangle of the resizable window.
  virtual void GetTotalClientRect(LPRECT lpRect);
  // Fills the entry copy of a callback entry (window, anchors, margins); FALSE skips it.
  virtual BOOL ArrangeLayoutCallback(LayoutInfo& layout);
  virtual CWnd* GetResizableWnd() = 0;

  // Anchors a child of the resizable window at its present place. Refused (FALSE, nothing
  // added) for a handle that is not a child of it, and for an id no child has.
  BOOL AddAnchor(HWND hWnd, CSize sizeTypeTL, CSize sizeTypeBR = ANCHOR_NONE);
  BOOL AddAnchor(UINT nID, CSize sizeTypeTL, CSize sizeTypeBR = ANCHOR_NONE);
  void AddAnchorCallback(UINT nCallbackID);
  // Moves every anchored child to the place its anchors give for the present size, in one
  // batch (split once, at the first callback entry); a child the batch refuses does not stop
  // the others: they are then moved one by one.
  void ArrangeLayout();
  // Leaves the children out of the DC's clipping region before the background is erased:
  // all visible children that like it, or only the anchored ones.
  void ClipChildren(CDC* pDC, BOOL bOnlyAnchored);
  void RemoveAllAnchors();

 private:
  CArray<LayoutInfo> m_arrLayout;
  CDC* m_pClippedDC = nullptr;  // only while ClipChildren runs
};

class QUARNEL_API CResizableGrip {
 public:
  CResizableGrip();
  virtual ~CResizableGrip();

 protected:
  virtual CWnd* GetResizableWnd() = 0;

  // Makes the grip in the bottom-right corner of the resizable window (a triangle, answering
  // hit tests as the window's corner) and shows it; FALSE when it cannot be made.
  BOOL InitGrip();
  // Keeps it in the corner, enabled unless the window is maximised.
  void UpdateGripPos();
  void ShowSizeGrip(BOOL bShow);
  CWnd* GetSizeGrip() { return &m_wndGrip; }

 private:
  static BOOL IsRTL(HWND hWnd);
  static LRESULT CALLBACK GripWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  CSize m_sizeGrip;
  CScrollBar m_wndGrip;
};

class QUARNEL_API CResizableMinMax {
 public:
  CResizableMinMax();
  CResizableMinMax(const CResizableMinMax&) = default;
  CResizableMinMax& operator=(const CResizableMinMax&) = default;
  virtual ~CResizableMinMax();

 protected:
  // Writes the limits that are set into the WM_GETMINMAXINFO record.
  void MinMaxInfo(LPMINMAXINFO lpMMI);
  void SetMinTrackSize(const CSize& size);
  void ResetMinTrackSize() { m_bUseMinTrack = FALSE; }
  void SetMaxTrackSize(const CSize& size);
  void ResetMaxTrackSize() { m_bUseMaxTrack = FALSE; }
  void SetMaximizedRect(const CRect& rc);
  void ResetMaximizedRect() { m_bUseMaxRect = FALSE; }

 private:
  BOOL m_bUseMaxTrack;
  BOOL m_bUseMinTrack;
  BOOL m_bUseMaxRect;
  POINT m_ptMinTrackSize;
  POINT m_ptMaxTrackSize;
  POINT m_ptMaxPos;
  POINT m_ptMaxSize;
};

class QUARNEL_API CResizableState {
 public:
  virtual ~CResizableState();

 protected:
  virtual CWnd* GetResizableWnd() = 0;

  // "WindowPlacement" in the section of the application's profile: "l,t,r,b,show,flags" (the
  // normal rectangle, show command and flags; with bRectOnly the window rectangle, 1 and 0).
  BOOL SaveWindowRect(LPCTSTR pszSection, BOOL bRectOnly);
  // Puts the window back at the saved place. FALSE, the window unchanged, when the entry is
  // missing, is not six numbers, or describes no usable place: an empty or oversized
  // rectangle, an unknown show command, or a rectangle on no monitor.
  BOOL LoadWindowRect(LPCTSTR pszSection, BOOL bRectOnly);
};
