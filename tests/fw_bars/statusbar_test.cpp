// The framework's status bar: panes from indicator ids on the common status control, the
// message pane as the bar's window text, idle update of the indicators, owner-drawn panes.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_statusbar.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "test_support.h"

namespace {

using testing_support::ExpectedMsg;
using testing_support::Recorder;

const UINT kReadyPane = 0x7001;  // a pane of the test's own, without a string resource

class StatusFrame : public CFrameWnd {
 public:
  BOOL capsOn = TRUE;
  bool handleCaps = false;
  CString readyText = _T("Ready");
  int drawn = 0;
  UINT drawnItem = 0;

 protected:
  afx_msg void OnUpdateCaps(CCmdUI* pCmdUI) {
    if (handleCaps)
      pCmdUI->Enable(capsOn);
    else
      pCmdUI->ContinueRouting();
  }
  afx_msg void OnUpdateReady(CCmdUI* pCmdUI) { pCmdUI->SetText(readyText); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &StatusFrame::OnUpdateCaps)
  ON_UPDATE_COMMAND_UI(kReadyPane, &StatusFrame::OnUpdateReady)
END_MESSAGE_MAP()

class DrawnBar : public CStatusBar {
 public:
  std::vector<UINT> drawn;
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(static_cast<UINT>(dis->itemData)); }
};

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    frame = new StatusFrame;
    ASSERT_TRUE(frame->Create(NULL, _T("status"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
    ASSERT_TRUE(bar.Create(frame));
    static const UINT ids[] = {ID_SEPARATOR, kReadyPane, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    // kReadyPane has no string resource: its pane is made, empty, and the call says so.
    EXPECT_FALSE(bar.SetIndicators(ids, 5));
    bar.SetPaneInfo(1, kReadyPane, SBPS_NORMAL, 60);
    frame->RecalcLayout();
  }
  void TearDown() override {
    if (frame != NULL && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();  // deletes itself
  }
  std::wstring ControlText(int pane) {
    wchar_t buffer[128] = {};
    ::SendMessageW(bar.m_hWnd, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  StatusFrame* frame = NULL;
  DrawnBar bar;
};

TEST_F(StatusBarTest, PanesComeFromTheIdsAndTheMessagePaneStretchesAtTheFrameBottom) {
  EXPECT_EQ(5, bar.GetCount());
  EXPECT_EQ(2, bar.CommandToIndex(ID_INDICATOR_CAPS));
  EXPECT_EQ(-1, bar.CommandToIndex(0x1234));
  EXPECT_EQ(ID_INDICATOR_SCRL, bar.GetItemID(4));
  EXPECT_EQ(_T("CAP"), bar.GetPaneText(2));
  EXPECT_EQ(_T("NUM"), bar.GetPaneText(3));
  EXPECT_EQ(_T("SCRL"), bar.GetPaneText(4));
  EXPECT_EQ(L"NUM", ControlText(3));

  // The bar sits at the bottom of the frame's client area, across it.
  CRect client, rect;
  frame->GetClientRect(&client);
  bar.GetWindowRect(&rect);
  frame->ScreenToClient(&rect);
  EXPECT_EQ(client.bottom, rect.bottom);
  EXPECT_EQ(client.Width(), rect.Width());
  EXPECT_GT(rect.Height(), 10);

  // Pane 0 takes what the fixed panes leave; the panes follow each other to the end.
  int edges[8] = {};
  ASSERT_EQ(5, ::SendMessage(bar.m_hWnd, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(-1, edges[4]);
  CRect first, ready;
  bar.GetItemRect(0, &first);
  bar.GetItemRect(1, &ready);
  EXPECT_GT(first.Width(), ready.Width());
  EXPECT_LE(first.right, ready.left);  // the control keeps a small gap between parts
  EXPECT_LE(ready.left - first.right, 4);

  // A wider frame widens only the message pane.
  frame->SetWindowPos(NULL, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
  frame->RecalcLayout();
  CRect wider, readyAfter;
  bar.GetItemRect(0, &wider);
  bar.GetItemRect(1, &readyAfter);
  EXPECT_EQ(first.Width() + 200, wider.Width());
  EXPECT_EQ(ready.Width(), readyAfter.Width());
}

TEST_F(StatusBarTest, TheWindowTextIsTheMessagePane) {
  bar.SetWindowText(_T("Opening the report"));
  EXPECT_EQ(_T("Opening the report"), bar.GetPaneText(0));
  EXPECT_EQ(L"Opening the report", ControlText(0));
  CString text;
  bar.GetWindowText(text);
  EXPECT_EQ(_T("Opening the report"), text);
}

TEST_F(StatusBarTest, IdleUpdateSetsWhatDiffersAndNothingWhenNothingChanged) {
  frame->handleCaps = true;
  frame->capsOn = FALSE;
  testing_support::SubclassedControl logged(bar.m_hWnd);
  Recorder().Watch(bar.m_hWnd);
  Recorder().Ignore(WM_PAINT);
  Recorder().Ignore(WM_NCPAINT);
  Recorder().Ignore(WM_ERASEBKGND);
  Recorder().Reset();
  // First update: the ready pane gets its text, the caps pane hides its text. The num and
  // scroll panes follow their keys, which are off under the test's desktop: hidden too.
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(L"Ready", ControlText(1));
  EXPECT_EQ(L"", ControlText(2));
  EXPECT_EQ(L"", ControlText(3));
  EXPECT_EQ(_T("CAP"), bar.GetPaneText(2));  // kept for when it shows again
  EXPECT_TRUE(bar.GetPaneStyle(2) & SBPS_DISABLED);

  // Second update with nothing changed: no text is sent to the control.
  Recorder().Reset();
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(0u, Recorder().Count(SB_SETTEXT));

  // Caps on: only its pane changes.
  frame->capsOn = TRUE;
  Recorder().Reset();
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  static const ExpectedMsg kCapsShown[] = {
      {WM_IDLEUPDATECMDUI, testing_support::kSent, 0, 0},
      {SB_SETTEXT, testing_support::kSent | testing_support::kWparam, 2, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(kCapsShown));
  EXPECT_EQ(L"CAP", ControlText(2));
  Recorder().UnwatchAll();
  Recorder().Unignore(WM_PAINT);
  Recorder().Unignore(WM_NCPAINT);
  Recorder().Unignore(WM_ERASEBKGND);
}

TEST_F(StatusBarTest, OwnerDrawnPanesAreDrawnByTheBar) {
  bar.SetPaneStyle(1, SBPS_OWNERDRAW);
  bar.SetPaneStyle(3, SBPS_OWNERDRAW);
  bar.ShowWindow(SW_SHOW);
  // Above whatever other tests of the program left on the desktop, so that the bar is painted.
  ::SetWindowPos(frame->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ((std::vector<UINT>{1, 3}), bar.drawn);
}

TEST_F(StatusBarTest, BadIndicesAndArgumentsAreRefused) {
  EXPECT_FALSE(bar.SetPaneText(-1, _T("x")));
  EXPECT_FALSE(bar.SetPaneText(5, _T("x")));
  EXPECT_EQ(_T(""), bar.GetPaneText(99));
  EXPECT_EQ(0u, bar.GetItemID(-3));
  CRect r(1, 2, 3, 4);
  bar.GetItemRect(7, &r);
  EXPECT_TRUE(r.IsRectNull());
  UINT id = 9, style = 9;
  int width = 9;
  bar.GetPaneInfo(12, id, style, width);
  EXPECT_EQ(0u, id);
  bar.SetPaneInfo(12, 1, 0, 10);  // nothing
  EXPECT_EQ(5, bar.GetCount());
  EXPECT_FALSE(bar.SetIndicators(NULL, 2));
  EXPECT_FALSE(bar.SetIndicators(NULL, -1));
}

}  // namespace
