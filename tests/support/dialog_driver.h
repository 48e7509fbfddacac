// Drives the modal dialogs a call opens on this thread: a thread timer looks for the
// thread's enabled, visible dialog windows (class "#32770") and hands each new one to the
// next step whose control it has. Steps act on the real dialog: set texts and buttons,
// then press a button.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class DialogDriver {
 public:
  struct Step {
    int control;                      // the dialog the step is for has this control
    std::function<void(HWND)> act;    // what the step does with the dialog
  };

  explicit DialogDriver(std::vector<Step> steps);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // How many steps have run.
  size_t done() const { return m_next; }

  // Actions.
  static void SetText(HWND dlg, int control, const std::wstring& text);
  // Clicks the check box or radio button when its state differs.
  static void SetCheck(HWND dlg, int control, bool checked);
  // Posts a click to the button.
  static void Press(HWND dlg, int button);

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Poll();

  std::vector<Step> m_steps;
  size_t m_next = 0;
  std::vector<HWND> m_seen;
  UINT_PTR m_timer = 0;
};

}  // namespace testing_support
