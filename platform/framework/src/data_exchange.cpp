// Dialog data exchange: UpdateData, CDataExchange and the DDX_/DDV_ functions.
#include "fw_dialog.h"
#include "fw_except.h"

#include <errno.h>
#include <stdlib.h>

namespace {

// Notifications of the controls are swallowed while the exchange writes into them.
class LockoutScope {
 public:
  explicit LockoutScope(HWND hWnd) : m_state(AfxGetThreadState()), m_old(m_state->m_hLockoutNotifyWindow) {
    m_state->m_hLockoutNotifyWindow = hWnd;
  }
  ~LockoutScope() { m_state->m_hLockoutNotifyWindow = m_old; }
  LockoutScope(const LockoutScope&) = delete;
  LockoutScope& operator=(const LockoutScope&) = delete;
 private:
  _AFX_THREAD_STATE* m_state;
  HWND m_old;
};

CString ControlText(HWND hWnd) {
  CString s;
  int n = ::GetWindowTextLength(hWnd);
  if (n > 0) {
    n = ::GetWindowText(hWnd, s.GetBuffer(n + 1), n + 1);
    s.ReleaseBuffer(n > 0 ? n : 0);
  }
  return s;
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCTSTR message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// Parses a whole decimal integer (blanks around allowed) into [lo, hi].
bool ParseInteger(const CString& text, long long lo, long long hi, long long& out) {
  LPCTSTR s = text;
  LPTSTR end = NULL;
  errno = 0;
  long long v = _tcstoi64(s, &end, 10);
  if (end == s || errno == ERANGE) return false;
  while (*end == _T(' ') || *end == _T('\t')) ++end;
  if (*end != 0) return false;
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

void TextInteger(CDataExchange* pDX, int nIDC, long long& value, long long lo, long long hi, bool isUnsigned) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v;
    CString text = ControlText(hWnd);
    if (isUnsigned && text.Find(_T('-')) >= 0) FailWith(pDX, _T("Please enter a positive integer."));
    if (!ParseInteger(text, lo, hi, v))
      FailWith(pDX, isUnsigned ? _T("Please enter a positive integer.") : _T("Please enter an integer."));
    value = v;
  } else {
    TCHAR text[32];
    _i64tot(value, text, 10);
    ::SetWindowText(hWnd, text);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// CWnd's part of the exchange

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  if (m_hWnd == NULL) return FALSE;
  CDataExchange dx(this, bSaveAndValidate);
  LockoutScope lockout(m_hWnd);
  try {
    DoDataExchange(&dx);
    return TRUE;
  } catch (CUserException* e) {
    e->Delete();  // the user has been told already
  } catch (CException* e) {
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWnd = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
  if (hWnd == NULL) {
    // A template without the control: a program error, reported as a failed exchange.
    AfxThrowNotSupportedException();
  }
  m_idLastControl = hWnd;
  m_bEditLastControl = FALSE;
  return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWnd = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWnd;
}

void CDataExchange::Fail() {
  // Loading the controls cannot be corrected by the user: no focus change then.
  if (m_bSaveAndValidate && m_idLastControl != NULL) {
    ::SetFocus(m_idLastControl);
    if (m_bEditLastControl) ::SendMessage(m_idLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
  __builtin_unreachable();
}

// ---------------------------------------------------------------------------------------
// DDX

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ControlText(hWnd);
  else
    ::SetWindowText(hWnd, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  long long v = value;
  TextInteger(pDX, nIDC, v, INT_MIN, INT_MAX, false);
  value = (int)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  long long v = value;
  TextInteger(pDX, nIDC, v, 0, UINT_MAX, true);
  value = (UINT)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  long long v = value;
  TextInteger(pDX, nIDC, v, LONG_MIN, LONG_MAX, false);
  value = (long)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString text = ControlText(hWnd);
    LPCTSTR s = text;
    LPTSTR end = NULL;
    errno = 0;
    double v = _tcstod(s, &end);
    if (end != s)
      while (*end == _T(' ') || *end == _T('\t')) ++end;
    if (end == s || *end != 0 || errno == ERANGE) FailWith(pDX, _T("Please enter a number."));
    value = v;
  } else {
    CString text;
    text.Format(_T("%.15g"), value);
    ::SetWindowText(hWnd, text);
  }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = (int)::SendMessage(hWnd, BM_GETCHECK, 0, 0);
  } else {
    int v = value >= BST_UNCHECKED && value <= BST_INDETERMINATE ? value : BST_UNCHECKED;
    ::SendMessage(hWnd, BM_SETCHECK, (WPARAM)v, 0);
  }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  HWND hDlg = pDX->m_pDlgWnd->GetSafeHwnd();
  if (pDX->m_bSaveAndValidate) value = -1;
  // The group: this control and the following siblings up to the next WS_GROUP.
  int index = 0;
  for (HWND h = hWnd; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h != hWnd && (::GetWindowLong(h, GWL_STYLE) & WS_GROUP)) break;
    if (::GetParent(h) != hDlg) break;
    if (!(::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessage(hWnd, LB_GETCURSEL, 0, 0);
  else
    ::SendMessage(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
  else
    ::SendMessage(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ControlText(hWnd);
    return;
  }
  // Select the first entry that starts with the text; an edit box takes the text itself.
  if (::SendMessage(hWnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
    ::SetWindowText(hWnd, value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != NULL) return;
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWnd)) AfxThrowNotSupportedException();
}

// ---------------------------------------------------------------------------------------
// DDV

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      CString msg;
      msg.Format(_T("Enter no more than %d characters."), nChars);
      FailWith(pDX, msg);
    }
  } else if (pDX->m_idLastControl != NULL && pDX->m_bEditLastControl) {
    ::SendMessage(pDX->m_idLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
  }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  CString msg;
  msg.Format(_T("Enter an integer between %d and %d."), minVal, maxVal);
  FailWith(pDX, msg);
}
