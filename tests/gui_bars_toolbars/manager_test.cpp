// The toolbar manager: named bars, the toolbars menu, the settings kept in the registry and
// in the frame's profile, and what the manager owns.
#include <fw_dock.h>

#include <QvHotKeyText.h>

#include "guitoolbars_test.h"
#include "handle_counts.h"
#include "test_support.h"

namespace {

#ifdef UNICODE
const TCHAR kProfileKey[] = _T("QuarnelToolbarProfileU");
#else
const TCHAR kProfileKey[] = _T("QuarnelToolbarProfileA");
#endif

const UINT kStandardId = 0xE840;
const UINT kReportId = 0xE841;

// The ids of the toolbars menu's items in order.
std::vector<UINT> MenuIds(const QvToolBarManager& manager) {
  std::vector<UINT> ids;
  HMENU menu = manager.GetContextualMenu()->m_hMenu;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

// The four settings and the bitmap style, as "colour large tips keys style 1".
std::string SettingsOf(const QvToolBarManager& manager) {
  bool colour, large, tips, keys;
  manager.GetCurrentSettings(colour, large, tips, keys);
  return std::string(colour ? "colour" : "plain") + (large ? " large" : " small") + (tips ? " tips" : " no-tips") +
         (keys ? " keys" : " no-keys") + " style " + std::to_string(manager.GetBitmapStyle());
}

std::vector<std::string> Names(const QvToolBarManager& manager) {
  std::vector<std::string> names;
  const QvListQvString& list = manager.GetToolBarNames();
  for (QvPosition pos = list.GetHeadPosition(); pos;) names.push_back(list.GetNext(pos).c_str());
  return names;
}

class ManagerTest : public ToolbarTest {
 protected:
  // Two bars, "Standard" over the main list and "Report" over the controls, made in the frame.
  void MakeBars(QvToolBarManager& manager) {
    manager.AddToolBar("Standard", true, kStandardId);
    manager.AddToolBar("Report", true, kReportId);
    ASSERT_TRUE(manager.CreateToolBars(frame));
    ASSERT_TRUE(manager.AddToolBarResource("Standard", LIST_MAIN));
    ASSERT_TRUE(manager.AddToolBarResource("Report", LIST_CONTROLS));
    frame->RecalcLayout();
  }
};

TEST_F(ManagerTest, BarsAreMadeInOrderWithTheirNamesAndMenuItems) {
  QvToolBarManager manager;
  MakeBars(manager);
  EXPECT_EQ(Names(manager), (std::vector<std::string>{"Standard", "Report"}));
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kStandardId, kReportId}));
  CGUIMultipleBitmapToolbar* standard = manager.GetToolBar("Standard");
  ASSERT_NE(standard, nullptr);
  EXPECT_EQ(standard->GetDlgCtrlID(), static_cast<int>(kStandardId));
  EXPECT_EQ(standard->GetStyle() & 0xFFFF0000, static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(standard->GetBarStyle(), static_cast<DWORD>(0x283A));
  CString text;
  standard->GetWindowText(text);
  EXPECT_EQ(text, CString(_T("Standard")));
  EXPECT_EQ(ButtonsOf(standard), "100 101 | 102c 103c | 104 105 107");
  EXPECT_EQ(ButtonsOf(manager.GetToolBar("Report")), "100 6[120] 101 6[125]");
  EXPECT_EQ(manager.GetToolBar("Nothing"), nullptr);
  // The second bar stands under the first.
  CRect a, b;
  standard->GetWindowRect(&a);
  manager.GetToolBar("Report")->GetWindowRect(&b);
  EXPECT_GE(b.top, a.bottom);
}

TEST_F(ManagerTest, ABarWithNothingButSeparatorsLeavesTheMenu) {
  QvToolBarManager manager;
  manager.AddToolBar("Standard", true, kStandardId);
  manager.AddToolBar("Hidden", true, kReportId);
  ASSERT_TRUE(manager.CreateToolBars(frame));
  EXPECT_TRUE(manager.AddToolBarResource("Hidden", LIST_EMPTY));
  EXPECT_TRUE(manager.AddToolBarResource("Standard", LIST_MAIN));
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kStandardId}));
  // A list that is missing, or a bar that is, change nothing.
  EXPECT_FALSE(manager.AddToolBarResource("Standard", LIST_MISSING));
  EXPECT_FALSE(manager.AddToolBarResource("Nothing", LIST_MAIN));
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kStandardId}));
  // A bar filled before it is made is judged when it is made.
  manager.AddToolBar("Later", true, 0xE842);
  EXPECT_TRUE(manager.AddToolBarResource("Later", LIST_EMPTY));
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kStandardId, 0xE842}));
  ASSERT_TRUE(manager.CreateToolBars(frame));
  EXPECT_EQ(ButtonsOf(manager.GetToolBar("Later")), "| |");
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kStandardId}));
}

TEST_F(ManagerTest, AddingANameTwiceKeepsOneBarForIt) {
  QvToolBarManager manager;
  MakeBars(manager);
  const HWND oldWindow = manager.GetToolBar("Standard")->m_hWnd;
  const int windows = testing_support::ThreadWindowCount();
  CGUIMultipleBitmapToolbar* bar = manager.AddToolBar("Standard", false, 0xE843);
  EXPECT_EQ(manager.GetToolBar("Standard"), bar);
  EXPECT_FALSE(IsWindow(oldWindow));  // the old bar is gone with its window
  EXPECT_EQ(testing_support::ThreadWindowCount(), windows - 1);
  EXPECT_EQ(manager.GetToolBarsDictionnary().GetCount(), 2);
  EXPECT_EQ(Names(manager), (std::vector<std::string>{"Standard", "Report"}));
  EXPECT_EQ(MenuIds(manager), (std::vector<UINT>{kReportId, 0xE843}));
  // Made again: the new bar, recorded as hidden, is made hidden.
  ASSERT_TRUE(manager.CreateToolBars(frame));
  EXPECT_FALSE(bar->IsWindowVisible());
  EXPECT_EQ(bar->GetDlgCtrlID(), 0xE843);
}

TEST_F(ManagerTest, DestroyingAllBarsForgetsThem) {
  QvToolBarManager manager;
  MakeBars(manager);
  const HWND standard = manager.GetToolBar("Standard")->m_hWnd;
  manager.DestroyAllToolBars();
  EXPECT_FALSE(IsWindow(standard));
  EXPECT_EQ(manager.GetToolBar("Standard"), nullptr);
  EXPECT_EQ(manager.GetToolBar("Report"), nullptr);
  EXPECT_TRUE(manager.GetToolBarsDictionnary().IsEmpty());
  EXPECT_TRUE(Names(manager).empty());
  EXPECT_TRUE(MenuIds(manager).empty());
  // Every operation on the forgotten names is harmless.
  manager.HideToolBar("Standard");
  manager.ShowToolBar("Standard");
  manager.UpdateToolBar("Standard");
  manager.UpdateAllToolBars();
  EXPECT_TRUE(manager.CreateToolBars(frame));
  EXPECT_FALSE(manager.AddToolBarResource("Standard", LIST_MAIN));
  manager.DestroyAllToolBars();
  // The manager works on as new.
  MakeBars(manager);
  EXPECT_EQ(ButtonsOf(manager.GetToolBar("Standard")), "100 101 | 102c 103c | 104 105 107");
}

TEST_F(ManagerTest, ManagersShareOneListOfStandardShortCuts) {
  auto* first = new QvToolBarManager;
  QvListLPQvFirst* list = Get_GlobalListStandardShortCutCommandDef();
  ASSERT_NE(list, nullptr);
  MakeBars(*first);
  ASSERT_EQ(list->GetCount(), 2);  // Ctrl+O, Ctrl+Shift+C
  {
    QvToolBarManager second;
    EXPECT_EQ(Get_GlobalListStandardShortCutCommandDef(), list);
    EXPECT_EQ(list->GetCount(), 2);
  }
  // The list outlives the second manager while the first lives, and a rebuild adds nothing.
  ASSERT_EQ(Get_GlobalListStandardShortCutCommandDef(), list);
  first->UpdateAllToolBars();
  first->UpdateButtonSettings(true, true);
  first->UpdateButtonSettings(true, false);
  EXPECT_EQ(list->GetCount(), 2);
  delete first;
  EXPECT_EQ(Get_GlobalListStandardShortCutCommandDef(), nullptr);
}

TEST_F(ManagerTest, SettingsStartAsDefaultsAndAreWrittenAsTheyChange) {
  auto manager = std::make_unique<QvToolBarManager>();
  EXPECT_EQ(SettingsOf(*manager), "colour small tips keys style 0");
  EXPECT_EQ(Get_GlobalHotKeyCtrl(), 1u);
  const struct {
    bool colour, large;
    unsigned long style;
  } styles[] = {{true, true, 1}, {false, false, 2}, {false, true, 3}, {true, false, 0}};
  for (const auto& s : styles) {
    manager->UpdateButtonSettings(s.colour, s.large);
    EXPECT_EQ(manager->GetBitmapStyle(), s.style);
    unsigned long stored = 9;
    ASSERT_GE(GetKeyDWORDValue(QVTOOLBAR_SETTINGS_KEY, "Color", stored), 0);
    EXPECT_EQ(stored, s.colour ? 1u : 0u);
    ASSERT_GE(GetKeyDWORDValue(QVTOOLBAR_SETTINGS_KEY, "Large", stored), 0);
    EXPECT_EQ(stored, s.large ? 1u : 0u);
  }
  manager->UpdateShowShortKey(false);
  EXPECT_EQ(Get_GlobalHotKeyCtrl(), 0u);
  manager->UpdateShowShortKey(true);
  EXPECT_EQ(Get_GlobalHotKeyCtrl(), 1u);
}

TEST_F(ManagerTest, StoredSettingsOfAnotherTypeKeepTheDefaults) {
  // A text, a binary value and a DWORD side by side: only the DWORD is taken.
  ASSERT_GE(SetUserKeyStringValue(QVTOOLBAR_SETTINGS_KEY, "Color", "0"), 0);
  const unsigned char bytes[] = {1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_GE(SetUserKeyBinaryValue(QVTOOLBAR_SETTINGS_KEY, "Large", bytes, sizeof bytes), 0);
  ASSERT_GE(SetUserKeyStringValue(QVTOOLBAR_SETTINGS_KEY, "Show Tool Tip", ""), 0);
  ASSERT_GE(SetUserKeyDWORDValue(QVTOOLBAR_SETTINGS_KEY, "Show Short Cut", 0), 0);
  QvToolBarManager manager;
  EXPECT_EQ(SettingsOf(manager), "colour small tips no-keys style 0");
}

TEST_F(ManagerTest, SettingsAndBarsSurviveARestart) {
  CWinApp app(_T("ToolbarTest"));
  const CString profile = CString(_T("Software\\")) + kProfileKey;
  RegDeleteTree(HKEY_CURRENT_USER, profile);
  app.SetRegistryKey(kProfileKey);
  {
    QvToolBarManager manager;
    MakeBars(manager);
    manager.UpdateButtonSettings(true, true);
    manager.UpdateToolTips(false);
    manager.UpdateShowShortKey(false);
    manager.HideToolBar("Report");
    frame->SaveBarState(_T("Toolbars"));
    manager.DestroyAllToolBars();
  }
  Set_GlobalHotKeyCtrl(2);  // as at load
  NewFrame();
  ASSERT_NE(frame, nullptr);
  QvToolBarManager manager;
  EXPECT_EQ(SettingsOf(manager), "colour large no-tips no-keys style 1");
  EXPECT_EQ(Get_GlobalHotKeyCtrl(), 0u);
  MakeBars(manager);
  frame->LoadBarState(_T("Toolbars"));
  frame->RecalcLayout();
  CGUIMultipleBitmapToolbar* standard = manager.GetToolBar("Standard");
  CGUIMultipleBitmapToolbar* report = manager.GetToolBar("Report");
  EXPECT_TRUE(standard->IsShowed());
  EXPECT_FALSE(report->IsShowed());
  // Large buttons and no tooltips, as saved.
  EXPECT_EQ(standard->GetToolBarBitmapStyle(), QvToolBarLargeColor);
  EXPECT_EQ(HIWORD(standard->SendMessage(TB_GETBUTTONSIZE)), 30);
  EXPECT_EQ(standard->GetBarStyle() & CBRS_TOOLTIPS, 0u);
  manager.DestroyAllToolBars();
  RegDeleteTree(HKEY_CURRENT_USER, profile);
}

TEST_F(ManagerTest, ARebuildKeepsHiddenBarsHiddenAndTooltipsOff) {
  QvToolBarManager manager;
  MakeBars(manager);
  frame->ShowWindow(SW_SHOWNA);
  manager.HideToolBar("Report");
  manager.UpdateToolTips(false);
  manager.UpdateButtonSettings(true, true);
  CGUIMultipleBitmapToolbar* standard = manager.GetToolBar("Standard");
  CGUIMultipleBitmapToolbar* report = manager.GetToolBar("Report");
  ASSERT_NE(standard->m_hWnd, nullptr);
  ASSERT_NE(report->m_hWnd, nullptr);
  EXPECT_TRUE(standard->IsWindowVisible());
  EXPECT_FALSE(report->IsWindowVisible());
  EXPECT_EQ(standard->GetBarStyle() & CBRS_TOOLTIPS, 0u);
  EXPECT_EQ(HIWORD(standard->SendMessage(TB_GETBUTTONSIZE)), 30);
  // The rebuilt bars have their lists again, large.
  EXPECT_EQ(ButtonsOf(standard), "100 101 | 102c 103c | 104 105 107");
  manager.ShowToolBar("Report");
  EXPECT_TRUE(report->IsWindowVisible());
  manager.UpdateToolTips(true);
  EXPECT_NE(standard->GetBarStyle() & CBRS_TOOLTIPS, 0u);
}

TEST_F(ManagerTest, TheManagerLeavesNoHandleBehind) {
  auto cycle = [this] {
    QvToolBarManager manager;
    MakeBars(manager);
    frame->ShowWindow(SW_SHOWNA);
    manager.UpdateButtonSettings(true, true);
    manager.AddToolBar("Report", true, kReportId);  // replaces a made bar
    manager.UpdateButtonSettings(true, false);
    manager.HideToolBar("Standard");
    // Not destroyed by hand: the manager takes its bars with it.
  };
  // A cursor resting over a bar would show a tooltip, whose drawing objects would be counted.
  RECT placed;
  ::GetWindowRect(frame->m_hWnd, &placed);
  ::SetCursorPos(placed.right + 40, placed.bottom + 40);
  cycle();  // first use makes what the system keeps for good
  // The thread's tooltip control comes with the first mouse move over a bar and stays with the
  // frame: made here, so that it is not counted as a leak.
  frame->EnableToolTips(TRUE);
  frame->EnableToolTips(FALSE);
  testing_support::PumpMessages();
  FwDeleteTempMaps();
  const auto before = testing_support::GuiCounts::Now();
  for (int i = 0; i < 3; ++i) cycle();
  testing_support::PumpMessages();
  FwDeleteTempMaps();
  EXPECT_EQ(testing_support::GuiCounts::Now(), before);
}

TEST_F(ManagerTest, DockingUnderAnotherBarTakesTheNextRowOfItsSide) {
  QvToolBarManager manager;
  MakeBars(manager);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  CGUIMultipleBitmapToolbar* standard = manager.GetToolBar("Standard");
  CGUIMultipleBitmapToolbar* report = manager.GetToolBar("Report");
  standard->EnableDocking(CBRS_ALIGN_ANY);
  report->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(standard, AFX_IDW_DOCKBAR_TOP);
  DockControlBarUnderOf(frame, report, standard);
  frame->RecalcLayout();
  ASSERT_NE(report->m_pDockBar, nullptr);
  EXPECT_EQ(report->m_pDockBar, standard->m_pDockBar);
  CRect a, b;
  standard->GetWindowRect(&a);
  report->GetWindowRect(&b);
  EXPECT_GE(b.top, a.bottom - 1);
  EXPECT_EQ(b.left, a.left);
}

}  // namespace
