// The platform combo boxes of the command combo boxes on toolbars: each turns a selection
// into the command of its control id, sent as WM_COMMAND to the toolbar's owner as a button
// would. A toolbar is any framework window that reflects its children's notifications to
// them (as control bars and framework windows do); the combo box is its child.
#pragma once
#include <framework.h>

#include "GUIControls.h"
#include "quarnel_api.h"

class QUARNEL_API CGUIExtendedComboBox : public CGUIComboBox {
  DECLARE_DYNCREATE(CGUIExtendedComboBox)
 public:
  // The command whose value change (WM_NOTIFY kGUINotifyComboValue from the control of that
  // id) is sent like a selection.
  enum { kValueChangedCommand = 34876 };
  CGUIExtendedComboBox() = default;

  // The combo box's own handling first. Then a selection change sends the command that the
  // command centre has under the control's id, and a value change of control 34876 sends
  // command 34876, each as WM_COMMAND (the id, lParam 0) to the toolbar's owner (its owner
  // window, else its parent); such a notification counts as handled. Without a registered
  // command, or without a window to send to, the combo box's own answer stands.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // The toolbar's owner; NULL when the combo box has no parent.
  HWND GetCommandTarget() const;
};

// Takes typed zoom values that are not listed (within its range).
class QUARNEL_API CGUIZoomComboBox : public CGUIExtendedComboBox {
  DECLARE_DYNCREATE(CGUIZoomComboBox)
 public:
  CGUIZoomComboBox();
};

class QUARNEL_API CGUIFontsComboBox : public CGUIExtendedComboBox {
  DECLARE_DYNCREATE(CGUIFontsComboBox)
 public:
  CGUIFontsComboBox() = default;
};

class QUARNEL_API CGUISizesComboBox : public CGUIExtendedComboBox {
  DECLARE_DYNCREATE(CGUISizesComboBox)
 public:
  CGUISizesComboBox() = default;
};

// The line widths (FillLineWidths): the line style is the position in its list.
class QUARNEL_API CGUILineComboBox : public CGUIExtendedComboBox {
  DECLARE_DYNCREATE(CGUILineComboBox)
 public:
  CGUILineComboBox() = default;
};
