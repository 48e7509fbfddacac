// What the context-menu tests share: the portable layer started with the test program's
// command tables, a rights table and a command target that answers from a table.
#pragma once
#include <GUIInitialisations.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvContextMenu.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>

namespace ctxmenu_test {

// Security ids: 1002 disabled, 1003 hidden, 1004 refused; everything else allowed.
inline unsigned long Rights(unsigned long id, bool) {
  switch (id) {
    case 1002: return 2;
    case 1003: return 3;
    case 1004: return 0;
    default: return 1;
  }
}

// What the target answers for a command: enabled, and an effective command (0 for none).
struct Answer {
  bool enabled;
  unsigned short effective;
};

class Target : public QvCommandHandler {
 public:
  std::map<unsigned short, Answer> answers;
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    auto it = answers.find(status.GetID());
    if (it == answers.end()) return false;
    status.Enable(it->second.enabled);
    if (it->second.effective) status.SetEffectiveCmdID(it->second.effective);
    return true;
  }
};

class ContextMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(GUIInitialisations(&Rights).Succeeded());
    target.answers = {{100, {true, 0}}, {101, {true, 0}}, {102, {true, 0}}, {103, {true, 0}},
                      {104, {true, 0}}, {105, {true, 104}}, {106, {true, 107}}, {107, {true, 106}},
                      {108, {false, 0}}};
    QvCommandHandler::SetActiveTarget(&target);
  }
  void TearDown() override {
    QvCommandHandler::SetActiveTarget(nullptr);
    GUIRelease();
  }
  Target target;
};

}  // namespace ctxmenu_test
