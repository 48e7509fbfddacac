// The portable view's window in a frame: becoming the frame's active view (a click, the frame's
// first display) makes its portable view the command target; losing activation leaves the
// target alone; a view hosted as a control never becomes active.
#include <GUIView.h>
#include <QvCommandHandler.h>
#include <QvView.h>
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"

namespace {

using testing_support::MouseTo;

// Pumps until the condition holds or 5 s have gone by; the condition's last answer.
bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 5000) return false;
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    testing_support::PumpMessages();
  }
  return true;
}

class PlainView : public QvView {
 public:
  PlainView() : QvView(nullptr, false) {}
};

// A command handler that is no view: what the target was before.
class OtherTarget : public QvCommandHandler {
 public:
  OtherTarget() = default;
};

// A shown frame, its first pane and a second view side by side, and a view hosted as a
// control below them. The frame owns the windows; each window owns its portable view.
class ViewActivation : public testing::Test {
 protected:
  void SetUp() override {
    QvCommandHandler::SetActiveTarget(nullptr);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, _T("Activation"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 420)));
    first = Make<CGUIView>(CRect(0, 0, 200, 150), AFX_IDW_PANE_FIRST, &firstView);
    second = Make<CGUIView>(CRect(220, 0, 420, 150), AFX_IDW_PANE_FIRST + 1, &secondView);
    hosted = Make<CControlView>(CRect(0, 170, 200, 300), 300, &hostedView);
    ASSERT_TRUE(first != nullptr && second != nullptr && hosted != nullptr);
  }
  void TearDown() override {
    if (frame != nullptr && IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    testing_support::PumpMessages();
    QvCommandHandler::SetActiveTarget(nullptr);
  }

  template <class Window>
  Window* Make(const CRect& r, UINT id, PlainView** view) {
    *view = new PlainView;
    Window* window = new Window;
    if (!window->Create(*view, WS_CHILD | WS_VISIBLE, r, frame, id)) {
      delete window;
      delete *view;
      *view = nullptr;
      return nullptr;
    }
    return window;
  }
  void Show() {
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    // Side by side whatever the frame's layout made of its first pane.
    first->MoveWindow(CRect(0, 0, 200, 150));
    second->MoveWindow(CRect(220, 0, 420, 150));
    hosted->MoveWindow(CRect(0, 170, 200, 300));
    SetForegroundWindow(frame->m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == frame->m_hWnd; }));
  }
  // A click in the middle of the window, through the input queue.
  static void Click(CWnd* window) {
    CRect r;
    window->GetWindowRect(&r);
    MouseTo(r.CenterPoint(), MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
  }

  CFrameWnd* frame = nullptr;
  CGUIView* first = nullptr;
  CGUIView* second = nullptr;
  CControlView* hosted = nullptr;
  PlainView* firstView = nullptr;
  PlainView* secondView = nullptr;
  PlainView* hostedView = nullptr;
};

TEST_F(ViewActivation, TheFramesFirstDisplayMakesItsPaneTheTarget) {
  frame->InitialUpdateFrame(NULL, TRUE);
  EXPECT_EQ(frame->GetActiveView(), first);
  EXPECT_EQ(QvCommandHandler::GetTarget(), firstView);
}

TEST_F(ViewActivation, AClickedViewBecomesTheTargetAndAHostedOneNever) {
  Show();
  struct Step {
    const char* what;
    CWnd* clicked;
    CView* active;  // the frame's active view afterwards
    QvCommandHandler* target;
  } const steps[] = {
      {"the second view", second, second, secondView},
      {"the first view", first, first, firstView},
      // Its mouse activation is the default window procedure's: the frame is not told.
      {"the hosted view", hosted, first, firstView},
      {"the second view again", second, second, secondView},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    Click(s.clicked);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == s.clicked->m_hWnd; }));
    EXPECT_EQ(frame->GetActiveView(), s.active);
    EXPECT_EQ(QvCommandHandler::GetTarget(), s.target);
  }
}

TEST_F(ViewActivation, LosingActivationLeavesTheTargetAlone) {
  Show();
  frame->SetActiveView(first);
  ASSERT_EQ(QvCommandHandler::GetTarget(), firstView);
  OtherTarget other;
  QvCommandHandler::SetActiveTarget(&other);
  // The first view is told it is no longer active; the target stays what it was.
  frame->SetActiveView(nullptr);
  EXPECT_EQ(QvCommandHandler::GetTarget(), &other);
  QvCommandHandler::SetActiveTarget(nullptr);
}

TEST_F(ViewActivation, AViewWithoutItsPortableViewLeavesNoTarget) {
  Show();
  frame->SetActiveView(second);
  ASSERT_EQ(QvCommandHandler::GetTarget(), secondView);
  // The portable view goes its own way; the window, activated again, has none to offer.
  PlainView* detached = static_cast<PlainView*>(first->DetachView());
  ASSERT_EQ(detached, firstView);
  frame->SetActiveView(first);
  EXPECT_EQ(QvCommandHandler::GetTarget(), nullptr);
  delete detached;
}

}  // namespace
