// The cells of the grid control: CGridCellBase (the state word; drawing, printing and measuring
// through its own getters), CGridCell (stores its attributes; unset ones come from its default
// cell) and CGridDefaultCell (the template of new cells and the source of unset attributes; it
// owns a font and the default cell size).
#pragma once
#include <framework.h>

#include "GridTypes.h"
#include "quarnel_api.h"

class CGridCtrl;
class CGridDefaultCell;

class QUARNEL_API CGridCellBase : public CObject {
  DECLARE_DYNCREATE(CGridCellBase)
 public:
  CGridCellBase();
  ~CGridCellBase() override;

  virtual void SetText(LPCTSTR) {}
  virtual void SetImage(int) {}
  virtual void SetData(LPARAM) {}
  virtual void SetState(DWORD nState) { m_nState = nState; }
  virtual void SetFormat(DWORD) {}
  virtual void SetTextClr(COLORREF) {}
  virtual void SetBackClr(COLORREF) {}
  virtual void SetFont(const LOGFONT*) {}
  virtual void SetMargin(UINT) {}
  virtual void SetGrid(CGridCtrl*) {}
  virtual void SetCoords(int, int) {}

  virtual LPCTSTR GetText() const { return NULL; }
  virtual LPCTSTR GetTipText() const { return GetText(); }
  virtual int GetImage() const { return -1; }
  virtual LPARAM GetData() const { return 0; }
  virtual DWORD GetState() const { return m_nState; }
  virtual DWORD GetFormat() const { return 0; }
  virtual COLORREF GetTextClr() const { return 0; }
  virtual COLORREF GetBackClr() const { return 0; }
  virtual LOGFONT* GetFont() const { return NULL; }
  // The font to draw with, owned by the grid or the default cell (NULL when there is none).
  virtual CFont* GetFontObject() const { return NULL; }
  virtual CGridCtrl* GetGrid() const { return NULL; }
  virtual CWnd* GetEditWnd() const { return NULL; }
  virtual UINT GetMargin() const { return 0; }
  virtual CGridCellBase* GetDefaultCell() const;

  virtual BOOL IsDefaultFont() const { return FALSE; }
  virtual BOOL IsEditing() const { return FALSE; }
  virtual BOOL IsFocused() const { return (m_nState & GVIS_FOCUSED) != 0; }
  virtual BOOL IsFixed() const { return (m_nState & GVIS_FIXED) != 0; }
  virtual BOOL IsFixedCol() const { return (m_nState & GVIS_FIXEDCOL) != 0; }
  virtual BOOL IsFixedRow() const { return (m_nState & GVIS_FIXEDROW) != 0; }
  virtual BOOL IsSelected() const { return (m_nState & GVIS_SELECTED) != 0; }
  virtual BOOL IsReadOnly() const { return (m_nState & GVIS_READONLY) != 0; }
  virtual BOOL IsModified() const { return (m_nState & GVIS_MODIFIED) != 0; }
  virtual BOOL IsDropHighlighted() const { return (m_nState & GVIS_DROPHILITED) != 0; }

  // Copies the attributes of another cell through the setters.
  virtual void operator=(const CGridCellBase& cell);
  virtual void Reset();

  // Draws the cell into rect (right and bottom inclusive); FALSE when there is nothing to draw on.
  virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
  virtual BOOL GetTextRect(LPRECT pRect);
  virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
  // The size the text needs in the cell's font and margins (pDC NULL: the grid's window DC).
  virtual CSize GetTextExtent(LPCTSTR str, CDC* pDC = NULL);
  virtual CSize GetCellExtent(CDC* pDC);

  // Starts in-place editing: FALSE from a cell that cannot be edited or whose editor could not
  // be made (the cell is then not editing).
  virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
  virtual BOOL ValidateEdit(LPCTSTR) { return TRUE; }
  virtual void EndEdit() {}
  virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
  virtual void OnEndEdit() {}
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(CPoint) {}
  virtual void OnClickDown(CPoint) {}
  virtual void OnRClick(CPoint) {}
  virtual void OnDblClick(CPoint) {}
  virtual BOOL OnSetCursor();

  // The print colours of shaded printing on a raster printer without a fill: one luminance in
  // all three channels, so that a coloured text prints as its own grey.
  static COLORREF LuminanceOf(COLORREF colour);

 protected:
  // The image's width and height (bounding box + 1), FALSE without an image to draw.
  BOOL GetImageSize(CSize* size) const;

  DWORD m_nState;
};

class QUARNEL_API CGridCell : public CGridCellBase {
  DECLARE_DYNCREATE(CGridCell)
 public:
  CGridCell();
  ~CGridCell() override;

  void SetText(LPCTSTR szText) override { m_strText = szText != NULL ? szText : _T(""); }
  void SetImage(int nImage) override { m_nImage = nImage; }
  void SetData(LPARAM lParam) override { m_lParam = lParam; }
  void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
  void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
  void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
  void SetFont(const LOGFONT* plf) override;
  void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
  void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }

  LPCTSTR GetText() const override { return m_strText.GetString(); }
  int GetImage() const override { return m_nImage; }
  LPARAM GetData() const override { return m_lParam; }
  DWORD GetFormat() const override;
  COLORREF GetTextClr() const override { return m_crFgClr; }
  COLORREF GetBackClr() const override { return m_crBkClr; }
  LOGFONT* GetFont() const override;
  CFont* GetFontObject() const override;
  CGridCtrl* GetGrid() const override { return m_pGrid; }
  CWnd* GetEditWnd() const override { return m_pEditWnd; }
  UINT GetMargin() const override;
  BOOL IsDefaultFont() const override { return m_plfFont == NULL; }
  BOOL IsEditing() const override { return m_bEditing; }

  void Reset() override;
  BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
  void EndEdit() override;
  void OnEndEdit() override;

 protected:
  // Makes the in-place editor over rect (a CGridInPlaceEdit in the grid); NULL when none can be
  // made. A class with another editor supplies it here.
  virtual CWnd* CreateEditor(int nRow, int nCol, const CRect& rect, DWORD dwStyle, UINT nID, UINT nChar);

  CString m_strText;
  LPARAM m_lParam;
  int m_nImage;
  DWORD m_nFormat;
  COLORREF m_crFgClr;
  COLORREF m_crBkClr;
  LOGFONT* m_plfFont;
  UINT m_nMargin;
  BOOL m_bEditing;
  CGridCtrl* m_pGrid;
  CWnd* m_pEditWnd;
};

class QUARNEL_API CGridDefaultCell : public CGridCell {
  DECLARE_DYNCREATE(CGridDefaultCell)
 public:
  CGridDefaultCell();
  ~CGridDefaultCell() override;

  void SetData(LPARAM) override {}
  void SetState(DWORD) override {}
  DWORD GetState() const override { return m_nState | GVIS_READONLY; }
  // Remakes the font and measures margin, width and height with it; NULL does nothing.
  void SetFont(const LOGFONT* plf) override;
  LOGFONT* GetFont() const override { return m_plfFont; }
  CFont* GetFontObject() const override;

  virtual DWORD GetStyle() const { return m_dwStyle; }
  virtual void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
  virtual int GetWidth() const { return m_Size.cx; }
  virtual int GetHeight() const { return m_Size.cy; }
  virtual void SetWidth(int nWidth) { m_Size.cx = nWidth; }
  virtual void SetHeight(int nHeight) { m_Size.cy = nHeight; }

  // The system's message font; DEFAULT_GUI_FONT's when the system cannot say (a metrics record
  // of cbSize bytes is asked for).
  static void GetSystemMessageFont(LOGFONT* plf, UINT cbSize = sizeof(NONCLIENTMETRICS));

 protected:
  CSize m_Size;
  CFont m_Font;
  DWORD m_dwStyle;
};
