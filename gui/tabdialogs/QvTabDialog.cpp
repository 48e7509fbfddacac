// Portable tab dialogs and their pages.
#include "QvTabDialog.h"

#include <solvane.h>
#include <ulmora.h>

#include "GUITabDialog.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvRootTabDialog, QV_RUNTIME_CLASS(QvDialog))
QV_IMPLEMENT_CLASS(QvTabDialog, QV_RUNTIME_CLASS(QvRootTabDialog))
QV_IMPLEMENT_CLASS(QvStdTabDialog, QV_RUNTIME_CLASS(QvTabDialog))
QV_IMPLEMENT_CLASS(QvRootTab, QV_RUNTIME_CLASS(QvGUIContainer))
QV_IMPLEMENT_CLASS(QvTab, QV_RUNTIME_CLASS(QvRootTab))

namespace {
UlmLogger s_log("QvTabDialog");
const char kActiveTab[] = "Active Tab";
const unsigned char kNoTab = 0xFF;

CString ToWindowText(const QvString& text) { return CString(ucs2string::FromUtf8(text.c_str()).c_str()); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// QvRootTabDialog, QvTabDialog

QvRootTabDialog::QvRootTabDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose)
    : QvDialog(parent, parentDialog, modal, deleteOnClose) {}

QvTabDialog::QvTabDialog(QvCommandHandler* parent, QvDialog* parentDialog, bool modal, bool deleteOnClose)
    : QvRootTabDialog(parent, parentDialog, modal, deleteOnClose) {}

QvTabDialog::~QvTabDialog() = default;

CGUITabDialog* QvTabDialog::GetPlatformTabDialog() const { return dynamic_cast<CGUITabDialog*>(GetMFCCWnd()); }

CWnd* QvTabDialog::OnCreatePlatform() {
  if (CWnd* platform = GetMFCCWnd()) return platform;
  CWnd* parentWindow = m_parentDialog ? m_parentDialog->GetMFCCWnd() : nullptr;
  return new CGUITabDialog(m_dialogID, m_modal ? TRUE : FALSE, parentWindow, TRUE);
}

unsigned char QvTabDialog::CountTabs() {
  CGUITabDialog* platform = GetPlatformTabDialog();
  return platform ? static_cast<unsigned char>(platform->CountTabs()) : 0;
}

QvTab* QvTabDialog::GetCurrentTab() { return GetTabByIndex(GetCurrentTabIndex()); }

unsigned char QvTabDialog::GetCurrentTabIndex() {
  CGUITabDialog* platform = GetPlatformTabDialog();
  if (!platform || !platform->m_hWnd || platform->GetCurrentTabIndex() < 0) return kNoTab;
  return static_cast<unsigned char>(platform->GetCurrentTabIndex());
}

QvTab* QvTabDialog::GetTabByIndex(unsigned char index) {
  CGUITabDialog* platform = GetPlatformTabDialog();
  CGUITab* page = platform ? platform->GetTabByIndex(index) : nullptr;
  return page ? dynamic_cast<QvTab*>(page->GetPortableTab()) : nullptr;
}

bool QvTabDialog::GetIndex(QvTab* tab, unsigned char& index) {
  CGUITabDialog* platform = GetPlatformTabDialog();
  if (!platform || !platform->m_hWnd || !tab) return false;
  const int found = platform->FindTabIndex(tab->GetPlatformTab());
  if (found < 0) return false;
  index = static_cast<unsigned char>(found);
  return true;
}

void QvTabDialog::SetCurrentTab(QvTab* tab) {
  unsigned char index = 0;
  if (GetIndex(tab, index)) SetCurrentTabByIndex(index);
}

void QvTabDialog::SetCurrentTabByIndex(unsigned char index) {
  if (CGUITabDialog* platform = GetPlatformTabDialog()) platform->SetCurrentTab(index);
}

void QvTabDialog::SendAction(unsigned short action) {
  for (unsigned i = 0, n = CountTabs(); i < n; ++i)
    if (QvTab* tab = GetTabByIndex(static_cast<unsigned char>(i))) tab->OnAction(action);
}

void QvTabDialog::OnTabHasBeenHide(unsigned short) {}
void QvTabDialog::OnTabHasBeenShow(unsigned short) {}

bool QvTabDialog::OnSaveUserPrefs(const char* key) {
  return SetUserKeyDWORDValue(key, kActiveTab, GetCurrentTabIndex()) >= 0;
}

bool QvTabDialog::OnRestoreUserPrefs(const char* key) {
  if (m_restoreActiveTab != 1) return true;
  unsigned long stored = 0;
  if (GetKeyDWORDValue(key, kActiveTab, stored) < 0) return false;
  // Checked before it is narrowed to a byte: 256 must not become page 0.
  if (stored >= CountTabs()) {
    UI_TRACE_REFUSED(s_log, "Active Tab names no page");
    return false;
  }
  SetCurrentTabByIndex(static_cast<unsigned char>(stored));
  return true;
}

// ---------------------------------------------------------------------------------------------
// QvStdTabDialog

QvStdTabDialog::QvStdTabDialog(const QvString& title, bool, unsigned long helpId, QvCommandHandler* parent,
                               QvDialog* parentDialog, bool modal, bool deleteOnClose)
    : QvTabDialog(parent, parentDialog, modal, deleteOnClose) {
  SetTitle(title);
  SetDialogID(CGUITabDialog::kStandardTemplate);
  SetHelpID(helpId);
}

bool QvStdTabDialog::OnInit() { return true; }

void QvStdTabDialog::ShowOKButton(bool show) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->ShowButton(IDOK, show);
}
void QvStdTabDialog::ShowCancelButton(bool show) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->ShowButton(IDCANCEL, show);
}
void QvStdTabDialog::ShowApplyButton(bool show) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->ShowButton(CGUITabDialog::kApplyButton, show);
}
void QvStdTabDialog::EnableOKButton(bool enable) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->EnableButton(IDOK, enable);
}
void QvStdTabDialog::EnableCancelButton(bool enable) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->EnableButton(IDCANCEL, enable);
}
void QvStdTabDialog::EnableApplyButton(bool enable) {
  if (CGUITabDialog* p = GetPlatformTabDialog()) p->EnableButton(CGUITabDialog::kApplyButton, enable);
}

// ---------------------------------------------------------------------------------------------
// QvRootTab, QvTab

QvRootTab::QvRootTab(QvCommandHandler* parent, QvTabDialog* dialog) : QvGUIContainer(parent, 0), m_parentDialog(dialog) {}

bool QvRootTab::OnConfirmHide() { return true; }
bool QvRootTab::CheckValidate() { return true; }
void QvRootTab::OnAction(unsigned short) {}

QvTab::QvTab(QvCommandHandler* parent, QvTabDialog* dialog) : QvRootTab(parent, dialog) {}

QvTab::~QvTab() {
  CGUITab* page = GetPlatformTab();
  SetMFCCWnd(nullptr);
  if (page) {
    GUISetQvGUIContainer(page, nullptr);
    delete page;
  }
}

CGUITab* QvTab::GetPlatformTab() const { return dynamic_cast<CGUITab*>(GetMFCCWnd()); }

CWnd* QvTab::OnCreatePlatform() {
  if (CWnd* page = GetMFCCWnd()) return page;
  CGUITabDialog* dialog = m_parentDialog ? m_parentDialog->GetPlatformTabDialog() : nullptr;
  if (m_tabID == 0 || !dialog) return nullptr;
  auto* page = new CGUITab(m_tabID, dialog, -1);
  if (m_pendingTitle) page->SetTitle(ToWindowText(*m_pendingTitle));
  return page;
}

void QvTab::Init() {
  CWnd* page = OnCreatePlatform();
  if (!page) return;
  SetMFCCWnd(page);
  GUISetQvGUIContainer(page, this);
}

void QvTab::DestroyPlatform() {
  if (CGUITab* page = GetPlatformTab(); page && page->m_hWnd) page->DestroyWindow();
}

void QvTab::SetTabTitle(const QvString& title) {
  if (CGUITab* page = GetPlatformTab()) {
    page->SetTitle(ToWindowText(title));
    return;
  }
  m_pendingTitle = std::make_unique<QvString>(title);
}

void QvTab::SetTooltip(unsigned short id, const QvString& text) {
  if (CGUITab* page = GetPlatformTab()) page->CGUIDialog::SetTooltip(id, text);
}
