// CStatusBar on the common status control.
#include "fw_statusbar.h"

#include <algorithm>

#include "fw_gdi.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
  ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
  ON_MESSAGE(WM_SETFONT, &CStatusBar::OnSetFont)
END_MESSAGE_MAP()

namespace {
// Room a pane takes beyond its text: the control's borders and a little air.
const int kPaneExtra = 8;

int KeyOfIndicator(UINT nID) {
  switch (nID) {
    case ID_INDICATOR_CAPS:
      return VK_CAPITAL;
    case ID_INDICATOR_NUM:
      return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
      return VK_SCROLL;
    default:
      return 0;
  }
}

// An update probe for one pane.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* bar = NULL;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    UINT wanted = bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
    if (wanted != style) bar->SetPaneStyle(static_cast<int>(m_nIndex), wanted);
  }
  void SetCheck(int nCheck) override {
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    UINT wanted = nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT);
    if (wanted != style) bar->SetPaneStyle(static_cast<int>(m_nIndex), wanted);
  }
  void SetText(LPCTSTR lpszText) override {
    if (bar->GetPaneText(static_cast<int>(m_nIndex)) != (lpszText ? lpszText : _T("")))
      bar->SetPaneText(static_cast<int>(m_nIndex), lpszText);
  }
};
}  // namespace

CStatusBar::CStatusBar() = default;

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  // The frame places the bar (WM_SIZEPARENT): the control must not place itself.
  DWORD style = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME)) style |= SBARS_SIZEGRIP;
  if (!CWnd::Create(STATUSCLASSNAME, NULL, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  m_hFont = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
  if (m_hFont == NULL) m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const {
  HDC dc = ::GetDC(m_hWnd);
  if (dc == NULL) return 0;
  HGDIOBJ old = ::SelectObject(dc, m_hFont ? m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(dc, text.GetString(), text.GetLength(), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL) || nIDCount > 255) return FALSE;
  m_panes.assign(static_cast<size_t>(nIDCount), Pane{});
  BOOL ok = TRUE;
  for (int i = 0; i < nIDCount; ++i) {
    Pane& pane = m_panes[static_cast<size_t>(i)];
    pane.nID = lpIDArray[i];
    if (pane.nID != ID_SEPARATOR) {
      if (!pane.strText.LoadString(pane.nID)) ok = FALSE;
      pane.cxText = TextWidth(pane.strText);
    }
  }
  if (!m_panes.empty()) m_panes[0].nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
  UpdateAllPanes(TRUE, TRUE);
  return ok;
}

const CStatusBar::Pane* CStatusBar::PaneAt(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? &m_panes[static_cast<size_t>(nIndex)] : NULL;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_panes[static_cast<size_t>(i)].nID == nIDFind) return i;
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  const Pane* pane = PaneAt(nIndex);
  return pane != NULL ? pane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (lpRect == NULL) return;
  ::SetRectEmpty(lpRect);
  if (PaneAt(nIndex) != NULL && m_hWnd != NULL) ::SendMessage(m_hWnd, SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

CString CStatusBar::GetPaneText(int nIndex) const {
  const Pane* pane = PaneAt(nIndex);
  return pane != NULL ? pane->strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (PaneAt(nIndex) == NULL) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  pane.strText = lpszNewText != NULL ? lpszNewText : _T("");
  // The control invalidates the part; it is painted with the next WM_PAINT.
  if (bUpdate) UpdatePaneText(nIndex);
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  const Pane* pane = PaneAt(nIndex);
  nID = pane ? pane->nID : 0;
  nStyle = pane ? pane->nStyle : 0;
  cxWidth = pane ? pane->cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (PaneAt(nIndex) == NULL) return;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  const bool resized = pane.cxText != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH) != 0;
  const bool restyled = pane.nStyle != nStyle;
  pane.nID = nID;
  pane.nStyle = nStyle;
  pane.cxText = std::max(cxWidth, 0);
  if (resized) UpdateAllPanes(TRUE, FALSE);
  // The control repaints a part whose text is set: only when what it shows changed.
  if (restyled) UpdatePaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  const Pane* pane = PaneAt(nIndex);
  return pane != NULL ? pane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (PaneAt(nIndex) == NULL) return;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  if (pane.nStyle == nStyle) return;
  const bool resized = ((pane.nStyle ^ nStyle) & SBPS_STRETCH) != 0;
  pane.nStyle = nStyle;
  if (resized) UpdateAllPanes(TRUE, FALSE);
  UpdatePaneText(nIndex);
}

void CStatusBar::UpdatePaneText(int nIndex) {
  if (m_hWnd == NULL || PaneAt(nIndex) == NULL) return;
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  UINT type = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
  if (type & SBT_OWNERDRAW) {
    // The text stays the bar's; the control hands its index to DrawItem.
    ::SendMessage(m_hWnd, SB_SETTEXT, static_cast<WPARAM>(nIndex) | type, static_cast<LPARAM>(nIndex));
    return;
  }
  LPCTSTR text = (pane.nStyle & SBPS_DISABLED) ? _T("") : pane.strText.GetString();
  ::SendMessage(m_hWnd, SB_SETTEXT, static_cast<WPARAM>(nIndex) | type, reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == NULL) return;
  if (bUpdateRects) {
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    int stretch = -1;
    for (int i = 0; i < GetCount(); ++i) {
      const Pane& pane = m_panes[static_cast<size_t>(i)];
      if ((pane.nStyle & SBPS_STRETCH) && stretch < 0)
        stretch = i;
      else
        fixed += pane.cxText + kPaneExtra;
    }
    // The size grip takes the bar's last square.
    const int grip = (GetStyle() & SBARS_SIZEGRIP) ? client.Height() : 0;
    const int stretched = std::max(client.Width() - grip - fixed, 0);
    std::vector<int> edges;
    edges.reserve(m_panes.size());
    int x = 0;
    for (int i = 0; i < GetCount(); ++i) {
      const Pane& pane = m_panes[static_cast<size_t>(i)];
      x += i == stretch ? std::max(stretched, pane.cxText + kPaneExtra) : pane.cxText + kPaneExtra;
      edges.push_back(x);
    }
    if (!edges.empty()) edges.back() = -1;  // the last pane reaches the end of the bar
    ::SendMessage(m_hWnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.empty() ? NULL : edges.data()));
  }
  if (bUpdateText)
    for (int i = 0; i < GetCount(); ++i) UpdatePaneText(i);
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  // The height of a text line in the bar's font, with the control's borders.
  HDC dc = ::GetDC(m_hWnd);
  TEXTMETRIC tm = {};
  if (dc != NULL) {
    HGDIOBJ old = ::SelectObject(dc, m_hFont ? m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextMetrics(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
  }
  m_sizeDefault = CSize(0, tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 6);
  return CControlBar::CalcFixedLayout(bStretch, bHorz);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI probe;
  probe.bar = this;
  probe.m_pOther = this;
  probe.m_nIndexMax = static_cast<UINT>(GetCount());
  for (int i = 0; i < GetCount(); ++i) {
    const UINT id = m_panes[static_cast<size_t>(i)].nID;
    if (id == ID_SEPARATOR) continue;
    probe.m_nID = id;
    probe.m_nIndex = static_cast<UINT>(i);
    probe.m_bContinueRouting = FALSE;
    if (int key = KeyOfIndicator(id)) {
      // The key's state, unless a handler of the frame says otherwise.
      probe.Enable((::GetKeyState(key) & 1) != 0);
      probe.DoUpdate(pTarget, FALSE);
    } else {
      // A pane without a handler keeps what it shows.
      probe.DoUpdate(pTarget, FALSE);
    }
  }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  Default();
  (void)nType;
  (void)cx;
  (void)cy;
  UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The window text is the message pane's text.
  if (GetCount() == 0) return Default();
  return SetPaneText(0, reinterpret_cast<LPCTSTR>(lParam)) ? TRUE : FALSE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (GetCount() == 0) return Default();
  TCHAR* buffer = reinterpret_cast<TCHAR*>(lParam);
  if (buffer == NULL || wParam == 0) return 0;
  const CString& text = m_panes[0].strText;
  int n = std::min<int>(text.GetLength(), static_cast<int>(wParam) - 1);
  memcpy(buffer, text.GetString(), static_cast<size_t>(n) * sizeof(TCHAR));
  buffer[n] = 0;
  return n;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  if (GetCount() == 0) return Default();
  return m_panes[0].strText.GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM) {
  LRESULT result = Default();
  m_hFont = reinterpret_cast<HFONT>(wParam);
  for (Pane& pane : m_panes)
    if (pane.nID != ID_SEPARATOR) pane.cxText = TextWidth(pane.strText);
  UpdateAllPanes(TRUE, TRUE);
  return result;
}
