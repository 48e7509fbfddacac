// GUI containers: platform window, controls by id, the window map.
#include "QvGUIContainer.h"

#include <solvane.h>

#include <vector>

#include "QvCommandCenter.h"

QV_IMPLEMENT_CLASS(QvRootGUIContainer, nullptr)
QV_IMPLEMENT_CLASS(QvGUIContainer, QV_RUNTIME_CLASS(QvRootGUIContainer))

namespace {
// Platform window -> its container; made by the first container, deleted when the last one
// goes and nothing is entered.
QvMapLPVoidLPVoid* s_windowMap = nullptr;
int s_containers = 0;
}  // namespace

QvRootGUIContainer::QvRootGUIContainer(QvCommandHandler* parent, unsigned long helpId)
    : QvCommandHandler(parent), m_helpID(helpId) {}

QvRootGUIContainer::~QvRootGUIContainer() = default;

bool QvRootGUIContainer::OnSaveUserPrefs(const char*) { return true; }
bool QvRootGUIContainer::OnRestoreUserPrefs(const char*) { return true; }
void QvRootGUIContainer::UpdateView(unsigned long, void*) {}

bool QvRootGUIContainer::OnUpdateCommandStatus(QvCommandStatus& status) {
  if (status.GetID() == ID_QV_HELP && m_helpID != 0) {
    status.Enable(true);
    return true;
  }
  return QvCommandHandler::OnUpdateCommandStatus(status);
}

void QvRootGUIContainer::SetUserPrefsRegistryName(const char* name) {
  m_userPrefsName = "%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\";
  m_userPrefsName += name ? name : "";
}

bool QvRootGUIContainer::SaveUserPrefs() {
  return !m_userPrefsName.IsEmpty() && OnSaveUserPrefs(m_userPrefsName.c_str());
}

bool QvRootGUIContainer::RestoreUserPrefs() {
  return !m_userPrefsName.IsEmpty() && OnRestoreUserPrefs(m_userPrefsName.c_str());
}

QvGUIContainer::QvGUIContainer(QvCommandHandler* parent, unsigned long helpId) : QvRootGUIContainer(parent, helpId) {
  if (!s_windowMap) s_windowMap = new QvMapLPVoidLPVoid;
  ++s_containers;
}

QvGUIContainer::~QvGUIContainer() {
  for (Dispatch* d = m_dispatches; d; d = d->next) d->gone = true;
  QvPosition pos = m_controls.GetStartPosition();
  while (pos) {
    unsigned short id;
    QvFirst* control;
    m_controls.GetNextAssoc(pos, id, control);
    delete control;
  }
  m_controls.RemoveAll();
  // Every window entered for this container leaves the map.
  if (s_windowMap) {
    std::vector<void*> windows;
    QvPosition at = s_windowMap->GetStartPosition();
    while (at) {
      void* window;
      void* container;
      s_windowMap->GetNextAssoc(at, window, container);
      if (container == this) windows.push_back(window);
    }
    for (void* window : windows) s_windowMap->RemoveKey(window);
  }
  if (--s_containers == 0 && s_windowMap && s_windowMap->IsEmpty()) {
    delete s_windowMap;
    s_windowMap = nullptr;
  }
}

bool QvGUIContainer::CreatePlatform(bool) {
  CWnd* window = OnCreatePlatform();
  if (!window) return false;
  SetMFCCWnd(window);
  return true;
}

CWnd* QvGUIContainer::OnCreatePlatform() { return nullptr; }

void QvGUIContainer::DestroyPlatform() {
  if (!m_platformWindow) return;
  m_platformWindow->DestroyWindow();
  m_platformWindow = nullptr;
}

bool QvGUIContainer::OnSystemClose() { return true; }
void QvGUIContainer::OnTerminate() {}

unsigned short QvGUIContainer::GetCaption(QvString& text) {
  HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
  const int length = window ? ::GetWindowTextLengthW(window) : 0;
  if (length <= 0) return 0;
  std::vector<wchar_t> buffer(length + 1);
  const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
  if (got <= 0) return 0;
  text = qv_utf8string(buffer.data()).c_str();
  return static_cast<unsigned short>(got);
}

void QvGUIContainer::SetCaption(const QvString& text) {
  HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
  if (window) ::SetWindowTextW(window, ucs2string::FromUtf8(text.c_str()).c_str());
}

void QvGUIContainer::SetTooltip(unsigned short, const QvString&) {}

void QvGUIContainer::SetTooltipByCmd(unsigned short toolId, unsigned short commandId) {
  // Follows the redirections of the command's status (each command once).
  std::vector<unsigned short> seen;
  for (;;) {
    seen.push_back(commandId);
    QvCommandStatus status(commandId);
    QvCommandHandler::GetCommandStatus(status);
    if (!status.AsEffectiveCmd()) break;
    const unsigned short next = status.GetEffectiveCmdID();
    bool cycle = false;
    for (unsigned short s : seen) cycle |= s == next;
    if (cycle) break;
    commandId = next;
  }
  QvCommandDef* def = GUIGetCommandDefFromID(commandId);
  QvString text;
  if (def && def->GetTooltipText(text)) SetTooltip(toolId, text);
}

void QvGUIContainer::Show(bool show) {
  HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
  if (!window) return;
  if (show) {
    ::ShowWindow(window, SW_SHOWNA);
    ::UpdateWindow(window);
  } else {
    ::ShowWindow(window, SW_HIDE);
  }
}

bool QvGUIContainer::IsVisible() {
  HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
  return window && ::IsWindowVisible(window);
}

QvControl* QvGUIContainer::LookupControl(unsigned short id) {
  QvFirst* control = nullptr;
  if (id == 0 || !m_controls.Lookup(id, control)) return nullptr;
  return static_cast<QvControl*>(control);
}

bool QvGUIContainer::GetOrCreateControl(const QvRuntimeClass* controlClass, QvControl*& control, unsigned short id,
                                        unsigned long labelId) {
  control = nullptr;
  if (!controlClass) return false;
  QvControl* found = LookupControl(id);
  if (found) {
    if (!found->IsKindOf(controlClass)) return false;  // the id holds a control of another kind
  } else {
    QvFirst* object = controlClass->CreateObject();
    found = dynamic_cast<QvControl*>(object);
    HWND window = m_platformWindow ? m_platformWindow->GetSafeHwnd() : NULL;
    HWND child = found && window ? ::GetDlgItem(window, id) : NULL;
    if (!child || !found->SetPlatformControl(child)) {
      delete object;
      return false;
    }
    m_controls.SetAt(id, found);
  }
  // A control made for a notification being dispatched, asked for by its handler: the
  // handler may keep it, so it stays entered (owned by the container) after the call.
  for (Dispatch* d = m_dispatches; d; d = d->next)
    if (d->temporary == found) d->kept = true;
  found->SetParentCommandHandler(this);
  if (labelId != 0) found->SetLabel(labelId);
  control = found;
  return true;
}

QvGUIContainer* GUIGetQvGUIContainer(CWnd* window) {
  void* container = nullptr;
  if (!window || !s_windowMap || !s_windowMap->Lookup(window, container)) return nullptr;
  return static_cast<QvGUIContainer*>(container);
}

void GUISetQvGUIContainer(CWnd* window, QvGUIContainer* container) {
  if (!window) return;
  if (!container) {
    if (s_windowMap) s_windowMap->RemoveKey(window);
    return;
  }
  if (!s_windowMap) s_windowMap = new QvMapLPVoidLPVoid;
  s_windowMap->SetAt(window, container);
}

void GUIOnCtlColor(CWnd* dialog, CDC* dc, CWnd* child, UINT) {
  QvGUIContainer* container = GUIGetQvGUIContainer(dialog);
  if (!container || !dc || !child) return;
  // The rich-text label lives in an area above this one: it is known by its class name.
  CRuntimeClass* richText = CRuntimeClass::FromName("CGUIRichText");
  if (richText && child->IsKindOf(richText)) return;
  QvControl* control = container->LookupControl(static_cast<unsigned short>(::GetDlgCtrlID(child->GetSafeHwnd())));
  COLORREF color;
  if (control && control->GetTextColorIfSet(color)) dc->SetTextColor(color);
}
