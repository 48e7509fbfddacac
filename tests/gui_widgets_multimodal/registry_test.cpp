// The multi-modal dialog on one thread: the current modal dialog of the thread, nested runs,
// the enable/disable state kept by its sender, hiding, runs that show nothing, and the
// registry left without entries naming dialogs that are gone.
#include <QvGlobals.h>

#include <vector>

#include "handle_counts.h"
#include "test_support.h"
#include "multimodal_test.h"

using testing_support::GuiCounts;
using testing_support::kLparam;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;

namespace {

TEST(MultiModalRegistry, ANestedRunBecomesTheChildOfTheCurrentDialogAndHandsTheThreadBack) {
  DialogTemplate t = SmallTemplate();
  // The system keeps some of what it made for earlier windows (device contexts it caches
  // and grows now and then): a round that leaks grows the counts every time, so some round
  // after the first must leave them as it found them.
  std::vector<GuiCounts> counts;
  bool unchanged = false;
  for (int round = 0; round < 6 && !unchanged; ++round) {
    SCOPED_TRACE(round);
    testing_support::PumpMessages();
    CWnd::DeleteTempMap();
    const GuiCounts before = GuiCounts::Now();
    {
      TestFrame frame(_T("nested"));
      TestDialog outer;
      TestDialog inner;
      ASSERT_TRUE(outer.InitModalIndirect(t.get(), &frame));
      ASSERT_TRUE(inner.InitModalIndirect(t.get()));  // no parent: the current dialog becomes it

      struct Seen {
        HWND innerOwner = NULL;
        CWnd* currentInInner = nullptr;
        CWnd* innerPrevious = nullptr;
        BOOL outerEnabledInInner = TRUE;
        BOOL frameEnabledInOuter = TRUE;
        CMultiModalDialog::eModalType typeInInner = CMultiModalDialog::eNoModal;
        CWnd* currentAfterInner = nullptr;
        BOOL outerEnabledAfterInner = FALSE;
        INT_PTR innerResult = 0;
        HWND outerWindow = NULL;
      } seen;
      inner.result = 7;
      inner.onTimer = [&](TestDialog& self) {
        seen.innerOwner = ::GetWindow(self.m_hWnd, GW_OWNER);
        seen.currentInInner = CMultiModalDialog::GetCurrentModalDialog(NULL);
        seen.innerPrevious = self.PreviousModal();
        seen.outerEnabledInInner = outer.IsWindowEnabled();
        seen.typeInInner = CMultiModalDialog::GetCurrentModalType();
      };
      outer.onTimer = [&](TestDialog& self) {
        seen.outerWindow = self.m_hWnd;
        seen.frameEnabledInOuter = frame.IsWindowEnabled();
        seen.innerResult = inner.DoModal();
        seen.currentAfterInner = CMultiModalDialog::GetCurrentModalDialog(NULL);
        seen.outerEnabledAfterInner = outer.IsWindowEnabled();
      };
      EXPECT_EQ(outer.DoModal(), IDOK);

      EXPECT_EQ(seen.innerResult, 7);
      EXPECT_NE(seen.outerWindow, nullptr);
      EXPECT_EQ(seen.innerOwner, seen.outerWindow);  // the outer dialog, not the frame
      EXPECT_EQ(seen.currentInInner, &inner);
      EXPECT_EQ(seen.innerPrevious, &outer);
      EXPECT_FALSE(seen.outerEnabledInInner);  // the outer dialog is the inner one's parent
      EXPECT_FALSE(seen.frameEnabledInOuter);
      EXPECT_EQ(seen.typeInInner, CMultiModalDialog::eMultiModal);
      EXPECT_EQ(seen.currentAfterInner, &outer);
      EXPECT_TRUE(seen.outerEnabledAfterInner);

      // Both runs over: the thread's key stays, with no dialog; every window is enabled.
      bool found = false;
      EXPECT_EQ(EntryOf(::GetCurrentThreadId(), &found), nullptr);
      EXPECT_TRUE(found);
      EXPECT_EQ(CMultiModalDialog::GetCurrentModalDialog(NULL), nullptr);
      EXPECT_EQ(CMultiModalDialog::GetCurrentModalType(), CMultiModalDialog::eNoModal);
      EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
      EXPECT_TRUE(frame.IsWindowEnabled());
      EXPECT_EQ(outer.m_hWnd, nullptr);
      EXPECT_EQ(inner.m_hWnd, nullptr);
    }
    testing_support::PumpMessages();
    CWnd::DeleteTempMap();
    counts.push_back(GuiCounts::Now());
    unchanged = round > 0 && counts.back() == before;
  }
  EXPECT_TRUE(unchanged) << testing::PrintToString(counts);
}

TEST(MultiModalRegistry, OnlyTheDialogThatDisabledAnotherEnablesItAgain) {
  DialogTemplate t = SmallTemplate();
  TestDialog dlg;
  dlg.timed = false;
  ASSERT_TRUE(dlg.CreateIndirect(t.get()));
  dlg.ShowWindow(SW_SHOWNOACTIVATE);
  CWnd first, second;
  struct Step {
    const char* what;
    BOOL enable;
    CWnd* sender;
    BOOL enabledAfter;
    CWnd* disablerAfter;
    bool repaints;  // the client area is invalidated
  };
  const Step steps[] = {
      {"enabling an enabled dialog changes nothing", TRUE, &first, TRUE, nullptr, false},
      {"the first sender disables it", FALSE, &first, FALSE, &first, true},
      {"a second disabling sender is ignored", FALSE, &second, FALSE, &first, false},
      {"another sender cannot enable it", TRUE, &second, FALSE, &first, false},
      {"nor can no sender", TRUE, nullptr, FALSE, &first, false},
      {"its disabler enables it", TRUE, &first, TRUE, nullptr, true},
      {"now any sender may disable it", FALSE, &second, FALSE, &second, true},
      {"and only that one enables it", TRUE, &second, TRUE, nullptr, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    dlg.AddChildState(&dlg, 1);
    ::ValidateRect(dlg.m_hWnd, NULL);
    dlg.EnableWindowAndChildren(s.enable, s.sender);
    EXPECT_EQ(dlg.Enabled(), s.enabledAfter);
    EXPECT_EQ(dlg.Disabler(), s.disablerAfter);
    RECT update = {};
    EXPECT_EQ(::GetUpdateRect(dlg.m_hWnd, &update, FALSE) != FALSE, s.repaints);
    // Disabling empties the child states; the window keeps its real enabled state.
    EXPECT_EQ(dlg.ChildStateCount(), (s.repaints && !s.enable) ? 0 : 1);
    EXPECT_TRUE(dlg.IsWindowEnabled());
  }
  dlg.DestroyWindow();
}

// A window that answers the modal-type question its own way.
class Answering : public CWnd {
 public:
  LRESULT answer = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == CMultiModalDialog::c_uGetModalTypeMessage) return answer;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST(MultiModalRegistry, TheModalTypeIsWhatTheCurrentDialogAnswers) {
  DialogTemplate t = SmallTemplate();
  TestDialog dialog;
  dialog.timed = false;
  ASSERT_TRUE(dialog.CreateIndirect(t.get()));
  Answering silent, vague;
  vague.answer = 1;  // answers, but writes no type
  for (Answering* w : {&silent, &vague})
    ASSERT_TRUE(w->CreateEx(0, AfxRegisterWndClass(0), _T("answering"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  struct Case {
    const char* what;
    CWnd* current;
    CMultiModalDialog::eModalType type;
  };
  const Case cases[] = {
      {"no current dialog", nullptr, CMultiModalDialog::eNoModal},
      {"a window that does not answer", &silent, CMultiModalDialog::eNoModal},
      {"a window that answers without saying", &vague, CMultiModalDialog::eUnknownModal},
      {"a multi-modal dialog", &dialog, CMultiModalDialog::eMultiModal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CMultiModalDialog::SetCurrentModalDialog(c.current);
    EXPECT_EQ(CMultiModalDialog::GetCurrentModalType(), c.type);
  }
  CMultiModalDialog::SetCurrentModalDialog(NULL);
  // Asked without a place for the answer, a multi-modal dialog answers 0.
  EXPECT_EQ(::SendMessage(dialog.m_hWnd, CMultiModalDialog::c_uGetModalTypeMessage, 0, 0), 0);
  for (Answering* w : {&silent, &vague}) w->DestroyWindow();
  dialog.DestroyWindow();
}

TEST(MultiModalRegistry, HidingARunningDialogUnregistersItAtOnce) {
  DialogTemplate t = SmallTemplate();
  TestFrame frame(_T("hide"));
  TestDialog dlg;
  ASSERT_TRUE(dlg.InitModalIndirect(t.get(), &frame));
  BOOL registeredShown = FALSE, registeredHidden = TRUE;
  CWnd* currentShown = nullptr;
  CWnd* currentHidden = &dlg;
  CMultiModalDialog* processHidden = &dlg;
  dlg.onTimer = [&](TestDialog& self) {
    self.EnsureShown();
    registeredShown = self.Registered();
    currentShown = CMultiModalDialog::GetCurrentModalDialog(NULL);
    self.ShowWindow(SW_HIDE);
    registeredHidden = self.Registered();
    currentHidden = CMultiModalDialog::GetCurrentModalDialog(NULL);
    processHidden = CMultiModalDialog::c_pCurrentMMD;
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(registeredShown);
  EXPECT_EQ(currentShown, &dlg);
  EXPECT_FALSE(registeredHidden);
  EXPECT_EQ(currentHidden, nullptr);
  EXPECT_EQ(processHidden, nullptr);
  EXPECT_TRUE(frame.IsWindowEnabled());
}

TEST(MultiModalRegistry, RunsThatShowNothingAnswerMinusOneAndTouchNothing) {
  DialogTemplate t = SmallTemplate();
  TestFrame frame(_T("nothing"));
  struct Case {
    const char* what;
    bool bypass;
    bool withTemplate;
  };
  for (const Case& c : {Case{"dialogs bypassed", true, true}, Case{"no template", false, false}}) {
    SCOPED_TRACE(c.what);
    TestDialog dlg;
    if (c.withTemplate) {
      ASSERT_TRUE(dlg.InitModalIndirect(t.get(), &frame));
    }
    SetBypassDialogs(c.bypass);
    Recorder().Reset();
    const int windows = testing_support::ThreadWindowCount();
    const INT_PTR result = dlg.DoModal();
    SetBypassDialogs(false);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dlg.initCalls, 0);
    EXPECT_EQ(testing_support::ThreadWindowCount(), windows);
    EXPECT_FALSE(dlg.Registered());
    EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
    const testing_support::ExpectedMsg none[] = {{0, 0, 0, 0}};  // the frame was never disabled
    EXPECT_TRUE(Recorder().Matches(none));
  }
}

TEST(MultiModalRegistry, ADialogDeletedWhileRegisteredLeavesNothingNamingIt) {
  TestDialog outer;
  outer.AddModalDialog(&outer);
  auto* inner = new TestDialog;
  inner->AddModalDialog(inner);
  EXPECT_EQ(CMultiModalDialog::GetCurrentModalDialog(NULL), inner);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, inner);
  delete inner;  // never removed
  EXPECT_EQ(CMultiModalDialog::GetCurrentModalDialog(NULL), &outer);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, &outer);
  outer.RemoveModalDialog(&outer);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
  EXPECT_EQ(CMultiModalDialog::GetCurrentModalDialog(NULL), nullptr);
}

TEST(MultiModalRegistry, RegisteringTwiceKeepsTheDialogOutOfItsOwnChain) {
  TestDialog dlg;
  dlg.AddModalDialog(&dlg);
  dlg.AddModalDialog(&dlg);
  EXPECT_EQ(dlg.PreviousProcessModal(), nullptr);
  EXPECT_NE(dlg.PreviousModal(), &dlg);
  dlg.RemoveModalDialog(&dlg);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
  EXPECT_EQ(CMultiModalDialog::GetCurrentModalDialog(NULL), nullptr);
}

TEST(MultiModalRegistry, WithoutAnyWindowTheForegroundWindowIsOffered) {
  TestFrame front(_T("front"));
  ::SetForegroundWindow(front.m_hWnd);
  HWND before = NULL, after = NULL;  // another program may take the foreground meanwhile
  HWND offered = NULL;
  CWnd* current = &front;
  bool filled = false;
  RunOnThread([&] {
    // A thread of its own: no active window, no thread object, no entry yet.
    const DWORD self = ::GetCurrentThreadId();
    CMultiModalDialog::c_mappedModalDialogs.RemoveKey(reinterpret_cast<void*>(static_cast<ULONG_PTR>(self)));
    before = ::GetForegroundWindow();
    CWnd* object = nullptr;
    current = CMultiModalDialog::GetCurrentModalDialog(&object);
    after = ::GetForegroundWindow();
    filled = object != nullptr || before == NULL || after == NULL;
    offered = object->GetSafeHwnd();
  });
  EXPECT_EQ(current, nullptr);
  EXPECT_TRUE(filled);
  EXPECT_TRUE(offered == before || offered == after) << offered << " " << before << " " << after;
}

}  // namespace
