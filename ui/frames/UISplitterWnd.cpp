// CUISplitterWnd: the splitter with command buttons beside its horizontal scroll bar.
#include "UISplitterWnd.h"

#include "UICommand.h"

IMPLEMENT_DYNCREATE(CUISplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CUISplitterWnd, CSplitterWnd)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CUISplitterWnd::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CUISplitterWnd::OnToolTipText)
END_MESSAGE_MAP()

namespace {
const int kButtonWidth = 20;
}  // namespace

CUISplitterWnd::CUISplitterWnd() = default;

CUISplitterWnd::~CUISplitterWnd() {
  if (m_pButtons != NULL) {
    for (INT_PTR i = m_pButtons->GetSize(); i-- > 0;) delete static_cast<CCmdButton*>(m_pButtons->GetAt(i));
    delete m_pButtons;
  }
  delete m_pToolTip;
}

void CUISplitterWnd::AddCommandInScrollBar(CUICommand* pCommand, BOOL bAdd) {
  if (pCommand == NULL || m_hWnd == NULL) return;
  if (m_pToolTip == NULL) {
    m_pToolTip = new CToolTipCtrl;
    if (!m_pToolTip->Create(this, 0)) {
      delete m_pToolTip;
      m_pToolTip = NULL;
      return;
    }
    m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
    EnableToolTips(TRUE);
  }
  if (!bAdd) return;
  auto* button = new CCmdButton(pCommand->m_wID);
  if (!button->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, pCommand->m_wID)) {
    delete button;
    return;
  }
  if (m_pButtons == NULL) m_pButtons = new CPtrArray;
  m_pButtons->Add(button);
  m_pToolTip->AddTool(button, LPSTR_TEXTCALLBACK);
  RecalcLayout();
}

void CUISplitterWnd::RecalcLayout() {
  CSplitterWnd::RecalcLayout();
  const int count = GetButtonCount();
  if (!m_bHasHScroll || count == 0) return;
  HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST);
  if (hBar == NULL) return;
  CRect bar;
  ::GetWindowRect(hBar, &bar);
  ScreenToClient(&bar);
  bar.left += kButtonWidth * count;
  ::SetWindowPos(hBar, NULL, bar.left, bar.top, bar.Width() > 0 ? bar.Width() : 0, bar.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // The last added nearest the scroll bar.
  int right = bar.left;
  for (int i = count; i-- > 0;) {
    GetButton(i)->MoveWindow(right - kButtonWidth, bar.top, kButtonWidth, bar.Height(), TRUE);
    right -= kButtonWidth;
  }
}

BOOL CUISplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A button's click: its command goes up as a menu command would.
  HWND hCtrl = reinterpret_cast<HWND>(lParam);
  if (hCtrl != NULL && HIWORD(wParam) == BN_CLICKED && m_pButtons != NULL) {
    for (INT_PTR i = 0; i < m_pButtons->GetSize(); ++i) {
      CCmdButton* button = GetButton(static_cast<int>(i));
      if (button->m_hWnd == hCtrl) {
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(button->GetCommand(), 0), 0);
        return TRUE;
      }
    }
  }
  return CSplitterWnd::OnCommand(wParam, lParam);
}

BOOL CUISplitterWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  CCmdButton* found = NULL;
  for (int i = GetButtonCount(); i-- > 0 && found == NULL;)
    if (reinterpret_cast<UINT_PTR>(GetButton(i)->m_hWnd) == pNMHDR->idFrom) found = GetButton(i);
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    TOOLTIPTEXTW* ttt = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    ttt->szText[0] = 0;
    if (found != NULL) {
      CString full;
      full.LoadString(found->GetCommand());
      full = full.Left(255);
      int feed = full.Find(_T('\n'));
      CString tip = feed < 0 ? CString() : full.Mid(feed + 1);
      feed = tip.Find(_T('\n'));
      if (feed >= 0) tip = tip.Left(feed);
#ifdef UNICODE
      lstrcpynW(ttt->szText, tip, _countof(ttt->szText));
#else
      ::MultiByteToWideChar(CP_ACP, 0, tip, -1, ttt->szText, _countof(ttt->szText));
      ttt->szText[_countof(ttt->szText) - 1] = 0;
#endif
    }
  }
  if (pResult != NULL) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
  return TRUE;
}
