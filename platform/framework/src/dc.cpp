// CDC: the output/attribute DC pair and the wrappers of the GDI drawing functions.
#include "fw_dc.h"
#include "fw_except.h"
#include "handle_map.h"

namespace {

CDC* MakeTemporary(HDC h) {
  CDC* p = new CDC;
  p->m_hDC = p->m_hAttribDC = h;
  return p;
}

void ReleaseTemporary(CDC* p) { p->m_hDC = p->m_hAttribDC = NULL; }

fw::HandleMap<CDC, HDC>& DcMap() {
  thread_local fw::HandleMap<CDC, HDC>* map = nullptr;
  return fw::ThreadObject(map, &MakeTemporary, &ReleaseTemporary);
}

HDC Src(CDC* p) { return p != NULL ? p->m_hDC : NULL; }
HGDIOBJ Obj(const CGdiObject* p) { return p != NULL ? p->m_hObject : NULL; }

}  // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::~CDC() { DeleteDC(); }

HDC CDC::GetSafeHdc() const {
  const CDC* self = this;
  __asm__("" : "+r"(self));  // keep the NULL test: callers use it through NULL pointers
  return self == NULL ? NULL : self->m_hDC;
}

CDC* PASCAL CDC::FromHandle(HDC hDC) { return DcMap().FromHandle(hDC); }
void PASCAL CDC::DeleteTempMap() { DcMap().DeleteTemp(); }

BOOL CDC::Attach(HDC hDC) {
  if (hDC == NULL || m_hDC != NULL || m_hAttribDC != NULL) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = m_hAttribDC = NULL;
  return h;
}

BOOL CDC::DeleteDC() {
  HDC out = m_hDC, attrib = m_hAttribDC;
  m_hDC = m_hAttribDC = NULL;
  BOOL ok = FALSE;
  if (out != NULL) ok = ::DeleteDC(out);
  if (attrib != NULL && attrib != out) ::DeleteDC(attrib);
  return ok;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = NULL; }
void CDC::ReleaseOutputDC() { m_hDC = NULL; }

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  if (m_hDC != NULL) return FALSE;
  HDC h = ::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
  if (h == NULL) return FALSE;
  return Attach(h);
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  if (m_hDC != NULL) return FALSE;
  HDC h = ::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData);
  if (h == NULL) return FALSE;
  return Attach(h);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (m_hDC != NULL) return FALSE;
  HDC h = ::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL);
  if (h == NULL) return FALSE;
  return Attach(h);
}

BOOL CDC::ResetDC(const DEVMODE* lpDevMode) {
  return m_hAttribDC != NULL && ::ResetDC(m_hAttribDC, lpDevMode) != NULL;
}

// With two DCs both are saved; the output DC always returns to its latest saved state.
int CDC::SaveDC() {
  if (m_hDC != NULL && m_hDC != m_hAttribDC && ::SaveDC(m_hDC) == 0) return 0;
  return ::SaveDC(m_hAttribDC != NULL ? m_hAttribDC : m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC) {
  if (m_hAttribDC == NULL) return ::RestoreDC(m_hDC, nSavedDC);
  BOOL ok = TRUE;
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ok = ::RestoreDC(m_hDC, -1);
  return ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }
UINT CDC::SetBoundsRect(LPCRECT lpRectBounds, UINT flags) { return ::SetBoundsRect(m_hDC, lpRectBounds, flags); }
UINT CDC::GetBoundsRect(LPRECT lpRectBounds, UINT flags) { return ::GetBoundsRect(m_hAttribDC, lpRectBounds, flags); }

// ---------------------------------------------------------------------------------------
// Drawing tools

CPoint CDC::GetBrushOrg() const {
  POINT p = {0, 0};
  ::GetBrushOrgEx(m_hDC, &p);
  return p;
}

CPoint CDC::SetBrushOrg(int x, int y) {
  POINT p = {0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &p);
  return p;
}

CPoint CDC::SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

CGdiObject* CDC::SelectGdiObject(HGDIOBJ hObject) {
  if (hObject == NULL) return NULL;
  HGDIOBJ old = NULL;
  if (m_hDC != NULL && m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, hObject);
  if (m_hAttribDC != NULL) old = ::SelectObject(m_hAttribDC, hObject);
  return old != NULL && old != HGDI_ERROR ? CGdiObject::FromHandle(old) : NULL;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  if (hObject == NULL) return NULL;
  HGDIOBJ old = NULL;
  if (m_hDC != NULL && m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, hObject);
  if (m_hAttribDC != NULL) old = ::SelectObject(m_hAttribDC, hObject);
  return old == HGDI_ERROR ? NULL : old;
}

CGdiObject* CDC::SelectStockObject(int nIndex) { return SelectGdiObject(::GetStockObject(nIndex)); }
CPen* CDC::SelectObject(CPen* pPen) { return (CPen*)SelectGdiObject(Obj(pPen)); }
CBrush* CDC::SelectObject(CBrush* pBrush) { return (CBrush*)SelectGdiObject(Obj(pBrush)); }
CFont* CDC::SelectObject(CFont* pFont) { return (CFont*)SelectGdiObject(Obj(pFont)); }
CBitmap* CDC::SelectObject(CBitmap* pBitmap) { return (CBitmap*)SelectGdiObject(Obj(pBitmap)); }

int CDC::SelectObject(CRgn* pRgn) {
  HGDIOBJ h = Obj(pRgn);
  if (h == NULL) return ERROR;
  int result = ERROR;
  if (m_hDC != NULL && m_hDC != m_hAttribDC) result = (int)(INT_PTR)::SelectObject(m_hDC, h);
  if (m_hAttribDC != NULL) result = (int)(INT_PTR)::SelectObject(m_hAttribDC, h);
  return result;
}

CPen* CDC::GetCurrentPen() const { return (CPen*)CGdiObject::FromHandle(::GetCurrentObject(m_hAttribDC, OBJ_PEN)); }
CBrush* CDC::GetCurrentBrush() const {
  return (CBrush*)CGdiObject::FromHandle(::GetCurrentObject(m_hAttribDC, OBJ_BRUSH));
}
CPalette* CDC::GetCurrentPalette() const {
  return (CPalette*)CGdiObject::FromHandle(::GetCurrentObject(m_hAttribDC, OBJ_PAL));
}
CFont* CDC::GetCurrentFont() const {
  return (CFont*)CGdiObject::FromHandle(::GetCurrentObject(m_hAttribDC, OBJ_FONT));
}
CBitmap* CDC::GetCurrentBitmap() const {
  return (CBitmap*)CGdiObject::FromHandle(::GetCurrentObject(m_hAttribDC, OBJ_BITMAP));
}

// ---------------------------------------------------------------------------------------
// Colours and modes: setters apply to both DCs and answer from the attribute DC.

#define FW_SET_BOTH(call_out, call_attr, fail) \
  do {                                         \
    if (m_hDC != NULL && m_hDC != m_hAttribDC) \
      (void)(call_out);                        \
    return m_hAttribDC != NULL ? (call_attr) : (fail); \
  } while (0)

COLORREF CDC::GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  if (pPalette == NULL) return NULL;
  HPALETTE old = ::SelectPalette(m_hDC, (HPALETTE)pPalette->m_hObject, bForceBackground);
  return old ? CPalette::FromHandle(old) : NULL;
}

UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }

COLORREF CDC::SetBkColor(COLORREF c) {
  FW_SET_BOTH(::SetBkColor(m_hDC, c), ::SetBkColor(m_hAttribDC, c), CLR_INVALID);
}
int CDC::SetBkMode(int n) { FW_SET_BOTH(::SetBkMode(m_hDC, n), ::SetBkMode(m_hAttribDC, n), 0); }
int CDC::SetPolyFillMode(int n) {
  FW_SET_BOTH(::SetPolyFillMode(m_hDC, n), ::SetPolyFillMode(m_hAttribDC, n), 0);
}
int CDC::SetROP2(int n) { FW_SET_BOTH(::SetROP2(m_hDC, n), ::SetROP2(m_hAttribDC, n), 0); }
int CDC::SetStretchBltMode(int n) {
  FW_SET_BOTH(::SetStretchBltMode(m_hDC, n), ::SetStretchBltMode(m_hAttribDC, n), 0);
}
COLORREF CDC::SetTextColor(COLORREF c) {
  FW_SET_BOTH(::SetTextColor(m_hDC, c), ::SetTextColor(m_hAttribDC, c), CLR_INVALID);
}
int CDC::GetGraphicsMode() const { return ::GetGraphicsMode(m_hAttribDC); }
int CDC::SetGraphicsMode(int m) {
  FW_SET_BOTH(::SetGraphicsMode(m_hDC, m), ::SetGraphicsMode(m_hAttribDC, m), 0);
}
BOOL CDC::SetWorldTransform(const XFORM* x) {
  FW_SET_BOTH(::SetWorldTransform(m_hDC, x), ::SetWorldTransform(m_hAttribDC, x), FALSE);
}
BOOL CDC::ModifyWorldTransform(const XFORM* x, DWORD mode) {
  FW_SET_BOTH(::ModifyWorldTransform(m_hDC, x, mode), ::ModifyWorldTransform(m_hAttribDC, x, mode), FALSE);
}
BOOL CDC::GetWorldTransform(XFORM* x) const { return ::GetWorldTransform(m_hAttribDC, x); }
DWORD CDC::SetLayout(DWORD l) {
  FW_SET_BOTH(::SetLayout(m_hDC, l), ::SetLayout(m_hAttribDC, l), GDI_ERROR);
}
DWORD CDC::GetLayout() const { return ::GetLayout(m_hAttribDC); }

// ---------------------------------------------------------------------------------------
// Mapping

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetMapMode(int n) { FW_SET_BOTH(::SetMapMode(m_hDC, n), ::SetMapMode(m_hAttribDC, n), 0); }

CPoint CDC::GetViewportOrg() const {
  POINT p = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &p);
  return p;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT p = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::SetViewportOrgEx(m_hDC, x, y, &p);
  if (m_hAttribDC != NULL) ::SetViewportOrgEx(m_hAttribDC, x, y, &p);
  return p;
}
CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT p = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &p);
  if (m_hAttribDC != NULL) ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &p);
  return p;
}

CSize CDC::GetViewportExt() const {
  SIZE s = {0, 0};
  ::GetViewportExtEx(m_hAttribDC, &s);
  return s;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE s = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::SetViewportExtEx(m_hDC, cx, cy, &s);
  if (m_hAttribDC != NULL) ::SetViewportExtEx(m_hAttribDC, cx, cy, &s);
  return s;
}
CSize CDC::SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE s = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &s);
  if (m_hAttribDC != NULL) ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &s);
  return s;
}

CPoint CDC::GetWindowOrg() const {
  POINT p = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &p);
  return p;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT p = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::SetWindowOrgEx(m_hDC, x, y, &p);
  if (m_hAttribDC != NULL) ::SetWindowOrgEx(m_hAttribDC, x, y, &p);
  return p;
}
CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT p = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &p);
  if (m_hAttribDC != NULL) ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &p);
  return p;
}

CSize CDC::GetWindowExt() const {
  SIZE s = {0, 0};
  ::GetWindowExtEx(m_hAttribDC, &s);
  return s;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE s = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::SetWindowExtEx(m_hDC, cx, cy, &s);
  if (m_hAttribDC != NULL) ::SetWindowExtEx(m_hAttribDC, cx, cy, &s);
  return s;
}
CSize CDC::SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE s = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &s);
  if (m_hAttribDC != NULL) ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &s);
  return s;
}

// ---------------------------------------------------------------------------------------
// Coordinates

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2); }

// Sizes are converted as the distance between two converted points, so origins cancel.
void CDC::DPtoLP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::DPtoLP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::LPtoDP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

// HIMETRIC: 0.01 mm; 2540 per inch.
void CDC::HIMETRICtoDP(LPSIZE lpSize) const {
  lpSize->cx = ::MulDiv(lpSize->cx, GetDeviceCaps(LOGPIXELSX), 2540);
  lpSize->cy = ::MulDiv(lpSize->cy, GetDeviceCaps(LOGPIXELSY), 2540);
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const {
  lpSize->cx = ::MulDiv(lpSize->cx, 2540, GetDeviceCaps(LOGPIXELSX));
  lpSize->cy = ::MulDiv(lpSize->cy, 2540, GetDeviceCaps(LOGPIXELSY));
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const {
  HIMETRICtoDP(lpSize);
  DPtoLP(lpSize);
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const {
  LPtoDP(lpSize);
  DPtoHIMETRIC(lpSize);
}

// ---------------------------------------------------------------------------------------
// Regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  return pRgn && pBrush && ::FillRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject);
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  return pRgn && pBrush && ::FrameRgn(m_hDC, (HRGN)pRgn->m_hObject, (HBRUSH)pBrush->m_hObject, nWidth, nHeight);
}
BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn && ::InvertRgn(m_hDC, (HRGN)pRgn->m_hObject); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn && ::PaintRgn(m_hDC, (HRGN)pRgn->m_hObject); }

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }

int CDC::GetClipRgn(CRgn* pRgn) {
  if (pRgn == NULL || pRgn->m_hObject == NULL) return -1;
  return ::GetClipRgn(m_hDC, (HRGN)pRgn->m_hObject);
}

BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

int CDC::SelectClipRgn(CRgn* pRgn) {
  HRGN h = pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL;
  FW_SET_BOTH(::SelectClipRgn(m_hDC, h), ::SelectClipRgn(m_hAttribDC, h), ERROR);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  HRGN h = pRgn != NULL ? (HRGN)pRgn->m_hObject : NULL;
  FW_SET_BOTH(::ExtSelectClipRgn(m_hDC, h, nMode), ::ExtSelectClipRgn(m_hAttribDC, h, nMode), ERROR);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  FW_SET_BOTH(::ExcludeClipRect(m_hDC, x1, y1, x2, y2), ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2), ERROR);
}
int CDC::ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  FW_SET_BOTH(::IntersectClipRect(m_hDC, x1, y1, x2, y2), ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2),
              ERROR);
}
int CDC::IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }

int CDC::OffsetClipRgn(int x, int y) {
  FW_SET_BOTH(::OffsetClipRgn(m_hDC, x, y), ::OffsetClipRgn(m_hAttribDC, x, y), ERROR);
}
int CDC::OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

// ---------------------------------------------------------------------------------------
// Lines and curves: the current position lives in both DCs.

CPoint CDC::GetCurrentPosition() const {
  POINT p = {0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &p);
  return p;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT p = {0, 0};
  if (m_hDC != NULL && m_hDC != m_hAttribDC) ::MoveToEx(m_hDC, x, y, &p);
  if (m_hAttribDC != NULL) ::MoveToEx(m_hAttribDC, x, y, &p);
  return p;
}
CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }

BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC != NULL && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, NULL);
  return ::LineTo(m_hDC, x, y);
}
BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e) { return Arc(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  BOOL ok = ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
  if (m_hAttribDC != NULL && m_hAttribDC != m_hDC) {
    POINT p;
    ::GetCurrentPositionEx(m_hDC, &p);
    ::MoveToEx(m_hAttribDC, p.x, p.y, NULL);
  }
  return ok;
}
BOOL CDC::ArcTo(LPCRECT r, POINT s, POINT e) { return ArcTo(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }

BOOL CDC::AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle) {
  return ::AngleArc(m_hDC, x, y, nRadius, fStartAngle, fSweepAngle);
}
int CDC::GetArcDirection() const { return ::GetArcDirection(m_hAttribDC); }
int CDC::SetArcDirection(int n) {
  FW_SET_BOTH(::SetArcDirection(m_hDC, n), ::SetArcDirection(m_hAttribDC, n), 0);
}
BOOL CDC::Polyline(const POINT* p, int n) { return ::Polyline(m_hDC, p, n); }
BOOL CDC::PolylineTo(const POINT* p, int n) {
  BOOL ok = ::PolylineTo(m_hDC, p, n);
  if (ok && n > 0 && m_hAttribDC != NULL && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, p[n - 1].x, p[n - 1].y, NULL);
  return ok;
}
BOOL CDC::PolyPolyline(const POINT* p, const DWORD* counts, int n) { return ::PolyPolyline(m_hDC, p, counts, n); }
BOOL CDC::PolyBezier(const POINT* p, int n) { return ::PolyBezier(m_hDC, p, n); }
BOOL CDC::PolyBezierTo(const POINT* p, int n) {
  BOOL ok = ::PolyBezierTo(m_hDC, p, n);
  if (ok && n > 0 && m_hAttribDC != NULL && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, p[n - 1].x, p[n - 1].y, NULL);
  return ok;
}

// ---------------------------------------------------------------------------------------
// Simple fills

void CDC::FillRect(LPCRECT r, CBrush* pBrush) {
  if (pBrush != NULL) ::FillRect(m_hDC, r, (HBRUSH)pBrush->m_hObject);
}
void CDC::FrameRect(LPCRECT r, CBrush* pBrush) {
  if (pBrush != NULL) ::FrameRect(m_hDC, r, (HBRUSH)pBrush->m_hObject);
}
void CDC::InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
  return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}
BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
  return DrawState(pt, size, (HBITMAP)Obj(pBitmap), nFlags, (HBRUSH)Obj(pBrush));
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
  return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush) {
  return DrawState(pt, size, hIcon, nFlags, (HBRUSH)Obj(pBrush));
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
  return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                     nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush) {
  return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, (HBRUSH)Obj(pBrush));
}
BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush) {
  return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_COMPLEX);
}

// ---------------------------------------------------------------------------------------
// Ellipses and polygons

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e) { return Chord(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
void CDC::DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e) { return Pie(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Polygon(const POINT* p, int n) { return ::Polygon(m_hDC, p, n); }
BOOL CDC::PolyPolygon(const POINT* p, const INT* counts, int n) { return ::PolyPolygon(m_hDC, p, counts, n); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::RoundRect(LPCRECT r, POINT p) { return RoundRect(r->left, r->top, r->right, r->bottom, p.x, p.y); }

// ---------------------------------------------------------------------------------------
// Bitmaps

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, w, h, Src(pSrcDC), xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* pSrcDC, int xSrc, int ySrc, int sw, int sh, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, w, h, Src(pSrcDC), xSrc, ySrc, sw, sh, rop);
}

BOOL CDC::MaskBlt(int x, int y, int w, int h, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& mask, int xMask,
                  int yMask, DWORD rop) {
  return ::MaskBlt(m_hDC, x, y, w, h, Src(pSrcDC), xSrc, ySrc, (HBITMAP)mask.m_hObject, xMask, yMask, rop);
}

BOOL CDC::PlgBlt(LPPOINT lpPoint, CDC* pSrcDC, int xSrc, int ySrc, int w, int h, CBitmap& mask, int xMask,
                 int yMask) {
  return ::PlgBlt(m_hDC, lpPoint, Src(pSrcDC), xSrc, ySrc, w, h, (HBITMAP)mask.m_hObject, xMask, yMask);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                         int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent) {
  return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, Src(pSrcDC), xSrc, ySrc, nSrcWidth,
                          nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend) {
  return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, Src(pSrcDC), xSrc, ySrc, nSrcWidth,
                      nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode) {
  return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
COLORREF CDC::SetPixel(POINT point, COLORREF c) { return SetPixel(point.x, point.y, c); }
BOOL CDC::SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }
BOOL CDC::FloodFill(int x, int y, COLORREF c) { return ::FloodFill(m_hDC, x, y, c); }
BOOL CDC::ExtFloodFill(int x, int y, COLORREF c, UINT t) { return ::ExtFloodFill(m_hDC, x, y, c, t); }

// ---------------------------------------------------------------------------------------
// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR s, int n) { return ::TextOut(m_hDC, x, y, s, n); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, (LPCTSTR)str, str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR s, UINT n, LPINT lpDxWidths) {
  return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, s, n, lpDxWidths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
  return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR s, int n, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin) {
  LONG r = ::TabbedTextOut(m_hDC, x, y, s, n, nTabPositions, lpnTabStopPositions, nTabOrigin);
  return CSize((short)LOWORD(r), (short)HIWORD(r));
}
CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin) {
  return TabbedTextOut(x, y, (LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions, nTabOrigin);
}

int CDC::DrawText(LPCTSTR s, int n, LPRECT lpRect, UINT nFormat) {
  return ::DrawText(m_hDC, s, n, lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR s, int n, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams) {
  return ::DrawTextEx(m_hDC, s, n, lpRect, nFormat, lpDTParams);
}
int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams) {
  // DrawTextEx may write into the text only with DT_MODIFYSTRING; work on a copy then.
  CString copy(str);
  int n = copy.GetLength();
  LPTSTR buf = copy.GetBuffer(n + 4);
  int r = DrawTextEx(buf, n, lpRect, nFormat, lpDTParams);
  copy.ReleaseBuffer();
  return r;
}

CSize CDC::GetTextExtent(LPCTSTR s, int n) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(m_hAttribDC, s, n, &size);
  return size;
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent((LPCTSTR)str, str.GetLength()); }

CSize CDC::GetOutputTextExtent(LPCTSTR s, int n) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(m_hDC, s, n, &size);
  return size;
}
CSize CDC::GetOutputTextExtent(const CString& str) const {
  return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR s, int n, int nTabPositions, LPINT lpnTabStopPositions) const {
  DWORD r = ::GetTabbedTextExtent(m_hAttribDC, s, n, nTabPositions, lpnTabStopPositions);
  return CSize(LOWORD(r), HIWORD(r));
}
CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const {
  return GetTabbedTextExtent((LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextExtentExPoint(LPCTSTR s, int n, int nMaxExtent, LPINT lpnFit, LPINT alpDx, LPSIZE lpSize) const {
  return ::GetTextExtentExPoint(m_hAttribDC, s, n, nMaxExtent, lpnFit, alpDx, lpSize);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount,
                     int x, int y, int nWidth, int nHeight) {
  return ::GrayString(m_hDC, (HBRUSH)Obj(pBrush), (GRAYSTRINGPROC)lpfnOutput, lpData, nCount, x, y, nWidth,
                      nHeight);
}

UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT n) { FW_SET_BOTH(::SetTextAlign(m_hDC, n), ::SetTextAlign(m_hAttribDC, n), GDI_ERROR); }
int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hAttribDC, nCount, lpszFacename); }
int CDC::GetTextFace(CString& rString) const {
  TCHAR face[LF_FACESIZE] = {};
  int n = ::GetTextFace(m_hAttribDC, LF_FACESIZE, face);
  rString = face;
  return n;
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }
int CDC::SetTextJustification(int nBreakExtra, int nBreakCount) {
  FW_SET_BOTH(::SetTextJustification(m_hDC, nBreakExtra, nBreakCount),
              ::SetTextJustification(m_hAttribDC, nBreakExtra, nBreakCount), 0);
}
int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }
int CDC::SetTextCharacterExtra(int n) {
  FW_SET_BOTH(::SetTextCharacterExtra(m_hDC, n), ::SetTextCharacterExtra(m_hAttribDC, n), 0x80000000);
}
BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const {
  return ::GetCharWidth32(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}
BOOL CDC::GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const {
  return ::GetCharABCWidths(m_hAttribDC, nFirstChar, nLastChar, lpabc);
}
DWORD CDC::GetFontData(DWORD dwTable, DWORD dwOffset, LPVOID lpData, DWORD cbData) const {
  return ::GetFontData(m_hAttribDC, dwTable, dwOffset, lpData, cbData);
}
DWORD CDC::GetGlyphOutline(UINT nChar, UINT nFormat, LPGLYPHMETRICS lpgm, DWORD cbBuffer, LPVOID lpBuffer,
                           const MAT2* lpmat2) const {
  return ::GetGlyphOutline(m_hAttribDC, nChar, nFormat, lpgm, cbBuffer, lpBuffer, lpmat2);
}
UINT CDC::GetOutlineTextMetrics(UINT cbData, LPOUTLINETEXTMETRIC lpotm) const {
  return ::GetOutlineTextMetrics(m_hAttribDC, cbData, lpotm);
}
DWORD CDC::GetKerningPairs(int nPairs, LPKERNINGPAIR lpkrnpair) const {
  return ::GetKerningPairs(m_hAttribDC, nPairs, lpkrnpair);
}

// ---------------------------------------------------------------------------------------
// Edges and solid fills

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  // ExtTextOut with ETO_OPAQUE fills with the background colour without a brush.
  COLORREF old = ::SetBkColor(m_hDC, clr);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT r = {x, y, x + cx, y + cy};
  FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
  return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

CBrush* PASCAL CDC::GetHalftoneBrush() {
  // Made once per process and kept: drawn with from any thread, never deleted by callers.
  static CBrush* brush = [] {
    WORD rows[8];
    for (int i = 0; i < 8; ++i) rows[i] = (WORD)(0x5555 << (i & 1));
    HBITMAP bmp = ::CreateBitmap(8, 8, 1, 1, rows);
    CBrush* b = new CBrush;
    if (bmp != NULL) {
      b->Attach(::CreatePatternBrush(bmp));
      ::DeleteObject(bmp);
    }
    return b;
  }();
  return brush;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  if (lpRect == NULL) return;
  if (pBrush == NULL) pBrush = GetHalftoneBrush();
  if (pBrushLast == NULL) pBrushLast = pBrush;

  // The frame of a rectangle as a region: the rectangle less its inside.
  auto frame = [](LPCRECT r, SIZE s, CRgn& out) {
    CRect inner(r);
    inner.DeflateRect(s.cx, s.cy);
    inner.IntersectRect(inner, r);
    CRgn in;
    out.CreateRectRgnIndirect(r);
    in.CreateRectRgnIndirect(inner);
    out.CombineRgn(&out, &in, RGN_XOR);
  };

  CRgn rgnNew, rgnLast, rgnUpdate;
  frame(lpRect, size, rgnNew);
  if (lpRectLast != NULL) {
    frame(lpRectLast, sizeLast, rgnLast);
    rgnUpdate.CreateRectRgn(0, 0, 0, 0);
    rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
  }

  CRgn clip;
  clip.CreateRectRgn(0, 0, 0, 0);
  bool hadClip = ::GetClipRgn(m_hDC, (HRGN)clip.m_hObject) == 1;

  CBrush* old = SelectObject(pBrush);
  if (pBrush != pBrushLast && lpRectLast != NULL) {
    // Erase the last frame with its own brush, then draw the new one.
    SelectClipRgn(&rgnLast);
    CRect box;
    GetClipBox(&box);
    SelectObject(pBrushLast);
    PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
    SelectClipRgn(&rgnNew);
    GetClipBox(&box);
    SelectObject(pBrush);
    PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
  } else {
    CRgn* pRgn = lpRectLast != NULL ? &rgnUpdate : &rgnNew;
    SelectClipRgn(pRgn);
    CRect box;
    GetClipBox(&box);
    PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
  }
  if (old != NULL) SelectObject(old);
  SelectClipRgn(hadClip ? &clip : NULL);
}

// ---------------------------------------------------------------------------------------
// Scrolling, paths, printing

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
                   LPRECT lpRectUpdate) {
  return ::ScrollDC(m_hDC, dx, dy, lpRectScroll, lpRectClip, (HRGN)Obj(pRgnUpdate), lpRectUpdate);
}

BOOL CDC::AbortPath() { return ::AbortPath(m_hDC); }
BOOL CDC::BeginPath() { return ::BeginPath(m_hDC); }
BOOL CDC::CloseFigure() { return ::CloseFigure(m_hDC); }
BOOL CDC::EndPath() { return ::EndPath(m_hDC); }
BOOL CDC::FillPath() { return ::FillPath(m_hDC); }
BOOL CDC::FlattenPath() { return ::FlattenPath(m_hDC); }
BOOL CDC::StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
BOOL CDC::StrokePath() { return ::StrokePath(m_hDC); }
BOOL CDC::WidenPath() { return ::WidenPath(m_hDC); }
BOOL CDC::SelectClipPath(int nMode) {
  // The path lives in the output DC; the attribute DC gets the same region.
  if (m_hAttribDC != NULL && m_hAttribDC != m_hDC) {
    HRGN rgn = ::PathToRegion(m_hDC);
    if (rgn == NULL) return FALSE;
    ::ExtSelectClipRgn(m_hAttribDC, rgn, nMode);
    BOOL ok = ::ExtSelectClipRgn(m_hDC, rgn, nMode) != ERROR;
    ::DeleteObject(rgn);
    return ok;
  }
  return ::SelectClipPath(m_hDC, nMode);
}
int CDC::GetPath(LPPOINT lpPoints, LPBYTE lpTypes, int nCount) const {
  return ::GetPath(m_hDC, lpPoints, lpTypes, nCount);
}

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData) {
  return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}
int CDC::ExtEscape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize, LPSTR lpszOutputData) {
  return ::ExtEscape(m_hDC, nEscape, nInputSize, lpszInputData, nOutputSize, lpszOutputData);
}
int CDC::StartDoc(LPDOCINFO lpDocInfo) { return ::StartDoc(m_hDC, lpDocInfo); }
int CDC::StartDoc(LPCTSTR lpszDocName) {
  DOCINFO di = {};
  di.cbSize = sizeof di;
  di.lpszDocName = lpszDocName;
  return StartDoc(&di);
}
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int)) { return ::SetAbortProc(m_hDC, (ABORTPROC)lpfn); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
BOOL CDC::PlayMetaFile(HMETAFILE hMF) { return ::PlayMetaFile(m_hDC, hMF); }
BOOL CDC::PlayMetaFile(HENHMETAFILE hEnhMetaFile, LPCRECT lpBounds) {
  return ::PlayEnhMetaFile(m_hDC, hEnhMetaFile, lpBounds);
}
BOOL CDC::AddMetaFileComment(UINT nDataSize, const BYTE* pCommentData) {
  return ::GdiComment(m_hDC, nDataSize, pCommentData);
}
