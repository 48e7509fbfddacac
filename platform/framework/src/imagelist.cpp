// CImageList and its per-thread temporary map.
#include "fw_imagelist.h"
#include "fw_dc.h"
#include "fw_module.h"
#include "handle_map.h"
#include "fw_wnd.h"

namespace {

fw::HandleMap<CImageList, HIMAGELIST>& ImageListMap() {
  thread_local fw::HandleMap<CImageList, HIMAGELIST>* map = nullptr;
  return fw::ThreadObject(map, &fw::MakeBorrowing<CImageList, HIMAGELIST, &CImageList::m_hImageList>,
                          &fw::ReleaseBorrowing<CImageList, HIMAGELIST, &CImageList::m_hImageList>);
}

HBITMAP Bmp(const CBitmap* p) { return p != NULL ? (HBITMAP)p->m_hObject : NULL; }

}  // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const {
  const CImageList* self = this;
  __asm__("" : "+r"(self));  // keep the NULL test: callers use it through NULL pointers
  return self == NULL ? NULL : self->m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST h) { return ImageListMap().FromHandle(h); }
void PASCAL CImageList::DeleteTempMap() { ImageListMap().DeleteTemp(); }

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == NULL || m_hImageList != NULL) return FALSE;
  m_hImageList = hImageList;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = NULL;
  return h;
}

BOOL CImageList::DeleteImageList() {
  HIMAGELIST h = Detach();
  return h != NULL && ImageList_Destroy(h);
}

namespace {
BOOL AttachOrDestroy(CImageList* self, HIMAGELIST h) {
  if (h == NULL) return FALSE;
  if (!self->Attach(h)) {
    ImageList_Destroy(h);
    return FALSE;
  }
  return TRUE;
}
}  // namespace

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList != NULL) return FALSE;
  return AttachOrDestroy(this, ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  if (m_hImageList != NULL) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
  return AttachOrDestroy(this, ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList& il1, int nImage1, CImageList& il2, int nImage2, int dx, int dy) {
  if (m_hImageList != NULL) return FALSE;
  return AttachOrDestroy(this, ImageList_Merge(il1.m_hImageList, nImage1, il2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList) {
  if (m_hImageList != NULL || pImageList == NULL || pImageList->m_hImageList == NULL) return FALSE;
  return AttachOrDestroy(this, ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
BOOL CImageList::SetImageCount(UINT n) { return m_hImageList && ImageList_SetImageCount(m_hImageList, n); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
  return m_hImageList && pImageInfo && ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const {
  return m_hImageList && ImageList_GetIconSize(m_hImageList, cx, cy);
}
BOOL CImageList::SetIconSize(int cx, int cy) { return m_hImageList && ImageList_SetIconSize(m_hImageList, cx, cy); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  if (m_hImageList == NULL || Bmp(pbmImage) == NULL) return -1;
  return ImageList_Add(m_hImageList, Bmp(pbmImage), Bmp(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  if (m_hImageList == NULL || Bmp(pbmImage) == NULL) return -1;
  return ImageList_AddMasked(m_hImageList, Bmp(pbmImage), crMask);
}

int CImageList::Add(HICON hIcon) {
  if (m_hImageList == NULL || hIcon == NULL) return -1;
  return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage) { return m_hImageList && ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  return m_hImageList && Bmp(pbmImage) && ImageList_Replace(m_hImageList, nImage, Bmp(pbmImage), Bmp(pbmMask));
}

int CImageList::Replace(int nImage, HICON hIcon) {
  if (m_hImageList == NULL || hIcon == NULL) return -1;
  return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

HICON CImageList::ExtractIcon(int nImage) {
  return m_hImageList ? ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL) : NULL;
}

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags) {
  return m_hImageList && ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags) {
  return m_hImageList && pSrc && ImageList_Copy(m_hImageList, iDst, pSrc->m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  if (m_hImageList == NULL || pDC == NULL) return FALSE;
  return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle) {
  if (m_hImageList == NULL || pDC == NULL) return FALSE;
  return ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) {
  if (m_hImageList == NULL || pimldp == NULL) return FALSE;
  pimldp->himl = m_hImageList;
  return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay) {
  return m_hImageList && ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot) {
  return m_hImageList && ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}
void PASCAL CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL PASCAL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot) {
  return m_hImageList && ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}
BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }

CImageList* PASCAL CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot) {
  HIMAGELIST h = ImageList_GetDragImage(lpPoint, lpPointHotSpot);
  return h != NULL ? FromHandle(h) : NULL;
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}
BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
