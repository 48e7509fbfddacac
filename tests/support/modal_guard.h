// Ends a modal framework dialog that is still open when a test's time for it has run out, with
// -2, so that the test fails instead of waiting: a thread timer that ends the active window's
// modal loop and reports the failure.
#pragma once
#include <framework.h>
#include <gtest/gtest.h>

namespace testing_support {

class ModalGuard {
 public:
  explicit ModalGuard(UINT milliseconds) { m_timer = ::SetTimer(NULL, 0, milliseconds, &ModalGuard::Tick); }
  ~ModalGuard() { ::KillTimer(NULL, m_timer); }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dlg = ::GetActiveWindow();
    if (CWnd* w = dlg ? CWnd::FromHandlePermanent(dlg) : nullptr) {
      ADD_FAILURE() << "the dialog stayed open";
      ::EndDialog(dlg, -2);
      w->EndModalLoop(-2);
    }
  }
  UINT_PTR m_timer = 0;
};

}  // namespace testing_support
