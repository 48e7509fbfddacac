// Input sent in steps from a timer, so that it arrives inside whatever loop runs meanwhile
// (a drag's tracking loop, a menu): one step per tick of 30 ms, the whole script given up
// after 5 s.
#pragma once
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "test_support.h"

namespace testing_support {

class InputScript {
 public:
  explicit InputScript(std::vector<std::function<void()>> steps) {
    Steps() = std::move(steps);
    Next() = 0;
    GaveUp() = false;
    m_timer = SetTimer(NULL, 0, 30, Tick);
    m_limit = SetTimer(NULL, 0, 5000, GiveUp);
  }
  ~InputScript() {
    KillTimer(NULL, m_timer);
    KillTimer(NULL, m_limit);
  }
  InputScript(const InputScript&) = delete;
  InputScript& operator=(const InputScript&) = delete;
  // Pumps until every step ran and the input they sent was handled; false when given up.
  bool Run() {
    while (Next() < Steps().size() + 2) {
      MSG msg;
      if (!GetMessage(&msg, NULL, 0, 0)) return false;
      DispatchMessage(&msg);
    }
    PumpMessages();
    return !GaveUp();
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Next() < Steps().size()) Steps()[Next()]();
    ++Next();  // two spare ticks let the last input arrive
  }
  static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    GaveUp() = true;
    ReleaseCapture();
    Next() = Steps().size() + 2;
  }
  static std::vector<std::function<void()>>& Steps() {
    static std::vector<std::function<void()>> steps;
    return steps;
  }
  static size_t& Next() {
    static size_t next = 0;
    return next;
  }
  static bool& GaveUp() {
    static bool gaveUp = false;
    return gaveUp;
  }
  UINT_PTR m_timer, m_limit;
};

}  // namespace testing_support
