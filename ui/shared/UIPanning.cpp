// Middle-button panning, the same for both drawing views.
#include "ControlClass.h"
#include "UIDrawingCore.h"
#include "UIPanPacer.h"

#include <framework.h>
#include <UIHandles.h>

#include <stdlib.h>

namespace {

const UINT_PTR kPanTimer = 0x5150;
const int kPanBox = 28;
const wchar_t kPanningClass[] = L"PanningWindow";

// The panning popup may not become active: the view keeps the focus and the capture.
LRESULT CALLBACK PanningCbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) return 1;
  return CallNextHookEx(NULL, code, wParam, lParam);
}

// Cursor resource id for the offset of the pointer from the panning anchor.
int PanCursorId(int dx, int dy) {
  const int ax = abs(dx), ay = abs(dy);
  if (ax < 5 && ay < 5) return 112;
  const int m = ax > ay ? ax : ay;
  const bool left = dx < 1, up = dy < 1;
  if (ax >= 11 && ay >= 11 && abs(ax - ay) <= m / 2) return left ? (up ? 111 : 115) : (up ? 109 : 113);
  if (ay > ax) return up ? 110 : 114;
  return left ? 107 : 117;
}

void PaintPanningPopup(HWND popup) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(popup, &ps);
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(105), RT_BITMAP);
  uih::OwnedBitmap bitmap(module != NULL ? LoadBitmap(module, MAKEINTRESOURCE(105)) : NULL);
  if (bitmap && dc != NULL) {
    uih::OwnedDC memory(CreateCompatibleDC(dc));
    if (memory) {
      uih::Selection keep(memory.Get(), bitmap.Get());
      BitBlt(dc, 0, 0, kPanBox, kPanBox, memory.Get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(popup, &ps);
}

}  // namespace

void CDrawingCore::RunPanning(HWND window, POINT client, PanScroll scroll) {
  ::SetFocus(window);
  HINSTANCE instance = AfxGetInstanceHandle();
  const quarnel::WindowClassSpec spec = {kPanningClass, 0, ::DefWindowProcW, 0, NULL};
  const bool registered = quarnel::RegisterWindowClass(instance, spec) != FALSE;
  POINT anchor = client;
  ::ClientToScreen(window, &anchor);
  uih::OwnedWindow popup;
  {
    // The hook keeps the popup from being activated while it is made.
    const uih::OwnedHook hook = uih::HookThisThread(WH_CBT, PanningCbtHookProc);
    popup.Reset(::CreateWindowExW(0, kPanningClass, L"", WS_POPUP | WS_VISIBLE, anchor.x - kPanBox / 2,
                                  anchor.y - kPanBox / 2, kPanBox, kPanBox, NULL, NULL, instance, NULL));
  }
  ::SetCapture(window);
  // Moving is measured from where the pointer is now, which may already be a little away
  // from where the button went down: only a real move ends panning when the button comes up.
  POINT start = anchor;
  ::GetCursorPos(&start);
  // The passes are checked on each timer tick and paced by the clock; between ticks the loop
  // sleeps in GetMessage.
  const UINT_PTR timer = ::SetTimer(window, kPanTimer, CPanPacer::kPassMilliseconds, NULL);
  CPanPacer pacer(::GetTickCount());
  bool moved = false;
  // A WM_QUIT taken from the queue ends panning and is posted again with its exit code, so
  // that the host's own loop still ends.
  bool quit = false;
  int exitCode = 0;
  MSG msg;
  while (::GetCapture() == window) {
    const BOOL got = ::GetMessage(&msg, NULL, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    const UINT m = msg.message;
    if (m == WM_MBUTTONUP) {
      if (moved) break;
      continue;  // released before moving: panning goes on with the button up
    }
    if ((m >= WM_LBUTTONDOWN && m <= WM_XBUTTONDBLCLK) || m == WM_MOUSEWHEEL) break;
    if (m >= WM_KEYDOWN && m <= WM_SYSDEADCHAR) break;
    if (m == WM_PAINT && popup && msg.hwnd == popup.Get()) {
      PaintPanningPopup(popup.Get());
      continue;
    }
    if (m != WM_TIMER || msg.hwnd != window || msg.wParam != kPanTimer) {
      ::DispatchMessage(&msg);
      continue;
    }
    POINT cursor;
    if (!::GetCursorPos(&cursor)) continue;
    if (cursor.x != start.x || cursor.y != start.y) moved = true;
    const int dx = cursor.x - anchor.x, dy = cursor.y - anchor.y;
    const int id = PanCursorId(dx, dy);
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR);
    if (HCURSOR shape = module != NULL ? ::LoadCursor(module, MAKEINTRESOURCE(id)) : NULL) ::SetCursor(shape);
    const SIZE step = PanStep(dx, dy, pacer.PassesDue(::GetTickCount()));
    if (step.cx == 0 && step.cy == 0) continue;
    scroll(*this, step);
  }
  if (timer != 0) ::KillTimer(window, kPanTimer);
  if (::GetCapture() == window) ::ReleaseCapture();
  popup.Reset();
  if (registered) quarnel::UnregisterWindowClass(instance, kPanningClass);
  if (quit) ::PostQuitMessage(exitCode);
}
