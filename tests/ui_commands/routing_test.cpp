// Command routing: probes, the enabled test, rights, redirections and running commands.
#include <gtest/gtest.h>

#include <UICommandCenter.h>
#include <UICommandRouting.h>

#include "recorder.h"

#include <vector>

namespace {

enum : UINT {
  kEnabled = 100,    // a table command (security 1001) with handlers, enabled
  kDisabled = 101,   // a table command whose update handler disables it
  kNoUpdate = 102,   // a table command with a command handler only
  kNoHandler = 103,  // a table command without any handler
  kUnknown = 500,    // not in the tables, with handlers
};

// A target that records what ran and what its update handlers saw of the probe flag.
class Target : public CWnd {
 public:
  std::vector<UINT> ran;
  std::vector<int> flagInUpdate, flagInCommand;

 protected:
  void Run(UINT id) {
    flagInCommand.push_back(gbDontChangeCommand);
    ran.push_back(id);
  }
  void OnEnabled() { Run(kEnabled); }
  void OnDisabled() { Run(kDisabled); }
  void OnNoUpdate() { Run(kNoUpdate); }
  void OnUnknown() { Run(kUnknown); }
  void OnUpdateEnabled(CCmdUI* ui) {
    flagInUpdate.push_back(gbDontChangeCommand);
    ui->Enable(TRUE);
    ui->SetCheck(1);
  }
  void OnUpdateDisabled(CCmdUI* ui) {
    flagInUpdate.push_back(gbDontChangeCommand);
    ui->Enable(FALSE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Target, CWnd)
  ON_COMMAND(kEnabled, &Target::OnEnabled)
  ON_UPDATE_COMMAND_UI(kEnabled, &Target::OnUpdateEnabled)
  ON_COMMAND(kDisabled, &Target::OnDisabled)
  ON_UPDATE_COMMAND_UI(kDisabled, &Target::OnUpdateDisabled)
  ON_COMMAND(kNoUpdate, &Target::OnNoUpdate)
  ON_COMMAND(kUnknown, &Target::OnUnknown)
  ON_UPDATE_COMMAND_UI(kUnknown, &Target::OnUpdateEnabled)
END_MESSAGE_MAP()

DWORD s_status = 1;
std::vector<DWORD> s_asked;
DWORD Rights(DWORD id) {
  s_asked.push_back(id);
  return s_status;
}

// The process's command centre with the test program's tables and the rights callback above.
class Routing : public testing::Test {
 protected:
  static void SetUpTestSuite() { CUICommandCenter::GetCommandCenter().Init(Rights, 0); }
  void SetUp() override {
    s_status = 1;
    s_asked.clear();
    smapEffCmd.RemoveAll();
  }
  void TearDown() override { smapEffCmd.RemoveAll(); }
  Target target;
};

TEST_F(Routing, TestProbeRecordsAndRaisesTheFlagWhileItLives) {
  EXPECT_EQ(gbDontChangeCommand, 0);
  {
    CTestCmdUI probe(kEnabled);
    EXPECT_EQ(gbDontChangeCommand, 1);
    EXPECT_EQ(probe.m_bEnabled, TRUE);
    EXPECT_EQ(probe.m_nCheck, 0);
    EXPECT_FALSE(probe.m_bEnableChanged);
    probe.Enable(FALSE);
    probe.SetCheck(2);
    probe.SetRadio(TRUE);
    probe.SetText(_T("ignored"));
    EXPECT_EQ(probe.m_bEnabled, FALSE);
    EXPECT_EQ(probe.m_nCheck, 2);
    EXPECT_TRUE(probe.m_bEnableChanged);
  }
  EXPECT_EQ(gbDontChangeCommand, 0);
}

TEST_F(Routing, GlobalOnCommandRunsEnabledCommandsAndSwallowsDisabledOnes) {
  EXPECT_TRUE(GlobalOnCommand(&target, kEnabled, 0));
  EXPECT_EQ(target.ran, std::vector<UINT>{kEnabled});
  EXPECT_EQ(target.flagInUpdate, std::vector<int>{1});
  EXPECT_EQ(target.flagInCommand, std::vector<int>{0});

  EXPECT_EQ(GlobalOnCommand(&target, MAKEWPARAM(kDisabled, 1), 0), 1);  // swallowed
  EXPECT_EQ(target.ran, std::vector<UINT>{kEnabled});
  EXPECT_EQ(gbDontChangeCommand, 0);

  // Without an update handler the command is enabled; without any handler nothing takes it.
  EXPECT_TRUE(GlobalOnCommand(&target, kNoUpdate, 0));
  EXPECT_FALSE(GlobalOnCommand(&target, kNoHandler, 0));
  EXPECT_EQ(GlobalOnCommand(NULL, kEnabled, 0), 0);
  EXPECT_EQ(GlobalOnCommand(&target, 0, 0), 0);
  EXPECT_EQ(target.ran, (std::vector<UINT>{kEnabled, kNoUpdate}));
}

TEST_F(Routing, CheckAndExecuteRunsOnlyForStatusesOneAndFour) {
  for (DWORD status = 0; status <= 5; ++status) {
    SCOPED_TRACE(status);
    s_status = status;
    target.ran.clear();
    int result = CheckAndExecuteCommand(kEnabled, &target);
    bool runs = status == 1 || status == 4;
    EXPECT_EQ(result != 0, runs);
    EXPECT_EQ(target.ran.size(), runs ? 1u : 0u);
    EXPECT_EQ(gbDontChangeCommand, 0);
  }
}

TEST_F(Routing, CheckAndExecuteTestsTheUpdateFirst) {
  EXPECT_EQ(CheckAndExecuteCommand(kDisabled, &target), 0);
  EXPECT_EQ(CheckAndExecuteCommand(kNoHandler, &target), 0);  // no handler: disabled
  EXPECT_TRUE(s_asked.empty());                               // rights not even asked
  EXPECT_NE(CheckAndExecuteCommand(kNoUpdate, &target), 0);
  EXPECT_EQ(s_asked, (std::vector<DWORD>{0, kNoUpdate | 0x40000000}));  // its security id is 0
  // A command the centre does not know is allowed.
  s_asked.clear();
  EXPECT_NE(CheckAndExecuteCommand(kUnknown, &target), 0);
  EXPECT_TRUE(s_asked.empty());
  EXPECT_EQ(target.ran, (std::vector<UINT>{kNoUpdate, kUnknown}));
}

TEST_F(Routing, CheckAndExecuteFollowsTheEffectiveCommand) {
  smapEffCmd.SetAt(kUnknown, kEnabled);
  EXPECT_NE(CheckAndExecuteCommand(kUnknown, &target), 0);
  EXPECT_EQ(target.ran, std::vector<UINT>{kEnabled});
  // The rights are those of the effective command.
  EXPECT_EQ(s_asked, (std::vector<DWORD>{1001, kEnabled | 0x40000000}));
  s_status = 2;
  EXPECT_EQ(CheckAndExecuteCommand(kUnknown, &target), 0);
  EXPECT_EQ(target.ran.size(), 1u);
}

// A target whose update handler puts another command in the place of kNoUpdate in the
// command centre (the one it had is kept aside and put back by the test).
class Redefining : public Target {
 public:
  CUICommand replacement;
  CUICommand* replaced = NULL;

 protected:
  void OnUpdateRedefine(CCmdUI*) {
    CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
    replaced = center.RemoveCommand(kNoUpdate);
    center.AddCommand(&replacement);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Redefining, Target)
  ON_UPDATE_COMMAND_UI(kNoUpdate, &Redefining::OnUpdateRedefine)
END_MESSAGE_MAP()

TEST_F(Routing, CheckAndExecuteAsksTheRightsOfTheCommandTheIdHasAfterTheUpdate) {
  Redefining redefining;
  redefining.replacement.m_wID = kNoUpdate;
  redefining.replacement.m_dwSecurityID = 2002;
  EXPECT_NE(CheckAndExecuteCommand(kNoUpdate, &redefining), 0);
  CUICommandCenter& center = CUICommandCenter::GetCommandCenter();
  EXPECT_EQ(center.RemoveCommand(kNoUpdate), &redefining.replacement);
  ASSERT_NE(redefining.replaced, nullptr);
  center.AddCommand(redefining.replaced);
  EXPECT_EQ(s_asked, (std::vector<DWORD>{2002, kNoUpdate | 0x40000000}));
  EXPECT_EQ(redefining.ran, std::vector<UINT>{kNoUpdate});
}

TEST_F(Routing, ExecuteCommandRunsWithoutTests) {
  s_status = 3;
  EXPECT_NE(ExecuteCommand(kDisabled, &target), 0);
  EXPECT_EQ(target.ran, std::vector<UINT>{kDisabled});
  EXPECT_TRUE(s_asked.empty());
  EXPECT_EQ(ExecuteCommand(kNoHandler, &target), 0);
}

// What a hidden, enabled button showing a text is sent by the window probe's calls.
using testing_support::ExpectedMsg;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;
// Enable(FALSE) on an enabled control: the system cancels its modes, then tells it.
const ExpectedMsg kDisableMsgs[] = {{WM_CANCELMODE, kSent, 0, 0}, {WM_ENABLE, kSent | kWparam, FALSE, 0}, {0, 0, 0, 0}};
// Enable(TRUE) on a disabled control.
const ExpectedMsg kEnableMsgs[] = {{WM_ENABLE, kSent | kWparam, TRUE, 0}, {0, 0, 0, 0}};
// Enable of the state the control has: no message.
const ExpectedMsg kNoMsgs[] = {{0, 0, 0, 0}};
// The text is read after its length is asked. In the ANSI edition the narrow length
// question reaches the logging Unicode procedure through the system's conversion, which may
// read the text to count its narrow characters: one WM_GETTEXT more, optional.
const ExpectedMsg kLength = {WM_GETTEXTLENGTH, kSent, 0, 0};
const ExpectedMsg kText = {WM_GETTEXT, kSent, 0, 0};
const ExpectedMsg kNarrowCount = {WM_GETTEXT, kSent | testing_support::kOptional, 0, 0};
const ExpectedMsg kEnd = {0, 0, 0, 0};
// SetText of another text than the control's: its text is read, then set.
const ExpectedMsg kTextSetMsgs[] = {kLength, kText, kNarrowCount, {WM_SETTEXT, kSent, 0, 0}, kEnd};
// SetText of the text the control shows: read only.
const ExpectedMsg kTextReadMsgs[] = {kLength, kText, kNarrowCount, kEnd};
// SetText of an empty text on a control without text: its length alone is asked.
const ExpectedMsg kLengthReadMsgs[] = {kLength, kNarrowCount, kEnd};

TEST_F(Routing, WindowProbeTouchesTheControlOnlyWhenItDiffers) {
  HWND button = CreateWindow(_T("BUTTON"), _T("Old"), WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
  ASSERT_TRUE(button);
  testing_support::SubclassedControl logged(button);
  CWndCmdUI probe;
  probe.m_nID = kEnabled;
  probe.m_pOther = CWnd::FromHandle(button);
  CWndCmdUI assigned;
  assigned = probe;
  struct Step {
    const char* what;
    CWndCmdUI* by;
    int enable;           // -1: SetText instead
    const TCHAR* text;    // the text given to SetText
    const ExpectedMsg* expected;
    bool enabledAfter;
    const TCHAR* textAfter;
  } steps[] = {
      {"disable", &probe, FALSE, NULL, kDisableMsgs, false, _T("Old")},
      {"disable again", &probe, FALSE, NULL, kNoMsgs, false, _T("Old")},
      {"enable", &probe, TRUE, NULL, kEnableMsgs, true, _T("Old")},
      {"enable again", &probe, TRUE, NULL, kNoMsgs, true, _T("Old")},
      {"new text", &probe, -1, _T("New"), kTextSetMsgs, true, _T("New")},
      {"same text", &probe, -1, _T("New"), kTextReadMsgs, true, _T("New")},
      {"text differing in case", &probe, -1, _T("NEW"), kTextSetMsgs, true, _T("NEW")},
      {"no text", &probe, -1, NULL, kTextSetMsgs, true, _T("")},
      {"no text again", &probe, -1, _T(""), kLengthReadMsgs, true, _T("")},
      {"disable through a copy", &assigned, FALSE, NULL, kDisableMsgs, false, _T("")},
  };
  for (const Step& step : steps) {
    Recorder().Reset();
    step.by->m_bEnableChanged = FALSE;
    if (step.enable >= 0)
      step.by->Enable(step.enable);
    else
      step.by->SetText(step.text);
    Recorder().Pump();
    EXPECT_TRUE(Recorder().Matches(step.expected)) << step.what;
    EXPECT_TRUE(step.by->m_bEnableChanged) << step.what;
    EXPECT_EQ(IsWindowEnabled(button) != FALSE, step.enabledAfter) << step.what;
    TCHAR text[16] = {};
    GetWindowText(button, text, 16);
    EXPECT_EQ(CString(text), CString(step.textAfter)) << step.what;
  }

  CWndCmdUI copy(probe);
  EXPECT_EQ(copy.m_pOther, probe.m_pOther);
  EXPECT_EQ(copy.m_nID, probe.m_nID);

  // Through the routing: the update handler's answer reaches the control.
  CWndCmdUI routed;
  routed.m_nID = kDisabled;
  routed.m_pOther = CWnd::FromHandle(button);
  EnableWindow(button, TRUE);
  Recorder().Reset();
  routed.DoUpdate(&target, TRUE);
  Recorder().Pump();
  EXPECT_TRUE(Recorder().Matches(kDisableMsgs));
  EXPECT_FALSE(IsWindowEnabled(button));
  DestroyWindow(button);

  // Without a window nothing is touched.
  CWndCmdUI lone;
  lone.Enable(FALSE);
  lone.SetText(_T("x"));
  EXPECT_TRUE(lone.m_bEnableChanged);
}

}  // namespace
