// An edit control that completes what the user types from a list of known entries: the first
// entry (in the order they were added) that begins with the typed text is put in, with the
// part the user did not type selected, so that the next character typed replaces it.
// Deleting (Backspace, Delete) stops completing until another key is pressed.
//
// The parent hears EN_UPDATE for what the user types; the completion's own update is kept
// from it.
#pragma once
#include <fw_controls.h>
#include <fw_string.h>

#include "quarnel_api.h"

#include <vector>

class QUARNEL_API AutoComEdit : public CEdit {
  DECLARE_DYNAMIC(AutoComEdit)

 public:
  AutoComEdit() = default;
  ~AutoComEdit() override = default;

  // Adds an entry at the end of the list; entries shorter than 2 characters are refused
  // (FALSE).
  BOOL AddEntry(LPCTSTR text);
  int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
  // Sets the window text and selects from where the selection started to the end.
  void SetText(LPCTSTR text);
  // The window text.
  void GetText(CString& text) const;
  // Stops (true) or resumes (false) completing; a key press does not lift this.
  void DisableAuto(bool disable);
  bool IsSuspended() const { return m_suspended; }

 protected:
  afx_msg BOOL OnUpdate();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  CString m_current;
  std::vector<CString> m_entries;
  bool m_suspended = false;
  bool m_suspendedByKey = false;
  bool m_busy = false;
};
