// The resizable form view: anchored controls follow a window larger than the form, and keep
// the form's places (the form scrolls) in a smaller one.
#include <ResizableFormView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include "test_support.h"

using testing_support::PumpMessages;
using testing_support::RectInParent;
using testing_support::RectText;

namespace {

class AnchoredForm : public CResizableFormView {
 public:
  AnchoredForm() : CResizableFormView(440) {}
  void OnInitialUpdate() override {
    AddAnchor(441, ANCHOR_TOP_LEFT, ANCHOR_TOP_RIGHT);
    AddAnchor(442, ANCHOR_BOTTOM_RIGHT);
    CResizableFormView::OnInitialUpdate();
  }
  void PostNcDestroy() override {}  // the test owns the object
};

TEST(ResizableFormView, ControlsFollowALargerWindowAndKeepTheFormsPlacesInASmallerOne) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("Forms"), WS_POPUP | WS_VISIBLE, 0, 0, 900, 700, NULL, 0));
  AnchoredForm form;
  ASSERT_TRUE(form.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
  const CSize total = form.GetTotalSize();
  // Made at the form's own size first: the template's places.
  form.MoveWindow(0, 0, total.cx, total.cy);
  HWND edit = ::GetDlgItem(form.m_hWnd, 441), go = ::GetDlgItem(form.m_hWnd, 442);
  const std::string editAt = RectInParent(form.m_hWnd, edit), goAt = RectInParent(form.m_hWnd, go);
  CRect editRc, goRc;
  ::GetWindowRect(edit, &editRc);
  ::GetWindowRect(go, &goRc);
  ::MapWindowPoints(NULL, form.m_hWnd, reinterpret_cast<LPPOINT>(&editRc), 2);
  ::MapWindowPoints(NULL, form.m_hWnd, reinterpret_cast<LPPOINT>(&goRc), 2);
  form.OnInitialUpdate();

  const int dx = 120, dy = 80;
  form.MoveWindow(0, 0, total.cx + dx, total.cy + dy);
  PumpMessages();
  EXPECT_EQ(RectInParent(form.m_hWnd, edit),
            RectText(CRect(editRc.left, editRc.top, editRc.right + dx, editRc.bottom)));
  goRc.OffsetRect(dx, dy);
  EXPECT_EQ(RectInParent(form.m_hWnd, go), RectText(goRc));

  // Smaller than the form: it scrolls, and the controls are where the form puts them.
  form.MoveWindow(0, 0, total.cx / 2, total.cy / 2);
  PumpMessages();
  EXPECT_TRUE(form.GetStyle() & WS_HSCROLL);
  EXPECT_TRUE(form.GetStyle() & WS_VSCROLL);
  EXPECT_EQ(RectInParent(form.m_hWnd, edit), editAt);
  EXPECT_EQ(RectInParent(form.m_hWnd, go), goAt);
  form.DestroyWindow();
  parent.DestroyWindow();
}

}  // namespace
