// The form view: a child dialog from a template as a view, its total size, the data of its
// controls at the initial update, and its lifetime.
#include <gtest/gtest.h>

#include <framework.h>

#include <string>

#include "test_support.h"

using testing_support::PumpMessages;
using testing_support::RectInParent;

namespace {

class TestForm : public CFormView {
 public:
  explicit TestForm(UINT id, bool* gone = nullptr) : CFormView(id), m_gone(gone) {}
  ~TestForm() override {
    if (m_gone) *m_gone = true;
  }
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 201, name); }
  CString name = _T("North region");

 private:
  bool* m_gone;
};

class FormHost : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Forms"), WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, 0));
  }
  void TearDown() override {
    if (parent.m_hWnd) parent.DestroyWindow();
  }
  CWnd parent;
};

TEST_F(FormHost, TheTemplateBecomesAChildViewWithItsControls) {
  bool gone = false;
  for (UINT id : {200u, 210u}) {
    auto* form = new TestForm(id, &gone);
    ASSERT_TRUE(form->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(10, 20, 310, 220), &parent, 0xE900)) << id;
    HWND h = form->m_hWnd;
    EXPECT_EQ(::GetParent(h), parent.m_hWnd) << id;
    EXPECT_EQ(::GetDlgCtrlID(h), 0xE900) << id;
    const LONG style = ::GetWindowLong(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD) << id;
    EXPECT_TRUE(style & WS_VISIBLE) << id;
    EXPECT_FALSE(style & (WS_POPUP | WS_CAPTION)) << id;
    EXPECT_EQ(RectInParent(parent.m_hWnd, h), "10,20,310,220") << id;
    EXPECT_NE(::GetDlgItem(h, 202), static_cast<HWND>(NULL)) << id;
    // The total size is the template's, in pixels.
    RECT units = {0, 0, id == 200 ? 160 : 100, id == 200 ? 80 : 50};
    ::MapDialogRect(h, &units);
    EXPECT_EQ(form->GetTotalSize(), CSize(units.right, units.bottom)) << id;
    EXPECT_EQ(CWnd::FromHandlePermanent(h), form) << id;
    form->DestroyWindow();  // the view deletes itself
    EXPECT_TRUE(gone) << id;
    gone = false;
  }
}

TEST_F(FormHost, TheInitialUpdateGivesTheControlsTheirData) {
  auto* form = new TestForm(200);
  ASSERT_TRUE(form->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1));
  form->SendMessage(WM_INITIALUPDATE);
  TCHAR text[64] = {0};
  ::GetDlgItemText(form->m_hWnd, 201, text, 63);
  EXPECT_STREQ(text, _T("North region"));
  ::SetDlgItemText(form->m_hWnd, 201, _T("South"));
  EXPECT_TRUE(form->UpdateData(TRUE));
  EXPECT_TRUE(form->name == _T("South"));
  parent.DestroyWindow();  // takes the view with it
}

TEST_F(FormHost, AMissingTemplateMakesNoWindowAndLeavesTheObject) {
  bool gone = false;
  auto* form = new TestForm(299, &gone);
  EXPECT_FALSE(form->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
  EXPECT_EQ(form->m_hWnd, static_cast<HWND>(NULL));
  EXPECT_FALSE(gone);
  delete form;
}

}  // namespace
