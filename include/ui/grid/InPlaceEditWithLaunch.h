// An in-place edit with a small push button (three dots) in its non-client area. Pressing the
// button, or Ctrl+'.', asks the parent (WM_NOTIFY code 1), and unless the parent takes it,
// calls the launch callback, which may replace the text. Losing the focus reports the text to
// the parent's parent as a list view's end-of-label-edit (a NULL text after Escape) and
// destroys the window.
//
// With LAUNCH_FLAT the border and button lie flat while the edit has neither the focus nor the
// mouse over it, and rise under the mouse (without the focus the edit holds the capture while
// the mouse is over it, to see it leave). LAUNCH_TIP_BUTTON and LAUNCH_TIP_TEXT add tool tips over the button ("Launch") and over
// the text (SetToolTipText); they work through PreTranslateMessage, so the edit must live in a
// thread whose loop pre-translates (the framework's loop does).
#pragma once
#include <framework.h>

#include <string>

#include "quarnel_api.h"

// The launch callback: may change text. userValue is the pointer-sized value given to the editor.
typedef LRESULT(CALLBACK* PFNLAUNCHCALLBACK)(DWORD_PTR userValue, int item, int subItem, CString& text);

// Launch styles.
#define LAUNCH_BUTTON_LEFT 0x0010
#define LAUNCH_TIP_BUTTON 0x0020
#define LAUNCH_TIP_TEXT 0x0040
#define LAUNCH_FLAT 0x0400
#define LAUNCH_FLAT_GREY_DOTS 0x0800

class QUARNEL_API CInPlaceEditWithLaunch : public CEdit {
 public:
  // Button states (bit kFlat added while the flat look shows).
  enum { kNormal = 1, kPressed = 2, kDisabled = 4, kFlat = 8 };
  // The tools of the tool tips: over the button, over the text.
  enum { kToolButton = 1, kToolText = 2 };

  CInPlaceEditWithLaunch(int nItem, int nSubItem, CString sInitText, PFNLAUNCHCALLBACK pfnLaunch, DWORD_PTR userValue,
                         BOOL bAutoDelete);
  ~CInPlaceEditWithLaunch() override;

  // Creates an "EDIT" window and applies the launch style (destroying the window when it cannot).
  virtual BOOL Create(DWORD dwLaunchStyle, DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID);
  BOOL SetLaunchStyle(DWORD dwStyle);
  DWORD GetLaunchStyle() const { return m_dwLaunchStyle; }
  // The button's width (-1: eight tenths of the window's height).
  void SetButtonWidth(int cx) { m_nButtonWidth = cx; }
  // The button's rectangle, relative to the window's top-left.
  CRect GetButtonRect() const { return m_rcButton; }
  int GetButtonState() const { return m_nButtonState; }
  void SetToolTipText(LPCTSTR text) { m_sToolTipText = text; }
  CString GetToolTipText() const { return m_sToolTipText; }
  // The tool-tip control (no window until a message passes PreTranslateMessage with a tip style).
  CToolTipCtrl& GetToolTip() { return m_toolTip; }
  // Relays the message to the tool tips (made on first use); keeps Return, Delete, Escape and
  // Ctrl+key presses from a dialog's keyboard handling by dispatching them at once.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Asks the parent, then calls the callback and ends the edit.
  void Launch();
  // Draws the button in state into dc, whose origin is the window's top-left.
  void DrawButton(CDC* pDC, int nState);

 protected:
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg BOOL OnChange();
  afx_msg LRESULT OnSetReadOnly(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnNcPaint();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnEnable(BOOL bEnable);
  DECLARE_MESSAGE_MAP()

  BOOL InButton(CPoint screen) const;
  void PressButton();
  void RedrawButton(int nState);
  void UpdateFlatLook(BOOL bOn);
  void RecalcFrame();
  void MakeToolTips();
  // Shows the raised look under the mouse: takes the capture so that leaving is seen.
  void HoverOn();

  BOOL m_bAutoDelete;
  int m_nItem, m_nSubItem;
  BOOL m_bEscape;
  CString m_sInitText;
  int m_nButtonSide;
  BOOL m_bButtonPressed;
  BOOL m_bTextChanged;
  DWORD m_dwLaunchStyle;
  int m_nButtonState;
  int m_nButtonWidth;
  CRect m_rcButton;
  CString m_sToolTipText;
  CToolTipCtrl m_toolTip;
  std::wstring m_tipTextW;  // the text handed to the tips, kept until the next request
  std::string m_tipTextA;
  PFNLAUNCHCALLBACK m_pfnLaunch;
  DWORD_PTR m_userValue;  // pointer-sized
  BOOL m_bLaunching;
};
