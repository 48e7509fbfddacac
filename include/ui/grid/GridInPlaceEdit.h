// The edit window a grid cell opens over itself while its text is edited. It reports the text
// and the key that ended the edit to its owner (GVN_ENDLABELEDIT with a GV_DISPINFO whose
// lParam is the key), closes, and deletes itself.
#pragma once
#include <framework.h>

#include "GridTypes.h"
#include "quarnel_api.h"

class QUARNEL_API CGridInPlaceEdit : public CEdit {
 public:
  // Creates the window at once over rect in parent (style plus WS_CHILD, WS_VISIBLE, WS_BORDER,
  // ES_AUTOHSCROLL); nFirstChar says how the edit began (VK_LBUTTON for a click, VK_RETURN, a
  // typed character). Without a window (GetSafeHwnd() NULL) the caller deletes the object.
  CGridInPlaceEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, CString sInitText,
                   UINT nFirstChar);
  ~CGridInPlaceEdit() override;

  // Reports the text to the owner once (a nested call during the report returns at once),
  // then closes the window.
  void EndEdit();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  UINT GetLastKey() const { return m_nLastChar; }

 protected:
  void PostNcDestroy() override;
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()

 private:
  // Widens the window to the text plus two blanks, up to the parent's right edge.
  void GrowToText();

  int m_nRow, m_nColumn;
  CString m_sInitText;
  UINT m_nLastChar;
  BOOL m_bExitOnArrows;
  CRect m_Rect;
  BOOL m_bEnding;  // this editor's report is under way
};
