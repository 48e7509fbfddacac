// CDialog: modal runs from in-memory templates ended from timers, modeless dialogs, data
// exchange round trips and validation failures.
#include <framework.h>
#include <gtest/gtest.h>

#include "dialog_template.h"
#include "test_support.h"

namespace {

enum { IDC_NAME = 100, IDC_COUNT = 101, IDC_CHECK = 102, IDC_RADIO1 = 103, IDC_RADIO2 = 104, IDC_RADIO3 = 105 };

DialogTemplate FormTemplate() {
  DialogTemplate t(L"Form", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 120);
  t.Add(0x0081, IDC_NAME, L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 5, 5, 100, 12)
      .Add(0x0081, IDC_COUNT, L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 5, 20, 100, 12)
      .Add(0x0080, IDC_CHECK, L"Check", BS_AUTO3STATE | WS_TABSTOP, 5, 35, 60, 10)
      .Add(0x0080, IDC_RADIO1, L"One", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 50, 50, 10)
      .Add(0x0080, IDC_RADIO2, L"Two", BS_AUTORADIOBUTTON, 5, 62, 50, 10)
      .Add(0x0080, IDC_RADIO3, L"Three", BS_AUTORADIOBUTTON, 5, 74, 50, 10)
      .Add(0x0080, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 140, 5, 50, 14)
      .Add(0x0080, IDCANCEL, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 140, 22, 50, 14);
  return t;
}

class FormDialog : public CDialog {
 public:
  CString m_name;
  int m_count = 0;
  int m_check = BST_UNCHECKED;
  int m_radio = -1;
  int m_initCalls = 0;
  int m_endAfterTimer = 0;  // the modal result a timer ends the run with (0: no timer)
  bool m_throwInInit = false;
  bool m_okFromTimer = false;

  BOOL OnInitDialog() override {
    ++m_initCalls;
    if (m_throwInInit) AfxThrowResourceException();
    BOOL r = CDialog::OnInitDialog();
    if (m_endAfterTimer != 0 || m_okFromTimer) SetTimer(1, 10);
    return r;
  }

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, m_name);
    DDV_MaxChars(pDX, m_name, 20);
    DDX_Text(pDX, IDC_COUNT, m_count);
    DDV_MinMaxInt(pDX, m_count, 0, 1000);
    DDX_Check(pDX, IDC_CHECK, m_check);
    DDX_Radio(pDX, IDC_RADIO1, m_radio);
  }

  afx_msg void OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (m_okFromTimer) {
      // Enter with a value that does not validate: the dialog must stay; then cancel.
      m_okFromTimer = false;
      SendMessage(WM_COMMAND, IDOK);
      // The run may not have shown the dialog yet (it shows it when the queue first runs
      // dry): what matters is that the window lives on and the run goes on.
      stayedAfterBadOk = ::IsWindow(m_hWnd) && ContinueModal();
      EndDialog(IDCANCEL);
      return;
    }
    EndDialog(m_endAfterTimer);
  }
  bool stayedAfterBadOk = false;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

int messageBoxes = 0;
int CALLBACK CountMessageBox(LPCTSTR, UINT, UINT) {
  ++messageBoxes;
  return IDOK;
}

class MessageBoxCounter {
 public:
  MessageBoxCounter() : m_old(AfxSetMessageBoxHook(CountMessageBox)) { messageBoxes = 0; }
  ~MessageBoxCounter() { AfxSetMessageBoxHook(m_old); }
 private:
  AFX_MESSAGEBOX_HOOK m_old;
};

TEST(CDialogModal, RunsFromAnInMemoryTemplateAndEndsFromATimer) {
  DialogTemplate t = FormTemplate();
  FormDialog dlg;
  dlg.m_name = _T("alpha");
  dlg.m_endAfterTimer = 42;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get()));
  EXPECT_EQ(dlg.DoModal(), 42);
  EXPECT_EQ(dlg.m_initCalls, 1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_name, CString(_T("alpha")));
}

TEST(CDialogModal, TheOwnerIsDisabledDuringTheRunAndEnabledAfter) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
  DialogTemplate t = FormTemplate();

  struct Probe : FormDialog {
    CWnd* owner = nullptr;
    BOOL ownerEnabledInside = TRUE;
    HWND parentInside = NULL;
    BOOL OnInitDialog() override {
      ownerEnabledInside = owner->IsWindowEnabled();
      parentInside = ::GetWindow(m_hWnd, GW_OWNER);
      return FormDialog::OnInitDialog();
    }
  } dlg;
  dlg.owner = &owner;
  dlg.m_endAfterTimer = IDOK;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get(), &owner));
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(dlg.ownerEnabledInside);
  EXPECT_EQ(dlg.parentInside, owner.m_hWnd);
  EXPECT_TRUE(owner.IsWindowEnabled());
  owner.DestroyWindow();
}

TEST(CDialogModal, BadInputFailsClearly) {
  CDialog none;
  EXPECT_EQ(none.DoModal(), -1);  // no template at all
  EXPECT_FALSE(none.InitModalIndirect((LPCDLGTEMPLATE)NULL));
  CDialog missing(54321);
  EXPECT_EQ(missing.DoModal(), -1);  // no such resource
  EXPECT_FALSE(missing.Create(54321));
}

TEST(CDialogModal, ATemplateWithAnUnknownControlClassFails) {
  DialogTemplate t(L"Broken", WS_POPUP | WS_CAPTION, 100, 50);
  t.Add(L"NoSuchWindowClass", 300, L"", 0, 5, 5, 20, 10);
  FormDialog dlg;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get()));
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  FormDialog modeless;
  EXPECT_FALSE(modeless.CreateIndirect(t.get()));
  EXPECT_EQ(modeless.m_hWnd, nullptr);
}

TEST(CDialogModal, AnExceptionInInitialisationEndsTheRunWithMinusOne) {
  DialogTemplate t = FormTemplate();
  FormDialog dlg;
  dlg.m_throwInInit = true;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get()));
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(CDialogModal, OkThatDoesNotValidateKeepsTheDialogOpen) {
  MessageBoxCounter boxes;
  DialogTemplate t = FormTemplate();
  FormDialog dlg;
  dlg.m_count = 5000;  // outside 0..1000
  dlg.m_okFromTimer = true;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get()));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(dlg.stayedAfterBadOk);
  EXPECT_EQ(messageBoxes, 1);
}

// ---------------------------------------------------------------------------------------
// Modeless dialogs and data exchange

class ModelessForm : public ::testing::Test {
 protected:
  void SetUp() override {
    tmpl = FormTemplate();
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.get()));
  }
  void TearDown() override {
    if (dlg.m_hWnd != NULL) dlg.DestroyWindow();
    FwDeleteTempMaps();
  }
  CString Text(int id) {
    CString s;
    dlg.GetDlgItemText(id, s);
    return s;
  }
  DialogTemplate tmpl{L"", 0, 0, 0};
  FormDialog dlg;
};

TEST_F(ModelessForm, IsBoundAndHasItsControls) {
  ASSERT_NE(dlg.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
  EXPECT_EQ(dlg.m_initCalls, 1);
  EXPECT_NE(::GetDlgItem(dlg.m_hWnd, IDC_RADIO3), nullptr);
  HWND h = dlg.m_hWnd;
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(ModelessForm, DataExchangeRoundTrips) {
  dlg.m_name = _T("Grid export");
  dlg.m_count = -17;
  dlg.m_check = BST_INDETERMINATE;
  dlg.m_radio = 2;
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(Text(IDC_NAME), CString(_T("Grid export")));
  EXPECT_EQ(Text(IDC_COUNT), CString(_T("-17")));
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK), (UINT)BST_INDETERMINATE);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO3), (UINT)BST_CHECKED);
  EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO1), (UINT)BST_UNCHECKED);

  dlg.SetDlgItemText(IDC_NAME, _T("Changed"));
  dlg.SetDlgItemText(IDC_COUNT, _T(" 250 "));
  dlg.CheckDlgButton(IDC_CHECK, BST_CHECKED);
  dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_name, CString(_T("Changed")));
  EXPECT_EQ(dlg.m_count, 250);
  EXPECT_EQ(dlg.m_check, BST_CHECKED);
  EXPECT_EQ(dlg.m_radio, 0);

  dlg.CheckDlgButton(IDC_RADIO1, BST_UNCHECKED);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_radio, -1);  // none checked
}

TEST_F(ModelessForm, TextThatDoesNotParseFailsAndLosesNothing) {
  MessageBoxCounter boxes;
  dlg.m_name = _T("kept");
  dlg.m_count = 7;
  const TCHAR* bad[] = {_T("12abc"), _T(""), _T("99999999999"), _T("--3"), _T("4 5")};
  for (const TCHAR* text : bad) {
    dlg.SetDlgItemText(IDC_NAME, _T("typed"));
    dlg.SetDlgItemText(IDC_COUNT, text);
    EXPECT_FALSE(dlg.UpdateData(TRUE)) << text;
    EXPECT_EQ(dlg.m_count, 7) << text;
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_COUNT)) << text;
  }
  EXPECT_EQ(messageBoxes, (int)(sizeof bad / sizeof bad[0]));
  // The exchange stopped at the failing control; the members before it were saved.
  EXPECT_EQ(dlg.m_name, CString(_T("typed")));
}

TEST_F(ModelessForm, ValidationLimitsAreEnforced) {
  MessageBoxCounter boxes;
  dlg.SetDlgItemText(IDC_NAME, _T("this name is far longer than twenty"));
  dlg.SetDlgItemText(IDC_COUNT, _T("1"));
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(messageBoxes, 1);
  dlg.SetDlgItemText(IDC_NAME, _T("short"));
  dlg.SetDlgItemText(IDC_COUNT, _T("1001"));
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  dlg.SetDlgItemText(IDC_COUNT, _T("1000"));
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(messageBoxes, 2);
  // Loading sets the edit's limit.
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(::SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, EM_GETLIMITTEXT, 0, 0), 20);
}

TEST_F(ModelessForm, DdxControlBindsOnceAndAMissingControlFails) {
  struct Binder : CDialog {
    CEdit edit;
    int id = IDC_NAME;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, id, edit); }
  } binder;
  ASSERT_TRUE(binder.CreateIndirect(tmpl.get()));
  EXPECT_EQ(binder.edit.m_hWnd, ::GetDlgItem(binder.m_hWnd, IDC_NAME));
  EXPECT_EQ(CWnd::FromHandlePermanent(binder.edit.m_hWnd), &binder.edit);
  EXPECT_TRUE(binder.UpdateData(TRUE));  // already bound: left alone

  MessageBoxCounter boxes;
  struct Missing : CDialog {
    int value = 3;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 999, value); }
  } missing;
  // OnInitDialog's UpdateData(FALSE) fails: the dialog ends itself, creation still made it.
  ASSERT_TRUE(missing.CreateIndirect(tmpl.get()));
  EXPECT_FALSE(missing.UpdateData(FALSE));
  missing.DestroyWindow();
  binder.DestroyWindow();
}

TEST_F(ModelessForm, EscapeThroughTheMessagePumpReachesOnCancel) {
  struct Cancelling : CDialog {
    int cancels = 0;
    void OnCancel() override { ++cancels; }
  } d;
  ASSERT_TRUE(d.CreateIndirect(tmpl.get()));
  d.ShowWindow(SW_SHOW);
  ::SetFocus(::GetDlgItem(d.m_hWnd, IDC_NAME));
  MSG msg = {};
  msg.hwnd = ::GetFocus();
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_ESCAPE;
  ASSERT_TRUE(d.PreTranslateMessage(&msg));  // the dialog manager took the key
  testing_support::PumpMessages();
  EXPECT_EQ(d.cancels, 1);
  d.DestroyWindow();
}

}  // namespace
