// Portable top-level windows: their life with the frame, their state, position and size.
#include "QvWindow.h"

#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootWindow, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvWindow, QV_RUNTIME_CLASS(QvRootWindow))

namespace {
UlmLogger s_log("QvWindow");

QvRect s_scalingReference(-1, -1, -1, -1);

HWND WindowOf(const QvGUIContainer* container) {
  CWnd* window = container->GetMFCCWnd();
  return window ? window->GetSafeHwnd() : NULL;
}

// The window whose client coordinates a window's position is given in: its parent for a
// child window, none (the screen) for a top-level one.
HWND CoordinateParent(HWND window) {
  return (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : NULL;
}

// The window's rectangle in those coordinates.
RECT PlacedRect(HWND window) {
  RECT r = {0, 0, 0, 0};
  ::GetWindowRect(window, &r);
  if (HWND parent = CoordinateParent(window)) ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

QvRootWindow::QvRootWindow(QvCommandHandler* parent) : QvGUIContainer(parent, 0) {}
QvRootWindow::~QvRootWindow() = default;

void QvRootWindow::OnTerminate() { delete this; }

void QvRootWindow::SetScalingReference(const QvRect& reference) { s_scalingReference = reference; }
const QvRect& QvRootWindow::GetScalingReference() { return s_scalingReference; }

QvWindow::QvWindow(QvCommandHandler* parent) : QvRootWindow(parent) {}
QvWindow::~QvWindow() = default;

void QvWindow::BringToFront() {
  CWnd* window = GetMFCCWnd();
  if (!window || !window->GetSafeHwnd()) return;
  if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, window))
    frame->ActivateFrame(-1);
  else
    window->BringWindowToTop();
}

QvSuccess QvWindow::Close() {
  if (HWND window = WindowOf(this)) ::SendMessageW(window, WM_CLOSE, 0, 0);
  return QvSuccess(true);
}

bool QvWindow::GetWindowPosAndSize(QvRect& rect) {
  HWND window = WindowOf(this);
  if (!window) return false;
  const RECT r = PlacedRect(window);
  rect = QvRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  return true;
}

bool QvWindow::SetWindowPosAndSize(const QvRect& rect) {
  HWND window = WindowOf(this);
  if (!window) {
    UI_TRACE_REFUSED(s_log, "no window");
    return false;
  }
  const RECT present = PlacedRect(window);
  const long left = rect.left == -1 ? present.left : rect.left;
  const long top = rect.top == -1 ? present.top : rect.top;
  // The third and fourth fields are the size, not the far corner.
  const long width = rect.right == -1 ? present.right - present.left : rect.right;
  const long height = rect.bottom == -1 ? present.bottom - present.top : rect.bottom;
  if (width < 0 || height < 0) {
    UI_TRACE_REFUSED(s_log, "a negative size");
    return false;
  }
  if (!::SetWindowPos(window, NULL, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
    UI_TRACE_FAILED(s_log, "SetWindowPos");
    return false;
  }
  return true;
}

QvWindowState QvWindow::GetWindowState(QvRect&) {
  HWND window = WindowOf(this);
  if (window && ::IsZoomed(window)) return QvWindowMaximised;
  if (window && ::IsIconic(window)) return QvWindowMinimised;
  return QvWindowNormal;
}

bool QvWindow::SetWindowState(QvWindowState state) {
  HWND window = WindowOf(this);
  if (!window) return true;
  int show = static_cast<int>(state);
  switch (state) {
    case QvWindowNormal:
      show = SW_RESTORE;
      break;
    case QvWindowMinimised:
      show = SW_MINIMIZE;
      break;
    case QvWindowMaximised:
      show = SW_MAXIMIZE;
      break;
  }
  ::ShowWindow(window, show);
  return true;
}

void QvWindow::DestroyPlatform() {
  CWnd* window = GetMFCCWnd();
  if (!window) return;
  // Forgotten first: the destruction may delete this object.
  SetMFCCWnd(nullptr);
  window->DestroyWindow();
}
