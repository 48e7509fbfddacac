#include <TrelTimeoutDlg.h>
#include <UIUtilities.h>

#include "UILabelText.h"

namespace {

const DWORD kRetryLabel = 31278;
const DWORD kCancelLabel = 31281;
const DWORD kMessageLabel = 31282;  // "%s": the subject
const UINT kHelpId = 300;

// The label's text, or `fallback` when the label has none.
CString LabelOr(DWORD label, LPCTSTR fallback) {
  CString text;
  UILabelText(label, text);
  return text.IsEmpty() ? CString(fallback) : text;
}

}  // namespace

CTrelTimeoutDlg::CTrelTimeoutDlg(LPCTSTR subject) : CDialog(IDD_TREL_TIMEOUT), m_strSubject(subject) {}

BOOL CTrelTimeoutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HFONT font = UIGetDefaultGUIFont();
  ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  CString retry = LabelOr(kRetryLabel, _T("&Retry"));
  CString cancel = LabelOr(kCancelLabel, _T("&Cancel"));
  // The subject goes in where the text says %s (only there: the label is not a format of
  // the caller's making).
  CString message = LabelOr(kMessageLabel, _T("%s"));
  const int at = message.Find(_T("%s"));
  if (at >= 0) message = message.Left(at) + m_strSubject + message.Mid(at + 2);
  const struct {
    int id;
    const CString& text;
  } items[] = {{kRetryId, retry}, {IDCANCEL, cancel}, {kMessageId, message}};
  for (const auto& item : items) {
    HWND h = ::GetDlgItem(m_hWnd, item.id);
    if (h == NULL) continue;
    ::SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowText(h, item.text);
  }
  SetWindowText(AfxGetAppName() != NULL ? AfxGetAppName() : _T(""));
  SetHelpID(kHelpId);
  return TRUE;
}

BOOL CTrelTimeoutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kRetryId && HIWORD(wParam) == BN_CLICKED) {
    EndDialog(kRetryResult);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}
