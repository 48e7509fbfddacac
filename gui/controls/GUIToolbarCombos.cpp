// The platform combo boxes of toolbars: a selection becomes the command of the control id,
// sent to the toolbar's owner.
#include <QvCommandCenter.h>

#include "GUIToolbarCombos.h"

IMPLEMENT_DYNCREATE(CGUIExtendedComboBox, CGUIComboBox)
IMPLEMENT_DYNCREATE(CGUIZoomComboBox, CGUIExtendedComboBox)
IMPLEMENT_DYNCREATE(CGUIFontsComboBox, CGUIExtendedComboBox)
IMPLEMENT_DYNCREATE(CGUISizesComboBox, CGUIExtendedComboBox)
IMPLEMENT_DYNCREATE(CGUILineComboBox, CGUIExtendedComboBox)

CGUIZoomComboBox::CGUIZoomComboBox() { m_flags |= kZoomFreeValues; }

HWND CGUIExtendedComboBox::GetCommandTarget() const {
  HWND toolbar = GetSafeHwnd() ? ::GetParent(m_hWnd) : NULL;
  if (!toolbar) return NULL;
  if (CWnd* bar = CWnd::FromHandlePermanent(toolbar)) return bar->GetOwner()->GetSafeHwnd();
  HWND owner = ::GetWindow(toolbar, GW_OWNER);
  return owner ? owner : ::GetParent(toolbar);
}

BOOL CGUIExtendedComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND self = GetSafeHwnd();
  const BOOL own = CGUIComboBox::OnChildNotify(message, wParam, lParam, result);
  if (!self || !::IsWindow(self)) return own;
  unsigned short command = 0;
  if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE && reinterpret_cast<HWND>(lParam) == self) {
    QvCommand* registered = GUIGetCommandFromID(LOWORD(wParam));
    if (!registered) return own;  // no command under this id: nothing to send
    command = registered->GetID();
  } else if (message == WM_NOTIFY && lParam != 0 && wParam == kValueChangedCommand) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != self || static_cast<int>(header->code) != kGUINotifyComboValue) return own;
    command = kValueChangedCommand;
  } else {
    return own;
  }
  HWND target = GetCommandTarget();
  if (!target) return own;
  ::SendMessageW(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  if (result) *result = 1;
  return TRUE;
}
