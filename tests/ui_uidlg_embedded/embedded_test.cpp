// Embedded dialogs: modal dialogs on threads of their own and modeless ones, caught as they
// initialise and made children of the container; the container's end, its timeout, and
// what it leaves behind (no thread, no hook).
#include <gtest/gtest.h>

#include <ModalDialogContainer.h>

#include "embedded_ids.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

const UINT kEndWith = WM_APP + 1;  // an embedded dialog ends with WPARAM

class Embedded : public CDialog {
 public:
  Embedded() : CDialog(IDD_EMBEDDED) {}
  BOOL OnInitDialog() override {
    thread = ::GetCurrentThreadId();
    return CDialog::OnInitDialog();
  }
  LRESULT OnEndWith(WPARAM wParam, LPARAM) {
    EndDialog(static_cast<int>(wParam));
    return 0;
  }
  DWORD thread = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Embedded, CDialog)
  ON_MESSAGE(kEndWith, OnEndWith)
END_MESSAGE_MAP()

class TestContainer : public CModalDialogContainer {
 public:
  TestContainer() : CModalDialogContainer(IDD_CONTAINER) {}

  BOOL OnInitDialog() override {
    CModalDialogContainer::OnInitDialog();
    waitResult = WaitForAllDialogs();
    if (release != NULL) ::SetEvent(release);
    return TRUE;
  }
  void OnAllDialogsStarted() override {
    ++started;
    if (onStarted) onStarted(*this);
  }
  void OnBeforeEmbedding(CModalThread* thread) override {
    if (thread != NULL && release != NULL) ::WaitForSingleObject(release, INFINITE);
  }
  BOOL OnEndModalEmbedded(CModalThread* thread, int reason) override {
    endedModal.push_back({thread->GetDialog(), reason});
    return TRUE;
  }
  BOOL OnEndModelessEmbedded(CDialog* dialog, int reason) override {
    endedModeless.push_back({dialog, reason});
    return TRUE;
  }
  BOOL DoCloseOnReturnKey() override { return closeOnReturn; }

  using CModalDialogContainer::GetHookCount;
  using CModalDialogContainer::m_nEmbedTimeout;

  std::function<void(TestContainer&)> onStarted;  // runs when every dialog is embedded
  HANDLE release = NULL;  // when set, modal threads wait for it before their dialog starts
  int waitResult = -1;
  int started = 0;
  BOOL closeOnReturn = TRUE;
  std::vector<std::pair<CDialog*, int>> endedModal, endedModeless;
};

// The thread is gone (or was never there).
bool ThreadEnded(DWORD id) {
  if (id == 0) return true;
  HANDLE h = ::OpenThread(SYNCHRONIZE, FALSE, id);
  if (h == NULL) return true;
  const bool ended = ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
  ::CloseHandle(h);
  return ended;
}

bool IsEmbeddedChild(HWND container, HWND dialog) {
  const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
  return ::GetParent(dialog) == container && (style & WS_CHILD) && !(style & (WS_POPUP | WS_CAPTION)) &&
         (style & DS_CONTROL);
}

TEST(EmbeddedDialogs, TwoModalDialogsRunOnThreadsOfTheirOwnAtOnce) {
  Embedded a, b;
  TestContainer container;
  container.EmbedModal(&a);
  container.EmbedModal(&b);
  bool bothEmbedded = false, containerHiddenUntilThen = false;
  container.onStarted = [&](TestContainer& c) {
    containerHiddenUntilThen = !c.IsWindowVisible();
    bothEmbedded = IsEmbeddedChild(c.m_hWnd, a.m_hWnd) && IsEmbeddedChild(c.m_hWnd, b.m_hWnd);
    ::PostMessage(a.m_hWnd, kEndWith, 42, 0);  // a ends on its own thread
  };
  EXPECT_EQ(container.DoModal(), 42);
  EXPECT_EQ(container.waitResult, TRUE);
  EXPECT_TRUE(bothEmbedded);
  EXPECT_TRUE(containerHiddenUntilThen);
  EXPECT_NE(a.thread, 0u);
  EXPECT_NE(b.thread, 0u);
  EXPECT_NE(a.thread, b.thread);
  EXPECT_NE(a.thread, ::GetCurrentThreadId());
  EXPECT_EQ(container.GetClosingDlg(), &a);
  // a ended by itself; b was ended because the container closed.
  const std::vector<std::pair<CDialog*, int>> ended = {{&a, CModalDialogContainer::kDialogEnded},
                                                       {&b, CModalDialogContainer::kContainerClosed}};
  EXPECT_EQ(container.endedModal, ended);
  EXPECT_TRUE(ThreadEnded(a.thread));
  EXPECT_TRUE(ThreadEnded(b.thread));
  EXPECT_EQ(container.GetHookCount(), 0);
  EXPECT_EQ(a.m_hWnd, nullptr);
  EXPECT_EQ(b.m_hWnd, nullptr);
}

TEST(EmbeddedDialogs, ADialogThatNeverInitialisesInTimeClosesTheContainer) {
  Embedded late;
  TestContainer container;
  container.m_nEmbedTimeout = 200;
  container.release = ::CreateEventW(NULL, TRUE, FALSE, NULL);
  container.EmbedModal(&late);
  EXPECT_EQ(container.DoModal(), IDCANCEL);
  EXPECT_EQ(container.waitResult, FALSE);
  EXPECT_EQ(container.started, 0);
  ASSERT_EQ(container.endedModal.size(), 1u);
  EXPECT_EQ(container.endedModal[0].second, CModalDialogContainer::kContainerClosed);
  EXPECT_TRUE(ThreadEnded(late.thread));
  EXPECT_EQ(container.GetHookCount(), 0);
  ::CloseHandle(container.release);
}

// A dialog whose template is not there ends at once on its thread, and the container with it:
// the wait sees that end instead of waiting out its time.
class Unmade : public CDialog {
 public:
  Unmade() : CDialog(0x7EEE) {}
};

TEST(EmbeddedDialogs, ADialogThatCannotStartEndsTheContainerWithoutWaitingOutItsTime) {
  Unmade unmade;
  TestContainer container;
  ASSERT_EQ(container.m_nEmbedTimeout, 10000u);
  container.EmbedModal(&unmade);
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(container.DoModal(), -1);  // the embedded dialog's result
  EXPECT_LT(::GetTickCount() - start, 5000u);
  EXPECT_EQ(container.waitResult, FALSE);
  EXPECT_EQ(container.started, 0);
  EXPECT_EQ(container.GetClosingDlg(), &unmade);
  const std::vector<std::pair<CDialog*, int>> ended = {{&unmade, CModalDialogContainer::kDialogEnded}};
  EXPECT_EQ(container.endedModal, ended);
  EXPECT_EQ(container.GetHookCount(), 0);
}

TEST(EmbeddedDialogs, AModelessDialogEndsTheContainerOnlyWhenItIsOneOfItsOwn) {
  Embedded modeless, stranger;
  TestContainer container;
  container.EmbedModeless(&modeless, IDD_EMBEDDED);
  bool embedded = false;
  container.onStarted = [&](TestContainer& c) {
    embedded = IsEmbeddedChild(c.m_hWnd, modeless.m_hWnd) && modeless.thread == ::GetCurrentThreadId();
    // A dialog the container does not hold, and a pointer to no dialog at all, are ignored.
    c.PostMessage(CModalDialogContainer::WM_ENDMODELESS, reinterpret_cast<WPARAM>(&stranger), 5);
    c.PostMessage(CModalDialogContainer::WM_ENDMODELESS, 0x1234, 6);
    c.PostMessage(CModalDialogContainer::WM_ENDMODELESS, reinterpret_cast<WPARAM>(&modeless), 7);
  };
  EXPECT_EQ(container.DoModal(), 7);
  EXPECT_TRUE(embedded);
  EXPECT_EQ(container.GetClosingDlg(), &modeless);
  const std::vector<std::pair<CDialog*, int>> ended = {{&modeless, CModalDialogContainer::kDialogEnded},
                                                       {&modeless, CModalDialogContainer::kContainerClosed}};
  EXPECT_EQ(container.endedModeless, ended);
  EXPECT_EQ(modeless.m_hWnd, nullptr);
  EXPECT_EQ(container.GetHookCount(), 0);
}

TEST(EmbeddedDialogs, AContainerWithoutDialogsStartsAtOnceAndReturnClosesItWhenAllowed) {
  TestContainer container;
  container.closeOnReturn = FALSE;
  bool stayedAfterReturn = false;
  container.onStarted = [&](TestContainer& c) {
    c.SendMessage(WM_COMMAND, IDOK, 0);
    stayedAfterReturn = ::IsWindow(c.m_hWnd) && c.ContinueModal();
    c.closeOnReturn = TRUE;
    c.PostMessage(WM_COMMAND, IDOK, 0);
  };
  EXPECT_EQ(container.DoModal(), IDOK);
  EXPECT_EQ(container.waitResult, TRUE);
  EXPECT_EQ(container.started, 1);
  EXPECT_TRUE(stayedAfterReturn);
}

TEST(EmbeddedDialogs, ClosingTheContainerEndsEveryEmbeddedDialog) {
  Embedded a, b;
  TestContainer container;
  container.EmbedModal(&a);
  container.EmbedModal(&b);
  container.onStarted = [](TestContainer& c) { c.PostMessage(WM_CLOSE); };
  EXPECT_EQ(container.DoModal(), IDCANCEL);
  ASSERT_EQ(container.endedModal.size(), 2u);
  EXPECT_EQ(container.endedModal[0].second, CModalDialogContainer::kContainerClosed);
  EXPECT_EQ(container.endedModal[1].second, CModalDialogContainer::kContainerClosed);
  EXPECT_TRUE(ThreadEnded(a.thread));
  EXPECT_TRUE(ThreadEnded(b.thread));
  EXPECT_EQ(container.GetHookCount(), 0);
}

}  // namespace
