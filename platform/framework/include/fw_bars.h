// Control bars: windows that take a side of their frame in the frame's layout (WM_SIZEPARENT)
// and bring their buttons up to date in idle time.
#pragma once

#include "fw_view.h"

#include <commctrl.h>

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
#define AFX_IDW_TOOLBAR_FIRST AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR_LAST 0xE81F
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

  // The frame that gets the bar's status prompts and tooltip questions: the owner, else the
  // parent, when it is a frame.
  CFrameWnd* GetPromptFrame() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;

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
  // The bar's size for a size inside its borders; stretched along its side when asked.
  CSize OuterSize(CSize inside, BOOL bStretch, BOOL bHorz) const;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  // Help mode: the command of the tool under the point (HID_BASE_COMMAND + id), 0 for none.
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  // Notifications, commands and owner drawing that the bar's own handlers leave go to its
  // owner, as if the bar's children were the owner's.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The status prompt of a flyby bar as text, for bars that know their commands' prompts
  // themselves; FALSE: the frame's GetMessageString of the id is shown.
  virtual BOOL GetFlyByText(UINT nID, CString& text);

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
  // The id whose prompt a flyby bar last showed (-1 none).
  INT_PTR m_nFlyByHit = -1;

  DECLARE_MESSAGE_MAP()
};

// Button styles of the framework toolbar: the low word holds the control's style bits, the
// high word its state bits with the enabled bit inverted (so 0 is a plain, enabled button).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

// A control bar that is the common toolbar control itself. Its tooltips are the framework's
// (CBRS_TOOLTIPS), asked from the bar and then its frame by command id.
class FW_API CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();
  ~CToolBar() override;

  // A toolbar control with the given control styles (TBSTYLE_*) and bar style (the low word
  // of dwStyle's bar bits, CBRS_*); the window style bits of dwStyle are the window's.
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                        CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);
  using CWnd::CreateEx;
  // The same without control styles.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR) {
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
  }
  using CWnd::Create;

  // Button and image sizes (the button at least the image plus 7 by 6).
  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  // The images of the buttons: a strip of images of the image size; the bar owns it.
  BOOL SetBitmap(HBITMAP hbmImageWell);
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  // Replaces the buttons: ids in order, ID_SEPARATOR for a separator; images counted along
  // the non-separators. NULL ids: nIDCount empty separators to be filled by SetButtonInfo.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

  int GetCount() const;
  // The index of the first button with the id; -1 when none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The button's rectangle in the bar's client coordinates.
  virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
  UINT GetButtonStyle(int nIndex) const;
  virtual void SetButtonStyle(int nIndex, UINT nStyle);
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
  BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
  CString GetButtonText(int nIndex) const;
  // Drop-down buttons: with TBSTYLE_EX_DRAWDDARROWS their arrow is a part of its own, and
  // TBN_DROPDOWN reaches the owner through the bar.
  DWORD SetExtendedStyle(DWORD dwExStyle) {
    return static_cast<DWORD>(::SendMessage(m_hWnd, TB_SETEXTENDEDSTYLE, 0, dwExStyle));
  }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  // Every button that is not a separator gets an update probe (CToolCmdUI); a state is set
  // on the control only when it differs.
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

 protected:
  // The button as the control has it (TB_GETBUTTON); FALSE when the index is out of range.
  BOOL _GetButton(int nIndex, TBBUTTON* pButton) const;
  // Puts the button's style, state, image and command id by index, touching only what differs.
  BOOL _SetButton(int nIndex, TBBUTTON* pButton);
  // Size of the buttons laid out in one row (horizontal) or column.
  CSize CalcButtonsSize(BOOL bHorz) const;

  HBITMAP m_hbmImageWell = NULL;
  CSize m_sizeButton = CSize(23, 22);
  CSize m_sizeImage = CSize(16, 15);

  DECLARE_MESSAGE_MAP()
};

// The update probe of a toolbar button: enable, check and indeterminate map onto the
// button's state; the control is told only of a state that differs.
class FW_API CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCTSTR) override {}
};

// A control bar made from a dialog template: its controls are updated in idle time through
// the frame; m_sizeDefault is the template's size.
class FW_API CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)

 public:
  CDialogBar();
  ~CDialogBar() override;

  virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
  BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
  }
  using CWnd::Create;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  CSize GetDefaultSize() const { return m_sizeDefault; }
};
