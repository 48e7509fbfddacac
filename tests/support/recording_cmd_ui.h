// A command update that keeps what a handler said of its command (enabled, text), for asking a
// command target's update handler directly: target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, NULL).
#pragma once
#include <framework.h>

namespace testing_support {

class RecordingCmdUI : public CCmdUI {
 public:
  explicit RecordingCmdUI(UINT id) { m_nID = id; }
  void Enable(BOOL bOn = TRUE) override { enabled = bOn != FALSE; }
  void SetText(LPCTSTR text) override { this->text = text; }
  bool enabled = false;
  CString text;
};

}  // namespace testing_support
