// The framework toolbar on the common toolbar control, the dialog bar, and what the frame does
// for its bars: layout on its sides, status prompts, tooltip texts, the bar menu items.
#include <gtest/gtest.h>

#include <framework.h>
#include <fw_bars.h>
#include <fw_thread_state.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "bar_rects.h"
#include "test_support.h"

using testing_support::ExpectedMsg;
using testing_support::Recorder;

namespace {

enum : UINT { kOpen = 1001, kPrint = 1002, kPromptOnly = 1003, kSave = 1004 };

// A frame whose update handlers follow the test's wishes and that records drop-downs.
class TestFrame : public CFrameWnd {
 public:
  BOOL enableOpen = TRUE;
  int checkPrint = 0;
  std::vector<int> droppedDown;

  static TestFrame* Make(int cx, int cy) {
    auto* frame = new TestFrame;
    if (!frame->Create(NULL, _T("bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, cx, cy))) return NULL;
    return frame;
  }

 protected:
  afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(enableOpen); }
  afx_msg void OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->SetCheck(checkPrint); }
  afx_msg void OnPrint() {}
  afx_msg void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
    droppedDown.push_back(reinterpret_cast<NMTOOLBAR*>(pNMHDR)->iItem);
    *pResult = TBDDRET_DEFAULT;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_UPDATE_COMMAND_UI(kOpen, &TestFrame::OnUpdateOpen)
  ON_UPDATE_COMMAND_UI(kPrint, &TestFrame::OnUpdatePrint)
  ON_COMMAND(kPrint, &TestFrame::OnPrint)
  ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, &TestFrame::OnDropDown)
END_MESSAGE_MAP()

// A toolbar whose own handler decides about kSave before the frame is asked.
class OwnHandlerBar : public CToolBar {
 public:
  BOOL enableSave = FALSE;

 protected:
  afx_msg void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(enableSave); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnHandlerBar, CToolBar)
  ON_UPDATE_COMMAND_UI(kSave, &OwnHandlerBar::OnUpdateSave)
END_MESSAGE_MAP()

// Records the check state the frame gives a bar's menu item.
class CheckProbe : public CCmdUI {
 public:
  int checked = -1;
  void Enable(BOOL) override { m_bEnableChanged = TRUE; }
  void SetCheck(int nCheck) override { checked = nCheck; }
};

const UINT kButtons[] = {kOpen, ID_SEPARATOR, kPrint, kSave, kPrint};

TEST(ToolBar, ButtonsByIndexStylesAndRectangles) {
  TestFrame* frame = TestFrame::Make(400, 300);
  ASSERT_NE(frame, nullptr);
  CToolBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(bar.SetButtons(kButtons, 5));
  ASSERT_EQ(bar.GetCount(), 5);

  EXPECT_EQ(bar.CommandToIndex(kPrint), 2);  // the first of the two
  EXPECT_EQ(bar.CommandToIndex(kSave), 3);
  EXPECT_EQ(bar.CommandToIndex(4711), -1);
  EXPECT_EQ(bar.GetItemID(1), static_cast<UINT>(ID_SEPARATOR));
  EXPECT_EQ(bar.GetItemID(9), 0u);
  EXPECT_EQ(bar.GetButtonStyle(0), static_cast<UINT>(TBBS_BUTTON));  // enabled reads as 0
  EXPECT_EQ(bar.GetButtonStyle(1), static_cast<UINT>(TBBS_SEPARATOR));
  UINT id = 0, style = 0;
  int image = -1;
  bar.GetButtonInfo(3, id, style, image);
  EXPECT_EQ(id, static_cast<UINT>(kSave));
  EXPECT_EQ(image, 2);  // images count along the buttons, separators skipped

  // Packed styles: disabled is the inverted enabled bit; only the addressed button changes,
  // even where another button has the same id.
  bar.SetButtonStyle(4, TBBS_CHECKBOX | TBBS_CHECKED | TBBS_DISABLED);
  EXPECT_EQ(bar.GetButtonStyle(4), static_cast<UINT>(TBBS_CHECKBOX | TBBS_CHECKED | TBBS_DISABLED));
  EXPECT_EQ(bar.GetButtonStyle(2), static_cast<UINT>(TBBS_BUTTON));
  EXPECT_EQ(bar.GetItemID(2), static_cast<UINT>(kPrint));
  EXPECT_EQ(bar.GetItemID(4), static_cast<UINT>(kPrint));
  TBBUTTON raw = {};
  ASSERT_TRUE(bar.SendMessage(TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&raw)));
  EXPECT_EQ(raw.fsState & (TBSTATE_ENABLED | TBSTATE_CHECKED), TBSTATE_CHECKED);
  // Changing an id by index leaves the twin alone.
  bar.SetButtonInfo(4, kSave + 1, TBBS_BUTTON, 3);
  EXPECT_EQ(bar.GetItemID(4), static_cast<UINT>(kSave + 1));
  EXPECT_EQ(bar.CommandToIndex(kPrint), 2);

  EXPECT_TRUE(bar.SetButtonText(0, _T("Open")));
  EXPECT_EQ(std::basic_string<TCHAR>(bar.GetButtonText(0)), _T("Open"));
  EXPECT_EQ(std::basic_string<TCHAR>(bar.GetButtonText(42)), _T(""));

  // Rectangles are the control's; the bar's own length is their sum.
  bar.SetButtonText(0, _T(""));
  CRect first, second;
  bar.GetItemRect(0, &first);
  bar.GetItemRect(2, &second);
  EXPECT_GT(first.Width(), 0);
  EXPECT_GE(second.left, first.right);
  CRect none(1, 1, 2, 2);
  bar.GetItemRect(17, &none);
  EXPECT_TRUE(none.IsRectNull());
  CSize fixed = bar.CalcFixedLayout(FALSE, TRUE);
  CRect last;
  bar.GetItemRect(4, &last);
  EXPECT_EQ(fixed.cx, last.right - first.left);
  EXPECT_EQ(fixed.cy, first.Height() + 1);  // CBRS_TOP has a bottom border
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cx, 32767);

  frame->DestroyWindow();
}

TEST(ToolBar, DropDownButtonTellsTheFrameWhichCommand) {
  TestFrame* frame = TestFrame::Make(400, 300);
  ASSERT_NE(frame, nullptr);
  CToolBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(bar.SetButtons(kButtons, 4));
  bar.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
  CRect plain;
  bar.GetItemRect(2, &plain);
  bar.SetButtonStyle(2, TBBS_DROPDOWN);
  EXPECT_EQ(bar.GetButtonStyle(2), static_cast<UINT>(TBBS_DROPDOWN));
  frame->RecalcLayout();
  CRect dropDown;
  bar.GetItemRect(2, &dropDown);
  EXPECT_GT(dropDown.Width(), plain.Width());  // the arrow has a part of its own

  // A press on the arrow part reaches the frame's handler with the button's command.
  const LPARAM arrow = MAKELPARAM(dropDown.right - 3, dropDown.top + dropDown.Height() / 2);
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  bar.SendMessage(WM_LBUTTONUP, 0, arrow);
  testing_support::PumpMessages();
  ASSERT_EQ(frame->droppedDown.size(), 1u);
  EXPECT_EQ(frame->droppedDown[0], static_cast<int>(kPrint));
  frame->DestroyWindow();
}

TEST(ToolBar, IdleUpdateSetsOnlyTheStatesThatDiffer) {
  TestFrame* frame = TestFrame::Make(400, 300);
  ASSERT_NE(frame, nullptr);
  OwnHandlerBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(bar.SetButtons(kButtons, 4));  // open, separator, print, save
  frame->ShowWindow(SW_SHOWNOACTIVATE);

  // First pass: open stays enabled (no message), print gets checked, save is disabled by the
  // bar's own handler although the frame has no handler for it either.
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(bar.GetButtonStyle(0), static_cast<UINT>(TBBS_BUTTON));
  EXPECT_EQ(bar.GetButtonStyle(2), static_cast<UINT>(TBBS_BUTTON));
  EXPECT_EQ(bar.GetButtonStyle(3), static_cast<UINT>(TBBS_DISABLED));

  testing_support::SubclassedControl logged(bar.m_hWnd);
  Recorder().UnwatchAll();
  Recorder().Watch(bar.m_hWnd);
  // Reading buttons is not a change; the sequences speak of what is written.
  Recorder().Ignore(TB_BUTTONCOUNT);
  Recorder().Ignore(TB_GETBUTTON);
  Recorder().Ignore(WM_PAINT);
  Recorder().Ignore(WM_ERASEBKGND);
  Recorder().Ignore(WM_NCPAINT);

  // Idle update with nothing changed: the control is told nothing.
  Recorder().Reset();
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  Recorder().Pump();
  static const ExpectedMsg kNothing[] = {
      {WM_IDLEUPDATECMDUI, testing_support::kSent, 0, 0},
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(kNothing));

  // The frame now checks print and disables open: exactly two buttons are written, by index.
  frame->checkPrint = 1;
  frame->enableOpen = FALSE;
  Recorder().Reset();
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  Recorder().Pump();
  static const ExpectedMsg kTwo[] = {
      {WM_IDLEUPDATECMDUI, testing_support::kSent, 0, 0},
      {TB_SETBUTTONINFO, testing_support::kSent | testing_support::kWparam, 0, 0},  // open disabled
      {TB_SETBUTTONINFO, testing_support::kSent | testing_support::kWparam, 2, 0},  // print checked
      {0, 0, 0, 0},
  };
  EXPECT_TRUE(Recorder().Matches(kTwo));
  EXPECT_EQ(bar.GetButtonStyle(0), static_cast<UINT>(TBBS_DISABLED));
  EXPECT_EQ(bar.GetButtonStyle(2), static_cast<UINT>(TBBS_CHECKBOX | TBBS_CHECKED));

  // Unchecked again: the check goes, the check-box style stays.
  frame->checkPrint = 0;
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(bar.GetButtonStyle(2), static_cast<UINT>(TBBS_CHECKBOX));
  Recorder().Unignore(TB_BUTTONCOUNT);
  Recorder().Unignore(TB_GETBUTTON);
  Recorder().Unignore(WM_PAINT);
  Recorder().Unignore(WM_ERASEBKGND);
  Recorder().Unignore(WM_NCPAINT);
  Recorder().UnwatchAll();
  frame->DestroyWindow();
}

TEST(FrameBars, ToolbarsAndDialogBarTakeTheFramesSidesOnResize) {
  TestFrame* frame = TestFrame::Make(400, 300);
  ASSERT_NE(frame, nullptr);
  CToolBar top, left;
  CDialogBar bottom;
  ASSERT_TRUE(top.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR));
  ASSERT_TRUE(top.SetButtons(kButtons, 4));
  ASSERT_TRUE(bottom.Create(frame, 200, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_DIALOGBAR));
  ASSERT_TRUE(left.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_LEFT, CRect(0, 0, 0, 0),
                            AFX_IDW_TOOLBAR + 1));
  ASSERT_TRUE(left.SetButtons(kButtons, 3));
  CWnd pane;
  ASSERT_TRUE(pane.Create(NULL, _T("pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST));
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DIALOGBAR), &bottom);
  EXPECT_EQ(bottom.GetDlgCtrlID(), AFX_IDW_DIALOGBAR);
  const CSize dialog = bottom.GetDefaultSize();
  ASSERT_GT(dialog.cy, 0);

  CRect button;
  top.GetItemRect(0, &button);
  const int topHeight = button.Height() + 1;  // bottom border
  CRect leftButton;
  left.GetItemRect(0, &leftButton);
  const int leftWidth = leftButton.Width() + 1;  // right border
  const int bottomHeight = dialog.cy + 1;        // top border

  for (const CSize outer : {CSize(420, 310), CSize(600, 260), CSize(300, 420)}) {
    frame->MoveWindow(0, 0, outer.cx, outer.cy);
    CRect c;
    frame->GetClientRect(&c);
    SCOPED_TRACE(testing::Message() << "client " << c.right << "x" << c.bottom);
    EXPECT_EQ(RectIn(frame, &top), Text(CRect(0, 0, c.right, topHeight)));
    EXPECT_EQ(RectIn(frame, &bottom), Text(CRect(0, c.bottom - bottomHeight, c.right, c.bottom)));
    EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, topHeight, leftWidth, c.bottom - bottomHeight)));
    EXPECT_EQ(RectIn(frame, &pane), Text(CRect(leftWidth, topHeight, c.right, c.bottom - bottomHeight)));
  }

  // The bar's menu item is checked while it shows and hides it; the layout follows.
  CheckProbe probe;
  probe.m_nID = AFX_IDW_TOOLBAR;
  EXPECT_TRUE(frame->OnCmdMsg(AFX_IDW_TOOLBAR, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
  EXPECT_EQ(probe.checked, 1);
  frame->SendMessage(WM_COMMAND, AFX_IDW_TOOLBAR);
  EXPECT_FALSE(top.IsWindowVisible());
  CRect c;
  frame->GetClientRect(&c);
  EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, 0, leftWidth, c.bottom - bottomHeight)));
  EXPECT_TRUE(frame->OnCmdMsg(AFX_IDW_TOOLBAR, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
  EXPECT_EQ(probe.checked, 0);

  // A delayed layout waits for idle time.
  frame->ShowControlBar(&top, TRUE, TRUE);
  frame->DelayRecalcLayout();
  EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, 0, leftWidth, c.bottom - bottomHeight)));
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(RectIn(frame, &left), Text(CRect(0, topHeight, leftWidth, c.bottom - bottomHeight)));

  // Ids that are no bar's are left to others.
  probe.m_nID = AFX_IDW_TOOLBAR + 7;
  EXPECT_FALSE(frame->OnCmdMsg(AFX_IDW_TOOLBAR + 7, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, NULL));
  frame->DestroyWindow();
}

TEST(FrameBars, PromptsAndTooltipsComeFromTheCommandStrings) {
  TestFrame* frame = TestFrame::Make(400, 300);
  ASSERT_NE(frame, nullptr);
  CStatusBarCtrl status;
  ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_STATUS_BAR));
  CToolBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
  const UINT ids[] = {kOpen, kPromptOnly, kPrint};
  ASSERT_TRUE(bar.SetButtons(ids, 3));
  frame->ShowWindow(SW_SHOWNOACTIVATE);
  frame->RecalcLayout();

  auto statusText = [&] { return std::basic_string<TCHAR>(status.GetText(0)); };
  frame->SetMessageText(kOpen);
  EXPECT_EQ(statusText(), _T("Open a report"));
  frame->SetMessageText(_T("free text"));
  EXPECT_EQ(statusText(), _T("free text"));
  EXPECT_EQ(frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE), 0);  // the id shown before
  EXPECT_EQ(statusText(), _T("Ready"));
  CString prompt;
  frame->GetMessageString(kPromptOnly, prompt);
  EXPECT_EQ(std::basic_string<TCHAR>(prompt), _T("Only a prompt"));
  frame->GetMessageString(4711, prompt);
  EXPECT_TRUE(prompt.IsEmpty());

  // The mouse over a button: the flyby prompt, and the tooltip the frame gives the
  // framework's tooltip control through the bar.
  CRect r;
  bar.GetItemRect(2, &r);
  MSG move = {bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 3, r.top + 3), static_cast<DWORD>(::GetMessageTime()), {}};
  move.pt = r.TopLeft() + CPoint(3, 3);
  bar.ClientToScreen(&move.pt);
  bar.PreTranslateMessage(&move);
  EXPECT_EQ(statusText(), _T("Print the report"));
  CWnd* tip = AfxGetThreadState()->m_pToolTip;
  ASSERT_NE(tip, nullptr);
  TCHAR text[80] = {};
  TOOLINFO ti = {};
  ti.cbSize = sizeof ti;
  ti.hwnd = bar.m_hWnd;
  ti.uId = kPrint;
  ti.lpszText = text;
  tip->SendMessage(TTM_GETTEXT, _countof(text), reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(std::basic_string<TCHAR>(text), _T("Print"));

  // A button whose string has no tooltip part gives an empty tip.
  bar.GetItemRect(1, &r);
  move.pt = r.TopLeft() + CPoint(3, 3);
  bar.ClientToScreen(&move.pt);
  bar.PreTranslateMessage(&move);
  EXPECT_EQ(statusText(), _T("Only a prompt"));
  text[0] = _T('x');
  ti.uId = kPromptOnly;
  tip->SendMessage(TTM_GETTEXT, _countof(text), reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(std::basic_string<TCHAR>(text), _T(""));

  // Off the buttons: the idle prompt.
  CRect client;
  bar.GetClientRect(&client);
  move.pt = CPoint(client.right - 2, client.top + 2);
  bar.ClientToScreen(&move.pt);
  bar.PreTranslateMessage(&move);
  EXPECT_EQ(statusText(), _T("Ready"));
  frame->DestroyWindow();
}

}  // namespace
