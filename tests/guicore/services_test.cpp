// The wait cursor and the help file.
#include <gtest/gtest.h>

#include <QvHourGlass.h>

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

TEST(HelpMgr, KeepsTheFileName) {
  QvHelpMgr::AddFile("guide.hlp");
  EXPECT_STREQ(QvHelpMgr::GetFile().c_str(), "guide.hlp");
  QvHelpMgr::Help(HELP_CONTEXT, 1);  // no application: nothing to ask
}

}  // namespace
