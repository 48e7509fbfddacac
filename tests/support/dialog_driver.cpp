#include "dialog_driver.h"

#include <algorithm>

namespace testing_support {

namespace {
DialogDriver* s_active = nullptr;

struct Search {
  DWORD thread;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t cls[16] = {0};
  GetClassNameW(hwnd, cls, 16);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) s->found.push_back(hwnd);
  return TRUE;
}

// The control anywhere below the dialog (file dialogs keep theirs in a child dialog).
HWND FindControl(HWND dlg, int id) {
  if (HWND h = GetDlgItem(dlg, id)) return h;
  for (HWND child = GetWindow(dlg, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT))
    if (HWND h = GetDlgItem(child, id)) return h;
  return NULL;
}
}  // namespace

DialogDriver::DialogDriver(std::vector<Step> steps) : m_steps(std::move(steps)) {
  s_active = this;
  m_timer = SetTimer(NULL, 0, 30, &DialogDriver::OnTimer);
}

DialogDriver::~DialogDriver() {
  if (m_timer != 0) KillTimer(NULL, m_timer);
  s_active = nullptr;
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (s_active != nullptr) s_active->Poll();
}

void DialogDriver::Poll() {
  if (m_next >= m_steps.size()) return;
  Search s{GetCurrentThreadId(), {}};
  EnumThreadWindows(s.thread, &CollectDialog, reinterpret_cast<LPARAM>(&s));
  for (HWND dlg : s.found) {
    if (std::find(m_seen.begin(), m_seen.end(), dlg) != m_seen.end()) continue;
    if (FindControl(dlg, m_steps[m_next].control) == NULL) continue;
    m_seen.push_back(dlg);
    const size_t step = m_next++;
    m_steps[step].act(dlg);
    return;
  }
}

void DialogDriver::SetText(HWND dlg, int control, const std::wstring& text) {
  SetWindowTextW(FindControl(dlg, control), text.c_str());
}

void DialogDriver::SetCheck(HWND dlg, int control, bool checked) {
  // A click, so that the dialog hears of the change as it would from the user.
  HWND button = FindControl(dlg, control);
  if ((SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) != checked) SendMessageW(button, BM_CLICK, 0, 0);
}

void DialogDriver::Press(HWND dlg, int button) {
  PostMessageW(FindControl(dlg, button), BM_CLICK, 0, 0);
}

}  // namespace testing_support
