#include "GridCell.h"

#include <UIHandles.h>

#include <new>

#include "GridCtrl.h"
#include "GridInPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridCell::CGridCell()
    : m_lParam(0),
      m_nImage(-1),
      m_nFormat(0xFFFFFFFF),
      m_crFgClr(CLR_GRID_DEFAULT),
      m_crBkClr(CLR_GRID_DEFAULT),
      m_plfFont(NULL),
      m_nMargin(0xFFFFFFFF),
      m_bEditing(FALSE),
      m_pGrid(NULL),
      m_pEditWnd(NULL) {}

CGridCell::~CGridCell() { delete m_plfFont; }

void CGridCell::SetFont(const LOGFONT* plf) {
  if (plf == NULL) {
    delete m_plfFont;
    m_plfFont = NULL;
    return;
  }
  if (m_plfFont == NULL) m_plfFont = new LOGFONT;
  if (m_plfFont != plf) *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const {
  if (m_nFormat != 0xFFFFFFFF) return m_nFormat;
  CGridCellBase* def = GetDefaultCell();
  return def != NULL ? def->GetFormat() : 0;
}

LOGFONT* CGridCell::GetFont() const {
  if (m_plfFont != NULL) return m_plfFont;
  CGridCellBase* def = GetDefaultCell();
  return def != NULL ? def->GetFont() : NULL;
}

CFont* CGridCell::GetFontObject() const {
  if (m_plfFont != NULL) return m_pGrid != NULL ? m_pGrid->GetFontFor(*m_plfFont) : NULL;
  CGridCellBase* def = GetDefaultCell();
  return def != NULL ? def->GetFontObject() : NULL;
}

UINT CGridCell::GetMargin() const {
  if (m_nMargin != 0xFFFFFFFF) return m_nMargin;
  CGridCellBase* def = GetDefaultCell();
  return def != NULL ? def->GetMargin() : 0;
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  m_strText.Empty();
  m_nImage = -1;
  m_nFormat = 0xFFFFFFFF;
  m_nMargin = 0xFFFFFFFF;
  m_crFgClr = m_crBkClr = CLR_GRID_DEFAULT;
  delete m_plfFont;
  m_plfFont = NULL;
  m_bEditing = FALSE;
  m_pGrid = NULL;
  m_pEditWnd = NULL;
}

CWnd* CGridCell::CreateEditor(int nRow, int nCol, const CRect& rect, DWORD dwStyle, UINT nID, UINT nChar) {
  if (m_pGrid == NULL || m_pGrid->GetSafeHwnd() == NULL) return NULL;
  CGridInPlaceEdit* editor = new CGridInPlaceEdit(m_pGrid, rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
  if (editor->GetSafeHwnd() == NULL) {
    delete editor;
    return NULL;
  }
  return editor;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar) {
  if (m_bEditing) {
    if (m_pEditWnd != NULL && m_pEditWnd->GetSafeHwnd() != NULL) m_pEditWnd->SendMessage(WM_CHAR, nChar, 0);
    return TRUE;
  }
  const DWORD format = GetFormat();
  const DWORD style = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : 0;
  // Editing only once the editor exists: a failed creation leaves the cell as it was.
  CWnd* editor = NULL;
  try {
    editor = CreateEditor(nRow, nCol, rect, style, nID, nChar);
  } catch (const std::bad_alloc&) {
    editor = NULL;
  }
  if (editor == NULL) return FALSE;
  m_pEditWnd = editor;
  m_bEditing = TRUE;
  return TRUE;
}

void CGridCell::EndEdit() {
  if (m_pEditWnd == NULL || m_pEditWnd->GetSafeHwnd() == NULL) return;
  if (CGridInPlaceEdit* edit = dynamic_cast<CGridInPlaceEdit*>(m_pEditWnd))
    edit->EndEdit();
  else
    m_pEditWnd->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
}

void CGridCell::OnEndEdit() {
  m_bEditing = FALSE;
  m_pEditWnd = NULL;
}

// ---- CGridDefaultCell ----

void CGridDefaultCell::GetSystemMessageFont(LOGFONT* plf, UINT cbSize) {
  NONCLIENTMETRICS ncm;
  ZeroMemory(&ncm, sizeof(ncm));
  ncm.cbSize = cbSize;
  if (cbSize <= sizeof(ncm) && SystemParametersInfo(SPI_GETNONCLIENTMETRICS, cbSize, &ncm, 0)) {
    *plf = ncm.lfMessageFont;
    return;
  }
  ZeroMemory(plf, sizeof(*plf));
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(*plf), plf);
}

CGridDefaultCell::CGridDefaultCell() : m_Size(30, 10), m_dwStyle(0) {
  m_crFgClr = CLR_GRID_DEFAULT;
  m_crBkClr = CLR_GRID_DEFAULT;
  m_nFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  LOGFONT lf;
  GetSystemMessageFont(&lf);
  SetFont(&lf);
}

CGridDefaultCell::~CGridDefaultCell() { m_Font.DeleteObject(); }

void CGridDefaultCell::SetFont(const LOGFONT* plf) {
  if (plf == NULL) return;
  const LOGFONT copy = *plf;  // plf may be our own copy
  m_Font.DeleteObject();
  m_Font.CreateFontIndirect(&copy);
  CGridCell::SetFont(&copy);
  uih::WindowDC screen(NULL);
  if (!screen || m_Font.m_hObject == NULL) {
    m_nMargin = 3;
    m_Size = CSize(40, 16);
    return;
  }
  uih::Selection font(screen.Get(), static_cast<HFONT>(m_Font.m_hObject));
  SIZE blank = {0, 0}, sample = {0, 0};
  GetTextExtentPoint32(screen.Get(), _T(" "), 1, &blank);
  GetTextExtentPoint32(screen.Get(), _T(" XXXXXXXXXXXX "), 14, &sample);
  m_nMargin = static_cast<UINT>(blank.cx);
  m_Size = CSize(sample.cx, sample.cy * 3 / 2);
}

CFont* CGridDefaultCell::GetFontObject() const {
  return m_Font.m_hObject != NULL ? const_cast<CFont*>(&m_Font) : NULL;
}
