// The parent of a modal run is only ever a window of this process: another process's window
// (given as the parent, or in the foreground when the thread has no window) and the desktop
// are neither the dialog's owner nor disabled.
#include <stdio.h>
#include <stdlib.h>

#include "child_process.h"
#include "multimodal_test.h"

using testing_support::ExpectedMsg;
using testing_support::Recorder;

namespace {

// What a run saw of the window that must be left alone.
struct Inside {
  HWND owner = (HWND)1;
  bool leftAsItWas = false;  // enabled or not as before the run (another program may disable it)
};

Inside RunOver(HWND leftAlone, CWnd* parent) {
  DialogTemplate t = SmallTemplate();
  TestDialog dlg;
  Inside seen;
  if (!dlg.InitModalIndirect(t.get(), parent)) return seen;
  const BOOL enabledBefore = ::IsWindowEnabled(leftAlone);
  dlg.onTimer = [&](TestDialog& self) {
    seen.owner = ::GetWindow(self.m_hWnd, GW_OWNER);
    seen.leftAsItWas = ::IsWindowEnabled(leftAlone) == enabledBefore;
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  return seen;
}

// Run only as the child of the test below: the window named by MULTIMODAL_FOREIGN belongs
// to the parent process.
TEST(DISABLED_ForeignParentChild, Runs) {
  const char* text = getenv("MULTIMODAL_FOREIGN");
  ASSERT_NE(text, nullptr);
  HWND foreign = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(strtoull(text, NULL, 16)));
  ASSERT_TRUE(::IsWindow(foreign));
  DWORD pid = 0;
  ::GetWindowThreadProcessId(foreign, &pid);
  ASSERT_NE(pid, ::GetCurrentProcessId());
  // First: the foreground window is offered only while this thread has no entry yet.
  {
    SCOPED_TRACE("another process's window in the foreground, no parent given");
    HWND foreground = ::GetForegroundWindow();
    for (int tries = 0; foreground == NULL && tries < 100; ++tries) {  // another test may have let it go
      ::SetForegroundWindow(foreign);
      foreground = ::GetForegroundWindow();
    }
    ASSERT_NE(foreground, nullptr);
    DWORD fgPid = 0;
    ::GetWindowThreadProcessId(foreground, &fgPid);
    ASSERT_NE(fgPid, ::GetCurrentProcessId());
    Inside seen = RunOver(foreground, NULL);
    EXPECT_NE(seen.owner, foreground);
    // A window of another test program may be enabled or disabled by that program meanwhile;
    // the parent's window only by us.
    if (foreground == foreign) {
      EXPECT_TRUE(seen.leftAsItWas);
    }
  }
  {
    SCOPED_TRACE("another process's window given as the parent");
    Inside seen = RunOver(foreign, CWnd::FromHandle(foreign));
    EXPECT_NE(seen.owner, foreign);
    EXPECT_TRUE(seen.leftAsItWas);
  }
  {
    SCOPED_TRACE("the desktop given as the parent");
    HWND desktop = ::GetDesktopWindow();
    Inside seen = RunOver(desktop, CWnd::GetDesktopWindow());
    EXPECT_NE(seen.owner, desktop);
    EXPECT_TRUE(seen.leftAsItWas);
    EXPECT_TRUE(::IsWindowEnabled(desktop));
  }
}

TEST(MultiModalParent, AnotherProcessWindowIsNeverTheOwnerNorDisabled) {
  TestFrame frame(_T("other process"));
  char text[32];
  snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(frame.m_hWnd)));
  ::SetEnvironmentVariableA("MULTIMODAL_FOREIGN", text);
  ::SetForegroundWindow(frame.m_hWnd);
  Recorder().Reset();
  EXPECT_EQ(0, testing_support::RunThisProgramPumping(
                   L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_ForeignParentChild.*"));
  ::SetEnvironmentVariableA("MULTIMODAL_FOREIGN", NULL);
  const ExpectedMsg none[] = {{0, 0, 0, 0}};  // never disabled, not even for a moment
  EXPECT_TRUE(Recorder().Matches(none));
  EXPECT_TRUE(frame.IsWindowEnabled());
}

}  // namespace
