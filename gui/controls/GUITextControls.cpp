// Platform controls of static texts, edit fields and buttons.
#include "GUIControlText.h"
#include "GUIControls.h"

#include <GUIImageCtrl.h>
#include <GUIPlatformUtilities.h>

#include <string>
#include <vector>

#include "UIHandles.h"
#include "UITrace.h"

IMPLEMENT_DYNCREATE(CGUIStatic, CStatic)
IMPLEMENT_DYNCREATE(CGUIEdit, CEdit)
IMPLEMENT_DYNCREATE(CGUIButton, CButton)

using namespace gui_widgets;

namespace {

UlmLogger s_buttonLog("GUIButton");

void SendCommandToParent(HWND window, int code) {
  ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
}

bool InSet(const QvString& set, wchar_t c) { return set.ToWide().find(c) != std::wstring::npos; }

bool IsCheckType(UINT type) { return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE; }
bool IsRadioType(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

}  // namespace

LRESULT GUINotifyParent(HWND window, int code, long value) {
  GUINotifyValue record = {};
  record.header.hwndFrom = window;
  record.header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(window));
  record.header.code = static_cast<UINT>(code);
  record.value = value;
  return ::SendMessageW(::GetParent(window), WM_NOTIFY, record.header.idFrom, reinterpret_cast<LPARAM>(&record));
}

// ---------------------------------------------------------------------------------------
// Edit field

CGUIEdit::~CGUIEdit() = default;

bool CGUIEdit::AcceptsChar(wchar_t c) const {
  if (!m_authorizedChars.IsEmpty() && c != L'\b' && !InSet(m_authorizedChars, c)) return false;
  return m_filteredChars.IsEmpty() || !InSet(m_filteredChars, c);
}

bool CGUIEdit::AcceptsText(const wchar_t* text) const {
  const std::wstring filtered = m_filteredChars.ToWide();
  const std::wstring authorized = m_authorizedChars.ToWide();
  for (const wchar_t* p = text; *p; ++p) {
    if (!filtered.empty() && filtered.find(*p) != std::wstring::npos) return false;
    if (!authorized.empty() && authorized.find(*p) == std::wstring::npos) return false;
  }
  return true;
}

LRESULT CGUIEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR: {
      if (wParam < 32 && (::GetKeyState(VK_CONTROL) & 0x8000)) break;  // Ctrl+C, Ctrl+V and the like
      if (!AcceptsChar(TypedChar(m_hWnd, wParam))) return 0;
      break;
    }
    case WM_CUT:
    case WM_COPY:
      if (GetStyle() & ES_PASSWORD) return 0;  // a password never reaches the clipboard
      break;
    case WM_PASTE: {
      std::wstring text;
      if (ClipboardText(m_hWnd, text) && !AcceptsText(text.c_str())) return 0;
      break;
    }
    case WM_LBUTTONUP:
      SendCommandToParent(m_hWnd, kGUIEditButtonUp);
      break;
    case WM_LBUTTONDBLCLK: {
      DWORD start = 0, end = 0;
      ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const HWND self = m_hWnd;
      SendCommandToParent(self, kGUIEditDoubleClick);
      if (!::IsWindow(self)) return 0;
      DWORD startAfter = 0, endAfter = 0;
      ::SendMessageW(self, EM_GETSEL, reinterpret_cast<WPARAM>(&startAfter), reinterpret_cast<LPARAM>(&endAfter));
      if (startAfter != start || endAfter != end) return 0;  // the parent chose the selection
      break;
    }
    case WM_KEYDOWN: {
      const HWND self = m_hWnd;
      SendCommandToParent(self, kGUIEditKeyDown);
      if (!::IsWindow(self)) return 0;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      QvKeyCode code = 0;
      if (::IsWindow(self) && GUIVirtualKeyToQvKeyCode(static_cast<UINT>(wParam), code))
        GUINotifyParent(self, kGUINotifyPortableKey, code);
      return result;
    }
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Button

UINT CGUIButton::GetButtonType() const {
  return m_readOnly ? m_savedType : static_cast<UINT>(GetStyle() & BS_TYPEMASK);
}

void CGUIButton::SetReadOnly(bool readOnly) {
  HWND window = GetSafeHwnd();
  if (!window || readOnly == (m_readOnly != 0)) return;
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const UINT type = static_cast<UINT>(style) & BS_TYPEMASK;
  if (readOnly) {
    if (!IsCheckType(type) && !IsRadioType(type)) return;  // other buttons stay usable
    m_savedType = type;
    m_savedTabStop = (style & WS_TABSTOP) ? 1 : 0;
    m_readOnly = 1;
    ::SetWindowLongW(window, GWL_STYLE, (style & ~(BS_TYPEMASK | WS_TABSTOP)) | BS_OWNERDRAW);
  } else {
    m_readOnly = 0;
    ::SetWindowLongW(window, GWL_STYLE,
                     (style & ~BS_TYPEMASK) | static_cast<LONG>(m_savedType) | (m_savedTabStop ? WS_TABSTOP : 0));
  }
  ::InvalidateRect(window, NULL, TRUE);
}

void CGUIButton::SetCheckState(int state) {
  HWND window = GetSafeHwnd();
  if (!window) return;
  if (!m_readOnly) {
    ::SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    return;
  }
  // An owner-drawn button keeps no check: the box takes it in its own type, unseen.
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  ::SetWindowLongW(window, GWL_STYLE, (style & ~BS_TYPEMASK) | static_cast<LONG>(m_savedType));
  ::SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  ::SetWindowLongW(window, GWL_STYLE, style);
  ::InvalidateRect(window, NULL, TRUE);
}

int CGUIButton::GetCheckState() const {
  HWND window = GetSafeHwnd();
  return window ? static_cast<int>(::SendMessageW(window, BM_GETCHECK, 0, 0)) : 0;
}

void CGUIButton::SetImage(QvImage* image, bool drawFocus) {
  HWND old = GetSafeHwnd();
  if (!old) return;
  const LONG style = ::GetWindowLongW(old, GWL_STYLE);
  const UINT type = static_cast<UINT>(style) & BS_TYPEMASK;
  if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return;
  m_image = image;
  if (image) {
    HWND parent = ::GetParent(old);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(old, WM_GETFONT, 0, 0));
    const std::wstring text = WindowText(old);
    const int id = ::GetDlgCtrlID(old);
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(old, GWL_EXSTYLE));
    RECT rect;
    ::GetWindowRect(old, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    HWND previous = ::GetWindow(old, GW_HWNDPREV);
    const bool focused = ::GetFocus() == old;
    UnsubclassWindow();
    const DWORD newStyle = (static_cast<DWORD>(style) & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
    if (!CreateEx(exStyle, _T("BUTTON"), NULL, newStyle, rect, CWnd::FromHandle(parent), static_cast<UINT>(id))) {
      UI_TRACE_FAILED(s_buttonLog, "CreateEx");
      SubclassWindow(old);  // keeps the window it had
      m_image = nullptr;
      return;
    }
    m_imageType = type;
    ::SetWindowTextW(m_hWnd, text.c_str());
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The new window takes the old one's place in the z-order and tab order.
    ::SetWindowPos(m_hWnd, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(old);
    if (focused) ::SetFocus(m_hWnd);
  } else {
    ::SetWindowLongW(old, GWL_STYLE, style & ~static_cast<LONG>(BS_OWNERDRAW));
  }
  m_drawFocus = drawFocus ? TRUE : FALSE;
}

// The face of an image button: frame, push face, the image clipped inside, focus rectangle.
void CGUIButton::DrawImageFace(LPDRAWITEMSTRUCT item) {
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  const bool focus = (item->itemState & ODS_FOCUS) != 0;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const bool framed = focus || (item->itemState & ODS_DEFAULT) != 0;
  if (framed) {
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::InflateRect(&rc, -1, -1);
  }
  UINT face = DFCS_BUTTONPUSH;
  if (pressed) face |= DFCS_FLAT;
  if (m_imageType == BS_DEFPUSHBUTTON) face |= DFCS_CHECKED;
  ::DrawFrameControl(dc, &rc, DFC_BUTTON, face);
  RECT area = {rc.left + 1, rc.top + 1, rc.right - 2, rc.bottom - 2};
  unsigned int state = QvDrawFillFace;
  if (!::IsWindowEnabled(m_hWnd)) state |= QvDrawDisabled;
  RECT drawn = area;
  bool shifted = false;
  if (m_image && m_image->IsPair()) {
    state |= QvDrawPair;
    if (pressed) {
      ::OffsetRect(&drawn, 1, 1);
      shifted = true;
    }
  }
  if (!framed) ::OffsetRect(&drawn, 0, 1);
  {
    uih::SavedDC saved(dc);
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    DrawImageInState(CDC::FromHandle(dc), &drawn, m_image, QvImageCentre, state);
  }
  if (m_drawFocus && focus) {
    RECT ring = shifted ? area : drawn;
    ::InflateRect(&ring, -1, -1);
    ring.left += 1;
    ring.top += 1;
    ::DrawFocusRect(dc, &ring);
  }
}

void CGUIButton::DrawItem(LPDRAWITEMSTRUCT item) {
  if (!item) return;
  if (!m_readOnly) {
    if (m_image) DrawImageFace(item);
    return;
  }
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  const int height = rc.bottom - rc.top;
  {
    uih::OwnedBrush background(::CreateSolidBrush(::GetBkColor(dc)));
    ::FillRect(dc, &rc, background.Get());
  }
  const int state = GetCheckState();
  const COLORREF textColor = ::GetTextColor(dc);
  int textLeft;
  if (IsCheckType(m_savedType)) {
    RECT box = {rc.left + 5, rc.top + (height - 13) / 2, rc.left + 5 + 13, rc.top + (height - 13) / 2 + 13};
    ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    if (state == BST_CHECKED || state == BST_INDETERMINATE) {
      // The indeterminate state shows its tick greyed.
      uih::OwnedPen pen(::CreatePen(PS_SOLID, 1, state == BST_CHECKED ? textColor : ::GetSysColor(COLOR_GRAYTEXT)));
      uih::Selection selected(dc, pen.Get());
      int x = box.left + 9, y = box.top + 3;
      for (int i = 0; i < 4; ++i, --x, ++y) {
        ::MoveToEx(dc, x, y, NULL);
        ::LineTo(dc, x, y + 3);
      }
      y -= 2;
      for (int i = 0; i < 3; ++i, --x, --y) {
        ::MoveToEx(dc, x, y, NULL);
        ::LineTo(dc, x, y + 3);
      }
    }
    textLeft = box.right + 4;
  } else {
    RECT circle = {rc.left + 1, rc.top + (height - 12) / 2, rc.left + 13, rc.top + (height - 12) / 2 + 12};
    ::DrawFrameControl(dc, &circle, DFC_BUTTON, DFCS_BUTTONRADIO);
    if (state == BST_CHECKED) {
      uih::OwnedBrush dot(::CreateSolidBrush(textColor));
      uih::OwnedPen pen(::CreatePen(PS_SOLID, 1, textColor));
      uih::Selection brush(dc, dot.Get());
      uih::Selection outline(dc, pen.Get());
      ::Ellipse(dc, circle.left + 4, circle.top + 4, circle.left + 8, circle.top + 8);
    }
    textLeft = circle.right + 6;
  }
  const std::wstring text = WindowText(m_hWnd);
  if (!text.empty()) {
    RECT label = {textLeft, rc.top, rc.right, rc.bottom};
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    ::SetBkMode(dc, mode);
  }
}

bool CGUIButton::PaintSeparator(HDC printDC) {
  if ((GetStyle() & BS_TYPEMASK) != BS_GROUPBOX || ::GetWindowTextLengthW(m_hWnd) > 0) return false;
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  if (rc.bottom >= 20 && rc.right >= 13) return false;
  PAINTSTRUCT paint;
  HDC dc = printDC ? printDC : ::BeginPaint(m_hWnd, &paint);
  if (rc.bottom < 20) {
    RECT line = {0, 0, rc.right, 2};
    ::DrawEdge(dc, &line, EDGE_RAISED, BF_TOP | BF_BOTTOM);
  } else {
    RECT line = {0, 0, 2, rc.bottom};
    ::DrawEdge(dc, &line, EDGE_RAISED, BF_LEFT | BF_RIGHT);
  }
  if (!printDC) ::EndPaint(m_hWnd, &paint);
  return true;
}

LRESULT CGUIButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      if (m_image && !m_readOnly) {
        // An image button looks pressed for a moment instead of taking a second click.
        ::SendMessageW(m_hWnd, BM_SETSTATE, 1, 0);
        ::SendMessageW(m_hWnd, BM_SETSTATE, 0, 0);
        return 0;
      }
      if (m_readOnly) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m_readOnly) return 0;  // the state does not change by mouse or keyboard
      break;
    case WM_PAINT:
      if (PaintSeparator(NULL)) return 0;
      break;
    case WM_SETFOCUS:
      // A focused image button becomes the dialog's default button; told here rather than
      // while it draws, so that painting never changes the dialog's buttons.
      if (m_image && m_hWnd) {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (HWND parent = ::GetParent(m_hWnd))
          ::SendMessageW(parent, DM_SETDEFID, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)), 0);
        return result;
      }
      break;
    case WM_PRINTCLIENT:
      if (wParam && PaintSeparator(reinterpret_cast<HDC>(wParam))) return 0;
      break;
  }
  return CButton::WindowProc(message, wParam, lParam);
}
