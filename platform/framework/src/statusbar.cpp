// CStatusBar: the status-bar control as a control bar of its frame.
#include "fw_statusbar.h"
#include "fw_dc.h"
#include "fw_internal.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CStatusBar::CStatusBar() = default;

CStatusBar::~CStatusBar() {
  if (m_hWnd != NULL) DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&init);
  SetBarStyle(dwStyle & CBRS_ALL);
  const DWORD windowStyle = (dwStyle & 0xFFFF0000u) | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (!CreateEx(0, STATUSCLASSNAME, NULL, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  m_ids.assign(1, ID_SEPARATOR);
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (m_hWnd == NULL || nIDCount < 0 || (lpIDArray == NULL && nIDCount > 0)) return FALSE;
  std::vector<UINT> ids(lpIDArray, lpIDArray + nIDCount);
  if (ids.empty()) ids.assign(1, ID_SEPARATOR);
  // Widths of the indicator parts from their texts; the first part takes the rest.
  std::vector<int> widths(ids.size(), 0);
  {
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font != NULL ? dc.SelectObject(font) : NULL;
    for (size_t i = 0; i < ids.size(); ++i) {
      CString text;
      if (ids[i] != ID_SEPARATOR && text.LoadString(ids[i])) widths[i] = dc.GetTextExtent(text).cx + 8;
    }
    if (old != NULL) dc.SelectObject(old);
  }
  if (!SetParts(widths)) return FALSE;
  m_ids = ids;
  m_widths = widths;
  for (size_t i = 0; i < m_ids.size(); ++i) SendMessage(SB_SETTEXT, static_cast<WPARAM>(i), (LPARAM)_T(""));
  return TRUE;
}

BOOL CStatusBar::SetParts(const std::vector<int>& widths) {
  CRect client;
  GetClientRect(&client);
  std::vector<int> edges(widths.size(), -1);
  int right = client.Width();
  for (size_t i = widths.size(); i-- > 1;) {
    edges[i] = right;
    right -= widths[i];
  }
  if (widths.size() > 1) edges[0] = std::max(right, 0);
  return SendMessage(SB_SETPARTS, static_cast<WPARAM>(edges.size()), reinterpret_cast<LPARAM>(edges.data())) != 0;
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  if (!m_widths.empty()) SetParts(m_widths);
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  auto at = std::find(m_ids.begin(), m_ids.end(), nIDFind);
  return at == m_ids.end() ? -1 : static_cast<int>(at - m_ids.begin());
}

UINT CStatusBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_ids[static_cast<size_t>(nIndex)] : 0;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount()) return FALSE;
  const DWORD type = HIWORD(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(nIndex))) & ~SBT_OWNERDRAW;
  if (!SendMessage(SB_SETTEXT, static_cast<WPARAM>(nIndex) | type, (LPARAM)(lpszNewText ? lpszNewText : _T(""))))
    return FALSE;
  if (bUpdate) UpdateWindow();
  return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const {
  if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount()) return CString();
  return GetStatusBarCtrl().GetText(nIndex);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  int height = 0;
  if (m_hWnd != NULL) {
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font != NULL ? dc.SelectObject(font) : NULL;
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    if (old != NULL) dc.SelectObject(old);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    height = tm.tmHeight + 2 * borders[1] + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
  }
  m_sizeDefault = CSize(0, height);
  return CControlBar::CalcFixedLayout(bStretch, bHorz);
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
  if (CControlBar::OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}
