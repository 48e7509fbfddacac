// CImageList: an image list of the common controls.
//
// A CImageList that created or attached its list owns it and destroys it; FromHandle gives
// a borrowing temporary object (see fw_gdi.h).
#pragma once
#include "fw_gdi.h"
#include "fw_geometry.h"

#include <commctrl.h>

class CDC;
class CWnd;

class FW_API CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override;

  HIMAGELIST m_hImageList = NULL;

  operator HIMAGELIST() const { return m_hImageList; }
  // NULL also when called through a NULL pointer.
  HIMAGELIST GetSafeHandle() const;

  static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
  static void PASCAL DeleteTempMap();
  // Takes ownership. FALSE for NULL or when a list is already held.
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A masked list from a bitmap strip of the module chain; crMask is the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
  // The merge of one image of each list, the second moved by (dx, dy).
  BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy);
  // A copy of another list.
  BOOL Create(CImageList* pImageList);

  int GetImageCount() const;
  BOOL SetImageCount(UINT uNewCount);
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
  BOOL GetIconSize(int* cx, int* cy) const;
  BOOL SetIconSize(int cx, int cy);

  // The index of the first image added, -1 on failure.
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Remove(int nImage);  // -1 removes every image
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  int Replace(int nImage, HICON hIcon);
  HICON ExtractIcon(int nImage);  // the caller destroys the icon
  BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE);
  BOOL Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags = ILCF_MOVE);

  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);
  BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
  BOOL SetOverlayImage(int nImage, int nOverlay);

  BOOL BeginDrag(int nImage, CPoint ptHotSpot);
  static void PASCAL EndDrag();
  static BOOL PASCAL DragMove(CPoint pt);
  BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot);
  static BOOL PASCAL DragShowNolock(BOOL bShow);
  static CImageList* PASCAL GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
  static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL PASCAL DragLeave(CWnd* pWndLock);
};
