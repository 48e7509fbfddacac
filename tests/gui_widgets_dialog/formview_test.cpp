// Dialog-shaped portable views in their form view, and the system close and tooltips of the
// portable dialogs.
#include <GUIDialog.h>
#include <QvDialog.h>
#include <QvModifier.h>
#include <commctrl.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdialog_ids.h"
#include "test_support.h"

using testing_support::PumpMessages;

namespace {

// What reached the view, as text.
class TestView : public QvDialogView {
 public:
  explicit TestView(bool* gone) : QvDialogView(nullptr), m_gone(gone) {}
  ~TestView() override {
    if (m_gone) *m_gone = true;
  }
  void OnInitView() override { log.push_back("init"); }
  void OnTerminate() override { log.push_back("terminate"); }
  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code >= 300) log.push_back("control " + std::to_string(n.m_controlID) + " " + std::to_string(n.m_code));
    return true;
  }
  void onMouseDown(const QvPoint& p, const QvModifier& m) override { Mouse("left", p, m); }
  void onRightMouseDown(const QvPoint& p, const QvModifier& m) override { Mouse("right", p, m); }
  std::vector<std::string> log;

 private:
  void Mouse(const char* button, const QvPoint& p, const QvModifier& m) {
    log.push_back(std::string(button) + " " + std::to_string(p.x) + "," + std::to_string(p.y) + (m.IsCtrl() ? " ctrl" : "") +
                  (m.IsShift() ? " shift" : "") + (m.IsRightButton() ? " right" : ""));
  }
  bool* m_gone;
};

class FormView : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Forms"), WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, 0));
    view = new TestView(&viewGone);
    form = new CGUIFormView(IDD_FORM);
    ASSERT_TRUE(form->Create(view, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 300, 200), &parent, 1));
  }
  void TearDown() override {
    if (parent.m_hWnd) parent.DestroyWindow();
  }
  CWnd parent;
  TestView* view = nullptr;
  CGUIFormView* form = nullptr;
  bool viewGone = false;
};

TEST_F(FormView, HandsItsInitialisationControlsAndClicksToTheView) {
  EXPECT_EQ(form->GetKernelView(), view);
  EXPECT_EQ(view->GetMFCCWnd(), form);
  EXPECT_EQ(GUIGetQvGUIContainer(form), view);
  EXPECT_FALSE(::GetWindowLong(form->m_hWnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  form->SendMessage(WM_INITIALUPDATE);
  HWND apply = ::GetDlgItem(form->m_hWnd, IDC_APPLY);
  ::SendMessage(apply, BM_CLICK, 0, 0);
  HWND level = ::GetDlgItem(form->m_hWnd, IDC_LEVEL);
  form->SendMessage(WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(level));
  form->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(12, 7));
  form->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(30, 40));
  PumpMessages();
  EXPECT_EQ(view->log, (std::vector<std::string>{"init", "control 20 300", "control 21 1200", "left 12,7 ctrl",
                                                 "right 30,40 shift right"}));
}

TEST_F(FormView, TheViewEndsWithItsWindow) {
  parent.DestroyWindow();
  EXPECT_TRUE(viewGone);  // the form view deleted it (and itself)
}

TEST_F(FormView, AViewDeletedFirstIsForgottenByItsWindow) {
  delete view;
  EXPECT_TRUE(viewGone);
  EXPECT_EQ(form->GetKernelView(), nullptr);
  EXPECT_EQ(GUIGetQvGUIContainer(form), nullptr);
  ::SendMessage(::GetDlgItem(form->m_hWnd, IDC_APPLY), BM_CLICK, 0, 0);  // reaches no view
  form->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  parent.DestroyWindow();
}

// A modeless portable dialog whose system close the application may refuse.
class ClosingDialog : public QvDialog {
 public:
  ClosingDialog() : QvDialog(nullptr, nullptr, false, false) { SetDialogID(IDD_PORTABLE); }
  bool OnInit() override { return true; }
  bool OnSystemClose() override { return mayClose; }
  bool OnControlNotification(QvControlNotification& n) override {
    if (n.m_code >= 300) seen.push_back(n.m_controlID);
    return true;
  }
  bool mayClose = false;
  std::vector<unsigned short> seen;
};

TEST(PortableDialogWindow, TheSystemCloseAsksTheDialog) {
  ClosingDialog dialog;
  ASSERT_EQ(dialog.Run(), 0);
  HWND dlg = dialog.GetMFCCWnd()->m_hWnd;
  ::ShowWindow(dlg, SW_SHOW);
  ::SendMessage(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_TRUE(dialog.seen.empty());  // refused: no cancel command
  dialog.mayClose = true;
  ::SendMessage(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_EQ(dialog.seen, std::vector<unsigned short>{IDCANCEL});
}

TEST(PortableDialogWindow, TheDefaultAndCancelPushButtonsAreTheDialogs) {
  ClosingDialog dialog;
  ASSERT_EQ(dialog.Run(), 0);
  CGUIDialog* window = dialog.GetPlatformDialog();
  ::ShowWindow(window->m_hWnd, SW_SHOW);
  dialog.SetDefaultPushButton(IDC_FINISH);
  EXPECT_EQ(LOWORD(window->GetDefID()), IDC_FINISH);
  dialog.SetCancelPushButton(IDC_CLOSE);
  EXPECT_EQ(window->GetCancelPushButton(), IDC_CLOSE);
  ::SendMessage(window->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(dialog.seen, std::vector<unsigned short>{IDC_CLOSE});
}

class WaitApp : public CWinApp {
 public:
  WaitApp() : CWinApp(_T("PDialogWait")) {}
};

TEST(PortableDialogWindow, ShowingTheDialogEndsTheWaitCursorAndAWaitCursorStaysOverIt) {
  WaitApp app;
  for (int i = 0; i < 3; ++i) app.DoWaitCursor(1);
  ClosingDialog dialog;
  ASSERT_EQ(dialog.Run(), 0);
  HWND dlg = dialog.GetMFCCWnd()->m_hWnd;
  EXPECT_EQ(app.m_nWaitCursorCount, 3);  // not shown yet
  ::ShowWindow(dlg, SW_SHOW);
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_ARROW));

  // While the wait cursor is up, the dialog leaves it alone.
  HCURSOR wait = ::LoadCursor(NULL, IDC_WAIT);
  ::SetCursor(wait);
  EXPECT_EQ(::SendMessage(dlg, WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), FALSE);
  EXPECT_EQ(::GetCursor(), wait);
  ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
}

TEST(PortableDialogWindow, TheDialogIconIsItsBigIconAndItsDragIcon) {
  ClosingDialog dialog;
  ASSERT_EQ(dialog.Run(), 0);
  HWND dlg = dialog.GetMFCCWnd()->m_hWnd;
  EXPECT_EQ(::SendMessage(dlg, WM_QUERYDRAGICON, 0, 0), 0);  // no icon and no main window
  dialog.SetDialogIconID(IDI_DIALOG);
  const LRESULT big = ::SendMessage(dlg, WM_GETICON, ICON_BIG, 0);
  EXPECT_NE(big, 0);
  EXPECT_EQ(::SendMessage(dlg, WM_QUERYDRAGICON, 0, 0), big);  // the same shared icon
}

TEST(PortableDialogWindow, TooltipsAreMadeOnFirstUseForTheNamedChildren) {
  ClosingDialog dialog;
  ASSERT_EQ(dialog.Run(), 0);
  CGUIDialog* window = dialog.GetPlatformDialog();
  EXPECT_EQ(window->GetTooltipCtrl(), nullptr);
  dialog.SetTooltip(IDC_FINISH, QvString("Ends the dialog"));
  dialog.SetTooltip(IDC_CLOSE, QvString("Closes it"));
  CToolTipCtrl* tips = window->GetTooltipCtrl();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(tips->GetToolCount(), 2);
  CString text;
  tips->GetText(text, window->GetDlgItem(IDC_FINISH));
  EXPECT_TRUE(text == _T("Ends the dialog"));
  dialog.SetTooltip(999, QvString("nobody"));  // no such child: nothing added
  EXPECT_EQ(tips->GetToolCount(), 2);
}

}  // namespace
