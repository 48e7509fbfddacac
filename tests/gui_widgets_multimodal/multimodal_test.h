// Pieces of the multi-modal dialog tests: a dialog that acts from a timer while its run goes
// on, a top-level window, threads that the calling thread waits for while it dispatches its
// own messages. The dialogs and windows log to the recorder only the messages that these
// tests speak of (WM_CANCELMODE, WM_ENABLE and the dialogs' two registered messages), so
// that the threads of a test never log at the same time.
#pragma once
#include <MultiModalDialog.h>
#include <framework.h>
#include <fw_app.h>
#include <gtest/gtest.h>

#include <functional>

#include "../fw_gdi/dialog_template.h"
#include "recorder.h"

// Whether a message is one of those the tests log.
bool Logged(UINT message);

// A small template: a caption and an OK button.
DialogTemplate SmallTemplate();

class TestDialog : public CMultiModalDialog {
 public:
  // Runs once from a timer when the run has begun; the run then ends with `result`
  // unless the action ended it.
  std::function<void(TestDialog&)> onTimer;
  int result = IDOK;
  bool timed = true;  // false: no timer (a modeless dialog)
  int initCalls = 0;

  BOOL Enabled() const { return m_bEnabled; }
  CWnd* Disabler() const { return m_pDisabler; }
  BOOL Registered() const { return m_bRegistered; }
  CWnd* PreviousModal() const { return m_pPreviousModalDialog; }
  CMultiModalDialog* PreviousProcessModal() const { return m_pPreviousProcessModal; }
  INT_PTR ChildStateCount() const { return m_childStates.GetCount(); }
  void AddChildState(void* child, WORD state) { m_childStates.SetAt(child, state); }
  using CMultiModalDialog::EnableWindowAndChildren;
  using CMultiModalDialog::PreModal;

  // Shows the window now when the run has not shown it yet.
  void EnsureShown();

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnTimer(UINT_PTR id);
  DECLARE_MESSAGE_MAP()
};

// A shown top-level framework window of the calling thread that logs as the dialogs do.
class TestFrame : public CWnd {
 public:
  explicit TestFrame(LPCTSTR title);
  ~TestFrame() override;
  // What WM_APP does: another thread sends it to run a step on this window's thread.
  std::function<void()> onApp;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Runs `body` on a new thread and waits for it to end, dispatching this thread's messages
// meanwhile (the other thread sends to this thread's windows). The new thread's id.
DWORD RunOnThread(const std::function<void()>& body);

// Starts `body` (which must outlive the thread) on a new thread; its handle, for PumpUntil.
HANDLE StartThread(const std::function<void()>& body, DWORD* id = nullptr);

// Waits for the event, dispatching this thread's messages meanwhile.
void PumpUntil(HANDLE event);

// The dialog stored for a thread in the registry; `found` tells whether the thread has a key.
CWnd* EntryOf(DWORD threadId, bool* found = nullptr);
