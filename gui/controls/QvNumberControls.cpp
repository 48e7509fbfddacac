// Portable spinners, sliders and progress bars.
#include "GUIControls.h"
#include "QvControls.h"

QV_IMPLEMENT_CREATABLE(QvSpinner, QV_RUNTIME_CLASS(QvEditText))
QV_IMPLEMENT_CREATABLE(QvSlider, QV_RUNTIME_CLASS(QvControl))
QV_IMPLEMENT_CREATABLE(QvProgressBar, QV_RUNTIME_CLASS(QvControl))
QV_CLASSINIT(QvSpinner)
QV_CLASSINIT(QvSlider)
QV_CLASSINIT(QvProgressBar)

CGUISpinner* QvSpinner::Spinner() const {
  return GetPlatformWindow() ? dynamic_cast<CGUISpinner*>(m_platformControl) : nullptr;
}

void QvSpinner::OnPlatformControlSet() {
  if (CGUISpinner* spinner = Spinner()) spinner->CreateArrows();
}

void QvSpinner::SetReadOnly(bool readOnly) {
  if (CGUISpinner* spinner = Spinner())
    spinner->SetReadOnly(readOnly);
  else
    QvEditText::SetReadOnly(readOnly);
}

void QvSpinner::SetAuthorizedChar(const QvString&) {}
void QvSpinner::SetFilteredChar(const QvString&) {}

void QvSpinner::SetStep(double step) {
  if (CGUISpinner* spinner = Spinner()) spinner->SetStep(step);
}

double QvSpinner::GetStep() {
  CGUISpinner* spinner = Spinner();
  return spinner ? spinner->m_step : 0.0;
}

void QvSpinner::SetRange(double minimum, double maximum) {
  if (CGUISpinner* spinner = Spinner()) spinner->SetRange(minimum, maximum);
}

bool QvSpinner::GetRange(long& minimum, long& maximum) {
  CGUISpinner* spinner = Spinner();
  if (!spinner) return false;
  minimum = static_cast<long>(spinner->m_minimum);
  maximum = static_cast<long>(spinner->m_maximum);
  return true;
}

bool QvSpinner::GetRange(double& minimum, double& maximum) {
  CGUISpinner* spinner = Spinner();
  if (!spinner) return false;
  minimum = spinner->m_minimum;
  maximum = spinner->m_maximum;
  return true;
}

void QvSpinner::SetValue(double value) {
  if (CGUISpinner* spinner = Spinner()) spinner->SetValue(value);
}

bool QvSpinner::GetValue(long& value) {
  CGUISpinner* spinner = Spinner();
  if (!spinner) return false;
  value = static_cast<long>(spinner->m_value);
  return true;
}

bool QvSpinner::GetValue(double& value) {
  CGUISpinner* spinner = Spinner();
  if (!spinner) return false;
  value = spinner->m_value;
  return true;
}

bool QvSpinner::IsRealInput() { return false; }
void QvSpinner::SetRealInput(bool) {}

void QvSpinner::DisableOnKillFocus() {
  if (CGUISpinner* spinner = Spinner()) spinner->m_keepTextOnKillFocus = 1;
}

void QvSpinner::Redraw() {
  if (CGUISpinner* spinner = Spinner()) spinner->Relayout();
}

void QvSlider::SetStep(unsigned long step) {
  if (HWND window = GetPlatformWindow()) ::SendMessageW(window, TBM_SETTICFREQ, step, 0);
}

unsigned long QvSlider::GetStep() { return 0; }

void QvSlider::SetRange(long minimum, long maximum) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  ::SendMessageW(window, TBM_SETRANGEMIN, FALSE, minimum);
  ::SendMessageW(window, TBM_SETRANGEMAX, FALSE, maximum);
}

bool QvSlider::GetRange(long& minimum, long& maximum) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  minimum = static_cast<long>(::SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
  maximum = static_cast<long>(::SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
  return true;
}

void QvSlider::SetValue(long value) {
  if (HWND window = GetPlatformWindow()) ::SendMessageW(window, TBM_SETPOS, TRUE, value);
}

long QvSlider::GetValue() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<long>(::SendMessageW(window, TBM_GETPOS, 0, 0)) : 0;
}

void QvProgressBar::SetRange(long minimum, long maximum) {
  if (HWND window = GetPlatformWindow())
    ::SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

bool QvProgressBar::GetRange(long& minimum, long& maximum) {
  HWND window = GetPlatformWindow();
  if (!window) return false;
  PBRANGE range = {};
  ::SendMessageW(window, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  minimum = range.iLow;
  maximum = range.iHigh;
  return true;
}

void QvProgressBar::SetValue(long value) {
  if (HWND window = GetPlatformWindow()) ::SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

long QvProgressBar::GetValue() {
  HWND window = GetPlatformWindow();
  return window ? static_cast<long>(::SendMessageW(window, PBM_GETPOS, 0, 0)) : 0;
}
