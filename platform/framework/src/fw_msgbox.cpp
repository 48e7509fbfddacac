// AfxMessageBox and the application's message box: the text with the application's name as
// title, owned by the application's top-level window (disabled meanwhile). A hook answers
// in place of the box, for tests and unattended runs.
#include <atomic>

#include "fw_app.h"

namespace {
std::atomic<AFX_MESSAGEBOX_HOOK> g_hook{NULL};

// The icon that a box of this kind shows when the caller gave none.
UINT WithDefaultIcon(UINT nType) {
  if ((nType & MB_ICONMASK) != 0) return nType;
  switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
      return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return nType | MB_ICONQUESTION;
    default:
      return nType;
  }
}

int ShowBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp, LPCTSTR lpszCaption) {
  if (AFX_MESSAGEBOX_HOOK hook = g_hook.load()) return hook(lpszText, nType, nIDHelp);
  HWND hWndTop = NULL;
  HWND hWndOwner = CWnd::GetSafeOwner_(NULL, &hWndTop);
  int nResult = ::MessageBox(hWndOwner, lpszText, lpszCaption, WithDefaultIcon(nType));
  if (hWndTop != NULL) ::EnableWindow(hWndTop, TRUE);
  return nResult;
}
}  // namespace

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook) { return g_hook.exchange(pfnHook); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  EnableModeless(FALSE);
  int nResult = ShowBox(lpszPrompt, nType, nIDPrompt, m_pszAppName != NULL ? m_pszAppName : AfxGetAppName());
  EnableModeless(TRUE);
  return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (lpszText == NULL) lpszText = _T("");
  if (CWinApp* pApp = AfxGetApp()) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return ShowBox(lpszText, nType, nIDHelp, AfxGetAppName());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
