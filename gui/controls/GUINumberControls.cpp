// Platform controls of spinners, sliders and progress bars.
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "GUIControlText.h"
#include "GUIControls.h"
#include "UITrace.h"
#include "UIUtilities.h"

IMPLEMENT_DYNCREATE(CGUISpinner, CEdit)
IMPLEMENT_DYNCREATE(CGUISlider, CSliderCtrl)
IMPLEMENT_DYNCREATE(CGUIProgressBar, CProgressCtrl)

using namespace gui_widgets;

namespace {
const UINT kArrowsId = 100;
UlmLogger s_log("GUINumberControls");

bool IsNumberChar(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'-'; }

// Decimal digits plus one for a minus sign.
int NumberWidth(long n) {
  int width = n < 0 ? 2 : 1;
  for (unsigned long rest = n < 0 ? 0UL - static_cast<unsigned long>(n) : static_cast<unsigned long>(n); rest >= 10;
       rest /= 10)
    ++width;
  return width;
}

std::wstring Format(long n) {
  wchar_t text[16];
  wsprintfW(text, L"%i", static_cast<int>(n));
  return text;
}
}  // namespace

CGUISpinner::~CGUISpinner() {
  if (m_arrows) {
    if (::IsWindow(m_arrows->GetSafeHwnd())) m_arrows->DestroyWindow();
    delete m_arrows;
  }
}

bool CGUISpinner::CreateArrows() {
  HWND edit = GetSafeHwnd();
  if (!edit || m_arrows) return m_arrows != nullptr;
  CSpinButtonCtrl* arrows = new (std::nothrow) CSpinButtonCtrl;
  if (!arrows) return false;
  HWND parent = ::GetParent(edit);
  RECT rc;
  ::GetWindowRect(edit, &rc);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
  const int width = ::GetSystemMetrics(SM_CXHSCROLL);
  rc.right -= width;
  ::MoveWindow(edit, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
  const RECT at = {rc.right, rc.top, rc.right + width, rc.bottom};
  if (!arrows->Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT, at, CWnd::FromHandle(parent), kArrowsId)) {
    UI_TRACE_FAILED(s_log, "CSpinButtonCtrl::Create");
    delete arrows;
    return false;
  }
  m_arrows = arrows;
  ::SendMessageW(arrows->m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  UpdateArrows();
  EnableArrows();
  return true;
}

void CGUISpinner::Relayout() {
  HWND edit = GetSafeHwnd();
  if (!edit || !m_arrows) return;
  RECT rc;
  ::GetWindowRect(edit, &rc);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(edit), reinterpret_cast<POINT*>(&rc), 2);
  ::MoveWindow(m_arrows->m_hWnd, rc.right, rc.top, ::GetSystemMetrics(SM_CXHSCROLL), rc.bottom - rc.top, TRUE);
}

void CGUISpinner::UpdateArrows() {
  if (!m_arrows || !::IsWindow(m_arrows->m_hWnd)) return;
  HWND arrows = m_arrows->m_hWnd;
  UDACCEL accel = {0, static_cast<UINT>(m_step)};
  ::SendMessageW(arrows, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  ::SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(static_cast<long>(m_minimum)),
                 static_cast<LPARAM>(static_cast<long>(m_maximum)));
  ::SendMessageW(arrows, UDM_SETPOS32, 0, static_cast<LPARAM>(static_cast<long>(m_value)));
}

void CGUISpinner::EnableArrows() {
  if (m_arrows && ::IsWindow(m_arrows->m_hWnd))
    ::EnableWindow(m_arrows->m_hWnd, ::IsWindowEnabled(m_hWnd) && !m_readOnly);
}

void CGUISpinner::SetStep(double step) {
  m_step = step;
  if (m_arrows && ::IsWindow(m_arrows->m_hWnd)) {
    UDACCEL accel = {0, static_cast<UINT>(step)};
    ::SendMessageW(m_arrows->m_hWnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  }
}

void CGUISpinner::SetRange(double minimum, double maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
  if (m_arrows && ::IsWindow(m_arrows->m_hWnd))
    ::SendMessageW(m_arrows->m_hWnd, UDM_SETRANGE32, static_cast<WPARAM>(static_cast<long>(minimum)),
                   static_cast<LPARAM>(static_cast<long>(maximum)));
  const int limit = std::max(NumberWidth(static_cast<long>(minimum)), NumberWidth(static_cast<long>(maximum)));
  if (HWND edit = GetSafeHwnd()) ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void CGUISpinner::SetValue(double value) {
  m_value = value;
  HWND edit = GetSafeHwnd();
  if (!edit) return;
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  if (m_arrows && ::IsWindow(m_arrows->m_hWnd))
    ::SendMessageW(m_arrows->m_hWnd, UDM_SETPOS32, 0, static_cast<LPARAM>(static_cast<long>(value)));
  else
    ::SetWindowTextW(edit, Format(static_cast<long>(value)).c_str());  // no arrows to set it
}

void CGUISpinner::SetReadOnly(bool readOnly) {
  m_readOnly = readOnly ? 1 : 0;
  if (HWND edit = GetSafeHwnd()) ::SendMessageW(edit, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  EnableArrows();
}

void CGUISpinner::ReadValueFromText() {
  HWND edit = GetSafeHwnd();
  if (!edit) return;
  long n = _wtoi(WindowText(edit).c_str());
  n = std::max(n, static_cast<long>(m_minimum));
  n = std::min(n, static_cast<long>(m_maximum));
  if (static_cast<double>(n) == m_value) return;
  m_value = n;
  GUINotifyParent(edit, kGUINotifySpinnerValue, n);
}

LRESULT CGUISpinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR: {
      const wchar_t c = TypedChar(m_hWnd, wParam);
      const bool passes = c == L'\b' || (c >= L'0' && c <= L'9') || (c == L'-' && m_minimum < 0);
      if (!passes) return 0;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      ReadValueFromText();
      return result;
    }
    case WM_PASTE: {
      std::wstring text;
      if (ClipboardText(m_hWnd, text) && !std::all_of(text.begin(), text.end(), IsNumberChar)) return 0;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      ReadValueFromText();
      return result;
    }
    case WM_SETTEXT: {
      // Only digits and minus signs are kept, whatever the length of the text.
      LRESULT result;
      if (::IsWindowUnicode(m_hWnd)) {
        std::wstring kept;
        for (const wchar_t* p = reinterpret_cast<const wchar_t*>(lParam); p && *p; ++p)
          if (IsNumberChar(*p)) kept += *p;
        result = CEdit::WindowProc(message, wParam, reinterpret_cast<LPARAM>(kept.c_str()));
      } else {
        std::string kept;
        for (const char* p = reinterpret_cast<const char*>(lParam); p && *p; ++p)
          if (IsNumberChar(static_cast<unsigned char>(*p))) kept += *p;
        result = CEdit::WindowProc(message, wParam, reinterpret_cast<LPARAM>(kept.c_str()));
      }
      ReadValueFromText();
      return result;
    }
    case WM_KILLFOCUS:
      if (!m_keepTextOnKillFocus) {
        const std::wstring shown = Format(static_cast<long>(m_value));
        if (WindowText(m_hWnd) != shown) ::SetWindowTextW(m_hWnd, shown.c_str());
      }
      break;
    case WM_ENABLE: {
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      EnableArrows();
      return result;
    }
    case WM_SHOWWINDOW:
      if (m_arrows && ::IsWindow(m_arrows->m_hWnd)) ::ShowWindow(m_arrows->m_hWnd, wParam ? SW_SHOWNA : SW_HIDE);
      break;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}
