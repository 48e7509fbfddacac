// Image strips and image lists: cutting images out, loading lists, drawing images.
#include "UIImages.h"

#include "UIImageBits.h"

#include <framework.h>
#include <ulmora.h>

#include <limits.h>

namespace {

UlmLogger s_log("UIImageStrips");

using uih::MemoryDC;
using uih::OwnedBitmap;
using uih::WindowDC;

// Copies the w x h area at (sx, 0) of the bitmap selected in `from` into a new bitmap
// compatible with the screen.
HBITMAP CopyArea(HDC from, int sx, int w, int h) {
  WindowDC screen(NULL);
  OwnedBitmap bmp(CreateCompatibleBitmap(screen.Get(), w, h));
  MemoryDC to(screen.Get());
  if (!to.Select(bmp.Get()) || !BitBlt(to.Get(), 0, 0, w, h, from, sx, 0, SRCCOPY))
    return NULL;
  return bmp.Release();
}

// A monochrome bitmap of the w x h area at (sx, 0) of the bitmap selected in `from`: white
// pixels become 1 (transparent), all others 0.
HBITMAP MonoMaskOf(HDC from, int sx, int w, int h) {
  OwnedBitmap bmp(CreateBitmap(w, h, 1, 1, NULL));
  MemoryDC to(from);
  if (!to.Select(bmp.Get())) return NULL;
  const COLORREF oldBk = SetBkColor(from, RGB(255, 255, 255));
  const BOOL ok = BitBlt(to.Get(), 0, 0, w, h, from, sx, 0, SRCCOPY);
  SetBkColor(from, oldBk);
  return ok ? bmp.Release() : NULL;
}

// A strip resource with its description and the place of one image in it.
struct Strip {
  OwnedBitmap bitmap;
  BITMAP bm;
  uiimg::StripCell cell;
  // FALSE when the resource cannot be loaded or the image does not lie in it.
  bool Load(UINT id, int index, int width) {
    bitmap.Reset(uiimg::LoadStripBitmap(id));
    return bitmap.Get() != NULL && GetObject(bitmap.Get(), sizeof(bm), &bm) != 0 &&
           uiimg::LocateInStrip(bm.bmWidth, width, index, &cell);
  }
};

}  // namespace

int Extract1Image(UINT stripId, int index, int width, HBITMAP* image, HBITMAP* mask) {
  Strip strip;
  if (image == NULL || mask == NULL || !strip.Load(stripId, index, width)) return FALSE;
  MemoryDC stripDC;
  if (!stripDC.Select(strip.bitmap.Get())) return FALSE;
  OwnedBitmap img(CopyArea(stripDC.Get(), strip.cell.imageX, width, strip.bm.bmHeight));
  OwnedBitmap msk(CopyArea(stripDC.Get(), strip.cell.maskX, width, strip.bm.bmHeight));
  if (img.Get() == NULL || msk.Get() == NULL) return FALSE;
  *image = img.Release();
  *mask = msk.Release();
  return TRUE;
}

int Extract1MaskedImage(UINT stripId, int index, int width, HBITMAP* result, BOOL mapColours) {
  Strip strip;
  if (result == NULL || !strip.Load(stripId, index, width)) return FALSE;
  const int height = strip.bm.bmHeight;
  // The image may take the system colours; its mask keeps the strip's own black and white.
  OwnedBitmap mapped;
  if (mapColours) {
    COLORMAP map[4] = {{RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
                       {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
                       {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
                       {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)}};
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(stripId), RT_BITMAP);
    mapped.Reset(CreateMappedBitmap(module, static_cast<INT_PTR>(stripId), 0, map, 4));
    if (mapped.Get() == NULL) return FALSE;
  }
  WindowDC screen(NULL);
  OwnedBitmap out(CreateCompatibleBitmap(screen.Get(), 2 * width, height));
  MemoryDC outDC(screen.Get()), stripDC(screen.Get()), imageDC(screen.Get());
  if (!outDC.Select(out.Get()) || !stripDC.Select(strip.bitmap.Get())) return FALSE;
  HDC imageSource = stripDC.Get();
  if (mapped.Get() != NULL) {
    if (!imageDC.Select(mapped.Get())) return FALSE;
    imageSource = imageDC.Get();
  }
  if (!BitBlt(outDC.Get(), 0, 0, width, height, imageSource, strip.cell.imageX, 0, SRCCOPY) ||
      !BitBlt(outDC.Get(), width, 0, width, height, stripDC.Get(), strip.cell.maskX, 0, SRCCOPY))
    return FALSE;
  *result = out.Release();
  return TRUE;
}

int LoadMaskedImageList(HIMAGELIST* list, UINT stripId, int imageWidth) {
  Strip strip;
  if (list == NULL || !strip.Load(stripId, 0, imageWidth)) return FALSE;
  // The mask of image 0 starts right after the last image.
  const int halfWidth = strip.cell.maskX, height = strip.bm.bmHeight;
  const int count = halfWidth / imageWidth;
  MemoryDC stripDC;
  if (!stripDC.Select(strip.bitmap.Get())) return FALSE;
  OwnedBitmap images(CopyArea(stripDC.Get(), 0, halfWidth, height));
  OwnedBitmap masks(MonoMaskOf(stripDC.Get(), halfWidth, halfWidth, height));
  if (images.Get() == NULL || masks.Get() == NULL) return FALSE;
  uih::OwnedImageList il(ImageList_Create(imageWidth, height, ILC_COLOR24 | ILC_MASK, count, 1));
  if (!il || ImageList_Add(il.Get(), images.Get(), masks.Get()) < 0 || ImageList_GetImageCount(il.Get()) != count)
    return FALSE;
  *list = il.Release();
  return TRUE;
}

HIMAGELIST CreateToolBarImageList(HBITMAP strip, int cx, int cy, int look) {
  if (strip == NULL || cx <= 0 || cy <= 0) return NULL;
  // Adding with a mask colour blackens the added bitmap's background, so the list is always
  // given a copy: the caller's strip stays as it was.
  OwnedBitmap copy;
  switch (look) {
    case 0: {
      uiimg::Dib32 dib;
      if (dib.CopyOf(strip)) copy.Reset(dib.Release());
      break;
    }
    case 1: copy.Reset(uiimg::CreateDisabledCopy(strip)); break;
    case 2: copy.Reset(CreateShadedBitmap(strip)); break;
    default: return NULL;
  }
  if (copy.Get() == NULL) return NULL;
  uih::OwnedImageList il(ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1));
  if (!il || ImageList_AddMasked(il.Get(), copy.Get(), GetSysColor(COLOR_3DFACE)) < 0) return NULL;
  return il.Release();
}

BOOL DrawImageListInRect(HDC dc, HIMAGELIST list, int index, RECT* rect, DWORD flags) {
  if (dc == NULL || list == NULL || rect == NULL) return FALSE;
  if (index < 0 || index >= ImageList_GetImageCount(list)) return FALSE;
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  if (width <= 0 || height <= 0) return FALSE;
  int imageW = 16, imageH = 15;
  ImageList_GetIconSize(list, &imageW, &imageH);
  if (imageW <= 0 || imageH <= 0) return FALSE;

  // Fit: shrink an axis whose rectangle side is smaller than the image, in whole percent.
  int scaleX = 100, scaleY = 100;
  if (flags & 2) {
    if (width < imageW) scaleX = static_cast<int>((200LL * width + imageW) / (2LL * imageW));
    if (height < imageH) scaleY = static_cast<int>((200LL * height + imageH) / (2LL * imageH));
    if (scaleX < 1) scaleX = 1;
    if (scaleY < 1) scaleY = 1;
  }
  POINT origin = {rect->left, rect->top};
  if (flags & 1) {
    origin.x += (width - imageW * scaleX / 100) / 2;
    origin.y += (height - imageH * scaleY / 100) / 2;
  }

  uih::SavedDC saved(dc);
  if (!saved) return FALSE;
  int x = origin.x, y = origin.y;
  if (scaleX != 100 || scaleY != 100) {
    // One logical unit of the image becomes scale / 100 device pixels, from the origin on.
    LPtoDP(dc, &origin, 1);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, NULL);
    SetViewportExtEx(dc, scaleX, scaleY, NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetViewportOrgEx(dc, origin.x, origin.y, NULL);
    x = y = 0;
  }
  BOOL drawn;
  if (flags & 0x10000) {
    uih::OwnedIcon icon(ImageList_GetIcon(list, index, ILD_NORMAL));
    drawn = icon && DrawState(dc, NULL, NULL, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, 0, 0,
                              DST_ICON | DSS_DISABLED);
  } else {
    drawn = ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
  }
  saved.Restore();
  return drawn ? TRUE : FALSE;
}

int DrawImage(HDC dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode) {
  static const char kSignature[] =
      "int __cdecl DrawImage(struct HDC__ *,struct tagPOINT,struct HBITMAP__ *,unsigned int,unsigned int,int)";
  BITMAP bm;
  if (strip == NULL || GetObject(strip, sizeof(bm), &bm) == 0) {
    const DWORD error = GetLastError();
    wchar_t reason[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, reason,
                   sizeof(reason) / sizeof(reason[0]), NULL);
    ULM_LOG(s_log, UlmLogger::Error, kSignature) << "DrawImage Failed, hBmpToDraw=" << static_cast<const void*>(strip);
    ULM_LOG(s_log, UlmLogger::Error, kSignature) << "DrawImage Failed, Error Code: " << static_cast<unsigned long>(error);
    ULM_LOG(s_log, UlmLogger::Error, kSignature) << "DrawImage Failed, reason: " << reason;
    return 0;
  }
  if (dc == NULL || width == 0 || width > INT_MAX || index > INT_MAX) return 0;
  const int w = static_cast<int>(width), h = bm.bmHeight;
  MemoryDC stripDC(dc);
  if (!stripDC.Select(strip)) return 0;
  if (mode != 1) {
    // An opaque copy needs no mask: any image of the whole strip can be drawn.
    const long long left = static_cast<long long>(index) * w;
    if (left + w > bm.bmWidth) return 0;
    return BitBlt(dc, point.x, point.y, w, h, stripDC.Get(), static_cast<int>(left), 0, SRCCOPY) ? 1 : 0;
  }
  uiimg::StripCell cell;
  if (!uiimg::LocateInStrip(bm.bmWidth, w, static_cast<int>(index), &cell)) return 0;
  OwnedBitmap mask(MonoMaskOf(stripDC.Get(), cell.maskX, w, h));
  MemoryDC maskDC(dc);
  if (!maskDC.Select(mask.Get())) return 0;
  return uiimg::MaskedBlit(dc, point.x, point.y, w, h, stripDC.Get(), cell.imageX, 0, maskDC.Get(), 0, 0) ? 1 : 0;
}

int DrawImage(HDC dc, POINT point, UINT stripId, UINT index, UINT width, int mode) {
  OwnedBitmap strip(uiimg::LoadStripBitmap(stripId));
  if (strip.Get() == NULL) return 0;
  return DrawImage(dc, point, strip.Get(), index, width, mode);
}

namespace {

// Gives the object the new bitmap in place of what it held.
int Give(CBitmap& object, HBITMAP bitmap) {
  object.DeleteObject();
  return object.Attach(bitmap) ? TRUE : FALSE;
}

}  // namespace

int Extract1Image(UINT stripId, int index, int width, CBitmap& image, CBitmap& mask) {
  HBITMAP img = NULL, msk = NULL;
  if (!Extract1Image(stripId, index, width, &img, &msk)) return FALSE;
  return Give(image, img) && Give(mask, msk) ? TRUE : FALSE;
}

int Extract1MaskedImage(UINT stripId, int index, int width, CBitmap& result, BOOL mapColours) {
  HBITMAP bmp = NULL;
  return Extract1MaskedImage(stripId, index, width, &bmp, mapColours) && Give(result, bmp) ? TRUE : FALSE;
}

int LoadMaskedImageList(CImageList& list, UINT stripId, int imageWidth) {
  HIMAGELIST il = NULL;
  if (!LoadMaskedImageList(&il, stripId, imageWidth)) return FALSE;
  list.DeleteImageList();
  return list.Attach(il) ? TRUE : FALSE;
}

BOOL DrawImageListInRect(CDC* dc, CImageList* list, int index, RECT* rect, DWORD flags) {
  return DrawImageListInRect(dc != NULL ? dc->m_hDC : NULL, list != NULL ? list->m_hImageList : NULL, index,
                             rect, flags);
}

int DrawImage(CDC* dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode) {
  return DrawImage(dc != NULL ? dc->m_hDC : NULL, point, strip, index, width, mode);
}

int DrawImage(CDC* dc, POINT point, UINT stripId, UINT index, UINT width, int mode) {
  return DrawImage(dc != NULL ? dc->m_hDC : NULL, point, stripId, index, width, mode);
}
