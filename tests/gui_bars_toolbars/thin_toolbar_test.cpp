// The thin toolbar: a fixed bar of seven command tools docked in the toolbar frame.
#include <QvStatusBar.h>
#include <fw_dock.h>

#include "guitoolbars_test.h"
#include "handle_counts.h"
#include "test_support.h"

namespace {

using ThinToolbarTest = ToolbarTest;

TEST_F(ThinToolbarTest, ANewContextDocksSevenCommandTools) {
  QvToolbarMgr manager;
  ASSERT_TRUE(manager.NewContext(IDB_IMAGES));
  QvToolbar* toolbar = manager.GetToolbar();
  ASSERT_NE(toolbar, nullptr);
  CGUIToolbar* bar = toolbar->GetGUIToolbar();
  ASSERT_NE(bar->m_hWnd, nullptr);
  EXPECT_EQ(bar->GetQvToolbar(), toolbar);
  EXPECT_EQ(bar->GetDlgCtrlID(), 8);
  EXPECT_EQ(bar->GetToolCount(), 7);
  EXPECT_EQ(ButtonsOf(bar), "57601 9 10 11 12 13 14");
  EXPECT_EQ(ImagesOf(bar), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  // Docked at the top of the frame, with tooltips and flyby prompts.
  ASSERT_NE(bar->m_pDockBar, nullptr);
  EXPECT_EQ(bar->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(bar->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY), static_cast<DWORD>(CBRS_TOOLTIPS | CBRS_FLYBY));
  // The tools know their place in the bar: buttons of 24 x 22.
  frame->RecalcLayout();
  QvTool tool(toolbar);
  tool.Init(3, 11, 0, 3);
  EXPECT_EQ(tool.GetWidth(), 24);
  EXPECT_EQ(tool.GetHeight(), 22);
  EXPECT_FALSE(tool.ElasticWidth());
  QvString text;
  EXPECT_FALSE(tool.GetToolTip(text));
  QvTool nowhere(nullptr);
  EXPECT_EQ(nowhere.GetWidth(), 0);
}

TEST_F(ThinToolbarTest, ANewContextReplacesTheLastAndNeedsAFrame) {
  {
    QvToolbarMgr manager;
    ASSERT_TRUE(manager.NewContext(IDB_IMAGES));
    const int windows = testing_support::ThreadWindowCount();
    ASSERT_TRUE(manager.NewContext(IDB_IMAGES));
    EXPECT_EQ(testing_support::ThreadWindowCount(), windows);
  }
  // Without a frame (no toolbar frame, no main window) nothing is made.
  Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
  QvToolbarMgr manager;
  EXPECT_FALSE(manager.NewContext(IDB_IMAGES));
  EXPECT_EQ(manager.GetToolbar(), nullptr);
  QvVirtualInputStream* none = nullptr;
  EXPECT_FALSE(manager.LoadUserContext(none));
  Set_GlobalTemporayAccessforMFCMainWindow(frame);
}

TEST_F(ThinToolbarTest, ToolsAddedOneByOneLayOutTheWholeBar) {
  QvToolbar toolbar(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 9);
  ASSERT_TRUE(toolbar.IsCreated());
  const struct {
    int index;
    unsigned id;
    unsigned style;
    short last;
    const char* buttons;
  } steps[] = {
      {0, 40, 0, 0, "40"},
      {1, 41, TBBS_CHECKBOX, 1, "40 41c"},
      {2, 42, TBBS_CHECKBOX | TBBS_CHECKED, 2, "40 41c 42c*"},
  };
  for (const auto& s : steps) {
    auto* tool = new QvCommandTool(&toolbar);
    tool->Init(s.index, s.id, s.style, s.index);
    EXPECT_EQ(toolbar.AddTool(*tool), s.last);
    EXPECT_EQ(ButtonsOf(toolbar.GetGUIToolbar()), s.buttons);
  }
}

}  // namespace
