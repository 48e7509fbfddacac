// Shared helpers of the portable toolbar tests: the portable layer started over the program's
// command tables with a rights table, a target that enables every command it is asked about,
// a frame that routes like the portable frames, and the buttons of a bar as text.
#pragma once
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <QvCommandCenter.h>
#include <QvCommandHandler.h>
#include <QvToolBars.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "guitoolbars_ids.h"

// The rights callback: answers from a table, 1 for ids not in it.
struct Rights {
  static std::map<unsigned long, unsigned long> answers;
  static unsigned long Answer(unsigned long id, bool flag);
};

// The portable target: every command enabled, the ones in `checked` checked; runs record.
struct ToolbarTarget : QvCommandHandler {
  std::set<unsigned short> checked;
  std::vector<unsigned short> run;
  bool OnUpdateCommandStatus(QvCommandStatus& status) override;
  bool OnCommand(QvCommand& command) override;
};

// A frame that hands commands and update probes to the portable road first, as the portable
// frames do.
class PortableFrame : public CFrameWnd {
 public:
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The portable layer started, a target active, a frame the toolbars go into, and the toolbar
// settings in a key of the test's own (emptied before and after).
class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes a frame again (the previous one destroyed), as after a restart.
  void NewFrame();
  static void ClearSettings();

  PortableFrame* frame = nullptr;
  ToolbarTarget target;
};

// The bar's buttons in order: a command id, with "c" for a check button, "-" when disabled and
// "*" when checked; "|" for a separator; "n[id]" for the n placeholders of the control of command id.
std::string ButtonsOf(CToolBar* bar);
// The image index of each button that is not a separator.
std::vector<int> ImagesOf(CToolBar* bar);
