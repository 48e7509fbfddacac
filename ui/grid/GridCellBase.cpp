#include "GridCell.h"

#include <UIHandles.h>

#include <algorithm>

#include "GridCtrl.h"
#include "GridDrawing.h"

IMPLEMENT_DYNCREATE(CGridCellBase, CObject)

namespace {

using grid_drawing::DCPen;
using grid_drawing::FillSolid;

// Draws the raised look of a fixed cell: highlight top and left, dark shadow right and bottom.
void DrawRaised(HDC dc, const CRect& rect) {
  DCPen pen(dc, GetSysColor(COLOR_3DHIGHLIGHT));
  MoveToEx(dc, rect.right, rect.top, NULL);
  LineTo(dc, rect.left, rect.top);
  LineTo(dc, rect.left, rect.bottom);
  pen.Colour(GetSysColor(COLOR_3DDKSHADOW));
  MoveToEx(dc, rect.right, rect.top, NULL);
  LineTo(dc, rect.right, rect.bottom);
  LineTo(dc, rect.left, rect.bottom);
}

void Polyline4(HDC dc, COLORREF colour, const POINT (&p)[4]) {
  DCPen pen(dc, colour);
  Polyline(dc, p, 4);
}

}  // namespace

CGridCellBase::CGridCellBase() : m_nState(0) {}
CGridCellBase::~CGridCellBase() {}

CGridCellBase* CGridCellBase::GetDefaultCell() const {
  CGridCtrl* grid = GetGrid();
  if (grid == NULL) return NULL;
  return grid->GetDefaultCell((m_nState & GVIS_FIXEDROW) != 0, (m_nState & GVIS_FIXEDCOL) != 0);
}

void CGridCellBase::operator=(const CGridCellBase& cell) {
  if (this == &cell) return;
  SetGrid(cell.GetGrid());
  SetText(cell.GetText());
  SetImage(cell.GetImage());
  SetData(cell.GetData());
  SetState(cell.GetState());
  SetFormat(cell.GetFormat());
  SetTextClr(cell.GetTextClr());
  SetBackClr(cell.GetBackClr());
  SetFont(cell.IsDefaultFont() ? NULL : cell.GetFont());
  SetMargin(cell.GetMargin());
}

void CGridCellBase::Reset() { m_nState = 0; }

BOOL CGridCellBase::OnSetCursor() {
  SetCursor(LoadCursor(NULL, IDC_ARROW));
  return TRUE;
}

COLORREF CGridCellBase::LuminanceOf(COLORREF c) {
  const int y = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
  return RGB(y, y, y);
}

BOOL CGridCellBase::GetImageSize(CSize* size) const {
  CGridCtrl* grid = GetGrid();
  if (grid == NULL || grid->GetImageList() == NULL || GetImage() < 0) return FALSE;
  IMAGEINFO info;
  if (!ImageList_GetImageInfo(grid->GetImageList()->GetSafeHandle(), GetImage(), &info)) return FALSE;
  size->cx = info.rcImage.right - info.rcImage.left + 1;
  size->cy = info.rcImage.bottom - info.rcImage.top + 1;
  return TRUE;
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd) {
  CGridCtrl* grid = GetGrid();
  if (grid == NULL || pDC == NULL || pDC->m_hDC == NULL || rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
  const HDC dc = pDC->m_hDC;
  const uih::SavedDC saved(dc);  // the DC goes back as it came, on every path
  SetBkMode(dc, TRANSPARENT);
  CGridCellBase* def = GetDefaultCell();
  if (def == NULL) {
    return FALSE;
  }
  COLORREF textClr = GetTextClr() == CLR_GRID_DEFAULT ? def->GetTextClr() : GetTextClr();
  COLORREF backClr;
  if (GetBackClr() == CLR_GRID_DEFAULT) {
    backClr = def->GetBackClr();
  } else {
    backClr = GetBackClr();
    bEraseBkgnd = TRUE;
  }
  const int gridLines = grid->GetGridLines();
  if (!IsFocused() && !IsDropHighlighted()) {
    if (!IsSelected()) {
      if (bEraseBkgnd) FillSolid(dc, CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), backClr);
    } else {
      FillSolid(dc, CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), GetSysColor(COLOR_HIGHLIGHT));
      textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    SetTextColor(dc, textClr);
  } else {
    if (IsSelected()) {
      backClr = GetSysColor(COLOR_HIGHLIGHT);
      textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
      bEraseBkgnd = TRUE;
    }
    rect.right++;
    rect.bottom++;
    if (bEraseBkgnd) FillSolid(dc, rect, backClr);
    if (gridLines != GVL_NONE) {
      rect.right--;
      rect.bottom--;
    }
    if (grid->GetFrameFocusCell()) grid_drawing::Frame(dc, rect, textClr);
    SetTextColor(dc, textClr);
    if (gridLines == GVL_NONE) {
      rect.right--;
      rect.bottom--;
    }
    rect.DeflateRect(1, 1);
  }

  if (IsFixed() && gridLines != GVL_NONE) {
    const CCellID focus = grid->GetFocusCell();
    if (grid->GetTrackFocusCell() && focus.IsValid() && (focus.row == nRow || focus.col == nCol)) {
      rect.right++;
      rect.bottom++;
      DrawEdge(dc, &rect, BDR_SUNKENINNER, BF_RECT);
      rect.DeflateRect(1, 1);
    } else {
      DrawRaised(dc, rect);
      rect.DeflateRect(1, 1);
    }
  }

  CFont* font = pDC->IsPrinting() ? NULL : GetFontObject();
  const uih::Selection fontSel(dc, font != NULL ? static_cast<HFONT>(font->m_hObject) : HFONT(NULL));

  const int margin = static_cast<int>(GetMargin());
  rect.DeflateRect(margin, 0);

  CSize image;
  if (GetImageSize(&image)) {
    if (image.cx + rect.left <= rect.right + 2 * margin && image.cy + rect.top <= rect.bottom + 2 * margin)
      ImageList_Draw(grid->GetImageList()->GetSafeHandle(), GetImage(), dc, rect.left, rect.top, ILD_NORMAL);
  }

  if (grid->GetSortColumn() == nCol && nRow == 0) {
    SIZE m;
    GetTextExtentPoint32(dc, _T("M"), 1, &m);
    int s = m.cy - 4;
    if (s >= rect.Height()) s = rect.Height() - 4;
    LOGFONT lf = {};
    HGDIOBJ current = GetCurrentObject(dc, OBJ_FONT);
    GetObject(current, sizeof(lf), &lf);
    const bool vertical = lf.lfEscapement == 900;
    if (s > 0 && rect.left + s < rect.right + 2 * margin) {
      const int b = rect.bottom - s - 2;
      const int e = b + s;
      const int l = vertical ? (rect.left + rect.right - s) / 2 : rect.right - s;
      const COLORREF shadow = GetSysColor(COLOR_3DSHADOW), light = GetSysColor(COLOR_3DHIGHLIGHT);
      if (grid->GetSortAscending()) {
        const POINT hi[4] = {{l + 1, e + 1}, {l + s / 2 + 1, b + 1}, {l + s + 1, e + 1}, {l + 1, e + 1}};
        const POINT sh[4] = {{l, e}, {l + s / 2, b}, {l + s, e}, {l, e}};
        Polyline4(dc, light, hi);
        Polyline4(dc, shadow, sh);
      } else {
        const POINT hi[4] = {{l + 1, b + 1}, {l + s / 2 + 1, e + 1}, {l + s + 1, b + 1}, {l + 1, b + 1}};
        const POINT sh[4] = {{l, b}, {l + s / 2, e}, {l + s, b}, {l, b}};
        Polyline4(dc, light, hi);
        Polyline4(dc, shadow, sh);
      }
      if (!vertical) rect.right -= s;
    }
  }

  GetTextRect(rect);
  LPCTSTR text = GetText();
  if (text != NULL) DrawText(dc, text, -1, rect, GetFormat() | DT_NOPREFIX);
  return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT pRect) {
  CSize image;
  if (GetImageSize(&image)) pRect->left += image.cx + 1 + static_cast<int>(GetMargin());
  return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC) {
  CGridCtrl* grid = GetGrid();
  uih::WindowDC windowDC;
  HDC dc = pDC != NULL ? pDC->m_hAttribDC : NULL;
  if (szText != NULL && dc == NULL && grid != NULL && grid->GetSafeHwnd() != NULL) {
    windowDC = uih::WindowDC(grid->GetSafeHwnd());
    dc = windowDC.Get();
  }
  CGridDefaultCell* def = static_cast<CGridDefaultCell*>(GetDefaultCell());
  if (szText == NULL || dc == NULL) {
    if (def == NULL) return CSize(0, 0);
    return CSize(def->GetWidth(), def->GetHeight());
  }
  CFont* font = GetFontObject();
  uih::Selection selected;
  if (font != NULL && font->m_hObject != NULL) selected = uih::Selection(dc, static_cast<HFONT>(font->m_hObject));

  CSize size;
  const int length = lstrlen(szText);
  const DWORD format = GetFormat();
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    int widest = 0;
    for (int start = 0; start <= length;) {
      int end = start;
      while (end < length && szText[end] != '\n') ++end;
      SIZE line = {0, 0};
      GetTextExtentPoint32(dc, szText + start, end - start, &line);
      widest = std::max(widest, static_cast<int>(line.cx));
      start = end + 1;
    }
    CRect r(0, 0, widest + 1, 0);
    DrawText(dc, szText, length, r, format | DT_CALCRECT);
    size = CSize(r.Width(), r.Height());
  } else {
    SIZE s = {0, 0};
    GetTextExtentPoint32(dc, szText, length, &s);
    size = CSize(s.cx, s.cy);
  }
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  LOGFONT lf = {};
  if (font != NULL && font->m_hObject != NULL) GetObject(font->m_hObject, sizeof(lf), &lf);
  const int margin = static_cast<int>(GetMargin());
  size.cx += tm.tmOverhang + 4 * margin;
  size.cy += 2 * margin;
  if (lf.lfEscapement == 900 || lf.lfEscapement == -900) {
    std::swap(size.cx, size.cy);
    size.cy += 4 * margin;
  }
  return size;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC) {
  CSize size = GetTextExtent(GetText(), pDC);
  CSize image(0, 0);
  if (GetImageSize(&image)) {
    size.cx += image.cx;
    size.cy = std::max(size.cy, image.cy);
  }
  return size;
}

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }

BOOL CGridCellBase::PrintCell(CDC* pDC, int, int, CRect rect) {
  CGridCtrl* grid = GetGrid();
  if (grid == NULL || pDC == NULL || pDC->m_hDC == NULL || rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
  const HDC dc = pDC->m_hDC;
  const uih::SavedDC saved(dc);  // the DC goes back as it came, on every path
  SetBkMode(dc, TRANSPARENT);
  CGridCellBase* def = GetDefaultCell();
  COLORREF textClr = 0, backClr = CLR_GRID_DEFAULT;
  if (grid->GetShadedPrintOut() && def != NULL) {
    const COLORREF ownBack = GetBackClr(), ownText = GetTextClr();
    if (IsFixed()) {
      backClr = ownBack != CLR_GRID_DEFAULT ? ownBack : def->GetBackClr();
      textClr = ownBack != CLR_GRID_DEFAULT ? ownText : def->GetTextClr();
    } else {
      backClr = (ownBack != CLR_GRID_DEFAULT && ownBack != def->GetBackClr()) ? ownBack : CLR_GRID_DEFAULT;
      textClr = (ownBack != CLR_GRID_DEFAULT || (ownText != CLR_GRID_DEFAULT && ownText != def->GetTextClr()))
                    ? ownText
                    : 0;
    }
    if (textClr == CLR_GRID_DEFAULT) textClr = def->GetTextClr();
    if (GetDeviceCaps(pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : dc, TECHNOLOGY) == DT_RASPRINTER &&
        backClr == CLR_GRID_DEFAULT)
      textClr = LuminanceOf(textClr);
    if (backClr != CLR_GRID_DEFAULT) FillSolid(dc, CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), backClr);
  }
  SetTextColor(dc, textClr);
  CFont* font = GetFontObject();
  const uih::Selection fontSel(dc, font != NULL ? static_cast<HFONT>(font->m_hObject) : HFONT(NULL));
  if (grid->GetGridLines() != GVL_NONE && IsFixed()) {
    DrawRaised(dc, rect);
    rect.DeflateRect(1, 1);
  }
  const int margin = static_cast<int>(GetMargin());
  rect.DeflateRect(margin, 0);
  CSize image;
  if (GetImageSize(&image)) {
    ImageList_Draw(grid->GetImageList()->GetSafeHandle(), GetImage(), dc, rect.left, rect.top, ILD_NORMAL);
    rect.left += image.cx - 1 + margin;
  }
  LPCTSTR text = GetText();
  if (text != NULL) DrawText(dc, text, -1, rect, GetFormat() | DT_NOPREFIX);
  return TRUE;
}
