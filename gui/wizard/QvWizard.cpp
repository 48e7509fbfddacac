// The portable wizard: its pages' order, the moves between them and the window's layout.
#include "QvWizard.h"

#include <QvControls.h>
#include <QvHourGlass.h>
#include <ulmora.h>

#include <algorithm>

#include "GUIWizardDialog.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvWizard, QV_RUNTIME_CLASS(QvDialog))

namespace {
UlmLogger s_log("QvWizard");

// Labels of the buttons.
const unsigned long kLabelCancel = 31199, kLabelNext = 31211, kLabelBack = 31212, kLabelExtra = 31215;

// The button row: 27 to 4 pixels above the client's bottom, 4 from the sides; Next 15 pixels
// left of Cancel, Back 3 left of Next.
const int kRowTop = 27, kRowBottom = 4, kRowMargin = 4, kNextGap = 15, kBackGap = 3;

// The wait cursor while the wizard works.
class HourGlass {
 public:
  HourGlass() { QvHourGlass(QvHourBegin); }
  ~HourGlass() { QvHourGlass(QvHourEnd); }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;
};

HWND WindowOf(const QvGUIContainer* container) {
  CWnd* window = container ? container->GetMFCCWnd() : nullptr;
  return window ? window->GetSafeHwnd() : NULL;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rc = {0, 0, 0, 0};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}
}  // namespace

QvWizard::QvWizard() : QvDialog(nullptr, nullptr, true, false) {
  SetDialogID(kTemplate);
  CGUIWizardDialog::HoldBackground();
}

QvWizard::~QvWizard() {
  // The pages are the application's: they no longer reach this wizard.
  for (QvWizardPage* page : m_pages)
    if (page) page->m_wizard = nullptr;
  CGUIWizardDialog::ReleaseBackground();
}

CGUIWizardDialog* QvWizard::GetPlatformWizard() const { return dynamic_cast<CGUIWizardDialog*>(GetMFCCWnd()); }

CWnd* QvWizard::OnCreatePlatform() {
  if (CWnd* platform = GetMFCCWnd()) return platform;
  return new CGUIWizardDialog(kTemplate, this);
}

void QvWizard::SetTitle(const QvString& title) { m_title = title; }

void QvWizard::SetCaption(const QvString& text) { QvGUIContainer::SetCaption(text); }

QvPushButton* QvWizard::GetSlotButton(unsigned short slot) const {
  switch (slot) {
    case QvWizardPage::kSlotExtra: return m_extra;
    case QvWizardPage::kSlotBack: return m_back;
    case QvWizardPage::kSlotNext: return m_next;
    case QvWizardPage::kSlotCancel: return m_cancel;
    default: return nullptr;
  }
}

HWND QvWizard::GetSlotWindow(unsigned short slot) const {
  static const unsigned short kIds[QvWizardPage::kSlots] = {kExtraButton, kBackButton, kNextButton, kCancelButton};
  HWND window = WindowOf(this);
  return window && slot < QvWizardPage::kSlots ? ::GetDlgItem(window, kIds[slot]) : NULL;
}

HWND QvWizard::GetCheckBoxWindow() const {
  HWND window = WindowOf(this);
  return window ? ::GetDlgItem(window, kCheckBox) : NULL;
}

bool QvWizard::Append(QvWizardPage* page, unsigned short bitmapId) {
  if (!page) return false;
  if (page->m_wizard) {
    UI_TRACE_REFUSED(s_log, "the page belongs to a wizard already");
    return false;
  }
  if (m_pages.size() >= kMaxPages) {
    UI_TRACE_REFUSED(s_log, "a wizard holds at most 65535 pages");
    return false;
  }
  const auto index = static_cast<unsigned short>(m_pages.size());
  m_pages.push_back(page);
  page->Join(this, index, bitmapId);
  return true;
}

void QvWizard::ForgetPage(QvWizardPage* page) {
  if (page && page->m_index < m_pages.size() && m_pages[page->m_index] == page) m_pages[page->m_index] = nullptr;
}

void QvWizard::AddPage(QvWizardPage* page, unsigned short bitmapId) {
  if (!Append(page, bitmapId)) return;
  // The previous page leads here; this one leads nowhere until a page follows.
  if (QvWizardPage* previous = page->m_index > 0 ? m_pages[page->m_index - 1u] : nullptr)
    previous->m_nextIndex = page->m_index;
}

void QvWizard::Grow(unsigned short pageWidth, unsigned short pageHeight, unsigned short dialogWidth) {
  m_pageWidth = std::max(m_pageWidth, pageWidth);
  m_pageHeight = std::max(m_pageHeight, pageHeight);
  m_dialogWidth = std::max(m_dialogWidth, dialogWidth);
  m_dialogHeight = static_cast<unsigned short>(m_pageHeight + (kDialogHeight - kPageHeight));
}

bool QvWizard::MakePage(QvWizardPage& page) {
  page.SetLook(nullptr);
  page.SetLook(nullptr, nullptr);
  if (page.Run() != 0) {
    UI_TRACE_FAILED(s_log, "a page's window");
    return false;
  }
  page.Show(false);
  return true;
}

bool QvWizard::OnInit() {
  HourGlass wait;
  if (!GetControlFromID(m_cancel, kCancelButton, 0) || !GetControlFromID(m_extra, kExtraButton, 0) ||
      !GetControlFromID(m_back, kBackButton, 0) || !GetControlFromID(m_next, kNextButton, 0) ||
      !GetControlFromID(m_checkBox, kCheckBox, 0)) {
    UI_TRACE_REFUSED(s_log, "the template lacks a wizard button");
    Terminate(-1);
    return false;
  }
  if (m_pages.empty() || std::find(m_pages.begin(), m_pages.end(), nullptr) != m_pages.end()) {
    UI_TRACE_REFUSED(s_log, "a wizard without pages, or with a page deleted");
    Terminate(-1);
    return false;
  }
  SetHelpID(kHelpID);
  m_cancel->SetText(kLabelCancel);
  m_extra->SetText(kLabelExtra);
  m_back->SetText(kLabelBack);
  m_next->SetText(kLabelNext);
  SetDefaultPushButton(kNextButton);
  SetCancelPushButton(kCancelButton);
  SetCaption(m_title);

  m_current = 0;
  QvWizardPage& first = *m_pages.front();
  first.ChangeButton(QvWizardPage::kSlotBack, QvWizardPage::kHidden);
  first.SetNextSlotText();
  m_pages.back()->SetTerminate(true);
  for (QvWizardPage* page : m_pages)
    if (!MakePage(*page)) {
      Terminate(-1);
      return false;
    }
  ReSize();
  first.OnActivate(QvWizardOpening);
  first.Show(true);
  if (HWND window = WindowOf(this)) ::SetFocus(window);
  return true;
}

void QvWizard::AddPageDynamique(QvWizardPage* after, QvWizardPage* page, unsigned short bitmapId) {
  if (!after || after->m_wizard != this || !WindowOf(this)) {
    UI_TRACE_REFUSED(s_log, "a page added to a wizard that does not run, or after a page of another");
    return;
  }
  HourGlass wait;
  if (!Append(page, bitmapId)) return;
  // What `after` was, for a page whose window cannot be made.
  const unsigned short formerNext = after->m_nextIndex;
  const bool formerTerminate = after->m_terminate;
  const QvWizardPage::ButtonRecord formerButton = after->m_buttons[QvWizardPage::kSlotNext];
  page->SetTerminate(true);
  after->SetNextPage(page);
  after->ChangeButton(QvWizardPage::kSlotNext, after->m_buttons[QvWizardPage::kSlotNext].state,
                      QvGetMyLabel(kLabelNext));
  if (!MakePage(*page)) {
    // A page without a window cannot be shown: `after` leads where it led.
    after->m_nextIndex = formerNext;
    after->m_terminate = formerTerminate;
    after->ChangeButton(QvWizardPage::kSlotNext, formerButton.state, formerButton.text);
    m_pages.pop_back();
    page->m_wizard = nullptr;
    return;
  }
  const RECT rc = PageRect(*page);
  ::MoveWindow(WindowOf(page), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

RECT QvWizard::PageRect(const QvWizardPage& page) const {
  if (page.m_bitmapID != 0) return RECT{kPageLeft, kPageTop, kPageLeft + m_pageWidth, kPageTop + m_pageHeight};
  return RECT{QvWizardPage::kPlainPageLeft, kPageTop,
              QvWizardPage::kPlainPageLeft + m_pageWidth + QvWizardPage::kPictureWidthGain, kPageTop + m_pageHeight};
}

void QvWizard::ReSize() {
  HWND window = WindowOf(this);
  if (!window) return;
  for (QvWizardPage* page : m_pages)
    if (HWND pageWindow = page ? WindowOf(page) : NULL) {
      const RECT rc = PageRect(*page);
      ::MoveWindow(pageWindow, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
  // The window: the dialog's size plus the caption, centred on its parent (or the screen).
  const int width = m_dialogWidth, height = m_dialogHeight + ::GetSystemMetrics(SM_CYCAPTION);
  RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  if (HWND owner = ::GetWindow(window, GW_OWNER); owner && ::IsWindowVisible(owner)) ::GetWindowRect(owner, &area);
  const int x = area.left + ((area.right - area.left) - width) / 2;
  const int y = area.top + ((area.bottom - area.top) - height) / 2;
  ::SetWindowPos(window, NULL, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  RECT client;
  ::GetClientRect(window, &client);
  const int top = client.bottom - kRowTop, bottom = client.bottom - kRowBottom;
  auto place = [&](unsigned short id, int right) {
    HWND control = ::GetDlgItem(window, id);
    if (!control) return 0;
    const RECT rc = ChildRect(window, control);
    const int w = rc.right - rc.left;
    ::MoveWindow(control, right - w, top, w, bottom - top, TRUE);
    return right - w;
  };
  const int cancelLeft = place(kCancelButton, client.right - kRowMargin);
  const int nextLeft = place(kNextButton, cancelLeft - kNextGap);
  place(kBackButton, nextLeft - kBackGap);
  for (unsigned short id : {kExtraButton, kCheckBox})
    if (HWND control = ::GetDlgItem(window, id)) {
      const RECT rc = ChildRect(window, control);
      ::MoveWindow(control, kRowMargin, top, rc.right - rc.left, bottom - top, TRUE);
    }
}

bool QvWizard::Next() {
  QvWizardPage* page = GetCurrentPage();
  HWND window = WindowOf(this);
  if (!page || !window) return false;
  if (page->m_terminate) {
    // Hidden while the page is asked: it may show a window of its own in the wizard's place.
    RECT former;
    ::GetWindowRect(window, &former);
    ::ShowWindow(window, SW_HIDE);
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) ::UpdateWindow(main->m_hWnd);
    if (!page->IsOkToTerminate()) {
      ::SetWindowPos(window, NULL, former.left, former.top, former.right - former.left, former.bottom - former.top,
                     SWP_NOZORDER | SWP_SHOWWINDOW);
      ::SetFocus(window);
    } else {
      Terminate(1);
      // The dialog closes at its next command, also when Next was not called from one.
      ::SendMessage(window, WM_COMMAND, 0, 0);
    }
    return false;
  }
  if (page->m_nextIndex == m_current || page->m_nextIndex >= m_pages.size() || !page->IsOkToGoNext()) return false;
  // The focus passes the Next button first: a field of the page that checks its value when it
  // loses the focus has done so.
  if (HWND next = ::GetDlgItem(window, kNextButton)) ::SetFocus(next);
  QvWizardPage* target = m_pages[page->m_nextIndex];
  if (!target) return false;
  target->m_backIndex = m_current;
  ::SetFocus(window);
  page->OnDeactivate(QvWizardWithLaterPage);
  page->Show(false);
  m_current = target->m_index;
  target->OnActivate(QvWizardWithEarlierPage);
  target->Show(true);
  return true;
}

bool QvWizard::Back() {
  QvWizardPage* page = GetCurrentPage();
  HWND window = WindowOf(this);
  if (!page || !window) return false;
  if (page->m_backIndex == m_current || !GetPage(page->m_backIndex) || !page->IsOkToGoBack()) return false;
  ::SetFocus(window);
  page->OnDeactivate(QvWizardWithEarlierPage);
  page->Show(false);
  m_current = page->m_backIndex;
  QvWizardPage* target = m_pages[m_current];
  target->OnActivate(QvWizardWithLaterPage);
  target->Show(true);
  return true;
}

void QvWizard::Cancel() {
  QvWizardPage* page = GetCurrentPage();
  if (page && !page->IsOkToCancel()) return;
  Terminate(2);
  // As Next's Finish: a page's own handler may have called, the wizard's window closes too.
  if (HWND window = WindowOf(this)) ::SendMessage(window, WM_COMMAND, 0, 0);
}

bool QvWizard::OnControlNotification(QvControlNotification& notification) {
  const unsigned short id = notification.m_controlID;
  if (id == kCancelButton || id == kNextButton || id == kBackButton || id == kExtraButton) {
    if (notification.m_code == 300) {
      HourGlass wait;
      if (id == kCancelButton) Cancel();
      else if (id == kNextButton) Next();
      else if (id == kBackButton) Back();
    }
    return true;
  }
  if (QvWizardPage* page = GetCurrentPage()) page->OnControlNotification(notification);
  return true;
}
