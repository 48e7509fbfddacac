// Control bars: windows that take a side of their frame in the frame's layout (WM_SIZEPARENT)
// and bring their buttons up to date in idle time.
#pragma once

#include "fw_view.h"

// Bar styles (the bar's own, kept apart from the window style).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Child ids of the frame's bars.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_DIALOGBAR 0xE805
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif

class CDockContext;
class CDockBar;
class CControlBarInfo;

class FW_API CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
  BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
  BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ORIENT_ANY) == 0; }

  // The bar's size on a side: the full length of the side when bStretch, else its own length.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  // nLength -1: the size for the mode's default length. The base answers as CalcFixedLayout.
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  // Brings the bar's items up to date through pTarget's update handlers.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

  CFrameWnd* m_pDockSite = NULL;
  CDockContext* m_pDockContext = NULL;  // owned

  // Docking (fw_dock.h). The bar may dock at the sides of dwDockStyle (CBRS_ALIGN_...) and
  // float with CBRS_FLOAT_MULTI; it gets a dock context when it has none.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsDockBar() const { return m_bDockBar; }
  // Visible, or about to be shown by a delayed show.
  virtual BOOL IsVisible() const;
  // Shows or hides the bar at the next layout.
  void DelayShow(BOOL bShow);
  // Applies a delayed show or hide.
  virtual void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
  virtual void GetBarInfo(CControlBarInfo* pInfo);
  virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4 };
  UINT m_nStateFlags = 0;
  DWORD m_dwDockStyle = 0;
  CDockBar* m_pDockBar = NULL;  // the dock bar holding the bar, NULL when none
  int m_nMRUWidth = 32767;      // the most recent floating width of a dynamic bar
  CFrameWnd* m_pFrameListed = NULL;  // the frame whose bar list holds the bar

 protected:
  // Thickness of the borders the bar style asks for.
  CRect BorderRect() const;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  // A bar made in a frame joins the frame's bar list; one destroyed leaves it and its dock bar.
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  // A press outside the bar's tools starts dragging a dockable bar, a double click toggles it.
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

  // Out of its dock bar and its frame's bar list.
  void LeaveDockSite();

  BOOL m_bDockBar = FALSE;

  // Docking sets the bar style of the bars it moves.
  friend class CDockBar;
  friend class CDockContext;
  friend class CMiniDockFrameWnd;
  friend class CFrameWnd;

  DWORD m_dwStyle = 0;
  // The bar's own size without borders (its thickness on a side).
  CSize m_sizeDefault;

  DECLARE_MESSAGE_MAP()
};
