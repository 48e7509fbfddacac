// CSizeDockBar: rows of sizable bars with splitters; CQvRectTracker: the splitter's tracker.
#include "SizeDockBar.h"

#include <fw_app.h>
#include <fw_dc.h>

#include <algorithm>
#include <set>

CSizableDockedBar::~CSizableDockedBar() = default;

CSplitterRect::~CSplitterRect() = default;

// CQvRectTracker.

CQvRectTracker::CQvRectTracker(LPCRECT lpSrcRect, UINT nStyle) : CRectTracker(lpSrcRect, nStyle) {}

int CQvRectTracker::HandleOfHitTest(int nHitTest) {
  switch (nHitTest) {
    case HTLEFT: return hitLeft;
    case HTRIGHT: return hitRight;
    case HTTOP: return hitTop;
    case HTTOPLEFT: return hitTopLeft;
    case HTTOPRIGHT: return hitTopRight;
    case HTBOTTOM: return hitBottom;
    case HTBOTTOMLEFT: return hitBottomLeft;
    case HTBOTTOMRIGHT: return hitBottomRight;
    default: return hitMiddle;
  }
}

BOOL CQvRectTracker::TrackFromHitTest(int nHitTest, CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  m_rectStart = m_rect;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(HandleOfHitTest(nHitTest), pWnd, point, pWndClipTo);
}

void CQvRectTracker::AdjustRect(int nHandle, LPRECT lpRect) {
  if (!m_rectLimit.IsRectEmpty()) {
    if (nHandle == hitMiddle) {
      // A move keeps the size; the left edge stays within the limit, the top within it and
      // 10 pixels above its bottom.
      const int cx = m_rectStart.Width(), cy = m_rectStart.Height();
      lpRect->left = std::max<LONG>(m_rectLimit.left, std::min<LONG>(lpRect->left, m_rectLimit.right));
      lpRect->top = std::max<LONG>(m_rectLimit.top, std::min<LONG>(lpRect->top, m_rectLimit.bottom - 10));
      lpRect->right = lpRect->left + cx;
      lpRect->bottom = lpRect->top + cy;
    } else {
      ::IntersectRect(lpRect, lpRect, &m_rectLimit);
    }
  }
  CRectTracker::AdjustRect(nHandle, lpRect);
  if (m_nStyle & keepTopBottom) {
    lpRect->top = m_rectStart.top;
    lpRect->bottom = m_rectStart.bottom;
  }
  if (m_nStyle & keepLeftRight) {
    lpRect->left = m_rectStart.left;
    lpRect->right = m_rectStart.right;
  }
}

void CQvRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) {
  if (m_bErase && !m_bFinalErase) return;  // an erase is pending
  CRect rect(lpRect);
  rect.NormalizeRect();
  if (pWndClipTo != NULL && pWnd != NULL) pWnd->MapWindowPoints(pWndClipTo, &rect);
  const CSize thickness = m_bFinalErase ? CSize(0, 0) : CSize(2, 2);
  HDC hDC = pDC->GetSafeHdc();
  if (!m_rectLast.IsRectEmpty()) fw::InvertDragFrame(hDC, m_rectLast, m_sizeLast);
  if (thickness.cx != 0) fw::InvertDragFrame(hDC, rect, thickness);
  m_rectLast = thickness.cx != 0 ? rect : CRect();
  m_sizeLast = thickness;
}

// CSizeDockBar.

IMPLEMENT_DYNCREATE(CSizeDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CSizeDockBar, CDockBar)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_WM_RBUTTONUP()
  ON_MESSAGE(WM_SIZEPARENT, &CSizeDockBar::OnSizeParent)
END_MESSAGE_MAP()

CSizeDockBar::CSizeDockBar() : CDockBar(FALSE) {}

CSizeDockBar::~CSizeDockBar() { DeleteSplitters(); }

void CSizeDockBar::DeleteSplitters() {
  for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i) delete static_cast<CSplitterRect*>(m_arrSplitters[i]);
  m_arrSplitters.RemoveAll();
  m_pSplitCapture = NULL;
}

CSizableDockedBar* CSizeDockBar::Sizable(CControlBar* pBar) { return dynamic_cast<CSizableDockedBar*>(pBar); }

namespace {

CControlBar* BarAt(const CPtrArray& bars, INT_PTR i) { return static_cast<CControlBar*>(bars[i]); }

BOOL IsSizableBar(CControlBar* bar) {
  CSizableDockedBar* s = CSizeDockBar::Sizable(bar);
  return s != NULL && s->IsSizable();
}

// The bar's rectangle in the dock bar's client.
CRect RectIn(CWnd* dockBar, CControlBar* bar) {
  CRect r;
  bar->GetWindowRect(&r);
  dockBar->ScreenToClient(&r);
  return r;
}

HCURSOR LoadSplitterCursor(UINT id, LPCTSTR system) {
  HCURSOR cursor = NULL;
  if (HINSTANCE inst = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR))
    cursor = ::LoadCursor(inst, MAKEINTRESOURCE(id));
  return cursor != NULL ? cursor : ::LoadCursor(NULL, system);
}

}  // namespace

HCURSOR CSizeDockBar::SplitterCursor(BYTE kind) {
  static const HCURSOR vertical = LoadSplitterCursor(30980, IDC_SIZEWE);
  static const HCURSOR horizontal = LoadSplitterCursor(30981, IDC_SIZENS);
  return kind == CSplitterRect::vertical ? vertical : horizontal;
}

void CSizeDockBar::RowBounds(int nPos, int& first, int& end) const {
  const int n = static_cast<int>(m_arrBars.GetSize());
  first = std::min(nPos, n - 1);
  while (first > 0 && m_arrBars[first - 1] != NULL) --first;
  if (first == 0) first = 1;
  end = first;
  while (end < n && m_arrBars[end] != NULL) ++end;
}

CSize CSizeDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  // The side's own size: its full length when stretched, nothing across until rows fill it.
  CSize fixed(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
  CSize sizeMax;
  if (!m_rectLayout.IsRectEmpty()) {
    sizeMax = m_rectLayout.Size();
  } else {
    CWnd* frame = GetParent();
    if (frame == NULL || !frame->IsWindowVisible()) return fixed;
    CRect c;
    frame->GetClientRect(&c);
    sizeMax = c.Size();
  }
  const int cx2 = fw::DoubleBorderX(), cy2 = fw::DoubleBorderY();
  const int usable = sizeMax.cx - 2 * cx2;
  const BOOL horz = IsHorz();
  const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
  AFX_SIZEPARENTPARAMS layout = {};
  if (!m_bLayoutQuery) layout.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i)
    InvalidateRect(&static_cast<CSplitterRect*>(m_arrSplitters[i])->m_rect);
  DeleteSplitters();

  // Row rules.
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    CSizableDockedBar* s = bar != NULL ? Sizable(bar) : NULL;
    if (s == NULL || !bar->IsVisible()) continue;
    if (horz && s->MustBeFirstOnLeft() && m_arrBars[i - 1] != NULL) {
      m_arrBars.InsertAt(i, static_cast<void*>(NULL));
      ++i;
    }
    if (!horz && s->MustBeAloneVertically()) {
      if (m_arrBars[i - 1] != NULL) {
        m_arrBars.InsertAt(i, static_cast<void*>(NULL));
        ++i;
      }
      if (i + 1 < m_arrBars.GetSize() && m_arrBars[i + 1] != NULL) m_arrBars.InsertAt(i + 1, static_cast<void*>(NULL));
    }
  }
  if (m_arrBars[m_arrBars.GetSize() - 1] != NULL) m_arrBars.Add(NULL);

  // Placement.
  const UINT id = static_cast<UINT>(GetDlgCtrlID());
  CPoint pt(-cx2, -cy2);
  int rowDepth = 0, rowEnd = 0;
  BOOL rowStarted = FALSE, rowSizable = FALSE, anySizable = FALSE;
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    BOOL endRow = bar == NULL;
    if (bar != NULL && bar->IsVisible()) {
      if (!rowStarted) {
        // The first visible bar of a row: on a right or bottom side, a row holding a sizable
        // bar gets its splitter in front.
        int first, end;
        RowBounds(static_cast<int>(i), first, end);
        rowSizable = FALSE;
        for (int j = first; j < end; ++j)
          if (BarAt(m_arrBars, j)->IsVisible() && IsSizableBar(BarAt(m_arrBars, j))) rowSizable = TRUE;
        if (rowSizable && (align == CBRS_ALIGN_RIGHT || align == CBRS_ALIGN_BOTTOM)) {
          if (horz) {
            m_arrSplitters.Add(new CSplitterRect(CSplitterRect::horizontal, CRect(0, pt.y, 0, pt.y + kSplitter), first));
            pt.y += kSplitter;
          } else {
            m_arrSplitters.Add(new CSplitterRect(CSplitterRect::vertical, CRect(pt.x, 0, pt.x + kSplitter, 0), first));
            pt.x += kSplitter;
          }
        }
        anySizable = anySizable || rowSizable;
        rowStarted = TRUE;
      }
      const CSize size = bar->CalcFixedLayout(FALSE, (bar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0);
      CRect rect(pt, size);
      const BOOL firstOfRow = horz ? pt.x == -cx2 : pt.y == -cy2;
      const BOOL wraps = !firstOfRow && (horz ? rect.left >= usable - cx2 : rect.top >= sizeMax.cy - cy2);
      if (wraps) {
        m_arrBars.InsertAt(i, static_cast<void*>(NULL));
        --i;  // the row ends at the new entry; the bar opens the next row
        endRow = TRUE;
      } else {
        if (RectIn(this, bar) != rect) AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
        if (horz) {
          pt.x = rect.right - cx2;
          rowDepth = std::max<int>(rowDepth, size.cy);
        } else {
          pt.y = rect.bottom - cy2;
          rowDepth = std::max<int>(rowDepth, size.cx);
        }
        if (bar->m_pDockContext != NULL) {
          bar->m_pDockContext->m_uMRUDockID = id;
          bar->m_pDockContext->m_rectMRUDockPos = rect;
        }
      }
    }
    if (bar != NULL && !endRow && !m_bLayoutQuery) bar->RecalcDelayShow(&layout);
    if (endRow && rowDepth != 0) {
      if (horz) {
        pt.y += rowDepth - cy2;
        fixed.cx = std::max<LONG>(fixed.cx, pt.x);
        fixed.cy = std::max<LONG>(fixed.cy, pt.y);
        pt.x = -cx2;
      } else {
        pt.x += rowDepth - cx2;
        fixed.cx = std::max<LONG>(fixed.cx, pt.x);
        fixed.cy = std::max<LONG>(fixed.cy, pt.y);
        pt.y = -cy2;
      }
      rowEnd = static_cast<int>(i);
      rowDepth = 0;
      rowStarted = FALSE;
    } else if (endRow) {
      rowStarted = FALSE;
    }
  }
  // On a top or left side, one splitter after the last row.
  if (anySizable && align == CBRS_ALIGN_TOP) {
    m_arrSplitters.Add(new CSplitterRect(CSplitterRect::horizontal, CRect(0, pt.y, 0, pt.y + kSplitter), rowEnd));
    fixed.cy += kSplitter;
  } else if (anySizable && align == CBRS_ALIGN_LEFT) {
    m_arrSplitters.Add(new CSplitterRect(CSplitterRect::vertical, CRect(pt.x + 1, 0, pt.x + 1 + kSplitter, 0), rowEnd));
    fixed.cx += kSplitter;
  }
  if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
  // The splitters span the side.
  const BYTE kind = horz ? CSplitterRect::horizontal : CSplitterRect::vertical;
  for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i) {
    CSplitterRect* s = static_cast<CSplitterRect*>(m_arrSplitters[i]);
    if (s->m_type != kind) continue;
    if (horz) {
      s->m_rect.left = 0;
      s->m_rect.right = fixed.cx == 32767 ? sizeMax.cx : fixed.cx;
    } else {
      s->m_rect.top = 0;
      s->m_rect.bottom = fixed.cy == 32767 ? sizeMax.cy : fixed.cy;
    }
  }
  if (fixed.cx != 0 && fixed.cx != 32767) fixed.cx += cx2;
  if (fixed.cy != 0 && fixed.cy != 32767) fixed.cy += cy2;
  return fixed;
}

void CSizeDockBar::ShareRow(int nRow, int nLength, const CPtrArray* pExclude) {
  int first, end;
  RowBounds(nRow, first, end);
  const BOOL horz = IsHorz();
  auto excluded = [&](CControlBar* bar) {
    if (pExclude == NULL) return false;
    for (INT_PTR k = 0; k < pExclude->GetSize(); ++k)
      if ((*pExclude)[k] == bar) return true;
    return false;
  };
  int sizableSum = 0, sizableCount = 0, otherSum = 0, depth = 0, visible = 0;
  for (int i = first; i < end; ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    if (!bar->IsVisible() || excluded(bar)) continue;
    CSize size;
    if (CSizableDockedBar* s = IsSizableBar(bar) ? Sizable(bar) : NULL) {
      size = horz ? s->GetHorzSize() : s->GetVertSize();
      sizableSum += horz ? size.cx : size.cy;
      ++sizableCount;
    } else {
      size = bar->CalcFixedLayout(FALSE, horz);
      otherSum += horz ? size.cx : size.cy;
    }
    if (visible++ > 0) otherSum += kSplitter;  // room for a splitter
    depth = std::max<int>(depth, horz ? size.cy : size.cx);
  }
  if (sizableCount == 0) return;
  int surplus = nLength - sizableSum - otherSum;
  const int total = sizableSum + sizableCount;
  int left = sizableCount;
  for (int i = first; i < end; ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    if (!bar->IsVisible() || excluded(bar) || !IsSizableBar(bar)) continue;
    CSizableDockedBar* s = Sizable(bar);
    const CSize size = horz ? s->GetHorzSize() : s->GetVertSize();
    const int length = horz ? size.cx : size.cy;
    const int share = --left == 0 ? surplus : static_cast<int>((static_cast<long long>(length) + 1) * surplus / total);
    const int newLength = std::max(0, length + share);
    surplus -= newLength - length;
    const CSize newSize = horz ? CSize(newLength, depth) : CSize(depth, newLength);
    if (horz)
      s->SetHorzSize(newSize);
    else
      s->SetVertSize(newSize);
    bar->SetWindowPos(NULL, 0, 0, newSize.cx, newSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CSizeDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const CRect rect(layout->rect);
  const BOOL horz = IsHorz();
  const BOOL lengthChanged = horz ? rect.Width() != m_nLastWidth : rect.Height() != m_nLastHeight;
  m_nLastWidth = rect.Width();
  m_nLastHeight = rect.Height();
  if (layout->hDWP != NULL) {
    // Bars that show again find room in their rows: the others give up the length they take.
    const std::set<void*> hidden(m_arrHiddenBars.GetData(), m_arrHiddenBars.GetData() + m_arrHiddenBars.GetSize());
    for (int first = 1; first < m_arrBars.GetSize();) {
      int f, end;
      RowBounds(first, f, end);
      int back = 0, others = 0;
      CPtrArray returning;
      for (int i = f; i < end; ++i) {
        CControlBar* bar = BarAt(m_arrBars, i);
        if (!bar->IsVisible()) continue;
        CSize size = bar->CalcFixedLayout(FALSE, horz);
        if (hidden.count(bar) != 0) {
          back += horz ? size.cx : size.cy;
          returning.Add(bar);
        } else {
          others += horz ? size.cx : size.cy;
        }
      }
      if (back > 0 && others > 0) ShareRow(f, others - back, &returning);
      first = end + 1;
    }
    m_arrHiddenBars.RemoveAll();
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
      if (CControlBar* bar = BarAt(m_arrBars, i))
        if (!bar->IsVisible()) m_arrHiddenBars.Add(bar);
    // A new length is shared among each row's sizable bars before the bars are placed.
    if (lengthChanged)
      for (int first = 1; first < m_arrBars.GetSize();) {
        int f, end;
        RowBounds(first, f, end);
        if (end > f) ShareRow(f, horz ? rect.Width() : rect.Height());
        first = end + 1;
      }
  }
  return CDockBar::OnSizeParent(wParam, lParam);
}

int CSizeDockBar::Insert(CControlBar* pBar, LPCRECT lpRect) {
  if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != NULL) m_arrBars.Add(NULL);
  const INT_PTR last = m_arrBars.GetSize() - 1;
  if (lpRect == NULL) {
    m_arrBars.InsertAt(last + 1, static_cast<void*>(NULL));
    return static_cast<int>(last + 1);
  }
  const BOOL horz = IsHorz();
  const int cy2 = fw::DoubleBorderY();
  CRect drop(lpRect);
  ScreenToClient(&drop);
  const int centre = horz ? drop.CenterPoint().y - 12 : drop.CenterPoint().x;
  int insert = 0, rowEdge = 0, rowDepth = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    if (bar == pBar) continue;
    if (bar != NULL && bar->IsVisible()) {
      const CRect r = RectIn(this, bar);
      if (horz ? r.left < drop.left : r.top < drop.top) insert = static_cast<int>(i);
      rowDepth = std::max<int>(rowDepth, horz ? r.Height() : r.Width() - 1);
      continue;
    }
    // A row end.
    rowEdge += rowDepth - (rowDepth != 0 ? cy2 : 0);
    rowDepth = 0;
    if (centre < rowEdge || (i == 0 && centre < 0)) {
      if (i == 0) {
        m_arrBars.InsertAt(1, static_cast<void*>(NULL));  // the bar opens a new first row
        return 1;
      }
      return insert + 1;
    }
    insert = static_cast<int>(i);
  }
  // A new row at the end.
  m_arrBars.InsertAt(insert + 1, static_cast<void*>(NULL));
  return insert + 1;
}

void CSizeDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  CDockBar::DockControlBar(pBar, lpRect);
  if (lpRect == NULL && pBar != NULL && pBar->m_pDockBar == this)
    pBar->SetWindowPos(NULL, -fw::DoubleBorderX(), -fw::DoubleBorderY(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CSizeDockBar::SplitterAt(CPoint point) const {
  int found = -1;
  for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i)
    if (static_cast<CSplitterRect*>(m_arrSplitters[i])->m_rect.PtInRect(point)) found = static_cast<int>(i);
  return found;
}

CRect CSizeDockBar::SplitterLimit(int nSplitter, int* pRowDepth, int* pMinDepth) {
  CSplitterRect* s = static_cast<CSplitterRect*>(m_arrSplitters[nSplitter]);
  const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
  const BOOL horz = IsHorz();
  // Right and bottom: the row starting at the splitter; left and top: the row before it.
  const int pos = (align == CBRS_ALIGN_RIGHT || align == CBRS_ALIGN_BOTTOM) ? s->m_nRow : s->m_nRow - 1;
  int first, end;
  RowBounds(std::max(pos, 1), first, end);
  int depth = 0, minDepth = 0;
  for (int i = first; i < end; ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    if (!bar->IsVisible()) continue;
    const CRect r = RectIn(this, bar);
    const int d = horz ? r.Height() : r.Width();
    depth = std::max(depth, d);
    if (!IsSizableBar(bar)) minDepth = std::max(minDepth, d);
  }
  if (pRowDepth != NULL) *pRowDepth = depth;
  if (pMinDepth != NULL) *pMinDepth = minDepth;
  // The frame's client, in this dock bar's coordinates, and no shallower than the row's bars
  // that cannot size.
  CRect limit;
  GetParent()->GetClientRect(&limit);
  GetParent()->MapWindowPoints(this, &limit);
  CRect tracked = s->m_rect;
  if (s->m_type == CSplitterRect::vertical)
    tracked.DeflateRect(2, 0);
  else
    tracked.DeflateRect(0, 2);
  const int room = depth - minDepth;
  switch (align) {
    case CBRS_ALIGN_LEFT: limit.left = std::max<LONG>(limit.left, tracked.left - room); break;
    case CBRS_ALIGN_TOP: limit.top = std::max<LONG>(limit.top, tracked.top - room); break;
    case CBRS_ALIGN_RIGHT: limit.right = std::min<LONG>(limit.right, tracked.left + room); break;
    case CBRS_ALIGN_BOTTOM: limit.bottom = std::min<LONG>(limit.bottom, tracked.top + room + 10); break;
    default: break;
  }
  return limit;
}

void CSizeDockBar::MoveSplitter(int nSplitter, int nMove) {
  if (nSplitter < 0 || nSplitter >= m_arrSplitters.GetSize() || nMove == 0) return;
  CSplitterRect* s = static_cast<CSplitterRect*>(m_arrSplitters[nSplitter]);
  const DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
  const BOOL horz = IsHorz();
  int depth = 0, minDepth = 0;
  SplitterLimit(nSplitter, &depth, &minDepth);
  const int pos = (align == CBRS_ALIGN_RIGHT || align == CBRS_ALIGN_BOTTOM) ? s->m_nRow : s->m_nRow - 1;
  const int newDepth =
      std::max(minDepth, (align == CBRS_ALIGN_LEFT || align == CBRS_ALIGN_TOP) ? depth + nMove : depth - nMove);
  int first, end;
  RowBounds(std::max(pos, 1), first, end);
  for (int i = first; i < end; ++i) {
    CControlBar* bar = BarAt(m_arrBars, i);
    if (!bar->IsVisible() || !IsSizableBar(bar)) continue;
    CSizableDockedBar* sb = Sizable(bar);
    if (horz)
      sb->SetHorzSize(CSize(sb->GetHorzSize().cx, newDepth));
    else
      sb->SetVertSize(CSize(newDepth, sb->GetVertSize().cy));
  }
  Invalidate();
  if (m_pDockSite != NULL) m_pDockSite->RecalcLayout(TRUE);
}

void CSizeDockBar::OnPaint() {
  PAINTSTRUCT ps;
  HDC hDC = ::BeginPaint(m_hWnd, &ps);
  for (INT_PTR i = 0; i < m_arrSplitters.GetSize(); ++i) {
    const CSplitterRect* s = static_cast<CSplitterRect*>(m_arrSplitters[i]);
    const CRect& r = s->m_rect;
    // Two lines in from each edge along the splitter: light at the near edge, dark at the far one.
    const struct {
      int offset;
      int colour;
      bool farEdge;
    } lines[4] = {{1, COLOR_BTNFACE, false}, {2, COLOR_BTNHIGHLIGHT, false}, {2, COLOR_WINDOWFRAME, true},
                  {1, COLOR_BTNSHADOW, true}};
    for (const auto& line : lines) {
      CRect l;
      if (s->m_type == CSplitterRect::horizontal) {
        const int y = line.farEdge ? r.bottom - 1 - line.offset : r.top + line.offset;
        l = CRect(r.left, y, r.right, y + 1);
      } else {
        const int x = line.farEdge ? r.right - 1 - line.offset : r.left + line.offset;
        l = CRect(x, r.top, x + 1, r.bottom);
      }
      ::FillRect(hDC, &l, ::GetSysColorBrush(line.colour));
    }
  }
  ::EndPaint(m_hWnd, &ps);
}

void CSizeDockBar::OnMouseMove(UINT nFlags, CPoint point) {
  const int i = SplitterAt(point);
  if (i >= 0) ::SetCursor(SplitterCursor(static_cast<CSplitterRect*>(m_arrSplitters[i])->m_type));
  CDockBar::OnMouseMove(nFlags, point);
}

BOOL CSizeDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (pWnd == this && nHitTest == HTCLIENT) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const int i = SplitterAt(pt);
    ::SetCursor(i >= 0 ? SplitterCursor(static_cast<CSplitterRect*>(m_arrSplitters[i])->m_type)
                       : ::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
  }
  return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void CSizeDockBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int i = SplitterAt(point);
  if (i < 0) {
    CDockBar::OnLButtonDown(nFlags, point);
    return;
  }
  m_pSplitCapture = static_cast<CSplitterRect*>(m_arrSplitters[i]);
  const BYTE kind = m_pSplitCapture->m_type;
  CRect rect = m_pSplitCapture->m_rect;
  if (kind == CSplitterRect::vertical)
    rect.DeflateRect(2, 0);
  else
    rect.DeflateRect(0, 2);
  CQvRectTracker tracker(&rect, kind == CSplitterRect::vertical ? CQvRectTracker::keepTopBottom
                                                               : CQvRectTracker::keepLeftRight);
  tracker.m_rectLimit = SplitterLimit(i);
  const HWND self = m_hWnd;
  if (tracker.TrackFromHitTest(HTCAPTION, this, point, FALSE) && ::IsWindow(self)) {
    const int move = kind == CSplitterRect::vertical ? tracker.m_rect.left - rect.left : tracker.m_rect.top - rect.top;
    // The splitters were made anew if a layout ran meanwhile: find this one by its place.
    const int now = SplitterAt(rect.CenterPoint());
    MoveSplitter(now >= 0 ? now : i, move);
  }
  if (::IsWindow(self)) m_pSplitCapture = NULL;
}

void CSizeDockBar::OnLButtonUp(UINT nFlags, CPoint point) {
  m_pSplitCapture = NULL;
  CDockBar::OnLButtonUp(nFlags, point);
}

void CSizeDockBar::OnRButtonUp(UINT, CPoint) {
  NMHDR nm = {};
  nm.hwndFrom = m_hWnd;
  nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  nm.code = NM_RCLICK;
  if (CWnd* frame = m_pDockSite != NULL ? static_cast<CWnd*>(m_pDockSite) : GetParent())
    frame->SendMessage(WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}
