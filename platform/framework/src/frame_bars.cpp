// CFrameWnd and its bars: delayed layout, the status prompt of commands, the tooltip texts of
// the framework's tooltips, and the menu items that show and hide bars.
#include "fw_bars.h"
#include "fw_internal.h"

namespace {
// The part of a command's string: 0 the status prompt, 1 the tooltip (after a line feed).
CString CommandStringPart(UINT nID, int part) {
  CString full;
  if (nID == 0 || !full.LoadString(nID)) return CString();
  int feed = full.Find(_T('\n'));
  if (part == 0) return feed < 0 ? full : full.Left(feed);
  return feed < 0 ? CString() : full.Mid(feed + 1);
}
}  // namespace

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const { rMessage = CommandStringPart(nID, 0); }

CWnd* CFrameWnd::GetMessageBar() {
  HWND hWnd = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
  return hWnd != NULL ? CWnd::FromHandle(hWnd) : NULL;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  const UINT nIDLast = m_nIDLastMessage;
  CString text;
  if (wParam == AFX_IDS_IDLEMESSAGE)
    text.LoadString(AFX_IDS_IDLEMESSAGE);  // no idle prompt: an empty bar
  else if (wParam != 0)
    GetMessageString(static_cast<UINT>(wParam), text);
  else if (lParam != 0)
    text = reinterpret_cast<LPCTSTR>(lParam);
  m_nIDLastMessage = static_cast<UINT>(wParam);
  if (CWnd* pBar = GetMessageBar()) {
    pBar->SetWindowText(text);
    pBar->UpdateWindow();
  }
  return nIDLast;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  UINT_PTR nID = pNMHDR->idFrom;
  const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
  const UINT flags = wide ? reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags : reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags;
  if (flags & TTF_IDISHWND) nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
  CString tip = CommandStringPart(static_cast<UINT>(nID), 1);
  if (wide) {
    TOOLTIPTEXTW* ttt = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
#ifdef UNICODE
    lstrcpynW(ttt->szText, tip, _countof(ttt->szText));
#else
    ::MultiByteToWideChar(CP_ACP, 0, tip, -1, ttt->szText, _countof(ttt->szText));
    ttt->szText[_countof(ttt->szText) - 1] = 0;
#endif
  } else {
    TOOLTIPTEXTA* ttt = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
#ifdef UNICODE
    ::WideCharToMultiByte(CP_ACP, 0, tip, -1, ttt->szText, _countof(ttt->szText), NULL, NULL);
    ttt->szText[_countof(ttt->szText) - 1] = 0;
#else
    lstrcpynA(ttt->szText, tip, _countof(ttt->szText));
#endif
  }
  if (pResult != NULL) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
  if (pBar == NULL) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* pBar = GetControlBar(nID);
  if (pBar == NULL) return FALSE;
  ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  return TRUE;
}
