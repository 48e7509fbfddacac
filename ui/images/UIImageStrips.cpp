// Image strips and image lists: cutting images out, loading lists, drawing images.
#include "UIImages.h"

#include "UIImageBits.h"

#include <framework.h>
#include <ulmora.h>

#include <limits.h>

namespace {

UlmLogger s_log("UIImageStrips");

using uiimg::MemoryDC;
using uiimg::MonoMaskOf;
using uih::OwnedBitmap;
using uiimg::ScreenDC;

// Copies the w x h area at (sx, 0) of the bitmap selected in `from` into a new bitmap
// compatible with the screen.
HBITMAP CopyArea(HDC from, int sx, int w, int h) {
  ScreenDC screen;
  OwnedBitmap bmp(CreateCompatibleBitmap(screen.Get(), w, h));
  if (bmp.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return NULL;
  }
  MemoryDC to(screen.Get());
  if (!to.Select(bmp.Get())) return NULL;
  if (!BitBlt(to.Get(), 0, 0, w, h, from, sx, 0, SRCCOPY)) {
    UI_TRACE_FAILED(s_log, "BitBlt");
    return NULL;
  }
  return bmp.Release();
}

// A strip resource with its description and the place of one image in it.
struct Strip {
  OwnedBitmap bitmap;
  BITMAP bm;
  uiimg::StripCell cell;
  // FALSE when the resource cannot be loaded or the image does not lie in it.
  bool Load(UINT id, int index, int width) {
    bitmap.Reset(uiimg::LoadStripBitmap(id));
    if (bitmap.Get() == NULL) return false;
    if (GetObject(bitmap.Get(), sizeof(bm), &bm) == 0) {
      UI_TRACE_FAILED(s_log, "GetObject");
      return false;
    }
    return uiimg::LocateInStrip(bm.bmWidth, width, index, &cell);
  }
};

}  // namespace

HBITMAP uiimg::CutMaskedImage(HBITMAP strip, int index, int width) {
  BITMAP bm;
  if (strip == NULL || GetObject(strip, sizeof(bm), &bm) == 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return NULL;
  }
  StripCell cell;
  if (!LocateInStrip(bm.bmWidth, width, index, &cell)) return NULL;
  ScreenDC screen;
  OwnedBitmap out(CreateCompatibleBitmap(screen.Get(), 2 * width, bm.bmHeight));
  if (out.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return NULL;
  }
  MemoryDC outDC(screen.Get()), stripDC(screen.Get());
  if (!outDC.Select(out.Get()) || !stripDC.Select(strip)) return NULL;
  if (!BitBlt(outDC.Get(), 0, 0, width, bm.bmHeight, stripDC.Get(), cell.imageX, 0, SRCCOPY) ||
      !BitBlt(outDC.Get(), width, 0, width, bm.bmHeight, stripDC.Get(), cell.maskX, 0, SRCCOPY)) {
    UI_TRACE_FAILED(s_log, "BitBlt");
    return NULL;
  }
  return out.Release();
}

bool uiimg::SplitStripImage(HBITMAP strip, int index, int width, HBITMAP* image, HBITMAP* mask) {
  ASSERT(image != NULL && mask != NULL);
  BITMAP bm;
  if (strip == NULL || GetObject(strip, sizeof(bm), &bm) == 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return false;
  }
  StripCell cell;
  if (!LocateInStrip(bm.bmWidth, width, index, &cell)) return false;
  MemoryDC stripDC;
  if (!stripDC.Select(strip)) return false;
  OwnedBitmap img(CopyArea(stripDC.Get(), cell.imageX, width, bm.bmHeight));
  OwnedBitmap msk(CopyArea(stripDC.Get(), cell.maskX, width, bm.bmHeight));
  if (img.Get() == NULL || msk.Get() == NULL) return false;
  *image = img.Release();
  *mask = msk.Release();
  return true;
}

int Extract1Image(UINT stripId, int index, int width, HBITMAP* image, HBITMAP* mask) {
  if (image == NULL || mask == NULL) {
    UI_TRACE_REFUSED(s_log, "no place for the image or the mask");
    return FALSE;
  }
  OwnedBitmap strip(uiimg::LoadStripBitmap(stripId));
  return strip.Get() != NULL && uiimg::SplitStripImage(strip.Get(), index, width, image, mask) ? TRUE : FALSE;
}

int Extract1MaskedImage(UINT stripId, int index, int width, HBITMAP* result, BOOL mapColours) {
  if (result == NULL) {
    UI_TRACE_REFUSED(s_log, "no place for the result");
    return FALSE;
  }
  Strip strip;
  if (!strip.Load(stripId, index, width)) return FALSE;
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
    if (mapped.Get() == NULL) {
      UI_TRACE_FAILED(s_log, "CreateMappedBitmap");
      return FALSE;
    }
  }
  ScreenDC screen;
  OwnedBitmap out(CreateCompatibleBitmap(screen.Get(), 2 * width, height));
  if (out.Get() == NULL) {
    UI_TRACE_FAILED(s_log, "CreateCompatibleBitmap");
    return FALSE;
  }
  MemoryDC outDC(screen.Get()), stripDC(screen.Get()), imageDC(screen.Get());
  if (!outDC.Select(out.Get()) || !stripDC.Select(strip.bitmap.Get())) return FALSE;
  HDC imageSource = stripDC.Get();
  if (mapped.Get() != NULL) {
    if (!imageDC.Select(mapped.Get())) return FALSE;
    imageSource = imageDC.Get();
  }
  if (!BitBlt(outDC.Get(), 0, 0, width, height, imageSource, strip.cell.imageX, 0, SRCCOPY) ||
      !BitBlt(outDC.Get(), width, 0, width, height, stripDC.Get(), strip.cell.maskX, 0, SRCCOPY)) {
    UI_TRACE_FAILED(s_log, "BitBlt");
    return FALSE;
  }
  *result = out.Release();
  return TRUE;
}

int LoadMaskedImageList(HIMAGELIST* list, UINT stripId, int imageWidth) {
  if (list == NULL) {
    UI_TRACE_REFUSED(s_log, "no place for the list");
    return FALSE;
  }
  Strip strip;
  if (!strip.Load(stripId, 0, imageWidth)) return FALSE;
  // The mask of image 0 starts right after the last image.
  const int halfWidth = strip.cell.maskX, height = strip.bm.bmHeight;
  const int count = halfWidth / imageWidth;
  MemoryDC stripDC;
  if (!stripDC.Select(strip.bitmap.Get())) return FALSE;
  OwnedBitmap images(CopyArea(stripDC.Get(), 0, halfWidth, height));
  OwnedBitmap masks(MonoMaskOf(stripDC.Get(), halfWidth, halfWidth, height));
  if (images.Get() == NULL || masks.Get() == NULL) return FALSE;
  uih::OwnedImageList il(ImageList_Create(imageWidth, height, ILC_COLOR24 | ILC_MASK, count, 1));
  if (!il) {
    UI_TRACE_FAILED(s_log, "ImageList_Create");
    return FALSE;
  }
  if (ImageList_Add(il.Get(), images.Get(), masks.Get()) < 0 || ImageList_GetImageCount(il.Get()) != count) {
    UI_TRACE_FAILED(s_log, "ImageList_Add");
    return FALSE;
  }
  *list = il.Release();
  return TRUE;
}

HIMAGELIST CreateToolBarImageList(HBITMAP strip, int cx, int cy, int look) {
  if (strip == NULL || cx <= 0 || cy <= 0) {
    UI_TRACE_REFUSED(s_log, strip == NULL ? "no strip" : "empty image size");
    return NULL;
  }
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
    default:
      UI_TRACE_REFUSED(s_log, "unknown look");
      return NULL;
  }
  if (copy.Get() == NULL) return NULL;  // traced by the copy
  uih::OwnedImageList il(ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1));
  if (!il) {
    UI_TRACE_FAILED(s_log, "ImageList_Create");
    return NULL;
  }
  if (ImageList_AddMasked(il.Get(), copy.Get(), GetSysColor(COLOR_3DFACE)) < 0) {
    UI_TRACE_FAILED(s_log, "ImageList_AddMasked");
    return NULL;
  }
  return il.Release();
}

BOOL DrawImageListInRect(HDC dc, HIMAGELIST list, int index, RECT* rect, DWORD flags) {
  if (dc == NULL || list == NULL || rect == NULL) {
    UI_TRACE_REFUSED(s_log, dc == NULL ? "no DC" : list == NULL ? "no list" : "no rectangle");
    return FALSE;
  }
  if (index < 0 || index >= ImageList_GetImageCount(list)) {
    UI_TRACE_REFUSED(s_log, "no such image");
    return FALSE;
  }
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  int imageW = 16, imageH = 15;
  ImageList_GetIconSize(list, &imageW, &imageH);
  if (width <= 0 || height <= 0 || imageW <= 0 || imageH <= 0) {
    UI_TRACE_REFUSED(s_log, "empty rectangle or image");
    return FALSE;
  }

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
  if (!saved) {
    UI_TRACE_FAILED(s_log, "SaveDC");
    return FALSE;
  }
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
    if (!drawn) UI_TRACE_FAILED(s_log, !icon ? "ImageList_GetIcon" : "DrawState");
  } else {
    drawn = ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
    if (!drawn) UI_TRACE_FAILED(s_log, "ImageList_Draw");
  }
  if (!saved.Restore()) UI_TRACE_FAILED(s_log, "RestoreDC");  // the caller's mapping may be left changed
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
  if (dc == NULL || width == 0 || width > INT_MAX || index > INT_MAX) {
    UI_TRACE_REFUSED(s_log, dc == NULL ? "no DC" : "image width or index out of range");
    return 0;
  }
  return uiimg::DrawStripImage(dc, point, strip, index, width, mode, SRCCOPY);
}

int uiimg::DrawStripImage(HDC dc, POINT point, HBITMAP strip, UINT index, UINT width, int mode, DWORD rop) {
  BITMAP bm;
  if (strip == NULL || GetObject(strip, sizeof(bm), &bm) == 0) {
    UI_TRACE_REFUSED(s_log, "not a bitmap");
    return 0;
  }
  if (dc == NULL || width == 0 || width > INT_MAX || index > INT_MAX) {
    UI_TRACE_REFUSED(s_log, dc == NULL ? "no DC" : "image width or index out of range");
    return 0;
  }
  const int w = static_cast<int>(width), h = bm.bmHeight;
  MemoryDC stripDC(dc);
  if (!stripDC.Select(strip)) return 0;
  if (mode != 1) {
    // An opaque copy needs no mask: any image of the whole strip can be drawn.
    const long long left = static_cast<long long>(index) * w;
    if (left + w > bm.bmWidth) {
      UI_TRACE_REFUSED(s_log, "image index past the strip");
      return 0;
    }
    if (!BitBlt(dc, point.x, point.y, w, h, stripDC.Get(), static_cast<int>(left), 0, rop)) {
      UI_TRACE_FAILED(s_log, "BitBlt");
      return 0;
    }
    return 1;
  }
  uiimg::StripCell cell;
  if (!uiimg::LocateInStrip(bm.bmWidth, w, static_cast<int>(index), &cell)) return 0;
  OwnedBitmap mask(MonoMaskOf(stripDC.Get(), cell.maskX, w, h));
  if (mask.Get() == NULL) return 0;
  MemoryDC maskDC(dc);
  if (!maskDC.Select(mask.Get())) return 0;
  return uiimg::MaskedBlit(dc, point.x, point.y, w, h, stripDC.Get(), cell.imageX, 0, maskDC.Get(), 0, 0, rop) ? 1 : 0;
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
