#include "AutoComEdit.h"

#include <framework.h>

#include <string>

IMPLEMENT_DYNAMIC(AutoComEdit, CEdit)

BEGIN_MESSAGE_MAP(AutoComEdit, CEdit)
  ON_CONTROL_REFLECT_EX(EN_UPDATE, &AutoComEdit::OnUpdate)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL AutoComEdit::AddEntry(LPCTSTR text) {
  if (text == NULL || std::char_traits<TCHAR>::length(text) < 2) return FALSE;
  m_entries.emplace_back(text);
  return TRUE;
}

void AutoComEdit::SetText(LPCTSTR text) {
  int start = 0, end = 0;
  GetSel(start, end);
  SetWindowText(text);
  SetSel(start, -1);
}

void AutoComEdit::GetText(CString& text) const { GetWindowText(text); }

void AutoComEdit::DisableAuto(bool disable) {
  m_suspended = disable;
  m_suspendedByKey = false;
}

// Answers TRUE (the parent does not hear it) for the update the completion itself causes, and
// FALSE (the parent hears it) for the user's.
BOOL AutoComEdit::OnUpdate() {
  if (m_busy) return TRUE;
  if (m_entries.empty() || m_suspended) return FALSE;
  m_busy = true;
  GetWindowText(m_current);
  const int typed = m_current.GetLength();
  if (typed > 0) {
    for (const CString& entry : m_entries) {
      if (entry.GetLength() > typed && entry.Left(typed) == m_current) {
        SetText(entry);
        UpdateWindow();
        break;
      }
    }
  }
  m_busy = false;
  return FALSE;
}

void AutoComEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_DELETE || nChar == VK_BACK) {
    m_suspended = true;
    m_suspendedByKey = true;
  } else if (m_suspendedByKey) {
    m_suspended = false;
    m_suspendedByKey = false;
    UpdateWindow();
  }
  CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
