// AfxMessageBox: a plain MessageBox with the application's title, answerable by a hook.
#include "fw_except.h"

#include <atomic>

#include "fw_module.h"

namespace {
std::atomic<AFX_MESSAGEBOX_HOOK> g_hook{NULL};

CString AppTitle() {
  AFX_MODULE_STATE* st = AfxGetModuleState();
  if (st->m_lpszCurrentAppName && *st->m_lpszCurrentAppName) return st->m_lpszCurrentAppName;
  TCHAR path[MAX_PATH];
  DWORD n = GetModuleFileName(NULL, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CString();
  CString title(path);
  title = title.Mid(title.ReverseFind(_T('\\')) + 1);
  int dot = title.ReverseFind(_T('.'));
  return dot > 0 ? title.Left(dot) : title;
}
}  // namespace

AFX_MESSAGEBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook) { return g_hook.exchange(pfnHook); }

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (AFX_MESSAGEBOX_HOOK hook = g_hook.load()) return hook(lpszText ? lpszText : _T(""), nType, nIDHelp);
  HWND owner = GetActiveWindow();
  if (owner) owner = GetAncestor(owner, GA_ROOTOWNER);
  return MessageBox(owner, lpszText ? lpszText : _T(""), AppTitle(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
