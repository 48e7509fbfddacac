// The rich list's own editors. Both report the end of an edit to the list's parent (WM_NOTIFY
// with the list's id and an NMLVDISPINFO {the list, the editor's id, LVN_ENDLABELEDIT}: row,
// column, the text, or NULL after Escape) and delete themselves after their window is gone.
#pragma once
#include <framework.h>

#include <vector>

#include "InPlaceEdit.h"
#include "quarnel_api.h"

class QUARNEL_API CRichInPlaceEdit : public CInPlaceEdit {
 public:
  CRichInPlaceEdit(int nRow, int nColumn, CString sInitText);

 protected:
  void ReportEnd(LPTSTR text, int length) override;
};

// Sends the end of an edit of a rich list's cell to the list's parent.
void QUARNEL_API ReportRichEdit(CWnd* pList, UINT nEditorId, int nRow, int nColumn, LPTSTR text, int length);

class QUARNEL_API CRichInPlaceCombobox : public CComboBox {
 public:
  CRichInPlaceCombobox(int nRow, int nColumn, const std::vector<CString>& choices, int nSelection);
  ~CRichInPlaceCombobox() override;

  // Return and Escape go straight to the box.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCloseUp();
  DECLARE_MESSAGE_MAP()

  int m_nRow;
  int m_nColumn;
  std::vector<CString> m_choices;
  int m_nSelection;
  BOOL m_bEscape;
  BOOL m_bReported;
};
