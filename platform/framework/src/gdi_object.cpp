// CGdiObject, its per-thread temporary map, and the GDI object kinds.
#include "fw_gdi.h"
#include "fw_dc.h"
#include "fw_module.h"
#include "fw_except.h"
#include "handle_map.h"

#include <stdlib.h>

namespace {

CGdiObject* MakeTemporary(HGDIOBJ h) {
  CGdiObject* p;
  switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: p = new CPen; break;
    case OBJ_BRUSH: p = new CBrush; break;
    case OBJ_FONT: p = new CFont; break;
    case OBJ_BITMAP: p = new CBitmap; break;
    case OBJ_REGION: p = new CRgn; break;
    case OBJ_PAL: p = new CPalette; break;
    default: p = new CGdiObject; break;
  }
  p->m_hObject = h;
  return p;
}

CRuntimeClass* ClassOfType(DWORD type) {
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH: return RUNTIME_CLASS(CBrush);
    case OBJ_FONT: return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP: return RUNTIME_CLASS(CBitmap);
    case OBJ_REGION: return RUNTIME_CLASS(CRgn);
    case OBJ_PAL: return RUNTIME_CLASS(CPalette);
    default: return RUNTIME_CLASS(CGdiObject);
  }
}

bool StillFits(CGdiObject* p, HGDIOBJ h) {
  return p->GetRuntimeClass() == ClassOfType(::GetObjectType(h));
}

void ReleaseTemporary(CGdiObject* p) { p->m_hObject = NULL; }

fw::HandleMap<CGdiObject, HGDIOBJ>& GdiMap() {
  thread_local fw::HandleMap<CGdiObject, HGDIOBJ>* map = nullptr;
  return fw::ThreadObject(map, &MakeTemporary, &ReleaseTemporary, &StillFits);
}

HDC AttribOf(CDC* pDC) { return pDC != NULL ? pDC->m_hAttribDC : NULL; }

}  // namespace

// ---------------------------------------------------------------------------------------
// CGdiObject

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const {
  const CGdiObject* self = this;
  __asm__("" : "+r"(self));  // keep the NULL test: callers use it through NULL pointers
  return self == NULL ? NULL : self->m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) { return GdiMap().FromHandle(hObject); }

void PASCAL CGdiObject::DeleteTempMap() { GdiMap().DeleteTemp(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == NULL || m_hObject != NULL) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = NULL;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  HGDIOBJ h = Detach();
  return h != NULL && ::DeleteObject(h);
}

BOOL CGdiObject::AttachNew(HGDIOBJ h) {
  if (h == NULL) return FALSE;
  if (!Attach(h)) {
    ::DeleteObject(h);
    return FALSE;
  }
  return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
  return m_hObject ? ::GetObject(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

BOOL CGdiObject::CreateStockObject(int nIndex) {
  // Stock objects are never really deleted, so owning one is harmless.
  HGDIOBJ h = ::GetStockObject(nIndex);
  return h != NULL && Attach(h);
}

BOOL CGdiObject::UnrealizeObject() { return m_hObject && ::UnrealizeObject(m_hObject); }

// ---------------------------------------------------------------------------------------
// CPen

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (pLogBrush == NULL) return FALSE;
  return AttachNew(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
  return lpLogPen != NULL && AttachNew(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const { return GetObject(sizeof(EXTLOGPEN), pLogPen); }

// ---------------------------------------------------------------------------------------
// CBrush

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
  if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
  if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return AttachNew(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
  return AttachNew(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
  return lpLogBrush != NULL && AttachNew(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return pBitmap != NULL && pBitmap->m_hObject != NULL &&
         AttachNew(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage) {
  if (hPackedDIB == NULL) return FALSE;
  const void* bits = ::GlobalLock(hPackedDIB);
  if (bits == NULL) return FALSE;
  BOOL ok = CreateDIBPatternBrush(bits, nUsage);
  ::GlobalUnlock(hPackedDIB);
  return ok;
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) {
  return lpPackedDIB != NULL && AttachNew(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
  // System colour brushes belong to the system; deleting them is a harmless no-op.
  return AttachNew(::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }

// ---------------------------------------------------------------------------------------
// CFont

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
  return lpLogFont != NULL && AttachNew(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
  return AttachNew(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName != NULL) lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  if (lpLogFont == NULL) return FALSE;
  HDC hDC = AttribOf(pDC);
  HDC screen = hDC ? NULL : ::GetDC(NULL);
  if (hDC == NULL) hDC = screen;
  LOGFONT lf = *lpLogFont;
  // Tenths of a point to device units, then to logical units of the DC.
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
  POINT origin = {0, 0};
  ::DPtoLP(hDC, &pt, 1);
  ::DPtoLP(hDC, &origin, 1);
  lf.lfHeight = -abs(pt.y - origin.y);
  if (screen) ::ReleaseDC(NULL, screen);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }

// ---------------------------------------------------------------------------------------
// CBitmap

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return AttachNew(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
  return AttachNew(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
  return AttachNew(::CreateMappedBitmap(hInst, nIDBitmap, (WORD)nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return AttachNew(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) {
  return lpBitmap != NULL && AttachNew(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return pDC != NULL && AttachNew(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  return pDC != NULL && AttachNew(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return m_hObject ? ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return m_hObject ? ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits) : 0;
}

SIZE CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
  SIZE size = {0, 0};
  if (m_hObject) ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
  return size;
}

SIZE CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  if (m_hObject) ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
  return size;
}

// ---------------------------------------------------------------------------------------
// CPalette

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) {
  return lpLogPalette != NULL && AttachNew(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
  return pDC != NULL && AttachNew(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const {
  WORD n = 0;
  return GetObject(sizeof(n), &n) ? n : 0;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
  return m_hObject ? ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
  return m_hObject ? ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
  if (m_hObject) ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
  return m_hObject ? ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor) : CLR_INVALID;
}

BOOL CPalette::ResizePalette(UINT nNumEntries) {
  return m_hObject && ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}

// ---------------------------------------------------------------------------------------
// CRgn

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachNew(::CreateRectRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
  return lpRect != NULL && AttachNew(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return AttachNew(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) {
  return lpRect != NULL && AttachNew(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  return lpPoints != NULL && AttachNew(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode) {
  return lpPoints != NULL && lpPolyCounts != NULL &&
         AttachNew(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  return AttachNew(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return pDC != NULL && AttachNew(::PathToRegion(pDC->m_hDC)); }

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
  return pRgnData != NULL && AttachNew(::ExtCreateRegion(lpXForm, nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
  if (m_hObject) ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT r) {
  if (r != NULL) SetRectRgn(r->left, r->top, r->right, r->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  if (m_hObject == NULL || pRgn1 == NULL) return ERROR;
  HRGN second = pRgn2 != NULL ? (HRGN)pRgn2->m_hObject : NULL;
  if (second == NULL && nCombineMode != RGN_COPY) return ERROR;
  return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, second, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  if (m_hObject == NULL || pRgnSrc == NULL) return ERROR;
  return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->m_hObject, NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
  return m_hObject && pRgn != NULL && ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject);
}

int CRgn::OffsetRgn(int x, int y) { return m_hObject ? ::OffsetRgn((HRGN)m_hObject, x, y) : ERROR; }
int CRgn::OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }

int CRgn::GetRgnBox(LPRECT lpRect) const {
  return m_hObject && lpRect ? ::GetRgnBox((HRGN)m_hObject, lpRect) : ERROR;
}

BOOL CRgn::PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion((HRGN)m_hObject, x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }

BOOL CRgn::RectInRegion(LPCRECT lpRect) const {
  return m_hObject && lpRect && ::RectInRegion((HRGN)m_hObject, lpRect);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return m_hObject ? (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData) : 0;
}
