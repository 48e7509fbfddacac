// The windows of the portable tab dialogs: the dialog with its tab control, and its pages.
#include "GUITabDialog.h"

#include <commctrl.h>
#include <solvane.h>
#include <ulmora.h>

#include <algorithm>

#include "DialogTemplateStyle.h"
#include "GUIPlatformGlue.h"
#include "GUIPlatformUtilities.h"
#include "QvGUIContainer.h"
#include "QvTabDialog.h"
#include "UITrace.h"
#include "UIUtilities.h"

namespace {
UlmLogger s_log("GUITabDialog");

// Label texts of the standard buttons.
const unsigned long kLabelOK = 31198, kLabelCancel = 31199, kLabelApply = 31209, kLabelHelp = 31208;

// A page is a hidden child control of its dialog: no frame, not popup, not visible, enabled.
const DWORD kPageKeepStyle = 0x233EFB7B;
const DWORD kPageAddStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | DS_CONTROL | DS_3DLOOK;

// Shown by its own style: while the dialog initialises, it is not visible itself.
bool Shown(HWND window) { return (::GetWindowLong(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// The help id of the container of a window, 0 when none.
unsigned long HelpIdOf(CWnd* window) {
  QvGUIContainer* container = window ? GUIGetQvGUIContainer(window) : nullptr;
  return container ? container->GetHelpID() : 0;
}

CRect ChildRect(CWnd* parent, HWND child) {
  CRect rc;
  ::GetWindowRect(child, &rc);
  parent->ScreenToClient(&rc);
  return rc;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CGUITabDialog

IMPLEMENT_DYNAMIC(CGUITabDialog, CGUIDialog)

BEGIN_MESSAGE_MAP(CGUITabDialog, CGUIDialog)
  ON_MESSAGE(WM_COMMANDHELP, &CGUITabDialog::OnTabCommandHelp)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CGUITabDialog::CGUITabDialog(UINT nIDTemplate, BOOL bModal, CWnd* pParentWnd, BOOL bKeepDefault)
    : CGUIDialog(nIDTemplate, pParentWnd, TRUE) {
  if (!bModal) SetModeless();
  if (bModal) m_tabFlags |= kTabModal;
  if (nIDTemplate == kStandardTemplate) {
    m_tabFlags |= kTabStandard;
    if (bKeepDefault) m_tabFlags |= kTabKeepDefault;
  }
}

CGUITabDialog::~CGUITabDialog() {
  for (CGUITab* page : m_pages) page->ForgetTabDialog();
}

QvTabDialog* CGUITabDialog::GetPortableTabDialog() { return dynamic_cast<QvTabDialog*>(GUIGetQvGUIContainer(this)); }

int CGUITabDialog::FindTabIndex(const CGUITab* page) const {
  for (int i = CountTabs() - 1; i >= 0; --i)
    if (m_pages[i] == page) return i;
  return -1;
}

CGUITab* CGUITabDialog::GetTabByIndex(int index) const {
  return index >= 0 && index < CountTabs() ? m_pages[index] : nullptr;
}

int CGUITabDialog::InsertTab(CGUITab* page, int index) {
  if (!page) return -1;
  RemoveTab(page);
  if (CountTabs() >= kMaxTabs) {
    UI_TRACE_REFUSED(s_log, "a tab dialog holds at most 255 pages");
    return -1;
  }
  if (index < 0 || index >= CountTabs()) index = CountTabs();
  m_pages.insert(m_pages.begin() + index, page);
  if (m_current >= index) ++m_current;  // the current page stays current
  if (!IsInitialised()) return index;
  if (!page->m_hWnd) {
    if (!page->CreateYourself(index, TRUE)) {
      m_pages.erase(m_pages.begin() + index);
      if (m_current > index) --m_current;
      return -1;
    }
  } else if (m_tabCtrl) {
    CString text;
    page->GetWindowText(text);
    m_tabCtrl->InsertItem(index, text);
    page->ResizeYourself();
  }
  if (m_tabCtrl && m_current >= 0) m_tabCtrl->SetCurSel(m_current);
  if (m_current < 0) SetCurrentTab(index);
  return index;
}

BOOL CGUITabDialog::RemoveTab(CGUITab* page) {
  const int index = FindTabIndex(page);
  if (index < 0) return FALSE;
  m_pages.erase(m_pages.begin() + index);
  if (m_current == index)
    m_current = -1;
  else if (m_current > index)
    --m_current;  // the current page stays current
  if (IsInitialised() && m_hWnd) {
    if (page->m_hWnd) page->ShowWindow(SW_HIDE);
    if (m_tabCtrl) {
      m_tabCtrl->DeleteItem(index);
      if (m_current >= 0) m_tabCtrl->SetCurSel(m_current);
    }
    if (m_current < 0 && CountTabs() > 0) SetCurrentTab(0);
  }
  return TRUE;
}

BOOL CGUITabDialog::SetCurrentTab(int index) {
  if (index == m_current) return TRUE;
  if (index < 0 || index >= CountTabs()) return FALSE;
  bool tabControlHadFocus = false;
  if (m_tabCtrl && m_tabCtrl->m_hWnd) {
    tabControlHadFocus = ::GetFocus() == m_tabCtrl->m_hWnd;
    if (KeyDown(VK_LBUTTON)) {
      // A click on the new tab: its page will take the focus.
      TCHITTESTINFO hit = {};
      ::GetCursorPos(&hit.pt);
      m_tabCtrl->ScreenToClient(&hit.pt);
      if (m_tabCtrl->HitTest(&hit) == index) tabControlHadFocus = false;
    }
    if (m_tabCtrl->GetCurSel() != index) m_tabCtrl->SetCurSel(index);
  }
  QvTabDialog* portable = GetPortableTabDialog();
  if (m_hWnd) {
    CGUITab* old = GetTabByIndex(m_current);
    if (old && old->m_hWnd) {
      old->ShowWindow(SW_HIDE);
      if (portable) portable->OnTabHasBeenHide(static_cast<unsigned short>(m_current));
    }
  }
  m_current = index;
  CGUITab* page = m_pages[index];
  if (m_hWnd && page->m_hWnd) {
    page->ShowWindow(SW_SHOW);
    if (portable) portable->OnTabHasBeenShow(static_cast<unsigned short>(index));
    page->BringWindowToTop();
    if (!tabControlHadFocus) page->SetFocus();
  }
  if (portable && m_hWnd) EnableButton(kHelpButton, HelpIdOf(page) != 0 || portable->GetHelpID() != 0);
  return TRUE;
}

void CGUITabDialog::ShowButton(UINT id, BOOL show) {
  if (!m_hWnd) return;
  if (HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id))) ::ShowWindow(button, show ? SW_SHOW : SW_HIDE);
}

void CGUITabDialog::EnableButton(UINT id, BOOL enable) {
  if (!m_hWnd) return;
  HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id));
  if (!button) return;
  if (enable && !Shown(button)) ::ShowWindow(button, SW_SHOW);
  if (!enable && ::GetFocus() == button)
    if (CGUITab* page = GetTabByIndex(m_current); page && page->m_hWnd) page->SetFocus();
  ::EnableWindow(button, enable);
}

BOOL CGUITabDialog::ConfirmLeavingCurrent() {
  CGUITab* page = GetTabByIndex(m_current);
  QvRootTab* tab = page ? page->GetPortableTab() : nullptr;
  return !tab || tab->OnConfirmHide();
}

BOOL CGUITabDialog::HandleTabKey(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_TAB) return FALSE;
  // Ctrl from the key state only: the low bits of lParam's high half are the repeat count.
  if (KeyDown(VK_CONTROL)) {
    if (!m_tabCtrl || !m_tabCtrl->m_hWnd || m_tabCtrl->GetItemCount() <= 1) return FALSE;
    if (!ConfirmLeavingCurrent()) return TRUE;
    const int count = CountTabs();
    const int step = KeyDown(VK_SHIFT) ? count - 1 : 1;
    SetCurrentTab(((m_current < 0 ? 0 : m_current) + step) % count);
    return TRUE;
  }
  if (GUIGetWindowsVersion() == 2) {
    // Windows NT 3.x leaves the last tab stop of a page for the OK button.
    CGUITab* page = GetTabByIndex(m_current);
    HWND focus = ::GetFocus();
    if (page && page->m_hWnd && focus && ::IsChild(page->m_hWnd, focus) &&
        ::GetNextDlgTabItem(page->m_hWnd, focus, FALSE) == ::GetNextDlgTabItem(page->m_hWnd, NULL, FALSE))
      if (HWND ok = ::GetDlgItem(m_hWnd, IDOK)) {
        ::SetFocus(ok);
        return TRUE;
      }
  }
  return FALSE;
}

BOOL CGUITabDialog::PreTranslateMessage(MSG* pMsg) {
  if (HandleTabKey(pMsg)) return TRUE;
  return CGUIDialog::PreTranslateMessage(pMsg);
}

BOOL CGUITabDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && m_tabCtrl && header->hwndFrom == m_tabCtrl->m_hWnd) {
    if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
      *pResult = ConfirmLeavingCurrent() ? 0 : 1;
      return TRUE;
    }
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
      SetCurrentTab(m_tabCtrl->GetCurSel());
      *pResult = 0;
      return TRUE;
    }
  }
  return CGUIDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CGUITabDialog::OnInitDialog() {
  // A run resets the window flags: a dialog made modeless is so again.
  if (!(m_tabFlags & kTabModal)) SetModeless();
  QvTabDialog* portable = GetPortableTabDialog();
  if (IsStandard()) ShowButton(kApplyButton, FALSE);
  if (portable && portable->GetTitle()) {
    SetFont(UIGetDefaultGUIFont2());
    SetWindowText(CString(ucs2string::FromUtf8(portable->GetTitle()->c_str()).c_str()));
  }
  CGUIDialogBase::OnInitDialog();

  HWND placeholder = ::GetDlgItem(m_hWnd, kTabControlID);
  if (!placeholder) {
    UI_TRACE_REFUSED(s_log, "the dialog has no tab placeholder (8)");
    if (portable) portable->Terminate(-1);
    CloseItNow();
    return FALSE;
  }
  const CRect area = ChildRect(this, placeholder);
  ::DestroyWindow(placeholder);
  m_tabCtrl = std::make_unique<CTabCtrl>();
  if (!m_tabCtrl->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_FOCUSNEVER | TCS_RAGGEDRIGHT, area, this,
                         kTabControlID)) {
    UI_TRACE_FAILED(s_log, "CTabCtrl::Create");
    m_tabCtrl.reset();
    if (portable) portable->Terminate(-1);
    CloseItNow();
    return FALSE;
  }
  m_tabCtrl->SetFont(UIGetDefaultGUIFont2());

  if (portable) {
    // One failure ends the dialog at once and once, with -1 unless the dialog chose a code.
    const bool initialised = portable->OnInit();
    if (!initialised || portable->IsTerminated()) {
      if (!portable->IsTerminated()) portable->Terminate(-1);
      portable->DestroyPlatform();
      return FALSE;
    }
    portable->RestoreUserPrefs();
  }
  if (!InitialisePages()) {
    if (portable) portable->Terminate(-1);
    CloseItNow();
    return FALSE;
  }
  if (IsStandard()) GrowToLargestPage();
  ResizePages();
  if (!(m_tabFlags & kTabKeepDefault)) SetDefID(IDCANCEL);

  if (IsStandard()) {
    bool help = HelpIdOf(this) != 0;
    for (CGUITab* page : m_pages) help = help || HelpIdOf(page) != 0;
    if (HWND button = ::GetDlgItem(m_hWnd, kHelpButton); button && Shown(button) != help)
      ::ShowWindow(button, help ? SW_SHOW : SW_HIDE);
    RemoveHolesInButtons();
    const struct {
      UINT id;
      unsigned long label;
    } kTexts[] = {{IDOK, kLabelOK}, {IDCANCEL, kLabelCancel}, {kApplyButton, kLabelApply}, {kHelpButton, kLabelHelp}};
    for (const auto& t : kTexts)
      if (CWnd* button = GetDlgItem(t.id)) {
        button->SetFont(UIGetDefaultGUIFont2());
        // A label the host does not have leaves the template's text.
        QvString label;
        if (QvFindLabel(t.label, label)) button->SetWindowText(CString(ucs2string::FromUtf8(label.c_str()).c_str()));
      }
  }

  // The page chosen before the window existed, else the first.
  const int start = m_current >= 0 ? m_current : 0;
  m_current = -1;
  SetCurrentTab(start);
  m_tabFlags |= kTabInitialised;
  if (IsStandard() && !(m_tabFlags & kTabModal)) ShowWindow(SW_SHOW);
  return FALSE;  // the page switch set the focus
}

BOOL CGUITabDialog::InitialisePages() {
  if (IsInitialised()) return TRUE;
  for (int i = 0; i < CountTabs(); ++i)
    if (!m_pages[i]->CreateYourself(i, IsStandard() ? FALSE : TRUE)) return FALSE;
  return TRUE;
}

void CGUITabDialog::GrowToLargestPage() {
  if (!m_tabCtrl) return;
  int widest = 0, tallest = 0;
  for (CGUITab* page : m_pages) {
    if (!page->m_hWnd) continue;
    CRect rc;
    page->GetWindowRect(&rc);
    widest = std::max(widest, rc.Width());
    tallest = std::max(tallest, rc.Height());
  }
  CRect tabs, item(0, 0, 0, 0);
  m_tabCtrl->GetWindowRect(&tabs);
  m_tabCtrl->GetItemRect(0, &item);
  const int dx = std::max(0, widest - tabs.Width());
  const int dy = std::max(0, tallest + 4 + item.Height() - tabs.Height());
  if (dx <= 0 && dy <= 0) return;
  m_tabCtrl->SetWindowPos(NULL, 0, 0, tabs.Width() + dx, tabs.Height() + dy, SWP_NOZORDER | SWP_NOMOVE);
  CRect frame;
  GetWindowRect(&frame);
  SetWindowPos(NULL, 0, 0, frame.Width() + dx, frame.Height() + dy, SWP_NOZORDER | SWP_NOMOVE);
  for (UINT id : {UINT{IDOK}, UINT{IDCANCEL}, UINT{kApplyButton}, UINT{kHelpButton}})
    if (HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id))) {
      const CRect rc = ChildRect(this, button);
      ::SetWindowPos(button, NULL, rc.left + dx, rc.top + dy, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CGUITabDialog::ResizePages() {
  for (CGUITab* page : m_pages)
    if (page->m_hWnd) page->ResizeYourself();
}

void CGUITabDialog::OffsetButton(UINT id, int dx) {
  HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id));
  if (!button || dx == 0) return;
  const CRect rc = ChildRect(this, button);
  ::MoveWindow(button, rc.left + dx, rc.top, rc.Width(), rc.Height(), TRUE);
}

void CGUITabDialog::RemoveHolesInButtons() {
  HWND ok = ::GetDlgItem(m_hWnd, IDOK), cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
  HWND apply = ::GetDlgItem(m_hWnd, kApplyButton), help = ::GetDlgItem(m_hWnd, kHelpButton);
  if (!cancel || !apply || !help) return;
  const bool applyShown = Shown(apply), helpShown = Shown(help);
  const CRect rCancel = ChildRect(this, cancel), rApply = ChildRect(this, apply), rHelp = ChildRect(this, help);
  auto moveOkCancel = [&](int dx) {
    if (ok) OffsetButton(IDOK, dx);
    OffsetButton(IDCANCEL, dx);
  };
  if (helpShown && !applyShown) {
    moveOkCancel(rApply.right - rCancel.right);
  } else if (!helpShown && applyShown) {
    const int dx = rHelp.right - rApply.right;
    OffsetButton(kApplyButton, dx);
    // Following the Apply button to the right; moved left, the pair aligns on Help instead.
    moveOkCancel(dx >= 0 ? dx : rHelp.right - rCancel.right);
  } else if (!helpShown && !applyShown) {
    moveOkCancel(rHelp.right - rCancel.right);
  }
}

void CGUITabDialog::OnOK() {
  if (!IsStandard()) {
    CGUIDialog::OnOK();
    return;
  }
  QvTabDialog* portable = GetPortableTabDialog();
  if (!portable) return;
  portable->SendAction(IDOK);
  for (int i = CountTabs() - 1; i >= 0; --i) {
    QvRootTab* tab = m_pages[i]->GetPortableTab();
    if (tab && !tab->CheckValidate()) return;
  }
  portable->Terminate(IDOK);
}

void CGUITabDialog::OnCancel() {
  if (!IsStandard()) {
    CGUIDialog::OnCancel();
    return;
  }
  if (QvTabDialog* portable = GetPortableTabDialog()) {
    portable->SendAction(IDCANCEL);
    portable->Terminate(IDCANCEL);
  }
}

void CGUITabDialog::OnDestroy() {
  CGUIDialog::OnDestroy();
  // The pages' windows go with this one: a next run of the dialog makes them again, starting
  // on the page that was current.
  m_tabFlags &= ~unsigned{kTabInitialised};
}

LRESULT CGUITabDialog::OnTabCommandHelp(WPARAM, LPARAM) {
  if (CGUITab* page = GetTabByIndex(m_current); page && page->m_hWnd && GUIOnCommandHelp(page)) return TRUE;
  if (GUIOnCommandHelp(this)) return TRUE;
  return Default();
}

// ---------------------------------------------------------------------------------------------
// CGUITab

IMPLEMENT_DYNAMIC(CGUITab, CGUIDialog)

BEGIN_MESSAGE_MAP(CGUITab, CGUIDialog)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CGUITab::CGUITab(UINT nIDTemplate, CGUITabDialog* dialog, int index)
    : CGUIDialog(nIDTemplate, dialog, FALSE), m_templateID(nIDTemplate), m_dialog(dialog) {
  if (m_dialog && m_dialog->InsertTab(this, index) < 0) m_dialog = nullptr;
}

CGUITab::~CGUITab() {
  if (m_hWnd) DestroyWindow();
  if (m_dialog) m_dialog->RemoveTab(this);
}

QvRootTab* CGUITab::GetPortableTab() { return dynamic_cast<QvRootTab*>(GUIGetQvGUIContainer(this)); }

void CGUITab::SetTitle(const CString& text) {
  if (!m_hWnd) {
    m_pendingTitle = std::make_unique<CString>(text);
    return;
  }
  SetFont(UIGetDefaultGUIFont2());
  SetWindowText(text);
  CTabCtrl* tabs = m_dialog ? m_dialog->GetTabControl() : nullptr;
  const int index = m_dialog ? m_dialog->FindTabIndex(this) : -1;
  if (tabs && tabs->m_hWnd && index >= 0 && index < tabs->GetItemCount()) {
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(text));
    tabs->SetItem(index, &item);
  }
}

void CGUITab::ApplyPendingTitle() {
  if (!m_pendingTitle) return;
  const CString title = *m_pendingTitle;
  m_pendingTitle.reset();
  SetTitle(title);
}

BOOL CGUITab::CreateYourself(int index, BOOL resize) {
  if (!m_dialog || !m_dialog->m_hWnd) return FALSE;
  void* copy = LoadDialogTemplateResource(static_cast<unsigned short>(m_templateID));
  if (!copy) {
    UI_TRACE_FAILED(s_log, "LoadDialogTemplateResource");
    return FALSE;
  }
  BOOL created = FALSE;
  if (EditDialogTemplateStyle(copy, ::GlobalSize(copy), kPageKeepStyle, kPageAddStyle))
    created = CreateIndirect(static_cast<LPCDLGTEMPLATE>(copy), m_dialog);
  ::GlobalFree(copy);
  if (!created || !m_hWnd) {
    UI_TRACE_FAILED(s_log, "CreateIndirect of a page");
    return FALSE;
  }
  CTabCtrl* tabs = m_dialog->GetTabControl();
  if (!tabs) return FALSE;
  CString text;
  GetWindowText(text);
  if (tabs->InsertItem(index, text) < 0) return FALSE;
  ApplyPendingTitle();
  if (resize) ResizeYourself();
  return TRUE;
}

void CGUITab::ResizeYourself() {
  CTabCtrl* tabs = m_dialog ? m_dialog->GetTabControl() : nullptr;
  if (!m_hWnd || !tabs || !tabs->m_hWnd) return;
  CRect area = ChildRect(m_dialog, tabs->m_hWnd);
  CRect item(0, 0, 0, 0);
  tabs->GetItemRect(0, &item);
  area.top += item.bottom;
  area.InflateRect(-2, -2);
  MoveWindow(&area, TRUE);
}

BOOL CGUITab::OnInitDialog() {
  CGUIDialogBase::OnInitDialog();
  if (QvRootTab* tab = GetPortableTab()) {
    if (tab->OnInit())
      tab->RestoreUserPrefs();
    else
      tab->DestroyPlatform();
  }
  return TRUE;
}

void CGUITab::OnShowWindow(BOOL bShow, UINT nStatus) {
  CGUIDialog::OnShowWindow(bShow, nStatus);
  if (QvRootTab* tab = GetPortableTab()) bShow ? tab->OnShow() : tab->OnHide();
}

BOOL CGUITab::PreTranslateMessage(MSG* pMsg) {
  if (m_dialog && pMsg->message == WM_KEYDOWN) {
    if (m_dialog->HandleTabKey(pMsg)) return TRUE;
    if ((pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) && !KeyDown(VK_CONTROL)) {
      const UINT id = pMsg->wParam == VK_RETURN ? LOWORD(m_dialog->GetDefID()) : UINT{IDCANCEL};
      HWND button = ::GetDlgItem(m_dialog->m_hWnd, static_cast<int>(id));
      if (button && !(::GetWindowLong(button, GWL_STYLE) & WS_DISABLED)) {
        m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
    }
  }
  return CGUIDialog::PreTranslateMessage(pMsg);
}
