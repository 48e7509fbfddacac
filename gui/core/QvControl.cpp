// The portable control base: binding to a child window, and the notification record.
#include "QvControl.h"

#include <solvane.h>

#include <map>

#include "UIUtilities.h"

QV_IMPLEMENT_CLASS(QvControlNotification, nullptr)
QV_IMPLEMENT_CREATABLE(QvRootControl, nullptr)
QV_IMPLEMENT_CREATABLE(QvControl, QV_RUNTIME_CLASS(QvRootControl))
QV_CLASSINIT(QvRootControl)
QV_CLASSINIT(QvControl)

namespace {
// Portable class -> framework class of its platform window.
std::map<const QvRuntimeClass*, CRuntimeClass*>& PlatformClasses() {
  static std::map<const QvRuntimeClass*, CRuntimeClass*> classes;
  return classes;
}
}  // namespace

QvControlNotification::QvControlNotification(unsigned short id, QvControl* control, NotificationCode code,
                                             LONG_PTR value)
    : m_controlID(id), m_control(control), m_code(code), m_value(value) {}

QvControlNotification::~QvControlNotification() = default;

QvRootControl::~QvRootControl() = default;

void QvRootControl::SetText(const QvString&) {}

void QvRootControl::SetText(unsigned long labelId) { SetText(QvGetMyLabel(labelId)); }

QvControl::~QvControl() {
  if (m_ownsPlatformControl && m_platformControl) {
    // Deleting an object still bound would destroy the window; the child is the dialog's.
    if (m_platformControl->m_hWnd) m_platformControl->UnsubclassWindow();
    delete m_platformControl;
  }
  m_platformControl = nullptr;
}

bool QvControl::SetPlatformControl(HWND child) {
  CRuntimeClass* platformClass = GetPlatformClass(GetRuntimeClass());
  if (!platformClass || !::IsWindow(child)) return false;
  CWnd* platform = CWnd::FromHandlePermanent(child);
  if (!platform) {
    CObject* object = platformClass->CreateObject();
    platform = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
    if (!platform || !platform->SubclassWindow(child)) {
      delete object;
      return false;
    }
    m_ownsPlatformControl = 1;
  }
  m_platformControl = platform;
  ::SendMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  OnPlatformControlSet();
  return true;
}

void QvControl::SetText(const QvString& text) {
  HWND window = m_platformControl ? m_platformControl->GetSafeHwnd() : NULL;
  if (!window) return;
  ::SendMessage(window, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  ::SetWindowTextW(window, ucs2string::FromUtf8(text.c_str()).c_str());
}

bool QvControl::GetTextColorIfSet(COLORREF& color) const {
  if (m_textColor == static_cast<COLORREF>(-1)) return false;
  color = m_textColor;
  return true;
}

void QvControl::SetPlatformClass(const QvRuntimeClass* portableClass, CRuntimeClass* platformClass) {
  if (platformClass)
    PlatformClasses()[portableClass] = platformClass;
  else
    PlatformClasses().erase(portableClass);
}

CRuntimeClass* QvControl::GetPlatformClass(const QvRuntimeClass* portableClass) {
  auto it = PlatformClasses().find(portableClass);
  return it == PlatformClasses().end() ? nullptr : it->second;
}
