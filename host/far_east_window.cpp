#include "far_east_window.h"

#include <framework.h>
#include <shellapi.h>

#include <QvOriginInfo.h>
#include <UIView.h>

#include "popup_window.h"
#include "screens.h"

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostFarEast";
// Japanese with the punctuation and brackets the rules keep on their side of a break.
const wchar_t kText[] =
    L"\x65E5\x672C\x8A9E\x306E\x6587\x3092\x6539\x884C\x3059\x308B\x3002\x62EC\x5F27\x306E\x4E2D\x306E\x8A00\x8449"
    L"\x306F\xFF08\x304B\x3063\x3053\xFF09\x306E\x4E2D\x3067\x3059\x3002\x300C\x304B\x304E\x62EC\x5F27\x300D\x3082"
    L"\x540C\x3058\x3067\x3059\x3002";

// Draws on the window's paint DC; the window owns it.
class ColumnsView : public CMFCUIView {
 public:
  ColumnsView() : CMFCUIView(0) {}
  void OnDraw(CDC*) override {}
  void PostNcDestroy() override {}

  void Paint(HDC dc, const RECT& client) {
    if (!PrepareNewDCForDrawing(dc, false)) return;
    QvBeginUse();
    QvSetBackgroundColor(RGB(255, 255, 255));
    QvSetFillPattern(QvSolidPattern);
    QvSetFillForeColor(RGB(255, 255, 255));
    QvDrawRect(client, 0, 1);
    const int width = 150, top = 40, bottom = client.bottom - 12;
    Column(RECT{16, top, 16 + width, bottom}, 1, L"Rules on");
    Column(RECT{16 + width + 40, top, 16 + 2 * width + 40, bottom}, 0, L"Rules off");
    UnprepareCurrentDC();
  }

 private:
  // The column's text under the rules of "ja" with the double-byte switch as given.
  void Column(const RECT& r, unsigned char rules, const wchar_t* heading) {
    Font(L"Arial", 10, 1);
    QvSetPenForeColor(RGB(0, 51, 102));
    QvDrawTextInRect(heading, lstrlenW(heading), RECT{r.left, 12, r.right, 32}, QvAlignTop, QvAlignLeft, 0, 0);
    QvSetFillForeColor(RGB(245, 248, 255));
    QvDrawRect(RECT{r.left - 6, r.top - 6, r.right + 6, r.bottom}, 1, 1);
    const CQvOriginInfo saved = gOrgInfo;
    gOrgInfo.DoQvChangeLang("ja");
    gOrgInfo.SetOrgDBCS(rules);
    Font(L"Droid Sans Fallback", 11, 0);
    QvSetPenForeColor(RGB(0, 0, 0));
    QvDrawTextInRect(kText, lstrlenW(kText), r, QvAlignTop, QvAlignLeft, 1, 0);
    gOrgInfo = saved;
  }
  void Font(const wchar_t* face, short size, unsigned short style) {
    UIFont f;
    f.size = size;
    f.style = style;
    f.face = face;
    QvSetFont(f);
  }
};

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<ColumnsView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ColumnsView));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      if (view != NULL) view->Paint(dc, client);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      delete view;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateFarEastWindow(HWND owner, const RECT& rc) {
  return CreatePopupWindow(kClass, Proc, L"Japanese text", owner, rc, IDC_ARROW, NULL);
}

bool CaptureFarEastWindowAlone(HWND owner) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool alone = false;
  for (int i = 1; i < argc; ++i) alone = alone || lstrcmpiW(argv[i], L"/fareast") == 0;
  LocalFree(argv);
  if (!alone || !ScreenshotMode()) return false;
  HWND window = CreateFarEastWindow(owner, RECT{260, 120, 640, 420});
  if (window == NULL) return true;
#ifdef UNICODE
  CaptureWindow(window, L"far_east_text_alone");
#else
  CaptureWindow(window, L"far_east_text_ansi");
#endif
  DestroyWindow(window);
  return true;
}

}  // namespace host
