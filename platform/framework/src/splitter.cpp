// CSplitterWnd: creation, panes, rows and columns, layout and painting.
#include "fw_splitter.h"
#include "fw_stdctrls.h"
#include "fw_dc.h"
#include "fw_internal.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {
const int kMaxPanes = 16;
}  // namespace

CSplitterWnd::CSplitterWnd()
    : m_cxVScroll(::GetSystemMetrics(SM_CXVSCROLL)), m_cyHScroll(::GetSystemMetrics(SM_CYHSCROLL)) {}

CSplitterWnd::~CSplitterWnd() {
  delete[] m_pRowInfo;
  delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID) {
  if (m_hWnd != NULL || pParentWnd == NULL) return FALSE;
  m_pRowInfo = new CRowColInfo[m_nMaxRows];
  m_pColInfo = new CRowColInfo[m_nMaxCols];
  for (int i = 0; i < m_nMaxRows; ++i) m_pRowInfo[i] = CRowColInfo{sizeMin.cy, 0, 0};
  for (int i = 0; i < m_nMaxCols; ++i) m_pColInfo[i] = CRowColInfo{sizeMin.cx, 0, 0};
  // The scroll bars are the splitter's own children, not the window's.
  const DWORD scrollStyles = dwStyle & (WS_HSCROLL | WS_VSCROLL);
  CRect rect;
  pParentWnd->GetClientRect(&rect);
  if (!CreateEx(0, fw::FrameOrViewClass(), NULL, (dwStyle & ~(WS_HSCROLL | WS_VSCROLL)) | WS_CLIPCHILDREN, rect,
                pParentWnd, nID))
    return FALSE;
  if (scrollStyles & WS_HSCROLL) m_bHasHScroll = TRUE;
  if (scrollStyles & WS_VSCROLL) m_bHasVScroll = TRUE;
  return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (nRows < 1 || nRows > kMaxPanes || nCols < 1 || nCols > kMaxPanes) return FALSE;
  m_nMaxRows = m_nRows = nRows;
  m_nMaxCols = m_nCols = nCols;
  if (!CreateCommon(pParentWnd, CSize(0, 0), dwStyle & ~SPLS_DYNAMIC_SPLIT, nID)) return FALSE;
  for (int col = 0; col < m_nCols; ++col)
    if (m_bHasHScroll && !CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST + col)) return FALSE;
  for (int row = 0; row < m_nRows; ++row)
    if (m_bHasVScroll && !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST + row)) return FALSE;
  return TRUE;
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                          DWORD dwStyle, UINT nID) {
  if (nMaxRows < 1 || nMaxRows > 2 || nMaxCols < 1 || nMaxCols > 2 || pContext == NULL ||
      pContext->m_pNewViewClass == NULL)
    return FALSE;
  m_nMaxRows = nMaxRows;
  m_nMaxCols = nMaxCols;
  m_nRows = m_nCols = 1;
  m_pDynamicViewClass = pContext->m_pNewViewClass;
  m_pDynamicDoc = pContext->m_pCurrentDoc;
  if (!CreateCommon(pParentWnd, sizeMin, dwStyle | SPLS_DYNAMIC_SPLIT, nID)) return FALSE;
  if (m_bHasHScroll && !CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST)) return FALSE;
  if (m_bHasVScroll && !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST)) return FALSE;
  if (!CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext)) return FALSE;
  RecalcLayout();
  return TRUE;
}

BOOL CSplitterWnd::CreateScrollBarCtrl(DWORD dwStyle, UINT nID) {
  HWND hWnd = ::CreateWindowEx(0, _T("SCROLLBAR"), NULL, dwStyle | WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), NULL);
  return hWnd != NULL;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
  if (m_hWnd == NULL || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == NULL) return FALSE;
  if (GetPane(row, col) != NULL) return FALSE;  // the pane is there already
  m_pColInfo[col].nIdealSize = sizeInit.cx;
  m_pRowInfo[row].nIdealSize = sizeInit.cy;
  CObject* pObject = pViewClass->CreateObject();
  if (pObject == NULL) return FALSE;
  if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete pObject;
    return FALSE;
  }
  CWnd* pWnd = static_cast<CWnd*>(pObject);
  // A pane that fails to be made deletes itself, as a view does.
  return pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, IdFromRowCol(row, col), pContext);
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  if (row < 0 || row >= m_nMaxRows) {
    cyCur = cyMin = 0;
    return;
  }
  cyCur = m_pRowInfo[row].nCurSize;
  cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  if (row < 0 || row >= m_nMaxRows) return;
  m_pRowInfo[row].nIdealSize = cyIdeal < 0 ? 0 : cyIdeal;
  m_pRowInfo[row].nMinSize = cyMin < 0 ? 0 : cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  if (col < 0 || col >= m_nMaxCols) {
    cxCur = cxMin = 0;
    return;
  }
  cxCur = m_pColInfo[col].nCurSize;
  cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  if (col < 0 || col >= m_nMaxCols) return;
  m_pColInfo[col].nIdealSize = cxIdeal < 0 ? 0 : cxIdeal;
  m_pColInfo[col].nMinSize = cxMin < 0 ? 0 : cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (m_hWnd == NULL || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return NULL;
  return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
  if (pWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  int row = id / 16, col = id % 16;
  if (id < 0 || row >= m_nRows || col >= m_nCols) return FALSE;
  if (pRow != NULL) *pRow = row;
  if (pCol != NULL) *pCol = col;
  return TRUE;
}

BOOL CSplitterWnd::DoScrollBy(CView* pViewFrom, CSize sizeScroll, BOOL bDoScroll) {
  int row, col;
  if (!IsChildPane(pViewFrom, &row, &col)) return FALSE;
  BOOL moved = FALSE;
  // The pane itself moves on both axes at once; the others of its column and row on theirs.
  moved |= pViewFrom->OnScrollBy(sizeScroll, bDoScroll);
  for (int i = 0; i < m_nRows && sizeScroll.cx != 0; ++i) {
    CView* pane = dynamic_cast<CView*>(GetPane(i, col));
    if (pane != NULL && pane != pViewFrom) moved |= pane->OnScrollBy(CSize(sizeScroll.cx, 0), bDoScroll);
  }
  for (int i = 0; i < m_nCols && sizeScroll.cy != 0; ++i) {
    CView* pane = dynamic_cast<CView*>(GetPane(row, i));
    if (pane != NULL && pane != pViewFrom) moved |= pane->OnScrollBy(CSize(0, sizeScroll.cy), bDoScroll);
  }
  return moved;
}

CSplitterWnd* CSplitterWnd::GetParentSplitter(const CWnd* pWnd) {
  if (pWnd == NULL || pWnd->m_hWnd == NULL) return NULL;
  return dynamic_cast<CSplitterWnd*>(CWnd::FromHandlePermanent(::GetParent(pWnd->m_hWnd)));
}

HWND CSplitterWnd::GetPaneScrollBar(CWnd* pPane, int nBar) {
  int row, col;
  if (!IsChildPane(pPane, &row, &col)) return NULL;
  if (nBar == SB_HORZ) return m_bHasHScroll ? ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST + col) : NULL;
  if (nBar == SB_VERT) return m_bHasVScroll ? ::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST + row) : NULL;
  return NULL;
}

CRect CSplitterWnd::InsideRect() const {
  CRect rect;
  ::GetClientRect(m_hWnd, &rect);
  if (m_bHasVScroll) rect.right -= m_cxVScroll;
  if (m_bHasHScroll) rect.bottom -= m_cyHScroll;
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  return rect;
}

void CSplitterWnd::LayoutRowCol(CRowColInfo* pInfo, int nMax, int extent, int splitter) {
  int left = extent;
  for (int i = 0; i < nMax; ++i) {
    if (i == nMax - 1) {
      pInfo[i].nCurSize = left > 0 ? left : 0;
      break;
    }
    int room = left - splitter;
    if (room < 0) room = 0;
    int size = pInfo[i].nIdealSize < room ? pInfo[i].nIdealSize : room;
    pInfo[i].nCurSize = size;
    left -= size + splitter;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == NULL || m_nRows == 0 || m_nCols == 0) return;
  const CRect inside = InsideRect();
  LayoutRowCol(m_pColInfo, m_nCols, inside.Width(), m_cxSplitter);
  LayoutRowCol(m_pRowInfo, m_nRows, inside.Height(), m_cySplitter);
  const BOOL splitBoxRows = IsDynamic() && m_nRows < m_nMaxRows;
  const BOOL splitBoxCols = IsDynamic() && m_nCols < m_nMaxCols;
  HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols + m_nRows + m_nCols);
  auto place = [&hDWP](HWND hWnd, int x, int y, int cx, int cy) {
    if (hWnd == NULL) return;
    if (hDWP != NULL)
      hDWP = ::DeferWindowPos(hDWP, hWnd, NULL, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    else
      ::SetWindowPos(hWnd, NULL, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  int x = inside.left;
  for (int col = 0; col < m_nCols; ++col) {
    const int cx = m_pColInfo[col].nCurSize;
    int y = inside.top;
    for (int row = 0; row < m_nRows; ++row) {
      const int cy = m_pRowInfo[row].nCurSize;
      place(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)), x, y, cx, cy);
      y += cy + m_cySplitter;
    }
    if (m_bHasHScroll) {
      int sx = x, scx = cx;
      if (col == 0 && splitBoxCols) {
        sx += m_cxSplitter;
        scx -= m_cxSplitter;
      }
      place(::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST + col), sx, inside.bottom, scx > 0 ? scx : 0, m_cyHScroll);
    }
    x += cx + m_cxSplitter;
  }
  if (m_bHasVScroll) {
    int y = inside.top;
    for (int row = 0; row < m_nRows; ++row) {
      int sy = y, scy = m_pRowInfo[row].nCurSize;
      if (row == 0 && splitBoxRows) {
        sy += m_cySplitter;
        scy -= m_cySplitter;
      }
      place(::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST + row), inside.right, sy, m_cxVScroll, scy > 0 ? scy : 0);
      y += m_pRowInfo[row].nCurSize + m_cySplitter;
    }
  }
  if (hDWP != NULL) ::EndDeferWindowPos(hDWP);
  ::InvalidateRect(m_hWnd, NULL, TRUE);
}

CRect CSplitterWnd::GetBarRect(int ht) const {
  const CRect inside = InsideRect();
  if (ht >= vSplitterBar1 && ht < vSplitterBar1 + m_nCols - 1) {
    int x = inside.left;
    for (int col = 0; col <= ht - vSplitterBar1; ++col) x += m_pColInfo[col].nCurSize + (col ? m_cxSplitter : 0);
    return CRect(x, inside.top, x + m_cxSplitter, inside.bottom);
  }
  if (ht >= hSplitterBar1 && ht < hSplitterBar1 + m_nRows - 1) {
    int y = inside.top;
    for (int row = 0; row <= ht - hSplitterBar1; ++row) y += m_pRowInfo[row].nCurSize + (row ? m_cySplitter : 0);
    return CRect(inside.left, y, inside.right, y + m_cySplitter);
  }
  if (ht == vSplitterBox && IsDynamic() && m_bHasVScroll && m_nRows < m_nMaxRows)
    return CRect(inside.right, inside.top, inside.right + m_cxVScroll, inside.top + m_cySplitter);
  if (ht == hSplitterBox && IsDynamic() && m_bHasHScroll && m_nCols < m_nMaxCols)
    return CRect(inside.left, inside.bottom, inside.left + m_cxSplitter, inside.bottom + m_cyHScroll);
  return CRect(0, 0, 0, 0);
}

int CSplitterWnd::HitTest(CPoint pt) const {
  if (GetBarRect(vSplitterBox).PtInRect(pt)) return vSplitterBox;
  if (GetBarRect(hSplitterBox).PtInRect(pt)) return hSplitterBox;
  for (int col = 0; col + 1 < m_nCols; ++col)
    if (GetBarRect(vSplitterBar1 + col).PtInRect(pt)) return vSplitterBar1 + col;
  for (int row = 0; row + 1 < m_nRows; ++row)
    if (GetBarRect(hSplitterBar1 + row).PtInRect(pt)) return hSplitterBar1 + row;
  return noHit;
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CSplitterWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC hDC = ::BeginPaint(m_hWnd, &ps);
  CRect client;
  GetClientRect(&client);
  // Whatever panes and scroll bars leave (bars, split boxes, the corner) has the face colour;
  // each bar and box gets a raised edge.
  ::FillRect(hDC, &client, ::GetSysColorBrush(COLOR_3DFACE));
  for (int col = 0; col + 1 < m_nCols; ++col) {
    CRect bar = GetBarRect(vSplitterBar1 + col);
    ::DrawEdge(hDC, &bar, EDGE_RAISED, BF_LEFT | BF_RIGHT);
  }
  for (int row = 0; row + 1 < m_nRows; ++row) {
    CRect bar = GetBarRect(hSplitterBar1 + row);
    ::DrawEdge(hDC, &bar, EDGE_RAISED, BF_TOP | BF_BOTTOM);
  }
  for (int box : {static_cast<int>(vSplitterBox), static_cast<int>(hSplitterBox)}) {
    CRect rect = GetBarRect(box);
    if (!rect.IsRectEmpty()) ::DrawEdge(hDC, &rect, EDGE_RAISED, BF_RECT);
  }
  ::EndPaint(m_hWnd, &ps);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this) {
    DWORD pos = ::GetMessagePos();
    CPoint pt(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
    ScreenToClient(&pt);
    int ht = m_bTracking ? m_htTrack : HitTest(pt);
    if (ht != noHit) {
      const bool vertical = ht == hSplitterBox || (ht >= vSplitterBar1 && ht < hSplitterBar1);
      ::SetCursor(::LoadCursor(NULL, vertical ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::ScrollPanes(int nBar, int index, UINT message, WPARAM wParam) {
  // Every pane of the scroll bar's column (horizontal) or row (vertical) scrolls with it.
  HWND hBar = ::GetDlgItem(m_hWnd, (nBar == SB_HORZ ? AFX_IDW_HSCROLL_FIRST : AFX_IDW_VSCROLL_FIRST) + index);
  const int count = nBar == SB_HORZ ? m_nRows : m_nCols;
  for (int i = 0; i < count; ++i) {
    HWND hPane = ::GetDlgItem(m_hWnd, nBar == SB_HORZ ? IdFromRowCol(i, index) : IdFromRowCol(index, i));
    if (hPane != NULL) ::SendMessage(hPane, message, wParam, reinterpret_cast<LPARAM>(hBar));
  }
}

void CSplitterWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  HWND hBar = pScrollBar != NULL ? pScrollBar->GetSafeHwnd() : NULL;
  int col = hBar != NULL ? ::GetDlgCtrlID(hBar) - AFX_IDW_HSCROLL_FIRST : -1;
  if (col < 0 || col >= m_nCols) return;
  ScrollPanes(SB_HORZ, col, WM_HSCROLL, MAKEWPARAM(nSBCode, nPos));
}

void CSplitterWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  HWND hBar = pScrollBar != NULL ? pScrollBar->GetSafeHwnd() : NULL;
  int row = hBar != NULL ? ::GetDlgCtrlID(hBar) - AFX_IDW_VSCROLL_FIRST : -1;
  if (row < 0 || row >= m_nRows) return;
  ScrollPanes(SB_VERT, row, WM_VSCROLL, MAKEWPARAM(nSBCode, nPos));
}
