// The label tooltip of the tree list (see TooltipWnd.h).
#include "TooltipWnd.h"

#include <UIHandles.h>
#include <windowsx.h>

#include "GUITreeList.h"

namespace {

// Refuses activation to windows made while it is set on the thread.
LRESULT CALLBACK NoActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) return 1;
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

CTooltipWnd::~CTooltipWnd() {
  if (m_hWnd) DestroyWindow();
}

bool CTooltipWnd::Show(const RECT& box, const std::wstring& text, HFONT font, bool selected, bool disabled) {
  m_font = font;
  m_selected = selected;
  m_disabled = disabled;
  {
    const uih::OwnedHook hook = uih::HookThisThreadW(WH_CBT, &NoActivation);
    if (!CreateEx(0, _T("CTooltipWnd"), _T(""), WS_POPUP | WS_VISIBLE | WS_BORDER, box.left, box.top,
                  box.right - box.left, box.bottom - box.top, m_list->m_hWnd, NULL))
      return false;
  }
  ::SetWindowTextW(m_hWnd, text.c_str());
  ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetCapture(m_hWnd);
  POINT pt = {};
  ::GetCursorPos(&pt);
  RECT inside = box;
  ::InflateRect(&inside, 1, 1);
  if (::PtInRect(&inside, pt)) m_flags |= 1;
  return true;
}

void CTooltipWnd::Paint(HDC dc) {
  RECT rc = {};
  ::GetClientRect(m_hWnd, &rc);
  ::FillRect(dc, &rc, ::GetSysColorBrush(m_selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  uih::Selection font(dc, m_font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(m_disabled ? COLOR_GRAYTEXT : m_selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int got = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
  ::DrawTextW(dc, text.c_str(), got, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT CTooltipWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT ps = {};
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        if (dc) Paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
      }
      case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN: {
        RECT own = {};
        ::GetWindowRect(m_hWnd, &own);
        ::InflateRect(&own, 1, 1);
        POINT screen = pt;
        ::ClientToScreen(m_hWnd, &screen);
        const bool inside = ::PtInRect(&own, screen) != FALSE;
        RECT listBox = {};
        ::GetWindowRect(m_list->m_hWnd, &listBox);
        const bool overList = ::PtInRect(&listBox, screen) != FALSE;
        POINT listPoint = screen;
        ::ScreenToClient(m_list->m_hWnd, &listPoint);
        CGUITreeList* list = m_list;
        if (message == WM_MOUSEMOVE) {
          if (inside) {
            m_flags |= 1;
            if ((wParam & MK_LBUTTON) && (abs(listPoint.x - list->m_downPoint.x) >= 3 ||
                                          abs(listPoint.y - list->m_downPoint.y) >= 3)) {
              // A drag of the tooltip's item: the list starts it.
              ::ReleaseCapture();
              list->HideTooltip();
              list->RelayMouse(WM_MOUSEMOVE, wParam, listPoint);
            }
          } else if (HasBeenInside()) {
            ::ReleaseCapture();
            list->HideTooltip();  // deletes this window
          }
          return 0;
        }
        if (inside || overList) {
          std::shared_ptr<bool> alive = list->m_alive;
          list->RelayMouse(message, wParam, listPoint);
          if (!*alive) return 0;
          if (list->m_flags & CGUITreeList::kEditing) list->HideTooltip();
          else if (list->m_tooltip.get() == this) ::SetCapture(m_hWnd);
          return 0;
        }
        // Outside both: the tooltip goes and the click reaches the window under the pointer.
        ::ReleaseCapture();
        HWND under = ::WindowFromPoint(screen);
        list->HideTooltip();
        if (under && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
          POINT local = screen;
          ::ScreenToClient(under, &local);
          ::PostMessageW(under, message, wParam, MAKELPARAM(local.x, local.y));
        }
        return 0;
      }
      case WM_DESTROY:
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        m_list->OnTooltipGone();
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
