// The steps of a dialog's modal run that derived dialogs put together again: finding and
// releasing the template (CModalTemplate) and running the window (CDialog::RunModalWindow).
#include <framework.h>
#include <gtest/gtest.h>

#include "dialog_template.h"

namespace {

DialogTemplate OkTemplate() {
  DialogTemplate t(L"Steps", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 100, 50);
  t.Add(0x0080, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14);
  return t;
}

TEST(CModalTemplate, FindsTheTemplateWhereDoModalLooksAndReleasesWhatItTook) {
  DialogTemplate t = OkTemplate();
  {
    SCOPED_TRACE("a template in memory");
    CDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(t.get()));
    CModalTemplate found(dlg);
    EXPECT_EQ(found.Get(), t.get());
    EXPECT_EQ(found.Instance(), AfxGetResourceHandle());
  }
  {
    SCOPED_TRACE("a template handle: locked while the object lives, unlocked after");
    const size_t bytes = 256;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(h, nullptr);
    memcpy(::GlobalLock(h), t.get(), bytes);
    ::GlobalUnlock(h);
    CDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(h));
    {
      CModalTemplate found(dlg);
      ASSERT_NE(found.Get(), nullptr);
      EXPECT_EQ(memcmp(found.Get(), t.get(), 16), 0);
      EXPECT_EQ(::GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(::GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    ::GlobalFree(h);
  }
  struct Missing {
    const char* what;
    LPCTSTR name;
  };
  for (const Missing& m : {Missing{"no template at all", NULL}, Missing{"a name no module has", _T("NoSuchDialog")},
                           Missing{"an id no module has", MAKEINTRESOURCE(31999)}}) {
    SCOPED_TRACE(m.what);
    CDialog dlg(m.name);
    CModalTemplate found(dlg);
    EXPECT_EQ(found.Get(), nullptr);
  }
}

class StepDialog : public CDialog {
 public:
  bool throwWhileRunning = false;
  int endWith = 0;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (endWith != 0) SetTimer(1, 1, NULL);
    // The loop asks ContinueModal after each message: one is posted so that it asks at all.
    if (throwWhileRunning) PostMessage(WM_NULL);
    return TRUE;
  }
  BOOL ContinueModal() override {
    if (throwWhileRunning) AfxThrowResourceException();
    return CDialog::ContinueModal();
  }
  afx_msg void OnTimer(UINT_PTR id) {
    KillTimer(id);
    EndDialog(endWith);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StepDialog, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(CDialogRunModalWindow, RunsTheLoopAndLeavesTheWindowHiddenForTheCaller) {
  DialogTemplate t = OkTemplate();
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
  StepDialog dlg;
  dlg.endWith = 9;
  dlg.RunModalWindow(t.get(), owner.m_hWnd, NULL);
  EXPECT_EQ(dlg.m_nModalResult, 9);
  ASSERT_NE(dlg.m_hWnd, nullptr);  // the caller destroys it
  EXPECT_FALSE(dlg.IsWindowVisible());
  EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), owner.m_hWnd);
  dlg.DestroyWindow();
  owner.DestroyWindow();
}

TEST(CDialogRunModalWindow, AFrameworkExceptionWhileRunningEndsTheRunWithMinusOne) {
  DialogTemplate t = OkTemplate();
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
  {
    SCOPED_TRACE("the step alone");
    StepDialog dlg;
    dlg.throwWhileRunning = true;
    dlg.RunModalWindow(t.get(), owner.m_hWnd, NULL);
    EXPECT_EQ(dlg.m_nModalResult, -1);
    dlg.throwWhileRunning = false;
    if (dlg.m_hWnd != NULL) dlg.DestroyWindow();
  }
  {
    SCOPED_TRACE("the whole run: the owner is enabled again and the window gone");
    StepDialog dlg;
    dlg.throwWhileRunning = true;
    ASSERT_TRUE(dlg.InitModalIndirect(t.get(), &owner));
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(owner.IsWindowEnabled());
  }
  {
    SCOPED_TRACE("no window could be made: nothing runs");
    StepDialog dlg;
    dlg.RunModalWindow(NULL, owner.m_hWnd, NULL);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
  }
  owner.DestroyWindow();
}

}  // namespace
