// A static text that looks and behaves like a web link: drawn in the link colours (link,
// active, visited, hover), underlined by default, with the hand cursor and its address as
// tooltip; a click (or Space) opens the address through the library's link opener (web and
// mail addresses at once, any other target only with the local-link consent).
#pragma once
#include <fw_controls.h>
#include <fw_gdi.h>
#include <fw_string.h>

#include "quarnel_api.h"

#include <UIHandles.h>

struct tagHYPERLINKCOLORS {
  COLORREF crLink;
  COLORREF crActive;
  COLORREF crVisited;
  COLORREF crHover;
};

class QUARNEL_API CHyperLink : public CStatic {
  DECLARE_DYNAMIC(CHyperLink)

 public:
  static const DWORD StyleUnderline = 0x00000001;
  static const DWORD StyleUseHover = 0x00000002;
  static const DWORD StyleAutoSize = 0x00000004;
  static const DWORD StyleDownClick = 0x00000008;
  static const DWORD StyleGetFocusOnClick = 0x00000010;
  static const DWORD StyleNoHandCursor = 0x00000020;
  static const DWORD StyleNoActiveColor = 0x00000040;

  CHyperLink();
  ~CHyperLink() override;

  // Binds the parent's static of that id; an empty url takes the static's text.
  BOOL SubclassDlgItem(UINT id, CWnd* parent, LPCTSTR url = NULL);

  void SetURL(CString url);
  CString GetURL() const { return m_url; }
  void SetWindowText(LPCTSTR text);
  void SetFont(CFont* font);

  // FALSE (and nothing changes) when the two masks overlap.
  BOOL ModifyLinkStyle(DWORD remove, DWORD add, BOOL apply = TRUE);
  DWORD GetLinkStyle() const { return m_style; }
  BOOL IsVisited() const { return m_visited; }
  void SetVisited(BOOL visited = TRUE);
  BOOL IsActive() const { return m_active; }
  BOOL IsOver() const { return m_over; }

  // The colours of every link of the process. A hover colour of -1 is the system highlight
  // colour.
  static void SetColors(COLORREF link, COLORREF active, COLORREF visited, COLORREF hover = (COLORREF)-1);
  static void SetColors(tagHYPERLINKCOLORS& colors);
  static void GetColors(tagHYPERLINKCOLORS& colors);
  // NULL loads the default again (the system's hand).
  static void SetLinkCursor(HICON cursor);
  static HICON GetLinkCursor();

  // The text colour the link is drawn in now.
  COLORREF CurrentColor() const;
  // The message shown when a link cannot be opened, for the shell's error code.
  static CString ErrorText(int code);

 protected:
  // Opens the address; above 32 when it opened (the shell's convention), else an error code.
  static int GotoURL(LPCTSTR url, int showCmd);
  // Reads the default value of root\subkey (as text); the registry's error code.
  static LONG GetRegKey(HKEY root, LPCTSTR subkey, CString& out);
  // Shows ErrorText(code) in a message box (a trace line only while dialogs are bypassed).
  static void ReportError(int code);
  static void SetDefaultCursor();

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void FollowLink();
  void AdjustWindow();
  void MakeLinkFont(HFONT from);

  afx_msg HBRUSH CtlColor(CDC* pDC, UINT ctlColor);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOld);
  afx_msg void OnKillFocus(CWnd* pNew);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcDestroy();
  DECLARE_MESSAGE_MAP()

  BOOL m_active = FALSE;
  BOOL m_over = FALSE;
  BOOL m_visited = FALSE;
  DWORD m_style;
  CString m_url;
  uih::OwnedFont m_linkFont;
  CToolTipCtrl m_toolTip;

  static COLORREF g_crLinkColor, g_crActiveColor, g_crVisitedColor, g_crHoverColor;
  static HCURSOR g_hLinkCursor;
};
