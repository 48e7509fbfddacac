#include "RichInPlaceEditors.h"

#include <framework.h>

void ReportRichEdit(CWnd* pList, UINT nEditorId, int nRow, int nColumn, LPTSTR text, int length) {
  if (pList == NULL) return;
  CInPlaceEdit::SendEndOfEdit(pList->GetParent(), static_cast<WPARAM>(pList->GetDlgCtrlID()), pList->m_hWnd, nEditorId,
                              nRow, nColumn, text, length);
}

// The edit.

CRichInPlaceEdit::CRichInPlaceEdit(int nRow, int nColumn, CString sInitText) : CInPlaceEdit(nRow, nColumn, sInitText) {}

void CRichInPlaceEdit::ReportEnd(LPTSTR text, int length) {
  ReportRichEdit(GetParent(), static_cast<UINT>(GetDlgCtrlID()), GetRow(), GetColumn(), text, length);
}

// The drop-down.

BEGIN_MESSAGE_MAP(CRichInPlaceCombobox, CComboBox)
  ON_WM_CREATE()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
  ON_CONTROL_REFLECT(CBN_CLOSEUP, OnCloseUp)
END_MESSAGE_MAP()

CRichInPlaceCombobox::CRichInPlaceCombobox(int nRow, int nColumn, const std::vector<CString>& choices, int nSelection)
    : m_nRow(nRow), m_nColumn(nColumn), m_choices(choices), m_nSelection(nSelection), m_bEscape(FALSE), m_bReported(FALSE) {}

CRichInPlaceCombobox::~CRichInPlaceCombobox() {}

int CRichInPlaceCombobox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CComboBox::OnCreate(lpCreateStruct) == -1) return -1;
  CWnd* list = GetParent();
  if (list != NULL) SendMessage(WM_SETFONT, list->SendMessage(WM_GETFONT), FALSE);
  for (const CString& choice : m_choices) AddString(choice);
  SetCurSel(m_nSelection);
  SetFocus();
  return 0;
}

BOOL CRichInPlaceCombobox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}

void CRichInPlaceCombobox::OnChar(UINT nChar, UINT, UINT) {
  if (nChar == VK_ESCAPE || nChar == VK_RETURN) {
    if (nChar == VK_ESCAPE) m_bEscape = TRUE;
    if (CWnd* list = GetParent()) list->SetFocus();
    return;
  }
  Default();
}

void CRichInPlaceCombobox::OnCloseUp() {
  if (CWnd* list = GetParent()) list->SetFocus();
}

void CRichInPlaceCombobox::OnKillFocus(CWnd* pNewWnd) {
  CComboBox::OnKillFocus(pNewWnd);
  if (m_bReported) return;
  m_bReported = TRUE;
  CString text;
  const int chosen = GetCurSel();
  if (chosen >= 0) GetLBText(chosen, text);
  HWND self = m_hWnd;
  ReportRichEdit(GetParent(), static_cast<UINT>(GetDlgCtrlID()), m_nRow, m_nColumn,
                 m_bEscape ? NULL : text.GetBuffer(), m_bEscape ? 0 : text.GetLength());
  if (!::IsWindow(self)) return;
  PostMessage(WM_CLOSE);
}

void CRichInPlaceCombobox::PostNcDestroy() { delete this; }
