// The portable image control: bound by its container to a "QvImageCtrl" child, its check mode,
// and its window replaced by a drawing view, also twice by the same view.
#include <GUIImageCtrl.h>
#include <GUIInitialisations.h>
#include <GUIView.h>
#include <QvGUIContainer.h>
#include <QvImageCtrl.h>
#include <QvView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

enum : unsigned short { kImageId = 12 };

class ImageCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PlatformGUIInitialisations().Succeeded());
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Images"), WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                                400, 300, NULL, NULL));
    container = new QvGUIContainer(nullptr, 0);
    container->SetMFCCWnd(&parent);
    GUISetQvGUIContainer(&parent, container);
    ASSERT_TRUE(CreateWindowExW(0, L"QvImageCtrl", L"", WS_CHILD | WS_VISIBLE, 20, 30, 120, 80, parent.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImageId)), NULL, NULL));
    ASSERT_TRUE(container->GetControlFromID(control, kImageId, 0));
  }
  void TearDown() override {
    GUISetQvGUIContainer(&parent, nullptr);
    delete container;
    if (parent.m_hWnd) parent.DestroyWindow();
    testing_support::PumpMessages();
    PlatformGUIRelease();
  }
  CWnd parent;
  QvGUIContainer* container = nullptr;
  QvImageCtrl* control = nullptr;
};

TEST_F(ImageCtrlTest, ContainerBindsTheImageControlAndItsCheckMode) {
  ASSERT_TRUE(dynamic_cast<CGUIImageCtrl*>(control->GetPlatformControl()));
  control->Check(true);
  EXPECT_FALSE(control->IsChecked()) << "only in check mode";
  control->SetCheckMode(true);
  control->Check(true);
  EXPECT_TRUE(control->IsChecked());
}

// The view window takes the image control's place and id; setting the same view again makes a
// new window for it and keeps the view alive (the old window used to delete it).
TEST_F(ImageCtrlTest, AViewReplacesTheWindowAlsoTwice) {
  QvView* view = new QvView(nullptr, true);
  ASSERT_TRUE(control->SetView(view));
  HWND first = control->GetPlatformWindow();
  ASSERT_TRUE(first);
  EXPECT_EQ(kImageId, ::GetDlgCtrlID(first));
  EXPECT_EQ(first, ::GetDlgItem(parent.m_hWnd, kImageId));
  EXPECT_EQ(view->GetPlatformView()->m_hWnd, first);
  RECT r = {};
  ::GetWindowRect(first, &r);
  ::MapWindowPoints(NULL, parent.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(20, r.left);
  EXPECT_EQ(30, r.top);
  EXPECT_EQ(120, r.right - r.left);

  ASSERT_TRUE(control->SetView(view));
  HWND second = control->GetPlatformWindow();
  ASSERT_TRUE(second);
  EXPECT_FALSE(::IsWindow(first));
  ASSERT_TRUE(view->GetPlatformView()) << "the view lives on in the new window";
  EXPECT_EQ(second, view->GetPlatformView()->m_hWnd);
  EXPECT_EQ(view, view->GetPlatformView()->GetPortableView());
  RECT r2 = {};
  ::GetWindowRect(second, &r2);
  ::MapWindowPoints(NULL, parent.m_hWnd, reinterpret_cast<POINT*>(&r2), 2);
  EXPECT_EQ(r.left, r2.left);
  EXPECT_EQ(r.top, r2.top);
  EXPECT_FALSE(control->SetView(nullptr));
}

}  // namespace
