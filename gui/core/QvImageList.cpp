// Portable image lists: strips of equal images from a bitmap resource, and single images
// picked out of them.
#include "QvImage.h"

#include "GUIPlatformUtilities.h"

#include "UIHandles.h"
#include "UIImages.h"
#include "UITrace.h"

namespace {
UlmLogger s_log("QvImageList");
}  // namespace

BOOL CGUIImageList::GetImageSize(CSize& size) {
  IMAGEINFO info;
  if (m_hImageList == NULL || !ImageList_GetImageInfo(m_hImageList, 0, &info)) return FALSE;
  size.cx = info.rcImage.right - info.rcImage.left;
  size.cy = info.rcImage.bottom - info.rcImage.top;
  return TRUE;
}

QvImageList::QvImageList(unsigned short bitmapId, unsigned short width) : QvRootImageList(bitmapId, width) {
  if (width != kStandardWidth) {
    if (!CreateImageListFromBitmap(&m_list, bitmapId, width)) UI_TRACE_REFUSED(s_log, "strip resource");
    return;
  }
  CBitmap strip;
  if (!strip.LoadBitmap(bitmapId)) {
    UI_TRACE_FAILED(s_log, "LoadBitmap");
    return;
  }
  if (!m_list.Create(16, 15, ILC_COLOR8 | ILC_MASK, 0, 1)) {
    UI_TRACE_FAILED(s_log, "ImageList_Create");
    return;
  }
  if (m_list.Add(&strip, RGB(192, 192, 192)) < 0) UI_TRACE_FAILED(s_log, "ImageList_AddMasked");
}

QvImageList::~QvImageList() { m_list.DeleteImageList(); }

long QvImageList::GetHeight() {
  CSize size(0, 0);
  return m_list.GetImageSize(size) ? size.cy : 0;
}

QvImage* QvImageList::PickImage(unsigned short index, bool pair) {
  const int count = m_list.GetSafeHandle() != NULL ? m_list.GetImageCount() : 0;
  if (index >= count) return nullptr;
  CBitmap strip;
  BITMAP bm;
  if (!strip.LoadBitmap(m_bitmapId) || strip.GetBitmap(&bm) == 0) {
    UI_TRACE_FAILED(s_log, "LoadBitmap");
    return nullptr;
  }
  // Counted in 32 bits: the strip holds 2 x count images (images, then their companions),
  // which for the largest lists does not fit in 16.
  const long w = m_width == kStandardWidth ? bm.bmWidth / count : bm.bmWidth / 2 / count;
  if (w <= 0) {
    UI_TRACE_REFUSED(s_log, "strip narrower than its images");
    return nullptr;
  }
  uih::MemoryDC source(NULL), target(NULL);
  if (source.Get() == NULL || target.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleDC");
    return nullptr;
  }
  uih::OwnedBitmap picked(CreateBitmap(pair ? 2 * w : w, bm.bmHeight, bm.bmPlanes, bm.bmBitsPixel, NULL));
  if (picked.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateBitmap");
    return nullptr;
  }
  {
    uih::Selection s(source.Get(), static_cast<HBITMAP>(strip.GetSafeHandle()));
    uih::Selection t(target.Get(), picked.Get());
    BitBlt(target.Get(), 0, 0, w, bm.bmHeight, source.Get(), static_cast<long>(index) * w, 0, SRCCOPY);
    if (pair)
      BitBlt(target.Get(), w, 0, w, bm.bmHeight, source.Get(), (static_cast<long>(index) + count) * w, 0, SRCCOPY);
  }
  CBitmap* bitmap = new CBitmap;
  bitmap->Attach(picked.Release());
  return new QvImage(bitmap, pair);
}
