// What the dynamic-menu tests share: the portable layer started over the program's command
// tables with a rights table the tests change, a command target that redirects and executes
// from tables, a frame that brings its popups up to date the way the portable frames do, and
// a reading of a live menu.
#pragma once
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvDynamicMenu.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "dynmenus_ids.h"

namespace dynmenus_test {

// The host's rights: status by security id (1 when absent); every question is counted by the
// id asked (a command's second question is its id ORed with 0x40000000).
struct Rights {
  static std::map<unsigned long, unsigned long> status;
  static std::map<unsigned long, int> asked;
  static unsigned long Callback(unsigned long id, bool);
  // The command's own security id (see the tables).
  static void Set(unsigned long command, unsigned long value) { status[1000 + command] = value; }
  static int AskedFor(unsigned long command) { return asked[command | 0x40000000]; }
};

// Every command is enabled; `redirects` sends a command to an effective one; commands in
// `executes` are run (and recorded).
struct Target : QvCommandHandler {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override;
  bool OnCommand(QvCommand& command) override;
  std::map<unsigned short, unsigned short> redirects;
  std::vector<unsigned short> executed;
};

// A command definition that counts how often its menu text is read: each fill or rebuild of
// an item reads it once.
class CountingDef : public QvUsrCommandDef {
 public:
  explicit CountingDef(const QvCommandDef& original);
  bool GetMenuText(QvString& text) const override;
  mutable int menuTexts = 0;
};

// A frame as the portable frames are: before a popup opens the dynamic menus bring it up to
// date, then the framework's probes ask the portable road for the items' states. It records
// the WM_COMMAND messages it gets.
class MenuFrame : public CFrameWnd {
 public:
  MenuFrame();  // deletes itself when destroyed
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;
  std::vector<WPARAM> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);
  DECLARE_MESSAGE_MAP()
};

struct Item {
  UINT id;           // -1 for a popup
  std::string text;  // "-" for a separator
  HMENU sub;
  UINT state;        // MFS_GRAYED, MFS_CHECKED ...
};
std::vector<Item> Items(HMENU menu);
// The ids of the items, separators as 0 and popups as -1.
std::vector<UINT> Ids(HMENU menu);
std::vector<std::string> Texts(HMENU menu);
// The popup of the item whose text is `text`; null when none.
HMENU PopupNamed(HMENU menu, const std::string& text);

// The layer started, dynamic menus made and the target active; the bar loaded (not yet
// registered). Released after the test.
class DynamicMenuTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Registers the bar (with the extra menu) on a frame that shows it.
  void RegisterOnFrame();
  // Sends the frame WM_INITMENUPOPUP for the popup at that index of the bar.
  HMENU Open(const std::string& text);
  // Replaces the definition of the command with a counting one.
  CountingDef* Count(unsigned short command);

  Target target;
  CMenu bar;
  MenuFrame* frame = nullptr;
};

}  // namespace dynmenus_test
