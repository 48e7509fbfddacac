// The message loop of a framework application, for tests of programs that link the framework.
#pragma once
#include <framework.h>

namespace testing_support {
// Runs every message waiting in the queue as the application's loop would: each one passes the
// windows' pre-translation (accelerators, dialog keys) first.
inline void PumpPreTranslated() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
}
}  // namespace testing_support
