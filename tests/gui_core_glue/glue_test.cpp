// Commands from menus, accelerators, toolbars and controls on the portable command road, and
// update probes filled from portable command status.
#include <QvEffectiveCommands.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "guiglue_test.h"

using namespace testing_support;

namespace {

// Where a WM_COMMAND comes from.
enum Source { kMenu, kAccelerator, kToolbar, kButton };

HACCEL Accelerators() {
  static HACCEL table = LoadAcceleratorsW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(700));
  return table;
}

struct CommandCase {
  const char* what;
  Source source;
  UINT id;      // the command, or the accelerator's key
  bool portableEnables;  // the target answers the command's status (enabled) and runs it
  bool portableDisables;  // the target answers the command's status as disabled
  bool answer;  // what GUIOnCommand answers
  std::vector<unsigned short> executed;  // by the portable target
  std::vector<std::pair<UINT, int>> routed;  // by the framework's routing
  bool statusAsked;  // the portable road was asked about the command
};

class CommandRoad : public GlueTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandRoad, TakesTheRoadOfItsSource) {
  const CommandCase& c = GetParam();
  const UINT command = c.source == kAccelerator ? (c.id == VK_F2 ? kOpen : 0xE001) : c.id;
  if (c.portableEnables) target.answers[static_cast<unsigned short>(command)] = {};
  if (c.portableDisables) target.answers[static_cast<unsigned short>(command)].enable = false;

  // The senders: a toolbar and a push button, children of the portable window.
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, wnd.m_hWnd,
                                 reinterpret_cast<HMENU>(50), NULL, NULL);
  HWND button = CreateWindowExW(0, L"BUTTON", L"go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 40, 60, 20,
                                wnd.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), NULL, NULL);
  ASSERT_TRUE(toolbar && button);
  SetFocus(button);  // the click then moves neither focus nor activation
  Recorder().Watch(wnd.m_hWnd);
  Recorder().Reset();

  BOOL answered = FALSE;
  const WPARAM expectedWParam = MAKEWPARAM(command, c.source == kAccelerator ? 1 : 0);
  switch (c.source) {
    case kMenu:  // the window's menu posts the item's command
      PostMessageW(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
      break;
    case kAccelerator: {  // the key press of the accelerator, translated as the message loop does
      MSG msg = {wnd.m_hWnd, WM_KEYDOWN, c.id, 1, 0, {0, 0}};
      ASSERT_TRUE(TranslateAcceleratorW(wnd.m_hWnd, Accelerators(), &msg));
      break;
    }
    case kToolbar:  // a button of the toolbar sends its command with the toolbar as sender
      answered = static_cast<BOOL>(SendMessageW(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(c.id, 0),
                                                reinterpret_cast<LPARAM>(toolbar)));
      break;
    case kButton:  // a click of the push button notifies BN_CLICKED
      SendMessageW(button, BM_CLICK, 0, 0);
      break;
  }
  Recorder().Pump();

  // The one WM_COMMAND, posted by the menu, else sent by the accelerator, toolbar or button.
  const unsigned kind = c.source == kMenu ? kPosted : kSent;
  const ExpectedMsg expected[] = {
      {WM_COMMAND, kind | kWparam, expectedWParam, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(expected)) << c.what;
  Recorder().UnwatchAll();

  EXPECT_EQ(target.executed, c.executed) << c.what;
  EXPECT_EQ(wnd.routed, c.routed) << c.what;
  EXPECT_EQ(!target.asked.empty(), c.statusAsked) << c.what;
  if (c.source == kToolbar) {
    EXPECT_EQ(answered != FALSE, c.answer) << c.what;
  }
  DestroyWindow(toolbar);
  DestroyWindow(button);
}

const std::vector<std::pair<UINT, int>> kNone;
const std::vector<unsigned short> kNothing;

INSTANTIATE_TEST_SUITE_P(
    Glue, CommandRoad,
    ::testing::Values(
        // The portable road takes what it enables, from each command source.
        CommandCase{"menu, portable", kMenu, kOpen, true, false, true, {kOpen}, kNone, true},
        CommandCase{"accelerator, portable", kAccelerator, VK_F2, true, false, true, {kOpen}, kNone, true},
        CommandCase{"toolbar, portable", kToolbar, kOpen, true, false, true, {kOpen}, kNone, true},
        // Refused by the portable road, untouched by update handlers: the framework's routing
        // runs it, with code 0.
        CommandCase{"menu, framework", kMenu, 305, false, false, true, kNothing, {{305, 0}}, true},
        CommandCase{"toolbar, framework", kToolbar, 305, false, false, true, kNothing, {{305, 0}}, true},
        // An update handler disables it: swallowed.
        CommandCase{"menu, disabled by update handler", kMenu, 306, false, false, false, kNothing, kNone, true},
        CommandCase{"toolbar, disabled by update handler", kToolbar, 306, false, false, false, kNothing, kNone,
                    true},
        // The portable status disables it: the probe says so too, nobody runs it.
        CommandCase{"menu, portable disabled", kMenu, kPrint, false, true, false, kNothing, kNone, true},
        // The framework's own commands never reach the portable road; code 0 also for
        // accelerators.
        CommandCase{"menu, framework command", kMenu, 0xE001, false, false, true, kNothing, {{0xE001, 0}}, false},
        CommandCase{"accelerator, framework command", kAccelerator, VK_F3, false, false, true, kNothing,
                    {{0xE001, 0}}, false},
        // A control's notification is no command: the framework routes it with its code.
        CommandCase{"push button", kButton, 305, true, false, true, kNothing, {{305, BN_CLICKED}}, false}));

TEST_F(GlueTest, ToolbarClassNameCountsInAnyCase) {
  // A window class registered as "toolbarwindow32" is the toolbar class: Windows compares
  // class names without case, and so does the glue.
  target.answers[kOpen] = {};
  HWND toolbar = CreateWindowExW(0, L"toolbarwindow32", L"", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, NULL, NULL, NULL);
  ASSERT_TRUE(toolbar);
  EXPECT_TRUE(GUIOnCommand(&wnd, MAKEWPARAM(kOpen, 0), reinterpret_cast<LPARAM>(toolbar)));
  EXPECT_EQ(target.executed, std::vector<unsigned short>{kOpen});
  DestroyWindow(toolbar);
}

TEST_F(GlueTest, LockedOutWindowSwallowsControlNotifications) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, wnd.m_hWnd,
                                reinterpret_cast<HMENU>(305), NULL, NULL);
  AfxGetThreadState()->m_hLockoutNotifyWindow = wnd.m_hWnd;
  EXPECT_TRUE(GUIOnCommand(&wnd, MAKEWPARAM(305, BN_CLICKED), reinterpret_cast<LPARAM>(button)));
  NMHDR header = {button, 305, static_cast<UINT>(NM_CLICK)};
  LRESULT result = 0;
  EXPECT_TRUE(GUIOnNotify(&wnd, 305, reinterpret_cast<LPARAM>(&header), &result));
  AfxGetThreadState()->m_hLockoutNotifyWindow = NULL;
  EXPECT_TRUE(wnd.routed.empty());
  DestroyWindow(button);
}

// A child whose framework object takes the notifications reflected to it.
class ReflectingButton : public CWnd {
 public:
  BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    seen.push_back(message);
    if (result) *result = 77;
    return TRUE;
  }
  std::vector<UINT> seen;
};

TEST_F(GlueTest, NotificationsAreReflectedToTheSenderFirst) {
  ReflectingButton button;
  ASSERT_TRUE(button.CreateEx(0, _T("BUTTON"), _T(""), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &wnd, 305));
  Recorder().Reset();
  button.seen.clear();  // its creation's WM_PARENTNOTIFY
  // As the button sends them: through the window's procedure, so the last message is theirs.
  SendMessageW(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(305, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
  NMHDR header = {button.m_hWnd, 305, static_cast<UINT>(NM_CLICK)};
  LRESULT result = SendMessageW(wnd.m_hWnd, WM_NOTIFY, 305, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(button.seen, (std::vector<UINT>{WM_COMMAND, WM_NOTIFY}));
  EXPECT_EQ(result, 77);
  EXPECT_TRUE(wnd.routed.empty());
}

// A probe that records what it is told, as text.
class RecordingProbe : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    calls.push_back(on ? "enable" : "disable");
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int check) override { calls.push_back("check " + std::to_string(check)); }
  void SetRadio(BOOL on) override { calls.push_back(on ? "radio on" : "radio off"); }
  void SetText(LPCTSTR text) override {
    std::string narrow;
    for (LPCTSTR p = text; *p; ++p) narrow += static_cast<char>(*p);
    calls.push_back("text " + narrow);
  }
  std::vector<std::string> calls;
};

class Probes : public GlueTest {
 protected:
  void SetUp() override {
    GlueTest::SetUp();
    Set_GlobalMapCmdToEffectiveCmd(&m_map);
  }
  void TearDown() override {
    Set_GlobalMapCmdToEffectiveCmd(nullptr);
    GlueTest::TearDown();
  }
  std::vector<std::string> Probe(UINT id) {
    RecordingProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(&wnd, FALSE);
    return probe.calls;
  }
  QvMapUShortUShort m_map;
};

// Menu items of a real menu updated through the window's routing, as the framework's idle
// update does: each item shows the portable status of its command.
TEST_F(Probes, MenuItemsShowThePortableStatus) {
  target.answers[kOpen].check = QvChecked;
  target.answers[kCompact].check = QvChecked;
  target.answers[kPrint] = {false, QvIndeterminate, "Print now"};
  target.answers[kRedirected].effective = kTarget;
  target.answers[kTarget] = {true, QvChecked};
  const UINT ids[] = {kOpen, kCompact, kPrint, kRedirected, kUnknown, 305};

  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  for (UINT id : ids) menu.AppendMenu(MF_STRING, id, CString(_T("item")));
  for (UINT i = 0; i < 6; ++i) {
    CCmdUI probe;
    probe.m_pMenu = &menu;
    probe.m_nIndex = i;
    probe.m_nID = ids[i];
    probe.DoUpdate(&wnd, FALSE);
  }

  struct Shown {
    UINT id;
    bool grayed, checked, radio;
    const wchar_t* text;
  } const expected[] = {
      {kOpen, false, true, false, L"item"},          // no menu text: the item keeps its own
      {kCompact, false, true, true, L"item"},        // check style 2: a radio bullet
      {kPrint, true, true, false, L"Print now"},     // indeterminate shows as checked on a menu
      {kRedirected, false, true, false, L"&Target"},  // the effective command's state and text
      {kUnknown, false, false, false, L"item"},      // no definition: the framework's routing
      {305, false, false, false, L"item"},           // no portable answer: the framework's routing
  };
  for (UINT i = 0; i < 6; ++i) {
    const Shown& e = expected[i];
    UINT state = GetMenuState(menu.m_hMenu, i, MF_BYPOSITION);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu.m_hMenu, i, TRUE, &info);
    wchar_t text[64] = {};
    GetMenuStringW(menu.m_hMenu, i, text, 64, MF_BYPOSITION);
    EXPECT_EQ((state & MF_GRAYED) != 0, e.grayed) << e.id;
    EXPECT_EQ((state & MF_CHECKED) != 0, e.checked) << e.id;
    EXPECT_EQ((info.fType & MFT_RADIOCHECK) != 0, e.radio) << e.id;
    EXPECT_STREQ(text, e.text) << e.id;
  }
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(kRedirected), kTarget);
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(kOpen), kOpen);
}

// A redirected item shows its effective command; when the redirection ends, the next pass
// gives it its own text back once, and later passes change only enable and check.
TEST_F(Probes, RedirectionShowsTheEffectiveCommandAndEndsOnce) {
  target.answers[kRedirected].effective = kTarget;
  target.answers[kTarget] = {false, QvUnchecked};
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"disable", "check 0", "text &Target"}));
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(kRedirected), kTarget);

  target.answers[kRedirected] = {true, QvChecked};
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"enable", "check 1", "text &Redirected"}));
  EXPECT_EQ(GetEffectiveCmdFromCmdMap(kRedirected), kRedirected);
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"enable", "check 1"}));

  // The effective command's status gives the text: its menu text, else its definition's.
  target.answers[kRedirected] = {true, QvUnchecked, nullptr, kTarget};
  target.answers[kTarget] = {true, QvUnchecked, nullptr};
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"enable", "check 0", "text &Target"}));
  target.answers[kTarget].text = "There";
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"enable", "check 0", "text There"}));
}

// A status that does not ask the effective command shows its own state.
struct UncheckedRedirect : PortableTarget {
  bool OnUpdateCommandStatus(QvCommandStatus& status) override {
    bool answered = PortableTarget::OnUpdateCommandStatus(status);
    if (status.GetID() == kRedirected) status.m_bCheckEffective = false;
    return answered;
  }
};

TEST_F(Probes, RedirectionWithoutCheckShowsTheFirstStatus) {
  UncheckedRedirect other;
  other.answers[kRedirected] = {false, QvChecked, nullptr, kTarget};
  other.answers[kTarget] = {true, QvUnchecked};
  QvCommandHandler::SetActiveTarget(&other);
  EXPECT_EQ(Probe(kRedirected), (std::vector<std::string>{"disable", "check 1", "text &Target"}));
  QvCommandHandler::SetActiveTarget(&target);
}

TEST_F(Probes, OnlyUpdateProbesOfPortableIdsAreServed) {
  target.answers[kOpen] = {};
  RecordingProbe probe;
  AFX_CMDHANDLERINFO info = {NULL, NULL};
  EXPECT_FALSE(GUIOnCmdMsg(kOpen, CN_COMMAND, &probe, NULL));
  EXPECT_FALSE(GUIOnCmdMsg(kOpen, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, &info));
  EXPECT_FALSE(GUIOnCmdMsg(0xE001, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
  EXPECT_TRUE(probe.calls.empty());
  EXPECT_TRUE(GUIOnCmdMsg(kOpen, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
}

TEST_F(Probes, StatusCopiedIntoAProbe) {
  QvCommandStatus status(kOpen);
  status.Enable(true);
  status.SetCheck(QvIndeterminate);
  RecordingProbe probe;
  UpdateCommandStatus(status, &probe);
  EXPECT_EQ(probe.calls, (std::vector<std::string>{"enable", "check 2"}));
  status.SetMenuText("Open it");
  UpdateCommandStatus(status, &probe);
  EXPECT_EQ(probe.calls.back(), "text Open it");
}

}  // namespace
