#include "InPlaceEdit.h"

#include <framework.h>

#include <UIHandles.h>

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
  ON_WM_CREATE()
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(int nRow, int nColumn, CString sInitText)
    : m_nRow(nRow), m_nColumn(nColumn), m_sInitText(sInitText), m_bEscape(FALSE), m_bReported(FALSE) {}

CInPlaceEdit::~CInPlaceEdit() {}

BOOL CInPlaceEdit::PlaceOverCell(CListCtrl* pList, int nRow, int nColumn, CRect& rect, DWORD& dwAlign) {
  if (pList == NULL || pList->GetSafeHwnd() == NULL || nRow < 0 || nColumn < 0) return FALSE;
  if (!pList->EnsureVisible(nRow, FALSE)) return FALSE;
  CHeaderCtrl* header = pList->GetHeaderCtrl();
  const int columns = header != NULL ? header->GetItemCount() : 0;
  if (nColumn >= columns) return FALSE;
  const int width = pList->GetColumnWidth(nColumn);
  if (width <= 4) return FALSE;
  int x = 0;
  for (int c = 0; c < nColumn; ++c) x += pList->GetColumnWidth(c);
  CRect bounds;
  if (!pList->GetItemRect(nRow, bounds, LVIR_BOUNDS)) return FALSE;
  CRect client;
  pList->GetClientRect(client);
  if (bounds.left + x < 0 || bounds.left + x > client.right) {
    // Scroll the cell's left edge to the client's left.
    const int by = bounds.left + x;
    pList->Scroll(CSize(by, 0));
    bounds.left -= by;
  }
  LVCOLUMN column = {};
  column.mask = LVCF_FMT;
  pList->GetColumn(nColumn, &column);
  switch (column.fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
      dwAlign = ES_RIGHT;
      break;
    case LVCFMT_CENTER:
      dwAlign = ES_CENTER;
      break;
    default:
      dwAlign = ES_LEFT;
      break;
  }
  rect = bounds;
  rect.left = bounds.left + x + 4;
  rect.right = rect.left + width - 3;
  if (rect.right > client.right) rect.right = client.right;
  return TRUE;
}

CInPlaceEdit* CInPlaceEdit::OpenOverCell(CListCtrl* pList, int nRow, int nColumn, const CString& text, UINT nID) {
  CRect rect;
  DWORD align = ES_LEFT;
  if (!PlaceOverCell(pList, nRow, nColumn, rect, align)) return NULL;
  CInPlaceEdit* edit = new CInPlaceEdit(nRow, nColumn, text);
  if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | align, rect, pList, nID)) {
    // No window, so no WM_NCDESTROY to delete the object.
    delete edit;
    return NULL;
  }
  return edit;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN &&
      (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE ||
       GetKeyState(VK_CONTROL) != 0)) {
    ::TranslateMessage(pMsg);
    ::DispatchMessage(pMsg);
    return TRUE;
  }
  return CEdit::PreTranslateMessage(pMsg);
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
  CWnd* list = GetParent();
  if (list != NULL) SendMessage(WM_SETFONT, list->SendMessage(WM_GETFONT), FALSE);
  SetWindowText(m_sInitText);
  SetFocus();
  SetSel(0, -1);
  return 0;
}

UINT CInPlaceEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CInPlaceEdit::OnChar(UINT nChar, UINT, UINT) {
  CWnd* list = GetParent();
  if (nChar == VK_ESCAPE || nChar == VK_RETURN) {
    if (nChar == VK_ESCAPE) m_bEscape = TRUE;
    if (list != NULL) list->SetFocus();
    return;
  }
  Default();
  GrowToText();
}

void CInPlaceEdit::GrowToText() {
  CWnd* list = GetParent();
  if (list == NULL) return;
  CString text;
  GetWindowText(text);
  CClientDC dc(this);
  CFont* font = GetFont();
  CSize size;
  {
    const uih::Selection fontSel(dc.m_hDC, font != NULL ? static_cast<HFONT>(font->GetSafeHandle()) : HFONT(NULL));
    size = dc.GetTextExtent(text);
  }
  CRect rect;
  GetWindowRect(rect);
  list->ScreenToClient(rect);
  CRect client;
  list->GetClientRect(client);
  const int wanted = size.cx + 5;
  if (wanted <= rect.Width()) return;
  rect.right = rect.left + wanted > client.right ? client.right : rect.left + wanted;
  MoveWindow(rect);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd) {
  CEdit::OnKillFocus(pNewWnd);
  if (m_bReported) return;
  m_bReported = TRUE;
  CString text;
  GetWindowText(text);
  HWND self = m_hWnd;
  const int length = text.GetLength();
  ReportEnd(m_bEscape ? NULL : text.GetBuffer(), m_bEscape ? 0 : length);
  // The list (and with it this editor) may be gone after the report.
  if (!::IsWindow(self)) return;
  DestroyWindow();
}

void CInPlaceEdit::SendEndOfEdit(CWnd* pTo, WPARAM wParam, HWND hFrom, UINT_PTR id, int nRow, int nColumn,
                                 LPTSTR text, int length) {
  if (pTo == NULL) return;
  LV_DISPINFO info = {};
  info.hdr.hwndFrom = hFrom;
  info.hdr.idFrom = id;
  info.hdr.code = static_cast<UINT>(LVN_ENDLABELEDIT);
  info.item.mask = LVIF_TEXT;
  info.item.iItem = nRow;
  info.item.iSubItem = nColumn;
  info.item.pszText = text;
  info.item.cchTextMax = length;
  pTo->SendMessage(WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&info));
}

void CInPlaceEdit::ReportEnd(LPTSTR text, int length) {
  const UINT_PTR id = static_cast<UINT_PTR>(GetDlgCtrlID());
  SendEndOfEdit(GetParent(), id, m_hWnd, id, m_nRow, m_nColumn, text, length);
}

void CInPlaceEdit::PostNcDestroy() { delete this; }
