// A bitmap drawn in a rectangle in a display mode and state: clipped, stretched or centred,
// a pair image composed over its mask, its disabled look, a highlight frame.
#include "UIBitmapInState.h"

#include "UIHandles.h"
#include "UITrace.h"

#include <vector>

namespace {

UlmLogger s_log("UIBitmapInState");

// Puts the w x h picture of `source` on the destination by the display mode.
void PutByMode(HDC dc, const RECT& r, HDC source, int w, int h, int display) {
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  if (display == QvImageClip)
    BitBlt(dc, r.left, r.top, rw < w ? rw : w, rh < h ? rh : h, source, 0, 0, SRCCOPY);
  else if (display == QvImageStretch)
    StretchBlt(dc, r.left, r.top, rw, rh, source, 0, 0, w, h, SRCCOPY);
  else
    BitBlt(dc, r.left, r.top, w, h, source, 0, 0, SRCCOPY);
}

// The pair image (w wide, its mask at x = w) composed over the destination's background at
// the rectangle's origin, then put by the display mode.
void DrawPairImage(HDC dc, const RECT& r, HDC imageDC, int w, int h, int display) {
  uih::MemoryDC maskDC(dc), inverseDC(dc), backDC(dc), pictureDC(dc);
  uih::OwnedBitmap mask(CreateBitmap(w, h, 1, 1, NULL)), inverse(CreateBitmap(w, h, 1, 1, NULL));
  uih::OwnedBitmap back(CreateCompatibleBitmap(dc, w, h)), picture(CreateCompatibleBitmap(dc, w, h));
  if (!mask || !inverse || !back || !picture || !maskDC.Select(mask.Get()) || !inverseDC.Select(inverse.Get()) ||
      !backDC.Select(back.Get()) || !pictureDC.Select(picture.Get())) {
    UI_TRACE_FAILED(s_log, "CreateBitmap");
    return;
  }
  // White in the mask (transparent) becomes 1.
  const COLORREF oldBack = SetBkColor(imageDC, RGB(255, 255, 255));
  BitBlt(maskDC.Get(), 0, 0, w, h, imageDC, w, 0, SRCCOPY);
  SetBkColor(imageDC, oldBack);
  BitBlt(inverseDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, NOTSRCCOPY);
  // Monochrome sources are widened with black text and white background colours.
  for (HDC d : {backDC.Get(), pictureDC.Get()}) {
    SetTextColor(d, RGB(0, 0, 0));
    SetBkColor(d, RGB(255, 255, 255));
  }
  BitBlt(backDC.Get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  BitBlt(backDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCAND);
  BitBlt(pictureDC.Get(), 0, 0, w, h, imageDC, 0, 0, SRCCOPY);
  BitBlt(pictureDC.Get(), 0, 0, w, h, inverseDC.Get(), 0, 0, SRCAND);
  BitBlt(backDC.Get(), 0, 0, w, h, pictureDC.Get(), 0, 0, SRCPAINT);
  PutByMode(dc, r, backDC.Get(), w, h, display);
}

// The disabled look of a pair image: where image and mask are both dark, the background
// under the image gets a shadow pixel with a highlight pixel to its right (kept inside the
// image's width).
void DrawDisabledPair(HDC dc, int x, int y, HBITMAP bitmap, const BITMAP& bm) {
  const int half = bm.bmWidth / 2, h = bm.bmHeight;
  if (half <= 0 || h <= 0) return;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } mono = {};
  mono.header.biSize = sizeof(BITMAPINFOHEADER);
  mono.header.biWidth = bm.bmWidth;
  mono.header.biHeight = h;
  mono.header.biPlanes = 1;
  mono.header.biBitCount = 1;
  const size_t stride = ((static_cast<size_t>(bm.bmWidth) + 31) / 32) * 4;
  std::vector<BYTE> bits(stride * h);
  uih::WindowDC screen(NULL);
  if (GetDIBits(screen.Get(), bitmap, 0, h, bits.data(), reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS) != h) {
    UI_TRACE_FAILED(s_log, "GetDIBits");
    return;
  }
  // The background under the image, in a 32-bit top-down section worked on in place.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = half;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* raw = NULL;
  uih::OwnedBitmap back(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &raw, NULL, 0));
  uih::MemoryDC backDC(dc);
  if (!back || raw == NULL || !backDC.Select(back.Get())) {
    UI_TRACE_FAILED(s_log, "CreateDIBSection");
    return;
  }
  BitBlt(backDC.Get(), 0, 0, half, h, dc, x, y, SRCCOPY);
  GdiFlush();
  DWORD* pixels = static_cast<DWORD*>(raw);
  auto pixel = [](COLORREF c) { return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c); };
  const DWORD shadow = pixel(GetSysColor(COLOR_BTNSHADOW)), light = pixel(GetSysColor(COLOR_BTNHIGHLIGHT));
  auto bit = [&](int row, int px) { return (bits[row * stride + px / 8] >> (7 - px % 8)) & 1; };
  for (int row = 0; row < h; ++row) {  // the DIB's rows: bottom first
    DWORD* line = pixels + static_cast<size_t>(h - 1 - row) * half;
    for (int px = 0; px < half; ++px) {
      if (bit(row, px) != 0 || bit(row, px + half) != 0) continue;
      line[px] = shadow;
      if (px + 1 < half) line[px + 1] = light;
    }
  }
  BitBlt(dc, x, y, half, h, backDC.Get(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawBitmapInState(CDC* cdc, RECT* rect, HBITMAP bitmap, int display, unsigned int state) {
  BITMAP bm;
  if (cdc == nullptr || rect == nullptr || bitmap == NULL || GetObject(bitmap, sizeof bm, &bm) == 0) return;
  HDC dc = cdc->GetSafeHdc();
  if (state & QvDrawFillFace) FillRect(dc, rect, GetSysColorBrush(COLOR_BTNFACE));
  const int w = (state & QvDrawPair) ? bm.bmWidth / 2 : bm.bmWidth, h = bm.bmHeight;
  RECT r = *rect;
  if (display == QvImageCentre) {
    if (r.right - r.left > w) OffsetRect(&r, (r.right - r.left - w) / 2, 0);
    if (r.bottom - r.top > h) OffsetRect(&r, 0, (r.bottom - r.top - h) / 2);
  }
  if ((state & QvDrawPair) && (state & QvDrawDisabled)) {
    DrawDisabledPair(dc, r.left, r.top, bitmap, bm);
    return;
  }
  uih::MemoryDC imageDC(dc);
  if (!imageDC.Select(bitmap)) {
    UI_TRACE_FAILED(s_log, "SelectObject");
    return;
  }
  if (state & QvDrawPair)
    DrawPairImage(dc, r, imageDC.Get(), w, h, display);
  else
    PutByMode(dc, r, imageDC.Get(), w, h, display);
  if (state & QvDrawHighlight) {
    RECT frame = *rect;
    for (int i = 0; i < 2; ++i) {
      InflateRect(&frame, -1, -1);
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
  }
}
