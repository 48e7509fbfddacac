// A portable frame put together as a host puts it together: a CGUIFrameWnd with its portable
// window, a dynamic menu bar registered for the host's rights, and a toolbar made by the
// toolbar manager from a button list, with a zoom combo box made by the host's control maker
// and bound to the zoom command's adaptor. Choosing a zoom runs the zoom command on the
// portable road, the rights hide a command from both menu and toolbar, and closing the frame
// gives back every window, menu and GDI object.
#include <GUIFrameWnd.h>
#include <GUIInitialisations.h>
#include <GUIPlatformGlue.h>
#include <GUIToolbarCombos.h>
#include <QvCommandCenter.h>
#include <QvCommandCombos.h>
#include <QvConfigKeys.h>
#include <QvControls.h>
#include <QvDynamicMenu.h>
#include <QvStatusBar.h>
#include <QvToolBars.h>
#include <QvWindow.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "handle_counts.h"
#include "pframehost_ids.h"
#include "recorder.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The host's maker of the zoom box: a zoom combo box over the placeholders, whose portable
// combo box the zoom command's adaptor drives while the box lives.
class ZoomBoxMaker : public QvComboBoxMaker {
  QV_DECLARE_CREATABLE(ZoomBoxMaker)
 public:
  ~ZoomBoxMaker() override {
    if (QvCommandForZoomComboBox::Get_ZoomComboBox() == &m_zoom) QvCommandForZoomComboBox::Set_ZoomComboBox(nullptr);
  }
  bool CreateControl(CWnd* toolbar, RECT* space, unsigned int commandId) override {
    CRect r(*space);
    r.bottom = r.top + 220;  // room for the dropped list
    if (!m_box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, r, toolbar, commandId)) return false;
    SetSystemFont(&m_box);
    if (!m_zoom.SetPlatformControl(m_box.m_hWnd)) return false;
    QvCommandForZoomComboBox::Set_ZoomComboBox(&m_zoom);
    return true;
  }
  unsigned short GetSeparatorCount() override { return 9; }
  CWnd* GetControl() override { return m_box.m_hWnd ? &m_box : nullptr; }

 private:
  CGUIZoomComboBox m_box;
  QvZoomComboBox m_zoom;  // goes before its window
};
QV_IMPLEMENT_CREATABLE(ZoomBoxMaker, QV_RUNTIME_CLASS(QvComboBoxMaker))
QV_CLASSINIT(ZoomBoxMaker)

// The host's rights: macros hidden, the rest allowed.
unsigned long Rights(unsigned long id, bool) { return id == SEC_MACROS ? 3 : 1; }

// One run of a command as the portable window saw it.
struct CommandRun {
  unsigned short id;
  bool zoomCommand;     // the command object is the zoom box's adaptor
  unsigned short zoom;  // what the adaptor answered then
};

// The host's portable window: enables every command and runs it, reading the zoom through
// the command it is given.
class ReportWindow : public QvWindow {
 public:
  explicit ReportWindow(bool* gone) : QvWindow(nullptr), m_gone(gone) {}
  ~ReportWindow() override { *m_gone = true; }
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    status.Enable(true);
    return true;
  }
  bool OnCommand(QvCommand& command) override {
    QvCommandForZoomComboBox* zoom = dynamic_cast<QvCommandForZoomComboBox*>(&command);
    runs.push_back(CommandRun{command.GetID(), zoom != nullptr, zoom ? zoom->GetZoom() : static_cast<unsigned short>(0)});
    return true;
  }
  std::vector<CommandRun> runs;

 private:
  bool* m_gone;
};

#ifdef UNICODE
const char kCompany[] = "QuarnelFrameHostTestsU";
#else
const char kCompany[] = "QuarnelFrameHostTestsA";
#endif

void ClearSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str()); }

// The ids of a menu's items (0 a separator, -1 a popup).
std::vector<UINT> MenuIds(HMENU menu) {
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}

// The command ids of a bar's buttons in order; 0 for a separator, the command id for a
// control's placeholder (each placeholder once).
std::vector<unsigned> BarItems(CToolBar* bar) {
  std::vector<unsigned> items;
  for (int i = 0; i < bar->GetCount(); ++i) {
    TBBUTTON b = {};
    bar->SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    const unsigned item = (b.fsStyle & TBSTYLE_SEP) ? static_cast<unsigned>(b.dwData) : b.idCommand;
    if (item != 0 && !items.empty() && items.back() == item && (b.fsStyle & TBSTYLE_SEP)) continue;
    items.push_back(item);
  }
  return items;
}

class FrameHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetConfigurationNames(kCompany, "FrameHost", "FrameHost");
    ClearSettings();
    ASSERT_TRUE(GUIInitialisations(&Rights).Succeeded());
    ASSERT_NE(GUIGetCommandDefFromID(CMD_ZOOM_BOX), nullptr);
    ASSERT_TRUE(InitDynamicMenu().Succeeded());
  }
  void TearDown() override {
    Close();
    // The pointer parked in the screen's far corner, away from the windows of later tests.
    MouseTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    PumpMessages();
    ReleaseDynamicMenu();
    GUIRelease();
    ClearSettings();
    FwDeleteTempMaps();
  }

  // The frame as the host makes it; false when a step fails.
  bool Open() {
    frame = new CGUIFrameWnd;
    if (!frame->Create(NULL, _T("Report"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 340))) {
      frame = nullptr;  // a failed creation deletes the object
      return false;
    }
    windowGone = false;
    window = new ReportWindow(&windowGone);
    window->SetMFCCWnd(frame);
    GUISetQvGUIContainer(frame, window);
    QvCommandHandler::SetActiveTarget(window);

    CMenu bar;
    if (!bar.LoadMenu(IDR_BAR) || !frame->SetMenu(&bar)) return false;
    const bool registered = RegisterMenuBar(&bar, 0).Succeeded();
    bar.Detach();  // the frame's now
    if (!registered) return false;

    Set_GlobalTemporayAccessforMFCMainWindow(frame);
    manager = new QvToolBarManager;
    manager->AddToolBar("Report", true, 0xE850);
    if (!manager->CreateToolBars(frame) || !manager->AddToolBarResource("Report", LIST_REPORT)) return false;
    toolbar = manager->GetToolBar("Report");
    frame->RecalcLayout();
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    PumpMessages();
    return toolbar != nullptr;
  }

  // The frame closed as the user closes it; the host lets its toolbars go with it.
  void Close() {
    if (frame) frame->SendMessage(WM_CLOSE);
    frame = nullptr;
    delete manager;  // its bars, their makers and boxes with them
    manager = nullptr;
    toolbar = nullptr;
    Set_GlobalTemporayAccessforMFCMainWindow(nullptr);
    PumpMessages();
  }

  CGUIZoomComboBox* ZoomBox() const {
    QvControlMaker* maker = toolbar ? toolbar->GetControlMaker(CMD_ZOOM_BOX) : nullptr;
    return maker ? dynamic_cast<CGUIZoomComboBox*>(maker->GetControl()) : nullptr;
  }

  // Opens the named popup of the frame's menu bar from the keyboard, as the user does, and
  // reads its items while it shows.
  std::vector<UINT> OpenPopup(char mnemonic, int index) {
    static std::vector<UINT> seen;
    static HWND owner;
    static int at;
    seen.clear();
    owner = frame->m_hWnd;
    at = index;
    struct Reader {
      static void CALLBACK Read(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(NULL, id);
        seen = MenuIds(GetSubMenu(GetMenu(owner), at));
        EndMenu();
      }
    };
    UINT_PTR timer = SetTimer(NULL, 0, 50, &Reader::Read);
    frame->SetForegroundWindow();
    frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, mnemonic);
    KillTimer(NULL, timer);
    PumpMessages();
    return seen;
  }

  // A zoom chosen from the keyboard, the File and View popups opened and closed, the bars made
  // again twice.
  void Use() {
    CGUIZoomComboBox* box = ZoomBox();
    ASSERT_NE(box, nullptr);
    frame->SetForegroundWindow();
    ::SetFocus(box->m_hWnd);
    PumpMessages();
    TypeKeys({VK_DOWN});
    PumpMessages();
    EXPECT_EQ(OpenPopup('f', 0), (std::vector<UINT>{CMD_OPEN, CMD_SAVE}));
    EXPECT_EQ(OpenPopup('v', 1), (std::vector<UINT>{CMD_REFRESH}));
    // The bars made again with large buttons, and back.
    manager->UpdateButtonSettings(true, true);
    manager->UpdateButtonSettings(true, false);
    toolbar = manager->GetToolBar("Report");
  }

  CGUIFrameWnd* frame = nullptr;
  ReportWindow* window = nullptr;
  bool windowGone = false;
  QvToolBarManager* manager = nullptr;
  CGUIMultipleBitmapToolbar* toolbar = nullptr;
};

// The toolbar carries the zoom box the maker made, and the zoom command's adaptor drives it.
TEST_F(FrameHostTest, TheToolbarCarriesTheMakersZoomBox) {
  ASSERT_TRUE(Open());
  CGUIZoomComboBox* box = ZoomBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(::GetParent(box->m_hWnd), toolbar->m_hWnd);
  EXPECT_EQ(box->GetDlgCtrlID(), CMD_ZOOM_BOX);
  EXPECT_EQ(box->GetCommandTarget(), frame->m_hWnd) << "the toolbar's owner is the frame";
  QvCommand* command = GUIGetCommandFromID(CMD_ZOOM_BOX);
  QvCommandForZoomComboBox* zoom = dynamic_cast<QvCommandForZoomComboBox*>(command);
  ASSERT_NE(zoom, nullptr) << "the command centre made the command of the class its definition names";
  ASSERT_NE(QvCommandForZoomComboBox::Get_ZoomComboBox(), nullptr);
  EXPECT_EQ(QvCommandForZoomComboBox::Get_ZoomComboBox()->GetPlatformControl(), box);
  EXPECT_EQ(zoom->GetZoom(), 100);
  EXPECT_TRUE(zoom->SetZoom(75));
  EXPECT_EQ(box->GetZoom(), 75);
  EXPECT_TRUE(window->runs.empty()) << "setting the zoom from the host runs nothing";
}

// The buttons' tooltips: the question a tooltip control asks the toolbar (the tool's window)
// reaches the frame, which answers with the commands' tooltip texts and their hot keys.
TEST_F(FrameHostTest, ButtonsTakeTheirTooltipsFromTheCommands) {
  ASSERT_TRUE(Open());
  HWND tips = ::CreateWindowExW(0, TOOLTIPS_CLASSW, NULL, WS_POPUP, 0, 0, 0, 0, frame->m_hWnd, NULL, NULL, NULL);
  ASSERT_TRUE(tips);
  const struct {
    unsigned id;
    const wchar_t* text;
  } cases[] = {{CMD_OPEN, L"Open a report (Ctrl+O)"}, {CMD_SAVE, L"Save the report"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tips;
    info.hdr.idFrom = c.id;
    info.hdr.code = TTN_NEEDTEXTW;
    toolbar->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, c.text);
  }
  ::DestroyWindow(tips);
}

// Choosing a zoom in the box, in each way a user does, runs the zoom command through the
// frame on the portable road: the active portable window gets the zoom command's adaptor,
// which answers the chosen value.
TEST_F(FrameHostTest, ChoosingAZoomRunsTheZoomCommand) {
  struct Case {
    const char* how;
    std::function<void(CGUIZoomComboBox*)> choose;
    unsigned short zoom;
    std::vector<unsigned short> zooms;  // what each run of the command read
  } cases[] = {
      {"down arrow in the box (from 100)",
       [](CGUIZoomComboBox* box) {
         ::SetFocus(box->m_hWnd);
         PumpMessages();
         TypeKeys({VK_DOWN});
       },
       150, {150, 150}},  // the value changes (one run), then the selection (another)
      {"a value typed over the text, then Enter",
       [](CGUIZoomComboBox* box) {
         ::SetFocus(box->m_hWnd);
         HWND edit = ::GetDlgItem(box->m_hWnd, CGUIComboBox::kEditChildId);
         ::SendMessageW(edit, EM_SETSEL, 0, -1);
         PumpMessages();
         TypeKeys({'2', '5', '0', VK_RETURN});
       },
       250, {25, 250}},  // "2" is below the range, "25" is a free value in it
      {"an item of the dropped list clicked",
       [](CGUIZoomComboBox* box) {
         ::SetFocus(box->m_hWnd);
         box->ShowDropDown(TRUE);
         PumpMessages();
         COMBOBOXINFO info = {};
         info.cbSize = sizeof info;
         ASSERT_TRUE(::GetComboBoxInfo(box->m_hWnd, &info));
         const LRESULT item = ::SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(L"300%"));
         ASSERT_GE(item, 0);
         RECT r;
         ::SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
         POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
         ::ClientToScreen(info.hwndList, &at);
         for (DWORD buttons : {0UL, static_cast<DWORD>(MOUSEEVENTF_LEFTDOWN), static_cast<DWORD>(MOUSEEVENTF_LEFTUP)}) {
           MouseTo(at, buttons);
           PumpMessages();
         }
       },
       300, {300, 300}},  // value, then selection
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ASSERT_TRUE(Open());
    CGUIZoomComboBox* box = ZoomBox();
    ASSERT_NE(box, nullptr);
    frame->SetForegroundWindow();
    PumpMessages();
    window->runs.clear();
    c.choose(box);
    PumpMessages();
    ASSERT_FALSE(window->runs.empty()) << "the portable window ran nothing";
    std::vector<unsigned short> zooms;
    for (const CommandRun& run : window->runs) {
      EXPECT_EQ(run.id, CMD_ZOOM_BOX);
      EXPECT_TRUE(run.zoomCommand);
      zooms.push_back(run.zoom);
    }
    EXPECT_EQ(zooms, c.zooms);
    EXPECT_EQ(QvCommandForZoomComboBox().GetZoom(), c.zoom);
    Close();
    EXPECT_TRUE(windowGone);
    EXPECT_EQ(QvCommandForZoomComboBox::Get_ZoomComboBox(), nullptr) << "the maker took its box back";
  }
}

// A button clicked runs its command on the portable road, as a menu item does.
TEST_F(FrameHostTest, AButtonClickRunsItsCommand) {
  ASSERT_TRUE(Open());
  const int index = static_cast<int>(toolbar->SendMessage(TB_COMMANDTOINDEX, CMD_SAVE));
  ASSERT_GE(index, 0);
  CRect r;
  toolbar->GetItemRect(index, &r);
  POINT at = r.CenterPoint();
  toolbar->ClientToScreen(&at);
  frame->SetForegroundWindow();
  PumpMessages();
  window->runs.clear();
  for (DWORD buttons : {0UL, static_cast<DWORD>(MOUSEEVENTF_LEFTDOWN), static_cast<DWORD>(MOUSEEVENTF_LEFTUP)}) {
    MouseTo(at, buttons);
    PumpMessages();
  }
  ASSERT_EQ(window->runs.size(), 1u);
  EXPECT_EQ(window->runs[0].id, CMD_SAVE);
}

// A change of the toolbar settings makes the bars again: the new zoom box is the one the zoom
// command drives and runs, and the old one is gone with its bar.
TEST_F(FrameHostTest, NewToolbarSettingsMakeANewZoomBox) {
  ASSERT_TRUE(Open());
  const HWND old = ZoomBox()->m_hWnd;
  QvCommandForZoomComboBox zoom;
  EXPECT_TRUE(zoom.SetZoom(200));
  manager->UpdateButtonSettings(true, true);  // large buttons
  toolbar = manager->GetToolBar("Report");
  ASSERT_NE(toolbar, nullptr);
  frame->RecalcLayout();
  EXPECT_FALSE(::IsWindow(old));
  CGUIZoomComboBox* box = ZoomBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(QvCommandForZoomComboBox::Get_ZoomComboBox()->GetPlatformControl(), box);
  EXPECT_EQ(zoom.GetZoom(), 100) << "a new box";
  CRect button;
  toolbar->GetItemRect(0, &button);
  EXPECT_EQ(button.Height(), 30) << "large buttons";
  EXPECT_EQ(BarItems(toolbar), (std::vector<unsigned>{CMD_OPEN, CMD_SAVE, 0, CMD_REFRESH, 0, CMD_ZOOM_BOX}));
  frame->SetForegroundWindow();
  ::SetFocus(box->m_hWnd);
  PumpMessages();
  window->runs.clear();
  TypeKeys({VK_DOWN});
  PumpMessages();
  ASSERT_FALSE(window->runs.empty());
  EXPECT_EQ(window->runs.back().zoom, 150);
}

// A command the rights hide has no menu item and no button, and leaves no gap; a popup with
// nothing else goes from the bar. The commands the rights allow are there in order.
TEST_F(FrameHostTest, RightsHideACommandFromMenuAndToolbar) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(BarItems(toolbar), (std::vector<unsigned>{CMD_OPEN, CMD_SAVE, 0, CMD_REFRESH, 0, CMD_ZOOM_BOX}));
  HMENU bar = ::GetMenu(frame->m_hWnd);
  EXPECT_EQ(MenuTexts(bar), (std::vector<std::string>{"&File", "&View"})) << "the macros popup is gone";
  // The File popup opened from the keyboard: brought up to date as it opens.
  EXPECT_EQ(OpenPopup('f', 0), (std::vector<UINT>{CMD_OPEN, CMD_SAVE}));
  EXPECT_EQ(MenuTexts(GetSubMenu(bar, 0)), (std::vector<std::string>{"&Open\tCtrl+O", "&Save"}));
  // The menu's commands run on the portable road too.
  window->runs.clear();
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(CMD_SAVE, 0), 0);
  ASSERT_EQ(window->runs.size(), 1u);
  EXPECT_EQ(window->runs[0].id, CMD_SAVE);
  EXPECT_FALSE(window->runs[0].zoomCommand);
  // The hidden command, sent all the same, does not run.
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(CMD_MACRO, 0), 0);
  EXPECT_EQ(window->runs.size(), 1u);
}

// Built, used and closed: every window, menu and GDI object is given back.
TEST_F(FrameHostTest, ClosingTheFrameGivesBackEveryHandle) {
  // A first frame, used the same way, makes what lives for the process (window classes, the
  // system's menu and caret objects, cached brushes).
  ASSERT_TRUE(Open());
  Use();
  Close();
  FwDeleteTempMaps();
  const GuiCounts before = GuiCounts::Now();
  ASSERT_TRUE(Open());
  Use();
  EXPECT_FALSE(window->runs.empty());
  Close();
  EXPECT_TRUE(windowGone) << "the portable window ends with its frame";
  EXPECT_EQ(QvCommandHandler::Get_Target(), nullptr) << "the ended window handed the target on";
  FwDeleteTempMaps();
  EXPECT_EQ(GuiCounts::Now(), before);
}

}  // namespace
