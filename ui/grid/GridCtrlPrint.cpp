// CGridCtrl: printing over as many pages as the grid needs: a header with the titles, the
// column headings and row headings repeated on every page, and a footer "Page n of m" with
// the date and time. With WYSIWYG printing the grid keeps its screen size and is cut into
// column pages as well; otherwise it is scaled to the paper's width.
//
// The pages' first rows and columns are worked out once per job (OnBeginPrinting), so each
// page costs its own rows. A row or column larger than the printable area gets a page of its
// own and prints clipped.
#include <framework.h>

#include <UIHandles.h>

#include <algorithm>
#include <memory>

#include "GridCtrl.h"

namespace {

const UINT kAppTitleString = 0xE000;

// A font selected for the scope into the DC the grid prints on (into both DCs of a preview's
// pair, so that the extents it measures are those of the printed text).
uih::PairSelection SelectFont(CDC* pDC, const CFont& font) {
  return uih::PairSelection(pDC->m_hDC, pDC->m_hAttribDC, static_cast<HFONT>(font.GetSafeHandle()));
}

// The title of the nearest window from pWnd up that has one.
CString NearestTitle(CWnd* pWnd) {
  CString title;
  for (CWnd* w = pWnd; w != NULL && w->GetSafeHwnd() != NULL; w = w->GetParent()) {
    w->GetWindowText(title);
    if (!title.IsEmpty()) break;
  }
  return title;
}

// The application's title from its string resource; empty when it has none.
CString AppTitle() {
  CString title;
  TCHAR buffer[256] = {};
  if (::LoadString(::GetModuleHandle(NULL), kAppTitleString, buffer, 256) > 0) title = buffer;
  return title;
}

// Page starts of sizes[first..count): a new page begins where the running sum would pass
// `limit`, unless the page is still empty (a size beyond the limit has a page of its own).
std::vector<int> PageStarts(const CGridSizeTree& sizes, int first, int count, long long limit) {
  std::vector<int> starts(1, first);
  long long sum = 0;
  for (int i = first; i < count; ++i) {
    const long long size = sizes.Get(i);
    if (sum + size > limit && sum > 0) {
      starts.push_back(i);
      sum = 0;
    }
    sum += size;
  }
  return starts;
}

// A black pen selected for the scope.
class BlackPen {
 public:
  explicit BlackPen(CDC* pDC) : m_pen(::CreatePen(PS_SOLID, 0, RGB(0, 0, 0))), m_sel(pDC->m_hDC, m_pen.Get()) {}

 private:
  uih::OwnedPen m_pen;
  uih::Selection m_sel;
};

// A bold copy of a font (the header's and the footer's).
bool BoldCopy(const CFont& font, CFont& bold) {
  LOGFONT lf;
  if (!font.GetLogFont(&lf)) return false;
  lf.lfWeight = FW_BOLD;
  return bold.CreateFontIndirect(&lf) != FALSE;
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2) {
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

}  // namespace

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                                   int nTopMargin, int nBottomMargin, int nGap) {
  if (nHeaderHeight >= 0) m_nHeaderHeight = nHeaderHeight;
  if (nFooterHeight >= 0) m_nFooterHeight = nFooterHeight;
  if (nLeftMargin >= 0) m_nLeftMargin = nLeftMargin;
  if (nRightMargin >= 0) m_nRightMargin = nRightMargin;
  if (nTopMargin >= 0) m_nTopMargin = nTopMargin;
  if (nBottomMargin >= 0) m_nBottomMargin = nBottomMargin;
  if (nGap >= 0) m_nGap = nGap;
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin, int& nRightMargin,
                                   int& nTopMargin, int& nBottomMargin, int& nGap) const {
  nHeaderHeight = m_nHeaderHeight;
  nFooterHeight = m_nFooterHeight;
  nLeftMargin = m_nLeftMargin;
  nRightMargin = m_nRightMargin;
  nTopMargin = m_nTopMargin;
  nBottomMargin = m_nBottomMargin;
  nGap = m_nGap;
}

namespace {

// A print dialog of the grid's own: its device blocks and DC are freed with it.
class OwnPrintDialog : public CPrintDialog {
 public:
  OwnPrintDialog(DWORD flags, CWnd* parent) : CPrintDialog(FALSE, flags, parent) {}
  ~OwnPrintDialog() override {
    if (m_pd.hDC != NULL) ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode != NULL) ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != NULL) ::GlobalFree(m_pd.hDevNames);
  }
};

}  // namespace

BOOL CGridCtrl::Print(CPrintDialog* pPrntDialog) {
  std::unique_ptr<OwnPrintDialog> own;
  HDC printer = NULL;
  if (pPrntDialog != NULL) {
    printer = pPrntDialog->GetPrinterDC();
    if (printer == NULL) printer = pPrntDialog->CreatePrinterDC();
  } else {
    own.reset(new OwnPrintDialog(PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                     PD_NOSELECTION,
                                 GetSafeHwnd() != NULL ? this : NULL));
    if (own->DoModal() != IDOK) return FALSE;
    printer = own->GetPrinterDC();
  }
  if (printer == NULL) return FALSE;
  CDC dc;
  dc.Attach(printer);
  dc.m_bPrinting = TRUE;
  CString docName = AppTitle();
  if (docName.IsEmpty()) docName = NearestTitle(GetSafeHwnd() != NULL ? this : NULL);
  DOCINFO di = {};
  di.cbSize = sizeof di;
  di.lpszDocName = docName;
  BOOL ok = FALSE;
  if (dc.StartDoc(&di) > 0) {
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    OnBeginPrinting(&dc, &info);
    ok = TRUE;
    for (UINT page = info.GetMinPage(); ok && page <= info.GetMaxPage(); ++page) {
      if (dc.StartPage() <= 0) {
        ok = FALSE;
        break;
      }
      info.m_nCurPage = page;
      OnPrint(&dc, &info);
      if (dc.EndPage() < 1) ok = FALSE;
    }
    OnEndPrinting(&dc, &info);
    if (ok)
      ok = dc.EndDoc() > 0;
    else
      dc.AbortDoc();
  }
  dc.Detach();
  return ok;
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  if (pDC == NULL || pInfo == NULL) return;
  uih::WindowDC screen(GetSafeHwnd());
  if (!screen) return;
  const HDC attrib = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
  const int printerX = ::GetDeviceCaps(attrib, LOGPIXELSX), printerY = ::GetDeviceCaps(attrib, LOGPIXELSY);
  const int screenX = ::GetDeviceCaps(screen.Get(), LOGPIXELSX), screenY = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);

  m_PrinterFont.DeleteObject();
  m_PrinterFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, _T("Arial"));
  const uih::PairSelection font = SelectFont(pDC, m_PrinterFont);
  static const TCHAR kMeasure[] = _T("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ");
  const CSize extent = pDC->GetTextExtent(kMeasure, 52);
  m_CharSize = CSize(std::max(1L, extent.cx / 52), std::max(1L, extent.cy));
  m_PaperSize = CSize(::GetDeviceCaps(attrib, HORZRES), ::GetDeviceCaps(attrib, VERTRES));
  const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

  if (m_bWysiwygPrinting && printerX > 0 && printerY > 0) {
    m_LogicalPageSize.cx = m_PaperSize.cx * screenX / printerX * 3 / 4;
    m_LogicalPageSize.cy = m_PaperSize.cy * screenY / printerY * 3 / 4;
  } else {
    const long long width = std::min<long long>(GetVirtualWidth() + marginWidth, INT_MAX / 4);
    m_LogicalPageSize.cx = static_cast<LONG>(std::max<long long>(width, 1));
    m_LogicalPageSize.cy = m_PaperSize.cx > 0 ? ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx) : 1;
  }
  m_nPageHeight = m_LogicalPageSize.cy - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                  GetFixedRowHeight();
  m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - marginWidth;
  PaginateForPrint();
  pInfo->SetMaxPage(static_cast<UINT>(m_nNumPages));
  pInfo->m_nCurPage = 1;
}

void CGridCtrl::PaginateForPrint() {
  m_rowPageStarts = PageStarts(m_rowHeights, m_nFixedRows, m_nRows, m_nPageHeight);
  if (m_bWysiwygPrinting)
    m_colPageStarts = PageStarts(m_colWidths, m_nFixedCols, m_nCols, m_nPageWidth);
  else
    m_colPageStarts.assign(1, m_nFixedCols);
  m_nPageMultiplier = static_cast<int>(m_colPageStarts.size());
  const long long pages = static_cast<long long>(m_rowPageStarts.size()) * m_nPageMultiplier;
  m_nNumPages = static_cast<int>(std::min<long long>(pages, 0xFFFF));
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) { m_PrinterFont.DeleteObject(); }

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  if (pDC == NULL || pInfo == NULL || m_PrinterFont.GetSafeHandle() == NULL || m_nNumPages <= 0) return;
  const uih::PairSelection font = SelectFont(pDC, m_PrinterFont);
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowExt(m_LogicalPageSize);
  pDC->SetViewportExt(m_PaperSize);
  const int left = m_nLeftMargin * m_CharSize.cx;
  const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
  pDC->SetWindowOrg(-left, 0);

  pInfo->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - marginWidth, m_nHeaderHeight * m_CharSize.cy);
  PrintHeader(pDC, pInfo);
  pDC->OffsetWindowOrg(0, -(m_nHeaderHeight + m_nGap) * m_CharSize.cy);
  pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

  const int page = std::max(1, static_cast<int>(pInfo->m_nCurPage));
  const int rowPage = std::min((page + m_nPageMultiplier - 1) / m_nPageMultiplier,
                               static_cast<int>(m_rowPageStarts.size()));
  const int colPage = (page - 1) % m_nPageMultiplier;
  m_nCurrPrintRow = m_rowPageStarts[static_cast<size_t>(rowPage - 1)];
  m_nCurrPrintCol = m_colPageStarts[static_cast<size_t>(colPage)];

  PrintRowButtons(pDC, pInfo);

  pInfo->m_rectDraw.bottom = GetFixedRowHeight();
  pDC->OffsetWindowOrg(0, GetFixedRowHeight());
  m_nPageWidth += GetFixedColumnWidth();
  PrintColumnHeadings(pDC, pInfo);
  m_nPageWidth -= GetFixedColumnWidth();

  pDC->OffsetWindowOrg(-GetFixedColumnWidth(), -GetFixedRowHeight());
  {
    BlackPen pen(pDC);
    CRect rect;
    rect.bottom = -1;
    // At least the page's first row and column print, clipped when larger than the page.
    for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
      rect.top = rect.bottom + 1;
      rect.bottom = rect.top + GetRowHeight(row) - 1;
      if (rect.bottom > m_nPageHeight && row != m_nCurrPrintRow) break;
      if (GetRowHeight(row) <= 0) {
        rect.bottom = rect.top - 1;
        continue;
      }
      rect.right = -1;
      for (int col = m_nCurrPrintCol; col < m_nCols; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        if (rect.right > m_nPageWidth && col != m_nCurrPrintCol) break;
        if (GetColumnWidth(col) <= 0) {
          rect.right = rect.left - 1;
          continue;
        }
        CRect clipped(rect.left, rect.top, std::min<int>(rect.right, m_nPageWidth),
                      std::min<int>(rect.bottom, m_nPageHeight));
        CGridCellBase* cell = GetCell(row, col);
        if (cell != NULL) cell->PrintCell(pDC, row, col, clipped);
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
          Line(pDC, col == 0 ? clipped.left : clipped.left - 1, clipped.bottom, clipped.right, clipped.bottom);
          if (row == 0) Line(pDC, clipped.left, clipped.top, clipped.right, clipped.top);
        }
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
          Line(pDC, clipped.right, row == m_nCurrPrintRow ? clipped.top : clipped.top - 1, clipped.right,
               clipped.bottom);
          if (col == 0) Line(pDC, clipped.left, clipped.top, clipped.left, clipped.bottom);
        }
      }
    }
  }

  pInfo->m_rectDraw.bottom = m_nFooterHeight * m_CharSize.cy;
  pDC->SetWindowOrg(-left, m_nFooterHeight * m_CharSize.cy - m_LogicalPageSize.cy);
  PrintFooter(pDC, pInfo);
  pDC->SetWindowOrg(0, 0);
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo) {
  CFont bold;
  if (!BoldCopy(m_PrinterFont, bold)) return;
  const uih::PairSelection font = SelectFont(pDC, bold);
  pDC->SetBkMode(TRANSPARENT);
  CRect rect = pInfo->m_rectDraw;
  const CString title = NearestTitle(GetSafeHwnd() != NULL ? GetParent() : NULL);
  if (!title.IsEmpty()) pDC->DrawText(title, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  const CString app = AppTitle();
  if (!app.IsEmpty()) pDC->DrawText(app, rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  {
    BlackPen pen(pDC);
    Line(pDC, rect.left, rect.bottom, rect.right, rect.bottom);
  }
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo) {
  CFont bold;
  if (!BoldCopy(m_PrinterFont, bold)) return;
  CRect rect = pInfo->m_rectDraw;
  {
    BlackPen pen(pDC);
    Line(pDC, rect.left, rect.top, rect.right, rect.top);
  }
  const uih::PairSelection font = SelectFont(pDC, bold);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(RGB(0, 0, 0));
  CString page;
  page.Format(_T("Page %d of %d"), static_cast<int>(pInfo->m_nCurPage), static_cast<int>(pInfo->GetMaxPage()));
  pDC->DrawText(page, rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  const CString when = CTime::GetCurrentTime().Format(_T("%c"));
  pDC->DrawText(when, rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo*) {
  const uih::PairSelection font = SelectFont(pDC, m_PrinterFont);
  CRect rect;
  rect.bottom = -1;
  BOOL first = TRUE;
  for (int row = 0; row < m_nFixedRows; ++row) {
    if (GetRowHeight(row) <= 0) continue;
    rect.top = rect.bottom + 1;
    rect.bottom = rect.top + GetRowHeight(row) - 1;
    rect.right = -1;
    int r = row;
    if (m_nCurrPrintCol == m_nFixedCols) {
      PrintFixedRowCells(0, m_nCols - 1, r, rect, pDC, first);
    } else {
      PrintFixedRowCells(0, m_nFixedCols - 1, r, rect, pDC, first);
      PrintFixedRowCells(m_nCurrPrintCol, m_nCols - 1, r, rect, pDC, first);
    }
  }
}

void CGridCtrl::PrintFixedRowCells(int nStartColumn, int nStopColumn, int& row, CRect& rect, CDC* pDC, BOOL& bFirst) {
  BlackPen pen(pDC);
  for (int col = nStartColumn; col <= nStopColumn && col < m_nCols; ++col) {
    if (GetColumnWidth(col) <= 0) continue;
    rect.left = rect.right + 1;
    rect.right = rect.left + GetColumnWidth(col) - 1;
    if (rect.right > m_nPageWidth && col != m_nCurrPrintCol) break;
    CRect clipped(rect.left, rect.top, std::min<int>(rect.right, m_nPageWidth), rect.bottom);
    CGridCellBase* cell = GetCell(row, col);
    if (cell != NULL) cell->PrintCell(pDC, row, col, clipped);
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
      Line(pDC, clipped.left - 1, clipped.bottom, clipped.right, clipped.bottom);
      if (row == 0) Line(pDC, clipped.left, clipped.top, clipped.right, clipped.top);
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
      Line(pDC, clipped.right, clipped.top - 1, clipped.right, clipped.bottom);
      if (bFirst) Line(pDC, clipped.left, clipped.top - 1, clipped.left, clipped.bottom);
    }
    bFirst = FALSE;
  }
}

void CGridCtrl::PrintRowButtons(CDC* pDC, CPrintInfo*) {
  const uih::PairSelection font = SelectFont(pDC, m_PrinterFont);
  BlackPen pen(pDC);
  CRect rect;
  rect.bottom = -1;
  BOOL first = TRUE;
  for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
    if (GetRowHeight(row) <= 0) continue;
    rect.top = rect.bottom + 1;
    rect.bottom = rect.top + GetRowHeight(row) - 1;
    if (rect.bottom > m_nPageHeight && row != m_nCurrPrintRow) break;
    const CRect rowRect(0, rect.top, 0, std::min<int>(rect.bottom, m_nPageHeight));
    rect.right = -1;
    for (int col = 0; col < m_nFixedCols; ++col) {
      if (GetColumnWidth(col) <= 0) continue;
      rect.left = rect.right + 1;
      rect.right = rect.left + GetColumnWidth(col) - 1;
      const CRect cellRect(rect.left, rowRect.top, rect.right, rowRect.bottom);
      CGridCellBase* cell = GetCell(row, col);
      if (cell != NULL) cell->PrintCell(pDC, row, col, cellRect);
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        Line(pDC, cellRect.left - 1, cellRect.bottom, cellRect.right, cellRect.bottom);
        if (first) Line(pDC, cellRect.left, cellRect.top - 1, cellRect.right, cellRect.top - 1);
      }
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        Line(pDC, cellRect.right, cellRect.top - 1, cellRect.right, cellRect.bottom);
        if (col == 0) Line(pDC, cellRect.left, cellRect.top - 1, cellRect.left, cellRect.bottom);
      }
    }
    first = FALSE;
  }
}
