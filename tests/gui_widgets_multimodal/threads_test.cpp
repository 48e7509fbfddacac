// Multi-modal dialogs of several threads: each thread's own current dialog, the messages that
// disable and enable the other threads' dialogs, the process's chain of current dialogs when
// runs end out of order, a worker thread, and the registry used by many threads at once.
#include <vector>

#include "test_support.h"

#include "multimodal_test.h"

using testing_support::ExpectedMsg;
using testing_support::kLparam;
using testing_support::kSent;
using testing_support::kWparam;
using testing_support::Recorder;

namespace {

std::vector<HWND> LoggedWindows() {
  std::vector<HWND> windows;
  for (const auto& m : Recorder().Messages()) windows.push_back(m.hwnd);
  return windows;
}

LPARAM Sender(CWnd* dialog) { return reinterpret_cast<LPARAM>(dialog); }

// Thread A, the test's own thread: a frame and the modal dialog that runs over it.
class ThreadA : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialogA.InitModalIndirect(t.get(), &frameA)); }
  DialogTemplate t = SmallTemplate();
  TestFrame frameA{_T("thread A")};
  TestDialog dialogA;
};

TEST_F(ThreadA, TwoThreadsRunModalDialogsAtOnceAndLeaveEveryWindowEnabled) {

  HWND windowA = NULL;
  CWnd* currentInA = nullptr;
  BOOL dialogAFlagAfterB = FALSE;
  HWND frameB = NULL, windowB = NULL;
  TestDialog* objectB = nullptr;
  INT_PTR resultB = 0;
  CWnd* currentInB = nullptr;
  CMultiModalDialog* processInB = nullptr;
  BOOL frameBEnabledAfter = FALSE;
  bool entryBFound = false;
  CWnd* entryBAfter = &frameA;
  DWORD threadB = 0;

  Recorder().Reset();
  dialogA.onTimer = [&](TestDialog& self) {
    windowA = self.m_hWnd;
    currentInA = CMultiModalDialog::GetCurrentModalDialog(NULL);
    EXPECT_EQ(CMultiModalDialog::GetCurrentModalType(), CMultiModalDialog::eMultiModal);
    // While A's dialog runs, thread B runs one of its own and ends it from its timer; A goes
    // on dispatching its messages meanwhile.
    threadB = RunOnThread([&] {
      TestFrame frame(_T("thread B"));
      TestDialog dialog;
      objectB = &dialog;
      frameB = frame.m_hWnd;
      if (!dialog.InitModalIndirect(t.get(), &frame)) return;
      dialog.onTimer = [&](TestDialog& d) {
        windowB = d.m_hWnd;
        currentInB = CMultiModalDialog::GetCurrentModalDialog(NULL);
        processInB = CMultiModalDialog::c_pCurrentMMD;
        CMultiModalDialog::GetCurrentModalType();
      };
      resultB = dialog.DoModal();
      frameBEnabledAfter = frame.IsWindowEnabled();
      entryBAfter = EntryOf(::GetCurrentThreadId(), &entryBFound);
    });
    dialogAFlagAfterB = self.Enabled();
  };
  EXPECT_EQ(dialogA.DoModal(), IDOK);

  const ExpectedMsg expected[] = {
      // A: DoModal disables A's frame, its owner.
      {WM_CANCELMODE, kSent, 0, 0},
      {WM_ENABLE, kSent | kWparam, FALSE, 0},
      // A's timer asks the type of the current modal dialog: A's dialog answers.
      {CMultiModalDialog::c_uGetModalTypeMessage, kSent | kLparam, 0, 0},
      // B: DoModal disables B's frame. Registering B's dialog before its window exists
      // disables no dialog of A.
      {WM_CANCELMODE, kSent, 0, 0},
      {WM_ENABLE, kSent | kWparam, FALSE, 0},
      {CMultiModalDialog::c_uGetModalTypeMessage, kSent | kLparam, 0, 0},
      // B's timer ends its dialog (EndDialog): the system enables the owner, B's frame, and
      // hides the dialog; hiding unregisters it, which tells A's dialog to be enabled (A's
      // dialog, never disabled by it, stays as it is). The run then finds the frame enabled.
      {WM_ENABLE, kSent | kWparam, TRUE, 0},
      {CMultiModalDialog::c_uEnableChildrenMessage, kSent | kWparam | kLparam, TRUE, Sender(objectB)},
      // A's run ends the same way: its frame is enabled (no dialog of B is current any more).
      {WM_ENABLE, kSent | kWparam, TRUE, 0},
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(LoggedWindows(), (std::vector<HWND>{frameA.m_hWnd, frameA.m_hWnd, windowA, frameB, frameB, windowB,
                                                 frameB, windowA, frameA.m_hWnd}));

  EXPECT_EQ(resultB, IDOK);
  EXPECT_EQ(currentInA, &dialogA);
  EXPECT_EQ(currentInB, objectB);  // each thread has its own current dialog
  EXPECT_EQ(processInB, objectB);
  EXPECT_TRUE(dialogAFlagAfterB);
  EXPECT_TRUE(frameBEnabledAfter);
  EXPECT_TRUE(frameA.IsWindowEnabled());
  EXPECT_TRUE(dialogA.Enabled());
  EXPECT_TRUE(entryBFound);
  EXPECT_EQ(entryBAfter, nullptr);
  EXPECT_EQ(EntryOf(::GetCurrentThreadId()), nullptr);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
}

TEST_F(ThreadA, AShownDialogRegisteredOnAnotherThreadDisablesOursUntilItEnds) {
  CWnd someoneElse;
  HWND windowA = NULL;
  TestDialog* objectB = nullptr;
  struct State {
    BOOL enabled;
    CWnd* disabler;
  };
  State whileRegistered = {TRUE, nullptr}, afterOthers = {TRUE, nullptr};

  // At B's request, A looks at its dialog and lets others try to enable and disable it.
  frameA.onApp = [&] {
    whileRegistered = {dialogA.Enabled(), dialogA.Disabler()};
    ::SendMessage(windowA, CMultiModalDialog::c_uEnableChildrenMessage, TRUE, Sender(&someoneElse));
    ::SendMessage(windowA, CMultiModalDialog::c_uEnableChildrenMessage, FALSE, Sender(&someoneElse));
    afterOthers = {dialogA.Enabled(), dialogA.Disabler()};
  };
  Recorder().Reset();
  dialogA.onTimer = [&](TestDialog& self) {
    windowA = self.m_hWnd;
    RunOnThread([&] {
      // A dialog of B that is shown before it registers as the current modal dialog.
      TestDialog dialog;
      dialog.timed = false;
      objectB = &dialog;
      if (!dialog.CreateIndirect(t.get())) return;
      dialog.ShowWindow(SW_SHOWNOACTIVATE);
      dialog.AddModalDialog(&dialog);
      ::SendMessage(frameA.m_hWnd, WM_APP, 0, 0);
      dialog.RemoveModalDialog(&dialog);
      dialog.DestroyWindow();
    });
  };
  EXPECT_EQ(dialogA.DoModal(), IDOK);

  const ExpectedMsg expected[] = {
      {WM_CANCELMODE, kSent, 0, 0},  // A's frame disabled for A's run
      {WM_ENABLE, kSent | kWparam, FALSE, 0},
      // B registers its shown dialog: A's current dialog is told to be disabled.
      {CMultiModalDialog::c_uEnableChildrenMessage, kSent | kWparam | kLparam, FALSE, Sender(objectB)},
      // Another sender can neither enable it nor take it over.
      {CMultiModalDialog::c_uEnableChildrenMessage, kSent | kWparam | kLparam, TRUE, Sender(&someoneElse)},
      {CMultiModalDialog::c_uEnableChildrenMessage, kSent | kWparam | kLparam, FALSE, Sender(&someoneElse)},
      // B's dialog leaves: A's dialog is enabled by its disabler.
      {CMultiModalDialog::c_uEnableChildrenMessage, kSent | kWparam | kLparam, TRUE, Sender(objectB)},
      {WM_ENABLE, kSent | kWparam, TRUE, 0},  // A's run over
      {0, 0, 0, 0}};
  EXPECT_TRUE(Recorder().Matches(expected));
  EXPECT_EQ(LoggedWindows(), (std::vector<HWND>{frameA.m_hWnd, frameA.m_hWnd, windowA, windowA, windowA, windowA,
                                                 frameA.m_hWnd}));
  EXPECT_FALSE(whileRegistered.enabled);
  EXPECT_EQ(whileRegistered.disabler, objectB);
  EXPECT_FALSE(afterOthers.enabled);
  EXPECT_EQ(afterOthers.disabler, objectB);
  EXPECT_TRUE(dialogA.Enabled());
  EXPECT_EQ(dialogA.Disabler(), nullptr);
  EXPECT_TRUE(frameA.IsWindowEnabled());
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);
}

TEST_F(ThreadA, ARunEndingBeforeALaterOneOfAnotherThreadLeavesTheProcessChain) {
  HANDLE running = ::CreateEvent(NULL, TRUE, FALSE, NULL);
  HANDLE finish = ::CreateEvent(NULL, TRUE, FALSE, NULL);
  TestDialog* objectB = nullptr;
  CMultiModalDialog* previousOfB = &dialogA;
  INT_PTR resultB = 0;
  std::function<void()> bodyB = [&] {
    TestFrame frame(_T("thread B"));
    TestDialog dialog;
    objectB = &dialog;
    if (!dialog.InitModalIndirect(t.get(), &frame)) {
      ::SetEvent(running);
      return;
    }
    dialog.onTimer = [&](TestDialog& d) {
      previousOfB = d.PreviousProcessModal();  // A's dialog: it ran when B's started
      ::SetEvent(running);
      PumpUntil(finish);
    };
    resultB = dialog.DoModal();
  };
  HANDLE threadB = NULL;
  dialogA.onTimer = [&](TestDialog&) {
    threadB = StartThread(bodyB);
    PumpUntil(running);  // then A's run ends while B's goes on
  };
  EXPECT_EQ(dialogA.DoModal(), IDOK);
  ASSERT_NE(threadB, nullptr);

  EXPECT_EQ(previousOfB, &dialogA);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, objectB);
  EXPECT_EQ(objectB->PreviousProcessModal(), nullptr);  // A's dialog, ended, left the chain
  ::SetEvent(finish);
  PumpUntil(threadB);
  EXPECT_EQ(resultB, IDOK);
  EXPECT_EQ(CMultiModalDialog::c_pCurrentMMD, nullptr);  // not A's dialog, which is gone
  ::CloseHandle(threadB);
  ::CloseHandle(running);
  ::CloseHandle(finish);
}

TEST(MultiModalThreads, ActivatingAnotherThreadsModalDialogFromTheHostBringsItForward) {
  DialogTemplate t = SmallTemplate();
  TestFrame mine(_T("host window"));
  HWND dialogB = NULL;
  HWND foregroundInB = NULL;
  struct Case {
    const char* what;
    UINT state;
    bool ownWindow;
  };
  const Case leftAlone[] = {
      {"a window of this thread", WA_INACTIVE, true},
      {"a state other than 0", WA_ACTIVE, false},
  };
  std::vector<HWND> foregroundAfter;
  // While B's dialog runs, B lets A (the host) report activations; the last one, of B's
  // dialog deactivating a window of A, brings the dialog's owner and then the dialog forward
  // (B's thread completes the activation once A has answered).
  mine.onApp = [&] {
    for (const Case& c : leftAlone) {
      ::SetForegroundWindow(mine.m_hWnd);
      CMultiModalDialog::TopLevelActivate(c.state, c.ownWindow ? &mine : CWnd::FromHandle(dialogB));
      foregroundAfter.push_back(::GetForegroundWindow());
    }
    ::SetForegroundWindow(mine.m_hWnd);
    CMultiModalDialog::TopLevelActivate(WA_INACTIVE, CWnd::FromHandle(dialogB));
  };
  RunOnThread([&] {
    TestFrame frame(_T("thread B"));
    TestDialog dialog;
    if (!dialog.InitModalIndirect(t.get(), &frame)) return;
    dialog.onTimer = [&](TestDialog& d) {
      dialogB = d.m_hWnd;
      d.EnsureShown();
      testing_support::PumpMessages();  // its own activation is done
      ::SendMessage(mine.m_hWnd, WM_APP, 0, 0);
      testing_support::PumpMessages();
      foregroundInB = ::GetForegroundWindow();
    };
    dialog.DoModal();
  });
  ASSERT_EQ(foregroundAfter.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(leftAlone[i].what);
    EXPECT_EQ(foregroundAfter[i], mine.m_hWnd);
  }
  EXPECT_NE(dialogB, nullptr);
  EXPECT_EQ(foregroundInB, dialogB);
}

// As when the user clicks another thread's modal dialog: the dialog is already active in the
// foreground when the host hears of its window's deactivation. Bringing the owner forward first
// must not leave the owner active in the dialog's place.
TEST(MultiModalThreads, TheDialogActiveWhenTheHostHearsOfItStaysInFront) {
  DialogTemplate t = SmallTemplate();
  TestFrame mine(_T("host window"));
  HWND dialogB = NULL, frameB = NULL;
  HWND foregroundInB = NULL;
  mine.onApp = [&] { CMultiModalDialog::TopLevelActivate(WA_INACTIVE, CWnd::FromHandle(dialogB)); };
  RunOnThread([&] {
    TestFrame frame(_T("thread B"));
    frameB = frame.m_hWnd;
    TestDialog dialog;
    if (!dialog.InitModalIndirect(t.get(), &frame)) return;
    dialog.onTimer = [&](TestDialog& d) {
      dialogB = d.m_hWnd;
      d.EnsureShown();
      ::SetForegroundWindow(d.m_hWnd);
      testing_support::PumpMessages();
      if (::GetForegroundWindow() != d.m_hWnd) return;  // checked below: foregroundInB stays NULL
      ::SendMessage(mine.m_hWnd, WM_APP, 0, 0);
      testing_support::PumpMessages();
      foregroundInB = ::GetForegroundWindow();
    };
    dialog.DoModal();
  });
  ASSERT_NE(dialogB, nullptr);
  EXPECT_NE(foregroundInB, frameB) << "the owner took the dialog's place";
  EXPECT_EQ(foregroundInB, dialogB);
}

TEST(MultiModalThreads, AWorkerThreadKeysItsOwnDialogAndLeavesTheMainWindowAlone) {
  DialogTemplate t = SmallTemplate();
  CWinApp app(_T("MultiModalWorker"));
  TestFrame mainFrame(_T("main window"));
  app.m_pMainWnd = &mainFrame;
  ::SetForegroundWindow(mainFrame.m_hWnd);
  const DWORD mainThread = ::GetCurrentThreadId();
  CWnd* mainEntryBefore = EntryOf(mainThread);

  HWND owner = (HWND)1;
  BOOL mainEnabledInside = FALSE;
  CWnd* mainEntryInside = nullptr;
  CWnd* workerEntryInside = nullptr;
  CWnd* currentInside = nullptr;
  TestDialog* worker = nullptr;
  INT_PTR result = 0;
  Recorder().Reset();
  RunOnThread([&] {
    TestDialog dialog;  // no parent given
    worker = &dialog;
    if (!dialog.InitModalIndirect(t.get())) return;
    dialog.onTimer = [&](TestDialog& d) {
      owner = ::GetWindow(d.m_hWnd, GW_OWNER);
      mainEnabledInside = ::IsWindowEnabled(mainFrame.m_hWnd);
      mainEntryInside = EntryOf(mainThread);
      workerEntryInside = EntryOf(::GetCurrentThreadId());
      currentInside = CMultiModalDialog::GetCurrentModalDialog(NULL);
    };
    result = dialog.DoModal();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(owner, nullptr);  // not the main window of another thread
  EXPECT_TRUE(mainEnabledInside);
  EXPECT_EQ(mainEntryInside, mainEntryBefore);
  EXPECT_EQ(workerEntryInside, worker);
  EXPECT_EQ(currentInside, worker);
  const ExpectedMsg none[] = {{0, 0, 0, 0}};  // the main window was never disabled
  EXPECT_TRUE(Recorder().Matches(none));
  app.m_pMainWnd = NULL;
}

TEST(MultiModalThreads, ThreadsRegisteringAtOnceEachKeepTheirOwnDialog) {
  const int kThreads = 48;
  const int kRounds = 200;
  // A registry so full that the first thread to register makes it grow, which takes long
  // enough for the others to register and look up meanwhile. The filling keys are no
  // thread's ids.
  CMapPtrToPtr& registry = CMultiModalDialog::c_mappedModalDialogs;
  registry.RemoveAll();
  ULONG_PTR filler = 0x80000000u;
  while (registry.GetCount() < 65536 || registry.GetCount() < static_cast<INT_PTR>(registry.GetHashTableSize()))
    registry.SetAt(reinterpret_cast<void*>(filler++), nullptr);
  const INT_PTR filled = registry.GetCount();
  HANDLE start = ::CreateEvent(NULL, TRUE, FALSE, NULL);
  struct Worker {
    CWnd dialog;  // stands for the thread's dialog: the registry only stores it
    DWORD id = 0;
    int mismatches = 0;
    bool endedEmpty = false;
  };
  std::vector<Worker> workers(kThreads);
  std::vector<std::function<void()>> bodies;
  for (Worker& w : workers) {
    bodies.push_back([&w, start] {
      ::WaitForSingleObject(start, INFINITE);
      for (int i = 0; i < kRounds; ++i) {
        CMultiModalDialog::SetCurrentModalDialog(&w.dialog);
        if (CMultiModalDialog::GetCurrentModalDialog(NULL) != &w.dialog) ++w.mismatches;
        CMultiModalDialog::SetCurrentModalDialog(NULL);
        if (CMultiModalDialog::GetCurrentModalDialog(NULL) != nullptr) ++w.mismatches;
      }
      CMultiModalDialog::SetCurrentModalDialog(&w.dialog);
      w.endedEmpty = CMultiModalDialog::GetCurrentModalDialog(NULL) == &w.dialog;
      CMultiModalDialog::SetCurrentModalDialog(NULL);
    });
  }
  std::vector<HANDLE> threads;
  for (int i = 0; i < kThreads; ++i) threads.push_back(StartThread(bodies[i], &workers[i].id));
  ::SetEvent(start);
  ::WaitForMultipleObjects(kThreads, threads.data(), TRUE, INFINITE);
  for (HANDLE h : threads) ::CloseHandle(h);
  ::CloseHandle(start);
  for (const Worker& w : workers) {
    SCOPED_TRACE(w.id);
    EXPECT_EQ(w.mismatches, 0);
    EXPECT_TRUE(w.endedEmpty);
    bool found = false;
    EXPECT_EQ(EntryOf(w.id, &found), nullptr);
    EXPECT_TRUE(found);
  }
  EXPECT_EQ(registry.GetCount(), filled + kThreads);
  for (ULONG_PTR key = 0x80000000u; key < filler; ++key) registry.RemoveKey(reinterpret_cast<void*>(key));
}

}  // namespace
