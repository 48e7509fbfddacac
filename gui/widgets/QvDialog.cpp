// Portable dialogs: running them, ending them, their saved rectangle.
#include "QvDialog.h"

#include <ulmora.h>

#include "GUIDialog.h"
#include "QvCommandHandler.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootDialog, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvDialog, QV_RUNTIME_CLASS(QvRootDialog))
QV_IMPLEMENT_CLASS(QvRootDialogView, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvDialogView, QV_RUNTIME_CLASS(QvRootDialogView))

namespace {

UlmLogger s_log("QvDialog");

const char kDialogRect[] = "Dialog Rect";

// A rectangle that fits the desktop: not empty, not larger than the desktop.
bool PlaceableRect(const RECT& rc, const RECT& desktop) {
  const long long w = static_cast<long long>(rc.right) - rc.left;
  const long long h = static_cast<long long>(rc.bottom) - rc.top;
  return w > 0 && h > 0 && w <= desktop.right - desktop.left && h <= desktop.bottom - desktop.top;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// QvRootDialog

QvRootDialog::QvRootDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose)
    : QvGUIContainer(parent, 0), m_parentDialog(parentDialog), m_modal(modal), m_deleteOnClose(deleteOnClose) {}

QvRootDialog::~QvRootDialog() = default;

void QvRootDialog::Terminate(short code) {
  m_terminated = true;
  m_resultCode = code;
}

bool QvRootDialog::OnCommand(QvCommand& command) {
  return m_modal ? false : QvGUIContainer::OnCommand(command);
}

bool QvRootDialog::OnUpdateCommandStatus(QvCommandStatus& status) {
  return m_modal ? false : QvGUIContainer::OnUpdateCommandStatus(status);
}

bool QvRootDialog::OnControlNotification(QvControlNotification& notification) {
  return m_modal ? false : QvGUIContainer::OnControlNotification(notification);
}

bool QvRootDialog::OnSaveUserPrefs(const char* key) {
  CWnd* window = GetMFCCWnd();
  if (!window || !window->m_hWnd) return false;
  RECT rc;
  ::GetWindowRect(window->m_hWnd, &rc);
  const LONG values[4] = {rc.left, rc.top, rc.right, rc.bottom};
  return SetUserKeyBinaryValue(key, kDialogRect, values, sizeof values) >= 0;
}

bool QvRootDialog::OnRestoreUserPrefs(const char* key) {
  CWnd* window = GetMFCCWnd();
  if (!window || !window->m_hWnd) return false;
  LONG values[4] = {0, 0, 0, 0};
  const long got = GetKeyBinaryValue(key, kDialogRect, values, sizeof values);
  if (got < 0) return false;
  if (got != static_cast<long>(sizeof values)) {
    UI_TRACE_REFUSED(s_log, "Dialog Rect is not 16 bytes");
    return false;
  }
  RECT rc = {values[0], values[1], values[2], values[3]};
  RECT desktop = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  HWND desktopWindow = ::GetDesktopWindow();
  if (desktopWindow) ::GetWindowRect(desktopWindow, &desktop);
  if (!PlaceableRect(rc, desktop)) {
    UI_TRACE_REFUSED(s_log, "Dialog Rect is empty or larger than the desktop");
    return false;
  }
  if (rc.left < 0) ::OffsetRect(&rc, -rc.left, 0);
  if (rc.top < 0) ::OffsetRect(&rc, 0, -rc.top);
  if (desktopWindow) {
    if (rc.right > desktop.right) ::OffsetRect(&rc, desktop.right - rc.right, 0);
    if (rc.bottom > desktop.bottom) ::OffsetRect(&rc, 0, desktop.bottom - rc.bottom);
  }
  ::MoveWindow(window->m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
  return true;
}

// ---------------------------------------------------------------------------------------------
// QvDialog

QvDialog::QvDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose)
    : QvRootDialog(parent, parentDialog, modal, deleteOnClose) {}

QvDialog::~QvDialog() {
  m_deleteOnClose = false;  // already being deleted: the window's end must not do it again
  CGUIDialog* platform = GetPlatformDialog();
  DestroyPlatform();
  if (platform) {
    GUISetQvGUIContainer(platform, nullptr);
    if (platform->ShouldBeDeleted()) delete platform;
  }
  SetMFCCWnd(nullptr);
}

CGUIDialog* QvDialog::GetPlatformDialog() const { return static_cast<CGUIDialog*>(GetMFCCWnd()); }

CWnd* QvDialog::OnCreatePlatform() {
  // The window object of an earlier run serves again.
  if (CGUIDialog* platform = GetPlatformDialog()) return platform;
  return new CGUIDialog;
}

bool QvDialog::CreatePlatform(bool flag) {
  if (!QvGUIContainer::CreatePlatform(flag)) return false;
  GUISetQvGUIContainer(GetMFCCWnd(), this);
  return true;
}

short QvDialog::Run() {
  if (!CreatePlatform(false)) return -1;
  CGUIDialog* platform = GetPlatformDialog();
  if (!platform) return -1;
  if (platform->m_hWnd) {
    UI_TRACE_REFUSED(s_log, "the dialog is already open");
    return -1;
  }
  platform->PrepareRun();
  m_terminated = false;
  m_resultCode = 0;

  LPCTSTR name = MAKEINTRESOURCE(m_dialogID);
  if (platform->m_lpszTemplateName) {
    name = platform->m_lpszTemplateName;
    platform->m_lpszTemplateName = NULL;
  }
  HINSTANCE instance = AfxFindResourceHandle(name, RT_DIALOG);
  HRSRC found = instance ? ::FindResource(instance, name, RT_DIALOG) : NULL;
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : NULL;
  LPCDLGTEMPLATE dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATE>(::LockResource(loaded)) : nullptr;
  if (!dialogTemplate) {
    UI_TRACE_FAILED(s_log, "FindResource");
    if (loaded) ::FreeResource(loaded);
    return -1;
  }
  CWnd* parentWindow = m_parentDialog ? m_parentDialog->GetMFCCWnd() : nullptr;

  short result = -1;
  if (m_modal) {
    if (platform->InitModalIndirect(dialogTemplate, parentWindow) && platform->DoModal() != -1) result = m_resultCode;
    platform->m_lpDialogTemplate = NULL;
  } else if (platform->CreateIndirect(dialogTemplate, parentWindow)) {
    platform->SetModeless();
    result = 0;
  }
  ::FreeResource(loaded);
  return result;
}

void QvDialog::DestroyPlatform() {
  if (CGUIDialog* platform = GetPlatformDialog()) platform->CloseItNow();
}

void QvDialog::SetDefaultPushButton(unsigned short id) {
  if (CGUIDialog* platform = GetPlatformDialog(); platform && platform->m_hWnd) platform->SetDefID(id);
}

void QvDialog::SetCancelPushButton(unsigned short id) {
  if (CGUIDialog* platform = GetPlatformDialog()) platform->SetCancelPushButton(id);
}

void QvDialog::BringToFront() {
  if (CGUIDialog* platform = GetPlatformDialog(); platform && platform->m_hWnd) ::BringWindowToTop(platform->m_hWnd);
}

void QvDialog::SetDialogIconID(unsigned short id) {
  CGUIDialog* platform = GetPlatformDialog();
  if (!platform) return;
  platform->SetDialogIconID(id);
  if (!platform->m_hWnd) return;
  HICON icon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
  ::SendMessage(platform->m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void QvDialog::SetTooltip(unsigned short id, const QvString& text) {
  if (CGUIDialog* platform = GetPlatformDialog()) platform->SetTooltip(id, text);
}

// ---------------------------------------------------------------------------------------------
// Dialog-shaped views

QvRootDialogView::QvRootDialogView(QvCommandHandler* parent) : QvGUIContainer(parent, 0) {}

QvRootDialogView::~QvRootDialogView() {
  // Deleted by the application while its form view lives: the window forgets it.
  if (auto* form = dynamic_cast<CGUIFormView*>(GetMFCCWnd())) form->ForgetKernelView(this);
}

CWnd* QvRootDialogView::OnCreatePlatform() { return nullptr; }
void QvRootDialogView::onRightMouseDown(const QvPoint&, const QvModifier&) {}
void QvRootDialogView::onMouseDown(const QvPoint&, const QvModifier&) {}

QvDialogView::QvDialogView(QvCommandHandler* parent) : QvRootDialogView(parent) {}
void QvDialogView::SetDefaultPushButton(unsigned short) {}
void QvDialogView::SetCancelPushButton(unsigned short) {}
