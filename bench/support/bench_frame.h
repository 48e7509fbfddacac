// The hidden frame that benchmarks of bars put their windows in: made on first use, kept for
// the run. Null when it cannot be made.
#pragma once
#include <framework.h>

namespace bench_support {

inline CFrameWnd* HiddenFrame() {
  static CFrameWnd* frame = [] {
    auto* f = new CFrameWnd;
    return f->Create(NULL, _T("bench"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 200)) ? f : nullptr;
  }();
  return frame;
}

}  // namespace bench_support
