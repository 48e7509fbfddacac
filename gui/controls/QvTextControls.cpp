// Portable static texts, edit fields and buttons: each call goes to the bound window.
#include <QvGUIContainer.h>

#include <string>

#include "GUIControls.h"
#include "QvControls.h"

QV_IMPLEMENT_CREATABLE(QvStaticText, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvEditText, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvPassEditText, QV_RUNTIME_CLASS(QvEditText))
QV_IMPLEMENT_CREATABLE(QvPushButton, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvRadioButton, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvCheckBox, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvGroupBox, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvStaticText)
QV_CLASSINIT(QvEditText)
QV_CLASSINIT(QvPassEditText)
QV_CLASSINIT(QvPushButton)
QV_CLASSINIT(QvRadioButton)
QV_CLASSINIT(QvCheckBox)
QV_CLASSINIT(QvGroupBox)

namespace {
LONG Style(HWND window) { return ::GetWindowLongW(window, GWL_STYLE); }

void GetSel(HWND window, DWORD& start, DWORD& end) {
  start = end = 0;
  ::SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

void SetSel(HWND window, long start, long end, bool scroll) {
  ::SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  if (scroll) ::SendMessageW(window, EM_SCROLLCARET, 0, 0);
}

void ReplaceSel(HWND window, const std::wstring& text) {
  ::SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Edit field

CGUIEdit* QvEditText::Edit() const {
  return GetPlatformWindow() ? dynamic_cast<CGUIEdit*>(m_platformControl) : nullptr;
}

void QvEditText::SetText(const QvString& text, bool notify) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  const bool wasSet = Get_EditTextSetByProgram();
  Set_EditTextSetByProgram(true);
  QvControl::SetText(text);
  Set_EditTextSetByProgram(wasSet);
  if (notify) {
    QvControlNotification notification(static_cast<unsigned short>(::GetDlgCtrlID(window)), this, 200, 0);
    OnControlNotification(notification);
  }
}

void QvEditText::AddText(const QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  long end = ::GetWindowTextLengthW(window);
  SetSel(window, end, end, false);
  ReplaceSel(window, text.ToWide());
  end = ::GetWindowTextLengthW(window);
  SetSel(window, end, end, false);
  ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  ReplaceSel(window, L"\r\n");
}

void QvEditText::EnableInput(bool enable) {
  HWND window = GetPlatformWindow();
  if (window && ((Style(window) & ES_READONLY) != 0) == enable) SetReadOnly(!enable);
}

long QvEditText::GetMaxCharLimit() {
  if (CGUIEdit* edit = Edit()) return edit->m_maxCharLimit;
  if (CGUISpinner* spinner = GetPlatformWindow() ? dynamic_cast<CGUISpinner*>(m_platformControl) : nullptr)
    return spinner->m_maxCharLimit;
  return 0;
}

void QvEditText::SetMaxCharLimit(long limit) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  if (CGUIEdit* edit = Edit()) edit->m_maxCharLimit = limit;
  if (CGUISpinner* spinner = dynamic_cast<CGUISpinner*>(m_platformControl)) spinner->m_maxCharLimit = limit;
  ::SendMessageW(window, EM_LIMITTEXT, limit == -1 ? 0 : static_cast<WPARAM>(limit), 0);
}

unsigned long QvEditText::GetTextLength() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<unsigned long>(::GetWindowTextLengthW(window)) : 0;
}

bool QvEditText::IsMultilineMode() {
  HWND window = GetPlatformWindow();
  return window && (Style(window) & ES_MULTILINE) != 0;
}

void QvEditText::FreezeRedraw(bool freeze) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  ::SendMessageW(window, WM_SETREDRAW, freeze ? FALSE : TRUE, 0);
  if (!freeze) ::RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void QvEditText::SetAuthorizedChar(const QvString& chars) {
  if (CGUIEdit* edit = Edit()) edit->m_authorizedChars = chars;
}

void QvEditText::SetFilteredChar(const QvString& chars) {
  if (CGUIEdit* edit = Edit()) edit->m_filteredChars = chars;
}

void QvEditText::EnableSelection(bool) {}

bool QvEditText::GetSelection(long& start, long& end) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  DWORD s, e;
  GetSel(window, s, e);
  start = static_cast<long>(s);
  end = static_cast<long>(e);
  return true;
}

void QvEditText::SetSelection(long start, long end, bool scroll) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  if (start == -1 && end == -1) start = 0;  // the whole text
  SetSel(window, start, end, scroll);
}

void QvEditText::ReplaceSelection(const QvString& text) {
  if (HWND window = GetPlatformWindow()) ReplaceSel(window, text.ToWide());
}

void QvEditText::RevealSelection() {
  HWND window = GetPlatformWindow();
  if (!window) return;
  DWORD s, e;
  GetSel(window, s, e);
  SetSel(window, static_cast<long>(s), static_cast<long>(e), true);
}

void QvEditText::ResetSelection() {
  HWND window = GetPlatformWindow();
  if (!window) return;
  DWORD s, e;
  GetSel(window, s, e);
  SetSel(window, static_cast<long>(e), static_cast<long>(e), false);
}

void QvEditText::SetCaretPos(long position) {
  if (HWND window = GetPlatformWindow()) SetSel(window, position, position, true);
}

long QvEditText::GetCaretPos() {
  HWND window = GetPlatformWindow();
  if (!window) return -1;
  DWORD s, e;
  GetSel(window, s, e);
  return static_cast<long>(e);
}

void QvEditText::SetReadOnly(bool readOnly) {
  if (HWND window = GetPlatformWindow()) ::SendMessageW(window, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

// ---------------------------------------------------------------------------------------
// Buttons

namespace {
CGUIButton* ButtonOf(const QvControl* control) {
  return control->GetPlatformWindow() ? dynamic_cast<CGUIButton*>(control->m_platformControl) : nullptr;
}

void SetCheck(const QvControl* control, int state) {
  if (CGUIButton* button = ButtonOf(control))
    button->SetCheckState(state);
  else if (HWND window = control->GetPlatformWindow())
    ::SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int GetCheck(const QvControl* control) {
  HWND window = control->GetPlatformWindow();
  return window ? static_cast<int>(::SendMessageW(window, BM_GETCHECK, 0, 0)) : -1;
}
}  // namespace

CGUIButton* QvPushButton::Button() const { return ButtonOf(this); }

void QvPushButton::SetImage(QvImage* image, bool drawFocus) {
  if (CGUIButton* button = Button()) button->SetImage(image, drawFocus);
}

CGUIButton* QvRadioButton::Button() const { return ButtonOf(this); }

void QvRadioButton::Check(bool check) { SetCheck(this, check ? BST_CHECKED : BST_UNCHECKED); }

bool QvRadioButton::IsChecked() { return GetCheck(this) == BST_CHECKED; }

void QvRadioButton::SetReadOnly(bool readOnly) {
  if (CGUIButton* button = Button()) button->SetReadOnly(readOnly);
}

CGUIButton* QvCheckBox::Button() const { return ButtonOf(this); }

void QvCheckBox::EnableTriState(bool enable) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  const UINT from = enable ? BS_AUTOCHECKBOX : BS_AUTO3STATE;
  const UINT to = enable ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
  CGUIButton* button = Button();
  if (button && button->IsReadOnly()) {
    if (button->m_savedType == from) button->m_savedType = to;
  } else if ((static_cast<UINT>(Style(window)) & BS_TYPEMASK) == from) {
    ::SendMessageW(window, BM_SETSTYLE, to, TRUE);
  }
}

void QvCheckBox::SetState(QvTriState state) {
  if (state >= QvUnchecked && state <= QvIndeterminate) SetCheck(this, state);
}

QvTriState QvCheckBox::GetState() { return GetCheck(this); }

void QvCheckBox::SetReadOnly(bool readOnly) {
  if (CGUIButton* button = Button()) button->SetReadOnly(readOnly);
}
