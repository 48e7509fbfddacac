// The wait cursor and the help file.
#include <framework.h>
#include <gtest/gtest.h>

#include <QvHourGlass.h>

#include <utility>
#include <vector>

namespace {

TEST(HourGlass, NestsThroughTheApplicationAndResets) {
  CWinApp app(_T("guicore"));
  ASSERT_EQ(AfxGetApp(), &app);
  for (int i = 0; i < 3; ++i) QvHourGlass(QvHourBegin);
  EXPECT_EQ(app.m_nWaitCursorCount, 3);
  QvHourGlass(QvHourEnd);
  EXPECT_EQ(app.m_nWaitCursorCount, 2);
  QvHourGlass(QvHourReset);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  QvHourGlass(QvHourEnd);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  // Unattended: no command has any effect.
  SetBypassDialogs(true);
  QvHourGlass(QvHourBegin);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  SetBypassDialogs(false);
  QvHourGlass(QvHourBegin);
  QvHourGlass(QvHourReset);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
}

// An application that records the help it is asked for.
class HelpApp : public CWinApp {
 public:
  HelpApp() : CWinApp(_T("guicore")) {}
  void WinHelp(DWORD_PTR data, UINT command) override { asked.push_back({data, command}); }
  std::vector<std::pair<DWORD_PTR, UINT>> asked;
};

TEST(HelpMgr, KeepsTheFileNameAndAsksTheApplication) {
  QvHelpMgr::AddFile("guide.hlp");
  EXPECT_STREQ(QvHelpMgr::GetFile().c_str(), "guide.hlp");
  ASSERT_EQ(AfxGetApp(), nullptr);
  QvHelpMgr::Help(HELP_CONTEXT, 1);  // no application: nothing to ask
  HelpApp app;
  ASSERT_EQ(AfxGetApp(), &app);
  QvHelpMgr::Help(HELP_CONTEXT, 4242);
  QvHelpMgr::Help(HELP_FINDER, 0);
  const std::vector<std::pair<DWORD_PTR, UINT>> expected = {{4242, HELP_CONTEXT}, {0, HELP_FINDER}};
  EXPECT_EQ(app.asked, expected);
}

}  // namespace
