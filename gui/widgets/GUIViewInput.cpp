// The portable view's window: characters, keys, mouse buttons, wheel, cursor, middle-button
// panning, the system close, palette messages, command routing and print preview.
#include "GUIPlatformGlue.h"
#include "GUIPlatformUtilities.h"
#include "GUIView.h"
#include "DrawingResources.h"
#include "QvDynamicMenu.h"
#include "QvModifier.h"
#include "QvView.h"

#include <QvGlobals.h>
#include <windowsx.h>

namespace {
QvPoint PointOf(LPARAM lParam) { return QvPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
}  // namespace

bool CGUIView::TypedCharacter(bool unicodeWindow, WPARAM typed, char& c) {
  if (!unicodeWindow) {
    // An ANSI window's WM_CHAR already carries the code page's byte.
    c = static_cast<char>(typed & 0xFF);
    return (typed & 0xFF) >= 32;
  }
  const wchar_t w = static_cast<wchar_t>(typed & 0xFFFF);
  if (w < 32) return false;
  // Only a character the code page holds exactly: no best fit, no default character, and one
  // byte (a double-byte character has no single char).
  char out[4];
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &w, 1, out, sizeof out, NULL, &usedDefault);
  if (n != 1 || usedDefault) return false;
  c = out[0];
  return true;
}

LRESULT CGUIView::OnCharMessage(WPARAM wParam, LPARAM lParam) {
  if (ScanSpecificShortCut(static_cast<unsigned int>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
  char c;
  if (!TypedCharacter(::IsWindowUnicode(m_hWnd) != FALSE, wParam, c)) return 0;
  ::SetCursor(NULL);  // hidden while typing, back with the next mouse move
  if (m_view) m_view->onKeyboardChar(c);
  return 0;
}

void CGUIView::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (ScanSpecificShortCut(key, repeat, flags)) return;
  if (KeyboardScroll(key)) return;
  QvKeyCode code;
  if (GUIVirtualKeyToQvKeyCode(key, code) && m_view) m_view->onKeyboardSpecial(code);
}

LRESULT CGUIView::OnMouseButton(WPARAM wParam, LPARAM lParam) {
  const MSG* msg = GetCurrentMessage();
  const UINT message = msg != NULL ? msg->message : 0;
  const QvModifier modifier = QvModifier::FromKeyFlags(static_cast<unsigned int>(wParam));
  QvPoint point = PointOf(lParam);
  QvClientToImagePoint(point);
  switch (message) {
    case WM_LBUTTONDOWN:
      ::SetFocus(m_hWnd);
      ::SetCapture(m_hWnd);
      m_mouseDown = point;
      m_mousePrevious = point;
      if (m_view) m_view->onMouseDown(point, modifier);
      break;
    case WM_MOUSEMOVE:
      if (m_view) m_view->onMouseMove(m_mouseDown, m_mousePrevious, point, modifier, (wParam & MK_LBUTTON) != 0);
      m_mousePrevious = point;
      break;
    case WM_LBUTTONUP:
      if (::GetCapture() == m_hWnd) ::ReleaseCapture();
      if (m_view) m_view->onMouseUp(m_mouseDown, point, modifier);
      break;
    case WM_LBUTTONDBLCLK:
      if (m_view) m_view->onMouseDblClick(point, modifier);
      break;
    case WM_RBUTTONDOWN:
      m_mouseDown = point;
      if (m_view) m_view->onRightMouseDown(point, modifier);
      break;
    default: return Default();
  }
  return 0;
}

void CGUIView::OnMButtonDown(UINT, CPoint point) {
  RunPanning(m_hWnd, POINT{point.x, point.y}, [](CDrawingCore& core, SIZE step) {
    static_cast<CGUIView&>(core).ScrollBy(QvSize(step.cx, step.cy), TRUE);
  });
}

LRESULT CGUIView::OnMouseWheelMessage(WPARAM wParam, LPARAM lParam) {
  const UINT keys = GET_KEYSTATE_WPARAM(wParam);
  const short delta = GET_WHEEL_DELTA_WPARAM(wParam);
  // The point comes in screen coordinates (negative left of or above the primary monitor).
  POINT s = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(m_hWnd, &s);
  QvPoint point(s.x, s.y);
  QvClientToImagePoint(point);
  if (keys & MK_SHIFT) {
    if (m_view) m_view->onMouseDatazoom(point, delta > 0);
  } else if (keys & MK_CONTROL) {
    if (m_view) m_view->onMouseZooming(point, delta > 0);
  } else {
    OnScroll(0xFF | ((delta > 0 ? SB_LINEUP : SB_LINEDOWN) << 8), 0, TRUE);
  }
  return 0;
}

BOOL CGUIView::OnSetCursor(CWnd*, UINT hitTest, UINT) {
  if (hitTest == HTCLIENT && m_view) {
    POINT p;
    if (::GetCursorPos(&p) && ::ScreenToClient(m_hWnd, &p)) {
      QvPoint point(p.x, p.y);
      QvClientToImagePoint(point);
      if (m_view->onMouseAdjustCursor(point)) return TRUE;
    }
  }
  return static_cast<BOOL>(Default());
}

void CGUIView::OnSysCommand(UINT id, LPARAM) {
  if ((id & 0xFFF0) == SC_CLOSE && m_view && !m_view->OnSystemClose()) return;
  Default();
}

BOOL CGUIView::OnQueryNewPalette() {
  CPalette* palette = quarnel::LibraryPalette();
  return static_cast<BOOL>(
      RealizeLibraryPalette(m_hWnd, palette != NULL ? static_cast<HPALETTE>(palette->GetSafeHandle()) : NULL));
}

void CGUIView::OnPaletteChanged(CWnd* changing) {
  HWND w = changing->GetSafeHwnd();
  if (w != m_hWnd && !::IsChild(m_hWnd, w)) OnQueryNewPalette();
}

BOOL CGUIView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (GUIOnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  return CView::OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CGUIView::OnCommand(WPARAM wParam, LPARAM lParam) { return GUIOnCommand(this, wParam, lParam) ? TRUE : FALSE; }

BOOL CGUIView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return GUIOnNotify(this, wParam, lParam, result) ? TRUE : FALSE;
}

void CGUIView::OnFilePrintPreview() {
  // The portable preview, found by its class name: it belongs to the dialogs, which build on
  // this area. Without it, the framework's own.
  if (DoPrintPreview(CRuntimeClass::FromName("CGUIPreviewView"))) return;
  // The framework's "command failed" message, where there is someone to read it.
  if (!QvApplicationIsBlind()) AfxMessageBox(61705);
}
