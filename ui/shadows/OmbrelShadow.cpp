// Shadow windows: layered, click-through popups that show a black image whose alpha fades
// outwards from the shadowed window's edge.
#include "OmbrelShadow.h"

#include "ControlClass.h"
#include "Ombrel.h"
#include "UIHandles.h"
#include "UITrace.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace ombrel {

const wchar_t kShadowClass[] = L"OmbrelShadow";

namespace {

UlmLogger s_log("OmbrelShadow");

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);
UpdateLayeredWindowFn s_updateLayered = NULL;
SetLayeredWindowAttributesFn s_setLayeredAttributes = NULL;
bool s_registered = false;

struct ShadowState {
  uih::OwnedBitmap bitmap;  // the image last shown
  bool right = false;
  int opacity = 255;
};

ShadowState* StateOf(HWND hwnd) { return reinterpret_cast<ShadowState*>(::GetWindowLongPtrW(hwnd, 0)); }

int Alpha(int dx, int dy, int divisor) {
  const int d = static_cast<int>(std::floor(std::sqrt(static_cast<double>(dx * dx + dy * dy)) * 255.0 / divisor));
  return d > 255 ? 0 : ((255 - d) * 101) / 256;
}

// Draws the shadow anew at the window's size and hands it to the layered window.
void Redraw(HWND hwnd, ShadowState* state) {
  RECT rc;
  ::GetWindowRect(hwnd, &rc);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  state->bitmap.Reset();
  if (w <= 0 || h <= 0) return;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = NULL;
  state->bitmap.Reset(::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0));
  if (!state->bitmap) {
    UI_TRACE_FAILED(s_log, "CreateDIBSection");
    return;
  }
  FillShadowBits(static_cast<DWORD*>(bits), w, h, state->right, state->opacity);
  uih::WindowDC screen(NULL);
  uih::MemoryDC memory(screen.Get());
  if (!memory.Select(state->bitmap.Get())) {
    UI_TRACE_FAILED(s_log, "SelectObject");
    return;
  }
  POINT dst = {rc.left, rc.top}, src = {0, 0};
  SIZE size = {w, h};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!s_updateLayered(hwnd, screen.Get(), &dst, &size, memory.Get(), &src, 0, &blend, ULW_ALPHA))
    UI_TRACE_FAILED(s_log, "UpdateLayeredWindow");
}

LRESULT CALLBACK ShadowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ShadowState* state = StateOf(hwnd);
  switch (message) {
    case WM_CREATE: {
      ShadowState* made = new (std::nothrow) ShadowState;
      if (made == NULL) return -1;
      ::SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(made));
      return 0;
    }
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(hwnd, 0, 0);
      delete state;
      break;
    case WM_SIZE:
      if (state != NULL) Redraw(hwnd, state);
      return 0;
    case WM_PAINT:
      ::ValidateRect(hwnd, NULL);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_PRINTCLIENT:
      if (state != NULL && state->bitmap) {
        BITMAP bm = {};
        ::GetObjectW(state->bitmap.Get(), sizeof bm, &bm);
        uih::MemoryDC memory(reinterpret_cast<HDC>(wParam));
        if (memory.Select(state->bitmap.Get()))
          ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, bm.bmWidth, bm.bmHeight, memory.Get(), 0, 0, SRCCOPY);
      }
      return 0;
    case OMBREL_SETALPHA:
      if (state != NULL && state->opacity != static_cast<int>(wParam & 0xFF)) {
        state->opacity = static_cast<int>(wParam & 0xFF);
        Redraw(hwnd, state);
      }
      return 0;
    case OMBREL_SETSIDE:
      if (state != NULL) state->right = wParam != 0;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

bool LoadLayeredFunctions() {
  if (s_updateLayered != NULL && s_setLayeredAttributes != NULL) return true;
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == NULL) return false;
  s_updateLayered =
      reinterpret_cast<UpdateLayeredWindowFn>(reinterpret_cast<void*>(::GetProcAddress(user32, "UpdateLayeredWindow")));
  s_setLayeredAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
  return s_updateLayered != NULL && s_setLayeredAttributes != NULL;
}

bool RegisterShadowClass(HINSTANCE instance) {
  if (s_registered) return true;
  // A class of the name left by an earlier load of the library is replaced, not taken over.
  const quarnel::WindowClassSpec spec = {kShadowClass, 0, ShadowProc, sizeof(LONG_PTR), NULL};
  if (!quarnel::RegisterWindowClass(instance, spec)) {
    UI_TRACE_FAILED(s_log, "RegisterClass");
    return false;
  }
  s_registered = true;
  return true;
}

HWND CreateShadow(HINSTANCE instance, HWND owner, bool right, int opacity) {
  HWND shadow = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClass, L"", WS_POPUP | WS_DISABLED, 0, 0,
                                  0, 0, owner, NULL, instance, NULL);
  if (shadow == NULL) {
    UI_TRACE_FAILED(s_log, "CreateWindowEx");
    return NULL;
  }
  ::SendMessageW(shadow, OMBREL_SETSIDE, right ? 1 : 0, 0);
  ::SendMessageW(shadow, OMBREL_SETALPHA, static_cast<WPARAM>(opacity), 0);
  ::ShowWindow(shadow, SW_SHOWNOACTIVATE);
  return shadow;
}

void FillShadowBits(DWORD* bits, int w, int h, bool right, int opacity) {
  if (bits == NULL || w <= 0 || h <= 0) return;
  const int s = std::min(w, h);
  const int divisor = std::max(s - 1, 1);  // a shadow one pixel thick is all inner corner
  const int scale = opacity <= 0 ? 1 : std::min(opacity, 255);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int dx, dy;
      if (right) {  // the square at the top fades upwards and outwards; below it, outwards only
        dx = x;
        dy = std::max(0, (s - 1) - y);
      } else {  // squares at both ends fade sideways and down; between them, down only
        dx = x >= w - s ? x - (w - s) : (x < s ? (s - 1) - x : 0);
        dy = y;
      }
      int alpha = Alpha(dx, dy, divisor);
      if (scale != 255) alpha = alpha * scale / 255;
      bits[static_cast<size_t>(y) * w + x] = static_cast<DWORD>(alpha) << 24;
    }
  }
}

}  // namespace ombrel
