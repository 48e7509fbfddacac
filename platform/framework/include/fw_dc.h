// Device contexts: CDC with its output and attribute DCs, and CPaintDC, CClientDC, CWindowDC.
//
// A CDC carries two handles: m_hDC receives the output, m_hAttribDC answers the queries
// (text metrics, extents, mapping). Both are the same DC except in DCs that draw into one
// device while measuring on another (metafiles, print preview). Setters that change state
// apply to both. A CDC made by CreateDC/CreateCompatibleDC or Attach owns its DC and deletes
// it; FromHandle gives a borrowing temporary object (see fw_gdi.h).
#pragma once
#include "fw_gdi.h"
#include "fw_geometry.h"
#include "fw_string.h"

class CWnd;

class FW_API CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  CDC() = default;
  ~CDC() override;

  HDC m_hDC = NULL;        // output
  HDC m_hAttribDC = NULL;  // queries
  BOOL m_bPrinting = FALSE;

  operator HDC() const { return m_hDC; }
  // NULL also when called through a NULL pointer.
  HDC GetSafeHdc() const;
  CWnd* GetWindow() const;

  static CDC* PASCAL FromHandle(HDC hDC);
  static void PASCAL DeleteTempMap();
  // Takes ownership of hDC (both roles). FALSE for NULL or when a DC is already held.
  BOOL Attach(HDC hDC);
  // Gives up both handles without deleting; returns the output DC.
  HDC Detach();
  // Deletes an owned DC.
  BOOL DeleteDC();

  virtual void SetAttribDC(HDC hDC);
  virtual void SetOutputDC(HDC hDC);
  virtual void ReleaseAttribDC();
  virtual void ReleaseOutputDC();

  BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData);
  BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData);
  // A memory DC compatible with pDC (the screen when NULL).
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL IsPrinting() const { return m_bPrinting; }
  BOOL ResetDC(const DEVMODE* lpDevMode);

  virtual int SaveDC();
  virtual BOOL RestoreDC(int nSavedDC);
  int GetDeviceCaps(int nIndex) const;
  UINT SetBoundsRect(LPCRECT lpRectBounds, UINT flags);
  UINT GetBoundsRect(LPRECT lpRectBounds, UINT flags);

  // Drawing tools. The Select functions return the object that was selected before as a
  // (possibly temporary) object, NULL on failure.
  CPoint GetBrushOrg() const;
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point);
  virtual CGdiObject* SelectStockObject(int nIndex);
  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  virtual CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap);
  int SelectObject(CRgn* pRgn);  // region type, ERROR on failure
  CGdiObject* SelectGdiObject(HGDIOBJ hObject);
  HGDIOBJ SelectObject(HGDIOBJ hObject);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CPalette* GetCurrentPalette() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  // Colours and modes.
  COLORREF GetNearestColor(COLORREF crColor) const;
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  UINT RealizePalette();
  COLORREF GetBkColor() const;
  int GetBkMode() const;
  int GetPolyFillMode() const;
  int GetROP2() const;
  int GetStretchBltMode() const;
  COLORREF GetTextColor() const;
  virtual COLORREF SetBkColor(COLORREF crColor);
  int SetBkMode(int nBkMode);
  int SetPolyFillMode(int nPolyFillMode);
  int SetROP2(int nDrawMode);
  int SetStretchBltMode(int nStretchMode);
  virtual COLORREF SetTextColor(COLORREF crColor);
  int GetGraphicsMode() const;
  int SetGraphicsMode(int iMode);
  BOOL SetWorldTransform(const XFORM* pXform);
  BOOL ModifyWorldTransform(const XFORM* pXform, DWORD iMode);
  BOOL GetWorldTransform(XFORM* pXform) const;
  DWORD SetLayout(DWORD dwLayout);
  DWORD GetLayout() const;

  // Mapping.
  int GetMapMode() const;
  CPoint GetViewportOrg() const;
  virtual int SetMapMode(int nMapMode);
  virtual CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point);
  virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
  CSize GetViewportExt() const;
  virtual CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size);
  virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point);
  CPoint OffsetWindowOrg(int nWidth, int nHeight);
  CSize GetWindowExt() const;
  virtual CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size);
  virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);

  // Coordinates, through the attribute DC.
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
  void DPtoLP(LPRECT lpRect) const;
  void DPtoLP(LPSIZE lpSize) const;
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
  void LPtoDP(LPRECT lpRect) const;
  void LPtoDP(LPSIZE lpSize) const;
  void DPtoHIMETRIC(LPSIZE lpSize) const;
  void LPtoHIMETRIC(LPSIZE lpSize) const;
  void HIMETRICtoDP(LPSIZE lpSize) const;
  void HIMETRICtoLP(LPSIZE lpSize) const;

  // Regions and clipping.
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
  BOOL InvertRgn(CRgn* pRgn);
  BOOL PaintRgn(CRgn* pRgn);
  virtual int GetClipBox(LPRECT lpRect) const;
  int GetClipRgn(CRgn* pRgn);
  virtual BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const;
  virtual BOOL RectVisible(LPCRECT lpRect) const;
  // NULL removes the clipping region.
  virtual int SelectClipRgn(CRgn* pRgn);
  int SelectClipRgn(CRgn* pRgn, int nMode);
  virtual int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT lpRect);
  int ExcludeUpdateRgn(CWnd* pWnd);
  virtual int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  virtual int OffsetClipRgn(int x, int y);
  int OffsetClipRgn(SIZE size);

  // Lines and curves.
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point);
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point);
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle);
  int GetArcDirection() const;
  int SetArcDirection(int nArcDirection);
  BOOL Polyline(const POINT* lpPoints, int nCount);
  BOOL PolylineTo(const POINT* lpPoints, int nCount);
  BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount);
  BOOL PolyBezier(const POINT* lpPoints, int nCount);
  BOOL PolyBezierTo(const POINT* lpPoints, int nCount);

  // Simple fills.
  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FrameRect(LPCRECT lpRect, CBrush* pBrush);
  void InvertRect(LPCRECT lpRect);
  BOOL DrawIcon(int x, int y, HICON hIcon);
  BOOL DrawIcon(POINT point, HICON hIcon);
  BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush);
  BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
                 int nTextLen = 0, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                 int nTextLen, CBrush* pBrush);
  BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                 HBRUSH hBrush = NULL);

  // Ellipses and polygons.
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  void DrawFocusRect(LPCRECT lpRect);
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT lpRect);
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Polygon(const POINT* lpPoints, int nCount);
  BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount);
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT lpRect);
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL RoundRect(LPCRECT lpRect, POINT point);

  // Bitmaps.
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, DWORD dwRop);
  BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
               CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop);
  BOOL PlgBlt(LPPOINT lpPoint, CDC* pSrcDC, int xSrc, int ySrc, int nWidth, int nHeight,
              CBitmap& maskBitmap, int xMask, int yMask);
  BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                      int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent);
  BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                  int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
  BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const;
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor);
  BOOL SetPixelV(int x, int y, COLORREF crColor);
  BOOL FloodFill(int x, int y, COLORREF crColor);
  BOOL ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType);

  // Text.
  virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);
  virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                          UINT nCount, LPINT lpDxWidths);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
  virtual CSize TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                              LPINT lpnTabStopPositions, int nTabOrigin);
  CSize TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions,
                      int nTabOrigin);
  // lpRect receives the computed rectangle with DT_CALCRECT.
  virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
  virtual int DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                         LPDRAWTEXTPARAMS lpDTParams);
  int DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams);
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;
  CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetOutputTextExtent(const CString& str) const;
  CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const;
  CSize GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const;
  BOOL GetTextExtentExPoint(LPCTSTR lpszString, int nCount, int nMaxExtent, LPINT lpnFit,
                            LPINT alpDx, LPSIZE lpSize) const;
  virtual BOOL GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                          int nCount, int x, int y, int nWidth, int nHeight);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT nFlags);
  int GetTextFace(int nCount, LPTSTR lpszFacename) const;
  int GetTextFace(CString& rString) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
  BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const;
  int SetTextJustification(int nBreakExtra, int nBreakCount);
  int GetTextCharacterExtra() const;
  int SetTextCharacterExtra(int nCharExtra);
  BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const;
  BOOL GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const;
  DWORD GetFontData(DWORD dwTable, DWORD dwOffset, LPVOID lpData, DWORD cbData) const;
  DWORD GetGlyphOutline(UINT nChar, UINT nFormat, LPGLYPHMETRICS lpgm, DWORD cbBuffer,
                        LPVOID lpBuffer, const MAT2* lpmat2) const;
  UINT GetOutlineTextMetrics(UINT cbData, LPOUTLINETEXTMETRIC lpotm) const;
  DWORD GetKerningPairs(int nPairs, LPKERNINGPAIR lpkrnpair) const;

  // Three-dimensional edges and solid fills.
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
  // Fills with a solid colour; the background colour is left as it was.
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  // The outline of a dragged rectangle: draws lpRect's frame (size thick) and erases the
  // part of lpRectLast's frame that the new one does not cover; no erase when lpRectLast
  // is NULL. pBrush defaults to the halftone brush.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast,
                    CBrush* pBrush = NULL, CBrush* pBrushLast = NULL);
  // The 50% grey pattern brush shared by the framework (never delete it).
  static CBrush* PASCAL GetHalftoneBrush();

  // Scrolling, paths, printing.
  BOOL ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
                LPRECT lpRectUpdate);
  BOOL AbortPath();
  BOOL BeginPath();
  BOOL CloseFigure();
  BOOL EndPath();
  BOOL FillPath();
  BOOL FlattenPath();
  BOOL StrokeAndFillPath();
  BOOL StrokePath();
  BOOL WidenPath();
  BOOL SelectClipPath(int nMode);
  int GetPath(LPPOINT lpPoints, LPBYTE lpTypes, int nCount) const;
  virtual int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData);
  int ExtEscape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize, LPSTR lpszOutputData);
  int StartDoc(LPDOCINFO lpDocInfo);
  int StartDoc(LPCTSTR lpszDocName);
  int StartPage();
  int EndPage();
  int SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int));
  int AbortDoc();
  int EndDoc();
  BOOL PlayMetaFile(HMETAFILE hMF);
  BOOL PlayMetaFile(HENHMETAFILE hEnhMetaFile, LPCRECT lpBounds);
  BOOL AddMetaFileComment(UINT nDataSize, const BYTE* pCommentData);
};

// BeginPaint/EndPaint for the window's WM_PAINT.
class FW_API CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;
 protected:
  HWND m_hWnd;
};

// GetDC/ReleaseDC of the window's client area (the screen for NULL).
class FW_API CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;
 protected:
  HWND m_hWnd;
};

// GetWindowDC/ReleaseDC of the whole window (the screen for NULL).
class FW_API CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;
 protected:
  HWND m_hWnd;
};
