#include "buttons_window.h"

#include "buttons_window_ids.h"
#include "popup_window.h"

#include <IconPaneControl.h>
#include <ImageButton.h>
#include <MaskedBitmapButton.h>
#include <UIBitmapUtilities.h>
#include <framework.h>
#include <fw_imagelist.h>

#include <memory>
#include <vector>

namespace host {
namespace {

const wchar_t kClass[] = L"QuarnelHostButtons";
const UINT kPaneLabels[] = {IDS_HOST_PANE_REPORTS, IDS_HOST_PANE_CHARTS, IDS_HOST_PANE_DATA, IDS_HOST_PANE_ARCHIVE};
const int kPaneId = 300;
// Where the routine samples are painted (client coordinates).
const RECT kSamples = {140, 120, 470, 200};

struct State {
  std::vector<std::unique_ptr<CMaskedBitmapButton>> buttons;
  std::unique_ptr<CImageButton> imageButton;
  CImageList glyphs;
  HBITMAP strip = NULL;
  HWND pane = NULL;
  ~State() {
    if (strip != NULL) DeleteObject(strip);
  }
};

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

HWND Label(HWND parent, const wchar_t* text, int x, int y, int w) {
  HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, x, y, w, 16, parent, NULL,
                               GetModuleHandleW(NULL), NULL);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return label;
}

void Build(HWND hwnd, State& state) {
  // The icon pane: large icons in a sunken border; Charts checked, Data sources hot, Archive
  // disabled.
  state.pane = CreateWindowExW(0, L"QvIconPaneControl32", L"", WS_CHILD | WS_VISIBLE, 8, 8, 112, 250, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPaneId)), NULL, NULL);
  IPCREATESTRUCT create = {4, 32, 32, IDB_HOST_PANE_STRIP, kPaneLabels};
  SendMessageW(state.pane, IPM_CREATE, reinterpret_cast<WPARAM>(&create), 0);
  SendMessageW(state.pane, IPM_SET3DSTYLE, IP3D_SUNKEN, 0);
  SendMessageW(state.pane, IPM_CHECKITEM, 1, 1);
  SendMessageW(state.pane, IPM_ENABLEITEM, 0, 3);
  if (IconPaneControl* pane = IconPaneControl::FromWindow(state.pane)) {
    const RECT data = pane->ItemRect(2);
    pane->HandleHilite(CPoint((data.left + data.right) / 2, data.top + 10));
  }

  // A row of masked-bitmap buttons, and under it one whose caption is cut.
  struct Shown {
    const wchar_t* caption;
    RECT rc;
    int toggled, enabled, isDefault;
  } shown[] = {
      {L"Normal", {140, 12, 220, 40}, 0, 1, 0},
      {L"Toggled", {226, 12, 306, 40}, 1, 1, 0},
      {L"Disabled", {312, 12, 392, 40}, 0, 0, 0},
      {L"Default", {398, 12, 470, 40}, 0, 1, 1},
      {L"A caption much too long for its button", {140, 48, 250, 76}, 0, 1, 0},
  };
  for (const Shown& s : shown) {
    auto button = std::make_unique<CMaskedBitmapButton>();
    if (!button->Create(CString(s.caption), WS_CHILD | WS_VISIBLE, CRect(s.rc), CWnd::FromHandle(hwnd),
                        200 + static_cast<UINT>(state.buttons.size())))
      continue;
    button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    button->SetMaskedBitmap(IDB_HOST_GLYPH, 16, 16, RGB(255, 0, 255));
    button->SetToggle(s.toggled);
    if (s.isDefault) {
      button->SetDefaultButton(1);
      button->SetColorTab(RGB(220, 40, 40));
    }
    if (!s.enabled) button->EnableWindow(FALSE);
    state.buttons.push_back(std::move(button));
  }

  // One image button showing the glyph from an image list.
  state.glyphs.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  CBitmap glyph;
  if (glyph.LoadBitmap(IDB_HOST_GLYPH)) state.glyphs.Add(&glyph, RGB(255, 0, 255));
  state.imageButton = std::make_unique<CImageButton>();
  if (state.imageButton->Create(WS_CHILD | WS_VISIBLE, CRect(260, 48, 290, 76), CWnd::FromHandle(hwnd), 210))
    state.imageButton->SetImage(&state.glyphs, 0);

  Label(hwnd, L"DrawMaskedBitmap and DitherBlt over hatching:", 140, 96, 330);
  state.strip = LoadBitmapW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDB_HOST_PANE_STRIP));
}

// Masked images of the pane's strip and the embossed look of one, over a hatched background.
void PaintSamples(HDC dc, const State& state) {
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(120, 150, 200));
  const COLORREF oldBk = SetBkColor(dc, RGB(250, 250, 235));
  FillRect(dc, &kSamples, hatch);
  SetBkColor(dc, oldBk);
  DeleteObject(hatch);
  HBITMAP strip = state.strip;
  if (strip == NULL) return;
  CDC* cdc = CDC::FromHandle(dc);
  for (UINT i = 0; i < 4; ++i)
    Utilities::DrawMaskedBitmap(cdc, CPoint(kSamples.left + 10 + 40 * static_cast<int>(i), kSamples.top + 8), strip, i,
                                32, 1, 1);
  // The embossed look fills its rectangle with the face colour.
  CBitmap one;
  if (Utilities::Extract1MaskedImage(strip, 1, 32, one)) {
    Utilities::DitherBlt(dc, kSamples.left + 190, kSamples.top + 8, 32, 32, one, 0, 0, 32, 32, 0, 0, 0);
  }
  CBitmap two;
  if (Utilities::Extract1MaskedImage(strip, 3, 32, two)) {
    Utilities::DitherBlt(dc, kSamples.left + 240, kSamples.top + 8, 64, 64, two, 0, 0, 32, 32, 1, 0, 0);
  }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = StateOf(hwnd);
  switch (message) {
    case WM_CREATE: {
      auto made = std::make_unique<State>();
      Build(hwnd, *made);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made.release()));
      return 0;
    }
    case WM_DRAWITEM: {
      // The buttons draw themselves; this raw parent hands them the request.
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (auto* button = dynamic_cast<CButton*>(CWnd::FromHandlePermanent(dis->hwndItem))) {
        button->DrawItem(dis);
        return TRUE;
      }
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (state != NULL) PaintSamples(dc, *state);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NOTIFY:
      return 0;  // the pane's clicks: nothing to do
    case WM_DESTROY:
      if (state != NULL) {
        for (auto& b : state->buttons) b->DestroyWindow();
        if (state->imageButton) state->imageButton->DestroyWindow();
      }
      break;
    case WM_NCDESTROY:
      if (state != NULL) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete state;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateButtonsWindow(HWND owner, const RECT& rc) {
  return CreatePopupWindow(kClass, Proc, L"Buttons and icon pane", owner, rc, IDC_ARROW,
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

}  // namespace host
