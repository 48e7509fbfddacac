// Runs an action once from a thread timer as soon as a framework window is shown: the way to
// act inside a modal loop that a call runs (a modal property sheet, a modal dialog).
#pragma once
#include <framework.h>

#include <functional>

namespace testing_support {

class WhileShown {
 public:
  WhileShown(CWnd& wnd, std::function<void()> act) : m_wnd(&wnd), m_act(std::move(act)) {
    s_self = this;
    m_timer = ::SetTimer(NULL, 0, 10, &WhileShown::Tick);
  }
  ~WhileShown() {
    if (m_timer) ::KillTimer(NULL, m_timer);
    s_self = nullptr;
  }
  WhileShown(const WhileShown&) = delete;
  WhileShown& operator=(const WhileShown&) = delete;
  bool ran = false;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    WhileShown* self = s_self;
    if (self == nullptr || self->ran || self->m_wnd->m_hWnd == NULL || !::IsWindowVisible(self->m_wnd->m_hWnd))
      return;
    self->ran = true;
    ::KillTimer(NULL, self->m_timer);
    self->m_timer = 0;
    self->m_act();
  }
  static inline WhileShown* s_self = nullptr;
  CWnd* m_wnd;
  std::function<void()> m_act;
  UINT_PTR m_timer = 0;
};

}  // namespace testing_support
