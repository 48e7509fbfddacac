// CWinApp: the application object of a module, its start-up, the wait cursor, cursors and
// icons from the module chain, help, and the global accessors.
#include <stdlib.h>

#include "fw_app.h"
#include "handle_map.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
HMODULE ModuleOfAddress(const void* p) {
  HMODULE h = NULL;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(p), &h);
  return h;
}

LPTSTR Dup(LPCTSTR s) { return s != NULL ? _tcsdup(s) : NULL; }
}  // namespace

// An application object in a DLL's static data belongs to that DLL's module state; one on
// the stack, on the heap or in the executable to the application's.
CWinApp::CWinApp(LPCTSTR lpszAppName) {
  m_pModuleState = AfxGetModuleStateOf(ModuleOfAddress(this));
  m_pModuleState->m_pCurrentWinApp = this;
  m_hInstance = m_pModuleState->m_hCurrentInstanceHandle;
  m_bAutoDelete = FALSE;
  if (lpszAppName != NULL) {
    m_pszAppName = Dup(lpszAppName);
    m_pModuleState->m_lpszCurrentAppName = m_pszAppName;
  }
  if (!m_pModuleState->m_bDLL) {
    m_nThreadID = ::GetCurrentThreadId();
    AfxGetThreadState()->m_pCurrentWinThread = this;
  }
}

CWinApp::~CWinApp() {
  if (m_pModuleState->m_pCurrentWinApp == this) m_pModuleState->m_pCurrentWinApp = NULL;
  if (m_pModuleState->m_lpszCurrentAppName == m_pszAppName) m_pModuleState->m_lpszCurrentAppName = NULL;
  FreeStrings();
  FreePrinterSelection();
  SetCommandLineInfo(NULL);
}

void CWinApp::FreeStrings() {
  free(const_cast<LPTSTR>(m_pszAppName));
  free(const_cast<LPTSTR>(m_pszProfileName));
  free(const_cast<LPTSTR>(m_pszRegistryKey));
  free(const_cast<LPTSTR>(m_pszExeName));
  free(const_cast<LPTSTR>(m_pszHelpFilePath));
  m_pszAppName = m_pszProfileName = m_pszRegistryKey = m_pszExeName = m_pszHelpFilePath = NULL;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }
int CWinApp::Run() { return CWinThread::Run(); }
BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

void CWinApp::DoWaitCursor(int nCode) {
  // Never below none: a restore too many changes nothing (not even the cursor).
  if (nCode < 0 && m_nWaitCursorCount == 0) return;
  if (nCode > 0)
    ++m_nWaitCursorCount;
  else if (nCode < 0)
    --m_nWaitCursorCount;
  if (m_nWaitCursorCount > 0) {
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = hcurPrev;
  } else if (nCode < 0) {
    ::SetCursor(m_hcurWaitCursorRestore);
  }
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (m_pszHelpFilePath == NULL) return;
  CWnd* pMainWnd = AfxGetMainWnd();
  ::WinHelp(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::EnableModeless(BOOL bEnable) {
  if (!bEnable)
    ++m_nModelessDisabled;
  else if (m_nModelessDisabled > 0)
    --m_nModelessDisabled;
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }

// Accessors.

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWinThread* AFXAPI AfxGetThread() {
  if (CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread) return pThread;
  // The application object runs the thread that made it.
  CWinApp* pApp = AfxGetApp();
  return pApp != NULL && pApp->m_nThreadID == ::GetCurrentThreadId() ? pApp : NULL;
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

LPCTSTR AFXAPI AfxGetAppName() {
  AFX_MODULE_STATE* st = AfxGetModuleState();
  if (st->m_lpszCurrentAppName != NULL) return st->m_lpszCurrentAppName;
  if (st->m_pCurrentWinApp != NULL && st->m_pCurrentWinApp->m_pszAppName != NULL)
    return st->m_pCurrentWinApp->m_pszAppName;
  // Without an application object: the executable's name.
  static const CString exeTitle = [] {
    TCHAR path[MAX_PATH];
    DWORD n = ::GetModuleFileName(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return CString();
    CString title(path);
    title = title.Mid(title.ReverseFind(_T('\\')) + 1);
    int dot = title.ReverseFind(_T('.'));
    return dot > 0 ? title.Left(dot) : title;
  }();
  return exeTitle;
}

// Start-up.

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  AFX_MODULE_STATE* st = AfxGetModuleState();
  st->m_hCurrentInstanceHandle = hInstance;
  st->m_hCurrentResourceHandle = hInstance;
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return TRUE;
  pApp->m_hInstance = hInstance;
  pApp->m_lpCmdLine = lpCmdLine;
  pApp->m_nCmdShow = nCmdShow;
  TCHAR path[MAX_PATH];
  DWORD n = ::GetModuleFileName(hInstance, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) path[0] = 0;
  CString full(path);
  CString title = full.Mid(full.ReverseFind(_T('\\')) + 1);
  int dot = title.ReverseFind(_T('.'));
  if (dot > 0) title = title.Left(dot);
  if (pApp->m_pszExeName == NULL) pApp->m_pszExeName = Dup(title);
  if (pApp->m_pszAppName == NULL) {
    // The application's title string, else the executable's name.
    CString name;
    if (!name.LoadString(0xE000)) name = title;
    pApp->m_pszAppName = Dup(name);
  }
  st->m_lpszCurrentAppName = pApp->m_pszAppName;
  if (pApp->m_pszHelpFilePath == NULL && !full.IsEmpty()) {
    int fdot = full.ReverseFind(_T('.'));
    CString help = (fdot > full.ReverseFind(_T('\\')) ? full.Left(fdot) : full) + _T(".HLP");
    pApp->m_pszHelpFilePath = Dup(help);
  }
  if (pApp->m_pszProfileName == NULL) pApp->m_pszProfileName = Dup(CString(pApp->m_pszExeName) + _T(".INI"));
  return TRUE;
}

void AFXAPI AfxWinTerm() {
  _AFX_THREAD_STATE* ts = AfxGetThreadState();
  if (ts->m_pToolTip != NULL) ts->m_pToolTip->DestroyWindow();
  fw::DeleteThreadTempMaps();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinThread* pThread = AfxGetThread();
  CWinApp* pApp = AfxGetApp();
  if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pThread != NULL &&
      (pApp == NULL || pApp->InitApplication())) {
    if (!pThread->InitInstance()) {
      if (pThread->m_pMainWnd != NULL) pThread->m_pMainWnd->DestroyWindow();
      nReturnCode = pThread->ExitInstance();
    } else {
      nReturnCode = pThread->Run();
    }
  }
  AfxWinTerm();
  return nReturnCode;
}
