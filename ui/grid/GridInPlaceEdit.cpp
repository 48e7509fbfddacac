#include "GridInPlaceEdit.h"

#include <framework.h>

#include <UIHandles.h>

BEGIN_MESSAGE_MAP(CGridInPlaceEdit, CEdit)
  ON_WM_KILLFOCUS()
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CGridInPlaceEdit::CGridInPlaceEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                                   CString sInitText, UINT nFirstChar)
    : m_nRow(nRow),
      m_nColumn(nColumn),
      m_sInitText(sInitText),
      m_nLastChar(0),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_Rect(rect),
      m_bEnding(FALSE) {
  const DWORD style = dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
  if (!Create(style, rect, pParent, nID)) return;
  SendMessage(WM_SETFONT, pParent->SendMessage(WM_GETFONT, 0, 0), TRUE);
  SetWindowText(sInitText);
  SetFocus();
  const int length = sInitText.GetLength();
  switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
      SetSel(length, -1);
      return;
    case VK_BACK:
      SetSel(length, -1);
      break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      SetSel(0, -1);
      return;
    default:
      SetSel(0, -1);
      break;
  }
  // The character that began the edit replaces the selection (or, Backspace, removes the last).
  PostMessage(nFirstChar < 128 ? WM_CHAR : WM_IME_CHAR, nFirstChar, 0);
}

CGridInPlaceEdit::~CGridInPlaceEdit() {}

BOOL CGridInPlaceEdit::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_SYSCHAR) return TRUE;
  return CEdit::PreTranslateMessage(pMsg);
}

void CGridInPlaceEdit::PostNcDestroy() { delete this; }

void CGridInPlaceEdit::OnKillFocus(CWnd* pNewWnd) {
  Default();
  (void)pNewWnd;
  EndEdit();
}

UINT CGridInPlaceEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CGridInPlaceEdit::OnKeyDown(UINT nChar, UINT, UINT) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (m_bExitOnArrows || ctrl) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
      }
      break;
    default:
      break;
  }
  Default();
}

void CGridInPlaceEdit::OnChar(UINT nChar, UINT, UINT) {
  if (nChar == VK_TAB || nChar == VK_RETURN) {
    m_nLastChar = nChar;
    GetParent()->SetFocus();
    return;
  }
  if (nChar == VK_ESCAPE) {
    SetWindowText(m_sInitText);
    m_nLastChar = nChar;
    GetParent()->SetFocus();
    return;
  }
  Default();
  GrowToText();
}

void CGridInPlaceEdit::GrowToText() {
  CString text;
  GetWindowText(text);
  text += _T("  ");
  CClientDC dc(this);
  CFont* font = GetFont();
  CSize size;
  {
    const uih::Selection fontSel(dc.m_hDC, font != NULL ? static_cast<HFONT>(font->GetSafeHandle()) : HFONT(NULL));
    size = dc.GetTextExtent(text);
  }
  if (size.cx <= m_Rect.Width()) return;
  CRect parentClient;
  GetParent()->GetClientRect(parentClient);
  m_Rect.right = m_Rect.left + size.cx >= parentClient.right ? parentClient.right : m_Rect.left + size.cx;
  MoveWindow(m_Rect);
}

void CGridInPlaceEdit::EndEdit() {
  if (m_bEnding || GetSafeHwnd() == NULL) return;
  m_bEnding = TRUE;
  CString text;
  GetWindowText(text);
  GV_DISPINFO info;
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  info.hdr.code = static_cast<UINT>(GVN_ENDLABELEDIT);
  info.item.mask = GVIF_TEXT | GVIF_PARAM;
  info.item.row = m_nRow;
  info.item.col = m_nColumn;
  info.item.strText = text;
  info.item.lParam = static_cast<LPARAM>(m_nLastChar);
  HWND self = m_hWnd;
  CWnd* owner = GetOwner();
  if (owner == NULL) owner = GetParent();
  if (owner != NULL) owner->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  // The report may have destroyed this window (and with it this object).
  if (::IsWindow(self)) {
    ::SendMessage(self, WM_CLOSE, 0, 0);
    if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this) m_bEnding = FALSE;
  }
}
