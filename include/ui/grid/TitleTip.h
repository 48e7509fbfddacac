// The title tip ("XTitleTip"): a borderless pop-up that shows the whole text of a grid cell
// whose text is cut, drawn over the cell while the mouse rests there. It never takes the focus:
// keys and clicks that reach it go on to the window under the mouse (two quick clicks arrive
// there as a double click).
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CTitleTip : public CWnd {
 public:
  // Registers "XTitleTip" (the first time); throws the framework's resource exception when it cannot.
  CTitleTip();
  ~CTitleTip() override;

  // Makes the pop-up for parent (TRUE at once when it exists already).
  virtual BOOL Create(CWnd* pParentWnd);
  BOOL DestroyWindow() override;
  // Shows text over rectTitle (parent client coordinates) when it does not fit there; the tip
  // stays until the mouse leaves lpHoverRect (rectTitle when NULL). A colour of 0xFF000000
  // keeps the DC's own.
  void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = NULL,
            const LOGFONT* lpLogFont = NULL, COLORREF crTextClr = 0xFF000000, COLORREF crBackClr = 0xFF000000);
  void Hide();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  static BOOL RegisterWindowClass();

 protected:
  // Keys and button presses that reach the window itself (a message loop that does not
  // pre-translate) are handed on as PreTranslateMessage hands them on.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Hands a key or button press on to the window below; FALSE when there is none.
  BOOL Forward(const MSG& msg);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  CWnd* m_pParentWnd;
  CRect m_rectDisplay;
  CRect m_rectHover;   // in the tip's client coordinates
  DWORD m_dwLastLButtonDown;
  DWORD m_dwDblClickMsecs;
  BOOL m_bCreated;
};
