// The image control window and the drawing of images in their display modes and states (a
// bitmap's drawing is UIBitmapInState's).
#include "GUIImageCtrl.h"

#include "GUIControlProcs.h"
#include "UIHandles.h"

#include <commctrl.h>

#include <new>

namespace {

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
