#include "grid_closeup.h"

#include <UIHandles.h>

#include "popup_window.h"
#include "screens.h"

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostCloseUp";

// What the popup shows: the whole client drawing, the part of it magnified, the factor.
struct CloseUp {
  uih::OwnedBitmap bitmap;
  RECT area;
  int scale;
};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const CloseUp* closeUp = reinterpret_cast<const CloseUp*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_PAINT && closeUp != NULL) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    uih::OwnedDC mem(CreateCompatibleDC(dc));
    {
      uih::Selection selected(mem.Get(), closeUp->bitmap.Get());
      const int w = closeUp->area.right - closeUp->area.left, h = closeUp->area.bottom - closeUp->area.top;
      StretchBlt(dc, 0, 0, w * closeUp->scale, h * closeUp->scale, mem.Get(), closeUp->area.left, closeUp->area.top, w,
                 h, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void CaptureCloseUp(HWND owner, HWND window, const RECT& area, int scale, const wchar_t* name) {
  if (!ScreenshotMode() || window == NULL || scale < 1) return;
  RECT client;
  GetClientRect(window, &client);
  CloseUp closeUp = {uih::OwnedBitmap(), area, scale};
  {
    uih::WindowDC screen(NULL);
    closeUp.bitmap.Reset(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    uih::OwnedDC mem(CreateCompatibleDC(screen.Get()));
    if (closeUp.bitmap.Get() == NULL || mem.Get() == NULL) return;
    uih::Selection selected(mem.Get(), closeUp.bitmap.Get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  RECT rc = {40, 40, 40 + (area.right - area.left) * scale, 40 + (area.bottom - area.top) * scale};
  AdjustWindowRect(&rc, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE);
  uih::OwnedWindow popup(CreatePopupWindow(kClass, Proc, L"Grid close-up", owner, rc, IDC_ARROW, NULL));
  if (popup.Get() == NULL) return;
  SetWindowLongPtrW(popup.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closeUp));
  CaptureWindow(popup.Get(), name);
}

}  // namespace host
