// What the tests of the report-view list controls share: a framework parent window that
// reflects its children's notifications (as the framework's own windows do), logs the
// WM_NOTIFY messages it gets to the recorder and keeps their codes, and may answer them.
#pragma once
#include <framework.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "recorder.h"

namespace listctrls_testing {

const int kListId = 42;

class NotifyParent : public CWnd {
 public:
  // A visible top-level window of that client size. Custom-draw notices are neither logged
  // nor kept.
  bool Make(int width, int height);
  // Answers a notification the child did not take itself; returns true when it did.
  std::function<bool(NMHDR*, LRESULT*)> answer;
  // Answers another message (not WM_NOTIFY); returns true when it did.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> other;
  // The codes of the WM_NOTIFY messages that reached it, in order.
  std::vector<int> codes;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A list fixture: the parent, made and shown; the recorder drained.
class ListTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A click (button down and up) at a client point of a list: the release waits in the queue,
  // as the list waits for it before it takes the press.
  static void Click(CWnd& list, int x, int y, bool dbl = false);
  // Dispatches what is waiting as the application's loop would (pre-translation first).
  static void Pump();

  NotifyParent parent;
};

}  // namespace listctrls_testing
