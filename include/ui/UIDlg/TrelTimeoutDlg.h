// The dialog shown when a server does not answer: its text names the subject, Retry answers
// 3 (try again) and Cancel IDCANCEL. Template 1009 of the library's resources.
#pragma once
#include <framework.h>

#include "quarnel_api.h"

#define IDD_TREL_TIMEOUT 1009

class QUARNEL_API CTrelTimeoutDlg : public CDialog {
 public:
  enum { kMessageId = 1008, kRetryId = 1005, kRetryResult = 3 };

  explicit CTrelTimeoutDlg(LPCTSTR subject);
  BOOL OnInitDialog() override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  CString m_strSubject;
};
