// The portable frames on the portable command road: commands and update probes, tooltips,
// status prompts and help from the portable command definitions, the close from the system
// menu, and the life of the portable container with its frame.
#include "pframes_test.h"

#include <commctrl.h>

#include <string>

using namespace testing_support;

namespace {

const FrameKind kKinds[] = {kSdi, kMdi};

// An update probe that keeps what it was told.
struct ProbeUI : CCmdUI {
  explicit ProbeUI(UINT id) { m_nID = id; }
  void Enable(BOOL on) override { enabled = on ? 1 : 0; }
  void SetCheck(int check) override { checked = check; }
  void SetRadio(BOOL on) override { checked = on ? 1 : 0; }
  void SetText(LPCTSTR) override {}
  int enabled = -1;  // -1: not told
  int checked = -1;
};

// Commands from the frame's menu (posted WM_COMMAND without a sender): a command the portable
// window answers for runs there; one it does not know is asked of the frame's update handler,
// which disables it, so the frame's own handler does not run; one without an update handler
// is run by the frame's own handler.
TEST_F(FrameTest, MenuCommandsRunOnThePortableRoadBeforeTheFrameworks) {
  for (FrameKind kind : kKinds) {
    SCOPED_TRACE(KindName(kind));
    CFrameWnd* frame = MakeFrame(kind);
    ASSERT_NE(frame, nullptr);
    TestWindow* window = new TestWindow(&log);
    Bind(window, frame);
    window->answers[kOpen] = {};
    QvCommandHandler::SetActiveTarget(window);
    FrameHandlers& handlers = HandlersOf(frame);
    Recorder().Watch(frame->m_hWnd);
    Recorder().Reset();

    PostMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(kOpen, 0), 0);
    PostMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(kOwn, 0), 0);
    PostMessageW(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(kFrameOnly, 0), 0);
    Recorder().Pump();

    // A hidden frame with no child in focus: the two commands and nothing else.
    const ExpectedMsg expected[] = {
        {WM_COMMAND, kPosted | kWparam, MAKEWPARAM(kOpen, 0), 0},
        {WM_COMMAND, kPosted | kWparam, MAKEWPARAM(kOwn, 0), 0},
        {WM_COMMAND, kPosted | kWparam, MAKEWPARAM(kFrameOnly, 0), 0},
        {0, 0, 0, 0},
    };
    EXPECT_TRUE(Recorder().Matches(expected));
    EXPECT_EQ(window->executed, std::vector<unsigned short>{kOpen});
    EXPECT_EQ(handlers.ownProbes, 1);
    EXPECT_EQ(handlers.ownRuns, 0) << "disabled by the frame's update handler";
    EXPECT_EQ(handlers.frameOnlyRuns, 1) << "no update handler stops it: the framework's routing runs it";

    Recorder().UnwatchAll();
    QvCommandHandler::SetActiveTarget(nullptr);
    frame->DestroyWindow();
    EXPECT_EQ(log.destroyed, 1);
    log = WindowLog();
  }
}

struct ProbeCase {
  const char* what;
  bool bound;          // the frame has a portable window
  int target;          // 0 none, 1 the frame's window, 2 another portable handler
  UINT id;
  bool handled;        // what OnCmdMsg answers
  int enabled;         // what the probe was told (-1 nothing)
  int checked;
  int frameProbes;     // the frame's own update handler ran
};

// Update probes go to the portable status only while the frame's window is the active target
// (or there is neither window nor target); otherwise to the framework's routing alone.
TEST_F(FrameTest, UpdateProbesTakeThePortableStatusOnlyForTheActiveTargetsFrame) {
  const ProbeCase cases[] = {
      {"the frame's window is the target: its status", true, 1, kOpen, true, 0, 1, 0},
      {"the frame's window has no status for the command: the frame's handler", true, 1, kOwn, true, 0, -1, 1},
      {"another handler is the target: the framework's routing only", true, 2, kOpen, false, -1, -1, 0},
      {"another handler is the target, the frame's command: its handler", true, 2, kOwn, true, 0, -1, 1},
      {"no window, no target: the portable road has no status, the framework decides", false, 0, kOpen, false, -1,
       -1, 0},
  };
  for (FrameKind kind : kKinds) {
    for (const ProbeCase& c : cases) {
      SCOPED_TRACE(std::string(KindName(kind)) + ": " + c.what);
      CFrameWnd* frame = MakeFrame(kind);
      ASSERT_NE(frame, nullptr);
      TestWindow* window = c.bound ? new TestWindow(&log) : nullptr;
      if (window) {
        Bind(window, frame);
        window->answers[kOpen] = {false, QvChecked};
      }
      TestWindow other(&log);
      other.answers[kOpen] = {true, QvUnchecked};
      QvCommandHandler::SetActiveTarget(c.target == 1 ? window : c.target == 2 ? &other : nullptr);

      ProbeUI probe(c.id);
      EXPECT_EQ(frame->OnCmdMsg(c.id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL) != FALSE, c.handled);
      EXPECT_EQ(probe.enabled, c.enabled);
      EXPECT_EQ(probe.checked, c.checked);
      EXPECT_EQ(HandlersOf(frame).ownProbes, c.frameProbes);

      QvCommandHandler::SetActiveTarget(nullptr);
      frame->DestroyWindow();
    }
  }
}

struct TipCase {
  const char* what;
  UINT id;              // the tool's id, or the control id of the tool's window
  bool idIsWindow;      // TTF_IDISHWND
  bool redirect;        // kRedirected runs kTarget at present
  const wchar_t* text;  // the tooltip
};

// A tooltip's request for text reaches the frame as WM_NOTIFY from the tooltip window and is
// answered from the portable command definition, in both character sets.
TEST_F(FrameTest, TooltipsComeFromThePortableDefinitions) {
  const TipCase cases[] = {
      {"the tooltip text with the hot key", kPrint, false, false, L"Print the report (Ctrl+P)"},
      {"a redirected command shows the effective command's", kRedirected, false, true, L"Go to the target"},
      {"the tool is a window: its control id", kOpen, true, false, L"Open a report"},
      {"an unknown command leaves the text empty", 399, false, false, L""},
  };
  for (FrameKind kind : kKinds) {
    CFrameWnd* frame = MakeFrame(kind);
    ASSERT_NE(frame, nullptr);
    TestWindow* window = new TestWindow(&log);
    Bind(window, frame);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, NULL, WS_POPUP, 0, 0, 0, 0, frame->m_hWnd, NULL, NULL, NULL);
    ASSERT_TRUE(tip);
    for (const TipCase& c : cases) {
      for (bool wide : {true, false}) {
        SCOPED_TRACE(std::string(KindName(kind)) + ": " + c.what + (wide ? " (wide)" : " (ANSI)"));
        if (c.redirect)
          SetEffectiveCmdInCmdMap(kRedirected, kTarget);
        else
          RemoveEffectiveCmdFromCmdMap(kRedirected);
        HWND tool = NULL;
        if (c.idIsWindow)
          tool = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, frame->m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), NULL, NULL);
        const UINT_PTR idFrom = c.idIsWindow ? reinterpret_cast<UINT_PTR>(tool) : c.id;
        std::wstring got;
        LRESULT result = -1;
        if (wide) {
          NMTTDISPINFOW info = {};
          info.hdr = {tip, idFrom, TTN_NEEDTEXTW};
          info.uFlags = c.idIsWindow ? TTF_IDISHWND : 0;
          result = SendMessageW(frame->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
          got = info.lpszText ? info.lpszText : L"";
        } else {
          NMTTDISPINFOA info = {};
          info.hdr = {tip, idFrom, TTN_NEEDTEXTA};
          info.uFlags = c.idIsWindow ? TTF_IDISHWND : 0;
          result = SendMessageW(frame->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
          const char* text = info.lpszText ? info.lpszText : "";
          got.assign(text, text + strlen(text));
        }
        EXPECT_EQ(got, c.text);
        EXPECT_EQ(result, 0);
        if (tool) DestroyWindow(tool);
      }
    }
    frame->DestroyWindow();
  }
}

// The status prompt of a command is its definition's message-bar text (through the
// effective-command map); without one the text is left as it was.
TEST_F(FrameTest, StatusPromptsComeFromThePortableDefinitions) {
  struct Case {
    UINT id;
    bool redirect;
    const TCHAR* text;
  };
  const Case cases[] = {
      {kOpen, false, _T("Opens a report from a file")},
      {kRedirected, false, _T("Runs another command")},
      {kRedirected, true, _T("Goes to the target")},
      {kPrint, false, _T("kept")},  // no message-bar text
      {399, false, _T("kept")},     // no definition
  };
  for (FrameKind kind : kKinds) {
    CFrameWnd* frame = MakeFrame(kind);
    ASSERT_NE(frame, nullptr);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(KindName(kind)) + ": command " + std::to_string(c.id));
      if (c.redirect)
        SetEffectiveCmdInCmdMap(kRedirected, kTarget);
      else
        RemoveEffectiveCmdFromCmdMap(kRedirected);
      CString text(_T("kept"));
      frame->GetMessageString(c.id, text);
      EXPECT_EQ(text, CString(c.text));
    }
    frame->DestroyWindow();
  }
}

// An application that records the help it is asked for.
class HelpApp : public CWinApp {
 public:
  HelpApp() : CWinApp(_T("pframes")) {}
  void WinHelp(DWORD_PTR data, UINT command) override { asked.push_back({data, command}); }
  std::vector<std::pair<DWORD_PTR, UINT>> asked;
};

struct HelpCase {
  const char* what;
  bool bound;           // the frame has a portable window
  unsigned long helpId;  // of that window
  UINT tracked;          // the menu item being tracked (0: no menu)
  bool redirect;
  LPARAM context;        // of WM_COMMANDHELP
  LRESULT answer;
  std::vector<std::pair<DWORD_PTR, UINT>> asked;
};

// F1 (WM_COMMANDHELP): in a menu, the tracked item's help id from its definition; outside one,
// the portable window's help; any other request is the framework's.
TEST_F(FrameTest, HelpComesFromThePortableDefinitionsAndTheWindow) {
  const HelpCase cases[] = {
      {"a tracked item with a help id", true, 0, kOpen, false, 0, TRUE, {{4711, HELP_CONTEXT}}},
      {"a redirected item: the effective command's help", true, 0, kRedirected, true, 0, TRUE,
       {{4733, HELP_CONTEXT}}},
      {"a tracked item without a help id: the framework's command context", true, 0, kPrint, false, 0, TRUE,
       {{HID_BASE_COMMAND + kPrint, HELP_CONTEXT}}},
      {"no menu: the help index of a window without a help id", true, 0, 0, false, 0, TRUE, {{0, HELP_FINDER}}},
      {"no menu: the window's help id", true, 99, 0, false, 0, TRUE, {{99, HELP_CONTEXT}}},
      {"a given context goes to the framework", true, 99, kOpen, false, 1234, TRUE, {{1234, HELP_CONTEXT}}},
      {"no menu and no window: the framework, which has nothing", false, 0, 0, false, 0, FALSE, {}},
  };
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(menu);
  for (FrameKind kind : kKinds) {
    for (const HelpCase& c : cases) {
      SCOPED_TRACE(std::string(KindName(kind)) + ": " + c.what);
      HelpApp app;
      CFrameWnd* frame = MakeFrame(kind);
      ASSERT_NE(frame, nullptr);
      if (c.bound) {
        TestWindow* window = new TestWindow(&log);
        window->SetHelpID(c.helpId);
        Bind(window, frame);
      }
      if (c.redirect) SetEffectiveCmdInCmdMap(kRedirected, kTarget);
      // The menu selection the system reports while the item is highlighted.
      if (c.tracked) SendMessageW(frame->m_hWnd, WM_MENUSELECT, MAKEWPARAM(c.tracked, MF_STRING), reinterpret_cast<LPARAM>(menu));
      EXPECT_EQ(SendMessageW(frame->m_hWnd, WM_COMMANDHELP, 0, c.context), c.answer);
      EXPECT_EQ(app.asked, c.asked);
      RemoveEffectiveCmdFromCmdMap(kRedirected);
      frame->DestroyWindow();
    }
  }
  DestroyMenu(menu);
}

// A close from the system menu asks the portable window first: a refusal leaves the frame
// open and nothing else happens; a consent closes it and the window ends with it.
TEST_F(FrameTest, SystemCloseAsksThePortableWindow) {
  for (FrameKind kind : kKinds) {
    for (bool allow : {false, true}) {
      SCOPED_TRACE(std::string(KindName(kind)) + (allow ? ": allowed" : ": refused"));
      CFrameWnd* frame = MakeFrame(kind);
      ASSERT_NE(frame, nullptr);
      const HWND hwnd = frame->m_hWnd;
      TestWindow* window = new TestWindow(&log);
      window->allowClose = allow;
      Bind(window, frame);
      Recorder().Watch(hwnd);
      Recorder().Reset();

      SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);

      if (!allow) {
        // WM_SYSCOMMAND(SC_CLOSE) to a hidden frame whose window refuses: nothing follows.
        const ExpectedMsg refused[] = {
            {WM_SYSCOMMAND, kSent | kWparam, SC_CLOSE, 0},
            {0, 0, 0, 0},
        };
        EXPECT_TRUE(Recorder().Matches(refused));
        EXPECT_TRUE(IsWindow(hwnd));
        EXPECT_EQ(log.terminated, 0);
        EXPECT_EQ(GUIGetQvGUIContainer(frame), window);
        frame->DestroyWindow();
      } else {
        EXPECT_EQ(Recorder().Count(WM_CLOSE), 1u);
        EXPECT_EQ(Recorder().Count(WM_DESTROY), 1u);
        EXPECT_FALSE(IsWindow(hwnd));
      }
      Recorder().UnwatchAll();
      EXPECT_EQ(log.terminated, 1);
      EXPECT_EQ(log.destroyed, 1);
      log = WindowLog();
    }
  }
}

// A portable window ends with its frame (its OnTerminate deletes it, and the frame finds
// nothing more to delete); a container that is not a window is deleted by its frame.
TEST_F(FrameTest, ThePortableContainerEndsWithItsFrame) {
  for (FrameKind kind : kKinds) {
    for (bool isWindow : {true, false}) {
      SCOPED_TRACE(std::string(KindName(kind)) + (isWindow ? ": a portable window" : ": another container"));
      CFrameWnd* frame = MakeFrame(kind);
      ASSERT_NE(frame, nullptr);
      QvGUIContainer* container =
          isWindow ? static_cast<QvGUIContainer*>(new TestWindow(&log)) : new TestContainer(&log);
      Bind(container, frame);
      frame->DestroyWindow();
      EXPECT_EQ(log.terminated, 1);
      EXPECT_EQ(log.destroyed, 1) << "deleted once";
      log = WindowLog();
    }
  }
}

}  // namespace
