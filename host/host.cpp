// The sample host: a reporting-style main window over quarnel.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <UIModule.h>

#include "resource.h"
#include "screens.h"

namespace {

const wchar_t kMainClass[] = L"QuarnelSampleHost";

struct Row {
  const wchar_t* region;
  int q1, q2, q3, q4;
};
const Row kRows[] = {
    {L"North", 1200, 1350, 1410, 1600}, {L"South", 980, 1020, 1115, 1190},
    {L"East", 1500, 1480, 1620, 1755},  {L"West", 870, 940, 1005, 1130},
};

void PaintReport(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT title = CreateFontW(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
  HFONT body = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
  HGDIOBJ old = SelectObject(dc, title);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 51, 102));
  TextOutW(dc, 24, 16, L"Quarterly sales by region", 25);
  SelectObject(dc, body);
  SetTextColor(dc, RGB(0, 0, 0));
  const wchar_t* heads[] = {L"Region", L"Q1", L"Q2", L"Q3", L"Q4"};
  int x0 = 24, y = 60, colW = 110, rowH = 26;
  RECT head = {x0, y, x0 + colW * 5, y + rowH};
  HBRUSH headBrush = CreateSolidBrush(RGB(214, 226, 240));
  FillRect(dc, &head, headBrush);
  DeleteObject(headBrush);
  for (int c = 0; c < 5; ++c) TextOutW(dc, x0 + c * colW + 8, y + 5, heads[c], lstrlenW(heads[c]));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(160, 160, 160));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (size_t r = 0; r < sizeof kRows / sizeof kRows[0]; ++r) {
    int ry = y + rowH * static_cast<int>(r + 1);
    const Row& row = kRows[r];
    TextOutW(dc, x0 + 8, ry + 5, row.region, lstrlenW(row.region));
    int vals[] = {row.q1, row.q2, row.q3, row.q4};
    for (int c = 0; c < 4; ++c) {
      wchar_t buf[16];
      wsprintfW(buf, L"%d", vals[c]);
      TextOutW(dc, x0 + (c + 1) * colW + 8, ry + 5, buf, lstrlenW(buf));
    }
    MoveToEx(dc, x0, ry + rowH, NULL);
    LineTo(dc, x0 + colW * 5, ry + rowH);
  }
  // A bar chart of Q4.
  int chartY = y + rowH * 6 + 20;
  for (size_t r = 0; r < sizeof kRows / sizeof kRows[0]; ++r) {
    int w = kRows[r].q4 / 5;
    RECT bar = {x0 + 80, chartY + static_cast<int>(r) * 28, x0 + 80 + w, chartY + static_cast<int>(r) * 28 + 20};
    HBRUSH b = CreateSolidBrush(RGB(70, 130, 180));
    FillRect(dc, &bar, b);
    DeleteObject(b);
    TextOutW(dc, x0, bar.top + 2, kRows[r].region, lstrlenW(kRows[r].region));
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, old);
  DeleteObject(title);
  DeleteObject(body);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      PaintReport(dc, rc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case ID_FILE_EXIT: DestroyWindow(hwnd); return 0;
        case ID_VIEW_REFRESH: InvalidateRect(hwnd, NULL, TRUE); return 0;
        case ID_HELP_ABOUT:
          MessageBoxW(hwnd, L"Quarnel sample host", L"About", MB_OK | MB_ICONINFORMATION);
          return 0;
      }
      break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int show) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i)
    if (lstrcmpiW(argv[i], L"/screens") == 0) host::SetScreenshotFolder(argv[i + 1]);
  LocalFree(argv);

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // quarnel is bound at load: it has joined the framework's module chain by now.
  if (!UIViewDLL.bInitialized) return 2;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kMainClass;
  RegisterClassW(&wc);
  HWND main = CreateWindowW(kMainClass, L"Quarnel Sample Host", WS_OVERLAPPEDWINDOW, 40, 40, 760, 520, NULL,
                            LoadMenuW(inst, MAKEINTRESOURCEW(IDR_MAINMENU)), inst, NULL);
  if (!main) return 1;

  if (host::ScreenshotMode()) {
    host::CaptureWindow(main, L"main");
    DestroyWindow(main);
    return 0;
  }
  ShowWindow(main, show);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
