// A client whose directory service faults while a picker runs: the call answers E_FAIL, the
// picker's window is gone and the client's process goes on (the faults run in a child
// process of this program, which a fault that escaped would end).
#include <gtest/gtest.h>

#include <child_process.h>

#include "picker_driver.h"

namespace {

enum { IDC_RADIO_GROUPS = 17032 };

// Windows of this thread that are still shown.
BOOL CALLBACK CountShown(HWND w, LPARAM p) {
  if (IsWindowVisible(w)) ++*reinterpret_cast<int*>(p);
  return TRUE;
}
int ShownWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountShown, reinterpret_cast<LPARAM>(&n));
  return n;
}

// Run by the test below in a process of its own.
TEST(DISABLED_FaultingHostChild, EachPickerAnswersAnErrorAndTheModuleStaysUsable) {
  FakeHost host;
  PickerClient client;
  ASSERT_EQ(client.Create(host), S_OK);
  VARIANT initial;
  VariantInit(&initial);
  struct Case {
    const char* what;
    int kind;
    bool faultsFromTheStart;  // else from a click on the group directory
  } cases[] = {
      {"user picker, while it opens", HOSTDIR_DEPARTMENT, true},
      {"active-group picker, while it opens", 4, true},
      {"user picker, on a click", HOSTDIR_DEPARTMENT, false},
  };
  for (const Case& c : cases) {
    host.directoryFaults = c.faultsFromTheStart;
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = RunPicker(client.picker, c.kind, PICK_OTHERGROUPS, initial, &result,
                           {[&](HWND d) {
                              // Posted, as the mouse makes it: the steps run in a timer
                              // callback, whose faults the system takes itself.
                              host.directoryFaults = true;
                              CheckRadioButton(d, 17030, 17032, IDC_RADIO_GROUPS);
                              PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_RADIO_GROUPS, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_RADIO_GROUPS)));
                            },
                            // Still open after the fault: the test fails on the answer.
                            [](HWND d) { SendMessageA(d, WM_COMMAND, IDCANCEL, 0); }});
    host.directoryFaults = false;
    EXPECT_EQ(hr, E_FAIL) << c.what;
    EXPECT_EQ(V_VT(&result), VT_EMPTY) << c.what;
    EXPECT_EQ(ShownWindows(), 0) << c.what;

    // The same module still picks once the service works again.
    bool shown = false;
    EXPECT_EQ(RunPicker(client.picker, c.kind, 0, initial, &result,
                        {[&](HWND d) {
                          shown = true;
                          SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
                        }}),
              TESSVIK_E_CANCELLED)
        << c.what;
    EXPECT_TRUE(shown) << c.what;
  }
}

TEST(FaultingHost, EachPickerAnswersAnErrorAndTheClientLives) {
  EXPECT_EQ(testing_support::RunThisProgram(
                L"--gtest_also_run_disabled_tests --gtest_filter=DISABLED_FaultingHostChild.*"),
            0);
}

}  // namespace
