// Shared pieces of the platform-glue tests: the portable layer started over the program's
// command tables, a portable target that answers status from a table, and a framework window
// that hands its messages to the glue the way the portable windows do.
#pragma once
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "recorder.h"

// Commands of the program's table (guiglue_test.rc).
enum {
  kOpen = 300,
  kCompact = 301,  // check style 2: a radio state
  kRedirected = 302,
  kTarget = 303,
  kPrint = 304,
  kUnknown = 399,  // no definition
};

// A portable target: executes the commands it is told to and answers status from a table.
struct PortableTarget : QvCommandHandler {
  struct Answer {
    bool enable = true;
    QvTriState check = QvUnchecked;
    const char* text = nullptr;
    unsigned short effective = 0;
  };
  PortableTarget() = default;
  ~PortableTarget() override = default;
  bool OnCommand(QvCommand& command) override {
    if (!answers.count(command.GetID())) return QvCommandHandler::OnCommand(command);
    executed.push_back(command.GetID());
    return true;
  }
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    asked.push_back(status.GetID());
    auto it = answers.find(status.GetID());
    if (it == answers.end()) return QvCommandHandler::OnUpdateCommandStatus(status);
    status.Enable(it->second.enable);
    status.SetCheck(it->second.check);
    if (it->second.text) status.SetMenuText(it->second.text);
    if (it->second.effective) status.SetEffectiveCmdID(it->second.effective);
    return true;
  }
  std::map<unsigned short, Answer> answers;
  std::vector<unsigned short> executed;
  std::vector<unsigned short> asked;  // status questions
};

// A framework window that routes like the portable windows: WM_COMMAND to GUIOnCommand,
// WM_NOTIFY to GUIOnNotify, OnCmdMsg to GUIOnCmdMsg first. Its own message map handles the
// commands 305 to 309 and 0xE001 and disables 306 in its update handler; it logs every
// message to the recorder and every command the framework's routing ran.
class PortableWnd : public CWnd {
 public:
  PortableWnd();
  ~PortableWnd() override;
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
  std::vector<std::pair<UINT, int>> routed;  // (id, code) the framework's routing ran
  // The notifications it received: (WM_COMMAND, code), (WM_NOTIFY, code), (WM_HSCROLL, code).
  std::vector<std::pair<UINT, int>> notifications;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg void OnOwnCommand(UINT id);
  afx_msg void OnWindowCommand();
  afx_msg void OnUpdateOwnCommand(CCmdUI* probe);
  // As the portable dialogs do: a trackbar's scrolling goes to the container's translation.
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()
};

// The layer started over the program's tables, a portable target made the active target,
// and a portable window; released after the test.
class GlueTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  PortableTarget target;
  PortableWnd wnd;
};
