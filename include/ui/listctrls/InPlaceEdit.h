// The editor the edit-list and the list-view grid open over a sub-item. It takes the list's
// font, shows the text selected, and widens with what is typed (up to the list's right edge).
// Losing the focus reports the text to the list (WM_NOTIFY LVN_ENDLABELEDIT from the editor's
// id with an NMLVDISPINFO: row, column, the text, or NULL after Escape), then destroys the
// window; the object deletes itself after WM_NCDESTROY.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

class QUARNEL_API CInPlaceEdit : public CEdit {
 public:
  CInPlaceEdit(int nRow, int nColumn, CString sInitText);
  ~CInPlaceEdit() override;

  // Where an editor over a sub-item goes: makes the row fully visible, scrolls the cell into
  // the client area, and gives the editor's rectangle (4 pixels in from the cell's left, 3 in
  // from its right, at most the client right) and its alignment style. FALSE for a column that
  // does not exist or is 4 pixels wide or narrower.
  static BOOL PlaceOverCell(CListCtrl* pList, int nRow, int nColumn, CRect& rect, DWORD& dwAlign);
  // Opens an editor with text over the cell (PlaceOverCell), id nID; NULL when the cell has no
  // place or the window cannot be made.
  static CInPlaceEdit* OpenOverCell(CListCtrl* pList, int nRow, int nColumn, const CString& text, UINT nID);

  // Sends pTo WM_NOTIFY (wParam) LVN_ENDLABELEDIT with an NMLVDISPINFO {hFrom, id}: row,
  // column, the text (NULL after Escape) and its length.
  static void SendEndOfEdit(CWnd* pTo, WPARAM wParam, HWND hFrom, UINT_PTR id, int nRow, int nColumn, LPTSTR text,
                            int length);

  int GetRow() const { return m_nRow; }
  int GetColumn() const { return m_nColumn; }
  // Return, Delete and Escape, and every key with Ctrl down, go straight to the editor.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  // Reports the end of the edit (text NULL after Escape); by default to the list, from the
  // editor's window and id.
  virtual void ReportEnd(LPTSTR text, int length);
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()

 private:
  // Widens the window to the text's extent plus 5 pixels, at most to the list's client right.
  void GrowToText();

  int m_nRow;
  int m_nColumn;
  CString m_sInitText;
  BOOL m_bEscape;
  BOOL m_bReported;  // the end of this edit has been reported
};
