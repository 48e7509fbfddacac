// What the small controls' tests share: a framework window to be their parent (reflection
// needs one), which logs the commands it gets.
#pragma once
#include <framework.h>

#include <string>
#include <vector>

namespace smallctrls {

class FrameworkParent : public CWnd {
 public:
  // A visible top-level window of the framework's class, w x h of client area.
  FrameworkParent(int w = 400, int h = 300);
  ~FrameworkParent() override;

  struct Command {
    WPARAM wParam;
    LPARAM lParam;
    CString text;  // the sender's window text when the command arrived
    DWORD selection;  // an edit's EM_GETSEL then
  };
  std::vector<Command> commands;  // every WM_COMMAND that reached the parent's own handling

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

}  // namespace smallctrls
