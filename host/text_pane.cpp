#include "text_pane.h"

#include <GUITextView.h>
#include <QvTextView.h>

#include "screens.h"

namespace host {
namespace {
const UINT kTextViewId = 1;
const UINT kChartViewId = 1;  // the chart window's view

const char kNotes[] =
    "Release notes\r\n"
    "\r\n"
    "- The chart pans with the middle button: press it, move the pointer away\r\n"
    "  from the mark, and the chart follows at the pointer's distance.\r\n"
    "- Printing runs the chart's drawing again on every page.\r\n"
    "- Zażółć gęślą jaźń: text keeps its letters in every script (Ωμέγα, Жук).";

HWND s_chartView = NULL;
void CALLBACK CaptureWhilePanning(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  CaptureWindow(GetParent(s_chartView), L"portable_chart_panning");
  PostMessageW(s_chartView, WM_KEYDOWN, VK_ESCAPE, 0);  // ends panning
}
}  // namespace

HWND CreateTextPaneWindow(HWND owner, RECT rect) {
  HWND frame = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Text pane", WS_POPUP | WS_CAPTION | WS_BORDER,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, NULL, NULL,
                               NULL);
  if (frame == NULL) return NULL;
  RECT client;
  GetClientRect(frame, &client);
  QvTextView* text = new QvTextView(nullptr, QVTEXT_NO_HSCROLL);
  CGUITextView* view = new CGUITextView;
  if (!view->Create(text, WS_CHILD | WS_VISIBLE, client, CWnd::FromHandle(frame), kTextViewId)) {
    delete view;
    delete text;
    DestroyWindow(frame);
    return NULL;
  }
  view->OnInitialUpdate();
  text->SetText(QvString(kNotes));
  return frame;
}

void CaptureTextPane(HWND pane) {
  if (!ScreenshotMode() || pane == NULL) return;
  CGUITextView* view = dynamic_cast<CGUITextView*>(CWnd::FromHandlePermanent(GetDlgItem(pane, kTextViewId)));
  QvTextView* text = view ? view->GetKernelView() : nullptr;
  if (!text) return;
  const long at = text->SearchText(QvString("pointer"), true, true, 0);
  if (at >= 0) text->SetSelection(at, at + 7);
  ShowWindow(pane, SW_SHOW);
  SetForegroundWindow(pane);
  if (view->GetEdit()) ::SetFocus(view->GetEdit()->m_hWnd);
  CaptureWindow(pane, L"text_pane");
}

void CaptureChartPanning(HWND chartFrame) {
  if (!ScreenshotMode() || chartFrame == NULL) return;
  s_chartView = GetDlgItem(chartFrame, kChartViewId);
  if (s_chartView == NULL) return;
  // Active before panning starts: the capture then leaves the mark above the chart.
  ShowWindow(chartFrame, SW_SHOW);
  SetForegroundWindow(chartFrame);
  UpdateWindow(chartFrame);
  POINT anchor = {150, 110};
  POINT screen = anchor;
  ClientToScreen(s_chartView, &screen);
  SetCursorPos(screen.x + 6, screen.y + 6);  // a slow diagonal: one pixel a pass each way
  SetTimer(NULL, 0, 150, CaptureWhilePanning);
  SendMessageW(s_chartView, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(anchor.x, anchor.y));
}
}  // namespace host
