// Portable dialogs run modally and modeless: their commands and notifications, closing with a
// code, the saved rectangle, and the resizable dialogs.
#include <GUIDialog.h>
#include <QvControls.h>
#include <QvDialog.h>
#include <QvGUIContainer.h>
#include <commctrl.h>
#include <framework.h>
#include <gtest/gtest.h>
#include <vekkel.h>

#include <functional>
#include <string>
#include <vector>

#include "pdialog_ids.h"
#include "test_support.h"

using testing_support::PumpMessages;
using testing_support::RectInParent;
using testing_support::RectText;

namespace {

// A portable notification as it reached a handler: control id and code.
struct Seen {
  unsigned short id;
  int code;
  bool operator==(const Seen& o) const { return id == o.id && code == o.code; }
};
std::ostream& operator<<(std::ostream& os, const Seen& s) { return os << "{" << s.id << " " << s.code << "}"; }

// The handler above the dialog: notes what the dialog passes on.
class ParentHandler : public QvCommandHandler {
 public:
  ParentHandler() : QvCommandHandler(nullptr) {}
  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code >= 300) seen.push_back({n.m_controlID, n.m_code});  // not the edit's focus changes
    return true;
  }
  std::vector<Seen> seen;
};

// The application's dialog: notes the notifications reaching it, and terminates with the code
// given for a control.
class TestDialog : public QvDialog {
 public:
  TestDialog(QvCommandHandler* parent, bool modal, bool deleteOnClose = false)
      : QvDialog(parent, nullptr, modal, deleteOnClose) {
    SetDialogID(IDD_PORTABLE);
  }
  ~TestDialog() override {
    if (deleted) *deleted = true;
  }
  bool OnInit() override {
    ++inits;
    return init ? init(*this) : true;
  }
  void OnTerminate() override { ++terminations; }
  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code >= 300) seen.push_back({n.m_controlID, n.m_code});  // not the edit's focus changes
    for (const auto& [id, code] : terminateOn)
      if (n.m_controlID == id) {
        Terminate(code);
        return true;
      }
    return QvDialog::OnControlNotification(n);
  }
  HWND Window() const { return GetMFCCWnd() ? GetMFCCWnd()->m_hWnd : NULL; }

  std::function<bool(TestDialog&)> init;
  std::vector<std::pair<unsigned short, short>> terminateOn;  // control id -> code
  std::vector<Seen> seen;
  int inits = 0;
  int terminations = 0;
  bool* deleted = nullptr;
};

// Acts on the running dialog from a thread timer, one step a tick; once the steps are done
// and the dialog is still open after a few more ticks, ends it with -2 so that the test fails
// instead of waiting.
class Script {
 public:
  Script(TestDialog& dialog, std::vector<std::function<void(HWND)>> steps) : m_dialog(dialog), m_steps(std::move(steps)) {
    s_current = this;
    m_timer = ::SetTimer(NULL, 0, 10, &Script::Tick);
  }
  ~Script() {
    ::KillTimer(NULL, m_timer);
    s_current = nullptr;
  }
  size_t done() const { return m_next; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Script* s = s_current) s->Step();
  }
  void Step() {
    HWND dlg = m_dialog.Window();
    if (!dlg || !::IsWindowVisible(dlg)) return;
    if (m_next < m_steps.size()) {
      m_steps[m_next++](dlg);
    } else if (++m_idle > 20) {
      ::KillTimer(NULL, m_timer);
      ADD_FAILURE() << "the dialog did not close";
      ::EndDialog(dlg, -2);
      if (CWnd* w = CWnd::FromHandlePermanent(dlg)) w->EndModalLoop(-2);
    }
  }
  static inline Script* s_current = nullptr;
  TestDialog& m_dialog;
  std::vector<std::function<void(HWND)>> m_steps;
  size_t m_next = 0;
  int m_idle = 0;
  UINT_PTR m_timer = 0;
};

void Click(HWND dlg, int id) { ::SendMessage(::GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
void Command(HWND dlg, int id) {
  ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
}

class PortableDialog : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
  }
  ParentHandler parent;
};

TEST_F(PortableDialog, AModalRunEndedFromATimerAnswersTheCodeOfTerminate) {
  TestDialog dialog(&parent, true);
  dialog.terminateOn = {{IDC_FINISH, 5}};
  bool wasOpen = false;
  Script script(dialog, {[&](HWND dlg) {
                  wasOpen = ::IsWindowVisible(dlg) != FALSE;
                  Click(dlg, IDC_FINISH);
                }});
  EXPECT_EQ(dialog.Run(), 5);
  EXPECT_TRUE(wasOpen);
  EXPECT_EQ(dialog.inits, 1);
  EXPECT_EQ(dialog.terminations, 1);
  EXPECT_EQ(dialog.Window(), static_cast<HWND>(NULL));
  EXPECT_EQ(dialog.seen, (std::vector<Seen>{{IDC_FINISH, 300}}));
  EXPECT_TRUE(parent.seen.empty()) << "a modal dialog passes nothing on";

  // It runs again, with a new code.
  dialog.terminateOn = {{IDC_FINISH, 9}};
  Script again(dialog, {[](HWND dlg) { Click(dlg, IDC_FINISH); }});
  EXPECT_EQ(dialog.Run(), 9);
  EXPECT_EQ(dialog.inits, 2);
}

// What the user does while a modal dialog runs, and what reaches the dialog before it is
// ended with the finish button (code 1).
struct RunCase {
  const char* what;
  std::function<void(TestDialog&)> prepare;
  std::vector<std::function<void(HWND)>> steps;
  short result;
  std::vector<Seen> seen;
};

const RunCase kRunCases[] = {
    {"the cancel key becomes the cancel push button's command",
     [](TestDialog& d) {
       d.terminateOn = {{IDC_CLOSE, 7}};
       d.init = [](TestDialog& dlg) {
         dlg.SetCancelPushButton(IDC_CLOSE);
         return true;
       };
     },
     {[](HWND dlg) { ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
     7,
     {{IDC_CLOSE, 300}}},
    {"the cancel key without a cancel push button closes nothing",
     [](TestDialog&) {},
     {[](HWND dlg) { ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); },
      [](HWND dlg) {
        EXPECT_TRUE(::IsWindowVisible(dlg));
        Click(dlg, IDC_FINISH);
      }},
     1,
     {{IDC_FINISH, 300}}},
    {"a hidden but enabled control's command is ignored",
     [](TestDialog&) {},
     {[](HWND dlg) { Command(dlg, IDC_HIDDEN); }, [](HWND dlg) { Click(dlg, IDC_FINISH); }},
     1,
     {{IDC_FINISH, 300}}},
    {"Enter without a handler that terminates keeps the dialog open",
     [](TestDialog&) {},
     {[](HWND dlg) { Click(dlg, IDOK); },
      [](HWND dlg) {
        EXPECT_TRUE(::IsWindowVisible(dlg));
        Click(dlg, IDC_FINISH);
      }},
     1,
     {{IDOK, 300}, {IDC_FINISH, 300}}},
    {"a list box's notifications reach the dialog",
     [](TestDialog& d) {
       d.init = [](TestDialog& dlg) {
         ::SendDlgItemMessage(dlg.Window(), IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(_T("one")));
         return true;
       };
     },
     {[](HWND dlg) {
        HWND list = ::GetDlgItem(dlg, IDC_LIST);
        ::SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDC_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
      },
      [](HWND dlg) { Click(dlg, IDC_FINISH); }},
     1,
     {{IDC_LIST, 602}, {IDC_FINISH, 300}}},
    {"a dialog that sets the focus in its initialisation keeps it there",
     [](TestDialog& d) {
       d.init = [](TestDialog& dlg) {
         ::SetFocus(::GetDlgItem(dlg.Window(), IDC_LIST));
         return true;
       };
     },
     {[](HWND dlg) {
       EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg, IDC_LIST));
       Click(dlg, IDC_FINISH);  // the click takes the focus from the list
     }},
     1,
     {{IDC_LIST, 601}, {IDC_FINISH, 300}}},
    {"a dialog terminated in its initialisation never shows and answers the code",
     [](TestDialog& d) {
       d.init = [](TestDialog& dlg) {
         dlg.Terminate(4);
         return true;
       };
     },
     {},
     4,
     {}},
    {"an initialisation that fails closes the dialog with code 0",
     [](TestDialog& d) { d.init = [](TestDialog&) { return false; }; },
     {},
     0,
     {}},
};

TEST_F(PortableDialog, CommandsAndNotificationsOfAModalRun) {
  for (const RunCase& c : kRunCases) {
    TestDialog dialog(&parent, true);
    dialog.terminateOn.push_back({IDC_FINISH, 1});
    c.prepare(dialog);
    Script script(dialog, c.steps);
    EXPECT_EQ(dialog.Run(), c.result) << c.what;
    EXPECT_EQ(script.done(), c.steps.size()) << c.what;
    EXPECT_EQ(dialog.seen, c.seen) << c.what;
    EXPECT_TRUE(parent.seen.empty()) << c.what;
  }
}

TEST_F(PortableDialog, ARunWithoutItsTemplateAnswersMinusOne) {
  TestDialog dialog(&parent, true);
  dialog.SetDialogID(IDD_MISSING);
  EXPECT_EQ(dialog.Run(), -1);
  EXPECT_EQ(dialog.inits, 0);
  TestDialog modeless(&parent, false);
  modeless.SetDialogID(IDD_MISSING);
  EXPECT_EQ(modeless.Run(), -1);
}

TEST_F(PortableDialog, AModelessDialogPassesOnWhatItKeepsNotAndGoesWithItsWindow) {
  bool deleted = false;
  auto* dialog = new TestDialog(&parent, false, true);
  dialog->deleted = &deleted;
  dialog->terminateOn = {{IDC_FINISH, 3}};
  ASSERT_EQ(dialog->Run(), 0);
  HWND dlg = dialog->Window();
  ASSERT_TRUE(::IsWindow(dlg));
  EXPECT_EQ(dialog->inits, 1);
  ::ShowWindow(dlg, SW_SHOW);

  Click(dlg, IDOK);  // not handled by the dialog: its parent handler gets it
  EXPECT_EQ(parent.seen, (std::vector<Seen>{{IDOK, 300}}));
  EXPECT_TRUE(::IsWindow(dlg));

  Click(dlg, IDC_FINISH);  // terminates: the window is destroyed and the dialog deleted
  PumpMessages();
  EXPECT_FALSE(::IsWindow(dlg));
  EXPECT_TRUE(deleted);
}

TEST_F(PortableDialog, AModalDialogRunsOverItsParentDialogsWindow) {
  TestDialog outer(&parent, false);
  ASSERT_EQ(outer.Run(), 0);
  ::ShowWindow(outer.Window(), SW_SHOW);
  class Inner : public TestDialog {
   public:
    Inner(QvCommandHandler* handler, QvDialog* parentDialog) : TestDialog(handler, true) {
      m_parentDialog = parentDialog;
    }
  } inner(&parent, &outer);
  inner.terminateOn = {{IDC_FINISH, 2}};
  HWND owner = NULL;
  BOOL outerEnabled = TRUE;
  Script script(inner, {[&](HWND dlg) {
                  owner = ::GetWindow(dlg, GW_OWNER);
                  outerEnabled = ::IsWindowEnabled(outer.Window());
                  Click(dlg, IDC_FINISH);
                }});
  EXPECT_EQ(inner.Run(), 2);
  EXPECT_EQ(owner, outer.Window());
  EXPECT_FALSE(outerEnabled);
  EXPECT_TRUE(::IsWindowEnabled(outer.Window()));
}

TEST_F(PortableDialog, AModelessDialogDeletedByItsOwnerClosesItsWindowOnce) {
  bool deleted = false;
  auto* dialog = new TestDialog(&parent, false, true);
  dialog->deleted = &deleted;
  ASSERT_EQ(dialog->Run(), 0);
  HWND dlg = dialog->Window();
  ASSERT_TRUE(::IsWindow(dlg));
  delete dialog;  // the window's end must not delete it a second time
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(::IsWindow(dlg));
}

// "Dialog Rect" under the dialog's preferences key.
class DialogRect : public PortableDialog {
 protected:
  static constexpr const char* kName = "PDialogTest";
  void SetUp() override {
    PortableDialog::SetUp();
    Clean();
  }
  void TearDown() override { Clean(); }
  static std::string Key() { return std::string("%QVDESKTOPCFG%\\%CURRENT_USER_PREFS%\\") + kName; }
  static void Clean() {
    QvString expanded;
    ASSERT_TRUE(ExpandConfigurationKey(Key().c_str(), expanded));
    RegDeleteTreeA(HKEY_CURRENT_USER, expanded.c_str());
  }
  static void Store(const void* data, unsigned long size) {
    ASSERT_GE(SetUserKeyBinaryValue(Key().c_str(), "Dialog Rect", data, size), 0);
  }
  // The window rectangle of a modal run of the dialog (taken after its initialisation).
  std::string RunAndPlace() {
    TestDialog dialog(&parent, true);
    dialog.SetUserPrefsRegistryName(kName);
    dialog.terminateOn = {{IDC_FINISH, 1}};
    std::string place;
    Script script(dialog, {[&](HWND dlg) {
                    RECT rc;
                    ::GetWindowRect(dlg, &rc);
                    place = RectText(rc);
                    Click(dlg, IDC_FINISH);
                  }});
    EXPECT_EQ(dialog.Run(), 1);
    return place;
  }
};

TEST_F(DialogRect, IsSavedWhenTheDialogEndsAndRestoredAtTheNextRun) {
  const std::string first = RunAndPlace();
  LONG saved[4] = {};
  ASSERT_EQ(GetKeyBinaryValue(Key().c_str(), "Dialog Rect", saved, sizeof saved), 16);
  EXPECT_EQ(RectText(RECT{saved[0], saved[1], saved[2], saved[3]}), first);

  const LONG moved[4] = {100, 120, 100 + saved[2] - saved[0], 120 + saved[3] - saved[1]};
  Store(moved, sizeof moved);
  EXPECT_EQ(RunAndPlace(), RectText(RECT{moved[0], moved[1], moved[2], moved[3]}));
}

TEST_F(DialogRect, APartlyOffScreenRectangleIsShiftedOntoTheDesktop) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  struct Shift {
    RECT saved, shown;
  };
  const Shift shifts[] = {
      {{-50, -30, 250, 170}, {0, 0, 300, 200}},
      {{desktop.right - 100, desktop.bottom - 50, desktop.right + 200, desktop.bottom + 150},
       {desktop.right - 300, desktop.bottom - 200, desktop.right, desktop.bottom}},
  };
  for (const Shift& s : shifts) {
    const LONG values[4] = {s.saved.left, s.saved.top, s.saved.right, s.saved.bottom};
    Store(values, sizeof values);
    EXPECT_EQ(RunAndPlace(), RectText(s.shown)) << RectText(s.saved);
  }
}

TEST_F(DialogRect, ShortOrNonsensicalValuesAreIgnored) {
  const std::string asMade = RunAndPlace();
  Clean();
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  struct Bad {
    const char* what;
    std::vector<LONG> values;
    unsigned long bytes;
  };
  const Bad bad[] = {
      {"eight bytes", {100, 100, 400, 300}, 8},
      {"fifteen bytes", {100, 100, 400, 300}, 15},
      {"twenty bytes", {100, 100, 400, 300, 7}, 20},
      {"right before left", {400, 100, 100, 300}, 16},
      {"no height", {100, 100, 400, 100}, 16},
      {"wider than the desktop", {0, 0, desktop.right * 3, 300}, 16},
      {"far out and huge", {-2000000000, -2000000000, 2000000000, 2000000000}, 16},
  };
  for (const Bad& b : bad) {
    Store(b.values.data(), b.bytes);
    EXPECT_EQ(RunAndPlace(), asMade) << b.what;
    Clean();
  }
  // A value of another type.
  ASSERT_GE(SetUserKeyStringValue(Key().c_str(), "Dialog Rect", "10,10,300,200"), 0);
  EXPECT_EQ(RunAndPlace(), asMade) << "text";
}

// A resizable portable dialog: the name stretches along the top, the list with the window,
// the buttons keep to the bottom right, the finish button to the bottom left.
class ResizableDialog : public TestDialog {
 public:
  using TestDialog::TestDialog;
  CWnd* OnCreatePlatform() override { return GetMFCCWnd() ? GetMFCCWnd() : new CGUIResizeDialog; }
  bool OnInit() override {
    auto* platform = static_cast<CGUIResizeDialog*>(GetMFCCWnd());
    anchored = platform->AddAnchor(IDC_NAME, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT) &&
               platform->AddAnchor(IDC_LIST, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT) &&
               platform->AddAnchor(IDC_FINISH, ANCHOR_BOTTOM_LEFT) && platform->AddAnchor(IDC_CLOSE, ANCHOR_BOTTOM_RIGHT) &&
               platform->AddAnchor(IDOK, ANCHOR_BOTTOM_RIGHT) && platform->AddAnchor(IDCANCEL, ANCHOR_BOTTOM_RIGHT);
    return TestDialog::OnInit();
  }
  bool anchored = false;
};

std::string Place(HWND h) {
  RECT rc;
  ::GetWindowRect(h, &rc);
  return RectText(rc);
}

// The children's rectangles expected after the client area grew by dx, dy.
std::vector<std::string> Grown(HWND dlg, int dx, int dy) {
  std::vector<std::string> out;
  struct Move {
    int id, left, top, right, bottom;  // how much of dx / dy each side takes
  };
  const Move moves[] = {{IDC_NAME, 0, 0, 1, 0}, {IDC_LIST, 0, 0, 1, 1}, {IDC_FINISH, 0, 1, 0, 1},
                        {IDC_CLOSE, 1, 1, 1, 1}, {IDOK, 1, 1, 1, 1},      {IDCANCEL, 1, 1, 1, 1}};
  for (const Move& m : moves) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(dlg, m.id), &r);
    ::MapWindowPoints(NULL, dlg, reinterpret_cast<POINT*>(&r), 2);
    out.push_back(RectText(RECT{r.left + m.left * dx, r.top + m.top * dy, r.right + m.right * dx, r.bottom + m.bottom * dy}));
  }
  return out;
}

std::vector<std::string> Children(HWND dlg) {
  std::vector<std::string> out;
  for (int id : {IDC_NAME, IDC_LIST, IDC_FINISH, IDC_CLOSE, IDOK, IDCANCEL})
    out.push_back(RectInParent(dlg, ::GetDlgItem(dlg, id)));
  return out;
}

HWND SizeGrip(HWND dlg) {
  for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    TCHAR cls[32] = {0};
    ::GetClassName(child, cls, 31);
    if (lstrcmpi(cls, _T("ScrollBar")) == 0 && (::GetWindowLong(child, GWL_STYLE) & SBS_SIZEGRIP)) return child;
  }
  return NULL;
}

TEST_F(PortableDialog, AResizableDialogLaysOutItsChildrenAndKeepsItsFirstSizeAsTheLeast) {
  ResizableDialog dialog(&parent, false);
  ASSERT_EQ(dialog.Run(), 0);
  HWND dlg = dialog.Window();
  ASSERT_TRUE(dialog.anchored);
  ::ShowWindow(dlg, SW_SHOW);
  const LONG style = ::GetWindowLong(dlg, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & DS_MODALFRAME);
  HWND grip = SizeGrip(dlg);
  ASSERT_NE(grip, static_cast<HWND>(NULL));

  RECT first;
  ::GetWindowRect(dlg, &first);
  const std::vector<std::string> expected = Grown(dlg, 120, 80);
  ::SetWindowPos(dlg, NULL, 0, 0, first.right - first.left + 120, first.bottom - first.top + 80,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Children(dlg), expected);
  RECT client;
  ::GetClientRect(dlg, &client);
  EXPECT_EQ(RectInParent(dlg, grip), RectText(RECT{client.right - ::GetSystemMetrics(SM_CXVSCROLL),
                                                   client.bottom - ::GetSystemMetrics(SM_CYHSCROLL), client.right,
                                                   client.bottom}));

  // Smaller than at its start it cannot be made; at its start size the children are back.
  const std::vector<std::string> back = Grown(dlg, -120, -80);
  ::SetWindowPos(dlg, NULL, 0, 0, 50, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Place(dlg), RectText(first));
  EXPECT_EQ(Children(dlg), back);
  MINMAXINFO mmi = {};
  ::SendMessage(dlg, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, first.right - first.left);
  EXPECT_EQ(mmi.ptMinTrackSize.y, first.bottom - first.top);
}

// Timer steps that grow the running dialog by dx, dy, then note its children's rectangles
// (and those the anchors should give) and press the finish button.
std::vector<std::function<void(HWND)>> GrowAndFinish(int dx, int dy, std::vector<std::string>& expected,
                                                     std::vector<std::string>& after) {
  return {[dx, dy, &expected](HWND dlg) {
            RECT rc;
            ::GetWindowRect(dlg, &rc);
            expected = Grown(dlg, dx, dy);
            ::SetWindowPos(dlg, NULL, 0, 0, rc.right - rc.left + dx, rc.bottom - rc.top + dy,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
          },
          [&after](HWND dlg) {
            after = Children(dlg);
            Click(dlg, IDC_FINISH);
          }};
}

TEST_F(PortableDialog, AResizableModalDialogResizedAndEndedFromATimerAnswersItsCode) {
  ResizableDialog dialog(&parent, true);
  dialog.terminateOn = {{IDC_FINISH, 6}};
  std::vector<std::string> expected, after;
  {
    Script script(dialog, GrowAndFinish(40, 30, expected, after));
    EXPECT_EQ(dialog.Run(), 6);
    EXPECT_EQ(after, expected);
  }
  // The same window object runs again, laid out as anew.
  CWnd* platform = dialog.GetMFCCWnd();
  dialog.terminateOn = {{IDC_FINISH, 8}};
  Script second(dialog, GrowAndFinish(25, 15, expected, after));
  EXPECT_EQ(dialog.Run(), 8);
  EXPECT_EQ(dialog.GetMFCCWnd(), platform);
  EXPECT_EQ(after, expected);
}

// A framework dialog with the same layout.
class PlainResizeDialog : public CResizeDialog {
 public:
  PlainResizeDialog() : CResizeDialog(IDD_PORTABLE) {}
  BOOL OnInitDialog() override {
    const BOOL result = CResizeDialog::OnInitDialog();
    AddAnchor(IDC_LIST, ANCHOR_TOP_LEFT, ANCHOR_BOTTOM_RIGHT);
    AddAnchor(IDOK, ANCHOR_BOTTOM_RIGHT);
    return result;
  }
};

class PlacementApp : public CWinApp {
 public:
  PlacementApp() : CWinApp(_T("PDialogTest")) {}
};

#ifdef UNICODE
const TCHAR kAppKey[] = _T("QuarnelPDialogTestsU");
#else
const TCHAR kAppKey[] = _T("QuarnelPDialogTestsA");
#endif

TEST(ResizeDialog, AFrameworkDialogFollowsItsAnchorsAndRemembersItsPlacement) {
  RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kAppKey);
  PlacementApp app;
  app.SetRegistryKey(kAppKey);
  std::string saved;
  {
    PlainResizeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_PORTABLE));
    dlg.EnableSaveRestore(_T("Plain"));
    dlg.ShowWindow(SW_SHOW);
    const std::string list = RectInParent(dlg.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_LIST));
    RECT rc;
    dlg.GetWindowRect(&rc);
    RECT r;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_LIST), &r);
    ::MapWindowPoints(NULL, dlg.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    dlg.SetWindowPos(NULL, 30, 40, rc.right - rc.left + 50, rc.bottom - rc.top + 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(RectInParent(dlg.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_LIST)),
              RectText(RECT{r.left, r.top, r.right + 50, r.bottom + 20}));
    saved = Place(dlg.m_hWnd);
    dlg.DestroyWindow();
  }
  PlainResizeDialog again;
  ASSERT_TRUE(again.Create(IDD_PORTABLE));
  EXPECT_NE(Place(again.m_hWnd), saved);
  again.EnableSaveRestore(_T("Plain"));
  EXPECT_EQ(Place(again.m_hWnd), saved);
  again.DestroyWindow();
  RegDeleteTree(HKEY_CURRENT_USER, CString(_T("Software\\")) + kAppKey);
}

}  // namespace
