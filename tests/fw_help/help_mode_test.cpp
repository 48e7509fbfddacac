// The frame's help mode, driven with real input: Shift+F1 through the frame's accelerators
// starts it, the help cursor shows while the frame holds the mouse, and a click (or a command
// chosen meanwhile) picks what the frame's help explains; Escape, the right button, a click
// elsewhere or a lost capture end it without help.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_bars.h>

#include <functional>
#include <utility>
#include <vector>

#include "fw_pump.h"
#include "test_support.h"

namespace {

using testing_support::MouseTo;
using testing_support::PumpMessages;

const UINT ID_A = 40101, ID_B = 40102;
const UINT kHelpId = 300;

std::vector<UINT> g_ran;

class HelpFrame : public CFrameWnd {
 public:
  std::vector<std::pair<DWORD_PTR, UINT>> helps;
  void WinHelp(DWORD_PTR data, UINT command) override { helps.emplace_back(data, command); }

  // Runs once, at the first message of the help loop: what the user does in help mode.
  std::function<void()> act;
  HCURSOR cursorSeen = NULL;
  HWND captureSeen = NULL;
  BOOL helpModeSeen = FALSE;
  int helpMessages = 0;
  BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext) override {
    ++helpMessages;
    if (act) {
      cursorSeen = ::GetCursor();
      captureSeen = ::GetCapture();
      helpModeSeen = IsInHelpMode();
      auto step = std::move(act);
      act = nullptr;
      step();
    }
    return CFrameWnd::ProcessHelpMsg(msg, pContext);
  }
  afx_msg void OnA() { g_ran.push_back(ID_A); }
  afx_msg void OnB() { g_ran.push_back(ID_B); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HelpFrame, CFrameWnd)
  ON_COMMAND(ID_A, &HelpFrame::OnA)
  ON_COMMAND(ID_B, &HelpFrame::OnB)
END_MESSAGE_MAP()

void CALLBACK Nudge(HWND, UINT, UINT_PTR id, DWORD) { KillTimer(NULL, id); }

// A frame with a toolbar (A, B) over a pane, Shift+F1 bound to the help command.
class HelpMode : public testing::Test {
 protected:
  void SetUp() override {
    g_ran.clear();
    frame = new HelpFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("help"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 340)));
    frame->m_nIDHelp = kHelpId;
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    const UINT buttons[] = {ID_A, ID_B};
    ASSERT_TRUE(bar.SetButtons(buttons, 2));
    ASSERT_TRUE(pane.Create(NULL, _T("pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST));
    ACCEL key = {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP};
    frame->m_hAccelTable = ::CreateAcceleratorTable(&key, 1);
    frame->RecalcLayout();
    frame->ShowWindow(SW_SHOW);
    frame->SetForegroundWindow();
    frame->SetFocus();
    PumpMessages();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpMessages();
  }
  CPoint ButtonCentre(int index) {
    CRect r;
    bar.GetItemRect(index, &r);
    bar.ClientToScreen(&r);
    return r.CenterPoint();
  }
  CPoint PanePoint() {
    CRect r;
    pane.GetWindowRect(&r);
    return CPoint(r.left + 50, r.top + 50);
  }
  // Shift+F1 typed, the queue run as the application's loop runs it; the help loop starts from
  // the accelerator and does `act` at its first message.
  void HelpWith(std::function<void()> step) {
    frame->act = std::move(step);
    ::SetTimer(NULL, 0, 1, Nudge);  // the help loop has a message to start from
    testing_support::TypeChord(VK_SHIFT, VK_F1);
    testing_support::PumpPreTranslated();
    PumpMessages();
  }

  HelpFrame* frame = nullptr;
  CToolBar bar;
  CWnd pane;
};

TEST_F(HelpMode, AClickPicksTheContextUnderItAndCancellingGivesNoHelp) {
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, _T("STATIC"), _T("other"), WS_POPUP, CRect(600, 500, 700, 560), NULL, 0));
  other.ShowWindow(SW_SHOWNOACTIVATE);
  const DWORD_PTR kButtonA = HID_BASE_COMMAND + ID_A, kPane = HID_BASE_RESOURCE + kHelpId;
  const struct {
    const char* what;
    std::function<void()> step;
    std::vector<DWORD_PTR> helps;  // HELP_CONTEXT calls
  } cases[] = {
      {"a toolbar button", [&] { MouseTo(ButtonCentre(0), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); }, {kButtonA}},
      {"the second button", [&] { MouseTo(ButtonCentre(1), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); },
       {HID_BASE_COMMAND + ID_B}},
      {"the pane: the frame's own", [&] { MouseTo(PanePoint(), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); }, {kPane}},
      {"a command chosen from a menu", [&] { frame->PostMessage(WM_COMMAND, ID_A, 0); }, {kButtonA}},
      // The null driver leaves keys out while the frame holds the mouse: posted as typed.
      {"Escape", [&] { frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1); }, {}},
      {"the right button", [&] { MouseTo(PanePoint(), MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP); }, {}},
      {"a click on another window", [&] { MouseTo(CPoint(650, 530), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP); }, {}},
      {"another window takes the mouse", [&] { other.SetCapture(); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    frame->helps.clear();
    frame->cursorSeen = NULL;
    HelpWith(c.step);
    // While it ran: the help cursor, the frame holding the mouse.
    EXPECT_TRUE(frame->helpModeSeen);
    EXPECT_EQ(frame->cursorSeen, ::LoadCursor(NULL, IDC_HELP));
    EXPECT_EQ(frame->captureSeen, frame->m_hWnd);
    // Afterwards: out of help mode, the mouse let go, nothing run.
    EXPECT_FALSE(frame->IsInHelpMode());
    EXPECT_NE(::GetCapture(), frame->m_hWnd);
    EXPECT_NE(::GetCursor(), ::LoadCursor(NULL, IDC_HELP));
    std::vector<DWORD_PTR> contexts;
    for (const auto& h : frame->helps) {
      EXPECT_EQ(h.second, static_cast<UINT>(HELP_CONTEXT));
      contexts.push_back(h.first);
    }
    EXPECT_EQ(contexts, c.helps);
    EXPECT_TRUE(g_ran.empty());
    ::ReleaseCapture();
    frame->SetForegroundWindow();
    frame->SetFocus();
    MouseTo(PanePoint(), 0);
    PumpMessages();
  }
  other.DestroyWindow();
  // Out of help mode the command runs again.
  frame->SendMessage(WM_COMMAND, ID_A, 0);
  EXPECT_EQ(g_ran, std::vector<UINT>{ID_A});
}

TEST_F(HelpMode, NoHelpModeWhileTheFrameIsModalOrAlreadyInIt) {
  frame->BeginModalState();
  frame->act = [] {};
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
  EXPECT_EQ(frame->helpMessages, 0);
  EXPECT_FALSE(frame->IsInHelpMode());
  frame->EndModalState();
  // The help command chosen inside help mode is a command like any other: no second loop, its
  // own help.
  HelpWith([&] { frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0); });
  EXPECT_FALSE(frame->IsInHelpMode());
  ASSERT_EQ(frame->helps.size(), 1u);
  EXPECT_EQ(frame->helps[0].first, static_cast<DWORD_PTR>(HID_BASE_COMMAND + ID_CONTEXT_HELP));
  // The toolbar answers the hit test itself: the button's command, nothing between buttons.
  CRect r;
  bar.GetItemRect(1, &r);
  EXPECT_EQ(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y)),
            static_cast<LRESULT>(HID_BASE_COMMAND + ID_B));
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(client.right - 2, client.bottom / 2)), 0);
}

TEST_F(HelpMode, AFrameClosedInHelpModeEndsItWithoutHelp) {
  const HWND hWnd = frame->m_hWnd;
  HelpWith([&] { frame->PostMessage(WM_CLOSE); });
  // The window and its object are gone (the frame deletes itself); nothing was left captured.
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(::GetCapture(), (HWND)NULL);
  frame = nullptr;
}

}  // namespace
