// The server-timeout dialog, the colour dialog through its hook and the folder picker, each run
// modally and ended from a timer.
#include <QvColorDlg.h>
#include <QvGetDirDlg.h>
#include <TrelTimeoutDlg.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "test_support.h"
#include "while_shown.h"
#include "window_text.h"

using testing_support::DialogDriver;
using testing_support::WhileShown;

namespace {

class TimeoutApp : public CWinApp {
 public:
  TimeoutApp() : CWinApp(_T("Trel host")) {}
};

TEST(TrelTimeoutDlg, RetryAnswersThreeAndCancelCancels) {
  TimeoutApp app;
  struct Case {
    int button;
    INT_PTR result;
  };
  for (const Case& c : {Case{CTrelTimeoutDlg::kRetryId, 3}, Case{IDCANCEL, IDCANCEL}}) {
    CTrelTimeoutDlg dlg(_T("mail.example"));
    WhileShown run(dlg, [&] {
      EXPECT_EQ(TextOf(dlg.m_hWnd), L"Trel host");
      EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, CTrelTimeoutDlg::kMessageId)), L"The server mail.example does not answer.");
      EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, CTrelTimeoutDlg::kRetryId)), L"&Try again");
      EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDCANCEL)), L"&Give up");
      EXPECT_EQ(dlg.m_nIDHelp, 300u);
      ::PostMessage(::GetDlgItem(dlg.m_hWnd, c.button), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dlg.DoModal(), c.result);
    EXPECT_TRUE(run.ran);
  }
}

// The framework's hook as each dialog keeps it: records which dialog object a message reached.
std::vector<std::pair<char, UINT>> g_reached;
UINT_PTR CALLBACK HookOfA(HWND, UINT msg, WPARAM, LPARAM) {
  g_reached.push_back({'A', msg});
  return msg == WM_INITDIALOG;
}
UINT_PTR CALLBACK HookOfB(HWND, UINT msg, WPARAM, LPARAM) {
  g_reached.push_back({'B', msg});
  return msg == WM_INITDIALOG;
}

class RecordingColorDlg : public CQvColorDlg {
 public:
  RecordingColorDlg(COLORREF initial, LPCCHOOKPROC kept)
      : CQvColorDlg(initial, CC_FULLOPEN, NULL, NULL, &CQvColorDlg::MFCColorHookProc) {
    m_pfnFrameworkHook = kept;
  }
};

const UINT kProbe = WM_APP + 17;

bool Reached(char who) {
  for (const auto& r : g_reached)
    if (r.second == kProbe) return r.first == who;
  return false;
}

TEST(QvColorDlg, OKThroughTheHookAnswersTheColourAndANestedDialogKeepsItsOwnObject) {
  g_reached.clear();
  HWND outer = NULL;
  auto inner = std::make_unique<RecordingColorDlg>(RGB(1, 2, 3), &HookOfB);
  RecordingColorDlg a(RGB(10, 20, 30), &HookOfA);
  DialogDriver driver({
      {IDOK,
       [&](HWND h) {
         outer = h;
         // A second colour dialog inside the first: it ends, its object goes.
         EXPECT_EQ(inner->DoModal(), IDOK);
         EXPECT_EQ(inner->GetColor(), RGB(1, 2, 3));
         inner.reset();
         g_reached.clear();
         ::SendMessage(outer, kProbe, 0, 0);
         EXPECT_TRUE(Reached('A')) << "after the nested dialog, the first one's messages reach its own object";
         DialogDriver::Press(h, IDOK);
       }},
      {IDOK, [](HWND h) { DialogDriver::Press(h, IDOK); }},
  });
  EXPECT_EQ(a.DoModal(), IDOK);
  EXPECT_EQ(driver.done(), 2u);
  EXPECT_EQ(a.GetColor(), RGB(10, 20, 30));
  // The first dialog's window is gone: a message to any window of that handle reaches nobody.
  g_reached.clear();
  EXPECT_EQ(CQvColorDlg::MFCColorHookProc(outer, kProbe, 0, 0), 0u);
  EXPECT_TRUE(g_reached.empty());
}

TEST(QvGetDirDlg, OKKeepsTheChosenFolderAndCancelLeavesItAsItWas) {
  TCHAR windows[MAX_PATH] = {};
  ::GetWindowsDirectory(windows, MAX_PATH);
  CString folder = windows;
  CQvGetDirDlg dlg(folder, _T("Choose the folder"), NULL);
  CString chosen = _T("unchanged");
  dlg.GetFolderName(chosen);
  EXPECT_TRUE(chosen.IsEmpty());
  {
    DialogDriver driver({{IDOK, [](HWND h) { DialogDriver::Press(h, IDOK); }}});
    EXPECT_EQ(dlg.DoModal(), IDOK);
  }
  dlg.GetFolderName(chosen);
  EXPECT_EQ(chosen.CompareNoCase(folder), 0) << CStringA(chosen).GetString();
  {
    DialogDriver driver({{IDCANCEL, [](HWND h) { DialogDriver::Press(h, IDCANCEL); }}});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  CString after;
  dlg.GetFolderName(after);
  EXPECT_EQ(after, chosen);
}

}  // namespace
