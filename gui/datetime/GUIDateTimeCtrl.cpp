// The platform date/time field and its field edits.
#include "GUIDateTimeCtrl.h"

#include <QvGUIContainer.h>
#include <commctrl.h>
#include <wchar.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UIClipboardText.h"
#include "UIHandles.h"
#include "UITrace.h"
#include "UIUtilities.h"

IMPLEMENT_DYNCREATE(CGUIDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CGUIDateTimeEdit, CEdit)

namespace {

UlmLogger s_log("GUIDateTimeCtrl");

// The positions of the field edits, in tab order.
const int kFieldPositions[4] = {0, 2, 4, 5};

std::wstring Number(int n) {
  wchar_t text[16];
  swprintf(text, 16, L"%i", n);
  return text;
}

std::wstring Wide(const QvString& text) { return text.ToWide(); }

// The characters of a WM_SETTEXT, from a window of either character set.
std::wstring SetTextArgument(HWND window, LPARAM lParam) {
  if (!lParam) return std::wstring();
  if (::IsWindowUnicode(window)) return reinterpret_cast<const wchar_t*>(lParam);
  const char* text = reinterpret_cast<const char*>(lParam);
  const int wide = ::MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
  if (wide <= 0) return std::wstring();
  std::vector<wchar_t> converted(static_cast<size_t>(wide));
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, converted.data(), wide);
  return converted.data();
}

// A text as a WM_SETTEXT argument for a window of either character set.
class TextArgument {
 public:
  TextArgument(HWND window, const std::wstring& text) : m_wide(text) {
    if (::IsWindowUnicode(window)) return;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, NULL, 0, NULL, NULL);
    m_narrow.assign(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, m_narrow.data(), bytes, NULL, NULL);
  }
  LPARAM Get() const {
    return m_narrow.empty() ? reinterpret_cast<LPARAM>(m_wide.c_str()) : reinterpret_cast<LPARAM>(m_narrow.data());
  }

 private:
  std::wstring m_wide;
  std::vector<char> m_narrow;
};

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The number a typed text starts with (at most 9 characters read, as the field reads it);
// an empty text reads as 0.
long ReadNumber(const std::wstring& text) { return wcstol(text.substr(0, 9).c_str(), nullptr, 10); }

SIZE TextSize(HDC dc, const std::wstring& text) {
  SIZE size = {0, 0};
  if (!text.empty()) ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// The control

CGUIDateTimeCtrl::~CGUIDateTimeCtrl() {
  DeleteFields();
  delete m_arrows;  // destroys its window when it still has one
  m_arrows = nullptr;
}

BOOL CGUIDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(_T("QvDateTimeCtrl"), NULL, style, rect, parent, id);
}

void CGUIDateTimeCtrl::DeleteFields() {
  for (CGUIDateTimeEdit*& field : m_fields) {
    delete field;
    field = nullptr;
  }
  m_current = nullptr;
}

bool CGUIDateTimeCtrl::HasAMPMField() const {
  return IsTwelveHourClock() && m_timeFormat.find(L't') != std::wstring::npos;
}

CGUIDateTimeCtrl::Value CGUIDateTimeCtrl::ValueAt(int position) const {
  if (!IsDateMode()) {
    switch (position) {
      case 0: return kFirstValue;
      case 2: return kSecondValue;
      case 4: return HasSeconds() ? kThirdValue : kNoValue;
      case 5: return HasAMPMField() ? kPMFlag : kNoValue;
    }
    return kNoValue;
  }
  // Date values: first the day, second the month, third the year.
  static const Value kByOrder[3][3] = {
      {kSecondValue, kFirstValue, kThirdValue},  // month-day-year
      {kFirstValue, kSecondValue, kThirdValue},  // day-month-year
      {kThirdValue, kSecondValue, kFirstValue},  // year-month-day
  };
  if (position != 0 && position != 2 && position != 4) return kNoValue;
  return kByOrder[m_order <= 2 ? m_order : 0][position / 2];
}

int CGUIDateTimeCtrl::FullYear(int year) { return year >= 100 ? year : year < 30 ? 2000 + year : 1900 + year; }

void CGUIDateTimeCtrl::GetRange(Value value, int& minimum, int& maximum) const {
  minimum = 0;
  maximum = 0;
  if (value == kPMFlag) {
    maximum = 1;
  } else if (!IsDateMode()) {
    switch (value) {
      case kFirstValue:
        minimum = IsTwelveHourClock() ? 1 : 0;
        maximum = IsTwelveHourClock() ? 12 : 23;
        break;
      case kSecondValue:
      case kThirdValue: maximum = 59; break;
      default: break;
    }
  } else {
    switch (value) {
      case kFirstValue: {
        minimum = 1;
        const int days = QvDate::DaysInMonth(static_cast<unsigned short>(FullYear(m_values[kThirdValue])),
                                             m_values[kSecondValue]);
        maximum = days > 0 ? days : 31;
        break;
      }
      case kSecondValue:
        minimum = 1;
        maximum = 12;
        break;
      case kThirdValue:
        minimum = (m_style & kFourDigitYears) ? 1601 : 0;
        maximum = (m_style & kFourDigitYears) ? 9999 : 99;
        break;
      default: break;
    }
  }
}

int CGUIDateTimeCtrl::FieldWidth(Value value) const {
  return IsDateMode() && value == kThirdValue && (m_style & kFourDigitYears) ? 4 : 2;
}

CGUIDateTimeEdit* CGUIDateTimeCtrl::GetFieldEdit(int position) const {
  for (int k = 0; k < 4; ++k)
    if (kFieldPositions[k] == position) return m_fields[k];
  return nullptr;
}

std::wstring CGUIDateTimeCtrl::GetHalfDayText(bool pm) const {
  const QvLocale* locale = Get_GlobalLocale();
  const std::wstring text = Wide(pm ? locale->GetPMText() : locale->GetAMText());
  return text.empty() ? std::wstring(pm ? L"PM" : L"AM") : text;
}

HFONT CGUIDateTimeCtrl::Font() const {
  if (m_font) return m_font;
  HFONT kept = m_hWnd ? reinterpret_cast<HFONT>(::GetWindowLongPtrW(m_hWnd, 0)) : NULL;
  return kept ? kept : UIGetDefaultGUIFont();
}

QvControl* CGUIDateTimeCtrl::PortableControl() const {
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : NULL;
  QvGUIContainer* container = parent ? GUIGetQvGUIContainer(CWnd::FromHandlePermanent(parent)) : nullptr;
  return container ? container->LookupControl(static_cast<unsigned short>(::GetDlgCtrlID(m_hWnd))) : nullptr;
}

void CGUIDateTimeCtrl::SetStyle(unsigned short style) {
  m_style = static_cast<unsigned short>((m_style & (kDateMode | kFourDigitYears)) | (style & ~(kDateMode | kFourDigitYears)));
  Build(true);
}

bool CGUIDateTimeCtrl::SetDate(const QvDate& date) {
  if (!date.IsValid()) return false;
  const QvDateTimeFormat& format = Get_GlobalLocale()->GetDateTimeFormat();
  m_style = static_cast<unsigned short>(m_style | kDateMode);
  m_style = static_cast<unsigned short>(format.fourDigitYears ? m_style | kFourDigitYears : m_style & ~kFourDigitYears);
  m_order = static_cast<unsigned short>(format.dateOrder);
  m_dateSeparator = Wide(format.dateSeparator);
  m_values[kFirstValue] = date.GetDay();
  m_values[kSecondValue] = date.GetMonth();
  m_values[kThirdValue] = date.GetYear();
  Build(true);
  return true;
}

bool CGUIDateTimeCtrl::GetDate(QvDate& date) {
  if (!IsDateMode()) return false;
  if (m_values[kThirdValue] < 100) m_values[kThirdValue] = static_cast<unsigned short>(FullYear(m_values[kThirdValue]));
  QvDate read;
  if (!read.Set(m_values[kThirdValue], m_values[kSecondValue], m_values[kFirstValue])) return false;
  date = read;
  return true;
}

void CGUIDateTimeCtrl::SetTime(const QvTime& time) {
  const QvDateTimeFormat& format = Get_GlobalLocale()->GetDateTimeFormat();
  m_style = static_cast<unsigned short>(m_style & ~kDateMode);
  m_order = format.twentyFourHours ? 1 : 0;
  m_timeSeparator = Wide(format.timeSeparator);
  m_timeFormat = Wide(format.timeFormat);
  unsigned short hour = time.GetHour();
  m_pm = 0;
  if (m_order == 0) {
    m_pm = hour >= 12 ? 1 : 0;
    hour = static_cast<unsigned short>(hour % 12 == 0 ? 12 : hour % 12);
  }
  m_values[kFirstValue] = hour;
  m_values[kSecondValue] = time.GetMinute();
  m_values[kThirdValue] = time.GetSecond();
  Build(true);
}

bool CGUIDateTimeCtrl::GetTime(QvTime& time) const {
  if (IsDateMode()) return false;
  unsigned short hour = m_values[kFirstValue];
  if (m_order == 0) hour = static_cast<unsigned short>(hour % 12 + (m_pm ? 12 : 0));
  QvTime read;
  if (!read.Set(hour, m_values[kSecondValue], m_values[kThirdValue])) return false;
  time = read;
  return true;
}

void CGUIDateTimeCtrl::Build(bool repaint) {
  HWND self = GetSafeHwnd();
  if (!self) return;
  HFONT font = Font();
  const std::wstring separator = IsDateMode() ? m_dateSeparator : m_timeSeparator;
  int widths[kPositions] = {};
  int textHeight = 0;
  {
    uih::WindowDC dc(self);
    uih::Selection selected(dc.Get(), font);
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc.Get(), &metrics);
    textHeight = metrics.tmHeight;
    for (int position = 0; position < 5; ++position) {
      if (position % 2 == 0) {
        const Value value = ValueAt(position);
        if (value == kNoValue) continue;
        const int chars = FieldWidth(value);
        widths[position] = TextSize(dc.Get(), std::wstring(L"88888888", static_cast<size_t>(chars))).cx + 2 + (chars == 4 ? 6 : 0);
      } else if (position == 1 || IsDateMode() || HasSeconds()) {
        widths[position] = TextSize(dc.Get(), separator).cx;
      }
    }
    if (HasAMPMField())
      widths[5] = std::max(TextSize(dc.Get(), GetHalfDayText(false)).cx, TextSize(dc.Get(), GetHalfDayText(true)).cx) + 2;
  }
  const int arrowsWidth = ::GetSystemMetrics(SM_CXHSCROLL);
  int inner = 9 + arrowsWidth;
  for (int position = 0; position < 5; ++position) inner += widths[position];
  if (widths[5] > 0) inner += widths[5] + 8;
  const int height = textHeight + 8;

  // The size of the client area; the frame the window may have comes on top.
  RECT window, client;
  ::GetWindowRect(self, &window);
  ::GetClientRect(self, &client);
  const int frameX = (window.right - window.left) - client.right, frameY = (window.bottom - window.top) - client.bottom;
  ::SetWindowPos(self, NULL, 0, 0, inner + frameX, height + frameY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  int x = 4;
  for (int position = 0; position < kPositions; ++position) {
    if (position == 5) x += 8;
    m_items[position] = RECT{x, 4, x + widths[position], height - 4};
    x += widths[position];
  }

  const bool enabled = ::IsWindowEnabled(self) != FALSE;
  for (int k = 0; k < 4; ++k) {
    const int position = kFieldPositions[k];
    const Value value = ValueAt(position);
    unsigned short* shows = value == kNoValue ? nullptr : value == kPMFlag ? &m_pm : &m_values[value];
    CGUIDateTimeEdit*& field = m_fields[k];
    if (field && (!shows || field->m_value != shows || !::IsWindow(field->m_hWnd))) {
      if (m_current == field) m_current = nullptr;
      delete field;
      field = nullptr;
    }
    if (!shows) continue;
    const RECT& at = m_items[position];
    if (!field) {
      CGUIDateTimeEdit* made = new CGUIDateTimeEdit(this, shows);
      const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (enabled ? 0 : WS_DISABLED);
      if (!made->Create(style, at, this, static_cast<UINT>(position + 1))) {
        UI_TRACE_FAILED(s_log, "CEdit::Create");  // the field is left out
        delete made;
        continue;
      }
      field = made;
      ::SendMessageW(made->m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    } else {
      ::MoveWindow(field->m_hWnd, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
    }
    ::SendMessageW(field->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!field->IsAMPM()) ::SendMessageW(field->m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(FieldWidth(value)), 0);
    field->ShowValue();
  }

  const RECT arrows = {inner - arrowsWidth, 0, inner, height};
  if (!m_arrows) {
    CSpinButtonCtrl* made = new CSpinButtonCtrl;
    const DWORD style = WS_CHILD | WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ARROWKEYS | (enabled ? 0 : WS_DISABLED);
    if (made->Create(style, arrows, this, kArrowsId)) {
      m_arrows = made;
    } else {
      UI_TRACE_FAILED(s_log, "CSpinButtonCtrl::Create");  // the control works without arrows
      delete made;
    }
  } else if (::IsWindow(m_arrows->m_hWnd)) {
    ::MoveWindow(m_arrows->m_hWnd, arrows.left, arrows.top, arrows.right - arrows.left, arrows.bottom - arrows.top, FALSE);
  }
  if (m_current) MakeCurrent(m_current);
  if (repaint) ::InvalidateRect(self, NULL, TRUE);
}

void CGUIDateTimeCtrl::UpdateArrows(bool position) {
  if (!m_current || !m_arrows || !::IsWindow(m_arrows->m_hWnd)) return;
  int minimum = 0, maximum = 0;
  GetRange(m_current->GetValueKind(), minimum, maximum);
  ::SendMessageW(m_arrows->m_hWnd, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
  // The position sets the field's text too: not while the user types into it (the arrows
  // read the text before each step anyway).
  if (position) ::SendMessageW(m_arrows->m_hWnd, UDM_SETPOS32, 0, static_cast<LPARAM>(m_current->ShownValue()));
}

void CGUIDateTimeCtrl::MakeCurrent(CGUIDateTimeEdit* edit) {
  m_current = edit;
  if (!edit || !::IsWindow(edit->m_hWnd)) return;
  if (m_arrows && ::IsWindow(m_arrows->m_hWnd) &&
      reinterpret_cast<HWND>(::SendMessageW(m_arrows->m_hWnd, UDM_GETBUDDY, 0, 0)) != edit->m_hWnd)
    ::SendMessageW(m_arrows->m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit->m_hWnd), 0);
  if (!edit->IsAMPM()) ::SendMessageW(edit->m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(FieldWidth(edit->GetValueKind())), 0);
  UpdateArrows(true);
}

CGUIDateTimeEdit* CGUIDateTimeCtrl::Neighbour(CGUIDateTimeEdit* edit, bool previous) const {
  int at = -1;
  for (int k = 0; k < 4; ++k)
    if (m_fields[k] && m_fields[k] == edit) at = k;
  if (at < 0) return nullptr;
  for (int k = previous ? at - 1 : at + 1; k >= 0 && k < 4; k += previous ? -1 : 1)
    if (m_fields[k]) return m_fields[k];
  return nullptr;
}

void CGUIDateTimeCtrl::TabFrom(CGUIDateTimeEdit* edit, bool previous) {
  if (CGUIDateTimeEdit* next = Neighbour(edit, previous)) {
    ::SetFocus(next->m_hWnd);
    return;
  }
  // Past the ends: the dialog's next (or previous) tab item.
  HWND self = m_hWnd;
  HWND dialog = ::GetParent(self);
  HWND item = dialog ? ::GetNextDlgTabItem(dialog, self, previous ? TRUE : FALSE) : NULL;
  m_current = nullptr;
  if (!item || item == self) return;
  ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
  if (::IsWindow(self) && ::IsChild(self, ::GetFocus())) ::SetFocus(item);  // a parent that is no dialog
}

void CGUIDateTimeCtrl::OnFocusEntering(HWND previous) {
  CGUIDateTimeEdit* first = nullptr;
  CGUIDateTimeEdit* last = nullptr;
  for (CGUIDateTimeEdit* field : m_fields)
    if (field && ::IsWindow(field->m_hWnd)) {
      if (!first) first = field;
      last = field;
    }
  if (!first) return;
  HWND dialog = ::GetParent(m_hWnd);
  HWND after = dialog ? ::GetNextDlgTabItem(dialog, m_hWnd, FALSE) : NULL;
  HWND before = dialog ? ::GetNextDlgTabItem(dialog, m_hWnd, TRUE) : NULL;
  CGUIDateTimeEdit* target = m_current ? m_current : first;
  if (previous && previous == after && (previous != before || ::GetKeyState(VK_SHIFT) < 0))
    target = last;  // back from the next tab item
  else if (previous && previous == before)
    target = first;
  ::SetFocus(target->m_hWnd);
}

bool CGUIDateTimeCtrl::ReportChange() {
  HWND self = m_hWnd;
  if (!self) return false;
  if (IsDateMode() && (!m_current || m_current->GetValueKind() != kFirstValue)) {
    int minimum = 1, maximum = 31;
    GetRange(kFirstValue, minimum, maximum);
    if (m_values[kFirstValue] > maximum) {
      m_values[kFirstValue] = static_cast<unsigned short>(maximum);
      for (CGUIDateTimeEdit* field : m_fields)
        if (field && field->m_value == &m_values[kFirstValue]) field->ShowValue();
    }
  }
  UpdateArrows(false);  // the day's range follows the month and the year
  NMHDR header = {};
  header.hwndFrom = self;
  header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(self));
  header.code = static_cast<UINT>(kDateTimeChanged);
  ::SendMessageW(::GetParent(self), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  // The parent may have destroyed the control meanwhile.
  return ::IsWindow(self) && CWnd::FromHandlePermanent(self) == this;
}

void CGUIDateTimeCtrl::Paint(HDC dc) {
  HWND self = m_hWnd;
  RECT rc;
  ::GetClientRect(self, &rc);
  const bool enabled = ::IsWindowEnabled(self) != FALSE;
  ::DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  ::FillRect(dc, &rc, ::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  uih::Selection font(dc, Font());
  COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
  if (!enabled) {
    text = ::GetSysColor(COLOR_GRAYTEXT);
  } else if (QvControl* control = PortableControl()) {
    control->GetTextColorIfSet(text);
  }
  const COLORREF oldText = ::SetTextColor(dc, text);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const std::wstring separator = IsDateMode() ? m_dateSeparator : m_timeSeparator;
  for (int position : {1, 3}) {
    if (position == 3 && !IsDateMode() && !HasSeconds()) continue;
    RECT at = m_items[position];
    if (!separator.empty() && at.right > at.left)
      ::DrawTextW(dc, separator.c_str(), static_cast<int>(separator.size()), &at, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  ::SetBkMode(dc, oldMode);
  ::SetTextColor(dc, oldText);
}

LRESULT CGUIDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(m_hWnd, &paint);
      if (dc) Paint(dc);
      ::EndPaint(m_hWnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (wParam) Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole by WM_PAINT
    case WM_SETFONT:
      if (m_font && m_font == reinterpret_cast<HFONT>(wParam)) return 0;  // laid out with it already
      m_font = reinterpret_cast<HFONT>(wParam);
      ::SetWindowLongPtrW(m_hWnd, 0, static_cast<LONG_PTR>(wParam));  // kept for a later binding
      if (m_fields[0] || m_fields[1]) Build(LOWORD(lParam) != 0);
      return 0;
    case WM_GETFONT:
      return ::GetWindowLongPtrW(m_hWnd, 0);  // the font WM_SETFONT gave, also before the binding
    case WM_SETFOCUS:
      OnFocusEntering(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_ENABLE:
      for (CGUIDateTimeEdit* field : m_fields)
        if (field && ::IsWindow(field->m_hWnd)) ::EnableWindow(field->m_hWnd, static_cast<BOOL>(wParam));
      if (m_arrows && ::IsWindow(m_arrows->m_hWnd)) ::EnableWindow(m_arrows->m_hWnd, static_cast<BOOL>(wParam));
      ::InvalidateRect(m_hWnd, NULL, TRUE);
      return 0;
    case WM_VSCROLL:
      if (m_arrows && reinterpret_cast<HWND>(lParam) == m_arrows->m_hWnd && LOWORD(wParam) == SB_THUMBPOSITION) {
        if (m_current && ::IsWindow(m_current->m_hWnd) && ::GetFocus() != m_current->m_hWnd) {
          CGUIDateTimeEdit* current = m_current;
          ::SetFocus(current->m_hWnd);
          if (!::IsWindow(m_hWnd)) return 0;
        }
        ReportChange();
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const bool enabled = ::IsWindowEnabled(m_hWnd) != FALSE;
      COLORREF text = ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
      if (enabled)
        if (QvControl* control = PortableControl()) control->GetTextColorIfSet(text);
      ::SetTextColor(dc, text);
      ::SetBkColor(dc, ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_NCDESTROY: {
      // The children are gone already: only their objects are left.
      DeleteFields();
      delete m_arrows;
      m_arrows = nullptr;
      break;
    }
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// The fields

CGUIDateTimeCtrl::Value CGUIDateTimeEdit::GetValueKind() const {
  if (IsAMPM()) return CGUIDateTimeCtrl::kPMFlag;
  for (int v = 0; v < 3; ++v)
    if (m_value == &m_owner->m_values[v]) return static_cast<CGUIDateTimeCtrl::Value>(v);
  return CGUIDateTimeCtrl::kNoValue;
}

int CGUIDateTimeEdit::ShownValue() const {
  const CGUIDateTimeCtrl::Value kind = GetValueKind();
  const bool twoDigitYear = m_owner->IsDateMode() && kind == CGUIDateTimeCtrl::kThirdValue &&
                            !(m_owner->m_style & CGUIDateTimeCtrl::kFourDigitYears);
  return twoDigitYear ? *m_value % 100 : *m_value;
}

void CGUIDateTimeEdit::ShowValue() {
  if (m_hWnd) ::SetWindowTextW(m_hWnd, Number(*m_value).c_str());
}

void CGUIDateTimeEdit::Validate(bool putBack, bool leaving) {
  HWND self = m_hWnd;
  if (IsAMPM() || !GetModify()) return;
  const std::wstring text = WindowText(self);
  long n = ReadNumber(text);
  const CGUIDateTimeCtrl::Value kind = GetValueKind();
  const bool fourDigitYear = m_owner->IsDateMode() && kind == CGUIDateTimeCtrl::kThirdValue &&
                             (m_owner->m_style & CGUIDateTimeCtrl::kFourDigitYears);
  int minimum = 0, maximum = 0;
  m_owner->GetRange(kind, minimum, maximum);
  if (fourDigitYear && leaving && !text.empty() && text.size() <= 2 &&
      std::all_of(text.begin(), text.end(), IsDigit))
    n = CGUIDateTimeCtrl::FullYear(static_cast<int>(n));  // a two-digit year typed into a wide field
  if (n >= minimum && n <= maximum) {
    SetModify(FALSE);
    if (n != ShownValue()) {
      *m_value = static_cast<unsigned short>(n);
      if (!m_owner->ReportChange()) return;
      if (leaving) ShowValue();
    }
    return;
  }
  // A four-digit year being typed stays until it has its four digits or the focus leaves.
  if (fourDigitYear && !leaving && text.size() < 4) return;
  if (m_owner->m_keepInvalidText && !putBack) return;
  const unsigned char pad = m_owner->m_padWithZeros;
  m_owner->m_padWithZeros = 0;
  ::SetWindowTextW(self, Number(ShownValue()).c_str());
  m_owner->m_padWithZeros = pad;
  SetModify(FALSE);
}

LRESULT CGUIDateTimeEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND self = m_hWnd;
  switch (message) {
    case WM_GETDLGCODE:
      return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTTAB;
    case WM_CHAR: {
      const wchar_t c = static_cast<wchar_t>(wParam);
      if (c == L'\t') {
        m_owner->TabFrom(this, ::GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      if (IsAMPM()) return 0;
      const bool passes = c == 3 || c == 8 || c == 22 || c == 24 || c == L'-' || c == L'.' || IsDigit(c);
      if (!passes) return 0;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      if (CWnd::FromHandlePermanent(self) == this) Validate(false, false);
      return result;
    }
    case WM_KEYDOWN: {
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      if (::IsWindow(self) && CWnd::FromHandlePermanent(self) == this) Validate(false, false);
      return result;
    }
    case WM_PASTE: {
      if (IsAMPM()) return 0;
      std::wstring text;
      const size_t width = static_cast<size_t>(m_owner->FieldWidth(GetValueKind()));
      if (!quarnel::ClipboardText(self, text) || text.size() > width || !std::all_of(text.begin(), text.end(), IsDigit)) return 0;
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      if (CWnd::FromHandlePermanent(self) == this) Validate(true, false);
      return result;
    }
    case WM_SETTEXT: {
      const std::wstring given = SetTextArgument(self, lParam);
      std::wstring digits;
      for (wchar_t c : given)
        if (IsDigit(c)) digits += c;
      if (IsAMPM()) {
        if (!digits.empty()) *m_value = ReadNumber(digits) != 0 ? 1 : 0;
        return CEdit::WindowProc(message, wParam, TextArgument(self, m_owner->GetHalfDayText(*m_value != 0)).Get());
      }
      if (!digits.empty()) {
        const long n = ReadNumber(digits.size() > 9 ? digits.substr(digits.size() - 9) : digits);
        if (n != ShownValue() && n <= 0xFFFF) *m_value = static_cast<unsigned short>(n);
      }
      const size_t width = static_cast<size_t>(m_owner->FieldWidth(GetValueKind()));
      if (m_owner->m_padWithZeros && !digits.empty()) {
        if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
        if (digits.size() > width) digits.erase(0, digits.size() - width);
      }
      return CEdit::WindowProc(message, wParam, TextArgument(self, digits).Get());
    }
    case WM_SETFOCUS: {
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      m_owner->MakeCurrent(this);
      ::SendMessageW(self, EM_SETSEL, 0, -1);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
      if (CWnd::FromHandlePermanent(self) != this) return result;
      Validate(true, true);
      if (!::IsWindow(self) || CWnd::FromHandlePermanent(self) != this) return result;
      if (m_owner->IsDateMode() && GetValueKind() == CGUIDateTimeCtrl::kThirdValue) {
        QvDate date;
        m_owner->GetDate(date);  // a two-digit year becomes its full year
      }
      ShowValue();
      return result;
    }
  }
  return CEdit::WindowProc(message, wParam, lParam);
}
