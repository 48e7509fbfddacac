// CDockBar: a side of the frame (or a floating frame) holding its bars in rows.
#include "fw_dock.h"
#include "fw_internal.h"

#include <algorithm>

namespace fw {

int DoubleBorderX() { return 2 * ::GetSystemMetrics(SM_CXBORDER); }
int DoubleBorderY() { return 2 * ::GetSystemMetrics(SM_CYBORDER); }

void InvertDragFrame(HDC hDC, const RECT& rect, SIZE thickness) {
  static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
  HBRUSH brush = bitmap != NULL ? ::CreatePatternBrush(bitmap) : NULL;
  if (brush != NULL) {
    HGDIOBJ old = ::SelectObject(hDC, brush);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int cx = std::min<int>(thickness.cx, w), cy = std::min<int>(thickness.cy, h);
    ::PatBlt(hDC, rect.left, rect.top, w, cy, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - cy, w, cy, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + cy, cx, h - 2 * cy, PATINVERT);
    ::PatBlt(hDC, rect.right - cx, rect.top + cy, cx, h - 2 * cy, PATINVERT);
    ::SelectObject(hDC, old);
    ::DeleteObject(brush);
  }
  if (bitmap != NULL) ::DeleteObject(bitmap);
}

const DockBarPlace* DockBarPlaces() {
  static const DockBarPlace places[4] = {
      {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
  };
  return places;
}

}  // namespace fw

IMPLEMENT_DYNCREATE(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_bDockBar = TRUE;
  m_arrBars.Add(NULL);
}

CDockBar::~CDockBar() {
  // Bars still docked forget this dock bar.
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = static_cast<CControlBar*>(m_arrBars[i]))
      if (bar->m_pDockBar == this) bar->m_pDockBar = NULL;
}

void CDockBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  return CWnd::Create(cls, NULL, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd,
                      nID);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (i != nPosExclude && m_arrBars[i] == pBar) return static_cast<int>(i);
  return -1;
}

int CDockBar::GetDockedCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (m_arrBars[i] != NULL) ++n;
  return n;
}

int CDockBar::GetDockedVisibleCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = static_cast<CControlBar*>(m_arrBars[i]))
      if (bar->IsVisible()) ++n;
  return n;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  return nPos >= 0 && nPos < m_arrBars.GetSize() ? static_cast<CControlBar*>(m_arrBars[nPos]) : NULL;
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
  const int pos = FindBar(pBar);
  if (pos <= 0) return FALSE;
  m_arrBars.RemoveAt(pos);
  // A row left empty goes: two row ends in a row become one.
  if (pos < m_arrBars.GetSize() && m_arrBars[pos] == NULL && m_arrBars[pos - 1] == NULL) m_arrBars.RemoveAt(pos);
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = NULL;
  if (m_bFloating && GetDockedCount() == 0 && m_hWnd != NULL) {
    // The floating frame has nothing left: it goes once the current message is done.
    if (CWnd* frame = GetParent()) {
      frame->ShowWindow(SW_HIDE);
      frame->PostMessage(WM_FW_FLOATEMPTY);
    }
  } else if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL) {
    m_pDockSite->DelayRecalcLayout();
  }
  return TRUE;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (pBar == NULL || pBar == this || pBar->m_hWnd == NULL || m_hWnd == NULL) return;
  // Its style follows the side; a floating bar is marked so.
  pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) |
                    (m_bFloating ? CBRS_FLOATING : 0);
  if (m_bFloating && (m_dwStyle & CBRS_FLOAT_MULTI) == 0 && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
    m_dwStyle |= CBRS_FLOAT_MULTI;
  if (pBar->m_pDockBar != NULL) pBar->m_pDockBar->RemoveControlBar(pBar);
  RemoveControlBar(pBar);  // a stale entry of this dock bar
  if (pBar->GetParent() != this) pBar->SetParent(this);
  pBar->m_pDockBar = this;
  if (m_pDockSite != NULL) pBar->m_pDockSite = m_pDockSite;
  const int pos = Insert(pBar, lpRect);
  m_arrBars.InsertAt(pos, pBar);
  if (lpRect != NULL) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    pBar->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (m_pDockSite != NULL) m_pDockSite->DelayRecalcLayout();
}

int CDockBar::Insert(CControlBar* pBar, LPCRECT lpRect) {
  // The array always ends a row with NULL at its end.
  if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL) m_arrBars.Add(NULL);
  const INT_PTR last = m_arrBars.GetSize() - 1;
  if (lpRect == NULL) {
    m_arrBars.InsertAt(last + 1, static_cast<void*>(NULL));  // the bar opens a new last row
    return static_cast<int>(last + 1);
  }
  const BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CRect drop(lpRect);
  ScreenToClient(&drop);
  const int centre = horz ? drop.CenterPoint().y : drop.CenterPoint().x;
  const int start = horz ? drop.left : drop.top;
  // Rows as they lie now: [near, far) across the dock bar.
  INT_PTR rowStart = 1;
  for (INT_PTR i = 1; i <= last; ++i) {
    if (m_arrBars[i] != NULL) continue;
    int nearEdge = INT_MAX, farEdge = INT_MIN;
    for (INT_PTR j = rowStart; j < i; ++j) {
      CControlBar* bar = static_cast<CControlBar*>(m_arrBars[j]);
      if (bar == pBar || !bar->IsVisible()) continue;
      CRect r;
      bar->GetWindowRect(&r);
      ScreenToClient(&r);
      nearEdge = std::min<int>(nearEdge, horz ? r.top : r.left);
      farEdge = std::max<int>(farEdge, horz ? r.bottom : r.right);
    }
    if (farEdge != INT_MIN) {
      if (centre < nearEdge) {
        // Before this row: a row of its own.
        m_arrBars.InsertAt(rowStart, static_cast<void*>(NULL));
        return static_cast<int>(rowStart);
      }
      if (centre < farEdge) {
        // In this row, before the first bar that starts after the drop.
        for (INT_PTR j = rowStart; j < i; ++j) {
          CControlBar* bar = static_cast<CControlBar*>(m_arrBars[j]);
          CRect r;
          bar->GetWindowRect(&r);
          ScreenToClient(&r);
          if (bar->IsVisible() && (horz ? r.left : r.top) > start) return static_cast<int>(j);
        }
        return static_cast<int>(i);
      }
    }
    rowStart = i + 1;
  }
  m_arrBars.InsertAt(last + 1, static_cast<void*>(NULL));
  return static_cast<int>(last + 1);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  // The room along the side: the layout's rectangle, else the parent's client; floating: unbounded.
  CSize room(32767, 32767);
  if (!m_bFloating) {
    if (!m_rectLayout.IsRectEmpty()) {
      room = m_rectLayout.Size();
    } else if (CWnd* parent = GetParent()) {
      CRect c;
      parent->GetClientRect(&c);
      room = c.Size();
    }
  }
  const int maxLength = horz ? room.cx : room.cy;
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  int along = 0, across = 0, rowDepth = 0, longest = 0;
  BOOL rowHasBar = FALSE;
  const UINT id = static_cast<UINT>(GetDlgCtrlID());
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = static_cast<CControlBar*>(m_arrBars[i]);
    if (bar == NULL) {
      across += rowDepth;
      along = rowDepth = 0;
      rowHasBar = FALSE;
      continue;
    }
    if (bar->IsVisible()) {
      CSize size;
      if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)
        size = bar->CalcDynamicLayout(m_bFloating ? bar->m_nMRUWidth : -1,
                                      m_bFloating ? (LM_HORZ | LM_MRUWIDTH)
                                                  : (horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK));
      else
        size = bar->CalcFixedLayout(FALSE, horz);
      const int length = horz ? size.cx : size.cy, depth = horz ? size.cy : size.cx;
      // A bar that does not fit wraps to a line of its own (the rows stay as they are).
      if (rowHasBar && along + length > maxLength) {
        across += rowDepth;
        along = rowDepth = 0;
      }
      CRect rect = horz ? CRect(CPoint(along, across), size) : CRect(CPoint(across, along), size);
      AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
      if (bar->m_pDockContext != NULL && !m_bFloating) {
        bar->m_pDockContext->m_uMRUDockID = id;
        bar->m_pDockContext->m_rectMRUDockPos = rect;
      }
      along += length;
      longest = std::max(longest, along);
      rowDepth = std::max(rowDepth, depth);
      rowHasBar = TRUE;
    }
    if (!m_bLayoutQuery) bar->RecalcDelayShow(&layout);
  }
  across += rowDepth;
  if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
  CSize fixed(bStretch && bHorz ? 32767 : longest, bStretch && !bHorz ? 32767 : longest);
  if (horz)
    fixed.cy = across;
  else
    fixed.cx = across;
  return fixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const BOOL query = m_bLayoutQuery;
  m_bLayoutQuery = layout->hDWP == NULL;
  m_rectLayout = layout->rect;
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = query;
  return result;
}
