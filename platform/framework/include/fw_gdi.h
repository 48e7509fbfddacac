// GDI object wrappers: CGdiObject and its kinds CPen, CBrush, CFont, CBitmap, CRgn, CPalette.
//
// Ownership: an object that created its handle (Create..., Load..., the value constructors)
// or took one with Attach owns it and deletes it in DeleteObject and in its destructor.
// FromHandle gives a borrowing temporary object of the calling thread for a handle that is
// someone else's; it never deletes the handle and lives until the thread's temporary objects
// are cleaned (idle time, or FwDeleteTempMaps). Temporary objects are of the class that
// matches the handle's GDI type, so CPen::FromHandle of a pen is a real CPen.
#pragma once
#include "fw_object.h"

#include <commctrl.h>

class CDC;

// Deletes this thread's temporary framework objects (GDI objects, DCs, menus, image lists).
FW_API void AFXAPI FwDeleteTempMaps();

class FW_API CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  CGdiObject() = default;
  ~CGdiObject() override;

  HGDIOBJ m_hObject = NULL;

  operator HGDIOBJ() const { return m_hObject; }
  // NULL also when called through a NULL pointer.
  HGDIOBJ GetSafeHandle() const;

  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
  static void PASCAL DeleteTempMap();

  // Takes ownership of hObject. Fails (FALSE, nothing changed) for NULL or when the object
  // already holds a handle: the caller keeps hObject then.
  BOOL Attach(HGDIOBJ hObject);
  // Gives up ownership without deleting; returns the handle.
  HGDIOBJ Detach();
  // Deletes the owned handle; FALSE when there was none or GDI refused.
  BOOL DeleteObject();

  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject();

  BOOL operator==(const CGdiObject& obj) const { return m_hObject == obj.m_hObject; }
  BOOL operator!=(const CGdiObject& obj) const { return m_hObject != obj.m_hObject; }

 protected:
  // Owns a handle just made; when the object already holds one, h is deleted and the
  // result is FALSE (Create... never replaces or leaks).
  BOOL AttachNew(HGDIOBJ h);
};

class FW_API CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  CPen() = default;
  // Throws CResourceException when the pen cannot be made.
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
       const DWORD* lpStyle = NULL);

  static CPen* PASCAL FromHandle(HPEN hPen) { return (CPen*)CGdiObject::FromHandle(hPen); }
  operator HPEN() const { return (HPEN)m_hObject; }

  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = NULL);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  int GetLogPen(LOGPEN* pLogPen) const;
  int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};

class CBitmap;

class FW_API CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush() = default;
  // The value constructors throw CResourceException when the brush cannot be made.
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(CBitmap* pBitmap);

  static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return (CBrush*)CGdiObject::FromHandle(hBrush); }
  operator HBRUSH() const { return (HBRUSH)m_hObject; }

  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  BOOL CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage);
  BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage);
  BOOL CreateSysColorBrush(int nIndex);
  int GetLogBrush(LOGBRUSH* pLogBrush) const;
};

class FW_API CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  CFont() = default;

  static CFont* PASCAL FromHandle(HFONT hFont) { return (CFont*)CGdiObject::FromHandle(hFont); }
  operator HFONT() const { return (HFONT)m_hObject; }

  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                  BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                  BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                  BYTE nPitchAndFamily, LPCTSTR lpszFacename);
  // nPointSize in tenths of a point, converted with the DC's vertical resolution (the
  // screen's when pDC is NULL).
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
  // lfHeight in tenths of a point.
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
  int GetLogFont(LOGFONT* pLogFont) const;
};

class FW_API CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  CBitmap() = default;

  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) {
    return (CBitmap*)CGdiObject::FromHandle(hBitmap);
  }
  operator HBITMAP() const { return (HBITMAP)m_hObject; }

  // From the module chain (AfxFindResourceHandle with RT_BITMAP).
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadOEMBitmap(UINT nIDBitmap);
  BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = NULL,
                        int nMapSize = 0);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);

  int GetBitmap(BITMAP* pBitMap) const;
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  SIZE SetBitmapDimension(int nWidth, int nHeight);
  SIZE GetBitmapDimension() const;
};

class FW_API CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
 public:
  CPalette() = default;

  static CPalette* PASCAL FromHandle(HPALETTE hPalette) {
    return (CPalette*)CGdiObject::FromHandle(hPalette);
  }
  operator HPALETTE() const { return (HPALETTE)m_hObject; }

  BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
  BOOL CreateHalftonePalette(CDC* pDC);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
  void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
  UINT GetNearestPaletteIndex(COLORREF crColor) const;
  BOOL ResizePalette(UINT nNumEntries);
};

class FW_API CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
 public:
  CRgn() = default;

  static CRgn* PASCAL FromHandle(HRGN hRgn) { return (CRgn*)CGdiObject::FromHandle(hRgn); }
  operator HRGN() const { return (HRGN)m_hObject; }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
  BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL CreateFromPath(CDC* pDC);
  BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData);

  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT lpRect);
  // The region of this object becomes the combination; it must already exist.
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
  int CopyRgn(const CRgn* pRgnSrc);
  BOOL EqualRgn(const CRgn* pRgn) const;
  int OffsetRgn(int x, int y);
  int OffsetRgn(POINT point);
  int GetRgnBox(LPRECT lpRect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const;
  BOOL RectInRegion(LPCRECT lpRect) const;
  int GetRegionData(LPRGNDATA lpRgnData, int nCount) const;
};
