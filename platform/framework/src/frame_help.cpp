// CFrameWnd's help mode: the help cursor, the click (or the command) that picks what to
// explain, and the help call.

#include "fw_bars.h"
#include "fw_internal.h"

namespace {
bool IsPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_NCLBUTTONDOWN ||
         message == WM_NCLBUTTONDBLCLK;
}
bool IsCancelPress(UINT message) {
  return message == WM_RBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_NCMBUTTONDOWN;
}
bool IsMouseRest(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}
}  // namespace

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 && PickHelpCommand(LOWORD(wParam))) return TRUE;
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PickHelpCommand(UINT nID) {
  if (!m_bHelpMode || nID == 0) return FALSE;
  m_dwHelpPicked = HID_BASE_COMMAND + nID;
  return TRUE;
}

BOOL CFrameWnd::IsHelpTarget(HWND hWnd) const {
  if (hWnd == NULL) return FALSE;
  if (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd)) return TRUE;
  // A window of a floating frame this frame owns.
  HWND top = ::GetAncestor(hWnd, GA_ROOT);
  return top != NULL && ::GetWindow(top, GW_OWNER) == m_hWnd;
}

DWORD CFrameWnd::HelpContextAt(HWND hWnd, CPoint screen) {
  for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
    CPoint client = screen;
    ::ScreenToClient(h, &client);
    const DWORD context = static_cast<DWORD>(::SendMessage(h, WM_HELPHITTEST, 0, MAKELPARAM(client.x, client.y)));
    if (context != 0) return context;
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(h));
    if (frame != NULL && frame->m_nIDHelp != 0) return HID_BASE_RESOURCE + frame->m_nIDHelp;
    if (h == m_hWnd) break;
  }
  return HID_BASE_RESOURCE + m_nIDHelp;
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext) {
  *pContext = 0;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return TRUE;
  if (IsCancelPress(msg.message)) return TRUE;
  if (IsPress(msg.message)) {
    const CPoint pt(msg.pt.x, msg.pt.y);
    HWND under = ::WindowFromPoint(pt);
    if (!IsHelpTarget(under)) return TRUE;  // a click elsewhere ends help mode
    // The frame's own menu opens; the command chosen there is the pick.
    const LRESULT hit = under == m_hWnd ? ::SendMessage(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) : HTNOWHERE;
    if (hit == HTMENU) {
      ::ReleaseCapture();
      SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(pt.x, pt.y));
      if (::IsWindow(m_hWnd)) SetCapture();
      return FALSE;
    }
    *pContext = HelpContextAt(under, pt);
    return TRUE;
  }
  if (IsMouseRest(msg.message) || msg.message == WM_SETCURSOR) {
    ::SetCursor(m_hHelpCursor);  // moves and releases only show the help cursor
    return FALSE;
  }
  // Everything else as the application's loop would: an accelerator's command becomes the pick.
  if (!CWnd::WalkPreTranslateTree(m_hWnd, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return FALSE;
}

void CFrameWnd::OnContextHelp() {
  if (m_bHelpMode || InModalState() || m_hWnd == NULL) return;
  const HWND hWnd = m_hWnd;
  m_hHelpCursor = ::LoadCursor(NULL, IDC_HELP);
  m_bHelpMode = TRUE;
  m_dwHelpPicked = 0;
  SetCapture();
  HCURSOR before = ::SetCursor(m_hHelpCursor);
  DWORD context = 0;
  BOOL picked = FALSE;
  for (;;) {
    MSG msg;
    if (!::GetMessage(&msg, NULL, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    const BOOL done = ProcessHelpMsg(msg, &context);
    // The frame may have gone with a message it handled.
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this) return;
    if (done) {
      picked = context != 0;
      break;
    }
    if (m_dwHelpPicked != 0) {
      context = m_dwHelpPicked;
      picked = TRUE;
      break;
    }
    if (::GetCapture() != hWnd) break;  // another window took the mouse: cancelled
    ::SetCursor(m_hHelpCursor);
  }
  m_bHelpMode = FALSE;
  m_dwHelpPicked = 0;
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  ::SetCursor(before);
  if (picked) SendMessage(WM_COMMANDHELP, 0, static_cast<LPARAM>(context));
}
