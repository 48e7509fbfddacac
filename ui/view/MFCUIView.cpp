// The GDI drawing view: the DC it draws on (device state, attributes, pens, brushes and clipping
// are the drawing core's), its fonts, invalidation and the palette.
#include "QvFillColors.h"
#include "UIUtilities.h"
#include "UIView.h"

#include <fw_printres.h>
#include <stddef.h>

IMPLEMENT_DYNAMIC(CMFCUIView, CUIView)

// Default handling hands a message to the window's default procedure, past CView's handlers.
BEGIN_MESSAGE_MAP(CMFCUIView, CUIView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_KEYUP, OnDefaultHandling)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_RBUTTONDOWN, OnDefaultHandling)
ON_WM_MBUTTONDOWN()
ON_MESSAGE(WM_LBUTTONDOWN, OnDefaultHandling)
ON_MESSAGE(WM_LBUTTONUP, OnDefaultHandling)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnDefaultHandling)
ON_MESSAGE(WM_MOUSEMOVE, OnDefaultHandling)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_MESSAGE(WM_SYSCOMMAND, OnDefaultHandling)
ON_MESSAGE(WM_SETCURSOR, OnDefaultHandling)
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CMFCUIView::OnFilePrintPreview)
END_MESSAGE_MAP()

CMFCUIView::CMFCUIView(unsigned long style)
    : CUIView(style),
      m_hMeasureDC(),
      m_hSavedFont(),
      m_hTextFont(),
      m_hMeasureSavedFont(),
      m_hMeasureFont(),
      m_hVertFont90(),
      m_hVertFont270(),
      m_imageSize(0, 0),
      m_hScrollIncrement(100),
      m_vScrollIncrement(100),
      m_docScroll(),
      m_scrollRange(),
      m_ownsDC(0),
      m_firstPage(0),
      m_lastPage(0),
      m_hScreenDC(),
      m_collation(0),
      m_hyperlinkScan(FALSE),
      m_optimActiveXMetafile(FALSE) {
  m_fillPattern = 1;
}

// The view's own objects go with their owners, once the DC has them no more.
CMFCUIView::~CMFCUIView() { UnprepareCurrentDC(); }

BOOL CMFCUIView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_OWNDC, ::LoadCursor(NULL, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), NULL);
  if (cls == NULL) return FALSE;
  const CString className(cls);  // the registered name lives only until the next registration
  return CUIView::Create(className, _T(""), dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CMFCUIView::DestroyWindow() { return CWnd::DestroyWindow(); }

void CMFCUIView::OnInitialUpdate() {
  UIViewPrepareSharedResources();
  if (m_hDC == NULL && m_hWnd != NULL) {
    // The prepared DC is the view's to release from then on.
    uih::WindowDC dc(m_hWnd);
    if (dc && PrepareNewDCForDrawing(dc.Get(), true)) dc.Release();
  }
  if (!m_hMeasureDC) {
    m_hMeasureDC.Reset(CreateCompatibleDC(m_hDC));
    if (m_hMeasureDC)
      m_hMeasureSavedFont = static_cast<HFONT>(GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT));
  }
  if (m_hWnd != NULL) CView::OnInitialUpdate();
}

// ---------------------------------------------------------------------------------------------
// DC life

BOOL CMFCUIView::PrepareNewDCForDrawing(HDC dc, bool owned) {
  if (dc == NULL) return FALSE;
  // A DC still prepared gets its own objects back first: its saved state would be lost.
  if (m_hDC != NULL) UnprepareCurrentDC();
  UIViewPrepareSharedResources();

  BeginDevice(dc);
  m_ownsDC = owned ? 1 : 0;
  m_hSavedFont = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  HDC info = m_hAttribDC != NULL ? m_hAttribDC : dc;
  const int resX = GetDeviceCaps(info, LOGPIXELSX), resY = GetDeviceCaps(info, LOGPIXELSY);
  if (resX > 0 && resY > 0) {
    m_resolutionX = resX;
    m_resolutionY = resY;
  }
  m_twipsPerPixelX = 1440.0f / static_cast<float>(m_resolutionX);
  m_twipsPerPixelY = 1440.0f / static_cast<float>(m_resolutionY);
  PrepareConversionFactors();
  FinishDevice();
  DropPreparedFonts();
  return m_hDC == dc;
}

void CMFCUIView::UnprepareCurrentDC() {
  // The fonts the DCs had when prepared go back now: their selections span the preparation.
  if (m_hDC != NULL && m_hSavedFont != NULL) SelectObject(m_hDC, m_hSavedFont);
  HDC dc = m_hDC;
  EndDevice();
  if (m_hMeasureDC && m_hMeasureSavedFont != NULL) SelectObject(m_hMeasureDC.Get(), m_hMeasureSavedFont);
  DropPreparedFonts();
  if (dc != NULL && m_ownsDC) ::ReleaseDC(m_hWnd, dc);
  m_ownsDC = 0;
  m_hSavedFont = NULL;
}

void CMFCUIView::SetDefaultDrawingAttributes() {
  ResetDrawingAttributes();
  DropPreparedFonts();
}

void CMFCUIView::QvBeginUse() { SetDefaultDrawingAttributes(); }

// ---------------------------------------------------------------------------------------------
// Attributes

void CMFCUIView::QvSetPenForeColor(COLORREF c) { ApplyPenForeColor(c); }
void CMFCUIView::QvSetPenBackColor(COLORREF c) { ApplyPenBackColor(c); }
void CMFCUIView::QvSetFillForeColor(COLORREF c) { ApplyFillForeColor(c); }
void CMFCUIView::QvSetFillBackColor(COLORREF c) { ApplyFillBackColor(c); }
void CMFCUIView::QvSetBackgroundColor(COLORREF c) { ApplyBackgroundColor(c); }
COLORREF CMFCUIView::QvGetBackgroundColor() { return EffectiveBackgroundColor(); }
void CMFCUIView::QvSetDashLine(QvDashLine dash) { ApplyDashLine(dash); }
void CMFCUIView::QvSetLineWidth(unsigned short width) { ApplyLineWidth(width); }

void CMFCUIView::QvSetFont(UIFont const& font) {
  if (font == m_font) return;
  CUIView::QvSetFont(font);
  DropPreparedFonts();
}

void CMFCUIView::QvSetDrawMode(QvDrawMode mode) { ApplyDrawMode(mode != QvCopyMode); }
QvDrawMode CMFCUIView::QvGetDrawMode() { return IsExclusiveDrawMode() ? QvXorMode : QvCopyMode; }

// ---------------------------------------------------------------------------------------------
// Fonts

void CMFCUIView::DropPreparedFonts() {
  uih::OwnedFont* fonts[] = {&m_hTextFont, &m_hVertFont90, &m_hVertFont270, &m_hMeasureFont};
  for (uih::OwnedFont* font : fonts) {
    if (!*font) continue;
    // Fonts still selected go back to what the DCs had before (selected at preparation, not in
    // a scope: see PrepareFont).
    if (m_hDC != NULL && GetCurrentObject(m_hDC, OBJ_FONT) == font->Get())
      SelectObject(m_hDC, m_hSavedFont != NULL ? m_hSavedFont : GetStockObject(SYSTEM_FONT));
    if (m_hAttribDC != NULL && GetCurrentObject(m_hAttribDC, OBJ_FONT) == font->Get())
      SelectObject(m_hAttribDC, GetStockObject(SYSTEM_FONT));
    if (m_hMeasureDC && GetCurrentObject(m_hMeasureDC.Get(), OBJ_FONT) == font->Get())
      SelectObject(m_hMeasureDC.Get(),
                   m_hMeasureSavedFont != NULL ? m_hMeasureSavedFont : GetStockObject(SYSTEM_FONT));
    font->Reset();
  }
}

// ---------------------------------------------------------------------------------------------
// Clipping

void CMFCUIView::QvSetClipRect(RECT const& r) { CombineClip(r, RGN_COPY); }
void CMFCUIView::QvUnionRectToClip(RECT& r) { CombineClip(r, RGN_OR); }
void CMFCUIView::QvIntersectionRectToClip(RECT& r) { CombineClip(r, RGN_AND); }
void CMFCUIView::QvExcludeRectToClip(RECT& r) { CombineClip(r, RGN_DIFF); }
void CMFCUIView::QvResetClipRect() { ResetClip(); }

CRgn* CMFCUIView::QvGetClipRegion() {
  CRgn* copy = new CRgn;
  copy->CreateRectRgn(0, 0, 0, 0);
  CopyClip(static_cast<HRGN>(copy->GetSafeHandle()));
  return copy;
}

void CMFCUIView::QvFreeRegion(CRgn* rgn) { delete rgn; }

void CMFCUIView::QvSetClipRegion(CRgn* rgn) { SetClipFrom(rgn != NULL ? static_cast<HRGN>(rgn->GetSafeHandle()) : NULL); }

// ---------------------------------------------------------------------------------------------
// Invalidation and palette

void CMFCUIView::QvInvalRect(RECT const& r, int) {
  RECT client;
  if (m_hWnd != NULL && ImageToClientRect(r, client)) ::InvalidateRect(m_hWnd, &client, TRUE);
}

void CMFCUIView::QvInvalAll(int erase) {
  if (m_hWnd != NULL) ::InvalidateRect(m_hWnd, NULL, erase);
}

void CMFCUIView::QvUpdateNow() {
  if (m_hWnd != NULL) ::UpdateWindow(m_hWnd);
}

BOOL CMFCUIView::OnQueryNewPalette() {
  CPalette* palette = UIViewPalette();
  return static_cast<BOOL>(
      RealizeLibraryPalette(m_hWnd, palette != NULL ? static_cast<HPALETTE>(palette->GetSafeHandle()) : NULL));
}

void CMFCUIView::OnPaletteChanged(CWnd* pFocusWnd) {
  HWND focus = pFocusWnd->GetSafeHwnd();
  if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) OnQueryNewPalette();
}
