// The state of the modifier keys and of the right button at a mouse event of a portable view.
#pragma once
#include "quarnel_api.h"

class QUARNEL_API QvModifier {
 public:
  QvModifier() = default;
  QvModifier(bool ctrl, bool shift, bool rightButton) : m_ctrl(ctrl), m_shift(shift), m_rightButton(rightButton) {}
  // From the key flags of a mouse message (MK_CONTROL, MK_SHIFT, MK_RBUTTON).
  static QvModifier FromKeyFlags(unsigned int flags) {
    return QvModifier((flags & 0x0008) != 0, (flags & 0x0004) != 0, (flags & 0x0002) != 0);
  }
  bool IsCtrl() const { return m_ctrl; }
  bool IsShift() const { return m_shift; }
  bool IsRightButton() const { return m_rightButton; }

 private:
  bool m_ctrl = false;
  bool m_shift = false;
  bool m_rightButton = false;
};
