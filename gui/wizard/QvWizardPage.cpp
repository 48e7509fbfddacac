// The pages of the portable wizard: their window, their buttons' states and their layout.
#include <DialogTemplateStyle.h>
#include <GUIPlatformUtilities.h>
#include <GUIRichText.h>
#include <QvControls.h>
#include <QvHourGlass.h>
#include <UIUtilities.h>
#include <ulmora.h>

#include <algorithm>

#include "GUIWizardDialog.h"
#include "QvWizard.h"
#include "UITrace.h"

QV_IMPLEMENT_CLASS(QvWizardPage, QV_RUNTIME_CLASS(QvDialog))

namespace {
UlmLogger s_log("QvWizardPage");

const unsigned long kLabelCancel = 31199, kLabelNext = 31211, kLabelBack = 31212, kLabelStart = 31213,
                    kLabelFinish = 31214, kLabelExtra = 31215;

// A page is a child of the wizard's window: no caption, not popup, not visible at first.
const DWORD kPageDropStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
const DWORD kPageAddStyle = WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK;

// The dialog width a page's control asks for: its right edge plus the strip and margins.
const int kWidthBesidePicture = 201, kWidthWithoutPicture = 26;

// SetLook's steps: a rich-text label is indented 14 pixels and placed 5 (style 1) or 12 lower,
// a title (style 0) not indented; any other control 31 in and 3 lower.
const int kLabelIndent = 14, kBodyGap = 5, kLabelGap = 12, kControlIndent = 31, kControlGap = 3;

HWND WindowOf(const QvGUIContainer* container) {
  CWnd* window = container ? container->GetMFCCWnd() : nullptr;
  return window ? window->GetSafeHwnd() : NULL;
}

HWND ControlWindow(QvControl* control) { return control ? control->GetPlatformWindow() : NULL; }

// A text of the wizard's row, in the default GUI font as the controls set theirs.
void SetRowText(HWND window, const QvString& text) {
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(UIGetDefaultGUIFont()), TRUE);
  ::SetWindowTextW(window, text.ToWide().c_str());
}

// The control's rectangle in its parent's client coordinates.
RECT InParent(HWND control) {
  RECT rc = {0, 0, 0, 0};
  ::GetWindowRect(control, &rc);
  ::MapWindowPoints(NULL, ::GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void MoveTo(HWND control, int x, int y) {
  ::SetWindowPos(control, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

QvWizardPage::QvWizardPage(unsigned short templateId) : QvDialog(nullptr, nullptr, false, false), m_templateID(templateId) {}

QvWizardPage::~QvWizardPage() {
  if (m_wizard) m_wizard->ForgetPage(this);
}

void QvWizardPage::Join(QvWizard* wizard, unsigned short index, unsigned short bitmapId) {
  m_wizard = wizard;
  m_index = index;
  m_nextIndex = index;
  m_backIndex = index;
  m_terminate = false;
  m_caption = wizard->GetTitle();
  m_bitmapID = bitmapId;
  m_buttons[kSlotExtra] = {kHidden, QvGetMyLabel(kLabelExtra)};
  m_buttons[kSlotBack] = {kShown, QvGetMyLabel(kLabelBack)};
  m_buttons[kSlotNext] = {kShown, QvGetMyLabel(kLabelNext)};
  m_buttons[kSlotCancel] = {kShown, QvGetMyLabel(kLabelCancel)};
}

bool QvWizardPage::IsCurrentPage() const {
  return m_wizard && WindowOf(m_wizard) && m_wizard->GetCurrentPage() == this;
}

void QvWizardPage::OnActivate(QvWizardActivation) {}
void QvWizardPage::OnDeactivate(QvWizardActivation) {}
bool QvWizardPage::IsOkToGoNext() { return true; }
bool QvWizardPage::IsOkToGoBack() { return true; }
bool QvWizardPage::IsOkToTerminate() { return m_terminate; }
bool QvWizardPage::IsOkToCancel() { return true; }

bool QvWizardPage::Next() { return m_wizard && m_wizard->Next(); }
bool QvWizardPage::Back() { return m_wizard && m_wizard->Back(); }
void QvWizardPage::Cancel() {
  if (m_wizard) m_wizard->Cancel();
}

QvWizardPage* QvWizardPage::GetNextPage() { return m_wizard ? m_wizard->GetPage(m_nextIndex) : nullptr; }
QvWizardPage* QvWizardPage::GetBackPage() { return m_wizard ? m_wizard->GetPage(m_backIndex) : nullptr; }

void QvWizardPage::SetNextSlotText() {
  ChangeButton(kSlotNext, kShown, QvGetMyLabel(m_index == 0 ? kLabelStart : kLabelNext));
}

void QvWizardPage::SetTerminate(bool terminate) {
  m_terminate = terminate;
  if (terminate)
    ChangeButton(kSlotNext, kShown, QvGetMyLabel(kLabelFinish));
  else
    SetNextSlotText();
}

void QvWizardPage::SetNextPage(QvWizardPage* page) {
  if (!page || !m_wizard || page->m_wizard != m_wizard) {
    UI_TRACE_REFUSED(s_log, "the next page is not a page of this wizard");
    return;
  }
  m_nextIndex = page->m_index;
  if (page == this) {
    ChangeButton(kSlotNext, kDisabled);
    return;
  }
  m_terminate = false;
  SetNextSlotText();
}

void QvWizardPage::ChangeButton(unsigned short slot, unsigned short state, const QvString& text) {
  if (slot >= kSlots || state > kHidden) return;
  m_buttons[slot].state = state;
  if (!text.IsEmpty()) m_buttons[slot].text = text;
  RefreshButton(slot);
}

void QvWizardPage::ChangeButton(unsigned short slot, unsigned short state) { ChangeButton(slot, state, QvString()); }

void QvWizardPage::RefreshButton(unsigned short slot) {
  // Only the page shown drives the wizard's buttons: another page keeps its states for later.
  if (slot >= kSlots || !IsCurrentPage()) return;
  HWND window = m_wizard->GetSlotWindow(slot);
  if (!window) return;
  SetRowText(window, m_buttons[slot].text);
  switch (m_buttons[slot].state) {
    case kShown:
      ::ShowWindow(window, SW_SHOWNA);
      ::EnableWindow(window, TRUE);
      break;
    case kDisabled:
      ::ShowWindow(window, SW_SHOWNA);
      ::EnableWindow(window, FALSE);
      if (slot == kSlotNext && !::GetFocus())
        if (HWND cancel = m_wizard->GetSlotWindow(kSlotCancel)) ::SetFocus(cancel);
      break;
    default:
      ::ShowWindow(window, SW_HIDE);
      ::EnableWindow(window, FALSE);
      break;
  }
}

void QvWizardPage::Freeze(bool freeze) {
  if (!m_wizard) return;
  if (freeze) {
    m_frozenFocus = ::GetFocus();
    QvHourGlass(QvHourBegin);
    for (unsigned short slot = 0; slot < kSlots; ++slot)
      if (HWND button = m_wizard->GetSlotWindow(slot)) ::EnableWindow(button, FALSE);
    return;
  }
  bool onButton = false;
  for (unsigned short slot : {kSlotBack, kSlotNext, kSlotCancel, kSlotExtra}) {
    RefreshButton(slot);
    onButton = onButton || (m_frozenFocus && m_frozenFocus == m_wizard->GetSlotWindow(slot));
  }
  QvHourGlass(QvHourEnd);
  if (onButton && ::IsWindowEnabled(m_frozenFocus) && ::IsWindowVisible(m_frozenFocus)) ::SetFocus(m_frozenFocus);
  m_frozenFocus = NULL;
}

void QvWizardPage::SetBitmap(unsigned short id) {
  m_bitmapID = id;
  CGUIWizardDialog* dialog = m_wizard ? m_wizard->GetPlatformWizard() : nullptr;
  if (!dialog || !dialog->m_hWnd || dialog->GetPictureID() == id) return;
  dialog->UpdatePalette(id);
  RECT strip = {CGUIWizardDialog::kPictureLeft, CGUIWizardDialog::kPictureTop, CGUIWizardDialog::kStripRight,
                m_wizard->GetPageHeight() + CGUIWizardDialog::kPictureTop};
  ::InvalidateRect(dialog->m_hWnd, &strip, FALSE);
}

void QvWizardPage::ShowCheckBox(bool show, bool checked, QvString text) {
  HWND box = m_wizard ? m_wizard->GetCheckBoxWindow() : NULL;
  if (!box) return;
  if (!text.IsEmpty()) SetRowText(box, text);
  ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  ::ShowWindow(box, show ? SW_SHOW : SW_HIDE);
}

bool QvWizardPage::IsChecked() {
  HWND box = m_wizard ? m_wizard->GetCheckBoxWindow() : NULL;
  return box && ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void QvWizardPage::SetCaption(const QvString& text) {
  m_caption = text;
  if (IsCurrentPage()) m_wizard->SetCaption(text);
}

void QvWizardPage::Show(bool show) {
  HWND window = WindowOf(this);
  if (!show) {
    if (window) ::ShowWindow(window, SW_HIDE);
    return;
  }
  if (m_wizard) {
    m_wizard->SetCaption(m_caption);
    for (unsigned short slot : {kSlotCancel, kSlotNext, kSlotBack, kSlotExtra}) RefreshButton(slot);
    SetBitmap(m_bitmapID);
  }
  if (window) ::ShowWindow(window, SW_SHOW);
}

CWnd* QvWizardPage::OnCreatePlatform() {
  if (CWnd* platform = GetMFCCWnd()) return platform;
  CWnd* wizardWindow = m_wizard ? m_wizard->GetMFCCWnd() : nullptr;
  return new CGUIWizardPageDialog(m_templateID, wizardWindow, TRUE);
}

void QvWizardPage::GrowWizard(const RECT& child) {
  const int extra = m_bitmapID != 0 ? kWidthBesidePicture : kWidthWithoutPicture;
  auto clamp = [](long v) { return static_cast<unsigned short>(std::min<long>(std::max<long>(v, 0), 0xFFFF)); };
  m_wizard->Grow(clamp(child.right), clamp(child.bottom), clamp(child.right + extra));
}

short QvWizardPage::Run() {
  HWND wizardWindow = WindowOf(m_wizard);
  if (!wizardWindow || !CreatePlatform(false)) return -1;
  CGUIDialog* platform = GetPlatformDialog();
  if (!platform || platform->m_hWnd) return -1;
  void* copy = LoadDialogTemplateResource(m_templateID);
  if (!copy) {
    UI_TRACE_FAILED(s_log, "LoadDialogTemplateResource");
    return -1;
  }
  BOOL created = FALSE;
  platform->PrepareRun();
  platform->SetModeless();
  m_terminated = false;
  m_resultCode = 0;
  if (EditDialogTemplateStyle(copy, ::GlobalSize(copy), ~kPageDropStyle, kPageAddStyle))
    created = platform->CreateIndirect(static_cast<LPCDLGTEMPLATE>(copy), m_wizard->GetMFCCWnd());
  ::GlobalFree(copy);
  // OnInit may have refused the page: its window is gone then.
  if (!created || !platform->m_hWnd) {
    UI_TRACE_FAILED(s_log, "CreateIndirect of a page");
    return -1;
  }
  for (HWND child = ::GetWindow(platform->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    GrowWizard(InParent(child));
  return 0;
}

void QvWizardPage::SetLook(QvControl* control) {
  HWND window = ControlWindow(control);
  if (!window) {
    m_lastLaidOut = nullptr;
    return;
  }
  RECT rc = InParent(window);
  if (m_lastLaidOut) {
    int indent = kControlIndent, gap = kControlGap;
    if (auto* label = dynamic_cast<CGUIRichText*>(control->GetPlatformControl())) {
      const WORD style = label->GetStyle();
      indent = style == CGUIRichText::kTitle ? 0 : kLabelIndent;
      gap = style == CGUIRichText::kBody ? kBodyGap : kLabelGap;
    }
    MoveTo(window, m_cursorX + indent, m_cursorY + gap);
    rc = InParent(window);
  } else {
    m_cursorX = rc.left;
  }
  m_cursorY = rc.bottom;
  m_lastLaidOut = control;
  if (m_wizard) GrowWizard(rc);
}

void QvWizardPage::SetLook(QvControl* a, QvControl* b) {
  HWND first = ControlWindow(a);
  if (!first) {
    m_pairFirst = nullptr;
    m_pairDx = m_pairDy = 0;
    return;
  }
  if (a != m_pairFirst) {
    const RECT before = InParent(first);
    SetLook(a);
    const RECT after = InParent(first);
    m_pairFirst = a;
    m_pairDx = after.left - before.left;
    m_pairDy = after.top - before.top;
  }
  HWND second = ControlWindow(b);
  if (!second) return;
  const RECT rc = InParent(second);
  MoveTo(second, rc.left + m_pairDx, rc.top + m_pairDy);
  const RECT moved = InParent(second);
  m_cursorY = std::max<int>(m_cursorY, moved.bottom);
  if (m_wizard) GrowWizard(moved);
}

void QvWizardPage::SetAlign(unsigned short mode, QvControl* a, QvControl* b) {
  HWND fixed = ControlWindow(a), moving = ControlWindow(b);
  if (!fixed || !moving || mode > 3) return;
  const RECT to = InParent(fixed), rc = InParent(moving);
  int x = rc.left, y = rc.top;
  switch (mode) {
    case 0: x = to.left; break;
    case 1: y = to.top; break;
    case 2: x = to.right - (rc.right - rc.left); break;
    default: y = to.bottom - (rc.bottom - rc.top); break;
  }
  MoveTo(moving, x, y);
}
