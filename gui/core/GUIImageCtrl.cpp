// The image control window and the drawing of images in their display modes and states.
#include "GUIImageCtrl.h"

#include "GUIControlProcs.h"
#include "UIHandles.h"
#include "UITrace.h"

#include <commctrl.h>

#include <new>
#include <vector>

namespace {

UlmLogger s_log("GUIImageCtrl");

// --- drawing -----------------------------------------------------------------------------

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

// --- the window --------------------------------------------------------------------------

struct ImageCtrlState {
  unsigned short flags = 0;
  int display = 0;
  int relief = 0;
  QvImage* image = nullptr;
  HFONT font = NULL;
  bool redraw = true;
};

ImageCtrlState* StateOf(HWND hwnd) { return reinterpret_cast<ImageCtrlState*>(GetWindowLongPtr(hwnd, 0)); }

void Refresh(HWND hwnd, const ImageCtrlState& s) {
  if (s.redraw) InvalidateRect(hwnd, NULL, TRUE);
}

// Sizes the window to the image (QvImageFit), plus `extra` in each direction.
void FitToImage(HWND hwnd, const ImageCtrlState& s, int extra) {
  if (s.display != QvImageFit || s.image == nullptr) return;
  SetWindowPos(hwnd, NULL, 0, 0, s.image->GetWidth() + extra, s.image->GetHeight() + extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sends the parent WM_NOTIFY with the code; false when the control was destroyed meanwhile.
bool Notify(HWND hwnd, int code) {
  NMHDR nm;
  nm.hwndFrom = hwnd;
  nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  nm.code = static_cast<UINT>(code);
  HWND parent = GetParent(hwnd);
  if (parent != NULL) SendMessage(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
  return IsWindow(hwnd) != FALSE;
}

void CheckState(HWND hwnd, ImageCtrlState& s, bool on, bool notify) {
  if (!(s.flags & QIMF_CHECKMODE)) return;
  s.flags = static_cast<unsigned short>(on ? s.flags | QIMF_CHECKED : s.flags & ~QIMF_CHECKED);
  if (notify && !Notify(hwnd, QIMN_CHECKCHANGED)) return;
  Refresh(hwnd, s);
}

void Click(HWND hwnd, int code) {
  if (!Notify(hwnd, code)) return;
  ImageCtrlState* s = StateOf(hwnd);
  if (s != nullptr && (s->flags & QIMF_CHECKMODE)) CheckState(hwnd, *s, !(s->flags & QIMF_CHECKED), true);
}

void Paint(HWND hwnd, HDC dc, const ImageCtrlState& s) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  uih::SavedDC saved(dc);
  unsigned int flags = s.flags;
  if (s.relief == 0) {
    IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
  } else {
    UINT edge = s.relief == 1 ? EDGE_RAISED : EDGE_SUNKEN;
    int offset = 0;
    if (!(flags & QIMF_FLAT)) {
      if ((flags & QIMF_CHECKMODE) && (flags & QIMF_CHECKED)) {
        edge = edge == EDGE_RAISED ? EDGE_SUNKEN : EDGE_RAISED;
        flags &= ~QIMF_CHECKED;
      }
      if ((flags & QIMF_PAIR) && (s.display == QvImageFit || s.display == QvImageCentre) && edge == EDGE_SUNKEN)
        offset = 1;
    }
    DrawEdge(dc, &rc, edge, BF_RECT);
    InflateRect(&rc, -2, -2);
    IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    OffsetRect(&rc, offset, offset);
  }
  DrawImageInState(CDC::FromHandle(dc), &rc, s.image, s.display, flags | QvDrawFillFace);
}

LRESULT Handle(HWND hwnd, ImageCtrlState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case QIM_SETIMAGE: {
      s.image = reinterpret_cast<QvImage*>(lp);
      s.display = static_cast<int>(wp);
      const bool pair = s.image != nullptr && s.image->IsPair();
      s.flags = static_cast<unsigned short>(pair ? s.flags | QIMF_PAIR : s.flags & ~QIMF_PAIR);
      FitToImage(hwnd, s, (s.relief != 0 ? 4 : 0) + (pair ? 1 : 0));
      CWnd::ModifyStyle(hwnd, 0x7, 0xE, SWP_NOZORDER | SWP_NOMOVE);
      Refresh(hwnd, s);
      return TRUE;
    }
    case QIM_SETRELIEF:
      s.flags = static_cast<unsigned short>(lp ? s.flags | QIMF_FLAT : s.flags & ~QIMF_FLAT);
      if (s.relief != static_cast<int>(wp)) {
        s.relief = static_cast<int>(wp);
        FitToImage(hwnd, s, s.relief != 0 ? 4 : 0);
      }
      Refresh(hwnd, s);
      return 0;
    case QIM_SETCHECKMODE:
      s.flags = static_cast<unsigned short>(wp ? s.flags | QIMF_CHECKMODE : s.flags & ~QIMF_CHECKMODE);
      return 0;
    case QIM_CHECK:
      CheckState(hwnd, s, wp != 0, lp != 0);
      return 0;
    case QIM_GETFLAGS:
      return s.flags;
    case QIM_GETIMAGE:
      return reinterpret_cast<LRESULT>(s.image);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc != NULL) Paint(hwnd, dc, s);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (wp != 0) Paint(hwnd, reinterpret_cast<HDC>(wp), s);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the client area
    case WM_LBUTTONDOWN:
      Click(hwnd, NM_CLICK);
      return 0;
    case WM_LBUTTONDBLCLK:
      Click(hwnd, NM_DBLCLK);
      return 0;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) Refresh(hwnd, s);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s.font);
    case WM_SETREDRAW:
      s.redraw = wp != 0;
      if (s.redraw) InvalidateRect(hwnd, NULL, TRUE);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

LRESULT CALLBACK ImageCtrlWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    ImageCtrlState* s = new (std::nothrow) ImageCtrlState;
    if (s == nullptr) return FALSE;  // no window without its state
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  ImageCtrlState* s = StateOf(hwnd);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtr(hwnd, 0, 0);
    delete s;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (s == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  return Handle(hwnd, *s, msg, wp, lp);
}

void DrawImageInState(CDC* cdc, RECT* rect, QvImage* image, int display, unsigned int state) {
  if (cdc == nullptr || rect == nullptr || image == nullptr) return;
  if (image->GetDIB() != NULL) {
    image->DrawDIBImage(cdc, rect, nullptr);
    return;
  }
  CBitmap holder;
  HBITMAP bitmap = image->BitmapForUse(holder);
  if (bitmap != NULL) DrawBitmapInState(cdc, rect, bitmap, display, state);
}

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

// --- the framework object ----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CGUIImageCtrl, CWnd)

BOOL CGUIImageCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(_T("QvImageCtrl"), NULL, style, rect, parent, id);
}

bool CGUIImageCtrl::SetImage(QvImage* image, int display) {
  return SendMessage(QIM_SETIMAGE, static_cast<WPARAM>(display), reinterpret_cast<LPARAM>(image)) != 0;
}
void CGUIImageCtrl::SetRelief(int relief, bool flat) { SendMessage(QIM_SETRELIEF, static_cast<WPARAM>(relief), flat); }
void CGUIImageCtrl::SetCheckMode(bool on) { SendMessage(QIM_SETCHECKMODE, on, 0); }
void CGUIImageCtrl::Check(bool on, bool notify) { SendMessage(QIM_CHECK, on, notify); }
unsigned short CGUIImageCtrl::GetFlags() const {
  return static_cast<unsigned short>(::SendMessage(m_hWnd, QIM_GETFLAGS, 0, 0));
}
bool CGUIImageCtrl::IsChecked() const { return (GetFlags() & QIMF_CHECKED) != 0; }
