#include "images_window.h"

#include "popup_window.h"

#include <GUIImageCtrl.h>
#include <GUIInitialisations.h>
#include <QvImage.h>

#include <memory>
#include <vector>

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostImages";

// A screen-compatible picture of w x h drawn by the function on a memory DC.
template <class Draw>
CBitmap* Picture(int w, int h, Draw draw) {
  HDC screen = GetDC(NULL);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  draw(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
  CBitmap* picture = new CBitmap;
  picture->Attach(bmp);
  return picture;
}

// A chart picture: a framed white card with three bars.
void DrawChart(HDC dc) {
  RECT all = {0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  const COLORREF colours[] = {RGB(70, 130, 180), RGB(220, 120, 40), RGB(90, 160, 90)};
  const int heights[] = {18, 28, 12};
  for (int i = 0; i < 3; ++i) {
    RECT bar = {6 + i * 10, 34 - heights[i], 14 + i * 10, 34};
    HBRUSH b = CreateSolidBrush(colours[i]);
    FillRect(dc, &bar, b);
    DeleteObject(b);
  }
}

// A pair picture: an orange disc with its mask (white around it: transparent).
void DrawDiscPair(HDC dc) {
  RECT left = {0, 0, 32, 32}, right = {32, 0, 64, 32};
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FillRect(dc, &right, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
  HBRUSH orange = CreateSolidBrush(RGB(240, 140, 30));
  HGDIOBJ brush = SelectObject(dc, orange);
  Ellipse(dc, 3, 3, 30, 30);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Ellipse(dc, 35, 3, 62, 30);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  DeleteObject(orange);
}

struct Shown {
  const wchar_t* caption;
  int relief;
  bool check;
  bool pair;
};
const Shown kShown[] = {
    {L"raised", 1, false, false},
    {L"checked", 1, true, false},
    {L"sunken", 2, false, true},
    {L"no relief", 0, false, true},
};

struct State {
  std::unique_ptr<QvImage> chart, disc;
  std::vector<std::unique_ptr<CGUIImageCtrl>> controls;
  HFONT font = NULL;
};

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void Build(HWND hwnd, State& state) {
  state.chart.reset(new QvImage(Picture(40, 40, DrawChart), false));
  state.disc.reset(new QvImage(Picture(64, 32, DrawDiscPair), true));
  state.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int x = 16;
  for (const Shown& s : kShown) {
    auto ctrl = std::make_unique<CGUIImageCtrl>();
    if (!ctrl->Create(WS_CHILD | WS_VISIBLE, CRect(x, 14, x + 56, 70), CWnd::FromHandle(hwnd), 100)) continue;
    ctrl->SetRelief(s.relief, false);
    ctrl->SetCheckMode(s.check);
    ctrl->SetImage(s.pair ? state.disc.get() : state.chart.get(), QvImageCentre);
    ctrl->Check(true, false);
    HWND label = CreateWindowExW(0, L"STATIC", s.caption, WS_CHILD | WS_VISIBLE | SS_CENTER, x - 8, 76, 72, 18, hwnd,
                                 NULL, GetModuleHandleW(NULL), NULL);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    state.controls.push_back(std::move(ctrl));
    x += 80;
  }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = StateOf(hwnd);
  switch (message) {
    case WM_CREATE: {
      // The image control's class comes with the portable layer's platform start-up.
      if (!PlatformGUIInitialisations().Succeeded()) return -1;
      auto made = std::make_unique<State>();
      Build(hwnd, *made);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made.release()));
      return 0;
    }
    case WM_NOTIFY:
      return 0;  // clicks flip the checked control; nothing else to do
    case WM_DESTROY:
      if (state != NULL)
        for (auto& ctrl : state->controls) ctrl->DestroyWindow();
      break;
    case WM_NCDESTROY:
      if (state != NULL) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete state;
        PlatformGUIRelease();
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateImagesWindow(HWND owner, const RECT& rc) {
  return CreatePopupWindow(kClass, Proc, L"Images", owner, rc, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace host
