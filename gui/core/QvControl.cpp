// The portable control base: binding to a child window, forwarding to it, and the
// notification record.
#include "QvControl.h"

#include <map>
#include <vector>

#include "UITrace.h"
#include "UIUtilities.h"

QV_IMPLEMENT_CLASS(QvControlNotification, nullptr)
QV_IMPLEMENT_CREATABLE(QvRootControl, nullptr)
QV_IMPLEMENT_CREATABLE(QvControl, QV_RUNTIME_CLASS(QvRootControl))
QV_CLASSINIT(QvRootControl)
QV_CLASSINIT(QvControl)

namespace {
// The registered pairs: portable class -> framework class of its platform window.
std::map<const QvRuntimeClass*, CRuntimeClass*>& RegisteredClasses() {
  static std::map<const QvRuntimeClass*, CRuntimeClass*> classes;
  return classes;
}

// The binding map of the live controls, made from the registered pairs by the first one.
QvMapLPVoidLPVoid* s_bindingMap = nullptr;
unsigned short s_liveControls = 0;
void* s_globalCallback = nullptr;
UlmLogger s_log("QvControl");

void* Key(const QvRuntimeClass* c) { return const_cast<QvRuntimeClass*>(c); }

// True for the list view's platform class or one below it.
bool IsListViewClass(const CRuntimeClass* c) {
  for (; c; c = c->m_pBaseClass)
    if (c->m_lpszClassName && lstrcmpA(c->m_lpszClassName, "CGUIListView") == 0) return true;
  return false;
}
}  // namespace

QvControlNotification::QvControlNotification(unsigned short id, QvControl* control, NotificationCode code,
                                             LONG_PTR value)
    : m_controlID(id), m_control(control), m_code(code), m_value(value) {}

QvControlNotification::~QvControlNotification() = default;

QvRootControl::~QvRootControl() = default;

void QvRootControl::SetText(const QvString&) {}
void QvRootControl::SetText(unsigned long labelId) { SetText(QvGetMyLabel(labelId)); }
void QvRootControl::Show(bool) {}
void QvRootControl::Enable(bool) {}
unsigned short QvRootControl::GetText(QvString&) { return 0; }
void QvRootControl::SetFocus() {}
void QvRootControl::SetDefaultTextColor() {}
void QvRootControl::SetTextColor(QvColor) {}

QvControl::QvControl() {
  if (s_liveControls == 0 && !s_bindingMap) {
    s_bindingMap = new (std::nothrow) QvMapLPVoidLPVoid;
    if (s_bindingMap)
      for (const auto& pair : RegisteredClasses()) s_bindingMap->SetAt(Key(pair.first), pair.second);
  }
  ++s_liveControls;
}

QvControl::~QvControl() {
  if (m_ownsPlatformControl && m_platformControl) {
    // Deleting an object still bound would destroy the window; the child is the dialog's.
    if (m_platformControl->m_hWnd) m_platformControl->UnsubclassWindow();
    delete m_platformControl;
  }
  m_platformControl = nullptr;
  if (s_liveControls > 0 && --s_liveControls == 0 && s_bindingMap) {
    s_bindingMap->RemoveAll();
    delete s_bindingMap;
    s_bindingMap = nullptr;
  }
}

HWND QvControl::GetPlatformWindow() const {
  HWND window = m_platformControl ? m_platformControl->GetSafeHwnd() : NULL;
  return window && ::IsWindow(window) ? window : NULL;
}

bool QvControl::SetPlatformControl(HWND child) {
  CRuntimeClass* platformClass = GetPlatformClass(GetRuntimeClass());
  if (!platformClass) {
    UI_TRACE_REFUSED(s_log, GetRuntimeClass()->GetName());  // no platform class for the kind
    return false;
  }
  if (!::IsWindow(child)) {
    UI_TRACE_REFUSED(s_log, "no window");
    return false;
  }
  CWnd* platform = CWnd::FromHandlePermanent(child);
  if (!platform) {
    CObject* object = platformClass->CreateObject();
    platform = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
    if (!platform || !platform->SubclassWindow(child)) {
      UI_TRACE_FAILED(s_log, platform ? "SubclassWindow" : "CreateObject");
      delete object;
      return false;
    }
    m_ownsPlatformControl = 1;
    if (IsListViewClass(platformClass)) platform->ModifyStyle(LVS_SHAREIMAGELISTS, LVS_SHOWSELALWAYS);
  }
  m_platformControl = platform;
  ::SendMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  OnPlatformControlSet();
  return true;
}

void QvControl::SetText(const QvString& text) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  ::SendMessage(window, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  ::SetWindowTextW(window, text.ToWide().c_str());
}

void QvControl::Show(bool show) {
  if (HWND window = GetPlatformWindow()) ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void QvControl::Enable(bool enable) {
  HWND window = GetPlatformWindow();
  if (!window) return;
  if (!enable && ::GetFocus() == window) ::SetFocus(::GetParent(window));
  ::EnableWindow(window, enable);
}

unsigned short QvControl::GetText(QvString& text) {
  HWND window = GetPlatformWindow();
  const int length = window ? ::GetWindowTextLengthW(window) : 0;
  if (length <= 0) {
    text.Empty();
    return 0;
  }
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
  text = QvString(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
  // Counted in the string's own units (bytes of UTF-8).
  return static_cast<unsigned short>(text.GetLength() > 0xFFFF ? 0xFFFF : text.GetLength());
}

void QvControl::SetFocus() {
  if (HWND window = GetPlatformWindow()) ::SetFocus(window);
}

void QvControl::RepaintNow() {
  if (HWND window = GetPlatformWindow()) {
    ::InvalidateRect(window, NULL, TRUE);
    ::UpdateWindow(window);
  }
}

void QvControl::SetDefaultTextColor() {
  m_textColor = static_cast<COLORREF>(-1);
  RepaintNow();
}

void QvControl::SetTextColor(QvColor color) {
  m_textColor = RGB(color.red >> 8, color.green >> 8, color.blue >> 8);
  RepaintNow();
}

bool QvControl::GetTextColorIfSet(COLORREF& color) const {
  if (m_textColor == static_cast<COLORREF>(-1)) return false;
  color = m_textColor;
  return true;
}

void QvControl::SetPlatformClass(const QvRuntimeClass* portableClass, CRuntimeClass* platformClass) {
  if (!portableClass) return;
  if (platformClass) {
    RegisteredClasses()[portableClass] = platformClass;
    if (s_bindingMap) s_bindingMap->SetAt(Key(portableClass), platformClass);
  } else {
    RegisteredClasses().erase(portableClass);
    if (s_bindingMap) s_bindingMap->RemoveKey(Key(portableClass));
  }
}

CRuntimeClass* QvControl::GetPlatformClass(const QvRuntimeClass* portableClass) {
  if (s_bindingMap) {
    void* found = nullptr;
    return s_bindingMap->Lookup(Key(portableClass), found) ? static_cast<CRuntimeClass*>(found) : nullptr;
  }
  auto it = RegisteredClasses().find(portableClass);
  return it == RegisteredClasses().end() ? nullptr : it->second;
}

const QvMapLPVoidLPVoid* QvControl::GetBindingMap() { return s_bindingMap; }
unsigned short QvControl::GetLiveControlCount() { return s_liveControls; }

void* Get_UIGlobalCallback() { return s_globalCallback; }
void Set_UIGlobalCallback(void* callback) { s_globalCallback = callback; }
